// The settings objects a string grid owns: defaults, copy rules and change notifications.
#include "grid/base/griddragdrop.h"
#include "grid/string/dropdownappearance.h"
#include "grid/string/filter.h"
#include "grid/string/gridlooksettings.h"
#include "grid/string/sortsettings.h"
#include "grid/string/stringgridsettings.h"
#include "platform/rtl.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Counts the notifications of one hook.
struct Counter
{
    int Count = 0;
    TNotifyEvent Hook() { return [this](TObject *) { ++Count; }; }
};

} // namespace

TEST(ColumnSize, StretchesOnlyOnAGridWithAParent)
{
    QWidget parent;
    auto *grid = new QWidget;
    TColumnSize size(grid);
    Counter stretched;
    size.OnStretch = stretched.Hook();
    EXPECT_EQ(size.StretchColumn(), -1);
    EXPECT_EQ(size.Location(), clRegistry);
    EXPECT_EQ(size.Rows(), arAll);

    size.SetStretch(true);
    EXPECT_TRUE(size.Stretch());
    EXPECT_EQ(stretched.Count, 0);
    grid->setParent(&parent);
    size.SetStretch(true);
    EXPECT_EQ(stretched.Count, 1);

    // Assign stores Stretch without stretching.
    TColumnSize other(grid);
    other.SetKey("k");
    other.SetStretchColumn(3);
    size.OnStretch = stretched.Hook();
    size.Assign(&other);
    EXPECT_FALSE(size.Stretch());
    EXPECT_EQ(size.Key(), "k");
    EXPECT_EQ(size.StretchColumn(), 3);
    EXPECT_EQ(stretched.Count, 1);
}

TEST(HTMLSettings, AssignKeepsExportImagesAndColumnWidths)
{
    THTMLSettings src, dst;
    src.SetExportImages(false);
    src.SetBorderSize(4);
    src.SetXHTML(true);
    src.ColWidths().Add(80);
    dst.Assign(&src);
    EXPECT_TRUE(dst.ExportImages());
    EXPECT_EQ(dst.ColWidths().Count(), 0);
    EXPECT_EQ(dst.BorderSize(), 4);
    EXPECT_TRUE(dst.XHTML());
    EXPECT_EQ(THTMLSettings().Width(), 100);
    EXPECT_TRUE(THTMLSettings().SaveColor());
}

