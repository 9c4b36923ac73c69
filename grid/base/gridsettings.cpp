#include "grid/base/gridsettings.h"

#include "grid/base/stringgridbase.h"

namespace {

template <class T>
void StoreAndNotify(T &Field, const T &Value, const TNotifyEvent &OnChange, TObject *Sender)
{
    Field = Value;
    if (OnChange)
        OnChange(Sender);
}

template <class T>
void StoreAndNotifyOnChange(T &Field, const T &Value, const TNotifyEvent &OnChange,
                            TObject *Sender)
{
    if (Field != Value)
        StoreAndNotify(Field, Value, OnChange, Sender);
}

}   // namespace

// --- TSearchFooter ---------------------------------------------------------------------

TSearchFooter::TSearchFooter(TObject *, bool InitDesign)
{
    if (InitDesign) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
        FHintFindNext = QStringLiteral("Find next occurrence");
    }
}

void TSearchFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TSearchFooter::SetShowFindPrev(bool Value) { StoreAndNotifyOnChange(FShowFindPrev, Value, OnChange, this); }
void TSearchFooter::SetShowFindNext(bool Value) { StoreAndNotifyOnChange(FShowFindNext, Value, OnChange, this); }
void TSearchFooter::SetShowHighLight(bool Value) { StoreAndNotifyOnChange(FShowHighLight, Value, OnChange, this); }
void TSearchFooter::SetShowMatchCase(bool Value) { StoreAndNotifyOnChange(FShowMatchCase, Value, OnChange, this); }
void TSearchFooter::SetVisible(bool Value) { StoreAndNotifyOnChange(FVisible, Value, OnChange, this); }

void TSearchFooter::SetFindNextCaption(const QString &Value) { StoreAndNotify(FFindNextCaption, Value, OnChange, this); }
void TSearchFooter::SetFindPrevCaption(const QString &Value) { StoreAndNotify(FFindPrevCaption, Value, OnChange, this); }
void TSearchFooter::SetColorTo(TColor Value) { StoreAndNotify(FColorTo, Value, OnChange, this); }
void TSearchFooter::SetColor(TColor Value) { StoreAndNotify(FColor, Value, OnChange, this); }
void TSearchFooter::SetAutoThemeAdapt(bool Value) { StoreAndNotify(FAutoThemeAdapt, Value, OnChange, this); }
void TSearchFooter::SetShowClose(bool Value) { StoreAndNotify(FShowClose, Value, OnChange, this); }
void TSearchFooter::SetMatchCaseCaption(const QString &Value) { StoreAndNotify(FMatchCaseCaption, Value, OnChange, this); }
void TSearchFooter::SetHintClose(const QString &Value) { StoreAndNotify(FHintClose, Value, OnChange, this); }
void TSearchFooter::SetHintFindPrev(const QString &Value) { StoreAndNotify(FHintFindPrev, Value, OnChange, this); }
void TSearchFooter::SetHintHighlight(const QString &Value) { StoreAndNotify(FHintHighlight, Value, OnChange, this); }
void TSearchFooter::SetHintFindNext(const QString &Value) { StoreAndNotify(FHintFindNext, Value, OnChange, this); }
void TSearchFooter::SetHighLightCaption(const QString &Value) { StoreAndNotify(FHighLightCaption, Value, OnChange, this); }

void TSearchFooter::SetFont(const TFontObject &Value)
{
    FFont.Assign(&Value);
    Changed();
}

void TSearchFooter::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TSearchFooter *>(Source);
    if (!s)
        return;
    FShowFindPrev = s->FShowFindPrev;
    FShowFindNext = s->FShowFindNext;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FColorTo = s->FColorTo;
    FColor = s->FColor;
    FVisible = s->FVisible;
    FShowClose = s->FShowClose;
    FShowHighLight = s->FShowHighLight;
    FShowMatchCase = s->FShowMatchCase;
    FMatchCaseCaption = s->FMatchCaseCaption;
    FHintClose = s->FHintClose;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FHintFindNext = s->FHintFindNext;
    FSearchColumn = s->FSearchColumn;
    FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
    FSearchMatchStart = s->FSearchMatchStart;
    FSearchHiddenRows = s->FSearchHiddenRows;
    FHighLightCaption = s->FHighLightCaption;
    FAlwaysHighLight = s->FAlwaysHighLight;
    FSearchDirection = s->FSearchDirection;
    // The font's own change event belongs to whoever watches this footer's font.
    const TNotifyEvent fontChange = FFont.OnChange;
    FFont.OnChange = nullptr;
    FFont.Assign(&s->FFont);
    FFont.OnChange = fontChange;
}

// --- TNavigation -----------------------------------------------------------------------

void TNavigation::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    StoreAndNotifyOnChange(FAdvanceDirection, Value, OnChange, this);
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    StoreAndNotifyOnChange(FAdvanceInsert, Value, OnChange, this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value)
        return;
    FAdvanceAuto = Value;
    if (Value)
        FAdvanceOnEnter = true;
}

