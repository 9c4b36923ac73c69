#pragma once
// Settings objects the string grid owns and streams as nested properties: column sizes,
// HTML export, printing, growing while typing, node rows, grouping, drag and drop,
// balloon hints and the modified-row bar. They hold values, defaults and copy rules;
// where a change must reach the grid, the grid assigns the object's notification hooks.
//
// Assign copies from an object of the same class and ignores any other source, except
// TPrintSettings, which refuses one (EConvertError).
#include "grid/base/classes.h"
#include "grid/base/gridsettings.h"
#include "grid/base/graphics.h"
#include "grid/base/intlist.h"
#include "grid/base/stringlist.h"
#include "grid/string/bitmap.h"
#include "platform/canvas.h"

#include <QString>
#include <cstdint>

class QWidget;

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

// Saving and stretching of the column widths.
class TColumnSize : public TPersistent
{
public:
    // AOwner: the grid (stretching happens only while it has a parent).
    explicit TColumnSize(QWidget *AOwner) : FOwner(AOwner) {}

    bool Stretch() const { return FStretch; }
    // Stores; with the grid placed on a parent, fires OnStretch at once.
    void SetStretch(bool Value);

    // Copies every setting; Stretch is stored without stretching.
    void Assign(const TPersistent *Source) override;

    // The grid stretches column StretchColumn.
    TNotifyEvent OnStretch;

    CF_GRID_PLAIN_PROPERTY(bool, Save, false)
    CF_GRID_PLAIN_PROPERTY(QString, Key, {})
    CF_GRID_PLAIN_PROPERTY(QString, Section, {})
    CF_GRID_PLAIN_PROPERTY(int, StretchColumn, -1)   // -1: the last column
    CF_GRID_PLAIN_PROPERTY(bool, SynchWithGrid, false)
    CF_GRID_PLAIN_PROPERTY(bool, SynchNormalCellsOnly, false)
    CF_GRID_PLAIN_PROPERTY(TColumnSizeLocation, Location, clRegistry)
    CF_GRID_PLAIN_PROPERTY(TAutoSizeRows, Rows, arAll)

private:
    QWidget *FOwner;
    bool FStretch = false;
};

// Settings of the HTML export.
class THTMLSettings : public TPersistent
{
public:
    // Widths of the exported columns, filled by the export.
    TIntList &ColWidths() { return FColWidths; }
    const TIntList &ColWidths() const { return FColWidths; }

    // Copies every setting but ExportImages and ColWidths.
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, AutoPreview, false)
    CF_GRID_PLAIN_PROPERTY(bool, ConvertSpecialChars, false)
    CF_GRID_PLAIN_PROPERTY(bool, NonBreakingText, false)
    CF_GRID_PLAIN_PROPERTY(bool, SaveColor, true)
    CF_GRID_PLAIN_PROPERTY(bool, SaveFonts, true)
    CF_GRID_PLAIN_PROPERTY(QString, FooterFile, {})
    CF_GRID_PLAIN_PROPERTY(QString, HeaderFile, {})
    CF_GRID_PLAIN_PROPERTY(int, BorderSize, 1)
    CF_GRID_PLAIN_PROPERTY(int, CellSpacing, 0)
    CF_GRID_PLAIN_PROPERTY(int, CellPadding, 0)
    CF_GRID_PLAIN_PROPERTY(QString, TableStyle, {})
    CF_GRID_PLAIN_PROPERTY(QString, PrefixTag, {})
    CF_GRID_PLAIN_PROPERTY(QString, SuffixTag, {})
    CF_GRID_PLAIN_PROPERTY(QString, Summary, {})
    CF_GRID_PLAIN_PROPERTY(int, Width, 100)
    CF_GRID_PLAIN_PROPERTY(bool, XHTML, false)
    CF_GRID_PLAIN_PROPERTY(bool, ExportImages, true)

private:
    TIntList FColWidths{0, 0};
};

enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TPrinterOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// Settings of printing and preview. Sizes are in tenths of a millimetre.
class TPrintSettings : public TPersistent
{
public:
    explicit TPrintSettings(TObject *AOwner) : FOwner(AOwner) {}

