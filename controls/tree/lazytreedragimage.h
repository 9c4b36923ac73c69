#pragma once
// The translucent picture that follows the mouse while nodes or a header column are
// dragged. Where the platform shows a drag picture itself (Qt's drag pixmap), the picture
// is handed over; otherwise it is drawn here over a saved copy of the screen beneath it,
// fading out towards its edges. A move shorter than the picture scrolls the saved
// background and samples only the strips the picture uncovers and covers.
#include "platform/color.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>

class QMimeData;
class QRegion;
class TBaseLazyTree;

enum class TLTDragMoveRestriction : uint8_t { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };
enum class TLTDragImageState : uint8_t { disHidden, disInDrag, disPrepared, disSystemSupport };

// The screen as the self-drawn picture sees it; the real one captures through QScreen and
// shows the picture in a frameless window, a test uses an image.
class IDragImageScreen
{
public:
    virtual ~IDragImageScreen() = default;
    virtual QImage Capture(const QRect &R) = 0;
    // Puts saved background back (the window system does that for a real window).
    virtual void Restore(QPoint At, const QImage &Image, const QRect &Part) = 0;
    // Shows the blended picture at At.
    virtual void Draw(QPoint At, const QImage &Image) = 0;
    virtual void Hide() = 0;
};

// Whether the platform shows a drag picture for a drag with a data object; a test turns it
// off to see the self-drawn picture.
void SetSystemDragImageSupport(bool Value);
bool SystemDragImageSupport();

class TLTDragImage
{
public:
    explicit TLTDragImage(TBaseLazyTree *Owner);
    ~TLTDragImage();

    // Image: the picture; ImagePosition and HotSpot in screen coordinates.
    void PrepareDrag(const QImage &DragImage, QPoint ImagePosition, QPoint HotSpot,
                     QMimeData *DataObject);
    // Moves the picture to P (screen); false when P is the last position and nothing forced.
    bool DragTo(QPoint P, bool ForceRepaint);
    void ShowDragImage();
    void HideDragImage();
    void EndDrag();
    bool WillMove(QPoint P) const;
    QRect GetDragImageRect() const;
    // Paints R (Tree's client coordinates) of Tree into the saved background, clipped to
    // VisibleRegion (client coordinates).
    void RecaptureBackground(TBaseLazyTree *Tree, QRect R, const QRegion &VisibleRegion,
                             bool CaptureNCArea, bool ReshowDragImage);
    bool Visible() const;

    TColor ColorKey() const { return FColorKey; }
    void SetColorKey(TColor Value) { FColorKey = Value; }
    bool Fade() const { return FFade; }
    void SetFade(bool Value) { FFade = Value; }
    TLTDragMoveRestriction MoveRestriction() const { return FRestriction; }
    void SetMoveRestriction(TLTDragMoveRestriction Value) { FRestriction = Value; }
    int PostBlendBias() const { return FPostBlendBias; }
    void SetPostBlendBias(int Value) { FPostBlendBias = Value; }
    int PreBlendBias() const { return FPreBlendBias; }
    void SetPreBlendBias(int Value) { FPreBlendBias = Value; }
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { FTransparency = Value; }
    bool Has(TLTDragImageState S) const { return (FStates & Bit(S)) != 0; }

    // The picture as prepared (with its alpha channel), the saved background and the pixmap
    // handed to the platform.
    const QImage &Picture() const { return FDragImage; }
    const QImage &BackImage() const { return FBackImage; }
    const QImage &SystemImage() const { return FSystemImage; }
    QPoint ImagePosition() const { return FImagePosition; }
    QPoint SystemHotSpot() const { return FSystemHotSpot; }
    // Not owned; nullptr: the real screen.
    void SetScreen(IDragImageScreen *Screen) { FScreen = Screen; }
    // 255 e^(-8 r) with r the distance from the centre over the larger side; 0 for the key.
    void MakeAlphaChannel(const QImage &Source, QImage &Target) const;

private:
    static constexpr uint8_t Bit(TLTDragImageState S) { return uint8_t(1u << unsigned(S)); }
    void Enter(TLTDragImageState S) { FStates |= Bit(S); }
    void Leave(TLTDragImageState S) { FStates &= uint8_t(~Bit(S)); }
    IDragImageScreen &Screen();
    void DrawBlended();
    void CaptureInto(const QRect &ScreenRect, QPoint At);

    TBaseLazyTree *FOwner;
    QImage FBackImage, FAlphaImage, FDragImage, FSystemImage;
    QPoint FImagePosition, FLastPosition, FSystemHotSpot;
    int FTransparency = 128;
    int FPreBlendBias = 0, FPostBlendBias = 0;
    bool FFade = false;
    TLTDragMoveRestriction FRestriction = TLTDragMoveRestriction::dmrNone;
    TColor FColorKey = clNone;
    uint8_t FStates = 0;
    IDragImageScreen *FScreen = nullptr;
    std::unique_ptr<IDragImageScreen> FRealScreen;
};
