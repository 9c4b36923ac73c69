// The calculator drop-down: arithmetic on the display, keypad and keyboard input.
#include "controls/dropdown/calcdropdown.h"

#include "controls/dropdown/calcclockinstall.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "controls/dropdown/editoradapter.h"
#include "platform/locale.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kError = QStringLiteral("Error");
constexpr char16_t kBackspaceChar = 8, kReturnChar = 13, kEscapeChar = 27;
// A line edit without a set maximum answers this one.
constexpr int kNoMaxLength = 32767;
constexpr int kKeypadHeight = 150;

// Keypad tags (the keypad's table).
enum : int {
    tagAdd = 10, tagSubtract = 11, tagMultiply = 12, tagDivide = 13, tagSign = 14,
    tagPoint = 15, tagClear = 16, tagEquals = 17, tagPercent = 18, tagBlank = 30,
    tagBack = 31, tagClearEntry = 32, tagMemoryClear = 33, tagMemoryRecall = 34,
    tagMemoryStore = 35, tagMemoryAdd = 36, tagSqrt = 37, tagReciprocal = 38
};

// The character a key event types, null for none.
QChar CharOf(const QKeyEvent &Event)
{
    switch (Event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kReturnChar);
    case Qt::Key_Escape:
        return QChar(kEscapeChar);
    case Qt::Key_Backspace:
        return QChar(kBackspaceChar);
    default:
        break;
    }
    const QString t = Event.text();
    return !t.isEmpty() && t.front() >= u' ' ? t.front() : QChar();
}

// The platform's general float form (15 significant digits) with the edit's separator.
QString GeneralFloatText(double Value)
{
    QString s = FloatToStr(Value);
    const QChar from = DecimalSeparator(), to = DecimalSeparatorChar();
    if (from != to)
        s.replace(from, to);
    return s;
}

}   // namespace

TDazCalculatorDropdown::TDazCalculatorDropdown(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    InitializeDropDown();
    DropDownColor = 0xFFFFFF;
    SetDropDownWidth(230);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetEditType(etFloat);
    FPrevop = opNone;
    SetPrecision(2);
    FDecim = 0;
    FNewval = false;
    FCalcClosed = true;
    FMVal = 0;
}

TDazCalculatorDropdown::~TDazCalculatorDropdown() = default;

void TDazCalculatorDropdown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    if (FDazButtonPanel || !DropDownForm())
        return;
    FDazButtonPanel = new TCustomButtonPanel(DropDownForm());
    FDazButtonPanel->SetDazDropDown(this);
    FDazButtonPanel->CreateButtons();
    SetDropDownControl(FDazButtonPanel);
    // After placing: the still empty form would lay it out to nothing.
    FDazButtonPanel->resize(230, kKeypadHeight);
    FDazButtonPanel->OnButtonClick = [this](TObject *, int Index) { ButtonClick(Index); };
}

void TDazCalculatorDropdown::SizeDropDownForm()
{
    // The form lays its control out to its own size before it is sized from the control.
    FDazButtonPanel->resize(FDazButtonPanel->width(), kKeypadHeight);
    TDazCustomDropDown::SizeDropDownForm();
}

void TDazCalculatorDropdown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    DropDownForm()->CancelOnDeActivate = false;
    FDazButtonPanel->ButtonAppearance().Assign(&FCalcButtonAppearance);
    FDazButtonPanel->Color = DropDownColor;
    FDazButtonPanel->ArrangeButtons();
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

void TDazCalculatorDropdown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    const TDazButtonAppearance &b = ButtonAppearance();
    TButtonAppearance &c = FCalcButtonAppearance;
    c.SetBorderColor(b.BorderColor());
    c.SetBorderColorHot(b.BorderColorHot());
    c.SetBorderColorDown(b.BorderColorDown());
    c.SetColor(b.Color());
    c.SetColorTo(b.ColorTo());
    c.SetColorDown(b.ColorDown());
    c.SetColorDownTo(b.ColorDownTo());
    c.SetColorHot(b.ColorHot());
    c.SetColorHotTo(b.ColorHotTo());
    if (Value == tsOffice2010Blue || Value == tsOffice2010Silver || Value == tsOffice2010Black) {
        c.GlowColorHot = c.GlowColorDown = b.ColorHot();
    } else {
        c.GlowColorHot = b.ColorDownTo();
        c.GlowColorDown = 0xD5C244;
    }
}

