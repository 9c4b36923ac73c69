// Pages and tabs, the active page, tab text and room, refusals, keyboard and docking.
#include "grid/base/imagelist.h"
#include "grid/base/intlist.h"
#include "pagecontrol_fixture.h"
#include "platform/dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <gtest/gtest.h>

TEST_F(PageControlTest, NewControlAndSheetHaveTheirDefaults)
{
    TDazPageControl pc;
    EXPECT_EQ(pc.ActivePage(), nullptr);
    EXPECT_EQ(pc.ActivePageIndex(), -1);
    EXPECT_EQ(pc.Font().Name, "Tahoma");
    EXPECT_EQ(pc.ActiveFont().Name, "Tahoma");
    EXPECT_TRUE(pc.CloseGlyph().isNull());
    EXPECT_EQ(pc.DefaultTextColor(), 0);
    EXPECT_EQ(pc.DefaultTabColor(), clBtnFace);
    EXPECT_EQ(pc.DefaultTabColorTo(), clNone);
    EXPECT_EQ(pc.ActiveColor(), clBtnFace);
    EXPECT_EQ(pc.ActiveColorTo(), clNone);
    EXPECT_FALSE(pc.TabBorder3D());
    EXPECT_EQ(pc.TabBorderColor(), 0x808080);
    EXPECT_FALSE(pc.TabSheet3D());
    EXPECT_EQ(pc.TabSheetBorderColor(), 0x808080);
    EXPECT_EQ(pc.TabHoverColor(), clNone);
    EXPECT_EQ(pc.TabHoverColorTo(), clNone);
    EXPECT_EQ(pc.TabHoverBorder(), clNone);
    EXPECT_EQ(pc.TabBackGroundColor(), clBtnFace);
    EXPECT_TRUE(pc.TabBackGround().isNull());
    EXPECT_TRUE(pc.TabBackGroundActive().isNull());
    EXPECT_EQ(pc.TabMargin().LeftMargin(), 0);
    EXPECT_EQ(pc.TabMargin().TopMargin(), 0);
    EXPECT_EQ(pc.TabMargin().RightMargin(), 0);
    EXPECT_EQ(pc.TabOverlap(), 0);
    EXPECT_FALSE(pc.TabSplitLine());
    EXPECT_FALSE(pc.RoundEdges());
    EXPECT_EQ(pc.TabStyle(), tsClassic);
    EXPECT_EQ(pc.LowerActive(), 2);
    EXPECT_FALSE(pc.ShowFocus());
    EXPECT_FALSE(pc.FreeOnClose());
    EXPECT_EQ(pc.Images(), nullptr);
    EXPECT_EQ(pc.TabPosition(), tpTop);
    EXPECT_EQ(pc.Version(), "1.4.0.0");
    pc.SetVersion("9.9");
    EXPECT_EQ(pc.Version(), "1.4.0.0");
    EXPECT_EQ(TDazPageControl::VersionNr, 0x01040000u);

    TDazTabSheet sheet;
    EXPECT_TRUE(sheet.isHidden());
    EXPECT_TRUE(sheet.TabVisible());
    EXPECT_TRUE(sheet.TabEnable());
    EXPECT_FALSE(sheet.Highlighted());
    EXPECT_FALSE(sheet.ShowClose());
    EXPECT_EQ(sheet.TextColor(), 0);
    EXPECT_EQ(sheet.TabColor(), clNone);
    EXPECT_EQ(sheet.TabColorTo(), clNone);
    EXPECT_EQ(sheet.ColorTo(), clNone);
    EXPECT_EQ(sheet.TabGradientDirection(), DazPageControl::gdVertical);
    EXPECT_EQ(sheet.HoverGradientDirection(), DazPageControl::gdVertical);
    EXPECT_EQ(sheet.ImageIndex(), -1);
    EXPECT_EQ(sheet.TabIndex(), -1);
    EXPECT_EQ(sheet.PageIndex(), -1);
    sheet.SetImageIndex(-7);
    EXPECT_EQ(sheet.ImageIndex(), -1);
}

