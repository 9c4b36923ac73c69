#pragma once
// The items the pickers and their lists keep: collections whose item setters (never adding
// or deleting) fire the collection's OnChange, and the caption-and-picture item most of
// them share.
#include "grid/base/collection.h"
#include "grid/string/bitmap.h"

class TNotifyingItems : public TCollection
{
public:
    using TCollection::TCollection;
    TNotifyEvent OnChange;
};

template <class T>
class TNotifyingItemsOf : public TNotifyingItems
{
public:
    explicit TNotifyingItemsOf(TPersistent *Owner = nullptr)
        : TNotifyingItems([](TCollection *c) -> TCollectionItem * { return new T(c); }, Owner)
    {
    }
    T *Add() { return static_cast<T *>(TCollection::Add()); }
    T *Insert(int Index) { return static_cast<T *>(TCollection::Insert(Index)); }
    T *Items(int Index) const { return static_cast<T *>(TCollection::Items(Index)); }
};

class TNotifyingItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    bool Enabled() const { return FEnabled; }

protected:
    // Stores a changed value and tells the collection.
    template <class V>
    void SetAndNotify(V &Field, const V &Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        if (auto *items = dynamic_cast<TNotifyingItems *>(Collection()); items && items->OnChange)
            items->OnChange(items);
    }
    bool FEnabled = true;   // changed only by Assign
};

// A mark-up caption, an index into an image list and a picture of its own.
class TCaptionImageItem : public TNotifyingItem
{
public:
    using TNotifyingItem::TNotifyingItem;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value) { SetAndNotify(FCaption, Value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { SetAndNotify(FImageIndex, Value); }
    TPicture &Image() { return FImage; }
    const TPicture &Image() const { return FImage; }
    void SetImage(const TPicture &Value) { FImage.Assign(&Value); }

protected:
    // Caption and index through their setters, the picture and the enabled flag.
    void AssignCaptionImage(const TCaptionImageItem &Source)
    {
        SetCaption(Source.FCaption);
        SetImageIndex(Source.FImageIndex);
        FImage.Assign(&Source.FImage);
        FEnabled = Source.FEnabled;
    }

private:
    QString FCaption;
    int FImageIndex = -1;
    TPicture FImage;
};

// Moves a mark (the hot or the selected cell of a chooser) to Index: a marked cell that
// loses it is unmarked and repainted first.
template <class Repaint>
void MoveMark(int &Mark, int Index, Repaint RepaintCell)
{
    if (Mark >= 0 && Mark != Index) {
        const int old = Mark;
        Mark = -1;
        RepaintCell(old);
    }
    Mark = Index;
}
