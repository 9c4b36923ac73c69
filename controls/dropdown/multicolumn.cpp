// The multi-column drop-down: item selection, completion while typing, the list search,
// opening, sizing and closing the list, and the colour styles.
#include "controls/dropdown/multicolumn.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

using namespace DazMultiColumnDropDown;
using namespace DropDownList;

TDazMultiColumnDropDown::TDazMultiColumnDropDown(QWidget *Parent) : TListDropDownEdit(Parent)
{
    InitializeDropDown();
    InitializeList();
    SetSelectionColorStyle(scOffice2007);
}

TDazMultiColumnDropDown::~TDazMultiColumnDropDown() = default;

void TDazMultiColumnDropDown::Assign(const TDazMultiColumnDropDown *Source)
{
    TDazCustomDropDown::Assign(Source);
    if (!Source)
        return;
    const TDazMultiColumnDropDown &s = *Source;
    CaseSensitive = s.CaseSensitive;
    DropDownAutoWidth = s.DropDownAutoWidth;
    DropDownRowHeight = s.DropDownRowHeight;
    LineColor = s.LineColor;
    FixedLineColor = s.FixedLineColor;
    ColumnSizing = s.ColumnSizing;
    ColumnSizeWithDropDown = s.ColumnSizeWithDropDown;
    FColumns.Assign(&s.FColumns);
    HeaderColor = s.HeaderColor;
    HeaderColorTo = s.HeaderColorTo;
    HeaderHeight = s.HeaderHeight;
    HeaderFont = s.HeaderFont;
    LookupColumn = s.LookupColumn;
    SelectionTextColor = s.SelectionTextColor;
    FItems.Assign(&s.FItems);
    FItemIndex = s.FItemIndex;
}

// ---------------------------------------------------------------------------------------
// Items and the lookup texts
// ---------------------------------------------------------------------------------------

QString TDazMultiColumnDropDown::LookupTextAt(int Index) const
{
    return LookupColumn >= 0 ? FItems.Items(Index)->TextAt(LookupColumn) : QString();
}

void TDazMultiColumnDropDown::SetItemIndex(int Value)
{
    if (Value >= FItems.Count())
        return;
    FItemIndex = Value;
    SetListText(Value >= 0 ? LookupTextAt(Value) : QString());
}

int TDazMultiColumnDropDown::GetItemIndex(const QString &Text) const
{
    if (LookupColumn < 0)
        return -1;
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->TextAt(LookupColumn) == Text)
            return i;
    return -1;
}

void TDazMultiColumnDropDown::RebuildListLookup()
{
    FListLookup.Clear();
    for (int i = 0; i < FItems.Count(); ++i)
        FListLookup.Add(LookupTextAt(i));
}

int TDazMultiColumnDropDown::LookupItem(const QString &Text, QString &Found) const
{
    if (!FDazColGrid)
        return -1;
    const int i = FListLookup.FindPrefix(Text, CaseSensitive);
    if (i >= 0)
        Found = FListLookup.Text(i);
    return i;
}

// ---------------------------------------------------------------------------------------
// The open list
// ---------------------------------------------------------------------------------------

void TDazMultiColumnDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    TDropDownForm *form = DropDownForm();
    if (!form)
        return;
    if (!FDazColGrid) {
        FDazColGrid = new TDazColGrid(form);
        FDazColGrid->SetDropDown(this);
        FDazColGrid->setGeometry(0, 0, FDazColGrid->width(), 180);
        FDazColGrid->SetColor(DropDownColor);
    }
    form->OnSizing = [this](TObject *) { DropDownSizing(); };
}

void TDazMultiColumnDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    if (TDropDownForm *form = DropDownForm())
        form->CancelOnDeActivate = false;
    FShowing = true;
    RebuildListLookup();
    if (TDazColGrid *g = FDazColGrid) {
        g->FillFromDropDown(this);
        g->SetOptions(g->Options() + goThumbTracking);
        g->SetColor(DropDownColor);
        g->OnSelectCell = [this](TObject *, int, int ARow, bool &) { ListSelectCell(ARow); };
        g->OnSelect = [this](TObject *) { ListSelect(); };
        int row = FItemIndex + 1;
        if (row < g->FixedRows())
            row = 1;
        if (row < g->RowCount())
            g->SetRow(row);
    }
    FOldItemIndex = FItemIndex;
}

void TDazMultiColumnDropDown::SizeDropDownForm()
{
    TDazCustomDropDown::SizeDropDownForm();
    if (FDazColGrid)
        SizeListForm(*FDazColGrid, FDazColGrid->TotalWidth());
}

