#pragma once
// The three colour choosers the colour picker can drop down besides its named list: a
// palette of 60 boxes whose shade rows join into strips (TCustomColorSelector), a honeycomb
// colour cube of 127 cells (TDazColorCubePanel) and a spectrum picture whose pixel under the
// pointer is taken (TDazColorSpectrumPanel). They report a choice through their own event
// and know nothing of the picker.
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/pickeritems.h"
#include "grid/base/keys.h"
#include "platform/canvas.h"

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <array>

// The program's cursor table: cursors registered by number.
constexpr int crEyeDropper = 54;
void RegisterScreenCursor(int Number, const QCursor &Cursor);
// Qt's arrow for a number nobody registered.
QCursor ScreenCursor(int Number);

// Base of the three: a request to the host to close after a release over the panel.
class TDazCustomColorSelectorPanel : public QWidget, public TObject
{
public:
    explicit TDazCustomColorSelectorPanel(QWidget *Parent = nullptr);
    TNotifyEvent FOnShouldHide;

protected:
    void ShouldHide();
};

struct TCubeCell
{
    int X = 0, Y = 0;   // centre in panel pixels
    TColor Color = clNone;
};

class TDazColorCubePanel : public TDazCustomColorSelectorPanel
{
public:
    static constexpr int kCellCount = 127;
    explicit TDazColorCubePanel(QWidget *Parent = nullptr);

    // Recomputes the centres and colours of all cells.
    void BuildCells();
    // Forgets the hot cell (without repainting) and takes the panel's size, 182 x 160.
    void ResetHot();
    // Cell 1..127 (index 0 unused).
    const TCubeCell &Cell(int Index) const { return FCubeCells[Index]; }
    // The first cell within 6 pixels of P, -1 for none.
    int CellAtPos(QPoint P) const;
    // The hexagon of a cell with half width W and quarter height H.
    static std::vector<TPoint> Hexagon(int X, int Y, int W, int H);

    TColor SelectedColor() const { return FSelectedColor; }
    // Takes the colour (the first cell with it becomes selected) without repainting.
    void SetSelectedColor(TColor Value) { SelectColor(Value, -1); }
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool Value);
    TNotifyEvent OnSelect;

    void Paint(TCanvas &Canvas);
    // The pointer handlers, in panel pixels.
    void MouseDown(QPoint P);
    void MouseMove(QPoint P);
    void MouseUp();

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;

private:
    void SelectColor(TColor Color, int Index);
    void DrawCell(TCanvas &Canvas, int Index);
    void RepaintCell(int Index);
    std::array<TCubeCell, kCellCount + 1> FCubeCells;
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
};

class TDazColorSpectrumPanel : public TDazCustomColorSelectorPanel
{
public:
    explicit TDazColorSpectrumPanel(QWidget *Parent = nullptr);

    // 150 x 174, the picture centred at the top, the preview boxes below it.
    void LayoutSpectrum();
    QWidget *SpectrumImage() const { return FSpectrumImage; }
    TRect HotRect() const { return FHotRect; }
    TRect SelectedRect() const { return FSelectedRect; }
    TColor HotColor() const { return FHotColor; }
    // Stored only; nothing repaints.
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TNotifyEvent OnSelect;

    void Paint(TCanvas &Canvas);
    // The picture's pointer handlers, in picture pixels.
    void ImageMouseMove(QPoint P);
    void ImageMouseDown();
    void ImageMouseUp() { ShouldHide(); }

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;

private:
    QWidget *FSpectrumImage;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect, FSelectedRect;
};

// The spectrum picture: hue along x, from near white at the top through the full hue at
// row 64 to near black at the bottom.
const QImage &SpectrumBitmap();
// The eyedropper pointer, hot spot (1, 30).
QCursor EyeDropperCursor();

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxAppearance : public TPersistent
{
public:
    void Assign(const TPersistent *Source) override;
    TColor BorderColor = 0xC5C5C5;
    TColor OuterBorderColorHot = 0x3694F2, InnerBorderColorHot = 0x94E2FF;
    TColor OuterBorderColorSelected = 0x0000FF, InnerBorderColorSelected = 0x94E2FF;
    TNotifyEvent OnChange;   // never fired
};

class TColorBoxItem : public TNotifyingItem
{
public:
    using TNotifyingItem::TNotifyingItem;
    // Colour and enabled flag; a copied box stands alone.
    void Assign(const TPersistent *Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetAndNotify(FColor, Value); }
    TItemPos ColorBoxPos = ipStandAlone;
    TRect Rect() const { return FRect; }

private:
    friend class TCustomColorSelector;
    TColor FColor = clNone;
    TRect FRect{-1, -1, -1, -1};
};

using TColorBoxItems = TNotifyingItemsOf<TColorBoxItem>;

// The palette of colour boxes.
class TCustomColorSelector : public TDazCustomColorSelectorPanel
{
public:
    explicit TCustomColorSelector(QWidget *Parent = nullptr);

    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Index);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TColorBoxAppearance &ColorBoxAppearance() { return FColorBoxAppearance; }
    TColorBoxItems &Items() { return FItems; }
    void SetItems(const TColorBoxItems &Value) { FItems.Assign(&Value); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value);
    TColor Color = clWhite;   // the background between the boxes

    void LoadDefaultPalette();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Virtual key codes 33..40 (Page Up .. Down).
    void NavigateByKey(int Key, bool EditorEnabled, bool DroppedDown);
    int ItemAtPos(QPoint P) const;

    virtual void DrawItem(int Index, TCanvas &Canvas);
    virtual void GetItemsArea(TRect &R);
    virtual void GetItemSize(QSize &Size);
    virtual void ArrangeItems();
    virtual void InvalidateItem(int Index);

    TNotifyEvent OnItemSelect;
    int FOffSetX = 4, FOffSetY = 4;

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void leaveEvent(QEvent *Event) override;

private:
    int FItemIndex = -1;
    int FItemHot = -1;
    int FColumns = 10, FColumnGap = 4, FColorBoxWidth = 12, FColorBoxHeight = 12;
    TColorBoxAppearance FColorBoxAppearance;
    TColorBoxItems FItems;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    TColor FSelectedColor = clNone;
};
