// TDazStringGrid: the editor controls of the editor types other than the text editor:
// placing a control over the cell, loading the cell's value into it, and writing the value
// back when it closes.
#include "grid/string/dazstringgrid.h"

#include "grid/string/gridcheckboxedit.h"
#include "grid/string/gridcombo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace {

// The looks whose combo editor is drawn flat.
bool FlatLook(TGridLook Look)
{
    return TDazStringGrid::FramedLook(Look);
}

void SetBaseColor(QWidget *W, TColor C)
{
    if (C == clNone)
        return;
    QPalette pal = W->palette();
    pal.setColor(QPalette::Base, ToQColor(C));
    pal.setColor(QPalette::Button, ToQColor(C));
    pal.setColor(QPalette::Window, ToQColor(C));
    W->setPalette(pal);
}

}   // namespace

int TDazStringGrid::GetEditLimit()
{
    return FMaxEditLength;
}

void TDazStringGrid::DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt)
        OnGetEditorPropInt(this, ACol, ARow);
}

void TDazStringGrid::SetCellFromEditor(int ACol, int ARow, const QString &Text)
{
    SetEditText(DisplColIndex(ACol), ARow, Text);
    SetCellEx(ACol, ARow, Text);
}

void TDazStringGrid::StartEditChar(QWidget *Control)
{
    if (FStartEditChar.isNull())
        return;
    // Delivered at once: a posted character could arrive after the keys typed next, which
    // go straight to the focused control.
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(FStartEditChar));
    QCoreApplication::sendEvent(Control, &key);
}

void TDazStringGrid::OpenCellEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    FMoreEditors.Cancelled = false;
    const int realCol = RealColIndex(ACol);
    TRect r = CellRect(ACol, ARow);
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;

    TGridDrawState state;
    TBrush brush;
    brush.Color = Color();
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TFont font = Font().Value();
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wrap = WordWrap();
    TCellGradientDirection dir = GradientVertical;
    GetVisualProperties(ACol, ARow, state, false, false, true, brush, colorTo, mirror, mirrorTo,
                        font, hAlign, vAlign, wrap, dir);
    if (brush.Color == clNone)
        brush.Color = Color();
    FEditCtrl = nullptr;
    if (FEditControl != edCustom)
        FLastValidation = true;

    switch (FEditControl) {
    case edComboEdit:
    case edComboList: {
        TGridCombo *combo = Combobox();
        combo->setMaxVisibleItems(std::max(1, FControlLook.DropDownCount()));
        DoGetEditorProp(realCol, ARow, nullptr);
        const bool list = FEditControl == edComboList;
        combo->SetListStyle(list);
        combo->setGeometry(r.Left, r.Top, std::max(1, w), std::max(1, h));
        combo->SetEnabled(true);
        combo->setFont(font.ToQFont());
        bool firstItemDue = false;
        if (list) {
            int item = combo->IndexOf(GetCellEx(realCol, ARow));
            if (item < 0 && FComboIdx == -1) {
                item = combo->IndexOf(GetEditText(ACol, ARow));
                if (item < 0 && combo->count() > 0) {
                    item = 0;
                    firstItemDue = true;
                }
            } else if (item < 0) {
                item = FComboIdx;
            }
            combo->setCurrentIndex(item < combo->count() ? item : -1);
            if (firstItemDue)
                combo->Change();
        } else {
            const QString text = GetEditText(ACol, ARow);
            if (FComboIdx != -1 && combo->IndexOf(text) < 0 && FComboIdx < combo->count())
                combo->setCurrentIndex(FComboIdx);
            combo->LoadText(text);
        }
        if (brush.Color != clNone)
            combo->SetColor(brush.Color);
        combo->SetFlat(FlatLook(FLook));
        combo->SetEtched(FlatLook(FLook));
        if (FNavigation.AutoComboDropSize())
            combo->SizeDropDownWidth();
        else if (combo->DropWidth() > 0)
            combo->SetDropWidth(combo->DropWidth());
        combo->show();
        combo->raise();
        FEditMode = true;
        FEditCtrl = combo;
        combo->setFocus(Qt::OtherFocusReason);
        if (FMouseActions.DirectComboDrop() || FControlLook.DropDownAlwaysVisible()) {
            combo->showPopup();
            if (FMouseActions.DirectEdit() && FMouseActions.DirectComboDrop())
                ComboSelectionChanged(false);
        }
        if (firstItemDue && combo->count() > 0) {
            const QString first = combo->itemText(0);
            if (OnComboChange)
                OnComboChange(this, realCol, ARow, 0, first);
            if (OnComboObjectChange)
                OnComboObjectChange(this, realCol, ARow, 0, first, combo->ItemObject(0));
        }
        StartEditChar(combo);
        break;
    }
    case edCheckBox: {
        TGridCheckBox *check = CheckBoxEditor();
        check->setGeometry(r.Left, r.Top, std::max(1, w), std::max(1, h));
        check->setEnabled(true);
        check->setText(GetEditText(ACol, ARow));
        check->setCheckState(Qt::Unchecked);
        SetBaseColor(check, brush.Color);
        check->show();
        check->raise();
        FEditMode = true;
        check->setFocus(Qt::OtherFocusReason);
        break;
    }
    case edDataCheckBox:
        break;
    default:
        if (OpenMoreEditor(ACol, ARow, r, font, brush.Color))
            break;
        // No control of this kind is made here: the edit ends before it began.
        FEditMode = false;
        FEditActive = false;
        FSpecialEditor = false;
        FEditing = false;
        break;
    }
    FStartEditChar = QChar();
}

void TDazStringGrid::CloseCellEditor(int ACol, int ARow)
{
    // Handing the focus back to the grid below enters the grid, whose cell selection closes
    // the edit again: that nested close finds this one at work (FBlockKill) and does nothing,
    // so the value is written and the end of the edit reported once.
    if (FEditorsGone || FBlockKill)
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    struct Unblock
    {
        TDazStringGrid *g;
        ~Unblock()
        {
            g->FBlockKill = false;
            g->FEditActive = false;
        }
    } unblock{this};
    const int realCol = RealColIndex(ACol);
    FStartEditChar = QChar();
    // The control hands the focus to the grid before it hides, so that it does not wander
    // to another control of the window.
    const auto retire = [this](QWidget *Control) {
        if (!Control || !Control->isVisible())
            return;
        if (Control->hasFocus() || Control->isAncestorOf(QApplication::focusWidget()))
            setFocus(Qt::OtherFocusReason);
        Control->setEnabled(false);
        Control->hide();
    };
    switch (FEditControl) {
    case edComboEdit:
    case edComboList:
        if (FEditCombo) {
            // Escape: the cell keeps its text and hears of no write.
            const bool write = !std::exchange(FMoreEditors.Cancelled, false);
            if (write && FEditMode && FEditCombo->isVisible())
                SetCellFromEditor(realCol, ARow, FEditCombo->currentText());
            FEditCombo->hidePopup();
            retire(FEditCombo);
        }
        break;
    case edCheckBox:
        retire(FEditCheck);
        break;
    default:
        CloseMoreEditor(realCol, ARow);
        break;
    }
    FEditMode = false;
    if (FEditCtrl && !FEditCtrl->isVisible())
        FEditCtrl = nullptr;
    if (FEditControl != edNormal && FEditActive)
        NotifyEditDone(realCol, ARow);
}
