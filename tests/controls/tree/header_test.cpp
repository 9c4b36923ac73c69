// Columns and header as a model: defaults, the empty collection, positions and the fixed
// area, width rules, header height and constraints, proportional, spring and auto-fit
// resizing, and the stream formats.
#include "tree_fixture.h"

#include "controls/tree/lazytreestream.h"

#include <QBuffer>
#include <QtEndian>

using enum TLTColumnOption;
using enum TLTHeaderOption;
using enum THeaderState;

namespace {

// A tree that counts what the header asks of it and answers column widths from a table.
class THeaderTree : public TTestTree
{
public:
    using TTestTree::TTestTree;
    using TBaseLazyTree::NotifyColumnResized;
    int HeaderRepaints = 0;
    int Sorts = 0;
    std::vector<int> MaxWidths;

    void InvalidateHeaderArea(const QRect &R) override
    {
        ++HeaderRepaints;
        TTestTree::InvalidateHeaderArea(R);
    }
    void SortTree(TColumnIndex, bool, bool) override { ++Sorts; }
    int GetMaxColumnWidth(TColumnIndex Column, bool) override
    {
        return size_t(Column) < MaxWidths.size() ? MaxWidths[size_t(Column)] : 0;
    }
};

TLazyTreeColumns &AddColumns(TTestTree &Tree, int Count, int Width = 100)
{
    TLazyTreeColumns &columns = Tree.Header().Columns();
    for (int i = 0; i < Count; ++i)
        columns.Add().SetWidth(Width);
    return columns;
}

std::vector<int> Widths(const TLazyTreeColumns &Columns)
{
    std::vector<int> w;
    for (int i = 0; i < Columns.Count(); ++i)
        w.push_back(Columns[i].Width());
    return w;
}

// Expected stream bytes, built value by value.
struct TBytes
{
    QByteArray Data;
    TBytes &I(int32_t V)
    {
        char raw[4];
        qToLittleEndian(V, raw);
        Data.append(raw, 4);
        return *this;
    }
    TBytes &S(const QString &V)
    {
        I(int32_t(V.size()));
        for (QChar c : V) {
            char raw[2];
            qToLittleEndian<uint16_t>(c.unicode(), raw);
            Data.append(raw, 2);
        }
        return *this;
    }
};

QByteArray Saved(const std::function<void(QIODevice &)> &Save)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    Save(buffer);
    return data;
}

void Load(const QByteArray &Data, const std::function<void(QIODevice &)> &Read)
{
    QByteArray copy = Data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Read(buffer);
}

}   // namespace

TEST(LazyTreeHeader, Defaults)
{
    THeaderTree tree;
    const TLTHeader &header = tree.Header();
    EXPECT_FALSE(header.Options().Contains(hoVisible));
    EXPECT_EQ(header.Height(), 19);
    EXPECT_EQ(header.DefaultHeight(), 19);
    EXPECT_EQ(header.MinHeight(), 10);
    EXPECT_EQ(header.MaxHeight(), 10000);
    EXPECT_EQ(header.Options().Bits(), 0x20Au);
    EXPECT_EQ(header.SplitterHitTolerance, 8);
    EXPECT_EQ(header.MainColumn(), NoColumn);
    EXPECT_EQ(header.SortColumn(), NoColumn);
    EXPECT_EQ(header.SortDirection(), TLTSortDirection::sdAscending);
    EXPECT_EQ(header.Background(), clBtnFace);
    EXPECT_FALSE(header.UseColumns());
    tree.show();
    tree.Header().Invalidate();
    EXPECT_EQ(tree.HeaderRepaints, 0);
    EXPECT_EQ(tree.HeaderRect().height(), 0);

    TLazyTreeColumn &column = tree.Header().Columns().Add();
    EXPECT_EQ(column.Options().Bits(), 0x88FFu);
    EXPECT_EQ(column.MinWidth(), 10);
    EXPECT_EQ(column.MaxWidth(), 10000);
    EXPECT_EQ(column.Margin(), 4);
    EXPECT_EQ(column.Spacing(), 3);
    EXPECT_EQ(column.ImageIndex(), -1);
    EXPECT_EQ(column.Width(), 50);
    EXPECT_EQ(column.LastWidth(), 50);
    EXPECT_EQ(column.Color(), clWindow);
    EXPECT_EQ(column.CheckType(), TCheckType::ctCheckBox);
    EXPECT_EQ(tree.Header().MainColumn(), 0);
}

