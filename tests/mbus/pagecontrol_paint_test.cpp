// The page control's look, rendered into images, and its close buttons under the mouse.
#include "mbus/dazpagedraw.h"
#include "pagecontrol_fixture.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace {

// Bounding box of the dark (text) pixels of img inside r.
TRect InkBox(const QImage &img, const TRect &r)
{
    TRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            if (qGray(img.pixel(x, y)) < 100) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

// Where the caption's ink lies when written upwards from (x, y).
TRect ExpectedUpwardInk(const QSize &size, const TFont &font, const QString &text, int x, int y,
                        const TRect &within)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas c(&img);
        c.Font = font;
        c.Font.Color = clBlack;
        c.Brush.Style = bsClear;
        c.Save();
        c.Painter()->translate(x, y);
        c.Painter()->rotate(-90);
        c.TextOut(0, 0, text);
        c.Restore();
    }
    return InkBox(img, within);
}

int CountColour(const QImage &img, const TRect &r, TColor colour)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += PixelAt(img, x, y) == colour;
    return n;
}

int CountReddish(const QImage &img, const TRect &r)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > c.green() + 60 && c.red() > c.blue() + 60;
        }
    return n;
}

} // namespace

TEST_F(PageControlTest, EditorLookActiveTabSkyBlueOpenTowardsThePage)
{
    MakeEditor();
    const QImage img = Render(Pc);
    const TRect r = Pc->PageTabRect(0);   // Nodes, active
    EXPECT_EQ(PixelAt(img, r.Left + 3, r.Top + 3), clSkyBlue);
    // Grey border on three sides.
    EXPECT_EQ(PixelAt(img, r.Left + 6, r.Top), clGray);
    EXPECT_EQ(PixelAt(img, r.Left - 1, r.Top + 6), clGray);
    EXPECT_EQ(PixelAt(img, r.Left + 6, r.Bottom - 1), clGray);
    // Open towards the page: no line on the page side, the page's colour beyond it.
    EXPECT_EQ(PixelAt(img, r.Right - 1, r.Top + 6), clSkyBlue);
    EXPECT_EQ(PixelAt(img, r.Right, r.Top + 6), kEditorColor);
    // The strip below the tabs and the page in the pages' colour.
    EXPECT_EQ(PixelAt(img, 3, Pc->height() - 10), kEditorColor);
    EXPECT_EQ(PixelAt(img, Pc->width() / 2, Pc->height() / 2), kEditorColor);
    // The page border is grey below the tabs, where the page is not open.
    const TRect r1 = Pc->PageTabRect(1);
    EXPECT_EQ(PixelAt(img, r1.Right, r1.Bottom + 10), clGray);
}

TEST_F(PageControlTest, EditorLookOtherTabHasTheGreyLineAndSeparatorsWhenLower)
{
    MakeEditor();
    QImage img = Render(Pc);
    const TRect v = Pc->PageTabRect(1);   // Variables, lower, not active
    EXPECT_EQ(PixelAt(img, v.Left + 3, v.Top + 3), kEditorColor);
    EXPECT_EQ(PixelAt(img, v.Right - 1, v.Top + 6), clGray);        // towards the page
    EXPECT_NE(PixelAt(img, v.Left + 6, v.Top), clGray);             // no other sides
    for (int x : {v.Left + 2, (v.Left + v.Right) / 2, v.Right - 3}) {
        EXPECT_EQ(PixelAt(img, x, v.Bottom - 2), clSkyBlue) << x;
        EXPECT_EQ(PixelAt(img, x, v.Bottom - 3), clSkyBlue) << x;
    }
    EXPECT_NE(PixelAt(img, v.Left + 1, v.Bottom - 2), clSkyBlue);
    EXPECT_NE(PixelAt(img, v.Right - 2, v.Bottom - 2), clSkyBlue);

    // The upper tab, directly before the active one, has no separators.
    Pc->SetActivePage(Variables);
    img = Render(Pc);
    const TRect n = Pc->PageTabRect(0);
    EXPECT_EQ(PixelAt(img, n.Right - 1, n.Top + 6), clGray);
    EXPECT_EQ(PixelAt(img, (n.Left + n.Right) / 2, n.Bottom - 2), kEditorColor);
    EXPECT_EQ(PixelAt(img, v.Left + 3, v.Top + 3), clSkyBlue);
}

