// The node stream, moving and copying subtrees, the clipboard format registry and the text
// buffers of the export.
#include "tree_fixture.h"

#include "common/test_random.h"
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreebuffers.h"
#include "controls/tree/lazytreeformats.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <map>

using enum TLSTTextType;

namespace {

// A string tree whose captions and 32-bit user values live in the test, travelling through
// the stream events.
class TDataTree : public TLazyStringTree
{
public:
    std::map<PLazyNode, QString> Captions;
    int Saves = 0, Loads = 0;

    TDataTree()
    {
        SetNodeDataSize(4);
        OnGetText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, TLSTTextType Type,
                           QString &Text) {
            if (Type == ttNormal && Captions.count(Node))
                Text = Captions[Node];
        };
        OnNewText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, const QString &Text) {
            Captions[Node] = Text;
        };
        OnSaveNode = [this](TBaseLazyTree *, PLazyNode Node, QIODevice &Stream) {
            ++Saves;
            if (Node)
                Stream.write(reinterpret_cast<const char *>(GetNodeData(Node)), 4);
        };
        OnLoadNode = [this](TBaseLazyTree *, PLazyNode Node, QIODevice &Stream) {
            ++Loads;
            Stream.read(reinterpret_cast<char *>(GetNodeData(Node)), 4);
        };
        OnFreeNode = [this](TBaseLazyTree *, PLazyNode Node) { Captions.erase(Node); };
    }
    ~TDataTree() override
    {
        OnGetText = nullptr;
        OnNewText = nullptr;
        OnSaveNode = OnLoadNode = nullptr;
        OnFreeNode = nullptr;
        OnNodeMoved = OnNodeCopied = nullptr;
        OnNodeMoving = OnNodeCopying = nullptr;
    }
    PLazyNode Add(PLazyNode Parent, const QString &Caption, int32_t Value)
    {
        PLazyNode node = AddChild(Parent);
        if (!Caption.isNull())
            Captions[node] = Caption;
        *GetNodeData<int32_t>(node) = Value;
        return node;
    }
    // "caption=value" of every node in pre-order, children indented by level.
    std::vector<std::string> Dump()
    {
        std::vector<std::string> lines;
        for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
            lines.push_back(std::string(GetNodeLevel(n), ' ') + GetText(n).toStdString() + "=" +
                            std::to_string(*GetNodeData<int32_t>(n)));
        return lines;
    }
};

// Three levels: two top nodes, children and grandchildren, some expanded.
void FillThreeLevels(TDataTree &Tree)
{
    PLazyNode a = Tree.Add(nullptr, QStringLiteral("Zähler A"), 1);
    PLazyNode a1 = Tree.Add(a, QStringLiteral("Record 1"), 11);
    Tree.Add(a1, QStringLiteral("detail"), 111);
    Tree.Add(a1, QString(), 112);   // no caption: the default text
    Tree.Add(a, QStringLiteral("Record 2"), 12);
    Tree.Add(nullptr, QStringLiteral("B €"), 2);
    Tree.SetExpanded(a, true);
    Tree.SetExpanded(a1, true);
}

QByteArray Save(TBaseLazyTree &Tree, PLazyNode Node = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    Tree.SaveToStream(buffer, Node);
    return buffer.data();
}

void Load(TBaseLazyTree &Tree, QByteArray Data, bool Add = false)
{
    QBuffer buffer(&Data);
    buffer.open(QIODevice::ReadOnly);
    if (Add)
        Tree.AddFromStream(buffer, nullptr);
    else
        Tree.LoadFromStream(buffer);
}

int ErrorOf(const std::function<void()> &Run)
{
    try {
        Run();
    } catch (const ELazyTreeError &e) {
        return e.HelpContext;
    }
    return 0;
}

QByteArray Hex(const char *Text)
{
    return QByteArray::fromHex(QByteArray(Text).replace(' ', ""));
}

QByteArray Le32(int32_t Value)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((uint32_t(Value) >> (8 * i)) & 0xFF);
    return b;
}

