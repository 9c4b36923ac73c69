#include "grid/string/editortheme.h"

#include <gtest/gtest.h>

namespace {

struct ThemeTableFixture : ::testing::Test {
    TFakeThemePlatformGuard guard;
    ~ThemeTableFixture() override { FreeThemeLibrary(); }
};

TEST_F(ThemeTableFixture, MissingLibraryLeavesTheTableEmpty)
{
    LoadThemeLibrary();
    const TEditorThemeFunctions &t = EditorThemeFunctions();
    EXPECT_FALSE(t.Loaded);
    EXPECT_FALSE(t.Has("OpenThemeData"));
    EXPECT_EQ(TEditorThemeFunctions::Names().size(), 45u);
    EXPECT_EQ(TEditorThemeFunctions::Names().back(), "EnableTheming");
    FreeThemeLibrary();   // nothing loaded: nothing freed
    EXPECT_EQ(guard.Fake.LibraryRefs, 0);
}

TEST_F(ThemeTableFixture, LoadsOnceAndFreesOnce)
{
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    LoadThemeLibrary();
    LoadThemeLibrary();
    const TEditorThemeFunctions &t = EditorThemeFunctions();
    EXPECT_TRUE(t.Loaded);
    EXPECT_EQ(guard.Fake.LibraryLoads, 1);
    // Entries the platform lacks stay empty instead of failing the load.
    EXPECT_TRUE(t.Has("DrawThemeBackground"));
    EXPECT_FALSE(t.Has("DrawThemeText"));
    ASSERT_TRUE(t.IsThemeActive);
    EXPECT_TRUE(t.IsThemeActive());
    const TThemeHandle h = t.OpenThemeData(nullptr, "combobox");
    EXPECT_NE(h, 0u);
    t.CloseThemeData(h);
    FreeThemeLibrary();
    FreeThemeLibrary();
    EXPECT_FALSE(t.Loaded);
    EXPECT_EQ(guard.Fake.LibraryRefs, 0);
    EXPECT_TRUE(bool(t.OpenThemeData));   // the entries keep their values
}

} // namespace