TEST_F(PageControlTest, EditorCaptionsReadUpwardsFromFourteenAboveTheBottom)
{
    MakeEditor();
    const QImage img = Render(Pc);
    const struct { TDazTabSheet *page; bool active; } cases[] = {{Nodes, true}, {Variables, false}};
    for (const auto &c : cases) {
        const TRect r = Pc->PageTabRect(c.page->PageIndex());
        const TRect inside(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 3);
        const TRect ink = InkBox(img, inside);
        const TRect expected = ExpectedUpwardInk(img.size(), TestFont(), c.page->Caption(), r.Left + 1,
                                                 r.Bottom - 14, inside);
        EXPECT_EQ(ink, expected) << c.page->Caption().toStdString();
        EXPECT_LE(ink.Bottom, r.Bottom - 14);
        EXPECT_GT(ink.Height(), ink.Width());   // turned
    }
}

TEST_F(PageControlTest, ControlWithoutVisibleTabsPaintsAThinStripAndTheBorder)
{
    MakeEditor();
    Pc->SetTabBackGroundColor(clYellow);
    Nodes->SetTabVisible(false);
    Variables->SetTabVisible(false);
    const QImage img = Render(Pc);
    const int W = Pc->width(), H = Pc->height();
    EXPECT_EQ(PixelAt(img, 0, 40), clYellow);
    EXPECT_EQ(PixelAt(img, 1, 40), clYellow);
    EXPECT_EQ(PixelAt(img, 2, 40), clGray);     // page border at the strip's edge
    EXPECT_EQ(PixelAt(img, 40, 0), clGray);
    EXPECT_EQ(PixelAt(img, W - 2, 40), clGray);
    EXPECT_EQ(PixelAt(img, 40, H - 2), clGray);
    EXPECT_EQ(PixelAt(img, W - 1, 40), ColorToRGB(clBtnFace));
}

TEST_F(PageControlTest, ActiveColorNoneUsesThePagesTabColour)
{
    MakeEditor();
    Nodes->SetTabColor(clLime);
    Pc->SetActiveColor(clNone);
    const QImage img = Render(Pc);
    const TRect r = Pc->PageTabRect(0);
    EXPECT_EQ(PixelAt(img, r.Left + 3, r.Top + 3), clLime);
}

TEST_F(PageControlTest, DisabledTabCaptionIsGreyWhateverItsTextColour)
{
    MakeEditor();
    Variables->SetTextColor(clRed);
    const TRect r = Pc->PageTabRect(1);
    const TRect inside(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 4);
    QImage img = Render(Pc);
    EXPECT_GT(CountReddish(img, inside), 0);
    Variables->SetTabEnable(false);
    img = Render(Pc);
    EXPECT_EQ(CountReddish(img, inside), 0);
    EXPECT_GT(CountColour(img, inside, clGray), 0);
}

