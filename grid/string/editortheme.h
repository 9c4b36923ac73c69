#pragma once
// The visual-styles functions the drop-down editor controls draw their themed buttons with:
// one table, bound once by name from the platform's theme library. An entry the library
// lacks stays empty; callers test an entry before calling it where the platform may lack
// the function.
#include "platform/theme.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

struct TEditorThemeFunctions
{
    // Export names in the order the table binds them.
    static const std::vector<QString> &Names();

    bool Loaded = false;
    // Whether the entry of that name is bound.
    bool Has(const QString &Name) const;
    int Count() const { return int(FBound.size()); }

    std::function<TThemeHandle(QWidget *Window, const QString &ClassList)> OpenThemeData;
    std::function<void(TThemeHandle Theme)> CloseThemeData;
    std::function<bool(TThemeHandle Theme, TCanvas &Canvas, int Part, int State, const TRect &Rect)>
        DrawThemeBackground;
    std::function<bool()> IsThemeActive;
    std::function<bool(QString &FileName, QString &ColorName, QString &SizeName)> GetCurrentThemeName;

private:
    friend void LoadThemeLibrary();
    friend void FreeThemeLibrary();
    std::vector<QString> FBound;
};

// The one table of the program.
TEditorThemeFunctions &EditorThemeFunctions();
// Binds the table when not bound yet; without the library it stays empty and not loaded.
void LoadThemeLibrary();
// Releases the library when it was loaded; the entries keep their values.
void FreeThemeLibrary();
