#pragma once
// TDazPageControl: a page control whose pages are TDazTabSheet widgets and whose tabs it
// paints itself over the plain look of its tab row (colours, gradients, bitmaps, margins,
// close buttons, hover effects, turned text for tabs at the left or right). The tab row
// (TDazTabStrip) lays the tabs out, hit-tests them and keeps the current tab; the control
// keeps the pages, maps pages to tabs (a page may have no tab), switches the visible page,
// reserves room in every tab from its margins, closes and reopens tabs, and lets widgets
// dock into it as pages. A window sets its properties and then calls Loaded(), as its
// form would after reading them.
#include "mbus/daztabstrip.h"
#include "platform/canvas.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

class TCustomImageList;
class TDazPageControl;

class EDazPageControlError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum TTabStyle { tsClassic, tsDotNet };
// In a namespace of its own: the grid's drop-down look has a gradient direction of the same
// names in the other order, and a window may use both.
namespace DazPageControl {
enum TGradientDirection { gdVertical, gdHorizontal };
}

// The three margins of a tab; a change is announced before it is stored.
class TTabMargin
{
public:
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int v) { SetMargin(0, v); }
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int v) { SetMargin(1, v); }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int v) { SetMargin(2, v); }
    // Copies the values without announcing them.
    void Assign(const TTabMargin &source);

    std::function<void(int NewValue, int OldValue, int Index)> OnMarginChange;

private:
    void SetMargin(int index, int value);
    int FLeftMargin = 0;
    int FTopMargin = 0;
    int FRightMargin = 0;
};

class TDazTabSheet : public QWidget
{
    Q_OBJECT
public:
    // parent owns the sheet; a page control as parent takes it as its last page, else it
    // joins a control through SetDazPageControl.
    explicit TDazTabSheet(QWidget *parent = nullptr);
    ~TDazTabSheet() override;

    TDazPageControl *DazPageControl() const { return FDazPageControl; }
    void SetDazPageControl(TDazPageControl *control);
    int PageIndex() const;
    void SetPageIndex(int index);
    // Position among the showing tabs; -1 without a tab.
    int TabIndex() const;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    // The text handed to the tab row (before the active tab's padding).
    QString TabCaption() const { return FTabCaption; }
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor c);
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool on);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);   // negative is kept as -1
    DazPageControl::TGradientDirection TabGradientDirection() const { return FTabGradientDirection; }
    void SetTabGradientDirection(DazPageControl::TGradientDirection d);
    DazPageControl::TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
    void SetHoverGradientDirection(DazPageControl::TGradientDirection d) { FHoverGradientDirection = d; }
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool on);
    bool TabEnable() const { return FTabEnable; }
    void SetTabEnable(bool on);   // EDazPageControlError on the active page
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool on);
    TColor TabColor() const { return FTabColor; }
    void SetTabColor(TColor c);
    TColor TabColorTo() const { return FTabColorTo; }
    void SetTabColorTo(TColor c);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor c);

    std::function<void(QObject *sender, bool &CanClose)> OnCanClose;
    std::function<void(QObject *sender)> OnClose;
    std::function<void(QObject *sender)> OnHide;
    std::function<void(QObject *sender)> OnShow;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class TDazPageControl;
    void UpdateTabCaption();
    void UpdateTabShowing();
    void SetTabShowing(bool on);
    void Notify(const std::function<void(QObject *)> &handler);
    void RepaintControl();

    QString FCaption;
    QString FTabCaption;
    TColor FTextColor = 0;
    TColor FTabColor = clNone;
    TColor FTabColorTo = clNone;
    bool FShowClose = false;
    DazPageControl::TGradientDirection FTabGradientDirection = DazPageControl::gdVertical;
    DazPageControl::TGradientDirection FHoverGradientDirection = DazPageControl::gdVertical;
    int FImageIndex = -1;
    int FImageIndexDummy = 0;
    TDazPageControl *FDazPageControl = nullptr;
    bool FTabVisible = true;
    bool FTabShowing = false;
    bool FHighlighted = false;
    bool FTabEnable = true;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
    TDazPageControl *FClosedIn = nullptr;   // the control whose closed list holds the sheet
};

class TDazPageControl : public QWidget
{
    Q_OBJECT
public:
    static constexpr unsigned VersionNr = 0x01040000;

    explicit TDazPageControl(QWidget *parent = nullptr);
    ~TDazPageControl() override;

