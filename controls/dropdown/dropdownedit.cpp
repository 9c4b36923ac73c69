// The drop-down edit's value model, character filter, number formatting and clipboard.
#include "controls/dropdown/dropdownedit.h"

#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/textroutines.h"
#include "platform/locale.h"
#include "platform/rtl.h"

#include <QClipboard>
#include <QDialog>
#include <QMainWindow>
#include <QRegularExpression>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <cmath>
#include <limits>

namespace {

constexpr char16_t kBackspace = 8, kTab = 9, kLineFeed = 10, kReturn = 13, kEscape = 27;
constexpr char16_t kCopy = 3, kPaste = 22, kCut = 24, kUndo = 26;
// A line edit without a set maximum answers this one.
constexpr int kNoMaxLength = 32767;

bool IsDigit(QChar Ch)
{
    return Ch >= u'0' && Ch <= u'9';
}

bool IsControlChar(QChar Ch, bool AndDigits)
{
    const char16_t c = Ch.unicode();
    return c == kBackspace || c == kTab || c == kReturn || (AndDigits && IsDigit(Ch));
}

QString ClipboardText()
{
    const QClipboard *Clip = QGuiApplication::clipboard();
    return Clip ? Clip->text() : QString();
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Number texts
// ---------------------------------------------------------------------------------------

QString FormatFixedValue(double Value, int Precision)
{
    if (!std::isfinite(Value))
        return FormatGeneralValue(Value);
    QString s = QString::number(Value, 'f', std::max(0, Precision));
    if (s.startsWith(u'-') && std::none_of(s.begin(), s.end(), [](QChar c) {
            return c >= u'1' && c <= u'9';
        }))
        s.remove(0, 1);   // no "-0.00"
    s.replace(u'.', DecimalSeparatorChar());
    return s;
}

QString FormatNumberValue(double Value, int Precision)
{
    QString s = FormatFixedValue(Value, Precision);
    if (!std::isfinite(Value))
        return s;
    const int sign = s.startsWith(u'-') ? 1 : 0;
    int end = int(s.indexOf(DecimalSeparatorChar(), sign));
    if (end < 0)
        end = int(s.size());
    const QChar thousand = ThousandSeparatorChar();
    for (int at = end - 3; at > sign; at -= 3)
        s.insert(at, thousand);
    return s;
}

QString FormatGeneralValue(double Value)
{
    QString s = Format(QStringLiteral("%g"), {Value});
    const QChar from = DecimalSeparator(), to = DecimalSeparatorChar();
    if (from != to)
        s.replace(from, to);
    return s;
}

double StrToValue(const QString &Text)
{
    QString s = StripThousandSeparators(Text).trimmed();
    const QChar decimal = DecimalSeparatorChar();
    if (decimal != u'.') {
        if (s.contains(u'.'))
            return 0;
        s.replace(decimal, u'.');
    }
    static const QRegularExpression number(
        QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$"));
    if (!number.match(s).hasMatch())
        return 0;
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

// ---------------------------------------------------------------------------------------
// Construction and the value model
// ---------------------------------------------------------------------------------------

TDazCustomDropDown::TDazCustomDropDown(QWidget *Parent)
    : QLineEdit(Parent), FDropDownHeader(std::make_unique<THeaderAppearance>(nullptr)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(nullptr))
{
    resize(200, 21);
    setContextMenuPolicy(Qt::NoContextMenu);   // its paste would bypass the filter
    connect(this, &QLineEdit::textChanged, this, [this] { ChangeNotice(); });
}

TDazCustomDropDown::~TDazCustomDropDown() = default;

QString TDazCustomDropDown::GetText() const
{
    QString s = text();
    if (!FPrefix.isEmpty() && s.startsWith(FPrefix))
        s.remove(0, FPrefix.size());
    if (!FSuffix.isEmpty())
        s.chop(std::min(FSuffix.size(), s.size()));
    return s;
}

bool TDazCustomDropDown::IsNumberType() const
{
    return FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney;
}

void TDazCustomDropDown::SetText(const QString &Value)
{
    QString v = Value;
    if (v.isEmpty() && (IsNumberType() || FEditType == etHex))
        v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (FEditType == etMoney)
            v = FormatNumberValue(StrToValue(v), FPrecision);
        else if (FEditType == etFloat)
            v = FormatFixedValue(StrToValue(v), FPrecision);
    }
    if (FEditType == etHex)
        v = AnsiUpperCase(v);
    setText(FPrefix + v + FSuffix);
    FOldText = v;
    SetModified(false);
}

void TDazCustomDropDown::SetTextUnformatted(const QString &Value)
{
    const bool wasModified = isModified();
    setText(Value);
    setModified(wasModified);
}

void TDazCustomDropDown::SetRawText(const QString &Raw)
{
    setText(Raw);
}

double TDazCustomDropDown::GetValue() const
{
    const QString v = GetText();
    switch (FEditType) {
    case etString: {
        double d = 0;
        int code = 0;
        Val(v, d, code);
        return std::isfinite(d) ? d : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == QLatin1String("Error") || v == QLatin1String("-"))
            return 0;
        return StrToValue(v);
    case etMoney: {
        if (v.isEmpty())
            return 0;
        QString s = StripThousandSeparators(v);
        if (s.endsWith(DecimalSeparatorChar()))
            s.chop(1);
        return s.isEmpty() || s == QLatin1String("-") ? 0 : StrToValue(s);
    }
    case etHex:
        return v.isEmpty() ? 0 : HexToInt(v);
    default:
        return 0;
    }
}

namespace {
// Hexadecimal without leading zeros; negative values show their 32-bit two's complement.
QString HexText(double Value)
{
    double t = std::trunc(Value);
    if (!std::isfinite(t) || t > std::numeric_limits<int32_t>::max() ||
        t < std::numeric_limits<int32_t>::min())
        t = 0;
    return IntToHex(uint32_t(int32_t(t)), 0);
}
}   // namespace

void TDazCustomDropDown::SetValue(double Value)
{
    switch (FEditType) {
    case etString:
    case etFloat:
        SetText(FPrecision < 0 ? FormatGeneralValue(Value) : FormatFixedValue(Value, FPrecision));
        break;
    case etNumeric:
        SetText(FPrecision < 0 ? FormatGeneralValue(Value) : FormatNumberValue(Value, FPrecision));
        break;
    case etMoney:
        SetText(FPrecision < 0 ? FormatGeneralValue(Value) : FormatFixedValue(Value, FPrecision));
        AutoSeparators();
        break;
    case etHex:
        SetText(HexText(Value));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TDazCustomDropDown::SetIntValue(int Value)
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
        SetText(HexText(Value));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TDazCustomDropDown::AutoSeparators()
{
    QString value = GetText();
    if (value.isEmpty())
        return;
    const int caret = SelStart();
    const int oldLength = int(value.size());
    QString sign;
    if (value.startsWith(u'-')) {
        sign = QStringLiteral("-");
        value.remove(0, 1);
    }
    const QChar decimal = DecimalSeparatorChar();
    const qsizetype at = value.indexOf(decimal);
    const QString fraction = at < 0 ? QString() : value.mid(at, 255);
    const double whole = std::trunc(std::fabs(GetValue()));
    QString integer =
        AutoThousandSeparator ? FormatNumberValue(whole, 2) : FormatFixedValue(whole, 2);
    integer.truncate(integer.indexOf(decimal));
    const QString newValue = sign + integer + fraction;
    const QString raw = FPrefix + newValue + FSuffix;
    FBlockChange = text() != raw;
    SetRawText(raw);
    setCursorPosition(std::max(0, caret + int(newValue.size()) - oldLength));
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
    if ((Value == etNumeric && kind != tkNumeric) ||
        (Value == etHex && kind != tkNumeric && kind != tkHex))
        SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && kind != tkNumeric && kind != tkFloat)
        SetValue(0);
}

void TDazCustomDropDown::SetPrecision(int Value)
{
    if (Value == FPrecision ||
        !(FEditType == etString || FEditType == etFloat || FEditType == etMoney))
        return;
    FPrecision = Value;
    if (ClassifyNumberText(GetText()) == tkText)
        SetValue(0);
    else
        SetValue(GetValue());
}

void TDazCustomDropDown::SetModified(bool Value)
{
    if (FLoading || !FEditorEnabled || isReadOnly())
        return;
    setModified(Value);
    FIsModified = Value;
}

void TDazCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
}

int TDazCustomDropDown::SelStart() const
{
    return hasSelectedText() ? int(selectionStart()) : cursorPosition();
}

int TDazCustomDropDown::SelLength() const
{
    return hasSelectedText() ? int(selectedText().size()) : 0;
}

void TDazCustomDropDown::SetSelection(int Start, int Length)
{
    if (Length > 0)
        setSelection(Start, Length);
    else
        setCursorPosition(Start);
}

void TDazCustomDropDown::SelectAll()
{
    SetSelection(int(FPrefix.size()), int(GetText().size()));
}

void TDazCustomDropDown::SelectAfterDecimal()
{
    const qsizetype at = GetText().indexOf(DecimalSeparatorChar());
    setCursorPosition(int(FPrefix.size() + (at < 0 ? 0 : at + 1)));
}

void TDazCustomDropDown::SelectBeforeDecimal()
{
    const qsizetype at = GetText().indexOf(DecimalSeparatorChar());
    setCursorPosition(int(FPrefix.size() + (at < 0 ? 0 : at)));
}

void TDazCustomDropDown::Change()
{
    if (OnChange)
        OnChange(this);
}

void TDazCustomDropDown::ChangeNotice()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    Change();
}

// ---------------------------------------------------------------------------------------
// The character filter
// ---------------------------------------------------------------------------------------

int TDazCustomDropDown::IntegerDigits(const QString &Text) const
{
    const QString s = StripThousandSeparators(Text);
    const qsizetype at = s.indexOf(DecimalSeparatorChar());
    int n = int(at < 0 ? s.size() : at);
    if (Signed && IsNumberType() && s.contains(u'-'))
        --n;
    return n;
}

bool TDazCustomDropDown::FractionFull(const QString &Value, int Caret) const
{
    const qsizetype at = Value.indexOf(DecimalSeparatorChar());
    if (FPrecision <= 0 || at < 0 || Caret <= at)
        return false;
    return Value.size() - Caret <= FPrecision && Value.size() - at - 1 >= FPrecision;
}

bool TDazCustomDropDown::SeparatorConflict(const QString &Value, int Caret) const
{
    const QChar thousand = ThousandSeparatorChar();
    if (!Value.contains(thousand))
        return false;
    QString rest = Value;
    int caret = Caret;
    bool tooClose = false;
    int nearest = std::numeric_limits<int>::max();
    for (qsizetype at = rest.indexOf(thousand); at >= 0; at = rest.indexOf(thousand)) {
        const int pos = int(at) + 1;
        const int distance = std::abs(pos - caret);
        tooClose = tooClose || distance < 3;
        nearest = std::min(nearest, distance);
        rest.remove(0, pos);
        if (caret > pos)
            caret -= pos;
    }
    return tooClose || nearest > 3;
}

void TDazCustomDropDown::DefaultChar(QChar Ch)
{
    if (isReadOnly())
        return;
    const char16_t c = Ch.unicode();
    if (c == kBackspace)
        backspace();
    else if (c == kUndo)
        undo();
    else if (c >= 32)
        insert(QString(Ch));
}

void TDazCustomDropDown::TypeChar(QChar Ch, bool Control, bool Keypad)
{
    TCharMessage m;
    m.Ch = Ch;
    m.Control = Control;
    m.Keypad = Keypad;
    WMChar(m);
}

void TDazCustomDropDown::WMChar(TCharMessage &Message)
{
    if (!FEditorEnabled)
        return;
    QChar key = Message.Ch;
    const char16_t c = key.unicode();
    const QChar decimal = DecimalSeparatorChar();
    const QString value = GetText();
    // Typing over the whole selected text changes the edit once under Qt, so that one change
    // is reported (there is no separate clearing change to hold back).

    if (c == kReturn) {
        if (Message.Control) {
            Message.Result = 1;
            return;
        }
        if (OnKeyPress)
            OnKeyPress(this, key);
        // Without a key preview the parent gets the release too.
        if (!DefaultHandling && parentWidget())
            PostKeyToParent(Qt::Key_Return, !FormKeyPreview());
        return;
    }
    if (c == kEscape) {
        if (!DefaultHandling && parentWidget()) {
            if (FormKeyPreview())
                return;
            PostKeyToParent(Qt::Key_Escape, true);
        }
        if (!CanUndo)
            return;   // the edit itself does nothing with it
    }
    if (Message.Control && (c == kCopy || c == kPaste || c == kCut)) {
        if (c == kCopy)
            WMCopy();
        else if (c == kPaste)
            WMPaste();
        else
            WMCut();
        return;
    }
    if (ExcelStyleDecimalSeparator && Message.Keypad && (c == u'.' || c == u','))
        key = decimal;
    const int prefixLength = int(FPrefix.size());
    if (c == kBackspace && !FPrefix.isEmpty() && SelLength() == 0 && SelStart() <= prefixLength)
        return;
    if (LengthLimit > 0 && IntegerDigits(value) >= LengthLimit && SelLength() == 0) {
        const qsizetype at = value.indexOf(decimal);
        const bool beforeDecimal = at < 0 || SelStart() < prefixLength + at + 1;
        if (beforeDecimal && c != kBackspace && key != decimal && !(key == u'-' && Signed))
            return;
    }
    if (c == kBackspace) {
        DefaultChar(key);
        return;
    }
    if (Message.Control && c == kLineFeed)
        return;
    if (key == u'-' && IsNumberType() && !Signed)
        return;

    switch (FEditType) {
    case etString:
    case etPassword:
        if (c != kEscape)   // Esc edits nothing, so it does not count as a change
            SetModified(true);
        DefaultChar(key);
        break;
    case etNumeric:
        if (key == u'-')
            ToggleSign();
        else if (IsControlChar(key, true) || Message.Control)
            DefaultChar(key);
        break;
    case etFloat:
    case etMoney:
        TypeFloat(key);
        break;
    case etUppercase:
        DefaultChar(AnsiUpperCase(QString(key)).front());
        break;
    case etLowerCase:
        DefaultChar(AnsiLowerCase(QString(key)).front());
        break;
    case etMixedCase: {
        const int caret = SelStart();
        DefaultChar(key);
        const bool wasModified = isModified();
        SetRawText(FPrefix + ToMixedCase(GetText()) + FSuffix);
        setModified(wasModified);
        setCursorPosition(caret + 1);
        break;
    }
    case etRange:
        if (IsControlChar(key, true) || key == u',' || key == u'-' || key == u';') {
            if (IsRangeSeparator(key)) {
                const QString raw = text();
                const int caret = SelStart();
                const QChar before = caret > 0 ? raw[caret - 1] : QChar(u' ');
                const QChar after = caret < raw.size() ? raw[caret] : QChar(u' ');
                if (caret <= prefixLength || IsRangeSeparator(before) || IsRangeSeparator(after))
                    return;
            }
            SetModified(true);
            DefaultChar(key);
        }
        break;
    case etHex:
        if (IsControlChar(key, true) || key == u'-' || (c >= u'A' && c <= u'F') ||
            (c >= u'a' && c <= u'f')) {
            SetModified(true);
            DefaultChar(key);
        }
        break;
    case etAlphaNumeric:
        if (IsControlChar(key, true) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
            SetModified(true);
            DefaultChar(key);
        }
        break;
    case etValidChars:
        if (ValidChars.contains(key) || c == kBackspace) {
            SetModified(true);
            DefaultChar(key);
        }
        break;
    }
    if (isModified())
        SetModified(true);
}

void TDazCustomDropDown::TypeFloat(QChar Key)
{
    const QChar decimal = DecimalSeparatorChar(), thousand = ThousandSeparatorChar();
    const bool money = FEditType == etMoney;
    const char16_t c = Key.unicode();
    if (!money && (Key == u',' || Key == u'.') && Key != decimal && Key != thousand)
        return;
    const bool accepted = money ? (IsControlChar(Key, true) || Key == u'-' || Key == decimal)
                                : (IsControlChar(Key, true) || Key == u',' || Key == u'-' ||
                                   Key == u'.');
    if (!accepted)
        return;
    const QString value = GetText();
    const QString selected = selectedText();
    const int prefixLength = int(FPrefix.size());
    if (Key == decimal && (value.contains(decimal) || FPrecision == 0) &&
        (money || !selected.contains(decimal))) {
        if (FPrecision > 0) {
            if (money && !value.isEmpty() && SelLength() >= value.size())
                SetText(QStringLiteral("0,0"));
            SelectAfterDecimal();
        }
        return;
    }
    if (!money && Key == u',' && value.contains(u',') && !selected.contains(u',') &&
        thousand != u',')
        return;
    const int caret = SelStart() - prefixLength;
    if ((Key == thousand || Key == decimal) && SeparatorConflict(value, caret))
        return;
    if ((IsDigit(Key) || Key == decimal) && SelLength() == 0 && FractionFull(value, caret)) {
        const qsizetype at = value.indexOf(decimal);
        if (IsDigit(Key) && caret > at && caret < value.size())
            setSelection(SelStart(), 1);
        else
            return;
    }
    if (value.isEmpty() && caret == 0 && Key == decimal) {
        SetRawText(FPrefix + u'0' + decimal + FSuffix);
        setCursorPosition(prefixLength + 2);
        SetModified(true);
        return;
    }
    if (c == u'-' && SelLength() == 0) {
        ToggleSign();
        return;
    }
    DefaultChar(Key);
    if (money) {
        const QString now = GetText();
        if (!now.isEmpty() && now != QLatin1String("-") && Key != decimal) {
            if (isModified())
                SetModified(true);
            AutoSeparators();
        }
    }
}

void TDazCustomDropDown::ToggleSign()
{
    const QString value = GetText();
    const int prefixLength = int(FPrefix.size());
    if (FEditType == etNumeric && SelLength() == value.size()) {
        SetRawText(FPrefix + u'-' + FSuffix);
        setCursorPosition(prefixLength + 1);
        return;
    }
    const int caret = SelStart();
    if (value.contains(u'-')) {
        SetRawText(FPrefix + value.mid(1) + FSuffix);
        setCursorPosition(std::max(prefixLength, caret - 1));
        if (FEditType != etNumeric)
            SetModified(true);
    } else {
        SetRawText(FPrefix + u'-' + value + FSuffix);
        setCursorPosition(caret + 1);
        SetModified(true);
    }
}

// ---------------------------------------------------------------------------------------
// Clipboard and focus
// ---------------------------------------------------------------------------------------

void TDazCustomDropDown::WMPaste()
{
    const QString clip = ClipboardText();
    if (isReadOnly() || clip.isEmpty())
        return;
    const QString value = GetText();
    const int prefixLength = int(FPrefix.size());
    const int start = SelStart(), length = SelLength();
    const int inValue = std::clamp(start - prefixLength, 0, int(value.size()));
    const QString planned = value.left(inValue) + clip + value.mid(inValue + length);
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, planned, allow);
    if (maxLength() < kNoMaxLength && clip.size() + value.size() - length > maxLength())
        allow = false;
    if (allow) {
        const int kind = ClassifyNumberText(planned);
        const QChar decimal = DecimalSeparatorChar();
        const bool signOk = Signed || !planned.contains(u'-');
        auto allChars = [&](auto Allowed) {
            for (QChar ch : planned)
                if (!Allowed(ch))
                    return false;
            return true;
        };
        switch (FEditType) {
        case etString:
        case etPassword:
            SetText(planned);
            break;
        case etNumeric:
            if (kind == tkNumeric && signOk) {
                SetText(planned);
                SetModified(true);
            }
            break;
        case etFloat:
        case etMoney:
            if ((kind == tkNumeric || kind == tkFloat) && signOk &&
                !(FPrecision == 0 && clip.contains(decimal))) {
                SetText(planned);
                SetValue(GetValue());
                SetModified(true);
            }
            break;
        case etUppercase:
            SetText(AnsiUpperCase(planned));
            break;
        case etLowerCase:
            SetText(AnsiLowerCase(planned));
            break;
        case etMixedCase:
            SetText(ToMixedCase(planned));
            break;
        case etAlphaNumeric:
            if (allChars([](QChar ch) { return IsDigit(ch) || (ch >= u'A' && ch <= u'Z') ||
                                                (ch >= u'a' && ch <= u'z'); })) {
                SetText(planned);
                SetModified(true);
            }
            break;
        case etValidChars:
            if (allChars([this](QChar ch) { return ValidChars.contains(ch); })) {
                SetText(planned);
                SetModified(true);
            }
            break;
        case etRange:
        case etHex:
            break;
        }
    }
    if (FEditType == etMoney && GetText().size() > 3)
        SelectAll();
    else if (length > 0)
        SetSelection(start, int(clip.size()));
    else
        setCursorPosition(start + int(clip.size()));
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase ||
        FEditType == etLowerCase || FEditType == etPassword)
        SetModified(true);
}

