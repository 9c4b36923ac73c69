#include "controls/tree/lazydrawtree.h"

TCanvas &TCustomLazyDrawTree::TreeCanvas()
{
    if (!FCanvas) {
        FCanvasImage = std::make_unique<QImage>(1, 1, QImage::Format_ARGB32);
        FCanvas = std::make_unique<TCanvas>(FCanvasImage.get());
    }
    FCanvas->Font = TFont::FromQFont(font());
    return *FCanvas;
}

QPoint TCustomLazyDrawTree::CellContentMargin(PLazyNode Node, TColumnIndex Column,
                                              TLTCellContentMarginType MarginType, TCanvas *Canvas)
{
    QPoint margin(0, 0);
    if (OnGetCellContentMargin)
        OnGetCellContentMargin(this, Canvas ? Canvas : &TreeCanvas(), Node, Column, MarginType, margin);
    return margin;
}

int TCustomLazyDrawTree::NodeContentWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas)
{
    int width = 2 * TextMargin();
    if (OnGetNodeWidth)
        OnGetNodeWidth(this, Canvas ? Canvas : &TreeCanvas(), Node, Column, width);
    return width;
}

void TCustomLazyDrawTree::PaintNodeContent(TLTPaintInfo &PaintInfo)
{
    if (OnDrawNode)
        OnDrawNode(this, PaintInfo);
}
