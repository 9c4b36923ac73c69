#pragma once
// TBaseGrid: the base of every table of the program. On top of the framework string grid it
// adds the cell text entry points that honour merged cells and run the display hooks
// (GetCellEx / SetCellEx), an optional TCellProperties record per cell, merged cells
// (rectangles shown and edited as one, their text kept in the top-left "base" cell), and
// its own cell painter: background (solid, gradient, hover row, active row, selection
// faces), grid lines drawn inside each cell, then the content through DrawCellContent.
// Keys and the wheel keep the current cell on the base cell of a merge.
//
// Records are made only on demand (GetCellProperties, SetObjectEx, SetGraphicObjectEx,
// MergeCells, SplitCells); reading text and every merge query test HasCellProperties
// first and never make one, so a plain text table holds none. The grid owns the records
// in its object slots and frees them all when it is destroyed.
//
// The framework's own default drawing is off and its grid line width stays 0, so cells
// abut; GridLineWidth and DefaultDrawing here are the base grid's own.
#include "grid/base/cellproperties.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridevents.h"
#include "grid/base/gridundo.h"
#include "grid/base/stringgridbase.h"

#include <QPointer>


class TBaseGrid : public TStringGridBase
{
    Q_OBJECT
public:
    explicit TBaseGrid(QWidget *Parent = nullptr);
    ~TBaseGrid() override;

    // --- Cell text -----------------------------------------------------------------------
    // The display text: read at the base cell of a merge; for rows below NormalRowCount
    // the display hooks may rewrite it (with OnGetDisplWideText assigned the result is
    // always in the wide cell text encoding). Negative coordinates throw EGridError.
    QString GetCellEx(int ACol, int ARow);
    // Writes the base cell of a merge. For a cell with a record: CellTextChanged with the
    // base cell, then the whole merge is repainted. A write into the reserved last row runs
    // LastRowChanged. Writing the same text runs the hooks again.
    void SetCellEx(int ACol, int ARow, const QString &Value);
    // The stored text of exactly that cell: no merge redirection, no hooks.
    QString GetGridCell(int ACol, int ARow) const { return Cells(ACol, ARow); }
    void SetGridCell(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

    // --- Cell records, user objects and graphics -----------------------------------------
    // The cell's record, made with GetCellDefaults on first use (making one repaints the cell).
    TCellProperties *GetCellProperties(int ACol, int ARow);
    // Frees the present record (not its graphic) and stores Value (may be nullptr).
    void SetCellProperties(int ACol, int ARow, TCellProperties *Value);
    // The cell lies in columns 0..TotalColCount-1 and rows 0..RowCount-1 and has a record.
    bool HasCellProperties(int ACol, int ARow) const;
    // Raw access to the object slot (where the record lives).
    TObject *GetGridObject(int ACol, int ARow) const { return Objects(ACol, ARow); }
    void SetGridObject(int ACol, int ARow, TObject *Value) { SetObjects(ACol, ARow, Value); }
    // The record's user object; 0 without a record (nothing is made).
    uintptr_t GetObjectEx(int ACol, int ARow) const;
    // Stores the user object in the cell's record (made when missing). An empty cell stays
    // empty, though a blank passes through SetCellEx and back.
    void SetObjectEx(int ACol, int ARow, uintptr_t Value);
    TObject *GetGraphicObjectEx(int ACol, int ARow) const;
    // As SetObjectEx for the graphic; nothing while the grid is being destroyed. A previous
    // graphic is not freed.
    void SetGraphicObjectEx(int ACol, int ARow, TObject *Value);
    static TObject *CellPropGraphic(const TCellProperties *Props);
    // Frees the records of the inclusive rectangle, and the graphic of each whose class is
    // "TCellGraphic". Nothing while the grid never made a record.
    void FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow);
    void FreeAllCellProperties();   // the same over ColCount x RowCount
    void FreeCellProperties(int ACol, int ARow);   // one record; its graphic is not freed
    // Empty the object slots without freeing the records (their new holder owns them) and
    // write empty texts with SetCellEx. ResetCell writes before it detaches, so the text of
    // a merge's base cell is the one emptied.
    void ResetColumn(int ACol);
    void ResetRow(int ARow);
    void ResetCell(int ACol, int ARow);

