#pragma once
// The updater's job file Ethernet_Update.xml beside the program: which images to send to
// the gateway at which address, and how. The updater itself is a separate program,
// Ethernet_Update (Ethernet_Update.exe on Windows), started beside the program.
#include <QString>

class TXmlDocument;

// The layout the updater reads now, and the older one that nothing writes any more.
enum class TJob_Layout { Current, Older };

struct TUpdate_Job
{
    QString IP_Address;    // dotted, as pinged
    int Option = 0;        // 0 firmware and configuration, 1 firmware, 2 configuration
    bool Read_Back = true;
    QString Firmware_File; // the gateway's firmware image
    QString Bank_Files[3]; // bank1.bin .. bank3.bin
    TJob_Layout Layout = TJob_Layout::Current;
};

// The job of the current program state: the firmware from Master_Dir, the banks from the
// project's bin folder. The older layout sends another firmware image and banks 1 and 2 only.
TUpdate_Job Current_Update_Job(const QString &ip_address, int option, bool read_back,
                               TJob_Layout layout = TJob_Layout::Current);

// Fills the document (emptied first) with the job.
void Build_Update_Job(TXmlDocument &doc, const TUpdate_Job &job);
// Exe_Dir/Ethernet_Update.xml, written atomically; throws EXmlError.
void Write_Update_Job(const TUpdate_Job &job);

QString Update_Job_Path();
QString Updater_Path();
