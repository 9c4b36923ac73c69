#pragma once
// The framework's speed button, base of the editor controls' small buttons: it never takes
// the focus, goes down while the left button holds it with the mouse over it, and clicks on
// release over it. Its glyph strip holds NumGlyphs images (up, disabled, down, exclusive);
// the colour of a glyph's bottom-left pixel is transparent.
#include "grid/base/classes.h"
#include "grid/base/customgrid.h"
#include "grid/base/gridbutton.h"
#include "platform/canvas.h"

#include <QImage>
#include <QWidget>

class TSpeedButton : public QWidget, public TObject
{
public:
    explicit TSpeedButton(QWidget *AOwner = nullptr);

    const QImage &Glyph() const { return FGlyph; }
    void SetGlyph(const QImage &Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);   // 1..4; others are ignored
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    TButtonState State() const;
    bool MouseInControl() const { return FMouseInControl; }
    // The left button went down on the button and has not been released.
    bool MouseCapture() const { return FDragging; }

    // Fires OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // The face of the platform's speed button, then the glyph and the caption.
    virtual void Paint(TCanvas &Canvas);
    // OnMouseDown, then the left button takes the button down.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    // OnMouseUp, then the button goes up and clicks when released over it (unless
    // ClickOnRelease is off).
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // The glyph image for the state, centred in R (from R's corner when larger), one pixel
    // right and down while down; then the caption in black, centred on one line.
    void PaintGlyphAndCaption(TCanvas &Canvas, const TRect &R, bool Down);
    QImage GlyphFor(TButtonState State) const;

    bool FClickOnRelease = true;

    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void changeEvent(QEvent *) override;

private:
    QImage FGlyph;
    int FNumGlyphs = 1;
    QString FCaption;
    bool FFlat = false;
    bool FTransparent = false;
    bool FDragging = false;
    bool FDownNow = false;   // pressed with the mouse over it
    bool FMouseInControl = false;
};
