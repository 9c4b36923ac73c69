// Hints: what the hint request answers over nodes, empty space and the header, the hint
// window's size, place and animation, and what makes a shown hint go.
#include "input_fixture.h"

#include "controls/tree/lazytreehintwindow.h"
#include "platform/theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

using enum TLTHintMode;
using enum THintAnimationType;
using enum TLTHeaderOption;

namespace {

class THintTree : public TInputTree
{
public:
    Qt::MouseButtons Buttons;
    Qt::MouseButtons PressedMouseButtons() const override { return Buttons; }
    using TBaseLazyTree::CMHintShowPause;
    using TBaseLazyTree::EffectiveHintAnimation;
    using TBaseLazyTree::MouseLeave;

    // The hint request for the mouse resting at client point P, as the platform makes it.
    int Request(QPoint P, TLTHintInfo *Out = nullptr)
    {
        TLTHintInfo info;
        info.CursorPos = P;
        info.CursorRect = TRect::FromQRect(viewport()->rect());
        info.HintPos = viewport()->mapToGlobal(P);
        info.HintStr = ShortHint();
        const int result = CMHintShow(info);
        if (Out)
            *Out = info;
        return result;
    }
    // The mouse rests at P and the tree shows what it wants there.
    bool RestAt(QPoint P)
    {
        CursorPos = viewport()->mapToGlobal(P);
        return ShowHintAt(P);
    }
    bool HintShown() const { return HintWindow() && HintWindow()->isVisible(); }
};

const QString LongCaption = QStringLiteral("a caption far too long for a narrow column");

struct THints
{
    THintTree Tree;
    explicit THints(TLTHintMode Mode, int Columns = 0)
    {
        SetupScanTree(Tree, {QStringLiteral("short"), LongCaption, QStringLiteral("3")});
        for (int i = 0; i < Columns; ++i)
            Tree.Header().Columns().Add().SetText(QString(QChar('A' + i)));
        if (Columns > 0)
            Tree.Header().SetOptions(Tree.Header().Options() + TLTHeaderOptions{hoVisible});
        Tree.SetShowHint(true);
        Tree.SetHintMode(Mode);
        Tree.SetHintAnimation(hatNone);
        QApplication::processEvents();
    }
    // Below the nodes: only the control's short hint belongs there.
    static constexpr QPoint EmptySpace{150, 170};
    // Shows the control's short hint "Tip" over empty space.
    bool ShowShortHint()
    {
        Tree.setToolTip(QStringLiteral("Tip"));
        return Tree.RestAt(EmptySpace);
    }
    PLazyNode Node(int I)
    {
        PLazyNode n = Tree.GetFirst();
        while (I-- > 0)
            n = Tree.GetNextSibling(n);
        return n;
    }
    // A point on the node's text inside column 0.
    QPoint OnText(PLazyNode N)
    {
        const TRect r = Tree.GetDisplayRect(N, 0, true, true, true);
        return QPoint(r.Left + 2, (r.Top + r.Bottom) / 2);
    }
};

// The offscreen platform reports every opacity change of a fade; those lines say nothing.
QtMessageHandler PreviousHandler = nullptr;
void DropOpacityNotes(QtMsgType Type, const QMessageLogContext &Context, const QString &Message)
{
    if (!Message.contains(QLatin1String("does not support setting window opacity")))
        PreviousHandler(Type, Context, Message);
}

QRect ScreenRect(TBaseLazyTree &Tree, const TRect &R)
{
    return QRect(Tree.viewport()->mapToGlobal(QPoint(R.Left, R.Top)), QSize(R.Width(), R.Height()));
}

}   // namespace

