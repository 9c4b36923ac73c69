#include "editors/building/opc_ua_scan_server.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/textcodec.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLibrary>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TFOPC_UA_Scan_Server *FOPC_UA_Scan_Server = nullptr;

// The records' layouts of the library hold for 32-bit pointers; a 64-bit build uses natural
// pointer width on both sides.
static_assert(sizeof(void *) != 4 || (sizeof(opcua_server_to_discover) == 32 && sizeof(opcua_structure) == 56),
              "record layouts of the browse library");

namespace {

class TOPC_UA_Search_Library : public IOPC_UA_Search
{
public:
    explicit TOPC_UA_Search_Library(const QString &name) : lib_(name) {}
    bool Load() override { return lib_.load(); }
    bool Resolve() override
    {
        begin_ = reinterpret_cast<Begin>(lib_.resolve("opcua_client_begin"));
        return_variable_ = reinterpret_cast<Return_Variable>(lib_.resolve("opcua_return_variable"));
        return begin_ && return_variable_;
    }
    int32_t opcua_client_begin(const opcua_server_to_discover &server) override { return begin_(server); }
    void opcua_return_variable(opcua_structure &record, int32_t index) override { return_variable_(&record, index); }
    void Release() override { lib_.unload(); }

private:
    using Begin = int32_t (*)(opcua_server_to_discover);
    using Return_Variable = int32_t (*)(opcua_structure *, int32_t);
    QLibrary lib_;
    Begin begin_ = nullptr;
    Return_Variable return_variable_ = nullptr;
};

QString Text_Of(const char *p)
{
    return p ? Decode_Windows1252(QByteArray(p)) : QString();
}

} // namespace

std::unique_ptr<IOPC_UA_Search> Make_OPC_UA_Search_Library(const QString &name)
{
    return std::make_unique<TOPC_UA_Search_Library>(name);
}

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FOPC_UA_Scan_Server"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    LWaiting = new QLabel(this);
    LWaiting->setObjectName(QStringLiteral("LWaiting"));
    LWaiting->setAlignment(Qt::AlignCenter);
    LWaiting->hide();
    layout->addWidget(LWaiting);
    ACG_OPC_UA_Scan_Var = new TDazColumnGrid(this);
    ACG_OPC_UA_Scan_Var->setObjectName(QStringLiteral("ACG_OPC_UA_Scan_Var"));
    TDazColumnGrid &g = *ACG_OPC_UA_Scan_Var;
    g.BeginUpdate();
    g.SetColCount(9);
    g.SetRowCount(2);
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    g.SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goColSizing});
    const int widths[] = {40, 50, 50, 220, 90, 260, 90, 110, 90};
    for (int c = 0; c < 9; ++c)
        g.SetColWidths(c, widths[c]);
    for (int c : {1, 2}) {
        TGridColumnItem *item = g.Columns().Items(c);
        item->SetEditor(edDataCheckBox);
        item->SetCheckTrue(QStringLiteral("Y"));
        item->SetCheckFalse(QStringLiteral("N"));
        item->SetAlignment(taCenter);
    }
    for (int c = 3; c <= 8; ++c)
        g.Columns().Items(c)->SetReadOnly(true);
    g.SetCellEx(8, 0, QStringLiteral("Read/Write"));
    g.EndUpdate();
    layout->addWidget(ACG_OPC_UA_Scan_Var, 1);

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(41);
    auto *buttons = new QHBoxLayout(P_Button);
    auto button = [&](TLbButton *&b, const char *name) {
        b = new TLbButton(P_Button);
        b->setObjectName(QLatin1String(name));
        Set_Button_Look(b);
        b->setFixedSize(100, 28);
        buttons->addWidget(b);
    };
    button(Btn_SelectAllRead, "Btn_SelectAllRead");
    button(Btn_ClearAllRead, "Btn_ClearAllRead");
    button(Btn_SelectAllWrite, "Btn_SelectAllWrite");
    button(Btn_ClearAllWrite, "Btn_ClearAllWrite");
    buttons->addStretch(1);
    button(Btn_OK, "Btn_OK");
    button(Btn_Cancel, "Btn_Cancel");
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_SelectAllRead->OnClick = [this](QObject *) { Select_All(true, true); };
    Btn_ClearAllRead->OnClick = [this](QObject *) { Select_All(true, false); };
    Btn_SelectAllWrite->OnClick = [this](QObject *) { Select_All(false, true); };
    Btn_ClearAllWrite->OnClick = [this](QObject *) { Select_All(false, false); };
    layout->addWidget(P_Button);

    Timer_Scan = new QTimer(this);
    Timer_Scan->setSingleShot(true);
    Timer_Scan->setInterval(100);
    connect(Timer_Scan, &QTimer::timeout, this, [this] { Timer_ScanTimer(); });
    Library_Factory = [] { return Make_OPC_UA_Search_Library(); };

    L_SW_Code->setText(SW_Code);
    resize(1035, 337);
    Set_Lang();
}

TFOPC_UA_Scan_Server::~TFOPC_UA_Scan_Server() = default;

