#pragma once
// "Scan Server OPC UA": browses one server through the outside library OPC_UA_Search and
// lets the engineer tick which variables the client reads and which it writes.
#include "app/valuechecks.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

class QLabel;
class QFrame;
class QTimer;
class TDazColumnGrid;
class TLbButton;

// The browse library: loaded, asked, released. The real one is a shared library found by
// name; tests put a fake in its place.
class IOPC_UA_Search
{
public:
    virtual ~IOPC_UA_Search() = default;
    virtual bool Load() = 0;                  // false: the library cannot be loaded
    virtual bool Resolve() = 0;               // false: an entry point is missing
    virtual int32_t opcua_client_begin(const opcua_server_to_discover &server) = 0;
    virtual void opcua_return_variable(opcua_structure &record, int32_t index) = 0;
    virtual void Release() = 0;
};

// The shared library by name (libOPC_UA_Search.so here) through QLibrary.
std::unique_ptr<IOPC_UA_Search> Make_OPC_UA_Search_Library(const QString &name = QStringLiteral("OPC_UA_Search"));

// One browsed variable: the record's numbers, its texts copied while it was fetched.
struct TOPC_UA_Browsed
{
    opcua_structure Record;   // its text pointers are cleared
    QString displayName;
    QString stringname;
    QString byteString;
};

class TFOPC_UA_Scan_Server : public QDialog
{
    Q_OBJECT
public:
    explicit TFOPC_UA_Scan_Server(QWidget *parent = nullptr);
    ~TFOPC_UA_Scan_Server() override;

    static constexpr int Max_Variables = 100000;   // a larger count is refused

    opcua_server_to_discover Server;
    std::vector<TOPC_UA_Browsed> List_Var;
    // Makes the library for each browse; the real one by default.
    std::function<std::unique_ptr<IOPC_UA_Search>()> Library_Factory;

    void Set_Lang();
    void FormShow();
    void Timer_ScanTimer();
    void Erase_Table();
    void Show_Variables_List();
    void Select_All(bool read, bool select);

    QFrame *P_Title, *P_Button;
    QLabel *L_SW_Code, *L_SW_Desc, *LWaiting;
    QTimer *Timer_Scan;
    TDazColumnGrid *ACG_OPC_UA_Scan_Var;
    TLbButton *Btn_OK, *Btn_Cancel, *Btn_SelectAllRead, *Btn_ClearAllRead, *Btn_SelectAllWrite, *Btn_ClearAllWrite;
    QStringList Hint_ACG;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFOPC_UA_Scan_Server *FOPC_UA_Scan_Server;
