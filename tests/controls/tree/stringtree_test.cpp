// The string tree's model: captions from the events, the width cache, paths, and the
// caption memory of toRestoreSelection.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"

#include <map>

using enum TLSTTextType;

namespace {

class TTestStringTree : public TLazyStringTree
{
public:
    using TLazyStringTree::TLazyStringTree;
    ~TTestStringTree() override
    {
        OnGetText = nullptr;
        OnGetCellText = nullptr;
        OnFreeNode = nullptr;
        OnInitNode = nullptr;
    }
    using TBaseLazyTree::AddToSelection;
    using TBaseLazyTree::RemoveFromSelection;
    using TCustomLazyStringTree::NodeContentWidth;
};

// Captions kept by the test, by node.
struct TCaptions
{
    std::map<PLazyNode, QString> Text;
    int Calls = 0;
    void Attach(TCustomLazyStringTree &Tree)
    {
        Tree.OnGetText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type,
                                QString &CellText) {
            ++Calls;
            if (Type == ttNormal && Text.count(Node))
                CellText = Text[Node];
        };
    }
};

}   // namespace

TEST(LazyStringTree, ConstructionDefaults)
{
    TTestStringTree tree;
    EXPECT_EQ(tree.DefaultText(), QStringLiteral("Node"));
    EXPECT_EQ(tree.TreeOptions().StringOptions(),
              (TLTStringOptions{TLTStringOption::toSaveCaptions, TLTStringOption::toAutoAcceptEditChange}));
    EXPECT_EQ(tree.TreeOptions().PaintOptions(),
              (TLTPaintOptions{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware,
                               toUseBlendedImages}));
    EXPECT_EQ(tree.ClassName(), QStringLiteral("TLazyStringTree"));
}

TEST(LazyStringTree, CaptionsComeFromTheEvents)
{
    TTestStringTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    EXPECT_EQ(tree.GetText(node), QStringLiteral("Node"));
    const QFontMetrics metrics(tree.font());
    EXPECT_EQ(tree.NodeContentWidth(node, NoColumn, nullptr),
              2 * tree.TextMargin() + metrics.horizontalAdvance(QStringLiteral("Node")));

    std::vector<TLSTTextType> asked;
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, TLSTTextType Type, QString &Text) {
        asked.push_back(Type);
        Text = Type == ttNormal ? QStringLiteral("Zähler") : QStringLiteral("static");
    };
    EXPECT_EQ(tree.GetText(node), QStringLiteral("Zähler"));
    EXPECT_EQ(tree.GetStaticText(node), QStringLiteral("static"));
    EXPECT_EQ(asked, (std::vector<TLSTTextType>{ttNormal, ttStatic, ttNormal, ttStatic}));

    int cellCalls = 0;
    tree.OnGetCellText = [&](TCustomLazyStringTree *, TLSTGetCellTextEventArgs &E) {
        ++cellCalls;
        E.CellText = QStringLiteral("cell");
    };
    asked.clear();
    EXPECT_EQ(tree.GetText(node), QStringLiteral("cell"));
    EXPECT_EQ(cellCalls, 1);
    EXPECT_TRUE(asked.empty());

    try {
        tree.GetText(nullptr);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Node must not be nil.");
    }
}

TEST(LazyStringTree, WidthsAreCachedUntilTheNodeOrTheFontChanges)
{
    TTestStringTree tree;
    TCaptions captions;
    captions.Attach(tree);
    PLazyNode node = tree.AddChild(nullptr);
    captions.Text[node] = QStringLiteral("abc");
    const int first = tree.NodeContentWidth(node, NoColumn, nullptr);
    const int calls = captions.Calls;
    EXPECT_EQ(tree.NodeContentWidth(node, NoColumn, nullptr), first);
    EXPECT_EQ(captions.Calls, calls);
    captions.Text[node] = QStringLiteral("abcdefghij");
    tree.InvalidateNode(node);
    const int longer = tree.NodeContentWidth(node, NoColumn, nullptr);
    EXPECT_GT(longer, first);
    QFont bigger = tree.font();
    bigger.setPixelSize(40);
    tree.setFont(bigger);
    EXPECT_GT(tree.NodeContentWidth(node, NoColumn, nullptr), longer);
}

