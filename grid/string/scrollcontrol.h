// The thin scroll bar of the Metro look: a thumb drawn over the grid's edge that pages and
// drags the grid's rows or columns.
#pragma once

#include "platform/color.h"

#include <QWidget>

class TDazStringGrid;

enum TScrollDirection { sdVertical, sdHorizontal };

class TScrollControl : public QWidget
{
public:
    explicit TScrollControl(QWidget *AParent);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value) { FScrollWidth = Value; update(); }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection Value) { FDirection = Value; update(); }

    // Thumb start and length along the track, in pixels of the control.
    int ThumbPos() const;
    int ThumbSize() const;
    // Whether some normal rows (columns) lie outside the view: only then is a thumb drawn.
    bool Scrollable() const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TDazStringGrid *Grid() const;
    int Length() const { return FDirection == sdVertical ? height() : width(); }
    int TrackStart() const;
    int TrackLength() const;

    TColor FColor = 0xC0C0C0;
    int FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
    bool FDragging = false;
    int FDragStart = 0;     // mouse coordinate along the bar at the press
    int FDragFirst = 0;     // TopRow (LeftCol) at the press
};
