#pragma once
// The flat combo box: a combo box that can draw its own flat look (border, focus and
// custom colours, its own drop-down button), fill itself with FocusColor while it has the
// focus, carry a caption label, widen its list to DropWidth and fire OnDropUp when its list
// closes. Keys pass as in the edits of this folder: KeyDown (OnKeyDown) before the combo's
// own handling, then KeyPress (OnKeyPress) for the typed character. The grid's combo cell
// editor derives from it.
#include "grid/base/classes.h"
#include "grid/base/customgrid.h"
#include "grid/base/keys.h"
#include "grid/string/editorlabel.h"
#include "platform/canvas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TRudCustomCombo : public QComboBox, public TObject
{
public:
    explicit TRudCustomCombo(QWidget *AOwner = nullptr);

    // --- Items and text ------------------------------------------------------------------
    QStringList Items() const;
    void SetItems(const QStringList &Value);
    void AddItem(const QString &S, TObject *AObject = nullptr);
    TObject *ItemObject(int Index) const;
    // The first item equal to S, ignoring case; -1 when none.
    int IndexOf(const QString &S) const;
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int Value) { setCurrentIndex(Value); }
    // ItemIndex := the item equal to S; nothing changes when there is none.
    void SelectItem(const QString &S);
    QString Text() const { return currentText(); }
    // Edit styles show the text; the list style selects the item equal to it (none when
    // there is none).
    void SetText(const QString &Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int Value) { setMaxVisibleItems(Value); }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value);
    int SelStart() const;
    int SelLength() const;
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);

    // --- Look ----------------------------------------------------------------------------
    TColor Color() const { return FColor; }
    // Also the colour that leaving the control restores when FocusColor is set.
    void SetColor(TColor Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    // 14..32; other values are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    // The minimum width of the drop-down list; 0: the combo's width.
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value);
    bool IsThemed() const { return FIsThemed; }

    // Custom drop-down button colours; ButtonColor clNone: the standard button.
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;

    // --- Label ---------------------------------------------------------------------------
    QLabel *ComboLabel() const { return FLabel.Label(); }
    QString LabelCaption() const { return FLabel.Caption(); }
    void SetLabelCaption(const QString &Value) { FLabel.SetCaption(Value); }
    TLabelPosition LabelPosition() const { return FLabel.Position; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabel.Margin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabel.Transparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabel.AlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    const TFont &LabelFont() const { return FLabel.Font; }
    // Ignored while ParentFont: the label then shows the combo's font.
    void SetLabelFont(const TFont &Value);
    bool ParentFont() const { return FLabel.ParentFont; }
    void SetParentFont(bool Value);
    bool FocusLabel() const { return FLabel.FocusLabel; }
    void SetFocusLabel(bool Value) { FLabel.FocusLabel = Value; }

    void setVisible(bool Visible) override;
    void SetEnabled(bool Value);

    // --- Lifecycle -----------------------------------------------------------------------
    // Between BeginLoading and Loaded, SetColor also records the colour of the description.
    void BeginLoading() { FLoading = true; }
    void Loaded();
    // The current colour becomes the one that leaving the control restores.
    void Init();

    // The list opened (OnDropDown) or closed (OnDropUp, once per opening).
    void showPopup() override;
    void hidePopup() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnDropUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // The key steps, public so that an owner can hand a key to the combo.
    virtual void WMKeyDown(TKeyMessage &Message);
    virtual void WMChar(TKeyMessage &Message);
    virtual void WMKeyUp(TKeyMessage &Message);

    // Whether the combo paints its own look now (otherwise the platform's combo box).
    bool PaintsOwnLook() const;
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocusFlag() const { return FHasFocus; }

protected:
    virtual void KeyDown(uint16_t &Key, TShiftState Shift);
    virtual void KeyPress(QChar &Key);
    virtual void KeyUp(uint16_t &Key, TShiftState Shift);
    // The user changed the text or picked an item.
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();
    // Keys the combo claims from the focus navigation of its window (Tab, Backtab).
    virtual bool WantSpecialKey(uint16_t Key, TShiftState Shift) const;
    void DefaultKeyDown();
    void DefaultChar(QChar Ch);

    void DrawButton(TCanvas &Canvas);
    void DrawBorders(TCanvas &Canvas);
    void DrawButtonFace(TCanvas &Canvas);
    void DrawBorder(TCanvas &Canvas);

    bool event(QEvent *e) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void ApplyColor(TColor Value);
    bool ThemesActive() const;
    bool IsActive() const;
    bool BorderHot() const;
    void PlaceEditField();
    void PaintText(TCanvas &Canvas);

    TComboBoxStyle FStyle = csDropDown;
    int FMaxLength = 0;
    bool FAutoComplete = true;
    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FColor = clWindow;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    TColor FNormalColor = clWindow;
    int FButtonWidth;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FIsVista = false;
    bool FButtonHover = false;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    bool FHasFocus = false;
    bool FDroppedDown = false;
    bool FLoading = false;
    TEditorLabel FLabel;
    QKeyEvent *FPendingKey = nullptr;
    QPointer<QLineEdit> FConnectedEdit;
};

// The combo with its properties published; nothing of its own.
class TRudComboBox : public TRudCustomCombo
{
public:
    using TRudCustomCombo::TRudCustomCombo;
};
