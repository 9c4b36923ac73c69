#include "controls/dropdown/dazcustomdropdown.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr QChar Backspace = QChar(8), Tab = QChar(9), Return = QChar(13), Escape = QChar(27);

bool Numeric_Type(TDropDownEditType t)
{
    return t == etNumeric || t == etFloat || t == etMoney;
}

// What every accepting type lets through besides its own characters.
bool Control_Key(QChar c)
{
    return c == Backspace || c == Tab || c == Return;
}

bool Ascii_Digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString FormatFixed(double Value, int Decimals)
{
    QString s = QString::number(Value, 'f', std::max(Decimals, 0));
    s.replace(u'.', DecimalSeparatorChar());
    return s;
}

QString FormatThousands(double Value, int Decimals)
{
    QString s = QString::number(Value, 'f', std::max(Decimals, 0));
    const qsizetype point = s.indexOf(u'.');
    const QString fraction = point < 0 ? QString() : DecimalSeparatorChar() + s.mid(point + 1);
    QString whole = point < 0 ? s : s.left(point);
    const bool negative = whole.startsWith(u'-');
    if (negative)
        whole.remove(0, 1);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, ThousandSeparatorChar());
    return (negative ? QStringLiteral("-") : QString()) + whole + fraction;
}

QString FormatGeneral(double Value)
{
    QString s = QString::number(Value, 'g', 15);
    s.replace(u'.', DecimalSeparatorChar());
    return s;
}

double StrToValue(const QString &Text)
{
    QString t = Text;
    if (t.contains(ThousandSeparatorChar()))
        t.remove(ThousandSeparatorChar());
    t = t.trimmed();
    if (DecimalSeparatorChar() != u'.') {
        if (t.contains(u'.'))
            return 0;
        t.replace(DecimalSeparatorChar(), u'.');
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

TDazCustomDropDown::TDazCustomDropDown(QWidget *Parent) : QLineEdit(Parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { EditChanged(); });
}

QString TDazCustomDropDown::ValueOf(const QString &Raw) const
{
    QString v = Raw;
    if (!Prefix.isEmpty() && v.startsWith(Prefix))
        v.remove(0, Prefix.size());
    if (!Suffix.isEmpty())
        v.chop(std::min(v.size(), Suffix.size()));
    return v;
}

QString TDazCustomDropDown::GetText() const
{
    return ValueOf(text());
}

void TDazCustomDropDown::SetRaw(const QString &Raw)
{
    // setText would clear the edit's modified flag.
    const bool modified = isModified();
    QLineEdit::setText(Raw);
    setModified(modified);
}

void TDazCustomDropDown::SetText(const QString &Value)
{
    QString v = Value;
    if (v.isEmpty() && (Numeric_Type(FEditType) || FEditType == etHex))
        v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (FEditType == etMoney)
            v = FormatThousands(StrToValue(v), FPrecision);
        else if (FEditType == etFloat)
            v = FormatFixed(StrToValue(v), FPrecision);
    }
    if (FEditType == etHex)
        v = v.toUpper();
    QLineEdit::setText(Prefix + v + Suffix);
    FOldText = v;
    SetModified(false);
}

void TDazCustomDropDown::SetTextUnformatted(const QString &Value)
{
    SetRaw(Value);
}

void TDazCustomDropDown::SetModified(bool Value)
{
    if (Loading || !EditorEnabled || isReadOnly())
        return;
    setModified(Value);
    FIsModified = Value;
}

double TDazCustomDropDown::GetValue() const
{
    const QString v = GetText();
    switch (FEditType) {
    case etString: {
        double d = 0;
        int code = 0;
        Val(v, d, code);
        return code == 0 ? d : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == QLatin1String("Error") || v == QLatin1String("-"))
            return 0;
        return StrToValue(v);
    case etMoney: {
        if (v.isEmpty())
            return 0;
        QString t = v;
        t.remove(ThousandSeparatorChar());
        if (t.endsWith(DecimalSeparatorChar()))
            t.chop(1);
        return t.isEmpty() || t == QLatin1String("-") ? 0 : StrToValue(t);
    }
    case etHex:
        return v.isEmpty() ? 0 : HexToInt(v);
    default:
        return 0;
    }
}

