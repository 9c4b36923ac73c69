// The tree header as a model: options, height rules, main, sort and auto-size column,
// fixed-area constraints, spring and proportional column resizing, auto-fitting, the
// header's hit areas and repaint regions, and its stream block.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreestream.h"

#include <QFontMetrics>
#include <cmath>

using enum TLTColumnOption;
using enum TLTHeaderOption;
using enum THeaderState;

namespace {

constexpr int HeaderStreamVersion = 6;

// Font style bits of the stream block.
constexpr int StreamBold = 1, StreamItalic = 2, StreamUnderline = 4, StreamStrikeOut = 8;

}   // namespace

// ---------------------------------------------------------------------------------------
// Fixed-area constraints

void TLTFixedAreaConstraints::SetConstraints(int Index, uint8_t Value)
{
    // A new maximum pulls a larger minimum down; a new minimum pushes a smaller, non-zero
    // maximum up.
    switch (Index) {
    case 0:
        if (Value == FMaxHeightPercent)
            return;
        FMaxHeightPercent = Value;
        if (Value > 0 && FMinHeightPercent > Value)
            FMinHeightPercent = Value;
        break;
    case 1:
        if (Value == FMaxWidthPercent)
            return;
        FMaxWidthPercent = Value;
        if (Value > 0 && FMinWidthPercent > Value)
            FMinWidthPercent = Value;
        break;
    case 2:
        if (Value == FMinHeightPercent)
            return;
        FMinHeightPercent = Value;
        if (FMaxHeightPercent > 0 && FMaxHeightPercent < Value)
            FMaxHeightPercent = Value;
        break;
    case 3:
        if (Value == FMinWidthPercent)
            return;
        FMinWidthPercent = Value;
        if (FMaxWidthPercent > 0 && FMaxWidthPercent < Value)
            FMaxWidthPercent = Value;
        break;
    default: return;
    }
    Change();
}

void TLTFixedAreaConstraints::Assign(const TLTFixedAreaConstraints &Source)
{
    FMaxHeightPercent = Source.FMaxHeightPercent;
    FMaxWidthPercent = Source.FMaxWidthPercent;
    FMinHeightPercent = Source.FMinHeightPercent;
    FMinWidthPercent = Source.FMinWidthPercent;
    Change();
}

void TLTFixedAreaConstraints::Change()
{
    FHeader.ConstraintsChanged();
}

// ---------------------------------------------------------------------------------------
// Construction

TLTHeader::TLTHeader(TBaseLazyTree &AOwner)
    : FOwner(AOwner), FColumns(std::make_unique<TLazyTreeColumns>(*this)), FFont(AOwner.font()),
      FOptions{hoColumnResize, hoDrag, hoShowSortGlyphs}, FFixedAreaConstraints(*this)
{
}

TLTHeader::~TLTHeader()
{
    FColumns->Clear();
}

void TLTHeader::ConstraintsChanged()
{
    if (FOwner.HandleAllocated())
        ApplyFixedAreaConstraints();
    else
        FStates.Include(hsNeedScaling);
}

// ---------------------------------------------------------------------------------------
// Properties

void TLTHeader::SetHeight(int Value)
{
    if (!FOwner.HandleAllocated()) {
        FHeight = Value;
        FStates.Include(hsNeedScaling);
        return;
    }
    const int total = FOwner.ClientHeight() + FHeight;
    const int maxP = total * FFixedAreaConstraints.FMaxHeightPercent / 100;
    const int minP = total * FFixedAreaConstraints.FMinHeightPercent / 100;
    const bool hasMax = FFixedAreaConstraints.FMaxHeightPercent > 0;
    const bool hasMin = FFixedAreaConstraints.FMinHeightPercent > 0;
    const int lower = hasMax ? std::min(maxP, FMinHeight) : FMinHeight;
    const int upper = hasMin ? std::max(minP, FMaxHeight) : FMaxHeight;
    Value = std::min(std::max(lower, Value), upper);
    if (hasMin)
        Value = std::max(Value, minP);
    if (hasMax)
        Value = std::min(Value, maxP);
    if (Value == FHeight)
        return;
    FHeight = Value;
    if (!FOwner.IsLoading() && !FStates.Contains(hsScaling))
        RefreshHeaderFrame();
    FOwner.InvalidateTree();
}

