// Accessibility: the objects registered providers make, the events sent at their points,
// and the tree-view queries, asked the way assistive software asks them.
#include "input_fixture.h"

#include "controls/tree/lazytreeaccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>

namespace {

class TTreeAccessible : public QAccessibleWidget
{
public:
    explicit TTreeAccessible(QWidget *W) : QAccessibleWidget(W, QAccessible::Tree) {}
};

int ItemsAlive = 0;

// The focused node as assistive software sees it, read through the tree-view queries.
class TItemAccessible : public QAccessibleInterface
{
public:
    explicit TItemAccessible(TBaseLazyTree *Tree) : FTree(Tree) { ++ItemsAlive; }
    ~TItemAccessible() override { --ItemsAlive; }
    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(FTree); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text) const override
    {
        char16_t buffer[64] = {};
        TLTTreeViewItem item;
        item.Mask = TVIF_HANDLE | TVIF_TEXT;
        item.Item = FTree->TreeViewGetNextItem(TVGN_CARET, nullptr);
        item.Text = buffer;
        item.TextMax = 64;
        return FTree->TreeViewGetItem(item) ? QString::fromUtf16(buffer) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        TRect r;
        FTree->TreeViewGetItemRect(FTree->TreeViewGetNextItem(TVGN_CARET, nullptr), true, r);
        return r.ToQRect();
    }
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override { return {}; }

private:
    TBaseLazyTree *FTree;
};

// Makes the tree's object first, then (or when Items says so) item objects; Answer nullptr
// to let the next provider answer.
struct TProvider : ILTAccessibleProvider
{
    bool Items = true;
    std::vector<std::string> *Log = nullptr;
    std::string Name;
    QAccessibleInterface *CreateIAccessible(TBaseLazyTree *Tree) override
    {
        if (Log)
            Log->push_back(Name);
        if (!Tree->AccessibleInterface())
            return new TTreeAccessible(Tree);
        return Items ? new TItemAccessible(Tree) : nullptr;
    }
};

std::vector<std::pair<QAccessible::Event, QObject *>> Events;
void RecordEvent(QAccessibleEvent *Event)
{
    Events.push_back({Event->type(), Event->object()});
    EXPECT_EQ(Event->child(), -1);
}

// Records accessibility events and registers a provider for as long as it lives.
struct TAccessibleSession
{
    TProvider Provider;
    TLTAccessibleEventSink Previous;
    explicit TAccessibleSession(bool Register = true)
    {
        if (Register)
            GetAccessibilityFactory().RegisterAccessibleProvider(&Provider);
        Events.clear();
        Previous = SetAccessibleEventSink(RecordEvent);
    }
    ~TAccessibleSession()
    {
        SetAccessibleEventSink(Previous);
        GetAccessibilityFactory().UnRegisterAccessibleProvider(&Provider);
    }
    std::vector<QAccessible::Event> Types()
    {
        std::vector<QAccessible::Event> types;
        for (const auto &e : Events)
            types.push_back(e.first);
        Events.clear();
        return types;
    }
};

}   // namespace

TEST(LazyTreeAccess, WithoutAProviderNoObjectAndNoEvents)
{
    TAccessibleSession session(false);
    TInputTree tree;
    SetupScanTree(tree, {"a", "b"}, 2);
    EXPECT_EQ(tree.AccessibleObject(OBJID_CLIENT), nullptr);
    EXPECT_EQ(tree.AccessibleItem(), nullptr);
    QAccessibleInterface *platform = QAccessible::queryAccessibleInterface(&tree);
    EXPECT_EQ(dynamic_cast<TTreeAccessible *>(platform), nullptr);   // the platform's default
    tree.SetFocusedNode(tree.GetFirst());
    tree.SetExpanded(tree.GetFirst(), true);
    tree.SetCheckState(tree.GetFirst(), csCheckedNormal);
    EXPECT_TRUE(session.Types().empty());
}

