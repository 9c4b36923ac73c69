// TDazStringGrid: the store of cell graphics (one TCellGraphic per cell, kept in the cell's
// record), the Add / query / Remove operations of each kind, and the space a graphic takes
// in its cell on screen and on paper.
#include "grid/string/dazstringgrid.h"

#include "grid/base/imagelist.h"
#include "grid/base/textroutines.h"

#include <QFontMetrics>
#include <cmath>

namespace {

int Lo16(int v) { return v & 0xFFFF; }
int Hi16(int v) { return (v >> 16) & 0xFFFF; }

// A button shares its cell with the text: beside a text it takes no height, under or above
// it no width, and a full-width button is as wide as its caption.
void ButtonGraphicSize(const TCellGraphic &g, bool HasText, const QFontMetrics &Fm, int &w,
                       int &h)
{
    const bool stackText = g.CellVAlign == vaUnderText || g.CellVAlign == vaAboveText;
    w = Lo16(g.CellIndex);
    h = Hi16(g.CellIndex);
    if (HasText) {
        if (g.CellHAlign == haCenter || stackText)
            w = 0;
        else if (g.CellHAlign == haFull)
            w = Fm.horizontalAdvance(g.CellText) + 4;
        if (!stackText)
            h = 0;
    } else if (g.CellHAlign == haFull) {
        w = Fm.horizontalAdvance(g.CellText) + 4;
    }
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Store and queries
// ---------------------------------------------------------------------------------------

TCustomImageList *TDazStringGrid::GetCellImageList(int, int) { return FGridImages; }

TPoint TDazStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    TPoint size;
    CalcCellGraphicSize(ACol, ARow, size, 0);
    return size;
}

bool TDazStringGrid::CellTypeInSet(int ACol, int ARow, TSet<TCellType> Kinds)
{
    if (ACol < 0 || ARow < 0)
        return false;
    int bc = ACol, br = ARow;
    if (HasCellProps())
        ResolveBaseCell(ACol, ARow, bc, br);
    const TCellGraphic *g = GetCellGraphic(bc, br);
    return g && Kinds.Contains(g->CellType);
}

TIntList *TDazStringGrid::CellImages(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImages ? dynamic_cast<TIntList *>(g->CellBitmap) : nullptr;
}

intptr_t TDazStringGrid::GetCellImageKey(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return -1;
    switch (g->CellType) {
    case ctBitmap:
        return reinterpret_cast<intptr_t>(g->CellBitmap);
    case ctIcon:
        return reinterpret_cast<intptr_t>(g->CellIcon);
    case ctImageList:
        return g->CellIndex;
    default:
        return -1;
    }
}

TCellGraphic *TDazStringGrid::NewGraphicFor(int ACol, int ARow)
{
    return CreateCellGraphic(ACol, ARow);
}

// ---------------------------------------------------------------------------------------
// Kinds
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AddBitmap(int ACol, int ARow, TBitmap *ABmp, bool Transparent,
                               TCellHAlign hal, TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap *TDazStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal,
                                      TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    auto *bmp = new TBitmap;
    g->SetBitmap(bmp, Transparent, hal, val);
    g->CellCreated = true;
    return bmp;
}

TBitmap *TDazStringGrid::GetBitmap(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? dynamic_cast<TBitmap *>(g->CellBitmap) : nullptr;
}

void TDazStringGrid::AddPicture(int ACol, int ARow, TPicture *APicture, bool Transparent,
                                TStretchMode StretchMode, int Padding, TCellHAlign hal,
                                TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TPicture *TDazStringGrid::CreatePicture(int ACol, int ARow, bool Transparent,
                                        TStretchMode StretchMode, int Padding, TCellHAlign hal,
                                        TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    auto *pic = new TPicture;
    g->SetPicture(pic, Transparent, StretchMode, Padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TPicture *TDazStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? dynamic_cast<TPicture *>(g->CellBitmap) : nullptr;
}

void TDazStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture,
                                    bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)
        ->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture *TDazStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent,
                                                TStretchMode StretchMode, int Padding,
                                                TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    auto *pic = new TFilePicture;
    g->SetFilePicture(pic, Transparent, StretchMode, Padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TFilePicture *TDazStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture *>(g->CellBitmap)
                                             : nullptr;
}

void TDazStringGrid::AddIcon(int ACol, int ARow, TIcon *AIcon, TCellHAlign hal,
                             TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon *TDazStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    auto *icon = new TIcon;
    g->SetIcon(icon, hal, val);
    g->CellCreated = true;
    return icon;
}

void TDazStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal,
                                 TCellVAlign val)
{
    if (!FGridImages)
        return;
    NewGraphicFor(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TDazStringGrid::GetImageIdx(int ACol, int ARow, int &idx)
{
    if (!FGridImages || GetCellType(ACol, ARow) != ctImageList)
        return false;
    idx = GetCellGraphic(ACol, ARow)->CellIndex;
    return true;
}

void TDazStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (FGridImages && GetCellType(ACol, ARow) == ctImageList)
        GetCellGraphic(ACol, ARow)->CellIndex = Idx;
}

void TDazStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal,
                                  TCellVAlign val)
{
    if (!FGridImages)
        return;
    NewGraphicFor(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty())
        SetInts(ACol, ARow, Aidx);
}

void TDazStringGrid::RemoveDataImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    SetCells(ACol, ARow, QString());
}

void TDazStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal,
                                   TCellVAlign val)
{
    if (!FGridImages)
        return;
    // The graphic keeps "side by side" as its flag.
    NewGraphicFor(ACol, ARow)
        ->SetMultiImage(ACol, ARow, Dir != 0, hal, val,
                        [this](TObject *Sender, int c, int r) { CellImagesChanged(Sender, c, r); });
}

void TDazStringGrid::CellImagesChanged(TObject *, int ACol, int ARow)
{
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressEx(ACol, ARow, FGColor, clNone, BKColor, clNone);
    if (TCellGraphic *g = GetCellGraphic(ACol, ARow))
        g->CellBoolean = false;
}

void TDazStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                   TColor BKColor, TColor BKTextColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, QString(), 0,
                         100);
}

void TDazStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor,
                                          TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const QString &Fmt, int Min,
                                          int Max)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctProgress;
    // Colours are kept as values in the reference fields' places.
    g->CellVar = QVariant::fromValue(QList<uint>{uint(FGColor), uint(BKColor)});
    g->CellIndex = int32_t(FGTextColor);
    g->CellAngle = int32_t(BKTextColor);
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellText = Fmt;
    g->CellBoolean = true;
    if (AutoNumAlign())
        PropsFor(ACol, ARow)->SetAlignment(taRightJustify);
}

void TDazStringGrid::AddDazProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctXPProgress;
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
}

void TDazStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctProgressPie;
    g->CellVar = QVariant::fromValue(uint(Color));
    g->CellAngle = Value;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaTop;
}

void TDazStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    if (GetCellType(ACol, ARow) != ctProgressPie)
        return;
    GetCellGraphic(ACol, ARow)->CellAngle = Value;
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor,
                                       TColor PosColor, bool ShowValue)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctRangeIndicator;
    g->CellIndex = Range;
    g->CellVar = QVariant::fromValue(QList<uint>{uint(NegColor), uint(PosColor)});
    g->CellBoolean = ShowValue;
}

void TDazStringGrid::AddComment(int ACol, int ARow, const QString &Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook.CommentColor());
}

void TDazStringGrid::AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctComment;
    g->CellText = Comment;
    g->CellIndex = int32_t(Color);
}

bool TDazStringGrid::IsComment(int ACol, int ARow, QString &Comment)
{
    if (GetCellType(ACol, ARow) != ctComment)
        return false;
    Comment = GetCellGraphic(ACol, ARow)->CellText;
    return true;
}

