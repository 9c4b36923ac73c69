#pragma once
// TBaseLazyTree: a tree control that keeps no item objects. Every node is a block of the
// tree (controls/tree/lazynode.h) that the application fills lazily through events: a node
// is created bare and OnInitNode asks for its content the first time anything needs it;
// a node that declares children gets them counted by OnInitChildren when they are first
// needed. The application talks to the tree only through events, each fired by a
// protected virtual Do... method so that a descendant can react by overriding it.
//
// The model works without a window: counts, heights and the visible count are kept right
// by every structure operation, and a tree that was never shown fires its change events
// at once. Every tree operation belongs to the GUI thread.
//
// The code is split by concern: lazytree_frame.cpp (construction, options, update locking,
// operations, form loading), lazytree_nodes.cpp (node storage, sums, node properties),
// lazytree_structure.cpp (creating, linking, deleting, lazy initialisation),
// lazytree_expand.cpp (expansion and the visibility predicates), lazytree_events.cpp
// (event firers and the deferred change notices), lazytree_view.cpp (what the model asks
// of the window, the timer table, the selection and cache bookkeeping it relies on) and
// lazytreeglobals.cpp (the process-wide start-up).
#include "controls/tree/lazynode.h"
#include "controls/tree/lazytreeheader.h"
#include "platform/canvas.h"
#include "platform/scrollcodes.h"

#include <QAbstractScrollArea>
#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QMenu;
class QTimer;
class TBaseLazyTree;
class TLTImageList;

// A refused tree operation or bad tree data, with a help context number.
class ELazyTreeError : public std::runtime_error
{
public:
    explicit ELazyTreeError(const std::string &Msg, int AHelpContext = 0)
        : std::runtime_error(Msg), HelpContext(AHelpContext) {}
    int HelpContext;
};

// Misuse of the tree (a broken precondition); the operation does not go on.
class ELazyTreeAssertion : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// A reference-counted interface the tree can keep in a node's user data and release when
// the node is freed.
class ILazyTreeInterface
{
public:
    virtual void AddRef() = 0;
    virtual void Release() = 0;

protected:
    ~ILazyTreeInterface() = default;
};

// ---------------------------------------------------------------------------------------
// Enumerations

enum class TLazyTreeState : uint8_t {
    tsCancelHintAnimation, tsChangePending, tsCheckPropagation, tsCollapsing,
    tsToggleFocusedSelection, tsClearPending, tsClipboardFlushing, tsCopyPending, tsCutPending,
    tsDrawSelPending, tsDrawSelecting, tsEditing, tsEditPending, tsExpanding,
    tsNodeHeightTracking, tsNodeHeightTrackPending, tsHint, tsInAnimation,
    tsIncrementalSearching, tsIncrementalSearchPending, tsIterating, tsKeyCheckPending,
    tsLeftButtonDown, tsLeftDblClick, tsMouseCheckPending, tsMiddleButtonDown, tsMiddleDblClick,
    tsNeedRootCountUpdate, tsOLEDragging, tsOLEDragPending, tsPainting, tsRightButtonDown,
    tsRightDblClick, tsPopupMenuShown, tsScrolling, tsScrollPending, tsSizing,
    tsStopValidation, tsStructureChangePending, tsSynchMode, tsThumbTracking, tsToggling,
    tsUpdateHiddenChildrenNeeded, tsUpdating, tsUseCache, tsUserDragObject, tsUseThemes,
    tsValidating, tsPreviouslySelectedLocked, tsValidationNeeded, tsVCLDragging,
    tsVCLDragPending, tsVCLDragFinished, tsWheelPanning, tsWheelScrolling, tsWindowCreating,
    tsUseExplorerTheme
};
using TLazyTreeStates = TEnumSet<TLazyTreeState>;

enum class TLTPaintOption : uint8_t {
    toHideFocusRect, toHideSelection, toHotTrack, toPopupMode, toShowBackground, toShowButtons,
    toShowDropmark, toShowHorzGridLines, toShowRoot, toShowTreeLines, toShowVertGridLines,
    toThemeAware, toUseBlendedImages, toGhostedIfUnfocused, toFullVertGridLines,
    toAlwaysHideSelection, toUseBlendedSelection, toStaticBackground, toChildrenAbove,
    toFixedIndent, toUseExplorerTheme, toHideTreeLinesIfThemed, toShowFilteredNodes
};
using TLTPaintOptions = TEnumSet<TLTPaintOption>;

enum class TLTAnimationOption : uint8_t { toAnimatedToggle, toAdvancedAnimatedToggle };
using TLTAnimationOptions = TEnumSet<TLTAnimationOption>;

enum class TLTAutoOption : uint8_t {
    toAutoDropExpand, toAutoExpand, toAutoScroll, toAutoScrollOnExpand, toAutoSort,
    toAutoSpanColumns, toAutoTristateTracking, toAutoHideButtons, toAutoDeleteMovedNodes,
    toDisableAutoscrollOnFocus, toAutoChangeScale, toAutoFreeOnCollapse,
    toDisableAutoscrollOnEdit, toAutoBidiColumnOrdering
};
using TLTAutoOptions = TEnumSet<TLTAutoOption>;

enum class TLTSelectionOption : uint8_t {
    toDisableDrawSelection, toExtendedFocus, toFullRowSelect, toLevelSelectConstraint,
    toMiddleClickSelect, toMultiSelect, toRightClickSelect, toSiblingSelectConstraint,
    toCenterScrollIntoView, toSimpleDrawSelection, toAlwaysSelectNode, toRestoreSelection
};
using TLTSelectionOptions = TEnumSet<TLTSelectionOption>;

enum class TLTMiscOption : uint8_t {
    toAcceptOLEDrop, toCheckSupport, toEditable, toFullRepaintOnResize, toGridExtensions,
    toInitOnSave, toReportMode, toToggleOnDblClick, toWheelPanning, toReadOnly,
    toVariableNodeHeight, toFullRowDrag, toNodeHeightResize, toNodeHeightDblClickResize,
    toEditOnClick, toEditOnDblClick, toReverseFullExpandHotKey
};
using TLTMiscOptions = TEnumSet<TLTMiscOption>;

enum class TLTExportMode : uint8_t {
    emAll, emSelected, emUnchecked, emVisibleDueToExpansion, emChecked
};

enum class TChangeReason : uint8_t {
    crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied,
    crNodeMoved
};

enum class TLTNodeAttachMode : uint8_t {
    amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast
};

enum class TLTUpdateState : uint8_t { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };

enum class TLTOperationKind : uint8_t {
    okAutoFitColumns, okGetMaxColumnWidth, okSortNode, okSortTree, okExport, okExpand
};

enum class TLTImageKind : uint8_t { ikNormal, ikSelected, ikState, ikOverlay };

enum class TCheckImageKind : uint8_t {
    ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystemFlat,
    ckSystemDefault
};
enum class TLTNodeAlignment : uint8_t { naFromBottom, naFromTop, naProportional };
enum class TLTLineStyle : uint8_t { lsCustomStyle, lsDotted, lsSolid };
enum class TLTLineMode : uint8_t { lmNormal, lmBands };
enum class TLTDrawSelectionMode : uint8_t { smDottedRectangle, smBlendedRectangle };
enum class TLTBorderStyle : uint8_t { bsNone, bsSingle };
enum class TLTBevelKind : uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum class TLTBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
// Edges of the bevel, as bits.
enum TLTBevelEdge : uint8_t { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8 };
enum class TLTLineType : uint8_t {
    ltNone, ltBottomRight, ltTopDown, ltTopDownRight, ltRight, ltTopRight, ltLeft, ltLeftBottom
};
using TLTLineImage = std::vector<TLTLineType>;
enum class TLTInternalPaintOption : uint8_t {
    poBackground, poColumnColor, poDrawFocusRect, poDrawSelection, poDrawDropMark, poGridLines,
    poMainOnly, poSelectedOnly, poUnbuffered
};
using TLTInternalPaintOptions = TEnumSet<TLTInternalPaintOption>;
enum class TItemEraseAction : uint8_t { eaColor, eaDefault, eaNone };
enum class TLTDropMode : uint8_t { dmNowhere, dmAbove, dmOnNode, dmBelow };
enum class TLTButtonStyle : uint8_t { bsRectangle, bsTriangle };
enum class TLTButtonFillMode : uint8_t { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum class THintAnimationType : uint8_t { hatNone, hatFade, hatSlide, hatSystemDefault };
enum class TLTIncrementalSearch : uint8_t { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum class TLTSearchStart : uint8_t { ssAlwaysStartOver, ssLastHit, ssFocusedNode };
enum class TLTDragType : uint8_t { dtOLE, dtVCL };
enum class TLTDragImageKind : uint8_t { diComplete, diMainColumnOnly, diNoImage };
enum class TDragOperation : uint8_t { doCopy, doMove, doLink };
using TDragOperations = TEnumSet<TDragOperation>;

enum class TLTTooltipLineBreakStyle : uint8_t { hlbDefault, hlbForceSingleLine, hlbForceMultiLine };

// Hints: which texts the tree shows as hints, and what its hint window receives.
enum class TLTHintMode : uint8_t { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum class TLTHintKind : uint8_t { vhkText, vhkOwnerDraw };

struct TLTHintData
{
    TBaseLazyTree *Tree = nullptr;
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    TRect HintRect;        // the size an owner-drawn hint wants
    QString DefaultHint;   // a column hint or the control's short hint
    QString HintText;      // the text finally shown
    TLTBiDiMode BidiMode = TLTBiDiMode::bdLeftToRight;
    TLTAlignment Alignment = TLTAlignment::taLeftJustify;
    TLTTooltipLineBreakStyle LineBreakStyle = TLTTooltipLineBreakStyle::hlbDefault;
};

// A hint request as the tree answers it. The tree fills in what it wants shown; a result of
// 0 from the request means show.
struct TLTHintInfo
{
    bool TreeHintWindow = false;   // shown in the tree's hint window, else as a plain tooltip
    QPoint HintPos;                // screen
    int HintMaxWidth = 0;
    TRect CursorRect;              // client; the hint stays while the mouse is inside
    QPoint CursorPos;              // client
    QString HintStr;
    TLTHintData *HintData = nullptr;
};
using TLTGetHintSizeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column, TRect &R)>;
using TLTHintKindEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                            TColumnIndex Column, TLTHintKind &Kind)>;
using TLTDrawHintEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *HintCanvas,
                                            PLazyNode Node, TRect R, TColumnIndex Column)>;
class TLazyTreeHintWindow;
class QAccessibleInterface;
struct TLTTreeViewItem;


// What lies under a point of the tree.
enum class THitPosition : uint8_t {
    hiAbove, hiBelow, hiNowhere, hiOnItem, hiOnItemButton, hiOnItemButtonExact, hiOnItemCheckbox,
    hiOnItemIndent, hiOnItemLabel, hiOnItemLeft, hiOnItemRight, hiOnNormalIcon, hiOnStateIcon,
    hiToLeft, hiToRight, hiUpperSplitter, hiLowerSplitter
};
using THitPositions = TEnumSet<THitPosition>;

struct THitInfo
{
    PLazyNode HitNode = nullptr;
    THitPositions HitPositions;
    TColumnIndex HitColumn = NoColumn;
    QPoint HitPoint;
};

enum class TLTCellPaintMode : uint8_t { cpmPaint, cpmGetContentMargin };
enum class TLTCellContentMarginType : uint8_t { ccmtAllSides, ccmtTopLeftOnly, ccmtBottomRightOnly };

enum class TLTScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TScrollBarStyle : uint8_t { sbmRegular, sbm3D };


// What an offset change does besides storing the offsets.
enum class TOffsetChangePart : uint8_t {
    ocpRepaintHeader, ocpRepaintScrollBars, ocpScrollClient, ocpUpdateScrollBars
};
using TOffsetChangeParts = TEnumSet<TOffsetChangePart>;

// One image of a cell: slot 0 normal, 1 state, 2 check, 3 overlay.
struct TLTImageInfo
{
    int Index = -1;
    int XPos = 0, YPos = 0;
    bool Ghosted = false;
    TLTImageList *Images = nullptr;
};

// What painting one cell receives. Rectangles are in row coordinates: top 0, absolute X.
struct TLTPaintInfo
{
    TCanvas *Canvas = nullptr;
    TLTInternalPaintOptions PaintOptions;
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    TColumnPosition Position = 0;
    TRect CellRect, ContentRect;
    int NodeWidth = 0;
    TLTAlignment Alignment = TLTAlignment::taLeftJustify;
    TLTAlignment CaptionAlignment = TLTAlignment::taLeftJustify;
    TLTBiDiMode BidiMode = TLTBiDiMode::bdLeftToRight;
    QPoint BrushOrigin;
    std::array<TLTImageInfo, 4> ImageInfo;
};

// The tree's 17 colours.
class TLTColors
{
public:
    enum TIndex {
        DisabledColor, DropMarkColor, DropTargetColor, FocusedSelectionColor, GridLineColor,
        TreeLineColor, UnfocusedSelectionColor, BorderColor, HotColor, FocusedSelectionBorderColor,
        UnfocusedSelectionBorderColor, DropTargetBorderColor, SelectionRectangleBlendColor,
        SelectionRectangleBorderColor, HeaderHotColor, SelectionTextColor, UnfocusedColor, Count
    };
    explicit TLTColors(TBaseLazyTree &AOwner);
    TColor Get(TIndex Index) const { return FColors[Index]; }
    void Set(TIndex Index, TColor Value);
    void Assign(const TLTColors &Source);
    TColor BackGroundColor() const;
    TColor NodeFontColor() const;
    TColor HeaderFontColor() const;

private:
    TBaseLazyTree &FOwner;
    std::array<TColor, Count> FColors;
};

// ---------------------------------------------------------------------------------------
// Events of the tree model (every event passes the tree as Sender first)

using TLTInitNodeEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode ParentNode,
                                            PLazyNode Node, TLazyNodeInitStates &InitialStates)>;
using TLTInitChildrenEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, uint32_t &ChildCount)>;
using TLTFreeNodeEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node)>;
using TLTChangeEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node)>;
using TLTChangingEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, bool &Allowed)>;
using TLTCheckChangingEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                                 TCheckState &NewState, bool &Allowed)>;
using TLTGetNodeDataSizeEvent = std::function<void(TBaseLazyTree *Sender, int &NodeDataSize)>;
using TLTNodeMovingEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                              PLazyNode Target, bool &Allowed)>;
using TLTNodeCopyingEvent = TLTNodeMovingEvent;
using TLTNodeMovedEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node)>;
using TLTNodeCopiedEvent = TLTNodeMovedEvent;
using TLTStructureChangeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TChangeReason Reason)>;
using TLTStateChangeEvent =
    std::function<void(TBaseLazyTree *Sender, TLazyTreeStates Enter, TLazyTreeStates Leave)>;
using TLTUpdatingEvent = std::function<void(TBaseLazyTree *Sender, TLTUpdateState State)>;
using TLTOperationEvent =
    std::function<void(TBaseLazyTree *Sender, TLTOperationKind OperationKind)>;
using TLTGetImageEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TLTImageKind Kind,
                       TColumnIndex Column, bool &Ghosted, int &ImageIndex)>;
using TLTGetImageExEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TLTImageKind Kind,
                       TColumnIndex Column, bool &Ghosted, int &ImageIndex,
                       TLTImageList *&ImageList)>;
using TLTHeaderNotifyEvent = std::function<void(TLTHeader *Sender, TColumnIndex Column)>;
using TLTBeforeAutoFitColumnsEvent =
    std::function<void(TLTHeader *Sender, TSmartAutoFitType &SmartAutoFitType)>;
using TLTAfterAutoFitColumnsEvent = std::function<void(TLTHeader *Sender)>;
using TLTBeforeAutoFitColumnEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column,
                       TSmartAutoFitType &SmartAutoFitType, bool &Allowed)>;
using TLTAfterAutoFitColumnEvent = std::function<void(TLTHeader *Sender, TColumnIndex Column)>;
using TLTBeforeGetMaxColumnWidthEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, bool &UseSmartColumnWidth)>;
using TLTAfterGetMaxColumnWidthEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, int &MaxWidth)>;
using TLTCanSplitterResizeHeaderEvent =
    std::function<void(TLTHeader *Sender, QPoint P, bool &Allowed)>;
using TLTMeasureItemEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas,
                                                PLazyNode Node, int &NodeHeight)>;
using TLTBeforeCellPaintEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node,
                       TColumnIndex Column, TLTCellPaintMode CellPaintMode, TRect CellRect,
                       TRect &ContentRect)>;
using TLTGetCellIsEmptyEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                                  TColumnIndex Column, bool &IsEmpty)>;
using TLTScrollEvent = std::function<void(TBaseLazyTree *Sender, int DeltaX, int DeltaY)>;
using TLTScrollBarShowEvent = std::function<void(TBaseLazyTree *Sender, int Bar, bool Show)>;
using TLTPaintEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas)>;
using TLTBeforeItemEraseEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node, TRect ItemRect,
                       TColor &ItemColor, TItemEraseAction &EraseAction)>;
using TLTAfterItemEraseEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas,
                                                  PLazyNode Node, TRect ItemRect)>;
using TLTBeforeItemPaintEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node, TRect ItemRect,
                       bool &CustomDraw)>;
using TLTAfterItemPaintEvent = TLTAfterItemEraseEvent;
using TLTAfterCellPaintEvent = std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas,
                                                  PLazyNode Node, TColumnIndex Column, TRect CellRect)>;
using TLTBackgroundPaintEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, TRect R, bool &Handled)>;
// The 8 rows of the line pattern (low 8 bits each, 0 bits drawn in the line colour); a
// handler may point Bits at its own rows.
using TLTGetLineStyleEvent = std::function<void(TBaseLazyTree *Sender, const uint16_t *&Bits)>;
using TLTBeforeDrawLineImageEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, int Level, int &PosX)>;
using TLTPrepareButtonImagesEvent =
    std::function<void(TBaseLazyTree *Sender, QImage &PlusBM, QImage &PlusHotBM, QImage &PlusSelectedHotBM,
                       QImage &MinusBM, QImage &MinusHotBM, QImage &MinusSelectedHotBM, QSize &Size)>;
using TLTPopupEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                       const QPoint &P, bool &AskParent, QMenu *&PopupMenu)>;

// ---------------------------------------------------------------------------------------
// Input, selection and focus

// Modifier keys and buttons of an input message.
enum class TLTShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TLTShiftState = TEnumSet<TLTShiftStateItem>;
enum class TLTSearchDirection : uint8_t { sdForward, sdBackward };
enum class TLTDragMode : uint8_t { dmManual, dmAutomatic };
enum class TLTScrollDirection : uint8_t { sdLeft, sdUp, sdRight, sdDown };
using TLTScrollDirections = TEnumSet<TLTScrollDirection>;

using TLTKeyActionEvent = std::function<void(TBaseLazyTree *Sender, int &CharCode,
                                             TLTShiftState &Shift, bool &DoDefault)>;
using TLTIncrementalSearchEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                                     const QString &SearchText, int &Result)>;
using TLTNodeClickEvent = std::function<void(TBaseLazyTree *Sender, const THitInfo &HitInfo)>;
using TLTHotNodeChangeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode OldNode, PLazyNode NewNode)>;
using TLTGetCursorEvent = std::function<void(TBaseLazyTree *Sender, Qt::CursorShape &Cursor)>;
using TLTNotifyEvent = std::function<void(TBaseLazyTree *Sender)>;
using TLTHelpContextEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                               TColumnIndex Column, int &HelpContext)>;
using TLTFocusChangingEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode OldNode, PLazyNode NewNode,
                       TColumnIndex OldColumn, TColumnIndex NewColumn, bool &Allowed)>;
using TLTFocusChangeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column)>;
using TLTAddToSelectionEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node)>;
using TLTRemoveFromSelectionEvent = TLTAddToSelectionEvent;
using TLTCanSplitterResizeNodeEvent = std::function<void(
    TBaseLazyTree *Sender, QPoint P, PLazyNode Node, TColumnIndex Column, bool &Allowed)>;
using TLTNodeHeightTrackingEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column, TLTShiftState Shift,
                       QPoint &TrackPoint, QPoint P, bool &Allowed)>;
using TLTNodeHeightDblClickResizeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column, TLTShiftState Shift,
                       QPoint P, bool &Allowed)>;
using TLTColumnClickEvent =
    std::function<void(TBaseLazyTree *Sender, TColumnIndex Column, TLTShiftState Shift)>;
using TLTColumnDblClickEvent = TLTColumnClickEvent;
using TLTDragAllowedEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node,
                                               TColumnIndex Column, bool &Allowed)>;
using TLTKeyEvent = std::function<void(TBaseLazyTree *Sender, int &Key, TLTShiftState Shift)>;
using TLTKeyPressEvent = std::function<void(TBaseLazyTree *Sender, QChar &Key)>;

// Header clicks.
enum class TLTHeaderHitPosition : uint8_t { hhiNoWhere, hhiOnColumn, hhiOnIcon, hhiOnCheckbox };
using TLTHeaderHitPositions = TEnumSet<TLTHeaderHitPosition>;
struct TLTHeaderHitInfo
{
    int X = 0, Y = 0;   // header coordinates
    Qt::MouseButton Button = Qt::NoButton;
    TLTShiftState Shift;
    TColumnIndex Column = NoColumn;
    TLTHeaderHitPositions HitPosition;
};
using TLTHeaderMouseEvent = std::function<void(TLTHeader *Sender, Qt::MouseButton Button,
                                               TLTShiftState Shift, int X, int Y)>;
using TLTHeaderMouseMoveEvent =
    std::function<void(TLTHeader *Sender, TLTShiftState Shift, int X, int Y)>;
using TLTHeaderClickEvent = std::function<void(TLTHeader *Sender, const TLTHeaderHitInfo &HitInfo)>;
using TLTHeaderDraggingEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, bool &Allowed)>;
using TLTHeaderDraggedEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, int OldPosition)>;
using TLTHeaderDraggedOutEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, QPoint DropPosition)>;
using TLTGetHeaderCursorEvent = std::function<void(TLTHeader *Sender, Qt::CursorShape &Cursor)>;
using TLTCanSplitterResizeColumnEvent =
    std::function<void(TLTHeader *Sender, QPoint P, TColumnIndex Column, bool &Allowed)>;
using TLTBeforeColumnWidthTrackingEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, TLTShiftState Shift)>;
using TLTColumnWidthTrackingEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, TLTShiftState Shift,
                       QPoint &TrackPoint, QPoint P, bool &Allowed)>;
using TLTBeforeHeaderHeightTrackingEvent =
    std::function<void(TLTHeader *Sender, TLTShiftState Shift)>;
using TLTHeaderHeightTrackingEvent =
    std::function<void(TLTHeader *Sender, QPoint &P, TLTShiftState Shift, bool &Allowed)>;
using TLTAfterHeaderHeightTrackingEvent = std::function<void(TLTHeader *Sender)>;
using TLTColumnWidthDblClickResizeEvent =
    std::function<void(TLTHeader *Sender, TColumnIndex Column, TLTShiftState Shift, QPoint P,
                       bool &Allowed)>;
using TLTHeaderHeightDblClickResizeEvent =
    std::function<void(TLTHeader *Sender, QPoint &P, TLTShiftState Shift, bool &Allowed)>;
using TLTColumnVisibilityChangedEvent =
    std::function<void(TBaseLazyTree *Sender, TColumnIndex Column, bool Visible)>;

// The link between the tree and an in-place editor: the tree starts, ends and cancels an
// edit through it and places the editor over the caption.
class ILTEditLink
{
public:
    virtual ~ILTEditLink() = default;
    virtual bool BeginEdit() = 0;
    virtual bool CancelEdit() = 0;
    virtual bool EndEdit() = 0;
    virtual bool PrepareEdit(TBaseLazyTree *Tree, PLazyNode Node, TColumnIndex Column) = 0;
    virtual TRect GetBounds() const = 0;
    virtual void ProcessMessage(QEvent *Event) = 0;
    virtual void SetBounds(TRect R) = 0;
};

using TLTCreateEditorEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                                                std::shared_ptr<ILTEditLink> &EditLink)>;
using TLTEditChangingEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column, bool &Allowed)>;
using TLTEditChangeEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column)>;
using TLTEditCancelEvent = std::function<void(TBaseLazyTree *Sender, TColumnIndex Column)>;

// ---------------------------------------------------------------------------------------
// Node streams, moving and copying, content export

class IPrinter;
class ILTDragManager;
class QMimeData;
class TLTDragImage;
struct TFormatEtc;
struct TStgMedium;
using HRESULT = int32_t;
enum class TDragState : uint8_t;
class QIODevice;
class TClipboardFormats;
enum class TLTExportType : uint8_t;   // lazystringtree.h

// Node is nil for the hidden root.
using TLTSaveNodeEvent =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, QIODevice &Stream)>;
using TLTSaveTreeEvent = std::function<void(TBaseLazyTree *Sender, QIODevice &Stream)>;
using TLTTreeExportEvent = std::function<void(TBaseLazyTree *Sender, TLTExportType aExportType)>;
using TLTColumnExportEvent = std::function<void(TBaseLazyTree *Sender, TLTExportType aExportType,
                                                TLazyTreeColumn *Column)>;
using TLTNodeExportEvent =
    std::function<bool(TBaseLazyTree *Sender, TLTExportType aExportType, PLazyNode Node)>;

// ---------------------------------------------------------------------------------------
// Sorting

// Result < 0: Node1 comes before Node2 in ascending order.
using TLTCompareEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node1, PLazyNode Node2,
                                           TColumnIndex Column, int &Result)>;

// ---------------------------------------------------------------------------------------
// Options

// The tree's five option sets. Setting a set goes through the owner, which reacts to the
// options that changed.
class TCustomLazyTreeOptions
{
public:
    explicit TCustomLazyTreeOptions(TBaseLazyTree *AOwner);
    virtual ~TCustomLazyTreeOptions() = default;

    TBaseLazyTree *Owner() const { return FOwner; }

    TLTPaintOptions PaintOptions() const { return FPaintOptions; }
    TLTAnimationOptions AnimationOptions() const { return FAnimationOptions; }
    TLTAutoOptions AutoOptions() const { return FAutoOptions; }
    TLTSelectionOptions SelectionOptions() const { return FSelectionOptions; }
    TLTMiscOptions MiscOptions() const { return FMiscOptions; }
    void SetPaintOptions(TLTPaintOptions Value);
    void SetAnimationOptions(TLTAnimationOptions Value);
    void SetAutoOptions(TLTAutoOptions Value);
    void SetSelectionOptions(TLTSelectionOptions Value);
    void SetMiscOptions(TLTMiscOptions Value);
    TLTExportMode ExportMode = TLTExportMode::emAll;

    // Writes the sets into Dest through its setters: paint, animation, auto, selection, misc.
    virtual void AssignTo(TCustomLazyTreeOptions &Dest) const;

private:
    friend class TBaseLazyTree;
    TBaseLazyTree *FOwner;
    TLTPaintOptions FPaintOptions;
    TLTAnimationOptions FAnimationOptions;
    TLTAutoOptions FAutoOptions;
    TLTSelectionOptions FSelectionOptions;
    TLTMiscOptions FMiscOptions;
};