QByteArray Chunk(uint32_t Type, const QByteArray &Content)
{
    return Le32(int32_t(Type)) + Le32(int32_t(Content.size())) + Content;
}

const QByteArray SignatureV2 = Hex("45 20 4C 00 54 00 02 00 20 00 46 20");

}   // namespace

// ---------------------------------------------------------------------------------------
// Stream layout

TEST(LazyTreeNodeStream, EmptyTreeIsSignatureAndZeroCount)
{
    TTestTree tree;
    EXPECT_EQ(Save(tree), Hex("45 20 4C 00 54 00 02 00 20 00 46 20 00 00 00 00"));
}

TEST(LazyTreeNodeStream, ChunkLayoutOfOneNode)
{
    TTestTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    tree.SetCheckType(node, TCheckType::ctCheckBox);
    node->States += {vsChecking, vsCutOrCopy, vsHeightMeasured, vsOnFreeNodeCallRequired, vsSelected};
    node->Align = 30;
    int saved = 0;
    tree.OnSaveNode = [&](TBaseLazyTree *, PLazyNode, QIODevice &) { ++saved; };   // writes nothing
    const QByteArray data = Save(tree);
    EXPECT_EQ(saved, 1);
    const uint32_t states = uint32_t(node->States.Bits() & ~uint64_t(0x2216));
    const QByteArray body = Le32(0) + Le32(18) + Le32(int32_t(states)) + QByteArray(1, char(30)) +
                            QByteArray(1, char(TCheckState::csUncheckedNormal)) +
                            QByteArray(1, char(TCheckType::ctCheckBox)) + Le32(0);
    ASSERT_EQ(body.size(), 19);
    // No user chunk: the node chunk holds the base chunk only.
    EXPECT_EQ(data, SignatureV2 + Le32(1) + Chunk(1, Chunk(2, body)));
    node->States -= {vsChecking, vsCutOrCopy};
}

TEST(LazyTreeNodeStream, StringTreeAddsTheCaptionChunk)
{
    TDataTree tree;
    PLazyNode node = tree.Add(nullptr, QStringLiteral("é€"), 7);
    tree.ValidateNode(node, false);
    const QByteArray data = Save(tree);
    const QByteArray caption = Hex("E9 00 AC 20");   // UTF-16LE, no terminator
    EXPECT_TRUE(data.endsWith(Chunk(4, Le32(7)) + Chunk(3, caption)));

    // Without toSaveCaptions, and for an empty caption, there is none.
    tree.TreeOptions().SetStringOptions({});
    EXPECT_TRUE(Save(tree).endsWith(Chunk(4, Le32(7))));
    tree.TreeOptions().SetStringOptions({TLTStringOption::toSaveCaptions});
    tree.SetDefaultText(QString());
    tree.Captions.clear();
    EXPECT_TRUE(Save(tree).endsWith(Chunk(4, Le32(7))));
}

// ---------------------------------------------------------------------------------------
// Round trips

TEST(LazyTreeNodeStream, ThreeLevelsSurviveSaveAndLoad)
{
    TDataTree source;
    FillThreeLevels(source);
    source.InitRecursive(nullptr, UINT32_MAX, false);
    const std::vector<std::string> expected = source.Dump();
    const QByteArray data = Save(source);

    TDataTree target;
    target.Add(nullptr, QStringLiteral("old"), 99);
    int inits = 0;
    target.OnInitNode = [&](TBaseLazyTree *, PLazyNode, PLazyNode, TLazyNodeInitStates &) { ++inits; };
    int copied = 0, loadedTree = 0;
    target.OnNodeCopied = [&](TBaseLazyTree *, PLazyNode Node) { copied += Node == nullptr; };
    target.OnLoadTree = [&](TBaseLazyTree *, QIODevice &) { ++loadedTree; };
    Load(target, data);
    target.OnInitNode = nullptr;
    EXPECT_EQ(target.Dump(), expected);
    EXPECT_EQ(inits, 0);   // saved initialised, read back initialised
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(loadedTree, 1);
    EXPECT_TRUE(target.Expanded(target.GetFirst()));
    EXPECT_EQ(target.VisibleCount(), source.VisibleCount());
    EXPECT_TRUE(ValidateTree(target));

    // Adding appends the top-level nodes below the target.
    Load(target, Save(source, source.GetFirst()), true);
    EXPECT_EQ(target.RootNodeCount(), 3u);
    EXPECT_EQ(target.GetText(target.GetLastChild(nullptr)), QStringLiteral("Zähler A"));
    EXPECT_TRUE(ValidateTree(target));
}

