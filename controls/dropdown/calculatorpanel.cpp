// The calculator keypad: buttons, appearance, layout, painting and mouse tracking.
#include "controls/dropdown/calculatorpanel.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/imagelist.h"
#include "grid/base/styledetect.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Theme part and states of the push button.
constexpr int kPushButtonPart = 1;
constexpr int kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4;

struct TKeyDef
{
    const char *Caption;
    const char *Name;
    int Tag;
    bool Special;
};

// In this order; the index is the position in Buttons.
constexpr TKeyDef kCalculatorKeys[] = {
    {"", "BTN_ON", 30, false},      {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},       {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},     {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},       {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},       {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},  {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},       {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},       {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},       {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true}};
constexpr int kCalculatorKeyCount = int(std::size(kCalculatorKeys));

// Row and column of every index but 1-3 (the wide buttons of row 0).
constexpr int kGridPlace[kCalculatorKeyCount][2] = {
    {0, 0}, {0, 1}, {0, 1}, {0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {3, 1},
    {2, 1}, {1, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 3}, {3, 3}, {2, 3}, {1, 3},
    {1, 4}, {2, 4}, {3, 4}, {4, 4}, {4, 5}, {3, 5}, {2, 5}, {1, 5}};

}   // namespace

// ---------------------------------------------------------------------------------------
// Items and appearance
// ---------------------------------------------------------------------------------------

void TButtonItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TButtonItem *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    Caption = s->Caption;
    CaptionColor = s->CaptionColor;
    Tag = s->Tag;
    ImageIndex = s->ImageIndex;
    Image.Assign(&s->Image);
    Enabled = s->Enabled;
    Name = s->Name;
}

TButtonItem &TButtonItems::Add()
{
    FItems.push_back(std::make_unique<TButtonItem>());
    return *FItems.back();
}

TButtonItem &TButtonItems::Insert(int Index)
{
    const size_t at = std::clamp<size_t>(size_t(std::max(0, Index)), 0, FItems.size());
    return **FItems.insert(FItems.begin() + ptrdiff_t(at), std::make_unique<TButtonItem>());
}

void TButtonItems::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TButtonItems *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this)
        return;
    FItems.clear();
    for (const auto &item : s->FItems)
        Add().Assign(item.get());
}

TButtonAppearance::TButtonAppearance()
{
    FColorCheckedTo = ShadeColor(0xF9D2B2, -10, -10, 0);
    FColorDisabled = ShadeColor(0xFFFFFF, -5, -5, -5);
    FColorDisabledTo = ShadeColor(0xFFFFFF, -5, -5, -5);
    FColorChecked = ShadeColor(0xF5F0E1, -10, -10, 0);
    FFont.Size = 10;
    FFont.Style = fsBold;
}

void TButtonAppearance::StoreColor(TColor &Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange(this);
}

void TButtonAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TButtonAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetColorChecked(s->FColorChecked);
    SetShineColor(s->FShineColor);
    GlowColorHot = s->GlowColorHot;
    GlowColorDown = s->GlowColorDown;
    FFont = s->FFont;
    SetTextColor(s->FTextColor);
    SetSpecialTextColor(s->FSpecialTextColor);
}

// ---------------------------------------------------------------------------------------
// The keypad
// ---------------------------------------------------------------------------------------

TCustomButtonPanel::TCustomButtonPanel(QWidget *Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FButtons.OnChange = [this](TObject *) { Changed(); };
    FButtonAppearance.OnChange = [this](TObject *) { Changed(); };
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
}

void TCustomButtonPanel::Changed()
{
    if (StandAlone())
        InvalidateRect(TRect(0, 0, width(), height()));
}

