#include "grid/string/gridmessages.h"

#include "grid/base/griddragdrop.h"

QEvent::Type GridEditDoneMessage()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QEvent::Type DTPShiftFocusMessage()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QString GridCellsClipboardFormat()
{
    return MimeGridCells;
}
