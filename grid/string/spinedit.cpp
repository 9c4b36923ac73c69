#include "grid/string/spinedit.h"

#include "grid/base/styledetect.h"
#include "grid/string/editorpaint.h"
#include "platform/rtl.h"
#include "platform/theme.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr unsigned DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3;

// A 9 x 6 arrow seven pixels wide at its base and four rows high, black on the olive that
// its bottom-left pixel gives as the transparent colour.
QImage ArrowGlyph(bool Up)
{
    QImage img(9, 6, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 0));
    for (int row = 0; row < 4; ++row) {
        const int half = Up ? row : 3 - row;
        for (int x = 4 - half; x <= 4 + half; ++x)
            img.setPixelColor(x, 1 + row, Qt::black);
    }
    return img;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// TDazTimerSpeedButton

TDazTimerSpeedButton::TDazTimerSpeedButton(QWidget *AOwner) : TSpeedButton(AOwner)
{
    // A held button has clicked already when it is pressed.
    FClickOnRelease = false;
}

void TDazTimerSpeedButton::SetTimeBtnState(TTimeBtnState Value)
{
    if (Value == FTimeBtnState)
        return;
    FTimeBtnState = Value;
    update();
}

void TDazTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
    FButtonDirection = Value;
    update();
}

void TDazTimerSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

TRudSpinButton *TDazTimerSpeedButton::Pair() const
{
    return dynamic_cast<TRudSpinButton *>(parentWidget());
}

void TDazTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !isEnabled())
        return;
    Click();
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            QObject::connect(FRepeatTimer, &QTimer::timeout, FRepeatTimer, [this] { TimerExpired(); });
        }
        FRepeatTimer->setInterval(InitRepeatPause);
        FRepeatTimer->start();
    }
    if (parentWidget())
        parentWidget()->update();
}

void TDazTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer)
        FRepeatTimer->stop();
    if (parentWidget())
        parentWidget()->update();
}

void TDazTimerSpeedButton::TimerExpired()
{
    if (FRepeatTimer)
        FRepeatTimer->setInterval(RepeatPause);
    if (State() != bsDown || !MouseCapture())
        return;
    try {
        Click();
    } catch (...) {
        if (FRepeatTimer)
            FRepeatTimer->stop();
        throw;
    }
}

void TDazTimerSpeedButton::MouseEnter()
{
    FHasMouse = true;
    TSpeedButton::MouseEnter();
}

void TDazTimerSpeedButton::MouseLeave()
{
    FHasMouse = false;
    TSpeedButton::MouseLeave();
}

void TDazTimerSpeedButton::Paint(TCanvas &Canvas)
{
    const TRect r(0, 0, width(), height());
    const bool down = State() == bsDown;
    const TRudSpinButton *pair = Pair();
    if (pair && pair->ButtonColor != clNone) {
        const TColor c = pair->FaceColor(down, FHasMouse);
        Canvas.Brush.Color = c;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = c;
        Canvas.Rectangle(r);
        const int L = r.Left, T = r.Top;
        std::vector<TPoint> tri;
        switch (FButtonDirection) {
        case bdLeft: tri = {{L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}}; break;
        case bdRight: tri = {{L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}}; break;
        case bdUp: tri = {{L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}}; break;
        case bdDown: tri = {{L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}}; break;
        }
        Canvas.Brush.Color = clBlack;
        Canvas.Pen.Color = clBlack;
        Canvas.Polygon(tri);
        return;
    }
    if (FIsWinXP) {
        if (const TThemeHandle theme = OpenThemeData(this, QStringLiteral("spin"))) {
            static const int parts[] = {4, 3, 1, 2};   // bdLeft, bdRight, bdUp, bdDown
            const int state = down ? 3 : FHasMouse ? 2 : 1;
            DrawThemeBackground(theme, Canvas, parts[FButtonDirection], state, r);
            CloseThemeData(theme);
            return;
        }
    }
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        unsigned state = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (down)
            state |= DFCS_PUSHED;
        if (Flat())
            state |= DFCS_FLAT;
        ThemePlatform().DrawFrameControl(Canvas, r, DFC_SCROLL, state);
    } else {
        TSpeedButton::Paint(Canvas);
    }
    if (FTimeBtnState.Contains(tbFocusRect)) {
        TRect f = r;
        InflateRect(f, -3, -3);
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = clBlack;
        Canvas.Pen.Style = psDot;
        Canvas.Rectangle(f);
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Style = bsSolid;
    }
}

