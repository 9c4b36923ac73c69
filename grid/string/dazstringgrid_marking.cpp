// TDazStringGrid: highlighting and error marks inside cell texts (mark-up tags "hi" and
// "e"), the cell checker's runs, the fill helpers, the URL settings with the display-text
// hook that links URLs and shows group counts, and a few small accessors.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/base/textroutines.h"
#include "grid/string/cellchecker.h"
#include "platform/rtl.h"

#include <QRandomGenerator>

namespace {

const QString TagHighlight = QStringLiteral("hi");
const QString TagError = QStringLiteral("e");

// Real columns of the display columns From..To (those inside the grid).
std::vector<int> DisplayColumns(const TDazStringGrid &G, int From, int To)
{
    std::vector<int> cols;
    for (int c = std::max(0, From), last = std::min(To, G.ColCount() - 1); c <= last; ++c)
        cols.push_back(G.RealColIndex(c));
    return cols;
}

// Real columns From..To, hidden ones included.
std::vector<int> RealColumns(int From, int To)
{
    std::vector<int> cols;
    for (int c = std::max(0, From); c <= To; ++c)
        cols.push_back(c);
    return cols;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Tags in one text
// ---------------------------------------------------------------------------------------

QString TDazStringGrid::HilightText(bool DoCase, const QString &S, const QString &Text)
{
    return WrapMatchesInTag(S, Text, TagHighlight, DoCase);
}

QString TDazStringGrid::MarkText(bool DoCase, const QString &S, const QString &Text)
{
    return WrapMatchesInTag(S, Text, TagError, DoCase);
}

QString TDazStringGrid::UnHilightText(const QString &S)
{
    return UnwrapTag(S, TagHighlight);
}

QString TDazStringGrid::UnMarkText(const QString &S)
{
    return UnwrapTag(S, TagError);
}

// ---------------------------------------------------------------------------------------
// Tags over ranges
// ---------------------------------------------------------------------------------------

QString TDazStringGrid::MarkingText(int ACol, int ARow)
{
    // Through the display hook when one is set, else as stored: the links and group counts
    // the display adds must not be written back into the cell.
    return OnGetDisplText ? GetCellEx(ACol, ARow) : GetGridCell(ACol, ARow);
}

void TDazStringGrid::TagTextInRange(const QString &Text, const QString &Tag,
                                    const std::vector<int> &Cols, int FromRow, int ToRow,
                                    bool DoCase)
{
    // The text is shown escaped; the matches are found in what it reads, and the marking
    // tags of an earlier pass stay.
    static const QStringList markingTags{TagHighlight, TagError};
    for (int r = std::max(0, FromRow); r <= ToRow && r < RowCount(); ++r)
        for (int c : Cols) {
            if (!IsBaseCell(c, r))
                continue;
            SetCellEx(c, r,
                      WrapPlainMatchesInTag(MarkingText(c, r), Text, Tag, markingTags, DoCase));
        }
}

void TDazStringGrid::UntagTextInRange(const QString &Tag, const std::vector<int> &Cols,
                                      int FromRow, int ToRow)
{
    for (int r = std::max(0, FromRow); r <= ToRow && r < RowCount(); ++r)
        for (int c : Cols) {
            if (!IsBaseCell(c, r))
                continue;
            const QString text = DecodeHtmlEntities(MarkingText(c, r), false);
            SetCellEx(c, r, UnwrapTag(text, Tag));
        }
}

void TDazStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
    TagTextInRange(HiText, TagHighlight, DisplayColumns(*this, Col, Col), Row, Row, DoCase);
}

void TDazStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
    TagTextInRange(HiText, TagHighlight, DisplayColumns(*this, Col, Col), FirstRow(DoFixed),
                   LastRow(DoFixed), DoCase);
}

void TDazStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
    TagTextInRange(HiText, TagHighlight,
                   DisplayColumns(*this, FirstCol(DoFixed), LastCol(DoFixed)), Row, Row, DoCase);
}

void TDazStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
    if (DoFixed)
        TagTextInRange(HiText, TagHighlight, DisplayColumns(*this, 0, ColCount() - 1), 0,
                       RowCount() - 1, DoCase);
    else
        TagTextInRange(HiText, TagHighlight,
                       RealColumns(FixedCols(), AllColCount() - FFixedRightCols - 1),
                       FirstRow(false), LastRow(false), DoCase);
}

void TDazStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
    TagTextInRange(HiText, TagError, DisplayColumns(*this, Col, Col), Row, Row, DoCase);
}

void TDazStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
    TagTextInRange(HiText, TagError, DisplayColumns(*this, Col, Col), FirstRow(DoFixed),
                   LastRow(DoFixed), DoCase);
}

void TDazStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
    TagTextInRange(HiText, TagError, DisplayColumns(*this, FirstCol(DoFixed), LastCol(DoFixed)),
                   Row, Row, DoCase);
}

void TDazStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
    TagTextInRange(HiText, TagError, DisplayColumns(*this, FirstCol(DoFixed), LastCol(DoFixed)),
                   FirstRow(DoFixed), LastRow(DoFixed), DoCase);
}

// The removals reach hidden columns too.
void TDazStringGrid::UnHilightInCell(int Col, int Row)
{
    UntagTextInRange(TagHighlight, DisplayColumns(*this, Col, Col), Row, Row);
}

void TDazStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    UntagTextInRange(TagHighlight, DisplayColumns(*this, Col, Col), FirstRow(DoFixed),
                     LastRow(DoFixed));
}

void TDazStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    UntagTextInRange(TagHighlight,
                     RealColumns(FirstCol(DoFixed),
                                 AllColCount() - 1 - (DoFixed ? 0 : FFixedRightCols)),
                     Row, Row);
}

void TDazStringGrid::UnHilightInGrid(bool DoFixed)
{
    UntagTextInRange(TagHighlight,
                     RealColumns(FirstCol(DoFixed),
                                 AllColCount() - 1 - (DoFixed ? 0 : FFixedRightCols)),
                     FirstRow(DoFixed), LastRow(DoFixed));
}

void TDazStringGrid::UnMarkInCell(int Col, int Row)
{
    UntagTextInRange(TagError, DisplayColumns(*this, Col, Col), Row, Row);
}

void TDazStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    UntagTextInRange(TagError, DisplayColumns(*this, Col, Col), FirstRow(DoFixed),
                     LastRow(DoFixed));
}

void TDazStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    UntagTextInRange(TagError,
                     RealColumns(FirstCol(DoFixed),
                                 AllColCount() - 1 - (DoFixed ? 0 : FFixedRightCols)),
                     Row, Row);
}

void TDazStringGrid::UnMarkInGrid(bool DoFixed)
{
    UntagTextInRange(TagError,
                     RealColumns(FirstCol(DoFixed),
                                 AllColCount() - 1 - (DoFixed ? 0 : FFixedRightCols)),
                     FirstRow(DoFixed), LastRow(DoFixed));
}

// ---------------------------------------------------------------------------------------
// Cell checks
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::CheckCell(int Col, int Row)
{
    if (!FCellChecker || Col < 0 || Row < 0 || Col >= ColCount() || Row >= RowCount())
        return true;
    const int real = RealColIndex(Col);
    // A merge is checked once, at its base cell.
    if (!IsBaseCell(real, Row))
        return true;
    const QString s0 = UnMarkText(MarkingText(real, Row));
    if (FCellChecker->GotoCell()) {
        FocusCell(Col, Row);
        ScrollInView(Col, Row);
    }
    QString s = s0;
    if (FCellChecker->UseCorrect())
        s = FCellChecker->Correct(Col, Row, s0);
    if (FCellChecker->UseMarkError())
        s = FCellChecker->MarkError(Col, Row, s0);
    SetCells(real, Row, s);
    return s == s0;
}

bool TDazStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FCellChecker)
        return true;
    const int oldCol = Col(), oldRow = Row();
    FCellChecker->StartCheck();
    bool ok = true;
    // Cells outside the grid pass.
    for (int r = std::max(FromRow, 0), lastRow = std::min(ToRow, RowCount() - 1); r <= lastRow; ++r)
        for (int c = std::max(FromCol, 0), lastCol = std::min(ToCol, ColCount() - 1); c <= lastCol;
             ++c)
            ok = CheckCell(c, r) && ok;
    FCellChecker->StopCheck();
    if (FCellChecker->GotoCell() && oldCol < ColCount() && oldRow < RowCount())
        FocusCell(oldCol, oldRow);
    return ok;
}

bool TDazStringGrid::CheckCol(bool DoFixed, int Col)
{
    return CheckCells(Col, FirstRow(DoFixed), Col, LastRow(DoFixed));
}

bool TDazStringGrid::CheckRow(bool DoFixed, int Row)
{
    return CheckCells(FirstCol(DoFixed), Row, LastCol(DoFixed), Row);
}

bool TDazStringGrid::CheckGrid(bool DoFixed)
{
    return CheckCells(FirstCol(DoFixed), FirstRow(DoFixed), LastCol(DoFixed), LastRow(DoFixed));
}

// ---------------------------------------------------------------------------------------
// Fills
// ---------------------------------------------------------------------------------------

void TDazStringGrid::FillRange(bool DoFixed, const std::function<void(int, int)> &Fill)
{
    for (int r = FirstRow(DoFixed); r <= LastRow(DoFixed); ++r)
        for (int c = FirstCol(DoFixed); c <= LastCol(DoFixed); ++c)
            Fill(c, r);
    CalcFooter(-1);
}

void TDazStringGrid::TextFill(bool DoFixed, const QString &Txt)
{
    FillRange(DoFixed, [&](int c, int r) { SetCells(RealColIndex(c), r, Txt); });
}

void TDazStringGrid::FormatFill(bool DoFixed, const QString &Fmt)
{
    FillRange(DoFixed,
              [&](int c, int r) { SetCells(RealColIndex(c), r, Format(Fmt, {c, r})); });
}

void TDazStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    FillRange(DoFixed, [&](int c, int r) {
        SetInts(RealColIndex(c), r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TDazStringGrid::LinearFill(bool DoFixed)
{
    FillRange(DoFixed, [&](int c, int r) {
        SetCells(RealColIndex(c), r, QString::number(c) + u':' + QString::number(r));
    });
}

// ---------------------------------------------------------------------------------------
// URL display and the display-text hook
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetURLShow(bool Value)
{
    if (FURLShow == Value)
        return;
    FURLShow = Value;
    Invalidate();
}

void TDazStringGrid::SetURLShowInText(bool Value)
{
    if (FURLShowInText == Value)
        return;
    FURLShowInText = Value;
    Invalidate();
}

void TDazStringGrid::SetURLColor(TColor Value)
{
    FURLColor = Value;
    if (FURLShow)
        Invalidate();
}

void TDazStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        Invalidate();
}

void TDazStringGrid::GetDisplText(int ACol, int ARow, QString &Value)
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText && !Value.isEmpty()) {
        // The first prefix of the list that occurs anywhere is linked. One scan of the text
        // finds which occur (without regard to ASCII case), so a cell without a link costs
        // no copies.
        static constexpr QLatin1StringView prefixes[] = {
            QLatin1StringView("HTTP://"), QLatin1StringView("WWW."),    QLatin1StringView("MAILTO:"),
            QLatin1StringView("HTTPS://"), QLatin1StringView("NNTP://"), QLatin1StringView("FILE://"),
            QLatin1StringView("FTP://")};
        const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
        const qsizetype n = Value.size();
        const char16_t *text = reinterpret_cast<const char16_t *>(Value.constData());
        unsigned found = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t first = upper(text[i]);
            if (first != u'H' && first != u'W' && first != u'M' && first != u'N' && first != u'F')
                continue;
            for (size_t k = 0; k < std::size(prefixes); ++k) {
                const QLatin1StringView p = prefixes[k];
                if (p[0].unicode() != first || n - i < p.size())
                    continue;
                qsizetype j = 1;
                while (j < p.size() && upper(text[i + j]) == p[j].unicode())
                    ++j;
                if (j == p.size())
                    found |= 1u << k;
            }
        }
        for (size_t k = 0; found && k < std::size(prefixes); ++k) {
            QString linked;
            if ((found & (1u << k)) && LinkifyUrl(Value, QString(prefixes[k]), linked)) {
                Value = linked;
                break;
            }
        }
    }
    if (ACol == 1 && FGrouping.ShowGroupCount() && IsNode(ARow)) {
        const int count = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        const QString format = FGrouping.GroupCountFormat();
        Value += format.isEmpty() ? QStringLiteral(" (") + QString::number(count) + u')'
                                  : Format(format, {count});
    }
}

// ---------------------------------------------------------------------------------------
// Small accessors
// ---------------------------------------------------------------------------------------

int TDazStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= int(FPrintColWidths.size()))
        throw EDazGridError("Columns is not in valid range");
    return FPrintColWidths[size_t(ACol)];
}

int TDazStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= int(FPrintColOffsets.size()))
        throw EDazGridError("Columns is not in valid range");
    return FPrintColOffsets[size_t(ACol)];
}

void TDazStringGrid::SetPrintColumn(int ACol, int Width, int Offset)
{
    if (ACol < 0 || ACol >= int(FPrintColWidths.size()))
        return;
    FPrintColWidths[size_t(ACol)] = Width;
    FPrintColOffsets[size_t(ACol)] = Offset;
}

bool TDazStringGrid::IsSortIndicatorCell(int ACol, int ARow)
{
    if (IsMergedCell(ACol, ARow)) {
        const TPoint base = BaseCell(ACol, ARow);
        ARow = base.Y + CellSpan(base.X, base.Y).Y;
    }
    return ARow == FSortSettings.Row() && FSortSettings.Show() && RowCount() > FixedRows() + 1;
}

QString TDazStringGrid::LookToString(TGridLook Value)
{
    static const char *const names[] = {"glStandard", "glSoft", "glClassic",
                                        "glQVR",      "glXP",   "glListView",
                                        "glVista",    "glWin7", "glOffice2007"};
    return Value >= glStandard && Value < glCustom ? QString::fromLatin1(names[Value]) : QString();
}

bool TDazStringGrid::FramedLook(TGridLook Value)
{
    switch (Value) {
    case glSoft:
    case glQVR:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007:
        return true;
    default:
        return false;
    }
}

QString TDazStringGrid::LookDisplayName(TGridLook Value)
{
    static const char *const names[] = {"Standard", "Soft",          "Classic",
                                        "QVR",      "Windows XP",    "ListView",
                                        "Windows Vista", "Windows 7", "Office2007"};
    return Value >= glStandard && Value < glCustom ? QString::fromLatin1(names[Value]) : QString();
}
