// TDazStringGrid: the spin, edit-with-button and date picker editors: making them on first
// use, placing one over the cell with the cell's value, and writing its value back into the
// cell in the cell's text format when it closes.
#include "grid/string/dazstringgrid.h"

#include "grid/string/customeditorlink.h"
#include "grid/string/griddatepicker.h"
#include "grid/string/griddropdown.h"
#include "grid/string/grideditbtn.h"
#include "grid/string/gridrichedit.h"
#include "grid/string/gridspinedit.h"
#include "grid/string/grideditoraccess.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QScopeGuard>
#include <utility>

namespace {

template <class T>
T *Made(T *&Slot, TDazStringGrid *Grid)
{
    if (!Slot)
        Slot = new T(Grid);
    return Slot;
}

void Place(QWidget *W, const TRect &R, const TFont &AFont)
{
    W->setGeometry(R.Left, R.Top, std::max(1, R.Right - R.Left - 1),
                   std::max(1, R.Bottom - R.Top - 1));
    W->setFont(AFont.ToQFont());
    W->setEnabled(true);
    W->show();
    W->raise();
}

bool IsSpinType(TEditorType T)
{
    return T == edSpinEdit || T == edFloatSpinEdit || T == edTimeSpinEdit || T == edDateSpinEdit;
}

bool IsEditBtnType(TEditorType T)
{
    return T == edEditBtn || T == edNumericEditBtn || T == edFloatEditBtn || T == edMaskEditBtn;
}

bool IsDateType(TEditorType T)
{
    return T == edDateEdit || T == edDateEditUpDown || T == edTimeEdit;
}

bool IsUnitType(TEditorType T)
{
    return T == edUnitEditBtn || T == edNumericUnitEditBtn || T == edFloatUnitEditBtn;
}

}   // namespace

TGridSpin *TDazStringGrid::SpinEdit()
{
    return Made(FMoreEditors.Spin, this);
}

TGridEditBtn *TDazStringGrid::BtnEdit()
{
    return Made(FMoreEditors.EditBtn, this);
}

TGridUnitEditBtn *TDazStringGrid::BtnUnitEdit()
{
    return Made(FMoreEditors.UnitEditBtn, this);
}

TGridDatePicker *TDazStringGrid::DateTimePicker()
{
    return Made(FMoreEditors.DatePicker, this);
}

void TDazStringGrid::DoRichEditSelectionChange()
{
    if (OnRichEditSelectionChange)
        OnRichEditSelectionChange(this);
}