TEST_F(PageControlTest, AttachingTakesTheControlsDefaultColours)
{
    Pc->SetDefaultTextColor(clNavy);
    Pc->SetDefaultTabColor(clLime);
    Pc->SetDefaultTabColorTo(clYellow);
    TDazTabSheet *plain = AddPage("a", "A  ");
    auto *own = new TDazTabSheet(Host.get());
    own->SetTextColor(clRed);
    own->SetTabColor(clAqua);
    own->SetDazPageControl(Pc);
    EXPECT_EQ(plain->TextColor(), clNavy);
    EXPECT_EQ(plain->TabColor(), clLime);
    EXPECT_EQ(plain->TabColorTo(), clYellow);
    EXPECT_EQ(own->TextColor(), clRed);
    EXPECT_EQ(own->TabColor(), clAqua);
    // A new default reaches the pages that kept the old one.
    Pc->SetDefaultTabColor(clFuchsia);
    EXPECT_EQ(plain->TabColor(), clFuchsia);
    EXPECT_EQ(own->TabColor(), clAqua);
    Pc->SetDefaultTextColor(clGreen);
    EXPECT_EQ(plain->TextColor(), clGreen);
    EXPECT_EQ(own->TextColor(), clRed);
}

TEST_F(PageControlTest, EditorPagesSwitchByCodeByIndexAndByClick)
{
    MakeEditor();
    EXPECT_EQ(Pc->PageCount(), 2);
    EXPECT_EQ(Pc->ActivePage(), Nodes);
    EXPECT_TRUE(Nodes->isVisible());
    EXPECT_FALSE(Variables->isVisible());

    Pc->SetActivePage(Variables);
    EXPECT_EQ(Pc->ActivePageIndex(), 1);
    EXPECT_EQ(Pc->Tabs().TabIndex(), 1);
    EXPECT_TRUE(Variables->isVisible());
    EXPECT_FALSE(Nodes->isVisible());

    Pc->SetActivePageIndex(0);
    EXPECT_EQ(Pc->ActivePage(), Nodes);
    Pc->SetActivePageIndex(5);
    EXPECT_EQ(Pc->ActivePage(), nullptr);
    EXPECT_EQ(Pc->Tabs().TabIndex(), -1);

    int changes = 0;
    Pc->OnChange = [&](QObject *) { ++changes; };
    Click(Pc, Centre(Pc->PageTabRect(1)));
    EXPECT_EQ(Pc->ActivePage(), Variables);
    Click(Pc, Centre(Pc->PageTabRect(0)));
    EXPECT_EQ(Pc->ActivePage(), Nodes);
    EXPECT_EQ(changes, 2);

    // Captions set at run time reach the tabs.
    Nodes->SetCaption("  Knoten    ");
    EXPECT_EQ(Pc->Tabs().Text(0), "  Knoten  ");
    // Left tabs run down the side, the first on top, and the pages lie right of them.
    const TRect r0 = Pc->PageTabRect(0), r1 = Pc->PageTabRect(1);
    EXPECT_EQ(r0.Left, r1.Left);
    EXPECT_EQ(r0.Bottom, r1.Top);
    EXPECT_GT(r0.Height(), r0.Width());
    EXPECT_GE(Nodes->geometry().left(), r0.Right);
}

TEST_F(PageControlTest, TabTextDropsTwoCharactersOrAddsABlankForTheCloseButton)
{
    TDazTabSheet *p = AddPage("p", "  Nodes    ");
    EXPECT_EQ(p->TabCaption(), "  Nodes  ");
    EXPECT_EQ(Pc->Tabs().Text(0), "  Nodes  ");
    p->SetShowClose(true);
    EXPECT_EQ(Pc->Tabs().Text(0), "  Nodes     ");
    p->SetShowClose(false);
    EXPECT_EQ(Pc->Tabs().Text(0), "  Nodes  ");
    EXPECT_EQ(p->Caption(), "  Nodes    ");
    // With the native look the tab shows the whole caption.
    Pc->SetTabBorder3D(true);
    EXPECT_EQ(Pc->Tabs().Text(0), "  Nodes    ");
    // Captions shorter than two characters leave an empty tab text.
    Pc->SetTabBorder3D(false);
    p->SetCaption("X");
    EXPECT_EQ(Pc->Tabs().Text(0), "");
}

