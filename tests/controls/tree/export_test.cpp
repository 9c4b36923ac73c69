// The string tree's content export: HTML, RTF, text, clipboard blocks, CSV files and the
// export events. The three whole documents are compared with golden files.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreeformats.h"
#include "platform/files.h"
#include "platform/locale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

using enum TLSTTextType;
using enum TLSTTextSourceType;

namespace {

// Texts per node and column; the main column shows the name, column 1 a value.
class TExportTree : public TLazyStringTree
{
public:
    std::map<std::pair<PLazyNode, TColumnIndex>, QString> Texts;
    std::map<PLazyNode, QString> Statics;

    TExportTree()
    {
        OnGetText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex Column, TLSTTextType Type,
                           QString &Text) {
            if (Type == ttStatic) {
                if (Statics.count(Node) && Column <= 0)
                    Text = Statics[Node];
                return;
            }
            auto it = Texts.find({Node, Column});
            if (it != Texts.end())
                Text = it->second;
        };
    }
    ~TExportTree() override
    {
        OnGetText = nullptr;
        OnPaintText = nullptr;
        OnBeforeNodeExport = OnNodeExport = OnAfterNodeExport = nullptr;
        OnBeforeTreeExport = OnAfterTreeExport = OnBeforeHeaderExport = OnAfterHeaderExport = nullptr;
        OnBeforeColumnExport = OnColumnExport = OnAfterColumnExport = nullptr;
    }
    PLazyNode Add(PLazyNode Parent, const QString &Name, const QString &Value = QString())
    {
        PLazyNode node = AddChild(Parent);
        Texts[{node, 0}] = Name;
        Texts[{node, NoColumn}] = Name;
        Texts[{node, 1}] = Value;
        return node;
    }
    void AddColumns()
    {
        TLazyTreeColumn &name = Header().Columns().Add();
        name.SetText(QStringLiteral("Name"));
        name.SetWidth(120);
        TLazyTreeColumn &value = Header().Columns().Add();
        value.SetText(QStringLiteral("Value"));
        value.SetWidth(80);
        value.SetAlignment(TLTAlignment::taRightJustify);
    }
};

// Two columns, three levels: A > A1 > A1a, and B.
void FillSmallTree(TExportTree &Tree, bool Columns)
{
    Tree.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    if (Columns)
        Tree.AddColumns();
    PLazyNode a = Tree.Add(nullptr, QStringLiteral("Meter <A>"), QStringLiteral("12,5"));
    PLazyNode a1 = Tree.Add(a, QStringLiteral("Record \"1\""), QStringLiteral("7"));
    Tree.Add(a1, QStringLiteral("Détail"), QStringLiteral("€"));
    Tree.Add(nullptr, QStringLiteral("B"), QString());
    Tree.FullExpand();
}

QByteArray Golden(const QString &Name)
{
    const QString path = QStringLiteral(CF_TEST_DATA_DIR "/lazytree/") + Name;
    if (qEnvironmentVariableIsSet("CF_WRITE_GOLDEN"))
        return {};
    return Read_File(path);
}

// Writes Actual beside the golden file when asked to (CF_WRITE_GOLDEN), else compares.
void ExpectGolden(const QString &Name, const QByteArray &Actual)
{
    if (qEnvironmentVariableIsSet("CF_WRITE_GOLDEN")) {
        QDir().mkpath(QStringLiteral(CF_TEST_DATA_DIR "/lazytree"));
        Write_File_Atomic(QStringLiteral(CF_TEST_DATA_DIR "/lazytree/") + Name, Actual);
        return;
    }
    EXPECT_EQ(Actual.toStdString(), Golden(Name).toStdString()) << Name.toStdString();
}

}   // namespace

TEST(LazyTreeExport, GoldenDocuments)
{
    // The RTF paper size follows the locale's measurement system.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    TExportTree tree;
    FillSmallTree(tree, true);
    ExpectGolden(QStringLiteral("export.html"), tree.ContentToHTML(tstAll, QStringLiteral("Caption")).toUtf8());
    ExpectGolden(QStringLiteral("export.rtf"), tree.ContentToRTF(tstAll));
    ExpectGolden(QStringLiteral("export.txt"), tree.ContentToText(tstAll, QChar(u',')).toUtf8());
    QLocale::setDefault(saved);
}

