#pragma once
// The settings objects a grid creates and exposes: search bar, keyboard navigation, mouse
// behaviour, coupling with another grid, banded rows and the focus indicator switch. They
// hold values, defaults, copy rules and change notifications; what a value does to the
// grid's behaviour is the grid's business.
//
// To notify means firing OnChange with the object as Sender when it is assigned. Assign
// copies only from an object of the same class and silently ignores any other source.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridevents.h"
#include "grid/base/graphics.h"
#include "grid/base/stringgridbase.h"
#include "grid/base/stringlist.h"

#include <QPointer>
#include <QString>


// A property without side effects: Name() reads, SetName(Value) stores.
#define CF_GRID_PLAIN_PROPERTY(Type, Name, Default)                                          \
public:                                                                                     \
    Type Name() const { return F##Name; }                                                   \
    void Set##Name(const Type &Value) { F##Name = Value; }                                  \
                                                                                            \
private:                                                                                    \
    Type F##Name = Default;

// Settings of the search bar at the grid's foot.
class TSearchFooter : public TPersistent
{
public:
    // InitDesign: the captions and hints get their English texts (else they start empty).
    TSearchFooter(TObject *AOwner, bool InitDesign);

    // Notify only when the value changes.
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    // Notify on every write.
    QString FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString &Value);
    QString FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString &Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    QString MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString &Value);
    QString HintClose() const { return FHintClose; }
    void SetHintClose(const QString &Value);
    QString HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString &Value);
    QString HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString &Value);
    QString HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString &Value);
    QString HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString &Value);
    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    void SetFont(const TFontObject &Value);   // copies, then notifies

    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(bool, AutoSearch, true)
    CF_GRID_PLAIN_PROPERTY(QString, LastSearch, {})
    CF_GRID_PLAIN_PROPERTY(int, SearchColumn, -1)
    CF_GRID_PLAIN_PROPERTY(bool, SearchActiveColumnOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, SearchMatchStart, false)
    CF_GRID_PLAIN_PROPERTY(bool, SearchFixedCells, false)
    CF_GRID_PLAIN_PROPERTY(bool, SearchHiddenRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, AlwaysHighLight, false)
    CF_GRID_PLAIN_PROPERTY(TSearchDirection, SearchDirection, sdTopBottom)

private:
    void Changed();
    bool FShowFindPrev = true;
    bool FShowFindNext = true;
    QString FFindNextCaption;
    QString FFindPrevCaption;
    TColor FColorTo = clBtnFace;
    TColor FColor = clWhite;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
    bool FShowClose = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    QString FMatchCaseCaption;
    QString FHintClose;
    QString FHintFindPrev;
    QString FHintHighlight;
    QString FHintFindNext;
    QString FHighLightCaption;
    TFontObject FFont;
};

// Keyboard, editing and clipboard navigation.
class TNavigation : public TPersistent
{
public:
    TNavigation() = default;

    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);   // notifies on change
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);                   // notifies on change
    bool AdvanceAuto() const { return FAdvanceAuto; }
    // Switching it on also switches AdvanceOnEnter on.
    void SetAdvanceAuto(bool Value);

    // Copies every setting but KeepScrollOnSort, without notification.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    CF_GRID_PLAIN_PROPERTY(TInsertPosition, InsertPosition, pInsertBefore)
    CF_GRID_PLAIN_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    CF_GRID_PLAIN_PROPERTY(THomeEndAction, HomeEndKey, heFirstLastColumn)
    CF_GRID_PLAIN_PROPERTY(TCursorAdvance, CursorAdvance, caDefault)
    CF_GRID_PLAIN_PROPERTY(bool, AdvanceOnEnterLoop, true)
    CF_GRID_PLAIN_PROPERTY(bool, AdvanceAutoEdit, true)
    CF_GRID_PLAIN_PROPERTY(bool, AdvanceSkipReadOnlyCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, AllowCtrlEnter, true)
    CF_GRID_PLAIN_PROPERTY(bool, AllowClipboardRowGrow, true)
    CF_GRID_PLAIN_PROPERTY(bool, AllowClipboardColGrow, true)
    CF_GRID_PLAIN_PROPERTY(bool, EditSelectAll, true)
    CF_GRID_PLAIN_PROPERTY(bool, ComboGetUpDown, true)
    CF_GRID_PLAIN_PROPERTY(bool, CursorWalkAlwaysEdit, true)
    CF_GRID_PLAIN_PROPERTY(bool, LeftRightRowSelect, true)
    CF_GRID_PLAIN_PROPERTY(bool, CopyHTMLTagsToClipboard, true)
    CF_GRID_PLAIN_PROPERTY(bool, SkipFixedCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, SkipDisabledRows, true)
    CF_GRID_PLAIN_PROPERTY(bool, AllowInsertRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowDeleteRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, AlwaysEdit, false)
    CF_GRID_PLAIN_PROPERTY(bool, AdvanceOnEnter, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoGotoWhenSorted, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoGotoIncremental, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoComboDropSize, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowClipboardShortCuts, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowSmartClipboard, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowRTFClipboard, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowFmtClipboard, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllowClipboardAlways, false)
    CF_GRID_PLAIN_PROPERTY(bool, AppendOnArrowDown, false)
    CF_GRID_PLAIN_PROPERTY(bool, CursorWalkEditor, false)
    CF_GRID_PLAIN_PROPERTY(bool, CursorMoveRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, MoveRowOnSort, false)
    CF_GRID_PLAIN_PROPERTY(bool, KeepScrollOnSort, false)
    CF_GRID_PLAIN_PROPERTY(bool, MoveScrollOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, ImproveMaskSel, false)
    CF_GRID_PLAIN_PROPERTY(bool, KeepHorizScroll, false)
    CF_GRID_PLAIN_PROPERTY(bool, LineFeedOnEnter, false)
    CF_GRID_PLAIN_PROPERTY(bool, TabToNextAtEnd, false)

