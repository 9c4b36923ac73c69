// Presses the grid works itself: embedded BUTTON, CHECK and RADIO elements of mark-up cells,
// the header drop-down button with its menu, and the events around a selection-resize drag.
#include "controlelement.h"
#include "editfixture.h"

#include "grid/base/markup.h"
#include "grid/base/markuprender.h"

#include <QPainter>

#include <QMenu>

namespace {

void Press(TDazStringGrid &Grid, QPointF P, QEvent::Type Type = QEvent::MouseButtonPress)
{
    QWidget *vp = Grid.viewport();
    const bool down = Type != QEvent::MouseButtonRelease;
    QMouseEvent e(Type, P, vp->mapToGlobal(P),
                  Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

void PressAndRelease(TDazStringGrid &Grid, QPointF P)
{
    Press(Grid, P);
    Press(Grid, P, QEvent::MouseButtonRelease);
}

// ---------------------------------------------------------------------------------------
// Embedded elements
// ---------------------------------------------------------------------------------------

class ControlPress : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        grid->SetEnableHTML(true);
        grid->SetColWidths(1, 200);
        grid->SetRowHeights(1, 30);
        grid->OnControlClick = [this](TObject *, int R, int C, const QString &Id,
                                      const QString &Type, const QString &Val) {
            Clicks << QStringLiteral("%1,%2 %3 %4 %5").arg(R).arg(C).arg(Id, Type, Val);
        };
    }
    // A press on the element that starts the cell text.
    void PressFirstElement() { PressAndRelease(*grid, Point()); }
    // The first point of cell (1, 1) on an element.
    QPointF Point() const { return ControlElementPoint(*grid, 1, 1); }
    QString Value(const char *Id) const
    {
        QString v;
        GetControlValue(grid->Cells(1, 1), QString::fromLatin1(Id), v);
        return v;
    }
    QStringList Clicks;
};

TEST_F(ControlPress, CheckElementsFlipAndReport)
{
    grid->SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\"> on"));
    PressFirstElement();
    EXPECT_EQ(Value("c").toUpper(), "TRUE");
    PressFirstElement();
    EXPECT_EQ(Value("c").toUpper(), "FALSE");
    EXPECT_EQ(Clicks, QStringList({"1,1 c CHECK TRUE", "1,1 c CHECK FALSE"}));
}

TEST_F(ControlPress, ARadioElementIsTheOnlyOneOn)
{
    grid->SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"RADIO\" ID=\"a\" VALUE=\"FALSE\" WIDTH=\"16\">"
                                        "<CONTROL TYPE=\"RADIO\" ID=\"b\" VALUE=\"TRUE\" WIDTH=\"16\">"));
    PressFirstElement();
    EXPECT_EQ(Value("a").toUpper(), "TRUE");
    EXPECT_EQ(Value("b").toUpper(), "FALSE");
    EXPECT_EQ(Clicks, QStringList({"1,1 a RADIO TRUE"}));
}

TEST_F(ControlPress, AButtonElementIsPressedUntilTheRelease)
{
    grid->SetCells(1, 1,
                   QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"go\" VALUE=\"Go\" WIDTH=\"60\">"));
    const QString before = grid->Cells(1, 1);
    Press(*grid, Point());
    EXPECT_EQ(Clicks, QStringList({"1,1 go BUTTON Go"}));
    const QImage down = grid->viewport()->grab().toImage();
    Press(*grid, Point(), QEvent::MouseButtonRelease);
    const QImage up = grid->viewport()->grab().toImage();
    EXPECT_NE(down, up);   // drawn pressed, then raised again
    EXPECT_EQ(grid->Cells(1, 1), before);
}

// A cell that cannot be edited keeps its elements as they are and reports nothing.
TEST_F(ControlPress, ElementsOfACellThatCannotBeEditedStay)
{
    const QString text = QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\">");
    const struct
    {
        const char *What;
        std::function<void()> Set;
    } cases[] = {
        {"read-only cell", [&] { grid->SetReadOnly(1, 1, true); }},
        {"grid without editing", [&] { grid->SetOptions(grid->Options() - goEditing); }},
        {"refused by OnCanEditCell",
         [&] { grid->OnCanEditCell = [](TObject *, int, int, bool &Can) { Can = false; }; }},
    };
    for (const auto &c : cases) {
        grid->SetCells(1, 1, text);
        c.Set();
        PressFirstElement();
        EXPECT_EQ(grid->Cells(1, 1), text) << c.What;
        EXPECT_TRUE(Clicks.isEmpty()) << c.What;
        grid->SetReadOnly(1, 1, false);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnCanEditCell = nullptr;
    }
}

