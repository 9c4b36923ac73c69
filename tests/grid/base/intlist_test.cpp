// Integer lists, the sort index string and the small cell adapters.
#include "grid/base/gridadapters.h"
#include "grid/base/intlist.h"
#include "platform/rtl.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IntListTest, ChangesReportTheCellExceptInsert)
{
    TIntList list(4, 7);
    std::vector<std::pair<int, int>> calls;
    list.OnChange = [&](TObject *Sender, int Col, int Row) {
        EXPECT_EQ(Sender, &list);
        calls.push_back({Col, Row});
    };
    list.Add(3);
    list.Insert(0, 1);   // silent
    list.Add(4);
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls.front(), std::make_pair(4, 7));
    list.SetInteger(1, 9);
    list.DeleteValue(42);   // absent: nothing
    list.DeleteValue(9);
    EXPECT_EQ(calls.size(), 4u);
    EXPECT_EQ(list.StrValue(), "1,4");
    EXPECT_TRUE(list.HasValue(4));
    EXPECT_FALSE(list.HasValue(9));
    EXPECT_THROW(list.GetInteger(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(IntListTest, StrValueParsesCommaText)
{
    TIntList list(-1, -1);
    int changes = 0;
    list.OnChange = [&](TObject *, int, int) { ++changes; };
    list.SetStrValue("1, 2 3");
    EXPECT_EQ(list.StrValue(), "1,2,3");
    EXPECT_EQ(changes, 3);
    list.SetStrValue("\"5\",$10,-2");
    EXPECT_EQ(list.StrValue(), "5,16,-2");
    list.SetStrValue("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetStrValue("7,x,8"), EConvertError);
    EXPECT_EQ(list.StrValue(), "7");   // the items before the bad one were added
    EXPECT_THROW(list.SetStrValue("7,"), EConvertError);
}

TEST(SortIndexListTest, EntriesAndTheirText)
{
    TSortIndexList list(0, 0);
    list.AddIndex(2, true);
    list.AddIndex(5, false);
    EXPECT_EQ(list.SaveToString(), "u2;d5");
    EXPECT_EQ(list.FindIndex(5), 1);
    EXPECT_EQ(list.FindIndex(3), -1);
    EXPECT_TRUE(list.GetSortDirections(0));
    EXPECT_FALSE(list.GetSortDirections(1));
    EXPECT_EQ(list.GetSortColumns(1), 5);
    list.ToggleIndex(2);
    list.ToggleIndex(3);   // absent: nothing
    EXPECT_EQ(list.SaveToString(), "d2;d5");
    list.SetSortColumns(1, 9);
    list.SetSortDirections(1, true);
    EXPECT_EQ(list.SaveToString(), "d2;u9");
    TSortIndexList big(0, 0);
    big.AddIndex(70000, true);
    EXPECT_EQ(big.SaveToString(), "u4464");   // only the low 16 bits are written
    EXPECT_EQ(TSortIndexList(0, 0).SaveToString(), "");
}

TEST(SortIndexListTest, LoadingIsLenient)
{
    TSortIndexList list(0, 0);
    list.AddIndex(1, true);
    list.LoadFromString("u3;x;D7;;d12");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetSortColumns(0), 3);
    EXPECT_TRUE(list.GetSortDirections(0));
    EXPECT_EQ(list.GetSortColumns(1), 7);
    EXPECT_FALSE(list.GetSortDirections(1));   // only a lower-case "u" is ascending
    EXPECT_EQ(list.GetSortColumns(2), 12);
    list.LoadFromString("u4x;d$A");
    EXPECT_EQ(list.SaveToString(), "u4;d10");
}

TEST(ControlListTest, ItemsAreOwnedControlsAreNot)
{
    TControlList list;
    QWidget a, b;
    list.AddControl(1, 2, &a);
    list.AddControl(3, 4, &b);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(9, 9), -1);
    EXPECT_EQ(list.GetControl(0)->Control(), &a);
    EXPECT_EQ(list.GetControl(5), nullptr);
    EXPECT_TRUE(list.HasHandle(&b));
    list.RemoveControl(1);
    EXPECT_FALSE(list.HasHandle(&b));
    EXPECT_EQ(list.Count(), 1);
    auto c = std::make_unique<QWidget>();
    list.AddControl(0, 0, c.get());
    c.reset();
    EXPECT_EQ(list.GetControl(1)->Control(), nullptr);   // a destroyed control reads nullptr
}

TEST(FileStringListTest, ReadsAndWritesLineByLine)
{
    TFileStringList list;
    list.Write("a");
    list.Write("b");
    list.WriteLn("c");
    list.WriteLn("d");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "abc");
    list.Reset();
    QString s;
    EXPECT_FALSE(list.Eof());
    list.ReadLn(s);
    EXPECT_EQ(s, "abc");
    list.ReadLn(s);
    EXPECT_EQ(s, "d");
    EXPECT_TRUE(list.Eof());
    EXPECT_THROW(list.ReadLn(s), EStringListError);
}

TEST(FilePictureTest, SizeFromTheFileAndFailures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.png");
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(path));
    TFilePicture pic;
    pic.SetFilename(path);
    EXPECT_EQ(pic.Width(), 7);
    EXPECT_EQ(pic.Height(), 5);
    EXPECT_THROW(pic.SetFilename(dir.filePath("missing.png")), EInvalidGraphic);
    EXPECT_EQ(pic.Filename(), path);   // unchanged by the failure
    TFilePicture copy;
    copy.Assign(&pic);
    EXPECT_EQ(copy.Width(), 7);

    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        TCanvas canvas(&target);
        pic.DrawPicture(canvas, TRect(0, 0, 14, 10));
        QFile::remove(path);
        pic.DrawPicture(canvas, TRect(14, 14, 20, 20));   // the file went away: nothing
    }
    EXPECT_EQ(target.pixelColor(13, 9), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(16, 16), QColor(Qt::white));
}