// The tree's scroll bars: which are shown and their line steps.
class TScrollBarOptions
{
public:
    explicit TScrollBarOptions(TBaseLazyTree &AOwner) : FOwner(AOwner) {}
    TBaseLazyTree &Owner() const { return FOwner; }
    bool AlwaysVisible() const { return FAlwaysVisible; }
    void SetAlwaysVisible(bool Value);
    TLTScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TLTScrollStyle Value);
    TScrollBarStyle ScrollBarStyle() const { return FScrollBarStyle; }
    void SetScrollBarStyle(TScrollBarStyle Value) { FScrollBarStyle = Value; }
    // 1..10000 pixels.
    int HorizontalIncrement() const { return FIncrementX; }
    void SetHorizontalIncrement(int Value) { FIncrementX = uint16_t(std::clamp(Value, 1, 10000)); }
    int VerticalIncrement() const { return FIncrementY; }
    void SetVerticalIncrement(int Value) { FIncrementY = uint16_t(std::clamp(Value, 1, 10000)); }
    void Assign(const TScrollBarOptions &Source);

private:
    bool FAlwaysVisible = false;
    TBaseLazyTree &FOwner;
    TLTScrollStyle FScrollBars = TLTScrollStyle::ssBoth;
    TScrollBarStyle FScrollBarStyle = TScrollBarStyle::sbmRegular;
    uint16_t FIncrementX = 20;
    uint16_t FIncrementY = 20;
};

// ---------------------------------------------------------------------------------------
// Node enumerations

using TLTGetNodeProc =
    std::function<void(TBaseLazyTree *Sender, PLazyNode Node, void *Data, bool &Abort)>;

enum class TLZLazyNodeEnumerationMode : uint8_t {
    vneAll, vneChecked, vneChild, vneCutCopy, vneInitialized, vneLeaf, vneLevel, vneNoInit,
    vneSelected, vneVisible, vneVisibleChild, vneVisibleNoInitChild, vneVisibleNoInit
};

struct TLTLazyNodeEnumeration;

// Walks one enumeration; MoveNext takes the first step, then the next ones.
struct TLTLazyNodeEnumerator
{
    PLazyNode FNode = nullptr;
    bool FCanModeNext = true;
    const TLTLazyNodeEnumeration *FEnumeration = nullptr;

    bool MoveNext();
    PLazyNode Current() const { return FNode; }
};

struct TLTLazyNodeEnumeration
{
    TLZLazyNodeEnumerationMode FMode = TLZLazyNodeEnumerationMode::vneAll;
    TBaseLazyTree *FTree = nullptr;
    bool FConsiderChildrenAbove = false;
    PLazyNode FNode = nullptr;
    uint32_t FNodeLevel = 0;
    TCheckState FState = TCheckState::csCheckedNormal;
    bool FIncludeFiltered = false;

    TLTLazyNodeEnumerator GetEnumerator() const { return {nullptr, true, this}; }

    // range-for support
    struct iterator
    {
        TLTLazyNodeEnumerator E;
        PLazyNode operator*() const { return E.FNode; }
        iterator &operator++()
        {
            E.MoveNext();
            return *this;
        }
        bool operator!=(const iterator &) const { return E.FCanModeNext; }
    };
    iterator begin() const
    {
        iterator it{GetEnumerator()};
        it.E.MoveNext();
        return it;
    }
    iterator end() const { return iterator{}; }
};

// ---------------------------------------------------------------------------------------

