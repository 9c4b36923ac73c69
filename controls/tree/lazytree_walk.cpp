// Walking the tree: by structure, by a node property and by what is shown, each in an
// initialising and a NoInit form, with the node enumerations and IterateSubtree on top.
#include "controls/tree/lazytree.h"

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLZLazyNodeEnumerationMode;

namespace {
constexpr const char *RootNodeMessage = "Node must not be the hidden root node.";
}   // namespace

bool TBaseLazyTree::ChildrenAbove(bool CCA) const
{
    return CCA && TreeOptions().PaintOptions().Contains(TLTPaintOption::toChildrenAbove);
}

void TBaseLazyTree::EnsureInitialized(PLazyNode Node)
{
    if (Node && Node != FRoot && !Node->Has(vsInitialized))
        InitNode(Node);
}

// Initialises Node and gives it its children when it declares some; returns its first
// child.
PLazyNode TBaseLazyTree::EnterChildren(PLazyNode Node)
{
    EnsureInitialized(Node);
    if (Node != FRoot) {
        if (!Node->Has(vsHasChildren))
            return nullptr;
        if (Node->ChildCount == 0)
            InitChildren(Node);
    }
    return Node->FirstChild;
}

// ---------------------------------------------------------------------------------------
// Structure

PLazyNode TBaseLazyTree::GetFirst(bool CCA)
{
    PLazyNode result = FRoot->FirstChild;
    EnsureInitialized(result);
    if (ChildrenAbove(CCA))
        while (result) {
            PLazyNode child = EnterChildren(result);
            if (!child)
                break;
            result = child;
            EnsureInitialized(result);
        }
    return result;
}

PLazyNode TBaseLazyTree::GetFirstNoInit(bool CCA) const
{
    PLazyNode result = FRoot->FirstChild;
    if (ChildrenAbove(CCA))
        while (result && result->Has(vsHasChildren) && result->FirstChild)
            result = result->FirstChild;
    return result;
}

PLazyNode TBaseLazyTree::GetLast(PLazyNode Node, bool CCA)
{
    PLazyNode result = GetLastChild(Node);
    if (!ChildrenAbove(CCA))
        while (result) {
            PLazyNode next = GetLastChild(result);
            if (!next)
                break;
            result = next;
        }
    return result;
}

PLazyNode TBaseLazyTree::GetLastNoInit(PLazyNode Node, bool CCA) const
{
    PLazyNode result = GetLastChildNoInit(Node);
    if (!ChildrenAbove(CCA))
        while (result) {
            PLazyNode next = GetLastChildNoInit(result);
            if (!next)
                break;
            result = next;
        }
    return result;
}

