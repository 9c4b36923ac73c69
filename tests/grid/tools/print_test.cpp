// Printing the grid: page layout in tenths of a millimetre on a recording page canvas, page
// numbers, header and footer texts, borders, fit to page, the counting passes, and the
// print, preview and direct drawing entry points (a PDF file stands for the printer).
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridprint.h"
#include "platform/files.h"
#include "platform/pagecanvas.h"
#include "platform/printer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace GridPrint;

namespace {

// A4 at 96 pixels per inch.
constexpr int PageW = 794, PageH = 1123;

class TNotifyGrid : public TDazStringGrid
{
public:
    std::vector<TGridExportState> States;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        if (AState == esExportStart || AState == esExportDone)
            States.push_back(AState);
    }
};

struct PrintFixture : ::testing::Test {
    TNotifyGrid Grid;
    std::vector<TCanvasOp> Ops;

    void Fill(int Cols, int Rows, const QString &Text = QStringLiteral("cell"))
    {
        Grid.SetColCount(Cols);
        Grid.SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                Grid.SetCells(c, r, QStringLiteral("%1 %2.%3").arg(Text).arg(c).arg(r));
    }

    // Counts as the printer driver does, then draws every page: the page count.
    int CountAndDraw()
    {
        Grid.SetPrintRectangle({0, 0, Grid.ColCount() - 1, Grid.RowCount() - 1});
        QImage img(PageW, PageH, QImage::Format_RGB32);
        img.fill(Qt::white);
        TCanvas canvas(&img);
        TPageCanvas pc(canvas, 96, 96);
        Grid.SetPrevRect(TRect(0, 0, 2100, 2970));
        const int pages = PrintPages(Grid, pc, pmCountPrint, -1, false);
        Grid.SetPrintPageFrom(1);
        Grid.SetPrintPageTo(pages);
        SetPageRecorder(&Ops);
        const int drawn = PrintPages(Grid, pc, pmDrawPrint, pages, false);
        SetPageRecorder(nullptr);
        EXPECT_EQ(drawn, pages);
        return pages;
    }

    QStringList Texts()
    {
        QStringList t;
        for (const TCanvasOp &op : Ops)
            if (op.Name == "TextOut" || op.Name == "DrawText")
                t << op.Text;
        return t;
    }
    // The texts that hold a page number.
    QStringList PageNumbers()
    {
        QStringList t;
        for (const QString &s : Texts())
            if (s.startsWith(" [")) {
                t << s.trimmed();
            }
        return t;
    }
};

}   // namespace

TEST(PrintUnits, FontMappingAndDateFormats)
{
    TDazStringGrid g;
    EXPECT_EQ(MapFontHeight(g, 10), -35);
    g.SetFontscalefactor(0.5);
    EXPECT_EQ(MapFontHeight(g, 10), -17);
    EXPECT_EQ(MapFontSize(35), 9);
    const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 2));
    EXPECT_EQ(FormatDateTimeText("dd/mm/yyyy", when), "07/03/2024");
    EXPECT_EQ(FormatDateTimeText("hh:nn", when), "09:05");
    EXPECT_EQ(FormatDateTimeText("hh:mm:ss", when), "09:05:02");
    EXPECT_EQ(FormatDateTimeText("d.m.yy 'at' h", when), "7.3.24 at 9");
}

