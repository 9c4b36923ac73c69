#include "exchange_fixture.h"

#include "grid/base/gridundo.h"
#include "grid/base/griddragdrop.h"
#include "grid/string/gridmessages.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridclipboard.h"
#include "platform/clipboard.h"
#include "platform/textcodec.h"

#include <QBuffer>

using namespace GridClipboard;

namespace {

struct ClipboardTest : ExchangeTest
{
    TMemoryClipboardGuard Board;
    ClipboardTest() { Grid.SetOptions(Grid.Options() + goEditing); }
    // Editable grid of blanks.
    void Blank(int Cols, int Rows)
    {
        Grid.Clear();
        Fill(std::vector<QStringList>(size_t(Rows), QStringList(Cols, QString())));
    }
    void Select(int L, int T, int R, int B) { Grid.SetSelection(TGridRect{L, T, R, B}); }
};

TEST_F(ClipboardTest, TextLayout)
{
    Fill({{"a", "b", "x"}, {"c", "d", "y"}, {"l1\r\nl2", "<b>t</b>", "<b>open"}});
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{0, 0, 1, 1}, false), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{0, 0, 2, 0}, false), "a\tb\tx");
    Grid.Navigation().SetCopyHTMLTagsToClipboard(false);
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{0, 2, 2, 2}, false), "\"l1\nl2\"\tt\t<b>open");
    Grid.Navigation().SetCopyHTMLTagsToClipboard(true);
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{1, 2, 1, 2}, false), "<b>t</b>");
    Grid.SetExcelClipboardFormat(true);
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{0, 2, 0, 2}, false), "\"l1\x0bl2\"");
    Grid.SetCells(0, 0, EncodeWideCellText(QStringLiteral("\u4e2d")));
    EXPECT_EQ(GetRectAsText(Grid, TGridRect{0, 0, 0, 0}, false), QStringLiteral("\u4e2d"));

    // Disjunct rows: only the flagged ones, over all normal columns.
    Grid.MouseActions().SetDisjunctRowSelect(true);
    Grid.SetRowSelect(1, true);
    CopySelectionToClipboard(Grid);
    EXPECT_EQ(Board.Board.Text(), "c\td\ty\r\n");
}

TEST_F(ClipboardTest, FormatsAndNotifications)
{
    Fill({{"{\\rtf1 x}", "b"}, {"c", "d"}});
    Select(0, 0, 1, 1);
    CopySelectionToClipboard(Grid);
    EXPECT_FALSE(Board.Board.HasFormat(MimeRichText));
    EXPECT_FALSE(Board.Board.HasFormat(GridCellsClipboardFormat()));
    Grid.Navigation().SetAllowRTFClipboard(true);
    Grid.Navigation().SetAllowFmtClipboard(true);
    CopySelectionToClipboard(Grid);
    EXPECT_TRUE(Board.Board.HasText());
    EXPECT_EQ(Decode_Windows1252(Board.Board.Data(MimeRichText)), "{\\rtf1 x}");
    QByteArray expected;
    QBuffer buf(&expected);
    buf.open(QIODevice::WriteOnly);
    GridCellStream::SaveRectToBinStream(Grid, TRect(0, 0, 1, 1), buf);
    EXPECT_EQ(Board.Board.Data(GridCellsClipboardFormat()), expected);
    EXPECT_EQ(TGridToolState::Of(Grid).ClipLastOp, coCopy);
    EXPECT_EQ(TGridToolState::Of(Grid).ClipTopLeft, TPoint(0, 0));

    CopyToClipBoardAsHTML(Grid);
    const QString wrapped = Board.Board.Text();
    EXPECT_TRUE(wrapped.startsWith(QStringLiteral("Version:")));
    EXPECT_EQ(Board.Board.Data(MimeClipboardHtml), Encode_Windows1252(wrapped));
    EXPECT_TRUE(QString::fromUtf8(Board.Board.Data("text/html")).startsWith("<style>"));
}

TEST_F(ClipboardTest, SelectionGrowsOverMerges)
{
    Blank(4, 4);
    Grid.MergeCells(0, 0, 2, 2);
    Grid.MergeCells(2, 2, 2, 2);
    Select(1, 1, 2, 2);
    ExtendSelectionToMerges(Grid);
    const TGridRect s = Grid.Selection();
    EXPECT_EQ((std::vector<int>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<int>{0, 0, 3, 3}));
}

