// TDazStringGrid: construction, loading, copying, destruction and the window-level
// overrides.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/base/griddragdrop.h"
#include "grid/base/imagelist.h"
#include "grid/base/picture.h"
#include "grid/string/cellchecker.h"
#include "grid/string/griddatatools.h"
#include "grid/string/footerpanel.h"
#include "grid/string/htmlhintwindow.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>

namespace {

QPointer<TDazStringGrid> g_FocusWindowGrid;
IGridDataTools *g_DataTools = nullptr;

} // namespace

TDazStringGrid *FocusWindowGrid()
{
    return g_FocusWindowGrid.data();
}

void SetFocusWindowGrid(TDazStringGrid *Grid)
{
    g_FocusWindowGrid = Grid;
}

IGridDataTools *GridDataTools()
{
    return g_DataTools;
}

void SetGridDataTools(IGridDataTools *Tools)
{
    g_DataTools = Tools;
}

void TDazStringGrid::SaveColPositions()
{
    if (g_DataTools)
        g_DataTools->SaveColPositions(*this);
}

void TDazStringGrid::LoadColPositions()
{
    if (g_DataTools)
        g_DataTools->LoadColPositions(*this);
}

// ---------------------------------------------------------------------------------------
// Construction and destruction
// ---------------------------------------------------------------------------------------

TDazStringGrid::TDazStringGrid(QWidget *AOwner) : TBaseGrid(AOwner)
{
    WireSettings();
    FControlLook.Init();
    FFixedFont.SetName(QStringLiteral("Tahoma"));
    FFixedFont.SetStyle(fsBold);
    FActiveCellFont.SetStyle(fsBold);
    FFilterList.SetDuplicates(dupIgnore);
    FFilterList.SetSorted(true);

    SetRowCount(10);
    resize(400, 250);
    SetDefaultRowHeight(22);
    FFixedRowHeight = 22;
    SetScrollBars(ssBoth);
    FScrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    FQVRGradientTo = ColorToRGB(clBtnFace);
    TBaseGrid::SetWordWrap(true);
    FShowSel = true;
    FRequestedFixedRows = TBaseGrid::FixedRows();
    FRequestedFixedCols = TBaseGrid::FixedCols();
    FMaxColCount = std::max(FMaxColCount, ColCount());
    FCreatedTopLeft = {LeftCol(), TopRow()};
    FOldRowSel = Row();
    if (AOwner && AOwner->isWindow())
        WatchForm(AOwner);
}

void TDazStringGrid::WireSettings()
{
    const TNotifyEvent repaint = [this](TObject *) { Invalidate(); };
    FNavigation.OnChange = [this](TObject *) { NavigationChanged(); };
    FMouseActions.OnChange = [this](TObject *) { MouseActionsChanged(); };
    FMouseActions.OnIsDesigning = [](TObject *, bool &IsDesigning) { IsDesigning = false; };
    FMouseActions.OnInvalidate = repaint;
    FBands.OnChange = repaint;
    FFixedFont.OnChange = repaint;
    FActiveCellFont.OnChange = repaint;
    FProgressAppearance.OnChange = repaint;
    FFilterDropDown.OnChange = repaint;
    FCellNode.OnChange = repaint;
    FBackGround.OnChange = repaint;
    FSortSettings.OnChange = repaint;
    FSortSettings.OnHeaderChange = [this](TObject *) {
        if (FixedRows() > 0)
            InvalidateRow(FixedRows() - 1);
    };
    FFilter.OnColumnChange = [this](int ACol) { RepaintRealCell(ACol, 0); };
    FSearchFooter.OnChange = [this](TObject *) { SearchFooterChanged(); };
    FShowModified.OnChange = [this](TObject *) { InvalidateCol(0); };
    FColumnHeaders.OnChange = [this](TObject *) {
        ColumnHeadersChanged();
        ShowColumnHeaders();
    };
    FRowHeaders.OnChange = [this](TObject *) { ShowRowHeaders(); };
    FMergedColumns.OnChange = [this](TObject *, int, int) { MergedColumnsChanged(); };
    FColumnSize.OnStretch = [this](TObject *) { StretchOnSizeChange(); };
    FDragDropSettings.OnDropTargetChange = [this](TObject *) { ApplyDropTarget(); };
    FBalloon.OnEnableChange = [this](TObject *) {
        if (FLoading)
            return;
        if (FBalloon.Enable())
            BalloonInit();
        else
            BalloonDone();
    };
}

