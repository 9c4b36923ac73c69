// The clock face: geometry, drawing on a recording canvas, picking, hand moves with the
// animation stepped by hand, keys, running mode on an injected clock, and the styles.
#include "controls/dropdown/clockface.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/string/datetimetext.h"

#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

TDateTime T(int H, int M, int S = 0)
{
    return EncodeTime(H, M, S, 0);
}

int HourOf(const TDazWatch &W)
{
    int h, m, s, ms;
    DecodeTime(W.ShownTime(), h, m, s, ms);
    return h;
}

int MinuteOf(const TDazWatch &W)
{
    int h, m, s, ms;
    DecodeTime(W.ShownTime(), h, m, s, ms);
    return m;
}

struct Recording
{
    QImage Image{180, 180, QImage::Format_RGB32};
    std::vector<TCanvasOp> Ops;
    int Count(const QString &Name, TColor PenColor = clNone) const
    {
        int n = 0;
        for (const TCanvasOp &op : Ops)
            n += op.Name == Name && (PenColor == clNone || op.Pen.Color == PenColor);
        return n;
    }
    bool HasLine(const TRect &R, TColor Color, int Width) const
    {
        for (const TCanvasOp &op : Ops)
            if (op.Name == "LineTo" && op.Rect == R && op.Pen.Color == Color &&
                op.Pen.Width == Width)
                return true;
        return false;
    }
    QStringList Texts() const
    {
        QStringList t;
        for (const TCanvasOp &op : Ops)
            if (op.Name == "TextOut")
                t << op.Text;
        return t;
    }
};

Recording Record(TDazWatch &W, void (TDazWatch::*Draw)(TCanvas &) = &TDazWatch::DrawWatch)
{
    Recording r;
    r.Image.fill(Qt::white);
    TCanvas canvas(&r.Image);
    canvas.SetRecorder(&r.Ops);
    (W.*Draw)(canvas);
    return r;
}

TEST(ClockFace, GeometryOfA180PixelClock)
{
    TDazWatch w;
    EXPECT_EQ(w.width(), 180);
    EXPECT_EQ(w.FaceRect(), TRect(10, 10, 170, 170));
    EXPECT_EQ(w.Centre(), TPoint(90, 90));
    EXPECT_EQ(w.Radius(), 80);
    w.Appearance().SetSize(100);
    EXPECT_EQ(w.FaceRect(), TRect(40, 40, 140, 140));
    w.Appearance().SetSize(0);

    QImage device(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&device);
    canvas.Font = w.Appearance().AMPMFont();
    const QSize am = MeasureText(canvas, "AM");
    const TRect box = w.GetAMPMRect();
    EXPECT_EQ(box.Width(), am.width() + 8);
    EXPECT_EQ(box.Height(), am.height());
    EXPECT_EQ(box.Left, 90 - (am.width() + 8) / 2);
    EXPECT_EQ(box.Top, 90 + int(std::lround((80 - am.height()) / 3.0)));
    w.SetShowAMPM(false);
    EXPECT_EQ(w.GetAMPMRect(), TRect(-1, -1, -1, -1));
}

