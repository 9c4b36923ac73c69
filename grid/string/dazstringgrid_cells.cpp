// TDazStringGrid: cell texts and objects by real and display indexes, the current cell,
// the in-place editor's text, cell controls, per-cell looks and the header lists.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"

// ---------------------------------------------------------------------------------------
// Texts and objects by real row
// ---------------------------------------------------------------------------------------

QString TDazStringGrid::HiddenCellText(const TGridItem *Item, int ACol) const
{
    const TStringList &cells = Item->Items();
    return ACol < cells.Count() ? cells.Strings(ACol) : QString();
}

QString TDazStringGrid::AllCells(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return QString();
    if (const TGridItem *item = HiddenRowItem(ARow)) {
        QString text = HiddenCellText(item, ACol);
        GetDisplText(ACol, ARow, text);
        return text;
    }
    return Cells(ACol, DisplRowIndex(ARow));
}

void TDazStringGrid::SetAllCells(int ACol, int ARow, const QString &Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (TGridItem *item = HiddenRowItem(ARow)) {
        TStringList &cells = item->Items();
        while (cells.Count() <= ACol)
            cells.Add(QString());
        cells.SetStrings(ACol, Value);
        return;
    }
    const int row = DisplRowIndex(ARow);
    SetCells(ACol, row, Value);
    if (DisplColIndex(ACol) != ACol)
        RepaintRealCell(ACol, row);
}

QString TDazStringGrid::AllGridCells(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0)
        return QString();
    if (const TGridItem *item = HiddenRowItem(ARow))
        return HiddenCellText(item, ACol);
    return GetGridCell(ACol, DisplRowIndex(ARow));
}

void TDazStringGrid::SetAllGridCells(int ACol, int ARow, const QString &Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (TGridItem *item = HiddenRowItem(ARow)) {
        item->Items().SetStrings(ACol, Value);
        return;
    }
    const int row = DisplRowIndex(ARow);
    SetGridCell(ACol, row, Value);
    if (DisplColIndex(ACol) != ACol)
        RepaintRealCell(ACol, row);
}

QString TDazStringGrid::AllWideCells(int ACol, int ARow)
{
    return DecodeWideCellText(AllCells(ACol, ARow));
}

void TDazStringGrid::SetAllWideCells(int ACol, int ARow, const QString &Value)
{
    SetAllCells(ACol, ARow, Value);
}

TObject *TDazStringGrid::GetAllGridObject(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    if (const TGridItem *item = HiddenRowItem(ARow)) {
        const TStringList &cells = item->Items();
        return ACol < cells.Count() ? cells.Objects(ACol) : nullptr;
    }
    return GetGridObject(ACol, DisplRowIndex(ARow));
}

uintptr_t TDazStringGrid::AllObjects(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0)
        return 0;
    if (HiddenRowItem(ARow)) {
        const auto *p = dynamic_cast<const TCellProperties *>(GetAllGridObject(ACol, ARow));
        return p ? p->CellObject() : 0;
    }
    return GetObjectEx(ACol, DisplRowIndex(ARow));
}

void TDazStringGrid::SetAllObjects(int ACol, int ARow, uintptr_t Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (TGridItem *item = HiddenRowItem(ARow)) {
        // The slot holds the cell's record; a user value never goes into it bare.
        TStringList &cells = item->Items();
        while (cells.Count() <= ACol)
            cells.Add(QString());
        auto *p = dynamic_cast<TCellProperties *>(cells.Objects(ACol));
        if (!p) {
            p = new TCellProperties(this, ACol, ARow);
            cells.SetObjects(ACol, p);
        }
        p->SetCellObject(Value);
        return;
    }
    SetObjectEx(ACol, DisplRowIndex(ARow), Value);
}

const TStringList *TDazStringGrid::HiddenRowCells(int ARealRow) const
{
    const TGridItem *item = HiddenRowItem(ARealRow);
    return item ? &item->Items() : nullptr;
}

