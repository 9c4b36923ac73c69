#pragma once
// The header and footer strips of the drop-down window: background, border, image and
// mark-up caption in the look of the editor's DropDownHeader / DropDownFooter, one push
// button per button item (clicks reach the editor with the item index), and in the footer a
// size grip that resizes the drop-down window from its bottom-right corner.
#include "controls/dropdown/dazbutton.h"
#include "controls/dropdown/dropdownedit.h"
#include "grid/base/classes.h"
#include "grid/string/dropdownappearance.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TCustomImageList;
class TDazCustomDropDown;
struct TRect;

// The panel's buttons with guarded index access.
class TDbgList
{
public:
    int Count() const { return int(FItems.size()); }
    // Index >= Count raises "Index out of bounds in list read access" ("... write access").
    TDazButton *GetItemsEx(int Index) const;
    void SetItemsEx(int Index, TDazButton *Value);
    void Add(TDazButton *Value) { FItems.push_back(Value); }
    void Clear() { FItems.clear(); }
    void AssignList(const TDbgList &ListA) { FItems = ListA.FItems; }
    bool Empty() const { return FItems.empty(); }
    TDazButton *Last() const { return FItems.back(); }

private:
    std::vector<TDazButton *> FItems;
};


class TDazDropDownPanel : public QWidget, public TObject, public TFreeNotifyClient
{
public:
    ~TDazDropDownPanel() override;

    TDropDownAppearance &Appearance() { return FAppearance; }
    TCustomImageList *Images() const { return FImages; }
    void SetImages(TCustomImageList *Value);
    TDazCustomDropDown *DazDropDown() const { return FDazDropDown; }
    // Takes the editor's look (the own copy is re-assigned); nullptr clears the images.
    void SetDazDropDown(TDazCustomDropDown *Value);
    // Creates the buttons when an editor is set.
    void BuildButtons() { CreateButtons(); }
    const TDbgList &ButtonList() const { return FButtonList; }
    // The button area and the caption's right bound.
    virtual TRect ButtonArea() const = 0;
    int BorderWidth = 0;

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

    void Notification(TComponent *AComponent, TOperation Operation) override;

protected:
    // Appearance is the descendant's own copy, not yet constructed here: the descendant
    // calls Init once it is.
    TDazDropDownPanel(QWidget *Parent, TDropDownAppearance &Appearance, bool Footer);
    void Init();
    // The editor's appearance this panel copies, its button items and click event.
    virtual const TDropDownAppearance &EditorAppearance() const = 0;
    virtual const TAppearanceButtons &EditorButtons() const = 0;
    void ButtonClick(TObject *Sender);
    // Background, border, image and caption.
    virtual void Paint(TCanvas &Canvas);
    void paintEvent(QPaintEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;

    TDazCustomDropDown *FDazDropDown = nullptr;

private:
    void VisibilityUpdate();
    TDropDownAppearance &FAppearance;
    TCustomImageList *FImages = nullptr;
    TDbgList FButtonList;
    bool FFooter;
};

class TDazHeader : public TDazDropDownPanel
{
public:
    explicit TDazHeader(QWidget *Parent = nullptr);
    THeaderAppearance &HeaderAppearance() { return FOwnAppearance; }
    // The editor's button items, nullptr without an editor.
    const THeaderButtons *Buttons() const;
    TRect ButtonArea() const override;

protected:
    const TDropDownAppearance &EditorAppearance() const override;
    const TAppearanceButtons &EditorButtons() const override;

private:
    THeaderAppearance FOwnAppearance;
};

class TDazFooter : public TDazDropDownPanel
{
public:
    explicit TDazFooter(QWidget *Parent = nullptr);
    TFooterAppearance &FooterAppearance() { return FOwnAppearance; }
    const TFooterButtons *Buttons() const;
    TRect ButtonArea() const override;
    // The grip shows with SizeGrip on an editor whose drop-down is sizeable.
    bool SizeGripShown() const;
    bool InGripZone(QPoint At) const;

protected:
    const TDropDownAppearance &EditorAppearance() const override;
    const TAppearanceButtons &EditorButtons() const override;
    void Paint(TCanvas &Canvas) override;
    // Resizes the drop-down window from its bottom-right corner.
    virtual void StartSizing();
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;

private:
    void RestoreCursor();
    TFooterAppearance FOwnAppearance;
    Qt::CursorShape FOldCursor = Qt::ArrowCursor;
};