// The scan window's trees: no columns at all.
TEST(LazyTreeHeader, EmptyCollectionAnswersEveryQuery)
{
    THeaderTree tree;
    ShowWithClient(tree, 150, 80);
    const TLazyTreeColumns &columns = tree.Header().Columns();
    EXPECT_EQ(columns.GetFirstColumn(), InvalidColumn);
    EXPECT_EQ(columns.GetFirstVisibleColumn(), InvalidColumn);
    EXPECT_EQ(columns.GetLastVisibleColumn(), InvalidColumn);
    EXPECT_EQ(columns.GetNextColumn(-1), InvalidColumn);
    EXPECT_EQ(columns.ColumnFromPosition(QPoint(10, 5)), InvalidColumn);
    EXPECT_EQ(columns.ColumnFromPosition(TColumnPosition(0)), NoColumn);
    EXPECT_EQ(columns.TotalWidth(), 0);
    EXPECT_EQ(columns.GetScrollWidth(), 18);
    int left = -5, right = -5;
    columns.GetColumnBounds(NoColumn, left, right);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 150);
    tree.Header().Columns().FitAutoSizeColumn(true);
    EXPECT_EQ(columns.Count(), 0);
}

TEST(LazyTreeHeader, LoadingWithoutColumnsKeepsMainColumnMinusOne)
{
    THeaderTree tree;
    tree.BeginLoading();
    tree.Header().BeginColumnsLoading();
    tree.Header().EndColumnsLoading();
    tree.Header().SetMainColumn(-1);
    tree.Loaded();
    EXPECT_EQ(tree.Header().MainColumn(), NoColumn);
    EXPECT_TRUE(tree.Header().Columns().PositionToIndex().empty());
}

TEST(LazyTreeHeader, InvisibleColumnKeepsItsPositionAndIsSkipped)
{
    THeaderTree tree;
    ShowWithClient(tree, 400, 80);
    TLazyTreeColumns &columns = AddColumns(tree, 3);
    columns[1].SetOptions(columns[1].Options() - TLTColumnOptions{coVisible});
    EXPECT_EQ(columns[1].Position(), 1u);
    EXPECT_EQ(columns[2].Left(), 100);
    EXPECT_EQ(columns.TotalWidth(), 200);
    EXPECT_EQ(columns.ColumnFromPosition(QPoint(150, 5)), 2);
    EXPECT_EQ(columns.GetNextVisibleColumn(0), 2);
    EXPECT_EQ(columns.GetPreviousVisibleColumn(2), 0);
    EXPECT_EQ(columns.GetVisibleColumns().size(), 2u);
    EXPECT_EQ(columns.ColumnFromPosition(QPoint(250, 5)), InvalidColumn);
}

TEST(LazyTreeHeader, DraggingIntoAndOutOfTheFixedArea)
{
    THeaderTree tree;
    TLazyTreeColumns &columns = AddColumns(tree, 3);
    columns[0].SetOptions(columns[0].Options() + TLTColumnOptions{coFixed});
    columns[2].SetPosition(0);
    EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 0, 1}));
    EXPECT_TRUE(columns[2].Options().Contains(coFixed));
    EXPECT_EQ(columns[0].Left(), 100);
    columns[0].SetPosition(2);
    EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 1, 0}));
    EXPECT_FALSE(columns[0].Options().Contains(coFixed));
    EXPECT_EQ(columns.GetVisibleFixedWidth(), 100);
    columns[1].SetPosition(99);   // clamped to the last position
    EXPECT_EQ(columns[1].Position(), 2u);
}

