// The item selector: items, look, layout, painting and navigation.
#include "controls/dropdown/itemselector.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/drawroutines.h"
#include "grid/base/imagelist.h"
#include "grid/base/markup.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QToolTip>
#include <stdexcept>

namespace {

// Caption measuring box of the layout.
constexpr TRect kMeasureBox(0, 0, 1000, 500);
// Height of a horizontal scroll bar as GetVisibleItemCount discounts it.
constexpr int kHorzScrollBarHeight = 20;

// A canvas for measuring only.
QImage &MeasureImage()
{
    static QImage image(1, 1, QImage::Format_RGB32);
    return image;
}

}   // namespace

QImage DisabledImage(const QImage &Image)
{
    QImage grey = Image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = (qGray(line[x]) + 2 * 192) / 3;   // light grey, as a greyed glyph
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return grey;
}

// ---------------------------------------------------------------------------------------
// Items
// ---------------------------------------------------------------------------------------

void TSelectorItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TSelectorItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignCaptionImage(*s);
    SetColor(s->FColor);
    Hint = s->Hint;
}

// ---------------------------------------------------------------------------------------
// Appearance
// ---------------------------------------------------------------------------------------

TItemAppearance::TItemAppearance()
{
    Font.Name = QStringLiteral("Tahoma");
    Font.Color = clBlack;
    SetColorStyle(scOffice2007);
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style)
{
    if (Style == FColorStyle)
        return;
    FColorStyle = Style;
    struct TPreset
    {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, Top, Bottom, Border, Edge, Selected,
            SelectedTo, MirrorSelected, MirrorSelectedTo;
    };
    static constexpr TPreset kOffice2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                         0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF,
                                         0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
    static constexpr TPreset kVista{0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7,
                                    0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone};
    static constexpr TPreset kSeven{0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB,
                                    0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone};
    const TPreset *p = Style == scOffice2007     ? &kOffice2007
                       : Style == scWindowsVista ? &kVista
                       : Style == scWindows7     ? &kSeven
                                                 : nullptr;
    if (!p)
        return;
    ColorHot = p->Hot;
    ColorHotTo = p->HotTo;
    ColorMirrorHot = p->MirrorHot;
    ColorMirrorHotTo = p->MirrorHotTo;
    BorderColorTop = p->Top;
    BorderColorBottom = p->Bottom;
    BorderColor = p->Border;
    EdgeColor = p->Edge;
    ColorSelected = p->Selected;
    ColorSelectedTo = p->SelectedTo;
    ColorMirrorSelected = p->MirrorSelected;
    ColorMirrorSelectedTo = p->MirrorSelectedTo;
}

void TItemAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TItemAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    ColorMirrorHotTo = s->ColorMirrorHotTo;
    BorderColor = s->BorderColor;
    ColorMirrorHot = s->ColorMirrorHot;
    ColorSelectedTo = s->ColorSelectedTo;
    ColorSelected = s->ColorSelected;
    EdgeColor = s->EdgeColor;
    ColorHotTo = s->ColorHotTo;
    BorderColorBottom = s->BorderColorBottom;
    ColorHot = s->ColorHot;
    BorderColorTop = s->BorderColorTop;
    ColorMirrorSelectedTo = s->ColorMirrorSelectedTo;
    ColorMirrorSelected = s->ColorMirrorSelected;
    Font = s->Font;
    SetColorStyle(s->FColorStyle);
    ColorSelectedText = s->ColorSelectedText;
    BorderColorHot = s->BorderColorHot;
    BorderColorSelected = s->BorderColorSelected;
}

// ---------------------------------------------------------------------------------------
// The panel
// ---------------------------------------------------------------------------------------

namespace {
TDazCustomItemSelector *SelectorOwner(TObject *AOwner)
{
    auto *owner = dynamic_cast<TDazCustomItemSelector *>(AOwner);
    if (!owner)
        throw std::runtime_error("Invalid parent");
    return owner;
}
}   // namespace

