#pragma once
// The configuration data an EtherNet/IP connection sends to its target in the data segment
// of the connection request: the parameters of the EDS [Assembly] entry that the connection
// names, their [Params] entries and Enum value lists, and the data segment text built from
// their values.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// An EDS target configuration that cannot be decoded (a member without a usable [Params]
// entry).
class ETargetConfigError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One entry of a parameter's value list.
struct TTC_EnumObj
{
    int32_t Value = 0;
    QString Description;
};

// One member of the assembly with its parameter entry.
struct TTC_ParamObj
{
    QString BitSize;          // the member's size field, verbatim
    QString ParamName;        // the member's reference field, verbatim
    QString Name;
    int32_t DataSizeByte = 0; // bytes the parameter adds to the data segment
    int32_t DataType = 0;
    int64_t Min = 0;
    int64_t Max = 0;
    int64_t Default = 0;
    int64_t Value = 0;
    bool Enum = false;
    std::vector<TTC_EnumObj> ListEnum;
    QStringList EnumString;   // the descriptions of ListEnum, in order

    // The description of the first entry whose value is Value; empty when none.
    QString GetEnumString() const;
    // The value of the first entry described exactly so; Default when none.
    int64_t SetValueFromEnum(const QString &Val_Enum) const;
};

struct TTargetConfig
{
    QString FileName;         // full path of the EDS file
    QString Size;             // the connection's target configuration size field
    QString Format;           // the [Assembly] key
    QString AO_Name;
    QString AO_SizeBit;
    std::vector<TTC_ParamObj> ListParamObject;

    // Fills the configuration from FileName when the file exists. Throws
    // ETargetConfigError for a member whose parameter entry is missing or short, and
    // EFileError for a file that exists but cannot be read.
    void DecodeTargetConf();
    // The text of the [Assembly] entry whose key is Format, empty when none. The key must
    // stand at the start of its line, followed by blanks and "=".
    QString Find_Assembly_Object(const QStringList &sl) const;
    void DecodeAssemblyObj(const QString &AssemObj, const QStringList &sl);
    // The [Params] entry of the key Param; its Enum entry goes to EnumStr.
    static QString find_Param_Enum_Object(const QString &Param, const QStringList &sl, QString &EnumStr);
    // Data segment bytes as "0xHH" joined by ",": DataSizeByte bytes of each Value, least
    // significant first, then zero bytes up to Size.
    QString GetConfigStrData() const;
};

// A deep copy for the data segment editor; the caller owns it.
std::unique_ptr<TTargetConfig> CopyTargetConf(const TTargetConfig &app);
// After the editor's OK: the values of the edited copy, parameter by parameter.
void Copy_Param_Values(TTargetConfig &dst, const TTargetConfig &edited);

// Comma list splitting of assembly, parameter and Enum entries: a field that begins with a
// double quote runs to its closing quote (a doubled quote stands for one), any other field
// to the next comma; a final comma adds an empty field.
QStringList Split_Delimited_Strict(const QString &text);

// Data segment editor: the cells of parameter row k (1-based), columns 0 to 8.
QStringList Data_Seg_Cells(const TTC_ParamObj &p, int k);
constexpr int Data_Seg_Value_Col = 4;
constexpr int Data_Seg_Value_Int_Col = 8;

// Checks the typed values (column 4 of each parameter row, in parameter order) of the
// parameters that are not enumerations and stores them when all pass. A value must convert,
// lie in Min..Max (Max only when it is above Min) and fit DataSizeByte bytes; the first
// that does not gives text 6315 in Error and changes nothing.
bool Check_Value(TTargetConfig &TC, const QStringList &ValueTexts, QString &Error);
