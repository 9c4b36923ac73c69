#include "grid/string/flatcombobox.h"
#include "editortest.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QAbstractItemView>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

struct ComboFixture : EditorFixture {
    TRudComboBox *combo = new TRudComboBox(&window);
    QWidget *other = new QWidget(&window);

    ComboFixture()
    {
        window.setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
        combo->setGeometry(100, 50, 120, 24);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(0, 150, 10, 10);
        combo->SetItems({"Alpha", "Beta", "Gamma"});
    }
    void ShowAndFocus()
    {
        Show();
        combo->setFocus(Qt::OtherFocusReason);
    }
    QImage Render() { return RenderWidget(*combo); }
};

TEST_F(ComboFixture, Defaults)
{
    EXPECT_EQ(combo->ButtonWidth(), combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    EXPECT_EQ(combo->Style(), csDropDown);
    EXPECT_TRUE(combo->AutoComplete());
    EXPECT_TRUE(combo->FlatParentColor());
    EXPECT_TRUE(combo->DisabledBorder());
    EXPECT_FALSE(combo->Flat());
    EXPECT_EQ(combo->DropDownCount(), 10);   // the platform's list length until set
    combo->SetDropDownCount(8);
    EXPECT_EQ(combo->DropDownCount(), 8);
    EXPECT_EQ(combo->LabelMargin(), 4);
    EXPECT_EQ(combo->LabelPosition(), lpLeftTop);
    EXPECT_EQ(combo->ComboLabel(), nullptr);
    EXPECT_EQ(combo->LabelCaption(), "");
    EXPECT_EQ(combo->Color(), clWindow);
    EXPECT_EQ(combo->ButtonColor, clNone);
    EXPECT_FALSE(combo->PaintsOwnLook());
}

TEST_F(ComboFixture, ButtonWidthTakesOnly14To32)
{
    for (int w : {14, 13, 33, 32, 0})
        combo->SetButtonWidth(w);
    EXPECT_EQ(combo->ButtonWidth(), 32);
    combo->SetButtonWidth(16);
    EXPECT_EQ(combo->ButtonWidth(), 16);
}

TEST_F(ComboFixture, DropWidthWidensTheList)
{
    combo->SetDropWidth(0);
    EXPECT_EQ(combo->DropWidth(), 0);
    combo->SetDropWidth(300);
    EXPECT_EQ(combo->view()->minimumWidth(), 300);
}

TEST_F(ComboFixture, ItemsTextAndObjects)
{
    combo->SelectItem("beta");
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SelectItem("Delta");
    EXPECT_EQ(combo->ItemIndex(), 1);
    TObject a;
    combo->AddItem("Delta", &a);
    EXPECT_EQ(combo->ItemObject(3), &a);
    EXPECT_EQ(combo->ItemObject(0), nullptr);
    EXPECT_EQ(combo->ItemObject(9), nullptr);
    combo->SetText("free text");
    EXPECT_EQ(combo->Text(), "free text");
    combo->SetStyle(csDropDownList);
    combo->SetText("gamma");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetText("none");
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetStyle(csDropDown);
    combo->SetMaxLength(3);
    EXPECT_EQ(combo->lineEdit()->maxLength(), 3);
}

TEST_F(ComboFixture, LabelPlacesByPosition)
{
    const QRect c(100, 50, 120, 24);
    const QSize l(40, 16);
    struct TCase {
        TLabelPosition Pos;
        QPoint At;
    } cases[] = {
        {lpLeftTop, {100 - 36 - 4, 50}},        {lpLeftCenter, {60, 50 + 4}},
        {lpLeftBottom, {60, 50 + 24 - 16}},     {lpTopLeft, {100, 50 - 16 - 4}},
        {lpBottomLeft, {100, 50 + 24 + 4}},     {lpLeftTopLeft, {96, 50}},
        {lpLeftCenterLeft, {96, 54}},           {lpLeftBottomLeft, {96, 58}},
        {lpTopCenter, {100 + 40, 30}},          {lpBottomCenter, {140, 78}},
        {lpRightTop, {224, 50}},                {lpRightCenter, {224, 54}},
        {lpRighBottom, {224, 58}},
    };
    for (const auto &k : cases)
        EXPECT_EQ(LabelPlace(k.Pos, c, l, 4, 36), k.At) << k.Pos;
    // A label wider than the control sits left of it by half the difference.
    EXPECT_EQ(LabelPlace(lpTopCenter, c, QSize(160, 16), 4, 150).x(), 100 - 20);
}

TEST_F(ComboFixture, LabelFollowsTheCombo)
{
    Show();
    combo->SetLabelCaption("&Port");
    QLabel *label = combo->ComboLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &window);
    EXPECT_EQ(combo->LabelCaption(), "&Port");
    combo->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(label->pos(), QPoint(100, 50 - label->height() - 4));
    combo->move(110, 60);
    EXPECT_EQ(label->pos(), QPoint(110, 60 - label->height() - 4));
    combo->hide();
    EXPECT_TRUE(label->isHidden());
    combo->show();
    EXPECT_FALSE(label->isHidden());
    combo->SetEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    combo->SetEnabled(true);
    combo->SetLabelAlwaysEnabled(true);
    combo->SetEnabled(false);
    EXPECT_TRUE(label->isEnabled());
}