QString TDazStringGrid::CellComment(int ACol, int ARow)
{
    QString c;
    IsComment(ACol, ARow, c);
    return c;
}

void TDazStringGrid::SetCellComment(int ACol, int ARow, const QString &Value)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (t == ctComment) {
        GetCellGraphic(ACol, ARow)->CellText = Value;
        RepaintRealCell(ACol, ARow);
    } else if (t == ctEmpty && !GetCellGraphic(ACol, ARow)) {
        AddComment(ACol, ARow, Value);
    }
}

void TDazStringGrid::RemoveAllComments()
{
    if (!HasCellProps())
        return;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveComment(c, r);
}

void TDazStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor,
                              TColor LineColor, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctShape;
    g->CellAngle = int32_t(Shape);
    g->CellIndex = int32_t(FillColor);
    g->CellVar = QVariant::fromValue(uint(LineColor));
    g->CellHAlign = hal;
    g->CellVAlign = val;
}

void TDazStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (GetCellType(ACol, ARow) == ctShape)
        GetCellGraphic(ACol, ARow)->CellIndex = int32_t(FillColor);
}

TColor TDazStringGrid::GetShapeColor(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctShape ? TColor(GetCellGraphic(ACol, ARow)->CellIndex)
                                              : clNone;
}

void TDazStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor,
                               TColor EmptyColor)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctRating;
    g->CellAngle = Scale;
    g->CellIndex = int32_t(FillColor);
    g->CellVar = QVariant::fromValue(uint(EmptyColor));
    g->CellHAlign = haFull;
}

void TDazStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctScrollbar;
    g->CellAngle = 0;
    g->CellErrFrom = 100;
    g->CellIndex = 0;
    g->CellBoolean = AutoRange;
    if (AutoRange)
        CellTextChanged(ACol, ARow);
}

bool TDazStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellType(ACol, ARow) == ctScrollbar ? GetCellGraphic(ACol, ARow)
                                                                    : nullptr;
    return g && g->CellBoolean;
}

// The graphic of kind Kind that the cell shows: a merged cell's comes from its base cell.
TCellGraphic *TDazStringGrid::BaseGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic *g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == Kind ? g : nullptr;
}

void TDazStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    if (!g)
        return;
    g->CellIndex = Pos;
    const TPoint b = BaseCell(ACol, ARow);
    RepaintRealCell(b.X, b.Y);
}

int TDazStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    return g ? g->CellIndex : -1;
}

void TDazStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    if (TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctScrollbar)) {
        g->CellAngle = Prop.PageSize;
        g->CellErrFrom = Prop.Range;
    }
}

TScrollProp TDazStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    return g ? TScrollProp{g->CellAngle, g->CellErrFrom} : TScrollProp{};
}

void TDazStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = NewGraphicFor(ACol, ARow);
        g->CellType = ctEmpty;
    }
    g->CellErrFrom = ErrPos;
    g->CellErrLen = ErrLen;
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (const TCellGraphic *g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom;
        ErrLen = g->CellErrLen;
    }
}

void TDazStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->CellErrFrom = 0;
    g->CellErrLen = 0;
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::RemoveAllMarkers()
{
    if (!HasCellProps())
        return;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveMarker(c, r);
}

void TDazStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption,
                               TCellHAlign hal, TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TDazStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption,
                                  TBitmap *Glyph, TCellHAlign hal, TCellVAlign val)
{
    NewGraphicFor(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap *TDazStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh,
                                         const QString &Caption, TCellHAlign hal,
                                         TCellVAlign val)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    auto *glyph = new TBitmap;
    g->SetBitButton(bw, bh, Caption, glyph, hal, val);
    g->CellCreated = true;
    return glyph;
}

