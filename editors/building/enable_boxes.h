#pragma once
// The Enable column of the editors whose tables hold real check boxes (the OPC UA server
// variables, the known certificates) passes through the rule editor frame as "Y"/"N" texts.
#include "editors/fieldbus/ruletable.h"

class TDazStringGrid;

// The "Y"/"N" a load put into the cells become the boxes' states, and the states the
// cells' texts for a check and a save (no box reads "N").
void Enable_Texts_To_Boxes(TDazStringGrid &grid, int col);
void Enable_Boxes_To_Texts(TDazStringGrid &grid, int col, TRule_Rows &rows);
// A loaded Enable ticks the box unless it is exactly "N".
QString Enable_From_File(const QString &value);

