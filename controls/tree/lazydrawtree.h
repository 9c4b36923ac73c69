#pragma once
// TCustomLazyDrawTree: the lazy tree whose cells the application paints. The tree draws
// lines, buttons, check boxes, images, selection and focus as usual and hands each cell's
// content to OnDrawNode; the application tells each node's content width (OnGetNodeWidth,
// 2 x TextMargin without it) and, optionally, the margins of a cell's content.
#include "controls/tree/lazytree.h"

using TLTDrawNodeEvent = std::function<void(TBaseLazyTree *Sender, const TLTPaintInfo &PaintInfo)>;
using TLTGetNodeWidthEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *HintCanvas,
                                                PLazyNode Node, TColumnIndex Column, int &NodeWidth)>;
using TLTGetCellContentMarginEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *HintCanvas, PLazyNode Node,
                       TColumnIndex Column, TLTCellContentMarginType CellContentMarginType,
                       QPoint &CellContentMargin)>;

class TCustomLazyDrawTree : public TBaseLazyTree
{
    Q_OBJECT

public:
    using TBaseLazyTree::TBaseLazyTree;

    TLTDrawNodeEvent OnDrawNode;
    TLTGetNodeWidthEvent OnGetNodeWidth;
    TLTGetCellContentMarginEvent OnGetCellContentMargin;

protected:
    // A nil canvas stands for the tree's own canvas.
    QPoint CellContentMargin(PLazyNode Node, TColumnIndex Column, TLTCellContentMarginType MarginType,
                             TCanvas *Canvas = nullptr) override;
    int NodeContentWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas) override;
    void PaintNodeContent(TLTPaintInfo &PaintInfo) override;
    // The application draws the hints too, unless OnGetHintKind says otherwise.
    TLTHintKind DefaultHintKind() const override { return TLTHintKind::vhkOwnerDraw; }

private:
    TCanvas &TreeCanvas();
    std::unique_ptr<QImage> FCanvasImage;
    std::unique_ptr<TCanvas> FCanvas;
};

// The draw tree the windows would place.
class TLazyDrawTree : public TCustomLazyDrawTree
{
    Q_OBJECT

public:
    using TCustomLazyDrawTree::TCustomLazyDrawTree;
};
