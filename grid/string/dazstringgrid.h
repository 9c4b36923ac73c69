#pragma once
// TDazStringGrid: the table control of every editor window. On top of the base grid's cell
// store, cell records and merges it adds hidden columns and rows, per-cell graphic objects,
// typed cell values, header lists, settings objects for the data tools and the drop-down
// editors, and a large set of per-cell appearance accessors.
//
// Indexes: a real column names where a column's data lives (0..AllColCount-1, hidden ones
// included), a display column its place on screen (0..ColCount-1). Rows likewise: a display
// row is a row of the grid now, a real row the index it would have with no row hidden.
// Cells and the per-cell accessors take a real column and a display row; the All...
// accessors take a real column and a real row.
//
// Loading: a window sets the stored properties between BeginLoading and Loaded, as a
// window description would; some setters behave differently meanwhile (see each one).
//
// Helper windows and editor controls are made on first use, not by the constructor.
//
// The class is split by topic over several files: dazstringgrid.cpp (lifecycle),
// dazstringgrid_dimensions.cpp, dazstringgrid_cells.cpp, dazstringgrid_values.cpp,
// dazstringgrid_hidden.cpp, dazstringgrid_structure.cpp, dazstringgrid_update.cpp,
// dazstringgrid_selection.cpp; in-place editing in dazstringgrid_edit.cpp, _editors.cpp,
// _validate.cpp, _advance.cpp and _wndproc.cpp.
#include "grid/base/basegrid.h"
#include "grid/base/cellshape.h"
#include "grid/base/gridadapters.h"
#include "grid/base/gridsettings.h"
#include "grid/base/intlist.h"
#include "grid/base/picture.h"
#include "grid/base/styledetect.h"
#include "grid/base/stringlist.h"
#include "grid/base/textroutines.h"
#include "grid/string/borderstyle.h"
#include "grid/string/cellgraphic.h"
#include "grid/string/controllook.h"
#include "grid/string/editevents.h"
#include "grid/string/filter.h"
#include "grid/string/gridlooksettings.h"
#include "grid/string/hiddenindex.h"
#include "grid/string/rowstates.h"
#include "grid/string/sortsettings.h"
#include "grid/string/stringgridsettings.h"

#include <QCursor>
#include <QPointer>
#include <QTimer>
#include <bitset>
#include <memory>
#include <stdexcept>
#include <vector>

class TDazStringGrid;
class TDazInplaceEdit;
class TGridCombo;
class TGridCheckBox;
class TDazStringGridCheck;
class TASGDropTarget;
class TEditLink;
class TGridSpin;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridDatePicker;
class TGridButton;
class TGridDateTimePicker;
class TDazRichEdit;
class TScrollControl;
class IDropDownEditor;
class QLineEdit;
class QComboBox;
class QMenu;
struct THtmlRenderResult;
class QWheelEvent;

// A failure of a grid operation, with a fixed English message.
class EDazGridError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Told of every change of cells, after the grid's OnCellsChanged. Derive and override.
class TGridChangeNotifier : public TObject
{
public:
    virtual void CellsChanged(const TRect &) {}
};

// Events of the structure, selection and current-row operations.
using TCellsChangedEvent = std::function<void(TObject *Sender, const TRect &R)>;
using TRowChangedEvent = std::function<void(TObject *Sender, int OldRow, int NewRow)>;
using TRowChangingEvent =
    std::function<void(TObject *Sender, int OldRow, int NewRow, bool &Allow)>;
using TColChangingEvent =
    std::function<void(TObject *Sender, int OldCol, int NewCol, bool &Allow)>;
using TCellChangingEvent = std::function<void(TObject *Sender, int OldRow, int OldCol,
                                              int NewRow, int NewCol, bool &Allow)>;
using TRowDisjunctSelectEvent =
    std::function<void(TObject *Sender, int ARow, bool AState, bool &Allow)>;
// Events of the check boxes, radio buttons, keyboard and mouse.
using TRadioClickEvent = std::function<void(TObject *Sender, int ACol, int ARow, int AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TOleDragEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &Data, bool &Allow)>;
using TOleDragStartEvent = std::function<void(TObject *Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject *Sender, int OLEEffect)>;
using TGetCheckEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TCanClickCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &Allow)>;
using TSelectionChangedEvent =
    std::function<void(TObject *Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TGridClipboardEvent = std::function<void(TObject *Sender, bool &Allow)>;

// Told of every new current cell.
class ITDazStringGridSelect
{
public:
    virtual ~ITDazStringGridSelect() = default;
    virtual void SelectionChanged(int ACol, int ARow) = 0;
};

enum TGridLook {
    glStandard,
    glSoft,
    glClassic,
    glQVR,
    glXP,
    glListView,
    glVista,
    glWin7,
    glOffice2007,
    glCustom
};
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THintPos { hpCell, hpMouse };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };

// --- Types of the per-cell queries, painting, cell graphics, sizing, scrolling and hints ---
class QTimer;
class TCustomImageList;
class TPageCanvas;
class TPictureContainer;
using TPictureContainerPtr = TPictureContainer *;
class TFooterPanel;
class TControlEdit;
class TControlCombo;
class THTMLHintWindow;
class TScrollControl;

enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
using TDragScrollDirection = TSet<TDragScrollDirections>;
enum TGridExportState {
    esExportStart,
    esExportNewRow,
    esExportDone,
    esExportSelRow,
    esExportFail,
    esExportNextRow
};
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };

// Page size and range of a cell's own scroll bar.
struct TScrollProp
{
    int PageSize = -1;
    int Range = -1;
};

// What a hint request carries in and out (client coordinates in, screen position out).
struct THintInfo
{
    QPoint CursorPos;
    QPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    bool HtmlWindow = false;   // the hint is drawn by THTMLHintWindow
    TDazStringGrid *HintData = nullptr;
};

// An object that draws itself into a cell (ctInterface cells). A width or height of 0
// means the cell's.
class IGridCellObject
{
public:
    virtual ~IGridCellObject() = default;
    virtual void Draw(TCanvas &Canvas, const TRect &R, int ACol, int ARow, bool Selected,
                      TDazStringGrid *Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Painted before the text rather than after it.
    virtual bool IsBackground() = 0;
};

using THasComboEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &HasComboBox)>;
using THasSpinEditEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, bool &HasSpinEdit)>;
using TIsFixedCellEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &IsFixed)>;
using TIsPasswordCellEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, bool &IsPassword)>;
using TWordWrapEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &WordWrap)>;
using TGetCheckEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TGetColumnFilterEvent =
    std::function<void(TObject *Sender, int Column, TStringList &Filter)>;
using TGridWideHintEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, QString &hintstr)>;
using TCellCursorEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, int X, int Y, QCursor &ACursor)>;
using TSearchFooterActionEvent =
    std::function<void(TObject *Sender, const QString &Value, int ACol, int ARow,
                       TSearchAction SearchAction)>;
using TDateTimeChangeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TEditChangeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject *Sender, int ACol, bool &CanShow)>;
using TCellSaveLoadEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TFixedEditEvent = std::function<void(TObject *Sender, int ACol, int ARow,
                                           TGridFixedCellEditor &AEditor, TStringList &Values)>;
using TSelectionChangedEvent = std::function<void(TObject *Sender, int ALeft, int ATop,
                                                  int ARight, int ABottom)>;
using TRatingChangeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, double &NewRate, bool &Allow)>;
using TDragScrollEvent = std::function<void(TObject *Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection &Dir, bool &CanScroll)>;
using TScrollCellEvent = std::function<void(TObject *Sender, int ACol, int ARow,
                                            int ScrollPosition, int ScrollMin, int ScrollMax)>;
using TControlClickEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &CtrlID,
                       const QString &CtrlType, const QString &CtrlVal)>;
using TFixedDropDownClickEvent = std::function<void(TObject *Sender, int ACol, int ARow,
                                                    QMenu *&AMenu, bool &KeepFixedCellHighlighted)>;
using TSelectionResizeEvent = std::function<void(TObject *Sender, const TGridRect &OrigSelection,
                                                 const TGridRect &NewSelection)>;
using TFooterPaintEvent =
    std::function<void(TObject *Sender, int AColumn, TCanvas &Canvas, const TRect &ARect)>;

// --- Types of the nodes, looks and styles, hover and header drags, and the periphery ---
class TSearchPanel;
class TGridFocusWindow;
class TArrowWindow;
class THeaderDragButton;
class TSizingLine;
class TDragImageForm;
class QScrollBar;

using TNodeClickEvent = std::function<void(TObject *Sender, int ARow, int ARowReal)>;
using TNodeAllowEvent =
    std::function<void(TObject *Sender, int ARow, int ARowReal, bool &Allow)>;
// A column (row) drag asks whether the column may move / land at ACol (ARow).
using TColumnMoveEvent = std::function<void(TObject *Sender, int ACol, bool &Allow)>;
using TRowMoveEvent = std::function<void(TObject *Sender, int ARow, bool &Allow)>;
using TUnitChangedEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, const QString &NewUnit)>;

// The grid's colour presets; the same values in the same order as TQVRStyle.
enum TDazGridStyle {
    gsOffice2003Blue,
    gsOffice2003Silver,
    gsOffice2003Olive,
    gsOffice2003Classic,
    gsOffice2007Luna,
    gsOffice2007Obsidian,
    gsWindowsXP,
    gsWhidbey,
    gsCustom,
    gsOffice2007Silver,
    gsWindowsVista,
    gsWindows7,
    gsTerminal,
    gsOffice2010Blue,
    gsOffice2010Silver,
    gsOffice2010Black
};
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };

// The pointer shapes the grid shows over its cells.
enum TGridCursor {
    gcHandPoint,   // links
    gcDrag,        // a header drag that may drop here
    gcNoDrop,      // ... that may not
    gcColSelect,   // a press selects the column
    gcRowSelect,   // ... the row
    gcAllSelect,   // ... every cell
    gcSplitH,      // a column border
    gcSplitV       // a row border
};
const QCursor &GridCursor(TGridCursor Kind);

// The colours of an application-wide style that every grid takes over (the framework's
// styles). clNone leaves that colour as it is.
struct TGridStyleColors
{
    QString Name;
    TColor CellColor = clNone;     // fill of a normal cell
    TColor CellBorder = clNone;    // its border
    TColor FixedBorder = clNone;   // border of a fixed cell
    TColor CellText = clNone;
    TColor SelectedText = clNone;
    TColor FixedText = clNone;
};

// The active style; none (the default) is the plain "Windows" look. Setting it tells every
// grid of the process (ApplyStyleColors).
void SetActiveGridStyle(const TGridStyleColors *Style);
const TGridStyleColors *ActiveGridStyle();

class TDazStringGrid : public TBaseGrid, public TFreeNotifyClient
{
    friend class TGridPrintRun;   // the print engine draws through the cell painters
    friend class TGridOffice;     // office exchange reads and writes through the cell hooks
    friend class TGridFileAccess;   // the cell stream and text files read the save hook, set the node count
    friend class TGridExchange;     // text exchange, clipboard and drops: save hook, largest row count, clipboard state
    Q_OBJECT
public:
    explicit TDazStringGrid(QWidget *AOwner = nullptr);
    ~TDazStringGrid() override;

