// TDazStringGrid: the per-cell questions painting, editing and the data tools ask (colour,
// border, alignment, editor, fixed state, check texts, filter list) and the small relays of
// editor notifications to published events.
#include "grid/string/dazstringgrid.h"

#include "grid/base/textroutines.h"
#include "grid/string/datetimetext.h"
#include "platform/rtl.h"


namespace {

bool IsPlainBrushKind(TCellType t)
{
    switch (t) {
    case ctIcon:
    case ctNone:
    case ctImageList:
    case ctEmpty:
    case ctImages:
    case ctComment:
        return true;
    default:
        return false;
    }
}

bool IsComboEditor(TEditorType e) { return e == edComboEdit || e == edComboList; }

bool IsSpinEditor(TEditorType e)
{
    return e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit ||
           e == edDateSpinEdit;
}

}   // namespace

void TDazStringGrid::CanEditCell(int ACol, int ARow, bool &CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TDazStringGrid::DoSearchFooterAction(const QString &Value, int ACol, int ARow,
                                          TSearchAction SearchAction)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TDazStringGrid::DoButtonClickCell(int ACol, int ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TDazStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, Expanded);
    if (ARow >= 0 && ARow < RowCount())
        SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TDazStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TDazStringGrid::DoComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}

void TDazStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor)
        return;
    QCursor c = cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, c);
    viewport()->setCursor(c);
}

void TDazStringGrid::GetCellHint(int ACol, int ARow, QString &Hint, QString &WideHint)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, Hint);
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.isEmpty())
            Hint = EncodeWideCellText(WideHint);
    }
}

void TDazStringGrid::ApplyCellFont(const TCellProperties &P, TFont &AFont)
{
    if (P.FontColor() != clNone)
        AFont.Color = P.FontColor();
    if (P.FontStyle() != 0)
        AFont.Style = P.FontStyle();
    if (P.FontSize() != 0)
        AFont.Size = P.FontSize();
    if (!P.FontName().isEmpty())
        AFont.Name = P.FontName();
}

void TDazStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                                  TFont &AFont)
{
    if (FActiveCellShow) {
        const int dcol = DisplColIndex(ACol);
        const bool rowHeader = ARow == Row() && FixedCols() > 0 && dcol == FixedCols() - 1;
        const bool colHeader = dcol == Col() && FixedRows() > 0 && ARow == FixedRows() - 1;
        if (rowHeader || colHeader) {
            AFont = FActiveCellFont.Value();
            ABrush.Color = FActiveCellColor;
        }
    }
    if (const TCellProperties *p = PropsOf(ACol, ARow)) {
        if (p->BrushColor() != clNone && IsPlainBrushKind(GetCellType(ACol, ARow)))
            ABrush.Color = p->BrushColor();
        ApplyCellFont(*p, AFont);
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TDazStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState,
                                       TBrush &ABrush, TFont &AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TDazStringGrid::GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (ACol > 0 && ARow >= 0 && ARow < RowCount()) {
        const TCellType rowType = GetCellType(0, ARow);
        if (FGrouping.HeaderUnderline() && rowType == ctNode) {
            Borders = {cbBottom};
            APen.Color = FGrouping.HeaderLineColor();
            APen.Width = FGrouping.HeaderLineWidth();
        }
        if (FGrouping.SummaryLine() && rowType == ctSummary) {
            Borders = {cbTop};
            APen.Color = FGrouping.SummaryLineColor();
            APen.Width = FGrouping.SummaryLineWidth();
        }
    }
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TDazStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TDazStringGrid::GetCellAlign(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
    if (ACol == 0 && FMouseActions.HotmailRowSelect())
        HAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TDazStringGrid::GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix,
                                  QString &aSuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

void TDazStringGrid::GetCellEditorForSpin(int ACol, int ARow, TEditorType &AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TDazStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType &AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TDazStringGrid::IsCellEditorNone(int ACol, int ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType e = edNormal;
    OnGetEditorType(this, ACol, ARow, e);
    return e == edNone;
}

void TDazStringGrid::IsFixedCell(int ACol, int ARow, bool &IsFixed)
{
    if (IsFixed)
        return;
    IsFixed = (FFixedRowAlways && ARow <= FRequestedFixedRows &&
               RowCount() == FRequestedFixedRows) ||
              (FFixedColAlways && ACol < FRequestedFixedCols &&
               ColCount() == FRequestedFixedCols) ||
              ACol < FixedCols() || ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TDazStringGrid::IsFixed(int ACol, int ARow)
{
    int col = ACol, row = ARow;
    if (ACol >= 0 && ARow >= 0 && HasCellProps()) {
        int bc = 0, br = 0;
        ResolveBaseCell(RealColIndex(ACol), ARow, bc, br);
        col = DisplColIndex(bc);
        row = br;
    }
    if (row >= RowCount() - FFixedFooters || col >= ColCount() - FFixedRightCols)
        return true;
    bool fixed = false;
    IsFixedCell(col, row, fixed);
    return fixed;
}

void TDazStringGrid::IsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TDazStringGrid::GetCellWordWrap(int ACol, int ARow, bool &WordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TDazStringGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (OnHasComboBox) {
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook.DropDownAlwaysVisible()) {
        TEditorType e = DefaultEditor();
        GetCellEditorType(ACol, ARow, e);
        has = IsComboEditor(e);
    }
    return has;
}

bool TDazStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool has = false;
    if (OnHasSpinEdit) {
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook.SpinButtonsAlwaysVisible()) {
        TEditorType e = DefaultEditor();
        GetCellEditorForSpin(ACol, ARow, e);
        has = IsSpinEditor(e);
    }
    return has;
}

bool TDazStringGrid::GetFilterList(int ACol)
{
    FFilterList.Clear();
    if (FilterDropDownAuto() && (ACol >= FixedCols() || FilterDropDownColumns() == fdAll)) {
        // Distinct texts in sorted order; a text with a blank filters on its quoted form.
        auto entry = [](const QString &t) {
            return t.contains(u' ') ? t + u'=' + u'"' + t + u'"' : t;
        };
        FFilterList.SetDuplicates(dupIgnore);
        FFilterList.SetSorted(true);
        for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
            FFilterList.Add(entry(Cells(ACol, r).trimmed()));
        if (!FilterIncremental())
            for (int i = 0; i < FHiddenRows.Count(); ++i)
                FFilterList.Add(entry(HiddenCellText(FHiddenRows.Item(i), ACol)));
        FFilterList.SetSorted(false);
        if (!FilterDropDownClear().isEmpty())
            FFilterList.Insert(0, FilterDropDownClear());
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, ACol, FFilterList);
    return FFilterList.Count() > 0;
}

void TDazStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment &HAlign,
                                      TVAlignment &VAlign)
{
    HAlign = FDefaultAlignment;
    VAlign = FVAlignment;
    bool formula = false;
    if (AutoNumAlign()) {
        QString text = Cells(ACol, ARow);
        if (text.startsWith(u'=') || (text.startsWith(QLatin1String("|\\")) &&
                                      text.size() > 3 && text[3] == u'=')) {
            formula = text.startsWith(u'=');
            text = GetCellRawText(ACol, ARow);
        }
        const int kind = DetectNumberKind(text.trimmed());
        if (kind == 0 || kind == 1 || kind == 5)
            HAlign = taRightJustify;
    }
    if (!formula)
        if (const TCellProperties *p = PropsOf(ACol, ARow))
            HAlign = p->Alignment();
    GetCellAlign(ACol, ARow, HAlign, VAlign);
}

void TDazStringGrid::GetCellDefaults(int ACol, int ARow, TFont &Font, TBrush &Brush,
                                     TColor &ColorTo, TColor &MirrorColor,
                                     TColor &MirrorColorTo, TAlignment &HAlign,
                                     TVAlignment &VAlign, bool &WordWrap,
                                     TCellGradientDirection &GradientDirection)
{
    // A record made while the grid is being built must not ask the descendant's events
    // about a cell that does not exist yet.
    TBaseGrid::GetCellDefaults(ACol, ARow, Font, Brush, ColorTo, MirrorColor, MirrorColorTo,
                               HAlign, VAlign, WordWrap, GradientDirection);
    if (ACol < 0 || ARow < 0 || ARow >= RowCount())
        return;
    const int dcol = DisplColIndex(ACol);
    TGridDrawState state;
    GetVisualProperties(dcol, ARow, state, false, true, true, Brush, ColorTo, MirrorColor,
                        MirrorColorTo, Font, HAlign, VAlign, WordWrap, GradientDirection);
    // The record keeps no colour of its own for what the grid paints by its own rules.
    if (IsFixed(dcol, ARow) || FBands.Active() || FBackGround.Display() == bdGradientHorz ||
        FBackGround.Display() == bdGradientVert || state.Contains(gdSelected)) {
        Brush.Color = clNone;
        ColorTo = clNone;
    }
}

void TDazStringGrid::CellTextChanged(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow))
        return;
    TPoint size;
    GetCellTextSize(ACol, ARow, size, false, true);
    SetScrollProp(ACol, ARow, TScrollProp{RowHeights(ARow), size.Y});
}

QString TDazStringGrid::GetEditMask(int ACol, int ARow)
{
    QString mask = EditMask();
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

void TDazStringGrid::CalcSizingState(int X, int Y, TGridState &State, int &Index,
                                     int &SizingPos, int &SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    TGridCoord c = MouseCoord(X - 6, Y);
    if (c.Y >= 0 && c.Y < FixedRows() && c.X >= 0 && OnColumnSize) {
        bool allow = true;
        OnColumnSize(this, c.X, allow);
        if (!allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    c = MouseCoord(X, Y - 6);
    if (c.X >= 0 && c.X < FixedCols() && c.Y >= 0 && OnRowSize) {
        bool allow = true;
        OnRowSize(this, c.Y, allow);
        if (!allow)
            State = gsNormal;
    }
}

// --- Editor relays ----------------------------------------------------------------------

void TDazStringGrid::DoDateTimeChange(TDateTime ADateTime)
{
    if (OnDateTimeChange)
        OnDateTimeChange(this, Col(), Row(), ADateTime);
}

void TDazStringGrid::DoDatePickerChange(bool TimeKind, TDateTime Value)
{
    if (OnEditChange)
        OnEditChange(this, Col(), Row(), TimeKind ? TimeToStr(Value) : DateToStr(Value));
}

void TDazStringGrid::DoDatePickerCloseUp()
{
    if (OnDatePickerCloseUp)
        OnDatePickerCloseUp(this, Row(), Col());
    if (FMouseActions.DirectDateClose())
        HideEditor();
}

void TDazStringGrid::DoDatePickerDropDown()
{
    if (OnDatePickerDropDown)
        OnDatePickerDropDown(this, Row(), Col());
}

void TDazStringGrid::DoButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this, Col(), Row());
}
