#pragma once
// Look and drag settings the grid's painting and drag handling read: the background
// picture or gradient, scrolling while something is dragged over the grid, and the colours
// and levels of progress-bar cells.
#include "grid/base/classes.h"
#include "grid/base/gridsettings.h"
#include "grid/string/bitmap.h"
#include "platform/color.h"

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// The picture or gradient behind the cells. Every setter stores and fires OnChange (the
// grid repaints), changed or not.
class TBackGround : public TPersistent
{
public:
    TBackGround();
    TBackGround(const TBackGround &) = delete;
    TBackGround &operator=(const TBackGround &) = delete;

    int Top() const { return FTop; }
    void SetTop(int Value) { Set(FTop, Value); }
    int Left() const { return FLeft; }
    void SetLeft(int Value) { Set(FLeft, Value); }
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value) { Set(FDisplay, Value); }
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value) { Set(FCells, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Set(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { Set(FColorTo, Value); }
    TBitmap &Bitmap() { return FBitmap; }
    const TBitmap &Bitmap() const { return FBitmap; }
    void SetBitmap(const TBitmap &Value) { FBitmap.Assign(&Value); }   // copies

    // Copies every setting, then notifies once.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

private:
    template <class T>
    void Set(T &Field, T Value)
    {
        Field = Value;
        Changed();
    }
    void Changed();

    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBitmap FBitmap;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
    bool FAssigning = false;
};

// Milliseconds before the first scroll step and between the following ones.
class TDragScrollDelays : public TPersistent
{
public:
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(int, InitialDelay, 1000)
    CF_GRID_PLAIN_PROPERTY(int, RepeatDelay, 250)
};

// Pixels from each edge within which a drag scrolls the grid.
class TDragScrollMargins : public TPersistent
{
public:
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(int, TopMargin, 50)
    CF_GRID_PLAIN_PROPERTY(int, BottomMargin, 50)
    CF_GRID_PLAIN_PROPERTY(int, LeftMargin, 50)
    CF_GRID_PLAIN_PROPERTY(int, RightMargin, 50)
};

enum TDragScrollDirections { dsdUp, dsdDown, dsdLeft, dsdRight };

class TDragScrollOptions : public TPersistent
{
public:
    TDragScrollDelays &Delays() { return FDelays; }
    const TDragScrollDelays &Delays() const { return FDelays; }
    TDragScrollMargins &Margins() { return FMargins; }
    const TDragScrollMargins &Margins() const { return FMargins; }

    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, Active, false)

private:
    TDragScrollDelays FDelays;
    TDragScrollMargins FMargins;
};

enum TProgressStyle { psXP, psClassic };

// Colours and levels of progress-bar cells (defaults in TValues). A setter fires OnChange
// (the grid repaints) only when the value changes; Assign fires it once.
class TGridProgressAppearance : public TPersistent
{
public:
    void Assign(const TPersistent *Source) override;
    void Changed();

    TNotifyEvent OnChange;

#define CF_PROGRESS_PROPERTY(Type, Name)                                                     \
public:                                                                                     \
    Type Name() const { return FValues.Name; }                                              \
    void Set##Name(Type Value)                                                              \
    {                                                                                       \
        if (FValues.Name == Value)                                                          \
            return;                                                                         \
        FValues.Name = Value;                                                               \
        Changed();                                                                          \
    }

    CF_PROGRESS_PROPERTY(TColor, CompleteColor)
    CF_PROGRESS_PROPERTY(TColor, CompleteFontColor)
    CF_PROGRESS_PROPERTY(TColor, UnCompleteColor)
    CF_PROGRESS_PROPERTY(TColor, UnCompleteFontColor)
    CF_PROGRESS_PROPERTY(TColor, Level0Color)
    CF_PROGRESS_PROPERTY(TColor, Level0ColorTo)
    CF_PROGRESS_PROPERTY(TColor, Level1Color)
    CF_PROGRESS_PROPERTY(TColor, Level1ColorTo)
    CF_PROGRESS_PROPERTY(TColor, Level2Color)
    CF_PROGRESS_PROPERTY(TColor, Level2ColorTo)
    CF_PROGRESS_PROPERTY(TColor, Level3Color)
    CF_PROGRESS_PROPERTY(TColor, Level3ColorTo)
    CF_PROGRESS_PROPERTY(int, Level1Perc)
    CF_PROGRESS_PROPERTY(int, Level2Perc)
    CF_PROGRESS_PROPERTY(TColor, BorderColor)
    CF_PROGRESS_PROPERTY(bool, ShowBorder)
    CF_PROGRESS_PROPERTY(bool, Stacked)
    CF_PROGRESS_PROPERTY(bool, ShowPercentage)
    CF_PROGRESS_PROPERTY(bool, CompletionSmooth)
    CF_PROGRESS_PROPERTY(bool, ShowGradient)
    CF_PROGRESS_PROPERTY(int, Steps)
    CF_PROGRESS_PROPERTY(TProgressStyle, Style)
#undef CF_PROGRESS_PROPERTY

private:
    struct TValues
    {
        TColor CompleteColor = clRed;
        TColor CompleteFontColor = clBlue;
        TColor UnCompleteColor = clNone;
        TColor UnCompleteFontColor = clWindowText;
        TColor Level0Color = clLime;
        TColor Level0ColorTo = 0xE1FFE1;
        TColor Level1Color = clYellow;
        TColor Level1ColorTo = 0xCAFFFF;
        TColor Level2Color = 0x53A9FF;
        TColor Level2ColorTo = 0xA8D3FF;
        TColor Level3Color = clRed;
        TColor Level3ColorTo = 0xCACAFF;
        int Level1Perc = 70;
        int Level2Perc = 90;
        TColor BorderColor = clBlack;
        bool ShowBorder = false;
        bool Stacked = false;
        bool ShowPercentage = true;
        bool CompletionSmooth = true;
        bool ShowGradient = true;
        int Steps = 11;
        TProgressStyle Style = psXP;
    };
    TValues FValues;
};
