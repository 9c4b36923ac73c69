#pragma once
// TCustomGrid: the scrolling cell grid every table of the program stands on. It keeps the
// dimensions, the current cell and selection, scrolls by whole rows and columns, paints
// every visible cell through DrawCell, runs the in-place editing protocol and the keyboard
// and mouse behaviour (navigation, range selection, sizing and moving of rows and columns).
// It holds no cell data: TStringGridBase adds the texts and objects.
//
// Geometry: column c starts after the widths of the columns before it, each followed by
// GridLineWidth pixels of line; with a line width of 0 cells abut. Fixed rows and columns
// stay in place; the rest scrolls so that TopRow / LeftCol is the first scrollable one
// shown. Painting, hit-testing and scrolling walk only the visible cells; offsets of far
// rows come from a cached prefix sum (RowOffset), so nothing costs O(RowCount) per paint.
//
// Descendants plug in through the protected virtual operations (DrawCell, SelectCell,
// CanEditShow, KeyDown, MouseDown, TopLeftChanged, ...), each documented below.
#include "grid/base/classes.h"
#include "grid/base/graphics.h"
#include "grid/base/gridtypes.h"
#include "grid/base/keys.h"
#include "platform/canvas.h"
#include "platform/color.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

class TCustomGrid;
class QPainter;

using TDrawCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, const TRect &Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &CanSelect)>;
using TKeyEvent = std::function<void(TObject *Sender, uint16_t &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject *Sender, QChar &Key)>;
using TMouseEvent = std::function<void(TObject *Sender, TMouseButton Button, TShiftState Shift,
                                       int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject *Sender, TShiftState Shift, int X, int Y)>;
