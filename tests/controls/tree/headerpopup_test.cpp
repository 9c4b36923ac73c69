// The header's show-and-hide menu of columns.
#include "input_fixture.h"

#include "controls/tree/lazytreeheaderpopup.h"

#include <QAction>

namespace {

// Three columns "A", "B", "C"; the middle one hidden when asked.
void AddColumns(TBaseLazyTree &Tree, bool HideMiddle)
{
    for (const char *name : {"A", "B", "C"}) {
        TLazyTreeColumn &c = Tree.Header().Columns().Add();
        c.SetText(QString::fromLatin1(name));
    }
    if (HideMiddle) {
        TLazyTreeColumn &b = Tree.Header().Columns()[1];
        b.SetOptions(b.Options() - TLTColumnOptions{TLTColumnOption::coVisible});
    }
}

// Item captions with "+" checked, "-" unchecked and "(disabled)".
std::vector<std::string> Items(const QMenu &Menu)
{
    std::vector<std::string> r;
    for (QAction *a : Menu.actions()) {
        if (a->isSeparator())
            continue;
        std::string item = a->isChecked() ? "+" : "-";
        item += a->text().toStdString();
        if (!a->isEnabled())
            item += "(disabled)";
        r.push_back(item);
    }
    return r;
}

}   // namespace

TEST(LazyTreeHeaderPopup, ItemsFollowTheColumnsAndKeepTheLastOne)
{
    TInputTree tree;
    AddColumns(tree, true);
    TLTHeaderPopupMenu menu;
    menu.SetPopupComponent(&tree);
    menu.RebuildItems();
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"+A", "-B", "+C"}));
    int changes = 0;
    menu.OnColumnChange = [&](TBaseLazyTree *Sender, TColumnIndex Column, bool Visible) {
        EXPECT_EQ(Sender, &tree);
        EXPECT_EQ(Column, 0);
        EXPECT_FALSE(Visible);
        ++changes;
    };
    menu.actions()[0]->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(tree.Header().Columns()[0].Options().Contains(TLTColumnOption::coVisible));
    menu.RebuildItems();
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"-A", "-B", "+C(disabled)"}));
    menu.SetOptions({TLTHeaderPopupOption::poAllowHideAll});
    menu.RebuildItems();
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"-A", "-B", "+C"}));
}

TEST(LazyTreeHeaderPopup, AnItemLeftOutStillCountsAsVisible)
{
    TInputTree tree;
    AddColumns(tree, false);
    TLazyTreeColumn &c = tree.Header().Columns()[2];
    c.SetOptions(c.Options() - TLTColumnOptions{TLTColumnOption::coVisible});
    TLTHeaderPopupMenu menu;
    menu.SetPopupComponent(&tree);
    menu.OnAddHeaderPopupItem = [](TBaseLazyTree *, TColumnIndex Column, TAddPopupItemType &Cmd) {
        if (Column == 1)
            Cmd = TAddPopupItemType::apHidden;
    };
    menu.RebuildItems();
    EXPECT_EQ(Items(menu), (std::vector<std::string>{"+A", "-C"}));
}

TEST(LazyTreeHeaderPopup, NoTreeOrNoColumnsBuildNoItems)
{
    TInputTree tree;
    TLTHeaderPopupMenu menu;
    menu.addAction(QStringLiteral("own"));
    menu.RebuildItems();   // no popup component
    EXPECT_EQ(Items(menu), std::vector<std::string>{"-own"});
    menu.SetPopupComponent(&tree);
    menu.RebuildItems();
    EXPECT_TRUE(Items(menu).empty());
    menu.SetOptions({TLTHeaderPopupOption::poResizeToFitItem});
    menu.RebuildItems();
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->objectName(), QStringLiteral("LT_ResizeToFitMenuItem"));
}
