#include "grid/tools/filterdropdown.h"

#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridtoolstate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

namespace {

// The cancel mode of both lists: losing the focus with the pointer outside hides the list.
void CancelOnFocusOut(QListWidget &List, const std::function<void()> &OnCancel)
{
    if (List.isVisible() && !List.rect().contains(List.mapFromGlobal(QCursor::pos()))) {
        List.hide();
        if (OnCancel)
            OnCancel();
    }
}

}   // namespace

TDropList::TDropList(QWidget *Parent) : QListWidget(Parent)
{
    resize(0, 0);
    hide();
}

void TDropList::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        hide();
        if (OnSelect)
            OnSelect(currentRow());
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TDropList::mouseReleaseEvent(QMouseEvent *e)
{
    QListWidget::mouseReleaseEvent(e);
    hide();
    if (OnSelect)
        OnSelect(currentRow());
}

void TDropList::focusOutEvent(QFocusEvent *e)
{
    QListWidget::focusOutEvent(e);
    CancelOnFocusOut(*this, OnCancel);
}

TDropCheckList::TDropCheckList(QWidget *Parent) : QListWidget(Parent)
{
    resize(0, 0);
    hide();
    connect(this, &QListWidget::itemChanged, this, [this] {
        if (OnSelect)
            OnSelect(-1);
    });
}

void TDropCheckList::focusOutEvent(QFocusEvent *e)
{
    QListWidget::focusOutEvent(e);
    CancelOnFocusOut(*this, OnCancel);
}

namespace GridFilterList {

namespace {

// The condition a ticked item stands for in the Filter list.
QString TickCondition(const QString &Name)
{
    return Name.contains(u' ') ? u'"' + Name + u'"' : Name;
}

bool ValidColumn(TDazStringGrid &G, int ACol)
{
    return ACol >= 0 && ACol < G.AllColCount();
}

void Fill(TDazStringGrid &G, QListWidget &List, bool Check, int ACol, int &MaxWidth)
{
    const QSignalBlocker block(&List);
    List.clear();
    const QFontMetrics fm(List.font());
    MaxWidth = 0;
    TStringList &entries = G.FilterList();
    for (int i = 0; i < entries.Count(); ++i) {
        QString name, condition;
        SplitEntry(entries.Strings(i), name, condition);
        auto *item = new QListWidgetItem(name, &List);
        MaxWidth = std::max(MaxWidth, fm.horizontalAdvance(name) + 8);
        if (!Check)
            continue;
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        bool ticked = false;
        const QString tick = TickCondition(name);
        for (int f = 0; f < G.Filter().Count() && !ticked; ++f) {
            const TFilterData *d = G.Filter().Items(f);
            ticked = d->Column() == ACol && d->Condition() == tick;
        }
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    if (!Check && List.count() > 0)
        List.setCurrentRow(0);
}

}   // namespace

void SplitEntry(const QString &Entry, QString &FriendlyName, QString &Condition)
{
    const qsizetype eq = Entry.indexOf(u'=');
    FriendlyName = eq < 0 ? Entry : Entry.left(eq);
    Condition = eq < 0 ? Entry : Entry.mid(eq + 1);
}

TDropList &DropList(TDazStringGrid &Grid)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    if (!st.DropList) {
        st.DropList = new TDropList(Grid.viewport());
        st.DropList->OnSelect = [&Grid](int Index) { FilterSelect(Grid, Index); };
        st.DropList->OnCancel = [&st] { st.FilterCol = -1; };
    }
    return *st.DropList;
}

TDropCheckList &DropCheckList(TDazStringGrid &Grid)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    if (!st.DropCheckList) {
        st.DropCheckList = new TDropCheckList(Grid.viewport());
        st.DropCheckList->OnSelect = [&Grid](int) { FilterCheck(Grid); };
        st.DropCheckList->OnCancel = [&st] { st.FilterCol = -1; };
    }
    return *st.DropCheckList;
}

int FilterCol(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FilterCol;
}

void SetFilterDropDownRow(TDazStringGrid &Grid, int Value)
{
    if (Value >= Grid.FixedRows())
        return;
    Grid.SetFilterDropDownRow(Value);
    Grid.Invalidate();
}

