#pragma once
// The indicators of progress cells: a percentage bar with its text in two colour pairs, a
// bar growing both ways from the middle for signed values, a pie and a level bar. They
// draw on the caller's canvas and keep no state.
#include "platform/canvas.h"

#include <QString>

// The look of a level bar, filled by the string grid from its progress settings.
struct TProgressLevelLook
{
    TColor Level0Color = 0, Level0ColorTo = clNone;
    TColor Level1Color = 0, Level1ColorTo = clNone;
    TColor Level2Color = 0, Level2ColorTo = clNone;
    TColor Level3Color = 0, Level3ColorTo = clNone;
    int Level1Perc = 0;
    int Level2Perc = 0;
    TColor BorderColor = 0;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = false;
    TFont Font;
    TColor FontColor = 0;
    bool CompletionSmooth = false;
    bool ShowGradient = false;
    int Steps = 0;
    TColor BackColor = 0;
    bool Vertical = false;
};

// Format: empty shows Round(Value) + "%" and takes Value as the percentage; otherwise the
// text is Format applied to Round(Value) (when it holds "d" or "u") or to Value, and the
// percentage is Value's place between Min and Max. FlipY is for canvases whose vertical
// axis points up.
void DrawPercentProgressBar(TCanvas &Canvas, TRect R, TColor CompleteColor,
                            TColor CompleteFontColor, TColor UnCompleteColor,
                            TColor UnCompleteFontColor, double Value, int MarginX, int MarginY,
                            double Min, double Max, const QString &Format, TColor BorderColor,
                            bool FlipY);

// ShowValue has no visible effect: the bar carries no text.
void DrawCenteredProgressBar(TCanvas &Canvas, TRect R, int Value, int Max, TColor PositiveColor,
                             TColor NegativeColor, bool ShowValue);

void DrawProgressPie(TCanvas &Canvas, const TRect &R, TColor FillColor, int Percent, bool FlipY);

void DrawLevelProgressBar(TCanvas &Canvas, const TRect &R, int Percent, const TProgressLevelLook &Look);
