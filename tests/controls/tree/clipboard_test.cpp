// Cut, copy and paste through the clipboard.
#include "dnd_fixture.h"

#include "platform/dataclipboard.h"

#include <QCoreApplication>
#include <QtEndian>

using namespace LTResult;

namespace {

// Two trees of the program and a clipboard of the test's own.
struct TClipboardTrees
{
    TMemoryDataClipboardGuard Clip;
    TDndTree One, Two;
    PLazyNode A, A1, B, C;
    TClipboardTrees()
    {
        A = One.Add(nullptr, QStringLiteral("A"), 1);
        A1 = One.Add(A, QStringLiteral("A1"), 11);
        B = One.Add(nullptr, QStringLiteral("B"), 2);
        C = One.Add(nullptr, QStringLiteral("C"), 3);
        Two.Add(nullptr, QStringLiteral("X"), 9);
    }
    bool Marked(PLazyNode Node) const { return Node->Has(vsCutOrCopy); }
};

}   // namespace

TEST(LazyTreeClipboard, NothingToCopyOrNothingAllowedLeavesTheClipboard)
{
    TClipboardTrees t;
    t.One.CopyToClipboard();
    EXPECT_TRUE(t.Clip.Board.DataObject()->formats().isEmpty()) << "empty selection";
    t.One.AddToSelection(t.B);
    t.One.TreeOptions().SetMiscOptions(t.One.TreeOptions().MiscOptions() + TLTMiscOptions{toReadOnly});
    t.One.CutToClipboard();
    EXPECT_TRUE(t.Clip.Board.DataObject()->formats().isEmpty()) << "read-only";
    EXPECT_FALSE(t.One.PasteFromClipboard());
    EXPECT_EQ(t.One.CutCopyCount(), 0u);

    // A refused clipboard leaves no marks and no pending operation.
    t.One.TreeOptions().SetMiscOptions(t.One.TreeOptions().MiscOptions() - TLTMiscOptions{toReadOnly});
    t.Clip.Board.FailSet = true;
    t.One.CopyToClipboard();
    t.One.CutToClipboard();
    EXPECT_FALSE(t.Marked(t.B));
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCopyPending));
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending));
}

TEST(LazyTreeClipboard, DisabledNodesAreNeitherMarkedNorInTheData)
{
    TClipboardTrees t;
    t.One.AddToSelection(t.A);
    t.One.AddToSelection(t.C);
    t.One.SetDisabled(t.C, true);
    t.One.CopyToClipboard();
    EXPECT_TRUE(t.Marked(t.A));
    EXPECT_FALSE(t.Marked(t.C));
    EXPECT_TRUE(t.One.TreeStates().Contains(TLazyTreeState::tsCopyPending));
    EXPECT_EQ(t.One.CutCopyCount(), 1u);
    EXPECT_EQ(t.One.GetSortedCutCopySet(true), std::vector<PLazyNode>{t.A});
    QByteArray chunks;
    ASSERT_TRUE(ReadTreeData(*t.Clip.Board.DataObject(), chunks));
    EXPECT_EQ(chunks, t.One.SaveNodeChunks({t.A}));
    // Rendered when asked: the nodes marked at that time.
    t.One.CutToClipboard();
    EXPECT_TRUE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending));
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCopyPending));
}

TEST(LazyTreeClipboard, PastingACutIntoTheSameTreeMovesAndEndsIt)
{
    TClipboardTrees t;
    t.One.AddToSelection(t.C);
    t.One.CutToClipboard();
    t.One.SetFocusedNode(t.A);
    std::vector<PLazyNode> moved;
    t.One.OnNodeMoved = [&](TBaseLazyTree *, PLazyNode N) { moved.push_back(N); };
    EXPECT_TRUE(t.One.PasteFromClipboard());
    EXPECT_EQ(t.One.Dump(), (std::vector<std::string>{"A=1", " A1=11", " C=3", "B=2"}));
    EXPECT_EQ(moved, std::vector<PLazyNode>{t.C});
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending));
    EXPECT_TRUE(ValidateTree(t.One));
}

TEST(LazyTreeClipboard, PastingACutIntoAnotherTreeMovesAndDeletesWhatIsLeft)
{
    TClipboardTrees t;
    t.One.AddToSelection(t.A);
    t.One.AddToSelection(t.C);
    t.One.CutToClipboard();
    // The target refuses C: it stays behind marked and goes with the end of the cut.
    t.One.OnNodeMoving = [&](TBaseLazyTree *, PLazyNode N, PLazyNode, bool &Allowed) {
        Allowed = N != t.C;
    };
    EXPECT_TRUE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), (std::vector<std::string>{"X=9", "A=1", " A1=11"}));
    EXPECT_EQ(t.One.Dump(), std::vector<std::string>{"B=2"});
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending));
    EXPECT_TRUE(ValidateTree(t.One));
    EXPECT_TRUE(ValidateTree(t.Two));
}

