// The clock face: settings, appearance, geometry, drawing, picking, animation and keys.
#include "controls/dropdown/clockface.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/string/datetimetext.h"
#include "grid/string/dropdownappearance.h"
#include "platform/rtl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr int kWatchTickMs = 100, kAnimationTickMs = 1, kRollTickMs = 10;

TFont WatchFont(int Size)
{
    TFont f;
    f.Name = QStringLiteral("Tahoma");
    f.Size = Size;
    f.Color = clWindowText;
    f.Style = 0;
    return f;
}

struct TTimeParts
{
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

TTimeParts PartsOf(TDateTime Value)
{
    TTimeParts p;
    DecodeTime(Value, p.Hour, p.Minute, p.Second, p.MSec);
    return p;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Settings and appearance
// ---------------------------------------------------------------------------------------

void TWatchSettings::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TWatchSettings::SetAuto(bool Value)
{
    if (Value == FAuto)
        return;
    FAuto = Value;
    Changed();
}

void TWatchSettings::SetSecond(bool Value)
{
    if (Value == FSeconds)
        return;
    FSeconds = Value;
    Changed();
}

void TWatchSettings::SetTimeOffset(int Value)
{
    if (Value == FTimeOffset)
        return;
    FTimeOffset = Value;
    Changed();
}

void TWatchSettings::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TWatchSettings *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FSeconds = s->FSeconds;
    FTimeOffset = s->FTimeOffset;
    SetAuto(s->FAuto);
}

TWatchAppearance::TWatchAppearance() : FHourFont(WatchFont(8)), FAMPMFont(WatchFont(10))
{
    FPicture.OnChange = [this](TObject *) { Changed(); };
}

void TWatchAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TWatchAppearance::ResetDefaults()
{
    const TWatchAppearance defaults;
    CopyFields(defaults);
    FPicture.Assign(&defaults.FPicture);
}

void TWatchAppearance::CopyFields(const TWatchAppearance &S)
{
    FSize = S.FSize;
    FHourPointer = S.FHourPointer;
    FBackgroundColor = S.FBackgroundColor;
    FMinutePointerShadow = S.FMinutePointerShadow;
    FBackgroundColorTo = S.FBackgroundColorTo;
    FHourPointerShadow = S.FHourPointerShadow;
    SecondPointerShadow = S.SecondPointerShadow;
    FSecondPointer = S.FSecondPointer;
    FBorderColor = S.FBorderColor;
    FMinutePointer = S.FMinutePointer;
    FHourFont = S.FHourFont;
    FAMPMFont = S.FAMPMFont;
    FAMPMFrame = S.FAMPMFrame;
    FShape = S.FShape;
    FPointerStyle = S.FPointerStyle;
    BorderStyle = S.BorderStyle;
    FHourPointerSize = S.FHourPointerSize;
    FSecondPointerSize = S.FSecondPointerSize;
    FMinutePointerSize = S.FMinutePointerSize;
    FHourColor = S.FHourColor;
    FMinuteColor = S.FMinuteColor;
    FCenterPointSize = S.FCenterPointSize;
    FCenterPointColor = S.FCenterPointColor;
    FCenterPointBorderColor = S.FCenterPointBorderColor;
    FBackgroundGradient = S.FBackgroundGradient;
    Rounding = S.Rounding;
    FHourMarkLength = S.FHourMarkLength;
    FHourMarkWidth = S.FHourMarkWidth;
    FMinuteMarkLength = S.FMinuteMarkLength;
    FMinuteMarkWidth = S.FMinuteMarkWidth;
    FBorderWidth = S.FBorderWidth;
    AMPMColor = S.AMPMColor;
    AMPMBorderColor = S.AMPMBorderColor;
    FCenterPointOuterBorderColor = S.FCenterPointOuterBorderColor;
    FTickMarks = S.FTickMarks;
    FHourMarkStyle = S.FHourMarkStyle;
}

void TWatchAppearance::SetHourFont(const TFont &Value)
{
    FHourFont = Value;
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont &Value)
{
    FAMPMFont = Value;
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture &Value)
{
    FPicture.Assign(&Value);
}

void TWatchAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TWatchAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this)
        return;
    CopyFields(*s);
    FPicture.Assign(&s->FPicture);
    Changed();
}

