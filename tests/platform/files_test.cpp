#include "common/test_random.h"
#include "platform/atomicfile.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct THookGuard {
    explicit THookGuard(std::function<void(const QString &)> f) { Set_Atomic_Write_Hook(std::move(f)); }
    ~THookGuard() { Set_Atomic_Write_Hook({}); }
};

} // namespace

TEST(Files, AtomicWriteReplacesWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    Write_File_Atomic(path, "first version, long");
    Write_File_Atomic(path, "second");
    EXPECT_EQ(Read_File(path), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});
}

TEST(Files, FailureBeforeRenameLeavesOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("project.xml");
    Write_File_Atomic(path, "old content");
    QString seenTemp;
    {
        THookGuard hook([&](const QString &tmp) {
            seenTemp = tmp;
            EXPECT_EQ(Read_File(tmp), "new content");   // the data was written in full
            throw EFileError("simulated crash");
        });
        EXPECT_THROW(Write_File_Atomic(path, "new content"), EFileError);
    }
    EXPECT_EQ(Read_File(path), "old content");
    EXPECT_FALSE(seenTemp.isEmpty());
    EXPECT_FALSE(QFile::exists(seenTemp));   // no temporary left behind
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"project.xml"});
}

TEST(Files, FileWrittenInPiecesAppearsWholeOnlyAtCommit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.txt");
    Write_File_Atomic(path, "old");
    // Pieces of odd sizes, past the point where the disk is handed the first part early.
    QByteArray expected;
    QString seenTemp;
    {
        TAtomicFile file(path);
        for (int i = 0; expected.size() < (9 << 20); ++i) {
            const QByteArray piece(1 + (i * 7919) % 70000, char('a' + i % 26));
            file.Write(piece);
            expected += piece;
            EXPECT_EQ(Read_File(path), "old");
        }
        THookGuard hook([&](const QString &tmp) {
            seenTemp = tmp;
            EXPECT_EQ(Read_File(tmp).size(), expected.size());
        });
        file.Commit();
        EXPECT_THROW(file.Write("late", 4), EFileError);
    }
    EXPECT_EQ(Read_File(path), expected);
    EXPECT_FALSE(seenTemp.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cells.txt"});

    // Abandoned while being made (an exception in the caller): old file kept, no trace.
    try {
        TAtomicFile file(path);
        file.Write("partial", 7);
        throw std::runtime_error("encoding failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(Read_File(path), expected);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cells.txt"});
}

TEST(Files, AtomicWriteKeepsPermissionsAndReportsFailures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    Write_File_Atomic(path, "x");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    Write_File_Atomic(path, "y");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    try {
        Write_File_Atomic(dir.filePath("no/such/folder/f.txt"), "x");
        FAIL();
    } catch (const EFileError &e) {
        EXPECT_NE(std::string(e.what()).find("f.txt"), std::string::npos) << e.what();
    }
    EXPECT_THROW(Read_File(dir.filePath("none")), EFileError);
    EXPECT_THROW(Read_File(dir.path()), EFileError);   // a folder is not a file
}

TEST(Files, NextSaveRemovesStaleTemporariesOfItsTargetOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ParGen.xml");
    Write_File_Atomic(path, "old");
    // What saves killed before their rename left, and what must stay.
    const QStringList stale = {".ParGen.xml.0badf00d.tmp", ".ParGen.xml.DEADBEEF.tmp"};
    const QStringList others = {".Other.xml.0badf00d.tmp", ".ParGen.xml.12345.tmp",
                                ".ParGen.xml.0badf00d.tmp.bak", "ParGen.xml.0badf00d.tmp",
                                ".ParGen.xml.x.0badf00d.tmp"};
    for (const QString &name : stale + others) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1 << 16, 'x'));
    }
    // A save under way holds its temporary locked: it is left alone.
    const QString busy = dir.filePath(".ParGen.xml.00c0ffee.tmp");
    const int busyFd = ::open(QFile::encodeName(busy).constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    ASSERT_GE(busyFd, 0);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);

    Write_File_Atomic(path, "new");
    EXPECT_EQ(Read_File(path), "new");
    for (const QString &name : stale)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : others)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(busy));
    ::close(busyFd);

    // Once its save is gone, the next save removes it too.
    Write_File_Atomic(path, "newer");
    EXPECT_FALSE(QFile::exists(busy));
    EXPECT_TRUE(Is_Atomic_Temp_Name(".a.0123abcd.tmp", "a"));
    EXPECT_FALSE(Is_Atomic_Temp_Name(".a.0123abcg.tmp", "a"));
    EXPECT_FALSE(Is_Atomic_Temp_Name(".b.0123abcd.tmp", "a"));
}

