// The adapters through which the string grid drives the list drop-downs.
#include "controls/dropdown/multicolumninstall.h"

#include "controls/dropdown/griddropdownlist.h"
#include "controls/dropdown/multicolumn.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/griddropdown.h"

namespace {

// What every drop-down edit answers the same way; TEditor is the control class.
template <class TInterface, class TEditor>
class TListEditorAdapter : public TInterface
{
public:
    explicit TListEditorAdapter(QWidget *Parent) : FEdit(new TEditor(Parent))
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
    ~TListEditorAdapter() override { delete FEdit; }
    TEditor *Edit() const { return FEdit; }

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
    void BeginUpdate() override { FEdit->BeginUpdate(); }
    void EndUpdate() override { FEdit->EndUpdate(); }
    void SetItemIndex(int Value) override { FEdit->SetItemIndex(Value); }

private:
    TEditor *FEdit;
};

class TMultiColumnEditor : public TListEditorAdapter<IMultiColumnDropDown, TDazMultiColumnDropDown>
{
public:
    explicit TMultiColumnEditor(QWidget *Parent) : TListEditorAdapter(Parent)
    {
        Edit()->SetEditorEnabled(true);
    }
    int GetItemIndex(const QString &Text) const override { return Edit()->GetItemIndex(Text); }
};

class TGridListEditor : public TListEditorAdapter<IGridDropDown, TCustomDazGridDropDown>
{
public:
    explicit TGridListEditor(QWidget *Parent) : TListEditorAdapter(Parent)
    {
        Edit()->SetEditorEnabled(true);
    }
    TDazStringGrid *Grid() override { return Edit()->GetGrid(); }
    bool UseItems() const override { return Edit()->UseItems; }
    int LookupText(const QString &Text) const override
    {
        QString full;
        int index = -1;
        Edit()->LookupText(Text, full, index);
        return index;
    }
};

}   // namespace

void InstallListDropDownEditors()
{
    SetDropDownEditorMaker(edGridDropDown,
                           [](QWidget *Parent) { return new TMultiColumnEditor(Parent); });
    SetDropDownEditorMaker(edDazGridDropDown,
                           [](QWidget *Parent) { return new TGridListEditor(Parent); });
}

TCustomDazGridDropDown *GridDropDownOf(TDazStringGrid &Grid)
{
    auto *editor = dynamic_cast<TGridListEditor *>(Grid.DropDownEditor(edDazGridDropDown));
    return editor ? editor->Edit() : nullptr;
}

TDazMultiColumnDropDown *MultiColumnDropDownOf(TDazStringGrid &Grid)
{
    auto *editor = dynamic_cast<TMultiColumnEditor *>(Grid.DropDownEditor(edGridDropDown));
    return editor ? editor->Edit() : nullptr;
}