TEST(LazyTreeAccess, ProviderObjectsAnswerAndEventsFollowTheirPoints)
{
    const int itemsBefore = ItemsAlive;
    {
        TAccessibleSession session;
        std::vector<std::string> log;
        session.Provider.Log = &log;
        session.Provider.Name = "p";
        TInputTree tree;
        SetupScanTree(tree, {"alpha", "beta"}, 2);
        tree.SetFocusedNode(tree.GetFirst());
        session.Types();

        QAccessibleInterface *own = QAccessible::queryAccessibleInterface(&tree);
        ASSERT_NE(dynamic_cast<TTreeAccessible *>(own), nullptr);
        EXPECT_EQ(own, tree.AccessibleInterface());
        EXPECT_EQ(own->role(), QAccessible::Tree);
        ASSERT_NE(tree.AccessibleItem(), nullptr);
        EXPECT_EQ(log, (std::vector<std::string>{"p", "p"}));   // the tree's object, then the item's
        EXPECT_EQ(tree.AccessibleObject(OBJID_CLIENT), own);
        EXPECT_EQ(tree.AccessibleObject(-1), nullptr);
        EXPECT_EQ(log.size(), 2u);
        EXPECT_EQ(tree.AccessibleItem()->text(QAccessible::Name), "alpha");
        EXPECT_EQ(tree.AccessibleItem()->rect(), tree.GetDisplayRect(tree.GetFirst(), NoColumn, true).ToQRect());

        using E = QAccessible::Event;
        tree.SetFocusedNode(tree.GetNextSibling(tree.GetFirst()));
        EXPECT_EQ(session.Types(), (std::vector<E>{QAccessible::LocationChanged, QAccessible::NameChanged,
                                                    QAccessible::ValueChanged, QAccessible::StateChanged,
                                                    QAccessible::Selection, QAccessible::Focus}));
        tree.SetCheckState(tree.GetFirst(), csCheckedNormal);
        EXPECT_EQ(session.Types(), std::vector<E>{QAccessible::StateChanged});
        tree.SetExpanded(tree.GetFirst(), true);
        EXPECT_EQ(session.Types(), std::vector<E>{QAccessible::StateChanged});
        tree.SetExpanded(tree.GetFirst(), false);
        EXPECT_EQ(session.Types(), std::vector<E>{QAccessible::StateChanged});
        tree.Header().Columns().Add();
        tree.Header().Columns().Add();
        tree.Header().SetMainColumn(1);
        EXPECT_EQ(session.Types(), std::vector<E>{QAccessible::NameChanged});
        EXPECT_EQ(ItemsAlive, itemsBefore + 1);
    }
    EXPECT_EQ(ItemsAlive, itemsBefore);   // freed with the tree
}

TEST(LazyTreeAccess, ItemObjectsComeFromTheLastProvidersFirst)
{
    TProvider a, b, c;
    std::vector<std::string> log;
    for (auto [p, n] : {std::pair{&a, "a"}, {&b, "b"}, {&c, "c"}}) {
        p->Log = &log;
        p->Name = n;
    }
    TLTAccessibilityFactory &f = GetAccessibilityFactory();
    f.RegisterAccessibleProvider(&a);
    f.RegisterAccessibleProvider(&b);
    f.RegisterAccessibleProvider(&a);   // listed once
    f.RegisterAccessibleProvider(&c);
    EXPECT_EQ(f.Providers().size(), 3u);
    struct TCase
    {
        bool B, C;
        std::vector<std::string> Asked;
    };
    for (const TCase &t : {TCase{true, true, {"a", "c"}}, TCase{true, false, {"a", "c", "b"}},
                           TCase{false, false, {"a", "c", "b", "a"}}}) {
        b.Items = t.B;
        c.Items = t.C;
        log.clear();
        TTestTree tree;
        EXPECT_NE(tree.AccessibleObject(OBJID_CLIENT), nullptr);
        EXPECT_NE(tree.AccessibleItem(), nullptr);
        EXPECT_EQ(log, t.Asked);
    }
    EXPECT_EQ(f.CreateIAccessible(nullptr), nullptr);
    f.UnRegisterAccessibleProvider(&b);
    f.UnRegisterAccessibleProvider(&b);
    EXPECT_EQ(f.Providers(), (std::vector<ILTAccessibleProvider *>{&a, &c}));
    f.UnRegisterAccessibleProvider(&a);
    f.UnRegisterAccessibleProvider(&c);
}

TEST(LazyTreeAccess, NextItemRelations)
{
    TInputTree tree;
    SetupScanTree(tree, {"a", "b", "c"}, 2);
    const PLazyNode a = tree.GetFirst(), b = tree.GetNextSibling(a), c = tree.GetNextSibling(b);
    tree.SetExpanded(b, true);
    const PLazyNode b0 = tree.GetFirstChild(b);
    tree.SetFocusedNode(c);
    tree.SetDropTargetNode(a);
    struct TCase
    {
        int Relation;
        PLazyNode Node, Result;
    };
    const TCase cases[] = {
        {TVGN_ROOT, nullptr, a},         {TVGN_NEXT, a, b},           {TVGN_PREVIOUS, b, a},
        {TVGN_PARENT, b0, b},            {TVGN_PARENT, a, nullptr},   {TVGN_CHILD, b, b0},
        {TVGN_FIRSTVISIBLE, nullptr, a}, {TVGN_NEXTVISIBLE, b, b0},   {TVGN_PREVIOUSVISIBLE, c, tree.GetNextSibling(b0)},
        {TVGN_DROPHILITE, nullptr, a},   {TVGN_CARET, nullptr, c},    {TVGN_LASTVISIBLE, nullptr, c},
        {11, a, nullptr},                {-1, a, nullptr},
    };
    for (const TCase &t : cases)
        EXPECT_EQ(tree.TreeViewGetNextItem(t.Relation, t.Node), t.Result) << t.Relation;
    for (int relation : {TVGN_NEXT, TVGN_PREVIOUS, TVGN_PARENT, TVGN_CHILD, TVGN_NEXTVISIBLE, TVGN_PREVIOUSVISIBLE})
        EXPECT_EQ(tree.TreeViewGetNextItem(relation, nullptr), nullptr) << relation;
}

