#pragma once
// The button at the right end of a drop-down edit: a control of a fixed width (FBWidth)
// holding a speed button that paints a combo-box arrow (bsDropDown: themed, classic or in
// the custom colours of its holder) or a push button with glyph and caption (bsButton).
// A left release after a press on it fires OnClick wherever the mouse is.
#include "grid/string/speedbutton.h"
#include "platform/color.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class TDropDownEditButton;

// What the button reads of its drop-down edit.
class TDropDownEditLook
{
public:
    virtual ~TDropDownEditLook() = default;
    virtual bool EditEnabled() const = 0;
    virtual bool EditReadOnly() const = 0;
    virtual TColor EditBorderColor() const = 0;
    virtual QFont EditFont() const = 0;
};

enum TButtonStyle { bsButton, bsDropDown };

class TDazDropDownSpeedButton : public TSpeedButton
{
public:
    explicit TDazDropDownSpeedButton(TDropDownEditButton *AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle Value);   // repaints also when unchanged
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Hot() const { return FHot; }
    // From now on the button never looks pressed.
    void SetUp() { FUp = true; }
    // Down or exclusive, unless SetUp was called.
    bool Pressed() const;
    // The visual style is drawn by the theme service.
    bool Themed() const;
    int Repaints() const { return FRepaints; }

    void Paint(TCanvas &Canvas) override;

protected:
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void PaintDropDown(TCanvas &Canvas);
    void PaintButton(TCanvas &Canvas);
    void Invalidate();

    TDropDownEditButton *FOwner;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP;
    TButtonStyle FButtonStyle = bsButton;
    int FRepaints = 0;
};

class TDropDownEditButton : public QWidget
{
public:
    TDropDownEditButton(QWidget *Parent, TDropDownEditLook *Edit);

    TDazDropDownSpeedButton *Button() const { return FButton; }
    TDropDownEditLook *Edit() const { return FEdit; }

    QImage Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString &Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    // Forgotten when that control is destroyed.
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }
    // Width always FBWidth, the inner button filling the control (not while loading).
    void SetBounds(int Left, int Top, int Width, int Height);
    // While loading, a resize keeps the width it is given; Loaded applies FBWidth.
    void SetLoading(bool Value) { FLoading = Value; }
    void Loaded();

    std::function<void(TDropDownEditButton *Sender)> OnClick;

    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Adjust();

    TDropDownEditLook *FEdit;
    TDazDropDownSpeedButton *FButton;
    QPointer<QWidget> FFocusControl;
    bool FLoading = false;
};
