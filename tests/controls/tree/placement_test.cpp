// What the tree offers every user and what only its descendants reach.
#include "controls/tree/lazytree.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

template <class T>
concept PublicCancelEditNode = requires(T &t) { t.CancelEditNode(); };
template <class T>
concept PublicEndEditNode = requires(T &t) { t.EndEditNode(); };
template <class T>
concept PublicInvalidateToBottom = requires(T &t) { t.InvalidateToBottom(nullptr); };
template <class T>
concept PublicStartEditing = requires(T &t) { t.StartEditing(); };
template <class T>
concept PublicFitEditorBounds = requires(T &t) { t.FitEditorBounds(); };
template <class T>
concept PublicRebuildPaintResources = requires(T &t) { t.RebuildPaintResources(true, true); };
template <class T>
concept PublicPaintNonClientBorder = requires(T &t, QPainter &p) { t.PaintNonClientBorder(p); };
template <class T>
concept PublicCheckImageListFor = requires { T::CheckImageListFor(TCheckImageKind::ckCustom); };

}   // namespace

TEST(LazyTreePlacement, PublicAndProtectedOperations)
{
    EXPECT_TRUE(PublicCancelEditNode<TBaseLazyTree>);
    EXPECT_TRUE(PublicEndEditNode<TBaseLazyTree>);
    EXPECT_TRUE(PublicInvalidateToBottom<TBaseLazyTree>);
    EXPECT_FALSE(PublicStartEditing<TBaseLazyTree>);
    EXPECT_FALSE(PublicFitEditorBounds<TBaseLazyTree>);
    EXPECT_FALSE(PublicRebuildPaintResources<TBaseLazyTree>);
    EXPECT_FALSE(PublicPaintNonClientBorder<TBaseLazyTree>);
    EXPECT_FALSE(PublicCheckImageListFor<TBaseLazyTree>);
}
