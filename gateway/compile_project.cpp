#include "gateway/compile_project.h"

#include "app/comon.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

// Bank 1 offsets.
constexpr size_t Ofs_IP = 40;
constexpr size_t Ofs_Mask = 44;
constexpr size_t Ofs_Gateway = 48;
constexpr size_t Ofs_DHCP = 1256;
constexpr size_t Ofs_Device_Name = 1300;
constexpr int Device_Name_Chars = 31;
constexpr size_t Ofs_Secondary_DNS = 1340;
constexpr size_t Ofs_Primary_DNS = 1420;
constexpr size_t Ofs_Bank2_Address = 1556;
constexpr size_t Ofs_Bank3_Address = 1628;
constexpr size_t Ofs_Version = 1644;
constexpr size_t Ofs_Checksum = 2044;

// LoRaWAN header offsets.
constexpr int Hdr_Activation = 2;
constexpr int Hdr_FPort = 67;

// The folders beside bin: the set being written, and the old set during the fallback
// exchange by two renames.
const QLatin1String Staging_Dir(".bin.new");
const QLatin1String Old_Set_Dir(".bin.old");
const char *const Bank_Names[] = {"bank1.bin", "bank2.bin", "bank3.bin"};

std::function<void(TBank_Step)> g_bankHook;

void Bank_Hook(TBank_Step step)
{
    if (g_bankHook)
        g_bankHook(step);
}

// A bank file of a set's folder, or a temporary of one.
bool Is_Bank_Entry(const QString &name)
{
    for (const char *bank : Bank_Names)
        if (name == QLatin1String(bank) || Is_Atomic_Temp_Name(name, QLatin1String(bank)))
            return true;
    return false;
}

bool Entry_Exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Each bank file is written whole before the next, so the last one makes the set complete.
bool Complete_Set(const QString &dir)
{
    for (const char *bank : Bank_Names)
        if (!File_Exists(Path_Join(dir, QLatin1String(bank))))
            return false;
    return true;
}

bool Rename(const QString &from, const QString &to)
{
    return QDir().rename(from, to);
}

// What the engineer keeps in bin besides the banks moves with the set that becomes bin.
void Move_Extras(const QString &from, const QString &to)
{
    const QStringList entries =
        QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (!Is_Bank_Entry(entry) && !Entry_Exists(Path_Join(to, entry)))
            Rename(Path_Join(from, entry), Path_Join(to, entry));
}

// Removes a set's folder; what cannot be moved into bin or removed now is left for the
// next compile, which retries.
void Drop_Set_Folder(const QString &folder, const QString &bin)
{
    if (!Entry_Exists(folder))
        return;
    if (Dir_Exists(bin))
        Move_Extras(folder, bin);
    Remove_Dir_Tree(folder);
}

// After a kill: bin missing means an exchange by two renames was cut between them; the
// new set goes in when it is complete, else the old one goes back. Then the folders beside
// bin are dropped.
void Recover_Bank_Folders(const QString &project)
{
    const QString bin = Path_Join(project, QStringLiteral("bin"));
    const QString staging = Path_Join(project, Staging_Dir);
    const QString old_set = Path_Join(project, Old_Set_Dir);
    if (!Entry_Exists(staging) && !Entry_Exists(old_set))
        return;
    if (!Entry_Exists(bin)) {
        if (Dir_Exists(staging) && Complete_Set(staging))
            Rename(staging, bin);
        else if (Dir_Exists(old_set))
            Rename(old_set, bin);
    }
    Drop_Set_Folder(staging, bin);
    Drop_Set_Folder(old_set, bin);
    Sync_Dir(project);
}

