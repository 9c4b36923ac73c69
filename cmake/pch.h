// Precompiled header: the standard and Qt headers nearly every unit uses.
#pragma once
#ifdef __cplusplus
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#endif