    // --- Lifecycle -----------------------------------------------------------------------
    bool Loading() const { return FLoading; }
    // Properties set from now on are those of a window description.
    void BeginLoading() { FLoading = true; }
    // The description has been read: headers into the fixed row and column, the requested
    // fixed counts and minimum sizes recorded, goAlwaysShowEditor taken over.
    virtual void Loaded();
    // Takes the colours of the active style unless it is the plain "Windows" look.
    void ApplyStyleColors();
    bool UseStyleColors() const { return FUseStyleColors; }
    bool IsLoaded() const { return FLoaded; }
    // Copies settings, dimensions, widths, heights and cells of another string grid; any
    // other source is ignored.
    virtual void Assign(const TObject *Source);
    // Copies the dimensions, column widths and cell texts of another string grid.
    virtual void AssignCells(const TObject *Source);
    // Repaints the grid, except once right after an editor change (the flag is cleared).
    void Invalidate();
    // setGeometry with the height fitted to whole rows under IntegralHeight.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Applies ScrollBarAlways: bars kept visible (arrows disabled while everything fits);
    // with saNone and HideUnneeded, bars that are not needed are hidden.
    void UpdateScrollBarsAlways(bool HideUnneeded);
    void SetBorderColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }

    // --- Dimensions ----------------------------------------------------------------------
    int RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(int Value);
    int ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(int Value);
    // At least 1 while FixedRowAlways (FixedColAlways) is set.
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    void SetDefaultRowHeight(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }
    // The width a hidden column had; the display width of a shown one.
    int AllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    QCursor Cursor() const { return cursor(); }
    void SetCursor(const QCursor &Value);
    // The current display column; a synchronised grid follows with SelectionColumn.
    int Col() const { return TBaseGrid::Col(); }
    void SetCol(int Value);
    // The largest row / column count the grid ever had.
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }
    // Columns included, hidden or not.
    int TotalColCount() const override { return AllColCount(); }

    // --- Hidden columns and rows: index maps ---------------------------------------------
    int NumHiddenColumns() const { return FHiddenColumns.Count(); }
    int NumHiddenRows() const { return FHiddenRows.Count(); }
    int RealColIndex(int ACol) const { return FHiddenColumns.DisplToReal(ACol); }
    int DisplColIndex(int ACol) override { return FHiddenColumns.RealToDispl(ACol); }
    int RealRowIndex(int ARow) const { return FHiddenRows.DisplToReal(ARow); }
    int DisplRowIndex(int ARow) const { return FHiddenRows.RealToDispl(ARow); }
    bool IsHiddenColumn(int ACol) const { return FHiddenColumns.IsHidden(ACol); }
    // The record of a hidden real row, or nullptr.
    TGridItem *HiddenRowItem(int ARealRow) const { return FHiddenRows.Find(ARealRow); }
    THiddenColumns &HiddenColumns() { return FHiddenColumns; }
    THiddenRows &HiddenRows() { return FHiddenRows; }
    int TotalRowCount() const { return AllRowCount(); }
    int RealRow() const { return RealRowIndex(Row()); }
    bool IsHiddenRow(int ARow) const { return FHiddenRows.IsHidden(ARow); }

    // --- Hiding columns and rows (dazstringgrid_hidden.cpp) ------------------------------
    // A hidden column keeps its cells in place; a hidden row leaves the grid, its cells,
    // objects and height kept in a record of the hidden-row store.
    // Real columns; the last displayed column is never hidden.
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsIgnoredColumn(int ACol) const { return FIgnoreColumns.HasValue(ACol); }
    // The first real column whose row-0 text is AValue (case-sensitive), -1 when none.
    int ColumnByHeader(const QString &AValue);
    // Real rows; the last shown row is never hidden.
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // The display rows of one filter step, hidden at the current hide level, which then
    // rises by one.
    void HideRowList(const std::vector<int> &RowList);
    void HideRowList(const TIntList &RowList);
    void UnHideRow(int ARow);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // Shows the rows of the newest filter step; the caller lowers the hide level.
    void UnHideRowList();
    int HideLevel() const { return FHiddenRows.HideLevel(); }
    void SetHideLevel(int Value) { FHiddenRows.SetHideLevel(Value); }

    // --- Row and column structure (dazstringgrid_structure.cpp) --------------------------
    // Removed rows and columns free their cell records and graphics; moved ones keep them.
    // Row operations take display rows; column operations real columns.
    virtual void RemoveRows(int RowIndex, int RCount);
    // As RemoveRows, but the row heights stay with their places, and cell controls and the
    // modified and enabled marks do not move.
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    // Takes rows out without freeing their objects (they belong to the caller, e.g. the
    // records of hidden rows); ShiftHidden moves the hidden rows after them up.
    void RemoveRowsInternal(int RowIndex, int RCount, bool ShiftHidden);
    // Frees the rows' objects, then RemoveRowsInternal(RowIndex, RCount, true).
    virtual void DeleteRowRange(int RowIndex, int RCount);
    // Keeps the first row of every text of display column ACol among the normal rows;
    // DoCase compares exactly, otherwise without regard to case.
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    // Removes, from the last row up, every row whose check box in CheckBoxColumn is checked
    // (RemoveChecked) or unchecked (!RemoveChecked).
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    // RCount empty rows before display row RowIndex (0..RowCount).
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void AddRow();
    virtual void InsertCols(int ColIndex, int CCount);
    void AddColumn() { InsertCols(AllColCount(), 1); }
    virtual void RemoveCols(int ColIndex, int CCount);
    void MergeCols(int ColIndex1, int ColIndex2, const QString &Separator);
    // Clears texts and frees cell records (columns real unless SaveHiddenCells maps them).
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void Clear();
    // Clear, then the texts and objects kept for hidden rows (the rows stay hidden).
    void ClearAll();
    void ClearSelection();
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    // Merges runs of equal texts down a column / along a row.
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    bool IsWideCell(int ACol, int ARow);
    // The first cell, row by row, whose raw text is SubStr.
    bool IsCell(const QString &SubStr, int &ACol, int &ARow) const;
    // Fires OnCellsChanged (left, top, right, bottom) and the registered notifiers.
    virtual void CellsChanged(const TRect &R);
    // Cell-change notifications are held back while set.
    bool BlockCellsChanged() const { return FBlockCellsChanged; }
    void SetBlockCellsChanged(bool Value) { FBlockCellsChanged = Value; }

    // --- Update lock, timer and messages (dazstringgrid_update.cpp) ----------------------
    // Nothing is painted while a block is open; the end of the outermost one repaints the
    // grid once. Blocks nest and count whether or not the grid is visible.
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate() { FUpdateLock.Begin(); }   // ended with ResetUpdate
    void ResetUpdate() { FUpdateLock.Reset(); }
    bool LockUpdate() const { return FUpdateLock.Locked(); }
    void SetLockUpdate(bool Value);
    void ResetFixedCellHighlight();
    bool IsHoverFixedCell(int ACol, int ARow) const;
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool GridBlink() const { return FGridBlink; }
    int TimerTicks() const { return FTimerTicks; }
    // The incremental-search text, forgotten 4 timer ticks after the last key.
    QString SearchInc() const { return FSearchInc; }
    void SetSearchInc(const QString &Value) { FSearchInc = Value; FSearchTics = 0; }
    // One tick of the 500 ms grid timer.
    void GridTimerTick();

    // --- Current row, selection and selected cells (dazstringgrid_selection.cpp) ---------
    // Row := Value fires OnRowChanged when the row differs from the last one reported.
    void SetRow(int Value);
    // Ignored outside FixedRows..RowCount-1.
    void SetTopRow(int Value);
    void SetSelection(const TGridRect &Value);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    // Moves the selection outside the grid (nothing shows selected) and back.
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelectionHidden; }
    void UpdateEditMode();
    bool IsSelected(int ACol, int ARow) const;
    // With DisjunctCellSelect, the listed cells; otherwise the rectangle's (the list is
    // rebuilt from it).
    int SelectedCellsCount();
    bool SelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    TGridCoord SelectedCell(int i) const;
    int SelectedColCount() const;
    int SelectedRowCount() const;
    int SelectedRow(int i) const;   // -1 past the selected rows
    // The selection as text: TAB between cells, CR LF between rows.
    QString SelectedText();
    void ClearSelectedCells();
    void ClearModifiedRows();
    // The smallest rectangle holding every non-empty cell; (0, 0, 0, 0) for an empty grid.
    virtual TGridRect UsedCells() const;
    int SaveStartCol() const;
    int SaveEndCol() const;
    int SaveColCount() const;
    int SaveStartRow() const;
    int SaveEndRow() const;
    int SaveRowCount() const;
    void ScreenToCell(QPoint P, int &ACol, int &ARow) const;
    bool IsOnSizingBorder(int X, int Y) const;
    // Asks the selection gate for the current cell again.
    bool Select() { return SelectCell(Col(), Row()); }
    bool ForceSel() const { return FForceSel; }
    void SetForceSel(bool Value) { FForceSel = Value; }
    bool EditDisable() const { return FEditDisable; }

    // --- Disjunct selection, row marks, repaint helpers (dazstringgrid_selection.cpp) ----
    // RowSelect throws "Invalid row N accessed" / "Invalid row accessed", ColSelect
    // "Invalid column accessed" (EDazGridError) for an index outside the grid.
    bool RowSelect(int ARow) const;
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol) const;
    void SetColSelect(int ACol, bool Value);
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    bool UseEnabledRows() const { return FUseEnabledRows; }
    int RowSelectCount() const;
    int ColSelectCount() const;
    int ModifiedRowCount() const;
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    void RepaintRect(const TGridRect &R);   // cells; nothing for a negative coordinate
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    // Exchanges two cells' texts and objects in the store (no events, no repaint).
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    // Selection := the single cell (the framework's three-argument form moves the cell).
    void FocusCell(int ACol, int ARow);
    using TBaseGrid::FocusCell;
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);
    void RepaintActiveHeaders(TGridCoord A, TGridCoord B);
    bool LastRowAboveSearchPanel();
    void ScrollAboveSearchPanel();

    TCellsChangedEvent OnCellsChanged;
    TRowChangedEvent OnRowChanged;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TAutoInsertRowEvent OnRowDisjunctSelected;
    TCanAddRowEvent OnCanAddRow;
    TCanInsertRowEvent OnCanInsertRow;

    // --- Appearance ----------------------------------------------------------------------
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { Change(FSelectionColor, Value); }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { Change(FSelectionColorTo, Value); }
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value) { Change(FSelectionMirrorColor, Value); }
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value) { Change(FSelectionMirrorColorTo, Value); }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { Change(FSelectionTextColor, Value); }
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value) { Change(FSelectionColorMixer, Value); }
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value) { Change(FSelectionRectangle, Value); }
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value) { Change(FSelectionResizer, Value); }
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value) { Change(FDefaultAlignment, Value); }
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value);   // clamped to 0..100
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    unsigned VAlignFlags() const { return FVAlignFlags; }   // DT_TOP, DT_VCENTER, DT_BOTTOM
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool AutoSize() const { return FAutoSize; }
    // Switched on outside loading, the columns are sized to their contents at once
    // (through OnAutoSizeColumns).
    void SetAutoSize(bool Value);
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value);
    bool SpreadSheet() const { return FSpreadSheet; }
    // Whatever the value: selection rectangle and resizer, smart clipboard, range selection,
    // editing and range-select-and-edit are switched on.
    void SetSpreadSheet(bool Value);
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value) { FUseHTMLHints = Value; }
    // Stored as plain RGB values.
    TColor QVRGradientFrom() const { return FQVRGradientFrom; }
    void SetQVRGradientFrom(TColor Value) { SetRGB(FQVRGradientFrom, Value); }
    TColor QVRGradientTo() const { return FQVRGradientTo; }
    void SetQVRGradientTo(TColor Value) { SetRGB(FQVRGradientTo, Value); }
    TColor QVRGradientMirrorFrom() const { return FQVRGradientMirrorFrom; }
    void SetQVRGradientMirrorFrom(TColor Value) { SetRGB(FQVRGradientMirrorFrom, Value); }
    TColor QVRGradientMirrorTo() const { return FQVRGradientMirrorTo; }
    void SetQVRGradientMirrorTo(TColor Value) { SetRGB(FQVRGradientMirrorTo, Value); }
    // Hover and down looks of fixed cells, fed by ControlLook (stored, no repaint).
    struct TFixedCellLook
    {
        TColor HoverFrom = clNone, HoverTo = clNone, HoverMirrorFrom = clNone,
               HoverMirrorTo = clNone, HoverBorder = clNone, DownFrom = clNone,
               DownTo = clNone, DownMirrorFrom = clNone, DownMirrorTo = clNone,
               DownBorder = clNone;
    };
    TFixedCellLook &QVRFixedLook() { return FQVRFixedLook; }
    TColor QVRGradientHoverFrom() const { return FQVRFixedLook.HoverFrom; }
    void SetQVRGradientHoverFrom(TColor Value) { FQVRFixedLook.HoverFrom = Value; }
    TColor QVRGradientHoverTo() const { return FQVRFixedLook.HoverTo; }
    void SetQVRGradientHoverTo(TColor Value) { FQVRFixedLook.HoverTo = Value; }
    TColor QVRGradientHoverMirrorFrom() const { return FQVRFixedLook.HoverMirrorFrom; }
    void SetQVRGradientHoverMirrorFrom(TColor Value) { FQVRFixedLook.HoverMirrorFrom = Value; }
    TColor QVRGradientHoverMirrorTo() const { return FQVRFixedLook.HoverMirrorTo; }
    void SetQVRGradientHoverMirrorTo(TColor Value) { FQVRFixedLook.HoverMirrorTo = Value; }
    TColor QVRGradientHoverBorder() const { return FQVRFixedLook.HoverBorder; }
    void SetQVRGradientHoverBorder(TColor Value) { FQVRFixedLook.HoverBorder = Value; }
    TColor QVRGradientDownFrom() const { return FQVRFixedLook.DownFrom; }
    void SetQVRGradientDownFrom(TColor Value) { FQVRFixedLook.DownFrom = Value; }
    TColor QVRGradientDownTo() const { return FQVRFixedLook.DownTo; }
    void SetQVRGradientDownTo(TColor Value) { FQVRFixedLook.DownTo = Value; }
    TColor QVRGradientDownMirrorFrom() const { return FQVRFixedLook.DownMirrorFrom; }
    void SetQVRGradientDownMirrorFrom(TColor Value) { FQVRFixedLook.DownMirrorFrom = Value; }
    TColor QVRGradientDownMirrorTo() const { return FQVRFixedLook.DownMirrorTo; }
    void SetQVRGradientDownMirrorTo(TColor Value) { FQVRFixedLook.DownMirrorTo = Value; }
    TColor QVRGradientDownBorder() const { return FQVRFixedLook.DownBorder; }
    void SetQVRGradientDownBorder(TColor Value) { FQVRFixedLook.DownBorder = Value; }

    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value) { Store(FActiveCellColor, Value); }
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value) { Store(FActiveCellColorTo, Value); }
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value) { Store(FActiveCellShow, Value); }
    TFontObject &ActiveCellFont() { return FActiveCellFont; }
    void SetActiveCellFont(const TFontObject &Value) { FActiveCellFont.Assign(&Value); }
    TFontObject &FixedFont() { return FFixedFont; }
    void SetFixedFont(const TFontObject &Value) { FFixedFont.Assign(&Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value) { Change(FShowDesignHelper, Value); }
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value) { FHovering = Value; }
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(TPoint Value);
    void UpdateXYOffset(int X, int Y) { FXYOffset = {X, Y}; }
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    TBitmap &RowIndicator() { return FRowIndicator; }
    void SetRowIndicator(const TBitmap &Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    TGridLook Look() const { return FLook; }

    // --- Scaling -------------------------------------------------------------------------
    // The base grid's scaling, then the fixed and active-cell fonts scaled by M / D.
    void ChangeScale(int M, int D);
    // Widens every column and heightens every row by X pixels; the summed zoom stays
    // within -10..10.
    void Zoom(int X);
    int ZoomFactor() const { return FZoomFactor; }
    int CellXMargin() const;
    int CellYMargin() const;
    // The longest line among the cells of a column (as saved), in characters.
    int MaxColLineLength(int ACol);
    // The largest number of lines among the cells of a row (1 without Multilinecells).
    int MaxRowLines(int ARow);
    // Start point of rotated text (Rect's Left and Top are moved to it).
    void PlaceRotatedText(TRect &Rect, int Angle, const QString &Text, TAlignment HAlign,
                          TVAlignment VAlign);
    static void AlignRotatedTextRect(TRect &Rect, TAlignment HAlign, TVAlignment VAlign,
                                     int Angle, int W1, int W2, int H1, int H2);

    // --- Cell access ---------------------------------------------------------------------
    // The display text of a cell (real column, display row) and its write; both follow a
    // merge to its base cell.
    QString Cells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
    void SetCells(int ACol, int ARow, const QString &Value) { SetCellEx(ACol, ARow, Value); }
    // Real column, real row (hidden rows from their records); negative indexes read "".
    QString AllCells(int ACol, int ARow);
    void SetAllCells(int ACol, int ARow, const QString &Value);
    // The raw text; writing a hidden row's missing column throws EStringListError.
    QString AllGridCells(int ACol, int ARow) const;
    void SetAllGridCells(int ACol, int ARow, const QString &Value);
    QString AllWideCells(int ACol, int ARow);
    void SetAllWideCells(int ACol, int ARow, const QString &Value);
    uintptr_t AllObjects(int ACol, int ARow) const;
    void SetAllObjects(int ACol, int ARow, uintptr_t Value);
    // The raw object slot of a cell by real row.
    TObject *GetAllGridObject(int ACol, int ARow) const;
    // The position column ACol had before any column move (ACol while none moved).
    int ColumnPosition(int ACol) const;
    // The cell of the column that stood at position ACol before any column move.
    QString OriginalCells(int ACol, int ARow);
    void SetOriginalCells(int ACol, int ARow, const QString &Value);
    // The cell of the row that stood at ARow before the grid was sorted.
    QString UnSortedCells(int ACol, int ARow);
    void SetUnSortedCells(int ACol, int ARow, const QString &Value);
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    QString StrippedCells(int ACol, int ARow);   // without mark-up
    int LinesInCell(int ACol, int ARow);          // 1 + the CRs of the text
    QString WideCells(int ACol, int ARow) { return Cells(ACol, ARow); }
    void SetWideCells(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }
    // The stored texts of a hidden row, or nullptr.
    const TStringList *HiddenRowCells(int ARealRow) const;
    // The control placed in a cell (not owned); placing one makes the grid its parent and
    // puts it over the cell.
    QWidget *CellControls(int ACol, int ARow) const;
    void SetCellControls(int ACol, int ARow, QWidget *AControl);
    int CellControlCount() const { return FCellControlCount; }
    const TControlList &ControlList() const { return FControlList; }
    // The raw text of the current cell (RealCol, Row), or of the base of its merge.
    virtual QString GetCurrentCell();
    virtual void SetCurrentCell(const QString &Value);
    QString CurrentCell() { return GetCurrentCell(); }
    int RealCol() const { return RealColIndex(Col()); }
    virtual QString GetCurrentCellText();
    virtual void SetCurrentCellEditText(const QString &Value);
    bool EditWithTags() const { return FEditWithTags; }
    void SetEditWithTags(bool Value) { FEditWithTags = Value; }

    // Per-cell looks (real column, display row). Reads never make a cell record and give
    // the none value (clNone, 0, ""); writes make it and repaint the cell.
    TColor Colors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor ColorsTo(int ACol, int ARow) const;
    void SetColorsTo(int ACol, int ARow, TColor Value);
    TCellGradientDirection Gradients(int ACol, int ARow) const;
    void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
    TColor FontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TFontStyles FontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    int FontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    QString FontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const QString &Value);
    TAlignment Alignments(int ACol, int ARow) const;
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    bool ReadOnly(int ACol, int ARow) const;
    void SetReadOnly(int ACol, int ARow, bool Value);
    // The one accessor whose read makes the record.
    bool WordWraps(int ACol, int ARow);
    void SetWordWraps(int ACol, int ARow, bool Value);
    // The grid's Font for a cell without a record; otherwise the grid's one scratch font
    // filled with the cell's values (each read overwrites the previous one).
    TFontObject &Fonts(int ACol, int ARow);
    void SetFonts(int ACol, int ARow, const TFontObject &Value);
    // Every real column from FixedCols of a display row. clNone takes the colour away and
    // frees the records of cells that then hold nothing else.
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);

    // --- Typed values --------------------------------------------------------------------
    // Ints, Floats, Dates and Times address a display row; the All forms a real row and
    // the raw text. "" and "-" read as 0; another text that is no number throws
    // EDazGridError. Dates and Times use the user's formats; a bad text throws
    // EConvertError.
    int Ints(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    int AllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);   // in the cell's float format
    double AllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);   // in FloatFormat
    TDateTime Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime AllDates(int ACol, int ARow);
    void SetAllDates(int ACol, int ARow, TDateTime Value);
    TDateTime Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    // The VALUE of the cell's CONTROL tag with that ID ("" when there is none).
    QString ControlValues(int ACol, int ARow, const QString &ID);
    void SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value);
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString &Value) { FFloatFormat = Value; }
    bool ShowNullDates() const { return FShowNullDates; }
    void SetShowNullDates(bool Value) { FShowNullDates = Value; }

    // --- Headers -------------------------------------------------------------------------
    // Texts of row 0 / column 0; a change of the list rewrites the header.
    TStringList &ColumnHeaders() { return FColumnHeaders; }
    void SetColumnHeaders(const TStringList &Value);
    TStringList &RowHeaders() { return FRowHeaders; }
    void SetRowHeaders(const TStringList &Value);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();
    TStringList &LookupItems() { return FLookupItems; }
    void SetLookupItems(const TStringList *Value);

    // --- Settings objects (their setters copy the given object) --------------------------
    TSearchFooter &SearchFooter() { return FSearchFooter; }
    TFloatingFooter &FloatingFooter() { return FFloatingFooter; }
    TPrintSettings &PrintSettings() { return FPrintSettings; }

    // --- Printing and preview (grid/tools/gridprint.cpp runs them) -----------------------
    // Page events get the page canvas, in tenths of a millimetre with y growing upward.
    std::function<void(TObject *Sender, TPageCanvas &Canvas, int PageNr, int PageXSize,
                       int PageYSize)> OnPrintPage;
    std::function<void(TObject *Sender, TPageCanvas &Canvas, int LastRow, int LastRowOffset,
                       int LastPage, int PageXSize, int PageYSize)> OnPrintPageDone;
    std::function<void(TObject *Sender, int ARow, bool &NewPage)> OnPrintNewPage;
    std::function<void(TObject *Sender, int PageNr, bool &Cancel)> OnPrintCancel;
    std::function<void(TObject *Sender, int PageNum, int PageColNum, QString &PageNumString)>
        OnPrintGetPageNum;
    std::function<void(TObject *Sender, double &ScaleFactor, bool &Allow)> OnFitToPage;
    std::function<void(TObject *Sender, int ACol, int &Width)> OnPrintSetColumnWidth;
    std::function<void(TObject *Sender, int ARow, int &Height)> OnPrintSetRowHeight;
    std::function<void(TObject *Sender, int NrOfPages, int &FromPage, int &ToPage)> OnPrintStart;
    std::function<void(TObject *Sender, TCanvas &Canvas, int ACol, int ARow, TPoint &ASize,
                       bool Printing)> OnCustomCellSize;
    // The page a preview draws: reads the first page to draw, sets the first and the last.
    int PreviewPage() const { return PrintPageFrom(); }
    void SetPreviewPage(int Value)
    {
        SetPrintPageFrom(Value);
        SetPrintPageTo(Value);
    }
    CF_GRID_PLAIN_PROPERTY(bool, FastPrint, false)
    CF_GRID_PLAIN_PROPERTY(bool, PrinterDriverFix, false)
    // Selected rich-text cells keep their own text colours.
    CF_GRID_PLAIN_PROPERTY(bool, SelectionRTFKeep, false)
    CF_GRID_PLAIN_PROPERTY(bool, IsPrintPreview, false)
    CF_GRID_PLAIN_PROPERTY(int, PrintNrOfPages, 0)
    CF_GRID_PLAIN_PROPERTY(TRect, PrevRect, {})
    CF_GRID_PLAIN_PROPERTY(TGridRect, PrintRectangle, {})
    // The fit-to-page factor MapFontHeight applies while rows are measured and drawn.
    CF_GRID_PLAIN_PROPERTY(double, Fontscalefactor, 1.0)