// Swaps the two folders in one step; where the file system cannot, bin is moved aside
// first and the recovery above finishes a cut exchange. Returns the old set's folder.
QString Exchange_Sets(const QString &staging, const QString &bin, const QString &old_set)
{
    const auto fail = [&](const QString &why) {
        throw ECompileError(QStringLiteral("The bank files could not be moved into \"%1\"%2")
                                .arg(QDir::toNativeSeparators(bin), why)
                                .toStdString());
    };
    if (!Entry_Exists(bin)) {
        if (!Rename(staging, bin))
            fail(QStringLiteral("."));
        return QString();
    }
    try {
        if (Exchange_Paths(staging, bin))
            return staging;
    } catch (const EFileError &e) {
        fail(QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
    if (!Rename(bin, old_set))
        fail(QStringLiteral("."));
    if (!Rename(staging, bin)) {
        Rename(old_set, bin);
        fail(QStringLiteral("."));
    }
    return old_set;
}

std::optional<QString> Element_Text(const TXmlNode &root, const char *name)
{
    const TXmlNode node = root.Child(QLatin1String(name));
    if (!node)
        return std::nullopt;
    return node.Text();
}

// The element's text as an integer; def when it is missing or no integer.
int Element_Int(const TXmlNode &root, const char *name, int def)
{
    const std::optional<QString> text = Element_Text(root, name);
    return text ? StrToIntDef(*text, def) : def;
}

bool Element_Is_One(const TXmlNode &root, const char *name)
{
    return Element_Text(root, name).value_or(QString()) == QLatin1String("1");
}

void Read_Octets(std::vector<uint8_t> &block, size_t offset, const TXmlNode &root,
                 const char *prefix, const std::array<int, 4> &def)
{
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QByteArray(prefix) + QByteArray::number(i + 1);
        Put_U8(block, offset + size_t(i), uint8_t(Element_Int(root, name.constData(), def[size_t(i)])));
    }
}

uint8_t Code_Of(const QString &text, std::initializer_list<const char *> names,
                std::initializer_list<uint8_t> codes)
{
    const QString key = UpperCase(Trim(text));
    auto code = codes.begin();
    for (const char *name : names) {
        if (key == QLatin1String(name))
            return *code;
        ++code;
    }
    return 0;
}

} // namespace

uint8_t LoRa_Band_Code(const QString &text)
{
    return Code_Of(text, {"AS923", "AU915", "EU868", "KR920", "IN865", "US915", "US915-HYBRID"},
                   {0, 1, 5, 6, 7, 8, 9});
}

uint8_t LoRa_Network_Code(const QString &text)
{
    return Code_Of(text, {"PRIVATE", "PUBLIC"}, {0, 1});
}

uint8_t LoRa_Activation_Code(const QString &text)
{
    return Code_Of(text, {"ACTIVATION BY PERSONALIZATION [ABP]", "OVER-THE-AIR ACTIVATION [OTAA]"},
                   {0, 1});
}

uint8_t LoRa_Transmission_Code(const QString &text)
{
    // Compared exactly, letter case included.
    if (text == QLatin1String("Confirmed"))
        return 1;
    return 0;
}

QString Pad_Zero_Left(const QString &text, int length)
{
    if (text.size() >= length)
        return text;
    return QString(length - text.size(), QLatin1Char('0')) + text;
}

TImage_Compiler::TImage_Compiler()
    : General_Block(General_Block_Size, 0), LoRaWAN_Header(LoRaWAN_Header_Size, 0)
{
}

const std::vector<uint8_t> &TImage_Compiler::Image(int bank) const
{
    if (bank < 1 || bank > 3)
        throw std::out_of_range("bank number out of range");
    return images_[size_t(bank - 1)];
}

void TImage_Compiler::Compile_Project()
{
    // A project file that is there but no file stops the compile before anything starts.
    for (const QString &path : {Path_ParGen, Path_EtherNetIP_Master_Rules, Path_LoRaWAN_SetAccess})
        Project_File_Present(path);
    Init_General_Block();
    Init_LoRaWAN_Block();
    Init_EtherNetIP_Slots();
    Read_Par_Gen();
    Put_U32(General_Block, Ofs_Bank2_Address, Bank2_Address);
    Put_U32(General_Block, Ofs_Bank3_Address, Bank3_Address);
    Read_EtherNetIP_Rules(Get_U32(General_Block, Ofs_Bank2_Address));
    Read_LoRaWAN_Rules(Get_U32(General_Block, Ofs_Bank3_Address));
    for (auto &image : images_)
        image.clear();
    images_[0].resize(Put_General_Block(0, images_[0]));
    images_[1].resize(Put_EtherNetIP_Block(0, images_[1]));
    images_[2].resize(Put_LoRaWAN_Block(0, images_[2]));
}

