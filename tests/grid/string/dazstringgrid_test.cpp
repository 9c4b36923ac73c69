// The string grid object: defaults, loading, copying, dimensions, cell access, typed values
// and the ownership of cell objects.
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "platform/locale.h"
#include "platform/rtl.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TTestStringGrid : public TDazStringGrid
{
public:
    using TDazStringGrid::GetEditText;
    using TDazStringGrid::TDazStringGrid;
};

// A bitmap that records its destruction.
class TWatchedBitmap : public TBitmap
{
public:
    explicit TWatchedBitmap(int *Destroyed) : FDestroyed(Destroyed) {}
    ~TWatchedBitmap() override { ++*FDestroyed; }

private:
    int *FDestroyed;
};

// Gives cell (ACol, ARow) a check box whose glyph the cell owns.
void AddOwnedCheckBox(TDazStringGrid &grid, int ACol, int ARow, int *destroyed)
{
    auto *g = new TCellGraphic;
    g->SetCheckBox(true, false, false, haLeft, vaTop);
    g->CellBitmap = new TWatchedBitmap(destroyed);
    g->CellAngle = 1;
    grid.SetGraphicObjectEx(ACol, ARow, g);
}

// Fixes the user's number and date conventions for one test.
struct FormatGuard
{
    FormatGuard(QChar decimal, QChar thousand, const QString &dateFormat = "dd/MM/yyyy")
    {
        SetGridFormatOverride({u'/', u':', thousand, decimal, dateFormat});
        SetDecimalSeparatorOverride(decimal);
    }
    ~FormatGuard()
    {
        SetGridFormatOverride({});
        SetDecimalSeparatorOverride(QChar());
    }
};

} // namespace

// ---------------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------------