TEST_F(PrintFixture, PageNumbersOverPagesAndColumnPages)
{
    Fill(2, 120);
    Grid.PrintSettings().SetPageNr(ppBottomRight);
    Grid.PrintSettings().SetPagePrefix("[");
    Grid.PrintSettings().SetPageSuffix("]");
    Grid.PrintSettings().SetPageNumSep("/");
    const int pages = CountAndDraw();
    ASSERT_EQ(pages, 3);
    EXPECT_EQ(PageNumbers(), QStringList({"[ 1/3 ]", "[ 2/3 ]", "[ 3/3 ]"}));

    Ops.clear();
    Grid.PrintSettings().SetPageNumberOffset(10);
    Grid.PrintSettings().SetMaxPagesOffset(10);
    CountAndDraw();
    EXPECT_EQ(PageNumbers().value(0), "[ 11/13 ]");

    Ops.clear();
    Grid.PrintSettings().SetPageNumberOffset(0);
    Grid.PrintSettings().SetMaxPagesOffset(0);
    Grid.SetRowCount(3);
    EXPECT_EQ(CountAndDraw(), 1);
    EXPECT_EQ(PageNumbers(), QStringList({"[ 1 ]"}));

    // Columns wider than one page: row page - column page.
    Ops.clear();
    Fill(12, 120, "a rather long text for the width");
    const int wide = CountAndDraw();
    const QStringList nums = PageNumbers();
    ASSERT_EQ(nums.size(), wide);
    EXPECT_EQ(nums[0], "[ 1-1 ]");
    EXPECT_EQ(nums[1], "[ 2-1 ]");
    EXPECT_TRUE(nums.contains("[ 1-2 ]"));
    int remapped = 0;
    Grid.OnPrintGetPageNum = [&](TObject *, int, int, QString &s) {
        ++remapped;
        s = "p";
    };
    Ops.clear();
    CountAndDraw();
    EXPECT_EQ(remapped, wide);
}

TEST_F(PrintFixture, HeaderTextsJoinTimeDateAndTitle)
{
    Fill(2, 3);
    TPrintSettings &ps = Grid.PrintSettings();
    ps.SetTime(ppTopRight);
    ps.SetDate(ppTopRight);
    ps.SetDateFormat("yyyy");
    CountAndDraw();
    const QString year = QString::number(QDate::currentDate().year());
    const QRegularExpression right("^ \\d\\d:\\d\\d " + year + "$");
    EXPECT_TRUE(Texts().indexOf(right) >= 0) << Texts().join('|').toStdString();

    Ops.clear();
    ps.SetTime(ppTopLeft);
    ps.SetDate(ppTopLeft);
    CountAndDraw();
    const QRegularExpression left("^" + year + " \\d\\d:\\d\\d $");
    EXPECT_TRUE(Texts().indexOf(left) >= 0);

    Ops.clear();
    ps.SetTime(ppNone);
    ps.SetDate(ppNone);
    ps.SetTitle(ppTopCenter);
    TStringList title;
    title.Add("Sales");
    title.Add("2023");
    ps.SetTitleLines(title);
    CountAndDraw();
    EXPECT_TRUE(Texts().contains("Sales"));
    EXPECT_TRUE(Texts().contains("2023"));
    ps.SetTitleText("Report");
    Ops.clear();
    CountAndDraw();
    EXPECT_TRUE(Texts().contains(" Report"));
    EXPECT_FALSE(Texts().contains("Sales"));
}

TEST_F(PrintFixture, RotatedCellsPrintThroughTheRotatedPainter)
{
    Fill(2, 3);
    Grid.AddRotated(1, 1, 90, "up");
    CountAndDraw();
    int rotated = 0;
    for (const TCanvasOp &op : Ops)
        if (op.Name == "Rotated") {
            ++rotated;
            EXPECT_EQ(op.Text, "up");
        }
    EXPECT_EQ(rotated, 1);
    EXPECT_FALSE(Texts().contains("up"));
}

TEST_F(PrintFixture, BordersAroundHorizontal)
{
    Fill(2, 3);
    Grid.PrintSettings().SetBorders(pbAroundHorizontal);
    CountAndDraw();
    int rects = 0, horizontal = 0, vertical = 0;
    for (const TCanvasOp &op : Ops) {
        if (op.Name == "Rectangle")
            ++rects;
        if (op.Name == "LineTo") {
            if (op.Rect.Top == op.Rect.Bottom)
                ++horizontal;
            else if (op.Rect.Left == op.Rect.Right)
                ++vertical;
        }
    }
    EXPECT_EQ(rects, 1);
    EXPECT_EQ(vertical, 0);
    EXPECT_EQ(horizontal, 2 * 6 + 1);   // top and bottom of each of 6 cells, one closing line
}

