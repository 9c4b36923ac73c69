#include "toolgrid.h"

#include "grid/base/gridadapters.h"
#include "grid/base/intlist.h"
#include "grid/base/stringlist.h"
#include "grid/string/bitmap.h"
#include "grid/string/cellgraphic.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridcsv.h"
#include "grid/tools/gridtoolstate.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <random>

using namespace GridCellStream;

namespace {

QByteArray Bytes(std::initializer_list<int> B)
{
    QByteArray out;
    for (int b : B)
        out.append(char(b));
    return out;
}
QByteArray Short(const char *S) { return char(strlen(S)) + QByteArray(S); }

QByteArray SaveRect(TDazStringGrid &G, TRect R)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    SaveRectToBinStream(G, R, buf);
    return data;
}
void LoadAt(TDazStringGrid &G, TPoint P, QByteArray Data)
{
    QBuffer buf(&Data);
    buf.open(QIODevice::ReadOnly);
    LoadAtPointFromBinStream(G, P, buf);
}
// The records after the header.
QByteArray Body(const QByteArray &Stream) { return Stream.mid(Stream.indexOf("TPF0", 4)); }

QImage Picture(QRgb Colour)
{
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Colour);
    return img;
}

struct CellStreamTest : ToolGridTest
{
    QTemporaryDir Dir;
    QString Path(const char *Name) { return Dir.filePath(QString::fromLatin1(Name)); }
    void Blank(TDazStringGrid &G, int Cols, int Rows)
    {
        G.SetFixedRows(0);
        G.SetFixedCols(0);
        G.SetColCount(Cols);
        G.SetRowCount(Rows);
    }
};

}   // namespace

TEST_F(CellStreamTest, OneCellRecordIsTheFrameworkEncoding)
{
    Blank(Grid, 3, 3);
    Grid.SetCells(1, 1, QStringLiteral("A"));
    const QByteArray golden = "TPF0" + Short("TGridCellIO") + Bytes({0}) + Short("Col") +
                              Bytes({2, 1}) + Short("Row") + Bytes({2, 1}) + Short("Cell") +
                              Bytes({6, 1, 'A'}) + Short("HasProp") + Bytes({8, 0, 0});
    EXPECT_EQ(Body(SaveRect(Grid, TRect(1, 1, 1, 1))), golden);
}

TEST_F(CellStreamTest, ValuesTakeTheirSmallestForm)
{
    Blank(Grid, 3, 40001);
    struct Case { int Row; QString Text; QByteArray RowBytes; QByteArray CellBytes; };
    const QString longAscii(300, u'x');
    const QString umlaut = QStringLiteral("\u00e4b");
    const QString cjk = QStringLiteral("\u4e2d\u6587");
    const std::vector<Case> cases{
        {200, QStringLiteral("ab"), Bytes({3, 200, 0}), Bytes({6, 2, 'a', 'b'})},
        {40000, longAscii, Bytes({4, 0x40, 0x9c, 0, 0}), Bytes({12, 44, 1, 0, 0}) + longAscii.toLatin1()},
        {5, umlaut, Bytes({2, 5}), Bytes({20, 3, 0, 0, 0}) + umlaut.toUtf8()},
        {6, cjk, Bytes({2, 6}), Bytes({18, 2, 0, 0, 0, 0x2d, 0x4e, 0x87, 0x65})},
    };
    for (const Case &c : cases) {
        Grid.SetCells(0, c.Row, c.Text);
        const QByteArray body = Body(SaveRect(Grid, TRect(0, c.Row, 0, c.Row)));
        EXPECT_TRUE(body.contains(Short("Row") + c.RowBytes)) << c.Row;
        EXPECT_TRUE(body.contains(Short("Cell") + c.CellBytes)) << c.Row;
        TDazStringGrid other;
        other.SetColCount(2);
        other.SetRowCount(2);
        LoadAt(other, TPoint(1, 1), SaveRect(Grid, TRect(0, c.Row, 0, c.Row)));
        EXPECT_EQ(other.Cells(1, 1), c.Text);
    }
}

