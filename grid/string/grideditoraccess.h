#pragma once
// The steps the grid's spin, edit-with-button and date picker editors share: committing the
// typed value into the current cell through the grid's validation, the Tab rule, and the
// closing of the editor when it loses the focus.
#include "grid/string/dazstringgrid.h"

#include <QFocusEvent>
#include <QLineEdit>

#include <functional>

class TGridEditorAccess
{
public:
    // The cell := Text, then ValidateCell. Shown gets the text the editor shows next: the
    // corrected text on refusal (the grid then does not advance for this key), else the
    // cell's stored text.
    static bool Commit(TDazStringGrid *Grid, const QString &Text, QString &Shown);
    // Tab after a commit. With goTabs the editor closes and the grid tabs on: true, the key
    // is done. Without, a Tab key is posted to the grid for its validation and the editor
    // closes as for any other key: false.
    static bool TabRule(TDazStringGrid *Grid, TShiftState Shift);
    static void ClearNoAutoAdvance(TDazStringGrid *Grid) { Grid->FNoAutoAdvance = false; }
    static void ClearRefusal(TDazStringGrid *Grid) { Grid->FLastValidation = true; }
    // The editor lost the focus: the edit ends unless the grid itself is closing it or
    // another window only borrowed the focus.
    static void FocusLost(TDazStringGrid *Grid, QWidget *Control, Qt::FocusReason Reason);
    // After Enter, Escape or Tab: closes through DoneInplaceEdit and opens the next editor
    // when the grid advances with editing.
    static void Done(TDazStringGrid *Grid, uint16_t Key, TShiftState Shift);
    static void GridKeyDown(TDazStringGrid *Grid, uint16_t Key, TShiftState Shift)
    {
        Grid->KeyDown(Key, Shift);
    }
    // Tab, Enter and Escape end the edit in the key-down step and type nothing: clears them.
    static bool DropEndingChar(QChar &Key)
    {
        const ushort c = Key.unicode();
        if (c != 9 && c != 13 && c != 27)
            return false;
        Key = QChar();
        return true;
    }
    static TEditorType EditorType(TDazStringGrid *Grid) { return Grid->FEditControl; }
    // Escape: the editor closing next writes nothing back, so the cell keeps its text
    // (not a reformatted value, a colour name or an empty memo).
    static void Cancel(TDazStringGrid *Grid) { Grid->FMoreEditors.Cancelled = true; }

    // Steps the line editors of the grid share (the text editor, the edit with button).
    // Completes the text before the caret from the grid's LookupItems and selects the
    // completed part; only with Lookup on and nothing selected. True when it completed.
    static bool LookupComplete(TDazStringGrid *Grid, QLineEdit *Edit);
    static bool LookupComplete(TDazStringGrid *Grid, TInplaceEdit *Edit);
    // The clipboard text a paste into the current cell inserts, after OnClipboardPaste and
    // OnClipboardBeforePasteCell (Sender: the edit) and without one trailing line break.
    // False when the clipboard holds no text or a handler refused.
    static bool PasteText(TDazStringGrid *Grid, TObject *Sender, QString &Value);
    // Edit's text with Value in place of the selection, or inserted at the caret.
    static QString PasteResult(const QLineEdit *Edit, const QString &Value, int &Start,
                               bool &Replaced);
    static QString PasteResult(const TInplaceEdit *Edit, const QString &Value, int &Start,
                               bool &Replaced);
    // After the paste: the pasted part stays selected when it replaced a selection, else the
    // caret follows it.
    static void ShowPasted(QLineEdit *Edit, int Start, int Length, bool Replaced);
    static void ShowPasted(TInplaceEdit *Edit, int Start, int Length, bool Replaced);
    // Left at the start or Right at the end of the text (SelKeyDown: the caret when the key
    // went down) without shift keys leaves the cell. Commit writes and validates the text
    // (false: refused, the editor stays). True when the key was taken (Key := 0).
    static bool CursorWalk(TDazStringGrid *Grid, QLineEdit *Edit, uint16_t &Key,
                           TShiftState Shift, int SelKeyDown,
                           const std::function<bool()> &Commit);
    static bool CursorWalk(TDazStringGrid *Grid, TInplaceEdit *Edit, uint16_t &Key,
                           TShiftState Shift, int SelKeyDown,
                           const std::function<bool()> &Commit);

private:
    template <class E>
    static bool LookupCompleteT(TDazStringGrid *Grid, E *Edit);
    template <class E>
    static QString PasteResultT(const E *Edit, const QString &Value, int &Start, bool &Replaced);
    template <class E>
    static void ShowPastedT(E *Edit, int Start, int Length, bool Replaced);
    template <class E>
    static bool CursorWalkT(TDazStringGrid *Grid, E *Edit, uint16_t &Key, TShiftState Shift,
                            int SelKeyDown, const std::function<bool()> &Commit);
};

// An editor control of the grid over the widget class Base: made hidden and disabled on the
// grid's viewport, ending the edit when it loses the focus.
template <class Base>
class TGridEditorControl : public Base
{
public:
    explicit TGridEditorControl(TDazStringGrid *Grid) : Base(Grid->viewport()), FGrid(Grid)
    {
        this->hide();
        this->setEnabled(false);
    }
    TDazStringGrid *Grid() const { return FGrid; }
    void ReCreate() {}

protected:
    void focusOutEvent(QFocusEvent *e) override
    {
        FFocusOutReason = e->reason();
        Base::focusOutEvent(e);
    }
    void DoExit() override
    {
        Base::DoExit();
        TGridEditorAccess::FocusLost(FGrid, this, FFocusOutReason);
    }
    // The grid's OnEditChange (display column) for a change while the editor is open.
    void ReportEditChange(const QString &Text)
    {
        if (FGrid && this->isVisible() && FGrid->OnEditChange)
            FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text);
    }

    TDazStringGrid *FGrid;
    Qt::FocusReason FFocusOutReason = Qt::OtherFocusReason;
};
