#include "grid/base/griddragdrop.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Switches rich text off again after each test.
struct RtfOff {
    ~RtfOff() { SetRTFDragDrop(false); }
};

// Records every hook call as a line.
class TRecordingTarget : public TASGDropTarget
{
public:
    QStringList Calls;
    bool Refuse = false;
    QByteArray LastStream;

    void DropText(const QPoint &, const QString &t) override { Calls << "Text:" + t; }
    void DropStream(const QPoint &, const QByteArray &s) override
    {
        Calls << "Stream";
        LastStream = s;
    }
    void DropCol(const QPoint &, int c) override { Calls << "Col:" + QString::number(c); }
    void DropRTF(const QPoint &, const QString &t) override { Calls << "RTF:" + t; }
    void DropFiles(const QPoint &, const QStringList &f) override { Calls << "Files:" + f.join(u'|'); }
    void DropURL(const QPoint &, const QString &t) override { Calls << "URL:" + t; }
    void DragMouseMove(const QPoint &, bool &allow, TDropFormats) override
    {
        Calls << QStringLiteral("Move");
        if (Refuse)
            allow = false;
    }
    void DragMouseEnter() override { Calls << QStringLiteral("Enter"); }
    void DragMouseLeave() override { Calls << QStringLiteral("Leave"); }
};

using TFormats = std::vector<std::pair<QString, QByteArray>>;

QMimeData *Mime(const TFormats &formats)
{
    auto *m = new QMimeData;
    for (const auto &[type, data] : formats)
        m->setData(type, data);
    return m;
}

const QString kText = QStringLiteral("text/plain");

