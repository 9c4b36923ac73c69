// The node stream: saving and loading nodes as nested chunks, the unit that files, the
// clipboard's tree data, drags and moves between trees carry.
//
// Layout (little-endian): six UTF-16 code units U+2045 'L' 'T' version ' ' U+2046, a 32-bit
// node count (version 2 only), then one node chunk per node. A chunk is an 8-byte header
// (type, size of what follows) and its content; a node chunk holds the base chunk (the
// node's fields followed by its children's node chunks), the user chunk (OnSaveNode's bytes)
// and, from the string tree, the caption chunk. Reading trusts no size: every chunk must lie
// inside the chunk around it, and children are linked one at a time so that a broken stream
// leaves a consistent tree.
#include "controls/tree/lazystringtree.h"

#include "controls/tree/lazytreestream.h"
#include "platform/files.h"

#include <QBuffer>
#include <QFileDevice>

using enum TLazyNodeState;
using enum TLTMiscOption;
using enum TLTSelectionOption;

namespace {

constexpr int StreamVersion = 2;
constexpr uint32_t NodeChunk = 1, BaseChunk = 2, UserChunk = 4;
constexpr int ChunkHeaderSize = 8;
constexpr int BaseBodySize = 19, OldBaseBodySize = 12;
constexpr uint16_t SignatureUnits[6] = {0x2045, 'L', 'T', StreamVersion, ' ', 0x2046};
// vsChecking, vsCutOrCopy, vsDeleting, vsOnFreeNodeCallRequired and vsHeightMeasured: not
// stored. Reading also drops the transient states, so that a loaded node never releases
// user data it was not given.
constexpr uint64_t UnsavedStates = 0x2216;
const TLazyNodeStates UnloadedStates =
    TLazyNodeStates::FromBits(UnsavedStates) +
    TLazyNodeStates{vsReleaseCallOnUserDataRequired, vsToggling, vsInitializing};
// Nesting beyond this is taken as a damaged stream rather than run out of stack.
constexpr int MaxChunkDepth = 10000;

[[noreturn]] void StreamError(int Number)
{
    const char *text = "";
    switch (Number) {
    case 2002: text = "Unable to load tree structure, the format is wrong."; break;
    case 2003: text = "Unable to load tree structure, the version is unknown."; break;
    case 2004: text = "Unable to load tree structure, not enough data available."; break;
    case 2005: text = "Stream data corrupt. A node's anchor chunk is missing."; break;
    case 2006: text = "Stream data corrupt. Unexpected data after node's end position."; break;
    }
    throw ELazyTreeError(text, Number);
}

void WriteChunkHeader(TLTStreamWriter &W, uint32_t Type)
{
    W.WriteInt32(int32_t(Type));
    W.WriteInt32(0);   // patched when the content is known
}

// Drops the last Bytes of a stream that ends at its position; a device that cannot be cut
// keeps them (an empty chunk reads back as no data).
bool CutStreamEnd(QIODevice &Stream, qint64 NewSize)
{
    if (Stream.pos() != Stream.size())
        return false;
    if (auto *buffer = qobject_cast<QBuffer *>(&Stream)) {
        buffer->seek(NewSize);
        buffer->buffer().truncate(NewSize);
        return true;
    }
    if (auto *file = qobject_cast<QFileDevice *>(&Stream)) {
        file->seek(NewSize);
        return file->resize(NewSize);
    }
    return false;
}

TCheckState CheckedCheckState(uint8_t Value)
{
    return Value <= uint8_t(TCheckState::csMixedDisabled) ? TCheckState(Value)
                                                          : TCheckState::csUncheckedNormal;
}

TCheckType CheckedCheckType(uint8_t Value)
{
    return Value <= uint8_t(TCheckType::ctButton) ? TCheckType(Value) : TCheckType::ctNone;
}

// Restores the reader's chunk limit and depth when a chunk ends, also by an error.
struct TChunkScope
{
    qint64 &Limit;
    int &Depth;
    qint64 SavedLimit;
    TChunkScope(qint64 &ALimit, int &ADepth, qint64 NewLimit)
        : Limit(ALimit), Depth(ADepth), SavedLimit(ALimit)
    {
        if (++Depth > MaxChunkDepth) {
            --Depth;
            StreamError(2006);
        }
        Limit = NewLimit;
    }
    ~TChunkScope()
    {
        Limit = SavedLimit;
        --Depth;
    }
};

}   // namespace

