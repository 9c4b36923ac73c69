#include "grid/string/gridcheckboxedit.h"

#include "grid/base/keys.h"
#include "grid/string/dazstringgrid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TGridCheckBox::TGridCheckBox(TDazStringGrid *Grid) : QCheckBox(Grid->viewport()), FGrid(Grid)
{
    hide();
    setEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void TGridCheckBox::mousePressEvent(QMouseEvent *e)
{
    // The press toggles; the release does nothing more.
    if (e->button() == Qt::LeftButton)
        toggle();
    setFocus(Qt::MouseFocusReason);
    e->accept();
}

void TGridCheckBox::mouseReleaseEvent(QMouseEvent *e)
{
    e->accept();
}

void TGridCheckBox::keyPressEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    TDazStringGrid *grid = FGrid;
    e->accept();
    if (k.Key == VK_SPACE) {
        toggle();
        return;
    }
    switch (k.Key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (!grid)
            return;
        if (k.Key == VK_ESCAPE)
            setText(grid->GetCurrentCell());
        grid->HideInplaceEdit();
        grid->setFocus(Qt::OtherFocusReason);
        if (k.Key == VK_RETURN) {
            grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, true, true, false);
        } else if (k.Key == VK_UP || k.Key == VK_DOWN) {
            uint16_t key = k.Key;
            grid->KeyDown(key, k.Shift);
        }
        return;
    }
    default:
        QCheckBox::keyPressEvent(e);
    }
}

void TGridCheckBox::keyReleaseEvent(QKeyEvent *e)
{
    // Space toggled on its press already.
    if (e->key() == Qt::Key_Space) {
        e->accept();
        return;
    }
    QCheckBox::keyReleaseEvent(e);
}

void TGridCheckBox::focusOutEvent(QFocusEvent *e)
{
    QCheckBox::focusOutEvent(e);
    if (FGrid && e->reason() != Qt::PopupFocusReason &&
        e->reason() != Qt::ActiveWindowFocusReason && !FGrid->FBlockKill && isVisible())
        FGrid->HideInplaceEdit();
}
