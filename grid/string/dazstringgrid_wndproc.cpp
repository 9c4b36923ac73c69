// TDazStringGrid: the grid's own messages. The end of an edit (OnEditCellDone), the combo
// editor's notifications, the mouse wheel and the wheel-button panning.
#include "grid/string/dazstringgrid.h"

#include "grid/string/gridcombo.h"
#include "grid/string/gridmessages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

namespace {

constexpr int WheelDelta = 120;
constexpr int PanDeadZone = 5;

// The glyph at the point where panning started: a ring with the arrows of the directions
// the pan may take.
class TPanGlyph : public QWidget
{
public:
    TPanGlyph(QWidget *Parent, TIntelliPan Pan) : QWidget(Parent), FPan(Pan)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(32, 32);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(14, 14, 4, 4));
        const auto arrow = [&](QPointF a, QPointF b, QPointF c) {
            QPainterPath path;
            path.moveTo(a);
            path.lineTo(b);
            path.lineTo(c);
            path.closeSubpath();
            p.drawPath(path);
        };
        if (FPan == ipVertical || FPan == ipBoth) {
            arrow({16, 4}, {12, 9}, {20, 9});
            arrow({16, 28}, {12, 23}, {20, 23});
        }
        if (FPan == ipHorizontal || FPan == ipBoth) {
            arrow({4, 16}, {9, 12}, {9, 20});
            arrow({28, 16}, {23, 12}, {23, 20});
        }
    }

private:
    TIntelliPan FPan;
};

// Watches the grid's client area for the wheel button and for the presses that end panning.
class TPanFilter : public QObject
{
public:
    explicit TPanFilter(TDazStringGrid *Grid) : QObject(Grid), FGrid(Grid) {}
    std::function<bool(QEvent *)> Handler;

protected:
    bool eventFilter(QObject *, QEvent *e) override { return Handler && Handler(e); }

private:
    TDazStringGrid *FGrid;
};

}   // namespace

// ---------------------------------------------------------------------------------------
// The grid's messages
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::event(QEvent *e)
{
    if (e->type() == GridEditDoneMessage()) {
        const auto *done = static_cast<const TGridEditDoneEvent *>(e);
        // A refused value reopened the editor on the same cell meanwhile: that edit is not
        // done, and its cell may hold the refused text.
        const bool reopened = FEditMode && FEditing && RealCol() == done->Col && Row() == done->Row;
        if (OnEditCellDone && !reopened)
            OnEditCellDone(this, done->Col, done->Row);
        if (FMouseActions.EditOnDblClickOnly()) {
            HideInplaceEdit();
            FEditMode = false;
            SetOptions(Options() - goEditing);
        }
        return true;
    }
    if (e->type() == TOfficeThemeChangeEvent::Type()) {
        if (FAutoThemeAdapt)
            ApplyOfficeTheme();
        return true;
    }
    switch (e->type()) {
    case QEvent::Polish:
    case QEvent::Show:
        if (!FPanFilter) {
            auto *filter = new TPanFilter(this);
            filter->Handler = [this](QEvent *ev) { return PanFilterEvent(ev); };
            viewport()->installEventFilter(filter);
            FPanFilter = filter;
        }
        break;
    case QEvent::KeyPress:
        if (FWheelPan) {
            StopPanning();
            return true;
        }
        break;
    default:
        break;
    }
    return FrameEvent(e);
}

