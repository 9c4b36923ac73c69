#pragma once
// Reader of EtherNet/IP EDS files for the scanner editor: the device identity of [Device]
// and the connections of [Connection Manager], each decoded into its instances,
// connection points and real-time header formats. Only the keys and fields the editor
// uses are read; everything else in the file is ignored.
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

// An EDS file that holds, in a field the editor would take into the project, a character a
// project file cannot hold (a NUL byte, for one).
class EEDS_Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One decoded connection entry.
struct TConnData
{
    int32_t ConnIndex = 0;         // 1-based among the decoded connections
    QString ConnName;              // trimmed, double quotes kept
    QString HelpStr;
    uint8_t DimHeaderTO = 0;       // bits 12..14 of the connection parameters
    uint8_t DimHeaderOT = 4;       // bits 8..10
    uint8_t NumClass = 4;
    uint32_t InstanceTO = 30;
    uint32_t ConnPointTO = 0;
    uint32_t InstanceOT = 30;
    uint32_t ConnPointOT = 0;
    QString TargetConfSize;        // target configuration size field, trimmed
    QString TargetConfFormat;      // the [Assembly] key of the target configuration
};

// A line of an EDS file without its comment: trimmed, cut at the first "$", trimmed again.
QString EDS_Clean_Line(const QString &line);
// The same as a view into the line, for files too long to copy line by line.
QStringView EDS_Clean_View(QStringView line);
// Without blanks and control characters at either end, as Trim.
QStringView EDS_Trim_View(QStringView text);

class TEDS_Reader
{
public:
    static constexpr int Path_Size = 1001;
    // Columns of the connection chooser's table.
    static constexpr int Grid_Columns = 9;

    QString EDS_FileName;
    std::vector<TConnData> List_Conn;
    std::array<uint8_t, Path_Size> Path{};
    int Path_Count = 0;            // bytes of Path in use
    uint16_t VendCode = 0;
    uint16_t ProdType = 0;
    uint16_t ProdCode = 0;
    uint8_t MajRev = 0;
    uint8_t MinRev = 0;

    // Drops what an earlier read found, then reads EDS_FileName when it exists. Throws
    // EFileError (platform/files.h) for a file that exists but cannot be read, and
    // EEDS_Error for a connection whose name, help, target configuration size or format
    // holds a character a project file cannot hold.
    void Read_EDS();
    // The same over lines already read.
    void Read_Lines(const QStringList &lines);

    // The value of the [Device] key DevObj (upper case, with or without its " =") in the
    // upper-cased line str, the key followed by blanks or none and "=": the text after the
    // "=" up to ";", trimmed. 0 when it is no number or there is no ";".
    static int32_t GetDeviceValue(const QString &str, const QString &DevObj);
    // Appends the fields of a connection entry: "," and ";" outside double quotes end a
    // field; quotes and blanks stay in it.
    static void Split_EDS_Fields(const QString &text, QStringList &list);
    // Decodes one connection entry and appends it to List_Conn when it is usable; returns
    // the empty text, the caller's next pending entry. A path piece "[ParamN]" stands for the
    // default value of that [Params] entry of the lines being read, as wide as the logical
    // segment before it asks; unresolved, it leaves the path short.
    QString DecodeConnStr(const QString &ConnStr);
    // Read one logical segment of Path at index1, which ends on the segment's last byte.
    void Get_Instance(int &index1, uint32_t &app_InstanceOT, uint32_t &app_InstanceTO, bool BoolInsOT,
                      bool BoolInsTO) const;
    void Get_ConnectionPoint(int &index1, uint32_t &ConnPoint) const;

    // The chooser's cells for List_Conn entry k (0-based), columns 0 to 8.
    QStringList Grid_Cells(int k) const;

private:
    QString Entry_Key_;            // the key of the connection entry being decoded
    const QStringList *Lines_ = nullptr;   // the lines Read_Lines is reading
    QHash<QString, std::pair<bool, int64_t>> Param_Defaults_;   // looked-up [Params] defaults
    int64_t Param_Default(const QString &key, bool &found);
    void Append_Param_Value(const QString &key);
    uint8_t At(int i) const { return i >= 0 && i < Path_Count ? Path[size_t(i)] : 0; }
    uint32_t Aligned_Value(int &i, int width) const;
    // The 8-, 16- or 32-bit segment whose codes are code8, code8 + 1, code8 + 2 at i.
    bool Segment_Value(int &i, uint8_t code8, uint32_t &value) const;
    bool Walk_Path(TConnData &conn) const;
};
