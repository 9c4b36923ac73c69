#include "grid/string/datetimepickerbase.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QResizeEvent>

namespace {

// The platform picker's range; four-digit years also keep a year from changing before its
// last digit is typed.
const QDateTime kEarliest(QDate(1601, 1, 1), QTime(0, 0));
const QDateTime kLatest(QDate(9999, 12, 31), QTime(23, 59, 59, 999));

}   // namespace

TDateTimePicker::TDateTimePicker(QWidget *AOwner) : TEditorKeys<QDateTimeEdit>(AOwner)
{
    FValue = Now();
    setDateTimeRange(kEarliest, kLatest);
    setTimeSpec(Qt::LocalTime);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime &v) { ValueEdited(v); });
    SetDateMode(dmComboBox);
    ApplyDisplayFormat();
    ShowValue();
}

// ---- value ------------------------------------------------------------------------------

void TDateTimePicker::ShowValue()
{
    FSyncing = true;
    setDateTime(ToQDateTime(FValue));
    FSyncing = false;
}

void TDateTimePicker::ValueEdited(const QDateTime &Value)
{
    if (FSyncing)
        return;
    const TDateTime shown = FromQDateTime(Value);
    FValue = FKind == dtkTime ? DateOf(FValue) + TimeOf(shown) : DateOf(shown) + TimeOf(FValue);
    Change();
}

void TDateTimePicker::SetPickerDateTime(TDateTime Value)
{
    FValue = Value;
    ShowValue();
}

void TDateTimePicker::SetPickerDate(TDateTime Value)
{
    SetPickerDateTime(DateOf(Value) + TimeOf(FValue));
}

void TDateTimePicker::SetPickerTime(TDateTime Value)
{
    SetPickerDateTime(DateOf(FValue) + TimeOf(Value));
}

void TDateTimePicker::ApplyDisplayFormat()
{
    QString format = FFormat;
    if (format.isEmpty()) {
        const QString sep = GetTimeSeparator();
        format = FKind == dtkTime ? QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss")
                                  : GetShortDateFormat();
    }
    FSyncing = true;
    setDisplayFormat(format);
    FSyncing = false;
    ShowValue();
}

void TDateTimePicker::SetFrameworkKind(TDateTimeKind Value)
{
    FKind = Value;
    SetDateMode(FDateMode);
    ApplyDisplayFormat();
}

void TDateTimePicker::SetPickerFormat(const QString &Value)
{
    FFormat = Value;
    ApplyDisplayFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
    FDateMode = Value;
    const bool popup = Value == dmComboBox && FKind == dtkDate;
    setCalendarPopup(popup);
    if (popup && calendarWidget()) {
        QWidget *w = calendarWidget()->window();
        if (w != FCalendarWindow) {
            w->installEventFilter(this);
            FCalendarWindow = w;
        }
    }
}

void TDateTimePicker::SetMinDate(TDateTime Value)
{
    FMinDate = Value;
    setMinimumDateTime(Value != 0 ? ToQDateTime(Value) : kEarliest);
}

void TDateTimePicker::SetMaxDate(TDateTime Value)
{
    FMaxDate = Value;
    setMaximumDateTime(Value != 0 ? ToQDateTime(Value) : kLatest);
}

// ---- check box --------------------------------------------------------------------------

void TDateTimePicker::SetShowCheckbox(bool Value)
{
    FShowCheckbox = Value;
    if (Value && !FCheckBox) {
        FCheckBox = new QCheckBox(this);
        FCheckBox->setFocusPolicy(Qt::NoFocus);
        FCheckBox->setChecked(FChecked);
        connect(FCheckBox, &QCheckBox::clicked, this, [this](bool on) {
            FChecked = on;
            ApplyChecked();
            Change();
            CheckChanged();
        });
    }
    if (FCheckBox)
        FCheckBox->setVisible(Value);
    ApplyChecked();
    AdjustLayout();
}

void TDateTimePicker::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckBox)
        FCheckBox->setChecked(Value);
    ApplyChecked();
}

