// In-place editing through the string tree's edit link.
#include "input_fixture.h"

#include "controls/tree/lazytreeedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace {

const std::vector<QString> Names{"a", "beta", "gamma"};

struct TEditFixture
{
    TInputTree Tree;
    std::vector<std::string> NewTexts;
    explicit TEditFixture(bool AutoAccept = true)
    {
        Tree.TreeOptions().SetMiscOptions(Tree.TreeOptions().MiscOptions() + TLTMiscOptions{toEditable});
        TLTStringOptions s = Tree.TreeOptions().StringOptions();
        s.Set(TLTStringOption::toAutoAcceptEditChange, AutoAccept);
        Tree.TreeOptions().SetStringOptions(s);
        Tree.OnNewText = [this](TBaseLazyTree *, PLazyNode Node, TColumnIndex, const QString &Text) {
            NewTexts.push_back(Tree.Caption(Node) + "=" + Text.toStdString());
        };
        SetupScanTree(Tree, Names);
    }
    ~TEditFixture() { Tree.OnNewText = nullptr; }
    PLazyNode Node(int I) { return Tree.Shown()[size_t(I)]; }
    TLTEdit *Editor() const
    {
        auto *link = dynamic_cast<TStringEditLink *>(Tree.EditLink().get());
        return link ? link->Edit() : nullptr;
    }
};

void Send(QWidget *W, int Key, Qt::KeyboardModifiers M = {})
{
    QKeyEvent e(QEvent::KeyPress, Key, M);
    QApplication::sendEvent(W, &e);
}

}   // namespace

TEST(LazyTreeEdit, DisabledNodeGetsNoEditLink)
{
    TEditFixture f;
    int created = 0;
    f.Tree.OnCreateEditor = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, std::shared_ptr<ILTEditLink> &) { ++created; };
    f.Tree.SetDisabled(f.Node(1), true);
    EXPECT_FALSE(f.Tree.EditNode(f.Node(1), NoColumn));
    EXPECT_EQ(created, 0);
    EXPECT_FALSE(f.Tree.IsEditing());
    f.Tree.OnCreateEditor = nullptr;
}

TEST(LazyTreeEdit, Assertions)
{
    TEditFixture f;
    try {
        f.Tree.EditNode(nullptr, NoColumn);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Node must not be nil.");
    }
    try {
        f.Tree.EditNode(f.Node(0), 0);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Column must be a valid column index (-1 if no header is shown).");
    }
}

TEST(LazyTreeEdit, ClickingElsewhereKeepsTheTextOnlyWithAutoAccept)
{
    for (bool autoAccept : {true, false}) {
        SCOPED_TRACE(autoAccept);
        TEditFixture f(autoAccept);
        ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
        TLTEdit *edit = f.Editor();
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->isVisible());
        EXPECT_EQ(edit->text(), QStringLiteral("beta"));
        edit->setText(QStringLiteral("bravo"));
        edit->setModified(true);
        Click(f.Tree, LabelPoint(f.Tree, f.Node(2)));
        EXPECT_FALSE(f.Tree.IsEditing());
        EXPECT_EQ(f.NewTexts, autoAccept ? std::vector<std::string>{"beta=bravo"} : std::vector<std::string>{});
    }
}

TEST(LazyTreeEdit, TabInTheLastNodeEndsTheEditWithNoNodeFocused)
{
    TEditFixture f;
    ASSERT_TRUE(f.Tree.EditNode(f.Node(2), NoColumn));
    Send(f.Editor(), Qt::Key_Tab);
    EXPECT_FALSE(f.Tree.IsEditing());
    EXPECT_EQ(f.Tree.FocusedNode(), nullptr);
    // From the first node Tab moves the edit one node down.
    ASSERT_TRUE(f.Tree.EditNode(f.Node(0), NoColumn));
    Send(f.Editor(), Qt::Key_Tab);
    EXPECT_TRUE(f.Tree.IsEditing());
    EXPECT_EQ(f.Tree.FocusedNode(), f.Node(1));
}

TEST(LazyTreeEdit, UpAndDownMoveTheCaret)
{
    TEditFixture f;
    ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
    TLTEdit *edit = f.Editor();
    edit->setCursorPosition(1);
    Send(edit, Qt::Key_Down);
    EXPECT_EQ(edit->cursorPosition(), 2);
    Send(edit, Qt::Key_Up);
    Send(edit, Qt::Key_Up);
    EXPECT_EQ(edit->cursorPosition(), 0);
    EXPECT_TRUE(f.Tree.IsEditing());
    EXPECT_EQ(f.Tree.FocusedNode(), f.Node(1));
}