// ---------------------------------------------------------------------------------------
// Values
// ---------------------------------------------------------------------------------------

double TDazCalculatorDropdown::ParseText() const
{
    QString s = StripThousandSeparators(GetText()).trimmed();
    const QChar decimal = DecimalSeparatorChar();
    static const QRegularExpression number(
        QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$"));
    bool ok = !(decimal != u'.' && s.contains(u'.'));
    if (ok) {
        s.replace(decimal, u'.');
        ok = number.match(s).hasMatch();
    }
    const double v = ok ? s.toDouble(&ok) : 0;
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value")
                                .arg(GetText())
                                .toStdString());
    return v;
}

double TDazCalculatorDropdown::Value()
{
    if (GetText().isEmpty())
        SetText(QStringLiteral("0"));
    try {
        return ParseText();
    } catch (const EConvertError &) {
        return 0;
    }
}

void TDazCalculatorDropdown::SetValueGeneral(double Value)
{
    SetText(FormatGeneralValue(Value));
}

void TDazCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (Value == FShowThousandSeparator)
        return;
    FShowThousandSeparator = Value;
    SetEditType(Value ? etMoney : etFloat);
    SetValue(GetValue());
}

int TDazCalculatorDropdown::LengthLimitOfText() const
{
    return maxLength() >= kNoMaxLength ? 0 : maxLength();
}

bool TDazCalculatorDropdown::KeypadShowing() const
{
    return !FCalcClosed && !(DropDownForm() && DropDownForm()->isHidden());
}

// ---------------------------------------------------------------------------------------
// Operations
// ---------------------------------------------------------------------------------------

void TDazCalculatorDropdown::ZeroWhenEmptyOrError()
{
    const QString t = GetText();
    if (t.isEmpty() || t == kError)
        SetText(QStringLiteral("0"));
}

bool TDazCalculatorDropdown::ApplyPending()
{
    ZeroWhenEmptyOrError();
    const double x = ParseText();
    switch (FPrevop) {
    case opAdd:
        FPrevval = x + FPrevval;
        break;
    case opMultiply:
        FPrevval = x * FPrevval;
        break;
    case opSubtract:
        FPrevval = FPrevval - x;
        break;
    case opDivide:
        if (x == 0) {
            FPrevval = 0;
            SetText(kError);
            return false;
        }
        FPrevval = FPrevval / x;
        break;
    default:
        FPrevval = ParseText();
        break;
    }
    if (!std::isfinite(FPrevval))
        FPrevval = 0;   // an arithmetic fault clears the accumulator silently
    SetValue(FPrevval);
    FNewval = true;
    return true;
}

void TDazCalculatorDropdown::Operator(int Op)
{
    if (ApplyPending())
        FPrevop = Op;
}

void TDazCalculatorDropdown::CalcResult()
{
    if (!ApplyPending())
        return;   // "Error" stays up with the division pending, so a further "=" keeps it
    if (GetText().isEmpty())
        SetText(QStringLiteral("0"));
    FPrevop = opNone;
    if (GetText() != kError)
        FPrevval = ParseText();
}

void TDazCalculatorDropdown::Percent()
{
    ZeroWhenEmptyOrError();
    const double x = ParseText();
    SetText(FormatGeneralValue(FPrevval * x / 100));
}

void TDazCalculatorDropdown::Digit(int D)
{
    const double shown = GetValue();
    if ((shown == 0 && FDecim == 0) || FNewval) {
        SetText(QString::number(D));
        FNewval = false;
    } else if (FDecim > 0) {
        SetValue(shown + double(D) / FDecim);
        FDecim *= 10;
    } else {
        SetValue(shown * 10 + D);
    }
}

