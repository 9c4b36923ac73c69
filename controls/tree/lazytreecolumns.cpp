// The column collection: columns and their width rules, the position map, the horizontal
// layout, the queries in display order, and the stream format of columns.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreestream.h"

#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <numeric>

using enum TLTColumnOption;
using enum TLTHeaderOption;
using enum THeaderState;

namespace {

constexpr TLTColumnOptions DefaultColumnOptions{coAllowClick, coDraggable, coEnabled,
                                                coParentBidiMode, coParentColor, coResizable,
                                                coShowDropMark, coVisible, coAllowFocus,
                                                coEditable};

// Options of streams older than version 2 had no bit 4: it is inserted as 0 and the old
// bit 7 dropped.
uint16_t ConvertStreamedOptions(int32_t Raw, int Version)
{
    if (Version >= 3)
        return uint16_t(Raw);
    if (Version == 2)
        return uint16_t(Raw & 0xFF);
    const uint32_t low = uint32_t(Raw) & 0xFF;
    return uint16_t((low & 0x0F) | ((low & 0x70) << 1));
}

}   // namespace

// ---------------------------------------------------------------------------------------
// A column

TLazyTreeColumn::TLazyTreeColumn(TLazyTreeColumns &AOwner)
    : FOwner(AOwner), FWidth(AOwner.DefaultWidth()), FOptions(DefaultColumnOptions),
      FLastWidth(AOwner.DefaultWidth())
{
    FPosition = TColumnPosition(AOwner.Count());
    FBiDiMode = Tree().BiDiMode();
    FColor = Tree().Color();
}

TBaseLazyTree &TLazyTreeColumn::Tree() const
{
    return FOwner.Tree();
}

TLTHeader &TLazyTreeColumn::Header() const
{
    return FOwner.Header();
}

TColumnIndex TLazyTreeColumn::Index() const
{
    for (int i = 0; i < FOwner.Count(); ++i)
        if (FOwner.FItems[size_t(i)].get() == this)
            return i;
    return NoColumn;
}

void TLazyTreeColumn::Changed()
{
    FOwner.Changed(this);
}

void TLazyTreeColumn::SetText(const QString &Value)
{
    if (FText == Value)
        return;
    FText = Value;
    FCaptionText.clear();
    Changed();
}

int TLazyTreeColumn::Left() const
{
    if (FOptions.Contains(coVisible) && FOptions.Contains(coFixed))
        return FLeft;
    return FLeft - Tree().EffectiveOffsetX();
}

QRect TLazyTreeColumn::GetRect() const
{
    QRect r = Tree().HeaderRect();
    const int left = r.left() + FLeft;
    r.setLeft(left);
    r.setRight(left + FWidth - 1);
    return r;
}

void TLazyTreeColumn::GetUnscrolledBounds(int &ALeft, int &ARight) const
{
    ALeft = FLeft;
    ARight = FLeft + FWidth;
}

void TLazyTreeColumn::SetWidth(int Value)
{
    TLTHeader &header = Header();
    if (!header.FStates.Contains(hsScaling)) {
        if (FOptions.Contains(coVisible) && FOptions.Contains(coFixed)) {
            int maxTotal = 0, minTotal = 0;
            for (int i = 0; i < FOwner.Count(); ++i) {
                const TLazyTreeColumn &c = FOwner[i];
                if (c.FOptions.Contains(coVisible) && c.FOptions.Contains(coFixed)) {
                    maxTotal += c.FMaxWidth;
                    minTotal += c.FMinWidth;
                }
            }
            const int client = Tree().ClientWidth();
            const int fixedWidth = FOwner.GetVisibleFixedWidth();
            const int p = header.FFixedAreaConstraints.FMaxWidthPercent;
            const int q = header.FFixedAreaConstraints.FMinWidthPercent;
            if (p > 0)
                minTotal = std::min(client * p / 100, minTotal);
            if (q > 0)
                maxTotal = std::max(client * q / 100, maxTotal);
            const int others = fixedWidth - FWidth;
            const int effectiveMax = std::min(maxTotal - others, FMaxWidth);
            const int effectiveMin = std::max(minTotal - others, FMinWidth);
            Value = std::min(effectiveMax, std::max(effectiveMin, Value));
            if (q > 0)
                Value = std::max(Value, client * q / 100 - others);
            if (p > 0)
                Value = std::min(Value, client * p / 100 - others);
        } else {
            Value = std::min(std::max(Value, FMinWidth), FMaxWidth);
        }
    }
    if (Value == FWidth)
        return;
    FLastWidth = FWidth;
    if (!header.FStates.Contains(hsResizing))
        FBonusPixel = false;
    const bool autoResize = header.FOptions.Contains(hoAutoResize);
    if (!(autoResize && Index() == header.FAutoSizeIndex)) {
        FWidth = Value;
        FOwner.RecalcColumnLefts();
    }
    if (Tree().IsLoading() || FOwner.FUpdateCount > 0)
        return;
    if (autoResize)
        FOwner.FitAutoSizeColumn();
    Tree().NotifyColumnResized(Index());
}

