#pragma once
// The push buttons of the drop-down header and footer: a flat face in the colours of a
// shared TDazButtonAppearance with image and caption, hot and pressed looks, toggling
// (tasCheck), groups of buttons under one parent, and a modal result that closes the
// drop-down accepted or cancelled.
#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "platform/canvas.h"

#include <QTimer>
#include <QWidget>

class TCustomImageList;
class TDazCustomDropDown;

class TDazButtonAppearance : public TPersistent
{
public:
    TDazButtonAppearance();

    // Copies the colours and the gradient through the setters (OnChange per changed
    // value), not the font.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

#define CF_APPEARANCE_COLOR(Name, Default)                                                    \
public:                                                                                      \
    TColor Name() const { return F##Name; }                                                 \
    void Set##Name(TColor Value) { SetField(F##Name, Value); }                              \
                                                                                             \
private:                                                                                     \
    TColor F##Name = Default;

    CF_APPEARANCE_COLOR(BorderColor, clNone)
    CF_APPEARANCE_COLOR(BorderColorHot, TColor(0x808080))
    CF_APPEARANCE_COLOR(BorderColorDown, TColor(0x800000))
    CF_APPEARANCE_COLOR(BorderColorDisabled, TColor(0x808080))
    CF_APPEARANCE_COLOR(BorderColorChecked, TColor(0xFF0000))
    CF_APPEARANCE_COLOR(Color, clNone)
    CF_APPEARANCE_COLOR(ColorTo, clNone)
    CF_APPEARANCE_COLOR(ColorDown, TColor(0xF5D8CA))
    CF_APPEARANCE_COLOR(ColorDownTo, TColor(0xF9BDA0))
    CF_APPEARANCE_COLOR(ColorHot, TColor(0xF5F0E1))
    CF_APPEARANCE_COLOR(ColorHotTo, TColor(0xF9D2B2))
    CF_APPEARANCE_COLOR(ColorCheckedTo, ShadeColor(0xF9D2B2, -10, -10, 0))
    CF_APPEARANCE_COLOR(ColorDisabled, TColor(0xF2F2F2))
    CF_APPEARANCE_COLOR(ColorDisabledTo, clNone)
    CF_APPEARANCE_COLOR(ColorChecked, ShadeColor(0xF5F0E1, -10, -10, 0))
#undef CF_APPEARANCE_COLOR

public:
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }   // reports nothing

private:
    template <class T>
    void SetField(T &Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        if (OnChange)
            OnChange(this);
    }
    TGradientDirection FGradient = gdVertical;
    TFont FFont;
};

// The grid suite's button style: tasCheck toggles Down on each click.
using TDazButtonStyle = TDazGridButtonStyle;
enum TDazButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

class TDazButton : public QWidget, public TObject, public TFreeNotifyClient
{
public:
    explicit TDazButton(QWidget *Parent = nullptr);
    ~TDazButton() override;

    int GroupIndex = 0;
    TDazButtonStyle Style = tasButton;
    int ModalResult = 0;
    // Shared, not owned; without it no face is drawn.
    TDazButtonAppearance *Appearance = nullptr;
    int ImageIndex = -1;
    // The drop-down a modal result closes.
    TDazCustomDropDown *DazDropDown = nullptr;
    int Tag = 0;

    QString Caption() const { return FCaption; }
    // The caption's accelerator (Alt and the letter after "&") clicks an enabled button.
    void SetCaption(const QString &Value);

    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TDazButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    void SetLoading(bool Value);

    // Fits the button to its caption and image (8 x 4 pixels of margin).
    void AutoSizeButton();
    // The modal result, the drop-down closing, then OnClick (not for a key's click).
    virtual void Click();

    // The un-hot check with the cursor in client coordinates (the 1 ms timer passes the
    // real one).
    void UnHotTick(QPoint Cursor);
    // Another button of the parent went down.
    void GroupNotice(TDazButton *Sender);

    TNotifyEvent OnClick, OnMouseEnter, OnMouseLeave;

    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    virtual void DrawFace(TCanvas &Canvas);
    bool event(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;

private:
    void MouseEntered();
    void MouseLeft();
    bool Inside(QPoint At) const;
    void ReevaluateTracking();
    bool Grouped() const { return GroupIndex != 0; }

    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    bool FHot = false;
    TDazButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    bool FLoading = false;
    bool FInitialDown = false;
    bool FInternalClick = false;
    QTimer FUnHotTimer;
    TCustomImageList *FImages = nullptr;
    QString FCaption;
    int FAccelerator = 0;   // the caption's shortcut id, 0 for none
};
