// The colour choosers: cube, spectrum and palette.
#include "controls/dropdown/colorpanels.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <map>

// ---------------------------------------------------------------------------------------
// The cursor table
// ---------------------------------------------------------------------------------------

namespace {
std::map<int, QCursor> &CursorTable()
{
    static std::map<int, QCursor> table;
    return table;
}
}   // namespace

void RegisterScreenCursor(int Number, const QCursor &Cursor)
{
    CursorTable()[Number] = Cursor;
}

QCursor ScreenCursor(int Number)
{
    const auto it = CursorTable().find(Number);
    return it == CursorTable().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

// ---------------------------------------------------------------------------------------
// Base
// ---------------------------------------------------------------------------------------

TDazCustomColorSelectorPanel::TDazCustomColorSelectorPanel(QWidget *Parent) : QWidget(Parent)
{
    setMouseTracking(true);
}

void TDazCustomColorSelectorPanel::ShouldHide()
{
    if (FOnShouldHide)
        FOnShouldHide(this);
}

// ---------------------------------------------------------------------------------------
// Cube
// ---------------------------------------------------------------------------------------

namespace {

// The cube's colours row by row (0xBBGGRR), 7, 8, .. 13, 12, .. 7 cells.
constexpr TColor kCubeColors[TDazColorCubePanel::kCellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066,
    0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699,
    0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC,
    0xFF66CC, 0xFF00CC, 0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF,
    0xFF66FF, 0xFF00FF, 0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF,
    0xCC33FF, 0x9900CC, 0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF,
    0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6,
    0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

constexpr TColor kHotFrame = 0x0000FF, kSelectedFrame = 0x000000;

}   // namespace

TDazColorCubePanel::TDazColorCubePanel(QWidget *Parent) : TDazCustomColorSelectorPanel(Parent)
{
    BuildCells();
    SetShowRGBHint(true);
}

void TDazColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    setAttribute(Qt::WA_AlwaysShowToolTips, Value);
}

void TDazColorCubePanel::BuildCells()
{
    FCubeSize = TPoint(6, 3);
    int index = 1;
    for (int r = 1; r <= 13; ++r) {
        const int count = r <= 7 ? r + 6 : 20 - r;
        const int x0 = r <= 7 ? 55 - 6 * (r - 1) : 19 + 6 * (r - 7);
        const int y = 20 + 10 * (r - 1);
        for (int k = 0; k < count; ++k, ++index)
            FCubeCells[index] = {x0 + k * 2 * FCubeSize.X, y, kCubeColors[index - 1]};
    }
}

void TDazColorCubePanel::ResetHot()
{
    FHotIndex = -1;
    resize(182, 160);
}

std::vector<TPoint> TDazColorCubePanel::Hexagon(int X, int Y, int W, int H)
{
    return {{X - W, Y - H}, {X, Y - 2 * H}, {X + W, Y - H},
            {X + W, Y + H}, {X, Y + 2 * H}, {X - W, Y + H}};
}

int TDazColorCubePanel::CellAtPos(QPoint P) const
{
    const int r2 = FCubeSize.X * FCubeSize.X;
    for (int i = 1; i <= kCellCount; ++i) {
        const int dx = FCubeCells[i].X - P.x(), dy = FCubeCells[i].Y - P.y();
        if (dx * dx + dy * dy <= r2)
            return i;
    }
    return -1;
}

void TDazColorCubePanel::SelectColor(TColor Color, int Index)
{
    FSelectedColor = Color;
    if (Index >= 1 && Index <= kCellCount) {
        FSelectedIndex = Index;
        return;
    }
    FSelectedIndex = -1;
    for (int i = 1; i <= kCellCount; ++i)
        if (FCubeCells[i].Color == Color) {
            FSelectedIndex = i;
            break;
        }
}

void TDazColorCubePanel::DrawCell(TCanvas &Canvas, int Index)
{
    if (Index < 1 || Index > kCellCount)
        return;
    const TCubeCell &c = FCubeCells[Index];
    const int w = FCubeSize.X, h = FCubeSize.Y;
    Canvas.Pen.Color = c.Color;
    Canvas.Brush.Color = c.Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Polygon(Hexagon(c.X, c.Y, w, h));
    auto frame = [&](TColor Outer) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = Outer;
        Canvas.Polygon(Hexagon(c.X, c.Y, w - 1, h));
        Canvas.Pen.Color = clWhite;
        Canvas.Polygon(Hexagon(c.X, c.Y, w - 2, h - 1));
        Canvas.Brush.Style = bsSolid;
    };
    if (Index == FHotIndex)
        frame(kHotFrame);
    if (Index == FSelectedIndex)
        frame(kSelectedFrame);
}