TEST(LazyTreeNodeStream, FileRoundTrip)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.bin"));
    TDataTree source;
    FillThreeLevels(source);
    source.SaveToFile(path);
    TDataTree target;
    target.LoadFromFile(path);
    EXPECT_EQ(target.Dump(), source.Dump());
}

TEST(LazyTreeNodeStream, BaseTreeSkipsCaptions)
{
    TDataTree source;
    FillThreeLevels(source);
    source.InitRecursive(nullptr, UINT32_MAX, false);
    TTestTree target;
    target.SetNodeDataSize(4);
    std::vector<int32_t> values;
    target.OnLoadNode = [&](TBaseLazyTree *Sender, PLazyNode Node, QIODevice &Stream) {
        Stream.read(reinterpret_cast<char *>(Sender->GetNodeData(Node)), 4);
        values.push_back(*Sender->GetNodeData<int32_t>(Node));
    };
    Load(target, Save(source));
    // A node's user chunk follows its children.
    EXPECT_EQ(values, (std::vector<int32_t>{111, 112, 11, 12, 1, 2}));
    EXPECT_TRUE(ValidateTree(target));
}

TEST(LazyTreeNodeStream, ShortUserReadLeavesTheStreamAtTheChunkEnd)
{
    TTestTree source;
    source.SetRootNodeCount(3);
    source.OnSaveNode = [](TBaseLazyTree *, PLazyNode Node, QIODevice &Stream) {
        Stream.write(QByteArray(8, char('a' + Node->Index)));
    };
    TTestTree target;
    std::string read;
    target.OnLoadNode = [&](TBaseLazyTree *, PLazyNode, QIODevice &Stream) {
        read += Stream.read(1).toStdString();   // one byte of eight
    };
    Load(target, Save(source));
    EXPECT_EQ(read, "abc");
    EXPECT_EQ(target.RootNodeCount(), 3u);
}

TEST(LazyTreeNodeStream, VersionOneStreamWithoutCountIsReadToItsEnd)
{
    auto oldNode = [](uint8_t States, const QByteArray &Children, uint32_t ChildCount) {
        const QByteArray body = Le32(int32_t(ChildCount)) + Le32(20) + QByteArray(1, char(States)) +
                                QByteArray(1, char(40)) + QByteArray(1, char(2)) + QByteArray(1, char(2));
        return Chunk(1, Chunk(2, body + Children));
    };
    QByteArray data = Hex("45 20 4C 00 54 00 01 00 20 00 46 20");
    // bit 7 of the old states byte is "selected"; the node keeps visible. The parent's byte
    // lacks vsHasChildren, which its linked child gives it.
    data += oldNode(0x01 | 0x80, oldNode(0x01, {}, 0), 1) + oldNode(0x01, {}, 0);
    TTestTree tree;
    tree.TreeOptions().SetSelectionOptions({toMultiSelect});
    Load(tree, data);
    ASSERT_EQ(tree.RootNodeCount(), 2u);
    PLazyNode first = tree.GetFirstNoInit();
    EXPECT_TRUE(first->Has(vsSelected));
    EXPECT_TRUE(first->Has(vsVisible));
    EXPECT_EQ(tree.SelectedCount(), 1u);
    EXPECT_EQ(first->NodeHeight, 20);
    EXPECT_EQ(first->Align, 40);
    EXPECT_EQ(first->CheckState, TCheckState::csCheckedNormal);
    EXPECT_EQ(first->ChildCount, 1u);
    EXPECT_TRUE(ValidateTree(tree));

    // Without multi-selection nothing read stays selected.
    TTestTree single;
    Load(single, data);
    EXPECT_FALSE(single.GetFirstNoInit()->Has(vsSelected));
    EXPECT_EQ(single.SelectedCount(), 0u);
}

