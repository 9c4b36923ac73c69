// The tree as a window: the steps after its creation, theme changes, scaling and the
// invalidation through which the model asks for repaints.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "platform/theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <utility>

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
    if (FHeader->States().Contains(THeaderState::hsNeedScaling)) {
        FHeader->ApplyFixedAreaConstraints();
        if (FHeader->Options().Contains(TLTHeaderOption::hoAutoResize))
            FHeader->Columns().FitAutoSizeColumn();
    }
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
// Border

void TBaseLazyTree::ApplyBorder()
{
    if (FBorderStyle == TLTBorderStyle::bsNone) {
        setFrameStyle(QFrame::NoFrame);
    } else if (FCtl3D) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    } else {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
    UpdateHeaderRect();
    if (HandleAllocated())
        CreateWnd();
    update();
}

void TBaseLazyTree::SetBorderStyle(TLTBorderStyle Value)
{
    if (std::exchange(FBorderStyle, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetCtl3D(bool Value)
{
    if (std::exchange(FCtl3D, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetBevelKind(TLTBevelKind Value)
{
    if (std::exchange(FBevelKind, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetBevelInner(TLTBevelCut Value)
{
    if (std::exchange(FBevelInner, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetBevelOuter(TLTBevelCut Value)
{
    if (std::exchange(FBevelOuter, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetBevelEdges(uint8_t Value)
{
    if (std::exchange(FBevelEdges, uint8_t(Value & 15)) != (Value & 15))
        ApplyBorder();
}

void TBaseLazyTree::SetBevelWidth(int Value)
{
    Value = std::max(1, Value);
    if (std::exchange(FBevelWidth, Value) != Value)
        ApplyBorder();
}

void TBaseLazyTree::SetBorderWidth(int Value)
{
    Value = std::max(0, Value);
    if (std::exchange(FBorderWidth, Value) != Value)
        ApplyBorder();
}

QMargins TBaseLazyTree::NonClientInsets() const
{
    int bevel = 0;
    if (FBevelKind != TLTBevelKind::bkNone)
        bevel = (FBevelInner != TLTBevelCut::bvNone ? FBevelWidth : 0) +
                (FBevelOuter != TLTBevelCut::bvNone ? FBevelWidth : 0);
    auto side = [&](TLTBevelEdge Edge) { return FBorderWidth + ((FBevelEdges & Edge) ? bevel : 0); };
    return QMargins(side(beLeft), side(beTop), side(beRight), side(beBottom));
}

namespace {

// One cut of the bevel: a one-pixel frame on the listed edges, lowered cuts shaded at the
// top left, raised ones at the bottom right.
void DrawBevelCut(QPainter &P, const QRect &R, TLTBevelCut Cut, uint8_t Edges, bool Flat, bool Soft)
{
    if (Cut == TLTBevelCut::bvNone || Cut == TLTBevelCut::bvSpace || R.isEmpty())
        return;
    const bool lowered = Cut == TLTBevelCut::bvLowered;
    QColor dark = ToQColor(Soft ? cl3DDkShadow : clBtnShadow), light = ToQColor(Soft ? cl3DLight : clBtnHighlight);
    if (Flat)
        light = dark;
    const QColor topLeft = lowered ? dark : light, bottomRight = lowered ? light : dark;
    if (Edges & beLeft)
        P.fillRect(QRect(R.left(), R.top(), 1, R.height()), topLeft);
    if (Edges & beTop)
        P.fillRect(QRect(R.left(), R.top(), R.width(), 1), topLeft);
    if (Edges & beRight)
        P.fillRect(QRect(R.right(), R.top(), 1, R.height()), bottomRight);
    if (Edges & beBottom)
        P.fillRect(QRect(R.left(), R.bottom(), R.width(), 1), bottomRight);
}

QRect Shrunk(const QRect &R, uint8_t Edges, int By)
{
    return R.adjusted((Edges & beLeft) ? By : 0, (Edges & beTop) ? By : 0, (Edges & beRight) ? -By : 0,
                      (Edges & beBottom) ? -By : 0);
}

}   // namespace

void TBaseLazyTree::PaintNonClientBorder(QPainter &Painter)
{
    if (FBevelKind == TLTBevelKind::bkNone && FBorderWidth == 0)
        return;
    const int frame = frameWidth();
    QRect r = rect().adjusted(frame, frame, -frame, -frame);
    Painter.save();
    if (FBevelKind != TLTBevelKind::bkNone) {
        const bool flat = FBevelKind == TLTBevelKind::bkFlat || !FCtl3D;
        const bool soft = FBevelKind == TLTBevelKind::bkSoft;
        const QRect inner = Shrunk(r, FBevelEdges, FBevelOuter != TLTBevelCut::bvNone ? FBevelWidth : 0);
        const QRect band = Shrunk(inner, FBevelEdges, FBevelInner != TLTBevelCut::bvNone ? FBevelWidth : 0);
        Painter.setClipRegion(QRegion(r).subtracted(QRegion(band)));
        Painter.fillRect(r, ToQColor(clBtnFace));
        DrawBevelCut(Painter, r, FBevelOuter, FBevelEdges, flat, soft);
        DrawBevelCut(Painter, inner, FBevelInner, FBevelEdges, flat, soft);
        r = band;
    }
    if (FBorderWidth > 0 && !r.isEmpty()) {
        const QRect inside = r.adjusted(FBorderWidth, FBorderWidth, -FBorderWidth, -FBorderWidth);
        Painter.setClipRegion(QRegion(r).subtracted(QRegion(inside)));
        Painter.fillRect(r, ToQColor(FColors->Get(TLTColors::BorderColor)));
    }
    Painter.restore();
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
