// The grid drop-down: its items and rows, lookup and narrow-down while typing, opening,
// choosing and closing, sorting hooks and the relays of the inner grid's events.
#include "controls/dropdown/griddropdownlist.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"
#include "grid/base/imagelist.h"
#include "grid/string/griddatatools.h"
#include "platform/rtl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <utility>

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
    Rewatch<TCustomImageList>(this, FGridImages, Value);
    if (FDazColGrid)
        FDazColGrid->SetGridImages(Value);
}

void TCustomDazGridDropDown::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FGridImages)) {
        FGridImages = nullptr;
        if (FDazColGrid)
            FDazColGrid->SetGridImages(nullptr);
    }
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
            RemoveListFilters();
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
    // Without items a match is a grid row, and ItemIndex counts data rows.
    auto choose = [&] { FItemIndex = UseItems || !g ? index : index - g->FixedRows(); };
    if (LookupText(entry, full, index)) {
        choose();
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
        choose();
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
        FCellEditEnter = true;
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
    const bool cellEditEnter = std::exchange(FCellEditEnter, false);
    if (g && g->Options().Contains(goEditing) && (g->EditMode() || cellEditEnter) &&
        Key == VK_RETURN && !Shift.Contains(ssShift)) {
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

bool TCustomDazGridDropDown::eventFilter(QObject *Watched, QEvent *Event)
{
    // Enter in the list's cell editor takes the edit's editing-mode steps; a key-down they
    // use up goes no further.
    const bool press = Event->type() == QEvent::KeyPress;
    if (FDazColGrid && Watched == FDazColGrid->InplaceEditor() &&
        (press || Event->type() == QEvent::KeyRelease)) {
        const TKeyInfo k = TranslateKeyEvent(*static_cast<QKeyEvent *>(Event));
        if (k.Key == VK_RETURN && !k.Shift.Contains(ssShift)) {
            uint16_t key = k.Key;
            if (press)
                EditKeyDown(key, k.Shift);
            else
                EditKeyUp(key, k.Shift);
            if (press && key == 0)
                return true;
        }
    }
    return TListDropDownEdit::eventFilter(Watched, Event);
}

void TCustomDazGridDropDown::focusInEvent(QFocusEvent *Event)
{
    TListDropDownEdit::focusInEvent(Event);
    RemoveListFilters();
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
        // While the rows are rebuilt a row's item object is not yet its own: the current row's
        // moves choose nothing until the row of ItemIndex is made current.
        struct TEndLoading
        {
            bool &Flag;
            ~TEndLoading() { Flag = false; }
        } endLoading{FLoadingList};
        FLoadingList = true;
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
            FLoadingList = false;
            const int row = RowOfItem(FItemIndex);
            if (row >= g->FixedRows() && row < g->RowCount())
                g->SetRow(row);
        } else {
            FLoadingList = false;
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

void TCustomDazGridDropDown::RemoveListFilters()
{
    // An empty narrowing removes every filter and also forgets the text narrowed last, which
    // would otherwise take the next narrowing one character shorter for a step back.
    if (FDazColGrid)
        if (IGridDataTools *tools = GridDataTools())
            tools->NarrowDown(*FDazColGrid, QString(), LookupColumn);
}

bool TCustomDazGridDropDown::IsDataRow(int ARow) const
{
    return FDazColGrid && ARow >= FDazColGrid->FixedRows() && ARow < FDazColGrid->RowCount();
}

void TCustomDazGridDropDown::ListSelectCell(int ARow)
{
    TDazColGrid *g = FDazColGrid;
    FSelRow = ARow;
    if (!g || g->MouseWheelSelection() || FLoadingList || !IsDataRow(ARow))
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
    if (g && g->ConfirmSelection() && IsDataRow(g->Row()))
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
            if (FDazColGrid->ConfirmSelection() && IsDataRow(FSelRow))
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
    DoGridKeyDown(this, Key, Shift);
}

void TCustomDazGridDropDown::ControlKeyUp(uint16_t &Key, TShiftState Shift)
{
    if (StaysInList(Key) && !Shift.Contains(ssAlt))
        FLookupEntry.clear();
    else
        EditKeyUp(Key, Shift);
    DoGridKeyUp(this, Key, Shift);
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
    DoGridKeyPress(this, Key);
}

// ---------------------------------------------------------------------------------------
// Relays
// ---------------------------------------------------------------------------------------

// The grid's event calls the relay through the vtable, so a descendant's override is what runs.
template <class... A>
void TCustomDazGridDropDown::Attach(std::function<void(A...)> &Event,
                                    void (TCustomDazGridDropDown::*Relay)(A...))
{
    Event = [this, Relay](A... Args) { (this->*Relay)(std::forward<A>(Args)...); };
}

void TCustomDazGridDropDown::AttachRelays()
{
    using D = TCustomDazGridDropDown;
    TDazColGrid &g = *FDazColGrid;
    Attach(g.OnAnchorClick, &D::DoGridAnchorClick);
    Attach(g.OnAnchorEnter, &D::DoGridAnchorEnter);
    Attach(g.OnAnchorExit, &D::DoGridAnchorExit);
    Attach(g.OnAnchorHint, &D::DoGridAnchorHint);
    Attach(g.OnButtonClick, &D::DoGridButtonClick);
    Attach(g.OnColumnSize, &D::DoGridColumnSize);
    Attach(g.OnColumnSizing, &D::DoGridColumnSizing);
    Attach(g.OnEndColumnSize, &D::DoGridEndColumnSize);
    Attach(g.OnRowSize, &D::DoGridRowSize);
    Attach(g.OnRowSizing, &D::DoGridRowSizing);
    Attach(g.OnEndRowSize, &D::DoGridEndRowSize);
    Attach(g.OnRowMove, &D::DoGridRowMove);
    Attach(g.OnRowMoving, &D::DoGridRowMoving);
    Attach(g.OnRowMoved, &D::DoGridRowMoved);
    Attach(g.OnColumnMove, &D::DoGridColumnMove);
    Attach(g.OnColumnMoving, &D::DoGridColumnMoving);
    Attach(g.OnColumnMoved, &D::DoGridColumnMoved);
    // The grid paints these cells itself unless someone asked to draw them.
    if (OnGridCustomCellDraw)
        Attach(g.OnCustomCellDraw, &D::DoGridCustomCellDraw);
    if (OnGridCustomCellBkgDraw)
        Attach(g.OnCustomCellBkgDraw, &D::DoGridCustomCellBkgDraw);
    Attach(g.OnCellBalloon, &D::DoGridCellBalloon);
    Attach(g.OnGetAlignment, &D::DoGridGetAlignment);
    Attach(g.OnGetCellColor, &D::DoGridGetCellColor);
    Attach(g.OnGetCellGradient, &D::DoGridGetCellGradient);
    Attach(g.OnGetFloatFormat, &D::DoGridGetFloatFormat);
    Attach(g.OnGetEditorType, &D::DoGridGetEditorType);
    Attach(g.OnGetEditorPropInt, &D::DoGridGetEditorProp);
    Attach(g.OnCanEditCell, &D::DoGridCanEditCell);
    Attach(g.OnEllipsClick, &D::DoGridEllipsClick);
    Attach(g.OnGetDisplText, &D::DoGridGetDiplText);
    Attach(g.OnGetFormat, &D::DoGridGetFormat);
    Attach(g.OnGridHint, &D::DoGridHint);
    Attach(g.OnMouseMove, &D::DoGridMouseMove);
    Attach(g.OnMouseDown, &D::DoGridMouseDown);
    Attach(g.OnMouseUp, &D::DoGridMouseUp);
    Attach(g.OnRightClickCell, &D::DoGridRightClickCell);
    Attach(g.OnScrollHint, &D::DoGridScrollHint);
    Attach(g.OnTopLeftChanged, &D::DoGridTopLeftChanged);
    Attach(g.OnSearchEditChange, &D::DoGridSearchEditChange);
    Attach(g.OnAutoAddRow, &D::DoGridAutoAddRow);
    Attach(g.OnAutoInsertRow, &D::DoGridInsertRow);
    Attach(g.OnAutoInsertCol, &D::DoGridInsertCol);
    Attach(g.OnAutoDeleteRow, &D::DoGridDeleteRow);
    Attach(g.OnCanAddRow, &D::DoGridCanAddRow);
    Attach(g.OnCanInsertRow, &D::DoGridCanInsertRow);
    Attach(g.OnCanDeleteRow, &D::DoGridCanDeleteRow);
    Attach(g.OnCheckBoxClick, &D::DoGridCheckBoxClick);
    // The key relays stay off the grid: the list's keys reach ControlKeyDown, ControlKeyUp
    // and ControlKeyPress, which fire them with the drop-down as Sender. The sort events go
    // to the sort hooks (BeforeDropDown).
    g.OnStartBlockFocus = [this](TObject *) { BlockActivate(true); };
    g.OnEndBlockFocus = [this](TObject *) { BlockActivate(false); };
}

namespace {
template <class E, class... A>
void Fire(const E &Event, A &&...Args)
{
    if (Event)
        Event(std::forward<A>(Args)...);
}
}   // namespace

// Clicks that may open windows of their own keep the list open meanwhile.
void TCustomDazGridDropDown::DoGridAnchorClick(TObject *Sender, int ARow, int ACol,
                                               const QString &Anchor, bool &AutoHandle)
{
    BlockActivate(true);
    Fire(OnGridAnchorClick, Sender, ARow, ACol, Anchor, AutoHandle);
    BlockActivate(false);
}

void TCustomDazGridDropDown::DoGridButtonClick(TObject *Sender, int ACol, int ARow)
{
    BlockActivate(true);
    Fire(OnGridButtonClick, Sender, ACol, ARow);
    BlockActivate(false);
}

void TCustomDazGridDropDown::DoGridEllipsClick(TObject *Sender, int ACol, int ARow, QString &S)
{
    BlockActivate(true);
    Fire(OnGridEllipsClick, Sender, ACol, ARow, S);
    BlockActivate(false);
}

// Alignment and colour start as the column's.
void TCustomDazGridDropDown::DoGridGetAlignment(TObject *Sender, int ARow, int ACol,
                                                TAlignment &HAlign, TVAlignment &VAlign)
{
    if (ACol >= 0 && ACol < FColumns.Count())
        HAlign = FColumns.Items(ACol)->Alignment;
    Fire(OnGridGetAlignment, Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomDazGridDropDown::DoGridGetCellColor(TObject *Sender, int ARow, int ACol,
                                                TGridDrawState AState, TBrush &ABrush,
                                                TFont &AFont)
{
    if (ACol >= 0 && ACol < FColumns.Count())
        ABrush.Color = FColumns.Items(ACol)->Color;
    Fire(OnGridGetCellColor, Sender, ARow, ACol, AState, ABrush, AFont);
}

void TCustomDazGridDropDown::DoGridGetFloatFormat(TObject *Sender, int ACol, int ARow,
                                                  bool &IsFloat, QString &FloatFormat)
{
    FloatFormat.clear();
    Fire(OnGridGetFloatFormat, Sender, ACol, ARow, IsFloat, FloatFormat);
}

// The balloon window is rebuilt for the list at the first move after each opening.
void TCustomDazGridDropDown::DoGridMouseMove(TObject *Sender, TShiftState Shift, int X, int Y)
{
    if (!FBalloonInit && FDazColGrid) {
        FBalloonInit = true;
        if (FDazColGrid->Balloon().Enable()) {
            FDazColGrid->Balloon().SetEnable(false);
            FDazColGrid->Balloon().SetEnable(true);
        }
    }
    Fire(OnGridMouseMove, Sender, Shift, X, Y);
}

void TCustomDazGridDropDown::DoGridAnchorEnter(TObject *Sender, int ARow, int ACol,
                                               const QString &Anchor)
{
    Fire(OnGridAnchorEnter, Sender, ARow, ACol, Anchor);
}

void TCustomDazGridDropDown::DoGridAnchorExit(TObject *Sender, int ARow, int ACol,
                                              const QString &Anchor)
{
    Fire(OnGridAnchorExit, Sender, ARow, ACol, Anchor);
}

void TCustomDazGridDropDown::DoGridAnchorHint(TObject *Sender, int ARow, int ACol, QString &Anchor)
{
    Fire(OnGridAnchorHint, Sender, ARow, ACol, Anchor);
}

void TCustomDazGridDropDown::DoGridCanSort(TObject *Sender, int ACol, bool &DoSort)
{
    Fire(OnGridCanSort, Sender, ACol, DoSort);
}

void TCustomDazGridDropDown::DoGridClickSort(TObject *Sender, int ACol)
{
    Fire(OnGridClickSort, Sender, ACol);
}

void TCustomDazGridDropDown::DoGridCustomCompare(TObject *Sender, const QString &str1,
                                                 const QString &str2, int &Res)
{
    Fire(OnGridCustomCompare, Sender, str1, str2, Res);
}

void TCustomDazGridDropDown::DoGridRawCompare(TObject *Sender, int ACol, int Row1, int Row2,
                                              int &Res)
{
    Fire(OnGridRawCompare, Sender, ACol, Row1, Row2, Res);
}

void TCustomDazGridDropDown::DoGridColumnSize(TObject *Sender, int ACol, bool &Allow)
{
    Fire(OnGridColumnSize, Sender, ACol, Allow);
}

void TCustomDazGridDropDown::DoGridColumnSizing(TObject *Sender, int ACol, int ColumnSize)
{
    Fire(OnGridColumnSizing, Sender, ACol, ColumnSize);
}

void TCustomDazGridDropDown::DoGridEndColumnSize(TObject *Sender, int ACol)
{
    Fire(OnGridEndColumnSize, Sender, ACol);
}

void TCustomDazGridDropDown::DoGridRowSize(TObject *Sender, int ARow, bool &Allow)
{
    Fire(OnGridRowSize, Sender, ARow, Allow);
}

void TCustomDazGridDropDown::DoGridRowSizing(TObject *Sender, int ARow, int RowSize)
{
    Fire(OnGridRowSizing, Sender, ARow, RowSize);
}

void TCustomDazGridDropDown::DoGridEndRowSize(TObject *Sender, int ARow)
{
    Fire(OnGridEndRowSize, Sender, ARow);
}

void TCustomDazGridDropDown::DoGridRowMove(TObject *Sender, int ARow, bool &Allow)
{
    Fire(OnGridRowMove, Sender, ARow, Allow);
}

void TCustomDazGridDropDown::DoGridRowMoving(TObject *Sender, int ARow, bool &Allow)
{
    Fire(OnGridRowMoving, Sender, ARow, Allow);
}

void TCustomDazGridDropDown::DoGridRowMoved(TObject *Sender, int FromIndex, int ToIndex)
{
    Fire(OnGridRowMoved, Sender, FromIndex, ToIndex);
}

void TCustomDazGridDropDown::DoGridColumnMove(TObject *Sender, int ACol, bool &Allow)
{
    Fire(OnGridColumnMove, Sender, ACol, Allow);
}

void TCustomDazGridDropDown::DoGridColumnMoving(TObject *Sender, int ACol, bool &Allow)
{
    Fire(OnGridColumnMoving, Sender, ACol, Allow);
}

void TCustomDazGridDropDown::DoGridColumnMoved(TObject *Sender, int FromIndex, int ToIndex)
{
    Fire(OnGridColumnMoved, Sender, FromIndex, ToIndex);
}

void TCustomDazGridDropDown::DoGridCustomCellDraw(TObject *Sender, TCanvas &Canvas, int ACol,
                                                  int ARow, TGridDrawState AState,
                                                  const TRect &ARect, bool Printing)
{
    Fire(OnGridCustomCellDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomDazGridDropDown::DoGridCustomCellBkgDraw(TObject *Sender, TCanvas &Canvas, int ACol,
                                                     int ARow, TGridDrawState AState,
                                                     const TRect &ARect, bool Printing)
{
    Fire(OnGridCustomCellBkgDraw, Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomDazGridDropDown::DoGridCellBalloon(TObject *Sender, int ACol, int ARow,
                                               QString &ATitle, QString &AText, int &AIcon)
{
    Fire(OnGridCellBalloon, Sender, ACol, ARow, ATitle, AText, AIcon);
}

void TCustomDazGridDropDown::DoGridGetCellGradient(TObject *Sender, int ARow, int ACol,
                                                   TColor &Color, TColor &ColorTo,
                                                   TColor &ColorMirror, TColor &ColorMirrorTo,
                                                   TCellGradientDirection &GD)
{
    Fire(OnGridGetCellGradient, Sender, ARow, ACol, Color, ColorTo, ColorMirror, ColorMirrorTo,
         GD);
}

void TCustomDazGridDropDown::DoGridGetEditorType(TObject *Sender, int ACol, int ARow,
                                                 TEditorType &AEditor)
{
    Fire(OnGridGetEditorType, Sender, ACol, ARow, AEditor);
}

void TCustomDazGridDropDown::DoGridGetEditorProp(TObject *Sender, int ACol, int ARow)
{
    Fire(OnGridGetEditorProp, Sender, ACol, ARow);
}

void TCustomDazGridDropDown::DoGridCanEditCell(TObject *Sender, int ARow, int ACol, bool &CanEdit)
{
    Fire(OnGridCanEditCell, Sender, ARow, ACol, CanEdit);
}

void TCustomDazGridDropDown::DoGridGetDiplText(TObject *Sender, int ACol, int ARow,
                                               QString &Value)
{
    Fire(OnGridGetDiplText, Sender, ACol, ARow, Value);
}

void TCustomDazGridDropDown::DoGridGetFormat(TObject *Sender, int ACol, TSortStyle &AStyle,
                                             QString &aPrefix, QString &aSuffix)
{
    Fire(OnGridGetFormat, Sender, ACol, AStyle, aPrefix, aSuffix);
}

void TCustomDazGridDropDown::DoGridHint(TObject *Sender, int ARow, int ACol, QString &hintstr)
{
    Fire(OnGridHint, Sender, ARow, ACol, hintstr);
}

void TCustomDazGridDropDown::DoGridMouseDown(TObject *Sender, TMouseButton Button,
                                             TShiftState Shift, int X, int Y)
{
    Fire(OnGridMouseDown, Sender, Button, Shift, X, Y);
}

void TCustomDazGridDropDown::DoGridMouseUp(TObject *Sender, TMouseButton Button,
                                           TShiftState Shift, int X, int Y)
{
    Fire(OnGridMouseUp, Sender, Button, Shift, X, Y);
}

void TCustomDazGridDropDown::DoGridKeyDown(TObject *Sender, uint16_t &Key, TShiftState Shift)
{
    Fire(OnGridKeyDown, Sender, Key, Shift);
}

void TCustomDazGridDropDown::DoGridKeyUp(TObject *Sender, uint16_t &Key, TShiftState Shift)
{
    Fire(OnGridKeyUp, Sender, Key, Shift);
}

void TCustomDazGridDropDown::DoGridKeyPress(TObject *Sender, QChar &Key)
{
    Fire(OnGridKeyPress, Sender, Key);
}

void TCustomDazGridDropDown::DoGridRightClickCell(TObject *Sender, int ARow, int ACol)
{
    Fire(OnGridRightClickCell, Sender, ARow, ACol);
}

void TCustomDazGridDropDown::DoGridScrollHint(TObject *Sender, int ARow, QString &hintstr)
{
    Fire(OnGridScrollHint, Sender, ARow, hintstr);
}

void TCustomDazGridDropDown::DoGridTopLeftChanged(TObject *Sender)
{
    Fire(OnGridTopLeftChanged, Sender);
}

void TCustomDazGridDropDown::DoGridSearchEditChange(TObject *Sender, const QString &Value,
                                                    bool &DefaultSearch)
{
    Fire(OnGridSearchEditChange, Sender, Value, DefaultSearch);
}

void TCustomDazGridDropDown::DoGridSpinClick(TObject *Sender, int ACol, int ARow, int AValue,
                                             bool UpDown)
{
    Fire(OnGridSpinClick, Sender, ACol, ARow, AValue, UpDown);
}

void TCustomDazGridDropDown::DoGridAutoAddRow(TObject *Sender, int ARow)
{
    Fire(OnGridAutoAddRow, Sender, ARow);
}

void TCustomDazGridDropDown::DoGridInsertRow(TObject *Sender, int ARow)
{
    Fire(OnGridInsertRow, Sender, ARow);
}

void TCustomDazGridDropDown::DoGridInsertCol(TObject *Sender, int ACol)
{
    Fire(OnGridInsertCol, Sender, ACol);
}

void TCustomDazGridDropDown::DoGridDeleteRow(TObject *Sender, int ARow)
{
    Fire(OnGridDeleteRow, Sender, ARow);
}

void TCustomDazGridDropDown::DoGridCanAddRow(TObject *Sender, bool &CanAdd)
{
    Fire(OnGridCanAddRow, Sender, CanAdd);
}

void TCustomDazGridDropDown::DoGridCanInsertRow(TObject *Sender, int ARow, bool &CanInsert)
{
    Fire(OnGridCanInsertRow, Sender, ARow, CanInsert);
}

void TCustomDazGridDropDown::DoGridCanDeleteRow(TObject *Sender, int ARow, bool &CanDelete)
{
    Fire(OnGridCanDeleteRow, Sender, ARow, CanDelete);
}

void TCustomDazGridDropDown::DoGridCheckBoxClick(TObject *Sender, int ACol, int ARow, bool State)
{
    Fire(OnGridCheckBoxClick, Sender, ACol, ARow, State);
}
