#include "app/formparts.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using enum TLbButtonStyle;
using enum TLbButtonKind;

namespace {

// A strip of equal square cells; cell k is filled with colours[k] on a white key.
QImage Strip(const std::vector<QRgb> &colours, int cell = 18)
{
    QImage strip(cell * int(colours.size()), cell, QImage::Format_RGB32);
    strip.fill(Qt::white);
    for (size_t k = 0; k < colours.size(); ++k)
        for (int y = 4; y < cell - 4; ++y)
            for (int x = 4; x < cell - 4; ++x)
                strip.setPixel(int(k) * cell + x, y, colours[k]);
    return strip;
}

TColor Pixel(const QImage &image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

std::vector<TCanvasOp> Record_Face(const TLbFaceValues &v)
{
    QImage image(std::max(v.W, 1), std::max(v.H, 1), QImage::Format_ARGB32);
    std::vector<TCanvasOp> ops;
    TCanvas canvas(&image);
    canvas.SetRecorder(&ops);
    DrawButtonFace(canvas, v);
    return ops;
}

const TCanvasOp *Find_Op(const std::vector<TCanvasOp> &ops, const char *name)
{
    for (const TCanvasOp &op : ops)
        if (op.Name == QLatin1String(name))
            return &op;
    return nullptr;
}

// The caption as drawn (the painter measures it first with the same call).
const TCanvasOp *Text_Op(const std::vector<TCanvasOp> &ops)
{
    for (auto op = ops.rbegin(); op != ops.rend(); ++op)
        if (op->Name == QLatin1String("DrawText") && !(op->Flags & DT_CALCRECT))
            return &*op;
    return nullptr;
}

void Send_Key(QWidget *to, QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent event(type, key, mods);
    QApplication::sendEvent(to, &event);
}

void Send_Mouse(QWidget *to, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

} // namespace

TEST(LbButtonPainter, BlendIsTheTruncatedMixOfTheChannels)
{
    // Half way between $EDF7F8 and yellow: each channel the truncated mean.
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 4), RGB(251, 251, 118));
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 0), TColor(0xEDF7F8));
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 8), clYellow);
    EXPECT_EQ(BlendHotTrackColor(clBtnFace, clBlack, 8), clBlack);
}

TEST(LbButtonPainter, GradientHas32BandsEvenOverAShortSpan)
{
    QImage image(40, 40, QImage::Format_ARGB32);
    std::vector<TCanvasOp> ops;
    TCanvas canvas(&image);
    canvas.SetRecorder(&ops);
    canvas.Pen.Color = clRed;
    DrawVerticalGradient(canvas, clBlack, clWhite, 0, 0, 20, 10);
    ASSERT_EQ(ops.size(), 32u);
    EXPECT_EQ(ops.front().Rect, Rect(0, 0, 20, 1));
    EXPECT_EQ(ops.front().Brush.Color, clBlack);
    EXPECT_EQ(ops[1].Rect, Rect(0, 0, 20, 1));   // bands overlap
    EXPECT_EQ(ops[30].Rect, Rect(0, 9, 20, 10));
    EXPECT_EQ(ops.back().Rect, Rect(0, 10, 20, 10));   // cut at the bottom
    EXPECT_EQ(ops.back().Brush.Color, clWhite);
    EXPECT_EQ(canvas.Pen.Color, clRed);   // the pen is restored
    // Over 62 pixels each band is 3 high and starts 2 below the one before.
    ops.clear();
    DrawVerticalGradient(canvas, clBlack, clWhite, 0, 0, 20, 62);
    ASSERT_EQ(ops.size(), 32u);
    EXPECT_EQ(ops[1].Rect, Rect(0, 2, 20, 5));
    EXPECT_EQ(ops[30].Rect, Rect(0, 60, 20, 62));
}

