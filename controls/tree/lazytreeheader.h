#pragma once
// The tree's columns and its header as a model: the column collection with its position map
// (a column's index is its place in the collection, its position its place on screen), the
// width rules, the header's options, height rules, main, sort and auto-size column, spring
// and proportional resizing, and the stream formats of both.
//
// A tree without columns works as one column of index NoColumn (-1) spanning the client
// width; every query answers for an empty collection. The header's painting and its mouse
// handling belong to the tree window.
#include "controls/tree/lazynode.h"
#include "platform/color.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class QMenu;
class TBaseLazyTree;
class TLTHeader;
class TLTImageList;
class TLazyTreeColumns;
class TLTHeaderPopupMenu;
class TLTDragImage;

using TColumnIndex = int32_t;
using TColumnPosition = uint32_t;
constexpr TColumnIndex NoColumn = -1;
constexpr TColumnIndex InvalidColumn = -2;

// Own names for the framework's alignment, reading order and sort direction: the grid has
// unscoped enumerations of the same values, and the scan window includes both.
enum class TLTAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TLTBiDiMode : uint8_t {
    bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly
};
enum class TLTSortDirection : uint8_t { sdAscending, sdDescending };

enum class TLazyTreeColumnStyle : uint8_t { vsText, vsOwnerDraw };
enum class TLTHeaderColumnLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Bit n of a stored option set is value n.
enum class TLTColumnOption : uint8_t {
    coAllowClick, coDraggable, coEnabled, coParentBidiMode, coParentColor, coResizable,
    coShowDropMark, coVisible, coAutoSpring, coFixed, coSmartResize, coAllowFocus,
    coDisableAnimatedResize, coWrapCaption, coUseCaptionAlignment, coEditable
};
using TLTColumnOptions = TEnumSet<TLTColumnOption>;

enum class TLTHeaderOption : uint8_t {
    hoAutoResize, hoColumnResize, hoDblClickResize, hoDrag, hoHotTrack, hoOwnerDraw,
    hoRestrictDrag, hoShowHint, hoShowImages, hoShowSortGlyphs, hoVisible, hoAutoSpring,
    hoFullRepaintOnResize, hoDisableAnimatedResize, hoHeightResize, hoHeightDblClickResize,
    hoHeaderClickAutoSort, hoAutoColumnPopupMenu
};
using TLTHeaderOptions = TEnumSet<TLTHeaderOption>;

enum class THeaderState : uint8_t {
    hsAutoSizing, hsDragging, hsDragPending, hsLoading, hsColumnWidthTracking,
    hsColumnWidthTrackPending, hsHeightTracking, hsHeightTrackPending, hsResizing, hsScaling,
    hsNeedScaling
};
using THeaderStates = TEnumSet<THeaderState>;

enum class TLTHeaderStyle : uint8_t { hsThickButtons, hsFlatButtons, hsPlates };
enum class TSmartAutoFitType : uint8_t { smaAllColumns, smaNoColumn, smaUseColumnOption };

using TColumnsArray = std::vector<class TLazyTreeColumn *>;

// ---------------------------------------------------------------------------------------

// One column of the tree.
class TLazyTreeColumn
{
public:
    explicit TLazyTreeColumn(TLazyTreeColumns &AOwner);
    virtual ~TLazyTreeColumn() = default;

    TLazyTreeColumns &Owner() const { return FOwner; }
    TColumnIndex Index() const;

