#include "grid/string/stringgridsettings.h"

#include "grid/base/griddragdrop.h"

#include <QWidget>

// --- TColumnSize -------------------------------------------------------------------------

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    if (FOwner && FOwner->parentWidget() && OnStretch)
        OnStretch(this);
}

void TColumnSize::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TColumnSize *>(Source);
    if (!src)
        return;
    FRows = src->FRows;
    FSave = src->FSave;
    FKey = src->FKey;
    FSection = src->FSection;
    FStretch = src->FStretch;
    FStretchColumn = src->FStretchColumn;
    FSynchWithGrid = src->FSynchWithGrid;
    FSynchNormalCellsOnly = src->FSynchNormalCellsOnly;
    FLocation = src->FLocation;
}

// --- THTMLSettings -----------------------------------------------------------------------

void THTMLSettings::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const THTMLSettings *>(Source);
    if (!src)
        return;
    FBorderSize = src->FBorderSize;
    FCellSpacing = src->FCellSpacing;
    FCellPadding = src->FCellPadding;
    FSaveColor = src->FSaveColor;
    FSaveFonts = src->FSaveFonts;
    FFooterFile = src->FFooterFile;
    FHeaderFile = src->FHeaderFile;
    FTableStyle = src->FTableStyle;
    FPrefixTag = src->FPrefixTag;
    FSuffixTag = src->FSuffixTag;
    FSummary = src->FSummary;
    FWidth = src->FWidth;
    FXHTML = src->FXHTML;
    FConvertSpecialChars = src->FConvertSpecialChars;
    FAutoPreview = src->FAutoPreview;
    FNonBreakingText = src->FNonBreakingText;
}

// --- TPrintSettings ----------------------------------------------------------------------

void TPrintSettings::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TPrintSettings *>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FFooterSize = src->FFooterSize;
    FHeaderSize = src->FHeaderSize;
    FTime = src->FTime;
    FDate = src->FDate;
    FDateFormat = src->FDateFormat;
    FPageNr = src->FPageNr;
    FTitle = src->FTitle;
    FTitleText = src->FTitleText;
    FTitleLines.Assign(&src->FTitleLines);
    FFont.Assign(&src->FFont);
    FHeaderFont.Assign(&src->FHeaderFont);
    FFooterFont.Assign(&src->FFooterFont);
    FFixedFont.Assign(&src->FFixedFont);
    FBorders = src->FBorders;
    FBorderStyle = src->FBorderStyle;
    FCentered = src->FCentered;
    FRepeatFixedRows = src->FRepeatFixedRows;
    FRepeatFixedCols = src->FRepeatFixedCols;
    FLeftSize = src->FLeftSize;
    FRightSize = src->FRightSize;
    FColumnSpacing = src->FColumnSpacing;
    FRowSpacing = src->FRowSpacing;
    FTitleSpacing = src->FTitleSpacing;
    FOrientation = src->FOrientation;
    FPagePrefix = src->FPagePrefix;
    FPageSuffix = src->FPageSuffix;
    FPageNumberOffset = src->FPageNumberOffset;
    FMaxPagesOffset = src->FMaxPagesOffset;
    FFixedWidth = src->FFixedWidth;
    FFixedHeight = src->FFixedHeight;
    FUseFixedHeight = src->FUseFixedHeight;
    FUseFixedWidth = src->FUseFixedWidth;
    FFitToPage = src->FFitToPage;
    FJobName = src->FJobName;
    FPageNumSep = src->FPageNumSep;
    FNoAutoSize = src->FNoAutoSize;
    FNoAutoSizeRow = src->FNoAutoSizeRow;
    FPrintGraphics = src->FPrintGraphics;
    FUseDisplayFont = src->FUseDisplayFont;
    FUseDefaultOrientation = src->FUseDefaultOrientation;
    FBorderColor = src->FBorderColor;
}

// --- TCellNode ---------------------------------------------------------------------------

template <class T>
void TCellNode::Change(T &Field, const T &Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange(this);
}

