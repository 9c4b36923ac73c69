#include "grid/tools/gridpersist.h"

#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "platform/colornames.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/rtl.h"
#include "platform/settings_store.h"
#include "platform/textcodec.h"

#include <QFileInfo>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace GridPersist {

// ---------------------------------------------------------------------------------------
// Column state string
// ---------------------------------------------------------------------------------------

namespace {

QStringList CommaList(const QString &Part)
{
    return Part.isEmpty() ? QStringList() : Part.split(QLatin1Char(','));
}

[[noreturn]] void BadState(const QString &Why)
{
    throw EDazGridError(QStringLiteral("Invalid column state: %1").arg(Why).toStdString());
}

std::vector<int> Numbers(const QStringList &List, int Count, const char *Part)
{
    if (List.size() < Count)
        BadState(QStringLiteral("%1 holds fewer than %2 entries").arg(QLatin1String(Part)).arg(Count));
    std::vector<int> v(static_cast<size_t>(Count));
    for (int i = 0; i < Count; ++i)
        if (!TryStrToInt(List[i], v[size_t(i)]))
            BadState(QStringLiteral("'%1' in %2 is not a number").arg(List[i], QLatin1String(Part)));
    return v;
}

// True when Order holds each of 0..Order.size()-1 exactly once.
bool IsPermutation(const std::vector<int> &Order)
{
    std::vector<bool> seen(Order.size(), false);
    for (int k : Order) {
        if (k < 0 || size_t(k) >= Order.size() || seen[size_t(k)])
            return false;
        seen[size_t(k)] = true;
    }
    return true;
}

// Moves the columns into Order (Order[p]: the first-order index of the column to stand at
// p) and leaves Order as the grid's column order list.
void ApplyColumnOrder(TDazStringGrid &Grid, const std::vector<int> &Order)
{
    std::vector<int> inverse(Order.size());
    for (size_t p = 0; p < Order.size(); ++p)
        inverse[size_t(Order[p])] = int(p);
    TIntList &list = Grid.ColumnOrder();
    list.Clear();
    for (size_t k = 0; k < inverse.size(); ++k)
        list.Insert(int(k), inverse[k]);
    Grid.ResetColumnOrder();
    list.Clear();
    for (size_t p = 0; p < Order.size(); ++p)
        list.Insert(int(p), Order[p]);
}

}   // namespace

QString ColumnStatesToString(TDazStringGrid &Grid)
{
    const int n = Grid.AllColCount();
    QStringList widths, order, visible;
    for (int i = 0; i < n; ++i)
        widths << QString::number(i < Grid.ColCount() ? Grid.ColWidths(i) : Grid.DefaultColWidth());
    const TIntList &list = Grid.ColumnOrder();
    if (list.Count() == 0)
        for (int i = 0; i < n; ++i)
            order << QString::number(i);
    else
        for (int i = 0; i < list.Count(); ++i)
            order << QString::number(list.GetInteger(i));
    for (int i = 0; i < n; ++i)
        visible << (Grid.IsHiddenColumn(i) ? QStringLiteral("0") : QStringLiteral("1"));
    return QString::number(n) + QLatin1Char('#') + widths.join(QLatin1Char(',')) +
           QLatin1Char('#') + order.join(QLatin1Char(',')) + QLatin1Char('#') +
           visible.join(QLatin1Char(','));
}

void StringToColumnStates(TDazStringGrid &Grid, const QString &Value)
{
    if (!Value.contains(QLatin1Char('#')))
        return;
    const QStringList parts = Value.split(QLatin1Char('#'));
    if (parts.size() < 4)
        BadState(QStringLiteral("it has %1 of its 4 parts").arg(parts.size()));
    int n = 0;
    if (!TryStrToInt(parts[0], n) || n < 1)
        BadState(QStringLiteral("'%1' is no column count").arg(parts[0]));
    const std::vector<int> widths = Numbers(CommaList(parts[1]), n, "the widths");
    for (int w : widths)
        if (w < 0)
            BadState(QStringLiteral("a width is negative"));
    const QStringList orderList = CommaList(parts[2]);
    std::vector<int> order;
    if (!orderList.isEmpty()) {
        order = Numbers(orderList, n, "the order");
        if (!IsPermutation(order))
            BadState(QStringLiteral("the order is no permutation of the columns"));
    }
    const QStringList visible = CommaList(parts[3]);
    if (visible.size() < n)
        BadState(QStringLiteral("the visibility holds fewer than %1 entries").arg(n));

    Grid.ColumnOrder().Clear();
    Grid.UnHideColumnsAll();
    Grid.SetColCount(n);
    if (!order.empty())
        ApplyColumnOrder(Grid, order);
    for (int c = n - 1; c >= 0; --c)
        if (visible[c] == QLatin1String("0"))
            Grid.HideColumn(c);

    TColumnSize &size = Grid.ColumnSize();
    const bool stretch = size.Stretch();
    size.SetStretch(false);
    if (stretch) {
        const int sc = size.StretchColumn() < 0 || size.StretchColumn() >= Grid.ColCount()
                           ? Grid.ColCount() - 1
                           : size.StretchColumn();
        Grid.SetDefaultColWidth(Grid.ColWidths(sc));
    }
    for (int i = 0; i < Grid.ColCount(); ++i)
        Grid.SetColWidths(i, widths[size_t(i)]);
    size.SetStretch(stretch);
}

