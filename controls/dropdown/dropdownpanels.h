#pragma once
// The header and footer strips of a drop-down window: background, border, image and mark-up
// caption from their appearance, one TDazButton per button item, and (footer) a size grip
// that resizes the drop-down window from its bottom-right corner.
#include "controls/dropdown/dazbutton.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TCustomImageList;
struct TRect;

// The panels' button list; an index at or above Count is refused with its own message.
class TDbgList
{
public:
    int Count() const { return int(FItems.size()); }
    TDazButton *GetItemsEx(int Index) const;            // EListError
    void SetItemsEx(int Index, TDazButton *Value);      // EListError
    void Add(TDazButton *Value) { FItems.push_back(Value); }
    void Clear() { FItems.clear(); }
    void AssignList(const TDbgList &ListA) { FItems = ListA.FItems; }

private:
    std::vector<TDazButton *> FItems;
};

using TDrawBackGroundEvent = std::function<void(QWidget *Sender, TCanvas &ACanvas, const TRect &ARect)>;
using TGetTextEvent = std::function<void(QWidget *Sender, QString &Text)>;

// What the header and footer share; each keeps its own copy of the editor's appearance.
class TDazDropDownPanel : public QWidget
{
public:
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value) { FImages = Value; }
    TDazDropDownHost *DazDropDown() const { return FDazDropDown; }
    // Links the editor: its images and a copy of its appearance (nil unlinks).
    void SetDazDropDown(TDazDropDownHost *Value);
    // Rebuilds the buttons from the editor's items (nothing without an editor).
    void BuildButtons();
    // The editor's button items, or nil without an editor.
    TAppearanceButtons *Buttons() const;
    const TDbgList &ButtonList() const { return FButtonList; }
    virtual TDropDownAppearance &Appearance() = 0;

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    TDazDropDownPanel(QWidget *Parent, bool Footer);
    // The area the buttons sit in.
    virtual TRect ButtonArea() const;
    virtual TDropDownAppearance &EditorAppearance() = 0;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // The appearance copy's change: Visible and Height follow it.
    void AppearanceChanged();
    // Footer: the grip after everything else.
    virtual void PaintGrip(TCanvas &) {}

    TCustomImageList *FImages = nullptr;
    TDazDropDownHost *FDazDropDown = nullptr;
    TDbgList FButtonList;

private:
    void ButtonClick(TDazButton *Sender);
    void PaintBorder(TCanvas &Canvas, const TRect &R);
    bool FFooter;
};

class TDazHeader : public TDazDropDownPanel
{
public:
    explicit TDazHeader(QWidget *Parent = nullptr);
    TDropDownAppearance &Appearance() override { return FAppearance; }
    void SetAppearance(const THeaderAppearance &Value) { FAppearance.Assign(&Value); }

protected:
    TDropDownAppearance &EditorAppearance() override;

private:
    THeaderAppearance FAppearance;
};

class TDazFooter : public TDazDropDownPanel
{
public:
    explicit TDazFooter(QWidget *Parent = nullptr);
    TDropDownAppearance &Appearance() override { return FAppearance; }
    void SetAppearance(const TFooterAppearance &Value) { FAppearance.Assign(&Value); }
    // The grip shows with the appearance's SizeGrip and an editor that is sizeable.
    bool GripShown() const;
    // The grip rectangle within R.
    TRect GripRect() const;
    // X > Width - 12 and Y > Height - 15.
    bool InGripZone(const QPoint &P) const;

protected:
    TRect ButtonArea() const override;
    TDropDownAppearance &EditorAppearance() override;
    void PaintGrip(TCanvas &Canvas) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // Hands the window to the platform to size it from its bottom-right corner.
    virtual void StartSizing();

private:
    void RestoreCursor();
    TFooterAppearance FAppearance;
    bool FSizingCursor = false;
};
