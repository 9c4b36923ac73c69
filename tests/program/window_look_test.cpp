// Every window of the program as a person first sees it: no two labels on top of each other,
// no "&&" where the framework shows one "&".
#include "app/forms.h"
#include "mbus/scandecode.h"
#include "program/program_fixture.h"
#include "program/window_look.h"

#include <QCoreApplication>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

namespace {

class WindowLook : public ProgramFixture
{
};

TEST_F(WindowLook, EveryWindowShowsItsLabelsOnceAndOneAmpersandForTwo)
{
    using namespace window_look;
    const QStringList names = Forms().Names();
    ASSERT_EQ(names.size(), 49);
    QStringList faults;
    int checked = 0;
    int pixel_checked = 0;
    for (const QString &name : names) {
        QWidget *form = Forms().Form(name);
        ASSERT_NE(form, nullptr) << name.toStdString();
        form->show();
        QCoreApplication::processEvents();
        for (const QString &o : Overlapping_Labels(form))
            faults << name + QStringLiteral(": overlap ") + o;
        for (const QString &a : Doubled_Ampersands(form))
            faults << name + QStringLiteral(": shows && ") + a;
        for (const QString &a : Wrong_Ampersands(form))
            faults << name + QStringLiteral(": drawn unlike its text ") + a;
        for (QLabel *l : Seen_Labels(form))
            pixel_checked += l->text().contains(QLatin1String("&&"));
        form->hide();
        QCoreApplication::processEvents();
        ++checked;
    }
    EXPECT_EQ(checked, 49);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_GT(pixel_checked, 0);   // the pixel check met at least one "&&" label
}

TEST_F(WindowLook, ScanWindowCaptionIsDrawnAsScanAndDecode)
{
    using namespace window_look;
    FScanDecode->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(FScanDecode->L_SW_Code->text(), "SCAN && DECODE");
    EXPECT_TRUE(Shows(FScanDecode->L_SW_Code, QStringLiteral("SCAN & DECODE")));
    EXPECT_FALSE(Shows(FScanDecode->L_SW_Code, QStringLiteral("SCAN && DECODE")));
    FScanDecode->hide();
}

// The pixel check itself: a label drawn by a style without the "&" rule shows "&&" as it
// stands, and the check tells it from one "&".
TEST(WindowLookCheck, ALabelWithoutTheRuleIsSeenShowingBothAmpersands)
{
    using namespace window_look;
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(plain, nullptr);
    QWidget window;
    window.resize(300, 60);
    QLabel *l = new QLabel(QStringLiteral("A && B"), &window);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(10, 10, 200, 30);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Shows(l, QStringLiteral("A & B")));
    EXPECT_FALSE(Shows(l, QStringLiteral("A && B")));
    l->setStyle(plain.get());
    EXPECT_TRUE(Shows(l, QStringLiteral("A && B")));
    EXPECT_FALSE(Shows(l, QStringLiteral("A & B")));
    EXPECT_EQ(Wrong_Ampersands(&window), QStringList{QStringLiteral("(QLabel): A && B")});
    l->setStyle(nullptr);
}

// Labels one over another are both seen and reported; a label under an opaque panel is not.
TEST(WindowLookCheck, OverlapsAreFoundAndCoveredLabelsAreNotSeen)
{
    using namespace window_look;
    QWidget window;
    window.resize(300, 200);
    QLabel *a = new QLabel(QStringLiteral("Scan By"), &window);
    a->setObjectName(QStringLiteral("A"));
    a->setGeometry(8, 8, 100, 20);
    QLabel *b = new QLabel(QStringLiteral("Number of Slaves"), &window);
    b->setObjectName(QStringLiteral("B"));
    b->setGeometry(8, 8, 120, 20);
    QWidget *hidden = new QWidget(&window);
    hidden->setGeometry(0, 100, 300, 100);
    QLabel *c = new QLabel(QStringLiteral("C"), hidden);
    c->setGeometry(8, 8, 100, 20);
    QLabel *d = new QLabel(QStringLiteral("D"), &window);
    d->setGeometry(8, 108, 100, 20);
    QWidget *cover = new QWidget(&window);
    cover->setAutoFillBackground(true);
    cover->setGeometry(0, 150, 300, 50);
    QLabel *under = new QLabel(QStringLiteral("E"), &window);
    under->setGeometry(8, 155, 100, 20);
    under->lower();
    QLabel *f = new QLabel(QStringLiteral("F"), &window);
    f->setGeometry(8, 160, 100, 20);
    window.show();
    hidden->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(Overlapping_Labels(&window), QStringList{QStringLiteral("A / B")});
    EXPECT_EQ(Doubled_Ampersands(&window), QStringList());
    b->setText(QStringLiteral("<b>A &amp;&amp; B</b>"));
    EXPECT_EQ(Doubled_Ampersands(&window), QStringList{QStringLiteral("B: <b>A &amp;&amp; B</b>")});
}

} // namespace
