// The tree as a window: the steps after its creation, theme changes, scaling and the
// invalidation through which the model asks for repaints.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "platform/theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <cmath>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTAutoOption;

namespace {

constexpr int ThemeChangedTimer = 8;
constexpr int ThemeChangedDelay = 500;

int ScaledValue(int Value, int M, int D)
{
    return int(std::lround(double(Value) * M / D));
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Creation and themes

void TBaseLazyTree::CreateWnd()
{
    const bool themes =
        ThemePlatform().IsThemeActive() && TreeOptions().PaintOptions().Contains(toThemeAware);
    if (themes) {
        DoStateChange({tsUseThemes});
        if (TreeOptions().PaintOptions().Contains(toUseExplorerTheme) &&
            LazyTreeGlobals().IsWinVistaOrAbove) {
            DoStateChange({tsUseExplorerTheme});
            ApplyWindowTheme(QStringLiteral("explorer"));
        } else {
            DoStateChange({}, {tsUseExplorerTheme});
        }
    } else {
        DoStateChange({}, {tsUseThemes, tsUseExplorerTheme});
    }
    AutoScaleNodeHeight();
    RebuildPaintResources(true, true);
    UpdateScrollBars(true);
    UpdateHeaderRect();
    InvalidateTree();
}

void TBaseLazyTree::ApplyWindowTheme(const QString &)
{
    // The look itself is our own painting; what matters is that the theme change this
    // causes is known as self-made and re-creates nothing.
    FChangingTheme = true;
    ThemeChanged();
}

void TBaseLazyTree::ThemeChanged()
{
    const bool useThemes =
        ThemePlatform().IsThemeActive() && TreeOptions().PaintOptions().Contains(toThemeAware);
    if (useThemes)
        DoStateChange({tsUseThemes});
    else
        DoStateChange({}, {tsUseThemes});
    if (!FChangingTheme)
        SetTreeTimer(ThemeChangedTimer, ThemeChangedDelay);
    FChangingTheme = false;
}

void TBaseLazyTree::AutoScaleNodeHeight()
{
    if (!TreeOptions().AutoOptions().Contains(toAutoChangeScale))
        return;
    const int height = QFontMetrics(font()).boundingRect(QStringLiteral("Tg")).height();
    if (int(FDefaultNodeHeight) < height)
        SetDefaultNodeHeight(uint32_t(height));
}

void TBaseLazyTree::ChangeScale(int M, int D)
{
    if (M == D || D == 0 || !TreeOptions().AutoOptions().Contains(toAutoChangeScale))
        return;
    FHeader->SetHeight(ScaledValue(FHeader->Height(), M, D));
    SetDefaultNodeHeight(uint32_t(ScaledValue(int(FDefaultNodeHeight), M, D)));
    SetIndent(uint32_t(ScaledValue(int(FIndent), M, D)));
}

// ---------------------------------------------------------------------------------------
// Invalidation

TRect TBaseLazyTree::InvalidateNode(PLazyNode Node)
{
    if (FUpdateCount > 0 || !HandleAllocated() || !Node || Node == FRoot)
        return TRect(-1, -1, -1, -1);
    const TRect r = GetDisplayRect(Node, NoColumn, false);
    viewport()->update(r.ToQRect());
    return r;
}

void TBaseLazyTree::InvalidateChildren(PLazyNode Node, bool Recursive)
{
    if (Node && Node != FRoot) {
        if (!Node->Has(vsInitialized))
            InitNode(Node);
        InvalidateNode(Node);
        if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
    } else {
        Node = FRoot;
    }
    for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling) {
        if (!run->Has(vsInitialized))
            InitNode(run);
        InvalidateNode(run);
        if (Recursive)
            InvalidateChildren(run, true);
    }
}

void TBaseLazyTree::InvalidateColumn(TColumnIndex Column)
{
    if (FUpdateCount > 0 || !HandleAllocated() || !FHeader->Columns().IsValidColumn(Column))
        return;
    int left = 0, right = 0;
    FHeader->Columns().GetColumnBounds(Column, left, right);
    viewport()->update(QRect(left - FEffectiveOffsetX, 0, right - left, ClientHeight()));
}

void TBaseLazyTree::InvalidateToBottom(PLazyNode Node)
{
    if (FUpdateCount > 0 || !HandleAllocated())
        return;
    if (!Node || Node == FRoot) {
        InvalidateTree();
        return;
    }
    if (!Node->Has(vsInitialized) || !GetEffectivelyVisible(Node))
        return;
    TRect r = GetDisplayRect(Node, NoColumn, false);
    if (r.Top >= ClientHeight())
        return;
    if (TreeOptions().PaintOptions().Contains(toChildrenAbove) &&
        Node->Has(vsExpanded))
        r.Top -= int(Node->NodeHeight + Node->TotalHeight);
    r.Left = 0;
    r.Right = std::max(r.Right, ClientWidth());
    r.Bottom = ClientHeight();
    viewport()->update(r.ToQRect());
}

void TBaseLazyTree::RepaintNode(PLazyNode Node)
{
    if (!Node || Node == FRoot || !HandleAllocated())
        return;
    viewport()->repaint(GetDisplayRect(Node, NoColumn, false).ToQRect());
}
