#pragma once
// TDazGridUndoRedo records the cell text changes of one base grid and steps back and forth
// through them. A grid links it through its UndoRedo property. Runs of changes made by one
// operation are wrapped in a sequence (between a start and a stop marker) so that one
// undo step reverts them all. Only texts are recorded: not cell records, merges, rows or
// columns. Undo and redo write through the grid's SetCellEx and make the changed cell
// current.
#include "grid/base/classes.h"
#include "grid/base/collection.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class TBaseGrid;
class TDazGridUndoRedo;

// One recorded change, or a sequence marker (Col = Row = -1, empty texts).
class TUndoRedoItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;

    int Row() const { return FRow; }
    void SetRow(int Value) { FRow = Value; }
    int Col() const { return FCol; }   // the real column
    void SetCol(int Value) { FCol = Value; }
    QString Value() const { return FValue; }           // the text after the change
    void SetValue(const QString &Value) { FValue = Value; }
    QString OrigValue() const { return FOrigValue; }   // the text before it
    void SetOrigValue(const QString &Value) { FOrigValue = Value; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool Value) { FSequenceStart = Value; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool Value) { FSequenceStop = Value; }

private:
    int FRow = 0;
    int FCol = 0;
    QString FValue;
    QString FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

// The entries in registration order, oldest first.
using TUndoRedoCollection = TCollectionOf<TUndoRedoItem>;

// Fired before each cell is reverted or re-applied: OrigValue is the text the cell holds
// now, NewValue the text about to be written.
using TDazGridUndoRedoEvent =
    std::function<void(TObject *Sender, TBaseGrid *Grid, int Col, int Row,
                       const QString &OrigValue, const QString &NewValue)>;

class TDazGridUndoRedo : public QObject, public TObject
{
    Q_OBJECT
public:
    explicit TDazGridUndoRedo(QObject *AOwner = nullptr);
    ~TDazGridUndoRedo() override;

    // Records that (ACol, ARow) changed from OldValue to NewValue; the grid is not touched.
    // With MaxLevel reached, the oldest entry goes first.
    virtual void RegisterChange(int ACol, int ARow, const QString &OldValue,
                                const QString &NewValue);
    virtual void StartSequence();
    virtual void StopSequence();

    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems.Count(); }
    // Reverts the entry below Level (a whole sequence when it ends one), newest first.
    void Undo();
    // Re-applies the entry at Level (a whole sequence when it starts one), oldest first.
    void Redo();
    void Reset();   // drops every entry

    const TUndoRedoCollection &Items() const { return FItems; }
    TBaseGrid *Grid() const;
    // Set by the grid's UndoRedo; a destroyed grid reads back as nullptr.
    void SetGrid(TBaseGrid *Value);
    // Entries counted as applied: the next undo takes entry Level - 1, the next redo Level.
    int Level() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    int MaxLevel() const { return FMaxLevel; }   // 0: no limit
    void SetMaxLevel(int Value) { FMaxLevel = Value; }

    TDazGridUndoRedoEvent OnUndo;
    TDazGridUndoRedoEvent OnRedo;

private:
    void AddMarker(bool Start);
    void Revert(const TUndoRedoItem *X);
    void Reapply(const TUndoRedoItem *X);
    void Apply(const TDazGridUndoRedoEvent &Event, const TUndoRedoItem *X, const QString &Text);

    TUndoRedoCollection FItems;
    QPointer<TBaseGrid> FGrid;
    int FLevel = 0;
    int FMaxLevel = 0;
};
