#include "grid/string/gridrichedit.h"

#include "grid/string/richtext.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

TDazRichEdit::TDazRichEdit(QWidget *Parent) : QTextEdit(Parent)
{
    setAcceptRichText(true);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { ContentsChanged(); });
}

void TDazRichEdit::ContentsChanged()
{
    if (!FLocked && OnRequestResize)
        OnRequestResize(int(std::ceil(document()->size().height())));
}

void TDazRichEdit::SetRtf(const QString &Text)
{
    RtfToDocument(Text, *document());
}

QString TDazRichEdit::Rtf() const
{
    return DocumentToRtf(*document());
}

void TDazRichEdit::SetSelVertical(int Offset)
{
    QTextCharFormat f;
    f.setVerticalAlignment(Offset > 0   ? QTextCharFormat::AlignSuperScript
                           : Offset < 0 ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignNormal);
    QTextCursor c = textCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
    mergeCurrentCharFormat(f);
}

int TDazRichEdit::SelVertical() const
{
    switch (textCursor().charFormat().verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: return 1;
    case QTextCharFormat::AlignSubScript: return -1;
    default: return 0;
    }
}

bool TDazRichEdit::event(QEvent *e)
{
    // Tab reaches the key handling (the grid moves on) instead of the focus chain.
    if (e->type() == QEvent::KeyPress && OnGridKey) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && OnGridKey(k))
            return true;
    }
    return QTextEdit::event(e);
}

void TDazRichEdit::keyPressEvent(QKeyEvent *e)
{
    if (OnGridKey && OnGridKey(e))
        return;
    QTextEdit::keyPressEvent(e);
}

void TDazRichEdit::focusOutEvent(QFocusEvent *e)
{
    QTextEdit::focusOutEvent(e);
    if (OnFocusLost)
        OnFocusLost(e->reason());
}
