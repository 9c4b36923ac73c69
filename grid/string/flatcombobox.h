#pragma once
// The flat combo box: a combo box that can draw its own flat look (border, focus and
// custom colours, its own drop-down button), fill itself with FocusColor while it has the
// focus, carry a caption label, widen its list to DropWidth and fire OnDropUp when its list
// closes. Keys pass as in the edits of this folder: KeyDown (OnKeyDown) before the combo's
// own handling, then KeyPress (OnKeyPress) for the typed character. The grid's combo cell
// editor derives from it.
#include "grid/string/editorkeys.h"
#include "grid/string/editorlabel.h"
#include "grid/string/editorpaint.h"
#include "platform/canvas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TRudCustomCombo : public TEditorKeys<QComboBox>, public TButtonColors, public TLabelProperties
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

    // --- Label ---------------------------------------------------------------------------
    QLabel *ComboLabel() const { return FLabel.Label(); }

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

    // Whether the combo paints its own look now (otherwise the platform's combo box).
    bool PaintsOwnLook() const;
    bool MouseInControl() const { return FHover.MouseInControl; }
    bool ButtonHover() const { return FHover.ButtonHover; }
    bool HasFocusFlag() const { return FHasFocus; }

protected:
    // The user changed the text or picked an item.
    virtual void Change();
    // Focus colour and bold label on entering, the normal ones on leaving.
    void DoEnter() override;
    void DoExit() override;
    void DefaultKeyDown() override;
    void DefaultChar(QChar Ch) override;

    void DrawButton(TCanvas &Canvas);
    void DrawBorders(TCanvas &Canvas);
    void DrawButtonFace(TCanvas &Canvas);
    void DrawBorder(TCanvas &Canvas);

    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void paintEvent(QPaintEvent *e) override;
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
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FIsVista = false;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    bool FHasFocus = false;
    TDropButtonHover FHover;
    bool FDroppedDown = false;
    bool FLoading = false;
    TEditorLabel FLabel;
    QPointer<QLineEdit> FConnectedEdit;
};

// The combo with its properties published; nothing of its own.
class TRudComboBox : public TRudCustomCombo
{
public:
    using TRudCustomCombo::TRudCustomCombo;
};
