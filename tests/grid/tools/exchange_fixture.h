#pragma once
// The file-exchange tests: a tool grid with a temporary folder and raw file access.
#include "toolgrid.h"

#include "platform/files.h"
#include "platform/textcodec.h"

#include <QTemporaryDir>

struct ExchangeTest : ToolGridTest
{
    QTemporaryDir Dir;
    QString Path(const char *Name) { return Dir.filePath(QString::fromLatin1(Name)); }
    void Put(const char *Name, const QByteArray &Bytes) { Write_File_Atomic(Path(Name), Bytes); }
    QByteArray Get(const char *Name) { return Read_File(Path(Name)); }
    // Texts row by row, "|" between cells.
    QStringList Rows()
    {
        QStringList out;
        for (int r = 0; r < Grid.RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < Grid.ColCount(); ++c)
                cells << Grid.Cells(c, r);
            out << cells.join(u'|');
        }
        return out;
    }
};
