#pragma once
// Parts the shell's windows share: the face colour, the title panel with the software code
// and the bottom panel with OK and Cancel.
#include "platform/color.h"

class QFrame;
class QLabel;
class QWidget;
class TLbButton;

constexpr TColor Form_Color = 15595512;        // the windows' background
constexpr TColor Button_Down_Color = 33023;

// Paints the widget's background in Form_Color and sets the windows' font.
void Set_Form_Look(QWidget *form);

// The look nearly every window gives its buttons: bsEncarta, face Form_Color, a grey frame,
// yellow while the mouse is over it, orange while pressed.
void Set_Button_Look(TLbButton *button);

// Moves the window to the middle of its screen, for its size at the time of the call.
void Centre_On_Screen(QWidget *form);

// A 69-pixel title panel holding the large software code and the subtitle.
QFrame *Create_Title_Panel(QWidget *form, QLabel *&L_SW_Code, QLabel *&L_SW_Desc);

// The bottom panel with OK and Cancel at its right.
QFrame *Create_Button_Panel(QWidget *form, TLbButton *&Btn_OK, TLbButton *&Btn_Cancel);

// The shell's small dialogs: the title panel, Label1 over one input, then OK and Cancel.
struct TDialog_Frame
{
    QLabel *&L_SW_Code;
    QLabel *&L_SW_Desc;
    QLabel *&Label1;
    TLbButton *&Btn_OK;
    TLbButton *&Btn_Cancel;
};
// input_stretch: whether the input takes the height the dialog gains when resized.
void Build_Dialog_Frame(QWidget *form, QWidget *input, bool input_stretch, const TDialog_Frame &frame);
// Caption, subtitle, label and button captions are texts first to first + 4; the hints of
// the input, OK and Cancel are texts first_hint to first_hint + 2.
void Set_Dialog_Frame_Texts(QWidget *form, QWidget *input, int first, int first_hint,
                            const TDialog_Frame &frame);
