#include "grid/base/collection.h"

#include <QString>
#include <algorithm>
#include <stdexcept>

// ---------------------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection *Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection *Value)
{
    if (Value == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto &items = FCollection->FItems;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    if (FCollection && Value != Index())
        FCollection->MoveItem(this, Value);
}

QString TCollectionItem::DisplayName() const
{
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------------------
// TCollection

TCollection::TCollection(TItemFactory Factory, TPersistent *Owner)
    : FFactory(std::move(Factory)), FOwner(Owner)
{
}

TCollection::~TCollection()
{
    FUpdateCount = 1;   // no notifications while going
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem *TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw std::out_of_range(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    return FItems[size_t(Index)];
}

TCollectionItem *TCollection::Add()
{
    TCollectionItem *item = FFactory(this);
    if (item->FCollection != this)
        item->SetCollection(this);
    return item;
}

TCollectionItem *TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw std::out_of_range(QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    BeginUpdate();
    TCollectionItem *item = nullptr;
    try {
        item = Add();
        item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem *item = Items(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        Delete(Count() - 1);
    EndUpdate();
}

void TCollection::Exchange(int Index1, int Index2)
{
    Items(Index1);   // range checks
    Items(Index2);
    std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
    Changed();
}

TCollectionItem *TCollection::FindItemID(int ID) const
{
    for (TCollectionItem *item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem *) {}

void TCollection::Notify(TCollectionItem *, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem *Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem *Item)
{
    Notify(Item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end())
        FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem *Item, int NewIndex)
{
    NewIndex = std::clamp(NewIndex, 0, Count() - 1);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    FItems.insert(FItems.begin() + NewIndex, Item);
    Changed();
}

void TCollection::Assign(const TPersistent *Source)
{
    const auto *other = dynamic_cast<const TCollection *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem *item : other->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
