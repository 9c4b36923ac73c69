#pragma once
// TVclStyleScrollBarsHook: paints a tree's scroll bars in an application-wide custom visual
// style while the tree keeps its ordinary bars for all scrolling. Two overlay widgets lie
// exactly over the bars and let every mouse event through to them; the hook follows the mouse
// over the bars for hot and pressed looks and drives a dragged thumb itself.
//
// Hooks exist only while such a style is active. The program has no style engine, so no style
// is ever active and no hook is made (Attach answers nullptr); the class works against any
// ILTStyleSource, which is how it is tested.
#include "controls/tree/lazytree.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QPainter;
class QScrollBar;

enum class TThemedScrollBar : uint8_t {
    tsArrowBtnUpNormal, tsArrowBtnUpHot, tsArrowBtnUpPressed, tsArrowBtnUpDisabled,
    tsArrowBtnDownNormal, tsArrowBtnDownHot, tsArrowBtnDownPressed, tsArrowBtnDownDisabled,
    tsArrowBtnLeftNormal, tsArrowBtnLeftHot, tsArrowBtnLeftPressed, tsArrowBtnLeftDisabled,
    tsArrowBtnRightNormal, tsArrowBtnRightHot, tsArrowBtnRightPressed, tsArrowBtnRightDisabled,
    tsThumbBtnHorzNormal, tsThumbBtnHorzHot, tsThumbBtnHorzPressed,
    tsThumbBtnVertNormal, tsThumbBtnVertHot, tsThumbBtnVertPressed,
    tsUpperTrackHorzNormal, tsUpperTrackVertNormal
};

// The custom visual style the bars are painted in.
class ILTStyleSource
{
public:
    virtual ~ILTStyleSource() = default;
    // The style is active and can paint.
    virtual bool Available() const = 0;
    virtual void DrawElement(QPainter &Painter, TThemedScrollBar Element, const QRect &R) = 0;
    // Length of an arrow button along its bar.
    virtual int ArrowButtonSize(bool Vertical) const = 0;
};

class TVclStyleScrollBarsHook : public QObject
{
    Q_OBJECT

public:
    // The overlay over one bar; transparent for the mouse, painted by the hook.
    class TVclStyleScrollBarWindow : public QWidget
    {
    public:
        TVclStyleScrollBarWindow(TVclStyleScrollBarsHook *Owner, bool Vertical, QWidget *Parent);
        bool FScrollBarVertical = false;
        bool FScrollBarVisible = false;
        bool FScrollBarEnabled = false;

    protected:
        void paintEvent(QPaintEvent *Event) override;

    private:
        TVclStyleScrollBarsHook *FScrollBarWindowOwner;
    };

    TVclStyleScrollBarsHook(TBaseLazyTree &Tree, ILTStyleSource &Style);
    ~TVclStyleScrollBarsHook() override;

    // The hook a tree gets: nullptr without an available style, and for trees other than the
    // string and the draw tree.
    static TVclStyleScrollBarsHook *Attach(TBaseLazyTree &Tree, ILTStyleSource *Style);

    virtual void UpdateBarRects();
    virtual void PaintHorzBar(QPainter &Painter);
    virtual void PaintVertBar(QPainter &Painter);
    virtual void RepaintBars();

    // Where the hook hands scroll messages to the tree (the message's position is limited to
    // 16 bits for the vertical bar, as the message carries it); queued by default.
    std::function<void(int Bar, int Code, int Position)> PostScroll;

    // Rectangles in the tree's client coordinates, and the element states.
    QRect FHorzScrollBarDownButtonRect, FHorzScrollBarRect, FHorzScrollBarSliderTrackRect,
        FHorzScrollBarUpButtonRect;
    QRect FVertScrollBarDownButtonRect, FVertScrollBarRect, FVertScrollBarSliderTrackRect,
        FVertScrollBarUpButtonRect;
    TThemedScrollBar FHorzScrollBarDownButtonState = TThemedScrollBar::tsArrowBtnRightNormal;
    TThemedScrollBar FHorzScrollBarSliderState = TThemedScrollBar::tsThumbBtnHorzNormal;
    TThemedScrollBar FHorzScrollBarUpButtonState = TThemedScrollBar::tsArrowBtnLeftNormal;
    TThemedScrollBar FVertScrollBarDownButtonState = TThemedScrollBar::tsArrowBtnDownNormal;
    TThemedScrollBar FVertScrollBarSliderState = TThemedScrollBar::tsThumbBtnVertNormal;
    TThemedScrollBar FVertScrollBarUpButtonState = TThemedScrollBar::tsArrowBtnUpNormal;
    bool FLeftMouseButtonDown = false;
    int FPrevScrollPos = 0;
    float FScrollPos = 0;
    TVclStyleScrollBarWindow *HorzScrollBarWindow() const { return FHorzScrollBarWindow; }
    TVclStyleScrollBarWindow *VertScrollBarWindow() const { return FVertScrollBarWindow; }
    QRect VertThumbRect() const;
    QRect HorzThumbRect() const;

    // The mouse over the tree or its bars, in the tree's client coordinates: presses, moves
    // and releases over a bar (NonClient) or captured after a thumb press. True: handled.
    enum class TMouseKind : uint8_t { Press, DblClick, Release, Move };
    bool MouseMessage(TMouseKind Kind, bool NonClient, QPoint ClientPoint, QPoint ScreenPoint);
    void CaptureChanged();
    void MouseLeave();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    // One bar's overlay, element states and arrow rectangles; vertical first.
    struct TBarParts
    {
        TVclStyleScrollBarWindow *Window;
        TThemedScrollBar *Slider, *Up, *Down;
        QRect UpRect, DownRect;
        bool Vertical;
    };
    std::array<TBarParts, 2> Parts();
    bool InTreeHeader(QPoint P) const;
    void PlaceBarWindows();
    QRect BarRect(const QScrollBar *Bar) const;
    bool NonClientPress(QPoint P, QPoint Screen);
    bool DragThumb(bool Vertical, QPoint Screen);
    bool NonClientRelease(QPoint P);
    bool CapturedRelease(QPoint P);
    void TrackHot(QPoint P);
    void PaintBar(QPainter &Painter, bool Vertical);

    TBaseLazyTree &FTree;
    ILTStyleSource &FStyle;
    QPointer<TVclStyleScrollBarWindow> FHorzScrollBarWindow;
    QPointer<TVclStyleScrollBarWindow> FVertScrollBarWindow;
};
