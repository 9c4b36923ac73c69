// Painting: the pipeline that paints any rectangle of the content row by row through a
// one-row buffer, the node parts it places (tree lines, expand buttons, check images, node
// images, selection and focus), and the tree's colours.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreeutils.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <optional>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TLTAutoOption;
using enum TLTInternalPaintOption;
using enum TLTLineType;

namespace {

// Half of a value rounded half to even, as the line positions want it (17 gives 8).
int HalfToEven(int Value)
{
    return int(std::lrint(Value / 2.0));
}

int MulDiv(int A, int B, int C)
{
    return C == 0 ? 0 : int((int64_t(A) * B + C / 2) / C);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Colours

TLTColors::TLTColors(TBaseLazyTree &AOwner)
    : FOwner(AOwner),
      FColors{clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace,   clBtnShadow,
              clBtnFace,   clBtnFace,   clWindowText, clHighlight, clBtnFace, clHighlight,
              clHighlight, clHighlight, clBtnShadow, clHighlightText, clBtnFace}
{
}

void TLTColors::Set(TIndex Index, TColor Value)
{
    if (FColors[Index] == Value)
        return;
    FColors[Index] = Value;
    if (FOwner.IsLoading() || !FOwner.HandleAllocated())
        return;
    // The rectangle buttons are framed in the tree line colour.
    if (Index == TreeLineColor)
        FOwner.RebuildPaintResources(true, false);
    if (Index == BorderColor)
        FOwner.update();
    else
        FOwner.InvalidateTree();
}

void TLTColors::Assign(const TLTColors &Source)
{
    FColors = Source.FColors;
    if (FOwner.UpdateCount() == 0)
        FOwner.InvalidateTree();
}

TColor TLTColors::BackGroundColor() const
{
    return FOwner.Color();
}

TColor TLTColors::NodeFontColor() const
{
    return clWindowText;
}

TColor TLTColors::HeaderFontColor() const
{
    return FOwner.Header().FontColor();
}

TColor TBaseLazyTree::SelectionColor() const
{
    const bool focused = hasFocus() || FOptions->PaintOptions().Contains(toPopupMode);
    return FColors->Get(focused ? TLTColors::FocusedSelectionColor : TLTColors::UnfocusedSelectionColor);
}

TColor TBaseLazyTree::SelectionBorderColor() const
{
    const bool focused = hasFocus() || FOptions->PaintOptions().Contains(toPopupMode);
    return FColors->Get(focused ? TLTColors::FocusedSelectionBorderColor
                                : TLTColors::UnfocusedSelectionBorderColor);
}

// ---------------------------------------------------------------------------------------
// Settings

void TBaseLazyTree::SetEmptyListMessage(const QString &Value)
{
    if (FEmptyListMessage == Value)
        return;
    FEmptyListMessage = Value;
    InvalidateTree();
}

void TBaseLazyTree::SetLineMode(TLTLineMode Value)
{
    if (FLineMode == Value)
        return;
    FLineMode = Value;
    if (HandleAllocated() && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::SetLineStyle(TLTLineStyle Value)
{
    if (FLineStyle == Value)
        return;
    FLineStyle = Value;
    RebuildPaintResources(false, true);
    InvalidateTree();
}

void TBaseLazyTree::SetButtonStyle(TLTButtonStyle Value)
{
    if (FButtonStyle == Value)
        return;
    FButtonStyle = Value;
    ButtonLookChanged();
}

void TBaseLazyTree::SetButtonFillMode(TLTButtonFillMode Value)
{
    if (FButtonFillMode == Value)
        return;
    FButtonFillMode = Value;
    ButtonLookChanged();
}

void TBaseLazyTree::ButtonLookChanged()
{
    if (!FLoading) {
        RebuildPaintResources(true, false);
        InvalidateTree();
    }
}

void TBaseLazyTree::RebuildPaintResources(bool Buttons, bool Lines)
{
    if (Buttons) {
        QSize size(9, 9);
        // A cleared picture: transparent, so the row shows through where nothing is drawn.
        auto clear = [&size](QImage &Bitmap) {
            Bitmap = QImage(size, QImage::Format_ARGB32_Premultiplied);
            Bitmap.fill(Qt::transparent);
        };
        if (OnPrepareButtonBitmaps) {
            for (QImage *bitmap : {&FPlusBM, &FHotPlusBM, &FSelectedHotPlusBM, &FMinusBM, &FHotMinusBM,
                                   &FSelectedHotMinusBM})
                clear(*bitmap);
            OnPrepareButtonBitmaps(this, FPlusBM, FHotPlusBM, FSelectedHotPlusBM, FMinusBM, FHotMinusBM,
                                   FSelectedHotMinusBM, size);
        } else {
            const int w = size.width();
            auto draw = [&](QImage &Bitmap, bool Plus) {
                clear(Bitmap);
                QPainter p(&Bitmap);
                if (FButtonStyle == TLTButtonStyle::bsTriangle) {
                    p.setPen(Qt::black);
                    p.setBrush(Qt::black);
                    const QPoint minus[] = {{0, 2}, {8, 2}, {4, 6}};
                    const QPoint plus[] = {{2, 0}, {6, 4}, {2, 8}};
                    p.drawPolygon(Plus ? plus : minus, 3);
                    return;
                }
                switch (FButtonFillMode) {
                case TLTButtonFillMode::fmTreeColor: p.fillRect(0, 0, w, w, ToQColor(FColors->BackGroundColor())); break;
                case TLTButtonFillMode::fmWindowColor: p.fillRect(0, 0, w, w, ToQColor(clWindow)); break;
                case TLTButtonFillMode::fmShaded: {
                    QLinearGradient shade(0, 0, w, w);
                    shade.setColorAt(0, Qt::white);
                    shade.setColorAt(1, ToQColor(clBtnFace));
                    p.fillRect(0, 0, w, w, shade);
                    break;
                }
                case TLTButtonFillMode::fmTransparent: break;
                }
                const QColor frame = ToQColor(FColors->Get(TLTColors::TreeLineColor));
                p.fillRect(0, 0, w, 1, frame);
                p.fillRect(0, w - 1, w, 1, frame);
                p.fillRect(0, 0, 1, w, frame);
                p.fillRect(w - 1, 0, 1, w, frame);
                const QColor bar = ToQColor(FColors->NodeFontColor());
                p.fillRect(2, w / 2, w - 4, 1, bar);
                if (Plus)
                    p.fillRect(w / 2, 2, 1, w - 4, bar);
            };
            draw(FMinusBM, false);
            FHotMinusBM = FSelectedHotMinusBM = FMinusBM;
            draw(FPlusBM, true);
            FHotPlusBM = FSelectedHotPlusBM = FPlusBM;
        }
        FButtonWidth = size.width();
        FButtonHeight = size.height();
    }
    if (Lines) {
        static const uint16_t dotted[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        static const uint16_t solid[8] = {};
        const uint16_t *bits = FLineStyle == TLTLineStyle::lsSolid ? solid : dotted;
        if (FLineStyle == TLTLineStyle::lsCustomStyle && OnGetLineStyle)
            OnGetLineStyle(this, bits);
        QImage pattern(8, 8, QImage::Format_MonoLSB);
        pattern.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.setPixel(x, y, (bits[y] >> (7 - x)) & 1 ? 0 : 1);
        FLinePattern = QBitmap::fromImage(pattern);
    }
}

// ---------------------------------------------------------------------------------------
// Node parts

int TBaseLazyTree::LineImageAndSelectLevel(PLazyNode Node, TLTLineImage &LineImage)
{
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool showRoot = paint.Contains(toShowRoot);
    int selectLevel = 0;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (run->Has(vsSelected))
            ++selectLevel;
    const int length = int(GetNodeLevel(Node)) + (showRoot ? 1 : 0);
    LineImage.assign(size_t(length), ltNone);
    if (!paint.Contains(toShowTreeLines) ||
        (paint.Contains(toHideTreeLinesIfThemed) && FStates.Contains(tsUseThemes)) || length == 0)
        return selectLevel;
    auto visibleSibling = [this](PLazyNode N, bool Next) {
        for (PLazyNode run = Next ? N->NextSibling : N->PrevSibling; run;
             run = Next ? run->NextSibling : run->PrevSibling)
            if (GetEffectivelyVisible(run))
                return true;
        return false;
    };
    const bool topLevel = Node->Parent == FRoot;
    int i = length - 1;
    if (!paint.Contains(toChildrenAbove)) {
        if (!topLevel) {
            LineImage[size_t(i)] = visibleSibling(Node, true) ? ltTopDownRight : ltTopRight;
            PLazyNode run = Node->Parent;
            for (--i; run->Parent != FRoot && i >= 0; run = run->Parent, --i)
                LineImage[size_t(i)] = visibleSibling(run, true) ? ltTopDown : ltNone;
        }
        if (showRoot) {
            if (topLevel) {
                const bool first = !visibleSibling(Node, false), last = !visibleSibling(Node, true);
                LineImage[0] = first && last ? ltRight : last ? ltTopRight : first ? ltBottomRight
                                                                            : ltTopDownRight;
            } else {
                PLazyNode top = Node;
                while (top->Parent != FRoot)
                    top = top->Parent;
                LineImage[0] = visibleSibling(top, true) ? ltTopDown : ltNone;
            }
        }
    } else if (!topLevel || showRoot) {
        const bool previous = visibleSibling(Node, false), next = visibleSibling(Node, true);
        LineImage[size_t(i)] = previous && (!topLevel || next) ? ltTopDownRight
                               : previous                     ? ltTopRight
                               : !topLevel || next            ? ltBottomRight
                                                              : ltRight;
        for (PLazyNode run = Node->Parent; run != FRoot && --i >= 0; run = run->Parent)
            LineImage[size_t(i)] = visibleSibling(run, false) ? ltTopDown : ltNone;
    }
    if (FStates.Contains(tsUseExplorerTheme) && Node->Has(vsHasChildren))
        LineImage.back() = ltNone;
    return selectLevel;
}

void TBaseLazyTree::NodeVerticalAlignment(PLazyNode Node, bool ShowImages, bool ShowStateImages,
                                          int &ButtonY, int &VAlign)
{
    const int height = int(NodeHeight(Node));
    switch (FNodeAlignment) {
    case TLTNodeAlignment::naFromBottom: VAlign = height - Node->Align; break;
    case TLTNodeAlignment::naFromTop: VAlign = Node->Align; break;
    case TLTNodeAlignment::naProportional:
        if (ShowImages || ShowStateImages) {
            const int h = ShowImages ? FImages->Height() : FStateImages->Height();
            VAlign = MulDiv(height - h, Node->Align, 100) + h / 2;
        } else if (FOptions->PaintOptions().Contains(toShowButtons)) {
            VAlign = MulDiv(height - FButtonHeight, Node->Align, 100) + FButtonHeight / 2;
        } else {
            VAlign = MulDiv(Node->NodeHeight, Node->Align, 100);
        }
        break;
    }
    ButtonY = VAlign - FButtonHeight / 2 - FButtonHeight % 2;
}

int TBaseLazyTree::CheckImageIndex(PLazyNode Node) const
{
    using enum TCheckState;
    TCheckState state = Node->CheckState;
    bool enabled = !Node->Has(vsDisabled) && isEnabled();
    const bool hot = Node == FCurrentHotNode;
    if (CheckStateIsDisabled(state)) {
        state = EnabledCheckState(state);
        enabled = false;
    }
    // Normal, hot and disabled index of each state.
    struct TRow
    {
        int Normal, Hot, Disabled;
    };
    auto pick = [&](TRow R) { return !enabled ? R.Disabled : hot ? R.Hot : R.Normal; };
    const bool mixedNormal = state == csMixedNormal, mixedPressed = state == csMixedPressed;
    switch (Node->CheckType) {
    case TCheckType::ctNone: return -1;
    case TCheckType::ctTriStateCheckBox:
    case TCheckType::ctCheckBox:
        switch (state) {
        case csUncheckedNormal: return pick({9, 10, 12});
        case csUncheckedPressed: return pick({11, 11, 12});
        case csCheckedNormal: return pick({13, 14, 16});
        case csCheckedPressed: return pick({15, 15, 16});
        default: break;
        }
        break;
    case TCheckType::ctRadioButton:
        switch (state) {
        case csUncheckedNormal: return pick({1, 2, 4});
        case csUncheckedPressed: return pick({3, 3, 4});
        case csCheckedNormal: return pick({5, 6, 8});
        case csCheckedPressed: return pick({7, 7, 8});
        default: break;
        }
        break;
    case TCheckType::ctButton:
        if (!mixedNormal && !mixedPressed)
            return state == csUncheckedPressed || state == csCheckedPressed ? pick({23, 23, 24})
                                                                            : pick({21, 22, 24});
        break;
    }
    if (mixedNormal)
        return pick({17, 18, 20});
    if (mixedPressed)
        return pick({19, 19, 20});
    return -1;
}

void TBaseLazyTree::DrawLinePattern(TLTPaintInfo &PaintInfo, const QRect &R, TColor LineColor, TColor GapColor)
{
    QPainter *p = PaintInfo.Canvas->Painter();
    if (FLineStyle == TLTLineStyle::lsSolid) {
        p->fillRect(R, ToQColor(LineColor));
        return;
    }
    // The pattern is aligned with the content by the brush origin of the row.
    if (FLinePattern.isNull())
        RebuildPaintResources(false, true);
    p->fillRect(R, ToQColor(GapColor));
    p->fillRect(R, QBrush(ToQColor(LineColor), FLinePattern));
}

void TBaseLazyTree::DrawDottedHorzLine(TLTPaintInfo &PaintInfo, int Left, int Top, int Right,
                                       TColor LineColor)
{
    DrawLinePattern(PaintInfo, QRect(std::min(Left, Right), Top, std::abs(Right - Left) + 1, 1), LineColor,
                    FColors->BackGroundColor());
}

void TBaseLazyTree::DrawDottedVertLine(TLTPaintInfo &PaintInfo, int Top, int Left, int Bottom,
                                       TColor LineColor, bool UseSelectedBkColor)
{
    DrawLinePattern(PaintInfo, QRect(Left, std::min(Top, Bottom), 1, std::abs(Bottom - Top) + 1), LineColor,
                    UseSelectedBkColor ? SelectionColor() : FColors->BackGroundColor());
}

void TBaseLazyTree::DrawLineImage(TLTPaintInfo &PaintInfo, int X, int Y, int H, int VAlign,
                                  TLTLineType LineType, bool Reverse)
{
    const int indent = int(FIndent);
    const int half = HalfToEven(indent);
    const int bottom = Y + H, mid = Y + VAlign, stubEnd = Reverse ? X : X + indent, c = X + half;
    const TColor color = FLineMode == TLTLineMode::lmBands ? FColors->Get(TLTColors::GridLineColor)
                                                           : FColors->Get(TLTColors::TreeLineColor);
    auto vertical = [&](int At, int From, int To) { DrawDottedVertLine(PaintInfo, From, At, To, color); };
    auto horizontal = [&](int At, int From, int To) { DrawDottedHorzLine(PaintInfo, From, At, To, color); };
    switch (LineType) {
    case ltBottomRight: vertical(c, mid, bottom); horizontal(mid, c, stubEnd); break;
    case ltTopDown: vertical(c, Y, bottom); break;
    case ltTopDownRight: vertical(c, Y, bottom); horizontal(mid, c, stubEnd); break;
    case ltRight: horizontal(mid, c, stubEnd); break;
    case ltTopRight: vertical(c, Y, mid); horizontal(mid, c, stubEnd); break;
    case ltLeft: vertical(Reverse ? X + indent : X, Y, bottom); break;
    case ltLeftBottom:
        vertical(Reverse ? X + indent : X, Y, bottom);
        horizontal(bottom, X, X + indent);
        break;
    case ltNone: break;
    }
}

void TBaseLazyTree::PaintTreeLines(TLTPaintInfo &PaintInfo, int VAlign, int IndentSize,
                                   const TLTLineImage &LineImage)
{
    const bool reverse = PaintInfo.BidiMode != TLTBiDiMode::bdLeftToRight;
    const int step = reverse ? -int(FIndent) : int(FIndent);
    int x = reverse ? PaintInfo.CellRect.Right - int(FIndent) : PaintInfo.CellRect.Left;
    TLTLineImage image = LineImage;
    int height = PaintInfo.CellRect.Height();
    if (FLineMode == TLTLineMode::lmBands) {
        if (!PaintInfo.PaintOptions.Contains(poGridLines))
            return;
        // Bands, from the deepest level outwards.
        TLTLineImage bands(image.size(), ltNone);
        const bool open = PaintInfo.Node->Has(vsExpanded) && !PaintInfo.Node->Has(vsAllChildrenHidden);
        for (int i = int(image.size()) - 1; i >= 0; --i) {
            const TLTLineType line = image[size_t(i)];
            if (open)
                bands[size_t(i)] = ltLeft;
            else if (line == ltNone || line == ltTopDown) {
                const bool deeper = size_t(i + 1) < image.size();
                const TLTLineType next = deeper ? image[size_t(i + 1)] : ltNone;
                bands[size_t(i)] = deeper && (next == ltNone || next == ltTopRight) ? bands[size_t(i + 1)] : ltLeft;
            } else {
                bands[size_t(i)] = ltLeftBottom;
            }
        }
        image = bands;
        height -= 1;
    }
    const int firstLevel = FOptions->PaintOptions().Contains(toShowRoot) ? 0 : 1;
    for (int i = 0; i < IndentSize && size_t(i) < image.size(); ++i, x += step) {
        int posX = x;
        if (OnBeforeDrawTreeLine)
            OnBeforeDrawTreeLine(this, PaintInfo.Node, i + firstLevel, posX);
        DrawLineImage(PaintInfo, posX, PaintInfo.CellRect.Top, height, VAlign - 1, image[size_t(i)], reverse);
    }
}

void TBaseLazyTree::PaintNodeButton(TCanvas &Canvas, PLazyNode Node, const TRect &CellRect, int ButtonX,
                                    int ButtonY, TLTBiDiMode BidiMode)
{
    const int x = BidiMode != TLTBiDiMode::bdLeftToRight ? CellRect.Right - ButtonX - FButtonWidth
                                                        : ButtonX + CellRect.Left;
    // Hot while the mouse is over this button.
    const bool hot = Node == FCurrentHotNode && FHotNodeButtonHit;
    const bool selected = Node->Has(vsSelected);
    const QImage &bitmap = Node->Has(vsExpanded) ? (hot ? (selected ? FSelectedHotMinusBM : FHotMinusBM) : FMinusBM)
                                                 : (hot ? (selected ? FSelectedHotPlusBM : FHotPlusBM) : FPlusBM);
    Canvas.Draw(x, CellRect.Top + ButtonY, bitmap);
}

void TBaseLazyTree::PaintCheckImage(TCanvas &Canvas, const TLTImageInfo &ImageInfo, bool)
{
    if (ImageInfo.Images && ImageInfo.Index >= 0 && ImageInfo.Index < ImageInfo.Images->Count())
        Canvas.Draw(ImageInfo.XPos, ImageInfo.YPos, ImageInfo.Images->Image(ImageInfo.Index));
}

void TBaseLazyTree::QueryPaintImage(TLTPaintInfo &PaintInfo, TLTImageKind Kind, TLTImageList *DefaultImages,
                                    int Slot)
{
    TLTImageInfo &info = PaintInfo.ImageInfo[size_t(Slot)];
    info.Index = -1;
    info.Ghosted = false;
    TLTImageList *list = DoGetImageIndex(PaintInfo.Node, Kind, PaintInfo.Column, info.Ghosted, info.Index);
    info.Images = list ? list : DefaultImages;
}

void TBaseLazyTree::PaintNodeImage(TLTPaintInfo &PaintInfo, int Slot)
{
    const TLTImageInfo &info = PaintInfo.ImageInfo[size_t(Slot)];
    if (!info.Images || info.Index < 0 || info.Index >= info.Images->Count())
        return;
    PLazyNode node = PaintInfo.Node;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool cut = node->Has(vsCutOrCopy) && FStates.Contains(tsCutPending);
    const bool ghosting = hasFocus() || paint.Contains(toGhostedIfUnfocused);
    const bool enabled = !node->Has(vsDisabled) && isEnabled();
    if (!enabled) {
        DrawImageSaturated(*info.Images, *PaintInfo.Canvas, info.XPos, info.YPos, info.Index);
        return;
    }
    const bool blend =
        paint.Contains(toUseBlendedImages) && ghosting &&
        (info.Ghosted ||
         (node->Has(vsSelected) && !FOptions->SelectionOptions().Contains(toFullRowSelect) &&
          !FOptions->MiscOptions().Contains(toGridExtensions)) ||
         cut);
    QPainter *p = PaintInfo.Canvas->Painter();
    p->save();
    if (blend)
        p->setOpacity(0.5);
    p->drawImage(info.XPos, info.YPos, info.Images->Image(info.Index));
    p->restore();
    if (Slot == 0) {
        // An overlay other than the image itself is drawn on top.
        TLTPaintInfo overlay = PaintInfo;
        QueryPaintImage(overlay, TLTImageKind::ikOverlay, FImages, 3);
        const TLTImageInfo &o = overlay.ImageInfo[3];
        if (o.Images && o.Index >= 0 && o.Index < o.Images->Count() &&
            !(o.Index == info.Index && o.Images == info.Images))
            p->drawImage(info.XPos, info.YPos, o.Images->Image(o.Index));
    }
}

// ---------------------------------------------------------------------------------------
// Backgrounds

void TBaseLazyTree::SetBackground(const QImage &Value)
{
    FBackground = Value;
    FBackgroundPixmap = QPixmap();
    InvalidateTree();
}

void TBaseLazyTree::SetBackgroundOffset(int X, int Y)
{
    if (FBackgroundOffsetX == X && FBackgroundOffsetY == Y)
        return;
    FBackgroundOffsetX = X;
    FBackgroundOffsetY = Y;
    InvalidateTree();
}

bool TBaseLazyTree::ShowsBackground(TLTInternalPaintOptions PaintOptions) const
{
    return FOptions->PaintOptions().Contains(toShowBackground) && PaintOptions.Contains(poBackground) &&
           !FBackground.isNull();
}

void TBaseLazyTree::DrawBackground(QPainter &Painter, const TRect &R, TPoint Offset)
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    if (FBackgroundPixmap.isNull())
        FBackgroundPixmap = QPixmap::fromImage(FBackground);
    const int w = FBackground.width(), h = FBackground.height();
    if (!FOptions->PaintOptions().Contains(toStaticBackground)) {
        // Tiles from the offsets in the coordinates moved by Offset.
        auto start = [](int Value, int Size) { return ((Value % Size) + Size) % Size; };
        Painter.drawTiledPixmap(R.ToQRect(), FBackgroundPixmap,
                                QPoint(start(R.Left + Offset.X + FBackgroundOffsetX, w),
                                       start(R.Top + Offset.Y + FBackgroundOffsetY, h)));
        return;
    }
    // One picture at the offsets; transparent pixels keep the tree's colour.
    Painter.fillRect(R.ToQRect(), ToQColor(FColor));
    const QRect picture(FBackgroundOffsetX, FBackgroundOffsetY, w, h);
    const QRect shown = picture.intersected(R.ToQRect().translated(Offset.X, Offset.Y));
    if (!shown.isEmpty())
        Painter.drawPixmap(shown.translated(-Offset.X, -Offset.Y), FBackgroundPixmap,
                           shown.translated(-picture.topLeft()));
}

void TBaseLazyTree::EraseNodeBackground(TLTPaintInfo &PaintInfo, bool ShowBackground, TRect R, TPoint Offset)
{
    TColor color = FColors->BackGroundColor();
    TItemEraseAction action = TItemEraseAction::eaDefault;
    if (OnBeforeItemErase)
        OnBeforeItemErase(this, PaintInfo.Canvas, PaintInfo.Node, R, color, action);
    QPainter *p = PaintInfo.Canvas->Painter();
    switch (action) {
    case TItemEraseAction::eaColor: p->fillRect(R.ToQRect(), ToQColor(color)); break;
    case TItemEraseAction::eaNone: break;
    case TItemEraseAction::eaDefault:
        if (ShowBackground) {
            DrawBackground(*p, R, Offset);
        } else if (PaintInfo.PaintOptions.Contains(poDrawSelection) &&
            FOptions->SelectionOptions().Contains(toFullRowSelect) && PaintInfo.Node->Has(vsSelected) &&
            !FOptions->PaintOptions().Contains(toUseBlendedSelection)) {
            if (FOptions->PaintOptions().Contains(toShowHorzGridLines)) {
                p->fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), ToQColor(color));
                --R.Bottom;
            }
            // Rounded corners show the row's colour, not what the buffer held.
            p->fillRect(R.ToQRect(), ToQColor(color));
            DrawSelectionRect(*p, R, SelectionColor(), SelectionBorderColor());
        } else {
            p->fillRect(R.ToQRect(), ToQColor(color));
        }
        break;
    }
    if (OnAfterItemErase)
        OnAfterItemErase(this, PaintInfo.Canvas, PaintInfo.Node, R);
}

void TBaseLazyTree::DrawSelectionRect(QPainter &Painter, const TRect &R, TColor Fill, TColor Border)
{
    Painter.save();
    Painter.setPen(ToQColor(Border));
    Painter.setBrush(ToQColor(Fill));
    const QRect r(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    if (FSelectionCurveRadius == 0) {
        Painter.drawRect(r);
    } else {
        // The radius is the corner's ellipse size.
        const qreal corner = FSelectionCurveRadius / 2.0;
        Painter.setRenderHint(QPainter::Antialiasing, false);
        Painter.drawRoundedRect(r, corner, corner);
    }
    Painter.restore();
}

void TBaseLazyTree::SetSelectionCurveRadius(uint32_t Value)
{
    if (FSelectionCurveRadius == Value)
        return;
    FSelectionCurveRadius = Value;
    if (HandleAllocated() && !FLoading)
        InvalidateTree();
}

void TBaseLazyTree::PaintCellBackground(TLTPaintInfo &PaintInfo)
{
    QPainter *p = PaintInfo.Canvas->Painter();
    TLazyTreeColumns &columns = FHeader->Columns();
    if (PaintInfo.PaintOptions.Contains(poColumnColor) && columns.IsValidColumn(PaintInfo.Column))
        p->fillRect(PaintInfo.CellRect.ToQRect(), ToQColor(columns[PaintInfo.Column].Color()));
    DoBeforeCellPaint(PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, TLTCellPaintMode::cpmPaint,
                      PaintInfo.CellRect, PaintInfo.ContentRect);
    TRect inner = PaintInfo.ContentRect;
    const bool grid = FOptions->MiscOptions().Contains(toGridExtensions);
    const bool fullRow = FOptions->SelectionOptions().Contains(toFullRowSelect);
    if (!grid) {
        const int w = PaintInfo.NodeWidth;
        switch (PaintInfo.Alignment) {
        case TLTAlignment::taLeftJustify:
            if (inner.Left + w < inner.Right)
                inner.Right = inner.Left + w;
            break;
        case TLTAlignment::taRightJustify:
            if (w < inner.Width())
                inner.Left = inner.Right - w;
            break;
        case TLTAlignment::taCenter:
            if (w < inner.Width()) {
                inner.Left = (inner.Left + inner.Right - w) / 2;
                inner.Right = inner.Left + w;
            }
            break;
        }
    }
    const bool cellOfFocus = PaintInfo.Column == FFocusedColumn || fullRow;
    // The drop target shows in its own colours while something is dropped onto it.
    const bool dropTarget = PaintInfo.Node == FDropTargetNode;
    const bool selected = PaintInfo.Node->Has(vsSelected);
    if (cellOfFocus && PaintInfo.PaintOptions.Contains(poDrawSelection) &&
        (dropTarget ? FLastDropMode == TLTDropMode::dmOnNode || selected : selected)) {
        const TColor fill = dropTarget ? FColors->Get(TLTColors::DropTargetColor) : SelectionColor();
        const TColor border = dropTarget ? FColors->Get(TLTColors::DropTargetBorderColor) : SelectionBorderColor();
        TRect r = grid || fullRow ? PaintInfo.CellRect : inner;
        if (r.Width() > 0 && r.Height() > 0) {
            if (FOptions->PaintOptions().Contains(toUseBlendedSelection) && FPaintImage) {
                const QPoint origin = p->transform().map(QPoint(r.Left, r.Top));
                BlendRectangle(nullptr, FPaintImage, TRect(origin.x(), origin.y(), origin.x() + r.Width(),
                                                           origin.y() + r.Height()),
                               TPoint(), TBlendMode::blendTint, FSelectionBlendFactor, fill);
            } else {
                DrawSelectionRect(*p, r, fill, border);
            }
        }
    }
    const bool focused = hasFocus() || FOptions->PaintOptions().Contains(toPopupMode);
    if (cellOfFocus && PaintInfo.PaintOptions.Contains(poDrawFocusRect) && focused &&
        PaintInfo.Node == FFocusedNode && PaintInfo.Column == FFocusedColumn) {
        const TRect f = grid ? PaintInfo.CellRect : inner;
        if (f.Width() > 0 && f.Height() > 0)
            DrawInvertedFocusFrame(*p, f.ToQRect());
    }
}

void TBaseLazyTree::PaintNodeContent(TLTPaintInfo &)
{
}

void TBaseLazyTree::DoBeforePaint(TCanvas &Canvas)
{
    if (OnBeforePaint)
        OnBeforePaint(this, &Canvas);
}

void TBaseLazyTree::DoAfterPaint(TCanvas &Canvas)
{
    if (OnAfterPaint)
        OnAfterPaint(this, &Canvas);
}

// ---------------------------------------------------------------------------------------
// The pipeline


void TBaseLazyTree::PaintDropMark(QPainter &Painter, const TRect &R)
{
    // Only a drop between rows is marked; a drop onto the node shows in its selection colour.
    const int l = R.Left, t = R.Top, r = R.Right, b = R.Bottom;
    QPolygon mark;
    if (FLastDropMode == TLTDropMode::dmAbove)
        mark << QPoint(l + 2, t) << QPoint(r - 2, t) << QPoint(r - 2, t + 6) << QPoint(r - 6, t + 2)
             << QPoint(l + 6, t + 2) << QPoint(l + 2, t + 6);
    else if (FLastDropMode == TLTDropMode::dmBelow)
        mark << QPoint(l + 2, b - 1) << QPoint(r - 2, b - 1) << QPoint(r - 2, b - 8)
             << QPoint(r - 7, b - 3) << QPoint(l + 7, b - 3) << QPoint(l + 2, b - 8);
    else
        return;
    Painter.save();
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(ToQColor(FColors->Get(TLTColors::DropMarkColor)));
    Painter.drawPolygon(mark);
    Painter.restore();
}

void TBaseLazyTree::PaintSelectionRectangle(QPainter &Painter, int Top, const QRect &Clip, int WindowShiftX)
{
    if (!FStates.Contains(tsDrawSelecting))
        return;
    // The band is drawn where it shows in the client, also over fixed columns.
    Painter.save();
    Painter.setClipRect(Clip, Qt::IntersectClip);
    Painter.translate(WindowShiftX, -FOffsetY - Top);
    DrawRubberBand(Painter);
    Painter.restore();
}

TColumnIndex TBaseLazyTree::NextPaintColumn(TLTPaintInfo &PaintInfo)
{
    return FHeader->Columns().GetNextVisibleColumn(PaintInfo.Column);
}

void TBaseLazyTree::paintEvent(QPaintEvent *Event)
{
    const QRect update = FPrintingClient ? viewport()->rect() : Event->rect();
    if (update.isEmpty())
        return;
    if (FFillingStrips) {
        QPainter painter(viewport());
        FillColumnStrips(painter, update);
        return;
    }
    const int shift = UseRightToLeftReading() && FHeader->UseColumns() ? RightToLeftShift(true) : 0;
    const TRect r = TRect::FromQRect(update);
    TCanvas canvas(viewport());
    // A print of the window shows no column colours.
    TLTInternalPaintOptions options{poBackground, poDrawFocusRect, poDrawSelection, poDrawDropMark,
                                    poGridLines};
    if (!FPrintingClient)
        options.Include(poColumnColor);
    const int fixed = FHeader->Columns().GetVisibleFixedWidth();
    if (fixed <= 0) {
        TRect window = r;
        OffsetRect(window, FEffectiveOffsetX - shift, -FOffsetY);
        PaintTree(canvas, window, r.TopLeft(), options);
        return;
    }
    // Fixed columns do not scroll horizontally: they are painted on their own.
    const TRect client = TRect::FromQRect(viewport()->rect());
    TRect window(client.Left, client.Top, fixed, client.Bottom);
    OffsetRect(window, -shift, -FOffsetY);
    PaintTree(canvas, window, client.TopLeft(), options);
    if (client.Width() >= fixed) {
        window = TRect(fixed, client.Top, client.Right, client.Bottom);
        OffsetRect(window, FEffectiveOffsetX - shift, -FOffsetY);
        PaintTree(canvas, window, TPoint(fixed, client.Top), options);
    }
}

void TBaseLazyTree::PrintWindow(QPaintDevice *Target, bool CheckVisible)
{
    if (!Target || (CheckVisible && !isVisible()))
        return;
    // The frame and the header band come with the widget, the client through the paint.
    FPrintingClient = true;
    try {
        render(Target, QPoint(), QRegion(), QWidget::DrawChildren);
    } catch (...) {
        FPrintingClient = false;
        throw;
    }
    FPrintingClient = false;
}

void TBaseLazyTree::PaintAreaBelow(TCanvas &Canvas, const TRect &Window, int Top, int Height,
                                   TColumnIndex FirstColumn, TLTInternalPaintOptions PaintOptions, TPoint Offset)
{
    QPainter *p = Canvas.Painter();
    const TRect area(0, 0, Window.Width(), Height);
    bool handled = false;
    if (OnPaintBackground)
        OnPaintBackground(this, &Canvas, area, handled);
    if (handled)
        return;
    if (ShowsBackground(PaintOptions)) {
        DrawBackground(*p, area, Offset);
        return;
    }
    const QColor background = ToQColor(FColors->BackGroundColor());
    if (!FHeader->UseColumns()) {
        p->fillRect(area.ToQRect(), background);
        return;
    }
    // Column bands continue the rows' column colours and vertical grid lines to the bottom;
    // they are laid out in absolute X like the rows.
    TLazyTreeColumns &columns = FHeader->Columns();
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool gridLines = PaintOptions.Contains(poGridLines) && paint.Contains(toShowVertGridLines) &&
                           paint.Contains(toFullVertGridLines);
    const bool autoResize = FHeader->Options().Contains(TLTHeaderOption::hoAutoResize);
    const TColumnIndex last = columns.GetLastVisibleColumn();
    p->save();
    p->translate(-Window.Left, 0);
    p->setBrushOrigin(0, Top % 2);
    TLTPaintInfo info;
    info.Canvas = &Canvas;
    TColumnIndex column = FirstColumn;
    if (!columns.IsValidColumn(column)) {
        for (column = columns.GetFirstVisibleColumn(); column >= 0; column = columns.GetNextVisibleColumn(column)) {
            int l = 0, r = 0;
            columns[column].GetUnscrolledBounds(l, r);
            if (r > Window.Left)
                break;
        }
    }
    int left = Window.Left - 1;
    for (; column >= 0; column = columns.GetNextVisibleColumn(column)) {
        int l = 0, r = 0;
        columns[column].GetUnscrolledBounds(l, r);
        if (l >= Window.Right)
            break;
        const bool parent = columns[column].Options().Contains(TLTColumnOption::coParentColor);
        const QColor fill = parent ? background : ToQColor(columns[column].Color());
        int right = r;
        const bool line = gridLines && !(autoResize && column == last);
        if (line) {
            DrawDottedVertLine(info, 0, r - 1, Height - 1, FColors->Get(TLTColors::GridLineColor));
            --right;
        }
        if (right > left)
            p->fillRect(QRect(left, 0, right - left, Height), fill);
        left = r;
    }
    if (left < Window.Right)
        p->fillRect(QRect(left, 0, Window.Right - left, Height), background);
    p->restore();
}

void TBaseLazyTree::PaintTree(TCanvas &TargetCanvas, TRect Window, TPoint Target,
                              TLTInternalPaintOptions PaintOptions)
{
    if (FStates.Contains(tsPainting))
        return;
    DoStateChange({tsPainting});
    bool targetClipped = false;
    try {
        DoBeforePaint(TargetCanvas);
        const TLTPaintOptions paint = FOptions->PaintOptions();
        const int maxRight = std::max(ClientWidth(), int(FRangeX));
        const bool showImages = FImages != nullptr;
        const bool showStateImages = FStateImages != nullptr;
        TLTImageList *checks = CheckImages();
        const bool showChecks = checks && FOptions->MiscOptions().Contains(toCheckSupport);
        const bool useColumns = FHeader->UseColumns();
        if (paint.Contains(toAlwaysHideSelection) || (!hasFocus() && paint.Contains(toHideSelection)))
            PaintOptions.Exclude(poDrawSelection);
        if (paint.Contains(toHideFocusRect))
            PaintOptions.Exclude(poDrawFocusRect);
        if (FPlusBM.isNull())
            RebuildPaintResources(true, true);
        QPainter *target = TargetCanvas.Painter();
        const int windowWidth = std::max(Window.Width(), 1);
        const bool unbuffered = PaintOptions.Contains(poUnbuffered);
        const bool showBackground = ShowsBackground(PaintOptions);
        // Nothing lands outside the target rectangle, not even the part of a row that begins
        // above the window.
        target->save();
        targetClipped = true;
        target->setClipRect(QRect(Target.X, Target.Y, Window.Width(), Window.Height()), Qt::IntersectClip);

        int nodeTop = 0;
        PLazyNode node = GetNodeAt(0, Window.Top, false, nodeTop);
        if (!node)
            nodeTop = Window.Top;
        TRect targetRect(Target.X, Target.Y + nodeTop - Window.Top, Target.X + Window.Width(),
                         Target.Y + nodeTop - Window.Top);
        const int targetBottom = Target.Y + Window.Height();
        TLazyTreeColumns &columns = FHeader->Columns();
        TColumnIndex firstColumn = InvalidColumn;
        TLTLineImage lineImage;
        // The one-row buffer keeps its pixels while the row height stays: a row that erases
        // nothing shows the previous row, or the background after a change of the height.
        QImage row;
        while (node) {
            int selectLevel = LineImageAndSelectLevel(node, lineImage);
            const int indentSize = int(lineImage.size());
            int buttonX = HalfToEven(int(FIndent) - FButtonWidth) + 1;
            if (!paint.Contains(toFixedIndent))
                buttonX += (indentSize - 1) * int(FIndent);
            if (!node->Has(vsInitialized))
                InitNode(node);
            if (node->Has(vsSelected) && !paint.Contains(toChildrenAbove))
                ++selectLevel;
            MeasureItemHeight(&TargetCanvas, node);
            const int height = int(NodeHeight(node));
            const int rowTop = nodeTop;
            const QPoint brushOrigin(Window.Left % 2, nodeTop % 2);
            nodeTop += height;
            targetRect.Bottom = targetRect.Top + height;
            if (height > 0 && (selectLevel > 0 || !PaintOptions.Contains(poSelectedOnly))) {
                std::optional<TCanvas> surface;
                if (unbuffered) {
                    surface.emplace(target);
                    surface->Painter()->translate(targetRect.Left - Window.Left, targetRect.Top);
                    surface->Painter()->setClipRect(
                        QRect(Window.Left, 0, Window.Width(), std::min(targetRect.Bottom, targetBottom) - targetRect.Top),
                        Qt::IntersectClip);
                } else {
                    if (row.height() != height) {
                        row = QImage(windowWidth, height, QImage::Format_ARGB32_Premultiplied);
                        row.fill(ToQColor(FColors->BackGroundColor()));
                    }
                    FPaintImage = &row;
                    surface.emplace(&row);
                    surface->Painter()->translate(-Window.Left, 0);
                }
                {
                    TCanvas &canvas = *surface;
                    canvas.Font = TFont::FromQFont(font(), FColors->NodeFontColor());
                    QPainter *p = canvas.Painter();
                    // The brush origin is in the translated coordinates: dots stay on absolute X.
                    p->setBrushOrigin(0, brushOrigin.y());
                    const TRect itemRect(0, 0, maxRight, height);
                    int vAlign = 0, buttonY = 0;
                    NodeVerticalAlignment(node, showImages, showStateImages, buttonY, vAlign);
                    bool customDraw = false;
                    if (OnBeforeItemPaint)
                        OnBeforeItemPaint(this, &canvas, node, itemRect, customDraw);
                    if (!customDraw) {
                        TLTPaintInfo info;
                        info.Canvas = &canvas;
                        info.Node = node;
                        info.BrushOrigin = brushOrigin;
                        info.PaintOptions = PaintOptions;
                        // The picture stays with the window, not with the content.
                        EraseNodeBackground(info, showBackground, TRect(Window.Left, 0, Window.Right, height),
                                            TPoint(-FEffectiveOffsetX, targetRect.Top));
                        info.CellRect = itemRect;
                        TColumnPosition position = 0;
                        TColumnIndex column = NoColumn;
                        if (useColumns) {
                            column = columns.GetFirstVisibleColumn();
                            if (column >= 0) {
                                position = columns[column].Position();
                                int l = 0, r = 0;
                                columns[column].GetUnscrolledBounds(l, r);
                                info.CellRect.Left = l;
                                info.CellRect.Right = r;
                            }
                        }
                        while ((useColumns ? column >= 0 : true) && info.CellRect.Left < Window.Right) {
                            info.Column = column;
                            info.Position = position;
                            info.PaintOptions = PaintOptions;
                            const bool hasColumn = columns.IsValidColumn(column);
                            if (hasColumn && firstColumn == InvalidColumn)
                                firstColumn = column;
                            info.BidiMode = hasColumn ? columns[column].BiDiMode() : FBiDiMode;
                            info.Alignment = hasColumn ? columns[column].Alignment() : FAlignment;
                            const bool editing = FStates.Contains(tsEditing) && node == FFocusedNode &&
                                                 (FEditColumn == column || !useColumns);
                            if (editing)
                                info.PaintOptions.Exclude(poDrawSelection);
                            if (!hasColumn || (node->Has(vsSelected) && FOptions->SelectionOptions().Contains(toFullRowSelect) &&
                                               PaintOptions.Contains(poDrawSelection)) ||
                                (hasColumn && columns[column].Options().Contains(TLTColumnOption::coParentColor)))
                                info.PaintOptions.Exclude(poColumnColor);
                            const bool isMain = column == FHeader->MainColumn();
                            const bool rtl = info.BidiMode != TLTBiDiMode::bdLeftToRight;
                            if (rtl) {
                                if (info.Alignment == TLTAlignment::taLeftJustify)
                                    info.Alignment = TLTAlignment::taRightJustify;
                                else if (info.Alignment == TLTAlignment::taRightJustify)
                                    info.Alignment = TLTAlignment::taLeftJustify;
                            }
                            TColumnIndex nextColumn = InvalidColumn;
                            const bool skipped =
                                (hasColumn && !columns[column].Options().Contains(TLTColumnOption::coVisible)) ||
                                (PaintOptions.Contains(poMainOnly) && !isMain);
                            if (skipped)
                                nextColumn = columns.GetNextVisibleColumn(column);
                            else if (useColumns)
                                nextColumn = NextPaintColumn(info);
                            if (!skipped && Window.Left < info.CellRect.Right) {
                                info.NodeWidth = NodeContentWidth(node, column, &canvas);
                                info.ContentRect = info.CellRect;
                                if (rtl)
                                    info.ContentRect.Right -= FMargin;
                                else
                                    info.ContentRect.Left += FMargin;
                                auto place = [&](TLTImageList *Images, TLTImageInfo &Info) {
                                    if (rtl) {
                                        Info.XPos = info.ContentRect.Right - Images->Width();
                                        info.ContentRect.Right -= Images->Width() + 2;
                                    } else {
                                        Info.XPos = info.ContentRect.Left - 1;
                                        info.ContentRect.Left += Images->Width() + 2;
                                    }
                                    Info.YPos = info.ContentRect.Top + vAlign - Images->Height() / 2;
                                };
                                for (TLTImageInfo &slot : info.ImageInfo)
                                    slot = TLTImageInfo();
                                if (isMain && showChecks) {
                                    TLTImageInfo &c = info.ImageInfo[2];
                                    c.Index = CheckImageIndex(node);
                                    c.Images = checks;
                                    if (c.Index >= 0)
                                        place(checks, c);
                                }
                                if (showStateImages) {
                                    QueryPaintImage(info, TLTImageKind::ikState, FStateImages, 1);
                                    if (info.ImageInfo[1].Index >= 0 && info.ImageInfo[1].Images)
                                        place(info.ImageInfo[1].Images, info.ImageInfo[1]);
                                }
                                if (showImages) {
                                    QueryPaintImage(info,
                                                    node->Has(vsSelected) ? TLTImageKind::ikSelected
                                                                          : TLTImageKind::ikNormal,
                                                    FImages, 0);
                                    if (info.ImageInfo[0].Index >= 0 && info.ImageInfo[0].Images)
                                        place(info.ImageInfo[0].Images, info.ImageInfo[0]);
                                }
                                if (isMain) {
                                    const int levels = paint.Contains(toFixedIndent) ? 1 : indentSize;
                                    const int shiftBy = (rtl ? -1 : 1) * levels * int(FIndent);
                                    (rtl ? info.ContentRect.Right : info.ContentRect.Left) += shiftBy;
                                    for (int s = 0; s < 3; ++s)
                                        info.ImageInfo[size_t(s)].XPos += shiftBy;
                                }
                                if (useColumns) {
                                    p->save();
                                    p->setClipRect(info.CellRect.ToQRect(), Qt::IntersectClip);
                                }
                                if (info.PaintOptions.Contains(poGridLines) && paint.Contains(toShowHorzGridLines)) {
                                    const int levels = isMain && FLineMode == TLTLineMode::lmBands ? indentSize : 0;
                                    const int left = rtl ? info.CellRect.Left
                                                         : info.CellRect.Left + levels * int(FIndent);
                                    const int right = rtl ? info.CellRect.Right - levels * int(FIndent) - 1
                                                          : info.CellRect.Right - 1;
                                    DrawDottedHorzLine(info, left, info.CellRect.Bottom - 1, right,
                                                       FColors->Get(TLTColors::GridLineColor));
                                    --info.CellRect.Bottom;
                                    --info.ContentRect.Bottom;
                                }
                                if (useColumns && info.PaintOptions.Contains(poGridLines) &&
                                    paint.Contains(toShowVertGridLines)) {
                                    const bool lastAuto = FHeader->Options().Contains(TLTHeaderOption::hoAutoResize) &&
                                                          column == columns.GetLastVisibleColumn();
                                    const bool atEdge = info.CellRect.Right - FEffectiveOffsetX == ClientWidth() &&
                                                        !columns[column].Options().Contains(TLTColumnOption::coFixed);
                                    if (!lastAuto && !atEdge) {
                                        // The gaps show the full-row selection where it is painted.
                                        const bool selectedGaps =
                                            info.PaintOptions.Contains(poDrawSelection) &&
                                            FOptions->SelectionOptions().Contains(toFullRowSelect) &&
                                            node->Has(vsSelected) && !paint.Contains(toUseBlendedSelection) &&
                                            !FStates.Contains(tsUseExplorerTheme);
                                        if (!(rtl && IsCellEmpty(node, column)))
                                            DrawDottedVertLine(info, info.CellRect.Top, info.CellRect.Right - 1,
                                                               info.CellRect.Bottom - 1,
                                                               FColors->Get(TLTColors::GridLineColor), selectedGaps);
                                        --info.CellRect.Right;
                                        --info.ContentRect.Right;
                                    }
                                }
                                PaintCellBackground(info);
                                if (isMain) {
                                    if (paint.Contains(toShowTreeLines) &&
                                        !(paint.Contains(toHideTreeLinesIfThemed) && FStates.Contains(tsUseThemes)))
                                        PaintTreeLines(info, vAlign, indentSize, lineImage);
                                    if (paint.Contains(toShowButtons) && node->Has(vsHasChildren) &&
                                        !(node->Has(vsAllChildrenHidden) &&
                                          FOptions->AutoOptions().Contains(toAutoHideButtons)))
                                        PaintNodeButton(canvas, node, info.CellRect, buttonX, buttonY, info.BidiMode);
                                    if (info.ImageInfo[2].Index >= 0)
                                        PaintCheckImage(canvas, info.ImageInfo[2], node->Has(vsSelected));
                                }
                                PaintNodeImage(info, 1);
                                PaintNodeImage(info, 0);
                                if (!editing)
                                    PaintNodeContent(info);
                                if (OnAfterCellPaint)
                                    OnAfterCellPaint(this, &canvas, node, column, info.CellRect);
                                if (useColumns)
                                    p->restore();
                            }
                            if (!useColumns || info.CellRect.Left >= Window.Right)
                                break;
                            column = nextColumn;
                            if (column < 0)
                                break;
                            position = columns[column].Position();
                            int l = 0, r = 0;
                            columns[column].GetUnscrolledBounds(l, r);
                            info.CellRect = TRect(l, 0, r, height);
                        }
                        if (node == FDropTargetNode && paint.Contains(toShowDropmark) &&
                            PaintOptions.Contains(poDrawDropMark))
                            PaintDropMark(*p, itemRect);
                        if (OnAfterItemPaint)
                            OnAfterItemPaint(this, &canvas, node, itemRect);
                    }
                    PaintSelectionRectangle(*p, rowTop, QRect(Window.Left, 0, Window.Width(), height), Window.Left - Target.X);
                }
                surface.reset();
                FPaintImage = nullptr;
                if (!unbuffered)
                    target->drawImage(targetRect.Left, targetRect.Top, row);
            }
            targetRect.Top += height;
            if (targetRect.Top >= targetBottom)
                break;
            node = GetNextVisible(node, true);
        }
        row = QImage();
        if (targetRect.Top < targetBottom) {
            const int height = targetBottom - targetRect.Top;
            QImage below;
            std::optional<TCanvas> surface;
            if (unbuffered) {
                surface.emplace(target);
                surface->Painter()->translate(Target.X, targetRect.Top);
                surface->Painter()->setClipRect(QRect(0, 0, Window.Width(), height), Qt::IntersectClip);
            } else {
                below = QImage(windowWidth, height, QImage::Format_ARGB32_Premultiplied);
                below.fill(ToQColor(FColors->BackGroundColor()));
                surface.emplace(&below);
            }
            PaintAreaBelow(*surface, Window, nodeTop, height, firstColumn, PaintOptions,
                           TPoint(Target.X, targetRect.Top));
            QPainter *p = surface->Painter();
            p->translate(-Window.Left, 0);
            PaintSelectionRectangle(*p, nodeTop, QRect(Window.Left, 0, Window.Width(), height), Window.Left - Target.X);
            surface.reset();
            if (!unbuffered)
                target->drawImage(Target.X, targetRect.Top, below);
        }
        target->restore();
        targetClipped = false;
        if (IsEmpty() && !FEmptyListMessage.isEmpty()) {
            TargetCanvas.Font = TFont::FromQFont(font(), clGrayText);
            TargetCanvas.Brush.Style = bsClear;
            TRect r(FOffsetX + 2, 2, FOffsetX + width(), height() - 2);
            TargetCanvas.DrawText(FEmptyListMessage, r, DT_LEFT | DT_NOCLIP | DT_WORDBREAK);
        }
        DoAfterPaint(TargetCanvas);
    } catch (...) {
        FPaintImage = nullptr;
        if (targetClipped)
            TargetCanvas.Painter()->restore();
        DoStateChange({}, {tsPainting});
        throw;
    }
    DoStateChange({}, {tsPainting});
}
