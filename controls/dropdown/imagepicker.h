#pragma once
// TDazImagePickerDropDown: an edit that shows the picture of the selected item and drops
// down a grid of pictures to choose from. Items come from the program, from an image list
// (AddImagesFromImageList) or from the picture files of a folder (AddImagesFromFolder).
#include "controls/dropdown/selectordropdown.h"

class TImageItem : public TCaptionImageItem
{
public:
    using TCaptionImageItem::TCaptionImageItem;
    void Assign(const TPersistent *Source) override;
    QString Hint;
};

using TImageItems = TNotifyingItemsOf<TImageItem>;

class TDazImagePickerDropDown : public TDazSelectorDropDown
{
public:
    explicit TDazImagePickerDropDown(QWidget *Parent = nullptr);

    TImageItems &Items() { return *FItems; }
    void SetItems(const TImageItems &Value) { FItems->Assign(&Value); }
    int ItemIndex() const { return FItemIndex; }
    // A change fires OnChange, then OnSelect.
    void SetItemIndex(int Value);
    // The list index of the selected item, -1 without one; setting selects the first item
    // with that list index.
    int ImageIndex() const;
    void SetImageIndex(int Value);
    // One item per image of Images, item i showing image i.
    void AddImagesFromImageList();
    // One item per entry of the folder matching the mask ("/dir/*.png"); an entry that is
    // no picture keeps an empty picture and no caption.
    void AddImagesFromFolder(const QString &AFolder, bool SetImageCaption);

    // Used at the next opening.
    int Columns = 1;
    TItemLayout Layout = ilCaptionRight;
    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

    void DoHideDropDown(bool Cancelled) override;
    void DrawFocus(TCanvas &Canvas) override;
    // The selected picture (or list image) centred in the edit rectangle.
    void PaintSelectedImage(TCanvas &Canvas);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void keyPressEvent(QKeyEvent *Event) override;

    int ListRowStep() const override { return Columns; }
    int PickerItemCount() const override { return FItems->Count(); }
    int PickerItemIndex() const override { return FItemIndex; }
    void SetPickerItemIndex(int Index) override { SetItemIndex(Index); }
    void LoadList() override;

private:
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
};