TEST(LazyTreeHints, TooltipOnlyForCutOffTextAndExactlyOverIt)
{
    THints h(hmTooltip, 1);
    h.Tree.Header().Columns()[0].SetWidth(h.Tree.ClientWidth());
    const PLazyNode node = h.Node(1);
    const QPoint p = h.OnText(node);
    EXPECT_EQ(h.Tree.Request(p), 1);
    EXPECT_FALSE(h.Tree.RestAt(p));

    h.Tree.Header().Columns()[0].SetWidth(p.x() + 20);
    QApplication::processEvents();
    const TRect text = h.Tree.GetDisplayRect(node, 0, true, true, true);
    TLTHintInfo info;
    ASSERT_EQ(h.Tree.Request(p, &info), 0);
    EXPECT_TRUE(info.TreeHintWindow);
    EXPECT_EQ(info.CursorRect, text);
    EXPECT_EQ(h.Tree.LastHintRect(), text);
    EXPECT_EQ(info.HintData->Node, node);
    EXPECT_TRUE(h.Tree.TreeStates().Contains(tsHint));

    h.Tree.CancelHint();
    h.Tree.MouseLeave();   // forget the area so that the rest asks again
    ASSERT_TRUE(h.Tree.RestAt(p));
    TLazyTreeHintWindow &w = *h.Tree.HintWindow();
    EXPECT_EQ(w.geometry(), ScreenRect(h.Tree, text).adjusted(-1, -1, 1, 1));
    EXPECT_EQ(w.HintData().HintText, LongCaption);
    EXPECT_EQ(w.HintData().LineBreakStyle, TLTTooltipLineBreakStyle::hlbForceSingleLine);
}

TEST(LazyTreeHints, AutoSpanLetsATextRunOnIntoEmptyCells)
{
    THints h(hmTooltip, 2);
    const PLazyNode node = h.Node(1);
    h.Tree.OnGetText = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex Column, TLSTTextType, QString &Text) {
        Text = Column == 1 ? QString() : h.Tree.Captions[Node];
    };
    const TRect text = h.Tree.GetDisplayRect(node, 0, true, true, true);
    const QPoint p = h.OnText(node);
    h.Tree.Header().Columns()[0].SetWidth(p.x() + 20);
    h.Tree.Header().Columns()[1].SetWidth(text.Width() + 40);
    for (bool span : {false, true}) {
        TLTAutoOptions o = h.Tree.TreeOptions().AutoOptions();
        o.Set(toAutoSpanColumns, span);
        h.Tree.TreeOptions().SetAutoOptions(o);
        h.Tree.MouseLeave();
        EXPECT_EQ(h.Tree.Request(p), span ? 1 : 0) << span;
    }
    h.Tree.OnGetText = nullptr;
}

TEST(LazyTreeHints, MultiLineNodeGetsATooltipOnlyOverItsLabel)
{
    THints h(hmTooltip);
    const PLazyNode node = h.Node(1);
    h.Tree.SetMultiline(node, true);
    QApplication::processEvents();
    EXPECT_EQ(h.Tree.Request(LabelPoint(h.Tree, node)), 0);
    h.Tree.MouseLeave();
    const QPoint right = PointWith(h.Tree, node, hiOnItemRight);
    ASSERT_NE(right, QPoint(-1, -1));
    EXPECT_EQ(h.Tree.Request(right), 1);
    EXPECT_TRUE(IsRectEmpty(h.Tree.LastHintRect()));
}

TEST(LazyTreeHints, MovingInsideTheHintAreaKeepsTheHintLeavingItRecomputes)
{
    THints h(hmTooltip, 1);
    const PLazyNode node = h.Node(1);
    const QPoint p = h.OnText(node);
    h.Tree.Header().Columns()[0].SetWidth(p.x() + 20);
    QApplication::processEvents();
    ASSERT_TRUE(h.Tree.RestAt(p));
    const TRect area = h.Tree.LastHintRect();

    int kinds = 0;
    h.Tree.OnGetHintKind = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, TLTHintKind &) { ++kinds; };
    const QPoint inside = p + QPoint(1, 1);
    EXPECT_EQ(h.Tree.Request(inside), 1);
    EXPECT_EQ(kinds, 0);   // nothing was computed
    EXPECT_EQ(h.Tree.LastHintRect(), area);
    MouseMoveTo(h.Tree, inside, Qt::NoButton);
    EXPECT_TRUE(h.Tree.HintShown());
    EXPECT_TRUE(h.Tree.RestAt(inside));

    // Onto the next row: the hint goes at once and the tooltip is asked anew.
    const QPoint below = h.OnText(h.Node(2));
    h.Tree.CursorPos = h.Tree.viewport()->mapToGlobal(below);
    MouseMoveTo(h.Tree, below, Qt::NoButton);
    EXPECT_FALSE(h.Tree.HintShown());
    EXPECT_GT(kinds, 0);
    EXPECT_TRUE(IsRectEmpty(h.Tree.LastHintRect()));   // "3" fits
    h.Tree.OnGetHintKind = nullptr;
}