// ---------------------------------------------------------------------------------------
// Column sizes and positions in a key-value store
// ---------------------------------------------------------------------------------------

QString ColumnStoreFile(const QString &Key)
{
    const QString folder = QFileInfo(RegistryFile()).absolutePath() + QStringLiteral("/grids");
    return folder + QLatin1Char('/') +
           QString::fromLatin1(QUrl::toPercentEncoding(Key, " ")) + QStringLiteral(".ini");
}

namespace {

// The store of Grid's ColumnSize, or nullptr when Key or Section is empty.
std::unique_ptr<TMemIniFile> OpenColumnStore(TDazStringGrid &Grid)
{
    const TColumnSize &cs = Grid.ColumnSize();
    if (cs.Key().isEmpty() || cs.Section().isEmpty())
        return nullptr;
    if (cs.Location() == clIniFile)
        return std::make_unique<TMemIniFile>(cs.Key());
    const QString file = ColumnStoreFile(cs.Key());
    Force_Dir(QFileInfo(file).absolutePath());
    return std::make_unique<TMemIniFile>(file);
}

QString ColKey(int i) { return QStringLiteral("Col%1").arg(i); }
QString PosKey(int i) { return QStringLiteral("Pos%1").arg(i); }

}   // namespace

void SaveColSizes(TDazStringGrid &Grid)
{
    auto store = OpenColumnStore(Grid);
    if (!store)
        return;
    const QString section = Grid.ColumnSize().Section();
    for (int i = 0; i < Grid.ColCount(); ++i)
        store->WriteInteger(section, ColKey(i), Grid.ColWidths(i));
    store->UpdateFile();
}

void LoadColSizes(TDazStringGrid &Grid)
{
    auto store = OpenColumnStore(Grid);
    if (!store)
        return;
    const QString section = Grid.ColumnSize().Section();
    for (int i = 0; i < Grid.ColCount(); ++i) {
        const int w = store->ReadInteger(section, ColKey(i), Grid.ColWidths(i));
        if (w >= 0 && w != Grid.ColWidths(i))
            Grid.SetColWidths(i, w);
    }
    store->UpdateFile();
}

void SaveColPositions(TDazStringGrid &Grid)
{
    auto store = OpenColumnStore(Grid);
    if (!store)
        return;
    const QString section = Grid.ColumnSize().Section();
    const TIntList &order = Grid.ColumnOrder();
    for (int i = 0; i < order.Count(); ++i)
        store->WriteInteger(section, PosKey(i), order.GetInteger(i));
    store->UpdateFile();
}

