#include "gateway/update_job.h"

#include "app/comon.h"
#include "platform/xml.h"

#include <QDir>

namespace {

// What differs between the operations of one job.
struct TJob_Operation
{
    QString File;
    const char *Start_Address;
    const char *Bank_Type;
    const char *Write_CSS;
    const char *Address_CSS;
    const char *Command_CSS;
    // Null: the operation writes no internal data and has none of the four WID elements.
    const char *Write_Internal_Data;
    const char *WID_Address;
    const char *WID_Command;
    const char *WID_Data;
    bool Go_To_App_After;
};

void Add_Operation(TXmlNode &operations, const TJob_Operation &op, bool read_back)
{
    TXmlNode o = operations.AddChild(QStringLiteral("Operation"));
    const auto add = [&o](const char *name, const QString &text) {
        o.AddTextChild(QLatin1String(name), text);
    };
    add("Ope_Protection_Enabled", {});
    add("Ope_GoToBoot_Before", QStringLiteral("0"));
    add("Ope_GoToApp_Before", QStringLiteral("0"));
    add("Ope_IP_Address", {});
    add("Ope_Port", QStringLiteral("2008"));
    add("Ope_Port_Sec", QStringLiteral("2007"));
    add("Ope_Erase_Memory", QStringLiteral("0"));
    add("Ope_FileName", QDir::toNativeSeparators(op.File));
    add("Ope_Start_Address", QLatin1String(op.Start_Address));
    add("Ope_Memory_Type", QStringLiteral("0"));
    add("Ope_Bank_Type", QLatin1String(op.Bank_Type));
    add("Ope_Read_Back", read_back ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Write_CSS", QLatin1String(op.Write_CSS));
    add("Ope_Address_CSS", QLatin1String(op.Address_CSS));
    add("Ope_Command_CSS", QLatin1String(op.Command_CSS));
    if (op.Write_Internal_Data) {
        add("Ope_Write_Internal_Data", QLatin1String(op.Write_Internal_Data));
        add("Ope_WID_Address", QLatin1String(op.WID_Address));
        add("Ope_WID_Command", QLatin1String(op.WID_Command));
        add("Ope_WID_Data", QLatin1String(op.WID_Data));
    }
    add("Ope_GoToApp_After", op.Go_To_App_After ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

QString Update_Job_Path()
{
    return Exe_Dir + QStringLiteral("/Ethernet_Update.xml");
}

QString Updater_Path()
{
#ifdef Q_OS_WIN
    return Exe_Dir + QStringLiteral("/Ethernet_Update.exe");
#else
    return Exe_Dir + QStringLiteral("/Ethernet_Update");
#endif
}

TUpdate_Job Current_Update_Job(const QString &ip_address, int option, bool read_back, TJob_Layout layout)
{
    TUpdate_Job job;
    job.IP_Address = ip_address;
    job.Option = option;
    job.Read_Back = read_back;
    job.Layout = layout;
    job.Firmware_File = Master_Dir + (layout == TJob_Layout::Current ? QStringLiteral("/Sim41R08.sim")
                                                                     : QStringLiteral("/Sim41R05.sim"));
    for (int i = 0; i < 3; ++i)
        job.Bank_Files[i] = Project_Path + QStringLiteral("/bin/bank%1.bin").arg(i + 1);
    return job;
}

void Build_Update_Job(TXmlDocument &doc, const TUpdate_Job &job)
{
    const bool current = job.Layout == TJob_Layout::Current;
    TXmlNode root = doc.CreateRoot(QStringLiteral("Ethernet_Update"));
    root.AddTextChild(QStringLiteral("Version"), QStringLiteral("1000"));
    root.AddTextChild(QStringLiteral("Title"), current ? QStringLiteral("Qelvar - CF41R08 Ethernet Update")
                                                       : QStringLiteral("Qelvar - Ethernet Update"));
    root.AddTextChild(QStringLiteral("IP_Address_Dev"), job.IP_Address);
    root.AddTextChild(QStringLiteral("Application_Port"), QStringLiteral("10000"));
    root.AddTextChild(QStringLiteral("Boot_Port"), QStringLiteral("2008"));
    root.AddTextChild(QStringLiteral("Boot_Port_Sec"), QStringLiteral("2007"));
    root.AddTextChild(QStringLiteral("Address_Protection"),
                      current ? QStringLiteral("0x07800") : QStringLiteral("0x78000"));
    root.AddChild(QStringLiteral("Protections"))
        .AddTextChild(QStringLiteral("Protection"), current ? QStringLiteral("0x411") : QStringLiteral("0x1B4"));
    TXmlNode operations = root.AddChild(QStringLiteral("Operations"));
    const bool firmware = job.Option == 0 || job.Option == 1;
    const bool configuration = job.Option == 0 || job.Option == 2;
    const auto add = [&](const TJob_Operation &op) { Add_Operation(operations, op, job.Read_Back); };
    // The last operation of a job, and only it, sends the gateway back to its application.
    if (current) {
        const char *wid_data = "0x00, 0x00, 0x00, 0x01";
        if (firmware)
            add({job.Firmware_File, "0x8000", "1", "1", "0x07A00", "0x02", "0", "0x07810", "0x02", wid_data,
                 job.Option == 1});
        if (configuration) {
            add({job.Bank_Files[0], "0x07000", "2", "0", "0x07A00", "0x02", "1", "0x07810", "0x02", wid_data, false});
            add({job.Bank_Files[1], "0x80000", "2", "0", "0x07A00", "0x02", "0", "0x07810", "0x02", wid_data, false});
            add({job.Bank_Files[2], "0xA0000", "2", "0", "0x07A00", "0x02", "0", "0x07810", "0x02", wid_data, true});
        }
    } else {
        const char *wid_data = "0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00";
        if (firmware)
            add({job.Firmware_File, "0x8000", "1", "1", "0x78100", "0x0B", nullptr, nullptr, nullptr, nullptr,
                 job.Option == 1});
        if (configuration) {
            add({job.Bank_Files[0], "0x68000", "2", "0", "0x50100", "0x0B", "0", "0x78200", "0x0B", wid_data, false});
            add({job.Bank_Files[1], "0x50800", "2", "0", "0x50100", "0x0B", "0", "0x78200", "0x0B", wid_data, true});
        }
    }
}

void Write_Update_Job(const TUpdate_Job &job)
{
    TXmlDocument doc;
    Build_Update_Job(doc, job);
    doc.SaveToFile(Update_Job_Path());
}
