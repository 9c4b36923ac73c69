// TDazStringGrid: validation of an edited text before it becomes the cell's value.
#include "grid/string/dazstringgrid.h"

#include "grid/string/cellchecker.h"
#include "grid/string/inplaceedit.h"

#include <QLineEdit>
#include <QComboBox>
#include <QToolTip>

void TDazStringGrid::SaveOldCellText(int ACol, int ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) {
        FOldCellText.clear();
        FOldCellTextWide.clear();
    } else {
        const int realCol = RealColIndex(ACol);
        FOldCellText = GetGridCell(realCol, ARow);
        FOldCellTextWide = DecodeWideCellText(FOldCellText);
    }
    FOldModifiedValue = FGridModified;
}

void TDazStringGrid::UpdateColumnFooter(int ACol)
{
    CalcFooter(ACol);
}

void TDazStringGrid::CellsLoaded()
{
    CalcFooter(-1);
}

bool TDazStringGrid::ValidateRunningEdit()
{
    if (!FEditing)
        return true;
    const TDazInplaceEdit *edit = NormalEdit();
    if (edit && edit->hasFocus())
        return true;
    const QString text = GetCurrentCell();
    if (text.startsWith(QStringLiteral("|\\")))
        return ValidateCellWide(DecodeWideCellText(text));
    return ValidateCell(text);
}

void TDazStringGrid::ShowBalloon(const QString &Title, const QString &Text)
{
    QWidget *target = nullptr;
    if (FEditActive && FEditCtrl) {
        target = FEditCtrl;
        if (auto *combo = qobject_cast<QComboBox *>(FEditCtrl); combo && combo->lineEdit())
            target = combo->lineEdit();
    } else if (FEditMode) {
        target = NormalEdit();
    }
    if (!target || !target->isVisible())
        return;
    const QString html = Title.isEmpty() ? Text.toHtmlEscaped()
                                         : QStringLiteral("<b>%1</b><br>%2")
                                               .arg(Title.toHtmlEscaped(), Text.toHtmlEscaped());
    QToolTip::showText(target->mapToGlobal(QPoint(0, target->height())), html, target);
}

// Puts the editor back on the baseline cell after a refused value. The edit is not over,
// so hiding the editor for the move reports nothing.
void TDazStringGrid::ReopenAfterRefusal(int ACol, int ARow, const QString &CellText)
{
    const bool textEditor = !FEditActive;
    const int oldEditCol = Col();
    FReopening = true;
    struct Done
    {
        TDazStringGrid *g;
        QString cache;
        ~Done()
        {
            g->FReopening = false;
            g->FCellCache = cache;
        }
    } done{this, FCellCache};
    if (FEditMode)
        FValidating = false;
    if (textEditor)
        HideEditor();
    SetCellEx(ACol, ARow, CellText);
    if (Col() != FOldCol || Row() != FOldRow)
        MoveCurrentCell(FOldCol, FOldRow);
    FEditing = true;
    if (textEditor) {
        ShowInplaceEdit();
        if (NormalEdit() && Col() != oldEditCol)
            NormalEdit()->update();
    }
}

// One validation from its start to its end: whatever happens, the baseline is retaken for
// the current cell and the grid leaves the validating state (and AdvanceOnEnter has its
// value back).
struct TDazStringGrid::TValidation
{
    TDazStringGrid *Grid;
    bool AdvanceOnEnter;
    explicit TValidation(TDazStringGrid *G)
        : Grid(G), AdvanceOnEnter(G->FNavigation.AdvanceOnEnter())
    {
        Grid->FEditing = false;
        Grid->FValidating = true;
    }
    ~TValidation()
    {
        Grid->FNavigation.SetAdvanceOnEnter(AdvanceOnEnter);
        Grid->SaveOldCellText(Grid->Col(), Grid->Row());
        Grid->FValidating = false;
    }
};

bool TDazStringGrid::ValidateCell(const QString &NewValue)
{
    if (!FEditing || FValidating)
        return true;
    bool valid = true;
    const int aCol = RealColIndex(FOldCol);
    const int aRow = FOldRow;
    FNewCellText = NewValue;
    {
        const TValidation validation(this);
        if (NewValue != FOldCellText || FAlwaysValidate) {
            const bool changed = NewValue != FOldCellText;
            // No advancing from inside the handler.
            FNavigation.SetAdvanceOnEnter(false);
            QString value = NewValue;
            if (FCellChecker && FCellChecker->AutoCorrect())
                value = FCellChecker->Correct(aCol, aRow, value);
            if (OnCellValidate)
                OnCellValidate(this, aCol, aRow, value, valid);
            if (value != FOldCellText) {
                FGridModified = true;
                if (FixedCols() > 0) {
                    SetRowModified(RealRowIndex(Row()), true);
                    if (FShowModified.Enabled())
                        RepaintCell(0, Row());
                }
            }
            if (valid)
                UpdateColumnFooter(aCol);
            if (FCellChecker && FCellChecker->AutoMarkError())
                value = FCellChecker->MarkError(aCol, aRow, value);
            if (valid && UndoRedo())
                UndoRedo()->RegisterChange(aCol, aRow, FOldCellText, value);
            if (valid && changed)
                CellsChanged(TRect(aCol, aRow, aCol, aRow));
            FNavigation.SetAdvanceOnEnter(validation.AdvanceOnEnter);
            FNewCellText = value;
            if (valid) {
                SetCellEx(aCol, aRow, value);
            } else {
                FLastValidation = false;
                const QString oldText = FOldCellText;
                // A handler that kept the typed text leaves it in the cell; one that
                // proposed another text gives the cell its old text back.
                ReopenAfterRefusal(aCol, aRow, value == NewValue ? value : oldText);
                FGridModified = FOldModifiedValue;
                if (!InvalidEntryTitle().isEmpty() || !InvalidEntryText().isEmpty())
                    ShowBalloon(InvalidEntryTitle(), InvalidEntryText());
            }
            FOldCellText = GetGridCell(aCol, aRow);
        }
    }
    if (valid && FocusWindowGrid() == this)
        HideFocusWindow();
    return valid;
}

bool TDazStringGrid::ValidateCellWide(const QString &NewValue)
{
    if (!FEditing || FValidating)
        return true;
    bool valid = true;
    const int aCol = RealColIndex(FOldCol);
    const int aRow = FOldRow;
    FNewCellText = NewValue;
    {
        const TValidation validation(this);
        if (NewValue != FOldCellTextWide || FAlwaysValidate) {
            const bool changed = NewValue != FOldCellTextWide;
            QString value = NewValue;
            UpdateColumnFooter(aCol);
            if (OnCellValidateWide)
                OnCellValidateWide(this, aCol, aRow, value, valid);
            if (valid) {
                SetCellEx(aCol, aRow, EncodeWideCellText(value));
            } else {
                FLastValidation = false;
                ReopenAfterRefusal(aCol, aRow,
                                   EncodeWideCellText(value == NewValue ? value : FOldCellTextWide));
                FGridModified = FOldModifiedValue;
            }
            if (changed) {
                FGridModified = valid ? true : FGridModified;
                if (FShowModified.Enabled() && FixedCols() > 0) {
                    SetRowModified(FOldRow, true);
                    RepaintCell(0, FOldRow);
                }
            }
            if (valid && changed)
                CellsChanged(TRect(aCol, aRow, aCol, aRow));
            FNewCellText = value;
            FOldCellTextWide = DecodeWideCellText(GetGridCell(aCol, aRow));
        }
    }
    return valid;
}