TEST(LazyTreeNodeStream, TransientStatesAreNotLoaded)
{
    TTestTree source;
    PLazyNode node = source.AddChild(nullptr);
    node->States += {vsReleaseCallOnUserDataRequired, vsToggling, vsInitializing};
    const QByteArray data = Save(source);
    node->States -= {vsReleaseCallOnUserDataRequired, vsToggling, vsInitializing};
    TTestTree target;
    Load(target, data);
    PLazyNode loaded = target.GetFirstNoInit();
    EXPECT_FALSE(loaded->Has(vsReleaseCallOnUserDataRequired));
    EXPECT_FALSE(loaded->Has(vsToggling));
    EXPECT_FALSE(loaded->Has(vsInitializing));
}

TEST(LazyTreeNodeStream, FormatErrorsCarryTheirNumbers)
{
    TDataTree source;
    FillThreeLevels(source);
    const QByteArray good = Save(source);
    QByteArray version3 = good;
    version3[6] = 3;
    QByteArray wrongSign = good;
    wrongSign[0] = 0x46;
    QByteArray wrongChunk = good;
    wrongChunk[16] = 2;   // the first node chunk's type
    const QByteArray trailing = SignatureV2 + Le32(1) + Chunk(1, Chunk(2, QByteArray(19, 0)) + "xyz");
    const QByteArray oversized = SignatureV2 + Le32(1) + Le32(1) + Le32(1000) + Chunk(2, QByteArray(19, 0));
    const QByteArray negative = SignatureV2 + Le32(1) + Le32(1) + Le32(-8) + Chunk(2, QByteArray(19, 0));
    struct TCase
    {
        const char *Name;
        QByteArray Data;
        bool Add;
        int Error;
    } cases[] = {
        {"wrong signature", wrongSign, false, 2002},
        {"version 3", version3, false, 2003},
        {"short", good.left(11), false, 2004},
        {"no anchor chunk", wrongChunk, false, 2005},
        {"data after the end", trailing, false, 2006},
        {"oversized chunk", oversized, false, 2005},
        {"negative chunk", negative, false, 2005},
        {"add: wrong signature", wrongSign, true, 2003},
        {"add: version 3", version3, true, 2003},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TDataTree tree;
        tree.Add(nullptr, QStringLiteral("kept"), 5);
        EXPECT_EQ(ErrorOf([&] { Load(tree, c.Data, c.Add); }), c.Error);
        EXPECT_TRUE(ValidateTree(tree));
        if (c.Error <= 2004) {   // refused before anything was read: the tree is as it was
            EXPECT_EQ(tree.Dump(), std::vector<std::string>{"kept=5"});
        }
    }
    TTestTree tree;
    try {
        Load(tree, version3);
    } catch (const ELazyTreeError &e) {
        EXPECT_STREQ(e.what(), "Unable to load tree structure, the version is unknown.");
    }
}

// Every prefix and random damage of a good stream either loads or fails with a tree error,
// and the tree stays consistent.
TEST(LazyTreeNodeStream, DamagedStreamsLeaveAConsistentTree)
{
    TDataTree source;
    FillThreeLevels(source);
    source.InitRecursive(nullptr, UINT32_MAX, false);
    const QByteArray good = Save(source);
    TTestRandom random(70);
    for (int i = 0; i < 400; ++i) {
        QByteArray data = good;
        if (i < good.size()) {
            data.truncate(i);
        } else {
            for (int k = 0; k < 3; ++k)
                data[int(random.Next() % uint32_t(data.size()))] = char(random.Next());
        }
        TDataTree tree;
        try {
            Load(tree, data);
        } catch (const ELazyTreeError &) {
        }
        ASSERT_TRUE(ValidateTree(tree)) << "case " << i;
    }
}