TEST(LbButtonPainter, GlyphAndCaptionPositions)
{
    TLbFaceValues v;
    v.W = 100;
    v.H = 30;
    v.Caption = QStringLiteral("OK");
    v.Glyph = Strip({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    v.NumGlyphs = 2;
    QImage probe(1, 1, QImage::Format_ARGB32);
    TCanvas measure(&probe);
    measure.Font = v.Font;
    const int tw4 = measure.TextWidth(v.Caption) + 4;
    const int T = measure.TextHeight(v.Caption);
    const int A = 100 - 8 - 22;

    struct Case
    {
        Qt::Alignment align;
        TLbButtonLayout layout;
        bool down;
        int glyph_left, glyph_top, text_left, text_top;
    };
    using enum TLbButtonLayout;
    const Case cases[] = {
        {Qt::AlignHCenter, blGlyphLeft, false, (100 - 18) / 2 - tw4 / 2, 6, 26, (30 - T) / 2},
        {Qt::AlignLeft, blGlyphLeft, false, 4, 6, 26, (30 - T) / 2},
        {Qt::AlignRight, blGlyphLeft, false, 100 - 4 - 18 - tw4, 6, 26, (30 - T) / 2},
        {Qt::AlignHCenter, blGlyphLeft, true, (100 - 18) / 2 + 1 - tw4 / 2, 7, 27, (30 - T) / 2 + 1},
        {Qt::AlignHCenter, blGlyphRight, false, (100 - 18) / 2 + tw4 / 2, 6, 4, (30 - T) / 2},
        {Qt::AlignRight, blGlyphRight, false, 100 - 4 - 18, 6, 4, (30 - T) / 2},
        {Qt::AlignHCenter, blGlyphTop, false, 41, (30 - T - 22) / 2, 4, (30 - T - 22) / 2 + 18},
        {Qt::AlignLeft, blGlyphBottom, false, 4, (30 - T - 22) / 2 + T, 4, (30 - T - 22) / 2},
    };
    for (const Case &c : cases) {
        v.Alignment = c.align;
        v.Layout = c.layout;
        v.Down = c.down;
        const auto ops = Record_Face(v);
        const TCanvasOp *glyph = Find_Op(ops, "Draw");
        const TCanvasOp *text = Text_Op(ops);
        ASSERT_TRUE(glyph && text);
        SCOPED_TRACE(int(c.layout) * 10 + int(c.align));
        EXPECT_EQ(glyph->Rect, Bounds(c.glyph_left, c.glyph_top, 18, 18));
        const int a = c.layout == blGlyphTop || c.layout == blGlyphBottom ? 92 : A;
        EXPECT_EQ(text->Rect, Rect(c.text_left, c.text_top, c.text_left + a, c.text_top + T));
    }
}

TEST(LbButtonPainter, CaptionLosesCharactersFromTheEndUnlessItWraps)
{
    TLbFaceValues v;
    v.W = 60;
    v.H = 40;
    v.Caption = QStringLiteral("Confirm and Save");
    QImage probe(1, 1, QImage::Format_ARGB32);
    TCanvas measure(&probe);
    measure.Font = v.Font;
    QString expected = v.Caption;
    while (measure.TextWidth(expected) > 52)
        expected.chop(1);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(Text_Op(Record_Face(v))->Text, expected);

    v.WordWrap = true;
    EXPECT_TRUE(Text_Op(Record_Face(v))->Text.contains(QLatin1Char('\n')));

    // Narrower than the margins: nothing of the caption is left.
    v.WordWrap = false;
    v.W = 6;
    const TCanvasOp *text = Text_Op(Record_Face(v));
    EXPECT_TRUE(text == nullptr || text->Text.isEmpty());
}

TEST(LbButtonPainter, GlyphCellsFollowTheState)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0),
               cyan = qRgb(0, 255, 255);
    struct Case
    {
        int cells;
        bool enabled, down, hot;
        QRgb expected;
    };
    const Case cases[] = {
        {2, true, false, false, red},   {2, false, true, false, blue}, {2, true, true, true, red},
        {3, true, true, false, green},  {4, true, false, true, cyan},  {4, true, true, true, green},
        {1, false, false, false, red},  // a single cell stands for every state
    };
    const std::vector<QRgb> all = {red, blue, green, cyan};
    for (const Case &c : cases) {
        TLbFaceValues v;
        v.W = 40;
        v.H = 30;
        v.Style = bsEncarta;
        v.Glyph = Strip(std::vector<QRgb>(all.begin(), all.begin() + c.cells));
        v.NumGlyphs = c.cells;
        v.Enabled = c.enabled;
        v.Down = c.down;
        v.Hot = c.hot;
        QImage image(40, 30, QImage::Format_ARGB32);
        {
            TCanvas canvas(&image);
            DrawButtonFace(canvas, v);
        }
        // No caption: the glyph is centred; its white key lets the face show through.
        EXPECT_EQ(image.pixel(20, 15), c.expected) << c.cells << c.enabled << c.down << c.hot;
        EXPECT_EQ(Pixel(image, 12, 7), ColorToRGB(clBtnFace));
    }
    // No cells: no glyph at all.
    TLbFaceValues v;
    v.W = 40;
    v.H = 30;
    v.Glyph = Strip({red, blue});
    v.NumGlyphs = 0;
    EXPECT_EQ(Find_Op(Record_Face(v), "Draw"), nullptr);
}

