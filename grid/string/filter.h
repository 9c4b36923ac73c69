#pragma once
// The row filter's conditions (TFilter of TFilterData items) and the settings of the header
// filter drop-down. Values only: matching rows and showing the list are the grid's.
#include "grid/base/classes.h"
#include "grid/base/collection.h"
#include "grid/base/graphics.h"
#include "grid/base/gridsettings.h"
#include "grid/string/bitmap.h"
#include "platform/color.h"

#include <QString>
#include <functional>

// Which text of a cell a condition tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How an item's result joins the result of the items before it.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterMethod { fmExpression, fmLiteral };
// Which columns get automatic value lists.
enum TFilterDropDownColumns { fdNormal, fdAll };

class TFilterData : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;

    // Copies all eight settings; nil changes nothing.
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(int, Column, 0)
    CF_GRID_PLAIN_PROPERTY(QString, Condition, {})   // empty: the item always matches
    CF_GRID_PLAIN_PROPERTY(bool, CaseSensitive, true)
    CF_GRID_PLAIN_PROPERTY(TFilterCells, Data, fcVirtual)
    CF_GRID_PLAIN_PROPERTY(QString, Prefix, {})
    CF_GRID_PLAIN_PROPERTY(QString, Suffix, {})
    CF_GRID_PLAIN_PROPERTY(TFilterOperation, Operation, foSHORT)
    CF_GRID_PLAIN_PROPERTY(TFilterMethod, Method, fmExpression)
};

class TFilter : public TCollectionOf<TFilterData>
{
public:
    explicit TFilter(TObject *AGrid) : FGrid(AGrid) {}

    TObject *Grid() const { return FGrid; }
    // A new last item that must hold together with the others: foNONE when it is the only
    // item, else foAND.
    TFilterData *Add();
    // A new item at Index with the item's own operation (foSHORT).
    TFilterData *Insert(int Index);
    // The first item of the column; made by Add when there is none.
    TFilterData *ColumnFilter(int Col);
    // Deletes every item of the column, then fires OnColumnChange.
    void RemoveColumnFilter(int Col);
    bool HasFilter(int Col) const;
    // Copies Value's settings into the item at Index.
    void SetItems(int Index, const TFilterData *Value) { Items(Index)->Assign(Value); }

    // The grid repaints the header cell of the column.
    std::function<void(int ACol)> OnColumnChange;

private:
    TObject *FGrid;
};

// The header filter drop-down's list: size, colours, font and button glyphs.
class TFilterDropDown : public TPersistent
{
public:
    TFilterDropDown();
    TFilterDropDown(const TFilterDropDown &) = delete;
    TFilterDropDown &operator=(const TFilterDropDown &) = delete;

    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    void SetFont(const TFontObject &Value) { FFont.Assign(&Value); }
    // Glyphs of a column without / with a filter; a change fires OnChange.
    TBitmap &Glyph() { return FGlyph; }
    const TBitmap &Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap &Value) { FGlyph.Assign(&Value); }
    TBitmap &GlyphActive() { return FGlyphActive; }
    const TBitmap &GlyphActive() const { return FGlyphActive; }
    void SetGlyphActive(const TBitmap &Value) { FGlyphActive.Assign(&Value); }

    // Copies every setting but AutoSize.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(bool, AutoSize, false)
    CF_GRID_PLAIN_PROPERTY(TColor, Color, clWindow)
    CF_GRID_PLAIN_PROPERTY(bool, ColumnWidth, false)
    CF_GRID_PLAIN_PROPERTY(int, Width, 150)
    CF_GRID_PLAIN_PROPERTY(int, Height, 150)

private:
    TFontObject FFont;
    TBitmap FGlyph;
    TBitmap FGlyphActive;
};
