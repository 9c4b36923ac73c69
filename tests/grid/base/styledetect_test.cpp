// Style detection, the theme notifier, the visual-styles binding and the button glyphs.
#include "grid/base/styledetect.h"
#include "paintutil.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// A fake platform with a clean binding around each test.
class StyleTest : public ::testing::Test
{
protected:
    void SetUp() override { UnbindThemeLibrary(); }
    void TearDown() override { UnbindThemeLibrary(); }
    TFakeThemePlatform &Fake() { return guard.Fake; }
    void Office(const QString &Key, std::optional<int> Theme)
    {
        Fake().Keys.insert(Key);
        Fake().Keys.insert(Key + "\\General");
        if (Theme)
            Fake().Values[{Key, "Theme"}] = *Theme;
    }
    void XPTheme(const QString &Scheme)
    {
        Fake().MajorVersion = 5;
        Fake().MinorVersion = 1;
        Fake().LibraryPresent = true;
        Fake().ThemeActive = true;
        Fake().ThemeColor = Scheme;
    }
    TFakeThemePlatformGuard guard;
};

// Counts the theme change events a window receives.
class TListener : public QWidget
{
public:
    int Changes = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == TOfficeThemeChangeEvent::Type())
            ++Changes;
        return QWidget::event(e);
    }
};

}   // namespace

TEST(StyleDetectRealPlatformTest, NothingIsPresentHere)
{
    UnbindThemeLibrary();
    EXPECT_EQ(DetectOfficeVersion(), 0);
    EXPECT_EQ(ReadOfficeThemeValue(OfficeKey2010), -1);
    EXPECT_EQ(DetectXPColorScheme(), 0);
    EXPECT_EQ(DetectOfficeTheme(), ot2003Classic);
    EXPECT_FALSE(IsWindowsXPOrLater());
    EXPECT_FALSE(IsWindowsVistaOrLater());
    EXPECT_EQ(GetDefaultUIFontName(), "Tahoma");
    EXPECT_FALSE(IsThemeActive());
    EXPECT_FALSE(ThemeLibraryBound());
    QWidget owner;
    TThemeNotifier notifier(&owner);
    EXPECT_FALSE(notifier.Watching());   // no watcher starts
    notifier.RegisterWindow(&owner);
    EXPECT_EQ(notifier.WindowList().Count(), 0);
}

TEST_F(StyleTest, OfficeThemeFromTheNewestOfficeFirst)
{
    Office(OfficeKey2007, 1);
    Office(OfficeKey2010, 2);
    EXPECT_EQ(DetectOfficeVersion(), 2);
    EXPECT_EQ(DetectOfficeTheme(), ot2010Silver);
    Fake().Values[{OfficeKey2010, "Theme"}] = 0;
    EXPECT_EQ(DetectOfficeTheme(), ot2003Blue);   // an unknown value
    Fake().Values.erase({OfficeKey2010, "Theme"});
    EXPECT_EQ(DetectOfficeTheme(), ot2007Blue);   // no value under 2010: on to 2007
    Fake().Values[{OfficeKey2007, "Theme"}] = 3;
    EXPECT_EQ(DetectOfficeTheme(), ot2007Black);
}

TEST_F(StyleTest, WithoutOfficeTheVisualStyleDecides)
{
    struct Case
    {
        const char *Scheme;
        int Expected;
        TOfficeTheme Theme;
    };
    for (const Case &c : {Case{"NormalColor", 1, ot2003Blue}, Case{"HomeStead", 2, ot2003Olive},
                          Case{"Metallic", 3, ot2003Silver}, Case{"Normal", 1, ot2003Blue},
                          Case{"Royale", 0, ot2003Classic}, Case{"", 0, ot2003Classic}}) {
        XPTheme(c.Scheme);
        EXPECT_EQ(DetectXPColorScheme(), c.Expected) << c.Scheme;
        EXPECT_EQ(DetectOfficeTheme(), c.Theme) << c.Scheme;
        EXPECT_EQ(Fake().LibraryRefs, 0);   // freed again
    }
    XPTheme("NormalColor");
    Fake().CommonControls = 5;
    EXPECT_EQ(DetectXPColorScheme(), 0);
    Fake().CommonControls = 6;
    Fake().MinorVersion = 0;   // Windows 2000
    EXPECT_EQ(DetectXPColorScheme(), 0);
}

