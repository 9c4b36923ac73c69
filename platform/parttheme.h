#pragma once
// Themed faces of the standard parts the drop-down controls draw: the combo box's drop-down
// button and the push button, each in four states. The platform's visual-styles library has
// no counterpart here; the real service answers as a modern themed system and draws the
// parts with the application's widget style. Tests install TFakePartTheme, which records
// every part drawn and can answer "no theme" to reach the classic faces.
#include "platform/canvas.h"

#include <QString>
#include <vector>

class QWidget;

// Theme class names, their part 1 and the four states, as the visual-styles library numbers
// them.
inline const QString ThemeClassComboBox = QStringLiteral("combobox");
inline const QString ThemeClassButton = QStringLiteral("button");
constexpr int CP_DROPDOWNBUTTON = 1, BP_PUSHBUTTON = 1;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4;

class IPartTheme
{
public:
    virtual ~IPartTheme() = default;
    // The common controls draw visual styles (version 6 or later).
    virtual bool ThemedCommonControls() = 0;
    // A visual style is active.
    virtual bool IsThemeActive() = 0;
    // The platform generation whose combo arrow sits flush in its rectangle.
    virtual bool VistaOrLater() = 0;
    // Draws Part of the theme class ClassName in State into Rect; false for a class or part
    // it does not know (nothing is drawn then).
    virtual bool DrawPart(TCanvas &Canvas, QWidget *Window, const QString &ClassName, int Part,
                          int State, const TRect &Rect) = 0;
};

IPartTheme &PartTheme();
void SetPartTheme(IPartTheme *Theme);   // nullptr restores the real one

class TFakePartTheme : public IPartTheme
{
public:
    bool CommonControls6 = true;
    bool Active = true;
    bool Vista = true;
    struct TDraw
    {
        QString ClassName;
        int Part = 0;
        int State = 0;
        TRect Rect;
    };
    std::vector<TDraw> Draws;

    bool ThemedCommonControls() override { return CommonControls6; }
    bool IsThemeActive() override { return Active; }
    bool VistaOrLater() override { return Vista; }
    bool DrawPart(TCanvas &Canvas, QWidget *Window, const QString &ClassName, int Part,
                  int State, const TRect &Rect) override;
};

// Installs a fake for the guard's lifetime (tests).
struct TFakePartThemeGuard
{
    TFakePartTheme Fake;
    TFakePartThemeGuard() { SetPartTheme(&Fake); }
    ~TFakePartThemeGuard() { SetPartTheme(nullptr); }
};