void TFOPC_UA_Scan_Server::Set_Lang()
{
    setWindowTitle(Lang_Text(5700));
    L_SW_Desc->setText(Lang_Text(5701));
    const std::pair<TLbButton *, int> buttons[] = {{Btn_OK, 5702},           {Btn_Cancel, 5703},
                                                   {Btn_SelectAllRead, 5704}, {Btn_ClearAllRead, 5705}};
    for (const auto &[b, text] : buttons) {
        b->SetCaption(Lang_Text(text));
        b->SetHint(Lang_Text(text + 4));
    }
    Btn_SelectAllWrite->SetCaption(Lang_Text(5726));
    Btn_SelectAllWrite->SetHint(Lang_Text(5728));
    Btn_ClearAllWrite->SetCaption(Lang_Text(5727));
    Btn_ClearAllWrite->SetHint(Lang_Text(5729));
    const int headers[] = {5710, 5711, 5724, 5712, 5713, 5714, 5715, 5716};
    for (int c = 0; c < 8; ++c)
        ACG_OPC_UA_Scan_Var->SetCellEx(c, 0, Lang_Text(headers[c]));
    LWaiting->setText(Lang_Text(5723));
    Hint_ACG = {Lang_Text(5717), Lang_Text(5725)};
    for (int t = 5718; t <= 5722; ++t)
        Hint_ACG << Lang_Text(t);
}

void TFOPC_UA_Scan_Server::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFOPC_UA_Scan_Server::Erase_Table()
{
    ACG_OPC_UA_Scan_Var->SetRowCount(2);
    for (int c = 0; c < 9; ++c)
        ACG_OPC_UA_Scan_Var->SetCellEx(c, 1, QString());
}

void TFOPC_UA_Scan_Server::FormShow()
{
    Erase_Table();
    if (Server.server_address && *Server.server_address) {
        List_Var.clear();
        LWaiting->show();
        Timer_Scan->start();
    } else {
        Show_Variables_List();
    }
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer()
{
    Timer_Scan->stop();
    std::unique_ptr<IOPC_UA_Search> lib = Library_Factory();
    if (!lib->Load()) {
        MessageError(Lang_Text(5730), {}, this);
        LWaiting->hide();
        return;
    }
    if (!lib->Resolve()) {
        MessageError(Lang_Text(5731), {}, this);
        lib->Release();
        LWaiting->hide();
        return;
    }
    const int32_t n = lib->opcua_client_begin(Server);
    if (n > Max_Variables) {
        lib->Release();
        LWaiting->hide();
        MessageError(QStringLiteral("The server reported %1 variables, more than %2 can be listed.")
                         .arg(n)
                         .arg(Max_Variables),
                     {}, this);
        return;
    }
    for (int32_t i = 0; i < n; ++i) {
        opcua_structure r;
        lib->opcua_return_variable(r, i);
        // The texts are copied now: nothing is read after the library is released.
        TOPC_UA_Browsed b;
        b.displayName = Text_Of(r.displayName);
        b.stringname = Text_Of(r.stringname);
        b.byteString = Text_Of(reinterpret_cast<const char *>(r.byteString));
        r.displayName = nullptr;
        r.stringname = nullptr;
        r.byteString = nullptr;
        b.Record = r;
        List_Var.push_back(b);
    }
    LWaiting->hide();
    Show_Variables_List();
    lib->Release();
}

void TFOPC_UA_Scan_Server::Show_Variables_List()
{
    if (List_Var.empty()) {
        Erase_Table();
        return;
    }
    TDazColumnGrid &g = *ACG_OPC_UA_Scan_Var;
    g.BeginUpdate();
    g.SetRowCount(int(List_Var.size()) + 1);
    for (int i = 0; i < int(List_Var.size()); ++i) {
        const TOPC_UA_Browsed &b = List_Var[size_t(i)];
        const opcua_structure &r = b.Record;
        const int row = i + 1;
        const uint8_t access = r.accessLevel;
        const bool read = access == 0 || (access & 1), write = access == 0 || (access & 2);
        opcua_structure texts = r;
        const QByteArray sn = Encode_Windows1252(b.stringname), bs = Encode_Windows1252(b.byteString);
        texts.stringname = sn.constData();
        texts.byteString = reinterpret_cast<const uint8_t *>(bs.constData());
        const QString cells[9] = {QString::number(row),
                                  read ? QStringLiteral("Y") : QString(),
                                  write ? QStringLiteral("Y") : QString(),
                                  b.displayName,
                                  OPC_UA_NodeId_Type_Name(r.identifierType),
                                  OPC_UA_NodeId_To_Text(texts),
                                  OPC_UA_Data_Type_Name(r.dataType),
                                  QString::number(r.nameSpaceIndex),
                                  access == 1 ? QStringLiteral("Read")
                                  : access == 2 ? QStringLiteral("Write")
                                                : QStringLiteral("Read/Write")};
        for (int c = 0; c < 9; ++c)
            g.SetCellEx(c, row, cells[c]);
    }
    g.EndUpdate();
}

void TFOPC_UA_Scan_Server::Select_All(bool read, bool select)
{
    if (List_Var.empty())
        return;
    for (int r = 1; r < ACG_OPC_UA_Scan_Var->RowCount(); ++r)
        ACG_OPC_UA_Scan_Var->SetCellEx(read ? 1 : 2, r, select ? QStringLiteral("Y") : QStringLiteral("N"));
}
