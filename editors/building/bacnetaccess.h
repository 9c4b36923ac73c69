#pragma once
// "Set BACnet Access": the read and write requests the gateway sends as BACnet master to
// other devices, typed or taken from a device's EDE file, in BACnet_Master_Access.xml. The
// devices are named by IP address or MS/TP slave ID after the master type in ParGen.xml.
#include "editors/fieldbus/ruleeditor.h"

enum TBACnet_Read_Col
{
    BR_N, BR_Enable, BR_Address, BR_Object_Type, BR_Instance, BR_Property, BR_NByte, BR_En_Dest, BR_D_Net,
    BR_D_Len, BR_D_Add, BR_Poll_Time, BR_Max_Err, BR_Position, BR_Start_Bit, BR_Swap, BR_Convertion, BR_Mnemonic,
    BR_Col_Count
};
enum TBACnet_Write_Col
{
    BW_N, BW_Enable, BW_Address, BW_Object_Type, BW_Data_Type, BW_Instance, BW_Property, BW_Priority, BW_NByte,
    BW_En_Dest, BW_D_Net, BW_D_Len, BW_D_Add, BW_Change, BW_Timer, BW_Poll_Time, BW_Max_Err, BW_Position,
    BW_Start_Bit, BW_Swap, BW_Convertion, BW_Mnemonic, BW_Col_Count
};

const TRule_Editor_Desc &BACnetAccess_Desc();

// The checks of a request, as the Part's routines.
int Check_Object_Type(const QString &text, bool write);
int Check_Property(const QString &text, bool write, int kind);
int Check_Data_Type(const QString &text, int kind, int property);
QString Aspected_Data_Type_Value(int kind, int property);
int Check_Num_Byte_Max(const QString &text);
// The message of a manual destination address of n bytes that is wrong, empty when right.
QString Check_Dest_Add(const QString &text, int n, bool read);
// The whole check of one enabled request of the read (0) or write (1) table; type is the
// BACnet master type (0 IP, 1 MS/TP, other: no address).
QString BACnet_Master_Check_Row(int table, const QStringList &cells, int type);
// The byte count the read table's hint shows for a Property cell, empty for none.
QString BACnet_Read_Hint(const QStringList &cells);
// Cell values of an imported object by its BACnet object type code.
QString Get_ObjType_EDE(int code);
QString Get_DataType_EDE(int code);
int Get_NumByte_EDE(int code);

class TFBACnetAccess : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFBACnetAccess(QWidget *parent = nullptr);

    void Set_Lang() override;
    void Btn_Import_CSVClick();
    // The client width for a screen of that width.
    static int Width_For_Screen(int screen_width) { return screen_width <= 1270 ? 1000 : 1305; }

    void ClickCell(TDazStringGrid *, int, int) override {}
    void DblClickCell(TDazStringGrid *, int, int) override {}
    void KeyPress(TDazStringGrid *, QChar &) override {}
    void GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr) override;
    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *ACG1;
    TDazColumnGrid *ACG2;
    TLbButton *Btn_Import_CSV = nullptr;
    int App_BACnet_Type = 0;

protected:
    void Show_Setup() override;
    void Show_Prepare() override;
};

extern TFBACnetAccess *FBACnetAccess;