TEST(LazyTreeHints, ColumnHintsNeedTheOptionAHintAndTheLeftButtonUp)
{
    struct TCase
    {
        bool ShowHintOption;
        QString Hint;
        Qt::MouseButtons Buttons;
        int Result;
    };
    const TCase cases[] = {
        {true, "About B", Qt::NoButton, 0},
        {false, "About B", Qt::NoButton, 1},
        {true, "", Qt::NoButton, 1},
        {true, "About B", Qt::LeftButton, 1},
        {true, "About B", Qt::RightButton, 0},
    };
    for (const TCase &c : cases) {
        THints h(hmHint, 3);
        for (int i = 0; i < 3; ++i)
            h.Tree.Header().Columns()[i].SetWidth(50);
        h.Tree.Header().Columns()[1].SetHint(c.Hint);
        TLTHeaderOptions o = h.Tree.Header().Options();
        o.Set(hoShowHint, c.ShowHintOption);
        h.Tree.Header().SetOptions(o);
        h.Tree.Buttons = c.Buttons;
        const int headerHeight = h.Tree.Header().Height();
        const QPoint p(75, -headerHeight / 2);
        TLTHintInfo info;
        EXPECT_EQ(h.Tree.Request(p, &info), c.Result) << c.Hint.toStdString() << " " << c.ShowHintOption;
        if (c.Result == 0) {
            EXPECT_EQ(info.HintData->DefaultHint, c.Hint);
            EXPECT_EQ(info.CursorRect, TRect(50, -headerHeight, 100, 0));
            EXPECT_GE(info.HintPos.y(), h.Tree.viewport()->mapToGlobal(QPoint(0, 0)).y());
            h.Tree.CursorPos = h.Tree.viewport()->mapToGlobal(p);
            h.Tree.MouseLeave();
            ASSERT_TRUE(h.Tree.RestAt(p));
            EXPECT_EQ(h.Tree.HintWindow()->HintData().HintText, c.Hint);
        }
    }
}

TEST(LazyTreeHints, HeaderHandsMovesToTheHintsSoTheNextColumnHintFollows)
{
    THints h(hmTooltip, 3);
    for (int i = 0; i < 3; ++i) {
        h.Tree.Header().Columns()[i].SetWidth(50);
        h.Tree.Header().Columns()[i].SetHint(QStringLiteral("About ") + QChar('A' + i));
    }
    h.Tree.Header().SetOptions(h.Tree.Header().Options() + TLTHeaderOptions{hoShowHint});
    const int y = -h.Tree.Header().Height() / 2;
    ASSERT_TRUE(h.Tree.RestAt(QPoint(25, y)));
    EXPECT_EQ(h.Tree.HintWindow()->HintData().HintText, "About A");

    const QPoint b(75, y);
    h.Tree.CursorPos = h.Tree.viewport()->mapToGlobal(b);
    const QPoint local = b + h.Tree.viewport()->pos();
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(h.Tree.mapToGlobal(local)), Qt::NoButton,
                     Qt::NoButton, {});
    QApplication::sendEvent(&h.Tree, &move);
    ASSERT_TRUE(h.Tree.HintShown());
    EXPECT_EQ(h.Tree.HintWindow()->HintData().HintText, "About B");
}

TEST(LazyTreeHints, ShortHintOverEmptySpaceOnlyWithHintAndDefault)
{
    const QPoint empty = THints::EmptySpace;
    {
        THints h(hmHintAndDefault);
        h.Tree.setToolTip(QStringLiteral("Scan results|Shows what the scan found"));
        EXPECT_EQ(h.Tree.Request(empty), 0);
        h.Tree.MouseLeave();
        ASSERT_TRUE(h.Tree.RestAt(empty));
        EXPECT_EQ(h.Tree.HintWindow()->HintData().HintText, "Scan results");
    }
    {
        THints h(hmHint);
        h.Tree.setToolTip(QStringLiteral("Scan results"));
        EXPECT_EQ(h.Tree.Request(empty), 1);
        EXPECT_FALSE(h.Tree.RestAt(empty));
    }
    {
        // The ordinary hint goes through the platform's own tooltip.
        THints h(hmDefault);
        h.Tree.setToolTip(QStringLiteral("Scan results"));
        TLTHintInfo info;
        EXPECT_EQ(h.Tree.Request(empty, &info), 0);
        EXPECT_FALSE(info.TreeHintWindow);
        EXPECT_EQ(info.HintStr, "Scan results");
    }
}

