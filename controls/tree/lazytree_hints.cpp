// The tree's hints: what a resting mouse shows (a column hint over the header, a node hint,
// a tooltip for a cut-off node text, or the control's short hint), where it shows it, and
// the hooks an application uses to size and draw hints itself.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreehintwindow.h"

#include <QApplication>
#include <QScreen>
#include <QToolTip>

using enum TLazyTreeState;
using enum TLazyNodeState;
using enum TLTAutoOption;
using enum TLTHeaderOption;
using enum TLTHintMode;
using enum THintAnimationType;
using enum THitPosition;

namespace {

// The hint appears this far below the mouse, clear of the cursor.
constexpr int CursorHeightMargin = 20;
// The pause before a hint while another was just shown.
constexpr int HintShortPause = 50;

}   // namespace

QString TBaseLazyTree::ShortHint() const
{
    const QString hint = toolTip();
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

TLazyTreeHintWindow *TBaseLazyTree::HintWindow() const
{
    return FHintWindow.data();
}

THintAnimationType TBaseLazyTree::EffectiveHintAnimation() const
{
    THintAnimationType result = FAnimationType;
    if (result == hatSystemDefault) {
        if (!QApplication::isEffectEnabled(Qt::UI_AnimateTooltip))
            result = hatNone;
        else
            result = QApplication::isEffectEnabled(Qt::UI_FadeTooltip) ? hatFade : hatSlide;
    }
    if (result == hatFade && !LazyTreeGlobals().MMXAvailable)
        result = hatSlide;
    return result;
}

void TBaseLazyTree::FireGetHintKind(PLazyNode Node, TColumnIndex Column, TLTHintKind &Kind)
{
    if (OnGetHintKind)
        OnGetHintKind(this, Node, Column, Kind);
    else
        Kind = DefaultHintKind();
}

void TBaseLazyTree::FireGetHintSize(PLazyNode Node, TColumnIndex Column, TRect &R)
{
    if (OnGetHintSize)
        OnGetHintSize(this, Node, Column, R);
}

void TBaseLazyTree::FireDrawHint(TCanvas &HintCanvas, PLazyNode Node, TRect R, TColumnIndex Column)
{
    if (OnDrawHint)
        OnDrawHint(this, &HintCanvas, Node, R, Column);
}

bool TBaseLazyTree::ApplicationActive() const
{
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

Qt::MouseButtons TBaseLazyTree::PressedMouseButtons() const
{
    return QGuiApplication::mouseButtons();
}

// ---------------------------------------------------------------------------------------
// The hint request

int TBaseLazyTree::CMHintShow(TLTHintInfo &HintInfo)
{
    const QPoint p = HintInfo.CursorPos;
    if (PtInRect(FLastHintRect, TPoint::FromQPoint(p)))
        return 1;
    THitInfo hit;
    GetHitTestInfoAt(p.x(), p.y(), true, hit);

    bool may = FStates.Contains(tsEditing)
                   ? hit.HitNode != FFocusedNode
                   : hasFocus() || (parentWidget() && (window()->isActiveWindow() || ApplicationActive()));
    may = may && !QWidget::mouseGrabber() && FShowHint && !FStates.Contains(tsOLEDragging) &&
          !FStates.Contains(tsVCLDragging) && !IsMouseSelecting() && !FStates.Contains(tsScrolling) &&
          FHeader->States().Empty();
    if (!may)
        return 1;

    int result = 0;
    bool wanted = false;
    const TLazyTreeColumns &columns = FHeader->Columns();
    const bool leftDown = PressedMouseButtons().testFlag(Qt::LeftButton);
    const bool overHeader =
        columns.Count() > 0 && FHeader->Options().Contains(hoShowHint) && FHeader->InHeader(p);
    TColumnIndex headerColumn = NoColumn;
    if (overHeader) {
        headerColumn = columns.ColumnFromPosition(QPoint(p.x(), p.y() + FHeader->Height()));
        if (!columns.IsValidColumn(headerColumn))
            headerColumn = NoColumn;
    }
    TLTTooltipLineBreakStyle lineBreak = TLTTooltipLineBreakStyle::hlbDefault;
    const bool ownWindow = UsesTreeHintWindow();
    if (ownWindow) {
        // The text travels in the hint data; a blank keeps the request alive.
        HintInfo.HintStr = QStringLiteral(" ");
    } else {
        HintInfo.HintStr.clear();
        if (overHeader) {
            if (headerColumn > NoColumn && !leftDown)
                HintInfo.HintStr = columns[headerColumn].Hint();
        } else if (FHintMode == hmDefault) {
            HintInfo.HintStr = ShortHint();
        } else if (hit.HitNode && hit.HitColumn > InvalidColumn) {
            HintInfo.HintStr = FHintMode == hmTooltip ? GetNodeTooltip(hit.HitNode, hit.HitColumn, lineBreak)
                                                      : GetNodeHint(hit.HitNode, hit.HitColumn, lineBreak);
        }
    }

    auto screenY = [this](int ClientY) { return viewport()->mapToGlobal(QPoint(0, ClientY)).y(); };
    TColumnIndex dataColumn = hit.HitColumn;
    if (overHeader) {
        TRect r = TRect::FromQRect(HeaderRectInClient());
        if (headerColumn > NoColumn) {
            int left = 0, right = 0;
            columns.GetColumnBounds(headerColumn, left, right);
            r.Left = std::max(r.Left, left);
            r.Right = std::min(r.Right, right);
        }
        HintInfo.CursorRect = r;
        HintInfo.HintPos.setY(std::max(HintInfo.HintPos.y(), screenY(r.Bottom)));
        dataColumn = headerColumn;
        if (headerColumn > NoColumn && !leftDown) {
            FHintData.DefaultHint = columns[headerColumn].Hint();
            wanted = !FHintData.DefaultHint.isEmpty();
        }
        if (!wanted)
            result = 1;
    } else if (FHintMode == hmDefault) {
        HintInfo.HintStr = ShortHint();
    } else if (hit.HitNode && hit.HitColumn > InvalidColumn) {
        const PLazyNode node = hit.HitNode;
        const TColumnIndex column = hit.HitColumn;
        TLTHintKind kind = TLTHintKind::vhkText;
        FireGetHintKind(node, column, kind);
        FHintData.HintRect = TRect();
        if (kind == TLTHintKind::vhkOwnerDraw) {
            FireGetHintSize(node, column, FHintData.HintRect);
            wanted = !IsRectEmpty(FHintData.HintRect);
        } else {
            wanted = true;
        }
        if (wanted) {
            int spanLeft = 0, spanRight = ClientWidth();
            if (column > NoColumn) {
                columns.GetColumnBounds(column, spanLeft, spanRight);
                if (FOptions->AutoOptions().Contains(toAutoSpanColumns)) {
                    for (TColumnIndex next = columns.GetNextVisibleColumn(column);
                         columns.IsValidColumn(next) && IsCellEmpty(node, next);
                         next = columns.GetNextVisibleColumn(next)) {
                        int left = 0;
                        columns.GetColumnBounds(next, left, spanRight);
                    }
                }
            }
            FHintData.DefaultHint.clear();
            if (FHintMode != hmTooltip) {
                TRect r = GetDisplayRect(node, column, false);
                r.Left = spanLeft;
                r.Right = spanRight;
                HintInfo.CursorRect = r;
                HintInfo.HintPos.setY(std::max(HintInfo.HintPos.y(), screenY(r.Bottom)) + 2);
            } else {
                TRect r;
                if (node->Has(vsMultiline)) {
                    r = GetDisplayRect(node, column, true);
                    wanted = hit.HitPositions.Contains(hiOnItemLabel);
                } else {
                    r = GetDisplayRect(node, column, true, true, true);
                    const QPoint m = CellContentMargin(node, column, TLTCellContentMarginType::ccmtBottomRightOnly);
                    const bool cutOff = std::min(ClientWidth(), spanRight - 1) < r.Right + m.x() ||
                                        std::max(spanLeft, 0) > r.Left ||
                                        ClientHeight() < r.Bottom + m.y() || r.Top < 0;
                    wanted = PtInRect(r, TPoint::FromQPoint(p)) && p.x() >= spanLeft &&
                             p.x() < spanRight && cutOff;
                }
                if (wanted) {
                    HintInfo.HintPos = viewport()->mapToGlobal(r.TopLeft().ToQPoint());
                    HintInfo.CursorRect = r;
                }
            }
        }
        if (!wanted)
            result = 1;
    } else if (FHintMode == hmHintAndDefault) {
        FHintData.DefaultHint = ShortHint();
        wanted = !FHintData.DefaultHint.isEmpty();
        if (!wanted)
            result = 1;
    } else {
        result = 1;
    }

    if (wanted && result == 0) {
        HintInfo.TreeHintWindow = ownWindow;
        FHintData.Tree = this;
        FHintData.Column = dataColumn;
        FHintData.Node = hit.HitNode;
        FLastHintRect = HintInfo.CursorRect;
        HintInfo.HintData = &FHintData;
    } else {
        FLastHintRect = TRect();
    }
    if (result == 0)
        DoStateChange({tsHint});
    else
        DoStateChange({}, {tsHint});
    return result;
}

void TBaseLazyTree::CMHintShowPause(int &Pause)
{
    const QPoint p = viewport()->mapFromGlobal(GlobalCursorPos());
    const bool headerHints = FHeader->UseColumns() && FHeader->Options().Contains(hoShowHint) &&
                             FHeader->Options().Contains(hoVisible) && FHeader->InHeader(p);
    if ((HintWindowGone && headerHints) || FHintMode == hmTooltip)
        Pause = 0;
}

// ---------------------------------------------------------------------------------------
// Showing and hiding

bool TBaseLazyTree::ShowHintAt(QPoint P)
{
    TLTHintInfo info;
    info.CursorPos = P;
    info.CursorRect = TRect::FromQRect(viewport()->rect());
    info.HintPos = viewport()->mapToGlobal(P) + QPoint(0, CursorHeightMargin);
    const QScreen *s = screen();
    info.HintMaxWidth = s ? s->availableGeometry().width() : 0;
    info.HintStr = ShortHint();
    if (CMHintShow(info) != 0) {
        if (!PtInRect(FLastHintRect, TPoint::FromQPoint(P)))
            CancelHint();
        return (FHintWindow && FHintWindow->isVisible()) || QToolTip::isVisible();
    }
    if (info.TreeHintWindow) {
        QToolTip::hideText();
        if (!FHintWindow)
            FHintWindow = new TLazyTreeHintWindow(this);
        TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
        OffsetRect(r, info.HintPos.x(), info.HintPos.y());
        FHintWindow->ActivateHint(r, info.HintStr);
        return FHintWindow && FHintWindow->isVisible();
    }
    if (FHintWindow)
        FHintWindow->hide();
    if (info.HintStr.trimmed().isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(info.HintPos, info.HintStr, viewport(), info.CursorRect.ToQRect());
    return true;
}

void TBaseLazyTree::CancelHint()
{
    if (FHintWindow)
        FHintWindow->hide();
    QToolTip::hideText();
}

void TBaseLazyTree::HintMouseMove(QPoint P)
{
    const bool shown = (FHintWindow && FHintWindow->isVisible()) || QToolTip::isVisible();
    if (!shown || PtInRect(FLastHintRect, TPoint::FromQPoint(P)))
        return;
    CancelHint();
    int pause = HintShortPause;
    CMHintShowPause(pause);
    if (pause == 0)
        ShowHintAt(P);
}
