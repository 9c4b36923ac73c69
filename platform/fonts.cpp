#include "platform/fonts.h"

#include <QFont>

namespace {

struct TFont_Stand_In
{
    const char *Name;
    const char *Family;
};

// Liberation Sans has Arial's metrics and comes closest to Tahoma and MS Sans Serif;
// DejaVu Sans descends from the design Verdana's metrics follow.
const TFont_Stand_In Stand_Ins[] = {
    {"Tahoma", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Segoe UI", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Times New Roman", "Liberation Serif"},
};

} // namespace

QString Installed_Font_Family(const QString &name)
{
    for (const TFont_Stand_In &s : Stand_Ins)
        if (name.compare(QLatin1String(s.Name), Qt::CaseInsensitive) == 0)
            return QLatin1String(s.Family);
    return name;
}

void Install_Font_Substitutes()
{
    for (const TFont_Stand_In &s : Stand_Ins) {
        const QString name = QLatin1String(s.Name);
        if (!QFont::substitutes(name).contains(QLatin1String(s.Family)))
            QFont::insertSubstitution(name, QLatin1String(s.Family));
    }
}
