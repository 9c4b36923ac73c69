#pragma once
// Names the grid family registers once per process: the event a grid posts to itself when
// an edit ended ("GridEditDone"), the event by which a date editor hands the focus on
// ("DTPShiftFocus"), and the clipboard format of copied grid cells ("TDazStringGrid Cells").
#include <QEvent>
#include <QString>

// Custom event types, registered on first use and the same for the rest of the run.
QEvent::Type GridEditDoneMessage();
QEvent::Type DTPShiftFocusMessage();
// The MIME type under which cells travel on the clipboard and in drags.
QString GridCellsClipboardFormat();