class TBaseLazyTree : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TBaseLazyTree(QWidget *Parent = nullptr);
    ~TBaseLazyTree() override;

    // The class name the tree's messages carry.
    QString ClassName() const;

    // --- Nodes and storage -------------------------------------------------------------
    PLazyNode RootNode() const { return FRoot; }
    uint32_t RootNodeCount() const { return FRoot->ChildCount; }
    void SetRootNodeCount(uint32_t Value);
    // Initialises the whole tree first.
    uint32_t TotalCount();
    uint32_t VisibleCount() const { return FVisibleCount; }
    bool IsEmpty() const { return FRoot->ChildCount == 0; }
    uint32_t DefaultNodeHeight() const { return FDefaultNodeHeight; }
    void SetDefaultNodeHeight(uint32_t Value);
    int NodeDataSize() const { return FNodeDataSize; }
    void SetNodeDataSize(int Value);

    // The node's user data; marks the node so that OnFreeNode fires for it.
    void *GetNodeData(PLazyNode Node);
    template <typename T>
    T *GetNodeData(PLazyNode Node) { return static_cast<T *>(GetNodeData(Node)); }
    void SetNodeData(PLazyNode Node, void *Value);
    // Takes a reference on Value, released when the node is freed.
    void SetNodeData(PLazyNode Node, ILazyTreeInterface *Value);

    uint32_t GetNodeLevel(PLazyNode Node) const;
    uint32_t AbsoluteIndex(PLazyNode Node);
    bool HasAsParent(PLazyNode Node, PLazyNode PotentialParent) const;
    // The tree that owns Node's block.
    static TBaseLazyTree *OwnerTree(PLazyNode Node);

    // Node properties.
    PLazyNode NodeParent(PLazyNode Node) const;
    uint32_t ChildCount(PLazyNode Node) const;
    virtual void SetChildCount(PLazyNode Node, uint32_t NewChildCount);
    bool ChildrenInitialized(PLazyNode Node) const;
    bool HasChildren(PLazyNode Node) const;
    void SetHasChildren(PLazyNode Node, bool Value);
    bool Disabled(PLazyNode Node) const;
    void SetDisabled(PLazyNode Node, bool Value);
    bool Multiline(PLazyNode Node) const;
    void SetMultiline(PLazyNode Node, bool Value);
    uint32_t NodeHeight(PLazyNode Node);
    void SetNodeHeight(PLazyNode Node, uint32_t Value);
    uint8_t VerticalAlignment(PLazyNode Node) const { return Node ? Node->Align : 0; }
    void SetVerticalAlignment(PLazyNode Node, uint8_t Value);
    TCheckState CheckState(PLazyNode Node) const { return Node->CheckState; }
    void SetCheckState(PLazyNode Node, TCheckState Value);
    TCheckType CheckType(PLazyNode Node) const { return Node->CheckType; }
    void SetCheckType(PLazyNode Node, TCheckType Value);
    void SetCheckStateForAll(TCheckState State, bool SelectedOnly, bool ExcludeDisabled = true);
    void ClearChecked();
    // Nodes in exactly csCheckedNormal.
    uint32_t CheckedCount();
    bool Expanded(PLazyNode Node) const;
    void SetExpanded(PLazyNode Node, bool Value);
    // Initialises the node first.
    bool Visible(PLazyNode Node);
    void SetVisible(PLazyNode Node, bool Value);
    bool Filtered(PLazyNode Node) const { return Node->Has(TLazyNodeState::vsFiltered); }
    void SetFiltered(PLazyNode Node, bool Value);
    void SetFullyVisible(PLazyNode Node, bool Value);
    void SetVisiblePath(PLazyNode Node, bool Value);
    bool FullyVisible(PLazyNode Node) const;
    bool VisiblePath(PLazyNode Node) const;
    bool GetEffectivelyFiltered(PLazyNode Node) const;
    bool GetEffectivelyVisible(PLazyNode Node) const;

    // --- Structure ---------------------------------------------------------------------
    virtual PLazyNode AddChild(PLazyNode Parent, void *UserData = nullptr);
    PLazyNode AddChild(PLazyNode Parent, ILazyTreeInterface *UserData);
    PLazyNode InsertNode(PLazyNode Node, TLTNodeAttachMode Mode, void *UserData = nullptr);
    void DeleteChildren(PLazyNode Node, bool ResetHasChildren = false);
    void DeleteNode(PLazyNode Node);
    virtual void Clear();
    void ValidateNode(PLazyNode Node, bool Recursive);
    void ValidateChildren(PLazyNode Node, bool Recursive);
    void InitRecursive(PLazyNode Node, uint32_t Levels = UINT32_MAX, bool VisibleOnly = true);
    virtual void ReinitNode(PLazyNode Node, bool Recursive);
    virtual void ReinitChildren(PLazyNode Node, bool Recursive);
    virtual void ResetNode(PLazyNode Node);
    // Expands a collapsed node or collapses an expanded one.
    virtual void ToggleNode(PLazyNode Node);
    // Expand or collapse Node's subtree (the whole tree for nil).
    virtual void FullExpand(PLazyNode Node = nullptr);
    virtual void FullCollapse(PLazyNode Node = nullptr);

    // --- Walking -------------------------------------------------------------------------
    // Initialising walkers initialise the node they return and give a node its children
    // before descending into it; the NoInit forms touch only linked nodes. CCA: consider
    // toChildrenAbove (children come before their parent).
    PLazyNode GetFirst(bool CCA = false);
    PLazyNode GetFirstNoInit(bool CCA = false) const;
    PLazyNode GetLast(PLazyNode Node = nullptr, bool CCA = false);
    PLazyNode GetLastNoInit(PLazyNode Node = nullptr, bool CCA = false) const;
    PLazyNode GetNext(PLazyNode Node, bool CCA = false);
    PLazyNode GetNextNoInit(PLazyNode Node, bool CCA = false) const;
    PLazyNode GetPrevious(PLazyNode Node, bool CCA = false);
    PLazyNode GetPreviousNoInit(PLazyNode Node, bool CCA = false) const;
    PLazyNode GetFirstChild(PLazyNode Node);
    PLazyNode GetFirstChildNoInit(PLazyNode Node) const;
    PLazyNode GetLastChild(PLazyNode Node);
    PLazyNode GetLastChildNoInit(PLazyNode Node) const;
    PLazyNode GetNextSibling(PLazyNode Node);
    PLazyNode GetNextSiblingNoInit(PLazyNode Node) const;
    PLazyNode GetPreviousSibling(PLazyNode Node);
    PLazyNode GetPreviousSiblingNoInit(PLazyNode Node) const;

    PLazyNode GetFirstChecked(TCheckState State = TCheckState::csCheckedNormal, bool CCA = false);
    PLazyNode GetNextChecked(PLazyNode Node, TCheckState State = TCheckState::csCheckedNormal,
                             bool CCA = false);
    PLazyNode GetPreviousChecked(PLazyNode Node, TCheckState State = TCheckState::csCheckedNormal,
                                 bool CCA = false);
    PLazyNode GetFirstCutCopy(bool CCA = false);
    PLazyNode GetNextCutCopy(PLazyNode Node, bool CCA = false);
    PLazyNode GetPreviousCutCopy(PLazyNode Node, bool CCA = false);
    PLazyNode GetFirstInitialized(bool CCA = false) const;
    PLazyNode GetNextInitialized(PLazyNode Node, bool CCA = false) const;
    PLazyNode GetPreviousInitialized(PLazyNode Node, bool CCA = false) const;
    PLazyNode GetLastInitialized(PLazyNode Node = nullptr, bool CCA = false) const;
    PLazyNode GetFirstSelected(bool CCA = false);
    PLazyNode GetNextSelected(PLazyNode Node, bool CCA = false);
    PLazyNode GetPreviousSelected(PLazyNode Node, bool CCA = false);
    PLazyNode GetFirstLeaf();
    PLazyNode GetNextLeaf(PLazyNode Node);
    PLazyNode GetPreviousLeaf(PLazyNode Node);
    PLazyNode GetFirstLevel(uint32_t NodeLevel);
    PLazyNode GetNextLevel(PLazyNode Node, uint32_t NodeLevel);
    PLazyNode GetPreviousLevel(PLazyNode Node, uint32_t NodeLevel);

    PLazyNode GetFirstVisible(PLazyNode Node = nullptr, bool CCA = true, bool IncludeFiltered = false);
    PLazyNode GetFirstVisibleNoInit(PLazyNode Node = nullptr, bool CCA = true,
                                    bool IncludeFiltered = false) const;
    PLazyNode GetLastVisible(PLazyNode Node = nullptr, bool CCA = true, bool IncludeFiltered = false);
    PLazyNode GetLastVisibleNoInit(PLazyNode Node = nullptr, bool CCA = true,
                                   bool IncludeFiltered = false) const;
    PLazyNode GetNextVisible(PLazyNode Node, bool CCA = true);
    PLazyNode GetNextVisibleNoInit(PLazyNode Node, bool CCA = true) const;
    PLazyNode GetPreviousVisible(PLazyNode Node, bool CCA = true);
    PLazyNode GetPreviousVisibleNoInit(PLazyNode Node, bool CCA = true) const;
    PLazyNode GetFirstVisibleChild(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetFirstVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered = false) const;
    PLazyNode GetLastVisibleChild(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetLastVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered = false) const;
    PLazyNode GetNextVisibleSibling(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetNextVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered = false) const;
    PLazyNode GetPreviousVisibleSibling(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetPreviousVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered = false) const;
    PLazyNode GetVisibleParent(PLazyNode Node, bool IncludeFiltered = false) const;

    // Node enumerations for range-for loops.
    TLTLazyNodeEnumeration Nodes(bool CCA = false);
    TLTLazyNodeEnumeration CheckedNodes(TCheckState State = TCheckState::csCheckedNormal,
                                        bool CCA = false);
    TLTLazyNodeEnumeration ChildNodes(PLazyNode Node);
    TLTLazyNodeEnumeration CutCopyNodes(bool CCA = false);
    TLTLazyNodeEnumeration InitializedNodes(bool CCA = false);
    TLTLazyNodeEnumeration LeafNodes();
    TLTLazyNodeEnumeration LevelNodes(uint32_t NodeLevel);
    TLTLazyNodeEnumeration NoInitNodes(bool CCA = false);
    TLTLazyNodeEnumeration SelectedNodes(bool CCA = false);
    TLTLazyNodeEnumeration VisibleNodes(PLazyNode Node = nullptr, bool CCA = true,
                                        bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleChildNodes(PLazyNode Node = nullptr, bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleChildNoInitNodes(PLazyNode Node = nullptr,
                                                   bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleNoInitNodes(PLazyNode Node = nullptr, bool CCA = true,
                                              bool IncludeFiltered = false);

    // Calls Callback for Node and its subtree (the whole tree for nil) in structure order;
    // returns the node at which the callback aborted. Nodes cannot be deleted meanwhile.
    PLazyNode IterateSubtree(PLazyNode Node, const TLTGetNodeProc &Callback, void *Data,
                             TLazyNodeStates Filter = {}, bool DoInit = false,
                             bool ChildNodesOnly = false);

    // --- Frame ---------------------------------------------------------------------------
    void BeginUpdate();
    void EndUpdate();
    uint32_t UpdateCount() const { return FUpdateCount; }
    void BeginSynch();
    void EndSynch();
    TLazyTreeStates TreeStates() const { return FStates; }
    void SetTreeStates(TLazyTreeStates Value) { FStates = Value; }
    void CancelOperation();
    bool OperationCanceled() const;
    uint32_t OperationCount() const { return FOperationCount; }

    // Form loading: the owner calls BeginLoading before its property settings and Loaded
    // after them; settings that depend on each other wait for Loaded.
    void BeginLoading();
    virtual void Loaded();
    bool IsLoading() const { return FLoading; }
    // Copies the settings of another tree (not onto a read-only tree).
    virtual void Assign(const TBaseLazyTree &Source);

    TCustomLazyTreeOptions &TreeOptions() const { return *FOptions; }
    void SetTreeOptions(const TCustomLazyTreeOptions &Value) { Value.AssignTo(*FOptions); }

    // --- Settings --------------------------------------------------------------------------
    uint32_t Indent() const { return FIndent; }
    void SetIndent(uint32_t Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int Value);
    uint32_t AnimationDuration() const { return FAnimationDuration; }
    void SetAnimationDuration(uint32_t Value);
    uint32_t ChangeDelay() const { return FChangeDelay; }
    void SetChangeDelay(uint32_t Value) { FChangeDelay = Value; }
    uint32_t AutoExpandDelay() const { return FAutoExpandDelay; }
    void SetAutoExpandDelay(uint32_t Value) { FAutoExpandDelay = Value; }
    uint32_t AutoScrollDelay() const { return FAutoScrollDelay; }
    void SetAutoScrollDelay(uint32_t Value) { FAutoScrollDelay = Value; }
    uint32_t AutoScrollInterval() const { return FAutoScrollInterval; }
    void SetAutoScrollInterval(uint32_t Value) { FAutoScrollInterval = Value; }
    uint32_t EditDelay() const { return FEditDelay; }
    void SetEditDelay(uint32_t Value) { FEditDelay = Value; }
    uint32_t IncrementalSearchTimeout() const { return FSearchTimeout; }
    void SetIncrementalSearchTimeout(uint32_t Value) { FSearchTimeout = Value; }
    TLTIncrementalSearch IncrementalSearch() const { return FIncrementalSearch; }
    TLTSearchStart IncrementalSearchStart() const { return FSearchStart; }
    uint8_t SelectionBlendFactor() const { return FSelectionBlendFactor; }
    void SetSelectionBlendFactor(uint8_t Value) { FSelectionBlendFactor = Value; }
    // The mouse selection band: an inverting dotted frame, or tinted (always with themes).
    TLTDrawSelectionMode DrawSelectionMode() const { return FDrawSelectionMode; }
    void SetDrawSelectionMode(TLTDrawSelectionMode Value);
    // The window border: the frame (single with Ctl3D is a sunken client edge), then inside
    // it an optional bevel and a ring BorderWidth wide in Colors.BorderColor.
    TLTBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TLTBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    TLTBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TLTBevelKind Value);
    TLTBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TLTBevelCut Value);
    TLTBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TLTBevelCut Value);
    uint8_t BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(uint8_t Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // Width of the bevel and ring inside the frame on each side (left, top, right, bottom).
    QMargins NonClientInsets() const;
    // A picture behind the rows (with toShowBackground), fixed to the window.
    const QImage &Background() const { return FBackground; }
    void SetBackground(const QImage &Value);
    int BackgroundOffsetX() const { return FBackgroundOffsetX; }
    int BackgroundOffsetY() const { return FBackgroundOffsetY; }
    void SetBackgroundOffset(int X, int Y);
    // Corner size of the selection rectangles (0: square corners).
    uint32_t SelectionCurveRadius() const { return FSelectionCurveRadius; }
    void SetSelectionCurveRadius(uint32_t Value);
    int DragWidth() const { return FDragWidth; }
    void SetDragWidth(int Value) { FDragWidth = Value; }
    int DragHeight() const { return FDragHeight; }
    void SetDragHeight(int Value) { FDragHeight = Value; }
    TDragOperations DragOperations() const { return FDragOperations; }
    TLTDragType DragType() const { return FDragType; }
    TLTDragImageKind DragImageKind() const { return FDragImageKind; }
    void SetDragImageKind(TLTDragImageKind Value) { FDragImageKind = Value; }
    TLTNodeAttachMode DefaultPasteMode() const { return FDefaultPasteMode; }
    void SetDefaultPasteMode(TLTNodeAttachMode Value) { FDefaultPasteMode = Value; }
    TColumnIndex FocusedColumn() const { return FFocusedColumn; }
    THintAnimationType HintAnimation() const { return FAnimationType; }
    TLTButtonStyle ButtonStyle() const { return FButtonStyle; }
    TLTButtonFillMode ButtonFillMode() const { return FButtonFillMode; }
    TLTNodeAlignment NodeAlignment() const { return FNodeAlignment; }
    void SetNodeAlignment(TLTNodeAlignment Value);
    TLTLineStyle LineStyle() const { return FLineStyle; }
    TCheckImageKind CheckImageKind() const { return FCheckImageKind; }
    void SetCheckImageKind(TCheckImageKind Value) { FCheckImageKind = Value; }
    // The scrollable content height: root TotalHeight - root NodeHeight + bottom space.
    uint32_t RangeY() const { return FRangeY; }

    // --- Geometry and hit testing ----------------------------------------------------------
    // The shown node at Y (client coordinates with Relative, else content coordinates) and
    // its top; NodeTop stays as passed when there is none. X is not used.
    PLazyNode GetNodeAt(int X, int Y, bool Relative, int &NodeTop);
    PLazyNode GetNodeAt(int X, int Y);
    PLazyNode GetNodeAt(QPoint P) { return GetNodeAt(P.x(), P.y()); }
    // The node's cell (or, with TextOnly, its text area) in client coordinates; empty for a
    // node that is not shown.
    TRect GetDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped = false,
                         bool ApplyCellContentMargin = false);
    TRect GetTreeRect() const;
    // Where a drag would drop: the node under it and the part of its row.
    PLazyNode DropTargetNode() const { return FDropTargetNode; }
    void SetDropTargetNode(PLazyNode Node) { FDropTargetNode = Node; }
    TLTDropMode LastDropMode() const { return FLastDropMode; }
    void SetLastDropMode(TLTDropMode Value) { FLastDropMode = Value; }
    // The node's row as invalidated; (-1, -1, -1, -1) inside an update or without a window.
    virtual TRect InvalidateNode(PLazyNode Node);
    void InvalidateChildren(PLazyNode Node, bool Recursive);
    void InvalidateColumn(TColumnIndex Column);
    // Invalidates from the node's row (the whole client area for nil) to the bottom.
    void InvalidateToBottom(PLazyNode Node);
    // Paints the node's row before returning.
    void RepaintNode(PLazyNode Node);
    // Scales node height and indent by M / D when the tree follows scaling.
    void ChangeScale(int M, int D);
    // The millisecond clock the sliding expand and collapse steps by.
    void SetAnimationClock(std::function<int64_t()> Clock) { FAnimationClock = std::move(Clock); }
    virtual void GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo &HitInfo);
    virtual void GetTextInfo(PLazyNode Node, TColumnIndex Column, QFont &AFont, TRect &R,
                             QString &Text);
    PLazyNode TopNode();
    void SetTopNode(PLazyNode Node);
    PLazyNode BottomNode();
    void SetBottomNode(PLazyNode Node);
    TLTAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLTAlignment Value);
    uint32_t BottomSpace() const { return FBottomSpace; }
    void SetBottomSpace(uint32_t Value);
    TLTImageList *CustomCheckImages() const { return FCustomCheckImages; }
    void SetCustomCheckImages(TLTImageList *Value);
    // The check image list in use; nullptr when there is none.
    TLTImageList *CheckImages() const;

    // --- Scrolling -------------------------------------------------------------------------
    TScrollBarOptions &ScrollBarOptions() const { return *FScrollBarOptions; }
    void SetScrollBarOptions(const TScrollBarOptions &Value) { FScrollBarOptions->Assign(Value); }
    int OffsetX() const { return FOffsetX; }
    void SetOffsetX(int Value);
    int OffsetY() const { return FOffsetY; }
    void SetOffsetY(int Value);
    QPoint OffsetXY() const { return QPoint(FOffsetX, FOffsetY); }
    void SetOffsetXY(QPoint Value);
    void UpdateRanges();
    virtual void UpdateScrollBars(bool DoRepaint);
    void UpdateVerticalScrollBar(bool DoRepaint);
    bool ScrollIntoView(PLazyNode Node, bool Center, bool Horizontally = false);
    bool ScrollIntoView(TColumnIndex Column, bool Center);
    // The scroll bars' messages: one of the SB_ codes.
    void VScroll(int Code);
    void HScroll(int Code);
    PLazyNode FocusedNode() const { return FFocusedNode; }
    uint32_t SelectedCount() const { return uint32_t(FSelection.size()); }

    // --- Events ------------------------------------------------------------------------------
    TLTInitNodeEvent OnInitNode;
    TLTInitChildrenEvent OnInitChildren;
    TLTFreeNodeEvent OnFreeNode;
    TLTChangeEvent OnResetNode;
    TLTGetNodeDataSizeEvent OnGetNodeDataSize;
    TLTCheckChangingEvent OnChecking;
    TLTChangeEvent OnChecked;
    TLTChangingEvent OnExpanding, OnCollapsing;
    TLTChangeEvent OnExpanded, OnCollapsed;
    TLTNodeMovingEvent OnNodeMoving;
    TLTNodeMovedEvent OnNodeMoved;
    TLTNodeCopyingEvent OnNodeCopying;
    TLTNodeCopiedEvent OnNodeCopied;
    TLTStructureChangeEvent OnStructureChange;
    TLTChangeEvent OnChange;
    TLTStateChangeEvent OnStateChange;
    TLTUpdatingEvent OnUpdating;
    TLTOperationEvent OnStartOperation, OnEndOperation;
    TLTGetImageEvent OnGetImageIndex;
    TLTGetImageExEvent OnGetImageIndexEx;
    TLTPopupEvent OnGetPopupMenu;
    TLTHeaderNotifyEvent OnColumnResize;
    TLTBeforeAutoFitColumnsEvent OnBeforeAutoFitColumns;
    TLTAfterAutoFitColumnsEvent OnAfterAutoFitColumns;
    TLTBeforeAutoFitColumnEvent OnBeforeAutoFitColumn;
    TLTAfterAutoFitColumnEvent OnAfterAutoFitColumn;
    TLTBeforeGetMaxColumnWidthEvent OnBeforeGetMaxColumnWidth;
    TLTAfterGetMaxColumnWidthEvent OnAfterGetMaxColumnWidth;
    TLTCanSplitterResizeHeaderEvent OnCanSplitterResizeHeader;
    TLTMeasureItemEvent OnMeasureItem;
    TLTBeforeCellPaintEvent OnBeforeCellPaint;
    TLTGetCellIsEmptyEvent OnGetCellIsEmpty;
    TLTScrollEvent OnScroll;
    TLTScrollBarShowEvent OnShowScrollBar;
    TLTPaintEvent OnBeforePaint, OnAfterPaint;
    TLTBeforeItemEraseEvent OnBeforeItemErase;
    TLTAfterItemEraseEvent OnAfterItemErase;
    TLTBeforeItemPaintEvent OnBeforeItemPaint;
    TLTAfterItemPaintEvent OnAfterItemPaint;
    TLTAfterCellPaintEvent OnAfterCellPaint;
    TLTBackgroundPaintEvent OnPaintBackground;
    TLTGetLineStyleEvent OnGetLineStyle;
    TLTBeforeDrawLineImageEvent OnBeforeDrawTreeLine;
    TLTPrepareButtonImagesEvent OnPrepareButtonBitmaps;

    // --- Painting --------------------------------------------------------------------------
    // Paints Window (absolute tree coordinates) of the content onto TargetCanvas with its
    // top-left corner at Target. Does nothing while a paint is running.
    virtual void PaintTree(TCanvas &TargetCanvas, TRect Window, TPoint Target,
                           TLTInternalPaintOptions PaintOptions);
    // Renders the window (frame, header band and client) onto Target as a print of it: with
    // selection, focus and grid lines but no column colours. With CheckVisible an invisible
    // tree renders nothing.
    void PrintWindow(QPaintDevice *Target, bool CheckVisible = false);
    TLTColors &Colors() const { return *FColors; }
    QString EmptyListMessage() const { return FEmptyListMessage; }
    void SetEmptyListMessage(const QString &Value);
    TLTLineMode LineMode() const { return FLineMode; }
    void SetLineMode(TLTLineMode Value);
    void SetLineStyle(TLTLineStyle Value);
    void SetButtonStyle(TLTButtonStyle Value);
    void SetButtonFillMode(TLTButtonFillMode Value);

    // --- Header and columns --------------------------------------------------------------
    TLTHeader &Header() const { return *FHeader; }
    // The client area (the viewport) in pixels.
    int ClientWidth() const;
    int ClientHeight() const;
    // The header's rectangle in window coordinates (no height while it is hidden), and the
    // same in client coordinates, where the header lies above 0.
    QRect HeaderRect() const { return FHeaderRect; }
    QRect HeaderRectInClient() const;
    // Content pixels hidden at the left.
    int EffectiveOffsetX() const { return FEffectiveOffsetX; }
    uint32_t RangeX() const { return FRangeX; }
    TLTBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TLTBiDiMode Value);
    bool UseRightToLeftReading() const { return FBiDiMode != TLTBiDiMode::bdLeftToRight; }
    // The background colour of the client area; columns with coParentColor follow it.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // Horizontal shift of the columns in a right-to-left tree.
    int RightToLeftShift(bool ExcludeScrollBar) const;
    // The scroll bar options allow a vertical bar.
    bool VerticalBarAllowed() const;
    // The width a column needs to show its widest node.
    virtual int GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth = false);
    void UpdateHorizontalRange();
    virtual void UpdateHorizontalScrollBar(bool DoRepaint);

    // Image lists of the nodes; the tree does not own them.
    TLTImageList *Images() const { return FImages; }
    void SetImages(TLTImageList *Value) { FImages = Value; }
    TLTImageList *StateImages() const { return FStateImages; }
    void SetStateImages(TLTImageList *Value) { FStateImages = Value; }

    // Old form data: the option names of the former single set ("voMultiSelect" and so on)
    // replace all five option sets.
    void ReadLegacyOptions(const QStringList &Names);

    // --- Node stream, moving and copying ---------------------------------------------------
    // The stream: a 12-byte signature with the version, a node count, then one node chunk per
    // node (its fields with the children nested, OnSaveNode's data, the string tree's caption).
    void SaveToFile(const QString &FileName);
    // Node nil: the whole tree; otherwise that node with its subtree.
    void SaveToStream(QIODevice &Stream, PLazyNode Node = nullptr);
    void LoadFromFile(const QString &FileName);
    // Replaces the nodes; a stream with a wrong signature or version leaves them.
    void LoadFromStream(QIODevice &Stream);
    // Adds the stream's top-level nodes as last children of TargetNode (nil: the top level).
    void AddFromStream(QIODevice &Stream, PLazyNode TargetNode);
    // The tree data that the clipboard and drags carry: the node chunks of Nodes back to
    // back, without signature and count.
    QByteArray SaveNodeChunks(const std::vector<PLazyNode> &Nodes);
    // Reads one node chunk (stream version 2) into a new node linked at Target by Mode, with
    // counts, heights, visible count and selection made right; returns the new node.
    PLazyNode AddNodeFromChunk(QIODevice &Stream, PLazyNode Target, TLTNodeAttachMode Mode);
    void MoveTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly);
    void MoveTo(PLazyNode Source, TBaseLazyTree *Tree, TLTNodeAttachMode Mode, bool ChildrenOnly);
    PLazyNode CopyTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly);
    PLazyNode CopyTo(PLazyNode Source, TBaseLazyTree *Tree, TLTNodeAttachMode Mode,
                     bool ChildrenOnly);
    // Moves Node below Value as its last child.
    void SetNodeParent(PLazyNode Node, PLazyNode Value);
    TLTSaveNodeEvent OnSaveNode, OnLoadNode;
    TLTSaveTreeEvent OnSaveTree, OnLoadTree;

    // --- Clipboard formats and export events -----------------------------------------------
    // The registered formats this tree may offer (lazytreeformats.h).
    TClipboardFormats &ClipboardFormats() const;
    void SetClipboardFormats(const QStringList &Value);
    TLTTreeExportEvent OnBeforeTreeExport, OnAfterTreeExport, OnBeforeHeaderExport,
        OnAfterHeaderExport;
    TLTColumnExportEvent OnBeforeColumnExport, OnColumnExport, OnAfterColumnExport;
    TLTNodeExportEvent OnBeforeNodeExport, OnNodeExport, OnAfterNodeExport;

    // --- Sorting (stable merge sort of sibling lists by OnCompareNodes) -------------------
    // Node nil: the top level.
    void Sort(PLazyNode Node, TColumnIndex Column, TLTSortDirection Direction, bool DoInit = true)
    {
        Sort(Node, Column, Direction == TLTSortDirection::sdAscending, DoInit);
    }
    // Every initialised level; Column InvalidColumn sorts nothing.
    void SortTree(TColumnIndex Column, TLTSortDirection Direction, bool DoInit = true)
    {
        SortTree(Column, Direction == TLTSortDirection::sdAscending, DoInit);
    }
    TLTCompareEvent OnCompareNodes;

    // --- Printing --------------------------------------------------------------------------
    // Prints the whole content (and the header with PrintHeader) cut into pages, each page
    // piece scaled so that text keeps its printed size. Nil printer: nothing.
    void Print(IPrinter *Printer, bool PrintHeader);

    // One entry of the position cache: a shown node and the distance of its top from the
    // top of the content.
    struct TCacheEntry
    {
        PLazyNode Node;
        uint32_t AbsoluteTop;
    };
    static constexpr uint32_t CacheThreshold = 2000;   // shown nodes between two entries
    const std::vector<TCacheEntry> &PositionCache() const { return FPositionCache; }
    // The shown node covering Y (content coordinates) and its top; nil below the last one.
    // Uses the position cache while it is valid, else walks from the top.
    PLazyNode NodeAtPosition(uint32_t Y, uint32_t &NodeTop);
    // The top of a shown node in content coordinates.
    uint32_t NodeTopPosition(PLazyNode Node);
    // Nodes the last position lookup walked over (not counting the cache entry).
    uint32_t LastLookupSteps() const { return FLastLookupSteps; }

    // The window of the tree exists (it was shown at least once).
    bool HandleAllocated() const;
    // Tree timers by id 1..8 (5: change delay, 6: structure change delay).
    bool TreeTimerActive(int Id) const;
    int TreeTimerInterval(int Id) const;


    // --- Selection and focus (lazytree_select.cpp) ----------------------------------------
    // The selection is kept sorted by node address, so that membership is a bisection.
    virtual void AddToSelection(PLazyNode Node);
    virtual void RemoveFromSelection(PLazyNode Node);
    virtual void ClearSelection();
    virtual void EnsureNodeSelected();
    bool Selected(PLazyNode Node) const;
    void SetSelected(PLazyNode Node, bool Value);
    bool SelectionLocked() const { return FSelectionLocked; }
    void SetSelectionLocked(bool Value) { FSelectionLocked = Value; }
    PLazyNode RangeAnchor() const { return FRangeAnchor; }
    PLazyNode NextNodeToSelect() const { return FNextNodeToSelect; }
    void SetFocusedNode(PLazyNode Value);
    void SetFocusedColumn(TColumnIndex Value);
    void SelectAll(bool VisibleOnly);
    void InvertSelection(bool VisibleOnly);
    // The selected nodes in tree order; with Resolve without those below a selected node.
    std::vector<PLazyNode> GetSortedSelection(bool Resolve);
    virtual void DeleteSelectedNodes();
    // The tree can take the input focus (its form is enabled and shown).
    bool CanFocus() const;

    // --- Keyboard (lazytree_keys.cpp) -------------------------------------------------------
    // Key codes as the key messages carry them.
    static constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32,
                         VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
                         VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_APPS = 93, VK_MULTIPLY = 106,
                         VK_ADD = 107, VK_SUBTRACT = 109, VK_DIVIDE = 111, VK_F1 = 112,
                         VK_F2 = 113;
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    QString SearchBuffer() const { return FSearchBuffer; }
    void SetIncrementalSearch(TLTIncrementalSearch Value);
    void SetIncrementalSearchStart(TLTSearchStart Value) { FSearchStart = Value; }
    TLTSearchDirection IncrementalSearchDirection() const { return FSearchDirection; }
    void SetIncrementalSearchDirection(TLTSearchDirection Value) { FSearchDirection = Value; }
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }

    // --- Mouse (lazytree_mouse.cpp) ---------------------------------------------------------
    bool IsMouseSelecting() const;
    PLazyNode HotNode() const { return FCurrentHotNode; }
    TColumnIndex HotColumn() const { return FCurrentHotColumn; }
    Qt::CursorShape HotCursor() const { return FHotCursor; }
    void SetHotCursor(Qt::CursorShape Value) { FHotCursor = Value; }
    // The menu the tree's context-menu request shows; not owned.
    QMenu *PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu *Value) { FPopupMenu = Value; }
    TLTDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TLTDragMode Value) { FDragMode = Value; }
    QPoint LastClickPos() const { return FLastClickPos; }
    // The rubber band in tree coordinates: the press corner first, the moving corner second.
    TRect NewSelRect() const { return FNewSelRect; }
    TRect LastSelRect() const { return FLastSelRect; }

    // --- Wheel, panning and automatic scrolling (lazytree_wheel.cpp) ------------------------
    // The millisecond clock of the automatic-scroll delay; the system's by default.
    void SetTickClock(std::function<int64_t()> Clock) { FTickClock = std::move(Clock); }
    TLTScrollDirections ScrollDirections() const { return FScrollDirections; }
    // The compass window shown while panning; nullptr when none.
    QWidget *PanningWindow() const { return FPanningWindow; }
    Qt::CursorShape PanningCursorShape() const { return FPanningCursorShape; }
    QString PanningCursorName() const { return FPanningCursorName; }

    // --- In-place editing (lazytree_edit.cpp) ---------------------------------------------
    // Starts editing Node's caption in Column; false when no edit runs afterwards.
    virtual bool EditNode(PLazyNode Node, TColumnIndex Column);
    bool IsEditing() const;
    virtual bool CanEdit(PLazyNode Node, TColumnIndex Column);
    bool EndEditNode();
    virtual bool CancelEditNode();
    TColumnIndex EditColumn() const { return FEditColumn; }
    // The edit link of the running edit; empty when none.
    std::shared_ptr<ILTEditLink> EditLink() const { return FEditLink; }
    TLTCreateEditorEvent OnCreateEditor;
    TLTEditChangingEvent OnEditing;
    TLTEditChangeEvent OnEdited;
    TLTEditCancelEvent OnEditCancelled;

    // --- Header mouse (lazytree_headermouse.cpp) ---------------------------------------------
    // The column's check state takes the next state of its check type.
    void UpdateColumnCheckState(TLazyTreeColumn &Column);
    // Where the column's header glyph or check box was painted, in header coordinates.
    QRect HeaderImageRect(const TLazyTreeColumn &Column) const;
    // Hands a mouse, key or focus event of the tree or its viewport to the header first;
    // true when the header took it.
    bool HeaderMessage(QEvent *Event, bool Client);
    TLTHeaderMouseEvent OnHeaderMouseDown, OnHeaderMouseUp;
    TLTHeaderMouseMoveEvent OnHeaderMouseMove;
    TLTHeaderClickEvent OnHeaderClick, OnHeaderDblClick;
    TLTHeaderDraggingEvent OnHeaderDragging;
    TLTHeaderDraggedEvent OnHeaderDragged;
    TLTHeaderDraggedOutEvent OnHeaderDraggedOut;
    TLTGetHeaderCursorEvent OnGetHeaderCursor;
    TLTCanSplitterResizeColumnEvent OnCanSplitterResizeColumn;
    TLTBeforeColumnWidthTrackingEvent OnBeforeColumnWidthTracking;
    TLTColumnWidthTrackingEvent OnColumnWidthTracking;
    TLTHeaderNotifyEvent OnAfterColumnWidthTracking;
    TLTBeforeHeaderHeightTrackingEvent OnBeforeHeaderHeightTracking;
    TLTHeaderHeightTrackingEvent OnHeaderHeightTracking;
    TLTAfterHeaderHeightTrackingEvent OnAfterHeaderHeightTracking;
    TLTColumnWidthDblClickResizeEvent OnColumnWidthDblClickResize;
    TLTHeaderHeightDblClickResizeEvent OnHeaderHeightDblClickResize;
    TLTColumnVisibilityChangedEvent OnColumnVisibilityChanged;

    TLTKeyActionEvent OnKeyAction;
    TLTIncrementalSearchEvent OnIncrementalSearch;
    TLTNodeClickEvent OnNodeClick, OnNodeDblClick;
    TLTHotNodeChangeEvent OnHotChange;
    TLTGetCursorEvent OnGetCursor;
    TLTNotifyEvent OnMouseEnter, OnMouseLeave;
    TLTHelpContextEvent OnGetHelpContext;
    TLTFocusChangingEvent OnFocusChanging;
    TLTFocusChangeEvent OnFocusChanged;
    TLTAddToSelectionEvent OnAddToSelection;
    TLTRemoveFromSelectionEvent OnRemoveFromSelection;
    TLTCanSplitterResizeNodeEvent OnCanSplitterResizeNode;
    TLTNodeHeightTrackingEvent OnNodeHeightTracking;
    TLTNodeHeightDblClickResizeEvent OnNodeHeightDblClickResize;
    TLTColumnClickEvent OnColumnClick;
    TLTColumnDblClickEvent OnColumnDblClick;
    TLTDragAllowedEvent OnDragAllowed;
    TLTKeyEvent OnKeyDown, OnKeyUp;
    TLTKeyPressEvent OnKeyPress;
    TLTNotifyEvent OnClick, OnDblClick;

    // --- Drag and drop, cut, copy and paste (lazytree_dragdrop.cpp, lazytree_clipboard.cpp)
    // Drop effects and key states are the values of lazytreedataobject.h.
    using TLTDragOverEvent =
        std::function<void(TBaseLazyTree *Sender, QObject *Source, TLTShiftState Shift,
                           TDragState State, QPoint Pt, TLTDropMode Mode, uint32_t &Effect,
                           bool &Accept)>;
    using TLTDragDropEvent = std::function<void(
        TBaseLazyTree *Sender, QObject *Source, const QMimeData *DataObject,
        const std::vector<uint16_t> &Formats, TLTShiftState Shift, QPoint Pt, uint32_t &Effect,
        TLTDropMode Mode)>;
    using TLTRenderOLEDataEvent =
        std::function<void(TBaseLazyTree *Sender, const TFormatEtc &FormatEtcIn,
                           TStgMedium &Medium, bool ForClipboard, HRESULT &Result)>;
    using TLTGetUserClipboardFormatsEvent =
        std::function<void(TBaseLazyTree *Sender, std::vector<TFormatEtc> &Formats)>;
    using TLTCreateDragManagerEvent = std::function<void(
        TBaseLazyTree *Sender, std::shared_ptr<ILTDragManager> &DragManager)>;
    // A data object the handler creates passes to the tree.
    using TLTCreateDataObjectEvent =
        std::function<void(TBaseLazyTree *Sender, QMimeData *&DataObject)>;
    using TLTStartDragEvent = std::function<void(TBaseLazyTree *Sender, QObject *&DragObject)>;
    using TLTEndDragEvent =
        std::function<void(TBaseLazyTree *Sender, QObject *Target, int X, int Y)>;

    // A drag is armed or runs.
    bool Dragging() const;
    // Created on first use (OnCreateDragManager may supply it).
    ILTDragManager &DragManager();
    void SetDragOperations(TDragOperations Value) { FDragOperations = Value; }
    void SetDragType(TLTDragType Value) { FDragType = Value; }
    int DragThreshold() const { return FDragThreshold; }
    TLTDragImage &DragImage();
    // Inserts the dropped tree data at TargetNode; Effect becomes none when the nodes were
    // moved here already, so that the source deletes nothing.
    bool ProcessDrop(const QMimeData *DataObject, PLazyNode TargetNode, uint32_t &Effect,
                     TLTNodeAttachMode Mode);
    // Optimized: Source's dragged or cut nodes are moved instead of copying the data.
    bool ProcessOLEData(TBaseLazyTree *Source, const QMimeData *DataObject, PLazyNode TargetNode,
                        TLTNodeAttachMode Mode, bool Optimized);
    // Renders the dragged rows around HotSpot (client coordinates) into the drag image.
    void PrepareDragImage(QPoint HotSpot, QMimeData *DataObject);
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual bool PasteFromClipboard();
    void FlushClipboard();
    void CancelCutOrCopy();
    // Deletes the nodes of a pending cut (another tree pasted them).
    void FinishCutOrCopy();
    std::vector<PLazyNode> GetSortedCutCopySet(bool Resolve);
    uint32_t CutCopyCount();
    TLTDragOverEvent OnDragOver;
    TLTDragDropEvent OnDragDrop;
    TLTRenderOLEDataEvent OnRenderOLEData;
    TLTGetUserClipboardFormatsEvent OnGetUserClipboardFormats;
    TLTCreateDragManagerEvent OnCreateDragManager;
    TLTCreateDataObjectEvent OnCreateDataObject;
    TLTStartDragEvent OnStartDrag;
    TLTEndDragEvent OnEndDrag;