    // After the window has set the properties: re-sends the highlights, sizes the tab room
    // and lets margin changes adjust it from then on.
    void Loaded();

    int PageCount() const { return int(FPages.size()); }
    TDazTabSheet *GetPage(int index) const;
    void GetChildren(const std::function<void(TDazTabSheet *)> &proc) const;
    TDazTabSheet *ActivePage() const { return FActivePage; }
    void SetActivePage(TDazTabSheet *page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // Makes the page holding c active (a control about to be shown on a hidden page).
    void ShowControl(QWidget *c);
    TDazTabSheet *FindNextPage(TDazTabSheet *CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    // Closed tabs: the list keeps its entries when a tab is opened again.
    bool OpenClosedTab(const QString &TabName);
    void OpenAllClosedTabs();
    QStringList ClosedTabNames() const;

    // Page at a point of the control (-1 none) and the rectangle of a page's tab.
    int PageIndexAt(int x, int y);
    TRect PageTabRect(int pageIndex);
    // Where the page's close button is drawn (its box of 12 x 11 pixels).
    TRect CloseButtonRect(TDazTabSheet *page);
    int HoverTab() const { return FHoverTab; }
    TDazTabStrip &Tabs() { return FTabs; }

    // Docking (DockSite): the widget gets a page of its own; false when it is docked here
    // already. Undocking floats the widget as a window and frees its emptied page.
    bool DockControl(QWidget *client);
    void UndockControl(QWidget *client);
    TDazTabSheet *DockSheetOf(QWidget *client) const;

    QString Version() const;
    void SetVersion(const QString &) {}

    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &font);
    const TFont &ActiveFont() const { return FActiveFont; }
    void SetActiveFont(const TFont &font);
    const QImage &CloseGlyph() const { return FCloseGlyph; }
    void SetCloseGlyph(const QImage &glyph);
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TColor DefaultTextColor() const { return FDefaultTextColor; }
    void SetDefaultTextColor(TColor c);
    TColor DefaultTabColor() const { return FDefaultTabColor; }
    void SetDefaultTabColor(TColor c);
    TColor DefaultTabColorTo() const { return FDefaultTabColorTo; }
    void SetDefaultTabColorTo(TColor c);
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor c);
    TColor ActiveColorTo() const { return FActiveColorTo; }
    void SetActiveColorTo(TColor c);
    bool TabBorder3D() const { return FTabBorder3D; }
    void SetTabBorder3D(bool on);
    TColor TabBorderColor() const { return FTabBorderColor; }
    void SetTabBorderColor(TColor c);
    bool TabSheet3D() const { return FTabSheet3D; }
    void SetTabSheet3D(bool on);
    TColor TabSheetBorderColor() const { return FTabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor c);
    TColor TabHoverColor() const { return FTabHoverColor; }
    void SetTabHoverColor(TColor c);
    TColor TabHoverColorTo() const { return FTabHoverColorTo; }
    void SetTabHoverColorTo(TColor c);
    TColor TabHoverBorder() const { return FTabHoverBorder; }
    void SetTabHoverBorder(TColor c);
    TColor TabBackGroundColor() const { return FTabBackGroundColor; }
    void SetTabBackGroundColor(TColor c);
    const QImage &TabBackGround() const { return FTabBackGround; }
    void SetTabBackGround(const QImage &bitmap);
    const QImage &TabBackGroundActive() const { return FTabBackGroundActive; }
    void SetTabBackGroundActive(const QImage &bitmap);
    TTabMargin &TabMargin() { return FTabMargin; }
    int TabOverlap() const { return FTabOverlap; }
    void SetTabOverlap(int v);   // 0..15
    bool TabSplitLine() const { return FTabSplitLine; }
    void SetTabSplitLine(bool on);   // EDazPageControlError with tsDotNet
    bool RoundEdges() const { return FRoundEdges; }
    void SetRoundEdges(bool on);
    TTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TTabStyle s);
    int LowerActive() const { return FLowerActive; }
    void SetLowerActive(int v);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool on);
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool on) { FFreeOnClose = on; }
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *images);   // not owned

    // Settings of the tab row.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool on) { FHotTrack = on; }
    bool MultiLine() const { return FTabs.MultiLine(); }
    void SetMultiLine(bool on);
    bool RaggedRight() const { return FTabs.RaggedRight(); }
    void SetRaggedRight(bool on);
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool on) { FScrollOpposite = on; }
    int TabHeight() const { return FTabs.TabHeight(); }
    void SetTabHeight(int h);
    int TabWidth() const { return FTabs.TabWidth(); }
    void SetTabWidth(int w);
    TTabPosition TabPosition() const { return FTabs.Position(); }
    void SetTabPosition(TTabPosition p);
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool on) { FDockSite = on; }
    // Room the tab row reserves in every tab (the size of the empty image list).
    int TabRoomWidth() const { return FDummyWidth; }
    int TabRoomHeight() const { return FDummyHeight; }

    std::function<void(QObject *sender)> OnChange;
    std::function<void(QObject *sender, bool &AllowChange)> OnChanging;
    std::function<void(QObject *sender, int FromPage, int ToPage, bool &AllowChange)> OnCanChange;
    // Owner-drawn content of a tab under the painted look.
    std::function<void(TCanvas &canvas, int TabIndex, const TRect &r, bool Active)> OnDrawTab;
    std::function<void(QObject *sender, int TabIndex, int &ImageIndex)> OnGetImageIndex;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TDazTabSheet;
    struct TPaintState;

    // Pages and tabs.
    void InsertPage(TDazTabSheet *page);
    void RemovePage(TDazTabSheet *page);
    void MovePage(TDazTabSheet *page, int index);
    void InsertTab(TDazTabSheet *page);
    void DeleteTab(TDazTabSheet *page, int index);
    void UpdateTab(TDazTabSheet *page);
    void UpdateActivePage();
    void ChangeActivePage(TDazTabSheet *page);
    bool CanChange(int toPage);
    void Change();
    int PageToTab(int pageIndex) const;
    int TabToPage(int tabIndex) const;
    QString TabTextOf(TDazTabSheet *page);
    void UpdateTabTexts();
    void AlignPages();
    void SheetDestroyed(TDazTabSheet *page);
    // Tab room.
    void SizeTabRoom();
    void ApplyTabRoom();
    void MarginChanged(int newValue, int oldValue, int index);
    // Close buttons and hover.
    void CloseActivePage();
    void SetCloseState(int state);
    // Painting.
    void PaintControl(TCanvas &canvas);
    void PaintTab(TCanvas &canvas, TPaintState &ps, TDazTabSheet *page, bool deferredActive);
    void PaintTabContent(TCanvas &canvas, TPaintState &ps, TDazTabSheet *page, int x, int y,
                         bool active);
    TColor ParentColor() const;
    bool Designing() const { return false; }
    void ReleaseDockClient(QWidget *client, bool floatIt);

    std::vector<TDazTabSheet *> FPages;
    TDazTabSheet *FActivePage = nullptr;
    TDazTabSheet *FUndockingPage = nullptr;
    TTabMargin FTabMargin;
    std::vector<std::pair<QString, TDazTabSheet *>> FClosedTabList;
    TCustomImageList *FImages = nullptr;
    int FDummyWidth = 0;
    int FDummyHeight = 0;
    TColor FColor = clBtnFace;
    TColor FDefaultTextColor = clBlack;
    TColor FDefaultTabColor = clBtnFace;
    TColor FDefaultTabColorTo = clNone;
    TColor FActiveColor = clBtnFace;
    TColor FActiveColorTo = clNone;
    bool FTabBorder3D = false;
    TColor FTabBorderColor = clGray;
    TColor FTabHoverColor = clNone;
    TColor FTabHoverColorTo = clNone;
    TColor FTabHoverBorder = clNone;
    bool FShowFocus = false;
    bool FHoverClosedButton = false;
    int FTabOverlap = 0;
    bool FTabSheet3D = false;
    TColor FTabSheetBorderColor = clGray;
    TColor FTabBackGroundColor = clBtnFace;
    bool FTabSplitLine = false;
    bool FRoundEdges = false;
    int FHoverTab = -1;
    QImage FTabBackGround;
    QImage FTabBackGroundActive;
    TTabStyle FTabStyle = tsClassic;
    int FLowerActive = 2;
    bool FPropertiesLoaded = false;
    bool FFreeOnClose = false;
    TFont FFont;
    TFont FActiveFont;
    QImage FCloseGlyph;
    bool FHotTrack = false;
    bool FScrollOpposite = false;
    bool FDockSite = false;
    int FCloseState = 0;   // TCloseButtonState of the active page's button
    std::vector<std::pair<QWidget *, TDazTabSheet *>> FDocked;
    TDazTabStrip FTabs;
};