TEST(LazyTreeNodeStream, ReadOnlyTreeIgnoresLoading)
{
    TDataTree source;
    FillThreeLevels(source);
    TDataTree tree;
    tree.Add(nullptr, QStringLiteral("kept"), 5);
    tree.TreeOptions().SetMiscOptions({toReadOnly});
    Load(tree, Save(source));
    Load(tree, Save(source), true);
    EXPECT_EQ(tree.RootNodeCount(), 1u);
    tree.TreeOptions().SetMiscOptions({});
}

// ---------------------------------------------------------------------------------------
// Moving and copying

TEST(LazyTreeMove, IntoOwnChildIsRefused)
{
    TDataTree tree;
    FillThreeLevels(tree);
    const auto before = tree.Dump();
    PLazyNode a = tree.GetFirst();
    PLazyNode grandChild = tree.GetFirstChild(tree.GetFirstChild(a));
    try {
        tree.MoveTo(a, grandChild, amAddChildLast, false);
        FAIL();
    } catch (const ELazyTreeError &e) {
        EXPECT_EQ(e.HelpContext, 2001);
        EXPECT_STREQ(e.what(), "Target node cannot be a child node of the node to be moved.");
    }
    EXPECT_EQ(tree.Dump(), before);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeMove, WithinOneTree)
{
    TDataTree tree;
    FillThreeLevels(tree);
    PLazyNode b = tree.GetLastChild(nullptr);
    PLazyNode record2 = tree.GetLastChild(tree.GetFirst());
    std::vector<PLazyNode> moved;
    tree.OnNodeMoved = [&](TBaseLazyTree *, PLazyNode Node) { moved.push_back(Node); };
    tree.MoveTo(record2, PLazyNode(nullptr), amAddChildLast, false);   // no target: first top-level node
    EXPECT_EQ(tree.GetFirst(), record2);
    EXPECT_EQ(moved, std::vector<PLazyNode>{record2});
    EXPECT_TRUE(ValidateTree(tree));
    tree.SetNodeParent(b, record2);
    EXPECT_EQ(tree.NodeParent(b), record2);
    EXPECT_TRUE(ValidateTree(tree));
    // Children only, into the first place: they keep their order.
    PLazyNode a = tree.GetNextSibling(record2);
    tree.MoveTo(a, record2, amAddChildFirst, true);
    EXPECT_EQ(a->ChildCount, 0u);
    EXPECT_EQ(tree.GetText(tree.GetFirstChild(record2)), QStringLiteral("Record 1"));
    EXPECT_EQ(tree.GetText(tree.GetLastChild(record2)), QStringLiteral("B €"));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeMove, ToAnotherTree)
{
    TDataTree source, target;
    FillThreeLevels(source);
    target.Add(nullptr, QStringLiteral("T"), 9);
    PLazyNode a = source.GetFirst();
    std::vector<PLazyNode> moved;
    source.OnNodeMoved = [&](TBaseLazyTree *, PLazyNode Node) { moved.push_back(Node); };
    source.MoveTo(a, &target, amAddChildLast, false);
    EXPECT_EQ(source.RootNodeCount(), 1u);
    ASSERT_EQ(target.RootNodeCount(), 2u);
    PLazyNode created = target.GetLastChild(nullptr);
    EXPECT_EQ(moved, std::vector<PLazyNode>{created});
    EXPECT_EQ(TBaseLazyTree::OwnerTree(created), &target);
    EXPECT_EQ(target.GetText(created), QStringLiteral("Zähler A"));
    EXPECT_EQ(*target.GetNodeData<int32_t>(target.GetFirstChild(created)), 11);
    EXPECT_TRUE(ValidateTree(source));
    EXPECT_TRUE(ValidateTree(target));

    // Children only: the source node stays, without children.
    PLazyNode t = target.GetFirst();
    target.MoveTo(created, t, amAddChildLast, true);
    EXPECT_EQ(target.ChildCount(created), 0u);   // same tree: relinked
    EXPECT_EQ(target.ChildCount(t), 2u);
    source.Add(source.GetFirst(), QStringLiteral("c"), 3);
    PLazyNode b = source.GetFirst();
    source.MoveTo(b, t, amAddChildLast, true);
    EXPECT_EQ(source.ChildCount(b), 0u);
    EXPECT_EQ(target.ChildCount(t), 3u);
    EXPECT_TRUE(ValidateTree(source));
    EXPECT_TRUE(ValidateTree(target));
}