TEST(LazyTreeClipboard, APasteOfACopyOrFromAnotherProgramCopies)
{
    TClipboardTrees t;
    t.One.AddToSelection(t.A);
    t.One.CopyToClipboard();
    std::vector<std::string> copied;
    t.Two.OnNodeCopied = [&](TBaseLazyTree *, PLazyNode N) { copied.push_back(t.Two.Captions[N].toStdString()); };
    EXPECT_TRUE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), (std::vector<std::string>{"X=9", "A=1", " A1=11"}));
    EXPECT_EQ(copied, std::vector<std::string>{"A"});
    EXPECT_EQ(t.One.Dump().size(), 4u) << "the source keeps its nodes";
    EXPECT_TRUE(t.One.TreeStates().Contains(TLazyTreeState::tsCopyPending)) << "a copy stays pending";

    // Another program's data names another process: copied, even while this tree has a cut.
    t.One.CutToClipboard();
    auto *outside = new QMimeData;
    const QMimeData &held = *t.Clip.Board.DataObject();
    QByteArray block = held.data(DataObjectMimeType(LazyTreeFormats().TreeData));
    QByteArray reference = held.data(DataObjectMimeType(LazyTreeFormats().Reference));
    qToLittleEndian<uint32_t>(uint32_t(QCoreApplication::applicationPid()) + 1, reference.data());
    outside->setData(DataObjectMimeType(LazyTreeFormats().TreeData), block);
    outside->setData(DataObjectMimeType(LazyTreeFormats().Reference), reference);
    t.Clip.Board.SetDataObject(outside);
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending))
        << "another program took the clipboard: the cut ends";
    EXPECT_FALSE(t.Marked(t.A));
    t.Two.SetFocusedNode(nullptr);
    EXPECT_TRUE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), (std::vector<std::string>{"X=9", "A=1", " A1=11", "A=1", " A1=11"}));
    EXPECT_EQ(t.One.Dump().size(), 4u);
}

TEST(LazyTreeClipboard, DamagedOrUnreadableClipboardsAreRefused)
{
    TClipboardTrees t;
    t.Clip.Board.FailGet = true;
    try {
        t.Two.PasteFromClipboard();
        ADD_FAILURE() << "no error";
    } catch (const ELazyTreeError &e) {
        EXPECT_STREQ(e.what(), "Clipboard operation failed.");
        EXPECT_EQ(e.HelpContext, 2007);
    }
    t.Clip.Board.FailGet = false;

    // Tree data from outside: a count beyond the block and chunks of garbage.
    auto *outside = new QMimeData;
    outside->setData(DataObjectMimeType(LazyTreeFormats().TreeData),
                     QByteArray("\xff\xff\x00\x00" "\x01\x00\x00\x00\xff\xff\xff\x7f" "junk", 16));
    t.Clip.Board.SetDataObject(outside);
    EXPECT_THROW(t.Two.PasteFromClipboard(), ELazyTreeError);
    EXPECT_TRUE(ValidateTree(t.Two));
    // Without tree data there is nothing to paste.
    auto *text = new QMimeData;
    text->setText(QStringLiteral("just text"));
    t.Clip.Board.SetDataObject(text);
    EXPECT_FALSE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), std::vector<std::string>{"X=9"});
}

TEST(LazyTreeClipboard, FlushingKeepsTheDataWithoutTheTree)
{
    TClipboardTrees t;
    t.One.AddToSelection(t.B);
    t.One.CopyToClipboard();
    t.One.FlushClipboard();
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCopyPending));
    EXPECT_FALSE(t.Marked(t.B));
    const QMimeData *held = t.Clip.Board.DataObject();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(dynamic_cast<const TLTDataObject *>(held), nullptr) << "a plain copy";
    EXPECT_FALSE(held->hasFormat(DataObjectMimeType(LazyTreeFormats().Reference)));
    EXPECT_EQ(held->text(), QStringLiteral("B\r\n"));
    EXPECT_TRUE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), (std::vector<std::string>{"X=9", "B=2"}));

    // Clearing the tree flushes too.
    t.One.ClearSelection();
    t.One.AddToSelection(t.C);
    t.One.CutToClipboard();
    t.One.Clear();
    EXPECT_FALSE(t.One.TreeStates().Contains(TLazyTreeState::tsCutPending));
    EXPECT_TRUE(t.Two.PasteFromClipboard());
    EXPECT_EQ(t.Two.Dump(), (std::vector<std::string>{"X=9", "B=2", "C=3"}));
}