TEST(StringGridCreate, DefaultsAsTabled)
{
    TDazStringGrid g;
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.width(), 400);
    EXPECT_EQ(g.height(), 250);
    EXPECT_EQ(g.DefaultRowHeight(), 22);
    EXPECT_EQ(g.FixedRowHeight(), 22);
    EXPECT_EQ(g.ScrollBars(), ssBoth);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.ScrollColor(), clNone);
    EXPECT_GT(g.ScrollWidth(), 0);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.BorderColor(), 0xB99D7F);
    EXPECT_EQ(g.ActiveCellColor(), 0x808080);
    EXPECT_EQ(g.ActiveCellColorTo(), clNone);
    EXPECT_EQ(g.HintColor(), clInfoBk);
    EXPECT_EQ(g.HighlightColor(), clHighlight);
    EXPECT_EQ(g.HighlightTextColor(), clHighlightText);
    EXPECT_EQ(g.SelectionColor(), 0xEACAB6);
    EXPECT_EQ(g.SelectionColorTo(), clNone);
    EXPECT_EQ(g.SelectionMirrorColor(), clNone);
    EXPECT_EQ(g.SelectionMirrorColorTo(), clNone);
    EXPECT_EQ(g.SelectionTextColor(), clBlack);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 50);
    EXPECT_EQ(g.DisabledFontColor(), 0xC0C0C0);
    EXPECT_TRUE(g.UseDisabledFont());
    EXPECT_EQ(g.URLColor(), clBlue);
    EXPECT_EQ(g.QVRGradientFrom(), clWhite);
    EXPECT_EQ(g.QVRGradientTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(g.QVRGradientMirrorFrom(), clNone);
    EXPECT_EQ(g.DefaultEditor(), edNormal);
    EXPECT_EQ(g.DefaultAlignment(), taLeftJustify);
    EXPECT_EQ(g.VAlignment(), vtaTop);
    EXPECT_EQ(g.XYOffset().X, 2);
    EXPECT_EQ(g.XYOffset().Y, 2);
    EXPECT_EQ(g.FloatFormat(), "%.2f");
    EXPECT_EQ(g.CheckTrue(), "Y");
    EXPECT_EQ(g.CheckFalse(), "N");
    EXPECT_EQ(g.PasswordChar(), u'*');
    EXPECT_EQ(g.XMLEncoding(), "ISO-8859-1");
    EXPECT_EQ(g.FilterDropDownClear(), "(All)");
    EXPECT_EQ(g.FilterDropDownColumns(), fdNormal);
    EXPECT_TRUE(g.FilterNormalCellsOnly() && g.AutoFilterUpdate());
    EXPECT_FALSE(g.FilterIncremental());
    EXPECT_EQ(g.InvalidEntryIcon(), ieWarning);
    EXPECT_EQ(g.HintShowLargeTextPos(), hpCell);
    EXPECT_TRUE(g.UseInternalHintClass());
    EXPECT_EQ(g.HoverFixedCells(), hfNone);
    for (bool on : {g.EnableHTML(), g.EnableWheel(), g.IntelliZoom(), g.ShowSelection(),
                    g.ShowNullDates(), g.ShowDesignHelper(), g.EnhRowColMove(),
                    g.FitCellsInGrid(), g.LoadFirstRow(), g.QuoteEmptyCells(),
                    g.SaveFixedCells(), g.SaveVirtCells(), g.SaveWithHTML(), g.WordWrap()})
        EXPECT_TRUE(on);
    for (bool off : {g.AutoSize(), g.SizeGrowOnly(), g.AlwaysQuotes(), g.HideFocusRect(),
                     g.FixedAsButtons(), g.NoDefaultDraw(), g.JavaCSV(), g.SaveFixedRows(),
                     g.SaveFixedCols(), g.SaveHiddenCells(), g.ClearTextOnly(),
                     g.ExcelClipboardFormat()})
        EXPECT_FALSE(off);
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.MinRowHeight(), 0);
    EXPECT_EQ(g.MaxColWidth(), 0);
    EXPECT_TRUE(g.Delimiter().isNull());
    EXPECT_EQ(g.PrintPageFrom(), 1);
    EXPECT_EQ(g.PrintPageTo(), 1);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.FixedFont().Name(), "Tahoma");
    EXPECT_EQ(g.FixedFont().Style(), fsBold);
    EXPECT_EQ(g.ActiveCellFont().Style(), fsBold);
    EXPECT_NE(g.ActiveCellFont().Name(), "Tahoma");
    EXPECT_TRUE(g.FilterList().Sorted());
    EXPECT_EQ(g.FilterList().Duplicates(), dupIgnore);
    // Settings objects that the grid wires or initialises itself.
    EXPECT_EQ(g.ControlLook().ControlStyle(), csTheme);
    EXPECT_EQ(g.ControlLook().FixedGradientHoverFrom(), clGray);
    EXPECT_EQ(g.ControlLook().DropDownHeader().Font().Name(), "Tahoma");
    EXPECT_EQ(g.QVRFixedLook().HoverMirrorFrom, clNone);
    EXPECT_EQ(g.SortSettings().Column(), -1);
    EXPECT_EQ(g.ColumnSize().StretchColumn(), -1);
    EXPECT_EQ(g.Grouping().HeaderLineWidth(), 2);
    EXPECT_EQ(g.PrintSettings().DateFormat(), "dd/mm/yyyy");
    EXPECT_TRUE(g.MouseActions().AutoSizeColOnDblClick());
    EXPECT_EQ(g.Navigation().HomeEndKey(), heFirstLastColumn);
    EXPECT_FALSE(g.FloatingFooter().Visible());
    EXPECT_EQ(g.FloatingFooter().Height(), 22);
    EXPECT_EQ(g.FixedFooters(), 0);
}

TEST(StringGridCreate, NoEditorOrHelperWindowUntilNeeded)
{
    TDazStringGrid g;
    EXPECT_EQ(g.InplaceEditor(), nullptr);
    EXPECT_TRUE(g.findChildren<QLineEdit *>().isEmpty());
}

TEST(StringGridCreate, SettingsObjectsRepaintTheGrid)
{
    TDazStringGrid g;
    g.show();
    g.CellNode().SetNodeIndent(20);
    g.FixedFont().SetSize(12);
    g.Bands().SetActive(true);
    // An editor change swallows exactly one repaint request.
    g.SetEditChange();
    g.Invalidate();
    g.Invalidate();
    SUCCEED();
}

