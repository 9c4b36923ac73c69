// The page control under the mouse and the keyboard: close buttons and closed tabs, hover,
// Ctrl+Tab, and docking.
#include "mbus/dazpagecontrol.h"
#include "mbus/dazpagedraw.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

// ---------------------------------------------------------------------------------------
// Close buttons, closed tabs and hover

TRect TDazPageControl::CloseButtonRect(TDazTabSheet *page)
{
    if (!page || !page->FTabShowing)
        return TRect();
    const TRect r = FTabs.TabRect(page->TabIndex());
    const bool active = page == FActivePage;
    const int lower = active ? FLowerActive : 0;
    const bool activeBitmap = active && !FTabBackGroundActive.isNull();
    const int lm = FTabMargin.LeftMargin(), tm = FTabMargin.TopMargin();
    switch (FTabs.Position()) {
    case tpLeft: {
        const int x = r.Left + lm + lower + (activeBitmap ? 2 : 0);
        const int y = r.Bottom - tm + (activeBitmap ? FTabOverlap : 0);
        return Bounds(x + 2, y - 13, kCloseButtonWidth, kCloseButtonHeight);
    }
    case tpRight:
        return Bounds(r.Left + lm - lower + 2 + 2, r.Top + tm + 2, kCloseButtonWidth, kCloseButtonHeight);
    case tpTop:
    case tpBottom:
        break;
    }
    return Bounds(r.Left + lm + 2, r.Top + tm + lower + 2, kCloseButtonWidth, kCloseButtonHeight);
}

void TDazPageControl::SetCloseState(int state)
{
    if (state != FCloseState) {
        FCloseState = state;
        update();
    }
}

void TDazPageControl::CloseActivePage()
{
    TDazTabSheet *page = FActivePage;
    TDazTabSheet *next = FindNextPage(page, true, true);
    bool canClose = true;
    if (page->OnCanClose)
        page->OnCanClose(page, canClose);
    if (!canClose)
        return;
    if (page->OnClose)
        page->OnClose(page);
    if (next)
        SetActivePage(next);
    if (FFreeOnClose) {
        delete page;
    } else {
        const QString name = page->objectName();
        const bool listed = std::any_of(FClosedTabList.begin(), FClosedTabList.end(),
                                        [page](const auto &e) { return e.second == page; });
        if (!listed)
            FClosedTabList.emplace_back(name, page);
        page->FClosedIn = this;
        RemovePage(page);
        page->hide();
    }
    update();
}

QStringList TDazPageControl::ClosedTabNames() const
{
    QStringList names;
    for (const auto &entry : FClosedTabList)
        names << entry.first;
    return names;
}

bool TDazPageControl::OpenClosedTab(const QString &TabName)
{
    for (const auto &[name, page] : FClosedTabList)
        if (name.compare(TabName, Qt::CaseInsensitive) == 0) {
            page->SetDazPageControl(this);
            return true;
        }
    return false;
}

void TDazPageControl::OpenAllClosedTabs()
{
    const auto list = FClosedTabList;
    for (const auto &entry : list)
        entry.second->SetDazPageControl(this);
}

void TDazPageControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (!FTabBorder3D && !Designing() && FActivePage && FActivePage->FShowClose
        && PtInRect(CloseButtonRect(FActivePage), TPoint::FromQPoint(p))) {
        SetCloseState(int(TCloseButtonState::Pressed));
        return;
    }
    const int tab = FTabs.IndexOfTabAt(p.x(), p.y());
    if (tab < 0 || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (tab != FTabs.TabIndex() && CanChange(TabToPage(tab))) {
        FTabs.SetTabIndex(tab);
        Change();
        // A tab that could not become active (disabled) does not stay selected.
        if (FActivePage && FTabs.TabIndex() != FActivePage->TabIndex())
            FTabs.SetTabIndex(FActivePage->TabIndex());
        update();
    }
}

void TDazPageControl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = FCloseState == int(TCloseButtonState::Pressed);
    if (wasPressed)
        SetCloseState(int(TCloseButtonState::Normal));
    if (event->button() != Qt::LeftButton || FTabBorder3D || Designing() || !FActivePage
        || !FActivePage->FShowClose) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (PtInRect(CloseButtonRect(FActivePage), TPoint::FromQPoint(event->position().toPoint())))
        CloseActivePage();
}

