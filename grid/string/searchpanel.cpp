#include "grid/string/searchpanel.h"

#include "grid/base/drawroutines.h"

TSearchPanel::TSearchPanel(QWidget *AOwner)
    : QFrame(AOwner),
      FEdit(new QLineEdit(this)),
      FClose(new TDazGridButton(this)),
      FForward(new TDazGridButton(this)),
      FBackward(new TDazGridButton(this)),
      FHighLight(new TDazGridButton(this)),
      FMatchCase(new TDazCheckBox(this))
{
    setFrameShape(QFrame::NoFrame);
    FClose->setGeometry(4, 4, 20, 23);
    FClose->SetCaption(QStringLiteral("x"));
    FEdit->setGeometry(28, 5, 120, 21);
    FForward->setGeometry(152, 4, 84, 23);
    FBackward->setGeometry(240, 4, 84, 23);
    FHighLight->setGeometry(330, 4, 90, 23);
    FHighLight->SetStyle(tasCheck);
    FHighLight->SetAllowAllUp(true);
    FHighLight->SetGroupIndex(1);
    FMatchCase->setGeometry(425, 7, 120, 18);
    auto relay = [this](std::function<void(QObject *)> *Event) {
        return [this, Event](QObject *) {
            if (*Event)
                (*Event)(this);
        };
    };
    FClose->OnClick = relay(&OnExitClick);
    FForward->OnClick = relay(&OnForwardClick);
    FBackward->OnClick = relay(&OnBackwardClick);
    FHighLight->OnClick = relay(&OnHighLightClick);
    QObject::connect(FEdit, &QLineEdit::textChanged, this, [this] {
        if (OnEditChange)
            OnEditChange(this);
    });
}

void TSearchPanel::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    update();
}

void TSearchPanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    FillGradientRect(canvas, FColor, FColorTo, 64, TRect(0, 0, width(), height()), false);
}