using TMovedEvent = std::function<void(TObject *Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;
using TSetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;
using TMouseWheelEvent = std::function<void(TObject *Sender, TShiftState Shift, int WheelDelta,
                                            QPoint MousePos, bool &Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject *Sender, TShiftState Shift, QPoint MousePos, bool &Handled)>;

// Extents (widths or heights) of one axis: a default plus per-index values, with the sum of
// the extents before an index answered from a lazily rebuilt prefix table.
class TGridAxisExtents
{
public:
    int Count() const { return int(FExtents.size()); }
    void SetCount(int Value);                 // new entries take the default
    int Default() const { return FDefault; }
    void SetDefault(int Value);               // every entry takes the new default
    int Extent(int Index) const;              // the default outside 0..Count-1
    void SetExtent(int Index, int Value);
    int64_t Offset(int Index) const;          // sum of the extents of 0..Index-1
    void Move(int FromIndex, int ToIndex);
    // Removes the entries at Indexes / inserts default entries that end up at Indexes
    // (ascending, each once), in one pass. Delete writes the removed entries to Taken
    // (one per index) when given.
    void Delete(const std::vector<int> &Indexes, int *Taken = nullptr);
    void Insert(const std::vector<int> &Indexes);
    bool AllDefault() const { return FNonDefault == 0; }

private:
    void Invalidate(int Index) const;
    std::vector<int> FExtents;
    int FDefault = 0;
    int FNonDefault = 0;   // entries that differ from the default
    mutable std::vector<int64_t> FPrefix;   // FPrefix[i]: sum of extents 0..i-1
    mutable int FPrefixValid = 0;           // entries of FPrefix that are up to date
};

class TInplaceLine;

// The editor the grid shows over the current cell. The grid creates it once through
// CreateEditor and reuses it for every edit. It is a multi-line edit: a line break is typed
// or pasted where the grid's rules let it in, and the text wraps when word wrap is on. A
// cell with an edit mask or a password echo is edited on one line: a hidden line edit keeps
// the text then (it applies the mask) and this control shows what that one shows.
// The text as the grid sees it (text(), positions, selection) has CR LF line breaks, or
// the breaks the loaded text used; positions count a CR LF as two characters.
class TInplaceEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TInplaceEdit(TCustomGrid *Grid);
    ~TInplaceEdit() override;
    TCustomGrid *Grid() const { return FGrid; }

    // Loads text, mask and limit from the grid (GetEditMask, GetEditText, GetEditLimit).
    virtual void UpdateContents();
    // The editor was placed over its cell (Move); descendants adjust margins here.
    virtual void BoundsChanged();
    // Places the editor over ARect (client coordinates of the grid) and shows it; it takes
    // the focus when the grid has it. An empty rectangle hides it.
    void Move(const TRect &ARect);
    // Hides the editor; the grid takes the focus back when the editor had it.
    void HideEditor();
    void Deselect();
    // Shows Value without handing it back to the grid (the cell already holds it).
    void LoadText(const QString &Value);

    // The edit's text and caret, in the grid's terms.
    QString text() const;
    void setText(const QString &Value);
    int cursorPosition() const;
    void setCursorPosition(int Pos);
    bool hasSelectedText() const;
    QString selectedText() const;
    int selectionStart() const;
    void setSelection(int Start, int Length);
    void selectAll();
    void deselect();
    // Types Value in place of the selection (the mask and the length limit apply).
    void insert(const QString &Value);
    void backspace();
    void cut();
    void copy();
    int cursorPositionAt(const QPoint &Pos) const;   // Pos in the editor's coordinates
    QString inputMask() const;
    void setInputMask(const QString &Mask);
    int maxLength() const { return FMaxLength; }
    void setMaxLength(int Value);
    QLineEdit::EchoMode echoMode() const { return FEchoMode; }
    void setEchoMode(QLineEdit::EchoMode Mode);
    void setAlignment(Qt::Alignment Value);
    Qt::Alignment alignment() const { return FAlignment; }
    void setWrapping(bool Value);
    bool wrapping() const { return FWrapping; }
    void setTextMargins(int Left, int Top, int Right, int Bottom);
    bool isModified() const;
    void setModified(bool Value);
    // The edit runs on one line (an edit mask or a password echo).
    bool isOneLine() const { return FLine != nullptr; }
    // The caret is on the first / last shown line of the text.
    bool CaretOnFirstLine() const;
    bool CaretOnLastLine() const;

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    // Key processing as the grid's: WMKeyDown -> KeyDown, WMChar -> KeyPress. Navigation
    // keys go to the grid (Up, Down, PageUp/Down, Escape, Tab, Insert, Ctrl+Delete, and
    // Left/Right/Home/End at the ends of the text with goAlwaysShowEditor); Enter reaches
    // the grid's KeyPress, which closes the editor.
    virtual void WMKeyDown(TKeyMessage &Message);
    virtual void WMChar(TKeyMessage &Message);
    virtual void WMKeyUp(TKeyMessage &Message);
    virtual void KeyDown(uint16_t &Key, TShiftState Shift);
    virtual void KeyPress(QChar &Key);
    virtual void KeyUp(uint16_t &Key, TShiftState Shift);
    // The text changed (typed or set): passes it on to the grid (SetEditText).
    virtual void Change();
    // Types one character into the text as the edit control would (Backspace, and CR or LF
    // as a line break, included).
    void DefaultChar(QChar Ch);
    // The edit control's own handling of a key (caret movement, deleting, undo).
    void DefaultKey(QKeyEvent *e);
    QKeyEvent *FPendingKey = nullptr;   // the Qt event under processing (default handling)

    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    friend class TCustomGrid;
    QString DocText() const;                  // the document, line breaks as LF
    int DocToText(int DocPos) const;
    int TextToDoc(int TextPos) const;
    QString ToDoc(const QString &Value) const;
    void SetDocText(const QString &Value);    // replaces the document, no Change
    void UpdateLineMode();
    void LineToView();                        // the one-line edit's text and caret shown here
    void ViewToLine() const;                  // the caret chosen here given to the one-line edit
    void TextChanged();

    TCustomGrid *FGrid;
    TInplaceLine *FLine = nullptr;            // the one-line edit, while a mask or echo applies
    bool FLoading = false;
    bool FSyncing = false;
    QString FMask;
    QLineEdit::EchoMode FEchoMode = QLineEdit::Normal;
    int FMaxLength = 32767;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    bool FWrapping = false;
    QString FBreak = QStringLiteral("\r\n");   // line break the text uses
    QString FLoadedText;                      // the text as set, kept while it is unchanged
    QString FLoadedDoc;
    QString FLastDoc;                         // the document when its text last changed
};

class TCustomGrid : public QAbstractScrollArea, public TObject
{
    Q_OBJECT
public:
    explicit TCustomGrid(QWidget *Parent = nullptr);
    ~TCustomGrid() override;