TEST(PrintSettings, DefaultsAndCopyOfFontsAndLines)
{
    TPrintSettings src(nullptr), dst(nullptr);
    EXPECT_EQ(dst.DateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(dst.PageNumSep(), "/");
    EXPECT_EQ(dst.Borders(), pbSingle);
    EXPECT_TRUE(dst.Centered());
    EXPECT_TRUE(dst.UseDisplayFont());
    EXPECT_EQ(dst.BorderColor(), clBlack);

    src.HeaderFont().SetName("Courier");
    src.TitleLines().Add("Title");
    src.SetFixedCellsAlways(true);
    src.SetFitToPage(fpShrink);
    dst.Assign(&src);
    EXPECT_EQ(dst.HeaderFont().Name(), "Courier");
    EXPECT_EQ(dst.TitleLines().Text(), "Title\r\n");
    EXPECT_EQ(dst.FitToPage(), fpShrink);
    EXPECT_FALSE(dst.FixedCellsAlways());

    THTMLSettings html;
    EXPECT_THROW(dst.Assign(&html), EConvertError);
}

TEST(CellNode, RepaintsOnlyOnARealChangeAndAssignsSilently)
{
    TCellNode node;
    Counter changes;
    node.OnChange = changes.Hook();
    EXPECT_EQ(node.NodeType(), cnXP);
    EXPECT_EQ(node.NodeIndent(), 12);
    EXPECT_EQ(node.TreeColor(), clGray);
    EXPECT_EQ(node.Color(), clSilver);

    node.SetNodeIndent(12);
    node.SetShowTree(true);
    EXPECT_EQ(changes.Count, 0);
    node.SetNodeIndent(16);
    node.SetTreeColor(clSilver);
    node.SetNodeType(cnFlat);
    EXPECT_EQ(changes.Count, 3);

    TCellNode other;
    other.SetShowTreeFull(false);
    other.SetExpandOne(true);
    node.Assign(&other);
    EXPECT_EQ(changes.Count, 3);
    EXPECT_FALSE(node.ShowTreeFull());
    EXPECT_TRUE(node.ExpandOne());
    EXPECT_EQ(node.NodeIndent(), 12);
}

TEST(Grouping, AssignLeavesLineSettingsAndSummary)
{
    TGrouping src, dst;
    EXPECT_EQ(dst.HeaderLineWidth(), 2);
    EXPECT_EQ(dst.HeaderLineColor(), clBlue);
    src.SetHeaderLineWidth(5);
    src.SetSummaryLineColor(clRed);
    src.SetSummary(true);
    src.SetHeaderColor(clYellow);
    src.SetGroupCountFormat("(%d)");
    dst.Assign(&src);
    EXPECT_EQ(dst.HeaderLineWidth(), 2);
    EXPECT_EQ(dst.SummaryLineColor(), clBlue);
    EXPECT_FALSE(dst.Summary());
    EXPECT_EQ(dst.HeaderColor(), clYellow);
    EXPECT_EQ(dst.GroupCountFormat(), "(%d)");
}

TEST(BalloonAndShowModified, NotifyOnEveryWrite)
{
    TBalloonSettings balloon;
    Counter enabled;
    balloon.OnEnableChange = enabled.Hook();
    balloon.SetEnable(false);
    balloon.SetEnable(false);
    EXPECT_EQ(enabled.Count, 2);
    EXPECT_EQ(balloon.InitialDelay(), -1);

    TBalloonSettings src;
    src.SetTransparency(100);
    src.SetReshowDelay(30);
    balloon.Assign(&src);
    EXPECT_EQ(balloon.Transparency(), 0);
    EXPECT_EQ(balloon.ReshowDelay(), 30);

    TShowModified modified;
    Counter changed;
    modified.OnChange = changed.Hook();
    EXPECT_EQ(modified.Color(), clYellow);
    modified.SetColor(clYellow);
    EXPECT_EQ(changed.Count, 1);
}

TEST(DragDropSettings, DefaultsAndTheProcessWideRichTextSwitch)
{
    TDragDropSettings dd(nullptr);
    EXPECT_TRUE(dd.ShowCells());
    EXPECT_TRUE(dd.OleAcceptFiles() && dd.OleAcceptText() && dd.OleAcceptURLs());
    EXPECT_FALSE(dd.OleDropTarget() || dd.OleDropSource() || dd.OleDropRTF());
    Counter target;
    dd.OnDropTargetChange = target.Hook();
    dd.SetOleDropTarget(true);
    EXPECT_EQ(target.Count, 1);
    dd.SetOleDropRTF(true);
    EXPECT_TRUE(RTFDragDrop());
    dd.SetOleDropRTF(false);
    EXPECT_FALSE(RTFDragDrop());
}

TEST(SortSettings, HeaderColoursNotifyOnChangeAndAssignSkipsComparisonFlags)
{
    TSortSettings sort(nullptr);
    EXPECT_EQ(sort.Column(), -1);
    EXPECT_TRUE(sort.Full());
    EXPECT_TRUE(sort.AutoFormat());
    EXPECT_TRUE(sort.SortOnVirtualCells());
    EXPECT_EQ(sort.IndexColor(), clYellow);
    EXPECT_EQ(sort.HeaderColor(), clNone);

    Counter header;
    sort.OnHeaderChange = header.Hook();
    sort.SetHeaderColor(clNone);
    sort.SetHeaderColorTo(clRed);
    sort.SetHeaderColorTo(clRed);
    EXPECT_EQ(header.Count, 1);

    TSortSettings src(nullptr);
    src.SetIgnoreCase(true);
    src.SetSortOnVirtualCells(false);
    src.SetColumn(4);
    src.SetDirection(sdDescending);
    src.UpGlyph().SetImage(QImage(4, 4, QImage::Format_RGB32));
    sort.Assign(&src);
    EXPECT_FALSE(sort.IgnoreCase());
    EXPECT_TRUE(sort.SortOnVirtualCells());
    EXPECT_EQ(sort.Column(), 4);
    EXPECT_EQ(sort.Direction(), sdDescending);
    EXPECT_EQ(sort.UpGlyph().Width(), 4);
    sort.ToggleDirection();
    EXPECT_EQ(sort.Direction(), sdAscending);
}

TEST(Filter, AddedItemsMustAllHoldAndColumnLookUp)
{
    TFilter filter(nullptr);
    EXPECT_EQ(filter.Add()->Operation(), foNONE);
    EXPECT_EQ(filter.Add()->Operation(), foAND);
    TFilterData *inserted = filter.Insert(0);
    EXPECT_EQ(inserted->Operation(), foSHORT);
    EXPECT_EQ(filter.Items(0), inserted);

    filter.Items(1)->SetColumn(2);
    filter.Items(2)->SetColumn(2);
    EXPECT_EQ(filter.ColumnFilter(2), filter.Items(1));
    EXPECT_TRUE(filter.HasFilter(2));
    EXPECT_FALSE(filter.HasFilter(5));
    TFilterData *made = filter.ColumnFilter(5);
    EXPECT_EQ(made->Column(), 5);
    EXPECT_EQ(filter.Count(), 4);

    int repainted = -1;
    filter.OnColumnChange = [&](int col) { repainted = col; };
    filter.RemoveColumnFilter(2);
    EXPECT_EQ(filter.Count(), 2);
    EXPECT_FALSE(filter.HasFilter(2));
    EXPECT_EQ(repainted, 2);

    TFilterData src(nullptr), dst(nullptr);
    src.SetMethod(fmLiteral);
    src.SetCondition(">5");
    src.SetCaseSensitive(false);
    dst.Assign(&src);
    EXPECT_EQ(dst.Method(), fmLiteral);
    EXPECT_EQ(dst.Condition(), ">5");
    EXPECT_FALSE(dst.CaseSensitive());
}

TEST(FilterDropDown, GlyphChangesNotifyAndAssignSkipsAutoSize)
{
    TFilterDropDown dd;
    Counter changes;
    dd.OnChange = changes.Hook();
    EXPECT_EQ(dd.Width(), 150);
    EXPECT_EQ(dd.Height(), 150);
    EXPECT_EQ(dd.Color(), clWindow);
    dd.GlyphActive().SetImage(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_EQ(changes.Count, 1);

    TFilterDropDown src;
    src.SetAutoSize(true);
    src.SetWidth(90);
    dd.Assign(&src);
    EXPECT_FALSE(dd.AutoSize());
    EXPECT_EQ(dd.Width(), 90);
    EXPECT_TRUE(dd.GlyphActive().Empty());
}

TEST(LookSettings, BackgroundAlwaysNotifiesProgressOnlyOnChange)
{
    TBackGround bg;
    Counter bgChanges;
    bg.OnChange = bgChanges.Hook();
    EXPECT_EQ(bg.Display(), bdTile);
    EXPECT_EQ(bg.ColorTo(), clBtnFace);
    bg.SetTop(0);
    bg.SetTop(0);
    EXPECT_EQ(bgChanges.Count, 2);
    TBackGround other;
    other.SetDisplay(bdGradientVert);
    bg.Assign(&other);
    EXPECT_EQ(bgChanges.Count, 3);
    EXPECT_EQ(bg.Display(), bdGradientVert);

    TGridProgressAppearance progress;
    Counter changes;
    progress.OnChange = changes.Hook();
    EXPECT_EQ(progress.Level2Color(), 0x53A9FF);
    EXPECT_EQ(progress.Steps(), 11);
    progress.SetLevel1Perc(70);
    EXPECT_EQ(changes.Count, 0);
    progress.SetLevel1Perc(60);
    EXPECT_EQ(changes.Count, 1);
    TGridProgressAppearance src;
    src.SetStyle(psClassic);
    src.SetShowBorder(true);
    progress.Assign(&src);
    EXPECT_EQ(changes.Count, 2);
    EXPECT_EQ(progress.Style(), psClassic);
    EXPECT_EQ(progress.Level1Perc(), 70);

    TDragScrollOptions drag;
    EXPECT_FALSE(drag.Active());
    EXPECT_EQ(drag.Delays().InitialDelay(), 1000);
    EXPECT_EQ(drag.Delays().RepeatDelay(), 250);
    EXPECT_EQ(drag.Margins().LeftMargin(), 50);
    TDragScrollOptions dragSrc;
    dragSrc.Margins().SetTopMargin(9);
    dragSrc.SetActive(true);
    drag.Assign(&dragSrc);
    EXPECT_EQ(drag.Margins().TopMargin(), 9);
    EXPECT_TRUE(drag.Active());
}

TEST(DropDownAppearance, DefaultsOfHeaderAndFooter)
{
    THeaderAppearance header(nullptr);
    TFooterAppearance footer(nullptr);
    for (const TDropDownAppearance *a : {static_cast<TDropDownAppearance *>(&header),
                                         static_cast<TDropDownAppearance *>(&footer)}) {
        EXPECT_TRUE(a->Visible());
        EXPECT_EQ(a->Height(), 22);
        EXPECT_EQ(a->BorderWidth(), 1);
        EXPECT_EQ(a->BorderColor(), clBlack);
        EXPECT_EQ(a->ImageIndex(), -1);
        EXPECT_EQ(a->Color(), clSilver);
        EXPECT_EQ(a->ColorTo(), clWhite);
        EXPECT_EQ(a->GradientDirection(), gdVertical);
        EXPECT_EQ(a->ButtonAlignment(), baRight);
    }
    EXPECT_EQ(header.Font().Name(), "Tahoma");
    EXPECT_EQ(footer.Font().Name(), TFontObject().Name());
    EXPECT_TRUE(footer.SizeGrip());
    EXPECT_EQ(header.Buttons().Count(), 0);
}

TEST(DropDownAppearance, OnlyVisibilityAndButtonsReportChanges)
{
    THeaderAppearance header(nullptr);
    Counter changes, buttons;
    header.OnChange = changes.Hook();
    header.OnButtonsChanged = buttons.Hook();
    header.SetVisible(true);
    header.SetColor(clRed);
    header.SetHeight(30);
    EXPECT_EQ(changes.Count, 0);
    header.SetVisible(false);
    EXPECT_EQ(changes.Count, 1);

    THeaderButton *b = header.Buttons().Add();
    EXPECT_EQ(buttons.Count, 0);
    EXPECT_EQ(b->ImageIndex(), -1);
    EXPECT_TRUE(b->Enabled());
    b->SetCaption("OK");
    b->SetCaption("OK");
    b->SetHeight(20);
    EXPECT_EQ(buttons.Count, 1);
    b->SetWidth(40);
    b->SetEnabled(false);
    EXPECT_EQ(buttons.Count, 3);
    header.Buttons().Delete(0);
    EXPECT_EQ(buttons.Count, 3);
}

TEST(DropDownAppearance, AssignRules)
{
    THeaderAppearance src(nullptr), dst(nullptr);
    src.SetVisible(false);
    src.SetCaption("<b>Pick</b>");
    src.SetColor(clRed);
    src.Font().SetName("Verdana");
    THeaderButton *b = src.Buttons().Add();
    b->SetCaption("Clear");
    b->SetWidth(60);

    Counter changes, buttons;
    dst.OnChange = changes.Hook();
    dst.OnButtonsChanged = buttons.Hook();
    dst.Assign(&src);
    EXPECT_FALSE(dst.Visible());
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(buttons.Count, 2);   // the copied button's Caption and Width
    ASSERT_EQ(dst.Buttons().Count(), 1);
    EXPECT_EQ(dst.Buttons().Items(0)->Caption(), "Clear");
    EXPECT_EQ(dst.Caption(), "<b>Pick</b>");

    // Another class is ignored, in both directions.
    TFooterAppearance footer(nullptr);
    footer.Assign(&src);
    EXPECT_TRUE(footer.Visible());
    EXPECT_EQ(footer.Color(), clSilver);

    // AssignColors copies the look only.
    THeaderAppearance look(nullptr);
    look.AssignColors(&src);
    EXPECT_EQ(look.Color(), clRed);
    EXPECT_EQ(look.Font().Name(), "Verdana");
    EXPECT_TRUE(look.Visible());
    EXPECT_EQ(look.Caption(), "");
    EXPECT_EQ(look.Buttons().Count(), 0);

    TFooterAppearance fsrc(nullptr), fdst(nullptr);
    fsrc.SetSizeGrip(false);
    fsrc.Buttons().Add()->SetModalResult(2);
    fdst.Assign(&fsrc);
    EXPECT_FALSE(fdst.SizeGrip());
    EXPECT_EQ(fdst.Buttons().Items(0)->ModalResult(), 2);
}
