// Grid behaviour found missing once: a hidden selection coming back with the rows, removal
// notification of the components the grid points at, the footer following writes into
// the last row, caret placement and spin buttons under a press, the cell scroll bar, the
// cell selection gate for control cells and editor-less cells, the drop target and the
// application-wide style colours.
#include "editfixture.h"
#include "paintfixture.h"

#include "grid/base/griddragdrop.h"
#include "grid/base/imagelist.h"
#include "grid/base/picture.h"
#include "grid/string/cellchecker.h"
#include "grid/string/footerpanel.h"
#include "grid/string/gridspinedit.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QScrollBar>

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject
{
public:
    explicit TPaintCounter(QWidget *W) { W->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        Count += e->type() == QEvent::Paint;
        return false;
    }
};

// ---------------------------------------------------------------------------------------
// Dimensions
// ---------------------------------------------------------------------------------------

TEST(GridGaps, GrowingRowCountShowsAHiddenSelectionAgain)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(5);
    grid.SetFixedRowAlways(true);
    grid.SetFixedRows(1);
    grid.SetRowCount(1);   // only the kept header is left
    ASSERT_EQ(grid.FixedRows(), 1);
    grid.HideSelection();
    ASSERT_TRUE(grid.SelectionHidden());

    grid.SetRowCount(5);
    EXPECT_FALSE(grid.SelectionHidden());
    const TGridRect s = grid.Selection();
    EXPECT_LT(s.Bottom, grid.RowCount());
    EXPECT_LT(s.Right, grid.ColCount());
}

// ---------------------------------------------------------------------------------------
// Components destroyed while the grid lives
// ---------------------------------------------------------------------------------------

// A checker that marks every text, so a use after its destruction would be seen.
class TMarkingChecker : public TDazStringGridCheck
{
public:
    QString Correct(int, int, const QString &S) override { return S + QStringLiteral("!"); }
};

using ComponentRemoval = EditFixture;

TEST_F(ComponentRemoval, GridForgetsEachDestroyedComponentAndStillPaintsAndEdits)
{
    auto images = std::make_unique<TCustomImageList>(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images->Add(red);
    auto pictures = std::make_unique<TPictureContainer>();
    auto checker = std::make_unique<TMarkingChecker>();
    checker->SetAutoCorrect(true);

    grid->SetGridImages(images.get());
    grid->SetPictureContainer(pictures.get());
    grid->SetCellChecker(checker.get());
    grid->SetEnableHTML(true);
    grid->AddImageIdx(2, 1, 0, haLeft, vaTop);
    grid->SetCells(2, 2, QStringLiteral("<IMG src=\"IDX:0\"> and <IMG src=\"logo\">"));
    grid->viewport()->grab();

    // Each destruction is seen alone; a second grid watching the same list forgets it too.
    TDazStringGrid other;
    other.SetGridImages(images.get());
    images.reset();
    EXPECT_EQ(grid->GridImages(), nullptr);
    EXPECT_EQ(other.GridImages(), nullptr);
    EXPECT_EQ(grid->PictureContainer(), pictures.get());
    pictures.reset();
    EXPECT_EQ(grid->PictureContainer(), nullptr);
    checker.reset();
    EXPECT_EQ(grid->CellChecker(), nullptr);

    grid->viewport()->grab();   // paints the image cell and the mark-up without them
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    Type(QStringLiteral("x"));
    Enter();
    Flush();
    EXPECT_FALSE(grid->Cells(1, 1).endsWith(QLatin1Char('!')));
}

TEST(ComponentRemovalOrder, GridDestroyedFirstLeavesTheComponentsUntouched)
{
    TCustomImageList images;
    TMarkingChecker checker;
    {
        TDazStringGrid grid;
        grid.SetGridImages(&images);
        grid.SetCellChecker(&checker);
        grid.SetGridImages(nullptr);   // a replaced watch is dropped at once
    }
    // The components outlive the grid; their destruction must not reach it (the sanitizer
    // build sees a use after free here when the grid stayed registered).
    SUCCEED();
}

// ---------------------------------------------------------------------------------------
// Footer
// ---------------------------------------------------------------------------------------

using LastRowFooter = PaintFixture;

TEST_F(LastRowFooter, WritingTheFooterRowRepaintsThePanel)
{
    grid->FloatingFooter().SetVisible(true);
    TFooterPanel *panel = grid->FooterPanel();
    ASSERT_TRUE(panel->isVisible());
    QApplication::processEvents();
    TPaintCounter paints(panel);
    grid->SetCellEx(2, grid->RowCount() - 1, QStringLiteral("sum 12"));
    QApplication::processEvents();
    EXPECT_GT(paints.Count, 0);
}

// ---------------------------------------------------------------------------------------
// A press that opens an editor
// ---------------------------------------------------------------------------------------

using PressEditing = EditFixture;

TEST_F(PressEditing, CaretPositioningPutsTheCaretUnderThePress)
{
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    grid->SetCells(1, 2, text);
    grid->SetColWidths(1, 200);
    grid->MouseActions().SetDirectEdit(true);
    grid->MouseActions().SetCaretPositioning(true);

    const TRect r = grid->CellRect(1, 2);
    const QPointF p(r.Left + 40, r.Top + (r.Bottom - r.Top) / 2);
    QWidget *vp = grid->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, p, vp->mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, vp->mapToGlobal(p), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
    Flush();

    ASSERT_TRUE(EditorShown());
    const QPoint inEditor = Editor()->mapFromGlobal(vp->mapToGlobal(p.toPoint()));
    const int expected = Editor()->cursorPositionAt(inEditor);
    ASSERT_GT(expected, 0);
    ASSERT_LT(expected, text.size());
    EXPECT_EQ(Editor()->cursorPosition(), expected);
}

TEST_F(PressEditing, PressOnAnAlwaysVisibleSpinButtonSteps)
{
    grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
        if (ACol == 1)
            E = edSpinEdit;
    };
    grid->ControlLook().SetSpinButtonsAlwaysVisible(true);
    grid->MouseActions().SetDirectEdit(true);
    struct TCase
    {
        int Row;
        bool Upper;
        const char *Expected;
    } cases[] = {{2, true, "6"}, {3, false, "4"}};
    for (const TCase &c : cases) {
        grid->SetCells(1, c.Row, QStringLiteral("5"));
        const TRect r = grid->CellRect(1, c.Row);
        const int y = c.Upper ? r.Top + 3 : r.Bottom - 3;
        const QPointF p(r.Right - 6, y);
        QWidget *vp = grid->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, p, vp->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, vp->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &release);
        Flush();
        ASSERT_NE(grid->SpinEdit(), nullptr);
        EXPECT_EQ(grid->SpinEdit()->Text(), QString::fromLatin1(c.Expected)) << c.Row;
        grid->HideInplaceEdit();
    }
}

