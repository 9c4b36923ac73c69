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

TDazMultiColumnDropDown::TDazMultiColumnDropDown(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    // textEdited comes before textChanged, whose first receiver runs Change; the flag is
    // dropped after every change, typed or not.
    connect(this, &QLineEdit::textEdited, this, [this] { FTyped = true; });
    connect(this, &QLineEdit::textChanged, this, [this] { FTyped = false; });
    InitializeDropDown();
    HeaderColor = 0xFFFFFF;
    HeaderColorTo = 0x808080;
    HeaderHeight = 25;
    SelectionTextColor = 0;
    DropDownColor = 0xFFFFFF;
    SetDropDownHeight(200);
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

void TDazMultiColumnDropDown::SetTextOf(int Item)
{
    QString t;
    if (Item >= 0 && LookupColumn >= 0 && Item < FItems.Count())
        t = FItems.Items(Item)->TextAt(LookupColumn);
    // The same text again leaves the edit (and its selection) as it is.
    if (t != GetText())
        SetText(t);
}

void TDazMultiColumnDropDown::SetItemIndex(int Value)
{
    if (Value >= FItems.Count())
        return;
    FItemIndex = Value;
    SetTextOf(Value);
}

void TDazMultiColumnDropDown::EndUpdate()
{
    if (LookupColumn < 0 || FItems.Count() == 0)
        return;
    FLookupItems.Clear();
    for (int i = 0; i < FItems.Count(); ++i)
        FLookupItems.Add(FItems.Items(i)->TextAt(LookupColumn));
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
        FListLookup.Add(LookupColumn >= 0 ? FItems.Items(i)->TextAt(LookupColumn) : QString());
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
// Completion while typing
// ---------------------------------------------------------------------------------------

void TDazMultiColumnDropDown::Change()
{
    const bool typed = FTyped;
    FItemChange = false;
    TDazCustomDropDown::Change();
    if (!workmode)
        return;
    SetModified(text() != FOldValue);
    // A text set by the program leaves the caret at the start: nothing to complete.
    if (!typed || FCompleting || FLookupItems.Count() == 0)
        return;
    const QString typedText = text();
    // Only a caret at the end completes; text after the caret stays as it is.
    if (hasSelectedText() || cursorPosition() != typedText.size())
        return;
    const int i = FLookupItems.FindPrefix(typedText, MatchCase);
    if (i < 0)
        return;
    const QString &entry = FLookupItems.Text(i);
    const int typedLength = int(typedText.size());
    const QString completed = typedText + entry.mid(typedLength, 255);
    FItemIndex = i;
    FItemChange = true;
    FItemIdx = i;
    FItemSel = typedLength;
    FCompleting = true;
    setText(completed);
    FCompleting = false;
    // Anchor at the end, caret after the typed part: the completed tail is selected.
    setSelection(int(completed.size()), typedLength - int(completed.size()));
}

// ---------------------------------------------------------------------------------------
// Keys in the edit
// ---------------------------------------------------------------------------------------

bool TDazMultiColumnDropDown::KeyDownBefore(uint16_t &Key, TShiftState Shift)
{
    (void)Shift;
    if (LookupColumn < 0 || FItems.Count() == 0)
        return false;
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE)
        workmode = false;
    else if (Key != VK_RETURN)
        workmode = true;
    if (Key != VK_RETURN)
        return false;
    const int i = FLookupItems.IndexOfText(GetText());
    if (i >= 0) {
        if (FLookupItems.Text(i) != GetText())
            SetText(FLookupItems.Text(i));
        SetItemIndex(i);
        Change();
    }
    if (!ReturnIsTab)
        return false;
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    Key = 0;
    return true;
}

void TDazMultiColumnDropDown::KeyDownAfter(uint16_t Key, TShiftState Shift)
{
    (void)Shift;
    if (Key == VK_ESCAPE && LookupColumn >= 0 && FItems.Count() > 0)
        SetItemIndex(FLookupItems.IndexOfText(GetText()));
}

void TDazMultiColumnDropDown::SelectStep(int Delta, bool ToEnd)
{
    const int n = FItems.Count();
    if (n == 0)
        return;
    if (FItemIndex < 0) {
        SetItemIndex(0);
        return;
    }
    int to = FItemIndex + Delta;
    if (!ToEnd && (to < 0 || to >= n))
        return;   // Up at the first item, Down at the last
    SetItemIndex(std::clamp(to, 0, n - 1));
}

void TDazMultiColumnDropDown::NavigationKey(uint16_t Key, TShiftState Shift)
{
    if (!isEnabled() || Shift.Contains(ssAlt))
        return;
    const int n = FItems.Count();
    switch (Key) {
    case VK_PRIOR:
        SelectStep(-10, true);
        break;
    case VK_NEXT:
        SelectStep(10, true);
        break;
    case VK_END:
        if (!EditorEnabled())
            SelectStep(n, true);
        break;
    case VK_HOME:
        if (!EditorEnabled())
            SelectStep(-n, true);
        break;
    case VK_UP:
        SelectStep(-1, false);
        break;
    case VK_DOWN:
        SelectStep(1, false);
        break;
    default:
        break;
    }
}

void TDazMultiColumnDropDown::keyPressEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    uint16_t key = k.Key;
    if (key && KeyDownBefore(key, k.Shift)) {
        Event->accept();
        return;
    }
    TDazCustomDropDown::keyPressEvent(Event);
    if (!key)
        return;
    KeyDownAfter(key, k.Shift);
    NavigationKey(key, k.Shift);
    if (IsListNavigationKey(key))
        Event->accept();
}