void TLTHeader::SetDefaultHeight(int Value)
{
    Value = std::clamp(Value, FMinHeight, std::max(FMinHeight, FMaxHeight));
    if (Value == FDefaultHeight)
        return;
    if (FHeight == FDefaultHeight)
        SetHeight(Value);
    FDefaultHeight = Value;
}

void TLTHeader::SetMinHeight(int Value)
{
    if (Value < 0)
        Value = 0;
    FMinHeight = std::min(Value, FMaxHeight);
    SetHeight(FHeight);
}

void TLTHeader::SetMaxHeight(int Value)
{
    FMaxHeight = std::max(Value, FMinHeight);
    SetHeight(FHeight);
}

void TLTHeader::SetOptions(TLTHeaderOptions Value)
{
    if (Value == FOptions)
        return;
    const TLTHeaderOptions old = FOptions;
    FOptions = Value;
    const bool autoResizeChanged = old.Contains(hoAutoResize) != Value.Contains(hoAutoResize);
    if (autoResizeChanged && FColumns->Count() > 0) {
        FColumns->FitAutoSizeColumn();
        if (FOwner.HandleAllocated()) {
            FOwner.UpdateHorizontalScrollBar(false);
            if (Value.Contains(hoAutoResize))
                FOwner.InvalidateTree();
        }
    }
    if (!FOwner.IsLoading() && FOwner.HandleAllocated()) {
        if (old.Contains(hoVisible) != Value.Contains(hoVisible))
            RefreshHeaderFrame();
        Invalidate();
        FOwner.InvalidateTree();
    }
}

void TLTHeader::SetStyle(TLTHeaderStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    if (!FOwner.IsLoading())
        Invalidate();
}

void TLTHeader::SetBackground(TColor Value)
{
    if (FBackgroundColor == Value)
        return;
    FBackgroundColor = Value;
    Invalidate();
}

void TLTHeader::SetAutoSizeIndex(TColumnIndex Value)
{
    if (FAutoSizeIndex == Value)
        return;
    FAutoSizeIndex = Value;
    if (FOptions.Contains(hoAutoResize))
        FColumns->FitAutoSizeColumn();
}

TColumnIndex TLTHeader::MainColumn() const
{
    return FColumns->Count() == 0 ? NoColumn : FMainColumn;
}

void TLTHeader::SetMainColumn(TColumnIndex Value)
{
    if (FOwner.IsLoading()) {
        FMainColumn = Value;
        return;
    }
    Value = std::min(std::max(Value, 0), FColumns->Count() - 1);
    if (Value == FMainColumn)
        return;
    FMainColumn = Value;
    FOwner.MainColumnChanged();
    if (!FOwner.TreeOptions().SelectionOptions().Contains(TLTSelectionOption::toExtendedFocus))
        FOwner.FFocusedColumn = MainColumn();
    FOwner.InvalidateTree();
}

void TLTHeader::ClampMainColumn()
{
    if (FMainColumn < 0)
        FMainColumn = 0;
    if (FMainColumn > FColumns->Count() - 1)
        FMainColumn = FColumns->Count() - 1;
}

void TLTHeader::SetSortColumn(TColumnIndex Value)
{
    if (FOwner.IsLoading())
        FSortColumn = Value;
    else
        ApplySortColumn(Value);
}

void TLTHeader::ApplySortColumn(TColumnIndex Value)
{
    Value = std::min(std::max(Value, TColumnIndex(NoColumn)), FColumns->Count() - 1);
    if (Value == FSortColumn)
        return;
    Invalidate(FSortColumn);
    FSortColumn = Value;
    Invalidate(FSortColumn);
    AutoSort();
}

void TLTHeader::SetSortDirection(TLTSortDirection Value)
{
    if (FSortDirection == Value)
        return;
    FSortDirection = Value;
    Invalidate();
    AutoSort();
}

void TLTHeader::AutoSort()
{
    const bool wanted =
        FOwner.TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoSort) ||
        FOptions.Contains(hoHeaderClickAutoSort);
    if (wanted && FOwner.UpdateCount() == 0)
        FOwner.SortTree(FSortColumn, FSortDirection == TLTSortDirection::sdAscending, true);
}

