#pragma once
// "Definition of OPC UA Server Variables": up to 250 variables the gateway's own OPC UA
// server publishes, each with its type, place and length in the data array, name and
// access, in OPC_UA_Server.xml. The Enable column holds real check boxes.
#include "editors/fieldbus/ruleeditor.h"
#include "grid/base/gridenums.h"

enum TOPC_UA_Server_Col
{
    OS_N, OS_Enable, OS_Type, OS_Position, OS_Length, OS_Name, OS_ReadWrite, OS_Mnemonic, OS_Col_Count
};

const TRule_Editor_Desc &OPC_UA_Server_Access_Desc();

// The length of a type and whether it is fixed (the Length cell then read-only); false for
// a type outside the table (compared exactly).
bool OPC_UA_Server_Type_Length(const QString &type, QString &length, bool &fixed);

class TFOPC_UA_Server_Access : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFOPC_UA_Server_Access(QWidget *parent = nullptr);

    void Init_Table();
    void RUDGetEditorType(TDazStringGrid *Sender, int ACol, int ARow, TEditorType &AEditor);
    void ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex) override;
    // A known type sets the Length cell and its read-only mark; then an empty R/W becomes
    // "Read/Write".
    void VarSetLength(const QString &type, int column, int row);

    void Btn_DelRowClick() override;
    void Btn_PasteRowClick() override;
    void DblClickCell(TDazStringGrid *, int, int) override {}
    void KeyPress(TDazStringGrid *, QChar &) override {}

    TRule_Data Grid_Data() const override;
    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Cell_From_File(int table, int row, int col, const QString &value) override;

    TDazColumnGrid *RUD;
    QStringList &Hint;
    QStringList VarType;
    QStringList RWType;
    bool &Do_Copy;

protected:
    void Show_Prepare() override;
    void Show_Loaded() override;
};

extern TFOPC_UA_Server_Access *FOPC_UA_Server_Access;
