// TDazStringGrid: the left button press, with its hit tests (check boxes, radio groups,
// cell buttons, links, cell borders) and the cell events in their fixed order, and the
// grid's step inside the framework's press handling.
#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/scrollcontrol.h"
#include "platform/shell.h"

#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

TShiftState ShiftOfEvent(const QMouseEvent *e)
{
    return ShiftStateOf(e->modifiers(), e->buttons());
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Qt plumbing: each button message goes to its handler
// ---------------------------------------------------------------------------------------

void TDazStringGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        WMLButtonDown(p.x(), p.y(), ShiftOfEvent(e));
    else if (e->button() == Qt::RightButton)
        WMRButtonDown(p.x(), p.y(), ShiftOfEvent(e));
    else
        TBaseGrid::mousePressEvent(e);
    e->accept();
}

void TDazStringGrid::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        WMLButtonUp(p.x(), p.y(), ShiftOfEvent(e));
    else if (e->button() == Qt::RightButton)
        WMRButtonUp(p.x(), p.y(), ShiftOfEvent(e));
    else
        TBaseGrid::mouseReleaseEvent(e);
    e->accept();
}

void TDazStringGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        WMLButtonDblClk(p.x(), p.y(), ShiftOfEvent(e));
    else if (e->button() == Qt::RightButton)
        WMRButtonDown(p.x(), p.y(), ShiftOfEvent(e));
    else
        TBaseGrid::mouseDoubleClickEvent(e);
    e->accept();
}

// ---------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------

// A press in a header row within 4 pixels of the cell's left or right border while columns
// may be sized.
bool TDazStringGrid::NearColumnBorder(int ACol, int ARow, int X) const
{
    if (ARow < 0 || ARow >= FixedRows() || ACol < 0 || !Options().Contains(goColSizing))
        return false;
    const TRect r = TBaseGrid::CellRect(ACol, ARow);
    return std::abs(X - r.Left) <= 4 || std::abs(X - r.Right) <= 4;
}

TRect TDazStringGrid::CellButtonRect(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    const TRect cell = CellRect(DisplColIndex(base.X), base.Y);
    TCellVAlign v;
    TCellHAlign h;
    bool showText;
    int height, width;
    const TCellGraphic *g = GetCellGraphicLayout(base.X, base.Y, v, h, showText, height, width);
    if (!g)
        return {};
    if (g->CellType == ctExpand)
        return TRect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13);
    return PlaceCellGraphic(cell, g->CellType, h, v, width, height, 0, DefaultAlignment(),
                            VAlignment(), VAlignment(), XYOffset());
}