TEST_F(PageControlTest, BoldActiveFontPadsOnlyTheActiveTabWithBlanks)
{
    TDazTabSheet *a = AddPage("a", "  Nodes    ");
    TDazTabSheet *b = AddPage("b", "  Variables    ");
    TFont bold = TestFont();
    bold.Style = fsBold;
    Pc->SetActiveFont(bold);
    const QFontMetrics plain(TestFont().ToQFont()), heavy(bold.ToQFont());
    const auto checkPadded = [&](TDazTabSheet *page, int tab) {
        const QString text = Pc->Tabs().Text(tab);
        ASSERT_TRUE(text.startsWith(page->TabCaption()));
        const QString blanks = text.mid(page->TabCaption().size());
        const int extra = heavy.horizontalAdvance(page->Caption()) - plain.horizontalAdvance(page->Caption());
        EXPECT_GT(blanks.size(), 0);
        EXPECT_EQ(blanks.trimmed(), "");
        EXPECT_GE(plain.horizontalAdvance(blanks), extra);
        EXPECT_LT(plain.horizontalAdvance(blanks.left(blanks.size() - 1)), extra);
    };
    checkPadded(a, 0);
    EXPECT_EQ(Pc->Tabs().Text(1), b->TabCaption());
    Pc->SetActivePage(b);
    checkPadded(b, 1);
    EXPECT_EQ(Pc->Tabs().Text(0), a->TabCaption());
    // A plain active font gives the plain texts back.
    Pc->SetActiveFont(TestFont());
    EXPECT_EQ(Pc->Tabs().Text(1), b->TabCaption());
}

TEST_F(PageControlTest, HiddenTabShiftsTabIndexesAndClicksReachTheRightPage)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    TDazTabSheet *p2 = AddPage("p2", "Two  ");
    TDazTabSheet *p3 = AddPage("p3", "Three  ");
    Host->show();
    p1->SetTabVisible(false);
    EXPECT_EQ(Pc->Tabs().Count(), 3);
    EXPECT_EQ(p1->TabIndex(), -1);
    EXPECT_EQ(p0->TabIndex(), 0);
    EXPECT_EQ(p2->TabIndex(), p2->PageIndex() - 1);
    EXPECT_EQ(p3->TabIndex(), p3->PageIndex() - 1);
    EXPECT_EQ(Pc->Tabs().Object(1), p2);
    EXPECT_EQ(Pc->PageIndexAt(Centre(Pc->Tabs().TabRect(1)).x(), Centre(Pc->Tabs().TabRect(1)).y()), 2);

    Click(Pc, Centre(Pc->Tabs().TabRect(1)));
    EXPECT_EQ(Pc->ActivePage(), p2);
    Click(Pc, Centre(Pc->Tabs().TabRect(2)));
    EXPECT_EQ(Pc->ActivePage(), p3);
    // Showing the tab again puts it back in page order.
    p1->SetTabVisible(true);
    EXPECT_EQ(p1->TabIndex(), 1);
    EXPECT_EQ(Pc->Tabs().Object(1), p1);
    EXPECT_EQ(Pc->ActivePage(), p3);
    EXPECT_EQ(Pc->Tabs().TabIndex(), 3);
}

TEST_F(PageControlTest, RemovingPagesActivatesTheNextTabVisiblePage)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    TDazTabSheet *p2 = AddPage("p2", "Two  ");
    p1->SetTabVisible(false);
    EXPECT_EQ(Pc->ActivePage(), p0);
    delete p0;   // the hidden-tab page is skipped
    EXPECT_EQ(Pc->ActivePage(), p2);
    EXPECT_EQ(Pc->PageCount(), 2);
    p2->SetDazPageControl(nullptr);
    EXPECT_EQ(Pc->PageCount(), 1);
    EXPECT_EQ(p2->DazPageControl(), nullptr);
    EXPECT_EQ(Pc->ActivePage(), nullptr);   // p1 has no tab
    delete p1;
    EXPECT_EQ(Pc->PageCount(), 0);
    EXPECT_EQ(Pc->ActivePage(), nullptr);
    delete p2;

    TDazTabSheet *only = AddPage("only", "Only  ");
    EXPECT_EQ(Pc->ActivePage(), only);
    delete only;
    EXPECT_EQ(Pc->ActivePage(), nullptr);
    EXPECT_EQ(Pc->Tabs().Count(), 0);
}

TEST_F(PageControlTest, FindNextPageWalksCyclicallyAmongTabVisiblePages)
{
    EXPECT_EQ(Pc->FindNextPage(nullptr, true, true), nullptr);
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    TDazTabSheet *p2 = AddPage("p2", "Two  ");
    p0->SetTabVisible(false);
    struct Case { TDazTabSheet *from; bool forward; bool check; TDazTabSheet *expected; };
    const Case cases[] = {
        {p2, true, true, p1},      // from the last page forward: the first tab-visible one
        {p2, true, false, p0},
        {p1, false, true, p2},
        {p1, false, false, p0},
        {nullptr, true, true, p1}, // not in the list: from the last page forward
        {nullptr, false, true, p2},// ... or the first page backward
    };
    for (const Case &c : cases)
        EXPECT_EQ(Pc->FindNextPage(c.from, c.forward, c.check), c.expected);
    p1->SetTabVisible(false);
    p2->SetTabVisible(false);
    EXPECT_EQ(Pc->FindNextPage(p2, true, true), nullptr);
}