void TLazyTreeColumn::SetPosition(TColumnPosition Value)
{
    if (Tree().IsLoading()) {
        FPosition = Value;
        return;
    }
    if (FOwner.Count() == 0)
        return;
    Value = std::min(Value, TColumnPosition(FOwner.Count() - 1));
    if (Value == FPosition)
        return;
    FOwner.SyncPositionMapLength();
    Tree().CancelEditNode();
    FOwner.MovePositionEntry(Index(), Value);
    Changed();
    if (FOwner.FUpdateCount == 0 && Tree().HandleAllocated()) {
        Header().Invalidate(Index());
        Tree().InvalidateTree();
    }
    // A column dropped into the fixed area joins it; one dropped outside leaves it.
    const bool lookLeft = FOptions.Contains(coFixed) && FPosition > 0;
    const TColumnIndex neighbour =
        FOwner.ColumnFromPosition(lookLeft ? FPosition - 1 : FPosition + 1);
    if (FOwner.IsValidColumn(neighbour)) {
        TLTColumnOptions options = FOptions;
        options.Set(coFixed, FOwner[neighbour].FOptions.Contains(coFixed));
        SetOptions(options);
    }
}

void TLazyTreeColumn::SetMinWidth(int Value)
{
    if (Value < 0)
        Value = 0;
    Value = std::min(Value, FMaxWidth);
    if (Value == FMinWidth)
        return;
    FMinWidth = Value;
    SetWidth(FWidth);
}

void TLazyTreeColumn::SetMaxWidth(int Value)
{
    Value = std::max(Value, FMinWidth);
    if (Value == FMaxWidth)
        return;
    FMaxWidth = Value;
    SetWidth(FWidth);
}

