#include "gateway/ethernetip_rules.h"

#include "app/language.h"
#include "app/valuechecks.h"
#include "gateway/eds_reader.h"
#include "platform/files.h"
#include "platform/rtl.h"

namespace {

struct TColumn_Attr
{
    int col;
    const char *name;
    const char *missing;
};

// The 19 attributes of a row element, in file order.
const TColumn_Attr Row_Attrs[] = {
    {EC_Enable, "Enable", "N"},
    {EC_IP_Address, "IP_Address", ""},
    {EC_Start_Input, "Start_Input", ""},
    {EC_Num_Input, "Num_Input", ""},
    {EC_Start_Output, "Start_Output", ""},
    {EC_Num_Output, "Num_Output", ""},
    {EC_Time_Poll, "Time_Poll", ""},
    {EC_Instance_T_O, "Instance_T_O", ""},
    {EC_Connection_Point_T_O, "Connection_Point_T_O", ""},
    {EC_Instance_O_T, "Instance_O_T", ""},
    {EC_Connection_Point_O_T, "Connection_Point_O_T", ""},
    {EC_Dim_Header_T_O, "Dim_Header_T_O", "Default"},
    {EC_Dim_Header_O_T, "Dim_Header_O_T", "Default"},
    {EC_EnableElectronicKey, "EnableElectronicKey", "N"},
    {EC_ElectronicKey, "ElectronicKey", ""},
    {EC_EnableDataSegment, "EnableDataSegment", "N"},
    {EC_DataSegment, "DataSegment", ""},
    {EC_ResetData, "ResetData", "N"},
    {EC_Mnemonic, "Mnemonic", ""},
};

bool Is_Y(const QString &cell) { return UpperCase(cell) == QLatin1String("Y"); }

// Cuts a comma list from the left, each piece trimmed; a blank rest after the last comma
// adds no piece. Returns 1 at the first piece that is not a byte, else the piece count in
// count and 0.
int Cut_Bytes(const QString &text, bool bare_hex, int &count)
{
    QStringList pieces = text.split(QLatin1Char(','));
    if (pieces.size() > 1 && Trim(pieces.last()).isEmpty())
        pieces.removeLast();
    if (text.isEmpty())
        pieces.clear();
    count = 0;
    for (const QString &p : pieces) {
        const QString piece = bare_hex ? QStringLiteral("0x") + Trim(p) : Trim(p);
        int v = 0;
        if (!TryStrToInt(piece, v) || v < 0 || v > 255)
            return 1;
        ++count;
    }
    return 0;
}

// A TargetCong attribute; a missing one throws EXmlMissing.
QString Attr(const TXmlNode &node, const char *name) { return node.Attribute(QLatin1String(name)); }

} // namespace

TEtherNetIP_Rules::TEtherNetIP_Rules()
{
    for (int r = 1; r <= EtherNetIP_Row_Count; ++r)
        Rows.push_back(Blank_Row(r));
}

QStringList TEtherNetIP_Rules::Blank_Row(int r)
{
    QStringList row;
    row.reserve(EC_Col_Count);
    row << IntToStr(r) << QStringLiteral("Y");
    while (row.size() < EC_Col_Count)
        row.append(QString());
    return row;
}

TEtherNetIP_Rules TEtherNetIP_Rules::Load(const QString &path)
{
    TEtherNetIP_Rules r;
    if (!File_Exists(path))
        return r;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const std::vector<TXmlNode> rows = doc.DocumentElement().Children();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i == size_t(EtherNetIP_Row_Count)) {
            r.Warnings.append(QStringLiteral("The file holds %1 connections; only the first %2 were loaded.")
                                  .arg(rows.size())
                                  .arg(EtherNetIP_Row_Count));
            break;
        }
        const TXmlNode &row = rows[i];
        for (const TColumn_Attr &a : Row_Attrs)
            r.Rows[i][a.col] = row.AttributeDef(QLatin1String(a.name), QLatin1String(a.missing));
        const TXmlNode tc = row.Child(QStringLiteral("TargetCong"));
        if (!tc)
            continue;
        try {
            r.ArrTargetConf[i] = Read_TargetCong(tc);
        } catch (const std::runtime_error &e) {
            r.Warnings.append(QStringLiteral("Row %1: the target configuration could not be read (%2); the row "
                                             "has no target configuration.")
                                  .arg(i + 1)
                                  .arg(QString::fromUtf8(e.what())));
        }
    }
    return r;
}