TEST(LbButtonPainter, DisabledFaceIsGreyAndNeverPressed)
{
    TLbFaceValues v;
    v.W = 80;
    v.H = 24;
    v.Caption = QStringLiteral("Cancel");
    v.Style = bsEncarta;
    v.Color = 0xEDF7F8;
    v.ColorWhenDown = 0x0080FF;
    v.Down = true;
    v.Enabled = false;
    auto ops = Record_Face(v);
    EXPECT_EQ(Text_Op(ops)->Font.Color, TColor(0x808080));
    EXPECT_FALSE(Text_Op(ops)->Font.Style & fsBold);
    EXPECT_EQ(Find_Op(ops, "FillRect")->Brush.Color, TColor(0xEDF7F8));

    // Pressed and enabled: orange, bold caption, no offset for bsEncarta.
    v.Enabled = true;
    ops = Record_Face(v);
    EXPECT_EQ(Find_Op(ops, "FillRect")->Brush.Color, TColor(0x0080FF));
    EXPECT_TRUE(Text_Op(ops)->Font.Style & fsBold);

    // bsShape keeps the font's colour when disabled.
    v.Enabled = false;
    v.Style = bsShape;
    v.Font.Color = clNavy;
    EXPECT_EQ(Text_Op(Record_Face(v))->Font.Color, clNavy);
}

