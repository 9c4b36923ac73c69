#include "shell_fixture.h"
#include "common/test_random.h"

namespace {

class LanguageTest : public ShellTest
{
protected:
    QString Lng(const QString &name, const QByteArray &bytes)
    {
        const QString path = Language_Dir + QLatin1Char('/') + name;
        Write(path, bytes);
        return path;
    }
};

TEST_F(LanguageTest, DefaultTextsFillTheWholeTable)
{
    EXPECT_EQ(Lang_Text_List.size(), 6400);
    EXPECT_EQ(Lang_Text_Count, 6400);
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Error! Project not Valid"));
    EXPECT_EQ(Lang_Text(9), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(Lang_Text(-1), QString());
    EXPECT_EQ(Lang_Text(6400), QString());
}

// One line of a language file and what it leaves in the entries it may touch.
struct LineCase
{
    const char *name;
    QString line;
    int entry;
    QString expected;   // null: the entry keeps its English text
};

TEST_F(LanguageTest, LineRules)
{
    const QChar p(0x00B6);
    const LineCase cases[] = {
        {"plain", "STR18 =Fehler", 18, "Fehler"},
        {"blanks around the text are trimmed", "STR18 =   Fehler  ", 18, "Fehler"},
        {"leading blanks before STR", "   STR18 =Fehler", 18, "Fehler"},
        {"lower case is a comment", "str18 =Fehler", 18, {}},
        {"one digit without separator is skipped", "STR5=Fehler", 5, {}},
        {"two digits without separator set the first digit", "STR12=Fehler", 1, "Fehler"},
        {"6400 is skipped", "STR6400 =x", 6399, {}},
        {"negative is skipped", "STR-1 =x", 0, {}},
        {"letters are skipped", "STRab =x", 0, {}},
        {"no equals sign", "STR18 Fehler", 18, {}},
        {"empty text is skipped", "STR18 =   ", 18, {}},
        {"comment mark ends the text", "STR18 =Fehler /#/ note", 18, "Fehler"},
        {"text that is only a comment", "STR18 =/#/ note", 18, {}},
        {"equals inside the text", "STR18 =a=b", 18, "a=b"},
        {"pilcrows keep blanks", "STR18 =" + QString(p) + "  Word " + p + "tail", 18, "  Word "},
        {"single leading pilcrow", "STR18 =" + QString(p) + "x", 18, "x"},
        {"two pilcrows give empty", "STR18 =" + QString(p) + p, 18, ""},
        {"ampersands and formats unchanged", "STR18 =&&Save %d", 18, "&&Save %d"},
    };
    for (const LineCase &c : cases) {
        Load_Default_Texts();
        const QString before = Lang_Text(c.entry);
        const QString path = Lng(QStringLiteral("Test.lng"), c.line.toUtf8().prepend("\xEF\xBB\xBF"));
        ASSERT_TRUE(Load_Language_File(path)) << c.name;
        EXPECT_EQ(Lang_Text(c.entry), c.expected.isNull() ? before : c.expected) << c.name;
        EXPECT_EQ(Lang_Text_List.size(), 6400) << c.name;
    }
}

TEST_F(LanguageTest, LastLineForANumberWinsAndLineEndingsMix)
{
    const QString path = Lng(QStringLiteral("Mix.lng"),
                             "[Main]\r\nSTR0 =Anfang\rSTR18 =first\nSTR18 =second\r\nSTR1 =Schritt 1");
    ASSERT_TRUE(Load_Language_File(path));
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Anfang"));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("second"));
    EXPECT_EQ(Lang_Text(1), QStringLiteral("Schritt 1"));
    EXPECT_EQ(Lang_Text(2), QStringLiteral("Step 2"));
}

TEST_F(LanguageTest, EncodingFromByteOrderMarkElseWindows1252)
{
    const QByteArray utf8 = QStringLiteral("STR18 =Fehler: Gerät").toUtf8();
    Load_Language_File(Lng(QStringLiteral("a.lng"), QByteArray("\xEF\xBB\xBF") + utf8));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Fehler: Gerät"));
    // The same bytes without the mark are read as Windows-1252.
    Load_Language_File(Lng(QStringLiteral("b.lng"), utf8));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Fehler: GerÃ¤t"));
    Load_Language_File(Lng(QStringLiteral("c.lng"), QByteArray("STR18 =Ger\xE4t")));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Gerät"));
    QByteArray utf16("\xFF\xFE");
    const QString text = QStringLiteral("STR18 =Ελληνικά");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    Load_Language_File(Lng(QStringLiteral("d.lng"), utf16));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Ελληνικά"));
}

TEST_F(LanguageTest, HostileBytesNeverBreakTheTable)
{
    // Mutations of a valid file: any byte anywhere, cut lines, stray marks and huge numbers.
    const QByteArray valid = "\xEF\xBB\xBFSTR18 =\xC2\xB6 a \xC2\xB6\r\nSTR6399 =b /#/ c\nSTR0 =x";
    const QByteArray pieces[] = {"STR", "=", "/#/", "\xC2\xB6", "\xB6", "\r", "\n", "\x00",
                                 "99999999999999999999", "-", "$FF", "\xFF\xFE", " "};
    TTestRandom random(12345);
    const auto next = [&random] { return random.Next(); };
    for (int round = 0; round < 150; ++round) {
        QByteArray bytes = valid;
        for (int k = 0, edits = 1 + int(next() % 6); k < edits; ++k) {
            const qsizetype at = qsizetype(next() % uint32_t(bytes.size() + 1));
            if (next() % 2)
                bytes.insert(at, pieces[next() % std::size(pieces)]);
            else if (at < bytes.size())
                bytes[at] = char(next());
        }
        Load_Default_Texts();
        ASSERT_TRUE(Load_Language_File(Lng(QStringLiteral("Fuzz.lng"), bytes)));
        ASSERT_EQ(Lang_Text_List.size(), 6400) << bytes.toHex().toStdString();
    }
}

TEST_F(LanguageTest, UnreadableFileLeavesTheTable)
{
    QDir().mkdir(Language_Dir + QStringLiteral("/Folder.lng"));
    EXPECT_FALSE(Load_Language_File(Language_Dir + QStringLiteral("/Folder.lng")));
    EXPECT_FALSE(Load_Language_File(Language_Dir + QStringLiteral("/Missing.lng")));
    EXPECT_EQ(Lang_Text(18), QStringLiteral("Error! Project not Valid"));
}

TEST_F(LanguageTest, LoadLanguageReportsAFileThatCannotBeRead)
{
    // Reading this file fails after it has been opened, as a locked file does.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), Language_Dir + QStringLiteral("/Deutsch.lng")));
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Begin"));
    EXPECT_EQ(Lang_Text_List.size(), 6400);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Warning);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QStringLiteral("Deutsch.lng")));
    EXPECT_TRUE(Guard.Fake.LastText().endsWith(QStringLiteral("The English texts are used.")));
}

