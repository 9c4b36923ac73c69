#include "grid/base/griddragdrop.h"

#include "platform/textcodec.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

namespace {

bool g_rtfDragDrop = false;
TDragExecFunc g_dragExec;

const QString kText = QStringLiteral("text/plain");

} // namespace

void SetRTFDragDrop(bool Value)
{
    g_rtfDragDrop = Value;
}

bool RTFDragDrop()
{
    return g_rtfDragDrop;
}

QByteArray EncodeGridColumn(int Column)
{
    QByteArray block(4, '\0');
    qToLittleEndian<qint32>(Column, block.data());
    return block;
}

int DecodeGridColumn(const QByteArray &Block)
{
    if (Block.size() < 4)
        return -1;
    return qFromLittleEndian<qint32>(Block.constData());
}

QByteArray EncodeGridCells(const QByteArray &Stream)
{
    QByteArray block(8, '\0');
    qToLittleEndian<quint32>(quint32(Stream.size()), block.data());
    block.append(Stream);
    return block;
}

std::optional<QByteArray> DecodeGridCells(const QByteArray &Block)
{
    if (Block.size() < 8)
        return std::nullopt;
    const quint32 n = qFromLittleEndian<quint32>(Block.constData());
    if (n > quint64(Block.size() - 8))
        return std::nullopt;
    return Block.mid(8, qsizetype(n));
}

int EffectFromKeys(Qt::KeyboardModifiers KeyState, int Allowed)
{
    if (KeyState & Qt::ControlModifier)
        return DROPEFFECT_COPY;
    return Allowed & DROPEFFECT_MOVE ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// ---- reader -----------------------------------------------------------------------------

TEnumFormats::TEnumFormats(const QMimeData *DataObject) : FDataObject(DataObject) {}

bool TEnumFormats::HasFormat(const QString &Format) const
{
    return FDataObject && FDataObject->hasFormat(Format);
}

bool TEnumFormats::HasText() const { return HasFormat(kText); }
bool TEnumFormats::HasRTF() const { return HasFormat(MimeRichText); }
bool TEnumFormats::HasCol() const { return HasFormat(MimeGridColumn); }
bool TEnumFormats::HasGridCells() const { return HasFormat(MimeGridCells); }

bool TEnumFormats::HasFile() const
{
    if (!FDataObject || !FDataObject->hasUrls())
        return false;
    const QList<QUrl> urls = FDataObject->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &u) { return u.isLocalFile(); });
}

bool TEnumFormats::HasURL() const
{
    if (!FDataObject || !FDataObject->hasUrls())
        return false;
    const QList<QUrl> urls = FDataObject->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &u) { return !u.isLocalFile(); });
}

QString TEnumFormats::Text() const
{
    return HasText() ? FDataObject->text() : QString();
}

QString TEnumFormats::RTF() const
{
    if (!HasRTF())
        return QString();
    QByteArray bytes = FDataObject->data(MimeRichText);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return Decode_Windows1252(bytes);
}

int TEnumFormats::Col() const
{
    return HasCol() ? DecodeGridColumn(FDataObject->data(MimeGridColumn)) : -1;
}

std::optional<QByteArray> TEnumFormats::Stream() const
{
    if (!HasGridCells())
        return std::nullopt;
    return DecodeGridCells(FDataObject->data(MimeGridCells));
}

QString TEnumFormats::URL() const
{
    const QString text = Text();
    if (!text.isEmpty() || !FDataObject)
        return text;
    for (const QUrl &u : FDataObject->urls())
        if (!u.isLocalFile())
            return u.toString();
    return QString();
}

bool TEnumFormats::CollectDroppedFiles()
{
    FFiles.clear();
    if (HasFile())
        for (const QUrl &u : FDataObject->urls())
            if (u.isLocalFile())
                FFiles.append(u.toLocalFile());
    return !FFiles.isEmpty();
}

// ---- drop target ------------------------------------------------------------------------

