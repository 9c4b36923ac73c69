#pragma once
// The grid's owner-drawn button: a push or latching button with glyph and caption, group
// behaviour (one button of a group down at a time), an optional drop-down part, and either
// a flat look in gradient colours (with predefined palettes) or the platform's push button.
#include "grid/base/gridenums.h"
#include "platform/canvas.h"

#include <QAction>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QMenu;
class QShortcut;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Bands bands from FromColor to ToColor over R (top to bottom, or left to right when
// horizontal), each a rectangle in its own colour; then a frame unless Frame is clNone.
void FillBandGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, TColor Frame, int Bands,
                      const TRect &R, bool Horizontal);

class TDazGridButton;

// Carries an action's caption, checked state and group index to its button while the two
// agree. The group index is the action's "GroupIndex" property.
class TDazGridButtonActionLink : public QObject
{
public:
    TDazGridButtonActionLink(TDazGridButton *Client, QAction *Action);

    bool IsCaptionLinked() const;
    bool IsCheckedLinked() const;
    bool IsGroupIndexLinked() const;
    // The action's new values; each reaches the button only while linked.
    void SetCaption(const QString &Value);
    void SetChecked(bool Value);
    void SetGroupIndex(int Value);

    QAction *Action() const { return FAction; }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void ActionChanged();

    TDazGridButton *FClient;
    QPointer<QAction> FAction;
    // The action's values before its last change.
    QString FCaption;
    bool FChecked = false;
    int FGroupIndex = 0;
};

class TDazGridButton : public QWidget
{
public:
    explicit TDazGridButton(QWidget *AOwner = nullptr);
    ~TDazGridButton() override;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    const QImage &Glyph() const { return FGlyph; }
    // Also makes the grey disabled glyph when there is none; the shade is not rebuilt.
    void SetGlyph(const QImage &Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    // -1 centres the glyph and caption; smaller values are refused.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value);
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value);
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value);
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value);

    const QImage &GlyphDisabled() const { return FGlyphDisabled; }
    void SetGlyphDisabled(const QImage &Value);
    const QImage &GlyphHot() const { return FGlyphHot; }
    void SetGlyphHot(const QImage &Value);
    const QImage &GlyphDown() const { return FGlyphDown; }
    void SetGlyphDown(const QImage &Value);
    const QImage &GlyphShade() const { return FGlyphShade; }
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);

    TDazGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TDazGridButtonStyle Value);
    // Colour palettes 0 to 6; other values do nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value);
    // Not owned; forgotten when it is destroyed.
    QMenu *DropDownMenu() const;
    void SetDropDownMenu(QMenu *Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value);

    QAction *Action() const;
    void SetAction(QAction *Value);

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    std::function<void(QObject *Sender)> OnClick;
    std::function<void(QObject *Sender)> OnDblClick;
    std::function<void(QObject *Sender)> OnMouseEnter;
    std::function<void(QObject *Sender)> OnMouseLeave;
    std::function<void(QObject *Sender)> OnDropDown;

    // OnClick, else the linked action.
    void Click();
    // After the properties are set: the shade and the theme's look.
    void Loaded();
    void Paint(TCanvas &Canvas);

    // Where the glyph and the caption go inside Client, moved by Offset.
    struct TGlyphTextPlace
    {
        TPoint GlyphPos;
        TRect TextBounds;
    };
    TGlyphTextPlace LayoutGlyphAndText(TCanvas &Canvas, const TRect &Client, const TPoint &Offset);
    // The same from the glyph's and the caption's sizes; Spacing is already 0 when either
    // is empty. -1 for Margin centres, -1 for Spacing spreads evenly.
    static TGlyphTextPlace CalcGlyphTextLayout(const TRect &Client, QSize GlyphSize, QSize TextSize,
                                               TButtonLayout Layout, int Margin, int Spacing,
                                               const TPoint &Offset);

    // The group notice: a button of the same group goes up when it and Sender are down.
    void ButtonPressed(int Group, TDazGridButton *Sender);
    // The look that follows a Windows XP colour scheme name.
    static int LookForColorScheme(const QString &Scheme);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void changeEvent(QEvent *) override;

private:
    friend class TDazGridButtonActionLink;
    bool Hovered() const;
    void UpdateState();
    void NotifyGroup();
    void MouseEnter();
    void MouseLeave();
    void RefreshMouseInControl(const QPoint &pos);
    void ThemeAdapt();
    void BuildGlyphShade();
    void Accelerator();
    void PaintFrame(TCanvas &Canvas, TColor Face, TColor FaceTo, TColor Frame, const TRect &R);
    void PaintGlyphAndText(TCanvas &Canvas, const TRect &R, TPoint Offset, TButtonState State);
    void PaintGlyph(TCanvas &Canvas, TPoint Pos, TButtonState State);
    void PaintCaption(TCanvas &Canvas, TRect R, TButtonState State);
    void PaintStandard(TCanvas &Canvas, TRect &R);
    void SetColorAndRepaint(TColor &Field, TColor Value);

    int FGroupIndex = 0;
    QImage FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7, FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2, FColorDownTo = clNone;
    TColor FBorderColor = clNone, FBorderDownColor = clNone, FBorderHotColor = clNone;
    QImage FGlyphDisabled, FGlyphHot, FGlyphDown, FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080, FColorCheckedTo = clNone;
    TDazGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    QPointer<QMenu> FDropDownMenu;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    QString FCaption;
    TFont FFont;
    QShortcut *FShortcut = nullptr;
    std::unique_ptr<TDazGridButtonActionLink> FActionLink;
};
