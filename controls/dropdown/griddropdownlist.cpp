// The grid drop-down: its items and rows, lookup and narrow-down while typing, opening,
// choosing and closing, sorting hooks and the relays of the inner grid's events.
#include "controls/dropdown/griddropdownlist.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"
#include "grid/string/griddatatools.h"
#include "platform/rtl.h"

#include <QGuiApplication>
#include <QKeyEvent>

using namespace DazCustomGridDropDown;
using namespace DropDownList;

TCustomDazGridDropDown::TCustomDazGridDropDown(QWidget *Parent) : TListDropDownEdit(Parent)
{
    CreateItems();
    InitializeDropDown();
    InitializeList();
    FNavigation.SetHomeEndKey(heFirstLastRow);
    SetSelectionColorStyle(scOffice2007);
}

TCustomDazGridDropDown::~TCustomDazGridDropDown() = default;

void TCustomDazGridDropDown::CreateItems()
{
    FItems = std::make_unique<TDropDownItems>(this);
}

void TCustomDazGridDropDown::Loaded()
{
    EndUpdate();
    if (FDazColGrid)
        FDazColGrid->FillFromItems();
}

void TCustomDazGridDropDown::SetStyle(TDropDownStyle Value)
{
    FStyle = Value;
    SetEditorEnabled(Value == dsDropDown);
}

void TCustomDazGridDropDown::SetGridImages(TCustomImageList *Value)
{
    FGridImages = Value;
    if (FDazColGrid)
        FDazColGrid->SetGridImages(Value);
}

void TCustomDazGridDropDown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    ApplyListStyle(Value, false);
}

// ---------------------------------------------------------------------------------------
// Items, rows and lookups
// ---------------------------------------------------------------------------------------

int TCustomDazGridDropDown::ItemCount() const
{
    if (UseItems)
        return FItems->Count();
    return FDazColGrid ? FDazColGrid->RowCount() - FDazColGrid->FixedRows() : 0;
}

QString TCustomDazGridDropDown::LookupTextAt(int Index) const
{
    return LookupColumn >= 0 ? FItems->Items(Index)->TextAt(LookupColumn) : QString();
}

int TCustomDazGridDropDown::ItemOfRow(int ARow) const
{
    if (!FDazColGrid || ARow >= FDazColGrid->RowCount())
        return ARow;
    return int(intptr_t(FDazColGrid->GetObjectEx(0, ARow)));
}

int TCustomDazGridDropDown::RowOfItem(int Item) const
{
    if (Item >= 0 && FDazColGrid)
        for (int r = FDazColGrid->FixedRows(); r < FDazColGrid->RowCount(); ++r)
            if (ItemOfRow(r) == Item)
                return r;
    return FItemIndex;
}

void TCustomDazGridDropDown::SetItemIndex(int Value)
{
    if (UseItems) {
        if (Value >= FItems->Count())
            return;
        FItemIndex = Value;
        SetListText(Value >= 0 ? LookupTextAt(Value) : QString());
        return;
    }
    if (!FDazColGrid) {
        FItemIndex = Value;
        return;
    }
    if (Value == FItemIndex || Value >= FDazColGrid->RowCount() - 1)
        return;
    FItemIndex = Value;
    SetListText(Value < 0 ? QString() : FDazColGrid->Cells(LookupColumn, Value + 1));
}