void TLTHeader::SetFont(const QFont &Value)
{
    FFont = Value;
    FParentFont = false;
    FontChanged();
}

void TLTHeader::FontChanged()
{
    if (FOwner.TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoChangeScale)) {
        int spacing = 0;
        for (int i = 0; i < FColumns->Count(); ++i)
            spacing = std::max(spacing, (*FColumns)[i].Spacing());
        const int needed = QFontMetrics(FFont).height() + spacing + spacing / 2;
        if (FHeight < needed)
            SetHeight(needed);
    }
    Invalidate();
}

void TLTHeader::SetParentFont(bool Value)
{
    if (FParentFont == Value)
        return;
    FParentFont = Value;
    if (Value)
        CopyParentFont();
}

void TLTHeader::CopyParentFont()
{
    FFont = FOwner.font();
    FontChanged();
}

void TLTHeader::SetImages(TLTImageList *Value)
{
    if (FImages == Value)
        return;
    FImages = Value;
    if (!FOwner.IsLoading())
        Invalidate();
}

bool TLTHeader::AllowFocus(TColumnIndex Column) const
{
    return FColumns->IsValidColumn(Column) &&
           (*FColumns)[Column].Options().Contains(coAllowFocus);
}

void TLTHeader::Assign(const TLTHeader &Source)
{
    if (&Source == this)
        return;
    SetAutoSizeIndex(Source.FAutoSizeIndex);
    SetBackground(Source.FBackgroundColor);
    SetColumns(*Source.FColumns);
    SetFont(Source.FFont);
    FFontColor = Source.FFontColor;
    FFixedAreaConstraints.Assign(Source.FFixedAreaConstraints);
    SetHeight(Source.FHeight);
    SetImages(Source.FImages);
    SetMainColumn(Source.MainColumn());
    SetOptions(Source.FOptions);
    SetParentFont(Source.FParentFont);
    PopupMenu = Source.PopupMenu;
    SetSortColumn(Source.FSortColumn);
    SetSortDirection(Source.FSortDirection);
    SetStyle(Source.FStyle);
    ApplyFixedAreaConstraints();
}

// ---------------------------------------------------------------------------------------
// Frame, hit areas and repainting

void TLTHeader::RefreshHeaderFrame()
{
    if (FOwner.HandleAllocated())
        FOwner.UpdateHeaderRect();
}

bool TLTHeader::InHeader(QPoint P) const
{
    return FOwner.HeaderRectInClient().contains(P);
}

bool TLTHeader::InHeaderSplitterArea(QPoint P) const
{
    if (P.y() < -2 || P.y() > 2 || !FOptions.Contains(hoVisible))
        return false;
    QRect r = FOwner.HeaderRectInClient();
    r.setBottom(r.bottom() + 2);
    return r.contains(P);
}

void TLTHeader::Invalidate(TColumnIndex Column, bool ExpandToBorder)
{
    if (!FOptions.Contains(hoVisible) || !FOwner.HandleAllocated())
        return;
    const QRect header = FOwner.HeaderRect();
    QRect r = header;
    if (FColumns->IsValidColumn(Column)) {
        const TLazyTreeColumn &c = (*FColumns)[Column];
        r = c.GetRect();
        if (!c.Options().Contains(coFixed))
            r.translate(-FOwner.EffectiveOffsetX(), 0);
        if (FOwner.UseRightToLeftReading())
            r.translate(FOwner.RightToLeftShift(false), 0);
        if (ExpandToBorder) {
            if (FOptions.Contains(hoFullRepaintOnResize)) {
                r.setLeft(header.left());
                r.setRight(header.right());
            } else if (FOwner.UseRightToLeftReading()) {
                r.setLeft(header.left());
            } else {
                r.setRight(header.right());
            }
        }
    }
    FOwner.InvalidateHeaderArea(r);
}

// ---------------------------------------------------------------------------------------
// Constraints, scaling, loading