TEST_F(PageControlTest, SelectNextPageAndCtrlTabStepAmongTabVisiblePagesAndAsk)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    TDazTabSheet *p2 = AddPage("p2", "Two  ");
    p1->SetTabVisible(false);
    auto *edit = new QLineEdit(p0);
    Host->show();
    edit->setFocus();
    QApplication::processEvents();

    std::vector<std::pair<int, int>> asked;
    bool allow = true;
    Pc->OnCanChange = [&](QObject *, int from, int to, bool &ok) {
        asked.emplace_back(from, to);
        ok = allow;
    };
    SendKey(edit, Qt::Key_Tab, Qt::ControlModifier);   // reaches the control from its child
    EXPECT_EQ(Pc->ActivePage(), p2);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(0, 2));   // the page about to come, not the one under the mouse
    SendKey(Pc, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Pc->ActivePage(), p0);
    Pc->SelectNextPage(false);
    EXPECT_EQ(Pc->ActivePage(), p2);

    allow = false;
    Pc->SelectNextPage(true);
    EXPECT_EQ(Pc->ActivePage(), p2);
    // OnChanging is asked only when OnCanChange allowed.
    allow = true;
    bool changingAsked = false;
    Pc->OnChanging = [&](QObject *, bool &ok) { changingAsked = true; ok = false; };
    Pc->SelectNextPage(true);
    EXPECT_TRUE(changingAsked);
    EXPECT_EQ(Pc->ActivePage(), p2);
}

TEST_F(PageControlTest, RefusalsRaiseTheirTextsAndKeepTheValues)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    AddPage("p2", "Two  ");
    try {
        p0->SetTabEnable(false);
        ADD_FAILURE() << "no error";
    } catch (const EDazPageControlError &e) {
        EXPECT_STREQ(e.what(), "Can not disable active tab.");
    }
    EXPECT_TRUE(p0->TabEnable());

    Pc->SetTabStyle(tsDotNet);
    try {
        Pc->SetTabSplitLine(true);
        ADD_FAILURE() << "no error";
    } catch (const EDazPageControlError &e) {
        EXPECT_STREQ(e.what(), "TabSplitLine must be false when TabStyle is tsDotNet");
    }
    EXPECT_FALSE(Pc->TabSplitLine());

    try {
        p1->SetPageIndex(3);
        ADD_FAILURE() << "no error";
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
    EXPECT_EQ(p1->PageIndex(), 1);

    // A sheet of another control is ignored.
    TDazPageControl other(Host.get());
    auto *foreign = new TDazTabSheet(Host.get());
    foreign->SetDazPageControl(&other);
    Pc->SetActivePage(foreign);
    EXPECT_EQ(Pc->ActivePage(), p0);

    // A disabled tab never becomes active, by code or by click.
    p1->SetTabEnable(false);
    Pc->SetActivePage(p1);
    EXPECT_EQ(Pc->ActivePage(), p0);
    Click(Pc, Centre(Pc->PageTabRect(1)));
    EXPECT_EQ(Pc->ActivePage(), p0);
    EXPECT_EQ(Pc->Tabs().TabIndex(), 0);   // the selection stays on the active page's tab
}

TEST_F(PageControlTest, PageIndexMovesThePageAndItsTab)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    TDazTabSheet *p2 = AddPage("p2", "Two  ");
    p2->SetPageIndex(0);
    EXPECT_EQ(Pc->GetPage(0), p2);
    EXPECT_EQ(Pc->Tabs().Object(0), p2);
    EXPECT_EQ(Pc->Tabs().Text(0), "Two");
    EXPECT_EQ(Pc->ActivePage(), p0);
    EXPECT_EQ(Pc->Tabs().TabIndex(), p0->TabIndex());
    std::vector<TDazTabSheet *> order;
    Pc->GetChildren([&](TDazTabSheet *p) { order.push_back(p); });
    EXPECT_EQ(order, (std::vector<TDazTabSheet *>{p2, p0, p1}));
}

