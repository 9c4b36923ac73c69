#include "grid/string/dazcolumngrid.h"

#include "grid/base/textroutines.h"
#include "grid/string/gridcombo.h"
#include "platform/inifile.h"
#include "platform/rtl.h"

#include <QMenu>
#include <vector>

// ---------------------------------------------------------------------------------------
// TGridColumnItem
// ---------------------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TCollection *Collection) : TCollectionItem(Collection)
{
    TPen border;
    border.Color = 0xC0C0C0;
    border.Width = 1;
    FBorderPen.SetValue(border);
    TPen print;
    print.Color = clBlack;
    print.Width = 1;
    FPrintBorderPen.SetValue(print);
    if (TDazColumnGrid *grid = Grid()) {
        FColor = grid->Color();
        FFont.SetValue(grid->Font().Value());
        FHeaderFont.SetValue(grid->Font().Value());
        FPrintFont.SetValue(grid->Font().Value());
    }
    FNotify = Collection != nullptr;
    const TNotifyEvent changed = [this](TObject *) { ItemChanged(); };
    FFont.OnChange = changed;
    FHeaderFont.OnChange = changed;
    FBorderPen.OnChange = changed;
    FFilter.OnChange = [this](TObject *) { Repaint(); };
}

TGridColumnItem::~TGridColumnItem() = default;

TDazColumnGrid *TGridColumnItem::Grid() const
{
    const auto *c = dynamic_cast<const TGridColumnCollection *>(Collection());
    return c ? c->Grid() : nullptr;
}

QString TGridColumnItem::DisplayName() const
{
    if (!FName.isEmpty())
        return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
    return QStringLiteral("Column %1").arg(Index());
}

void TGridColumnItem::ItemChanged()
{
    if (FNotify)
        Changed(false);
}

void TGridColumnItem::Repaint() const
{
    if (TDazColumnGrid *grid = Grid())
        grid->Invalidate();
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    ItemChanged();
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    ItemChanged();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    const bool repaint = (Value == edDataCheckBox) != (FEditor == edDataCheckBox);
    FEditor = Value;
    if (repaint)
        Repaint();
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    ItemChanged();
}

void TGridColumnItem::SetFloatFormat(const QString &Value)
{
    FFloatFormat = Value;
    Repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    ItemChanged();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    ItemChanged();
}

void TGridColumnItem::SetHeader(const QString &Value)
{
    FHeader = Value;
    TDazColumnGrid *grid = Grid();
    if (!grid)
        return;
    if (grid->FixedRows() > 0 && !grid->FColumnMoving) {
        grid->SetCells(Index(), 0, Value);
        ItemChanged();
    }
    grid->RebuildColumnHeaders();
}

int TGridColumnItem::Width() const
{
    const TDazColumnGrid *grid = Grid();
    return grid && Index() >= 0 ? grid->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
    if (TDazColumnGrid *grid = Grid(); grid && Index() >= 0 && Index() < grid->AllColCount())
        grid->SetAllColWidths(Index(), Value);
}

QString TGridColumnItem::Rows(int ARow) const
{
    TDazColumnGrid *grid = Grid();
    return grid ? grid->Cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString &Value)
{
    if (TDazColumnGrid *grid = Grid())
        grid->SetCells(Index(), ARow, Value);
}

int TGridColumnItem::Ints(int ARow) const
{
    TDazColumnGrid *grid = Grid();
    return grid ? grid->Ints(Index(), ARow) : 0;
}

void TGridColumnItem::SetInts(int ARow, int Value)
{
    if (TDazColumnGrid *grid = Grid())
        grid->SetInts(Index(), ARow, Value);
}

double TGridColumnItem::Floats(int ARow) const
{
    TDazColumnGrid *grid = Grid();
    return grid ? grid->Floats(Index(), ARow) : 0.0;
}

