// What a grid keeps of itself outside the form: the column state string, the column size
// and position store, the visual properties file and the print settings file.
#include "grid/string/dazcolumngrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridpersist.h"
#include "grid/tools/gridtools.h"
#include "platform/colornames.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/rtl.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace GridPersist;

namespace {

// A grid of three normal columns and two rows, widths 64, 80, 100, with column texts that
// show where each column's data went.
struct ThreeColumns : ::testing::Test {
    TDazStringGrid Grid;
    QTemporaryDir Dir;

    ThreeColumns()
    {
        InstallGridTools();
        SetRegistryFile(Dir.filePath(QStringLiteral("reg.ini")));
        Grid.SetColCount(3);
        Grid.SetRowCount(2);
        Grid.SetFixedCols(0);
        Grid.SetColWidths(0, 64);
        Grid.SetColWidths(1, 80);
        Grid.SetColWidths(2, 100);
        for (int c = 0; c < 3; ++c)
            Grid.SetCells(c, 0, QStringLiteral("c%1").arg(c));
    }
    ~ThreeColumns() override { SetRegistryFile({}); }

    QString Headers()
    {
        QStringList h;
        for (int c = 0; c < Grid.ColCount(); ++c)
            h << Grid.Cells(c, 0);
        return h.join(QLatin1Char(' '));
    }
};

}   // namespace

TEST(ColorNames, ConstantNamesElseHexadecimal)
{
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clWindow), "clWindow");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor(ColorToString(clBtnFace)), clBtnFace);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    EXPECT_THROW(StringToColor("red"), EConvertError);
}

TEST_F(ThreeColumns, ColumnStateStringRoundTrips)
{
    EXPECT_EQ(ColumnStatesToString(Grid), "3#64,80,100#0,1,2#1,1,1");
    StringToColumnStates(Grid, ColumnStatesToString(Grid));
    EXPECT_EQ(ColumnStatesToString(Grid), "3#64,80,100#0,1,2#1,1,1");

    Grid.MoveColumn(0, 2);
    const QString moved = ColumnStatesToString(Grid);
    EXPECT_EQ(moved, "3#80,100,64#1,2,0#1,1,1");

    TDazStringGrid fresh;
    fresh.SetColCount(3);
    fresh.SetFixedCols(0);
    for (int c = 0; c < 3; ++c)
        fresh.SetCells(c, 0, QStringLiteral("c%1").arg(c));
    StringToColumnStates(fresh, moved);
    EXPECT_EQ(fresh.Cells(0, 0), "c1");
    EXPECT_EQ(fresh.Cells(1, 0), "c2");
    EXPECT_EQ(fresh.Cells(2, 0), "c0");
    EXPECT_EQ(ColumnStatesToString(fresh), moved);
}

TEST_F(ThreeColumns, HiddenColumnIsHiddenAgainOnRestore)
{
    Grid.HideColumn(1);
    const QString s = ColumnStatesToString(Grid);
    EXPECT_TRUE(s.startsWith("3#"));
    EXPECT_TRUE(s.endsWith("#1,0,1"));
    Grid.UnHideColumnsAll();
    StringToColumnStates(Grid, s);
    EXPECT_TRUE(Grid.IsHiddenColumn(1));
    EXPECT_EQ(Grid.ColCount(), 2);
    EXPECT_EQ(ColumnStatesToString(Grid), s);
}

TEST_F(ThreeColumns, DamagedStateStringsChangeNothing)
{
    StringToColumnStates(Grid, "no separator here");
    for (const char *bad : {"3#64,80#0,1,2#1,1,1", "3#64,80,100#0,1#1,1,1", "3#64,80,100#0,1,2#1,1",
                            "x#64,80,100#0,1,2#1,1,1", "3#64,a,100#0,1,2#1,1,1",
                            "3#64,80,100#0,0,2#1,1,1", "3#64,80,100#0,1,5#1,1,1", "3#64,80,100",
                            "0####"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StringToColumnStates(Grid, bad), EDazGridError);
        EXPECT_EQ(ColumnStatesToString(Grid), "3#64,80,100#0,1,2#1,1,1");
        EXPECT_EQ(Headers(), "c0 c1 c2");
    }
}