// ---------------------------------------------------------------------------------------
// TRudSpinButton

TRudSpinButton::TRudSpinButton(QWidget *AOwner) : QWidget(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FUpButton = CreateButton();
    FDownButton = CreateButton();
    SetUpGlyph(QImage());
    SetDownGlyph(QImage());
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    FFocusedButton = FUpButton;
    resize(15, 25);
}

TDazTimerSpeedButton *TRudSpinButton::CreateButton()
{
    auto *b = new TDazTimerSpeedButton(this);
    b->OnClick = [this](TObject *Sender) { BtnClick(Sender); };
    b->OnMouseDown = [this](TObject *Sender, TMouseButton Button, TShiftState, int, int) {
        BtnMouseDown(Sender, Button);
    };
    b->SetTimeBtnState({tbAllowTimer});
    b->show();
    return b;
}

QImage TRudSpinButton::UpArrowGlyph()
{
    return ArrowGlyph(true);
}

QImage TRudSpinButton::DownArrowGlyph()
{
    return ArrowGlyph(false);
}

void TRudSpinButton::SetUpGlyph(const QImage &Value)
{
    FUpButton->SetGlyph(Value.isNull() ? UpArrowGlyph() : Value);
    if (Value.isNull())
        FUpButton->SetNumGlyphs(1);
}

void TRudSpinButton::SetDownGlyph(const QImage &Value)
{
    FDownButton->SetGlyph(Value.isNull() ? DownArrowGlyph() : Value);
    if (Value.isNull())
        FDownButton->SetNumGlyphs(1);
}

void TRudSpinButton::SetDirection(TSpinDirection Value)
{
    if (Value == FDirection)
        return;
    FDirection = Value;
    const bool horizontal = Value == spHorizontal;
    FUpButton->SetButtonDirection(horizontal ? bdRight : bdUp);
    FDownButton->SetButtonDirection(horizontal ? bdLeft : bdDown);
    resize(horizontal ? 20 : 15, height());
    int w = width(), h = height();
    AdjustButtonSizes(w, h);
}

void TRudSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TRudSpinButton::AdjustButtonSizes(int &W, int &H)
{
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        const int half = H / 2;
        FUpButton->setGeometry(0, 0, W, half);
        FDownButton->setGeometry(0, half - 1, W, H - half + 1);
    } else {
        W = std::max(W, 20);
        const int half = W / 2;
        FDownButton->setGeometry(0, 0, half, H);
        FUpButton->setGeometry(half + 1, 0, half, H);
    }
}

void TRudSpinButton::resizeEvent(QResizeEvent *)
{
    int w = width(), h = height();
    AdjustButtonSizes(w, h);
    if (w != width() || h != height())
        resize(w, h);
}

void TRudSpinButton::BtnClick(TObject *Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TRudSpinButton::BtnMouseDown(TObject *Sender, TMouseButton Button)
{
    if (Button != mbLeft)
        return;
    FocusBtn(static_cast<TDazTimerSpeedButton *>(static_cast<TSpeedButton *>(Sender)));
    QWidget *fc = FFocusControl;
    if (fc && fc->focusPolicy() != Qt::NoFocus && fc->isEnabled() && !fc->hasFocus())
        fc->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TRudSpinButton::FocusBtn(TDazTimerSpeedButton *Btn)
{
    if (!TabStop() || !isEnabled() || Btn == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - tbFocusRect);
    FFocusedButton = Btn;
    if (hasFocus())
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + tbFocusRect);
}

void TRudSpinButton::KeyDown(uint16_t &Key, TShiftState)
{
    switch (Key) {
    case VK_SPACE:
        FFocusedButton->Click();
        break;
    case VK_UP:
        FocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        FocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default:
        break;
    }
}

void TRudSpinButton::keyPressEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    uint16_t key = k.Key;
    KeyDown(key, k.Shift);
}

void TRudSpinButton::focusInEvent(QFocusEvent *)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + tbFocusRect);
}

void TRudSpinButton::focusOutEvent(QFocusEvent *)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - tbFocusRect);
}