    // --- Dimensions ----------------------------------------------------------------------
    int ColCount() const { return FColCount; }
    // Not virtual: a descendant that redeclares a setter keeps the grid's own internal calls
    // (DeleteRow, ...) on this one, as a redeclared property would.
    void SetColCount(int Value);     // at least 1; lowers FixedCols when needed; EGridError
                                     // beyond TGridStore::MaxColumns
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);     // at least 1; lowers FixedRows when needed; EGridError
                                     // beyond TGridStore::MaxRows
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);    // 0..ColCount-1, else EGridError; resets the view
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FColWidths.Default(); }
    void SetDefaultColWidth(int Value);      // every column takes the width
    int DefaultRowHeight() const { return FRowHeights.Default(); }
    void SetDefaultRowHeight(int Value);     // every row takes the height
    int ColWidths(int Index) const { return FColWidths.Extent(Index); }
    void SetColWidths(int Index, int Value); // 0..ColCount-1, else EGridError
    int RowHeights(int Index) const { return FRowHeights.Extent(Index); }
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    // Sum of the widths of columns 0..ACol-1 / heights of rows 0..ARow-1 (no lines).
    int64_t ColOffset(int ACol) const { return FColWidths.Offset(ACol); }
    int64_t RowOffset(int ARow) const { return FRowHeights.Offset(ARow); }

    // --- View ----------------------------------------------------------------------------
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);              // kept within FixedCols..ColCount-1
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);               // kept within FixedRows..RowCount-1
    // Scrollable columns / rows fully in view from LeftCol / TopRow (at least 1).
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The cell's rectangle in client coordinates without its grid lines, clipped to the
    // client area; empty for a cell out of view or outside the grid.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; -1 for a coordinate outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int &ACol, int &ARow) const;
    // Width and height of the client area that the cells use.
    int ClientWidth() const;
    int ClientHeight() const;

    // --- Current cell and selection ------------------------------------------------------
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);                  // FocusCell(Value, Row, true) when different
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    TGridRect Selection() const;             // ordered corners
    void SetSelection(const TGridRect &Value);   // no SelectCell; Col/Row := its BottomRight
    // Makes (ACol, ARow) current when SelectCell allows; MoveAnchor collapses the selection
    // onto it, Show scrolls it into view. EGridError for a cell outside the grid.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // MoveColRow(ACol, ARow, MoveAnchor, true), then the editor follows and Click runs.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TGridState GridState() const { return FGridState; }
    bool TabStops(int Index) const;
    void SetTabStops(int Index, bool Value);

    // --- Look ----------------------------------------------------------------------------
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    // The cells' font; a change repaints the grid (the widget's font follows it).
    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    // When set, the grid fills each cell's background (and the string grid draws its text)
    // before DrawCell; when clear, DrawCell paints everything.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);

    // --- Editing -------------------------------------------------------------------------
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit *InplaceEditor() const { return FInplaceEdit; }
    void ShowEditor();
    void ShowEditorChar(QChar Ch);           // shows the editor and types Ch into it
    void HideEditor();                       // the editor's text goes to SetEditText first

    // --- Structure -----------------------------------------------------------------------
    // Moves a column / row (widths, current cell, data through ColumnMoved / RowMoved).
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    virtual void DeleteColumn(int ACol);     // moves it last, then ColCount - 1
    virtual void DeleteRow(int ARow);
    // Removes the rows at Rows / inserts empty rows that end up at Rows (ascending, each
    // once, inside the grid), in one pass: heights, data (RowsDeleted / RowsInserted), the
    // current cell and RowCount follow. At least one row stays. EGridError for a bad list.
    // DeleteRows writes the heights of the removed rows to Heights (one per row) when given.
    void DeleteRows(const std::vector<int> &Rows, int *Heights = nullptr);
    void InsertRows(const std::vector<int> &Rows);

    // --- Repainting ----------------------------------------------------------------------
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGridRect(const TGridRect &ARect);
    void InvalidateGrid();
    // Paints the client area as the grid shows it (used for off-screen rendering).
    void PaintTo(QPainter &Painter);
    // The canvas of the paint in progress (nullptr outside painting).
    TCanvas *Canvas() const { return FCanvas; }

    // --- Events --------------------------------------------------------------------------
    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    // --- Painting ------------------------------------------------------------------------
    // Paints every visible cell, fixed ones first (corner, fixed rows, fixed columns, then
    // the scrollable part), the grid lines and the empty area beyond the last cell.
    virtual void Paint();
    // Paints one cell; ARect excludes the cell's grid lines. The grid's version fires
    // OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);

    // --- Current cell --------------------------------------------------------------------
    // Asked before the current cell moves to (ACol, ARow); false vetoes the move. The
    // grid's version fires OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    // After LeftCol or TopRow changed (the editor follows). Fires OnTopLeftChanged.
    virtual void TopLeftChanged();
    // After ColCount or RowCount changed.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // The grid's part of a column / row move; fires OnColumnMoved / OnRowMoved.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // The grid's part of DeleteRows / InsertRows, before RowCount changes.
    virtual void RowsDeleted(const std::vector<int> &Rows);
    virtual void RowsInserted(const std::vector<int> &Rows);
    // The client area was resized.
    virtual void Resize();

    // --- Editing -------------------------------------------------------------------------
    // May the editor show now? The grid's version: goEditing without goRowSelect, editor
    // mode on, and the grid (or editor) focused or goAlwaysShowEditor.
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(QChar Key);
    virtual TInplaceEdit *CreateEditor();
    virtual QString GetEditText(int ACol, int ARow);   // fires OnGetEditText
    virtual void SetEditText(int ACol, int ARow, const QString &Value);   // fires OnSetEditText
    virtual int GetEditLimit();                          // 0: no limit
    virtual QString GetEditMask(int ACol, int ARow);    // fires OnGetEditMask
    // Hands the editor's text to SetEditText (while an editor is on a cell).
    void UpdateText();
    // Keeps the editor on the current cell, creating and showing it when CanEditShow.
    void UpdateEdit();
    // Would Tab and Shift+Tab reach the grid instead of moving the focus on? goTabs.
    virtual bool WantTabs() const;

    // --- Keyboard ------------------------------------------------------------------------
    // Message level: WMKeyDown -> KeyDown; WMChar types into the editor with goEditing
    // (Backspace and #32..#255) or else -> KeyPress; WMKeyUp -> KeyUp.
    virtual void WMKeyDown(TKeyMessage &Message);
    virtual void WMChar(TKeyMessage &Message);
    virtual void WMKeyUp(TKeyMessage &Message);
    // Fires OnKeyDown, then navigates: arrows, PageUp/Down, Home/End (Ctrl forms), Tab with
    // goTabs, F2 (editor).
    virtual void KeyDown(uint16_t &Key, TShiftState Shift);
    // Fires OnKeyPress; Enter toggles the editor unless goAlwaysShowEditor.
    virtual void KeyPress(QChar &Key);
    virtual void KeyUp(uint16_t &Key, TShiftState Shift);   // fires OnKeyUp

    // --- Mouse ---------------------------------------------------------------------------
    // Left button: sizing (CalcSizingState), selecting, moving rows/columns, or editing.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();      // fires OnClick
    virtual void DblClick();   // fires OnDblClick
    // Is the point on a column or row border that may be dragged? Sets State to
    // gsColSizing / gsRowSizing with the index, the border position and the offset of the
    // point from it; otherwise State is gsNormal and Index -1.
    virtual void CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                 int &SizingOfs);
    // Column / row drags: Begin may refuse or change the origin, Check each new
    // destination, End the final one.
    virtual bool BeginColumnDrag(int &Origin, int &Destination, QPoint MousePt);
    virtual bool CheckColumnDrag(int &Origin, int &Destination, QPoint MousePt);
    virtual bool EndColumnDrag(int &Origin, int &Destination, QPoint MousePt);
    virtual bool BeginRowDrag(int &Origin, int &Destination, QPoint MousePt);
    virtual bool CheckRowDrag(int &Origin, int &Destination, QPoint MousePt);
    virtual bool EndRowDrag(int &Origin, int &Destination, QPoint MousePt);
    // Wheel message: fires OnMouseWheel, then DoMouseWheelDown/Up once per notch.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos);
    // One notch: fires OnMouseWheelDown/Up; unhandled, the current row moves by one.
    virtual bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos);
    // One tick of the auto-scroll timer while selecting or moving with the mouse held
    // beyond the cells (every 60 ms).
    virtual void TimerScroll();

    // --- Scrolling -----------------------------------------------------------------------
    // A scroll bar action: ScrollCode is one of SB_LINEUP..SB_ENDSCROLL, Pos the column or
    // row the thumb points at (SB_THUMBTRACK / SB_THUMBPOSITION). The grid's version moves
    // LeftCol / TopRow (thumb tracking only with goThumbTracking).
    virtual void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos);
    // Moves the view so that LeftCol/TopRow become (ALeft, ATop).
    void MoveTopLeft(int ALeft, int ATop);
    // Scrolls the least so that the cell is fully visible.
    void ClampInView(TGridCoord Coord);
    // Largest useful LeftCol / TopRow: the one that shows the last column / row at the end.
    int MaxLeftCol() const;
    int MaxTopRow() const;
    void UpdateScrollRange();

    // --- Focus ---------------------------------------------------------------------------
    virtual void DoEnter();   // the focus came to the grid from outside; fires OnEnter
    virtual void DoExit();    // fires OnExit
    bool IsActiveControl() const;

    // The selection changed from OldSel: repaints the difference.
    void SelectionMoved(const TGridRect &OldSel);
    void MoveAnchor(TGridCoord NewAnchor);
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    TGridCoord Current() const { return FCurrent; }
    // Ends or starts a mouse mode from a descendant's own button handling.
    void SetGridState(TGridState Value) { FGridState = Value; }
    TGridCoord Anchor() const { return FAnchor; }
    int InplaceCol() const { return FInplaceCol; }
    int InplaceRow() const { return FInplaceRow; }
    // Column / row index and position of a live sizing or move drag.
    int SizingIndex() const { return FSizingIndex; }
    int SizingPos() const { return FSizingPos; }
    int MoveIndex() const { return FMoveIndex; }
    int MovePos() const { return FMovePos; }

    // Qt plumbing.
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class TInplaceEdit;

    // Layout of one axis for the current view (fixed part, scrolled part, last full cell).
    struct TAxisInfo
    {
        int EffectiveLineWidth = 0;
        int FixedBoundary = 0;     // end of the fixed cells (with their lines)
        int GridBoundary = 0;      // end of the last (partly) visible cell
        int GridExtent = 0;        // client size along the axis
        int LastFullVisibleCell = 0;
        int LastVisibleCell = 0;   // last cell that shows at least partly
        int FullVisBoundary = 0;   // end of the last fully visible cell
        int FixedCellCount = 0;
        int FirstGridCell = 0;
        int GridCellCount = 0;
        const TGridAxisExtents *Extents = nullptr;
        int Extent(int i) const { return Extents->Extent(i); }
        // Pixels from one cell start to the next (a hidden cell takes none).
        int Step(int i) const { return std::max(0, Extent(i) + EffectiveLineWidth); }
    };
    TAxisInfo CalcAxis(bool Horizontal) const;
    TAxisInfo CalcAxisAt(bool Horizontal, int FirstGridCell) const;
    static int CalcMaxCell(const TAxisInfo &Axis, int Start);
    static int LinePos(const TAxisInfo &Axis, int Line);
    static bool CalcScreenSpan(const TAxisInfo &Axis, int Min, int Max, int &ScreenMin,
                               int &ScreenMax);
    static int CoordFromPoint(const TAxisInfo &Axis, int Pos);
    TRect BoxRect(const TGridRect &R) const;
    void ChangeSize(int NewColCount, int NewRowCount);
    void Initialize();
    void DrawCells(TCanvas &C, int ACol, int ARow, int StartX, int StartY, int StopX,
                   int StopY, TGridDrawState IncludeState, const TAxisInfo &H,
                   const TAxisInfo &V);
    void DrawLines(TCanvas &C, const TAxisInfo &H, const TAxisInfo &V);
    void DrawDragFeedback(TCanvas &C, const TAxisInfo &H, const TAxisInfo &V);
    void MoveAndScroll(int Mouse, int CellHit, bool Horizontal, QPoint MousePt);
    void HideEdit();
    void UpdateScrollPos();
    void ScrollBarAction(int ScrollBar, int Action);
    void EditorFocusIn();
    void EditorFocusOut();
    void CheckFocusLeft();
    void StopTimer();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FGridLineWidth = 1;
    TGridAxisExtents FColWidths;
    TGridAxisExtents FRowHeights;
    std::vector<bool> FTabStops;
    TGridCoord FTopLeft{1, 1};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions;
    TGridState FGridState = gsNormal;
    TScrollStyle FScrollBars = ssBoth;
    TColor FColor = clWindow;
    TColor FFixedColor = clBtnFace;
    TFontObject FFont;
    bool FDefaultDrawing = true;
    static constexpr TColor FixedLineColor = clBlack;
    static constexpr TColor LineColor = clSilver;

    bool FEditorMode = false;
    TInplaceEdit *FInplaceEdit = nullptr;
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    bool FCanEditModify = true;

    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = -1;
    int FMovePos = -1;
    QPoint FLastMousePos;
    QTimer FTimer;
    int FWheelAccumulator = 0;
    bool FFocusWithin = false;      // the grid or its editor has the focus
    bool FFocusFromEditor = false;  // the focus comes back from the editor
    bool FSyncingScrollBars = false;
    TCanvas *FCanvas = nullptr;
};
