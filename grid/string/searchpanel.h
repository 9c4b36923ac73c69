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

// The search text: Enter and Ctrl+Enter are its own keys (find next and previous), never a
// line break or a key for the window.
class TRetEdit : public QLineEdit
{
public:
    explicit TRetEdit(QWidget *Parent) : QLineEdit(Parent) {}

    std::function<void(QObject *Sender)> OnReturn;
    std::function<void(QObject *Sender)> OnCtrlReturn;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

class TSearchPanel : public QFrame
{
public:
    explicit TSearchPanel(QWidget *AOwner);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // clNone: a flat fill in Color.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    // The grid marks a search text without a hit in red.
    TColor EditColor() const { return FEditColor; }
    void SetEditColor(TColor Value);

    TRetEdit *EditControl() const { return FEdit; }
    TDazGridButton *CloseButton() const { return FClose; }
    TDazGridButton *ForwardButton() const { return FForward; }
    TDazGridButton *BackwardButton() const { return FBackward; }
    TDazGridButton *HighLightButton() const { return FHighLight; }
    TDazCheckBox *MatchCase() const { return FMatchCase; }

    // Places the controls: their fixed positions, mirrored (all but the match-case box)
    // under right-to-left; a hidden button or box gets no height.
    void LayoutControls();

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
    void resizeEvent(QResizeEvent *) override;
    void changeEvent(QEvent *e) override;

private:
    void EditChanged();
    void Fire(const std::function<void(QObject *)> &Event);

    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    TColor FEditColor = clWindow;
    TRetEdit *FEdit;
    TDazGridButton *FClose;
    TDazGridButton *FForward;
    TDazGridButton *FBackward;
    TDazGridButton *FHighLight;
    TDazCheckBox *FMatchCase;
};
