// The pickers' shared list handling.
#include "controls/dropdown/selectordropdown.h"

#include "controls/dropdown/dropdownform.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace {

// Sets a flag for the lifetime of the guard.
class TFlagGuard
{
public:
    explicit TFlagGuard(bool &Flag) : FFlag(Flag), FOld(Flag) { Flag = true; }
    ~TFlagGuard() { FFlag = FOld; }
    TFlagGuard(const TFlagGuard &) = delete;
    TFlagGuard &operator=(const TFlagGuard &) = delete;

private:
    bool &FFlag;
    bool FOld;
};

constexpr int kKeyTimerMs = 500;

}   // namespace

TDazSelectorDropDown::TDazSelectorDropDown(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    FKeyTimer.setInterval(kKeyTimerMs);
    FKeyTimer.setSingleShot(true);
    QObject::connect(&FKeyTimer, &QTimer::timeout, this, [this] { KeyTimerExpired(); });
}

TDazSelectorDropDown::~TDazSelectorDropDown()
{
    FKeyTimer.stop();
    delete FItemSelector;   // before the items it draws from go
}

void TDazSelectorDropDown::KeyTimerExpired()
{
    FKeyTimer.stop();
    FCurSearch.clear();
}

void TDazSelectorDropDown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    ApplyItemAppearanceStyle(FItemAppearance.get(), Value);
}

void TDazSelectorDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TDazCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(Value);
}

TDazCustomItemSelector *TDazSelectorDropDown::EnsureList(TSelectorType Type, int Height)
{
    if (!FItemSelector && DropDownForm()) {
        FItemSelector = new TDazCustomItemSelector(DropDownForm());
        FItemSelector->SetSelectorType(Type);
        FItemSelector->resize(FItemSelector->width(), Height);
    }
    if (FItemSelector) {
        FItemSelector->move(0, 0);
        FItemSelector->SetColor(DropDownColor);
    }
    return FItemSelector;
}

void TDazSelectorDropDown::SizeListForm()
{
    if (FItemSelector) {
        const QSize panel = FItemSelector->GetPanelSize();
        if (DropDownWidth() < 1)
            FItemSelector->resize(panel.width(), FItemSelector->height());
        if (DropDownHeight() < 1)
            FItemSelector->resize(FItemSelector->width(), panel.height());
    }
    TDazCustomDropDown::SizeDropDownForm();
    if (FItemSelector && DropDownForm()) {
        // The form's client is the list's; it scrolls when its panel is taller.
        const int client = DropDownForm()->height() - 2 * DropDownBorderWidth;
        if (FItemSelector->GetPanelSize().height() > client)
            DropDownForm()->resize(DropDownForm()->width() +
                                       QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                                   DropDownForm()->height());
    }
}

void TDazSelectorDropDown::SelectFirst()
{
    if (PickerItemCount() > 0)
        SetPickerItemIndex(0);
}

void TDazSelectorDropDown::SelectLast()
{
    if (const int n = PickerItemCount(); n > 0)
        SetPickerItemIndex(n - 1);
}

void TDazSelectorDropDown::SelectNext()
{
    const int n = PickerItemCount(), i = PickerItemIndex();
    if (n > 0 && (i < 0 || i + 1 < n))
        SetPickerItemIndex(i < 0 ? 0 : i + 1);
}

void TDazSelectorDropDown::SelectPrevious()
{
    const int n = PickerItemCount(), i = PickerItemIndex();
    if (n > 0 && (i < 0 || i > 0))
        SetPickerItemIndex(i < 0 ? 0 : i - 1);
}

TDazCustomItemSelector *TDazSelectorDropDown::BeginLoadList(int Columns, TItemLayout Layout)
{
    TDazCustomItemSelector *list = FItemSelector;
    if (!list)
        return nullptr;
    list->OnItemSelect = nullptr;
    list->SetColumns(Columns);
    list->SetImages(Images);
    list->SetItemLayout(Layout);
    list->SetColor(DropDownColor);
    list->SetItemAppearance(*FItemAppearance);
    list->Items().Clear();
    return list;
}

void TDazSelectorDropDown::EndLoadList()
{
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(PickerItemIndex());
    FItemSelector->OnItemSelect = [this](TObject *) { ListSelect(); };
}

void TDazSelectorDropDown::ListSelect()
{
    SetPickerItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TDazSelectorDropDown::SetListIndex(int Index)
{
    if (!FItemSelector || Index >= FItemSelector->Items().Count())
        return;
    TFlagGuard guard(FInternalCall);
    FItemSelector->SetItemIndex(Index);
    FItemSelector->ScrollItemInView(Index);
}

void TDazSelectorDropDown::ListStep(void (TDazCustomItemSelector::*Step)())
{
    if (!FItemSelector)
        return;
    TFlagGuard guard(FInternalCall);
    (FItemSelector->*Step)();
}

bool TDazSelectorDropDown::ListKey(int Key, TShiftState Shift)
{
    TDazCustomItemSelector *list = FItemSelector;
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: {
        if (!list)
            return true;
        if (list->Items().Count() != PickerItemCount())
            LoadList();
        const int n = list->GetVisibleItemCount();
        if (n > 0)
            SetListIndex(Key == VK_PRIOR ? std::max(0, list->ItemIndex() - n)
                                         : std::min(PickerItemCount() - 1, list->ItemIndex() + n));
        return true;
    }
    case VK_END:
    case VK_HOME:
        if (DroppedDown())
            ListStep(Key == VK_END ? &TDazCustomItemSelector::SelectLast
                                   : &TDazCustomItemSelector::SelectFirst);
        else
            ClosedHomeEnd(Key == VK_END);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (!EditorEnabled() && DroppedDown())
            ListStep(Key == VK_LEFT ? &TDazCustomItemSelector::SelectPrevious
                                    : &TDazCustomItemSelector::SelectNext);
        return true;
    case VK_UP:
    case VK_DOWN:
        if (DroppedDown()) {
            if (list) {
                const int step = Key == VK_UP ? -ListRowStep() : ListRowStep();
                const int to = list->ItemIndex() < 0 ? 0 : list->ItemIndex() + step;
                if (to >= 0)
                    SetListIndex(to);
            }
            update();
        } else {
            ClosedUpDown(Key == VK_DOWN);
        }
        return true;
    default:
        break;
    }
    if (!Shift.Contains(ssCtrl) && list) {
        FCurSearch += QChar(Key);
        {
            TFlagGuard guard(FInternalCall);
            list->LookupItem(FCurSearch);
        }
        if (!FKeyTimer.isActive())   // the text lives 500 ms from its first character
            FKeyTimer.start();
    }
    return false;
}

