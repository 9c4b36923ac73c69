// Input steps of the string grid: Tab between the editable elements of a mark-up cell.
#include "editfixture.h"

#include "grid/base/markup.h"
#include "grid/string/cellcontroleditors.h"
#include "grid/string/grideditbtn.h"

#include <QLineEdit>

namespace {

using AuditInputFixture = EditFixture;

}   // namespace

TEST_F(AuditInputFixture, TabWalksTheEditableElementsOfACellThenGivesTheFocusBack)
{
    grid->SetColWidths(1, 300);
    const QString text =
        "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"one\" WIDTH=\"50\"> "
        "<CONTROL TYPE=\"CHECK\" ID=\"b\" VALUE=\"FALSE\"> "
        "<CONTROL TYPE=\"EDIT\" ID=\"c\" VALUE=\"three\" WIDTH=\"50\">";
    grid->SetCells(1, 1, text);
    EditNextCellControl(*grid, 1, 1, QString());   // the first editable element
    TControlEdit *e = grid->ControlEdit();
    ASSERT_TRUE(grid->ControlEditing());
    EXPECT_EQ(e->text(), "one");
    const int firstX = e->x();
    e->setText("uno");
    Key(Qt::Key_Tab);   // past the check box to the second edit
    ASSERT_TRUE(grid->ControlEditing());
    EXPECT_EQ(e->text(), "three");
    EXPECT_GT(e->x(), firstX);
    QString v;
    ASSERT_TRUE(GetControlValue(grid->Cells(1, 1), "a", v));
    EXPECT_EQ(v, "uno");
    e->setText("tres");
    Key(Qt::Key_Tab);   // no element after the last: the grid takes the focus
    EXPECT_FALSE(grid->ControlEditing());
    EXPECT_FALSE(e->isVisible());
    EXPECT_TRUE(grid->hasFocus());
    ASSERT_TRUE(GetControlValue(grid->Cells(1, 1), "c", v));
    EXPECT_EQ(v, "tres");
}

TEST_F(AuditInputFixture, RowsInsertedOrDeletedByKeyMarkTheGridModified)
{
    grid->Navigation().SetAllowDeleteRow(true);
    grid->Navigation().SetAllowInsertRow(true);
    bool allow = false;
    grid->OnCanDeleteRow = [&](TObject *, int, bool &CanDelete) { CanDelete = allow; };
    grid->OnCanInsertRow = [&](TObject *, int, bool &CanInsert) { CanInsert = allow; };
    struct Case
    {
        int key;
        bool allow;
        int rowCount;
        bool modified;
    } cases[] = {
        {Qt::Key_Delete, false, 5, false},
        {Qt::Key_Insert, false, 5, false},
        {Qt::Key_Delete, true, 4, true},
        {Qt::Key_Insert, true, 6, true},
    };
    for (const Case &c : cases) {
        grid->SetRowCount(5);
        grid->SetModified(false);
        grid->FocusCell(1, 2, true);
        allow = c.allow;
        Key(c.key);
        EXPECT_EQ(grid->RowCount(), c.rowCount) << c.key << " " << c.allow;
        EXPECT_EQ(grid->Modified(), c.modified) << c.key << " " << c.allow;
    }
}

TEST_F(AuditInputFixture, ADoubleClickInTheEditWithButtonReportsTheCell)
{
    grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
        if (ACol == 2)
            E = edEditBtn;
    };
    QStringList clicks;
    grid->OnDblClickCell = [&](TObject *, int ARow, int ACol) {
        clicks << QStringLiteral("%1,%2").arg(ACol).arg(ARow);
    };
    grid->SetCells(2, 3, "abc");
    grid->FocusCell(2, 3, true);
    Key(Qt::Key_F2);
    TGridEditBtn *edit = grid->BtnEdit();
    ASSERT_TRUE(edit->isVisible());
    const QPointF p(5, edit->height() / 2);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, edit->mapToGlobal(p), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &dbl);
    EXPECT_EQ(clicks, QStringList{"2,3"});
}

TEST_F(AuditInputFixture, RowKeysInsideANodeGroupKeepTheNodeSpan)
{
    grid->Navigation().SetAllowDeleteRow(true);
    grid->Navigation().SetAllowInsertRow(true);
    grid->SetRowCount(8);
    grid->AddNode(1, 4);   // rows 1 .. 4
    ASSERT_EQ(grid->GetNodeSpan(1), 4);
    grid->FocusCell(1, 2, true);
    Key(Qt::Key_Delete);
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    grid->FocusCell(1, 2, true);
    Key(Qt::Key_Insert);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->GetNodeSpan(1), 4);
    // A row outside every group leaves the node alone.
    grid->FocusCell(1, 6, true);
    Key(Qt::Key_Delete);
    EXPECT_EQ(grid->GetNodeSpan(1), 4);
}
