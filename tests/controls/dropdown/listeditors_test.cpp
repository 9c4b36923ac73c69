// The string grid editing cells with the list drop-downs it reaches through the installed
// editor makers.
#include "celleditorgrid.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/griddropdownlist.h"
#include "controls/dropdown/multicolumn.h"
#include "controls/dropdown/multicolumninstall.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

class ListEditorTest : public CellEditorGrid
{
protected:
    void SetUp() override
    {
        InstallListDropDownEditors();
        Type = edGridDropDown;
        CellEditorGrid::SetUp();
    }
};

}   // namespace

TEST_F(ListEditorTest, MultiColumnDropDownEditsACell)
{
    // The editor event fills the items before the cell's item is looked up.
    Grid->OnGetEditorPropInt = [this](TObject *, int, int) {
        TDazMultiColumnDropDown *d = MultiColumnDropDownOf(*Grid);
        ASSERT_NE(d, nullptr);
        if (d->Items().Count() > 0)
            return;
        d->Columns().Add()->Header = "Name";
        for (const char *name : {"Apple", "Abacus", "Banana"})
            d->Items().Add()->Text().Add(QString::fromLatin1(name));
    };
    Grid->SetCells(1, 1, "Banana");
    Grid->FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    TDazMultiColumnDropDown *d = MultiColumnDropDownOf(*Grid);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(d->ItemIndex(), 2);
    EXPECT_EQ(d->GetText(), "Banana");

    d->SetText(QString());
    for (QChar c : QStringLiteral("ab"))
        Key(Qt::Key_A + (c.toUpper().unicode() - u'A'), QString(c));
    EXPECT_EQ(d->GetText(), "abacus");
    EXPECT_EQ(d->ItemIndex(), 1);
    Key(Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Grid->Cells(1, 1), "abacus");
}

TEST_F(ListEditorTest, GridDropDownEditsACell)
{
    Type = edDazGridDropDown;
    Grid->OnGetEditorPropInt = [this](TObject *, int, int) {
        TCustomDazGridDropDown *d = GridDropDownOf(*Grid);
        ASSERT_NE(d, nullptr);
        if (d->Items().Count() > 0)
            return;
        d->Columns().Add()->Header = "Name";
        for (const char *name : {"Apple", "Abacus", "Banana"})
            d->Items().Add()->Text().Add(QString::fromLatin1(name));
        // An item without a lookup text is passed over, not an error.
        d->Items().Add();
    };
    Grid->SetCells(1, 1, "Ba");
    Grid->FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    TCustomDazGridDropDown *d = GridDropDownOf(*Grid);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_TRUE(d->GetGrid()->FixedRowAlways());
    EXPECT_EQ(d->ItemIndex(), 2);   // the first item starting with the cell's text
    EXPECT_EQ(d->GetText(), "Ba");  // the cell's own text stays in the edit
    d->SetItemIndex(1);
    Key(Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(Grid->Cells(1, 1), "Abacus");
}
