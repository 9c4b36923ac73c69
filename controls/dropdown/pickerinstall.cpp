// The grid's picker editors: one adapter per control, registered by editor type.
#include "controls/dropdown/pickerinstall.h"

#include "controls/dropdown/colorpicker.h"
#include "controls/dropdown/detaildropdown.h"
#include "controls/dropdown/imagepicker.h"
#include "controls/dropdown/memodropdown.h"
#include "controls/dropdown/trackbardropdown.h"

namespace {

class TColorPickerEditor : public TDropDownAdapter<IColorPickerDropDown, TDazColorPickerDropDown>
{
public:
    explicit TColorPickerEditor(QWidget *Parent)
        : TDropDownAdapter(new TDazColorPickerDropDown(Parent))
    {
        this->FEdit->OnSelect = [this](TObject *) {
            if (OnSelect)
                OnSelect();
        };
    }
    void AddDefaultColors() override { this->FEdit->AddDefaultColors(); }
    TColor SelectedColor() const override { return this->FEdit->SelectedColor(); }
    void SetSelectedColor(TColor Value) override { this->FEdit->SetSelectedColor(Value); }
    QString GetSelectedColorText() const override { return this->FEdit->GetSelectedColorText(); }
};

class TImagePickerEditor : public TDropDownAdapter<IImagePickerDropDown, TDazImagePickerDropDown>
{
public:
    explicit TImagePickerEditor(QWidget *Parent)
        : TDropDownAdapter(new TDazImagePickerDropDown(Parent))
    {
        this->FEdit->OnSelect = [this](TObject *) {
            if (OnSelect)
                OnSelect();
        };
    }
    TCustomImageList *Images() const override { return this->FEdit->Images; }
    void SetImages(TCustomImageList *Value) override { this->FEdit->Images = Value; }
    int ItemCount() const override { return this->FEdit->Items().Count(); }
    // Empty for an index without an item.
    QString ItemCaption(int Index) const override
    {
        return Index >= 0 && Index < ItemCount() ? this->FEdit->Items().Items(Index)->Caption()
                                                 : QString();
    }
    void AddImagesFromImageList() override { this->FEdit->AddImagesFromImageList(); }
    int ImageIndex() const override { return this->FEdit->ImageIndex(); }
    void SetImageIndex(int Value) override { this->FEdit->SetImageIndex(Value); }
    int ItemIndex() const override { return this->FEdit->ItemIndex(); }
};

class TDetailEditor : public TDropDownAdapter<IDetailDropDown, TDazDetailDropDown>
{
public:
    explicit TDetailEditor(QWidget *Parent) : TDropDownAdapter(new TDazDetailDropDown(Parent)) {}
    int IndexOfItem(const QString &Text) const override { return this->FEdit->Items().IndexOf(Text); }
    void SetItemIndex(int Value) override { this->FEdit->SetItemIndex(Value); }
};

class TTrackBarEditor : public TDropDownAdapter<ITrackBarDropDown, TDazTrackBarDropDown>
{
public:
    explicit TTrackBarEditor(QWidget *Parent)
        : TDropDownAdapter(new TDazTrackBarDropDown(Parent))
    {
    }
    int Position() const override { return this->FEdit->Position(); }
    void SetPosition(int Value) override { this->FEdit->SetPosition(Value); }
};

class TMemoEditor : public TDropDownAdapter<IMemoDropDown, TDazMemoDropDown>
{
public:
    explicit TMemoEditor(QWidget *Parent) : TDropDownAdapter(new TDazMemoDropDown(Parent))
    {
        // Every change of the edit passes through the lines (typed text, or the memo's
        // text taken at closing).
        this->FEdit->OnChange = [this](TObject *) {
            if (OnChange)
                OnChange();
        };
    }
    TStringList &MemoText() override { return this->FEdit->MemoText(); }
};

template <class T>
TDropDownEditorMaker Maker()
{
    return [](QWidget *Parent) -> IDropDownEditor * { return new T(Parent); };
}

}   // namespace

void InstallPickerDropDownEditors()
{
    SetDropDownEditorMaker(edColorPickerDropDown, Maker<TColorPickerEditor>());
    SetDropDownEditorMaker(edImagePickerDropDown, Maker<TImagePickerEditor>());
    SetDropDownEditorMaker(edDetailDropDown, Maker<TDetailEditor>());
    SetDropDownEditorMaker(edTrackbarDropDown, Maker<TTrackBarEditor>());
    SetDropDownEditorMaker(edMemoDropDown, Maker<TMemoEditor>());
}