// ---------------------------------------------------------------------------------------
// Column order and sort order
// ---------------------------------------------------------------------------------------

int TDazStringGrid::ColumnPosition(int ACol) const
{
    if (FColumnOrder.Count() == 0)
        return ACol;
    const int n = std::min(FColumnOrder.Count(), AllColCount());
    int p = ACol;
    for (int i = 0; i < n; ++i)
        if (FColumnOrder.GetInteger(i) == ACol) {
            p = i;
            break;
        }
    if (FGroupColumn != -1 && ACol >= FGroupColumn)
        --p;
    return p;
}

QString TDazStringGrid::OriginalCells(int ACol, int ARow)
{
    const int p = ColumnPosition(ACol);
    return Cells(p < 0 ? ACol : p, ARow);
}

void TDazStringGrid::SetOriginalCells(int ACol, int ARow, const QString &Value)
{
    const int p = ColumnPosition(ACol);
    SetCells(p < 0 ? ACol : p, ARow, Value);
}

int TDazStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FSortRowXRef.Count() == 0)
        return ARow;
    for (int i = 0; i < FSortRowXRef.Count(); ++i)
        if (FSortRowXRef.GetInteger(i) == ARow)
            return i;
    return FSortRowXRef.Count();
}

int TDazStringGrid::SortedRowIndex(int ARow) const
{
    const int row = ARow >= 0 && ARow < FSortRowXRef.Count() ? FSortRowXRef.GetInteger(ARow) : ARow;
    return RealRowIndex(row);
}

QString TDazStringGrid::UnSortedCells(int ACol, int ARow)
{
    return Cells(ACol, FSortRowXRef.Count() >= ARow ? UnSortedRowIndex(ARow) : ARow);
}

void TDazStringGrid::SetUnSortedCells(int ACol, int ARow, const QString &Value)
{
    SetCells(ACol, FSortRowXRef.Count() >= ARow ? UnSortedRowIndex(ARow) : ARow, Value);
}

// ---------------------------------------------------------------------------------------
// Derived texts
// ---------------------------------------------------------------------------------------

QString TDazStringGrid::StrippedCells(int ACol, int ARow)
{
    QString text = Cells(ACol, ARow);
    // Most cells carry no mark-up; they are read as they are.
    return text.contains(u'<') ? HtmlToPlainText(text) : text;
}

int TDazStringGrid::LinesInCell(int ACol, int ARow)
{
    return 1 + int(Cells(ACol, ARow).count(QChar(u'\r')));
}

// ---------------------------------------------------------------------------------------
// Current cell and the in-place editor's text
// ---------------------------------------------------------------------------------------

QString TDazStringGrid::GetCurrentCell()
{
    const TPoint base = BaseCell(RealCol(), Row());
    return GetGridCell(base.X, base.Y);
}

void TDazStringGrid::SetCurrentCell(const QString &Value)
{
    const TPoint base = BaseCell(RealCol(), Row());
    SetCells(base.X, base.Y, Value);
}

QString TDazStringGrid::GetCurrentCellText()
{
    const TPoint base = BaseCell(RealCol(), Row());
    return Cells(base.X, base.Y);
}

void TDazStringGrid::SetCurrentCellEditText(const QString &Value)
{
    int baseCol = 0, baseRow = 0;
    if (ResolveBaseCell(RealCol(), Row(), baseCol, baseRow))
        SetEditText(Col(), Row(), Value);
    else
        SetEditText(DisplColIndex(baseCol), baseRow, Value);
}

QString TDazStringGrid::GetEditText(int ACol, int ARow)
{
    FNoEditChange = true;
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    const QString text = TBaseGrid::GetEditText(base.X, base.Y);
    return FEditWithTags ? text : HtmlToPlainText(text);
}

void TDazStringGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    TBaseGrid::SetEditText(base.X, base.Y, Value);
}