void TDazCalculatorDropdown::ButtonClick(int Index)
{
    if (!FDazButtonPanel || Index < 0 || Index >= FDazButtonPanel->Buttons().Count())
        return;
    BeforeCalc();
    const int tag = FDazButtonPanel->Buttons().Items(Index).Tag;
    if ((tag >= tagAdd && tag <= tagSign) || (tag >= tagClear && tag <= tagPercent) ||
        tag == tagBlank || tag == tagClearEntry)
        FDecim = 0;
    const bool entry = (tag >= 0 && tag <= 9) || tag == tagSign || tag == tagPoint;
    const int limit = LengthLimitOfText();
    if (entry && limit > 0 && GetText().size() == limit)
        return;
    const QChar decimal = DecimalSeparatorChar();
    switch (tag) {
    case tagAdd:
        Operator(opAdd);
        break;
    case tagSubtract:
        Operator(opSubtract);
        break;
    case tagMultiply:
        Operator(opMultiply);
        break;
    case tagDivide:
        Operator(opDivide);
        break;
    case tagSign: {
        QString t = GetText();
        if (t.contains(u'-'))
            t.remove(0, 1);
        else
            t.prepend(u'-');
        SetText(t);
        break;
    }
    case tagPoint:
        if (!GetText().contains(decimal))
            SetText(GetText() + decimal);
        FDecim = 10;
        if (FNewval)
            SetText(QStringLiteral("0"));
        FNewval = false;
        break;
    case tagClear:
    case tagBlank:
    case tagClearEntry:
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FPrevop = opNone;
        break;
    case tagEquals:
        CalcResult();
        break;
    case tagPercent:
        Percent();
        break;
    case tagBack:
        if (FPrevop == opNone) {
            QString t = GeneralFloatText(GetValue());
            t.chop(1);
            SetText(t);
        }
        break;
    case tagMemoryClear:
        FMVal = 0;
        break;
    case tagMemoryRecall:
        SetValue(FMVal);
        break;
    case tagMemoryStore:
        FMVal = ParseText();
        break;
    case tagMemoryAdd:
        FMVal = ParseText() + FMVal;
        break;
    case tagSqrt:
        if (GetValue() >= 0)
            SetValue(std::sqrt(GetValue()));
        else
            SetText(kError);
        break;
    case tagReciprocal:
        if (GetValue() != 0)
            SetValue(1 / GetValue());
        else
            SetText(kError);
        break;
    default:
        if (tag >= 0 && tag <= 9)
            Digit(tag);
        break;
    }
    SetModified(true);
}

// ---------------------------------------------------------------------------------------
// Keys
// ---------------------------------------------------------------------------------------

bool TDazCalculatorDropdown::ArithmeticKey(QChar Key)
{
    switch (Key.unicode()) {
    case u'+':
        Operator(opAdd);
        return true;
    case u'-':
        Operator(opSubtract);
        return true;
    case u'*':
        Operator(opMultiply);
        return true;
    case u'/':
        Operator(opDivide);
        return true;
    case u'%':
        Percent();
        return true;
    case u'=':
        CalcResult();
        return true;
    default:
        return false;
    }
}

void TDazCalculatorDropdown::KeyPress(QChar &Key)
{
    const char16_t c = Key.unicode();
    if (!KeypadShowing()) {
        switch (c) {
        case kReturnChar:
            CalcResult();
            break;
        case u'C':
        case u'c':
            SetText(QStringLiteral("0"));
            FNewval = true;
            FPrevop = opNone;
            break;
        default:
            ArithmeticKey(Key);
            break;
        }
    }
    const QChar decimal = DecimalSeparatorChar();
    if (!(Key.isDigit() || Key == decimal || c == kBackspaceChar || Key == u'-'))
        Key = QChar();
    auto caretAfterFirst = [this] { setCursorPosition(int(Prefix().size()) + 1); };
    if ((GetText() == u"0" || FNewval) && Key.isDigit()) {
        SetText(QString(Key));
        Key = QChar();
        caretAfterFirst();
        FNewval = false;
        return;
    }
    if (GetText().size() == 1 && Key.unicode() == kBackspaceChar) {
        SetText(QStringLiteral("0"));
        Key = QChar();
        caretAfterFirst();
        return;
    }
    if (Key == ThousandSeparatorChar() || (Key == decimal && GetText().contains(decimal)))
        Key = QChar();
    if (!Key.isNull())
        TypeChar(Key);
}

