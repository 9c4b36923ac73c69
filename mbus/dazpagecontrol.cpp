#include "mbus/dazpagecontrol.h"

#include "grid/base/imagelist.h"
#include "grid/base/intlist.h"
#include "platform/application.h"

#include <QApplication>
#include <QHideEvent>
#include <QShowEvent>
#include <algorithm>

// ---------------------------------------------------------------------------------------
// TTabMargin

void TTabMargin::Assign(const TTabMargin &source)
{
    FLeftMargin = source.FLeftMargin;
    FTopMargin = source.FTopMargin;
    FRightMargin = source.FRightMargin;
}

void TTabMargin::SetMargin(int index, int value)
{
    int &field = index == 0 ? FLeftMargin : index == 1 ? FTopMargin : FRightMargin;
    if (field == value)
        return;
    if (OnMarginChange)
        OnMarginChange(value, field, index);
    field = value;
}

// ---------------------------------------------------------------------------------------
// TDazTabSheet

TDazTabSheet::TDazTabSheet(QWidget *parent) : QWidget(parent)
{
    setVisible(false);
    if (auto *control = qobject_cast<TDazPageControl *>(parent))
        SetDazPageControl(control);
}

TDazTabSheet::~TDazTabSheet()
{
    if (TDazPageControl *control = FDazPageControl) {
        control->RemovePage(this);
        control->SheetDestroyed(this);
    }
    if (FClosedIn)
        FClosedIn->SheetDestroyed(this);
}

void TDazTabSheet::SetDazPageControl(TDazPageControl *control)
{
    if (control == FDazPageControl)
        return;
    if (FDazPageControl)
        FDazPageControl->RemovePage(this);
    if (control) {
        if (parentWidget() != control)
            setParent(control);
        control->InsertPage(this);
    }
}

