#pragma once
// The two small editors a string grid places over a CONTROL element of a mark-up cell: a
// line edit and a combo box. Both keep Tab for themselves; inside a grid, Enter ends the
// edit and gives the grid the focus, and Tab ends it and moves on: to the next cell when
// the grid advances automatically, else to the cell's next control.
#include <QComboBox>
#include <QLineEdit>
#include <functional>

class TDazStringGrid;

// Opens the editor of the next editable CONTROL element after CurrentID (the first for an
// empty ID) in cell (ACol display column, ARow) of the grid; the grid takes the focus when
// there is none.
void EditNextCellControl(TDazStringGrid &Grid, int ACol, int ARow, const QString &CurrentID);

// What both editors share: the exit handling and the grid's key rules.
class TCellControlKeys
{
public:
    virtual ~TCellControlKeys() = default;
    // The edit ends: the text goes back into the cell's mark-up (set by the grid).
    std::function<void()> OnControlExit;
    // Tab without automatic advance: the next CONTROL element of the current cell.
    std::function<void()> OnEditNextControl;

protected:
    // True when the key was the grid's (Enter, Tab) and is handled.
    bool GridKey(QWidget *Self, int Key);
};

class TControlEdit : public QLineEdit, public TCellControlKeys
{
    Q_OBJECT
public:
    explicit TControlEdit(QWidget *Parent = nullptr);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

class TControlCombo : public QComboBox, public TCellControlKeys
{
    Q_OBJECT
public:
    explicit TControlCombo(QWidget *Parent = nullptr);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};