void TLazyTreeColumn::SetStyle(TLazyTreeColumnStyle Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetImageIndex(int Value)
{
    if (FImageIndex != Value) {
        FImageIndex = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetBiDiMode(TLTBiDiMode Value)
{
    if (FBiDiMode == Value)
        return;
    FBiDiMode = Value;
    FOptions.Exclude(coParentBidiMode);
    Changed();
    Tree().InvalidateTree();
}

void TLazyTreeColumn::SetLayout(TLTHeaderColumnLayout Value)
{
    if (FLayout != Value) {
        FLayout = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetMargin(int Value)
{
    if (Value < 0)
        Value = 4;
    if (FMargin != Value) {
        FMargin = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetSpacing(int Value)
{
    if (FSpacing != Value) {
        FSpacing = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetOptions(TLTColumnOptions Value)
{
    if (Value == FOptions)
        return;
    const TLTColumnOptions old = FOptions;
    const TLTColumnOptions added = Value - old;
    const TLTColumnOptions removed = old - Value;
    FOptions = Value;
    if (added.Contains(coParentBidiMode))
        FBiDiMode = Tree().BiDiMode();
    if (added.Contains(coParentColor))
        FColor = Tree().Color();
    if (added.Contains(coAutoSpring))
        FSpringRest = 0;
    if ((added.Contains(coFixed) || removed.Contains(coFixed)) && Value.Contains(coVisible))
        Header().ApplyFixedAreaConstraints();
    Changed();
    TBaseLazyTree &tree = Tree();
    if (!tree.IsLoading()) {
        const bool visibleChanged = added.Contains(coVisible) || removed.Contains(coVisible);
        if ((visibleChanged || added.Contains(coParentColor)) && tree.UpdateCount() == 0 &&
            tree.HandleAllocated()) {
            tree.InvalidateTree();
            if (visibleChanged)
                tree.UpdateHorizontalScrollBar(false);
        }
    }
}

void TLazyTreeColumn::SetAlignment(TLTAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Changed();
    Tree().InvalidateTree();
}

TLTAlignment TLazyTreeColumn::CaptionAlignment() const
{
    return FOptions.Contains(coUseCaptionAlignment) ? FCaptionAlignment : FAlignment;
}

void TLazyTreeColumn::SetCaptionAlignment(TLTAlignment Value)
{
    if (FCaptionAlignment == Value && FOptions.Contains(coUseCaptionAlignment))
        return;
    FCaptionAlignment = Value;
    FOptions.Include(coUseCaptionAlignment);
    Header().Invalidate(Index());
}

void TLazyTreeColumn::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    FOptions.Exclude(coParentColor);
    Changed();
    Tree().InvalidateTree();
}

void TLazyTreeColumn::SetCheckBox(bool Value)
{
    if (FCheckBox != Value) {
        FCheckBox = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetCheckType(TCheckType Value)
{
    if (FCheckType != Value) {
        FCheckType = Value;
        Changed();
    }
}

void TLazyTreeColumn::SetCheckState(TCheckState Value)
{
    if (FCheckState != Value) {
        FCheckState = Value;
        Changed();
    }
}

void TLazyTreeColumn::ParentBiDiModeChanged()
{
    if (FOptions.Contains(coParentBidiMode) && FBiDiMode != Tree().BiDiMode()) {
        FBiDiMode = Tree().BiDiMode();
        Changed();
    }
}

void TLazyTreeColumn::ParentColorChanged()
{
    if (FOptions.Contains(coParentColor) && FColor != Tree().Color()) {
        FColor = Tree().Color();
        Changed();
    }
}

void TLazyTreeColumn::RestoreLastWidth()
{
    FOwner.AnimatedResize(Index(), FLastWidth);
}

QString TLazyTreeColumn::DisplayName() const
{
    for (QChar c : FText)
        if (c.unicode() > 0xFF)
            return QStringLiteral("Column %1").arg(Index());
    return FText;
}

void TLazyTreeColumn::Assign(const TLazyTreeColumn &Source)
{
    const TLTColumnOptions old = FOptions;
    FOptions = {};
    SetBiDiMode(Source.FBiDiMode);
    SetImageIndex(Source.FImageIndex);
    SetLayout(Source.FLayout);
    SetMargin(Source.FMargin);
    SetMaxWidth(Source.FMaxWidth);
    SetMinWidth(Source.FMinWidth);
    SetPosition(Source.FPosition);
    SetSpacing(Source.FSpacing);
    SetStyle(Source.FStyle);
    SetText(Source.Text());
    SetHint(Source.FHint);
    SetWidth(Source.FWidth);
    SetAlignment(Source.FAlignment);
    SetCaptionAlignment(Source.CaptionAlignment());
    SetColor(Source.FColor);
    Tag = Source.Tag;
    FOptions = old;
    SetOptions(Source.FOptions);
    Changed();
}

bool TLazyTreeColumn::Equals(const TLazyTreeColumn &Other) const
{
    return FBiDiMode == Other.FBiDiMode && FImageIndex == Other.FImageIndex &&
           FLayout == Other.FLayout && FMargin == Other.FMargin &&
           FMaxWidth == Other.FMaxWidth && FMinWidth == Other.FMinWidth &&
           FPosition == Other.FPosition && FSpacing == Other.FSpacing &&
           FStyle == Other.FStyle && Text() == Other.Text() && FHint == Other.FHint &&
           FWidth == Other.FWidth && FAlignment == Other.FAlignment &&
           CaptionAlignment() == Other.CaptionAlignment() && FColor == Other.FColor &&
           Tag == Other.Tag && FOptions == Other.FOptions;
}

void TLazyTreeColumn::SaveToStream(QIODevice &Stream) const
{
    TLTStreamWriter w(Stream);
    w.WriteString(Text());
    w.WriteString(FHint);
    w.WriteInt32(FWidth);
    w.WriteInt32(FMinWidth);
    w.WriteInt32(FMaxWidth);
    w.WriteInt32(int32_t(FStyle));
    w.WriteInt32(FImageIndex);
    w.WriteInt32(int32_t(FLayout));
    w.WriteInt32(FMargin);
    w.WriteInt32(FSpacing);
    w.WriteInt32(int32_t(FBiDiMode));
    w.WriteInt32(int32_t(FOptions.Bits()));
    w.WriteInt32(Tag);
    w.WriteInt32(int32_t(FAlignment));
    w.WriteInt32(FColor);
    if (FOptions.Contains(coUseCaptionAlignment))
        w.WriteInt32(int32_t(FCaptionAlignment));
}

void TLazyTreeColumn::LoadFromStream(QIODevice &Stream, int Version)
{
    TLTStreamReader r(Stream);
    // Enumerated values out of range are brought into it rather than stored as read.
    auto bounded = [](int32_t Value, int Last) { return uint8_t(std::clamp(Value & 0xFF, 0, Last)); };
    SetText(r.ReadString());
    FHint = r.ReadString();
    SetWidth(r.ReadInt32());
    SetMinWidth(r.ReadInt32());
    SetMaxWidth(r.ReadInt32());
    SetStyle(TLazyTreeColumnStyle(bounded(r.ReadInt32(), 1)));
    SetImageIndex(r.ReadInt32());
    SetLayout(TLTHeaderColumnLayout(bounded(r.ReadInt32(), 3)));
    SetMargin(r.ReadInt32());
    SetSpacing(r.ReadInt32());
    SetBiDiMode(TLTBiDiMode(bounded(r.ReadInt32(), 3)));
    SetOptions(TLTColumnOptions::FromBits(ConvertStreamedOptions(r.ReadInt32(), Version)));
    if (Version > 0) {
        Tag = r.ReadInt32();
        SetAlignment(TLTAlignment(bounded(r.ReadInt32(), 2)));
    }
    if (Version > 1)
        SetColor(r.ReadInt32());
    if (Version > 5 && FOptions.Contains(coUseCaptionAlignment)) {
        SetCaptionAlignment(TLTAlignment(bounded(r.ReadInt32(), 2)));
    }
}

// ---------------------------------------------------------------------------------------
// The collection

TLazyTreeColumns::TLazyTreeColumns(TLTHeader &AHeader) : FHeader(AHeader) {}

TLazyTreeColumns::~TLazyTreeColumns()
{
    FClearing = true;
    FItems.clear();
}

TBaseLazyTree &TLazyTreeColumns::Tree() const
{
    return FHeader.Treeview();
}

TLazyTreeColumn &TLazyTreeColumns::operator[](TColumnIndex Index) const
{
    if (!IsValidColumn(Index))
        throw ELazyTreeError(
            QStringLiteral("List index out of bounds (%1).").arg(Index).toStdString());
    return *FItems[size_t(Index)];
}

TLazyTreeColumn *TLazyTreeColumns::NewColumn()
{
    return new TLazyTreeColumn(*this);
}

TLazyTreeColumn &TLazyTreeColumns::Add()
{
    FItems.emplace_back(NewColumn());
    Changed(nullptr);
    return *FItems.back();
}

void TLazyTreeColumns::Delete(TColumnIndex Index)
{
    TLazyTreeColumn &column = (*this)[Index];
    (void)column;
    Tree().CancelEditNode();
    RemoveIndex(Index);
    FItems.erase(FItems.begin() + Index);
    if (!Tree().IsLoading() && Tree().FocusedColumn() == Index)
        Tree().FFocusedColumn = NoColumn;
    Changed(nullptr);
}

// The bookkeeping of a removed column: the map and every index that pointed at it or
// behind it.
void TLazyTreeColumns::RemoveIndex(TColumnIndex Index)
{
    auto at = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), Index);
    if (at != FPositionToIndex.end())
        FPositionToIndex.erase(at);
    for (TColumnIndex &entry : FPositionToIndex)
        if (entry > Index)
            --entry;
    auto adjust = [Index](TColumnIndex &Value) {
        if (Value == Index)
            Value = NoColumn;
        else if (Value > Index)
            --Value;
    };
    adjust(FHoverIndex);
    adjust(FDownIndex);
    adjust(FTrackIndex);
    adjust(FClickIndex);
    adjust(FHeader.FAutoSizeIndex);
    adjust(FHeader.FSortColumn);
    if (FHeader.FMainColumn == Index)
        FHeader.FMainColumn = Count() > 1 ? 0 : NoColumn;
    else if (FHeader.FMainColumn > Index)
        --FHeader.FMainColumn;   // the same column stays the main one
}

void TLazyTreeColumns::Clear()
{
    FClearing = true;
    Tree().CancelEditNode();
    FHoverIndex = FDownIndex = FTrackIndex = FClickIndex = NoColumn;
    FCheckBoxHit = false;
    if (!FHeader.FStates.Contains(hsLoading)) {
        FHeader.FAutoSizeIndex = NoColumn;
        FHeader.FMainColumn = NoColumn;
        FHeader.FSortColumn = NoColumn;
    }
    if (!Tree().IsLoading())
        Tree().FFocusedColumn = NoColumn;
    FItems.clear();
    FPositionToIndex.clear();
    FClearing = false;
    Changed(nullptr);
}

void TLazyTreeColumns::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed(nullptr);
}

void TLazyTreeColumns::Changed(TLazyTreeColumn *Item)
{
    if (FUpdateCount == 0)
        Update(Item);
}

void TLazyTreeColumns::Assign(const TLazyTreeColumns &Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    FClearing = true;
    FItems.clear();
    FPositionToIndex.clear();
    FClearing = false;
    for (int i = 0; i < Source.Count(); ++i)
        Add().Assign(Source[i]);
    EndUpdate();
    FPositionToIndex = Source.FPositionToIndex;
    FNeedPositionsFix = false;
    RecalcColumnLefts(true);
}

bool TLazyTreeColumns::Equals(const TLazyTreeColumns &Other) const
{
    if (Count() != Other.Count() || FPositionToIndex != Other.FPositionToIndex)
        return false;
    for (int i = 0; i < Count(); ++i)
        if (!(*this)[i].Equals(Other[i]))
            return false;
    return true;
}

void TLazyTreeColumns::Update(TLazyTreeColumn *Item)
{
    SyncPositionMapLength();
    TBaseLazyTree &tree = Tree();
    if (tree.IsDestroying())
        return;
    if (tree.IsLoading())
        FNeedPositionsFix = true;
    else
        RecalcColumnLefts();
    if (Count() > 0 && FHeader.FMainColumn < 0)
        FHeader.FMainColumn = 0;
    if (tree.IsLoading() || FHeader.FStates.Contains(hsLoading))
        return;
    if (FHeader.FOptions.Contains(hoAutoResize))
        FitAutoSizeColumn();
    if (Item) {
        FHeader.Invalidate(Item->Index());
    } else if (tree.HandleAllocated()) {
        tree.UpdateHorizontalScrollBar(false);
        FHeader.Invalidate();
        tree.InvalidateTree();
    }
}

// ---------------------------------------------------------------------------------------
// Position map

void TLazyTreeColumns::SyncPositionMapLength()
{
    const size_t count = FItems.size();
    if (FPositionToIndex.size() == count)
        return;
    const size_t old = FPositionToIndex.size();
    FPositionToIndex.resize(count);
    if (count > old) {
        for (size_t p = old; p < count; ++p)
            FPositionToIndex[p] = TColumnIndex(p);
    } else {
        for (bool changed = true; changed;) {
            changed = false;
            for (TColumnIndex &entry : FPositionToIndex)
                if (entry >= TColumnIndex(count)) {
                    --entry;
                    changed = true;
                }
        }
    }
}

void TLazyTreeColumns::MovePositionEntry(TColumnIndex Column, TColumnPosition NewPosition)
{
    const TColumnPosition old = (*this)[Column].FPosition;
    if (old < NewPosition) {
        for (TColumnPosition p = old; p < NewPosition; ++p)
            FPositionToIndex[p] = FPositionToIndex[p + 1];
    } else {
        for (TColumnPosition p = old; p > NewPosition; --p)
            FPositionToIndex[p] = FPositionToIndex[p - 1];
    }
    FPositionToIndex[NewPosition] = Column;
}

void TLazyTreeColumns::RebuildPositionMap()
{
    SyncPositionMapLength();
    // Streamed positions that do not form a permutation are replaced by the indexes.
    std::vector<TColumnIndex> map(FItems.size(), NoColumn);
    bool valid = true;
    for (int i = 0; i < Count() && valid; ++i) {
        const TColumnPosition p = FItems[size_t(i)]->FPosition;
        if (p >= map.size() || map[p] != NoColumn)
            valid = false;
        else
            map[p] = i;
    }
    if (!valid)
        std::iota(map.begin(), map.end(), 0);
    FPositionToIndex = std::move(map);
    FNeedPositionsFix = false;
    RecalcColumnLefts(true);
}

void TLazyTreeColumns::ResetColumnOrder(bool RightToLeft)
{
    const int count = Count();
    FPositionToIndex.resize(size_t(count));
    for (int p = 0; p < count; ++p)
        FPositionToIndex[size_t(p)] = RightToLeft ? count - 1 - p : p;
    RecalcColumnLefts(true);
}

void TLazyTreeColumns::RecalcColumnLefts(bool Force)
{
    TBaseLazyTree &tree = Tree();
    if (tree.IsDestroying() || FNeedPositionsFix || (!Force && FUpdateCount > 0))
        return;
    int left = 0;
    for (size_t p = 0; p < FPositionToIndex.size(); ++p) {
        TLazyTreeColumn &column = *FItems[size_t(FPositionToIndex[p])];
        column.FPosition = TColumnPosition(p);
        column.FLeft = left;
        if (column.FOptions.Contains(coVisible))
            left += column.FWidth;
    }
    tree.UpdateHorizontalScrollBar(false);
}

// ---------------------------------------------------------------------------------------
// Queries

TColumnIndex TLazyTreeColumns::ColumnFromPosition(TColumnPosition PositionIndex) const
{
    if (PositionIndex >= FPositionToIndex.size())
        return NoColumn;
    return FPositionToIndex[PositionIndex];
}

TColumnIndex TLazyTreeColumns::GetFirstColumn() const
{
    return FPositionToIndex.empty() ? InvalidColumn : FPositionToIndex[0];
}

TColumnIndex TLazyTreeColumns::GetNextColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column))
        return InvalidColumn;
    const TColumnPosition p = (*this)[Column].FPosition + 1;
    return p < FPositionToIndex.size() ? FPositionToIndex[p] : InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetPreviousColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column))
        return InvalidColumn;
    const TColumnPosition p = (*this)[Column].FPosition;
    return p > 0 && p - 1 < FPositionToIndex.size() ? FPositionToIndex[p - 1] : InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetNextVisibleColumn(TColumnIndex Column,
                                                    bool ConsiderAllowFocus) const
{
    for (Column = GetNextColumn(Column); Column != InvalidColumn; Column = GetNextColumn(Column)) {
        const TLTColumnOptions o = (*this)[Column].FOptions;
        if (o.Contains(coVisible) && (!ConsiderAllowFocus || o.Contains(coAllowFocus)))
            break;
    }
    return Column;
}

TColumnIndex TLazyTreeColumns::GetPreviousVisibleColumn(TColumnIndex Column,
                                                        bool ConsiderAllowFocus) const
{
    for (Column = GetPreviousColumn(Column); Column != InvalidColumn;
         Column = GetPreviousColumn(Column)) {
        const TLTColumnOptions o = (*this)[Column].FOptions;
        if (o.Contains(coVisible) && (!ConsiderAllowFocus || o.Contains(coAllowFocus)))
            break;
    }
    return Column;
}

TColumnIndex TLazyTreeColumns::GetFirstVisibleColumn(bool ConsiderAllowFocus) const
{
    for (TColumnIndex c : FPositionToIndex) {
        const TLTColumnOptions o = (*this)[c].FOptions;
        if (o.Contains(coVisible) && (!ConsiderAllowFocus || o.Contains(coAllowFocus)))
            return c;
    }
    return InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetLastVisibleColumn(bool ConsiderAllowFocus) const
{
    for (auto it = FPositionToIndex.rbegin(); it != FPositionToIndex.rend(); ++it) {
        const TLTColumnOptions o = (*this)[*it].FOptions;
        if (o.Contains(coVisible) && (!ConsiderAllowFocus || o.Contains(coAllowFocus)))
            return *it;
    }
    return InvalidColumn;
}

TColumnsArray TLazyTreeColumns::GetVisibleColumns() const
{
    TColumnsArray result;
    for (TColumnIndex c : FPositionToIndex)
        if (FItems[size_t(c)]->FOptions.Contains(coVisible))
            result.push_back(FItems[size_t(c)].get());
    return result;
}

int TLazyTreeColumns::GetVisibleFixedWidth() const
{
    int width = 0;
    for (const auto &c : FItems)
        if (c->FOptions.Contains(coVisible) && c->FOptions.Contains(coFixed))
            width += c->FWidth;
    return width;
}

int TLazyTreeColumns::TotalWidth() const
{
    const TColumnIndex last = GetLastVisibleColumn();
    if (last < 0)
        return 0;
    const TLazyTreeColumn &c = (*this)[last];
    return c.FLeft + c.FWidth;
}

int TLazyTreeColumns::GetScrollWidth() const
{
    int sum = 0, count = 0;
    for (const auto &c : FItems)
        if (c->FOptions.Contains(coVisible) && !c->FOptions.Contains(coFixed)) {
            sum += c->FWidth;
            ++count;
        }
    if (count == 0)
        return int(Tree().Indent());
    return int(std::lround(double(sum) / count));
}

void TLazyTreeColumns::GetColumnBounds(TColumnIndex Column, int &Left, int &Right) const
{
    if (Column < 0) {
        Left = 0;
        Right = Tree().ClientWidth();
    } else {
        const TLazyTreeColumn &c = (*this)[Column];
        Left = c.Left();
        Right = Left + c.FWidth;
    }
    if (Tree().UseRightToLeftReading()) {
        const int shift = Tree().RightToLeftShift(false);
        Left += shift;
        Right += shift;
    }
}

TColumnIndex TLazyTreeColumns::FindColumnAtX(QPoint P, int &Left, int &Right, bool Relative) const
{
    if (P.x() < 0 || P.y() < 0 || P.y() > Tree().height())
        return InvalidColumn;
    int edge = 0;
    if (Relative && P.x() >= GetVisibleFixedWidth())
        edge = -Tree().EffectiveOffsetX();
    if (Tree().UseRightToLeftReading())
        edge += Tree().RightToLeftShift(false);
    for (TColumnIndex c : FPositionToIndex) {
        const TLazyTreeColumn &column = *FItems[size_t(c)];
        if (!column.FOptions.Contains(coVisible))
            continue;
        const int right = edge + column.FWidth;
        if (right > P.x()) {
            Left = edge;
            Right = right;
            return c;
        }
        edge = right;
    }
    return InvalidColumn;
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(QPoint P, bool Relative) const
{
    int left = 0, right = 0;
    return FindColumnAtX(P, left, right, Relative);
}

// ---------------------------------------------------------------------------------------
// Widths

void TLazyTreeColumns::FitAutoSizeColumn(bool Force)
{
    if (FItems.empty())
        return;
    TColumnIndex index = FHeader.FAutoSizeIndex;
    if (!IsValidColumn(index))
        index = Count() - 1;
    TLazyTreeColumn &column = *FItems[size_t(index)];
    TBaseLazyTree &tree = Tree();
    int available = tree.HandleAllocated() ? tree.ClientWidth() : tree.width();
    for (int i = 0; i < Count(); ++i)
        if (i != index && FItems[size_t(i)]->FOptions.Contains(coVisible))
            available -= FItems[size_t(i)]->FWidth;
    const int width = std::max(std::min(available, column.FMaxWidth), column.FMinWidth);
    if (Force || width != column.FWidth) {
        column.FWidth = width;
        RecalcColumnLefts();
        tree.NotifyColumnResized(index);
    }
}

void TLazyTreeColumns::AnimatedResize(TColumnIndex Column, int NewWidth)
{
    if (!IsValidColumn(Column))
        return;
    TLazyTreeColumn &column = *FItems[size_t(Column)];
    NewWidth = std::clamp(NewWidth, column.FMinWidth, std::max(column.FMinWidth, column.FMaxWidth));
    if (NewWidth == column.FWidth)
        return;
    TBaseLazyTree &tree = Tree();
    if (!FHeader.FOptions.Contains(hoDisableAnimatedResize) &&
        !column.FOptions.Contains(coDisableAnimatedResize) && tree.isVisible()) {
        // The pixels right of the column's edge slide in 32 steps before the width is set.
        const int step = (NewWidth - column.FWidth) / 32;
        if (step != 0) {
            QWidget *view = tree.viewport();
            QRect client(column.Left() + column.FWidth + (step < 0 ? step : 0), 0, view->width(),
                         view->height());
            for (int i = 0; i < 32; ++i) {
                view->scroll(step, 0, client);
                client.setLeft(client.left() + step);
                QThread::msleep(1);
            }
        }
    }
    column.SetWidth(NewWidth);
}

// ---------------------------------------------------------------------------------------
// Stream format

void TLazyTreeColumns::SaveToStream(QIODevice &Stream) const
{
    TLTStreamWriter w(Stream);
    w.WriteInt32(Count());
    for (const auto &c : FItems)
        c->SaveToStream(Stream);
    if (Count() > 0)
        for (TColumnIndex index : FPositionToIndex)
            w.WriteInt32(index);
    w.WriteInt32(FDefaultWidth);
}

void TLazyTreeColumns::LoadFromStream(QIODevice &Stream, int Version)
{
    TLTStreamReader r(Stream);
    Clear();
    const int32_t count = r.ReadInt32();
    // A column takes at least 48 bytes: two empty texts and ten values.
    if (count < 0 || qint64(count) * 48 > r.Left())
        throw ELazyTreeError("Stream read error.");
    if (count > 0) {
        BeginUpdate();
        try {
            for (int32_t i = 0; i < count; ++i)
                Add().LoadFromStream(Stream, Version);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        std::vector<TColumnIndex> map(static_cast<size_t>(count));
        for (TColumnIndex &entry : map)
            entry = r.ReadInt32();
        std::vector<bool> seen(static_cast<size_t>(count), false);
        bool permutation = true;
        for (TColumnIndex entry : map) {
            if (entry < 0 || entry >= count || seen[size_t(entry)]) {
                permutation = false;
                break;
            }
            seen[size_t(entry)] = true;
        }
        if (!permutation)
            std::iota(map.begin(), map.end(), 0);
        FPositionToIndex = std::move(map);
        RecalcColumnLefts(true);
    }
    if (Version > 4)
        SetDefaultWidth(r.ReadInt32());
}
