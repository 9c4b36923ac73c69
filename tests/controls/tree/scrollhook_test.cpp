// The styled scroll-bar hook, against a fake style: when it exists, where its overlays lie,
// how it drags a thumb of a tall tree, and that the header is left alone.
#include "input_fixture.h"

#include "controls/tree/lazytreestyledscroll.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

using TS = TThemedScrollBar;
using enum TLTHeaderOption;

namespace {

struct TFakeStyle : ILTStyleSource
{
    bool Active = true;
    std::vector<std::pair<TS, QRect>> Drawn;
    bool Available() const override { return Active; }
    void DrawElement(QPainter &, TS Element, const QRect &R) override { Drawn.push_back({Element, R}); }
    int ArrowButtonSize(bool) const override { return 16; }
};

// A tall string tree inside a window, with a hook whose scroll messages reach the tree at
// once and are recorded.
struct THooked
{
    QWidget Window;
    TInputTree *Tree = new TInputTree(&Window);
    TFakeStyle Style;
    TVclStyleScrollBarsHook *Hook = nullptr;
    std::vector<std::pair<int, int>> Posted;   // code, position

    explicit THooked(int Nodes = 3000, bool RightToLeft = false)
    {
        Window.resize(400, 300);
        Window.show();
        if (RightToLeft)
            Tree->SetBiDiMode(TLTBiDiMode::bdRightToLeft);
        SetupScanTree(*Tree, NumberedNames(Nodes));
        Tree->move(20, 10);
        Hook = TVclStyleScrollBarsHook::Attach(*Tree, &Style);
        Hook->PostScroll = [this](int Bar, int Code, int Position) {
            Posted.push_back({Code, Position});
            Bar == SB_VERT ? Tree->VScroll(Code) : Tree->HScroll(Code);
        };
        QApplication::processEvents();
    }
    QPoint Screen(QPoint Client) { return Tree->viewport()->mapToGlobal(Client); }
    bool NC(TVclStyleScrollBarsHook::TMouseKind Kind, QPoint P)
    {
        return Hook->MouseMessage(Kind, true, P, Screen(P));
    }
    std::vector<TS> States() const
    {
        return {Hook->FVertScrollBarSliderState, Hook->FVertScrollBarUpButtonState,
                Hook->FVertScrollBarDownButtonState, Hook->FHorzScrollBarSliderState,
                Hook->FHorzScrollBarUpButtonState, Hook->FHorzScrollBarDownButtonState};
    }
};

const std::vector<TS> AllNormal{TS::tsThumbBtnVertNormal, TS::tsArrowBtnUpNormal,   TS::tsArrowBtnDownNormal,
                                TS::tsThumbBtnHorzNormal, TS::tsArrowBtnLeftNormal, TS::tsArrowBtnRightNormal};

}   // namespace

TEST(LazyTreeScrollHook, OnlyAnActiveStyleMakesAHookForStringAndDrawTrees)
{
    TFakeStyle style;
    TInputTree tree;
    EXPECT_EQ(TVclStyleScrollBarsHook::Attach(tree, nullptr), nullptr);
    style.Active = false;
    EXPECT_EQ(TVclStyleScrollBarsHook::Attach(tree, &style), nullptr);
    EXPECT_EQ(tree.findChild<TVclStyleScrollBarsHook *>(), nullptr);
    style.Active = true;
    TTestTree base;
    EXPECT_EQ(TVclStyleScrollBarsHook::Attach(base, &style), nullptr);
    TVclStyleScrollBarsHook *hook = TVclStyleScrollBarsHook::Attach(tree, &style);
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(TVclStyleScrollBarsHook::Attach(tree, &style), hook);
}