void TDazSelectorDropDown::DoWheelDown()
{
    ListWheel(true);
}

void TDazSelectorDropDown::DoWheelUp()
{
    ListWheel(false);
}

void TDazSelectorDropDown::ListWheel(bool Down)
{
    if (!isEnabled() || isReadOnly() || !FItemSelector)
        return;
    if (DroppedDown())
        Down ? FItemSelector->HotNext() : FItemSelector->HotPrevious();
    else
        ListStep(Down ? &TDazCustomItemSelector::SelectNext : &TDazCustomItemSelector::SelectPrevious);
}

bool TDazSelectorDropDown::TakeHotItem(int Key)
{
    if (!isEnabled() || !DroppedDown() || Key != VK_RETURN || !FItemSelector ||
        FItemSelector->ItemHot() < 0)
        return false;
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    return true;
}

void TDazSelectorDropDown::wheelEvent(QWheelEvent *Event)
{
    const int dy = Event->angleDelta().y();
    Event->accept();
    if (dy < 0)
        DoWheelDown();
    else if (dy > 0)
        DoWheelUp();
}

// ---------------------------------------------------------------------------------------
// Item colours of the component styles
// ---------------------------------------------------------------------------------------

namespace {

struct TItemStyle
{
    TColor Hot, HotTo, MirrorHot, MirrorHotTo, Selected, SelectedTo, MirrorSelected,
        MirrorSelectedTo, Border, SelectedText, Top, Bottom, Edge;
};

#define CF_OFFICE_ITEMS 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, \
                        0x7AE1FE, 0x42AEFE, 0x000000
constexpr TItemStyle kOffice2003{CF_OFFICE_ITEMS, clNone, clNone, clNone};
constexpr TItemStyle kOffice2007{CF_OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
#undef CF_OFFICE_ITEMS
constexpr TItemStyle kClassic{0xD2BDB6, 0xD2BDB6, clNone,   clNone, 0xB59285, 0xB59285, clNone,
                              clNone,   0x808080, 0x000000, clNone, clNone,   clNone};
constexpr TItemStyle kXP{0xEFD3C6, 0xEFD3C6,    clNone,          clNone, clHighlight,
                         clNone,   clNone,      clNone,          clHighlight,
                         clHighlightText,       clNone,          clNone, clNone};
constexpr TItemStyle kVista{0xFFFDF9, 0xFFFAF0, clNone,   clNone,   0xFEF9F0, 0xFDF0D7, clNone,
                            clNone,   0xFEDF9A, 0x000000, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
constexpr TItemStyle kSeven{0xFDFBFA, 0xFDF3EB, clNone,   clNone,   0xFCEBDC, 0xFCDBC1, clNone,
                            clNone,   0xCEA27D, 0x000000, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
constexpr TItemStyle kTerminal{0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone,
                               clNone,   0x808080, clHighlightText, clNone, clNone, clNone};
constexpr TItemStyle kOffice2010{0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF,
                                 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, 0x000000,
                                 clNone,   clNone,   clNone};

const TItemStyle *ItemStyleOf(TQVRStyle Style)
{
    switch (Style) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey:
        return &kOffice2003;
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver:
        return &kOffice2007;
    case tsOffice2003Classic:
        return &kClassic;
    case tsWindowsXP:
        return &kXP;
    case tsWindowsVista:
        return &kVista;
    case tsWindows7:
        return &kSeven;
    case tsTerminal:
        return &kTerminal;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black:
        return &kOffice2010;
    default:
        return nullptr;
    }
}

}   // namespace

void TDazSelectorDropDown::ApplyItemAppearanceStyle(TItemAppearance *Appearance, TQVRStyle Style)
{
    if (!Appearance || Style == tsCustom)
        return;
    TItemAppearance &a = *Appearance;
    a.BorderColorHot = a.BorderColorSelected = clNone;
    a.ColorSelectedText = a.ColorHotText = 0;
    const TItemStyle *s = ItemStyleOf(Style);
    if (!s)
        return;
    a.ColorHot = s->Hot;
    a.ColorHotTo = s->HotTo;
    a.ColorMirrorHot = s->MirrorHot;
    a.ColorMirrorHotTo = s->MirrorHotTo;
    a.ColorSelected = s->Selected;
    a.ColorSelectedTo = s->SelectedTo;
    a.ColorMirrorSelected = s->MirrorSelected;
    a.ColorMirrorSelectedTo = s->MirrorSelectedTo;
    a.BorderColor = s->Border;
    a.ColorSelectedText = s->SelectedText;
    a.BorderColorTop = s->Top;
    a.BorderColorBottom = s->Bottom;
    a.EdgeColor = s->Edge;
}
