// The multi-column drop-down: completion while typing, the edit's keys, the open list's
// search and choosing, sizes, the list grid's sizing and drawing, and the colour styles.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/multicolumn.h"
#include "grid/base/imagelist.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QStyle>
#include <gtest/gtest.h>

using namespace DazMultiColumnDropDown;

namespace {

void Press(QWidget *W, int Key, const QString &Text = {}, Qt::KeyboardModifiers M = {})
{
    QKeyEvent e(QEvent::KeyPress, Key, M, Text);
    QApplication::sendEvent(W, &e);
}

void Release(QWidget *W, int Key, const QString &Text = {}, Qt::KeyboardModifiers M = {})
{
    QKeyEvent e(QEvent::KeyRelease, Key, M, Text);
    QApplication::sendEvent(W, &e);
}

// One letter typed: its key down with the character, then its release.
void Type(QWidget *W, QChar Ch, bool AndRelease = true)
{
    const int key = Qt::Key_A + (Ch.toUpper().unicode() - u'A');
    Press(W, key, QString(Ch));
    if (AndRelease)
        Release(W, key, QString(Ch));
}

class MultiColumnTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazMultiColumnDropDown Drop;

    MultiColumnTest()
    {
        Drop.DropDownHeader().SetVisible(false);
        Drop.DropDownFooter().SetVisible(false);
        Drop.move(10, 100);
        Drop.show();
    }
    ~MultiColumnTest() override { Drop.HideDropDown(false); }

    // Two columns; the lookup column 0 holds the given texts, column 1 their index.
    void Fill(const QStringList &Lookups, bool Update = true)
    {
        for (int c = 0; c < 2; ++c)
            Drop.Columns().Add()->Header = QStringLiteral("H%1").arg(c);
        for (int i = 0; i < Lookups.size(); ++i) {
            TDropDownItem *item = Drop.Items().Add();
            item->Text().Add(Lookups[i]);
            item->Text().Add(QString::number(i));
        }
        if (Update) {
            Drop.BeginUpdate();
            Drop.EndUpdate();
        }
    }
    QString Selected() const { return Drop.selectedText(); }
    TDazColGrid *Grid() const { return Drop.ListGrid(); }
};

const QStringList kFruit{"Apple", "Abacus", "Banana"};

}   // namespace

TEST_F(MultiColumnTest, CompletionFollowsTypingAndTakesTheItemsSpellingWhenFullyTyped)
{
    Fill(kFruit);
    Type(&Drop, u'a', false);
    EXPECT_EQ(Drop.text(), "apple");
    EXPECT_EQ(Selected(), "pple");
    EXPECT_EQ(Drop.ItemIndex(), 0);
    Release(&Drop, Qt::Key_A, "a");

    Type(&Drop, u'b', false);
    EXPECT_EQ(Drop.text(), "abacus");
    EXPECT_EQ(Selected(), "acus");
    Release(&Drop, Qt::Key_B, "b");
    EXPECT_EQ(Drop.text(), "abacus");   // as typed: the completion changed the text
    EXPECT_EQ(Selected(), "acus");
    EXPECT_EQ(Drop.ItemIndex(), 1);

    for (QChar c : QStringLiteral("acu"))
        Type(&Drop, c);
    EXPECT_EQ(Drop.text(), "abacus");
    Type(&Drop, u's', false);   // the whole entry typed: nothing left to complete
    EXPECT_EQ(Drop.text(), "abacus");
    Release(&Drop, Qt::Key_S, "s");
    EXPECT_EQ(Drop.text(), "Abacus");
    EXPECT_EQ(Drop.ItemIndex(), 1);
}

