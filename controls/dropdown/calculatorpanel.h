#pragma once
// The calculator keypad: 28 push buttons in a fixed calculator grid, painted as the
// platform's themed push button, hot and pressed tracking under the mouse, and a click
// reported by the button's index. It knows no arithmetic; the calculator drop-down reads
// each button's Tag.
//
// Stand-alone (no drop-down linked) it makes its buttons when loaded, draws a frame and
// repaints on every change of its buttons or appearance; linked, the drop-down drives it.
#include "controls/dropdown/itemlayout.h"
#include "grid/base/classes.h"
#include "grid/string/bitmap.h"
#include "platform/canvas.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TCustomImageList;
class TDazCustomDropDown;

class TButtonItem : public TPersistent
{
public:
    QString Caption;
    TColor CaptionColor = 0xFFFFFF;   // stored only; painting does not use it
    int ImageIndex = -1;
    TPicture Image;
    int Tag = 0;                      // the calculator's command code
    QString Name;                     // "BTN_7"
    bool Enabled = true;              // a disabled button is never hot nor pressed
    bool Special = false;             // caption in SpecialTextColor
    int Left = 0, Top = 0, Width = 0, Height = 0;   // written by ArrangeButtons

    TRect Rect() const { return TRect(Left, Top, Left + Width, Top + Height); }
    // Caption, CaptionColor, Tag, ImageIndex, Image, the enabled flag and the name; neither
    // the special flag nor the rectangle.
    void Assign(const TPersistent *Source) override;
};

class TButtonItems : public TPersistent
{
public:
    int Count() const { return int(FItems.size()); }
    TButtonItem &Items(int Index) const { return *FItems.at(size_t(Index)); }
    TButtonItem &Add();
    TButtonItem &Insert(int Index);
    void Clear() { FItems.clear(); }
    // Replaces the items by copies of Source's.
    void Assign(const TPersistent *Source) override;
    // The keypad's buttons-changed handler; the collection never raises it itself.
    TNotifyEvent OnChange;

private:
    std::vector<std::unique_ptr<TButtonItem>> FItems;
};

// Fonts and colours of the keypad. Painting uses only Font, TextColor and SpecialTextColor;
// the fill, border, shine and glow colours are stored and copied for the caller.
class TButtonAppearance : public TPersistent
{
public:
    TButtonAppearance();
    void Assign(const TPersistent *Source) override;
    TNotifyEvent OnChange;

#define CF_KEYPAD_COLOR(Name, Default)                                                        \
public:                                                                                      \
    TColor Name() const { return F##Name; }                                                 \
    void Set##Name(TColor Value) { StoreColor(F##Name, Value); }                              \
                                                                                             \
private:                                                                                     \
    TColor F##Name = Default;

    CF_KEYPAD_COLOR(BorderColor, TColor(0x000000))
    CF_KEYPAD_COLOR(BorderColorHot, TColor(0x000000))
    CF_KEYPAD_COLOR(BorderColorDown, TColor(0x000000))
    CF_KEYPAD_COLOR(BorderColorChecked, TColor(0xFF0000))
    CF_KEYPAD_COLOR(Color, TColor(0x9A915F))
    CF_KEYPAD_COLOR(ColorTo, TColor(0xB0A170))
    CF_KEYPAD_COLOR(ColorDown, TColor(0x4B2F08))
    CF_KEYPAD_COLOR(ColorDownTo, TColor(0xADB514))
    CF_KEYPAD_COLOR(ColorHot, TColor(0x9F6F1C))
    CF_KEYPAD_COLOR(ColorHotTo, TColor(0xD5C244))
    CF_KEYPAD_COLOR(ColorCheckedTo, TColor(0))
    CF_KEYPAD_COLOR(ColorDisabled, TColor(0))
    CF_KEYPAD_COLOR(ColorDisabledTo, TColor(0))
    CF_KEYPAD_COLOR(ColorChecked, TColor(0))
    CF_KEYPAD_COLOR(TextColor, TColor(0x000000))
    CF_KEYPAD_COLOR(SpecialTextColor, TColor(0x000080))
#undef CF_KEYPAD_COLOR

public:
    // Stored without a change report.
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value) { FShineColor = Value; }
    TColor GlowColorHot = 0xD5C244;
    TColor GlowColorDown = 0xD5C244;
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }

private:
    void StoreColor(TColor &Field, TColor Value);
    TColor FShineColor = 0xFFFFFF;
    TFont FFont;
};

enum TButtonPanelType { plCalculator, plCustom };
using TCalculatorButtonClickEvent = std::function<void(TObject *Sender, int Index)>;

class TCustomButtonPanel : public QWidget, public TObject, public TFreeNotifyClient
{
public:
    explicit TCustomButtonPanel(QWidget *Parent = nullptr);
    ~TCustomButtonPanel() override;

    TButtonItems &Buttons() { return FButtons; }
    void SetButtons(const TButtonItems &Value) { FButtons.Assign(&Value); }
    TButtonAppearance &ButtonAppearance() { return FButtonAppearance; }
    void SetButtonAppearance(const TButtonAppearance &Value) { FButtonAppearance.Assign(&Value); }
    TItemLayout ButtonLayout = ilCaptionRight;   // stored without repainting
    int ItemColorStyle = 0;                      // stored only
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    QPointer<QWidget> Edit;                      // stored only; cleared when it goes
    TColor Color = clBtnFace;                    // the background behind the buttons
    TDazCustomDropDown *DazDropDown() const { return FDazDropDown; }
    void SetDazDropDown(TDazCustomDropDown *Value) { FDazDropDown = Value; }
    bool StandAlone() const { return FDazDropDown == nullptr; }
    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    TCalculatorButtonClickEvent OnButtonClick;

    // Loading finished: a stand-alone keypad makes its buttons.
    void Loaded();
    void Notification(TComponent *AComponent, TOperation Operation) override;

    virtual void DrawButton(int Index, TCanvas *Canvas);
    virtual void GetButtonsRect(TRect &Rect) const;
    // What the largest button content needs, in the keypad's own font.
    virtual void GetMaxButtonSize(QSize &Size);
    virtual void ClearButtons();
    virtual void ResetButtons();
    // Adds the 28 calculator buttons when there are none (calculator type), then arranges.
    virtual void CreateButtons();
    virtual void ArrangeButtons();
    // The button rectangle grown by 8 on every side.
    virtual void InvalidateButton(int Index);
    virtual void DoButtonClick(int Index);

    void Paint(TCanvas &Canvas);
    // Mouse handling in client coordinates (any mouse button).
    void MouseDown(int X, int Y);
    void MouseMove(int X, int Y);
    void MouseUp(int X, int Y);
    void MouseLeave();
    // The first button whose rectangle holds the point, -1 for none.
    int ButtonAt(int X, int Y) const;

protected:
    // Every repaint request goes through here.
    virtual void InvalidateRect(const TRect &R);
    void paintEvent(QPaintEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void leaveEvent(QEvent *Event) override;

private:
    void SetHot(int Index);
    void Changed();
    QImage Graphic(const TButtonItem &Item) const;
    TButtonItems FButtons;
    TButtonAppearance FButtonAppearance;
    TCustomImageList *FImages = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    TDazCustomDropDown *FDazDropDown = nullptr;
    int FButtonHot = -1, FButtonDown = -1;
    int FOffSetX = 8, FOffSetY = 8;
    int FButtonOffSetX = 4, FButtonOffSetY = 4;
    int FCaptionGap = 0;
};