TEST(LazyTreeEdit, AShortCaptionGetsAnEditorThirtyPixelsWide)
{
    TEditFixture f;
    ASSERT_TRUE(f.Tree.EditNode(f.Node(0), NoColumn));
    f.Editor()->setText(QString());
    f.Tree.EditLink()->SetBounds(TRect(40, 0, 45, 18));
    EXPECT_EQ(f.Editor()->width(), 30);
}

TEST(LazyTreeEdit, AFailureWhileStoringLeavesTheLinkAbleToEndAgain)
{
    TEditFixture f;
    int calls = 0;
    f.Tree.OnNewText = [&](TBaseLazyTree *, PLazyNode, TColumnIndex, const QString &) {
        if (++calls == 1)
            throw std::runtime_error("disk full");
    };
    ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
    f.Editor()->setText(QStringLiteral("x"));
    f.Editor()->setModified(true);
    EXPECT_THROW(f.Tree.EndEditNode(), std::runtime_error);
    EXPECT_TRUE(f.Tree.IsEditing());
    EXPECT_TRUE(f.Tree.EndEditNode());
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(f.Tree.IsEditing());
}

TEST(LazyTreeEdit, EscapeCancels)
{
    TEditFixture f;
    int cancelled = 0;
    f.Tree.OnEditCancelled = [&](TBaseLazyTree *, TColumnIndex) { ++cancelled; };
    ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
    f.Editor()->setText(QStringLiteral("x"));
    f.Editor()->setModified(true);
    Send(f.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(f.Tree.IsEditing());
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(f.NewTexts.empty());
    f.Tree.OnEditCancelled = nullptr;
}

// A multi-line node is edited with its line breaks: Enter and Shift+Enter type a break,
// Ctrl+Enter ends the edit; a single-line node ends at Enter. Breaks come back as the
// caption wrote them ("\r\n" unless the caption used "\n").
TEST(LazyTreeEdit, MultiLineNodesKeepTheirLineBreaks)
{
    struct TCase
    {
        bool Multiline;
        QString Caption;
        std::string Stored;
        bool EditingAfterEnter;
    };
    const TCase cases[] = {
        {true, "beta", "beta=one\r\ntwo\r\nthree", true},
        {true, "x\ny", "x\ny=one\ntwo\nthree", true},
        {false, "beta", "beta=one", false},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Caption.toStdString() + (c.Multiline ? " multi" : " single"));
        TEditFixture f;
        f.Tree.Captions[f.Node(1)] = c.Caption;
        f.Tree.SetMultiline(f.Node(1), c.Multiline);
        ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
        TLTEdit *edit = f.Editor();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->document()->blockCount(), c.Caption.count('\n') + 1);
        QTest::keyClicks(edit, QStringLiteral("one"));
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(f.Tree.IsEditing(), c.EditingAfterEnter);
        if (c.EditingAfterEnter) {
            QTest::keyClicks(edit, QStringLiteral("two"));
            QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
            QTest::keyClicks(edit, QStringLiteral("three"));
            EXPECT_TRUE(f.Tree.IsEditing());
            QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        }
        EXPECT_FALSE(f.Tree.IsEditing());
        EXPECT_EQ(f.NewTexts, std::vector<std::string>{c.Stored});
    }
}

// Another window taking the focus leaves the edit running, with or without auto-accept;
// back in the tree's window the typing goes on and Enter stores it.
TEST(LazyTreeEdit, TheEditSurvivesAnotherWindowTakingTheFocus)
{
    for (bool autoAccept : {true, false}) {
        SCOPED_TRACE(autoAccept);
        TEditFixture f(autoAccept);
        ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
        TLTEdit *edit = f.Editor();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, QStringLiteral("bra"));
        QWidget other;
        auto *otherEdit = new QLineEdit(&other);
        other.show();
        QApplication::setActiveWindow(&other);
        otherEdit->setFocus();
        ASSERT_TRUE(otherEdit->hasFocus());
        EXPECT_TRUE(f.Tree.IsEditing());
        EXPECT_TRUE(f.NewTexts.empty());
        QApplication::setActiveWindow(f.Tree.window());
        EXPECT_TRUE(edit->hasFocus());
        QTest::keyClicks(edit, QStringLiteral("vo"));
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(f.Tree.IsEditing());
        EXPECT_EQ(f.NewTexts, std::vector<std::string>{"beta=bravo"});
    }
}

// CancelEditNode is the tree's public way to drop a running edit.
TEST(LazyTreeEdit, CancelEditNodeDropsTheEdit)
{
    TEditFixture f;
    ASSERT_TRUE(f.Tree.EditNode(f.Node(1), NoColumn));
    QTest::keyClicks(f.Editor(), QStringLiteral("x"));
    TBaseLazyTree &tree = f.Tree;
    EXPECT_TRUE(tree.CancelEditNode());
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_TRUE(f.NewTexts.empty());
}
