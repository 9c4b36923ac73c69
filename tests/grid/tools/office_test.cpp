// Spreadsheet, word-processor and database exchange against a scripted automation server
// that records every call, and the "server not found" answers of this system.
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridoffice.h"
#include "platform/automation.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace GridOffice;

namespace {

// An object whose properties are values and whose members answer from handlers; every
// access is written to a shared log as "Name.Member(args)".
class TFake : public IAutomationObject
{
public:
    TFake(QString Name, QStringList *Log) : Name(std::move(Name)), Log(Log) {}

    QString Name;
    QStringList *Log;
    std::map<QString, QVariant> Props;
    std::map<QString, std::function<QVariant(const QVariantList &)>> Members;

    static QString Args(const QVariantList &A)
    {
        QStringList s;
        for (const QVariant &v : A)
            s << (IsObject(v) ? QStringLiteral("obj") : v.toString());
        return s.join(',');
    }
    QVariant Get(const QString &M, const QVariantList &A) override
    {
        *Log << Name + "." + M + (A.isEmpty() ? QString() : "(" + Args(A) + ")");
        if (auto it = Members.find(M); it != Members.end())
            return it->second(A);
        return Props[M];
    }
    void Put(const QString &M, const QVariant &V) override
    {
        *Log << Name + "." + M + ":=" + (V.typeId() == QMetaType::QVariantList ? QStringLiteral("block") : V.toString());
        Props[M] = V;
    }
    QVariant Call(const QString &M, const QVariantList &A) override
    {
        *Log << Name + "." + M + "(" + Args(A) + ")";
        if (auto it = Members.find(M); it != Members.end())
            return it->second(A);
        return {};
    }
};

struct TServer : IAutomationServer {
    std::map<QString, TAutomationRef> Running, Creatable;
    QStringList Created;
    TAutomationRef Create(const QString &Id) override
    {
        auto it = Creatable.find(Id);
        if (it == Creatable.end())
            return nullptr;
        Created << Id;
        return it->second;
    }
    TAutomationRef GetActive(const QString &Id) override
    {
        auto it = Running.find(Id);
        return it == Running.end() ? nullptr : it->second;
    }
};

QVariantList Block(std::initializer_list<QVariantList> Rows)
{
    QVariantList b;
    for (const QVariantList &r : Rows)
        b << QVariant(r);
    return b;
}

struct OfficeFixture : ::testing::Test {
    QStringList Log;
    TServer Server;
    TDazStringGrid Grid;
    std::shared_ptr<TFake> App = std::make_shared<TFake>("xl", &Log);
    std::shared_ptr<TFake> Books = std::make_shared<TFake>("books", &Log);
    std::shared_ptr<TFake> Book = std::make_shared<TFake>("book", &Log);
    std::shared_ptr<TFake> Sheet = std::make_shared<TFake>("sheet", &Log);
    std::shared_ptr<TFake> Used = std::make_shared<TFake>("used", &Log);
    std::shared_ptr<TFake> Range = std::make_shared<TFake>("range", &Log);

    OfficeFixture()
    {
        SetAutomationServer(&Server);
        App->Props["WorkBooks"] = FromObject(Books);
        Books->Members["Open"] = [this](const QVariantList &) { return FromObject(Book); };
        Books->Members["Add"] = [this](const QVariantList &) { return FromObject(Book); };
        Book->Props["ActiveSheet"] = FromObject(Sheet);
        Sheet->Props["UsedRange"] = FromObject(Used);
        Sheet->Members["Range"] = [this](const QVariantList &) { return FromObject(Range); };
        Grid.SetSaveFixedCells(false);
    }
    ~OfficeFixture() override { SetAutomationServer(nullptr); }
};

}   // namespace

TEST(OfficeNames, SpreadsheetColumnNames)
{
    const std::pair<int, const char *> cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {256, "IV"}, {702, "ZZ"}};
    for (auto [n, name] : cases)
        EXPECT_EQ(XLSColumnName(n), name) << n;
}

