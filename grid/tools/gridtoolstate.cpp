#include "grid/tools/gridtoolstate.h"

TGridToolState &TGridToolState::Of(TDazStringGrid &Grid)
{
    for (QObject *child : Grid.children())
        if (auto *s = dynamic_cast<TGridToolState *>(child))
            return *s;
    return *new TGridToolState(&Grid);
}

bool ShowsStoredTexts(TDazStringGrid &Grid)
{
    return !Grid.OnGetDisplText && !Grid.OnGetDisplWideText && !Grid.URLShowInText() &&
           !Grid.Grouping().ShowGroupCount();
}
