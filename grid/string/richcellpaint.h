#pragma once
// Painting and measuring of rich-text (RTF) cells. Laid-out documents are kept in a small
// cache keyed by text, font, wrap width and colour, so repaints do not read the RTF again.
#include "grid/base/gridenums.h"
#include "platform/canvas.h"

#include <QSize>
#include <QString>

// Draws the RTF Text inside R, clipped to it, placed by the alignments; WordWrap breaks lines
// at R's width. TextColor (not clNone) replaces every character's colour, as for a selected
// cell. Text that is not RTF is not handled here: callers paint it as plain text.
void DrawRichCellText(TCanvas &Canvas, const QString &Text, const TRect &R, TAlignment HAlign,
                      TVAlignment VAlign, bool WordWrap, TColor TextColor = clNone);
// The laid-out size of the RTF Text; WrapWidth > 0 breaks lines at that width.
QSize RichCellTextSize(const QString &Text, const TFont &Font, int WrapWidth = -1);
// Empties the layout cache (tests and memory pressure).
void ClearRichCellCache();
