// Rubber-band selection: the band's rectangle in tree coordinates, the sweep over the
// nodes between its old and new extent that selects or unselects those whose caption (or
// row) entered or left it, and its painting.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreeutils.h"

#include <QApplication>
#include <QPainter>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TLTPaintOption;
using enum TLTAutoOption;

bool TBaseLazyTree::CalculateSelRect(int X, int Y)
{
    if (FStates.Contains(tsDrawSelecting))
        FLastSelRect = FNewSelRect;
    FNewSelRect.Right = std::clamp(X + FEffectiveOffsetX, 0, std::max(ClientWidth(), int(FRangeX)));
    FNewSelRect.Bottom = std::clamp(Y - FOffsetY, 0, std::max(ClientHeight(), int(FRangeY)));
    return !(FNewSelRect == FLastSelRect);
}

namespace {

// A tree rectangle in client coordinates.
QRect ToClient(TRect R, int OffsetX, int OffsetY)
{
    R = SortRectCorners(R);
    OffsetRect(R, -OffsetX, OffsetY);
    return R.ToQRect();
}

}   // namespace

void TBaseLazyTree::StartRubberBand(int X, int Y)
{
    if (CalculateSelRect(X, Y))
        viewport()->update(ToClient(FNewSelRect, FEffectiveOffsetX, FOffsetY).adjusted(-1, -1, 1, 1));
    const int threshold = QApplication::startDragDistance();
    if (std::abs(FNewSelRect.Width()) <= threshold && std::abs(FNewSelRect.Height()) <= threshold)
        return;
    if (FStates.Contains(tsClearPending)) {
        DoStateChange({}, {tsClearPending});
        ClearSelection();
    }
    DoStateChange({tsDrawSelecting}, {tsDrawSelPending});
    if (FHeader->MainColumn() != FFocusedColumn)
        SetFocusedColumn(FHeader->MainColumn());
    if (UpdateRubberBand())
        InvalidateTree();
}

void TBaseLazyTree::MoveRubberBand(int X, int Y)
{
    const TRect old = FNewSelRect;
    if (!CalculateSelRect(X, Y))
        return;
    if (UpdateRubberBand())
        InvalidateTree();
    else
        viewport()->update(ToClient(old, FEffectiveOffsetX, FOffsetY)
                               .united(ToClient(FNewSelRect, FEffectiveOffsetX, FOffsetY))
                               .adjusted(-1, -1, 1, 1));
}

bool TBaseLazyTree::UpdateRubberBand()
{
    if (FRoot->TotalCount <= 1 || !FStates.Contains(tsDrawSelecting))
        return false;
    const TRect oldRect = SortRectCorners(FLastSelRect);
    const TRect newRect = SortRectCorners(FNewSelRect);
    ClearTempNodeCache();
    TLazyTreeColumns &columns = FHeader->Columns();
    const TColumnIndex index = FHeader->MainColumn();
    const bool hasMain = columns.IsValidColumn(index);
    const TLTAlignment alignment = hasMain ? columns[index].Alignment() : FAlignment;
    const TLTBiDiMode bidi = hasMain ? columns[index].BiDiMode() : FBiDiMode;
    // The band lives in tree coordinates, so the main column is taken unscrolled.
    int mainLeft = 0, maxRight = std::max(ClientWidth(), int(FRangeX));
    if (FHeader->UseColumns() && hasMain) {
        columns[index].GetUnscrolledBounds(mainLeft, maxRight);
    }
    const bool changed = bidi == TLTBiDiMode::bdLeftToRight
                             ? SweepBandLeftToRight(index, mainLeft, newRect, oldRect, alignment, maxRight)
                             : SweepBandRightToLeft(index, mainLeft, newRect, oldRect, alignment, maxRight);
    if (changed) {
        CompactSelection();
        if (!FTempNodeCache.empty())
            AddNodesToSelection(FTempNodeCache.data(), int(FTempNodeCache.size()), false);
        ClearTempNodeCache();
        NoteChange(nullptr);
    }
    return changed;
}

