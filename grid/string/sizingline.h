#pragma once
// TSizingLine: the dotted lines shown over a grid while a column or row border is dragged.
// It lies over the grid's cells, lets the mouse through and draws each line it holds;
// toggling a line that is shown removes it again, as drawing it twice in XOR mode would.
#include <QWidget>
#include <vector>

class TSizingLine : public QWidget
{
public:
    explicit TSizingLine(QWidget *Parent);

    // A vertical line at X from 0 to Length, or a horizontal one at Y.
    void ToggleVertical(int X, int Length);
    void ToggleHorizontal(int Y, int Length);
    void Clear();
    const std::vector<int> &Verticals() const { return FVerticals; }
    const std::vector<int> &Horizontals() const { return FHorizontals; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void Toggle(std::vector<int> &Lines, int Pos, int Length, bool Vertical);
    std::vector<int> FVerticals;
    std::vector<int> FHorizontals;
    int FVerticalLength = 0;
    int FHorizontalLength = 0;
};