void TDazStringGrid::SetButtonText(int ACol, int ARow, const QString &Caption)
{
    if (TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow)) {
        g->CellText = Caption;
        RepaintCell(ACol, ARow);
    }
}

QString TDazStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g ? g->CellText : QString();
}

void TDazStringGrid::PushButton(int ACol, int ARow, bool Push)
{
    TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || g->CellType == ctNode)
        return;
    g->CellBoolean = Push;
    RepaintCell(ACol, ARow);
}

bool TDazStringGrid::RemoveButton(int ACol, int ARow)
{
    return RemoveCellGraphicOfType(ACol, ARow, ctButton) ||
           RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TDazStringGrid::RemoveAllButtons()
{
    if (!HasCellProps())
        return;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (HasButton(c, r))
                RemoveButton(c, r);
}

void TDazStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic *g = NewGraphicFor(ACol, ARow);
    g->CellType = ctExpand;
    g->CellAngle = ExpandedHeight;
    g->CellIndex = ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
    g->CellVar = false;
}

bool TDazStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctExpand);
    if (!g)
        return false;
    g->CellVar = !g->CellVar.toBool();
    return g->CellVar.toBool();
}

bool TDazStringGrid::GetExpandState(int ACol, int ARow)
{
    const TCellGraphic *g = BaseGraphicOfType(ACol, ARow, ctExpand);
    return g && g->CellVar.toBool();
}

int TDazStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    if (ACol < 0 || ARow < 0)
        return DefaultRowHeight();
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic *g = GetCellGraphic(b.X, b.Y);
    if (!g)
        return DefaultRowHeight();
    return Expanded ? g->CellAngle : g->CellIndex;
}

void TDazStringGrid::AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text,
                                TBalloonIcon Icon)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    auto makeList = [&] {
        auto *list = new TStringList;
        list->Add(Title);
        list->Add(Text);
        return list;
    };
    if (g && (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox ||
              g->CellType == ctRadioButton)) {
        // A balloon on a check box: the glyph field carries the texts, owned (angle 1).
        if (g->CellAngle == 1)
            delete g->CellBitmap;
        g->CellBitmap = makeList();
        g->CellAngle = 1;
        g->CellIndex = Icon;
        return;
    }
    if (g)
        return;
    g = NewGraphicFor(ACol, ARow);
    g->CellType = ctBalloon;
    g->CellBitmap = makeList();
    g->CellIndex = Icon;
}

bool TDazStringGrid::IsBalloon(int ACol, int ARow, QString &Title, QString &Text,
                               TBalloonIcon &Icon)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    const bool attached = (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox ||
                           g->CellType == ctRadioButton) &&
                          g->CellAngle == 1;
    if (g->CellType != ctBalloon && !attached)
        return false;
    const auto *list = dynamic_cast<const TStringList *>(g->CellBitmap);
    if (!list || list->Count() < 2)
        return false;
    Title = list->Strings(0);
    Text = list->Strings(1);
    Icon = TBalloonIcon(std::clamp(int(g->CellIndex), 0, 3));
    return true;
}

void TDazStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType == ctBalloon) {
        RemoveCellGraphic(ACol, ARow);
    } else if (g->CellAngle == 1 && dynamic_cast<TStringList *>(g->CellBitmap)) {
        delete g->CellBitmap;
        g->CellBitmap = nullptr;
        g->CellAngle = 0;
    }
}

void TDazStringGrid::AddInterfacedCell(int ACol, int ARow, TObject *AObject)
{
    NewGraphicFor(ACol, ARow)->SetInterfacedCell(AObject);
}

TObject *TDazStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctInterface ? GetCellGraphic(ACol, ARow)->CellBitmap
                                                   : nullptr;
}

