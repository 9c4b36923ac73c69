// TDazStringGrid: the small outward-facing pieces. Version number and text, the picture of
// dragged cells, the column widths as loaded, the search bar's layout, following the
// owning window's size, the unit editor relay and the column drag out of a list.
#include "grid/string/dazstringgrid.h"

#include "grid/string/headerdrag.h"
#include "grid/string/searchpanel.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

// ---------------------------------------------------------------------------------------
// Version
// ---------------------------------------------------------------------------------------

int TDazStringGrid::GetVersionNr()
{
    return 0x06020103;
}

QString TDazStringGrid::VersionText(int VersionNr)
{
    const auto v = uint32_t(VersionNr);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

QString TDazStringGrid::GetVersionString()
{
    return VersionText(GetVersionNr()) + QStringLiteral(" Sep, 2012");
}

// ---------------------------------------------------------------------------------------
// Drag picture
// ---------------------------------------------------------------------------------------

TDragImageForm *TDazStringGrid::SelectionToForm(const TGridRect &ARect)
{
    QImage whole(viewport()->size(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
        QPainter p(&whole);
        PaintTo(p);
    }
    // Corners outside the grid are taken at its edge: the picture never outgrows the grid.
    const auto col = [this](int C) { return std::clamp(C, 0, std::max(0, ColCount() - 1)); };
    const auto row = [this](int R) { return std::clamp(R, 0, std::max(0, RowCount() - 1)); };
    TRect first = UnclippedCellRect(col(ARect.Left), row(ARect.Top));
    TRect second = UnclippedCellRect(col(ARect.Right), row(ARect.Bottom));
    if (first.Left > second.Left)
        std::swap(first, second);
    if (second.Bottom < first.Bottom) {
        std::swap(first.Top, second.Top);
        std::swap(first.Bottom, second.Bottom);
    }
    const int w = std::clamp(second.Right - first.Left + 1, 1, whole.width() + 1);
    const int h = std::clamp(second.Bottom - first.Top + 1, 1, whole.height() + 1);
    QImage picture = whole.copy(first.Left + 1, first.Top + 1, w, h);
    {
        QPainter p(&picture);
        p.setPen(ToQColor(GridFixedLineColor()));
        if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedHorzLine))
            p.drawLine(0, 0, 0, h);
        if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedVertLine))
            p.drawLine(0, 0, w, 0);
    }
    return new TDragImageForm(this, picture);
}

// ---------------------------------------------------------------------------------------
// Column widths as loaded, column drags from a list
// ---------------------------------------------------------------------------------------

void TDazStringGrid::InitOrigColSizes()
{
    FOrgColWidths.Clear();
    for (int c = 0; c < ColCount(); ++c)
        FOrgColWidths.Add(ColWidths(c));
    FOldSize = width();
}