bool TBaseLazyTree::SweepBand(bool LeftToRight, TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                              const TRect &OldRect, TLTAlignment Alignment, int MaxRight, bool RowTest)
{
    const bool toggle = FDrawSelShiftState.Contains(TLTShiftStateItem::ssCtrl);
    TLazyTreeColumns &columns = FHeader->Columns();
    const bool useColumns = FHeader->UseColumns();
    const bool autoSpan = useColumns && FOptions->AutoOptions().Contains(toAutoSpanColumns);
    TLTImageList *checks = FOptions->MiscOptions().Contains(toCheckSupport) ? CheckImages() : nullptr;
    const int checkWidth = checks ? checks->Width() + 2 : 0;
    const int stateWidth = FStateImages ? FStateImages->Width() + 2 : 0;
    const int maxY = std::max(OldRect.Bottom, NewRect.Bottom);
    uint32_t top = 0;
    PLazyNode node = NodeAtPosition(uint32_t(std::max(0, std::min(OldRect.Top, NewRect.Top))), top);
    if (!node)
        return false;
    const int level = int(GetNodeLevel(node)) + (FOptions->PaintOptions().Contains(toShowRoot) ? 1 : 0);
    const int indent = int(FIndent);
    int textEdge = LeftToRight ? MainColumnLeft + FMargin + level * indent : MaxRight - (FMargin + level * indent);
    int nodeTop = int(top);
    bool result = false;
    while (node && nodeTop < maxY) {
        const int nextTop = nodeTop + int(NodeHeight(node));
        int images = 0, imageIndex = -1;
        if (node->CheckType != TCheckType::ctNone)
            images += checkWidth;
        if (FImages && NodeImage(node, TLTImageKind::ikNormal, Index, imageIndex) && imageIndex >= 0)
            images += FImages->Width() + 2;
        imageIndex = -1;
        if (FStateImages && NodeImage(node, TLTImageKind::ikState, Index, imageIndex) && imageIndex >= 0)
            images += stateWidth;
        bool inOld, inNew;
        if (RowTest) {
            auto inRow = [&](const TRect &R) {
                if (!(R.Top < nextTop && nodeTop < R.Bottom))
                    return false;
                return !LeftToRight || (textEdge < R.Right && (!useColumns || R.Left < columns.TotalWidth()));
            };
            inOld = inRow(OldRect);
            inNew = inRow(NewRect);
        } else {
            // The space the caption may take, widened over empty cells with spanning.
            int spanLeft = MainColumnLeft, spanRight = MaxRight;
            if (autoSpan) {
                TColumnIndex last = Index;
                for (TColumnIndex c = LeftToRight ? columns.GetNextVisibleColumn(Index)
                                                  : columns.GetPreviousVisibleColumn(Index);
                     c >= 0 && IsCellEmpty(node, c) &&
                     (columns[c].BiDiMode() == TLTBiDiMode::bdLeftToRight) == LeftToRight;
                     c = LeftToRight ? columns.GetNextVisibleColumn(c) : columns.GetPreviousVisibleColumn(c))
                    last = c;
                if (last != Index) {
                    int l = 0, r = 0;
                    columns[last].GetUnscrolledBounds(l, r);
                    if (LeftToRight)
                        spanRight = r;
                    else
                        spanLeft = l;
                }
            }
            int nodeLeft = 0, nodeRight = 0;
            if (LeftToRight) {
                nodeLeft = textEdge + images;
                if (nodeLeft >= OldRect.Left && nodeLeft >= NewRect.Left && Alignment == TLTAlignment::taLeftJustify) {
                    nodeRight = spanRight;
                } else {
                    const int w = NodeContentWidth(node, Index, nullptr);
                    if (w >= spanRight - nodeLeft) {
                        nodeRight = spanRight;
                    } else if (Alignment == TLTAlignment::taLeftJustify) {
                        nodeRight = nodeLeft + w;
                    } else if (Alignment == TLTAlignment::taCenter) {
                        nodeLeft = (nodeLeft + spanRight - w) / 2;
                        nodeRight = nodeLeft + w;
                    } else {
                        nodeLeft = spanRight - w;
                        nodeRight = spanRight;
                    }
                }
            } else {
                nodeRight = textEdge - images;
                if (nodeRight <= OldRect.Right && nodeRight <= NewRect.Right &&
                    Alignment == TLTAlignment::taRightJustify) {
                    nodeLeft = spanLeft;
                } else {
                    const int w = NodeContentWidth(node, Index, nullptr);
                    if (w >= nodeRight - spanLeft) {
                        nodeLeft = spanLeft;
                    } else if (Alignment == TLTAlignment::taLeftJustify) {
                        nodeLeft = spanLeft;
                        nodeRight = spanLeft + w;
                    } else if (Alignment == TLTAlignment::taCenter) {
                        nodeLeft = (nodeRight + spanLeft - w) / 2;
                        nodeRight = nodeLeft + w;
                    } else {
                        nodeLeft = nodeRight - w;
                    }
                }
            }
            inOld = !(nodeRight < OldRect.Left || OldRect.Right < nodeLeft || OldRect.Top >= nextTop ||
                      nodeTop >= OldRect.Bottom);
            inNew = nodeRight >= NewRect.Left && NewRect.Right >= nodeLeft && NewRect.Top < nextTop &&
                    nodeTop < NewRect.Bottom;
        }
        if (inOld != inNew) {
            result = true;
            // With Ctrl a crossing toggles; without, entering selects and leaving unselects.
            const bool select = toggle ? !node->Has(vsSelected) : inNew;
            if (select)
                AddToTempNodeCache(node);
            else
                MarkUnselected(node);
        }
        nodeTop = nextTop;
        PLazyNode next = GetNextVisibleNoInit(node, true);
        if (next)
            textEdge += (LeftToRight ? 1 : -1) * LevelDifference(node, next) * indent;
        node = next;
    }
    return result;
}