// ---------------------------------------------------------------------------------------
// Saving

void TBaseLazyTree::SaveToFile(const QString &FileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    SaveToStream(buffer, nullptr);
    Write_File_Atomic(FileName, buffer.data());
}

void TBaseLazyTree::SaveToStream(QIODevice &Stream, PLazyNode Node)
{
    TLTStreamWriter w(Stream);
    for (uint16_t unit : SignatureUnits) {
        const char le[2] = {char(unit & 0xFF), char(unit >> 8)};
        w.WriteRaw(le, 2);
    }
    if (Node && Node != FRoot) {
        w.WriteInt32(1);
        WriteNodeChunk(Stream, Node);
    } else {
        w.WriteInt32(int32_t(FRoot->ChildCount));
        for (PLazyNode run = FRoot->FirstChild; run; run = run->NextSibling)
            WriteNodeChunk(Stream, run);
    }
    if (OnSaveTree)
        OnSaveTree(this, Stream);
}

QByteArray TBaseLazyTree::SaveNodeChunks(const std::vector<PLazyNode> &Nodes)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    for (PLazyNode node : Nodes)
        WriteNodeChunk(buffer, node);
    return buffer.data();
}

void TBaseLazyTree::WriteNodeChunk(QIODevice &Stream, PLazyNode Node)
{
    if (TreeOptions().MiscOptions().Contains(toInitOnSave) && Node != FRoot) {
        if (!Node->Has(vsInitialized))
            InitNode(Node);
        if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
    }
    TLTStreamWriter w(Stream);
    const qint64 start = Stream.pos();
    WriteChunkHeader(w, NodeChunk);
    WriteNodeParts(Stream, Node);
    PatchChunkSize(Stream, start, Stream.pos());
}

void TBaseLazyTree::WriteNodeParts(QIODevice &Stream, PLazyNode Node)
{
    TLTStreamWriter w(Stream);
    qint64 start = Stream.pos();
    WriteChunkHeader(w, BaseChunk);
    w.WriteInt32(int32_t(Node->ChildCount));
    w.WriteInt32(Node->NodeHeight);
    w.WriteInt32(int32_t(uint32_t(Node->States.Bits() & ~UnsavedStates)));
    w.WriteUInt8(Node->Align);
    w.WriteUInt8(uint8_t(Node->CheckState));
    w.WriteUInt8(uint8_t(Node->CheckType));
    w.WriteInt32(0);
    if (Node->Has(vsInitialized))
        for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling)
            WriteNodeChunk(Stream, run);
    PatchChunkSize(Stream, start, Stream.pos());

    start = Stream.pos();
    WriteChunkHeader(w, UserChunk);
    DoSaveNode(Node == FRoot ? nullptr : Node, Stream);
    if (Stream.pos() == start + ChunkHeaderSize && CutStreamEnd(Stream, start))
        return;
    PatchChunkSize(Stream, start, Stream.pos());
}

void TBaseLazyTree::PatchChunkSize(QIODevice &Stream, qint64 StartPos, qint64 EndPos)
{
    TLTStreamWriter w(Stream);
    Stream.seek(StartPos + 4);
    w.WriteInt32(int32_t(EndPos - StartPos - ChunkHeaderSize));
    Stream.seek(EndPos);
}

void TBaseLazyTree::DoSaveNode(PLazyNode Node, QIODevice &Stream)
{
    if (OnSaveNode)
        OnSaveNode(this, Node, Stream);
}