TDazRichEdit *TDazStringGrid::InplaceRichEdit()
{
    TDazRichEdit *&edit = FMoreEditors.RichEdit;
    if (edit)
        return edit;
    edit = new TDazRichEdit(viewport());
    edit->hide();
    edit->setEnabled(false);
    edit->OnFocusLost = [this](Qt::FocusReason Reason) {
        TGridEditorAccess::FocusLost(this, FMoreEditors.RichEdit, Reason);
    };
    QObject::connect(edit, &QTextEdit::selectionChanged, this,
                     [this] { DoRichEditSelectionChange(); });
    // The row grows with the text while it still fits in the grid.
    edit->OnRequestResize = [this](int H) {
        TDazRichEdit *ed = FMoreEditors.RichEdit;
        if (!SizeWhileTyping().Height() || !FEditMode || FEditCtrl != ed)
            return;
        const int row = Row();
        if (RowHeights(row) >= H + 5 || CellRect(Col(), row).Top + H + 5 > viewport()->height())
            return;
        ed->resize(ed->width(), H + 9);
        SetRowHeights(row, H + 10);
        if (OnEndRowSize)
            OnEndRowSize(this, row);
    };
    edit->OnGridKey = [this](QKeyEvent *e) {
        const TShiftState shift = ShiftStateOf(e->modifiers());
        const bool tab = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
        if (tab && Options().Contains(goTabs)) {
            HideInplaceEdit();
            setFocus(Qt::OtherFocusReason);
            TabToNextCell(shift.Contains(ssShift) || e->key() == Qt::Key_Backtab);
            return true;
        }
        const bool upDown = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down;
        if (upDown && !WordWrap() && !Multilinecells()) {
            HideInplaceEdit();
            setFocus(Qt::OtherFocusReason);
            TGridEditorAccess::GridKeyDown(this, e->key() == Qt::Key_Up ? VK_UP : VK_DOWN, shift);
            return true;
        }
        if (e->key() == Qt::Key_Escape) {
            HideInplaceEdit();
            setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    };
    return edit;
}

TGridDateTimePicker *TDazStringGrid::DateAndTimePicker()
{
    return Made(FMoreEditors.DateAndTime, this);
}

TGridButton *TDazStringGrid::ButtonEditor()
{
    return Made(FMoreEditors.Button, this);
}

TDazStringGrid::TMoreEditors::~TMoreEditors()
{
    Grid->FEditorsGone = true;
    delete Spin;
    delete EditBtn;
    delete UnitEditBtn;
    delete DatePicker;
    delete DateAndTime;
    delete Button;
    delete RichEdit;
    for (IDropDownEditor *&d : DropDowns) {
        delete d;
        d = nullptr;
    }
}

bool TDazStringGrid::OpenMoreEditor(int ACol, int ARow, const TRect &R, const TFont &AFont,
                                    TColor AColor)
{
    const TEditorType type = FEditControl;
    const QString text = GetEditText(ACol, ARow);
    FMoreEditors.Cancelled = false;
    QWidget *control = nullptr;
    if (IsSpinType(type)) {
        TGridSpin *spin = SpinEdit();
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        spin->ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator();
        spin->SetText(text);
        switch (type) {
        case edSpinEdit:
            spin->SetSpinType(sptNormal);
            break;
        case edFloatSpinEdit: {
            double v = 0;
            spin->SetSpinType(sptFloat);
            // Text that is no number opens on the float minimum.
            if (TryStrToFloat(text, v))
                spin->SetText(text);
            else
                spin->SetFloatValue(spin->MinFloatValue);
            break;
        }
        case edTimeSpinEdit:
            spin->SetSpinType(sptTime);
            spin->SetText(text);
            break;
        default: {
            TDateTime d = 0;
            spin->SetText(QString());
            spin->SetSpinType(sptDate);
            spin->SetDateValue(TryStrToDate(text, d) ? d : Now());
            break;
        }
        }
        if (AColor != clNone)
            spin->SetColor(AColor);
        // A press on the cell's always-visible spin button is that button's step.
        if (FSpinUpClick)
            spin->UpClick(spin);
        else if (FSpinDnClick)
            spin->DownClick(spin);
        FSpinUpClick = FSpinDnClick = false;
        control = spin;
    } else if (IsEditBtnType(type)) {
        TGridEditBtn *edit = BtnEdit();
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        edit->setInputMask(type == edMaskEditBtn ? GetEditMask(ACol, ARow) : QString());
        edit->SetMaxLength(GetEditLimit());
        edit->SetText(text);
        if (AColor != clNone)
            edit->SetColor(AColor);
        control = edit;
    } else if (IsUnitType(type)) {
        TGridUnitEditBtn *edit = BtnUnitEdit();
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        edit->SetMaxLength(GetEditLimit());
        edit->SetUnitID(QString());
        edit->SetText(QString());
        edit->SetTextAndUnit(text);
        // No unit of the list ends the text: it is all value.
        if (edit->UnitID().isEmpty())
            edit->SetText(text);
        if (AColor != clNone)
            edit->SetColor(AColor);
        control = edit;
    } else if (IsDateType(type) && ComCtl32Above469()) {
        TGridDatePicker *picker = DateTimePicker();
        picker->SetFrameworkKind(type == edTimeEdit ? dtkTime : dtkDate);
        picker->SetDateMode(type == edDateEditUpDown ? dmUpDown : dmComboBox);
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        TDateTime value = Now();
        if (type != edTimeEdit && OnCustomStrToDate)
            OnCustomStrToDate(this, text, value);
        else
            value = picker->ValueOfText(text);
        // Keep the value strictly inside set limits.
        if (type != edTimeEdit && picker->MaxDate() != 0 && value > picker->MaxDate())
            value = picker->MaxDate() - 1;
        if (type != edTimeEdit && picker->MinDate() != 0 && value <= picker->MinDate())
            value = picker->MinDate() + 1;
        picker->SetChecked(true);
        picker->SetPickerDateTime(value);
        if (AColor != clNone)
            picker->SetColor(AColor);
        control = picker;
    } else if (type == edDateTimeEdit && ComCtl32Above469()) {
        TGridDateTimePicker *picker = DateAndTimePicker();
        picker->SetKind(dkDateTime);
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        TDateTime value = 0;
        if (!ReadLocaleDateTime(text, value))
            value = Now();
        picker->SetChecked(true);
        picker->SetDateTime(value);
        picker->OriginalDateTime = picker->DateTime();
        if (AColor != clNone)
            picker->SetColor(AColor);
        control = picker;
    } else if (type == edButton) {
        TGridButton *button = ButtonEditor();
        button->setText(text);
        control = button;
    } else if (type == edRichEdit) {
        TDazRichEdit *edit = InplaceRichEdit();
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        edit->LockResize();
        edit->SetRtf(GetCellEx(RealColIndex(ACol), ARow));
        edit->UnlockResize();
        edit->document()->setModified(false);
        control = edit;
    } else if (IDropDownEditor *drop = DropDownEditor(type)) {
        // The editor event fills a list's items before the cell's item is looked up.
        DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
        LoadDropDown(drop, type, RealColIndex(ACol), ARow, text);
        control = drop->Control();
        if (AColor != clNone) {
            QPalette pal = control->palette();
            pal.setColor(QPalette::Base, ToQColor(AColor));
            control->setPalette(pal);
        }
    } else if (type == edCustom) {
        if (!FEditLink)
            return false;
        DoGetEditorProp(RealColIndex(ACol), ARow, FEditLink);
        FEditLink->Open(this, RealColIndex(ACol), ARow,
                        QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top), AColor, AFont,
                        text);
        FEditMode = true;
        FEditCtrl = FEditLink->GetEditControl();
        if (FEditCtrl)
            StartEditChar(FEditCtrl);
        return true;
    }
    if (!control)
        return false;
    Place(control, R, AFont);
    FEditMode = true;
    FEditCtrl = control;
    control->setFocus(Qt::OtherFocusReason);
    StartEditChar(control);
    if (IsDropDownEditorType(type) && FMouseActions.DirectComboDrop())
        DropDownEditor(type)->ShowDropDown();
    // The calendar opens at once, as F4 in the picker would open it.
    if ((type == edDateEdit || type == edDateEditUpDown) && FMouseActions.DirectDateDrop())
        DateTimePicker()->SetDroppedDown(true);
    return true;
}