TEST_F(ComboFixture, FocusColourAndBoldLabel)
{
    combo->SetLabelCaption("Port");
    combo->SetFocusLabel(true);
    combo->SetFocusColor(clYellow);
    ShowAndFocus();
    EXPECT_EQ(combo->Color(), clYellow);
    EXPECT_TRUE(combo->ComboLabel()->font().bold());
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(combo->Color(), clWindow);   // made at run time: its own colour, not black
    EXPECT_FALSE(combo->ComboLabel()->font().bold());

    combo->SetColor(clAqua);
    combo->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(combo->Color(), clYellow);
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(combo->Color(), clAqua);
}

TEST_F(ComboFixture, ClosingTheListFiresOnDropUpOnce)
{
    int downs = 0, ups = 0;
    combo->OnDropDown = [&](TObject *) { ++downs; };
    combo->OnDropUp = [&](TObject *) { ++ups; };
    ShowAndFocus();
    combo->showPopup();
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 0);
    combo->hidePopup();
    combo->hidePopup();
    QApplication::processEvents();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(ups, 1);
}

TEST_F(ComboFixture, KeysTypeSelectAndCanBeSwallowed)
{
    ShowAndFocus();
    int changes = 0;
    combo->OnChange = [&](TObject *) { ++changes; };
    combo->SetText("");
    Keys(combo, "ab");
    EXPECT_EQ(combo->Text(), "ab");
    EXPECT_EQ(changes, 2);
    combo->OnKeyPress = [](TObject *, QChar &k) {
        if (k == u'x')
            k = QChar();
    };
    Keys(combo, "x");
    EXPECT_EQ(combo->Text(), "ab");

    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(0);
    changes = 0;
    Keys(combo, "g");
    EXPECT_EQ(combo->ItemIndex(), 2);
    Key(combo, Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(changes, 2);
    combo->OnKeyDown = [](TObject *, uint16_t &k, TShiftState) {
        if (k == VK_UP)
            k = 0;
    };
    Key(combo, Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboFixture, CustomButtonAndBorderColours)
{
    Show();
    combo->ButtonColor = clRed;
    combo->ButtonTextColor = clBlue;
    combo->ButtonBorderColor = clLime;
    combo->SetBorderColor(clNavy);
    EXPECT_TRUE(combo->PaintsOwnLook());
    const QImage img = Render();
    const int bw = combo->ButtonWidth();
    const int left = 120 - bw + 3 - 1;   // the filled button area
    EXPECT_EQ(PixelAt(img, 0, 0), clNavy);
    EXPECT_EQ(PixelAt(img, 119, 23), clNavy);
    EXPECT_EQ(PixelAt(img, left, 12), clLime);
    EXPECT_EQ(PixelAt(img, left + 2, 4), clRed);
    EXPECT_EQ(PixelAt(img, left + 7, 2 + 8), clBlue);   // inside the arrow
}

TEST_F(ComboFixture, FocusBorderColourOnlyWhileFocused)
{
    combo->SetFocusBorderColor(clRed);
    Show();
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(combo->PaintsOwnLook());
    combo->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(combo->PaintsOwnLook());
    EXPECT_EQ(PixelAt(Render(), 0, 0), clRed);
    combo->SetBorderColor(clNavy);
    EXPECT_EQ(PixelAt(Render(), 0, 0), clRed);
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(PixelAt(Render(), 0, 0), clNavy);
}

TEST_F(ComboFixture, FlatLookTakesTheParentColour)
{
    Show();
    combo->SetFlat(true);
    EXPECT_EQ(combo->Color(), 0xC0C0C0);
    const QImage img = Render();
    EXPECT_EQ(PixelAt(img, 0, 0), 0xC0C0C0);           // frame in the parent's colour
    EXPECT_EQ(PixelAt(img, 2, 2), combo->Color());     // inner frame in the control's
    combo->SetColor(clWhite);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), 0xC0C0C0);
    combo->SetEnabled(true);
    EXPECT_EQ(combo->Color(), clWhite);
    combo->SetFlatLineColor(clRed);
    EXPECT_EQ(PixelAt(Render(), 10, 23), clRed);
}

TEST_F(ComboFixture, ThemedButtonAndDisabledBorder)
{
    TFakeThemePlatformGuard guard;
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    UnbindThemeLibrary();
    TRudComboBox themed(&window);
    themed.setGeometry(10, 10, 120, 24);
    EXPECT_TRUE(themed.IsThemed());
    themed.SetFlat(true);
    Render();
    RenderWidget(themed);
    ASSERT_FALSE(guard.Fake.Draws.empty());
    EXPECT_EQ(guard.Fake.Draws.back().Class, "combobox");
    EXPECT_EQ(guard.Fake.Draws.back().State, 1);
    themed.SetDisabledBorder(false);
    themed.SetEnabled(false);
    const QImage img = RenderWidget(themed);
    EXPECT_EQ(guard.Fake.Draws.back().State, 4);
    EXPECT_EQ(PixelAt(img, 0, 0), 0xB99D7F);
    UnbindThemeLibrary();
}

} // namespace
