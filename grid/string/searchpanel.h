#pragma once
// TSearchPanel: the search bar at the foot of a string grid: a close button, the search
// text, find-next and find-previous buttons, a highlight button and a match-case box on a
// gradient from Color to ColorTo. The grid lays it out from its SearchFooter settings; the
// search itself is the owner's business, reached through the events.
#include "grid/base/gridbutton.h"
#include "grid/base/gridcheckbox.h"
#include "platform/color.h"

#include <QFrame>
#include <QLineEdit>
#include <functional>

class TSearchPanel : public QFrame
{
public:
    explicit TSearchPanel(QWidget *AOwner);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

    QLineEdit *EditControl() const { return FEdit; }
    TDazGridButton *CloseButton() const { return FClose; }
    TDazGridButton *ForwardButton() const { return FForward; }
    TDazGridButton *BackwardButton() const { return FBackward; }
    TDazGridButton *HighLightButton() const { return FHighLight; }
    TDazCheckBox *MatchCase() const { return FMatchCase; }

    // Copies kept by the panel.
    QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
    QString HintFindNext, HintFindPrev, HintClose, HintHighlight;

    std::function<void(QObject *Sender)> OnEditChange;
    std::function<void(QObject *Sender)> OnForwardClick;
    std::function<void(QObject *Sender)> OnBackwardClick;
    std::function<void(QObject *Sender)> OnExitClick;
    std::function<void(QObject *Sender)> OnHighLightClick;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    QLineEdit *FEdit;
    TDazGridButton *FClose;
    TDazGridButton *FForward;
    TDazGridButton *FBackward;
    TDazGridButton *FHighLight;
    TDazCheckBox *FMatchCase;
};