void TDazMultiColumnDropDown::PlaceDropDownControl()
{
    SetDropDownControl(FDazColGrid);
    TDazCustomDropDown::PlaceDropDownControl();
}

void TDazMultiColumnDropDown::DoShowDropDown()
{
    TDazCustomDropDown::DoShowDropDown();
    if (TDazColGrid *g = FDazColGrid; g && DroppedDown()) {
        FitListColumns();
        if (g->RowCount() > 1) {
            const int row = FItemIndex < 0 ? 1 : FItemIndex + 1;
            if (row < g->RowCount())
                g->SetRow(row);
            const TRect r = g->CellRect(g->FixedCols(), g->Row());
            if (r.Left <= 0 && r.Top <= 0)
                g->SetTopRow(g->Row() - g->VisibleRowCount() + 1);
        }
    }
    FShowing = false;
}

void TDazMultiColumnDropDown::FitListColumns()
{
    if (FDazColGrid)
        FitColumnsOf(*FDazColGrid, FDazColGrid->Columns());
}

void TDazMultiColumnDropDown::DropDownSizing()
{
    FitListColumns();
}

void TDazMultiColumnDropDown::ListSelectCell(int ARow)
{
    if (!FShowing && FDazColGrid && !FDazColGrid->MouseWheelSelection())
        SetItemIndex(ARow - 1);
}

void TDazMultiColumnDropDown::ListSelect()
{
    if (FDazColGrid && FDazColGrid->ConfirmSelection())
        SetItemIndex(FDazColGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TDazMultiColumnDropDown::DoHideDropDown(bool Cancelled)
{
    TDropDownForm *form = DropDownForm();
    const bool visible = form && form->isVisible();
    TDazCustomDropDown::DoHideDropDown(Cancelled);
    if (!visible)
        return;
    if (Cancelled) {
        SetItemIndex(FOldItemIndex);
        return;
    }
    if (FDazColGrid && FDazColGrid->ConfirmSelection())
        SetItemIndex(FDazColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

// ---------------------------------------------------------------------------------------
// Keys in the open list
// ---------------------------------------------------------------------------------------

void TDazMultiColumnDropDown::ControlKeyDown(uint16_t &Key, TShiftState Shift)
{
    if (IsListMoveKey(Key) && !Shift.Contains(ssAlt))
        return;   // moves in the list
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt))
        return;   // the list itself sends these to the edit
    EditKeyDown(Key, Shift);
}

void TDazMultiColumnDropDown::ControlKeyUp(uint16_t &Key, TShiftState Shift)
{
    if (IsListMoveKey(Key) && !Shift.Contains(ssAlt))
        return;
    EditKeyUp(Key, Shift);
}

void TDazMultiColumnDropDown::ControlKeyPress(QChar &Key)
{
    TDazColGrid *g = FDazColGrid;
    const bool enterOrEscape = Key == QChar(13) || Key == QChar(27);
    const bool alt = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    if (!g || (enterOrEscape && !alt) || g->Options().Contains(goEditing)) {
        FLookupEntry.clear();
        return;
    }
    const int k = ListSearch(Key);
    if (k < 0) {
        FLookupEntry.clear();
        return;
    }
    const int row = k + 1;
    if (row < g->TopRow() || row > g->TopRow() + g->VisibleRowCount())
        g->SetTopRow(row);
    g->SetRow(row);
    g->SetCol(0);
}

int TDazMultiColumnDropDown::ListSearch(QChar Ch)
{
    if (Ch == QChar(8)) {
        ListBackspace();
        return -1;
    }
    if (Ch != QChar(9))
        FLookupEntry += Ch;
    QString found;
    int k = LookupItem(FLookupEntry, found);
    if (k >= 0) {
        FItemIndex = k;
        SetListText(found);
        const int typedLength = int(std::min(FLookupEntry.size(), found.size()));
        setSelection(typedLength, int(found.size()) - typedLength);
        return k;
    }
    k = LookupItem(QString(Ch), found);
    if (k >= 0) {
        FItemIndex = k;
        SetListText(found);
        FLookupEntry = QString(Ch);
        return k;
    }
    FLookupEntry.clear();
    return -1;
}

// ---------------------------------------------------------------------------------------
// Colour styles
// ---------------------------------------------------------------------------------------

void TDazMultiColumnDropDown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    ApplyListStyle(Value, true);
}