TEST_F(OfficeFixture, ImportOfAUsedRangeWithFixedOffsetsAndSkippedValues)
{
    Server.Creatable["excel.application"] = App;
    Used->Props["Address"] = "$B$3:$C$4";
    TAutomationErrorValue err{2042};
    Range->Props["Value"] = Block({{"b3", 1.5}, {QVariant::fromValue(err), QVariant()}});
    Grid.SetCells(1, 2, "kept");
    LoadFromXLS(Grid, "/data/plant.xls");
    EXPECT_EQ(Grid.ColCount(), 3);   // 2 + one fixed column
    EXPECT_EQ(Grid.RowCount(), 3);
    EXPECT_EQ(Grid.Cells(1, 1), "b3");
    EXPECT_EQ(Grid.Cells(2, 1), "1.5");
    EXPECT_EQ(Grid.Cells(1, 2), "kept");   // an error value keeps the text
    EXPECT_EQ(Grid.Cells(2, 2), "");
    EXPECT_TRUE(Log.contains("books.Open(/data/plant.xls)"));
    EXPECT_TRUE(Log.contains("sheet.Range(B3:C4)"));
    EXPECT_TRUE(Log.contains("book.Close(false)"));
    EXPECT_EQ(Log.last(), "xl.Quit()");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(OfficeFixture, ImportAddressForms)
{
    Server.Creatable["excel.application"] = App;
    Grid.SetSaveFixedCells(true);
    auto rows = std::make_shared<TFake>("rows", &Log);
    Sheet->Props["Rows"] = FromObject(rows);
    rows->Members["Cells"] = [](const QVariantList &) { return QVariant("only"); };
    Used->Props["Address"] = "$A$1";
    LoadFromXLS(Grid, "a.xls");
    EXPECT_EQ(Grid.Cells(0, 0), "only");
    EXPECT_TRUE(Log.contains("rows.Cells(1,1)"));

    Used->Props["Address"] = "$1:$2";
    Range->Props["Value"] = Block({{"x"}, {"y"}});
    LoadFromXLS(Grid, "a.xls");
    EXPECT_EQ(Grid.ColCount(), 256);
    EXPECT_EQ(Grid.RowCount(), 2);
    EXPECT_TRUE(Log.contains("sheet.Range(A1:IV2)"));

    Used->Props["Address"] = "$Z$1:$AB$1";
    Range->Props["Value"] = Block({{"z", "aa", "ab"}});
    LoadFromXLS(Grid, "a.xls");
    EXPECT_TRUE(Log.contains("sheet.Range(Z1:AB1)"));
    EXPECT_EQ(Grid.Cells(2, 0), "ab");
}

TEST_F(OfficeFixture, NamedSheetsAndReadFailures)
{
    Server.Creatable["excel.application"] = App;
    auto sheets = std::make_shared<TFake>("sheets", &Log);
    sheets->Props["Count"] = 1;
    Book->Members["Sheets"] = [&](const QVariantList &A) {
        return A.isEmpty() ? FromObject(sheets) : FromObject(Sheet);
    };
    Sheet->Props["Name"] = "Data";
    try {
        LoadFromXLSSheet(Grid, "a.xls", "Missing");
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "Excel worksheet Missing not found");
    }
    EXPECT_EQ(Log.last(), "xl.Quit()");

    Used->Props["Address"] = "$A$1:$B$1";
    Sheet->Members["Range"] = [](const QVariantList &) -> QVariant { throw EOleError("busy"); };
    try {
        LoadFromXLSSheet(Grid, "a.xls", "Data");
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Incorrect XLS file");
    }
    EXPECT_EQ(Log.last(), "xl.Quit()");
}

