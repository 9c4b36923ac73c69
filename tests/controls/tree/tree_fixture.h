#pragma once
// A tree with its protected operations reachable, an event log, and the invariant check
// every structure test runs after its operations.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using enum TLazyNodeState;
using enum TLazyNodeInitState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTAnimationOption;
using enum TLTAutoOption;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TChangeReason;
using enum TLTNodeAttachMode;
using enum TLTUpdateState;
using enum TLTOperationKind;

class TTestTree : public TBaseLazyTree
{
    Q_OBJECT

public:
    using TBaseLazyTree::TBaseLazyTree;
    // Handlers of a test capture its locals, which are gone when the tree is destroyed at
    // the end of the test; the destruction's own events are tested with explicit deletes.
    ~TTestTree() override { DetachEvents(); }
    void DetachEvents();
    using TBaseLazyTree::AllocateInternalDataArea;
    using TBaseLazyTree::CheckImageListFor;
    using TBaseLazyTree::BeginOperation;
    using TBaseLazyTree::CompareDisplayOrder;
    using TBaseLazyTree::DoChecking;
    using TBaseLazyTree::DoCollapsing;
    using TBaseLazyTree::DoExpanding;
    using TBaseLazyTree::DoInitChildren;
    using TBaseLazyTree::DoNodeCopying;
    using TBaseLazyTree::DoNodeMoving;
    using TBaseLazyTree::DoStateChange;
    using TBaseLazyTree::EndOperation;
    using TBaseLazyTree::InternalData;
    using TBaseLazyTree::LevelDifference;
    using TBaseLazyTree::NoteChange;
    using TBaseLazyTree::TimerExpired;
    using TBaseLazyTree::UnlinkNode;
    using TBaseLazyTree::DoGetNodeDataSize;
    using TBaseLazyTree::DoGetImageIndex;
    using TBaseLazyTree::DoGetPopupMenu;
    using TBaseLazyTree::GetNodeHint;
    using TBaseLazyTree::GetNodeTooltip;
};

// Records the tree's events as short lines ("init 0.1", "free 2", "structure nil 2").
struct TEventLog
{
    std::vector<std::string> Lines;
    std::vector<TLTUpdateState> Updating;
    int Inits = 0, Frees = 0, Structures = 0;

    void Attach(TBaseLazyTree &Tree);
    int Count(const std::string &Prefix) const;
    // The lines that start with Prefix (a shown tree also initialises the nodes in view).
    std::vector<std::string> Only(const std::string &Prefix) const;
};

// Shows the tree with a client area of exactly Width x Height.
void ShowWithClient(TBaseLazyTree &Tree, int Width, int Height);

// A node's path of indexes from the top level, as "0.2.1".
std::string PathOf(const TBaseLazyTree &Tree, PLazyNode Node);

// Checks the invariants every structure operation keeps: sibling links and indexes, child
// counts, TotalCount and TotalHeight sums, the visible count and the hidden-children
// flags. Reports failures through GoogleTest and returns whether all held.
bool ValidateTree(TBaseLazyTree &Tree);

// An edit link that does nothing but remember the bounds the tree gives it.
struct TFakeEditLink : ILTEditLink
{
    TRect Bounds;
    bool BeginEdit() override { return true; }
    bool CancelEdit() override { return true; }
    bool EndEdit() override { return true; }
    bool PrepareEdit(TBaseLazyTree *, PLazyNode, TColumnIndex) override { return true; }
    TRect GetBounds() const override { return Bounds; }
    void ProcessMessage(QEvent *) override {}
    void SetBounds(TRect R) override { Bounds = R; }
};
