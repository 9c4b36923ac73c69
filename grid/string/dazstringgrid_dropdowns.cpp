// TDazStringGrid: the drop-down cell editors: making one on first use with the grid's look
// and relays, loading the cell into it by its kind, and writing its value back.
#include "grid/string/dazstringgrid.h"

#include "grid/string/griddropdown.h"
#include "platform/rtl.h"

namespace {

// Selects the item of the cell (none for -1) inside an update of the list.
void SelectListItem(IItemListDropDown &List, int Index)
{
    List.BeginUpdate();
    if (Index >= 0)
        List.SetItemIndex(Index);
    List.EndUpdate();
}

}   // namespace

IDropDownEditor *TDazStringGrid::DropDownEditor(TEditorType Type)
{
    if (!IsDropDownEditorType(Type))
        return nullptr;
    IDropDownEditor *&slot = FMoreEditors.DropDowns[Type - edTrackbarDropDown];
    if (slot)
        return slot;
    const TDropDownEditorMaker maker = DropDownEditorMaker(Type);
    if (!maker)
        return nullptr;
    IDropDownEditor *drop = maker(viewport());
    if (!drop)
        return nullptr;
    slot = drop;
    QWidget *control = drop->Control();
    control->hide();
    control->setEnabled(false);
    new TGridDropDownKeys(this, drop, Type);

    drop->SetComponentStyle(FComponentStyle);
    drop->SetColorTones(FTones);
    drop->OnHeaderButtonClick = [this](int Index) {
        if (OnDropDownHeaderButtonClick)
            OnDropDownHeaderButtonClick(this, RealCol(), Row(), Index);
    };
    drop->OnFooterButtonClick = [this](int Index) {
        if (OnDropDownFooterButtonClick)
            OnDropDownFooterButtonClick(this, RealCol(), Row(), Index);
    };
    switch (Type) {
    case edTrackbarDropDown:
    case edCalculatorDropDown:
        drop->SetEditorEnabled(true);
        break;
    case edTimePickerDropDown:
        drop->SetFocusDraw(false);
        break;
    case edMemoDropDown:
        if (auto *memo = dynamic_cast<IMemoDropDown *>(drop))
            memo->OnChange = [this, memo] {
                if (FEditMode && FEditCtrl == memo->Control())
                    SetEditText(Col(), Row(), memo->MemoText().Text());
            };
        break;
    case edColorPickerDropDown:
        if (auto *picker = dynamic_cast<IColorPickerDropDown *>(drop)) {
            picker->AddDefaultColors();
            picker->OnSelect = [this] { DoColorSelect(); };
        }
        break;
    case edImagePickerDropDown:
        if (auto *picker = dynamic_cast<IImagePickerDropDown *>(drop))
            picker->OnSelect = [this] { DoImageSelect(); };
        break;
    default:
        break;
    }
    return drop;
}

void TDazStringGrid::ForEachDropDown(const std::function<void(IDropDownEditor &)> &Do)
{
    for (IDropDownEditor *d : FMoreEditors.DropDowns)
        if (d)
            Do(*d);
}

void TDazStringGrid::DoColorSelect()
{
    auto *picker = dynamic_cast<IColorPickerDropDown *>(
        FMoreEditors.DropDowns[edColorPickerDropDown - edTrackbarDropDown]);
    if (picker && OnColorSelect)
        OnColorSelect(this, RealCol(), Row(), picker->SelectedColor(),
                      picker->GetSelectedColorText());
}

void TDazStringGrid::DoImageSelect()
{
    auto *picker = dynamic_cast<IImagePickerDropDown *>(
        FMoreEditors.DropDowns[edImagePickerDropDown - edTrackbarDropDown]);
    if (picker && OnImageSelect)
        OnImageSelect(this, RealCol(), Row(), picker->ItemIndex());
}

