#include "grid/string/sizingline.h"

#include <QPainter>
#include <algorithm>

TSizingLine::TSizingLine(QWidget *Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void TSizingLine::Toggle(std::vector<int> &Lines, int Pos, int Length, bool Vertical)
{
    const auto it = std::find(Lines.begin(), Lines.end(), Pos);
    if (it != Lines.end())
        Lines.erase(it);
    else
        Lines.push_back(Pos);
    (Vertical ? FVerticalLength : FHorizontalLength) = Length;
    if (QWidget *p = parentWidget())
        setGeometry(0, 0, p->width(), p->height());
    setVisible(!FVerticals.empty() || !FHorizontals.empty());
    raise();
    update();
}

void TSizingLine::ToggleVertical(int X, int Length)
{
    Toggle(FVerticals, X, Length, true);
}

void TSizingLine::ToggleHorizontal(int Y, int Length)
{
    Toggle(FHorizontals, Y, Length, false);
}

void TSizingLine::Clear()
{
    FVerticals.clear();
    FHorizontals.clear();
    hide();
}

void TSizingLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (int x : FVerticals)
        p.drawLine(x, 0, x, FVerticalLength);
    for (int y : FHorizontals)
        p.drawLine(0, y, FHorizontalLength, y);
}