// ---------------------------------------------------------------------------------------
// Left button down
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMLButtonDown(int X, int Y, TShiftState Shift)
{
    // 1.
    FDoOnClick = true;
    FMouseDownMove = true;
    FMouseKeepDown = true;
    FSpinUpClick = false;
    FSpinDnClick = false;
    FClickPos = {X, Y};
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    const TGridRect oldSel = Selection();
    auto inherited = [&](int PX, int PY) { MouseDown(mbLeft, Shift, PX, PY); };

    // The selection resize handle copies the selection; the release pastes it. The press
    // keeps the selection and the current cell.
    auto startResize = [&](bool SkipInherited) {
        SetGridState(gsSelecting);
        FDropSelection = oldSel;
        CopySelectionToClipboard();
        FMouseResize = true;
        if (!SkipInherited) {
            const int col = Col(), row = Row();
            inherited(X, Y);
            TBaseGrid::SetSelection(oldSel);
            TBaseGrid::FocusCell(col, row, false);
            TBaseGrid::SetSelection(oldSel);
        }
        SetGridState(gsSelecting);
        MouseMove({}, X, Y);
    };
    // 2.
    if (SelectionResizer() && SelectionRectangle()) {
        const TRect r = CellRect(oldSel.Right, oldSel.Bottom);
        const TRect handle(r.Right - 6, r.Bottom - 6, r.Right, r.Bottom);
        if (X >= handle.Left && X < handle.Right && Y >= handle.Top && Y < handle.Bottom) {
            startResize(Options().Contains(goEditing) || FMouseActions.RangeSelectAndEdit());
            return;
        }
    }
    // 3.
    if (Options().Contains(goEditing) && FMouseActions.RangeSelectAndEdit() &&
        !PointInGridRect(acol, arow, oldSel))
        SetOptions(Options() - goEditing);
    // 4.
    bool allow = true;
    if (OnCanClickCell)
        OnCanClickCell(this, arow, acol, allow);
    if (!allow)
        return;
    // 5.
    FPressCell = {acol, arow};
    // 6. The move handling armed the resize handle.
    if (FMouseSelectMode == msResize) {
        startResize(Options().Contains(goEditing));
        return;
    }
    // 7. The shift state the press's events report.
    TShiftState eventShift;
    if (Shift.Contains(ssCtrl))
        eventShift = {ssCtrl};
    if (Shift.Contains(ssShift))
        eventShift = {ssShift};
    if (Shift.Contains(ssAlt))
        eventShift = {ssAlt};
    // 8.
    if (FMouseActions.DisjunctCellSelect() && !Shift.Contains(ssCtrl) && acol >= 0 &&
        arow >= 0 && !IsFixed(acol, arow)) {
        ClearSelectedCells();
        InvalidateGrid();
    }
    // 9.
    SetSearchInc(QString());
    FSelectionClick = false;
    FPushedCellButton = {-1, -1};
    const int oldTopRow = TopRow();
    // 10.
    {
        int cc = -1, cr = -1;
        if (arow == 0)
            MouseToCell(X - 5, Y, cc, cr);
        else if (acol == 0)
            MouseToCell(X, Y - 4, cc, cr);
        else
            MouseToCell(X - 5, Y - 4, cc, cr);
        FClicked = {cc, cr};
    }
    // 11, 12.
    const bool inside = acol >= 0 && arow >= 0;
    const bool fixedCell = inside && (arow < FixedRows() || acol < FixedCols());
    if (!inside) {
        HideInplaceEdit();
        if (!FFixedRowAlways)
            inherited(X, Y);
        return;
    }
    const int pressCol = acol, pressRow = arow;
    {
        const TPoint b = BaseCell(RealColIndex(acol), arow);
        acol = DisplColIndex(b.X);
        arow = b.Y;
    }
    const TRect cellR = CellRect(acol, arow);
    // 13. The editor a click opens puts its caret under the press.
    if (FMouseActions.CaretPositioning())
        FLButFlg = true;
    // 14. Fixed columns and rows sized by their borders.
    if (StartFixedSizing(X, Y))
        return;
    // 15.
    const bool isFixedCell = IsFixed(acol, arow);
    if (fixedCell || isFixedCell)
        HideInplaceEdit();
    const bool customFixed = isFixedCell && !fixedCell;
    // 16. Fixed cells drawn as buttons are pushed.
    if (FixedAsButtons() && (fixedCell || customFixed))
        FPushedCellButton = {acol, arow};
    // 17.
    const int realCol = RealColIndex(acol);
    // 18. Which half of an always-visible spin button was hit.
    if (FControlLook.SpinButtonsAlwaysVisible() && HasSpinEdit(acol, arow) &&
        X > cellR.Right - 18) {
        if (Y > cellR.Top + (cellR.Bottom - cellR.Top) / 2)
            FSpinDnClick = true;
        else
            FSpinUpClick = true;
    }
    // 19, 21. Node glyphs, and column 0 of a grid with nodes.
    if (ClickOnNode(acol, arow, X, Y, eventShift))
        return;
    // 20. Radio groups.
    if (IsRadio(realCol, arow) &&
        (IsEditableCell(acol, arow) || FControlLook.RadioAlwaysActive())) {
        HideInplaceEdit();
        ClickRadioGroup(realCol, arow, X - cellR.Left, Y - cellR.Top);
        setFocus();
        return;
    }
    // 22. A press on the selection may start a drag: the move handling starts it, the
    // release selects when it did not.
    if (PressStartsOleDrag(acol, arow, cellR, X)) {
        setFocus();
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, eventShift, X, Y);
        FSelectionClick = true;
        if (OnClickCell)
            OnClickCell(this, arow, acol);
        return;
    }
    // 23. A rating takes half stars of 9 pixels from the press.
    if (HasRating(realCol, arow) && IsEditable(realCol, arow)) {
        HideInplaceEdit();
        double rate = std::trunc(double(X - cellR.Left) / 9) / 2;
        if (DoRatingChange(realCol, arow, rate)) {
            SetFloats(realCol, arow, rate);
            RepaintCell(acol, arow);
        }
        return;
    }
    // 24. Cell buttons are pushed; the release clicks them.
    const TCellType kind = GetCellType(realCol, arow);
    if (kind == ctButton || kind == ctBitButton || kind == ctExpand) {
        HideInplaceEdit();
        if (!isFixedCell) {
            FForceSel = true;
            SelectCell(acol, arow);
            FForceSel = false;
        }
        const TRect br = CellButtonRect(acol, arow);
        if (X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom) {
            FPushedCellButton = {acol, arow};
            RepaintCell(acol, arow);
            grabMouse();
            if (OnClickCell)
                OnClickCell(this, arow, acol);
            return;
        }
    }
    // 25. A press on a merge away from its base cell selects the base cell.
    if ((pressCol != acol || pressRow != arow) && !isFixedCell && !OnMouseDown) {
        X = cellR.Left + 2;
        Y = cellR.Top + 2;
    }
    // 26.
    if (acol >= ColCount() || arow >= RowCount()) {
        inherited(X, Y);
        return;
    }
    // 28. Disjunct row and column selection.
    if (FMouseActions.DisjunctRowSelect() && arow >= FixedRows() &&
        !(acol == 0 && FMouseActions.HotmailRowSelect())) {
        if (Shift.Contains(ssShift)) {
            inherited(X, Y);
            TBaseGrid::SetSelection(GridRect({acol, arow}, {oldSel.Left, oldSel.Top}));
            return;
        }
        const int row = FMouseActions.RowSelectPersistent() ? RealRowIndex(arow) : arow;
        if ((Shift.Contains(ssCtrl) || FMouseActions.DisjunctRowSelectNoCtrl()) && RowSelect(row)) {
            FDeselectState = true;
        } else {
            FMouseDown = true;
            if (!Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) &&
                !FMouseActions.DisjunctRowSelectNoCtrl())
                ClearRowSelect();
        }
    }
    if (FMouseActions.DisjunctColSelect() && acol >= FixedCols()) {
        if (Shift.Contains(ssCtrl) && ColSelect(acol)) {
            FDeselectState = true;
        } else if (!Shift.Contains(ssCtrl)) {
            FMouseDown = true;
            ClearColSelect();
        }
    }
    // 29. Links and anchors.
    if (ClickOnAnchor(acol, arow, realCol, cellR, X, Y))
        return;
    // 30. Whole grid, rows or columns selected by their headers.
    ClickOnHeaderSelect(acol, arow, Shift, oldSel);
    // 31. The column or row a header drag would move.
    FMoveCell = -1;
    if (arow < FixedRows() && acol >= FixedCols())
        FMoveCell = acol;
    else if (acol < FixedCols() && arow >= FixedRows())
        FMoveCell = arow;
    // 32.
    bool canEdit = Options().Contains(goEditing) || FMouseActions.RangeSelectAndEdit();
    canEdit = canEdit && IsEditableCell(acol, arow);
    // 33. Check boxes and radio buttons.
    if (ClickOnCheckBox(acol, arow, realCol, X, Y, eventShift, canEdit))
        return;
    // 34, 35.
    const bool sel1 = oldSel.Left == acol && oldSel.Right == acol && oldSel.Top == arow &&
                      oldSel.Bottom == arow;
    const bool normalCell = !fixedCell && !isFixedCell;
    if (normalCell && canEdit && FMouseActions.DirectEdit()) {
        HideInplaceEdit();
        setFocus();
    }
    bool selectingAfter = false;
    if (!sel1 && FMouseActions.RangeSelectAndEdit() && !isFixedCell && !canEdit) {
        SetOptions(Options() - goEditing);
        selectingAfter = true;
    }
    // 36.
    if (customFixed) {
        if (!(arow == RowCount() - 1 && FFloatingFooter.Visible() &&
              FFloatingFooter.FooterStyle() == fsFixedLastRow) &&
            OnClickCell)
            OnClickCell(this, arow, acol);
        return;
    }
    // 37. The framework's press: the cell becomes current, OnSelectCell, OnMouseDown.
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation.KeepHorizScroll();
    const int oldLeft = LeftCol();
    if (keepLeft)
        BeginUpdate();
    try {
        if (!SelectionHidden()) {
            const bool alwaysEdit = FNavigation.AlwaysEdit();
            FNavigation.SetAlwaysEdit(false);
            try {
                inherited(X, Y);
            } catch (...) {
                FNavigation.SetAlwaysEdit(alwaysEdit);
                throw;
            }
            FNavigation.SetAlwaysEdit(alwaysEdit);
        }
        const bool edge = arow == TopRow() + VisibleRowCount() ||
                          acol == LeftCol() + VisibleColCount() ||
                          (acol == LeftCol() && LeftCol() > FixedCols());
        if (GridState() == gsSelecting && edge && FMouseActions.NoAutoRangeScroll())
            SetGridState(gsNormal);
        if (TopRow() != oldTopRow && FMouseActions.NoScrollOnPartialRow())
            SetTopRow(oldTopRow);
    } catch (...) {
        if (keepLeft) {
            SetLeftCol(oldLeft);
            EndUpdate();
        }
        throw;
    }
    if (keepLeft) {
        SetLeftCol(oldLeft);
        EndUpdate();
    }
    // 38. OnClickCell, except for a column-sizing press.
    if (!NearColumnBorder(acol, arow, X) && OnClickCell)
        OnClickCell(this, arow, acol);
    // 40.
    if (IsMergedCell(realCol, arow) && !isFixedCell && (sel1 || FMouseActions.DirectEdit()) &&
        canEdit)
        ShowEditor();
    // 41. Direct editing by click.
    if (std::abs(X - cellR.Left) <= 4 || std::abs(X - cellR.Right) <= 4)
        return;
    if (normalCell && canEdit && FMouseActions.DirectEdit() && !IsControlCell(realCol, arow)) {
        if (DoCellChanging(Row(), Col(), arow, acol)) {
            TBaseGrid::SetSelection({acol, arow, acol, arow});
            ShowEditor();
        }
    }
    if (selectingAfter)
        SetGridState(gsSelecting);
}

