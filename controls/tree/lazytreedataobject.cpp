#include "controls/tree/lazytreedataobject.h"

#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreedragimage.h"

#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>
#include <map>

using namespace LTResult;

namespace {

// The live trees that have handed out a reference, by an id that is never reused: a
// forged or stale reference finds nothing instead of pointing anywhere.
struct TTreeIds
{
    std::map<uint64_t, QPointer<TBaseLazyTree>> ById;
    uint64_t Next = 1;
};

TTreeIds &TreeIds()
{
    static TTreeIds Ids;
    return Ids;
}

constexpr int ReferenceSize = 12;   // process id (32 bits), tree id (64 bits)

bool SameFormat(const TFormatEtc &A, const TFormatEtc &B)
{
    return A.cfFormat == B.cfFormat && A.ptd == B.ptd && A.dwAspect == B.dwAspect &&
           A.lindex == B.lindex && (A.tymed & B.tymed) != 0;
}

// A text block as other programs read its MIME type: no terminator, Unicode text in UTF-8.
QByteArray ForMime(uint16_t Format, QByteArray Block)
{
    if (Format == CF_UNICODETEXT) {
        QString text(reinterpret_cast<const QChar *>(Block.constData()), Block.size() / 2);
        const qsizetype end = text.indexOf(QChar(0));
        return (end >= 0 ? text.left(end) : text).toUtf8();
    }
    if (Format != LazyTreeFormats().TreeData && Format != LazyTreeFormats().Reference &&
        Block.endsWith('\0'))
        Block.chop(1);
    return Block;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Formats and references

QString DataObjectMimeType(uint16_t Format)
{
    const QString mime = ClipboardFormatMimeType(Format);
    if (!mime.isEmpty())
        return mime;
    const QString name = ClipboardFormatName(Format);
    return QStringLiteral("application/x-lazytree-format;name=\"%1\"")
        .arg(name.isEmpty() ? QString::number(Format) : name);
}

uint16_t ClipboardFormatOfMimeType(const QString &MimeType)
{
    const TLazyTreeFormatNumbers &n = LazyTreeFormats();
    for (uint16_t f : {n.TreeData, n.Reference, n.HTML, n.RTF, n.RTFNoObjects, n.CSV, CF_TEXT,
                       CF_UNICODETEXT})
        if (f && DataObjectMimeType(f) == MimeType)
            return f;
    for (int i = 0; i < TClipboardFormatList::Count(); ++i) {
        const uint16_t f = TClipboardFormatList::Entry(i).FormatEtc.cfFormat;
        if (DataObjectMimeType(f) == MimeType)
            return f;
    }
    return 0;
}

bool ReadTreeData(const QMimeData &Data, QByteArray &Chunks)
{
    const QString mime = DataObjectMimeType(LazyTreeFormats().TreeData);
    if (!Data.hasFormat(mime))
        return false;
    const QByteArray block = Data.data(mime);
    if (block.size() < 4)
        return false;
    const uint32_t count = qFromLittleEndian<uint32_t>(block.constData());
    Chunks = block.mid(4, qsizetype(std::min<uint64_t>(count, uint64_t(block.size() - 4))));
    return true;
}

QByteArray TreeReference(TBaseLazyTree *Tree)
{
    TTreeIds &ids = TreeIds();
    uint64_t id = 0;
    for (auto it = ids.ById.begin(); it != ids.ById.end();) {
        if (it->second.isNull()) {
            it = ids.ById.erase(it);
            continue;
        }
        if (it->second.data() == Tree)
            id = it->first;
        ++it;
    }
    if (id == 0) {
        id = ids.Next++;
        ids.ById[id] = Tree;
    }
    QByteArray block(ReferenceSize, '\0');
    qToLittleEndian<uint32_t>(uint32_t(QCoreApplication::applicationPid()), block.data());
    qToLittleEndian<uint64_t>(id, block.data() + 4);
    return block;
}

TBaseLazyTree *TreeOfReference(const QByteArray &Block)
{
    if (Block.size() < ReferenceSize ||
        qFromLittleEndian<uint32_t>(Block.constData()) != uint32_t(QCoreApplication::applicationPid()))
        return nullptr;
    const auto it = TreeIds().ById.find(qFromLittleEndian<uint64_t>(Block.constData() + 4));
    return it == TreeIds().ById.end() ? nullptr : it->second.data();
}

// ---------------------------------------------------------------------------------------
// The format enumerator

HRESULT TEnumFormatEtc::Next(uint32_t Count, std::vector<TFormatEtc> &Formats, uint32_t *Fetched)
{
    const int32_t size = int32_t(FFormatEtcArray.size());
    const int32_t n = int32_t(std::min<int64_t>(Count, std::max(0, size - FCurrentIndex)));
    Formats.assign(FFormatEtcArray.begin() + FCurrentIndex, FFormatEtcArray.begin() + FCurrentIndex + n);
    FCurrentIndex += n;
    if (Fetched)
        *Fetched = uint32_t(n);
    return n > 0 ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(uint32_t Count)
{
    if (int64_t(FCurrentIndex) + Count > int64_t(FFormatEtcArray.size()))
        return S_FALSE;
    FCurrentIndex += int32_t(Count);
    return S_OK;
}

HRESULT TEnumFormatEtc::Reset()
{
    FCurrentIndex = 0;
    return S_OK;
}

HRESULT TEnumFormatEtc::Clone(std::unique_ptr<TEnumFormatEtc> &Enum) const
{
    Enum = std::make_unique<TEnumFormatEtc>(nullptr, FFormatEtcArray);
    Enum->FCurrentIndex = FCurrentIndex;
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// The data object

TLTDataObject::TLTDataObject(TBaseLazyTree *Owner, bool ForClipboard)
    : FOwner(Owner), FForClipboard(ForClipboard)
{
    if (Owner)
        Owner->OfferedFormats(FFormatEtcArray);
}

TLTDataObject::~TLTDataObject()
{
    if (FForClipboard && FOwner && !Flushing())
        FOwner->CancelCutOrCopy();
}

bool TLTDataObject::Flushing() const
{
    return FOwner && FOwner->TreeStates().Contains(TLazyTreeState::tsClipboardFlushing);
}

HRESULT TLTDataObject::QueryGetData(const TFormatEtc &Format) const
{
    HRESULT result = DV_E_CLIPFORMAT;
    for (const TFormatEtc &f : FFormatEtcArray) {
        if (f.cfFormat != Format.cfFormat)
            continue;
        if ((f.tymed & Format.tymed) == 0)
            result = DV_E_TYMED;
        else if (f.dwAspect != Format.dwAspect)
            result = DV_E_DVASPECT;
        else if (f.lindex != Format.lindex)
            result = DV_E_LINDEX;
        else
            return S_OK;
    }
    return result;
}

HRESULT TLTDataObject::HandOut(const TStgMedium &Source, TStgMedium &Target, bool Copy) const
{
    Target.tymed = Source.tymed;
    Target.ReleaseObject = Source.ReleaseObject;
    switch (Source.tymed) {
    case TYMED_HGLOBAL:
        if (Copy) {
            Target.Data = QByteArray(Source.Data.constData(), Source.Data.size());
        } else {
            Target.Data = Source.Data;
            Target.ReleaseObject = this;
        }
        return S_OK;
    case TYMED_FILE:
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        Target.Data = Source.Data;
        return S_OK;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        if (Copy)
            return DV_E_TYMED;
        Target.Data = Source.Data;
        Target.ReleaseObject = this;
        return S_OK;
    default: return DV_E_TYMED;
    }
}

HRESULT TLTDataObject::GetData(const TFormatEtc &FormatIn, TStgMedium &Medium)
{
    Medium = TStgMedium();
    if (FormatIn.cfFormat == LazyTreeFormats().Reference) {
        // A flushed clipboard outlives the tree: it never refers to one.
        if (!FOwner || Flushing())
            return E_FAIL;
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Data = TreeReference(FOwner);
        return S_OK;
    }
    HRESULT result = QueryGetData(FormatIn);
    if (result != S_OK)
        return result;
    try {
        const auto it = std::find_if(FFormatEtcArray.begin(), FFormatEtcArray.end(),
                                     [&](const TFormatEtc &f) { return SameFormat(f, FormatIn); });
        const auto stored = std::find_if(
            FInternalStgMediumArray.begin(), FInternalStgMediumArray.end(),
            [&](const TInternalStgMedium &m) { return it != FFormatEtcArray.end() && m.Format == it->cfFormat; });
        if (stored != FInternalStgMediumArray.end())
            result = HandOut(stored->Medium, Medium, false);
        else if (FOwner)
            result = FOwner->RenderTreeData(FormatIn, Medium, FForClipboard);
        else
            result = E_FAIL;
    } catch (...) {
        result = E_FAIL;
    }
    if (result != S_OK) {
        Medium = TStgMedium();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT TLTDataObject::SetData(const TFormatEtc &Format, TStgMedium &Medium, bool Release)
{
    auto stored = std::find_if(FInternalStgMediumArray.begin(), FInternalStgMediumArray.end(),
                               [&](const TInternalStgMedium &m) { return m.Format == Format.cfFormat; });
    const bool offered = std::any_of(FFormatEtcArray.begin(), FFormatEtcArray.end(),
                                     [&](const TFormatEtc &f) { return SameFormat(f, Format); });
    if (!offered)
        FFormatEtcArray.push_back(Format);
    if (stored == FInternalStgMediumArray.end()) {
        FInternalStgMediumArray.push_back({Format.cfFormat, TStgMedium()});
        stored = FInternalStgMediumArray.end() - 1;
    } else {
        stored->Medium = TStgMedium();
    }
    HRESULT result = S_OK;
    if (Release) {
        stored->Medium = Medium;
    } else {
        result = HandOut(Medium, stored->Medium, true);
        if (stored->Medium.ReleaseObject == this)
            stored->Medium.ReleaseObject = nullptr;
    }
    if (FAdviseHolder)
        for (const TAdvise &a : *FAdviseHolder)
            a.Sink();
    return result;
}

HRESULT TLTDataObject::EnumFormatEtc(uint32_t Direction, std::unique_ptr<TEnumFormatEtc> &Enum) const
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return OLE_S_USEREG;
    }
    Enum = std::make_unique<TEnumFormatEtc>(FOwner.data(), FFormatEtcArray);
    return S_OK;
}

HRESULT TLTDataObject::DAdvise(std::function<void()> Sink, uint32_t &Connection)
{
    if (!FAdviseHolder)
        FAdviseHolder = std::make_unique<std::vector<TAdvise>>();
    Connection = FNextConnection++;
    FAdviseHolder->push_back({Connection, std::move(Sink)});
    return S_OK;
}

HRESULT TLTDataObject::DUnadvise(uint32_t Connection)
{
    if (!FAdviseHolder)
        return E_NOTIMPL;
    const auto it = std::find_if(FAdviseHolder->begin(), FAdviseHolder->end(),
                                 [&](const TAdvise &a) { return a.Connection == Connection; });
    if (it == FAdviseHolder->end())
        return E_FAIL;
    FAdviseHolder->erase(it);
    return S_OK;
}

HRESULT TLTDataObject::EnumDAdvise(std::vector<uint32_t> &Connections) const
{
    if (!FAdviseHolder)
        return OLE_E_ADVISENOTSUPPORTED;
    Connections.clear();
    for (const TAdvise &a : *FAdviseHolder)
        Connections.push_back(a.Connection);
    return S_OK;
}

QStringList TLTDataObject::formats() const
{
    QStringList result;
    for (const TFormatEtc &f : FFormatEtcArray) {
        const QString mime = DataObjectMimeType(f.cfFormat);
        if (!result.contains(mime))
            result.append(mime);
    }
    if (FOwner && !Flushing())
        result.append(DataObjectMimeType(LazyTreeFormats().Reference));
    return result;
}

bool TLTDataObject::hasFormat(const QString &MimeType) const
{
    return formats().contains(MimeType);
}

QVariant TLTDataObject::retrieveData(const QString &MimeType, QMetaType) const
{
    const uint16_t format = ClipboardFormatOfMimeType(MimeType);
    if (format == 0)
        return QVariant();
    TFormatEtc formatEtc{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    for (const TFormatEtc &f : FFormatEtcArray)
        if (f.cfFormat == format) {
            formatEtc = f;
            formatEtc.tymed = f.tymed & TYMED_HGLOBAL ? TYMED_HGLOBAL : f.tymed;
            break;
        }
    TStgMedium medium;
    // Rendering on request changes nothing the caller sees but the medium.
    if (const_cast<TLTDataObject *>(this)->GetData(formatEtc, medium) != S_OK)
        return QVariant();
    QByteArray block = medium.Data;
    if (format == LazyTreeFormats().TreeData && medium.tymed == TYMED_ISTREAM) {
        QByteArray counted(4, '\0');
        qToLittleEndian<uint32_t>(uint32_t(block.size()), counted.data());
        block = counted + block;
    }
    return QVariant(ForMime(format, block));
}

// ---------------------------------------------------------------------------------------
// The drag manager

TLTDragManager::TLTDragManager(TBaseLazyTree *Owner) : FOwner(Owner) {}

bool TLTDragManager::DropTargetHelperSupported() const
{
    return SystemDragImageSupport();
}

QMimeData *TLTDragManager::DataObject()
{
    if (FDataObject)
        return FDataObject.data();
    return FOwner->DoCreateDataObject();
}

HRESULT TLTDragManager::DragEnter(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                                  uint32_t &Effect)
{
    FDataObject = const_cast<QMimeData *>(DataObject);
    FIsDropTarget = true;
    FDragSource = FOwner->SourceTreeOf(DataObject);
    return FOwner->DragEnterTree(KeyState, Pt, Effect);
}

HRESULT TLTDragManager::DragOver(uint32_t KeyState, QPoint Pt, uint32_t &Effect)
{
    return FOwner->DragOverTree(FDragSource.data(), KeyState, TDragState::dsDragMove, Pt, Effect);
}

HRESULT TLTDragManager::DragLeave()
{
    FOwner->DragLeaveTree();
    FIsDropTarget = false;
    FDragSource = nullptr;
    FDataObject = nullptr;
    return S_OK;
}

HRESULT TLTDragManager::Drop(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                             uint32_t &Effect)
{
    const HRESULT result = FOwner->DropOnTree(DataObject, KeyState, Pt, Effect);
    FIsDropTarget = false;
    FDataObject = nullptr;
    return result;
}

HRESULT TLTDragManager::QueryContinueDrag(bool EscapePressed, uint32_t KeyState)
{
    const bool left = KeyState & MK_LBUTTON, right = KeyState & MK_RBUTTON;
    if (EscapePressed || (left && right))
        return DRAGDROP_S_CANCEL;
    if (left || right)
        return S_OK;
    return DRAGDROP_S_DROP;
}