// ---------------------------------------------------------------------------------------
// Loading and copying
// ---------------------------------------------------------------------------------------

TEST(StringGridLoad, HeadersAndRecordedValues)
{
    TDazStringGrid g;
    g.BeginLoading();
    g.SetColCount(4);
    g.SetFixedRowHeight(30);   // stored only
    g.SetFixedColWidth(80);    // no effect while loading
    g.SetDefaultRowHeight(21);
    g.SetFixedRows(1);
    g.ColumnHeaders().Add("No.");
    g.ColumnHeaders().Add("First\\nSecond");
    g.SetOptions(g.Options() + goAlwaysShowEditor + goEditing);
    g.Loaded();

    EXPECT_FALSE(g.Loading());
    EXPECT_EQ(g.Cells(0, 0), "No.");
    EXPECT_EQ(g.Cells(1, 0), "First\rSecond");
    EXPECT_EQ(g.FixedRowHeight(), 30);
    EXPECT_EQ(g.RowHeights(0), 21);
    EXPECT_EQ(g.ColWidths(0), g.DefaultColWidth());
    EXPECT_EQ(g.MinRowHeight(), 21);
    EXPECT_EQ(g.MinColWidth(), 10);
    EXPECT_EQ(g.MaxRowCount(), 10);
    EXPECT_FALSE(g.Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g.Navigation().AlwaysEdit());
}

TEST(StringGridLoad, ColumnHeadersNeedAFixedRow)
{
    TDazStringGrid g;
    g.SetFixedRows(0);
    TStringList headers;
    headers.Add("A");
    g.SetColumnHeaders(headers);
    EXPECT_EQ(g.Cells(0, 0), "");
    g.SetFixedRows(1);
    g.ColumnHeaders().Add("B");   // a change of the list rewrites the header row
    EXPECT_EQ(g.Cells(0, 0), "A");
    EXPECT_EQ(g.Cells(1, 0), "B");

    g.SetFixedCols(1);
    TStringList rows;
    rows.Add("");
    rows.Add("1");
    rows.Add("2");
    g.SetRowHeaders(rows);
    EXPECT_EQ(g.Cells(0, 2), "2");
    g.ClearRowHeaders();
    EXPECT_EQ(g.Cells(0, 2), "");
}

TEST(StringGridAssign, CopiesDimensionsSettingsAndCells)
{
    TDazStringGrid src;
    src.SetColCount(6);
    src.SetRowCount(4);
    src.SetColWidths(2, 99);
    src.SetCells(3, 2, "x");
    src.SetCells(5, 3, "y");
    src.SetActiveCellColor(clRed);
    src.Grouping().SetHeaderColor(clYellow);
    src.SortSettings().SetColumn(2);
    src.SetFixedRowAlways(true);

    TDazStringGrid dst;
    dst.Assign(&src);
    EXPECT_EQ(dst.ColCount(), 6);
    EXPECT_EQ(dst.RowCount(), 4);
    EXPECT_EQ(dst.ColWidths(2), 99);
    EXPECT_EQ(dst.Cells(3, 2), "x");
    EXPECT_EQ(dst.Cells(5, 3), "y");
    EXPECT_EQ(dst.ActiveCellColor(), clRed);
    EXPECT_EQ(dst.Grouping().HeaderColor(), clYellow);
    EXPECT_EQ(dst.SortSettings().Column(), 2);
    EXPECT_TRUE(dst.FixedRowAlways());

    dst.Assign(&src.SharedCellGraphic());   // another class: ignored
    EXPECT_EQ(dst.ColCount(), 6);
}

// ---------------------------------------------------------------------------------------
// Dimensions
// ---------------------------------------------------------------------------------------

TEST(StringGridDimensions, FixedRowAlwaysKeepsTheHeader)
{
    TDazStringGrid g;
    g.SetFixedRowAlways(true);
    g.SetFixedRows(1);
    g.SetRowCount(1);
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 0);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetRowCount(5);
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 1);

    g.SetRowCount(2);
    g.SetFixedRows(3);
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 1);
    g.SetRowCount(3);
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 1);
    g.SetRowCount(4);
    EXPECT_EQ(g.TBaseGrid::FixedRows(), 3);

    // Without it the framework refuses as before.
    TDazStringGrid plain;
    plain.SetRowCount(2);
    EXPECT_THROW(plain.SetFixedRows(3), EGridError);
}

