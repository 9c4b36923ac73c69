#include "grid/string/filter.h"

void TFilterData::Assign(const TPersistent *Source)
{
    if (!Source)
        return;
    const auto *src = dynamic_cast<const TFilterData *>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    FColumn = src->FColumn;
    FCondition = src->FCondition;
    FCaseSensitive = src->FCaseSensitive;
    FData = src->FData;
    FPrefix = src->FPrefix;
    FSuffix = src->FSuffix;
    FOperation = src->FOperation;
    FMethod = src->FMethod;
}

TFilterData *TFilter::Add()
{
    TFilterData *item = TCollectionOf<TFilterData>::Add();
    item->SetOperation(Count() == 1 ? foNONE : foAND);
    return item;
}

TFilterData *TFilter::Insert(int Index)
{
    return TCollectionOf<TFilterData>::Insert(Index);
}

TFilterData *TFilter::ColumnFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col)
            return Items(i);
    TFilterData *item = Add();
    item->SetColumn(Col);
    return item;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column() == Col)
            Delete(i);
    if (OnColumnChange)
        OnColumnChange(Col);
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col)
            return true;
    return false;
}

TFilterDropDown::TFilterDropDown()
{
    const TNotifyEvent changed = [this](TObject *) {
        if (OnChange)
            OnChange(this);
    };
    FGlyph.OnChange = changed;
    FGlyphActive.OnChange = changed;
}

void TFilterDropDown::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TFilterDropDown *>(Source);
    if (!src)
        return;
    FColor = src->FColor;
    FColumnWidth = src->FColumnWidth;
    FFont.Assign(&src->FFont);
    FHeight = src->FHeight;
    FWidth = src->FWidth;
    FGlyph.Assign(&src->FGlyph);
    FGlyphActive.Assign(&src->FGlyphActive);
}