int TDazTabSheet::PageIndex() const
{
    if (!FDazPageControl)
        return -1;
    const auto &pages = FDazPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TDazTabSheet::SetPageIndex(int index)
{
    if (FDazPageControl)
        FDazPageControl->MovePage(this, index);
}

int TDazTabSheet::TabIndex() const
{
    if (!FTabShowing || !FDazPageControl)
        return -1;
    int n = 0;
    for (const TDazTabSheet *p : FDazPageControl->FPages) {
        if (p == this)
            return n;
        if (p->FTabShowing)
            ++n;
    }
    return -1;
}

void TDazTabSheet::SetCaption(const QString &caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    setWindowTitle(caption);
    UpdateTabCaption();
}

void TDazTabSheet::UpdateTabCaption()
{
    if (FDazPageControl && FDazPageControl->FTabBorder3D)
        FTabCaption = FCaption;
    else if (FShowClose)
        FTabCaption = FCaption + QLatin1Char(' ');
    else
        FTabCaption = FCaption.left(std::max<qsizetype>(0, FCaption.size() - 2));
    if (FTabShowing && FDazPageControl)
        FDazPageControl->UpdateTab(this);
}

void TDazTabSheet::SetColor(TColor c)
{
    if (c == FColor)
        return;
    FColor = c;
    update();
    RepaintControl();
}

void TDazTabSheet::SetColorTo(TColor c)
{
    if (c == FColorTo)
        return;
    FColorTo = c;
    update();
    RepaintControl();
}

void TDazTabSheet::SetHighlighted(bool on)
{
    FHighlighted = on;
    if (FTabShowing && FDazPageControl) {
        FDazPageControl->FTabs.SetHighlighted(TabIndex(), on);
        FDazPageControl->update();
    }
}

void TDazTabSheet::SetImageIndex(int index)
{
    FImageIndex = index < 0 ? -1 : index;
    FImageIndexDummy = std::max(0, FImageIndex);
    UpdateTabCaption();
    RepaintControl();
}

void TDazTabSheet::SetTabGradientDirection(DazPageControl::TGradientDirection d)
{
    if (d == FTabGradientDirection)
        return;
    FTabGradientDirection = d;
    RepaintControl();
}

void TDazTabSheet::SetShowClose(bool on)
{
    if (on == FShowClose)
        return;
    FShowClose = on;
    UpdateTabCaption();
    RepaintControl();
}

void TDazTabSheet::SetTabEnable(bool on)
{
    if (on == FTabEnable)
        return;
    if (FDazPageControl && FDazPageControl->FActivePage == this)
        throw EDazPageControlError("Can not disable active tab.");
    FTabEnable = on;
    RepaintControl();
}

void TDazTabSheet::SetTabVisible(bool on)
{
    if (on == FTabVisible)
        return;
    FTabVisible = on;
    UpdateTabShowing();
}

void TDazTabSheet::SetTabColor(TColor c)
{
    if (c == FTabColor)
        return;
    FTabColor = c;
    update();
    RepaintControl();
}

void TDazTabSheet::SetTabColorTo(TColor c)
{
    if (c == FTabColorTo)
        return;
    FTabColorTo = c;
    update();
    RepaintControl();
}

void TDazTabSheet::SetTextColor(TColor c)
{
    if (c == FTextColor)
        return;
    FTextColor = c;
    RepaintControl();
}

void TDazTabSheet::UpdateTabShowing()
{
    SetTabShowing(FDazPageControl && FTabVisible);
}

void TDazTabSheet::SetTabShowing(bool on)
{
    if (on == FTabShowing)
        return;
    if (on) {
        FTabShowing = true;
        FDazPageControl->InsertTab(this);
    } else {
        const int index = TabIndex();
        FTabShowing = false;
        if (FDazPageControl)
            FDazPageControl->DeleteTab(this, index);
    }
}

void TDazTabSheet::RepaintControl()
{
    if (FDazPageControl)
        FDazPageControl->update();
}

void TDazTabSheet::Notify(const std::function<void(QObject *)> &handler)
{
    if (!handler)
        return;
    // A failing handler is reported and does not stop the page change.
    try {
        handler(this);
    } catch (const std::exception &e) {
        TApplication::ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        TApplication::ShowException(QStringLiteral("Unknown error"));
    }
}

void TDazTabSheet::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Notify(OnShow);
}

void TDazTabSheet::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Notify(OnHide);
}

// ---------------------------------------------------------------------------------------
// TDazPageControl: creation and streaming

TDazPageControl::TDazPageControl(QWidget *parent) : QWidget(parent)
{
    FFont.Name = QStringLiteral("Tahoma");
    FFont.Size = 8;
    FActiveFont = FFont;
    FTabs.SetFont(FFont);
    FTabs.ImageIndexOf = [this](int tab) {
        int index = tab;
        if (OnGetImageIndex) {
            OnGetImageIndex(this, tab, index);
            return index;
        }
        const TDazTabSheet *page = FTabs.Object(tab);
        return page ? page->FImageIndexDummy : -1;
    };
    FTabMargin.OnMarginChange = [this](int newValue, int oldValue, int index) {
        MarginChanged(newValue, oldValue, index);
    };
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    SizeTabRoom();
}

TDazTabSheet *TDazPageControl::DockSheetOf(QWidget *client) const
{
    for (const auto &[c, sheet] : FDocked)
        if (c == client)
            return sheet;
    return nullptr;
}

TDazPageControl::~TDazPageControl()
{
    for (auto &[client, sheet] : FDocked) {
        client->removeEventFilter(this);
        disconnect(client, &QObject::destroyed, this, nullptr);
    }
    FDocked.clear();
    // The pages are freed with the widget's children; they must not call back.
    for (TDazTabSheet *page : FPages) {
        page->FDazPageControl = nullptr;
        page->FTabShowing = false;
    }
    FPages.clear();
    for (auto &entry : FClosedTabList)
        entry.second->FClosedIn = nullptr;
    FClosedTabList.clear();
    FActivePage = nullptr;
}