TEST_F(StyleTest, PlatformFacts)
{
    Fake().GetLocaleInfoEx = false;
    EXPECT_EQ(GetDefaultUIFontName(), "Tahoma");
    Fake().GetLocaleInfoEx = true;
    EXPECT_EQ(GetDefaultUIFontName(), "Segoe UI");
    Fake().MajorVersion = 6;
    Fake().MinorVersion = 0;
    EXPECT_TRUE(IsWindowsXPOrLater());
    Fake().MajorVersion = 5;
    EXPECT_FALSE(IsWindowsXPOrLater());
    Fake().CommonControls = 5;
    EXPECT_FALSE(HasThemedCommonControls());
}

TEST_F(StyleTest, NotifierWatchesTheInstalledOfficeAndTellsEachWindowOnce)
{
    Fake().CanWatch = true;
    Office(OfficeKey2007, 1);
    QWidget owner;
    TThemeNotifier notifier(&owner);
    ASSERT_TRUE(notifier.Watching());
    EXPECT_EQ(notifier.WatchedKey(), OfficeKey2007);
    ASSERT_EQ(Fake().Watches.size(), 1u);
    EXPECT_TRUE(Fake().Watches[0]->WatchSub);
    EXPECT_EQ(Fake().Watches[0]->Filter, 4u);
    ASSERT_NE(notifier.NotifierWindow(), nullptr);
    EXPECT_FALSE(notifier.NotifierWindow()->isVisible());

    int own = 0;
    notifier.OnOfficeThemeChange = [&](TObject *Sender) {
        EXPECT_EQ(Sender, &notifier);
        ++own;
    };
    TListener a, b;
    notifier.RegisterWindow(&a);
    notifier.RegisterWindow(&a);   // once
    notifier.RegisterWindow(&b);
    EXPECT_EQ(notifier.WindowList().Count(), 2);
    notifier.UnRegisterWindow(&b);
    notifier.UnRegisterWindow(&b);   // not there: nothing
    Fake().ChangeKey(OfficeKey2007);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(a.Changes, 1);
    EXPECT_EQ(b.Changes, 0);
    {
        TListener gone;
        notifier.RegisterWindow(&gone);
    }
    Fake().ChangeKey(OfficeKey2007);   // a destroyed window is skipped
    EXPECT_EQ(a.Changes, 2);
}

TEST_F(StyleTest, NotifierWithoutOfficeDoesNothing)
{
    Fake().CanWatch = true;
    TThemeNotifier notifier(nullptr);
    EXPECT_FALSE(notifier.Watching());
    EXPECT_EQ(notifier.NotifierWindow(), nullptr);
    EXPECT_TRUE(Fake().Watches.empty());
    TListener a;
    notifier.RegisterWindow(&a);
    EXPECT_EQ(notifier.WindowList().Count(), 0);
}

TEST_F(StyleTest, OneSharedNotifierUntilItsOwnerGoes)
{
    auto form = std::make_unique<QWidget>();
    QWidget *child = new QWidget(form.get());
    TThemeNotifier *first = GetThemeNotifier(child);
    EXPECT_EQ(GetThemeNotifier(nullptr), first);
    EXPECT_EQ(first->parent(), form.get());
    form.reset();
    QWidget other;
    TThemeNotifier *second = GetThemeNotifier(&other);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->parent(), &other);
}

TEST_F(StyleTest, HandleListKeepsOrderAndBounds)
{
    THandleList list;
    QWidget a, b, c;
    list.Add(&a);
    list.Add(&b);
    list.Insert(0, &c);
    EXPECT_EQ(list.GetInteger(0), &c);
    EXPECT_TRUE(list.HasValue(&b));
    list.DeleteValue(&b);
    list.DeleteValue(&b);
    EXPECT_EQ(list.Count(), 2);
    list.SetInteger(1, &b);
    EXPECT_EQ(list.Snapshot(), (std::vector<QWidget *>{&c, &b}));
    EXPECT_THROW(list.GetInteger(2), std::out_of_range);
    EXPECT_THROW(list.Delete(-1), std::out_of_range);
}

