#pragma once
// The grid's side of drag and drop: the drop target puts dropped text, cell blocks,
// columns, rich text, links and files into the grid, shows the insertion markers and
// scrolls while a drag hovers near the edges; the drop source moves the dragged-cells
// window and keeps the last effect. Points are in screen coordinates.
#include "grid/base/griddragdrop.h"
#include "grid/tools/gridtoolstate.h"

#include <QPointer>

class TDazStringGrid;
class QWidget;

class TGridDropTarget : public TASGDropTarget
{
public:
    explicit TGridDropTarget(TDazStringGrid &Grid);
    ~TGridDropTarget() override;

    void DropText(const QPoint &Pt, const QString &Text) override;
    void DropStream(const QPoint &Pt, const QByteArray &Stream) override;
    void DropCol(const QPoint &Pt, int Col) override;
    void DropRTF(const QPoint &Pt, const QString &Text) override;
    void DropFiles(const QPoint &Pt, const QStringList &Files) override;
    void DropURL(const QPoint &Pt, const QString &Text) override;
    void DragMouseMove(const QPoint &Pt, bool &Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

    // The insertion markers: the row arrow at the left, the column arrows above and below.
    QWidget *ArwL() const { return FArwL; }
    QWidget *ArwD() const { return FArwD; }
    QWidget *ArwU() const { return FArwU; }

private:
    // The cell under Pt; with entire rows and appending, a point below the last row is
    // the last row's first normal column and Append is set.
    void CellAt(const QPoint &Pt, bool ColumnData, int &ACol, int &ARow, bool &Append) const;
    void ShowMarker(QWidget *Marker, const QPoint &ScreenPos);
    void HideMarkers();
    void MoveColumnTo(int FromDispl, int ToDispl);
    // The text into the cell under Pt unless Event refuses; nothing off the cells.
    void DropIntoCell(const QPoint &Pt, const QString &Text, const TOleDropEvent &Event);

    TDazStringGrid &FGrid;
    QWidget *FArwL = nullptr, *FArwD = nullptr, *FArwU = nullptr;
};

class TGridDropSource : public TASGDropSource
{
public:
    explicit TGridDropSource(TDazStringGrid &Grid) : FGrid(Grid) {}
    void DragFinished() override;
    void CurrentEffect(int Effect) override;
    void QueryDrag() override;
    int LastEffect() const { return FLastEffect; }

private:
    TDazStringGrid &FGrid;
    int FLastEffect = 0;
};