TEST(ClockFace, MarksAndNumeralsByTickMarks)
{
    TDazWatch w;
    w.Appearance().SetHourColor(0x0000AA);
    w.Appearance().SetMinuteColor(0x00AA00);
    Recording all = Record(w, &TDazWatch::DrawFace);
    EXPECT_EQ(all.Count("LineTo", 0x0000AA), 12);
    EXPECT_EQ(all.Count("LineTo", 0x00AA00), 48);
    // Twelve o'clock from 0.9 R to R - border / 2 = 78; the first minute mark from 0.95 R.
    EXPECT_TRUE(all.HasLine(TRect(90, 20, 90, 12), 0x0000AA, 1));
    EXPECT_TRUE(all.HasLine(TRect(98, 16, 98, 12), 0x00AA00, 1));
    EXPECT_EQ(all.Texts().size(), 12);
    // "3" at r = Rn + m div 2 = 56 + 5 from the centre, one pixel right and down.
    QImage device(1, 1, QImage::Format_RGB32);
    TCanvas measure(&device);
    measure.Font = w.Appearance().HourFont();
    const QSize three = MeasureText(measure, "3");
    for (const TCanvasOp &op : all.Ops)
        if (op.Name == "TextOut" && op.Text == "3") {
            EXPECT_EQ(TPoint(op.Rect.Left, op.Rect.Top),
                      TPoint(152 - three.width() / 2 - 1, 91 - three.height() / 2 - 1));
        }
    EXPECT_EQ(all.Count("Ellipse"), 1);   // the border of the circle
    EXPECT_EQ(all.Count("Rectangle"), 1);  // the AM/PM box

    w.Appearance().SetHourMarkStyle(hmsQuartDblLine);
    w.Appearance().SetHourMarkLength(10);
    Recording dbl = Record(w, &TDazWatch::DrawFace);
    EXPECT_EQ(dbl.Count("LineTo", 0x0000AA), 16);
    EXPECT_TRUE(dbl.HasLine(TRect(88, 22, 88, 12), 0x0000AA, 1));    // 12, 2 px left
    EXPECT_TRUE(dbl.HasLine(TRect(158, 92, 168, 92), 0x0000AA, 1));  // 3, 2 px down

    w.Appearance().SetTickMarks(tmQuartHours);
    Recording quarters = Record(w, &TDazWatch::DrawFace);
    EXPECT_EQ(quarters.Texts(), QStringList({"3", "6", "9", "12"}));
    EXPECT_EQ(quarters.Count("LineTo", 0x00AA00), 0);
    w.Appearance().SetTickMarks(tmNone);
    Recording none = Record(w, &TDazWatch::DrawFace);
    EXPECT_TRUE(none.Texts().isEmpty());
    EXPECT_EQ(none.Count("LineTo"), 0);
}

TEST(ClockFace, HandsShadowsSecondHandAndCentrePoint)
{
    TDazWatch w;
    w.SetTime(T(3, 0));
    Recording lines = Record(w, &TDazWatch::DrawPointers);
    const TColor shadow = clBtnShadow;
    EXPECT_TRUE(lines.HasLine(TRect(82, 90, 130, 90), 0x000000, 4));   // hour: tail 0.1 R, 0.5 R
    EXPECT_TRUE(lines.HasLine(TRect(90, 98, 90, 34), 0x000000, 3));    // minute: 0.7 R
    EXPECT_TRUE(lines.HasLine(TRect(81, 93, 126, 93), shadow, 4));     // shifted (-1, +3)
    EXPECT_TRUE(lines.HasLine(TRect(90, 101, 90, 41), shadow, 3));     // shifted (0, +3)
    EXPECT_EQ(lines.Count("LineTo"), 4);
    EXPECT_EQ(lines.Count("Ellipse"), 1);
    EXPECT_EQ(lines.Ops.back().Rect, TRect(88, 88, 92, 92));

    w.Appearance().SetPointerStyle(psPointer);
    Recording pointers = Record(w, &TDazWatch::DrawPointers);
    ASSERT_EQ(pointers.Count("Polygon"), 4);
    EXPECT_EQ(pointers.Ops[1].Rect, TRect(82, 86, 131, 95));   // hour hand: tail, +-0.05 R, tip

    w.Appearance().SetPointerStyle(psShortLine);
    w.Appearance().SetCenterPointSize(20);
    w.Appearance().SetCenterPointOuterBorderColor(0x111111);
    w.Appearance().SetCenterPointBorderColor(0x222222);
    Recording centre = Record(w, &TDazWatch::DrawPointers);
    ASSERT_EQ(centre.Ops.size(), 3u);   // no hands: three ellipses
    EXPECT_EQ(centre.Ops[0].Rect, TRect(80, 80, 100, 100));
    EXPECT_EQ(centre.Ops[1].Pen.Width, 4);
    EXPECT_EQ(centre.Ops[2].Rect, TRect(82, 82, 98, 98));
    EXPECT_EQ(centre.Ops[2].Pen.Width, 2);

    w.Appearance().SetPointerStyle(psLine);
    w.Clock = [] { return T(3, 0, 15); };
    w.Settings().SetAuto(true);
    Recording running = Record(w, &TDazWatch::DrawPointers);
    EXPECT_TRUE(running.HasLine(TRect(74, 90, 162, 90), 0x0000FF, 1));   // 0.2 R to 0.9 R
}

