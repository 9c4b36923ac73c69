// The data object, its format enumerator, tree references and the drag manager's answers
// to the drag loop.
#include "dnd_fixture.h"

#include <QCoreApplication>
#include <QtEndian>

using namespace LTResult;

namespace {

TFormatEtc Format(uint16_t Cf, uint32_t Tymed = TYMED_HGLOBAL, uint32_t Aspect = DVASPECT_CONTENT,
                  int32_t Index = -1)
{
    return TFormatEtc{Cf, nullptr, Aspect, Index, Tymed};
}

// A tree offering all of its class's formats with two selected top nodes.
struct TOfferingTree
{
    TDndTree Tree;
    PLazyNode A, B, A1;
    TOfferingTree()
    {
        QStringList all;
        TClipboardFormatList::EnumerateFormats(Tree.metaObject(), all);
        Tree.SetClipboardFormats(all);
        A = Tree.Add(nullptr, QStringLiteral("A"), 1);
        A1 = Tree.Add(A, QStringLiteral("A1"), 11);
        B = Tree.Add(nullptr, QStringLiteral("B"), 2);
        Tree.AddToSelection(B);
        Tree.AddToSelection(A);
    }
};

}   // namespace

TEST(LazyTreeDataObject, FormatsInRegistryOrderThenTheUsersAndTheEnumeratorsRules)
{
    TOfferingTree f;
    const uint16_t custom = RegisterClipboardFormat(QStringLiteral("Test Private Format"));
    f.Tree.OnGetUserClipboardFormats = [&](TBaseLazyTree *, std::vector<TFormatEtc> &Formats) {
        Formats.push_back(Format(custom));
    };
    TLTDataObject data(&f.Tree, false);
    const TLazyTreeFormatNumbers &n = LazyTreeFormats();
    std::vector<uint16_t> order;
    for (const TFormatEtc &e : data.FormatEtcArray())
        order.push_back(e.cfFormat);
    EXPECT_EQ(order, (std::vector<uint16_t>{n.TreeData, n.HTML, n.RTFNoObjects, n.RTF, n.CSV,
                                            CF_UNICODETEXT, CF_TEXT, custom}));

    std::unique_ptr<TEnumFormatEtc> walk;
    ASSERT_EQ(data.EnumFormatEtc(DATADIR_GET, walk), S_OK);
    std::vector<TFormatEtc> got;
    uint32_t fetched = 99;
    EXPECT_EQ(walk->Next(3, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(got.back().cfFormat, n.RTFNoObjects);
    std::unique_ptr<TEnumFormatEtc> clone;
    ASSERT_EQ(walk->Clone(clone), S_OK);
    EXPECT_EQ(clone->Tree(), nullptr);
    EXPECT_EQ(walk->Skip(6), S_FALSE) << "only five remain";
    EXPECT_EQ(walk->Skip(5), S_OK);
    EXPECT_EQ(walk->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_TRUE(got.empty());
    // The clone stayed where the original was when cloned.
    EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got.front().cfFormat, n.RTF);
    EXPECT_EQ(walk->Reset(), S_OK);
    EXPECT_EQ(walk->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got.front().cfFormat, n.TreeData);
    EXPECT_EQ(data.EnumFormatEtc(DATADIR_SET, walk), OLE_S_USEREG);
    EXPECT_EQ(walk, nullptr);
}

TEST(LazyTreeDataObject, QueryGetDataNamesWhatDiffers)
{
    TOfferingTree f;
    TLTDataObject data(&f.Tree, false);
    const uint16_t tree = LazyTreeFormats().TreeData;
    const struct
    {
        TFormatEtc Asked;
        HRESULT Expected;
    } cases[] = {
        {Format(tree), S_OK},
        {Format(tree, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
        {Format(tree, TYMED_GDI), DV_E_TYMED},
        {Format(tree, TYMED_HGLOBAL, 4), DV_E_DVASPECT},
        {Format(tree, TYMED_HGLOBAL, DVASPECT_CONTENT, 0), DV_E_LINDEX},
        {Format(RegisterClipboardFormat(QStringLiteral("Nobody Offers This"))), DV_E_CLIPFORMAT},
    };
    for (const auto &c : cases)
        EXPECT_EQ(data.QueryGetData(c.Asked), c.Expected) << c.Asked.cfFormat << " " << c.Asked.tymed;
    TDndTree bare;
    bare.SetClipboardFormats({});
    TLTDataObject empty(&bare, false);
    EXPECT_TRUE(empty.FormatEtcArray().empty());
    EXPECT_EQ(empty.QueryGetData(Format(tree)), DV_E_CLIPFORMAT);
    EXPECT_EQ(data.GetCanonicalFormatEtc(), DATA_S_SAMEFORMATETC);
    TStgMedium m;
    EXPECT_EQ(data.GetDataHere(Format(tree), m), E_NOTIMPL);
}

TEST(LazyTreeDataObject, SetDataStoresReplacesAndHandsOutShared)
{
    TDndTree tree;
    TLTDataObject data(&tree, false);
    const size_t offered = data.FormatEtcArray().size();
    const uint16_t priv = RegisterClipboardFormat(QStringLiteral("Test Stored Format"));
    uint32_t connection = 0;
    EXPECT_EQ(data.DUnadvise(1), E_NOTIMPL);
    std::vector<uint32_t> connections;
    EXPECT_EQ(data.EnumDAdvise(connections), OLE_E_ADVISENOTSUPPORTED);
    int notices = 0;
    EXPECT_EQ(data.DAdvise([&] { ++notices; }, connection), S_OK);

    TStgMedium first{TYMED_HGLOBAL, QByteArray("first"), nullptr};
    EXPECT_EQ(data.SetData(Format(priv), first, false), S_OK);
    TStgMedium second{TYMED_HGLOBAL, QByteArray("second"), &data};
    EXPECT_EQ(data.SetData(Format(priv), second, false), S_OK);
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(data.FormatEtcArray().size(), offered + 1) << "a stored format is offered once";

    TStgMedium out;
    ASSERT_EQ(data.GetData(Format(priv), out), S_OK);
    EXPECT_EQ(out.Data, QByteArray("second"));
    EXPECT_EQ(out.tymed, TYMED_HGLOBAL);
    EXPECT_EQ(out.ReleaseObject, &data);

    // Handed over with Release the medium is kept as it is; a picture cannot be copied.
    TStgMedium owned{TYMED_HGLOBAL, QByteArray("owned"), &tree};
    EXPECT_EQ(data.SetData(Format(priv), owned, true), S_OK);
    TStgMedium picture{TYMED_GDI, QByteArray("bits"), nullptr};
    EXPECT_EQ(data.SetData(Format(priv, TYMED_GDI), picture, false), DV_E_TYMED);
    EXPECT_EQ(data.EnumDAdvise(connections), S_OK);
    EXPECT_EQ(connections, std::vector<uint32_t>{connection});
    EXPECT_EQ(data.DUnadvise(connection), S_OK);
}

TEST(LazyTreeDataObject, TreeDataIsACountedBlockOfTheSelectionsChunks)
{
    TOfferingTree f;
    TLTDataObject data(&f.Tree, false);
    TStgMedium m;
    ASSERT_EQ(data.GetData(Format(LazyTreeFormats().TreeData), m), S_OK);
    const QByteArray chunks = f.Tree.SaveNodeChunks({f.A, f.B});
    ASSERT_EQ(m.Data.size(), chunks.size() + 4);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(m.Data.constData()), uint32_t(chunks.size()));
    EXPECT_EQ(m.Data.mid(4), chunks);
    EXPECT_EQ(m.ReleaseObject, nullptr);

    // As a stream the same chunks come without the count.
    TStgMedium s;
    ASSERT_EQ(f.Tree.RenderTreeData(Format(LazyTreeFormats().TreeData, TYMED_ISTREAM), s, false), S_OK);
    EXPECT_EQ(s.Data, chunks);

    // Nothing to write is a failure, not an empty block.
    f.Tree.ClearSelection();
    EXPECT_EQ(data.GetData(Format(LazyTreeFormats().TreeData), m), E_FAIL);
    EXPECT_TRUE(m.Data.isEmpty());
}

TEST(LazyTreeDataObject, MimeDataRendersOnRequest)
{
    TOfferingTree f;
    TLTDataObject data(&f.Tree, false);
    EXPECT_TRUE(data.hasFormat(QStringLiteral("text/plain")));
    EXPECT_TRUE(data.hasFormat(DataObjectMimeType(LazyTreeFormats().TreeData)));
    EXPECT_TRUE(data.hasFormat(DataObjectMimeType(LazyTreeFormats().Reference)));
    EXPECT_EQ(data.text(), QStringLiteral("A\r\nB\r\n")) << "the selected nodes only";
    QByteArray chunks;
    ASSERT_TRUE(ReadTreeData(data, chunks));
    EXPECT_EQ(chunks, f.Tree.SaveNodeChunks({f.A, f.B}));
}

TEST(LazyTreeDataObject, ReferencesNameOnlyLiveTreesOfThisProcess)
{
    auto *tree = new TDndTree;
    TLTDataObject data(tree, true);
    TStgMedium m;
    ASSERT_EQ(data.GetData(Format(LazyTreeFormats().Reference), m), S_OK);
    EXPECT_EQ(m.tymed, TYMED_HGLOBAL);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(m.Data.constData()),
              uint32_t(QCoreApplication::applicationPid()));
    EXPECT_EQ(TreeOfReference(m.Data), tree);
    EXPECT_EQ(tree->SourceTreeOf(&data), tree);
    EXPECT_EQ(TreeReference(tree), m.Data) << "one id per tree";

    // While the owner flushes the clipboard the reference is refused.
    tree->DoStateChange({TLazyTreeState::tsClipboardFlushing});
    TStgMedium refused;
    EXPECT_EQ(data.GetData(Format(LazyTreeFormats().Reference), refused), E_FAIL);
    EXPECT_FALSE(data.hasFormat(DataObjectMimeType(LazyTreeFormats().Reference)));
    tree->DoStateChange({}, {TLazyTreeState::tsClipboardFlushing});

    QByteArray otherProcess = m.Data;
    qToLittleEndian<uint32_t>(uint32_t(QCoreApplication::applicationPid()) + 1, otherProcess.data());
    QByteArray forged = m.Data;
    qToLittleEndian<uint64_t>(0x7fff00001234ull, forged.data() + 4);
    for (const QByteArray &block : {otherProcess, forged, m.Data.left(8), QByteArray()})
        EXPECT_EQ(TreeOfReference(block), nullptr);
    delete tree;
    EXPECT_EQ(TreeOfReference(m.Data), nullptr) << "a destroyed tree is never found again";
    EXPECT_EQ(data.GetData(Format(LazyTreeFormats().Reference), refused), E_FAIL);
}

TEST(LazyTreeDataObject, TreeDataFromOutsideIsBoundedByItsBlock)
{
    QMimeData outside;
    const QString mime = DataObjectMimeType(LazyTreeFormats().TreeData);
    QByteArray chunks;
    outside.setData(mime, QByteArray("\x03\x00", 2));
    EXPECT_FALSE(ReadTreeData(outside, chunks)) << "shorter than the count";
    outside.setData(mime, QByteArray("\xff\xff\xff\x7f" "abc", 7));
    ASSERT_TRUE(ReadTreeData(outside, chunks));
    EXPECT_EQ(chunks, QByteArray("abc"));
    outside.setData(mime, QByteArray("\x02\x00\x00\x00" "abc", 7));
    ASSERT_TRUE(ReadTreeData(outside, chunks));
    EXPECT_EQ(chunks, QByteArray("ab"));
}

TEST(LazyTreeDragManager, EscapeCancelsAndReleasingTheLastButtonDrops)
{
    TDndTree tree;
    ILTDragManager &manager = tree.DragManager();
    EXPECT_EQ(&manager, &tree.DragManager()) << "created once";
    const struct
    {
        bool Escape;
        uint32_t KeyState;
        HRESULT Expected;
    } cases[] = {
        {true, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {false, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
        {false, MK_LBUTTON, S_OK},
        {false, MK_RBUTTON | MK_SHIFT, S_OK},
        {false, MK_CONTROL, DRAGDROP_S_DROP},
        {false, 0, DRAGDROP_S_DROP},
    };
    for (const auto &c : cases)
        EXPECT_EQ(manager.QueryContinueDrag(c.Escape, c.KeyState), c.Expected) << c.KeyState;
    EXPECT_EQ(manager.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST(LazyTreeDragManager, TheApplicationMaySupplyManagerAndDataObject)
{
    TDndTree tree;
    auto own = std::make_shared<TLTDragManager>(&tree);
    tree.OnCreateDragManager = [&](TBaseLazyTree *, std::shared_ptr<ILTDragManager> &M) { M = own; };
    auto *supplied = new QMimeData;
    tree.OnCreateDataObject = [&](TBaseLazyTree *, QMimeData *&D) { D = supplied; };
    EXPECT_EQ(&tree.DragManager(), own.get());
    QMimeData *data = tree.DragManager().DataObject();
    EXPECT_EQ(data, supplied);
    delete data;
    tree.OnCreateDragManager = nullptr;
    tree.OnCreateDataObject = nullptr;
}
