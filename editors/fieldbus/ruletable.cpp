#include "editors/fieldbus/ruletable.h"

#include "app/language.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <algorithm>

QString TRule_Behaviour::Cell_From_File(int, int, int, const QString &value) { return value; }

QString TRule_Behaviour::Check_Tables(const TRule_Data &) { return {}; }

QString TRule_Behaviour::Cell_To_File(int, int, int, const QString &cell) { return cell; }

void TRule_Behaviour::Row_From_File(int, int, const TXmlNode &, QStringList &) {}

int Rule_Int(const QString &cell) { return StrToIntDef(cell, -1); }

bool Rule_In_Range(const QString &cell, int lo, int hi)
{
    const int v = Rule_Int(cell);
    return v >= lo && v <= hi;
}

QString Rule_Limit_Text(int text, int64_t limit) { return Lang_Text(text) + IntToStr(limit); }

QStringList Rule_Reset_Row(const TRule_Table_Desc &table, int row)
{
    QStringList cells;
    cells.reserve(table.Col_Count());
    cells.append(IntToStr(row));
    for (int c = 1; c < table.Col_Count(); ++c)
        cells.append(c == 1 && table.Enable != TRule_Enable::None ? QStringLiteral("Y")
                                                                  : table.Columns[size_t(c)].Reset);
    return cells;
}

TRule_Data Rule_Reset_Data(const TRule_Editor_Desc &desc)
{
    std::vector<int> rows;
    for (const TRule_Table_Desc &table : desc.Tables)
        rows.push_back(table.Rows);
    return Rule_Reset_Data(desc, rows);
}

TRule_Data Rule_Reset_Data(const TRule_Editor_Desc &desc, const std::vector<int> &counts)
{
    TRule_Data data;
    data.reserve(desc.Tables.size());
    for (size_t t = 0; t < desc.Tables.size(); ++t) {
        const TRule_Table_Desc &table = desc.Tables[t];
        const int count = t < counts.size() ? counts[t] : table.Rows;
        TRule_Rows rows;
        rows.reserve(size_t(std::max(0, count)));
        for (int r = 1; r <= count; ++r)
            rows.push_back(Rule_Reset_Row(table, r));
        data.push_back(std::move(rows));
    }
    return data;
}

namespace {

QString Missing_List(const TRule_Table_Desc &table, const QString &path)
{
    return QStringLiteral("The element <%1> is missing in %2.").arg(QLatin1String(table.List), path);
}

QString Missing_Attribute(const TRule_Table_Desc &table, int row, const char *attribute, const QString &path)
{
    const QString where = *table.List ? QStringLiteral("<%1>").arg(QLatin1String(table.List))
                                      : QStringLiteral("the root");
    return QStringLiteral("Row %1 of %2 in %3 has no attribute %4.")
        .arg(row)
        .arg(where, path, QLatin1String(attribute));
}

// Reads one list into its table; the error's text, or empty.
QString Load_Table(const TRule_Table_Desc &table, int t, const TXmlNode &list, const QString &path,
                   TRule_Rows &rows, TRule_Behaviour &behaviour)
{
    const std::vector<TXmlNode> elements = list.Children();
    const size_t count = std::min(elements.size(), rows.size());
    for (size_t k = 0; k < count; ++k) {
        const int row = int(k) + 1;
        QStringList &cells = rows[k];
        for (int c = 1; c < table.Col_Count(); ++c) {
            const TRule_Column_Desc &col = table.Columns[size_t(c)];
            if (!col.Attribute) {
                if (col.On_Load)
                    cells[c] = QLatin1String(col.On_Load);
                continue;
            }
            const QString name = QLatin1String(col.Attribute);
            if (elements[k].HasAttribute(name))
                cells[c] = behaviour.Cell_From_File(t, row, c, elements[k].Attribute(name));
            else if (col.Default)
                cells[c] = QLatin1String(col.Default);
            else
                return Missing_Attribute(table, row, col.Attribute, path);
        }
        behaviour.Row_From_File(t, row, elements[k], cells);
    }
    return {};
}

} // namespace

