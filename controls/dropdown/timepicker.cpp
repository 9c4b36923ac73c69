// The time-picker drop-down: the time text under its mask, field stepping, parsing, and
// the clock (with an optional time-entry control) in the drop-down.
#include "controls/dropdown/timepicker.h"

#include "controls/dropdown/calcclockinstall.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/editoradapter.h"
#include "grid/string/datetimetext.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kPanelSide = 170;
constexpr double kMSecsPerDay = 86400000.0;

QTime ToQTime(TDateTime Value)
{
    return QTime::fromMSecsSinceStartOfDay(int(std::llround(TimeOf(Value) * kMSecsPerDay)) %
                                           int(kMSecsPerDay));
}

TDateTime FromQTime(const QTime &Value)
{
    return Value.msecsSinceStartOfDay() / kMSecsPerDay;
}

QString TwoDigits(int Value)
{
    return QStringLiteral("%1").arg(Value, 2, 10, QLatin1Char('0'));
}

// The mask of the time text: an optional first hour digit shown as a blank.
QString TimeMask(bool Seconds)
{
    const QChar sep = GetTimeSeparator();
    return QStringLiteral("!90") + sep + QStringLiteral("00") +
           (Seconds ? sep + QStringLiteral("00") : QString()) + QStringLiteral(";1; ");
}

bool AltHeld(Qt::KeyboardModifiers Shift)
{
    return (Shift & Qt::AltModifier) || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
}

}   // namespace

TDazTimePickerDropDown::TDazTimePickerDropDown(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    FWatchAppearance.OnChange = [](TObject *) {};
    InitializeDropDown();
    ShowTimePicker = false;
    SetEditorEnabled(false);
    DropDownEnabled = true;
    FShowSeconds = true;
    FInternalCall = true;
    SetEditMask(TimeMask(true));
    SetTextUnformatted(FormatTimeText(0, 0, 0));
    FInternalCall = false;
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
}

TDazTimePickerDropDown::~TDazTimePickerDropDown() = default;

void TDazTimePickerDropDown::SetEditMask(const QString &Value)
{
    FEditMaskText = Value;
    FEditMask = TEditMask(Value);
}

QString TDazTimePickerDropDown::FormatTimeText(int H, int M, int S) const
{
    const QChar sep = GetTimeSeparator();
    QString s = TwoDigits(H) + sep + TwoDigits(M);
    if (FShowSeconds)
        s += sep + TwoDigits(S);
    return s;
}

void TDazTimePickerDropDown::WriteTimeText()
{
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const bool was = FInternalCall;
    FInternalCall = true;
    SetTextUnformatted(FormatTimeText(h, m, s));
    FInternalCall = was;
}

void TDazTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    WriteTimeText();
    if (DroppedDown()) {
        FDazWatch->SetTime(FTime);
        if (ShowTimePicker && FDateTimePicker)
            FDateTimePicker->setTime(ToQTime(FTime));
    }
}

void TDazTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds)
        return;
    FShowSeconds = Value;
    const bool was = FInternalCall;
    FInternalCall = true;
    SetEditMask(QString());
    SetTextUnformatted(QString());
    SetEditMask(TimeMask(Value));
    const TDateTime old = FTime;
    FTime += 1;   // so the setter sees a new value and rewrites the text
    SetTime(old);
    FInternalCall = was;
}

void TDazTimePickerDropDown::ChangePart(int Part, int Value)
{
    int parts[4];
    DecodeTime(FTime, parts[0], parts[1], parts[2], parts[3]);
    if (Value == parts[Part] || Value < 0 || Value > (Part == 0 ? 23 : 59))
        return;
    parts[Part] = Value;
    SetTime(EncodeTime(parts[0], parts[1], parts[2], parts[3]));
    if (OnTimeChange)
        OnTimeChange(this);
}

void TDazTimePickerDropDown::SetComponentStyle(TQVRStyle Value)
{
    TDazCustomDropDown::SetComponentStyle(Value);
    ApplyWatchComponentStyle(FWatchAppearance, Value);
}

// ---------------------------------------------------------------------------------------
// Keys and parsing
// ---------------------------------------------------------------------------------------

bool TDazTimePickerDropDown::ArrowOrPage(int Key)
{
    return Key == Qt::Key_PageUp || Key == Qt::Key_PageDown || Key == Qt::Key_Up ||
           Key == Qt::Key_Down;
}

void TDazTimePickerDropDown::StepField(int Key, Qt::KeyboardModifiers Shift)
{
    if ((Key != Qt::Key_Up && Key != Qt::Key_Down) || AltHeld(Shift) ||
        (Shift & Qt::ControlModifier))
        return;
    const int step = Key == Qt::Key_Up ? -1 : 1;   // Up decreases, Down increases
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const QString t = text();
    const QChar sep = GetTimeSeparator();
    const int caret = cursorPosition();
    const int s1 = int(t.indexOf(sep)) + 1;
    const int s2 = int(t.mid(s1).indexOf(sep)) + 1;
    if (caret < s1)
        ChangeHour((h + step + 24) % 24);
    else if (caret - s1 >= s2 && FShowSeconds)
        ChangeSecond((s + step + 60) % 60);
    else
        ChangeMinute((m + step + 60) % 60);
    setCursorPosition(caret);
}

