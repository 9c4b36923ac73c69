#include "grid/tools/gridclipboard.h"

#include "grid/base/gridundo.h"
#include "grid/base/textroutines.h"
#include "grid/base/griddragdrop.h"
#include "grid/string/datetimetext.h"
#include "grid/string/gridmessages.h"
#include "grid/string/richtext.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridexchange.h"
#include "grid/tools/gridhtml.h"
#include "platform/clipboard.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QBuffer>
#include <QScopeGuard>
#include <functional>

namespace {

TGridToolState &State(TDazStringGrid &G) { return TGridToolState::Of(G); }

TRect ToRect(const TGridRect &R) { return TRect(R.Left, R.Top, R.Right, R.Bottom); }

// One cell of the text layout.
QString CellText(TDazStringGrid &G, int ACol, int ARow)
{
    const int rc = G.RealColIndex(ACol);
    QString t = TGridExchange::SaveCellText(G, rc, ARow);
    if (t.startsWith(QLatin1String("|\\")))
        t = DecodeWideCellText(t);
    if (t.contains(u'\r')) {
        if (G.ExcelClipboardFormat()) {
            QuoteWithVTBreaks(t);
        } else {
            // One LF per line break: two would add an empty line at every copy and paste.
            t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            t.replace(u'\r', u'\n');
            t = u'"' + t + u'"';
        }
    }
    if (!G.Navigation().CopyHTMLTagsToClipboard() && t.contains(QLatin1String("</")))
        t = G.StrippedCells(rc, ARow);
    else if (t.contains(QLatin1String("{\\")))
        t = RtfToPlainText(t);
    return t;
}

bool RowIncluded(TDazStringGrid &G, int ARow)
{
    const TMouseActions &m = G.MouseActions();
    return G.RowSelect(m.RowSelectPersistent() ? G.RealRowIndex(ARow) : ARow);
}

void MarkRowsModified(TDazStringGrid &G, int Top, int Bottom)
{
    if (G.ShowModified().Enabled())
        for (int r = Top; r <= Bottom; ++r)
            G.SetRowModified(r, true);
}

bool CanTake(TDazStringGrid &G, int RealCol, int ARow)
{
    return G.Navigation().AllowClipboardAlways() || G.IsEditable(RealCol, ARow);
}

void CellsPasted(TDazStringGrid &G, TPoint Source, TGridRect Target, TClipOperation Op)
{
    MarkRowsModified(G, Target.Top, Target.Bottom);
    if (auto &e = State(G).OnCellsPasted)
        e(&G, Source, Target, Op);
}

struct TUndoSequence
{
    explicit TUndoSequence(TDazStringGrid &G) : U(G.UndoRedo())
    {
        if (U)
            U->StartSequence();
    }
    ~TUndoSequence()
    {
        if (U)
            U->StopSequence();
    }
    TDazGridUndoRedo *U;
};

// Sends the import's done notification on every way out.
struct TImportRun
{
    explicit TImportRun(TDazStringGrid &G) : G(G) { G.ImportNotification(isImportStart, -1); }
    ~TImportRun()
    {
        try {
            G.ImportNotification(isImportDone, -1);
        } catch (...) {
        }
    }
    TDazStringGrid &G;
};

bool PasteAll = false;

QString Unquoted(QString Field)
{
    if (Field.contains(u'\n')) {
        if (Field.startsWith(u'"'))
            Field.remove(0, 1);
        const qsizetype q = Field.indexOf(u'"');
        if (q >= 0 && q == Field.size() - 1)
            Field.chop(1);
    }
    Field.replace(QChar(11), QLatin1String("\r\n"));
    return Field;
}

// One field of a text paste at (c, r) with its events; true when written.
bool PasteField(TDazStringGrid &G, int c, int r, QString Field)
{
    bool allow = true;
    const bool wide = Field.startsWith(QLatin1String("|\\"));
    QString decoded;
    if (wide) {
        decoded = DecodeWideCellText(Field);
        if (auto &e = State(G).OnClipboardBeforePasteWideCell)
            e(&G, c, r, decoded, allow);
        Field = EncodeWideCellText(decoded);
    } else if (G.OnClipboardBeforePasteCell) {
        G.OnClipboardBeforePasteCell(&G, c, r, Field, allow);
    }
    if (!allow)
        return false;
    GridClipboard::PasteCellValue(G, c, r, Field);
    if (wide) {
        if (auto &e = State(G).OnClipboardAfterPasteWideCell)
            e(&G, c, r, decoded);
    } else if (G.OnClipboardAfterPasteCell) {
        G.OnClipboardAfterPasteCell(&G, c, r, Field);
    }
    return true;
}

int FooterAdjustedRows(TDazStringGrid &G)
{
    const TFloatingFooter &f = G.FloatingFooter();
    return f.Visible() && f.FooterStyle() == fsFixedLastRow ? G.RowCount() - 1 : G.RowCount();
}

// The text parse of a paste. Write(c, r, field) stores a field inside the grid; Checked
// pastes grow only as allowed and take only cells CanTake accepts.
int ParseText(TDazStringGrid &G, int ACol, int ARow, int &Rows, int &Cols, const QString &Text,
              bool Checked, TPoint &Largest, const std::function<bool(int, int, const QString &)> &Write)
{
    const TNavigation &nav = G.Navigation();
    const bool colGrow = !Checked || nav.AllowClipboardColGrow();
    const bool rowGrow = !Checked || nav.AllowClipboardRowGrow();
    Rows = 0;
    int r = ARow, count = 0;
    Largest = TPoint(ACol, ARow);
    qsizetype pos = 0;
    const qsizetype n = Text.size();
    for (;;) {
        const qsizetype cr = Text.indexOf(u'\r', pos);
        const bool final = cr < 0;
        const QString line = Text.mid(pos, (final ? n : cr) - pos);
        ++Rows;
        if (Checked) {
            G.ImportNotification(PasteAll ? isImportNewRow : isImportSelRow, r);
            if (!line.isEmpty() && nav.ClipboardPasteAction() == paInsert)
                G.InsertRows(r, 1);
        }
        Cols = 1;
        int c = ACol;
        const QStringList fields = line.split(u'\t');
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const bool last = i + 1 == fields.size();
            if (!last)
                ++Cols;
            const QString field = Unquoted(fields[i]);
            if (colGrow && G.ColCount() < c + 1 && !(last && final && field.isEmpty()))
                G.SetColCount(c + 1);
            const bool handled = c < G.ColCount() && r < G.RowCount() &&
                                 (!last || !final || !field.isEmpty()) && Write(c, r, field);
            if (handled) {
                Largest.X = std::max(Largest.X, c);
                Largest.Y = std::max(Largest.Y, r);
            }
            ++count;
            if (!last || handled)
                ++c;
        }
        if (final)
            break;
        pos = cr + 1;
        if (pos < n && Text[pos] == u'\n')
            ++pos;
        if (pos < n) {
            ++r;
            if (r == FooterAdjustedRows(G) && rowGrow)
                G.SetRowCount(G.RowCount() + 1);
        } else if (!Checked) {
            break;
        }
    }
    return count;
}