TEST(StringGridDimensions, FixedSizesAgainstTheDefaults)
{
    TDazStringGrid g;
    g.SetFixedCols(1);
    g.SetFixedColWidth(g.DefaultColWidth());
    EXPECT_EQ(g.ColWidths(0), g.DefaultColWidth());
    g.SetFixedColWidth(40);
    EXPECT_EQ(g.ColWidths(0), 40);
    EXPECT_EQ(g.FixedColWidth(), 40);

    g.SetRowHeights(3, 50);
    g.SetFixedRowHeight(30);
    EXPECT_EQ(g.RowHeights(0), 30);
    EXPECT_EQ(g.RowHeights(3), 50);
    g.SetFixedRowHeight(g.DefaultRowHeight());
    EXPECT_EQ(g.RowHeights(0), 22);
    EXPECT_EQ(g.RowHeights(3), 22);
}

TEST(StringGridDimensions, ZoomStaysWithinTenSteps)
{
    TDazStringGrid g;
    g.SetColCount(3);
    g.SetColWidths(1, 0);
    const int w = g.ColWidths(0), h = g.RowHeights(4);
    g.Zoom(5);
    g.Zoom(5);
    EXPECT_EQ(g.ZoomFactor(), 10);
    g.Zoom(1);
    EXPECT_EQ(g.ZoomFactor(), 10);
    EXPECT_EQ(g.ColWidths(0), w + 10);
    EXPECT_EQ(g.RowHeights(4), h + 10);
    EXPECT_EQ(g.ColWidths(1), 0);
    g.Zoom(-20);
    EXPECT_EQ(g.ZoomFactor(), -10);
}

TEST(StringGridDimensions, AppearanceSetters)
{
    TDazStringGrid g;
    g.SetSelectionColorMixerFactor(150);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 100);
    g.SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 0);

    g.SetVAlignment(vtaCenter);
    EXPECT_EQ(g.VAlignFlags(), DT_VCENTER);
    g.SetVAlignment(vtaBottom);
    EXPECT_EQ(g.VAlignFlags(), DT_BOTTOM);

    g.SetSpreadSheet(false);
    EXPECT_TRUE(g.SelectionRectangle());
    EXPECT_TRUE(g.SelectionResizer());
    EXPECT_TRUE(g.Navigation().AllowSmartClipboard());
    EXPECT_TRUE(g.Options().Contains(goRangeSelect) && g.Options().Contains(goEditing));
    EXPECT_TRUE(g.MouseActions().RangeSelectAndEdit());

    g.SetQVRGradientFrom(clBtnFace);
    EXPECT_EQ(g.QVRGradientFrom(), ColorToRGB(clBtnFace));
    g.ControlLook().SetFixedGradientFrom(clNone);
    EXPECT_EQ(g.QVRGradientFrom(), ColorToRGB(clBtnFace));
    g.ControlLook().SetFixedGradientFrom(clRed);
    EXPECT_EQ(g.QVRGradientFrom(), clRed);
    g.SetQVRGradientMirrorFrom(clRed);
    g.ControlLook().SetFixedGradientMirrorFrom(clNone);
    EXPECT_EQ(g.QVRGradientMirrorFrom(), clNone);

    int sized = -1;
    g.OnAutoSizeColumns = [&](TDazStringGrid *, int padding) { sized = padding; };
    g.SetAutoSize(true);
    EXPECT_EQ(sized, 10);
    g.SetMaxEditLength(5);
    EXPECT_EQ(g.MaxEditLength(), 5);
}

TEST(StringGridDimensions, IntegralHeightFitsWholeRows)
{
    TDazStringGrid g;
    g.SetIntegralHeight(true);
    g.SetBounds(0, 0, 400, 200);
    EXPECT_EQ(g.height(), 202);
    g.SetBounds(0, 0, 400, 202);
    EXPECT_EQ(g.height(), 202);
    g.SetDefaultRowHeight(0);
    g.SetBounds(0, 0, 400, 157);
    EXPECT_EQ(g.height(), 157);
}