TEST(LazyTreeHints, NoHintWhileOffBusyOrHeld)
{
    THints h(hmHintAndDefault);
    h.Tree.setToolTip(QStringLiteral("Tip"));
    const QPoint empty = THints::EmptySpace;
    EXPECT_EQ(h.Tree.Request(empty), 0);
    h.Tree.MouseLeave();
    h.Tree.SetShowHint(false);
    EXPECT_EQ(h.Tree.Request(empty), 1);
    EXPECT_FALSE(h.Tree.TreeStates().Contains(tsHint));
    h.Tree.SetShowHint(true);
    for (TLazyTreeState s : {tsScrolling, tsDrawSelecting, tsOLEDragging}) {
        h.Tree.SetTreeStates(h.Tree.TreeStates() + TLazyTreeStates{s});
        EXPECT_EQ(h.Tree.Request(empty), 1) << int(s);
        h.Tree.SetTreeStates(h.Tree.TreeStates() - TLazyTreeStates{s});
    }
}

TEST(LazyTreeHints, EffectiveAnimation)
{
    THints h(hmHint);
    TLazyTreeGlobals &g = LazyTreeGlobals();
    const bool mmx = g.MMXAvailable;
    struct TCase
    {
        THintAnimationType Set;
        bool MMX, Animate, Fade;
        THintAnimationType Effective;
    };
    const TCase cases[] = {
        {hatFade, true, false, false, hatFade},
        {hatFade, false, false, false, hatSlide},
        {hatSlide, false, false, false, hatSlide},
        {hatNone, true, true, true, hatNone},
        {hatSystemDefault, true, false, true, hatNone},
        {hatSystemDefault, true, true, true, hatFade},
        {hatSystemDefault, false, true, true, hatSlide},
        {hatSystemDefault, true, true, false, hatSlide},
    };
    QApplication::setEffectEnabled(Qt::UI_General, true);
    for (const TCase &c : cases) {
        g.MMXAvailable = c.MMX;
        QApplication::setEffectEnabled(Qt::UI_FadeTooltip, c.Fade);
        QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, c.Animate);
        h.Tree.SetHintAnimation(c.Set);
        EXPECT_EQ(h.Tree.EffectiveHintAnimation(), c.Effective) << int(c.Set) << c.MMX << c.Animate << c.Fade;
    }
    g.MMXAvailable = mmx;
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_General, false);
}

TEST(LazyTreeHints, HintNearTheDesktopCornerMovesOntoIt)
{
    THints h(hmHintAndDefault);
    ASSERT_TRUE(h.ShowShortHint());
    TLazyTreeHintWindow &w = *h.Tree.HintWindow();
    const QRect desk = h.Tree.screen()->virtualGeometry();
    const int right = desk.x() + desk.width(), bottom = desk.y() + desk.height();
    w.ActivateHint(TRect(right - 10, bottom - 5, right + 90, bottom + 15), QString());
    EXPECT_EQ(w.geometry(), QRect(right - 100, bottom - 20, 100, 20));
    w.ActivateHint(TRect(desk.x() - 30, desk.y() - 8, desk.x() + 20, desk.y() + 12), QString());
    EXPECT_EQ(w.geometry(), QRect(desk.x(), desk.y(), 50, 20));
}