bool TDazStringGrid::PanFilterEvent(QEvent *e)
{
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto *m = static_cast<const QMouseEvent *>(e);
    if (FWheelPan) {
        StopPanning();
        return true;
    }
    if (m->button() == Qt::MiddleButton && FIntelliPan != ipNone && RowCount() > FixedRows()) {
        StartPanning(m->position().toPoint());
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// The combo editor's notifications
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ComboSelectionChanged(bool EditChange)
{
    TGridCombo *combo = FEditCombo;
    if (!combo)
        return;
    if (FEditMode && FEditCtrl == combo) {
        int index = combo->currentIndex();
        if (EditChange && index >= 0 && combo->itemText(index) != combo->currentText())
            index = -1;
        const QString text = index < 0 ? combo->currentText() : combo->itemText(index);
        if (OnComboChange)
            OnComboChange(this, RealCol(), Row(), index, text);
        if (OnComboObjectChange)
            OnComboObjectChange(this, RealCol(), Row(), index, text, combo->ItemObject(index));
    }
    if (EditChange && OnComboChange)
        OnComboChange(this, Col(), Row(), -1, combo->currentText());
}

void TDazStringGrid::ComboCloseUp()
{
    TGridCombo *combo = FEditCombo;
    if (combo && FMouseActions.DirectComboClose() && FEditMode && FEditCtrl == combo) {
        const int index = combo->currentIndex();
        if (index >= 0)
            combo->LoadText(combo->itemText(index));
        ComboSelectionChanged(false);
        FEditControl = edComboEdit;
        const bool directEdit = FMouseActions.DirectEdit();
        FMouseActions.SetDirectEdit(false);
        HideInplaceEdit();
        setFocus(Qt::OtherFocusReason);
        FMouseActions.SetDirectEdit(directEdit);
    }
    DoComboCloseUp(Row(), RealCol());
}

void TDazStringGrid::ComboDropDown()
{
    DoComboDropDown(Row(), RealCol());
}

// ---------------------------------------------------------------------------------------
// The wheel
// ---------------------------------------------------------------------------------------

void TDazStringGrid::wheelEvent(QWheelEvent *e)
{
    e->accept();
    if (FWheelPan)
        return;
    // Over an open editor the framework's wheel steps run (DoMouseWheelDown / Up).
    if (FEditMode) {
        TBaseGrid::wheelEvent(e);
        return;
    }
    const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    const QPoint pos = e->position().toPoint();
    FWheelAccum += e->angleDelta().y();
    while (std::abs(FWheelAccum) >= WheelDelta) {
        const int delta = FWheelAccum < 0 ? -WheelDelta : WheelDelta;
        FWheelAccum -= delta;
        WheelStep(delta, shift, pos);
    }
}

void TDazStringGrid::WheelScrolled(int, bool &) {}

bool TDazStringGrid::WheelStep(int Delta, TShiftState Shift, QPoint MousePos)
{
    const int lines = std::max(1, WheelScrollLines());
    if (Shift.Contains(ssCtrl) && IntelliZoom()) {
        Zoom(Delta < 0 ? lines : -lines);
        AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1))
        return true;
    const int step = FMouseActions.WheelIncrement() >= 1 ? FMouseActions.WheelIncrement() : lines;
    const bool scroll = FMouseActions.WheelAction() == waScroll;
    const TGridRect oldSel = Selection();
    int target = Row();
    if (scroll) {
        if (Delta < 0) {
            if (TopRow() < RowCount() - VisibleRowCount())
                TBaseGrid::SetTopRow(std::clamp(TopRow() + step, FixedRows(), RowCount() - 1));
        } else {
            TBaseGrid::SetTopRow(std::max(FixedRows(), TopRow() - step));
        }
    } else {
        target = Row() + (Delta < 0 ? step : -step);
    }
    const int lastRow = RowCount() - FixedFooters() - 1;
    target = std::clamp(target, FixedRows(), std::max(FixedRows(), lastRow));
    if (Col() >= ColCount() || Col() < FixedCols()) {
        if (Row() >= RowCount())
            FocusCell(ColCount() - 1, RowCount() - 1, true);
        else
            TBaseGrid::SetCol(std::clamp(Col(), FixedCols(), ColCount() - 1));
    }
    int moved = 0;
    if (target >= FixedRows() && target < RowCount()) {
        const int leftCol = LeftCol();
        BeginUpdate();
        struct End
        {
            TDazStringGrid *g;
            ~End() { g->EndUpdate(); }
        } end{this};
        if (FMouseActions.DisjunctRowSelect() && !scroll)
            ClearRowSelect();
        moved = target - Row();
        if (!scroll)
            SetRow(target);
        if (Row() != target) {
            // A refused move goes half the way (halves to even).
            const int half = int(std::nearbyint((target - Row()) / 2.0));
            const int row = std::clamp(Row() + half, FixedRows(), RowCount() - 1);
            if (row != Row())
                SetRow(row);
            if (TopRow() > FixedRows())
                TBaseGrid::SetTopRow(TopRow() - 1);
        }
        if (Options().Contains(goRowSelect) && FNavigation.KeepHorizScroll())
            SetLeftCol(leftCol);
    }
    bool handled = true;
    WheelScrolled(moved, handled);
    if (handled && (FMouseActions.WheelIncrement() != 0 || FMouseActions.DisjunctRowSelect())) {
        bool userHandled = false;
        const TShiftState shift = FMouseActions.DisjunctRowSelect() ? Shift : TShiftState{};
        const QPoint pos = FMouseActions.DisjunctRowSelect() ? MousePos : QPoint(0, 0);
        if (Delta < 0 && OnMouseWheelDown)
            OnMouseWheelDown(this, shift, pos, userHandled);
        else if (Delta > 0 && OnMouseWheelUp)
            OnMouseWheelUp(this, shift, pos, userHandled);
    }
    const TGridRect sel = Selection();
    if (sel != oldSel)
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    if (FSearchFooter.Visible() && TopRow() >= RowCount() - VisibleRowCount())
        ScrollAboveSearchPanel();
    return true;
}

bool TDazStringGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    if (FMouseActions.WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        if (OnMouseWheelDown)
            OnMouseWheelDown(this, Shift, MousePos, handled);
        return handled;
    }
    const bool directEdit = FMouseActions.DirectEdit();
    FMouseActions.SetDirectEdit(false);
    const bool editing = FEditMode;
    bool result;
    if (Options().Contains(goRowSelect) && FNavigation.KeepHorizScroll()) {
        const int leftCol = LeftCol();
        BeginUpdate();
        result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        SetLeftCol(leftCol);
        EndUpdate();
    } else {
        result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        if (editing)
            setFocus(Qt::MouseFocusReason);
    }
    FMouseActions.SetDirectEdit(directEdit);
    return result;
}

