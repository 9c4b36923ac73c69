// TDazStringGrid: controls embedded in cells follow scrolling and structure changes.
#include "grid/string/dazstringgrid.h"

#include <QScrollBar>

void TDazStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!FWindowCreated)
        return;
    if (RebuildList) {
        while (FControlList.Count() > 0)
            FControlList.RemoveControl(FControlList.Count() - 1);
        if (HasCellProps())
            for (int r = 0; r < RowCount(); ++r)
                for (int c = 0; c < AllColCount(); ++c)
                    if (const TCellProperties *p = PropsOf(c, r); p && p->Control())
                        FControlList.AddControl(c, RealRowIndex(r), p->Control());
    }
    // A shown cell scroll bar stays on the right edge of its cell, and folds away while the
    // cell is out of view.
    if (FCellScrollBar && FCellScrollBar->isVisible() && FScrollCol >= 0 && FScrollRow >= 0) {
        const bool inView = FScrollCol >= LeftCol() &&
                            FScrollCol <= LeftCol() + VisibleColCount() &&
                            FScrollRow >= TopRow() && FScrollRow <= TopRow() + VisibleRowCount();
        const int w = FCellScrollBar->width();
        if (inView) {
            const TRect r = CellRect(FScrollCol, FScrollRow);
            FCellScrollBar->setGeometry(r.Right - w, r.Top, w, r.Height());
        } else {
            FCellScrollBar->resize(w, 0);
        }
    }
    if (FControlList.Count() == 0)
        return;
    const int lastCol = LeftCol() + VisibleColCount();
    const int lastRow = TopRow() + VisibleRowCount();
    for (int i = 0; i < FControlList.Count(); ++i) {
        const TControlItem *item = FControlList.GetControl(i);
        QWidget *control = item->Control();
        if (!control)
            continue;
        if (IsHiddenColumn(item->X()) || HiddenRowItem(item->Y())) {
            control->hide();
            continue;
        }
        const int dc = DisplColIndex(item->X());
        const int dr = DisplRowIndex(item->Y());
        if (dc < LeftCol() || dc > lastCol || dr < TopRow() || dr > lastRow) {
            control->hide();
            continue;
        }
        const TRect r = CellRect(dc, dr);
        control->setGeometry(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
        control->show();
        control->update();
    }
}
