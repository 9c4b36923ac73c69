// The column grid: one item per real column, the per-cell answers taken from the items,
// headers, moves, width limits, the column positions in an INI file and the column stream.
#include "editfixture.h"

#include "grid/string/dazcolumngrid.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

std::unique_ptr<TDazColumnGrid> MakeGrid(int Cols, int Rows = 5)
{
    auto g = std::make_unique<TDazColumnGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    return g;
}

}   // namespace

TEST(ColumnGrid, OneItemPerRealColumnHiddenOnesIncluded)
{
    auto g = MakeGrid(6);
    g->Columns().Items(3)->SetName("fourth");
    g->HideColumn(2);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->Columns().Count(), 6);
    EXPECT_EQ(g->GetColumnByName("fourth"), g->Columns().Items(3));
    EXPECT_EQ(g->GetColumnByName("Fourth"), nullptr);
    EXPECT_EQ(g->Columns().Items(3)->DisplayName(), "Col 3: fourth");
    EXPECT_EQ(g->Columns().Items(1)->DisplayName(), "Column 1");
}

TEST(ColumnGrid, NewItemsTakeTheLookOfTheItemBeforeThem)
{
    auto g = MakeGrid(3);
    TGridColumnItem *last = g->Columns().Items(2);
    last->SetAlignment(taRightJustify);
    last->SetEditor(edComboList);
    last->SetReadOnly(true);
    last->SetHeader("Third");
    last->ComboItems().Add("a");
    last->SetColor(clInfoBk);
    g->SetColCount(5);
    ASSERT_EQ(g->Columns().Count(), 5);
    for (int i : {3, 4}) {
        TGridColumnItem *item = g->Columns().Items(i);
        EXPECT_EQ(item->Alignment(), taRightJustify) << i;
        EXPECT_EQ(item->Editor(), edComboList) << i;
        EXPECT_TRUE(item->ReadOnly()) << i;
        EXPECT_EQ(item->Header(), "") << i;              // not part of the look
        EXPECT_EQ(item->ComboItems().Count(), 0) << i;
        EXPECT_EQ(item->Color(), g->Color()) << i;       // colour and font from the grid
    }
    g->SetColCount(2);
    EXPECT_EQ(g->Columns().Count(), 2);
    EXPECT_EQ(g->Columns().Items(1)->Alignment(), taLeftJustify);
}

TEST(ColumnGrid, InsertingAndRemovingColumnsKeepsItemsWithTheirColumns)
{
    auto g = MakeGrid(4);
    for (int i = 0; i < 4; ++i)
        g->Columns().Items(i)->SetTag(i);
    g->InsertCols(1, 2);
    ASSERT_EQ(g->Columns().Count(), 6);
    EXPECT_EQ(g->Columns().Items(3)->Tag(), 1);
    g->RemoveCols(1, 2);
    ASSERT_EQ(g->Columns().Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g->Columns().Items(i)->Tag(), i);
}

TEST(ColumnGrid, TheHeaderWritesTheHeaderRowAndTheHeaderList)
{
    auto g = MakeGrid(4);
    g->Columns().Items(2)->SetHeader("Name");
    EXPECT_EQ(g->Cells(2, 0), "Name");
    ASSERT_EQ(g->ColumnHeaders().Count(), 4);
    EXPECT_EQ(g->ColumnHeaders().Strings(2), "Name");
    // A list set from outside reaches the items.
    TStringList headers(QStringList{"", "A", "B", "C"});
    g->SetColumnHeaders(headers);
    EXPECT_EQ(g->Columns().Items(3)->Header(), "C");
    EXPECT_EQ(g->Cells(3, 0), "C");
}