    TObject *Grid() const { return FOwner; }
    // The setters of the fonts and the title lines copy the given object.
    TFontObject &Font() { return FFont; }
    const TFontObject &Font() const { return FFont; }
    void SetFont(const TFontObject &Value) { FFont.Assign(&Value); }
    TFontObject &HeaderFont() { return FHeaderFont; }
    const TFontObject &HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFontObject &Value) { FHeaderFont.Assign(&Value); }
    TFontObject &FooterFont() { return FFooterFont; }
    const TFontObject &FooterFont() const { return FFooterFont; }
    void SetFooterFont(const TFontObject &Value) { FFooterFont.Assign(&Value); }
    TFontObject &FixedFont() { return FFixedFont; }
    const TFontObject &FixedFont() const { return FFixedFont; }
    void SetFixedFont(const TFontObject &Value) { FFixedFont.Assign(&Value); }
    TStringList &TitleLines() { return FTitleLines; }
    const TStringList &TitleLines() const { return FTitleLines; }
    void SetTitleLines(const TStringList &Value) { FTitleLines.Assign(&Value); }

    // Copies every published setting (not FixedCellsAlways); a source of another class
    // throws EConvertError.
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(TPrintPosition, Time, ppNone)
    CF_GRID_PLAIN_PROPERTY(TPrintPosition, Date, ppNone)
    CF_GRID_PLAIN_PROPERTY(TPrintPosition, PageNr, ppNone)
    CF_GRID_PLAIN_PROPERTY(QString, PageNumSep, QStringLiteral("/"))
    CF_GRID_PLAIN_PROPERTY(QString, DateFormat, QStringLiteral("dd/mm/yyyy"))
    CF_GRID_PLAIN_PROPERTY(TPrintPosition, Title, ppNone)
    CF_GRID_PLAIN_PROPERTY(TPrintBorders, Borders, pbSingle)
    CF_GRID_PLAIN_PROPERTY(TPenStyle, BorderStyle, psSolid)
    CF_GRID_PLAIN_PROPERTY(QString, TitleText, {})
    CF_GRID_PLAIN_PROPERTY(bool, Centered, true)
    CF_GRID_PLAIN_PROPERTY(bool, RepeatFixedRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, RepeatFixedCols, false)
    CF_GRID_PLAIN_PROPERTY(int, FooterSize, 0)
    CF_GRID_PLAIN_PROPERTY(int, HeaderSize, 0)
    CF_GRID_PLAIN_PROPERTY(int, LeftSize, 0)
    CF_GRID_PLAIN_PROPERTY(int, RightSize, 0)
    CF_GRID_PLAIN_PROPERTY(int, ColumnSpacing, 0)
    CF_GRID_PLAIN_PROPERTY(int, RowSpacing, 0)
    CF_GRID_PLAIN_PROPERTY(int, TitleSpacing, 0)
    CF_GRID_PLAIN_PROPERTY(TPrinterOrientation, Orientation, poPortrait)
    CF_GRID_PLAIN_PROPERTY(QString, PagePrefix, {})
    CF_GRID_PLAIN_PROPERTY(QString, PageSuffix, {})
    CF_GRID_PLAIN_PROPERTY(int, FixedHeight, 0)
    CF_GRID_PLAIN_PROPERTY(bool, UseFixedHeight, false)
    CF_GRID_PLAIN_PROPERTY(int, FixedWidth, 0)
    CF_GRID_PLAIN_PROPERTY(bool, UseFixedWidth, false)
    CF_GRID_PLAIN_PROPERTY(TFitToPage, FitToPage, fpNever)
    CF_GRID_PLAIN_PROPERTY(bool, NoAutoSize, false)
    CF_GRID_PLAIN_PROPERTY(bool, PrintGraphics, false)
    CF_GRID_PLAIN_PROPERTY(QString, JobName, {})
    CF_GRID_PLAIN_PROPERTY(bool, NoAutoSizeRow, false)
    CF_GRID_PLAIN_PROPERTY(int, PageNumberOffset, 0)
    CF_GRID_PLAIN_PROPERTY(int, MaxPagesOffset, 0)
    CF_GRID_PLAIN_PROPERTY(bool, UseDisplayFont, true)
    CF_GRID_PLAIN_PROPERTY(bool, UseDefaultOrientation, false)
    CF_GRID_PLAIN_PROPERTY(bool, FixedCellsAlways, false)
    CF_GRID_PLAIN_PROPERTY(TColor, BorderColor, clBlack)

private:
    TObject *FOwner;
    TFontObject FFont;
    TFontObject FHeaderFont;
    TFontObject FFooterFont;
    TFontObject FFixedFont;
    TStringList FTitleLines;
};

// Growing the edited cell's row height or column width while its text is typed.
class TSizeWhileTyping : public TPersistent
{
    CF_GRID_PLAIN_PROPERTY(bool, Height, false)
    CF_GRID_PLAIN_PROPERTY(bool, Width, false)
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// The look of expandable node rows. Setters that change the picture fire OnChange (the
// grid repaints) only when the value differs.
class TCellNode : public TPersistent
{
public:
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    TBitmap &ExpandGlyph() { return FExpandGlyph; }
    const TBitmap &ExpandGlyph() const { return FExpandGlyph; }
    void SetExpandGlyph(const TBitmap &Value) { FExpandGlyph.Assign(&Value); }
    TBitmap &ContractGlyph() { return FContractGlyph; }
    const TBitmap &ContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(const TBitmap &Value) { FContractGlyph.Assign(&Value); }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value);