void TDazCustomDropDown::WMCut()
{
    if (!FEditorEnabled || isReadOnly())
        return;
    FBlockCopy = true;
    bool allow = true;
    const int inValue = SelStart() - int(FPrefix.size());
    if (OnClipboardCut)
        OnClipboardCut(this, GetText().mid(std::max(0, inValue), SelLength()), allow);
    if (allow) {
        WMCopy();
        del();
    }
    FBlockCopy = false;
}

void TDazCustomDropDown::WMCopy()
{
    bool allow = true;
    if (!FBlockCopy && OnClipboardCopy) {
        const int inValue = SelStart() - int(FPrefix.size());
        OnClipboardCopy(this, GetText().mid(std::max(0, inValue), SelLength()), allow);
    }
    FBlockCopy = false;
    if (allow)
        copy();
}

void TDazCustomDropDown::WMKillFocus()
{
    if (FLoading)
        return;
    const QString value = GetText();
    const bool floating = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && floating && (!value.isEmpty() || !AllowNumericNullValue)) {
        const bool wasModified = FIsModified, editModified = isModified();
        SetValue(GetValue());
        FIsModified = wasModified;
        setModified(editModified);
    }
    if (value.isEmpty() && !AllowNumericNullValue) {
        if (FEditType == etNumeric)
            SetText(QStringLiteral("0"));
        else if (floating)
            SetValue(0);
    }
    if (!FEditorEnabled)
        update();
}