TEST(LazyTreeHints, AnimationsRunTheirStepsAndStopWhenTheWindowGoes)
{
    PreviousHandler = qInstallMessageHandler(DropOpacityNotes);
    THints h(hmHintAndDefault);
    h.Tree.setToolTip(QStringLiteral("Tip"));
    const QPoint empty = THints::EmptySpace;
    int64_t now = 0;
    int calls = 0, callsAfterGone = -1;
    std::function<void()> atCall;
    h.Tree.SetAnimationClock([&] {
        ++calls;
        if (callsAfterGone >= 0)
            ++callsAfterGone;
        if (atCall && calls == 40) {
            atCall();
            callsAfterGone = 0;
        }
        return ++now;
    });

    // A slide ends with the whole hint shown, a fade fully opaque.
    h.Tree.SetHintAnimation(hatSlide);
    ASSERT_TRUE(h.Tree.RestAt(empty));
    TLazyTreeHintWindow *w = h.Tree.HintWindow();
    EXPECT_EQ(w->ShownRows(), w->height());
    EXPECT_GT(calls, 1);
    h.Tree.CancelHint();
    h.Tree.MouseLeave();
    LazyTreeGlobals().MMXAvailable = true;
    h.Tree.SetHintAnimation(hatFade);
    calls = 0;
    ASSERT_TRUE(h.Tree.RestAt(empty));
    EXPECT_GT(calls, 255);
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    EXPECT_FALSE(h.Tree.TreeStates().Contains(tsInAnimation));
    h.Tree.CancelHint();
    h.Tree.MouseLeave();

    // A cancel meant for an earlier animation stops one fade, not every later one.
    h.Tree.SetTreeStates(h.Tree.TreeStates() + TLazyTreeStates{tsCancelHintAnimation});
    calls = 0;
    ASSERT_TRUE(h.Tree.RestAt(empty));
    EXPECT_LT(calls, 10);
    EXPECT_FALSE(h.Tree.TreeStates().Contains(tsCancelHintAnimation));
    h.Tree.CancelHint();
    h.Tree.MouseLeave();
    calls = 0;
    ASSERT_TRUE(h.Tree.RestAt(empty));
    EXPECT_GT(calls, 255);
    h.Tree.CancelHint();
    h.Tree.MouseLeave();

    // Without a duration there is nothing to animate: the hint shows at once.
    for (THintAnimationType type : {hatFade, hatSlide}) {
        h.Tree.SetHintAnimation(type);
        h.Tree.SetAnimationDuration(0);
        calls = 0;
        ASSERT_TRUE(h.Tree.RestAt(empty));
        EXPECT_EQ(calls, 0);
        EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
        EXPECT_EQ(w->ShownRows(), w->height());
        h.Tree.CancelHint();
        h.Tree.MouseLeave();
    }
    h.Tree.SetAnimationDuration(200);
    h.Tree.SetHintAnimation(hatFade);

    // The window goes in the middle of a fade: the next step ends the animation.
    calls = 0;
    atCall = [&] { delete h.Tree.HintWindow(); };
    h.Tree.RestAt(empty);
    EXPECT_TRUE(HintWindowGone);
    EXPECT_LE(callsAfterGone, 4);
    EXPECT_FALSE(h.Tree.TreeStates().Contains(tsInAnimation));
    h.Tree.SetAnimationClock(nullptr);
    qInstallMessageHandler(PreviousHandler);
}

TEST(LazyTreeHints, ClicksMakeTheHintGoKeysDoNot)
{
    THints h(hmHintAndDefault);
    ASSERT_TRUE(h.ShowShortHint());
    TLazyTreeHintWindow &w = *h.Tree.HintWindow();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QMouseEvent move(QEvent::NonClientAreaMouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, {});
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, {});
    EXPECT_FALSE(w.IsHintMsg(&key));
    EXPECT_FALSE(w.IsHintMsg(&move));
    EXPECT_TRUE(w.IsHintMsg(&press));
    KeyPress(h.Tree, Qt::Key_A, {}, QStringLiteral("a"));
    EXPECT_TRUE(w.isVisible());
    MousePress(h.Tree, QPoint(150, 175), {}, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.IsHintMsg(&press));   // a hidden window lets everything pass
}