void TDazStringGrid::AddRotated(int ACol, int ARow, int AAngle, const QString &s)
{
    NewGraphicFor(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TDazStringGrid::SetRotated(int ACol, int ARow, int AAngle)
{
    if (ACol < 0 || ARow < 0)
        return;
    // The cell's own graphic, not a shared check box standing in for it.
    TCellGraphic *g = dynamic_cast<TCellGraphic *>(GetGraphicObjectEx(ACol, ARow));
    if (!g) {
        g = NewGraphicFor(ACol, ARow);
    } else if (g->CellType != ctRotated) {
        // The kind changes in place, but what the old kind owned (an image or balloon
        // list, a glyph, a bitmap the grid made) must go with it rather than leak.
        TCellGraphic keep;
        keep.Assign(g);
        keep.CellCreated = false;
        const QVariant var = g->CellVar;
        g = NewGraphicFor(ACol, ARow);
        g->Assign(&keep);
        g->CellVar = var;
    }
    g->SetAngle(AAngle);
    RepaintRealCell(ACol, ARow);
}

bool TDazStringGrid::IsRotated(int ACol, int ARow, int &aAngle)
{
    if (GetCellType(ACol, ARow) != ctRotated)
        return false;
    aAngle = GetCellGraphic(ACol, ARow)->CellAngle;
    return true;
}

TRect TDazStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g)
        return TRect();
    const TRect cell = TBaseGrid::CellRect(ACol, ARow);
    const int off = int(g->CellValue);
    TRect r = Bounds(cell.Left + Lo16(off), cell.Top + Hi16(off), Lo16(g->CellIndex),
                     Hi16(g->CellIndex));
    if (g->CellHAlign == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    if (g->CellVAlign == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    return r;
}

TRect TDazStringGrid::GetExpandButtonRect(int ACol, int ARow)
{
    if (!BaseGraphicOfType(RealColIndex(ACol), ARow, ctExpand))
        return TRect();
    const TRect cell = TBaseGrid::CellRect(ACol, ARow);
    return TRect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13);
}

bool TDazStringGrid::DoRatingChange(int ACol, int ARow, double &NewRate)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

// ---------------------------------------------------------------------------------------
// Sizes
// ---------------------------------------------------------------------------------------

void TDazStringGrid::FixedGraphicSize(const TCellGraphic &g, const TCustomImageList *images,
                                      int &w, int &h)
{
    switch (g.CellType) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        w = h = FControlLook.CheckSize();
        break;
    case ctRadioButton:
        w = h = FControlLook.RadioSize();
        break;
    case ctProgressPie:
        w = h = 20;
        break;
    case ctRadio:
        if (const auto *items = dynamic_cast<const TStringList *>(g.CellBitmap)) {
            const QFontMetrics fm(Font().ToQFont());
            const int textHeight = fm.height();
            int widest = 0, sum = 0;
            for (int i = 0; i < items->Count(); ++i) {
                const int tw = fm.horizontalAdvance(items->Strings(i));
                widest = std::max(widest, tw);
                sum += tw + 12;
            }
            // CellBoolean: the items side by side.
            w = g.CellBoolean ? sum : 12 + widest;
            h = g.CellBoolean ? textHeight : std::max(16, textHeight) * items->Count();
        }
        break;
    case ctImages:
        if (const auto *list = dynamic_cast<const TIntList *>(g.CellBitmap); list && images) {
            w = g.CellBoolean ? list->Count() * images->Width() : images->Width();
            h = g.CellBoolean ? images->Height() : list->Count() * images->Height();
        }
        break;
    default:
        break;
    }
}

