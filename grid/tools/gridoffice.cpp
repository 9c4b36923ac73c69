#include "grid/tools/gridoffice.h"

#include "grid/string/dazstringgrid.h"
#include "platform/automation.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QGuiApplication>
#include <QScopeGuard>

namespace {

const QString ExcelId = QStringLiteral("excel.application");
const QString WordId = QStringLiteral("word.application");

TAutomationRef Obj(const QVariant &V) { return ToObject(V); }

// The hourglass while an office program works; restored on every way out.
struct THourglass {
    THourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QGuiApplication::restoreOverrideCursor(); }
};

// An instance of an office program: created (told to quit at the end) or attached.
struct TInstance {
    TAutomationRef App;
    bool Created = false;
    ~TInstance()
    {
        if (App && Created) {
            try {
                App->Call(QStringLiteral("Quit"));
            } catch (...) {
            }
        }
    }
};

void StartInstance(TInstance &I, const QString &Id, bool AttachFirst, const char *NotFound)
{
    if (AttachFirst) {
        try {
            I.App = GetActiveOleObject(Id);
            return;
        } catch (const EOleError &) {
        }
    }
    try {
        I.App = CreateOleObject(Id);
        I.Created = true;
    } catch (const EOleError &) {
        throw EDazGridError(NotFound);
    }
}

// Letters of a column name to its number ("A" 1, "AA" 27); -1 for anything else.
int ColumnNumber(const QString &Letters)
{
    if (Letters.isEmpty() || Letters.size() > 3)
        return -1;
    int n = 0;
    for (QChar ch : Letters) {
        const QChar u = ch.toUpper();
        if (u < QLatin1Char('A') || u > QLatin1Char('Z'))
            return -1;
        n = n * 26 + (u.unicode() - 'A' + 1);
    }
    return n;
}

// "$B$3" -> column 2, row 3; -1 for a part that does not convert.
void SplitCell(const QString &Part, int &Col, int &Row)
{
    const qsizetype d = Part.indexOf(QLatin1Char('$'));
    if (d < 0) {
        Col = Row = -1;
        return;
    }
    Col = ColumnNumber(Part.left(d));
    Row = StrToIntDef(Part.mid(d + 1), -1);
}

QString StripDollar(const QString &S) { return S.startsWith(QLatin1Char('$')) ? S.mid(1) : S; }

}   // namespace

// The grid's own hooks the exchange reads and writes cells through.
class TGridOffice
{
public:
    static void Import(TDazStringGrid &G, const QString &FileName, const QString *SheetName);
    static void Export(TDazStringGrid &G, const QString &FileName, const QString *SheetName,
                       bool CreateNewSheet);
    static void Word(TDazStringGrid &G, const QString &FileName, bool Append, bool CreateNew,
                     const QString &Bookmark);
    static void Database(TDazStringGrid &G, const QString &FileName, const QString &SQL);
};

