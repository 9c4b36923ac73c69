// The colour picker: its colours, choosers, keys, wheel and the edit's colour display.
#include "controls/dropdown/colorpicker.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownpanels.h"

#include <QKeyEvent>

// ---------------------------------------------------------------------------------------
// Colour names
// ---------------------------------------------------------------------------------------

namespace {

struct TWebColor
{
    TColor Color;   // 0xBBGGRR
    const char *Name;
};

// The web colour keywords; a value shared by two names answers with the first.
constexpr TWebColor kWebColors[] = {
    {0xFFF8F0, "AliceBlue"},
    {0xD7EBFA, "AntiqueWhite"},
    {0xFFFF00, "Aqua"},
    {0xD4FF7F, "Aquamarine"},
    {0xFFFFF0, "Azure"},
    {0xDCF5F5, "Beige"},
    {0xC4E4FF, "Bisque"},
    {0x000000, "Black"},
    {0xCDEBFF, "BlanchedAlmond"},
    {0xFF0000, "Blue"},
    {0xE22B8A, "BlueViolet"},
    {0x2A2AA5, "Brown"},
    {0x87B8DE, "BurlyWood"},
    {0xA09E5F, "CadetBlue"},
    {0x00FF7F, "Chartreuse"},
    {0x1E69D2, "Chocolate"},
    {0x507FFF, "Coral"},
    {0xED9564, "CornflowerBlue"},
    {0xDCF8FF, "Cornsilk"},
    {0x3C14DC, "Crimson"},
    {0xFFFF00, "Cyan"},
    {0x8B0000, "DarkBlue"},
    {0x8B8B00, "DarkCyan"},
    {0x0B86B8, "DarkGoldenRod"},
    {0xA9A9A9, "DarkGray"},
    {0x006400, "DarkGreen"},
    {0x6BB7BD, "DarkKhaki"},
    {0x8B008B, "DarkMagenta"},
    {0x2F6B55, "DarkOliveGreen"},
    {0x008CFF, "DarkOrange"},
    {0xCC3299, "DarkOrchid"},
    {0x00008B, "DarkRed"},
    {0x7A96E9, "DarkSalmon"},
    {0x8FBC8F, "DarkSeaGreen"},
    {0x8B3D48, "DarkSlateBlue"},
    {0x4F4F2F, "DarkSlateGray"},
    {0xD1CE00, "DarkTurquoise"},
    {0xD30094, "DarkViolet"},
    {0x9314FF, "DeepPink"},
    {0xFFBF00, "DeepSkyBlue"},
    {0x696969, "DimGray"},
    {0xFF901E, "DodgerBlue"},
    {0x2222B2, "FireBrick"},
    {0xF0FAFF, "FloralWhite"},
    {0x228B22, "ForestGreen"},
    {0xFF00FF, "Fuchsia"},
    {0xDCDCDC, "Gainsboro"},
    {0xFFF8F8, "GhostWhite"},
    {0x00D7FF, "Gold"},
    {0x20A5DA, "GoldenRod"},
    {0x808080, "Gray"},
    {0x008000, "Green"},
    {0x2FFFAD, "GreenYellow"},
    {0xF0FFF0, "HoneyDew"},
    {0xB469FF, "HotPink"},
    {0x5C5CCD, "IndianRed"},
    {0x82004B, "Indigo"},
    {0xF0FFFF, "Ivory"},
    {0x8CE6F0, "Khaki"},
    {0xFAE6E6, "Lavender"},
    {0xF5F0FF, "LavenderBlush"},
    {0x00FC7C, "LawnGreen"},
    {0xCDFAFF, "LemonChiffon"},
    {0xE6D8AD, "LightBlue"},
    {0x8080F0, "LightCoral"},
    {0xFFFFE0, "LightCyan"},
    {0xD2FAFA, "LightGoldenRodYellow"},
    {0xD3D3D3, "LightGray"},
    {0x90EE90, "LightGreen"},
    {0xC1B6FF, "LightPink"},
    {0x7AA0FF, "LightSalmon"},
    {0xAAB220, "LightSeaGreen"},
    {0xFACE87, "LightSkyBlue"},
    {0x998877, "LightSlateGray"},
    {0xDEC4B0, "LightSteelBlue"},
    {0xE0FFFF, "LightYellow"},
    {0x00FF00, "Lime"},
    {0x32CD32, "LimeGreen"},
    {0xE6F0FA, "Linen"},
    {0xFF00FF, "Magenta"},
    {0x000080, "Maroon"},
    {0xAACD66, "MediumAquaMarine"},
    {0xCD0000, "MediumBlue"},
    {0xD355BA, "MediumOrchid"},
    {0xDB7093, "MediumPurple"},
    {0x71B33C, "MediumSeaGreen"},
    {0xEE687B, "MediumSlateBlue"},
    {0x9AFA00, "MediumSpringGreen"},
    {0xCCD148, "MediumTurquoise"},
    {0x8515C7, "MediumVioletRed"},
    {0x701919, "MidnightBlue"},
    {0xFAFFF5, "MintCream"},
    {0xE1E4FF, "MistyRose"},
    {0xB5E4FF, "Moccasin"},
    {0xADDEFF, "NavajoWhite"},
    {0x800000, "Navy"},
    {0xE6F5FD, "OldLace"},
    {0x008080, "Olive"},
    {0x238E6B, "OliveDrab"},
    {0x00A5FF, "Orange"},
    {0x0045FF, "OrangeRed"},
    {0xD670DA, "Orchid"},
    {0xAAE8EE, "PaleGoldenRod"},
    {0x98FB98, "PaleGreen"},
    {0xEEEEAF, "PaleTurquoise"},
    {0x9370DB, "PaleVioletRed"},
    {0xD5EFFF, "PapayaWhip"},
    {0xB9DAFF, "PeachPuff"},
    {0x3F85CD, "Peru"},
    {0xCBC0FF, "Pink"},
    {0xDDA0DD, "Plum"},
    {0xE6E0B0, "PowderBlue"},
    {0x800080, "Purple"},
    {0x0000FF, "Red"},
    {0x8F8FBC, "RosyBrown"},
    {0xE16941, "RoyalBlue"},
    {0x13458B, "SaddleBrown"},
    {0x7280FA, "Salmon"},
    {0x60A4F4, "SandyBrown"},
    {0x578B2E, "SeaGreen"},
    {0xEEF5FF, "SeaShell"},
    {0x2D52A0, "Sienna"},
    {0xC0C0C0, "Silver"},
    {0xEBCE87, "SkyBlue"},
    {0xCD5A6A, "SlateBlue"},
    {0x908070, "SlateGray"},
    {0xFAFAFF, "Snow"},
    {0x7FFF00, "SpringGreen"},
    {0xB48246, "SteelBlue"},
    {0x8CB4D2, "Tan"},
    {0x808000, "Teal"},
    {0xD8BFD8, "Thistle"},
    {0x4763FF, "Tomato"},
    {0xD0E040, "Turquoise"},
    {0xEE82EE, "Violet"},
    {0xB3DEF5, "Wheat"},
    {0xFFFFFF, "White"},
    {0xF5F5F5, "WhiteSmoke"},
    {0x00FFFF, "Yellow"},
    {0x32CD9A, "YellowGreen"},};

QString HtmlColor(TColor Rgb)
{
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(Rgb), 2, 16, QChar(u'0'))
        .arg(GetGValue(Rgb), 2, 16, QChar(u'0'))
        .arg(GetBValue(Rgb), 2, 16, QChar(u'0'))
        .toUpper();
}