TEST(LazyTreeMove, CopyAndItsRefusal)
{
    TDataTree source, target;
    FillThreeLevels(source);
    target.Add(nullptr, QStringLiteral("T"), 9);
    source.OnNodeCopying = [](TBaseLazyTree *, PLazyNode, PLazyNode, bool &Allowed) { Allowed = false; };
    EXPECT_EQ(source.CopyTo(source.GetFirst(), &target, amAddChildLast, false), nullptr);
    EXPECT_EQ(target.Dump(), std::vector<std::string>{"T=9"});
    EXPECT_TRUE(ValidateTree(target));

    source.OnNodeCopying = nullptr;
    int copied = 0;
    source.OnNodeCopied = [&](TBaseLazyTree *, PLazyNode) { ++copied; };
    PLazyNode copy = source.CopyTo(source.GetFirst(), target.GetFirst(), amInsertAfter, false);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(target.GetText(copy), QStringLiteral("Zähler A"));
    EXPECT_EQ(source.RootNodeCount(), 2u);   // the source keeps its nodes
    EXPECT_EQ(target.RootNodeCount(), 2u);
    EXPECT_TRUE(ValidateTree(target));
    // A copy into the same tree, into the copied node's own subtree.
    PLazyNode a = source.GetFirst();
    EXPECT_NE(source.CopyTo(a, source.GetFirstChild(a), amAddChildLast, false), nullptr);
    EXPECT_TRUE(ValidateTree(source));
}

TEST(LazyTreeMove, ReadOnlyRules)
{
    TDataTree source, target;
    FillThreeLevels(source);
    const auto before = source.Dump();
    source.TreeOptions().SetMiscOptions({toReadOnly});
    source.MoveTo(source.GetLastChild(nullptr), PLazyNode(nullptr), amAddChildFirst, false);
    EXPECT_EQ(source.Dump(), before);
    // Copying out of a read-only tree is allowed; into one it is not.
    EXPECT_NE(source.CopyTo(source.GetFirst(), &target, amAddChildLast, false), nullptr);
    target.TreeOptions().SetMiscOptions({toReadOnly});
    EXPECT_EQ(source.CopyTo(source.GetFirst(), &target, amAddChildLast, false), nullptr);
    source.TreeOptions().SetMiscOptions({});
    target.TreeOptions().SetMiscOptions({});
    TDataTree other;
    PLazyNode foreign = other.Add(nullptr, QStringLiteral("x"), 1);
    EXPECT_THROW(source.MoveTo(foreign, PLazyNode(nullptr), amAddChildFirst, false), ELazyTreeAssertion);
    EXPECT_THROW(source.CopyTo(foreign, PLazyNode(nullptr), amAddChildFirst, false), ELazyTreeAssertion);
}

// ---------------------------------------------------------------------------------------
// Clipboard formats