TDazStringGrid::~TDazStringGrid()
{
    if (g_FocusWindowGrid == this)
        g_FocusWindowGrid = nullptr;
    if (FColumnSize.Save() && g_DataTools)
        g_DataTools->SaveColSizes(*this);
    FClearTextOnly = false;
    FSaveHiddenCells = false;
    // The records of hidden rows are the grid's too; those in the grid itself, also beyond
    // the current counts, go with the base grid.
    for (int i = 0; i < FHiddenRows.Count(); ++i) {
        TStringList &cells = FHiddenRows.Item(i)->Items();
        for (int c = 0; c < cells.Count(); ++c) {
            if (auto *p = dynamic_cast<TCellProperties *>(cells.Objects(c))) {
                TObject *g = p->GraphicObject();
                if (g && g->ClassName() == QLatin1String("TCellGraphic"))
                    delete g;
                delete p;
            }
            cells.SetObjects(c, nullptr);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Loading and copying
// ---------------------------------------------------------------------------------------

namespace {

// Adds the grid to (or takes it off) the windows the shared theme notifier tells of office
// colour scheme changes; a grid destroyed while on the list drops off by itself.
void WatchOfficeTheme(TDazStringGrid *Grid, bool Watch)
{
    if (TThemeNotifier *notifier = GetThemeNotifier(Grid)) {
        if (Watch)
            notifier->RegisterWindow(Grid);
        else
            notifier->UnRegisterWindow(Grid);
    }
}

}   // namespace

void TDazStringGrid::Loaded()
{
    FLoading = false;
    FLoadedCursor = cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    // The accept switches are plain settings: a drop target made while loading takes the
    // values they ended with.
    if (FDropTarget) {
        FDropTarget->AcceptText = FDragDropSettings.OleAcceptText();
        FDropTarget->AcceptFiles = FDragDropSettings.OleAcceptFiles();
        FDropTarget->AcceptURLs = FDragDropSettings.OleAcceptURLs();
    }
    // The look's colours are left out while loading; the suite look is applied now in full.
    if (FLook == glQVR) {
        FLook = glCustom;
        SetLook(glQVR);
    }
    if (FAutoSize && OnAutoSizeColumns)
        OnAutoSizeColumns(this, 4);
    else if (FAutoSize)
        AutoSizeColumns(false, 4);
    if (FColumnSize.Save() && g_DataTools)
        g_DataTools->LoadColSizes(*this);
    FRequestedFixedRows = TBaseGrid::FixedRows();
    FRequestedFixedCols = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation.SetAlwaysEdit(true);
        SetOptions(Options() - goAlwaysShowEditor);
    }
    FSearchFooter.SetAutoThemeAdapt(FAutoThemeAdapt);
    SearchFooterChanged();
    UpdateScrollBarsAlways(false);
    if (FAutoThemeAdapt) {
        ApplyOfficeTheme();
        WatchOfficeTheme(this, true);
    }
    InitOrigColSizes();
    // The balloon switch set while loading started nothing.
    if (FBalloon.Enable())
        BalloonInit();
    ApplyStyleColors();
}

void TDazStringGrid::Assign(const TObject *Source)
{
    const auto *src = dynamic_cast<const TDazStringGrid *>(Source);
    if (!src)
        return;
    Font().Assign(&src->Font());
    FActiveCellColor = src->FActiveCellColor;
    FActiveCellColorTo = src->FActiveCellColorTo;
    FActiveCellFont.Assign(&src->FActiveCellFont);
    FActiveCellShow = src->FActiveCellShow;
    SetActiveRowShow(src->ActiveRowShow());
    FFilterDropDown.Assign(&src->FFilterDropDown);
    FAnchorHint = src->FAnchorHint;
    FAutoNumAlign = src->FAutoNumAlign;
    FAutoSize = src->FAutoSize;
    FAutoThemeAdapt = src->FAutoThemeAdapt;
    FAutoFilterUpdate = src->FAutoFilterUpdate;
    FMouseActions.Assign(&src->FMouseActions);
    FNavigation.Assign(&src->FNavigation);
    FGrouping.Assign(&src->FGrouping);
    FSearchFooter.Assign(&src->FSearchFooter);
    FPrintSettings.Assign(&src->FPrintSettings);
    FFilter.Assign(&src->FFilter);
    FHTMLSettings.Assign(&src->FHTMLSettings);
    FBands.Assign(&src->FBands);
    FCellNode.Assign(&src->FCellNode);
    FSortSettings.Assign(&src->FSortSettings);
    FDragScrollOptions.Assign(&src->FDragScrollOptions);
    FDragDropSettings.Assign(&src->FDragDropSettings);
    FProgressAppearance.Assign(&src->FProgressAppearance);
    FColumnSize.Assign(&src->FColumnSize);
    FSyncGrid.Assign(&src->FSyncGrid);
    FFocusHelper.Assign(&src->FFocusHelper);
    FFixedRowAlways = src->FFixedRowAlways;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->TBaseGrid::FixedRows());
    SetFixedCols(src->TBaseGrid::FixedCols());
    TBaseGrid::SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    SetFixedRowHeight(src->FFixedRowHeight);
    SetFixedColWidth(src->FixedColWidth());
    FInvalidEntryTitle = src->FInvalidEntryTitle;
    FInvalidEntryIcon = src->FInvalidEntryIcon;
    FInvalidEntryText = src->FInvalidEntryText;
    SetOptions(src->Options());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src->ColWidths(c));
    SetColumnHeaders(src->FColumnHeaders);
    for (int r = 0; r < RowCount(); ++r)
        SetRowHeights(r, src->RowHeights(r));
    FScrollProportional = src->FScrollProportional;
    FScrollSynch = src->FScrollSynch;
    FScrollHints = src->FScrollHints;
    FScrollBarAlways = src->FScrollBarAlways;
    SetScrollBars(src->ScrollBars());
    FScrollColor = src->FScrollColor;
    SetScrollType(src->FScrollType);   // the thin scroll bars come and go with it
    FScrollWidth = src->FScrollWidth;
    AssignCells(Source);
}