TEST(ColumnGrid, PerCellAnswersComeFromTheItems)
{
    auto g = MakeGrid(5);
    TGridColumnItem *item = g->Columns().Items(2);
    item->SetAlignment(taRightJustify);
    item->SetHeaderAlignment(taCenter);
    item->SetColor(0x00FFEEDD);
    item->SetCheckTrue("on");
    item->SetCheckFalse("off");
    item->SetPassword(true);
    item->SetSortStyle(ssNumeric);
    item->SetSortPrefix("$");

    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g->GetCellAlignment(2, 1, h, v);
    EXPECT_EQ(h, taRightJustify);
    g->GetCellAlignment(2, 0, h, v);
    EXPECT_EQ(h, taCenter);
    g->SetAlignments(2, 3, taLeftJustify);   // a cell's own alignment wins
    g->GetCellAlignment(2, 3, h, v);
    EXPECT_EQ(h, taLeftJustify);

    TBrush brush;
    TFont font;
    g->GetCellColor(2, 1, {}, brush, font);
    EXPECT_EQ(brush.Color, TColor(0x00FFEEDD));
    g->SetColors(2, 2, clInfoBk);   // the cell's own colour wins
    g->GetCellColor(2, 2, {}, brush, font);
    EXPECT_EQ(brush.Color, clInfoBk);

    QString text;
    g->GetCheckTrue(2, 1, text);
    EXPECT_EQ(text, "on");
    g->GetCheckFalse(2, 1, text);
    EXPECT_EQ(text, "off");
    g->GetCheckTrue(1, 1, text);
    EXPECT_EQ(text, "Y");
    bool password = false;
    g->IsPasswordCell(2, 1, password);
    EXPECT_TRUE(password);
    TSortStyle style = ssAutomatic;
    QString prefix, suffix;
    g->GetColFormat(2, style, prefix, suffix);
    EXPECT_EQ(style, ssNumeric);
    EXPECT_EQ(prefix, "$");
}

TEST(ColumnGrid, EditabilityFollowsReadOnlyAndFixedItemsAlsoWithHiddenColumns)
{
    auto g = MakeGrid(5);
    g->SetOptions(g->Options() + goEditing);
    g->Columns().Items(1)->SetFixed(true);
    g->Columns().Items(3)->SetReadOnly(true);
    EXPECT_FALSE(g->IsEditable(1, 1));
    EXPECT_TRUE(g->IsEditable(2, 1));
    EXPECT_FALSE(g->IsEditable(3, 1));
    EXPECT_TRUE(g->IsEditable(4, 1));
    EXPECT_FALSE(g->IsEditable(2, 0));   // the header row
    // With real column 1 hidden, real column 2 shows at display column 1: the fixed
    // question is asked for that cell, not for the column two places on.
    g->HideColumn(1);
    g->Columns().Items(4)->SetFixed(true);
    EXPECT_TRUE(g->IsEditable(2, 1));
    EXPECT_FALSE(g->IsEditable(4, 1));
    EXPECT_FALSE(g->IsEditable(3, 1));
    bool fixed = false;
    g->IsFixedCell(1, 1, fixed);   // display column 1 is real column 2
    EXPECT_FALSE(fixed);
}

TEST(ColumnGrid, DataCheckBoxColumnsCheckAgainstTheColumnTexts)
{
    auto g = MakeGrid(4);
    g->SetCheckTrue("T");
    g->Columns().Items(2)->SetEditor(edDataCheckBox);
    g->SetCells(2, 1, "Y");
    g->SetCells(2, 2, "N");
    EXPECT_EQ(g->GetCellType(2, 1), ctDataCheckBox);
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(g->GetCellType(2, 0), ctEmpty);   // header
    ASSERT_NE(g->GetCellGraphic(2, 1), nullptr);
    EXPECT_TRUE(g->IsControlCell(2, 1));
    EXPECT_TRUE(g->IsChecked(2, 1));
    EXPECT_FALSE(g->IsChecked(2, 2));
}

TEST(ColumnGrid, UserSizingKeepsWithinTheItemLimits)
{
    struct Probe : TDazColumnGrid
    {
        using TDazColumnGrid::UpdateAutoColSize;
        using TDazColumnGrid::UpdateColSize;
    };
    auto g = std::make_unique<Probe>();
    g->SetColCount(4);
    auto *p = g.get();
    TGridColumnItem *item = g->Columns().Items(1);
    item->SetMinSize(40);
    item->SetMaxSize(90);
    for (auto [in, out] : {std::pair{10, 40}, {60, 60}, {200, 90}}) {
        int w = in;
        p->UpdateColSize(1, w);
        EXPECT_EQ(w, out) << in;
    }
    item->SetAutoMinSize(30);
    int w = 5;
    p->UpdateAutoColSize(1, w);
    EXPECT_EQ(w, 30);
    item->SetWidth(77);
    EXPECT_EQ(g->ColWidths(1), 77);
    EXPECT_EQ(item->Width(), 77);
}

