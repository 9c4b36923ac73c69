// The detail drop-down: items, completion while typing, the list and its item drawing.
#include "controls/dropdown/detaildropdown.h"

#include "controls/dropdown/dropdownform.h"
#include "grid/base/imagelist.h"
#include "grid/base/markuprender.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

namespace {
// Completion takes at most this many characters of a caption.
constexpr int kMaxCompletion = 255;
// The list's default height and the system border width of the item width.
constexpr int kDefaultListHeight = 100;
constexpr int kSystemBorder = 1;
}   // namespace

void TDetailItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TDetailItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignCaptionImage(*s);
    Tag = s->Tag;
    ItemObject = s->ItemObject;
}

int TDetailItems::IndexOf(const QString &AValue) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Caption() == AValue)
            return i;
    return -1;
}

TDazDetailDropDown::TDazDetailDropDown(QWidget *Parent)
    : TDazSelectorDropDown(Parent), FItems(std::make_unique<TDetailItems>())
{
    FItems->OnChange = [](TObject *) {};
    InitializeDropDown();
    FItemAppearance = std::make_unique<TItemAppearance>();
    SetEditorEnabled(true);
    DropDownEnabled = true;
    CaptionFont = NotesFont = TFont::FromQFont(font());
}

void TDazDetailDropDown::SetItemIndex(int Value)
{
    if (Value != FItemIndex && Value >= 0 && Value < FItems->Count()) {
        FItemIndex = Value;
        SetText(FItems->Items(Value)->Caption());
        setSelection(0, int(text().size()));
        update();
        if (FItemSelector)
            FItemSelector->Panel()->update();
        if (OnSelect)
            OnSelect(this);
    } else if (Value == -1 && Value != FItemIndex) {
        SetText(QString());
        FItemIndex = -1;
    }
}

void TDazDetailDropDown::SetText(const QString &Value)
{
    // A text set by the control or its owner completes nothing.
    const bool old = FInSetText;
    FInSetText = true;
    TDazSelectorDropDown::SetText(Value);
    FInSetText = old;
}

void TDazDetailDropDown::Change()
{
    FItemChange = false;
    TDazSelectorDropDown::Change();
    if (!FWorkMode || FInSetText)
        return;
    SetModified(GetText() != FOldValue);
    // Only a caret at the end completes: typing in the middle keeps what follows it.
    const QString typed = text();
    if (hasSelectedText() || cursorPosition() != typed.size() || FItems->Count() == 0)
        return;
    const QString key = CaseKey(typed, MatchCase);
    if (key.isEmpty())
        return;
    for (int i = 0; i < FItems->Count(); ++i) {
        const QString caption = FItems->Items(i)->Caption();
        if (!CaseKey(caption, MatchCase).startsWith(key))
            continue;
        const QString completed = typed + caption.mid(key.size(), kMaxCompletion);
        FItemIndex = FItemIdx = i;
        FItemSel = int(key.size());
        FItemChange = true;   // a changed text clears it again in its own change run
        SetText(completed);
        setSelection(int(completed.size()), int(typed.size() - completed.size()));
        return;
    }
}

void TDazDetailDropDown::KeyDown(int Key)
{
    if (FItems->Count() == 0)
        return;
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
        FWorkMode = false;
    } else if (Key == VK_RETURN) {
        const int i = FItems->IndexOf(GetText());
        if (i >= 0) {
            SetText(FItems->Items(i)->Caption());
            SetItemIndex(i);
            Change();
        }
    } else {
        FWorkMode = true;
    }
}

void TDazDetailDropDown::keyPressEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    if (isEnabled() && !k.Shift.Contains(ssAlt) && k.Key != 0) {
        ListKey(k.Key, k.Shift);
        const bool moves = k.Key == VK_PRIOR || k.Key == VK_NEXT || k.Key == VK_LEFT ||
                           k.Key == VK_UP || k.Key == VK_RIGHT || k.Key == VK_DOWN;
        if (DroppedDown() && moves) {
            Event->accept();
            return;
        }
    }
    KeyDown(k.Key);
    TDazSelectorDropDown::keyPressEvent(Event);
    if (k.Key == VK_ESCAPE && FItems->Count() > 0)
        if (const int i = FItems->IndexOf(GetText()); i >= 0)
            SetItemIndex(i);
}

void TDazDetailDropDown::keyReleaseEvent(QKeyEvent *Event)
{
    TDazSelectorDropDown::keyReleaseEvent(Event);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
}

void TDazDetailDropDown::ClosedHomeEnd(bool End)
{
    if (!EditorEnabled())
        End ? SelectLast() : SelectFirst();
}

void TDazDetailDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    const bool made = !FItemSelector;
    TDazCustomItemSelector *list = EnsureList(stImage, 150);
    if (!list)
        return;
    if (made) {
        list->OnDrawItem = [this](TObject *, TCanvas &C, const TRect &R, int I) {
            DrawDetailItem(C, I, R);
        };
        list->OnItemSize = [this](TObject *, QSize &S) { GetDetailItemSize(S); };
        list->OnResize = [list](TObject *) { list->UpdateSelectorPanel(); };
        DropDownForm()->OnSizing = [this](TObject *) {
            if (FItemSelector)
                FItemSelector->UpdateSelectorPanel();
        };
    }
    list->UpdateSelectorPanel();
    SetDropDownControl(list);
}

void TDazDetailDropDown::LoadList()
{
    TDazCustomItemSelector *list = BeginLoadList(1, Layout);
    if (!list)
        return;
    for (int i = 0; i < FItems->Count(); ++i) {
        const TDetailItem &from = *FItems->Items(i);
        TSelectorItem *item = list->Items().Add();
        item->SetCaption(from.Caption());
        item->SetImage(from.Image());
        item->SetImageIndex(from.ImageIndex());
    }
    EndLoadList();
}

void TDazDetailDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    LoadList();
    FOldItemIndex = FItemIndex;
}

void TDazDetailDropDown::DoShowDropDown()
{
    TDazSelectorDropDown::DoShowDropDown();
    if (FItemSelector && DroppedDown())
        FItemSelector->setFocus();
}

void TDazDetailDropDown::SizeDropDownForm()
{
    if (FItemSelector) {
        if (DropDownWidth() <= 0)
            FItemSelector->resize(width(), FItemSelector->height());
        if (DropDownHeight() <= 0)
            FItemSelector->resize(FItemSelector->width(), kDefaultListHeight);
    }
    TDazSelectorDropDown::SizeDropDownForm();
}

void TDazDetailDropDown::GetDetailItemSize(QSize &Size)
{
    int w = DropDownWidth() > 0 ? DropDownWidth() : DropDownForm() ? DropDownForm()->width() : width();
    if (FItemSelector && FItemSelector->VertScrollBarVisible())
        w -= QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    Size = QSize(w - 2 * kSystemBorder - 4, ItemHeight);
}

void TDazDetailDropDown::DrawDetailItem(TCanvas &Canvas, int Index, TRect R)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count())
        return;
    const TDetailItem &item = *FItems->Items(Index);
    const QString caption = item.Caption();
    auto place = [&](int W, int H) {
        const int x = caption.isEmpty() ? R.Left + (R.Width() - W) / 2 : R.Left + 2;
        return TPoint(x, R.Top + (R.Height() - H) / 2);
    };
    if (!item.Image().Empty()) {
        const TPoint p = place(item.Image().Width(), item.Image().Height());
        Canvas.Draw(p.X, p.Y, item.Image().Image());
        R.Left += item.Image().Width() + 4;
    } else if (Images && item.ImageIndex() >= 0) {
        const TPoint p = place(Images->Width(), Images->Height());
        Images->Draw(Canvas, p.X, p.Y, item.ImageIndex());
        R.Left += Images->Width() + 4;
    }
    const TItemAppearance &ap = *FItemAppearance;
    auto colour = [&](TFont &Font) {
        if (FItemSelector && Index == FItemSelector->ItemHot())
            Font.Color = ap.ColorHotText;
        if (Index == FItemIndex)
            Font.Color = ap.ColorSelectedText;
    };
    Canvas.Font = CaptionFont;
    colour(Canvas.Font);
    Canvas.Brush.Style = bsClear;
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect text = R;
    Canvas.DrawText(caption, text, DT_END_ELLIPSIS);
    if (!item.Notes.isEmpty()) {
        R.Top += Canvas.TextHeight(QStringLiteral("gh"));
        Canvas.Font = NotesFont;
        colour(Canvas.Font);
        THtmlRenderParams params;
        params.Images = Images;
        THtmlRenderResult result;
        RenderHtmlText(Canvas, item.Notes, R, params, result);
    }
    Canvas.Brush.Style = bsSolid;
}

void TDazDetailDropDown::ListSelect()
{
    const int i = FItemSelector->ItemIndex();
    if (i < 0 || i >= FItems->Count())
        return;
    SetItemIndex(i);
    SetText(FItems->Items(FItemIndex)->Caption());
    setSelection(0, int(text().size()));
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TDazDetailDropDown::DoHideDropDown(bool Cancelled)
{
    TDazSelectorDropDown::DoHideDropDown(Cancelled);
    if (Cancelled && FItemSelector && FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
}

void TDazDetailDropDown::WheelStep(int Step)
{
    if (DroppedDown() && FItemSelector) {
        const int i = FItemSelector->ItemIndex();
        if (const int to = i < 0 ? 0 : i + Step; to >= 0)
            SetListIndex(to);
        update();
    } else if (!DroppedDown()) {
        Step > 0 ? SelectNext() : SelectPrevious();
    }
}

void TDazDetailDropDown::DoWheelDown()
{
    WheelStep(1);
}

void TDazDetailDropDown::DoWheelUp()
{
    WheelStep(-1);
}
