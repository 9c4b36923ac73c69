#include "grid/tools/gridexchange.h"

#include "grid/tools/gridtoolstate.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <QGuiApplication>
#include <cmath>

TTextEncoding DetectTextEncoding(const QByteArray &Bytes)
{
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        return TTextEncoding::Utf8Bom;
    if (Bytes.startsWith("\xFF\xFE"))
        return TTextEncoding::Utf16LE;
    if (Bytes.startsWith("\xFE\xFF"))
        return TTextEncoding::Utf16BE;
    return TTextEncoding::Ansi;
}

QByteArray EncodeText(const QString &Text, TTextEncoding Encoding)
{
    QByteArray out;
    switch (Encoding) {
    case TTextEncoding::Ansi:
        return Encode_Windows1252(Text);
    case TTextEncoding::Ascii: {
        out.resize(Text.size());
        char *p = out.data();
        for (QChar ch : Text)
            *p++ = ch.unicode() < 0x80 ? char(ch.unicode()) : '?';
        return out;
    }
    case TTextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + Text.toUtf8();
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        const bool le = Encoding == TTextEncoding::Utf16LE;
        out.resize(2 + Text.size() * 2);
        char *p = out.data();
        *p++ = le ? '\xFF' : '\xFE';
        *p++ = le ? '\xFE' : '\xFF';
        for (QChar ch : Text) {
            const char lo = char(ch.unicode() & 0xFF), hi = char(ch.unicode() >> 8);
            *p++ = le ? lo : hi;
            *p++ = le ? hi : lo;
        }
        return out;
    }
    }
    return out;
}

void AppendLine(QString &Out, const QString &Line)
{
    if (Out.capacity() - Out.size() < Line.size() + 2)
        Out.reserve(std::max(2 * Out.capacity(), Out.size() + Line.size() + 2));
    Out += Line;
    Out += QLatin1String("\r\n");
}

QString JoinLines(const QStringList &Lines)
{
    qsizetype n = 0;
    for (const QString &l : Lines)
        n += l.size() + 2;
    QString out;
    out.reserve(n);
    for (const QString &l : Lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

TTextFile ReadTextFile(const QString &FileName, bool MissingAllowed)
{
    TTextFile f;
    if (MissingAllowed && !File_Exists(FileName))
        return f;
    const QByteArray bytes = Read_File(FileName);
    f.Encoding = DetectTextEncoding(bytes);
    f.Lines = Split_Lines(Decode_Text(bytes));
    return f;
}

TProgressFigure::TProgressFigure(TDazStringGrid &Grid) : FGrid(Grid), FState(TGridToolState::Of(Grid)) {}

bool TProgressFigure::Wanted() const { return bool(FState.OnFileProgress); }

void TProgressFigure::Report(double Percent)
{
    const auto &event = FState.OnFileProgress;
    if (!event)
        return;
    const int p = int(std::nearbyint(Percent));
    if (p != FLast)
        event(&FGrid, p);
    FLast = p;
}

TExchangeHourglass::TExchangeHourglass()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TExchangeHourglass::~TExchangeHourglass()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

TExportNotifier::TExportNotifier(TDazStringGrid &Grid, int FirstRow) : FGrid(Grid)
{
    FGrid.ExportNotification(esExportStart, FirstRow);
}

TExportNotifier::~TExportNotifier()
{
    try {
        FGrid.ExportNotification(esExportDone, -1);
    } catch (...) {
    }
}