TEST(LazyTreeExport, HtmlWithoutColumnsIndentsFirst)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    const QString html = tree.ContentToHTML(tstAll);
    // One cell per row, the indentation cells before it; mark-up in texts is copied as is.
    EXPECT_TRUE(html.contains(QStringLiteral(
        " <tr class=\"default\">\r\n <td class=\"normalborder\"  height=\"18px\" align=left colspan=\"3\">Meter <A></td> </tr>")));
    EXPECT_TRUE(html.contains(QStringLiteral(
        " <tr class=\"default\">\r\n <td height=\"18px\" class=\"normalborder\">&nbsp;</td> <td>&nbsp;</td>"
        " <td class=\"normalborder\"  height=\"18px\" align=left>Détail</td> </tr>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<th")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</table>")));
}

TEST(LazyTreeExport, RtfCharactersAndFrame)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    PLazyNode b = tree.GetLastChild(nullptr);
    tree.Texts[{b, NoColumn}] = QStringLiteral("é€\r\nx") + QChar(0x8000);
    const QByteArray rtf = tree.ContentToRTF(tstAll);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl"));
    EXPECT_TRUE(rtf.contains(" \\u233\\'3f\\u8364\\'3f{\\par}\\u120\\'3f\\u-32768\\'3f\\cell"));
    EXPECT_TRUE(rtf.contains("\\pard\\intbl\\tab\\tab  \\u68\\'3f"));   // "Détail" on level 2
    const bool metric = QLocale().measurementSystem() == QLocale::MetricSystem;
    EXPECT_TRUE(rtf.contains(metric ? "\\paperw16840\\paperh11907" : "\\paperw15840\\paperh12240"));
    EXPECT_TRUE(rtf.endsWith("\\pard\\par}"));
}

TEST(LazyTreeExport, TextQuotesOnlyCellsWithTheSeparator)
{
    TExportTree tree;
    FillSmallTree(tree, true);
    const QStringList lines = tree.ContentToText(tstAll, QChar(u',')).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("Name,,,Value"));
    EXPECT_EQ(lines[1], QStringLiteral("Meter <A>,,,\"12,5\""));
    EXPECT_EQ(lines[2], QStringLiteral(",Record \"1\",,7"));
    EXPECT_EQ(lines[3], QStringLiteral(",,Détail,€"));
    EXPECT_EQ(lines[4], QStringLiteral("B,,,"));
    EXPECT_EQ(tree.ContentToUnicode(tstAll, QChar(u',')), tree.ContentToText(tstAll, QChar(u',')));

    TExportTree plain;
    FillSmallTree(plain, false);
    EXPECT_EQ(plain.ContentToText(tstAll, QStringLiteral("--")),
              QStringLiteral("Meter <A>\r\n--Record \"1\"\r\n----Détail\r\nB\r\n"));
}

TEST(LazyTreeExport, SourcesAndFilters)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    PLazyNode a = tree.GetFirst();
    tree.SetCheckType(a, TCheckType::ctCheckBox);
    tree.SetCheckState(a, TCheckState::csCheckedNormal);
    EXPECT_EQ(tree.ContentToText(tstChecked, QChar(u'\t')), QStringLiteral("Meter <A>\r\n"));
    tree.SetExpanded(a, false);
    EXPECT_EQ(tree.ContentToText(tstVisible, QChar(u'\t')), QStringLiteral("Meter <A>\r\nB\r\n"));
    tree.TreeOptions().ExportMode = TLTExportMode::emVisibleDueToExpansion;
    const QString html = tree.ContentToHTML(tstAll);
    EXPECT_FALSE(html.contains(QStringLiteral("Record")));
    EXPECT_TRUE(html.contains(QStringLiteral("Détail")));   // its parent is expanded
    tree.TreeOptions().ExportMode = TLTExportMode::emChecked;
    tree.OnBeforeNodeExport = [](TBaseLazyTree *, TLTExportType, PLazyNode) { return false; };
    EXPECT_FALSE(tree.ContentToHTML(tstAll).contains(QStringLiteral("Meter")));
}

TEST(LazyTreeExport, CustomExportFiresTheEventsOnly)
{
    TExportTree tree;
    FillSmallTree(tree, true);
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{TLTHeaderOption::hoVisible});
    std::vector<std::string> events;
    auto treeEvent = [&](const char *Name) {
        return [&events, Name](TBaseLazyTree *, TLTExportType Type) {
            EXPECT_EQ(Type, TLTExportType::etCustom);
            events.push_back(Name);
        };
    };
    tree.OnBeforeTreeExport = treeEvent("tree");
    tree.OnAfterTreeExport = treeEvent("/tree");
    tree.OnBeforeHeaderExport = treeEvent("header");
    tree.OnAfterHeaderExport = treeEvent("/header");
    tree.OnColumnExport = [&](TBaseLazyTree *, TLTExportType, TLazyTreeColumn *Column) {
        events.push_back("column " + std::to_string(Column->Index()));
    };
    tree.OnNodeExport = [&](TBaseLazyTree *Sender, TLTExportType, PLazyNode Node) {
        events.push_back("node " + PathOf(*Sender, Node));
        return true;
    };
    int operations = 0;
    tree.OnStartOperation = [&](TBaseLazyTree *, TLTOperationKind Kind) {
        operations += Kind == TLTOperationKind::okExport;
    };
    tree.ContentToCustom(tstAll);
    tree.OnStartOperation = nullptr;
    EXPECT_EQ(events, (std::vector<std::string>{"tree", "header", "column 0", "column 1", "/header",
                                                "node 0", "node 0.0", "node 0.0.0", "node 1", "/tree"}));
    EXPECT_EQ(operations, 1);
}

