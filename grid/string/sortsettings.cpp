#include "grid/string/sortsettings.h"

void TSortSettings::SetShow(bool Value)
{
    FShow = Value;
    if (OnChange)
        OnChange(this);
}

void TSortSettings::SetHeader(TColor &Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (OnHeaderChange)
        OnHeaderChange(this);
}

void TSortSettings::SetHeaderColor(TColor Value) { SetHeader(FHeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { SetHeader(FHeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) { SetHeader(FHeaderMirrorColor, Value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor Value)
{
    SetHeader(FHeaderMirrorColorTo, Value);
}

void TSortSettings::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TSortSettings *>(Source);
    if (!src)
        return;
    FShow = src->FShow;
    FColumn = src->FColumn;
    FDirection = src->FDirection;
    FInitSortDirection = src->FInitSortDirection;
    FFull = src->FFull;
    FSingleColumn = src->FSingleColumn;
    FIgnoreBlanks = src->FIgnoreBlanks;
    FBlankPos = src->FBlankPos;
    FAutoFormat = src->FAutoFormat;
    FIndexShow = src->FIndexShow;
    FIndexSortKey = src->FIndexSortKey;
    FIndexColor = src->FIndexColor;
    FUpGlyph.Assign(&src->FUpGlyph);
    FDownGlyph.Assign(&src->FDownGlyph);
    FIndexUpGlyph.Assign(&src->FIndexUpGlyph);
    FIndexDownGlyph.Assign(&src->FIndexDownGlyph);
    FNormalCellsOnly = src->FNormalCellsOnly;
    FFixedCols = src->FFixedCols;
    FRow = src->FRow;
    FUndoSort = src->FUndoSort;
    FAutoColumnMerge = src->FAutoColumnMerge;
    FAutoSortForGrouping = src->FAutoSortForGrouping;
    FHeaderColor = src->FHeaderColor;
    FHeaderColorTo = src->FHeaderColorTo;
    FHeaderMirrorColor = src->FHeaderMirrorColor;
    FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
}
