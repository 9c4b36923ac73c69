// The drop-down edit's label placement and events, the layout, and clicks with typing off.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

TEST(DropDownLabel, FifteenPositions)
{
    QWidget parent;
    auto *edit = new TDazCustomDropDown(&parent);
    edit->setGeometry(100, 50, 200, 21);
    edit->SetLabelMargin(4);
    edit->SetLabelCaption("Name");
    const QLabel *l = edit->Label();
    ASSERT_NE(l, nullptr);
    const int w = l->width(), lh = l->height(), L = 100, T = 50, W = 200, H = 21, m = 4;
    const int midTop = T + (H - lh) / 2, midLeft = L + (W - w) / 2;
    const std::tuple<TLabelPosition, int, int> cases[] = {
        {lpLeftTop, L - w - m, T},           {lpLeftCenter, L - w - m, midTop},
        {lpLeftBottom, L - w - m, T + H - lh}, {lpTopLeft, L, T - lh - m},
        {lpBottomLeft, L, T + H + m},         {lpLeftTopLeft, L - m, T},
        {lpLeftCenterLeft, L - m, midTop},    {lpLeftBottomLeft, L - m, T + H - lh},
        {lpTopCenter, midLeft, T - lh - m},   {lpBottomCenter, midLeft, T + H + m},
        {lpRightTop, L + W + m, T},           {lpRightCenter, L + W + m, midTop},
        {lpRighBottom, L + W + m, T + H - lh}, {lpTopRight, L + W - w, T - lh - m},
        {lpBottomRight, L + W - w, T + H + m},
    };
    for (auto [pos, left, top] : cases) {
        edit->SetLabelPosition(pos);
        EXPECT_EQ(l->pos(), QPoint(left, top)) << int(pos);
    }
    // A centred label wider than the edit hangs over on both sides.
    edit->setGeometry(100, 50, 10, 21);
    edit->SetLabelPosition(lpTopCenter);
    EXPECT_EQ(l->x(), 100 + (10 - w) / 2);
    EXPECT_LT(l->x(), 100);
}

TEST(DropDownLabel, ClicksAndVisibility)
{
    QWidget parent;
    auto *edit = new TDazCustomDropDown(&parent);
    edit->SetLabelCaption("Name");
    QStringList seen;
    edit->OnLabelClick = [&](TObject *) { seen << "click"; };
    edit->OnLabelDblClick = [&](TObject *) { seen << "double"; };
    QLabel *l = edit->Label();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(l, &press);
    QApplication::sendEvent(l, &release);
    QApplication::sendEvent(l, &dbl);
    EXPECT_EQ(seen, QStringList({"click", "double"}));
    EXPECT_EQ(edit->LabelCaption(), "Name");
    parent.show();
    edit->UpdateLabel();
    EXPECT_TRUE(l->isVisible());
    edit->hide();
    EXPECT_FALSE(l->isVisible());
    edit->show();
    EXPECT_TRUE(l->isVisible());
}

// With ParentFont the label shows the edit's font, follows a change of the parent's font and
// ignores LabelFont; an edit with a font of its own gives the label LabelFont.
TEST(DropDownLabel, FontFollowsTheEdit)
{
    QWidget parent;
    QFont small(QStringLiteral("DejaVu Sans"), 8);
    parent.setFont(small);
    auto *edit = new TDazCustomDropDown(&parent);
    edit->setGeometry(100, 50, 200, 21);
    edit->SetLabelCaption("Name");
    QLabel *l = edit->Label();
    EXPECT_TRUE(edit->ParentFont());
    EXPECT_EQ(l->font().pointSize(), 8);
    const int narrow = l->width();
    QFont big(QStringLiteral("DejaVu Sans"), 16);
    edit->SetLabelFont(big);   // ignored with ParentFont
    EXPECT_EQ(l->font().pointSize(), 8);
    parent.setFont(big);
    EXPECT_EQ(l->font().pointSize(), 16);
    EXPECT_GT(l->width(), narrow);
    EXPECT_EQ(l->x(), 100 - l->width());   // re-placed to the left of the edit
    edit->setFont(small);                  // a font of its own: the label takes LabelFont
    EXPECT_FALSE(edit->ParentFont());
    edit->SetLabelFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    EXPECT_EQ(l->font().pointSize(), 12);
    edit->SetLabelTransparent(true);
    EXPECT_FALSE(l->autoFillBackground());
    edit->SetLabelTransparent(false);
    EXPECT_TRUE(l->autoFillBackground());
    // Loading ends with the label taking the edit's enabled state unless always enabled.
    edit->setEnabled(false);
    edit->SetLoading(true);
    edit->SetLoading(false);
    EXPECT_FALSE(l->isEnabled());
    EXPECT_FALSE(edit->Button() && edit->Button()->isEnabled());
    l->setEnabled(true);
    edit->LabelAlwaysEnabled = true;
    edit->SetLoading(false);
    EXPECT_TRUE(l->isEnabled());
}

