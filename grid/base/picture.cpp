#include "grid/base/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

#include "platform/canvas.h"
#include "platform/rtl.h"

namespace {

// A little-endian 16-bit value; bytes past the end count as 0.
int U16(const QByteArray &d, qsizetype at)
{
    auto byte = [&](qsizetype i) { return i < d.size() ? int(uchar(d[i])) : 0; };
    return byte(at) | (byte(at + 1) << 8);
}

// A graphic control extension followed directly by an image descriptor at j.
bool IsFramePattern(const QByteArray &d, qsizetype j)
{
    return uchar(d[j]) == 0x21 && uchar(d[j + 1]) == 0xF9 && uchar(d[j + 2]) == 0x04 &&
           uchar(d[j + 8]) == 0x2C;
}

} // namespace

THTMLPicture::THTMLPicture() = default;

void THTMLPicture::SetData(const QByteArray &data)
{
    FData = data;
    FEmpty = false;
}

void THTMLPicture::Changed()
{
    if (OnChange)
        OnChange();
}

void THTMLPicture::Assign(const THTMLPicture *source)
{
    FEmpty = true;
    FImage = QImage();
    FFrameCount = -1;
    FNextFrameTime = -1;
    FTickCount = -1;
    SetFrame(1);
    // An emptied picture keeps no frame of its old data: it has no size, as before a load.
    if (!source) {
        FData.clear();
        FImage = QImage();
        return;
    }
    if (source->FEmpty) {
        // Copying an empty picture gives an empty picture, not a decoding error.
        FData = source->FData;
        FImage = QImage();
        return;
    }
    SetData(source->FData);
    CreateOlePicture();
    Changed();
}

void THTMLPicture::Draw(TCanvas &canvas, const TRect &r) const
{
    if (FEmpty || FImage.isNull())
        return;
    if (Stretch) {
        canvas.StretchDraw(r, FImage);
        return;
    }
    const QPaintDevice *dev = canvas.Painter() ? canvas.Painter()->device() : nullptr;
    const int dpiX = dev ? dev->logicalDpiX() : 96, dpiY = dev ? dev->logicalDpiY() : 96;
    if (dpiX == 96 && dpiY == 96) {
        canvas.Draw(r.Left, r.Top, FImage);
        return;
    }
    const int w = int(Round(double(FImage.width()) * dpiX / 96.0));
    const int h = int(Round(double(FImage.height()) * dpiY / 96.0));
    canvas.StretchDraw(Bounds(r.Left, r.Top, w, h), FImage);
}

void THTMLPicture::LoadFromFile(const QString &fileName)
{
    try {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly))
            throw EHTMLPictureError("Cannot open file");
        SetData(f.readAll());
        CreateOlePicture();
        Changed();
    } catch (const std::exception &) {
        FEmpty = true;
        FImage = QImage();
    }
}

void THTMLPicture::LoadFromStream(QIODevice *stream)
{
    if (!stream)
        return;
    ReadData(stream);
    Changed();
}

void THTMLPicture::ReadData(QIODevice *stream)
{
    if (!stream)
        return;
    if (!stream->isSequential())
        stream->seek(0);
    SetData(stream->readAll());
    CreateOlePicture();
}

void THTMLPicture::WriteData(QIODevice *stream) const
{
    if (stream)
        stream->write(FData);
}

void THTMLPicture::LoadFromResourceName(const QString &name)
{
    QFile f(QStringLiteral(":/") + name);
    if (!f.exists() || !f.open(QIODevice::ReadOnly))
        return;
    LoadFromStream(&f);
}

void THTMLPicture::LoadFromResourceID(int id)
{
    QFile f(QStringLiteral(":/") + QString::number(id));
    if (!f.open(QIODevice::ReadOnly))
        throw EHTMLPictureError("Resource " + std::to_string(id) + " not found");
    LoadFromStream(&f);
}

void THTMLPicture::LoadFromURL(const QString &url)
{
    const QString upper = UpperCase(url);
    if (upper.startsWith(u"RES://")) {
        ID = url;
        const QString rest = url.mid(6);
        if (!rest.isEmpty())
            LoadFromResourceName(rest);
    } else if (upper.startsWith(u"FILE://")) {
        ID = url;
        const QString rest = url.mid(7);
        if (!rest.isEmpty())
            LoadFromFile(rest);
    } else if (!Asynch) {
        FDownloadAddress = url;
        ID = url;
    } else if (!FBusy) {
        // Pictures are never downloaded: the address is recorded and the picture stays empty.
        FDownloadAddress = url;
        FBusy = true;
    }
}

bool THTMLPicture::IsGIF() const
{
    return FData.size() >= 5 && FData.startsWith("GIF8");
}

int THTMLPicture::FrameCount()
{
    if (FFrameCount >= 0)
        return FFrameCount;
    if (!IsGIF())
        return -1;
    int n = 0;
    for (qsizetype j = 0; j + 9 < FData.size(); ++j)
        if (IsFramePattern(FData, j))
            ++n;
    FFrameCount = n;
    return n;
}

int THTMLPicture::GetFrameTime(int i)
{
    if (!IsGIF())
        return -1;
    int n = 0;
    for (qsizetype j = 0; j + 8 < FData.size(); ++j) {
        if (!IsFramePattern(FData, j) || ++n != i)
            continue;
        const int packed = uchar(FData[j + 3]);
        FFrameTransparent = packed & 1;
        FFrameDisposal = (packed >> 2) & 7;
        return U16(FData, j + 4);
    }
    return -1;
}

