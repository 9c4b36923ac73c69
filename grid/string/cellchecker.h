#pragma once
// TDazStringGridCheck: what the string grid asks to check and correct cell texts. A real
// checker derives from it; the base accepts every text unchanged.
#include "grid/base/classes.h"
#include "grid/base/gridsettings.h"

#include <QString>

class TDazStringGridCheck : public TComponent
{
public:
    // The text with its errors marked (the grid stores the result).
    virtual QString MarkError(int /*ACol*/, int /*ARow*/, const QString &S) { return S; }
    // The corrected text.
    virtual QString Correct(int /*ACol*/, int /*ARow*/, const QString &S) { return S; }
    // Around a range check.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // A range check visits each cell as the current cell and comes back.
    CF_GRID_PLAIN_PROPERTY(bool, GotoCell, false)
    // The grid corrects / marks an edited cell when its edit ends.
    CF_GRID_PLAIN_PROPERTY(bool, AutoCorrect, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoMarkError, false)
    // A check calls Correct / MarkError.
    CF_GRID_PLAIN_PROPERTY(bool, UseCorrect, false)
    CF_GRID_PLAIN_PROPERTY(bool, UseMarkError, false)
};