TEST(DropDownLayout, ButtonAtTheRightAndTextBeforeIt)
{
    TDazCustomDropDown edit;
    edit.InitializeDropDown();
    edit.resize(200, 24);
    edit.show();   // a hidden widget gets its resize event only when shown
    const QRect b = edit.Button()->geometry();
    EXPECT_EQ(b.width(), 16);
    EXPECT_EQ(b.right() + 1, 200 - 4);
    EXPECT_EQ(edit.GetEditRect().Right, 200 - 16 - 3);
    edit.resize(200, 2);   // below the minimum height: raised
    EXPECT_EQ(edit.height(), edit.GetMinHeight());
}

TEST(DropDownLayout, ClickOpensWithTypingOff)
{
    TFakeDropDownScreenGuard screen;
    TDazCustomDropDown edit;
    edit.InitializeDropDown();
    edit.SetEditorEnabled(false);
    edit.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 5), QPointF(30, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &press);
    EXPECT_TRUE(edit.DroppedDown());
    // The second click first deactivates the window (closing it), then comes too soon.
    edit.DropDownForm()->Deactivated(nullptr);
    EXPECT_FALSE(edit.DroppedDown());
    QApplication::sendEvent(&edit, &press);
    EXPECT_FALSE(edit.DroppedDown());
    // Typed keys do nothing.
    edit.TypeChar(u'x');
    EXPECT_EQ(edit.text(), "");
}

}   // namespace

namespace {

TEST(DropDownBorder, ColourRules)
{
    TDazCustomDropDown edit;
    edit.resize(100, 21);
    auto frame = [&] {
        QImage img(edit.size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        edit.render(&img);
        return FromQColor(QColor(img.pixel(0, 10)));
    };
    const TColor plain = frame();
    edit.BorderColor = 0x0000FF;
    EXPECT_EQ(frame(), TColor(0x0000FF));
    edit.FocusBorderColor = 0x00FF00;   // only while focused
    EXPECT_EQ(frame(), TColor(0x0000FF));
    edit.BorderColor = clNone;
    EXPECT_EQ(frame(), plain);
    // Disabled with the themed controls: a light grey frame.
    edit.FocusBorderColor = clNone;
    edit.setEnabled(false);
    EXPECT_EQ(frame(), TColor(0xC0C0C0));
    edit.DisabledBorder = false;
    EXPECT_NE(frame(), TColor(0xC0C0C0));
    edit.setEnabled(true);
    // Flat and not hot: two frames in the parent's background colour.
    QWidget parent;
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0x20, 0x40, 0x60));
    parent.setPalette(pal);
    auto *flat = new TDazCustomDropDown(&parent);
    flat->resize(100, 21);
    flat->Flat = true;
    QImage img(flat->size(), QImage::Format_RGB32);
    flat->render(&img);
    EXPECT_EQ(QColor(img.pixel(0, 10)), QColor(0x20, 0x40, 0x60));
    EXPECT_EQ(QColor(img.pixel(1, 10)), QColor(0x20, 0x40, 0x60));
}

}   // namespace

namespace {

TEST(DropDownBorder, FocusedValueInHighlightWithTypingOff)
{
    TDazCustomDropDown edit;
    edit.InitializeDropDown();
    edit.resize(120, 21);
    edit.SetText("value");
    edit.SetEditorEnabled(false);
    edit.show();
    QApplication::setActiveWindow(&edit);
    edit.setFocus();
    if (!edit.hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    QImage img(edit.size(), QImage::Format_RGB32);
    edit.render(&img);
    EXPECT_EQ(FromQColor(QColor(img.pixel(2, 2))), clBlack);
    EXPECT_EQ(FromQColor(QColor(img.pixel(80, 4))),
              FromQColor(QApplication::palette().highlight().color()));
}

}   // namespace

namespace {

TEST(DropDownMouse, PressInsideSelectionKeepsItUntilRelease)
{
    TDazCustomDropDown edit;
    edit.resize(150, 21);
    edit.SetText("abcdefgh");
    edit.show();
    QApplication::setActiveWindow(&edit);
    edit.setFocus();
    if (!edit.hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    edit.setSelection(0, 8);
    const QPoint inside(20, 10);   // over the first letters
    QMouseEvent press(QEvent::MouseButtonPress, inside, edit.mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &press);
    EXPECT_EQ(edit.selectedText(), "abcdefgh");
    QMouseEvent release(QEvent::MouseButtonRelease, inside, edit.mapToGlobal(inside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &release);
    EXPECT_FALSE(edit.hasSelectedText());
    EXPECT_EQ(edit.cursorPosition(), edit.cursorPositionAt(inside));
}

}   // namespace
