// The drop-down header and footer appearances: defaults, the two notifications and what
// Assign and AssignColors copy.
#include "grid/base/graphics.h"
#include "grid/string/dropdownappearance.h"

#include <gtest/gtest.h>

namespace {

// Counts both notifications of an appearance.
template <class A>
struct Watched
{
    A Look{nullptr};
    int Changes = 0;
    int ButtonChanges = 0;
    Watched()
    {
        Look.OnChange = [this](TObject *) { ++Changes; };
        Look.OnButtonsChanged = [this](TObject *) { ++ButtonChanges; };
    }
};

template <class A>
void ExpectDefaults(const A &L)
{
    EXPECT_TRUE(L.Visible());
    EXPECT_EQ(L.Height(), 22);
    EXPECT_EQ(L.BorderWidth(), 1);
    EXPECT_EQ(L.BorderColor(), clBlack);
    EXPECT_EQ(L.ImageIndex(), -1);
    EXPECT_TRUE(L.Caption().isEmpty());
    EXPECT_EQ(L.Color(), 0xC0C0C0u);
    EXPECT_EQ(L.ColorTo(), 0xFFFFFFu);
    EXPECT_EQ(L.GradientDirection(), gdVertical);
    EXPECT_EQ(L.ButtonAlignment(), baRight);
    EXPECT_EQ(L.Buttons().Count(), 0);
}

}   // namespace