protected:
    friend class TLTDataObject;
    friend class TLTDragManager;
    friend class TLTDragImage;
    virtual void RunOleDrag(QPoint HotSpot);
    // The modal drag loop (QDrag); Effect receives the effect the target chose.
    virtual void RunDragLoop(uint32_t AllowedEffects, QMimeData *DataObject, uint32_t &Effect);
    // The target steps; points in screen coordinates.
    virtual HRESULT DragEnterTree(uint32_t KeyState, QPoint Pt, uint32_t &Effect);
    virtual HRESULT DragOverTree(QObject *Source, uint32_t KeyState, TDragState State, QPoint Pt,
                                 uint32_t &Effect);
    virtual void DragLeaveTree();
    virtual HRESULT DropOnTree(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                               uint32_t &Effect);
    virtual void CompleteDrag();
    virtual void ExpandDropTarget();
    virtual uint32_t PreferredDropEffect(QObject *Source, TLTShiftState Shift,
                                         uint32_t AllowedEffects, QPoint Pt);
    virtual TLTDropMode DropModeAt(QPoint Pt, const THitInfo &HitInfo, const TRect &NodeRect);
    virtual TBaseLazyTree *SourceTreeOf(const QMimeData *DataObject);
    virtual void OfferedFormats(std::vector<TFormatEtc> &Formats);
    virtual HRESULT RenderTreeData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                                   bool ForClipboard);
    // A format the tree data does not cover: OnRenderOLEData (E_FAIL when unassigned).
    virtual HRESULT RenderOLEData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                                  bool ForClipboard);
    virtual bool DragImageWanted();
    virtual void RefreshUnderDragImage(TBaseLazyTree *SourceTree, QRect R, bool ReshowImage,
                                       bool UpdateNCArea);
    virtual void MarkCutCopyNodes();
    virtual bool DoDragOver(QObject *Source, TLTShiftState Shift, TDragState State, QPoint Pt,
                            TLTDropMode Mode, uint32_t &Effect);
    virtual void DoDragDrop(QObject *Source, const QMimeData *DataObject,
                            const std::vector<uint16_t> &Formats, TLTShiftState Shift, QPoint Pt,
                            uint32_t &Effect, TLTDropMode Mode);
    virtual std::shared_ptr<ILTDragManager> DoCreateDragManager();
    virtual QMimeData *DoCreateDataObject();
    virtual void DoStartDrag(QObject *&DragObject);
    virtual void DoEndDrag(QObject *Target, int X, int Y);
    // A drag's key state as a shift state, plus the buttons the tree holds down.
    TLTShiftState DragShiftState(uint32_t KeyState) const;
    void dragEnterEvent(QDragEnterEvent *Event) override;
    void dragMoveEvent(QDragMoveEvent *Event) override;
    void dragLeaveEvent(QDragLeaveEvent *Event) override;
    void dropEvent(QDropEvent *Event) override;