TEST(LbButtonPainter, EachStyleDrawsItsGroundAndOutline)
{
    // Distinct colours, and a ground the face leaves alone where the style draws nothing.
    constexpr TColor F = 0x4080C0, L = 0xF0E0D0, S = 0x305070, Down = 0x0080FF, Ground = 0x030201;
    const TColor Dk = ColorToRGB(cl3DDkShadow);
    const int W = 60, H = 24;
    struct Probe { int x, y; TColor colour; };
    struct Case
    {
        const char *what;
        TLbButtonStyle style;
        bool down, flat, hot;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"normal", bsNormal, false, false, false,
         {{0, 12, L}, {30, 0, L}, {59, 12, S}, {30, 23, S}, {30, 12, F}, {1, 1, F}}},
        {"normal pressed", bsNormal, true, false, false, {{0, 12, S}, {30, 0, S}, {59, 12, L}, {30, 23, L}, {30, 12, Down}}},
        {"flat", bsNormal, false, true, false, {{0, 12, F}, {30, 0, F}, {59, 12, F}}},
        {"flat hot", bsNormal, false, true, true, {{0, 12, L}, {59, 12, S}}},
        {"encarta pressed", bsEncarta, true, false, false, {{0, 12, S}, {59, 12, L}, {30, 12, Down}}},
        {"old", bsOld, false, false, false,
         {{0, 12, L}, {30, 0, L}, {58, 12, S}, {30, 22, S}, {59, 12, Dk}, {30, 23, Dk}, {30, 12, F}}},
        {"old pressed", bsOld, true, false, false,
         {{1, 12, S}, {30, 1, S}, {0, 12, Dk}, {30, 0, Dk}, {59, 12, L}, {30, 23, L}}},
        // Gradient from the light colour at the top to the face a quarter down, and back.
        // The bands overlap: a row shows the last band that starts on it, so row 2 holds
        // band 7 (0xC8CACC) and row 6, where the way back starts, band 1 (0x4583C0).
        {"modern", bsModern, false, false, false,
         {{30, 0, S}, {0, 12, S}, {1, 12, F}, {30, 2, 0xC8CACC}, {30, 6, 0x4583C0}, {0, 0, Ground}}},
        {"modern pressed", bsModern, true, false, false, {{1, 12, S}, {30, 7, 0x0783FD}}},
        {"quicken", bsQuicken, false, false, false, {{30, 0, S}, {30, 23, S}, {30, 12, F}, {0, 0, Ground}}},
        {"shape", bsShape, false, false, false, {{0, 0, clFuchsia}, {30, 12, clFuchsia}, {59, 23, clFuchsia}}},
    };
    for (const Case &c : cases) {
        TLbFaceValues v;
        v.W = W;
        v.H = H;
        v.Style = c.style;
        v.Color = F;
        v.LightColor = L;
        v.ShadowColor = S;
        v.ColorWhenDown = Down;
        v.Down = c.down;
        v.Flat = c.flat;
        v.Hot = c.hot;
        QImage image(W, H, QImage::Format_ARGB32);
        image.fill(QColor(1, 2, 3));
        {
            TCanvas canvas(&image);
            DrawButtonFace(canvas, v);
        }
        // Within one step per channel: the painter may smooth the figures' edges.
        for (const Probe &p : c.probes) {
            const TColor got = Pixel(image, p.x, p.y);
            const bool near = std::abs(GetRValue(got) - GetRValue(p.colour)) <= 1
                              && std::abs(GetGValue(got) - GetGValue(p.colour)) <= 1
                              && std::abs(GetBValue(got) - GetBValue(p.colour)) <= 1;
            EXPECT_TRUE(near) << c.what << " at " << p.x << "," << p.y << std::hex << ": " << got
                              << " instead of " << p.colour;
        }
    }
}

TEST(LbButtonPainter, PopupArrowAtTheRight)
{
    TLbFaceValues v;
    v.W = 60;
    v.H = 24;
    v.HasPopup = true;
    QImage image(60, 24, QImage::Format_ARGB32);
    {
        TCanvas canvas(&image);
        DrawButtonFace(canvas, v);
    }
    EXPECT_EQ(Pixel(image, 49, 11), clBlack);
    EXPECT_EQ(Pixel(image, 51, 13), clBlack);
    EXPECT_EQ(Pixel(image, 49, 13), ColorToRGB(clBtnFace));
    EXPECT_EQ(LbButtonResource(QStringLiteral("LBARROW")).size(), QSize(5, 3));
}

class LbButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialog.resize(300, 200);
        Button = new TLbButton(&Dialog);
        Button->setGeometry(10, 10, 100, 30);
    }
    QDialog Dialog;
    TLbButton *Button;
};

TEST_F(LbButtonTest, CreatedPlainAndGivenTheWindowsLook)
{
    // A new button is plain: no hot-track or pressed colour until a window gives it one.
    EXPECT_EQ(Button->Style(), bsNormal);
    EXPECT_EQ(Button->Color(), clBtnFace);
    EXPECT_EQ(Button->HotTrackColor(), clNone);
    EXPECT_EQ(Button->ColorWhenDown(), clNone);
    EXPECT_EQ(Button->LightColor(), TColor(0xFFFFFF));
    EXPECT_EQ(Button->ShadowColor(), TColor(0x808080));
    EXPECT_EQ(Button->Kind(), bkCustom);
    EXPECT_FALSE(Button->SlowDecease());
    EXPECT_FALSE(Button->Default());
    EXPECT_FALSE(Button->Cancel());
    EXPECT_EQ(Button->Alignment(), Qt::AlignHCenter);
    TLbButton plain;
    EXPECT_EQ(plain.size(), QSize(100, 23));
    // Entering a plain button highlights nothing.
    Dialog.show();
    Button->MouseEnter();
    EXPECT_EQ(Pixel(Button->Paint_Face(), 50, 3), ColorToRGB(clBtnFace));

    Set_Button_Look(Button);
    EXPECT_EQ(Button->Style(), bsEncarta);
    EXPECT_EQ(Button->Color(), TColor(0xEDF7F8));
    EXPECT_EQ(Button->HotTrackColor(), clYellow);
    EXPECT_EQ(Button->ColorWhenDown(), TColor(0x0080FF));
    EXPECT_EQ(Button->LightColor(), clGray);
    EXPECT_EQ(Pixel(Button->Paint_Face(), 50, 3), clYellow);
}