TEST(ClockFace, RendersTheFaceAndHands)
{
    TDazWatch w;
    w.SetTime(T(3, 0));
    const QImage image = w.grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(90, 90)), TColor(0x000000));    // centre point
    EXPECT_EQ(FromQColor(image.pixelColor(110, 90)), TColor(0x000000));   // hour hand
    EXPECT_EQ(FromQColor(image.pixelColor(60, 120)), TColor(0xFFFFFF));   // face
    EXPECT_EQ(FromQColor(image.pixelColor(90, 10)), TColor(0x000000));    // border
}

TEST(ClockFace, PickingHoursAndMinutes)
{
    TDazWatch w;
    w.Animation = false;
    int changes = 0;
    w.OnChange = [&](TObject *) { ++changes; };
    EXPECT_EQ(w.MinuteAtPos(90, 150), 30);
    EXPECT_EQ(w.HourAtPos(90, 150), 6);
    for (int x : {86, 88, 92, 94}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(w.HourAtPos(x, 20), 0);
    }
    w.MouseUp(90, 150);
    EXPECT_EQ(HourOf(w), 6);
    EXPECT_EQ(changes, 1);
    w.MouseUp(2, 90);   // outside the face circle: the minute
    EXPECT_EQ(MinuteOf(w), 45);
    EXPECT_EQ(HourOf(w), 6);
    w.SetTime(T(14, 0));
    EXPECT_FALSE(w.AM());
    EXPECT_EQ(w.HourAtPos(88, 20), 12);
    EXPECT_EQ(w.HourAtPos(92, 20), 12);
    EXPECT_EQ(w.HourAtPos(90, 150), 18);

    // The AM/PM box rolls the word and moves the hour by 12.
    const TRect box = w.GetAMPMRect();
    changes = 0;
    w.MouseUp(box.Left + 2, box.Top + 2);
    EXPECT_EQ(HourOf(w), 2);
    EXPECT_TRUE(w.AM());
    EXPECT_EQ(changes, 1);

    w.Animation = true;
    changes = 0;
    w.MouseUp(box.Left + 2, box.Top + 2);
    EXPECT_TRUE(w.Rolling());
    EXPECT_EQ(HourOf(w), 2);   // the move waits for the roll
    int frames = 0;
    while (w.Rolling() && frames < 100) {
        w.RollTick();
        ++frames;
    }
    EXPECT_EQ(frames, box.Height() - 2);
    EXPECT_FALSE(w.AM());
    EXPECT_EQ(HourOf(w), 14);
    EXPECT_EQ(changes, 1);
}

TEST(ClockFace, SettingHandsAtOnceAndAnimated)
{
    TDazWatch w;
    w.Animation = false;
    EXPECT_THROW(
        {
            try {
                w.SetMinute(60);
            } catch (const EWatchError &e) {
                EXPECT_STREQ(e.what(), "Invalid time");
                throw;
            }
        },
        EWatchError);
    w.SetTime(T(10, 45, 30));
    w.SetMinute(0);
    EXPECT_EQ(w.Time(), T(11, 0, 30));
    w.SetHour(24);
    w.SetHour(200);
    EXPECT_EQ(HourOf(w), 11);

    int changes = 0;
    w.OnChange = [&](TObject *) { ++changes; };
    w.SetTime(T(0, 5));
    EXPECT_EQ(changes, 0);   // writing Time fires nothing
    w.Animation = true;
    w.AnimationFactor = 10;
    w.SetMinute(35);
    EXPECT_TRUE(w.Animating());
    std::vector<int> minutes;
    for (int i = 0; i < 100 && w.Animating(); ++i) {
        w.AnimationTick();
        minutes.push_back(MinuteOf(w));
        if (w.Animating() && MinuteOf(w) != 35) {
            EXPECT_EQ(changes, 0);
        }
    }
    ASSERT_GE(minutes.size(), 3u);
    EXPECT_EQ(minutes[0], 8);   // a step of 3
    for (size_t i = 1; i + 1 < minutes.size(); ++i) {
        const int step = minutes[i] - minutes[i - 1], before = minutes[i - 1] - (i > 1 ? minutes[i - 2] : 5);
        EXPECT_GE(step, 0);
        EXPECT_LE(step, before);
    }
    EXPECT_EQ(minutes.back(), 35);
    EXPECT_EQ(changes, 1);

    // A factor below 1 acts as 1: one step to the target; an hour move the same way.
    w.AnimationFactor = 0;
    w.SetMinute(50);
    w.AnimationTick();
    EXPECT_EQ(MinuteOf(w), 50);
    w.SetHour(7);
    w.AnimationTick();
    EXPECT_EQ(HourOf(w), 7);
    w.AnimationTick();
    EXPECT_FALSE(w.Animating());
    EXPECT_EQ(changes, 3);

    // From above 30 to 0 the hand runs forward and the hour advances.
    w.AnimationFactor = 10;
    w.SetMinute(0);
    for (int i = 0; i < 100 && w.Animating(); ++i)
        w.AnimationTick();
    EXPECT_EQ(w.Time(), T(8, 0));
}

