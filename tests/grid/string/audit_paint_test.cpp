// Looks of the string grid: balloon texts of rich-text cells.
#include "paintfixture.h"

namespace {

using AuditPaint = PaintFixture;

}   // namespace

TEST_F(AuditPaint, ARichTextCellsBalloonShowsItsPlainText)
{
    grid->SetCells(2, 2, QStringLiteral("{\\rtf1\\ansi {\\b bold} words}"));
    const TRect r = grid->CellRect(2, 2);
    QString text, title;
    int icon = 0;
    grid->BalloonTooltipText(QPoint(r.Left + 4, r.Top + 4), text, title, icon);
    EXPECT_EQ(text.trimmed(), "bold words");
}