TEST_F(CellStreamTest, ExtendedFloatsKeepEveryDouble)
{
    unsigned char b[10];
    DoubleToExtended(1.0, b);
    EXPECT_EQ(QByteArray(reinterpret_cast<char *>(b), 10), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xff, 0x3f}));
    for (double v : {0.0, 1.0, -2.5, 0.1, 3.141592653589793, 1e300, -1e-300, 4.9e-324, 1e-310})
    {
        DoubleToExtended(v, b);
        EXPECT_EQ(ExtendedToDouble(b), v) << v;
    }
}

TEST_F(CellStreamTest, RectangleWithPropertiesAndGraphicsComesBackEqual)
{
    Blank(Grid, 4, 4);
    Grid.SetCells(0, 0, QStringLiteral("text, with comma"));
    TCellProperties *p = Grid.GetCellProperties(1, 0);
    p->SetFontSize(14);
    p->SetFontStyle(fsBold | fsUnderline);
    p->SetBrushColor(clRed);
    p->SetBrushColorTo(TColor(0x123456));
    p->SetAlignment(taCenter);
    p->SetReadOnly(true);
    p->SetFontName(QStringLiteral("Sans"));
    p->SetGradientDirection(GradientHorizontal);
    Grid.MergeCells(2, 2, 2, 2);
    Grid.CreateBitmap(0, 1, true, haCenter, vaBottom)->SetImage(Picture(qRgb(10, 20, 30)));
    Grid.CreateIcon(1, 1, haRight, vaTop)->SetImage(Picture(qRgb(200, 0, 0)));
    Grid.CreatePicture(2, 1, false, Stretch, 2, haLeft, vaTop)->SetImage(Picture(qRgb(0, 99, 0)));
    const QString file = Path("pic.png");
    ASSERT_TRUE(Picture(qRgb(1, 2, 3)).save(file));
    Grid.CreateFilePicture(3, 1, false, noStretch, 0, haLeft, vaTop)->SetFilename(file);
    TCellGraphic *radio = Grid.CreateCellGraphic(0, 3);
    radio->CellType = ctRadio;
    radio->CellIndex = 1;
    radio->CellBitmap = new TStringList(L({"one", "two"}));
    radio->CellCreated = true;
    TCellGraphic *images = Grid.CreateCellGraphic(1, 3);
    images->SetMultiImage(1, 3, true, haLeft, vaTop, {});
    static_cast<TIntList *>(images->CellBitmap)->SetStrValue(QStringLiteral("3,1,4"));
    TCellGraphic *value = Grid.CreateCellGraphic(3, 0);
    value->CellType = ctProgress;
    value->CellValue = 42.5;
    value->CellText = QStringLiteral("done");

    const QByteArray data = SaveRect(Grid, TRect(0, 0, 3, 3));
    TDazStringGrid g;
    Blank(g, 4, 4);
    LoadAt(g, TPoint(0, 0), data);

    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("text, with comma"));
    const TCellProperties *q = g.GetCellProperties(1, 0);
    EXPECT_EQ(q->FontSize(), 14);
    EXPECT_EQ(q->FontStyle(), fsBold | fsUnderline);
    EXPECT_EQ(q->BrushColor(), clRed);
    EXPECT_EQ(q->BrushColorTo(), TColor(0x123456));
    EXPECT_EQ(q->Alignment(), taCenter);
    EXPECT_TRUE(q->ReadOnly());
    EXPECT_EQ(q->FontName(), QStringLiteral("Sans"));
    EXPECT_EQ(q->GradientDirection(), GradientHorizontal);
    EXPECT_EQ(g.GetCellProperties(2, 2)->CellSpanX(), 1);
    EXPECT_EQ(g.GetCellProperties(3, 3)->IsBaseCell(), false);

    ASSERT_EQ(g.GetCellType(0, 1), ctBitmap);
    EXPECT_EQ(g.GetBitmap(0, 1)->Image().pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(g.GetCellGraphic(0, 1)->CellHAlign, haCenter);
    EXPECT_TRUE(g.GetCellGraphic(0, 1)->CellTransparent);
    ASSERT_EQ(g.GetCellType(1, 1), ctIcon);
    EXPECT_EQ(g.GetCellGraphic(1, 1)->CellIcon->Image().pixel(1, 1), qRgb(200, 0, 0));
    ASSERT_EQ(g.GetCellType(2, 1), ctPicture);
    EXPECT_EQ(g.GetPicture(2, 1)->Image().pixel(2, 2), qRgb(0, 99, 0));
    EXPECT_EQ(g.GetCellGraphic(2, 1)->CellIndex, 2);
    ASSERT_EQ(g.GetCellType(3, 1), ctFilePicture);
    EXPECT_EQ(g.GetFilePicture(3, 1)->Filename(), file);
    EXPECT_EQ(g.GetFilePicture(3, 1)->Width(), 4);
    ASSERT_EQ(g.GetCellType(0, 3), ctRadio);
    const auto *sl = dynamic_cast<TStringList *>(g.GetCellGraphic(0, 3)->CellBitmap);
    ASSERT_TRUE(sl);
    EXPECT_EQ(sl->Count(), 2);
    EXPECT_EQ(sl->Strings(1), QStringLiteral("two"));
    ASSERT_EQ(g.GetCellType(1, 3), ctImages);
    EXPECT_EQ(g.CellImages(1, 3)->StrValue(), QStringLiteral("3,1,4"));
    EXPECT_EQ(g.GetCellGraphic(3, 0)->CellValue, 42.5);
    EXPECT_EQ(g.GetCellGraphic(3, 0)->CellText, QStringLiteral("done"));
}

