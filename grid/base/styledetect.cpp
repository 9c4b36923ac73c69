#include "grid/base/styledetect.h"

#include "platform/rtl.h"

#include <QCoreApplication>
#include <algorithm>

const QString OfficeKey2010 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString OfficeKey2007 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

namespace {

const QString GeneralSubkey = QStringLiteral("\\General");

}   // namespace

// ---------------------------------------------------------------------------------------
// Detection
// ---------------------------------------------------------------------------------------

bool IsWindowsXPOrLater()
{
    IThemePlatform &p = ThemePlatform();
    const int major = p.OSMajorVersion();
    return major > 5 || (major == 5 && p.OSMinorVersion() != 0);
}

bool IsWindowsVistaOrLater()
{
    return ThemePlatform().HasGetLocaleInfoEx();
}

bool HasThemedCommonControls()
{
    return ThemePlatform().CommonControlsMajorVersion() > 5;
}

QString GetDefaultUIFontName()
{
    return IsWindowsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

int DetectOfficeVersion()
{
    IThemePlatform &p = ThemePlatform();
    if (p.KeyExists(OfficeKey2010 + GeneralSubkey))
        return 2;
    if (p.KeyExists(OfficeKey2007 + GeneralSubkey))
        return 1;
    return 0;
}

int ReadOfficeThemeValue(const QString &Key)
{
    return ThemePlatform().ReadInteger(Key, QStringLiteral("Theme")).value_or(-1);
}

int DetectXPColorScheme()
{
    IThemePlatform &p = ThemePlatform();
    if (!IsWindowsXPOrLater() || !p.LoadThemeLibrary())
        return 0;
    int result = 0;
    QString file, color, size;
    if (p.IsThemeActive() && HasThemedCommonControls() && p.GetCurrentThemeName(file, color, size)) {
        const std::pair<const char *, int> schemes[] = {
            {"NormalColor", 1}, {"HomeStead", 2}, {"Metallic", 3}};
        for (const auto &[name, value] : schemes) {
            if (Pos(color, QString::fromLatin1(name)) > 0) {
                result = value;
                break;
            }
        }
    }
    p.FreeThemeLibrary();
    return result;
}

TOfficeTheme DetectOfficeTheme()
{
    switch (ReadOfficeThemeValue(OfficeKey2010)) {
    case -1: break;
    case 1: return ot2010Blue;
    case 2: return ot2010Silver;
    case 3: return ot2010Black;
    default: return ot2003Blue;
    }
    switch (ReadOfficeThemeValue(OfficeKey2007)) {
    case -1: break;
    case 1: return ot2007Blue;
    case 2: return ot2007Silver;
    case 3: return ot2007Black;
    default: return ot2003Blue;
    }
    switch (DetectXPColorScheme()) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

// ---------------------------------------------------------------------------------------
// THandleList
// ---------------------------------------------------------------------------------------

namespace {

[[noreturn]] void HandleIndexError(int Index)
{
    throw std::out_of_range(
        QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
}

}   // namespace

int THandleList::Count() const
{
    std::lock_guard lock(FLock);
    return int(FItems.size());
}

void THandleList::Add(QWidget *Value)
{
    std::lock_guard lock(FLock);
    FItems.emplace_back(Value);
}

void THandleList::Insert(int Index, QWidget *Value)
{
    std::lock_guard lock(FLock);
    if (Index < 0 || Index > int(FItems.size()))
        HandleIndexError(Index);
    FItems.insert(FItems.begin() + Index, QPointer<QWidget>(Value));
}

void THandleList::Delete(int Index)
{
    std::lock_guard lock(FLock);
    if (Index < 0 || Index >= int(FItems.size()))
        HandleIndexError(Index);
    FItems.erase(FItems.begin() + Index);
}

void THandleList::DeleteValue(QWidget *Value)
{
    std::lock_guard lock(FLock);
    const auto it = std::find(FItems.begin(), FItems.end(), Value);
    if (it != FItems.end())
        FItems.erase(it);
}

bool THandleList::HasValue(QWidget *Value) const
{
    std::lock_guard lock(FLock);
    return std::find(FItems.begin(), FItems.end(), Value) != FItems.end();
}

QWidget *THandleList::GetInteger(int Index) const
{
    std::lock_guard lock(FLock);
    if (Index < 0 || Index >= int(FItems.size()))
        HandleIndexError(Index);
    return FItems[size_t(Index)].data();
}

void THandleList::SetInteger(int Index, QWidget *Value)
{
    std::lock_guard lock(FLock);
    if (Index < 0 || Index >= int(FItems.size()))
        HandleIndexError(Index);
    FItems[size_t(Index)] = Value;
}

std::vector<QWidget *> THandleList::Snapshot() const
{
    std::lock_guard lock(FLock);
    std::vector<QWidget *> out;
    for (const auto &w : FItems)
        if (w)
            out.push_back(w.data());
    return out;
}

// ---------------------------------------------------------------------------------------
// Theme notification
// ---------------------------------------------------------------------------------------

TOfficeThemeChangeEvent::TOfficeThemeChangeEvent(const QString &Key) : QEvent(Type()), FKey(Key)
{
}

QEvent::Type TOfficeThemeChangeEvent::Type()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

TThemeNotifierWindow::TThemeNotifierWindow(QWidget *Parent) : QWidget(Parent)
{
    hide();
}

bool TThemeNotifierWindow::event(QEvent *e)
{
    if (e->type() == TOfficeThemeChangeEvent::Type() && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    return QWidget::event(e);
}

TThemeNotifier::TThemeNotifier(QObject *AOwner) : QObject(AOwner)
{
    const int version = DetectOfficeVersion();
    if (version == 0)
        return;
    FNotifier = new TThemeNotifierWindow(qobject_cast<QWidget *>(AOwner));
    FNotifier->OnOfficeThemeChange = [this](TObject *) {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    FKey = version == 2 ? OfficeKey2010 : OfficeKey2007;
    // Last-set changes of values, the subkeys included.
    FWatch = ThemePlatform().WatchKey(FKey, true, 4, [this] { KeyChanged(); });
}

TThemeNotifier::~TThemeNotifier()
{
    FWatch.reset();
    delete FNotifier.data();
}

void TThemeNotifier::KeyChanged()
{
    TOfficeThemeChangeEvent toWindow(FKey);
    if (FNotifier)
        QCoreApplication::sendEvent(FNotifier.data(), &toWindow);
    for (QWidget *w : FWinList.Snapshot()) {
        TOfficeThemeChangeEvent e(FKey);
        QCoreApplication::sendEvent(w, &e);
    }
}

void TThemeNotifier::RegisterWindow(QWidget *Handle)
{
    if (FWatch && Handle && !FWinList.HasValue(Handle))
        FWinList.Add(Handle);
}

void TThemeNotifier::UnRegisterWindow(QWidget *Handle)
{
    if (FWatch)
        FWinList.DeleteValue(Handle);
}

TThemeNotifier *GetThemeNotifier(QWidget *Control)
{
    static QPointer<TThemeNotifier> shared;
    if (!shared) {
        QObject *owner = Control ? static_cast<QObject *>(Control->window()) : nullptr;
        shared = new TThemeNotifier(owner);
    }
    return shared.data();
}

// ---------------------------------------------------------------------------------------
// The visual-styles library
// ---------------------------------------------------------------------------------------

namespace {

enum class TBinding { NotTried, Bound, Missing };
TBinding g_binding = TBinding::NotTried;

bool Bound()
{
    if (g_binding == TBinding::NotTried)
        BindThemeLibrary();
    return g_binding == TBinding::Bound;
}

}   // namespace

void BindThemeLibrary()
{
    if (g_binding == TBinding::Bound)
        return;
    g_binding = ThemePlatform().LoadThemeLibrary() ? TBinding::Bound : TBinding::Missing;
}

void UnbindThemeLibrary()
{
    if (g_binding == TBinding::Bound)
        ThemePlatform().FreeThemeLibrary();
    g_binding = TBinding::NotTried;
}

bool ThemeLibraryBound()
{
    return g_binding == TBinding::Bound;
}

TThemeHandle OpenThemeData(QWidget *Window, const QString &ClassList)
{
    return Bound() ? ThemePlatform().OpenThemeData(Window, ClassList) : 0;
}

void CloseThemeData(TThemeHandle Theme)
{
    if (Theme && Bound())
        ThemePlatform().CloseThemeData(Theme);
}

bool DrawThemeBackground(TThemeHandle Theme, TCanvas &Canvas, int Part, int State,
                         const TRect &Rect)
{
    return Theme && Bound() && ThemePlatform().DrawThemeBackground(Theme, Canvas, Part, State, Rect);
}

bool IsThemeActive()
{
    return Bound() && ThemePlatform().IsThemeActive();
}

bool GetCurrentThemeName(QString &FileName, QString &ColorName, QString &SizeName)
{
    return Bound() && ThemePlatform().GetCurrentThemeName(FileName, ColorName, SizeName);
}
