// The clock's twelve style presets and its colours for the suite's component styles.
#include "controls/dropdown/clockface.h"

#include "platform/rtl.h"

namespace {

constexpr int kKeep = -1;

// The font with the named face and, where given, size, style and colour.
TFont Font(const TFont &Base, const char *Name, int Size = kKeep, int Style = kKeep,
           TColor Color = clNone)
{
    TFont f = Base;
    f.Name = QString::fromLatin1(Name);
    if (Size != kKeep)
        f.Size = Size;
    if (Style != kKeep)
        f.Style = TFontStyles(Style);
    if (Color != clNone)
        f.Color = Color;
    return f;
}

constexpr int Regular = 0, Bold = int(fsBold);

}   // namespace

void TDazWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    TWatchAppearance &a = FAppearance;
    a.ResetDefaults();
    const int side = std::min(width(), height());
    switch (Value) {
    case wsClassic:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", kKeep, Regular));
        a.SetHourFont(Font(a.HourFont(), "Comic Sans MS", 10, Bold));
        a.SetHourMarkLength(8);
        a.SetHourPointer(0x000000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        Animation = true;
        AnimationFactor = 10;
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsTower:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", kKeep, Regular));
        a.SetAMPMFrame(apRect);
        a.SetBorderWidth(1);
        a.SetBackgroundColor(0xB1F0FE);
        a.SetBackgroundColorTo(0x5BCCE8);
        a.SetBackgroundGradient(wgDiagonalForward);
        a.SetCenterPointColor(0x002BD5);
        a.SetCenterPointSize(6);
        a.SetHourFont(Font(a.HourFont(), "Century", kKeep, Bold, clWindowText));
        a.SetHourPointer(0x000000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetSecondPointer(0x002BD5);
        a.SetShape(wsRect);
        a.SetPointerStyle(psPointer);
        a.AMPMColor = 0xB1F0FE;
        SetShowNumbers(false);
        a.SetTickMarks(tmHours);
        break;
    case wsFluorescent:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", 10, Regular, clWindowText));
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(0xFF3E3E);
        a.SetBackgroundColor(0x000000);
        a.SetBackgroundColorTo(0x000000);
        a.SetCenterPointColor(0xFF3E3E);
        a.SetCenterPointBorderColor(0x000000);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointSize(20);
        a.SetHourFont(Font(a.HourFont(), "MS Sans Serif", 8, Regular, clWindowText));
        a.SetHourColor(0xFF3E3E);
        a.SetHourMarkLength(10);
        a.SetHourMarkWidth(2);
        a.SetHourMarkStyle(hmsQuartDblLine);
        a.SetHourPointer(0xFF3E3E);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0xFF3E3E);
        a.SetMinutePointer(0xFF3E3E);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinutePointerSize(2);
        a.SetShape(wsRoundRect);
        a.SetTickMarks(tmHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsEmerald:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", kKeep, Regular, 0xA00000));
        a.SetAMPMFrame(apRoundRect);
        a.AMPMColor = clNone;
        a.SetBorderColor(0x3AE800);
        a.SetBackgroundColor(0x3AE800);
        a.SetBackgroundColorTo(0x000000);
        a.SetBackgroundGradient(wgDiagonalForward);
        a.SetCenterPointBorderColor(0x40FF00);
        a.SetCenterPointColor(0x38E100);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointSize(16);
        a.SetHourFont(Font(a.HourFont(), "MS Sans Serif", kKeep, Regular, 0x3AE800));
        a.SetHourColor(0x3AE800);
        a.SetHourMarkStyle(hmsQuartDblLine);
        a.SetHourPointer(0x40FF00);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0x40FF00);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetSecondPointer(0x00FFFF);
        a.SetShape(wsRect);
        a.SetPointerStyle(psPointer);
        a.SetTickMarks(tmHours);
        SetShowNumbers(false);
        SetShowAMPM(false);
        break;
    case wsBlueStar:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", 10, Regular, 0xA00000));
        a.AMPMBorderColor = clNone;
        a.AMPMColor = clNone;
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(0xFFD5D5);
        a.SetBackgroundColor(0xFFD5D5);
        a.SetBackgroundColorTo(0xA00000);
        a.SetBackgroundGradient(wgRadial);
        a.SetHourFont(Font(a.HourFont(), "MS Sans Serif", 8, Regular, 0xFFD5D5));
        a.SetHourPointer(0xA00000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0xA00000);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(wsRoundRect);
        a.SetPointerStyle(psPointer);
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsFuchsia:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", 10, Regular, clWindowText));
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(0xFFD0FF);
        a.SetBackgroundColor(0x000000);
        a.SetBackgroundColorTo(0x000000);
        a.SetCenterPointBorderColor(0xDD68DD);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointSize(20);
        a.SetHourFont(Font(a.HourFont(), "MS Sans Serif", 8, Regular, clWindowText));
        a.SetHourColor(0xFFD0FF);
        a.SetHourMarkLength(10);
        a.SetHourMarkWidth(2);
        a.SetHourMarkStyle(hmsQuartDblLine);
        a.SetHourPointer(0xFFD0FF);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0xFFD0FF);
        a.SetMinutePointer(0xFFD0FF);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinutePointerSize(2);
        a.SetSecondPointer(0xDD68DD);
        a.SetShape(wsRect);
        a.SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsBlack:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", kKeep, Regular));
        a.SetBackgroundColor(0x202020);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0x000000);
        a.SetCenterPointBorderColor(0xFFFFFF);
        a.SetCenterPointOuterBorderColor(0xFFFFFF);
        a.SetCenterPointColor(0xFFFFFF);
        a.SetHourColor(0x585858);
        a.SetHourFont(Font(a.HourFont(), "Century Gothic", 11, kKeep, 0xFFFFFF));
        a.SetHourPointer(0xFFFFFF);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinuteColor(0x585858);
        a.SetMinutePointer(0xFFFFFF);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsBlackWhite:
        a.SetBackgroundColor(0xFFFFFF);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0x000000);
        a.SetBorderWidth(8);
        a.SetCenterPointBorderColor(0x000000);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointColor(0x000000);
        a.SetCenterPointSize(8);
        a.SetHourColor(0x585858);
        a.SetHourFont(Font(a.HourFont(), "Century Gothic", 14, Bold, 0x000000));
        a.SetHourPointer(0x000000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0x000000);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        a.SetSecondPointer(0x000080);
        a.SetPointerStyle(psPointer);
        a.SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsGray:
        a.SetAMPMFont(Font(a.AMPMFont(), "MS Sans Serif", 10));
        a.SetBackgroundColor(0xD1D1D1);
        a.SetBackgroundColorTo(0x6C6C6C);
        a.SetBackgroundGradient(wgRadial);
        a.SetBorderColor(0x454545);
        a.SetCenterPointBorderColor(0x454545);
        a.SetCenterPointColor(0x000000);
        a.SetCenterPointOuterBorderColor(clNone);
        a.SetHourColor(0x000000);
        a.SetHourFont(Font(a.HourFont(), "Comic Sans MS", 8, Regular));
        a.SetHourPointer(0x4E4E4E);
        a.SetHourPointerShadow(clNone);
        a.SetHourPointerSize(1);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x4E4E4E);
        a.SetMinutePointerShadow(clNone);
        a.SetMinutePointerSize(1);
        a.SetSecondPointer(0x0000FF);
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsSuperNova:
        a.SetBackgroundColorTo(0xD1D3D3);
        a.SetBorderColor(clNone);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointSize(10);
        a.SetHourMarkLength(uint8_t(Round(side / 4.5)));
        a.SetHourPointer(0x000000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinuteColor(0x808080);
        a.SetMinuteMarkLength(uint8_t(side / 3));
        a.SetMinutePointer(0x000000);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsSports:
        a.SetBackgroundColor(0x000000);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0x000000);
        a.SetBorderWidth(1);
        a.SetCenterPointBorderColor(0xFF0000);
        a.SetCenterPointOuterBorderColor(0x000000);
        a.SetCenterPointColor(0x191919);
        a.SetCenterPointSize(uint8_t(Round(side / 3.6)));
        a.SetHourColor(0xABB0B1);
        a.SetHourFont(Font(a.HourFont(), "Times New Roman", 9, kKeep, 0x797979));
        a.SetHourPointer(0x0000FF);
        a.SetHourPointerShadow(clNone);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x00FFFF);
        a.SetMinutePointerShadow(clNone);
        a.SetMinutePointerSize(2);
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(0x188BFE);
        a.SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsSmooth:
        a.SetBackgroundColor(0xFFFFFF);
        a.SetBackgroundColorTo(0xABB0B1);
        a.SetBorderColor(0x585858);
        a.SetBorderWidth(1);
        a.SetCenterPointBorderColor(0x000000);
        a.SetCenterPointOuterBorderColor(0x4A4A4A);
        a.SetCenterPointColor(0xFFFFFF);
        a.SetCenterPointSize(6);
        a.SetHourColor(0xABB0B1);
        a.SetHourFont(Font(a.HourFont(), "Times New Roman", 9, kKeep, 0x797979));
        a.SetHourPointer(0x4A4A4A);
        a.SetHourPointerShadow(0xB2B2B2);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x4A4A4A);
        a.SetMinutePointerShadow(0xB2B2B2);
        a.SetMinutePointerSize(2);
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(0x4A4A4A);
        a.SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    }
    InvalidateFace();
}