void TDazPageControl::Loaded()
{
    for (TDazTabSheet *page : FPages)
        if (page->FTabShowing)
            FTabs.SetHighlighted(page->TabIndex(), page->FHighlighted);
    SizeTabRoom();
    FPropertiesLoaded = true;
    update();
}

QString TDazPageControl::Version() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(VersionNr >> 24)
        .arg((VersionNr >> 16) & 0xFF)
        .arg((VersionNr >> 8) & 0xFF)
        .arg(VersionNr & 0xFF);
}

// ---------------------------------------------------------------------------------------
// Pages and tabs

TDazTabSheet *TDazPageControl::GetPage(int index) const
{
    return index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr;
}

void TDazPageControl::GetChildren(const std::function<void(TDazTabSheet *)> &proc) const
{
    for (TDazTabSheet *page : FPages)
        proc(page);
}

void TDazPageControl::InsertPage(TDazTabSheet *page)
{
    if (page->FClosedIn && page->FClosedIn != this)
        page->FClosedIn->SheetDestroyed(page);
    FPages.push_back(page);
    page->FDazPageControl = this;
    page->hide();
    page->setGeometry(FTabs.DisplayRect().ToQRect());
    if (page->FTextColor == 0)
        page->FTextColor = FDefaultTextColor;
    if (page->FTabColor == clNone)
        page->FTabColor = FDefaultTabColor;
    if (page->FTabColorTo == clNone)
        page->FTabColorTo = FDefaultTabColorTo;
    page->UpdateTabCaption();
    page->UpdateTabShowing();
    update();
}

void TDazPageControl::RemovePage(TDazTabSheet *page)
{
    TDazTabSheet *next = FindNextPage(page, true, !Designing());
    if (next == page)
        next = nullptr;
    page->SetTabShowing(false);
    if (FActivePage == page)
        FActivePage = nullptr;
    page->FDazPageControl = nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (FUndockingPage == page)
        FUndockingPage = nullptr;
    SetActivePage(next);
    update();
}

void TDazPageControl::MovePage(TDazTabSheet *page, int index)
{
    const int last = PageCount() - 1;
    if (index < 0 || index > last)
        throw EListError(QStringLiteral("%1 is an invalid PageIndex value.  PageIndex must be between 0 and %2")
                             .arg(index)
                             .arg(last)
                             .toStdString());
    const int from = page->PageIndex();
    if (from == index)
        return;
    const int fromTab = page->TabIndex();
    FPages.erase(FPages.begin() + from);
    FPages.insert(FPages.begin() + index, page);
    if (page->FTabShowing)
        FTabs.Move(fromTab, page->TabIndex());
    update();
}

void TDazPageControl::InsertTab(TDazTabSheet *page)
{
    FTabs.Insert(page->TabIndex(), TabTextOf(page), page);
    AlignPages();
    UpdateActivePage();
}

void TDazPageControl::DeleteTab(TDazTabSheet *page, int index)
{
    const bool wasActive = page == FActivePage;
    FTabs.Delete(index);
    if (wasActive) {
        FTabs.SetTabIndex(std::min(index, FTabs.Count() - 1));
    }
    AlignPages();
    UpdateActivePage();
}

void TDazPageControl::UpdateTab(TDazTabSheet *page)
{
    FTabs.SetText(page->TabIndex(), TabTextOf(page));
    AlignPages();
    update();
}

QString TDazPageControl::TabTextOf(TDazTabSheet *page)
{
    QString text = page->FTabCaption;
    if (page != FActivePage || FTabBorder3D || !(FActiveFont.Style & (fsBold | fsItalic)))
        return text;
    // The active caption is written in ActiveFont: blanks in Font make its tab wide enough.
    const QFontMetrics plain(FFont.ToQFont()), active(FActiveFont.ToQFont());
    const int extra = active.horizontalAdvance(page->FCaption) - plain.horizontalAdvance(page->FCaption);
    QString blanks;
    while (plain.horizontalAdvance(blanks) < extra)
        blanks += QLatin1Char(' ');
    return text + blanks;
}