TEST(LazyTreeHeader, RemovingColumnsKeepsTheIndexesRight)
{
    THeaderTree tree;
    TLazyTreeColumns &columns = AddColumns(tree, 2);
    ASSERT_EQ(tree.Header().MainColumn(), 0);
    columns.Delete(0);
    EXPECT_EQ(tree.Header().MainColumn(), 0);
    columns.Delete(0);
    EXPECT_EQ(tree.Header().MainColumn(), NoColumn);

    // Indexes behind the removed column move down with it; the sort column that pointed at
    // it is gone.
    AddColumns(tree, 3);
    columns[2].SetPosition(0);
    tree.Header().SetMainColumn(2);
    tree.Header().SetSortColumn(1);
    columns.Delete(1);
    EXPECT_EQ(tree.Header().MainColumn(), 1);
    EXPECT_EQ(tree.Header().SortColumn(), NoColumn);
    EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{1, 0}));
    EXPECT_EQ(columns[1].Position(), 0u);
}

TEST(LazyTreeHeader, WidthLimits)
{
    THeaderTree tree;
    TLazyTreeColumn &column = AddColumns(tree, 1)[0];
    column.SetMinWidth(80);
    column.SetMaxWidth(60);
    EXPECT_EQ(column.MaxWidth(), 80);
    EXPECT_EQ(column.Width(), 80);
    column.SetMaxWidth(200);
    column.SetMinWidth(300);
    EXPECT_EQ(column.MinWidth(), 200);
    EXPECT_EQ(column.Width(), 200);
    EXPECT_EQ(column.LastWidth(), 80);
    column.SetMinWidth(-5);
    EXPECT_EQ(column.MinWidth(), 0);
    column.SetWidth(500);
    EXPECT_EQ(column.Width(), 200);
    column.SetMargin(-3);
    EXPECT_EQ(column.Margin(), 4);
}

TEST(LazyTreeHeader, AutoSizeColumnKeepsFillingTheClient)
{
    THeaderTree tree;
    ShowWithClient(tree, 300, 80);
    TLazyTreeColumns &columns = AddColumns(tree, 2);
    tree.Header().SetAutoSizeIndex(1);
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{hoAutoResize});
    EXPECT_EQ(columns[1].Width(), 200);
    columns[1].SetWidth(50);
    EXPECT_EQ(columns[1].Width(), 200);
    columns[0].SetWidth(120);
    EXPECT_EQ(columns[1].Width(), 180);
    EXPECT_EQ(columns.TotalWidth(), 300);
}

TEST(LazyTreeHeader, AnimatedResizeEndsAtTheNearerLimit)
{
    THeaderTree tree;
    TLazyTreeColumn &column = AddColumns(tree, 1)[0];
    column.SetMinWidth(40);
    column.SetMaxWidth(150);
    tree.Header().Columns().AnimatedResize(0, 5000);
    EXPECT_EQ(column.Width(), 150);
    tree.Header().Columns().AnimatedResize(0, 1);
    EXPECT_EQ(column.Width(), 40);
    column.RestoreLastWidth();
    EXPECT_EQ(column.Width(), 150);
}

TEST(LazyTreeHeader, ColumnResizeNotice)
{
    THeaderTree tree;
    ShowWithClient(tree, 300, 80);
    TLazyTreeColumns &columns = AddColumns(tree, 2);
    PLazyNode multi = tree.AddChild(nullptr);
    PLazyNode plain = tree.AddChild(nullptr);
    tree.ValidateNode(nullptr, true);
    multi->States += {vsMultiline, vsHeightMeasured};
    plain->States += {vsHeightMeasured};
    std::vector<TColumnIndex> resized;
    tree.OnColumnResize = [&](TLTHeader *Sender, TColumnIndex Column) {
        EXPECT_EQ(Sender, &tree.Header());
        // The multi-line node is measured again for the new width before the event.
        EXPECT_FALSE(multi->Has(vsHeightMeasured));
        resized.push_back(Column);
    };
    columns[1].SetWidth(70);
    EXPECT_EQ(resized, (std::vector<TColumnIndex>{1}));
    EXPECT_TRUE(plain->Has(vsHeightMeasured));
    // Proportional resizing applies its widths silently.
    tree.Header().ResizeColumns(-20, 0, 1);
    EXPECT_EQ(resized.size(), 1u);
    // Inside a collection update nothing is announced.
    columns.BeginUpdate();
    columns[0].SetWidth(30);
    columns.EndUpdate();
    EXPECT_EQ(resized.size(), 1u);
}

