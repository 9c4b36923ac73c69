#include "grid/string/sortsettings.h"

#include "grid/string/dazstringgrid.h"
#include "platform/rtl.h"

namespace {

TDazStringGrid *GridOf(TObject *Owner)
{
    return dynamic_cast<TDazStringGrid *>(Owner);
}

}   // namespace

void TSortSettings::SetRow(int Value)
{
    if (TDazStringGrid *g = GridOf(FGrid); g && Value > g->FixedRows())
        throw std::runtime_error("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

QString TSortSettings::SaveToString() const
{
    if (FIndexShow) {
        const TDazStringGrid *g = GridOf(FGrid);
        return QStringLiteral("i;") +
               (g ? const_cast<TDazStringGrid *>(g)->SortIndexes().SaveToString() : QString());
    }
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) +
           QString::number(FColumn);
}

void TSortSettings::LoadFromString(const QString &Value)
{
    if (Value.isEmpty())
        return;
    SetShow(true);
    if (Value.size() < 2)
        throw std::runtime_error("Invalid sort settings specifier");
    TDazStringGrid *g = GridOf(FGrid);
    if (Value.contains(QLatin1String("i;"))) {
        FIndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty() && g) {
            g->SortIndexes().LoadFromString(rest);
            g->QSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = Value.contains(u'u') ? sdAscending : sdDescending;
    int column = 0;
    if (TryStrToInt(Value.mid(1), column)) {
        FColumn = column;
        if (g)
            g->QSort();
    }
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (TDazStringGrid *g = GridOf(FGrid)) {
        g->SortIndexes().Clear();
        if (g->FixedRows() > 0)
            g->RepaintRow(g->FixedRows() - 1);
    }
}

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
