#pragma once
// Stateless text routines of the grid suite: the user's number and date conventions as the
// grid reads them at each call, the classification of cell texts, the wide cell text
// encoding, number and date texts, line breaks in files and CSV, HTML export helpers, URLs,
// and small string and integer helpers. Positions are 1-based; 0 means not found.
// Upper-casing changes only the ASCII letters, except in ToMixedCase.
#include "grid/base/gridtypes.h"
#include "platform/canvas.h"

#include <QChar>
#include <QString>
#include <cstdint>

class TStringList;

QChar GetDateSeparator();
QChar GetTimeSeparator();
QChar GetThousandSeparator();
QChar GetDecimalSeparator();
QString GetShortDateFormat();   // e.g. "dd/MM/yyyy"

// Fixed conventions for tests; a null character or empty format follows the system's.
struct TGridFormatOverride
{
    QChar DateSeparator, TimeSeparator, ThousandSeparator, DecimalSeparator;
    QString ShortDateFormat;
};
void SetGridFormatOverride(const TGridFormatOverride &o);

// --- Cell text kinds and the wide cell text encoding -----------------------------------

// Kinds of cell text, as ClassifyCellText tells them.
enum : int {
    ctPlain = 0,
    ctMarkup = 1,     // the HTML subset (only when HtmlEnabled)
    ctRichText = 2,   // "{\" prefix
    ctFormula = 3,    // "=" prefix, also inside the wide encoding
    ctWideText = 5    // the wide cell text encoding ("|\" prefix)
};
int ClassifyCellText(const QString &Text, bool HtmlEnabled);
// "|\" and, per UTF-16 unit of W, two characters: its high byte, then its low byte.
QString EncodeWideCellText(const QString &W);
// The reverse; a text without the "|\" prefix is returned unchanged and an odd last
// character is ignored.
QString DecodeWideCellText(const QString &Text);
int WideStrPos(const QString &Sub, const QString &S);

// --- Numbers ---------------------------------------------------------------------------

bool IsNumberChar(QChar Ch);        // a character of a Unicode number category
bool IsDigitOrMinus(QChar Ch);
bool IsNumberStartChar(QChar Ch);   // number, thousand or decimal separator, "e", "E"
bool IsNumberBodyChar(QChar Ch);    // number, ".", "-", "e", "E", "+"
bool IsScientificChar(QChar Ch);    // IsNumberStartChar, "+" or "-"
// 0 integer, 1 number with separators in valid places, 5 scientific notation, 2 other.
int DetectNumberKind(const QString &Text);
// The plain float text of a displayed number: "(1.234,50 EUR)" gives "-1234.50" with "."
// thousands and "," decimals.
QString NormalizeNumberText(const QString &Text);

// --- Dates -----------------------------------------------------------------------------

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;
// An impossible date, or a year outside 1..9999.
TDateTime EncodeDate(int Year, int Month, int Day);   // throws EConvertError
void DecodeDate(TDateTime Date, int &Year, int &Month, int &Day);

// Month/day/year and day/month/year texts separated by "/", else ".", else "-". A missing
// separator or a part that is not a number gives 0.0; an impossible date throws
// EConvertError. Years of one or two digits: 0..25 are 2000 + y, 26..99 are 1900 + y;
// longer years are taken as written.
TDateTime ParseUSDate(const QString &Text);
TDateTime ParseEUDate(const QString &Text);
// The first date separator at position 2 or later and a second one at least one
// character further on.
bool LooksLikeDate(const QString &Text);
// The next date of a series: by Days, Years or Months when exactly one is non-zero (months
// carry into years), otherwise Date + Increment. An impossible date throws EConvertError.
TDateTime AddDateStep(int16_t Years, int16_t Months, int16_t Days, double Increment,
                      TDateTime Date);

// --- Line breaks, files and CSV ---------------------------------------------------------

