// The pointer over the grid: a cursor set by the owner ends the selection mode that the
// grid's own header cursor announced.
#include "eventlog.h"
#include "paintfixture.h"

namespace {

using AuditPointer = PaintFixture;

}   // namespace

TEST_F(AuditPointer, ACursorSetByTheOwnerEndsTheHeaderSelectionMode)
{
    TEventLog log(*grid);
    grid->MouseActions().SetRowSelect(true);
    grid->MouseActions().SetColSelect(true);
    const struct
    {
        int col, row;
        TMouseSelectMode mode;
    } cases[] = {{2, 0, msColumn}, {0, 2, msRow}};
    for (const auto &c : cases) {
        log.Mouse(QEvent::MouseMove, log.At(c.col, c.row), Qt::NoButton);
        ASSERT_EQ(grid->MouseSelectMode(), c.mode);
        grid->SetCursor(QCursor(Qt::WaitCursor));
        EXPECT_EQ(grid->MouseSelectMode(), msNormal) << c.col << "," << c.row;
    }
}
