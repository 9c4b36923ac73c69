#pragma once
// The PROFIBUS DP device description (GSD, revision 5) of the gateway's PROFIBUS slave side:
// a fixed text sized from the data lengths in ParGen.xml, offered as modules of 64 bytes.
// The gateway's output bytes are the master's inputs: the DI modules cover PROFINET_NB_OUT,
// the DO modules PROFINET_NB_IN.
#include <QString>
#include <QStringList>

// Asks for the target file and writes it (the main window's PROFIBUS GSD button).
void Create_GSD_File();
// Writes the description for the lengths now in ParGen.xml (0 when missing), in Windows-1252
// with CR LF after every line, replacing the file atomically. Throws EFileError, and
// EXmlError for a ParGen.xml that is not well-formed or a length outside 0..1438 bytes (what
// the communication settings accept); then nothing is written.
void Write_GSD_File(const QString &FileName);
// The description's lines for the two lengths (in bytes).
QStringList Build_GSD_Lines(int nb_in, int nb_out);
