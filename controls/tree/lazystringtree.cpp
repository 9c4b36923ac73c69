// The string tree: text retrieval, measuring with the per-node width cache, the caption
// memory of toRestoreSelection, hints, and the text hooks of the later painting.
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreeedit.h"

#include "controls/tree/lazytreeutils.h"

#include <QEvent>
#include <QImage>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLSTTextType;
using enum TLTStringOption;

// ---------------------------------------------------------------------------------------
// Options

TCustomStringTreeOptions::TCustomStringTreeOptions(TCustomLazyStringTree *AOwner)
    : TCustomLazyTreeOptions(AOwner), FStringOwner(AOwner)
{
}

void TCustomStringTreeOptions::SetStringOptions(TLTStringOptions Value)
{
    if (Value == FStringOptions)
        return;
    const TLTStringOptions old = FStringOptions;
    FStringOptions = Value;
    FStringOwner->StringOptionsChanged(old);
}

void TCustomStringTreeOptions::AssignTo(TCustomLazyTreeOptions &Dest) const
{
    if (auto *strings = dynamic_cast<TCustomStringTreeOptions *>(&Dest))
        strings->SetStringOptions(FStringOptions);
    TCustomLazyTreeOptions::AssignTo(Dest);
}

// ---------------------------------------------------------------------------------------
// Construction

TCustomLazyStringTree::TCustomLazyStringTree(QWidget *Parent) : TBaseLazyTree(Parent)
{
    // The base options' settings carry over into the string tree's options.
    auto options = std::make_unique<TCustomStringTreeOptions>(this);
    TBaseLazyTree::TreeOptions().AssignTo(*options);
    ReplaceOptions(std::move(options));
    FInternalDataOffset = AllocateInternalDataArea(4);
    FontMetricsChanged();
}

TCustomLazyStringTree::~TCustomLazyStringTree()
{
    // OnFreeNode of the application still fires through this class's handlers.
    Clear();
}

TCustomStringTreeOptions &TCustomLazyStringTree::TreeOptions() const
{
    return static_cast<TCustomStringTreeOptions &>(TBaseLazyTree::TreeOptions());
}

void TCustomLazyStringTree::SetDefaultText(const QString &Value)
{
    if (FDefaultText == Value)
        return;
    FDefaultText = Value;
    if (!IsLoading())
        InvalidateTree();
}

void TCustomLazyStringTree::StringOptionsChanged(TLTStringOptions Old)
{
    const bool staticChanged =
        Old.Contains(toShowStaticText) != TreeOptions().StringOptions().Contains(toShowStaticText);
    if (staticChanged && !IsLoading() && HandleAllocated())
        InvalidateTree();
}

// ---------------------------------------------------------------------------------------
// Texts

void TCustomLazyStringTree::QueryCellText(TLSTGetCellTextEventArgs &E)
{
    if (!E.Node->Has(vsInitialized))
        InitNode(E.Node);
    if (OnGetCellText) {
        OnGetCellText(this, E);
    } else if (OnGetText) {
        OnGetText(this, E.Node, E.Column, ttNormal, E.CellText);
        OnGetText(this, E.Node, E.Column, ttStatic, E.StaticText);
    }
}

QString TCustomLazyStringTree::GetText(PLazyNode Node, TColumnIndex Column)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    TLSTGetCellTextEventArgs e{Node, Column, FDefaultText, QString(), TLTExportType::etNone};
    QueryCellText(e);
    return e.CellText;
}

QString TCustomLazyStringTree::GetStaticText(PLazyNode Node, TColumnIndex Column)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    TLSTGetCellTextEventArgs e{Node, Column, QString(), QString(), TLTExportType::etNone};
    QueryCellText(e);
    return e.StaticText;
}

void TCustomLazyStringTree::SetText(PLazyNode Node, TColumnIndex Column, const QString &Value)
{
    NotifyNewText(Node, Column, Value);
    InvalidateNode(Node);
}

void TCustomLazyStringTree::NotifyNewText(PLazyNode Node, TColumnIndex Column, const QString &NewText)
{
    if (OnNewText)
        OnNewText(this, Node, Column, NewText);
    if (UpdateCount() == 0)
        UpdateHorizontalScrollBar(false);
}

void TCustomLazyStringTree::NotifyPaintText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                            TLSTTextType TextType)
{
    if (OnPaintText)
        OnPaintText(this, Canvas, Node, Column, TextType);
}