void LoadColPositions(TDazStringGrid &Grid)
{
    auto store = OpenColumnStore(Grid);
    if (!store)
        return;
    const QString section = Grid.ColumnSize().Section();
    const int n = Grid.AllColCount();
    if (store->ReadInteger(section, PosKey(0), -1) != -1) {
        std::vector<int> order(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            order[size_t(i)] = store->ReadInteger(section, PosKey(i), -1);
        if (IsPermutation(order)) {
            std::vector<int> hidden;
            for (int c = 0; c < n; ++c)
                if (Grid.IsHiddenColumn(c))
                    hidden.push_back(c);
            Grid.UnHideColumnsAll();
            ApplyColumnOrder(Grid, order);
            for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
                Grid.HideColumn(*it);
        }
    }
    store->UpdateFile();
}

// ---------------------------------------------------------------------------------------
// Visual properties file
// ---------------------------------------------------------------------------------------

namespace {

using G = TDazStringGrid;

enum class TKind { Colour, Boolean, Integer, Font, Choice };

// One line (a font: four) of the file, with the property it stands for.
struct TVisualProp {
    const char *Name;
    TKind Kind;
    std::function<int(G &)> Get;          // colour, Boolean, integer, choice
    std::function<void(G &, int)> Set;
    std::function<TFontObject &(G &)> Font;
    QStringList Choices;                  // identifiers in the order of the values
    QStringList Aliases;                  // further accepted names, as "index=NAME"
};

TVisualProp Colour(const char *Name, std::function<TColor(G &)> Get, std::function<void(G &, TColor)> Set)
{
    return {Name, TKind::Colour, [Get](G &g) { return int(Get(g)); },
            [Set](G &g, int v) { Set(g, TColor(v)); }, {}, {}, {}};
}

TVisualProp Boolean(const char *Name, std::function<bool(G &)> Get, std::function<void(G &, bool)> Set)
{
    return {Name, TKind::Boolean, [Get](G &g) { return int(Get(g)); },
            [Set](G &g, int v) { Set(g, v != 0); }, {}, {}, {}};
}

TVisualProp Integer(const char *Name, std::function<int(G &)> Get, std::function<void(G &, int)> Set)
{
    return {Name, TKind::Integer, std::move(Get), std::move(Set), {}, {}, {}};
}

TVisualProp Font(const char *Name, std::function<TFontObject &(G &)> Font)
{
    return {Name, TKind::Font, {}, {}, std::move(Font), {}, {}};
}

TVisualProp Choice(const char *Name, QStringList Choices, std::function<int(G &)> Get,
                   std::function<void(G &, int)> Set, QStringList Aliases = {})
{
    return {Name, TKind::Choice, std::move(Get), std::move(Set), {}, std::move(Choices),
            std::move(Aliases)};
}

// The lines in the order they are read.
const std::vector<TVisualProp> &VisualProps()
{
    static const std::vector<TVisualProp> props = {
        Colour("Color", [](G &g) { return g.Color(); }, [](G &g, TColor c) { g.SetColor(c); }),
        Colour("HintColor", [](G &g) { return g.HintColor(); }, [](G &g, TColor c) { g.SetHintColor(c); }),
        Colour("SelectionColor", [](G &g) { return g.SelectionColor(); },
               [](G &g, TColor c) { g.SetSelectionColor(c); }),
        Colour("SelectionColorTo", [](G &g) { return g.SelectionColorTo(); },
               [](G &g, TColor c) { g.SetSelectionColorTo(c); }),
        Colour("SelectionMirrorColor", [](G &g) { return g.SelectionMirrorColor(); },
               [](G &g, TColor c) { g.SetSelectionMirrorColor(c); }),
        Colour("SelectionMirrorColorTo", [](G &g) { return g.SelectionMirrorColorTo(); },
               [](G &g, TColor c) { g.SetSelectionMirrorColorTo(c); }),
        Colour("SelectionTextColor", [](G &g) { return g.SelectionTextColor(); },
               [](G &g, TColor c) { g.SetSelectionTextColor(c); }),
        Colour("URLColor", [](G &g) { return g.URLColor(); }, [](G &g, TColor c) { g.SetURLColor(c); }),
        Boolean("URLShow", [](G &g) { return g.URLShow(); }, [](G &g, bool b) { g.SetURLShow(b); }),
        Boolean("URLShowInText", [](G &g) { return g.URLShowInText(); },
                [](G &g, bool b) { g.SetURLShowInText(b); }),
        Colour("ScrollColor", [](G &g) { return g.ScrollColor(); }, [](G &g, TColor c) { g.SetScrollColor(c); }),
        Colour("ActiveRowColor", [](G &g) { return g.ActiveRowColor(); },
               [](G &g, TColor c) { g.SetActiveRowColor(c); }),
        Boolean("ActiveRowShow", [](G &g) { return g.ActiveRowShow(); },
                [](G &g, bool b) { g.SetActiveRowShow(b); }),
        Boolean("ActiveCellShow", [](G &g) { return g.ActiveCellShow(); },
                [](G &g, bool b) { g.SetActiveCellShow(b); }),
        Font("Font", [](G &g) -> TFontObject & { return g.Font(); }),
        Colour("ActiveCellColor", [](G &g) { return g.ActiveCellColor(); },
               [](G &g, TColor c) { g.SetActiveCellColor(c); }),
        Colour("ActiveCellColorTo", [](G &g) { return g.ActiveCellColorTo(); },
               [](G &g, TColor c) { g.SetActiveCellColorTo(c); }),
        Font("ActiveCellFont", [](G &g) -> TFontObject & { return g.ActiveCellFont(); }),
        Font("FixedFont", [](G &g) -> TFontObject & { return g.FixedFont(); }),
        Colour("Balloon.BackgroundColor", [](G &g) { return g.Balloon().BackgroundColor(); },
               [](G &g, TColor c) { g.Balloon().SetBackgroundColor(c); }),
        Colour("Balloon.TextColor", [](G &g) { return g.Balloon().TextColor(); },
               [](G &g, TColor c) { g.Balloon().SetTextColor(c); }),
        Integer("Balloon.Transparency", [](G &g) { return int(g.Balloon().Transparency()); },
                [](G &g, int v) { g.Balloon().SetTransparency(uint8_t(v)); }),
        Colour("Bands.PrimaryColor", [](G &g) { return g.Bands().PrimaryColor(); },
               [](G &g, TColor c) { g.Bands().SetPrimaryColor(c); }),
        Colour("Bands.SecondaryColor", [](G &g) { return g.Bands().SecondaryColor(); },
               [](G &g, TColor c) { g.Bands().SetSecondaryColor(c); }),
        Boolean("Bands.Active", [](G &g) { return g.Bands().Active(); },
                [](G &g, bool b) { g.Bands().SetActive(b); }),
        Colour("SortSettings.IndexColor", [](G &g) { return g.SortSettings().IndexColor(); },
               [](G &g, TColor c) { g.SortSettings().SetIndexColor(c); }),
        Colour("FloatingFooter.Color", [](G &g) { return g.FloatingFooter().Color(); },
               [](G &g, TColor c) { g.FloatingFooter().SetColor(c); }),
        Integer("ControlLook.CheckSize", [](G &g) { return g.ControlLook().CheckSize(); },
                [](G &g, int v) { g.ControlLook().SetCheckSize(v); }),
        Colour("ControlLook.Color", [](G &g) { return g.ControlLook().Color(); },
               [](G &g, TColor c) { g.ControlLook().SetColor(c); }),
        Colour("ControlLook.CommentColor", [](G &g) { return g.ControlLook().CommentColor(); },
               [](G &g, TColor c) { g.ControlLook().SetCommentColor(c); }),
        Choice("ControlLook.ControlStyle",
               {"csClassic", "csFlat", "csWinXP", "csQuillon", "csQVR", "csGlyph", "csTheme"},
               [](G &g) { return int(g.ControlLook().ControlStyle()); },
               [](G &g, int v) { g.ControlLook().SetControlStyle(TControlStyle(v)); },
               {"csVantrel"}),
        Colour("ControlLook.FixedGradientFrom", [](G &g) { return g.ControlLook().FixedGradientFrom(); },
               [](G &g, TColor c) { g.ControlLook().SetFixedGradientFrom(c); }),
        Colour("ControlLook.FixedGradientTo", [](G &g) { return g.ControlLook().FixedGradientTo(); },
               [](G &g, TColor c) { g.ControlLook().SetFixedGradientTo(c); }),
        Integer("ControlLook.RadioSize", [](G &g) { return g.ControlLook().RadioSize(); },
                [](G &g, int v) { g.ControlLook().SetRadioSize(v); }),
        Boolean("ControlLook.FlatButton", [](G &g) { return g.ControlLook().FlatButton(); },
                [](G &g, bool b) { g.ControlLook().SetFlatButton(b); }),
        Colour("ControlLook.ProgressBorderColor", [](G &g) { return g.ControlLook().ProgressBorderColor(); },
               [](G &g, TColor c) { g.ControlLook().SetProgressBorderColor(c); }),
        Boolean("ControlLook.ProgressXP", [](G &g) { return g.ControlLook().ProgressXP(); },
                [](G &g, bool b) { g.ControlLook().SetProgressXP(b); }),
        Choice("Look",
               {"glStandard", "glSoft", "glClassic", "glQVR", "glXP", "glListView", "glVista",
                "glWin7", "glOffice2007"},
               [](G &g) { return int(g.Look()); }, [](G &g, int v) { g.SetLook(TGridLook(v)); }),
        Colour("SearchFooter.Color", [](G &g) { return g.SearchFooter().Color(); },
               [](G &g, TColor c) { g.SearchFooter().SetColor(c); }),
        Colour("SearchFooter.ColorTo", [](G &g) { return g.SearchFooter().ColorTo(); },
               [](G &g, TColor c) { g.SearchFooter().SetColorTo(c); }),
        Colour("GridLineColor", [](G &g) { return g.GridLineColor(); },
               [](G &g, TColor c) { g.SetGridLineColor(c); }),
        Colour("GridFixedLineColor", [](G &g) { return g.GridFixedLineColor(); },
               [](G &g, TColor c) { g.SetGridFixedLineColor(c); }),
        Colour("Grouping.HeaderColor", [](G &g) { return g.Grouping().HeaderColor(); },
               [](G &g, TColor c) { g.Grouping().SetHeaderColor(c); }),
        Colour("Grouping.HeaderColorTo", [](G &g) { return g.Grouping().HeaderColorTo(); },
               [](G &g, TColor c) { g.Grouping().SetHeaderColorTo(c); }),
        Colour("Grouping.HeaderTextColor", [](G &g) { return g.Grouping().HeaderTextColor(); },
               [](G &g, TColor c) { g.Grouping().SetHeaderTextColor(c); }),
        Boolean("Grouping.HeaderUnderline", [](G &g) { return g.Grouping().HeaderUnderline(); },
                [](G &g, bool b) { g.Grouping().SetHeaderUnderline(b); }),
        Colour("Grouping.HeaderLineColor", [](G &g) { return g.Grouping().HeaderLineColor(); },
               [](G &g, TColor c) { g.Grouping().SetHeaderLineColor(c); }),
        Integer("Grouping.HeaderLineWidth", [](G &g) { return g.Grouping().HeaderLineWidth(); },
                [](G &g, int v) { g.Grouping().SetHeaderLineWidth(v); }),
        Colour("Grouping.SummaryColor", [](G &g) { return g.Grouping().SummaryColor(); },
               [](G &g, TColor c) { g.Grouping().SetSummaryColor(c); }),
        Colour("Grouping.SummaryColorTo", [](G &g) { return g.Grouping().SummaryColorTo(); },
               [](G &g, TColor c) { g.Grouping().SetSummaryColorTo(c); }),
        Colour("Grouping.SummaryTextColor", [](G &g) { return g.Grouping().SummaryTextColor(); },
               [](G &g, TColor c) { g.Grouping().SetSummaryTextColor(c); }),
        Boolean("Grouping.SummaryLine", [](G &g) { return g.Grouping().SummaryLine(); },
                [](G &g, bool b) { g.Grouping().SetSummaryLine(b); }),
        Colour("Grouping.SummaryLineColor", [](G &g) { return g.Grouping().SummaryLineColor(); },
               [](G &g, TColor c) { g.Grouping().SetSummaryLineColor(c); }),
        Integer("Grouping.SummaryLineWidth", [](G &g) { return g.Grouping().SummaryLineWidth(); },
                [](G &g, int v) { g.Grouping().SetSummaryLineWidth(v); }),
        Integer("BackGround.Top", [](G &g) { return g.BackGround().Top(); },
                [](G &g, int v) { g.BackGround().SetTop(v); }),
        Integer("BackGround.Left", [](G &g) { return g.BackGround().Left(); },
                [](G &g, int v) { g.BackGround().SetLeft(v); }),
        Choice("BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
               [](G &g) { return int(g.BackGround().Display()); },
               [](G &g, int v) { g.BackGround().SetDisplay(TBackGroundDisplay(v)); }),
        Choice("BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"},
               [](G &g) { return int(g.BackGround().Cells()); },
               [](G &g, int v) { g.BackGround().SetCells(TBackGroundCells(v)); }),
        Colour("BackGround.Color", [](G &g) { return g.BackGround().Color(); },
               [](G &g, TColor c) { g.BackGround().SetColor(c); }),
        Colour("BackGround.ColorTo", [](G &g) { return g.BackGround().ColorTo(); },
               [](G &g, TColor c) { g.BackGround().SetColorTo(c); }),
    };
    return props;
}

// The writer's order: the grid line colours follow the grouping lines.
std::vector<const TVisualProp *> WriteOrder()
{
    std::vector<const TVisualProp *> lines, gridLines;
    for (const TVisualProp &p : VisualProps()) {
        const QLatin1String name(p.Name);
        if (name == QLatin1String("GridLineColor") || name == QLatin1String("GridFixedLineColor"))
            gridLines.push_back(&p);
        else
            lines.push_back(&p);
    }
    auto lastGrouping = lines.begin();
    for (auto it = lines.begin(); it != lines.end(); ++it)
        if (QLatin1String((*it)->Name).startsWith(QLatin1String("Grouping.")))
            lastGrouping = it + 1;
    lines.insert(lastGrouping, gridLines.begin(), gridLines.end());
    return lines;
}

QString StyleText(TFontStyles Style)
{
    QStringList s;
    if (Style & fsBold)
        s << QStringLiteral("fsBold");
    if (Style & fsItalic)
        s << QStringLiteral("fsItalic");
    if (Style & fsUnderline)
        s << QStringLiteral("fsUnderline");
    if (Style & fsStrikeOut)
        s << QStringLiteral("fsStrikeOut");
    return s.join(QLatin1Char(','));
}

TFontStyles StyleFromText(const QString &Text)
{
    TFontStyles s = 0;
    if (Text.contains(QLatin1String("fsBold")))
        s |= fsBold;
    if (Text.contains(QLatin1String("fsItalic")))
        s |= fsItalic;
    if (Text.contains(QLatin1String("fsUnderline")))
        s |= fsUnderline;
    if (Text.contains(QLatin1String("fsStrikeOut")))
        s |= fsStrikeOut;
    return s;
}

QString Line(const QString &Name, const QString &Value) { return Name + QLatin1Char('=') + Value; }

// The lines of a file as name -> value, the first line of a name winning.
class TValueLines
{
public:
    explicit TValueLines(const QStringList &Lines)
    {
        for (const QString &l : Lines) {
            const qsizetype eq = l.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            const QString key = l.left(eq).toUpper();
            if (!values_.contains(key))
                values_.insert(key, l.mid(eq + 1));
        }
    }
    // Empty when the name is missing.
    QString Value(const QString &Name) const { return values_.value(Name.toUpper()); }
    bool Has(const QString &Name) const { return values_.contains(Name.toUpper()); }

private:
    QHash<QString, QString> values_;
};

TColor ColourValue(const QString &Value) { return Value.isEmpty() ? clNone : StringToColor(Value); }

}   // namespace

