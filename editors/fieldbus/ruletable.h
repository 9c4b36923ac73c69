#pragma once
// The description of a rule editor's tables and project file, and what runs on it without a
// window: the reset tables, the file read into them, the check of every rule and the file
// written from them. Each editor is a description plus a TRule_Behaviour (its row check and,
// where a column is not stored as typed, the conversion of that column).
//
// File layout: the root element, at document level the comment "SW_VERSION = " + version,
// under the root one list element per table (or the rows directly under the root), each row
// an element whose attributes hold cells 1..n as typed. Reading takes the first element of
// the document as the root whatever its name and the k-th child element of a list as row
// k + 1; a missing list element or a missing attribute without default stops the reading.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// How a column's cells are edited.
enum class TRule_Cell
{
    Text,        // free text
    Check,       // check box whose cell text is "Y" / "N"
    Pick,        // pick list, only its items
    Pick_Edit,   // pick list that also takes typed text
};

struct TRule_Column_Desc
{
    int Header = -1;                  // UI text of the header, -1 for none
    int Hint = -1;                    // UI text of the header hint, -1 for an empty entry
    const char *Attribute = nullptr;  // file attribute; nullptr: the column is not stored
    const char *Default = nullptr;    // value of a missing attribute; nullptr: it must be there
    TRule_Cell Cell = TRule_Cell::Text;
    int Width = 64;
    QStringList Items = {};           // fixed pick-list items
    QString Reset = {};               // text of the cell in a reset row
    const char *On_Load = nullptr;    // not stored: the cell of every row read from the file
                                      // (nullptr leaves it as reset)
};

// How a table's Enable cell (column 1) decides whether a rule is checked.
enum class TRule_Enable
{
    None,            // no Enable column: every rule is checked
    Trimmed,         // checked when the cell, trimmed, is "Y"
    Trimmed_Upper,   // checked when the cell, trimmed and upper-cased, is "Y"
    Upper,           // checked when the cell, upper-cased but not trimmed, is "Y"
    Exact,           // checked when the cell is exactly "Y"
};

// Which column a header hint is looked up by.
enum class TRule_Hint
{
    None,        // the table has no hint handler
    Real,        // the real column (hidden columns keep their entry)
    Displayed,   // the displayed column
};

struct TRule_Table_Desc
{
    const char *Grid_Name = "";
    const char *Sheet_Name = "";       // tab sheet of a two-table editor
    int Tab_Caption = -1;
    const char *List = "";             // list element under the root; "" for rows under the root
    bool List_Optional = false;        // a root without the list element reads it as empty
    const char *Row_Element = "row";
    int Rows = 0;                      // data rows
    std::vector<TRule_Column_Desc> Columns; // column 0 is the row number
    int Key_Col = 2;                   // an empty key cell ends the table; -1: no key
    bool Key_Trimmed = true;           // the key cell is trimmed before the emptiness test
    // Validation ends at the first row whose cells in these columns are all empty (tested
    // as the key is); empty: at the first empty key cell, where saving ends too.
    std::vector<int> Check_Keys = {};
    bool Save_All_Rows = false;        // rows after an empty key cell are saved too
    TRule_Enable Enable = TRule_Enable::Trimmed;
    bool Insert_Enable = true;         // Insert Row puts "Y" into column 1
    int Error_Row = -1;                // UI text that starts each error ("Error row ")
    TRule_Hint Hint = TRule_Hint::Real;
    bool Clear_Other_Hints = false;    // the hint handler empties the hint of data cells
    bool Show_Hints = true;            // the grid shows its header hints at all
    bool Key_Press = true;             // Enter walks the table (Opt_Jump_Field_Tables)
    bool Col_Sizing = true;            // columns can be widened by dragging a header border
    bool In_Place_Edit = false;        // the layout's options include in-place editing
    bool Row_Sizing = false;           // rows can be heightened by dragging a row border
    bool Draw_Focus_Selected = false;  // the focused cell is drawn as selected

    int Col_Count() const { return int(Columns.size()); }
};

struct TRule_Editor_Desc
{
    const char *Form_Name = "";
    int Client_Width = 0;
    int Client_Height = 0;             // 0: the creation sets only the width
    int Caption = -1;                  // window caption text
    int Description = -1;              // L_SW_Desc text
    // Texts of OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row; -1 keeps the caption
    // of the layout (the English one) in every language.
    std::vector<int> Button_Captions;
    std::vector<int> Button_Hints;
    bool Buttons_Show_Hints = false;
    std::vector<int> Hinted_Buttons = {}; // with Buttons_Show_Hints off: the buttons (0 OK ..
                                          // 5 Paste Row) that show their hints all the same
    bool Row_Buttons = true;           // false: only OK and Cancel
    bool Check_Routines = false;       // row buttons move check-box states (the _Check forms)
    bool Headers_In_Cells = false;     // headers written into row 0 instead of the column items
    bool Focus_On_Show = false;        // the first table takes the focus at the end of a showing
    int Delete_Question = -1;          // "Are you sure to delete the Row number "
    const char *Root = "";
    QString Version;                   // "1.001"; empty: no version comment
    std::vector<TRule_Table_Desc> Tables;
};