void TGridColumnItem::SetFloats(int ARow, double Value)
{
    if (TDazColumnGrid *grid = Grid())
        grid->SetFloats(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Dates(int ARow) const
{
    TDazColumnGrid *grid = Grid();
    return grid ? grid->Dates(Index(), ARow) : TDateTime();
}

void TGridColumnItem::SetDates(int ARow, TDateTime Value)
{
    if (TDazColumnGrid *grid = Grid())
        grid->SetDates(Index(), ARow, Value);
}

TDateTime TGridColumnItem::Times(int ARow) const
{
    TDazColumnGrid *grid = Grid();
    return grid ? grid->Times(Index(), ARow) : TDateTime();
}

void TGridColumnItem::SetTimes(int ARow, TDateTime Value)
{
    if (TDazColumnGrid *grid = Grid())
        grid->SetTimes(Index(), ARow, Value);
}

void TGridColumnItem::CopyFrom(const TGridColumnItem &S, bool Visuals)
{
    FAutoMinSize = S.FAutoMinSize;
    FAutoMaxSize = S.FAutoMaxSize;
    FAlignment = S.FAlignment;
    FBorders = S.FBorders;
    FBorderPen.Assign(&S.FBorderPen);
    FCheckFalse = S.FCheckFalse;
    FCheckTrue = S.FCheckTrue;
    FColumnPopup = S.FColumnPopup;
    FEditLength = S.FEditLength;
    FEditLink = S.FEditLink;
    FEditMask = S.FEditMask;
    FEditor = S.FEditor;
    FFilter.Assign(&S.FFilter);
    FFilterCaseSensitive = S.FFilterCaseSensitive;
    FFixed = S.FFixed;
    FFloatFormat = S.FFloatFormat;
    FHeaderAlignment = S.FHeaderAlignment;
    FMinSize = S.FMinSize;
    FMaxSize = S.FMaxSize;
    FPassword = S.FPassword;
    FPrintBorders = S.FPrintBorders;
    FPrintBorderPen.Assign(&S.FPrintBorderPen);
    FPrintColor = S.FPrintColor;
    FPrintFont.Assign(&S.FPrintFont);
    FReadOnly = S.FReadOnly;
    FShowBands = S.FShowBands;
    FSortStyle = S.FSortStyle;
    FSortPrefix = S.FSortPrefix;
    FSortSuffix = S.FSortSuffix;
    FSpinMax = S.FSpinMax;
    FSpinMin = S.FSpinMin;
    FSpinStep = S.FSpinStep;
    if (Visuals) {
        if (TDazColumnGrid *grid = Grid()) {
            FColor = grid->Color();
            FFont.SetValue(grid->Font().Value());
        }
        return;
    }
    FColor = S.FColor;
    FFont.Assign(&S.FFont);
    FHeader = S.FHeader;
    FName = S.FName;
    FTag = S.FTag;
    FComboItems.Assign(&S.FComboItems);
    FDropDownCount = S.FDropDownCount;
    FHeaderFont.Assign(&S.FHeaderFont);
    FColumnPopupType = S.FColumnPopupType;
    FPrintBorderCustom = S.FPrintBorderCustom;
    FPrintFontCustom = S.FPrintFontCustom;
}

void TGridColumnItem::Assign(const TPersistent *Source)
{
    if (const auto *s = dynamic_cast<const TGridColumnItem *>(Source))
        CopyFrom(*s, false);
}

void TGridColumnItem::AssignVisuals(const TPersistent *Source)
{
    if (const auto *s = dynamic_cast<const TGridColumnItem *>(Source))
        CopyFrom(*s, true);
}

// ---------------------------------------------------------------------------------------
// TGridColumnCollection
// ---------------------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TDazColumnGrid *Grid)
    : TCollection([](TCollection *c) -> TCollectionItem * { return new TGridColumnItem(c); }),
      FGrid(Grid)
{
}

TGridColumnItem *TGridColumnCollection::Add()
{
    auto *item = static_cast<TGridColumnItem *>(TCollection::Add());
    if (Count() > 1)
        item->AssignVisuals(Items(Count() - 2));
    return item;
}

TGridColumnItem *TGridColumnCollection::Insert(int Index)
{
    return static_cast<TGridColumnItem *>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem *Item)
{
    TCollection::Update(Item);
    if (!FGrid || UpdateCount() > 0 || NoResize() || FGrid->Loading())
        return;
    const int shown = Count() - FGrid->NumHiddenColumns();
    if (shown != FGrid->ColCount() && shown > FGrid->FixedCols())
        FGrid->SetColCount(shown);
    FGrid->UpdateColumnHeaders();
    FGrid->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    if (FGrid) {
        BeginNoResize();
        FGrid->UpdateColumnCount();
        EndNoResize();
    }
    for (int i = 0; i < Count(); ++i)
        Items(i)->DefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FGrid)
        return;
    // Passes until nothing moves; each pass moves every item that stands behind its place.
    for (int pass = 0; pass <= Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < Count(); ++i) {
            const int def = Items(i)->DefIdx;
            if (def < i && def >= 0) {
                FGrid->MoveColumn(FGrid->DisplColIndex(i), FGrid->DisplColIndex(def));
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

// ---------------------------------------------------------------------------------------
// TDazColumnGrid: keeping one item per real column
// ---------------------------------------------------------------------------------------

TDazColumnGrid::TDazColumnGrid(QWidget *AOwner) : TDazStringGrid(AOwner)
{
    FColumns = CreateColumns();
    FColumns->BeginNoResize();
    UpdateColumnCount();
    FColumns->EndNoResize();
    FDataCheckGraphic.CellType = ctVirtCheckBox;
}

TDazColumnGrid::~TDazColumnGrid()
{
    delete FColumns;
    FColumns = nullptr;
}

TGridColumnCollection *TDazColumnGrid::CreateColumns()
{
    return new TGridColumnCollection(this);
}

void TDazColumnGrid::SetColumns(const TGridColumnCollection &Value)
{
    FColumns->BeginNoResize();
    FColumns->Assign(&Value);
    FColumns->EndNoResize();
    Invalidate();
}

void TDazColumnGrid::UpdateColumnCount()
{
    if (!FColumns)
        return;
    const int want = AllColCount();
    while (FColumns->Count() < want)
        FColumns->Add();
    while (FColumns->Count() > want)
        FColumns->Delete(FColumns->Count() - 1);
}

void TDazColumnGrid::SetColCount(int Value)
{
    TDazStringGrid::SetColCount(Value);
    FColumns->BeginNoResize();
    UpdateColumnCount();
    FColumns->EndNoResize();
}

void TDazColumnGrid::Loaded()
{
    TDazStringGrid::Loaded();
    UpdateColumnCount();
    FColumns->SetOrganization();
}

void TDazColumnGrid::CellsLoaded()
{
    TDazStringGrid::CellsLoaded();
    FColumns->BeginNoResize();
    UpdateColumnCount();
    FColumns->EndNoResize();
}

void TDazColumnGrid::InsertCols(int ColIndex, int CCount)
{
    TDazStringGrid::InsertCols(ColIndex, CCount);
    FColumns->BeginNoResize();
    const int at = std::clamp(ColIndex, 0, FColumns->Count());
    for (int i = 0; i < CCount && FColumns->Count() < AllColCount(); ++i)
        FColumns->Insert(at);
    UpdateColumnCount();
    FColumns->EndNoResize();
}

void TDazColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    const int before = AllColCount();
    TDazStringGrid::RemoveCols(ColIndex, CCount);
    const int removed = before - AllColCount();
    FColumns->BeginNoResize();
    for (int i = 0; i < removed && ColIndex >= 0 && ColIndex < FColumns->Count(); ++i)
        FColumns->Delete(ColIndex);
    UpdateColumnCount();
    FColumns->EndNoResize();
}

TGridColumnItem *TDazColumnGrid::ColumnOf(int ACol) const
{
    return FColumns && ACol >= 0 && ACol < FColumns->Count() ? FColumns->Items(ACol) : nullptr;
}

TGridColumnItem *TDazColumnGrid::GetColumnByName(const QString &AValue) const
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->Name() == AValue)
            return FColumns->Items(i);
    return nullptr;
}

QString TDazColumnGrid::GetVersionString() const
{
    const unsigned v = unsigned(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

// ---------------------------------------------------------------------------------------
// Headers
// ---------------------------------------------------------------------------------------

void TDazColumnGrid::RebuildColumnHeaders()
{
    FHeadersRebuilding = true;
    struct Done
    {
        TDazColumnGrid *g;
        ~Done() { g->FHeadersRebuilding = false; }
    } done{this};
    TStringList &headers = ColumnHeaders();
    headers.BeginUpdate();
    headers.Clear();
    for (int i = 0; i < FColumns->Count(); ++i)
        headers.Add(FColumns->Items(i)->Header());
    headers.EndUpdate();
}

void TDazColumnGrid::UpdateColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TGridColumnItem *item = FColumns->Items(i);
        const QString cell = GetGridCell(i, 0);
        if (item->Header().isEmpty() && !cell.isEmpty())
            item->FHeader = cell;
    }
    RebuildColumnHeaders();
}

void TDazColumnGrid::ColumnHeadersChanged()
{
    if (FHeadersRebuilding || !FColumns)
        return;
    const TStringList &headers = ColumnHeaders();
    for (int i = 0; i < FColumns->Count() && i < headers.Count(); ++i)
        FColumns->Items(i)->FHeader = headers.Strings(i);
}

// ---------------------------------------------------------------------------------------
// Per-cell answers
// ---------------------------------------------------------------------------------------

bool TDazColumnGrid::IsNormalColumnCell(int ACol, int ARow) const
{
    return ColumnOf(ACol) && ACol >= FixedCols() &&
           ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters();
}

bool TDazColumnGrid::BandsPaint() const
{
    return const_cast<TDazColumnGrid *>(this)->Bands().Active();
}

void TDazColumnGrid::GetCellDefaults(int ACol, int ARow, TFont &Font, TBrush &Brush,
                                     TColor &ColorTo, TColor &MirrorColor, TColor &MirrorColorTo,
                                     TAlignment &HAlign, TVAlignment &VAlign, bool &WordWrap,
                                     TCellGradientDirection &GradientDirection)
{
    TGridColumnItem *item = ColumnOf(ACol);
    if (!item) {
        TDazStringGrid::GetCellDefaults(ACol, ARow, Font, Brush, ColorTo, MirrorColor,
                                        MirrorColorTo, HAlign, VAlign, WordWrap,
                                        GradientDirection);
        return;
    }
    const bool fixedRow = ARow < FixedRows();
    Font = item->Font().Value();
    Brush.Color = item->Color();
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HAlign = fixedRow ? item->HeaderAlignment() : item->Alignment();
    VAlign = VAlignment();
    WordWrap = TDazStringGrid::WordWrap();
    GradientDirection = GradientVertical;
    if (fixedRow || ACol < FixedCols() || item->Fixed() || (BandsPaint() && item->ShowBands()))
        Brush.Color = clNone;
}

void TDazColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                                  TFont &AFont)
{
    TGridColumnItem *item = ColumnOf(ACol);
    if (item && ACol >= FixedCols() && ACol < AllColCount() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        const bool fixedRow = ARow < FixedRows();
        if (item->Fixed())
            ABrush.Color = FixedColor();
        else if (!fixedRow && !(item->ShowBands() && BandsPaint()))
            ABrush.Color = item->Color();
        AFont = fixedRow ? item->HeaderFont().Value() : item->Font().Value();
    }
    // The cell's own colours, then the event.
    TDazStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TDazColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState,
                                       TBrush &ABrush, TFont &AFont)
{
    TGridColumnItem *item = ColumnOf(ACol);
    if (item && ACol >= FixedCols() && ARow >= FixedRows()) {
        if (item->Fixed())
            ABrush.Color = FixedColor();
        else if (!(item->ShowBands() && BandsPaint() && Bands().Print()))
            ABrush.Color = item->PrintColor();
        if (const TCellProperties *p = PropsOf(ACol, ARow); p && p->BrushColor() != clNone)
            ABrush.Color = p->BrushColor();
        if (item->PrintFontCustom()) {
            AFont = item->PrintFont().Value();
            if (const TCellProperties *p = PropsOf(ACol, ARow)) {
                if (p->FontColor() != clNone)
                    AFont.Color = p->FontColor();
                if (p->FontStyle() != 0)
                    AFont.Style = p->FontStyle();
                if (p->FontSize() != 0)
                    AFont.Size = p->FontSize();
                if (!p->FontName().isEmpty())
                    AFont.Name = p->FontName();
            }
        } else {
            AFont = PrintSettings().Font().Value();
        }
    } else if (ACol < FixedCols() || ARow < FixedRows()) {
        AFont = PrintSettings().FixedFont().Value();
    }
    TDazStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TDazColumnGrid::GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (TGridColumnItem *item = ColumnOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = item->Borders();
        APen = item->BorderPen().Value();
    }
    TDazStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TDazColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders)
{
    if (TGridColumnItem *item = ColumnOf(ACol);
        item && ACol >= FixedCols() && ARow >= FixedRows() && item->PrintBorderCustom()) {
        Borders = item->PrintBorders();
        APen = item->PrintBorderPen().Value();
    }
    TDazStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TDazColumnGrid::GetCellAlign(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign)
{
    // A cell with its own record keeps its own alignment.
    if (TGridColumnItem *item = ColumnOf(ACol); item && !PropsOf(ACol, ARow))
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    TDazStringGrid::GetCellAlign(ACol, ARow, HAlign, VAlign);
}

void TDazColumnGrid::GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix)
{
    if (TGridColumnItem *item = ColumnOf(ACol)) {
        AStyle = item->SortStyle();
        aPrefix = item->SortPrefix();
        aSuffix = item->SortSuffix();
    }
    TDazStringGrid::GetColFormat(ACol, AStyle, aPrefix, aSuffix);
}

