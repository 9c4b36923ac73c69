#pragma once
// The data tools' operations that the string grid's keyboard and mouse start: sorting on a
// header click, the clipboard keys, the key search and the search bar. The data tools sit
// above the string grid and install their implementation once; without one the grid's
// operations do nothing.
class TDazStringGrid;
class QString;

class IGridInputTools
{
public:
    virtual ~IGridInputTools() = default;
    // By SortSettings.Column and Direction / by SortIndexes; the group forms sort within
    // the node groups. QUnSort brings back the order recorded before sorting.
    virtual void QSort(TDazStringGrid &Grid) = 0;
    virtual void QSortIndexed(TDazStringGrid &Grid) = 0;
    virtual void QSortGroup(TDazStringGrid &Grid) = 0;
    virtual void QSortGroupIndexed(TDazStringGrid &Grid) = 0;
    virtual void QUnSort(TDazStringGrid &Grid) = 0;
    virtual void CopySelectionToClipboard(TDazStringGrid &Grid) = 0;
    virtual void CutSelectionToClipboard(TDazStringGrid &Grid) = 0;
    virtual void PasteSelectionFromClipboard(TDazStringGrid &Grid) = 0;
    // Key search over the sort column: the first row whose text starts with s (upper
    // case), -1 when none.
    virtual int Search(TDazStringGrid & /*Grid*/, const QString & /*s*/) { return -1; }
    // The search bar's events.
    virtual void SearchFooterEditChange(TDazStringGrid & /*Grid*/) {}
    virtual void SearchFooterFindNext(TDazStringGrid & /*Grid*/) {}
    virtual void SearchFooterFindPrevious(TDazStringGrid & /*Grid*/) {}
    virtual void SearchFooterHighlight(TDazStringGrid & /*Grid*/) {}
    virtual void SearchFooterClose(TDazStringGrid & /*Grid*/) {}
};

IGridInputTools *GridInputTools();
// Not owned; nullptr uninstalls.
void SetGridInputTools(IGridInputTools *Tools);
