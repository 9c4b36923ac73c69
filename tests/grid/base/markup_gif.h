#pragma once
// Picture bytes for the picture and renderer tests: small GIF89a files with a 128-colour
// palette (0 black, 1 red, 2 green, 3 blue, the rest grey) and frames of one colour each,
// and one-colour PNG files.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

#include "grid/base/picture.h"

inline QByteArray PngBytes(int w, int h, QColor color)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

inline void LoadBytes(THTMLPicture &p, QByteArray bytes)
{
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    p.LoadFromStream(&buf);
}

struct TGifFrame
{
    int Left, Top, Width, Height;
    int ColorIndex;
    int Delay = 10;          // hundredths of a second
    int Disposal = 0;
    bool Transparent = false;
};

inline QByteArray MakeGif(int width, int height, const QList<TGifFrame> &frames)
{
    QByteArray g("GIF89a");
    auto u16 = [&g](int v) {
        g.append(char(v & 255));
        g.append(char((v >> 8) & 255));
    };
    u16(width);
    u16(height);
    g.append(char(0xF6));   // global table of 128 colours
    g.append(char(0));
    g.append(char(0));
    for (int i = 0; i < 128; ++i) {
        const int rgb[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        for (int c = 0; c < 3; ++c)
            g.append(char(i < 4 ? rgb[i][c] : 128));
    }
    for (const TGifFrame &f : frames) {
        g.append("\x21\xF9\x04", 3);
        g.append(char((f.Disposal << 2) | (f.Transparent ? 1 : 0)));
        u16(f.Delay);
        g.append(char(127));   // transparent colour index, never used by the pixels
        g.append(char(0));
        g.append(char(0x2C));
        u16(f.Left);
        u16(f.Top);
        u16(f.Width);
        u16(f.Height);
        g.append(char(0));
        // Minimum code size 7 gives 8-bit codes; a clear code every 100 pixels keeps them so.
        g.append(char(7));
        QByteArray codes;
        const int n = f.Width * f.Height;
        for (int i = 0; i < n; ++i) {
            if (i % 100 == 0)
                codes.append(char(128));
            codes.append(char(f.ColorIndex));
        }
        codes.append(char(129));
        for (qsizetype at = 0; at < codes.size(); at += 255) {
            const QByteArray block = codes.mid(at, 255);
            g.append(char(block.size()));
            g.append(block);
        }
        g.append(char(0));
    }
    g.append(char(0x3B));
    return g;
}