QString TDazColumnGrid::GetFloatFormat(int ACol, int ARow)
{
    if (TGridColumnItem *item = ColumnOf(ACol); item && !item->FloatFormat().isEmpty())
        return item->FloatFormat();
    return TDazStringGrid::GetFloatFormat(ACol, ARow);
}

QString TDazColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    TGridColumnItem *item = ColumnOf(ACol);
    if (!item)
        return TDazStringGrid::GetFormattedCell(ACol, ARow);
    QString format = item->FloatFormat();
    const QString text = Cells(ACol, ARow);
    bool isFloat = DetectNumberKind(text.trimmed()) < 2;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!format.isEmpty() && isFloat) {
        try {
            return Format(format, {Floats(ACol, ARow)});
        } catch (const std::exception &) {
            return text;
        }
    }
    return text;
}

void TDazColumnGrid::IsFixedCell(int ACol, int ARow, bool &IsFixed)
{
    // The query takes display columns; the item is the real column's.
    if (ACol >= FixedCols() && ARow >= FixedRows())
        if (TGridColumnItem *item = ColumnOf(RealColIndex(ACol)))
            IsFixed = IsFixed || item->Fixed();
    TDazStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TDazColumnGrid::IsPasswordCell(int ACol, int ARow, bool &IsPassword)
{
    if (TGridColumnItem *item = ColumnOf(ACol))
        IsPassword = item->Password();
    TDazStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

void TDazColumnGrid::GetCheckTrue(int ACol, int ARow, QString &Value)
{
    TDazStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (IsNormalColumnCell(ACol, ARow))
        Value = ColumnOf(ACol)->CheckTrue();
}

void TDazColumnGrid::GetCheckFalse(int ACol, int ARow, QString &Value)
{
    TDazStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (IsNormalColumnCell(ACol, ARow))
        Value = ColumnOf(ACol)->CheckFalse();
}

bool TDazColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (TGridColumnItem *item = ColumnOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows())
        has = item->Editor() == edComboEdit || item->Editor() == edComboList;
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, has);
    return has;
}