// ---------------------------------------------------------------------------------------
// Qt events into the messages
// ---------------------------------------------------------------------------------------

namespace {

bool IsEnterKey(int Key)
{
    return Key == Qt::Key_Return || Key == Qt::Key_Enter;
}

// The keys a window's dialog handling would take: the edit is asked about them first.
bool IsSpecialKey(int Key)
{
    return IsEnterKey(Key) || Key == Qt::Key_Escape || Key == Qt::Key_Tab ||
           Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up ||
           Key == Qt::Key_Down;
}

}   // namespace

QWidget *TDazCustomDropDown::ParentForm() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<QDialog *>(w) || qobject_cast<QMainWindow *>(w))
            return w;
    return nullptr;
}

bool TDazCustomDropDown::FormKeyPreview() const
{
    const QWidget *form = ParentForm();
    return form && form->property(KeyPreviewProperty).toBool();
}

void TDazCustomDropDown::PostKeyToParent(int Key, bool Release)
{
    QWidget *Parent = parentWidget();
    QCoreApplication::postEvent(Parent, new QKeyEvent(QEvent::KeyPress, Key, Qt::NoModifier));
    if (Release)
        QCoreApplication::postEvent(Parent,
                                    new QKeyEvent(QEvent::KeyRelease, Key, Qt::NoModifier));
}