public:
    THTMLSettings &HTMLSettings() { return FHTMLSettings; }
    TSortSettings &SortSettings() { return FSortSettings; }
    void SetSortSettings(const TSortSettings &Value) { FSortSettings.Assign(&Value); }
    TDragDropSettings &DragDropSettings() { return FDragDropSettings; }
    // The drop target of the viewport while DragDropSettings.OleDropTarget is on.
    TASGDropTarget *DropTarget() const { return FDropTargetRegistered ? FDropTarget.get() : nullptr; }
    TDragScrollOptions &DragScrollOptions() { return FDragScrollOptions; }
    void SetDragScrollOptions(const TDragScrollOptions &Value);
    TControlLook &ControlLook() { return FControlLook; }
    TNavigation &Navigation() { return FNavigation; }
    TColumnSize &ColumnSize() { return FColumnSize; }
    TCellNode &CellNode() { return FCellNode; }
    TBands &Bands() { return FBands; }
    TSizeWhileTyping &SizeWhileTyping() { return FSizeWhileTyping; }
    TMouseActions &MouseActions() { return FMouseActions; }
    TGrouping &Grouping() { return FGrouping; }
    THTMLPictureCache &ImageCache() { return FImageCache; }
    TBackGround &BackGround() { return FBackGround; }
    void SetBackGround(const TBackGround &Value);
    TGridProgressAppearance &ProgressAppearance() { return FProgressAppearance; }
    void SetProgressAppearance(const TGridProgressAppearance &Value);
    TSyncGrid &SyncGrid() { return FSyncGrid; }
    TFocusHelper &FocusHelper() { return FFocusHelper; }
    void SetFocusHelper(const TFocusHelper &Value) { FFocusHelper.Assign(&Value); }
    TFilter &Filter() { return FFilter; }
    TBalloonSettings &Balloon() { return FBalloon; }
    void SetBalloon(const TBalloonSettings &Value) { FBalloon.Assign(&Value); }
    TShowModified &ShowModified() { return FShowModified; }
    void SetShowModified(const TShowModified &Value) { FShowModified.Assign(&Value); }
    TFilterDropDown &FilterDropDown() { return FFilterDropDown; }
    TStringList &FilterList() { return FFilterList; }
    TSortIndexList &SortIndexes() { return FSortIndexes; }
    TIntList &SortRowXRef() { return FSortRowXRef; }
    TIntList &MergedColumns() { return FMergedColumns; }
    TIntList &IgnoreColumns() { return FIgnoreColumns; }
    TIntList &ColumnOrder() { return FColumnOrder; }
    TCellGraphic &SharedCellGraphic() { return FCellGraphic; }

    // Listeners of the current cell and of cell changes.
    void RegisterSelListener(ITDazStringGridSelect *AListener) { FSelListener = AListener; }
    void UnRegisterSelListener(ITDazStringGridSelect *) { FSelListener = nullptr; }
    ITDazStringGridSelect *SelListener() const { return FSelListener; }
    void RegisterNotifier(TGridChangeNotifier *Item);
    void UnRegisterNotifier(TGridChangeNotifier *ANotifier);
    const std::vector<TGridChangeNotifier *> &Notifiers() const { return FNotifiers; }

    // --- Footer --------------------------------------------------------------------------
    // Recalculates the footer cells of the floating footer's last row (-1: all columns).
    virtual void CalcFooter(int ACol);

    // The edit-change flag: an editor just changed the cell (the next Invalidate is
    // swallowed).
    void SetEditChange() { FEditChange = true; }
    // Platform facts, answered as a modern system does.
    bool IsWinXP() const { return FIsWinXP; }
    bool IsWin7() const { return FIsWin7; }
    bool IsComCtlVer6() const { return FIsComCtlVer6; }
    bool IsVista() const { return FIsVista; }
    // The update lock's depth (BeginUpdate / EndUpdate).
    int UpdateCount() const { return FUpdateLock.Count(); }
    int WheelScrollLines() const { return FWheelScrollLines; }

    // --- Events --------------------------------------------------------------------------
    TNotifyEvent OnResize;
    TCalcFooterEvent OnFooterCalc;
    // Replaces the sizing of the columns to their contents (no fixed columns, Padding
    // pixels of padding) when assigned.
    std::function<void(TDazStringGrid *Grid, int Padding)> OnAutoSizeColumns;

    // --- Plain settings (stored only) ---------------------------------------------------
    CF_GRID_PLAIN_PROPERTY(TColor, HintColor, clInfoBk)
    CF_GRID_PLAIN_PROPERTY(TColor, DisabledFontColor, 0xC0C0C0)
    CF_GRID_PLAIN_PROPERTY(bool, UseDisabledFont, true)
public:
    TColor URLColor() const { return FURLColor; }
    bool URLShow() const { return FURLShow; }
    bool URLShowInText() const { return FURLShowInText; }
    bool URLFull() const { return FURLFull; }
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    // The Metro look's thin bars (right and bottom), absent in the other scroll types.
    TScrollControl *VertScrollControl() const { return FScrollControls[0]; }
    TScrollControl *HorzScrollControl() const { return FScrollControls[1]; }
    void CreateScrollControls();
    CF_GRID_PLAIN_PROPERTY(TColor, ScrollColor, clNone)
    CF_GRID_PLAIN_PROPERTY(int, ScrollWidth, 0)
    CF_GRID_PLAIN_PROPERTY(bool, ScrollProportional, false)
    CF_GRID_PLAIN_PROPERTY(bool, ScrollSynch, false)
    CF_GRID_PLAIN_PROPERTY(TScrollHintType, ScrollHints, shNone)
    CF_GRID_PLAIN_PROPERTY(TEditorType, DefaultEditor, edNormal)
    CF_GRID_PLAIN_PROPERTY(QString, CheckTrue, QStringLiteral("Y"))
    CF_GRID_PLAIN_PROPERTY(QString, CheckFalse, QStringLiteral("N"))
    CF_GRID_PLAIN_PROPERTY(QChar, PasswordChar, u'*')
    CF_GRID_PLAIN_PROPERTY(QString, XMLEncoding, QStringLiteral("ISO-8859-1"))
    CF_GRID_PLAIN_PROPERTY(QString, FilterDropDownClear, QStringLiteral("(All)"))
    CF_GRID_PLAIN_PROPERTY(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
    CF_GRID_PLAIN_PROPERTY(bool, FilterNormalCellsOnly, true)
    CF_GRID_PLAIN_PROPERTY(bool, AutoFilterUpdate, true)
    CF_GRID_PLAIN_PROPERTY(bool, FilterIncremental, false)
    CF_GRID_PLAIN_PROPERTY(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
    CF_GRID_PLAIN_PROPERTY(QString, InvalidEntryTitle, {})
    CF_GRID_PLAIN_PROPERTY(QString, InvalidEntryText, {})
    CF_GRID_PLAIN_PROPERTY(THintPos, HintShowLargeTextPos, hpCell)
    CF_GRID_PLAIN_PROPERTY(bool, UseInternalHintClass, true)
    CF_GRID_PLAIN_PROPERTY(THoverFixedCells, HoverFixedCells, hfNone)
    CF_GRID_PLAIN_PROPERTY(bool, EnableHTML, true)
    CF_GRID_PLAIN_PROPERTY(bool, EnableWheel, true)
    CF_GRID_PLAIN_PROPERTY(bool, IntelliZoom, true)
    CF_GRID_PLAIN_PROPERTY(bool, EnhRowColMove, true)
    CF_GRID_PLAIN_PROPERTY(bool, FitCellsInGrid, true)
    CF_GRID_PLAIN_PROPERTY(bool, LoadFirstRow, true)
    CF_GRID_PLAIN_PROPERTY(bool, QuoteEmptyCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, SaveFixedCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, SaveFixedRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, SaveFixedCols, false)
    CF_GRID_PLAIN_PROPERTY(bool, SaveVirtCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, SaveWithHTML, true)
    CF_GRID_PLAIN_PROPERTY(bool, SaveWithRTF, false)
    CF_GRID_PLAIN_PROPERTY(bool, SaveHiddenCells, false)
    CF_GRID_PLAIN_PROPERTY(bool, Multilinecells, false)
    CF_GRID_PLAIN_PROPERTY(bool, SizeGrowOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, AlwaysQuotes, false)
    CF_GRID_PLAIN_PROPERTY(bool, HideFocusRect, false)
    CF_GRID_PLAIN_PROPERTY(bool, FixedAsButtons, false)
    CF_GRID_PLAIN_PROPERTY(bool, NoDefaultDraw, false)
    CF_GRID_PLAIN_PROPERTY(bool, JavaCSV, false)
    CF_GRID_PLAIN_PROPERTY(bool, OemConvert, false)
    CF_GRID_PLAIN_PROPERTY(bool, ClearTextOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, ExcelClipboardFormat, false)
    CF_GRID_PLAIN_PROPERTY(bool, AnchorHint, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoNumAlign, false)
    CF_GRID_PLAIN_PROPERTY(int, GroupColumn, -1)
    CF_GRID_PLAIN_PROPERTY(int, MinRowHeight, 0)
    CF_GRID_PLAIN_PROPERTY(int, MaxRowHeight, 0)
    CF_GRID_PLAIN_PROPERTY(int, MinColWidth, 0)
    CF_GRID_PLAIN_PROPERTY(int, MaxColWidth, 0)
    CF_GRID_PLAIN_PROPERTY(QChar, Delimiter, {})
    CF_GRID_PLAIN_PROPERTY(int, PrintPageFrom, 1)
    CF_GRID_PLAIN_PROPERTY(int, PrintPageTo, 1)
    CF_GRID_PLAIN_PROPERTY(TBorderStyle, BorderStyle, bsSingle)
    CF_GRID_PLAIN_PROPERTY(bool, SizeWithForm, false)

    // =====================================================================================
    // Per-cell queries, painting, looks, footer, text measuring, cell graphics, auto-size,
    // scrolling and hints (dazstringgrid_queries / _paint / _looks / _footer / _measure /
    // _graphics / _autosize / _scroll / _hints .cpp)
    // =====================================================================================
public:
    // --- Per-cell queries and event relays ----------------------------------------------
    // Columns are real columns unless a comment says otherwise; rows display rows. Each
    // query applies the grid's rule, then its event may change the answer.
    virtual void CanEditCell(int ACol, int ARow, bool &CanEdit);
    virtual void DoSearchFooterAction(const QString &Value, int ACol, int ARow,
                                      TSearchAction SearchAction);
    virtual void DoButtonClickCell(int ACol, int ARow);
    // OnExpandClick, then the row takes the cell's expand height for that state.
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
    virtual void DoComboCloseUp(int ARow, int ACol);
    virtual void DoComboDropDown(int ARow, int ACol);
    // With OnGetCellCursor: the cursor it chooses (starting from the grid's) is shown.
    virtual void DoGetCellCursor(int ACol, int ARow, int X, int Y);
    // OnGridHint, then OnGridWideHint (a non-empty wide hint replaces Hint, encoded).
    virtual void GetCellHint(int ACol, int ARow, QString &Hint, QString &WideHint);
    // Active-cell headers, the cell's own colours (brush only for plain kinds), then
    // OnGetCellColor.
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                              TFont &AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                                   TFont &AFont);
    // Grouping header underline and summary line, then OnGetCellBorder.
    virtual void GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign);
    virtual void GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix);
    // Both fire OnGetEditorType: the first is asked by spin buttons and editor write-back,
    // the second before an editor opens (descendants override it).
    virtual void GetCellEditorForSpin(int ACol, int ARow, TEditorType &AEditor);
    virtual void GetCellEditorType(int ACol, int ARow, TEditorType &AEditor);
    virtual bool IsCellEditorNone(int ACol, int ARow);
    // Display column. True for the fixed ranges (and the kept header of FixedRowAlways /
    // FixedColAlways); otherwise OnIsFixedCell decides.
    virtual void IsFixedCell(int ACol, int ARow, bool &IsFixed);
    virtual void IsPasswordCell(int ACol, int ARow, bool &IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool &WordWrap);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    // Fills FilterList with the column's distinct texts (FilterDropDownAuto), then
    // OnGetColumnFilter; true when the list is not empty.
    virtual bool GetFilterList(int ACol);
    // The alignment painting, editing and printing use (DefaultAlignment, numbers right
    // with AutoNumAlign, the cell's own, then GetCellAlign).
    void GetCellAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign);
    // Display column: the footer rows, right fixed columns and IsFixedCell, at the base
    // cell of a merge.
    bool IsFixed(int ACol, int ARow) override;
    // Relays of the date editors and the cell button.
    void DoDateTimeChange(TDateTime ADateTime);
    void DoDatePickerChange(bool TimeKind, TDateTime Value);
    void DoDatePickerCloseUp();
    void DoDatePickerDropDown();
    void DoButtonClick();

    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TCustomCompareEvent OnCustomCompare;   // the ssCustom sort format
    TRawCompareEvent OnRawCompare;         // the ssRaw sort format
    TGetEditorTypeEvent OnGetEditorType;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TIsFixedCellEvent OnIsFixedCell;
    TCanEditCellEvent OnCanEditCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TWordWrapEvent OnGetWordWrap;
    TGetColumnFilterEvent OnGetColumnFilter;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TCellCursorEvent OnGetCellCursor;
    TSearchFooterActionEvent OnSearchFooterAction;
    // The search bar's text changed; clearing DefaultSearch keeps the grid from searching.
    TSearchEditChangeEvent OnSearchEditChange;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnCreatedSearchFooter;   // the search bar was made
    TButtonClickEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TClickCellEvent OnDatePickerCloseUp;
    TClickCellEvent OnDatePickerDropDown;
    TDateTimeChangeEvent OnDateTimeChange;
    TEditChangeEvent OnEditChange;
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;
    CF_GRID_PLAIN_PROPERTY(QString, EditMask, {})
