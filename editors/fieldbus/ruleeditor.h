#pragma once
// The window every protocol rule editor stands on: the title panel, one table or tables on
// tab pages, the band of row buttons, and the handlers of the pattern, all driven by the
// editor's TRule_Editor_Desc. The showing rebuilds the tables from the project file, OK
// checks every rule and rewrites the file, Cancel leaves it alone.
//
// An editor derives from it, gives its description and its TRule_Behaviour (row check,
// converted columns), and overrides the show steps it adds to the pattern. Its constructor
// calls FormCreate once its own members are set.
#include "editors/fieldbus/ruletable.h"

#include <QDialog>
#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QTabWidget;
class TDazColumnGrid;
class TDazStringGrid;
class TLbButton;
class TXmlDocument;

class TRule_Editor : public QDialog, public TRule_Behaviour
{
    Q_OBJECT
public:
    // desc lives as long as the window; path is the program state's path value of the
    // editor's file, read at every showing and at OK.
    TRule_Editor(const TRule_Editor_Desc &desc, const QString &path, QWidget *parent = nullptr);
    ~TRule_Editor() override;

    // Runs FormShow, then the modal loop.
    int exec() override;
    // The close box and Escape end the showing as Cancel does.
    void reject() override;

    void FormCreate();
    // Resets the tables and loads the file; a file that cannot be read is reported and the
    // tables keep what was read before the fault.
    void FormShow();
    virtual void Set_Lang();
    // Checks every table; the first fault is shown and gives false.
    bool Controllo_dati();
    // Checks, saves and closes with mrOk; a fault or a failed save keeps the window open.
    virtual void Btn_OKClick();
    // Row buttons act on a data row of the active table only.
    virtual void Btn_DelRowClick();
    virtual void Btn_InsRowClick();
    virtual void Btn_CopyRowClick();
    virtual void Btn_PasteRowClick();

    // Grid events; Sender is the table's grid.
    virtual void ClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    virtual void DblClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    virtual void KeyPress(TDazStringGrid *Sender, QChar &Key);
    virtual void GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr);
    virtual void ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex);

    const TRule_Editor_Desc &Desc() const { return desc_; }
    int Table_Count() const { return int(Tables.size()); }
    TDazColumnGrid *Grid(int table) const { return Tables[size_t(table)].Grid; }
    // The table of the active tab page (the only one in a one-table editor).
    int Active_Table() const;
    TDazColumnGrid *Active_Grid() const { return Grid(Active_Table()); }
    int Table_Of(const TDazStringGrid *grid) const;   // -1 for a grid of no table

    // The cells of every data row, every real column, and back.
    virtual TRule_Data Grid_Data() const;
    void Put_Data(const TRule_Data &data);
    // Empties the table's hint list and refills it from its column descriptions.
    void Refill_Hints(int table);
    // Sizes a table whose rows are counted at run time (the next reset fills that many).
    void Set_Table_Rows(int table, int rows);

    // Per table: its grid, its tab sheet (nullptr in a one-table editor), its header hints
    // (entry i for column i + 1) and whether a row of it was copied in this showing.
    struct TTable_State
    {
        TDazColumnGrid *Grid = nullptr;
        QWidget *Sheet = nullptr;
        QStringList Hints;
        bool Do_Copy = false;
    };
    std::vector<TTable_State> Tables;   // never resized after construction

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QTabWidget *PageControl1 = nullptr;   // two-table editors
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    TLbButton *Btn_DelRow = nullptr;      // nullptr without row buttons
    TLbButton *Btn_InsRow = nullptr;
    TLbButton *Btn_CopyRow = nullptr;
    TLbButton *Btn_PasteRow = nullptr;
    std::unique_ptr<TXmlDocument> XML1;

protected:
    // Steps of the showing an editor adds: before the reset (tab pages, hidden columns) and
    // after it, before the load (per-row arrays, sizes, run-time pick lists).
    virtual void Show_Setup() {}
    virtual void Show_Prepare() {}
    // After the load, before any load error is shown (cells derived from the loaded ones).
    virtual void Show_Loaded() {}
    // Once before each check of the tables (OK, Controllo_dati).
    virtual void Check_Begin() {}
    // Puts a window's own controls between the title panel and the button band.
    void Insert_Body(QWidget *body);

private:
    void Build_Grid(int t);
    void Connect_Grid(TDazColumnGrid *grid);
    QString Path() const { return *path_; }

    const TRule_Editor_Desc &desc_;
    const QString *path_;
    std::vector<int> rows_;   // data rows of each table
};

// "0" .. "count - 1", built once per count and shared by every pick list that offers
// positions of a byte image.
class TStringList;
const TStringList &Rule_Number_Items(int count);
// "None", then "0" .. "count - 1": the positions of a byte that may also be left out.
const TStringList &Rule_None_Number_Items(int count);
// Sets a column's pick list to those items (under the grid's update lock).
void Rule_Set_Number_Items(TDazColumnGrid &grid, int col, int count);
void Rule_Set_Items(TDazColumnGrid &grid, int col, const TStringList &items);