void TEtherNetIP_Rules::Save(const QString &path) const
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(QStringLiteral("EtherNetIP_Master_Access"));
    doc.AddComment(QStringLiteral("SW_VERSION = 1.000"));
    for (size_t r = 0; r < Rows.size(); ++r) {
        const QStringList &row = Rows[r];
        if (Is_Y(row.value(EC_Enable)) && Trim(row.value(EC_IP_Address)).isEmpty())
            break;
        TXmlNode x = root.AddChild(QStringLiteral("row"));
        for (const TColumn_Attr &a : Row_Attrs)
            x.SetAttribute(QLatin1String(a.name), row.value(a.col));
        if (r < ArrTargetConf.size() && ArrTargetConf[r])
            Write_TargetCong(x, *ArrTargetConf[r]);
    }
    doc.SaveToFile(path);
}

bool TEtherNetIP_Rules::Row_Holds_Data(size_t r) const
{
    if (r < ArrTargetConf.size() && ArrTargetConf[r])
        return true;
    const QStringList &row = Rows[r];
    for (const TColumn_Attr &a : Row_Attrs) {
        if (a.col == EC_Enable)
            continue;
        const QString cell = Trim(row.value(a.col));
        const QLatin1String missing(a.missing);
        if (missing == QLatin1String("N") ? Is_Y(cell)
            : missing.isEmpty()           ? !cell.isEmpty()
                                          : !cell.isEmpty() && UpperCase(cell) != UpperCase(QString(missing)))
            return true;
    }
    return false;
}

QString TEtherNetIP_Rules::Check_Unsaved() const
{
    size_t stop = 0;
    while (stop < Rows.size() && !(Is_Y(Rows[stop].value(EC_Enable)) && Trim(Rows[stop].value(EC_IP_Address)).isEmpty()))
        ++stop;
    for (size_t r = stop; r < Rows.size(); ++r) {
        if (!Row_Holds_Data(r))
            continue;
        const QString error = Lang_Text(4131) + IntToStr(int64_t(stop) + 1);
        if (r == stop)
            return error + QStringLiteral("!! The row is enabled and has no IP Address: it would not be saved, nor "
                                          "the rows after it. Type its IP Address or disable it");
        return error + QStringLiteral("!! The row is enabled and has no IP Address, and row %1 after it holds a "
                                      "connection: the rows after it would not be saved. Delete or disable the row")
                           .arg(int64_t(r) + 1);
    }
    return QString();
}

QString TEtherNetIP_Rules::Check() const
{
    int input_total = 0;
    int output_total = 0;
    for (size_t r = 0; r < Rows.size(); ++r) {
        const QStringList &row = Rows[r];
        if (!Is_Y(row.value(EC_Enable)))
            continue;
        if (Trim(row.value(EC_IP_Address)).isEmpty())
            break;
        const auto error = [r](int text) { return Lang_Text(4131) + IntToStr(int64_t(r) + 1) + Lang_Text(text); };
        const auto in = [&row](int col, int lo, int hi, int &v) {
            v = StrToIntDef(row.value(col), -1);
            return v >= lo && v <= hi;
        };
        QString a, b, c, d;
        if (!Split_IP_Address(row.value(EC_IP_Address), a, b, c, d))
            return error(4132);
        struct Range { int col; int lo; int hi; int text; };
        static const Range ranges[] = {
            {EC_Start_Input, 0, 65535, 4133},        {EC_Num_Input, 0, 65535, 4134},
            {EC_Start_Output, 0, 65535, 4135},       {EC_Num_Output, 0, 65535, 4136},
            {EC_Time_Poll, 1, 100000000, 4137},      {EC_Instance_T_O, 0, 65535, 4145},
            {EC_Connection_Point_T_O, 0, 65535, 4151}, {EC_Instance_O_T, 0, 65535, 4146},
            {EC_Connection_Point_O_T, 0, 65535, 4152},
        };
        for (const Range &range : ranges) {
            int v = 0;
            if (!in(range.col, range.lo, range.hi, v))
                return error(range.text);
            if (range.col == EC_Num_Input)
                input_total += v;
            else if (range.col == EC_Num_Output)
                output_total += v;
        }
        for (const auto &[col, text] : {std::pair{int(EC_Dim_Header_T_O), 4157}, std::pair{int(EC_Dim_Header_O_T), 4158}}) {
            int v = 0;
            if (UpperCase(Trim(row.value(col))) != QLatin1String("DEFAULT") && !in(col, 0, 7, v))
                return error(text);
        }
        // The electronic key and the data segment: empty, a wrong byte, a wrong count.
        struct TList_Check
        {
            int enable, list;
            int (*check)(const QString &);
            int text_empty, text_byte, text_count;
        };
        static const TList_Check lists[] = {
            {EC_EnableElectronicKey, EC_ElectronicKey, CheckBytesElectronicKey, 4171, 4169, 4170},
            {EC_EnableDataSegment, EC_DataSegment, CheckBytesDataSegment, 4174, 4172, 4173},
        };
        for (const TList_Check &l : lists) {
            if (!Is_Y(row.value(l.enable)))
                continue;
            const QString text = Trim(row.value(l.list));
            if (text.isEmpty())
                return error(l.text_empty);
            const int result = l.check(text);
            if (result == 1)
                return error(l.text_byte);
            if (result == 2)
                return error(l.text_count);
        }
    }
    if (input_total > EtherNetIP_Max_Bytes)
        return Lang_Text(4138) + IntToStr(EtherNetIP_Max_Bytes);
    if (output_total > EtherNetIP_Max_Bytes)
        return Lang_Text(4139) + IntToStr(EtherNetIP_Max_Bytes);
    return QString();
}

