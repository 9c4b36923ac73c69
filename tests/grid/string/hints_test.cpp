// Cell hints and the mark-up hint window.
#include "paintfixture.h"

#include "grid/base/textroutines.h"
#include "grid/string/htmlhintwindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class HintsTest : public PaintFixture
{
protected:
    // The hint for a point inside cell (ACol, ARow).
    QString HintAt(int ACol, int ARow, THintInfo &info)
    {
        const TRect r = grid->CellRect(ACol, ARow);
        info.CursorPos = QPoint(r.Left + 5, r.Top + 5);
        QString hint;
        grid->GetCellHintInfo(hint, info);
        return hint;
    }
    QPoint Screen(int x, int y) { return grid->viewport()->mapToGlobal(QPoint(x, y)); }
};

TEST_F(HintsTest, CellTextWithoutMarkupAtTheCellsTopEdge)
{
    grid->SetHintShowCells(true);
    grid->SetCells(2, 3, QStringLiteral("<b>bold</b> text"));
    THintInfo info;
    EXPECT_EQ(HintAt(2, 3, info), QStringLiteral("bold text"));
    const TRect r = grid->CellRect(2, 3);
    EXPECT_EQ(info.HintPos, Screen(r.Left + 5, r.Top));
    EXPECT_FALSE(info.HtmlWindow);

    grid->SetHTMLHint(true);
    EXPECT_EQ(HintAt(2, 3, info), QStringLiteral("<b>bold</b> text"));
    EXPECT_TRUE(info.HtmlWindow);

    // Fixed cells get no text of their own.
    THintInfo fixed;
    EXPECT_EQ(HintAt(2, 0, fixed), QString());
}

TEST_F(HintsTest, CommentToTheRightOfTheCell)
{
    grid->AddComment(2, 3, QStringLiteral("remember"));
    THintInfo info;
    EXPECT_EQ(HintAt(2, 3, info), QStringLiteral("remember"));
    const TRect r = grid->CellRect(2, 3);
    EXPECT_EQ(info.HintPos, Screen(r.Right, r.Top));
    EXPECT_EQ(grid->LastHintPos(), TPoint(2, 3));
}

TEST_F(HintsTest, GridHintHasTheLastWordButNotOnTheFooterRow)
{
    grid->SetHintShowCells(true);
    std::vector<std::pair<int, int>> asked;
    grid->OnGridHint = [&](TObject *, int ARow, int ACol, QString &hint) {
        asked.emplace_back(ARow, ACol);
        hint = QStringLiteral("row %1 col %2").arg(ARow).arg(ACol);
    };
    THintInfo info;
    EXPECT_EQ(HintAt(3, 2, info), QStringLiteral("row 2 col 3"));
    EXPECT_EQ(info.HintColor, clInfoBk);

    grid->FloatingFooter().SetVisible(true);
    asked.clear();
    THintInfo footer;
    HintAt(3, grid->RowCount() - 1, footer);
    EXPECT_TRUE(asked.empty());
}

TEST_F(HintsTest, LargeTextOnlyWhenItDoesNotFit)
{
    grid->SetHintShowLargeText(true);
    grid->SetWordWrap(false);
    grid->SetCells(2, 3, QStringLiteral("a text much wider than the cell it lives in"));
    THintInfo info;
    EXPECT_EQ(HintAt(2, 3, info), QStringLiteral("a text much wider than the cell it lives in"));
    const TRect r = grid->CellRect(2, 3);
    EXPECT_EQ(info.HintPos, Screen(r.Left, r.Top));
    THintInfo small;
    EXPECT_EQ(HintAt(2, 2, small), QString());
}