void TImage_Compiler::Write_Bank_Files() const
{
    const QString project = Project_Path;
    if (project.isEmpty())
        throw ECompileError("No project is open: the bank files have no folder.");
    const QString bin = Path_Join(project, QStringLiteral("bin"));
    const QString staging = Path_Join(project, Staging_Dir);
    const QString old_set = Path_Join(project, Old_Set_Dir);
    Recover_Bank_Folders(project);
    if (Entry_Exists(bin) && !Dir_Exists(bin))
        throw ECompileError(QStringLiteral("Cannot create the folder \"%1\" for the bank files: "
                                           "something else has its name.")
                                .arg(QDir::toNativeSeparators(bin))
                                .toStdString());
    if (!Force_Dir(staging))
        throw ECompileError(QStringLiteral("Cannot create the folder \"%1\" for the bank files.")
                                .arg(QDir::toNativeSeparators(staging))
                                .toStdString());
    QString replaced;
    try {
        for (int bank = 1; bank <= 3; ++bank) {
            const QString name = QLatin1String(Bank_Names[bank - 1]);
            const std::vector<uint8_t> &image = images_[size_t(bank - 1)];
            try {
                Write_File_Atomic(Path_Join(staging, name),
                                  QByteArray(reinterpret_cast<const char *>(image.data()), qsizetype(image.size())));
            } catch (const EFileError &e) {
                throw ECompileError(QStringLiteral("The bank file \"%1\" could not be written: %2")
                                        .arg(QDir::toNativeSeparators(Path_Join(bin, name)),
                                             QString::fromUtf8(e.what()))
                                        .toStdString());
            }
        }
        Sync_Dir(staging);
        Bank_Hook(TBank_Step::Staged);
        replaced = Exchange_Sets(staging, bin, old_set);
        Sync_Dir(project);
    } catch (...) {
        Remove_Dir_Tree(staging);
        throw;
    }
    Bank_Hook(TBank_Step::Exchanged);
    if (!replaced.isEmpty())
        Drop_Set_Folder(replaced, bin);
}

void TImage_Compiler::Init_General_Block()
{
    std::fill(General_Block.begin(), General_Block.end(), 0);
    Put_U32(General_Block, 0, 250000);
    Put_U32(General_Block, 4, 250000);
    Put_U32(General_Block, 8, 0);
    Put_U32(General_Block, 12, 9600);
    const uint8_t ip[4] = {192, 168, 2, 205};
    const uint8_t mask[4] = {255, 255, 255, 0};
    for (size_t i = 0; i < 4; ++i) {
        Put_U8(General_Block, Ofs_IP + i, ip[i]);
        Put_U8(General_Block, Ofs_Mask + i, mask[i]);
        Put_U8(General_Block, Ofs_Gateway + i, 255);
    }
    Put_U16(General_Block, 52, 10000);
    Put_U16(General_Block, 54, 10001);
    Put_U16(General_Block, 56, 10001);
    for (size_t i = 436; i <= 443; ++i)
        Put_U8(General_Block, i, 8);
}

void TImage_Compiler::Set_Version_Text()
{
    for (size_t i = 0; i < 8; ++i)
        Put_U8(General_Block, Ofs_Version + i, 0);
    const QByteArray version = SW_Version.toLatin1();
    for (qsizetype i = 0; i < version.size() && i < 8; ++i)
        Put_U8(General_Block, Ofs_Version + size_t(i), uint8_t(version[i]));
}

// The text, padded on the left with "0" to chars characters, gives its bytes two hex
// digits at a time; a pair that is not hexadecimal gives 0. A text longer than the field
// is refused rather than cut, so a wrong key never reaches the device.
void TImage_Compiler::Hex_To_Header(const QString &text, int offset, int chars, const char *element)
{
    if (text.size() > chars)
        throw ECompileError(QStringLiteral("Error! %1 in ParGen.xml holds %2 characters; "
                                           "the device takes at most %3.")
                                .arg(QLatin1String(element))
                                .arg(text.size())
                                .arg(chars)
                                .toStdString());
    const QString padded = Pad_Zero_Left(text, chars);
    for (int i = 0; i < chars / 2; ++i)
        Put_U8(LoRaWAN_Header, size_t(offset + i),
               uint8_t(StrToIntDef(QStringLiteral("0x") + padded.mid(2 * i, 2), 0)));
}