void TDazTimePickerDropDown::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if ((Shift & Qt::AltModifier) && (Key == Qt::Key_Up || Key == Qt::Key_Down)) {
        if (DroppedDown())
            DoHideDropDown(false);
        else
            ShowDropDown();
        return;
    }
    if (EditorEnabled())
        StepField(Key, Shift);
}

void TDazTimePickerDropDown::TypedText(const QString &Text, int Caret)
{
    {
        const QSignalBlocker block(this);
        setText(Text);
        setCursorPosition(Caret);
    }
    SetModified(true);
    ChangeNotice();
}

void TDazTimePickerDropDown::keyPressEvent(QKeyEvent *Event)
{
    const int key = Event->key();
    const Qt::KeyboardModifiers mods = Event->modifiers();
    const bool typing = EditorEnabled() && !isReadOnly();
    if (typing && (key == Qt::Key_Up || key == Qt::Key_Down) && !(mods & Qt::AltModifier)) {
        Event->accept();
        StepField(key, mods);
        return;
    }
    const QString typed = Event->text();
    const bool character = !typed.isEmpty() && typed.front() >= u' ';
    if (!typing || FEditMask.Empty() || (mods & Qt::ControlModifier) ||
        !(character || key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        TDazCustomDropDown::keyPressEvent(Event);   // the drop-down keys and caret movement
        return;
    }
    // Typing under the mask: the key overwrites its position, a blank stays in its place.
    Event->accept();
    QString t = text();
    int caret = hasSelectedText() ? int(selectionStart()) : cursorPosition();
    bool changed;
    if (key == Qt::Key_Backspace)
        changed = FEditMask.Backspace(t, caret);
    else if (key == Qt::Key_Delete)
        changed = FEditMask.Delete(t, caret);
    else
        changed = FEditMask.Type(t, caret, typed.front());
    if (changed && t != text())
        TypedText(t, caret);
    else if (changed)
        setCursorPosition(caret);
}

void TDazTimePickerDropDown::Change()
{
    TDazCustomDropDown::Change();
    const QString t = text();
    const QChar sep = GetTimeSeparator();
    const int full = FShowSeconds ? 8 : 5;
    if (t.isEmpty() || Trim(t).size() != full || FInternalCall)
        return;
    const qsizetype first = t.indexOf(sep);
    if (first < 0)
        return;
    const QString rest = Trim(t.mid(first + 1));
    const qsizetype second = rest.indexOf(sep);
    if ((second >= 0) != FShowSeconds || (second >= 0 && rest.indexOf(sep, second + 1) >= 0))
        return;

    QString s = t;
    s.replace(u' ', u'0');
    const qsizetype at1 = s.indexOf(sep);
    const qsizetype at2 = FShowSeconds ? s.indexOf(sep, at1 + 1) : -1;
    const QString fields[3] = {
        Trim(s.left(at1)),
        Trim(at2 >= 0 ? s.mid(at1 + 1, at2 - at1 - 1) : s.mid(at1 + 1)),
        at2 >= 0 ? Trim(s.mid(at2 + 1)) : QString()};
    int values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString &f = fields[i];
        for (int k = 0; k < std::min<qsizetype>(2, f.size()); ++k)
            if (f[k] < u'0' || f[k] > u'9')
                return;
        values[i] = f.isEmpty() ? 0 : StrToIntDef(f, 0);
    }
    FTime = EncodeTime(values[0], values[1], values[2], 0);   // out of range: EConvertError
    const QString shown = FormatTimeText(values[0], values[1], values[2]);
    if (shown != t && values[1] == 0 && values[2] == 0) {
        FInternalCall = true;
        SetText(shown);
        FInternalCall = false;
    }
}

// ---------------------------------------------------------------------------------------
// The drop-down
// ---------------------------------------------------------------------------------------

void TDazTimePickerDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FPanelCtrl) {
        FPanelCtrl = new QFrame(DropDownForm());
        FPanelCtrl->setFrameShape(QFrame::NoFrame);
        auto *layout = new QVBoxLayout(FPanelCtrl);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    FPanelCtrl->setGeometry(0, 0, kPanelSide, 180);
    if (!FDazWatch) {
        FDazWatch = new TDazWatch(FPanelCtrl);
        FPanelCtrl->layout()->addWidget(FDazWatch);
    }
    SetDropDownControl(FPanelCtrl);
}

void TDazTimePickerDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    FPanelCtrl->resize(kPanelSide, kPanelSide);
    DropDownForm()->CancelOnDeActivate = false;
    FPanelCtrl->setAutoFillBackground(true);
    QPalette palette = FPanelCtrl->palette();
    palette.setColor(QPalette::Window, ToQColor(DropDownColor));
    FPanelCtrl->setPalette(palette);
    FDazWatch->Appearance().Assign(&FWatchAppearance);
    FDazWatch->Settings().Assign(&FWatchSettings);
    FDazWatch->SetShowAMPM(ShowWatchAMPM);
    FDazWatch->SetShowNumbers(ShowWatchNumbers);
    FDazWatch->Animation = Animation;
    FDazWatch->AnimationFactor = AnimationFactor;
    FDazWatch->OnChange = nullptr;
    if (!FWatchSettings.Auto())
        FDazWatch->SetTime(FTime);
    FDazWatch->OnChange = [this](TObject *) { ClockChanged(); };

    if (ShowTimePicker) {
        if (!FDateTimePicker) {
            FDateTimePicker = new QTimeEdit(FPanelCtrl);
            FPanelCtrl->layout()->addWidget(FDateTimePicker);
            QObject::connect(FDateTimePicker, &QTimeEdit::timeChanged, this,
                             [this] { PickerChanged(); });
            FDateTimePicker->installEventFilter(this);
        }
        {
            const QSignalBlocker block(FDateTimePicker);
            FDateTimePicker->show();
            FDateTimePicker->setTime(ToQTime(FTime));
            FDateTimePicker->raise();
        }
        FDateTimePicker->setDisplayFormat(FShowSeconds ? QStringLiteral("HH:mm:ss")
                                                       : QStringLiteral("HH:mm"));
        FPanelCtrl->resize(kPanelSide, FDateTimePicker->sizeHint().height() + kPanelSide);
    } else if (FDateTimePicker) {
        FDateTimePicker->hide();
    }
    FPanelSize = FPanelCtrl->size();
}

void TDazTimePickerDropDown::SizeDropDownForm()
{
    // The form lays its control out to its own size before it is sized from the control.
    if (FPanelSize.isValid())
        FPanelCtrl->resize(FPanelSize);
    TDazCustomDropDown::SizeDropDownForm();
}

void TDazTimePickerDropDown::ClockChanged()
{
    if (FDateTimePicker && ShowTimePicker &&
        FDateTimePicker->time() != ToQTime(FDazWatch->Time())) {
        {
            const QSignalBlocker block(FDateTimePicker);
            FDateTimePicker->setTime(ToQTime(FDazWatch->Time()));
        }
        if (OnTimeChange)
            OnTimeChange(this);
    }
    SetTime(FDazWatch->Time());
}

void TDazTimePickerDropDown::PickerChanged()
{
    if (FDateTimePicker && FDazWatch && !FWatchSettings.Auto())
        FDazWatch->SetTime(FromQTime(FDateTimePicker->time()));
}

void TDazTimePickerDropDown::DoHideDropDown(bool Cancelled)
{
    if (!DropDownForm() || !DropDownForm()->isVisible())
        return;
    // Cancelled, the clock goes back first so that closing takes Time again; the edit's
    // own cancel restores its last SetText value, which the time text never went through.
    FDazWatch->StopAnimation();   // a hand still moving would change Time after closing
    if (Cancelled)
        FDazWatch->SetTime(FTime);
    TDazCustomDropDown::DoHideDropDown(Cancelled);
    if (Cancelled)
        WriteTimeText();
    else
        SetTime(FDazWatch->Time());
}

void TDazTimePickerDropDown::AfterHideDropDown()
{
    TDazCustomDropDown::AfterHideDropDown();
    SetTime(FDazWatch->Time());
}

void TDazTimePickerDropDown::ControlKey(QKeyEvent *Event)
{
    const int key = Event->key();
    const bool relay = !ArrowOrPage(key) || (Event->modifiers() & Qt::AltModifier);
    if (relay)
        TDazCustomDropDown::ControlKey(Event);
    if (Event->type() == QEvent::KeyPress && DropDownForm() && DropDownForm()->isVisible() &&
        FDazWatch)
        FDazWatch->WatchKeyDown(key);
}

bool TDazTimePickerDropDown::eventFilter(QObject *Watched, QEvent *Event)
{
    const bool key = Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease;
    if (key && FDateTimePicker && Watched == FDateTimePicker) {
        auto *k = static_cast<QKeyEvent *>(Event);
        const QChar ch = k->text().isEmpty() ? QChar() : k->text().front();
        const bool pageOrArrowChar = ch == QChar(33) || ch == QChar(34) || ch == QChar(38) ||
                                     ch == QChar(40);
        const bool relay = (!ArrowOrPage(k->key()) || (k->modifiers() & Qt::AltModifier)) &&
                           (!pageOrArrowChar || AltHeld(Qt::NoModifier));
        if (relay)
            TDazCustomDropDown::ControlKey(k);
        return false;
    }
    return TDazCustomDropDown::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------------------
// The grid's time editor
// ---------------------------------------------------------------------------------------

void InstallTimePickerEditor()
{
    SetDropDownEditorMaker(edTimePickerDropDown, [](QWidget *Parent) {
        return new TDropDownEditorAdapter<TDazTimePickerDropDown>(Parent);
    });
}