void SaveVisualProps(TDazStringGrid &Grid, const QString &FileName)
{
    QStringList out;
    for (const TVisualProp *p : WriteOrder()) {
        const QString name = QLatin1String(p->Name);
        switch (p->Kind) {
        case TKind::Colour:
            out << Line(name, ColorToString(TColor(p->Get(Grid))));
            break;
        case TKind::Boolean:
            out << Line(name, p->Get(Grid) ? QStringLiteral("true") : QStringLiteral("false"));
            break;
        case TKind::Integer:
            out << Line(name, QString::number(p->Get(Grid)));
            break;
        case TKind::Font: {
            const TFontObject &f = p->Font(Grid);
            out << Line(name + QStringLiteral(".Color"), ColorToString(f.Color()))
                << Line(name + QStringLiteral(".Style"), StyleText(f.Style()))
                << Line(name + QStringLiteral(".Size"), QString::number(f.Size()))
                << Line(name + QStringLiteral(".Name"), f.Name());
            break;
        }
        case TKind::Choice: {
            const int v = p->Get(Grid);
            if (v >= 0 && v < p->Choices.size())
                out << Line(name, p->Choices[v]);
            else if (name == QLatin1String("Look"))
                out << Line(name, QString());   // the custom look
            break;
        }
        }
    }
    QString text;
    for (const QString &l : out)
        text += l + QStringLiteral("\r\n");
    try {
        Write_File_Atomic(FileName, Encode_Windows1252(text));
    } catch (const std::exception &) {
        throw EDazGridError((QStringLiteral("Cannot Create ") + FileName).toStdString());
    }
}