// A press on a rating sets half stars of 9 pixels, through the handler; a read-only
// rating does not change.
TEST_F(ControlPress, ARatingTakesThePressedHalfStar)
{
    grid->AddRating(2, 2, 5, clRed, clGray);
    grid->SetCells(2, 2, QStringLiteral("1"));
    const TRect r = grid->CellRect(2, 2);
    std::vector<double> asked;
    grid->OnRatingChange = [&](TObject *, int, int, double &Rate, bool &Allow) {
        asked.push_back(Rate);
        Allow = Rate < 4;
    };
    PressAndRelease(*grid, QPointF(r.Left + 30, r.Top + 5));   // 30 / 9 = 3 half stars
    EXPECT_EQ(asked, std::vector<double>{1.5});
    EXPECT_EQ(grid->Floats(2, 2), 1.5);
    PressAndRelease(*grid, QPointF(r.Left + 75, r.Top + 5));   // refused
    EXPECT_EQ(grid->Floats(2, 2), 1.5);
    grid->OnCanEditCell = [](TObject *, int, int, bool &CanEdit) { CanEdit = false; };
    asked.clear();
    PressAndRelease(*grid, QPointF(r.Left + 12, r.Top + 5));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(grid->Floats(2, 2), 1.5);
}

// ---------------------------------------------------------------------------------------
// Header drop-down button
// ---------------------------------------------------------------------------------------

class HeaderDropDown : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        grid->SetRowCount(6);
        grid->ControlLook().SetFixedDropDownButton(true);
        grid->SetHoverFixedCells(hfAll);
        grid->SortSettings().SetShow(true);
        for (int r = 1; r < 6; ++r)
            grid->SetCells(2, r, QString::number(7 - r));
        grid->OnClickSort = [this](TObject *, int) { ++Sorts; };
    }
    QPointF OnButton(int ACol) const
    {
        const TRect r = grid->CellRect(ACol, 0);
        return QPointF(r.Right - 8, r.Top + 5);
    }
    int Sorts = 0;
};

TEST_F(HeaderDropDown, APressPopsUpTheMenuAndItsReleaseDoesNotSort)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Hide column"));
    grid->SetFixedDropDownMenu(&menu);
    QStringList calls;
    grid->OnFixedDropDownClick = [&](TObject *, int C, int R, QMenu *&M, bool &) {
        calls << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(M == &menu);
    };
    PressAndRelease(*grid, OnButton(2));
    EXPECT_EQ(calls, QStringList({"2,0 1"}));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.property("Column").toInt(), 2);
    EXPECT_EQ(Sorts, 0);
    menu.hide();

    // The header away from its button sorts as before.
    const TRect r = grid->CellRect(2, 0);
    PressAndRelease(*grid, QPointF(r.Left + 20, r.Top + 5));
    EXPECT_EQ(Sorts, 1);
}

TEST_F(HeaderDropDown, AColumnWithoutTheButtonSortsOnTheSamePress)
{
    grid->OnCanShowFixedDropDown = [](TObject *, int ACol, bool &Can) { Can = ACol != 2; };
    QMenu menu;
    grid->SetFixedDropDownMenu(&menu);
    PressAndRelease(*grid, OnButton(2));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(Sorts, 1);
}

TEST_F(HeaderDropDown, ADestroyedMenuIsForgotten)
{
    auto menu = std::make_unique<QMenu>();
    grid->SetFixedDropDownMenu(menu.get());
    menu.reset();
    EXPECT_EQ(grid->FixedDropDownMenu(), nullptr);
    PressAndRelease(*grid, OnButton(2));   // no menu to pop up, and no sort either
    EXPECT_EQ(Sorts, 0);
}

// ---------------------------------------------------------------------------------------
// Selection-resize drag
// ---------------------------------------------------------------------------------------

TEST_F(ControlPress, SelectionResizeReportsBeforeAndAfterThePaste)
{
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    grid->SetCells(1, 1, QStringLiteral("a"));
    grid->FocusCell(1, 1, true);
    QStringList events;
    auto rect = [](const TGridRect &g) {
        return QStringLiteral("%1,%2-%3,%4").arg(g.Left).arg(g.Top).arg(g.Right).arg(g.Bottom);
    };
    grid->OnSelectionResize = [&](TObject *, const TGridRect &O, const TGridRect &N) {
        events << "resize " + rect(O) + " " + rect(N) + " " + grid->Cells(1, 3);
    };
    grid->OnSelectionResized = [&](TObject *, const TGridRect &O, const TGridRect &N) {
        events << "resized " + rect(O) + " " + rect(N) + " " + grid->Cells(1, 3);
    };
    const TRect r = grid->CellRect(1, 1);
    Press(*grid, QPointF(r.Right - 2, r.Bottom - 2));
    const TRect target = grid->CellRect(1, 3);
    Press(*grid, QPointF(target.Left + 5, target.Top + 5), QEvent::MouseMove);
    Press(*grid, QPointF(target.Left + 5, target.Top + 5), QEvent::MouseButtonRelease);
    ASSERT_EQ(events.size(), 2);
    EXPECT_TRUE(events[0].startsWith("resize 1,1-1,1 1,1-1,3")) << events[0].toStdString();
    EXPECT_TRUE(events[1].startsWith("resized 1,1-1,1 1,1-1,3")) << events[1].toStdString();
}

}   // namespace