// Only for a text with a CR: CR -> TAB, LF -> BS, NUL -> #1 (grid text files and streams).
QString EncodeCellLineBreaks(const QString &Text);
// Only for a text with a BS: the reverse; then the first line only unless MultiLine.
QString DecodeCellLineBreaks(const QString &Text, bool MultiLine);
// Splits off the text before the first CR (Text loses it, the CR and one LF after it);
// the rest stays in Text only when Keep. Without a CR the whole text is the line.
QString TakeFirstLine(QString &Text, bool Keep);
int CountCellLines(const QString &Text, bool MultiLine);   // 1 + CRs when MultiLine, else 1
QString UnescapeNewlines(const QString &Text);   // backslash n -> CR
QString EscapeNewlines(const QString &Text);     // CR -> backslash n; LF dropped
void RemoveCRs(QString &Text);
void CRToLF(QString &Text);
void CRLFToLF(QString &Text);
QString DoubleQuoteChars(const QString &Text);
// Ch Ch -> Ch, scanning left to right; a single Ch stays.
QString UndoubleChar(QChar Ch, const QString &Text);
// CR LF -> VT, then the text in double quotes (multi-line CSV cells).
void QuoteWithVTBreaks(QString &Text);
void VTToCRLF(QString &Text);
void LineBreaksToTilde(QString &Text);   // CR -> "~", LF dropped
void TildeToLineBreaks(QString &Text);   // "~" -> CR LF; exactly "^" becomes empty
// The position of an unescaped Ch: the last character of the first run of Ch of odd length
// followed by another character, or a Ch that ends the text; 0 when none. Pos gets it too.
int FindOddCharRun(QChar Ch, const QString &Text, int &Pos);
int CountOddCharRuns(QChar Ch, const QString &Text);
int CountChar(QChar Ch, const QString &Text);
// The text before the first Delim, removed from Text with the Delim; without a Delim the
// token is empty and Text unchanged.
QString CutToken(QString &Text, QChar Delim);
QString ConcatStrings(const TStringList &List);

// --- HTML export, URLs and links --------------------------------------------------------

QString CRToBrTags(const QString &Text);   // CR -> "<br>" (LF kept)
// RRGGBB in upper-case hexadecimal; red is the low byte.
QString ColorToHexRGB(uint32_t Color);
// Replaces the fragment with the clipboard's "HTML Format" text around it.
void WrapAsClipboardHtml(QString &Fragment);
// When Prefix (upper case, such as "HTTP://") occurs in the text: Dest is the text with "<"
// and ">" escaped and the first URL starting at the prefix made a link to itself.
bool LinkifyUrl(const QString &Text, const QString &Prefix, QString &Dest);
bool IsUrlText(const QString &Text);     // holds "://" or "mailto:"
void StripUrlScheme(QString &Text);      // up to the first "://", else "mailto:"
// "R2C3" -> Point (3, 2): X the column, Y the row.
bool ParseRowColRef(const QString &Text, TPoint &Point);

// --- Other -----------------------------------------------------------------------------

// Names: the first letter of each word (after a blank, apostrophe, comma, hyphen or full
// stop) upper-cased, the rest lower-cased, with "Mc" and closing " I" / " II" kept capital.
QString ToMixedCase(const QString &Text);
void FillWithChar(QString &Text, QChar Ch);   // every character replaced, length kept
// OEM (code page 850) <-> ANSI (Windows-1252): StrToOem gives the text whose ANSI bytes are
// the OEM bytes of the given text; OemToStr reverses it.
void StrToOem(QString &Text);
void OemToStr(QString &Text);
int PosInUpperCase(const QString &Sub, const QString &Text);
int FindPos(const QString &Sub, const QString &Text, int &Pos);
int FirstCharPos(QChar Ch, const QString &Text);
int FirstCharPosOut(QChar Ch, const QString &Text, int &Pos);   // Pos set only when found
int MaxOfInt(int A, int B);
int MinOfInt(int A, int B);
// Equal bounds: Value. Otherwise raised to Min when Min > 0, then lowered to Max when
// Max > 0, both tested on the given Value.
int ClampToLimits(int Value, int Min, int Max);
bool GridRectContains(const TGridRect &Rect, int Col, int Row);