struct TDefaultColor
{
    const char *Caption;
    TColor Color;
};

constexpr TDefaultColor kDefaultColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},   {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
};

}   // namespace

QString ColorToWebColorName(TColor Color)
{
    const TColor rgb = ColorToRGB(Color) & 0xFFFFFF;
    for (const TWebColor &w : kWebColors)
        if (w.Color == rgb)
            return QStringLiteral("clWeb") + QLatin1String(w.Name);
    return HtmlColor(rgb);
}

// ---------------------------------------------------------------------------------------
// Colour items
// ---------------------------------------------------------------------------------------

void TColorItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TColorItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
    Hint = s->Hint;
}

// ---------------------------------------------------------------------------------------
// The picker
// ---------------------------------------------------------------------------------------

TDazColorPickerDropDown::TDazColorPickerDropDown(QWidget *Parent)
    : TDazSelectorDropDown(Parent), FColors(std::make_unique<TColorItems>())
{
    FColors->OnChange = [](TObject *) {};   // edited items show at the next opening
    InitializeDropDown();
    // Made after the construction's style preset, which therefore does not reach it.
    FItemAppearance = std::make_unique<TItemAppearance>();
    SetEditorEnabled(false);
    DropDownEnabled = true;
    SetDropDownHeight(200);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    setCursor(Qt::ArrowCursor);
}