TEST(LazyTreeExport, CancelStopsTheWalk)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    int nodes = 0;
    tree.OnAfterNodeExport = [&](TBaseLazyTree *Sender, TLTExportType, PLazyNode) {
        if (++nodes == 2)
            Sender->CancelOperation();
        return true;
    };
    tree.ContentToHTML(tstAll);
    EXPECT_EQ(nodes, 2);
    EXPECT_EQ(tree.OperationCount(), 0u);
}

TEST(LazyTreeExport, FontChangedByOnPaintTextIsWrittenInline)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    tree.OnPaintText = [](TBaseLazyTree *Sender, TCanvas *Canvas, PLazyNode Node, TColumnIndex,
                          TLSTTextType) {
        if (Node == Sender->GetFirst()) {
            Canvas->Font.Style = fsBold;
            Canvas->Font.Color = clRed;
        }
    };
    const QString html = tree.ContentToHTML(tstAll);
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight: bold; text-decoration: none; color: #FF0000;}\" height=\"18px\"")));
    EXPECT_EQ(html.count(QStringLiteral("font-weight: bold")), 1);
    const QByteArray rtf = tree.ContentToRTF(tstAll);
    EXPECT_TRUE(rtf.contains("\\b\\f0\\cf1\\fs18 \\u77\\'3f"));
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"));
}

TEST(LazyTreeExport, ClipboardBlocks)
{
    TExportTree tree;
    FillSmallTree(tree, false);
    const TLazyTreeFormatNumbers &f = LazyTreeFormats();
    EXPECT_TRUE(tree.ContentToClipboard(2, tstAll).isEmpty());
    EXPECT_TRUE(tree.ContentToClipboard(f.TreeData, tstAll).isEmpty());

    const QByteArray ansi = tree.ContentToClipboard(CF_TEXT, tstAll);
    EXPECT_EQ(ansi, QByteArray("Meter <A>\r\n\tRecord \"1\"\r\n\t\tD\xE9tail\r\nB\r\n") + '\0');
    const QByteArray wide = tree.ContentToClipboard(CF_UNICODETEXT, tstAll);
    const QString text = tree.ContentToText(tstAll, QChar(u'\t'));
    EXPECT_EQ(wide.size(), 2 * text.size() + 2);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t *>(wide.constData())), text);

    SetDecimalSeparatorOverride(QLatin1Char(','));
    EXPECT_TRUE(tree.ContentToClipboard(f.CSV, tstAll).startsWith("Meter <A>\r\n;Record"));
    SetDecimalSeparatorOverride(QLatin1Char('.'));
    EXPECT_TRUE(tree.ContentToClipboard(f.CSV, tstAll).startsWith("Meter <A>\r\n,Record"));
    SetDecimalSeparatorOverride(QChar());

    EXPECT_EQ(tree.ContentToClipboard(f.RTF, tstAll), tree.ContentToRTF(tstAll) + '\0');
    EXPECT_EQ(tree.ContentToClipboard(f.RTFNoObjects, tstAll), tree.ContentToRTF(tstAll) + '\0');

    // CF_HTML offsets; an empty fragment comes from a tree whose HTML is empty.
    const QByteArray html = tree.ContentToClipboard(f.HTML, tstAll);
    const QByteArray fragment = tree.ContentToHTML(tstAll).toUtf8();
    const qsizetype n = fragment.size();
    auto number = [&](const char *Name) {
        const qsizetype at = html.indexOf(Name) + qsizetype(strlen(Name));
        return html.mid(at, 8).toLongLong();
    };
    EXPECT_EQ(number("StartHTML:"), 97);
    EXPECT_EQ(number("EndHTML:"), n + 301);
    EXPECT_EQ(number("StartFragment:"), 269);
    EXPECT_EQ(number("EndFragment:"), n + 269);
    EXPECT_EQ(html.mid(269, n), fragment);
    EXPECT_EQ(html.mid(97, 62), QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"));
    EXPECT_TRUE(html.endsWith(QByteArray("<!--EndFragment--></body></html>") + '\0'));
    EXPECT_EQ(html.size(), n + 301 + 1);
}

TEST(LazyTreeExport, CsvFile)
{
    TExportTree tree;
    FillSmallTree(tree, true);
    EXPECT_FALSE(tree.SaveToCSVFile(QString(), true));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.csv"));
    ASSERT_TRUE(tree.SaveToCSVFile(path, true));
    // Top-level nodes only; an empty text becomes a blank.
    EXPECT_EQ(Read_File(path), QByteArray("\"Name\",\"Value\"\r\n\"Meter <A>\",\"12,5\"\r\n\"B\",\" \"\r\n"));
    ASSERT_TRUE(tree.SaveToCSVFile(path, false));
    EXPECT_EQ(Read_File(path), QByteArray("\"Meter <A>\",\"12,5\"\r\n\"B\",\" \"\r\n"));

    TExportTree plain;
    FillSmallTree(plain, false);
    ASSERT_TRUE(plain.SaveToCSVFile(path, true));
    EXPECT_EQ(Read_File(path), QByteArray("\r\n\r\n\r\n"));   // no columns: empty lines
}