public:

    // --- Painting -----------------------------------------------------------------------
    // The look of a cell (display column; Remap maps it to the real one): font, brush,
    // gradient, alignment and word wrap from the grid, the cell, the bands, the fixed
    // looks, the colour events and the selections.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState &AState, bool Printing,
                             bool Selecting, bool Remap, TBrush &ABrush, TColor &ColorTo,
                             TColor &ColorMirror, TColor &ColorMirrorTo, TFont &AFont,
                             TAlignment &HAlign, TVAlignment &VAlign, bool &WordWrap,
                             TCellGradientDirection &GradientDirection) override;
    // The font only (display column ACol, real column RCol).
    void GetFontProperties(int ACol, int RCol, bool Remap, TBrush &ABrush, TFont &AFont,
                           TGridDrawState &AState, int ARow);
    // Percent 100 or more: Color; below 1 (or Color clNone): ColorTo; else the channels
    // mixed by Percent.
    static TColor BlendColors(TColor Color, TColor ColorTo, int Percent);
    static TColor MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer,
                                    int Factor);
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridGradientEvent OnGetCellGradient;
    TNotifyEvent OnPainted;
    // The selection in the rich-text cell editor changed.
    TNotifyEvent OnRichEditSelectionChange;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    // Whether column ACol shows the header drop-down button (OnCanShowFixedDropDown).
    virtual bool DoCanShowFixedDropDown(int ACol);
    // The menu a press on a header drop-down button pops up (its tag the column); not
    // owned, forgotten when it is destroyed.
    QMenu *FixedDropDownMenu() const;
    void SetFixedDropDownMenu(QMenu *Value);
    TFixedDropDownClickEvent OnFixedDropDownClick;

    CF_GRID_PLAIN_PROPERTY(TColor, SelectionRectangleColor, clBlack)
    CF_GRID_PLAIN_PROPERTY(bool, EnhTextSize, false)
    CF_GRID_PLAIN_PROPERTY(bool, URLUnderlineOnHover, false)
    CF_GRID_PLAIN_PROPERTY(bool, NoImageAndText, false)
    CF_GRID_PLAIN_PROPERTY(bool, FilterDropDownAuto, false)
    CF_GRID_PLAIN_PROPERTY(int, FilterDropDownRow, 0)
public:
    TPictureContainerPtr PictureContainer() const { return FPictureContainer; }
    // Not owned: the grid forgets it when it is destroyed.
    void SetPictureContainer(TPictureContainerPtr Value);


    // --- Text measuring, formatted text and small hooks ---------------------------------
    // The displayed text: with OnGetFloatFormat, numbers through the float format.
    virtual QString GetFormattedCell(int ACol, int ARow);
    // Real column. The size the text needs; ReserveRight keeps 17 pixels free at the right,
    // WrapToWidth measures wrapped to the cell's width.
    void GetCellTextSize(int ACol, int ARow, TPoint &Size, bool ReserveRight, bool WrapToWidth);
    TPoint CellTextSize(int ACol, int ARow);
    // The stored text (formula cells are painted from it).
    virtual QString GetCellRawText(int ACol, int ARow) { return Cells(ACol, ARow); }
    // OnLoadCell, then the text is stored without change notification.
    virtual void LoadCellText(int ACol, int ARow, const QString &Value);
    virtual TGridFixedCellEditor DoFixedEdit(int ACol, int ARow, TStringList &Values);
    virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void DoAutoInsertRow(int ARow);
    virtual void DoAutoDeleteRow(int ARow);
    virtual void DoFilterDone();
    virtual void ExportNotification(TGridExportState AState, int ARow) {}
    virtual void ImportNotification(TGridImportState AState, int ARow) {}
    void SetSyncGrid(const TSyncGrid &Value) { FSyncGrid.Assign(&Value); }
    bool SelectionChangedFlag() const { return FSelectionChangedFlag; }

    TFloatFormatEvent OnGetFloatFormat;
    TCellSaveLoadEvent OnSaveCell;
    TCellSaveLoadEvent OnLoadCell;
    TFixedEditEvent OnFixedEdit;
    TSelectionChangedEvent OnSelectionChanged;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TNotifyEvent OnFilterDone;

public:
    // --- Cell graphics ------------------------------------------------------------------
    // Real columns; every Add replaces the cell's graphic. Objects handed in stay the
    // caller's; those the grid makes (Create...) are freed with the graphic.
    TCustomImageList *GridImages() const { return FGridImages; }
    // Not owned: the grid forgets it when it is destroyed.
    void SetGridImages(TCustomImageList *Value);
    virtual TCustomImageList *GetCellImageList(int ACol, int ARow);
    TCellGraphic *CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
    TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    TPoint CellGraphicSize(int ACol, int ARow) { return GetCellGraphicSize(ACol, ARow); }
    virtual void CalcCellGraphicSize(int ACol, int ARow, TPoint &Size, int Reserve);
    virtual void CalcCellGraphicPrintSize(int ACol, int ARow, TPoint &Size, TPoint Available,
                                          double Scale);
    bool CellTypeInSet(int ACol, int ARow, TSet<TCellType> Kinds);
    TIntList *CellImages(int ACol, int ARow);
    intptr_t GetCellImageKey(int ACol, int ARow);

    void AddBitmap(int ACol, int ARow, TBitmap *ABmp, bool Transparent, TCellHAlign hal,
                   TCellVAlign val);
    TBitmap *CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal,
                          TCellVAlign val);
    TBitmap *GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctBitmap}); }
    bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void AddPicture(int ACol, int ARow, TPicture *APicture, bool Transparent,
                    TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val);
    TPicture *CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                            int Padding, TCellHAlign hal, TCellVAlign val);
    TPicture *GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctPicture}); }
    bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture, bool Transparent,
                        TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture *CreateFilePicture(int ACol, int ARow, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign hal,
                                    TCellVAlign val);
    TFilePicture *GetFilePicture(int ACol, int ARow);
    bool RemoveFilePicture(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
    }
    void AddIcon(int ACol, int ARow, TIcon *AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon *CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    // The image operations do nothing without GridImages.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int &idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    bool RemoveImageIdx(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctImageList);
    }
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctDataImage}); }
    void RemoveDataImage(int ACol, int ARow);
    // Dir 0: side by side; otherwise one under the other.
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    bool RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImages); }
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                       TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                              TColor BKColor, TColor BKTextColor, const QString &Fmt, int Min,
                              int Max);
    bool HasProgress(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctProgress}); }
    bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void AddDazProgress(int ACol, int ARow, int Min, int Max);
    bool RemoveDazProgress(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
    }
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    bool RemoveProgressPie(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
    }
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                           bool ShowValue);
    bool RemoveRangeIndicator(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
    }
    void AddComment(int ACol, int ARow, const QString &Comment);
    void AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color);
    bool IsComment(int ACol, int ARow, QString &Comment);
    QString CellComment(int ACol, int ARow);
    // A comment for a cell without graphic, a new text for a comment; nothing otherwise.
    void SetCellComment(int ACol, int ARow, const QString &Value);
    bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                  TCellHAlign hal, TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    bool RemoveShape(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctRating}); }
    bool RemoveRating(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctScrollbar}); }
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    bool RemoveScrollBar(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
    }
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                   TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption,
                      TBitmap *Glyph, TCellHAlign hal, TCellVAlign val);
    TBitmap *CreateBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption,
                             TCellHAlign hal, TCellVAlign val);
    // Display column; any graphic of its real column.
    void SetButtonText(int ACol, int ARow, const QString &Caption);
    QString GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Push);
    bool HasButton(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctButton, ctBitButton}); }
    bool RemoveButton(int ACol, int ARow);
    bool RemoveBitButton(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
    }
    void RemoveAllButtons();
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    bool HasExpand(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctExpand}); }
    bool RemoveExpand(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
    void AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text,
                    TBalloonIcon Icon);
    bool HasBalloon(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctBalloon}); }
    bool IsBalloon(int ACol, int ARow, QString &Title, QString &Text, TBalloonIcon &Icon);
    void RemoveBalloon(int ACol, int ARow);
    // AObject must also be an IGridCellObject.
    void AddInterfacedCell(int ACol, int ARow, TObject *AObject);
    TObject *GetInterfacedCell(int ACol, int ARow);
    bool RemoveInterfacedCell(int ACol, int ARow)
    {
        return RemoveCellGraphicOfType(ACol, ARow, ctInterface);
    }
    void AddRotated(int ACol, int ARow, int AAngle, const QString &s);
    void SetRotated(int ACol, int ARow, int AAngle);
    bool IsRotated(int ACol, int ARow, int &aAngle);
    bool RemoveRotated(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
    // Display column.
    TRect GetCellButtonRect(int ACol, int ARow);
    TRect GetExpandButtonRect(int ACol, int ARow);
    virtual bool DoRatingChange(int ACol, int ARow, double &NewRate);
    void CellImagesChanged(TObject *Sender, int ACol, int ARow);

    TRatingChangeEvent OnRatingChange;

public:
    // --- Auto-size, auto-fit, auto-number and swaps -------------------------------------
    void AutoSizeCol(int Index, int Padding = 0);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeRow(int Index, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // Index -1: the last column. Out of range raises "Stretch column index out of range".
    void StretchColumn(int Index);
    void StretchRightColumn() { StretchColumn(ColCount() - 1); }
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SwapColumns(int Index, int Index2);
    void SwapRows(int Index, int Index2);
    // Exchanges the two rows' storage (texts, objects, hidden cells), heights, flags and
    // cross-reference entries; SortRow follows its row.
    virtual void SortSwapRows(int Index, int Index2);
    int SwapCount() const { return FSwapCount; }
    // The row holding the current row's data while a sort moves rows.
    int SortRow() const { return FSortRow; }
    void SetSortRow(int Value) { FSortRow = Value; }
    // Rows from this index on are scratch rows of a sort: no display hooks run for them.
    void SetNormalRowCount(int Value) { FNormalRowCount = Value; }
    // The user resize the mouse code reports (old width / height of Index).
    void NoteColumnResize(int ACol, int OldWidth);
    void NoteRowResize(int ARow, int OldHeight);
    // What follows any width or height change: editor and cell controls.
    void AfterSizeChange();

    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;

    CF_GRID_PLAIN_PROPERTY(int, AutoNumberStart, 0)
    CF_GRID_PLAIN_PROPERTY(int, AutoNumberOffset, 0)
    CF_GRID_PLAIN_PROPERTY(TSortDirection, AutoNumberDirection, sdAscending)

public:
    // --- Scroll bars and scrolling ------------------------------------------------------
    // Display column and row; nothing outside the grid.
    void ScrollInView(int ColIndex, int RowIndex);
    // The hint text shown while a thumb is dragged to framework position Pos (0..127).
    QString ScrollHintText(int ScrollBar, int Pos);
    // The row or column the thumb position Pos (0..127) points at.
    int ThumbToRow(int Pos) const;
    int ThumbToCol(int Pos) const;
    bool ScrollHintShowing() const;
    // Drag scrolling over the grid's edges; Leave ends it.
    void DragScrollOver(int X, int Y, bool Leave);
    void DragScrollTick();
    bool DragScrolling() const { return FDragScrollTimer != nullptr; }
    TDragScrollDirection DragScrollDir() const { return FDragScrollDir; }
    // Proportional thumbs (with ScrollProportional): the bar ranges as computed.
    void UpdateProportionalScrollBars();
    bool ScrollLock() const { return FScrollLock; }
    void SetScrollLock(bool Value) { FScrollLock = Value; }

    TScrollHintEvent OnScrollHint;
    TDragScrollEvent OnDragScroll;
    TScrollCellEvent OnScrollCell;
    // The scroll bar of a ctScrollbar cell moved: fires OnScrollCell.
    virtual void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin,
                              int ScrollMax);
    // The bar over a ctScrollbar cell while the pointer is there (nullptr before the first).
    QScrollBar *CellScrollBar() const { return FCellScrollBar; }

public:
    // --- Hints --------------------------------------------------------------------------
    // The hint for the cell under HintInfo.CursorPos (client coordinates): text, screen
    // position, colour and window class.
    void GetCellHintInfo(QString &HintStr, THintInfo &HintInfo);
    TPoint LastHintPos() const { return FLastHintPos; }
    void ResetLastHintPos() { FLastHintPos = TPoint(-1, -1); }
    // The balloon tooltip: made once, destroyed by BalloonDone.
    void BalloonInit();
    void BalloonDone();
    bool BalloonActive() const { return FBalloonInit; }
    THTMLHintWindow *ScrollHintWindow();

    TAnchorHintEvent OnAnchorHint;

    CF_GRID_PLAIN_PROPERTY(bool, HintShowCells, false)
    CF_GRID_PLAIN_PROPERTY(bool, HintShowLargeText, false)
    CF_GRID_PLAIN_PROPERTY(bool, HTMLHint, false)
    CF_GRID_PLAIN_PROPERTY(bool, ShowHint, false)

public:
    // --- Floating footer panel ----------------------------------------------------------
    // The strip under the grid (made on first use); follows FloatingFooter.
    TFooterPanel *FooterPanel();
    void UpdateFooterPanel();
    // Repaints the footer panel.
    void UpdateFooter();
    int FooterPanelHeight() const;
    // One cell's content on the footer's canvas (display column).
    void PaintFooterCell(TCanvas &Canvas, int ACol, int ARow, const TRect &R,
                         TGridDrawState AState);
    TFooterPaintEvent OnFooterPaint;
    TNotifyEvent OnCreatedFloatingFooter;
    // A click on the footer panel: the last row and the column under the pointer.
    TClickCellEvent OnFooterClick;
    // The editors of CONTROL elements in mark-up cells (made on first use, hidden).
    TControlEdit *ControlEdit();
    TControlCombo *ControlCombo();

protected:
    void Paint() override;
    void DrawCellContent(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect,
                         TGridDrawState AState) override;
    // The area past the last column and row when BackGround asks for it.
    virtual void PaintGridBackground(TCanvas &Canvas);
    // Draws the cell's graphic in R (check boxes, images, pictures, icons, comments...).
    virtual void DrawCellGraphic(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                                 TGridDrawState AState, TCellGraphic *Graphic, int TextWidth);
    // Border lines of one cell after its content.
    void DrawCellBorders(TCanvas &Canvas, int ACol, int ARow, TRect R);
    void GetCellDefaults(int ACol, int ARow, TFont &Font, TBrush &Brush, TColor &ColorTo,
                         TColor &MirrorColor, TColor &MirrorColorTo, TAlignment &HAlign,
                         TVAlignment &VAlign, bool &WordWrap,
                         TCellGradientDirection &GradientDirection) override;
    void CellTextChanged(int ACol, int ARow) override;
    QString GetEditMask(int ACol, int ARow) override;
    void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                         int &SizingOfs) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos) override;
    bool viewportEvent(QEvent *e) override;
    virtual void UpdateColSize(int ACol, int &AWidth);
    virtual void UpdateAutoColSize(int ACol, int &AWidth);

    // An upper bound of a plain cell's text width from per-character advances, -1 when
    // the cell is not plain enough to be bounded that way.
    int TextWidthBound(int ACol, int ARow);
    // The width of a text in a font, from the cache of measured texts.
    int TextExtentWidth(const TFont &Font, const QString &Text);

    // The cell's own font colour, style, size and name where set.
    static void ApplyCellFont(const TCellProperties &P, TFont &AFont);
    // Sizes of the graphic kinds whose size depends neither on the cell's text nor its size.
    void FixedGraphicSize(const TCellGraphic &g, const TCustomImageList *images, int &w, int &h);
    TCellGraphic *BaseGraphicOfType(int ACol, int ARow, TCellType Kind);

    // Mouse state the painter reads (the mouse handling sets it).
    bool FMouseDownMove = false;     // a header is pressed / dragged
    bool FColumnMoving = false;
    int FMovingColumn = -1;
    bool FFixedDropDownOpen = false;
    bool FDropDownDown = false;      // a header drop-down button is pressed
    QPointer<QWidget> FFixedDropDownMenu;   // a QMenu
    bool FMouseDown = false;
    int FHoverAnchor = -1;
    TGridCoord FHoverCell{-1, -1};

