#pragma once
// What the data tools keep for one grid besides the grid's own fields: the events of
// filtering and of the calculations, the filter's level bookkeeping, the memory of the
// grouped column and the last find. Made on first use as a child of the grid and freed with it, so the
// string grid carries nothing for tools it never uses.
#include "grid/string/dazstringgrid.h"

#include <QObject>
#include <QString>
#include <functional>

using TCustomFilterEvent = std::function<void(TObject *Sender, int ARow, bool &AcceptRow)>;
using TGridProgressEvent = std::function<void(TObject *Sender, int Progress)>;
using TFilterSelectEvent = std::function<void(TObject *Sender, int Column, int ItemIndex,
                                              const QString &FriendlyName, QString &FilterCondition)>;
class QListWidget;
using TFilterCheckEvent =
    std::function<void(TObject *Sender, int Column, int ItemIndex, const QString &FriendlyName,
                       QString &FilterCondition, QListWidget *CheckList)>;
using TGroupCalcEvent =
    std::function<void(TObject *Sender, int ACol, int FromRow, int ToRow, double &Res)>;

enum TClipOperation { coCut, coCopy };
using TClipboardWideCellEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value, bool &Allow)>;
using TClipboardAfterWideCellEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, const QString &Value)>;
using TCellsPastedEvent =
    std::function<void(TObject *Sender, TPoint Source, TGridRect Target, TClipOperation Op)>;

using TOleDragOverEvent = std::function<void(TObject *Sender, int ARow, int ACol, bool &Allow)>;
using TOleDropEvent =
    std::function<void(TObject *Sender, int ARow, int ACol, const QString &Data, bool &Allow)>;
using TOleDroppedEvent = std::function<void(TObject *Sender, TGridRect ARect)>;
using TOleDropColEvent = std::function<void(TObject *Sender, int ARow, int ACol, int DropCol)>;

class TGridToolState : public QObject
{
public:
    // The state of Grid, made on first use.
    static TGridToolState &Of(TDazStringGrid &Grid);

    // Progress of the bin and text file savers and loaders, in percent.
    TGridProgressEvent OnFileProgress;

    // Filtering.
    TCustomFilterEvent OnCustomFilter;   // the last word on every row MatchFilter tests
    TGridProgressEvent OnFilterProgress;
    bool FilterActive = false;
    int FilterFixedRows = 0;   // FixedRows when the last filter was applied
    QString LastFilter;        // the text of the last NarrowDown

    // The header filter list.
    TFilterSelectEvent OnFilterSelect;
    TFilterCheckEvent OnFilterCheck;
    bool FilterDropDownCheck = false;   // a check list instead of the single choice
    int FilterCol = -1;                 // the column whose list is open
    class TDropList *DropList = nullptr;             // children of the grid's viewport
    class TDropCheckList *DropCheckList = nullptr;

    // Calculations.
    TGroupCalcEvent OnColumnCalc;
    TGroupCalcEvent OnGroupCalc;

    // The clipboard: the top-left cell and kind of the last copy, which a paste reports.
    TPoint ClipTopLeft{-1, -1};
    TClipOperation ClipLastOp = coCopy;
    TClipboardWideCellEvent OnClipboardBeforePasteWideCell;
    TClipboardAfterWideCellEvent OnClipboardAfterPasteWideCell;
    // After cells were pasted (the grid marks the target rows modified itself).
    TCellsPastedEvent OnCellsPasted;

    // Drops (OLE drag and drop).
    TOleDragOverEvent OnOleDragOver;
    TOleDropEvent OnOleDrop;
    TOleDroppedEvent OnOleDropped;
    TOleDropColEvent OnOleDropCol;
    TOleDropEvent OnOleDropFile;
    TOleDropEvent OnOleDropURL;

    // The grouped column as it was before Group took it out.
    int GroupWidth = 0;
    QString GroupCaption;
    QString GroupFooter;

    // Search: the options, text (upper-cased unless fnMatchCase) and hit of the last find,
    // and the column and row of the preset options.
    uint16_t FindParams = 0;
    QString SearchCache;
    TPoint SearchCell{-1, -1};
    int FindCol = 0;
    int FindRow = 0;
    bool FindBusy = false;

private:
    explicit TGridToolState(QObject *Parent) : QObject(Parent) {}
};

// The grid shows each stored text as it is (no display hook, no link or group-count text):
// a cell without a record may then be read from the store without a copy.
bool ShowsStoredTexts(TDazStringGrid &Grid);