TEST_F(CellStreamTest, WhatARecordLeavesOut)
{
    Blank(Grid, 3, 3);
    const QByteArray empty = Body(SaveRect(Grid, TRect(0, 0, 0, 0)));
    EXPECT_FALSE(empty.contains("Cell\x06"));
    EXPECT_TRUE(empty.contains(Short("HasProp") + Bytes({8})));

    Grid.GetCellProperties(1, 0)->SetFontSize(9);   // properties, no graphic
    const QByteArray props = Body(SaveRect(Grid, TRect(1, 0, 1, 0)));
    EXPECT_TRUE(props.contains(Short("HasGraphic") + Bytes({8})));
    EXPECT_FALSE(props.contains("TGridGraphicIO"));

    TBitmap shared;   // referenced, not owned: properties kept, bitmap dropped
    shared.SetImage(Picture(qRgb(1, 1, 1)));
    Grid.AddBitmap(2, 0, &shared, false, haLeft, vaTop);
    const QByteArray bmp = Body(SaveRect(Grid, TRect(2, 0, 2, 0)));
    EXPECT_TRUE(bmp.contains("TGridCellPropIO"));
    EXPECT_TRUE(bmp.contains(Short("HasGraphic") + Bytes({8})));
    EXPECT_FALSE(bmp.contains("TGridBMPIO"));
}

TEST_F(CellStreamTest, IndexesBeyond16BitsKeepTheirLowBits)
{
    Blank(Grid, 2, 65538);
    Grid.SetCells(1, 65537, QStringLiteral("z"));
    const QByteArray body = Body(SaveRect(Grid, TRect(1, 65537, 1, 65537)));
    EXPECT_TRUE(body.contains(Short("Row") + Bytes({2, 1, 4})));
    // Loading a whole rectangle puts such cells back on their own rows, not over row 1.
    Grid.SetCells(1, 1, QStringLiteral("a"));
    TDazStringGrid g;
    Blank(g, 2, 65538);
    LoadAt(g, TPoint(0, 0), SaveRect(Grid, TRect(0, 0, 1, 65537)));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 65537), QStringLiteral("z"));
    TDazStringGrid part;
    Blank(part, 2, 3);
    LoadAt(part, TPoint(0, 1), SaveRect(Grid, TRect(1, 65536, 1, 65537)));
    EXPECT_EQ(part.Cells(0, 2), QStringLiteral("z"));
}

TEST_F(CellStreamTest, PartialStreamLandsAtThePoint)
{
    Blank(Grid, 6, 8);
    Grid.SetCells(3, 5, QStringLiteral("first"));
    Grid.SetCells(4, 6, QStringLiteral("second"));
    const QByteArray data = SaveRect(Grid, TRect(3, 5, 4, 6));
    TDazStringGrid g;
    Blank(g, 3, 3);
    g.SetCells(2, 2, QStringLiteral("old"));
    LoadAt(g, TPoint(0, 1), data);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("first"));
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("second"));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("old"));
    // Cells beyond the target grid are dropped, not written.
    LoadAt(g, TPoint(2, 2), data);
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("first"));
    EXPECT_EQ(g.RowCount(), 3);
}

