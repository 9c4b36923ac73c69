// The track-bar drop-down.
#include "controls/dropdown/trackbardropdown.h"

#include "controls/dropdown/dropdownform.h"
#include "grid/base/keys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSlider>

namespace {

constexpr int kTrackBarHeight = 40;

// The hosted track bar. Up and Down reach the drop-down, which steps the value by its
// frequency; stepping here as well would move it twice (or, with the opposite sense of
// the arrows, not at all). It keeps every key, so none reaches the window a second time.
class TDropDownTrackBar : public QSlider
{
public:
    TDropDownTrackBar(QWidget *Parent) : QSlider(Qt::Horizontal, Parent) {}

protected:
    void keyPressEvent(QKeyEvent *Event) override
    {
        if (Event->key() != Qt::Key_Up && Event->key() != Qt::Key_Down)
            QSlider::keyPressEvent(Event);
        Event->accept();
    }
};

}   // namespace

TDazTrackBarDropDown::TDazTrackBarDropDown(QWidget *Parent) : TDazCustomDropDown(Parent)
{
    InitializeDropDown();
    SetMin(0);
    SetMax(10);
    SetPosition(0);
    SetPageSize(2);
    SetFrequency(1);
    SetEditorEnabled(false);
    DropDownEnabled = true;
    SetEditType(etNumeric);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    ForceShadow = true;
}

void TDazTrackBarDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    if (!FTrackBar && DropDownForm()) {
        FTrackBar = new TDropDownTrackBar(DropDownForm());
        FTrackBar->setGeometry(0, 0, FTrackBar->width(), kTrackBarHeight);
        FTrackBar->setTickPosition(QSlider::TicksBelow);
        QObject::connect(FTrackBar, &QSlider::valueChanged, this, [this] { TrackChange(); });
    }
}

void TDazTrackBarDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    if (!DropDownForm() || !FTrackBar)
        return;
    DropDownForm()->CancelOnDeActivate = false;   // a click outside keeps the new value
    FTrackBar->setMinimum(FMin);
    FTrackBar->setMaximum(FMax);
    FTrackBar->setValue(FPosition);
    FTrackBar->setPageStep(FPageSize);
    FTrackBar->setTickInterval(FFrequency);
    FTrackBar->resize(width(), FTrackBar->height());
    SetDropDownControl(FTrackBar);
}

void TDazTrackBarDropDown::SetPosition(int Value)
{
    FPosition = Value;
    if (FTrackBar) {
        FTrackBar->setValue(Value);
        FPosition = FTrackBar->value();
    }
}

void TDazTrackBarDropDown::SetMin(int Value)
{
    FMin = Value;
    if (FTrackBar) {
        FTrackBar->setMinimum(Value);
        FMin = FTrackBar->minimum();
    }
}

void TDazTrackBarDropDown::SetMax(int Value)
{
    FMax = Value;
    if (FTrackBar) {
        FTrackBar->setMaximum(Value);
        FMax = FTrackBar->maximum();
    }
}

void TDazTrackBarDropDown::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FTrackBar)
        FTrackBar->setTickInterval(Value);
}

void TDazTrackBarDropDown::SetPageSize(int Value)
{
    FPageSize = Value;
    if (FTrackBar)
        FTrackBar->setPageStep(Value);
}

void TDazTrackBarDropDown::TrackChange()
{
    FPosition = FTrackBar->value();
    SetTextUnformatted(QString::number(FPosition));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TDazTrackBarDropDown::Change()
{
    TDazCustomDropDown::Change();
    bool ok = false;
    const int value = GetText().trimmed().toInt(&ok);
    if (ok)
        SetPosition(value);
}

void TDazTrackBarDropDown::keyPressEvent(QKeyEvent *Event)
{
    TDazCustomDropDown::keyPressEvent(Event);
    if (EditorEnabled() || (Event->modifiers() & Qt::AltModifier))
        return;
    if (Event->key() == Qt::Key_Up && FPosition - FFrequency >= FMin)
        SetPosition(FPosition - FFrequency);
    else if (Event->key() == Qt::Key_Down && FPosition + FFrequency <= FMax)
        SetPosition(FPosition + FFrequency);
}

void TDazTrackBarDropDown::mousePressEvent(QMouseEvent *Event)
{
    TDazCustomDropDown::mousePressEvent(Event);
    if (DropDownEnabled && !EditorEnabled()) {
        FMouseX = int(Event->position().x());
        FMouseDraging = true;
    }
}

void TDazTrackBarDropDown::mouseMoveEvent(QMouseEvent *Event)
{
    TDazCustomDropDown::mouseMoveEvent(Event);
    // Without a positive page size a drag has no step: it moves nothing.
    if (!DropDownEnabled || EditorEnabled() || !FMouseDraging || FPageSize <= 0)
        return;
    const int x = int(Event->position().x());
    const int d = (x - FMouseX) / FPageSize;   // toward zero: short moves are dropped
    FMouseX = x;
    SetPosition(FPosition + d);
}

void TDazTrackBarDropDown::mouseReleaseEvent(QMouseEvent *Event)
{
    TDazCustomDropDown::mouseReleaseEvent(Event);
    FMouseDraging = false;
}
