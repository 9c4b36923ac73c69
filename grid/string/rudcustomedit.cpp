#include "grid/string/rudcustomedit.h"

#include "grid/string/editorpaint.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace {

std::function<void()> g_beep;

TMouseButton ButtonOf(Qt::MouseButton b)
{
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

}   // namespace

void EditorBeep()
{
    if (g_beep)
        g_beep();
    else
        QApplication::beep();
}

void SetEditorBeepHook(std::function<void()> Hook)
{
    g_beep = std::move(Hook);
}

TRudCustomEdit::TRudCustomEdit(QWidget *AOwner) : TEditorKeys<QLineEdit>(AOwner)
{
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

template <class F>
void TRudCustomEdit::Guarded(bool Allowed, F &&f)
{
    const bool was = isReadOnly();
    if (!Allowed)
        setReadOnly(true);
    f();
    if (!Allowed)
        setReadOnly(was);
}

void TRudCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    setFrame(Value == bsSingle);
    AdjustLayout();
}

void TRudCustomEdit::SetColor(TColor Value)
{
    FColor = Value;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(Value));
    setPalette(p);
}

void TRudCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

int TRudCustomEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TRudCustomEdit::GetMinHeight() const
{
    const int t = fontMetrics().height();
    const int s = QFontMetrics(QApplication::font()).height();
    return t + std::min(s, t) / 4;
}

QRect TRudCustomEdit::RightButtonRect(int ButtonWidth) const
{
    const int k = FBorderStyle == bsNone ? 1 : 5;
    const int f = BorderWidth();
    return QRect(width() - ButtonWidth - k + f, f, ButtonWidth, height() - k);
}

bool TRudCustomEdit::CanCutPaste() const
{
    return FEditorEnabled && !isReadOnly();
}

// ---- keys -------------------------------------------------------------------------------

void TRudCustomEdit::DefaultKeyDown()
{
    QKeyEvent *pending = PendingKey();
    if (!pending || pending->key() == Qt::Key_Backspace)
        return;
    QKeyEvent plain(QEvent::KeyPress, pending->key(), pending->modifiers(), QString());
    const bool clipboard = plain.matches(QKeySequence::Cut) || plain.matches(QKeySequence::Paste);
    Guarded(clipboard ? CanCutPaste() : FEditorEnabled, [&] { QLineEdit::keyPressEvent(&plain); });
}

void TRudCustomEdit::DefaultChar(QChar Ch)
{
    if (isReadOnly())
        return;
    const ushort c = Ch.unicode();
    if (c == 8)
        backspace();
    else if (c >= 32 && c != 127)
        insert(QString(Ch));
}

void TRudCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TRudCustomEdit::Click()
{
    if (OnClick)
        OnClick(this);
}

void TRudCustomEdit::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

// ---- mouse --------------------------------------------------------------------------------

void TRudCustomEdit::mousePressEvent(QMouseEvent *e)
{
    QLineEdit::mousePressEvent(e);
    const QPoint p = e->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, ButtonOf(e->button()), ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TRudCustomEdit::mouseReleaseEvent(QMouseEvent *e)
{
    QLineEdit::mouseReleaseEvent(e);
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && rect().contains(p))
        Click();
    if (OnMouseUp)
        OnMouseUp(this, ButtonOf(e->button()), ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TRudCustomEdit::mouseMoveEvent(QMouseEvent *e)
{
    QLineEdit::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TRudCustomEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    DblClick();
}

void TRudCustomEdit::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu *menu = nullptr;
    // The menu's actions are enabled by the state the edit has when it is made.
    Guarded(CanCutPaste(), [&] { menu = createStandardContextMenu(); });
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void TRudCustomEdit::dragEnterEvent(QDragEnterEvent *e)
{
    if (!CanCutPaste()) {
        e->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(e);
}

void TRudCustomEdit::dropEvent(QDropEvent *e)
{
    if (!CanCutPaste()) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

void TRudCustomEdit::resizeEvent(QResizeEvent *e)
{
    QLineEdit::resizeEvent(e);
    const int min = GetMinHeight();
    if (height() < min) {
        // The resize to the minimum height lays the children out.
        resize(width(), min);
        return;
    }
    AdjustLayout();
}