QString TopLeftValue(TDazStringGrid &G, int ACol, int ARow)
{
    const int rc = G.RealColIndex(ACol);
    if (G.HasCheckBox(rc, ARow)) {
        bool state = false;
        G.GetCheckBoxState(rc, G.RealRowIndex(ARow), state);
        return state ? G.CheckTrue() : G.CheckFalse();
    }
    return G.Cells(rc, ARow);
}

// One cell of a fill or series: skipped when not editable, no events at the top-left.
void FillCell(TDazStringGrid &G, const TGridRect &S, int c, int r, QString v)
{
    if (!CanTake(G, G.RealColIndex(c), r))
        return;
    const bool topLeft = c == S.Left && r == S.Top;
    bool allow = true;
    if (!topLeft && G.OnClipboardBeforePasteCell)
        G.OnClipboardBeforePasteCell(&G, c, r, v, allow);
    if (!allow)
        return;
    GridClipboard::PasteCellValue(G, c, r, v);
    CellsPasted(G, State(G).ClipTopLeft, TGridRect{c, r, c, r}, coCopy);
    if (!topLeft && G.OnClipboardAfterPasteCell)
        G.OnClipboardAfterPasteCell(&G, c, r, v);
}

// The cells of a one-column or one-row selection in order.
std::vector<TPoint> LineCells(const TGridRect &S)
{
    std::vector<TPoint> out;
    if (S.Left == S.Right)
        for (int r = S.Top; r <= S.Bottom; ++r)
            out.push_back(TPoint(S.Left, r));
    else
        for (int c = S.Left; c <= S.Right; ++c)
            out.push_back(TPoint(c, S.Top));
    return out;
}

