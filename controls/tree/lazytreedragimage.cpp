#include "controls/tree/lazytreedragimage.h"

#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreeutils.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <cmath>
#include <cstring>

using enum TLTDragImageState;

namespace {

bool SystemSupport = true;

// The real screen: captured where the window system allows it; the picture is a frameless
// translucent window that the window system moves over the desktop.
class TWindowScreen : public IDragImageScreen
{
public:
    QImage Capture(const QRect &R) override
    {
        QImage image;
        if (QScreen *screen = QGuiApplication::screenAt(R.topLeft()))
            image = screen->grabWindow(0, R.x() - screen->geometry().x(),
                                       R.y() - screen->geometry().y(), R.width(), R.height())
                        .toImage();
        if (image.size() != R.size()) {
            image = QImage(R.size(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        }
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    void Restore(QPoint, const QImage &, const QRect &) override {}
    void Draw(QPoint At, const QImage &Image) override
    {
        if (!FWindow) {
            FWindow = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                            Qt::WindowTransparentForInput);
            FWindow->setAttribute(Qt::WA_TranslucentBackground);
            FWindow->setAttribute(Qt::WA_ShowWithoutActivating);
        }
        FWindow->setPixmap(QPixmap::fromImage(Image));
        FWindow->setGeometry(QRect(At, Image.size()));
        FWindow->show();
    }
    void Hide() override
    {
        if (FWindow)
            FWindow->hide();
    }

private:
    std::unique_ptr<QLabel> FWindow;
};

}   // namespace

void SetSystemDragImageSupport(bool Value)
{
    SystemSupport = Value;
}

bool SystemDragImageSupport()
{
    return SystemSupport;
}

TLTDragImage::TLTDragImage(TBaseLazyTree *Owner) : FOwner(Owner) {}

TLTDragImage::~TLTDragImage()
{
    EndDrag();
}

IDragImageScreen &TLTDragImage::Screen()
{
    if (FScreen)
        return *FScreen;
    if (!FRealScreen)
        FRealScreen = std::make_unique<TWindowScreen>();
    return *FRealScreen;
}

bool TLTDragImage::Visible() const
{
    return Has(disInDrag) && Has(disPrepared) && !Has(disHidden) && !Has(disSystemSupport);
}

void TLTDragImage::MakeAlphaChannel(const QImage &Source, QImage &Target) const
{
    const int w = Source.width(), h = Source.height();
    const double side = std::max(w, h);
    const QRgb key = FColorKey == clNone ? 0 : QRgb(ColorToRGB(FColorKey));
    // The key as a pixel: 0x00BBGGRR against Qt's 0xAARRGGBB.
    const QRgb keyPixel = qRgb(int(key & 0xFF), int((key >> 8) & 0xFF), int((key >> 16) & 0xFF));
    for (int y = 0; y < h; ++y) {
        const QRgb *s = reinterpret_cast<const QRgb *>(Source.constScanLine(y));
        QRgb *d = reinterpret_cast<QRgb *>(Target.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int alpha = 0;
            if (FColorKey == clNone || (s[x] & 0xFFFFFF) != (keyPixel & 0xFFFFFF)) {
                const double dx = x - w / 2, dy = y - h / 2;
                alpha = int(std::lround(255.0 * std::exp(-8.0 * std::sqrt(dx * dx + dy * dy) / side)));
            }
            d[x] = (d[x] & 0x00FFFFFF) | (QRgb(alpha) << 24);
        }
    }
}

void TLTDragImage::PrepareDrag(const QImage &DragImage, QPoint ImagePosition, QPoint HotSpot,
                               QMimeData *DataObject)
{
    const int w = DragImage.width(), h = DragImage.height();
    if (DataObject && SystemSupport) {
        // The platform draws the picture: Qt's drag pixmap with the hot spot in the middle.
        Enter(disSystemSupport);
        FSystemImage = DragImage.convertToFormat(QImage::Format_ARGB32);
        if (FColorKey != clNone)
            MakeAlphaChannel(DragImage.convertToFormat(QImage::Format_ARGB32), FSystemImage);
        FSystemHotSpot = QPoint(w / 2, h / 2);
    } else {
        Leave(disSystemSupport);
        FSystemImage = QImage();
    }
    if (!LazyTreeGlobals().MMXAvailable || Has(disSystemSupport) || w <= 0 || h <= 0)
        return;
    FLastPosition = HotSpot;
    const QImage source = DragImage.convertToFormat(QImage::Format_ARGB32);
    FAlphaImage = QImage(w, h, QImage::Format_ARGB32);
    FBackImage = QImage(w, h, QImage::Format_ARGB32);
    FDragImage = source;
    if (FPreBlendBias != 0) {
        QImage picture = source;
        BlendRectangle(&picture, &FDragImage, TRect(0, 0, w, h), TPoint(0, 0),
                       TBlendMode::blendConstant, 255, FPreBlendBias);
    }
    MakeAlphaChannel(source, FDragImage);
    FImagePosition = ImagePosition;
    Enter(disHidden);
    Enter(disInDrag);
    Enter(disPrepared);
}

void TLTDragImage::CaptureInto(const QRect &ScreenRect, QPoint At)
{
    if (ScreenRect.isEmpty())
        return;
    const QImage part = Screen().Capture(ScreenRect);
    QPainter p(&FBackImage);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(At, part);
}

void TLTDragImage::DrawBlended()
{
    // Into the bitmap made for it: no allocation per mouse move.
    if (FAlphaImage.size() != FBackImage.size() || FAlphaImage.format() != FBackImage.format())
        FAlphaImage = QImage(FBackImage.size(), FBackImage.format());
    std::memcpy(FAlphaImage.bits(), FBackImage.constBits(), size_t(FBackImage.sizeInBytes()));
    const bool perPixel = FFade || FColorKey != clNone;
    BlendRectangle(&FDragImage, &FAlphaImage, TRect(0, 0, FDragImage.width(), FDragImage.height()),
                   TPoint(0, 0), perPixel ? TBlendMode::blendPerPixelScaled : TBlendMode::blendConstant,
                   FTransparency, FPostBlendBias);
    Screen().Draw(FImagePosition, FAlphaImage);
}

void TLTDragImage::ShowDragImage()
{
    if (FStates != (Bit(disHidden) | Bit(disInDrag) | Bit(disPrepared)))
        return;
    Leave(disHidden);
    CaptureInto(QRect(FImagePosition, FBackImage.size()), QPoint(0, 0));
    DrawBlended();
}

void TLTDragImage::HideDragImage()
{
    if (!Visible())
        return;
    Enter(disHidden);
    Screen().Restore(FImagePosition, FBackImage, FBackImage.rect());
    Screen().Hide();
}

bool TLTDragImage::WillMove(QPoint P) const
{
    if (!Visible())
        return false;
    switch (FRestriction) {
    case TLTDragMoveRestriction::dmrHorizontalOnly: return P.x() != FLastPosition.x();
    case TLTDragMoveRestriction::dmrVerticalOnly: return P.y() != FLastPosition.y();
    default: return P != FLastPosition;
    }
}

bool TLTDragImage::DragTo(QPoint P, bool ForceRepaint)
{
    const int dx = FRestriction == TLTDragMoveRestriction::dmrVerticalOnly ? 0 : FLastPosition.x() - P.x();
    const int dy = FRestriction == TLTDragMoveRestriction::dmrHorizontalOnly ? 0 : FLastPosition.y() - P.y();
    if (dx == 0 && dy == 0 && !ForceRepaint)
        return false;
    if (Visible()) {
        const int w = FBackImage.width(), h = FBackImage.height();
        if (std::abs(dx) >= w || std::abs(dy) >= h || ForceRepaint) {
            Screen().Restore(FImagePosition, FBackImage, FBackImage.rect());
            if (ForceRepaint && FOwner)
                FOwner->viewport()->repaint();
            FImagePosition -= QPoint(dx, dy);
            CaptureInto(QRect(FImagePosition, FBackImage.size()), QPoint(0, 0));
        } else {
            TRect clip, scroll;
            TDragStrip sample1, sample2, restore1, restore2;
            DragMoveRectangles(w, h, dx, dy, clip, scroll, sample1, sample2, restore1, restore2);
            for (const TDragStrip &s : {restore1, restore2})
                if (s.Width > 0 && s.Height > 0)
                    Screen().Restore(FImagePosition, FBackImage, QRect(s.X, s.Y, s.Width, s.Height));
            // The part the old and new places share moves within the saved background.
            const QImage shared = FBackImage.copy(scroll.ToQRect());
            {
                QPainter p(&FBackImage);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(scroll.Left + dx, scroll.Top + dy, shared);
            }
            FImagePosition -= QPoint(dx, dy);
            for (const TDragStrip &s : {sample1, sample2})
                if (s.Width > 0 && s.Height > 0)
                    CaptureInto(QRect(FImagePosition + QPoint(s.X, s.Y), QSize(s.Width, s.Height)),
                                QPoint(s.X, s.Y));
        }
        DrawBlended();
    }
    FLastPosition = P;
    return true;
}

void TLTDragImage::EndDrag()
{
    HideDragImage();
    Leave(disInDrag);
    Leave(disPrepared);
    FBackImage = FAlphaImage = FDragImage = QImage();
}

QRect TLTDragImage::GetDragImageRect() const
{
    return Visible() ? QRect(FImagePosition, FBackImage.size()) : QRect();
}

void TLTDragImage::RecaptureBackground(TBaseLazyTree *Tree, QRect R, const QRegion &VisibleRegion,
                                       bool, bool ReshowDragImage)
{
    if (!Visible() || !Tree)
        return;
    // R to screen, cut to the picture, then into picture coordinates.
    const QPoint origin = Tree->viewport()->mapToGlobal(QPoint(0, 0));
    const QRect picture(FImagePosition, FBackImage.size());
    const QRect cut = R.translated(origin).intersected(picture);
    if (!cut.isEmpty()) {
        const QRect inClient = cut.translated(-origin);
        QImage part(inClient.size(), QImage::Format_ARGB32);
        part.fill(Qt::transparent);
        {
            TCanvas canvas(&part);
            TRect window = TRect::FromQRect(inClient);
            OffsetRect(window, Tree->EffectiveOffsetX(), -Tree->OffsetY());
            Tree->PaintTree(canvas, window, TPoint(0, 0),
                            {TLTInternalPaintOption::poBackground, TLTInternalPaintOption::poColumnColor,
                             TLTInternalPaintOption::poDrawFocusRect,
                             TLTInternalPaintOption::poDrawSelection,
                             TLTInternalPaintOption::poDrawDropMark,
                             TLTInternalPaintOption::poGridLines});
        }
        QPainter p(&FBackImage);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRegion(VisibleRegion.translated(origin - FImagePosition));
        p.drawImage(cut.topLeft() - FImagePosition, part);
    }
    // The frame of a tree window is drawn by the window system here: nothing to print.
    if (ReshowDragImage)
        DrawBlended();
}
