#pragma once
// TStringGridBase: a TCustomGrid whose cells hold one text and one object each (TGridStore).
// Texts and objects move with their rows and columns (MoveRow, MoveColumn, DeleteRow,
// DeleteColumn); cells stay reachable beyond ColCount and RowCount, where the store keeps
// what was written. The in-place editor reads and writes the cell texts.
#include "grid/base/customgrid.h"
#include "grid/base/gridstore.h"

#include <QStringList>

class TStringGridBase : public TCustomGrid
{
    Q_OBJECT
public:
    explicit TStringGridBase(QWidget *Parent = nullptr);

    // Negative indexes throw EGridError; reading beyond what was written gives "".
    QString Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
    // Writes the text and repaints the cell; an editor open on it shows the new text.
    void SetCells(int ACol, int ARow, const QString &Value);
    TObject *Objects(int ACol, int ARow) const { return FStore.Object(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject *Value);   // not owned
    // Replaces a whole row's texts and objects in one write (TGridStore::SetRow) and repaints
    // the row once.
    void SetRowCells(int ARow, const QStringList &Texts, const std::vector<TObject *> &Objects);
    // The same with a row taken out of the store before (TGridStore::RowData). Without
    // Repaint the caller repaints (a bulk restore inside an update lock repaints once).
    void SetRowData(int ARow, const TGridStore::TRowData &Value, bool Repaint = true);
    // Takes a row out whole, leaving it empty without a repaint (the caller removes it), and
    // puts one back (TGridStore::TakeRow, PutRow); PutRow is a row write like SetRowData.
    TGridStore::TParkedRow TakeRow(int ARow) { return FStore.TakeRow(ARow); }
    void PutRow(int ARow, TGridStore::TParkedRow &&Row, bool Repaint = true);
    // DeleteRows that hands each removed row over whole: row Rows[j] goes to Cells[j] and
    // its height to Heights[j], in the same pass that closes the gaps.
    void TakeRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells, int *Heights);
    // The ColCount texts of a row / RowCount texts of a column; setting writes as many
    // cells as the list holds (further cells keep their texts).
    QStringList Rows(int ARow) const;
    void SetRows(int ARow, const QStringList &Value);
    QStringList Cols(int ACol) const;
    void SetCols(int ACol, const QStringList &Value);
    const TGridStore &Store() const { return FStore; }

protected:
    // With DefaultDrawing, the text at 2 pixels from the top-left, clipped to the cell;
    // then OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    QString GetEditText(int ACol, int ARow) override;   // the cell text, then OnGetEditText
    void SetEditText(int ACol, int ARow, const QString &Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;   // moves the cells, fires the event
    void RowMoved(int FromIndex, int ToIndex) override;
    void RowsDeleted(const std::vector<int> &Rows) override;    // the cells go with them
    void RowsInserted(const std::vector<int> &Rows) override;   // empty cells

private:
    // An editor on the row shows the row's new text; the row is repainted.
    void RowWritten(int ARow, bool Repaint = true);

    TGridStore FStore;
    TGridStore::TParkedRow *FTaken = nullptr;   // where RowsDeleted hands rows during TakeRows
    int FEditUpdate = 0;   // > 0 while the editor's own text is being written
};