TEST(LazyTreeHints, PauseIsDroppedForTooltipsAndForAHeaderWithoutHintWindow)
{
    THints h(hmHint, 2);
    h.Tree.Header().SetOptions(h.Tree.Header().Options() + TLTHeaderOptions{hoShowHint});
    const QPoint header(10, -h.Tree.Header().Height() / 2);
    const QPoint body(10, 40);
    struct TCase
    {
        TLTHintMode Mode;
        QPoint Cursor;
        bool Gone;
        int Pause;
    };
    const TCase cases[] = {
        {hmHint, body, true, 50},   {hmHint, header, false, 50}, {hmHint, header, true, 0},
        {hmTooltip, body, false, 0},
    };
    const bool gone = HintWindowGone;
    for (const TCase &c : cases) {
        h.Tree.SetHintMode(c.Mode);
        h.Tree.CursorPos = h.Tree.viewport()->mapToGlobal(c.Cursor);
        HintWindowGone = c.Gone;
        int pause = 50;
        h.Tree.CMHintShowPause(pause);
        EXPECT_EQ(pause, c.Pause) << int(c.Mode) << c.Gone;
    }
    HintWindowGone = gone;
}

TEST(LazyTreeHints, PlainHintIsABlackFramedInfoBoxThemedOneTheTooltipElement)
{
    THints h(hmHintAndDefault);
    ASSERT_TRUE(h.ShowShortHint());
    const QImage plain = h.Tree.HintWindow()->DrawBuffer();
    EXPECT_EQ(plain.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(plain.pixel(plain.width() - 1, plain.height() - 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(plain.pixel(1, plain.height() - 2), ToQColor(clInfoBk).rgb());

    TFakeThemePlatform theme;
    theme.LibraryPresent = theme.ThemeActive = true;
    SetThemePlatform(&theme);
    theme.LoadThemeLibrary();
    TLazyTreeGlobals &g = LazyTreeGlobals();
    const bool vista = g.IsWinVistaOrAbove;
    g.IsWinVistaOrAbove = true;
    struct TCase
    {
        TLTPaintOptions Options;
        TRect Element;
    };
    const TRect whole(0, 0, plain.width(), plain.height());
    TRect wide = whole;
    InflateRect(wide, 4, 4);
    for (const TCase &c : {TCase{{toUseExplorerTheme}, whole}, TCase{{toThemeAware}, wide}}) {
        h.Tree.TreeOptions().SetPaintOptions(c.Options);
        theme.Draws.clear();
        h.Tree.CancelHint();
        h.Tree.MouseLeave();
        ASSERT_TRUE(h.Tree.RestAt(THints::EmptySpace));
        ASSERT_EQ(theme.Draws.size(), 1u);
        EXPECT_EQ(theme.Draws[0].Class, "tooltip");
        EXPECT_EQ(theme.Draws[0].Part, 1);
        EXPECT_EQ(theme.Draws[0].Rect, c.Element);
    }
    g.IsWinVistaOrAbove = vista;
    theme.FreeThemeLibrary();
    SetThemePlatform(nullptr);
}

// A shown hint goes when the tree loses the focus and when an edit starts, not only the
// hint state.
TEST(LazyTreeHints, FocusLossAndEditingHideAShownHint)
{
    for (bool edit : {false, true}) {
        SCOPED_TRACE(edit);
        THints h(hmTooltip, 1);
        const PLazyNode node = h.Node(1);
        const QPoint p = h.OnText(node);
        h.Tree.Header().Columns()[0].SetWidth(p.x() + 20);
        QApplication::processEvents();
        ASSERT_TRUE(h.Tree.RestAt(p));
        ASSERT_TRUE(h.Tree.HintShown());
        auto link = std::make_shared<TFakeEditLink>();
        h.Tree.OnCreateEditor = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, std::shared_ptr<ILTEditLink> &Link) {
            Link = link;
        };
        if (edit) {
            h.Tree.TreeOptions().SetMiscOptions(h.Tree.TreeOptions().MiscOptions() + TLTMiscOptions{toEditable});
            ASSERT_TRUE(h.Tree.EditNode(node, 0));
            EXPECT_TRUE(h.Tree.hasFocus());   // the fake editor takes no focus
        } else {
            h.Tree.clearFocus();
        }
        EXPECT_FALSE(h.Tree.HintShown());
        EXPECT_FALSE(h.Tree.TreeStates().Contains(tsHint));
        h.Tree.CancelEditNode();
        h.Tree.OnCreateEditor = nullptr;
    }
}