// ---------------------------------------------------------------------------------------
// The control
// ---------------------------------------------------------------------------------------

TDazWatch::TDazWatch(QWidget *Parent) : QWidget(Parent), Clock([] { return Now(); })
{
    resize(180, 180);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    FAppearance.OnChange = [this](TObject *) { InvalidateFace(); };
    FSettings.OnChange = [this](TObject *) { SettingsChanged(); };
    FWatchTimer.setInterval(kWatchTickMs);
    FAnimationTimer.setInterval(kAnimationTickMs);
    FRollTimer.setInterval(kRollTickMs);
    QObject::connect(&FWatchTimer, &QTimer::timeout, this, [this] { WatchTick(); });
    QObject::connect(&FAnimationTimer, &QTimer::timeout, this, [this] { AnimationTick(); });
    QObject::connect(&FRollTimer, &QTimer::timeout, this, [this] { RollTick(); });
}

TDazWatch::~TDazWatch() = default;

void TDazWatch::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TDazWatch::Internal(const std::function<void()> &Do)
{
    const bool was = FInternalCall;
    FInternalCall = true;
    Do();
    FInternalCall = was;
}

void TDazWatch::InvalidateFace()
{
    FCacheValid = false;
    update();
}

void TDazWatch::RefreshPointers()
{
    update();
}

TDateTime TDazWatch::ShownTime() const
{
    if (FSettings.Auto())
        return TimeOf(Clock() + FSettings.TimeOffset() / 1440.0);
    return FTime;
}

void TDazWatch::SettingsChanged()
{
    if (FSettings.Auto())
        FWatchTimer.start();
    else
        FWatchTimer.stop();
    if (FSettings.Auto()) {
        FTime = TimeOf(Clock());
        FollowTime();
    }
    InvalidateFace();
}

void TDazWatch::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    FollowTime();
    RefreshPointers();
}

void TDazWatch::SetShowAMPM(bool Value)
{
    if (Value == FShowAMPM)
        return;
    FShowAMPM = Value;
    InvalidateFace();
}

void TDazWatch::SetShowNumbers(bool Value)
{
    if (Value == FShowNumbers)
        return;
    FShowNumbers = Value;
    InvalidateFace();
}

void TDazWatch::FollowTime()
{
    const bool was = FInternalSet;
    FInternalSet = true;
    SetAMFlag(PartsOf(ShownTime()).Hour < 12);
    FInternalSet = was;
}

void TDazWatch::SetAMFlag(bool Value, std::function<void()> Then)
{
    if (Value == FAM && !Rolling()) {
        if (Then)
            Then();
        return;
    }
    if (Animation && FShowAMPM && FAppearance.AMPMColor != clNone && !FInternalSet) {
        const TRect box = GetAMPMRect();
        FRollToAM = Value;
        FRollFrame = 0;
        FRollFrames = std::max(1, box.Height() - 2);
        FAfterRoll = std::move(Then);
        FRollTimer.start();
        update();
        return;
    }
    FAM = Value;
    InvalidateFace();
    if (Then)
        Then();
}

void TDazWatch::RollTick()
{
    if (!Rolling())
        return;
    if (++FRollFrame < FRollFrames) {
        update();
        return;
    }
    FRollTimer.stop();
    FRollFrames = FRollFrame = 0;
    FAM = FRollToAM;
    InvalidateFace();
    if (auto then = std::exchange(FAfterRoll, {}))
        then();
}

// ---------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------

TRect TDazWatch::FaceRect() const
{
    const int W = width(), H = height();
    const int size = FAppearance.Size();
    const int S = size > 0 ? std::min(size, std::min(W, H)) : std::min(W, H) - 20;
    const int left = (W - S) / 2, top = (H - S) / 2;
    return TRect(left, top, left + S, top + S);
}

TPoint TDazWatch::Centre() const
{
    const TRect f = FaceRect();
    return TPoint(f.Left + (f.Right - f.Left) / 2, f.Top + (f.Bottom - f.Top) / 2);
}

