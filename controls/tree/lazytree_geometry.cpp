// Where things lie: the node at a position, node and text rectangles, hit testing of every
// part of a row, the widest node, top and bottom node, and measured node heights.
//
// Coordinates: content coordinates start at the first indentation level of a top-level
// node and the top of the first shown node; client = content + (FOffsetX, FOffsetY) for the
// scrolled part. FEffectiveOffsetX counts the content pixels hidden at the left.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"

#include <QThread>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTMiscOption;
using enum TLTAutoOption;
using enum THitPosition;
using enum TLTAlignment;

// ---------------------------------------------------------------------------------------
// Layout properties

namespace {

// Stores a changed layout value; true when it changed.
template <typename T>
bool Store(T &Field, T Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

}   // namespace

void TBaseLazyTree::SetIndent(uint32_t Value)
{
    if (Store(FIndent, Value) && !FLoading && FUpdateCount == 0 && HandleAllocated()) {
        UpdateScrollBars(true);
        InvalidateTree();
    }
}

void TBaseLazyTree::SetMargin(int Value)
{
    if (Store(FMargin, Value) && HandleAllocated() && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::SetTextMargin(int Value)
{
    if (Store(FTextMargin, Value) && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::SetNodeAlignment(TLTNodeAlignment Value)
{
    if (Store(FNodeAlignment, Value) && HandleAllocated() && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::SetAlignment(TLTAlignment Value)
{
    if (Store(FAlignment, Value) && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::SetBottomSpace(uint32_t Value)
{
    if (Store(FBottomSpace, Value))
        UpdateVerticalScrollBar(true);
}

void TBaseLazyTree::SetCustomCheckImages(TLTImageList *Value)
{
    if (Store(FCustomCheckImages, Value))
        InvalidateTree();
}

TLTImageList *TBaseLazyTree::CheckImages() const
{
    return FCheckImageKind == TCheckImageKind::ckCustom ? FCustomCheckImages
                                                        : CheckImageListFor(FCheckImageKind);
}

// ---------------------------------------------------------------------------------------
// Node parts

TLTImageList *TBaseLazyTree::NodeImage(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column,
                                       int &Index)
{
    bool ghosted = false;
    Index = -1;
    TLTImageList *list = DoGetImageIndex(Node, Kind, Column, ghosted, Index);
    return list && Index >= 0 ? list : nullptr;
}

int TBaseLazyTree::NodeContentWidth(PLazyNode, TColumnIndex, TCanvas *)
{
    return 0;
}

int TBaseLazyTree::NodeExtraWidth(PLazyNode, TColumnIndex, TCanvas *)
{
    return 0;
}

bool TBaseLazyTree::IsCellEmpty(PLazyNode Node, TColumnIndex Column)
{
    bool empty = true;
    if (OnGetCellIsEmpty)
        OnGetCellIsEmpty(this, Node, Column, empty);
    return empty;
}

void TBaseLazyTree::DoBeforeCellPaint(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                      TLTCellPaintMode CellPaintMode, const TRect &CellRect,
                                      TRect &ContentRect)
{
    if (OnBeforeCellPaint)
        OnBeforeCellPaint(this, Canvas, Node, Column, CellPaintMode, CellRect, ContentRect);
}

QPoint TBaseLazyTree::CellContentMargin(PLazyNode Node, TColumnIndex Column,
                                        TLTCellContentMarginType MarginType, TCanvas *Canvas)
{
    if (!OnBeforeCellPaint)
        return QPoint(0, 0);
    const TRect r = GetDisplayRect(Node, Column, true);
    TRect r2 = r;
    DoBeforeCellPaint(Canvas, Node, Column, TLTCellPaintMode::cpmGetContentMargin, r, r2);
    switch (MarginType) {
    case TLTCellContentMarginType::ccmtAllSides:
        return QPoint((r.Right - r2.Right) + (r2.Left - r.Left), (r.Bottom - r2.Bottom) + (r2.Top - r.Top));
    case TLTCellContentMarginType::ccmtTopLeftOnly: return QPoint(r2.Left - r.Left, r2.Top - r.Top);
    case TLTCellContentMarginType::ccmtBottomRightOnly:
        return QPoint(r.Right - r2.Right, r.Bottom - r2.Bottom);
    }
    return QPoint(0, 0);
}

void TBaseLazyTree::GetTextInfo(PLazyNode, TColumnIndex, QFont &AFont, TRect &R, QString &Text)
{
    R = TRect();
    Text.clear();
    AFont = font();
}

// ---------------------------------------------------------------------------------------
// Positions

PLazyNode TBaseLazyTree::GetNodeAt(int, int Y, bool Relative, int &NodeTop)
{
    if (Y < 0)
        Y = 0;
    if (Relative)
        Y -= FOffsetY;
    uint32_t top = 0;
    PLazyNode node = NodeAtPosition(uint32_t(Y), top);
    if (node)
        NodeTop = int(top) + (Relative ? FOffsetY : 0);
    return node;
}

PLazyNode TBaseLazyTree::GetNodeAt(int X, int Y)
{
    int top = 0;
    return GetNodeAt(X, Y, true, top);
}

TRect TBaseLazyTree::GetTreeRect() const
{
    return TRect(0, 0, std::max(ClientWidth(), int(FRangeX)), std::max(ClientHeight(), int(FRangeY)));
}

TRect TBaseLazyTree::GetDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly,
                                    bool Unclipped, bool ApplyCellContentMargin)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    if (Node == FRoot)
        throw ELazyTreeAssertion("Node must not be the hidden root node.");
    if (!Node->Has(vsInitialized))
        InitNode(Node);
    TRect result;
    if (!GetEffectivelyVisible(Node))
        return result;
    const bool isMain = Column == NoColumn || Column == FHeader->MainColumn();
    const TLTPaintOptions paint = FOptions->PaintOptions();
    int indent = 0;
    if (!paint.Contains(toFixedIndent)) {
        for (PLazyNode run = Node; run != FRoot; run = run->Parent) {
            if (!run->Has(vsVisible) || !run->Parent->Has(vsExpanded))
                return result;
            if (run->Parent != FRoot && isMain)
                indent += int(FIndent);
        }
    }
    const int top = int(NodeTopPosition(Node));
    const int height = int(NodeHeight(Node));
    result = TRect(0, top, std::max(ClientWidth(), int(FRangeX)), top + height);
    const TLazyTreeColumns &columns = FHeader->Columns();
    const bool hasColumn = Column >= 0 && columns.IsValidColumn(Column);
    if (!hasColumn) {
        result.Left -= FEffectiveOffsetX;
        result.Right -= FEffectiveOffsetX;
    } else {
        columns.GetColumnBounds(Column, result.Left, result.Right);
        --result.Right;
    }
    result.Top += FOffsetY;
    result.Bottom += FOffsetY;
    if (!TextOnly)
        return result;

    int offset = FMargin + indent;
    TLTAlignment alignment = hasColumn ? columns[Column].Alignment() : FAlignment;
    const bool rightToLeft = hasColumn ? columns[Column].UseRightToLeftReading() : UseRightToLeftReading();
    if (isMain) {
        if (paint.Contains(toShowRoot))
            offset += int(FIndent);
        TLTImageList *checks = CheckImages();
        if (FOptions->MiscOptions().Contains(toCheckSupport) && checks &&
            Node->CheckType != TCheckType::ctNone)
            offset += checks->Width() + 2;
    }
    int index = -1;
    if (TLTImageList *state = NodeImage(Node, TLTImageKind::ikState, Column, index))
        offset += state->Width() + 2;
    if (TLTImageList *images = NodeImage(Node, TLTImageKind::ikNormal, Column, index))
        offset += images->Width() + 2;
    if (rightToLeft) {
        result.Right -= offset;
        if (alignment == taLeftJustify)
            alignment = taRightJustify;
        else if (alignment == taRightJustify)
            alignment = taLeftJustify;
    } else {
        result.Left += offset;
    }
    const int textWidth = NodeContentWidth(Node, Column, nullptr);
    const int h0 = result.Height();
    if (ApplyCellContentMargin) {
        const TRect cell = result;
        DoBeforeCellPaint(nullptr, Node, Column, TLTCellPaintMode::cpmGetContentMargin, cell, result);
    }
    if (Unclipped) {
        if (result.Width() < textWidth - 1)
            alignment = rightToLeft ? taRightJustify : taLeftJustify;
        const int d = std::min(QFontMetrics(font()).height(), h0) - result.Height();
        if (d > 0) {
            result.Top -= (d + 1) / 2;
            result.Bottom += (d + 1) / 2;
        }
        switch (alignment) {
        case taRightJustify: result.Left = result.Right - textWidth; break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify: result.Right = result.Left + textWidth - 1; break;
        }
    } else if (textWidth < result.Width()) {
        switch (alignment) {
        case taRightJustify: result.Left = result.Right - textWidth; break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify: result.Right = result.Left + textWidth; break;
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// Hit testing

void TBaseLazyTree::GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo &HitInfo)
{
    HitInfo.HitNode = nullptr;
    HitInfo.HitPositions = {};
    HitInfo.HitColumn = NoColumn;
    const int right = std::max(ClientWidth(), int(FRangeX));
    if (X < 0)
        HitInfo.HitPositions.Include(hiToLeft);
    else if (X > right)
        HitInfo.HitPositions.Include(hiToRight);
    if (Y < 0)
        HitInfo.HitPositions.Include(hiAbove);
    else if (Y > std::max(ClientHeight(), int(FRangeY)))
        HitInfo.HitPositions.Include(hiBelow);
    if (Relative) {
        if (X >= FHeader->Columns().GetVisibleFixedWidth())
            X += FEffectiveOffsetX;
        Y -= FOffsetY;
    }
    HitInfo.HitPoint = QPoint(X, Y);
    if (!HitInfo.HitPositions.Empty())
        return;
    int nodeTop = 0;
    HitInfo.HitNode = GetNodeAt(X, Y, false, nodeTop);
    if (!HitInfo.HitNode) {
        HitInfo.HitPositions.Include(hiNowhere);
        return;
    }
    PLazyNode node = HitInfo.HitNode;
    if (!node->Has(vsInitialized))
        InitNode(node);
    int cellLeft = 0, cellRight = right;
    TLazyTreeColumns &columns = FHeader->Columns();
    if (FHeader->UseColumns()) {
        HitInfo.HitColumn = columns.FindColumnAtX(QPoint(X, 0), cellLeft, cellRight, false);
        if (FOptions->AutoOptions().Contains(toAutoSpanColumns) && HitInfo.HitColumn >= 0) {
            while (HitInfo.HitColumn >= 0 && IsCellEmpty(node, HitInfo.HitColumn)) {
                const TColumnIndex previous = columns.GetPreviousVisibleColumn(HitInfo.HitColumn);
                if (previous < 0)
                    break;
                HitInfo.HitColumn = previous;
                cellLeft -= columns[previous].Width();
            }
            // The span is the hit column and the empty cells after it, as the hint shows it.
            cellRight = cellLeft + columns[HitInfo.HitColumn].Width();
            for (TColumnIndex next = columns.GetNextVisibleColumn(HitInfo.HitColumn);
                 next >= 0 && IsCellEmpty(node, next); next = columns.GetNextVisibleColumn(next))
                cellRight += columns[next].Width();
        }
    } else {
        HitInfo.HitColumn = NoColumn;
    }
    if (HitInfo.HitColumn == InvalidColumn) {
        HitInfo.HitPositions.Include(hiNowhere);
        return;
    }
    HitInfo.HitPositions = {hiOnItem};
    if (FOptions->MiscOptions().Contains(toNodeHeightResize)) {
        const TRect r = GetDisplayRect(node, HitInfo.HitColumn, false);
        if (Y <= r.Top - FOffsetY + 1)
            HitInfo.HitPositions.Include(hiUpperSplitter);
        else if (Y >= r.Bottom - FOffsetY - 3)
            HitInfo.HitPositions.Include(hiLowerSplitter);
    }
    const int x = X - cellLeft;
    const int width = cellRight - cellLeft;
    const bool hasColumn = columns.IsValidColumn(HitInfo.HitColumn);
    const TLTAlignment alignment = hasColumn ? columns[HitInfo.HitColumn].Alignment() : FAlignment;
    const bool rightToLeft =
        hasColumn ? columns[HitInfo.HitColumn].UseRightToLeftReading() : UseRightToLeftReading();
    if (rightToLeft)
        ClassifyHitRightToLeft(HitInfo, x, alignment, width);
    else
        ClassifyHitLeftToRight(HitInfo, x, alignment, width);
}

namespace {

// The indentation of a node in the main column.
int MainIndentation(const TBaseLazyTree &Tree, PLazyNode Node)
{
    const TLTPaintOptions paint = Tree.TreeOptions().PaintOptions();
    if (paint.Contains(toFixedIndent))
        return int(Tree.Indent());
    return int(Tree.Indent()) * int(Tree.GetNodeLevel(Node) + (paint.Contains(toShowRoot) ? 1 : 0));
}

}   // namespace

void TBaseLazyTree::ClassifyHitLeftToRight(THitInfo &HitInfo, int X, TLTAlignment Alignment, int W)
{
    PLazyNode node = HitInfo.HitNode;
    const bool isMain = HitInfo.HitColumn == FHeader->MainColumn();
    int offset = isMain ? MainIndentation(*this, node) : 0;
    if (isMain && X < offset + FMargin) {
        if (FOptions->PaintOptions().Contains(toShowButtons) && node->Has(vsHasChildren)) {
            if (X >= offset - int(FIndent))
                HitInfo.HitPositions.Include(hiOnItemButton);
            if (X >= offset - FButtonWidth)
                HitInfo.HitPositions.Include(hiOnItemButtonExact);
        }
        return;
    }
    if (!isMain && FOptions->MiscOptions().Contains(toReportMode))
        return;
    offset += FMargin;
    TLTImageList *checks = CheckImages();
    if (isMain && FOptions->MiscOptions().Contains(toCheckSupport) && checks &&
        node->CheckType != TCheckType::ctNone)
        offset += checks->Width() + 2;
    if (isMain && X < offset) {
        HitInfo.HitPositions = {hiOnItem};
        if (node->CheckType != TCheckType::ctNone)
            HitInfo.HitPositions.Include(hiOnItemCheckbox);
        return;
    }
    int index = -1;
    if (TLTImageList *state = NodeImage(node, TLTImageKind::ikState, HitInfo.HitColumn, index)) {
        offset += state->Width() + 2;
        if (X < offset) {
            HitInfo.HitPositions.Include(hiOnStateIcon);
            return;
        }
    }
    if (TLTImageList *images = NodeImage(node, TLTImageKind::ikNormal, HitInfo.HitColumn, index)) {
        offset += images->Width() + 2;
        if (X < offset) {
            HitInfo.HitPositions.Include(hiOnNormalIcon);
            return;
        }
    }
    const int t = NodeContentWidth(node, HitInfo.HitColumn, nullptr);
    if (W - offset < t) {
        HitInfo.HitPositions.Include(hiOnItemLabel);
        return;
    }
    switch (Alignment) {
    case taRightJustify:
        HitInfo.HitPositions.Include(X < W - t ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int l = (offset + W - t) / 2;
        HitInfo.HitPositions.Include(X < l ? hiOnItemLeft : X < l + t ? hiOnItemLabel : hiOnItemRight);
        break;
    }
    case taLeftJustify:
        HitInfo.HitPositions.Include(X < offset + t ? hiOnItemLabel : hiOnItemRight);
        break;
    }
}

void TBaseLazyTree::ClassifyHitRightToLeft(THitInfo &HitInfo, int X, TLTAlignment Alignment, int W)
{
    PLazyNode node = HitInfo.HitNode;
    const bool isMain = HitInfo.HitColumn == FHeader->MainColumn();
    int r = W;
    if (isMain)
        r -= MainIndentation(*this, node);
    if (X >= r) {
        if (FOptions->PaintOptions().Contains(toShowButtons) && node->Has(vsHasChildren)) {
            if (X <= r + int(FIndent))
                HitInfo.HitPositions.Include(hiOnItemButton);
            if (X <= r + FButtonWidth)
                HitInfo.HitPositions.Include(hiOnItemButtonExact);
        }
        return;
    }
    if (!isMain && FOptions->MiscOptions().Contains(toReportMode))
        return;
    r -= FMargin;
    TLTImageList *checks = CheckImages();
    if (isMain && FOptions->MiscOptions().Contains(toCheckSupport) && checks &&
        node->CheckType != TCheckType::ctNone)
        r -= checks->Width() + 2;
    if (isMain && X > r) {
        HitInfo.HitPositions = {hiOnItem};
        if (node->CheckType != TCheckType::ctNone)
            HitInfo.HitPositions.Include(hiOnItemCheckbox);
        return;
    }
    int index = -1;
    if (TLTImageList *state = NodeImage(node, TLTImageKind::ikState, HitInfo.HitColumn, index)) {
        r -= state->Width() + 2;
        if (X > r) {
            HitInfo.HitPositions.Include(hiOnStateIcon);
            return;
        }
    }
    if (TLTImageList *images = NodeImage(node, TLTImageKind::ikNormal, HitInfo.HitColumn, index)) {
        r -= images->Width() + 2;
        if (X > r) {
            HitInfo.HitPositions.Include(hiOnNormalIcon);
            return;
        }
    }
    const int t = NodeContentWidth(node, HitInfo.HitColumn, nullptr);
    if (r < t) {
        HitInfo.HitPositions.Include(hiOnItemLabel);
        return;
    }
    // The alignment is mirrored.
    switch (Alignment) {
    case taLeftJustify:
        HitInfo.HitPositions.Include(X < r - t ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int l = (r - t) / 2;
        HitInfo.HitPositions.Include(X < l ? hiOnItemLeft : X < l + t ? hiOnItemLabel : hiOnItemRight);
        break;
    }
    case taRightJustify:
        HitInfo.HitPositions.Include(X > t ? hiOnItemRight : hiOnItemLabel);
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Widths

int TBaseLazyTree::GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth)
{
    TLazyTreeColumns &columns = FHeader->Columns();
    if (OperationCanceled())
        return columns.IsValidColumn(Column) ? columns[Column].Width() : 0;
    BeginOperation(TLTOperationKind::okGetMaxColumnWidth);
    int result = 0;
    try {
        if (OnBeforeGetMaxColumnWidth)
            OnBeforeGetMaxColumnWidth(FHeader.get(), Column, UseSmartColumnWidth);
        int index = -1;
        const int stateExtra = FStateImages ? FStateImages->Width() + 2 : 0;
        TLTImageList *checks = CheckImages();
        const int checkExtra = checks ? checks->Width() + 2 : 0;
        PLazyNode run = UseSmartColumnWidth ? TopNode() : GetFirstVisible(nullptr, true);
        PLazyNode stop = nullptr;
        if (UseSmartColumnWidth)
            if (PLazyNode bottom = BottomNode())
                stop = GetNextVisible(bottom, true);
        const bool isMain = Column == FHeader->MainColumn();
        const TLTPaintOptions paint = FOptions->PaintOptions();
        int offset = 0;
        bool withCheck = false;
        if (run && isMain) {
            offset = paint.Contains(toFixedIndent)
                         ? int(FIndent)
                         : int(FIndent) * int(GetNodeLevel(run) + (paint.Contains(toShowRoot) ? 1 : 0));
            withCheck = FOptions->MiscOptions().Contains(toCheckSupport) && checks;
        }
        offset += FMargin;
        bool imageSeen = false;
        while (run && run != stop && !OperationCanceled()) {
            int w = offset;
            if (withCheck && run->CheckType != TCheckType::ctNone)
                w += checkExtra;
            if (NodeImage(run, TLTImageKind::ikNormal, Column, index))
                imageSeen = true;
            if (imageSeen && FImages)
                w += FImages->Width() + 2;
            if (NodeImage(run, TLTImageKind::ikState, Column, index))
                w += stateExtra;
            w += NodeContentWidth(run, Column, nullptr) + NodeExtraWidth(run, Column, nullptr) +
                 CellContentMargin(run, Column, TLTCellContentMarginType::ccmtAllSides).x();
            result = std::max(result, w);
            PLazyNode next = GetNextVisible(run, true);
            if (next && isMain && !paint.Contains(toFixedIndent))
                offset += LevelDifference(run, next) * int(FIndent);
            run = next;
        }
        if (paint.Contains(toShowVertGridLines))
            ++result;
        if (OnAfterGetMaxColumnWidth)
            OnAfterGetMaxColumnWidth(FHeader.get(), Column, result);
    } catch (...) {
        EndOperation(TLTOperationKind::okGetMaxColumnWidth);
        throw;
    }
    EndOperation(TLTOperationKind::okGetMaxColumnWidth);
    return result;
}

int TBaseLazyTree::MaxVisibleNodeWidth()
{
    PLazyNode run = TopNode();
    if (!run)
        return 0;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    int x = int(FIndent) * int(GetNodeLevel(run) + (paint.Contains(toShowRoot) ? 1 : 0));
    if (FStateImages)
        x += FStateImages->Width() + 2;
    if (FImages)
        x += FImages->Width() + 2;
    TLTImageList *checks = CheckImages();
    const int checkExtra =
        FOptions->MiscOptions().Contains(toCheckSupport) && checks ? checks->Width() + 2 : 0;
    int widest = 0;
    int bottom = 0;
    GetNodeAt(0, 0, true, bottom);
    while (run) {
        if (!run->Has(vsInitialized))
            InitNode(run);
        const int w = x + (run->CheckType != TCheckType::ctNone ? checkExtra : 0) +
                      NodeContentWidth(run, NoColumn, nullptr) + NodeExtraWidth(run, NoColumn, nullptr);
        widest = std::max(widest, w);
        bottom += int(NodeHeight(run));
        if (bottom > height())
            break;
        PLazyNode next = GetNextVisibleNoInit(run, true);
        if (next)
            x += LevelDifference(run, next) * int(FIndent);
        run = next;
    }
    return widest + FMargin;
}

// ---------------------------------------------------------------------------------------
// Top and bottom node

PLazyNode TBaseLazyTree::TopNode()
{
    int top = 0;
    return GetNodeAt(0, 0, true, top);
}

PLazyNode TBaseLazyTree::BottomNode()
{
    int top = 0;
    return GetNodeAt(0, ClientHeight() - 1, true, top);
}

void TBaseLazyTree::SetTopNode(PLazyNode Node)
{
    if (!Node)
        return;
    for (PLazyNode run = Node->Parent; run && run != FRoot; run = run->Parent)
        if (!run->Has(vsExpanded))
            ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    SetOffsetY(FOffsetY - r.Top);
}

void TBaseLazyTree::SetBottomNode(PLazyNode Node)
{
    if (!Node)
        return;
    for (PLazyNode run = Node->Parent; run && run != FRoot; run = run->Parent)
        if (!run->Has(vsExpanded))
            ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    ApplyScrollOffset(QPoint(FOffsetX, FOffsetY + ClientHeight() - r.Top - int(NodeHeight(Node))),
                      {TOffsetChangePart::ocpUpdateScrollBars, TOffsetChangePart::ocpRepaintScrollBars});
}

// ---------------------------------------------------------------------------------------
// Measuring

void TBaseLazyTree::MeasureItemHeight(TCanvas *Canvas, PLazyNode Node)
{
    if (Node->Has(vsHeightMeasured))
        return;
    if (QThread::currentThread() != thread()) {
        QueueWorkerCall([this, Canvas, Node] { MeasureItemHeight(Canvas, Node); });
        return;
    }
    Node->States.Include(vsHeightMeasured);
    if (!FOptions->MiscOptions().Contains(toVariableNodeHeight))
        return;
    int newHeight = Node->NodeHeight;
    if (OnMeasureItem)
        OnMeasureItem(this, Canvas, Node, newHeight);
    SetNodeHeight(Node, uint32_t(std::max(newHeight, 0)));
}