void TLTHeader::ApplyFixedAreaConstraints()
{
    if (FOwner.IsLoading() || FOwner.IsDestroying() || FStates.Contains(hsLoading) ||
        !FOwner.HandleAllocated())
        return;
    FStates.Include(hsScaling);
    SetHeight(FHeight);
    RefreshHeaderFrame();
    const TLTFixedAreaConstraints &c = FFixedAreaConstraints;
    if (c.FMaxWidthPercent > 0 || c.FMinWidthPercent > 0) {
        for (int i = 0; i < FColumns->Count(); ++i) {
            TLazyTreeColumn &column = (*FColumns)[i];
            if (column.FOptions.Contains(coVisible) && column.FOptions.Contains(coFixed) &&
                column.FWidth < column.FMinWidth)
                column.FWidth = column.FMinWidth;
        }
        const int fixedWidth = FColumns->GetVisibleFixedWidth();
        const int client = FOwner.ClientWidth();
        const TLTColumnOptions fixedVisible{coVisible, coFixed};
        if (c.FMaxWidthPercent > 0 && fixedWidth > client * c.FMaxWidthPercent / 100)
            ResizeColumns(client * c.FMaxWidthPercent / 100 - fixedWidth, 0,
                          FColumns->Count() - 1, fixedVisible);
        else if (c.FMinWidthPercent > 0 && fixedWidth < client * c.FMinWidthPercent / 100)
            ResizeColumns(client * c.FMinWidthPercent / 100 - fixedWidth, 0,
                          FColumns->Count() - 1, fixedVisible);
        FColumns->RecalcColumnLefts();
    }
    FStates -= {hsScaling, hsNeedScaling};
}

void TLTHeader::ApplyScale(int M, int D)
{
    if (D == 0)
        return;
    auto scale = [M, D](int Value) { return int((int64_t(Value) * M + D / 2) / D); };
    SetHeight(scale(FHeight));
    if (!FParentFont) {
        if (FFont.pixelSize() > 0)
            FFont.setPixelSize(scale(FFont.pixelSize()));
        else
            FFont.setPointSizeF(FFont.pointSizeF() * M / D);
    }
    for (int i = 0; i < FColumns->Count(); ++i)
        (*FColumns)[i].SetWidth(scale((*FColumns)[i].Width()));
}

void TLTHeader::FinishLoading()
{
    ClampMainColumn();
    FColumns->RebuildPositionMap();
    if (FOwner.TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoBidiColumnOrdering))
        FColumns->ResetColumnOrder(FOwner.UseRightToLeftReading());
    if (FStates.Contains(hsNeedScaling)) {
        // A height stored before the window existed is clamped now.
        if (FOwner.HandleAllocated()) {
            ApplyFixedAreaConstraints();
        } else {
            FHeight = std::clamp(FHeight, FMinHeight, std::max(FMinHeight, FMaxHeight));
        }
    } else {
        RefreshHeaderFrame();
    }
    if (FOptions.Contains(hoAutoResize))
        FColumns->FitAutoSizeColumn(true);
}

void TLTHeader::BeginColumnsLoading()
{
    FStates.Include(hsLoading);
    FColumns->Clear();
}

void TLTHeader::EndColumnsLoading()
{
    FStates.Exclude(hsLoading);
}

// ---------------------------------------------------------------------------------------
// Spring and proportional resizing, auto-fitting

void TLTHeader::DistributeSpringSpace()
{
    const int width = FOwner.HeaderRect().width();
    if (FOptions.Contains(hoAutoSpring) && FLastWidth != 0) {
        const float delta = float(width - FLastWidth);
        if (delta != 0) {
            const int sign = delta < 0 ? -1 : 1;
            float space = std::fabs(delta);
            int springs = 0;
            for (int i = 0; i < FColumns->Count(); ++i) {
                const TLTColumnOptions o = (*FColumns)[i].FOptions;
                if (o.Contains(coVisible) && o.Contains(coAutoSpring))
                    ++springs;
            }
            if (springs > 0) {
                const float share = space / float(springs);
                for (int i = 0; i < FColumns->Count() && space >= 0; ++i) {
                    TLazyTreeColumn &column = (*FColumns)[i];
                    if (!column.FOptions.Contains(coVisible) ||
                        !column.FOptions.Contains(coAutoSpring))
                        continue;
                    const float rest = column.FSpringRest + share;
                    if (rest >= 1)
                        column.SetWidth(column.FWidth + sign * int(std::trunc(rest)));
                    column.FSpringRest = rest - std::trunc(rest);
                    space -= share;
                }
            }
        }
    }
    FLastWidth = width;
}