TEST(Files, OnlyARegularFileIsPresentAndOtherKindsAreNamed)
{
    QTemporaryDir dir;
    Write_File_Atomic(dir.filePath("file.xml"), "x");
    ASSERT_TRUE(Force_Dir(dir.filePath("folder.xml")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.xml")).constData(), 0666), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("file.xml"), dir.filePath("link.xml")));
    ASSERT_TRUE(QFile::link(dir.filePath("gone.xml"), dir.filePath("dangling.xml")));
    struct Case { const char *name; int present; const char *kind; };   // present: 1 yes, 0 no, -1 throws
    const Case cases[] = {
        {"file.xml", 1, ""},        {"link.xml", 1, ""},          {"missing.xml", 0, ""},
        {"folder.xml", -1, "folder"}, {"pipe.xml", -1, "pipe"}, {"dangling.xml", -1, "link to nothing"},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(c.name);
        if (c.present >= 0) {
            EXPECT_EQ(Regular_File_Present(path), c.present == 1) << c.name;
            continue;
        }
        for (int reader = 0; reader < 2; ++reader) {
            try {
                reader == 0 ? void(Regular_File_Present(path)) : void(Read_File(path));
                ADD_FAILURE() << c.name;
            } catch (const EFileError &e) {
                const std::string what = e.what();
                EXPECT_NE(what.find(QFile::encodeName(path).toStdString()), std::string::npos) << what;
                EXPECT_NE(what.find(c.kind), std::string::npos) << what;
            }
        }
    }
}

TEST(Files, FoldersAndListing)
{
    QTemporaryDir dir;
    const QString deep = Path_Join(dir.path(), "a/b/c");
    EXPECT_TRUE(Force_Dir(deep));
    EXPECT_TRUE(Dir_Exists(deep));
    EXPECT_FALSE(File_Exists(deep));
    EXPECT_TRUE(Force_Dir(dir.filePath("a/x")));
    Write_File_Atomic(dir.filePath("a/Data.XML"), "1");
    Write_File_Atomic(dir.filePath("a/b.txt"), "1");
    EXPECT_EQ(List_Dirs(dir.filePath("a")), (QStringList{"b", "x"}));
    EXPECT_EQ(List_Files(dir.filePath("a")), (QStringList{"Data.XML", "b.txt"}));
    EXPECT_EQ(List_Files(dir.filePath("a"), "*.txt"), QStringList{"b.txt"});
    EXPECT_EQ(Find_File_NoCase(dir.filePath("a"), "data.xml"), dir.filePath("a/Data.XML"));
    EXPECT_EQ(Find_File_NoCase(dir.filePath("a"), "Data.XML"), dir.filePath("a/Data.XML"));
    EXPECT_EQ(Find_File_NoCase(dir.filePath("a"), "nothing"), "");
    EXPECT_EQ(Path_Join("/x/", "y"), "/x/y");
    EXPECT_EQ(Path_Join("/x", "y"), "/x/y");
    EXPECT_FALSE(Exe_Dir_Path().isEmpty());
}

TEST(TextCodec, DecodesByByteOrderMarkElseWindows1252)
{
    const QString euroE = QString::fromUtf8("\xe2\x82\xac\xc3\xa8");
    EXPECT_EQ(Decode_Text("\xEF\xBB\xBF\xe2\x82\xac\xc3\xa8"), euroE);
    EXPECT_EQ(Decode_Text(QByteArray("\xFF\xFE\xAC\x20\xE8\x00", 6)), euroE);
    EXPECT_EQ(Decode_Text(QByteArray("\xFE\xFF\x20\xAC\x00\xE8", 6)), euroE);
    EXPECT_EQ(Decode_Text("\x80\xe8"), euroE);
    EXPECT_EQ(Decode_Windows1252("\x81\x9f\xff"), QString::fromUtf8("\xc2\x81\xc5\xb8\xc3\xbf"));

    EXPECT_EQ(Encode_Windows1252(euroE + u'x' + QChar(0x4E2D)), QByteArray("\x80\xe8x?"));
    QByteArray all(256, 0);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    EXPECT_EQ(Encode_Windows1252(Decode_Windows1252(all)), all);   // every byte round-trips
}

TEST(TextCodec, SplitsLinesOnAnyEnding)
{
    EXPECT_EQ(Split_Lines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(Split_Lines("a\n"), QStringList{"a"});
    EXPECT_EQ(Split_Lines("a\n\n"), (QStringList{"a", ""}));
    EXPECT_EQ(Split_Lines(""), QStringList{});
    EXPECT_EQ(Split_Lines("\r\n"), QStringList{""});

    QTemporaryDir dir;
    Write_File_Atomic(dir.filePath("t.txt"), "caf\xe9\r\nline2\r\n");
    EXPECT_EQ(Read_Text_Lines(dir.filePath("t.txt")), (QStringList{QString::fromUtf8("caf\xc3\xa9"), "line2"}));
    EXPECT_THROW(Read_Text_Lines(dir.filePath("none.txt")), EFileError);
}

namespace {

QStringList ReadAllLines(const QString &Path)
{
    TTextLines reader(Path);
    QStringList out;
    QStringView line;
    while (reader.Next(line))
        out << line.toString();
    return out;
}

} // namespace

// The block reader must split exactly as decoding the whole file and splitting it does,
// also where a line, a CR LF pair or a UTF-16 unit straddles two blocks.
TEST(TextCodec, LinesReadInBlocksMatchTheWholeFileSplit)
{
    QTemporaryDir dir;
    // Lines of every length up to past one block, with every kind of ending.
    QString text;
    TTestRandom random(12345);
    const char16_t *ends[] = {u"\r\n", u"\n", u"\r", u"\r\n\r\n", u"\n\r"};
    while (text.size() < (3 << 20)) {
        const int len = int(random.Next()) % (text.size() > (2 << 20) ? 1500000 : 3000);
        for (int i = 0; i < len; ++i)
            text += QChar(char16_t(0x20 + (i * 7) % 90));
        text += QStringView(ends[(random.Next() >> 4) % 5]);
    }
    text += u"\u00e9\u20ac last, no ending";

    enum class TEnc { Ansi, Utf8, Utf16LE, Utf16BE };
    struct TCase {
        const char *Name;
        TEnc Encoding;
        QByteArray Tail;   // bytes after the text
    };
    const TCase cases[] = {
        {"ansi", TEnc::Ansi, {}},
        {"utf16le", TEnc::Utf16LE, {}},
        {"utf16le odd byte", TEnc::Utf16LE, QByteArray("\x41", 1)},
        {"utf8", TEnc::Utf8, {}},
        {"utf16be", TEnc::Utf16BE, {}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = dir.filePath(QString::fromLatin1(c.Name));
        QByteArray bytes;
        switch (c.Encoding) {
        case TEnc::Ansi: bytes = Encode_Windows1252(text); break;
        case TEnc::Utf8: bytes = "\xEF\xBB\xBF" + text.toUtf8(); break;
        default: {
            const bool le = c.Encoding == TEnc::Utf16LE;
            bytes = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
            for (QChar ch : text) {
                const char lo = char(ch.unicode() & 0xFF), hi = char(ch.unicode() >> 8);
                bytes += le ? lo : hi;
                bytes += le ? hi : lo;
            }
        }
        }
        bytes += c.Tail;
        Write_File_Atomic(path, bytes);
        const QStringList expected = Split_Lines(Decode_Text(bytes));
        const QStringList got = ReadAllLines(path);
        ASSERT_EQ(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << "line " << i;
    }

    // A CR LF pair around the end of the first block (1 MiB): one line ending, not two.
    for (int shift = -3; shift <= 1; ++shift) {
        const QString path = dir.filePath("edge.txt");
        const QString line((1 << 20) + shift, u'x');
        Write_File_Atomic(path, line.toLatin1() + "\r\ny");
        EXPECT_EQ(ReadAllLines(path), (QStringList{line, "y"})) << shift;
        const QString wide((1 << 19) + shift, u'x');
        QByteArray bytes("\xFF\xFE");
        for (QChar ch : wide + QStringLiteral("\r\ny"))
            bytes += QByteArray(reinterpret_cast<const char *>(&ch), 2);
        Write_File_Atomic(path, bytes);
        EXPECT_EQ(ReadAllLines(path), (QStringList{wide, "y"})) << shift;
    }

    // Small files and their edges.
    const std::pair<QByteArray, QStringList> small[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r", {"a"}},
        {"a\n\n", {"a", ""}},
        {"\xFF\xFE", {}},
        {QByteArray("\xFF\xFE" "a\0\r\0", 6), {"a"}},
    };
    for (const auto &[bytes, lines] : small) {
        const QString path = dir.filePath("small.txt");
        Write_File_Atomic(path, bytes);
        EXPECT_EQ(ReadAllLines(path), lines) << bytes.toHex().constData();
        EXPECT_EQ(TTextLines(path).Empty(), bytes.isEmpty());
    }
    EXPECT_THROW(TTextLines(dir.filePath("none.txt")), EFileError);
}
