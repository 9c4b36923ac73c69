// Editing CONTROL elements of mark-up cells and renaming header cells.
#include "editfixture.h"

#include "grid/base/markup.h"
#include "grid/string/cellcontroleditors.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QLineEdit>

namespace {

using EmbeddedFixture = EditFixture;

const TRect KCtrlRect{10, 10, 70, 30};

QString Cell(const char *Type, const char *Extra = "")
{
    return QStringLiteral("Name: <CONTROL TYPE=\"%1\" ID=\"n\" VALUE=\"old\" WIDTH=\"60\"%2>")
        .arg(Type, Extra);
}

}   // namespace

TEST_F(EmbeddedFixture, EditTypesWriteTheTypedValueIntoTheElement)
{
    QStringList done;
    grid->OnControlEditDone = [&](TObject *, int R, int C, const QString &ID,
                                  const QString &Type, const QString &V) {
        done << QStringLiteral("%1,%2 %3 %4 %5").arg(C).arg(R).arg(ID, Type, V);
    };
    struct Case
    {
        const char *type, *extra;
        QLineEdit::EchoMode echo;
        int maxLength;
    } cases[] = {
        {"EDIT", "", QLineEdit::Normal, 32767},
        {"PASSWORD", " MAXLEN=\"5\"", QLineEdit::Password, 5},
        {"EDIT", " MAXLEN=\"0\"", QLineEdit::Normal, 32767},
    };
    for (const Case &c : cases) {
        const QString text = Cell(c.type, c.extra);
        grid->SetCells(1, 1, text);
        grid->StartControlEdit(text, c.type, 1, 1, 1, KCtrlRect, "old", "n");
        TControlEdit *e = grid->ControlEdit();
        ASSERT_TRUE(e->isVisible()) << c.type;
        EXPECT_EQ(e->text(), "old");
        EXPECT_EQ(e->echoMode(), c.echo) << c.type;
        EXPECT_EQ(e->maxLength(), c.maxLength) << c.type;
        e->setText("new");
        grid->setFocus();   // leaving the edit ends it
        EXPECT_FALSE(grid->ControlEditing());
        EXPECT_FALSE(e->isVisible());
        QString v;
        ASSERT_TRUE(GetControlValue(grid->Cells(1, 1), "n", v));
        EXPECT_EQ(v, "new") << c.type;
    }
    EXPECT_EQ(done, (QStringList{"1,1 n EDIT new", "1,1 n PASSWORD new", "1,1 n EDIT new"}));

    // Another type opens nothing.
    grid->StartControlEdit(Cell("CHECK"), "CHECK", 1, 1, 1, KCtrlRect, "old", "n");
    EXPECT_FALSE(grid->ControlEditing());
}

TEST_F(EmbeddedFixture, MaskElementsUseTheirPropAsEditMask)
{
    const QString text = Cell("MASK", " PROP=\"99-99\"");
    grid->SetCells(1, 1, text);
    grid->StartControlEdit(text, "MASK", 1, 1, 1, KCtrlRect, "12-34", "n");
    EXPECT_TRUE(grid->ControlEdit()->inputMask().startsWith("99-99"));
    grid->EndControlEdit();
    QString v;
    GetControlValue(grid->Cells(1, 1), "n", v);
    EXPECT_EQ(v, "12-34");
}

TEST_F(EmbeddedFixture, ComboElementsTakeTheApplicationsItems)
{
    int selected = -2;
    grid->OnControlComboList = [](TObject *, int, int, const QString &, const QString &,
                                  const QString &, TStringList &Values, bool &Edit, int &) {
        Values.Add("a");
        Values.Add("b");
        Edit = false;
    };
    grid->OnControlComboSelect = [&](TObject *, int, int, int I, const QString &,
                                     const QString &) { selected = I; };
    const QString text = Cell("COMBO");
    grid->SetCells(1, 1, text);
    grid->StartControlEdit(text, "COMBO", 1, 1, 1, KCtrlRect, "b", "n");
    QComboBox *c = grid->ControlCombo();
    ASSERT_TRUE(c->isVisible());
    EXPECT_FALSE(c->isEditable());
    EXPECT_EQ(c->currentIndex(), 1);
    c->setCurrentIndex(0);
    emit c->activated(0);
    EXPECT_EQ(selected, 0);
    grid->EndControlEdit();
    QString v;
    GetControlValue(grid->Cells(1, 1), "n", v);
    EXPECT_EQ(v, "a");

    // A value that is no item still shows as text in an editable combo.
    grid->OnControlComboList = nullptr;
    grid->StartControlEdit(text, "COMBO", 1, 1, 1, KCtrlRect, "free", "n");
    EXPECT_EQ(c->currentText(), "free");
    grid->EndControlEdit();
}

