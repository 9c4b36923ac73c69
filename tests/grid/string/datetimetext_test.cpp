// Date and time texts read back what they wrote, in numeric and month-name date formats.
#include "grid/base/textroutines.h"
#include "grid/string/datetimetext.h"

#include <gtest/gtest.h>

TEST(DateTimeText, DatesAndDateTimesReadBackInEveryShortFormat)
{
    const TDateTime date = EncodeDate(2024, 2, 29);
    const TDateTime stamp = date + EncodeTime(10, 15, 0, 0);
    const struct
    {
        QChar Sep;
        QString Format;
    } formats[] = {{u'/', "dd/MM/yyyy"}, {u'/', "MM/dd/yyyy"}, {u'-', "yyyy-MM-dd"},
                   {u' ', "d MMM yyyy"}, {u' ', "dd MMMM yyyy"}};
    for (const auto &f : formats) {
        SCOPED_TRACE(f.Format.toStdString());
        SetGridFormatOverride({f.Sep, u':', u',', u'.', f.Format});
        TDateTime read = 0;
        ASSERT_TRUE(TryStrToDate(DateToStr(date), read)) << DateToStr(date).toStdString();
        EXPECT_EQ(read, date);
        ASSERT_TRUE(TryStrToDateTime(DateToStr(date) + " 10:15:00", read));
        EXPECT_EQ(read, stamp);
        EXPECT_FALSE(TryStrToDate("no date", read));
    }
    SetGridFormatOverride({});
}
