#pragma once
// The frameless, top-most window a drop-down edit opens below or above itself: the hosted
// control between optional header and footer strips, the drop-down background and border,
// closing when another window is activated, and a bottom-right sizing corner.
#include "grid/base/classes.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

class TDazCustomDropDown;
class TDazHeader;
class TDazFooter;
class TCanvas;

class TDropDownForm : public QWidget, public TObject
{
public:
    explicit TDropDownForm(QWidget *Owner);

    TDazCustomDropDown *DazDropDown() const { return FDazDropDown; }
    void SetDazDropDown(TDazCustomDropDown *Value) { FDazDropDown = Value; }
    TDazHeader *Header() const { return FHeader; }
    TDazFooter *Footer() const { return FFooter; }
    bool Shadow = true;
    bool Sizeable = false;
    bool CancelOnDeActivate = true;
    bool BlockActivate = false;
    uint32_t DeActivateTime() const { return FDeActivate; }
    TNotifyEvent OnSizing;
    TNotifyEvent OnHide;
    std::function<void(int Delta)> OnWheel;   // a wheel turn over the window

    // Links (and on demand makes) the header and footer from the edit's appearances.
    void InitializeAndUpdate();
    // The hosted control, laid out between header and footer.
    void SetControl(QWidget *Control);
    QWidget *Control() const { return FControl; }
    void DrawBackground(TCanvas &Canvas);
    // Another window (nullptr: none of this program) became active.
    void Deactivated(QWidget *NewActive);
    // The bottom-right sizing corner answers here.
    bool InSizingCorner(QPoint At) const;
    void LayoutChildren();

protected:
    void paintEvent(QPaintEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void hideEvent(QHideEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void wheelEvent(QWheelEvent *Event) override;

private:
    int BorderWidth() const;
    TDazCustomDropDown *FDazDropDown = nullptr;
    TDazHeader *FHeader = nullptr;
    TDazFooter *FFooter = nullptr;
    QPointer<QWidget> FControl;
    uint32_t FDeActivate = 0;
};
