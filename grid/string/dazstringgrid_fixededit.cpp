// TDazStringGrid: renaming a header cell in a text field or combo box placed over it. The
// editor writes its text back on Enter or when it loses the focus, through OnCellValidate;
// a refused text keeps it open.
#include "grid/string/dazstringgrid.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

// The stop step of both header editors, with the cell each one edits.
class TGridTransEditor : public QObject
{
public:
    TGridTransEditor(TDazStringGrid *Grid, QWidget *Editor)
        : QObject(Editor), FGrid(Grid), FEditor(Editor)
    {
        Editor->installEventFilter(this);
    }
    int Col = -1, Row = -1;   // real column, row

    QString Text() const
    {
        if (auto *e = qobject_cast<QLineEdit *>(FEditor))
            return e->text();
        return static_cast<QComboBox *>(FEditor)->currentText();
    }
    // Validates and writes the text; false (the editor stays open and focused) when refused.
    bool StopEdit()
    {
        if (!FEditor->isVisible() || FStopping)
            return true;
        FStopping = true;
        QString value = Text();
        bool valid = true;
        if (FGrid->OnCellValidate)
            FGrid->OnCellValidate(FGrid, Col, Row, value, valid);
        if (!valid) {
            FStopping = false;
            FEditor->setFocus(Qt::OtherFocusReason);
            return false;
        }
        FGrid->SetCellEx(Col, Row, value);
        if (FEditor->hasFocus())
            FGrid->setFocus(Qt::OtherFocusReason);
        FEditor->hide();
        FStopping = false;
        if (FGrid->OnEditingDone)
            FGrid->OnEditingDone(FGrid);
        return true;
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                StopEdit();
                return true;
            }
        } else if (e->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent *>(e)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                StopEdit();
        }
        return false;
    }

private:
    TDazStringGrid *FGrid;
    QWidget *FEditor;
    bool FStopping = false;
};

namespace {

TGridTransEditor *TransOf(QWidget *W)
{
    if (W)
        for (QObject *o : W->children())
            if (auto *t = dynamic_cast<TGridTransEditor *>(o))
                return t;
    return nullptr;
}

}   // namespace

QWidget *TDazStringGrid::FixedCellEditor() const
{
    if (FEditTrans && FEditTrans->isVisible())
        return FEditTrans;
    if (FComboTrans && FComboTrans->isVisible())
        return FComboTrans;
    return nullptr;
}

void TDazStringGrid::StartFixedCellEdit(int ACol, int ARow)
{
    if (TGridTransEditor *t = TransOf(FEditTrans); t && !t->StopEdit())
        return;
    if (TGridTransEditor *t = TransOf(FComboTrans); t && !t->StopEdit())
        return;
    bool allow = true;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, allow);
    if (!allow)
        return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind =
        ACol == 0 ? FMouseActions.FixedColsEditor() : FMouseActions.FixedRowsEditor();
    TStringList values;
    values.AddStrings(FMouseActions.FixedComboValues());
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, kind, values);
    TRect r = CellRect(ACol, ARow);
    const QPoint at = viewport()->mapTo(this, QPoint(r.Left + 1, r.Top + 1));
    const int w = r.Right - r.Left - 2, h = r.Bottom - r.Top - 2;
    const int realCol = RealColIndex(ACol);
    const QString text = GetCellEx(realCol, ARow);
    QWidget *editor;
    if (kind == fceComboEdit || kind == fceComboList) {
        if (!FComboTrans) {
            FComboTrans = new QComboBox(this);
            new TGridTransEditor(this, FComboTrans);
            connect(FComboTrans, &QComboBox::currentTextChanged, this, [this](const QString &S) {
                if (FComboTrans->isVisible() && OnEditChange)
                    OnEditChange(this, FFixedColEdit, FFixedRowEdit, S);
            });
        }
        FComboTrans->clear();
        for (int i = 0; i < values.Count(); ++i)
            FComboTrans->addItem(values[i]);
        FComboTrans->setEditable(kind == fceComboEdit);
        FComboTrans->setCurrentIndex(FComboTrans->findText(text));
        if (kind == fceComboEdit)
            FComboTrans->setEditText(text);
        FComboTrans->setGeometry(at.x() - 1, at.y() - 1, std::max(1, w + 1), std::max(1, h));
        editor = FComboTrans;
    } else {
        if (!FEditTrans) {
            FEditTrans = new QLineEdit(this);
            new TGridTransEditor(this, FEditTrans);
            connect(FEditTrans, &QLineEdit::textEdited, this, [this](const QString &S) {
                if (OnEditChange)
                    OnEditChange(this, FFixedColEdit, FFixedRowEdit, S);
            });
        }
        FEditTrans->setText(text);
        FEditTrans->setGeometry(at.x(), at.y(), std::max(1, w), std::max(1, h));
        editor = FEditTrans;
    }
    TGridTransEditor *t = TransOf(editor);
    t->Col = realCol;
    t->Row = ARow;
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}
