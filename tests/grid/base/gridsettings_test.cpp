// The grid's settings objects: defaults, change notification and copy rules.
#include "grid/base/gridsettings.h"

#include <gtest/gtest.h>

namespace {

// Counts the notifications of one settings object.
template <class T>
struct TCounted
{
    template <class... A>
    explicit TCounted(A &&...args) : Obj(std::forward<A>(args)...)
    {
        Obj.OnChange = [this](TObject *Sender) {
            EXPECT_EQ(Sender, &Obj);
            ++Changes;
        };
    }
    T Obj;
    int Changes = 0;
};

}   // namespace

TEST(SearchFooterTest, DefaultsWithAndWithoutDesignTexts)
{
    TSearchFooter design(nullptr, true), plain(nullptr, false);
    EXPECT_EQ(design.FindNextCaption(), "Find &next");
    EXPECT_EQ(design.FindPrevCaption(), "Find &previous");
    EXPECT_EQ(design.MatchCaseCaption(), "Match case");
    EXPECT_EQ(design.HighLightCaption(), "Highlight");
    EXPECT_EQ(design.HintClose(), "Close");
    EXPECT_EQ(design.HintFindPrev(), "Find previous occurrence");
    EXPECT_EQ(design.HintHighlight(), "Highlight occurrences");
    EXPECT_EQ(design.HintFindNext(), "Find next occurrence");
    for (const QString &s : {plain.FindNextCaption(), plain.FindPrevCaption(),
                             plain.MatchCaseCaption(), plain.HighLightCaption(), plain.HintClose(),
                             plain.HintFindPrev(), plain.HintHighlight(), plain.HintFindNext()})
        EXPECT_TRUE(s.isEmpty());
    EXPECT_TRUE(plain.ShowFindPrev() && plain.ShowFindNext() && plain.ShowClose() &&
                plain.ShowHighLight() && plain.ShowMatchCase() && plain.AutoSearch());
    EXPECT_FALSE(plain.Visible() || plain.AutoThemeAdapt() || plain.AlwaysHighLight() ||
                 plain.SearchActiveColumnOnly() || plain.SearchMatchStart() ||
                 plain.SearchFixedCells() || plain.SearchHiddenRows());
    EXPECT_EQ(plain.Color(), clWhite);
    EXPECT_EQ(plain.ColorTo(), clBtnFace);
    EXPECT_EQ(plain.SearchColumn(), -1);
    EXPECT_EQ(plain.SearchDirection(), sdTopBottom);
}

TEST(SearchFooterTest, SomeSettersNotifyOnlyOnChangeOthersAlways)
{
    TCounted<TSearchFooter> f(nullptr, false);
    f.Obj.SetVisible(false);        // unchanged: nothing
    f.Obj.SetShowFindNext(true);
    f.Obj.SetShowMatchCase(true);
    EXPECT_EQ(f.Changes, 0);
    f.Obj.SetVisible(true);
    EXPECT_EQ(f.Changes, 1);
    f.Obj.SetShowClose(true);       // always
    f.Obj.SetColor(clWhite);
    f.Obj.SetHintClose("");
    f.Obj.SetAutoThemeAdapt(false);
    EXPECT_EQ(f.Changes, 5);
    f.Obj.SetSearchColumn(3);       // plain fields
    f.Obj.SetAutoSearch(false);
    f.Obj.SetLastSearch("x");
    EXPECT_EQ(f.Changes, 5);
    TFontObject font;
    font.SetSize(15);
    f.Obj.SetFont(font);
    EXPECT_EQ(f.Obj.Font().Size(), 15);
    EXPECT_EQ(f.Changes, 6);
}

TEST(SearchFooterTest, AssignSkipsAutoSearchAndFixedCellsAndDoesNotNotify)
{
    TSearchFooter src(nullptr, true);
    src.SetAutoSearch(false);
    src.SetSearchFixedCells(true);
    src.SetSearchColumn(4);
    src.SetColor(clRed);
    src.SetLastSearch("find me");
    src.Font().SetSize(20);
    TCounted<TSearchFooter> dst(nullptr, false);
    dst.Obj.Assign(&src);
    EXPECT_EQ(dst.Changes, 0);
    EXPECT_EQ(dst.Obj.FindNextCaption(), "Find &next");
    EXPECT_EQ(dst.Obj.SearchColumn(), 4);
    EXPECT_EQ(dst.Obj.Color(), clRed);
    EXPECT_EQ(dst.Obj.Font().Size(), 20);
    EXPECT_TRUE(dst.Obj.AutoSearch());
    EXPECT_FALSE(dst.Obj.SearchFixedCells());
    EXPECT_EQ(dst.Obj.LastSearch(), "");
}