int TDazWatch::Radius() const
{
    return FaceRect().Width() / 2;
}

TPoint TDazWatch::PointAt(double Angle, double Distance) const
{
    const TPoint c = Centre();
    return TPoint(c.X + int(Round(Distance * std::sin(Angle * kDegree))),
                  c.Y - int(Round(Distance * std::cos(Angle * kDegree))));
}

TPoint TDazWatch::Tail(double Angle, double Factor) const
{
    return PointAt(Angle + 180, Factor * Radius());
}

TRect TDazWatch::GetAMPMRect() const
{
    if (!FShowAMPM)
        return TRect(-1, -1, -1, -1);
    QImage device(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&device);
    canvas.Font = FAppearance.AMPMFont();
    const QSize text = MeasureText(canvas, QStringLiteral("AM"));
    const TPoint c = Centre();
    const int w = text.width() + 8, h = text.height();
    const int left = c.X - w / 2;
    const int top = c.Y + int(Round((Radius() - h) / 3.0));
    return TRect(left, top, left + w, top + h);
}

int TDazWatch::MinuteAtPos(int X, int Y) const
{
    const TPoint c = Centre();
    const int A = std::max(1, std::abs(c.Y - Y)), B = std::max(1, std::abs(c.X - X));
    const int f = int(Round(std::atan(double(A) / B) / kDegree / 6));
    int minute;
    if (X >= c.X && Y >= c.Y)
        minute = f + 15;
    else if (X <= c.X && Y >= c.Y)
        minute = 45 - f;
    else if (X <= c.X && Y <= c.Y)
        minute = f + 45;
    else
        minute = 15 - f;
    return minute >= 0 && minute <= 59 ? minute : 0;
}

int TDazWatch::HourAtPos(int X, int Y) const
{
    const int k = int(Round(MinuteAtPos(X, Y) / 5.0));
    if (k == 0 || k == 12)
        return FAM ? 0 : 12;
    return FAM ? k : k + 12;
}

// ---------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------

void TDazWatch::DrawBackground(TCanvas &Canvas)
{
    const TRect C(0, 0, width(), height());
    const TWatchShape shape = FAppearance.Shape();
    const TRect F = shape == wsCircle ? FaceRect() : C;
    if (shape != wsRect) {
        const QRectF clip(F.Left - 1, F.Top - 1, F.Width() + 3, F.Height() + 3);
        QPainterPath path;
        if (shape == wsCircle)
            path.addEllipse(clip);
        else
            path.addRoundedRect(clip, 10, 10);
        Canvas.Painter()->setClipPath(path);
    }
    const TColor from = FAppearance.BackgroundColor(), to = FAppearance.BackgroundColorTo();
    if (from != clNone && to != clNone) {
        DrawDropDownGradient(Canvas, from, to, 80, F,
                             FAppearance.BackgroundGradient() == wgRadial);
    } else if (from != clNone) {
        Canvas.Brush.Color = from;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(F);
    }
    if (FAppearance.BorderColor() != clNone && FAppearance.BorderWidth() > 0) {
        Canvas.Pen.Color = FAppearance.BorderColor();
        Canvas.Pen.Width = FAppearance.BorderWidth();
        Canvas.Brush.Style = bsClear;
        if (shape == wsCircle)
            Canvas.Ellipse(F);
        else if (shape == wsRect)
            Canvas.Rectangle(C);
        else
            Canvas.RoundRect(C.Left, C.Top, C.Right, C.Bottom, 20, 20);
    }
    Canvas.Painter()->setClipping(false);
    const QImage &picture = FAppearance.Picture().Image();
    if (!picture.isNull())
        Canvas.DrawTransparent(C.Left, C.Top, picture,
                               FromQColor(picture.pixelColor(0, picture.height() - 1)));
}

