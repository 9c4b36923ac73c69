#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "grid/base/picture.h"
#include "markup_gif.h"
#include "markup_testutil.h"
#include "platform/canvas.h"

namespace {

QByteArray ThreeFrameGif()
{
    return MakeGif(8, 6, {{0, 0, 8, 6, 1}, {3, 2, 2, 2, 2}, {1, 1, 4, 3, 3, 20, 2, true}});
}

TEST(HTMLPicture, AnimatedGifFrames)
{
    THTMLPicture p;
    LoadBytes(p, ThreeFrameGif());
    ASSERT_FALSE(p.GetEmpty());
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 6);
    EXPECT_EQ(p.Image().size(), QSize(8, 6));
    EXPECT_EQ(p.Image().pixelColor(0, 0), QColor(255, 0, 0));

    int frameChanges = 0;
    p.OnFrameChange = [&] { ++frameChanges; };
    p.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(p.FrameXPos, 3);
    EXPECT_EQ(p.FrameYPos, 2);
    EXPECT_EQ(p.GetWidth(), 2);
    EXPECT_EQ(p.GetHeight(), 2);
    EXPECT_EQ(p.Image().pixelColor(1, 1), QColor(0, 255, 0));
    EXPECT_EQ(p.MaxWidth(), 8);

    p.SetFrame(3);
    EXPECT_EQ(p.FrameXPos, 1);
    EXPECT_EQ(p.Image().size(), QSize(4, 3));
    EXPECT_EQ(p.Image().pixelColor(0, 0), QColor(0, 0, 255));

    EXPECT_EQ(p.GetFrameTime(3), 20);
    EXPECT_TRUE(p.FrameTransparent());
    EXPECT_EQ(p.FrameDisposal(), 2);
    EXPECT_EQ(p.GetFrameTime(4), -1);

    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 2);
}

TEST(HTMLPicture, AnimationClock)
{
    THTMLPicture p;
    LoadBytes(p, MakeGif(4, 4, {{0, 0, 4, 4, 1, 10}, {0, 0, 4, 4, 2, 10}, {0, 0, 4, 4, 3, 10}}));
    const bool expected[] = {false, false, true, true, true, true};
    const int frames[] = {1, 1, 2, 3, 1, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(p.Step(), expected[i]) << "call " << i + 1;
        EXPECT_EQ(p.Frame(), frames[i]) << "call " << i + 1;
    }
    EXPECT_EQ(p.Image().pixelColor(0, 0), QColor(0, 255, 0));
}

TEST(HTMLPicture, PlainPicturesAndBadData)
{
    THTMLPicture p;
    LoadBytes(p, PngBytes(5, 3, Qt::red));
    EXPECT_FALSE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), -1);
    EXPECT_EQ(p.GetFrameTime(1), -1);
    EXPECT_FALSE(p.Step());
    EXPECT_EQ(p.GetWidth(), 5);
    EXPECT_EQ(p.MaxHeight(), 3);

    THTMLPicture tiny;
    EXPECT_THROW(LoadBytes(tiny, QByteArray("GIF8")), EHTMLPictureError);
    EXPECT_FALSE(tiny.IsGIF());   // fewer than 5 bytes
    EXPECT_FALSE(tiny.IsGIF());

    THTMLPicture bad;
    EXPECT_THROW(LoadBytes(bad, QByteArray("not a picture at all")), EHTMLPictureError);
    EXPECT_EQ(bad.GetWidth(), 0);

    // Truncated GIFs and stray frame patterns at the very end never read past the data.
    const QByteArray gif = ThreeFrameGif();
    for (qsizetype cut = 5; cut < gif.size(); cut += 7) {
        THTMLPicture t;
        try {
            LoadBytes(t, gif.left(cut));
        } catch (const EHTMLPictureError &) {
        }
        t.FrameCount();
        t.GetFrameTime(2);
    }
    THTMLPicture stray;
    try {
        LoadBytes(stray, QByteArray("GIF89a") + QByteArray("\x21\xF9\x04\0\0\0\0\0\x2C\1", 10));
    } catch (const EHTMLPictureError &) {
    }
    EXPECT_EQ(stray.FrameCount(), 1);
}

