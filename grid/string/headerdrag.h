#pragma once
// The floating pieces of a header drag: the button that carries the dragged header's
// caption, and the translucent picture of the dragged cells. Both are frameless
// stay-on-top windows owned by the grid; they never take the focus.
#include "platform/canvas.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class TDazStringGrid;

// Shows a header cell of its grid, in the grid's own fixed-cell look, with the caption
// (mark-up when it holds a closing tag) centred; without a grid a plain button face.
class THeaderDragButton : public QWidget
{
public:
    // A grid as owner becomes the button's grid.
    explicit THeaderDragButton(QWidget *AOwner);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    TDazStringGrid *Grid() const { return FGrid; }
    void SetGrid(TDazStringGrid *Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString FCaption;
    QPointer<TDazStringGrid> FGrid;
    bool FFlat = false;
};

class TDragImageForm : public QWidget
{
public:
    // Opacity 192 of 255.
    TDragImageForm(QWidget *AOwner, const QImage &Image);
    const QImage &Image() const { return FImage; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage FImage;
};