void TDazPageControl::UpdateTabTexts()
{
    for (TDazTabSheet *page : FPages)
        if (page->FTabShowing)
            FTabs.SetText(page->TabIndex(), TabTextOf(page));
    AlignPages();
}

void TDazPageControl::UpdateActivePage()
{
    const int tab = FTabs.TabIndex();
    SetActivePage(tab >= 0 ? FTabs.Object(tab) : nullptr);
}

int TDazPageControl::PageToTab(int pageIndex) const
{
    const TDazTabSheet *page = GetPage(pageIndex);
    return page ? page->TabIndex() : -1;
}

int TDazPageControl::TabToPage(int tabIndex) const
{
    const TDazTabSheet *page = FTabs.Object(tabIndex);
    return page ? page->PageIndex() : -1;
}

int TDazPageControl::PageIndexAt(int x, int y)
{
    return TabToPage(FTabs.IndexOfTabAt(x, y));
}

TRect TDazPageControl::PageTabRect(int pageIndex)
{
    return FTabs.TabRect(PageToTab(pageIndex));
}

TDazTabSheet *TDazPageControl::FindNextPage(TDazTabSheet *CurPage, bool GoForward,
                                            bool CheckTabVisible) const
{
    const int count = PageCount();
    if (count == 0)
        return nullptr;
    int start = CurPage ? int(std::find(FPages.begin(), FPages.end(), CurPage) - FPages.begin()) : count;
    if (start >= count)
        start = GoForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TDazTabSheet *page = FPages[size_t(i)];
        if (!CheckTabVisible || page->FTabVisible)
            return page;
    }
    return nullptr;
}

void TDazPageControl::SelectNextPage(bool GoForward)
{
    TDazTabSheet *page = FindNextPage(FActivePage, GoForward, true);
    if (page && page != FActivePage && CanChange(page->PageIndex())) {
        FTabs.SetTabIndex(page->TabIndex());
        Change();
    }
}

void TDazPageControl::SetActivePage(TDazTabSheet *page)
{
    if (page && page->FDazPageControl != this)
        return;
    if (!page) {
        FTabs.SetTabIndex(-1);
        FActivePage = nullptr;
        update();
        return;
    }
    ChangeActivePage(page);
    if (FActivePage == page)
        FTabs.SetTabIndex(page->TabIndex());
    AlignPages();
    update();
}

void TDazPageControl::ChangeActivePage(TDazTabSheet *page)
{
    if (page == FActivePage || !page || (!Designing() && !page->FTabEnable))
        return;
    TDazTabSheet *old = FActivePage;
    const QWidget *focus = QApplication::focusWidget();
    const bool oldHadFocus = old && focus && (focus == old || old->isAncestorOf(focus));
    page->setGeometry(FTabs.DisplayRect().ToQRect());
    page->raise();
    page->show();
    if (oldHadFocus) {
        // The first control of the new page, or the control itself.
        QWidget *first = page->nextInFocusChain();
        if (first && page->isAncestorOf(first) && first->isEnabled()
            && (first->focusPolicy() & Qt::TabFocus))
            first->setFocus(Qt::TabFocusReason);
        else
            setFocus(Qt::OtherFocusReason);
    }
    if (old)
        old->hide();
    FActivePage = page;
    FCloseState = 0;
    UpdateTabTexts();
}

