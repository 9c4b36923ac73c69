#pragma once
// The typed edit at the heart of every drop-down control: a value between a fixed prefix and
// suffix, an edit type that filters each typed character, number formatting with a
// precision and the user's separators, and clipboard handling that handlers may refuse.
//
// The edit-control messages are an explicit interface (WMChar, WMPaste, WMCut, WMCopy,
// WMKillFocus, ChangeNotice): the widget's key, clipboard and focus events call them, and
// tests drive them headless. Caret positions are 0-based in the raw text (prefix + value +
// suffix); "the value" is the raw text without them.
#include "controls/dropdown/dazbutton.h"
#include "grid/base/classes.h"
#include "grid/base/drawroutines.h"
#include "grid/base/styledetect.h"
#include "grid/string/dropdownappearance.h"
#include "grid/string/editorlabel.h"
#include "platform/color.h"

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

enum TDropDownEditType {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};

// (Sender, selected part of the value or planned value, allow).
using TClipboardEvent = std::function<void(TObject *Sender, const QString &Value, bool &Allow)>;
using TKeyPressEvent = std::function<void(TObject *Sender, QChar &Key)>;

// One character message: the character with the state of the keys that produced it.
struct TCharMessage
{
    QChar Ch;
    bool Control = false;   // a Control key is held
    bool Keypad = false;    // typed on the numeric keypad
    int Result = 0;         // 1: swallowed without handling
};

// Number texts under the drop-down separators (GetDecimalSeparator/GetThousandSeparator).
// "%.Nf": fixed; "%.Nn": fixed with thousand separators; "%g": general, 15 digits.
QString FormatFixedValue(double Value, int Precision);
QString FormatNumberValue(double Value, int Precision);
QString FormatGeneralValue(double Value);
// Thousand separators removed, the rest read with the locale decimal separator; 0 for text
// that is no number.
double StrToValue(const QString &Text);

// The colours of a list item's hot and selected looks that a colour style sets (the item
// selectors' appearance carries them as plain fields of these names).
struct TItemAppearanceColors
{
    TColor BorderColor = clNone, BorderColorTop = clNone, BorderColorBottom = clNone;
    TColor BorderColorHot = clNone, BorderColorSelected = clNone;
    TColor ColorHot = clNone, ColorHotTo = clNone, ColorHotText = clBlack;
    TColor ColorMirrorHot = clNone, ColorMirrorHotTo = clNone;
    TColor ColorSelected = clNone, ColorSelectedTo = clNone, ColorSelectedText = clBlack;
    TColor ColorMirrorSelected = clNone, ColorMirrorSelectedTo = clNone;
    TColor EdgeColor = clNone;
};

class QLabel;
class TDropDownEditButton;
class TDropDownForm;
class TDazHeader;
class TDazFooter;

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

using TDropDownEvent = std::function<void(TObject *Sender, bool &AcceptDrop)>;
using TDropUpEvent = std::function<void(TObject *Sender, bool Cancelled)>;
using TDrawBackGroundEvent =
    std::function<void(TObject *Sender, TCanvas &ACanvas, const TRect &ARect)>;
using TGetTextEvent = std::function<void(TObject *Sender, QString &Text)>;

// The edit of every drop-down member. Its virtual operations reach a member's overrides
// only after construction, so a member runs InitializeDropDown once its own parts exist
// (it makes the drop-down window and the button).
class TDazCustomDropDown : public QLineEdit, public TObject
{
public:
    explicit TDazCustomDropDown(QWidget *Parent = nullptr);
    ~TDazCustomDropDown() override;
    void InitializeDropDown();