TEST(ColumnGrid, AMovedColumnTakesItsItemAlong)
{
    auto g = MakeGrid(5);
    g->Columns().Items(1)->SetHeader("moved");
    g->Columns().Items(1)->SetEditor(edComboList);
    int from = -1, to = -1;
    g->OnAfterColumnMoved = [&](TObject *, int F, int T) {
        from = F;
        to = T;
    };
    g->MoveColumn(1, 3);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 3);
    EXPECT_EQ(g->Columns().Items(3)->Header(), "moved");
    EXPECT_EQ(g->Columns().Items(3)->Editor(), edComboList);
    EXPECT_EQ(g->Cells(3, 0), "moved");
    EXPECT_EQ(g->Columns().Count(), 5);
}

TEST(ColumnGrid, ColumnPositionsRoundTripAndOnlyAPermutationIsTaken)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    auto g = MakeGrid(4);
    for (int i = 0; i < 4; ++i)
        g->Columns().Items(i)->SetHeader(QStringLiteral("H%1").arg(i));
    g->Loaded();
    g->MoveColumn(3, 1);   // H0 H3 H1 H2
    g->SaveColumnPositions(ini, "Grid");

    auto headers = [](TDazColumnGrid &G) {
        QStringList l;
        for (int i = 0; i < G.Columns().Count(); ++i)
            l << G.Columns().Items(i)->Header();
        return l;
    };
    auto fresh = MakeGrid(4);
    for (int i = 0; i < 4; ++i)
        fresh->Columns().Items(i)->SetHeader(QStringLiteral("H%1").arg(i));
    fresh->Loaded();
    fresh->LoadColumnPositions(ini, "Grid");
    EXPECT_EQ(headers(*fresh), (QStringList{"H0", "H3", "H1", "H2"}));
    EXPECT_EQ(fresh->Cells(1, 0), "H3");

    const struct
    {
        const char *name;
        const char *content;
    } bad[] = {
        {"a key missing", "[Grid]\r\nCP0=0\r\nCP1=3\r\nCP3=2\r\n"},
        {"a value twice", "[Grid]\r\nCP0=0\r\nCP1=0\r\nCP2=1\r\nCP3=2\r\n"},
        {"a value out of range", "[Grid]\r\nCP0=0\r\nCP1=9\r\nCP2=1\r\nCP3=2\r\n"},
    };
    for (const auto &b : bad) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b.content);
        f.close();
        auto other = MakeGrid(4);
        for (int i = 0; i < 4; ++i)
            other->Columns().Items(i)->SetHeader(QStringLiteral("H%1").arg(i));
        other->Loaded();
        other->LoadColumnPositions(ini, "Grid");
        EXPECT_EQ(headers(*other), (QStringList{"H0", "H1", "H2", "H3"})) << b.name;
    }
}

