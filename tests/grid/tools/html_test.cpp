#include "exchange_fixture.h"

#include "grid/base/imagelist.h"
#include "grid/string/bitmap.h"
#include "grid/tools/gridhtml.h"
#include "platform/process.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

using namespace GridHTML;

namespace {

struct HtmlTest : ExchangeTest
{
    HtmlTest() { Grid.SetSaveFixedCells(false); }
    QString Html() { return SaveToHTMLString(Grid, Dir.path() + u'/'); }
    // The cell tags of the body, in order.
    QStringList Cells(const QString &Html)
    {
        QStringList out;
        for (const QString &l : Html.split(QStringLiteral("\r\n")))
            if (l.startsWith(QLatin1String("<TD")))
                out << l;
        return out;
    }
    QImage Red()
    {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::red);
        return img;
    }
};

TEST_F(HtmlTest, TableLineAndSharedClasses)
{
    Fill({{"a", "b"}, {"c", "d"}});
    Grid.OnGetCellColor = [](TObject *, int ARow, int ACol, TGridDrawState, TBrush &B, TFont &) {
        if (ARow == 1 && ACol == 1)
            B.Color = clRed;
    };
    const QString html = Html();
    EXPECT_TRUE(html.contains(QStringLiteral("\r\n<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n")));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<style>\r\n.c0 {")));
    const QStringList cells = Cells(html);
    ASSERT_EQ(cells.size(), 4);
    EXPECT_TRUE(cells[0].startsWith(QStringLiteral("<TD class=\"c0\" nowrap>a</td>")));
    EXPECT_TRUE(cells[2].startsWith(QStringLiteral("<TD class=\"c0\"")));
    EXPECT_TRUE(cells[3].startsWith(QStringLiteral("<TD class=\"c1\"")));
    EXPECT_TRUE(html.contains(QStringLiteral(".c1 {background-color: #FF0000;")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</TR>\r\n</TABLE>\r\n")));
}

TEST_F(HtmlTest, MergesBlanksBreaksAndLinks)
{
    Fill({{"m", "", "x"}, {"", "", " "}, {"", "", "l1\r\nl2"}, {"http://host/p", "a</b>http://x", "mailto:me@host"}});
    Grid.MergeCells(0, 0, 2, 3);
    Grid.SetURLShow(true);
    const QStringList cells = Cells(Html());
    ASSERT_EQ(cells.size(), 7);
    EXPECT_TRUE(cells[0].contains(QStringLiteral(" COLSPAN=\"2\" ROWSPAN=\"3\"")));
    EXPECT_TRUE(cells[2].endsWith(QStringLiteral(">&nbsp;</td>")));
    const QString broken = QStringLiteral(">l1<br>\nl2</td>");
    EXPECT_TRUE(cells[3].endsWith(broken));
    EXPECT_TRUE(cells[4].endsWith(QStringLiteral("><a href=http://host/p>host/p</a></td>")));
    EXPECT_TRUE(cells[5].endsWith(QStringLiteral(">a</b>http://x</td>")));
    EXPECT_TRUE(cells[6].endsWith(QStringLiteral("><a href=mailto:me@host>me@host</a></td>")));
    Grid.SetURLFull(true);
    EXPECT_TRUE(Cells(Html())[4].endsWith(QStringLiteral("><a href=http://host/p>http://host/p</a></td>")));
}

TEST_F(HtmlTest, HeadTagsAndFile)
{
    Fill({{QStringLiteral("\u00e9")}});
    auto &s = Grid.HTMLSettings();
    s.SetXHTML(true);
    s.SetPrefixTag("<div>");
    s.SetSuffixTag("</div>");
    const QString html = Html();
    EXPECT_TRUE(html.startsWith(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n<div><style>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</TABLE>\r\n</div>\r\n</HTML>\r\n")));

    s.SetXHTML(false);
    Put("head.txt", "HEAD\r\n");
    Put("foot.txt", "FOOT\r\n");
    s.SetHeaderFile(Path("head.txt"));
    s.SetFooterFile(Path("foot.txt"));
    TFakeProcessesGuard processes;
    SaveToHTML(Grid, Path("t.html"), true, false);
    const QByteArray ascii = Get("t.html");
    EXPECT_TRUE(ascii.startsWith("HEAD\r\n<div><style>"));
    EXPECT_TRUE(ascii.endsWith("</div>\r\n\r\nFOOT\r\n"));
    EXPECT_TRUE(ascii.contains(">?</td>"));
    ASSERT_EQ(processes.Fake.Calls.size(), 1u);
    EXPECT_EQ(processes.Fake.Calls[0].program, QUrl::fromLocalFile(Path("t.html")).toString());

    SaveToHTML(Grid, Path("u.html"), false, true);
    EXPECT_TRUE(Get("u.html").startsWith(QByteArray("\xFF\xFEH\0E\0", 6)));
    EXPECT_EQ(processes.Fake.Calls.size(), 1u);
    AppendToHTML(Grid, Path("t.html"), false, false);
    EXPECT_EQ(Get("t.html").count("<TABLE"), 2);
    s.SetFooterFile(Path("missing.txt"));
    EXPECT_THROW(SaveToHTML(Grid, Path("t.html"), false, false), EFileError);
}

TEST_F(HtmlTest, ImagesGoBesideTheDocumentInOneSequence)
{
    Fill({{"h1", "h2"}, {"b", "i"}}, 1);
    Grid.SetSaveFixedRows(true);
    TCustomImageList images(4, 4);
    images.Add(Red());
    TBitmap b1, b2, b3;
    b1.SetImage(Red());
    b2.SetImage(Red());
    b3.SetImage(Red());
    Grid.AddBitmap(0, 0, &b1, false, haLeft, vaTop);
    Grid.AddBitmap(1, 0, &b2, false, haLeft, vaTop);
    Grid.AddBitmap(0, 1, &b3, false, haLeft, vaTop);
    // Without an image list the image-list cell is a text cell.
    Grid.AddImageIdx(1, 1, 0, haLeft, vaTop);
    const QString dir = Dir.path() + u'/';
    QStringList cells = Cells(Html());
    ASSERT_EQ(cells.size(), 4);
    EXPECT_TRUE(cells[0].endsWith(QStringLiteral(">h1<img src= \"file://") + dir + QStringLiteral("images/img1.jpg\"></td>")));
    EXPECT_TRUE(cells[1].contains(QStringLiteral("images/img2.jpg")));
    EXPECT_TRUE(cells[2].contains(QStringLiteral("images/img3.jpg")));
    EXPECT_TRUE(cells[3].endsWith(QStringLiteral(">i</td>")));
    EXPECT_FALSE(QImage(dir + QStringLiteral("images/img3.jpg")).isNull());

    Grid.SetGridImages(&images);
    Grid.AddImageIdx(1, 1, 0, haLeft, vaTop);
    cells = Cells(Html());
    EXPECT_TRUE(cells[3].contains(QStringLiteral("><img src= \"file://") + dir + QStringLiteral("images/img4.jpg\">i</td>")));
    Grid.SetGridImages(nullptr);

    // A file where the folder should be.
    QDir(Dir.path()).mkdir(QStringLiteral("blocked"));
    Put("blocked/images", "x");
    try {
        SaveToHTMLString(Grid, Path("blocked") + u'/');
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot create " + Path("blocked") + QStringLiteral("/images"));
    }
}

}   // namespace