void TDazStringGrid::AssignCells(const TObject *Source)
{
    auto *src = const_cast<TDazStringGrid *>(dynamic_cast<const TDazStringGrid *>(Source));
    if (!src || src == this)
        return;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, src->ColWidths(c));
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < src->AllColCount(); ++c)
            SetGridCell(c, r, src->GetGridCell(c, r));
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------------------

void TDazStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    InvalidateGrid();
    // The footer panel is a window of its own; its values follow the cells.
    if (!FLoading && FFloatingFooter.Visible() && FFooterPanel)
        FFooterPanel->update();
}

void TDazStringGrid::showEvent(QShowEvent *e)
{
    TBaseGrid::showEvent(e);
    if (!FWindowCreated) {
        FWindowCreated = true;
        CreateWnd();
    }
}

void TDazStringGrid::CreateWnd()
{
    if (FColumnSize.Save() && g_DataTools)
        g_DataTools->LoadColSizes(*this);
    const int lines = QApplication::wheelScrollLines();
    FWheelScrollLines = lines < 0 ? VisibleRowCount() : lines;
    if (FBalloon.Enable())
        BalloonInit();
    StartGridTimer();
}

void TDazStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (OnResize)
        OnResize(this);
    if ((FBackGround.Display() == bdGradientHorz || FBackGround.Display() == bdGradientVert) &&
        FBackGround.ColorTo() != clNone)
        Invalidate();
    UpdateScrollBarsAlways(false);
    // Cells that come into view or leave it take their controls along.
    CellControlsUpdate(false);
}

void TDazStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int h = DefaultRowHeight();
    if (FIntegralHeight && !FUpdateLock.Locked() && h > 0) {
        const bool allColsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
        const int s = allColsFit ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int b = FBorderStyle == bsSingle ? 2 : 0;
        AHeight = s + 2 * b + h * ((AHeight - s - b) / h);
    }
    setGeometry(ALeft, ATop, AWidth, AHeight);
}

void TDazStringGrid::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    update();
}

void TDazStringGrid::UpdateScrollBarsAlways(bool HideUnneeded)
{
    const bool allRows = VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount();
    const bool allCols = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
    const bool vAllowed = ScrollBars() == ssVertical || ScrollBars() == ssBoth;
    const bool hAllowed = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
    const auto apply = [](QScrollBar *bar, bool allFit, bool keep, bool allowed,
                          const std::function<void(Qt::ScrollBarPolicy)> &setPolicy) {
        if (!allowed)
            return;
        if (allFit)
            setPolicy(keep ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        else
            setPolicy(Qt::ScrollBarAsNeeded);
        bar->setEnabled(!allFit);
    };
    const auto vPolicy = [this](Qt::ScrollBarPolicy p) { setVerticalScrollBarPolicy(p); };
    const auto hPolicy = [this](Qt::ScrollBarPolicy p) { setHorizontalScrollBarPolicy(p); };
    if (FScrollBarAlways != saNone) {
        apply(verticalScrollBar(), allRows, FScrollBarAlways == saVert || FScrollBarAlways == saBoth,
              vAllowed, vPolicy);
        apply(horizontalScrollBar(), allCols,
              FScrollBarAlways == saHorz || FScrollBarAlways == saBoth, hAllowed, hPolicy);
    } else if (HideUnneeded) {
        apply(verticalScrollBar(), allRows, false, vAllowed, vPolicy);
        apply(horizontalScrollBar(), allCols, false, hAllowed, hPolicy);
    }
}

void TDazStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    UpdateScrollBarsAlways(false);
}

// ---------------------------------------------------------------------------------------
// Settings objects and minor properties
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetDragScrollOptions(const TDragScrollOptions &Value)
{
    FDragScrollOptions.Assign(&Value);
}

void TDazStringGrid::SetBackGround(const TBackGround &Value)
{
    FBackGround.Assign(&Value);
    Invalidate();
}

void TDazStringGrid::SetProgressAppearance(const TGridProgressAppearance &Value)
{
    FProgressAppearance.Assign(&Value);
}

void TDazStringGrid::SetRowIndicator(const TBitmap &Value)
{
    FRowIndicator.Assign(&Value);
    RepaintCell(0, Row());
}

void TDazStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value)
        return;
    FHighlightColor = Value;
    SetHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TDazStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighlightTextColor == Value)
        return;
    FHighlightTextColor = Value;
    SetHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TDazStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (FAutoThemeAdapt == Value)
        return;
    FAutoThemeAdapt = Value;
    FSearchFooter.SetAutoThemeAdapt(Value);
    if (Value) {
        ApplyOfficeTheme();
        Invalidate();
    }
    if (!FLoading)
        WatchOfficeTheme(this, Value);
}

void TDazStringGrid::SetXYOffset(TPoint Value)
{
    FXYOffset = Value;
    Invalidate();
}

