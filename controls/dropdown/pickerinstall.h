#pragma once
// The string grid's colour, image, detail, track-bar and memo cell editors made from the
// drop-down controls of this folder: adapters to the grid's editor interfaces
// (grid/string/griddropdown.h) and their registration.
#include "grid/string/griddropdown.h"

#include <QPointer>

class TDazCustomDropDown;

// What every adapter passes straight to its control. The adapter owns the control; the
// grid's viewport may delete it first, which the adapter then notices.
template <class I, class C>
class TDropDownAdapter : public I
{
public:
    explicit TDropDownAdapter(C *Control) : FControl(Control)
    {
        Control->OnDropDownHeaderButtonClick = [this](TObject *, int Index) {
            if (this->OnHeaderButtonClick)
                this->OnHeaderButtonClick(Index);
        };
        Control->OnDropDownFooterButtonClick = [this](TObject *, int Index) {
            if (this->OnFooterButtonClick)
                this->OnFooterButtonClick(Index);
        };
    }
    ~TDropDownAdapter() override { delete FControl.data(); }
    TDropDownAdapter(const TDropDownAdapter &) = delete;
    TDropDownAdapter &operator=(const TDropDownAdapter &) = delete;

    C *Edit() const { return FControl; }
    QWidget *Control() override { return FControl; }
    QString Text() const override { return FControl->GetText(); }
    void SetText(const QString &Value) override { FControl->SetText(Value); }
    bool DroppedDown() const override { return FControl->DroppedDown(); }
    void ShowDropDown() override { FControl->ShowDropDown(); }
    void SelectAll() override { FControl->SelectAll(); }
    void SetSelection(int Start, int Length) override
    {
        if (Length > 0)
            FControl->setSelection(Start, Length);
        else
            FControl->setCursorPosition(Start);
    }
    void SetEditorEnabled(bool Value) override { FControl->SetEditorEnabled(Value); }
    void SetAppearance(const THeaderAppearance &Header, const TFooterAppearance &Footer) override
    {
        FControl->DropDownHeader().Assign(&Header);
        FControl->DropDownFooter().Assign(&Footer);
    }
    void SetComponentStyle(TQVRStyle Style) override { FControl->SetComponentStyle(Style); }
    void SetColorTones(const TColorTones &Tones) override { FControl->SetColorTones(Tones); }
    void SetFocusDraw(bool Value) override { FControl->FocusDraw = Value; }

protected:
    QPointer<C> FControl;
};

// Registers the colour-picker, image-picker, detail, track-bar and memo editor makers.
void InstallPickerDropDownEditors();
