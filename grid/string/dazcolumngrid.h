#pragma once
// TDazColumnGrid: the column-driven string grid of the editor windows. Its Columns hold one
// TGridColumnItem per real column (hidden ones included: item i belongs to real column i),
// and the grid answers its per-cell questions (editor type, combo list, check texts,
// alignment, colours, fonts, borders, read-only, fixed and password state, width limits)
// from the item of the cell's column before the user's events have their say.
//
// The column definitions travel as a component stream (SaveColumnsToStream /
// LoadColumnsFromStream, the framework's binary format with the signature "TPF0"), and the
// column order can be kept in an INI file ("CP" keys).
#include "grid/base/collection.h"
#include "grid/base/graphics.h"
#include "grid/base/stringlist.h"
#include "grid/string/dazstringgrid.h"

#include <QMenu>
#include <QPointer>
#include <stdexcept>

class QIODevice;
class TDazColumnGrid;
class TGridColumnCollection;

// A component stream that cannot be read (bad signature, damaged or truncated data).
class EReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Which click shows a column's popup menu.
enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

// The definition of one column. Inside a grid's collection it starts with the grid's font
// and colour; Width reads and writes the grid's width of the item's real column.
class TGridColumnItem : public TCollectionItem
{
public:
    explicit TGridColumnItem(TCollection *Collection = nullptr);
    ~TGridColumnItem() override;

