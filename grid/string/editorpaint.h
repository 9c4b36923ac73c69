#pragma once
// Small drawing and state helpers shared by the in-place editor controls: the 3-D edges of
// the platform's classic controls, one-colour frames, the colour a control shows through
// from its parent, and the version text of a control.
#include "platform/canvas.h"

#include <QString>
#include <cstdint>

class QWidget;

// DrawEdge edges and sides, with the values of the Windows call.
constexpr unsigned BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4,
                   BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
                   EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8,
                   BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM, BF_MIDDLE = 0x800,
                   BF_FLAT = 0x4000, BF_ADJUST = 0x2000;

// The classic 3-D edge: each edge bit draws a one-pixel ring (outer first), in the system
// colours of raised or sunken borders; BF_FLAT draws the rings in the shadow colour instead,
// BF_MIDDLE fills what is inside with the button face, BF_ADJUST leaves R as that inside.
void DrawEdge(TCanvas &Canvas, TRect &R, unsigned Edge, unsigned Flags);

// A one-pixel frame in Color (nothing for clNone).
void FrameRectColor(TCanvas &Canvas, const TRect &R, TColor Color);

// The outline (0, Height) - (0, 0) - (Width - 1, 0) - (Width - 1, Height - 1) -
// (0, Height - 1) drawn with the pen.
void DrawOutline(TCanvas &Canvas, int Width, int Height);

// Takes R out of the canvas's clip (the device's bounds when it has none).
void ExcludeClipRect(TCanvas &Canvas, const TRect &R);

// What the flat border of a control with a drop-down button depends on.
struct TFlatBorderLook
{
    bool Enabled = true;
    bool Themed = false;           // the common controls draw themes
    bool DisabledBorder = false;   // keep the normal border while disabled
    bool Focused = false;
    bool Hot = false;              // the sunken border of a hovered or focused control
    TColor BorderColor = clNone;
    TColor FocusBorderColor = clNone;
    TColor ParentColor = clBtnFace;
    TColor ControlColor = clWindow;
    int ButtonWidth = 0;
};

// The frames of the flat look round R: the themed disabled frame, BorderColor,
// FocusBorderColor while focused, or the two-colour (or sunken, when hot) frames that
// blend the control into its parent. Answers true for the last kind, with Inner the
// rectangle inside the frames.
bool DrawFlatBorders(TCanvas &Canvas, TRect R, const TFlatBorderLook &Look, TRect &Inner);

// The ring round the drop-down button at the right end of a Width x Height control: while
// Active a raised edge (flat while Dropped) when RaisedWhenActive, else nothing; otherwise
// the button face. The inside of the button is kept.
void DrawFlatButtonFace(TCanvas &Canvas, int Width, int Height, int ButtonWidth, bool Active,
                        bool RaisedWhenActive, bool Dropped);

// The theme state of a drop-down button: 4 disabled, 3 pressed while dropped, 2 hovered,
// else 1.
int DropButtonThemeState(bool Enabled, bool MouseDown, bool Dropped, bool Hover);

// The platform's drop-down button in R: the themed part when Themed, else the frame
// control (in FrameRect).
void DrawStandardDropButton(TCanvas &Canvas, QWidget *Window, const TRect &R, const TRect &FrameRect,
                            bool Themed, int ThemeState, bool Enabled);

// A drop-down button in custom colours: Fill in Face, a line in Border from (LineX, Fill's
// top) to (LineX, Fill's bottom), and a triangle in Arrow hanging from (ArrowX, ArrowY),
// six pixels wide and three high. clNone leaves a part out.
void DrawCustomDropButton(TCanvas &Canvas, const TRect &Fill, int LineX, TColor Face,
                          TColor Border, TColor Arrow, int ArrowX, int ArrowY);

// The mouse over a control with a drop-down button at its right end. Each step answers
// whether the look changed.
struct TDropButtonHover
{
    bool MouseInControl = false;
    bool ButtonHover = false;

    bool Enter(bool Enabled)
    {
        if (!Enabled || MouseInControl)
            return false;
        MouseInControl = true;
        return true;
    }
    bool Leave()
    {
        const bool was = MouseInControl || ButtonHover;
        MouseInControl = ButtonHover = false;
        return was;
    }
    bool Move(int X, int Width, int ButtonWidth)
    {
        const bool hover = Width - ButtonWidth < X && X < Width;
        if (hover == ButtonHover)
            return false;
        ButtonHover = hover;
        return true;
    }
};

// The background colour of Control's parent; clBtnFace when it has none.
TColor ParentBrushColor(const QWidget *Control);

// The left or the right mouse button is held now.
bool IsMouseButtonDown();
bool IsLeftMouseButtonDown();

// The four bytes of Version, high first, joined by "." ("1.2.0.0").
QString VersionText(uint32_t Version);
