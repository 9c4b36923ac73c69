#pragma once
// The grid's own exchange formats. The binary cell stream carries a rectangle of cells with
// their texts, properties and graphics as a run of small component records (the bytes of
// the clipboard cell format and of dragged cells); the grid text file and text stream hold
// a whole grid as a size line, column-width lines and one "col,row,text" line per cell.
//
// Streams are read and written at the device's position; readers leave it after the last
// byte they used.
#include "grid/string/dazstringgrid.h"

#include <QString>

class QIODevice;

// A record of the cell stream that cannot be read (bad signature, truncated data, a
// property its record does not have).
class EGridStreamReadError : public EDazGridError
{
public:
    using EDazGridError::EDazGridError;
};

// Reaches the parts of the grid the file tools need beyond its public face.
class TGridFileAccess
{
public:
    static void SetNodeCount(TDazStringGrid &Grid, int Value) { Grid.FNodeCount = Value; }
};

namespace GridCellStream {

// Rect holds first and last column and row, inclusive.
void SaveRectToBinStream(TDazStringGrid &Grid, const TRect &Rect, QIODevice &Stream);
void SaveToBinStream(TDazStringGrid &Grid, QIODevice &Stream);
void SaveToBinFile(TDazStringGrid &Grid, const QString &FileName);
// A partial stream lands with its first cell at Point; a full-grid stream resizes the grid
// (its header is checked first: EDazGridError and no change when it does not fit) and
// lands on its own coordinates offset by Point. Cells outside the grid are skipped.
void LoadAtPointFromBinStream(TDazStringGrid &Grid, TPoint Point, QIODevice &Stream);
void LoadFromBinStream(TDazStringGrid &Grid, QIODevice &Stream);
// The sizes and the source grid's identity a stream's header carries; EGridStreamReadError
// when the header cannot be read.
struct TBinStreamHeader
{
    int ColCount = 0;
    int RowCount = 0;
    bool FullGrid = false;
    int ID = 0;
};
TBinStreamHeader ReadBinStreamHeader(const QByteArray &Data);
// The identity this grid writes into the streams it makes.
int BinStreamID(TDazStringGrid &Grid);
// An unreadable file raises EFileError before any cell changes.
void LoadFromBinFile(TDazStringGrid &Grid, const QString &FileName);

// The text file: UTF-16 LE with byte-order mark when Unicode, else Windows-1252.
void SaveToFile(TDazStringGrid &Grid, const QString &FileName, bool Unicode);
void LoadFromFile(TDazStringGrid &Grid, const QString &FileName);
// The text stream: UTF-16 LE lines, coordinates relative to the save range; a load stops
// at the first line that is no grid line, leaving the stream there.
void SaveToStream(TDazStringGrid &Grid, QIODevice &Stream);
void LoadFromStream(TDazStringGrid &Grid, QIODevice &Stream);

// 0 for an empty cell; "Error at position: N in Cell [c, r]." when the text is no number.
double CellToReal(TDazStringGrid &Grid, int ACol, int ARow);

// The 80-bit extended float of the stream, little-endian, and back.
void DoubleToExtended(double Value, unsigned char Out[10]);
double ExtendedToDouble(const unsigned char In[10]);

}   // namespace GridCellStream