    // --- Merged cells --------------------------------------------------------------------
    // Merges ColSpan x RowSpan cells with (ACol, ARow) as base; the covered texts stay in
    // the store and show again after a split. The rectangle must overlap no other merge.
    // A rectangle that reaches outside the grid throws EGridError and changes nothing.
    // Every call counts in MergeCount, also one with a span of 0 or less (which merges
    // nothing).
    virtual void MergeCells(int ACol, int ARow, int ColSpan, int RowSpan);
    // Makes every cell of the merge (ACol, ARow) belongs to a plain cell (with a record).
    virtual void SplitCells(int ACol, int ARow);
    bool IsBaseCell(int ACol, int ARow) const;
    TPoint BaseCell(int ACol, int ARow) const;
    // Outputs the base cell; true when the cell is its own base (also without a record).
    bool ResolveBaseCell(int ACol, int ARow, int &BaseCol, int &BaseRow) const;
    // The cell belongs to a merge of more than one cell.
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;   // the merge spans several columns
    bool IsYMergedCell(int ACol, int ARow) const;   // the merge spans several rows
    // Extra columns and rows of the merge the cell belongs to; (0, 0) when unmerged.
    TPoint CellSpan(int ACol, int ARow) const;
    // From the cell to the last column and row of its merge; (0, 0) when unmerged.
    TPoint CellExt(int ACol, int ARow) const;
    // The merge as an inclusive rectangle of cells.
    TGridRect FullCell(int ACol, int ARow) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    // Both rows (columns) belong to the same vertical (horizontal) merges, and some merge
    // touches them (false otherwise). Columns: a row in which only one of the two columns is
    // merged across also makes the answer false.
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    int MergeCount() const { return FMergeCount; }

    // --- Geometry ------------------------------------------------------------------------
    // The cell's client rectangle, the union over a whole merge. A plain cell out of view
    // gives a rectangle of its size at (0, 0).
    TRect CellRect(int ACol, int ARow) const;
    // Width and height of the cell or of its merge.
    TPoint CellSize(int ACol, int ARow) const;
    // The client rectangle from the column widths, row heights, LeftCol and TopRow, also for
    // a cell out of view (fixed cells measured from the client origin).
    TRect UnclippedCellRect(int ACol, int ARow) const;
    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    // --- Painting ------------------------------------------------------------------------
    // Paints a cell on any canvas: widened to its merge, content included.
    void PaintCell(TCanvas &Canvas, int ACol, int ARow, const TRect &Rect, TGridDrawState State);
    // Background and lines only, in Rect as given (not widened to the merge).
    void PaintCellExt(TCanvas &Canvas, int ACol, int ARow, const TRect &Rect,
                      TGridDrawState State);
    // Invalidates the cell's rectangle (the whole merge).
    void RepaintCell(int ACol, int ARow);
    // Moves the current cell to the base cell of the merge it lies in.
    void SnapToBaseCell();