TEST_F(CellStreamTest, FullGridStreamSizesTheGridAndCountsNodes)
{
    Fill({L({"a", "b", "c"}), L({"d", "e", "f"})});
    Grid.SetColWidths(1, 77);
    Grid.SetRowHeights(1, 33);
    Grid.AddNode(0, 2);
    QByteArray data;
    {
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        SaveToBinStream(Grid, buf);
    }
    data.append('\x01');   // one stray byte after the last record
    TDazStringGrid g;
    Blank(g, 9, 9);
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    LoadFromBinStream(g, in);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColWidths(1), 77);
    EXPECT_EQ(g.RowHeights(1), 33);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("f"));
    EXPECT_EQ(g.NodeCount(), 1);
}

TEST_F(CellStreamTest, ProgressAndExportNotification)
{
    struct TNotified : TDazStringGrid
    {
        QStringList Log;
        void ExportNotification(TGridExportState S, int R) override
        {
            Log << QStringLiteral("%1:%2").arg(int(S)).arg(R);
        }
    } g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetColCount(2);
    g.SetRowCount(3);
    QList<int> progress;
    TGridToolState::Of(g).OnFileProgress = [&](TObject *, int P) { progress << P; };
    const QByteArray data = SaveRect(g, TRect(0, 0, 1, 2));
    EXPECT_EQ(g.Log, L({"0:0", "5:0", "5:1", "5:2", "2:-1"}));
    EXPECT_EQ(progress, QList<int>({0, 50, 100}));
    progress.clear();
    LoadAt(g, TPoint(0, 0), data);
    EXPECT_EQ(progress, QList<int>({0, 33, 67}));
}

TEST_F(CellStreamTest, GraphicValueZeroAfterANonZeroOne)
{
    Blank(Grid, 2, 1);
    Grid.CreateCellGraphic(0, 0)->CellType = ctProgress;
    Grid.GetCellGraphic(0, 0)->CellValue = 7;
    Grid.CreateCellGraphic(1, 0)->CellType = ctProgress;
    TDazStringGrid g;
    Blank(g, 2, 1);
    LoadAt(g, TPoint(0, 0), SaveRect(Grid, TRect(0, 0, 1, 0)));
    EXPECT_EQ(g.GetCellGraphic(0, 0)->CellValue, 7);
    EXPECT_EQ(g.GetCellGraphic(1, 0)->CellValue, 0);
}

TEST_F(CellStreamTest, DamagedRecordsRaiseAndKeepWhatWasRead)
{
    Blank(Grid, 3, 1);
    Grid.SetCells(0, 0, QStringLiteral("x"));
    Grid.SetCells(1, 0, QStringLiteral("y"));
    Grid.SetCells(2, 0, QStringLiteral("z"));
    const QByteArray good = SaveRect(Grid, TRect(0, 0, 2, 0));
    const qsizetype third = good.lastIndexOf("TPF0");
    QByteArray badSignature = good;
    badSignature[third + 1] = 'X';
    QByteArray unknownName = good;
    unknownName.replace("\x04" "Cell\x06\x01z", "\x04" "Cxll\x06\x01z");
    const std::vector<QByteArray> damaged{badSignature, good.left(good.size() - 4), unknownName};
    for (const QByteArray &d : damaged) {
        TDazStringGrid g;
        Blank(g, 3, 1);
        EXPECT_THROW(LoadAt(g, TPoint(0, 0), d), EGridStreamReadError);
        EXPECT_EQ(g.Cells(0, 0), QStringLiteral("x"));
        EXPECT_EQ(g.Cells(1, 0), QStringLiteral("y"));
    }
}

TEST_F(CellStreamTest, FullGridHeaderIsCheckedBeforeTheGridClears)
{
    Fill({L({"a", "b"}), L({"c", "d"})});
    QByteArray data;
    {
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        SaveToBinStream(Grid, buf);
    }
    QByteArray shortWidths = data;
    shortWidths.replace(Short("ColWidths") + Bytes({6, 5}) + "64,64", Short("ColWidths") + Bytes({6, 2}) + "64");
    ASSERT_NE(shortWidths, data);
    QByteArray wordWidths = data;
    wordWidths.replace("64,64", "64,ab");
    for (const QByteArray &d : {shortWidths, wordWidths}) {
        TDazStringGrid g;
        Blank(g, 5, 5);
        g.SetCells(4, 4, QStringLiteral("keep"));
        EXPECT_THROW(LoadAt(g, TPoint(0, 0), d), EDazGridError);
        EXPECT_EQ(g.ColCount(), 5);
        EXPECT_EQ(g.Cells(4, 4), QStringLiteral("keep"));
    }
}