bool TDazStringGrid::ClickOnCheckBox(int ACol, int ARow, int RealCol, int X, int Y,
                                     TShiftState Shift, bool CanEdit)
{
    const bool hotmail = ACol == 0 && FMouseActions.HotmailRowSelect();
    const bool isRB = HasRadioButton(RealCol, ARow);
    if (ACol >= ColCount() || ARow >= RowCount())
        return false;
    if (!(CanEdit || FControlLook.CheckAlwaysActive() || hotmail))
        return false;
    if (!(ARow >= FixedRows() || (FMouseActions.CheckAllCheck() && !FMouseActions.HotmailRowSelect())))
        return false;
    if (!(HasCheckBox(RealCol, ARow) || isRB) || !IsInCheckBox(RealCol, ARow, X, Y))
        return false;

    HideInplaceEdit();
    setFocus();
    const int realRow = RealRowIndex(ARow);
    if (isRB) {
        SelectRadioButtonCell(RealCol, ARow, true);
        if (OnRadioButtonClick)
            OnRadioButtonClick(this, RealCol, ARow);
    } else {
        ToggleCheckCell(RealCol, ARow, true);
    }
    if (FShowModified.Enabled()) {
        SetRowModified(ARow, true);
        RepaintCell(0, ARow);
    }
    if (hotmail) {
        TBaseGrid::SetSelection({FixedCols(), ARow, ColCount() - 1, ARow});
        SetRowSelect(ARow, !RowSelect(ARow));
        RepaintCell(0, ARow);
        if (Row() == ARow && !RowSelect(ARow))
            HideSelection();
    }
    bool state = false;
    GetCheckBoxState(RealCol, realRow, state);
    if (!FNavigation.AlwaysEdit() && ARow >= FixedRows() && ACol >= FixedCols())
        MoveColRow(ACol, ARow, true, true);
    DoCheckBoxClick(ACol, ARow, state);
    if (HideFocusRect())
        RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions.CheckAllCheck()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (FMouseActions.HotmailRowSelect())
                SetRowSelect(r, state);
            else
                SetCheckBoxState(RealCol, RealRowIndex(r), state);
        }
        InvalidateGrid();
    }
    if (OnMouseDown)
        OnMouseDown(this, mbLeft, Shift, X, Y);
    Click();
    return true;
}