TEST_F(ClipboardTest, CutClearsEditableCellsInOneUndoStep)
{
    Fill({{"a", "b"}, {"c", "d"}});
    Grid.SetOptions(Grid.Options() + goEditing);
    Grid.OnCanEditCell = [](TObject *, int ARow, int ACol, bool &CanEdit) { CanEdit = !(ACol == 1 && ARow == 0); };
    TDazGridUndoRedo undo;
    Grid.SetUndoRedo(&undo);
    TRect changed;
    Grid.OnCellsChanged = [&](TObject *, const TRect &R) { changed = R; };
    Select(0, 0, 1, 1);
    CutSelectionToClipboard(Grid);
    EXPECT_EQ(Board.Board.Text(), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(Rows(), QStringList({"|b", "|"}));
    EXPECT_EQ(changed.Right, 1);
    EXPECT_EQ(changed.Bottom, 1);
    EXPECT_EQ(TGridToolState::Of(Grid).ClipLastOp, coCut);
    undo.Undo();
    EXPECT_EQ(Rows(), QStringList({"a|b", "c|d"}));
    Grid.Navigation().SetAllowClipboardAlways(true);
    Select(0, 0, 1, 1);
    CutSelectionToClipboard(Grid);
    EXPECT_EQ(Rows(), QStringList({"|", "|"}));
    Grid.SetUndoRedo(nullptr);
}

TEST_F(ClipboardTest, PasteTextGrowsAndCounts)
{
    Blank(3, 3);
    int rows = 0, cols = 0;
    EXPECT_EQ(PasteText(Grid, 1, 1, rows, cols, "a\tb\tc\r\nd\te\tf\r\n"), 7);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.RowCount(), 3);
    EXPECT_EQ(Rows(), QStringList({"|||", "|a|b|c", "|d|e|f"}));

    Blank(3, 3);
    Grid.Navigation().SetAllowClipboardColGrow(false);
    Grid.Navigation().SetAllowClipboardRowGrow(false);
    EXPECT_EQ(PasteText(Grid, 1, 1, rows, cols, "a\tb\tc\r\nd\te\tf\r\ng\r\n"), 8);
    EXPECT_EQ(Rows(), QStringList({"||", "|a|b", "|d|e"}));
    EXPECT_EQ(Grid.Cells(3, 1), "");
    Grid.Navigation().SetAllowClipboardColGrow(true);
    Grid.Navigation().SetAllowClipboardRowGrow(true);

    Blank(2, 2);
    PasteText(Grid, 0, 0, rows, cols, "\"l1\nl2\"\tx");
    EXPECT_EQ(Grid.Cells(0, 0), "l1\nl2");
    EXPECT_EQ(GetClipboardTextSize("a\tb\r\nc"), TPoint(2, 1));

    // A copy and paste keeps a multi-line cell as it was, up to its line breaks.
    Fill({{"x\r\ny", "z"}});
    const QString text = GetRectAsText(Grid, TGridRect{0, 0, 1, 0}, false);
    Blank(2, 1);
    PasteText(Grid, 0, 0, rows, cols, text);
    EXPECT_EQ(Grid.Cells(0, 0), "x\ny");
}

TEST_F(ClipboardTest, PasteEventsInsertCheckBoxesAndUndo)
{
    Blank(2, 3);
    Grid.OnClipboardBeforePasteCell = [](TObject *, int ACol, int, QString &Value, bool &Allow) {
        if (ACol == 1)
            Allow = false;
        Value = Value.toUpper();
    };
    TDazGridUndoRedo undo;
    Grid.SetUndoRedo(&undo);
    int rows = 0, cols = 0;
    PasteText(Grid, 0, 0, rows, cols, "a\tb\r\nc\td");
    EXPECT_EQ(Rows(), QStringList({"A|", "C|", "|"}));
    undo.Undo();
    EXPECT_EQ(Rows(), QStringList({"|", "|", "|"}));
    Grid.SetUndoRedo(nullptr);
    Grid.OnClipboardBeforePasteCell = nullptr;

    Grid.AddCheckBox(0, 0, false, false);
    PasteText(Grid, 0, 0, rows, cols, "Y");
    bool state = false;
    Grid.GetCheckBoxState(0, 0, state);
    EXPECT_TRUE(state);

    Fill({{"keep", ""}, {"", ""}});
    Grid.SetOptions(Grid.Options() + goEditing);
    Grid.Navigation().SetClipboardPasteAction(paInsert);
    PasteText(Grid, 0, 0, rows, cols, "n1\r\nn2");
    EXPECT_EQ(Rows(), QStringList({"n1|", "n2|", "keep|", "|"}));
    Grid.Navigation().SetClipboardPasteAction(paReplace);

    // Wide fields go through the wide events.
    Blank(1, 1);
    QString seen;
    TGridToolState::Of(Grid).OnClipboardBeforePasteWideCell = [&](TObject *, int, int, QString &V, bool &) { seen = V; };
    PasteText(Grid, 0, 0, rows, cols, EncodeWideCellText(QStringLiteral("\u4e2d")));
    EXPECT_EQ(seen, QStringLiteral("\u4e2d"));
}