void TDazColumnGrid::IsEditableCell(int ACol, int ARow, bool &CanEdit)
{
    CanEdit = false;
    const TPoint base = BaseCell(ACol, ARow);
    if (!Loading()) {
        if (TGridColumnItem *item = ColumnOf(base.X);
            item && base.X >= FixedCols() && base.Y >= FixedRows()) {
            CanEdit = !item->ReadOnly() && !item->Fixed();
            if (HasCellProperties(base.X, base.Y) && ReadOnly(base.X, base.Y))
                CanEdit = false;
        }
    }
    if (OnCanEditCell)
        OnCanEditCell(this, base.Y, base.X, CanEdit);
}

void TDazColumnGrid::GetCellEditorType(int ACol, int ARow, TEditorType &AEditor)
{
    TGridColumnItem *item = ColumnOf(ACol);
    if (item && ACol >= FixedCols() && ARow >= FixedRows()) {
        AEditor = item->Editor();
        // The list of a combo open over a cell stays as it is.
        TGridCombo *combo = Combobox();
        if (!(EditActive() && EditCtrl() == combo)) {
            combo->clear();
            for (int i = 0; i < item->ComboItems().Count(); ++i)
                combo->AddItem(item->ComboItems().Strings(i), item->ComboItems().Objects(i));
        }
        combo->SetDropDownCount(item->DropDownCount());
        SetEditLink(item->EditLink());
        ControlLook().SetDropDownCount(item->DropDownCount());
    }
    if (item && !item->FloatFormat().isEmpty())
        SetFloatFormat(item->FloatFormat());
    TDazStringGrid::GetCellEditorType(ACol, ARow, AEditor);
}