TEST_F(LbButtonTest, HiddenButtonDoesNotClick)
{
    int clicks = 0;
    Button->OnClick = [&](QObject *) { ++clicks; };
    Button->SetModalResult(mrOk);
    // On a window not shown yet the button counts as visible: code may click it.
    Button->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Dialog.result(), mrOk);
    Dialog.setResult(0);
    Button->hide();
    Button->click();
    Button->Click();
    static_cast<QAbstractButton *>(Button)->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Dialog.result(), 0);
}

TEST_F(LbButtonTest, ModalCloseOrHidingDropsTheHotState)
{
    Set_Button_Look(Button);
    Button->SetModalResult(mrOk);
    Dialog.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), Button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(Button, &enter);
    ASSERT_TRUE(Button->Cursor_On_Button());
    Send_Mouse(Button, QEvent::MouseButtonPress, QPoint(5, 5));
    Send_Mouse(Button, QEvent::MouseButtonRelease, QPoint(5, 5));
    ASSERT_FALSE(Dialog.isVisible());
    EXPECT_FALSE(Button->Cursor_On_Button());
    EXPECT_EQ(Button->HotTrackStep(), 0);
    Dialog.show();
    EXPECT_EQ(Pixel(Button->Paint_Face(), 50, 3), TColor(0xEDF7F8));

    // The same when the button itself is hidden, also in the middle of a fade.
    Button->SetSlowDecease(true);
    QApplication::sendEvent(Button, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Button, &leave);
    ASSERT_TRUE(Button->Fade_Running());
    Button->hide();
    EXPECT_FALSE(Button->Fade_Running());
    EXPECT_EQ(Button->HotTrackStep(), 0);
}

TEST_F(LbButtonTest, GlyphCellsComeFromTheShape)
{
    Button->SetKind(bkOK);
    Button->SetGlyph(QImage(36, 18, QImage::Format_RGB32));
    EXPECT_EQ(Button->NumGlyphs(), 2);
    EXPECT_EQ(Button->Kind(), bkCustom);
    Button->SetGlyph(QImage(36, 0, QImage::Format_RGB32));
    EXPECT_EQ(Button->NumGlyphs(), 0);
    Button->SetGlyph(QImage());
    EXPECT_EQ(Button->NumGlyphs(), 0);
}