TEST(ClockFace, KeyTable)
{
    TDazWatch w;
    w.Animation = false;
    const struct
    {
        TDateTime From;
        int Key;
        TDateTime To;
    } cases[] = {
        {T(13, 10), Qt::Key_A, T(1, 10)},       {T(1, 10), Qt::Key_A, T(1, 10)},
        {T(1, 10), Qt::Key_P, T(13, 10)},       {T(5, 0), Qt::Key_PageUp, T(6, 0)},
        {T(23, 0), Qt::Key_PageUp, T(0, 0)},    {T(5, 0), Qt::Key_PageDown, T(4, 0)},
        {T(0, 0), Qt::Key_PageDown, T(23, 0)},  {T(5, 20), Qt::Key_Home, T(12, 20)},
        {T(5, 20), Qt::Key_Left, T(5, 19)},     {T(5, 0, 30), Qt::Key_Left, T(4, 59, 30)},
        {T(0, 0, 30), Qt::Key_Left, T(23, 59, 30)}, {T(5, 20), Qt::Key_Right, T(5, 21)},
        {T(5, 59), Qt::Key_Right, T(6, 0)},     {T(5, 20), Qt::Key_End, T(5, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Key);
        w.SetTime(c.From);
        w.WatchKeyDown(c.Key);
        EXPECT_EQ(w.Time(), c.To);
    }
}

TEST(ClockFace, RunningModeDrawsOnlyTheHandsAndIgnoresInput)
{
    TDazWatch w;
    TDateTime now = T(9, 15, 0);
    w.Clock = [&] { return 46000 + now; };
    w.Settings().SetTimeOffset(60);
    w.Settings().SetAuto(true);
    EXPECT_EQ(w.Time(), T(9, 15, 0));   // the moment running mode began, without the offset
    EXPECT_EQ(HourOf(w), 10);
    now = T(9, 16, 0);
    EXPECT_EQ(MinuteOf(w), 16);
    w.WatchKeyDown(Qt::Key_End);
    w.MouseUp(90, 150);
    EXPECT_EQ(w.Time(), T(9, 15, 0));

    (void)w.grab();
    const int faces = w.FaceBuilds(), hands = w.PointerDraws();
    w.WatchTick();
    (void)w.grab();
    w.WatchTick();
    (void)w.grab();
    EXPECT_EQ(w.FaceBuilds(), faces);
    EXPECT_EQ(w.PointerDraws(), hands + 2);
    w.Appearance().SetHourColor(0x123456);
    (void)w.grab();
    EXPECT_EQ(w.FaceBuilds(), faces + 1);
}

TEST(ClockStyles, PresetsAndTheirRules)
{
    TDazWatch w;
    EXPECT_EQ(w.Style(), wsClassic);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 0);   // plain defaults, not the preset
    EXPECT_EQ(w.Appearance().HourFont().Name, "Tahoma");
    EXPECT_EQ(w.Appearance().HourFont().Size, 8);
    w.SetStyle(wsClassic);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 0);

    w.SetStyle(wsSuperNova);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 40);
    EXPECT_EQ(w.Appearance().MinuteMarkLength(), 60);
    EXPECT_FALSE(w.ShowAMPM());
    w.Appearance().SetHourMarkLength(3);
    w.SetStyle(wsSuperNova);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 3);

    w.SetStyle(wsSports);
    EXPECT_EQ(w.Appearance().CenterPointSize(), 50);
    EXPECT_EQ(w.Appearance().HourFont().Name, "Times New Roman");
    EXPECT_EQ(w.Appearance().HourFont().Color, TColor(0x797979));

    w.SetShowAMPM(true);
    w.SetStyle(wsTower);
    EXPECT_TRUE(w.ShowAMPM());
    EXPECT_FALSE(w.ShowNumbers());
    EXPECT_EQ(w.Appearance().Shape(), wsRect);
    EXPECT_EQ(w.Appearance().AMPMColor, TColor(0xB1F0FE));
    w.SetShowAMPM(false);
    w.SetStyle(wsTower);   // the same style: nothing
    w.SetStyle(wsBlueStar);
    EXPECT_TRUE(w.ShowAMPM());
    EXPECT_EQ(w.Appearance().AMPMColor, clNone);

    w.SetStyle(wsEmerald);
    EXPECT_FALSE(w.ShowAMPM());
    EXPECT_FALSE(w.ShowNumbers());
    EXPECT_EQ(w.Appearance().HourMarkStyle(), hmsQuartDblLine);

    w.SetStyle(wsClassic);
    EXPECT_EQ(w.Appearance().HourMarkLength(), 8);
    EXPECT_EQ(w.Appearance().HourFont().Name, "Comic Sans MS");
    EXPECT_EQ(w.Appearance().HourFont().Style, fsBold);
    EXPECT_EQ(w.Appearance().AMPMFont().Name, "MS Sans Serif");
    EXPECT_EQ(w.Appearance().AMPMFont().Size, 10);
    EXPECT_TRUE(w.ShowAMPM());
}

