#pragma once
// The owner-drawn push button of every window. It draws its whole face (DrawButtonFace):
// a face that turns to the hot-track colour while the mouse is over it and falls back at
// once or, with SlowDecease, in eight 30 ms steps; a pressed look; a glyph strip with cells
// for the normal, disabled, pressed and hot states; a caption cut to the width.
// It clicks from the left mouse button (a press on it and a release anywhere), Enter and
// Space, its accelerator (Alt + the letter after "&"), and Enter or Escape on its window
// when it is the Default or Cancel button. A click runs OnClick, closes its dialog with
// ModalResult when that is not mrNone, and opens its menu when it has one.
// It is created plain (bsNormal, clBtnFace, no hot-track or pressed colour); the windows
// give it their look (Set_Button_Look of app/formparts.h).
// A key clicks on its release, and only when this button took that key's press.
#include "app/lbbuttons.h"

#include <QPushButton>
#include <functional>

class QTimer;

// Modal results as the windows use them.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 12;

class TLbButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TLbButton(QWidget *parent = nullptr);
    ~TLbButton() override;

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result);   // also makes the kind bkCustom

    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment a);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool on);
    bool Default() const { return FDefault; }
    void SetDefault(bool on);
    // Reading always gives lcsCustom: a style is applied, not kept.
    TLbColorStyle ColorStyle() const { return TLbColorStyle::lcsCustom; }
    void SetColorStyle(TLbColorStyle style);
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor c);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor c) { FColorWhenDown = c; }
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor c) { FHotTrackColor = c; }
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor c);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor c);
    bool Flat() const { return FFlat; }
    void SetFlat(bool on);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool on);
    const QImage &Glyph() const { return FGlyph; }
    // Cells = width / height; a null image empties the glyph. The kind becomes bkCustom.
    void SetGlyph(const QImage &glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int n);
    const TFont &HotTrackFont() const { return FHTFont; }
    void SetHotTrackFont(const TFont &font) { FHTFont = font; }
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool on) { FUseHTFont = on; }
    TLbButtonKind Kind() const { return FKind; }
    void SetKind(TLbButtonKind kind);
    TLbButtonLayout Layout() const { return FLayout; }
    void SetLayout(TLbButtonLayout layout);
    TLbButtonStyle Style() const { return FStyle; }
    void SetStyle(TLbButtonStyle style);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool on);

    std::function<void(QObject *sender)> OnClick;
    std::function<void(QObject *sender)> OnMouseEnter;
    std::function<void(QObject *sender)> OnMouseExit;

    // A click as the mouse or a key gives it: presses the button and runs DoClick.
    void Click();
    // Hides QAbstractButton::click so that a programmatic click is a full click.
    void click() { Click(); }

    // The mouse entering and leaving, and one tick of the fade (tests drive these).
    void MouseEnter();
    void MouseLeave();
    void HotTrackStepDown();

    // State, for painting and tests.
    bool Is_Down() const { return bDown; }
    bool Cursor_On_Button() const { return bCursorOnButton; }
    int HotTrackStep() const { return FHotTrackStep; }
    bool Fade_Running() const;
    // The face as paintEvent draws it, transparent where the style leaves the background.
    QImage Paint_Face() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DoClick();
    bool Parent_Showing() const;
    // The button's own Visible: not hidden itself, whether or not its window shows.
    bool Is_Visible() const;
    // Enter or Escape that reached the window: true when this button took it.
    bool Dialog_Key(QKeyEvent *event);
    void Watch_Window();

    Qt::Alignment FAlignment = Qt::AlignHCenter;
    TColor FShadowColor = 0x808080;
    TColor FColorWhenDown = clNone;
    bool FFlat = false;
    bool FWordWrap = false;
    QImage FGlyph;
    TColor FHotTrackColor = clNone;
    TFont FHTFont;
    TLbButtonKind FKind = TLbButtonKind::bkCustom;
    TLbButtonLayout FLayout = TLbButtonLayout::blGlyphLeft;
    TColor FLightColor = 0xFFFFFF;
    int FModalResult = mrNone;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TLbButtonStyle FStyle = TLbButtonStyle::bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    int FKey_Down = 0;   // Enter or Space whose press this button took, 0 for none
    bool FDestroying = false;
    QTimer *FThread = nullptr;   // paces the fade on the GUI thread
    int FHotTrackStep = 0;
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    QWidget *FWatched = nullptr;
    bool emitting_clicked_ = false;
    bool qt_click_ = false;
};