TCustomItemSelector::TCustomItemSelector(TObject *AOwner)
    : QWidget(SelectorOwner(AOwner)), FDazItemSelector(SelectorOwner(AOwner))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    const TSelectorItems &items = FDazItemSelector->Items();
    if (Value >= 0 && Value < items.Count() && !items.Items(Value)->Enabled())
        return;
    MoveMark(FItemIndex, Value, [this](int Old) { InvalidateItem(Old); });
    if (Value >= 0) {
        InvalidateItem(Value);
        if (OnItemSelect)
            OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(int Index)
{
    const TSelectorItems &items = FDazItemSelector->Items();
    if (Index == FItemHot || (Index >= 0 && Index < items.Count() && !items.Items(Index)->Enabled()))
        return;
    MoveMark(FItemHot, Index, [this](int Old) { InvalidateItem(Old); });
    if (Index >= 0)
        InvalidateItem(Index);
}

void TCustomItemSelector::SelectFirst()
{
    if (FDazItemSelector->Items().Count() > 0)
        SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (const int n = FDazItemSelector->Items().Count(); n > 0)
        SetItemIndex(n - 1);
}

namespace {
// The step rule of next and previous: 0 from no selection, nothing past the ends.
int Stepped(int Index, int Count, int Step)
{
    if (Count <= 0)
        return -2;
    if (Index < 0)
        return 0;
    const int to = Index + Step;
    return to >= 0 && to < Count ? to : -2;
}
}   // namespace

void TCustomItemSelector::SelectNext()
{
    if (const int to = Stepped(FItemIndex, FDazItemSelector->Items().Count(), 1); to >= 0)
        SetItemIndex(to);
}

void TCustomItemSelector::SelectPrevious()
{
    if (const int to = Stepped(FItemIndex, FDazItemSelector->Items().Count(), -1); to >= 0)
        SetItemIndex(to);
}

void TCustomItemSelector::HotNext()
{
    if (const int to = Stepped(FItemHot, FDazItemSelector->Items().Count(), 1); to >= 0)
        SetItemHot(to);
}

void TCustomItemSelector::HotPrevious()
{
    if (const int to = Stepped(FItemHot, FDazItemSelector->Items().Count(), -1); to >= 0)
        SetItemHot(to);
}

bool TCustomItemSelector::LookupItem(const QString &S)
{
    const TSelectorItems &items = FDazItemSelector->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const QString key = CaseKey(HtmlToPlainText(items.Items(i)->Caption()).trimmed(), false);
        if (key.startsWith(S)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

int TCustomItemSelector::ItemAtPos(QPoint P) const
{
    const TSelectorItems &items = FDazItemSelector->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (PtInRect(items.Items(i)->FRect, TPoint::FromQPoint(P)))
            return i;
    return -1;
}

void TCustomItemSelector::GetItemsArea(TRect &R)
{
    R = TRect(0, 0, width(), height());
    InflateRect(R, -FOffSetX, -FOffSetY);
}

QSize TCustomItemSelector::BoxSize(const TSelectorItem &Item) const
{
    const TDazCustomItemSelector &o = *FDazItemSelector;
    if (o.SelectorType() == stColor)
        return {o.ColorBoxWidth(), o.ColorBoxHeight()};
    if (!Item.Image().Empty())
        return {Item.Image().Width(), Item.Image().Height()};
    if (o.Images() && Item.ImageIndex() >= 0)
        return {o.Images()->Width(), o.Images()->Height()};
    return {0, 0};
}

void TCustomItemSelector::GetItemSize(QSize &Size)
{
    TDazCustomItemSelector &o = *FDazItemSelector;
    if (o.OnItemSize) {
        o.OnItemSize(this, Size);
        return;
    }
    const TSelectorItems &items = o.Items();
    int bw = 0, bh = 0;
    if (o.SelectorType() == stColor) {
        bw = o.ColorBoxWidth();
        bh = o.ColorBoxHeight();
    } else {
        for (int i = 0; i < items.Count(); ++i) {
            const QSize b = BoxSize(*items.Items(i));
            bw = std::max(bw, b.width());
            bh = std::max(bh, b.height());
        }
    }
    int cw = 0, ch = 0;
    {
        TCanvas canvas(&MeasureImage());
        canvas.Font = o.ItemAppearance().Font;
        for (int i = 0; i < items.Count(); ++i) {
            QSize extent;
            DrawHtmlCaption(canvas, items.Items(i)->Caption(), kMeasureBox, o.Images(), false,
                            this, extent);
            cw = std::max(cw, extent.width());
            ch = std::max(ch, extent.height());
        }
    }
    if (cw > 0)
        cw += 4;
    switch (o.ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        Size.setWidth(2 * FItemOffSetX + (bw > 0 ? bw : 0) + (bw > 0 && cw > 0 ? FCaptionGap : 0) +
                      cw);
        Size.setHeight(std::max(ch, bh) + 2 * FItemOffSetY);
        break;
    case ilCaptionTop:
    case ilCaptionBottom:
        Size.setWidth(std::max(cw, bw) + 2 * FItemOffSetX);
        Size.setHeight(2 * FItemOffSetY + (bh > 0 ? bh : 0) +
                       (bh > 0 && ch >= 1 ? FCaptionGap : 0) + (ch >= 1 ? ch : 0));
        break;
    }
}

void TCustomItemSelector::ArrangeItems()
{
    TSelectorItems &items = FDazItemSelector->Items();
    const int n = items.Count();
    if (n == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    QSize s;
    GetItemSize(s);
    TRect a;
    GetItemsArea(a);
    int x = a.Left, y = a.Top, column = 0, widest = 0;
    const int columns = FDazItemSelector->Columns();
    for (int i = 0; i < n; ++i) {
        items.Items(i)->FRect = TRect(x, y, x + s.width(), y + s.height());
        ++column;
        if (i == n - 1)
            break;
        if (column < columns) {
            x += s.width();
        } else {
            widest = std::max(widest, x);
            y += s.height();
            x = a.Left;
            column = 0;
        }
    }
    resize(std::max(widest, x) + s.width() + a.Left, y + s.height() + a.Top);
    update();
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    const TSelectorItems &items = FDazItemSelector->Items();
    if (Index >= 0 && Index < items.Count())
        update(items.Items(Index)->FRect.ToQRect());
}

void TCustomItemSelector::DrawBox(TCanvas &Canvas, const TSelectorItem &Item, int X, int Y,
                                  QSize Box)
{
    const TDazCustomItemSelector &o = *FDazItemSelector;
    if (o.SelectorType() == stColor) {
        Canvas.Pen.Color = clBlack;
        Canvas.Brush.Color = Item.Color();
        Canvas.Brush.Style = Item.Color() == clNone ? bsClear : bsSolid;
        Canvas.Rectangle(X, Y, X + Box.width(), Y + Box.height());
    } else if (!Item.Image().Empty()) {
        Canvas.Draw(X, Y, Item.Image().Image());
    } else if (o.Images() && Item.ImageIndex() >= 0) {
        if (Item.Enabled())
            o.Images()->Draw(Canvas, X, Y, Item.ImageIndex());
        else
            Canvas.Draw(X, Y, DisabledImage(o.Images()->GetImage(Item.ImageIndex())));
    }
}

void TCustomItemSelector::DrawItem(int Index, TCanvas &Canvas)
{
    TDazCustomItemSelector &o = *FDazItemSelector;
    const TSelectorItems &items = o.Items();
    if (Index < 0 || Index >= items.Count())
        return;
    const TSelectorItem &item = *items.Items(Index);
    const TRect r = item.FRect;
    if (r.Left < 0 && r.Right < 0)
        return;
    const TItemAppearance &ap = o.ItemAppearance();
    TColor border = ap.BorderColor, top = ap.BorderColorTop, bottom = ap.BorderColorBottom,
           edge = ap.EdgeColor;
    TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
    bool lit = false;
    auto light = [&](TColor F, TColor FT, TColor M, TColor MT, TColor StateBorder) {
        fill = F, fillTo = FT, mirror = M, mirrorTo = MT;
        if (StateBorder != clNone) {
            border = StateBorder;
            top = bottom = edge = clNone;
        }
        lit = true;
    };
    if (Index == FItemHot)
        light(ap.ColorHot, ap.ColorHotTo, ap.ColorMirrorHot, ap.ColorMirrorHotTo, ap.BorderColorHot);
    if (Index == FItemIndex)
        light(ap.ColorSelected, ap.ColorSelectedTo, ap.ColorMirrorSelected,
              ap.ColorMirrorSelectedTo, ap.BorderColorSelected);
    if (!lit) {
        FillRectSolid(Canvas, r, o.Color());
    } else if (top != clNone) {
        DrawRoundedButtonFace(Canvas, fill, fillTo, mirror, mirrorTo, top, bottom, border, edge,
                              o.Color(), r, 0);
    } else {
        DrawFilledRect(&Canvas, r, fill, fillTo, border, 1, gdVertical);
    }
    if (o.OnDrawItem) {
        o.OnDrawItem(this, Canvas, r, Index);
        return;
    }
    const QSize box = BoxSize(item);
    const int w = box.width(), h = box.height();
    TRect c = r;
    InflateRect(c, -FItemOffSetX, -FItemOffSetY);
    TRect b = c;
    Canvas.Font = ap.Font;
    if (Index == FItemHot)
        Canvas.Font.Color = ap.ColorHotText;
    if (Index == FItemIndex)
        Canvas.Font.Color = ap.ColorSelectedText;
    Canvas.Brush.Style = bsClear;
    const QString caption = item.Caption();
    const bool hasBox = o.SelectorType() == stColor || w > 0 || h > 0;
    // The vertical place of the box: a colour box at the top, a picture centred.
    auto boxTop = [&](const TRect &B) {
        return o.SelectorType() == stColor ? B.Top : B.Top + (B.Height() - h) / 2;
    };
    auto captionCentred = [&](TRect C) {
        QSize extent;
        DrawHtmlCaption(Canvas, caption, C, o.Images(), false, this, extent);
        if (extent.height() < C.Height())
            C.Top += (C.Height() - extent.height()) / 2;
        DrawHtmlCaption(Canvas, caption, C, o.Images(), true, this, extent);
        return extent;
    };
    switch (o.ItemLayout()) {
    case ilCaptionLeft: {
        QSize extent;
        if (!caption.isEmpty()) {
            c.Right -= w;
            extent = captionCentred(c);
        }
        b.Left = c.Left + extent.width() + FCaptionGap;
        DrawBox(Canvas, item, b.Left, boxTop(b), box);
        break;
    }
    case ilCaptionRight:
        DrawBox(Canvas, item, b.Left, boxTop(b), box);
        if (hasBox)
            c.Left = b.Left + w + FCaptionGap;
        if (!caption.isEmpty())
            captionCentred(c);
        break;
    case ilCaptionTop: {
        if (!caption.isEmpty()) {
            c.Bottom -= h;
            QSize extent;
            DrawHtmlCaption(Canvas, caption, c, o.Images(), true, this, extent);
            b.Top = c.Top + extent.height() + FCaptionGap;
        } else {
            b.Top += (b.Height() - h) / 2;
        }
        b.Left += (b.Width() - w) / 2;
        DrawBox(Canvas, item, b.Left, b.Top, box);
        break;
    }
    case ilCaptionBottom: {
        if (caption.isEmpty())
            b.Top += (b.Height() - h) / 2;
        b.Left += (b.Width() - w) / 2;
        DrawBox(Canvas, item, b.Left, b.Top, box);
        if (hasBox)
            c.Top = b.Top + h + FCaptionGap;
        QSize extent;
        DrawHtmlCaption(Canvas, caption, c, o.Images(), true, this, extent);
        break;
    }
    }
    Canvas.Brush.Style = bsSolid;
}

void TCustomItemSelector::paintEvent(QPaintEvent *Event)
{
    TCanvas canvas(this);
    FillRectSolid(canvas, TRect(0, 0, width(), height()), FDazItemSelector->Color());
    // Only the cells the exposed part touches: a scrolled list repaints a window of it.
    const QRect exposed = Event->rect();
    const TSelectorItems &items = FDazItemSelector->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items.Items(i)->FRect.ToQRect().intersects(exposed))
            DrawItem(i, canvas);
}

void TCustomItemSelector::mousePressEvent(QMouseEvent *Event)
{
    QWidget::mousePressEvent(Event);
    const int i = ItemAtPos(Event->position().toPoint());
    if (i >= 0 && FDazItemSelector->Items().Items(i)->Enabled())
        SetItemIndex(i);
}

void TCustomItemSelector::mouseMoveEvent(QMouseEvent *Event)
{
    QWidget::mouseMoveEvent(Event);
    const int i = ItemAtPos(Event->position().toPoint());
    if (i >= 0 && i != FItemHot) {
        const TSelectorItem &item = *FDazItemSelector->Items().Items(i);
        SetItemHot(item.Enabled() ? i : -1);
        setToolTip(item.Hint);
        QToolTip::hideText();
    } else if (i < 0 && FItemHot >= 0) {
        SetItemHot(-1);
    }
}

void TCustomItemSelector::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    SetItemHot(-1);
}

void TCustomItemSelector::keyPressEvent(QKeyEvent *Event)
{
    Event->accept();   // the host maps the keys
}

// ---------------------------------------------------------------------------------------
// The outer selector
// ---------------------------------------------------------------------------------------

TDazCustomItemSelector::TDazCustomItemSelector(QWidget *Parent)
    : QScrollArea(Parent), FItems(std::make_unique<TSelectorItems>())
{
    FItems->OnChange = [this](TObject *) { UpdateSelectorPanel(); };
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    FItemAppearance.SetColorStyle(scOffice2007);
    FItemSelectorPanel = new TCustomItemSelector(this);
    setWidget(FItemSelectorPanel);
    FItemSelectorPanel->OnItemSelect = [this](TObject *) {
        if (OnItemSelect)
            OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TDazCustomItemSelector::~TDazCustomItemSelector()
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    delete takeWidget();
    FItemSelectorPanel = nullptr;
}

void TDazCustomItemSelector::SetColor(TColor Value)
{
    FColor = Value;
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, ToQColor(Value == clNone ? clWhite : Value));
    viewport()->setPalette(p);
    FItemSelectorPanel->update();
}

void TDazCustomItemSelector::SetColumns(int Value)
{
    if (Value <= 0 || Value == FColumns)
        return;
    FColumns = Value;
    UpdateSelectorPanel();
}

int TDazCustomItemSelector::ItemIndex() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TDazCustomItemSelector::SetItemIndex(int Value)
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(Value);
}

int TDazCustomItemSelector::ItemHot() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

void TDazCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (Value == FSelectorType)
        return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TDazCustomItemSelector::SetImages(TCustomImageList *Value)
{
    if (Value == FImages)
        return;
    Rewatch<TCustomImageList>(this, FImages, Value);
    UpdateSelectorPanel();
}

void TDazCustomItemSelector::SetColorBoxWidth(int Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TDazCustomItemSelector::SetColorBoxHeight(int Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TDazCustomItemSelector::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        UpdateSelectorPanel();
    }
}

void TDazCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel)
        FItemSelectorPanel->ArrangeItems();
}