bool TDazStringGrid::ClickOnAnchor(int ACol, int ARow, int RealCol, const TRect &CellR, int X,
                                   int Y)
{
    const QString text = Cells(RealCol, ARow);
    const bool html = ClassifyCellText(text, EnableHTML()) == 1;
    if (!URLShow() && !html)
        return false;
    QString anchor;
    THtmlRenderResult result;
    if (!html) {
        if (IsUrlText(text))
            anchor = text;
    } else {
        // The painter's hit test over the cell's text area.
        TRect r = CellR;
        InflateRect(r, -XYOffset().X, -XYOffset().Y);
        if (HasCheckBox(RealCol, ARow))
            r.Left += FControlLook.CheckSize();
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        TCanvas canvas(&painter);
        canvas.Font = Font().Value();
        THtmlRenderParams params;
        params.HitX = X;
        params.HitY = Y;
        params.HitTestOnly = true;
        params.PictureCache = &FImageCache;
        if (RenderHtmlText(canvas, text, r, params, result))
            anchor = result.AnchorHref;
    }
    // An embedded control of an editable cell is worked by the press; one of a cell that
    // cannot be edited is no link either.
    if (anchor == QLatin1String("ctrl") && !result.ControlID.isEmpty()) {
        bool canEdit = (Options().Contains(goEditing) || FEditDisable) && !ReadOnly(RealCol, ARow);
        CanEditCell(RealCol, ARow, canEdit);
        if (canEdit)
            return PressControlElement(ARow, ACol, RealCol, text, result);
        anchor.clear();
    }
    if (anchor.isEmpty()) {
        if (html && text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive)) {
            if (OnClickCell)
                OnClickCell(this, FPressCell.Y, FPressCell.X);
            HideInplaceEdit();
            TBaseGrid::SetSelection({ACol, ARow, ACol, ARow});
            return true;
        }
        return false;
    }
    bool autoHandle = true;
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    if (!autoHandle)
        return true;
    const int cellRef = anchor.indexOf(QLatin1String("CELL://"), 0, Qt::CaseInsensitive);
    if (cellRef >= 0) {
        TPoint cell;
        if (ParseRowColRef(anchor.mid(cellRef + 7), cell) && cell.X >= 0 && cell.Y >= 0 &&
            cell.X < ColCount() && cell.Y < RowCount()) {
            SetRow(cell.Y);
            SetCol(cell.X);
            ClampInView({cell.X, cell.Y});
        }
        return true;
    }
    // Only web and mail links reach the desktop; a program or file named by a cell does not.
    ShellOpenLink(anchor);
    return true;
}

