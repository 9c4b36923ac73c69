#pragma once
// The text and object store of a string grid: one text and one object reference per cell.
//
// Rows are made on the first non-empty write and hold only as many cells as their last
// written column, so a grid of a million rows costs one pointer per row until it is filled.
// A row keeps its texts back to back in one string with the end offset of each cell, which
// costs a fraction of one string per cell; reading a cell copies its text out (TextView
// reads without copying).
// The store keeps what lies beyond the grid's current counts (hidden columns live there, and
// shrinking then growing a grid shows the old cells again, as callers expect). Objects are
// not owned.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class TObject;

class TGridStore
{
public:
    // Cells at or beyond these limits are refused (EGridError), so a wild index never
    // allocates without bound.
    static constexpr int MaxColumns = 65536;
    static constexpr int MaxRows = 1 << 25;

    QString Text(int ACol, int ARow) const;        // empty where nothing was written
    // The text without a copy; valid until the row is next written.
    QStringView TextView(int ACol, int ARow) const;
    void SetText(int ACol, int ARow, const QString &Value);
    TObject *Object(int ACol, int ARow) const;     // nullptr where nothing was written
    void SetObject(int ACol, int ARow, TObject *Value);

    // Row ARow moves to index ToIndex; the rows between shift by one (texts and objects).
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);
    // Removes the rows at Rows (ascending, each once) / inserts empty rows that end up at
    // Rows (ascending final indexes), in one pass; the rows after them move.
    void DeleteRows(const std::vector<int> &Rows);
    void InsertRows(const std::vector<int> &Rows);
    // Replaces a whole row at once: column c takes Texts[c] and Objects[c], the columns
    // beyond both lists are emptied (bulk restores, without one write per cell).
    void SetRow(int ARow, const QStringList &Texts, const std::vector<TObject *> &Objects);

    // A row as the store keeps it. Taking a row out (RowData) and putting it back
    // (SetRowData) copies no text: the texts are one implicitly shared string, so rows can
    // be parked elsewhere (hidden rows) at the cost of two small vectors.
    struct TRowData
    {
        QString Data;                     // the texts back to back
        std::vector<uint32_t> Ends;       // end of cell c's text in Data
        std::vector<TObject *> Objects;   // object slots; may be shorter than Ends
        int Cells() const { return int(Ends.size()); }
        QStringView Text(int c) const;    // empty beyond the cells
    };
    TRowData RowData(int ARow) const;     // empty for a row that holds nothing
    void SetRowData(int ARow, const TRowData &Value);   // replaces the row

private:
    struct TRow;

public:
    // A row taken out of the store whole (TakeRow) and put back (PutRow): parking many rows
    // elsewhere moves one pointer per row and copies or allocates nothing.
    class TParkedRow
    {
    public:
        // Made, moved and dropped inline: the hidden-row store holds hundreds of thousands.
        TParkedRow() = default;
        TParkedRow(TParkedRow &&Other) noexcept : FRow(std::exchange(Other.FRow, nullptr)) {}
        TParkedRow &operator=(TParkedRow &&Other) noexcept
        {
            if (this != &Other) {
                if (FRow)
                    Free(FRow);
                FRow = std::exchange(Other.FRow, nullptr);
            }
            return *this;
        }
        ~TParkedRow()
        {
            if (FRow)
                Free(FRow);
        }
        int Cells() const;
        QStringView Text(int c) const;   // empty beyond the cells
        int ObjectCount() const;
        TObject *Object(int c) const;    // nullptr beyond the object slots
        // Asks the memory for the row ahead of its use (bulk restores read many rows).
        void Prefetch() const { __builtin_prefetch(FRow); }

    private:
        friend class TGridStore;
        static void Free(TRow *Row);
        TRow *FRow = nullptr;   // owned; nullptr for a row that held nothing
    };
    // Removes the rows at Rows like DeleteRows, handing row Rows[j] to Taken[j] (empty ones
    // there for rows the store never made).
    void DeleteRows(const std::vector<int> &Rows, TParkedRow *Taken);
    // Takes the row out, leaving it empty.
    TParkedRow TakeRow(int ARow);
    void PutRow(int ARow, TParkedRow &&Row);   // replaces the row
    // Empties the texts and object slots of one row or column (nothing is freed).
    void ClearRow(int ARow);
    void ClearColumn(int ACol);
    void Clear();

    // Asks the memory for a row (Depth 0) or its object slots (1) ahead of a scan reading
    // them; nothing for a row beyond the store.
    void Prefetch(int ARow, int Depth) const
    {
        if (ARow < 0 || ARow >= int(FRows.size()))
            return;
        const TRow *row = FRows[size_t(ARow)].get();
        if (Depth == 0)
            __builtin_prefetch(row);
        else if (row && !row->Objects.empty())
            __builtin_prefetch(row->Objects.data());
    }

    // Rows that may hold data: every row index at or beyond this is empty.
    int RowExtent() const { return int(FRows.size()); }
    // Object slots of row ARow that may be set: every column at or beyond this has none.
    int ObjectExtent(int ARow) const;
    // Bytes held by the store itself and its texts (an estimate for tuning and reports).
    size_t MemoryUsage() const;

private:
    struct TRow
    {
        QString Data;                     // the texts of the row, back to back
        std::vector<uint32_t> Ends;       // end of cell c's text in Data (it starts at Ends[c-1])
        std::vector<TObject *> Objects;   // empty until the row's first object
        int Cells() const { return int(Ends.size()); }
        uint32_t Start(int c) const { return c == 0 ? 0 : Ends[size_t(c) - 1]; }
        QStringView View(int c) const
        {
            return QStringView(Data).mid(Start(c), Ends[size_t(c)] - Start(c));
        }
        void Set(int c, QStringView Value);
        void MoveCell(int From, int To);
    };
    TRow *RowAt(int ARow) const;
    TRow &RowForWrite(int ARow);
    static void CheckIndex(int ACol, int ARow);

    std::vector<std::unique_ptr<TRow>> FRows;
};