TEST_F(MultiColumnTest, CompletionCopiesAtMost255CharactersAndMatchCaseFolds)
{
    Fill({QStringLiteral("x") + QString(400, u'y'), "Quince"});
    Type(&Drop, u'x');
    EXPECT_EQ(Drop.text().size(), 1 + 255);

    Drop.SetText(QString());
    Drop.MatchCase = true;
    Type(&Drop, u'q');
    EXPECT_EQ(Drop.text(), "q");   // case counts: "Quince" does not start with "q"
    Drop.SetText(QString());
    Press(&Drop, Qt::Key_Q, "Q");
    EXPECT_EQ(Drop.text(), "Quince");
}

TEST_F(MultiColumnTest, BackspaceEscapeAndDeleteSwitchCompletionOffUntilAnotherKey)
{
    Fill(kFruit);
    for (int key : {Qt::Key_Backspace, Qt::Key_Delete}) {
        Drop.SetText(QString());
        Type(&Drop, u'a');
        ASSERT_EQ(Drop.text(), "apple");
        Press(&Drop, key);   // removes the selected tail
        Release(&Drop, key);
        EXPECT_EQ(Drop.text(), "a") << key;
        Type(&Drop, u'b');
        EXPECT_EQ(Drop.text(), "abacus") << key;
    }
}

TEST_F(MultiColumnTest, TypingBeforeTheEndNeitherCompletesNorDropsTheRest)
{
    Fill(kFruit);
    Drop.SetText("xyz");
    Drop.setCursorPosition(1);
    Type(&Drop, u'a');
    EXPECT_EQ(Drop.text(), "xayz");
    EXPECT_EQ(Drop.ItemIndex(), -1);
}

TEST_F(MultiColumnTest, EnterTakesTheListsSpellingAndEscapeClearsAnUnknownText)
{
    Fill(kFruit);
    Drop.SetText("banana");
    Press(&Drop, Qt::Key_Return, "\r");
    EXPECT_EQ(Drop.text(), "Banana");
    EXPECT_EQ(Drop.ItemIndex(), 2);

    Drop.SetText("cherry");
    Press(&Drop, Qt::Key_Escape, QString(QChar(27)));
    EXPECT_EQ(Drop.text(), "");
    EXPECT_EQ(Drop.ItemIndex(), -1);

    Drop.SetText("apple");
    Press(&Drop, Qt::Key_Escape, QString(QChar(27)));
    EXPECT_EQ(Drop.text(), "Apple");   // known: the setter writes the item's text
    EXPECT_EQ(Drop.ItemIndex(), 0);

    int pressed = 0;
    Drop.OnKeyPress = [&](TObject *, QChar &) { ++pressed; };
    Drop.ReturnIsTab = true;
    Press(&Drop, Qt::Key_Return, "\r");
    EXPECT_EQ(pressed, 0);   // consumed: it becomes a Tab
    Drop.ReturnIsTab = false;
    Press(&Drop, Qt::Key_Return, "\r");
    EXPECT_EQ(pressed, 1);
}

TEST_F(MultiColumnTest, NavigationKeysStepThroughTheItems)
{
    QStringList many;
    for (int i = 0; i < 25; ++i)
        many << QStringLiteral("Item %1").arg(i, 2, 10, QChar(u'0'));
    Fill(many);
    struct TCase
    {
        int From, Key;
        bool EditorOn;
        int To;
    };
    const TCase cases[] = {
        {-1, Qt::Key_PageDown, true, 0}, {0, Qt::Key_PageDown, true, 10},
        {20, Qt::Key_PageDown, true, 24}, {5, Qt::Key_PageUp, true, 0},
        {15, Qt::Key_PageUp, true, 5},    {-1, Qt::Key_Up, true, 0},
        {0, Qt::Key_Up, true, 0},         {7, Qt::Key_Up, true, 6},
        {24, Qt::Key_Down, true, 24},     {7, Qt::Key_Down, true, 8},
        {7, Qt::Key_End, true, 7},        {7, Qt::Key_End, false, 24},
        {7, Qt::Key_Home, true, 7},       {7, Qt::Key_Home, false, 0},
    };
    for (const TCase &c : cases) {
        Drop.SetEditorEnabled(c.EditorOn);
        Drop.SetItemIndex(c.From);
        Press(&Drop, c.Key);
        EXPECT_EQ(Drop.ItemIndex(), c.To) << c.From << " key " << c.Key;
        EXPECT_EQ(Drop.text(), many[c.To]);
    }
    Drop.SetEditorEnabled(true);
    Drop.SetItemIndex(3);
    Press(&Drop, Qt::Key_Down, {}, Qt::AltModifier);   // Alt: the list opens, no step
    EXPECT_EQ(Drop.ItemIndex(), 3);
    Drop.HideDropDown(true);

    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Drop, &down);
    EXPECT_EQ(Drop.ItemIndex(), 4);
}