bool TDazStringGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    if (FMouseActions.WheelAction() == waScroll || !EnableWheel()) {
        bool handled = false;
        if (OnMouseWheelUp)
            OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    const bool directEdit = FMouseActions.DirectEdit();
    FMouseActions.SetDirectEdit(false);
    const bool editing = FEditMode;
    bool result = true;
    if (Options().Contains(goRowSelect) && FNavigation.KeepHorizScroll()) {
        const int leftCol = LeftCol();
        BeginUpdate();
        result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        SetLeftCol(leftCol);
        EndUpdate();
    } else if (Col() >= 0 && Col() < ColCount() && Row() >= 0 && Row() < RowCount()) {
        result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        if (editing)
            setFocus(Qt::MouseFocusReason);
    }
    FMouseActions.SetDirectEdit(directEdit);
    return result;
}

// ---------------------------------------------------------------------------------------
// Wheel-button panning
// ---------------------------------------------------------------------------------------

void TDazStringGrid::StartPanning(QPoint Pos)
{
    FPrevCursor = viewport()->cursor();
    viewport()->setCursor(Qt::SizeAllCursor);
    FWheelPan = true;
    FWheelPanPos = Pos;
    if (!FPanTimer.isActive()) {
        FPanTimer.setInterval(10);
        FPanTimer.disconnect();
        connect(&FPanTimer, &QTimer::timeout, this, [this] { PanStep(); });
        FPanTimer.start();
    }
    viewport()->grabMouse();
    delete FPanGlyph;
    FPanGlyph = new TPanGlyph(viewport(), FIntelliPan);
    FPanGlyph->move(Pos - QPoint(16, 16));
    FPanGlyph->show();
}

void TDazStringGrid::StopPanning()
{
    if (!FWheelPan)
        return;
    viewport()->releaseMouse();
    FPanTimer.stop();
    viewport()->setCursor(FPrevCursor);
    FWheelPan = false;
    delete FPanGlyph;
    FPanGlyph = nullptr;
}

void TDazStringGrid::PanStep()
{
    if (!FWheelPan || FIntelliPan == ipNone)
        return;
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    int v = 0;
    int h = 0;
    if (FIntelliPan != ipHorizontal)
        v = p.y() < FWheelPanPos.y() - PanDeadZone ? -1 : p.y() > FWheelPanPos.y() + PanDeadZone ? 1 : 0;
    if (FIntelliPan != ipVertical)
        h = p.x() < FWheelPanPos.x() - PanDeadZone ? -1 : p.x() > FWheelPanPos.x() + PanDeadZone ? 1 : 0;
    Qt::CursorShape shape = Qt::SizeAllCursor;
    if (v != 0 && h != 0)
        shape = (v == h) ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    else if (v != 0)
        shape = Qt::SizeVerCursor;
    else if (h != 0)
        shape = Qt::SizeHorCursor;
    const TGridRect oldSel = Selection();
    const int lastRow = RowCount() - FixedFooters() - 1;
    const int lastCol = ColCount() - FixedRightCols() - 1;
    if (FMouseActions.WheelAction() == waScroll) {
        if (h != 0)
            SetLeftCol(std::clamp(LeftCol() + h, FixedCols(), std::max(FixedCols(), ColCount() - 1)));
        if (v != 0)
            TBaseGrid::SetTopRow(std::clamp(TopRow() + v, FixedRows(), std::max(FixedRows(), RowCount() - 1)));
    } else if (v != 0 || h != 0) {
        const int col = std::clamp(Col() + h, FixedCols(), std::max(FixedCols(), lastCol));
        const int row = std::clamp(Row() + v, FixedRows(), std::max(FixedRows(), lastRow));
        if (col != Col() || row != Row())
            FocusCell(col, row, true);
    }
    viewport()->setCursor(shape);
    if (FPanGlyph)
        FPanGlyph->raise();
    const TGridRect sel = Selection();
    if (sel != oldSel)
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}
