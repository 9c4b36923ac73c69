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

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class TDazStringGrid;

// What the grid uses of a drop-down edit control.
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
