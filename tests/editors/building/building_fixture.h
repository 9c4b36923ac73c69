#pragma once
// A program state with an open project "P" whose ParGen.xml the test writes, the table
// helpers of the rule editors, and the golden files of tests/data/building.
#include "editors/fieldbus/fieldbus_fixture.h"

#include <QFile>

inline QString Building_Data(const QString &name)
{
    return Test_Data(QStringLiteral("building/") + name);
}

class BuildingTest : public FieldbusTest
{
protected:
    // ParGen.xml with the given elements (name, text) under its root.
    void Write_ParGen(const std::vector<std::pair<QString, QString>> &keys)
    {
        QString xml = QStringLiteral("<Par_Gen>");
        for (const auto &[k, v] : keys)
            xml += QStringLiteral("<%1>%2</%1>").arg(k, v);
        xml += QStringLiteral("</Par_Gen>");
        Write(Path_ParGen, xml.toUtf8());
    }
};