// ---------------------------------------------------------------------------------------
// The cell scroll bar
// ---------------------------------------------------------------------------------------

using CellScrollBar = PaintFixture;

TEST_F(CellScrollBar, BarIsOperatedAndReportsEachMove)
{
    grid->AddScrollBar(2, 2, false);
    grid->SetScrollProp(2, 2, TScrollProp{20, 200});
    std::vector<std::array<int, 5>> moves;
    grid->OnScrollCell = [&](TObject *, int C, int R, int Pos, int Min, int Max) {
        moves.push_back({C, R, Pos, Min, Max});
    };
    const TRect r = grid->CellRect(2, 2);
    const QPointF p(r.Left + 5, r.Top + 5);
    QMouseEvent move(QEvent::MouseMove, p, grid->viewport()->mapToGlobal(p), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QScrollBar *bar = grid->CellScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());

    const struct
    {
        QAbstractSlider::SliderAction Action;
        int Position;
    } steps[] = {
        {QAbstractSlider::SliderSingleStepAdd, 10},
        {QAbstractSlider::SliderPageStepAdd, 110},
        {QAbstractSlider::SliderPageStepAdd, 200},   // held at the maximum
        {QAbstractSlider::SliderSingleStepSub, 190},
        {QAbstractSlider::SliderToMinimum, 0},
    };
    for (const auto &s : steps) {
        bar->triggerAction(s.Action);
        EXPECT_EQ(grid->GetScrollPosition(2, 2), s.Position) << int(s.Action);
        ASSERT_FALSE(moves.empty());
        EXPECT_EQ(moves.back(), (std::array<int, 5>{2, 2, s.Position, 0, 200}));
    }
    EXPECT_EQ(moves.size(), std::size(steps));
    // No move, no report.
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(moves.size(), std::size(steps));
}

// ---------------------------------------------------------------------------------------
// The cell selection gate
// ---------------------------------------------------------------------------------------