int TLTHeader::ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol,
                             TLTColumnOptions Options)
{
    if (ChangeBy == 0)
        return 0;
    RangeStartCol = std::max(RangeStartCol, 0);
    RangeEndCol = std::min(RangeEndCol, FColumns->Count() - 1);
    if (RangeStartCol > RangeEndCol)
        return 0;
    const bool grow = ChangeBy > 0;
    const int step = grow ? 1 : -1;
    const int start = grow ? RangeStartCol : RangeEndCol;
    const int count = RangeEndCol - RangeStartCol + 1;
    int remaining = std::abs(ChangeBy);
    std::vector<int> widths(static_cast<size_t>(count)), limits(static_cast<size_t>(count));
    auto column = [&](int Slot) -> TLazyTreeColumn & { return (*FColumns)[RangeStartCol + Slot]; };
    auto matches = [&](int Slot) {
        return (column(Slot).FOptions * Options) == Options;
    };
    for (int s = 0; s < count; ++s) {
        widths[size_t(s)] = column(s).FWidth;
        limits[size_t(s)] = grow ? column(s).FMaxWidth : column(s).FMinWidth;
    }
    auto room = [&](int Slot) {
        const int r = grow ? limits[size_t(Slot)] - widths[size_t(Slot)]
                           : widths[size_t(Slot)] - limits[size_t(Slot)];
        return matches(Slot) && r > 0 ? r : 0;
    };
    for (;;) {
        int eligible = 0, totalRoom = 0;
        auto countRoom = [&] {
            eligible = totalRoom = 0;
            for (int s = 0; s < count; ++s)
                if (const int r = room(s)) {
                    ++eligible;
                    totalRoom += r;
                }
        };
        countRoom();
        // While scaling down, minimums give way, a tenth at a time, from the widest column.
        while (totalRoom < std::abs(ChangeBy) && FStates.Contains(hsScaling) && !grow) {
            int widest = -1;
            for (int s = 0; s < count; ++s)
                if (room(s) > 0 && (widest < 0 || column(s).FWidth > column(widest).FWidth))
                    widest = s;
            if (widest < 0 || limits[size_t(widest)] <= 10)
                break;
            limits[size_t(widest)] -= limits[size_t(widest)] / 10;
            countRoom();
        }
        if (eligible == 0)
            break;
        remaining = std::min(remaining, totalRoom);
        const int per = remaining / eligible;
        int odd = remaining % eligible;
        if (per > 0)
            for (int s = 0; s < count; ++s)
                if (const int r = room(s)) {
                    const int applied = std::min(per, r);
                    widths[size_t(s)] += step * applied;
                    remaining -= applied;
                }
        for (int s = start; odd > 0;) {
            if (s < 0 || s >= count) {
                // Past the end of the range: the marks turn over and the walk starts again.
                bool any = false;
                for (int t = 0; t < count; ++t)
                    if (matches(t)) {
                        column(t).FBonusPixel = !column(t).FBonusPixel;
                        any = true;
                    }
                bool roomLeft = false;
                for (int t = 0; t < count && !roomLeft; ++t)
                    roomLeft = room(t) > 0;
                if (!any || !roomLeft)
                    break;
                s = start;
                continue;
            }
            if (room(s) > 0 && column(s).FBonusPixel != grow) {
                widths[size_t(s)] += step;
                column(s).FBonusPixel = grow;
                --odd;
                --remaining;
            }
            s += step;
        }
        if (remaining <= 0)
            break;
    }
    const bool wasResizing = FStates.Contains(hsResizing);
    FStates.Include(hsResizing);
    int result = 0;
    try {
        for (int s = 0; s < count; ++s)
            if (matches(s)) {
                const int old = column(s).FWidth;
                column(s).SetWidth(widths[size_t(s)]);
                result += column(s).FWidth - old;
            }
    } catch (...) {
        FStates.Set(hsResizing, wasResizing);
        throw;
    }
    FStates.Set(hsResizing, wasResizing);
    return result;
}

