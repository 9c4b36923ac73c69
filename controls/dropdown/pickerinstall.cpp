// The grid's picker editors: one adapter per control, registered by editor type.
#include "controls/dropdown/pickerinstall.h"

#include "controls/dropdown/colorpicker.h"

namespace {

class TColorPickerEditor : public TDropDownAdapter<IColorPickerDropDown, TDazColorPickerDropDown>
{
public:
    explicit TColorPickerEditor(QWidget *Parent)
        : TDropDownAdapter(new TDazColorPickerDropDown(Parent))
    {
        FControl->OnSelect = [this](TObject *) {
            if (OnSelect)
                OnSelect();
        };
    }
    void AddDefaultColors() override { FControl->AddDefaultColors(); }
    TColor SelectedColor() const override { return FControl->SelectedColor(); }
    void SetSelectedColor(TColor Value) override { FControl->SetSelectedColor(Value); }
    QString GetSelectedColorText() const override { return FControl->GetSelectedColorText(); }
};

}   // namespace

void InstallPickerDropDownEditors()
{
    SetDropDownEditorMaker(edColorPickerDropDown,
                           [](QWidget *Parent) { return new TColorPickerEditor(Parent); });
}