    // --- Extension points (the string grid overrides them) -------------------------------
    // The cell is painted as a fixed cell. Base: false.
    virtual bool IsFixed(int ACol, int ARow);
    // Pixel indent of the row's content. Base: 0.
    virtual int GetRowIndent(int ARow);
    // The grid holds node rows (column 0 then gets no horizontal line). Base: false.
    virtual bool HasNodes();
    // Everything inside the cell's lines. Base: the display text centred on one line.
    virtual void DrawCellContent(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect,
                                 TGridDrawState AState);
    // A cell of the reserved last row was written. Base: nothing.
    virtual void LastRowChanged();
    // May rewrite the text GetCellEx returns. Base: OnGetDisplText.
    virtual void GetDisplText(int ACol, int ARow, QString &Value);
    // May rewrite the decoded wide text. Base: OnGetDisplWideText.
    virtual void GetDisplWideText(int ACol, int ARow, QString &Value);
    // Defaults of a new cell record. Base: the grid's font and colour, no gradient, left
    // and top alignment, the grid's WordWrap, vertical gradient.
    virtual void GetCellDefaults(int ACol, int ARow, TFont &Font, TBrush &Brush,
                                 TColor &ColorTo, TColor &MirrorColor, TColor &MirrorColorTo,
                                 TAlignment &HAlign, TVAlignment &VAlign, bool &WordWrap,
                                 TCellGradientDirection &GradientDirection);
    // A cell with a record got new text (the base cell's coordinates). Base: nothing.
    virtual void CellTextChanged(int ACol, int ARow);
    virtual bool HasCustomBorders();   // base: false
    // The platform style paints fixed and selected backgrounds. Base: false.
    virtual bool StyledDrawing();
    // The cell's look for painting: fills Brush, Font and the outputs and may change
    // State. Base: nothing (the painter starts from the grid's colours and font).
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState &State, bool Printing,
                                     bool ApplySelection, bool MapDisplayColumn, TBrush &Brush,
                                     TColor &ColorTo, TColor &MirrorColor,
                                     TColor &MirrorColorTo, TFont &Font, TAlignment &HAlign,
                                     TVAlignment &VAlign, bool &WordWrap,
                                     TCellGradientDirection &GradientDirection);
    // The display column of a real column. Base: ACol.
    virtual int DisplColIndex(int ACol);
    // Columns including hidden ones. Base: ColCount.
    virtual int TotalColCount() const;

    // --- Properties ----------------------------------------------------------------------
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);   // stored only
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    TDazGridUndoRedo *UndoRedo() const { return FUndoRedo.data(); }
    // Links the undo component (nullptr unlinks); either side forgets the other when it is
    // destroyed.
    void SetUndoRedo(TDazGridUndoRedo *Value);

    // State kept for and by descendants.
    bool HideLastRow() const { return FHideLastRow; }
    int NormalRowCount() const { return FNormalRowCount; }
    int HoverRowIdx() const { return FHoverRowIdx; }
    bool ShowSel() const { return FShowSel; }
    bool HasCellProps() const { return FHasCellProps; }
    int PaintID() const { return FPaintID; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

protected:
    // True once the grid's destructor has begun.
    bool Destroying() const { return FDestroying; }
    // The framework paint loop, then the next paint pass number.
    void Paint() override;
    // DoPaintCell on the grid's canvas, whole.
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    // Repaints the old and the new current cell around the framework's answer.
    bool SelectCell(int ACol, int ARow) override;
    // Arrow keys step over the merge of the current cell, PageDown stops above a reserved
    // last row; then the framework's handling and a snap to the base cell.
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
    // The framework's handling, then the merged cells of the fixed columns and rows.
    void TopLeftChanged() override;

    // The cell painter: Whole widens the rectangle to the merge and draws the content.
    // RectIsCell: Rect is where the paint loop puts the cell, so only a merge or a control
    // needs its rectangle worked out again.
    void DoPaintCell(TCanvas &Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State,
                     bool Whole, bool RectIsCell = false);
    void RepaintMergedFixedRows();
    void RepaintMergedFixedCols();

    bool FHideLastRow = false;    // the last row is reserved (a descendant's footer)
    int FNormalRowCount = 0;      // rows below it carry user data (display hooks run)
    int FHoverRowIdx = -1;        // row under the mouse, -1 for none
    bool FShowSel = true;         // the selection is shown
    bool FHasCellProps = false;   // some record was made (cleared when a descendant empties)
    int FMergeCount = 0;          // +1 per MergeCells, -1 per SplitCells
    int FPaintID = 1;             // the current paint pass

private:
    friend class TCellProperties;
    // The record in the slot, or nullptr (also for a slot holding another kind of object).
    TCellProperties *PropsAt(int ACol, int ARow) const;
    // PropsAt for cells inside the grid only (HasCellProperties).
    TCellProperties *InGridPropsAt(int ACol, int ARow) const;
    // The base cell of a cell with record P; the cell itself when the spans point outside
    // the store.
    TPoint BaseOf(const TCellProperties *P, int ACol, int ARow) const;
    // The record of the base cell of a merged cell, or nullptr for a plain cell.
    const TCellProperties *BaseProps(int ACol, int ARow, TPoint &Base) const;
    void FreeProps(int ACol, int ARow, bool FreeGraphic);
    bool RightToLeft() const;

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    QPointer<TDazGridUndoRedo> FUndoRedo;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FDestroying = false;
};