int TEtherNetIP_Rules::First_Free_Row() const
{
    for (size_t r = 0; r < Rows.size(); ++r)
        if (Trim(Rows[r].value(EC_IP_Address)).isEmpty() && Trim(Rows[r].value(EC_Instance_T_O)).isEmpty())
            return int(r) + 1;
    return 0;
}

void TEtherNetIP_Rules::Import_Connection(int r, const TEDS_Reader &eds, int k)
{
    if (r < 1 || size_t(r) > Rows.size() || r > EtherNetIP_Row_Count)
        throw std::out_of_range("no such row of the EtherNet/IP table");
    const QStringList cells = eds.Grid_Cells(k);
    QStringList &row = Rows[size_t(r - 1)];
    while (row.size() < EC_Col_Count)
        row.append(QString());
    row[EC_Instance_O_T] = cells[3];
    row[EC_Connection_Point_O_T] = cells[4];
    row[EC_Instance_T_O] = cells[5];
    row[EC_Connection_Point_T_O] = cells[6];
    row[EC_Dim_Header_T_O] = cells[8];
    row[EC_Dim_Header_O_T] = cells[7];
    if (eds.VendCode || eds.ProdType || eds.ProdCode || eds.MajRev || eds.MinRev)
        row[EC_ElectronicKey] = Electronic_Key_Text(eds.VendCode, eds.ProdType, eds.ProdCode, eds.MajRev, eds.MinRev);
    row[EC_DataSegment].clear();
    std::unique_ptr<TTargetConfig> &slot = ArrTargetConf[size_t(r - 1)];
    slot.reset();

    const TConnData &conn = eds.List_Conn.at(size_t(k));
    if (conn.TargetConfSize.isEmpty() || conn.TargetConfFormat.isEmpty())
        return;
    auto tc = std::make_unique<TTargetConfig>();
    tc->FileName = eds.EDS_FileName;
    tc->Size = conn.TargetConfSize;
    tc->Format = conn.TargetConfFormat;
    tc->DecodeTargetConf();
    row[EC_DataSegment] = tc->GetConfigStrData();
    slot = std::move(tc);
}

void TEtherNetIP_Rules::Delete_Config(int r)
{
    if (r < 1 || r > EtherNetIP_Row_Count)
        return;
    for (size_t i = size_t(r - 1); i + 1 < ArrTargetConf.size(); ++i)
        ArrTargetConf[i] = std::move(ArrTargetConf[i + 1]);
    ArrTargetConf.back().reset();
}

void TEtherNetIP_Rules::Insert_Config(int r)
{
    if (r < 1 || r > EtherNetIP_Row_Count)
        return;
    for (size_t i = ArrTargetConf.size() - 1; i > size_t(r - 1); --i)
        ArrTargetConf[i] = std::move(ArrTargetConf[i - 1]);
    ArrTargetConf[size_t(r - 1)].reset();
}

int CheckBytesElectronicKey(const QString &listBytes)
{
    int count = 0;
    if (Cut_Bytes(listBytes, false, count) == 1)
        return 1;
    return count == 8 ? -1 : 2;
}

int CheckBytesDataSegment(const QString &listBytes)
{
    int count = 0;
    if (Cut_Bytes(listBytes, false, count) == 1)
        return 1;
    return count > 510 ? 2 : -1;
}