// Fills the line from its first cell on with Next(k) for k = 0, 1, ...; a conversion
// error ends the series quietly.
void Series(TDazStringGrid &G, const TGridRect &S, const std::function<QString(int)> &Next)
{
    const std::vector<TPoint> cells = LineCells(S);
    for (size_t k = 0; k < cells.size(); ++k) {
        QString v;
        try {
            v = Next(int(k));
        } catch (const std::exception &) {
            return;
        }
        FillCell(G, S, cells[k].X, cells[k].Y, v);
    }
}

void SmartSeries(TDazStringGrid &G, const TGridRect &S, int N)
{
    const std::vector<TPoint> cells = LineCells(S);
    if (cells.size() < 2)
        return;
    const QString a = G.Cells(G.RealColIndex(cells[0].X), cells[0].Y);
    const QString b = G.Cells(G.RealColIndex(cells[1].X), cells[1].Y);
    const QChar timeSep = GetTimeSeparator(), decSep = GetDecimalSeparator();
    const bool dateA = LooksLikeDate(a) || a.contains(timeSep);
    const bool dateB = LooksLikeDate(b) || b.contains(timeSep);
    int ia = 0, ib = 0;
    if (dateA && dateB) {
        TDateTime da = 0, db = 0;
        if (!TryStrToDateTime(a, da) || !TryStrToDateTime(b, db))
            return;
        int ya, ma, dya, yb, mb, dyb;
        DecodeDate(da, ya, ma, dya);
        DecodeDate(db, yb, mb, dyb);
        const bool dateText = a.contains(GetDateSeparator());
        TDateTime d = da;
        Series(G, S, [&](int k) {
            if (k > 0)
                d = AddDateStep(int16_t(yb - ya), int16_t(mb - ma), int16_t(dyb - dya), db - da, d);
            return dateText ? DateToStr(d) : TimeToStr(d);
        });
    } else if (a.contains(decSep) || b.contains(decSep)) {
        double x = 0, step = 0;
        if (!TryStrToFloat(a, x) || !TryStrToFloat(b, step))
            return;
        step -= x;
        Series(G, S, [&](int k) { return Format(G.FloatFormat(), {x + k * step}); });
    } else if (TryStrToInt(a, ia) && TryStrToInt(b, ib)) {
        Series(G, S, [&](int k) { return QString::number(int64_t(ia) + int64_t(k) * (ib - ia)); });
    } else {
        const int period = N - 1;
        for (size_t k = size_t(std::max(period, 1)); k < cells.size(); ++k) {
            const TPoint from = cells[k - size_t(std::max(period, 1))];
            const QString v = G.Cells(G.RealColIndex(from.X), from.Y);
            FillCell(G, S, cells[k].X, cells[k].Y, v);
        }
        return;
    }
}

}   // namespace

namespace GridClipboard {

QString GetRectAsText(TDazStringGrid &Grid, TGridRect Rect, bool Disjunct)
{
    State(Grid).ClipTopLeft = TPoint(Rect.Left, Rect.Top);
    const bool rowsOnly = Disjunct && Grid.MouseActions().DisjunctRowSelect() &&
                          !Grid.MouseActions().DisjunctColSelect();
    const bool colsOnly = Disjunct && Grid.MouseActions().DisjunctColSelect();
    std::vector<int> cols;
    for (int c = Rect.Left; c <= Rect.Right; ++c)
        if (!colsOnly || Grid.ColSelect(c))
            cols.push_back(c);
    const bool whole = Rect.Top <= Grid.FixedRows() && Rect.Bottom >= Grid.RowCount() - Grid.FixedFooters() - 1;

    Grid.ExportNotification(esExportStart, -1);
    auto done = qScopeGuard([&] {
        try {
            Grid.ExportNotification(esExportDone, -1);
        } catch (...) {
        }
    });
    QString out;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        Grid.ExportNotification(whole ? esExportNewRow : esExportSelRow, r);
        Grid.ExportNotification(esExportNewRow, r);
        if (rowsOnly && !RowIncluded(Grid, r))
            continue;
        for (size_t i = 0; i < cols.size(); ++i) {
            out += CellText(Grid, cols[i], r);
            if (i + 1 < cols.size())
                out += u'\t';
        }
        if (Rect.Bottom > Rect.Top)
            out += QLatin1String("\r\n");
    }
    return out;
}

