#include "grid/string/editbtn.h"
#include "editortest.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QClipboard>
#include <QEnterEvent>

namespace {

struct EditBtnFixture : EditorFixture {
    TRudEditBtn *edit = new TRudEditBtn(&window);
    std::vector<TObject *> clicks;

    EditBtnFixture()
    {
        edit->setGeometry(10, 10, 120, 24);
        edit->OnClickBtn = [this](TObject *s) { clicks.push_back(s); };
    }
};

TEST_F(EditBtnFixture, Defaults)
{
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_TRUE(edit->EditorEnabled());
    EXPECT_FALSE(edit->RightAlign());
    EXPECT_EQ(edit->ButtonWidth(), 18);
    EXPECT_EQ(edit->Button()->FocusControl(), edit);
    EXPECT_FALSE(edit->Button()->TabStop());
    EXPECT_EQ(edit->Button()->ButtonColor, clNone);
    TRudEditButton button;
    EXPECT_EQ(button.size(), QSize(20, 25));
    EXPECT_EQ(button.NumGlyphs(), 1);
}

TEST_F(EditBtnFixture, F4RunsTheButtonUnlessCtrlOrAlt)
{
    Show();
    Key(edit, Qt::Key_F4);
    Key(edit, Qt::Key_F4, Qt::ControlModifier);
    Key(edit, Qt::Key_F4, Qt::AltModifier);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], edit);
}

TEST_F(EditBtnFixture, ButtonClickFiresOnReleaseAndFocusesTheEdit)
{
    Show();
    edit->show();
    QApplication::processEvents();
    TDazSpeedButton *b = edit->Button()->Button();
    Mouse(b, QEvent::MouseButtonPress, {4, 4});
    EXPECT_TRUE(clicks.empty());
    Mouse(b, QEvent::MouseButtonRelease, {4, 4});
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], edit->Button());
    EXPECT_TRUE(edit->hasFocus());
    Mouse(b, QEvent::MouseButtonPress, {4, 4}, Qt::RightButton);
    Mouse(b, QEvent::MouseButtonRelease, {4, 4}, Qt::RightButton);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(EditBtnFixture, EditorDisabledKeepsTheTextButTheButtonWorks)
{
    Show();
    edit->SetText("ab");
    edit->SetEditorEnabled(false);
    edit->setCursorPosition(2);
    Keys(edit, "xy");
    Key(edit, Qt::Key_Backspace);
    Key(edit, Qt::Key_Delete);
    edit->selectAll();
    QApplication::clipboard()->setText("pasted");
    Key(edit, Qt::Key_V, Qt::ControlModifier);
    Key(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "ab");
    Key(edit, Qt::Key_F4);
    EXPECT_EQ(clicks.size(), 1u);

    edit->SetEditorEnabled(true);
    edit->setCursorPosition(2);
    Keys(edit, "c");
    EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(EditBtnFixture, LayoutKeepsTheButtonAtTheRightEnd)
{
    Show();
    edit->show();
    QApplication::processEvents();
    EXPECT_EQ(edit->Button()->geometry(), QRect(120 - 18 - 3, 2, 18, 24 - 5));
    EXPECT_EQ(edit->textMargins().right(), 18 + 5);
    edit->SetButtonWidth(25);
    EXPECT_EQ(edit->Button()->geometry(), QRect(120 - 25 - 3, 2, 25, 24 - 5));
    EXPECT_EQ(edit->Button()->Button()->geometry(), QRect(0, 0, 25, 24 - 5));

    TRudUnitEditBtn unit(&window);
    unit.setGeometry(10, 40, 120, 24);
    unit.show();
    QApplication::processEvents();
    EXPECT_TRUE(unit.RightAlign());
    EXPECT_EQ(unit.UnitSpace(), 20);
    EXPECT_EQ(unit.textMargins().right(), 18 + 20 + 5 + 3);
}

struct TUnitCase {
    QString Value, Text, Unit;
};

TEST_F(EditBtnFixture, TextAndUnitSplitsAtAUnitThatEndsTheValue)
{
    TRudUnitEditBtn unit;
    unit.SetUnits({"cm", "mm"});
    const TUnitCase cases[] = {
        {"12mm", "12", "mm"}, {"5cm", "5", "cm"},
        {"mm5mm", "5", "cm"},   // first occurrence not at the end: unchanged
        {"12", "5", "cm"},      // no unit: unchanged
    };
    for (const auto &c : cases) {
        unit.SetTextAndUnit(c.Value);
        EXPECT_EQ(unit.Text(), c.Text) << c.Value.toStdString();
        EXPECT_EQ(unit.UnitID(), c.Unit) << c.Value.toStdString();
    }
    EXPECT_EQ(unit.TextAndUnit(), "5cm");
}

// The unit menu answers from a script instead of waiting for the user.
class TScriptedUnitEdit : public TRudUnitEditBtn
{
public:
    using TRudUnitEditBtn::TRudUnitEditBtn;
    int Answer = 0;
    int Shown = 0;

protected:
    int TrackUnitMenu(const QPoint &) override
    {
        ++Shown;
        return Answer;
    }
};

TEST_F(EditBtnFixture, PickingAUnitFiresOnlyOnChange)
{
    TScriptedUnitEdit unit(&window);
    unit.SetUnits({"cm", "mm"});
    unit.SetUnitID("cm");
    std::vector<QString> changes;
    std::vector<TObject *> senders;
    unit.OnUnitChanged = [&](TObject *, const QString &u) { changes.push_back(u); };
    unit.OnClickBtn = [&](TObject *s) { senders.push_back(s); };
    for (int answer : {1, 2, 3, 0, 2}) {
        unit.Answer = answer;
        unit.ClickBtn(unit.Button());
    }
    EXPECT_EQ(unit.Shown, 5);
    EXPECT_EQ(changes, std::vector<QString>{"mm"});
    EXPECT_EQ(unit.UnitID(), "mm");
    ASSERT_EQ(senders.size(), 5u);
    EXPECT_EQ(senders[0], &unit);
}

TEST_F(EditBtnFixture, UnitTextIsDrawnBeforeTheButton)
{
    TRudUnitEditBtn unit(&window);
    unit.setGeometry(0, 0, 120, 24);
    unit.SetText("");
    Show();
    unit.show();
    QApplication::processEvents();
    const int right = 120 - 2 - (18 + 3);
    const TRect unitArea(right - 20, 2, right, 22);
    EXPECT_EQ(CountPixels(RenderWidget(unit), unitArea, clBlack), 0);
    unit.SetUnitID("mm");
    const QImage img = RenderWidget(unit);
    int dark = 0;
    for (int y = unitArea.Top; y < unitArea.Bottom; ++y)
        for (int x = unitArea.Left; x < unitArea.Right; ++x)
            dark += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 5);
}

