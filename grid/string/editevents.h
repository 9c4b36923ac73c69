#pragma once
// Signatures of the string grid's editing events. Sender is the grid unless a comment says
// otherwise; a reference parameter is one the handler may change. Columns are real columns
// except where noted at the event.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridevents.h"

#include <QEvent>
#include <QString>
#include <functional>

class TEditLink;

using TComboChangeEvent = std::function<void(TObject *Sender, int ACol, int ARow, int AItemIndex,
                                             const QString &ASelection)>;
using TComboObjectChangeEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, int AItemIndex,
                       const QString &ASelection, TObject *AObject)>;
using TEditCellDoneEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TCellValidateEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value, bool &Valid)>;
using TGetEditorPropEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, TEditLink *AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(TObject *Sender, int ACol, int ARow)>;
using TAutoAdvanceEvent = std::function<void(TObject *Sender, int OldRow, int OldCol,
                                             int &NewRow, int &NewCol, bool &Allow)>;
using TClipboardBeforePasteCellEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value, bool &Allow)>;
using TClipboardAfterPasteCellEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;

// The editor types edited in the grid's text editor (the others open a control).
bool IsTextEditorType(TEditorType T);

// Which directions the wheel-button panning moves in.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

// Posted to the grid when an edit has ended; the grid fires OnEditCellDone(Col, Row) when
// it arrives, after the editor has closed.
class TGridEditDoneEvent : public QEvent
{
public:
    TGridEditDoneEvent(QEvent::Type Type, int ACol, int ARow) : QEvent(Type), Col(ACol), Row(ARow)
    {
    }
    const int Col;   // real column
    const int Row;
};