private:
    struct TCellPaint;
    void DrawCellText(TCanvas &Canvas, TCellPaint &P);
    bool DrawFixedCellLook(TCanvas &Canvas, TCellPaint &P);
    void DrawFixedCellLines(TCanvas &Canvas, const TCellPaint &P);
    void DrawAlwaysVisibleButtons(TCanvas &Canvas, TCellPaint &P);
    void DrawTreeLines(TCanvas &Canvas, const TCellPaint &P);
    void DrawSortGlyph(TCanvas &Canvas, const TCellPaint &P, int X, int Y);
    void DrawListViewAndModified(TCanvas &Canvas, TCellPaint &P);
    void DrawCellBackGround(TCanvas &Canvas, TCellPaint &P);
    void DrawSelectionRectangle(TCanvas &Canvas, const TCellPaint &P);
    static void DrawFocusRect(TCanvas &Canvas, const TRect &R);
    // Points of a font whose size may be left to the application font.
    static int FontPointSize(const TFont &Font);
    TRect CustomGridCellRect(int ACol, int ARow) const;
    void CalcCellTextSize(int ACol, int DCol, TPoint &Size, bool ReserveRight,
                          bool WrapToWidth, int ARow);
    void AutoSizeColInt(int Index, bool GrowOnly);
    void AutoSizeRowInt(int Index, bool GrowOnly);
    void SwapIndexes(bool Rows, int Index, int Index2);
    bool AllRowsVisible() const;
    bool AllColsVisible() const;
    void ShowScrollHint(const QString &Text);
    void HideScrollHint();
    void StopDragScroll();
    TCellGraphic *NewGraphicFor(int ACol, int ARow);
    void StretchOnSizeChange();
    void SynchColumnsWithGrid();
    bool StretchOnResize();

    TCustomImageList *FGridImages = nullptr;
    TPictureContainer *FPictureContainer = nullptr;
    bool FSelectionChangedFlag = false;
    int FSwapCount = 0;
    bool FStretchRunning = false;
    bool FStretchAllowed = true;
    int FResizedCol = -1;
    int FResizedColWidth = 0;
    int FResizedRow = -1;
    int FResizedRowHeight = 0;
    bool FScrollLock = false;
    TScrollType FScrollType = ssNormal;
    TScrollControl *FScrollControls[2] = {nullptr, nullptr};
    void FreeScrollControls();
    void PlaceScrollControls();
    THTMLHintWindow *FScrollHintWindow = nullptr;
    THTMLHintWindow *FCellHintWindow = nullptr;
    QTimer *FDragScrollTimer = nullptr;
    TDragScrollDirection FDragScrollDir;
    TPoint FLastHintPos{-1, -1};
    QString FLastAnchorHint;
    TPoint FLastBalloonPos{-1, -1};
    bool FBalloonInit = false;
    QWidget *FBalloonWindow = nullptr;
    TFooterPanel *FFooterPanel = nullptr;
    TControlEdit *FControlEdit = nullptr;
    TControlCombo *FControlCombo = nullptr;
    // Measured text extents by font and text, cleared when they grow large.
    struct TExtentCache;
    std::shared_ptr<TExtentCache> FExtentCache;
public:
protected:
    // The format a Floats write uses for a cell: FloatFormat here.
    virtual QString GetFloatFormat(int ACol, int ARow);
    // ColumnHeaders changed; the column grid copies them into its columns.
    virtual void ColumnHeadersChanged() {}
    // The empty hooks the navigation and mouse settings report to.
    virtual void NavigationChanged() {}
    virtual void MouseActionsChanged() {}
    // The body of CalcFooter.
    virtual void FooterCalculation(int ACol);
    // The text a save or export writes for a cell: the formatted text with SaveVirtCells,
    // else the stored one; an empty check box its check text; mark-up stripped unless
    // SaveWithHTML; then OnSaveCell (dazstringgrid_measure.cpp).
    virtual QString SaveCellText(int ACol, int ARow);
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    void Resize() override;
    // Before the framework's handling: columns follow the grid's width (ColumnSize.
    // SynchWithGrid) and the stretch column fills it (dazstringgrid_autosize.cpp).
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    // Once the grid is first shown: panels, column sizes and wheel lines (the window's
    // creation).
    virtual void CreateWnd();

    template <class T>
    void Change(T &Field, const T &Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Invalidate();
    }
    template <class T>
    void Store(T &Field, const T &Value)
    {
        Field = Value;
        Invalidate();
    }
    void SetRGB(TColor &Field, TColor Value)
    {
        Field = IsSystemColor(Value) ? ColorToRGB(Value) : Value;
        Invalidate();
    }
    // The cell's record when it has one (never made here).
    TCellProperties *PropsOf(int ACol, int ARow) const;
    // A real column and display row of the grid.
    bool InGrid(int ACol, int ARow) const
    {
        return ACol >= 0 && ACol < AllColCount() && ARow >= 0 && ARow < RowCount();
    }
    // The record made when missing, for a write.
    TCellProperties *PropsFor(int ACol, int ARow) { return GetCellProperties(ACol, ARow); }
    void RepaintRealCell(int ACol, int ARow);
    // Number and date conversions of the typed views.
    int TextToInt(const QString &Text) const;
    double TextToFloat(const QString &Text) const;

    bool FLoading = false;
    bool FLoaded = false;
    bool FEditChange = false;
    bool FNoEditChange = false;   // the editor's text is being loaded from the cell
    TUpdateLock FUpdateLock;
    THiddenColumns FHiddenColumns;
    int FCellControlCount = 0;

public:
    // Used by the column grid and the hooks of the settings objects.
    int RequestedFixedRows() const { return FRequestedFixedRows; }
    int RequestedFixedCols() const { return FRequestedFixedCols; }

    void SetHideLastRow(bool Value) { FHideLastRow = Value; }

private:
    void Init();
    void WireSettings();
    void HeadersChanged();
    void MoveFooterRow(int OldCount, int NewCount);
    QString HiddenCellText(const TGridItem *Item, int ACol) const;
    template <class F>
    void ForRowCells(int ARow, TColor Value, bool KeepBrush, F Set);

    // Settings objects, in the order the grid makes them.
    TFontObject FScratchFont;
    TFocusHelper FFocusHelper{this};
    TSearchFooter FSearchFooter{this, false};
    TFloatingFooter FFloatingFooter{this};
    TPrintSettings FPrintSettings{this};
    THTMLSettings FHTMLSettings;
    TSortSettings FSortSettings{this};
    TDragDropSettings FDragDropSettings{this};
    std::unique_ptr<TASGDropTarget> FDropTarget;
    bool FUseStyleColors = false;
    bool FDropTargetRegistered = false;
    // Registers or revokes the drop target as OleDropTarget says.
    void ApplyDropTarget();
    TDragScrollOptions FDragScrollOptions;
    TControlLook FControlLook{this};
    TNavigation FNavigation;
    TColumnSize FColumnSize{this};
    TCellNode FCellNode;
    TBands FBands;
    TSizeWhileTyping FSizeWhileTyping;
    TMouseActions FMouseActions{this};
    TGrouping FGrouping;
    TStringList FColumnHeaders;
    THTMLPictureCache FImageCache;
    TIntList FOrgColWidths{-1, -1};
    TFontObject FFixedFont;
    TFontObject FActiveCellFont;
    TStringList FRowHeaders;
    TStringList FSortList;
    TStringList FLookupItems;
    TSortIndexList FSortIndexes{0, 0};
    TIntList FSortRowXRef{0, 0};
    TIntList FUnSortRowXRef{0, 0};
    int FSortRow = -1;
    TIntList FMergedColumns{0, 0};
    TIntList FSelectedCells{0, 0};
    TIntList FSelectedRows{0, 0};
    TIntList FModifiedRows{0, 0};
    TIntList FEnabledRows{0, 0};
    TBitmap FRowIndicator;
    TBackGround FBackGround;
    TControlList FControlList;
    TGridProgressAppearance FProgressAppearance;
    TSyncGrid FSyncGrid{this};
    THiddenRows FHiddenRows;
    TFilter FFilter{this};
    TBalloonSettings FBalloon;
    TShowModified FShowModified;
    std::vector<TGridChangeNotifier *> FNotifiers;
    TIntList FColumnOrder{0, 0};
    TCellGraphic FCellGraphic;
    TIntList FIgnoreColumns{-1, -1};
    TFilterDropDown FFilterDropDown;
    TStringList FFilterList;

    ITDazStringGridSelect *FSelListener = nullptr;

    // Dimensions.
    int FRequestedFixedRows = 1;
    int FRequestedFixedCols = 1;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FNormalRowCountSet = 0;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    int FFixedRowHeight = 0;
    bool FWordWrap = true;
    bool FIntegralHeight = false;
    int FZoomFactor = 0;
    QCursor FOwnCursor;

    // Appearance.
    TColor FBorderColor = 0xB99D7F;
    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = clBlack;
    bool FSelectionColorMixer = false;
    int FSelectionColorMixerFactor = 50;
    bool FSelectionRectangle = false;
    bool FSelectionResizer = false;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FShowSelection = true;
    TVAlignment FVAlignment = vtaTop;
    unsigned FVAlignFlags = DT_TOP;
    bool FFlat = false;
    bool FAutoSize = false;
    int FMaxEditLength = 0;
    bool FSpreadSheet = false;
    bool FUseHTMLHints = false;
    TColor FQVRGradientFrom = clWhite;
    TColor FQVRGradientTo = clNone;
    TColor FQVRGradientMirrorFrom = clNone;
    TColor FQVRGradientMirrorTo = clNone;
    TFixedCellLook FQVRFixedLook;
    TColor FActiveCellColor = 0x808080;
    TColor FActiveCellColorTo = clNone;
    bool FActiveCellShow = false;
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    bool FShowDesignHelper = true;
    bool FHovering = false;
    TPoint FXYOffset{2, 2};
    bool FXYOffsetTopLeftOnly = false;
    TScrollBarAlways FScrollBarAlways = saNone;
    bool FAutoThemeAdapt = false;
    TGridLook FLook = glXP;
    bool FEditWithTags = false;
    QString FFloatFormat = QStringLiteral("%.2f");
    bool FShowNullDates = true;

    // State.
    TMouseSelectMode FMouseSelectMode = msNormal;
    int FComboIdx = -1;
    int FLastTabCol = -1;
    int FLastTabRow = -1;
    int FFilterCol = -1;
    TGridCoord FHoverFixedCell{-1, -1};
    TGridCoord FPushedCellButton{-1, -1};
    int FClickCol = -1;
    int FClickRow = -1;
    TGridCoord FCreatedTopLeft{0, 0};
    bool FIsWinXP = true;
    bool FIsWin7 = true;
    bool FIsComCtlVer6 = true;
    bool FIsVista = true;
    bool FWindowCreated = false;
    int FWheelScrollLines = 3;
    QCursor FLoadedCursor;
    // --- Structure, selection and update: hooks and state --------------------------------
protected:
    // Every move of the current cell passes here: footers, merges, node columns and
    // disabled rows are kept out, editing is switched on or off for the cell entered, and
    // the cell-changing events may refuse.
    bool SelectCell(int ACol, int ARow) override;
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;
    // May the cell (display column) be edited? Here: it is not read-only.
    virtual bool IsEditableCell(int ACol, int ARow);
    // Fires OnRowChanging, OnColChanging and OnCellChanging; false refuses the move.
    virtual bool DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol);
    // Fire OnCanAddRow / OnCanInsertRow.
    virtual void DoCanAddRow(bool &CanAdd);
    virtual void DoCanInsertRow(int ARow, bool &CanInsert);
    void MoveCurrentCell(int ACol, int ARow);
    void StartGridTimer();

    // Mouse states over fixed cells (ResetFixedCellHighlight clears them).
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    bool FNoMouseLeave = false;
    bool FSelChanged = false;   // the rectangular selection changed

private:
    class TRowsHost;
    friend class TRowsHost;
    template <class F>
    void WithRows(F Call);
    // While set, rows shown again bring their column-0 nodes back expanded (ExpandAll).
    bool FRestoreExpanded = false;
    // Takes display rows out in one pass; objects are not freed. With Cells, row Rows[j]
    // goes there whole and its height to Heights[j]; the list must then be ascending, once
    // each, inside the grid and leave a row (EGridError otherwise).
    void RemoveRowList(const std::vector<int> &Rows, bool ShiftHidden,
                       TGridStore::TParkedRow *Cells = nullptr, int *Heights = nullptr);
    void InsertRowList(const std::vector<int> &Rows);
    void DropRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells = nullptr,
                  int *Heights = nullptr);
    void DeleteRowList(const std::vector<int> &Rows);   // frees objects first
    void FreeRowObjects(const std::vector<int> &Rows);
    static void FreeObject(TObject *Object);
    // Cell control entries from real row (column) From on move by Delta.
    void ShiftControls(int From, int Delta, bool Columns);
    // Forgets and hides the controls of removed real rows (columns); the others move with
    // their cells.
    void DropCellControls(const std::vector<int> &Removed, bool Columns);
    std::vector<int> RealRows(const std::vector<int> &Rows) const;
    void PlaceCellControls();
    // ClearRect with the column mapping given instead of taken from SaveHiddenCells.
    void ClearCells(int ACol1, int ARow1, int ACol2, int ARow2, bool MapColumns);
    void ShiftColumnData(int ACol, int Delta, int Total);
    std::vector<int> DisplayWidths() const;
    void ApplyDisplayWidths(const std::vector<int> &Widths);
    void RemoveDisplayCols(const std::vector<int> &Cols);
    void HideSelectedOrNot(bool Selected);
    void MergedColumnsChanged();
    void ReportRowChange();
    void RepaintRowIndicator(int OldRow, int NewRow);
    void RepaintBlinkingCells();
    bool RowAboveSearchPanel(int ARow) const;

    TFlagList FRowSelectList;
    TFlagList FColSelectList;
    bool FUseEnabledRows = false;
    int FOldRowSel = -1;   // the row last reported by OnRowChanged
    bool FSelectionHidden = false;
    TGridRect FOldSelection;
    bool FForceSel = false;
    bool FEditDisable = false;
    bool FBlockCellsChanged = false;
    bool FEnableBlink = false;
    bool FGridBlink = false;
    int FTimerTicks = 0;
    QString FSearchInc;
    int FSearchTics = 0;
    QTimer FGridTimer;

    // --- Check boxes, radio buttons, their glyphs; column order and moves ---------------
    // (dazstringgrid_checks.cpp, dazstringgrid_glyphs.cpp, dazstringgrid_colorder.cpp)
