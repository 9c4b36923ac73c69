#pragma once
// TFooterPanel: the strip under a string grid that paints its floating footer: the grid's
// last row kept in view, a preview of the current row's cell, a template filled from the
// current row, or the application's own painting (FloatingFooter.FooterStyle).
#include "grid/base/classes.h"
#include "platform/canvas.h"

#include <QWidget>

class TDazStringGrid;

class TFooterPanel : public QWidget, public TObject
{
    Q_OBJECT
public:
    explicit TFooterPanel(TDazStringGrid *AGrid);

    TDazStringGrid *Grid() const { return FGrid; }
    // Paints the footer on any canvas of the panel's size; the width of the content.
    int PaintFooter(TCanvas &Canvas);
    // The grid column under a panel x, laid out as the panel lays out the columns; -1 past
    // the last.
    int ColumnAt(int X) const;
    int LastHintColumn() const { return FLastHintColumn; }
    // Fills a template: "<#n>" takes the current row's text of column n; a tag whose
    // content is no number is dropped.
    static QString FillTemplate(const QString &Template, TDazStringGrid &Grid);

protected:
    void paintEvent(QPaintEvent *e) override;
    bool event(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *Watched, QEvent *e) override;

private:
    int PaintLastRow(TCanvas &Canvas, const TRect &Client);
    void Frame3D(TCanvas &Canvas, const TRect &R);

    TDazStringGrid *FGrid;
    int FLastHintColumn = -1;
};
