#pragma once
// Reaches into the controls behind the grid's editor interfaces, for tests that cannot
// include the drop-down headers beside the grid's.
#include <QStringList>

class QPlainTextEdit;
class QWidget;

void SetDetailCaptions(QWidget *Control, const QStringList &Captions);
int DetailItemIndex(QWidget *Control);
QPlainTextEdit *MemoOf(QWidget *Control);
// A click on item Index of the image picker's open list.
void ClickImageItem(QWidget *Control, int Index);
