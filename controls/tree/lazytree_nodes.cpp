// Node storage: block allocation and layout, the hidden root, user data and internal data
// areas, the subtree sums, and the node and tree properties that read or write one node.
#include "controls/tree/lazytree.h"

#include <cstdlib>
#include <cstring>
#include <new>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTMiscOption;
using enum TLTPaintOption;
using enum TLTSelectionOption;

namespace {

constexpr size_t RoundUp(size_t Value, size_t To)
{
    return (Value + To - 1) / To * To;
}

PLazyNode ZeroBlock(size_t Size)
{
    void *block = std::calloc(1, Size);
    if (!block)
        throw std::bad_alloc();
    return static_cast<PLazyNode>(block);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Blocks

size_t TBaseLazyTree::UserDataSpan() const
{
    // Internal areas follow the user data; keep them aligned for the values they hold.
    return RoundUp(size_t(std::max(FNodeDataSize, 0)), alignof(std::max_align_t));
}

size_t TBaseLazyTree::NodeBlockSize() const
{
    return LazyNodeRecordSize + UserDataSpan() + FTotalInternalDataSize;
}

int TBaseLazyTree::DoGetNodeDataSize()
{
    int size = 4;
    if (OnGetNodeDataSize)
        OnGetNodeDataSize(this, size);
    return size;
}

void TBaseLazyTree::ResolveNodeDataSize()
{
    if (FNodeDataSize == -1) {
        FNodeDataSize = DoGetNodeDataSize();
        if (FNodeDataSize < -1)
            FNodeDataSize = -1;
    }
}

PLazyNode TBaseLazyTree::AllocateNode()
{
    ResolveNodeDataSize();
    PLazyNode node = ZeroBlock(NodeBlockSize());
    node->TotalCount = 1;
    node->TotalHeight = FDefaultNodeHeight;
    node->NodeHeight = uint16_t(FDefaultNodeHeight);
    node->States = {vsVisible};
    node->Align = 50;
    return node;
}

void TBaseLazyTree::FreeNodeBlock(PLazyNode Node)
{
    std::free(Node);
}

void TBaseLazyTree::CreateRootNode(size_t OldSize)
{
    const size_t size = LazyNodeRecordSize + FTotalInternalDataSize;
    if (!FRoot) {
        FRoot = ZeroBlock(size);
    } else {
        void *grown = std::realloc(FRoot, size);
        if (!grown)
            throw std::bad_alloc();
        FRoot = static_cast<PLazyNode>(grown);
        if (size > OldSize)
            std::memset(reinterpret_cast<char *>(FRoot) + OldSize, 0, size - OldSize);
    }
    FRootSize = size;
    FRoot->Parent = reinterpret_cast<PLazyNode>(this);
    FRoot->PrevSibling = FRoot;
    FRoot->NextSibling = FRoot;
    FRoot->States = {vsInitialized, vsExpanded, vsHasChildren, vsVisible};
    FRoot->NodeHeight = uint16_t(FDefaultNodeHeight);
    FRoot->TotalHeight = FDefaultNodeHeight;
    FRoot->TotalCount = 1;
    FRoot->Align = 50;
    // Children linked before a re-allocation point to the old block.
    for (PLazyNode run = FRoot->FirstChild; run; run = run->NextSibling)
        run->Parent = FRoot;
}

uint32_t TBaseLazyTree::AllocateInternalDataArea(uint32_t Size)
{
    if (FRoot && FRoot->ChildCount > 0)
        throw ELazyTreeAssertion("Internal data allocation must be done before any node is created.");
    const uint32_t offset = uint32_t(RoundUp(LazyNodeRecordSize, 4)) + FTotalInternalDataSize;
    FTotalInternalDataSize += uint32_t(RoundUp(Size, 4));
    CreateRootNode(FRootSize);
    return offset;
}

void *TBaseLazyTree::InternalData(PLazyNode Node, uint32_t Offset) const
{
    if (!Node)
        return nullptr;
    // The root has no user data area.
    const size_t user = Node == FRoot ? 0 : UserDataSpan();
    return reinterpret_cast<char *>(Node) + user + Offset;
}

TBaseLazyTree *TBaseLazyTree::OwnerTree(PLazyNode Node)
{
    if (!Node)
        return nullptr;
    while (Node->NextSibling != Node)
        Node = Node->Parent;
    return reinterpret_cast<TBaseLazyTree *>(Node->Parent);
}

// ---------------------------------------------------------------------------------------
// User data

void TBaseLazyTree::SetNodeDataSize(int Value)
{
    if (Value < -1)
        Value = -1;
    if (Value == FNodeDataSize)
        return;
    FNodeDataSize = Value;
    if (FLoading)
        return;
    const uint32_t count = FRoot->ChildCount;
    Clear();
    SetRootNodeCount(count);
}

void *TBaseLazyTree::GetNodeData(PLazyNode Node)
{
    if (FNodeDataSize <= 0)
        throw ELazyTreeAssertion("NodeDataSize not initialized.");
    if (!Node || Node == FRoot)
        return nullptr;
    Node->States.Include(vsOnFreeNodeCallRequired);
    return reinterpret_cast<char *>(Node) + LazyNodeRecordSize;
}

void TBaseLazyTree::AssertRoomForPointer()
{
    ResolveNodeDataSize();
    if (FNodeDataSize < int(sizeof(void *)))
        throw ELazyTreeAssertion(
            (ClassName() +
             ": Cannot set initial user data because there is not enough user data space allocated.")
                .toStdString());
}

void TBaseLazyTree::StoreInitialData(PLazyNode Node, void *UserData)
{
    AssertRoomForPointer();
    std::memcpy(reinterpret_cast<char *>(Node) + LazyNodeRecordSize, &UserData, sizeof(void *));
    Node->States.Include(vsOnFreeNodeCallRequired);
}

void TBaseLazyTree::SetNodeData(PLazyNode Node, void *Value)
{
    if (!Node || Node == FRoot)
        return;
    StoreInitialData(Node, Value);
}

void TBaseLazyTree::SetNodeData(PLazyNode Node, ILazyTreeInterface *Value)
{
    if (!Node || Node == FRoot)
        return;
    StoreInitialData(Node, Value);
    if (Value)
        Value->AddRef();
    Node->States.Include(vsReleaseCallOnUserDataRequired);
}

// ---------------------------------------------------------------------------------------
// Sums

void TBaseLazyTree::UpdateTotalCount(PLazyNode Node, int64_t Value, bool Relative)
{
    if (!Node)
        return;
    if (!Relative)
        Value -= Node->TotalCount;
    if (Value == 0)
        return;
    for (PLazyNode run = Node;; run = run->Parent) {
        run->TotalCount = uint32_t(int64_t(run->TotalCount) + Value);
        if (run == FRoot)
            break;
    }
}

void TBaseLazyTree::UpdateTotalHeight(PLazyNode Node, int64_t Value, bool Relative)
{
    if (!Node)
        return;
    if (!Relative)
        Value -= Node->TotalHeight;
    if (Value != 0) {
        for (PLazyNode run = Node;;) {
            run->TotalHeight = uint32_t(int64_t(run->TotalHeight) + Value);
            if (!run->Has(vsVisible) || run == FRoot || !run->Parent ||
                !run->Parent->Has(vsExpanded))
                break;
            run = run->Parent;
        }
    }
    UpdateVerticalRange();
}

void TBaseLazyTree::SumTotalCounts(PLazyNode Node)
{
    if (!Node)
        return;
    uint32_t sum = 1;
    for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling) {
        SumTotalCounts(run);
        sum += run->TotalCount;
    }
    Node->TotalCount = sum;
}

void TBaseLazyTree::SumTotalHeights(PLazyNode Node)
{
    if (!Node)
        return;
    uint32_t sum = GetEffectivelyFiltered(Node) ? 0 : Node->NodeHeight;
    for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling) {
        SumTotalHeights(run);
        if (Node->Has(vsExpanded) && run->Has(vsVisible))
            sum += run->TotalHeight;
    }
    Node->TotalHeight = sum;
}

