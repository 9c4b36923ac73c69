#include "tree_fixture.h"

void TTestTree::DetachEvents()
{
    OnInitNode = nullptr;
    OnInitChildren = nullptr;
    OnFreeNode = nullptr;
    OnResetNode = nullptr;
    OnGetNodeDataSize = nullptr;
    OnChecking = nullptr;
    OnChecked = nullptr;
    OnExpanding = OnCollapsing = nullptr;
    OnExpanded = OnCollapsed = nullptr;
    OnNodeMoving = OnNodeCopying = nullptr;
    OnNodeMoved = OnNodeCopied = nullptr;
    OnStructureChange = nullptr;
    OnChange = nullptr;
    OnStateChange = nullptr;
    OnUpdating = nullptr;
    OnStartOperation = OnEndOperation = nullptr;
    OnGetImageIndex = nullptr;
    OnGetImageIndexEx = nullptr;
    OnGetPopupMenu = nullptr;
    OnColumnResize = nullptr;
    OnBeforeAutoFitColumns = nullptr;
    OnAfterAutoFitColumns = nullptr;
    OnBeforeAutoFitColumn = nullptr;
    OnAfterAutoFitColumn = nullptr;
    OnBeforeGetMaxColumnWidth = nullptr;
    OnAfterGetMaxColumnWidth = nullptr;
    OnCanSplitterResizeHeader = nullptr;
    OnSaveNode = OnLoadNode = nullptr;
    OnSaveTree = OnLoadTree = nullptr;
    OnBeforeTreeExport = OnAfterTreeExport = OnBeforeHeaderExport = OnAfterHeaderExport = nullptr;
    OnBeforeColumnExport = OnColumnExport = OnAfterColumnExport = nullptr;
    OnBeforeNodeExport = OnNodeExport = OnAfterNodeExport = nullptr;
}

void TEventLog::Attach(TBaseLazyTree &Tree)
{
    Tree.OnInitNode = [this](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node,
                             TLazyNodeInitStates &) {
        ++Inits;
        Lines.push_back("init " + PathOf(*Sender, Node));
    };
    Tree.OnFreeNode = [this](TBaseLazyTree *Sender, PLazyNode Node) {
        ++Frees;
        Lines.push_back("free " + PathOf(*Sender, Node));
    };
    Tree.OnStructureChange = [this](TBaseLazyTree *Sender, PLazyNode Node, TChangeReason Reason) {
        ++Structures;
        Lines.push_back("structure " + (Node ? PathOf(*Sender, Node) : std::string("nil")) + " " +
                        std::to_string(int(Reason)));
    };
    Tree.OnUpdating = [this](TBaseLazyTree *, TLTUpdateState State) { Updating.push_back(State); };
}

int TEventLog::Count(const std::string &Prefix) const
{
    int n = 0;
    for (const std::string &l : Lines)
        n += l.rfind(Prefix, 0) == 0;
    return n;
}

std::vector<std::string> TEventLog::Only(const std::string &Prefix) const
{
    std::vector<std::string> lines;
    for (const std::string &l : Lines)
        if (l.rfind(Prefix, 0) == 0)
            lines.push_back(l);
    return lines;
}

void ShowWithClient(TBaseLazyTree &Tree, int Width, int Height)
{
    Tree.show();
    const int dx = Tree.width() - Tree.ClientWidth(), dy = Tree.height() - Tree.ClientHeight();
    Tree.resize(Width + dx, Height + dy);
    EXPECT_EQ(Tree.ClientWidth(), Width);
    EXPECT_EQ(Tree.ClientHeight(), Height);
}

std::string PathOf(const TBaseLazyTree &Tree, PLazyNode Node)
{
    std::string path;
    for (PLazyNode run = Node; run && run != Tree.RootNode(); run = run->Parent)
        path = std::to_string(run->Index) + (path.empty() ? "" : "." + path);
    return path;
}

namespace {

struct TChecker
{
    TBaseLazyTree &Tree;
    bool Ok = true;
    uint32_t Shown = 0;

    void Fail(const std::string &What, PLazyNode Node)
    {
        Ok = false;
        ADD_FAILURE() << What << " at node " << PathOf(Tree, Node);
    }

    bool EffectivelyFiltered(PLazyNode Node) const { return Tree.GetEffectivelyFiltered(Node); }

    // Returns nothing; checks Node's subtree. ShownPath: every ancestor expanded and visible.
    void Walk(PLazyNode Node, bool ShownPath)
    {
        const bool isRoot = Node == Tree.RootNode();
        if (!isRoot && ShownPath && Node->Has(vsVisible) && !EffectivelyFiltered(Node))
            ++Shown;
        uint32_t count = 0, totalCount = 1;
        uint64_t totalHeight = EffectivelyFiltered(Node) ? 0 : Node->NodeHeight;
        bool anyVisible = false;
        PLazyNode previous = nullptr;
        for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
            if (child->Parent != Node)
                Fail("child's parent link", child);
            if (child->PrevSibling != previous)
                Fail("previous-sibling link", child);
            if (child->Index != count)
                Fail("index " + std::to_string(child->Index) + " != " + std::to_string(count), child);
            Walk(child, ShownPath && Node->Has(vsExpanded) && (isRoot || Node->Has(vsVisible)));
            totalCount += child->TotalCount;
            if (Node->Has(vsExpanded) && child->Has(vsVisible))
                totalHeight += child->TotalHeight;
            anyVisible |= Tree.GetEffectivelyVisible(child);
            previous = child;
            ++count;
        }
        if (Node->LastChild != previous)
            Fail("last-child link", Node);
        if (Node->ChildCount != count)
            Fail("ChildCount " + std::to_string(Node->ChildCount) + " != " + std::to_string(count), Node);
        if (Node->TotalCount != totalCount)
            Fail("TotalCount " + std::to_string(Node->TotalCount) + " != " + std::to_string(totalCount), Node);
        if (Node->TotalHeight != totalHeight)
            Fail("TotalHeight " + std::to_string(Node->TotalHeight) + " != " + std::to_string(totalHeight), Node);
        if (!isRoot && count > 0 && Node->Has(vsAllChildrenHidden) == anyVisible)
            Fail("vsAllChildrenHidden", Node);
        if (count > 0 && !Node->Has(vsHasChildren))
            Fail("children without vsHasChildren", Node);
    }
};

}   // namespace

bool ValidateTree(TBaseLazyTree &Tree)
{
    TChecker c{Tree};
    PLazyNode root = Tree.RootNode();
    if (root->NextSibling != root || root->PrevSibling != root ||
        TBaseLazyTree::OwnerTree(root) != &Tree)
        c.Fail("root marks", root);
    c.Walk(root, true);
    if (c.Shown != Tree.VisibleCount()) {
        c.Ok = false;
        ADD_FAILURE() << "VisibleCount " << Tree.VisibleCount() << " != " << c.Shown;
    }
    if (Tree.RangeY() != root->TotalHeight - root->NodeHeight) {
        c.Ok = false;
        ADD_FAILURE() << "RangeY " << Tree.RangeY();
    }
    return c.Ok;
}