void TGridOffice::Import(TDazStringGrid &G, const QString &FileName, const QString *SheetName)
{
    THourglass hourglass;
    TInstance xl;
    StartInstance(xl, ExcelId, false, "Excel OLE server not found");
    const TAutomationRef book =
        Obj(Obj(xl.App->Get(QStringLiteral("WorkBooks")))->Call(QStringLiteral("Open"), {FileName}));
    auto afterwards = qScopeGuard([&] {
        try {
            G.CellsChanged(TRect(0, 0, G.ColCount(), G.RowCount()));
            G.CalcFooter(-1);
        } catch (...) {
        }
    });
    TAutomationRef sheet;
    if (SheetName) {
        const TAutomationRef sheets = Obj(book->Get(QStringLiteral("Sheets")));
        const int n = sheets->Get(QStringLiteral("Count")).toInt();
        for (int i = 1; i <= n; ++i) {
            const TAutomationRef s = Obj(book->Get(QStringLiteral("Sheets"), {i}));
            if (s->Get(QStringLiteral("Name")).toString() == *SheetName)
                sheet = s;
        }
        if (!sheet)
            throw EDazGridError(("Excel worksheet " + *SheetName + " not found").toStdString());
    } else {
        sheet = Obj(book->Get(QStringLiteral("ActiveSheet")));
    }
    const QString address = Obj(sheet->Get(QStringLiteral("UsedRange")))->Get(QStringLiteral("Address")).toString();
    int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
    bool single = false;
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString a = StripDollar(address.left(colon));
        const QString b = StripDollar(address.mid(colon + 1));
        if (!a.contains(QLatin1Char('$'))) {   // whole rows
            r1 = StrToIntDef(a, -1);
            r2 = StrToIntDef(b, -1);
            c1 = 1;
            c2 = 256;
        } else {
            SplitCell(a, c1, r1);
            SplitCell(b, c2, r2);
        }
    } else {
        single = true;
        const QString a = StripDollar(address);
        if (!a.contains(QLatin1Char('$')))
            c1 = r1 = 1;
        else
            SplitCell(a, c1, r1);
        c2 = c1;
        r2 = r1;
    }
    const int fixedCols = G.FixedCols(), fixedRows = G.FixedRows();
    if (c1 > 0 && r1 > 0 && c2 >= c1 && r2 >= r1) {
        G.SetColCount(c2 - c1 + 1);
        G.SetRowCount(r2 - r1 + 1);
    }
    const int co = G.SaveFixedCells() || G.SaveFixedCols() ? 0 : fixedCols;
    const int ro = G.SaveFixedCells() || G.SaveFixedRows() ? 0 : fixedRows;
    G.SetColCount(G.ColCount() + co);
    G.SetRowCount(G.RowCount() + ro);
    if (fixedCols < G.ColCount())
        G.SetFixedCols(fixedCols);
    if (fixedRows < G.RowCount())
        G.SetFixedRows(fixedRows);
    try {
        if (single) {
            const TAutomationRef rows = Obj(sheet->Get(QStringLiteral("Rows")));
            const QVariant v = rows->Get(QStringLiteral("Cells"), {r1, c1});
            G.LoadCellText(co, ro, v.toString());
        } else {
            const QString range = GridOffice::XLSColumnName(c1) + QString::number(r1) + QLatin1Char(':') +
                                  GridOffice::XLSColumnName(c2) + QString::number(r2);
            const QVariantList values =
                Obj(sheet->Get(QStringLiteral("Range"), {range}))->Get(QStringLiteral("Value")).toList();
            for (int r = 1; r <= G.RowCount() - ro; ++r) {
                const QVariantList row = r - 1 < values.size() ? values[r - 1].toList() : QVariantList();
                for (int c = 1; c <= G.ColCount() - co; ++c) {
                    const QVariant v = c - 1 < row.size() ? row[c - 1] : QVariant();
                    if (IsObject(v) || IsErrorValue(v))
                        continue;
                    G.LoadCellText(co + c - 1, ro + r - 1, v.isNull() ? QString() : v.toString());
                }
            }
        }
    } catch (const std::exception &) {
        throw std::runtime_error("Incorrect XLS file");
    }
    book->Call(QStringLiteral("Close"), {false});
}

void TGridOffice::Export(TDazStringGrid &G, const QString &FileName, const QString *SheetName,
                         bool CreateNewSheet)
{
    THourglass hourglass;
    TInstance xl;
    StartInstance(xl, ExcelId, true, "Excel OLE server not found");
    const TAutomationRef books = Obj(xl.App->Get(QStringLiteral("WorkBooks")));
    TAutomationRef book, sheet;
    bool opened = false;
    int d = 1;
    if (SheetName) {
        try {
            if (File_Exists(FileName)) {
                book = Obj(books->Call(QStringLiteral("Open"), {FileName}));
                opened = true;
            } else {
                book = Obj(books->Call(QStringLiteral("Add")));
            }
        } catch (const std::exception &) {
            try {
                book = Obj(books->Call(QStringLiteral("Add")));
                opened = false;
            } catch (const std::exception &) {
                throw EDazGridError(("Cannot open or create the workbook " + FileName).toStdString());
            }
        }
        const TAutomationRef sheets = Obj(book->Get(QStringLiteral("Sheets")));
        const int n = sheets->Get(QStringLiteral("Count")).toInt();
        for (int i = 1; i <= n; ++i) {
            const TAutomationRef s = Obj(book->Get(QStringLiteral("Sheets"), {i}));
            if (s->Get(QStringLiteral("Name")).toString() == *SheetName)
                sheet = s;
        }
        if (!sheet) {
            sheet = Obj(Obj(book->Get(QStringLiteral("WorkSheets")))->Call(QStringLiteral("Add")));
            sheet->Put(QStringLiteral("Name"), *SheetName);
        }
    } else {
        QVariant active;
        if (!CreateNewSheet)
            active = xl.App->Get(QStringLiteral("ActiveWorkBook"));
        if (CreateNewSheet || !IsObject(active) || !active.value<TAutomationRef>()) {
            try {
                book = Obj(books->Call(QStringLiteral("Add")));
            } catch (const std::exception &) {
                throw EDazGridError(("Cannot create a workbook for " + FileName).toStdString());
            }
            sheet = Obj(book->Get(QStringLiteral("Sheets"), {1}));
        } else {
            book = Obj(active);
            sheet = Obj(book->Get(QStringLiteral("ActiveSheet")));
            d = Obj(xl.App->Get(QStringLiteral("ActiveCell")))->Get(QStringLiteral("Row")).toInt();
        }
    }
    const int r0 = G.SaveStartRow(), c0 = G.SaveStartCol();
    const int rows = G.RowCount() - r0, cols = G.ColCount() - c0;
    QVariantList block;
    G.ExportNotification(esExportStart, r0);
    for (int r = r0; r < G.RowCount(); ++r) {
        QVariantList line;
        for (int c = c0; c < G.ColCount(); ++c) {
            QString s = G.SaveCellText(G.RealColIndex(c), r);
            s.remove(QLatin1Char('\r'));
            line << s;
        }
        block << QVariant(line);
        G.ExportNotification(esExportNextRow, r);
    }
    G.ExportNotification(esExportDone, -1);
    const QString range = QStringLiteral("A%1:%2%3").arg(d).arg(GridOffice::XLSColumnName(cols)).arg(d + rows - 1);
    Obj(sheet->Get(QStringLiteral("Range"), {range}))->Put(QStringLiteral("Value"), block);
    // A failed save is reported with the file's name.
    try {
        if (opened)
            book->Call(QStringLiteral("Save"));
        else
            book->Call(QStringLiteral("SaveAs"), {FileName});
    } catch (const std::exception &e) {
        throw EDazGridError(("Cannot save " + FileName + ": " + QString::fromUtf8(e.what())).toStdString());
    }
}

