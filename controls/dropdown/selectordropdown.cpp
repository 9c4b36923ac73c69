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
