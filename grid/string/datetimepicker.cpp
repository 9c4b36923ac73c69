#include "grid/string/datetimepicker.h"

#include "grid/base/styledetect.h"
#include "grid/string/editorpaint.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>

// ---------------------------------------------------------------------------------------
// TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(QWidget *AOwner) : TRudDateTimePicker(AOwner)
{
    SetCtl3D(false);
    FBorderColor = clBlack;
    FBorderStyle = bsNone;
}

QEvent::Type TCustomDateTimePicker::ShiftFocusEventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void TCustomDateTimePicker::SetAutoTab(bool Value)
{
    FAutoTab = Value;
}

bool TCustomDateTimePicker::IsMetro() const
{
    return MetroStyle() && !IsEmbeddedPart();
}

bool TCustomDateTimePicker::FlatFrameWanted() const
{
    return !Ctl3D();
}

void TCustomDateTimePicker::DrawBorder(TCanvas &Canvas)
{
    if (!IsEmbeddedPart())
        TRudDateTimePicker::DrawBorder(Canvas);
}

void TCustomDateTimePicker::PaintOverlay(TCanvas &Canvas)
{
    TRudDateTimePicker::PaintOverlay(Canvas);
    if (Ctl3D() || !IsWindowsVistaOrLater())
        return;
    Canvas.Pen.Color = FlatFramePen();
    DrawOutline(Canvas, width(), height());
    if (!ThemesActive()) {
        Canvas.MoveTo(1, height());
        Canvas.LineTo(1, 1);
        Canvas.LineTo(width() - 2, 1);
        Canvas.LineTo(width() - 2, height() - 2);
        Canvas.LineTo(0, height() - 2);
    }
}

void TCustomDateTimePicker::KeyPress(QChar &Key)
{
    if (FAutoTab && Key >= u'0' && Key <= u'9') {
        FFieldBeforeKey = currentSectionIndex();
        if (FrameworkKind() == dtkTime)
            DecodeTime(PickerDateTime(), Fh, Fm, Fs, Fms);
        TRudDateTimePicker::KeyPress(Key);
        QCoreApplication::postEvent(this, new QEvent(ShiftFocusEventType()));
        return;
    }
    TRudDateTimePicker::KeyPress(Key);
}

void TCustomDateTimePicker::DoShiftFocus()
{
    if (FrameworkKind() != dtkTime)
        return;
    int h, m, s, ms;
    DecodeTime(PickerDateTime(), h, m, s, ms);
    if (h != Fh || m != Fm || s != Fs)
        NextFieldAfterDigit();
}

void TCustomDateTimePicker::NextFieldAfterDigit()
{
    // The picker itself moves on from a field that cannot take another digit.
    if (currentSectionIndex() == FFieldBeforeKey)
        MoveToNextField();
}

bool TCustomDateTimePicker::event(QEvent *e)
{
    if (e->type() == ShiftFocusEventType()) {
        DoShiftFocus();
        return true;
    }
    return TRudDateTimePicker::event(e);
}

// ---------------------------------------------------------------------------------------
// TDazDateTimePicker

TDazDateTimePicker::TDazDateTimePicker(QWidget *AOwner)
    : TCustomDateTimePicker(AOwner), TLabelProperties(FLabel), FLabel(this)
{
    FLabel.Owner = this;
    FLabel.OnClick = [this](TObject *) {
        if (OnLabelClick)
            OnLabelClick(this);
    };
    FLabel.OnDblClick = [this](TObject *) {
        if (OnLabelDblClick)
            OnLabelDblClick(this);
    };
    FBorderStyle = bsSingle;
    SetCtl3D(true);
    SetMetroStyle(false);
    ApplyKind();
}

TDazDateTimePicker::~TDazDateTimePicker()
{
    delete FTimePicker;
}

uint32_t TDazDateTimePicker::GetVersionNr() const
{
    return 0x01020000;
}

void TDazDateTimePicker::ApplyKind()
{
    SetFrameworkKind(FKind == dkTime ? dtkTime : dtkDate);
    if (FKind == dkDateTime)
        CreateTimePicker();
    UpdateTimePicker();
}

void TDazDateTimePicker::SetKind(TDazDateTimeKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    ApplyKind();
}

void TDazDateTimePicker::CreateTimePicker()
{
    if (FTimePicker)
        return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->resize(90, 17);
    FTimePicker->hide();
    FTimePicker->setEnabled(isEnabled());
    FTimePicker->SetFrameworkKind(dtkTime);
    FTimePicker->SetAutoTab(AutoTab());
    FTimePicker->SetPickerDateTime(PickerDateTime());
    FTimePicker->OnChange = [this](TObject *) {
        Change();
        if (OnTimeChange)
            OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject *) {
        if (OnClick)
            OnClick(this);
    };
    FTimePicker->OnKeyDown = [this](TObject *, uint16_t &Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

void TDazDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker)
        return;
    if (FKind != dkDateTime) {
        delete FTimePicker;
        FTimePicker = nullptr;
        return;
    }
    FTimePicker->SetColor(Color());
    FTimePicker->setEnabled(isEnabled() && (Checked() || !ShowCheckbox()));
    const TDateTime v = DateTime();
    SetPickerDateTime(v);
    FTimePicker->SetPickerDateTime(v);
    FTimePicker->SetPickerFormat(FTimeFormat);
    FTimePicker->setFont(font());
    const int a = QFontMetrics(font()).horizontalAdvance(FTimePicker->Text()) + 31;
    const int b = 0;   // no bevels here
    QRect r;
    if (IsWindowsVistaOrLater()) {
        const bool comCtl6 = HasThemedCommonControls();
        if (!comCtl6)
            r = QRect(width() - a - b - 23, -2, a, height() - b);
        else if (!IsThemeActive())
            r = QRect(width() - a - b - 21, 2, a, height() - b - 4);
        else if (IsMetro())
            r = QRect(width() - a - b - 21, 1, a, height() - b - 2);
        else
            r = QRect(width() - a - b - 34, 1, a, height() - b - 2);
    } else {
        // Inside the frame, left of the calendar button.
        const int f = Ctl3D() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 1;
        int right = width() - f;
        if (calendarPopup()) {
            QStyleOptionComboBox opt;
            opt.initFrom(this);
            opt.rect = rect();
            opt.editable = true;
            opt.frame = Ctl3D();
            right = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, this).left();
        }
        r = QRect(right - a, f, a, height() - 2 * f);
    }
    FTimePicker->setGeometry(r);
    FTimePicker->setVisible(true);
}