void TGridOffice::Word(TDazStringGrid &G, const QString &FileName, bool Append, bool CreateNew,
                       const QString &Bookmark)
{
    THourglass hourglass;
    TInstance wd;
    StartInstance(wd, WordId, true, "Word OLE server not found");
    const TAutomationRef docs = Obj(wd.App->Get(QStringLiteral("Documents")));
    TAutomationRef doc;
    if (Append)
        doc = Obj(docs->Call(QStringLiteral("Open"), {FileName}));
    else if (CreateNew || docs->Get(QStringLiteral("Count")).toInt() == 0)
        doc = Obj(docs->Call(QStringLiteral("Add")));
    else
        doc = Obj(wd.App->Get(QStringLiteral("ActiveDocument")));
    doc->Put(QStringLiteral("ShowSpellingErrors"), false);
    const TAutomationRef selection = Obj(wd.App->Get(QStringLiteral("Selection")));
    selection->Call(QStringLiteral("TypeText"), {G.windowTitle()});
    selection->Call(QStringLiteral("TypeParaGraph"));
    TAutomationRef range;
    if (!Append) {
        range = Obj(doc->Call(QStringLiteral("Range"), {0, 0}));
    } else if (!Bookmark.isEmpty() &&
               Obj(doc->Get(QStringLiteral("Bookmarks")))->Call(QStringLiteral("Exists"), {Bookmark}).toBool()) {
        range = Obj(doc->Call(QStringLiteral("Goto"), {-1, QVariant(), QVariant(), Bookmark}));
    } else {
        Obj(doc->Get(QStringLiteral("Paragraphs")))->Call(QStringLiteral("Add"));
        selection->Call(QStringLiteral("Goto"), {3, -1});
        const QVariant end = selection->Get(QStringLiteral("End"));
        range = Obj(doc->Call(QStringLiteral("Range"), {end, end}));
    }
    const TAutomationRef table = Obj(Obj(doc->Get(QStringLiteral("Tables")))
                                         ->Call(QStringLiteral("Add"), {FromObject(range), G.RowCount(), G.ColCount()}));
    G.ExportNotification(esExportStart, 0);
    for (int d = 1; d <= G.RowCount(); ++d) {
        G.ExportNotification(esExportNextRow, d);
        for (int g = 1; g <= G.ColCount(); ++g) {
            const TAutomationRef cell = Obj(table->Call(QStringLiteral("Cell"), {d, g}));
            const TAutomationRef cr = Obj(cell->Get(QStringLiteral("Range")));
            cr->Call(QStringLiteral("InsertAfter"), {G.SaveCellText(G.RealColIndex(g - 1), d - 1)});
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            G.GetCellAlignment(g - 1, d - 1, ha, va);
            if (ha != taLeftJustify)
                Obj(cr->Get(QStringLiteral("ParagraphFormat")))
                    ->Put(QStringLiteral("Alignment"), ha == taRightJustify ? 2 : 1);
        }
    }
    G.ExportNotification(esExportDone, -1);
    doc->Call(QStringLiteral("SaveAs"), {FileName});
}