void TDazCustomItemSelector::SelectFirst()
{
    FItemSelectorPanel->SelectFirst();
    ScrollItemInView(ItemIndex());
}

void TDazCustomItemSelector::SelectLast()
{
    FItemSelectorPanel->SelectLast();
    ScrollItemInView(ItemIndex());
}

void TDazCustomItemSelector::SelectNext()
{
    FItemSelectorPanel->SelectNext();
    ScrollItemInView(ItemIndex());
}

void TDazCustomItemSelector::SelectPrevious()
{
    FItemSelectorPanel->SelectPrevious();
    ScrollItemInView(ItemIndex());
}

void TDazCustomItemSelector::HotNext()
{
    FItemSelectorPanel->HotNext();
    ScrollItemInView(ItemHot());
}

void TDazCustomItemSelector::HotPrevious()
{
    FItemSelectorPanel->HotPrevious();
    ScrollItemInView(ItemHot());
}

bool TDazCustomItemSelector::LookupItem(const QString &S)
{
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

bool TDazCustomItemSelector::HorzScrollBarVisible() const
{
    return FItemSelectorPanel && FItemSelectorPanel->width() > width();
}

bool TDazCustomItemSelector::VertScrollBarVisible() const
{
    if (!FItemSelectorPanel)
        return false;
    const int h = height() - (HorzScrollBarVisible() ? horizontalScrollBar()->sizeHint().height() : 0);
    return FItemSelectorPanel->height() > h;
}

void TDazCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBarVisible())
        return;
    // The scroll bar's margin around the cell is 0.
    const TRect cell = FItems->Items(Index)->Rect();
    const int offset = FItemSelectorPanel->y();   // the panel moves up as it scrolls
    int top = cell.Top + offset, bottom = cell.Bottom + offset;
    const int client = viewport()->height();
    QScrollBar *bar = verticalScrollBar();
    if (top < 0) {
        bar->setValue(bar->value() + top);
    } else if (bottom > client) {
        if (bottom - top > client)
            bottom = top + client;
        bar->setValue(bar->value() + bottom - client);
    }
}

int TDazCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems->Count() == 0)
        return 0;
    const int h = height() - (HorzScrollBarVisible() ? kHorzScrollBarHeight : 0);
    const int cell = FItems->Items(0)->Rect().Height();
    if (cell <= 0)
        return 0;
    return h / cell * FColumns;
}

QSize TDazCustomItemSelector::GetPanelSize() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->size() : QSize(100, 50);
}

void TDazCustomItemSelector::resizeEvent(QResizeEvent *Event)
{
    QScrollArea::resizeEvent(Event);
    if (OnResize)
        OnResize(this);
}

void TDazCustomItemSelector::keyPressEvent(QKeyEvent *Event)
{
    Event->accept();   // no scrolling by keys: the host maps them
}