TEST_F(OfficeFixture, ExportIntoTheActiveWorkbookFromTheActiveRow)
{
    Server.Running["excel.application"] = App;
    App->Props["ActiveWorkBook"] = FromObject(Book);
    auto cell = std::make_shared<TFake>("cell", &Log);
    cell->Props["Row"] = 5;
    App->Props["ActiveCell"] = FromObject(cell);
    Grid.SetColCount(2);
    Grid.SetRowCount(3);
    Grid.SetSaveFixedCells(true);
    Grid.SetCells(0, 0, "a\r\nb");
    SaveToXLS(Grid, "out.xls", false);
    EXPECT_TRUE(Log.contains("sheet.Range(A5:B7)"));
    const QVariantList block = Range->Props["Value"].toList();
    ASSERT_EQ(block.size(), 3);
    EXPECT_EQ(block[0].toList()[0].toString(), "a\nb");
    EXPECT_TRUE(Log.contains("book.SaveAs(out.xls)"));
    EXPECT_FALSE(Log.contains("xl.Quit()"));   // attached, left running

    // Saving fails visibly.
    Book->Members["Sheets"] = [this](const QVariantList &) { return FromObject(Sheet); };
    Book->Members["SaveAs"] = [](const QVariantList &) -> QVariant { throw EOleError("disk full"); };
    EXPECT_THROW(SaveToXLS(Grid, "out.xls", true), EDazGridError);
}

TEST_F(OfficeFixture, ExportIntoANamedSheetOfAnExistingFileSavesInPlace)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("book.xls");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Server.Creatable["excel.application"] = App;
    auto sheets = std::make_shared<TFake>("sheets", &Log);
    sheets->Props["Count"] = 0;
    Book->Props["Sheets"] = FromObject(sheets);
    auto ws = std::make_shared<TFake>("worksheets", &Log);
    ws->Members["Add"] = [this](const QVariantList &) { return FromObject(Sheet); };
    Book->Props["WorkSheets"] = FromObject(ws);
    Grid.SetColCount(1);
    Grid.SetRowCount(1);
    SaveToXLSSheet(Grid, file, "New");
    EXPECT_TRUE(Log.contains("books.Open(" + file + ")"));
    EXPECT_TRUE(Log.contains("sheet.Name:=New"));
    EXPECT_TRUE(Log.contains("book.Save()"));
    EXPECT_EQ(Log.last(), "xl.Quit()");
}

TEST_F(OfficeFixture, WordTableAtABookmarkOrAtTheEnd)
{
    auto wd = std::make_shared<TFake>("wd", &Log);
    auto docs = std::make_shared<TFake>("docs", &Log);
    auto doc = std::make_shared<TFake>("doc", &Log);
    auto sel = std::make_shared<TFake>("sel", &Log);
    auto marks = std::make_shared<TFake>("marks", &Log);
    auto tables = std::make_shared<TFake>("tables", &Log);
    auto table = std::make_shared<TFake>("table", &Log);
    auto cell = std::make_shared<TFake>("cell", &Log);
    auto crange = std::make_shared<TFake>("crange", &Log);
    auto para = std::make_shared<TFake>("para", &Log);
    auto paras = std::make_shared<TFake>("paras", &Log);
    Server.Creatable["word.application"] = wd;
    wd->Props["Documents"] = FromObject(docs);
    wd->Props["Selection"] = FromObject(sel);
    docs->Members["Open"] = [&](const QVariantList &) { return FromObject(doc); };
    doc->Props["Bookmarks"] = FromObject(marks);
    doc->Props["Tables"] = FromObject(tables);
    doc->Props["Paragraphs"] = FromObject(paras);
    doc->Members["Range"] = [&](const QVariantList &) { return FromObject(crange); };
    doc->Members["Goto"] = [&](const QVariantList &) { return FromObject(crange); };
    sel->Props["End"] = 40;
    marks->Members["Exists"] = [](const QVariantList &A) { return QVariant(A[0].toString() == "here"); };
    tables->Members["Add"] = [&](const QVariantList &) { return FromObject(table); };
    table->Members["Cell"] = [&](const QVariantList &) { return FromObject(cell); };
    cell->Props["Range"] = FromObject(crange);
    crange->Props["ParagraphFormat"] = FromObject(para);
    Grid.SetColCount(2);
    Grid.SetRowCount(2);
    Grid.SetCells(1, 1, "x");
    Grid.SetAlignments(1, 1, taRightJustify);
    Grid.SetAlignments(0, 1, taCenter);
    AppendToDoc(Grid, "r.doc", "here");
    EXPECT_TRUE(Log.contains("doc.Goto(-1,,,here)"));
    EXPECT_TRUE(Log.contains("tables.Add(obj,2,2)"));
    EXPECT_EQ(Log.filter("crange.InsertAfter").size(), 4);
    EXPECT_TRUE(Log.contains("para.Alignment:=2"));
    EXPECT_TRUE(Log.contains("para.Alignment:=1"));
    EXPECT_TRUE(Log.contains("doc.SaveAs(r.doc)"));
    EXPECT_EQ(Log.last(), "wd.Quit()");

    Log.clear();
    AppendToDoc(Grid, "r.doc", "missing");
    EXPECT_TRUE(Log.contains("paras.Add()"));
    EXPECT_TRUE(Log.contains("sel.Goto(3,-1)"));
    EXPECT_TRUE(Log.contains("doc.Range(40,40)"));
}

