#pragma once
// TCustomLazyStringTree: the lazy tree that shows text. It stores no text: every caption is
// asked from the application (OnGetText, or OnGetCellText alone when assigned) each time it
// is measured, searched or shown; without a handler a node's caption is DefaultText
// ("Node"). The width of a node's main-column text is cached in a 4-byte internal area of
// each node until the node or the font changes.
#include "controls/tree/lazytree.h"

#include <QStringList>

class QImage;

enum class TLSTTextType : uint8_t { ttNormal, ttStatic };
enum class TLTExportType : uint8_t { etNone, etRTF, etHTML, etText, etExcel, etWord, etCustom };

enum class TLTStringOption : uint8_t { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
using TLTStringOptions = TEnumSet<TLTStringOption>;

class TCustomLazyStringTree;

// The nodes an export walks.
enum class TLSTTextSourceType : uint8_t {
    tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible, tstChecked
};

struct TLSTGetCellTextEventArgs
{
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    QString CellText;
    QString StaticText;
    TLTExportType ExportType = TLTExportType::etNone;
};

using TLSTGetTextEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                                            TLSTTextType TextType, QString &CellText)>;
using TLSTGetCellTextEvent =
    std::function<void(TCustomLazyStringTree *Sender, TLSTGetCellTextEventArgs &E)>;
using TLTPaintText = std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node,
                                        TColumnIndex Column, TLSTTextType TextType)>;
using TLSTGetHintEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                                            TLTTooltipLineBreakStyle &LineBreakStyle,
                                            QString &HintText)>;
using TLSTNewTextEvent = std::function<void(TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                                            const QString &NewText)>;
using TLSTShortenStringEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node, TColumnIndex Column,
                       const QString &S, int TextSpace, QString &Result, bool &Done)>;
using TLTMeasureTextEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node, TColumnIndex Column,
                       const QString &Text, int &Extent)>;
using TLTDrawTextEvent =
    std::function<void(TBaseLazyTree *Sender, TCanvas *TargetCanvas, PLazyNode Node, TColumnIndex Column,
                       const QString &Text, const TRect &CellRect, bool &DefaultDraw)>;

// The base option sets plus the string options.
class TCustomStringTreeOptions : public TCustomLazyTreeOptions
{
public:
    explicit TCustomStringTreeOptions(TCustomLazyStringTree *AOwner);
    TLTStringOptions StringOptions() const { return FStringOptions; }
    void SetStringOptions(TLTStringOptions Value);
    void AssignTo(TCustomLazyTreeOptions &Dest) const override;

private:
    TCustomLazyStringTree *FStringOwner;
    TLTStringOptions FStringOptions{TLTStringOption::toSaveCaptions, TLTStringOption::toAutoAcceptEditChange};
};

class TCustomLazyStringTree : public TBaseLazyTree
{
    Q_OBJECT

public:
    explicit TCustomLazyStringTree(QWidget *Parent = nullptr);
    ~TCustomLazyStringTree() override;

    TCustomStringTreeOptions &TreeOptions() const;
    QString DefaultText() const { return FDefaultText; }
    void SetDefaultText(const QString &Value);

    // The caption of a cell: DefaultText unless a handler supplies one.
    QString GetText(PLazyNode Node, TColumnIndex Column = NoColumn);
    QString GetStaticText(PLazyNode Node, TColumnIndex Column = NoColumn);
    // Hands a new caption to the application (OnNewText).
    void SetText(PLazyNode Node, TColumnIndex Column, const QString &Value);
    // Captions from the top-level ancestor down to Node, each followed by Delimiter.
    QString Path(PLazyNode Node, TColumnIndex Column, QChar Delimiter);
    // Height of S (the cell's caption when empty) laid out in the cell.
    virtual int ComputeNodeHeight(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                  QString S = QString());
    void GetTextInfo(PLazyNode Node, TColumnIndex Column, QFont &AFont, TRect &R,
                     QString &Text) override;

    PLazyNode AddChild(PLazyNode Parent, void *UserData = nullptr) override;
    using TBaseLazyTree::AddChild;
    TRect InvalidateNode(PLazyNode Node) override;
    void ReinitNode(PLazyNode Node, bool Recursive) override;
    void SetChildCount(PLazyNode Node, uint32_t NewChildCount) override;
    // Captions of the selected nodes while toRestoreSelection keeps them.
    QStringList PreviouslySelected() const { return FPreviouslySelected; }

    TLSTGetTextEvent OnGetText;
    TLSTGetCellTextEvent OnGetCellText;
    TLTPaintText OnPaintText;
    TLSTGetHintEvent OnGetHint;
    TLSTNewTextEvent OnNewText;
    TLSTShortenStringEvent OnShortenString;
    TLTMeasureTextEvent OnMeasureTextWidth, OnMeasureTextHeight;
    TLTDrawTextEvent OnDrawText;