TEST(LazyTreeHeader, HeightBeforeTheWindowIsClampedWhenLoadingEnds)
{
    THeaderTree tree;
    tree.BeginLoading();
    tree.Header().SetHeight(5);
    EXPECT_EQ(tree.Header().Height(), 5);
    EXPECT_TRUE(tree.Header().States().Contains(hsNeedScaling));
    tree.Loaded();
    EXPECT_EQ(tree.Header().Height(), 10);
}

TEST(LazyTreeHeader, HeightPercentages)
{
    THeaderTree tree;
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{hoVisible});
    tree.Header().SetHeight(20);
    ShowWithClient(tree, 200, 100);
    ASSERT_EQ(tree.HeaderRect().height(), 20);
    tree.Header().FixedAreaConstraints().SetMaxHeightPercent(50);
    tree.Header().SetHeight(90);
    EXPECT_EQ(tree.Header().Height(), 60);
    EXPECT_EQ(tree.HeaderRect().height(), 60);
    EXPECT_TRUE(tree.Header().InHeader(QPoint(5, -3)));
    EXPECT_FALSE(tree.Header().InHeader(QPoint(5, 3)));
    EXPECT_TRUE(tree.Header().InHeaderSplitterArea(QPoint(5, 1)));
    EXPECT_FALSE(tree.Header().InHeaderSplitterArea(QPoint(5, 3)));
}

TEST(LazyTreeHeader, ConstraintPercentagesPullAndPush)
{
    THeaderTree tree;
    TLTFixedAreaConstraints &c = tree.Header().FixedAreaConstraints();
    c.SetMinHeightPercent(40);
    c.SetMaxHeightPercent(30);
    EXPECT_EQ(c.MinHeightPercent(), 30);
    c.SetMaxWidthPercent(20);
    c.SetMinWidthPercent(50);
    EXPECT_EQ(c.MaxWidthPercent(), 50);
    c.SetMaxHeightPercent(0);
    c.SetMinHeightPercent(70);
    EXPECT_EQ(c.MaxHeightPercent(), 0);
    EXPECT_TRUE(tree.Header().States().Contains(hsNeedScaling));
}

TEST(LazyTreeHeader, SortChangesSortOnlyOutsideUpdates)
{
    THeaderTree tree;
    AddColumns(tree, 2);
    TLTAutoOptions autoOptions = tree.TreeOptions().AutoOptions();
    autoOptions.Exclude(toAutoSort);
    tree.TreeOptions().SetAutoOptions(autoOptions);
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{hoHeaderClickAutoSort});
    tree.BeginUpdate();
    tree.Header().SetSortDirection(TLTSortDirection::sdDescending);
    tree.EndUpdate();
    EXPECT_EQ(tree.Sorts, 0);
    tree.Header().SetSortDirection(TLTSortDirection::sdAscending);
    EXPECT_EQ(tree.Sorts, 1);
    tree.Header().SetSortColumn(7);
    EXPECT_EQ(tree.Header().SortColumn(), 1);
    EXPECT_EQ(tree.Sorts, 2);
    tree.Header().SetSortColumn(-9);
    EXPECT_EQ(tree.Header().SortColumn(), NoColumn);
}