TEST_F(MultiColumnTest, ItemIndexSetterAndExactLookupTolerateShortItems)
{
    Fill(kFruit);
    Drop.Items().Items(1)->Text().Clear();   // no lookup text at all
    Drop.EndUpdate();
    Drop.SetItemIndex(2);
    EXPECT_EQ(Drop.text(), "Banana");
    Drop.SetItemIndex(1);
    EXPECT_EQ(Drop.text(), "");
    Drop.SetItemIndex(3);   // beyond the items: ignored
    EXPECT_EQ(Drop.ItemIndex(), 1);
    Drop.SetItemIndex(-5);
    EXPECT_EQ(Drop.ItemIndex(), -5);
    EXPECT_EQ(Drop.text(), "");

    EXPECT_EQ(Drop.GetItemIndex("Banana"), 2);   // passes the short item without failing
    EXPECT_EQ(Drop.GetItemIndex("banana"), -1);  // exact and case-sensitive
    EXPECT_EQ(Drop.Items().IndexInColumn(1, "2"), 2);
    EXPECT_EQ(Drop.Items().IndexInColumn(0, ""), -1);   // a missing text is no match
}

TEST_F(MultiColumnTest, CompletionSeesNewItemsOnlyAfterEndUpdate)
{
    Fill(kFruit, false);
    Type(&Drop, u'b');
    EXPECT_EQ(Drop.text(), "b");
    Drop.SetText(QString());
    Drop.EndUpdate();
    Type(&Drop, u'b');
    EXPECT_EQ(Drop.text(), "banana");
}

// ---------------------------------------------------------------------------------------
// The open list
// ---------------------------------------------------------------------------------------

TEST_F(MultiColumnTest, TypingInTheOpenListSearchesByPrefix)
{
    Fill({"Apple", "Abacus", "Banana", "apricot"});
    Drop.SetItemIndex(2);
    Drop.ShowDropDown();
    ASSERT_TRUE(Drop.DroppedDown());
    EXPECT_EQ(Grid()->Row(), 3);
    Type(Grid(), u'a');
    EXPECT_EQ(Drop.ItemIndex(), 0);
    EXPECT_EQ(Drop.text(), "Apple");
    EXPECT_EQ(Selected(), "pple");
    EXPECT_EQ(Grid()->Row(), 1);
    Type(Grid(), u'b');
    EXPECT_EQ(Drop.text(), "Abacus");
    EXPECT_EQ(Selected(), "acus");
    EXPECT_EQ(Grid()->Row(), 2);
    Type(Grid(), u'b');   // "abb" matches nothing: "b" alone does
    EXPECT_EQ(Drop.text(), "Banana");
    EXPECT_EQ(Drop.ItemIndex(), 2);
    Drop.CaseSensitive = true;
    Type(Grid(), u'a');   // "ba" matches nothing case-sensitively, "a" matches apricot
    EXPECT_EQ(Drop.text(), "apricot");
    EXPECT_EQ(Grid()->Row(), 4);
}

TEST_F(MultiColumnTest, ListKeysMoveInTheListAndUpdateTheEditLive)
{
    Fill(kFruit);
    Drop.SetItemIndex(0);
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Down);
    EXPECT_EQ(Grid()->Row(), 2);
    EXPECT_EQ(Drop.ItemIndex(), 1);
    EXPECT_EQ(Drop.text(), "Abacus");
    Press(Grid(), Qt::Key_Return, "\r");   // chooses and closes
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 1);
}