void TDateTimePicker::ApplyChecked()
{
    // An unchecked value is shown greyed and cannot be edited until it is checked again.
    const bool on = FChecked || !FShowCheckbox;
    setReadOnly(!on);
    QPalette p = lineEdit()->palette();
    p.setColor(QPalette::Text, on ? palette().color(QPalette::Text) : palette().color(QPalette::Disabled, QPalette::Text));
    lineEdit()->setPalette(p);
}

// ---- look -------------------------------------------------------------------------------

void TDateTimePicker::SetCtl3D(bool Value)
{
    FCtl3D = Value;
    setFrame(Value);
    QResizeEvent re(size(), size());
    resizeEvent(&re);
    update();
}

void TDateTimePicker::SetColor(TColor Value)
{
    FColor = Value;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(Value));
    setPalette(p);
}

void TDateTimePicker::AdjustLayout()
{
    if (FCheckBox && FShowCheckbox) {
        const QSize s = FCheckBox->sizeHint();
        FCheckBox->setGeometry(3, (height() - s.height()) / 2, s.width(), s.height());
        lineEdit()->setTextMargins(s.width() + 2, 0, 0, 0);
    } else {
        lineEdit()->setTextMargins(0, 0, 0, 0);
    }
}

void TDateTimePicker::resizeEvent(QResizeEvent *e)
{
    QDateTimeEdit::resizeEvent(e);
    // Without the 3-D frame the edit field leaves the outermost pixels to the flat frame.
    if (!FCtl3D)
        lineEdit()->setGeometry(lineEdit()->geometry().adjusted(1, 1, -1, -1));
    AdjustLayout();
}

// ---- drop-down --------------------------------------------------------------------------

void TDateTimePicker::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown || !calendarPopup())
        return;
    if (Value) {
        // The picker opens its calendar when its button is pressed.
        const QPointF at(width() - 4, height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QDateTimeEdit::mousePressEvent(&press);
    } else if (FCalendarWindow) {
        FCalendarWindow->hide();
    }
}

bool TDateTimePicker::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FCalendarWindow) {
        if (Event->type() == QEvent::Show && !FDroppedDown) {
            FDroppedDown = true;
            DoDropDown();
        } else if (Event->type() == QEvent::Hide && FDroppedDown) {
            FDroppedDown = false;
            DoCloseUp();
        }
    }
    return QDateTimeEdit::eventFilter(Watched, Event);
}

void TDateTimePicker::DoDropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TDateTimePicker::DoCloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

void TDateTimePicker::MoveToNextField()
{
    const int next = currentSectionIndex() + 1;
    if (next < sectionCount())
        setSelectedSection(sectionAt(next));
}

// ---- keys -------------------------------------------------------------------------------

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

void TDateTimePicker::WMKeyDown(TKeyMessage &Message)
{
    // F4 and Alt+Down open the calendar, as on the platform's picker.
    if (calendarPopup() && (Message.CharCode == VK_F4 || (Message.CharCode == VK_DOWN && Message.Shift.Contains(ssAlt)))) {
        KeyDown(Message.CharCode, Message.Shift);
        if (Message.CharCode != 0)
            SetDroppedDown(!FDroppedDown);
        return;
    }
    TEditorKeys<QDateTimeEdit>::WMKeyDown(Message);
}

void TDateTimePicker::DefaultKeyDown()
{
    if (PendingKey() && !PendingKeyTypes()) {
        QKeyEvent plain(QEvent::KeyPress, PendingKey()->key(), PendingKey()->modifiers());
        QDateTimeEdit::keyPressEvent(&plain);
    }
}

void TDateTimePicker::DefaultChar(QChar Ch)
{
    const ushort c = Ch.unicode();
    if (c == 27 || c == 127)
        return;
    const int key = c == 13 ? Qt::Key_Return : c == 8 ? Qt::Key_Backspace : Qt::Key_unknown;
    QKeyEvent typed(QEvent::KeyPress, key, Qt::NoModifier, QString(Ch));
    QDateTimeEdit::keyPressEvent(&typed);
}

void TDateTimePicker::mouseReleaseEvent(QMouseEvent *e)
{
    QDateTimeEdit::mouseReleaseEvent(e);
    if (OnClick)
        OnClick(this);
}