TEST_F(StyleTest, BindingLoadsOnceAndUnbindFrees)
{
    Fake().LibraryPresent = true;
    Fake().ThemeActive = true;
    BindThemeLibrary();
    BindThemeLibrary();
    EXPECT_TRUE(ThemeLibraryBound());
    EXPECT_EQ(Fake().LibraryLoads, 1);
    EXPECT_TRUE(IsThemeActive());
    UnbindThemeLibrary();
    EXPECT_FALSE(Fake().LibraryLoaded);
    Fake().LibraryPresent = false;
    EXPECT_FALSE(IsThemeActive());   // the first call binds; the library is missing
    EXPECT_FALSE(ThemeLibraryBound());
    EXPECT_EQ(OpenThemeData(nullptr, "button"), 0u);
}

TEST_F(StyleTest, GlyphsThemedWhereThemesExistElseFrameControls)
{
    QImage img = BlankImage(100, 40);
    TCanvas canvas(&img);
    const TColorTones tones;
    DrawComboButton(canvas, nullptr, TRect(0, 0, 100, 20), glyphThemed, glyphDisabled, tones);
    DrawSpinButtons(canvas, nullptr, TRect(0, 0, 100, 20), glyphFlat, glyphNormal, tones);
    DrawPushButtonFace(canvas, nullptr, TRect(0, 0, 50, 20), glyphFrame, glyphDown, tones);
    ASSERT_EQ(Fake().Draws.size(), 4u);
    // No visual styles: the themed combo button falls back to a frame control.
    EXPECT_EQ(Fake().Draws[0].What, "frame");
    EXPECT_EQ(Fake().Draws[0].Kind, DFC_SCROLL);
    EXPECT_EQ(Fake().Draws[0].State, int(DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE));
    EXPECT_EQ(Fake().Draws[0].Rect, TRect(81, 1, 98, 19));
    EXPECT_EQ(Fake().Draws[1].State, int(DFCS_SCROLLUP | DFCS_FLAT));
    EXPECT_EQ(Fake().Draws[1].Rect, TRect(84, -1, 99, 9));
    EXPECT_EQ(Fake().Draws[2].State, int(DFCS_SCROLLDOWN | DFCS_FLAT));
    EXPECT_EQ(Fake().Draws[2].Rect, TRect(84, 10, 99, 19));
    EXPECT_EQ(Fake().Draws[3].Kind, DFC_BUTTON);
    EXPECT_EQ(Fake().Draws[3].State, int(DFCS_BUTTONPUSH | DFCS_PUSHED));

    Fake().Draws.clear();
    Fake().LibraryPresent = true;
    Fake().ThemeActive = true;
    UnbindThemeLibrary();
    DrawPushButtonFace(canvas, nullptr, TRect(0, 0, 50, 20), glyphThemed, glyphHot, tones);
    DrawSpinButtons(canvas, nullptr, TRect(0, 0, 100, 20), glyphThemed, glyphDisabled, tones);
    ASSERT_EQ(Fake().Draws.size(), 3u);
    EXPECT_EQ(Fake().Draws[0].Class, "button");
    EXPECT_EQ(Fake().Draws[0].State, 2);
    EXPECT_EQ(Fake().Draws[1].Class, "spin");
    EXPECT_EQ(Fake().Draws[1].Part, 1);
    EXPECT_EQ(Fake().Draws[2].Part, 2);
    EXPECT_EQ(Fake().Draws[2].State, 4);
    EXPECT_TRUE(Fake().OpenClasses.empty());   // every theme closed again
}

TEST_F(StyleTest, CustomLookUsesTheStatesTone)
{
    QImage img = BlankImage(100, 20);
    TColorTones tones;
    tones.Background = {clSilver, clGray, clBlack};
    tones.Hover = {clYellow, clRed, clBlack};
    {
        TCanvas canvas(&img);
        DrawPushButtonFace(canvas, nullptr, TRect(0, 0, 40, 20), glyphCustom, glyphHot, tones);
        DrawComboButton(canvas, nullptr, TRect(40, 0, 100, 20), glyphCustom, glyphNormal, tones);
    }
    EXPECT_TRUE(Fake().Draws.empty());
    EXPECT_EQ(PixelAt(img, 20, 10), clYellow);
    EXPECT_EQ(PixelAt(img, 0, 0), clRed);
    EXPECT_EQ(PixelAt(img, 95, 5), clSilver);    // the combo button's body
    EXPECT_EQ(PixelAt(img, 85, 5), clGray);      // its line at Left + 1
    EXPECT_EQ(PixelAt(img, 92, 9), clBlack);     // the arrow
    EXPECT_EQ(PixelAt(img, 60, 10), clWhite);    // left of the button
}
