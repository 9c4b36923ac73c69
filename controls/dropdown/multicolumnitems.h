#pragma once
// What the two list drop-downs (the multi-column list and the grid drop-down) share: column
// definitions, items with one text per column, the folded lookup texts their prefix
// searches run over, and the fitting of column widths to the drop-down's width. Each
// drop-down declares its own column and item classes from these in a namespace of its own.
#include "grid/base/collection.h"
#include "grid/base/gridenums.h"
#include "grid/base/stringlist.h"
#include "grid/base/styledetect.h"
#include "platform/canvas.h"
#include "platform/color.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

class TCustomImageList;

namespace DropDownList {

// A column of a list drop-down; ColumnTypeT is the drop-down's own column-type enumeration
// (its first value the text column).
template <class ColumnTypeT>
class TColumnOf : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    int Width = 80;
    TColor Color = 0xFFFFFF;
    TAlignment Alignment = taLeftJustify;
    bool Ellipsis = false;
    TFont Font;
    ColumnTypeT ColumnType{};
    QString Header;
    bool Wordwrap = false;
    bool AutoSize = false;

    void Assign(const TPersistent *Source) override
    {
        const auto *s = dynamic_cast<const TColumnOf *>(Source);
        if (!s) {
            TCollectionItem::Assign(Source);
            return;
        }
        Width = s->Width;
        Color = s->Color;
        Alignment = s->Alignment;
        Ellipsis = s->Ellipsis;
        Font = s->Font;
        ColumnType = s->ColumnType;
        Header = s->Header;
        Wordwrap = s->Wordwrap;
        AutoSize = s->AutoSize;
    }
};

// An item: one text per column and an image. An item may hold fewer texts than there are
// columns; a missing text reads as empty.
class TItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    int ImageIndex = -1;
    TStringList &Text() { return FText; }
    const TStringList &Text() const { return FText; }
    void SetText(const TStringList &Value) { FText.Assign(&Value); }
    bool HasText(int Column) const { return Column >= 0 && Column < FText.Count(); }
    QString TextAt(int Column) const { return HasText(Column) ? FText.Strings(Column) : QString(); }
    void Assign(const TPersistent *Source) override;

private:
    TStringList FText;
};

// A typed collection that remembers the control it belongs to (GetOwner).
template <class T>
class TOwnedCollection : public TCollectionOf<T>
{
public:
    explicit TOwnedCollection(TObject *Owner = nullptr) : FOwnerObject(Owner) {}
    TObject *GetOwner() const { return FOwnerObject; }

private:
    TObject *FOwnerObject;
};

// The lookup texts of the items in item order, kept as given and upper-cased once, so a
// prefix search per keystroke compares without converting anything.
class TLookupTexts
{
public:
    void Clear();
    void Add(const QString &Text);
    int Count() const { return int(FTexts.size()); }
    const QString &Text(int Index) const { return FTexts[size_t(Index)]; }
    // The first entry starting with Prefix (an empty prefix matches nothing); the folded
    // form when not CaseSensitive. -1 when none.
    int FindPrefix(const QString &Prefix, bool CaseSensitive) const;
    // The first entry equal to Text without regard to case; -1 when none.
    int IndexOfText(const QString &Text) const;

private:
    std::vector<QString> FTexts, FFolded;
};

// Widths that fill Available in proportion to Widths: each is Available / (1 + sum)
// times its width, rounded half to even, with the carried fractions handed out in order.
std::vector<int> FitWidths(const std::vector<int> &Widths, int Available);

// The width an item's cell asks for: the image (when it counts) plus 4, and the text's
// single-line width plus 6 (nothing for an empty text).
int ItemCellWidth(TCanvas &Canvas, const TFont &Font, const QString &Text, bool ImageCounts,
                  const TCustomImageList *Images);
// The height a word-wrapped cell asks for within Width: the image height plus 6 and the
// wrapped text's height plus 6, whichever is larger.
int ItemCellHeight(TCanvas &Canvas, const TFont &Font, const QString &Text, bool ImageCounts,
                   const TCustomImageList *Images, int Width);

// The width an AutoSize column takes from the items: the widest item cell (0 without items).
// An item's image counts in an image column only when the item has a text there.
template <class TColumnT, class TItemsT>
int ItemsColumnWidth(TCanvas &Canvas, const TColumnT &Column, int ACol, const TItemsT &Items,
                     const TCustomImageList *Images)
{
    const bool imageColumn = int(Column.ColumnType) == 1;
    int widest = 0;
    for (int i = 0; i < Items.Count(); ++i) {
        const TItem &item = *Items.Items(i);
        const bool image = imageColumn && item.HasText(ACol) && item.ImageIndex >= 0;
        widest = std::max(widest, ItemCellWidth(Canvas, Column.Font, item.TextAt(ACol), image,
                                                Images));
    }
    return widest;
}

// The height of a data row when some columns wrap: at least 24, else the tallest wrapped
// cell. TextAt(c) and ImageAt(c) give the row's text and whether its image counts.
template <class TColumnsT, class TTextAt, class TImageAt, class TWidthOf>
int WrappedRowHeight(TCanvas &Canvas, const TColumnsT &Columns, const std::vector<int> &Wrapped,
                     TTextAt TextAt, TImageAt ImageAt, TWidthOf WidthOf,
                     const TCustomImageList *Images)
{
    int h = 24;
    for (int c : Wrapped)
        h = std::max(h, ItemCellHeight(Canvas, Columns.Items(c)->Font, TextAt(c), ImageAt(c),
                                       Images, WidthOf(c)));
    return h;
}

// A canvas on a scratch image for measuring text outside painting.
class TMeasureCanvas
{
public:
    TMeasureCanvas();
    ~TMeasureCanvas();
    TCanvas &Canvas() { return *FCanvas; }

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    TCanvas *FCanvas;
};

// The header, line and selection colours a component style gives a list drop-down; kKeep
// leaves a value as it was.
struct TListStyle
{
    static constexpr TColor kKeep = 0x7FFFFFFF;
    TQVRStyle Style;
    TColor Header, HeaderTo;
    int Preset;   // the TSelectionColorStyle that runs before the line colours
    TColor HeaderFont, SelectionText, Line, FixedLine, Selection, SelectionTo;
};
// The style's row; nullptr for tsCustom (nothing changes).
const TListStyle *FindListStyle(TQVRStyle Style);

// Applies the style's row to a list drop-down (its HeaderColor, HeaderColorTo, HeaderFont,
// SelectionTextColor, LineColor, FixedLineColor and selection colours). The office 2010
// styles change these only when With2010 is set.
template <class TDropDown>
void ApplyListStyle(TDropDown &D, TQVRStyle Style, bool With2010)
{
    const TListStyle *s = FindListStyle(Style);
    const bool is2010 =
        Style == tsOffice2010Blue || Style == tsOffice2010Silver || Style == tsOffice2010Black;
    if (!s || (is2010 && !With2010))
        return;
    D.HeaderColor = s->Header;
    D.HeaderColorTo = s->HeaderTo;
    D.SetSelectionColorStyle(decltype(D.SelectionColorStyle())(s->Preset));
    if (s->HeaderFont != TListStyle::kKeep)
        D.HeaderFont.Color = s->HeaderFont;
    D.SelectionTextColor = s->SelectionText;
    D.LineColor = s->Line;
    D.FixedLineColor = s->FixedLine;
    if (s->Selection != TListStyle::kKeep) {
        D.SelectionColor = s->Selection;
        D.SelectionColorTo = s->SelectionTo;
    }
}

}   // namespace DropDownList
