#pragma once
// The check of one Modbus master rule, shared by the serial and the TCP editor: which
// columns hold the fields, which texts name the faults, and the byte image the rule reads
// into (read rules) or writes from (write rules).
#include <QString>
#include <QStringList>

// Real columns of a rule's fields; -1 where the table has no such column.
struct TModbus_Columns
{
    int Slave_ID, Type, Address, NPoint, PollTime, MaxError, Position, Bit, Topic;
};

// UI texts of the faults, in the order they are checked.
struct TModbus_Texts
{
    int Slave_ID, Type, Address, NPoint, PollTime, PollTime_Mode, MaxError, Position, Bit, Bytes, Topic;
};

struct TModbus_Check
{
    bool Write = false;            // a write rule (else a read rule)
    TModbus_Columns Cols{};
    TModbus_Texts Texts{};
    int NByte = 1500;              // size of the image the rule's Position points into
    bool Position_Shown = true;    // read rules check Position only while its column is shown
    bool Topic_Shown = false;      // read rules need a Topic only while its column is shown
    int Working_Mode = 0;          // picks the read Poll Time text
};

// A bit rule reads coils or discrete inputs (read: "COIL STATUS", "INPUT STATUS"; write:
// "COIL STATUS"), compared trimmed and upper-cased; any other type is a register rule.
bool Modbus_Bit_Rule(const QString &type, bool write);

// The first failing check's text with its limit appended where it ends in "between 1 and ",
// empty when the rule is valid.
QString Modbus_Check_Row(const TModbus_Check &check, const QStringList &cells);