TEST_F(MultiColumnTest, ChoosingCancellingAndClosingByDeactivation)
{
    Fill(kFruit);
    int selects = 0;
    Drop.OnSelect = [&](TObject *) { ++selects; };
    Drop.SetItemIndex(0);

    // A release on a data row chooses it; one on the header chooses nothing.
    Drop.ShowDropDown();
    const TRect header = Grid()->CellRect(0, 0);
    Grid()->MouseUp(mbLeft, {}, header.Left + 2, header.Top + 2);
    EXPECT_EQ(selects, 0);
    EXPECT_TRUE(Drop.DroppedDown());
    const TRect third = Grid()->CellRect(0, 3);
    Grid()->MouseDown(mbLeft, {}, third.Left + 2, third.Top + 2);
    Grid()->MouseUp(mbLeft, {}, third.Left + 2, third.Top + 2);
    EXPECT_EQ(selects, 1);
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_EQ(Drop.text(), "Banana");

    // Moving and then cancelling restores the item of the opening.
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Up);
    EXPECT_EQ(Drop.ItemIndex(), 1);
    Drop.HideDropDown(true);
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_EQ(Drop.text(), "Banana");

    // Moving and then clicking outside keeps the choice.
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Up);
    Drop.DropDownForm()->Deactivated(nullptr);
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 1);

    // A wheel step and a click outside keep the item from before the wheel.
    Drop.ShowDropDown();
    Grid()->DoMouseWheelDown({}, QPoint(5, 30));
    EXPECT_EQ(Grid()->Row(), 3);
    EXPECT_EQ(Drop.ItemIndex(), 1);
    Drop.DropDownForm()->Deactivated(nullptr);
    EXPECT_EQ(Drop.ItemIndex(), 1);
    EXPECT_EQ(Drop.text(), "Abacus");
}

TEST_F(MultiColumnTest, OpenListHeightHoldsWholeRowsAndAutoWidthTakesTheColumns)
{
    Fill(kFruit);
    Drop.Columns().Items(0)->Width = 100;
    Drop.Columns().Items(1)->Width = 50;
    Drop.ShowDropDown();
    EXPECT_EQ(Drop.DropDownForm()->height(), 25 + 2 + 7 * 22);   // 181 from 200
    // The columns fill the form's width; their own widths stay.
    EXPECT_NEAR(Grid()->ColWidths(0) + Grid()->ColWidths(1), Drop.DropDownForm()->width(), 2);
    EXPECT_EQ(Drop.Columns().Items(0)->Width, 100);
    EXPECT_EQ(Grid()->ScrollBars(), ssVertical);
    Drop.HideDropDown(true);

    // Without fitting: the form is the columns' total width plus the border (the size
    // shown last is forgotten first).
    Drop.ColumnSizeWithDropDown = false;
    Drop.SetDropDownWidth(1);
    Drop.SetDropDownWidth(0);
    Drop.ShowDropDown();
    ASSERT_EQ(Grid()->VisibleRowCount() + 1, Grid()->RowCount());   // no scroll bar
    EXPECT_EQ(Grid()->TotalWidth(), 150);
    EXPECT_EQ(Drop.DropDownForm()->width(), 150 + 2 * Drop.DropDownBorderWidth);
    Drop.HideDropDown(true);
    for (int i = 0; i < 10; ++i)
        Drop.Items().Add()->Text().Add("more");
    Drop.SetDropDownWidth(1);
    Drop.SetDropDownWidth(0);
    Drop.ShowDropDown();
    const int extent = Grid()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid());
    EXPECT_EQ(Grid()->TotalWidth(), 150 + extent);
}