TEST(LazyTreeFormats, RegistryOrderAndTreeLists)
{
    TTestTree base;
    TDataTree strings;
    std::vector<std::pair<QString, uint32_t>> order;
    for (int i = 0; i < TClipboardFormatList::Count(); ++i)
        order.emplace_back(TClipboardFormatList::Entry(i).Description,
                           TClipboardFormatList::Entry(i).Priority);
    const std::vector<std::pair<QString, uint32_t>> expected = {
        {"Lazy Tree Data", 50}, {"HTML Format", 80}, {"Rich Text Format Without Objects", 84},
        {"Rich Text Format", 85}, {"CSV", 90}, {"Unicode text", 95}, {"Plain text", 100}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(TClipboardFormatList::FindFormat(QStringLiteral("Lazy Tree Reference")), nullptr);
    EXPECT_NE(LazyTreeFormats().Reference, 0);
    EXPECT_EQ(RegisterClipboardFormat(QStringLiteral("lazy tree reference")), LazyTreeFormats().Reference);
    EXPECT_EQ(ClipboardFormatMimeType(LazyTreeFormats().HTML), QStringLiteral("text/html"));

    for (const auto &[name, priority] : expected) {
        EXPECT_EQ(base.ClipboardFormats().Add(name) >= 0, name == "Lazy Tree Data") << name.toStdString();
        EXPECT_GE(strings.ClipboardFormats().Add(name), 0) << name.toStdString();
    }
    EXPECT_EQ(strings.ClipboardFormats().Count(), 7);
    EXPECT_EQ(base.ClipboardFormats().Add(QStringLiteral("Windows bitmap")), -1);

    TDataTree lower;
    EXPECT_GE(lower.ClipboardFormats().Add(QStringLiteral("csv")), 0);
    EXPECT_EQ(lower.ClipboardFormats().Items(), QStringList{QStringLiteral("csv")});
    EXPECT_GE(lower.ClipboardFormats().Add(QStringLiteral("CSV")), 0);   // a duplicate
    EXPECT_EQ(lower.ClipboardFormats().Count(), 1);

    std::vector<TFormatEtc> offered;
    TDataTree none;
    TClipboardFormatList::EnumerateFormats(none.metaObject(), offered, &none.ClipboardFormats());
    EXPECT_TRUE(offered.empty());
    none.SetClipboardFormats({QStringLiteral("Plain text"), QStringLiteral("HTML Format")});
    TClipboardFormatList::EnumerateFormats(none.metaObject(), offered, &none.ClipboardFormats());
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].cfFormat, LazyTreeFormats().HTML);
    EXPECT_EQ(offered[1].cfFormat, CF_TEXT);
    EXPECT_EQ(offered[1].tymed, TYMED_HGLOBAL);
    QStringList names;
    TClipboardFormatList::EnumerateFormats(base.metaObject(), names);
    EXPECT_EQ(names, QStringList{QStringLiteral("Lazy Tree Data")});
}

TEST(LazyTreeFormats, StandardDescriptions)
{
    const auto &table = StandardClipboardFormats();
    QStringList names;
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].ID, i + 1);
        names << table[i].Description;
    }
    EXPECT_EQ(names.join('|'),
              QStringLiteral("Plain text|Windows bitmap|Windows metafile|Symbolic link|"
                             "Data interchange format|Tiff image|OEM text|DIB image|Palette data|"
                             "Pen data|Riff audio data|Wav audio data|Unicode text|"
                             "Enhanced metafile image|File name(s)|Locale descriptor|DIB image V5"));
    QString description;
    TClipboardFormatList::FindFormat(CF_UNICODETEXT, description);
    EXPECT_EQ(description, QStringLiteral("Unicode text"));
}

// ---------------------------------------------------------------------------------------
// Text buffers

TEST(LazyTreeBuffers, GrowthAndContent)
{
    TBufferedString wide;
    TBufferedRawByteString narrow;
    EXPECT_EQ(wide.AsString(), QString());
    EXPECT_EQ(narrow.AsString(), QByteArray());
    narrow.Add("");
    EXPECT_EQ(narrow.Capacity(), 0u);

    wide.Add(QStringLiteral("ab"));
    EXPECT_EQ(wide.Capacity(), 4096u);
    // A string exactly as long as the free room grows the block first.
    wide.Add(QString(4094, QLatin1Char('x')));
    EXPECT_EQ(wide.Capacity(), 8192u);
    EXPECT_EQ(wide.Length(), 4096u);
    narrow.Add(QByteArray(4095, 'y'));
    EXPECT_EQ(narrow.Capacity(), 4096u);
    narrow.AddNewLine();   // one byte free: grows
    EXPECT_EQ(narrow.Capacity(), 8192u);
    EXPECT_TRUE(narrow.AsString().endsWith("y\r\n"));

    TBufferedString many;
    QString expected;
    for (int i = 0; i < 10000; ++i) {
        const QString one(QChar(u'a' + i % 26));
        many.Add(one);
        expected += one;
    }
    EXPECT_EQ(many.AsString(), expected);

    TCriticalSection lock;
    lock.Enter();
    lock.Enter();   // the owning thread may enter again
    lock.Leave();
    lock.Leave();
}