TEST(NavigationTest, DefaultsAndNotification)
{
    TCounted<TNavigation> n;
    const TNavigation &o = n.Obj;
    EXPECT_EQ(o.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(o.TabAdvanceDirection(), adLeftRight);
    EXPECT_EQ(o.InsertPosition(), pInsertBefore);
    EXPECT_EQ(o.ClipboardPasteAction(), paReplace);
    EXPECT_EQ(o.HomeEndKey(), heFirstLastColumn);
    EXPECT_EQ(o.CursorAdvance(), caDefault);
    EXPECT_TRUE(o.AdvanceOnEnterLoop() && o.AdvanceAutoEdit() && o.AdvanceSkipReadOnlyCells() &&
                o.AllowCtrlEnter() && o.AllowClipboardRowGrow() && o.AllowClipboardColGrow() &&
                o.EditSelectAll() && o.ComboGetUpDown() && o.CursorWalkAlwaysEdit() &&
                o.LeftRightRowSelect() && o.CopyHTMLTagsToClipboard() && o.SkipFixedCells() &&
                o.SkipDisabledRows());
    EXPECT_FALSE(o.AllowInsertRow() || o.AllowDeleteRow() || o.AlwaysEdit() ||
                 o.AdvanceOnEnter() || o.AdvanceInsert() || o.AutoGotoWhenSorted() ||
                 o.AdvanceAuto() || o.KeepScrollOnSort() || o.TabToNextAtEnd());

    n.Obj.SetAdvanceDirection(adLeftRight);
    n.Obj.SetAdvanceInsert(false);
    EXPECT_EQ(n.Changes, 0);
    n.Obj.SetAdvanceDirection(adTopBottom);
    n.Obj.SetAdvanceInsert(true);
    EXPECT_EQ(n.Changes, 2);
    n.Obj.SetAdvanceAuto(true);   // switches AdvanceOnEnter on, silently
    EXPECT_TRUE(o.AdvanceOnEnter());
    EXPECT_EQ(n.Changes, 2);
}

TEST(NavigationTest, AssignKeepsKeepScrollOnSort)
{
    TNavigation src, dst;
    src.SetTabAdvanceDirection(adTopBottomInCol);
    src.SetKeepScrollOnSort(true);
    src.SetAllowInsertRow(true);
    int changes = 0;
    dst.OnChange = [&](TObject *) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(dst.TabAdvanceDirection(), adTopBottomInCol);
    EXPECT_TRUE(dst.AllowInsertRow());
    EXPECT_FALSE(dst.KeepScrollOnSort());
    ASSERT_TRUE(dst.OnChange);   // the target keeps its own handler
    dst.SetAdvanceDirection(adTopBottom);
    EXPECT_EQ(changes, 1);
}

TEST(MouseActionsTest, DefaultsAndSideEffects)
{
    TMouseActions m(nullptr);
    EXPECT_EQ(m.WheelIncrement(), 0);
    EXPECT_EQ(m.WheelAction(), waMoveSelection);
    EXPECT_EQ(m.FixedRowsEdit(), fceNone);
    EXPECT_EQ(m.FixedColsEditor(), fceEdit);
    EXPECT_TRUE(m.AutoSizeColOnDblClick() && m.PreciseNodeClick());
    EXPECT_FALSE(m.RowSelect() || m.DisjunctRowSelect() || m.HotmailRowSelect() ||
                 m.EditOnDblClickOnly() || m.CheckAllCheck());
    EXPECT_EQ(m.FixedComboValues().Count(), 0);

    int changes = 0, invalidates = 0, disables = 0;
    m.OnChange = [&](TObject *) { ++changes; };
    m.OnInvalidate = [&](TObject *) { ++invalidates; };
    m.OnDisableEdit = [&](TObject *) { ++disables; };
    m.SetWheelAction(waMoveSelection);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(changes, 1);
    m.SetHotmailRowSelect(false);
    EXPECT_EQ(invalidates, 1);
    EXPECT_FALSE(m.DisjunctRowSelect());
    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect() && m.CheckAllCheck());
    EXPECT_EQ(invalidates, 2);
    m.SetEditOnDblClickOnly(false);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disables, 1);
}