void TDazWatch::DrawTickMarks(TCanvas &Canvas)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (marks == tmNone)
        return;
    const double Ro = Radius() - FAppearance.BorderWidth() / 2;
    const double Rh = FAppearance.HourMarkLength() ? Ro - FAppearance.HourMarkLength() : Ro * 0.9;
    auto line = [&](double Angle, double From, int Dx, int Dy) {
        const TPoint a = PointAt(Angle, From), b = PointAt(Angle, Ro);
        Canvas.MoveTo(a.X + Dx, a.Y + Dy);
        Canvas.LineTo(b.X + Dx, b.Y + Dy);
    };
    Canvas.Pen.Color = FAppearance.HourColor();
    Canvas.Pen.Width = FAppearance.HourMarkWidth();
    for (int q = 0; q < 4; ++q) {
        const double angle = q * 90;
        if (FAppearance.HourMarkStyle() == hmsQuartDblLine) {
            const bool horizontal = q % 2 == 1;   // 3 and 9 o'clock
            line(angle, Rh, horizontal ? 0 : -2, horizontal ? -2 : 0);
            line(angle, Rh, horizontal ? 0 : 2, horizontal ? 2 : 0);
        } else {
            line(angle, Rh, 0, 0);
        }
    }
    if (marks == tmAll || marks == tmHours)
        for (int h = 1; h < 12; ++h)
            if (h % 3 != 0)
                line(h * 30, Rh, 0, 0);
    if (marks == tmAll) {
        const double Rm =
            FAppearance.MinuteMarkLength() ? Ro - FAppearance.MinuteMarkLength() : Ro * 0.95;
        Canvas.Pen.Color = FAppearance.MinuteColor();
        Canvas.Pen.Width = FAppearance.MinuteMarkWidth();
        for (int m = 0; m < 60; ++m)
            if (m % 5 != 0)
                line(m * 6, Rm, 0, 0);
    }
}

void TDazWatch::DrawNumbers(TCanvas &Canvas)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (!FShowNumbers || marks == tmNone)
        return;
    Canvas.Font = FAppearance.HourFont();
    Canvas.Brush.Style = bsClear;
    const TPoint c = Centre();
    const double Ro = Radius() - FAppearance.BorderWidth() / 2;
    const int m = FAppearance.HourMarkLength() ? FAppearance.HourMarkLength()
                                               : int(Round(Ro - Ro * 0.9)) + 2;
    const double Rn = Ro - 2 * m - 2;
    for (int i = 1; i <= 12; ++i) {
        if (marks == tmQuartHours && i % 3 != 0)
            continue;
        const QString text = QString::number(i);
        const QSize size = MeasureText(Canvas, text);
        const int th = size.height(), tw = size.width();
        const int d = i == 10 ? int(Round(th * 0.2)) : i == 11 ? int(Round(th * 0.15)) : 0;
        const double r = Rn - d + m / 2;
        const int X = c.X + int(Round(r * std::sin(30 * i * kDegree))) + 1;
        const int Y = c.Y - int(Round(r * std::cos(30 * i * kDegree))) + 1;
        Canvas.TextOut(X - tw / 2 - 1, Y - th / 2 - 1, text);
    }
}