QString TCustomLazyStringTree::Path(PLazyNode Node, TColumnIndex Column, QChar Delimiter)
{
    if (!Node || Node == RootNode())
        return QString(Delimiter);
    QString result;
    for (PLazyNode run = Node; run && run != RootNode(); run = run->Parent)
        result = GetText(run, Column) + Delimiter + result;
    return result;
}

QString TCustomLazyStringTree::ShortenCellText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                               const QString &S, int TextSpace, int EllipsisWidth)
{
    QString result;
    bool done = false;
    if (OnShortenString)
        OnShortenString(this, Canvas, Node, Column, S, TextSpace, result, done);
    if (!done)
        result = ShortenWithEllipsis(*Canvas, S, TextSpace, EllipsisWidth);
    return result;
}

// ---------------------------------------------------------------------------------------
// Measuring

TCanvas &TCustomLazyStringTree::MeasureCanvas()
{
    if (!FMeasureCanvas) {
        FMeasureImage = std::make_unique<QImage>(1, 1, QImage::Format_ARGB32);
        FMeasureCanvas = std::make_unique<TCanvas>(FMeasureImage.get());
    }
    FMeasureCanvas->Font = TFont::FromQFont(font());
    return *FMeasureCanvas;
}

void TCustomLazyStringTree::FontMetricsChanged()
{
    const QFontMetrics metrics(font());
    FTextHeight = metrics.height();
    FEllipsisWidth = metrics.horizontalAdvance(QStringLiteral("..."));
    ResetAllTextWidths();
}

void TCustomLazyStringTree::changeEvent(QEvent *Event)
{
    TBaseLazyTree::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        FontMetricsChanged();
}

uint32_t *TCustomLazyStringTree::CachedTextWidth(PLazyNode Node) const
{
    if (!Node || Node == RootNode())
        return nullptr;
    return static_cast<uint32_t *>(InternalData(Node, FInternalDataOffset));
}

void TCustomLazyStringTree::ResetAllTextWidths()
{
    for (PLazyNode run = GetFirstNoInit(); run; run = GetNextNoInit(run))
        *CachedTextWidth(run) = 0;
}

QSize TCustomLazyStringTree::MeasureCellText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                             const QString &Text)
{
    QSize extent = Canvas->TextExtent(Text);
    if (Node->Has(vsMultiline)) {
        TRect r(0, 0, extent.width(), 2147483647);
        unsigned format = DT_END_ELLIPSIS | DT_NOPREFIX | DT_CALCRECT | DT_WORDBREAK;
        if (Alignment() == TLTAlignment::taRightJustify)
            format |= DT_RIGHT;
        else if (Alignment() == TLTAlignment::taCenter)
            format |= DT_CENTER;
        Canvas->DrawText(Text, r, format);
        extent.setWidth(r.Width());
    }
    int width = extent.width(), height = extent.height();
    if (OnMeasureTextWidth)
        OnMeasureTextWidth(this, Canvas, Node, Column, Text, width);
    if (OnMeasureTextHeight)
        OnMeasureTextHeight(this, Canvas, Node, Column, Text, height);
    return QSize(width, height);
}

int TCustomLazyStringTree::CellTextWidth(TCanvas *Canvas, PLazyNode Node, const QString &Text,
                                         TColumnIndex Column)
{
    int width = 2 * TextMargin();
    if (!Text.isEmpty()) {
        Canvas->Font = TFont::FromQFont(font());
        NotifyPaintText(Canvas, Node, Column, ttNormal);
        width += MeasureCellText(Canvas, Node, Column, Text).width();
    }
    return width;
}

int TCustomLazyStringTree::StaticTextWidth(TCanvas *Canvas, PLazyNode Node, const QString &Text,
                                           TColumnIndex Column)
{
    if (Text.isEmpty() || Alignment() == TLTAlignment::taCenter || Node->Has(vsMultiline))
        return 0;
    NotifyPaintText(Canvas, Node, Column, ttStatic);
    return MeasureCellText(Canvas, Node, Column, Text).width() + TextMargin();
}