TEST(LazyTreeHeader, ResizeColumnsSpreadsEvenlyWithOddPixelsInTurn)
{
    THeaderTree tree;
    TLazyTreeColumns &columns = AddColumns(tree, 3);
    EXPECT_EQ(tree.Header().ResizeColumns(0, 0, 2), 0);
    EXPECT_EQ(tree.Header().ResizeColumns(-10, 0, 2), -10);
    EXPECT_EQ(Widths(columns), (std::vector<int>{97, 97, 96}));
    EXPECT_EQ(tree.Header().ResizeColumns(-1, 0, 2), -1);
    EXPECT_EQ(Widths(columns), (std::vector<int>{97, 96, 96}));
    // Growing stops at the maximum of each column.
    columns[0].SetMaxWidth(98);
    EXPECT_EQ(tree.Header().ResizeColumns(9, 0, 2), 9);
    EXPECT_EQ(columns[0].Width(), 98);
    EXPECT_EQ(columns[1].Width() + columns[2].Width(), 96 + 96 + 8);
    // Columns without the asked options are left alone.
    columns[1].SetOptions(columns[1].Options() + TLTColumnOptions{coFixed});
    const int before2 = columns[2].Width();
    EXPECT_EQ(tree.Header().ResizeColumns(-4, 0, 2, {coVisible, coFixed}), -4);
    EXPECT_EQ(columns[2].Width(), before2);
}

TEST(LazyTreeHeader, SpringColumnsShareTheHeaderGrowth)
{
    THeaderTree tree;
    ShowWithClient(tree, 300, 80);
    TLazyTreeColumns &columns = AddColumns(tree, 3);
    for (int i : {0, 2})
        columns[i].SetOptions(columns[i].Options() + TLTColumnOptions{coAutoSpring});
    tree.Header().SetOptions(tree.Header().Options() + TLTHeaderOptions{hoAutoSpring});
    tree.resize(tree.width() + 5, tree.height());
    EXPECT_EQ(Widths(columns), (std::vector<int>{102, 100, 102}));
    EXPECT_FLOAT_EQ(columns[0].SpringRest(), 0.5f);
    EXPECT_FLOAT_EQ(columns[2].SpringRest(), 0.5f);
    tree.resize(tree.width() + 1, tree.height());
    EXPECT_EQ(Widths(columns), (std::vector<int>{103, 100, 103}));
}

TEST(LazyTreeHeader, AutoFitColumnsRange)
{
    THeaderTree tree;
    TLazyTreeColumns &columns = AddColumns(tree, 3);
    tree.MaxWidths = {40, 60, 80};
    int operations = 0;
    tree.OnStartOperation = [&](TBaseLazyTree *, TLTOperationKind Kind) {
        EXPECT_EQ(Kind, okAutoFitColumns);
        ++operations;
    };
    tree.Header().AutoFitColumns(false, TSmartAutoFitType::smaNoColumn, 5, 2);
    EXPECT_EQ(operations, 0);
    EXPECT_EQ(Widths(columns), (std::vector<int>{100, 100, 100}));
    std::vector<TColumnIndex> fitted;
    tree.OnBeforeAutoFitColumn = [&](TLTHeader *, TColumnIndex Column, TSmartAutoFitType &,
                                     bool &Allowed) { Allowed = Column != 2; };
    tree.OnAfterAutoFitColumn = [&](TLTHeader *, TColumnIndex Column) { fitted.push_back(Column); };
    tree.Header().AutoFitColumns(false, TSmartAutoFitType::smaNoColumn, 1, 99);
    EXPECT_EQ(operations, 1);
    EXPECT_EQ(fitted, (std::vector<TColumnIndex>{1}));
    EXPECT_EQ(Widths(columns), (std::vector<int>{100, 60, 100}));
    EXPECT_EQ(tree.OperationCount(), 0u);
}

// ---------------------------------------------------------------------------------------
// Streams

