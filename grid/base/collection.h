#pragma once
// TCollection: an owned, ordered list of items of one class (made by the collection's item
// factory), each knowing its collection, index and unique ID. Adding, removing, moving and
// item changes reach the virtual Update (one call per BeginUpdate ... EndUpdate block).
#include "grid/base/classes.h"

#include <functional>
#include <vector>

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent
{
public:
    // Joins Collection (when given) at its end.
    explicit TCollectionItem(TCollection *Collection = nullptr);
    ~TCollectionItem() override;   // leaves its collection
    TCollectionItem(const TCollectionItem &) = delete;
    TCollectionItem &operator=(const TCollectionItem &) = delete;

    TCollection *Collection() const { return FCollection; }
    void SetCollection(TCollection *Value);   // moves to the end of another collection
    int Index() const;                        // -1 outside a collection
    virtual void SetIndex(int Value);         // moves the item within its collection
    int ID() const { return FID; }
    virtual QString DisplayName() const;      // the class name unless overridden

protected:
    // The item's state changed: Update(this), or Update(nullptr) when AllItems.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection *FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent
{
public:
    using TItemFactory = std::function<TCollectionItem *(TCollection *Collection)>;
    // Factory makes one item joined to the collection (new T(Collection)).
    explicit TCollection(TItemFactory Factory, TPersistent *Owner = nullptr);
    ~TCollection() override;   // frees its items
    TCollection(const TCollection &) = delete;
    TCollection &operator=(const TCollection &) = delete;

    int Count() const { return int(FItems.size()); }
    // An index out of range throws std::out_of_range ("List index out of bounds (n)").
    TCollectionItem *Items(int Index) const;
    TCollectionItem *Add();
    TCollectionItem *Insert(int Index);
    void Delete(int Index);
    void Clear();
    void Exchange(int Index1, int Index2);
    TCollectionItem *FindItemID(int ID) const;
    TPersistent *Owner() const { return FOwner; }

    void BeginUpdate();
    void EndUpdate();   // the outermost one calls Update(nullptr)
    int UpdateCount() const { return FUpdateCount; }

    // Rebuilds the items as copies (Assign) of another collection's items.
    void Assign(const TPersistent *Source) override;

protected:
    // Item changed (nullptr: the collection as a whole). Not called inside an update.
    virtual void Update(TCollectionItem *Item);
    virtual void Notify(TCollectionItem *Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem *Item);
    void RemoveItem(TCollectionItem *Item);
    void MoveItem(TCollectionItem *Item, int NewIndex);

    TItemFactory FFactory;
    TPersistent *FOwner;
    std::vector<TCollectionItem *> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};

// A collection of items of class T (T derives from TCollectionItem and is made as
// new T(Collection)).
template <class T>
class TCollectionOf : public TCollection
{
public:
    explicit TCollectionOf(TPersistent *Owner = nullptr)
        : TCollection([](TCollection *c) -> TCollectionItem * { return new T(c); }, Owner)
    {
    }
    T *Add() { return static_cast<T *>(TCollection::Add()); }
    T *Insert(int Index) { return static_cast<T *>(TCollection::Insert(Index)); }
    T *Items(int Index) const { return static_cast<T *>(TCollection::Items(Index)); }
};