void TDazCustomDropDown::SetValue(double Value)
{
    const QString general = FormatGeneral(Value);
    switch (FEditType) {
    case etString:
    case etFloat:
        SetText(FPrecision < 0 ? general : FormatFixed(Value, FPrecision));
        break;
    case etNumeric:
        SetText(FPrecision < 0 ? general : FormatThousands(Value, FPrecision));
        break;
    case etMoney:
        SetText(FPrecision < 0 ? general : FormatFixed(Value, FPrecision));
        AutoSeparators();
        break;
    case etHex:
        SetText(QString::number(int64_t(std::trunc(Value)), 16).toUpper());
        break;
    default:
        break;
    }
    SetModified(true);
}

void TDazCustomDropDown::SetIntValue(int64_t Value)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat:
        SetText(QString::number(Value));
        break;
    case etMoney:
        SetText(QString::number(Value));
        AutoSeparators();
        break;
    case etHex:
        SetText(QString::number(Value, 16).toUpper());
        break;
    default:
        break;
    }
    SetModified(true);
}

void TDazCustomDropDown::AutoSeparators()
{
    const QString value = GetText();
    if (value.isEmpty())
        return;
    const int caret = cursorPosition();
    const qsizetype old_length = value.size();
    const QString sign = value.startsWith(u'-') ? QStringLiteral("-") : QString();
    const qsizetype point = value.indexOf(DecimalSeparatorChar());
    const QString fraction = point < 0 ? QString() : value.mid(point, 255);
    const double whole = std::trunc(std::fabs(GetValue()));
    QString integer = AutoThousandSeparator ? FormatThousands(whole, 2) : FormatFixed(whole, 2);
    integer = integer.left(integer.indexOf(DecimalSeparatorChar()));
    const QString raw = Prefix + sign + integer + fraction + Suffix;
    FBlockChange = text() != raw;
    SetRaw(raw);
    const qsizetype new_length = GetText().size();
    setCursorPosition(int(caret + new_length - old_length));
}

void TDazCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (Value == FEditType)
        return;
    FEditType = Value;
    if (Value == etPassword) {
        setEchoMode(QLineEdit::Password);
        CanUndo = false;
    } else {
        setEchoMode(QLineEdit::Normal);
    }
    const int kind = ClassifyNumberText(GetText());
    if (Value == etNumeric && kind != tkNumeric)
        SetIntValue(0);
    else if (Value == etHex && kind != tkNumeric && kind != tkHex)
        SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && kind != tkNumeric && kind != tkFloat)
        SetValue(0);
}

void TDazCustomDropDown::SetPrecision(int Value)
{
    if (Value == FPrecision || (FEditType != etString && FEditType != etFloat && FEditType != etMoney))
        return;
    FPrecision = Value;
    if (ClassifyNumberText(GetText()) == tkText)
        SetValue(0);
    else
        SetValue(GetValue());
}

void TDazCustomDropDown::SelectAll()
{
    setSelection(int(Prefix.size()), int(GetText().size()));
}

void TDazCustomDropDown::SelectAfterDecimal()
{
    const qsizetype at = GetText().indexOf(DecimalSeparatorChar());
    setCursorPosition(int(Prefix.size() + (at < 0 ? 0 : at + 1)));
}

void TDazCustomDropDown::SelectBeforeDecimal()
{
    const qsizetype at = GetText().indexOf(DecimalSeparatorChar());
    setCursorPosition(int(Prefix.size() + (at < 0 ? 0 : at)));
}

void TDazCustomDropDown::Inherited(QChar Key)
{
    if (Key == Backspace) {
        backspace();
        return;
    }
    if (Key.unicode() < 32)
        return;
    insert(QString(Key));
}

int TDazCustomDropDown::IntegerDigits(const QString &Text) const
{
    QString t = Text;
    t.remove(ThousandSeparatorChar());
    const qsizetype point = t.indexOf(DecimalSeparatorChar());
    int n = int(point < 0 ? t.size() : point);
    if (Signed && Numeric_Type(FEditType) && t.contains(u'-'))
        --n;
    return n;
}

bool TDazCustomDropDown::FractionFull(const QString &Value, int Caret) const
{
    const qsizetype point = Value.indexOf(DecimalSeparatorChar());
    return FPrecision > 0 && point >= 0 && Caret > point && Value.size() - Caret <= FPrecision &&
           Value.size() - point - 1 >= FPrecision;
}

