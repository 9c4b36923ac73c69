#pragma once
// The header filter drop-down of a string grid: a release on the small button at the right
// of a header cell of FilterDropDownRow opens the column's value list (GetFilterList) under
// the cell; a choice (single list) or ticks (check list) rewrite the grid's Filter list and
// apply it.
//
// The lists are children of the grid's viewport, made on first use. The framework's
// cancel-mode notice is a click elsewhere or the list losing the focus.
#include <QListWidget>
#include <functional>

class TDazStringGrid;

// The single-choice list: Enter or a mouse release chooses the current item and hides it.
class TDropList : public QListWidget
{
public:
    explicit TDropList(QWidget *Parent);
    std::function<void(int ItemIndex)> OnSelect;
    std::function<void()> OnCancel;   // hidden without a choice

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
};

// The check list: each tick change reports -1; it stays open.
class TDropCheckList : public QListWidget
{
public:
    explicit TDropCheckList(QWidget *Parent);
    std::function<void(int ItemIndex)> OnSelect;
    std::function<void()> OnCancel;

protected:
    void focusOutEvent(QFocusEvent *e) override;
};

namespace GridFilterList {

// The grid's release at (X, Y) in viewport coordinates, left button: opens the list of the
// button's column, or hides the single list (FilterCol -1).
void MouseUp(TDazStringGrid &Grid, int X, int Y);
// Opens the list of the real column ACol under its cell of FilterDropDownRow; false when
// GetFilterList offers nothing.
bool Open(TDazStringGrid &Grid, int ACol);
// A choice in the single list.
void FilterSelect(TDazStringGrid &Grid, int ItemIndex);
// A tick changed in the check list.
void FilterCheck(TDazStringGrid &Grid);
// Only a row above FixedRows is taken; the grid repaints.
void SetFilterDropDownRow(TDazStringGrid &Grid, int Value);
// The column whose list is open, -1 when none.
int FilterCol(TDazStringGrid &Grid);
// The grid's two list controls (made on first use).
TDropList &DropList(TDazStringGrid &Grid);
TDropCheckList &DropCheckList(TDazStringGrid &Grid);
// The friendly name and the condition of a FilterList entry ("name=condition", or both the
// entry itself).
void SplitEntry(const QString &Entry, QString &FriendlyName, QString &Condition);

}   // namespace GridFilterList