void TDazCalculatorDropdown::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    // Enter and Esc are left to FormKeyPress: the edit's own handling would close the
    // drop-down before the equals.
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter && Key != Qt::Key_Escape)
        WMKeyDown(Key, Shift);
    if (Key == Qt::Key_Tab || Key == Qt::Key_F4) {
        DoHideDropDown(false);
    } else if (Key == Qt::Key_Backspace) {
        QString t = GetText();
        t.chop(1);
        SetText(t.isEmpty() || GetText() == kError ? QStringLiteral("0") : t);
    }
}

void TDazCalculatorDropdown::FormKeyPress(QChar &Key)
{
    QChar relayed = Key;
    KeyPress(relayed);
    BeforeCalc();
    const QChar decimal = DecimalSeparatorChar();
    if (Key == decimal && !GetText().contains(decimal))
        SetText(GetText() + decimal);
    const int limit = LengthLimitOfText();
    if (Key.isDigit() && limit > 0 && GetText().size() >= limit)
        return;
    if (ArithmeticKey(Key))
        return;
    switch (Key.unicode()) {
    case kReturnChar:
        CalcResult();
        DoHideDropDown(false);
        break;
    case kEscapeChar:
        DoHideDropDown(true);
        break;
    case u'&':
        if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier)
            DoHideDropDown(true);
        break;
    case u'C':
    case u'c':
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = opNone;
        break;
    default:
        if (Key >= u'0' && Key <= u'9' && (GetText() == u"0" || FNewval))
            FNewval = false;
        break;
    }
}

void TDazCalculatorDropdown::ControlKey(QKeyEvent *Event)
{
    if (Event->type() != QEvent::KeyPress) {
        TDazCustomDropDown::ControlKey(Event);
        return;
    }
    int key = Event->key();
    FormKeyDown(key, Event->modifiers());
    // Backspace is FormKeyDown's alone: the relayed character would delete a second one.
    QChar ch = CharOf(*Event);
    if (Event->key() != Qt::Key_Backspace && !ch.isNull() &&
        !(Event->modifiers() & Qt::ControlModifier))
        FormKeyPress(ch);
}

void TDazCalculatorDropdown::keyPressEvent(QKeyEvent *Event)
{
    const QChar ch = CharOf(*Event);
    if (!EditorEnabled() || ch.isNull() || (Event->modifiers() & Qt::ControlModifier)) {
        TDazCustomDropDown::keyPressEvent(Event);
        if (Event->key() == Qt::Key_Delete && (GetText().isEmpty() || GetText() == kError))
            SetText(QStringLiteral("0"));
        return;
    }
    Event->accept();
    if (WMKeyDown(Event->key(), Event->modifiers()))
        return;
    QChar key = ch;
    KeyPress(key);
}

void TDazCalculatorDropdown::focusInEvent(QFocusEvent *Event)
{
    if (QApplication::mouseButtons() == Qt::NoButton)
        SelectAll();
    TDazCustomDropDown::focusInEvent(Event);
}

// ---------------------------------------------------------------------------------------
// The grid's calculator editor
// ---------------------------------------------------------------------------------------

namespace {

class TGridCalculatorEditor : public TDropDownEditorAdapter<TDazCalculatorDropdown>
{
public:
    using TDropDownEditorAdapter::TDropDownEditorAdapter;
    void BeforeEnterCommit() override { FEdit->CalcResult(); }
};

}   // namespace

void InstallCalculatorEditor()
{
    SetDropDownEditorMaker(edCalculatorDropDown,
                           [](QWidget *Parent) { return new TGridCalculatorEditor(Parent); });
}