private:
    std::shared_ptr<ILTDragManager> FDragManager;
    std::shared_ptr<TLTDragImage> FDragImage;
    int FDragThreshold = 0;
    std::vector<PLazyNode> FDragSelection;
    uint32_t FLastDragEffect = 0;

public:
    // --- Hints (lazytree_hints.cpp, lazytreehintwindow.h) -------------------------------------
    TLTHintMode HintMode() const { return FHintMode; }
    void SetHintMode(TLTHintMode Value) { FHintMode = Value; }
    void SetHintAnimation(THintAnimationType Value) { FAnimationType = Value; }
    // Hints are off unless switched on (the windows that place trees show none).
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    // The control's short hint: its hint text up to the first '|'.
    QString ShortHint() const;
    // The area (client coordinates) the current hint belongs to; empty when none.
    TRect LastHintRect() const { return FLastHintRect; }
    const TLTHintData &HintData() const { return FHintData; }
    // The hint request for a resting mouse: result 0 shows the hint HintInfo describes.
    virtual int CMHintShow(TLTHintInfo &HintInfo);
    // How long (ms) a hint waits while another one was just shown; the tree may shorten it.
    virtual void CMHintShowPause(int &Pause);
    // Shows what the hint request answers for the mouse resting at client point P; true
    // when a hint is shown afterwards.
    bool ShowHintAt(QPoint P);
    // Hides a shown hint. Its area stays, so the same spot shows no hint again until the
    // mouse has left it.
    void CancelHint();
    // The tree's hint window; nullptr before the first hint.
    TLazyTreeHintWindow *HintWindow() const;
    TLTGetHintSizeEvent OnGetHintSize;
    TLTHintKindEvent OnGetHintKind;
    TLTDrawHintEvent OnDrawHint;

protected:
    friend class TLazyTreeHintWindow;
    virtual THintAnimationType EffectiveHintAnimation() const;
    virtual TLTHintKind DefaultHintKind() const { return TLTHintKind::vhkText; }
    void FireGetHintKind(PLazyNode Node, TColumnIndex Column, TLTHintKind &Kind);
    virtual void FireGetHintSize(PLazyNode Node, TColumnIndex Column, TRect &R);
    void FireDrawHint(TCanvas &HintCanvas, PLazyNode Node, TRect R, TColumnIndex Column);
    // False when a descendant shows its hints in another window than TLazyTreeHintWindow;
    // the hint then travels as plain text.
    virtual bool UsesTreeHintWindow() const { return true; }
    // The application has the input focus (a hint may show for an unfocused tree then).
    virtual bool ApplicationActive() const;
    // The mouse buttons held down now (a test stands in for the pointer).
    virtual Qt::MouseButtons PressedMouseButtons() const;
    // The mouse moved to client point P while a hint may be shown: leaving the hint's area
    // hides it, and the next hint follows at once when the pause allows.
    void HintMouseMove(QPoint P);

public:
    // --- Accessibility (lazytree_access.cpp, lazytreeaccess.h) ------------------------------
    // The platform's object query: for OBJID_CLIENT the tree's accessible object, made by the
    // registered providers together with the one of its focused item; nullptr without.
    QAccessibleInterface *AccessibleObject(int ObjectId);
    QAccessibleInterface *AccessibleInterface() const { return FAccessible; }
    QAccessibleInterface *AccessibleItem() const { return FAccessibleItem; }
    // The standard tree-view queries: the node in a relation (TVGN_...) to Node, a node's
    // rectangle (false, Rect untouched, for a node the application hid), a node's record.
    PLazyNode TreeViewGetNextItem(int Relation, PLazyNode Node);
    bool TreeViewGetItemRect(PLazyNode Node, bool TextOnly, TRect &Rect);
    bool TreeViewGetItem(TLTTreeViewItem &Item);

protected:
    // Sends an accessibility event (a QAccessible::Event) about the tree itself; only while
    // its focused item has an accessible object.
    void NotifyAccessibleEvent(int Event);
    // Disconnects and frees the accessible objects (the item's first).
    void ReleaseAccessibility();

private:
    QAccessibleInterface *FAccessible = nullptr;
    QAccessibleInterface *FAccessibleItem = nullptr;
    TLTHintMode FHintMode = TLTHintMode::hmDefault;
    TLTHintData FHintData;
    TRect FLastHintRect;
    bool FShowHint = false;
    QPointer<TLazyTreeHintWindow> FHintWindow;