void TCellNode::SetNodeType(TNodeType Value) { Change(FNodeType, Value); }
void TCellNode::SetShowTree(bool Value) { Change(FShowTree, Value); }
void TCellNode::SetShowTreeFull(bool Value) { Change(FShowTreeFull, Value); }
void TCellNode::SetNodeIndent(int Value) { Change(FNodeIndent, Value); }
void TCellNode::SetTreeColor(TColor Value) { Change(FTreeColor, Value); }

void TCellNode::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TCellNode *>(Source);
    if (!src)
        return;
    FColor = src->FColor;
    FExpandOne = src->FExpandOne;
    FNodeType = src->FNodeType;
    FNodeColor = src->FNodeColor;
    FNodeIndent = src->FNodeIndent;
    FExpandGlyph.Assign(&src->FExpandGlyph);
    FContractGlyph.Assign(&src->FContractGlyph);
    FShowTree = src->FShowTree;
    FShowTreeFull = src->FShowTreeFull;
    FTreeColor = src->FTreeColor;
}

// --- TGrouping ---------------------------------------------------------------------------

void TGrouping::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TGrouping *>(Source);
    if (!src)
        return;
    FGroupCountFormat = src->FGroupCountFormat;
    FHeaderColor = src->FHeaderColor;
    FHeaderColorTo = src->FHeaderColorTo;
    FHeaderTextColor = src->FHeaderTextColor;
    FHeaderUnderline = src->FHeaderUnderline;
    FMergeHeader = src->FMergeHeader;
    FMergeSummary = src->FMergeSummary;
    FShowGroupCount = src->FShowGroupCount;
    FSummaryColor = src->FSummaryColor;
    FSummaryColorTo = src->FSummaryColorTo;
    FSummaryTextColor = src->FSummaryTextColor;
    FSummaryLine = src->FSummaryLine;
    FAutoCheckGroup = src->FAutoCheckGroup;
    FAutoSelectGroup = src->FAutoSelectGroup;
}

// --- TDragDropSettings -------------------------------------------------------------------

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    SetRTFDragDrop(Value);
    FOleDropRTF = Value;
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (OnDropTargetChange)
        OnDropTargetChange(this);
}

void TDragDropSettings::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TDragDropSettings *>(Source);
    if (!src)
        return;
    FShowCells = src->FShowCells;
    FOleAcceptFiles = src->FOleAcceptFiles;
    FOleAcceptText = src->FOleAcceptText;
    FOleAcceptURLs = src->FOleAcceptURLs;
    FOleAppendRows = src->FOleAppendRows;
    FOleColumnDragDrop = src->FOleColumnDragDrop;
    FOleColumnReorder = src->FOleColumnReorder;
    FOleColumnsOnly = src->FOleColumnsOnly;
    FOleCopyAlways = src->FOleCopyAlways;
    FOleDropSource = src->FOleDropSource;
    FOleEntireRows = src->FOleEntireRows;
    FOleInsertRows = src->FOleInsertRows;
    FOleRemoveRows = src->FOleRemoveRows;
    SetOleDropRTF(src->FOleDropRTF);
    SetOleDropTarget(src->FOleDropTarget);
}

// --- TBalloonSettings --------------------------------------------------------------------

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TBalloonSettings::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TBalloonSettings *>(Source);
    if (!src)
        return;
    FTextColor = src->FTextColor;
    FBackgroundColor = src->FBackgroundColor;
    FInitialDelay = src->FInitialDelay;
    FAutoHideDelay = src->FAutoHideDelay;
    FReshowDelay = src->FReshowDelay;
    SetEnable(src->FEnable);
}

// --- TShowModified -----------------------------------------------------------------------

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange)
        OnChange(this);
}

void TShowModified::Assign(const TPersistent *Source)
{
    const auto *src = dynamic_cast<const TShowModified *>(Source);
    if (!src)
        return;
    FEnabled = src->FEnabled;
    SetColor(src->FColor);
}