int TCustomLazyStringTree::NodeContentWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas)
{
    TLazyTreeColumns &columns = Header().Columns();
    if (Column >= 0 && Node->Has(vsMultiline) && columns.IsValidColumn(Column))
        return columns[Column].Width();
    TCanvas &canvas = Canvas ? *Canvas : MeasureCanvas();
    if (Column == Header().MainColumn()) {
        uint32_t *cached = CachedTextWidth(Node);
        if (!cached)
            return 0;
        if (*cached == 0)
            *cached = uint32_t(CellTextWidth(&canvas, Node, GetText(Node, Column), Column));
        return int(*cached);
    }
    return CellTextWidth(&canvas, Node, GetText(Node, Column), Column);
}

int TCustomLazyStringTree::NodeExtraWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas)
{
    if (!TreeOptions().StringOptions().Contains(toShowStaticText))
        return 0;
    TCanvas &canvas = Canvas ? *Canvas : MeasureCanvas();
    return StaticTextWidth(&canvas, Node, GetStaticText(Node, Column), Column);
}

int TCustomLazyStringTree::ComputeNodeHeight(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                             QString S)
{
    if (S.isEmpty())
        S = GetText(Node, Column);
    TCanvas &canvas = Canvas ? *Canvas : MeasureCanvas();
    const bool multiline = Node->Has(vsMultiline);
    unsigned format = (multiline ? DT_NOPREFIX | DT_WORDBREAK : DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE) |
                      DT_CALCRECT;
    TRect r(0, 0, ClientWidth(), 0);
    TLazyTreeColumns &columns = Header().Columns();
    bool rightToLeft = UseRightToLeftReading();
    if (columns.IsValidColumn(Column)) {
        r.Right = columns[Column].Width() - TextMargin();
        r.Left = TextMargin() + Margin();
        if (Column == Header().MainColumn()) {
            const bool fixed = TBaseLazyTree::TreeOptions().PaintOptions().Contains(TLTPaintOption::toFixedIndent);
            const bool root = TBaseLazyTree::TreeOptions().PaintOptions().Contains(TLTPaintOption::toShowRoot);
            r.Left += int(Indent()) * (fixed ? 1 : int(GetNodeLevel(Node)) + (root ? 1 : 0));
        }
        rightToLeft = columns[Column].UseRightToLeftReading();
    }
    if (rightToLeft)
        format |= DT_RIGHT;
    canvas.DrawText(S, r, format);
    return r.Height();
}

bool TCustomLazyStringTree::IsCellEmpty(PLazyNode Node, TColumnIndex Column)
{
    if (!GetText(Node, Column).isEmpty())
        return false;
    return TBaseLazyTree::IsCellEmpty(Node, Column);
}

void TCustomLazyStringTree::GetTextInfo(PLazyNode Node, TColumnIndex Column, QFont &AFont, TRect &R,
                                        QString &Text)
{
    TBaseLazyTree::GetTextInfo(Node, Column, AFont, R, Text);
    TCanvas &canvas = MeasureCanvas();
    canvas.Font = TFont::FromQFont(AFont);
    const TFont before = canvas.Font;
    NotifyPaintText(&canvas, Node, Column, ttNormal);
    int textHeight = FTextHeight;
    if (!(canvas.Font == before)) {
        AFont = canvas.Font.ToQFont();
        textHeight = canvas.FontMetrics().height();
    }
    Text = GetText(Node, Column);
    R = GetDisplayRect(Node, Column, true, !Node->Has(vsMultiline));
    if (TBaseLazyTree::TreeOptions().PaintOptions().Contains(TLTPaintOption::toShowHorzGridLines))
        --R.Bottom;
    const int d = (textHeight - R.Height()) / 2;
    R.Top -= d;
    R.Bottom += d;
}

// ---------------------------------------------------------------------------------------
// Width cache resets

TRect TCustomLazyStringTree::InvalidateNode(PLazyNode Node)
{
    const TRect result = TBaseLazyTree::InvalidateNode(Node);
    if (uint32_t *cached = CachedTextWidth(Node)) {
        *cached = 0;
        Node->States.Exclude(vsHeightMeasured);
    }
    return result;
}

void TCustomLazyStringTree::ReinitNode(PLazyNode Node, bool Recursive)
{
    TBaseLazyTree::ReinitNode(Node, Recursive);
    if (uint32_t *cached = CachedTextWidth(Node))
        *cached = 0;
}