TEST_F(PrintFixture, FitToPageScalesOnlyTheWayAsked)
{
    auto widthsFor = [&](TFitToPage fit) {
        Grid.PrintSettings().SetFitToPage(fit);
        CountAndDraw();
        return std::vector<int>{Grid.PrintColWidth(0), Grid.PrintColWidth(1)};
    };
    Fill(2, 3, "x");   // narrow columns
    const auto narrow = widthsFor(fpNever);
    EXPECT_EQ(widthsFor(fpShrink), narrow);
    EXPECT_GT(widthsFor(fpGrow)[0], narrow[0]);
    EXPECT_GT(widthsFor(fpAlways)[0], narrow[0]);
    bool asked = false;
    Grid.OnFitToPage = [&](TObject *, double &, bool &Allow) {
        asked = true;
        Allow = false;
    };
    EXPECT_EQ(widthsFor(fpCustom), narrow);
    EXPECT_TRUE(asked);

    Fill(8, 3, "a long text that makes the columns wider than the page");
    const auto wide = widthsFor(fpNever);
    EXPECT_EQ(widthsFor(fpGrow), wide);
    EXPECT_LT(widthsFor(fpShrink)[0], wide[0]);
    EXPECT_LT(widthsFor(fpAlways)[0], wide[0]);
}

TEST_F(PrintFixture, CountingDrawsNothingButFiresNewPageAndAgreesWithDrawing)
{
    Fill(3, 150);
    int printPage = 0, done = 0, cancel = 0, newPage = 0;
    Grid.OnPrintPage = [&](TObject *, TPageCanvas &, int, int, int) { ++printPage; };
    Grid.OnPrintPageDone = [&](TObject *, TPageCanvas &, int, int, int, int, int) { ++done; };
    Grid.OnPrintCancel = [&](TObject *, int, bool &) { ++cancel; };
    Grid.OnPrintNewPage = [&](TObject *, int, bool &) { ++newPage; };
    Grid.SetPrintRectangle({0, 0, 2, 149});
    QImage img(PageW, PageH, QImage::Format_RGB32);
    TCanvas canvas(&img);
    TPageCanvas pc(canvas, 96, 96);
    Grid.SetPrevRect(TRect(0, 0, 2100, 2970));
    SetPageRecorder(&Ops);
    const int counted = PrintPages(Grid, pc, pmCountPrint, -1, false);
    SetPageRecorder(nullptr);
    EXPECT_TRUE(Ops.empty());
    EXPECT_EQ(printPage + done + cancel, 0);
    EXPECT_EQ(newPage, 150);
    ASSERT_GT(counted, 1);
    Grid.SetPrintPageFrom(1);
    Grid.SetPrintPageTo(counted);
    EXPECT_EQ(PrintPages(Grid, pc, pmDrawPrint, counted, false), counted);
    EXPECT_EQ(printPage, counted);
    EXPECT_EQ(done, counted);
    EXPECT_EQ(cancel, counted);

    // Cancel after the first page ends the run there.
    Grid.OnPrintCancel = [&](TObject *, int, bool &Cancel) { Cancel = true; };
    EXPECT_EQ(PrintPages(Grid, pc, pmDrawPrint, counted, false), 1);
}

TEST_F(PrintFixture, ARowTallerThanThePageStillEndsTheRun)
{
    Fill(1, 4);
    Grid.OnPrintSetRowHeight = [](TObject *, int ARow, int &Height) {
        if (ARow == 1)
            Height = 5000;   // half a metre
    };
    const int pages = CountAndDraw();
    EXPECT_GE(pages, 2);
    EXPECT_LE(pages, 4);
    // Also under a repeated header row, which takes room on every page.
    Grid.SetFixedRows(1);
    Grid.PrintSettings().SetRepeatFixedRows(true);
    Grid.OnPrintSetRowHeight = [](TObject *, int ARow, int &Height) {
        if (ARow == 2)
            Height = 5000;
    };
    const int repeated = CountAndDraw();
    EXPECT_GE(repeated, 2);
    EXPECT_LE(repeated, 4);
}

