// TDazStringGrid: controls embedded in cells follow scrolling and structure changes.
#include "grid/string/dazstringgrid.h"

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
