#pragma once
// A drop-down edit as the string grid's cell editor: the grid drives it through
// IDropDownEditor and owns the adapter, which frees the control with it.
#include "controls/dropdown/dropdownedit.h"
#include "grid/string/griddropdown.h"

#include <QPointer>

template <class TControl, class TInterface = IDropDownEditor>
class TDropDownEditorAdapter : public TInterface
{
public:
    explicit TDropDownEditorAdapter(QWidget *Parent) : TDropDownEditorAdapter(new TControl(Parent)) {}
    // Takes over a control made by the caller.
    explicit TDropDownEditorAdapter(TControl *Control) : FEdit(Control)
    {
        FEdit->OnDropDownHeaderButtonClick = [this](TObject *, int Index) {
            if (this->OnHeaderButtonClick)
                this->OnHeaderButtonClick(Index);
        };
        FEdit->OnDropDownFooterButtonClick = [this](TObject *, int Index) {
            if (this->OnFooterButtonClick)
                this->OnFooterButtonClick(Index);
        };
    }
    ~TDropDownEditorAdapter() override { delete FEdit.data(); }

    TControl *Edit() const { return FEdit; }
    QWidget *Control() override { return FEdit; }
    QString Text() const override { return FEdit->GetText(); }
    void SetText(const QString &Value) override { FEdit->SetText(Value); }
    bool DroppedDown() const override { return FEdit->DroppedDown(); }
    void ShowDropDown() override { FEdit->ShowDropDown(); }
    void SelectAll() override { FEdit->SelectAll(); }
    void SetSelection(int Start, int Length) override
    {
        if (Length > 0)
            FEdit->setSelection(Start, Length);
        else
            FEdit->setCursorPosition(Start);
    }
    void SetEditorEnabled(bool Value) override { FEdit->SetEditorEnabled(Value); }
    void SetAppearance(const THeaderAppearance &Header, const TFooterAppearance &Footer) override
    {
        FEdit->DropDownHeader().Assign(&Header);
        FEdit->DropDownFooter().Assign(&Footer);
    }
    void SetComponentStyle(TQVRStyle Style) override { FEdit->SetComponentStyle(Style); }
    void SetColorTones(const TColorTones &Tones) override { FEdit->SetColorTones(Tones); }
    void SetFocusDraw(bool Value) override { FEdit->FocusDraw = Value; }

protected:
    QPointer<TControl> FEdit;
};