void TDazPageControl::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (FTabHoverColor == clNone || FTabBorder3D || Designing())
        return;
    const QPoint p = event->position().toPoint();
    if (FActivePage && FActivePage->FShowClose && FCloseState != int(TCloseButtonState::Pressed)) {
        const bool inside = PtInRect(CloseButtonRect(FActivePage), TPoint::FromQPoint(p));
        if (inside != FHoverClosedButton) {
            FHoverClosedButton = inside;
            SetCloseState(int(inside ? TCloseButtonState::Hot : TCloseButtonState::Normal));
        }
    }
    if (!FTabBackGround.isNull())
        return;
    const int page = PageIndexAt(p.x(), p.y());
    if (page != FHoverTab) {
        const int old = FHoverTab;
        FHoverTab = page;
        if (FTabHoverColor != clNone || FTabHoverColorTo != clNone) {
            if (old >= 0)
                update(PageTabRect(old).ToQRect().adjusted(-2, -2, 2, 2));
            if (page >= 0)
                update(PageTabRect(page).ToQRect().adjusted(-2, -2, 2, 2));
        }
    }
}

void TDazPageControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (FHoverClosedButton) {
        FHoverClosedButton = false;
        SetCloseState(int(TCloseButtonState::Normal));
    }
    if (FTabBackGround.isNull() && FHoverTab >= 0)
        update(PageTabRect(FHoverTab).ToQRect().adjusted(-2, -2, 2, 2));
    FHoverTab = -1;
}

void TDazPageControl::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        SelectNextPage(!back);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------
// Docking

bool TDazPageControl::DockControl(QWidget *client)
{
    if (!FDockSite || !client || client == this || client->isAncestorOf(this))
        return false;
    for (const TDazTabSheet *page : FPages)
        if (client->parentWidget() == page)
            return false;
    const bool visible = client->isWindow() ? client->isVisible() : !client->isHidden();
    auto *sheet = new TDazTabSheet();   // joins below, its tab shown as the client is
    if (client->isWindow())
        sheet->SetCaption(client->windowTitle().section(QLatin1Char('\n'), 0, 0));
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    client->setParent(sheet);
    layout->addWidget(client);
    client->setVisible(visible);
    FDocked.emplace_back(client, sheet);
    client->installEventFilter(this);
    // A client deleted in place leaves its page empty as well.
    connect(client, &QObject::destroyed, this, [this, client](QObject *) {
        const auto it = std::find_if(FDocked.begin(), FDocked.end(),
                                     [client](const auto &e) { return e.first == client; });
        if (it == FDocked.end())
            return;
        TDazTabSheet *emptied = it->second;
        FDocked.erase(it);
        if (emptied == FActivePage)
            SelectNextPage(true);
        emptied->deleteLater();   // the client is still being removed from it
    });
    sheet->FTabVisible = visible;
    sheet->SetDazPageControl(this);
    if (visible)
        SetActivePage(sheet);
    return true;
}

void TDazPageControl::UndockControl(QWidget *client)
{
    TDazTabSheet *sheet = DockSheetOf(client);
    if (!sheet)
        return;
    FUndockingPage = sheet;
    ReleaseDockClient(client, true);
}

void TDazPageControl::ReleaseDockClient(QWidget *client, bool floatIt)
{
    TDazTabSheet *sheet = DockSheetOf(client);
    client->removeEventFilter(this);
    disconnect(client, &QObject::destroyed, this, nullptr);
    FDocked.erase(std::remove_if(FDocked.begin(), FDocked.end(),
                                 [client](const auto &e) { return e.first == client; }),
                  FDocked.end());
    if (floatIt && client->parentWidget() == sheet) {
        const bool visible = !client->isHidden();
        client->setParent(nullptr, Qt::Window);
        client->setVisible(visible);
    }
    // The client has left: the next page takes over and the emptied page goes.
    if (sheet == FActivePage)
        SelectNextPage(true);
    FUndockingPage = nullptr;
    delete sheet;
}

void TDazPageControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    TDazTabSheet *page = GetPage(PageIndexAt(p.x(), p.y()));
    for (const auto &[client, sheet] : FDocked)
        if (sheet == page) {
            UndockControl(client);
            return;
        }
    QWidget::mouseDoubleClickEvent(event);
}

bool TDazPageControl::eventFilter(QObject *watched, QEvent *event)
{
    auto *client = qobject_cast<QWidget *>(watched);
    TDazTabSheet *sheet = client ? DockSheetOf(client) : nullptr;
    if (!sheet)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::WindowTitleChange:
        sheet->SetCaption(client->windowTitle().section(QLatin1Char('\n'), 0, 0));
        break;
    case QEvent::ShowToParent:
        sheet->SetTabVisible(true);
        break;
    case QEvent::HideToParent:
        sheet->SetTabVisible(false);
        break;
    case QEvent::ParentChange:
        if (client->parentWidget() != sheet)
            ReleaseDockClient(client, false);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