public:
    // The cell's graphic (real column, display row): its own, or the shared row check box
    // of column 0 while MouseActions.HotmailRowSelect is on. Provided here until the
    // per-cell queries land.
    virtual TCellGraphic *GetCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    // The cell's check texts: CheckTrue / CheckFalse, then OnGetCheckTrue / OnGetCheckFalse.
    // Provided here until the per-cell queries land.
    virtual void GetCheckTrue(int ACol, int ARow, QString &Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString &Value);
    // A new graphic (kind ctNone) replaces the cell's own one, which is freed; removal frees
    // it unless it is one of the grid's shared graphics. Provided here until the cell
    // graphics store lands.
    TCellGraphic *CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind);

    // Check boxes and radio buttons take real columns; rows are display rows unless said.
    // AddCheckBox and AddRadioButton throw "Invalid cell" outside the grid.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    // Client point (XPos, YPos) on the cell's check box or radio button; the whole cell
    // unless MouseActions.PreciseCheckBoxCheck.
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    // ARow is a real row. False (State untouched) without a check box.
    bool GetCheckBoxState(int ACol, int ARow, bool &State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State);
    // ARow is a real row; fires nothing.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    bool IsChecked(int ACol, int ARow);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckCell(ACol, ARow, false); }
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    // As SetCheckBoxState for a display row, firing OnCheckBoxChange on a change.
    bool SetCheckBoxStateNotify(int ACol, int ARow, bool Value);
    static TCheckBoxState BoolToCheckBoxState(bool Value) { return Value ? cbChecked : cbUnchecked; }
    // User toggles ask whether the cell may be edited unless ControlLook.CheckAlwaysActive.
    virtual bool ToggleCheckCell(int ACol, int ARow, bool User);
    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
    virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
    // The base cell takes clicks (check box, radio, button) instead of text editing.
    bool IsControlCell(int ACol, int ARow);
    // The base cell's graphic is drawn from the cell value instead of the text.
    bool IsDataGraphicCell(int ACol, int ARow);

    void AddRadioButton(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    // Checks the radio button of row Index, unchecks the others of the column.
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool SelectRadioButtonCell(int ACol, int ARow, bool User);

    // Radio groups; the list of AddRadio stays the caller's, that of CreateRadio the grid's.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList *sl);
    TStringList *CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int &IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStringList *GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    // The Space key on a radio group: the next item (always answers false).
    bool StepRadioGroup(int ACol, int ARow, bool User);
    // The radio-group hit test of a press; X, Y relative to the cell's top-left corner.
    void ClickRadioGroup(int ACol, int ARow, int X, int Y);

    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxChange;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TRadioButtonClickEvent OnRadioButtonClick;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;

    // Size, placements and text flag of the cell's graphic (nullptr when none).
    TCellGraphic *GetCellGraphicLayout(int ACol, int ARow, TCellVAlign &VAlign,
                                       TCellHAlign &HAlign, bool &ShowText, int &Height,
                                       int &Width);
    // Where a graphic of Width x Height goes in the cell rectangle R. TextWidth: the
    // measured width of the cell's text (0 for none); TextAlign and CellVAlign: the cell's
    // alignments.
    static TRect PlaceCellGraphic(TRect R, TCellType Kind, TCellHAlign HAlign,
                                  TCellVAlign VAlign, int Width, int Height, int TextWidth,
                                  TAlignment TextAlign, TVAlignment CellVAlign,
                                  TVAlignment GridVAlign, TPoint XYOffset);
    // One check box in Style; TriStateMode reads TriState (0 unchecked, 1 checked, 2 grey)
    // instead of Checked; Grey draws the partly checked look.
    void DrawCheck(TCanvas &Canvas, const TRect &R, bool Checked, int TriState,
                   bool TriStateMode, TControlStyle Style, bool Grey, bool Enabled);
    // Count radio buttons with their captions from Items; CheckedIndex -1 checks the item
    // whose caption equals the cell text.
    void DrawRadioGroup(TCanvas &Canvas, const TRect &R, bool Upwards, double Scale,
                        TControlStyle Style, int ARow, int ACol, bool Selected,
                        const QStringList &Items, bool Disabled, bool Horizontal,
                        int CheckedIndex, int Count);

    // Columns and rows move with their cells, records, widths and controls. Display indexes.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Moves Count rows from FromIndex so that they end up before row ToIndex as it was.
    void MoveRows(int FromIndex, int ToIndex, int Count);
    // Records the present column order as the first one.
    void SetColumnOrder();
    // Every column back at its first place (hidden columns shown first).
    void ResetColumnOrder();
    // The column now at position APos, as its first-order index.
    int ColumnAtPosition(int APos);
    // Re-places the controls held in cells after scrolling or a change of structure;
    // RebuildList first collects them from the cells again.
    void CellControlsUpdate(bool RebuildList);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value) { FArrowColor = Value; }

    // --- Keyboard (dazstringgrid_keys.cpp) ----------------------------------------------
    // Moves the current cell one tab stop on (back); false only when a Tab was posted to
    // the parent at the end of the grid.
    bool TabToNextCell(bool Backward);
    // With goEditing an editable cell, otherwise a cell that is not fixed; OnSelectCell may
    // change the answer. Display column.
    bool CanTabToCell(int ACol, int ARow);
    int FirstTabCol(int ARow);   // -1 when the row has no tab stop
    int LastTabCol(int ARow);
    int FirstNormalCol();
    int VisibleFixedRightCols() const;
    bool IsLastNormalRow() const;
    void AddRowOnArrowDown();
    // A left press and release 2 pixels inside the cell, without the owner's mouse events.
    void ClickCell(int ACol, int ARow);
    // The character that opened the editor from the keyboard.
    QChar StartEditChar() const { return FStartEditChar; }
    TGridCoord LastKeyCell() const { return FLastKeyCell; }

    // The data tools' operations (through GridInputTools()); nothing without them.
    // The column order under ColumnSize.Key / Section, through the data tools.
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    void InitSortXRef();
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void PasteSelectionFromClipboard();
    // The key search (upper-case s) and the search bar's handlers, run by the data tools.
    int Search(const QString &s);
    void SearchFooterEditChange();
    void SearchFooterFindNext();
    void SearchFooterFindPrevious();
    void SearchFooterHighlight();
    void SearchFooterClose();

    // The keypad's decimal key types the user's decimal separator.
    CF_GRID_PLAIN_PROPERTY(bool, ExcelStyleDecimalSeparator, false)
    // A right click on a URL cell edits it (with URLShow).
    CF_GRID_PLAIN_PROPERTY(bool, URLEdit, false)
public:
    TCanClickCellEvent OnCanClickCell;
    TClickCellEvent OnClickCell;
    TDblClickCellEvent OnDblClickCell;
    TClickCellEvent OnRightClickCell;
    TAnchorClickEvent OnAnchorClick;
    // A press on an embedded BUTTON, CHECK or RADIO element of a mark-up cell.
    TControlClickEvent OnControlClick;
    // The selection-resize drag ends: before and after its cells are pasted.
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;
    TCanSortEvent OnCanSort;
    TClickSortEvent OnClickSort;
    virtual void DoClickSort(int ACol);
    // The last sort's duration in milliseconds.
    int SortTime() const { return FSortTime; }

    TGridClipboardEvent OnClipboardCut;
    TGridClipboardEvent OnClipboardCopy;
    TGridClipboardEvent OnClipboardPaste;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoAddRowEvent OnAutoAddRow;
    TCanDeleteRowEvent OnCanDeleteRow;

protected:
    // Data, widths and the column order list follow a column move.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // --- Mouse (dazstringgrid_mouse.cpp, dazstringgrid_mouseup.cpp) --------------------
    // The button messages; X, Y in client pixels. Each runs the framework's handling
    // (MouseDown / MouseUp below) as one of its steps.
    virtual void WMLButtonDown(int X, int Y, TShiftState Shift);
    virtual void WMLButtonUp(int X, int Y, TShiftState Shift);
    virtual void WMLButtonDblClk(int X, int Y, TShiftState Shift);
    virtual void WMRButtonDown(int X, int Y, TShiftState Shift);
    virtual void WMRButtonUp(int X, int Y, TShiftState Shift);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // Scrolling closes control editors and re-places the cell controls.
    // The footer panel shows the reserved last row: it follows each write there.
    void LastRowChanged() override;
    void TopLeftChanged() override;
    void WMKeyDown(TKeyMessage &Message) override;
    void WMChar(TKeyMessage &Message) override;
    void WMKeyUp(TKeyMessage &Message) override;
    // Row moves with Ctrl+Up/Down, wrapping at the edges, disabled rows skipped, the
    // synchronised grid following.
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyUp(uint16_t &Key, TShiftState Shift) override;
    // The wrap-around target of Tab.
    virtual void GotoFirstRow();

private:
    void ShiftCellControls(int FromIndex, int ToIndex, bool Columns);
    // The editability question of the toggles, for a real column.
    bool CheckCellEditable(int ACol, int ARow);
    QString CheckTrueOf(int ACol, int ARow);
    QString CheckFalseOf(int ACol, int ARow);
    TCellGraphic *CheckGraphicByRealRow(int ACol, int ARow, QString &Text);
    void CheckNewGraphic(int ACol, int ARow) const;
    void PropagateGroupCheck(int ACol, int ARow, bool NodeRow, int Span, bool Collapsed,
                             int ParentRow, bool State);

    TColor FArrowColor = clBlack;
    bool FColumnMoveDirect = false;   // MoveColumn moves the widths itself

    // Keyboard.
    bool FireKeyDown(uint16_t Key, TShiftState Shift);
    bool HomeEndKey(TKeyMessage &Message, const TGridRect &Snapshot, int SnapLeftCol);
    void KeepLeftCol(int LeftCol);
    bool SkipFixedCellsKey(uint16_t Key, TShiftState Shift);
    bool ClipboardKey(uint16_t Key, TShiftState Shift);
    void InsertRowKey();
    void DeleteRowKey();
    void SelectAllKey();
    void DisjunctKeySelection(uint16_t Key, TShiftState Shift);
    bool TabStep(bool Backward);
    void SpaceOnControlCell(uint16_t Key);
    bool HasCellControl(int ACol, int ARow);
    bool IsNodeRow(int ARow);
    // Mouse.
    bool ClickOnCheckBox(int ACol, int ARow, int RealCol, int X, int Y, TShiftState Shift,
                         bool CanEdit);
    bool ClickOnAnchor(int ACol, int ARow, int RealCol, const TRect &CellR, int X, int Y);
    TRect CellButtonRect(int ACol, int ARow);
    void HeaderClickSort(int RealCol, int X, int Y);
    bool NearColumnBorder(int ACol, int ARow, int X) const;
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FDeselectState = false;
    bool FMouseResize = false;
    bool FDblClk = false;
    bool FEditStart = false;
    int FMouseSelectStart = -1;
    int FMoveCell = -1;
    TGridCoord FClicked{-1, -1};       // the cell left of and above the press point
    TGridCoord FPressCell{-1, -1};     // the pressed cell before base-cell mapping
    TPoint FClickPos{-1, -1};          // the last left press, in viewport pixels
    TPoint FClickPosD{0, 0};           // it, less the right and bottom of FClicked's cell
    bool FSelectionClick = false;      // it hit the selection where an OLE drag may start
    bool FSpinUpClick = false;         // it hit the upper half of an always-visible spin
    bool FSpinDnClick = false;         // button, or the lower one
    TGridRect FDropSelection;
    int FSortTime = 0;
    TGridRect FMoveSelection;
    QChar FStartEditChar;
    TGridCoord FLastKeyCell{-1, -1};

    // --- In-place editing (dazstringgrid_edit.cpp, _editors.cpp, _validate.cpp,
    //     _advance.cpp, _wndproc.cpp) -----------------------------------------------------
    // One edit: CanEditShow asks the cell's editor type (DefaultEditor, then
    // GetCellEditorType and OnGetEditorType). Text types are edited in NormalEdit, whose
    // typing is written through to the cell at once; every other type opens a control over
    // the cell (OpenCellEditor) that writes its value back when it closes
    // (CloseCellEditor). Enter, Tab and the leaving arrows validate (ValidateCell,
    // OnCellValidate); a refused value keeps the editor open. Every closed edit fires
    // OnEditingDone and then, from an event posted to the grid, OnEditCellDone: the
    // editor has closed and the cell holds its value by then.
public:
    // Real column. The grid takes input (goEditing, RangeSelectAndEdit or a suspended
    // edit) and the cell, or the base cell of its merge, is editable and not fixed.
    bool IsEditable(int ACol, int ARow);
    // Opens the editor of the current cell (nothing on a check-box, radio or button cell).
    void ShowInplaceEdit();
    // Ends any open edit, writing its value back; nothing when no edit is open. Call it
    // before changing the grid's structure.
    void HideInplaceEdit();
    void HideCellEdit();   // closes a control editor only
    void ShowCellEdit();   // F2 through the keyboard path
    // An editor control ends its edit with a key: closes it, replays Tab and the arrows to
    // the grid and advances after Enter.
    void DoneInplaceEdit(uint16_t Key, TShiftState Shift);
    bool EditActive() const { return FEditActive; }
    // Set by a popup editor that closed as its window lost the activation: the grid then
    // ignores its next focus-in, which that change of windows causes.
    bool InvokedFocusChange() const { return FInvokedFocusChange; }
    void SetInvokedFocusChange(bool Value) { FInvokedFocusChange = Value; }
    bool EditMode() const { return FEditMode; }
    TEditorType EditControl() const { return FEditControl; }
    TEditorType CurrentEditor() const { return FEditControl; }
    QWidget *EditCtrl() const { return FEditCtrl; }
    // A text edit runs and is not validated yet.
    bool Editing() const { return FEditing; }
    // The default text editor, once made (nullptr before the first text edit).
    TDazInplaceEdit *NormalEdit() const;
    // The editor controls, made on first use.
    TGridCombo *Combobox();
    TGridCheckBox *CheckBoxEditor();
    // The editors keep Tab: goTabs, or a validation handler is assigned.
    bool EditorWantsTab() const;
    // The text of the current cell when it was entered or its editor opened.
    QString CellCache() const { return FCellCache; }

    // The combo editor's item list, shared by all cells: whoever decides a cell's editor
    // fills it just before the editor opens (OnGetEditorType, or a column's ComboItems).
    void ClearComboString();
    void AddComboString(const QString &S);
    void AddComboStringObject(const QString &S, TObject *AObject);   // not owned
    bool RemoveComboString(const QString &S);
    // The item a combo opens on when the cell's text is none of the items.
    bool SetComboSelectionString(const QString &S);
    void SetComboSelection(int Index) { FComboIdx = Index; }
    int ComboSelection() const { return FComboIdx; }
    int GetComboCount();
    // Both fire the editor-property events for the cell first (a handler may fill the
    // list). SetComboIndex throws EDazGridError for an index that is no item.
    int GetComboIndex(int ACol, int ARow);
    void SetComboIndex(int ACol, int ARow, int Value);
    // Longest text the combo editor takes (0: no limit).
    int MaxComboLength() const { return FMaxComboLength; }
    void SetMaxComboLength(int Value) { FMaxComboLength = std::max(0, Value); }
    TEditLink *EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink *Value) { FEditLink = Value; }
    // Characters edValidChars takes: ValidChars, or when it is empty the codes 0..255 set
    // in ValidCharSet.
    std::bitset<256> &ValidCharSet() { return FValidCharSet; }
    CF_GRID_PLAIN_PROPERTY(QString, ValidChars, {})
    // Completion of typed text from LookupItems; with LookupHistory a text typed and left
    // joins the list.
    CF_GRID_PLAIN_PROPERTY(bool, Lookup, false)
    CF_GRID_PLAIN_PROPERTY(bool, LookupCaseSensitive, false)
    CF_GRID_PLAIN_PROPERTY(bool, LookupHistory, false)
