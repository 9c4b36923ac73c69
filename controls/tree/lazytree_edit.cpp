// In-place editing: the tree's edit protocol over an edit link (start, finish, cancel and
// the editor's bounds).
#include "controls/tree/lazytree.h"

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTMiscOption;
using enum TLTAutoOption;
using enum TLTSelectionOption;
using enum TLTPaintOption;

namespace {
constexpr int EditTimer = 2;
constexpr int ScrollTimer = 4;
}   // namespace

bool TBaseLazyTree::IsEditing() const
{
    return FStates.Contains(tsEditing);
}

bool TBaseLazyTree::CanEdit(PLazyNode Node, TColumnIndex Column)
{
    TLazyTreeColumns &columns = FHeader->Columns();
    bool allowed = FOptions->MiscOptions().Contains(toEditable) && isEnabled() &&
                   !FOptions->MiscOptions().Contains(toReadOnly) &&
                   (Column < 0 || (columns.IsValidColumn(Column) &&
                                   columns[Column].Options().Contains(TLTColumnOption::coEditable)));
    if (OnEditing)
        OnEditing(this, Node, Column, allowed);
    return allowed;
}

bool TBaseLazyTree::EditNode(PLazyNode Node, TColumnIndex Column)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    if (Column < NoColumn || Column >= FHeader->Columns().Count())
        throw ELazyTreeAssertion("Column must be a valid column index (-1 if no header is shown).");
    if (FStates.Contains(tsEditing))
        return true;
    if (FOptions->MiscOptions().Contains(toReadOnly))
        return false;
    SetFocusedNode(Node);
    if (FFocusedNode != Node || !CanEdit(Node, Column))
        return false;
    FEditColumn = Column;
    if (!Node->Has(vsInitialized))
        InitNode(Node);
    StartEditing();
    return FStates.Contains(tsEditing);
}

std::shared_ptr<ILTEditLink> TBaseLazyTree::DoCreateEditor(PLazyNode Node, TColumnIndex Column)
{
    std::shared_ptr<ILTEditLink> link;
    if (OnCreateEditor)
        OnCreateEditor(this, Node, Column, link);
    return link;
}

void TBaseLazyTree::StartEditing()
{
    CancelHint();
    DoStateChange({}, {tsHint, tsEditPending});
    KillTreeTimer(ScrollTimer);
    KillTreeTimer(EditTimer);
    if (!FFocusedNode || FFocusedNode->Has(vsDisabled) || FOptions->MiscOptions().Contains(toReadOnly) ||
        FEditLink)
        return;
    std::shared_ptr<ILTEditLink> link = DoCreateEditor(FFocusedNode, FEditColumn);
    if (!link)
        return;
    FEditLink = link;
    DoStateChange({tsEditing}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting,
                                tsMouseCheckPending, tsOLEDragging, tsOLEDragPending, tsScrolling,
                                tsScrollPending});
    ScrollIntoView(FFocusedNode, FOptions->SelectionOptions().Contains(toCenterScrollIntoView),
                   !FOptions->AutoOptions().Contains(toDisableAutoscrollOnEdit));
    if (link->PrepareEdit(this, FFocusedNode, FEditColumn)) {
        FitEditorBounds();
        InvalidateNode(FFocusedNode);
        if (!link->BeginEdit())
            DoStateChange({}, {tsEditing});
    } else {
        DoStateChange({}, {tsEditing});
    }
    if (!FStates.Contains(tsEditing))
        FEditLink.reset();
}

bool TBaseLazyTree::EndEditNode()
{
    if (!FStates.Contains(tsEditing) && !FStates.Contains(tsEditPending))
        return true;
    return FinishEditing();
}

bool TBaseLazyTree::FinishEditing()
{
    KillTreeTimer(EditTimer);
    bool result = false;
    if (FStates.Contains(tsEditing) && FEditLink) {
        std::shared_ptr<ILTEditLink> link = FEditLink;   // the link may drop the tree's hold
        result = link->EndEdit();
        if (result) {
            DoStateChange({}, {tsEditing});
            FEditLink.reset();
            if (OnEdited)
                OnEdited(this, FFocusedNode, FEditColumn);
        }
    }
    DoStateChange({}, {tsEditPending});
    return result;
}

bool TBaseLazyTree::CancelEditNode()
{
    if (!HandleAllocated() || (!FStates.Contains(tsEditing) && !FStates.Contains(tsEditPending)))
        return true;
    return AbortEditing();
}

bool TBaseLazyTree::AbortEditing()
{
    KillTreeTimer(EditTimer);
    DoStateChange({}, {tsEditPending});
    bool result = false;
    if (FStates.Contains(tsEditing) && FEditLink) {
        std::shared_ptr<ILTEditLink> link = FEditLink;
        // Leaving the state first stops the link's cancel from asking the tree again.
        DoStateChange({}, {tsEditing});
        result = link->CancelEdit();
        if (result) {
            if (OnEditCancelled)
                OnEditCancelled(this, FEditColumn);
            if (!FDestroying)
                FEditLink.reset();
        } else {
            DoStateChange({tsEditing});
        }
    }
    return result;
}

void TBaseLazyTree::FitEditorBounds()
{
    TLazyTreeColumns &columns = FHeader->Columns();
    if (!FStates.Contains(tsEditing) || !FFocusedNode || !FEditLink || FEditColumn >= columns.Count())
        return;
    TRect r = GetDisplayRect(FFocusedNode, FEditColumn, true, !FFocusedNode->Has(vsMultiline), false);
    if (FOptions->MiscOptions().Contains(toGridExtensions)) {
        const bool hasColumn = columns.IsValidColumn(FEditColumn);
        TLTAlignment alignment = hasColumn ? columns[FEditColumn].Alignment() : FAlignment;
        const TLTBiDiMode bidi = hasColumn ? columns[FEditColumn].BiDiMode() : FBiDiMode;
        if (bidi != TLTBiDiMode::bdLeftToRight && alignment != TLTAlignment::taCenter)
            alignment = alignment == TLTAlignment::taLeftJustify ? TLTAlignment::taRightJustify
                                                                 : TLTAlignment::taLeftJustify;
        if (hasColumn) {
            int left = 0, right = 0;
            columns.GetColumnBounds(FEditColumn, left, right);
            // The column bounds are client coordinates already.
            if (alignment == TLTAlignment::taLeftJustify)
                r.Right = right;
            else
                r.Left = left;
        }
    }
    if (FOptions->PaintOptions().Contains(toShowHorzGridLines))
        --r.Bottom;
    const int height = std::max(r.Height(), FEditLink->GetBounds().Height());
    r.Bottom = r.Top + height;
    FEditLink->SetBounds(r);
}