TEST(HeaderFooterAppearance, Defaults)
{
    THeaderAppearance header(nullptr);
    TFooterAppearance footer(nullptr);
    ExpectDefaults(header);
    ExpectDefaults(footer);
    EXPECT_EQ(header.Font().Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(footer.Font().Name(), TFontObject().Name());
    EXPECT_TRUE(footer.SizeGrip());
    EXPECT_FALSE(header.OnChange);
    EXPECT_FALSE(header.OnButtonsChanged);
}

TEST(HeaderFooterAppearance, OnlyVisibleAndButtonValuesNotify)
{
    Watched<TFooterAppearance> w;
    auto &L = w.Look;
    L.SetVisible(true);
    EXPECT_EQ(w.Changes, 0);
    L.SetVisible(false);
    EXPECT_EQ(w.Changes, 1);
    L.SetColor(0x123456);
    L.SetColorTo(clNone);
    L.SetCaption(QStringLiteral("<b>x</b>"));
    L.SetHeight(40);
    L.SetBorderColor(0xFF);
    L.SetBorderWidth(3);
    L.SetImageIndex(2);
    L.SetGradientDirection(gdHorizontal);
    L.SetButtonAlignment(baLeft);
    L.SetSizeGrip(false);
    EXPECT_EQ(w.Changes, 1);
    EXPECT_EQ(w.ButtonChanges, 0);

    TFooterButton *b = L.Buttons().Add();
    L.Buttons().Insert(0);
    EXPECT_EQ(w.ButtonChanges, 0);   // adding reports nothing
    const struct { const char *What; std::function<void()> Set; int Fires; } steps[] = {
        {"caption", [&] { b->SetCaption(QStringLiteral("OK")); }, 1},
        {"same caption", [&] { b->SetCaption(QStringLiteral("OK")); }, 0},
        {"enabled", [&] { b->SetEnabled(false); }, 1},
        {"same enabled", [&] { b->SetEnabled(false); }, 0},
        {"width", [&] { b->SetWidth(60); }, 1},
        {"same width", [&] { b->SetWidth(60); }, 0},
        {"height", [&] { b->SetHeight(30); }, 0},
        {"image", [&] { b->SetImageIndex(3); }, 0},
        {"modal result", [&] { b->SetModalResult(1); }, 0},
        {"delete", [&] { L.Buttons().Delete(0); }, 0},
    };
    for (const auto &s : steps) {
        const int before = w.ButtonChanges;
        s.Set();
        EXPECT_EQ(w.ButtonChanges - before, s.Fires) << s.What;
    }
    EXPECT_EQ(w.Changes, 1);
}

TEST(HeaderFooterAppearance, AssignCopiesAllAndNotifiesPerDifferingButtonValue)
{
    THeaderAppearance src(nullptr);
    src.SetColor(0x111111);
    src.SetColorTo(0x222222);
    src.SetBorderColor(0x333333);
    src.SetCaption(QStringLiteral("Title"));
    src.Font().SetSize(14);
    src.SetImageIndex(4);
    src.SetBorderWidth(2);
    src.SetGradientDirection(gdHorizontal);
    src.SetHeight(30);
    src.SetVisible(false);
    src.SetButtonAlignment(baLeft);
    THeaderButton *b = src.Buttons().Add();
    b->SetCaption(QStringLiteral("Go"));   // differs from a new button
    b->SetWidth(50);                       // differs
    b->SetHeight(20);                      // never notifies
    src.Buttons().Add();                   // all defaults: nothing to report

    Watched<THeaderAppearance> w;
    w.Look.Assign(&src);
    auto &L = w.Look;
    EXPECT_EQ(L.Color(), 0x111111u);
    EXPECT_EQ(L.ColorTo(), 0x222222u);
    EXPECT_EQ(L.BorderColor(), 0x333333u);
    EXPECT_EQ(L.Caption(), QStringLiteral("Title"));
    EXPECT_EQ(L.Font().Size(), 14);
    EXPECT_EQ(L.ImageIndex(), 4);
    EXPECT_EQ(L.BorderWidth(), 2);
    EXPECT_EQ(L.GradientDirection(), gdHorizontal);
    EXPECT_EQ(L.Height(), 30);
    EXPECT_FALSE(L.Visible());
    EXPECT_EQ(L.ButtonAlignment(), baLeft);
    ASSERT_EQ(L.Buttons().Count(), 2);
    EXPECT_EQ(L.Buttons().Items(0)->Caption(), QStringLiteral("Go"));
    EXPECT_EQ(L.Buttons().Items(0)->Height(), 20);
    EXPECT_EQ(w.Changes, 1);
    EXPECT_EQ(w.ButtonChanges, 2);
    // Visible unchanged by a second Assign: no notification.
    w.Look.Assign(&src);
    EXPECT_EQ(w.Changes, 1);
}

TEST(HeaderFooterAppearance, OtherClassesAreIgnoredAndAssignColorsCopiesTheLookOnly)
{
    THeaderAppearance header(nullptr);
    header.SetColor(0x010203);
    header.SetVisible(false);
    Watched<TFooterAppearance> w;
    w.Look.Assign(&header);
    w.Look.AssignColors(&header);
    w.Look.Assign(nullptr);
    EXPECT_EQ(w.Look.Color(), 0xC0C0C0u);
    EXPECT_TRUE(w.Look.Visible());
    EXPECT_EQ(w.Changes + w.ButtonChanges, 0);

    TFooterAppearance src(nullptr);
    src.SetColor(0x0A0B0C);
    src.SetColorTo(clNone);
    src.SetBorderColor(0x0000FF);
    src.Font().SetName(QStringLiteral("DejaVu Serif"));
    src.SetGradientDirection(gdHorizontal);
    src.SetCaption(QStringLiteral("no"));
    src.SetHeight(50);
    src.SetVisible(false);
    src.SetBorderWidth(5);
    src.SetImageIndex(7);
    src.SetSizeGrip(false);
    src.SetButtonAlignment(baLeft);
    src.Buttons().Add()->SetCaption(QStringLiteral("b"));
    w.Look.AssignColors(&src);
    const TFooterAppearance &L = w.Look;
    EXPECT_EQ(L.Color(), 0x0A0B0Cu);
    EXPECT_EQ(L.ColorTo(), clNone);
    EXPECT_EQ(L.BorderColor(), 0x0000FFu);
    EXPECT_EQ(L.Font().Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(L.GradientDirection(), gdHorizontal);
    EXPECT_TRUE(L.Caption().isEmpty());
    EXPECT_EQ(L.Height(), 22);
    EXPECT_TRUE(L.Visible());
    EXPECT_EQ(L.BorderWidth(), 1);
    EXPECT_EQ(L.ImageIndex(), -1);
    EXPECT_TRUE(L.SizeGrip());
    EXPECT_EQ(L.ButtonAlignment(), baRight);
    EXPECT_EQ(L.Buttons().Count(), 0);
    EXPECT_EQ(w.Changes + w.ButtonChanges, 0);
}