    // --- Content export (lazytree_export.cpp) ---------------------------------------------
    // An HTML table with its style sheet; texts are inserted without escaping.
    QString ContentToHTML(TLSTTextSourceType Source, const QString &Caption = QString());
    QByteArray ContentToRTF(TLSTTextSourceType Source);
    QString ContentToText(TLSTTextSourceType Source, QChar Separator);
    QString ContentToText(TLSTTextSourceType Source, const QString &Separator);
    QString ContentToUnicode(TLSTTextSourceType Source, QChar Separator);
    // Fires only the export events.
    void ContentToCustom(TLSTTextSourceType Source);
    // The block of a clipboard format with its terminator; empty for a format not rendered.
    QByteArray ContentToClipboard(uint16_t Format, TLSTTextSourceType Source);
    // The top-level nodes as CSV (UTF-8); false for an empty name.
    bool SaveToCSVFile(const QString &FileNameWithPath, bool IncludeHeading);

protected:
    friend class TCustomStringTreeOptions;
    virtual void StringOptionsChanged(TLTStringOptions Old);
    // The text formats, for clipboard and drag data (lazytree_clipboard.cpp).
    HRESULT RenderOLEData(const TFormatEtc &FormatEtcIn, TStgMedium &Medium,
                          bool ForClipboard) override;
    virtual void QueryCellText(TLSTGetCellTextEventArgs &E);
    virtual void NotifyNewText(PLazyNode Node, TColumnIndex Column, const QString &NewText);
    virtual void NotifyPaintText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                 TLSTTextType TextType);
    virtual QString ShortenCellText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                    const QString &S, int TextSpace, int EllipsisWidth);
    virtual QSize MeasureCellText(TCanvas *Canvas, PLazyNode Node, TColumnIndex Column,
                                  const QString &Text);
    virtual int CellTextWidth(TCanvas *Canvas, PLazyNode Node, const QString &Text, TColumnIndex Column);
    virtual int StaticTextWidth(TCanvas *Canvas, PLazyNode Node, const QString &Text, TColumnIndex Column);
    int NodeContentWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas) override;
    int NodeExtraWidth(PLazyNode Node, TColumnIndex Column, TCanvas *Canvas) override;
    bool IsCellEmpty(PLazyNode Node, TColumnIndex Column) override;
    void AddToSelection(PLazyNode Node) override;
    void RemoveFromSelection(PLazyNode Node) override;
    // The editor of a caption: the application's, else a line edit over the caption.
    std::shared_ptr<ILTEditLink> DoCreateEditor(PLazyNode Node, TColumnIndex Column) override;
    // A node matches when its caption in the focused column starts with Text.
    int DoIncrementalSearch(PLazyNode Node, const QString &Text) override;
    QString GetNodeHint(PLazyNode Node, TColumnIndex Column,
                        TLTTooltipLineBreakStyle &LineBreakStyle) override;
    QString GetNodeTooltip(PLazyNode Node, TColumnIndex Column,
                           TLTTooltipLineBreakStyle &LineBreakStyle) override;
    void MainColumnChanged() override;
    void PaintNodeContent(TLTPaintInfo &PaintInfo) override;
    // With toAutoSpanColumns a caption runs on over the empty cells after it.
    TColumnIndex NextPaintColumn(TLTPaintInfo &PaintInfo) override;
    virtual void RenderCellText(TLTPaintInfo &PaintInfo, const QString &Text);
    TFont CellTextFont(const TLTPaintInfo &PaintInfo);
    virtual void RenderStaticText(TLTPaintInfo &PaintInfo, const QString &Text);
    // Draws Text into R unless OnDrawText draws it.
    virtual void OutputCellText(TLTPaintInfo &PaintInfo, const QString &Text, unsigned DrawFormat, TRect R);
    void changeEvent(QEvent *Event) override;
    // The cached main-column text width of a node; nullptr for nil or the root.
    uint32_t *CachedTextWidth(PLazyNode Node) const;
    void ResetAllTextWidths();
    // A canvas in the tree's font for measuring.
    TCanvas &MeasureCanvas();
    int TextHeight() const { return FTextHeight; }
    int EllipsisWidth() const { return FEllipsisWidth; }

    // The caption chunk of the node stream.
    void WriteNodeParts(QIODevice &Stream, PLazyNode Node) override;
    bool ReadSubChunk(QIODevice &Stream, int Version, PLazyNode Node, uint32_t ChunkType,
                      int32_t ChunkSize) override;
    friend class TLSTExporter;

private:
    QString CaptionForMemory(PLazyNode Node);
    void FontMetricsChanged();

    uint32_t FInternalDataOffset = 0;
    QString FDefaultText = QStringLiteral("Node");
    int FTextHeight = 0;
    int FEllipsisWidth = 0;
    QStringList FPreviouslySelected;
    std::unique_ptr<QImage> FMeasureImage;
    std::unique_ptr<TCanvas> FMeasureCanvas;
};

// The string tree the windows place.
class TLazyStringTree : public TCustomLazyStringTree
{
    Q_OBJECT

public:
    using TCustomLazyStringTree::TCustomLazyStringTree;
};