bool TDazCustomDropDown::CMWantSpecialKey(int &Key)
{
    if (!ParentForm())
        return false;
    const bool preview = FormKeyPreview();
    if (Key == Qt::Key_Escape && CanUndo && !preview) {
        SelectAll();
        SetModified(false);
        Key = 0;
        if (parentWidget() && DefaultHandling)
            PostKeyToParent(Qt::Key_Escape, true);
        return false;
    }
    if (IsEnterKey(Key) && DefaultHandling && !preview && parentWidget() &&
        parentWidget()->hasFocus())
        PostKeyToParent(Qt::Key_Return, true);
    return Key == Qt::Key_Escape && FDroppedDown;
}

void TDazCustomDropDown::DefaultKeyDown(int Key, Qt::KeyboardModifiers Modifiers,
                                        QKeyEvent *Event)
{
    if (Event) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    // Character keys type through WMChar; the line edit takes the rest itself.
    if (Key >= Qt::Key_Space && Key <= Qt::Key_AsciiTilde)
        return;
    if (Key == Qt::Key_Backspace || IsEnterKey(Key) || Key == Qt::Key_Escape)
        return;
    QKeyEvent e(QEvent::KeyPress, Key, Modifiers);
    QLineEdit::keyPressEvent(&e);
}

bool TDazCustomDropDown::WMKeyDown(int Key, Qt::KeyboardModifiers Modifiers, QKeyEvent *Event)
{
    const bool alt = Modifiers & Qt::AltModifier, shift = Modifiers & Qt::ShiftModifier,
               control = Modifiers & Qt::ControlModifier;
    auto toggleDropDown = [this] {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    };
    auto closeOrToggle = [&](int K) {
        if (IsEnterKey(K))
            DoHideDropDown(false);
        else if (K == Qt::Key_Escape)
            DoHideDropDown(true);
        else if (K == Qt::Key_F4)
            toggleDropDown();
    };
    if (alt && (Key == Qt::Key_Up || Key == Qt::Key_Down)) {
        // Alt+arrows come as system keys: the toggle is all they do.
        toggleDropDown();
        return true;
    }
    if (!FEditorEnabled && isEnabled()) {
        if (!isReadOnly())
            closeOrToggle(Key);
        if (!(IsEnterKey(Key) || Key == Qt::Key_Escape))
            return true;
        DefaultKeyDown(Key, Modifiers, Event);
        return false;
    }
    if (control && (Key == Qt::Key_Tab || IsEnterKey(Key))) {
        DefaultKeyDown(Key, Modifiers, Event);
        return false;
    }
    if (IsEnterKey(Key) && ReturnIsTab) {
        // Enter becomes Tab: the focus moves on and nothing closes.
        if (isVisible())
            QCoreApplication::postEvent(this,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return true;
    }
    const int prefixLength = int(FPrefix.size());
    const int valueEnd = prefixLength + int(GetText().size());
    const int selStart = SelStart(), selEnd = SelStart() + SelLength();
    if (!FSuffix.isEmpty()) {
        if (Key == Qt::Key_Right && selEnd >= valueEnd)
            return true;
        if (Key == Qt::Key_Delete) {
            if (selEnd >= valueEnd && SelLength() == 0)
                return true;
            SetModified(true);
        }
        if (Key == Qt::Key_End) {
            if (shift)
                setSelection(cursorPosition(), valueEnd - cursorPosition());
            else
                setCursorPosition(valueEnd);
            return true;
        }
    }
    if (!FPrefix.isEmpty()) {
        if (Key == Qt::Key_Left && selEnd <= prefixLength)
            return true;
        if (Key == Qt::Key_Home) {
            if (shift)
                setSelection(valueEnd, prefixLength - valueEnd);   // caret at the start
            else
                setCursorPosition(prefixLength);
            return true;
        }
        if (Key == Qt::Key_Backspace) {
            if (selStart <= prefixLength + 1)
                return true;
            SetModified(true);
        }
    }
    if (Key == Qt::Key_Delete && selStart >= prefixLength) {
        if (LengthLimit > 0) {
            const int at = selStart - prefixLength;
            const QString after = GetText().remove(at, std::max(1, SelLength()));
            if (IntegerDigits(after) > LengthLimit)
                return true;
        }
        SetModified(true);
    }
    DefaultKeyDown(Key, Modifiers, Event);
    if (Key == Qt::Key_Delete && FEditType == etMoney)
        AutoSeparators();
    if (SelStart() < prefixLength)
        setCursorPosition(prefixLength);
    closeOrToggle(Key);
    return false;
}

void TDazCustomDropDown::keyPressEvent(QKeyEvent *Event)
{
    const int key = Event->key();
    const Qt::KeyboardModifiers modifiers = Event->modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    const bool keypad = modifiers & Qt::KeypadModifier;
    char16_t ch = 0;
    if (Event->matches(QKeySequence::Copy))
        ch = kCopy;
    else if (Event->matches(QKeySequence::Paste))
        ch = kPaste;
    else if (Event->matches(QKeySequence::Cut))
        ch = kCut;
    else if (key == Qt::Key_Backspace)
        ch = kBackspace;
    else if (IsEnterKey(key))
        ch = kReturn;
    else if (key == Qt::Key_Escape)
        ch = kEscape;
    else if (!control && !Event->text().isEmpty() && Event->text().front() >= u' ')
        ch = Event->text().front().unicode();
    // The edit wants every key itself (a multi-line edit): the window's dialog handling
    // never sees Enter or Esc, only the parent they are posted to.
    if (IsSpecialKey(key)) {
        int special = key;
        CMWantSpecialKey(special);
    }
    // The character comes as its own message after the key-down, whatever that did.
    WMKeyDown(key, modifiers, ch ? nullptr : Event);
    if (ch) {
        TCharMessage m;
        m.Ch = QChar(ch);
        m.Control = control || ch == kCopy || ch == kPaste || ch == kCut;
        m.Keypad = keypad;
        WMChar(m);
    }
    Event->accept();
}

void TDazCustomDropDown::focusInEvent(QFocusEvent *Event)
{
    QLineEdit::focusInEvent(Event);
    if (FLoading)
        return;
    if (FEditorEnabled) {
        FOldString = GetText();
        if (AutoSelect)
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    }
    if (FButton)
        FButton->Button()->SetFocused(true);
    update();   // the border and, with typing off, the focused look
}

void TDazCustomDropDown::focusOutEvent(QFocusEvent *Event)
{
    WMKillFocus();
    QLineEdit::focusOutEvent(Event);
    if (FButton)
        FButton->Button()->SetFocused(false);
    update();
}

void TDazCustomDropDown::wheelEvent(QWheelEvent *Event)
{
    QLineEdit::wheelEvent(Event);
    Wheel(Event->angleDelta().y());
}

void TDazCustomDropDown::Wheel(int Delta)
{
    if (Delta < 0)
        DoWheelDown();
    else if (Delta > 0)
        DoWheelUp();
}

void TDazCustomDropDown::enterEvent(QEnterEvent *Event)
{
    QLineEdit::enterEvent(Event);
    if (isEnabled())
        update();   // the flat border's hot look
}

void TDazCustomDropDown::leaveEvent(QEvent *Event)
{
    QLineEdit::leaveEvent(Event);
    if (isEnabled())
        update();
}