TEST_F(PageControlTest, OnShowAndOnHideFollowThePageChangeAndSurviveAFailingHandler)
{
    TFakeDialogsGuard dialogs;
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    Host->show();
    QStringList log;
    p0->OnHide = [&](QObject *) { log << "hide p0"; };
    p1->OnShow = [&](QObject *) {
        log << "show p1";
        throw std::runtime_error("handler failed");
    };
    Pc->SetActivePage(p1);
    EXPECT_EQ(Pc->ActivePage(), p1);
    EXPECT_EQ(log, (QStringList{"show p1", "hide p0"}));
    EXPECT_EQ(dialogs.Fake.Texts(), QStringList{"handler failed"});
}

// Tab room: the room every tab reserves follows the margins, the side and the images.
TEST_F(PageControlTest, TabRoomFollowsMarginsImagesAndSide)
{
    TDazTabSheet *p = AddPage("p", "  Nodes    ");
    Pc->SetTabPosition(tpLeft);
    const int plainLength = Pc->PageTabRect(0).Height();
    Pc->TabMargin().SetTopMargin(10);
    Pc->TabMargin().SetRightMargin(20);
    EXPECT_EQ(Pc->TabRoomHeight(), 0);   // before Loaded margins only repaint
    Pc->Loaded();
    EXPECT_EQ(Pc->TabRoomHeight(), 30);
    EXPECT_EQ(Pc->PageTabRect(0).Height(), plainLength + 30);
    (void)p;

    struct Step { const char *what; std::function<void()> change; int expected; };
    TCustomImageList small(16, 12), big(20, 20);
    const Step steps[] = {
        {"TopMargin 4", [&] { Pc->TabMargin().SetTopMargin(4); }, 24},
        {"RightMargin 25", [&] { Pc->TabMargin().SetRightMargin(25); }, 29},
        {"LeftMargin ignored at the left", [&] { Pc->TabMargin().SetLeftMargin(7); }, 29},
        {"Images 16x12", [&] { Pc->SetImages(&small); }, 41},
        {"Images 20x20", [&] { Pc->SetImages(&big); }, 49},
        {"TopMargin 0 with images", [&] { Pc->TabMargin().SetTopMargin(0); }, 45},
        {"no Images", [&] { Pc->SetImages(nullptr); }, 25},
    };
    for (const Step &s : steps) {
        s.change();
        EXPECT_EQ(Pc->TabRoomHeight(), s.expected) << s.what;
        EXPECT_EQ(Pc->PageTabRect(0).Height(), plainLength + s.expected) << s.what;
    }

    // Top tabs reserve left + right margin across the width.
    Pc->SetTabPosition(tpTop);
    EXPECT_EQ(Pc->TabRoomWidth(), 7 + 25);
    Pc->TabMargin().SetLeftMargin(3);
    EXPECT_EQ(Pc->TabRoomWidth(), 28);
    Pc->TabMargin().SetRightMargin(20);
    EXPECT_EQ(Pc->TabRoomWidth(), 23);
    Pc->TabMargin().SetTopMargin(9);
    EXPECT_EQ(Pc->TabRoomWidth(), 23);
}

TEST_F(PageControlTest, TabMarginAnnouncesChangesBeforeStoringThem)
{
    TTabMargin m;
    std::vector<std::tuple<int, int, int, int>> seen;   // new, old, index, stored when told
    m.OnMarginChange = [&](int v, int o, int i) {
        const int stored = i == 0 ? m.LeftMargin() : i == 1 ? m.TopMargin() : m.RightMargin();
        seen.emplace_back(v, o, i, stored);
    };
    m.SetLeftMargin(3);
    m.SetTopMargin(-2);
    m.SetRightMargin(5);
    m.SetRightMargin(5);   // unchanged: no notice
    EXPECT_EQ(seen, (std::vector<std::tuple<int, int, int, int>>{{3, 0, 0, 0}, {-2, 0, 1, 0}, {5, 0, 2, 0}}));
    TTabMargin copy;
    bool told = false;
    copy.OnMarginChange = [&](int, int, int) { told = true; };
    copy.Assign(m);
    EXPECT_FALSE(told);
    EXPECT_EQ(copy.LeftMargin(), 3);
    EXPECT_EQ(copy.TopMargin(), -2);
    EXPECT_EQ(copy.RightMargin(), 5);
}