void TDazColorCubePanel::Paint(TCanvas &Canvas)
{
    Canvas.Brush.Color = FromQColor(palette().window().color());
    Canvas.FillRect(TRect(0, 0, width(), height()));
    for (int i = 1; i <= kCellCount; ++i)
        DrawCell(Canvas, i);
}

void TDazColorCubePanel::RepaintCell(int Index)
{
    if (Index < 1 || Index > kCellCount)
        return;
    const TCubeCell &c = FCubeCells[Index];
    update(QRect(c.X - FCubeSize.X - 1, c.Y - 2 * FCubeSize.Y - 1, 2 * FCubeSize.X + 3,
                 4 * FCubeSize.Y + 3));
}

void TDazColorCubePanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

void TDazColorCubePanel::MouseDown(QPoint P)
{
    const int i = CellAtPos(P);
    if (i < 1)
        return;
    MoveMark(FSelectedIndex, -1, [this](int Old) { RepaintCell(Old); });
    SelectColor(FCubeCells[i].Color, i);
    RepaintCell(i);
    if (OnSelect)
        OnSelect(this);
}

void TDazColorCubePanel::MouseMove(QPoint P)
{
    const int i = CellAtPos(P);
    if (i >= 1) {
        if (i != FHotIndex) {
            MoveMark(FHotIndex, i, [this](int Old) { RepaintCell(Old); });
            RepaintCell(i);
        }
        if (FShowRGBHint) {
            const TColor c = FCubeCells[i].Color;
            setToolTip(QStringLiteral("Red: %1,  Green: %2,  Blue: %3")
                           .arg(GetRValue(c))
                           .arg(GetGValue(c))
                           .arg(GetBValue(c)));
            QToolTip::hideText();
        }
    } else if (FShowRGBHint) {
        setToolTip(QString());
        QToolTip::hideText();
    }
}

void TDazColorCubePanel::MouseUp()
{
    ShouldHide();
}

void TDazColorCubePanel::mousePressEvent(QMouseEvent *Event)
{
    QWidget::mousePressEvent(Event);
    MouseDown(Event->position().toPoint());
}

void TDazColorCubePanel::mouseMoveEvent(QMouseEvent *Event)
{
    QWidget::mouseMoveEvent(Event);
    MouseMove(Event->position().toPoint());
}

void TDazColorCubePanel::mouseReleaseEvent(QMouseEvent *Event)
{
    QWidget::mouseReleaseEvent(Event);
    MouseUp();
}

// ---------------------------------------------------------------------------------------
// Spectrum
// ---------------------------------------------------------------------------------------

const QImage &SpectrumBitmap()
{
    static const QImage image = [] {
        QImage img(128, 128, QImage::Format_RGB888);
        for (int x = 0; x < 128; ++x) {
            const QColor hue = QColor::fromHsvF(std::fmod(x / 128.0, 1.0), 1.0, 1.0);
            for (int y = 0; y < 128; ++y) {
                // Rows 0..64 blend white into the hue, rows 64..127 the hue into black.
                double r = hue.redF(), g = hue.greenF(), b = hue.blueF();
                if (y < 64) {
                    const double t = (64 - y) / 66.0;
                    r += (1 - r) * t, g += (1 - g) * t, b += (1 - b) * t;
                } else {
                    const double t = 1 - (y - 64) / 66.0;
                    r *= t, g *= t, b *= t;
                }
                img.setPixel(x, y, qRgb(int(std::lround(r * 255)), int(std::lround(g * 255)),
                                        int(std::lround(b * 255))));
            }
        }
        return img;
    }();
    return image;
}

