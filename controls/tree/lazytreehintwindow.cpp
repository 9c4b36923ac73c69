#include "controls/tree/lazytreehintwindow.h"
#include "controls/tree/lazytreeglobals.h"
#include "platform/theme.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QToolTip>

using enum TLazyTreeState;
using enum TLazyNodeState;
using enum TLTPaintOption;
using enum TLTHintMode;
using enum TLTTooltipLineBreakStyle;
using enum THintAnimationType;

bool HintWindowGone = true;

namespace {

constexpr int TTP_STANDARD = 1;

void MirrorAlignment(TLTAlignment &Alignment)
{
    if (Alignment == TLTAlignment::taLeftJustify)
        Alignment = TLTAlignment::taRightJustify;
    else if (Alignment == TLTAlignment::taRightJustify)
        Alignment = TLTAlignment::taLeftJustify;
}

// Draws the visual style's standard tooltip into R; false without a theme to draw it.
bool DrawTooltipElement(TBaseLazyTree *Tree, TCanvas &Canvas, const TRect &R)
{
    IThemePlatform &theme = ThemePlatform();
    const TThemeHandle handle = theme.OpenThemeData(Tree, QStringLiteral("tooltip"));
    if (!handle)
        return false;
    theme.DrawThemeBackground(handle, Canvas, TTP_STANDARD, 0, R);
    theme.CloseThemeData(handle);
    return true;
}

}   // namespace

TLazyTreeHintWindow::TLazyTreeHintWindow(QWidget *Parent)
    : QWidget(Parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("LazyTreeHintWindow"));
    HintWindowGone = false;
}

TLazyTreeHintWindow::~TLazyTreeHintWindow()
{
    HintWindowGone = true;
    if (FFilterInstalled)
        qApp->removeEventFilter(this);
}

bool TLazyTreeHintWindow::IsNodeTooltip() const
{
    return FHintData.Tree && FHintData.Node && FHintData.DefaultHint.isEmpty() &&
           FHintData.Tree->HintMode() == hmTooltip;
}

// ---------------------------------------------------------------------------------------
// Size