TEST(MultiColumnFit, FittedWidthsFillTheWidthWithCarriesInOrder)
{
    const std::vector<int> widths{80, 80, 80};
    const std::vector<int> fitted = DropDownList::FitWidths(widths, 200);
    // 200 / 241 * 80 = 66.39 each: 66 and a carry that passes 1 at the third column.
    EXPECT_EQ(fitted, (std::vector<int>{66, 66, 67}));
    // Shrinking to a narrower form.
    for (int available : {100, 120, 140}) {
        const std::vector<int> f = DropDownList::FitWidths({30, 70, 45, 12}, available);
        int sum = 0;
        for (int w : f)
            sum += w;
        EXPECT_NEAR(sum, available, 1) << available;
    }
}

// ---------------------------------------------------------------------------------------
// The list grid
// ---------------------------------------------------------------------------------------

TEST_F(MultiColumnTest, ListGridSizesFromTheItems)
{
    Fill({});
    Drop.Columns().Items(0)->AutoSize = true;
    Drop.ShowDropDown();
    EXPECT_EQ(Grid()->RowCount(), 1);   // a single empty data row
    EXPECT_EQ(Grid()->FixedRows(), 0);
    EXPECT_EQ(Grid()->Columns().Items(0)->Width, 0);
    Drop.HideDropDown(true);

    TCustomImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    Drop.Images = &images;
    TDropDownColumn *image = Drop.Columns().Items(1);
    image->ColumnType = ctImage;
    image->AutoSize = true;
    TDropDownItem *item = Drop.Items().Add();
    item->Text().Add("short");
    item->Text().Add("iiii");
    item->ImageIndex = 0;
    Drop.Items().Add()->Text().Add("only the lookup text");   // no image counts in column 1
    Drop.ShowDropDown();
    const int text = QFontMetrics(image->Font.ToQFont()).horizontalAdvance("iiii");
    EXPECT_EQ(Grid()->Columns().Items(1)->Width, 16 + 4 + text + 6);
    EXPECT_EQ(Drop.Columns().Items(1)->Width, 80);   // the drop-down's column is not changed

    Drop.HideDropDown(true);
    Drop.Columns().Items(0)->Wordwrap = true;
    Drop.ShowDropDown();
    for (int r = 1; r < Grid()->RowCount(); ++r)
        EXPECT_GE(Grid()->RowHeights(r), 24) << r;
    Drop.HideDropDown(true);
    Drop.Images = nullptr;
}

namespace {

std::vector<TCanvasOp> PaintCell(TDazColGrid &Grid, int ACol, int ARow, TGridDrawState State)
{
    QImage image(300, 100, QImage::Format_ARGB32);
    std::vector<TCanvasOp> ops;
    TCanvas canvas(&image);
    canvas.SetRecorder(&ops);
    Grid.PaintCell(canvas, ACol, ARow, TRect(10, 20, 10 + Grid.ColWidths(ACol), 40), State);
    return ops;
}

int Count(const std::vector<TCanvasOp> &Ops, const QString &Name)
{
    return int(std::count_if(Ops.begin(), Ops.end(),
                             [&](const TCanvasOp &o) { return o.Name == Name; }));
}

const TCanvasOp *First(const std::vector<TCanvasOp> &Ops, const QString &Name)
{
    for (const TCanvasOp &o : Ops)
        if (o.Name == Name)
            return &o;
    return nullptr;
}

}   // namespace

