#pragma once
// The desktop look as the grid suite asks it: the office colour scheme kept in the user's
// registry (with change notification), the platform's visual-styles library and its themed
// parts, the classic frame controls, and the platform's version facts.
//
// The real platform here has no office registry and no visual-styles library: keys are
// absent, the library never loads, nothing can be watched, and frame controls are drawn by
// the application's widget style. Tests install TFakeThemePlatform to reach the other
// answers.
#include "platform/canvas.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QWidget;

// A theme data handle of the visual-styles library; 0 for none.
using TThemeHandle = uintptr_t;

// DrawFrameControl kinds and states, with the values of the Windows call.
constexpr unsigned DFC_BUTTON = 4, DFC_SCROLL = 3;
constexpr unsigned DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLCOMBOBOX = 0x5,
                   DFCS_BUTTONPUSH = 0x10, DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200,
                   DFCS_HOT = 0x1000, DFCS_FLAT = 0x4000;
// Button kinds besides the push button: check box, radio button, three-state check box.
constexpr unsigned DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8,
                   DFCS_CHECKED = 0x400;

// A registry key under watch; destroying it stops the watch.
class IKeyWatch
{
public:
    virtual ~IKeyWatch() = default;
};

class IThemePlatform
{
public:
    virtual ~IThemePlatform() = default;

    // --- The user's registry (current user) ----------------------------------------------
    virtual bool KeyExists(const QString &Key) = 0;
    // The integer value Name of Key; nothing when the key or the value is missing.
    virtual std::optional<int> ReadInteger(const QString &Key, const QString &Name) = 0;
    // Calls Changed on the user-interface thread whenever a value under Key (and its
    // subkeys with WatchSub) changes; nullptr when the platform cannot watch (no thread is
    // started then).
    virtual std::unique_ptr<IKeyWatch> WatchKey(const QString &Key, bool WatchSub,
                                                unsigned Filter,
                                                std::function<void()> Changed) = 0;

    // --- Platform facts -------------------------------------------------------------------
    virtual int OSMajorVersion() = 0;
    virtual int OSMinorVersion() = 0;
    // The kernel library exports GetLocaleInfoEx (a platform of the Vista generation on).
    virtual bool HasGetLocaleInfoEx() = 0;
    // Major file version of the common controls library; 0 when there is none.
    virtual int CommonControlsMajorVersion() = 0;

    // --- The visual-styles library -------------------------------------------------------
    // Loads are counted: the library stays until each successful load is freed.
    virtual bool LoadThemeLibrary() = 0;   // false: it is not there
    virtual void FreeThemeLibrary() = 0;
    virtual bool IsThemeActive() = 0;
    // File, colour scheme and size names of the current visual style; false when none.
    virtual bool GetCurrentThemeName(QString &FileName, QString &ColorName,
                                     QString &SizeName) = 0;
    virtual TThemeHandle OpenThemeData(QWidget *Window, const QString &ClassList) = 0;
    virtual void CloseThemeData(TThemeHandle Theme) = 0;
    virtual bool DrawThemeBackground(TThemeHandle Theme, TCanvas &Canvas, int Part, int State,
                                     const TRect &Rect) = 0;

    // --- Classic controls ----------------------------------------------------------------
    virtual void DrawFrameControl(TCanvas &Canvas, const TRect &Rect, unsigned Kind,
                                  unsigned State) = 0;
};

IThemePlatform &ThemePlatform();
void SetThemePlatform(IThemePlatform *platform);   // nullptr restores the real one

// Answers from its fields and records the themed and frame-control drawing.
class TFakeThemePlatform : public IThemePlatform
{
public:
    std::set<QString> Keys;                              // existing keys
    std::map<std::pair<QString, QString>, int> Values;   // (key, name) -> value
    int MajorVersion = 6, MinorVersion = 1;
    bool GetLocaleInfoEx = true;
    int CommonControls = 6;
    bool LibraryPresent = false;
    bool ThemeActive = false;
    QString ThemeFile, ThemeColor, ThemeSize;
    bool LibraryLoaded = false;   // loaded at least once more than freed
    int LibraryLoads = 0;         // load attempts
    int LibraryRefs = 0;

    struct TWatch
    {
        QString Key;
        bool WatchSub = false;
        unsigned Filter = 0;
        std::function<void()> Changed;
        bool Stopped = false;
    };
    bool CanWatch = false;
    std::vector<std::shared_ptr<TWatch>> Watches;
    // Fires every live watch of Key (as a change of one of its values would).
    void ChangeKey(const QString &Key);

    struct TDrawCall
    {
        QString What;      // "theme" or "frame"
        QString Class;     // theme class of a themed part
        int Part = 0;
        int State = 0;     // theme state, or the frame control state bits
        unsigned Kind = 0; // frame control kind
        TRect Rect;
    };
    std::vector<TDrawCall> Draws;
    std::vector<QString> OpenClasses;   // themes opened and not yet closed

    bool KeyExists(const QString &Key) override;
    std::optional<int> ReadInteger(const QString &Key, const QString &Name) override;
    std::unique_ptr<IKeyWatch> WatchKey(const QString &Key, bool WatchSub, unsigned Filter,
                                        std::function<void()> Changed) override;
    int OSMajorVersion() override { return MajorVersion; }
    int OSMinorVersion() override { return MinorVersion; }
    bool HasGetLocaleInfoEx() override { return GetLocaleInfoEx; }
    int CommonControlsMajorVersion() override { return CommonControls; }
    bool LoadThemeLibrary() override;
    void FreeThemeLibrary() override;
    bool IsThemeActive() override;
    bool GetCurrentThemeName(QString &FileName, QString &ColorName, QString &SizeName) override;
    TThemeHandle OpenThemeData(QWidget *Window, const QString &ClassList) override;
    void CloseThemeData(TThemeHandle Theme) override;
    bool DrawThemeBackground(TThemeHandle Theme, TCanvas &Canvas, int Part, int State,
                             const TRect &Rect) override;
    void DrawFrameControl(TCanvas &Canvas, const TRect &Rect, unsigned Kind,
                          unsigned State) override;

private:
    std::map<TThemeHandle, QString> FThemes;
    TThemeHandle FNextTheme = 1;
};

// Installs a fake for the lifetime of the guard (tests).
class TFakeThemePlatformGuard
{
public:
    TFakeThemePlatformGuard() { SetThemePlatform(&Fake); }
    ~TFakeThemePlatformGuard() { SetThemePlatform(nullptr); }
    TFakeThemePlatform Fake;
};