    // The grid of the collection, or nullptr.
    TDazColumnGrid *Grid() const;
    // Copies every published property but Width (fonts, pens and lists by content).
    void Assign(const TPersistent *Source) override;
    // The look only: no Header, Name, Tag, ComboItems, DropDownCount, HeaderFont,
    // ColumnPopupType, PrintBorderCustom, PrintFontCustom; Color and Font from the grid.
    void AssignVisuals(const TPersistent *Source);
    QString DisplayName() const override;

    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPenObject &BorderPen() { return FBorderPen; }
    void SetBorderPen(const TPenObject &Value) { FBorderPen.Assign(&Value); }
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString &Value) { FCheckFalse = Value; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString &Value) { FCheckTrue = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // Not owned; a destroyed menu is forgotten.
    QMenu *ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(QMenu *Value) { FColumnPopup = Value; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
    TStringList &ComboItems() { return FComboItems; }
    void SetComboItems(const TStringList &Value) { FComboItems.Assign(&Value); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int Value) { FEditLength = Value; }
    TEditLink *EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink *Value) { FEditLink = Value; }
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString &Value) { FEditMask = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    TStringList &Filter() { return FFilter; }
    void SetFilter(const TStringList &Value) { FFilter.Assign(&Value); }
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString &Value);
    TFontObject &Font() { return FFont; }
    void SetFont(const TFontObject &Value) { FFont.Assign(&Value); }
    QString Header() const { return FHeader; }
    // Written into the header row (unless a column move is under way); the grid's
    // ColumnHeaders list is rebuilt from every item.
    void SetHeader(const QString &Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFontObject &HeaderFont() { return FHeaderFont; }
    void SetHeaderFont(const TFontObject &Value) { FHeaderFont.Assign(&Value); }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int Value) { FMinSize = Value; }
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int Value) { FMaxSize = Value; }
    QString Name() const { return FName; }
    void SetName(const QString &Value) { FName = Value; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
    TPenObject &PrintBorderPen() { return FPrintBorderPen; }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor Value) { FPrintColor = Value; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
    TFontObject &PrintFont() { return FPrintFont; }
    void SetPrintFont(const TFontObject &Value) { FPrintFont.Assign(&Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
    QString SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const QString &Value) { FSortPrefix = Value; }
    QString SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const QString &Value) { FSortSuffix = Value; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int Value) { FSpinMax = Value; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int Value) { FSpinMin = Value; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int Value) { FSpinStep = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    // The real column's width, shown or hidden; 0 outside a grid.
    int Width() const;
    void SetWidth(int Value);

    // The column's design-time position (LoadColumnPositions, ResetOrganization).
    int DefIdx = 0;
    // The grid's accessors of the same kind at column = Index, row ARow.
    QString Rows(int ARow) const;
    void SetRows(int ARow, const QString &Value);
    int Ints(int ARow) const;
    void SetInts(int ARow, int Value);
    double Floats(int ARow) const;
    void SetFloats(int ARow, double Value);
    TDateTime Dates(int ARow) const;
    void SetDates(int ARow, TDateTime Value);
    TDateTime Times(int ARow) const;
    void SetTimes(int ARow, TDateTime Value);

private:
    friend class TDazColumnGrid;
    // The collection's Update for this item, and a repaint of the grid.
    void ItemChanged();
    void Repaint() const;
    void CopyFrom(const TGridColumnItem &S, bool Visuals);

    int FAutoMinSize = 0;
    int FAutoMaxSize = 0;
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders;
    TPenObject FBorderPen;
    QString FCheckFalse = QStringLiteral("N");
    QString FCheckTrue = QStringLiteral("Y");
    TColor FColor = clWindow;
    QPointer<QMenu> FColumnPopup;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    TStringList FComboItems;
    int FDropDownCount = 8;
    int FEditLength = 0;
    TEditLink *FEditLink = nullptr;
    QString FEditMask;
    TEditorType FEditor = edNormal;
    TStringList FFilter;
    bool FFilterCaseSensitive = false;
    bool FFixed = false;
    QString FFloatFormat;
    TFontObject FFont;
    QString FHeader;
    TAlignment FHeaderAlignment = taLeftJustify;
    TFontObject FHeaderFont;
    int FMinSize = 0;
    int FMaxSize = 0;
    QString FName;
    bool FPassword = false;
    bool FPrintBorderCustom = true;
    TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    TPenObject FPrintBorderPen;
    TColor FPrintColor = 0xFFFFFF;
    bool FPrintFontCustom = true;
    TFontObject FPrintFont;
    bool FReadOnly = false;
    bool FShowBands = false;
    TSortStyle FSortStyle = ssAutomatic;
    QString FSortPrefix;
    QString FSortSuffix;
    int FSpinMax = 0;
    int FSpinMin = 0;
    int FSpinStep = 1;
    int FTag = 0;
    bool FNotify = false;   // inside a collection: changes reach Update
};

// The column items of a column grid.
class TGridColumnCollection : public TCollection
{
public:
    explicit TGridColumnCollection(TDazColumnGrid *Grid);

    TDazColumnGrid *Grid() const { return FGrid; }
    TGridColumnItem *Items(int Index) const
    {
        return static_cast<TGridColumnItem *>(TCollection::Items(Index));
    }
    // A new item at the end, with the look of the item before it.
    TGridColumnItem *Add();
    TGridColumnItem *Insert(int Index);
    // Keeps Update from sizing the grid to the collection (while the grid itself changes
    // the number of items).
    bool NoResize() const { return FNoResize > 0; }
    void BeginNoResize() { ++FNoResize; }
    void EndNoResize() { --FNoResize; }
    // Every item's DefIdx := its index (the design order).
    void SetOrganization();
    // Moves items back to their DefIdx positions.
    void ResetOrganization();

protected:
    // Sizes the grid's ColCount to the items (unless held back), rebuilds the headers and
    // repaints.
    void Update(TCollectionItem *Item) override;

private:
    TDazColumnGrid *FGrid;
    int FNoResize = 0;
};

class TDazColumnGrid : public TDazStringGrid
{
    Q_OBJECT
public:
    explicit TDazColumnGrid(QWidget *AOwner = nullptr);
    ~TDazColumnGrid() override;

    TGridColumnCollection &Columns() { return *FColumns; }
    void SetColumns(const TGridColumnCollection &Value);
    // The string grid's ColCount, then one item per real column.
    void SetColCount(int Value);
    int ColCount() const { return TDazStringGrid::ColCount(); }
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    // The first item whose Name is AValue exactly, else nullptr.
    TGridColumnItem *GetColumnByName(const QString &AValue) const;
    // The item of a real column, or nullptr.
    TGridColumnItem *ColumnOf(int ACol) const;

    void Loaded() override;
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void CellsLoaded() override;

    // The column definitions as a component stream, and back (ColCount is not changed).
    // Reading throws EReadError for a stream that is not one; the items read before the
    // damage are kept.
    void SaveColumnsToStream(QIODevice &Stream);
    void LoadColumnsFromStream(QIODevice &Stream);
    // The column order in the INI file Key: key "CP<i>" in Section holds DefIdx of item i.
    // Loading changes nothing unless the keys form a permutation of the items.
    void SaveColumnPositions(const QString &Key, const QString &Section);
    void LoadColumnPositions(const QString &Key, const QString &Section);
    // With ColumnSize.Location clIniFile the two above on ColumnSize.Key / Section, else the
    // string grid's store.
    void SaveColPositions() override;
    void LoadColPositions() override;

    // 3.1.3.1, "3.1.3.1 Aug, 2012".
    int GetVersionNr() const { return 0x03010301; }
    QString GetVersionString() const;

    TMovedEvent OnAfterColumnMoved;
    std::function<void(TObject *Sender, int ACol, int ARow, QMenu *PopupMenu)> OnColumnPopup;

    // --- Per-cell answers from the column items ----------------------------------------
    void GetCellEditorType(int ACol, int ARow, TEditorType &AEditor) override;
    void IsEditableCell(int ACol, int ARow, bool &CanEdit) override;
    using TDazStringGrid::IsEditableCell;
    void IsFixedCell(int ACol, int ARow, bool &IsFixed) override;
    void IsPasswordCell(int ACol, int ARow, bool &IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString &Value) override;
    void GetCheckFalse(int ACol, int ARow, QString &Value) override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                      TFont &AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush,
                           TFont &AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders) override;
    void GetCellAlign(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign) override;
    void GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix) override;
    QString GetFormattedCell(int ACol, int ARow) override;
    TCellGraphic *GetCellGraphic(int ACol, int ARow) override;
    TCellType GetCellType(int ACol, int ARow) override;
    // A column with Filter choices offers their names (the part before "="); otherwise the
    // string grid's list.
    bool GetFilterList(int ACol) override;

