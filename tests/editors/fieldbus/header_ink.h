#pragma once
// Where a header cell of a grid holds text once drawn, and the program's font stand-ins
// installed for one test.
#include "grid/string/dazcolumngrid.h"
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>

// The rows and columns of the header cell's image that hold text (dark pixels).
struct TInk
{
    int Top = -1, Bottom = -1, Left = -1, Right = -1;
    int Height() const { return Top < 0 ? 0 : Bottom - Top + 1; }
    int Width() const { return Left < 0 ? 0 : Right - Left + 1; }
};

inline TInk Header_Ink(TDazStringGrid &grid, int display_col)
{
    const QImage image = grid.viewport()->grab().toImage();
    const TRect r = grid.CellRect(display_col, 0);
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 96; };
    TInk ink;
    // Lines drawn across the whole cell (its frame) are not text.
    for (int y = r.Top; y < r.Bottom; ++y) {
        int n = 0;
        for (int x = r.Left; x < r.Right; ++x)
            n += dark(x, y);
        if (n == 0 || n * 10 > (r.Right - r.Left) * 8)
            continue;
        ink.Top = ink.Top < 0 ? y : ink.Top;
        ink.Bottom = y;
    }
    for (int x = r.Left; x < r.Right; ++x) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            n += dark(x, y);
        if (n == 0 || n * 10 > (r.Bottom - r.Top) * 8)
            continue;
        ink.Left = ink.Left < 0 ? x : ink.Left;
        ink.Right = x;
    }
    return ink;
}

// The program's stand-ins for the design fonts, for one test.
class TFont_Stand_Ins
{
public:
    TFont_Stand_Ins() { Install_Font_Substitutes(); }
    ~TFont_Stand_Ins()
    {
        for (const char *name : {"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "Arial", "Segoe UI", "Verdana",
                                 "Courier New", "Courier", "Times New Roman"})
            QFont::removeSubstitutions(QLatin1String(name));
    }
};


// Every shown header of the grid (column 1 on) is drawn on one line and whole, in the font
// its column draws it with.
inline void Expect_Headers_On_One_Line(TDazColumnGrid &grid, const std::string &where)
{
    grid.resize(2400, 120);
    for (int col = 1; col < grid.ColCount(); ++col) {
        const int real = grid.RealColIndex(col);
        const QString header = grid.GetCellEx(real, 0);
        if (header.isEmpty() || grid.ColWidths(col) < 8 || real >= grid.Columns().Count())
            continue;
        const QFontMetrics metrics(grid.Columns().Items(real)->HeaderFont().Value().ToQFont());
        const std::string what = where + " \"" + header.toStdString() + "\" in " +
                                 std::to_string(grid.ColWidths(col)) + " pixels";
        EXPECT_LE(metrics.height(), grid.RowHeights(0)) << what;
        const TInk ink = Header_Ink(grid, col);
        // As high as one line and as wide as the whole text.
        EXPECT_LE(ink.Height(), metrics.height()) << what;
        EXPECT_GE(ink.Width(), metrics.horizontalAdvance(header) - 3) << what;
    }
}