TEST_F(CellStreamTest, BinFilesRoundTripAndAMissingFileChangesNothing)
{
    Fill({L({"a", "b"}), L({"c", "d"})});
    SaveToBinFile(Grid, Path("g.bin"));
    TDazStringGrid g;
    Blank(g, 1, 1);
    LoadFromBinFile(g, Path("g.bin"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("d"));
    g.SetCells(0, 0, QStringLiteral("keep"));
    EXPECT_THROW(LoadFromBinFile(g, Path("missing.bin")), EFileError);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("keep"));
}

TEST_F(CellStreamTest, MutatedStreamsNeverCrash)
{
    Blank(Grid, 3, 3);
    Grid.SetCells(0, 0, QStringLiteral("x\u00e4"));
    Grid.GetCellProperties(1, 1)->SetFontStyle(fsItalic);
    Grid.CreateBitmap(2, 2, false, haLeft, vaTop)->SetImage(Picture(qRgb(5, 5, 5)));
    TCellGraphic *radio = Grid.CreateCellGraphic(0, 2);
    radio->CellType = ctRadio;
    radio->CellBitmap = new TStringList(L({"r"}));
    radio->CellCreated = true;
    const QByteArray golden = SaveRect(Grid, TRect(0, 0, 2, 2));
    QByteArray text;
    {
        QBuffer b(&text);
        b.open(QIODevice::WriteOnly);
        SaveToStream(Grid, b);
    }
    std::mt19937 rng(29);
    for (int round = 0; round < 400; ++round) {
        for (const QByteArray *src : {&golden, static_cast<const QByteArray *>(&text)}) {
            QByteArray d = *src;
            const int edits = 1 + int(rng() % 4);
            for (int e = 0; e < edits; ++e) {
                const qsizetype at = qsizetype(rng() % uint32_t(d.size()));
                switch (rng() % 3) {
                case 0: d[at] = char(rng()); break;
                case 1: d.remove(at, 1 + qsizetype(rng() % 8)); break;
                default: d.insert(at, char(rng())); break;
                }
            }
            TDazStringGrid g;
            Blank(g, 3, 3);
            QBuffer in(&d);
            in.open(QIODevice::ReadOnly);
            try {
                if (src == &golden)
                    LoadAtPointFromBinStream(g, TPoint(0, 0), in);
                else
                    LoadFromStream(g, in);
            } catch (const std::exception &) {
            }
        }
    }
    SUCCEED();
}

// --- Grid text file and stream -----------------------------------------------------------

TEST_F(CellStreamTest, TextFileLayout)
{
    Fill({L({"a,b", ""}), L({"", "x\u00e9"})});
    Grid.SetColWidths(0, 50);
    SaveToFile(Grid, Path("g.txt"), false);
    EXPECT_EQ(Read_File(Path("g.txt")),
              QByteArray("2,2\r\ncw 0,50\r\ncw 1,64\r\n0,0,a,b\r\n1,1,x\xe9\r\n"));
    SaveToFile(Grid, Path("u.txt"), true);
    const QByteArray u = Read_File(Path("u.txt"));
    EXPECT_TRUE(u.startsWith(QByteArray("\xff\xfe" "2\0,\0" "2\0\r\0\n\0", 12)));
}

TEST_F(CellStreamTest, TextFileRoundTripsLinesAndLeavesOtherCells)
{
    Fill({L({"one", "two"}), L({"three", "four"})});
    Grid.SetCells(1, 0, QStringLiteral("a\r\nb"));
    Grid.SetCells(1, 1, QString());
    SaveToFile(Grid, Path("g.txt"), true);
    for (bool multi : {true, false}) {
        TDazStringGrid g;
        Blank(g, 2, 2);
        g.SetFixedRows(0);
        g.SetMultilinecells(multi);
        g.SetCells(1, 1, QStringLiteral("untouched"));
        LoadFromFile(g, Path("g.txt"));
        EXPECT_EQ(g.Cells(1, 0), multi ? QStringLiteral("a\r\nb") : QStringLiteral("a")) << multi;
        EXPECT_EQ(g.Cells(1, 1), QStringLiteral("untouched"));
        EXPECT_EQ(g.Cells(0, 1), QStringLiteral("three"));
    }
}

