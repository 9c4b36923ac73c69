// The drop-down strips' push buttons and their shared colours, and the header and footer
// strips that make them, driven through a stand-in editor.
#include "controls/dropdown/dazbutton.h"
#include "controls/dropdown/dropdownpanels.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/intlist.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// The editor as the strips see it: its appearances, and the closings it was asked for.
class TFakeHost : public TDazDropDownHost
{
public:
    TDazButtonAppearance Button_Look;
    THeaderAppearance Header{nullptr};
    TFooterAppearance Footer{nullptr};
    bool Sizeable = true;
    std::vector<bool> Hides;   // the Cancelled flag of each DoHideDropDown
    std::vector<std::pair<char, int>> Clicks;   // 'h' or 'f', button index

    TFakeHost()
    {
        OnDropDownHeaderButtonClick = [this](TDazDropDownHost *, int i) { Clicks.push_back({'h', i}); };
        OnDropDownFooterButtonClick = [this](TDazDropDownHost *, int i) { Clicks.push_back({'f', i}); };
    }
    void DoHideDropDown(bool Cancelled) override { Hides.push_back(Cancelled); }
    TDazButtonAppearance &ButtonAppearance() override { return Button_Look; }
    THeaderAppearance &DropDownHeader() override { return Header; }
    TFooterAppearance &DropDownFooter() override { return Footer; }
    TCustomImageList *Images() const override { return nullptr; }
    bool DropDownSizeable() const override { return Sizeable; }
    int DropDownBorderWidth() const override { return 1; }
    TColor DropDownBorderColor() const override { return clBlack; }
};

void Mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TColor Face(TDazButton &b, int x = 5, int y = 5)
{
    QImage image(b.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        b.DrawFace(canvas);
    }
    return FromQColor(QColor(image.pixel(x, y)));
}

TEST(DazButtonAppearance, DefaultsSettersAndAssign)
{
    TDazButtonAppearance a;
    EXPECT_EQ(a.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(a.ColorCheckedTo(), TColor(0xF9BDA0));
    EXPECT_EQ(a.BorderColor(), clNone);
    EXPECT_EQ(a.BorderColorDown(), TColor(0x800000));
    EXPECT_EQ(a.ColorHot(), TColor(0xF5F0E1));
    EXPECT_EQ(a.Gradient(), gdVertical);
    EXPECT_EQ(a.Font().Name(), QStringLiteral("Tahoma"));
    int changes = 0;
    a.OnChange = [&changes](TObject *) { ++changes; };
    a.SetColorHot(0xF5F0E1);   // unchanged
    EXPECT_EQ(changes, 0);
    a.SetColorHot(0x010203);
    a.SetGradient(gdHorizontal);
    EXPECT_EQ(changes, 2);

    TDazButtonAppearance source;
    source.SetColor(0x111111);
    source.SetBorderColorChecked(0x222222);
    source.Font().SetName(QStringLiteral("Courier"));
    changes = 0;
    a.Assign(&source);   // Color, ColorHot back, BorderColorChecked, Gradient back
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(a.Color(), TColor(0x111111));
    EXPECT_EQ(a.BorderColorChecked(), TColor(0x222222));
    EXPECT_EQ(a.Font().Name(), QStringLiteral("Tahoma"));
}

TEST(DazButton, ModalResultsCloseTheDropDownAcceptedOrCancelled)
{
    TFakeHost host;
    for (int result = 0; result <= 15; ++result) {
        TDazButton b;
        b.FDazDropDown = &host;
        b.FModalResult = result;
        int clicks = 0;
        b.OnClick = [&clicks](TDazButton *) { ++clicks; };
        host.Hides.clear();
        b.Click();
        EXPECT_EQ(clicks, 1) << result;
        const bool accepted = result == 1 || result == 6 || result == 12 || result == 14;
        const bool cancelled = result == 2 || result == 3 || result == 5 || result == 7 || result == 13;
        if (accepted || cancelled) {
            EXPECT_EQ(host.Hides, std::vector<bool>{cancelled}) << result;
        } else {
            EXPECT_TRUE(host.Hides.empty()) << result;
        }
    }
}

TEST(DazButton, KeysCloseWithoutOnClickAndAMouseClickFiresIt)
{
    TFakeHost host;
    QWidget parent;
    TDazButton b(&parent);
    b.FDazDropDown = &host;
    b.FModalResult = 1;
    int clicks = 0;
    b.OnClick = [&clicks](TDazButton *) { ++clicks; };
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Space)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&b, &press);
    }
    EXPECT_EQ(host.Hides, (std::vector<bool>{false, false}));
    EXPECT_EQ(clicks, 0);
    Mouse(&b, QEvent::MouseButtonPress, {3, 3});
    Mouse(&b, QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(host.Hides.size(), 3u);
    EXPECT_EQ(clicks, 1);
    // A right click does nothing.
    Mouse(&b, QEvent::MouseButtonPress, {3, 3}, Qt::RightButton);
    Mouse(&b, QEvent::MouseButtonRelease, {3, 3}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
}

TEST(DazButton, DraggingOffShowsItUpAndReleasingOutsideDoesNotClick)
{
    QWidget parent;
    TDazButton b(&parent);
    int clicks = 0;
    b.OnClick = [&clicks](TDazButton *) { ++clicks; };
    Mouse(&b, QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(b.State(), absDown);
    Mouse(&b, QEvent::MouseMove, {40, 3});
    EXPECT_EQ(b.State(), absUp);
    Mouse(&b, QEvent::MouseMove, {4, 4});
    EXPECT_EQ(b.State(), absDown);
    Mouse(&b, QEvent::MouseMove, {40, 3});
    Mouse(&b, QEvent::MouseButtonRelease, {40, 3});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), absUp);
}