TEST(LazyTreeAccess, ItemRectangleForShownAndCollapsedButNotHiddenNodes)
{
    TInputTree tree;
    SetupScanTree(tree, {"a", "b"}, 2);
    const PLazyNode a = tree.GetFirst(), b = tree.GetNextSibling(a);
    const PLazyNode inCollapsed = tree.GetFirstChild(a);
    const TRect untouched(1, 2, 3, 4);
    TRect r = untouched;
    ASSERT_TRUE(tree.TreeViewGetItemRect(b, false, r));
    EXPECT_EQ(r, tree.GetDisplayRect(b, NoColumn, false));
    ASSERT_TRUE(tree.TreeViewGetItemRect(b, true, r));
    EXPECT_EQ(r, tree.GetDisplayRect(b, NoColumn, true));
    EXPECT_TRUE(tree.TreeViewGetItemRect(inCollapsed, false, r));
    tree.SetVisible(b, false);
    r = untouched;
    EXPECT_FALSE(tree.TreeViewGetItemRect(b, false, r));
    EXPECT_EQ(r, untouched);
}

TEST(LazyTreeAccess, ItemRecordByMask)
{
    TInputTree tree;
    SetupScanTree(tree, {"a long caption", "b"}, 3);
    const PLazyNode a = tree.GetFirst(), b = tree.GetNextSibling(a);
    tree.OnGetImageIndex = [&](TBaseLazyTree *, PLazyNode Node, TLTImageKind Kind, TColumnIndex, bool &, int &Index) {
        if (Node == a)
            Index = Kind == TLTImageKind::ikNormal ? 3 : Kind == TLTImageKind::ikSelected ? 4
                  : Kind == TLTImageKind::ikState ? 5 : 2;
    };
    tree.SetExpanded(a, true);
    tree.SetFocusedNode(a);
    tree.AddToSelection(a);
    tree.SetDropTargetNode(a);

    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    TLTTreeViewItem item;
    item.Mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.Item = a;
    item.Text = buffer;
    item.TextMax = 5;
    EXPECT_FALSE(tree.TreeViewGetItem(item));   // no handle flag: nothing filled
    EXPECT_EQ(item.State, 0u);
    EXPECT_EQ(item.Children, 0);
    EXPECT_EQ(buffer[0], u'#');

    item.Mask |= TVIF_HANDLE;
    ASSERT_TRUE(tree.TreeViewGetItem(item));
    EXPECT_EQ(QString::fromUtf16(buffer), "a lo");
    EXPECT_EQ(buffer[5], u'#');   // nothing written past the buffer
    EXPECT_EQ(item.Children, 3);
    EXPECT_EQ(item.Image, 3);
    EXPECT_EQ(item.SelectedImage, 4);
    EXPECT_EQ(item.StateMask, 0xFF2Fu);
    EXPECT_EQ(item.State, TVIS_FOCUSED | TVIS_SELECTED | TVIS_DROPHILITED | TVIS_EXPANDED | (6u << 12) | (3u << 8));

    // A buffer without room writes nothing, not even the terminator.
    for (int room : {0, -3}) {
        buffer[0] = u'#';
        item.Mask = TVIF_HANDLE | TVIF_TEXT;
        item.TextMax = room;
        EXPECT_TRUE(tree.TreeViewGetItem(item));
        EXPECT_EQ(buffer[0], u'#');
    }
    item.Text = nullptr;
    item.TextMax = 8;
    EXPECT_TRUE(tree.TreeViewGetItem(item));

    item.Item = b;
    item.Mask = TVIF_HANDLE | TVIF_STATE | TVIF_IMAGE;
    ASSERT_TRUE(tree.TreeViewGetItem(item));
    EXPECT_EQ(item.State, 0u);
    EXPECT_EQ(item.Image, -1);
    item.Item = nullptr;
    EXPECT_FALSE(tree.TreeViewGetItem(item));
    tree.OnGetImageIndex = nullptr;
}