TEST(LazyTreeScrollHook, OverlaysLieOverTheBars)
{
    THooked h;
    QScrollBar *v = h.Tree->verticalScrollBar();
    ASSERT_TRUE(v->isVisible());
    const QRect bar(v->mapTo(&h.Window, QPoint(0, 0)), v->size());
    ASSERT_TRUE(h.Hook->VertScrollBarWindow()->isVisible());
    EXPECT_EQ(h.Hook->VertScrollBarWindow()->geometry(), bar);
    EXPECT_EQ(h.Hook->VertScrollBarWindow()->parentWidget(), &h.Window);
    EXPECT_FALSE(h.Hook->HorzScrollBarWindow()->isVisible());   // the tree needs no horizontal bar
    EXPECT_EQ(h.Hook->FVertScrollBarUpButtonRect.height(), 16);
    EXPECT_EQ(h.Hook->FVertScrollBarDownButtonRect.bottom(), h.Hook->FVertScrollBarRect.bottom());

    // Painting: the track (whole and between the buttons), the thumb, both arrows.
    h.Style.Drawn.clear();
    QImage image(h.Hook->VertScrollBarWindow()->size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    h.Hook->PaintVertBar(p);
    std::vector<TS> drawn;
    for (const auto &d : h.Style.Drawn)
        drawn.push_back(d.first);
    EXPECT_EQ(drawn, (std::vector<TS>{TS::tsUpperTrackVertNormal, TS::tsUpperTrackVertNormal, TS::tsThumbBtnVertNormal,
                                      TS::tsArrowBtnUpNormal, TS::tsArrowBtnDownNormal}));
    EXPECT_EQ(h.Style.Drawn[2].second, h.Hook->VertThumbRect());
}

TEST(LazyTreeScrollHook, RightToLeftTreeHasItsVerticalOverlayAtTheLeftEdge)
{
    THooked h(3000, true);
    ASSERT_TRUE(h.Hook->VertScrollBarWindow()->isVisible());
    EXPECT_EQ(h.Hook->VertScrollBarWindow()->x(), h.Tree->x() + h.Tree->frameWidth());
}

TEST(LazyTreeScrollHook, DraggingATallTreesThumbPassesSixteenBitPositionsButScrollsFully)
{
    using K = TVclStyleScrollBarsHook::TMouseKind;
    THooked h;
    QScrollBar *v = h.Tree->verticalScrollBar();
    ASSERT_GT(v->maximum(), 32767);
    const QRect thumb = h.Hook->VertThumbRect();
    ASSERT_FALSE(thumb.isEmpty());
    const QPoint grip = thumb.center();
    EXPECT_TRUE(h.NC(K::Press, grip));
    EXPECT_EQ(h.Hook->FVertScrollBarSliderState, TS::tsThumbBtnVertPressed);

    // Down by whole track heights: the bar reaches its end.
    const int track = h.Hook->FVertScrollBarSliderTrackRect.height();
    for (int step = 1; step <= 3; ++step)
        EXPECT_TRUE(h.Hook->MouseMessage(K::Move, false, grip, h.Screen(grip + QPoint(0, step * track / 2))));
    ASSERT_FALSE(h.Posted.empty());
    for (const auto &[code, position] : h.Posted) {
        EXPECT_EQ(code, SB_THUMBPOSITION);
        EXPECT_LE(position, 32767);
    }
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(h.Tree->OffsetY(), -v->maximum());

    EXPECT_TRUE(h.Hook->MouseMessage(K::Release, false, grip, h.Screen(grip)));
    EXPECT_EQ(h.Posted.back().first, SB_ENDSCROLL);
    EXPECT_EQ(h.States(), AllNormal);
    EXPECT_FALSE(h.Hook->FLeftMouseButtonDown);
}

TEST(LazyTreeScrollHook, ThumbPressOnTheRealBarIsTheHooks)
{
    THooked h;
    QScrollBar *v = h.Tree->verticalScrollBar();
    const QPoint local = v->mapFrom(h.Tree, h.Hook->VertThumbRect().center() + h.Tree->viewport()->pos());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(v->mapToGlobal(local)), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(v, &press);
    EXPECT_EQ(h.Hook->FVertScrollBarSliderState, TS::tsThumbBtnVertPressed);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), QPointF(v->mapToGlobal(local)),
                        Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(v, &release);
    EXPECT_EQ(h.States(), AllNormal);
}

TEST(LazyTreeScrollHook, HeaderClicksNeverTouchTheBars)
{
    using K = TVclStyleScrollBarsHook::TMouseKind;
    THooked h;
    h.Tree->Header().Columns().Add().SetWidth(100);
    h.Tree->Header().SetOptions(h.Tree->Header().Options() + TLTHeaderOptions{hoVisible});
    QApplication::processEvents();
    const QPoint header(50, -h.Tree->Header().Height() / 2);
    ASSERT_TRUE(h.Tree->Header().InHeader(header));
    for (K kind : {K::Move, K::Press, K::Move, K::Release, K::DblClick, K::Release}) {
        EXPECT_FALSE(h.NC(kind, header));
        EXPECT_EQ(h.States(), AllNormal);
    }
    EXPECT_FALSE(h.Hook->FLeftMouseButtonDown);
}

TEST(LazyTreeScrollHook, ArrowsTurnHotUnderTheMouseAndPressedOnAPress)
{
    using K = TVclStyleScrollBarsHook::TMouseKind;
    THooked h;
    const QPoint down = h.Hook->FVertScrollBarDownButtonRect.center();
    EXPECT_FALSE(h.NC(K::Move, down));
    EXPECT_EQ(h.Hook->FVertScrollBarDownButtonState, TS::tsArrowBtnDownHot);
    EXPECT_FALSE(h.NC(K::Press, down));   // the bar itself steps
    EXPECT_EQ(h.Hook->FVertScrollBarDownButtonState, TS::tsArrowBtnDownPressed);
    h.Hook->CaptureChanged();
    EXPECT_EQ(h.Hook->FVertScrollBarDownButtonState, TS::tsArrowBtnDownNormal);
    h.NC(K::Move, down);
    h.Hook->MouseLeave();
    EXPECT_EQ(h.States(), AllNormal);
}