void TGridOffice::Database(TDazStringGrid &G, const QString &FileName, const QString &SQL)
{
    TAutomationRef connection, records;
    try {
        connection = CreateOleObject(QStringLiteral("ADODB.Connection"));
        records = CreateOleObject(QStringLiteral("ADODB.RecordSet"));
    } catch (const EOleError &) {
        throw EDazGridError("Database access is not available on this system");
    }
    connection->Call(QStringLiteral("Open"),
                     {QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + FileName});
    records->Put(QStringLiteral("ActiveConnection"), FromObject(connection));
    records->Call(QStringLiteral("Open"), {SQL});
    const TAutomationRef fields = Obj(records->Get(QStringLiteral("Fields")));
    const int n = fields->Get(QStringLiteral("Count")).toInt();
    G.SetColCount(G.FixedCols() + n);
    auto field = [&](int i) { return Obj(records->Get(QStringLiteral("Fields"), {i})); };
    if (G.FixedRows() > 0)
        for (int i = 0; i < n; ++i)
            G.SetCellEx(G.FixedCols() + i, G.FixedRows() - 1, field(i)->Get(QStringLiteral("Name")).toString());
    const int count = records->Get(QStringLiteral("RecordCount")).toInt();
    if (count > 0)
        G.SetRowCount(G.FixedRows() + count);
    int r = G.FixedRows();
    while (!records->Get(QStringLiteral("Eof")).toBool()) {
        if (G.RowCount() <= r)
            G.SetRowCount(r + 1);
        for (int i = 0; i < n; ++i) {
            const TAutomationRef f = field(i);
            G.LoadCellText(G.FixedCols() + i, r,
                           f->Get(QStringLiteral("ActualSize")).toInt() > 0 ? f->Get(QStringLiteral("Value")).toString()
                                                                            : QString());
        }
        records->Call(QStringLiteral("MoveNext"));
        ++r;
    }
    records->Call(QStringLiteral("Close"));
    connection->Call(QStringLiteral("Close"));
}

namespace GridOffice {

QString XLSColumnName(int Column)
{
    // Base-26 with digits A..Z: two letters up to ZZ, three beyond.
    QString s;
    for (int n = Column; n > 0; n = (n - 1) / 26)
        s.prepend(QChar('A' + (n - 1) % 26));
    return s;
}

QStringList GetXLSSheets(TDazStringGrid &, const QString &FileName)
{
    THourglass hourglass;
    TInstance xl;
    StartInstance(xl, ExcelId, false, "Excel OLE server not found");
    const TAutomationRef book =
        Obj(Obj(xl.App->Get(QStringLiteral("WorkBooks")))->Call(QStringLiteral("Open"), {FileName}));
    const TAutomationRef sheets = Obj(book->Get(QStringLiteral("WorkSheets")));
    QStringList names;
    const int n = sheets->Get(QStringLiteral("Count")).toInt();
    for (int i = 1; i <= n; ++i)
        names << Obj(sheets->Call(QStringLiteral("item"), {i}))->Get(QStringLiteral("Name")).toString();
    book->Put(QStringLiteral("Saved"), true);
    return names;
}

void LoadFromXLS(TDazStringGrid &Grid, const QString &FileName) { TGridOffice::Import(Grid, FileName, nullptr); }

void LoadFromXLSSheet(TDazStringGrid &Grid, const QString &FileName, const QString &SheetName)
{
    TGridOffice::Import(Grid, FileName, &SheetName);
}

void SaveToXLS(TDazStringGrid &Grid, const QString &FileName, bool CreateNewSheet)
{
    TGridOffice::Export(Grid, FileName, nullptr, CreateNewSheet);
}

void SaveToXLSSheet(TDazStringGrid &Grid, const QString &FileName, const QString &SheetName)
{
    TGridOffice::Export(Grid, FileName, &SheetName, false);
}

void SaveToDOC(TDazStringGrid &Grid, const QString &FileName, bool CreateNewDocument)
{
    TGridOffice::Word(Grid, FileName, false, CreateNewDocument, {});
}

void AppendToDoc(TDazStringGrid &Grid, const QString &FileName, const QString &Bookmark)
{
    TGridOffice::Word(Grid, FileName, true, false, Bookmark);
}

void LoadFromMDBSQL(TDazStringGrid &Grid, const QString &FileName, const QString &SQL)
{
    TGridOffice::Database(Grid, FileName, SQL);
}

void LoadFromMDBTable(TDazStringGrid &Grid, const QString &FileName, const QString &Table)
{
    TGridOffice::Database(Grid, FileName, QStringLiteral("SELECT * FROM ") + Table);
}

}   // namespace GridOffice