TEST(MouseActionsTest, DisjunctSelectionsExcludeEachOtherOnlyAtDesignTime)
{
    TMouseActions m(nullptr);
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);   // no OnIsDesigning: run time
    EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctColSelect());
    m.OnIsDesigning = [](TObject *, bool &Designing) { Designing = true; };
    m.SetDisjunctCellSelect(true);
    EXPECT_TRUE(m.DisjunctCellSelect());
    EXPECT_FALSE(m.DisjunctRowSelect() || m.DisjunctColSelect());
    m.SetDisjunctRowSelectDirect(true);   // the same field, no side effect
    EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctCellSelect());
}

TEST(MouseActionsTest, AssignSkipsTheFourExcludedSettings)
{
    TMouseActions src(nullptr), dst(nullptr);
    src.SetRowSelect(true);
    src.SetSizeFixedRow(true);
    src.SetSizeFixedCol(true);
    src.SetHotmailRowSelect(true);
    src.SetEditOnDblClickOnly(true);
    src.FixedComboValues().Add("a");
    dst.Assign(&src);
    EXPECT_TRUE(dst.RowSelect() && dst.SizeFixedCol() && dst.DisjunctRowSelect());
    EXPECT_FALSE(dst.SizeFixedRow() || dst.HotmailRowSelect() || dst.EditOnDblClickOnly());
    EXPECT_EQ(dst.FixedComboValues().Count(), 0);
    TStringList values;
    values.Add("x");
    values.Add("y");
    dst.SetFixedComboValues(values);
    values.Clear();
    EXPECT_EQ(dst.FixedComboValues().Count(), 2);   // a copy
}

TEST(SyncGridTest, RefusesItsOwnerAndForgetsADestroyedGrid)
{
    TStringGridBase owner;
    TSyncGrid s(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    auto other = std::make_unique<TStringGridBase>();
    s.SetGrid(other.get());
    EXPECT_EQ(s.Grid(), other.get());
    TSyncGrid copy(nullptr);
    s.SetSelectionRow(true);
    copy.Assign(&s);
    EXPECT_EQ(copy.Grid(), other.get());
    EXPECT_TRUE(copy.SelectionRow());
    other.reset();
    EXPECT_EQ(s.Grid(), nullptr);
}

TEST(BandsTest, LengthsAndColoursNotifyOnlyWhileActive)
{
    TCounted<TBands> b;
    EXPECT_EQ(b.Obj.TotalLength(), 2);
    EXPECT_EQ(b.Obj.PrimaryColor(), clInfoBk);
    EXPECT_EQ(b.Obj.SecondaryColor(), clWindow);
    b.Obj.SetPrimaryLength(3);
    EXPECT_EQ(b.Obj.TotalLength(), 4);
    b.Obj.SetPrimaryColor(clRed);
    EXPECT_EQ(b.Changes, 0);
    b.Obj.SetActive(true);
    EXPECT_EQ(b.Changes, 1);
    b.Obj.SetSecondaryLength(2);
    b.Obj.SetSecondaryColor(clRed);
    b.Obj.SetSecondaryColor(clRed);   // unchanged
    EXPECT_EQ(b.Changes, 3);
    EXPECT_EQ(b.Obj.TotalLength(), 5);

    TCounted<TBands> copy;
    copy.Obj.Assign(&b.Obj);
    EXPECT_EQ(copy.Changes, 0);
    EXPECT_TRUE(copy.Obj.Active());
    EXPECT_EQ(copy.Obj.TotalLength(), 5);
    EXPECT_EQ(copy.Obj.PrimaryColor(), clRed);
}

TEST(SettingsAssignTest, ForeignSourcesAreIgnored)
{
    TBands bands;
    TNavigation nav;
    TFocusHelper focus(nullptr);
    TSearchFooter footer(nullptr, false);
    TMouseActions mouse(nullptr);
    TSyncGrid sync(nullptr);
    bands.SetPrimaryLength(7);
    for (TPersistent *target : std::initializer_list<TPersistent *>{&nav, &focus, &footer, &mouse, &sync})
        EXPECT_NO_THROW(target->Assign(&bands));
    EXPECT_NO_THROW(bands.Assign(&nav));
    EXPECT_EQ(bands.PrimaryLength(), 7);
    TFocusHelper other(nullptr);
    other.SetEnabled(true);
    focus.Assign(&other);
    EXPECT_TRUE(focus.Enabled());
}
