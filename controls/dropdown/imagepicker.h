#pragma once
// TDazImagePickerDropDown: an edit that shows the picture of the selected item and drops
// down a grid of pictures to choose from. Items come from the program, from an image list
// (AddImagesFromImageList) or from the picture files of a folder (AddImagesFromFolder).
#include "controls/dropdown/selectordropdown.h"

class TImageItem : public TCollectionItem
{
public:
    explicit TImageItem(TCollection *Collection = nullptr) : TCollectionItem(Collection) {}
    void Assign(const TPersistent *Source) override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TPicture &Image() { return FImage; }
    const TPicture &Image() const { return FImage; }
    void SetImage(const TPicture &Value) { FImage.Assign(&Value); }
    bool Enabled() const { return FEnabled; }
    QString Hint;

private:
    void Changed();
    QString FCaption;
    int FImageIndex = -1;
    TPicture FImage;
    bool FEnabled = true;
};

class TImageItems : public TCollectionOf<TImageItem>
{
public:
    explicit TImageItems(TPersistent *Owner = nullptr) : TCollectionOf(Owner) {}
    TNotifyEvent OnChange;
};

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
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
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
    void LoadList() override;
    void ClosedHomeEnd(bool End) override;
    void ClosedUpDown(bool Down) override;

private:
    void ListSelect();
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
};