int Err_Check_Data_Path(const QString &Data_Path, int Num_DP)
{
    int count = 0;
    if (Cut_Bytes(Data_Path, true, count) == 1)
        return 1;
    return count < Num_DP ? 2 : 0;
}

QString Electronic_Key_Text(uint16_t VendCode, uint16_t ProdType, uint16_t ProdCode, uint8_t MajRev,
                            uint8_t MinRev)
{
    const int bytes[] = {VendCode & 0xFF, VendCode >> 8, ProdType & 0xFF, ProdType >> 8,
                         ProdCode & 0xFF, ProdCode >> 8, MajRev + 128,    MinRev};
    QStringList parts;
    for (const int b : bytes)
        parts.append(QStringLiteral("0x") + IntToHex(uint64_t(b), 2));
    return parts.join(QStringLiteral(", "));
}

void Write_TargetCong(TXmlNode row, const TTargetConfig &tc)
{
    TXmlNode node = row.AddChild(QStringLiteral("TargetCong"));
    node.SetAttribute(QStringLiteral("FileName"), tc.FileName);
    node.SetAttribute(QStringLiteral("Size"), tc.Size);
    node.SetAttribute(QStringLiteral("Format"), tc.Format);
    node.SetAttribute(QStringLiteral("AO_Name"), tc.AO_Name);
    node.SetAttribute(QStringLiteral("AO_SizeBit"), tc.AO_SizeBit);
    TXmlNode params = node.AddChild(QStringLiteral("ParamObjects"));
    for (const TTC_ParamObj &p : tc.ListParamObject) {
        TXmlNode x = params.AddChild(QStringLiteral("ParamObject"));
        x.SetAttribute(QStringLiteral("BitSize"), p.BitSize);
        x.SetAttribute(QStringLiteral("ParamName"), p.ParamName);
        x.SetAttribute(QStringLiteral("Name"), p.Name);
        x.SetAttribute(QStringLiteral("DataSizeByte"), IntToStr(p.DataSizeByte));
        x.SetAttribute(QStringLiteral("DataType"), IntToStr(p.DataType));
        x.SetAttribute(QStringLiteral("Min"), IntToStr(p.Min));
        x.SetAttribute(QStringLiteral("Max"), IntToStr(p.Max));
        x.SetAttribute(QStringLiteral("Default"), IntToStr(p.Default));
        x.SetAttribute(QStringLiteral("Value"), IntToStr(p.Value));
        x.SetAttribute(QStringLiteral("Enum"), p.Enum ? QStringLiteral("1") : QStringLiteral("0"));
        TXmlNode list = x.AddChild(QStringLiteral("EnumList"));
        for (const TTC_EnumObj &e : p.ListEnum) {
            TXmlNode en = list.AddChild(QStringLiteral("Enum"));
            en.SetAttribute(QStringLiteral("Value"), IntToStr(e.Value));
            en.SetAttribute(QStringLiteral("Description"), e.Description);
        }
    }
}

std::unique_ptr<TTargetConfig> Read_TargetCong(const TXmlNode &node)
{
    auto tc = std::make_unique<TTargetConfig>();
    tc->FileName = Attr(node, "FileName");
    tc->Size = Attr(node, "Size");
    tc->Format = Attr(node, "Format");
    tc->AO_Name = Attr(node, "AO_Name");
    tc->AO_SizeBit = Attr(node, "AO_SizeBit");
    const TXmlNode params = node.Child(QStringLiteral("ParamObjects"));
    for (const TXmlNode &x : params.Children()) {
        TTC_ParamObj p;
        p.BitSize = Attr(x, "BitSize");
        p.ParamName = Attr(x, "ParamName");
        p.Name = Attr(x, "Name");
        p.DataSizeByte = StrToInt(Attr(x, "DataSizeByte"));
        p.DataType = StrToInt(Attr(x, "DataType"));
        p.Min = StrToInt64(Attr(x, "Min"));
        p.Max = StrToInt64(Attr(x, "Max"));
        p.Default = StrToInt64(Attr(x, "Default"));
        p.Value = StrToInt64(Attr(x, "Value"));
        p.Enum = Attr(x, "Enum") == QLatin1String("1");
        for (const TXmlNode &e : x.Child(QStringLiteral("EnumList")).Children()) {
            TTC_EnumObj en;
            en.Value = StrToInt(Attr(e, "Value"));
            en.Description = Attr(e, "Description");
            p.ListEnum.push_back(en);
            p.EnumString.append(en.Description);
        }
        tc->ListParamObject.push_back(p);
    }
    return tc;
}
