#pragma once
// The desktop look the grid suite follows: which office colour scheme the user runs, which
// visual style is active, whether the platform is new enough for themes and which user
// interface font fits; the shared notifier that tells registered windows when the office
// colour scheme changes; and the binding of the visual-styles library whose themed parts
// the grid's glyphs draw. Everything asks the platform through platform/theme.h.
#include "grid/base/classes.h"
#include "grid/base/drawroutines.h"
#include "platform/theme.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    otUnknown
};

// The suite's look choice.
enum TQVRStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black
};

// A control that takes the suite's look choice.
class IQVRStyle
{
public:
    virtual ~IQVRStyle() = default;
    virtual void SetComponentStyle(TQVRStyle AStyle) = 0;
};

// A control that takes custom colour tones.
class IQVRTones
{
public:
    virtual ~IQVRTones() = default;
    virtual void SetColorTones(const TColorTones &ATones) = 0;
};

// The registry keys of the two office generations the suite knows.
extern const QString OfficeKey2010;   // "Software\Microsoft\Office\14.0\Common"
extern const QString OfficeKey2007;   // "Software\Microsoft\Office\12.0\Common"

bool IsWindowsXPOrLater();
bool IsWindowsVistaOrLater();
bool HasThemedCommonControls();
QString GetDefaultUIFontName();   // "Segoe UI" from the Vista generation on, else "Tahoma"
// 2 when the 2010 office is installed for the user, 1 for 2007, else 0.
int DetectOfficeVersion();
// The integer "Theme" of Key; -1 when the key or the value is missing.
int ReadOfficeThemeValue(const QString &Key);
// The active visual style's colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic",
// 0 for none or another.
int DetectXPColorScheme();
// The office colour scheme: 2010's, else 2007's, else by the visual style (never otUnknown).
TOfficeTheme DetectOfficeTheme();

// Window handles, guarded for a watcher that reads them while the user interface changes
// them. A destroyed window drops out by itself.
class THandleList
{
public:
    int Count() const;
    void Add(QWidget *Value);
    void Insert(int Index, QWidget *Value);
    void Delete(int Index);
    void DeleteValue(QWidget *Value);   // the first equal entry, when there is one
    bool HasValue(QWidget *Value) const;
    QWidget *GetInteger(int Index) const;
    void SetInteger(int Index, QWidget *Value);
    std::vector<QWidget *> Snapshot() const;   // the live entries, in order

private:
    mutable std::mutex FLock;
    std::vector<QPointer<QWidget>> FItems;
};

// Sent synchronously to each registered window when the office colour scheme changes.
class TOfficeThemeChangeEvent : public QEvent
{
public:
    explicit TOfficeThemeChangeEvent(const QString &Key);
    static QEvent::Type Type();
    QString Key() const { return FKey; }   // the watched key

private:
    QString FKey;
};

// The hidden window that receives the change first and fires OnOfficeThemeChange.
class TThemeNotifierWindow : public QWidget, public TObject
{
    Q_OBJECT
public:
    explicit TThemeNotifierWindow(QWidget *Parent);
    TNotifyEvent OnOfficeThemeChange;

protected:
    bool event(QEvent *e) override;
};

// The shared notifier: with an office of 2007 or 2010 installed it watches that office's
// colour scheme key (where the platform can watch) and tells its window and every
// registered window of each change; otherwise it does nothing.
class TThemeNotifier : public QObject, public TObject
{
    Q_OBJECT
public:
    explicit TThemeNotifier(QObject *AOwner);
    ~TThemeNotifier() override;

    // Both do nothing without a watch.
    void RegisterWindow(QWidget *Handle);     // once per window
    void UnRegisterWindow(QWidget *Handle);
    bool Watching() const { return FWatch != nullptr; }
    QString WatchedKey() const { return FKey; }
    const THandleList &WindowList() const { return FWinList; }
    TThemeNotifierWindow *NotifierWindow() const { return FNotifier.data(); }

    TNotifyEvent OnOfficeThemeChange;

private:
    void KeyChanged();
    QString FKey;
    THandleList FWinList;
    QPointer<TThemeNotifierWindow> FNotifier;   // a child of the owner window
    std::unique_ptr<IKeyWatch> FWatch;
};

// The one notifier of the program, made on first use and owned by Control's window (or by
// Control itself when it has none); it is made again after its owner was destroyed.
TThemeNotifier *GetThemeNotifier(QWidget *Control);

// The visual-styles library: bound once (the first themed call binds it when nobody did),
// unbound at the end. Unbound, the calls below answer "no theme".
void BindThemeLibrary();
void UnbindThemeLibrary();
bool ThemeLibraryBound();
TThemeHandle OpenThemeData(QWidget *Window, const QString &ClassList);
void CloseThemeData(TThemeHandle Theme);
bool DrawThemeBackground(TThemeHandle Theme, TCanvas &Canvas, int Part, int State,
                         const TRect &Rect);
bool IsThemeActive();
bool GetCurrentThemeName(QString &FileName, QString &ColorName, QString &SizeName);
