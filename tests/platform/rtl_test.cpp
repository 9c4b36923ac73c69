#include "platform/locale.h"
#include "platform/rtl.h"

#include <gtest/gtest.h>

namespace {

struct TDecimalSeparatorGuard {
    explicit TDecimalSeparatorGuard(QChar c) { SetDecimalSeparatorOverride(c); }
    ~TDecimalSeparatorGuard() { SetDecimalSeparatorOverride(QChar()); }
};

} // namespace

TEST(Rtl, TrimRemovesBlanksAndControlCharacters)
{
    const struct { QString in, both, left, right; } cases[] = {
        {"", "", "", ""},
        {"abc", "abc", "abc", "abc"},
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\t\r\n x\t\x01", "x", "x\t\x01", "\t\r\n x"},
        {QString(QChar(0x00A0)) + "x", QString(QChar(0x00A0)) + "x",
         QString(QChar(0x00A0)) + "x", QString(QChar(0x00A0)) + "x"},   // > U+0020 stays
        {QString::fromLatin1("\x1f\x00 ", 3), "", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Trim(c.in), c.both) << c.in.toStdString();
        EXPECT_EQ(TrimLeft(c.in), c.left) << c.in.toStdString();
        EXPECT_EQ(TrimRight(c.in), c.right) << c.in.toStdString();
    }
}

TEST(Rtl, StrToIntAcceptsWhatTheOriginalAccepts)
{
    const struct { const char *in; int value; } good[] = {
        {"5", 5}, {" 5", 5}, {"   -12", -12}, {"+7", 7}, {"0", 0}, {"007", 7},
        {"$1F", 31}, {"$1f", 31}, {"0x1f", 31}, {"0X1F", 31}, {"x1F", 31}, {"X10", 16},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647}, {"$FFFFFFFF", -1}, {"$80000000", -2147483647 - 1},
    };
    for (const auto &c : good) {
        int v = 12345;
        EXPECT_TRUE(TryStrToInt(c.in, v)) << c.in;
        EXPECT_EQ(v, c.value) << c.in;
        EXPECT_EQ(StrToInt(c.in), c.value) << c.in;
    }
}

TEST(Rtl, StrToIntRejectsEverythingElse)
{
    for (const char *in : {"", " ", "5 ", "5\t", "\t5", "1.0", "1,0", "abc", "12a", "-", "+",
                           "$", "0x", "x", "$G", "- 5", "2147483648", "-2147483649",
                           "99999999999999999999", "$100000000", "1e3"}) {
        int v = 77;
        EXPECT_FALSE(TryStrToInt(in, v)) << in;
        EXPECT_EQ(v, 77) << "value untouched on failure: " << in;
        EXPECT_THROW(StrToInt(in), EConvertError) << in;
        EXPECT_EQ(StrToIntDef(in, -3), -3) << in;
    }
    try {
        StrToInt("5 ");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_STREQ(e.what(), "'5 ' is not a valid integer value");
    }
}

TEST(Rtl, StrToInt64Range)
{
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 4), 4);
}

TEST(Rtl, ValReportsFirstBadCharacter)
{
    const struct { const char *in; int value, code; } cases[] = {
        {"123", 123, 0}, {"  42", 42, 0}, {"12a3", 12, 3}, {"5 ", 5, 2}, {"", 0, 1},
        {"-", 0, 2}, {"$1F!", 31, 4}, {"abc", 0, 1}, {"  ", 0, 3},
    };
    for (const auto &c : cases) {
        int v = -1, code = -1;
        Val(c.in, v, code);
        EXPECT_EQ(code, c.code) << c.in;
        EXPECT_EQ(v, c.value) << c.in;
    }
    const struct { const char *in; double value; int code; } fcases[] = {
        {"1.5", 1.5, 0}, {" -2.25e1", -22.5, 0}, {"3.5x", 3.5, 4}, {"1,5", 1, 2},
        {"", 0, 1}, {"1e", 1, 3}, {".", 0, 2},
    };
    for (const auto &c : fcases) {
        double v = -1;
        int code = -1;
        Val(c.in, v, code);
        EXPECT_EQ(code, c.code) << c.in;
        EXPECT_DOUBLE_EQ(v, c.value) << c.in;
    }
}

TEST(Rtl, RoundIsHalfToEvenAndTruncTowardsZero)
{
    const struct { double in; int64_t round, trunc; } cases[] = {
        {2.5, 2, 2}, {3.5, 4, 3}, {-2.5, -2, -2}, {-3.5, -4, -3}, {0.5, 0, 0},
        {1.5, 2, 1}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-0.4, 0, 0}, {1e15 + 0.5, 1000000000000000, 1000000000000000},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Round(c.in), c.round) << c.in;
        EXPECT_EQ(Trunc(c.in), c.trunc) << c.in;
    }
    EXPECT_THROW(Round(std::nan("")), EConvertError);
    EXPECT_THROW(Trunc(1e300), EConvertError);
}