// Entering a check-box cell: an editable one turns editing on in a grid that edits by
// range selection or whose editing a read-only cell suspended; a read-only one suspends
// editing without taking goEditing out of the options.
TEST(SelectionGate, EnteringACheckBoxCellFollowsItsEditability)
{
    const struct
    {
        const char *What;
        bool Editing, RangeSelectAndEdit, ReadOnlyFirst, ReadOnlyBox;
        bool ExpectEditing, ExpectDisable;
    } cases[] = {
        {"range select and edit", false, true, false, false, true, false},
        {"plain grid", false, false, false, false, false, false},
        {"after a read-only cell", true, false, true, false, true, true},
        {"read-only box", true, false, false, true, true, true},
    };
    for (const auto &c : cases) {
        TDazStringGrid grid;
        grid.SetColCount(3);
        grid.SetRowCount(5);
        if (c.Editing)
            grid.SetOptions(grid.Options() + goEditing);
        grid.MouseActions().SetRangeSelectAndEdit(c.RangeSelectAndEdit);
        grid.AddCheckBox(1, 3, false, false);
        grid.SetReadOnly(1, 3, c.ReadOnlyBox);
        grid.SetReadOnly(1, 2, true);
        grid.FocusCell(1, 1, true);
        if (c.ReadOnlyFirst) {
            grid.SetRow(2);
            ASSERT_FALSE(grid.Options().Contains(goEditing)) << c.What;
            ASSERT_TRUE(grid.EditDisable()) << c.What;
        }
        grid.SetRow(3);
        ASSERT_EQ(grid.Row(), 3) << c.What;
        EXPECT_EQ(grid.Options().Contains(goEditing), c.ExpectEditing) << c.What;
        EXPECT_EQ(grid.EditDisable(), c.ExpectDisable) << c.What;
    }
}

TEST(SelectionGate, DirectEditSkipsCellsWithoutAnEditor)
{
    TDazStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetOptions(grid.Options() + goEditing);
    grid.MouseActions().SetDirectEdit(true);
    grid.OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
        if (ACol == 2)
            E = edNone;
    };
    grid.FocusCell(1, 1, true);
    grid.SetCol(2);
    ASSERT_EQ(grid.Col(), 2);
    EXPECT_FALSE(grid.Options().Contains(goEditing));
    grid.SetCol(3);
    EXPECT_TRUE(grid.Options().Contains(goEditing));
}

// ---------------------------------------------------------------------------------------
// Drop target
// ---------------------------------------------------------------------------------------

TEST(DropTargetSetting, RegistersAndRevokesTheGridsDropAcceptance)
{
    TDazStringGrid grid;
    grid.resize(300, 200);
    grid.show();
    QApplication::processEvents();
    QWidget *vp = grid.viewport();
    ASSERT_FALSE(vp->acceptDrops());
    EXPECT_EQ(grid.DropTarget(), nullptr);

    grid.DragDropSettings().SetOleDropTarget(true);
    EXPECT_TRUE(vp->acceptDrops());
    ASSERT_NE(grid.DropTarget(), nullptr);
    QMimeData data;
    data.setText(QStringLiteral("dropped"));
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(grid.DropTarget()->Ok());

    grid.DragDropSettings().SetOleDropTarget(false);
    EXPECT_FALSE(vp->acceptDrops());
    EXPECT_EQ(grid.DropTarget(), nullptr);
    // Switching on again reuses the target.
    grid.DragDropSettings().SetOleDropTarget(true);
    EXPECT_TRUE(vp->acceptDrops());
}

// ---------------------------------------------------------------------------------------
// Application-wide style colours
// ---------------------------------------------------------------------------------------

TEST(StyleColors, GridsTakeTheActiveStyleUnlessItIsWindows)
{
    TDazStringGrid grid;
    grid.SetOptions(grid.Options() + goFixedVertLine + goFixedHorzLine);
    const TColor color = grid.Color();
    TGridStyleColors style;
    style.Name = QStringLiteral("Windows");
    style.CellColor = 0x202020;
    SetActiveGridStyle(&style);
    EXPECT_FALSE(grid.UseStyleColors());
    EXPECT_EQ(grid.Color(), color);

    style.Name = QStringLiteral("Carbon");
    style.CellBorder = 0x404040;
    style.CellText = 0xF0F0F0;
    style.SelectedText = 0x00FFFF;
    SetActiveGridStyle(&style);
    EXPECT_TRUE(grid.UseStyleColors());
    EXPECT_EQ(grid.Color(), TColor(0x202020));
    EXPECT_EQ(grid.GridLineColor(), TColor(0x404040));
    EXPECT_EQ(grid.Font().Color(), TColor(0xF0F0F0));
    EXPECT_EQ(grid.SelectionTextColor(), TColor(0x00FFFF));
    EXPECT_FALSE(grid.Options().Contains(goFixedVertLine));
    EXPECT_FALSE(grid.Options().Contains(goFixedHorzLine));

    // A grid loaded while the style is active takes it as well.
    TDazStringGrid later;
    later.Loaded();
    EXPECT_TRUE(later.UseStyleColors());
    SetActiveGridStyle(nullptr);
    EXPECT_FALSE(grid.UseStyleColors());
}

}   // namespace