void TBaseLazyTree::DoLoadNode(PLazyNode Node, QIODevice &Stream)
{
    if (OnLoadNode)
        OnLoadNode(this, Node, Stream);
}

// ---------------------------------------------------------------------------------------
// Loading

void TBaseLazyTree::LoadFromFile(const QString &FileName)
{
    QByteArray data = Read_File(FileName);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

int TBaseLazyTree::ReadStreamSignature(QIODevice &Stream, bool Adding)
{
    TLTStreamReader r(Stream);
    if (!Adding && r.Left() < 12)
        StreamError(2004);
    char raw[12];
    r.ReadRaw(raw, 12);
    uint16_t units[6];
    for (int i = 0; i < 6; ++i)
        units[i] = uint16_t(uint8_t(raw[2 * i]) | uint8_t(raw[2 * i + 1]) << 8);
    const bool signature = units[0] == SignatureUnits[0] && units[1] == SignatureUnits[1] &&
                           units[2] == SignatureUnits[2] && units[5] == SignatureUnits[5];
    if (!signature)
        StreamError(Adding ? 2003 : 2002);
    if (units[3] > StreamVersion)
        StreamError(2003);
    return units[3];
}

void TBaseLazyTree::LoadFromStream(QIODevice &Stream)
{
    if (TreeOptions().MiscOptions().Contains(toReadOnly))
        return;
    // The signature is checked before the nodes go, so a wrong file leaves the tree.
    const int version = ReadStreamSignature(Stream, false);
    Clear();
    ReadStreamNodes(Stream, version, FRoot, TLTNodeAttachMode::amAddChildLast, true);
}

void TBaseLazyTree::AddFromStream(QIODevice &Stream, PLazyNode TargetNode)
{
    if (TreeOptions().MiscOptions().Contains(toReadOnly))
        return;
    if (!TargetNode)
        TargetNode = FRoot;
    const int version = ReadStreamSignature(Stream, true);
    ReadStreamNodes(Stream, version, TargetNode, TLTNodeAttachMode::amAddChildLast, false);
}

void TBaseLazyTree::ReadStreamNodes(QIODevice &Stream, int Version, PLazyNode Target,
                                    TLTNodeAttachMode Mode, bool Loading)
{
    TLTStreamReader r(Stream);
    BeginUpdate();
    try {
        uint32_t count = Version >= StreamVersion ? uint32_t(r.ReadInt32()) : 2147483647u;
        while (Stream.pos() < Stream.size() && count > 0) {
            --count;
            PLazyNode node = AllocateNode();
            LinkNode(node, Target, Mode, this);
            FillNodeFromStream(Stream, Version, node);
        }
        DoNodeCopied(Loading || Target == FRoot ? nullptr : Target);
        if (Loading && OnLoadTree)
            OnLoadTree(this, Stream);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

PLazyNode TBaseLazyTree::AddNodeFromChunk(QIODevice &Stream, PLazyNode Target,
                                          TLTNodeAttachMode Mode)
{
    if (!Target)
        Target = FRoot;
    PLazyNode node = AllocateNode();
    LinkNode(node, Target, Mode, this);
    FillNodeFromStream(Stream, StreamVersion, node);
    return node;
}

void TBaseLazyTree::FillNodeFromStream(QIODevice &Stream, int Version, PLazyNode Node)
{
    if (Node == FRoot)
        throw ELazyTreeAssertion("The root node cannot be loaded from stream.");
    PLazyNode parent = Node->Parent;
    const uint32_t oldCount = Node->TotalCount, oldHeight = Node->TotalHeight;
    const bool countedBefore = parent->Has(vsExpanded) && Node->Has(vsVisible);
    const bool shownBefore = FullyVisible(Node) && !GetEffectivelyFiltered(Node);

    // Whatever was read, also before an error, is made part of the tree's sums.
    auto settle = [&] {
        SumTotalCounts(Node);
        UpdateTotalCount(parent, int64_t(Node->TotalCount) - oldCount, true);
        SumTotalHeights(Node);
        const bool countedNow = parent->Has(vsExpanded) && Node->Has(vsVisible);
        UpdateTotalHeight(parent,
                          (countedNow ? int64_t(Node->TotalHeight) : 0) -
                              (countedBefore ? int64_t(oldHeight) : 0),
                          true);
        if (FullyVisible(Node) && !GetEffectivelyFiltered(Node))
            FVisibleCount += VisibleDescendantCount(Node) + (shownBefore ? 0 : 1);
        else if (shownBefore)
            --FVisibleCount;
        if (parent != FRoot)
            UpdateHiddenChildrenFlag(parent);
        const bool multi = TreeOptions().SelectionOptions().Contains(toMultiSelect);
        std::vector<PLazyNode> selected;
        for (PLazyNode run = Node; run;) {
            if (run->FirstChild)
                UpdateHiddenChildrenFlag(run);
            if (run->Has(vsSelected)) {
                run->States.Exclude(vsSelected);
                if (multi)
                    selected.push_back(run);
            }
            if (run->FirstChild) {
                run = run->FirstChild;
                continue;
            }
            while (run != Node && !run->NextSibling)
                run = run->Parent;
            run = run == Node ? nullptr : run->NextSibling;
        }
        for (PLazyNode node : selected)
            AddToSelection(node);
    };
    FChunkLimit = Stream.size();
    FChunkDepth = 0;
    try {
        ReadNodeChunk(Stream, Version, Node);
    } catch (...) {
        settle();
        throw;
    }
    settle();
}

void TBaseLazyTree::ReadNodeChunk(QIODevice &Stream, int Version, PLazyNode Node)
{
    TLTStreamReader r(Stream);
    if (FChunkLimit - Stream.pos() < ChunkHeaderSize)
        StreamError(2005);
    const uint32_t type = uint32_t(r.ReadInt32());
    const int32_t size = r.ReadInt32();
    if (type != NodeChunk || size < 0 || size > FChunkLimit - Stream.pos())
        StreamError(2005);
    const qint64 end = Stream.pos() + size;
    TChunkScope scope(FChunkLimit, FChunkDepth, end);
    while (Stream.pos() < end) {
        if (end - Stream.pos() < ChunkHeaderSize)
            StreamError(2006);
        const uint32_t subType = uint32_t(r.ReadInt32());
        const int32_t subSize = r.ReadInt32();
        if (subSize < 0 || subSize > end - Stream.pos())
            StreamError(2006);
        ReadSubChunk(Stream, Version, Node, subType, subSize);
    }
    if (Stream.pos() != end)
        StreamError(2006);
}

bool TBaseLazyTree::ReadSubChunk(QIODevice &Stream, int Version, PLazyNode Node,
                                 uint32_t ChunkType, int32_t ChunkSize)
{
    TLTStreamReader r(Stream);
    const qint64 start = Stream.pos(), end = start + ChunkSize;
    switch (ChunkType) {
    case BaseChunk: {
        if (ChunkSize < (Version >= StreamVersion ? BaseBodySize : OldBaseBodySize))
            StreamError(2006);
        const uint32_t childCount = uint32_t(r.ReadInt32());
        const uint32_t height = uint32_t(r.ReadInt32());
        TLazyNodeStates states;
        if (Version >= StreamVersion) {
            states = TLazyNodeStates::FromBits(uint32_t(r.ReadInt32()));
        } else {
            const uint8_t old = r.ReadUInt8();
            states = TLazyNodeStates::FromBits(old);
            states.Include(vsVisible);
            if (old & 0x80)
                states.Include(vsSelected);
        }
        const uint8_t align = r.ReadUInt8();
        const uint8_t checkState = r.ReadUInt8();
        const uint8_t checkType = r.ReadUInt8();
        if (Version >= StreamVersion)
            r.ReadInt32();   // reserved
        Node->States = states - UnloadedStates;
        Node->NodeHeight = uint16_t(height);
        Node->TotalHeight = Node->NodeHeight;
        Node->Align = std::min<uint8_t>(align, 100);
        Node->CheckState = CheckedCheckState(checkState);
        Node->CheckType = CheckedCheckType(checkType);
        {
            TChunkScope scope(FChunkLimit, FChunkDepth, end);
            for (uint32_t i = 0; i < childCount; ++i) {
                if (Stream.pos() >= end)
                    StreamError(2005);
                PLazyNode child = AllocateNode();
                child->Parent = Node;
                child->PrevSibling = Node->LastChild;
                child->Index = Node->LastChild ? Node->LastChild->Index + 1 : 0;
                if (Node->LastChild)
                    Node->LastChild->NextSibling = child;
                else
                    Node->FirstChild = child;
                Node->LastChild = child;
                ++Node->ChildCount;
                ReadNodeChunk(Stream, Version, child);
            }
        }
        if (Node->ChildCount > 0)
            Node->States.Include(vsHasChildren);
        Stream.seek(end);
        return true;
    }
    case UserChunk: {
        if (ChunkSize == 0)
            return true;
        DoLoadNode(Node == FRoot ? nullptr : Node, Stream);
        const qint64 consumed = Stream.pos() - start;
        if (consumed != ChunkSize)
            Stream.seek(end);
        return consumed > 0;
    }
    default:
        Stream.seek(end);
        return false;
    }
}

void TBaseLazyTree::SkipNodeChunk(QIODevice &Stream)
{
    TLTStreamReader r(Stream);
    if (r.Left() < ChunkHeaderSize)
        StreamError(2005);
    const uint32_t type = uint32_t(r.ReadInt32());
    const int32_t size = r.ReadInt32();
    if (type != NodeChunk || size < 0 || size > r.Left())
        StreamError(2005);
    Stream.seek(Stream.pos() + size);
}

// ---------------------------------------------------------------------------------------
// The string tree's caption chunk

namespace {
constexpr uint32_t CaptionChunk = 3;
}

void TCustomLazyStringTree::WriteNodeParts(QIODevice &Stream, PLazyNode Node)
{
    TBaseLazyTree::WriteNodeParts(Stream, Node);
    if (!TreeOptions().StringOptions().Contains(TLTStringOption::toSaveCaptions) ||
        Node == RootNode() || !Node->Has(vsInitialized))
        return;
    const QString caption = GetText(Node, Header().MainColumn());
    if (caption.isEmpty())
        return;
    TLTStreamWriter w(Stream);
    w.WriteInt32(int32_t(CaptionChunk));
    w.WriteInt32(int32_t(caption.size() * 2));
    QByteArray units(caption.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const char16_t unit = caption.at(i).unicode();
        units[2 * i] = char(unit & 0xFF);
        units[2 * i + 1] = char(unit >> 8);
    }
    w.WriteRaw(units.constData(), units.size());
}

bool TCustomLazyStringTree::ReadSubChunk(QIODevice &Stream, int Version, PLazyNode Node,
                                         uint32_t ChunkType, int32_t ChunkSize)
{
    if (ChunkType != CaptionChunk)
        return TBaseLazyTree::ReadSubChunk(Stream, Version, Node, ChunkType, ChunkSize);
    const qint64 end = Stream.pos() + ChunkSize;
    QByteArray units(ChunkSize / 2 * 2, Qt::Uninitialized);
    TLTStreamReader(Stream).ReadRaw(units.data(), units.size());
    QString caption(units.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < caption.size(); ++i)
        caption[i] = QChar(char16_t(uint8_t(units[2 * i]) | uint8_t(units[2 * i + 1]) << 8));
    Stream.seek(end);
    if (!caption.isEmpty())
        SetText(Node, Header().MainColumn(), caption);
    return true;
}