protected:
    void GetCellDefaults(int ACol, int ARow, TFont &Font, TBrush &Brush, TColor &ColorTo,
                         TColor &MirrorColor, TColor &MirrorColorTo, TAlignment &HAlign,
                         TVAlignment &VAlign, bool &WordWrap,
                         TCellGradientDirection &GradientDirection) override;
    QString GetFloatFormat(int ACol, int ARow) override;
    void ColumnHeadersChanged() override;
    void UpdateColSize(int ACol, int &AWidth) override;
    void UpdateAutoColSize(int ACol, int &AWidth) override;
    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The collection the grid keeps its columns in.
    virtual TGridColumnCollection *CreateColumns();

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    // Adds or frees items at the end until there is one per real column.
    void UpdateColumnCount();
    // Header row texts into items without a header, then the ColumnHeaders list.
    void UpdateColumnHeaders();
    // Rebuilds ColumnHeaders from the items' headers.
    void RebuildColumnHeaders();
    // A normal cell of a column: an item, not in the fixed or footer ranges.
    bool IsNormalColumnCell(int ACol, int ARow) const;
    bool BandsPaint() const;

    TGridColumnCollection *FColumns = nullptr;
    TCellGraphic FDataCheckGraphic;
    bool FAutoFilterDisplay = false;
    bool FColumnMoving = false;
    bool FHeadersRebuilding = false;
};
