#pragma once
// The typed side of the drop-down edit: an edit type that filters every typed character, a
// fixed prefix and suffix around the value, numbers formatted with a precision and the
// user's thousand separators, and clipboard events that may refuse.
//
// The edit-control messages are the message-level interface below (WMChar, WMPaste, WMCut,
// WMCopy, WMKillFocus, EditChanged); the widget forwards Qt's key, clipboard and focus
// events to it, so tests drive the interface without a window system.
#include <QLineEdit>
#include <QString>
#include <functional>

enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney,
    etRange, etHex, etAlphaNumeric, etValidChars
};

class TDazCustomDropDown : public QLineEdit
{
public:
    explicit TDazCustomDropDown(QWidget *Parent = nullptr);

    // The value: the text without prefix and suffix.
    QString GetText() const;
    // Formats Value by the edit type, stores it as the text to return to on a cancel.
    virtual void SetText(const QString &Value);
    // The raw text exactly as given; the text to return to and the modified state stay.
    void SetTextUnformatted(const QString &Value);

    TDropDownEditType EditType() const { return FEditType; }
    void SetEditType(TDropDownEditType Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    double GetValue() const;
    void SetValue(double Value);
    void SetIntValue(int64_t Value);
    void AutoSeparators();

    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    void SetModified(bool Value);
    bool IsModified() const { return FIsModified; }
    QString OldText() const { return FOldText; }

    // --- The edit-control messages ------------------------------------------------------
    // A typed character; Ctrl and Keypad tell the key's state (Keypad: the numeric keypad).
    void WMChar(QChar Key, bool Ctrl = false, bool Keypad = false);
    void WMPaste(const QString &Clipboard);
    void WMCut();
    void WMCopy();
    void WMKillFocus();
    // The edit's text changed: OnChange, unless the one-shot block is set.
    void EditChanged();

    // Settings.
    QString Prefix, Suffix, ValidChars;
    bool Signed = false;
    int LengthLimit = 0;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool AllowNumericNullValue = false;
    bool DefaultHandling = true;
    bool CanUndo = true;
    bool EditorEnabled = true;
    bool Loading = false;

    std::function<void(TDazCustomDropDown *Sender)> OnChange;
    std::function<void(TDazCustomDropDown *Sender, QChar &Key)> OnKeyPress;
    // Sender, the value concerned, and whether the action may go on.
    std::function<void(TDazCustomDropDown *Sender, const QString &Value, bool &Allow)> OnClipboardCopy,
        OnClipboardCut, OnClipboardPaste;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The edit's own handling of a character: insert it over the selection, or Backspace.
    void Inherited(QChar Key);
    void ToggleSign(QChar Key);
    void FloatChar(QChar Key);
    bool FractionFull(const QString &Value, int Caret) const;
    bool SeparatorConflict(const QString &Value, int Caret) const;
    int IntegerDigits(const QString &Text) const;
    QString ValueOf(const QString &Raw) const;
    void SetRaw(const QString &Raw);
    int ValueCaret() const { return cursorPosition() - int(Prefix.size()); }

    TDropDownEditType FEditType = etString;
    int FPrecision = 0;
    QString FOldText;
    bool FBlockChange = false;
    bool FIsModified = false;
    bool FBlockCopy = false;
};

// Numbers as the edit formats them, with the user's separators: "%.Nf", "%.Nn" (thousand
// separators) and "%g".
QString FormatFixed(double Value, int Decimals);
QString FormatThousands(double Value, int Decimals);
QString FormatGeneral(double Value);
// Thousand separators removed, then read in the user's format; 0 when unreadable.
double StrToValue(const QString &Text);