void LoadVisualProps(TDazStringGrid &Grid, const QString &FileName)
{
    QByteArray bytes;
    try {
        bytes = Read_File(FileName);
    } catch (const std::exception &) {
        throw EDazGridError((QStringLiteral("Cannot open file ") + FileName).toStdString());
    }
    const TValueLines values(Split_Lines(Decode_Text(bytes)));

    // Every value is converted first; only a file that reads whole changes the grid.
    std::vector<std::function<void()>> apply;
    for (const TVisualProp &p : VisualProps()) {
        const QString name = QLatin1String(p.Name);
        const QString value = values.Value(name);
        switch (p.Kind) {
        case TKind::Colour: {
            const TColor c = ColourValue(value);
            apply.push_back([&p, &Grid, c] { p.Set(Grid, int(c)); });
            break;
        }
        case TKind::Boolean: {
            const bool b = value.toUpper() == QLatin1String("TRUE");
            apply.push_back([&p, &Grid, b] { p.Set(Grid, b); });
            break;
        }
        case TKind::Integer: {
            const int v = StrToInt(value);
            apply.push_back([&p, &Grid, v] { p.Set(Grid, v); });
            break;
        }
        case TKind::Font: {
            const TColor color = ColourValue(values.Value(name + QStringLiteral(".Color")));
            const TFontStyles style = StyleFromText(values.Value(name + QStringLiteral(".Style")));
            const int size = StrToInt(values.Value(name + QStringLiteral(".Size")));
            const QString face = values.Value(name + QStringLiteral(".Name"));
            apply.push_back([&p, &Grid, color, style, size, face] {
                TFontObject &f = p.Font(Grid);
                f.SetColor(color);
                f.SetStyle(style);
                f.SetSize(size);
                f.SetName(face);
            });
            break;
        }
        case TKind::Choice: {
            const QString upper = value.toUpper();
            int index = -1;
            for (int i = 0; i < p.Choices.size() && index < 0; ++i)
                if (p.Choices[i].toUpper() == upper)
                    index = i;
            // Another name of the fourth control style.
            if (index < 0 && !p.Aliases.isEmpty() && p.Aliases.first().toUpper() == upper)
                index = 3;
            if (index >= 0)
                apply.push_back([&p, &Grid, index] { p.Set(Grid, index); });
            break;
        }
        }
    }
    for (const auto &a : apply)
        a();
}