bool TDazCustomDropDown::SeparatorConflict(const QString &Value, int Caret) const
{
    const QChar ts = ThousandSeparatorChar();
    if (!Value.contains(ts))
        return false;
    QString rest = Value;
    int caret = Caret;
    int smallest = INT_MAX;
    bool close = false;
    for (qsizetype p = rest.indexOf(ts); p >= 0; p = rest.indexOf(ts)) {
        const int pos = int(p) + 1;
        const int distance = std::abs(pos - caret);
        close = close || distance < 3;
        smallest = std::min(smallest, distance);
        rest = rest.mid(pos);
        if (caret > pos)
            caret -= pos;
    }
    return close || smallest > 3;
}

void TDazCustomDropDown::ToggleSign(QChar Key)
{
    const QString value = GetText();
    const bool money_or_float = FEditType == etFloat || FEditType == etMoney;
    const int precision = FPrecision;
    if (money_or_float)
        FPrecision = 0;
    const int caret = cursorPosition();
    const int prefix = int(Prefix.size());
    if (FEditType == etNumeric && selectedText().size() == value.size()) {
        SetRaw(Prefix + QStringLiteral("-") + Suffix);
        setCursorPosition(prefix + 1);
    } else if (value.contains(u'-')) {
        SetRaw(Prefix + value.mid(1) + Suffix);
        setCursorPosition(std::max(prefix, caret - 1));
        if (money_or_float)
            SetModified(true);
    } else {
        SetRaw(Prefix + QStringLiteral("-") + value + Suffix);
        setCursorPosition(caret + 1);
        SetModified(true);
    }
    FPrecision = precision;
    (void)Key;
}

void TDazCustomDropDown::FloatChar(QChar Key)
{
    const QChar ds = DecimalSeparatorChar(), ts = ThousandSeparatorChar();
    const bool money = FEditType == etMoney;
    const QString value = GetText();
    const int caret = ValueCaret();
    if (!money && (Key == u',' || Key == u'.') && Key != ds && Key != ts)
        return;
    const bool accepted = Control_Key(Key) || Key == u'-' || Ascii_Digit(Key) ||
                          (money ? Key == ds : (Key == u',' || Key == u'.'));
    if (!accepted)
        return;
    if (Key == ds) {
        const bool selection_holds_point = selectedText().contains(ds);
        if ((value.contains(ds) || FPrecision == 0) && (money || !selection_holds_point))
            return;
        if (FPrecision > 0 && money && hasSelectedText() && selectedText().size() == value.size()) {
            SetText(QStringLiteral("0") + ds + QStringLiteral("0"));
            SelectAfterDecimal();
            return;
        }
    }
    if (!money && Key == u',' && value.contains(u',') && !selectedText().contains(u',') && ts != u',')
        return;
    if ((Key == ts || Key == ds) && SeparatorConflict(value, caret))
        return;
    if (FractionFull(value, caret) && (Ascii_Digit(Key) || Key == ds) && !hasSelectedText()) {
        const qsizetype point = value.indexOf(ds);
        if (Ascii_Digit(Key) && caret > point && caret < value.size())
            setSelection(cursorPosition(), 1);
        else
            return;
    }
    if (value.isEmpty() && caret == 0 && Key == ds) {
        SetRaw(Prefix + QStringLiteral("0") + ds + Suffix);
        setCursorPosition(int(Prefix.size()) + 2);
        SetModified(true);
        return;
    }
    if (Key == u'-' && !hasSelectedText()) {
        ToggleSign(Key);
        return;
    }
    Inherited(Key);
    const QString now = GetText();
    if (money && !now.isEmpty() && now != QLatin1String("-") && Key != ds) {
        if (isModified())
            SetModified(true);
        AutoSeparators();
    }
}