TEST(Rtl, FloatTextUsesTheDecimalSeparator)
{
    TDecimalSeparatorGuard comma(u',');
    const struct { double in; const char *out; } cases[] = {
        {0, "0"}, {1, "1"}, {-1.5, "-1,5"}, {0.1, "0,1"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {1e20, "1E20"}, {0.0001, "0,0001"}, {0.00001, "0,00001"},
        {0.000001, "1E-6"}, {1.5e-7, "1,5E-7"}, {1.0 / 3, "0,333333333333333"}, {2.675, "2,675"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToStr(c.in), QString::fromLatin1(c.out)) << c.in;

    EXPECT_DOUBLE_EQ(StrToFloat(" 1,25 "), 1.25);
    EXPECT_DOUBLE_EQ(StrToFloat("-3"), -3);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3"), 1500);
    for (const char *bad : {"", "1.5", "1,2,3", "abc", ",", "1e", "1,5x", "inf", "nan", "1e999"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    EXPECT_DOUBLE_EQ(StrToFloatDef("x", 2.5), 2.5);

    TDecimalSeparatorGuard point(u'.');
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(FloatToStr(-0.25), "-0.25");
}

TEST(Rtl, FormatConversions)
{
    TDecimalSeparatorGuard comma(u',');
    const struct { const char *fmt; QVariantList args; const char *out; } cases[] = {
        {"%d items", {5}, "5 items"},
        {"%5d|%-5d|%05d", {12, 12, -12}, "   12|12   |-0012"},
        {"%.3d", {7}, "007"},
        {"%x %X %.4x", {255, 255, 10}, "FF FF 000A"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%u", {-1}, "4294967295"},
        {"%s=%s", {QString("a"), QString("b")}, "a=b"},
        {"[%6s][%-6s][%.2s]", {QString("ab"), QString("ab"), QString("abcdef")}, "[    ab][ab    ][ab]"},
        {"%.2f", {1.005}, "1,00"},
        {"%.1f", {2.25}, "2,3"},   // an exact tie rounds away from zero
        {"%f", {3.0}, "3,00"},
        {"%.0f", {2}, "2"},
        {"%g", {0.5}, "0,5"},
        {"100%%", {}, "100%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Format(c.fmt, c.args), QString::fromLatin1(c.out)) << c.fmt;

    for (const auto &[fmt, args] : std::vector<std::pair<const char *, QVariantList>>{
             {"%d", {}}, {"%d", {QString("x")}}, {"%s", {5}}, {"%q", {1}}, {"abc%", {}}})
        EXPECT_THROW(Format(fmt, args), EConvertError) << fmt;
}

TEST(Rtl, CaseAndSearch)
{
    EXPECT_EQ(UpperCase("abc\u00e9z"), "ABC\u00e9Z");
    EXPECT_EQ(LowerCase("ABC\u00c9Z"), "abc\u00c9z");
    EXPECT_EQ(AnsiUpperCase("abc\u00e9"), "ABC\u00c9");
    EXPECT_EQ(AnsiLowerCase("ABC\u00c9"), "abc\u00e9");
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_LT(CompareText("", "a"), 0);
    EXPECT_TRUE(SameText("Node", "NODE"));
    EXPECT_FALSE(SameText("Node", "Nodes"));

    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("b", "abcb", 3), 4);
    EXPECT_EQ(PosEx("b", "abcb", 0), 0);
    EXPECT_EQ(PosEx("b", "abcb", 5), 0);

    const struct { int index, count; const char *out; } copies[] = {
        {1, 2, "ab"}, {2, 100, "bcd"}, {0, 2, "ab"}, {-5, 1, "a"}, {5, 1, ""}, {2, 0, ""}, {2, -1, ""},
    };
    for (const auto &c : copies)
        EXPECT_EQ(Copy("abcd", c.index, c.count), c.out) << c.index << "," << c.count;

    EXPECT_EQ(StringOfChar(u'-', 3), "---");
    EXPECT_EQ(StringOfChar(u'-', -1), "");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToStr(-42), "-42");
}

TEST(Rtl, ByteWritersAreLittleEndianAndBounded)
{
    std::vector<uint8_t> buf(7, 0);
    Put_U8(buf, 0, 0xAB);
    Put_U16(buf, 1, 0x1234);
    Put_U32(buf, 3, 0xDEADBEEF);
    EXPECT_EQ(buf, (std::vector<uint8_t>{0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE}));
    EXPECT_EQ(Get_U8(buf, 0), 0xAB);
    EXPECT_EQ(Get_U16(buf, 1), 0x1234);
    EXPECT_EQ(Get_U32(buf, 3), 0xDEADBEEFu);

    EXPECT_THROW(Put_U32(buf, 4, 1), std::out_of_range);
    EXPECT_THROW(Put_U16(buf, 6, 1), std::out_of_range);
    EXPECT_THROW(Put_U8(buf, 7, 1), std::out_of_range);
    EXPECT_THROW(Get_U32(buf, SIZE_MAX - 1), std::out_of_range);
    EXPECT_EQ(buf.size(), 7u);
}