TDazColorPickerDropDown::~TDazColorPickerDropDown()
{
    delete FColorSelector;
    delete FColorCubePanel;
    delete FSpectrumPanel;
}

void TDazColorPickerDropDown::AddDefaultColors()
{
    for (const TDefaultColor &d : kDefaultColors) {
        TColorItem *item = FColors->Add();
        item->SetCaption(QLatin1String(d.Caption));
        item->SetColor(d.Color);
    }
}

void TDazColorPickerDropDown::SetItemIndex(int Value)
{
    if (Value >= FColors->Count())
        return;
    FItemIndex = Value;
    if (Value >= 0)
        FSelectedColor = FColors->Items(Value)->Color();
    update();
    if (OnSelect)
        OnSelect(this);
}

void TDazColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    int found = -1;
    for (int i = 0; i < FColors->Count() && found < 0; ++i)
        if (FColors->Items(i)->Color() == Value)
            found = i;
    SetItemIndex(found);
    update();
}

void TDazColorPickerDropDown::SetShowText(bool Value)
{
    if (Value == FShowText)
        return;
    FShowText = Value;
    update();
}

QString TDazColorPickerDropDown::GetSelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex)->Caption();
    const TColor c = FSelectedColor;
    switch (ColorValueText) {
    case cvtNone:
        return QString();
    case cvtHex:
        return QString::number(uint32_t(c), 16).toUpper().rightJustified(6, u'0');
    case cvtWebName:
        return ColorToWebColorName(c);
    case cvtRGB: {
        const TColor rgb = ColorToRGB(c);
        return QStringLiteral("Red:%1,Green:%2,Blue:%3")
            .arg(GetRValue(rgb))
            .arg(GetGValue(rgb))
            .arg(GetBValue(rgb));
    }
    case cvtHTML:
        return HtmlColor(ColorToRGB(c));
    }
    return QString();
}

QWidget *TDazColorPickerDropDown::Chooser(TColorSelectionStyle Style) const
{
    switch (Style) {
    case csList:
        return FItemSelector;
    case csDiscrete:
        return FColorSelector;
    case csColorCube:
        return FColorCubePanel;
    case csSpectrum:
        return FSpectrumPanel;
    }
    return nullptr;
}

void TDazColorPickerDropDown::EnsureChooser(TColorSelectionStyle Style)
{
    QWidget *form = DropDownForm();
    if (!form)
        return;
    auto background = [this](QWidget *Panel) {
        QPalette p = Panel->palette();
        p.setColor(QPalette::Window, ToQColor(DropDownColor == clNone ? clWhite : DropDownColor));
        Panel->setPalette(p);
    };
    QWidget *chooser = nullptr;
    switch (Style) {
    case csList: {
        TDazCustomItemSelector *list = EnsureList(stColor, 150);
        list->SetSelectorType(stColor);
        list->resize(list->width(), 150);
        list->UpdateSelectorPanel();
        chooser = list;
        break;
    }
    case csDiscrete:
        if (!FColorSelector) {
            FColorSelector = new TCustomColorSelector(form);
            FColorSelector->LoadDefaultPalette();
        }
        FColorSelector->Color = DropDownColor;
        FColorSelector->ArrangeItems();
        chooser = FColorSelector;
        break;
    case csColorCube:
        if (!FColorCubePanel)
            FColorCubePanel = new TDazColorCubePanel(form);
        background(FColorCubePanel);
        chooser = FColorCubePanel;
        break;
    case csSpectrum:
        if (!FSpectrumPanel)
            FSpectrumPanel = new TDazColorSpectrumPanel(form);
        background(FSpectrumPanel);
        chooser = FSpectrumPanel;
        break;
    }
    chooser->move(0, 0);
    SetDropDownControl(chooser);
}

void TDazColorPickerDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    EnsureChooser(FColorSelectionStyle);
}

void TDazColorPickerDropDown::LoadList()
{
    TDazCustomItemSelector *list = BeginLoadList(Columns, Layout);
    if (!list)
        return;
    for (int i = 0; i < FColors->Count(); ++i) {
        const TColorItem &c = *FColors->Items(i);
        TSelectorItem *item = list->Items().Add();
        item->SetCaption(c.Caption());
        item->SetColor(c.Color());
        item->Hint = c.Hint;
    }
    list->SetColorBoxHeight(ColorBoxHeight);
    list->SetColorBoxWidth(ColorBoxWidth);
    EndLoadList();
}

void TDazColorPickerDropDown::PrepareChooser(TColorSelectionStyle Style)
{
    EnsureChooser(Style);
    for (TColorSelectionStyle s : {csList, csDiscrete, csColorCube, csSpectrum})
        if (QWidget *w = Chooser(s); w && s != Style)
            w->hide();
    switch (Style) {
    case csList:
        LoadList();
        if (FItemSelector) {
            FItemSelector->OnDrawItem = nullptr;
            if (OnDrawColor)
                FItemSelector->OnDrawItem = [this](TObject *, TCanvas &C, const TRect &R, int I) {
                    OnDrawColor(this, C, R, I);
                };
        }
        FOldItemIndex = FItemIndex;
        break;
    case csDiscrete:
        // Detached meanwhile: taking the colour is not the user's choice.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->ArrangeItems();
        FColorSelector->OnItemSelect = [this](TObject *) { PaletteSelect(); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        break;
    case csColorCube:
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->BuildCells();
        FColorCubePanel->ResetHot();
        FColorCubePanel->OnSelect = [this](TObject *) {
            PanelSelect(FColorCubePanel->SelectedColor());
        };
        break;
    case csSpectrum:
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->LayoutSpectrum();
        FSpectrumPanel->OnSelect = [this](TObject *) {
            PanelSelect(FSpectrumPanel->SelectedColor());
        };
        break;
    }
    if (QWidget *w = Chooser(Style))
        w->show();
}

void TDazColorPickerDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    PrepareChooser(FColorSelectionStyle);
    FOldSelectedColor = FSelectedColor;
}

void TDazColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = Value;
    // The size shown last belongs to the old chooser: a changed drop-down width forgets it.
    const int width = DropDownWidth();
    SetDropDownWidth(width + 1);
    SetDropDownWidth(width);
    PrepareChooser(Value);
    FOldSelectedColor = FSelectedColor;
    if (Value == csList)
        SizeListForm();
    else
        SizePanelForm();
    if (DropDownForm()) {
        DropDownForm()->LayoutChildren();
        DropDownForm()->update();
    }
}

void TDazColorPickerDropDown::PlaceDropDownControl()
{
    TDazCustomDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && DropDownForm())
        DropDownForm()->Sizeable = false;
}

void TDazColorPickerDropDown::SizePanelForm()
{
    TDropDownForm *form = DropDownForm();
    if (!form)
        return;
    QWidget *control = Chooser(FColorSelectionStyle);
    const bool shown = control && !control->isHidden();
    const int bw = DropDownBorderWidth;
    const int w = shown ? control->width() + 2 * bw : width();
    int h = 2 * bw;
    if (TDazHeader *hd = form->Header(); hd && !hd->isHidden())
        h += hd->height();
    if (TDazFooter *ft = form->Footer(); ft && !ft->isHidden())
        h += ft->height();
    if (shown)
        h += control->height();
    form->resize(w, h);
}