void TLTHeader::RestoreColumns()
{
    for (int p = FColumns->Count() - 1; p >= 0; --p) {
        const TColumnIndex c = FColumns->ColumnFromPosition(TColumnPosition(p));
        if (!FColumns->IsValidColumn(c))
            continue;
        TLazyTreeColumn &column = (*FColumns)[c];
        if (column.FOptions.Contains(coVisible) && column.FOptions.Contains(coResizable))
            column.RestoreLastWidth();
    }
}

void TLTHeader::AutoFitColumns(bool Animated, TSmartAutoFitType SmartAutoFitType,
                               int RangeStartCol, int RangeEndCol)
{
    const int last = FColumns->Count() - 1;
    if (RangeStartCol < 0)
        RangeStartCol = 0;
    if (RangeEndCol < 0 || RangeEndCol > last)
        RangeEndCol = last;
    if (RangeStartCol > RangeEndCol)
        return;
    FOwner.BeginOperation(TLTOperationKind::okAutoFitColumns);
    try {
        if (FOwner.OnBeforeAutoFitColumns)
            FOwner.OnBeforeAutoFitColumns(this, SmartAutoFitType);
        for (int p = RangeStartCol; p <= RangeEndCol; ++p) {
            const TColumnIndex c = FColumns->ColumnFromPosition(TColumnPosition(p));
            if (!FColumns->IsValidColumn(c))
                continue;
            TLazyTreeColumn &column = (*FColumns)[c];
            if (!column.FOptions.Contains(coVisible) || !column.FOptions.Contains(coResizable))
                continue;
            TSmartAutoFitType ignored = SmartAutoFitType;
            if (!FireBeforeAutoFitColumn(c, ignored) || FOwner.OperationCanceled())
                continue;
            const bool smart =
                SmartAutoFitType == TSmartAutoFitType::smaAllColumns ||
                (SmartAutoFitType == TSmartAutoFitType::smaUseColumnOption &&
                 column.FOptions.Contains(coSmartResize));
            const int width = FOwner.GetMaxColumnWidth(c, smart);
            if (Animated)
                FColumns->AnimatedResize(c, width);
            else
                column.SetWidth(width);
            FireAfterAutoFitColumn(c);
        }
        if (FOwner.OnAfterAutoFitColumns)
            FOwner.OnAfterAutoFitColumns(this);
    } catch (...) {
        FOwner.EndOperation(TLTOperationKind::okAutoFitColumns);
        throw;
    }
    FOwner.EndOperation(TLTOperationKind::okAutoFitColumns);
}

bool TLTHeader::FireBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType &SmartAutoFitType)
{
    bool allowed = true;
    if (FOwner.OnBeforeAutoFitColumn)
        FOwner.OnBeforeAutoFitColumn(this, Column, SmartAutoFitType, allowed);
    return allowed;
}

void TLTHeader::FireAfterAutoFitColumn(TColumnIndex Column)
{
    if (FOwner.OnAfterAutoFitColumn)
        FOwner.OnAfterAutoFitColumn(this, Column);
}

QMenu *TLTHeader::FireGetPopupMenu(TColumnIndex Column, QPoint P)
{
    QMenu *menu = nullptr;
    if (FOwner.OnGetPopupMenu) {
        bool askParent = false;
        FOwner.OnGetPopupMenu(&FOwner, nullptr, Column, P, askParent, menu);
    }
    return menu;
}

void TLTHeader::FireCanSplitterResizeHeader(QPoint P, bool &Allowed)
{
    if (FOwner.OnCanSplitterResizeHeader)
        FOwner.OnCanSplitterResizeHeader(this, P, Allowed);
}

// ---------------------------------------------------------------------------------------
// Stream block

