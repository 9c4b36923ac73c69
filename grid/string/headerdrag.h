#pragma once
// The floating pieces of a header drag: the button that carries the dragged header's
// caption, and the translucent picture of the dragged cells. Both are frameless
// stay-on-top windows owned by the grid; they never take the focus.
#include "platform/canvas.h"

#include <QImage>
#include <QString>
#include <QWidget>

class THeaderDragButton : public QWidget
{
public:
    explicit THeaderDragButton(QWidget *AOwner);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString FCaption;
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