TEST(StringGridDimensions, ScrollBarAlways)
{
    TDazStringGrid g;
    g.SetRowCount(3);
    g.SetColCount(2);
    g.show();
    g.SetScrollBarAlways(saVert);
    EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(g.verticalScrollBar()->isEnabled());
    EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    g.SetScrollBarAlways(saNone);
    g.UpdateScrollBarsAlways(true);
    EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    g.SetRowCount(200);
    g.UpdateScrollBarsAlways(true);
    EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_TRUE(g.verticalScrollBar()->isEnabled());
}

TEST(StringGridDimensions, FooterRowFollowsTheLastRow)
{
    TDazStringGrid g;
    g.FloatingFooter().SetVisible(true);
    EXPECT_EQ(g.FixedFooters(), 1);
    EXPECT_TRUE(g.HideLastRow());
    g.SetCells(1, 9, "total");
    g.SetColors(2, 9, clRed);
    g.SetCells(1, 8, "data");
    g.SetRowCount(12);
    EXPECT_EQ(g.Cells(1, 11), "total");
    EXPECT_EQ(g.Colors(2, 11), clRed);
    EXPECT_EQ(g.Cells(1, 9), "");
    EXPECT_FALSE(g.HasCellProperties(2, 9));
    EXPECT_EQ(g.Cells(1, 8), "data");

    g.FloatingFooter().SetFooterStyle(fsColumnPreview);
    g.FloatingFooter().SetVisible(true);
    EXPECT_EQ(g.FixedFooters(), 0);
}

TEST(StringGridDimensions, FooterCalculation)
{
    TDazStringGrid g;
    g.SetRowCount(6);
    g.FloatingFooter().SetVisible(true);
    g.FloatingFooter().SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(g.Cells(1, 5), "4");
    g.SetCells(2, 5, "old");
    g.FloatingFooter().SetColumnCalc(2, acCUSTOM);
    EXPECT_EQ(g.Cells(2, 5), "");
    g.OnFooterCalc = [](TObject *, int ACol, int, QString &Value) {
        Value = QStringLiteral("c%1").arg(ACol);
    };
    g.CalcFooter(-1);
    EXPECT_EQ(g.Cells(2, 5), "c2");
    EXPECT_EQ(g.FloatingFooter().ColumnCalc(2), acCUSTOM);
}

TEST(StringGridDimensions, LineMetricsAndRotatedText)
{
    TDazStringGrid g;
    g.SetCells(1, 1, "abc\r\nlonger line");
    g.SetCells(1, 2, "<b>bold</b>");
    EXPECT_EQ(g.MaxColLineLength(1), 11);   // mark-up kept (SaveWithHTML)
    EXPECT_EQ(g.MaxRowLines(1), 1);
    g.SetMultilinecells(true);
    EXPECT_EQ(g.MaxColLineLength(1), 11);
    EXPECT_EQ(g.MaxRowLines(1), 2);
    g.SetMultilinecells(false);
    EXPECT_EQ(g.MaxColLineLength(1), 11);
    g.SetSaveWithHTML(false);
    g.SetCells(1, 1, "");
    EXPECT_EQ(g.MaxColLineLength(1), 4);

    const struct { int angle; TAlignment h; TVAlignment v; int left, top; } cases[] = {
        {45, taLeftJustify, vtaTop, 0, 10},
        {45, taCenter, vtaCenter, 37, 52},
        {135, taRightJustify, vtaBottom, 95, 100},
        {200, taLeftJustify, vtaTop, 25, 5},
        {300, taCenter, vtaBottom, 42, 85},
    };
    for (const auto &c : cases) {
        TRect r(0, 0, 100, 100);
        TDazStringGrid::AlignRotatedTextRect(r, c.h, c.v, c.angle, 20, 5, 10, 5);
        EXPECT_EQ(r.Left, c.left) << c.angle;
        EXPECT_EQ(r.Top, c.top) << c.angle;
    }
}

