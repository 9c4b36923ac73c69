// UseHTMLHints makes the mark-up hint window draw every hint of the grid.
#include "paintfixture.h"

namespace {

using AuditHintsTest = PaintFixture;

TEST_F(AuditHintsTest, UseHTMLHintsSendsEveryHintToTheMarkupWindow)
{
    grid->SetHintShowCells(true);
    grid->SetUseInternalHintClass(false);
    grid->SetCells(2, 3, QStringLiteral("plain"));
    grid->SetCells(2, 4, QStringLiteral("<b>bold</b>"));
    grid->SetHTMLHint(true);
    const auto viaMarkupWindow = [&](int ARow) {
        const TRect r = grid->CellRect(2, ARow);
        THintInfo info;
        info.CursorPos = QPoint(r.Left + 5, r.Top + 5);
        QString hint;
        grid->GetCellHintInfo(hint, info);
        EXPECT_FALSE(hint.isEmpty()) << ARow;
        return info.HtmlWindow;
    };
    EXPECT_FALSE(viaMarkupWindow(3));
    EXPECT_FALSE(viaMarkupWindow(4));
    grid->SetUseHTMLHints(true);
    EXPECT_TRUE(viaMarkupWindow(3));
    EXPECT_TRUE(viaMarkupWindow(4));
    grid->SetUseHTMLHints(false);
    EXPECT_FALSE(viaMarkupWindow(4));
}

}   // namespace