bool TDazStringGrid::CloseMoreEditor(int realCol, int ARow)
{
    const TEditorType type = FEditControl;
    QWidget *control = nullptr;
    // Handing the focus to the grid below closes the edit again from the grid's focus
    // handling: that second close finds the first one at work and does nothing.
    if (FMoreEditors.Closing)
        return true;
    FMoreEditors.Closing = true;
    const auto closing = qScopeGuard([this] { FMoreEditors.Closing = false; });
    const bool write = FEditMode && !std::exchange(FMoreEditors.Cancelled, false);
    if (IsSpinType(type) && FMoreEditors.Spin) {
        TGridSpin *spin = FMoreEditors.Spin;
        control = spin;
        if (write && spin->isVisible()) {
            if (spin->AllowEmptyValue && Trim(spin->Text()).isEmpty())
                SetCellFromEditor(realCol, ARow, QString());
            else if (type == edSpinEdit)
                SetInts(realCol, ARow, spin->Value());
            else if (type == edFloatSpinEdit)
                SetFloats(realCol, ARow, spin->FloatValue());
            else if (type == edTimeSpinEdit)
                SetCellFromEditor(realCol, ARow, spin->Text());
            else
                SetDates(realCol, ARow, spin->DateValue());
        }
    } else if (IsEditBtnType(type) && FMoreEditors.EditBtn) {
        control = FMoreEditors.EditBtn;
        if (write && control->isVisible())
            SetCellFromEditor(realCol, ARow, FMoreEditors.EditBtn->Text());
    } else if (IsUnitType(type) && FMoreEditors.UnitEditBtn) {
        control = FMoreEditors.UnitEditBtn;
        if (write && control->isVisible())
            SetCellFromEditor(realCol, ARow, FMoreEditors.UnitEditBtn->TextAndUnit());
    } else if (IsDateType(type) && FMoreEditors.DatePicker) {
        TGridDatePicker *picker = FMoreEditors.DatePicker;
        control = picker;
        if (write && picker->isVisible())
            SetCellFromEditor(realCol, ARow, picker->Checked() ? picker->Text() : QString());
        picker->SetDroppedDown(false);
    } else if (type == edDateTimeEdit && FMoreEditors.DateAndTime) {
        TGridDateTimePicker *picker = FMoreEditors.DateAndTime;
        control = picker;
        if (write && picker->isVisible())
            SetCellFromEditor(realCol, ARow,
                              picker->Checked() ? DateTimeToStr(picker->DateTime()) : QString());
    } else if (type == edButton && FMoreEditors.Button) {
        control = FMoreEditors.Button;   // the click wrote the cell
    } else if (type == edRichEdit && FMoreEditors.RichEdit) {
        TDazRichEdit *edit = FMoreEditors.RichEdit;
        control = edit;
        // An untouched cell keeps its text as it was (plain text stays plain).
        if (write && edit->isVisible() && edit->document()->isModified())
            SetCellFromEditor(realCol, ARow, edit->Rtf());
    } else if (IsDropDownEditorType(type) && FMoreEditors.DropDowns[type - edTrackbarDropDown]) {
        IDropDownEditor *drop = FMoreEditors.DropDowns[type - edTrackbarDropDown];
        control = drop->Control();
        if (write && control->isVisible())
            WriteDropDown(drop, type, realCol, ARow);
    } else if (type == edCustom && FEditLink) {
        if (write && FEditLink->Grid() == this)
            SetCellFromEditor(realCol, ARow, FEditLink->GetEditorValue());
        FEditLink->Close();
        return true;
    }
    if (!control || !control->isVisible())
        return control != nullptr;
    if (control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    control->setEnabled(false);
    control->hide();
    return true;
}

// The characters go whole into the rich edit and come back whole: cutting them to their low
// byte, as an 8-bit stream would, garbles every character above U+00FF.
void TDazStringGrid::CellToRich(int ACol, int ARow, TDazRichEdit *RichEdit)
{
    if (!RichEdit)
        return;
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        RichEdit->clear();
    else
        RichEdit->SetRtf(text);
}

QString TDazStringGrid::RichToString(TDazRichEdit *RichEdit)
{
    if (!RichEdit || Destroying())
        return QString();
    return RichEdit->Rtf();
}

void TDazStringGrid::RichToCell(int ACol, int ARow, TDazRichEdit *RichEdit)
{
    SetCells(ACol, ARow, RichToString(RichEdit));
}
