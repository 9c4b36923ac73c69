#include "platform/theme.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSysInfo>
#include <algorithm>

namespace {

// This platform: no office registry, no visual-styles library, no key notification.
class TRealThemePlatform : public IThemePlatform
{
public:
    bool KeyExists(const QString &) override { return false; }
    std::optional<int> ReadInteger(const QString &, const QString &) override { return {}; }
    std::unique_ptr<IKeyWatch> WatchKey(const QString &, bool, unsigned,
                                        std::function<void()>) override
    {
        return nullptr;
    }
    int OSMajorVersion() override { return 0; }
    int OSMinorVersion() override { return 0; }
    bool HasGetLocaleInfoEx() override { return false; }
    int CommonControlsMajorVersion() override { return 0; }
    bool LoadThemeLibrary() override { return false; }
    void FreeThemeLibrary() override {}
    bool IsThemeActive() override { return false; }
    bool GetCurrentThemeName(QString &, QString &, QString &) override { return false; }
    TThemeHandle OpenThemeData(QWidget *, const QString &) override { return 0; }
    void CloseThemeData(TThemeHandle) override {}
    bool DrawThemeBackground(TThemeHandle, TCanvas &, int, int, const TRect &) override
    {
        return false;
    }
    void DrawFrameControl(TCanvas &Canvas, const TRect &Rect, unsigned Kind,
                          unsigned State) override;
};

void TRealThemePlatform::DrawFrameControl(TCanvas &Canvas, const TRect &Rect, unsigned Kind,
                                          unsigned State)
{
    QPainter *p = Canvas.Painter();
    if (!p || Rect.Width() <= 0 || Rect.Height() <= 0)
        return;
    QStyle *style = QApplication::style();
    QStyleOptionButton opt;
    opt.rect = Rect.ToQRect();
    opt.palette = QApplication::palette();
    opt.state = QStyle::State_Raised;
    if (!(State & DFCS_INACTIVE))
        opt.state |= QStyle::State_Enabled;
    if (State & DFCS_PUSHED)
        opt.state = (opt.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
    if (State & DFCS_HOT)
        opt.state |= QStyle::State_MouseOver;
    if (State & DFCS_FLAT)
        opt.features |= QStyleOptionButton::Flat;
    p->save();
    const unsigned buttonKind = State & 0x1F;
    if (Kind == DFC_BUTTON && buttonKind != DFCS_BUTTONPUSH) {
        // Check boxes and radio buttons: the style's indicator, on when DFCS_CHECKED (grey
        // for a three-state box).
        opt.state &= ~QStyle::State_Raised;
        if (State & DFCS_CHECKED)
            opt.state |= buttonKind == DFCS_BUTTON3STATE ? QStyle::State_NoChange
                                                         : QStyle::State_On;
        else
            opt.state |= QStyle::State_Off;
        style->drawPrimitive(buttonKind == DFCS_BUTTONRADIO ? QStyle::PE_IndicatorRadioButton
                                                            : QStyle::PE_IndicatorCheckBox,
                             &opt, p);
        p->restore();
        return;
    }
    style->drawControl(QStyle::CE_PushButtonBevel, &opt, p);
    if (Kind == DFC_SCROLL) {
        QStyleOption arrow = opt;
        const int inset = std::max(2, std::min(Rect.Width(), Rect.Height()) / 4);
        arrow.rect = opt.rect.adjusted(inset, inset, -inset, -inset);
        const unsigned which = State & 0xF;
        style->drawPrimitive(which == DFCS_SCROLLUP ? QStyle::PE_IndicatorArrowUp
                                                    : QStyle::PE_IndicatorArrowDown,
                             &arrow, p);
    }
    p->restore();
}

TRealThemePlatform g_real;
IThemePlatform *g_platform = &g_real;

// The watch a fake hands out: stopping it marks its record.
class TFakeWatch : public IKeyWatch
{
public:
    explicit TFakeWatch(std::shared_ptr<TFakeThemePlatform::TWatch> Watch) : FWatch(std::move(Watch)) {}
    ~TFakeWatch() override { FWatch->Stopped = true; }

private:
    std::shared_ptr<TFakeThemePlatform::TWatch> FWatch;
};

}   // namespace

IThemePlatform &ThemePlatform()
{
    return *g_platform;
}

void SetThemePlatform(IThemePlatform *platform)
{
    g_platform = platform ? platform : &g_real;
}

// --- TFakeThemePlatform ----------------------------------------------------------------

bool TFakeThemePlatform::KeyExists(const QString &Key)
{
    return Keys.count(Key) > 0;
}

std::optional<int> TFakeThemePlatform::ReadInteger(const QString &Key, const QString &Name)
{
    if (!KeyExists(Key))
        return {};
    const auto it = Values.find({Key, Name});
    if (it == Values.end())
        return {};
    return it->second;
}

std::unique_ptr<IKeyWatch> TFakeThemePlatform::WatchKey(const QString &Key, bool WatchSub,
                                                        unsigned Filter,
                                                        std::function<void()> Changed)
{
    if (!CanWatch)
        return nullptr;
    auto watch = std::make_shared<TWatch>();
    watch->Key = Key;
    watch->WatchSub = WatchSub;
    watch->Filter = Filter;
    watch->Changed = std::move(Changed);
    Watches.push_back(watch);
    return std::make_unique<TFakeWatch>(watch);
}

void TFakeThemePlatform::ChangeKey(const QString &Key)
{
    // A copy: a handler may start or stop watches.
    const auto watches = Watches;
    for (const auto &w : watches)
        if (!w->Stopped && w->Key == Key && w->Changed)
            w->Changed();
}

bool TFakeThemePlatform::LoadThemeLibrary()
{
    ++LibraryLoads;
    if (!LibraryPresent)
        return false;
    ++LibraryRefs;
    LibraryLoaded = true;
    return true;
}

void TFakeThemePlatform::FreeThemeLibrary()
{
    if (LibraryRefs > 0 && --LibraryRefs == 0)
        LibraryLoaded = false;
}

bool TFakeThemePlatform::IsThemeActive()
{
    return LibraryLoaded && ThemeActive;
}

bool TFakeThemePlatform::GetCurrentThemeName(QString &FileName, QString &ColorName,
                                             QString &SizeName)
{
    if (!LibraryLoaded || !ThemeActive)
        return false;
    FileName = ThemeFile;
    ColorName = ThemeColor;
    SizeName = ThemeSize;
    return true;
}

TThemeHandle TFakeThemePlatform::OpenThemeData(QWidget *, const QString &ClassList)
{
    if (!LibraryLoaded || !ThemeActive)
        return 0;
    const TThemeHandle h = FNextTheme++;
    FThemes[h] = ClassList;
    OpenClasses.push_back(ClassList);
    return h;
}

void TFakeThemePlatform::CloseThemeData(TThemeHandle Theme)
{
    const auto it = FThemes.find(Theme);
    if (it == FThemes.end())
        return;
    const auto open = std::find(OpenClasses.begin(), OpenClasses.end(), it->second);
    if (open != OpenClasses.end())
        OpenClasses.erase(open);
    FThemes.erase(it);
}

bool TFakeThemePlatform::DrawThemeBackground(TThemeHandle Theme, TCanvas &, int Part, int State,
                                             const TRect &Rect)
{
    const auto it = FThemes.find(Theme);
    if (it == FThemes.end())
        return false;
    TDrawCall call;
    call.What = QStringLiteral("theme");
    call.Class = it->second;
    call.Part = Part;
    call.State = State;
    call.Rect = Rect;
    Draws.push_back(call);
    return true;
}

void TFakeThemePlatform::DrawFrameControl(TCanvas &, const TRect &Rect, unsigned Kind,
                                          unsigned State)
{
    TDrawCall call;
    call.What = QStringLiteral("frame");
    call.Kind = Kind;
    call.State = int(State);
    call.Rect = Rect;
    Draws.push_back(call);
}