TEST(HTMLPicture, FilesResourcesAndAddresses)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("p.png"));
    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(PngBytes(7, 2, Qt::blue));
        QFile j(junk);
        ASSERT_TRUE(j.open(QIODevice::WriteOnly));
        j.write("junk");
    }
    THTMLPicture p;
    p.LoadFromURL(QStringLiteral("file://") + good);
    EXPECT_FALSE(p.GetEmpty());
    EXPECT_EQ(p.GetWidth(), 7);
    EXPECT_EQ(p.ID, QStringLiteral("file://") + good);

    THTMLPicture missing;
    missing.LoadFromURL(QStringLiteral("FILE://") + dir.filePath(QStringLiteral("none.png")));
    EXPECT_TRUE(missing.GetEmpty());
    THTMLPicture broken;
    EXPECT_NO_THROW(broken.LoadFromFile(junk));
    EXPECT_TRUE(broken.GetEmpty());

    THTMLPicture res;
    res.LoadFromURL(QStringLiteral("RES://no_such_resource"));
    EXPECT_TRUE(res.GetEmpty());
    EXPECT_EQ(res.ID, QStringLiteral("RES://no_such_resource"));
    EXPECT_THROW(res.LoadFromResourceID(4711), EHTMLPictureError);

    THTMLPicture web;
    web.LoadFromURL(QStringLiteral("http://example/x.png"));
    EXPECT_TRUE(web.Busy());
    EXPECT_TRUE(web.GetEmpty());
    EXPECT_TRUE(web.ID.isEmpty());
    THTMLPicture sync;
    sync.Asynch = false;
    sync.LoadFromURL(QStringLiteral("http://example/x.png"));
    EXPECT_FALSE(sync.Busy());
    EXPECT_EQ(sync.ID, QStringLiteral("http://example/x.png"));
    EXPECT_TRUE(sync.GetEmpty());
}

TEST(HTMLPicture, AssignAndDraw)
{
    THTMLPicture src;
    LoadBytes(src, PngBytes(4, 4, Qt::green));
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.Assign(&src);
    EXPECT_FALSE(copy.GetEmpty());
    EXPECT_EQ(copy.Data(), src.Data());
    EXPECT_EQ(changes, 1);

    QImage target(20, 20, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        TCanvas c(&target);
        copy.Draw(c, TRect(2, 3, 18, 18));
        copy.Stretch = true;
        copy.Draw(c, TRect(10, 10, 20, 20));
    }
    EXPECT_EQ(target.pixelColor(2, 3), QColor(0, 255, 0));
    EXPECT_EQ(target.pixelColor(5, 6), QColor(0, 255, 0));
    EXPECT_EQ(target.pixelColor(6, 7), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(19, 19), QColor(0, 255, 0));

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_TRUE(copy.Data().isEmpty());
}

TEST(PictureHolders, CacheAndContainer)
{
    THTMLPictureCache cache;
    THTMLPicture *a = cache.AddPicture();
    a->ID = QStringLiteral("file://A.png");
    EXPECT_EQ(cache.FindPicture(QStringLiteral("file://A.png")), a);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("FILE://A.PNG")), nullptr);
    auto replaced = cache.SetPicture(0, std::make_unique<THTMLPicture>());
    EXPECT_EQ(replaced.get(), a);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("file://A.png")), nullptr);
    EXPECT_FALSE(cache.Animate());
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);

    TPictureContainer box;
    TPictureItem *item = box.Items().Add();
    item->Name = QStringLiteral("Logo");
    item->Tag = 3;
    EXPECT_EQ(box.FindPicture(QStringLiteral("LOGO")), item->Picture());
    EXPECT_EQ(box.FindPicture(QStringLiteral("logo2")), nullptr);
    TPictureItem *first = box.Items().Insert(0);
    first->Name = QStringLiteral("logo");
    EXPECT_EQ(box.FindPicture(QStringLiteral("Logo")), first->Picture());

    // Copying an item whose picture is empty gives an empty picture, without an error.
    TPictureItem copy;
    copy.Assign(*item);
    EXPECT_EQ(copy.Name, QStringLiteral("Logo"));
    EXPECT_EQ(copy.Tag, 3);
    EXPECT_TRUE(copy.Picture()->GetEmpty());
}

// A GIF cut inside its second frame shows its first frame; moving on to the second, by
// hand or by the animation clock, shows nothing instead of throwing.
TEST(HTMLPicture, CutGifAnimatesWithoutErrors)
{
    const QByteArray whole = ThreeFrameGif();
    const qsizetype second = whole.indexOf(QByteArray("\x21\xF9\x04", 3), whole.indexOf("\x2C") + 1);
    ASSERT_GT(second, 0);
    THTMLPicture p;
    LoadBytes(p, whole.left(second + 12));   // the second frame's descriptor, cut short
    ASSERT_FALSE(p.Image().isNull());
    EXPECT_EQ(p.FrameCount(), 2);
    EXPECT_NO_THROW(p.SetFrame(2));
    EXPECT_TRUE(p.Image().isNull());
    EXPECT_NO_THROW(p.SetFrame(1));
    EXPECT_FALSE(p.Image().isNull());
    bool changed = false;
    for (int t = 0; t < 40; ++t)
        EXPECT_NO_THROW(changed |= p.Step());
    EXPECT_TRUE(changed);
    THTMLPicture copy;
    EXPECT_NO_THROW(copy.Assign(&p));
    EXPECT_FALSE(copy.GetEmpty());
}