// ---------------------------------------------------------------------------------------
// Controls in cells
// ---------------------------------------------------------------------------------------

QWidget *TDazStringGrid::CellControls(int ACol, int ARow) const
{
    const TCellProperties *p = PropsOf(ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TDazStringGrid::SetCellControls(int ACol, int ARow, QWidget *AControl)
{
    const int realRow = RealRowIndex(ARow);
    if (!AControl) {
        TCellProperties *p = PropsOf(ACol, ARow);
        if (!p || !p->Control())
            return;
        const int i = FControlList.ControlIndex(ACol, realRow);
        if (i >= 0)
            FControlList.RemoveControl(i);
        FCellControlCount = std::max(0, FCellControlCount - 1);
        p->SetControl(nullptr);
        return;
    }
    TCellProperties *p = PropsFor(ACol, ARow);
    const int i = FControlList.ControlIndex(ACol, realRow);
    if (i >= 0)
        FControlList.RemoveControl(i);
    if (!p->Control())
        ++FCellControlCount;
    FControlList.AddControl(ACol, realRow, AControl);
    p->SetControl(AControl);
    AControl->setParent(viewport());
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    AControl->setGeometry(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

// ---------------------------------------------------------------------------------------
// Per-cell looks
// ---------------------------------------------------------------------------------------

TCellProperties *TDazStringGrid::PropsOf(int ACol, int ARow) const
{
    return HasCellProperties(ACol, ARow) ? const_cast<TDazStringGrid *>(this)->GetCellProperties(ACol, ARow)
                                         : nullptr;
}

void TDazStringGrid::RepaintRealCell(int ACol, int ARow)
{
    RepaintCell(DisplColIndex(ACol), ARow);
}

// Writes a value into the cell's record (made when missing) and repaints the cell; cells
// outside the grid are ignored.
#define CF_CELL_LOOK(Type, Name, Getter, Setter, None)                                        \
    Type TDazStringGrid::Name(int ACol, int ARow) const                                     \
    {                                                                                       \
        const TCellProperties *p = PropsOf(ACol, ARow);                                     \
        return p ? p->Getter() : None;                                                      \
    }                                                                                       \
    void TDazStringGrid::Set##Name(int ACol, int ARow, Type Value)                          \
    {                                                                                       \
        if (!InGrid(ACol, ARow))                                                            \
            return;                                                                         \
        PropsFor(ACol, ARow)->Setter(Value);                                                \
        RepaintRealCell(ACol, ARow);                                                        \
    }
CF_CELL_LOOK(TColor, Colors, BrushColor, SetBrushColor, clNone)
CF_CELL_LOOK(TColor, ColorsTo, BrushColorTo, SetBrushColorTo, clNone)
CF_CELL_LOOK(TCellGradientDirection, Gradients, GradientDirection, SetGradientDirection,
             GradientVertical)
CF_CELL_LOOK(TColor, FontColors, FontColor, SetFontColor, clNone)
CF_CELL_LOOK(TFontStyles, FontStyles, FontStyle, SetFontStyle, 0)
CF_CELL_LOOK(int, FontSizes, FontSize, SetFontSize, 0)
CF_CELL_LOOK(TAlignment, Alignments, Alignment, SetAlignment, taLeftJustify)
CF_CELL_LOOK(bool, ReadOnly, ReadOnly, SetReadOnly, false)
#undef CF_CELL_LOOK

QString TDazStringGrid::FontNames(int ACol, int ARow) const
{
    const TCellProperties *p = PropsOf(ACol, ARow);
    return p ? p->FontName() : QString();
}

void TDazStringGrid::SetFontNames(int ACol, int ARow, const QString &Value)
{
    if (!InGrid(ACol, ARow))
        return;
    PropsFor(ACol, ARow)->SetFontName(Value);
    RepaintRealCell(ACol, ARow);
}

bool TDazStringGrid::WordWraps(int ACol, int ARow)
{
    if (!InGrid(ACol, ARow))
        return false;
    return PropsFor(ACol, ARow)->WordWrap();
}

void TDazStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
    if (!InGrid(ACol, ARow))
        return;
    PropsFor(ACol, ARow)->SetWordWrap(Value);
    RepaintRealCell(ACol, ARow);
}

TFontObject &TDazStringGrid::Fonts(int ACol, int ARow)
{
    const TCellProperties *p = PropsOf(ACol, ARow);
    if (!p)
        return Font();
    FScratchFont.SetName(p->FontName());
    FScratchFont.SetSize(p->FontSize());
    FScratchFont.SetStyle(p->FontStyle());
    FScratchFont.SetColor(p->FontColor());
    return FScratchFont;
}

void TDazStringGrid::SetFonts(int ACol, int ARow, const TFontObject &Value)
{
    if (!InGrid(ACol, ARow))
        return;
    TCellProperties *p = PropsFor(ACol, ARow);
    p->SetFontName(Value.Name());
    p->SetFontSize(Value.Size());
    p->SetFontStyle(Value.Style());
    p->SetFontColor(Value.Color());
    if (!FUpdateLock.Locked())
        RepaintRealCell(ACol, ARow);
}

// Sets one value in every cell of a display row, from the first normal column on. With
// clNone no record is made, and a record that then holds no graphic, merge or control (nor
// a brush colour, when KeepBrush) is freed.
template <class F>
void TDazStringGrid::ForRowCells(int ARow, TColor Value, bool KeepBrush, F Set)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    for (int c = TBaseGrid::FixedCols(); c < AllColCount(); ++c) {
        TCellProperties *p = Value == clNone ? PropsOf(c, ARow) : PropsFor(c, ARow);
        if (!p)
            continue;
        Set(p);
        if (Value != clNone)
            continue;
        const auto *g = dynamic_cast<const TCellGraphic *>(p->GraphicObject());
        const bool bare = !p->GraphicObject() || (g && g->CellType == ctNone);
        if (bare && !(KeepBrush && p->BrushColor() != clNone) && !p->Control() && !IsMergedCell(c, ARow)) {
            delete p->GraphicObject();
            FreeCellProperties(c, ARow);
        }
    }
    InvalidateRow(ARow);
}

void TDazStringGrid::SetRowColor(int ARow, TColor Value)
{
    ForRowCells(ARow, Value, false, [Value](TCellProperties *p) { p->SetBrushColor(Value); });
}

void TDazStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    ForRowCells(ARow, Value, false, [Value](TCellProperties *p) { p->SetBrushColorTo(Value); });
}

void TDazStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    ForRowCells(ARow, Value, true, [Value](TCellProperties *p) { p->SetFontColor(Value); });
}

// ---------------------------------------------------------------------------------------
// Header lists
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetColumnHeaders(const TStringList &Value)
{
    FColumnHeaders.Assign(&Value);
    if (FixedRows() > 0)
        ClearColumnHeaders();
    ShowColumnHeaders();
}

void TDazStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    const int n = std::min(FColumnHeaders.Count(), TotalColCount());
    for (int i = 0; i < n; ++i)
        SetCells(i, 0, UnescapeNewlines(FColumnHeaders.Strings(i)));
}

void TDazStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, 0, QString());
}

void TDazStringGrid::SetRowHeaders(const TStringList &Value)
{
    FRowHeaders.Assign(&Value);
    ShowRowHeaders();
}

void TDazStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    const int n = std::min(FRowHeaders.Count(), RowCount());
    for (int i = 0; i < n; ++i)
        SetCells(0, i, UnescapeNewlines(FRowHeaders.Strings(i)));
}

void TDazStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(0, r, QString());
}

void TDazStringGrid::SetLookupItems(const TStringList *Value)
{
    if (Value)
        FLookupItems.Assign(Value);
}