int THTMLPicture::MaxWidth() const
{
    if (FImage.isNull())
        return 0;
    return FAnimWidth != 0 ? FAnimWidth : GetWidth();
}

int THTMLPicture::MaxHeight() const
{
    if (FImage.isNull())
        return 0;
    return FAnimHeight != 0 ? FAnimHeight : GetHeight();
}

void THTMLPicture::SetFrame(int n)
{
    FFrame = n;
    if (!FData.isEmpty()) {
        ShowFrame();
        if (OnFrameChange)
            OnFrameChange();
    }
}

void THTMLPicture::FrameNext()
{
    FFrame = FFrame < FFrameCount ? FFrame + 1 : 1;
}

void THTMLPicture::FramePrev()
{
    // Without known frames there is no last one to wrap to.
    FFrame = FFrame > 1 ? FFrame - 1 : std::max(1, FFrameCount);
}

bool THTMLPicture::Step()
{
    if (FFrameCount < 2 || FEmpty)
        return false;
    if (FNextFrameTime == -1)
        FNextFrameTime = GetFrameTime(FFrame);
    bool changed = false;
    if (FTickCount * 10 >= FNextFrameTime) {
        FrameNext();
        ShowFrame();
        FNextFrameTime += GetFrameTime(FFrame);
        changed = true;
    }
    ++FTickCount;
    return changed;
}

// A frame change runs from the grid's animation timer and from Assign: a frame that cannot
// be decoded (a damaged or cut GIF) shows nothing instead of throwing there.
void THTMLPicture::ShowFrame()
{
    try {
        CreateOlePicture();
    } catch (const EHTMLPictureError &) {
        FImage = QImage();
    }
}

// Decodes the current frame. For a GIF the frames before it are left out of the bytes
// handed to the decoder, so the decoder's first image is that frame; it is cut to the
// frame's own rectangle, which is drawn at FrameXPos, FrameYPos of the animation area.
void THTMLPicture::CreateOlePicture()
{
    FrameXPos = FrameYPos = 0;
    FAnimWidth = FAnimHeight = 0;
    QByteArray bytes;
    const bool animated = IsGIF() && FrameCount() > 0;
    if (animated) {
        FAnimWidth = U16(FData, 6);
        FAnimHeight = U16(FData, 8);
        bytes.reserve(FData.size());
        int k = 1;
        bool skipping = false;
        for (qsizetype j = 0; j < FData.size(); ++j) {
            if (uchar(FData[j]) == 0x21 && j + 9 < FData.size() && IsFramePattern(FData, j)) {
                if (FFrame == k) {
                    FrameXPos = U16(FData, j + 9);
                    FrameYPos = U16(FData, j + 11);
                    FFrameWidth = U16(FData, j + 13);
                    FFrameHeight = U16(FData, j + 15);
                }
                ++k;
                skipping = FFrame >= k;
            }
            if (!skipping)
                bytes.append(FData[j]);
        }
    } else {
        bytes = FData;
    }
    FImage = QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage img = reader.read();
    if (img.isNull())
        throw EHTMLPictureError("Could not load image. Invalid format");
    if (animated && img.size() == QSize(FAnimWidth, FAnimHeight) && FFrameWidth > 0 &&
        FFrameHeight > 0) {
        const QRect frame = QRect(FrameXPos, FrameYPos, FFrameWidth, FFrameHeight) & img.rect();
        if (!frame.isEmpty())
            img = img.copy(frame);
    }
    FImage = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

THTMLPicture *THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture *THTMLPictureCache::FindPicture(const QString &id) const
{
    for (const auto &p : FItems)
        if (p->ID == id)
            return p.get();
    return nullptr;
}

THTMLPicture *THTMLPictureCache::GetPicture(int index) const
{
    return index >= 0 && index < Count() ? FItems[size_t(index)].get() : nullptr;
}

std::unique_ptr<THTMLPicture> THTMLPictureCache::SetPicture(int index,
                                                            std::unique_ptr<THTMLPicture> picture)
{
    if (index < 0 || index >= Count())
        return picture;
    std::swap(FItems[size_t(index)], picture);
    return picture;
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto &p : FItems)
        changed |= p->Step();
    return changed;
}

void TPictureItem::Assign(const TPictureItem &source)
{
    Name = source.Name;
    Tag = source.Tag;
    FPicture->Assign(source.FPicture.get());
}

TPictureItem *TPictureCollection::Add()
{
    FItems.push_back(std::make_unique<TPictureItem>());
    return FItems.back().get();
}

TPictureItem *TPictureCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    return FItems.insert(FItems.begin() + index, std::make_unique<TPictureItem>())->get();
}

TPictureItem *TPictureCollection::Items(int index) const
{
    return index >= 0 && index < Count() ? FItems[size_t(index)].get() : nullptr;
}

void TPictureCollection::SetItems(int index, const TPictureItem &value)
{
    if (TPictureItem *item = Items(index))
        item->Assign(value);
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (const auto &item : FItems)
        changed |= item->Picture()->Step();
    return changed;
}

THTMLPicture *TPictureContainer::FindPicture(const QString &name) const
{
    const QString upper = UpperCase(name);
    for (int i = 0; i < FItems->Count(); ++i) {
        TPictureItem *item = FItems->Items(i);
        if (UpperCase(item->Name) == upper)
            return item->Picture();
    }
    return nullptr;
}