public:

    // Display column of the base cell. Opens the control of the current editor type over
    // the cell, loads the cell's value and focuses it.
    void OpenCellEditor(int ACol, int ARow);
    // Writes the control's value back, hides it and reports the end of the edit.
    void CloseCellEditor(int ACol, int ARow);
    // Real column: the editor's text into the cell (SetEditText, then the cell store).
    virtual void SetCellFromEditor(int ACol, int ARow, const QString &Text);
    // OnGetEditorProp, then OnGetEditorPropInt; every editor asks it before it loads.
    virtual void DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink);

    // --- Validation ---
    // Validates the running text edit against the text the cell had when it was entered:
    // the cell checker and OnCellValidate may correct or refuse. An accepted text is stored
    // (undo, modified flags, footer, OnCellsChanged); a refused one puts the editor back on
    // the cell. True at once when no text edit runs or a validation is running.
    virtual bool ValidateCell(const QString &NewValue);
    virtual bool ValidateCellWide(const QString &NewValue);
    // The validation baseline: the cell (display column) and its stored text.
    virtual void SaveOldCellText(int ACol, int ARow);
    QString NewCellText() const { return FNewCellText; }
    bool LastValidation() const { return FLastValidation; }
    bool Validating() const { return FValidating; }
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    TDazStringGridCheck *CellChecker() const { return FCellChecker; }
    // Not owned: the grid forgets it when it is destroyed.
    void SetCellChecker(TDazStringGridCheck *Value);
    // A watched component (image list, picture container, cell checker) is destroyed.
    void Notification(TComponent *AComponent, TOperation Operation) override;
    virtual void UpdateColumnFooter(int ACol);
    virtual void CellsLoaded();
    bool Modified() const { return FGridModified; }
    void SetModified(bool Value) { FGridModified = Value; }

    // --- Moving on after an edit ---
    // Steps from (ACol display, ARow) to the next cell by Navigation's advance rules and
    // may open its editor. Without AdvanceOnEnter only a Force step moves.
    void AdvanceToNextCell(int ACol, int ARow, bool OpenEditor, bool Repeated, bool Forward,
                           bool AutoEdit, bool Force);

    // --- Wheel and wheel-button panning ---
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    bool Panning() const { return FWheelPan; }
    // Called by the pan timer (every 10 ms while panning).
    void PanStep();

    // Real column: the editable-cell query. The base cell of a merge answers: a cell with a
    // record is editable unless read-only (and only while the grid takes input), then
    // OnCanEditCell decides; a column beyond the last one is editable.
    virtual void IsEditableCell(int ACol, int ARow, bool &CanEdit);

    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TNotifyEvent OnEditingDone;
    TEditCellDoneEvent OnEditCellDone;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorPropIntEvent OnGetEditorPropInt;
    TAutoAdvanceEvent OnAutoAdvance;
    TAutoInsertColEvent OnAutoInsertCol;
    TEllipsClickEvent OnEllipsClick;
    TClipboardBeforePasteCellEvent OnClipboardBeforePasteCell;
    TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;

protected:
    bool CanEditShow() override;
    TInplaceEdit *CreateEditor() override;
    int GetEditLimit() override;
    bool WantTabs() const override;
    void KeyPress(QChar &Key) override;
    // Typing over a grid sorted by a column goes to the first row that starts with the text.
    void KeySearch(QChar Key);
    void DoEnter() override;
    void DoExit() override;
    void Click() override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    // The grid's own messages: the end of an edit, and the panning of the wheel button.
    bool event(QEvent *e) override;
    // OnEditingDone, EditMode off, then the end of the edit posted to the grid.
    void NotifyEditDone(int ACol, int ARow);
    // The text the current cell had when it was entered back into it.
    virtual void RestoreCellFromCache();
    // Empty hook after a wheel step; Handled starts true.
    virtual void WheelScrolled(int Delta, bool &Handled);

private:
    friend class TDazInplaceEdit;
    friend class TGridCombo;
    friend class TGridCheckBox;
    void ChooseEditorType(int ACol, int ARow);
    // The selection gate's steps of editing: a running text edit whose editor lost the
    // focus is validated before the current cell moves; the text of the cell entered is
    // kept for Escape.
    bool ValidateRunningEdit();
    void EnteringCell(int ACol, int ARow);
    void ReopenAfterRefusal(int ACol, int ARow, const QString &CellText);
    struct TValidation;
    void OpenComboEditor(int ACol, int ARow, const TRect &R, TColor Color, bool List);
    void StartEditChar(QWidget *Control);
    void ShowFocusHelper();
    void PlaceComboOver(const TRect &R, int W, int H);
    void ComboSelectionChanged(bool EditChange);
    void ComboCloseUp();
    void ComboDropDown();
    // The wheel message of the grid (not an editor's): row movement or scrolling, Ctrl zooms.
    bool WheelStep(int Delta, TShiftState Shift, QPoint MousePos);
    void StartPanning(QPoint Pos);
    void StopPanning();
    bool PanFilterEvent(QEvent *e);
    void ShowBalloon(const QString &Title, const QString &Text);
    bool AdvanceStep(int ACol, int ARow, bool OpenEditor, bool Repeated, bool Forward,
                     bool AutoEdit, bool Force, int &Budget);

    TEditorType FEditControl = edNormal;
    bool FEditMode = false;
    bool FEditing = false;
    bool FEditActive = false;
    bool FSpecialEditor = false;
    bool FValidating = false;
    QString FCellCache;
    int FOldCol = -1;
    int FOldRow = -1;
    QString FOldCellText;
    QString FOldCellTextWide;
    bool FOldModifiedValue = false;
    QString FNewCellText;
    bool FLastValidation = true;
    bool FEntered = false;
    bool FBlockFocus = false;
    bool FBlockKill = false;
    bool FShowEditProcess = false;
    bool FNoAutoAdvance = false;
    bool FLButFlg = false;   // the edit was opened by a left click
    QWidget *FEditCtrl = nullptr;
    TGridCombo *FEditCombo = nullptr;
    TGridCheckBox *FEditCheck = nullptr;
    TEditLink *FEditLink = nullptr;
    int FMaxComboLength = 0;
    bool FAlwaysValidate = false;
    TDazStringGridCheck *FCellChecker = nullptr;
    bool FGridModified = false;
    int FAECol = -1;
    int FAERow = -1;
    bool FDisableChange = false;
    TIntelliPan FIntelliPan = ipVertical;
    bool FWheelPan = false;
    QPoint FWheelPanPos;
    QTimer FPanTimer;
    QCursor FPrevCursor;
    QObject *FPanFilter = nullptr;
    QWidget *FPanGlyph = nullptr;
    int FWheelAccum = 0;
    bool FReopening = false;   // a refused value hides and shows the editor again
    std::bitset<256> FValidCharSet;
    bool FEditorsGone = false;
    // Destroyed first of the grid's members: frees the editor controls.
    struct TEditorControls
    {
        TDazStringGrid *Grid;
        ~TEditorControls();
    } FEditorControls{this};

    // --- Spin, edit-with-button and date picker editors (dazstringgrid_moreeditors.cpp) --