TEST_F(EmbeddedFixture, HeaderCellsAreRenamedAndARefusedNameKeepsTheEditorOpen)
{
    grid->SetCells(2, 0, "Head");
    grid->StartFixedCellEdit(2, 0);
    auto *edit = qobject_cast<QLineEdit *>(grid->FixedCellEditor());
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), "Head");
    edit->setText("Renamed");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->FixedCellEditor(), nullptr);
    EXPECT_EQ(grid->Cells(2, 0), "Renamed");

    log->Validate = [](int, int, QString &V, bool &Valid) { Valid = !V.isEmpty(); };
    grid->StartFixedCellEdit(2, 0);
    edit->setText("");
    grid->StartFixedCellEdit(3, 0);   // the refused empty name keeps the first editor
    EXPECT_EQ(grid->FixedCellEditor(), edit);
    EXPECT_EQ(grid->Cells(2, 0), "Renamed");
    edit->setText("Ok");
    grid->StartFixedCellEdit(3, 0);
    EXPECT_EQ(grid->Cells(2, 0), "Ok");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
}

TEST_F(EmbeddedFixture, TheFixedColumnUsesItsOwnEditorAndOnFixedEditCanSwitchIt)
{
    grid->MouseActions().SetFixedColsEditor(fceComboList);
    grid->SetCells(0, 2, "B");
    grid->OnFixedEdit = [](TObject *, int ACol, int, TGridFixedCellEditor &E, TStringList &V) {
        if (ACol == 0) {
            V.Add("A");
            V.Add("B");
        } else {
            E = fceComboEdit;
        }
    };
    grid->StartFixedCellEdit(0, 2);
    auto *combo = qobject_cast<QComboBox *>(grid->FixedCellEditor());
    ASSERT_TRUE(combo);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->currentIndex(), 1);
    combo->setCurrentIndex(0);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->Cells(0, 2), "A");

    grid->StartFixedCellEdit(2, 0);
    ASSERT_TRUE(qobject_cast<QComboBox *>(grid->FixedCellEditor()));
    EXPECT_TRUE(combo->isEditable());
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
}

TEST_F(EmbeddedFixture, APressOnAnEditElementOpensItsEditor)
{
    grid->SetEnableHTML(true);
    grid->SetCells(1, 1, "<CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"old\" WIDTH=\"40\">");
    Click(1, 1);
    ASSERT_TRUE(grid->ControlEditing());
    TControlEdit *e = grid->ControlEdit();
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(e->text(), "old");
    e->setText("new");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(grid->ControlEditing());
    QString v;
    GetControlValue(grid->Cells(1, 1), "n", v);
    EXPECT_EQ(v, "new");
}

TEST_F(EmbeddedFixture, HeaderPressesStartTheRenameAsConfigured)
{
    grid->SetCells(2, 0, "Head");
    struct Case {
        TGridFixedCellEdit Mode;
        Qt::MouseButton Button;
        bool Opens;
    };
    const Case cases[] = {
        {fceNone, Qt::LeftButton, false},       {fceLeftClick, Qt::LeftButton, true},
        {fceLeftClick, Qt::RightButton, false}, {fceRightClick, Qt::RightButton, true},
        {fceRightClick, Qt::LeftButton, false}, {fceDblClick, Qt::LeftButton, false},
    };
    for (const Case &c : cases) {
        grid->MouseActions().SetFixedRowsEdit(c.Mode);
        Click(2, 0, c.Button);
        EXPECT_EQ(grid->FixedCellEditor() != nullptr, c.Opens) << int(c.Mode) << " " << c.Button;
        if (grid->FixedCellEditor())
            Key(Qt::Key_Escape);
        grid->setFocus();
    }
    // A double click opens it in double-click mode; the data cells never do.
    grid->MouseActions().SetFixedRowsEdit(fceDblClick);
    const TRect r = grid->CellRect(2, 0);
    const QPointF p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, grid->viewport()->mapToGlobal(p),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &dbl);
    EXPECT_NE(grid->FixedCellEditor(), nullptr);
    Key(Qt::Key_Escape);
    grid->MouseActions().SetFixedRowsEdit(fceLeftClick);
    Click(2, 2);
    EXPECT_EQ(grid->FixedCellEditor(), nullptr);
}

TEST_F(EmbeddedFixture, ATypedValueWithMarkupCharactersKeepsTheTagWhole)
{
    const QString text = Cell("EDIT", "");
    grid->SetCells(1, 1, text);
    grid->StartControlEdit(text, "EDIT", 1, 1, 1, KCtrlRect, "old", "n");
    TControlEdit *e = grid->ControlEdit();
    e->setText("a\"b >c<d &e");
    grid->setFocus();
    QString v;
    ASSERT_TRUE(GetControlValue(grid->Cells(1, 1), "n", v));
    EXPECT_EQ(v, "a\"b >c<d &e");
    EXPECT_TRUE(grid->Cells(1, 1).startsWith("Name: <CONTROL ID=\"n\""));
}