TEST_F(PageControlTest, TabBorder3DShowsThePlainTabsUnpaintedOver)
{
    MakeEditor();
    Pc->SetTabBorder3D(true);
    const QImage img = Render(Pc);
    const TRect r = Pc->PageTabRect(0);
    EXPECT_EQ(PixelAt(img, r.Left + 3, r.Top + 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(CountColour(img, TRect(0, 0, Pc->width(), Pc->height()), clSkyBlue), 0);
    // Exactly the tab row's own look.
    QImage plain(Pc->size(), QImage::Format_RGB32);
    plain.fill(Qt::magenta);
    {
        TCanvas c(&plain);
        Pc->Tabs().Paint(c, nullptr, [](int) { return true; });
    }
    EXPECT_EQ(img.copy(0, 0, r.Right + 2, Pc->height()), plain.copy(0, 0, r.Right + 2, Pc->height()));
}

TEST_F(PageControlTest, SheetPaintsItsColourOrItsVerticalGradient)
{
    MakeEditor();
    Nodes->SetColor(clWhite);
    Nodes->SetColorTo(clBlack);
    QImage img(Nodes->size(), QImage::Format_RGB32);
    Nodes->render(&img);
    EXPECT_EQ(PixelAt(img, 5, 0), clWhite);
    const int mid = qGray(img.pixel(5, Nodes->height() / 2));
    EXPECT_GT(mid, 90);
    EXPECT_LT(mid, 170);
    EXPECT_EQ(img.pixel(5, Nodes->height() / 2), img.pixel(Nodes->width() - 5, Nodes->height() / 2));
    Nodes->SetColorTo(clNone);
    Nodes->render(&img);
    EXPECT_EQ(PixelAt(img, 5, Nodes->height() - 1), clWhite);
}

// Bottom tabs write only the active tab in the active font, as top tabs do.
TEST_F(PageControlTest, BottomTabsWriteInactiveCaptionsInThePlainFont)
{
    TDazTabSheet *a = AddPage("a", "AAAA  ");
    TDazTabSheet *b = AddPage("b", "BBBB  ");
    Pc->SetTabPosition(tpBottom);
    TFont big = TestFont(16);
    Pc->SetActiveFont(big);
    Pc->SetTabHeight(40);
    Pc->SetTabWidth(120);
    Host->show();
    const QImage img = Render(Pc);
    const TRect ra = Pc->PageTabRect(0), rb = Pc->PageTabRect(1);
    const TRect inkA = InkBox(img, TRect(ra.Left + 1, ra.Top + 1, ra.Right - 4, ra.Bottom - 1));
    const TRect inkB = InkBox(img, TRect(rb.Left + 1, rb.Top + 1, rb.Right - 4, rb.Bottom - 1));
    EXPECT_GT(inkA.Height(), inkB.Height() + 3);
    (void)a;
    (void)b;
}

// DrawGradient: bands, their colours (halves to even) and their one-pixel overlap.
TEST(PageDraw, DrawGradientBandsAndRounding)
{
    struct Case {
        const char *what;
        TColor from, to;
        bool horizontal;
        TRect r;
        int steps;
        int x, y;        // probe
        TColor expected;
    };
    const Case cases[] = {
        {"no steps: one band", RGB(10, 20, 30), RGB(200, 200, 200), false, TRect(0, 0, 10, 40), 0, 5, 39, RGB(10, 20, 30)},
        {"rows: first band", 0, RGB(100, 200, 40), false, TRect(0, 0, 10, 40), 4, 5, 9, RGB(0, 0, 0)},
        {"rows: second band", 0, RGB(100, 200, 40), false, TRect(0, 0, 10, 40), 4, 5, 10, RGB(25, 50, 10)},
        {"rows: last band", 0, RGB(100, 200, 40), false, TRect(0, 0, 10, 40), 4, 5, 39, RGB(75, 150, 30)},
        {"rows: one pixel past the end", 0, RGB(100, 200, 40), false, TRect(0, 0, 10, 40), 4, 5, 40, RGB(75, 150, 30)},
        {"colour half rounds to even", 0, RGB(5, 7, 3), false, TRect(0, 0, 4, 4), 2, 1, 3, RGB(2, 4, 2)},
        {"columns: 7.5 wide, first", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(0, 0, 30, 5), 4, 7, 2, RGB(0, 0, 0)},
        {"columns: second starts at 8", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(0, 0, 30, 5), 4, 8, 2, RGB(10, 20, 30)},
        {"columns: third at 15", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(0, 0, 30, 5), 4, 15, 2, RGB(20, 40, 60)},
        {"columns: fourth at 22", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(0, 0, 30, 5), 4, 22, 2, RGB(30, 60, 90)},
        {"columns: 21 still third", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(0, 0, 30, 5), 4, 21, 2, RGB(20, 40, 60)},
        {"offset rectangle", RGB(0, 0, 0), RGB(40, 80, 120), true, TRect(10, 10, 40, 15), 4, 18, 12, RGB(10, 20, 30)},
        {"falling colours", RGB(100, 100, 100), RGB(0, 0, 0), false, TRect(0, 0, 4, 30), 3, 1, 29, RGB(33, 33, 33)},
    };
    for (const Case &c : cases) {
        QImage img(64, 64, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            TCanvas canvas(&img);
            DrawGradient(canvas, c.from, c.to, c.horizontal, c.r, c.steps);
        }
        EXPECT_EQ(PixelAt(img, c.x, c.y), c.expected) << c.what;
    }
}

TEST(PageDraw, TabImagesKeepTheirEndsAndStretchTheMiddle)
{
    // 4 x 6: top half red, the two middle rows green/blue, bottom half yellow; key colour at
    // the bottom-left pixel is white and stays unpainted.
    QImage bmp(4, 6, QImage::Format_RGB32);
    bmp.fill(Qt::red);
    for (int x = 0; x < 4; ++x) {
        bmp.setPixelColor(x, 3, Qt::yellow);
        bmp.setPixelColor(x, 4, Qt::yellow);
        bmp.setPixelColor(x, 5, Qt::yellow);
    }
    bmp.setPixelColor(0, 5, Qt::white);
    QImage img(10, 30, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        TCanvas c(&img);
        DrawVerticalTabImage(bmp, c, 2, 20, 1);
    }
    EXPECT_EQ(PixelAt(img, 3, 1), clRed);        // upper half at the start
    EXPECT_EQ(PixelAt(img, 3, 5), clRed);        // rows 2-3 stretched over 14 pixels
    EXPECT_EQ(PixelAt(img, 3, 16), clYellow);
    EXPECT_EQ(PixelAt(img, 3, 20), clYellow);    // lower half at the end
    EXPECT_EQ(PixelAt(img, 2, 20), clBlack);     // key colour left out
    EXPECT_EQ(PixelAt(img, 3, 21), clBlack);     // nothing past the length
}

TEST(PageDraw, CloseButtonStatesHaveTheirColours)
{
    struct Case { TCloseButtonState state; TColor fill, border, cross; };
    const Case cases[] = {
        {TCloseButtonState::Normal, clWhite, clGray, clBlack},
        {TCloseButtonState::Hot, clWhite, clBlack, clGray},
        {TCloseButtonState::Pressed, clSilver, clBlack, clBlack},
    };
    for (const Case &c : cases) {
        QImage img(30, 30, QImage::Format_RGB32);
        img.fill(Qt::green);
        {
            TCanvas canvas(&img);
            DrawCloseButton(canvas, 5, 5, c.state, QImage());
        }
        // Box from (7, 7) to (19, 18).
        EXPECT_EQ(PixelAt(img, 7, 7), c.border);
        EXPECT_EQ(PixelAt(img, 18, 17), c.border);
        EXPECT_EQ(PixelAt(img, 19, 12), clLime);
        EXPECT_EQ(PixelAt(img, 12, 18), clLime);
        EXPECT_EQ(PixelAt(img, 9, 15), c.fill);
        EXPECT_EQ(PixelAt(img, 13, 12), c.cross);
    }
}

// Close buttons under real mouse events.
class CloseButtonTest : public PageControlTest
{
protected:
    void Make(TTabPosition pos)
    {
        Pc->SetTabPosition(pos);
        Pc->TabMargin().SetLeftMargin(3);
        Pc->TabMargin().SetTopMargin(4);
        Pc->TabMargin().SetRightMargin(16);
        Pc->SetLowerActive(2);
        Pc->SetActiveColor(clSkyBlue);
        A = AddPage("PageA", "Alpha  ");
        B = AddPage("PageB", "Beta  ");
        C = AddPage("PageC", "Gamma  ");
        for (TDazTabSheet *p : {A, B, C})
            p->SetShowClose(true);
        Pc->Loaded();
        Host->show();
    }
    // Where the box lies by the placement rules of each side.
    TRect ExpectedBox(TDazTabSheet *page)
    {
        const TRect r = Pc->PageTabRect(page->PageIndex());
        const int la = page == Pc->ActivePage() ? Pc->LowerActive() : 0;
        switch (Pc->TabPosition()) {
        case tpLeft: {
            const int x = r.Left + 3 + la, y = r.Bottom - 4;
            return TRect(x + 2, y - 13, x + 14, y - 2);
        }
        case tpRight: {
            const int x = r.Left + 3 - la + 2, y = r.Top + 4;
            return TRect(x + 2, y + 2, x + 14, y + 13);
        }
        default: {
            const int x = r.Left + 3, y = r.Top + 4 + la;
            return TRect(x + 2, y + 2, x + 14, y + 13);
        }
        }
    }
    TDazTabSheet *A = nullptr;
    TDazTabSheet *B = nullptr;
    TDazTabSheet *C = nullptr;
};

TEST_F(CloseButtonTest, BoxLiesAtItsPlaceOnEverySide)
{
    for (TTabPosition pos : {tpTop, tpBottom, tpLeft, tpRight}) {
        SetUp();
        Make(pos);
        for (TDazTabSheet *p : {A, B}) {
            const TRect box = ExpectedBox(p);
            EXPECT_EQ(Pc->CloseButtonRect(p), box) << pos;
            const QImage img = Render(Pc);
            EXPECT_EQ(PixelAt(img, box.Left, box.Top), clGray) << pos;
            EXPECT_EQ(PixelAt(img, box.Right - 1, box.Bottom - 1), clGray) << pos;
            EXPECT_EQ(PixelAt(img, box.Left + 2, box.Bottom - 3), clWhite) << pos;
        }
    }
}

TEST_F(CloseButtonTest, PressHotAndReleaseCloseIntoTheClosedList)
{
    Make(tpTop);
    const TRect box = Pc->CloseButtonRect(A);
    SendMouse(Pc, QEvent::MouseButtonPress, Centre(box));
    QImage img = Render(Pc);
    EXPECT_EQ(PixelAt(img, box.Left, box.Top), clBlack);
    EXPECT_EQ(PixelAt(img, box.Left + 2, box.Bottom - 3), clSilver);
    // Released outside: nothing closes and the button is normal again.
    SendMouse(Pc, QEvent::MouseButtonRelease, QPoint(box.Right + 30, box.Bottom + 40));
    EXPECT_EQ(Pc->PageCount(), 3);
    img = Render(Pc);
    EXPECT_EQ(PixelAt(img, box.Left, box.Top), clGray);

    // Hot while the pointer is over it (with a hover colour set).
    Pc->SetTabHoverColor(clYellow);
    SendMouse(Pc, QEvent::MouseMove, Centre(box));
    img = Render(Pc);
    EXPECT_EQ(PixelAt(img, box.Left, box.Top), clBlack);
    EXPECT_EQ(PixelAt(img, box.Left + 2, box.Bottom - 3), clWhite);
    SendMouse(Pc, QEvent::MouseMove, QPoint(box.Right + 30, box.Bottom + 40));
    img = Render(Pc);
    EXPECT_EQ(PixelAt(img, box.Left, box.Top), clGray);

    int closed = 0;
    A->OnClose = [&](QObject *) { ++closed; };
    Click(Pc, Centre(box));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(Pc->PageCount(), 2);
    EXPECT_EQ(Pc->ActivePage(), B);
    EXPECT_EQ(A->DazPageControl(), nullptr);
    EXPECT_EQ(Pc->ClosedTabNames(), QStringList{"PageA"});

    EXPECT_FALSE(Pc->OpenClosedTab("PageX"));
    EXPECT_TRUE(Pc->OpenClosedTab("PageA"));
    EXPECT_EQ(Pc->GetPage(2), A);   // back as the last page
    EXPECT_EQ(Pc->ClosedTabNames(), QStringList{"PageA"});   // the list keeps its entry
    EXPECT_EQ(Pc->ActivePage(), B);
}

TEST_F(CloseButtonTest, OnCanCloseRefusesAndFreeOnCloseFrees)
{
    Make(tpLeft);
    bool allow = false;
    A->OnCanClose = [&](QObject *, bool &can) { can = allow; };
    Click(Pc, Centre(Pc->CloseButtonRect(A)));
    EXPECT_EQ(Pc->PageCount(), 3);
    EXPECT_EQ(Pc->ActivePage(), A);

    allow = true;
    Pc->SetFreeOnClose(true);
    QPointer<TDazTabSheet> gone = A;
    // The button reacts where it is drawn, LowerActive included: its last column.
    const TRect box = Pc->CloseButtonRect(A);
    Click(Pc, QPoint(box.Right - 1, box.Top + 5));
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(Pc->PageCount(), 2);
    EXPECT_EQ(Pc->ActivePage(), B);
    EXPECT_TRUE(Pc->ClosedTabNames().isEmpty());

    // With the native look there are no close buttons.
    Pc->SetTabBorder3D(true);
    Click(Pc, Centre(Pc->CloseButtonRect(B)));
    EXPECT_EQ(Pc->PageCount(), 2);
}

TEST_F(CloseButtonTest, OpenAllClosedTabsAndAClosedSheetFreedMeanwhile)
{
    Make(tpTop);
    Click(Pc, Centre(Pc->CloseButtonRect(A)));
    Click(Pc, Centre(Pc->CloseButtonRect(B)));
    EXPECT_EQ(Pc->ClosedTabNames(), (QStringList{"PageA", "PageB"}));
    EXPECT_EQ(Pc->PageCount(), 1);
    Pc->OpenAllClosedTabs();
    EXPECT_EQ(Pc->PageCount(), 3);
    EXPECT_EQ(Pc->GetPage(1), A);
    EXPECT_EQ(Pc->GetPage(2), B);

    // A closed sheet that is freed leaves the list: reopening it cannot reach freed memory.
    Pc->SetActivePage(B);
    Click(Pc, Centre(Pc->CloseButtonRect(B)));
    delete B;
    EXPECT_EQ(Pc->ClosedTabNames(), QStringList{"PageA"});
    EXPECT_FALSE(Pc->OpenClosedTab("PageB"));
}

TEST_F(PageControlTest, HoverTabTakesTheHoverColourAndBorder)
{
    MakeEditor();
    Pc->SetTabHoverColor(clYellow);
    Pc->SetTabHoverBorder(clRed);
    const TRect v = Pc->PageTabRect(1);
    SendMouse(Pc, QEvent::MouseMove, Centre(v));
    EXPECT_EQ(Pc->HoverTab(), 1);
    QImage img = Render(Pc);
    EXPECT_EQ(PixelAt(img, v.Left + 3, v.Top + 3), clYellow);
    EXPECT_EQ(PixelAt(img, v.Left - 1, v.Top + 6), clRed);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Pc, &leave);
    EXPECT_EQ(Pc->HoverTab(), -1);
    img = Render(Pc);
    EXPECT_EQ(PixelAt(img, v.Left + 3, v.Top + 3), kEditorColor);
}

TEST_F(PageControlTest, ClassicLookFramesOtherTabsAndGradientsFillTabs)
{
    TDazTabSheet *a = AddPage("a", "Alpha  ");
    TDazTabSheet *b = AddPage("b", "Beta  ");
    Pc->SetActiveColor(clWhite);
    Pc->SetActiveColorTo(clBlack);
    b->SetTabColor(clYellow);
    Host->show();
    QImage img = Render(Pc);
    const TRect ra = Pc->PageTabRect(0), rb = Pc->PageTabRect(1);
    // The other tab: a full frame, reaching one pixel into the page border.
    EXPECT_EQ(PixelAt(img, rb.Left + 5, rb.Top), clGray);
    EXPECT_EQ(PixelAt(img, rb.Left, rb.Top + 5), clGray);
    EXPECT_EQ(PixelAt(img, rb.Left + 5, rb.Bottom), clGray);
    EXPECT_EQ(PixelAt(img, rb.Left + 3, rb.Top + 3), clYellow);
    // The active tab: white to black in rows, and open towards the page.
    const int top = qGray(img.pixel(ra.Left + 2, ra.Top + 1));
    const int bottom = qGray(img.pixel(ra.Left + 2, ra.Bottom - 2));
    EXPECT_GT(top, 200);
    EXPECT_LT(bottom, 60);
    EXPECT_NE(PixelAt(img, ra.Left + 5, ra.Bottom), clGray);
    // Round edges cut the page's corners on the strip side.
    const TRect f = Pc->Tabs().FrameLines();
    EXPECT_EQ(PixelAt(img, f.Right, f.Top), clGray);
    Pc->SetRoundEdges(true);
    img = Render(Pc);
    EXPECT_EQ(PixelAt(img, f.Right, f.Top), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(img, f.Right - 3, f.Top), clGray);
    (void)a;
}

TEST_F(PageControlTest, SheetWithAControlAsParentJoinsItAndShowControlActivates)
{
    auto *a = new TDazTabSheet(Pc);
    auto *b = new TDazTabSheet(Pc);
    EXPECT_EQ(Pc->PageCount(), 2);
    EXPECT_EQ(b->DazPageControl(), Pc);
    auto *label = new QWidget(b);
    EXPECT_EQ(Pc->ActivePage(), a);
    Pc->ShowControl(label);
    EXPECT_EQ(Pc->ActivePage(), b);
}
