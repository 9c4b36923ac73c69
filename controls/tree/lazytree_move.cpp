// Moving and copying subtrees. Within one tree a move relinks the nodes; into another tree,
// and for every copy, the nodes travel through the node stream, so that the application's
// data follows through OnSaveNode and OnLoadNode.
#include "controls/tree/lazytree.h"

#include <QBuffer>

using enum TLazyNodeState;
using enum TLTMiscOption;
using enum TLTNodeAttachMode;

namespace {

void AssertOwnNode(TBaseLazyTree *Tree, PLazyNode Node)
{
    if (Node && TBaseLazyTree::OwnerTree(Node) != Tree)
        throw ELazyTreeAssertion("The source tree must contain the source node.");
}

// The nodes that travel: the source, or its children in the order that keeps their order
// at the target (last first when each goes in first).
std::vector<PLazyNode> TravellingNodes(PLazyNode Source, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    std::vector<PLazyNode> nodes;
    if (!ChildrenOnly) {
        nodes.push_back(Source);
    } else if (Mode == amAddChildFirst) {
        for (PLazyNode run = Source->LastChild; run; run = run->PrevSibling)
            nodes.push_back(run);
    } else {
        for (PLazyNode run = Source->FirstChild; run; run = run->NextSibling)
            nodes.push_back(run);
    }
    return nodes;
}

}   // namespace

TBaseLazyTree &TBaseLazyTree::ResolveTarget(PLazyNode &Target, TLTNodeAttachMode &Mode)
{
    if (!Target) {
        Target = FRoot;
        Mode = amAddChildFirst;
    }
    TBaseLazyTree &tree = *OwnerTree(Target);
    if (Target == tree.FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    return tree;
}

void TBaseLazyTree::ReadyTarget(PLazyNode Target)
{
    // Children linked below a node whose own children were never asked for would stop
    // OnInitChildren from ever running for it.
    if (!Target->Has(vsInitialized))
        InitNode(Target);
    else if (Target->Has(vsHasChildren) && Target->ChildCount == 0)
        InitChildren(Target);
}

void TBaseLazyTree::SetNodeParent(PLazyNode Node, PLazyNode Value)
{
    if (Node && Value && Node->Parent != Value)
        MoveTo(Node, Value, amAddChildLast, false);
}

void TBaseLazyTree::MoveTo(PLazyNode Source, TBaseLazyTree *Tree, TLTNodeAttachMode Mode,
                           bool ChildrenOnly)
{
    if (Tree)
        MoveTo(Source, Tree->FRoot, Mode, ChildrenOnly);
}

PLazyNode TBaseLazyTree::CopyTo(PLazyNode Source, TBaseLazyTree *Tree, TLTNodeAttachMode Mode,
                                bool ChildrenOnly)
{
    return Tree ? CopyTo(Source, Tree->FRoot, Mode, ChildrenOnly) : nullptr;
}

void TBaseLazyTree::MoveTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode,
                           bool ChildrenOnly)
{
    AssertOwnNode(this, Source);
    const bool ontoItself =
        Target == Source && !(ChildrenOnly && (Mode == amInsertBefore || Mode == amInsertAfter));
    if (ontoItself || Mode == amNoWhere || !Source || Source == FRoot ||
        TreeOptions().MiscOptions().Contains(toReadOnly))
        return;
    TBaseLazyTree &targetTree = ResolveTarget(Target, Mode);
    targetTree.ReadyTarget(Target);

    const bool allowed = DoNodeMoving(Source, Target == targetTree.FRoot ? nullptr : Target);
    bool sourceGone = false;
    if (allowed) {
        if (&targetTree == this) {
            if (HasAsParent(Target, Source))
                throw ELazyTreeError("Target node cannot be a child node of the node to be moved.",
                                     2001);
            StopCacheValidation();
            for (PLazyNode node : TravellingNodes(Source, Mode, ChildrenOnly)) {
                UnlinkNode(node, true, !ChildrenOnly, false);
                LinkNode(node, Target, Mode, this);
                DoNodeMoved(node);
            }
        } else {
            MoveAcrossTrees(Source, Target, targetTree, Mode, ChildrenOnly);
            sourceGone = !ChildrenOnly;
        }
    }
    MarkCacheInvalid();
    if (FUpdateCount == 0 && allowed) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateTree();
        if (&targetTree != this)
            targetTree.InvalidateTree();
    }
    // A source moved into another tree no longer exists here.
    NoteStructureChange(ChildrenOnly || sourceGone ? nullptr : Source, TChangeReason::crNodeMoved);
}

void TBaseLazyTree::MoveAcrossTrees(PLazyNode Source, PLazyNode Target, TBaseLazyTree &TargetTree,
                                    TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    QByteArray data = SaveNodeChunks(TravellingNodes(Source, Mode, ChildrenOnly));
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    TargetTree.BeginUpdate();
    try {
        while (stream.pos() < stream.size())
            DoNodeMoved(TargetTree.AddNodeFromChunk(stream, Target, Mode));
    } catch (...) {
        TargetTree.EndUpdate();
        throw;
    }
    TargetTree.EndUpdate();
    BeginUpdate();
    try {
        if (ChildrenOnly)
            DeleteChildren(Source, false);
        else
            DeleteNode(Source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

PLazyNode TBaseLazyTree::CopyTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode,
                                bool ChildrenOnly)
{
    AssertOwnNode(this, Source);
    if (Mode == amNoWhere || !Source || Source == FRoot)
        return nullptr;
    TBaseLazyTree &targetTree = ResolveTarget(Target, Mode);
    if (targetTree.TreeOptions().MiscOptions().Contains(toReadOnly))
        return nullptr;
    targetTree.ReadyTarget(Target);

    QByteArray data = SaveNodeChunks(TravellingNodes(Source, Mode, ChildrenOnly));
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    PLazyNode result = nullptr;
    targetTree.BeginUpdate();
    try {
        while (stream.pos() < stream.size()) {
            PLazyNode node = targetTree.AddNodeFromChunk(stream, Target, Mode);
            if (DoNodeCopying(node, Target == targetTree.FRoot ? nullptr : Target)) {
                DoNodeCopied(node);
                result = node;
            } else {
                targetTree.DeleteNode(node);
            }
        }
    } catch (...) {
        targetTree.EndUpdate();
        throw;
    }
    targetTree.EndUpdate();
    targetTree.MarkCacheInvalid();
    if (targetTree.FUpdateCount == 0) {
        targetTree.RequestCacheValidation();
        targetTree.UpdateScrollBars(true);
        targetTree.InvalidateTree();
    }
    targetTree.NoteStructureChange(Source, TChangeReason::crNodeCopied);
    return ChildrenOnly ? Target : result;
}