void TDazStringGrid::CalcCellGraphicSize(int ACol, int ARow, TPoint &Size, int Reserve)
{
    Size = TPoint(0, 0);
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    const bool hasText = !Cells(ACol, ARow).isEmpty();
    const bool sideText = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const bool stackText = g->CellVAlign == vaUnderText || g->CellVAlign == vaAboveText;
    const TCustomImageList *images = GetCellImageList(ACol, ARow);
    const QFontMetrics fm(Font().ToQFont());
    const int dcol = DisplColIndex(ACol);
    const TPoint cell = CellSize(dcol, ARow);
    int w = 0, h = 0;
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon: {
        const TGraphic *img = g->CellType == ctBitmap
                                  ? dynamic_cast<const TGraphic *>(g->CellBitmap)
                                  : static_cast<const TGraphic *>(g->CellIcon);
        if (img) {
            w = sideText || !hasText ? img->Width() : 0;
            h = g->CellType == ctIcon || stackText || !hasText ? img->Height() : 0;
        }
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (images) {
            w = sideText || !hasText ? images->Width() : 0;
            h = stackText || !hasText ? images->Height() : 0;
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        QSize s(0, 0);
        g->GetPictureSize(cell.X - CellXMargin() - 1, cell.Y - CellYMargin() - Reserve - 1,
                          hasText, s);
        w = s.width();
        h = s.height();
        break;
    }
    case ctButton:
    case ctBitButton:
        ButtonGraphicSize(*g, hasText, fm, w, h);
        break;
    case ctInterface:
        if (auto *o = dynamic_cast<IGridCellObject *>(g->CellBitmap)) {
            w = o->GetWidth();
            h = o->GetHeight();
            if (w == 0 || h == 0) {
                w = cell.X;
                h = cell.Y;
            }
        }
        break;
    case ctRating:
        w = g->CellAngle * 18;
        h = 16;
        break;
    default:
        FixedGraphicSize(*g, images, w, h);
        break;
    }
    if (g->CellVAlign == vaFull)
        h = cell.Y;
    const bool captionButton = (g->CellType == ctButton || g->CellType == ctBitButton) && !hasText;
    if (g->CellHAlign == haFull && g->CellType != ctRating && !captionButton)
        w = cell.X;
    Size = TPoint(w, h);
}

void TDazStringGrid::CalcCellGraphicPrintSize(int ACol, int ARow, TPoint &Size,
                                              TPoint Available, double Scale)
{
    Size = TPoint(0, 0);
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    const bool hasText = !Cells(ACol, ARow).isEmpty();
    const bool sideText = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const TCustomImageList *images = GetCellImageList(ACol, ARow);
    const TPoint cell = CellSize(DisplColIndex(ACol), ARow);
    int w = 0, h = 0;
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon: {
        const TGraphic *img = g->CellType == ctBitmap
                                  ? dynamic_cast<const TGraphic *>(g->CellBitmap)
                                  : static_cast<const TGraphic *>(g->CellIcon);
        if (img) {
            w = img->Width();
            h = img->Height();
        }
        break;
    }
    case ctDataImage:
        if (images) {
            w = images->Width();
            h = images->Height();
        }
        break;
    case ctImageList:
        if (images) {
            w = sideText || !hasText ? images->Width() : 0;
            h = images->Height();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        QSize s(0, 0);
        g->GetPictureSize(Available.X, Available.Y, hasText, s);
        const double sc = Scale == 0 ? 1.0 : Scale;
        w = int(std::lround(s.width() / sc));
        h = int(std::lround(s.height() / sc));
        break;
    }
    case ctProgress:
    case ctXPProgress:
        w = ColWidths(DisplColIndex(ACol));
        h = RowHeights(ARow);
        break;
    case ctShape:
        w = h = RowHeights(ARow) - 2 * FXYOffset.Y;
        break;
    case ctButton:
    case ctBitButton:
        ButtonGraphicSize(*g, hasText, QFontMetrics(Font().ToQFont()), w, h);
        break;
    case ctInterface:
        if (auto *o = dynamic_cast<IGridCellObject *>(g->CellBitmap)) {
            w = o->GetWidth();
            h = o->GetHeight();
            if (w == 0)
                w = cell.X;
            if (h == 0)
                h = cell.Y;
        }
        break;
    default:
        FixedGraphicSize(*g, images, w, h);
        break;
    }
    Size = TPoint(w, h);
}

