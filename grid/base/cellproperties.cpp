#include "grid/base/cellproperties.h"

#include "grid/base/basegrid.h"

TCellProperties::TCellProperties(TBaseGrid *AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow),
      FWordWrap(AOwner ? AOwner->WordWrap() : true)
{
    if (AOwner)
        AOwner->FHasCellProps = true;
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return TPoint(ACol - FCellSpanX, ARow - FCellSpanY);
    return TPoint(ACol, ARow);
}

void TCellProperties::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TCellProperties *>(Source);
    if (!s || s == this)
        return;
    FIsBaseCell = s->FIsBaseCell;
    FCellSpanX = s->FCellSpanX;
    FCellSpanY = s->FCellSpanY;
    FOwnerRow = s->FOwnerRow;
    FOwnerCol = s->FOwnerCol;
    FObject = s->FObject;
    FAlignment = s->FAlignment;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FBrushColor = s->FBrushColor;
    FBrushStyle = s->FBrushStyle;
    FFontColor = s->FFontColor;
    FFontStyle = s->FFontStyle;
    FFontName = s->FFontName;
    FFontSize = s->FFontSize;
    FReadOnly = s->FReadOnly;
    FEditor = s->FEditor;
    FVAlignment = s->FVAlignment;
    FWordWrap = s->FWordWrap;
    FNodeLevel = s->FNodeLevel;
    FControl = s->FControl;
}

void TCellProperties::RepaintOwnerCell()
{
    if (FOwnerGrid)
        FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
    FBrushColorTo = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RepaintOwnerCell();
}
