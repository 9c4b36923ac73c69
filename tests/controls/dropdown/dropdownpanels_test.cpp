// Header and footer strips: painting, button layout, clicks, the size grip, the list guard.
#include "controls/dropdown/dropdownpanels.h"
#include "controls/dropdown/dropdownedit.h"

#include "grid/base/intlist.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

QImage Render(QWidget &W)
{
    QImage img(W.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    W.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

TColor Pixel(const QImage &Img, int X, int Y)
{
    return FromQColor(QColor(Img.pixel(X, Y)));
}

void Mouse(QWidget *W, QEvent::Type Type, QPoint At, Qt::MouseButton Button = Qt::LeftButton)
{
    QMouseEvent e(Type, At, W->mapToGlobal(At), Type == QEvent::MouseMove ? Qt::NoButton : Button,
                  Type == QEvent::MouseButtonPress ? Qt::MouseButtons(Button) : Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(W, &e);
}

class SizingFooter : public TDazFooter
{
public:
    using TDazFooter::TDazFooter;
    int Sizings = 0;

protected:
    void StartSizing() override { ++Sizings; }
};

struct PanelFixture : ::testing::Test
{
    TDazCustomDropDown Edit;
};

TEST_F(PanelFixture, DrawBackGroundHandlerPaintsAlone)
{
    SizingFooter footer;
    footer.resize(120, 22);
    Edit.DropDownFooter().SetCaption("Caption");
    footer.SetDazDropDown(&Edit);
    ASSERT_TRUE(footer.SizeGripShown());
    int calls = 0;
    footer.OnDrawBackGround = [&](TObject *, TCanvas &, const TRect &R) {
        ++calls;
        EXPECT_EQ(R, TRect(0, 0, 120, 22));
    };
    const QImage img = Render(footer);
    EXPECT_EQ(calls, 1);
    for (QPoint p : {QPoint(0, 0), QPoint(60, 11), QPoint(110, 18)})
        EXPECT_EQ(Pixel(img, p.x(), p.y()), TColor(0xFF00FF));
}

TEST_F(PanelFixture, HeaderButtonsRightToLeftAndCaptionBound)
{
    for (const char *c : {"One", "Two", "Three"})
        Edit.DropDownHeader().Buttons().Add()->SetCaption(c);
    Edit.DropDownHeader().Buttons().Items(1)->SetHeight(40);   // taller than the area
    TDazHeader header;
    header.resize(300, 22);
    header.SetDazDropDown(&Edit);
    header.BuildButtons();
    const TDbgList &list = header.ButtonList();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItemsEx(0)->geometry().right() + 1, 298);
    EXPECT_EQ(list.GetItemsEx(1)->geometry().right() + 1, list.GetItemsEx(0)->x());
    EXPECT_EQ(list.GetItemsEx(2)->geometry().right() + 1, list.GetItemsEx(1)->x());
    EXPECT_EQ(list.GetItemsEx(1)->height(), 22 - 5);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.GetItemsEx(i)->Caption(), Edit.DropDownHeader().Buttons().Items(i)->Caption());
    // Clicks reach the editor with the item index.
    std::vector<int> clicked;
    Edit.OnDropDownHeaderButtonClick = [&](TObject *Sender, int Index) {
        EXPECT_EQ(Sender, static_cast<TObject *>(&Edit));
        clicked.push_back(Index);
    };
    for (int i : {2, 0}) {
        Mouse(list.GetItemsEx(i), QEvent::MouseButtonPress, {2, 2});
        Mouse(list.GetItemsEx(i), QEvent::MouseButtonRelease, {2, 2});
    }
    EXPECT_EQ(clicked, std::vector<int>({2, 0}));
    // The footer cuts to its client height - 4.
    Edit.DropDownFooter().Buttons().Add()->SetHeight(50);
    TDazFooter footer;
    footer.resize(200, 30);
    footer.SetDazDropDown(&Edit);
    footer.BuildButtons();
    EXPECT_EQ(footer.ButtonList().GetItemsEx(0)->height(), 30 - 4);
}

TEST_F(PanelFixture, CaptionCentredInsideTheBorder)
{
    THeaderAppearance &ap = Edit.DropDownHeader();
    ap.SetColorTo(clNone);
    ap.SetColor(clWhite);
    ap.SetCaption("Xy");
    TDazHeader header;
    header.resize(200, 22);
    header.SetDazDropDown(&Edit);
    const QImage img = Render(header);
    // Rows of ink: the caption's box sits in the middle of the 20 rows inside the border.
    int first = -1, last = -1;
    for (int y = 1; y < 21; ++y)
        for (int x = 2; x < 60; ++x)
            if (qGray(img.pixel(x, y)) < 100) {
                if (first < 0)
                    first = y;
                last = y;
            }
    ASSERT_GE(first, 0);
    EXPECT_LE(std::abs((first - 1) - (20 - last)), 4);
    // Border line at the bottom in the border colour, the highlight inside it.
    // The bottom line in the border colour; the highlight outline lies over the rest.
    EXPECT_EQ(Pixel(img, 100, 21), clBlack);
    EXPECT_EQ(Pixel(img, 100, 0), BlendColor(clBlack, clWhite, 20));
    EXPECT_EQ(Pixel(img, 100, 20), BlendColor(clBlack, clWhite, 20));
    EXPECT_EQ(Pixel(img, 100, 1), clWhite);
}

TEST_F(PanelFixture, SizeGripOnlyWhenSizeable)
{
    for (bool sizeable : {true, false}) {
        Edit.DropDownSizeable = sizeable;
        QWidget form;
        SizingFooter &footer = *new SizingFooter(&form);
        footer.resize(150, 24);
        footer.SetDazDropDown(&Edit);
        EXPECT_EQ(footer.SizeGripShown(), sizeable);
        EXPECT_EQ(footer.ButtonArea().Right, 150 - 2 - (sizeable ? 12 : 0));
        const QImage img = Render(footer);
        // The first block pair: white at (G.Left + 5, G.Bottom - 4), the dark one a pixel
        // up and left over it.
        const int gl = 150 - 16;
        EXPECT_EQ(Pixel(img, gl + 4, 24 - 5) == clBlack, sizeable);
        EXPECT_EQ(Pixel(img, gl + 6, 24 - 3) == clWhite, sizeable);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&footer, &enter);
        Mouse(&footer, QEvent::MouseMove, {145, 20});
        EXPECT_EQ(footer.cursor().shape() == Qt::SizeFDiagCursor, sizeable);
        Mouse(&footer, QEvent::MouseButtonPress, {145, 20});
        Mouse(&footer, QEvent::MouseButtonPress, {100, 20});
        EXPECT_EQ(footer.Sizings, sizeable ? 1 : 0);
        Mouse(&footer, QEvent::MouseMove, {100, 20});
        EXPECT_EQ(footer.cursor().shape(), Qt::ArrowCursor);
    }
}

TEST(DbgList, GuardsIndexes)
{
    TDbgList list;
    TDazButton b;
    list.Add(&b);
    EXPECT_EQ(list.GetItemsEx(0), &b);
    try {
        list.GetItemsEx(1);
        FAIL();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list read access");
    }
    try {
        list.SetItemsEx(1, &b);
        FAIL();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list write access");
    }
}

}   // namespace