int TDazPageControl::ActivePageIndex() const
{
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TDazPageControl::ShowControl(QWidget *c)
{
    for (TDazTabSheet *page : FPages)
        if (c && (c == page || page->isAncestorOf(c))) {
            SetActivePage(page);
            break;
        }
    if (c && c != this)
        c->show();
}

void TDazPageControl::SetActivePageIndex(int index)
{
    SetActivePage(GetPage(index));
}

bool TDazPageControl::CanChange(int toPage)
{
    bool allow = true;
    if (OnCanChange)
        OnCanChange(this, ActivePageIndex(), toPage, allow);
    if (!allow)
        return false;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TDazPageControl::Change()
{
    UpdateActivePage();
    if (OnChange)
        OnChange(this);
    update();
}

void TDazPageControl::AlignPages()
{
    const QRect r = FTabs.DisplayRect().ToQRect();
    for (TDazTabSheet *page : FPages)
        if (page->geometry() != r)
            page->setGeometry(r);
}

void TDazPageControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FTabs.SetBounds(width(), height());
    AlignPages();
}

void TDazPageControl::SheetDestroyed(TDazTabSheet *page)
{
    FClosedTabList.erase(std::remove_if(FClosedTabList.begin(), FClosedTabList.end(),
                                        [page](const auto &e) { return e.second == page; }),
                         FClosedTabList.end());
    page->FClosedIn = nullptr;
    for (auto it = FDocked.begin(); it != FDocked.end(); ++it)
        if (it->second == page) {
            it->first->removeEventFilter(this);
            disconnect(it->first, &QObject::destroyed, this, nullptr);
            FDocked.erase(it);
            break;
        }
}

// ---------------------------------------------------------------------------------------
// Appearance properties

void TDazPageControl::SetFont(const TFont &font)
{
    FFont = font;
    FTabs.SetFont(font);
    UpdateTabTexts();
    update();
}

void TDazPageControl::SetActiveFont(const TFont &font)
{
    FActiveFont = font;
    UpdateTabTexts();
    update();
}

void TDazPageControl::SetCloseGlyph(const QImage &glyph)
{
    FCloseGlyph = glyph;
    update();
}

void TDazPageControl::SetColor(TColor c)
{
    FColor = c;
    update();
}

void TDazPageControl::SetDefaultTextColor(TColor c)
{
    for (TDazTabSheet *page : FPages)
        if (page->FTextColor == FDefaultTextColor)
            page->FTextColor = c;
    FDefaultTextColor = c;
    update();
}

void TDazPageControl::SetDefaultTabColor(TColor c)
{
    for (TDazTabSheet *page : FPages)
        if (page->FTabColor == FDefaultTabColor)
            page->FTabColor = c;
    FDefaultTabColor = c;
    update();
}

void TDazPageControl::SetDefaultTabColorTo(TColor c)
{
    for (TDazTabSheet *page : FPages)
        if (page->FTabColorTo == FDefaultTabColorTo)
            page->FTabColorTo = c;
    FDefaultTabColorTo = c;
    update();
}

void TDazPageControl::SetActiveColor(TColor c)
{
    FActiveColor = c;
    update();
}

void TDazPageControl::SetActiveColorTo(TColor c)
{
    FActiveColorTo = c;
    update();
}

void TDazPageControl::SetTabBorder3D(bool on)
{
    if (on == FTabBorder3D)
        return;
    FTabBorder3D = on;
    ApplyTabRoom();
    for (TDazTabSheet *page : FPages)
        page->UpdateTabCaption();
    UpdateTabTexts();
    update();
}

void TDazPageControl::SetTabBorderColor(TColor c)
{
    FTabBorderColor = c;
    update();
}

void TDazPageControl::SetTabSheet3D(bool on)
{
    FTabSheet3D = on;
    update();
}

void TDazPageControl::SetTabSheetBorderColor(TColor c)
{
    FTabSheetBorderColor = c;
    update();
}

void TDazPageControl::SetTabHoverColor(TColor c)
{
    FTabHoverColor = c;
    update();
}

void TDazPageControl::SetTabHoverColorTo(TColor c)
{
    FTabHoverColorTo = c;
    update();
}

void TDazPageControl::SetTabHoverBorder(TColor c)
{
    FTabHoverBorder = c;
    update();
}

void TDazPageControl::SetTabBackGroundColor(TColor c)
{
    FTabBackGroundColor = c;
    update();
}

void TDazPageControl::SetTabBackGround(const QImage &bitmap)
{
    FTabBackGround = bitmap;
    update();
}

void TDazPageControl::SetTabBackGroundActive(const QImage &bitmap)
{
    FTabBackGroundActive = bitmap;
    update();
}

void TDazPageControl::SetTabOverlap(int v)
{
    FTabOverlap = std::clamp(v, 0, 15);
    update();
}

void TDazPageControl::SetTabSplitLine(bool on)
{
    if (on && FTabStyle == tsDotNet)
        throw EDazPageControlError("TabSplitLine must be false when TabStyle is tsDotNet");
    FTabSplitLine = on;
    update();
}

void TDazPageControl::SetRoundEdges(bool on)
{
    FRoundEdges = on;
    update();
}

void TDazPageControl::SetTabStyle(TTabStyle s)
{
    FTabStyle = s;
    update();
}

void TDazPageControl::SetLowerActive(int v)
{
    FLowerActive = v;
    update();
}

void TDazPageControl::SetShowFocus(bool on)
{
    FShowFocus = on;
    update();
}

void TDazPageControl::SetMultiLine(bool on)
{
    FTabs.SetMultiLine(on);
    AlignPages();
    update();
}

void TDazPageControl::SetRaggedRight(bool on)
{
    FTabs.SetRaggedRight(on);
    update();
}

void TDazPageControl::SetTabHeight(int h)
{
    FTabs.SetTabHeight(h);
    AlignPages();
    update();
}

void TDazPageControl::SetTabWidth(int w)
{
    FTabs.SetTabWidth(w);
    AlignPages();
    update();
}

// ---------------------------------------------------------------------------------------
// Tab room: an empty image list whose size every tab reserves.

void TDazPageControl::SizeTabRoom()
{
    const int iw = FImages ? FImages->Width() : 0, ih = FImages ? FImages->Height() : 0;
    const TTabPosition p = FTabs.Position();
    if (p == tpTop || p == tpBottom) {
        FDummyWidth = FTabMargin.LeftMargin() + FTabMargin.RightMargin() + iw;
        FDummyHeight = ih;
    } else {
        FDummyWidth = iw;
        FDummyHeight = FTabMargin.TopMargin() + FTabMargin.RightMargin() + ih;
    }
    ApplyTabRoom();
}

void TDazPageControl::ApplyTabRoom()
{
    if (FTabBorder3D)
        FTabs.SetImageSize(FImages ? FImages->Width() : 0, FImages ? FImages->Height() : 0);
    else
        FTabs.SetImageSize(FDummyWidth, FDummyHeight);
    AlignPages();
}

void TDazPageControl::MarginChanged(int newValue, int oldValue, int index)
{
    if (FPropertiesLoaded || Designing()) {
        const int iw = FImages ? FImages->Width() : 0, ih = FImages ? FImages->Height() : 0;
        const bool across = FTabs.Position() == tpTop || FTabs.Position() == tpBottom;
        if (index == 0 && across)
            FDummyWidth = iw + FTabMargin.RightMargin() + newValue;
        else if (index == 1 && !across)
            FDummyHeight = ih + FTabMargin.RightMargin() + newValue;
        else if (index == 2) {
            if (across)
                FDummyWidth += newValue - oldValue;
            else
                FDummyHeight += newValue - oldValue;
        }
        ApplyTabRoom();
    }
    update();
}

void TDazPageControl::SetImages(TCustomImageList *images)
{
    if (images == FImages)
        return;
    const bool across = FTabs.Position() == tpTop || FTabs.Position() == tpBottom;
    if (FImages) {
        if (across)
            FDummyWidth -= FImages->Width();
        else
            FDummyHeight -= FImages->Height();
    }
    FImages = images;
    if (FImages) {
        if (across)
            FDummyWidth += FImages->Width();
        else
            FDummyHeight += FImages->Height();
    }
    ApplyTabRoom();
    update();
}

void TDazPageControl::SetTabPosition(TTabPosition p)
{
    if (p == FTabs.Position())
        return;
    FTabs.SetPosition(p);
    SizeTabRoom();
    update();
}