bool TBaseLazyTree::SweepBandLeftToRight(TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                                         const TRect &OldRect, TLTAlignment Alignment, int MaxRight)
{
    const TLTSelectionOptions o = FOptions->SelectionOptions();
    return SweepBand(true, Index, MainColumnLeft, NewRect, OldRect, Alignment, MaxRight,
                     o.Contains(toSimpleDrawSelection) || o.Contains(toFullRowSelect));
}

bool TBaseLazyTree::SweepBandRightToLeft(TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                                         const TRect &OldRect, TLTAlignment Alignment, int MaxRight)
{
    return SweepBand(false, Index, MainColumnLeft, NewRect, OldRect, Alignment, MaxRight,
                     FOptions->SelectionOptions().Contains(toSimpleDrawSelection));
}

void TBaseLazyTree::SetDrawSelectionMode(TLTDrawSelectionMode Value)
{
    if (FDrawSelectionMode == Value)
        return;
    FDrawSelectionMode = Value;
    if (FStates.Contains(tsDrawSelecting))
        InvalidateTree();
}

void TBaseLazyTree::DrawRubberBand(QPainter &Painter)
{
    if (!FStates.Contains(tsDrawSelecting))
        return;
    const QRect r = ToClient(FNewSelRect, FEffectiveOffsetX, FOffsetY);
    if (r.isEmpty())
        return;
    if (FDrawSelectionMode != TLTDrawSelectionMode::smBlendedRectangle && !FStates.Contains(tsUseThemes)) {
        DrawInvertedFocusFrame(Painter, r);
        return;
    }
    QColor fill = ToQColor(FColors->Get(TLTColors::SelectionRectangleBlendColor));
    fill.setAlpha(FSelectionBlendFactor);
    Painter.save();
    Painter.fillRect(r, fill);
    Painter.setPen(ToQColor(FColors->Get(TLTColors::SelectionRectangleBorderColor)));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(r.adjusted(0, 0, -1, -1));
    Painter.restore();
}
