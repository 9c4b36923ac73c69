#pragma once
// The grid's owner-drawn three-state check box, with its caption left or right of the box,
// optional transparency over its parent, an ellipsis option and a read-only mode.
#include "grid/base/gridenums.h"
#include "platform/canvas.h"

#include <QWidget>
#include <functional>

class QShortcut;

class TDazCheckBox : public QWidget
{
public:
    explicit TDazCheckBox(QWidget *AOwner = nullptr);

    // Unless ReadOnly: Checked := not Checked (a grayed box becomes checked).
    virtual void Toggle();

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    // taLeftJustify: box left, caption right; taRightJustify: box right.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The background when not transparent; with ParentColor the parent's.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value);

    std::function<void(QObject *Sender)> OnClick;

    // The box in client coordinates: 14 x 14, placed by Alignment and ButtonVertAlign.
    TRect BoxRect() const;
    // The box's look, 1 to 12: unchecked, checked, grayed, each normal, hot, pressed,
    // disabled (disabled wins over pressed, pressed over hot).
    int BoxThemeState() const;
    bool IsDown() const { return FDown; }
    bool IsHot() const { return FHot; }

    void Paint(TCanvas &Canvas);

protected:
    void Click();
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;
    void changeEvent(QEvent *) override;
    void moveEvent(QMoveEvent *) override;

private:
    bool Inside(const QPoint &p) const;
    void Accelerator();

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    QString FCaption;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    bool FTransparent = false;
    bool FTabStop = false;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont FFont;
    QShortcut *FShortcut = nullptr;
};