QCursor EyeDropperCursor()
{
    // A 32 x 32 pipette from the bottom-left tip (1, 30) up to the bulb at the top right.
    QBitmap shape(32, 32), mask(32, 32);
    shape.fill(Qt::color0);
    mask.fill(Qt::color0);
    QPainter ps(&shape), pm(&mask);
    ps.setPen(QPen(Qt::color1, 2));
    pm.setPen(QPen(Qt::color1, 4));
    for (QPainter *p : {&ps, &pm}) {
        p->drawLine(1, 30, 20, 11);
        p->drawEllipse(QRect(20, 3, 8, 8));
    }
    ps.end();
    pm.end();
    return QCursor(shape, mask, 1, 30);
}

namespace {

// The picture of the spectrum panel; its pointer events go to the panel.
class TSpectrumImage : public QWidget
{
public:
    explicit TSpectrumImage(TDazColorSpectrumPanel *Panel) : QWidget(Panel), FPanel(Panel)
    {
        setMouseTracking(true);
        resize(128, 128);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(0, 0, SpectrumBitmap());
    }
    void mouseMoveEvent(QMouseEvent *Event) override
    {
        FPanel->ImageMouseMove(Event->position().toPoint());
    }
    void mousePressEvent(QMouseEvent *Event) override
    {
        FPanel->ImageMouseMove(Event->position().toPoint());
        FPanel->ImageMouseDown();
    }
    void mouseReleaseEvent(QMouseEvent *) override { FPanel->ImageMouseUp(); }

private:
    TDazColorSpectrumPanel *FPanel;
};

}   // namespace

TDazColorSpectrumPanel::TDazColorSpectrumPanel(QWidget *Parent)
    : TDazCustomColorSelectorPanel(Parent), FSpectrumImage(new TSpectrumImage(this))
{
    static const bool registered = [] {
        RegisterScreenCursor(crEyeDropper, EyeDropperCursor());
        return true;
    }();
    (void)registered;
    FSpectrumImage->setCursor(ScreenCursor(crEyeDropper));
}

void TDazColorSpectrumPanel::LayoutSpectrum()
{
    resize(150, 174);
    const QRect img = FSpectrumImage->geometry();
    FSpectrumImage->move((width() - img.width()) / 2, 10);
    const int l = FSpectrumImage->x(), t = FSpectrumImage->y(), w = img.width(),
              h = img.height();
    FSelectedRect = TRect(l - 1, t + h + 8, l + w / 2 - 2, t + h + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, l + w + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    update();
}

void TDazColorSpectrumPanel::Paint(TCanvas &Canvas)
{
    Canvas.Brush.Color = FromQColor(palette().window().color());
    Canvas.FillRect(TRect(0, 0, width(), height()));
    const int l = FSpectrumImage->x(), t = FSpectrumImage->y(), w = FSpectrumImage->width(),
              h = FSpectrumImage->height();
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = clWhite;
    Canvas.Rectangle(l - 1, t - 1, l + w + 1, t + h + 1);
    Canvas.Pen.Color = 0x808080;
    Canvas.Rectangle(l - 2, t - 2, l + w + 2, t + h + 2);
    auto box = [&](TRect R, TColor C) {
        Canvas.Pen.Color = 0x808080;
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
        Canvas.Pen.Color = clWhite;
        // No colour yet: the box stays empty.
        Canvas.Brush.Style = C == clNone ? bsClear : bsSolid;
        Canvas.Brush.Color = C;
        Canvas.Rectangle(R);
    };
    box(FSelectedRect, FSelectedColor);
    box(FHotRect, FHotColor);
    Canvas.Brush.Style = bsSolid;
}

void TDazColorSpectrumPanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

void TDazColorSpectrumPanel::ImageMouseMove(QPoint P)
{
    // The displayed picture pixel under the pointer.
    const QImage &img = SpectrumBitmap();
    if (!img.rect().contains(P))
        return;
    FHotColor = FromQColor(img.pixelColor(P));
    update(FHotRect.ToQRect().adjusted(-1, -1, 1, 1));
}

void TDazColorSpectrumPanel::ImageMouseDown()
{
    FSelectedColor = FHotColor;
    update(FSelectedRect.ToQRect().adjusted(-1, -1, 1, 1));
    if (OnSelect)
        OnSelect(this);
}

void TDazColorSpectrumPanel::mouseReleaseEvent(QMouseEvent *Event)
{
    QWidget::mouseReleaseEvent(Event);
    ShouldHide();
}

// ---------------------------------------------------------------------------------------
// Palette
// ---------------------------------------------------------------------------------------

void TColorBoxAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TColorBoxAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    BorderColor = s->BorderColor;
    OuterBorderColorHot = s->OuterBorderColorHot;
    InnerBorderColorHot = s->InnerBorderColorHot;
    OuterBorderColorSelected = s->OuterBorderColorSelected;
    InnerBorderColorSelected = s->InnerBorderColorSelected;
}

void TColorBoxItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TColorBoxItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
}

TCustomColorSelector::TCustomColorSelector(QWidget *Parent)
    : TDazCustomColorSelectorPanel(Parent), FItems(nullptr)
{
}

void TCustomColorSelector::SetColumns(int Value)
{
    if (Value == FColumns)
        return;
    FColumns = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColumnGap(int Value)
{
    if (Value == FColumnGap)
        return;
    FColumnGap = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxWidth(int Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxHeight(int Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (Value == FItemColorStyle)
        return;
    FItemColorStyle = Value;
    if (Value != scCustom)
        FColorBoxAppearance.Assign(std::make_unique<TColorBoxAppearance>().get());
}

void TCustomColorSelector::LoadDefaultPalette()
{
    static constexpr TColor kPalette[6][10] = {
        {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7},
        {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD},
        {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB},
        {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA},
        {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3},
        {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897},
    };
    static constexpr TItemPos kRowPos[6] = {ipStandAlone, ipTop,    ipMiddle,
                                            ipMiddle,     ipMiddle, ipBottom};
    FItems.Clear();
    for (int row = 0; row < 6; ++row)
        for (TColor c : kPalette[row]) {
            TColorBoxItem *item = FItems.Add();
            item->SetColor(c);
            item->ColorBoxPos = kRowPos[row];
        }
}

void TCustomColorSelector::GetItemsArea(TRect &R)
{
    R = TRect(FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY);
}

void TCustomColorSelector::GetItemSize(QSize &Size)
{
    Size = QSize(FColorBoxWidth, FColorBoxHeight);
}

void TCustomColorSelector::ArrangeItems()
{
    const int n = FItems.Count();
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
    bool joined = false;   // the row holds a stand-alone box, so a gap follows it
    for (int i = 0; i < n; ++i) {
        TColorBoxItem *item = FItems.Items(i);
        item->FRect = TRect(x, y, x + s.width(), y + s.height());
        ++column;
        if (i == n - 1)
            break;
        if (item->ColorBoxPos == ipStandAlone)
            joined = true;
        if (column >= FColumns) {
            widest = std::max(widest, x);
            x = a.Left;
            y += s.height() + (joined ? FColumnGap : 0);
            joined = false;
            column = 0;
        } else {
            x += s.width() + FColumnGap;
        }
    }
    widest = std::max(widest, x);
    resize(widest + s.width() + a.Left + 1, y + s.height() + a.Top);
    update();
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (Index >= 0 && Index < FItems.Count())
        update(FItems.Items(Index)->FRect.ToQRect().adjusted(0, 0, 1, 1));
}

void TCustomColorSelector::DrawItem(int Index, TCanvas &Canvas)
{
    if (Index < 0 || Index >= FItems.Count())
        return;
    const TColorBoxItem &item = *FItems.Items(Index);
    TRect r = item.FRect;
    if (r.Left < 0 && r.Right < 0)
        return;
    const TColorBoxAppearance &ap = FColorBoxAppearance;
    TColor outer = ap.BorderColor, inner = clNone;
    bool framed = false;
    if (Index == FItemHot)
        outer = ap.OuterBorderColorHot, inner = ap.InnerBorderColorHot, framed = true;
    if (Index == FItemIndex)
        outer = ap.OuterBorderColorSelected, inner = ap.InnerBorderColorSelected, framed = true;
    if (item.Color() != clNone) {
        Canvas.Pen.Color = item.Color();
        Canvas.Brush.Color = item.Color();
        Canvas.Brush.Style = bsSolid;
        Canvas.Rectangle(r);
    }
    if (framed) {
        Canvas.Brush.Style = bsClear;
        if (outer != clNone) {
            Canvas.Pen.Color = outer;
            Canvas.Rectangle(r);
            InflateRect(r, -1, -1);
        }
        if (inner != clNone) {
            Canvas.Pen.Color = inner;
            Canvas.Rectangle(r);
        }
        Canvas.Brush.Style = bsSolid;
        return;
    }
    Canvas.Pen.Color = ap.BorderColor;
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    switch (item.ColorBoxPos) {
    case ipStandAlone:
        Canvas.MoveTo(L, B), Canvas.LineTo(L, T), Canvas.LineTo(R, T), Canvas.LineTo(R, B),
            Canvas.LineTo(L, B);
        break;
    case ipTop:
        Canvas.MoveTo(L, B), Canvas.LineTo(L, T), Canvas.LineTo(R, T), Canvas.LineTo(R, B);
        break;
    case ipMiddle:
        Canvas.MoveTo(L, T), Canvas.LineTo(L, B);
        Canvas.MoveTo(R, T), Canvas.LineTo(R, B);
        break;
    case ipBottom:
        Canvas.MoveTo(L, T), Canvas.LineTo(L, B), Canvas.LineTo(R, B);
        Canvas.MoveTo(R, T), Canvas.LineTo(R, B + 1);
        break;
    }
}

void TCustomColorSelector::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    canvas.Brush.Color = Color;
    canvas.FillRect(TRect(0, 0, width(), height()));
    for (int i = 0; i < FItems.Count(); ++i)
        DrawItem(i, canvas);
}

int TCustomColorSelector::ItemAtPos(QPoint P) const
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (PtInRect(FItems.Items(i)->FRect, TPoint::FromQPoint(P)))
            return i;
    return -1;
}

void TCustomColorSelector::SetItemIndex(int Index)
{
    if (Index >= 0 && Index < FItems.Count() && !FItems.Items(Index)->Enabled())
        return;
    MoveMark(FItemIndex, Index, [this](int Old) { InvalidateItem(Old); });
    if (Index < 0 || Index >= FItems.Count())
        return;
    FSelectedColor = FItems.Items(Index)->Color();
    InvalidateItem(Index);
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int Index)
{
    if (Index == FItemHot || (Index >= 0 && Index < FItems.Count() && !FItems.Items(Index)->Enabled()))
        return;
    MoveMark(FItemHot, Index, [this](int Old) { InvalidateItem(Old); });
    if (Index >= 0)
        InvalidateItem(Index);
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    if (Value == clNone)
        SetItemIndex(-1);
    int found = -1;
    for (int i = 0; i < FItems.Count() && found < 0; ++i)
        if (FItems.Items(i)->Color() == Value)
            found = i;
    SetItemIndex(found);
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems.Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems.Count() > 0)
        SetItemIndex(FItems.Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems.Count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems.Count())
        SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0)
        SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::NavigateByKey(int Key, bool EditorEnabled, bool DroppedDown)
{
    if (!isEnabled() || Key < VK_PRIOR || Key > VK_DOWN)
        return;
    auto row = [&](int Step) {
        if (!DroppedDown) {
            Step < 0 ? SelectPrevious() : SelectNext();
            return;
        }
        const int to = FItemIndex < 0 ? 0 : FItemIndex + Step;
        if (to >= 0 && to < FItems.Count())
            SetItemIndex(to);
    };
    const bool sideways = !(EditorEnabled && !DroppedDown);
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME:
        SelectFirst();
        break;
    case VK_NEXT:
    case VK_END:
        SelectLast();
        break;
    case VK_LEFT:
        if (sideways)
            SelectPrevious();
        break;
    case VK_RIGHT:
        if (sideways)
            SelectNext();
        break;
    case VK_UP:
        row(-FColumns);
        break;
    case VK_DOWN:
        row(FColumns);
        break;
    }
}

void TCustomColorSelector::mousePressEvent(QMouseEvent *Event)
{
    QWidget::mousePressEvent(Event);
    const int i = ItemAtPos(Event->position().toPoint());
    if (i >= 0 && FItems.Items(i)->Enabled())
        SetItemIndex(i);
}

void TCustomColorSelector::mouseMoveEvent(QMouseEvent *Event)
{
    QWidget::mouseMoveEvent(Event);
    const int i = ItemAtPos(Event->position().toPoint());
    SetItemHot(i >= 0 && !FItems.Items(i)->Enabled() ? -1 : i);
}

void TCustomColorSelector::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    SetItemHot(-1);
}