private:
    void Changed();
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;
};

// Mouse behaviour.
class TMouseActions : public TPersistent
{
public:
    explicit TMouseActions(TObject *AOwner);

    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);   // notifies on change
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    // On: DisjunctRowSelect and CheckAllCheck go on too. Fires OnInvalidate either way.
    void SetHotmailRowSelect(bool Value);
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);    // on: fires OnDisableEdit
    // The three disjunct selections exclude each other at design time only: switching one
    // on while OnIsDesigning reports design time switches the other two off.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    // The same setting as DisjunctRowSelect, without the side effects.
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }
    const TStringList &FixedComboValues() const { return FFixedComboValues; }
    TStringList &FixedComboValues() { return FFixedComboValues; }
    void SetFixedComboValues(const TStringList &Value);   // copies the list

    // Copies every setting but SizeFixedRow, HotmailRowSelect, EditOnDblClickOnly and
    // FixedComboValues, without notification.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

    CF_GRID_PLAIN_PROPERTY(int, WheelIncrement, 0)
    CF_GRID_PLAIN_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    CF_GRID_PLAIN_PROPERTY(TGridFixedCellEdit, FixedColsEdit, fceNone)
    CF_GRID_PLAIN_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    CF_GRID_PLAIN_PROPERTY(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    CF_GRID_PLAIN_PROPERTY(bool, AutoSizeColOnDblClick, true)
    CF_GRID_PLAIN_PROPERTY(bool, PreciseNodeClick, true)
    CF_GRID_PLAIN_PROPERTY(bool, ColSelect, false)
    CF_GRID_PLAIN_PROPERTY(bool, RowSelect, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllSelect, false)
    CF_GRID_PLAIN_PROPERTY(bool, DirectEdit, false)
    CF_GRID_PLAIN_PROPERTY(bool, DirectComboDrop, false)
    CF_GRID_PLAIN_PROPERTY(bool, DirectComboClose, false)
    CF_GRID_PLAIN_PROPERTY(bool, DirectDateClose, false)
    CF_GRID_PLAIN_PROPERTY(bool, DirectDateDrop, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllColumnSize, false)
    CF_GRID_PLAIN_PROPERTY(bool, AllRowSize, false)
    CF_GRID_PLAIN_PROPERTY(bool, CaretPositioning, false)
    CF_GRID_PLAIN_PROPERTY(bool, SizeFixedCol, false)
    CF_GRID_PLAIN_PROPERTY(bool, SizeFixedRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, RangeSelectAndEdit, false)
    CF_GRID_PLAIN_PROPERTY(bool, NoAutoRangeScroll, false)
    CF_GRID_PLAIN_PROPERTY(bool, PreciseCheckBoxCheck, false)
    CF_GRID_PLAIN_PROPERTY(bool, CheckAllCheck, false)
    CF_GRID_PLAIN_PROPERTY(bool, NodeAllExpandContract, false)
    CF_GRID_PLAIN_PROPERTY(bool, MoveRowOnNodeClick, false)
    CF_GRID_PLAIN_PROPERTY(bool, RowSelectPersistent, false)
    CF_GRID_PLAIN_PROPERTY(bool, SelectOnRightClick, false)
    CF_GRID_PLAIN_PROPERTY(bool, NoScrollOnPartialRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, DisjunctRowSelectNoCtrl, false)

private:
    bool IsDesigning();
    TWheelAction FWheelAction = waMoveSelection;
    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TStringList FFixedComboValues;
};

// Coupling of a grid's scrolling, selection and moves with another grid.
class TSyncGrid : public TPersistent
{
public:
    explicit TSyncGrid(TObject *AOwner);

    TStringGridBase *Grid() const;
    // The owner grid itself is refused: a grid cannot be coupled to itself. A coupled grid
    // that is destroyed reads back as nullptr.
    void SetGrid(TStringGridBase *Value);

    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, ScrollHorizontal, false)
    CF_GRID_PLAIN_PROPERTY(bool, ScrollVertical, false)
    CF_GRID_PLAIN_PROPERTY(bool, SelectionRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, SelectionColumn, false)
    CF_GRID_PLAIN_PROPERTY(bool, MoveRow, false)
    CF_GRID_PLAIN_PROPERTY(bool, MoveColumn, false)

private:
    TObject *FOwner;
    QPointer<TStringGridBase> FGrid;
};

// Banded row colours: PrimaryLength rows in PrimaryColor, then SecondaryLength rows in
// SecondaryColor. Changes notify only while the bands are active.
class TBands : public TPersistent
{
public:
    TBands() = default;

    bool Active() const { return FActive; }
    void SetActive(bool Value);   // notifies on change
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    int TotalLength() const { return FTotalLength; }   // PrimaryLength + SecondaryLength

    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(bool, Print, false)

private:
    void ChangedWhileActive();
    bool FActive = false;
    int FTotalLength = 2;
    int FSecondaryLength = 1;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    TColor FPrimaryColor = clInfoBk;
};

// The switch of the focus indicator drawn round the edited cell.
class TFocusHelper : public TPersistent
{
public:
    explicit TFocusHelper(TObject *AOwner);

    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, Enabled, false)
};
