#pragma once
// TLazyTreeHintWindow: the window a lazy tree shows its hints and tooltips in. It paints the
// hint into a buffer of its own and shows it plainly, fading in (window opacity) or sliding
// in (the window grows downwards from its top edge showing the hint's last rows first); the
// tree's animation driver times both.
#include "controls/tree/lazytree.h"

#include <QImage>
#include <QWidget>

// Set when a hint window is destroyed, or by a tree destroyed while a hint animation runs;
// cleared when a hint window is created or hidden. A running animation stops on it, since
// the window it paints into may no longer exist. GUI thread only.
extern bool HintWindowGone;

class TLazyTreeHintWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TLazyTreeHintWindow(QWidget *Parent = nullptr);
    ~TLazyTreeHintWindow() override;

    // The window rectangle the hint of AData needs, relative to the hint position; empty when
    // there is nothing to show (no data, no text, or a tooltip whose text is not cut off).
    virtual TRect CalcHintRect(int MaxWidth, const QString &AHint, const TLTHintData *AData);
    // Shows the hint in Rect (screen coordinates), kept on the desktop, while the mouse is
    // still inside the area the hint belongs to.
    virtual void ActivateHint(TRect Rect, const QString &AHint);
    // Whether Event, arriving anywhere while the hint is shown, makes the hint go.
    virtual bool IsHintMsg(const QEvent *Event) const;

    const TLTHintData &HintData() const { return FHintData; }
    const QImage &DrawBuffer() const { return FDrawBuffer; }
    int TextHeight() const { return FTextHeight; }
    // The rows of the hint the window shows; fewer than its height while sliding in.
    int ShownRows() const { return FShownRows; }

protected:
    // Step 0 draws the hint into the buffer; StepSize 0 shows it whole, a StepSize of 1 or
    // more shows animation step Step.
    void PaintHint(int Step, int StepSize);
    // One animation step; false stops the animation.
    bool HintAnimationStep(int Step, int StepSize);
    void paintEvent(QPaintEvent *Event) override;
    void hideEvent(QHideEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    bool IsNodeTooltip() const;
    void DrawBackground(TCanvas &Canvas, const TRect &R);

    TLTHintData FHintData;
    QImage FDrawBuffer;
    int FTextHeight = 0;
    int FShownRows = 0;
    TRect FBounds;   // screen rectangle of the whole hint
    THintAnimationType FAnimation = THintAnimationType::hatNone;
    bool FFilterInstalled = false;
};