// The cells of one table: entry i is grid row i + 1 and holds every real column's text.
using TRule_Rows = std::vector<QStringList>;
using TRule_Data = std::vector<TRule_Rows>;

class TXmlNode;

// What an editor adds to its description. Rows and columns are grid rows and real columns.
class TRule_Behaviour
{
public:
    virtual ~TRule_Behaviour() = default;
    // The text of the first failing check of an enabled rule ("!! [Modbus Read] ..."), empty
    // when the rule is valid. A check that spans rules (a byte total) sets Whole_Message
    // when its text stands without the "Error row n" prefix.
    virtual QString Check_Row(int table, int row, const QStringList &cells) = 0;
    // The whole message of a check over all tables once every rule passed (limits on the
    // rules of both tables together), empty when it passes.
    virtual QString Check_Tables(const TRule_Data &data);
    // The cell for an attribute found in the file, and the attribute for a cell.
    virtual QString Cell_From_File(int table, int row, int col, const QString &value);
    virtual QString Cell_To_File(int table, int row, int col, const QString &cell);
    // After the attributes of a file row were read into its cells: values that depend on
    // other cells or on attributes of an older layout.
    virtual void Row_From_File(int table, int row, const TXmlNode &element, QStringList &cells);

    bool Whole_Message = false;
};

// The integer rule of every cell: the text as an integer literal (leading blanks, a sign,
// decimal digits, or hexadecimal after "$", "x" or "0x"); -1 for anything else, an overflow
// included.
int Rule_Int(const QString &cell);
// Rule_Int of the cell lies in lo..hi.
bool Rule_In_Range(const QString &cell, int lo, int hi);
// The text of a check whose text ends in "between 0 and " / "between 1 and ": the limit
// appended in decimal.
QString Rule_Limit_Text(int text, int64_t limit);

// The tables of a showing before loading: column 0 the row number, column 1 "Y" where the
// table has an Enable column, every other cell its column's reset text.
TRule_Data Rule_Reset_Data(const TRule_Editor_Desc &desc);
// The same with the data rows of each table given (tables sized at run time).
TRule_Data Rule_Reset_Data(const TRule_Editor_Desc &desc, const std::vector<int> &rows);
QStringList Rule_Reset_Row(const TRule_Table_Desc &table, int row);

// Reads the file over the tables. A missing file leaves them as they are and gives the
// empty text; a file that cannot be read, a missing list element or a missing attribute
// without default gives the error's text, with the rows and cells read before it kept.
// File rows beyond a table's rows are ignored.
class TXmlDocument;
QString Rule_Load(const TRule_Editor_Desc &desc, const QString &path, TRule_Data &data,
                  TRule_Behaviour &behaviour, TXmlDocument &doc);

// The key cell of a row ends the table (empty, trimmed where the table says so).
bool Rule_Key_Empty(const TRule_Table_Desc &table, const QStringList &cells);
// The row ends the validation of its table (Check_Keys, else the key).
bool Rule_Check_End(const TRule_Table_Desc &table, const QStringList &cells);
// The rule is checked (its Enable cell says so, or the table has none).
bool Rule_Enabled(const TRule_Table_Desc &table, const QStringList &cells);

// Checks the enabled rules of each table up to its first empty key cell (or its Check_Keys):
// the message of the first failure ("Error row 1!! [Modbus Read] ..."), empty when all pass.
QString Rule_Validate(const TRule_Editor_Desc &desc, const TRule_Data &data, TRule_Behaviour &behaviour);

// The document of the tables: each table's rows up to its first empty key cell (or all),
// disabled rules included.
void Rule_Build_Document(const TRule_Editor_Desc &desc, const TRule_Data &data,
                         TRule_Behaviour &behaviour, TXmlDocument &doc);
// Writes that document to path whole (temporary file and rename); throws EXmlError with the
// system's reason, leaving the old file as it was.
void Rule_Save(const TRule_Editor_Desc &desc, const TRule_Data &data, TRule_Behaviour &behaviour,
               const QString &path, TXmlDocument &doc);
