#include "controls/dropdown/multicolumnitems.h"

#include "grid/base/imagelist.h"
#include "platform/rtl.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace DropDownList {

void TItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    ImageIndex = s->ImageIndex;
    FText.Assign(&s->FText);
}

void TLookupTexts::Clear()
{
    FTexts.clear();
    FFolded.clear();
}

void TLookupTexts::Add(const QString &Text)
{
    FTexts.push_back(Text);
    FFolded.push_back(AnsiUpperCase(Text));
}

int TLookupTexts::FindPrefix(const QString &Prefix, bool CaseSensitive) const
{
    if (Prefix.isEmpty())
        return -1;
    const QString p = CaseSensitive ? Prefix : AnsiUpperCase(Prefix);
    const std::vector<QString> &in = CaseSensitive ? FTexts : FFolded;
    for (size_t i = 0; i < in.size(); ++i)
        if (in[i].startsWith(p))
            return int(i);
    return -1;
}

int TLookupTexts::IndexOfText(const QString &Text) const
{
    const QString t = AnsiUpperCase(Text);
    const auto it = std::find(FFolded.begin(), FFolded.end(), t);
    return it == FFolded.end() ? -1 : int(it - FFolded.begin());
}

std::vector<int> FitWidths(const std::vector<int> &Widths, int Available)
{
    double total = 1;
    for (int w : Widths)
        total += w;
    const double scale = Available / total;
    std::vector<int> fitted;
    fitted.reserve(Widths.size());
    double carry = 0;
    for (int w : Widths) {
        const double exact = scale * w;
        const int rounded = int(std::nearbyint(exact));   // the default mode rounds half to even
        carry += exact - rounded;
        if (carry > 1.0) {
            fitted.push_back(rounded + 1);
            carry -= 1.0;
        } else {
            fitted.push_back(rounded);
        }
    }
    return fitted;
}

int ItemCellWidth(TCanvas &Canvas, const TFont &Font, const QString &Text, bool ImageCounts,
                  const TCustomImageList *Images)
{
    int w = 0;
    if (ImageCounts && Images)
        w += Images->Width() + 4;
    if (!Text.isEmpty()) {
        Canvas.Font = Font;
        TRect r(0, 0, 1000, 500);
        Canvas.DrawText(Text, r, DT_CALCRECT | DT_SINGLELINE);
        w += r.Right - r.Left + 6;
    }
    return w;
}

int ItemCellHeight(TCanvas &Canvas, const TFont &Font, const QString &Text, bool ImageCounts,
                   const TCustomImageList *Images, int Width)
{
    int h = 0;
    if (ImageCounts && Images)
        h = Images->Height() + 6;
    if (!Text.isEmpty()) {
        Canvas.Font = Font;
        TRect r(0, 0, Width, 500);
        Canvas.DrawText(Text, r, DT_CALCRECT | DT_WORDBREAK);
        h = std::max(h, r.Bottom - r.Top + 6);
    }
    return h;
}

namespace {

// Preset: 0 custom, 1 office 2007, 2 Vista, 3 Windows 7.
constexpr TColor K = TListStyle::kKeep;

const TListStyle kListStyles[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, 1, 0xFFFFFF, 0, 0x962D00, 0x962D00, K, K},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, 1, K, 0, 0x947C7C, 0x947C7C, K, K},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, 1, K, 0, 0x588060, 0x588060, K, K},
    {tsOffice2003Classic, 0x808080, 0x808080, 1, K, 0, 0x808080, 0x808080, K, K},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 1, 0x723708, 0, 0xFFD2AF, 0xFFD2AF, K, K},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 1, 0x433C37, 0, 0x5C534C, 0x5C534C, K, K},
    {tsWindowsXP, clBtnFace, clBtnFace, 0, 0, clHighlightText, 0xC0C0C0, 0, clHighlight, clHighlight},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, 1, 0xFFFFFF, 0, 0x962D00, 0x962D00, K, K},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 1, 0x8B4215, 0, 0x74706F, 0x74706F, K, K},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 2, 0, 0, 0xFCF2DA, 0xFCF2DA, K, K},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 3, 0, 0, 0xFBD6B8, 0xFBD6B8, K, K},
    {tsTerminal, clBtnFace, clBtnFace, 0, 0, clHighlightText, 0x808080, 0x808080, clHighlight, clHighlight},
    {tsOffice2010Blue, 0xEDDBCD, clNone, 0, 0x5B391E, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
    {tsOffice2010Silver, 0xEDE9E5, clNone, 0, 0x5B391E, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
    {tsOffice2010Black, 0x828282, clNone, 0, 0xD7D7D6, 0, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
};

}   // namespace

const TListStyle *FindListStyle(TQVRStyle Style)
{
    for (const TListStyle &s : kListStyles)
        if (s.Style == Style)
            return &s;
    return nullptr;
}

struct TMeasureCanvas::TImpl
{
    QImage Image{1, 1, QImage::Format_ARGB32_Premultiplied};
    TCanvas Canvas{&Image};
};

TMeasureCanvas::TMeasureCanvas() : FImpl(std::make_unique<TImpl>()), FCanvas(&FImpl->Canvas) {}

TMeasureCanvas::~TMeasureCanvas() = default;

}   // namespace DropDownList