QString Rule_Load(const TRule_Editor_Desc &desc, const QString &path, TRule_Data &data,
                  TRule_Behaviour &behaviour, TXmlDocument &doc)
{
    if (!File_Exists(path))
        return {};
    try {
        doc.LoadFromFile(path);
    } catch (const EXmlError &e) {
        return QString::fromUtf8(e.what());
    }
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        return QStringLiteral("%1 holds no element.").arg(path);
    for (size_t t = 0; t < desc.Tables.size() && t < data.size(); ++t) {
        const TRule_Table_Desc &table = desc.Tables[t];
        const TXmlNode list = *table.List ? root.Child(QLatin1String(table.List)) : root;
        if (!list) {
            if (table.List_Optional)
                continue;
            return Missing_List(table, path);
        }
        const QString error = Load_Table(table, int(t), list, path, data[t], behaviour);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

bool Rule_Key_Empty(const TRule_Table_Desc &table, const QStringList &cells)
{
    if (table.Key_Col < 0)
        return false;
    const QString key = cells.value(table.Key_Col);
    return table.Key_Trimmed ? Trim(key).isEmpty() : key.isEmpty();
}

bool Rule_Check_End(const TRule_Table_Desc &table, const QStringList &cells)
{
    if (table.Check_Keys.empty())
        return Rule_Key_Empty(table, cells);
    for (int col : table.Check_Keys) {
        const QString key = cells.value(col);
        if (!(table.Key_Trimmed ? Trim(key).isEmpty() : key.isEmpty()))
            return false;
    }
    return true;
}

bool Rule_Enabled(const TRule_Table_Desc &table, const QStringList &cells)
{
    switch (table.Enable) {
    case TRule_Enable::None:
        return true;
    case TRule_Enable::Trimmed:
        return Trim(cells.value(1)) == QLatin1String("Y");
    case TRule_Enable::Trimmed_Upper:
        return UpperCase(Trim(cells.value(1))) == QLatin1String("Y");
    case TRule_Enable::Upper:
        return UpperCase(cells.value(1)) == QLatin1String("Y");
    case TRule_Enable::Exact:
        return cells.value(1) == QLatin1String("Y");
    }
    return true;
}

QString Rule_Validate(const TRule_Editor_Desc &desc, const TRule_Data &data, TRule_Behaviour &behaviour)
{
    for (size_t t = 0; t < desc.Tables.size() && t < data.size(); ++t) {
        const TRule_Table_Desc &table = desc.Tables[t];
        const TRule_Rows &rows = data[t];
        for (size_t i = 0; i < rows.size(); ++i) {
            if (Rule_Check_End(table, rows[i]))
                break;
            if (!Rule_Enabled(table, rows[i]))
                continue;
            const int row = int(i) + 1;
            behaviour.Whole_Message = false;
            const QString text = behaviour.Check_Row(int(t), row, rows[i]);
            if (text.isEmpty())
                continue;
            if (behaviour.Whole_Message || table.Error_Row < 0)
                return text;
            return Lang_Text(table.Error_Row) + IntToStr(row) + text;
        }
    }
    return behaviour.Check_Tables(data);
}

void Rule_Build_Document(const TRule_Editor_Desc &desc, const TRule_Data &data,
                         TRule_Behaviour &behaviour, TXmlDocument &doc)
{
    TXmlNode root = doc.CreateRoot(QLatin1String(desc.Root));
    if (!desc.Version.isEmpty())
        doc.AddComment(QStringLiteral("SW_VERSION = ") + desc.Version);
    for (size_t t = 0; t < desc.Tables.size() && t < data.size(); ++t) {
        const TRule_Table_Desc &table = desc.Tables[t];
        TXmlNode list = *table.List ? root.AddChild(QLatin1String(table.List)) : root;
        const QString row_name = QLatin1String(table.Row_Element);
        const TRule_Rows &rows = data[t];
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!table.Save_All_Rows && Rule_Key_Empty(table, rows[i]))
                break;
            TXmlNode element = list.AddChild(row_name);
            for (int c = 1; c < table.Col_Count(); ++c) {
                const TRule_Column_Desc &col = table.Columns[size_t(c)];
                if (col.Attribute)
                    element.SetAttribute(QLatin1String(col.Attribute),
                                         behaviour.Cell_To_File(int(t), int(i) + 1, c, rows[i].value(c)));
            }
        }
    }
}

void Rule_Save(const TRule_Editor_Desc &desc, const TRule_Data &data, TRule_Behaviour &behaviour,
               const QString &path, TXmlDocument &doc)
{
    Rule_Build_Document(desc, data, behaviour, doc);
    doc.SaveToFile(path);
}
