#pragma once
// A string grid shown at a known size with DejaVu Sans, its painting recorded or rendered,
// and its protected hooks reachable from the tests.
#include "grid/string/dazstringgrid.h"
#include "tests/grid/base/paintutil.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

class TPaintGrid : public TDazStringGrid
{
public:
    using TDazStringGrid::CalcSizingState;
    using TDazStringGrid::DrawCellContent;
    using TDazStringGrid::TDazStringGrid;
    using TDazStringGrid::ModifyScrollBar;
    QString SaveText(int ACol, int ARow) { return SaveCellText(ACol, ARow); }
    using TDazStringGrid::TextWidthBound;

    // Every drawing call of one full paint.
    std::vector<TCanvasOp> Record()
    {
        QImage img(viewport()->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        TCanvas probe(&p);   // restores the painter's state afterwards
        std::vector<TCanvasOp> ops;
        Recording = &ops;
        PaintTo(p);
        Recording = nullptr;
        return ops;
    }
    QImage Render()
    {
        QImage img(viewport()->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        PaintTo(p);
        return img;
    }

protected:
    void Paint() override
    {
        if (Recording && Canvas())
            Canvas()->SetRecorder(Recording);
        TDazStringGrid::Paint();
        if (Canvas())
            Canvas()->SetRecorder(nullptr);
    }

private:
    std::vector<TCanvasOp> *Recording = nullptr;
};

// A 5 x 6 grid, 80 x 22 cells, row 0 and column 0 fixed, all lines, texts "rRcC".
class PaintFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid = std::make_unique<TPaintGrid>();
        grid->setFrameShape(QFrame::NoFrame);
        grid->SetScrollBars(ssNone);
        grid->resize(400, 132);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(80);
        grid->SetDefaultRowHeight(22);
        grid->SetOptions(grid->Options() + goFixedVertLine + goFixedHorzLine + goVertLine +
                         goHorzLine + goRangeSelect);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                grid->SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        grid->show();
        QApplication::processEvents();
    }
    void TearDown() override { grid.reset(); }

    // The DrawText calls of a text.
    static std::vector<TCanvasOp> TextOps(const std::vector<TCanvasOp> &ops, const QString &t)
    {
        std::vector<TCanvasOp> out;
        for (const TCanvasOp &op : ops)
            if (op.Name == QLatin1String("DrawText") && op.Text == t)
                out.push_back(op);
        return out;
    }
    // The calls named Name whose figure lies inside R.
    static std::vector<TCanvasOp> OpsIn(const std::vector<TCanvasOp> &Ops, const QString &Name,
                                        TRect R)
    {
        std::vector<TCanvasOp> out;
        for (const TCanvasOp &op : Ops) {
            const TRect b(std::min(op.Rect.Left, op.Rect.Right),
                          std::min(op.Rect.Top, op.Rect.Bottom),
                          std::max(op.Rect.Left, op.Rect.Right),
                          std::max(op.Rect.Top, op.Rect.Bottom));
            if (op.Name == Name && b.Left >= R.Left && b.Top >= R.Top && b.Right <= R.Right &&
                b.Bottom <= R.Bottom)
                out.push_back(op);
        }
        return out;
    }
    // The focus rectangles (dotted rectangles) of a paint.
    static int FocusRects(const std::vector<TCanvasOp> &ops)
    {
        int n = 0;
        for (const TCanvasOp &op : ops)
            n += op.Name == QLatin1String("Rectangle") && op.Pen.Style == psDot;
        return n;
    }

    std::unique_ptr<TPaintGrid> grid;
};