    // --- Class facts and the drop-down window -------------------------------------------
    virtual unsigned GetVersionNr() const { return 0x01020104; }
    QString Version() const;
    TDropDownEditButton *Button() const { return FButton; }
    TDropDownForm *DropDownForm() const { return FDropDownForm; }
    bool DroppedDown() const { return FDroppedDown; }
    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    // The click of the drop-down button: opens unless the window lost activation within
    // the last 250 ms (that click closed it).
    void ButtonClick();
    // Copies the settings of another drop-down edit (not its text).
    void Assign(const TDazCustomDropDown *Source);

    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int Value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int Value);
    int DropDownButtonWidth() const { return FDropDownButtonWidth; }
    void SetDropDownButtonWidth(int Value);
    QString DropDownButtonHint() const { return FDropDownButtonHint; }
    // The button shows the hint exactly when it is not empty.
    void SetDropDownButtonHint(const QString &Value);
    QImage DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(const QImage &Value);
    QSize UserDropDownSize() const { return {FUserDropDownWidth, FUserDropDownHeight}; }
    TColor DropDownColor = 0xFFFFFF;
    TColor DropDownColorTo = clNone;
    TGradientDirection DropDownGradient = gdHorizontal;
    bool DropDownShadow = true;
    bool ForceShadow = false;
    bool DropDownEnabled = false;
    TDropPosition DropPosition = dpAuto;
    TColor FocusBorderColor = clNone;
    bool DisabledBorder = true;
    TColor SelectionColor = 0xD7FFFD, SelectionColorTo = 0x58D4FC;
    bool ReturnIsTab = false;
    bool Flat = false, Etched = false, FocusDraw = true;

    // --- Colour styles ------------------------------------------------------------------
    virtual void SetComponentStyle(TQVRStyle Value);
    TQVRStyle GetComponentStyle() const { return FQVRStyle; }
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    // A selection background; CornerMode as the rounded button face takes it (0..3).
    virtual void DrawSelection(TCanvas &Canvas, const TRect &R, TColor Background, int CornerMode);
    virtual void DrawGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, int Steps,
                              const TRect &R, TGradientDirection Direction);
    virtual void SetColorTones(const TColorTones &Tones);
    void SetBorderColor(TColor Value);
    // The style's hot and selected item colours; nothing without an appearance, and
    // tsCustom changes nothing.
    static void ApplyItemAppearanceStyle(TItemAppearanceColors *Appearance, TQVRStyle Style);

    // --- Label and layout -------------------------------------------------------------
    QString LabelCaption() const;
    void SetLabelCaption(const QString &Value);   // makes the label beside the edit
    QLabel *Label() const { return FLabel; }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    // The label's own font, used while the edit has a font of its own; with ParentFont
    // the label shows the edit's font and writing this is ignored.
    QFont LabelFont;
    void SetLabelFont(const QFont &Value);
    bool ParentFont() const;   // no font of its own: the parent's
    bool LabelAlwaysEnabled = false;
    virtual void DoLabelClick();
    virtual void DoLabelDblClick();
    void UpdateLabel();
    int GetMinHeight() const;
    // Lays the button out at the right edge and the text area before it.
    virtual void ResizeControl();
    virtual void SetEditRect();
    TRect GetEditRect() const { return FEditRect; }
    // With typing off and the focus: the value in highlight colours before the button.
    virtual void DrawFocus(TCanvas &Canvas);
    // The frame in BorderColor, FocusBorderColor, the disabled grey or the flat look.
    void DrawBorder(TCanvas &Canvas);
    TNotifyEvent OnLabelClick, OnLabelDblClick;

    TNotifyEvent OnBeforeDropDown, OnBeforeDropUp;
    TDropDownEvent OnDropDown;
    TDropUpEvent OnDropUp;
    TDrawBackGroundEvent OnDrawHeader, OnDrawFooter;
    TGetTextEvent OnGetHeaderText, OnGetFooterText;

    // --- Value model --------------------------------------------------------------------
    QString GetText() const;   // the value
    virtual void SetText(const QString &Value);
    // The raw text exactly as passed; the last SetText value and the modified state stay.
    void SetTextUnformatted(const QString &Value);
    double GetValue() const;
    void SetValue(double Value);
    void SetIntValue(int Value);
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    void SetModified(bool Value);
    bool IsModified() const { return FIsModified; }
    QString OldText() const { return FOldText; }

    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    QString Prefix() const { return FPrefix; }
    void SetPrefix(const QString &Value) { FPrefix = Value; }
    QString Suffix() const { return FSuffix; }
    void SetSuffix(const QString &Value) { FSuffix = Value; }
    QString ValidChars;
    bool Signed = false;
    int LengthLimit = 0;   // characters before the decimal separator; <= 0: no limit
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowNumericNullValue = false;
    bool DefaultHandling = true;
    // The edge colour; the drop-down button's separator line takes it too.
    TColor BorderColor = clNone;
    bool CanUndo = true;
    bool EditorEnabled() const { return FEditorEnabled; }
    virtual void SetEditorEnabled(bool Value);
    // While loading, modified-state changes and focus-loss reformatting are skipped.
    // Loading ends with Loaded: layout, the button's and the label's enabled state.
    void SetLoading(bool Value)
    {
        FLoading = Value;
        if (!Value)
            Loaded();
    }
    bool Loading() const { return FLoading; }

    // --- What the drop-down window's panels use ---------------------------------------------
    // Closes the drop-down window, restoring the last SetText value when Cancelled.
    virtual void DoHideDropDown(bool Cancelled);
    // A wheel turn (angle delta) over the edit or its window: DoWheelDown or DoWheelUp.
    void Wheel(int Delta);
    // The hosted control of the drop-down window.
    void SetDropDownControl(QWidget *Control);
    QWidget *DropDownControl() const { return FControl; }
    THeaderAppearance &DropDownHeader() { return *FDropDownHeader; }
    TFooterAppearance &DropDownFooter() { return *FDropDownFooter; }
    TDazButtonAppearance &ButtonAppearance() { return FButtonAppearance; }
    TCustomImageList *Images = nullptr;
    bool DropDownSizeable = true;
    int DropDownBorderWidth = 1;
    TColor DropDownBorderColor = 0;
    // (Sender = this edit, the index of the button item clicked).
    std::function<void(TObject *Sender, int ButtonIndex)> OnDropDownHeaderButtonClick,
        OnDropDownFooterButtonClick;

    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;
    TClipboardEvent OnClipboardCopy, OnClipboardCut, OnClipboardPaste;

    // --- The edit-control messages --------------------------------------------------------
    // The key-down step before any character: the drop-down toggles (Alt+Up/Down, F4),
    // Enter and Esc closing it, ReturnIsTab, the caret kept off the prefix and suffix. True
    // when the key was dropped (the line edit's own handling of it skipped). Event is the
    // key's event for that handling; without one it is made from Key and Modifiers.
    bool WMKeyDown(int Key, Qt::KeyboardModifiers Modifiers, QKeyEvent *Event = nullptr);
    // The window's question whether the edit takes Enter, Esc, Tab or an arrow itself
    // (true: Esc while dropped down is claimed). Esc with CanUndo selects the value, clears
    // the modified state and Key, and is posted to the parent; Enter is posted to a focused
    // parent. Nothing without a parent form.
    bool CMWantSpecialKey(int &Key);
    // The nearest parent that is a form (a dialog or main window), nullptr for none.
    QWidget *ParentForm() const;
    // The parent form sees keys before its controls: its "KeyPreview" property.
    bool FormKeyPreview() const;
    static constexpr const char *KeyPreviewProperty = "KeyPreview";
    bool AutoSelect = true;   // focus selects the value
    QString OldString() const { return FOldString; }
    void WMChar(TCharMessage &Message);
    void WMPaste();
    void WMCut();
    void WMCopy();
    void WMKillFocus();
    // The edit's change notification; the one set by a pending block is swallowed.
    void ChangeNotice();
    bool ChangeBlocked() const { return FBlockChange; }

    // Typing helper: one character through WMChar.
    void TypeChar(QChar Ch, bool Control = false, bool Keypad = false);