TEST_F(MultiColumnTest, ListGridDrawsHeaderSelectionLinesAndText)
{
    Fill(kFruit);
    Drop.Columns().Items(1)->Alignment = taRightJustify;
    Drop.Columns().Items(1)->Ellipsis = true;
    Drop.ShowDropDown();
    TDazColGrid &g = *Grid();

    // The header: a gradient of 80 bands, or a plain fill without HeaderColorTo.
    std::vector<TCanvasOp> ops = PaintCell(g, 0, 0, {gdFixed});
    EXPECT_EQ(Count(ops, "Rectangle"), 80);
    ASSERT_NE(First(ops, "DrawText"), nullptr);
    EXPECT_EQ(First(ops, "DrawText")->Text, "H0");
    EXPECT_EQ(First(ops, "DrawText")->Font.Color, g.HeaderFont.Color);
    g.HeaderColorTo = clNone;
    ops = PaintCell(g, 0, 0, {gdFixed});
    EXPECT_EQ(Count(ops, "FillRect"), 1);
    EXPECT_EQ(First(ops, "FillRect")->Brush.Color, g.HeaderColor);

    // A data cell: its item's text, the column's alignment and ellipsis, the lines.
    ops = PaintCell(g, 1, 2, {});
    const TCanvasOp *text = First(ops, "DrawText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text, "1");
    EXPECT_EQ(text->Flags, DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER | DT_RIGHT | DT_SINGLELINE |
                               DT_END_ELLIPSIS);
    EXPECT_EQ(text->Rect.Left, 10 + 1 + 2);   // shrunk by the line width, then 2 in
    EXPECT_EQ(Count(ops, "LineTo"), 2);
    EXPECT_EQ(First(ops, "LineTo")->Pen.Color, g.LineColor);

    // The selected row through DrawSelection, its text in SelectionTextColor.
    Drop.SelectionTextColor = 0x0000FF;
    ops = PaintCell(g, 0, 2, {gdSelected});
    EXPECT_EQ(First(ops, "DrawText")->Font.Color, TColor(0x0000FF));
    EXPECT_GT(Count(ops, "FillRect") + Count(ops, "LineTo"), 4);

    // The events: text changed for every cell, drawing replaced.
    Drop.OnDropDownGetItemText = [](TObject *, int C, int R, QString &T) {
        T = QStringLiteral("%1/%2").arg(C).arg(R);
    };
    EXPECT_EQ(First(PaintCell(g, 0, 1, {}), "DrawText")->Text, "0/1");
    int drawn = 0;
    Drop.OnDropDownDrawItem = [&](TObject *S, int, int, TCanvas &, const TRect &) {
        drawn += S == &Drop;
    };
    EXPECT_TRUE(PaintCell(g, 0, 1, {}).empty());
    EXPECT_EQ(drawn, 1);

    // The grid's own line width stays apart from the framework's.
    g.SetGridLineWidth(3);
    EXPECT_EQ(g.GridLineWidth(), 3);
    EXPECT_EQ(g.TCustomGrid::GridLineWidth(), 0);
}

TEST_F(MultiColumnTest, ListGridImagesAndTabAltArrows)
{
    Fill(kFruit);
    TCustomImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    Drop.Images = &images;
    Drop.Columns().Items(0)->ColumnType = ctImage;
    Drop.Items().Items(0)->ImageIndex = 0;
    Drop.ShowDropDown();
    const std::vector<TCanvasOp> ops = PaintCell(*Grid(), 0, 1, {});
    const TCanvasOp *text = First(ops, "DrawText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Rect.Left, 10 + 1 + 16 + 4);   // after the image
    Drop.Images = nullptr;

    Press(Grid(), Qt::Key_Tab, "\t");   // dropped: the list stays
    EXPECT_TRUE(Drop.DroppedDown());
    Press(Grid(), Qt::Key_Up, {}, Qt::AltModifier);   // to the edit: closes
    EXPECT_FALSE(Drop.DroppedDown());
}

TEST(MultiColumnStyles, EveryStyleSetsTheHeaderLineAndSelectionColours)
{
    struct TRow
    {
        TQVRStyle Style;
        TColor Header, HeaderTo, Font, SelText, Line, FixedLine, Sel, SelTo;
    };
    constexpr TColor K = 0x7FFFFFFF;   // as before the style
    const TRow rows[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, 0, 0x962D00, 0x962D00, 0xD7FFFD, 0x58D4FC},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, K, 0, 0x947C7C, 0x947C7C, 0xD7FFFD, 0x58D4FC},
        {tsOffice2003Olive, 0x82C0AF, 0x447A63, K, 0, 0x588060, 0x588060, 0xD7FFFD, 0x58D4FC},
        {tsOffice2003Classic, 0x808080, 0x808080, K, 0, 0x808080, 0x808080, 0xD7FFFD, 0x58D4FC},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 0, 0xFFD2AF, 0xFFD2AF, 0xD7FFFD, 0x58D4FC},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0, 0x5C534C, 0x5C534C, 0xD7FFFD, 0x58D4FC},
        {tsWindowsXP, clBtnFace, clBtnFace, 0, clHighlightText, 0xC0C0C0, 0, clHighlight, clHighlight},
        {tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0, 0x962D00, 0x962D00, 0xD7FFFD, 0x58D4FC},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0, 0x74706F, 0x74706F, 0xD7FFFD, 0x58D4FC},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0, 0, 0xFCF2DA, 0xFCF2DA, 0xFDF8F1, 0xFCEFD5},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, 0, 0xFBD6B8, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1},
        {tsTerminal, clBtnFace, clBtnFace, 0, clHighlightText, 0x808080, 0x808080, clHighlight, clHighlight},
        {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
        {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
        {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
    };
    for (const TRow &r : rows) {
        TDazMultiColumnDropDown d;
        d.HeaderFont.Color = 0x123456;
        d.SelectionTextColor = 0x654321;
        d.SetComponentStyle(r.Style);
        EXPECT_EQ(d.HeaderColor, r.Header) << r.Style;
        EXPECT_EQ(d.HeaderColorTo, r.HeaderTo) << r.Style;
        EXPECT_EQ(d.HeaderFont.Color, r.Font == K ? TColor(0x123456) : r.Font) << r.Style;
        EXPECT_EQ(d.SelectionTextColor, r.SelText) << r.Style;
        EXPECT_EQ(d.LineColor, r.Line) << r.Style;
        EXPECT_EQ(d.FixedLineColor, r.FixedLine) << r.Style;
        EXPECT_EQ(d.SelectionColor, r.Sel) << r.Style;
        EXPECT_EQ(d.SelectionColorTo, r.SelTo) << r.Style;
    }
    TDazMultiColumnDropDown custom;
    custom.HeaderColor = 0x010203;
    custom.LineColor = 0x040506;
    custom.SetComponentStyle(tsCustom);
    EXPECT_EQ(custom.HeaderColor, TColor(0x010203));
    EXPECT_EQ(custom.LineColor, TColor(0x040506));
}

TEST(MultiColumnStyles, DefaultsAndSelectionPresetsLineColours)
{
    TDazMultiColumnDropDown d;
    EXPECT_EQ(d.HeaderColor, TColor(0xFFFFFF));
    EXPECT_EQ(d.HeaderColorTo, TColor(0x808080));
    EXPECT_EQ(d.HeaderFont.Color, TColor(0x723708));
    EXPECT_EQ(d.LineColor, TColor(0xF1EDEB));
    EXPECT_EQ(d.FixedLineColor, TColor(0xD1BBA4));
    EXPECT_EQ(d.DropDownColor, TColor(0xFFFFFF));
    EXPECT_EQ(d.DropDownHeight(), 200);
    EXPECT_EQ(d.ItemIndex(), -1);
    ASSERT_NE(d.ListGrid(), nullptr);
    EXPECT_EQ(d.ListGrid()->height(), 180);
    for (auto [preset, line, fixed] :
         {std::tuple{scWindowsVista, 0xECECF0u, 0xD4D2D1u}, {scWindows7, 0xECECF0u, 0xD4D2D1u},
          {scOffice2007, 0xF1EDEBu, 0xD1BBA4u}}) {
        d.SetSelectionColorStyle(preset);
        EXPECT_EQ(d.LineColor, TColor(line));
        EXPECT_EQ(d.FixedLineColor, TColor(fixed));
    }
    d.LineColor = 0x111111;
    d.SetSelectionColorStyle(scCustom);
    EXPECT_EQ(d.LineColor, TColor(0x111111));
}