// ---------------------------------------------------------------------------------------
// TRudSpinEdit

TRudSpinEdit::TRudSpinEdit(QWidget *AOwner) : TRudCustomEdit(AOwner)
{
    FButton = new TRudSpinButton(this);
    FButton->resize(15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject *Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](TObject *Sender) { DownClick(Sender); };
    SetText(QStringLiteral("0"));
    resize(121, 21);
}

int TRudSpinEdit::CheckValue(int NewValue) const
{
    if (MinValue == MaxValue)
        return NewValue;
    if (NewValue < MinValue)
        return MinValue;
    return NewValue > MaxValue ? MaxValue : NewValue;
}

double TRudSpinEdit::CheckFloatValue(double NewValue) const
{
    if (MinFloatValue == MaxFloatValue)
        return NewValue;
    if (NewValue <= MinFloatValue)
        return MinFloatValue;
    return NewValue > MaxFloatValue ? MaxFloatValue : NewValue;
}

TDateTime TRudSpinEdit::CheckDateValue(TDateTime NewValue) const
{
    if (MinDateValue == MaxDateValue)
        return NewValue;
    if (NewValue <= MinDateValue)
        return MinDateValue;
    return NewValue > MaxDateValue ? MaxDateValue : NewValue;
}

int TRudSpinEdit::Value() const
{
    const QString s = Trim(Text());
    if (s.isEmpty())
        return 0;
    int v = 0;
    return TryStrToInt(s, v) ? v : MinValue;
}

void TRudSpinEdit::SetValue(int NewValue)
{
    SetText(IntToStr(CheckValue(NewValue)));
    if (!EditorEnabled())
        selectAll();
}

double TRudSpinEdit::FloatValue() const
{
    double v = 0;
    return TryStrToFloat(Text(), v) ? v : MinFloatValue;
}

void TRudSpinEdit::SetFloatValue(double NewValue)
{
    const double v = CheckFloatValue(NewValue);
    if (FPrecision > 0) {
        SetText(Format(QStringLiteral("%.%1f").arg(FPrecision), {v}));
    } else {
        SetText(FloatToStr(v));
    }
}

TDateTime TRudSpinEdit::DateValue() const
{
    const QString s = Text();
    if (s.isEmpty() || s == u"0")
        return Now();
    TDateTime v = 0;
    return TryStrToDate(s, v) ? v : MinDateValue;
}

void TRudSpinEdit::ShowText(const QString &Value)
{
    const int caret = cursorPosition();
    SetText(Value);
    setCursorPosition(std::min(caret, int(Value.size())));
}

void TRudSpinEdit::SetDateValue(TDateTime NewValue)
{
    FDateValue = NewValue;
    if (FLoading)
        return;
    ShowText(DateToStr(CheckDateValue(NewValue)));
}

TDateTime TRudSpinEdit::TimeValue() const
{
    TDateTime v = 0;
    return TryStrToTime(Text(), v) ? v : 0;
}

void TRudSpinEdit::SetTimeValue(TDateTime NewValue)
{
    FTimeValue = NewValue;
    if (FLoading)
        return;
    const TDateTime v = CheckDateValue(NewValue);
    ShowText(FShowSeconds ? TimeToStr(v) : TimeToStrNoSeconds(v));
}

