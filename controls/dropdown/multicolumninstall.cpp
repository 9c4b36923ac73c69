// The adapters through which the string grid drives the list drop-downs.
#include "controls/dropdown/multicolumninstall.h"

#include "controls/dropdown/editoradapter.h"
#include "controls/dropdown/griddropdownlist.h"
#include "controls/dropdown/multicolumn.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/griddropdown.h"

namespace {

// The list drop-downs add their item list to what every drop-down editor answers.
template <class TInterface, class TEditor>
class TListEditorAdapter : public TDropDownEditorAdapter<TEditor, TInterface>
{
public:
    using TDropDownEditorAdapter<TEditor, TInterface>::TDropDownEditorAdapter;
    void BeginUpdate() override { this->Edit()->BeginUpdate(); }
    void EndUpdate() override { this->Edit()->EndUpdate(); }
    void SetItemIndex(int Value) override { this->Edit()->SetItemIndex(Value); }
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
