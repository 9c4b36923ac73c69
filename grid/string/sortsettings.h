#pragma once
// How the grid sorts: the sorted column and direction, the multi-column index option, the
// header-click rules and the look of the sorted header cell, and the settings string that
// stores them. The sorting itself is the grid's (QSort and its relatives).
#include "grid/base/classes.h"
#include "grid/base/gridsettings.h"
#include "grid/string/bitmap.h"
#include "platform/color.h"

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
// The modifier key that adds a column to the sort index on a header click.
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings : public TPersistent
{
public:
    explicit TSortSettings(TObject *AOwner) : FGrid(AOwner) {}

    TObject *Grid() const { return FGrid; }

    bool Show() const { return FShow; }
    void SetShow(bool Value);   // stores, then OnChange (the grid repaints)
    // Store and fire OnHeaderChange (the grid repaints its last fixed row) when changed.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value);
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value);
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value);
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value);

    // The glyph setters copy the picture; an empty glyph means the grid's own.
    TBitmap &UpGlyph() { return FUpGlyph; }
    const TBitmap &UpGlyph() const { return FUpGlyph; }
    void SetUpGlyph(const TBitmap &Value) { FUpGlyph.Assign(&Value); }
    TBitmap &DownGlyph() { return FDownGlyph; }
    const TBitmap &DownGlyph() const { return FDownGlyph; }
    void SetDownGlyph(const TBitmap &Value) { FDownGlyph.Assign(&Value); }
    TBitmap &IndexUpGlyph() { return FIndexUpGlyph; }
    void SetIndexUpGlyph(const TBitmap &Value) { FIndexUpGlyph.Assign(&Value); }
    TBitmap &IndexDownGlyph() { return FIndexDownGlyph; }
    void SetIndexDownGlyph(const TBitmap &Value) { FIndexDownGlyph.Assign(&Value); }

    void ToggleDirection()
    {
        FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
    }

    // The header row whose clicks sort; above the grid's FixedRows it raises
    // "Sort row should be smaller than number of fixed rows".
    int Row() const { return FRow; }
    void SetRow(int Value);

    // The sort settings string: "u<column>" / "d<column>", or "i;" and the sort index
    // string ("i;u2;d0") with IndexShow.
    QString SaveToString() const;
    // The reverse, then the sort it names (QSort or QSortIndexed); sets Show. An empty
    // value changes nothing; one character raises "Invalid sort settings specifier".
    void LoadFromString(const QString &Value);
    // No sorted column, no sort index; the sort header repaints.
    void Remove();

    // Copies every setting but IgnoreCase and SortOnVirtualCells, without notifying.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnHeaderChange;

    CF_GRID_PLAIN_PROPERTY(int, Column, -1)
    CF_GRID_PLAIN_PROPERTY(TSortDirection, Direction, sdAscending)
    CF_GRID_PLAIN_PROPERTY(TSortDirection, InitSortDirection, sdAscending)
    CF_GRID_PLAIN_PROPERTY(bool, Full, true)
    CF_GRID_PLAIN_PROPERTY(bool, SingleColumn, false)
    CF_GRID_PLAIN_PROPERTY(bool, IgnoreBlanks, false)
    CF_GRID_PLAIN_PROPERTY(TSortBlankPosition, BlankPos, blFirst)
    CF_GRID_PLAIN_PROPERTY(bool, AutoFormat, true)
    CF_GRID_PLAIN_PROPERTY(bool, IgnoreCase, false)
    CF_GRID_PLAIN_PROPERTY(bool, SortOnVirtualCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, IndexShow, false)
    CF_GRID_PLAIN_PROPERTY(TIndexSortKey, IndexSortKey, ikShift)
    CF_GRID_PLAIN_PROPERTY(TColor, IndexColor, clYellow)
    CF_GRID_PLAIN_PROPERTY(bool, NormalCellsOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, FixedCols, false)
    CF_GRID_PLAIN_PROPERTY(bool, UndoSort, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoColumnMerge, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoSortForGrouping, true)

private:
    void SetHeader(TColor &Field, TColor Value);

    TObject *FGrid;
    int FRow = 0;
    bool FShow = false;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
    TBitmap FUpGlyph;
    TBitmap FDownGlyph;
    TBitmap FIndexUpGlyph;
    TBitmap FIndexDownGlyph;
};