void TDazStringGrid::RegisterNotifier(TGridChangeNotifier *Item)
{
    if (Item && std::find(FNotifiers.begin(), FNotifiers.end(), Item) == FNotifiers.end())
        FNotifiers.push_back(Item);
}

void TDazStringGrid::UnRegisterNotifier(TGridChangeNotifier *ANotifier)
{
    std::erase(FNotifiers, ANotifier);
}

// ---------------------------------------------------------------------------------------
// Footer
// ---------------------------------------------------------------------------------------

void TDazStringGrid::CalcFooter(int ACol)
{
    FooterCalculation(ACol);
}

void TDazStringGrid::FooterCalculation(int ACol)
{
    if (!FFloatingFooter.Visible() || FFloatingFooter.FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter.EnableCalculation())
        return;
    const int footer = RowCount() - 1;
    const int h = FFloatingFooter.CalculateHiddenRows() ? NumHiddenRows() : 0;
    const int first = ACol < 0 ? 0 : ACol;
    const int last = ACol < 0 ? AllColCount() - 1 : ACol;
    for (int c = first; c <= last; ++c) {
        if (!HasCellProperties(c, footer))
            continue;
        const TColumnCalcType kind = TColumnCalcType(GetCellProperties(c, footer)->CalcType() & 0x7F);
        switch (kind) {
        case acNONE:
        case acSPREAD:
            break;
        case acCOUNT:
            SetInts(c, footer, RowCount() - FixedRows() - 1 + h);
            break;
        case acCUSTOM: {
            QString value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, footer + h, value);
            else if (FFloatingFooter.OnCalcFooter)
                FFloatingFooter.OnCalcFooter(this, c, footer + h, value);
            SetCells(c, footer, value);
            break;
        }
        default:
            if (g_DataTools)
                SetFloats(c, footer,
                          g_DataTools->ColumnCalc(*this, kind, c, FixedRows(), footer - 1 + h));
            break;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Components the grid points at without owning them
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetGridImages(TCustomImageList *Value)
{
    Rewatch<TCustomImageList>(this, FGridImages, Value);
}

void TDazStringGrid::SetPictureContainer(TPictureContainerPtr Value)
{
    Rewatch<TPictureContainer>(this, FPictureContainer, Value);
}

void TDazStringGrid::SetCellChecker(TDazStringGridCheck *Value)
{
    Rewatch<TDazStringGridCheck>(this, FCellChecker, Value);
}

void TDazStringGrid::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation != opRemove || !AComponent)
        return;
    auto forget = [&](auto *&Field) {
        if (Field && static_cast<TComponent *>(Field) == AComponent) {
            // The hint windows keep the sources of the hint they show.
            for (THTMLHintWindow *w : {FCellHintWindow, FScrollHintWindow})
                if (w)
                    w->ForgetSource(Field);
            Field = nullptr;
        }
    };
    forget(FGridImages);
    forget(FPictureContainer);
    forget(FCellChecker);
}

// ---------------------------------------------------------------------------------------
// Drop target
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ApplyDropTarget()
{
    if (!FDragDropSettings.OleDropTarget()) {
        if (FDropTargetRegistered && FDropTarget)
            FDropTarget->Revoke();
        FDropTargetRegistered = false;
        return;
    }
    if (!FDropTarget) {
        if (IGridDataTools *tools = GridDataTools())
            FDropTarget = tools->CreateDropTarget(*this);
        if (!FDropTarget)
            FDropTarget = std::make_unique<TASGDropTarget>();
    }
    FDropTarget->AcceptText = FDragDropSettings.OleAcceptText();
    FDropTarget->AcceptFiles = FDragDropSettings.OleAcceptFiles();
    FDropTarget->AcceptURLs = FDragDropSettings.OleAcceptURLs();
    FDropTarget->AcceptCols = FDragDropSettings.OleColumnDragDrop();
    // Drops land on the viewport, where the cells are.
    FDropTarget->Register(viewport());
    FDropTargetRegistered = viewport()->acceptDrops();
}