struct ButtonFaceFixture : EditorFixture {
    TRudEditButton owner{&window};
    TDazSpeedButton *b = owner.Button();
    ButtonFaceFixture() { owner.setGeometry(200, 100, 18, 18); }
    void Enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b, &e);
    }
};

TEST_F(ButtonFaceFixture, CustomColoursFollowHotAndDown)
{
    Show();
    owner.show();
    QApplication::processEvents();
    owner.ButtonColor = clRed;
    owner.ButtonColorHot = clLime;
    owner.ButtonColorDown = clBlue;
    EXPECT_EQ(PixelAt(RenderWidget(*b), 2, 2), clRed);
    EXPECT_TRUE(b->Flat());
    Enter();
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(PixelAt(RenderWidget(*b), 2, 2), clLime);
    Mouse(b, QEvent::MouseButtonPress, {4, 4});
    EXPECT_EQ(PixelAt(RenderWidget(*b), 2, 2), clBlue);
    Mouse(b, QEvent::MouseButtonRelease, {4, 4});
}

TEST_F(ButtonFaceFixture, ThemedFaceIsThePushButtonPart)
{
    TFakeThemePlatformGuard guard;
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    UnbindThemeLibrary();
    b->SetIsWinXP(true);
    RenderWidget(*b);
    ASSERT_EQ(guard.Fake.Draws.size(), 1u);
    EXPECT_EQ(guard.Fake.Draws[0].Class, "button");
    EXPECT_EQ(guard.Fake.Draws[0].Part, 1);
    EXPECT_EQ(guard.Fake.Draws[0].State, 1);
    b->SetIsWinXP(false);
    RenderWidget(*b);
    ASSERT_EQ(guard.Fake.Draws.size(), 2u);
    EXPECT_EQ(guard.Fake.Draws[1].What, "frame");
    UnbindThemeLibrary();
}

TEST_F(ButtonFaceFixture, GlyphCentredOrFromTheCorner)
{
    auto glyph = [](int size) {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(QColor(255, 0, 0));
        img.setPixelColor(0, size - 1, QColor(0, 0, 255));   // transparent colour
        return img;
    };
    owner.ButtonColor = clWhite;
    b->SetGlyph(glyph(30));
    QImage img = RenderWidget(*b);
    EXPECT_EQ(PixelAt(img, 1, 1), clRed);
    EXPECT_EQ(PixelAt(img, 17, 17), clRed);
    b->SetGlyph(glyph(8));
    img = RenderWidget(*b);
    EXPECT_EQ(PixelAt(img, 4, 4), clWhite);
    EXPECT_EQ(PixelAt(img, 6, 6), clRed);
    EXPECT_EQ(PixelAt(img, 5, 12), clWhite);   // the transparent pixel
}

} // namespace