TEST_F(PageControlTest, HighlightedReachesTheTabRow)
{
    TDazTabSheet *p0 = AddPage("p0", "Zero  ");
    TDazTabSheet *p1 = AddPage("p1", "One  ");
    p1->SetHighlighted(true);
    EXPECT_TRUE(Pc->Tabs().Highlighted(1));
    EXPECT_FALSE(Pc->Tabs().Highlighted(0));
    p0->SetTabVisible(false);
    EXPECT_TRUE(Pc->Tabs().Highlighted(0));   // the tab of p1 moved to index 0
    p0->SetTabVisible(true);
    Pc->Loaded();
    EXPECT_TRUE(Pc->Tabs().Highlighted(1));
}

// Docking: a docked widget gets a page with its caption and follows its caption and
// visibility; undocking frees the emptied page.
TEST_F(PageControlTest, DockedWidgetGetsAPageAndUndockingFreesIt)
{
    TDazTabSheet *first = AddPage("first", "First  ");
    Host->show();
    auto *tool = new QLabel("tool");
    tool->setWindowTitle("Tool window\nsecond line");
    tool->show();
    EXPECT_FALSE(Pc->DockControl(tool));   // not a dock site
    Pc->SetDockSite(true);
    ASSERT_TRUE(Pc->DockControl(tool));
    EXPECT_FALSE(Pc->DockControl(tool));   // docked already
    QPointer<TDazTabSheet> sheet = Pc->DockSheetOf(tool);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(Pc->PageCount(), 2);
    EXPECT_EQ(sheet->Caption(), "Tool window");
    EXPECT_EQ(Pc->ActivePage(), sheet.data());
    EXPECT_EQ(tool->parentWidget(), sheet.data());
    EXPECT_EQ(tool->geometry(), sheet->rect());

    tool->setWindowTitle("Renamed\nmore");
    EXPECT_EQ(sheet->Caption(), "Renamed");
    tool->hide();
    EXPECT_FALSE(sheet->TabVisible());
    EXPECT_EQ(Pc->Tabs().Count(), 1);
    tool->show();
    EXPECT_TRUE(sheet->TabVisible());
    Pc->SetActivePage(sheet);

    Pc->UndockControl(tool);
    EXPECT_TRUE(sheet.isNull());
    EXPECT_EQ(Pc->PageCount(), 1);
    EXPECT_EQ(Pc->ActivePage(), first);
    EXPECT_TRUE(tool->isWindow());
    delete tool;

    // A client moved elsewhere or deleted leaves too.
    auto *inner = new QLabel("inner");
    ASSERT_TRUE(Pc->DockControl(inner));
    sheet = Pc->DockSheetOf(inner);
    inner->setParent(Host.get());
    EXPECT_TRUE(sheet.isNull());
    ASSERT_TRUE(Pc->DockControl(inner));
    sheet = Pc->DockSheetOf(inner);
    delete inner;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(sheet.isNull());
    EXPECT_EQ(Pc->PageCount(), 1);
}

TEST_F(PageControlTest, DoubleClickOnADockedTabFloatsTheClient)
{
    AddPage("first", "First  ");
    Host->show();
    Pc->SetDockSite(true);
    auto *tool = new QLabel("tool");
    tool->show();
    ASSERT_TRUE(Pc->DockControl(tool));
    const int page = Pc->DockSheetOf(tool)->PageIndex();
    SendMouse(Pc, QEvent::MouseButtonDblClick, Centre(Pc->PageTabRect(page)));
    EXPECT_EQ(Pc->DockSheetOf(tool), nullptr);
    EXPECT_TRUE(tool->isWindow());
    EXPECT_EQ(Pc->PageCount(), 1);
    delete tool;
}

TEST_F(PageControlTest, OnGetImageIndexDecidesWhichTabsTakeTheRoom)
{
    AddPage("a", "Same  ");
    AddPage("b", "Same  ");
    Pc->TabMargin().SetLeftMargin(12);
    Pc->Loaded();
    EXPECT_EQ(Pc->PageTabRect(0).Width(), Pc->PageTabRect(1).Width());
    std::vector<int> asked;
    Pc->OnGetImageIndex = [&](QObject *, int tab, int &index) {
        asked.push_back(index);   // the tab index comes in
        index = tab == 1 ? -1 : 0;
    };
    Pc->TabMargin().SetLeftMargin(13);   // any change lays the tabs out again
    EXPECT_EQ(Pc->PageTabRect(0).Width(), Pc->PageTabRect(1).Width() + 13);
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(asked[0], 0);
    EXPECT_EQ(asked[1], 1);
}