TEST_F(ClipboardTest, CellFormatPasteReportsItsSource)
{
    Fill({{"a", "b", ""}, {"c", "d", ""}, {"", "", ""}});
    Grid.Navigation().SetAllowFmtClipboard(true);
    Select(0, 0, 1, 1);
    CopySelectionToClipboard(Grid);
    TPoint source(9, 9);
    TGridRect target{};
    TGridToolState::Of(Grid).OnCellsPasted = [&](TObject *, TPoint S, TGridRect T, TClipOperation) {
        source = S;
        target = T;
    };
    int rows = 0, cols = 0;
    EXPECT_EQ(PasteFromClipboardAt(Grid, 2, 1, rows, cols), 4);
    EXPECT_EQ(Rows(), QStringList({"a|b||", "c|d|a|b", "||c|d"}));
    EXPECT_EQ(source, TPoint(0, 0));
    EXPECT_EQ(target.Right, 3);

    TDazStringGrid other;
    other.Navigation().SetAllowFmtClipboard(true);
    TGridToolState::Of(other).OnCellsPasted = [&](TObject *, TPoint S, TGridRect, TClipOperation) { source = S; };
    PasteFromClipboardAt(other, 1, 1, rows, cols);
    EXPECT_EQ(source, TPoint(-1, -1));
    EXPECT_EQ(other.Cells(2, 2), "d");
}

TEST_F(ClipboardTest, SmartFill)
{
    Grid.Navigation().SetAllowSmartClipboard(true);
    struct Case {
        QString copied;   // clipboard text
        QStringList expected;
    } cases[] = {
        {"1\r\n3\r\n", {"1", "3", "5", "7", "9"}},
        {"1.5\r\n2\r\n", {"1.50", "2.00", "2.50", "3.00", "3.50"}},
        {"15/01/2024\r\n15/02/2024\r\n", {"15/01/2024", "15/02/2024", "15/03/2024", "15/04/2024", "15/05/2024"}},
        {"x\r\ny\r\n", {"x", "y", "x", "y", "x"}},
        {"01/01/9998\r\n01/01/9999\r\n", {"01/01/9998", "01/01/9999", "", "", ""}},
    };
    for (const Case &c : cases) {
        Blank(1, 5);
        Select(0, 0, 0, 4);
        Board.Board.SetText(c.copied);
        PasteSelectionFromClipboard(Grid);
        EXPECT_EQ(Column(0), c.expected) << c.copied.toStdString();
    }
    // One value over a 3 x 3 selection; read-only cells are skipped.
    Blank(3, 3);
    Grid.OnCanEditCell = [](TObject *, int ARow, int ACol, bool &CanEdit) { CanEdit = !(ACol == 1 && ARow == 1); };
    Select(0, 0, 2, 2);
    Board.Board.SetText("v");
    PasteSelectionFromClipboard(Grid);
    EXPECT_EQ(Rows(), QStringList({"v|v|v", "v||v", "v|v|v"}));
    Blank(1, 4);
    Select(0, 0, 0, 3);
    Board.Board.SetText("1\r\n2\r\n");
    PasteSelectionFromClipboard(Grid);
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3", "4"}));
}

TEST_F(ClipboardTest, SetSelectionAsTextWritesRaw)
{
    Blank(1, 1);
    Grid.SetOptions(Grid.Options() - goEditing);
    Grid.OnClipboardBeforePasteCell = [](TObject *, int, int, QString &, bool &Allow) { Allow = false; };
    Select(0, 0, 0, 0);
    SetSelectionAsText(Grid, "a\tb\r\nc\td");
    EXPECT_EQ(Rows(), QStringList({"a|b", "c|d"}));
}

}   // namespace

namespace {

struct TNotifiedGrid : TDazStringGrid
{
    std::vector<std::pair<int, int>> Seen;
    void ImportNotification(TGridImportState AState, int ARow) override { Seen.emplace_back(int(AState), ARow); }
};

TEST(ClipboardPaste, NotifiesEveryLineAndRichTextGoesToOneCell)
{
    InstallGridTools();
    TMemoryClipboardGuard board;
    TNotifiedGrid g;
    g.SetOptions(g.Options() + goEditing);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetSelection(TGridRect{1, 1, 1, 1});
    board.Board.SetText("a\r\nb");
    PasteSelectionFromClipboard(g);
    EXPECT_EQ(g.Seen, (std::vector<std::pair<int, int>>{
                          {isImportStart, -1}, {isImportSelRow, 1}, {isImportSelRow, 2}, {isImportDone, -1}}));
    g.Navigation().SetAllowRTFClipboard(true);
    board.Board.AddData(MimeRichText, "{\\rtf1 q}");
    int rows = 0, cols = 0;
    EXPECT_EQ(PasteFromClipboardAt(g, 0, 0, rows, cols), 0);
    EXPECT_EQ(g.Cells(0, 0), "{\\rtf1 q}");
    EXPECT_EQ(g.Cells(0, 1), "");
}

}   // namespace