// ---------------------------------------------------------------------------------------
// Cell access
// ---------------------------------------------------------------------------------------

TEST(StringGridCells, LooksAreReadWithoutMakingRecords)
{
    TDazStringGrid g;
    EXPECT_EQ(g.Colors(2, 2), clNone);
    EXPECT_EQ(g.FontNames(2, 2), "");
    EXPECT_EQ(g.FontSizes(2, 2), 0);
    EXPECT_FALSE(g.ReadOnly(2, 2));
    EXPECT_EQ(&g.Fonts(2, 2), &g.Font());
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    g.WordWraps(2, 2);
    EXPECT_TRUE(g.HasCellProperties(2, 2));

    g.SetColors(3, 3, clRed);
    g.SetFontColors(3, 3, clBlue);
    g.SetReadOnly(3, 3, true);
    EXPECT_EQ(g.Colors(3, 3), clRed);
    EXPECT_EQ(g.FontColors(3, 3), clBlue);
    EXPECT_TRUE(g.ReadOnly(3, 3));

    // Writes outside the grid are ignored.
    g.SetColors(-1, 3, clRed);
    g.SetColors(3, 99, clRed);
    EXPECT_FALSE(g.HasCellProperties(3, 99));
}

TEST(StringGridCells, OneScratchFontServesEveryCell)
{
    TDazStringGrid g;
    TFontObject f1, f2;
    f1.SetName("Verdana");
    f1.SetSize(8);
    f2.SetName("Courier");
    f2.SetSize(14);
    g.SetFonts(1, 1, f1);
    g.SetFonts(2, 1, f2);
    TFontObject &a = g.Fonts(1, 1);
    TFontObject &b = g.Fonts(2, 1);
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(a.Name(), "Courier");
    EXPECT_EQ(a.Size(), 14);
}

TEST(StringGridCells, RowColoursNoneKeepCellsWithGraphics)
{
    TDazStringGrid g;
    g.SetFixedCols(1);
    int destroyed = 0;
    AddOwnedCheckBox(g, 2, 3, &destroyed);
    g.SetRowColor(3, clYellow);
    EXPECT_EQ(g.Colors(1, 3), clYellow);
    EXPECT_EQ(g.Colors(2, 3), clYellow);
    EXPECT_FALSE(g.HasCellProperties(0, 3));   // fixed column untouched

    g.SetRowColor(3, clNone);
    EXPECT_FALSE(g.HasCellProperties(1, 3));
    ASSERT_TRUE(g.HasCellProperties(2, 3));
    EXPECT_EQ(g.Colors(2, 3), clNone);
    EXPECT_NE(g.GetGraphicObjectEx(2, 3), nullptr);
    EXPECT_EQ(destroyed, 0);

    g.SetRowColorTo(4, clRed);
    EXPECT_EQ(g.ColorsTo(1, 4), clRed);
    g.SetRowColorTo(4, clNone);
    EXPECT_FALSE(g.HasCellProperties(1, 4));

    g.SetRowFontColor(5, clRed);
    g.SetColors(2, 5, clBlue);
    g.SetRowFontColor(5, clNone);
    EXPECT_EQ(g.FontColors(1, 5), clNone);
    EXPECT_TRUE(g.HasCellProperties(2, 5));   // still has a brush colour
    EXPECT_EQ(g.FontColors(2, 5), clNone);

    // A merged cell keeps its record (and so its merge).
    g.MergeCells(1, 6, 2, 1);
    g.SetRowColor(6, clRed);
    g.SetRowColor(6, clNone);
    EXPECT_TRUE(g.IsMergedCell(1, 6));
}

