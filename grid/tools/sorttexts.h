#pragma once
// How two cell texts order under a sort format: automatic detection from the first text,
// the number, date and time readings and the text comparisons. The grid's CompareCells
// uses it for every format that needs nothing but the texts; a plain list of texts can be
// ordered by it the same way (the sort benchmark's reference does).
#include "grid/base/gridenums.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <memory>

class QCollator;

// The user's conventions as one sort reads them, with the format's prefix and suffix.
struct TSortTextRules
{
    QChar DateSeparator, TimeSeparator, ThousandSeparator, DecimalSeparator;
    bool IgnoreCase = false;   // detection falls back to ssAlphaNoCase rather than ssAlphabetic
    QString Prefix, Suffix;    // removed before a number is read
    // Made on first use by the two locale formats.
    std::shared_ptr<QCollator> Collator, CollatorNoCase;

    // The last texts classified and read as numbers, by where their characters live: a sort
    // compares its pivot with many rows, and the texts do not change while it runs. Whoever
    // changes a text between two calls starts from a fresh TSortTextRules.
    struct TNumberMemo
    {
        const QChar *Data = nullptr;
        qsizetype Size = -1;
        bool IsNumber = false;
        bool Read = false;      // Value below was read
        bool ReadOk = false;
        double Value = 0;
    };
    // Set while the texts compared stay where they are until the rules are dropped.
    bool StableTexts = false;
    TNumberMemo Memo[2];
    int MemoNext = 0;
    TNumberMemo &MemoFor(QStringView Text);

    // The separators of the moment (grid/base/textroutines.h).
    static TSortTextRules Current(bool IgnoreCase);
};

// What the comparison saw besides its result.
struct TSortTextInfo
{
    TSortStyle Style = ssAutomatic;   // the format after detection
    bool Blank1 = false;              // the working text (after prefix, suffix and
    bool Blank2 = false;              // separator removal) is empty
};

// The format automatic detection gives for T1 against T2, check boxes aside: ssNumeric
// for a number, else the alphabetic format with ssDate, ssDateTime or ssTime when T1 holds
// a separator between digits at its 2nd or 3rd place and T2 holds that separator too.
TSortStyle DetectSortStyle(QStringView T1, QStringView T2, const TSortTextRules &Rules);
// The same when whether T1 is a number (IsSortNumber) is known already.
TSortStyle DetectSortStyle(QStringView T1, QStringView T2, const TSortTextRules &Rules,
                           bool T1IsNumber);
bool IsSortNumber(QStringView Text);   // integer, float or scientific (DetectNumberKind)
// The same, remembered in Rules for the texts a sort keeps comparing.
bool IsSortNumber(QStringView Text, TSortTextRules &Rules);

// -1, 0 or +1 for T1 against T2 under Style (ssAutomatic is detected first; the alpha-
// numeric formats become ssNumeric when both are numbers). For the formats that need the
// cells (ssHTML, ssImages, ssCheckBox, ssCustom, ssRaw) the texts compare ordinally.
// CellEmpty1/2: the cell reads empty, so a text that is no number counts as 0 (the
// texts' own emptiness when not given).
int CompareSortTexts(TSortStyle Style, QStringView T1, QStringView T2, TSortTextRules &Rules,
                     TSortTextInfo *Info = nullptr, int CellEmpty1 = -1, int CellEmpty2 = -1);

// The number reading of the number formats: leading blanks, a sign, digits with an optional
// "." fraction and exponent; nothing may follow.
bool SortTextToFloat(QStringView Text, double &Value);
// The number formats' reading of a whole text: the first decimal separator counts as ".".
bool ReadSortNumber(QStringView Text, QChar DecimalSeparator, double &Value);