TEST(GridDragBlocks, ColumnAndCells)
{
    EXPECT_EQ(EncodeGridColumn(-7).size(), 4);
    EXPECT_EQ(DecodeGridColumn(EncodeGridColumn(-7)), -7);
    EXPECT_EQ(DecodeGridColumn(EncodeGridColumn(123456)), 123456);
    EXPECT_EQ(DecodeGridColumn(QByteArray("\x01\x02", 2)), -1);

    const QByteArray stream("cells\0stream", 12);
    const QByteArray block = EncodeGridCells(stream);
    EXPECT_EQ(block.left(8), QByteArray("\x0C\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(DecodeGridCells(block), stream);
    // Extra bytes after the declared length are left alone.
    EXPECT_EQ(DecodeGridCells(block + "junk"), stream);
    EXPECT_EQ(DecodeGridCells(EncodeGridCells(QByteArray())), QByteArray());
}

TEST(GridDragBlocks, DamagedCellBlocksAreRefused)
{
    QByteArray longer = EncodeGridCells("0123456789");
    longer[0] = char(100);   // declares more than the block holds
    EXPECT_FALSE(DecodeGridCells(longer));
    QByteArray huge = EncodeGridCells("x");
    huge[3] = char(0xFF);    // a length near 4 GB
    EXPECT_FALSE(DecodeGridCells(huge));
    EXPECT_FALSE(DecodeGridCells(QByteArray("\x01\0\0", 3)));
}

TEST(GridDragEffects, FromKeys)
{
    const struct {
        Qt::KeyboardModifiers Keys;
        int Allowed, Effect;
    } cases[] = {{Qt::ControlModifier, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
                 {Qt::NoModifier, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
                 {Qt::ShiftModifier, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
                 {Qt::NoModifier, DROPEFFECT_COPY, DROPEFFECT_COPY},
                 {Qt::NoModifier, DROPEFFECT_NONE, DROPEFFECT_COPY}};
    for (const auto &c : cases)
        EXPECT_EQ(EffectFromKeys(c.Keys, c.Allowed), c.Effect);
}

TEST(GridDropTarget, Acceptance)
{
    RtfOff guard;
    const QByteArray col = EncodeGridColumn(2), cells = EncodeGridCells("c");
    const struct {
        const char *What;
        TFormats Formats;
        bool AcceptText, AcceptFiles, AcceptCols, AcceptURLs, Rtf;
        bool Ok;
    } cases[] = {
        {"text", {{kText, "a"}}, true, true, false, true, false, true},
        {"text refused", {{kText, "a"}}, false, true, true, true, false, false},
        {"column, columns off", {{MimeGridColumn, col}}, true, true, false, true, false, false},
        {"column", {{MimeGridColumn, col}}, true, true, true, true, false, true},
        {"cells, all off", {{MimeGridCells, cells}}, false, false, false, false, false, true},
        {"rtf, switch off", {{MimeRichText, "{\\rtf1}"}}, true, true, true, true, false, false},
        {"rtf", {{MimeRichText, "{\\rtf1}"}}, true, false, false, false, true, true},
        {"url", {{"text/uri-list", "http://example.com/\r\n"}}, false, false, false, true, false, true},
        {"url refused", {{"text/uri-list", "http://example.com/\r\n"}}, true, true, true, false, false, false},
        {"file", {{"text/uri-list", "file:///tmp/a.csv\r\n"}}, false, true, false, false, false, true},
        {"file refused", {{"text/uri-list", "file:///tmp/a.csv\r\n"}}, true, false, true, true, false, false},
        {"nothing known", {{"image/png", "x"}}, true, true, true, true, true, false},
    };
    for (const auto &c : cases) {
        SetRTFDragDrop(c.Rtf);
        std::unique_ptr<QMimeData> m(Mime(c.Formats));
        TRecordingTarget t;
        t.AcceptText = c.AcceptText;
        t.AcceptFiles = c.AcceptFiles;
        t.AcceptCols = c.AcceptCols;
        t.AcceptURLs = c.AcceptURLs;
        int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(m.get(), Qt::NoModifier, QPoint(), effect);
        EXPECT_EQ(t.Ok(), c.Ok) << c.What;
        EXPECT_EQ(effect, c.Ok ? DROPEFFECT_MOVE : DROPEFFECT_NONE) << c.What;
        EXPECT_EQ(t.Calls, QStringList{"Enter"}) << c.What;
    }
}

TEST(GridDropTarget, OfferedFormats)
{
    std::unique_ptr<QMimeData> m(Mime({{kText, "a"}, {MimeGridCells, EncodeGridCells("x")},
                                      {"text/uri-list", "file:///tmp/a\r\nhttp://h/\r\n"}}));
    TRecordingTarget t;
    int effect = DROPEFFECT_COPY;
    t.DragEnter(m.get(), Qt::NoModifier, QPoint(), effect);
    const TDropFormats f = t.DropFormats();
    EXPECT_TRUE(f.Contains(dfText));
    EXPECT_TRUE(f.Contains(dfGridCells));
    EXPECT_TRUE(f.Contains(dfFile));
    EXPECT_TRUE(f.Contains(dfURL));
    EXPECT_FALSE(f.Contains(dfCol));
    EXPECT_FALSE(f.Contains(dfRTF));
}

TEST(GridDropTarget, DragOverAsksTheHook)
{
    std::unique_ptr<QMimeData> m(Mime({{kText, "a"}}));
    TRecordingTarget t;
    int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragEnter(m.get(), Qt::NoModifier, QPoint(), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    t.DragOver(Qt::ControlModifier, QPoint(), effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    t.Refuse = true;
    t.DragOver(Qt::NoModifier, QPoint(), effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    t.DragLeave();
    EXPECT_EQ(t.Calls, (QStringList{"Enter", "Move", "Move", "Leave"}));
}

struct TDropCase {
    const char *What;
    TFormats Formats;
    bool Rtf;
    QStringList Calls;
    int Effect;
};

TEST(GridDropTarget, DropDispatch)
{
    RtfOff guard;
    QByteArray damaged = EncodeGridCells("abc");
    damaged[0] = char(50);
    const TDropCase cases[] = {
        {"column wins", {{kText, "t"}, {MimeGridColumn, EncodeGridColumn(4)}}, false, {"Col:4"}, DROPEFFECT_MOVE},
        {"text then url", {{kText, "http://h/x"}, {"text/uri-list", "http://h/x\r\n"}}, false,
         {"Text:http://h/x", "URL:http://h/x"}, DROPEFFECT_MOVE},
        {"url without text", {{"text/uri-list", "http://h/y\r\n"}}, false, {"URL:http://h/y"}, DROPEFFECT_MOVE},
        {"cells before text", {{kText, "t"}, {MimeGridCells, EncodeGridCells("abc")}}, false, {"Stream"},
         DROPEFFECT_MOVE},
        {"rtf before text", {{kText, "t"}, {MimeRichText, QByteArray("{\\rtf1 \xE9}\0junk", 14)}}, true,
         {QString::fromUtf8("RTF:{\\rtf1 \u00E9}")}, DROPEFFECT_MOVE},
        {"rtf switched off", {{kText, "t"}, {MimeRichText, "{\\rtf1}"}}, false, {"Text:t"}, DROPEFFECT_MOVE},
        {"files and text", {{kText, "t"}, {"text/uri-list", "file:///tmp/a\r\nfile:///tmp/b\r\n"}}, false,
         {"Text:t", "Files:/tmp/a|/tmp/b"}, DROPEFFECT_MOVE},
        // A damaged cell block is not read; the source must not remove what it moved.
        {"damaged cells", {{MimeGridCells, damaged}}, false, {}, DROPEFFECT_NONE},
    };
    for (const auto &c : cases) {
        SetRTFDragDrop(c.Rtf);
        std::unique_ptr<QMimeData> m(Mime(c.Formats));
        TRecordingTarget t;
        t.AcceptCols = true;
        int effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.DragEnter(m.get(), Qt::NoModifier, QPoint(), effect);
        t.Calls.clear();
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        t.Drop(m.get(), Qt::NoModifier, QPoint(), effect);
        EXPECT_EQ(t.Calls, c.Calls) << c.What;
        EXPECT_EQ(effect, c.Effect) << c.What;
    }
}

TEST(GridDropTarget, NotAcceptedDropsNothing)
{
    std::unique_ptr<QMimeData> m(Mime({{MimeGridColumn, EncodeGridColumn(1)}}));
    TRecordingTarget t;   // columns not accepted
    int effect = DROPEFFECT_MOVE;
    t.DragEnter(m.get(), Qt::NoModifier, QPoint(), effect);
    effect = DROPEFFECT_MOVE;
    t.Drop(m.get(), Qt::NoModifier, QPoint(), effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(t.Calls, QStringList{"Enter"});
}

TEST(GridDropTarget, RegisteredWidgetRoutesItsDragEvents)
{
    QWidget w;
    w.resize(50, 50);
    TRecordingTarget t;
    t.Register(&w);
    EXPECT_TRUE(w.acceptDrops());
    std::unique_ptr<QMimeData> m(Mime({{kText, "hello"}}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, m.get(), Qt::LeftButton,
                          Qt::ControlModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, m.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::MoveAction);
    EXPECT_EQ(t.Calls, (QStringList{"Enter", "Text:hello"}));
    t.Revoke();
    EXPECT_FALSE(w.acceptDrops());
}

TEST(SourceDataObject, ColumnDrag)
{
    RtfOff guard;
    SetRTFDragDrop(true);
    TSourceDataObject d(QString(), nullptr, 3, QString());
    EXPECT_EQ(d.formats(), (QStringList{kText, MimeRichText, MimeGridColumn}));
    EXPECT_FALSE(d.QueryGetData(kText));
    EXPECT_FALSE(d.QueryGetData(MimeRichText));
    EXPECT_FALSE(d.QueryGetData(MimeGridCells));
    EXPECT_TRUE(d.QueryGetData(MimeGridColumn));
    EXPECT_EQ(d.GetData(MimeGridColumn), EncodeGridColumn(3));
    EXPECT_TRUE(d.GetData(kText).isEmpty());
    EXPECT_EQ(TEnumFormats(&d).Col(), 3);
}

TEST(SourceDataObject, TextCellsAndRichText)
{
    RtfOff guard;
    const QByteArray cells("\x01\x02\x03", 3);
    TSourceDataObject d(QStringLiteral("a\tb"), &cells, -1, QStringLiteral("{\\rtf1 \u00E9}"));
    EXPECT_EQ(d.formats(), (QStringList{kText, MimeRichText, MimeGridCells}));
    EXPECT_EQ(d.text(), QStringLiteral("a\tb"));
    // Listed, but neither served nor taken while the switch is off.
    EXPECT_TRUE(d.hasFormat(MimeRichText));
    EXPECT_FALSE(d.QueryGetData(MimeRichText));
    SetRTFDragDrop(true);
    EXPECT_EQ(d.GetData(MimeRichText), QByteArray("{\\rtf1 \xE9}"));

    TEnumFormats f(&d);
    EXPECT_EQ(f.Stream(), cells);
    EXPECT_EQ(f.RTF(), QStringLiteral("{\\rtf1 \u00E9}"));
    EXPECT_EQ(f.Col(), -1);
    EXPECT_FALSE(f.HasURL());

    // Rich text asked for while none was given is refused rather than served empty.
    TSourceDataObject plain(QStringLiteral("t"), nullptr, -1, QString());
    EXPECT_FALSE(plain.QueryGetData(MimeRichText));
    EXPECT_EQ(plain.formats(), (QStringList{kText, MimeRichText}));
}

TEST(SourceDataObject, CellsTravelBetweenGrids)
{
    const QByteArray cells = QByteArray("grid cell stream ").repeated(100);
    TSourceDataObject d(QStringLiteral("x"), &cells, -1, QString());
    TRecordingTarget t;
    int effect = DROPEFFECT_COPY;
    t.DragEnter(&d, Qt::NoModifier, QPoint(), effect);
    t.Drop(&d, Qt::ControlModifier, QPoint(), effect);
    EXPECT_EQ(t.Calls, (QStringList{"Enter", "Stream"}));
    EXPECT_EQ(t.LastStream, cells);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
}

class TRecordingSource : public TASGDropSource
{
public:
    int Finished = 0;
    QList<int> Effects;
    void DragFinished() override { ++Finished; }
    void CurrentEffect(int e) override { Effects << e; }
};

struct DragHook : ::testing::Test {
    ~DragHook() override { SetDragExecHook(nullptr); }
};

TEST_F(DragHook, TextDragOffersItsDataAndReportsTheDrop)
{
    QObject source;
    TRecordingSource ds;
    QStringList offered;
    SetDragExecHook([&](QDrag &drag, int ok) {
        offered = drag.mimeData()->formats();
        EXPECT_EQ(ok, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        emit drag.actionChanged(Qt::MoveAction);
        return DROPEFFECT_MOVE;
    });
    const QByteArray cells("c");
    int effect = -1;
    EXPECT_EQ(StartTextDoDragDrop(&source, &ds, QStringLiteral("t"), QString(), effect,
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &cells),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(offered, (QStringList{kText, MimeRichText, MimeGridCells}));
    EXPECT_EQ(ds.Finished, 1);
    EXPECT_EQ(ds.Effects, QList<int>{DROPEFFECT_MOVE});
    EXPECT_FALSE(ds.NoAccept());
}

TEST_F(DragHook, CancelledWhenTheLastFeedbackHadNoEffect)
{
    QObject source;
    TRecordingSource ds;
    SetDragExecHook([](QDrag &drag, int) {
        emit drag.actionChanged(Qt::CopyAction);
        emit drag.actionChanged(Qt::IgnoreAction);
        return DROPEFFECT_COPY;   // whatever the drag loop says
    });
    int effect = 0;
    EXPECT_EQ(StartColDoDragDrop(&source, &ds, 2, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_TRUE(ds.NoAccept());
    EXPECT_EQ(ds.Finished, 1);

    // Escape: the drag loop ends with no effect.
    TRecordingSource escaped;
    SetDragExecHook([](QDrag &, int) { return DROPEFFECT_NONE; });
    EXPECT_EQ(StartColDoDragDrop(&source, &escaped, 2, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(escaped.Finished, 1);
}

TEST(GridDropSource, FeedbackUsesDefaultCursors)
{
    TRecordingSource s;
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoAccept());
    s.GiveFeedback(DROPEFFECT_COPY);
    EXPECT_FALSE(s.NoAccept());
    EXPECT_EQ(s.Effects, (QList<int>{DROPEFFECT_NONE, DROPEFFECT_COPY}));
}

} // namespace