void TImage_Compiler::Read_Par_Gen()
{
    if (!Project_File_Present(Path_ParGen))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(Path_ParGen);
    // A document without a root gives every field its "missing" value.
    const TXmlNode root = doc.DocumentElement();
    Set_Version_Text();
    std::vector<uint8_t> &hdr = LoRaWAN_Header;

    // Device name: the low byte of each of its first 31 characters.
    const QString name = Element_Text(root, "Eth_Conn_Device_Name").value_or(QString());
    for (int i = 0; i < Device_Name_Chars; ++i)
        Put_U8(General_Block, Ofs_Device_Name + size_t(i),
               i < name.size() ? uint8_t(name[i].unicode() & 0xFF) : 0);

    uint16_t dhcp = 0;
    if (Element_Is_One(root, "Eth_Conn_DHCP_Cable"))
        dhcp |= 1;
    if (Element_Is_One(root, "Eth_Conn_DHCP_WiFi"))
        dhcp |= 2;
    Put_U16(General_Block, Ofs_DHCP, dhcp);

    if (Element_Is_One(root, "Eth_Conn_Enable_DNS")) {
        Read_Octets(General_Block, Ofs_Primary_DNS, root, "Eth_Conn_Primary_DNS", {8, 8, 8, 8});
        Read_Octets(General_Block, Ofs_Secondary_DNS, root, "Eth_Conn_Secondary_DNS", {8, 8, 4, 4});
    }

    hdr[0] = LoRa_Band_Code(Element_Text(root, "LoRa_RF_Band").value_or(QString()));
    hdr[1] = LoRa_Network_Code(Element_Text(root, "LoRa_Network_Type").value_or(QString()));
    hdr[64] = uint8_t(Element_Int(root, "LoRa_Adaptive_DataRate", 0));
    {
        // The data rate is the number before the first "-" of the list item text.
        const QString rate = Element_Text(root, "LoRa_DataRate").value_or(QString());
        const int dash = rate.indexOf(QLatin1Char('-'));
        hdr[3] = dash < 0 ? 0 : uint8_t(StrToIntDef(Trim(rate.left(dash)), 0));
    }
    hdr[65] = LoRa_Transmission_Code(Element_Text(root, "LoRa_Transmission_Type").value_or(QString()));
    hdr[66] = uint8_t(Element_Int(root, "LoRa_Payload_Size", 1));
    Hex_To_Header(Element_Text(root, "LoRa_JoinEUI").value_or(QString()), 8, 16, "LoRa_JoinEUI");
    Put_U32(hdr, 68, uint32_t(Element_Int(root, "LoRa_Transmit_Interval", 1)));
    hdr[Hdr_Activation] =
        LoRa_Activation_Code(Element_Text(root, "LoRa_Activation_Method").value_or(QString()));
    if (hdr[Hdr_Activation] == 0) {
        Hex_To_Header(Element_Text(root, "LoRa_Device_Address").value_or(QString()), 4, 8,
                      "LoRa_Device_Address");
        Hex_To_Header(Element_Text(root, "LoRa_Network_Session_Key").value_or(QString()), 16, 32,
                      "LoRa_Network_Session_Key");
        Hex_To_Header(Element_Text(root, "LoRa_Application_Session_Key").value_or(QString()), 32, 32,
                      "LoRa_Application_Session_Key");
    } else {
        Hex_To_Header(Element_Text(root, "LoRa_Application_Key").value_or(QString()), 48, 32,
                      "LoRa_Application_Key");
    }
    if (UpperCase(Trim(Element_Text(root, "LoRa_FPort").value_or(QString())))
        == QLatin1String("VARIABLE"))
        hdr[Hdr_FPort] = 1;
    hdr[84] = uint8_t(Element_Int(root, "LoRa_Frequency_SubBand", 1));

    Put_U32(General_Block, 420, 19200);
    Put_U8(General_Block, 429, 0);
    Put_U8(General_Block, 435, 1);
    Put_U8(General_Block, 441, 8);

    Read_Octets(General_Block, Ofs_IP, root, "EtherNetIP_Master_IP", {192, 168, 0, 5});
    Read_Octets(General_Block, Ofs_Mask, root, "EtherNetIP_Master_SM", {255, 255, 255, 0});
    Read_Octets(General_Block, Ofs_Gateway, root, "EtherNetIP_Master_GAT", {192, 168, 0, 1});
    if (!Element_Is_One(root, "EtherNetIP_Master_EN_GAT"))
        for (size_t i = 0; i < 4; ++i)
            Put_U8(General_Block, Ofs_Gateway + i, 255);
}

size_t TImage_Compiler::Put_General_Block(size_t position, std::vector<uint8_t> &buffer)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < Ofs_Checksum; ++i)
        sum += General_Block[i];
    Put_U32(General_Block, Ofs_Checksum, sum);
    if (buffer.size() < position + General_Block.size())
        buffer.resize(position + General_Block.size());
    std::copy(General_Block.begin(), General_Block.end(), buffer.begin() + std::ptrdiff_t(position));
    return position + General_Block.size();
}

bool Project_File_Present(const QString &path)
{
    try {
        return Regular_File_Present(path);
    } catch (const EFileError &e) {
        throw ECompileError(QStringLiteral("Error! The project file %1 Nothing was compiled.")
                                .arg(QString::fromUtf8(e.what()))
                                .toStdString());
    }
}

void Set_Bank_Files_Hook(std::function<void(TBank_Step)> hook)
{
    g_bankHook = std::move(hook);
}

TImage_Compiler &Image_Compiler()
{
    static TImage_Compiler compiler;
    return compiler;
}

void Compile_Project()
{
    Image_Compiler().Compile_Project();
}

void Write_Bank_Files()
{
    Image_Compiler().Write_Bank_Files();
}
