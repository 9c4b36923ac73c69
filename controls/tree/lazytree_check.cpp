// Check boxes: asking for a state change (with its veto), applying it, tri-state
// propagation down to the children and up to the parents, radio groups, and the tree-wide
// check operations.
#include "controls/tree/lazytree.h"

#include <QApplication>
#include <QCursor>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TCheckState;
using enum TCheckType;

namespace {
bool IsBox(TCheckType T)
{
    return T == ctTriStateCheckBox || T == ctCheckBox;
}
}   // namespace

TCheckState TBaseLazyTree::NextCheckState(TCheckType Type, TCheckState State) const
{
    switch (Type) {
    case ctTriStateCheckBox:
    case ctCheckBox: return ToggledCheckState(State);
    case ctRadioButton: return csCheckedNormal;
    case ctButton: return csUncheckedNormal;
    case ctNone: break;
    }
    return csMixedNormal;
}

void TBaseLazyTree::SetCheckState(PLazyNode Node, TCheckState Value)
{
    if (Node->CheckState != Value && !Node->Has(vsDisabled) && DoChecking(Node, Value))
        CommitCheckState(Node, Value);
}

void TBaseLazyTree::CommitCheckState(PLazyNode Node, TCheckState Value)
{
    if (ApplyCheckState(Node, Value))
        DoChecked(Node);
}

bool TBaseLazyTree::ApplyCheckState(PLazyNode Node, TCheckState Value)
{
    if (Node->Has(vsChecking))
        return false;
    Node->States.Include(vsChecking);
    bool entered = false;
    auto finish = [&] {
        Node->States.Exclude(vsChecking);
        if (entered && --FCheckPropagationCount == 0)
            DoStateChange({}, {tsCheckPropagation});
    };
    bool result = true;
    try {
        if (!Node->Has(vsInitialized))
            InitNode(Node);
        else if (Node->CheckState == Value) {
            finish();
            return false;
        }
        if (FCheckPropagationCount == 0)
            DoStateChange({tsCheckPropagation});
        ++FCheckPropagationCount;
        entered = true;
        const bool tracking =
            TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoTristateTracking);
        if (Node->CheckType == ctTriStateCheckBox && tracking &&
            (Value == csUncheckedNormal || Value == csCheckedNormal) && Node->FirstChild) {
            int checked = 0, unchecked = 0, mixed = 0;
            for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
                if (!IsBox(child->CheckType))
                    continue;
                if (!CheckStateIsDisabled(child->CheckState))
                    SetCheckState(child, Value);
                switch (child->CheckState) {
                case csUncheckedNormal:
                case csUncheckedDisabled: ++unchecked; break;
                case csCheckedNormal:
                case csCheckedDisabled: ++checked; break;
                case csMixedNormal: ++mixed; break;
                default: break;
                }
            }
            if (mixed > 0 || (checked > 0 && unchecked > 0))
                Value = csMixedNormal;
            else if (checked > 0 && unchecked == 0)
                Value = csCheckedNormal;
        } else if (Node->CheckType == ctRadioButton && Value == csCheckedNormal) {
            for (PLazyNode sibling = Node->Parent->FirstChild; sibling;
                 sibling = sibling->NextSibling)
                if (sibling->CheckType == ctRadioButton)
                    sibling->CheckState = csUncheckedNormal;
            InvalidateTree();
        }
        Node->CheckState = Value;
        PLazyNode parent = Node->Parent;
        EnsureInitialized(parent);
        if (tracking && parent != FRoot && !parent->Has(vsChecking) &&
            !parent->Has(vsDisabled) && IsBox(Node->CheckType) &&
            parent->CheckType == ctTriStateCheckBox)
            result = PropagateCheckToParent(Node, Value);
        InvalidateNode(Node);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return result;
}

bool TBaseLazyTree::PropagateCheckToParent(PLazyNode Node, TCheckState NewState)
{
    PLazyNode parent = Node->Parent;
    uint32_t counted = 0, checked = 0;
    bool partial = false;
    for (PLazyNode child = parent->FirstChild; child; child = child->NextSibling) {
        if (!IsBox(child->CheckType))
            continue;
        const TCheckState state = child == Node ? NewState : child->CheckState;
        ++counted;
        if (CheckStateIsChecked(state))
            ++checked;
        if (state == csMixedNormal)
            partial = true;
    }
    TCheckState state = csCheckedNormal;
    if (checked == 0 && !partial)
        state = csUncheckedNormal;
    else if (checked < counted)
        state = csMixedNormal;
    const bool allowed = DoChecking(parent, state);
    if (allowed)
        CommitCheckState(parent, state);
    return allowed;
}

void TBaseLazyTree::SetCheckType(PLazyNode Node, TCheckType Value)
{
    if (Node->CheckType == Value || TreeOptions().MiscOptions().Contains(TLTMiscOption::toReadOnly))
        return;
    Node->CheckType = Value;
    if (Value != ctTriStateCheckBox &&
        (Node->CheckState == csMixedNormal || Node->CheckState == csMixedPressed))
        Node->CheckState = csUncheckedNormal;
    if (TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoTristateTracking) &&
        IsBox(Value) && Node->Parent != FRoot) {
        PLazyNode parent = Node->Parent;
        EnsureInitialized(parent);
        if (parent->CheckType == ctTriStateCheckBox) {
            if (parent->CheckState == csUncheckedNormal || parent->CheckState == csUncheckedDisabled)
                SetCheckState(Node, csUncheckedNormal);
            else if (parent->CheckState == csCheckedNormal || parent->CheckState == csCheckedDisabled)
                SetCheckState(Node, csCheckedNormal);
        }
    }
    InvalidateNode(Node);
}

void TBaseLazyTree::SetCheckStateForAll(TCheckState State, bool SelectedOnly, bool ExcludeDisabled)
{
    if (qApp)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    BeginUpdate();
    auto finish = [&] {
        if (qApp)
            QApplication::restoreOverrideCursor();
        EndUpdate();
    };
    try {
        PLazyNode run = SelectedOnly ? GetFirstSelected() : GetFirst();
        while (run) {
            if (!ExcludeDisabled || !CheckStateIsDisabled(run->CheckState))
                SetCheckState(run, State);
            run = SelectedOnly ? GetNextSelected(run) : GetNext(run);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TBaseLazyTree::ClearChecked()
{
    for (PLazyNode run = FRoot->FirstChild; run; run = GetNextNoInit(run))
        if (run->CheckState != csUncheckedNormal)
            SetCheckState(run, csUncheckedNormal);
}

uint32_t TBaseLazyTree::CheckedCount()
{
    uint32_t count = 0;
    for (PLazyNode run = GetFirstChecked(); run; run = GetNextChecked(run))
        ++count;
    return count;
}
