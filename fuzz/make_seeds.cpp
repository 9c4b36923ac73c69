// Writes seed inputs for the binary and text streams that tests/data has no sample of: the
// grid's binary and text cell streams and the tree's node stream, each saved from a small
// grid or tree. Run once with the corpus folder; the files are kept in the repository.
#include "controls/tree/lazystringtree.h"
#include "fuzz/fuzz_grid.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridpersist.h"
#include "grid/tools/gridxml.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray Read(const QString &Path)
{
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString &Dir, const QString &Name, const QByteArray &Bytes)
{
    QDir().mkpath(Dir);
    QFile f(Dir + QLatin1Char('/') + Name);
    if (!f.open(QIODevice::WriteOnly) || f.write(Bytes) != Bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    TDazStringGrid &grid = Fuzz_Grid();
    grid.SetCells(2, 2, QStringLiteral("Zähler;\"x\"\n2"));
    {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        GridCellStream::SaveToBinStream(grid, b);
        Write(root + QStringLiteral("/grid_bin"), QStringLiteral("grid6x6.bin"), b.data());
        // The clipboard's cell-stream form is the same bytes behind the format byte 0.
        Write(root + QStringLiteral("/grid_clipboard"), QStringLiteral("cells.bin"), QByteArray(1, '\0') + b.data());
    }
    {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        GridCellStream::SaveToStream(grid, b);
        Write(root + QStringLiteral("/grid_text"), QStringLiteral("grid6x6.txt"), b.data());
    }
    QTemporaryDir tmp;
    GridPersist::SaveVisualProps(grid, tmp.filePath(QStringLiteral("look.ini")));
    Write(root + QStringLiteral("/grid_look"), QStringLiteral("grid6x6.ini"), Read(tmp.filePath(QStringLiteral("look.ini"))));
    GridXML::SaveToXML(grid, tmp.filePath(QStringLiteral("g.xml")), QStringLiteral("List"), QStringLiteral("Rec"),
                       nullptr, true);
    Write(root + QStringLiteral("/grid_xml"), QStringLiteral("grid6x6.xml"),
          QByteArray(1, '\2') + Read(tmp.filePath(QStringLiteral("g.xml"))));
    grid.HideColumn(2);
    Write(root + QStringLiteral("/grid_colstate"), QStringLiteral("grid6x6.txt"),
          GridPersist::ColumnStatesToString(grid).toUtf8());

    TLazyStringTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    tree.SetText(a, 0, QStringLiteral("root"));
    PLazyNode b1 = tree.AddChild(a);
    tree.SetText(b1, 0, QStringLiteral("child"));
    tree.SetText(tree.AddChild(b1), 0, QStringLiteral("leaf"));
    tree.SetText(tree.AddChild(nullptr), 0, QStringLiteral("second"));
    QBuffer t;
    t.open(QIODevice::WriteOnly);
    tree.SaveToStream(t);
    Write(root + QStringLiteral("/tree"), QStringLiteral("load.bin"), QByteArray(1, '\0') + t.data());
    Write(root + QStringLiteral("/tree"), QStringLiteral("add.bin"), QByteArray(1, '\1') + t.data());
    Write(root + QStringLiteral("/tree"), QStringLiteral("chunk.bin"),
          QByteArray(1, char(2 + 4 * 3)) + tree.SaveNodeChunks({a}));
    return 0;
}