void TDazWatch::DrawAMPM(TCanvas &Canvas)
{
    if (!FShowAMPM)
        return;
    TRect box = GetAMPMRect();
    const TColor fill = FAppearance.AMPMColor, border = FAppearance.AMPMBorderColor;
    if (fill != clNone || border != clNone) {
        Canvas.Brush.Color = fill;
        Canvas.Brush.Style = fill == clNone ? bsClear : bsSolid;
        Canvas.Pen.Color = border;
        Canvas.Pen.Style = border == clNone ? psClear : psSolid;
        Canvas.Pen.Width = 1;
        if (FAppearance.AMPMFrame() == apRect)
            Canvas.Rectangle(box);
        else
            Canvas.RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
        Canvas.Pen.Style = psSolid;
    }
    Canvas.Font = FAppearance.AMPMFont();
    Canvas.Brush.Style = bsClear;
    Canvas.DrawText(FAM ? QStringLiteral("AM") : QStringLiteral("PM"), box,
                    DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TDazWatch::DrawRollWindow(TCanvas &Canvas)
{
    TRect inner = GetAMPMRect();
    InflateRect(inner, -1, -1);
    const int w = inner.Width(), h = inner.Height();
    if (w <= 0 || h <= 0)
        return;
    QImage strip(w, 2 * h, QImage::Format_RGB32);
    {
        TCanvas s(&strip);
        s.Brush.Color = FAppearance.AMPMColor;
        s.Brush.Style = bsSolid;
        s.FillRect(TRect(0, 0, w, 2 * h));
        s.Font = FAppearance.AMPMFont();
        s.Brush.Style = bsClear;
        TRect upper(0, 0, w, h), lower(0, h, w, 2 * h);
        s.DrawText(QStringLiteral("AM"), upper, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        s.DrawText(QStringLiteral("PM"), lower, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    const int offset = std::clamp(FRollFrame * h / std::max(1, FRollFrames), 0, h);
    const int top = FRollToAM ? h - offset : offset;
    Canvas.Draw(inner.Left, inner.Top, strip.copy(0, top, w, h));
    TRect box = GetAMPMRect();
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = FAppearance.AMPMBorderColor;
    Canvas.Pen.Width = 1;
    if (FAppearance.AMPMFrame() == apRect)
        Canvas.Rectangle(box);
    else
        Canvas.RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
}

void TDazWatch::DrawFace(TCanvas &Canvas)
{
    DrawBackground(Canvas);
    DrawTickMarks(Canvas);
    DrawNumbers(Canvas);
    DrawAMPM(Canvas);
}

void TDazWatch::DrawPointers(TCanvas &Canvas)
{
    ++FPointerDraws;
    const bool running = FSettings.Auto();
    const TTimeParts t = PartsOf(ShownTime());
    if (running) {
        const bool was = FInternalSet;
        FInternalSet = true;
        if ((t.Hour < 12) != FAM)
            SetAMFlag(t.Hour < 12);
        FInternalSet = was;
    }
    const double R = Radius();
    const double hourAngle = 30 * (t.Hour % 12) + t.Minute / 2.0;
    const double minuteAngle = 6 * t.Minute, secondAngle = 6 * t.Second;
    const TWatchAppearance &a = FAppearance;
    auto line = [&](TColor Color, int Width, double Angle, double TailFactor, double Tip,
                    int Dx, int Dy) {
        const TPoint from = Tail(Angle, TailFactor), to = PointAt(Angle, Tip * R);
        Canvas.Pen.Color = Color;
        Canvas.Pen.Width = Width;
        Canvas.Pen.Style = psSolid;
        Canvas.MoveTo(from.X + Dx, from.Y + Dy);
        Canvas.LineTo(to.X + Dx, to.Y + Dy);
    };
    auto pointer = [&](TColor Color, double Angle, double Tip, int Dx, int Dy) {
        std::vector<TPoint> points = {Tail(Angle, 0.1), PointAt(Angle - 90, 0.05 * R),
                                      PointAt(Angle, Tip * R), PointAt(Angle + 90, 0.05 * R)};
        for (TPoint &p : points)
            p = TPoint(p.X + Dx, p.Y + Dy);
        Canvas.Pen.Color = Color;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Color = Color;
        Canvas.Brush.Style = bsSolid;
        Canvas.Polygon(points);
    };
    const TPointerStyle style = a.PointerStyle();
    if (style == psLine) {
        if (a.HourPointerShadow() != clNone)
            line(a.HourPointerShadow(), a.HourPointerSize(), hourAngle, 0.1, 0.46, -1, 3);
        if (a.MinutePointerShadow() != clNone)
            line(a.MinutePointerShadow(), a.MinutePointerSize(), minuteAngle, 0.1, 0.65, 0, 3);
        line(a.HourPointer(), a.HourPointerSize(), hourAngle, 0.1, 0.5, 0, 0);
        line(a.MinutePointer(), a.MinutePointerSize(), minuteAngle, 0.1, 0.7, 0, 0);
    } else if (style == psPointer) {
        if (a.HourPointerShadow() != clNone)
            pointer(a.HourPointerShadow(), hourAngle, 0.5, 1, 3);
        pointer(a.HourPointer(), hourAngle, 0.5, 0, 0);
        if (a.MinutePointerShadow() != clNone)
            pointer(a.MinutePointerShadow(), minuteAngle, 0.7, 1, 3);
        pointer(a.MinutePointer(), minuteAngle, 0.7, 0, 0);
    }
    if ((style == psLine || style == psPointer) && running && FSettings.Second())
        line(a.SecondPointer(), a.SecondPointerSize(), secondAngle, 0.2, 0.9, 0, 0);

    const int S = a.CenterPointSize();
    if (S <= 0)
        return;
    const TPoint c = Centre();
    auto box = [&](int Size) {
        const int left = int(Round(c.X - Size / 2.0)), top = int(Round(c.Y - Size / 2.0));
        return TRect(left, top, left + Size, top + Size);
    };
    if (a.CenterPointColor() != clNone) {
        Canvas.Pen.Color = a.CenterPointColor();
        Canvas.Pen.Width = 1;
        Canvas.Brush.Color = a.CenterPointColor();
        Canvas.Brush.Style = bsSolid;
        Canvas.Ellipse(box(S));
    }
    int W = 0;
    if (a.CenterPointOuterBorderColor() != clNone) {
        W = int(Round(S * 0.2));
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = a.CenterPointOuterBorderColor();
        Canvas.Pen.Width = W;
        Canvas.Ellipse(box(S));
    }
    if (a.CenterPointBorderColor() != clNone) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = a.CenterPointBorderColor();
        Canvas.Pen.Width = int(Round(S * 0.1));
        Canvas.Ellipse(box(S - W));
    }
}

void TDazWatch::DrawWatch(TCanvas &Canvas)
{
    DrawFace(Canvas);
    if (Rolling())
        DrawRollWindow(Canvas);
    DrawPointers(Canvas);
}

void TDazWatch::paintEvent(QPaintEvent *)
{
    if (!FCacheValid || FBKGCache.size() != size()) {
        FBKGCache = QImage(size(), QImage::Format_RGB32);
        FBKGCache.fill(palette().color(backgroundRole()));
        TCanvas cache(&FBKGCache);
        DrawFace(cache);
        FCacheValid = true;
        ++FFaceBuilds;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, FBKGCache);
    TCanvas canvas(&painter);
    if (Rolling())
        DrawRollWindow(canvas);
    DrawPointers(canvas);
}

// ---------------------------------------------------------------------------------------
// Setting the hands
// ---------------------------------------------------------------------------------------

void TDazWatch::SetTimeOfDay(int Hour, int Minute)
{
    const TTimeParts t = PartsOf(ShownTime());
    FTime = EncodeTime(Hour, Minute, t.Second, t.MSec);
    FollowTime();
    RefreshPointers();
}

void TDazWatch::SetHour(int Value)
{
    if (Value < 0 || Value > 23)
        return;   // no time has such an hour
    const TTimeParts t = PartsOf(ShownTime());
    if (Value == t.Hour)
        return;
    if (!Animation || FInternalCall) {
        if (!FInternalCall)
            FCurrentHourTo = Value;   // a direct move has arrived at once
        SetTimeOfDay(Value, t.Minute);
        if (Value == FCurrentHourTo)
            Changed();
        return;
    }
    FCurrentHourTo = Value;
    FHourAnimating = true;
    FAnimationTimer.start();
}

void TDazWatch::SetMinute(int Value)
{
    if (Value >= 60 || Value < 0)
        throw EWatchError("Invalid time");
    const TTimeParts t = PartsOf(ShownTime());
    if (Value == t.Minute)
        return;
    if (Animation && !FInternalCall) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = t.Minute;
        FAnimationTimer.start();
        return;
    }
    if (!Animation) {
        FMinuteFrom = t.Minute;
        if (!FInternalCall)
            FCurrentMinuteTo = Value;   // a direct move has arrived at once
    }
    int hour = t.Hour;
    if (Value == 0 && FMinuteFrom > 30) {
        hour = (hour + 1) % 24;
        FMinuteFrom = 0;
    }
    SetTimeOfDay(hour, Value);
    if (Value == FCurrentMinuteTo)
        Changed();
}

void TDazWatch::AnimationTick()
{
    if (!Animation) {
        FAnimationTimer.stop();
        return;
    }
    const int factor = std::max(1, AnimationFactor);
    const TTimeParts now = PartsOf(ShownTime());
    if (FHourAnimating) {
        const int c = now.Hour, t = FCurrentHourTo;
        if (c == t) {
            FAnimationTimer.stop();
            Internal([&] { SetHour(t); });
            return;
        }
        const int step = std::max(1, int(Round(std::abs(t - c) / double(factor))));
        const int next = c < t ? std::min(t, c + step) : std::max(t, c - step);
        Internal([&] { SetHour(next); });
        return;
    }
    const int c = now.Minute, t = FCurrentMinuteTo;
    if (c == t) {
        FAnimationTimer.stop();
        Internal([&] { SetMinute(t); });
        return;
    }
    const double distance = t == 0 && c > 30 ? 60 - c : std::abs(t - c);
    const int step = std::max(1, int(Round(distance / factor)));
    int next = c >= t && (t != 0 || c <= 30) ? c - step : c + step;
    if (next >= 60)
        next = 0;
    if (next < 0)
        next = 0;
    Internal([&] { SetMinute(next); });
}

void TDazWatch::WatchTick()
{
    RefreshPointers();
}

// ---------------------------------------------------------------------------------------
// Mouse and keys
// ---------------------------------------------------------------------------------------

void TDazWatch::MouseUp(int X, int Y)
{
    if (FSettings.Auto())
        return;
    const TRect f = FaceRect();
    const TPoint c = Centre();
    const double r = f.Width() / 2.0;
    const double dx = (X - c.X) / r, dy = (Y - c.Y) / r;
    if (dx * dx + dy * dy > 1) {
        SetMinute(MinuteAtPos(X, Y));
        return;
    }
    const TRect box = GetAMPMRect();
    if (X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom) {
        auto moveHour = [this] {
            const int h = PartsOf(ShownTime()).Hour;
            FCurrentHourTo = h < 12 ? h + 12 : h - 12;
            Internal([&] { SetHour(FCurrentHourTo); });
        };
        if (Animation)
            SetAMFlag(!FAM, moveHour);
        else
            moveHour();
        return;
    }
    SetHour(HourAtPos(X, Y));
}

void TDazWatch::WatchKeyDown(int Key)
{
    if (FSettings.Auto())
        return;
    const TTimeParts t = PartsOf(ShownTime());
    const int h = t.Hour, m = t.Minute;
    switch (Key) {
    case Qt::Key_A:
        if (h > 11)
            SetHour(h - 12);
        break;
    case Qt::Key_P:
        if (h < 12)
            SetHour(h + 12);
        break;
    case Qt::Key_PageUp:
        if (h == 23)
            Internal([&] { SetHour(0); });
        else
            SetHour(h + 1);
        break;
    case Qt::Key_PageDown:
        if (h == 0)
            Internal([&] { SetHour(23); });
        else
            SetHour(h - 1);
        break;
    case Qt::Key_Home:
        Internal([&] { SetHour(12); });
        break;
    case Qt::Key_Left:
        if (m == 0)
            SetTime(EncodeTime(h == 0 ? 23 : h - 1, 59, t.Second, 0));
        else
            SetMinute(m - 1);
        break;
    case Qt::Key_Right:
        SetMinute(m == 59 ? 0 : m + 1);
        break;
    case Qt::Key_End:
        SetMinute(0);
        break;
    default:
        break;
    }
}

void TDazWatch::mouseReleaseEvent(QMouseEvent *Event)
{
    const QPoint p = Event->position().toPoint();
    MouseUp(p.x(), p.y());
}

void TDazWatch::mouseMoveEvent(QMouseEvent *Event)
{
    const QPoint p = Event->position().toPoint();
    const TRect box = GetAMPMRect();
    if (!FSettings.Auto() && p.x() >= box.Left && p.x() < box.Right && p.y() >= box.Top &&
        p.y() < box.Bottom)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}
