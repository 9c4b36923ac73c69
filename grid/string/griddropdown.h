#pragma once
// The grid's drop-down cell editors (track bar, memo, calculator, time picker, detail list,
// multi-column list, grid, colour and image pickers). The drop-down controls live in a
// higher layer: it registers a maker per editor type (SetDropDownEditorMaker), and the grid
// drives the made control through IDropDownEditor. TGridDropDownKeys gives every such
// editor the grid's key protocol: Enter, Up and Down commit through the validation, Tab
// follows the grid's Tab rule, Escape restores the cell, and leaving the control ends the
// edit.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/keys.h"
#include "grid/base/drawroutines.h"
#include "grid/base/styledetect.h"
#include "grid/string/dropdownappearance.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class TCustomImageList;
class TDazStringGrid;
class TStringList;

// What the grid uses of a drop-down edit control. The set-up calls have empty defaults: a
// control without the setting ignores it.
class IDropDownEditor
{
public:
    virtual ~IDropDownEditor() = default;
    virtual QWidget *Control() = 0;
    // The edit text without prefix and suffix.
    virtual QString Text() const = 0;
    virtual void SetText(const QString &Value) = 0;
    virtual bool DroppedDown() const = 0;
    virtual void ShowDropDown() = 0;
    virtual void SelectAll() = 0;
    virtual void SetSelection(int Start, int Length) { (void)Start, (void)Length; }
    virtual void SetEditorEnabled(bool Value) { (void)Value; }
    // Copies of the grid's ControlLook.DropDownHeader / DropDownFooter.
    virtual void SetAppearance(const THeaderAppearance &Header, const TFooterAppearance &Footer)
    {
        (void)Header, (void)Footer;
    }
    virtual void SetComponentStyle(TQVRStyle Style) { (void)Style; }
    virtual void SetColorTones(const TColorTones &Tones) { (void)Tones; }
    // The focus-drawing flag (cleared for the time picker).
    virtual void SetFocusDraw(bool Value) { (void)Value; }
    // Enter is about to commit the text: a control that computes its value on Enter (the
    // calculator's equals) does it here.
    virtual void BeforeEnterCommit() {}

    // Fired by the control with the index of the header or footer button clicked.
    std::function<void(int ButtonIndex)> OnHeaderButtonClick;
    std::function<void(int ButtonIndex)> OnFooterButtonClick;
};

// The members of the family with what the grid loads into them and reads back.
class ITrackBarDropDown : public IDropDownEditor
{
public:
    // Clamped by the track bar.
    virtual int Position() const = 0;
    virtual void SetPosition(int Value) = 0;
};

class IMemoDropDown : public IDropDownEditor
{
public:
    // The memo lines; their text (each line ended by CR LF) goes to the cell.
    virtual TStringList &MemoText() = 0;
    // Fired on every change of the lines.
    std::function<void()> OnChange;
};

class IDetailDropDown : public IDropDownEditor
{
public:
    // The item whose caption equals Text, -1 when none.
    virtual int IndexOfItem(const QString &Text) const = 0;
    virtual void SetItemIndex(int Value) = 0;
};

// The lists that select their item inside an update.
class IItemListDropDown : public IDropDownEditor
{
public:
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void SetItemIndex(int Value) = 0;
};

class IMultiColumnDropDown : public IItemListDropDown
{
public:
    // The item whose lookup text matches, -1 when none. Selecting an item makes the text
    // its lookup cell.
    virtual int GetItemIndex(const QString &Text) const = 0;
};

class IGridDropDown : public IItemListDropDown
{
public:
    // The inner grid of the list.
    virtual TDazStringGrid *Grid() = 0;
    virtual bool UseItems() const = 0;
    // The row of the first item whose lookup column starts with Text, -1 when none.
    virtual int LookupText(const QString &Text) const = 0;
};

class IColorPickerDropDown : public IDropDownEditor
{
public:
    // The 16 named standard colours.
    virtual void AddDefaultColors() = 0;
    virtual TColor SelectedColor() const = 0;
    virtual void SetSelectedColor(TColor Value) = 0;
    virtual QString GetSelectedColorText() const = 0;
    std::function<void()> OnSelect;
};

class IImagePickerDropDown : public IDropDownEditor
{
public:
    virtual TCustomImageList *Images() const = 0;
    virtual void SetImages(TCustomImageList *Value) = 0;
    virtual int ItemCount() const = 0;
    virtual QString ItemCaption(int Index) const = 0;
    virtual void AddImagesFromImageList() = 0;
    // The image index of the selected item, -1 when none; setting selects the first item
    // with that image index.
    virtual int ImageIndex() const = 0;
    virtual void SetImageIndex(int Value) = 0;
    virtual int ItemIndex() const = 0;
    std::function<void()> OnSelect;
};

// The grid owns the editor it gets (deleting it must free its control).
using TDropDownEditorMaker = std::function<IDropDownEditor *(QWidget *Parent)>;
// Registers the maker of one drop-down editor type (an empty maker removes it). Types
// without a maker open nothing.
void SetDropDownEditorMaker(TEditorType Type, TDropDownEditorMaker Maker);
TDropDownEditorMaker DropDownEditorMaker(TEditorType Type);
bool IsDropDownEditorType(TEditorType Type);

class TGridDropDownKeys : public QObject, public TObject
{
public:
    TGridDropDownKeys(TDazStringGrid *Grid, IDropDownEditor *Editor, TEditorType Type);
    ~TGridDropDownKeys() override;
    IDropDownEditor *Editor() const { return FEditor; }
    bool WorkMode = true;
    bool Forced = false;

    // The key-down step; Key becomes 0 when the grid took it.
    void KeyDown(uint16_t &Key, TShiftState Shift);

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    bool Commit();
    TDazStringGrid *FGrid;
    IDropDownEditor *FEditor;
    TEditorType FType;
};