bool TDazStringGrid::PressControlElement(int ARow, int ACol, int RealCol, QString Text,
                                         const THtmlRenderResult &Hit)
{
    // A running element edit ends first: it may rewrite the text.
    if (FCtrlEditing) {
        EndControlEdit();
        Text = Cells(RealCol, ARow);
    }
    const QString type = Hit.ControlType.toUpper();
    QString value = Hit.ControlValue;
    if (type == u"BUTTON") {
        FCtrlXY = {RealCol, ARow};
        FCtrlDown = true;
        RepaintCell(ACol, ARow);
    } else if (type == u"CHECK") {
        value = value.toUpper() == u"TRUE" ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
        if (SetControlValue(Text, Hit.ControlID, value))
            SetCells(RealCol, ARow, Text);
    } else if (type == u"RADIO") {
        Text = ClearRadioControls(Text);
        value = QStringLiteral("TRUE");
        if (SetControlValue(Text, Hit.ControlID, value))
            SetCells(RealCol, ARow, Text);
    }
    if (OnControlClick)
        OnControlClick(this, ARow, ACol, Hit.ControlID, Hit.ControlType, value);
    StartControlEdit(Text, Hit.ControlType, ARow, RealCol, ACol, Hit.ControlRect, value,
                     Hit.ControlID);
    return true;
}

