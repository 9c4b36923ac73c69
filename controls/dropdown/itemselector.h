#pragma once
// The scrolling grid of colour or picture cells that the colour, image and detail pickers
// drop down: TDazCustomItemSelector (the scrolling outer control, owner of the items and the
// look) around TCustomItemSelector (the panel that lays the cells out in a fixed number of
// columns, sizes itself to them and tracks the hot and the selected cell).
//
// The selector handles no keys: the hosting pickers map keys to the navigation calls.
// Adding or deleting items lays nothing out; hosts call UpdateSelectorPanel afterwards.
// Layout measures every caption once, so it costs O(items) renderer calls.
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/itemlayout.h"
#include "controls/dropdown/pickeritems.h"
#include "platform/canvas.h"

#include <QScrollArea>
#include <QSize>
#include <functional>

class TCustomImageList;
class TCustomItemSelector;
class TDazCustomItemSelector;

enum TSelectorType { stImage, stColor };

// (Sender: the panel, canvas, cell rectangle, item index).
using TDrawItemEvent =
    std::function<void(TObject *Sender, TCanvas &Canvas, const TRect &R, int Index)>;
// (Sender: the panel, the cell size to set).
using TItemSizeEvent = std::function<void(TObject *Sender, QSize &Size)>;
// (Sender: the picker, canvas, the edit's value area).
using TOnDrawSelectedItem = std::function<void(TObject *Sender, TCanvas &Canvas, const TRect &R)>;

class TSelectorItem : public TCaptionImageItem
{
public:
    using TCaptionImageItem::TCaptionImageItem;
    void Assign(const TPersistent *Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetAndNotify(FColor, Value); }
    // The cell in panel coordinates, set by the layout.
    TRect Rect() const { return FRect; }
    QString Hint;

private:
    friend class TCustomItemSelector;
    TColor FColor = clNone;
    TRect FRect{-1, -1, -1, -1};
};

using TSelectorItems = TNotifyingItemsOf<TSelectorItem>;

// The look of hot and selected cells. Plain fields: a new value shows at the next paint.
class TItemAppearance : public TPersistent, public TItemAppearanceColors
{
public:
    TItemAppearance();
    // From another appearance: the twelve gradient and border colours, the font, then the
    // source's style preset over them (when it differs), then the selected text and the
    // two state borders. The hot text colour is not copied.
    void Assign(const TPersistent *Source) override;
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // The preset of a style; scCustom and an unchanged style set nothing.
    void SetColorStyle(TSelectionColorStyle Style);

    TFont Font;
    TNotifyEvent OnChange;   // never fired

private:
    TSelectionColorStyle FColorStyle = scCustom;
};

// The inner panel. Made only by an item selector ("Invalid parent" otherwise).
class TCustomItemSelector : public QWidget, public TObject
{
public:
    explicit TCustomItemSelector(TObject *AOwner);

    TDazCustomItemSelector *DazItemSelector() const { return FDazItemSelector; }
    int ItemIndex() const { return FItemIndex; }
    // A disabled item is refused; any other value (also the current one) fires
    // OnItemSelect once it is >= 0.
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain caption, trimmed and upper-cased, starts with S.
    bool LookupItem(const QString &S);
    int ItemAtPos(QPoint P) const;

    virtual void DrawItem(int Index, TCanvas &Canvas);
    virtual void GetItemsArea(TRect &R);
    virtual void GetItemSize(QSize &Size);
    virtual void InvalidateItem(int Index);
    virtual void ArrangeItems();

    TNotifyEvent OnItemSelect;

    // Margins of the panel and inside a cell, the gap between box and caption.
    int FOffSetX = 2, FOffSetY = 2, FItemOffSetX = 4, FItemOffSetY = 4, FCaptionGap = 4;

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;

private:
    QSize BoxSize(const TSelectorItem &Item) const;
    void DrawBox(TCanvas &Canvas, const TSelectorItem &Item, int X, int Y, QSize Box);
    int FItemIndex = -1;
    int FItemHot = -1;
    TDazCustomItemSelector *FDazItemSelector;
};

class TDazCustomItemSelector : public QScrollArea, public TObject, public TFreeNotifyClient
{
public:
    explicit TDazCustomItemSelector(QWidget *Parent = nullptr);
    ~TDazCustomItemSelector() override;

    TSelectorItems &Items() { return *FItems; }
    const TSelectorItems &Items() const { return *FItems; }
    void SetItems(const TSelectorItems &Value) { FItems->Assign(&Value); }
    TCustomItemSelector *Panel() const { return FItemSelectorPanel; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHot() const;
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    // Stored only: it takes effect at the next UpdateSelectorPanel.
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TItemAppearance &ItemAppearance() { return FItemAppearance; }
    void SetItemAppearance(const TItemAppearance &Value) { FItemAppearance.Assign(&Value); }

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString &S);
    void ScrollItemInView(int Index);
    // Whole rows that fit the height; 0 without items or when a cell has no height.
    int GetVisibleItemCount() const;
    QSize GetPanelSize() const;
    bool VertScrollBarVisible() const;
    bool HorzScrollBarVisible() const;

    void Notification(TComponent *AComponent, TOperation Operation) override;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;
    TNotifyEvent OnResize;

protected:
    void resizeEvent(QResizeEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;

private:
    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14, FColorBoxHeight = 14;
    TCustomImageList *FImages = nullptr;
    TCustomItemSelector *FItemSelectorPanel = nullptr;
    TItemAppearance FItemAppearance;
    TColor FColor = clWhite;
};

// The image drawn greyed, as a disabled list image looks.
QImage DisabledImage(const QImage &Image);