void TDazMultiColumnDropDown::EditKeyDown(uint16_t &Key, TShiftState Shift)
{
    if (KeyDownBefore(Key, Shift))
        return;
    WMKeyDown(QtKeyOf(Key), ModifiersOf(Shift));
    KeyDownAfter(Key, Shift);
    NavigationKey(Key, Shift);
}

void TDazMultiColumnDropDown::keyReleaseEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    if (!(k.Key == VK_RETURN && ReturnIsTab))
        QLineEdit::keyReleaseEvent(Event);
    if (FItemChange) {
        FItemChange = false;
        SetItemIndex(FItemIdx);
    }
}

void TDazMultiColumnDropDown::wheelEvent(QWheelEvent *Event)
{
    QLineEdit::wheelEvent(Event);
    if (Event->angleDelta().y() < 0)
        DoWheelDown();
    else if (Event->angleDelta().y() > 0)
        DoWheelUp();
    Event->accept();
}

bool TDazMultiColumnDropDown::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::Wheel && Watched == DropDownForm()) {
        const int dy = static_cast<QWheelEvent *>(Event)->angleDelta().y();
        if (dy < 0)
            DoWheelDown();
        else if (dy > 0)
            DoWheelUp();
    }
    return TDazCustomDropDown::eventFilter(Watched, Event);
}

void TDazMultiColumnDropDown::DoWheelDown()
{
    SelectStep(1, false);
}

void TDazMultiColumnDropDown::DoWheelUp()
{
    SelectStep(-1, false);
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
    TDropDownForm *form = DropDownForm();
    if (DropDownAutoWidth && form && FDazColGrid) {
        const int w = FDazColGrid->TotalWidth();
        FDazColGrid->resize(w, FDazColGrid->height());
        form->resize(w + 2 * DropDownBorderWidth, form->height());
    }
}

void TDazMultiColumnDropDown::PlaceDropDownControl()
{
    SetDropDownControl(FDazColGrid);
    TDazCustomDropDown::PlaceDropDownControl();
}

void TDazMultiColumnDropDown::AdjustDropDownHeight(int &Height)
{
    int panels = 0;
    if (DropDownHeader().Visible())
        panels += DropDownHeader().Height();
    if (DropDownFooter().Visible())
        panels += DropDownFooter().Height();
    const int rows = Height - panels - HeaderHeight - 2;
    const int step = std::max(1, DropDownRowHeight);
    Height = panels + HeaderHeight + 2 + (rows / step) * step;
}

void TDazMultiColumnDropDown::DoShowDropDown()
{
    TDazCustomDropDown::DoShowDropDown();
    if (TDazColGrid *g = FDazColGrid; g && DroppedDown()) {
        FitColumns();
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

void TDazMultiColumnDropDown::FitColumns()
{
    TDazColGrid *g = FDazColGrid;
    TDropDownForm *form = DropDownForm();
    if (!g || !form || !ColumnSizeWithDropDown)
        return;
    g->SetScrollBars(ssVertical);
    const int n = g->Columns().Count();
    if (n == 0)
        return;
    int available = form->width();
    if (g->VisibleRowCount() < g->RowCount() - g->FixedRows())
        available -= g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g);
    std::vector<int> widths;
    for (int c = 0; c < n; ++c)
        widths.push_back(g->Columns().Items(c)->Width);
    const std::vector<int> fitted = DropDownList::FitWidths(widths, available);
    for (int c = 0; c < n && c < g->ColCount(); ++c)
        g->SetColWidths(c, fitted[size_t(c)]);
}

void TDazMultiColumnDropDown::DropDownSizing()
{
    FitColumns();
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

void TDazMultiColumnDropDown::ControlKey(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    uint16_t key = k.Key;
    if (Event->type() == QEvent::KeyRelease) {
        if (key)
            ControlKeyUp(key, k.Shift);
        return;
    }
    if (key)
        ControlKeyDown(key, k.Shift);
    if (!k.Char.isNull()) {
        QChar ch = k.Char;
        ControlKeyPress(ch);
    }
}

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
    if (FItemChange) {
        FItemChange = false;
        SetItemIndex(FItemIdx);
    }
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
        if (hasSelectedText()) {
            QString t = text();
            t.remove(selectionStart(), selectedText().size());
            SetText(t);
        } else {
            FLookupEntry.chop(1);
            SetText(FLookupEntry);
        }
        setCursorPosition(int(text().size()));
        return -1;
    }
    if (Ch != QChar(9))
        FLookupEntry += Ch;
    QString found;
    int k = LookupItem(FLookupEntry, found);
    if (k >= 0) {
        FItemIndex = k;
        if (found != GetText())
            SetText(found);
        const int typedLength = int(std::min(FLookupEntry.size(), found.size()));
        setSelection(typedLength, int(found.size()) - typedLength);
        return k;
    }
    k = LookupItem(QString(Ch), found);
    if (k >= 0) {
        FItemIndex = k;
        if (found != GetText())
            SetText(found);
        FLookupEntry = QString(Ch);
        return k;
    }
    FLookupEntry.clear();
    return -1;
}

// ---------------------------------------------------------------------------------------
// Colour styles
// ---------------------------------------------------------------------------------------

void TDazMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    switch (Value) {
    case scOffice2007:
        LineColor = 0xF1EDEB;
        FixedLineColor = 0xD1BBA4;
        break;
    case scWindowsVista:
    case scWindows7:
        LineColor = 0xECECF0;
        FixedLineColor = 0xD4D2D1;
        break;
    case scCustom:
        break;
    }
    TDazCustomDropDown::SetSelectionColorStyle(Value);
}

void TDazMultiColumnDropDown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    DropDownList::ApplyListStyle(*this, Value, true);
}