TEST(DazButton, GroupsAndToggles)
{
    QWidget parent;
    TDazButton a(&parent), b(&parent), other(&parent);
    for (TDazButton *x : {&a, &b})
        x->FGroupIndex = 1;
    other.FGroupIndex = 2;
    const auto click = [](TDazButton &x) {
        Mouse(&x, QEvent::MouseButtonPress, {3, 3});
        Mouse(&x, QEvent::MouseButtonRelease, {3, 3});
    };
    click(a);
    click(other);
    EXPECT_TRUE(a.Down());
    EXPECT_TRUE(other.Down());   // another group
    click(b);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    click(b);   // stays down without AllowAllUp
    EXPECT_TRUE(b.Down());
    b.FAllowAllUp = true;
    click(b);
    EXPECT_FALSE(b.Down());
    // Ungrouped plain buttons never stay down; tasCheck toggles.
    TDazButton plain(&parent), check(&parent);
    plain.SetDown(true);
    EXPECT_FALSE(plain.Down());
    check.FStyle = tasCheck;
    click(check);
    EXPECT_TRUE(check.Down());
    click(check);
    EXPECT_FALSE(check.Down());
}

TEST(DazButton, FaceColourByState)
{
    QWidget parent;
    TDazButtonAppearance look;
    look.SetColor(0x123456);
    TDazButton b(&parent);
    b.resize(40, 20);
    EXPECT_EQ(Face(b), clWhite);   // no appearance: nothing drawn
    b.FAppearance = &look;
    EXPECT_EQ(Face(b), TColor(0x123456));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(&b, &enter);
    ASSERT_TRUE(b.MouseInControl());
    EXPECT_EQ(Face(b), look.ColorHot());
    Mouse(&b, QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(Face(b), look.ColorDown());
    Mouse(&b, QEvent::MouseButtonRelease, {3, 3});
    b.FStyle = tasCheck;
    b.SetDown(true);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&b, &leave);
    EXPECT_EQ(Face(b), look.ColorChecked());
    b.SetDown(false);
    b.setEnabled(false);
    EXPECT_EQ(Face(b), look.ColorDisabled());
    EXPECT_EQ(Face(b, 0, 0), look.BorderColorDisabled());
    // A focused button looks hot.
    b.setEnabled(true);
    parent.show();
    QApplication::setActiveWindow(&parent);
    b.setFocus();
    if (b.hasFocus()) {
        EXPECT_EQ(Face(b), look.ColorHot());
    }
    // An empty button without image fits to 8 x 4.
    b.SetCaption(QString());
    b.AutoSizeButton();
    EXPECT_EQ(b.size(), QSize(8, 4));
}

