#pragma once
// TDazStringGridCheck: the cell checker a string grid runs over its texts. A concrete checker
// derives from it and corrects texts or marks their errors; this base accepts every text as
// it is.
#include "grid/base/classes.h"

#include <QString>

class TDazStringGridCheck : public TObject
{
public:
    virtual ~TDazStringGridCheck() = default;

    // The text with its errors marked (the grid stores it in the cell).
    virtual QString MarkError(int ACol, int ARow, const QString &S)
    {
        (void)ACol;
        (void)ARow;
        return S;
    }
    virtual QString Correct(int ACol, int ARow, const QString &S)
    {
        (void)ACol;
        (void)ARow;
        return S;
    }
    // Around a range of checked cells.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // A range check visits each cell as the current cell and returns to the first one.
    bool GotoCell = false;
    // An edited cell is corrected / marked when its edit ends.
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    // A check calls Correct / MarkError.
    bool UseCorrect = false;
    bool UseMarkError = false;
};