TEST(ColumnGrid, TheColumnStreamRestoresEveryProperty)
{
    auto g = MakeGrid(3);
    TGridColumnItem *i1 = g->Columns().Items(1);
    i1->SetAutoMinSize(11);
    i1->SetAutoMaxSize(222);
    i1->SetAlignment(taCenter);
    i1->SetBorders({cbTop, cbBottom});
    i1->BorderPen().SetColor(clBlack);
    i1->BorderPen().SetWidth(3);
    i1->SetCheckFalse("nein");
    i1->SetCheckTrue("ja");
    i1->SetColor(0x00123456);
    i1->SetColumnPopupType(cpAllCellsLClick);
    i1->ComboItems().Add("one");
    i1->ComboItems().Add(QString::fromUtf8("zw\xc3\xb6lf \xe2\x82\xac"));
    i1->SetDropDownCount(12);
    i1->SetEditLength(40000);
    i1->SetEditMask("999");
    i1->SetEditor(edComboEdit);
    i1->Filter().Add("big=>100");
    i1->SetFilterCaseSensitive(true);
    i1->SetFixed(true);
    i1->SetFloatFormat("%.3f");
    i1->Font().SetName("DejaVu Sans");
    i1->Font().SetSize(12);
    i1->Font().SetStyle(fsBold);
    i1->Font().SetColor(clBlue);
    i1->SetHeader("Header");
    i1->SetHeaderAlignment(taRightJustify);
    i1->HeaderFont().SetStyle(fsItalic);
    i1->SetMinSize(20);
    i1->SetMaxSize(300);
    i1->SetName("col1");
    i1->SetPassword(true);
    i1->SetPrintBorderCustom(false);
    i1->SetPrintBorders({cbLeft});
    i1->PrintBorderPen().SetWidth(2);
    i1->SetPrintColor(clSilver);
    i1->SetPrintFontCustom(false);
    i1->SetReadOnly(true);
    i1->SetShowBands(true);
    i1->SetSortStyle(ssDate);
    i1->SetSortPrefix("<");
    i1->SetSortSuffix(QString(300, u'x'));
    i1->SetSpinMax(-70000);
    i1->SetSpinMin(-5);
    i1->SetSpinStep(7);
    i1->SetTag(-1);
    i1->SetWidth(123);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    g->SaveColumnsToStream(buffer);
    EXPECT_TRUE(buffer.data().startsWith("TPF0\x10TDazColumnGridIO\x00\x05Items\x0e"));

    auto h = MakeGrid(3);
    buffer.seek(0);
    h->LoadColumnsFromStream(buffer);
    TGridColumnItem *o = h->Columns().Items(1);
    EXPECT_EQ(o->AutoMinSize(), 11);
    EXPECT_EQ(o->AutoMaxSize(), 222);
    EXPECT_EQ(o->Alignment(), taCenter);
    EXPECT_EQ(o->Borders(), (TCellBorders{cbTop, cbBottom}));
    EXPECT_EQ(o->BorderPen().Color(), clBlack);
    EXPECT_EQ(o->BorderPen().Width(), 3);
    EXPECT_EQ(o->CheckFalse(), "nein");
    EXPECT_EQ(o->CheckTrue(), "ja");
    EXPECT_EQ(o->Color(), TColor(0x00123456));
    EXPECT_EQ(o->ColumnPopupType(), cpAllCellsLClick);
    EXPECT_EQ(o->ComboItems().ToStringList(), i1->ComboItems().ToStringList());
    EXPECT_EQ(o->DropDownCount(), 12);
    EXPECT_EQ(o->EditLength(), 40000);
    EXPECT_EQ(o->EditMask(), "999");
    EXPECT_EQ(o->Editor(), edComboEdit);
    EXPECT_EQ(o->Filter().ToStringList(), QStringList{"big=>100"});
    EXPECT_TRUE(o->FilterCaseSensitive());
    EXPECT_TRUE(o->Fixed());
    EXPECT_EQ(o->FloatFormat(), "%.3f");
    EXPECT_EQ(o->Font().Value(), i1->Font().Value());
    EXPECT_EQ(o->Header(), "Header");
    EXPECT_EQ(h->Cells(1, 0), "Header");
    EXPECT_EQ(o->HeaderAlignment(), taRightJustify);
    EXPECT_EQ(o->HeaderFont().Style(), TFontStyles(fsItalic));
    EXPECT_EQ(o->MinSize(), 20);
    EXPECT_EQ(o->MaxSize(), 300);
    EXPECT_EQ(o->Name(), "col1");
    EXPECT_TRUE(o->Password());
    EXPECT_FALSE(o->PrintBorderCustom());
    EXPECT_EQ(o->PrintBorders(), TCellBorders{cbLeft});
    EXPECT_EQ(o->PrintBorderPen().Width(), 2);
    EXPECT_EQ(o->PrintColor(), clSilver);
    EXPECT_FALSE(o->PrintFontCustom());
    EXPECT_TRUE(o->ReadOnly());
    EXPECT_TRUE(o->ShowBands());
    EXPECT_EQ(o->SortStyle(), ssDate);
    EXPECT_EQ(o->SortPrefix(), "<");
    EXPECT_EQ(o->SortSuffix(), QString(300, u'x'));
    EXPECT_EQ(o->SpinMax(), -70000);
    EXPECT_EQ(o->SpinMin(), -5);
    EXPECT_EQ(o->SpinStep(), 7);
    EXPECT_EQ(o->Tag(), -1);
    EXPECT_EQ(o->Width(), 123);
    EXPECT_EQ(h->ColCount(), 3);
    // An untouched item keeps the defaults.
    EXPECT_EQ(h->Columns().Items(2)->CheckTrue(), "Y");
    EXPECT_TRUE(h->Columns().Items(2)->PrintFontCustom());
}

