#pragma once
// The PROFINET device description (GSDML V2.25) of the gateway's PROFINET device side: a
// fixed document apart from the data lengths and the station name in ParGen.xml. The
// gateway's output bytes are the controller's inputs: the Input data item carries
// PROFINET_NB_OUT, the Output data item PROFINET_NB_IN.
#include <QString>
#include <QStringList>

struct TProfinet_Param
{
    int NB_Out = 1438;
    int NB_In = 1438;
    QString Name_Station = QStringLiteral("SERIAL");
};

// The three values from ParGen.xml; the defaults when the file, the key or a usable value
// is missing (a blank station name counts as missing).
TProfinet_Param Read_Profinet_Param();
// Asks for the target folder (the file keeps FileName) and writes it.
void Create_GSDML_File(const QString &FileName);
// Writes the description in UTF-8 with a byte-order mark, CR LF after every line, replacing
// the file atomically. Throws EFileError, or EXmlError as Build_GSDML_Lines; then nothing
// is written.
void Write_GSDML_File(const QString &FileName);
// The description's lines; the station name is written with XML's special characters escaped.
// Throws EXmlError naming the field when the name holds a character XML cannot hold.
QStringList Build_GSDML_Lines(const TProfinet_Param &param);
