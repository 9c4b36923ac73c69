#include "grid/string/cellgraphic.h"

#include "grid/base/gridadapters.h"
#include "grid/base/intlist.h"
#include "grid/string/bitmap.h"
#include "platform/rtl.h"

#include <algorithm>

TCellGraphic::~TCellGraphic()
{
    switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (CellCreated)
            delete CellBitmap;
        break;
    case ctImages:
    case ctBalloon:
        delete CellBitmap;
        break;
    case ctIcon:
        if (CellCreated)
            delete CellIcon;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        if (CellAngle == 1)
            delete CellBitmap;
        break;
    default:
        break;
    }
}

void TCellGraphic::SetBitmap(TBitmap *ABmp, bool Transparent, TCellHAlign HAlign,
                             TCellVAlign VAlign)
{
    CellType = ctBitmap;
    CellBitmap = ABmp;
    SetAlign(HAlign, VAlign);
    CellTransparent = Transparent;
}

void TCellGraphic::SetPictureCell(TCellType Type, TObject *APicture, bool Transparent,
                                  TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                                  TCellVAlign VAlign)
{
    CellType = Type;
    CellBitmap = APicture;
    SetAlign(HAlign, VAlign);
    CellTransparent = Transparent;
    CellAngle = StretchMode;
    CellIndex = Padding;
}

void TCellGraphic::SetPicture(TPicture *APicture, bool Transparent, TStretchMode StretchMode,
                              int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    SetPictureCell(ctPicture, APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

void TCellGraphic::SetFilePicture(TFilePicture *APicture, bool Transparent,
                                  TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                                  TCellVAlign VAlign)
{
    SetPictureCell(ctFilePicture, APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

void TCellGraphic::SetIcon(TIcon *AIcon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctIcon;
    CellIcon = AIcon;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetImageIdx(int Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctImageList;
    CellIndex = Idx;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetDataImage(int Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctDataImage;
    CellIndex = Idx;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetMultiImage(int ACol, int ARow, bool Horizontal, TCellHAlign HAlign,
                                 TCellVAlign VAlign, const TImageChangeEvent &OnChange)
{
    auto *list = new TIntList(ACol, ARow);
    list->OnChange = OnChange;
    CellType = ctImages;
    CellBoolean = !Horizontal;
    SetAlign(HAlign, VAlign);
    CellBitmap = list;
    CellCreated = true;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign,
                               TCellVAlign VAlign)
{
    CellType = Data ? ctDataCheckBox : ctCheckBox;
    CellAngle = 0;
    CellBoolean = Value;
    SetAlign(HAlign, VAlign);
    CellTransparent = Flat;
}

void TCellGraphic::SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign,
                               TCellVAlign VAlign)
{
    CellType = ctTriStateCheckBox;
    CellCheckBoxState = State;
    CellBoolean = false;
    SetAlign(HAlign, VAlign);
    CellTransparent = Flat;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctRadioButton;
    CellAngle = 0;
    CellBoolean = Value;
    SetAlign(HAlign, VAlign);
    CellTransparent = Flat;
}

void TCellGraphic::SetButton(int Width, int Height, const QString &Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign)
{
    CellType = ctButton;
    CellIndex = int32_t((uint32_t(Height) << 16) | (uint32_t(Width) & 0xFFFFu));
    CellBoolean = false;
    CellText = Caption;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetBitButton(int Width, int Height, const QString &Caption, TBitmap *Glyph,
                                TCellHAlign HAlign, TCellVAlign VAlign)
{
    SetButton(Width, Height, Caption, HAlign, VAlign);
    CellType = ctBitButton;
    CellBitmap = Glyph;
}

void TCellGraphic::SetAngle(int AAngle)
{
    CellType = ctRotated;
    if (AAngle > 360)
        AAngle = (AAngle - 1) % 360 + 1;
    else if (AAngle < 0 && (AAngle %= 360) < 0)
        AAngle += 360;
    CellAngle = AAngle;
}

void TCellGraphic::SetInterfacedCell(TObject *AObject)
{
    CellType = ctInterface;
    CellBitmap = AObject;
}

void TCellGraphic::GetPictureSize(int AvailWidth, int AvailHeight, bool, QSize &Size) const
{
    if (CellType != ctPicture && CellType != ctFilePicture)
        return;
    int w = 0, h = 0;
    if (const auto *g = dynamic_cast<const TGraphic *>(CellBitmap)) {
        w = g->Width();
        h = g->Height();
    } else if (const auto *f = dynamic_cast<const TFilePicture *>(CellBitmap)) {
        w = f->Width();
        h = f->Height();
    }
    const int aw = AvailWidth - CellIndex;
    const int ah = AvailHeight - CellIndex;
    const auto withAspect = [&](bool shrinkOnly) {
        double rw = w > 0 ? double(aw) / w : 1.0;
        double rh = h > 0 ? double(ah) / h : 1.0;
        if (shrinkOnly) {
            rw = std::min(rw, 1.0);
            rh = std::min(rh, 1.0);
        }
        return rw >= rh ? QSize(int(Round(w * rh)), ah) : QSize(aw, int(Round(h * rw)));
    };
    switch (CellAngle) {
    case Stretch:
        Size = QSize(aw, ah);
        break;
    case Shrink:
        Size = (w > aw || h > ah) ? QSize(aw, ah) : QSize(w, h);
        break;
    case StretchWithAspectRatio:
        Size = withAspect(false);
        break;
    case ShrinkWithAspectRatio:
        Size = (w <= aw && h <= ah) ? QSize(w, h) : withAspect(true);
        break;
    default:
        Size = QSize(w, h);
        break;
    }
}

void TCellGraphic::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TCellGraphic *>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    CellType = src->CellType;
    CellVAlign = src->CellVAlign;
    CellHAlign = src->CellHAlign;
    CellIndex = src->CellIndex;
    CellTransparent = src->CellTransparent;
    CellCreated = src->CellCreated;
    CellBoolean = src->CellBoolean;
    CellCheckBoxState = src->CellCheckBoxState;
    CellAngle = src->CellAngle;
    CellValue = src->CellValue;
    CellErrFrom = src->CellErrFrom;
    CellErrLen = src->CellErrLen;
    CellText = src->CellText;
}