QString GetSelectionAsText(TDazStringGrid &Grid) { return GetRectAsText(Grid, Grid.Selection(), false); }

void CopyCellAsRTF(TDazStringGrid &Grid, int ACol, int ARow)
{
    const QString raw = Grid.Cells(Grid.RealColIndex(ACol), ARow);
    if (raw.contains(QLatin1String("{\\")))
        Clipboard().AddData(MimeRichText, Encode_Windows1252(raw));
}

void CopyRectAsCells(TDazStringGrid &Grid, TGridRect Rect)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    GridCellStream::SaveRectToBinStream(Grid, ToRect(Rect), buf);
    Clipboard().AddData(GridCellsClipboardFormat(), data);
}

void CopyRectToClipboard(TDazStringGrid &Grid, TGridRect Rect, bool Disjunct)
{
    Clipboard().SetText(GetRectAsText(Grid, Rect, Disjunct));
    if (Grid.Navigation().AllowRTFClipboard())
        CopyCellAsRTF(Grid, Rect.Left, Rect.Top);
    if (Grid.Navigation().AllowFmtClipboard())
        CopyRectAsCells(Grid, Rect);
}

void ExtendSelectionToMerges(TDazStringGrid &Grid)
{
    TGridRect s = Grid.Selection();
    const TGridRect old = s;
    if (Grid.IsMergedCell(s.Left, s.Top)) {
        const TPoint b = Grid.BaseCell(s.Left, s.Top);
        s.Left = std::min(s.Left, b.X);
        s.Top = std::min(s.Top, b.Y);
    }
    if (Grid.IsMergedCell(s.Right, s.Bottom)) {
        const TPoint b = Grid.BaseCell(s.Right, s.Bottom);
        const TPoint span = Grid.CellSpan(b.X, b.Y);
        s.Right = std::max(s.Right, b.X + span.X);
        s.Bottom = std::max(s.Bottom, b.Y + span.Y);
    }
    if (s.Left != old.Left || s.Top != old.Top || s.Right != old.Right || s.Bottom != old.Bottom)
        Grid.SetSelection(s);
}

void CopySelectionToClipboard(TDazStringGrid &Grid)
{
    ExtendSelectionToMerges(Grid);
    const TMouseActions &m = Grid.MouseActions();
    const bool fmt = Grid.Navigation().AllowFmtClipboard();
    if (m.DisjunctRowSelect() && !fmt)
        CopyRectToClipboard(Grid,
                            TGridRect{Grid.FixedCols(), Grid.SaveStartRow(),
                                      Grid.ColCount() - Grid.FixedRightCols() - 1, Grid.SaveEndRow()},
                            true);
    else if (m.DisjunctColSelect() && !fmt)
        CopyRectToClipboard(Grid, TGridRect{Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow()},
                            true);
    else
        CopyRectToClipboard(Grid, Grid.Selection(), false);
    State(Grid).ClipLastOp = coCopy;
}

void CopyToClipBoard(TDazStringGrid &Grid)
{
    CopyRectToClipboard(Grid, TGridRect{Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow()},
                        false);
    State(Grid).ClipLastOp = coCopy;
}

void CutSelectionToClipboard(TDazStringGrid &Grid)
{
    const TGridRect r0 = Grid.Selection();
    CopySelectionToClipboard(Grid);
    const TMouseActions &m = Grid.MouseActions();
    if (m.DisjunctRowSelect()) {
        for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
            if (RowIncluded(Grid, r)) {
                Grid.ClearRows(r, 1);
                MarkRowsModified(Grid, r, r);
            }
    } else if (m.DisjunctColSelect()) {
        for (int c = Grid.FixedCols(); c < Grid.ColCount(); ++c)
            if (Grid.ColSelect(c))
                Grid.ClearCols(c, 1);
    } else {
        const TGridRect s = Grid.Selection();
        {
            TUndoSequence undo(Grid);
            for (int c = s.Left; c <= s.Right; ++c) {
                const int rc = Grid.RealColIndex(c);
                for (int r = s.Top; r <= s.Bottom; ++r)
                    if (CanTake(Grid, rc, r)) {
                        if (undo.U)
                            undo.U->RegisterChange(rc, r, Grid.Cells(rc, r), QString());
                        Grid.SetCells(rc, r, QString());
                    }
            }
            MarkRowsModified(Grid, s.Top, s.Bottom);
        }
        if (Grid.Navigation().AllowFmtClipboard())
            Grid.FreeCellPropertiesRange(s.Left, s.Top, s.Right, s.Bottom);
    }
    State(Grid).ClipLastOp = coCut;
    Grid.CellsChanged(ToRect(r0));
    if (Grid.NumHiddenColumns() > 0)
        Grid.Invalidate();
}

