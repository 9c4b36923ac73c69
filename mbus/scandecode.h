#pragma once
// The M-Bus scan window: scan options, the start of wired and wireless scans on the scan
// thread it owns, the status list of a wired scan, the polling timer that notices the end,
// the result trees and the wireless table, and saving the ticked meters and records into
// the project's M-Bus network file through the scan thread's writers.
//
// The thread's callbacks come from worker threads: their data is posted to the GUI thread
// and applied there in call order. The window reads the wired list only after the thread
// has cleared InScan, and the wireless list under the engine's Results_Lock.
#include "mbus/mbus_results.h"

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QTimer;
class TBaseLazyTree;
class TLazyStringTree;
class TLTImageList;
class TCustomImageList;
class TDazStringGrid;
class TLbButton;
class TMBusScanDecode;

// The user data of the result trees' nodes.
struct TMyRec
{
    QString Caption;
    bool Check = false;
};

// One line of the wired status list as it is drawn: a "[NOT FOUND]" line in red in two
// cells split at Split_X, any other line whole in blue.
struct TStatus_Line_Look
{
    static constexpr int Split_X = 70;
    bool Not_Found = false;
    QString Left;      // the whole line when not Not_Found
    QString Right;
    uint32_t Color = 0;
};
TStatus_Line_Look Status_Line_Look(const QString &line);

// Top-left corner of the key dialog in client coordinates: at the pointer, moved left and up
// as far as it would pass the client area.
QPoint Key_Dialog_Place(QPoint cursor, QSize dialog, QSize client);

// Runs a modal dialog of the window (exec); tests answer in its place.
extern std::function<int(QDialog *)> Scan_Dialog_Exec;

class TFScanDecode : public QDialog
{
public:
    // Creates the window and its scan thread (from Engine_Factory when set: tests put a
    // thread of their own behind the window).
    explicit TFScanDecode(QWidget *parent = nullptr);
    ~TFScanDecode() override;

    static std::function<std::unique_ptr<TMBusScanDecode>()> Engine_Factory;

    int XML_Code_Dev = 0;
    QString FileName_MBus;
    int Form_Type = 0;

    TMBusScanDecode &Scan_Thread() { return *TR_ScanDecode; }
    int Style() const { return style_; }

    // --- window (handlers callable without exec) ---
    void FormShow();
    void FormClose();
    void Set_Lang();
    void Form_Style(int Index);
    void Move_Object_Type_Form();
    void Update_List_of_COM_Port();
    void BtnClick(QObject *Sender);
    void Select_Scan();
    void StartScan();
    void StarScanWireless();
    void StopScan();
    void AbortScan();
    void NewScan();
    void T_InScanTimer();
    void Show_Scan_Status(int Kind, int Value, int Found, int Mode);

    // --- results ---
    void Colomns_Width_Init();
    void Show_Slave_in_Tree();
    void Show_Slave_in_Tree_Wireless(int index);
    void Cancel_Device_List();
    void Cancel_Device_List_Wireless();
    void Cancel_Grid_Wireless();
    void Show_Wireless_Slave_Row(int ARow, TSlave_wMBus *Slave);
    void RUD_WirelessClickCell(int ARow, int ACol);
    void RUD_WirelessDblClickCell(int ARow, int ACol);
    void Select_SaveXML(int Type_SaveXML);
    void SaveXML(bool Append, int Start_Modbus, int Start_Modbus_node);
    void SaveXMLWireless(bool Append, int Start_Modbus, int Start_Modbus_node);
    void Carica_Dati_Modbus_Start_Add(bool wireless);
    // The meter the wireless tree shows, -1 for none.
    int Wireless_Tree_Meter() const { return wireless_tree_meter_; }

    // --- components ---
    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QFrame *P_Main;
    QLabel *L_ScanMethod;
    QComboBox *CB_ScanMethod;
    QLabel *L_ScanBy;
    QComboBox *CB_ScanBy;
    QLabel *L_HardwareType;
    QComboBox *CB_HardwareType;
    QLabel *L_IP;
    QLineEdit *E_IP1, *E_IP2, *E_IP3, *E_IP4;
    QLabel *L_IP_Dot1, *L_IP_Dot2, *L_IP_Dot3;
    QLabel *L_ComPort;
    QComboBox *CB_ComPort;
    TLbButton *Btn_COM_List;
    QLabel *L_Port;
    QLineEdit *E_Port;
    QLabel *L_MBus_ParGen;
    QLabel *L_MBus_Baud;
    QComboBox *CB_MBus_Baud;
    QLabel *L_MBus_Parity;
    QComboBox *CB_MBus_Parity;
    QLabel *L_wMBus_Mode;
    QComboBox *CB_wMBus_Mode;
    QLabel *L_wMBus_Radio_Channel;
    QComboBox *CB_wMBus_Radio_Channel;
    QLabel *L_Option_Scan;
    QCheckBox *CB_Opt_App_Reset;
    QCheckBox *CB_Opt_SND_NKE;
    QLabel *L_Opt_Cut_After;
    QLineEdit *E_Opt_Cut_After;
    QCheckBox *CB_Opt_Use_Fix_C_Field;
    QComboBox *CB_Opt_Use_Fix_C_Field_Value;
    QCheckBox *CB_Opt_Check_BCD_to_Int;
    QCheckBox *CB_Opt_Enable_Remote_Scan;
    QFrame *P_TreeView;
    QLabel *L_ScanProgress;
    QLabel *L_Num_Slave;
    QLabel *L_AvailableDevice;
    TLazyStringTree *LST;
    QListWidget *LB_AvailableDevice;
    QFrame *P_View_Wireless;
    QFrame *P_W_Title;
    QFrame *P_W_Table;
    TDazStringGrid *RUD_Wireless;
    QSplitter *Splitter1;
    QFrame *P_W_Tree;
    TLazyStringTree *LST_Wireless;
    QFrame *P_Button;
    TLbButton *Btn_StartScan, *Btn_StopScan, *Btn_AbortScan, *Btn_NewScan, *Btn_SaveConf,
        *Btn_SaveConfManual;
    QTimer *T_InScan;
    std::unique_ptr<TCustomImageList> IL_Wireless_Table;
    std::unique_ptr<TLTImageList> IL_Tree1;     // both trees: image index = node level

    // Every way the window closes runs FormClose.
    void done(int r) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Create_Options();
    void Create_Results();
    void Create_Buttons();
    void Init_Tree(TLazyStringTree *tree, bool wireless);
    bool Wireless_Chosen() const;
    void Clear_Wireless_Tree();
    void Apply_Wireless_Row(int ARow, const QStringList &cells, bool cripted);
    // Writes with the options of the window; text 2130 when the file was written.
    void Save(bool Append, int Start_Modbus, int Start_Modbus_node, bool wireless);
    TSaveConfXML Save_Record(bool Append, int Start_Modbus, int Start_Modbus_node,
                             bool wireless) const;

    std::unique_ptr<TMBusScanDecode> TR_ScanDecode;
    int Index_Dev_MBus = 0;
    int style_ = 0;
    int wireless_tree_meter_ = -1;
    bool building_wireless_ = false;     // Results_Lock is held by the builder
    bool closing_in_scan_ = false;
};

extern TFScanDecode *FScanDecode;