TEST(ColumnGrid, ADamagedStreamIsRefusedWithAReadError)
{
    auto g = MakeGrid(3);
    g->Columns().Items(1)->SetHeader("kept");
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    g->SaveColumnsToStream(buffer);
    const QByteArray good = buffer.data();
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("XPF0"),
        good.left(good.size() / 2),
        good.left(good.size() - 1),
        QByteArray("TPF0\x05TForm\x00\x00\x00", 13),
        good.left(30) + QByteArray(1, char(99)) + good.mid(31),
    };
    for (const QByteArray &bytes : cases) {
        auto h = MakeGrid(3);
        h->Columns().Items(1)->SetHeader("before");
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        EXPECT_THROW(h->LoadColumnsFromStream(in), EReadError) << bytes.toHex().toStdString();
        EXPECT_EQ(h->Columns().Count(), 3);
        EXPECT_EQ(h->Columns().Items(1)->Header(), "before");
    }
}

TEST(ColumnGrid, FormattedCellsUseTheColumnFloatFormat)
{
    auto g = MakeGrid(3);
    g->Columns().Items(1)->SetFloatFormat("%.3f");
    g->SetCells(1, 1, "2.5");
    g->SetCells(1, 2, "abc");
    EXPECT_EQ(g->GetFormattedCell(1, 1), "2.500");
    EXPECT_EQ(g->GetFormattedCell(1, 2), "abc");
    g->Columns().Items(1)->SetFloatFormat("%s%n");   // no crash on a hostile format
    EXPECT_NO_FATAL_FAILURE(g->GetFormattedCell(1, 1));
    EXPECT_EQ(g->GetVersionNr(), 50397953);
    EXPECT_EQ(g->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST(ColumnGrid, FilterChoicesOfAColumnAreOfferedByTheirNames)
{
    auto g = MakeGrid(3);
    g->Columns().Items(1)->Filter().Add("Large=>1000");
    g->Columns().Items(1)->Filter().Add("Small=<10");
    g->Columns().Items(1)->Filter().Add("Zero");
    EXPECT_TRUE(g->GetFilterList(1));
    EXPECT_EQ(g->FilterList().ToStringList(), (QStringList{"Large", "Small", "Zero"}));
    g->SetFilterDropDownAuto(true);
    g->SetCells(2, 1, "b");
    g->SetCells(2, 2, "a");
    EXPECT_TRUE(g->GetFilterList(2));   // no choices of its own: the column's texts
    EXPECT_TRUE(g->FilterList().ToStringList().contains("a"));
}

TEST(ColumnGrid, AClickOnTheHeaderOfAColumnWithAPopupShowsIt)
{
    auto g = MakeGrid(4);
    QMenu menu;
    menu.addAction("one");
    g->Columns().Items(2)->SetColumnPopup(&menu);
    g->Columns().Items(2)->SetColumnPopupType(cpFixedCellsLClick);
    g->resize(400, 200);
    g->show();
    QApplication::processEvents();
    QStringList popups;
    g->OnColumnPopup = [&](TObject *, int C, int R, QMenu *M) {
        popups << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(M == &menu);
    };
    auto click = [&](int ACol, int ARow, Qt::MouseButton B) {
        const TRect r = g->CellRect(ACol, ARow);
        const QPointF p(r.Left + 20, r.Top + 5);
        QMouseEvent press(QEvent::MouseButtonPress, p, g->viewport()->mapToGlobal(p), B, B,
                          Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, g->viewport()->mapToGlobal(p), B,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &release);
    };
    click(2, 0, Qt::LeftButton);
    EXPECT_EQ(popups, QStringList{"2,0 1"});
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    click(2, 0, Qt::RightButton);   // another kind of click
    click(1, 0, Qt::LeftButton);    // a column without a menu
    EXPECT_EQ(popups.size(), 1);
    EXPECT_FALSE(menu.isVisible());
}
