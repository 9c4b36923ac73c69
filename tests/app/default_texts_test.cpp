#include "app/default_texts.h"

#include <gtest/gtest.h>

namespace {

const QStringList &Texts()
{
    static const QStringList list = [] {
        QStringList l;
        Fill_Default_Texts(l);
        return l;
    }();
    return list;
}

TEST(DefaultTexts, FillsWholeTableWithBlanksForUnlistedNumbers)
{
    const QStringList &t = Texts();
    ASSERT_EQ(t.size(), Default_Text_Count);
    EXPECT_EQ(t[2592], QString());
    EXPECT_EQ(t[6399], QStringLiteral(" "));
    EXPECT_EQ(t[99], QStringLiteral(" "));

    int listed = 0;
    for (int i = 0; i < t.size(); ++i)
        if (i != 2592 && t[i] != QStringLiteral(" "))
            ++listed;
    EXPECT_EQ(listed, 3554);   // 3518, the OPC UA client's 34 texts that were blank, 2 of S7 and SNMP
}

TEST(DefaultTexts, KeepsTextsExactly)
{
    const QString q = QStringLiteral("\"");
    const struct {
        int n;
        QString text;
    } cases[] = {
        {0, QStringLiteral("Begin")},
        {9, QStringLiteral("None Configuration Opened ")},
        {33, QStringLiteral("Scan && Decode")},
        {306, QStringLiteral(" / ")},
        {1242, "Warning!! Max Payload Size not Set Up. Set it in " + q + "Set Communication" + q
                   + " section"},
        {1705, QStringLiteral("Nodes     ")},
        {1787, "Error!! ModBus Register already use in the Node " + q},
        {1788, q + " (Node State)"},
        {2100, QStringLiteral("Scan & Decode")},
        {4548, QStringLiteral("Error row ")},
        {5326, QString::fromUtf8("Description for the M-Bus meter (defined in the section "
                                 "\xE2\x80\x9CM-Bus\xE2\x80\x9D)")},
        {6276, "!! [SNMP Read] Community Name is not correct (allowed characters are " + q + "a"
                   + q + ".." + q + "z" + q + ", " + q + "A" + q + ".." + q + "Z" + q + " and "
                   + q + "0" + q + ".." + q + "9" + q + ")"},
        {6315, QStringLiteral("Param Number %d. The Value must be between %d and %d")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Texts()[c.n], c.text) << "text " << c.n;
}

TEST(DefaultTexts, RefillReplacesPreviousContent)
{
    QStringList list{QStringLiteral("stale"), QStringLiteral("entries")};
    Fill_Default_Texts(list);
    EXPECT_EQ(list, Texts());
}

TEST(DefaultTexts, ParsesEscapesCommentsAndLineEnds)
{
    QStringList list;
    Parse_Default_Texts("# note\r\n\n5\t\"a\\\\b\\tc\\nd\\re\"\r\n7\t\"\"\"\n2592\t\"x\"", list);
    ASSERT_EQ(list.size(), Default_Text_Count);
    EXPECT_EQ(list[5], QStringLiteral("a\\b\tc\nd\re"));
    EXPECT_EQ(list[7], QStringLiteral("\""));
    EXPECT_EQ(list[2592], QStringLiteral("x"));
    EXPECT_EQ(list[6], QStringLiteral(" "));
}

TEST(DefaultTexts, RejectsMalformedLines)
{
    const char *const bad[] = {
        "5 \"no tab\"",
        "5\tno quotes",
        "5\t\"unclosed",
        "5\t\"",
        "\t\"no number\"",
        "x\t\"bad number\"",
        "6400\t\"past the end\"",
        "-1\t\"negative\"",
        "5\t\"bad \\q escape\"",
        "5\t\"ends in \\\"",
    };
    for (const char *line : bad) {
        QStringList list;
        EXPECT_THROW(Parse_Default_Texts(line, list), EDefaultTextsError) << line;
    }
}

} // namespace
