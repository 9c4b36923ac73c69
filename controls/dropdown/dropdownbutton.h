#pragma once
// The button at the right end of a drop-down edit: a window control of fixed width holding a
// speed button that paints the face. The drop-down look is a combo-box arrow (themed,
// classic or in the owner's custom colours); the button look a push button with glyph and
// caption. A left release after a press clicks wherever the mouse is.
#include "grid/string/speedbutton.h"
#include "platform/color.h"

#include <QPointer>
#include <QWidget>

class TDazCustomDropDown;
class TDropDownEditButton;

enum TButtonStyle { bsButton, bsDropDown };

class TDazDropDownSpeedButton : public TSpeedButton
{
public:
    explicit TDazDropDownSpeedButton(TDropDownEditButton *AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle Value);   // repaints even when unchanged
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Hot() const { return FHot; }
    // From now on the button never looks pressed.
    void SetUp() { FUp = true; }
    // The look's pressed state: down and not SetUp.
    bool Pressed() const;

protected:
    void Paint(TCanvas &Canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void PaintDropDown(TCanvas &Canvas);
    void PaintButton(TCanvas &Canvas);
    int ThemeState() const;
    bool Themed() const;

    TDropDownEditButton *FOwner;
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP = false;
    TButtonStyle FButtonStyle = bsButton;
};

class TDropDownEditButton : public QWidget, public TObject
{
public:
    explicit TDropDownEditButton(QWidget *Parent = nullptr);

    TDazDropDownSpeedButton *Button() const { return FButton; }
    // The drop-down edit that owns this button (its parent), nullptr for another parent.
    TDazCustomDropDown *Edit() const;

    QImage Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString &Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    TButtonStyle ButtonStyle() const { return FButton->ButtonStyle(); }
    void SetButtonStyle(TButtonStyle Value) { FButton->SetButtonStyle(Value); }

    // Reads nullptr once that control is destroyed.
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }

    // Every width given becomes FBWidth (not while loading).
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Loading ends with the width fixed again.
    void SetLoading(bool Value)
    {
        FLoading = Value;
        if (!Value)
            Adjust();
    }
    int FBWidth = 16;

    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;
    TNotifyEvent OnClick;

protected:
    void resizeEvent(QResizeEvent *Event) override;
    void changeEvent(QEvent *Event) override;

private:
    void Adjust();
    TDazDropDownSpeedButton *FButton;
    QPointer<QWidget> FFocusControl;
    bool FLoading = false;
};