TEST(LazyTreeHeader, ColumnStreamByteForByte)
{
    THeaderTree tree;
    TLazyTreeColumn &column = AddColumns(tree, 1, 77)[0];
    column.SetText(QStringLiteral("Wert"));
    column.SetHint(QStringLiteral("h"));
    column.Tag = 9;
    const QByteArray plain = Saved([&](QIODevice &D) { column.SaveToStream(D); });
    TBytes expected;
    expected.S("Wert").S("h").I(77).I(10).I(10000).I(0).I(-1).I(0).I(4).I(3).I(0).I(0x88FF).I(9).I(0)
        .I(clWindow);
    EXPECT_EQ(plain, expected.Data);

    column.SetCaptionAlignment(TLTAlignment::taCenter);
    const QByteArray withCaption = Saved([&](QIODevice &D) { column.SaveToStream(D); });
    EXPECT_EQ(withCaption.size(), plain.size() + 4);
    EXPECT_EQ(withCaption.right(4), TBytes().I(2).Data);
}

TEST(LazyTreeHeader, CollectionAndHeaderBlocksByteForByte)
{
    THeaderTree tree;
    TLazyTreeColumns &columns = AddColumns(tree, 2, 60);
    columns[1].SetPosition(0);
    columns.SetDefaultWidth(33);
    const QByteArray collection = Saved([&](QIODevice &D) { columns.SaveToStream(D); });
    const QByteArray column0 = Saved([&](QIODevice &D) { columns[0].SaveToStream(D); });
    const QByteArray column1 = Saved([&](QIODevice &D) { columns[1].SaveToStream(D); });
    EXPECT_EQ(collection, TBytes().I(2).Data + column0 + column1 + TBytes().I(1).I(0).I(33).Data);

    TLTHeader &header = tree.Header();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    header.SetFont(font);
    header.SetSortColumn(1);
    const QByteArray block = Saved([&](QIODevice &D) { header.SaveToStream(D); });
    TBytes tail;
    tail.I(header.AutoSizeIndex()).I(clBtnFace).I(header.Height()).I(0x20A).I(0).I(clWindowText)
        .I(-13);
    const QByteArray name = QByteArrayLiteral("DejaVu Sans");
    tail.I(int32_t(name.size()));
    tail.Data += name;
    tail.I(0).I(1).I(0).I(1).I(0).I(0).I(10000).I(10).I(19).I(0).I(0).I(0).I(0);
    EXPECT_EQ(block, TBytes().I(-1).I(6).Data + collection + tail.Data);
}

TEST(LazyTreeHeader, WriteAndReadBackKeepsEveryValue)
{
    THeaderTree source;
    TLazyTreeColumns &columns = AddColumns(source, 3, 70);
    columns[0].SetText(QStringLiteral("Zähler"));
    columns[1].SetOptions(columns[1].Options() + TLTColumnOptions{coFixed, coSmartResize});
    columns[2].SetAlignment(TLTAlignment::taRightJustify);
    columns[2].SetCaptionAlignment(TLTAlignment::taCenter);
    columns[2].SetColor(clYellow);
    columns[2].SetMinWidth(20);
    columns[2].SetMaxWidth(300);
    columns[2].SetPosition(0);
    TLTHeader &header = source.Header();
    header.SetOptions(header.Options() + TLTHeaderOptions{hoShowImages, hoAutoSpring});
    header.SetMainColumn(2);
    header.SetSortColumn(1);
    header.SetSortDirection(TLTSortDirection::sdDescending);
    header.SetStyle(TLTHeaderStyle::hsPlates);
    header.SetBackground(clAqua);
    header.FixedAreaConstraints().SetMaxWidthPercent(40);
    const QByteArray block = Saved([&](QIODevice &D) { header.SaveToStream(D); });

    THeaderTree target;
    std::vector<TColumnIndex> notices;
    target.OnColumnResize = [&](TLTHeader *, TColumnIndex C) { notices.push_back(C); };
    target.show();
    Load(block, [&](QIODevice &D) { target.Header().LoadFromStream(D); });
    EXPECT_TRUE(target.Header().Columns().Equals(columns));
    EXPECT_EQ(target.Header().Options(), header.Options());
    EXPECT_EQ(target.Header().MainColumn(), 2);
    EXPECT_EQ(target.Header().SortColumn(), 1);
    EXPECT_EQ(target.Header().SortDirection(), TLTSortDirection::sdDescending);
    EXPECT_EQ(target.Header().Style(), TLTHeaderStyle::hsPlates);
    EXPECT_EQ(target.Header().Background(), clAqua);
    EXPECT_EQ(target.Header().FixedAreaConstraints().MaxWidthPercent(), 40);
    EXPECT_EQ(Saved([&](QIODevice &D) { target.Header().SaveToStream(D); }), block);
    EXPECT_FALSE(target.Header().States().Contains(hsLoading));
    EXPECT_EQ(notices, (std::vector<TColumnIndex>{NoColumn}));
}

