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

// The background colour of Control's parent; clBtnFace when it has none.
TColor ParentBrushColor(const QWidget *Control);

// The left or the right mouse button is held now.
bool IsMouseButtonDown();
bool IsLeftMouseButtonDown();

// The four bytes of Version, high first, joined by "." ("1.2.0.0").
QString VersionText(uint32_t Version);
