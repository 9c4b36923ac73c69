#include "grid/base/gridadapters.h"

#include <QImage>
#include <QImageReader>

// --- TControlList ----------------------------------------------------------------------

void TControlList::AddControl(int X, int Y, QWidget *AObject)
{
    FItems.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->X() == X && FItems[size_t(i)]->Y() == Y)
            return i;
    return -1;
}

TControlItem *TControlList::GetControl(int i) const
{
    return i >= 0 && i < Count() ? FItems[size_t(i)].get() : nullptr;
}

void TControlList::RemoveControl(int i)
{
    if (i >= 0 && i < Count())
        FItems.erase(FItems.begin() + i);
}

bool TControlList::HasHandle(const QWidget *Handle) const
{
    if (!Handle)
        return false;
    for (const auto &item : FItems)
        if (item->Control() == Handle)
            return true;
    return false;
}

// --- TFileStringList -------------------------------------------------------------------

void TFileStringList::Reset()
{
    FPos = 0;
    FCache.clear();
}

void TFileStringList::ReadLn(QString &S)
{
    S = Strings(FPos);
    ++FPos;
}

void TFileStringList::Write(const QString &S)
{
    FCache += S;
}

void TFileStringList::WriteLn(const QString &S)
{
    Add(FCache + S);
    FCache.clear();
}

// --- TFilePicture ----------------------------------------------------------------------

namespace {

QImage ReadPicture(const QString &FileName)
{
    QImageReader reader(FileName);
    QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("Cannot load picture %1: %2")
                                  .arg(FileName, reader.errorString())
                                  .toStdString());
    return image;
}

}   // namespace

void TFilePicture::SetFilename(const QString &Value)
{
    const QImage image = ReadPicture(Value);
    FFilename = Value;
    FWidth = image.width();
    FHeight = image.height();
}

void TFilePicture::DrawPicture(TCanvas &Canvas, const TRect &Rect) const
{
    if (FFilename.isEmpty())
        return;
    const QImage image(FFilename);
    if (!image.isNull())
        Canvas.StretchDraw(Rect, image);
}

void TFilePicture::Assign(const TPersistent *Source)
{
    if (const auto *s = dynamic_cast<const TFilePicture *>(Source)) {
        FFilename = s->FFilename;
        FWidth = s->FWidth;
        FHeight = s->FHeight;
    }
}
