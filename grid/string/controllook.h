#pragma once
// Two settings objects of the string grid's look: TControlLook (in-cell controls, check and
// radio glyphs, fixed-cell gradients, the drop-down header and footer) and TFloatingFooter
// (the strip under the grid that shows its last row). Their fixed-gradient colours and the
// footer's visibility reach into the grid; everything else is stored for the painters.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridsettings.h"
#include "grid/string/bitmap.h"
#include "grid/string/dropdownappearance.h"
#include "platform/color.h"

#include <QString>
#include <functional>

class TDazStringGrid;

enum TControlStyle { csClassic, csFlat, csWinXP, csVantrel, csQVR, csGlyph, csTheme };

class TControlLook : public TPersistent
{
public:
    explicit TControlLook(TDazStringGrid *AOwner);
    TControlLook(const TControlLook &) = delete;
    TControlLook &operator=(const TControlLook &) = delete;

    // Glyphs are copied; an empty glyph means the grid's own artwork.
    TBitmap &CheckedGlyph() { return FCheckedGlyph; }
    TBitmap &UnCheckedGlyph() { return FUnCheckedGlyph; }
    TBitmap &RadioOnGlyph() { return FRadioOnGlyph; }
    TBitmap &RadioOffGlyph() { return FRadioOffGlyph; }
    THeaderAppearance &DropDownHeader() { return FDropDownHeader; }
    void SetDropDownHeader(const THeaderAppearance &Value) { FDropDownHeader.Assign(&Value); }
    TFooterAppearance &DropDownFooter() { return FDropDownFooter; }
    void SetDropDownFooter(const TFooterAppearance &Value) { FDropDownFooter.Assign(&Value); }

    // Store and repaint the grid.
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int Value) { Repainted(FCheckSize, Value); }
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value) { Repainted(FRadioSize, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Repainted(FColor, Value); }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { Repainted(FCommentColor, Value); }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { Repainted(FControlStyle, Value); }
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value) { Repainted(FDropDownAlwaysVisible, Value); }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value) { Repainted(FSpinButtonsAlwaysVisible, Value); }
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value) { Repainted(FFlatButton, Value); }
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value) { Repainted(FNoDisabledCheckRadioLook, Value); }
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value) { Repainted(FNoDisabledButtonLook, Value); }
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int Value) { Repainted(FProgressMarginX, Value); }
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int Value) { Repainted(FProgressMarginY, Value); }
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value) { Repainted(FProgressXP, Value); }

    // Fixed-cell gradients. A colour other than clNone also goes to the grid's own look
    // (the normal colours repaint it); the mirror colours always do.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);

    // The colour defaults; the hover and down mirror colours reach the grid. The grid
    // calls it once it is constructed.
    void Init();
    // Copies from another control look (the gradient colours stored directly, not passed
    // on to the grid); FlatButton, the no-disabled looks, ProgressXP and
    // FixedDropDownButton stay.
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, CheckAlwaysActive, false)
    CF_GRID_PLAIN_PROPERTY(bool, RadioAlwaysActive, false)
    CF_GRID_PLAIN_PROPERTY(int, DropDownCount, 8)
    CF_GRID_PLAIN_PROPERTY(bool, FixedDropDownButton, false)
    CF_GRID_PLAIN_PROPERTY(int, HintMaxWidth, 0)
    CF_GRID_PLAIN_PROPERTY(TColor, ProgressBorderColor, clGray)

private:
    template <class T>
    void Repainted(T &Field, const T &Value)
    {
        Field = Value;
        RepaintGrid();
    }
    void RepaintGrid();
    // Stores Value; passes it on (Pass) unless it is clNone and Always is false.
    void SetGradient(TColor &Field, TColor Value, bool Always,
                     const std::function<void(TColor)> &Pass);

    TDazStringGrid *FOwner;
    int FCheckSize = 15;
    int FRadioSize = 10;
    TBitmap FCheckedGlyph;
    TBitmap FUnCheckedGlyph;
    TBitmap FRadioOnGlyph;
    TBitmap FRadioOffGlyph;
    TColor FColor = clBlack;
    TColor FCommentColor = clRed;
    TControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    THeaderAppearance FDropDownHeader;
    TFooterAppearance FDropDownFooter;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clNone;
    TColor FFixedGradientHoverTo = clNone;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = clNone;
    TColor FFixedGradientDownFrom = clNone;
    TColor FFixedGradientDownTo = clNone;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = clNone;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

using TCalcFooterEvent =
    std::function<void(TObject *Sender, int ACol, int ARow, QString &Value)>;

// The strip under the grid. With fsFixedLastRow it shows the grid's last row, which then
// counts as a footer row (FixedFooters 1) and is kept out of the scrolled rows.
class TFloatingFooter : public TPersistent
{
public:
    explicit TFloatingFooter(TDazStringGrid *AOwner) : FOwner(AOwner) {}

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    // The calculation of a footer cell is kept in the last row's cell record.
    TColumnCalcType ColumnCalc(int ACol) const;
    void SetColumnCalc(int ACol, TColumnCalcType Value);

    // Copies the look and Visible (through its setter).
    void Assign(const TPersistent *Source) override;

    TCalcFooterEvent OnCalcFooter;

    // The look repaints a shown panel.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString &Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The panel is Height - 1 high; 0 or less keeps the height it has.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int PanelHeight() const { return FPanelHeight; }   // -1 until a height was given
    CF_GRID_PLAIN_PROPERTY(bool, ShowHint, false)
    CF_GRID_PLAIN_PROPERTY(bool, CalculateHiddenRows, true)
    CF_GRID_PLAIN_PROPERTY(bool, EnableCalculation, true)

private:
    void ApplyToGrid();
    void RepaintPanel();
    TDazStringGrid *FOwner;
    TColor FColor = clBtnFace;
    int FColumn = 0;
    QString FCustomTemplate;
    TColor FBorderColor = clNone;
    int FHeight = 0;
    int FPanelHeight = -1;
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
};
