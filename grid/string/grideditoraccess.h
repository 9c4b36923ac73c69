#pragma once
// The steps the grid's spin, edit-with-button and date picker editors share: committing the
// typed value into the current cell through the grid's validation, the Tab rule, and the
// closing of the editor when it loses the focus.
#include "grid/string/dazstringgrid.h"

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
    static TEditorType EditorType(TDazStringGrid *Grid) { return Grid->FEditControl; }
};
