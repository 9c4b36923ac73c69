#pragma once
// TDazColorPickerDropDown: an edit that shows one colour as a box and a text and drops down
// a chooser: its named colour list (csList) or the palette, the cube or the spectrum. The
// edit takes no typed text; its value is SelectedColor, its text form SelectedColorText.
#include "controls/dropdown/colorpanels.h"
#include "controls/dropdown/selectordropdown.h"

class TColorItem : public TNotifyingItem
{
public:
    using TNotifyingItem::TNotifyingItem;
    void Assign(const TPersistent *Source) override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value) { SetAndNotify(FCaption, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetAndNotify(FColor, Value); }
    QString Hint;

private:
    QString FCaption;
    TColor FColor = clNone;
};

using TColorItems = TNotifyingItemsOf<TColorItem>;

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

// The first named web colour ("clWebBlack") with the RGB value of Color, else "#RRGGBB";
// system colours are resolved first.
QString ColorToWebColorName(TColor Color);

class TDazColorPickerDropDown : public TDazSelectorDropDown
{
public:
    explicit TDazColorPickerDropDown(QWidget *Parent = nullptr);
    ~TDazColorPickerDropDown() override;

    // Appends the 16 standard colours (Black .. White).
    void AddDefaultColors();
    TColorItems &Colors() { return *FColors; }
    void SetColors(const TColorItems &Value) { FColors->Assign(&Value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    QString SelectedColorText() const { return GetSelectedColorText(); }
    virtual QString GetSelectedColorText() const;
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    TColorValueText ColorValueText = cvtNone;
    // Used at the next opening.
    int Columns = 1;
    TItemLayout Layout = ilCaptionRight;
    int ColorBoxWidth = 14, ColorBoxHeight = 14;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

    TCustomColorSelector *Palette() const { return FColorSelector; }
    TDazColorCubePanel *Cube() const { return FColorCubePanel; }
    TDazColorSpectrumPanel *Spectrum() const { return FSpectrumPanel; }

    void DoHideDropDown(bool Cancelled) override;
    void DoWheelDown() override;
    void DoWheelUp() override;
    void DrawFocus(TCanvas &Canvas) override;
    // The colour box and text over the edit (or OnDrawSelectedColor).
    void PaintSelectedColor(TCanvas &Canvas);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    void keyPressEvent(QKeyEvent *Event) override;

    int ListRowStep() const override { return Columns; }
    int PickerItemCount() const override { return FColors->Count(); }
    int PickerItemIndex() const override { return FItemIndex; }
    void SetPickerItemIndex(int Index) override { SetItemIndex(Index); }
    void LoadList() override;

private:
    void EnsureChooser(TColorSelectionStyle Style);
    QWidget *Chooser(TColorSelectionStyle Style) const;
    // Shows the chooser of a style and hides the others; prepares it as an opening does.
    void PrepareChooser(TColorSelectionStyle Style);
    // The form sized to a panel chooser.
    void SizePanelForm();
    void PaletteSelect();
    void PanelSelect(TColor Color);
    void Wheel(bool Down);

    std::unique_ptr<TColorItems> FColors;
    QPointer<TCustomColorSelector> FColorSelector;
    QPointer<TDazColorCubePanel> FColorCubePanel;
    QPointer<TDazColorSpectrumPanel> FSpectrumPanel;
    TColorSelectionStyle FColorSelectionStyle = csList;
    int FItemIndex = -1;
    TColor FSelectedColor = clNone;
    TColor FOldSelectedColor = clNone;
    bool FShowText = true;
};