TEST_F(ThreeColumns, WidthsRestoreWithStretchHeldOffAndBack)
{
    Grid.ColumnSize().SetStretch(true);
    StringToColumnStates(Grid, "3#30,40,50#0,1,2#1,1,1");
    EXPECT_TRUE(Grid.ColumnSize().Stretch());
    EXPECT_EQ(Grid.ColWidths(0), 30);
    EXPECT_EQ(Grid.ColWidths(1), 40);
}

TEST_F(ThreeColumns, StoreKeepsSizesAndPositions)
{
    for (TColumnSizeLocation loc : {clIniFile, clRegistry}) {
        SCOPED_TRACE(int(loc));
        const QString key = loc == clIniFile ? Dir.filePath("cols.ini") : QStringLiteral("Software\\Plant\\Grid");
        Grid.ColumnSize().SetLocation(loc);
        Grid.ColumnSize().SetKey(key);
        Grid.ColumnSize().SetSection("Main");
        const QString file = loc == clIniFile ? key : ColumnStoreFile(key);

        // Nothing stored yet: widths stay, positions stay.
        LoadColSizes(Grid);
        Grid.LoadColPositions();
        EXPECT_EQ(Grid.ColWidths(2), 100);
        EXPECT_EQ(Headers(), "c0 c1 c2");

        Grid.MoveColumn(0, 2);
        SaveColSizes(Grid);
        Grid.SaveColPositions();
        const TMemIniFile ini(file);
        EXPECT_EQ(ini.ReadInteger("Main", "Col0", -1), 80);
        EXPECT_EQ(ini.ReadInteger("Main", "Pos0", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Main", "Pos2", -1), 0);

        Grid.ResetColumnOrder();
        Grid.ColumnOrder().Clear();
        for (int c = 0; c < 3; ++c)
            Grid.SetColWidths(c, 10);
        ASSERT_EQ(Headers(), "c0 c1 c2");
        Grid.LoadColPositions();
        LoadColSizes(Grid);
        EXPECT_EQ(Headers(), "c1 c2 c0");
        EXPECT_EQ(Grid.ColWidths(0), 80);
        EXPECT_EQ(Grid.ColWidths(2), 64);
        Grid.ResetColumnOrder();
        Grid.ColumnOrder().Clear();
    }
}

TEST_F(ThreeColumns, StoreIsUntouchedWithoutKeyOrSectionAndRefusesBadOrders)
{
    Grid.ColumnSize().SetLocation(clIniFile);
    Grid.ColumnSize().SetKey(Dir.filePath("none.ini"));
    SaveColSizes(Grid);
    Grid.SaveColPositions();
    LoadColSizes(Grid);
    Grid.LoadColPositions();
    EXPECT_FALSE(QFileInfo::exists(Dir.filePath("none.ini")));

    // A stored order that is no permutation of the columns changes nothing.
    const QString file = Dir.filePath("bad.ini");
    {
        TMemIniFile ini(file);
        ini.WriteInteger("S", "Pos0", 2);
        ini.WriteInteger("S", "Pos1", 2);
        ini.WriteInteger("S", "Pos2", 0);
        ini.UpdateFile();
    }
    Grid.ColumnSize().SetKey(file);
    Grid.ColumnSize().SetSection("S");
    Grid.LoadColPositions();
    EXPECT_EQ(Headers(), "c0 c1 c2");
}

TEST_F(ThreeColumns, SaveAtDestructionAndLoadAtLoading)
{
    const QString file = Dir.filePath("life.ini");
    {
        TDazStringGrid g;
        g.SetColCount(3);
        g.ColumnSize().SetLocation(clIniFile);
        g.ColumnSize().SetKey(file);
        g.ColumnSize().SetSection("S");
        g.ColumnSize().SetSave(true);
        g.SetColWidths(1, 77);
    }
    TDazStringGrid g;
    g.SetColCount(3);
    g.ColumnSize().SetLocation(clIniFile);
    g.ColumnSize().SetKey(file);
    g.ColumnSize().SetSection("S");
    g.ColumnSize().SetSave(true);
    g.Loaded();
    EXPECT_EQ(g.ColWidths(1), 77);
}

TEST(ColumnGridPositions, IniLocationUsesTheItemPositions)
{
    QTemporaryDir dir;
    InstallGridTools();
    TDazColumnGrid g;
    g.SetColCount(3);
    g.ColumnSize().SetLocation(clIniFile);
    g.ColumnSize().SetKey(dir.filePath("cg.ini"));
    g.ColumnSize().SetSection("S");
    g.SaveColPositions();
    const TMemIniFile ini(dir.filePath("cg.ini"));
    EXPECT_TRUE(ini.ValueExists("S", "CP0"));
    EXPECT_FALSE(ini.ValueExists("S", "Pos0"));
}

// ---------------------------------------------------------------------------------------

namespace {

struct VisualProps : ::testing::Test {
    TDazStringGrid Grid;
    QTemporaryDir Dir;
    QString File = Dir.filePath("look.txt");

    QStringList Lines()
    {
        return QString::fromLatin1(Read_File(File)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    void WriteLines(const QStringList &Lines)
    {
        Write_File_Atomic(File, (Lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    }
};

}   // namespace

TEST_F(VisualProps, FileLayoutAndRoundTrip)
{
    Grid.SetSelectionColor(0x123456);
    Grid.Font().SetStyle(fsBold | fsUnderline);
    Grid.Bands().SetActive(true);
    Grid.ControlLook().SetControlStyle(csVantrel);
    SaveVisualProps(Grid, File);
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 69);
    EXPECT_EQ(lines[0].section('=', 0, 0), "Color");
    EXPECT_TRUE(lines.contains("SelectionColor=$00123456"));
    EXPECT_TRUE(lines.contains("Font.Style=fsBold,fsUnderline"));
    EXPECT_TRUE(lines.contains("Bands.Active=true"));
    EXPECT_TRUE(lines.contains("ControlLook.ControlStyle=csQuillon"));
    // The grid line colours follow the last grouping line.
    const int last = int(lines.indexOf(QRegularExpression("^Grouping.SummaryLineWidth=.*")));
    EXPECT_TRUE(lines[last + 1].startsWith("GridLineColor="));
    EXPECT_TRUE(lines[last + 2].startsWith("GridFixedLineColor="));
    EXPECT_TRUE(lines[last + 3].startsWith("BackGround.Top="));

    const QByteArray first = Read_File(File);
    TDazStringGrid other;
    LoadVisualProps(other, File);
    EXPECT_EQ(other.SelectionColor(), 0x123456);
    EXPECT_EQ(other.Font().Style(), fsBold | fsUnderline);
    EXPECT_EQ(other.ControlLook().ControlStyle(), csVantrel);
    SaveVisualProps(other, File);
    EXPECT_EQ(Read_File(File), first);
}

TEST_F(VisualProps, ReadingRules)
{
    SaveVisualProps(Grid, File);
    QStringList lines = Lines();
    auto set = [&](const QString &name, const QString &value) {
        for (QString &l : lines)
            if (l.section('=', 0, 0) == name)
                l = name + '=' + value;
    };
    set("Balloon.BackgroundColor", "clRed");
    lines.replaceInStrings("Balloon.BackgroundColor=", "Balloon.BackGroundColor=");   // another case
    set("ControlLook.ControlStyle", "CSFLAT");
    set("Font.Style", "fsItalic,fsBold");
    set("FixedFont.Style", "");
    set("BackGround.Display", "bdNowhere");
    set("Bands.Active", "True");
    set("URLShow", "yes");
    set("Look", "");
    WriteLines(lines);
    Grid.FixedFont().SetStyle(fsBold);
    Grid.BackGround().SetDisplay(bdFixed);
    LoadVisualProps(Grid, File);
    EXPECT_EQ(Grid.Balloon().BackgroundColor(), clRed);
    EXPECT_EQ(Grid.ControlLook().ControlStyle(), csFlat);
    EXPECT_EQ(Grid.Font().Style(), fsBold | fsItalic);
    EXPECT_EQ(Grid.FixedFont().Style(), 0u);
    EXPECT_EQ(Grid.BackGround().Display(), bdFixed);
    EXPECT_TRUE(Grid.Bands().Active());
    EXPECT_FALSE(Grid.URLShow());

    set("ControlLook.ControlStyle", "csVantrel");
    WriteLines(lines);
    LoadVisualProps(Grid, File);
    EXPECT_EQ(Grid.ControlLook().ControlStyle(), csVantrel);
}

TEST_F(VisualProps, LookAppliesOverEarlierColoursAndUnderLaterOnes)
{
    Grid.SetLook(glOffice2007);
    SaveVisualProps(Grid, File);
    QStringList lines = Lines();
    for (QString &l : lines) {
        if (l.startsWith("SelectionColor="))
            l = "SelectionColor=$00010203";
        if (l.startsWith("GridLineColor="))
            l = "GridLineColor=$00040506";
    }
    WriteLines(lines);
    TDazStringGrid plain;
    LoadVisualProps(plain, File);
    EXPECT_EQ(plain.Look(), glOffice2007);
    EXPECT_NE(plain.SelectionColor(), 0x010203);   // the look's own colour won
    EXPECT_EQ(plain.GridLineColor(), 0x040506);    // written after the look

    Grid.SetLook(glCustom);
    SaveVisualProps(Grid, File);
    EXPECT_TRUE(Lines().contains("Look="));
    TDazStringGrid soft;
    soft.SetLook(glSoft);
    LoadVisualProps(soft, File);
    EXPECT_EQ(soft.Look(), glSoft);
}

TEST_F(VisualProps, ADamagedFileLeavesTheLookAsItWas)
{
    WriteLines({"Color=clRed"});
    Grid.SetColor(clBlue);
    Grid.SetSelectionColor(0x111111);
    Grid.SetURLShow(true);
    EXPECT_THROW(LoadVisualProps(Grid, File), EConvertError);
    EXPECT_EQ(Grid.Color(), clBlue);
    EXPECT_EQ(Grid.SelectionColor(), 0x111111);
    EXPECT_TRUE(Grid.URLShow());

    SaveVisualProps(Grid, File);
    QStringList lines = Lines();
    lines.replaceInStrings(QRegularExpression("^Balloon.Transparency=.*"), "Balloon.Transparency=x");
    WriteLines(lines);
    Grid.SetColor(clGreen);
    EXPECT_THROW(LoadVisualProps(Grid, File), EConvertError);
    EXPECT_EQ(Grid.Color(), clGreen);

    try {
        LoadVisualProps(Grid, Dir.filePath("missing.txt"));
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromStdString(e.what()), "Cannot open file " + Dir.filePath("missing.txt"));
    }
    try {
        SaveVisualProps(Grid, Dir.filePath("no/such/folder/look.txt"));
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromStdString(e.what()),
                  "Cannot Create " + Dir.filePath("no/such/folder/look.txt"));
    }
}

// ---------------------------------------------------------------------------------------

TEST(PrintSettingsFile, DefaultsOfAnEmptySectionAndWriteBack)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("print.ini");
    TDazStringGrid g;
    TPrintSettings &ps = g.PrintSettings();
    ps.SetNoAutoSize(true);
    ps.SetBorders(pbDouble);
    ps.Font().SetStyle(fsBold);
    LoadPrintSettings(g, file, "P");
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(ps.ColumnSpacing(), 20);
    EXPECT_EQ(ps.RowSpacing(), 20);
    EXPECT_EQ(ps.TitleSpacing(), 20);
    for (int v : {ps.FooterSize(), ps.HeaderSize(), ps.LeftSize(), ps.RightSize()})
        EXPECT_EQ(v, 100);
    for (TFontObject *f : {&ps.Font(), &ps.HeaderFont(), &ps.FooterFont()}) {
        EXPECT_EQ(f->Name(), "Arial");
        EXPECT_EQ(f->Size(), 10);
        EXPECT_EQ(f->Style(), 0u);   // exactly the stored bits
    }
    EXPECT_TRUE(ps.Centered());
    EXPECT_FALSE(ps.NoAutoSize());
    EXPECT_FALSE(ps.UseDisplayFont());
    EXPECT_EQ(ps.Borders(), pbNoborder);
    EXPECT_EQ(ps.DateFormat(), "");
    EXPECT_EQ(ps.PageNumSep(), "");
}

TEST(PrintSettingsFile, KeysEncodingsAndRanges)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("print.ini");
    TDazStringGrid g;
    TPrintSettings &ps = g.PrintSettings();
    TStringList title;
    title.Add("Sales");
    title.Add("2023");
    ps.SetTitleLines(title);
    ps.SetRepeatFixedRows(true);
    ps.SetTitle(ppTopCenter);
    ps.HeaderFont().SetStyle(fsItalic | fsStrikeOut);
    ps.SetDateFormat("dd,mm\\yy");
    SavePrintSettings(g, file, "P");

    const TMemIniFile ini(file);
    const QStringList keys = ini.ReadSection("P");
    ASSERT_EQ(keys.size(), 45);
    EXPECT_EQ(keys.first(), "ColumnSpacing");
    EXPECT_EQ(keys.last(), "PrintGraphics");
    EXPECT_EQ(ini.ReadString("P", "TitleLines", {}), "Sales\\n2023\\n");
    EXPECT_EQ(ini.ReadString("P", "RepeatFixedRows", {}), "Y");
    EXPECT_EQ(ini.ReadString("P", "Centered", {}), "Y");
    EXPECT_EQ(ini.ReadString("P", "NoAutoSize", {}), "N");
    EXPECT_EQ(ini.ReadInteger("P", "Title", -1), int(ppTopCenter));
    EXPECT_EQ(ini.ReadInteger("P", "HeaderFontStyle", -1), 10);

    TDazStringGrid back;
    back.PrintSettings().HeaderFont().SetStyle(fsBold);
    LoadPrintSettings(back, file, "P");
    const TPrintSettings &b = back.PrintSettings();
    ASSERT_EQ(b.TitleLines().Count(), 2);
    EXPECT_EQ(b.TitleLines().Strings(0), "Sales");
    EXPECT_EQ(b.TitleLines().Strings(1), "2023");
    EXPECT_TRUE(b.RepeatFixedRows());
    EXPECT_EQ(b.Title(), ppTopCenter);
    EXPECT_EQ(b.HeaderFont().Style(), fsItalic | fsStrikeOut);
    EXPECT_EQ(b.DateFormat(), "dd,mm\\yy");

    {
        TMemIniFile w(file);
        w.WriteInteger("P", "Borders", 9);
        w.WriteInteger("P", "Title", 7);
        w.WriteString("P", "Centered", "y");
        w.WriteInteger("P", "Orientation", 2);
        w.UpdateFile();
    }
    back.PrintSettings().SetBorders(pbAround);
    back.PrintSettings().SetOrientation(poLandscape);
    LoadPrintSettings(back, file, "P");
    EXPECT_EQ(b.Borders(), pbAround);
    EXPECT_EQ(b.Title(), ppNone);
    EXPECT_FALSE(b.Centered());
    EXPECT_EQ(b.Orientation(), poLandscape);
}
