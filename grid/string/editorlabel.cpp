#include "grid/string/editorlabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QWidget>

QPoint LabelPlace(TLabelPosition Position, const QRect &Control, QSize Label, int Margin,
                  int CaptionWidth)
{
    const int L = Control.x(), T = Control.y(), W = Control.width(), H = Control.height();
    const int lw = Label.width(), lh = Label.height(), m = Margin, w = CaptionWidth;
    switch (Position) {
    case lpLeftTop: return {L - w - m, T};
    case lpLeftCenter: return {L - w - m, T + (H - lh) / 2};
    case lpLeftBottom: return {L - w - m, T + H - lh};
    case lpTopLeft: return {L, T - lh - m};
    case lpBottomLeft: return {L, T + H + m};
    case lpLeftTopLeft: return {L - m, T};
    case lpLeftCenterLeft: return {L - m, T + (H - lh) / 2};
    case lpLeftBottomLeft: return {L - m, T + H - lh};
    case lpTopCenter: return {L + (W - lw) / 2, T - lh - m};
    case lpBottomCenter: return {L + (W - lw) / 2, T + H + m};
    case lpRightTop: return {L + W + m, T};
    case lpRightCenter: return {L + W + m, T + (H - lh) / 2};
    case lpRighBottom: return {L + W + m, T + H - lh};
    case lpTopRight: return {L + W - lw, T - lh - m};
    case lpBottomRight: return {L + W - lw, T + H + m};
    }
    return {L, T};
}

TEditorLabel::TEditorLabel(QWidget *Control) : FControl(Control) {}

TEditorLabel::~TEditorLabel()
{
    if (FLabel) {
        FLabel->removeEventFilter(this);
        delete FLabel.data();
    }
}

QString TEditorLabel::Caption() const
{
    return FLabel ? FLabel->text() : QString();
}

void TEditorLabel::SetCaption(const QString &Value)
{
    if (!FLabel) {
        FLabel = new QLabel(FControl->parentWidget());
        FLabelObject = FLabel.data();
        FLabel->setBuddy(FControl);
        FLabel->installEventFilter(this);
    }
    FLabel->setText(Value);
    Update();
}

void TEditorLabel::Update()
{
    if (!FLabel)
        return;
    FLabel->setAutoFillBackground(!Transparent);
    QFont f = ParentFont ? FControl->font() : Font.ToQFont();
    f.setBold(FBold || (!ParentFont && (Font.Style & fsBold)));
    FLabel->setFont(f);
    if (!ParentFont) {
        QPalette p = FLabel->palette();
        p.setColor(QPalette::WindowText, ToQColor(Font.Color));
        FLabel->setPalette(p);
    }
    FLabel->adjustSize();
    QString plain = FLabel->text();
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const int w = QFontMetrics(f).horizontalAdvance(plain);
    FLabel->move(LabelPlace(Position, FControl->geometry(), FLabel->size(), Margin, w));
    FLabel->setVisible(!FControl->isHidden() && FLabel->parentWidget());
    if (!AlwaysEnabled)
        FLabel->setEnabled(FControl->isEnabled());
}

void TEditorLabel::SetPosition(TLabelPosition Value)
{
    Position = Value;
    Update();
}

void TEditorLabel::SetMargin(int Value)
{
    Margin = Value;
    Update();
}

void TEditorLabel::SetTransparent(bool Value)
{
    Transparent = Value;
    Update();
}

void TEditorLabel::SetAlwaysEnabled(bool Value)
{
    AlwaysEnabled = Value;
    if (Value && FLabel)
        FLabel->setEnabled(true);
    Update();
}

void TEditorLabel::SetFont(const TFont &Value)
{
    if (ParentFont)
        return;
    Font = Value;
    Update();
}

void TEditorLabel::SetParentFont(bool Value)
{
    ParentFont = Value;
    Update();
}

void TEditorLabel::SetBold(bool Value)
{
    if (Value == FBold || !FLabel)
        return;
    FBold = Value;
    Update();
}

void TEditorLabel::SetEnabled(bool Value)
{
    if (FLabel && !AlwaysEnabled)
        FLabel->setEnabled(Value);
}

void TEditorLabel::Reparent()
{
    if (!FLabel)
        return;
    FLabel->setParent(FControl->parentWidget());
    Update();
}

bool TEditorLabel::eventFilter(QObject *Watched, QEvent *Event)
{
    // Compared as QObject: the label may be half destroyed when its last events pass here.
    if (Watched == static_cast<QObject *>(FLabelObject)) {
        if (Event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(Event)->button() == Qt::LeftButton && OnClick)
            OnClick(Owner);
        else if (Event->type() == QEvent::MouseButtonDblClick && OnDblClick)
            OnDblClick(Owner);
    }
    return QObject::eventFilter(Watched, Event);
}