void TDazCustomDropDown::WMChar(QChar Key, bool Ctrl, bool Keypad)
{
    if (!EditorEnabled)
        return;
    const QString value = GetText();
    if (!value.isEmpty() && selectedText().size() >= value.size())
        FBlockChange = true;
    if (Key == Return) {
        if (Ctrl)
            return;
        QChar k = Key;
        if (OnKeyPress)
            OnKeyPress(this, k);
        if (!DefaultHandling && parentWidget()) {
            QCoreApplication::postEvent(parentWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
            QCoreApplication::postEvent(parentWidget(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        }
        return;
    }
    if (Key == Escape) {
        if (!DefaultHandling && parentWidget()) {
            QCoreApplication::postEvent(parentWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            QCoreApplication::postEvent(parentWidget(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
        }
        if (!CanUndo)
            return;
    }
    if (Ctrl && (Key == QChar(3) || Key == QChar(22) || Key == QChar(24))) {
        if (Key == QChar(3))
            WMCopy();
        else if (Key == QChar(22))
            WMPaste(QApplication::clipboard()->text());
        else
            WMCut();
        return;
    }
    if (ExcelStyleDecimalSeparator && Keypad && (Key == u'.' || Key == u','))
        Key = DecimalSeparatorChar();
    if (Key == Backspace && !Prefix.isEmpty() && !hasSelectedText() && cursorPosition() <= Prefix.size())
        return;
    if (LengthLimit > 0 && IntegerDigits(value) >= LengthLimit && !hasSelectedText()) {
        const qsizetype point = value.indexOf(DecimalSeparatorChar());
        const bool before_point = point < 0 || ValueCaret() <= point;
        const bool sign = Key == u'-' && Signed;
        if (before_point && Key != Backspace && Key != DecimalSeparatorChar() && !sign)
            return;
    }
    if (Key == Backspace) {
        const bool had_selection = hasSelectedText();
        Inherited(Key);
        if (had_selection && GetText().isEmpty()) {
            FBlockChange = false;
            if (OnChange)
                OnChange(this);
        }
        return;
    }
    if (Ctrl && Key == QChar(10))
        return;
    if (Key == u'-' && Numeric_Type(FEditType) && !Signed)
        return;

    switch (FEditType) {
    case etString:
    case etPassword:
        SetModified(true);
        Inherited(Key);
        break;
    case etNumeric:
        if (Key == u'-')
            ToggleSign(Key);
        else if (Control_Key(Key) || Ascii_Digit(Key) || Ctrl)
            Inherited(Key);
        break;
    case etFloat:
    case etMoney:
        FloatChar(Key);
        break;
    case etUppercase:
        Inherited(Key.toUpper());
        break;
    case etLowerCase:
        Inherited(Key.toLower());
        break;
    case etMixedCase: {
        Inherited(Key);
        const int caret = cursorPosition();
        SetRaw(Prefix + ToMixedCase(GetText()) + Suffix);
        setCursorPosition(caret);
        break;
    }
    case etRange:
        if (Control_Key(Key) || Ascii_Digit(Key)) {
            SetModified(true);
            Inherited(Key);
        } else if (IsRangeSeparator(Key)) {
            const int caret = cursorPosition();
            const QString raw = text();
            const bool in_prefix = caret <= Prefix.size();
            const bool before = caret > 0 && IsRangeSeparator(raw[caret - 1]);
            const bool after = caret < raw.size() && IsRangeSeparator(raw[caret]);
            if (!in_prefix && !before && !after) {
                SetModified(true);
                Inherited(Key);
            }
        }
        break;
    case etHex:
        if (Control_Key(Key) || Key == u'-' || Ascii_Digit(Key) || (Key >= u'A' && Key <= u'F') ||
            (Key >= u'a' && Key <= u'f')) {
            SetModified(true);
            Inherited(Key);
        }
        break;
    case etAlphaNumeric:
        if (Control_Key(Key) || Ascii_Digit(Key) || (Key >= u'A' && Key <= u'Z') || (Key >= u'a' && Key <= u'z')) {
            SetModified(true);
            Inherited(Key);
        }
        break;
    case etValidChars:
        if (ValidChars.contains(Key)) {
            SetModified(true);
            Inherited(Key);
        }
        break;
    }
    if (isModified())
        SetModified(true);
}

void TDazCustomDropDown::WMPaste(const QString &Clipboard)
{
    if (isReadOnly() || Clipboard.isEmpty())
        return;
    const QString value = GetText();
    const int caret = ValueCaret();
    const int sel_start = hasSelectedText() ? selectionStart() - int(Prefix.size()) : caret;
    const int sel_length = hasSelectedText() ? int(selectedText().size()) : 0;
    QString planned = value;
    planned.replace(std::clamp(sel_start, 0, int(value.size())), sel_length, Clipboard);
    const int planned_caret = int(Prefix.size()) + sel_start + int(Clipboard.size());
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, planned, allow);
    if (maxLength() > 0 && maxLength() < 32767 && Clipboard.size() + value.size() - sel_length > maxLength())
        allow = false;
    if (allow) {
        const int kind = ClassifyNumberText(planned);
        switch (FEditType) {
        case etString:
        case etPassword:
            SetText(planned);
            break;
        case etNumeric:
            if (kind == tkNumeric && (Signed || !planned.contains(u'-'))) {
                SetText(planned);
                SetModified(true);
            }
            break;
        case etFloat:
        case etMoney:
            if ((kind == tkNumeric || kind == tkFloat) &&
                !(FPrecision == 0 && Clipboard.contains(DecimalSeparatorChar())) &&
                (Signed || !planned.contains(u'-'))) {
                SetText(planned);
                SetValue(GetValue());
                SetModified(true);
            }
            break;
        case etUppercase:
            SetText(planned.toUpper());
            break;
        case etLowerCase:
            SetText(planned.toLower());
            break;
        case etMixedCase:
            SetText(ToMixedCase(planned));
            break;
        case etAlphaNumeric:
        case etValidChars: {
            const bool all = std::all_of(planned.begin(), planned.end(), [this](QChar c) {
                return FEditType == etValidChars ? ValidChars.contains(c)
                                                 : Ascii_Digit(c) || (c >= u'A' && c <= u'Z') ||
                                                       (c >= u'a' && c <= u'z');
            });
            if (all) {
                SetText(planned);
                SetModified(true);
            }
            break;
        }
        case etRange:
        case etHex:
            break;
        }
    }
    if (FEditType == etMoney && GetText().size() > 3) {
        SelectAll();
    } else if (hasSelectedText() || sel_length > 0) {
        setSelection(int(Prefix.size()) + sel_start, int(Clipboard.size()));
    } else {
        setCursorPosition(planned_caret);
    }
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase ||
        FEditType == etLowerCase || FEditType == etPassword)
        SetModified(true);
}

void TDazCustomDropDown::WMCut()
{
    if (!EditorEnabled || isReadOnly())
        return;
    FBlockCopy = true;
    bool allow = true;
    if (OnClipboardCut)
        OnClipboardCut(this, selectedText(), allow);
    if (allow)
        cut();
    FBlockCopy = false;
}

void TDazCustomDropDown::WMCopy()
{
    bool allow = true;
    if (!FBlockCopy && OnClipboardCopy)
        OnClipboardCopy(this, selectedText(), allow);
    FBlockCopy = false;
    if (allow)
        copy();
}

void TDazCustomDropDown::WMKillFocus()
{
    if (Loading)
        return;
    const QString value = GetText();
    const bool float_type = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && float_type && (!value.isEmpty() || !AllowNumericNullValue)) {
        const bool modified = FIsModified;
        SetValue(GetValue());
        SetModified(modified);
    } else if (FEditType == etNumeric && value.isEmpty() && !AllowNumericNullValue) {
        SetText(QStringLiteral("0"));
    } else if (float_type && value.isEmpty() && !AllowNumericNullValue) {
        SetValue(0);
    }
    if (!EditorEnabled)
        update();
}

void TDazCustomDropDown::EditChanged()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TDazCustomDropDown::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Backspace: WMChar(Backspace, ctrl, keypad); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: WMChar(Return, ctrl, keypad); return;
    case Qt::Key_Escape: WMChar(Escape, ctrl, keypad); return;
    default: break;
    }
    if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_V || event->key() == Qt::Key_X)) {
        WMChar(QChar(event->key() == Qt::Key_C ? 3 : event->key() == Qt::Key_V ? 22 : 24), true, keypad);
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed[0].unicode() >= 32) {
        for (const QChar c : typed)
            WMChar(c, ctrl, keypad);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDazCustomDropDown::focusOutEvent(QFocusEvent *event)
{
    WMKillFocus();
    QLineEdit::focusOutEvent(event);
}