void TNavigation::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TNavigation *>(Source);
    if (!s)
        return;
    const bool keepScroll = FKeepScrollOnSort;
    const TNotifyEvent onChange = OnChange;
    *this = *s;
    FKeepScrollOnSort = keepScroll;
    OnChange = onChange;
}

// --- TMouseActions ---------------------------------------------------------------------

TMouseActions::TMouseActions(TObject *) {}

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning)
        OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    StoreAndNotifyOnChange(FWheelAction, Value, OnChange, this);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit)
        OnDisableEdit(this);
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    FDisjunctRowSelect = Value;
    if (Value && IsDesigning()) {
        FDisjunctColSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    FDisjunctColSelect = Value;
    if (Value && IsDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    FDisjunctCellSelect = Value;
    if (Value && IsDesigning()) {
        FDisjunctRowSelect = false;
        FDisjunctColSelect = false;
    }
}

void TMouseActions::SetFixedComboValues(const TStringList &Value)
{
    FFixedComboValues.Assign(&Value);
}

void TMouseActions::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TMouseActions *>(Source);
    if (!s || s == this)
        return;
    FWheelIncrement = s->FWheelIncrement;
    FWheelAction = s->FWheelAction;
    FFixedRowsEdit = s->FFixedRowsEdit;
    FFixedColsEdit = s->FFixedColsEdit;
    FFixedRowsEditor = s->FFixedRowsEditor;
    FFixedColsEditor = s->FFixedColsEditor;
    FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
    FPreciseNodeClick = s->FPreciseNodeClick;
    FColSelect = s->FColSelect;
    FRowSelect = s->FRowSelect;
    FAllSelect = s->FAllSelect;
    FDirectEdit = s->FDirectEdit;
    FDirectComboDrop = s->FDirectComboDrop;
    FDirectComboClose = s->FDirectComboClose;
    FDirectDateClose = s->FDirectDateClose;
    FDirectDateDrop = s->FDirectDateDrop;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FAllColumnSize = s->FAllColumnSize;
    FAllRowSize = s->FAllRowSize;
    FCaretPositioning = s->FCaretPositioning;
    FSizeFixedCol = s->FSizeFixedCol;
    FRangeSelectAndEdit = s->FRangeSelectAndEdit;
    FNoAutoRangeScroll = s->FNoAutoRangeScroll;
    FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
    FCheckAllCheck = s->FCheckAllCheck;
    FNodeAllExpandContract = s->FNodeAllExpandContract;
    FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
    FRowSelectPersistent = s->FRowSelectPersistent;
    FSelectOnRightClick = s->FSelectOnRightClick;
    FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
    FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
}

// --- TSyncGrid -------------------------------------------------------------------------

TSyncGrid::TSyncGrid(TObject *AOwner) : FOwner(AOwner) {}

TStringGridBase *TSyncGrid::Grid() const
{
    return FGrid.data();
}

void TSyncGrid::SetGrid(TStringGridBase *Value)
{
    if (Value && static_cast<TObject *>(Value) == FOwner)
        return;
    FGrid = Value;
}

void TSyncGrid::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TSyncGrid *>(Source);
    if (!s)
        return;
    SetGrid(s->Grid());
    FScrollHorizontal = s->FScrollHorizontal;
    FScrollVertical = s->FScrollVertical;
    FSelectionRow = s->FSelectionRow;
    FSelectionColumn = s->FSelectionColumn;
    FMoveRow = s->FMoveRow;
    FMoveColumn = s->FMoveColumn;
}

// --- TBands ----------------------------------------------------------------------------

void TBands::ChangedWhileActive()
{
    if (FActive && OnChange)
        OnChange(this);
}

void TBands::SetActive(bool Value)
{
    StoreAndNotifyOnChange(FActive, Value, OnChange, this);
}

void TBands::SetPrimaryColor(TColor Value)
{
    if (FPrimaryColor == Value)
        return;
    FPrimaryColor = Value;
    ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor Value)
{
    if (FSecondaryColor == Value)
        return;
    FSecondaryColor = Value;
    ChangedWhileActive();
}

void TBands::SetPrimaryLength(int Value)
{
    if (FPrimaryLength == Value)
        return;
    FPrimaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::SetSecondaryLength(int Value)
{
    if (FSecondaryLength == Value)
        return;
    FSecondaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TBands *>(Source);
    if (!s)
        return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FPrint = s->FPrint;
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

// --- TFocusHelper ----------------------------------------------------------------------

TFocusHelper::TFocusHelper(TObject *) {}

void TFocusHelper::Assign(const TPersistent *Source)
{
    if (const auto *s = dynamic_cast<const TFocusHelper *>(Source))
        FEnabled = s->FEnabled;
}
