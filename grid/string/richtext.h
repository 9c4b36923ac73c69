#pragma once
// Rich-text cell texts: a reader and a writer for the part of RTF that the grid's rich
// text editor produces (paragraphs, bold, italic, underline, font size, text colour,
// superscript and subscript). A text that is not RTF reads as plain text; control words
// outside that part are skipped and their text kept.
#include <QString>

class QTextDocument;

// An RTF text starts with "{\rtf".
bool IsRtfText(const QString &Text);
// Fills Doc from Text (RTF or plain).
void RtfToDocument(const QString &Text, QTextDocument &Doc);
QString DocumentToRtf(const QTextDocument &Doc);
// The plain text of an RTF text, paragraphs separated by line breaks.
QString RtfToPlainText(const QString &Text);
