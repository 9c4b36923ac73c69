#pragma once
// A string grid with its protected hooks reachable from the tests, and a fixture that shows
// it with a known client size (no frame, no scroll bars).
#include "grid/base/stringgridbase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>

class TTestGrid : public TStringGridBase
{
public:
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::CanEditShow;
    using TCustomGrid::DoMouseWheel;
    using TCustomGrid::MaxTopRow;
    using TCustomGrid::TimerScroll;
    using TCustomGrid::WMChar;
    using TCustomGrid::WMKeyDown;
    using TStringGridBase::TStringGridBase;

    // Sends a key press (and its release) as the keyboard would.
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, mods, text);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(target, &up);
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const QPointF pos(x, y);
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent e(type, pos, viewport()->mapToGlobal(pos), button, buttons, mods);
        QApplication::sendEvent(viewport(), &e);
    }
    void Click(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton, mods);
        Mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, mods);
    }

    int SelectCellCalls = 0;
    std::function<bool(int, int)> Veto;

protected:
    bool SelectCell(int ACol, int ARow) override
    {
        ++SelectCellCalls;
        if (Veto && !Veto(ACol, ARow))
            return false;
        return TStringGridBase::SelectCell(ACol, ARow);
    }
};

// Shows a grid of class G: 5 columns of 64 and 5 rows of 24 pixels with 1-pixel lines; a
// 300 x 200 client.
template <class G>
class TGridFixtureOf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid = std::make_unique<G>();
        grid->setFrameShape(QFrame::NoFrame);
        grid->SetScrollBars(ssNone);
        grid->resize(300, 200);
        grid->show();
        QApplication::processEvents();
    }
    void Focus()
    {
        grid->activateWindow();
        grid->setFocus();
        QApplication::processEvents();
    }
    std::unique_ptr<G> grid;
};

using GridFixture = TGridFixtureOf<TTestGrid>;
