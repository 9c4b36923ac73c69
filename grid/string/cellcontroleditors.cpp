#include "grid/string/cellcontroleditors.h"

#include "grid/string/dazstringgrid.h"

#include <QKeyEvent>

bool TCellControlKeys::GridKey(QWidget *Self, int Key)
{
    auto *grid = qobject_cast<TDazStringGrid *>(Self->parentWidget());
    if (!grid)
        return false;
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        if (OnControlExit)
            OnControlExit();
        grid->setFocus();
        return true;
    }
    if (Key == Qt::Key_Tab) {
        if (OnControlExit)
            OnControlExit();
        if (grid->Navigation().AdvanceAuto()) {
            grid->setFocus();
            grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, true,
                                    grid->Navigation().AdvanceAutoEdit(), true);
        } else if (OnEditNextControl) {
            OnEditNextControl();
        }
        return true;
    }
    return false;
}

TControlEdit::TControlEdit(QWidget *Parent) : QLineEdit(Parent)
{
    hide();
}

bool TControlEdit::event(QEvent *e)
{
    // Tab stays with the edit (it claims the key) instead of moving the focus.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent *>(e));
        return true;
    }
    return QLineEdit::event(e);
}

void TControlEdit::keyPressEvent(QKeyEvent *e)
{
    if (GridKey(this, e->key()))
        return;
    QLineEdit::keyPressEvent(e);
}

TControlCombo::TControlCombo(QWidget *Parent) : QComboBox(Parent)
{
    hide();
}

bool TControlCombo::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent *>(e));
        return true;
    }
    return QComboBox::event(e);
}

void TControlCombo::keyPressEvent(QKeyEvent *e)
{
    if (GridKey(this, e->key()))
        return;
    QComboBox::keyPressEvent(e);
}
