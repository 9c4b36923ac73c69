#pragma once
// The caption label that a combo box or date picker can carry: made on the first caption,
// a sibling of the control (same parent), placed in one of 13 positions around it, shown
// and enabled with it, and bold while the control has the focus when asked.
#include "grid/base/classes.h"
#include "platform/canvas.h"

#include <QLabel>
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
    lpRighBottom,
    // Used by the drop-down edits only.
    lpTopRight,
    lpBottomRight
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
    // The label stays enabled whatever the control's state.
    bool AlwaysEnabled = false;
    bool FocusLabel = false;
    // The label's own font, used unless ParentFont (then the control's font).
    TFont Font;
    bool ParentFont = true;

    // Each stores its value and places the label anew.
    void SetPosition(TLabelPosition Value);
    void SetMargin(int Value);
    void SetTransparent(bool Value);
    void SetAlwaysEnabled(bool Value);
    // Ignored while ParentFont.
    void SetFont(const TFont &Value);
    void SetParentFont(bool Value);

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
    QObject *FLabelObject = nullptr;   // identity only, never dereferenced
    bool FBold = false;
};

// The caption label's properties as the control that carries it publishes them.
class TLabelProperties
{
public:
    explicit TLabelProperties(TEditorLabel &Label) : FLabelRef(Label) {}

    QString LabelCaption() const { return FLabelRef.Caption(); }
    void SetLabelCaption(const QString &Value) { FLabelRef.SetCaption(Value); }
    TLabelPosition LabelPosition() const { return FLabelRef.Position; }
    void SetLabelPosition(TLabelPosition Value) { FLabelRef.SetPosition(Value); }
    int LabelMargin() const { return FLabelRef.Margin; }
    void SetLabelMargin(int Value) { FLabelRef.SetMargin(Value); }
    bool LabelTransparent() const { return FLabelRef.Transparent; }
    void SetLabelTransparent(bool Value) { FLabelRef.SetTransparent(Value); }
    bool LabelAlwaysEnabled() const { return FLabelRef.AlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value) { FLabelRef.SetAlwaysEnabled(Value); }
    const TFont &LabelFont() const { return FLabelRef.Font; }
    // Ignored while ParentFont: the label then shows the control's font.
    void SetLabelFont(const TFont &Value) { FLabelRef.SetFont(Value); }
    bool ParentFont() const { return FLabelRef.ParentFont; }
    void SetParentFont(bool Value) { FLabelRef.SetParentFont(Value); }
    bool FocusLabel() const { return FLabelRef.FocusLabel; }
    void SetFocusLabel(bool Value) { FLabelRef.FocusLabel = Value; }

private:
    TEditorLabel &FLabelRef;
};