// ---------------------------------------------------------------------------------------
// Print settings
// ---------------------------------------------------------------------------------------

namespace {

QString YN(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

void WriteFont(TMemIniFile &Ini, const QString &Section, const QString &Prefix, const TFontObject &F)
{
    Ini.WriteString(Section, Prefix + QStringLiteral("Name"), F.Name());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Size"), F.Size());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Style"), int(F.Style()));
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Color"), int(F.Color()));
}

void ReadFont(const TMemIniFile &Ini, const QString &Section, const QString &Prefix, TFontObject &F)
{
    F.SetName(Ini.ReadString(Section, Prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
    F.SetSize(Ini.ReadInteger(Section, Prefix + QStringLiteral("Size"), 10));
    // Exactly the stored styles, not added to the current ones.
    F.SetStyle(TFontStyles(Ini.ReadInteger(Section, Prefix + QStringLiteral("Style"), 0)) &
               (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    F.SetColor(TColor(Ini.ReadInteger(Section, Prefix + QStringLiteral("Color"), 0)));
}

TPrintPosition Position(int Value) { return Value >= 1 && Value <= 6 ? TPrintPosition(Value) : ppNone; }

}   // namespace

void SavePrintSettings(TDazStringGrid &Grid, const QString &Key, const QString &Section)
{
    const TPrintSettings &ps = Grid.PrintSettings();
    TMemIniFile ini(Key);
    const QString &s = Section;
    ini.WriteInteger(s, QStringLiteral("ColumnSpacing"), ps.ColumnSpacing());
    ini.WriteInteger(s, QStringLiteral("RowSpacing"), ps.RowSpacing());
    ini.WriteInteger(s, QStringLiteral("TitleSpacing"), ps.TitleSpacing());
    ini.WriteInteger(s, QStringLiteral("FixedHeight"), ps.FixedHeight());
    ini.WriteInteger(s, QStringLiteral("FixedWidth"), ps.FixedWidth());
    ini.WriteString(s, QStringLiteral("Centered"), YN(ps.Centered()));
    ini.WriteString(s, QStringLiteral("NoAutoSize"), YN(ps.NoAutoSize()));
    ini.WriteString(s, QStringLiteral("UseFixedHeight"), YN(ps.UseFixedHeight()));
    ini.WriteString(s, QStringLiteral("UseFixedWidth"), YN(ps.UseFixedWidth()));
    ini.WriteString(s, QStringLiteral("RepeatFixedRows"), YN(ps.RepeatFixedRows()));
    ini.WriteString(s, QStringLiteral("RepeatFixedCols"), YN(ps.RepeatFixedCols()));
    ini.WriteString(s, QStringLiteral("UseDisplFont"), YN(ps.UseDisplayFont()));
    ini.WriteString(s, QStringLiteral("UseDefOrientation"), YN(ps.UseDefaultOrientation()));
    ini.WriteInteger(s, QStringLiteral("Borders"), int(ps.Borders()));
    ini.WriteInteger(s, QStringLiteral("BorderColor"), int(ps.BorderColor()));
    ini.WriteInteger(s, QStringLiteral("BorderStyle"), int(ps.BorderStyle()));
    ini.WriteInteger(s, QStringLiteral("Date"), int(ps.Date()));
    ini.WriteInteger(s, QStringLiteral("PageNr"), int(ps.PageNr()));
    ini.WriteInteger(s, QStringLiteral("Title"), int(ps.Title()));
    ini.WriteInteger(s, QStringLiteral("Time"), int(ps.Time()));
    ini.WriteString(s, QStringLiteral("DateFormat"), ps.DateFormat());
    ini.WriteString(s, QStringLiteral("TitleText"), ps.TitleText());
    ini.WriteInteger(s, QStringLiteral("FooterSize"), ps.FooterSize());
    ini.WriteInteger(s, QStringLiteral("HeaderSize"), ps.HeaderSize());
    ini.WriteInteger(s, QStringLiteral("LeftSize"), ps.LeftSize());
    ini.WriteInteger(s, QStringLiteral("RightSize"), ps.RightSize());
    ini.WriteInteger(s, QStringLiteral("FitToPage"), int(ps.FitToPage()));
    WriteFont(ini, s, QStringLiteral("Font"), ps.Font());
    WriteFont(ini, s, QStringLiteral("HeaderFont"), ps.HeaderFont());
    WriteFont(ini, s, QStringLiteral("FooterFont"), ps.FooterFont());
    ini.WriteString(s, QStringLiteral("PageNumSep"), ps.PageNumSep());
    ini.WriteString(s, QStringLiteral("PageSuffix"), ps.PageSuffix());
    ini.WriteString(s, QStringLiteral("PagePrefix"), ps.PagePrefix());
    ini.WriteInteger(s, QStringLiteral("Orientation"), int(ps.Orientation()));
    ini.WriteString(s, QStringLiteral("TitleLines"), EscapeNewlines(ps.TitleLines().Text()));
    ini.WriteString(s, QStringLiteral("PrintGraphics"), YN(ps.PrintGraphics()));
    ini.UpdateFile();
}

void LoadPrintSettings(TDazStringGrid &Grid, const QString &Key, const QString &Section)
{
    TPrintSettings &ps = Grid.PrintSettings();
    TMemIniFile ini(Key);
    const QString &s = Section;
    auto yes = [&](const char *key, const char *def) {
        return ini.ReadString(s, QLatin1String(key), QLatin1String(def)) == QLatin1String("Y");
    };
    auto num = [&](const char *key, int def) { return ini.ReadInteger(s, QLatin1String(key), def); };
    auto text = [&](const char *key) { return ini.ReadString(s, QLatin1String(key), QString()); };

    ps.SetColumnSpacing(num("ColumnSpacing", 20));
    ps.SetRowSpacing(num("RowSpacing", 20));
    ps.SetTitleSpacing(num("TitleSpacing", 20));
    ps.SetFixedHeight(num("FixedHeight", 0));
    ps.SetFixedWidth(num("FixedWidth", 0));
    ps.SetCentered(yes("Centered", "Y"));
    ps.SetNoAutoSize(yes("NoAutoSize", "N"));
    ps.SetUseFixedHeight(yes("UseFixedHeight", "N"));
    ps.SetUseFixedWidth(yes("UseFixedWidth", "N"));
    ps.SetRepeatFixedRows(yes("RepeatFixedRows", "N"));
    ps.SetRepeatFixedCols(yes("RepeatFixedCols", "N"));
    ps.SetUseDisplayFont(yes("UseDisplFont", "N"));
    ps.SetUseDefaultOrientation(yes("UseDefOrientation", "N"));
    ps.SetDateFormat(text("DateFormat"));
    ps.SetTitleText(text("TitleText"));
    ps.SetFooterSize(num("FooterSize", 100));
    ps.SetHeaderSize(num("HeaderSize", 100));
    ps.SetLeftSize(num("LeftSize", 100));
    ps.SetRightSize(num("RightSize", 100));
    ps.SetPageNumSep(text("PageNumSep"));
    ps.SetPageSuffix(text("PageSuffix"));
    ps.SetPagePrefix(text("PagePrefix"));
    ps.SetPrintGraphics(yes("PrintGraphics", "N"));
    const int borders = num("Borders", 0);
    if (borders >= 0 && borders <= 8)
        ps.SetBorders(TPrintBorders(borders));
    const int borderStyle = num("BorderStyle", 0);
    if (borderStyle >= 0 && borderStyle <= 6)
        ps.SetBorderStyle(TPenStyle(borderStyle));
    ps.SetBorderColor(TColor(num("BorderColor", 0)));
    ps.SetDate(Position(num("Date", 0)));
    ps.SetPageNr(Position(num("PageNr", 0)));
    ps.SetTitle(Position(num("Title", 0)));
    ps.SetTime(Position(num("Time", 0)));
    const int fit = num("FitToPage", 0);
    if (fit >= 0 && fit <= 4)
        ps.SetFitToPage(TFitToPage(fit));
    ReadFont(ini, s, QStringLiteral("Font"), ps.Font());
    ReadFont(ini, s, QStringLiteral("HeaderFont"), ps.HeaderFont());
    ReadFont(ini, s, QStringLiteral("FooterFont"), ps.FooterFont());
    TStringList lines;
    lines.SetText(UnescapeNewlines(text("TitleLines")));
    ps.SetTitleLines(lines);
    const int orientation = num("Orientation", 0);
    if (orientation == 0 || orientation == 1)
        ps.SetOrientation(TPrinterOrientation(orientation));
    ini.UpdateFile();
}

}   // namespace GridPersist