TEST(DazButton, WithoutAppearanceOnlyTheParentShows)
{
    QWidget parent;
    parent.resize(60, 30);
    parent.setAutoFillBackground(true);
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, QColor(10, 200, 30));
    parent.setPalette(p);
    TDazButton b(&parent);
    b.move(5, 5);
    const QImage image = parent.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(10, 200, 30));
}

TEST(DbgList, IndexesAtOrAboveCountAreRefused)
{
    TDbgList list;
    TDazButton b;
    list.Add(&b);
    EXPECT_EQ(list.GetItemsEx(0), &b);
    try {
        list.GetItemsEx(1);
        ADD_FAILURE();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list read access");
    }
    try {
        list.SetItemsEx(1, &b);
        ADD_FAILURE();
    } catch (const EListError &e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list write access");
    }
    TDbgList copy;
    copy.AssignList(list);
    EXPECT_EQ(copy.Count(), 1);
}

// A footer that counts the sizing it would hand to the platform.
class TCountingFooter : public TDazFooter
{
public:
    using TDazFooter::TDazFooter;
    int Sizings = 0;

protected:
    void StartSizing() override { ++Sizings; }
};

TEST(DropDownPanels, RightAlignedButtonsCutToTheAreaAndReportTheirIndex)
{
    TFakeHost host;
    for (int i = 0; i < 3; ++i) {
        THeaderButton *item = host.Header.Buttons().Add();
        item->SetCaption(QStringLiteral("B%1").arg(i));
        item->SetWidth(30);
        item->SetHeight(i == 2 ? 40 : 0);
        TFooterButton *f = host.Footer.Buttons().Add();
        f->SetHeight(40);
        f->SetModalResult(2);
    }
    QWidget form;
    TDazHeader header(&form);
    header.resize(200, 22);
    header.SetDazDropDown(&host);
    header.BuildButtons();
    ASSERT_EQ(header.ButtonList().Count(), 3);
    const int lefts[] = {168, 138, 108};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(header.ButtonList().GetItemsEx(i)->x(), lefts[i]) << i;
    EXPECT_EQ(header.ButtonList().GetItemsEx(2)->height(), 22 - 5);

    TCountingFooter footer(&form);
    footer.resize(200, 22);
    footer.SetDazDropDown(&host);
    footer.BuildButtons();
    EXPECT_EQ(footer.ButtonList().GetItemsEx(0)->height(), 22 - 4);
    // The grip takes 12 pixels from the right of the button area.
    EXPECT_EQ(footer.ButtonList().GetItemsEx(0)->x() + footer.ButtonList().GetItemsEx(0)->width(), 198 - 12);

    // Clicks reach the editor's events with the item index; a footer button closes.
    TDazButton *b = header.ButtonList().GetItemsEx(1);
    Mouse(b, QEvent::MouseButtonPress, {2, 2});
    Mouse(b, QEvent::MouseButtonRelease, {2, 2});
    b = footer.ButtonList().GetItemsEx(2);
    Mouse(b, QEvent::MouseButtonPress, {2, 2});
    Mouse(b, QEvent::MouseButtonRelease, {2, 2});
    EXPECT_EQ(host.Clicks, (std::vector<std::pair<char, int>>{{'h', 1}, {'f', 2}}));
    EXPECT_EQ(host.Hides, std::vector<bool>{true});
}

TEST(DropDownPanels, CaptionCentredAndStoppedBeforeTheButtons)
{
    TFakeHost host;
    host.Header.SetColor(0x00FF00);
    host.Header.SetColorTo(clNone);
    host.Header.SetCaption(QString(40, u'W'));
    for (int i = 0; i < 3; ++i)
        host.Header.Buttons().Add()->SetWidth(30);
    TDazHeader header;
    header.resize(200, 22);
    header.SetDazDropDown(&host);
    header.BuildButtons();
    for (int i = 0; i < 3; ++i)
        header.ButtonList().GetItemsEx(i)->hide();   // their strip shows the caption's end
    const QImage image = header.grab().toImage();
    const auto dark = [&image](int x, int y) { return QColor(image.pixel(x, y)).lightness() < 100; };
    int top = 99, bottom = -1, right = -1;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 200; ++x)
            if (dark(x, y) && x > 0 && x < 199 && y > 0 && y < 21) {
                top = std::min(top, y), bottom = std::max(bottom, y), right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_LT(right, 108 - 2);   // 2 pixels before the leftmost button
    // The one line sits in the middle of the area inside the border.
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font = host.Header.Font().Value();
    QSize extent;
    DrawHtmlCaption(canvas, QStringLiteral("W"), TRect(0, 0, 100, 20), nullptr, false, &header, extent);
    const int line_top = 1 + (20 - extent.height()) / 2;
    EXPECT_GE(top, line_top);
    EXPECT_LT(bottom, line_top + extent.height());
}

