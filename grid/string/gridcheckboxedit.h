#pragma once
// TGridCheckBox: the check-box editor of edCheckBox cells. The grid shows it over the cell
// with the cell's text as its caption; a press or Space toggles it, and the navigation keys
// and the loss of the focus close it (the cell's text stays as it was).
#include "grid/base/classes.h"

#include <QCheckBox>

class TDazStringGrid;

class TGridCheckBox : public QCheckBox, public TObject
{
    Q_OBJECT
public:
    explicit TGridCheckBox(TDazStringGrid *Grid);
    TDazStringGrid *Grid() const { return FGrid; }

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    TDazStringGrid *FGrid;
};