void TDazColorPickerDropDown::SizeDropDownForm()
{
    if (FColorSelectionStyle != csList)
        SizePanelForm();
    else if (FItemSelector)
        SizeListForm();
    else
        TDazCustomDropDown::SizeDropDownForm();
}

void TDazColorPickerDropDown::PaletteSelect()
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TDazColorPickerDropDown::PanelSelect(TColor Color)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TDazColorPickerDropDown::DoHideDropDown(bool Cancelled)
{
    TDazSelectorDropDown::DoHideDropDown(Cancelled);
    if (!Cancelled)
        return;
    if (FColorSelectionStyle == csList && FItemSelector)
        SetItemIndex(FOldItemIndex);
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        FColorSelector->SetSelectedColor(FOldSelectedColor);
}

void TDazColorPickerDropDown::keyPressEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    bool taken = false;
    if (FColorSelectionStyle == csList) {
        taken = TakeHotItem(k.Key);
    } else if (FColorSelectionStyle == csDiscrete && isEnabled() && DroppedDown() &&
               k.Key == VK_RETURN && FColorSelector && FColorSelector->ItemHot() >= 0) {
        FColorSelector->SetItemIndex(FColorSelector->ItemHot());
        taken = true;
    }
    TDazSelectorDropDown::keyPressEvent(Event);
    if (!isEnabled() || k.Shift.Contains(ssAlt) || k.Key == 0)
        return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        if (k.Key == VK_RETURN) {
            if (!taken && OnSelect)
                OnSelect(this);
            return;
        }
        ListKey(k.Key, k.Shift);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        {
            const bool old = FInternalCall;
            FInternalCall = true;
            FColorSelector->NavigateByKey(k.Key, EditorEnabled(), DroppedDown());
            FInternalCall = old;
        }
        if (k.Key == VK_RETURN && !taken && OnSelect)
            OnSelect(this);
    }
}

void TDazColorPickerDropDown::DoWheelDown()
{
    Wheel(true);
}

void TDazColorPickerDropDown::DoWheelUp()
{
    Wheel(false);
}

void TDazColorPickerDropDown::Wheel(bool Down)
{
    if (FColorSelectionStyle == csList) {
        ListWheel(Down);
        return;
    }
    if (FColorSelectionStyle != csDiscrete || !FColorSelector || !isEnabled() || isReadOnly())
        return;
    if (DroppedDown()) {
        Down ? FColorSelector->HotNext() : FColorSelector->HotPrevious();
    } else {
        const bool old = FInternalCall;
        FInternalCall = true;
        Down ? FColorSelector->SelectNext() : FColorSelector->SelectPrevious();
        FInternalCall = old;
    }
}

void TDazColorPickerDropDown::DrawFocus(TCanvas &Canvas)
{
    TDazSelectorDropDown::DrawFocus(Canvas);
    PaintSelectedColor(Canvas);
}

void TDazColorPickerDropDown::PaintSelectedColor(TCanvas &Canvas)
{
    const TRect r(1, 1, width() - DropDownButtonWidth() - 2, height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, r);
        return;
    }
    const int left = r.Left + 4, top = r.Top + (height() - ColorBoxHeight) / 2;
    if (FSelectedColor != clNone) {
        Canvas.Pen.Color = clBlack;
        Canvas.Brush.Color = FSelectedColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.Rectangle(left, top, left + ColorBoxWidth, top + ColorBoxHeight);
    }
    if (!FShowText)
        return;
    const bool focused = hasFocus();
    Canvas.Font = TFont::FromQFont(font(), focused && !EditorEnabled() ? clHighlightText
                                                                      : FromQColor(palette().text().color()));
    TRect text(left + ColorBoxWidth + 4, r.Top, r.Right, r.Bottom);
    Canvas.Brush.Color = focused ? clHighlight : FromQColor(palette().base().color());
    Canvas.Brush.Style = bsSolid;
    Canvas.FillRect(text);
    Canvas.Brush.Style = bsClear;
    Canvas.DrawText(GetSelectedColorText(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    Canvas.Brush.Style = bsSolid;
}