void ApplyWatchComponentStyle(TWatchAppearance &A, TQVRStyle Style)
{
    A.SetCenterPointOuterBorderColor(0x000000);
    TFont hour = A.HourFont(), ampm = A.AMPMFont();
    hour.Color = ampm.Color = 0x000000;
    A.SetHourFont(hour);
    A.SetAMPMFont(ampm);
    if (Style == tsCustom)
        return;
    struct TRow
    {
        TQVRStyle Style;
        TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Marks,
            Shadows, Second;
    };
    static const TRow rows[] = {
        {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759,
         0xD68759, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5,
         0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF,
         0x82C0AF, 0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080,
         0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3,
         0x723708, 0xFFFFFF, 0x723708},
        {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3,
         0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
        {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000,
         0x000000, 0xFFFFFF, 0x000000},
        {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898,
         0x7E9898, 0xFFFFFF, 0x7E9898},
        {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB,
         0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
        {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A,
         0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
        {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8,
         0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
        {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080,
         0x808080, 0xFFFFFF, 0x808080},
        {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F,
         0xC7B29F, 0xFFFFFF, 0xC7B29F},
        {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8,
         0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
        {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D,
         0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
    };
    for (const TRow &r : rows) {
        if (r.Style != Style)
            continue;
        A.AMPMBorderColor = r.AMPMBorder;
        A.AMPMColor = r.AMPM;
        A.SetBackgroundColor(r.Background);
        A.SetBackgroundColorTo(r.BackgroundTo);
        A.SetBorderColor(r.Border);
        A.SetCenterPointBorderColor(r.CenterBorder);
        A.SetCenterPointColor(r.Center);
        A.SetHourColor(r.Marks);
        A.SetMinuteColor(r.Marks);
        A.SetHourPointer(r.Marks);
        A.SetMinutePointer(r.Marks);
        A.SetHourPointerShadow(r.Shadows);
        A.SetMinutePointerShadow(r.Shadows);
        A.SetSecondPointer(r.Second);
        break;
    }
    if (Style == tsOffice2007Obsidian) {
        hour.Color = ampm.Color = 0xF2F1F0;
        A.SetHourFont(hour);
        A.SetAMPMFont(ampm);
    }
}

void TDazWatch::SetComponentStyle(TQVRStyle AStyle)
{
    ApplyWatchComponentStyle(FAppearance, AStyle);
}