TASGDropTarget::TASGDropTarget() = default;

void TASGDropTarget::Register(QWidget *Target)
{
    Revoke();
    FTarget = Target;
    if (!Target)
        return;
    Target->setAcceptDrops(true);
    Target->installEventFilter(this);
}

void TASGDropTarget::Revoke()
{
    if (!FTarget)
        return;
    FTarget->removeEventFilter(this);
    FTarget->setAcceptDrops(false);
    FTarget = nullptr;
}

void TASGDropTarget::DragEnter(const QMimeData *DataObject, Qt::KeyboardModifiers KeyState,
                               const QPoint &, int &Effect)
{
    const TEnumFormats f(DataObject);
    const bool text = f.HasText(), file = f.HasFile(), rtf = f.HasRTF(), col = f.HasCol(),
               url = f.HasURL(), cells = f.HasGridCells();
    FOk = (text && AcceptText) || (file && AcceptFiles) || (rtf && RTFDragDrop() && AcceptText) ||
          (col && AcceptCols) || (url && AcceptURLs) || cells;
    FDropFormats = TDropFormats();
    if (text)
        FDropFormats.Include(dfText);
    if (file)
        FDropFormats.Include(dfFile);
    if (rtf)
        FDropFormats.Include(dfRTF);
    if (col)
        FDropFormats.Include(dfCol);
    if (url)
        FDropFormats.Include(dfURL);
    if (cells)
        FDropFormats.Include(dfGridCells);
    Effect = FOk ? EffectFromKeys(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
}

void TASGDropTarget::DragOver(Qt::KeyboardModifiers KeyState, const QPoint &Pt, int &Effect)
{
    Effect = FOk ? EffectFromKeys(KeyState, Effect) : DROPEFFECT_NONE;
    bool allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, allow, FDropFormats);
    if (!allow)
        Effect = DROPEFFECT_NONE;
}

void TASGDropTarget::DragLeave()
{
    DragMouseLeave();
}

void TASGDropTarget::Drop(const QMimeData *DataObject, Qt::KeyboardModifiers KeyState,
                          const QPoint &Pt, int &Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return;
    }
    TEnumFormats f(DataObject);
    bool refused = false;
    if (f.HasCol()) {
        DropCol(Pt, f.Col());
    } else {
        if (f.HasGridCells()) {
            if (const std::optional<QByteArray> stream = f.Stream())
                DropStream(Pt, *stream);
            else
                refused = true;
        } else if (f.HasRTF() && RTFDragDrop()) {
            DropRTF(Pt, f.RTF());
        } else if (f.HasText()) {
            DropText(Pt, f.Text());
        }
        if (f.HasFile()) {
            f.CollectDroppedFiles();
            DropFiles(Pt, f.Files());
        }
        if (f.HasURL())
            DropURL(Pt, f.URL());
    }
    // A damaged cell block was not taken: the source must not remove what it moved.
    Effect = refused ? DROPEFFECT_NONE : EffectFromKeys(KeyState, Effect);
}

bool TASGDropTarget::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != FTarget)
        return false;
    switch (Event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *e = static_cast<QDragMoveEvent *>(Event);
        const QPoint pt = FTarget->mapToGlobal(e->position().toPoint());
        int effect = int(e->possibleActions());
        if (Event->type() == QEvent::DragEnter) {
            DragEnter(e->mimeData(), e->modifiers(), pt, effect);
            // Moves keep coming after an accepted enter, so the hooks see them all.
            e->setDropAction(Qt::DropAction(effect));
            e->accept();
            return true;
        }
        DragOver(e->modifiers(), pt, effect);
        e->setDropAction(Qt::DropAction(effect));
        e->setAccepted(effect != DROPEFFECT_NONE);
        return true;
    }
    case QEvent::DragLeave:
        DragLeave();
        return true;
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(Event);
        int effect = int(e->possibleActions());
        Drop(e->mimeData(), e->modifiers(), FTarget->mapToGlobal(e->position().toPoint()), effect);
        e->setDropAction(Qt::DropAction(effect));
        e->setAccepted(effect != DROPEFFECT_NONE);
        return true;
    }
    default:
        return false;
    }
}

