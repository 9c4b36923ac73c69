#pragma once
// The look of the controls embedded in mark-up texts (CONTROL tags). The renderer draws the
// boxes and texts itself and asks a painter for the platform parts; a grid may supply its
// own painter, the default one draws with the application's widget style.
#include "platform/canvas.h"

class QWidget;

enum class THtmlControlPart { ComboButton, CheckBox, RadioButton, PushButton };

struct THtmlControlState
{
    bool Checked = false;
    bool Hot = false;
    bool Pressed = false;
};

class THtmlControlPainter
{
public:
    virtual ~THtmlControlPainter() = default;
    // Styled parts go with the lighter frame colour of edit boxes.
    virtual bool Themed() const = 0;
    virtual void DrawPart(TCanvas &canvas, THtmlControlPart part, const TRect &r,
                          const THtmlControlState &state, const QWidget *themeWindow) = 0;
};

// The painter used when a call names none: QStyle primitives of the theme window's style
// (the application's style without one).
THtmlControlPainter &DefaultHtmlControlPainter();