TEST(ClockStyles, ComponentStyleTable)
{
    const struct
    {
        TQVRStyle Style;
        TColor AMPMBorder, AMPM, Background, BackgroundTo, Center, Marks, Shadows, Second;
    } rows[] = {
        {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
        {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
        {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0xFFFFFF, 0x000000},
        {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
        {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
        {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
        {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
        {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
        {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
        {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(int(r.Style));
        TDazWatch w;
        w.SetComponentStyle(r.Style);
        const TWatchAppearance &a = w.Appearance();
        EXPECT_EQ(a.AMPMBorderColor, r.AMPMBorder);
        EXPECT_EQ(a.AMPMColor, r.AMPM);
        EXPECT_EQ(a.BackgroundColor(), r.Background);
        EXPECT_EQ(a.BackgroundColorTo(), r.BackgroundTo);
        EXPECT_EQ(a.CenterPointColor(), r.Center);
        EXPECT_EQ(a.BorderColor(), r.AMPMBorder == 0x962D00 ? r.AMPM : r.AMPMBorder);
        for (TColor c : {a.HourColor(), a.MinuteColor(), a.HourPointer(), a.MinutePointer()})
            EXPECT_EQ(c, r.Marks);
        EXPECT_EQ(a.HourPointerShadow(), r.Shadows);
        EXPECT_EQ(a.MinutePointerShadow(), r.Shadows);
        EXPECT_EQ(a.SecondPointer(), r.Second);
        EXPECT_EQ(a.CenterPointOuterBorderColor(), TColor(0x000000));
        const TColor font = r.Style == tsOffice2007Obsidian ? 0xF2F1F0 : 0x000000;
        EXPECT_EQ(a.HourFont().Color, font);
        EXPECT_EQ(a.AMPMFont().Color, font);
    }
    TDazWatch custom;
    TWatchAppearance before;
    before.Assign(&custom.Appearance());
    custom.SetComponentStyle(tsCustom);
    const TWatchAppearance &a = custom.Appearance();
    EXPECT_EQ(a.CenterPointOuterBorderColor(), TColor(0x000000));
    EXPECT_EQ(a.HourFont().Color, TColor(0x000000));
    EXPECT_EQ(a.AMPMFont().Color, TColor(0x000000));
    EXPECT_EQ(a.BackgroundColor(), before.BackgroundColor());
    EXPECT_EQ(a.AMPMColor, before.AMPMColor);
    EXPECT_EQ(a.HourPointer(), before.HourPointer());
    EXPECT_EQ(a.SecondPointer(), before.SecondPointer());
}

TEST(WatchSettings, SettersReportAndAssignCopies)
{
    TWatchSettings s;
    int changes = 0;
    s.OnChange = [&](TObject *) { ++changes; };
    s.SetAuto(false);
    s.SetSecond(false);
    s.SetTimeOffset(5);
    s.SetAuto(true);
    EXPECT_EQ(changes, 3);
    TWatchSettings t;
    t.Assign(&s);
    EXPECT_TRUE(t.Auto());
    EXPECT_FALSE(t.Second());
    EXPECT_EQ(t.TimeOffset(), 5);
}

}   // namespace