// ---- drop source and data object --------------------------------------------------------

long TASGDropSource::GiveFeedback(int Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

TSourceDataObject::TSourceDataObject(const QString &Text, const QByteArray *Stream, int Column,
                                     const QString &RTF)
    : textdata(Text), rtfdata(RTF), scolidx(Column)
{
    if (Stream)
        memstr = *Stream;
}

QStringList TSourceDataObject::formats() const
{
    QStringList list{kText, MimeRichText};
    if (scolidx != -1)
        list.append(MimeGridColumn);
    if (memstr)
        list.append(MimeGridCells);
    return list;
}

bool TSourceDataObject::hasFormat(const QString &MimeType) const
{
    return formats().contains(MimeType);
}

bool TSourceDataObject::QueryGetData(const QString &MimeType) const
{
    if (MimeType == kText)
        return !textdata.isEmpty();
    // Rich text without any is refused rather than served empty.
    if (MimeType == MimeRichText)
        return !textdata.isEmpty() && RTFDragDrop() && !rtfdata.isEmpty();
    if (MimeType == MimeGridCells)
        return memstr.has_value();
    if (MimeType == MimeGridColumn)
        return scolidx != -1;
    return false;
}

QByteArray TSourceDataObject::GetData(const QString &MimeType) const
{
    if (!QueryGetData(MimeType))
        return QByteArray();
    if (MimeType == kText)
        return textdata.toUtf8();
    if (MimeType == MimeRichText)
        return Encode_Windows1252(rtfdata);
    if (MimeType == MimeGridCells)
        return EncodeGridCells(*memstr);
    return EncodeGridColumn(scolidx);
}

QVariant TSourceDataObject::retrieveData(const QString &MimeType, QMetaType Type) const
{
    if (!QueryGetData(MimeType))
        return QVariant();
    if (MimeType == kText && Type.id() == QMetaType::QString)
        return textdata;
    return GetData(MimeType);
}

// ---- starting a drag --------------------------------------------------------------------

void SetDragExecHook(TDragExecFunc Hook)
{
    g_dragExec = std::move(Hook);
}

namespace {

long RunDrag(QObject *Source, TASGDropSource *DropSource, TSourceDataObject *Data, int OkEffects,
             int &Effect)
{
    TASGDropSource plain;
    if (!DropSource)
        DropSource = &plain;
    QDrag drag(Source);
    drag.setMimeData(Data);
    QObject::connect(&drag, &QDrag::actionChanged, &drag,
                     [DropSource](Qt::DropAction a) { DropSource->GiveFeedback(int(a)); });
    QTimer tick;
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, &drag, [DropSource] { DropSource->QueryDrag(); });
    tick.start();
    const int done = g_dragExec ? g_dragExec(drag, OkEffects)
                                : int(drag.exec(Qt::DropActions(OkEffects)));
    tick.stop();
    DropSource->DragFinished();
    Effect = done;
    if (DropSource->NoAccept() || done == DROPEFFECT_NONE)
        return DRAGDROP_S_CANCEL;
    return DRAGDROP_S_DROP;
}

} // namespace

long StartTextDoDragDrop(QObject *Source, TASGDropSource *DropSource, const QString &Text,
                         const QString &RTF, int &Effect, int OkEffects, const QByteArray *Stream)
{
    return RunDrag(Source, DropSource, new TSourceDataObject(Text, Stream, -1, RTF), OkEffects, Effect);
}

long StartColDoDragDrop(QObject *Source, TASGDropSource *DropSource, int Column, int OkEffects,
                        int &Effect)
{
    return RunDrag(Source, DropSource, new TSourceDataObject(QString(), nullptr, Column, QString()),
                   OkEffects, Effect);
}