void TCustomLazyStringTree::SetChildCount(PLazyNode Node, uint32_t NewChildCount)
{
    TBaseLazyTree::SetChildCount(Node, NewChildCount);
    if (uint32_t *cached = CachedTextWidth(Node))
        *cached = 0;
}

void TCustomLazyStringTree::MainColumnChanged()
{
    TBaseLazyTree::MainColumnChanged();
    ResetAllTextWidths();
}

// ---------------------------------------------------------------------------------------
// Hints

QString TCustomLazyStringTree::GetNodeHint(PLazyNode Node, TColumnIndex Column,
                                           TLTTooltipLineBreakStyle &LineBreakStyle)
{
    QString hint = TBaseLazyTree::GetNodeHint(Node, Column, LineBreakStyle);
    if (OnGetHint)
        OnGetHint(this, Node, Column, LineBreakStyle, hint);
    return hint;
}

QString TCustomLazyStringTree::GetNodeTooltip(PLazyNode Node, TColumnIndex Column,
                                              TLTTooltipLineBreakStyle &LineBreakStyle)
{
    QString hint = TBaseLazyTree::GetNodeTooltip(Node, Column, LineBreakStyle);
    if (!OnGetHint)
        return GetText(Node, Column);
    OnGetHint(this, Node, Column, LineBreakStyle, hint);
    return hint;
}

// ---------------------------------------------------------------------------------------
// Caption memory

QString TCustomLazyStringTree::CaptionForMemory(PLazyNode Node)
{
    QString text;
    OnGetText(this, Node, 0, ttNormal, text);
    return text;
}

