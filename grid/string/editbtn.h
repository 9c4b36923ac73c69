#pragma once
// Edits with a button at their right end: TRudEditBtn (the button, or F4, fires
// OnClickBtn) and TRudUnitEditBtn, which shows a unit of measure after the value and lets
// the user pick it from a menu of Units. The grid's ellipsis and value-and-unit cell
// editors derive from them.
#include "grid/string/rudcustomedit.h"
#include "grid/string/speedbutton.h"

#include <QPointer>
#include <QStringList>

class TRudEditButton;

// The button's face: custom colours of its owner, the themed push button, a flat edge or
// the classic push button; then glyph and caption.
class TDazSpeedButton : public TSpeedButton
{
public:
    explicit TDazSpeedButton(QWidget *AOwner = nullptr);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool Hot() const { return FHot; }

protected:
    void Paint(TCanvas &Canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TRudEditButton *Owner() const;
    bool FIsWinXP = false;
    bool FHot = false;
};

// A control that one speed button covers; releasing the left button on it fires OnClick
// and hands the focus to FocusControl.
class TRudEditButton : public QWidget, public TObject, public TButtonColors
{
public:
    explicit TRudEditButton(QWidget *AOwner = nullptr);

    TDazSpeedButton *Button() const { return FButton; }
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }
    const QImage &Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &Value) { FButton->SetGlyph(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString &Value) { FButton->SetCaption(Value); }
    bool Flat() const { return FButton->Flat(); }
    void SetFlat(bool Value) { FButton->SetFlat(Value); }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }


    TNotifyEvent OnClick;

protected:
    void resizeEvent(QResizeEvent *) override;

private:
    void BtnMouseUp(TObject *Sender, TMouseButton Button);

    TDazSpeedButton *FButton;
    QPointer<QWidget> FFocusControl;
};

class TRudEditBtn : public TRudCustomEdit
{
public:
    explicit TRudEditBtn(QWidget *AOwner = nullptr);

    TRudEditButton *Button() const { return FButton; }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    const QImage &Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &Value) { FButton->SetGlyph(Value); }
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString &Value) { FButton->SetButtonCaption(Value); }

    // Sender: the button control for a click, the edit for F4.
    TNotifyEvent OnClickBtn;
    virtual void ClickBtn(TObject *Sender);

    void WMChar(TKeyMessage &Message) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void DoEnter() override;
    void AdjustLayout() override;

    // Pixels kept free for a unit text between the value and the button.
    int FUnitSize = 0;

private:
    TRudEditButton *FButton;
    int FButtonWidth = 18;
    bool FRightAlign = false;
    bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject *Sender, const QString &NewUnit)>;

class TRudUnitEditBtn : public TRudEditBtn
{
public:
    explicit TRudUnitEditBtn(QWidget *AOwner = nullptr);

    const QStringList &Units() const { return FUnits; }
    void SetUnits(const QStringList &Value) { FUnits = Value; }
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString &Value);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int Value);
    // The text followed by the unit. Setting it takes the first unit (in list order) whose
    // first occurrence in the value ends the value; without one nothing changes.
    QString TextAndUnit() const { return Text() + FUnitID; }
    void SetTextAndUnit(const QString &Value);

    TUnitChangeEvent OnUnitChanged;

    // OnClickBtn, then the menu of units under the button.
    void ClickBtn(TObject *Sender) override;
    // The unit numbered Id (1 = the first) becomes UnitID; OnUnitChanged when it differs.
    // Other numbers are ignored.
    void UnitMenuCommand(int Id);

protected:
    // Shows the units as a menu at Pos (global) and answers the chosen one's number, 0
    // when none was chosen.
    virtual int TrackUnitMenu(const QPoint &Pos);
    void paintEvent(QPaintEvent *e) override;

private:
    QString FUnitID;
    QStringList FUnits;
};