void CutToClipboard(TDazStringGrid &Grid)
{
    const TGridRect s{Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow()};
    CopyRectToClipboard(Grid, s, false);
    for (int r = s.Top; r <= s.Bottom; ++r)
        for (int c = s.Left; c <= s.Right; ++c) {
            const int rc = Grid.RealColIndex(c);
            if (CanTake(Grid, rc, r))
                Grid.SetCells(rc, r, QString());
        }
    MarkRowsModified(Grid, s.Top, s.Bottom);
    State(Grid).ClipLastOp = coCut;
}

void CopyToClipBoardAsHTML(TDazStringGrid &Grid)
{
    const QString html = GridHTML::SaveToHTMLString(Grid, QString());
    QString wrapped = html;
    WrapAsClipboardHtml(wrapped);
    IClipboard &board = Clipboard();
    board.SetText(wrapped);
    board.AddData(MimeClipboardHtml, Encode_Windows1252(wrapped));
    board.AddData(QStringLiteral("text/html"), html.toUtf8());
}

void PasteCellValue(TDazStringGrid &Grid, int ACol, int ARow, const QString &Value)
{
    const int rc = Grid.RealColIndex(ACol);
    if (TDazGridUndoRedo *u = Grid.UndoRedo())
        u->RegisterChange(rc, ARow, Grid.Cells(rc, ARow), Value);
    if (Grid.HasCheckBox(rc, ARow))
        Grid.SetCheckBoxStateNotify(rc, ARow, Value == Grid.CheckTrue());
    else
        Grid.SetCells(rc, ARow, Value);
    if (rc != ACol)
        Grid.InvalidateCell(ACol, ARow);
}

int PasteText(TDazStringGrid &Grid, int ACol, int ARow, int &Rows, int &Cols, const QString &Text)
{
    Rows = Cols = 0;
    if (ACol < 0 || ARow < 0)
        return 0;
    if (!Grid.Options().Contains(goEditing) && !Grid.Navigation().AllowClipboardAlways() &&
        !Grid.MouseActions().RangeSelectAndEdit())
        return 0;
    TPoint largest;
    int count = 0;
    {
        TUndoSequence undo(Grid);
        count = ParseText(Grid, ACol, ARow, Rows, Cols, Text, true, largest, [&](int c, int r, const QString &f) {
            return CanTake(Grid, Grid.RealColIndex(c), r) && PasteField(Grid, c, r, f);
        });
    }
    const TGridRect target{ACol, ARow, largest.X, largest.Y};
    CellsPasted(Grid, State(Grid).ClipTopLeft, target, State(Grid).ClipLastOp);
    Grid.CellsChanged(TRect(Grid.RealColIndex(ACol), ARow, Grid.RealColIndex(largest.X), largest.Y));
    return count;
}

TPoint GetClipboardTextSize(const QString &Text)
{
    TPoint size(0, 0);
    const QStringList lines = Text.split(u'\r');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (i > 0 && line.startsWith(u'\n'))
            line.remove(0, 1);
        size.X = std::max(size.X, int(line.count(u'\t')) + 1);
        if (i + 1 < lines.size() && !line.isEmpty())
            ++size.Y;
    }
    return size;
}

void SetSelectionAsText(TDazStringGrid &Grid, const QString &Value)
{
    const TGridRect s = Grid.Selection();
    int rows = 0, cols = 0;
    TPoint largest;
    ParseText(Grid, s.Left, s.Top, rows, cols, Value, false, largest, [&](int c, int r, const QString &f) {
        Grid.SetGridCell(Grid.RealColIndex(c), r, f);
        return true;
    });
    Grid.CellsChanged(TRect(Grid.RealColIndex(s.Left), s.Top, Grid.RealColIndex(largest.X), largest.Y));
}

