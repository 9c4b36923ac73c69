#pragma once
// TCellProperties: the optional per-cell record of a base grid (colours, font, alignment,
// merge spans, read-only flag, editor kind, embedded control, user object, cell graphic).
// The grid keeps it in the cell's object slot and owns it.
//
// Merge spans: a plain cell has IsBaseCell true and both spans -1. The base (top-left) cell
// of a merge of w x h cells has spans (w-1, h-1); every other cell of it has IsBaseCell
// false and spans equal to its offset from the base cell.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridstore.h"
#include "platform/canvas.h"

#include <QString>
#include <algorithm>
#include <cstdint>

class QWidget;
class TBaseGrid;

class TCellProperties : public TPersistent
{
public:
    // A bare record for cell (ACol, ARow) of AOwner (which may be nullptr): no colours, no
    // spans. Marks the owner as holding cell records.
    TCellProperties(TBaseGrid *AOwner, int ACol, int ARow);

    TBaseGrid *OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int Value) { FOwnerCol = Value; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int Value) { FOwnerRow = Value; }

    // The base cell of the merge that (ACol, ARow) belongs to, judged from this record's
    // spans; the cell itself when it is a base cell or unmerged.
    TPoint GetBaseCell(int ACol, int ARow) const;

    // Copies the look, spans, owner cell, user object and control of another record (no
    // repaints). The owner grid, graphic, BrushColorTo, GradientDirection, paint pass and
    // calculation fields stay. A source of another class is ignored.
    void Assign(const TPersistent *Source) override;

    // The user's value for the cell (a pointer-sized number; not owned).
    uintptr_t CellObject() const { return FObject; }
    void SetCellObject(uintptr_t Value) { FObject = Value; }
    // The cell graphic (owned only when its class is "TCellGraphic").
    TObject *GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject *Value) { FGraphicObject = Value; }

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);      // repaints the owner cell
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);    // repaints the owner cell
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString &Value) { FFontName = Value; }
    // Spans are kept within -1 and the store's limits, so base cells and merge ends computed
    // from them never overflow.
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int Value) { FCellSpanX = std::clamp(Value, -1, TGridStore::MaxColumns - 1); }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int Value) { FCellSpanY = std::clamp(Value, -1, TGridStore::MaxRows - 1); }
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);   // repaints the owner cell
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);            // repaints the owner cell
    // The number of the paint pass that last painted this merge (the grid's counter).
    int PaintID() const { return FPaintID; }
    void SetPaintID(int Value) { FPaintID = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject *CalcObject() const { return FCalcObject; }   // not owned
    void SetCalcObject(TObject *Value) { FCalcObject = Value; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int Value) { FNodeLevel = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    QWidget *Control() const { return FControl; }   // not owned
    void SetControl(QWidget *Value) { FControl = Value; }

private:
    void RepaintOwnerCell();

    TBaseGrid *FOwnerGrid;
    uintptr_t FObject = 0;
    TObject *FGraphicObject = nullptr;
    TObject *FCalcObject = nullptr;
    QWidget *FControl = nullptr;
    QString FFontName;
    int FOwnerCol;
    int FOwnerRow;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    TColor FFontColor = clNone;
    TColor FBorderColor = 0;
    int FFontSize = 0;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    int FPaintID = 0;
    int FNodeLevel = 0;
    TFontStyles FFontStyle = 0;
    TBrushStyle FBrushStyle = bsSolid;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    TColumnCalcType FCalcType = acNONE;
    TEditorType FEditor = edNormal;
    TCellGradientDirection FGradientDirection = GradientVertical;
    bool FWordWrap;
    bool FIsBaseCell = true;
    bool FReadOnly = false;
};