void TRudSpinEdit::SetSpinType(TRudSpinType Value)
{
    FSpinType = Value;
    switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TRudSpinEdit::SetPrecision(int Value)
{
    FPrecision = Value;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TRudSpinEdit::SetDirection(TSpinDirection Value)
{
    FDirection = Value;
    FButton->SetDirection(Value);
    AdjustLayout();
}

void TRudSpinEdit::SetEditAlign(TEditAlign Value)
{
    FEditAlign = Value;
    setAlignment(Value == eaRight ? Qt::AlignRight : Value == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft);
}

void TRudSpinEdit::SetSpinFlat(bool Value)
{
    FButton->UpButton()->SetFlat(Value);
    FButton->DownButton()->SetFlat(Value);
    FSpinFlat = Value;
}

void TRudSpinEdit::SetSpinTransparent(bool Value)
{
    FButton->UpButton()->SetTransparent(Value);
    FButton->DownButton()->SetTransparent(Value);
    FSpinTransparent = Value;
    AdjustLayout();
}

void TRudSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

void TRudSpinEdit::Loaded()
{
    FLoading = false;
    if (FSpinType == sptDate)
        ShowText(DateToStr(FDateValue));
    else if (FSpinType == sptTime)
        ShowText(FShowSeconds ? TimeToStr(FTimeValue) : TimeToStrNoSeconds(FTimeValue));
    SetSpinType(FSpinType);
}

int TRudSpinEdit::GetMinHeight() const
{
    return TRudCustomEdit::GetMinHeight() + 2 + (BorderStyle() == bsSingle ? 4 : 0);
}

void TRudSpinEdit::AdjustLayout()
{
    const int k = BorderStyle() == bsNone ? 3 : 0;
    const int bw = FButton->width();
    setTextMargins(k, 0, bw + k + 2, 0);
    FButton->setGeometry(RightButtonRect(bw));
}

// ---- stepping ---------------------------------------------------------------------------

namespace {

// A step past the integer range stops at its end instead of wrapping round.
int Saturated(int64_t Value)
{
    return int(std::clamp<int64_t>(Value, INT_MIN, INT_MAX));
}

}   // namespace

void TRudSpinEdit::IncreaseValue(bool Page)
{
    if (ReadOnly()) {
        EditorBeep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Saturated(int64_t(Value()) + Increment)); break;
    case sptFloat: SetFloatValue(FloatValue() + (Page ? IncrementFloatPage : IncrementFloat)); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
    }
}

void TRudSpinEdit::DecreaseValue(bool Page)
{
    if (ReadOnly()) {
        EditorBeep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Saturated(int64_t(Value()) - Increment)); break;
    case sptFloat: SetFloatValue(FloatValue() - (Page ? IncrementFloatPage : IncrementFloat)); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
    }
}

void TRudSpinEdit::StepDate(int Delta)
{
    const QString format = GetShortDateFormat().toUpper();
    FUsDates = format.indexOf(u'M') < format.indexOf(u'D');
    // The field under the caret, in the order the short date format gives the fields.
    const QString s = Text();
    const QChar sep = GetDateSeparator();
    const qsizetype p1 = s.indexOf(sep);
    const qsizetype p2 = p1 >= 0 ? s.indexOf(sep, p1 + 1) : -1;
    const int caret = SelStart();
    const int field = p1 >= 0 && caret <= p1 ? 0 : p2 >= 0 && caret <= p2 ? 1 : 2;
    QString order;
    for (const QChar c : format)
        if ((c == u'D' || c == u'M' || c == u'Y') && !order.contains(c))
            order += c;
    if (order.size() != 3)
        order = FUsDates ? QStringLiteral("MDY") : QStringLiteral("DMY");
    const TDateTime d = DateValue();
    // A step past the calendar's first or last day beeps and leaves the date.
    static const TDateTime first = EncodeDate(1, 1, 1), last = EncodeDate(9999, 12, 31);
    TDateTime next = d;
    try {
        switch (order[field].unicode()) {
        case u'D': next = d + Delta; break;
        case u'M': next = IncMonth(d, Delta); break;
        default: next = IncYear(d, Delta); break;
        }
    } catch (const EConvertError &) {
        next = last + 1;
    }
    if (next < first || next >= last + 1) {
        EditorBeep();
        return;
    }
    SetDateValue(next);
}

void TRudSpinEdit::StepTime(int Sign)
{
    const QString s = Text();
    const QChar sep = GetTimeSeparator();
    const qsizetype p1 = s.indexOf(sep);
    const qsizetype p2 = p1 >= 0 ? s.indexOf(sep, p1 + 1) : -1;
    const int caret = SelStart();
    // The step is a time of day: 24 hours or 60 minutes or seconds and more are refused
    // (EConvertError) rather than wrapped.
    double step;
    if (p1 >= 0 && caret <= p1)
        step = EncodeTime(IncrementHours, 0, 0, 0);
    else if (FShowSeconds && p2 >= 0 && caret > p2)
        step = EncodeTime(0, 0, IncrementSeconds, 0);
    else
        step = EncodeTime(0, IncrementMinutes, 0, 0);
    if (Sign > 0) {
        SetTimeValue(TimeValue() + step);
    } else {
        double t = TimeValue() + 1 - step;
        if (t > 1)
            t -= 1;
        SetTimeValue(t);
    }
}

