#include "grid/string/gridrichedit.h"

#include "grid/string/richtext.h"

#include <QTextCursor>

TDazRichEdit::TDazRichEdit(QWidget *Parent) : QTextEdit(Parent)
{
    setAcceptRichText(true);
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
