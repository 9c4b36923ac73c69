#include "platform/colornames.h"

#include "platform/rtl.h"

#include <iterator>

namespace {

struct TColorName {
    TColor Value;
    const char *Name;
};

// The plain colours first, so a value that two names share is written with the first.
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"},
    {clOlive, "clOlive"}, {clNavy, "clNavy"}, {clPurple, "clPurple"},
    {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"},
    {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"}, {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}   // namespace

QString ColorToString(TColor Color)
{
    for (const TColorName &n : ColorNames)
        if (n.Value == Color)
            return QString::fromLatin1(n.Name);
    return QLatin1Char('$') + IntToHex(uint32_t(Color), 8);
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
    for (const TColorName &n : ColorNames)
        if (Ident.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0) {
            Color = n.Value;
            return true;
        }
    return false;
}

TColor StringToColor(const QString &Text)
{
    TColor c;
    if (IdentToColor(Text, c))
        return c;
    // "$FF000005" (a system colour) does not fit a signed int: read it as 64 bits.
    const int64_t v = StrToInt64(Text);
    if (v < INT32_MIN || v > int64_t(UINT32_MAX))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text).toStdString());
    return TColor(uint32_t(v));
}
