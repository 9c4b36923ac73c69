#include "grid/string/editortheme.h"

#include <algorithm>

const std::vector<QString> &TEditorThemeFunctions::Names()
{
    static const std::vector<QString> names = {
        "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
        "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemeTextExtent",
        "GetThemeTextMetrics", "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge",
        "DrawThemeIcon", "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent", "GetThemeColor",
        "GetThemeMetric", "GetThemeString", "GetThemeBool", "GetThemeInt", "GetThemeEnumValue",
        "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins", "GetThemeIntList",
        "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
        "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
        "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
        "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties",
        "GetCurrentThemeName", "GetThemeDocumentationProperty", "DrawThemeParentBackground",
        "EnableTheming"};
    return names;
}

bool TEditorThemeFunctions::Has(const QString &Name) const
{
    return std::find(FBound.begin(), FBound.end(), Name) != FBound.end();
}

TEditorThemeFunctions &EditorThemeFunctions()
{
    static TEditorThemeFunctions table;
    return table;
}

void LoadThemeLibrary()
{
    TEditorThemeFunctions &t = EditorThemeFunctions();
    if (t.Loaded || !ThemePlatform().LoadThemeLibrary())
        return;
    t.Loaded = true;
    // The platform layer offers these entries of the library; the others stay empty.
    t.OpenThemeData = [](QWidget *w, const QString &c) { return ThemePlatform().OpenThemeData(w, c); };
    t.CloseThemeData = [](TThemeHandle h) { ThemePlatform().CloseThemeData(h); };
    t.DrawThemeBackground = [](TThemeHandle h, TCanvas &c, int part, int state, const TRect &r) {
        return ThemePlatform().DrawThemeBackground(h, c, part, state, r);
    };
    t.IsThemeActive = [] { return ThemePlatform().IsThemeActive(); };
    t.GetCurrentThemeName = [](QString &f, QString &c, QString &s) {
        return ThemePlatform().GetCurrentThemeName(f, c, s);
    };
    t.FBound = {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive",
                "GetCurrentThemeName"};
}

void FreeThemeLibrary()
{
    TEditorThemeFunctions &t = EditorThemeFunctions();
    if (!t.Loaded)
        return;
    ThemePlatform().FreeThemeLibrary();
    t.Loaded = false;
}