void TLTHeader::SaveToStream(QIODevice &Stream) const
{
    TLTStreamWriter w(Stream);
    w.WriteInt32(-1);
    w.WriteInt32(HeaderStreamVersion);
    FColumns->SaveToStream(Stream);
    w.WriteInt32(FAutoSizeIndex);
    w.WriteInt32(FBackgroundColor);
    w.WriteInt32(FHeight);
    w.WriteInt32(int32_t(FOptions.Bits() & 0x3FFFF));
    w.WriteInt32(int32_t(FStyle));
    w.WriteInt32(FFontColor);
    w.WriteInt32(FFont.pixelSize() > 0 ? -FFont.pixelSize()
                                       : -int(std::lround(FFont.pointSizeF() * 96 / 72)));
    w.WriteBytes(FFont.family().toUtf8());
    w.WriteInt32(FFont.fixedPitch() ? 2 : 0);   // fpFixed, fpDefault
    w.WriteInt32((FFont.bold() ? StreamBold : 0) | (FFont.italic() ? StreamItalic : 0) |
                 (FFont.underline() ? StreamUnderline : 0) | (FFont.strikeOut() ? StreamStrikeOut : 0));
    w.WriteInt32(FMainColumn);
    w.WriteInt32(FSortColumn);
    w.WriteInt32(int32_t(FSortDirection));
    w.WriteInt32(FParentFont ? 1 : 0);
    w.WriteInt32(FMaxHeight);
    w.WriteInt32(FMinHeight);
    w.WriteInt32(FDefaultHeight);
    w.WriteInt32(FFixedAreaConstraints.FMaxHeightPercent);
    w.WriteInt32(FFixedAreaConstraints.FMaxWidthPercent);
    w.WriteInt32(FFixedAreaConstraints.FMinHeightPercent);
    w.WriteInt32(FFixedAreaConstraints.FMinWidthPercent);
}

void TLTHeader::LoadFromStream(QIODevice &Stream)
{
    TLTStreamReader r(Stream);
    const TLTHeaderOptions oldOptions = FOptions;
    FStates.Include(hsLoading);
    FOptions = {};
    auto finish = [&] {
        FStates.Exclude(hsLoading);
        FOwner.NotifyColumnResized(NoColumn);
    };
    try {
        int version = r.ReadInt32();
        if (version >= 0) {
            r.Back(4);
            version = -1;
        } else {
            version = r.ReadInt32();
        }
        FColumns->LoadFromStream(Stream, version);
        SetAutoSizeIndex(r.ReadInt32());
        SetBackground(r.ReadInt32());
        SetHeight(r.ReadInt32());
        const int32_t options = r.ReadInt32();
        FOptions = oldOptions;
        SetOptions(TLTHeaderOptions::FromBits(uint32_t(options) & 0x3FFFF));
        SetStyle(TLTHeaderStyle(std::clamp(r.ReadInt32() & 0xFF, 0, 2)));
        QFont font = FFont;
        FFontColor = r.ReadInt32();
        const int32_t height = r.ReadInt32();
        const QString family = QString::fromUtf8(r.ReadBytes());
        const int32_t pitch = r.ReadInt32();
        const int32_t style = r.ReadInt32();
        if (height != 0)
            font.setPixelSize(std::clamp(std::abs(height), 1, 10000));
        font.setFamily(family);
        font.setFixedPitch(pitch == 2);
        font.setBold(style & StreamBold);
        font.setItalic(style & StreamItalic);
        font.setUnderline(style & StreamUnderline);
        font.setStrikeOut(style & StreamStrikeOut);
        FFont = font;
        if (version > 0) {
            SetMainColumn(r.ReadInt32());
            SetSortColumn(r.ReadInt32());
            SetSortDirection(TLTSortDirection(std::clamp(r.ReadInt32() & 0xFF, 0, 1)));
        }
        if (version > 4) {
            SetParentFont(r.ReadInt32() != 0);
            FMaxHeight = r.ReadInt32();
            FMinHeight = r.ReadInt32();
            FDefaultHeight = r.ReadInt32();
            auto percent = [&] { return uint8_t(std::clamp(r.ReadInt32(), 0, 100)); };
            FFixedAreaConstraints.FMaxHeightPercent = percent();
            FFixedAreaConstraints.FMaxWidthPercent = percent();
            FFixedAreaConstraints.FMinHeightPercent = percent();
            FFixedAreaConstraints.FMinWidthPercent = percent();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