// ---------------------------------------------------------------------------------------
// The grid's step inside the framework's press handling
// ---------------------------------------------------------------------------------------

void TDazStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    if (FMouseActions.RangeSelectAndEdit() && Button == mbLeft &&
        !FMouseActions.EditOnDblClickOnly() && acol >= 0 && arow >= 0) {
        if (acol == Col() && arow == Row() && !Options().Contains(goEditing) &&
            IsEditableCell(acol, arow)) {
            SetOptions(Options() + goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowEditor();
            return;
        }
        if ((acol != Col() || arow != Row()) && Options().Contains(goEditing) &&
            Shift.Contains(ssShift)) {
            SetOptions(Options() - goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    // 3. The drop-down button of a highlighted header cell.
    if (acol >= 0 && arow >= 0 && PressFixedDropDown(acol, arow, X))
        return;
    // 4. A highlighted header cell of the last fixed row takes the pressed look.
    if (acol >= 0 && arow == FixedRows() - 1 && IsHoverFixedCell(acol, arow) &&
        FControlLook.FixedGradientDownTo() != clNone)
        RepaintCell(acol, arow);
    FEditStart = true;
    try {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
    } catch (...) {
        FEditStart = false;
        throw;
    }
    FEditStart = false;
    if (Shift.Contains(ssShift) && SelectionRectangle())
        InvalidateGrid();
    const bool fixed = acol >= 0 && arow >= 0 && (acol < FixedCols() || arow < FixedRows());
    if (fixed) {
        // Header renaming by a press: a left press keeps clear of the sizing borders.
        const bool inRow = arow < FixedRows(), inCol = acol < FixedCols();
        if (Button == mbLeft && ((inRow && FMouseActions.FixedRowsEdit() == fceLeftClick) ||
                                 (inCol && FMouseActions.FixedColsEdit() == fceLeftClick))) {
            const TRect r = CellRect(acol, arow);
            const bool sizing = inRow ? Options().Contains(goColSizing)
                                      : Options().Contains(goRowSizing);
            const bool inside = inRow ? (X >= r.Left + 4 && X < r.Right - 4)
                                      : (Y >= r.Top + 4 && Y < r.Bottom - 4);
            if (!sizing || inside)
                StartFixedCellEdit(acol, arow);
        } else if (Button == mbRight &&
                   ((inRow && FMouseActions.FixedRowsEdit() == fceRightClick) ||
                    (inCol && FMouseActions.FixedColsEdit() == fceRightClick))) {
            StartFixedCellEdit(acol, arow);
        }
    } else {
        if (TStringGridBase *other = FSyncGrid.Grid()) {
            if (FSyncGrid.SelectionColumn())
                other->SetCol(Col());
            if (FSyncGrid.SelectionRow())
                other->SetRow(Row());
        }
    }
}

// ---------------------------------------------------------------------------------------
// Header drop-down button
// ---------------------------------------------------------------------------------------

QMenu *TDazStringGrid::FixedDropDownMenu() const
{
    return qobject_cast<QMenu *>(FFixedDropDownMenu.data());
}

void TDazStringGrid::SetFixedDropDownMenu(QMenu *Value)
{
    FFixedDropDownMenu = Value;
}

bool TDazStringGrid::DoCanShowFixedDropDown(int ACol)
{
    bool canShow = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, canShow);
    return canShow;
}

bool TDazStringGrid::OnHeaderButton(int ACol, int ARow, int X)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return false;
    const TRect r = CellRect(ACol, ARow);
    if (X <= r.Right - 16)
        return false;
    const int realCol = RealColIndex(ACol);
    if (FControlLook.FixedDropDownButton() && IsHoverFixedCell(ACol, ARow) &&
        DoCanShowFixedDropDown(realCol))
        return true;
    return FilterDropDownAuto() && ARow == FilterDropDownRow() && GetFilterList(realCol) &&
           FFilterList.Count() > 0;
}

bool TDazStringGrid::PressFixedDropDown(int ACol, int ARow, int X)
{
    if (!FControlLook.FixedDropDownButton() || !IsHoverFixedCell(ACol, ARow))
        return false;
    const TRect r = CellRect(ACol, ARow);
    const int margin = Options().Contains(goColSizing) ? 2 : 0;
    if (!(X > r.Right - 16 && X < r.Right - margin) || !DoCanShowFixedDropDown(RealColIndex(ACol)))
        return false;
    FDropDownDown = true;
    QMenu *menu = FixedDropDownMenu();
    if (!menu && !OnFixedDropDownClick)
        return true;
    FNoMouseLeave = true;
    if (menu)
        menu->setProperty("Column", ACol);
    bool keep = false;
    if (OnFixedDropDownClick)
        OnFixedDropDownClick(this, ACol, ARow, menu, keep);
    if (!menu) {
        FNoMouseLeave = keep;
        return true;
    }
    // The header stays highlighted while its menu is open.
    FMouseDownMove = false;
    FFixedDropDownOpen = true;
    FHoverFixedCell = {ACol, ARow};
    RepaintCell(ACol, ARow);
    QPointer<TDazStringGrid> self(this);
    QObject::connect(
        menu, &QMenu::aboutToHide, this,
        [self, keep] {
            if (!self)
                return;
            self->FFixedDropDownOpen = false;
            const TGridCoord cell = self->FHoverFixedCell;
            if (cell.X >= 0 && cell.Y >= 0)
                self->RepaintCell(cell.X, cell.Y);
            self->FNoMouseLeave = keep;
        },
        Qt::SingleShotConnection);
    menu->popup(viewport()->mapToGlobal(QPoint(r.Right - 16, r.Bottom)));
    return true;
}

// ---------------------------------------------------------------------------------------
// Scrolling
// ---------------------------------------------------------------------------------------

void TDazStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    for (TScrollControl *bar : FScrollControls)
        if (bar)
            bar->update();
    if (SelectionRectangle() && Selection().Bottom > Selection().Top)
        InvalidateGrid();
    // A background picture or gradient does not scroll with the cells.
    const TBackGroundDisplay display = FBackGround.Display();
    if (((display == bdTile || display == bdFixed) && !FBackGround.Bitmap().Empty()) ||
        ((display == bdGradientHorz || display == bdGradientVert) &&
         FBackGround.ColorTo() != clNone))
        InvalidateGrid();
    // Scrolling ends an edit in a control editor; the text editor moves with the cells.
    // (The open editor's own type: asking the cell's type again would refill a combo's
    // list under the open editor.)
    if (EditActive())
        HideInplaceEdit();
    UpdateFooterPanel();
    CellControlsUpdate(false);
    if (TStringGridBase *other = FSyncGrid.Grid()) {
        if (FSyncGrid.ScrollVertical())
            other->SetTopRow(TopRow());
        if (FSyncGrid.ScrollHorizontal())
            other->SetLeftCol(LeftCol());
    }
}
