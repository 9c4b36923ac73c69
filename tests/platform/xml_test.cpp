#include "platform/files.h"
#include "platform/xml.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kTricky = QStringLiteral("a\tb\rc\nd  e & < > \" ' \r\n end ");

QString WriteTemp(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    Write_File_Atomic(path, bytes);
    return path;
}

} // namespace

TEST(Xml, RoundTripKeepsTextAndAttributesExactly)
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot("Project");
    root.SetAttribute("Name", kTricky);
    root.SetAttribute("B", "2");
    root.SetAttribute("A", "1");
    root.AddTextChild("Text", kTricky);
    root.AddTextChild("Tab", "\t");
    root.AddTextChild("Blanks", "  ");
    root.AddTextChild("Unicode", QString::fromUtf8("\xc3\xa8\xe2\x82\xac"));
    TXmlNode list = root.AddChild("List");
    for (int i = 0; i < 3; ++i)
        list.AddChild("Item").SetAttribute("Id", QString::number(i));
    doc.AddComment("SW_VERSION = 1.000");

    const QByteArray bytes = doc.SaveToBytes();
    EXPECT_FALSE(bytes.startsWith("<?xml"));
    EXPECT_TRUE(bytes.startsWith("<Project"));
    EXPECT_TRUE(bytes.trimmed().endsWith("</Project>\n<!--SW_VERSION = 1.000-->"));
    EXPECT_TRUE(bytes.contains("\xc3\xa8\xe2\x82\xac"));   // UTF-8

    QTemporaryDir dir;
    const QString path = dir.filePath("p.xml");
    doc.SaveToFile(path);

    TXmlDocument back;
    back.LoadFromFile(path);
    TXmlNode r = back.DocumentElement();
    ASSERT_TRUE(r);
    EXPECT_EQ(r.Name(), "Project");
    EXPECT_EQ(r.Attribute("Name"), kTricky);
    ASSERT_EQ(r.Attributes().size(), 3u);
    EXPECT_EQ(r.Attributes()[1].first, "B");   // order as written
    EXPECT_EQ(r.Attributes()[2].first, "A");
    EXPECT_EQ(r.Child("Text").Text(), kTricky);
    EXPECT_EQ(r.Child("Tab").Text(), "\t");
    EXPECT_EQ(r.Child("Blanks").Text(), "  ");
    EXPECT_EQ(r.Child("Unicode").Text(), QString::fromUtf8("\xc3\xa8\xe2\x82\xac"));
    EXPECT_EQ(r.Child("List").ChildCount(), 3);
    EXPECT_EQ(r.Child("List").Children("Item")[2].Attribute("Id"), "2");
    EXPECT_EQ(back.SaveToBytes(), bytes);
}

TEST(Xml, RootIsTheFirstElementWhateverComesBefore)
{
    const char *docs[] = {
        "<Root><A/></Root>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Root><A/></Root>",
        "<!-- written by hand -->\n<Root><A/></Root><!--SW_VERSION = 1.000-->",
        "\xEF\xBB\xBF<?xml version=\"1.0\"?><!--x--><?pi y?><Root><A/></Root>",
    };
    QTemporaryDir dir;
    for (const char *text : docs) {
        TXmlDocument doc;
        doc.LoadFromFile(WriteTemp(dir, "r.xml", text));
        EXPECT_EQ(doc.DocumentElement().Name(), "Root") << text;
        EXPECT_TRUE(doc.DocumentElement().Child("A")) << text;
    }
}

TEST(Xml, AnsiDeclaredFileIsDecoded)
{
    QTemporaryDir dir;
    TXmlDocument doc;
    doc.LoadFromFile(WriteTemp(dir, "a.xml",
                               "<?xml version=\"1.0\" encoding=\"windows-1252\"?><R n=\"\xe8\x80\"/>"));
    EXPECT_EQ(doc.DocumentElement().Attribute("n"), QString::fromUtf8("\xc3\xa8\xe2\x82\xac"));
}

