#pragma once
// An analogue clock: a face with marks, numerals, an AM/PM box, hands and a centre point,
// either running on the local time or showing Time, which the user sets by clicking the
// face, by keys or through the property. Hand moves can be animated step by step and the
// AM/PM box rolls from one word to the other.
//
// The face lives in a cache image so the running-mode tick and every animation step draw
// only the hands. The local time comes from Clock and the three timers call public tick
// operations, so callers (and tests) can step them without waiting.
#include "grid/base/classes.h"
#include "grid/base/styledetect.h"
#include "grid/base/textroutines.h"
#include "grid/string/bitmap.h"
#include "platform/canvas.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

// "Invalid time": a minute of 60 or more.
class EWatchError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TWatchSettings : public TPersistent
{
public:
    bool Auto() const { return FAuto; }
    void SetAuto(bool Value);
    bool Second() const { return FSeconds; }
    void SetSecond(bool Value);
    int TimeOffset() const { return FTimeOffset; }   // minutes added in running mode
    void SetTimeOffset(int Value);
    void Assign(const TPersistent *Source) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    bool FAuto = false;
    bool FSeconds = true;
    int FTimeOffset = 0;
};

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack,
    wsBlackWhite, wsGray, wsSuperNova, wsSports, wsSmooth
};

class TWatchAppearance : public TPersistent
{
public:
    TWatchAppearance();
    void ResetDefaults();
    void Assign(const TPersistent *Source) override;
    TNotifyEvent OnChange;

#define CF_WATCH_PROPERTY(Type, Name, Default)                                                \
public:                                                                                      \
    Type Name() const { return F##Name; }                                                   \
    void Set##Name(Type Value) { Store(F##Name, Value); }                                   \
                                                                                             \
private:                                                                                     \
    Type F##Name = Default;

    CF_WATCH_PROPERTY(int, Size, 0)
    CF_WATCH_PROPERTY(TColor, HourPointer, TColor(0x000000))
    CF_WATCH_PROPERTY(TColor, BackgroundColor, TColor(0xFFFFFF))
    CF_WATCH_PROPERTY(TColor, MinutePointerShadow, clBtnShadow)
    CF_WATCH_PROPERTY(TColor, BackgroundColorTo, clNone)
    CF_WATCH_PROPERTY(TColor, HourPointerShadow, clBtnShadow)
    CF_WATCH_PROPERTY(TColor, SecondPointer, TColor(0x0000FF))
    CF_WATCH_PROPERTY(TColor, BorderColor, TColor(0x000000))
    CF_WATCH_PROPERTY(TColor, MinutePointer, TColor(0x000000))
    CF_WATCH_PROPERTY(TAMPMFrame, AMPMFrame, apRect)
    CF_WATCH_PROPERTY(TWatchShape, Shape, wsCircle)
    CF_WATCH_PROPERTY(TPointerStyle, PointerStyle, psLine)
    CF_WATCH_PROPERTY(uint8_t, HourPointerSize, 4)
    CF_WATCH_PROPERTY(uint8_t, SecondPointerSize, 1)
    CF_WATCH_PROPERTY(uint8_t, MinutePointerSize, 3)
    CF_WATCH_PROPERTY(TColor, HourColor, TColor(0x000000))
    CF_WATCH_PROPERTY(TColor, MinuteColor, TColor(0x808080))
    CF_WATCH_PROPERTY(uint8_t, CenterPointSize, 4)
    CF_WATCH_PROPERTY(TColor, CenterPointColor, TColor(0x000000))
    CF_WATCH_PROPERTY(TColor, CenterPointBorderColor, clNone)
    CF_WATCH_PROPERTY(TWatchGradient, BackgroundGradient, wgVertical)
    CF_WATCH_PROPERTY(uint8_t, HourMarkLength, 0)   // 0: automatic
    CF_WATCH_PROPERTY(uint8_t, HourMarkWidth, 1)
    CF_WATCH_PROPERTY(uint8_t, MinuteMarkLength, 0)   // 0: automatic
    CF_WATCH_PROPERTY(uint8_t, MinuteMarkWidth, 1)
    CF_WATCH_PROPERTY(int, BorderWidth, 4)
    CF_WATCH_PROPERTY(TColor, CenterPointOuterBorderColor, clNone)
    CF_WATCH_PROPERTY(TTickMarks, TickMarks, tmAll)
    CF_WATCH_PROPERTY(THourMarkStyle, HourMarkStyle, hmsLine)
#undef CF_WATCH_PROPERTY

public:
    // Stored only.
    TColor SecondPointerShadow = clBtnShadow;
    TWatchBorderStyle BorderStyle = wbLine;
    int Rounding = 5;
    // Plain fields (no change report).
    TColor AMPMColor = 0xFFFFFF;
    TColor AMPMBorderColor = 0x000000;

    const TFont &HourFont() const { return FHourFont; }
    void SetHourFont(const TFont &Value);
    const TFont &AMPMFont() const { return FAMPMFont; }
    void SetAMPMFont(const TFont &Value);
    const TPicture &Picture() const { return FPicture; }
    void SetPicture(const TPicture &Value);

private:
    template <class T>
    void Store(T &Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
    void Changed();
    // Every field but the picture, without change reports.
    void CopyFields(const TWatchAppearance &Source);
    TFont FHourFont, FAMPMFont;
    TPicture FPicture;
};

// The component-style colours of the clock (the time picker applies them to its own
// appearance too).
void ApplyWatchComponentStyle(TWatchAppearance &Appearance, TQVRStyle Style);

class TDazWatch : public QWidget, public TObject, public IQVRStyle
{
public:
    explicit TDazWatch(QWidget *Parent = nullptr);
    ~TDazWatch() override;

    TWatchAppearance &Appearance() { return FAppearance; }
    void SetAppearance(const TWatchAppearance &Value) { FAppearance.Assign(&Value); }
    TWatchSettings &Settings() { return FSettings; }
    void SetSettings(const TWatchSettings &Value) { FSettings.Assign(&Value); }
    TDateTime Time() const { return FTime; }
    // Stores a different value, the AM flag following; no OnChange.
    void SetTime(TDateTime Value);
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    // Applies the preset when it differs from the current style.
    void SetStyle(TWatchStyle Value);
    void SetComponentStyle(TQVRStyle AStyle) override;
    bool Animation = true;
    int AnimationFactor = 10;   // below 1 acts as 1
    TNotifyEvent OnChange;
    // The local time; tests put their own clock here.
    std::function<TDateTime()> Clock;

    // Hours 0-23 (others are ignored); minutes 0-59, 60 and more raise "Invalid time".
    void SetHour(int Value);
    void SetMinute(int Value);
    // The keys of the open time picker (nothing in running mode).
    void WatchKeyDown(int Key);
    // A click released at (X, Y), any button.
    void MouseUp(int X, int Y);
    bool AM() const { return FAM; }

    // The shown time: Time, or the local time plus TimeOffset in running mode.
    TDateTime ShownTime() const;
    // Geometry in client coordinates.
    TRect FaceRect() const;
    TPoint Centre() const;
    int Radius() const;
    TRect GetAMPMRect() const;
    int MinuteAtPos(int X, int Y) const;
    int HourAtPos(int X, int Y) const;

    // The whole clock onto a canvas of the client size: face, then hands.
    void DrawWatch(TCanvas &Canvas);
    void DrawFace(TCanvas &Canvas);
    void DrawPointers(TCanvas &Canvas);

    // Timer steps.
    void WatchTick();        // running mode, every 100 ms
    void AnimationTick();    // a hand move, every 1 ms
    void RollTick();         // the AM/PM roll, every 10 ms
    bool Animating() const { return FAnimationTimer.isActive(); }
    // Leaves a hand where it is (no OnChange).
    void StopAnimation() { FAnimationTimer.stop(); }
    bool Rolling() const { return FRollFrames > 0; }
    int FaceBuilds() const { return FFaceBuilds; }   // cache rebuilds
    int PointerDraws() const { return FPointerDraws; }

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;

private:
    TPoint PointAt(double Angle, double Distance) const;
    TPoint Tail(double Angle, double Factor) const;
    void DrawBackground(TCanvas &Canvas);
    void DrawTickMarks(TCanvas &Canvas);
    void DrawNumbers(TCanvas &Canvas);
    void DrawAMPM(TCanvas &Canvas);
    void DrawRollWindow(TCanvas &Canvas);
    void SettingsChanged();
    void InvalidateFace();
    void RefreshPointers();
    // The AM flag: following the time (no roll), or from the user with a roll first and
    // Then after its last frame.
    void FollowTime();
    void SetAMFlag(bool Value, std::function<void()> Then = {});
    void SetTimeOfDay(int Hour, int Minute);
    void Internal(const std::function<void()> &Do);
    void Changed();

    TWatchAppearance FAppearance;
    TWatchSettings FSettings;
    TDateTime FTime = 0;
    QImage FBKGCache;
    bool FCacheValid = false;
    QTimer FWatchTimer, FAnimationTimer, FRollTimer;
    int FCurrentHourTo = 0, FCurrentMinuteTo = 0, FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true, FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    // The roll: frames done of FRollFrames, towards the word of FRollToAM.
    int FRollFrame = 0, FRollFrames = 0;
    bool FRollToAM = true;
    std::function<void()> FAfterRoll;
    int FFaceBuilds = 0, FPointerDraws = 0;
};