void TRudSpinEdit::UpClick(TObject *)
{
    IncreaseValue(false);
}

void TRudSpinEdit::DownClick(TObject *)
{
    DecreaseValue(false);
}

// ---- keys -------------------------------------------------------------------------------

bool TRudSpinEdit::IsValidChar(QChar Key) const
{
    const ushort k = Key.unicode();
    if (k == 8)
        return EditorEnabled();
    const QChar dec = GetDecimalSeparator(), thousand = GetThousandSeparator();
    const QChar timeSep = GetTimeSeparator(), dateSep = GetDateSeparator();
    bool result = Key == dec || Key == thousand || Key == timeSep || Key == dateSep ||
                  Key.isDigit() || Key == u'-' || (k < 32 && k != 13);
    const bool numeric = FSpinType == sptNormal || FSpinType == sptFloat;
    const bool numberChar = Key == dec || Key == thousand || Key == u'-' || Key == u'+';
    if (Key == timeSep && FSpinType != sptTime)
        result = numberChar && numeric;
    if (Key == dateSep && FSpinType != sptDate)
        result = numberChar && numeric;
    const QString s = Text();
    const QString sel = selectedText();
    if (Key == u'-')
        result = (!s.contains(u'-') || sel.contains(u'-')) && SelStart() == 0;
    if (FSpinType == sptNormal)
        result = result && (Key.isDigit() || Key == u'-');
    if (FSpinType == sptFloat && k != 27 && k != 13 && k != 8) {
        if (Key == thousand)
            result = false;
        if (Key == dec && s.count(dec) > sel.count(dec))
            result = false;
        const qsizetype p = s.indexOf(dec) + 1;   // 1-based, 0 when absent
        if (FPrecision > 0 && p > 0 && SelStart() >= p && SelLength() == 0 &&
            s.size() >= p + FPrecision)
            result = false;
    }
    if (FSpinType == sptTime && Key == timeSep && s.count(timeSep) >= 2)
        result = false;
    if (!EditorEnabled() && k >= 32)
        result = false;
    return result;
}

void TRudSpinEdit::WMKeyDown(TKeyMessage &Message)
{
    switch (Message.CharCode) {
    case VK_PRIOR: IncreaseValue(true); break;
    case VK_NEXT: DecreaseValue(true); break;
    case VK_UP: IncreaseValue(false); break;
    case VK_DOWN: DecreaseValue(false); break;
    default: TRudCustomEdit::WMKeyDown(Message); return;
    }
    Message.Result = 0;
}

void TRudSpinEdit::WMChar(TKeyMessage &Message)
{
    if (ExcelStyleDecimalSeparator && Message.CharCode == u'.' && Message.KeypadDecimal)
        Message.CharCode = GetDecimalSeparator().unicode();
    TRudCustomEdit::WMChar(Message);
}

void TRudSpinEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
    if (Key == VK_RETURN && ReturnIsTab) {
        Key = VK_TAB;
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    }
    if (Key == VK_DELETE && !EditorEnabled())
        Key = 0;
    TRudCustomEdit::KeyDown(Key, Shift);
}

void TRudSpinEdit::KeyPress(QChar &Key)
{
    if (!IsValidChar(Key)) {
        Key = QChar();
        EditorBeep();
    }
    if (!Key.isNull())
        TRudCustomEdit::KeyPress(Key);
}

void TRudSpinEdit::DoEnter()
{
    if (AutoSelect() && (!IsLeftMouseButtonDown() || !EditorEnabled()))
        selectAll();
    TRudCustomEdit::DoEnter();
}

void TRudSpinEdit::DoExit()
{
    switch (FSpinType) {
    case sptNormal: {
        const int v = Value();
        if (CheckValue(v) != v)
            SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        if (CheckFloatValue(v) != v)
            SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime v = DateValue();
        if (CheckDateValue(v) != v)
            SetDateValue(v);
        break;
    }
    case sptTime: {
        const TDateTime v = TimeValue();
        if (CheckDateValue(v) != v)
            SetTimeValue(v);
        break;
    }
    }
    TRudCustomEdit::DoExit();
}