TEST_F(CellStreamTest, TextFileReaderTakesForeignForms)
{
    struct Case { QByteArray Bytes; int Col; int Row; QString Text; };
    const std::vector<Case> cases{
        {"\xef\xbb\xbf" "3,3\n0x2,$1,\xc3\xa4,z\n", 2, 1, QStringLiteral("\u00e4,z")},
        {"3,3\r x1, 2,cr line\r", 1, 2, QStringLiteral("cr line")},
        {"3,3\r\ncw 1,40\r\n9,9,outside\r\n2,0,in\r\n", 2, 0, QStringLiteral("in")},
    };
    for (const Case &c : cases) {
        Write_File_Atomic(Path("f.txt"), c.Bytes);
        TDazStringGrid g;
        Blank(g, 1, 1);
        LoadFromFile(g, Path("f.txt"));
        EXPECT_EQ(g.ColCount(), 3);
        EXPECT_EQ(g.Cells(c.Col, c.Row), c.Text) << c.Bytes.constData();
    }
    Write_File_Atomic(Path("f.txt"), "3,3\r\ncw 1,40\r\n");
    LoadFromFile(Grid, Path("f.txt"));
    EXPECT_EQ(Grid.ColWidths(1), 40);
}

TEST_F(CellStreamTest, TextFileSizeErrors)
{
    Blank(Grid, 2, 2);
    Write_File_Atomic(Path("five.txt"), "5\r\n");
    try {
        LoadFromFile(Grid, Path("five.txt"));
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromStdString(e.what()),
                  "File contains no data or corrupt file " + Path("five.txt"));
    }
    // The row count of the size line is set before the error.
    EXPECT_EQ(Grid.RowCount(), 5);
    Blank(Grid, 2, 2);
    Write_File_Atomic(Path("big.txt"), "70000,2\r\n");
    EXPECT_THROW(LoadFromFile(Grid, Path("big.txt")), EDazGridError);
    EXPECT_EQ(Grid.ColCount(), 2);
}

TEST_F(CellStreamTest, TextStreamHoldsTwoGridsOneAfterTheOther)
{
    Fill({L({"a", "b"}), L({"c", "d\r\ne"})});
    Grid.SetMultilinecells(true);
    TDazStringGrid second;
    Blank(second, 1, 1);
    second.SetCells(0, 0, QStringLiteral("solo"));
    QByteArray data;
    {
        QBuffer b(&data);
        b.open(QIODevice::WriteOnly);
        SaveToStream(Grid, b);
        SaveToStream(second, b);
    }
    EXPECT_TRUE(data.startsWith(QByteArray("2\0,\0" "2\0\r\0\n\0c\0w\0", 12)));
    EXPECT_FALSE(data.startsWith("\xff\xfe"));
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    TDazStringGrid g1, g2;
    g1.SetMultilinecells(true);
    Blank(g1, 1, 1);
    Blank(g2, 3, 3);
    LoadFromStream(g1, in);
    LoadFromStream(g2, in);
    EXPECT_EQ(g1.Cells(1, 1), QStringLiteral("d\r\ne"));
    EXPECT_EQ(g2.ColCount(), 1);
    EXPECT_EQ(g2.Cells(0, 0), QStringLiteral("solo"));
    EXPECT_TRUE(in.atEnd());
}

TEST_F(CellStreamTest, TextStreamRejectsBadNumbersAndOutsideWidths)
{
    auto stream = [](const QString &Text) {
        QByteArray b;
        for (QChar c : Text) {
            b.append(char(c.unicode() & 0xff));
            b.append(char(c.unicode() >> 8));
        }
        return b;
    };
    Blank(Grid, 2, 2);
    QByteArray bad = stream(QStringLiteral("2,x\r\n"));
    QBuffer b1(&bad);
    b1.open(QIODevice::ReadOnly);
    EXPECT_THROW(LoadFromStream(Grid, b1), EConvertError);
    QByteArray wide = stream(QStringLiteral("2,2\r\ncw 7,10\r\n"));
    QBuffer b2(&wide);
    b2.open(QIODevice::ReadOnly);
    EXPECT_THROW(LoadFromStream(Grid, b2), EDazGridError);
    QByteArray outside = stream(QStringLiteral("2,2\r\n5,5,far\r\n1,1,near\r\n"));
    QBuffer b3(&outside);
    b3.open(QIODevice::ReadOnly);
    LoadFromStream(Grid, b3);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("near"));
}

