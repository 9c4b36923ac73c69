#pragma once
// The caption label that a combo box or date picker can carry: made on the first caption,
// a sibling of the control (same parent), placed in one of 13 positions around it, shown
// and enabled with it, and bold while the control has the focus when asked.
#include "grid/base/classes.h"
#include "platform/canvas.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class QLabel;
class QWidget;

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom
};

// The label's top-left corner for a control at Control (parent coordinates), a label of
// size Label and a caption CaptionWidth wide (integer halves round towards zero).
QPoint LabelPlace(TLabelPosition Position, const QRect &Control, QSize Label, int Margin,
                  int CaptionWidth);

class TEditorLabel : public QObject
{
public:
    explicit TEditorLabel(QWidget *Control);
    ~TEditorLabel() override;

    // Nullptr until a caption was set.
    QLabel *Label() const { return FLabel; }
    QString Caption() const;
    void SetCaption(const QString &Value);

    TLabelPosition Position = lpLeftTop;
    int Margin = 4;
    bool Transparent = false;
    bool AlwaysEnabled = false;
    bool FocusLabel = false;
    // The label's own font, used unless ParentFont (then the control's font).
    TFont Font;
    bool ParentFont = true;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // The Sender of the click events.
    TObject *Owner = nullptr;

    // Applies font, transparency, place and visibility.
    void Update();
    void SetBold(bool Value);
    void SetEnabled(bool Value);
    // Follows the control to its new parent.
    void Reparent();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QWidget *FControl;
    QPointer<QLabel> FLabel;
    bool FBold = false;
};