TEST(StringGridCells, CurrentCellAndEditTextFollowMerges)
{
    TTestStringGrid g;
    g.SetCells(1, 1, "base");
    g.SetCells(2, 1, "covered");
    g.MergeCells(1, 1, 2, 2);
    g.FocusCell(2, 2, true);
    EXPECT_EQ(g.CurrentCell(), "base");
    EXPECT_EQ(g.GetCurrentCellText(), "base");
    g.SetCurrentCell("new");
    EXPECT_EQ(g.Cells(1, 1), "new");
    EXPECT_EQ(g.GetGridCell(2, 1), "covered");

    g.SetCells(3, 4, "<b>x</b>");
    EXPECT_EQ(g.GetEditText(3, 4), "x");
    g.SetEditWithTags(true);
    EXPECT_EQ(g.GetEditText(3, 4), "<b>x</b>");

    g.FocusCell(2, 2, true);
    g.SetCurrentCellEditText("typed");
    EXPECT_EQ(g.Cells(1, 1), "typed");
}

TEST(StringGridCells, RealRowAccessorsSortOrderAndDerivedTexts)
{
    TDazStringGrid g;
    g.SetCells(1, 2, "two");
    EXPECT_EQ(g.AllCells(1, 2), "two");
    EXPECT_EQ(g.AllCells(-1, 2), "");
    EXPECT_EQ(g.AllCells(1, -2), "");
    g.SetAllCells(2, 3, "x");
    EXPECT_EQ(g.Cells(2, 3), "x");
    g.SetAllObjects(2, 3, 77);
    EXPECT_EQ(g.AllObjects(2, 3), 77u);
    EXPECT_EQ(g.HiddenRowCells(3), nullptr);

    // After a sort row i holds the data of row xref[i].
    for (int v : {0, 1, 3, 2})
        g.SortRowXRef().Add(v);
    g.SetCells(1, 3, "was row 2");
    EXPECT_EQ(g.UnSortedRowIndex(2), 3);
    EXPECT_EQ(g.UnSortedCells(1, 2), "was row 2");
    EXPECT_EQ(g.SortedRowIndex(2), 3);
    EXPECT_EQ(g.UnSortedRowIndex(9), 4);

    g.SetCells(1, 5, "<i>a</i>\rb\rc");
    EXPECT_EQ(g.StrippedCells(1, 5), "a\rb\rc");
    EXPECT_EQ(g.LinesInCell(1, 5), 3);

    // Column order: position of a column before any move.
    EXPECT_EQ(g.ColumnPosition(3), 3);
    for (int v : {0, 2, 1, 3, 4})
        g.ColumnOrder().Add(v);
    EXPECT_EQ(g.ColumnPosition(1), 2);
    g.SetCells(2, 1, "second");
    EXPECT_EQ(g.OriginalCells(1, 1), "second");
}

TEST(StringGridCells, ControlsInCells)
{
    TDazStringGrid g;
    g.resize(400, 250);
    auto *label = new QLabel;
    g.SetCellControls(2, 2, label);
    EXPECT_EQ(g.CellControls(2, 2), label);
    EXPECT_EQ(g.CellControlCount(), 1);
    EXPECT_EQ(label->parentWidget(), g.viewport());
    g.SetCellControls(2, 2, label);   // again: still one
    EXPECT_EQ(g.CellControlCount(), 1);
    EXPECT_EQ(g.ControlList().Count(), 1);
    g.SetCellControls(2, 2, nullptr);
    EXPECT_EQ(g.CellControls(2, 2), nullptr);
    EXPECT_EQ(g.CellControlCount(), 0);
    EXPECT_EQ(g.ControlList().Count(), 0);
    g.SetCellControls(3, 3, nullptr);   // nothing there: no record made
    EXPECT_FALSE(g.HasCellProperties(3, 3));
    EXPECT_EQ(g.CellControlCount(), 0);
}

// ---------------------------------------------------------------------------------------
// Typed values
// ---------------------------------------------------------------------------------------

TEST(StringGridValues, IntegersAndTheirErrors)
{
    TDazStringGrid g;
    g.SetCells(1, 1, "<b>12</b>");
    EXPECT_EQ(g.Ints(1, 1), 12);
    try {
        g.AllInts(1, 1);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "Cell does not contain integer value");
    }
    for (const char *zero : {"", "-", "  "}) {
        g.SetCells(1, 2, zero);
        EXPECT_EQ(g.Ints(1, 2), 0);
    }
    g.SetInts(2, 2, -45);
    EXPECT_EQ(g.Cells(2, 2), "-45");
    g.SetAllInts(2, 3, 7);
    EXPECT_EQ(g.AllInts(2, 3), 7);
}