TEST_F(CellStreamTest, CellToReal)
{
    Fill({L({"", "12.5", "1.2.3"})});
    EXPECT_EQ(CellToReal(Grid, 0, 0), 0);
    EXPECT_EQ(CellToReal(Grid, 1, 0), 12.5);
    try {
        CellToReal(Grid, 2, 0);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "Error at position: 4 in Cell [2, 0].");
    }
}

TEST_F(CellStreamTest, TextFileCountsAndHoldsHiddenColumns)
{
    Fill({L({"a", "b", "c"})});
    Grid.HideColumn(1);
    Grid.SetSaveHiddenCells(true);
    SaveToFile(Grid, Path("h.txt"), false);
    EXPECT_EQ(Read_File(Path("h.txt")),
              QByteArray("3,1\r\ncw 0,64\r\ncw 1,64\r\ncw 2,64\r\n0,0,a\r\n1,0,b\r\n2,0,c\r\n"));
}

// The saves read most texts straight from the store; a save hook sends every cell the full
// way (SaveCellText). Both must write the same bytes, whatever the grid's save settings.
TEST_F(CellStreamTest, TextsFromTheStoreSaveAsTheFullWayDoes)
{
    struct TSettings {
        bool VirtCells, WithHTML, WithRTF, FloatHook;
    };
    const TSettings settings[] = {{true, false, false, false},
                                  {true, true, true, false},
                                  {true, false, false, true},
                                  {false, false, true, true},
                                  {false, true, false, false}};
    for (const TSettings &set : settings) {
        SCOPED_TRACE(testing::Message() << set.VirtCells << set.WithHTML << set.WithRTF << set.FloatHook);
        TDazStringGrid g;
        Blank(g, 4, 4);
        const QStringList texts = {
            "plain",         "<B>bold</B> text", "a<b",          "{\\rtf1 x}\r\n",
            "two\r\nlines", "caf\u00e9 \u20ac", "=1+2",         "",
            "x,y",           "\"quoted\"",       "{not rtf",     "merged base",
            "covered",       "</I>",             "3.14159",      "last"};
        for (int i = 0; i < texts.size(); ++i)
            g.SetCells(i % 4, i / 4, texts[i]);
        g.AddCheckBox(3, 1, true, false);   // an empty cell saves its check text
        g.MergeCells(3, 2, 1, 2);           // covers "last"'s neighbour below
        g.SetFloatFormat(QStringLiteral("%.2f"));
        if (set.FloatHook)
            g.OnGetFloatFormat = [](TObject *, int, int, bool &IsFloat, QString &) { IsFloat = true; };
        g.SetSaveVirtCells(set.VirtCells);
        g.SetSaveWithHTML(set.WithHTML);
        g.SetSaveWithRTF(set.WithRTF);

        auto saves = [&](const char *Tag) {
            const QString txt = Path(Tag) + QStringLiteral(".txt");
            const QString wide = Path(Tag) + QStringLiteral(".utxt");
            const QString csv = Path(Tag) + QStringLiteral(".csv");
            SaveToFile(g, txt, false);
            SaveToFile(g, wide, true);
            GridCSV::SaveToCSV(g, csv, true);
            QByteArray stream;
            QBuffer buf(&stream);
            buf.open(QIODevice::WriteOnly);
            SaveToStream(g, buf);
            return QList<QByteArray>{Read_File(txt), Read_File(wide), Read_File(csv), stream,
                                     GridCSV::SaveToCSVString(g).toUtf8()};
        };
        const QList<QByteArray> direct = saves("direct");
        g.OnSaveCell = [](TObject *, int, int, QString &) {};
        const QList<QByteArray> full = saves("full");
        ASSERT_EQ(direct.size(), full.size());
        for (qsizetype i = 0; i < direct.size(); ++i)
            EXPECT_EQ(direct[i], full[i]) << "save " << i;
        EXPECT_TRUE(direct[0].contains("3,1,Y")) << direct[0].constData();
    }
}