namespace {
qsizetype FindCaption(const QStringList &List, const QString &Text)
{
    for (qsizetype i = 0; i < List.size(); ++i)
        if (List[i].compare(Text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
}   // namespace

void TCustomLazyStringTree::AddToSelection(PLazyNode Node)
{
    TBaseLazyTree::AddToSelection(Node);
    if (!TBaseLazyTree::TreeOptions().SelectionOptions().Contains(TLTSelectionOption::toRestoreSelection) ||
        !OnGetText || !Node->Has(vsSelected) || TreeStates().Contains(tsPreviouslySelectedLocked))
        return;
    if (SelectedCount() == 1)
        FPreviouslySelected.clear();
    const QString text = CaptionForMemory(Node);
    if (FindCaption(FPreviouslySelected, text) < 0)
        FPreviouslySelected.append(text);
}

void TCustomLazyStringTree::RemoveFromSelection(PLazyNode Node)
{
    TBaseLazyTree::RemoveFromSelection(Node);
    if (FPreviouslySelected.isEmpty() || Node->Has(vsSelected))
        return;
    if (SelectedCount() == 0) {
        FPreviouslySelected.clear();
    } else if (OnGetText) {
        const qsizetype at = FindCaption(FPreviouslySelected, CaptionForMemory(Node));
        if (at >= 0)
            FPreviouslySelected.removeAt(at);
    }
}

PLazyNode TCustomLazyStringTree::AddChild(PLazyNode Parent, void *UserData)
{
    PLazyNode node = TBaseLazyTree::AddChild(Parent, UserData);
    if (node && !FPreviouslySelected.isEmpty() && OnGetText &&
        FindCaption(FPreviouslySelected, CaptionForMemory(node)) >= 0) {
        DoStateChange({tsPreviouslySelectedLocked});
        try {
            AddToSelection(node);
        } catch (...) {
            DoStateChange({}, {tsPreviouslySelectedLocked});
            throw;
        }
        DoStateChange({}, {tsPreviouslySelectedLocked});
        if (PLazyNode first = GetFirstSelected(); first && UpdateCount() == 0)
            ScrollIntoView(first, true, false);
    }
    return node;
}

// ---------------------------------------------------------------------------------------
// Painting the texts

namespace {
unsigned AlignmentFlag(TLTAlignment Alignment)
{
    switch (Alignment) {
    case TLTAlignment::taRightJustify: return DT_RIGHT;
    case TLTAlignment::taCenter: return DT_CENTER;
    case TLTAlignment::taLeftJustify: break;
    }
    return DT_LEFT;
}
}   // namespace

void TCustomLazyStringTree::PaintNodeContent(TLTPaintInfo &PaintInfo)
{
    TLSTGetCellTextEventArgs e{PaintInfo.Node, PaintInfo.Column, QString(), QString(), TLTExportType::etNone};
    QueryCellText(e);
    if (!e.CellText.isEmpty())
        RenderCellText(PaintInfo, e.CellText);
    if (Alignment() != TLTAlignment::taCenter && !PaintInfo.Node->Has(vsMultiline) &&
        TreeOptions().StringOptions().Contains(toShowStaticText) && !e.StaticText.isEmpty())
        RenderStaticText(PaintInfo, e.StaticText);
}

TColumnIndex TCustomLazyStringTree::NextPaintColumn(TLTPaintInfo &PaintInfo)
{
    TLazyTreeColumns &columns = Header().Columns();
    if (!TBaseLazyTree::TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoSpanColumns) ||
        !Header().UseColumns() || PaintInfo.BidiMode != TLTBiDiMode::bdLeftToRight)
        return TBaseLazyTree::NextPaintColumn(PaintInfo);
    TColumnIndex next = columns.GetNextVisibleColumn(PaintInfo.Column);
    while (next >= 0 && columns[next].BiDiMode() == TLTBiDiMode::bdLeftToRight &&
           IsCellEmpty(PaintInfo.Node, next)) {
        PaintInfo.CellRect.Right += columns[next].Width();
        next = columns.GetNextVisibleColumn(next);
    }
    return next;
}

// The caption's colour: selection, drop target and hot node each have their own.
TFont TCustomLazyStringTree::CellTextFont(const TLTPaintInfo &PaintInfo)
{
    PLazyNode node = PaintInfo.Node;
    TColor color = isEnabled() ? Colors().NodeFontColor() : Colors().Get(TLTColors::DisabledColor);
    TFont result = TFont::FromQFont(font(), color);
    const TLTSelectionOptions selection = TBaseLazyTree::TreeOptions().SelectionOptions();
    const TLTPaintOptions paint = TBaseLazyTree::TreeOptions().PaintOptions();
    const bool explorer = TreeStates().Contains(tsUseExplorerTheme);
    if (paint.Contains(TLTPaintOption::toHotTrack) && node == HotNode() && !explorer) {
        result.Style |= fsUnderline;
        result.Color = Colors().Get(TLTColors::HotColor);
    }
    const bool focused = hasFocus() || paint.Contains(TLTPaintOption::toPopupMode);
    if (PaintInfo.PaintOptions.Contains(TLTInternalPaintOption::poDrawSelection) &&
        (PaintInfo.Column == FocusedColumn() || selection.Contains(TLTSelectionOption::toFullRowSelect)) &&
        !explorer) {
        const bool highlighted = node == DropTargetNode()
                                     ? LastDropMode() == TLTDropMode::dmOnNode || node->Has(vsSelected)
                                     : node->Has(vsSelected) && focused;
        if (highlighted)
            result.Color = Colors().Get(TLTColors::SelectionTextColor);
    }
    return result;
}

namespace {

// A paint-text handler that leaves the brush solid asks for an opaque text background:
// the laid-out text is backed by the brush colour, the rest of the cell stays as painted.
void DrawCaption(TCanvas &Canvas, const QString &Text, TRect R, unsigned Format)
{
    if (Canvas.Brush.Style != bsClear && !Text.isEmpty()) {
        TRect extent = R;
        Canvas.DrawText(Text, extent, Format | DT_CALCRECT);
        const int w = std::min(extent.Width(), R.Width()), h = std::min(extent.Height(), R.Height());
        const int left = (Format & DT_RIGHT) ? R.Right - w : (Format & DT_CENTER) ? (R.Left + R.Right - w) / 2 : R.Left;
        const bool single = Format & DT_SINGLELINE;
        const int top = single && (Format & DT_VCENTER) ? (R.Top + R.Bottom - h) / 2
                        : single && (Format & DT_BOTTOM) ? R.Bottom - h
                                                         : R.Top;
        Canvas.FillRect(TRect(left, top, left + w, top + h));
    }
    Canvas.DrawText(Text, R, Format);
}

}   // namespace

void TCustomLazyStringTree::RenderCellText(TLTPaintInfo &PaintInfo, const QString &Text)
{
    TCanvas &canvas = *PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    canvas.Font = CellTextFont(PaintInfo);
    TRect r = PaintInfo.ContentRect;
    r.Left += TextMargin();
    r.Right -= TextMargin();
    const bool disabled = node->Has(vsDisabled) || !isEnabled();
    unsigned format;
    QString text = Text;
    canvas.Brush.Style = bsClear;   // a transparent text background unless a handler asks
    if (node->Has(vsMultiline)) {
        NotifyPaintText(&canvas, node, PaintInfo.Column, ttNormal);
        const int h = ComputeNodeHeight(&canvas, node, PaintInfo.Column);
        if (disabled)
            canvas.Font.Color = Colors().Get(TLTColors::DisabledColor);
        format = DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS | AlignmentFlag(PaintInfo.Alignment);
        if (h < r.Height()) {
            const int d = (r.Height() - h) / 2;
            r.Top += d;
            r.Bottom -= d;
        }
    } else {
        const TFont before = canvas.Font;
        int ellipsis = FEllipsisWidth;
        NotifyPaintText(&canvas, node, PaintInfo.Column, ttNormal);
        if (!(canvas.Font == before)) {
            ellipsis = 0;
            PaintInfo.NodeWidth = 2 * TextMargin() + canvas.TextWidth(text);
        }
        if (disabled)
            canvas.Font.Color = Colors().Get(TLTColors::DisabledColor);
        format = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
        if (PaintInfo.Column == NoColumn) {
            format |= AlignmentFlag(PaintInfo.Alignment);
        } else if (PaintInfo.NodeWidth - 2 * TextMargin() > r.Width()) {
            // Shortened text is drawn from the left unless it is right-aligned.
            text = ShortenCellText(&canvas, node, PaintInfo.Column, text, r.Width(), ellipsis);
            if (PaintInfo.Alignment == TLTAlignment::taRightJustify)
                format |= DT_RIGHT;
        } else {
            format |= AlignmentFlag(PaintInfo.Alignment);
        }
    }
    OutputCellText(PaintInfo, text, format, r);
}

void TCustomLazyStringTree::OutputCellText(TLTPaintInfo &PaintInfo, const QString &Text, unsigned DrawFormat,
                                           TRect R)
{
    bool defaultDraw = true;
    if (OnDrawText)
        OnDrawText(this, PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, Text, R, defaultDraw);
    if (defaultDraw)
        DrawCaption(*PaintInfo.Canvas, Text, R, DrawFormat);
}

void TCustomLazyStringTree::RenderStaticText(TLTPaintInfo &PaintInfo, const QString &Text)
{
    TCanvas &canvas = *PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    TColor color = Colors().NodeFontColor();
    if (TBaseLazyTree::TreeOptions().SelectionOptions().Contains(TLTSelectionOption::toFullRowSelect)) {
        const bool highlighted =
            node == DropTargetNode()
                ? LastDropMode() == TLTDropMode::dmOnNode || node->Has(vsSelected)
                : node->Has(vsSelected) &&
                      (hasFocus() || TBaseLazyTree::TreeOptions().PaintOptions().Contains(TLTPaintOption::toPopupMode));
        if (highlighted)
            color = Colors().Get(TLTColors::SelectionTextColor);
    }
    canvas.Font = TFont::FromQFont(font(), color);
    canvas.Brush.Style = bsClear;
    NotifyPaintText(&canvas, node, PaintInfo.Column, ttStatic);
    if (node->Has(vsDisabled) || !isEnabled())
        canvas.Font.Color = Colors().Get(TLTColors::DisabledColor);
    TRect r = PaintInfo.ContentRect;
    if (PaintInfo.Alignment == TLTAlignment::taRightJustify)
        r.Right -= PaintInfo.NodeWidth + TextMargin();
    else
        r.Left += PaintInfo.NodeWidth + TextMargin();
    DrawCaption(canvas, Text, r, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

int TCustomLazyStringTree::DoIncrementalSearch(PLazyNode Node, const QString &Text)
{
    if (OnIncrementalSearch)
        return TBaseLazyTree::DoIncrementalSearch(Node, Text);
    return GetText(Node, FocusedColumn()).startsWith(Text, Qt::CaseSensitive) ? 0 : 1;
}

std::shared_ptr<ILTEditLink> TCustomLazyStringTree::DoCreateEditor(PLazyNode Node, TColumnIndex Column)
{
    if (std::shared_ptr<ILTEditLink> link = TBaseLazyTree::DoCreateEditor(Node, Column))
        return link;
    return std::make_shared<TStringEditLink>();
}