int PasteFromClipboardAt(TDazStringGrid &Grid, int ACol, int ARow, int &Rows, int &Cols)
{
    IClipboard &board = Clipboard();
    const TNavigation &nav = Grid.Navigation();
    Rows = Cols = 0;
    if (nav.AllowFmtClipboard() && board.HasFormat(GridCellsClipboardFormat())) {
        QByteArray data = board.Data(GridCellsClipboardFormat());
        const GridCellStream::TBinStreamHeader h = GridCellStream::ReadBinStreamHeader(data);
        const bool insert = nav.ClipboardPasteAction() == paInsert;
        if (ACol + h.ColCount >= Grid.ColCount() && nav.AllowClipboardColGrow())
            Grid.SetColCount(ACol + h.ColCount);
        if (ARow + h.RowCount >= Grid.RowCount() && nav.AllowClipboardRowGrow())
            Grid.SetRowCount(ARow + h.RowCount);
        if (insert)
            Grid.InsertRows(ARow, h.RowCount);
        Rows = h.RowCount;
        Cols = h.ColCount;
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        GridCellStream::LoadAtPointFromBinStream(Grid, TPoint(ACol, ARow), buf);
        const TGridRect target{ACol, ARow, ACol + h.ColCount - 1, ARow + h.RowCount - 1};
        const TPoint source = h.ID == GridCellStream::BinStreamID(Grid) ? State(Grid).ClipTopLeft : TPoint(-1, -1);
        CellsPasted(Grid, source, target, State(Grid).ClipLastOp);
        return h.ColCount * h.RowCount;
    }
    if (nav.AllowRTFClipboard() && board.HasFormat(MimeRichText)) {
        QString text = Decode_Windows1252(board.Data(MimeRichText));
        const qsizetype zero = text.indexOf(QChar(0));
        if (zero >= 0)
            text.truncate(zero);
        if (Grid.IsEditable(Grid.RealColIndex(ACol), ARow))
            PasteCellValue(Grid, ACol, ARow, text);
        Rows = Cols = 1;
        return 0;
    }
    if (board.HasText()) {
        const QString text = board.Text();
        if (!text.isEmpty())
            return PasteText(Grid, ACol, ARow, Rows, Cols, text);
    }
    return 0;
}

void PasteFromClipboard(TDazStringGrid &Grid)
{
    TImportRun run(Grid);
    PasteAll = true;
    auto reset = qScopeGuard([] { PasteAll = false; });
    int rows = 0, cols = 0;
    PasteFromClipboardAt(Grid, Grid.SaveStartCol(), Grid.SaveStartRow(), rows, cols);
    Grid.UpdateFooter();
}

void PasteSelectionFromClipboard(TDazStringGrid &Grid)
{
    TImportRun run(Grid);
    PasteAll = false;
    ExtendSelectionToMerges(Grid);
    TGridRect s = Grid.Selection();
    int rows = 0, cols = 0;
    const int n = PasteFromClipboardAt(Grid, Grid.Options().Contains(goRowSelect) ? Grid.FixedCols() : s.Left,
                                       s.Top, rows, cols);
    s = Grid.Selection();
    const int cells = (s.Right - s.Left + 1) * (s.Bottom - s.Top + 1);
    if (!Grid.Navigation().AllowSmartClipboard() || n == cells + 1)
        return;
    if (n == 1 && cells > 1) {
        const QString v = TopLeftValue(Grid, s.Left, s.Top);
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                FillCell(Grid, s, c, r, v);
    } else if (n > 1 && (s.Left == s.Right || s.Top == s.Bottom)) {
        SmartSeries(Grid, s, n);
    } else if (s.Left != s.Right && s.Top != s.Bottom) {
        if (rows == 1) {
            for (int r = s.Top + 1; r <= s.Bottom; ++r) {
                Grid.SetRow(r);
                PasteFromClipboardAt(Grid, s.Left, r, rows, cols);
            }
            Grid.SetSelection(s);
        }
        if (cols == 1) {
            for (int c = s.Left + 1; c <= s.Right; ++c) {
                Grid.SetCol(c);
                PasteFromClipboardAt(Grid, c, s.Top, rows, cols);
            }
            Grid.SetSelection(s);
        }
    }
    Grid.CellsChanged(ToRect(s));
    Grid.UpdateFooter();
}

}   // namespace GridClipboard