int TDazColumnGrid::GetEditLimit()
{
    const int col = Col();
    if (col >= FixedCols() && col < FColumns->Count())
        if (TGridColumnItem *item = ColumnOf(RealColIndex(col)))
            return item->EditLength();
    return TDazStringGrid::GetEditLimit();
}

QString TDazColumnGrid::GetEditMask(int ACol, int ARow)
{
    QString mask;
    if (ACol >= FixedCols() && ACol < FColumns->Count())
        if (TGridColumnItem *item = ColumnOf(RealColIndex(ACol)))
            mask = item->EditMask();
    const QString own = TDazStringGrid::GetEditMask(ACol, ARow);
    return own.isEmpty() ? mask : own;
}

TCellGraphic *TDazColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic *own = TDazStringGrid::GetCellGraphic(ACol, ARow);
    if (own || !FColumns || !IsNormalColumnCell(ACol, ARow) ||
        ColumnOf(ACol)->Editor() != edDataCheckBox)
        return own;
    FDataCheckGraphic.CellType = ctVirtCheckBox;
    FDataCheckGraphic.CellTransparent = ControlLook().ControlStyle() == csFlat;
    return &FDataCheckGraphic;
}

TCellType TDazColumnGrid::GetCellType(int ACol, int ARow)
{
    if (FColumns && IsNormalColumnCell(ACol, ARow) && ColumnOf(ACol)->Editor() == edDataCheckBox &&
        !TDazStringGrid::GetCellGraphic(ACol, ARow))
        return ctDataCheckBox;
    return TDazStringGrid::GetCellType(ACol, ARow);
}