void TCustomButtonPanel::InvalidateRect(const TRect &R)
{
    update(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void TCustomButtonPanel::SetImages(TCustomImageList *Value)
{
    if (Value == FImages)
        return;
    Rewatch<TCustomImageList>(this, FImages, Value);
    ArrangeButtons();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    if (Value == FButtonPanelType)
        return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::Loaded()
{
    if (StandAlone())
        CreateButtons();
}

void TCustomButtonPanel::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TCustomButtonPanel::GetButtonsRect(TRect &Rect) const
{
    Rect = TRect(FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY);
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons.Clear();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateButtons();
}

void TCustomButtonPanel::CreateButtons()
{
    if (FButtons.Count() == 0 && FButtonPanelType == plCalculator) {
        for (const TKeyDef &k : kCalculatorKeys) {
            TButtonItem &item = FButtons.Add();
            item.Caption = QString::fromLatin1(k.Caption);
            item.Name = QString::fromLatin1(k.Name);
            item.Tag = k.Tag;
            item.Special = k.Special;
            if (k.Special)
                item.CaptionColor = 0x000080;
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtons.Count() == 0 || FButtonPanelType == plCustom)
        return;
    TRect r;
    GetButtonsRect(r);
    const int L = r.Left, T = r.Top;
    const int w = (r.Right - L - 8) / 6, h = (r.Bottom - T - 4) / 5;
    const int rowTop[5] = {T, T + h + 4, T + 2 * h + 3, T + 3 * h + 2, T + 4 * h + 1};
    const int colLeft[6] = {L,         L + w + 4,     L + 2 * w + 3,
                            L + 3 * w + 2, L + 4 * w + 6, L + 5 * w + 5};
    const int x1 = colLeft[1], E = L + 6 * w + 5, b = (E - x1 - 8) / 3;
    const int n = std::min(FButtons.Count(), kCalculatorKeyCount);
    for (int i = 0; i < n; ++i) {
        TButtonItem &item = FButtons.Items(i);
        item.Top = rowTop[kGridPlace[i][0]];
        item.Height = h;
        switch (i) {
        case 1:   // "Back"
            item.Left = x1;
            item.Width = b;
            break;
        case 2:   // "CE"
            item.Left = x1 + b + 4;
            item.Width = b;
            break;
        case 3:   // "C" ends flush with column 5
            item.Left = x1 + 2 * b + 8;
            item.Width = E - item.Left;
            break;
        default:
            item.Left = colLeft[kGridPlace[i][1]];
            item.Width = w;
        }
    }
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons.Count())
        return;
    TRect r = FButtons.Items(Index).Rect();
    InflateRect(r, 8, 8);
    InvalidateRect(r);
}

void TCustomButtonPanel::DoButtonClick(int Index)
{
    if (OnButtonClick)
        OnButtonClick(this, Index);
}

QImage TCustomButtonPanel::Graphic(const TButtonItem &Item) const
{
    if (!Item.Image.Empty())
        return Item.Image.Image();
    if (FImages && Item.ImageIndex >= 0)
        return FImages->GetImage(Item.ImageIndex);
    return {};
}

void TCustomButtonPanel::GetMaxButtonSize(QSize &Size)
{
    QImage device(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&device);
    canvas.Font = TFont::FromQFont(font());
    int cw = 0, ch = 0, gw = 0, gh = 0;
    for (int i = 0; i < FButtons.Count(); ++i) {
        const TButtonItem &item = FButtons.Items(i);
        const QSize text = MeasureText(canvas, item.Caption);
        cw = std::max(cw, text.width());
        ch = std::max(ch, text.height());
        const QImage g = Graphic(item);
        gw = std::max(gw, g.isNull() ? 0 : g.width());
        gh = std::max(gh, g.isNull() ? 0 : g.height());
    }
    const int gap = gw > 0 && cw > 0 ? FCaptionGap : 0;
    if (ButtonLayout == ilCaptionLeft || ButtonLayout == ilCaptionRight)
        Size = QSize(2 * FButtonOffSetX + gw + gap + cw, std::max(gh, ch) + 2 * FButtonOffSetY);
    else
        Size = QSize(std::max(gw, cw) + 2 * FButtonOffSetX,
                     2 * FButtonOffSetY + (gh > 0 && ch > 0 ? gh + FCaptionGap : gh) + ch);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas *Canvas)
{
    if (!Canvas || Index < 0 || Index >= FButtons.Count())
        return;
    const TButtonItem &item = FButtons.Items(Index);
    const TRect r = item.Rect();
    if (r.Left < 0 && r.Right < 0)
        return;
    Canvas->FillRect(r);
    const int state = !isEnabled()             ? kStateDisabled
                      : Index == FButtonDown   ? kStatePressed
                      : Index == FButtonHot    ? kStateHot
                                               : kStateNormal;
    if (const TThemeHandle theme = OpenThemeData(this, QStringLiteral("button"))) {
        DrawThemeBackground(theme, *Canvas, kPushButtonPart, state, r);
        CloseThemeData(theme);
    } else {
        // Without the visual-styles library the face would stay blank: the classic one.
        const unsigned frame = state == kStatePressed    ? DFCS_PUSHED
                               : state == kStateDisabled ? DFCS_INACTIVE
                               : state == kStateHot      ? DFCS_HOT
                                                         : 0u;
        ThemePlatform().DrawFrameControl(*Canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | frame);
    }

    const QImage graphic = Graphic(item);
    const int gw = graphic.isNull() ? 0 : graphic.width();
    const int gh = graphic.isNull() ? 0 : graphic.height();
    TRect c = r;
    InflateRect(c, -FButtonOffSetX, -FButtonOffSetY);
    Canvas->Font = FButtonAppearance.Font();
    Canvas->Font.Color =
        item.Special ? FButtonAppearance.SpecialTextColor() : FButtonAppearance.TextColor();
    Canvas->Brush.Style = bsClear;
    const bool caption = !item.Caption.isEmpty();
    const QSize text = caption ? MeasureText(*Canvas, item.Caption) : QSize();
    const int vcentre = c.Top + (c.Bottom - c.Top - gh) / 2;
    auto drawGraphic = [&](int X, int Y) {
        if (graphic.isNull())
            return;
        QImage g = graphic;
        if (!item.Enabled)
            g = g.convertToFormat(QImage::Format_Grayscale8);
        Canvas->Draw(X, Y, g);
    };
    auto drawCaption = [&](TRect Box, bool Centred) {
        if (!caption)
            return;
        Canvas->DrawText(item.Caption, Box,
                         DT_SINGLELINE | DT_VCENTER | (Centred ? DT_CENTER : DT_LEFT));
    };
    switch (ButtonLayout) {
    case ilCaptionLeft: {
        TRect box = c;
        box.Right -= gw;
        drawCaption(box, gw == 0);
        drawGraphic(c.Left + text.width() + FCaptionGap, vcentre);
        break;
    }
    case ilCaptionRight: {
        drawGraphic(c.Left, vcentre);
        TRect box = c;
        box.Left = c.Left + gw + FCaptionGap;
        drawCaption(box, gw == 0);
        break;
    }
    case ilCaptionTop:
        if (caption) {
            TRect box = c;
            box.Bottom -= gh;
            drawCaption(box, true);
            drawGraphic(c.Left, c.Top + text.height() + FCaptionGap);
        } else {
            drawGraphic(c.Left, vcentre);
        }
        break;
    case ilCaptionBottom: {
        const int top = caption ? c.Top : vcentre;
        drawGraphic(c.Left, top);
        TRect box = c;
        box.Top = top + gh + FCaptionGap;
        drawCaption(box, true);
        break;
    }
    }
}

void TCustomButtonPanel::Paint(TCanvas &Canvas)
{
    const TRect client(0, 0, width(), height());
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.FillRect(client);
    if (StandAlone()) {
        Canvas.Pen.Color = 0x000000;
        Canvas.Pen.Width = 1;
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(client);
    }
    for (int i = 0; i < FButtons.Count(); ++i) {
        if (i == FButtonHot)
            continue;
        Canvas.Brush.Color = Color;
        Canvas.Brush.Style = bsSolid;
        DrawButton(i, &Canvas);
    }
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    DrawButton(FButtonHot, &Canvas);
}

int TCustomButtonPanel::ButtonAt(int X, int Y) const
{
    for (int i = 0; i < FButtons.Count(); ++i) {
        const TRect r = FButtons.Items(i).Rect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom)
            return i;
    }
    return -1;
}

void TCustomButtonPanel::SetHot(int Index)
{
    if (Index == FButtonHot)
        return;
    const int old = FButtonHot;
    FButtonHot = -1;
    InvalidateButton(old);
    FButtonHot = Index;
    InvalidateButton(Index);
}

void TCustomButtonPanel::MouseMove(int X, int Y)
{
    const int i = ButtonAt(X, Y);
    SetHot(i >= 0 && FButtons.Items(i).Enabled ? i : -1);
}

void TCustomButtonPanel::MouseDown(int X, int Y)
{
    const int i = ButtonAt(X, Y);
    if (i < 0 || !FButtons.Items(i).Enabled || i == FButtonDown)
        return;
    const int old = FButtonDown;
    FButtonDown = -1;
    InvalidateButton(old);
    FButtonDown = i;
    InvalidateButton(i);
}

void TCustomButtonPanel::MouseUp(int X, int Y)
{
    if (FButtonDown < 0)
        return;
    const int pressed = FButtonDown;
    const int clicked = ButtonAt(X, Y) == pressed ? pressed : -1;
    FButtonDown = -1;
    InvalidateButton(pressed);
    if (clicked >= 0)
        DoButtonClick(clicked);
}

void TCustomButtonPanel::MouseLeave()
{
    if (FButtonHot >= 0)
        SetHot(-1);
}

void TCustomButtonPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    Paint(canvas);
}

void TCustomButtonPanel::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    ArrangeButtons();
}

void TCustomButtonPanel::mousePressEvent(QMouseEvent *Event)
{
    MouseDown(Event->position().toPoint().x(), Event->position().toPoint().y());
}

void TCustomButtonPanel::mouseMoveEvent(QMouseEvent *Event)
{
    MouseMove(Event->position().toPoint().x(), Event->position().toPoint().y());
}

void TCustomButtonPanel::mouseReleaseEvent(QMouseEvent *Event)
{
    MouseUp(Event->position().toPoint().x(), Event->position().toPoint().y());
}

void TCustomButtonPanel::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    MouseLeave();
}