TDateTime TDazDateTimePicker::DateTime() const
{
    if (FTimePicker)
        return PickerDate() + FTimePicker->PickerTime();
    return PickerDateTime();
}

void TDazDateTimePicker::SetDateTime(TDateTime Value)
{
    const TDateTime v = DropMilliseconds(Value);
    SetPickerDateTime(v);
    if (FKind == dkDateTime)
        CreateTimePicker();
    if (FTimePicker)
        FTimePicker->SetPickerDateTime(v);
}

void TDazDateTimePicker::SetDate(TDateTime Value)
{
    int h, m, s, ms;
    DecodeTime(DateTime(), h, m, s, ms);
    SetDateTime(DateOf(Value) + EncodeTime(h, m, s, 0));
}

TDateTime TDazDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker)
        return FTimePicker->PickerTime();
    return PickerTime();
}

void TDazDateTimePicker::SetTime(TDateTime Value)
{
    SetPickerTime(Value);
    UpdateTimePicker();
}

void TDazDateTimePicker::SetTimeFormat(const QString &Value)
{
    if (FTimePicker)
        FTimePicker->SetPickerFormat(Value);
    if (FKind == dkTime)
        SetPickerFormat(Value);
    FTimeFormat = Value;
    UpdateTimePicker();
}

void TDazDateTimePicker::SetAutoTab(bool Value)
{
    TCustomDateTimePicker::SetAutoTab(Value);
    if (FTimePicker)
        FTimePicker->SetAutoTab(Value);
}

void TDazDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    TCustomDateTimePicker::SetBorderStyle(Value);
    UpdateTimePicker();
}

// ---- label ------------------------------------------------------------------------------

void TDazDateTimePicker::setVisible(bool Visible)
{
    TCustomDateTimePicker::setVisible(Visible);
    FLabel.Update();
}

// ---- events -----------------------------------------------------------------------------

void TDazDateTimePicker::KeyPress(QChar &Key)
{
    if (AutoTab() && Key >= u'0' && Key <= u'9')
        DecodeDate(PickerDateTime(), Fy, Fm, Fd);
    TCustomDateTimePicker::KeyPress(Key);
}

void TDazDateTimePicker::DoShiftFocus()
{
    if (FrameworkKind() == dtkTime) {
        TCustomDateTimePicker::DoShiftFocus();
        return;
    }
    int y, m, d;
    DecodeDate(PickerDateTime(), y, m, d);
    const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
    auto focusTimePart = [this] {
        if (FTimePicker)
            FTimePicker->setFocus(Qt::TabFocusReason);
    };
    const QString format = Format();
    if (!format.isEmpty()) {
        const QChar c = format.back();
        if (((c == u'd' || c == u'D') && dayChanged) || ((c == u'M' || c == u'm') && monthChanged) ||
            ((c == u'Y' || c == u'y') && yearChanged))
            focusTimePart();
        else if (dayChanged || monthChanged || yearChanged)
            NextFieldAfterDigit();
    } else if (dayChanged || monthChanged) {
        NextFieldAfterDigit();
    } else if (yearChanged) {
        focusTimePart();
    }
}

void TDazDateTimePicker::CheckChanged()
{
    if (FTimePicker)
        FTimePicker->setEnabled(isEnabled() && Checked());
}

void TDazDateTimePicker::DoEnter()
{
    TCustomDateTimePicker::DoEnter();
    if (FLabel.FocusLabel)
        FLabel.SetBold(true);
}

void TDazDateTimePicker::DoExit()
{
    TCustomDateTimePicker::DoExit();
    FLabel.SetBold(false);
}

void TDazDateTimePicker::AdjustLayout()
{
    TCustomDateTimePicker::AdjustLayout();
    UpdateTimePicker();
    FLabel.Update();
}

void TDazDateTimePicker::paintEvent(QPaintEvent *e)
{
    if (FFirstRun) {
        FFirstRun = false;
        UpdateTimePicker();
    }
    TCustomDateTimePicker::paintEvent(e);
}

void TDazDateTimePicker::moveEvent(QMoveEvent *e)
{
    TCustomDateTimePicker::moveEvent(e);
    FLabel.Update();
}

void TDazDateTimePicker::changeEvent(QEvent *e)
{
    TCustomDateTimePicker::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FTimePicker)
            FTimePicker->setEnabled(isEnabled() && (Checked() || !ShowCheckbox()));
        FLabel.SetEnabled(isEnabled());
        break;
    case QEvent::ParentChange:
        FLabel.Reparent();
        break;
    case QEvent::FontChange:
        FLabel.Update();
        UpdateTimePicker();
        break;
    case QEvent::PaletteChange:
        UpdateTimePicker();
        break;
    default:
        break;
    }
}
