#pragma once
// The push buttons of a drop-down's header and footer strips (TDazButton) and the colours
// they share (TDazButtonAppearance), and what the buttons and strips ask of their drop-down
// edit (TDazDropDownHost).
#include "grid/base/classes.h"
#include "grid/base/graphics.h"
#include "grid/base/gridenums.h"
#include "grid/string/dropdownappearance.h"
#include "platform/color.h"

#include <QString>
#include <QWidget>
#include <functional>

class QTimer;
class TCanvas;
class TCustomImageList;
class TDazButtonAppearance;

// The drop-down edit as its panels and panel buttons use it.
class TDazDropDownHost
{
public:
    virtual ~TDazDropDownHost() = default;
    virtual void DoHideDropDown(bool Cancelled) = 0;
    virtual TDazButtonAppearance &ButtonAppearance() = 0;
    virtual THeaderAppearance &DropDownHeader() = 0;
    virtual TFooterAppearance &DropDownFooter() = 0;
    virtual TCustomImageList *Images() const = 0;
    virtual bool DropDownSizeable() const = 0;
    virtual int DropDownBorderWidth() const = 0;
    virtual TColor DropDownBorderColor() const = 0;

    // Fired by the strips with the index of the button item clicked.
    std::function<void(TDazDropDownHost *Sender, int ButtonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(TDazDropDownHost *Sender, int ButtonIndex)> OnDropDownFooterButtonClick;
};

// Face and border colours of the panel buttons by state. Each setter fires OnChange when the
// value changes; the font setter copies silently.
class TDazButtonAppearance : public TPersistent
{
public:
    TDazButtonAppearance();

    // Copies every colour and the gradient through the setters (OnChange once per changed
    // value), not the font; another source goes to TPersistent.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

#define CF_DAZ_APPEARANCE_VALUE(Type, Name, Default)                                              \
public:                                                                                           \
    Type Name() const { return F##Name; }                                                         \
    void Set##Name(Type Value)                                                                    \
    {                                                                                             \
        if (F##Name == Value)                                                                     \
            return;                                                                               \
        F##Name = Value;                                                                          \
        Changed();                                                                                \
    }                                                                                             \
                                                                                                  \
private:                                                                                          \
    Type F##Name = Default;

    CF_DAZ_APPEARANCE_VALUE(TColor, BorderColor, clNone)
    CF_DAZ_APPEARANCE_VALUE(TColor, BorderColorHot, 0x808080)
    CF_DAZ_APPEARANCE_VALUE(TColor, BorderColorDown, 0x800000)
    CF_DAZ_APPEARANCE_VALUE(TColor, BorderColorDisabled, 0x808080)
    CF_DAZ_APPEARANCE_VALUE(TColor, BorderColorChecked, 0xFF0000)
    CF_DAZ_APPEARANCE_VALUE(TColor, Color, clNone)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorTo, clNone)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorDown, 0xF5D8CA)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorDownTo, 0xF9BDA0)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorHot, 0xF5F0E1)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorHotTo, 0xF9D2B2)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorCheckedTo, clNone)   // set by the constructor
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorDisabled, 0xF2F2F2)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorDisabledTo, clNone)
    CF_DAZ_APPEARANCE_VALUE(TColor, ColorChecked, clNone)     // set by the constructor
    CF_DAZ_APPEARANCE_VALUE(TGradientDirection, Gradient, gdVertical)
#undef CF_DAZ_APPEARANCE_VALUE

public:
    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    void SetFont(const TFontObject &Value) { FFont.Assign(&Value); }

private:
    void Changed();
    TFontObject FFont;
};

// tasButton or tasCheck, the grid's own button styles.
using TDazButtonStyle = TDazGridButtonStyle;
enum TDazButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// A flat button with an image and a one-line caption, hot and pressed looks, toggling
// (tasCheck) and groups (the same non-zero GroupIndex under one parent). A click reports
// its ModalResult to its dialog and closes its drop-down for the results that close one.
// Without an appearance it draws nothing over its parent's background.
class TDazButton : public QWidget
{
public:
    explicit TDazButton(QWidget *Parent = nullptr);

    // The fields the panels set.
    TDazButtonAppearance *FAppearance = nullptr;
    TCustomImageList *FImages = nullptr;
    int FImageIndex = -1;
    int FModalResult = 0;
    TDazDropDownHost *FDazDropDown = nullptr;
    TDazButtonStyle FStyle = tasButton;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    int FOffSet = 4;
    bool FGrouped = true;
    int Tag = 0;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TDazButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    // The click entry point: modal result, drop-down closing, then OnClick (not for a key).
    void Click();
    // Fits the button to its caption and image, 8 wider and 4 higher.
    void AutoSizeButton();
    // The un-hot timer's tick: clears the hot look once Cursor (client coordinates) left.
    void UnHotTick(const QPoint &Cursor);
    // Paints the face on Canvas (nothing without an appearance).
    virtual void DrawFace(TCanvas &Canvas);

    std::function<void(TDazButton *Sender)> OnClick;
    std::function<void(TDazButton *Sender)> OnMouseEnter;
    std::function<void(TDazButton *Sender)> OnMouseLeave;

protected:
    // The caption's accelerator (Alt and the letter after "&") clicks an enabled button.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void MouseEntered();
    void MouseLeft();
    void FixState();
    bool Inside(const QPoint &P) const;
    // Another button of this one's group went down.
    void GroupPressed(TDazButton *Sender);

    QString FCaption;
    bool FDown = false;
    bool FMouseInControl = false;
    bool FHot = false;
    TDazButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    bool FInternalClick = false;
    bool FClicked = false;   // a left press began here; its release inside clicks
    int FShortcut = 0;       // the accelerator's shortcut id, 0 for none
    QTimer *FUnHotTimer;
};