TEST_F(LbButtonTest, KindsSetCaptionGlyphAndModalResult)
{
    struct Case
    {
        TLbButtonKind kind;
        int result;
        const char *caption;
    };
    const Case cases[] = {{bkOK, mrOk, "OK"},           {bkCancel, mrCancel, "Abbrechen"},
                          {bkHelp, mrNone, "Hilfe"},    {bkYes, mrYes, "Ja"},
                          {bkNo, mrNo, "Nein"},         {bkClose, mrNone, "Schlie\u00DFen"},
                          {bkAbort, mrAbort, "Abbrechen"}, {bkRetry, mrRetry, "Wiederholen"},
                          {bkIgnore, mrIgnore, "Ignorieren"}, {bkAll, mrAll, "Alle"}};
    for (const Case &c : cases) {
        Button->SetKind(c.kind);
        EXPECT_EQ(Button->Kind(), c.kind);
        EXPECT_EQ(Button->ModalResult(), c.result);
        EXPECT_EQ(Button->Caption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(Button->Glyph().size(), QSize(36, 18));
        EXPECT_EQ(Button->NumGlyphs(), 2);
    }
    // A modal result afterwards makes the kind custom but keeps its caption and glyph.
    Button->SetKind(bkYes);
    Button->SetModalResult(mrOk);
    EXPECT_EQ(Button->Kind(), bkCustom);
    EXPECT_EQ(Button->Caption(), QStringLiteral("Ja"));
    EXPECT_EQ(Button->Glyph().size(), QSize(36, 18));
}

TEST_F(LbButtonTest, ColorStyleAppliesItsPaletteAndReadsBackCustom)
{
    Button->SetColorStyle(TLbColorStyle::lcsGold);
    EXPECT_EQ(Button->ColorStyle(), TLbColorStyle::lcsCustom);
    EXPECT_EQ(Button->Color(), TColor(0x00C0C0));
    EXPECT_EQ(Button->LightColor(), TColor(0x00FFFF));
    EXPECT_EQ(Button->ShadowColor(), TColor(0x008080));
    EXPECT_EQ(Button->HotTrackColor(), TColor(0x00DFDF));
    EXPECT_EQ(Button->ColorWhenDown(), clNone);
    EXPECT_EQ(Button->Style(), bsModern);
    Button->SetColorStyle(TLbColorStyle::lcsQuicken);
    EXPECT_EQ(Button->FontColor(), TColor(0xFFFFFF));
    EXPECT_EQ(Button->Style(), bsQuicken);
    Button->SetColorStyle(TLbColorStyle::lcsCustom);
    EXPECT_EQ(Button->Style(), bsQuicken);
}

TEST_F(LbButtonTest, HotTrackShowsAtOnceAndGoesAtOnceWithoutSlowDecease)
{
    Set_Button_Look(Button);
    Dialog.show();
    const QPoint face(3, 3);
    Button->MouseEnter();
    EXPECT_EQ(Button->HotTrackStep(), 8);
    EXPECT_EQ(Pixel(Button->Paint_Face(), face.x(), face.y()), clYellow);
    Button->MouseLeave();
    EXPECT_EQ(Button->HotTrackStep(), 0);
    EXPECT_FALSE(Button->Fade_Running());
    EXPECT_EQ(Pixel(Button->Paint_Face(), face.x(), face.y()), TColor(0xEDF7F8));

    // Half way through a fade the face is the blend.
    Button->SetSlowDecease(true);
    Button->MouseEnter();
    Button->MouseLeave();
    EXPECT_TRUE(Button->Fade_Running());
    for (int i = 0; i < 4; ++i)
        Button->HotTrackStepDown();
    EXPECT_EQ(Pixel(Button->Paint_Face(), face.x(), face.y()), RGB(251, 251, 118));
    // Entering again shows the full colour, and the fade goes on from 8.
    Button->MouseEnter();
    EXPECT_EQ(Button->HotTrackStep(), 8);
    EXPECT_TRUE(Button->Fade_Running());
    for (int i = 0; i < 8; ++i)
        Button->HotTrackStepDown();
    EXPECT_EQ(Button->HotTrackStep(), 0);
    EXPECT_FALSE(Button->Fade_Running());

    // Turning SlowDecease off ends a running fade.
    Button->MouseEnter();
    Button->MouseLeave();
    Button->SetSlowDecease(false);
    EXPECT_EQ(Button->HotTrackStep(), 0);
    EXPECT_FALSE(Button->Fade_Running());
}

TEST_F(LbButtonTest, FadeRunsOnTheGuiThreadIn30MsSteps)
{
    Dialog.show();
    Button->SetSlowDecease(true);
    Button->MouseEnter();
    Button->MouseLeave();
    ASSERT_TRUE(Button->Fade_Running());
    // The pace is a 30 ms timer of the GUI thread; each of its ticks is one step down.
    QTimer *pace = nullptr;
    for (QTimer *t : Button->findChildren<QTimer *>())
        if (t->isActive())
            pace = t;
    ASSERT_NE(pace, nullptr);
    EXPECT_EQ(pace->interval(), 30);
    EXPECT_EQ(pace->thread(), QApplication::instance()->thread());
    QList<int> steps;
    QObject::connect(pace, &QTimer::timeout, Button, [&] { steps << Button->HotTrackStep(); });
    // Ticks come from the event loop, however slowly; the count of waits only bounds a fade
    // that never ends.
    for (int waits = 0; Button->Fade_Running() && waits < 100000; ++waits)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(Button->HotTrackStep(), 0);
    EXPECT_EQ(steps, QList<int>({7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST_F(LbButtonTest, EnterAndLeaveEventsAndTheHotTrackFont)
{
    Dialog.show();
    QStringList events;
    Button->OnMouseEnter = [&events](QObject *) { events << QStringLiteral("enter"); };
    Button->OnMouseExit = [&events](QObject *) { events << QStringLiteral("exit"); };
    Button->SetCaption(QStringLiteral("WWWW"));
    Button->SetHotTrackColor(clNone);
    TFont red = TFont::FromQFont(Button->font(), clRed);
    Button->SetHotTrackFont(red);
    const auto red_pixels = [this] {
        const QImage face = Button->Paint_Face();
        int n = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                n += Pixel(face, x, y) == clRed;
        return n;
    };
    // The hot-track font shows only while hot, and only when asked for.
    Button->MouseEnter();
    EXPECT_EQ(red_pixels(), 0);
    Button->SetUseHotTrackFont(true);
    EXPECT_GT(red_pixels(), 0);
    Button->MouseLeave();
    EXPECT_EQ(red_pixels(), 0);
    // A disabled button neither lights up nor reports the mouse entering.
    Button->setEnabled(false);
    Button->MouseEnter();
    Button->MouseLeave();
    EXPECT_FALSE(Button->Cursor_On_Button());
    EXPECT_EQ(events, QStringList({"enter", "exit"}));
}

TEST_F(LbButtonTest, AClickOpensThePopupMenuAtTheBottomLeftCorner)
{
    Dialog.show();
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    Button->setMenu(&menu);
    int clicks = 0;
    Button->OnClick = [&clicks](QObject *) { ++clicks; };
    Button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), Button->mapToGlobal(QPoint(0, Button->height())));
    menu.hide();
    // The popup arrow is drawn at the right.
    EXPECT_EQ(Pixel(Button->Paint_Face(), Button->width() - 9, Button->height() / 2 - 1), clBlack);
}

TEST_F(LbButtonTest, DisablingAPressedButtonReleasesIt)
{
    Dialog.show();
    Send_Mouse(Button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_TRUE(Button->Is_Down());
    Button->setEnabled(false);
    EXPECT_FALSE(Button->Is_Down());
}

TEST_F(LbButtonTest, ReleaseOutsideStillClicksAndClosesWithTheModalResult)
{
    int clicks = 0;
    Button->OnClick = [&](QObject *sender) {
        EXPECT_EQ(sender, Button);
        ++clicks;
    };
    Button->SetModalResult(mrOk);
    Dialog.show();
    Send_Mouse(Button, QEvent::MouseButtonPress, QPoint(5, 5));
    Send_Mouse(Button, QEvent::MouseButtonRelease, QPoint(-80, 150));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Button->Is_Down());
    EXPECT_EQ(Dialog.result(), mrOk);
    EXPECT_FALSE(Dialog.isVisible());
    // A release without a press on the button does nothing.
    Send_Mouse(Button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    // A disabled button does not click.
    Button->setEnabled(false);
    Button->Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, EnterAndSpaceClickOnRelease)
{
    int clicks = 0;
    Button->OnClick = [&](QObject *) { ++clicks; };
    Dialog.show();
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Enter)}) {
        Send_Key(Button, QEvent::KeyPress, key);
        EXPECT_TRUE(Button->Is_Down());
        EXPECT_EQ(clicks, 0);
        Send_Key(Button, QEvent::KeyRelease, key);
        EXPECT_EQ(clicks, 1);
        clicks = 0;
    }
    Send_Key(Button, QEvent::KeyPress, Qt::Key_A);
    Send_Key(Button, QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(clicks, 0);
    // A release whose press another widget took, or another key's press, does not click.
    for (auto [press, release] : {std::pair{0, int(Qt::Key_Return)}, std::pair{int(Qt::Key_Space), int(Qt::Key_Return)},
                                  std::pair{int(Qt::Key_Return), int(Qt::Key_Space)}}) {
        if (press)
            Send_Key(Button, QEvent::KeyPress, press);
        Send_Key(Button, QEvent::KeyRelease, release);
        EXPECT_EQ(clicks, 0) << press << " " << release;
        Send_Key(Button, QEvent::KeyRelease, press ? press : release);   // ends the press
        clicks = 0;
    }
}

// Keys as the event loop delivers them: each one posted to the widget that has the focus
// when it is sent (the window's focus widget when the application has none).
void Post_Key(QEvent::Type type, int key, QWidget *fallback)
{
    QWidget *to = QApplication::focusWidget();
    if (to && !to->isVisible())
        to = nullptr;   // its window has just closed
    if (!to && QApplication::activeModalWidget())
        to = QApplication::activeModalWidget()->focusWidget() ? QApplication::activeModalWidget()->focusWidget()
                                                               : QApplication::activeModalWidget();
    if (!to)
        to = fallback->window()->focusWidget() ? fallback->window()->focusWidget() : fallback;
    QCoreApplication::postEvent(to, new QKeyEvent(type, key, Qt::NoModifier));
}

TEST_F(LbButtonTest, EnterThatClosesAMessageBoxDoesNotClickTheButtonAgain)
{
    SetDialogs(nullptr);   // the real message box
    int boxes = 0;
    Button->OnClick = [&](QObject *) {
        if (++boxes > 1)
            return;   // a loop: count it, but open no second box
        // Enter goes down while the box is open and closes it; it comes up after.
        QTimer::singleShot(0, [this] {
            Post_Key(QEvent::KeyPress, Qt::Key_Return, Button);
            QCoreApplication::processEvents();
            Post_Key(QEvent::KeyRelease, Qt::Key_Return, Button);
        });
        MessageError(QStringLiteral("Error! Project not Valid"), {}, &Dialog);
    };
    Dialog.show();
    Dialog.activateWindow();
    Button->setFocus();
    Post_Key(QEvent::KeyPress, Qt::Key_Return, Button);
    Post_Key(QEvent::KeyRelease, Qt::Key_Return, Button);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LbButtonTest, DefaultAndCancelTakeEnterAndEscapeOfTheWindow)
{
    auto *edit = new QLineEdit(&Dialog);
    auto *other = new TLbButton(&Dialog);
    Button->SetDefault(true);
    Button->SetModalResult(mrOk);
    auto *cancel = new TLbButton(&Dialog);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int default_clicks = 0, other_clicks = 0;
    Button->OnClick = [&](QObject *) { ++default_clicks; };
    other->OnClick = [&](QObject *) { ++other_clicks; };

    Dialog.show();
    // Enter in an edit clicks the default button.
    edit->setFocus();
    Send_Key(edit, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(default_clicks, 1);
    EXPECT_EQ(Dialog.result(), mrOk);

    // A focused button takes Enter itself.
    Dialog.show();
    other->setFocus();
    Send_Key(other, QEvent::KeyPress, Qt::Key_Return);
    Send_Key(other, QEvent::KeyRelease, Qt::Key_Return);
    EXPECT_EQ(default_clicks, 1);
    EXPECT_EQ(other_clicks, 1);

    // Escape clicks the cancel button, but not with Shift held.
    Dialog.show();
    edit->setFocus();
    Dialog.setResult(0);
    Send_Key(edit, QEvent::KeyPress, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(Dialog.result(), 0);
    Send_Key(edit, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(Dialog.result(), mrCancel);
}

TEST_F(LbButtonTest, AcceleratorClicks)
{
    int clicks = 0;
    Button->OnClick = [&](QObject *) { ++clicks; };
    Button->SetCaption(QStringLiteral("&Next"));
    Dialog.show();
    QShortcutEvent shortcut(QKeySequence(QStringLiteral("Alt+N")), 0);
    QApplication::sendEvent(Button, &shortcut);
    EXPECT_EQ(clicks, 1);
}

TEST_F(LbButtonTest, QtClickAndClickedSignalAreFullClicks)
{
    int clicks = 0, signals_ = 0;
    Button->OnClick = [&](QObject *) { ++clicks; };
    QObject::connect(Button, &QPushButton::clicked, [&] { ++signals_; });
    Button->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(signals_, 1);
    static_cast<QAbstractButton *>(Button)->click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(signals_, 2);
}