TEST(StringGridValues, FloatsReadDisplayedNumbersAndWriteTheFormat)
{
    TDazStringGrid g;
    {
        FormatGuard fmt(u',', u'.');
        g.SetCells(1, 1, "(1.234,5)");
        EXPECT_DOUBLE_EQ(g.Floats(1, 1), -1234.5);
        g.SetFloats(1, 2, 2.5);
        EXPECT_EQ(g.Cells(1, 2), "2,50");
    }
    FormatGuard fmt(u'.', u',');
    g.SetCells(1, 3, "-");
    EXPECT_EQ(g.Floats(1, 3), 0.0);
    g.SetCells(1, 3, "");
    EXPECT_EQ(g.Floats(1, 3), 0.0);
    g.SetCells(1, 3, "abc");   // no number characters at all: nothing left, 0
    EXPECT_EQ(g.Floats(1, 3), 0.0);
    g.SetCells(1, 3, "1.2.3");
    try {
        g.Floats(1, 3);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "Cell does not contain a float value");
    }
    g.SetFloats(1, 4, 3.14159);
    EXPECT_EQ(g.Cells(1, 4), "3.14");
    g.SetFloatFormat("%.3f");
    g.SetAllFloats(1, 5, 1.0);
    EXPECT_EQ(g.Cells(1, 5), "1.000");
    EXPECT_DOUBLE_EQ(g.AllFloats(1, 5), 1.0);
}

TEST(StringGridValues, DatesAndTimes)
{
    FormatGuard fmt(u'.', u',', "dd/MM/yyyy");
    TDazStringGrid g;
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), "30/12/1899");
    g.SetShowNullDates(false);
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), "");
    g.SetDates(1, 2, EncodeDate(2024, 2, 29));
    EXPECT_EQ(g.Cells(1, 2), "29/02/2024");
    EXPECT_EQ(g.Dates(1, 2), EncodeDate(2024, 2, 29));
    g.SetCells(1, 3, "not a date");
    EXPECT_THROW(g.Dates(1, 3), EConvertError);
    g.SetCells(1, 3, "31/02/2024");
    EXPECT_THROW(g.Dates(1, 3), EConvertError);

    g.SetTimes(2, 1, (13 * 3600 + 5 * 60 + 9) / 86400.0);
    EXPECT_EQ(g.Cells(2, 1), "13:05:09");
    EXPECT_NEAR(g.Times(2, 1), (13 * 3600 + 5 * 60 + 9) / 86400.0, 1e-9);
    g.SetCells(2, 2, "25:00");
    EXPECT_THROW(g.Times(2, 2), EConvertError);
}

TEST(StringGridValues, ControlTagValues)
{
    TDazStringGrid g;
    g.SetCells(1, 1, "Name: <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"old\" WIDTH=\"40\">");
    EXPECT_EQ(g.ControlValues(1, 1, "n"), "old");
    EXPECT_EQ(g.ControlValues(1, 1, "none"), "");
    g.SetControlValues(1, 1, "n", "new");
    EXPECT_EQ(g.ControlValues(1, 1, "n"), "new");
    const QString before = g.Cells(1, 1);
    g.SetControlValues(1, 1, "none", "x");
    EXPECT_EQ(g.Cells(1, 1), before);
}

// ---------------------------------------------------------------------------------------
// Ownership
// ---------------------------------------------------------------------------------------

TEST(StringGridOwnership, DestroyingFreesEveryCellObject)
{
    int destroyed = 0;
    {
        TDazStringGrid g;
        g.SetRowCount(20);
        AddOwnedCheckBox(g, 1, 2, &destroyed);
        AddOwnedCheckBox(g, 3, 15, &destroyed);
        g.SetColors(4, 18, clRed);
        g.SetRowCount(3);   // the records of the rows cut off stay the grid's
        g.SetColCount(2);
    }
    EXPECT_EQ(destroyed, 2);
}