TEST(Xml, DamagedOrMissingFileGivesClearError)
{
    QTemporaryDir dir;
    const struct { QByteArray bytes; const char *expect; } cases[] = {
        {"<Root><A></Root>", "line 1"},
        {"<Root>\n  <A x=\"1></A>\n</Root>", "not a valid XML document"},
        {"", "No document element"},
        {"<!-- only a comment -->", "No document element"},
        {"<Root><A>", "not a valid XML document"},
        {QByteArray("<Ro\0ot/>", 8), "not a valid XML document"},
    };
    for (const auto &c : cases) {
        const QString path = WriteTemp(dir, "bad.xml", c.bytes);
        TXmlDocument doc;
        try {
            doc.LoadFromFile(path);
            ADD_FAILURE() << "no error for " << c.bytes.toStdString();
        } catch (const EXmlError &e) {
            EXPECT_NE(std::string(e.what()).find(c.expect), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("bad.xml"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(doc.IsEmpty());
        EXPECT_FALSE(doc.DocumentElement());
    }
    TXmlDocument doc;
    EXPECT_THROW(doc.LoadFromFile(dir.filePath("missing.xml")), EXmlError);
    EXPECT_THROW(doc.LoadFromString("<a><b></a>"), EXmlError);
}

TEST(Xml, MissingElementsAndAttributesAreReported)
{
    TXmlDocument doc;
    doc.LoadFromString("<R a=\"\"><C/></R>");
    TXmlNode r = doc.DocumentElement();
    EXPECT_TRUE(r.HasAttribute("a"));
    EXPECT_EQ(r.Attribute("a"), "");
    EXPECT_EQ(r.AttributeDef("a", "d"), "");   // present but empty is not missing
    EXPECT_FALSE(r.HasAttribute("b"));
    EXPECT_EQ(r.AttributeDef("b", "d"), "d");
    EXPECT_THROW(r.Attribute("b"), EXmlMissing);
    EXPECT_THROW(r.ChildRequired("X"), EXmlMissing);
    EXPECT_FALSE(r.Child("X"));

    // A null handle answers reads with "missing" and refuses writes.
    TXmlNode none = r.Child("X").Child("Y");
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(none.Text(), "");
    EXPECT_EQ(none.AttributeDef("a", "d"), "d");
    EXPECT_TRUE(none.Children().empty());
    EXPECT_THROW(none.AddChild("Z"), EXmlError);
    EXPECT_THROW(none.SetAttribute("a", "b"), EXmlError);
}

TEST(Xml, SetTextReplacesAndSetAttributeKeepsPlace)
{
    TXmlDocument doc;
    TXmlNode r = doc.CreateRoot("R");
    r.SetAttribute("x", "1");
    r.SetAttribute("y", "2");
    r.SetAttribute("x", "3");
    TXmlNode t = r.AddTextChild("T", "old");
    t.SetText("new");
    EXPECT_EQ(t.Text(), "new");
    t.SetText("");
    EXPECT_EQ(t.Text(), "");
    EXPECT_EQ(doc.SaveToString().left(17), "<R x=\"3\" y=\"2\">\n ");
    doc.AddComment("a--b-");
    TXmlDocument back;
    back.LoadFromString(doc.SaveToString());   // the comment stays well-formed
    EXPECT_EQ(back.DocumentElement().Name(), "R");
}

TEST(Xml, CharactersXmlCannotHoldAreRefusedNamingElementAndAttribute)
{
    struct Case { QString value; const char *code; };
    const Case bad[] = {
        {QString::fromUtf16(u"8\u0000", 2), "U+0000"},
        {QStringLiteral("a\x01"), "U+0001"},
        {QStringLiteral("\x1F"), "U+001F"},
        {QString(QChar(0xFFFE)), "U+FFFE"},
        {QString(QChar(0xFFFF)), "U+FFFF"},
        {QString(QChar(0xD800)) + u'x', "U+D800"},   // a high surrogate without its partner
        {QString(QChar(0xDC00)), "U+DC00"},
    };
    for (const Case &c : bad) {
        TXmlDocument doc;
        TXmlNode root = doc.CreateRoot("Ethernet_Update");
        TXmlNode row = root.AddChild("List").AddChild("row");
        try {
            row.SetAttribute("Size", c.value);
            ADD_FAILURE() << c.code;
        } catch (const EXmlError &e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("\"Size\""), std::string::npos) << what;
            EXPECT_NE(what.find("<Ethernet_Update/List/row>"), std::string::npos) << what;
            EXPECT_NE(what.find(c.code), std::string::npos) << what;
        }
        EXPECT_FALSE(row.HasAttribute("Size"));
        try {
            root.AddTextChild("IP_Address_Dev", c.value);
            ADD_FAILURE() << c.code;
        } catch (const EXmlError &e) {
            EXPECT_NE(std::string(e.what()).find("<Ethernet_Update/IP_Address_Dev>"), std::string::npos)
                << e.what();
        }
        EXPECT_THROW(doc.AddComment(c.value), EXmlError);
    }
    // Every character XML can hold passes, a surrogate pair included.
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot("R");
    const QString good = QStringLiteral("\t\n\r ~") + QChar(0xD7FF) + QChar(0xE000) + QChar(0xFFFD)
                         + QString::fromUtf16(u"\U0001F600");
    root.SetAttribute("a", good);
    root.AddTextChild("t", good);
    TXmlDocument back;
    back.LoadFromString(doc.SaveToString());
    EXPECT_EQ(back.DocumentElement().Attribute("a"), good);
    EXPECT_EQ(back.DocumentElement().Child("t").Text(), good);
}

TEST(Xml, ALeadingByteOrderMarkCharacterIsKept)
{
    const QString plant = QChar(0xFEFF) + QStringLiteral("Plant");
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot("Conf_Settings");
    root.AddTextChild("projectname", plant);
    root.SetAttribute("name", plant);
    root.AddTextChild("only", QString(QChar(0xFEFF)));
    QTemporaryDir dir;
    const QString path = dir.filePath("s.xml");
    doc.SaveToFile(path);
    TXmlDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement().Child("projectname").Text(), plant);
    EXPECT_EQ(back.DocumentElement().Attribute("name"), plant);
    EXPECT_EQ(back.DocumentElement().Child("only").Text(), QString(QChar(0xFEFF)));
    // A byte-order mark at the start of the file is still no part of the document.
    TXmlDocument marked;
    marked.LoadFromFile(WriteTemp(dir, "m.xml", "\xEF\xBB\xBF<R>x</R>"));
    EXPECT_EQ(marked.DocumentElement().Name(), "R");
    EXPECT_EQ(marked.DocumentElement().Text(), "x");
}

// The well-formed check refuses what the parser lets through, naming line and column; the
// plain load keeps taking it in. Sound documents, UTF-16 and declared Windows-1252 included,
// read the same either way.
TEST(Xml, WellFormedCheckRefusesWhatTheParserLetsThrough)
{
    QTemporaryDir dir;
    const struct
    {
        QByteArray bytes;
        const char *fault;
    } bad[] = {
        {"<R>\n<A t=\"a & b\"/></R>", "an \"&\" that starts no reference (line 2, column 9)"},
        {"<R>fish & chips</R>", "an \"&\" that starts no reference (line 1, column 9)"},
        {"<R>&amp</R>", "starts no reference"},
        {"<R>&nbsp;</R>", "the undeclared entity \"nbsp\""},
        {"<R a='x<y'/>", "a \"<\" in an attribute value (line 1, column 8)"},
        {"<R a=\"&#0;\"/>", "a character reference to a character XML cannot hold"},
        {"<R>&#x110000;</R>", "a character reference to a character XML cannot hold"},
        {"<R>&#xZ;</R>", "without its digits"},
        {"<R>\n\n<A>x\x01</A></R>", "the character U+0001, which XML cannot hold (line 3, column 5)"},
        {"<R a='\xC3\xA4\xEF\xBF\xBF'/>", "the character U+FFFF"},
        {"<R>\n<A n='Z\xE4hler'/></R>", "invalid UTF-8 byte sequence (line 2)"},
        {"\xEF\xBB\xBF<R n='\xE4'/>", "invalid UTF-8 byte sequence (line 1)"},
        {"<?xml version='1.0' encoding='utf-8'?><R n='\xE4'/>", "invalid UTF-8 byte sequence"},
        {QByteArray("\xFF\xFE<\0R\0 \0a\0=\0'\0<\0'\0/\0>\0", 22), "a \"<\" in an attribute value"},
    };
    for (const auto &c : bad) {
        const QString path = WriteTemp(dir, "bad.xml", c.bytes);
        TXmlDocument doc;
        try {
            doc.LoadFromFile(path, TXmlCheck::Well_Formed);
            ADD_FAILURE() << "no error for " << c.bytes.toStdString();
        } catch (const EXmlParseError &e) {
            EXPECT_NE(std::string(e.what()).find(c.fault), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("bad.xml\" is not a valid XML document: "), std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(doc.IsEmpty()) << c.bytes.toStdString();
    }
    // The plain load takes the first ones in, as before.
    for (int k = 0; k < 2; ++k) {
        TXmlDocument doc;
        doc.LoadFromFile(WriteTemp(dir, "lax.xml", bad[k].bytes));
        EXPECT_EQ(doc.DocumentElement().Name(), "R");
    }

    const struct
    {
        QByteArray bytes;
        const char *value;   // of the attribute v of the root, as UTF-8
    } good[] = {
        {"<R v='a &amp; &lt;b&gt; &quot;&apos; &#65;&#x42;&#x1F600;'><!-- & < --><![CDATA[& <]]><?p & <?></R>",
         "a & <b> \"' AB\xF0\x9F\x98\x80"},
        {"<!DOCTYPE R [<!ENTITY e \"x\"> <!-- ] > -->]><R v='&e;'/>", "&e;"},
        {"<R v=\"'>\" w='\"&gt;'>x > y</R>", "'>"},
        {"\xEF\xBB\xBF<R v='Z\xC3\xA4hler'/>", "Z\xC3\xA4hler"},
        {"<?xml version='1.0' encoding='windows-1252'?><R v='Z\xE4hler'/>", "Z\xC3\xA4hler"},
        {QByteArray("\xFF\xFE<\0R\0 \0v\0=\0'\0\xE4\0'\0/\0>\0", 22), "\xC3\xA4"},
    };
    for (const auto &c : good) {
        const QString path = WriteTemp(dir, "good.xml", c.bytes);
        TXmlDocument strict, plain;
        strict.LoadFromFile(path, TXmlCheck::Well_Formed);
        plain.LoadFromFile(path);
        EXPECT_EQ(strict.DocumentElement().Attribute("v"), QString::fromUtf8(c.value)) << c.bytes.toStdString();
        EXPECT_EQ(strict.SaveToBytes(), plain.SaveToBytes()) << c.bytes.toStdString();
    }
}