TEST(LazyTreeHeader, OlderStreams)
{
    // Version 1: options 0xFF read as 0xEF, no colour.
    THeaderTree tree;
    TLazyTreeColumn &column = tree.Header().Columns().Add();
    TBytes v1;
    v1.S("").S("").I(90).I(10).I(500).I(0).I(-1).I(0).I(4).I(3).I(0).I(0xFF).I(5).I(1);
    Load(v1.Data, [&](QIODevice &D) { column.LoadFromStream(D, 1); });
    EXPECT_EQ(column.Options().Bits(), 0xEFu);
    EXPECT_EQ(column.Tag, 5);
    EXPECT_EQ(column.Alignment(), TLTAlignment::taRightJustify);

    // A header block without marker: version -1, no main or sort column, no height limits.
    THeaderTree old;
    TBytes block;
    block.I(1).S("A").S("").I(80).I(10).I(10000).I(0).I(-1).I(0).I(4).I(3).I(0).I(0x7F).I(0);
    block.I(0).I(clBtnFace).I(25).I(0x400).I(0).I(0).I(-11);
    block.I(4);
    block.Data += QByteArrayLiteral("Sans");
    block.I(0).I(0);
    Load(block.Data, [&](QIODevice &D) { old.Header().LoadFromStream(D); });
    ASSERT_EQ(old.Header().Columns().Count(), 1);
    EXPECT_EQ(old.Header().Columns()[0].Options().Bits(), 0xEFu & 0xFF);   // bit 4 inserted
    EXPECT_EQ(old.Header().Columns()[0].Text(), QStringLiteral("A"));
    EXPECT_EQ(old.Header().SortColumn(), NoColumn);
    EXPECT_EQ(old.Header().MaxHeight(), 10000);
    EXPECT_TRUE(old.Header().Options().Contains(hoVisible));
}

// Damaged streams end in an error and never read or allocate without bound; a position map
// that is no permutation is replaced by the indexes.
TEST(LazyTreeHeader, DamagedStreamsAreRefused)
{
    THeaderTree tree;
    auto loadColumns = [&](const QByteArray &Data) {
        Load(Data, [&](QIODevice &D) { tree.Header().Columns().LoadFromStream(D, 6); });
    };
    EXPECT_THROW(loadColumns(TBytes().I(0x7FFFFFFF).Data), ELazyTreeError);
    EXPECT_THROW(loadColumns(TBytes().I(1).I(0x7FFFFFF0).Data + QByteArray(60, 0)), ELazyTreeError);
    EXPECT_THROW(loadColumns(TBytes().I(1).Data + QByteArray(10, 0)), ELazyTreeError);

    THeaderTree source;
    AddColumns(source, 3);
    QByteArray data = Saved([&](QIODevice &D) { source.Header().Columns().SaveToStream(D); });
    // The map holds 2, 2, 0 instead of a permutation.
    const qsizetype map = data.size() - 16;
    data.replace(map, 12, TBytes().I(2).I(2).I(0).Data);
    loadColumns(data);
    EXPECT_EQ(tree.Header().Columns().PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));

    EXPECT_THROW(Load(TBytes().I(-1).I(6).I(0).Data,
                      [&](QIODevice &D) { tree.Header().LoadFromStream(D); }),
                 ELazyTreeError);
    EXPECT_FALSE(tree.Header().States().Contains(hsLoading));
}