protected:
    // The built-in list of a check image kind; nullptr for ckCustom.
    static TLTImageList *CheckImageListFor(TCheckImageKind Kind);
    // The bevel and the border ring, on a painter over the whole tree window.
    void PaintNonClientBorder(QPainter &Painter);
    // Rebuilds the expand buttons and the line pattern.
    void RebuildPaintResources(bool Buttons, bool Lines);

    // --- Storage -------------------------------------------------------------------------
    PLazyNode AllocateNode();
    // Reserves an internal area in every node block; only before any node exists.
    uint32_t AllocateInternalDataArea(uint32_t Size);
    // Start of an internal area of Node, Offset as AllocateInternalDataArea returned it.
    void *InternalData(PLazyNode Node, uint32_t Offset) const;
    void UpdateTotalCount(PLazyNode Node, int64_t Value, bool Relative = false);
    void UpdateTotalHeight(PLazyNode Node, int64_t Value, bool Relative = false);
    void SumTotalCounts(PLazyNode Node);
    void SumTotalHeights(PLazyNode Node);
    int CompareDisplayOrder(PLazyNode Node1, PLazyNode Node2, bool ConsiderChildrenAbove = true) const;
    virtual int LevelDifference(PLazyNode Node1, PLazyNode Node2) const;
    virtual int DoGetNodeDataSize();

    // --- Structure and lazy initialisation ------------------------------------------------
    void InitNode(PLazyNode Node);
    void InitChildren(PLazyNode Node);
    virtual void LinkNode(PLazyNode Node, PLazyNode Target, TLTNodeAttachMode Mode,
                          TBaseLazyTree *Tree);
    virtual void UnlinkNode(PLazyNode Node, bool KeepFocus, bool Reindex, bool ParentClearing);
    void RemoveNode(PLazyNode Node, bool Reindex, bool ParentClearing);
    virtual void UpdateHiddenChildrenFlag(PLazyNode Node);
    virtual uint32_t VisibleDescendantCount(PLazyNode Node) const;

    // --- Frame ---------------------------------------------------------------------------
    void DoStateChange(TLazyTreeStates Enter, TLazyTreeStates Leave = {});
    void BeginOperation(TLTOperationKind Kind);
    void EndOperation(TLTOperationKind Kind);
    // Reacts to changed option sets (called by the options object after storing).
    virtual void PaintOptionsChanged(TLTPaintOptions Old);
    virtual void AutoOptionsChanged(TLTAutoOptions Old);
    virtual void SelectionOptionsChanged(TLTSelectionOptions Old);
    virtual void MiscOptionsChanged(TLTMiscOptions Old);
    // A descendant's constructor substitutes its own options class.
    void ReplaceOptions(std::unique_ptr<TCustomLazyTreeOptions> Value);
    bool IsDestroying() const { return FDestroying; }

    // --- Check states ----------------------------------------------------------------------
    virtual void CommitCheckState(PLazyNode Node, TCheckState Value);
    bool ApplyCheckState(PLazyNode Node, TCheckState Value);
    virtual bool PropagateCheckToParent(PLazyNode Node, TCheckState NewState);
    // The state a click or the space key asks for.
    virtual TCheckState NextCheckState(TCheckType Type, TCheckState State) const;

    // --- Node stream -----------------------------------------------------------------------
    virtual void WriteNodeChunk(QIODevice &Stream, PLazyNode Node);
    virtual void WriteNodeParts(QIODevice &Stream, PLazyNode Node);
    virtual void ReadNodeChunk(QIODevice &Stream, int Version, PLazyNode Node);
    // True when the sub-chunk was recognised and consumed.
    virtual bool ReadSubChunk(QIODevice &Stream, int Version, PLazyNode Node, uint32_t ChunkType,
                              int32_t ChunkSize);
    void SkipNodeChunk(QIODevice &Stream);
    void PatchChunkSize(QIODevice &Stream, qint64 StartPos, qint64 EndPos);
    virtual void DoSaveNode(PLazyNode Node, QIODevice &Stream);
    virtual void DoLoadNode(PLazyNode Node, QIODevice &Stream);
    virtual int DoCompare(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column);

    // --- Event firers ----------------------------------------------------------------------
    virtual void DoInitNode(PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates &InitStates);
    virtual bool DoInitChildren(PLazyNode Node, uint32_t &ChildCount);
    virtual void DoFreeNode(PLazyNode Node);
    virtual void DoReset(PLazyNode Node);
    virtual bool DoExpanding(PLazyNode Node);
    virtual void DoExpanded(PLazyNode Node);
    virtual bool DoCollapsing(PLazyNode Node);
    virtual void DoCollapsed(PLazyNode Node);
    virtual bool DoChecking(PLazyNode Node, TCheckState &NewCheckState);
    virtual void DoChecked(PLazyNode Node);
    virtual bool DoNodeMoving(PLazyNode Node, PLazyNode Target);
    virtual void DoNodeMoved(PLazyNode Node);
    virtual bool DoNodeCopying(PLazyNode Node, PLazyNode Target);
    virtual void DoNodeCopied(PLazyNode Node);
    virtual void DoStructureChange(PLazyNode Node, TChangeReason Reason);
    virtual void DoChange(PLazyNode Node);
    virtual void DoUpdating(TLTUpdateState State);
    virtual void DoStartOperation(TLTOperationKind Kind);
    virtual void DoEndOperation(TLTOperationKind Kind);
    // The image of a node; Ghosted and ImageIndex come in as the caller set them (false,
    // -1). Returns the list to draw from.
    virtual TLTImageList *DoGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column,
                                          bool &Ghosted, int &ImageIndex);
    virtual QMenu *DoGetPopupMenu(PLazyNode Node, TColumnIndex Column, const QPoint &Position);
    // Hint and tooltip texts of a node and column; the control's own hint by default.
    virtual QString GetNodeHint(PLazyNode Node, TColumnIndex Column,
                                TLTTooltipLineBreakStyle &LineBreakStyle);
    virtual QString GetNodeTooltip(PLazyNode Node, TColumnIndex Column,
                                   TLTTooltipLineBreakStyle &LineBreakStyle);

    // Deferred change notices.
    virtual void RecordChange(bool Structure, PLazyNode Node, TChangeReason Reason);
    virtual void NoteStructureChange(PLazyNode Node, TChangeReason Reason);
    virtual void NoteChange(PLazyNode Node);

    // --- What the model asks of the view, the selection and the position cache -----------
    void UpdateVerticalRange();
    void InvalidateTree();
    void SetRedraw(bool Redraw);
    virtual void Sort(PLazyNode Node, TColumnIndex Column, bool Ascending, bool DoInit);
    virtual void SortTree(TColumnIndex Column, bool Ascending, bool DoInit);
    TColumnIndex SortColumn() const { return FHeader->SortColumn(); }
    bool SortAscending() const { return FHeader->SortDirection() == TLTSortDirection::sdAscending; }
    void StopCacheValidation();
    void MarkCacheInvalid();
    virtual void RequestCacheValidation();
    // Runs on the worker thread; true when a cache was built.
    virtual bool BuildPositionCache();
    uint32_t PositionCacheSize() const;
    // Applies state changes of the worker on the GUI thread and waits until they are.
    void ChangeTreeStatesFromWorker(TLazyTreeStates Enter, TLazyTreeStates Leave);
    PLazyNode FindCacheEntryByPosition(uint32_t Y, uint32_t &Top) const;
    PLazyNode FindCacheEntryByNode(PLazyNode Node, uint32_t &Top) const;
    void showEvent(QShowEvent *Event) override;
    // --- Painting --------------------------------------------------------------------------
    void paintEvent(QPaintEvent *Event) override;
    // The content of a cell (the string tree draws its text); nothing in the base tree.
    virtual void PaintNodeContent(TLTPaintInfo &PaintInfo);
    // The line image of a row and the number of its selected ancestors.
    int LineImageAndSelectLevel(PLazyNode Node, TLTLineImage &LineImage);
    void NodeVerticalAlignment(PLazyNode Node, bool ShowImages, bool ShowStateImages, int &ButtonY,
                               int &VAlign);
    int CheckImageIndex(PLazyNode Node) const;
    void PaintTreeLines(TLTPaintInfo &PaintInfo, int VAlign, int IndentSize, const TLTLineImage &LineImage);
    void DrawLineImage(TLTPaintInfo &PaintInfo, int X, int Y, int H, int VAlign, TLTLineType LineType,
                       bool Reverse);
    void DrawLinePattern(TLTPaintInfo &PaintInfo, const QRect &R, TColor LineColor, TColor GapColor);
    void ButtonLookChanged();
    void DrawDottedHorzLine(TLTPaintInfo &PaintInfo, int Left, int Top, int Right, TColor LineColor);
    // The gaps take the selection colour with UseSelectedBkColor, else the background colour.
    void DrawDottedVertLine(TLTPaintInfo &PaintInfo, int Top, int Left, int Bottom, TColor LineColor,
                            bool UseSelectedBkColor = false);
    void PaintNodeButton(TCanvas &Canvas, PLazyNode Node, const TRect &CellRect, int ButtonX, int ButtonY,
                         TLTBiDiMode BidiMode);
    void PaintCheckImage(TCanvas &Canvas, const TLTImageInfo &ImageInfo, bool Selected);
    void PaintNodeImage(TLTPaintInfo &PaintInfo, int Slot);
    void QueryPaintImage(TLTPaintInfo &PaintInfo, TLTImageKind Kind, TLTImageList *DefaultImages, int Slot);
    // Offset moves R into the coordinates the background picture is laid out in.
    void EraseNodeBackground(TLTPaintInfo &PaintInfo, bool ShowBackground, TRect R, TPoint Offset);
    bool ShowsBackground(TLTInternalPaintOptions PaintOptions) const;
    // The background picture over R, tiled or (toStaticBackground) once at its offsets.
    void DrawBackground(QPainter &Painter, const TRect &R, TPoint Offset);
    void PaintDropMark(QPainter &Painter, const TRect &R);
    void PaintCellBackground(TLTPaintInfo &PaintInfo);
    // A selection rectangle filled and framed, its corners rounded by SelectionCurveRadius.
    void DrawSelectionRect(QPainter &Painter, const TRect &R, TColor Fill, TColor Border);
    // The column after the cell being painted; a descendant may span empty cells.
    virtual TColumnIndex NextPaintColumn(TLTPaintInfo &PaintInfo);
    // Column bands (or the background) below the last row, Height high from absolute Top.
    void PaintAreaBelow(TCanvas &Canvas, const TRect &Window, int Top, int Height, TColumnIndex FirstColumn,
                        TLTInternalPaintOptions PaintOptions, TPoint Offset);
    // The mouse selection band on a painter that maps absolute X and Y - Top, within Clip.
    // WindowShiftX is what a client X gains in the window being painted.
    void PaintSelectionRectangle(QPainter &Painter, int Top, const QRect &Clip, int WindowShiftX);
    // Fills a strip of the client with the column colours (the background without columns).
    void FillColumnStrips(QPainter &Painter, const QRect &Strip);
    virtual void DoBeforePaint(TCanvas &Canvas);
    virtual void DoAfterPaint(TCanvas &Canvas);
    // The selection colours as the focus decides them.
    TColor SelectionColor() const;
    TColor SelectionBorderColor() const;
    // --- Geometry --------------------------------------------------------------------------
    void ClassifyHitLeftToRight(THitInfo &HitInfo, int X, TLTAlignment Alignment, int ColumnWidth);
    void ClassifyHitRightToLeft(THitInfo &HitInfo, int X, TLTAlignment Alignment, int ColumnWidth);
    virtual bool IsCellEmpty(PLazyNode Node, TColumnIndex Column);
    virtual QPoint CellContentMargin(PLazyNode Node, TColumnIndex Column,
                                     TLTCellContentMarginType MarginType, TCanvas *Canvas = nullptr);
    // The widest node in the window, for the horizontal range of a tree without columns.
    int MaxVisibleNodeWidth();
    // Width of a node's content and of what follows it (the string tree's texts).
    virtual int NodeContentWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas);
    virtual int NodeExtraWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas);
    // Measures a node's height through OnMeasureItem once (with toVariableNodeHeight).
    virtual void MeasureItemHeight(TCanvas *Canvas, PLazyNode Node);
    // Fires OnBeforeCellPaint; with cpmGetContentMargin the handler may shrink ContentRect.
    virtual void DoBeforeCellPaint(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                   TLTCellPaintMode CellPaintMode, const TRect &CellRect,
                                   TRect &ContentRect);
    // The node's image of a kind in a column: its list and index, nullptr when it has none.
    TLTImageList *NodeImage(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, int &Index);
    // Size of the expand buttons.
    int ButtonWidth() const { return FButtonWidth; }
    int ButtonHeight() const { return FButtonHeight; }
    // --- Scrolling -------------------------------------------------------------------------
    // The only writer of the scroll offsets; true when one changed.
    bool ApplyScrollOffset(QPoint Value, TOffsetChangeParts Parts, const QRect *ClipRect = nullptr);
    void ShowTreeScrollBar(int Bar, bool Show);
    // Moves the pixels of the client area (Clip nil: all of it); the uncovered strips repaint.
    virtual void ScrollClientArea(int DX, int DY, const QRect *Clip);
    int ThumbTrackPosition(int Bar) const;
    virtual void DoScroll(int DeltaX, int DeltaY);
    // The offsets are the tree's own: the scroll area's scrolling is not used.
    void scrollContentsBy(int, int) override {}
    bool HorizontalBarAllowed() const;
    // After a column's width changed (NoColumn: after the header's stream block was read).
    virtual void NotifyColumnResized(TColumnIndex Column);
    // Ends an edit and tells assistive software that the names changed.
    virtual void MainColumnChanged();
    virtual void UpdateHeaderRect();
    // Frame style and client margins after a border setting changed.
    void ApplyBorder();
    // Repaints a part of the header, given in window coordinates.
    virtual void InvalidateHeaderArea(const QRect &R);
    void resizeEvent(QResizeEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void SetTreeTimer(int Id, int Interval);
    void KillTreeTimer(int Id);
    // The steps that follow the creation of the window; also what a re-creation runs.
    virtual void CreateWnd();
    void ApplyWindowTheme(const QString &Name);
    // The platform's theme changed (or the tree changed its own window theme).
    void ThemeChanged();
    void AutoScaleNodeHeight();
    // Calls Callback(Step, StepSize) in steps spread over Duration ms of the animation clock.
    void RunAnimation(int Steps, int Duration, const std::function<bool(int, int)> &Callback);
    // A tree timer expired.
    virtual void TimerExpired(int Id);


    // --- Selection and focus (lazytree_select.cpp) ----------------------------------------
    void AddNodesToSelection(const PLazyNode *Nodes, int Count, bool ForceInsert);
    bool MergeIntoSelection(PLazyNode *Nodes, int Count, bool ForceInsert);
    void MergeNodeIntoSelection(PLazyNode Node, bool ForceInsert);
    // Moves the unmarked entries to the front; -1 for an empty array, else their number.
    static int CompactNodeArray(std::vector<PLazyNode> &Array, int Count);
    bool LocateInSelection(PLazyNode Node, int &Index, int LowBound = -1, int HighBound = -1) const;
    virtual void MarkUnselected(PLazyNode Node);
    virtual void DiscardSelection();
    virtual void ResetSelection(bool Notify);
    void CompactSelection();
    void MoveAnchorToFocus();
    void NoteNextNodeToSelect(PLazyNode Node);
    void ClearTempNodeCache() { FTempNodeCache.clear(); }
    void AddToTempNodeCache(PLazyNode Node) { FTempNodeCache.push_back(Node); }
    virtual void SelectRange(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly = true);
    virtual void ToggleRange(PLazyNode StartNode, PLazyNode EndNode);
    virtual void UnselectRange(PLazyNode StartNode, PLazyNode EndNode);
    void ApplyClickSelection(PLazyNode LastFocused, PLazyNode NewNode, TLTShiftState Shift,
                             bool DragPending);
    virtual bool AskFocusChange(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn,
                                TColumnIndex NewColumn);
    virtual void MoveFocus(PLazyNode Node, bool Ask);
    virtual void NotifyFocusChanged(PLazyNode Node, TColumnIndex Column);
    virtual void FocusNodeAndColumn(PLazyNode Node, TColumnIndex Column);
    virtual void EnsureFocusedNode();
    virtual void NotifyCollapsed(PLazyNode Node);
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    // Stops the timers and leaves the states that need the focus or a held button.
    void ForgetPendingInput(bool LeaveButtons);

    // --- Keyboard (lazytree_keys.cpp) -------------------------------------------------------
    // The key messages: CharCode is a key code above; Char the typed character (0: none).
    virtual void KeyDown(int &CharCode, TLTShiftState Shift, QChar Char = QChar());
    virtual void KeyUp(int CharCode, TLTShiftState Shift);
    virtual void KeyChar(QChar Char);
    virtual bool AskKeyAction(int &CharCode, TLTShiftState &Shift);
    virtual void IncrementalSearchStep(QChar CharCode);
    // 0 when Node matches the search text.
    virtual int DoIncrementalSearch(PLazyNode Node, const QString &Text);
    void StopIncrementalSearch();
    void keyPressEvent(QKeyEvent *Event) override;
    void keyReleaseEvent(QKeyEvent *Event) override;
    bool focusNextPrevChild(bool Next) override;
    virtual void MessageBeep();
    virtual void ShowHelpContext(int Context);

    // --- In-place editing (lazytree_edit.cpp) ---------------------------------------------
    friend class TLTEdit;
    friend class TStringEditLink;
    virtual std::shared_ptr<ILTEditLink> DoCreateEditor(PLazyNode Node, TColumnIndex Column);
    virtual void StartEditing();
    virtual bool FinishEditing();
    virtual bool AbortEditing();
    virtual void FitEditorBounds();

    // --- Mouse (lazytree_mouse.cpp) ---------------------------------------------------------
    // The viewport's mouse, context-menu, enter and leave events come here first.
    bool viewportEvent(QEvent *Event) override;
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The context-menu request after a right-button release or from the keyboard.
    virtual void ContextPopup(QPoint P);
    // The button messages in client coordinates.
    virtual void ButtonDown(Qt::MouseButton Button, TLTShiftState Shift, QPoint P);
    virtual void ButtonUp(Qt::MouseButton Button, TLTShiftState Shift, QPoint P);
    virtual void ButtonDblClick(Qt::MouseButton Button, TLTShiftState Shift, QPoint P);
    virtual void MouseMove(TLTShiftState Shift, int X, int Y);
    virtual void ProcessMouseDown(Qt::MouseButton Button, TLTShiftState Shift, QPoint P,
                                  THitInfo &HitInfo);
    virtual void ProcessMouseUp(Qt::MouseButton Button, TLTShiftState Shift, QPoint P,
                                THitInfo &HitInfo);
    virtual void ProcessMouseDblClick(Qt::MouseButton Button, TLTShiftState Shift, QPoint P,
                                      THitInfo &HitInfo);
    virtual void HotTrack(int X, int Y);
    virtual void ShowNodePopup(PLazyNode Node, TColumnIndex Column, QPoint Position);
    virtual bool HasPopupFor(PLazyNode Node, TColumnIndex Column, QPoint Position);
    bool CanResizeNodeAt(QPoint Position, PLazyNode Node, TColumnIndex Column);
    // Shows a node's check box pressed until the release commits it; true when pressed.
    bool PressCheckBox(PLazyNode Node, Qt::MouseButton Button);
    // The cursor the tree shows at a client point.
    virtual Qt::CursorShape CursorAt(QPoint P);
    virtual void CancelMode();
    virtual void BeginDrag(bool Immediately, int Threshold);
    virtual bool DoDragAllowed(PLazyNode Node, TColumnIndex Column);
    static TLTShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = {});

    // --- Wheel, panning and automatic scrolling (lazytree_wheel.cpp) ------------------------
    void wheelEvent(QWheelEvent *Event) override;
    // Delta in 120ths of a notch; Lines per notch, 0 or below for one page.
    virtual void MouseWheel(int WheelDelta, TLTShiftState Shift, int Lines);
    virtual void StartPanning(QPoint Position);
    virtual void StopPanning();
    virtual void UpdatePanningCursor(int X, int Y);
    bool AutoScrollAllowed();
    TLTScrollDirections ScrollDirectionsAt(int X, int Y);
    void ArmAutoScroll(int X, int Y);
    virtual void AutoScrollStep();
    // The timers of input, scrolling and searching; false for another id.
    virtual bool InputTimerExpired(int Id);
    // The screen position of the mouse (a test stands in for the pointer).
    virtual QPoint GlobalCursorPos() const;
    int64_t TickCount() const;
    bool IsDropTarget() const;

    // --- Rubber band (lazytree_rubber.cpp) --------------------------------------------------
    virtual bool CalculateSelRect(int X, int Y);
    bool UpdateRubberBand();
    bool SweepBandLeftToRight(TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                              const TRect &OldRect, TLTAlignment Alignment, int MaxRight);
    bool SweepBandRightToLeft(TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                              const TRect &OldRect, TLTAlignment Alignment, int MaxRight);
    bool SweepBand(bool LeftToRight, TColumnIndex Index, int MainColumnLeft, const TRect &NewRect,
                   const TRect &OldRect, TLTAlignment Alignment, int MaxRight, bool RowTest);
    // The first rubber-band move: starts the band beyond the drag threshold.
    void StartRubberBand(int X, int Y);
    void MoveRubberBand(int X, int Y);
    // Draws the band (client coordinates) blended with the selection colours.
    virtual void DrawRubberBand(QPainter &Painter);