    // Copies every setting without notifying.
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(TColor, Color, clSilver)
    CF_GRID_PLAIN_PROPERTY(TColor, NodeColor, clBlack)
    CF_GRID_PLAIN_PROPERTY(bool, ExpandOne, false)

private:
    template <class T>
    void Change(T &Field, const T &Value);

    TNodeType FNodeType = cnXP;
    TBitmap FExpandGlyph;
    TBitmap FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = clGray;
};

// The look of group header and summary rows.
class TGrouping : public TPersistent
{
public:
    // Copies the colours, flags and count format; the line widths and colours and Summary
    // stay.
    void Assign(const TPersistent *Source) override;

    CF_GRID_PLAIN_PROPERTY(bool, MergeHeader, false)
    CF_GRID_PLAIN_PROPERTY(bool, MergeSummary, false)
    CF_GRID_PLAIN_PROPERTY(TColor, HeaderColor, clNone)
    CF_GRID_PLAIN_PROPERTY(TColor, HeaderColorTo, clNone)
    CF_GRID_PLAIN_PROPERTY(TColor, HeaderTextColor, clNone)
    CF_GRID_PLAIN_PROPERTY(bool, HeaderUnderline, false)
    CF_GRID_PLAIN_PROPERTY(TColor, HeaderLineColor, clBlue)
    CF_GRID_PLAIN_PROPERTY(int, HeaderLineWidth, 2)
    CF_GRID_PLAIN_PROPERTY(TColor, SummaryColor, clNone)
    CF_GRID_PLAIN_PROPERTY(TColor, SummaryColorTo, clNone)
    CF_GRID_PLAIN_PROPERTY(TColor, SummaryTextColor, clNone)
    CF_GRID_PLAIN_PROPERTY(bool, SummaryLine, false)
    CF_GRID_PLAIN_PROPERTY(TColor, SummaryLineColor, clBlue)
    CF_GRID_PLAIN_PROPERTY(int, SummaryLineWidth, 2)
    CF_GRID_PLAIN_PROPERTY(bool, Summary, false)
    CF_GRID_PLAIN_PROPERTY(bool, ShowGroupCount, false)
    CF_GRID_PLAIN_PROPERTY(QString, GroupCountFormat, {})
    CF_GRID_PLAIN_PROPERTY(bool, AutoSelectGroup, false)
    CF_GRID_PLAIN_PROPERTY(bool, AutoCheckGroup, false)
};

// What the grid accepts and offers by drag and drop.
class TDragDropSettings : public TPersistent
{
public:
    explicit TDragDropSettings(TObject *AOwner) : FOwner(AOwner) {}

    TObject *Grid() const { return FOwner; }

    bool OleDropRTF() const { return FOleDropRTF; }
    // Switches the process-wide rich-text acceptance (SetRTFDragDrop), then stores.
    void SetOleDropRTF(bool Value);
    bool OleDropTarget() const { return FOleDropTarget; }
    // Stores, then fires OnDropTargetChange: the grid registers or revokes its drop target.
    void SetOleDropTarget(bool Value);

    // Copies all fifteen settings (the two above through their setters).
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnDropTargetChange;

    CF_GRID_PLAIN_PROPERTY(bool, ShowCells, true)
    CF_GRID_PLAIN_PROPERTY(bool, OleAcceptFiles, true)
    CF_GRID_PLAIN_PROPERTY(bool, OleAcceptText, true)
    CF_GRID_PLAIN_PROPERTY(bool, OleAcceptURLs, true)
    CF_GRID_PLAIN_PROPERTY(bool, OleAppendRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleColumnDragDrop, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleColumnReorder, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleColumnsOnly, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleCopyAlways, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleDropSource, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleEntireRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleInsertRows, false)
    CF_GRID_PLAIN_PROPERTY(bool, OleRemoveRows, false)

private:
    TObject *FOwner;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};

// Balloon hints of the cells. The delays are in milliseconds, -1 for the system's own.
class TBalloonSettings : public TPersistent
{
public:
    bool Enable() const { return FEnable; }
    // Stores and fires OnEnableChange every time, changed or not.
    void SetEnable(bool Value);

    // Copies the colours, the delays and Enable (not Transparency).
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnEnableChange;

    CF_GRID_PLAIN_PROPERTY(TColor, TextColor, clNone)
    CF_GRID_PLAIN_PROPERTY(TColor, BackgroundColor, clNone)
    CF_GRID_PLAIN_PROPERTY(int, InitialDelay, -1)
    CF_GRID_PLAIN_PROPERTY(int, AutoHideDelay, -1)
    CF_GRID_PLAIN_PROPERTY(int, ReshowDelay, -1)
    CF_GRID_PLAIN_PROPERTY(uint8_t, Transparency, 0)

private:
    bool FEnable = false;
};

// The bar that marks modified rows.
class TShowModified : public TPersistent
{
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);   // stores and fires OnChange

    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

    CF_GRID_PLAIN_PROPERTY(bool, Enabled, false)

private:
    TColor FColor = clYellow;
};