TEST(DropDownPanels, SizeGripOnlyWhenSizeableAndItsZone)
{
    TFakeHost host;
    QWidget form;
    TCountingFooter footer(&form);
    footer.resize(100, 22);
    footer.SetDazDropDown(&host);
    ASSERT_TRUE(footer.GripShown());
    Mouse(&footer, QEvent::MouseMove, {95, 20});
    EXPECT_EQ(footer.cursor().shape(), Qt::SizeFDiagCursor);
    Mouse(&footer, QEvent::MouseButtonPress, {95, 20});
    EXPECT_EQ(footer.Sizings, 1);
    Mouse(&footer, QEvent::MouseButtonRelease, {95, 20});
    Mouse(&footer, QEvent::MouseMove, {50, 10});
    EXPECT_EQ(footer.cursor().shape(), Qt::ArrowCursor);
    Mouse(&footer, QEvent::MouseButtonPress, {50, 20});   // outside the zone
    EXPECT_EQ(footer.Sizings, 1);
    // The grip's blocks: white ones with black ones a pixel up and left over them.
    host.Footer.SetColor(0x00FF00);
    host.Footer.SetColorTo(clNone);
    footer.SetDazDropDown(&host);
    QImage image = footer.grab().toImage();
    const auto at = [&image](int x, int y) { return FromQColor(QColor(image.pixel(x, y))); };
    EXPECT_EQ(at(90, 19), clWhite);   // G = (84, 1, 99, 22): the block at (5, 2)
    EXPECT_EQ(at(89, 18), clBlack);
    EXPECT_EQ(at(88, 17), clBlack);
    EXPECT_EQ(at(86, 19), TColor(0x00FF00));
    // Not sizeable: no grip, no zone, even with SizeGrip on.
    host.Sizeable = false;
    EXPECT_FALSE(footer.GripShown());
    Mouse(&footer, QEvent::MouseMove, {95, 20});
    EXPECT_EQ(footer.cursor().shape(), Qt::ArrowCursor);
    Mouse(&footer, QEvent::MouseButtonPress, {95, 20});
    EXPECT_EQ(footer.Sizings, 1);
    image = footer.grab().toImage();
    EXPECT_EQ(at(89, 18), TColor(0x00FF00));
}

TEST(DropDownPanels, PaintingBorderHighlightAndOwnerDrawing)
{
    TFakeHost host;
    host.Header.SetColor(0x00FF00);
    host.Header.SetColorTo(clNone);
    host.Header.SetBorderColor(clBlack);
    host.Header.SetBorderWidth(1);
    TDazHeader header;
    header.resize(100, 22);
    header.SetAppearance(host.Header);
    QImage image = header.grab().toImage();
    EXPECT_EQ(FromQColor(QColor(image.pixel(50, 21))), clBlack);   // the line under the strip
    // The inner highlight, 20 % black on white, drawn over the frame lines.
    for (const QPoint &p : {QPoint(50, 0), QPoint(0, 10), QPoint(99, 10)})
        EXPECT_EQ(FromQColor(QColor(image.pixel(p))), BlendColor(clBlack, clWhite, 20)) << p.x() << "," << p.y();
    EXPECT_EQ(FromQColor(QColor(image.pixel(50, 10))), TColor(0x00FF00));

    int drawn = 0;
    header.OnDrawBackGround = [&drawn](QWidget *, TCanvas &, const TRect &) { ++drawn; };
    image = header.grab().toImage();
    EXPECT_GE(drawn, 1);
    EXPECT_NE(FromQColor(QColor(image.pixel(50, 10))), TColor(0x00FF00));
    EXPECT_NE(FromQColor(QColor(image.pixel(50, 21))), clBlack);
}

} // namespace