// ---------------------------------------------------------------------------------------
// Tree properties

uint32_t TBaseLazyTree::TotalCount()
{
    ++FUpdateCount;
    try {
        ValidateNode(FRoot, true);
    } catch (...) {
        --FUpdateCount;
        throw;
    }
    --FUpdateCount;
    return FRoot->TotalCount - 1;
}

void TBaseLazyTree::SetDefaultNodeHeight(uint32_t Value)
{
    if (Value == 0)
        Value = 18;
    if (Value == FDefaultNodeHeight)
        return;
    const int64_t diff = int64_t(Value) - int64_t(FDefaultNodeHeight);
    FRoot->TotalHeight = uint32_t(int64_t(FRoot->TotalHeight) + diff);
    FRoot->NodeHeight = uint16_t(int64_t(FRoot->NodeHeight) + diff);
    FDefaultNodeHeight = Value;
    MarkCacheInvalid();
    if (FUpdateCount == 0 && HandleAllocated() && !FLoading) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        ScrollIntoView(FFocusedNode,
                       FOptions->SelectionOptions().Contains(TLTSelectionOption::toCenterScrollIntoView));
        InvalidateTree();
    }
}

uint32_t TBaseLazyTree::GetNodeLevel(PLazyNode Node) const
{
    uint32_t level = 0;
    if (Node && Node != FRoot)
        for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
            ++level;
    return level;
}

uint32_t TBaseLazyTree::AbsoluteIndex(PLazyNode Node)
{
    uint32_t result = 0;
    while (Node && Node != FRoot) {
        if (!Node->Has(vsInitialized))
            InitNode(Node);
        if (Node->PrevSibling) {
            Node = Node->PrevSibling;
            result += Node->TotalCount;
        } else {
            Node = Node->Parent;
            if (Node != FRoot)
                ++result;
        }
    }
    return result;
}

bool TBaseLazyTree::HasAsParent(PLazyNode Node, PLazyNode PotentialParent) const
{
    if (!Node || !PotentialParent || Node == PotentialParent)
        return false;
    for (PLazyNode run = Node->Parent; run && run != FRoot; run = run->Parent)
        if (run == PotentialParent)
            return true;
    return false;
}