TRect TLazyTreeHintWindow::CalcHintRect(int MaxWidth, const QString &, const TLTHintData *AData)
{
    if (!AData || !AData->Tree)
        return TRect();
    setLayoutDirection(Qt::LeftToRight);
    FHintData = *AData;
    TBaseLazyTree *tree = FHintData.Tree;
    const PLazyNode node = FHintData.Node;
    const TColumnIndex column = FHintData.Column;
    if (node && !IsRectEmpty(FHintData.HintRect))
        return FHintData.HintRect;

    const TLazyTreeColumns &columns = tree->Header().Columns();
    if (columns.IsValidColumn(column)) {
        FHintData.BidiMode = columns[column].BiDiMode();
        FHintData.Alignment = columns[column].Alignment();
    } else {
        FHintData.BidiMode = tree->BiDiMode();
        FHintData.Alignment = tree->Alignment();
    }
    if (FHintData.BidiMode != TLTBiDiMode::bdLeftToRight)
        MirrorAlignment(FHintData.Alignment);

    const bool tooltip = IsNodeTooltip();
    QFont font = QToolTip::font();
    if (tooltip) {
        TRect textRect;
        QString text;
        tree->GetTextInfo(node, column, font, textRect, text);
    }
    QImage measure(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&measure);
    canvas.Font = TFont::FromQFont(font);
    FTextHeight = canvas.FontMetrics().height();

    FHintData.LineBreakStyle = hlbDefault;
    if (!FHintData.DefaultHint.isEmpty())
        FHintData.HintText = FHintData.DefaultHint;
    else if (node)
        FHintData.HintText = tooltip ? tree->GetNodeTooltip(node, column, FHintData.LineBreakStyle)
                                     : tree->GetNodeHint(node, column, FHintData.LineBreakStyle);
    else
        FHintData.HintText.clear();
    if (FHintData.HintText.isEmpty())
        return TRect();

    if (!tooltip) {
        TRect r(0, 0, MaxWidth, FTextHeight);
        canvas.DrawText(FHintData.HintText, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        r.Bottom += 6;
        r.Right += tree->TextMargin() + FTextHeight;
        return r;
    }

    if (FHintData.LineBreakStyle == hlbDefault)
        FHintData.LineBreakStyle = node->Has(vsMultiline) ? hlbForceMultiLine : hlbForceSingleLine;
    TRect r;
    if (FHintData.LineBreakStyle == hlbForceMultiLine) {
        r = tree->GetDisplayRect(node, column, true);
        TRect measured = r;
        canvas.DrawText(FHintData.HintText, measured, DT_CALCRECT | DT_WORDBREAK);
        if (FHintData.BidiMode == TLTBiDiMode::bdLeftToRight)
            r.Right = measured.Right + tree->TextMargin();
        else
            r.Left = measured.Left - tree->TextMargin() + 1;
        r.Bottom = measured.Bottom;
        ++r.Right;
        if (columns.Count() > 0) {
            const int columnWidth =
                columns.IsValidColumn(column) ? columns[column].Width() : tree->ClientWidth();
            const bool fits = int(tree->NodeHeight(node)) + 2 >= r.Height() &&
                              columnWidth + 2 >= r.Width() && r.Left >= 0 &&
                              tree->ClientWidth() + 3 >= r.Right && r.Top >= 0 &&
                              tree->ClientHeight() + 3 >= r.Bottom;
            if (fits)
                return TRect();
        }
    } else {
        r = tree->LastHintRect();
        if (tree->TreeOptions().PaintOptions().Contains(toShowHorzGridLines))
            --r.Bottom;
    }
    // One pixel more on every side, placed so that the text lands where the tree shows it.
    return TRect(-1, -1, r.Width() + 1, r.Height() + 1);
}

// ---------------------------------------------------------------------------------------
// Showing

void TLazyTreeHintWindow::ActivateHint(TRect Rect, const QString &)
{
    QPointer<TBaseLazyTree> tree = FHintData.Tree;
    if (IsRectEmpty(Rect) || !tree) {
        if (tree)
            tree->CancelHint();
        else
            hide();
        return;
    }
    const QPoint cursor = tree->viewport()->mapFromGlobal(tree->GlobalCursorPos());
    if (!PtInRect(tree->LastHintRect(), TPoint::FromQPoint(cursor))) {
        tree->CancelHint();
        return;
    }
    const bool wasAnimating = tree->TreeStates().Contains(tsInAnimation);
    if (wasAnimating)
        tree->DoStateChange({}, {tsInAnimation});
    // Hidden only to be moved: the hint data stays.
    const TLTHintData data = FHintData;
    hide();
    FHintData = data;

    if (QScreen *screen = tree->screen()) {
        const QRect desktop = screen->virtualGeometry();
        const int width = Rect.Width(), height = Rect.Height();
        if (Rect.Right > desktop.x() + desktop.width())
            Rect.Left = desktop.x() + desktop.width() - width;
        if (Rect.Bottom > desktop.y() + desktop.height())
            Rect.Top = desktop.y() + desktop.height() - height;
        if (Rect.Top < desktop.y())
            Rect.Top = desktop.y();
        if (Rect.Left < desktop.x())
            Rect.Left = desktop.x();
        Rect.Right = Rect.Left + width;
        Rect.Bottom = Rect.Top + height;
    }
    FBounds = Rect;
    FDrawBuffer = QImage(Rect.Width(), Rect.Height(), QImage::Format_ARGB32_Premultiplied);
    FDrawBuffer.fill(Qt::white);
    FShownRows = Rect.Height();
    FAnimation = tree->EffectiveHintAnimation();
    if (tree->AnimationDuration() == 0 || Rect.Height() <= 0)
        FAnimation = hatNone;
    setWindowOpacity(FAnimation == hatFade ? 0.0 : 1.0);
    if (FAnimation == hatSlide) {
        FShownRows = 0;
        setGeometry(Rect.Left, Rect.Top, Rect.Width(), 1);
    } else {
        setGeometry(Rect.ToQRect());
    }
    show();
    if (!FFilterInstalled) {
        qApp->installEventFilter(this);
        FFilterInstalled = true;
    }

    if (FAnimation == hatNone) {
        PaintHint(0, 0);
    } else {
        QPointer<TLazyTreeHintWindow> self = this;
        const int duration = int(tree->AnimationDuration());
        auto step = [self](int Step, int StepSize) { return self && self->HintAnimationStep(Step, StepSize); };
        if (FAnimation == hatFade)
            tree->RunAnimation(255, 2 * duration, step);
        else
            tree->RunAnimation(Rect.Height(), duration, step);
        if (!self)
            return;
    }
    if (wasAnimating && tree)
        tree->DoStateChange({tsCancelHintAnimation});
}

bool TLazyTreeHintWindow::HintAnimationStep(int Step, int StepSize)
{
    TBaseLazyTree *tree = FHintData.Tree;
    if (tree && tree->TreeStates().Contains(tsCancelHintAnimation)) {
        // The cancel is meant for this animation only; later hints animate again.
        tree->DoStateChange({}, {tsCancelHintAnimation});
        return false;
    }
    if (HintWindowGone || !isVisible() || !tree)
        return false;
    PaintHint(Step, StepSize);
    QCoreApplication::processEvents();
    return true;
}

void TLazyTreeHintWindow::PaintHint(int Step, int StepSize)
{
    if (Step == 0) {
        FDrawBuffer = QImage(FBounds.Width(), FBounds.Height(), QImage::Format_ARGB32_Premultiplied);
        FDrawBuffer.fill(Qt::white);
        TBaseLazyTree *tree = FHintData.Tree;
        if (tree && !FDrawBuffer.isNull()) {
            TCanvas canvas(&FDrawBuffer);
            const bool tooltip = IsNodeTooltip();
            QFont font = QToolTip::font();
            int textTop = 2;
            if (tooltip) {
                TRect textRect;
                QString text;
                tree->GetTextInfo(FHintData.Node, FHintData.Column, font, textRect, text);
                textTop = FHintData.LineBreakStyle == hlbForceMultiLine
                              ? 1
                              : (FBounds.Height() - textRect.Height()) / 2;
            }
            TRect r(0, 0, FBounds.Width(), FBounds.Height());
            TLTHintKind kind = TLTHintKind::vhkText;
            if (FHintData.Node)
                tree->FireGetHintKind(FHintData.Node, FHintData.Column, kind);
            if (kind == TLTHintKind::vhkOwnerDraw) {
                tree->FireDrawHint(canvas, FHintData.Node, r, FHintData.Column);
            } else {
                canvas.Font = TFont::FromQFont(font, clInfoText);
                DrawBackground(canvas, r);
                InflateRect(r, -1, -1);
                canvas.Brush.Style = bsClear;
                r.Top = textTop;
                r.Left += 3;
                unsigned format = DT_NOPREFIX;
                if (tooltip && FHintData.LineBreakStyle == hlbForceMultiLine)
                    format |= DT_WORDBREAK;
                canvas.DrawText(FHintData.HintText, r, format);
            }
        }
    }
    if (StepSize < 1) {
        // The closing paint of a fade leaves the blend where the animation brought it.
        if (FAnimation != hatFade) {
            FShownRows = FBounds.Height();
            setGeometry(FBounds.ToQRect());
        }
        repaint();
        return;
    }
    if (FAnimation == hatFade) {
        const int alpha = std::min(255, (Step * 256 + 127) / 255);
        setWindowOpacity(alpha / 255.0);
    } else {
        FShownRows = std::clamp(Step, 0, FBounds.Height());
        setGeometry(FBounds.Left, FBounds.Top, FBounds.Width(), std::max(1, FShownRows));
    }
    repaint();
}

void TLazyTreeHintWindow::DrawBackground(TCanvas &Canvas, const TRect &R)
{
    TBaseLazyTree *tree = FHintData.Tree;
    Canvas.Pen.Color = clBlack;
    Canvas.Brush.Color = clInfoBk;
    Canvas.Brush.Style = bsSolid;
    const TLTPaintOptions options = tree->TreeOptions().PaintOptions();
    const bool themes = LazyTreeGlobals().IsWinVistaOrAbove && ThemePlatform().IsThemeActive();
    if (themes && options.Contains(toUseExplorerTheme) && DrawTooltipElement(tree, Canvas, R))
        return;
    if (themes && options.Contains(toThemeAware)) {
        TRect wide = R;
        InflateRect(wide, 4, 4);
        Canvas.Save();
        Canvas.IntersectClipRect(R);
        const bool drawn = DrawTooltipElement(tree, Canvas, wide);
        Canvas.Restore();
        if (drawn) {
            // A raised outer edge around the element.
            QPainter &p = *Canvas.Painter();
            const QColor light = ToQColor(cl3DLight), dark = ToQColor(cl3DDkShadow);
            p.fillRect(QRect(R.Left, R.Top, R.Width(), 1), light);
            p.fillRect(QRect(R.Left, R.Top, 1, R.Height()), light);
            p.fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), dark);
            p.fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), dark);
            return;
        }
    }
    Canvas.Rectangle(R);
}

bool TLazyTreeHintWindow::IsHintMsg(const QEvent *Event) const
{
    if (!isVisible())
        return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::ApplicationDeactivate:
    case QEvent::Shortcut:
        return true;
    default:
        // Key events and moves over a frame leave the hint.
        return false;
    }
}

bool TLazyTreeHintWindow::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != this && IsHintMsg(Event)) {
        if (FHintData.Tree)
            FHintData.Tree->CancelHint();
        else
            hide();
    }
    return false;
}

void TLazyTreeHintWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, FShownRows - FDrawBuffer.height(), FDrawBuffer);
}

void TLazyTreeHintWindow::hideEvent(QHideEvent *)
{
    FHintData = TLTHintData();
    HintWindowGone = false;
    if (FFilterInstalled) {
        qApp->removeEventFilter(this);
        FFilterInstalled = false;
    }
}