bool TDazColumnGrid::GetFilterList(int ACol)
{
    FilterList().SetSorted(false);
    const bool found = TDazStringGrid::GetFilterList(ACol);
    TGridColumnItem *item = ColumnOf(ACol);
    if (!item || item->Filter().Count() == 0)
        return found;
    TStringList &list = FilterList();
    list.SetSorted(false);
    list.Clear();
    for (int i = 0; i < item->Filter().Count(); ++i)
        list.Add(item->Filter().Strings(i).section(u'=', 0, 0));
    return true;
}

// ---------------------------------------------------------------------------------------
// Widths, moves and popups
// ---------------------------------------------------------------------------------------

void TDazColumnGrid::UpdateColSize(int ACol, int &AWidth)
{
    if (TGridColumnItem *item = ColumnOf(ACol)) {
        if (item->MinSize() > 0 && AWidth < item->MinSize())
            AWidth = item->MinSize();
        if (item->MaxSize() > 0 && AWidth > item->MaxSize())
            AWidth = item->MaxSize();
    }
    TDazStringGrid::UpdateColSize(ACol, AWidth);
}

void TDazColumnGrid::UpdateAutoColSize(int ACol, int &AWidth)
{
    if (TGridColumnItem *item = ColumnOf(ACol)) {
        if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize())
            AWidth = item->AutoMinSize();
        if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize())
            AWidth = item->AutoMaxSize();
    }
    TDazStringGrid::UpdateAutoColSize(ACol, AWidth);
}

void TDazColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FColumns->BeginNoResize();
    const int top = TopRow();
    const int from = RealColIndex(FromIndex);
    const int to = RealColIndex(ToIndex);
    TDazStringGrid::ColumnMoved(FromIndex, ToIndex);
    BeginUpdate();
    FColumnMoving = true;
    if (from >= 0 && to >= 0 && from < FColumns->Count() && to < FColumns->Count() && from != to)
        FColumns->Items(from)->SetIndex(to);
    TDazStringGrid::SetTopRow(top);
    FColumnMoving = false;
    EndUpdate();
    FColumns->EndNoResize();
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, from, to);
}

void TDazColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TDazStringGrid::MouseDown(Button, Shift, X, Y);
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0)
        return;
    TGridColumnItem *item = ColumnOf(RealColIndex(col));
    if (!item || !item->ColumnPopup())
        return;
    const TColumnPopupType type = item->ColumnPopupType();
    const bool fixedRow = row < FixedRows();
    bool show = false;
    if (Button == mbLeft)
        show = (fixedRow && (type == cpFixedCellsLClick || type == cpAllCellsLClick)) ||
               (!fixedRow && (type == cpNormalCellsLClick || type == cpAllCellsLClick));
    else if (Button == mbRight)
        show = (fixedRow && (type == cpFixedCellsRClick || type == cpAllCellsRClick)) ||
               (!fixedRow && (type == cpNormalCellsRClick || type == cpAllCellsRClick));
    const bool matchesButton =
        Button == mbLeft ? (type == cpFixedCellsLClick || type == cpNormalCellsLClick ||
                            type == cpAllCellsLClick)
                         : (type == cpFixedCellsRClick || type == cpNormalCellsRClick ||
                            type == cpAllCellsRClick);
    if (!matchesButton)
        return;
    QMenu *menu = item->ColumnPopup();
    if (OnColumnPopup)
        OnColumnPopup(this, RealColIndex(col), row, menu);
    if (show && menu) {
        const TRect r = CellRect(col, row);
        menu->popup(viewport()->mapToGlobal(QPoint(r.Left, r.Bottom)));
    }
}

// ---------------------------------------------------------------------------------------
// Column positions
// ---------------------------------------------------------------------------------------

void TDazColumnGrid::SaveColumnPositions(const QString &Key, const QString &Section)
{
    TMemIniFile ini(Key);
    for (int i = 0; i < FColumns->Count(); ++i)
        ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), FColumns->Items(i)->DefIdx);
    ini.UpdateFile();
}

void TDazColumnGrid::SaveColPositions()
{
    const TColumnSize &cs = ColumnSize();
    if (cs.Location() != clIniFile)
        TDazStringGrid::SaveColPositions();
    else if (!cs.Key().isEmpty() && !cs.Section().isEmpty())
        SaveColumnPositions(cs.Key(), cs.Section());
}

void TDazColumnGrid::LoadColPositions()
{
    const TColumnSize &cs = ColumnSize();
    if (cs.Location() != clIniFile)
        TDazStringGrid::LoadColPositions();
    else if (!cs.Key().isEmpty() && !cs.Section().isEmpty())
        LoadColumnPositions(cs.Key(), cs.Section());
}

void TDazColumnGrid::LoadColumnPositions(const QString &Key, const QString &Section)
{
    const TMemIniFile ini(Key);
    const int n = FColumns->Count();
    // Only a permutation of the items is an order: a missing key, a value out of range
    // or a value twice changes nothing.
    std::vector<int> k(size_t(n), -1);
    std::vector<bool> seen(size_t(n), false);
    for (int j = 0; j < n; ++j) {
        const int v = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(j), -1);
        if (v < 0 || v >= n || seen[size_t(v)])
            return;
        seen[size_t(v)] = true;
        k[size_t(j)] = v;
    }
    ResetColumnOrder();
    for (int j = 0; j < n; ++j)
        FColumns->Items(k[size_t(j)])->DefIdx = j;
    FColumns->ResetOrganization();
    for (int j = 0; j < n; ++j)
        FColumns->Items(j)->DefIdx = k[size_t(j)];
}
