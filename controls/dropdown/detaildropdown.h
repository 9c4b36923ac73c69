#pragma once
// TDazDetailDropDown: an editable edit whose drop-down is a one-column list of rich items
// (a picture, a caption line and mark-up notes under it). Typing completes the text from
// the captions; taking an item puts its caption into the edit. The value is the text;
// ItemIndex is the item whose caption was last taken.
#include "controls/dropdown/selectordropdown.h"

class TDetailItem : public TCaptionImageItem
{
public:
    using TCaptionImageItem::TCaptionImageItem;
    // Everything but the notes.
    void Assign(const TPersistent *Source) override;
    QString Notes;   // mark-up
    int Tag = 0;
    TObject *ItemObject = nullptr;   // not owned
};

class TDetailItems : public TNotifyingItemsOf<TDetailItem>
{
public:
    using TNotifyingItemsOf::TNotifyingItemsOf;
    // The first item whose caption equals AValue exactly; -1 for none.
    int IndexOf(const QString &AValue) const;
};

class TDazDetailDropDown : public TDazSelectorDropDown
{
public:
    explicit TDazDetailDropDown(QWidget *Parent = nullptr);

    TDetailItems &Items() { return *FItems; }
    void SetItems(const TDetailItems &Value) { FItems->Assign(&Value); }
    int ItemIndex() const { return FItemIndex; }
    // Another item puts its caption into the edit, selected whole, and fires OnSelect; -1
    // empties the edit without an event.
    void SetItemIndex(int Value);
    bool WorkMode() const { return FWorkMode; }

    int ItemHeight = 22;
    TItemLayout Layout = ilCaptionRight;
    TFont CaptionFont, NotesFont;
    bool MatchCase = false;
    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

    void SetText(const QString &Value) override;
    void DoHideDropDown(bool Cancelled) override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    // The list's item drawing and sizing.
    void DrawDetailItem(TCanvas &Canvas, int Index, TRect R);
    void GetDetailItemSize(QSize &Size);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void SizeDropDownForm() override;
    void Change() override;
    // The framework's key-down step: the completion switch, Enter and Esc taking items.
    void KeyDown(int Key);
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;

    int PickerItemCount() const override { return FItems->Count(); }
    int PickerItemIndex() const override { return FItemIndex; }
    void SetPickerItemIndex(int Index) override { SetItemIndex(Index); }
    void LoadList() override;
    void ListSelect() override;
    void ClosedHomeEnd(bool End) override;

private:
    void WheelStep(int Step);
    std::unique_ptr<TDetailItems> FItems;
    int FItemIndex = -1;
    bool FWorkMode = true;
    bool FItemChange = false;   // a completion waits for the key's release
    int FItemIdx = -1, FItemSel = 0;
    QString FOldValue;
    bool FInSetText = false;
};
