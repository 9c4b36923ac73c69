#include "grid/tools/griddragdrop.h"

#include "grid/string/headerdrag.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridclipboard.h"
#include "grid/tools/gridcsv.h"
#include "grid/tools/gridexchange.h"
#include "grid/tools/gridoffice.h"
#include "grid/tools/gridtoolstate.h"

#include <QBuffer>
#include <QCursor>
#include <QListWidget>
#include <QWidget>

namespace {

QWidget *MakeMarker(QWidget *Owner, int W, int H)
{
    auto *w = new QWidget(Owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFixedSize(W, H);
    w->setStyleSheet(QStringLiteral("background: black"));
    return w;
}

void HideWidget(QWidget *W)
{
    if (W)
        W->hide();
}

}   // namespace

TGridDropTarget::TGridDropTarget(TDazStringGrid &Grid) : FGrid(Grid)
{
    FArwL = MakeMarker(&Grid, 9, 9);
    FArwD = MakeMarker(&Grid, 9, 8);
    FArwU = MakeMarker(&Grid, 9, 8);
}

TGridDropTarget::~TGridDropTarget()
{
    delete FArwL;
    delete FArwD;
    delete FArwU;
}

void TGridDropTarget::ShowMarker(QWidget *Marker, const QPoint &ScreenPos)
{
    Marker->move(ScreenPos);
    Marker->show();
}

void TGridDropTarget::HideMarkers()
{
    FArwL->hide();
    FArwD->hide();
    FArwU->hide();
}

void TGridDropTarget::DragMouseLeave() { HideMarkers(); }

void TGridDropTarget::CellAt(const QPoint &Pt, bool ColumnData, int &ACol, int &ARow, bool &Append) const
{
    FGrid.ScreenToCell(Pt, ACol, ARow);
    Append = false;
    const auto &dd = FGrid.DragDropSettings();
    if (ARow < 0 && !ColumnData && dd.OleEntireRows() && dd.OleAppendRows()) {
        const QPoint client = FGrid.viewport()->mapFromGlobal(Pt);
        const TRect last = FGrid.CellRect(FGrid.LeftCol(), FGrid.RowCount() - 1);
        if (client.y() >= last.Bottom) {
            ARow = FGrid.RowCount() - 1;
            ACol = FGrid.FixedCols();
            Append = true;
        }
    }
}

void TGridDropTarget::DragMouseMove(const QPoint &Pt, bool &Allow, TDropFormats Formats)
{
    const bool colData = Formats.Contains(dfCol);
    int c = -1, r = -1;
    bool append = false;
    CellAt(Pt, colData, c, r, append);
    const QPoint client = FGrid.viewport()->mapFromGlobal(Pt);
    Allow = c >= 0 && r >= 0;

    if (Allow && !colData) {
        if ((r == 0 && FGrid.TopRow() > FGrid.FixedRows()) ||
            (client.y() < 8 && FGrid.FixedRows() == 0 && FGrid.TopRow() > 0))
            FGrid.SetTopRow(FGrid.TopRow() - 1);
        else if (r == FGrid.TopRow() + FGrid.VisibleRowCount())
            FGrid.SetTopRow(FGrid.TopRow() + 1);
        int &ticks = TGridExchange::TimerTicks(FGrid);
        if (ticks % 2 == 0) {
            ++ticks;
            if (c == 0 && FGrid.LeftCol() > FGrid.FixedCols())
                FGrid.SetLeftCol(FGrid.LeftCol() - 1);
            else if (c == FGrid.LeftCol() + FGrid.VisibleColCount())
                FGrid.SetLeftCol(FGrid.LeftCol() + 1);
        }
    }

    if (!colData) {
        if (r >= 0 && r < FGrid.FixedRows() && !(FGrid.RowCount() == 1 && FGrid.FixedRowAlways()))
            Allow = false;
    } else if (c < 0 && client.x() >= 0) {
        c = FGrid.ColCount();
        r = 0;
        Allow = true;
    } else {
        Allow = Allow && r < FGrid.FixedRows() && c >= FGrid.FixedCols();
    }

    Allow = Allow || Formats.Contains(dfFile) || Formats.Contains(dfGridCells);
    if (auto &e = TGridToolState::Of(FGrid).OnOleDragOver)
        e(&FGrid, r, c, Allow);
    Allow = Allow && ((c >= 0 && r >= 0) || Formats.Contains(dfFile));

    HideMarkers();
    if (!Allow || c < 0 || r < 0)
        return;
    const QWidget *vp = FGrid.viewport();
    if (colData) {
        const int left = c < FGrid.ColCount() ? FGrid.CellRect(c, r).Left
                                              : FGrid.CellRect(FGrid.ColCount() - 1, r).Right;
        const TRect cell = FGrid.CellRect(std::min(c, FGrid.ColCount() - 1), r);
        ShowMarker(FArwD, vp->mapToGlobal(QPoint(left, cell.Top - 8)));
        ShowMarker(FArwU, vp->mapToGlobal(QPoint(left, cell.Bottom)));
    } else {
        int mc = FGrid.DragDropSettings().OleEntireRows() ? FGrid.FixedCols() : c;
        int mr = r;
        if (r == 0 && FGrid.RowCount() == 1 && FGrid.FixedRowAlways())
            ++mr;
        TRect cell = FGrid.CellRect(mc, std::min(mr, FGrid.RowCount() - 1));
        int top = cell.Top;
        if (mr >= FGrid.RowCount() || append)
            top += FGrid.RowHeights(std::min(mr, FGrid.RowCount() - 1));
        ShowMarker(FArwL, vp->mapToGlobal(QPoint(cell.Left - 10, top)));
    }
}

void TGridDropTarget::DropText(const QPoint &Pt, const QString &Text)
{
    const auto &dd = FGrid.DragDropSettings();
    int c = -1, r = -1;
    bool append = false;
    CellAt(Pt, false, c, r, append);
    const TPoint size = GridClipboard::GetClipboardTextSize(Text);
    const int cols = std::max(1, size.X);
    const QStringList lines = Text.split(u'\r');
    int breaks = int(lines.size()) - 1;
    if (breaks > 0 && lines.last().trimmed().isEmpty())
        --breaks;   // the line end of the last line
    const bool rowSelect = FGrid.Options().Contains(goRowSelect);
    if (rowSelect)
        c = dd.OleEntireRows() ? 0 : FGrid.FixedCols();

    bool allow = true;
    if (auto &e = TGridToolState::Of(FGrid).OnOleDrop)
        e(&FGrid, r, c, Text, allow);
    TGridRect block{-1, -1, -1, -1};
    if (allow && c >= 0 && r >= 0) {
        // The rows a move out of this grid removes afterwards move down with the drop.
        TGridRect &source = TGridExchange::DropSelection(FGrid);
        if (FGrid.OleDragging() && dd.OleRemoveRows() && source.Top >= r) {
            source.Top += breaks + 1;
            source.Bottom += breaks + 1;
            if (FGrid.MouseActions().DisjunctRowSelect())
                TGridExchange::RowSelectList(FGrid).Insert(r, breaks + 1);
        }
        if (r == 0 && FGrid.RowCount() == 1 && FGrid.FixedRowAlways())
            r = 1;
        if (dd.OleInsertRows()) {
            const int top = FGrid.TopRow();
            if (append) {
                FGrid.SetRowCount(FGrid.RowCount() + breaks + 1);
                ++r;
            } else {
                FGrid.InsertRows(r, breaks + 1);
            }
            const int t = top > FGrid.FixedRows() ? top + 1 : top;
            if (t > 0)
                FGrid.SetTopRow(t);
        } else if (append) {
            FGrid.SetRowCount(FGrid.RowCount() + breaks + 1);
            ++r;
        }
        int rows = 0, fieldCols = 0;
        GridClipboard::PasteText(FGrid, c, r, rows, fieldCols, Text);
        const int left = std::max(c, FGrid.FixedCols());
        block = TGridRect{left, r, rowSelect ? left + cols - FGrid.FixedCols() : left + cols - 1, r + breaks};
        FGrid.SetSelection(block);
    }
    HideMarkers();
    HideWidget(FGrid.HeaderDragButton());
    if (auto &e = TGridToolState::Of(FGrid).OnOleDropped)
        e(&FGrid, block);
}

void TGridDropTarget::DropStream(const QPoint &Pt, const QByteArray &Stream)
{
    int c = -1, r = -1;
    FGrid.ScreenToCell(Pt, c, r);
    if (c >= 0 && r >= 0) {
        QByteArray data = Stream;
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        GridCellStream::LoadAtPointFromBinStream(FGrid, TPoint(c, r), buf);
    }
    HideMarkers();
    if (auto &e = TGridToolState::Of(FGrid).OnOleDropped)
        e(&FGrid, FGrid.Selection());
}

void TGridDropTarget::MoveColumnTo(int FromDispl, int ToDispl)
{
    const bool enh = FGrid.EnhRowColMove();
    FGrid.SetEnhRowColMove(true);
    FGrid.MoveColumn(FromDispl, ToDispl);
    FGrid.SetEnhRowColMove(enh);
}

void TGridDropTarget::DropCol(const QPoint &Pt, int Col)
{
    int c = -1, r = -1;
    FGrid.ScreenToCell(Pt, c, r);
    if (c < 0)
        c = FGrid.ColCount();
    HideMarkers();
    int &listCol = TGridExchange::OleDragCol(FGrid);
    if (listCol != -1) {
        if (auto *list = qobject_cast<QListWidget *>(FGrid.OleDragList()))
            delete list->takeItem(FGrid.OleDragIndex());
        FGrid.UnHideColumn(listCol);
        MoveColumnTo(FGrid.DisplColIndex(listCol), std::min(c, FGrid.ColCount() - 1));
        listCol = -1;
    } else if (FGrid.DragDropSettings().OleColumnReorder() && Col >= 0) {
        // Col is the dragged real column.
        const int from = FGrid.DisplColIndex(Col);
        const int to = std::min(c, FGrid.ColCount() - 1);
        if (to != from && from >= 0 && from < FGrid.ColCount())
            MoveColumnTo(from, to);
    }
    if (auto &e = TGridToolState::Of(FGrid).OnOleDropCol)
        e(&FGrid, r, Col, c);
}

void TGridDropTarget::DropIntoCell(const QPoint &Pt, const QString &Text, const TOleDropEvent &Event)
{
    int c = -1, r = -1;
    FGrid.ScreenToCell(Pt, c, r);
    bool allow = true;
    if (Event)
        Event(&FGrid, r, c, Text, allow);
    if (allow && c >= 0 && r >= 0)
        FGrid.SetCells(FGrid.RealColIndex(c), r, Text);
    HideMarkers();
}

void TGridDropTarget::DropRTF(const QPoint &Pt, const QString &Text)
{
    DropIntoCell(Pt, Text, TGridToolState::Of(FGrid).OnOleDrop);
}

void TGridDropTarget::DropURL(const QPoint &Pt, const QString &Text)
{
    DropIntoCell(Pt, Text, TGridToolState::Of(FGrid).OnOleDropURL);
}

void TGridDropTarget::DropFiles(const QPoint &Pt, const QStringList &Files)
{
    HideMarkers();
    if (Files.size() != 1)
        return;
    const QString name = Files.first();
    TGridToolState &state = TGridToolState::Of(FGrid);
    bool allow = true;
    if (state.OnOleDropFile) {
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        state.OnOleDropFile(&FGrid, r, c, name, allow);
    }
    if (!allow)
        return;
    const QString upper = name.toUpper();
    auto load = [&](const std::function<void()> &Load) {
        bool ok = true;
        if (state.OnOleDrop)
            state.OnOleDrop(&FGrid, -1, -1, name, ok);
        if (ok)
            Load();
    };
    if (upper.contains(QLatin1String(".CSV")))
        load([&] { GridCSV::LoadFromCSV(FGrid, name, -1); });
    if (upper.contains(QLatin1String(".XLS")))
        load([&] { GridOffice::LoadFromXLS(FGrid, name); });
}

void TGridDropSource::CurrentEffect(int Effect)
{
    if (Effect == DROPEFFECT_MOVE || Effect == DROPEFFECT_COPY)
        FLastEffect = Effect;
}

void TGridDropSource::QueryDrag()
{
    const QPoint p = QCursor::pos();
    if (FGrid.DragDropSettings().ShowCells()) {
        if (QWidget *form = FGrid.DragImageForm())
            form->move(p + QPoint(4, 4));
    } else if (QWidget *button = FGrid.HeaderDragButton()) {
        button->move(p.x(), p.y() - button->height());
    }
}

void TGridDropSource::DragFinished()
{
    TASGDropSource::DragFinished();
    if (FGrid.DragDropSettings().ShowCells())
        HideWidget(FGrid.DragImageForm());
}