bool TCustomDazGridDropDown::LookupText(const QString &Text, QString &FullText, int &Index) const
{
    Index = -1;
    FullText.clear();
    if (Text.isEmpty())
        return false;
    const QString wanted = CaseSensitive ? Text : AnsiUpperCase(Text);
    auto matches = [&](const QString &Candidate) {
        return (CaseSensitive ? Candidate : AnsiUpperCase(Candidate)).startsWith(wanted);
    };
    if (UseItems) {
        // The folded texts of EndUpdate when they still match the items.
        if (FLookupItems.Count() == FItems->Count()) {
            Index = FLookupItems.FindPrefix(Text, CaseSensitive);
            if (Index >= 0)
                FullText = FLookupItems.Text(Index);
            return Index >= 0;
        }
        for (int i = 0; i < FItems->Count(); ++i)
            if (const QString t = LookupTextAt(i); matches(t)) {
                FullText = t;
                Index = i;
                return true;
            }
        return false;
    }
    if (!FDazColGrid)
        return false;
    for (int r = FDazColGrid->FixedRows(); r < FDazColGrid->RowCount(); ++r)
        if (const QString t = FDazColGrid->Cells(LookupColumn, r); matches(t)) {
            FullText = t;
            Index = r;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------------------
// The list search
// ---------------------------------------------------------------------------------------

int TCustomDazGridDropDown::ListSearch(QChar Ch)
{
    if (LookupMethod == lmNone)
        return -1;
    if (Ch == QChar(8)) {
        ListBackspace();
        return -1;
    }
    if (Ch != QChar(9))
        FLookupEntry += Ch;
    const QString entry = FLookupEntry.trimmed();
    TDazColGrid *g = FDazColGrid;
    if (LookupMethod == lmNarrowDown) {
        if (!g)
            return -1;
        IGridDataTools *tools = GridDataTools();
        if (entry.isEmpty()) {
            if (tools)
                tools->RemoveAllFilters(*g);
        } else {
            g->SetFixedRowAlways(true);
            if (tools)
                tools->NarrowDown(*g, entry, LookupColumn);
            if (FStyle == dsDropDown && g->RowCount() > g->FixedRows()) {
                const QString first = g->Cells(LookupColumn, g->FixedRows());
                SetListText(first);
                const int typed = int(std::min(FLookupEntry.size(), first.size()));
                setSelection(typed, int(first.size()) - typed);
            }
        }
        return g->FixedRows();
    }
    QString full;
    int index = -1;
    if (LookupText(entry, full, index)) {
        FItemIndex = index;
        SetListText(full);
        if (FStyle == dsDropDown) {
            const int typed = int(std::min(entry.size(), full.size()));
            setSelection(typed, int(full.size()) - typed);
        }
        return index;
    }
    if (FStyle != dsDropDownList)
        return -1;
    if (LookupText(QString(Ch), full, index)) {
        FItemIndex = index;
        SetListText(full);
        FLookupEntry = QString(Ch);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

// ---------------------------------------------------------------------------------------
// Keys in the edit
// ---------------------------------------------------------------------------------------

bool TCustomDazGridDropDown::KeyDownBefore(uint16_t &Key, TShiftState Shift)
{
    TDazColGrid *g = FDazColGrid;
    if (g && g->Options().Contains(goEditing) && g->EditMode() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        g->HideInplaceEdit();
        SetListText(g->Cells(LookupColumn, g->Row()));
        SetItemIndex(UseItems ? ItemOfRow(g->Row()) : g->Row() - g->FixedRows());
        Key = 0;
        return true;
    }
    if (LookupColumn >= 0 && ItemCount() > 0 && (Key == VK_ESCAPE || IsListNavigationKey(Key)))
        FLookupEntry.clear();
    return TListDropDownEdit::KeyDownBefore(Key, Shift);
}

void TCustomDazGridDropDown::EditKeyUp(uint16_t Key, TShiftState Shift)
{
    TDazColGrid *g = FDazColGrid;
    if (g && g->Options().Contains(goEditing) && g->EditMode() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        if (g->Col() == LookupColumn)
            HideDropDown(false);
        else
            g->HideInplaceEdit();
    }
    TListDropDownEdit::EditKeyUp(Key, Shift);
}

void TCustomDazGridDropDown::NavigationKey(uint16_t Key, TShiftState Shift)
{
    if (isEnabled() && !Shift.Contains(ssAlt) && IsListNavigationKey(Key) && Key != VK_LEFT &&
        Key != VK_RIGHT)
        FLookupEntry.clear();
    TListDropDownEdit::NavigationKey(Key, Shift);
}

void TCustomDazGridDropDown::keyPressEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    if (k.Key == VK_RETURN && FDazColGrid)
        FDazColGrid->SetConfirmSelection(true);
    TListDropDownEdit::keyPressEvent(Event);
    if (k.Char.isNull() || (k.Char < QChar(32) && k.Char != QChar(8)))
        return;
    ListSearch(k.Char);
    if (AutoShowDropDown)
        ShowDropDown();
}

void TCustomDazGridDropDown::keyReleaseEvent(QKeyEvent *Event)
{
    TListDropDownEdit::keyReleaseEvent(Event);
}

void TCustomDazGridDropDown::focusInEvent(QFocusEvent *Event)
{
    TListDropDownEdit::focusInEvent(Event);
    if (FDazColGrid)
        if (IGridDataTools *tools = GridDataTools())
            tools->RemoveAllFilters(*FDazColGrid);
    FLookupEntry.clear();
}

// ---------------------------------------------------------------------------------------
// Opening, choosing and closing
// ---------------------------------------------------------------------------------------

void TCustomDazGridDropDown::CreateDropDownForm()
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
        FDazColGrid->Navigation().SetHomeEndKey(heFirstLastRow);
    }
    form->OnSizing = [this](TObject *) { DropDownSizing(); };
}

void TCustomDazGridDropDown::BlockActivate(bool Value)
{
    if (TDropDownForm *form = DropDownForm())
        form->BlockActivate = Value;
}

void TCustomDazGridDropDown::BeforeDropDown()
{
    if (TDropDownForm *form = DropDownForm())
        form->CancelOnDeActivate = false;
    if (TDazColGrid *g = FDazColGrid) {
        g->FillFromDropDown(this);
        g->SetColor(DropDownColor);
        g->SortSettings().SetShow(Sorting != gsNone);
        g->SortSettings().SetIndexShow(Sorting == gsMultiColumn);
        FBalloonInit = false;
        g->SetGridImages(FGridImages);
        AttachRelays();
        g->SearchFooter().Assign(&FSearchFooter);
        g->MouseActions().Assign(&FMouseActions);
        g->Navigation().Assign(&FNavigation);
        g->Bands().Assign(&FBands);
        TGridOptions o = g->Options() + goThumbTracking;
        o = RowSelect ? o + goRowSelect : o - goRowSelect;
        o = GridEditable ? o + goEditing : o - goEditing;
        g->SetOptions(o);
        g->OnCanSort = [this](TObject *, int, bool &) { FTempItemIndex = FItemIndex; };
        g->OnClickSort = [this](TObject *, int) {
            if (FTempItemIndex >= 0)
                FDazColGrid->SetRow(RowOfItem(FTempItemIndex));
        };
        g->OnSelectCell = [this](TObject *, int, int ARow, bool &) { ListSelectCell(ARow); };
        g->OnSelect = [this](TObject *) { ListSelect(); };
        g->SetComponentStyle(GetComponentStyle());
        if (UseItems) {
            TDazCustomDropDown::BeforeDropDown();
            g->SetRowCount(FItems->Count() + 1);
            g->SetFixedRows(1);
            g->FillFromItems();
            const int row = RowOfItem(FItemIndex);
            if (row >= g->FixedRows() && row < g->RowCount())
                g->SetRow(row);
        } else {
            QString full;
            int row = -1;
            LookupText(GetText(), full, row);
            g->SetRow(row >= g->FixedRows() ? row : g->FixedRows());
        }
        if (g->SortSettings().Column() >= 0 && g->SortSettings().Show()) {
            // The current row follows the chosen item to its sorted place (the sort's own row
            // changes pass through the list's row selection).
            const int item = FItemIndex;
            g->QSort();
            const int row = UseItems ? RowOfItem(item) : -1;
            if (row >= g->FixedRows() && row < g->RowCount())
                g->SetRow(row);
        }
    }
    FOldItemIndex = FItemIndex;
    if (!UseItems || !FDazColGrid)
        TDazCustomDropDown::BeforeDropDown();
}

void TCustomDazGridDropDown::SizeDropDownForm()
{
    TDazCustomDropDown::SizeDropDownForm();
    if (FDazColGrid)
        SizeListForm(*FDazColGrid, FDazColGrid->TotalWidth());
}

void TCustomDazGridDropDown::PlaceDropDownControl()
{
    SetDropDownControl(FDazColGrid);
    TDazCustomDropDown::PlaceDropDownControl();
}

void TCustomDazGridDropDown::DoShowDropDown()
{
    TDazCustomDropDown::DoShowDropDown();
    TDazColGrid *g = FDazColGrid;
    if (!g)
        return;
    if (!UseItems)
        while (FColumns.Count() < g->ColCount())
            FColumns.Add();
    if (DroppedDown())
        FitListColumns();
    if (g->VisibleRowCount() + g->FixedRows() < g->RowCount() &&
        (g->Row() >= g->TopRow() + g->VisibleRowCount() || g->Row() < g->TopRow()))
        g->SetTopRow(g->Row());
    FSelRow = g->Row();
    g->setFocusPolicy(Qt::StrongFocus);
    if (DroppedDown())
        g->setFocus();
}

void TCustomDazGridDropDown::FitListColumns()
{
    if (FDazColGrid)
        FitColumnsOf(*FDazColGrid, FDazColGrid->Columns());
}

void TCustomDazGridDropDown::DropDownSizing()
{
    FitListColumns();
}

void TCustomDazGridDropDown::ListSelectCell(int ARow)
{
    TDazColGrid *g = FDazColGrid;
    FSelRow = ARow;
    if (!g || g->MouseWheelSelection())
        return;
    if (UseItems) {
        SetItemIndex(ItemOfRow(ARow));
    } else {
        SetListText(g->Cells(LookupColumn, ARow));
        FItemIndex = ARow - g->FixedRows();
    }
}

void TCustomDazGridDropDown::ListSelect()
{
    TDazColGrid *g = FDazColGrid;
    if (g && g->ConfirmSelection())
        SetItemIndex(UseItems ? ItemOfRow(g->Row()) : g->Row() - 1);
    if (!GridEditable)
        DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TCustomDazGridDropDown::DoHideDropDown(bool Cancelled)
{
    TDropDownForm *form = DropDownForm();
    if (form && form->isVisible() && FDazColGrid) {
        if (Cancelled) {
            SetItemIndex(FOldItemIndex);
        } else {
            if (FDazColGrid->ConfirmSelection())
                SetItemIndex(UseItems ? ItemOfRow(FSelRow) : FSelRow - FDazColGrid->FixedRows());
            FOldItemIndex = FItemIndex;
            FDazColGrid->SetConfirmSelection(false);
        }
    }
    TDazCustomDropDown::DoHideDropDown(Cancelled);
}

// ---------------------------------------------------------------------------------------
// Keys in the open list
// ---------------------------------------------------------------------------------------

namespace {
// Page Up to Down without the arrows left and right.
bool StaysInList(uint16_t Key)
{
    return IsListNavigationKey(Key) && Key != VK_LEFT && Key != VK_RIGHT;
}
}   // namespace

void TCustomDazGridDropDown::ControlKeyDown(uint16_t &Key, TShiftState Shift)
{
    const bool alt = Shift.Contains(ssAlt);
    // The list sends Alt+Up and Alt+Down to the edit itself and keeps Enter.
    if (!(StaysInList(Key) && !alt) && !((Key == VK_UP || Key == VK_DOWN) && alt) &&
        Key != VK_RETURN)
        EditKeyDown(Key, Shift);
    if (OnGridKeyDown)
        OnGridKeyDown(this, Key, Shift);
}

void TCustomDazGridDropDown::ControlKeyUp(uint16_t &Key, TShiftState Shift)
{
    if (StaysInList(Key) && !Shift.Contains(ssAlt))
        FLookupEntry.clear();
    else
        EditKeyUp(Key, Shift);
    if (OnGridKeyUp)
        OnGridKeyUp(this, Key, Shift);
}

void TCustomDazGridDropDown::ControlKeyPress(QChar &Key)
{
    TDazColGrid *g = FDazColGrid;
    const bool enterOrEscape = Key == QChar(13) || Key == QChar(27);
    const bool alt = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    bool moved = false;
    if (g && (!enterOrEscape || alt) && !g->Options().Contains(goEditing)) {
        const int found = ListSearch(Key);
        const int row = LookupMethod == lmNarrowDown ? g->FixedRows()
                        : UseItems                   ? RowOfItem(found)
                                                     : found;
        if (row >= g->FixedRows() && row < g->RowCount()) {
            if (g->VisibleRowCount() + g->FixedRows() < g->RowCount())
                g->SetTopRow(row);
            g->SetRow(row);
            g->SetCol(0);
            g->RepaintRow(row);
            moved = true;
        }
    }
    if (!moved)
        FLookupEntry.clear();
    if (OnGridKeyPress)
        OnGridKeyPress(this, Key);
}

// ---------------------------------------------------------------------------------------
// Relays
// ---------------------------------------------------------------------------------------

void TCustomDazGridDropDown::AttachRelays()
{
    TDazColGrid *g = FDazColGrid;
#define CF_ATTACH_RELAY(Name, GridEvent)                                                     \
    g->GridEvent = [this](auto &&...Args) {                                                  \
        if (OnGrid##Name)                                                                    \
            OnGrid##Name(std::forward<decltype(Args)>(Args)...);                             \
    };
    CF_GRID_DROPDOWN_RELAYS(CF_ATTACH_RELAY)
#undef CF_ATTACH_RELAY
    // Clicks that may open windows of their own keep the list open meanwhile.
    g->OnAnchorClick = [this](TObject *S, int R, int C, const QString &A, bool &Auto) {
        BlockActivate(true);
        if (OnGridAnchorClick)
            OnGridAnchorClick(S, R, C, A, Auto);
        BlockActivate(false);
    };
    g->OnButtonClick = [this](TObject *S, int C, int R) {
        BlockActivate(true);
        if (OnGridButtonClick)
            OnGridButtonClick(S, C, R);
        BlockActivate(false);
    };
    g->OnEllipsClick = [this](TObject *S, int C, int R, QString &Text) {
        BlockActivate(true);
        if (OnGridEllipsClick)
            OnGridEllipsClick(S, C, R, Text);
        BlockActivate(false);
    };
    // Alignment and colour start as the column's.
    g->OnGetAlignment = [this](TObject *S, int R, int C, TAlignment &H, TVAlignment &V) {
        if (C >= 0 && C < FColumns.Count())
            H = FColumns.Items(C)->Alignment;
        if (OnGridGetAlignment)
            OnGridGetAlignment(S, R, C, H, V);
    };
    g->OnGetCellColor = [this](TObject *S, int R, int C, TGridDrawState St, TBrush &B, TFont &F) {
        if (C >= 0 && C < FColumns.Count())
            B.Color = FColumns.Items(C)->Color;
        if (OnGridGetCellColor)
            OnGridGetCellColor(S, R, C, St, B, F);
    };
    g->OnGetFloatFormat = [this](TObject *S, int C, int R, bool &IsFloat, QString &Format) {
        Format.clear();
        if (OnGridGetFloatFormat)
            OnGridGetFloatFormat(S, C, R, IsFloat, Format);
    };
    // The balloon window is rebuilt for the list at the first move after each opening.
    g->OnMouseMove = [this](TObject *S, TShiftState Shift, int X, int Y) {
        if (!FBalloonInit) {
            FBalloonInit = true;
            if (FDazColGrid->Balloon().Enable()) {
                FDazColGrid->Balloon().SetEnable(false);
                FDazColGrid->Balloon().SetEnable(true);
            }
        }
        if (OnGridMouseMove)
            OnGridMouseMove(S, Shift, X, Y);
    };
    g->OnCustomCellDraw = OnGridCustomCellDraw;
    g->OnCustomCellBkgDraw = OnGridCustomCellBkgDraw;
    g->OnStartBlockFocus = [this](TObject *) { BlockActivate(true); };
    g->OnEndBlockFocus = [this](TObject *) { BlockActivate(false); };
}