TEST_F(HintsTest, WideHintsGoToTheHintWindow)
{
    grid->OnGridWideHint = [](TObject *, int, int, QString &hint) { hint = QStringLiteral("wide"); };
    THintInfo info;
    const QString hint = HintAt(2, 2, info);
    EXPECT_EQ(DecodeWideCellText(hint), QStringLiteral("wide"));
    EXPECT_TRUE(info.HtmlWindow);
    grid->SetUseInternalHintClass(false);
    THintInfo plain;
    HintAt(2, 2, plain);
    EXPECT_FALSE(plain.HtmlWindow);
}

TEST(HTMLHintWindow, StaysInsideTheScreen)
{
    THTMLHintWindow w;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QString wide = QStringLiteral("<b>") + QString(400, u'W') + QStringLiteral("</b>");
    w.ActivateHint(TRect(screen.right() - 20, 10, screen.right() - 20, 10), wide);
    EXPECT_EQ(w.geometry().right() + 1, screen.x() + screen.width() - 2);
    EXPECT_GT(w.TextWidth(), 100);

    w.ActivateHint(TRect(10, screen.bottom() - 2, 10, screen.bottom() - 2), QStringLiteral("x"));
    EXPECT_EQ(w.geometry().bottom() + 1, screen.y() + screen.height() - 2);
    EXPECT_EQ(w.Caption(), QStringLiteral("x"));
}

TEST(HTMLHintWindow, SizesMarkupAndWideText)
{
    THTMLHintWindow w;
    const TRect bold = w.CalcHintRect(1000, QStringLiteral("<b>abc</b>"), nullptr);
    const TRect plain = w.CalcHintRect(1000, QStringLiteral("abc"), nullptr);
    EXPECT_GT(bold.Width(), plain.Width());
    const TRect wide = w.CalcHintRect(1000, EncodeWideCellText(QStringLiteral("<b>abc</b>")), nullptr);
    EXPECT_GT(wide.Width(), bold.Width());   // the tags are text there
}

}   // namespace

#include <QHelpEvent>
#include <QToolTip>

namespace {

TEST_F(HintsTest, ATooltipRequestShowsMarkupHintsInTheHintWindow)
{
    grid->SetShowHint(true);
    grid->SetHintShowCells(true);
    grid->SetHTMLHint(true);
    grid->SetCells(2, 3, QStringLiteral("<b>bold</b>"));
    const TRect r = grid->CellRect(2, 3);
    const QPoint at(r.Left + 4, r.Top + 4);
    QHelpEvent e(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &e);
    THTMLHintWindow *shown = nullptr;
    for (THTMLHintWindow *w : grid->findChildren<THTMLHintWindow *>())
        if (w->isVisible())
            shown = w;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Caption(), QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(shown->Color(), grid->HintColor());

    // Moving to another cell takes the hint away.
    QMouseEvent move(QEvent::MouseMove, QPointF(r.Left + 4, r.Bottom + 4),
                     grid->viewport()->mapToGlobal(QPointF(r.Left + 4, r.Bottom + 4)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(grid->LastHintPos(), TPoint(-1, -1));
}

TEST_F(HintsTest, BalloonWindowFollowsTheEnableSetting)
{
    grid->Balloon().SetEnable(true);
    EXPECT_TRUE(grid->BalloonActive());
    grid->Balloon().SetEnable(false);
    EXPECT_FALSE(grid->BalloonActive());
    grid->Balloon().SetTransparency(55);
    grid->Balloon().SetEnable(true);
    ASSERT_TRUE(grid->BalloonActive());
    grid->AddBalloon(2, 2, QStringLiteral("Title"), QStringLiteral("Text"), biInfo);
    const TRect r = grid->CellRect(2, 2);
    const QPoint at(r.Left + 4, r.Top + 4);
    QHelpEvent e(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &e);
    bool shown = false;
    for (THTMLHintWindow *w : grid->findChildren<THTMLHintWindow *>())
        if (w->isVisible() && w->Caption().contains(QStringLiteral("Title"))) {
            shown = true;
            EXPECT_NEAR(w->windowOpacity(), 200 / 255.0, 0.01);
        }
    EXPECT_TRUE(shown);
}

}   // namespace
