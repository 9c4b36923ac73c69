#include "platform/application.h"
#include "platform/color.h"
#include "platform/dialogs.h"
#include "platform/locale.h"

#include <QPalette>
#include <gtest/gtest.h>

TEST(Dialogs, FakeRecordsExactTextAndAnswersFromScript)
{
    TFakeDialogsGuard guard;
    MessageError("Error row 3: value out of range", "Check");
    MessageWarning("Warning!! Max Payload Size not Set Up");
    guard.Fake.Answers = {TMsgResult::No};
    EXPECT_FALSE(MessageYesNo("Delete row?"));
    EXPECT_TRUE(MessageYesNo("Delete again?"));   // script exhausted: Yes
    ShowMessage("Done");

    ASSERT_EQ(guard.Fake.Calls.size(), 5u);
    EXPECT_EQ(guard.Fake.Calls[0].kind, TMsgKind::Error);
    EXPECT_EQ(guard.Fake.Calls[0].text, "Error row 3: value out of range");
    EXPECT_EQ(guard.Fake.Calls[0].caption, "Check");
    EXPECT_EQ(guard.Fake.Calls[1].caption, QCoreApplication::applicationName());
    EXPECT_EQ(guard.Fake.Calls[2].kind, TMsgKind::Confirmation);
    EXPECT_EQ(guard.Fake.Texts(), (QStringList{"Error row 3: value out of range",
                                               "Warning!! Max Payload Size not Set Up",
                                               "Delete row?", "Delete again?", "Done"}));
    EXPECT_EQ(guard.Fake.LastText(), "Done");

    guard.Fake.FileAnswers = {"/tmp/a.xml"};
    EXPECT_EQ(Dialogs().OpenFile("Open", "/tmp", "XML files (*.xml)", nullptr), "/tmp/a.xml");
    EXPECT_EQ(Dialogs().SaveFile("Save", "/tmp", "", nullptr), "");   // cancelled
    EXPECT_EQ(guard.Fake.Calls.back().what, "save");
    EXPECT_EQ(guard.Fake.Calls[5].filter, "XML files (*.xml)");
    EXPECT_EQ(guard.Fake.LastText(), "Done");   // file dialogs are not messages
}

TEST(Dialogs, ExceptionLeavingAnEventHandlerIsShown)
{
    TFakeDialogsGuard guard;
    class TThrower : public QObject
    {
    public:
        bool event(QEvent *) override { throw std::runtime_error("Handler failed"); }
    } thrower;
    QEvent e(QEvent::User);
    // The headless test application is a plain QApplication.
    auto *app = static_cast<QApplication *>(QApplication::instance());
    EXPECT_FALSE(TApplication::NotifyGuarded(app, &thrower, &e));
    EXPECT_EQ(guard.Fake.Texts(), QStringList{"Handler failed"});
    EXPECT_EQ(guard.Fake.Calls[0].kind, TMsgKind::Error);
}

TEST(Color, ValuesAndSystemColours)
{
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0, 0, 255)), clBlue);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_FALSE(IsSystemColor(clNone));
    const QPalette pal = QGuiApplication::palette();
    EXPECT_EQ(ToQColor(clWindow), pal.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ToQColor(clHighlight), pal.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(ColorToRGB(clBtnFace), FromQColor(pal.color(QPalette::Active, QPalette::Button)));
    EXPECT_EQ(ColorToRGB(clNone), clBlack);
    EXPECT_EQ(ColorToRGB(clLime), clLime);
}

TEST(Locale, SeparatorOverride)
{
    SetDecimalSeparatorOverride(u',');
    EXPECT_EQ(DecimalSeparator(), u',');
    SetDecimalSeparatorOverride(QChar());
    EXPECT_EQ(DecimalSeparator(), QLocale().decimalPoint().front());
    EXPECT_FALSE(ShortDateFormat().isEmpty());
    EXPECT_FALSE(ShortTimeFormat().isEmpty());
}
