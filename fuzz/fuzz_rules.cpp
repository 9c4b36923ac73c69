// The rule editors' project files: the shared reading of every editor's description on
// arbitrary bytes. The first byte picks the editor.
#include "editors/building/bacnetaccess.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "editors/building/iec61850_variables.h"
#include "editors/building/mqtt_set_topic.h"
#include "editors/building/opc_ua_server_access.h"
#include "editors/building/s7_protocol_set_access.h"
#include "editors/building/snmp_trap_access.h"
#include "editors/building/snmpmanageraccess.h"
#include "editors/building/tls_server_known_cert.h"
#include "editors/fieldbus/defoffset.h"
#include "editors/fieldbus/dmxdefval.h"
#include "editors/fieldbus/dnet.h"
#include "editors/fieldbus/knxaccess.h"
#include "editors/fieldbus/modbus_tcp_master_set_access.h"
#include "editors/fieldbus/receivecan.h"
#include "editors/fieldbus/receivej1939.h"
#include "editors/fieldbus/receivenmea.h"
#include "editors/fieldbus/set_pdo_access.h"
#include "editors/fieldbus/set_sdo_client_access.h"
#include "editors/fieldbus/set_sdo_server_access.h"
#include "editors/fieldbus/setaccess.h"
#include "editors/fieldbus/transmitcan.h"
#include "editors/fieldbus/transmitj1939.h"
#include "editors/fieldbus/transmitnmea.h"
#include "editors/fieldbus/ruletable.h"
#include "fuzz/fuzz_common.h"
#include "platform/xml.h"

#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

// Every rule passes; the reading does not ask for the checks.
class TFuzz_Behaviour : public TRule_Behaviour
{
public:
    QString Check_Row(int, int, const QStringList &) override { return {}; }
};

using TDesc_Fn = const TRule_Editor_Desc &(*)();
const TDesc_Fn Descs[] = {
    BACnetAccess_Desc,
    BACnetSlaveSetAccess_Desc,
    DMXDefVal_Desc,
    DNet_Desc,
    DefOffset_Desc,
    IEC61850_Variables_Desc,
    KNXAccess_Desc,
    MQTT_Set_Topic_Desc,
    Modbus_TCP_Master_Desc,
    OPC_UA_Server_Access_Desc,
    ReceiveCAN_Desc,
    ReceiveJ1939_Desc,
    ReceiveNMEA_Desc,
    S7_Protocol_Set_Access_Desc,
    SNMPManagerAccess_Desc,
    SNMP_Trap_Access_Desc,
    SetAccess_Desc,
    Set_PDO_Access_Desc,
    Set_SDO_Client_Access_Desc,
    Set_SDO_Server_Access_Desc,
    TLS_Server_Known_Cert_Desc,
    TransmitCAN_Desc,
    TransmitJ1939_Desc,
    TransmitNMEA_Desc,
};

} // namespace

// Tables sized at run time get a few rows.
std::vector<int> Fuzz_Rows(const TRule_Editor_Desc &desc)
{
    std::vector<int> rows;
    for (const TRule_Table_Desc &t : desc.Tables)
        rows.push_back(t.Rows > 0 ? t.Rows : 8);
    return rows;
}

#ifndef FUZZ_RULE_SEEDS
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    Fuzz_App();
    const TRule_Editor_Desc &desc = Descs[Data[0] % std::size(Descs)]();
    TRule_Data data = Rule_Reset_Data(desc, Fuzz_Rows(desc));
    TFuzz_Behaviour behaviour;
    TXmlDocument doc;
    try {
        Rule_Load(desc, Fuzz_File(Data + 1, Size - 1, ".xml"), data, behaviour, doc);
    } catch (const std::exception &) {
    }
    return 0;
}
#else
// Seed files: each editor's file of two filled rows, behind the byte that picks it.
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    Fuzz_App();
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    for (size_t i = 0; i < std::size(Descs); ++i) {
        const TRule_Editor_Desc &desc = Descs[i]();
        TRule_Data data = Rule_Reset_Data(desc, Fuzz_Rows(desc));
        for (size_t t = 0; t < data.size(); ++t)
            for (size_t r = 0; r < data[t].size() && r < 2; ++r)
                for (qsizetype c = 1; c < data[t][r].size(); ++c)
                    if (data[t][r][c].isEmpty())
                        data[t][r][c] = QString::number(r + 1);
        TFuzz_Behaviour behaviour;
        TXmlDocument doc;
        const QString path = dir + QStringLiteral("/tmp.xml");
        try {
            Rule_Save(desc, data, behaviour, path, doc);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s: %s\n", desc.Root, e.what());
            continue;
        }
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        QFile out(dir + QStringLiteral("/%1.xml").arg(QString::fromLatin1(desc.Root)));
        out.open(QIODevice::WriteOnly);
        out.write(QByteArray(1, char(i)) + in.readAll());
        in.close();
        QFile::remove(path);
    }
    return 0;
}
#endif
