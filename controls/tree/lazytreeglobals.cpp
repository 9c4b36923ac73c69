// The process-wide start-up of the lazy trees. The pictures of the built-in strips are drawn
// here in the layout the painting code indexes: check strips hold 25 images (0 blank, 1-8
// radio buttons, 9-16 check boxes, 17-20 mixed boxes, 21-24 push buttons; each group of
// four is normal, hot, pressed, disabled), the utility strip nine 16x16 glyphs.
#include "controls/tree/lazytreeglobals.h"

#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreebuffers.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/theme.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <mutex>

namespace {

TCriticalSection &StripLock()
{
    static TCriticalSection Lock;
    return Lock;
}

std::function<void()> &FormatRegistration()
{
    static std::function<void()> Register;
    return Register;
}

constexpr int StripImageSize = 16;
constexpr int CheckStripImages = 25;
constexpr int UtilityStripImages = 9;
constexpr QRgb StripMask = 0xFFFF00FF;   // fuchsia: the top-left pixel of every strip

QRgb Rgb(TColor c)
{
    return ToQColor(ColorToRGB(c)).rgb();
}

// How one of the check strips looks.
struct TCheckStripStyle
{
    QColor Frame;        // box outline
    QColor Face;         // box inside
    QColor Mark;         // check mark
    bool Tick;           // a tick rather than a cross
    bool Flat;           // one-pixel frame without the sunken edge
};

void DrawMark(QPainter &p, const QRect &Box, const TCheckStripStyle &St, bool Mixed)
{
    p.setPen(QPen(St.Mark, 2));
    if (Mixed) {
        p.fillRect(Box.adjusted(3, 3, -3, -3), St.Mark);
    } else if (St.Tick) {
        const QPoint pts[] = {{Box.left() + 3, Box.center().y()},
                              {Box.left() + 5, Box.bottom() - 3},
                              {Box.right() - 2, Box.top() + 3}};
        p.drawPolyline(pts, 3);
    } else {
        p.drawLine(Box.topLeft() + QPoint(3, 3), Box.bottomRight() - QPoint(3, 3));
        p.drawLine(Box.bottomLeft() + QPoint(3, -3), Box.topRight() + QPoint(-3, 3));
    }
}

// Image Index of a check strip at Origin.
void DrawCheckImage(QPainter &p, QPoint Origin, int Index, const TCheckStripStyle &St)
{
    if (Index == 0)
        return;
    const int i = Index - 1;
    const int state = i % 4;   // normal, hot, pressed, disabled
    const QRect box(Origin + QPoint(2, 2), QSize(StripImageSize - 4, StripImageSize - 4));
    QColor face = state == 2 ? St.Frame.lighter(160) : St.Face;
    QColor frame = state == 1 ? St.Frame.darker(140) : St.Frame;
    QColor mark = St.Mark;
    if (state == 3) {
        face = QColor(0xC0, 0xC0, 0xC0);
        frame = QColor(0x80, 0x80, 0x80);
        mark = QColor(0x80, 0x80, 0x80);
    }
    TCheckStripStyle s = St;
    s.Mark = mark;
    p.setRenderHint(QPainter::Antialiasing, false);
    if (i < 8) {   // radio buttons
        p.setPen(QPen(frame, 1));
        p.setBrush(face);
        p.drawEllipse(box.adjusted(0, 0, -1, -1));
        if (i >= 4) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawEllipse(box.adjusted(4, 4, -4, -4));
        }
    } else if (i < 20) {   // check boxes and mixed boxes
        p.fillRect(box, face);
        p.setPen(QPen(frame, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        if (!St.Flat)
            p.drawRect(box.adjusted(1, 1, -2, -2));
        if (i >= 12)
            DrawMark(p, box, s, i >= 16);
    } else {   // push buttons
        p.fillRect(box, face);
        p.setPen(QPen(frame, 1));
        p.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

QImage CheckStrip(const TCheckStripStyle &St)
{
    QImage strip(StripImageSize * CheckStripImages, StripImageSize, QImage::Format_RGB32);
    strip.fill(StripMask);
    QPainter p(&strip);
    for (int i = 0; i < CheckStripImages; ++i)
        DrawCheckImage(p, QPoint(i * StripImageSize, 0), i, St);
    return strip;
}

// Drop marks (0, 1), sort glyphs (2, 3 plain; 5, 6 themed), the push-button face (4) and two
// spare glyphs (7, 8).
QImage UtilityStrip()
{
    QImage strip(StripImageSize * UtilityStripImages, StripImageSize, QImage::Format_RGB32);
    strip.fill(StripMask);
    QPainter p(&strip);
    const QColor ink(0, 0, 0);
    auto triangle = [&](int Image, bool Up, bool Themed) {
        const int x = Image * StripImageSize;
        QPolygon poly;
        if (Up)
            poly << QPoint(x + 4, 10) << QPoint(x + 11, 10) << QPoint(x + 8, 5);
        else
            poly << QPoint(x + 4, 6) << QPoint(x + 11, 6) << QPoint(x + 8, 11);
        p.setPen(Themed ? QColor(0x80, 0x80, 0x80) : ink);
        p.setBrush(Themed ? QColor(0x80, 0x80, 0x80) : ink);
        p.drawPolygon(poly);
    };
    // Drop marks: an arrow pointing right (left mark) and left (right mark).
    p.setPen(ink);
    p.setBrush(ink);
    p.drawPolygon(QPolygon({QPoint(2, 4), QPoint(2, 12), QPoint(7, 8)}));
    p.drawPolygon(QPolygon({QPoint(StripImageSize + 13, 4), QPoint(StripImageSize + 13, 12),
                            QPoint(StripImageSize + 8, 8)}));
    triangle(2, true, false);
    triangle(3, false, false);
    p.fillRect(QRect(4 * StripImageSize + 3, 3, 10, 10), QColor(0xC0, 0xC0, 0xC0));
    triangle(5, true, true);
    triangle(6, false, true);
    p.fillRect(QRect(7 * StripImageSize + 6, 6, 4, 4), ink);
    p.fillRect(QRect(8 * StripImageSize + 7, 3, 2, 10), ink);
    return strip;
}

TLTCursorImage SplitCursor(bool Vertical)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    if (Vertical) {   // horizontal bar, arrows up and down
        p.drawRect(6, 14, 20, 3);
        p.drawPolygon(QPolygon({QPoint(16, 4), QPoint(11, 10), QPoint(21, 10)}));
        p.drawPolygon(QPolygon({QPoint(16, 27), QPoint(11, 21), QPoint(21, 21)}));
    } else {          // vertical bar, arrows left and right
        p.drawRect(14, 6, 3, 20);
        p.drawPolygon(QPolygon({QPoint(4, 16), QPoint(10, 11), QPoint(10, 21)}));
        p.drawPolygon(QPolygon({QPoint(27, 16), QPoint(21, 11), QPoint(21, 21)}));
    }
    return {img, QPoint(16, 16)};
}

int MenuCheckMarkSize()
{
    if (qApp)
        if (QStyle *s = QApplication::style())
            return std::max(8, s->pixelMetric(QStyle::PM_IndicatorWidth));
    return 13;
}

// The system list: drawn with the platform's frame controls; 21-24 copied, centred, from
// the push buttons of Source.
void FillSystemCheckList(TLTImageList &List, bool Flat, const TLTImageList &Source)
{
    const int size = MenuCheckMarkSize();
    List.Clear();
    List.SetSize(size, size);
    const QRgb none = 0x00000000;   // no pixel of an RGB32 image is transparent black
    QImage blank(size, size, QImage::Format_RGB32);
    blank.fill(Qt::white);
    List.AddMasked(blank, none);
    for (int i = 0; i < 20; ++i) {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(Qt::white);
        unsigned state = DFCS_BUTTONRADIO;
        if (i >= 16)
            state = DFCS_BUTTON3STATE;
        else if (i >= 8)
            state = DFCS_BUTTONCHECK;
        static constexpr unsigned ByMod4[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
        state |= ByMod4[i % 4];
        if ((i >= 4 && i <= 7) || i >= 12)
            state |= DFCS_CHECKED;
        if (Flat)
            state |= DFCS_FLAT;
        {
            TCanvas canvas(&img);
            ThemePlatform().DrawFrameControl(canvas, Rect(0, 0, size, size), DFC_BUTTON, state);
        }
        List.AddMasked(img, none);
    }
    for (int i = 21; i <= 24 && i < Source.Count(); ++i) {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            const QImage &src = Source.Image(i);
            p.drawImage((size - src.width()) / 2, (size - src.height()) / 2, src);
        }
        List.AddMasked(img, none);
    }
}

void RunStartup(TLazyTreeGlobals &G)
{
    ++G.StartupRuns;
    G.MMXAvailable = true;   // every processor this builds for has it
    G.IsWinVistaOrAbove = ThemePlatform().OSMajorVersion() >= 6;
    G.ReferenceFormat = QStringLiteral("Lazy Tree Reference");

    const QColor gray(0x80, 0x80, 0x80), white(0xFF, 0xFF, 0xFF), black(0, 0, 0);
    struct TStrip
    {
        TLTBuiltInList List;
        const char *Name;
        bool Mapped;
        TCheckStripStyle Style;
    };
    const TStrip strips[] = {
        {TLTBuiltInList::LightCheck, "LT_CHECK_LIGHT", true, {gray, white, black, false, false}},
        {TLTBuiltInList::DarkCheck, "LT_CHECK_DARK", true, {black, white, black, false, false}},
        {TLTBuiltInList::LightTick, "LT_TICK_LIGHT", true, {gray, white, black, true, false}},
        {TLTBuiltInList::DarkTick, "LT_TICK_DARK", true, {black, white, black, true, false}},
        {TLTBuiltInList::Flat, "LT_FLAT", true, {gray, white, black, true, true}},
        {TLTBuiltInList::XP, "LT_XP", false,
         {QColor(0x1C, 0x51, 0x80), QColor(0xF4, 0xF4, 0xF0), QColor(0x21, 0xA1, 0x21), true, true}},
    };
    for (const TStrip &s : strips)
        FillImageListFromStrip(G.List(s.List), CheckStrip(s.Style), QString::fromLatin1(s.Name),
                               s.Mapped);
    FillImageListFromStrip(G.List(TLTBuiltInList::Utilities), UtilityStrip(),
                           QStringLiteral("LT_UTILITIES"), true);
    FillSystemCheckList(G.List(TLTBuiltInList::SystemDefault), false,
                        G.List(TLTBuiltInList::DarkCheck));
    FillSystemCheckList(G.List(TLTBuiltInList::SystemFlat), true, G.List(TLTBuiltInList::Flat));

    G.HeaderSplitCursor = SplitCursor(false);
    G.VertSplitCursor = SplitCursor(true);

    if (FormatRegistration())
        FormatRegistration()();
}

}   // namespace

void TLTImageList::AddMasked(const QImage &Image, QRgb TransparentColor)
{
    QImage img = Image.convertToFormat(QImage::Format_ARGB32);
    if (qAlpha(TransparentColor) != 0)
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (line[x] == TransparentColor)
                    line[x] = 0;
        }
    FImages.push_back(std::move(img));
}

void FillImageListFromStrip(TLTImageList &List, const QImage &Strip, const QString &Name,
                            bool MapColors)
{
    StripLock().Enter();
    struct TLeave
    {
        ~TLeave() { StripLock().Leave(); }
    } leave;
    if (Strip.height() < 1)
        throw ELazyTreeAssertion(
            (QStringLiteral("Internal image \"") + Name + QStringLiteral("\" is missing or corrupt."))
                .toStdString());
    QImage strip = Strip.convertToFormat(QImage::Format_RGB32);
    if (MapColors) {
        const QRgb window = Rgb(clWindow), face = Rgb(clBtnFace), shadow = Rgb(clBtnShadow);
        for (int y = 0; y < strip.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
            for (int x = 0; x < strip.width(); ++x) {
                const QRgb c = line[x] | 0xFF000000;
                if (c == 0xFFFFFFFF)
                    line[x] = window;
                else if (c == 0xFFC0C0C0)
                    line[x] = face;
                else if (c == 0xFF808080)
                    line[x] = shadow;
            }
        }
    }
    const int size = strip.height();
    List.Clear();
    List.SetSize(size, size);
    const QRgb transparent = strip.pixel(0, 0) | 0xFF000000;
    for (int i = 0; i < strip.width() / size; ++i)
        List.AddMasked(strip.copy(i * size, 0, size, size), transparent);
}

TLazyTreeGlobals &LazyTreeGlobals()
{
    static TLazyTreeGlobals G;
    static std::once_flag Started;
    std::call_once(Started, [] { RunStartup(G); });
    return G;
}

void SetLazyTreeFormatRegistration(std::function<void()> Register)
{
    FormatRegistration() = std::move(Register);
}