TEST(LazyStringTree, Path)
{
    TTestStringTree tree;
    TCaptions captions;
    captions.Attach(tree);
    PLazyNode meter = tree.AddChild(nullptr);
    PLazyNode record = tree.AddChild(meter);
    captions.Text[meter] = QStringLiteral("Meter");
    captions.Text[record] = QStringLiteral("Energy");
    EXPECT_EQ(tree.Path(meter, NoColumn, QLatin1Char('\\')), QStringLiteral("Meter\\"));
    EXPECT_EQ(tree.Path(record, NoColumn, QLatin1Char('/')), QStringLiteral("Meter/Energy/"));
    EXPECT_EQ(tree.Path(nullptr, NoColumn, QLatin1Char('/')), QStringLiteral("/"));
}

TEST(LazyStringTree, RestoredSelectionByCaption)
{
    TTestStringTree tree;
    tree.TreeOptions().SetSelectionOptions(TLTSelectionOptions{toMultiSelect, toRestoreSelection});
    TCaptions captions;
    captions.Attach(tree);
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};
    std::vector<PLazyNode> nodes;
    for (const QString &name : names) {
        nodes.push_back(tree.AddChild(nullptr));
        captions.Text[nodes.back()] = name;
    }
    tree.AddToSelection(nodes[0]);
    tree.AddToSelection(nodes[2]);
    tree.AddToSelection(nodes[1]);
    tree.RemoveFromSelection(nodes[1]);
    EXPECT_EQ(tree.PreviouslySelected(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Gamma")}));

    tree.Clear();
    // Captions of the new nodes, by index, in another case.
    const QStringList renamed{QStringLiteral("gamma"), QStringLiteral("beta"), QStringLiteral("ALPHA")};
    tree.OnGetText = [&](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type, QString &Text) {
        if (Type == ttNormal)
            Text = renamed[Node->Index];
    };
    std::vector<PLazyNode> again;
    for (int i = 0; i < 3; ++i)
        again.push_back(tree.AddChild(nullptr));
    EXPECT_TRUE(again[0]->Has(vsSelected));
    EXPECT_FALSE(again[1]->Has(vsSelected));
    EXPECT_TRUE(again[2]->Has(vsSelected));
    EXPECT_EQ(tree.SelectedCount(), 2u);
}

// The scan window's use: node data of 8 bytes holding a caption, nodes added without an
// update bracket, emptied with Clear.
TEST(LazyStringTree, ScanWindowShape)
{
    struct TMyRec
    {
        QString *Caption;
    };
    // A plain string tree: its destruction fires OnFreeNode like Clear.
    auto tree = std::make_unique<TLazyStringTree>();
    tree->SetNodeDataSize(8);
    int freed = 0;
    tree->OnInitNode = [](TBaseLazyTree *Sender, PLazyNode, PLazyNode Node, TLazyNodeInitStates &) {
        Node->CheckType = TCheckType::ctCheckBox;
        Node->CheckState = TCheckState::csCheckedNormal;
        auto *rec = Sender->GetNodeData<TMyRec>(Node);
        rec->Caption = new QString(QStringLiteral("Level %1").arg(Sender->GetNodeLevel(Node)));
    };
    tree->OnFreeNode = [&](TBaseLazyTree *Sender, PLazyNode Node) {
        delete Sender->GetNodeData<TMyRec>(Node)->Caption;
        ++freed;
    };
    tree->OnGetText = [](TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex, TLSTTextType, QString &Text) {
        if (auto *rec = Sender->GetNodeData<TMyRec>(Node); rec && rec->Caption)
            Text = *rec->Caption;
    };
    PLazyNode meter = tree->AddChild(nullptr);
    PLazyNode record = tree->AddChild(meter);
    for (int i = 0; i < 12; ++i)
        tree->AddChild(record);
    EXPECT_EQ(tree->GetText(record), QStringLiteral("Level 1"));
    EXPECT_EQ(tree->GetText(record->FirstChild), QStringLiteral("Level 2"));
    tree->Clear();
    EXPECT_EQ(freed, 3);   // the eleven detail rows never shown were never initialised
    tree->AddChild(nullptr);
    tree->ValidateNode(nullptr, true);
    tree.reset();
    EXPECT_EQ(freed, 4);
}