void TDazStringGrid::OleColumnDragStart(int ACol, int AIndex, QWidget *AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

void TDazStringGrid::UnitEditChanged(const QString &NewUnit)
{
    if (OnUnitChanged)
        OnUnitChanged(this, Col(), Row(), NewUnit);
}

// ---------------------------------------------------------------------------------------
// Search bar
// ---------------------------------------------------------------------------------------

TSearchPanel *TDazStringGrid::SearchPanel()
{
    if (!FSearchPanel) {
        FSearchPanel = new TSearchPanel(this);
        FSearchPanel->hide();
        FSearchPanel->OnEditChange = [this](QObject *) { SearchFooterEditChange(); };
        FSearchPanel->OnForwardClick = [this](QObject *) { SearchFooterFindNext(); };
        FSearchPanel->OnBackwardClick = [this](QObject *) { SearchFooterFindPrevious(); };
        FSearchPanel->OnHighLightClick = [this](QObject *) { SearchFooterHighlight(); };
        FSearchPanel->OnExitClick = [this](QObject *) { SearchFooterClose(); };
        if (OnCreatedSearchFooter)
            OnCreatedSearchFooter(this);
    }
    return FSearchPanel;
}

void TDazStringGrid::SearchFooterChanged()
{
    if (FLoading)
        return;
    if (!FSearchPanel && !FSearchFooter.Visible())
        return;
    TSearchPanel *panel = SearchPanel();
    const TSearchFooter &f = FSearchFooter;
    if ((panel->HighLightButton()->Down() && panel->isVisible() && !f.Visible()) ||
        f.AlwaysHighLight())
        UnHilightInGrid(false);

    panel->SetColor(f.Color());
    panel->SetColorTo(f.ColorTo());
    panel->setVisible(f.Visible());

    panel->FindNextCaption = f.FindNextCaption();
    panel->FindPrevCaption = f.FindPrevCaption();
    panel->MatchCaseCaption = f.MatchCaseCaption();
    panel->HighLightCaption = f.HighLightCaption();
    panel->ForwardButton()->SetCaption(f.FindNextCaption());
    panel->BackwardButton()->SetCaption(f.FindPrevCaption());
    panel->MatchCase()->SetCaption(f.MatchCaseCaption());
    panel->HighLightButton()->SetCaption(f.HighLightCaption());
    panel->HintFindNext = f.HintFindNext();
    panel->HintFindPrev = f.HintFindPrev();
    panel->HintClose = f.HintClose();
    panel->HintHighlight = f.HintHighlight();
    panel->setFont(f.Font().ToQFont());

    TDazGridButton *const buttons[] = {panel->BackwardButton(), panel->ForwardButton(),
                                       panel->HighLightButton()};
    for (TDazGridButton *b : buttons) {
        switch (FControlLook.ControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
        case csTheme:
            if (!AutoThemeAdapt()) {
                b->SetAutoXPStyle(true);
                b->SetFlat(false);
            }
            break;
        case csClassic:
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
            break;
        default:
            break;
        }
        if (AutoThemeAdapt()) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
        }
    }

    panel->HighLightButton()->setVisible(f.ShowHighLight());
    panel->CloseButton()->setVisible(f.ShowClose());
    panel->MatchCase()->setVisible(f.ShowMatchCase());
    panel->MatchCase()->SetTransparent(true);
    panel->BackwardButton()->setVisible(f.ShowFindPrev());
    panel->ForwardButton()->setVisible(f.ShowFindNext());

    auto hint = [](QWidget *W, const QString &Text) {
        W->setToolTip(Text);
        W->setToolTipDuration(Text.isEmpty() ? 0 : -1);
    };
    hint(panel->CloseButton(), f.HintClose());
    hint(panel->ForwardButton(), f.HintFindNext());
    hint(panel->BackwardButton(), f.HintFindPrev());
    hint(panel->HighLightButton(), f.HintHighlight());

    panel->LayoutControls();
    if (f.Visible()) {
        panel->setGeometry(0, height() - 32, width(), 32);
        panel->raise();
        ScrollAboveSearchPanel();
    } else {
        panel->setGeometry(0, height(), width(), 0);
    }
}

// ---------------------------------------------------------------------------------------
// The owning window's size
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WatchForm(QWidget *Form)
{
    if (!Form)
        return;
    if (FWatchedForm)
        FWatchedForm->removeEventFilter(this);
    FWatchedForm = Form;
    FPrevSizeX = Form->width();
    FPrevSizeY = Form->height();
    Form->installEventFilter(this);
}

void TDazStringGrid::ParentFormResize(QWidget *Form)
{
    if (!Form)
        return;
    if (SizeWithForm()) {
        const int w = Form->width() + width() - FPrevSizeX;
        const int h = Form->height() + height() - FPrevSizeY;
        if (w > 0 && h > 0) {
            resize(w, h);
            FPrevSizeX = Form->width();
            FPrevSizeY = Form->height();
        }
    }
    StretchOnSizeChange();
}

bool TDazStringGrid::eventFilter(QObject *Watched, QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::Resize:
        if (Watched == FWatchedForm)
            ParentFormResize(FWatchedForm);
        [[fallthrough]];
    case QEvent::Move:
        if (Watched == FFocusWindowHost && FocusWindowGrid() == this)
            MoveFocusWindow();
        break;
    case QEvent::Leave:
        if (Watched == viewport())
            CMMouseLeave();
        break;
    default:
        break;
    }
    return TBaseGrid::eventFilter(Watched, Event);
}