void TDazStringGrid::LoadDropDown(IDropDownEditor *Drop, TEditorType Type, int RealCol,
                                  int ARow, const QString &Text)
{
    Drop->SetAppearance(FControlLook.DropDownHeader(), FControlLook.DropDownFooter());
    Drop->SetComponentStyle(FComponentStyle);
    switch (Type) {
    case edTrackbarDropDown:
        if (auto *bar = dynamic_cast<ITrackBarDropDown *>(Drop)) {
            bar->SetPosition(StrToIntDef(Trim(Text), 0));
            return;
        }
        break;
    case edMemoDropDown:
        Drop->SetText(Text);
        Drop->SetSelection(0, 0);
        return;
    case edTimePickerDropDown:
        Drop->SetEditorEnabled(true);
        break;
    case edDetailDropDown:
        Drop->SetEditorEnabled(true);
        Drop->SetText(Text);
        if (auto *list = dynamic_cast<IDetailDropDown *>(Drop)) {
            const int i = list->IndexOfItem(Text);
            if (i >= 0)
                list->SetItemIndex(i);
        }
        return;
    case edGridDropDown:
        if (auto *list = dynamic_cast<IMultiColumnDropDown *>(Drop))
            SelectListItem(*list, Text.isEmpty() ? 0 : list->GetItemIndex(Text));
        break;
    case edDazGridDropDown:
        if (auto *list = dynamic_cast<IGridDropDown *>(Drop)) {
            if (TDazStringGrid *inner = list->Grid())
                inner->SetFixedRowAlways(true);
            if (list->UseItems())
                SelectListItem(*list, Text.isEmpty() ? 0 : list->LookupText(Text));
        }
        break;
    case edColorPickerDropDown:
        if (auto *picker = dynamic_cast<IColorPickerDropDown *>(Drop)) {
            TCellGraphic *g = GetCellGraphic(RealCol, ARow);
            picker->SetSelectedColor(g && g->CellType == ctShape ? TColor(g->CellIndex)
                                                                 : Colors(RealCol, ARow));
            return;
        }
        break;
    case edImagePickerDropDown:
        if (auto *picker = dynamic_cast<IImagePickerDropDown *>(Drop)) {
            const TCellType kind = GetCellType(RealCol, ARow);
            QString shown;
            if (kind == ctImageList || kind == ctDataImage) {
                picker->SetImages(FGridImages);
                if (picker->ItemCount() == 0)
                    picker->AddImagesFromImageList();
                int index = -1;
                if (kind == ctImageList)
                    GetImageIdx(RealCol, ARow, index);
                else
                    index = StrToIntDef(Trim(Cells(RealCol, ARow)), -1);
                picker->SetImageIndex(index);
                const int item = picker->ItemIndex();
                if (item >= 0 && item < picker->ItemCount())
                    shown = picker->ItemCaption(item);
            }
            picker->SetText(shown);
            return;
        }
        break;
    default:
        break;
    }
    Drop->SetText(Text);
}

void TDazStringGrid::WriteDropDown(IDropDownEditor *Drop, TEditorType Type, int RealCol,
                                   int ARow)
{
    if (Type == edMemoDropDown) {
        if (auto *memo = dynamic_cast<IMemoDropDown *>(Drop)) {
            SetCellFromEditor(RealCol, ARow, memo->MemoText().Text());
            return;
        }
    } else if (Type == edColorPickerDropDown) {
        if (auto *picker = dynamic_cast<IColorPickerDropDown *>(Drop)) {
            TColor color = picker->SelectedColor();
            QString text = picker->GetSelectedColorText();
            if (OnColorSelected)
                OnColorSelected(this, RealCol, ARow, color, text);
            SetCellFromEditor(RealCol, ARow, text);
            if (GetCellType(RealCol, ARow) == ctShape)
                SetShapeColor(RealCol, ARow, color);
            else
                SetColors(RealCol, ARow, color);
            return;
        }
    } else if (Type == edImagePickerDropDown) {
        if (auto *picker = dynamic_cast<IImagePickerDropDown *>(Drop)) {
            int index = picker->ImageIndex();
            if (OnImageSelected)
                OnImageSelected(this, RealCol, ARow, index);
            const TCellType kind = GetCellType(RealCol, ARow);
            if (kind == ctImageList)
                SetImageIdx(RealCol, ARow, index);
            else if (kind == ctDataImage)
                SetCellFromEditor(RealCol, ARow, QString::number(index));
            return;
        }
    }
    SetCellFromEditor(RealCol, ARow, Drop->Text());
}
