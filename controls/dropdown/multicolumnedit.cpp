#include "controls/dropdown/multicolumnedit.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/multicolumnkeys.h"
#include "grid/base/customgrid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

using namespace DropDownList;

TListDropDownEdit::TListDropDownEdit(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    // textEdited comes before textChanged, whose first receiver runs Change; the flag is
    // dropped after every change, typed or not.
    connect(this, &QLineEdit::textEdited, this, [this] { FTyped = true; });
    connect(this, &QLineEdit::textChanged, this, [this] { FTyped = false; });
}

void TListDropDownEdit::InitializeList()
{
    HeaderColor = 0xFFFFFF;
    HeaderColorTo = 0x808080;
    HeaderHeight = 25;
    SelectionTextColor = 0;
    DropDownColor = 0xFFFFFF;
    SetDropDownHeight(200);
}

void TListDropDownEdit::EndUpdate()
{
    if (LookupColumn < 0 || LookupCount() == 0)
        return;
    FLookupItems.Clear();
    for (int i = 0; i < LookupCount(); ++i)
        FLookupItems.Add(LookupTextAt(i));
}

void TListDropDownEdit::SetListText(const QString &Value)
{
    if (Value != GetText())
        SetText(Value);
}

// ---------------------------------------------------------------------------------------
// Completion while typing
// ---------------------------------------------------------------------------------------

void TListDropDownEdit::Change()
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
    const int typedLength = int(typedText.size());
    const QString completed = typedText + FLookupItems.Text(i).mid(typedLength, 255);
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
// Keys and wheel
// ---------------------------------------------------------------------------------------

bool TListDropDownEdit::KeyDownBefore(uint16_t &Key, TShiftState Shift)
{
    (void)Shift;
    if (LookupColumn < 0 || ItemCount() == 0)
        return false;
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE)
        workmode = false;
    else if (Key != VK_RETURN)
        workmode = true;
    if (Key != VK_RETURN)
        return false;
    const int i = FLookupItems.IndexOfText(GetText());
    if (i >= 0) {
        SetListText(FLookupItems.Text(i));
        SetItemIndex(i);
        Change();
    }
    if (!ReturnIsTab)
        return false;
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    Key = 0;
    return true;
}

void TListDropDownEdit::KeyDownAfter(uint16_t Key, TShiftState Shift)
{
    (void)Shift;
    if (Key == VK_ESCAPE && LookupColumn >= 0 && ItemCount() > 0)
        SetItemIndex(FLookupItems.IndexOfText(GetText()));
}

void TListDropDownEdit::SelectStep(int Delta, bool ToEnd)
{
    const int n = ItemCount();
    if (n == 0)
        return;
    if (FItemIndex < 0) {
        SetItemIndex(0);
        return;
    }
    const int to = FItemIndex + Delta;
    if (!ToEnd && (to < 0 || to >= n))
        return;   // Up at the first item, Down at the last
    SetItemIndex(std::clamp(to, 0, n - 1));
}

void TListDropDownEdit::NavigationKey(uint16_t Key, TShiftState Shift)
{
    if (!isEnabled() || Shift.Contains(ssAlt))
        return;
    const int n = ItemCount();
    switch (Key) {
    case VK_PRIOR:
        SelectStep(-10, true);
        break;
    case VK_NEXT:
        SelectStep(10, true);
        break;
    case VK_END:
        if (HomeEndSelects(Shift))
            SelectStep(n, true);
        break;
    case VK_HOME:
        if (HomeEndSelects(Shift))
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

void TListDropDownEdit::keyPressEvent(QKeyEvent *Event)
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

void TListDropDownEdit::EditKeyDown(uint16_t &Key, TShiftState Shift)
{
    if (KeyDownBefore(Key, Shift))
        return;
    WMKeyDown(QtKeyOf(Key), ModifiersOf(Shift));
    KeyDownAfter(Key, Shift);
    NavigationKey(Key, Shift);
}

void TListDropDownEdit::EditKeyUp(uint16_t Key, TShiftState Shift)
{
    (void)Key, (void)Shift;
    if (FItemChange) {
        FItemChange = false;
        SetItemIndex(FItemIdx);
    }
}

void TListDropDownEdit::ControlKey(QKeyEvent *Event)
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

void TListDropDownEdit::keyReleaseEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    if (!(k.Key == VK_RETURN && ReturnIsTab))
        QLineEdit::keyReleaseEvent(Event);
    EditKeyUp(k.Key, k.Shift);
}

void TListDropDownEdit::wheelEvent(QWheelEvent *Event)
{
    QLineEdit::wheelEvent(Event);
    if (Event->angleDelta().y() < 0)
        DoWheelDown();
    else if (Event->angleDelta().y() > 0)
        DoWheelUp();
    Event->accept();
}

bool TListDropDownEdit::eventFilter(QObject *Watched, QEvent *Event)
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

void TListDropDownEdit::DoWheelDown()
{
    SelectStep(1, false);
}

void TListDropDownEdit::DoWheelUp()
{
    SelectStep(-1, false);
}

// ---------------------------------------------------------------------------------------
// The open list's size
// ---------------------------------------------------------------------------------------

void TListDropDownEdit::AdjustDropDownHeight(int &Height)
{
    int panels = 0;
    if (DropDownHeader().Visible())
        panels += DropDownHeader().Height();
    if (DropDownFooter().Visible())
        panels += DropDownFooter().Height();
    const int rows = Height - panels - HeaderHeight - 2;
    const int step = std::max(1, DropDownRowHeight);
    Height = panels + HeaderHeight + ListFrame() + (rows / step) * step;
}

int ListTotalWidth(const TCustomGrid &Grid)
{
    int w = 0;
    for (int c = 0; c < Grid.ColCount(); ++c)
        w += Grid.ColWidths(c);
    if (Grid.VisibleRowCount() + Grid.FixedRows() != Grid.RowCount())
        w += Grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &Grid);
    return w;
}

void TListDropDownEdit::SizeListForm(TCustomGrid &Grid, int TotalWidth)
{
    TDropDownForm *form = DropDownForm();
    if (!DropDownAutoWidth || !form)
        return;
    Grid.resize(TotalWidth, Grid.height());
    form->resize(TotalWidth + 2 * DropDownBorderWidth, form->height());
}

void TListDropDownEdit::FitColumns(TCustomGrid &Grid, const std::vector<int> &Widths)
{
    TDropDownForm *form = DropDownForm();
    if (!form || !ColumnSizeWithDropDown)
        return;
    Grid.SetScrollBars(ssVertical);
    if (Widths.empty())
        return;
    int available = form->width();
    if (Grid.VisibleRowCount() < Grid.RowCount() - Grid.FixedRows())
        available -= Grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &Grid);
    const std::vector<int> fitted = FitWidths(Widths, available);
    for (int c = 0; c < int(fitted.size()) && c < Grid.ColCount(); ++c)
        Grid.SetColWidths(c, fitted[size_t(c)]);
}

void TListDropDownEdit::ListBackspace()
{
    if (hasSelectedText()) {
        QString t = text();
        t.remove(selectionStart(), selectedText().size());
        SetText(t);
    } else {
        FLookupEntry.chop(1);
        SetText(FLookupEntry);
    }
    setCursorPosition(int(text().size()));
}

// ---------------------------------------------------------------------------------------
// Colour styles
// ---------------------------------------------------------------------------------------

void TListDropDownEdit::SetSelectionColorStyle(TSelectionColorStyle Value)
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

void TListDropDownEdit::ApplyListStyle(TQVRStyle Value, bool With2010)
{
    DropDownList::ApplyListStyle(*this, Value, With2010);
}
