#pragma once
// Windows the grid floats over its client area: the arrows that mark where a dragged column
// or row will land, and the translucent glow around the current cell.
#include "grid/base/alphamask.h"
#include "grid/base/gridenums.h"
#include "platform/canvas.h"

#include <QWidget>
#include <array>

// A hidden arrow-shaped pop-up; only its outline shows.
class TArrowWindow : public QWidget
{
public:
    // Init: owned by and attached to AOwner, hidden, lime.
    TArrowWindow(QWidget *AOwner, TArrowDirection Direction);

    TArrowDirection Dir;
    std::array<TPoint, 7> Arrow;   // the outline in window coordinates

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    static std::array<TPoint, 7> ArrowOutline(TArrowDirection Direction);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TColor FColor = clLime;
};

// A disabled top-most tool pop-up that the grid sizes, places, shows and hides; it shows an
// alpha mask once one is given, else its red colour.
class TGridFocusWindow : public QWidget
{
public:
    explicit TGridFocusWindow(QWidget *AOwner);

    TColor Color() const { return FColor; }
    // Takes the mask's size and shows its pixels at its opacity.
    void SetAlphaMask(const TGridAlphaMask &Mask);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TColor FColor = clRed;
    QImage FMask;
    uint8_t FOpacity = 255;
};