public:
    // Made on first use, hidden and disabled while no cell uses them.
    TGridSpin *SpinEdit();
    TGridEditBtn *BtnEdit();
    TGridUnitEditBtn *BtnUnitEdit();
    TGridDatePicker *DateTimePicker();
    TGridDateTimePicker *DateAndTimePicker();
    TGridButton *ButtonEditor();
    // The rich-text cell editor (edRichEdit), made on first use.
    TDazRichEdit *InplaceRichEdit();
    // A cell's RTF text into a rich edit (an empty cell clears it), and back.
    void CellToRich(int ACol, int ARow, TDazRichEdit *RichEdit);
    QString RichToString(TDazRichEdit *RichEdit);
    void RichToCell(int ACol, int ARow, TDazRichEdit *RichEdit);
    // The rich-text editor's selection changed (OnRichEditSelectionChange).
    virtual void DoRichEditSelectionChange();
    // The drop-down editor of a type, made on first use by its registered maker; nullptr
    // without one.
    IDropDownEditor *DropDownEditor(TEditorType Type);
    // Each drop-down editor made so far.
    void ForEachDropDown(const std::function<void(IDropDownEditor &)> &Do);
    // Drop-down editors: a header or footer button clicked (for the current cell); the
    // colour and image pickers' choices as they are made (Select) and as they are written
    // back into the cell (Selected, which may change them).
    std::function<void(TObject *Sender, int ACol, int ARow, int ButtonIndex)>
        OnDropDownHeaderButtonClick;
    std::function<void(TObject *Sender, int ACol, int ARow, int ButtonIndex)>
        OnDropDownFooterButtonClick;
    std::function<void(TObject *Sender, int ACol, int ARow, TColor Color, const QString &Value)>
        OnColorSelect;
    std::function<void(TObject *Sender, int ACol, int ARow, int Index)> OnImageSelect;
    std::function<void(TObject *Sender, int ACol, int ARow, TColor &Color, QString &Value)>
        OnColorSelected;
    std::function<void(TObject *Sender, int ACol, int ARow, int &Index)> OnImageSelected;
    virtual void DoColorSelect();
    virtual void DoImageSelect();

    // Reads a date cell's text for the date picker (ADate starts as now).
    std::function<void(TObject *Sender, const QString &Value, TDateTime &ADate)>
        OnCustomStrToDate;
    TSpinClickEvent OnSpinClick;
    std::function<void(TObject *Sender, int ACol, int ARow, double AValue, bool UpDown)>
        OnFloatSpinClick;
    std::function<void(TObject *Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>
        OnDateSpinClick;
    std::function<void(TObject *Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>
        OnTimeSpinClick;

private:
    friend class TGridEditorAccess;
    // The controls of these editor types; false for a type they do not serve.
    bool OpenMoreEditor(int ACol, int ARow, const TRect &R, const TFont &AFont, TColor AColor);
    bool CloseMoreEditor(int RealCol, int ARow);
    // Loads the cell into a drop-down editor / writes the drop-down's value into the cell.
    void LoadDropDown(IDropDownEditor *Drop, TEditorType Type, int RealCol, int ARow,
                      const QString &Text);
    void WriteDropDown(IDropDownEditor *Drop, TEditorType Type, int RealCol, int ARow);
    struct TMoreEditors
    {
        TDazStringGrid *Grid;
        TGridSpin *Spin = nullptr;
        TGridEditBtn *EditBtn = nullptr;
        TGridUnitEditBtn *UnitEditBtn = nullptr;
        TGridDatePicker *DatePicker = nullptr;
        TGridDateTimePicker *DateAndTime = nullptr;
        TGridButton *Button = nullptr;
        TDazRichEdit *RichEdit = nullptr;
        // The drop-down editors, edTrackbarDropDown .. edDazGridDropDown.
        IDropDownEditor *DropDowns[9] = {};
        // Escape ended the edit: closing leaves the cell as it was.
        bool Cancelled = false;
        bool Closing = false;
        
        ~TMoreEditors();
    } FMoreEditors{this};

    // =====================================================================================
    // Nodes, text marking and cell checks, looks and styles, balloon texts, the coloured
    // border and the focus ring, pointer movement with hover, sizing and header drags, the
    // remaining cell graphics, and the periphery (dazstringgrid_nodes / _marking / _styles /
    // _tooltips / _hover / _sizing / _glyphs2 / _periphery .cpp)
    // =====================================================================================
public:
    // --- Nodes ---------------------------------------------------------------------------
    // A node row heads the rows its span covers (0: up to the next node row); collapsing
    // hides them in the hidden-row store. Each row's depth is the NodeLevel of its column-0
    // record. Rows are display rows except where a comment says "real".
    void AddNode(int ARow, int Span);   // real
    void SetSummaryRow(int ARow);       // real
    void RemoveNode(int ARow);          // real
    void RemoveAllNodes();
    bool IsNode(int ARow);
    bool IsSummary(int ARow);
    // Collapsed; false for a row without node.
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    bool NodeState(int ARow) { return GetNodeState(ARow); }
    int GetNodeLevel(int ARow);   // -1 for a row without node
    int GetNodeSpan(int ARow);    // -1 for a row without node
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    // With CellNode.ExpandOne the other expanded nodes are contracted first.
    void ExpandNode(int ARow);     // real
    void ContractNode(int ARow);   // real
    void ExpandAll();
    void ContractAll();
    // The node row holding ARow; a node row without parent answers itself; -1 otherwise.
    int GetParentRow(int ARow);
    // InsertAt 0 on a node row moves the node's texts into the new row below it; otherwise
    // the row goes InsertAt rows below ARow.
    void InsertChildRow(int ARow, int InsertAt);   // real
    void RemoveChildRow(int ARow);                 // real
    void InsertNormalRow(int ARow);                // real
    void RemoveNormalRow(int ARow);
    // Tree-line kind: 0 node row, 2 when the next row is as deep or deeper, else 1.
    int GetNodeSpanType(int ARow);
    // X (client pixels) on the node button of the row (always with PreciseNodeClick off).
    bool IsOnNodeButton(int ARow, int X);
    int GetRowIndent(int ARow) override;
    bool HasNodes() override;
    int NodeCount() const { return FNodeCount; }

    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;

    // --- Text marking, cell checks and fills -----------------------------------------
    // S with every match of Text in its visible text wrapped in <hi> (<e>) tags.
    static QString HilightText(bool DoCase, const QString &S, const QString &Text);
    static QString MarkText(bool DoCase, const QString &S, const QString &Text);
    static QString UnHilightText(const QString &S);
    static QString UnMarkText(const QString &S);
    // Display columns; DoFixed takes in the fixed, footer and right fixed cells.
    void HilightInCell(bool DoCase, int Col, int Row, const QString &HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const QString &HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // The checker's corrections and marks; true when every text stayed as it was (always
    // without a checker).
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    // Each ends with CalcFooter(-1).
    void TextFill(bool DoFixed, const QString &Txt);
    void FormatFill(bool DoFixed, const QString &Fmt);   // Fmt takes column and row
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    // Repaint on a change while URLShow is on (URLShow and URLShowInText: on any change).
    void SetURLShow(bool Value);
    void SetURLShowInText(bool Value);
    void SetURLColor(TColor Value);
    void SetURLFull(bool Value);
    // Widths and offsets of the printed columns 0..511, as the last print layout set them;
    // another column throws EDazGridError "Columns is not in valid range".
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;
    void SetPrintColumn(int ACol, int Width, int Offset);
    // The header cell shows the sort indicator (a merge counts at its last row).
    bool IsSortIndicatorCell(int ACol, int ARow);
    QString Version() { return VersionText(GetVersionNr()); }
    static QString LookToString(TGridLook Value);
    // The looks that draw the suite's flat frame (coloured border, flat combo editor).
    static bool FramedLook(TGridLook Value);
    // Where index Pos ends up when the entry at From moves to To.
    static int MovedIndex(int Pos, int From, int To);
    static QString LookDisplayName(TGridLook Value);

    // --- Looks and styles ----------------------------------------------------------------
    // A new look applies its preset colours and styles.
    void SetLook(TGridLook Value);
    virtual void SetStyle(TDazGridStyle AStyle);
    // The suite's style interfaces.
    void SetComponentStyle(TQVRStyle AStyle);
    void SetColorTones(const TColorTones &ATones);
    const TColorTones &ColorTones() const { return FTones; }
    TQVRStyle ComponentStyle() const { return FComponentStyle; }
    // An XP colour scheme's fixed-cell gradient; no repaint.
    void SetTheme(TXPColorScheme Scheme);
    // Follows the desktop's office colour scheme when it changed since the last call.
    void ApplyOfficeTheme();

    // --- Balloon texts, border and focus ring ------------------------------------------
    // The text, title and icon of the balloon of the cell under client point Pos, cut to
    // the balloon's limits; the cell is remembered.
    void BalloonTooltipText(QPoint Pos, QString &Text, QString &Title, int &Icon);
    TGridBalloonEvent OnCellBalloon;
    TPoint LastBalloonCell() const { return FLastBalloonPos; }
    // The coloured frame of the suite looks (on the widget's own border).
    void PaintNonClientBorder(TCanvas &Canvas);
    // The translucent ring round a cell (client rectangle); it follows the grid's window.
    void ShowFocusWindow(const TRect &R);
    void MoveFocusWindow();
    void HideFocusWindow();
    TGridFocusWindow *FocusWindow() const { return FFocusWindow; }
    // Dotted lines over the grid while a column (row) border is dragged; drawing the same
    // line again removes it.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    TSizingLine *SizingLine() const { return FSizingLine; }

    // --- Pointer movement, hover, sizing and header drags -------------------------------
    TGridCoord HoverButton() const { return FHoverButton; }
    TGridCoord HoverFixedCell() const { return FHoverFixedCell; }
    TGridCoord HotFixedCell() const { return FHotFixedCell; }
    TGridCoord HoverLinkCell() const { return FHoverCell; }
    int HoverLink() const { return FHoverAnchor; }
    QString CurrentAnchor() const { return FAnchor; }
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    // The pointer left the grid: header selection modes, fixed sizing, hover fixed cell,
    // list-view hot cell and hover row are reset.
    void CMMouseLeave();
    bool SizingHintShowing() const { return FScrollHintShow; }
    // The pieces of an enhanced header drag while it runs.
    THeaderDragButton *HeaderDragButton() const { return FMoveButton; }
    TDragImageForm *DragImageForm() const { return FMoveForm; }
    TArrowWindow *ArrowWindow(TArrowDirection Direction) const;
    int MoveColInd() const { return FMoveColInd; }
    int MoveRowInd() const { return FMoveRowInd; }

    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TColumnMoveEvent OnColumnMove;
    TRowMoveEvent OnRowMove;
    TColumnMoveEvent OnColumnMoving;
    TRowMoveEvent OnRowMoving;
    TColumnSizingEvent OnColumnSizing;
    TRowSizingEvent OnRowSizing;
    TNotifyEvent OnStartBlockFocus;
    TNotifyEvent OnEndBlockFocus;

    CF_GRID_PLAIN_PROPERTY(bool, HintShowSizing, false)

public:
    // --- Remaining cell graphics ---------------------------------------------------------
    static int ClampPercent(int Value) { return Value < 0 ? 0 : Value > 100 ? 100 : Value; }
    static double ClampPercent(double Value) { return Value < 0 ? 0 : Value > 100 ? 100 : Value; }

    // --- Periphery -----------------------------------------------------------------------
    // 0x06020103: version 6.2.1.3.
    virtual int GetVersionNr();
    virtual QString GetVersionString();
    static QString VersionText(int VersionNr);
    // A translucent picture of the cells of ARect (stay-on-top, not shown); the grid owns it.
    TDragImageForm *SelectionToForm(const TGridRect &ARect);
    // Records the column widths and the grid's width as they are now.
    void InitOrigColSizes();
    const TIntList &OrigColSizes() const { return FOrgColWidths; }
    int OldSize() const { return FOldSize; }
    // A column dragged out of a column-chooser list; the column drop takes it from there.
    void OleColumnDragStart(int ACol, int AIndex, QWidget *AList);
    int OleDragCol() const { return FOleDragCol; }
    int OleDragIndex() const { return FOleDragIndex; }
    QWidget *OleDragList() const { return FOleDragList; }
    // A drag of cells or of a header's column out of this grid (OleDropSource). A press
    // on the selection arms it; the first move of more than 3 pixels with the button held
    // runs the drag to its end (the data tools supply the drop source and the cell stream).
    bool SelectionClick() const { return FSelectionClick; }
    bool OleDragging() const { return FOleDragging; }
    TOleDragEvent OnOleDrag;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    // The search bar under the grid (made on first use); SearchFooterChanged applies
    // SearchFooter to it.
    TSearchPanel *SearchPanel();
    void SearchFooterChanged();
    // The grid follows its window's size (SizeWithForm), then stretches its column.
    void ParentFormResize(QWidget *Form);
    void UnitEditChanged(const QString &NewUnit);
    TUnitChangedEvent OnUnitChanged;

protected:
    // Expands a collapsed node (real row) without the ExpandOne rule.
    virtual void DoExpandNode(int ARow);
    // Contracts every expanded node but the one at real row Keep, hiding all their rows in
    // one pass (the ExpandOne rule).
    void ContractOtherNodes(int Keep);
    void GetDisplText(int ACol, int ARow, QString &Value) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // The widget's own events after the grid's: its border painted, the search bar placed.
    bool FrameEvent(QEvent *e);
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    bool CheckColumnDrag(int &Origin, int &Destination, QPoint MousePt) override;
    bool CheckRowDrag(int &Origin, int &Destination, QPoint MousePt) override;
    bool EndColumnDrag(int &Origin, int &Destination, QPoint MousePt) override;
    bool EndRowDrag(int &Origin, int &Destination, QPoint MousePt) override;
    virtual void DoStartBlockFocus();
    virtual void DoEndBlockFocus();
    // The kinds the glyph code does not draw (radio groups, progress bars, ratings, nodes,
    // rotated text).
    void DrawOtherCellGraphic(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                              const TRect &Place, TGridDrawState AState, TCellGraphic *Graphic);
    void DrawNodeGlyph(TCanvas &Canvas, int ARow, const TRect &R, TGridDrawState AState,
                       const TCellGraphic &Graphic);
    // Look (glyphThemed .. glyphCustom) and state (glyphNormal .. glyphDisabled) of a
    // cell button's face, and its caption colour in the colour-tones look.
    int ButtonGlyphLook();
    int ButtonGlyphState(int RCol, int ARow, const TCellGraphic &Graphic);
    TColor ButtonToneTextColor(int State) const;
    // A raised or sunken edge: Light on the left and top, Dark on the right and bottom.
    static void DrawEdgeLines(TCanvas &Canvas, const TRect &Box, TColor Light, TColor Dark);
    void DrawRotatedCell(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                         const TCellGraphic &Graphic);
    // Press and release steps of the node glyph and of fixed-cell sizing; true when the
    // press (release) was handled.
    bool ClickOnNode(int ACol, int ARow, int X, int Y, TShiftState Shift);
    // The press also records where it was (the drags measure from there).
    bool StartFixedSizing(int X, int Y);
    // The fixed-cell selections that the move handling prepared (whole grid, rows, columns).
    void ClickOnHeaderSelect(int ACol, int ARow, TShiftState Shift, const TGridRect &OldSel);
    bool EndFixedSizing(int X, int Y);
    void ReleaseSizingHint();
    // The Left / Right keys on a node row.
    void NodeKey(uint16_t Key);
    // The sort glyph centred on (X, Y): direction, or index and number.
    void DrawSortGlyph(TCanvas &Canvas, int ACol, int Y, int X);

private:
    void ChangeRowLevel(int ARow, int Delta);
    int NodeEnd(int ARow, int Span);
    TCellGraphic *NodeGraphic(int ARow);
    // Cols: real columns.
    void TagTextInRange(const QString &Text, const QString &Tag, const std::vector<int> &Cols,
                        int FromRow, int ToRow, bool DoCase);
    void UntagTextInRange(const QString &Tag, const std::vector<int> &Cols, int FromRow,
                          int ToRow);
    QString MarkingText(int ACol, int ARow);
    // The display columns and rows of the fills and checks (all cells with DoFixed).
    int FirstCol(bool DoFixed) const { return DoFixed ? 0 : FixedCols(); }
    int LastCol(bool DoFixed) const { return ColCount() - 1 - (DoFixed ? 0 : FFixedRightCols); }
    int FirstRow(bool DoFixed) const { return DoFixed ? 0 : FixedRows(); }
    int LastRow(bool DoFixed) const { return RowCount() - 1 - (DoFixed ? 0 : FFixedFooters); }
    void FillRange(bool DoFixed, const std::function<void(int, int)> &Fill);
    void ApplyLookPreset(TGridLook Value);
    void StyleSearchFooter();
    void HoverCells(int ACol, int ARow, int X, int Y);
    void HeaderDragSelect(int X, int Y);
    void TrackFixedSizing(int ACol, int ARow, int X, int Y);
    void EnhancedHeaderDrag(int ACol, int ARow, int X, int Y);
    void ShowDropArrows();
    void HideHeaderDrag();
    void UpdateMouseSelectMode(int ACol, int ARow, int X, int Y, bool OnHandle,
                               bool &CursorSet);
    void HoverAnchors(int ACol, int ARow, int X, int Y, bool &CursorSet);
    void LeaveAnchor(int ACol, int ARow);
    bool GridCursorSet() const;
    void SizingFeedback(int X, int Y);
    void ShowSizingHint(const QString &Text, int ACol, int ARow);
    // The pointer over the cells: the grid's own choice, or back to the grid's cursor.
    void SetGridCursor(const QCursor &Value);
    void RestoreGridCursor();
    void ColumnMoveFollowUp(int FromIndex, int ToIndex, int RealFrom, int RealTo);
    void WatchForm(QWidget *Form);

    int FNodeCount = 0;
    TColor FURLColor = clBlue;
    bool FURLShow = false;
    bool FURLShowInText = false;
    bool FURLFull = false;
    std::vector<int> FPrintColWidths = std::vector<int>(512, 0);
    std::vector<int> FPrintColOffsets = std::vector<int>(512, 0);
    TColorTones FTones;
    TQVRStyle FComponentStyle = tsCustom;
    TOfficeTheme FOfficeTheme = otUnknown;
    TGridFocusWindow *FFocusWindow = nullptr;
    TSizingLine *FSizingLine = nullptr;
    QPointer<QWidget> FFocusWindowHost;   // the window whose moves the ring follows
    // Pointer state.
    TGridCoord FHoverButton{-1, -1};
    TGridCoord FHotFixedCell{-1, -1};
    QString FAnchor;
    bool FInvokedFocusChange = false;
    bool FScrollHintShow = false;
    bool FScrolledUp = false;
    bool FColSized = false;
    bool FRowSized = false;
    TGridRect FSizeSelection;
    // Sizing of fixed columns and rows by their borders.
    bool FSizingFixed = false;
    bool FSizingFixedR = false;
    int FSizingFixedCol = 0;
    int FSizingFixedRow = 0;
    int FSizeFixedX = 0;
    int FSizeFixedY = 0;
    int FSizeLineX = -1;   // where a sizing line is drawn now
    int FSizeLineY = -1;
    bool FLeaveWatched = false;
    QScrollBar *FCellScrollBar = nullptr;
    // An action of the cell scroll bar (QAbstractSlider::SliderAction).
    void CellScrollBarAction(int Action);
    int FScrollCol = -1;   // the cell the shared cell scroll bar stands over
    int FScrollRow = -1;
    TGridRect FRectSelection;   // the selection last repainted for its rectangle
    int FPressLeftCol = -1;
    bool FSyncMoving = false;   // this move follows a coupled grid's
    // Enhanced header drags.
    THeaderDragButton *FMoveButton = nullptr;
    TDragImageForm *FMoveForm = nullptr;
    TArrowWindow *FArrows[4] = {nullptr, nullptr, nullptr, nullptr};
    int FMoveColInd = -1;
    int FMoveRowInd = -1;
    bool FDragStarted = false;
    bool FDragAllowed = true;
    QPoint FPressPoint{-1, -1};
    QPoint FMoveOffset;
    // Periphery.
    int FOldSize = 0;
    int FOleDragCol = -1;
    int FOleDragIndex = -1;
    QPointer<QWidget> FOleDragList;
    bool FOleDragging = false;
    // The press that arms a drag of the selection; the drag from a move that arms it.
    bool PressStartsOleDrag(int ACol, int ARow, const TRect &CellR, int X);
    // True when the move started a drag (it has ended when this returns).
    bool OleDragFromMove(int ACol, int ARow, int X, int Y, bool OnHandle, TShiftState Shift);
    void RunOleDrag(int ACol, int ARow, int X, int Y);
    // The release of a press that armed a drag but never moved: the press selects now.
    bool SelectionClickUp(int ACol, int ARow, TShiftState Shift);
    TSearchPanel *FSearchPanel = nullptr;
    QPointer<QWidget> FWatchedForm;
    int FPrevSizeX = 0;
    int FPrevSizeY = 0;

    // --- Embedded CONTROL editors and header editing (_embedded.cpp, _fixededit.cpp) ----
public:
    // Opens the editor of an EDIT, PASSWORD, MASK or COMBO element of a mark-up cell over
    // CtrlRect (viewport coordinates); other types open nothing.
    void StartControlEdit(const QString &Text, const QString &CtrlType, int ARow, int RealCol,
                          int ACol, const TRect &CtrlRect, const QString &CtrlVal,
                          const QString &CtrlID);
    // Writes the value into the element and fires OnControlEditDone.
    void EndControlEdit();
    bool ControlEditing() const { return FCtrlEditing; }
    // Opens the header editor (a text field or combo box) over a fixed cell (display
    // column); an open header edit whose value is refused stays open instead.
    void StartFixedCellEdit(int ACol, int ARow);
    // The open header editor, or nullptr.
    QWidget *FixedCellEditor() const;
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &CtrlID,
                       const QString &CtrlType, const QString &CtrlVal, TStringList &Values,
                       bool &Edit, int &DropCount)>
        OnControlComboList;
    std::function<void(TObject *Sender, int ARow, int ACol, int ItemIndex,
                       const QString &CtrlID, const QString &CtrlValue)>
        OnControlComboSelect;
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &CtrlID,
                       const QString &CtrlType, const QString &CtrlVal)>
        OnControlEditDone;

private:
    friend class TGridTransEditor;
    void ControlComboSelect();
    TPoint FCtrlXY{-1, -1};
    QString FCtrlID, FCtrlType;
    bool FCtrlEditing = false;
    bool FCtrlDown = false;   // an embedded BUTTON element is pressed (at FCtrlXY)
    // A press on an embedded BUTTON, CHECK or RADIO element: answers whether it was one.
    bool PressControlElement(int ARow, int ACol, int RealCol, QString Text,
                             const THtmlRenderResult &Hit);
    // A pressed BUTTON element comes up (the release, or the focus leaving the grid).
    void ReleaseControlButton();
    // A press on the header drop-down button of a fixed cell (MouseDown).
    bool PressFixedDropDown(int ACol, int ARow, int X);
    // X lies on the header drop-down button or the filter button of display column ACol.
    bool OnHeaderButton(int ACol, int ARow, int X);
    int FFixedColEdit = -1, FFixedRowEdit = -1;
    QLineEdit *FEditTrans = nullptr;
    QComboBox *FComboTrans = nullptr;
};

// The date and time picker editors may be used (the platform's controls are recent enough).
inline bool ComCtl32Above469()
{
    return true;
}

// The grid whose focus window is on screen, or nullptr.
TDazStringGrid *FocusWindowGrid();
void SetFocusWindowGrid(TDazStringGrid *Grid);