// Damaged pictures: cut and changed bytes of a GIF and a PNG load, report their frames and
// draw without reading past their data, and without ever throwing from the frame routines.
TEST(HTMLPicture, DamagedBytesAreReadWithinBounds)
{
    const QByteArray sources[] = {ThreeFrameGif(), PngBytes(5, 4, Qt::blue)};
    QImage target(40, 40, QImage::Format_ARGB32);
    QRandomGenerator rng(17);
    for (const QByteArray &source : sources) {
        for (int n = 0; n < 300; ++n) {
            QByteArray bytes = source;
            if (n % 3 == 0) {
                bytes.truncate(rng.bounded(0, int(bytes.size())));
            } else {
                for (int k = rng.bounded(1, 6); k > 0; --k)
                    bytes[rng.bounded(int(bytes.size()))] = char(rng.bounded(256));
            }
            THTMLPicture p;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            try {
                p.LoadFromStream(&buffer);
            } catch (const EHTMLPictureError &) {
                // undecodable: the bytes are kept, the picture shows nothing
            }
            const int frames = p.FrameCount();
            for (int i = -1; i <= std::max(frames, 0) + 1; ++i)
                p.GetFrameTime(i);
            for (int f : {0, 1, 2, 3, frames, frames + 1, -5, 1000000})
                p.SetFrame(f);
            for (int t = 0; t < 30; ++t)
                p.Step();
            p.FrameNext();
            p.FramePrev();
            TCanvas canvas(&target);
            p.Draw(canvas, TRect(0, 0, 40, 40));
            p.Stretch = true;
            p.Draw(canvas, TRect(0, 0, 40, 40));
            EXPECT_GE(p.MaxWidth(), 0);
            EXPECT_GE(p.MaxHeight(), 0);
        }
    }
}

// Emptying a picture (a null source or an empty one) leaves no decoded frame behind: its
// size is 0, as for a picture never loaded.
TEST(HTMLPicture, AnEmptiedPictureHasNoSize)
{
    THTMLPicture empty;
    const THTMLPicture *sources[] = {nullptr, &empty};
    for (const THTMLPicture *source : sources) {
        for (const QByteArray &bytes : {PngBytes(6, 4, Qt::red), ThreeFrameGif()}) {
            THTMLPicture p;
            LoadBytes(p, bytes);
            ASSERT_GT(p.GetWidth(), 0);
            p.Assign(source);
            EXPECT_TRUE(p.GetEmpty());
            EXPECT_EQ(p.GetWidth(), 0);
            EXPECT_EQ(p.GetHeight(), 0);
            EXPECT_EQ(p.MaxWidth(), 0);
            EXPECT_EQ(p.MaxHeight(), 0);
            EXPECT_TRUE(p.Image().isNull());
        }
    }
}

// Stepping back from the first frame wraps to the last one only where frames are known;
// a picture without frames stays on frame 1.
TEST(HTMLPicture, FramePrevWithoutKnownFramesStaysOnTheFirst)
{
    THTMLPicture none;
    none.FramePrev();
    EXPECT_EQ(none.Frame(), 1);
    THTMLPicture png;
    LoadBytes(png, PngBytes(3, 3, Qt::blue));
    png.FramePrev();
    EXPECT_EQ(png.Frame(), 1);
    png.FrameNext();
    EXPECT_EQ(png.Frame(), 1);
}

TEST(PictureHolders, ItemsAreSetByIndexAsCopies)
{
    TPictureCollection items;
    items.Add()->Name = QStringLiteral("first");
    items.Add()->Name = QStringLiteral("second");
    TPictureItem source;
    source.Name = QStringLiteral("logo");
    source.Tag = 7;
    LoadBytes(*source.Picture(), PngBytes(2, 2, Qt::green));
    items.SetItems(1, source);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Items(1)->Name, QStringLiteral("logo"));
    EXPECT_EQ(items.Items(1)->Tag, 7);
    EXPECT_EQ(items.Items(1)->Picture()->Data(), source.Picture()->Data());
    EXPECT_NE(items.Items(1)->Picture(), source.Picture());
    EXPECT_EQ(items.Items(0)->Name, QStringLiteral("first"));
    items.SetItems(2, source);   // no such item: nothing happens
    items.SetItems(-1, source);
    EXPECT_EQ(items.Count(), 2);
}

} // namespace
