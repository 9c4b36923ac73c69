// Opening clicked links: web and mail links reach the desktop, everything else is refused.
#include "platform/process.h"
#include "platform/shell.h"

#include <gtest/gtest.h>

TEST(ShellOpenLink, HandsOnlyWebAndMailLinksToTheDesktop)
{
    struct Case {
        const char *link;
        bool opened;
    };
    const Case cases[] = {
        {"http://example.com/a?b=1", true},
        {"HTTPS://example.com", true},
        {"  ftp://files.example.com/x.bin ", true},
        {"mailto:someone@example.com", true},
        {"file:///usr/bin/xterm", false},
        {"/usr/bin/xterm", false},
        {"C:\\Windows\\system32\\cmd.exe", false},
        {"cmd.exe /c del", false},
        {"javascript:alert(1)", false},
        {"www.example.com", false},
        {"http://", false},
        {"mailto:", false},
        {"", false},
    };
    for (const Case &c : cases) {
        TFakeProcessesGuard guard;
        EXPECT_EQ(ShellOpenLink(QString::fromLatin1(c.link)), c.opened) << c.link;
        EXPECT_EQ(guard.Fake.Calls.size(), c.opened ? 1u : 0u) << c.link;
        if (c.opened) {
            EXPECT_EQ(guard.Fake.Calls[0].what, "open");
            EXPECT_EQ(guard.Fake.Calls[0].program, QString::fromLatin1(c.link).trimmed());
        }
    }
}

TEST(ShellOpenLink, ReportsADesktopFailure)
{
    TFakeProcessesGuard guard;
    guard.Fake.OpenResult = false;
    EXPECT_FALSE(ShellOpenLink("https://example.com"));
    EXPECT_EQ(guard.Fake.Calls.size(), 1u);
}
