#include "grid/base/collection.h"
#include "grid/base/graphics.h"
#include "grid/base/stringlist.h"
#include "platform/rtl.h"

#include <gtest/gtest.h>

// --- TStringList ------------------------------------------------------------------------

TEST(StringList, SortedListsPlaceAndFilterTexts)
{
    struct Case { TDuplicates dup; bool caseSensitive; QStringList expected; bool throws; };
    const Case cases[] = {
        {dupIgnore, false, {"alpha", "Beta", "gamma"}, false},
        {dupAccept, false, {"alpha", "beta", "Beta", "gamma"}, false},   // before its equal
        {dupAccept, true, {"Beta", "alpha", "beta", "gamma"}, false},
        {dupError, false, {"alpha", "Beta", "gamma"}, true},
    };
    for (const Case &c : cases) {
        TStringList list;
        list.SetCaseSensitive(c.caseSensitive);
        list.SetDuplicates(c.dup);
        list.SetSorted(true);
        list.Add("gamma");
        list.Add("Beta");
        list.Add("alpha");
        if (c.throws)
            EXPECT_THROW(list.Add("beta"), EStringListError);
        else
            list.Add("beta");
        EXPECT_EQ(list.ToStringList(), c.expected);
    }
}

TEST(StringList, SortedListsRefuseInsertAndFindByBinarySearch)
{
    TStringList list;
    list.SetSorted(true);
    for (const char *s : {"d", "b", "c", "a"})
        list.Add(s);
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "z"), EStringListError);
    int index = -1;
    EXPECT_TRUE(list.Find("C", index));   // case-insensitive by default
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("bb", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf("D"), 3);
}

TEST(StringList, ObjectsTravelWithTheirTexts)
{
    TObject a, b;
    TStringList list;
    list.AddObject("second", &b);
    list.AddObject("first", &a);
    list.Sort();
    EXPECT_EQ(list.Objects(0), &a);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Objects(1), &a);
    list.Move(1, 0);
    EXPECT_EQ(list.Strings(0), QStringLiteral("first"));
    EXPECT_EQ(list.IndexOfObject(&b), 1);
    EXPECT_THROW(list.Objects(2), EStringListError);
    EXPECT_THROW(list.Strings(-1), EStringListError);
}

TEST(StringList, ChangeEventsFireOncePerUpdateBlock)
{
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject *) { ++changing; };
    list.OnChange = [&](TObject *) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Delete(0);
    list.BeginUpdate();
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.EndUpdate();   // unbalanced: ignored
    EXPECT_EQ(changed, 2);
}

TEST(StringList, TextSplitsAtEveryLineBreakKind)
{
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(list.ToStringList(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    list.SetText("x\r\n\r\n");
    EXPECT_EQ(list.ToStringList(), (QStringList{"x", ""}));
}

TEST(StringList, AssignCopiesTextsAndObjectsButNotSettings)
{
    TObject o;
    TStringList src;
    src.AddObject("z", &o);
    src.Add("a");
    TStringList dst;
    dst.SetSorted(true);
    dst.Add("old");
    dst.Assign(&src);
    EXPECT_EQ(dst.ToStringList(), (QStringList{"a", "z"}));
    EXPECT_EQ(dst.Objects(1), &o);
    TFontObject font;
    EXPECT_THROW(dst.Assign(&font), EConvertError);
}

// --- TCollection ------------------------------------------------------------------------

namespace {
class TNamedItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    QString Name;
    void SetName(const QString &v)
    {
        Name = v;
        Changed(false);
    }
    void Assign(const TPersistent *Source) override
    {
        if (auto *o = dynamic_cast<const TNamedItem *>(Source))
            Name = o->Name;
        else
            TCollectionItem::Assign(Source);
    }
};

class TNamedItems : public TCollectionOf<TNamedItem>
{
public:
    std::vector<TCollectionItem *> Updates;

protected:
    void Update(TCollectionItem *Item) override { Updates.push_back(Item); }
};
}   // namespace

TEST(Collection, ItemsKnowTheirCollectionIndexAndID)
{
    TNamedItems items;
    TNamedItem *a = items.Add();
    TNamedItem *b = items.Add();
    TNamedItem *c = items.Insert(0);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(items.FindItemID(2), c);
    b->SetIndex(0);
    EXPECT_EQ(items.Items(0), b);
    items.Delete(1);   // c
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.FindItemID(2), nullptr);
    delete a;   // an item freed alone leaves its collection
    EXPECT_EQ(items.Count(), 1);
    EXPECT_THROW(items.Items(1), std::out_of_range);
}

TEST(Collection, UpdatesAreBatched)
{
    TNamedItems items;
    TNamedItem *a = items.Add();
    items.Updates.clear();
    a->SetName("x");
    ASSERT_EQ(items.Updates.size(), 1u);
    EXPECT_EQ(items.Updates[0], a);
    items.Updates.clear();
    items.BeginUpdate();
    items.Add()->SetName("y");
    items.Add();
    a->SetName("z");
    EXPECT_TRUE(items.Updates.empty());
    items.EndUpdate();
    ASSERT_EQ(items.Updates.size(), 1u);
    EXPECT_EQ(items.Updates[0], nullptr);
}

TEST(Collection, AssignRebuildsCopies)
{
    TNamedItems src, dst;
    src.Add()->Name = "one";
    src.Add()->Name = "two";
    dst.Add()->Name = "old";
    dst.Assign(&src);
    ASSERT_EQ(dst.Count(), 2);
    EXPECT_EQ(dst.Items(1)->Name, QStringLiteral("two"));
    EXPECT_NE(dst.Items(1), src.Items(1));
}

// --- Fonts, pens, brushes ---------------------------------------------------------------

TEST(GraphicsObjects, ChangesNotifyOnlyWhenAValueChanges)
{
    TFontObject font;
    int changes = 0;
    font.OnChange = [&](TObject *) { ++changes; };
    font.SetName("Tahoma");
    font.SetName("Tahoma");
    font.SetStyle(fsBold);
    EXPECT_EQ(changes, 2);
    font.SetHeight(-11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);

    TPenObject pen;
    TBrushObject brush;
    int penChanges = 0, brushChanges = 0;
    pen.OnChange = [&](TObject *) { ++penChanges; };
    brush.OnChange = [&](TObject *) { ++brushChanges; };
    pen.SetWidth(3);
    pen.SetWidth(3);
    brush.SetColor(clRed);
    brush.SetStyle(bsClear);
    EXPECT_EQ(penChanges, 1);
    EXPECT_EQ(brushChanges, 2);

    TFontObject copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject *) { ++copyChanges; };
    copy.Assign(&font);
    EXPECT_EQ(copy.Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(copy.Style(), fsBold);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_THROW(copy.Assign(&pen), EConvertError);
}