bool Open(TDazStringGrid &Grid, int ACol)
{
    if (!Grid.GetFilterList(ACol))
        return false;
    TGridToolState &st = TGridToolState::Of(Grid);
    st.FilterCol = ACol;
    const bool check = st.FilterDropDownCheck;
    QListWidget &list = check ? static_cast<QListWidget &>(DropCheckList(Grid))
                              : static_cast<QListWidget &>(DropList(Grid));
    const TFilterDropDown &look = Grid.FilterDropDown();
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, ToQColor(look.Color()));
    list.setPalette(pal);
    list.setFont(look.Font().ToQFont());
    int maxWidth = 0;
    Fill(Grid, list, check, ACol, maxWidth);
    int w = look.Width(), h = look.Height();
    if (look.AutoSize()) {
        const int edge = list.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &list);
        const int itemHeight = list.count() > 0 ? list.sizeHintForRow(0) : QFontMetrics(list.font()).height();
        h = list.count() * itemHeight + 2 * edge;
        w = maxWidth + 2 * edge;
    }
    const int dcol = Grid.DisplColIndex(ACol);
    const TRect cell = Grid.CellRect(dcol, Grid.FilterDropDownRow());
    int left = cell.Right - 16;
    const int top = cell.Top + 16;
    if (look.ColumnWidth()) {
        left = cell.Left;
        w = cell.Right - cell.Left;
    }
    if (left + w > Grid.viewport()->width())
        left = std::max(0, Grid.CellRect(dcol, 0).Right - w);
    list.setGeometry(left, top, w, h);
    list.show();
    list.raise();
    list.setFocus();
    return true;
}

void MouseUp(TDazStringGrid &Grid, int X, int Y)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    int acol = -1, arow = -1;
    Grid.MouseToCell(X, Y, acol, arow);
    if (acol >= 0 && arow >= 0 && arow == Grid.FilterDropDownRow()) {
        const int rc = Grid.RealColIndex(acol);
        const TRect r = Grid.CellRect(acol, arow);
        if (rc != st.FilterCol && X > r.Right - 16 && X < r.Right - 3 && Y < r.Top + 19 &&
            Open(Grid, rc))
            return;
    }
    if (st.DropList)
        st.DropList->hide();
    if (st.DropCheckList)
        st.DropCheckList->hide();
    st.FilterCol = -1;
}

void FilterSelect(TDazStringGrid &Grid, int ItemIndex)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    // The list closes on a choice; closed first, the focus moving away is no cancel.
    if (st.DropList)
        st.DropList->hide();
    Grid.setFocus();
    const int col = st.FilterCol;
    const int count = st.DropList ? st.DropList->count() : 0;
    if (ValidColumn(Grid, col) && ItemIndex >= 0 && ItemIndex < count) {
        Grid.GetFilterList(col);
        if (ItemIndex < Grid.FilterList().Count()) {
            QString name, condition;
            SplitEntry(Grid.FilterList().Strings(ItemIndex), name, condition);
            const bool update = Grid.AutoFilterUpdate();
            if (update)
                GridFilter::SetFilterActive(Grid, false);
            if (condition == Grid.FilterDropDownClear())
                condition.clear();
            if (st.OnFilterSelect)
                st.OnFilterSelect(&Grid, col, ItemIndex, name, condition);
            if (!condition.isEmpty())
                Grid.Filter().ColumnFilter(col)->SetCondition(condition);
            else
                Grid.Filter().RemoveColumnFilter(col);
            if (update) {
                Grid.SetFixedRowAlways(true);
                GridFilter::SetFilterActive(Grid, true);
                if (Grid.RowCount() != Grid.FixedRows() && Grid.RowCount() != 1)
                    Grid.SetRow(Grid.FixedRows());
                Grid.DoFilterDone();
            }
        }
    }
    st.FilterCol = -1;
}

void FilterCheck(TDazStringGrid &Grid)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    const int col = st.FilterCol;
    if (!ValidColumn(Grid, col) || !st.DropCheckList)
        return;
    Grid.GetFilterList(col);
    if (Grid.AutoFilterUpdate())
        GridFilter::SetFilterActive(Grid, false);
    Grid.Filter().Clear();
    TDropCheckList &list = *st.DropCheckList;
    bool first = true;
    for (int i = 0; i < list.count() && i < Grid.FilterList().Count(); ++i) {
        if (list.item(i)->checkState() != Qt::Checked)
            continue;
        QString name, condition;
        SplitEntry(Grid.FilterList().Strings(i), name, condition);
        if (condition == Grid.FilterDropDownClear())
            condition.clear();
        if (st.OnFilterCheck)
            st.OnFilterCheck(&Grid, col, i, name, condition, &list);
        TFilterData *f = Grid.Filter().Add();
        f->SetCondition(condition);
        f->SetColumn(col);
        f->SetOperation(first ? foNONE : foOR);
        first = false;
    }
    GridFilter::SetFilterActive(Grid, true);
    list.update();
}

}   // namespace GridFilterList
