// TDazStringGrid: the floating footer's panel under the grid and the painting of its cells;
// the editors of CONTROL elements.
#include "grid/string/dazstringgrid.h"

#include "grid/string/cellcontroleditors.h"
#include "grid/string/footerpanel.h"

TFooterPanel *TDazStringGrid::FooterPanel()
{
    if (!FFooterPanel) {
        FFooterPanel = new TFooterPanel(this);
        FFooterPanel->hide();
        if (OnCreatedFloatingFooter)
            OnCreatedFloatingFooter(this);
    }
    return FFooterPanel;
}

int TDazStringGrid::FooterPanelHeight() const
{
    const int h = FFloatingFooter.PanelHeight();
    return h >= 0 ? h : DefaultRowHeight();
}

void TDazStringGrid::UpdateFooterPanel()
{
    if (!FFloatingFooter.Visible()) {
        if (FFooterPanel && FFooterPanel->isVisible()) {
            FFooterPanel->hide();
            setViewportMargins(0, 0, 0, 0);
        }
        return;
    }
    TFooterPanel *panel = FooterPanel();
    const int h = FooterPanelHeight();
    setViewportMargins(0, 0, 0, h);
    const QRect v = viewport()->geometry();
    panel->setGeometry(v.x(), v.y() + v.height(), v.width(), h);
    panel->show();
    panel->update();
}

void TDazStringGrid::UpdateFooter()
{
    if (FFooterPanel && FFooterPanel->isVisible())
        FFooterPanel->update();
}

void TDazStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
    UpdateFooter();
}

void TDazStringGrid::PaintFooterCell(TCanvas &Canvas, int ACol, int ARow, const TRect &R,
                                     TGridDrawState AState)
{
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        return;
    // The footer row is a reserved row of the grid; its cells paint as content only.
    const bool hide = FHideLastRow;
    FHideLastRow = false;
    Canvas.Save();
    Canvas.IntersectClipRect(R);
    DrawCellContent(Canvas, ACol, ARow, R, AState);
    Canvas.Restore();
    FHideLastRow = hide;
}

TControlEdit *TDazStringGrid::ControlEdit()
{
    if (!FControlEdit)
        FControlEdit = new TControlEdit(this);
    return FControlEdit;
}

TControlCombo *TDazStringGrid::ControlCombo()
{
    if (!FControlCombo)
        FControlCombo = new TControlCombo(this);
    return FControlCombo;
}