TEST_F(OfficeFixture, DatabaseImportGrowsRowByRowWithoutACount)
{
    auto conn = std::make_shared<TFake>("conn", &Log);
    auto rs = std::make_shared<TFake>("rs", &Log);
    auto fields = std::make_shared<TFake>("fields", &Log);
    auto f0 = std::make_shared<TFake>("f0", &Log);
    auto f1 = std::make_shared<TFake>("f1", &Log);
    Server.Creatable["ADODB.Connection"] = conn;
    Server.Creatable["ADODB.RecordSet"] = rs;
    fields->Props["Count"] = 2;
    f0->Props["Name"] = "Id";
    f1->Props["Name"] = "Item";
    rs->Members["Fields"] = [&](const QVariantList &A) {
        if (A.isEmpty())
            return FromObject(fields);
        return FromObject(A[0].toInt() == 0 ? f0 : f1);
    };
    rs->Props["RecordCount"] = -1;
    int record = 0;
    const QStringList ids = {"1", "2", "3"}, items = {"bolt", "", "nut"};
    rs->Members["Eof"] = [&](const QVariantList &) {
        f0->Props["Value"] = ids.value(record);
        f0->Props["ActualSize"] = 1;
        f1->Props["Value"] = items.value(record);
        f1->Props["ActualSize"] = int(items.value(record).size());
        return QVariant(record >= 3);
    };
    rs->Members["MoveNext"] = [&](const QVariantList &) {
        ++record;
        return QVariant();
    };
    Grid.SetRowCount(2);
    Grid.SetColCount(2);
    LoadFromMDBTable(Grid, "plant.mdb", "Orders");
    EXPECT_TRUE(Log.contains("rs.Open(SELECT * FROM Orders)"));
    EXPECT_TRUE(Log.contains("conn.Open(Driver={Microsoft Access Driver (*.mdb)};DBQ=plant.mdb)"));
    EXPECT_EQ(Grid.ColCount(), 3);
    EXPECT_EQ(Grid.Cells(1, 0), "Id");
    EXPECT_EQ(Grid.Cells(2, 0), "Item");
    EXPECT_EQ(Grid.RowCount(), 4);
    EXPECT_EQ(Grid.Cells(2, 3), "nut");
    EXPECT_EQ(Grid.Cells(2, 2), "");
}

TEST(OfficeOnThisSystem, NoServerLeavesTheGridUnchanged)
{
    TDazStringGrid g;
    g.SetColCount(3);
    g.SetCells(1, 1, "x");
    auto expectError = [&](const std::function<void()> &f, const char *text) {
        try {
            f();
            ADD_FAILURE() << text;
        } catch (const EDazGridError &e) {
            EXPECT_STREQ(e.what(), text);
        }
        EXPECT_EQ(g.ColCount(), 3);
        EXPECT_EQ(g.Cells(1, 1), "x");
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    };
    expectError([&] { LoadFromXLS(g, "a.xls"); }, "Excel OLE server not found");
    expectError([&] { SaveToXLS(g, "a.xls", true); }, "Excel OLE server not found");
    expectError([&] { GetXLSSheets(g, "a.xls"); }, "Excel OLE server not found");
    expectError([&] { SaveToDOC(g, "a.doc", true); }, "Word OLE server not found");
    expectError([&] { LoadFromMDBSQL(g, "a.mdb", "SELECT 1"); },
                "Database access is not available on this system");
}