protected:
    virtual void CreateDropDownForm();
    virtual void CreateButton();
    virtual void AdjustButtonSize();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int &Height) { (void)Height; }
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void SizeDropDownForm();
    virtual void AfterHideDropDown();
    virtual void ControlKey(QKeyEvent *Event);
    // The drop-down window is being sized by the user.
    virtual void DropDownSizing() {}
    // After the edit's own wheel handling, and for the wheel over the drop-down window.
    virtual void DoWheelDown() {}
    virtual void DoWheelUp() {}
    void wheelEvent(QWheelEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    QPointer<QWidget> FFocusControl;

    virtual void Change();
    void keyPressEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    void moveEvent(QMoveEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    bool event(QEvent *Event) override;
    virtual void Loaded();
    void mousePressEvent(QMouseEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;

    int SelStart() const;
    int SelLength() const;
    void SetSelection(int Start, int Length);
    void SetRawText(const QString &Raw);
    void AutoSeparators();
    // After a click: a caret in the prefix selects the value, none stays past the suffix.
    void KeepCaretInValue();

private:
    // The inherited handling of a character: insert it over the selection, or Backspace.
    void DefaultChar(QChar Ch);
    void ToggleSign();
    void TypeFloat(QChar Key);
    bool SeparatorConflict(const QString &Value, int Caret) const;
    bool FractionFull(const QString &Value, int Caret) const;
    int IntegerDigits(const QString &Text) const;
    bool IsNumberType() const;
    void PostKeyToParent(int Key, bool Release);
    void DefaultKeyDown(int Key, Qt::KeyboardModifiers Modifiers, QKeyEvent *Event);

    TDropDownEditButton *FButton = nullptr;
    TDropDownForm *FDropDownForm = nullptr;
    QPointer<QWidget> FControl;
    bool FDroppedDown = false;
    int FDropDownWidth = 0, FDropDownHeight = 0, FDropDownButtonWidth = 17;
    int FUserDropDownWidth = -1, FUserDropDownHeight = -1;
    QString FDropDownButtonHint;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TDazButtonAppearance FButtonAppearance;
    QLabel *FLabel = nullptr;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 0;
    bool FLabelTransparent = false;
    TRect FEditRect;
    bool FButtonDown = false;   // a press inside the selection waits for its release
    TQVRStyle FQVRStyle = tsOffice2007Luna;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    int FPrecision = 0;
    QString FPrefix, FSuffix;
    QString FOldText;
    QString FOldString;   // the value at the last focus entry
    bool FBlockChange = false;
    bool FIsModified = false;
    bool FBlockCopy = false;
    bool FEditorEnabled = true;
    bool FLoading = false;
};