    virtual QString Text() const { return FText; }
    virtual void SetText(const QString &Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString &Value) { FHint = Value; }
    QString CaptionText() const { return FCaptionText; }
    void SetCaptionText(const QString &Value) { FCaptionText = Value; }
    // Left edge in client coordinates: scrolled unless the column is visible and fixed.
    int Left() const;
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TColumnPosition Position() const { return FPosition; }
    void SetPosition(TColumnPosition Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    TLazyTreeColumnStyle Style() const { return FStyle; }
    void SetStyle(TLazyTreeColumnStyle Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TLTBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TLTBiDiMode Value);
    TLTHeaderColumnLayout Layout() const { return FLayout; }
    void SetLayout(TLTHeaderColumnLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TLTColumnOptions Options() const { return FOptions; }
    void SetOptions(TLTColumnOptions Value);
    int32_t Tag = 0;
    TLTAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLTAlignment Value);
    // CaptionAlignment while coUseCaptionAlignment is set, else Alignment.
    TLTAlignment CaptionAlignment() const;
    void SetCaptionAlignment(TLTAlignment Value);
    int LastWidth() const { return FLastWidth; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool CheckBox() const { return FCheckBox; }
    void SetCheckBox(bool Value);
    TCheckType CheckType() const { return FCheckType; }
    void SetCheckType(TCheckType Value);
    TCheckState CheckState() const { return FCheckState; }
    void SetCheckState(TCheckState Value);
    TLTSortDirection DefaultSortDirection = TLTSortDirection::sdAscending;
    // Where the header glyph or check box was painted last, and whether one was.
    QRect ImageRect;
    bool HasImage = false;
    bool BonusPixel() const { return FBonusPixel; }
    float SpringRest() const { return FSpringRest; }

    // The header cell in window coordinates, unscrolled.
    QRect GetRect() const;
    void GetUnscrolledBounds(int &ALeft, int &ARight) const;
    bool UseRightToLeftReading() const { return FBiDiMode != TLTBiDiMode::bdLeftToRight; }
    void ParentBiDiModeChanged();
    void ParentColorChanged();
    void RestoreLastWidth();
    QString DisplayName() const;
    virtual void Assign(const TLazyTreeColumn &Source);
    bool Equals(const TLazyTreeColumn &Other) const;

    void SaveToStream(QIODevice &Stream) const;
    void LoadFromStream(QIODevice &Stream, int Version);

private:
    friend class TLazyTreeColumns;
    friend class TLTHeader;
    // The collection item's change notice.
    void Changed();
    TBaseLazyTree &Tree() const;
    TLTHeader &Header() const;

    TLazyTreeColumns &FOwner;
    QString FText;
    QString FHint;
    int FLeft = 0;
    int FWidth = 50;
    TColumnPosition FPosition = 0;
    int FMinWidth = 10;
    int FMaxWidth = 10000;
    TLazyTreeColumnStyle FStyle = TLazyTreeColumnStyle::vsText;
    int FImageIndex = -1;
    TLTBiDiMode FBiDiMode = TLTBiDiMode::bdLeftToRight;
    TLTHeaderColumnLayout FLayout = TLTHeaderColumnLayout::blGlyphLeft;
    int FMargin = 4;
    int FSpacing = 3;
    TLTColumnOptions FOptions;
    TLTAlignment FAlignment = TLTAlignment::taLeftJustify;
    TLTAlignment FCaptionAlignment = TLTAlignment::taLeftJustify;
    int FLastWidth = 50;
    TColor FColor = clWindow;
    bool FBonusPixel = false;
    float FSpringRest = 0;
    QString FCaptionText;
    bool FCheckBox = false;
    TCheckType FCheckType = TCheckType::ctCheckBox;
    TCheckState FCheckState = TCheckState::csUncheckedNormal;
};

// ---------------------------------------------------------------------------------------

// The tree's columns, owned by its header. Queries answer in display order, through the
// position map (entry p is the index of the column at position p).
class TLazyTreeColumns
{
public:
    explicit TLazyTreeColumns(TLTHeader &AHeader);
    virtual ~TLazyTreeColumns();

    TLTHeader &Header() const { return FHeader; }
    int Count() const { return int(FItems.size()); }
    // Index must be valid (IsValidColumn); otherwise ELazyTreeError.
    TLazyTreeColumn &operator[](TColumnIndex Index) const;
    TLazyTreeColumn &Items(TColumnIndex Index) const { return (*this)[Index]; }
    virtual TLazyTreeColumn &Add();
    // Removes the column at Index with its index bookkeeping.
    void Delete(TColumnIndex Index);
    virtual void Clear();
    void Assign(const TLazyTreeColumns &Source);
    bool Equals(const TLazyTreeColumns &Other) const;
    // Collection update bracket: notices inside it are merged into one at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value) { FDefaultWidth = Value; }
    TColumnIndex ClickIndex() const { return FClickIndex; }
    TColumnIndex TrackIndex() const { return FTrackIndex; }
    TColumnIndex HoverIndex() const { return FHoverIndex; }
    TColumnIndex DownIndex() const { return FDownIndex; }
    const std::vector<TColumnIndex> &PositionToIndex() const { return FPositionToIndex; }

    TColumnIndex GetFirstColumn() const;
    TColumnIndex GetNextColumn(TColumnIndex Column) const;
    TColumnIndex GetPreviousColumn(TColumnIndex Column) const;
    TColumnIndex GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
    TColumnIndex GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
    TColumnIndex GetFirstVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnIndex GetLastVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnsArray GetVisibleColumns() const;
    int GetVisibleFixedWidth() const;
    bool IsValidColumn(TColumnIndex Column) const { return Column >= 0 && Column < Count(); }
    int TotalWidth() const;
    int GetScrollWidth() const;
    void GetColumnBounds(TColumnIndex Column, int &Left, int &Right) const;
    // The column at a display position; NoColumn beyond the map.
    virtual TColumnIndex ColumnFromPosition(TColumnPosition PositionIndex) const;
    // The column under a point in header coordinates; InvalidColumn when none.
    virtual TColumnIndex ColumnFromPosition(QPoint P, bool Relative = true) const;
    TColumnIndex FindColumnAtX(QPoint P, int &Left, int &Right, bool Relative = true) const;

    // Resizes a column in visible steps (just sets the width while the tree is not shown).
    void AnimatedResize(TColumnIndex Column, int NewWidth);
    void FitAutoSizeColumn(bool Force = false);
    void RecalcColumnLefts(bool Force = false);
    void RebuildPositionMap();
    void ResetColumnOrder(bool RightToLeft);

    void SaveToStream(QIODevice &Stream) const;
    void LoadFromStream(QIODevice &Stream, int Version);

    // --- Header mouse (lazytree_headermouse.cpp) -------------------------------------------
    // A click at P (client coordinates) with Button; Force clicks whatever column is hit,
    // else only the pressed one.
    virtual void ProcessHeaderClick(QPoint P, Qt::MouseButton Button, bool Force, bool DblClick);
    bool CheckBoxHit() const { return FCheckBoxHit; }
    TColumnIndex DragIndex() const { return FDragIndex; }
    TColumnIndex DropTarget() const { return FDropTarget; }
    bool DropBefore() const { return FDropBefore; }

protected:
    // Every notice of a column or of the whole collection (Item nil) ends here.
    virtual void Update(TLazyTreeColumn *Item);
    virtual TLazyTreeColumn *NewColumn();

private:
    friend class TLazyTreeColumn;
    friend class TLTHeader;
    friend class TBaseLazyTree;   // the tree's mouse handling keeps the click and hover indexes
    void Changed(TLazyTreeColumn *Item);
    void SyncPositionMapLength();
    void MovePositionEntry(TColumnIndex Column, TColumnPosition NewPosition);
    void RemoveIndex(TColumnIndex Index);
    TBaseLazyTree &Tree() const;

    TLTHeader &FHeader;
    std::vector<std::unique_ptr<TLazyTreeColumn>> FItems;
    TColumnIndex FHoverIndex = NoColumn;
    TColumnIndex FDownIndex = NoColumn;
    TColumnIndex FTrackIndex = NoColumn;
    TColumnIndex FClickIndex = NoColumn;
    bool FCheckBoxHit = false;
    std::vector<TColumnIndex> FPositionToIndex;
    int FDefaultWidth = 50;
    bool FNeedPositionsFix = false;
    bool FClearing = false;
    TColumnIndex FDragIndex = NoColumn;
    TColumnIndex FDropTarget = NoColumn;
    bool FDropBefore = false;
    int FUpdateCount = 0;
};

// ---------------------------------------------------------------------------------------

// Limits of the header height and of the fixed columns' width, in per cent of the tree
// (0 = no limit).
class TLTFixedAreaConstraints
{
public:
    explicit TLTFixedAreaConstraints(TLTHeader &AHeader) : FHeader(AHeader) {}
    uint8_t MaxHeightPercent() const { return FMaxHeightPercent; }
    uint8_t MaxWidthPercent() const { return FMaxWidthPercent; }
    uint8_t MinHeightPercent() const { return FMinHeightPercent; }
    uint8_t MinWidthPercent() const { return FMinWidthPercent; }
    void SetMaxHeightPercent(uint8_t Value) { SetConstraints(0, Value); }
    void SetMaxWidthPercent(uint8_t Value) { SetConstraints(1, Value); }
    void SetMinHeightPercent(uint8_t Value) { SetConstraints(2, Value); }
    void SetMinWidthPercent(uint8_t Value) { SetConstraints(3, Value); }
    void Assign(const TLTFixedAreaConstraints &Source);

private:
    friend class TLTHeader;
    friend class TLazyTreeColumn;
    void SetConstraints(int Index, uint8_t Value);
    void Change();
    TLTHeader &FHeader;
    uint8_t FMaxHeightPercent = 0, FMaxWidthPercent = 0, FMinHeightPercent = 0,
            FMinWidthPercent = 0;
};

// ---------------------------------------------------------------------------------------

// The header above the tree's client area. Hidden by default.
class TLTHeader
{
public:
    explicit TLTHeader(TBaseLazyTree &AOwner);
    virtual ~TLTHeader();

    TBaseLazyTree &Treeview() const { return FOwner; }
    TLazyTreeColumns &Columns() const { return *FColumns; }
    void SetColumns(const TLazyTreeColumns &Value) { FColumns->Assign(Value); }
    bool UseColumns() const { return FColumns->Count() > 0; }
    THeaderStates States() const { return FStates; }
    // The picture of a dragged column (lazytree_headermouse.cpp).
    TLTDragImage &DragImage();

    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    TLTHeaderOptions Options() const { return FOptions; }
    void SetOptions(TLTHeaderOptions Value);
    TLTHeaderStyle Style() const { return FStyle; }
    void SetStyle(TLTHeaderStyle Value);
    TColor Background() const { return FBackgroundColor; }
    void SetBackground(TColor Value);
    TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
    void SetAutoSizeIndex(TColumnIndex Value);
    // -1 without columns.
    TColumnIndex MainColumn() const;
    void SetMainColumn(TColumnIndex Value);
    TColumnIndex SortColumn() const { return FSortColumn; }
    void SetSortColumn(TColumnIndex Value);
    TLTSortDirection SortDirection() const { return FSortDirection; }
    void SetSortDirection(TLTSortDirection Value);
    const QFont &Font() const { return FFont; }
    void SetFont(const QFont &Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    // Takes the tree's font (while ParentFont is set, whenever the tree's font changes).
    void CopyParentFont();
    TLTImageList *Images() const { return FImages; }
    void SetImages(TLTImageList *Value);
    QMenu *PopupMenu = nullptr;
    int SplitterHitTolerance = 8;
    TLTFixedAreaConstraints &FixedAreaConstraints() { return FFixedAreaConstraints; }
    const TLTFixedAreaConstraints &FixedAreaConstraints() const { return FFixedAreaConstraints; }

    bool AllowFocus(TColumnIndex Column) const;
    virtual void Assign(const TLTHeader &Source);
    virtual void AutoFitColumns(bool Animated = true,
                                TSmartAutoFitType SmartAutoFitType = TSmartAutoFitType::smaUseColumnOption,
                                int RangeStartCol = NoColumn, int RangeEndCol = NoColumn);
    // P in client coordinates (the header lies above 0).
    virtual bool InHeader(QPoint P) const;
    virtual bool InHeaderSplitterArea(QPoint P) const;
    void Invalidate(TColumnIndex Column = NoColumn, bool ExpandToBorder = false);
    // Distributes ChangeBy pixels over the columns RangeStartCol..RangeEndCol whose options
    // hold all of Options; returns the width change applied.
    int ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol,
                      TLTColumnOptions Options = {TLTColumnOption::coVisible});
    void RestoreColumns();
    // Spreads the change of the header width since the last call over the spring columns.
    void DistributeSpringSpace();
    virtual void ApplyScale(int M, int D);
    void ApplyFixedAreaConstraints();
    virtual void SaveToStream(QIODevice &Stream) const;
    virtual void LoadFromStream(QIODevice &Stream);
    virtual bool ColumnsStreamable() const { return true; }
    // Called by the tree when loading ends.
    void FinishLoading();
    // The header's reading of its columns from a form: ReadColumns.
    void BeginColumnsLoading();
    void EndColumnsLoading();

    // Event firers: the tree's events with the header as sender.
    virtual bool FireBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType &SmartAutoFitType);
    virtual void FireAfterAutoFitColumn(TColumnIndex Column);
    virtual QMenu *FireGetPopupMenu(TColumnIndex Column, QPoint P);
    virtual void FireCanSplitterResizeHeader(QPoint P, bool &Allowed);

    // --- Mouse handling (lazytree_headermouse.cpp) -----------------------------------------
    // The tree's window messages as the header sees them: "NC" ones arrive on the header
    // band, the others on the client area.
    enum class TMessageKind : uint8_t {
        KillFocus, Escape, SetCursor, NCMouseMove, NCLButtonDown, LButtonDown, NCLButtonUp,
        LButtonUp, NCRButtonDown, NCMButtonDown, NCRButtonUp, NCMButtonUp, NCLButtonDblClk,
        NCRButtonDblClk, NCMButtonDblClk, LButtonDblClk, Timer, MouseMove
    };
    struct TMessage
    {
        TMessageKind Kind;
        QPoint Pos;   // client coordinates
        Qt::KeyboardModifiers Modifiers = {};
        int TimerId = 0;
        int Result = 0;
        // The cursor a SetCursor message chose.
        Qt::CursorShape Cursor = Qt::ArrowCursor;
    };
    static constexpr int HeaderTimer = 3;
    // True when the header handled the message and the tree must not.
    virtual bool ProcessMessage(TMessage &Message);
    // Sets TrackIndex and TrackPoint when P (client) lies on a column splitter.
    virtual bool FindSplitterColumn(QPoint P);
    bool CanResizeColumnAt(QPoint P, TColumnIndex Column);
    QPoint DragStart() const { return FDragStart; }
    QPoint TrackPoint() const { return FTrackPoint; }
    // The menu the last right click with hoAutoColumnPopupMenu built.
    TLTHeaderPopupMenu *AutoPopupMenu() const { return FAutoPopupMenu; }

protected:
    virtual void ApplySortColumn(TColumnIndex Value);
    virtual void RefreshHeaderFrame();

private:
    friend class TLazyTreeColumn;
    friend class TLazyTreeColumns;
    friend class TLTFixedAreaConstraints;
    void AutoSort();
    void ClampMainColumn();
    void FontChanged();
    void ConstraintsChanged();
    void SetState(THeaderState State, bool On) { FStates.Set(State, On); }

    TBaseLazyTree &FOwner;
    std::unique_ptr<TLazyTreeColumns> FColumns;
    int FHeight = 19;
    QFont FFont;
    TColor FFontColor = clWindowText;
    bool FParentFont = false;
    TLTHeaderOptions FOptions;
    TLTHeaderStyle FStyle = TLTHeaderStyle::hsThickButtons;
    TColor FBackgroundColor = clBtnFace;
    TColumnIndex FAutoSizeIndex = 0;
    TColumnIndex FMainColumn = NoColumn;
    int FMaxHeight = 10000;
    int FMinHeight = 10;
    int FDefaultHeight = 19;
    TLTFixedAreaConstraints FFixedAreaConstraints;
    TLTImageList *FImages = nullptr;
    TColumnIndex FSortColumn = NoColumn;
    TLTSortDirection FSortDirection = TLTSortDirection::sdAscending;
    int FLastWidth = 0;
    THeaderStates FStates;
    // Mouse handling.
    bool OnColumnSplitter(QPoint P);
    bool OnHeightSplitter(QPoint P);
    void CancelTracking(TMessage &Message);
    bool Press(TMessage &Message);
    bool Release(TMessage &Message);
    bool TrackMove(TMessage &Message);
    bool DoubleClick(TMessage &Message);
    void RightRelease(TMessage &Message);
    void HoverMove(TMessage &Message);
    bool MouseWatch();
    void SetCursorFor(TMessage &Message);
    void StartColumnDrag(QPoint HotSpot);
    void MoveColumnDrag(QPoint S);
    void FireMouse(bool Down, Qt::MouseButton Button, const TMessage &Message, QPoint P);
    QPoint FDragStart, FTrackStart, FTrackPoint;
    std::shared_ptr<TLTDragImage> FDragImage;
    TLTHeaderPopupMenu *FAutoPopupMenu = nullptr;
};