TEST_F(PrintFixture, SelectedRowsAndColumnsPrintTheSame)
{
    Fill(4, 10);
    Grid.SetSelection({1, 2, 2, 5});
    auto run = [&](auto entry) {
        QImage img(PageW, PageH, QImage::Format_RGB32);
        TCanvas canvas(&img);
        std::vector<TCanvasOp> ops;
        SetPageRecorder(&ops);
        Grid.SetPrevRect(TRect(0, 0, PageW, PageH));
        entry(canvas);
        SetPageRecorder(nullptr);
        QStringList t;
        for (const TCanvasOp &op : ops)
            if (op.Name == "DrawText")
                t << op.Text;
        return t;
    };
    const QStringList rows = run([&](TCanvas &c) { PrintPreviewSelectedRows(Grid, c, TRect(0, 0, PageW, PageH)); });
    const QStringList cols = run([&](TCanvas &c) { PrintPreviewSelectedCols(Grid, c, TRect(0, 0, PageW, PageH)); });
    EXPECT_EQ(rows, cols);
    EXPECT_TRUE(rows.contains("cell 1.2"));
    EXPECT_FALSE(rows.contains("cell 0.2"));
    EXPECT_FALSE(rows.contains("cell 1.6"));
}

TEST_F(PrintFixture, PreviewDrawsOnlyThePreviewPage)
{
    Fill(2, 150);
    Grid.SetPreviewPage(2);
    bool inside = false;
    Grid.OnPrintPage = [&](TObject *, TPageCanvas &, int, int, int) { inside = Grid.IsPrintPreview(); };
    QImage img(PageW, PageH, QImage::Format_RGB32);
    TCanvas canvas(&img);
    SetPageRecorder(&Ops);
    PrintPreview(Grid, canvas, TRect(0, 0, PageW, PageH));
    SetPageRecorder(nullptr);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(Grid.IsPrintPreview());
    const QStringList t = Texts();
    EXPECT_FALSE(t.contains("cell 0.1"));   // first page
    EXPECT_FALSE(t.isEmpty());
    EXPECT_EQ(Grid.States, (std::vector<TGridExportState>{esExportStart, esExportDone}));

    Grid.OnPrintPage = [](TObject *, TPageCanvas &, int, int, int) { throw std::runtime_error("x"); };
    EXPECT_THROW(PrintPreview(Grid, canvas, TRect(0, 0, PageW, PageH)), std::runtime_error);
    EXPECT_FALSE(Grid.IsPrintPreview());
}

TEST_F(PrintFixture, DirectDrawingDrawsTheFirstPageWithoutStartEvent)
{
    Fill(2, 150);
    bool started = false;
    Grid.OnPrintStart = [&](TObject *, int, int &, int &) { started = true; };
    QImage img(PageW, PageH, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas canvas(&img);
    SetPageRecorder(&Ops);
    PrintDraw(Grid, canvas, TRect(0, 0, PageW, PageH));
    SetPageRecorder(nullptr);
    EXPECT_FALSE(started);
    EXPECT_TRUE(Grid.States.empty());
    EXPECT_TRUE(Texts().contains("cell 0.0"));
    EXPECT_FALSE(Texts().contains("cell 0.149"));
    EXPECT_EQ(Grid.PrintPageFrom(), 1);
    EXPECT_EQ(Grid.PrintPageTo(), 1);
    // Something was painted.
    bool ink = false;
    for (int y = 0; y < 300 && !ink; ++y)
        for (int x = 0; x < PageW && !ink; ++x)
            ink = img.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(ink);
}

TEST_F(PrintFixture, PrintToPdfHonoursTheStartEventsRange)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("grid.pdf");
    TQtPrinter printer(pdf);
    SetPrinter(&printer);
    Fill(2, 300);
    int total = 0;
    Grid.OnPrintStart = [&](TObject *, int NrOfPages, int &From, int &To) {
        total = NrOfPages;
        From = 2;
        To = 3;
    };
    Print(Grid);
    ASSERT_GE(total, 4);
    EXPECT_EQ(Grid.PrintNrOfPages(), 3);
    const QByteArray bytes = Read_File(pdf);
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>") +
                  bytes.count("/Type /Page "),
              2);
    EXPECT_EQ(Grid.States, (std::vector<TGridExportState>{esExportStart, esExportDone}));

    // A refused range prints nothing and sends no done notification.
    Grid.States.clear();
    QFile::remove(pdf);
    Grid.SetFastPrint(true);
    Grid.OnPrintStart = [&](TObject *, int NrOfPages, int &From, int &To) {
        total = NrOfPages;
        From = 3;
        To = 2;
    };
    Print(Grid);
    EXPECT_EQ(total, 2147483647);
    EXPECT_EQ(Grid.States, std::vector<TGridExportState>{esExportStart});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    SetPrinter(nullptr);
}