PLazyNode TBaseLazyTree::GetNext(PLazyNode Node, bool CCA)
{
    if (!Node)
        return GetFirst(CCA);
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    PLazyNode result = nullptr;
    if (!ChildrenAbove(CCA)) {
        if (Node->Has(vsHasChildren)) {
            if (Node->ChildCount == 0)
                InitChildren(Node);
            result = Node->FirstChild;
        }
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = run->NextSibling;
    } else if (Node->NextSibling) {
        result = Node->NextSibling;
        EnsureInitialized(result);
        for (PLazyNode child; (child = EnterChildren(result));) {
            result = child;
            EnsureInitialized(result);
        }
    } else if (Node->Parent != FRoot) {
        result = Node->Parent;
    }
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextNoInit(PLazyNode Node, bool CCA) const
{
    if (!Node)
        return GetFirstNoInit(CCA);
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    PLazyNode result = nullptr;
    if (!ChildrenAbove(CCA)) {
        if (Node->Has(vsHasChildren))
            result = Node->FirstChild;
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = run->NextSibling;
    } else if (Node->NextSibling) {
        result = Node->NextSibling;
        while (result->Has(vsHasChildren) && result->FirstChild)
            result = result->FirstChild;
    } else if (Node->Parent != FRoot) {
        result = Node->Parent;
    }
    return result;
}

PLazyNode TBaseLazyTree::GetPrevious(PLazyNode Node, bool CCA)
{
    if (!Node)
        return GetLast(nullptr, CCA);
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    PLazyNode result = nullptr;
    if (!ChildrenAbove(CCA)) {
        if (Node->PrevSibling) {
            result = Node->PrevSibling;
            EnsureInitialized(result);
            for (PLazyNode last; (last = GetLastChild(result));)
                result = last;
        } else if (Node->Parent != FRoot) {
            result = Node->Parent;
        }
    } else {
        if (Node->Has(vsHasChildren)) {
            if (Node->ChildCount == 0)
                InitChildren(Node);
            result = Node->LastChild;
        }
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = run->PrevSibling;
    }
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousNoInit(PLazyNode Node, bool CCA) const
{
    if (!Node)
        return GetLastNoInit(nullptr, CCA);
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    PLazyNode result = nullptr;
    if (!ChildrenAbove(CCA)) {
        if (Node->PrevSibling) {
            result = Node->PrevSibling;
            for (PLazyNode last; (last = GetLastChildNoInit(result));)
                result = last;
        } else if (Node->Parent != FRoot) {
            result = Node->Parent;
        }
    } else {
        if (Node->Has(vsHasChildren))
            result = Node->LastChild;
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = run->PrevSibling;
    }
    return result;
}

PLazyNode TBaseLazyTree::GetFirstChild(PLazyNode Node)
{
    if (!Node)
        Node = FRoot;
    PLazyNode result = EnterChildren(Node);
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstChildNoInit(PLazyNode Node) const
{
    if (!Node || Node == FRoot)
        return FRoot->FirstChild;
    return Node->Has(vsHasChildren) ? Node->FirstChild : nullptr;
}

PLazyNode TBaseLazyTree::GetLastChild(PLazyNode Node)
{
    if (!Node)
        Node = FRoot;
    PLazyNode result = EnterChildren(Node) ? Node->LastChild : nullptr;
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetLastChildNoInit(PLazyNode Node) const
{
    if (!Node || Node == FRoot)
        return FRoot->LastChild;
    return Node->Has(vsHasChildren) ? Node->LastChild : nullptr;
}

PLazyNode TBaseLazyTree::GetNextSibling(PLazyNode Node)
{
    PLazyNode result = GetNextSiblingNoInit(Node);
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextSiblingNoInit(PLazyNode Node) const
{
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    return Node ? Node->NextSibling : nullptr;
}

PLazyNode TBaseLazyTree::GetPreviousSibling(PLazyNode Node)
{
    PLazyNode result = GetPreviousSiblingNoInit(Node);
    EnsureInitialized(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousSiblingNoInit(PLazyNode Node) const
{
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    return Node ? Node->PrevSibling : nullptr;
}

// ---------------------------------------------------------------------------------------
// By a node property: step without initialising, initialise only what is returned.

template <typename Pred>
PLazyNode TBaseLazyTree::FindForward(PLazyNode Node, bool CCA, Pred Match)
{
    PLazyNode run = (!Node || Node == FRoot) ? GetFirstNoInit(CCA) : GetNextNoInit(Node, CCA);
    while (run && !Match(run))
        run = GetNextNoInit(run, CCA);
    EnsureInitialized(run);
    return run;
}

template <typename Pred>
PLazyNode TBaseLazyTree::FindBackward(PLazyNode Node, bool CCA, Pred Match)
{
    PLazyNode run =
        (!Node || Node == FRoot) ? GetLastNoInit(nullptr, CCA) : GetPreviousNoInit(Node, CCA);
    while (run && !Match(run))
        run = GetPreviousNoInit(run, CCA);
    EnsureInitialized(run);
    return run;
}

PLazyNode TBaseLazyTree::GetFirstChecked(TCheckState State, bool CCA)
{
    return GetNextChecked(nullptr, State, CCA);
}

PLazyNode TBaseLazyTree::GetNextChecked(PLazyNode Node, TCheckState State, bool CCA)
{
    return FindForward(Node, CCA, [State](PLazyNode N) { return N->CheckState == State; });
}

PLazyNode TBaseLazyTree::GetPreviousChecked(PLazyNode Node, TCheckState State, bool CCA)
{
    return FindBackward(Node, CCA, [State](PLazyNode N) { return N->CheckState == State; });
}

PLazyNode TBaseLazyTree::GetFirstCutCopy(bool CCA)
{
    return GetNextCutCopy(nullptr, CCA);
}

PLazyNode TBaseLazyTree::GetNextCutCopy(PLazyNode Node, bool CCA)
{
    if (!FStates.Contains(tsCutPending) && !FStates.Contains(tsCopyPending))
        return nullptr;
    return FindForward(Node, CCA, [](PLazyNode N) { return N->Has(vsCutOrCopy); });
}

PLazyNode TBaseLazyTree::GetPreviousCutCopy(PLazyNode Node, bool CCA)
{
    if (!FStates.Contains(tsCutPending) && !FStates.Contains(tsCopyPending))
        return nullptr;
    return FindBackward(Node, CCA, [](PLazyNode N) { return N->Has(vsCutOrCopy); });
}

PLazyNode TBaseLazyTree::GetFirstInitialized(bool CCA) const
{
    PLazyNode result = GetFirstNoInit(CCA);
    if (result && !result->Has(vsInitialized))
        result = GetNextInitialized(result, CCA);
    return result;
}

PLazyNode TBaseLazyTree::GetNextInitialized(PLazyNode Node, bool CCA) const
{
    PLazyNode run = Node;
    do
        run = run ? GetNextNoInit(run, CCA) : nullptr;
    while (run && !run->Has(vsInitialized));
    return run;
}

PLazyNode TBaseLazyTree::GetPreviousInitialized(PLazyNode Node, bool CCA) const
{
    PLazyNode run = Node;
    do
        run = run ? GetPreviousNoInit(run, CCA) : nullptr;
    while (run && !run->Has(vsInitialized));
    return run;
}

PLazyNode TBaseLazyTree::GetLastInitialized(PLazyNode Node, bool CCA) const
{
    PLazyNode result = GetLastNoInit(Node, CCA);
    if (result && !result->Has(vsInitialized))
        result = GetPreviousInitialized(result, CCA);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstSelected(bool CCA)
{
    return GetNextSelected(nullptr, CCA);
}

PLazyNode TBaseLazyTree::GetNextSelected(PLazyNode Node, bool CCA)
{
    if (FSelection.empty())
        return nullptr;
    return FindForward(Node, CCA, [](PLazyNode N) { return N->Has(vsSelected); });
}

PLazyNode TBaseLazyTree::GetPreviousSelected(PLazyNode Node, bool CCA)
{
    if (FSelection.empty())
        return nullptr;
    return FindBackward(Node, CCA, [](PLazyNode N) { return N->Has(vsSelected); });
}

PLazyNode TBaseLazyTree::GetFirstLeaf()
{
    return GetNextLeaf(nullptr);
}

PLazyNode TBaseLazyTree::GetNextLeaf(PLazyNode Node)
{
    PLazyNode run = (!Node || Node == FRoot) ? GetFirst() : GetNext(Node);
    while (run && run->Has(vsHasChildren))
        run = GetNext(run);
    return run;
}

PLazyNode TBaseLazyTree::GetPreviousLeaf(PLazyNode Node)
{
    PLazyNode run = (!Node || Node == FRoot) ? GetLast() : GetPrevious(Node);
    while (run && run->Has(vsHasChildren))
        run = GetPrevious(run);
    return run;
}

PLazyNode TBaseLazyTree::GetFirstLevel(uint32_t NodeLevel)
{
    PLazyNode run = GetFirstNoInit(true);
    while (run && GetNodeLevel(run) != NodeLevel)
        run = GetNextNoInit(run, true);
    EnsureInitialized(run);
    return run;
}

PLazyNode TBaseLazyTree::GetNextLevel(PLazyNode Node, uint32_t NodeLevel)
{
    PLazyNode run = (!Node || Node == FRoot) ? GetFirst() : GetNext(Node);
    while (run && GetNodeLevel(run) != NodeLevel)
        run = GetNext(run);
    return run;
}

PLazyNode TBaseLazyTree::GetPreviousLevel(PLazyNode Node, uint32_t NodeLevel)
{
    PLazyNode run = (!Node || Node == FRoot) ? GetLast() : GetPrevious(Node);
    while (run && GetNodeLevel(run) != NodeLevel)
        run = GetPrevious(run);
    return run;
}

// ---------------------------------------------------------------------------------------
// By what is shown

bool TBaseLazyTree::ShownChild(PLazyNode Node, bool IncludeFiltered) const
{
    return Node->Has(vsVisible) && (IncludeFiltered || !GetEffectivelyFiltered(Node));
}

PLazyNode TBaseLazyTree::GetFirstVisibleChild(PLazyNode Node, bool IncludeFiltered)
{
    PLazyNode run = GetFirstChild(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = GetNextSibling(run);
    return run;
}

PLazyNode TBaseLazyTree::GetFirstVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered) const
{
    PLazyNode run = GetFirstChildNoInit(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = run->NextSibling;
    return run;
}

PLazyNode TBaseLazyTree::GetLastVisibleChild(PLazyNode Node, bool IncludeFiltered)
{
    if (Node && Node != FRoot && (!FullyVisible(Node) || !Node->Has(vsExpanded)))
        return nullptr;
    PLazyNode run = GetLastChild(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = GetPreviousSibling(run);
    return run;
}

PLazyNode TBaseLazyTree::GetLastVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered) const
{
    if (Node && Node != FRoot && (!FullyVisible(Node) || !Node->Has(vsExpanded)))
        return nullptr;
    PLazyNode run = GetLastChildNoInit(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = run->PrevSibling;
    return run;
}

PLazyNode TBaseLazyTree::GetNextVisibleSibling(PLazyNode Node, bool IncludeFiltered)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    PLazyNode run = GetNextSibling(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = GetNextSibling(run);
    return run;
}

PLazyNode TBaseLazyTree::GetNextVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered) const
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    PLazyNode run = Node->NextSibling;
    while (run && !ShownChild(run, IncludeFiltered))
        run = run->NextSibling;
    return run;
}

PLazyNode TBaseLazyTree::GetPreviousVisibleSibling(PLazyNode Node, bool IncludeFiltered)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    PLazyNode run = GetPreviousSibling(Node);
    while (run && !ShownChild(run, IncludeFiltered))
        run = GetPreviousSibling(run);
    return run;
}

PLazyNode TBaseLazyTree::GetPreviousVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered) const
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    PLazyNode run = Node->PrevSibling;
    while (run && !ShownChild(run, IncludeFiltered))
        run = run->PrevSibling;
    return run;
}

PLazyNode TBaseLazyTree::GetVisibleParent(PLazyNode Node, bool IncludeFiltered) const
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    PLazyNode run = Node->Parent;
    while (run != FRoot &&
           !(FullyVisible(run) && (IncludeFiltered || !GetEffectivelyFiltered(run))))
        run = run->Parent;
    return run;
}

// One step in display order over nodes with vsVisible below expanded parents (filtering is
// applied by the callers). Descend: whether Node's own children may be entered.
PLazyNode TBaseLazyTree::DisplayStep(PLazyNode Node, bool Forward, bool Above, bool Descend,
                                     bool DoInit)
{
    auto firstShown = [&](PLazyNode P) -> PLazyNode {
        if (!P->Has(vsExpanded))
            return nullptr;
        if (DoInit && P->Has(vsHasChildren) && P->ChildCount == 0)
            InitChildren(P);
        PLazyNode c = P->FirstChild;
        while (c && !c->Has(vsVisible))
            c = c->NextSibling;
        return c;
    };
    auto lastShown = [&](PLazyNode P) -> PLazyNode {
        if (!P->Has(vsExpanded))
            return nullptr;
        if (DoInit && P->Has(vsHasChildren) && P->ChildCount == 0)
            InitChildren(P);
        PLazyNode c = P->LastChild;
        while (c && !c->Has(vsVisible))
            c = c->PrevSibling;
        return c;
    };
    auto nextShownSibling = [](PLazyNode N) {
        PLazyNode s = N->NextSibling;
        while (s && !s->Has(vsVisible))
            s = s->NextSibling;
        return s;
    };
    auto prevShownSibling = [](PLazyNode N) {
        PLazyNode s = N->PrevSibling;
        while (s && !s->Has(vsVisible))
            s = s->PrevSibling;
        return s;
    };
    auto init = [&](PLazyNode N) {
        if (DoInit)
            EnsureInitialized(N);
        return N;
    };
    // Going down into a subtree towards its start (forward, children above) or its end
    // (backward, children below).
    auto deepest = [&](PLazyNode N, bool First) {
        init(N);
        for (PLazyNode c; (c = First ? firstShown(N) : lastShown(N));)
            N = init(c);
        return N;
    };
    PLazyNode result = nullptr;
    if (Forward && !Above) {
        if (Descend)
            result = firstShown(init(Node));
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = nextShownSibling(run);
    } else if (Forward) {
        if (PLazyNode s = nextShownSibling(Node))
            result = deepest(s, true);
        else if (Node->Parent != FRoot)
            result = Node->Parent;
    } else if (!Above) {
        if (PLazyNode s = prevShownSibling(Node))
            result = deepest(s, false);
        else if (Node->Parent != FRoot)
            result = Node->Parent;
    } else {
        if (Descend)
            result = lastShown(init(Node));
        for (PLazyNode run = Node; !result && run != FRoot; run = run->Parent)
            result = prevShownSibling(run);
    }
    return result ? init(result) : nullptr;
}

// The start of a visible walk from a node that may not be shown: the node itself, or the
// outermost node on its path that hides it, which is then not entered.
PLazyNode TBaseLazyTree::VisibleWalkStart(PLazyNode Node, bool &Descend) const
{
    Descend = true;
    if (FullyVisible(Node))
        return Node;
    PLazyNode parent = GetVisibleParent(Node, true);
    PLazyNode start = Node;
    while (start->Parent != parent)
        start = start->Parent;
    if (parent != FRoot && !parent->Has(vsExpanded))
        start = parent;
    Descend = false;
    return start;
}

PLazyNode TBaseLazyTree::VisibleWalk(PLazyNode Node, bool Forward, bool CCA, bool DoInit)
{
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    const bool above = ChildrenAbove(CCA);
    bool descend = true;
    PLazyNode run = VisibleWalkStart(Node, descend);
    do {
        run = DisplayStep(run, Forward, above, descend, DoInit);
        descend = true;
    } while (run && GetEffectivelyFiltered(run));
    return run;
}

PLazyNode TBaseLazyTree::GetNextVisible(PLazyNode Node, bool CCA)
{
    if (!Node)
        return GetFirstVisible(nullptr, CCA);
    return VisibleWalk(Node, true, CCA, true);
}

PLazyNode TBaseLazyTree::GetNextVisibleNoInit(PLazyNode Node, bool CCA) const
{
    if (!Node)
        return GetFirstVisibleNoInit(nullptr, CCA);
    return const_cast<TBaseLazyTree *>(this)->VisibleWalk(Node, true, CCA, false);
}

PLazyNode TBaseLazyTree::GetPreviousVisible(PLazyNode Node, bool CCA)
{
    if (!Node)
        return GetLastVisible(nullptr, CCA);
    return VisibleWalk(Node, false, CCA, true);
}

PLazyNode TBaseLazyTree::GetPreviousVisibleNoInit(PLazyNode Node, bool CCA) const
{
    if (!Node)
        return GetLastVisibleNoInit(nullptr, CCA);
    return const_cast<TBaseLazyTree *>(this)->VisibleWalk(Node, false, CCA, false);
}

PLazyNode TBaseLazyTree::FirstVisibleFrom(PLazyNode Node, bool CCA, bool IncludeFiltered,
                                          bool DoInit)
{
    if (!Node)
        Node = FRoot;
    PLazyNode run = DoInit ? GetFirstChild(Node) : GetFirstChildNoInit(Node);
    // The first node with vsVisible, continuing with the ancestors' next siblings.
    while (run && !run->Has(vsVisible)) {
        PLazyNode next = nullptr;
        for (PLazyNode up = run; !next && up != FRoot; up = up->Parent)
            next = up->NextSibling;
        run = next;
        if (DoInit)
            EnsureInitialized(run);
    }
    // With children above, the display starts at the deepest first shown descendant.
    if (run && ChildrenAbove(CCA))
        for (;;) {
            if (!run->Has(vsExpanded))
                break;
            if (DoInit && run->Has(vsHasChildren) && run->ChildCount == 0)
                InitChildren(run);
            PLazyNode child = run->FirstChild;
            while (child && !child->Has(vsVisible))
                child = child->NextSibling;
            if (!child)
                break;
            run = child;
            if (DoInit)
                EnsureInitialized(run);
        }
    if (run && !IncludeFiltered && GetEffectivelyFiltered(run))
        run = VisibleWalk(run, true, CCA, DoInit);
    return run;
}

PLazyNode TBaseLazyTree::GetFirstVisible(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    return FirstVisibleFrom(Node, CCA, IncludeFiltered, true);
}

PLazyNode TBaseLazyTree::GetFirstVisibleNoInit(PLazyNode Node, bool CCA, bool IncludeFiltered) const
{
    return const_cast<TBaseLazyTree *>(this)->FirstVisibleFrom(Node, CCA, IncludeFiltered, false);
}

PLazyNode TBaseLazyTree::GetLastVisibleNoInit(PLazyNode Node, bool CCA, bool IncludeFiltered) const
{
    PLazyNode run = GetLastNoInit(Node, CCA);
    while (run && run != Node) {
        if (FullyVisible(run) && (IncludeFiltered || !GetEffectivelyFiltered(run)))
            return run;
        run = GetPreviousNoInit(run, CCA);
    }
    return nullptr;
}

PLazyNode TBaseLazyTree::GetLastVisible(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    PLazyNode result = GetLastVisibleNoInit(Node, CCA, IncludeFiltered);
    for (PLazyNode run = result; run && run != Node && run != FRoot; run = run->Parent)
        EnsureInitialized(run);
    return result;
}

// ---------------------------------------------------------------------------------------
// Enumerations

bool TLTLazyNodeEnumerator::MoveNext()
{
    if (!FCanModeNext)
        return false;
    const TLTLazyNodeEnumeration &e = *FEnumeration;
    TBaseLazyTree &t = *e.FTree;
    const bool first = FNode == nullptr;
    switch (e.FMode) {
    case vneAll: FNode = first ? t.GetFirst(e.FConsiderChildrenAbove) : t.GetNext(FNode, e.FConsiderChildrenAbove); break;
    case vneChecked:
        FNode = first ? t.GetFirstChecked(e.FState, e.FConsiderChildrenAbove)
                      : t.GetNextChecked(FNode, e.FState, e.FConsiderChildrenAbove);
        break;
    case vneChild: FNode = first ? t.GetFirstChild(e.FNode) : t.GetNextSibling(FNode); break;
    case vneCutCopy:
        FNode = first ? t.GetFirstCutCopy(e.FConsiderChildrenAbove)
                      : t.GetNextCutCopy(FNode, e.FConsiderChildrenAbove);
        break;
    case vneInitialized:
        FNode = first ? t.GetFirstInitialized(e.FConsiderChildrenAbove)
                      : t.GetNextInitialized(FNode, e.FConsiderChildrenAbove);
        break;
    case vneLeaf: FNode = first ? t.GetFirstLeaf() : t.GetNextLeaf(FNode); break;
    case vneLevel:
        FNode = first ? t.GetFirstLevel(e.FNodeLevel) : t.GetNextLevel(FNode, e.FNodeLevel);
        break;
    case vneNoInit:
        FNode = first ? t.GetFirstNoInit(e.FConsiderChildrenAbove)
                      : t.GetNextNoInit(FNode, e.FConsiderChildrenAbove);
        break;
    case vneSelected:
        FNode = first ? t.GetFirstSelected(e.FConsiderChildrenAbove)
                      : t.GetNextSelected(FNode, e.FConsiderChildrenAbove);
        break;
    case vneVisible:
        FNode = first ? t.GetFirstVisible(e.FNode, e.FConsiderChildrenAbove, e.FIncludeFiltered)
                      : t.GetNextVisible(FNode, e.FConsiderChildrenAbove);
        break;
    case vneVisibleChild:
        FNode = first ? t.GetFirstVisibleChild(e.FNode, e.FIncludeFiltered)
                      : t.GetNextVisibleSibling(FNode, e.FIncludeFiltered);
        break;
    case vneVisibleNoInitChild:
        FNode = first ? t.GetFirstVisibleChildNoInit(e.FNode, e.FIncludeFiltered)
                      : t.GetNextVisibleSiblingNoInit(FNode, e.FIncludeFiltered);
        break;
    case vneVisibleNoInit:
        FNode = first ? t.GetFirstVisibleNoInit(e.FNode, e.FConsiderChildrenAbove, e.FIncludeFiltered)
                      : t.GetNextVisibleNoInit(FNode, e.FConsiderChildrenAbove);
        break;
    }
    FCanModeNext = FNode != nullptr;
    return FCanModeNext;
}

namespace {
TLTLazyNodeEnumeration Enumeration(TBaseLazyTree *Tree, TLZLazyNodeEnumerationMode Mode,
                                   bool CCA = false, PLazyNode Node = nullptr)
{
    TLTLazyNodeEnumeration e;
    e.FMode = Mode;
    e.FTree = Tree;
    e.FConsiderChildrenAbove = CCA;
    e.FNode = Node;
    return e;
}
}   // namespace

TLTLazyNodeEnumeration TBaseLazyTree::Nodes(bool CCA) { return Enumeration(this, vneAll, CCA); }

TLTLazyNodeEnumeration TBaseLazyTree::CheckedNodes(TCheckState State, bool CCA)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneChecked, CCA);
    e.FState = State;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::ChildNodes(PLazyNode Node)
{
    return Enumeration(this, vneChild, false, Node);
}

TLTLazyNodeEnumeration TBaseLazyTree::CutCopyNodes(bool CCA)
{
    return Enumeration(this, vneCutCopy, CCA);
}

TLTLazyNodeEnumeration TBaseLazyTree::InitializedNodes(bool CCA)
{
    return Enumeration(this, vneInitialized, CCA);
}

TLTLazyNodeEnumeration TBaseLazyTree::LeafNodes() { return Enumeration(this, vneLeaf); }

TLTLazyNodeEnumeration TBaseLazyTree::LevelNodes(uint32_t NodeLevel)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneLevel);
    e.FNodeLevel = NodeLevel;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::NoInitNodes(bool CCA)
{
    return Enumeration(this, vneNoInit, CCA);
}

TLTLazyNodeEnumeration TBaseLazyTree::SelectedNodes(bool CCA)
{
    return Enumeration(this, vneSelected, CCA);
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleNodes(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneVisible, CCA, Node);
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleChildNodes(PLazyNode Node, bool IncludeFiltered)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneVisibleChild, false, Node);
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleChildNoInitNodes(PLazyNode Node, bool IncludeFiltered)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneVisibleNoInitChild, false, Node);
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleNoInitNodes(PLazyNode Node, bool CCA,
                                                         bool IncludeFiltered)
{
    TLTLazyNodeEnumeration e = Enumeration(this, vneVisibleNoInit, CCA, Node);
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

// ---------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::IterateSubtree(PLazyNode Node, const TLTGetNodeProc &Callback,
                                        void *Data, TLazyNodeStates Filter, bool DoInit,
                                        bool ChildNodesOnly)
{
    if (Node == FRoot)
        throw ELazyTreeAssertion(RootNodeMessage);
    const TLTGetNodeProc callback = Callback;   // held for the duration
    const bool wasIterating = FStates.Contains(tsIterating);
    DoStateChange({tsIterating});
    PLazyNode result = nullptr;
    try {
        auto step = [&](PLazyNode N) { return DoInit ? GetNext(N) : GetNextNoInit(N); };
        PLazyNode stop = nullptr;
        if (Node) {
            if (DoInit)
                EnsureInitialized(Node);
            for (PLazyNode run = Node; !stop && run != FRoot; run = run->Parent)
                stop = run->NextSibling;
        }
        PLazyNode run = Node ? Node : (DoInit ? GetFirst() : GetFirstNoInit());
        if (ChildNodesOnly && run)
            run = run->FirstChild ? step(run) : nullptr;
        while (run && run != stop) {
            if (Filter.Empty() || (run->States * Filter) == Filter) {
                bool abort = false;
                callback(this, run, Data, abort);
                if (abort) {
                    result = run;
                    break;
                }
            }
            run = step(run);
        }
    } catch (...) {
        if (!wasIterating)
            DoStateChange({}, {tsIterating});
        throw;
    }
    if (!wasIterating)
        DoStateChange({}, {tsIterating});
    return result;
}