private:
    friend class TCustomLazyTreeOptions;
    friend class TLazyTreeColumn;
    friend class TLazyTreeColumns;
    friend class TLTHeader;
    friend class TLTColors;
    friend class THeaderBandPainter;

    void CreateRootNode(size_t OldSize);
    void ConnectScrollBars();
    size_t NodeBlockSize() const;
    size_t UserDataSpan() const;
    void FreeNodeBlock(PLazyNode Node);
    void ResolveNodeDataSize();
    void AssertRoomForPointer();
    void StoreInitialData(PLazyNode Node, void *UserData);
    void AnnounceStructureChange(PLazyNode Node, TChangeReason Reason);
    // Walking helpers.
    bool ChildrenAbove(bool CCA) const;
    void EnsureInitialized(PLazyNode Node);
    PLazyNode EnterChildren(PLazyNode Node);
    template <typename Pred>
    PLazyNode FindForward(PLazyNode Node, bool CCA, Pred Match);
    template <typename Pred>
    PLazyNode FindBackward(PLazyNode Node, bool CCA, Pred Match);
    bool ShownChild(PLazyNode Node, bool IncludeFiltered) const;
    PLazyNode DisplayStep(PLazyNode Node, bool Forward, bool Above, bool Descend, bool DoInit);
    PLazyNode VisibleWalkStart(PLazyNode Node, bool &Descend) const;
    PLazyNode VisibleWalk(PLazyNode Node, bool Forward, bool CCA, bool DoInit);
    PLazyNode FirstVisibleFrom(PLazyNode Node, bool CCA, bool IncludeFiltered, bool DoInit);
    void ForgetNode(PLazyNode Node);
    friend class TWorkerThread;
    friend void ReleaseWorkerReference(TBaseLazyTree *Tree);
    // Calls of the worker waiting to run on the GUI thread.
    struct TWorkerCall
    {
        std::function<void()> Run;
        bool Done = false;
    };
    void QueueWorkerCall(const std::function<void()> &Run);
    // Runs the waiting calls of the worker (GUI thread).
    void ServiceWorkerCalls();
    uint32_t WorkerNodeHeight(PLazyNode Node);
    void AssertMainThread() const;

    PLazyNode FRoot = nullptr;
    size_t FRootSize = 0;
    int FNodeDataSize = -1;
    uint32_t FTotalInternalDataSize = 0;
    uint32_t FDefaultNodeHeight = 18;
    uint32_t FVisibleCount = 0;
    uint32_t FIndent = 18;
    std::unique_ptr<TCustomLazyTreeOptions> FOptions;
    uint32_t FUpdateCount = 0;
    uint32_t FSynchUpdateCount = 0;
    TLazyTreeStates FStates;
    PLazyNode FLastSelected = nullptr;
    PLazyNode FFocusedNode = nullptr;
    TColumnIndex FFocusedColumn = NoColumn;
    TChangeReason FLastStructureChangeReason = TChangeReason::crIgnore;
    PLazyNode FLastStructureChangeNode = nullptr;
    PLazyNode FLastChangedNode = nullptr;
    PLazyNode FCurrentHotNode = nullptr;
    PLazyNode FDropTargetNode = nullptr;
    TLTDropMode FLastDropMode = TLTDropMode::dmNowhere;
    PLazyNode FRangeAnchor = nullptr;
    PLazyNode FCheckNode = nullptr;
    uint32_t FCheckPropagationCount = 0;
    PLazyNode FLastVCLDragTarget = nullptr;
    PLazyNode FLastSearchNode = nullptr;
    PLazyNode FNextNodeToSelect = nullptr;
    THintAnimationType FAnimationType = THintAnimationType::hatSystemDefault;
    uint32_t FChangeDelay = 0;
    uint32_t FEditDelay = 1000;
    std::vector<PLazyNode> FSelection;
    int FMargin = 4;
    int FTextMargin = 4;
    uint32_t FAnimationDuration = 200;
    TLTNodeAlignment FNodeAlignment = TLTNodeAlignment::naProportional;
    TLTButtonStyle FButtonStyle = TLTButtonStyle::bsRectangle;
    TLTButtonFillMode FButtonFillMode = TLTButtonFillMode::fmTreeColor;
    TLTLineStyle FLineStyle = TLTLineStyle::lsDotted;
    TCheckImageKind FCheckImageKind = TCheckImageKind::ckSystemDefault;
    uint8_t FSelectionBlendFactor = 128;
    TLTDrawSelectionMode FDrawSelectionMode = TLTDrawSelectionMode::smDottedRectangle;
    TLTBorderStyle FBorderStyle = TLTBorderStyle::bsSingle;
    bool FCtl3D = true;
    TLTBevelKind FBevelKind = TLTBevelKind::bkNone;
    TLTBevelCut FBevelInner = TLTBevelCut::bvRaised;
    TLTBevelCut FBevelOuter = TLTBevelCut::bvLowered;
    uint8_t FBevelEdges = beLeft | beTop | beRight | beBottom;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    uint32_t FSelectionCurveRadius = 0;
    QImage FBackground;
    QPixmap FBackgroundPixmap;   // made from FBackground at its first paint
    int FBackgroundOffsetX = 0, FBackgroundOffsetY = 0;
    TLTDragImageKind FDragImageKind = TLTDragImageKind::diComplete;
    TDragOperations FDragOperations{TDragOperation::doCopy, TDragOperation::doMove};
    TLTDragType FDragType = TLTDragType::dtOLE;
    int FDragWidth = 200;
    int FDragHeight = 350;
    uint32_t FAutoScrollInterval = 1;
    uint32_t FAutoScrollDelay = 1000;
    uint32_t FAutoExpandDelay = 1000;
    int FOffsetX = 0;
    int FOffsetY = 0;
    uint32_t FRangeY = 0;
    uint32_t FRangeX = 0;
    int FEffectiveOffsetX = 0;
    TLTBiDiMode FBiDiMode = TLTBiDiMode::bdLeftToRight;
    TColor FColor = clWindow;
    QRect FHeaderRect;
    std::unique_ptr<TLTHeader> FHeader;
    uint32_t FBottomSpace = 0;
    TLTNodeAttachMode FDefaultPasteMode = TLTNodeAttachMode::amAddChildLast;
    TLTIncrementalSearch FIncrementalSearch = TLTIncrementalSearch::isNone;
    uint32_t FSearchTimeout = 1000;
    QString FSearchBuffer;
    TLTSearchStart FSearchStart = TLTSearchStart::ssFocusedNode;
    uint32_t FOperationCount = 0;
    bool FOperationCanceled = false;
    bool FLoading = false;
    bool FDestroying = false;
    // Node stream reading: the end of the enclosing chunk and the nesting depth.
    int ReadStreamSignature(QIODevice &Stream, bool Adding);
    void ReadStreamNodes(QIODevice &Stream, int Version, PLazyNode Target, TLTNodeAttachMode Mode,
                         bool Loading);
    void FillNodeFromStream(QIODevice &Stream, int Version, PLazyNode Node);
    void MoveAcrossTrees(PLazyNode Source, PLazyNode Target, TBaseLazyTree &TargetTree,
                         TLTNodeAttachMode Mode, bool ChildrenOnly);
    void SortLevels(PLazyNode Node, TColumnIndex Column, bool Ascending, bool DoInit);
    // The tree of a move's or copy's target, nil made the root (first child) and the root's
    // sibling modes made child modes.
    TBaseLazyTree &ResolveTarget(PLazyNode &Target, TLTNodeAttachMode &Mode);
    // Initialises the target, or asks for its children, before nodes are linked below it.
    void ReadyTarget(PLazyNode Target);
    qint64 FChunkLimit = 0;
    int FChunkDepth = 0;
    mutable std::shared_ptr<TClipboardFormats> FClipboardFormats;
    std::array<QTimer *, 8> FTimers{};
    std::vector<TCacheEntry> FPositionCache;
    uint32_t FStartIndex = 0;
    uint32_t FLastLookupSteps = 0;
    std::atomic<bool> FStopValidationFlag{false};
    std::atomic<bool> FWindowExists{false};
    std::mutex FWorkerCallLock;
    std::deque<TWorkerCall *> FWorkerCalls;
    std::condition_variable FWorkerCallDone;
    TLTImageList *FImages = nullptr;
    TLTImageList *FStateImages = nullptr;
    TLTImageList *FCustomCheckImages = nullptr;
    TLTAlignment FAlignment = TLTAlignment::taLeftJustify;
    int FButtonWidth = 9;
    int FButtonHeight = 9;
    std::unique_ptr<TScrollBarOptions> FScrollBarOptions;
    std::unique_ptr<TLTColors> FColors;
    QString FEmptyListMessage;
    TLTLineMode FLineMode = TLTLineMode::lmNormal;
    QImage FPlusBM, FMinusBM;
    QImage FHotPlusBM, FHotMinusBM, FSelectedHotPlusBM, FSelectedHotMinusBM;
    QBitmap FLinePattern;   // 8 x 8, set bits drawn in the line colour
    QImage *FPaintImage = nullptr;   // the row buffer while a row is painted
    bool FPrintingClient = false;    // PrintWindow is rendering the tree
    bool FFillingStrips = false;     // a toggle slides the rows: paints fill with the columns' colours
    bool FChangingTheme = false;
    std::function<int64_t()> FAnimationClock;
    // Input, selection and focus.
    bool FSelectionLocked = false;
    int FLastSelectionLevel = -1;
    std::vector<PLazyNode> FTempNodeCache;
    bool FWantTabs = false;
    TLTSearchDirection FSearchDirection = TLTSearchDirection::sdForward;
    TCheckState FPendingCheckState = TCheckState::csUncheckedNormal;
    TColumnIndex FEditColumn = NoColumn;
    int FHelpContext = 0;
    QPoint FLastClickPos;
    TColumnIndex FCurrentHotColumn = NoColumn;
    bool FHotNodeButtonHit = false;
    Qt::CursorShape FHotCursor = Qt::ArrowCursor;
    QMenu *FPopupMenu = nullptr;
    TLTDragMode FDragMode = TLTDragMode::dmManual;
    PLazyNode FHeightTrackNode = nullptr;
    TColumnIndex FHeightTrackColumn = NoColumn;
    QPoint FHeightTrackPoint;
    TLTShiftState FDrawSelShiftState;
    TRect FNewSelRect, FLastSelRect;
    TLTScrollDirections FScrollDirections;
    int64_t FDragScrollStart = 0;
    QWidget *FPanningWindow = nullptr;
    Qt::CursorShape FPanningCursorShape = Qt::ArrowCursor;
    QString FPanningCursorName;
    std::function<int64_t()> FTickClock;
    std::shared_ptr<ILTEditLink> FEditLink;
};