int TBaseLazyTree::CompareDisplayOrder(PLazyNode Node1, PLazyNode Node2,
                                       bool ConsiderChildrenAbove) const
{
    if (!Node1 || !Node2)
        throw ELazyTreeAssertion("Nodes must never be nil.");
    if (Node1 == Node2)
        return 0;
    const bool above = ConsiderChildrenAbove &&
                       FOptions->PaintOptions().Contains(toChildrenAbove);
    if (HasAsParent(Node1, Node2))
        return above ? -1 : 1;
    if (HasAsParent(Node2, Node1))
        return above ? 1 : -1;
    uint32_t level1 = GetNodeLevel(Node1), level2 = GetNodeLevel(Node2);
    while (level1 > level2) {
        Node1 = Node1->Parent;
        --level1;
    }
    while (level2 > level1) {
        Node2 = Node2->Parent;
        --level2;
    }
    while (Node1->Parent != Node2->Parent) {
        Node1 = Node1->Parent;
        Node2 = Node2->Parent;
    }
    return int(int64_t(Node1->Index) - int64_t(Node2->Index));
}

int TBaseLazyTree::LevelDifference(PLazyNode Node1, PLazyNode Node2) const
{
    if (!Node1 || !Node2)
        throw ELazyTreeAssertion("Both nodes must be Assigned.");
    return int(GetNodeLevel(Node2)) - int(GetNodeLevel(Node1));
}

// ---------------------------------------------------------------------------------------
// Node properties

PLazyNode TBaseLazyTree::NodeParent(PLazyNode Node) const
{
    if (!Node || Node == FRoot || Node->Parent == FRoot)
        return nullptr;
    return Node->Parent;
}

uint32_t TBaseLazyTree::ChildCount(PLazyNode Node) const
{
    if (!Node || Node == FRoot)
        return FRoot->ChildCount;
    return Node->ChildCount;
}

bool TBaseLazyTree::ChildrenInitialized(PLazyNode Node) const
{
    return !(Node->Has(vsHasChildren) && Node->ChildCount == 0);
}

bool TBaseLazyTree::HasChildren(PLazyNode Node) const
{
    return (Node ? Node : FRoot)->Has(vsHasChildren);
}

void TBaseLazyTree::SetHasChildren(PLazyNode Node, bool Value)
{
    if (!Node || FOptions->MiscOptions().Contains(toReadOnly))
        return;
    if (Value) {
        Node->States.Include(vsHasChildren);
    } else {
        Node->States.Exclude(vsHasChildren);
        DeleteChildren(Node, false);
    }
}

bool TBaseLazyTree::Disabled(PLazyNode Node) const
{
    return Node && Node->Has(vsDisabled);
}

void TBaseLazyTree::SetDisabled(PLazyNode Node, bool Value)
{
    if (!Node || Node->Has(vsDisabled) == Value)
        return;
    Node->States.Set(vsDisabled, Value);
    InvalidateNode(Node);
}

bool TBaseLazyTree::Multiline(PLazyNode Node) const
{
    return Node && Node != FRoot && Node->Has(vsMultiline);
}

void TBaseLazyTree::SetMultiline(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot || Node->Has(vsMultiline) == Value)
        return;
    Node->States.Set(vsMultiline, Value);
    InvalidateNode(Node);
}

uint32_t TBaseLazyTree::NodeHeight(PLazyNode Node)
{
    if (!Node || Node == FRoot)
        return 0;
    if (FOptions->MiscOptions().Contains(toVariableNodeHeight) && !Node->Has(vsDeleting)) {
        if (!Node->Has(vsInitialized))
            InitNode(Node);
        MeasureItemHeight(nullptr, Node);
    }
    return Node->NodeHeight;
}

void TBaseLazyTree::SetNodeHeight(PLazyNode Node, uint32_t Value)
{
    if (!Node || Node == FRoot || Node->NodeHeight == Value ||
        FOptions->MiscOptions().Contains(toReadOnly))
        return;
    const int64_t diff = int64_t(Value) - int64_t(Node->NodeHeight);
    Node->NodeHeight = uint16_t(Value);
    if (GetEffectivelyFiltered(Node))
        return;
    UpdateTotalHeight(Node, diff, true);
    // The edit bounds follow with in-place editing.
    MarkCacheInvalid();
    if (!FStates.Contains(tsValidating) && FullyVisible(Node) && !Node->Has(vsFiltered) &&
        FUpdateCount == 0 && !FStates.Contains(tsPainting) && !FStates.Contains(tsSizing)) {
        RequestCacheValidation();
        InvalidateToBottom(Node);
        UpdateScrollBars(true);
    }
}

void TBaseLazyTree::SetVerticalAlignment(PLazyNode Node, uint8_t Value)
{
    if (!Node)
        return;
    if (Value > 100)
        Value = 100;
    if (Node->Align == Value)
        return;
    Node->Align = Value;
    if (FullyVisible(Node) && !GetEffectivelyFiltered(Node))
        InvalidateNode(Node);
}