TEST_F(LanguageTest, LoadLanguageFallsBackToEnglish)
{
    Lng(QStringLiteral("English.lng"), "STR0 =Start");
    Language_Name = QStringLiteral("Klingon");
    Load_Language();
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Start"));

    // Without an English file the built-in texts stay.
    QFile::remove(Language_Dir + QStringLiteral("/English.lng"));
    Language_Name = QStringLiteral("Klingon");
    Load_Language();
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Begin"));
}

TEST_F(LanguageTest, LoadLanguageResetsEarlierLanguageAndFindsFileInAnyCase)
{
    Lng(QStringLiteral("deutsch.LNG"), "STR0 =Anfang\nSTR1 =Schritt 1");
    Lng(QStringLiteral("Italiano.lng"), "STR0 =Inizio");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
    EXPECT_EQ(Lang_Text(1), QStringLiteral("Schritt 1"));
    Language_Name = QStringLiteral("Italiano");
    Load_Language();
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Inizio"));
    EXPECT_EQ(Lang_Text(1), QStringLiteral("Step 1"));   // nothing left of the other language
}

TEST_F(LanguageTest, LanguageNameIsNeverAPath)
{
    Write(In_Temp(QStringLiteral("Outside.lng")), "STR0 =Outside");
    Language_Name = QStringLiteral("../Outside");
    Load_Language();
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Text(0), QStringLiteral("Begin"));
}

} // namespace
