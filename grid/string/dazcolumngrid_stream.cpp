// TDazColumnGrid: the column definitions as a component stream of the framework's binary
// format: "TPF0", the class name "TDazColumnGridIO", an empty component name, the property
// Items as a collection with one property list per column, then the end markers.
#include "grid/string/dazcolumngrid.h"
#include "grid/base/componentstream.h"

#include <QIODevice>
#include <QtEndian>
#include <array>
#include <map>
#include <variant>

namespace {

using namespace ComponentStream;

const char *const kStreamClass = "TDazColumnGridIO";

const std::array<const char *, 3> kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const std::array<const char *, 4> kBorders{"cbTop", "cbLeft", "cbRight", "cbBottom"};
const std::array<const char *, 6> kPopupTypes{"cpFixedCellsRClick", "cpFixedCellsLClick",
                                              "cpNormalCellsRClick", "cpNormalCellsLClick",
                                              "cpAllCellsRClick", "cpAllCellsLClick"};
const auto &kEditors = ComponentStream::EditorTypeIdents;
const std::array<const char *, 20> kSortStyles{
    "ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase", "ssAlphaCase",
    "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial", "ssAnsiAlphaCase",
    "ssAnsiAlphaNoCase", "ssRaw", "ssHTML", "ssImages", "ssCheckBox", "ssDateTime", "ssTime",
    "ssAlphaNumeric", "ssAlphaNumericNoCase"};
const std::array<const char *, 4> kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// Colours with a name in the framework's colour table.
const std::map<TColor, const char *> &ColorNames()
{
    static const std::map<TColor, const char *> names{
        {clBlack, "clBlack"},         {clWhite, "clWhite"},       {clNone, "clNone"},
        {clWindow, "clWindow"},       {clWindowText, "clWindowText"},
        {clBtnFace, "clBtnFace"},     {clSilver, "clSilver"},     {clInfoBk, "clInfoBk"},
        {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}};
    return names;
}

template <size_t N>
int IndexOfName(const std::array<const char *, N> &Names, const QString &S)
{
    for (size_t i = 0; i < N; ++i)
        if (S == QLatin1String(Names[i]))
            return int(i);
    return -1;
}

// ---------------------------------------------------------------------------------------
// Writing

class TWriter
{
public:
    QByteArray Out;

    void Byte(uint8_t B) { Out.append(char(B)); }
    void ShortString(const QString &S)
    {
        const QByteArray b = S.toLatin1().left(255);
        Byte(uint8_t(b.size()));
        Out.append(b);
    }
    void Int(int V)
    {
        if (V >= -128 && V <= 127) {
            Byte(vaInt8);
            Byte(uint8_t(int8_t(V)));
        } else if (V >= -32768 && V <= 32767) {
            Byte(vaInt16);
            Le16(int16_t(V));
        } else {
            Byte(vaInt32);
            Le32(V);
        }
    }
    void String(const QString &S)
    {
        bool latin = true;
        for (QChar c : S)
            latin = latin && c.unicode() < 256;
        if (!latin) {
            const QByteArray b = S.toUtf8();
            Byte(vaUTF8String);
            Le32(int32_t(b.size()));
            Out.append(b);
        } else if (S.size() <= 255) {
            Byte(vaString);
            ShortString(S);
        } else {
            const QByteArray b = S.toLatin1();
            Byte(vaLString);
            Le32(int32_t(b.size()));
            Out.append(b);
        }
    }
    void Ident(const QString &S)
    {
        Byte(vaIdent);
        ShortString(S);
    }
    void Bool(bool B) { Byte(B ? vaTrue : vaFalse); }
    void Set(const QStringList &Names)
    {
        Byte(vaSet);
        for (const QString &n : Names)
            ShortString(n);
        Byte(0);
    }
    void Color(TColor C)
    {
        const auto &names = ColorNames();
        if (auto it = names.find(C); it != names.end())
            Ident(QLatin1String(it->second));
        else
            Int(int(C));
    }
    void Strings(const TStringList &L)
    {
        Byte(vaList);
        for (int i = 0; i < L.Count(); ++i)
            String(L.Strings(i));
        Byte(vaNull);
    }

    // Property writers.
    void PropInt(const char *Name, int V)
    {
        ShortString(QLatin1String(Name));
        Int(V);
    }
    void PropString(const char *Name, const QString &V)
    {
        if (V.isEmpty())
            return;
        ShortString(QLatin1String(Name));
        String(V);
    }
    void PropIdent(const char *Name, const char *V)
    {
        ShortString(QLatin1String(Name));
        Ident(QLatin1String(V));
    }
    void PropBool(const char *Name, bool V)
    {
        ShortString(QLatin1String(Name));
        Bool(V);
    }
    void PropColor(const QString &Name, TColor V)
    {
        ShortString(Name);
        Color(V);
    }
    void PropBorders(const char *Name, TCellBorders V)
    {
        QStringList names;
        for (size_t i = 0; i < kBorders.size(); ++i)
            if (V.Contains(TCellBorder(i)))
                names << QLatin1String(kBorders[i]);
        ShortString(QLatin1String(Name));
        Set(names);
    }
    void PropStrings(const char *Name, const TStringList &L)
    {
        if (L.Count() == 0)
            return;
        ShortString(QLatin1String(Name) + QStringLiteral(".Strings"));
        Strings(L);
    }
    void PropFont(const char *Name, const TFontObject &F)
    {
        const QString n = QLatin1String(Name);
        const TFont &v = F.Value();
        if (v.Color != clWindowText)
            PropColor(n + QStringLiteral(".Color"), v.Color);
        if (v.Size != 0) {
            ShortString(n + QStringLiteral(".Height"));
            Int(F.Height());
        }
        if (!v.Name.isEmpty()) {
            ShortString(n + QStringLiteral(".Name"));
            String(v.Name);
        }
        if (v.Style != 0) {
            QStringList names;
            for (size_t i = 0; i < kFontStyles.size(); ++i)
                if (v.Style & (1u << i))
                    names << QLatin1String(kFontStyles[i]);
            ShortString(n + QStringLiteral(".Style"));
            Set(names);
        }
    }
    void PropPen(const char *Name, const TPenObject &P)
    {
        // Written whole: an item's pens do not start as the framework's pen does, so a
        // value left out could not be told from the item's own default.
        const QString n = QLatin1String(Name);
        PropColor(n + QStringLiteral(".Color"), P.Color());
        ShortString(n + QStringLiteral(".Width"));
        Int(P.Width());
    }

private:
    void Le16(int16_t V)
    {
        char b[2];
        qToLittleEndian(V, b);
        Out.append(b, 2);
    }
    void Le32(int32_t V)
    {
        char b[4];
        qToLittleEndian(V, b);
        Out.append(b, 4);
    }
};

void WriteItem(TWriter &W, TGridColumnItem &I)
{
    W.Byte(vaList);
    W.PropInt("AutoMinSize", I.AutoMinSize());
    W.PropInt("AutoMaxSize", I.AutoMaxSize());
    W.PropIdent("Alignment", kAlignments[size_t(I.Alignment())]);
    W.PropBorders("Borders", I.Borders());
    W.PropPen("BorderPen", I.BorderPen());
    W.PropString("CheckFalse", I.CheckFalse());
    W.PropString("CheckTrue", I.CheckTrue());
    W.PropColor(QStringLiteral("Color"), I.Color());
    if (I.ColumnPopup() && !I.ColumnPopup()->objectName().isEmpty()) {
        W.ShortString(QStringLiteral("ColumnPopup"));
        W.Ident(I.ColumnPopup()->objectName());
    }
    W.PropIdent("ColumnPopupType", kPopupTypes[size_t(I.ColumnPopupType())]);
    W.PropStrings("ComboItems", I.ComboItems());
    W.PropInt("DropDownCount", I.DropDownCount());
    W.PropInt("EditLength", I.EditLength());
    W.PropString("EditMask", I.EditMask());
    W.PropIdent("Editor", kEditors[size_t(I.Editor())]);
    W.PropStrings("Filter", I.Filter());
    W.PropBool("FilterCaseSensitive", I.FilterCaseSensitive());
    W.PropBool("Fixed", I.Fixed());
    W.PropString("FloatFormat", I.FloatFormat());
    W.PropFont("Font", I.Font());
    W.PropString("Header", I.Header());
    W.PropIdent("HeaderAlignment", kAlignments[size_t(I.HeaderAlignment())]);
    W.PropFont("HeaderFont", I.HeaderFont());
    W.PropInt("MinSize", I.MinSize());
    W.PropInt("MaxSize", I.MaxSize());
    W.PropString("Name", I.Name());
    W.PropBool("Password", I.Password());
    if (!I.PrintBorderCustom())
        W.PropBool("PrintBorderCustom", false);
    W.PropBorders("PrintBorders", I.PrintBorders());
    W.PropPen("PrintBorderPen", I.PrintBorderPen());
    W.PropColor(QStringLiteral("PrintColor"), I.PrintColor());
    if (!I.PrintFontCustom())
        W.PropBool("PrintFontCustom", false);
    W.PropFont("PrintFont", I.PrintFont());
    W.PropBool("ReadOnly", I.ReadOnly());
    W.PropBool("ShowBands", I.ShowBands());
    W.PropIdent("SortStyle", kSortStyles[size_t(I.SortStyle())]);
    W.PropString("SortPrefix", I.SortPrefix());
    W.PropString("SortSuffix", I.SortSuffix());
    W.PropInt("SpinMax", I.SpinMax());
    W.PropInt("SpinMin", I.SpinMin());
    W.PropInt("SpinStep", I.SpinStep());
    W.PropInt("Tag", I.Tag());
    W.PropInt("Width", I.Width());
    W.Byte(vaNull);
}

// ---------------------------------------------------------------------------------------
// Reading

struct TValue;
using TProps = std::vector<std::pair<QString, TValue>>;

struct TValue
{
    TValueType Type = vaNull;
    qint64 Int = 0;
    QString Text;          // strings and identifiers
    QStringList Names;     // sets, and the strings of a list
    std::vector<TProps> Items;   // a collection's items
};

class TReader
{
public:
    explicit TReader(const QByteArray &In) : FIn(In) {}

    void Signature()
    {
        if (FIn.size() < 4 || FIn.left(4) != "TPF0")
            Fail("Invalid stream format");
        FPos = 4;
    }
    uint8_t Byte()
    {
        if (FPos >= FIn.size())
            Fail("Unexpected end of the column stream");
        return uint8_t(FIn[FPos++]);
    }
    QString ShortString()
    {
        const int n = Byte();
        return QString::fromLatin1(Bytes(n));
    }
    // One value; nested lists and collections at most Depth deep.
    TValue Value(int Depth)
    {
        if (Depth > 8)
            Fail("The column stream nests too deep");
        TValue v;
        v.Type = TValueType(Byte());
        switch (v.Type) {
        case vaInt8:
            v.Int = int8_t(Byte());
            break;
        case vaInt16:
            v.Int = qFromLittleEndian<int16_t>(Bytes(2).constData());
            break;
        case vaInt32:
            v.Int = qFromLittleEndian<int32_t>(Bytes(4).constData());
            break;
        case vaInt64:
            v.Int = qFromLittleEndian<qint64>(Bytes(8).constData());
            break;
        case vaString:
            v.Text = QString::fromLatin1(Bytes(Byte()));
            break;
        case vaLString:
            v.Text = QString::fromLatin1(Bytes(Length()));
            break;
        case vaUTF8String:
            v.Text = QString::fromUtf8(Bytes(Length()));
            break;
        case vaWString: {
            const QByteArray b = Bytes(qint64(Length()) * 2);
            for (int i = 0; i + 1 < b.size(); i += 2)
                v.Text += QChar(qFromLittleEndian<quint16>(b.constData() + i));
            break;
        }
        case vaIdent:
            v.Text = ShortString();
            break;
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull:
            break;
        case vaSet:
            for (QString n = ShortString(); !n.isEmpty(); n = ShortString())
                v.Names << n;
            break;
        case vaList:
            while (Peek() != vaNull) {
                const TValue e = Value(Depth + 1);
                v.Names << e.Text;
            }
            Byte();
            break;
        case vaCollection:
            while (Peek() != vaNull) {
                const uint8_t kind = Byte();
                if (kind != vaList) {
                    // An item with an order value first.
                    --FPos;
                    Value(Depth + 1);
                    if (Byte() != vaList)
                        Fail("Invalid property value in the column stream");
                }
                v.Items.push_back(Properties(Depth + 1));
            }
            Byte();
            break;
        case vaExtended:
            Bytes(10);
            break;
        case vaSingle:
            Bytes(4);
            break;
        case vaCurrency:
        case vaDate:
        case vaDouble:
            Bytes(8);
            break;
        case vaBinary:
            Bytes(Length());
            break;
        default:
            Fail("Invalid property value in the column stream");
        }
        return v;
    }
    // Property names and values up to the end marker.
    TProps Properties(int Depth)
    {
        TProps props;
        while (Peek() != vaNull) {
            const QString name = ShortString();
            props.emplace_back(name, Value(Depth));
        }
        Byte();
        return props;
    }
    uint8_t Peek()
    {
        if (FPos >= FIn.size())
            Fail("Unexpected end of the column stream");
        return uint8_t(FIn[FPos]);
    }

    [[noreturn]] static void Fail(const char *Text) { throw EReadError(Text); }

private:
    qint64 Length()
    {
        const qint32 n = qFromLittleEndian<qint32>(Bytes(4).constData());
        if (n < 0)
            Fail("Invalid property value in the column stream");
        return n;
    }
    QByteArray Bytes(qint64 N)
    {
        if (N < 0 || N > FIn.size() - FPos)
            Fail("Unexpected end of the column stream");
        const QByteArray b = FIn.mid(FPos, N);
        FPos += N;
        return b;
    }

    const QByteArray &FIn;
    qint64 FPos = 0;
};

bool AsInt(const TValue &V, int &Out)
{
    if (V.Type == vaInt8 || V.Type == vaInt16 || V.Type == vaInt32 || V.Type == vaInt64) {
        Out = int(V.Int);
        return true;
    }
    return false;
}

bool AsColor(const TValue &V, TColor &Out)
{
    int i = 0;
    if (AsInt(V, i)) {
        Out = TColor(i);
        return true;
    }
    if (V.Type == vaIdent)
        for (const auto &[color, name] : ColorNames())
            if (V.Text == QLatin1String(name)) {
                Out = color;
                return true;
            }
    return false;
}

template <size_t N>
bool AsEnum(const TValue &V, const std::array<const char *, N> &Names, int &Out)
{
    const int i = V.Type == vaIdent ? IndexOfName(Names, V.Text) : -1;
    if (i >= 0) {
        Out = i;
        return true;
    }
    return false;
}

TCellBorders AsBorders(const TValue &V)
{
    TCellBorders b;
    for (const QString &n : V.Names)
        if (const int i = IndexOfName(kBorders, n); i >= 0)
            b.Include(TCellBorder(i));
    return b;
}

void ApplyFont(TFontObject &F, const QString &Sub, const TValue &V)
{
    int i = 0;
    TColor c = 0;
    if (Sub == QLatin1String("Color") && AsColor(V, c)) {
        F.SetColor(c);
    } else if (Sub == QLatin1String("Height") && AsInt(V, i)) {
        F.SetHeight(i);
    } else if (Sub == QLatin1String("Name") && !V.Text.isEmpty()) {
        F.SetName(V.Text);
    } else if (Sub == QLatin1String("Style") && V.Type == vaSet) {
        TFontStyles s = 0;
        for (const QString &n : V.Names)
            if (const int k = IndexOfName(kFontStyles, n); k >= 0)
                s |= TFontStyles(1u << k);
        F.SetStyle(s);
    }
}

void ApplyPen(TPenObject &P, const QString &Sub, const TValue &V)
{
    int i = 0;
    TColor c = 0;
    if (Sub == QLatin1String("Color") && AsColor(V, c))
        P.SetColor(c);
    else if (Sub == QLatin1String("Width") && AsInt(V, i))
        P.SetWidth(i);
}

// Applies one item's properties; an unknown property or a value of the wrong kind is
// passed over. Width goes to the grid's column of the item's index.
void ApplyItem(TGridColumnItem &I, const TProps &Props, TDazColumnGrid &Grid, int Index)
{
    for (const auto &[name, v] : Props) {
        const QString head = name.section(u'.', 0, 0);
        const QString sub = name.section(u'.', 1);
        int n = 0;
        TColor c = 0;
        if (!sub.isEmpty()) {
            if (head == QLatin1String("Font"))
                ApplyFont(I.Font(), sub, v);
            else if (head == QLatin1String("HeaderFont"))
                ApplyFont(I.HeaderFont(), sub, v);
            else if (head == QLatin1String("PrintFont"))
                ApplyFont(I.PrintFont(), sub, v);
            else if (head == QLatin1String("BorderPen"))
                ApplyPen(I.BorderPen(), sub, v);
            else if (head == QLatin1String("PrintBorderPen"))
                ApplyPen(I.PrintBorderPen(), sub, v);
            else if (sub == QLatin1String("Strings") && head == QLatin1String("ComboItems"))
                I.ComboItems().SetText(v.Names.join(QStringLiteral("\r\n")) +
                                       (v.Names.isEmpty() ? QString() : QStringLiteral("\r\n")));
            else if (sub == QLatin1String("Strings") && head == QLatin1String("Filter"))
                I.Filter().SetText(v.Names.join(QStringLiteral("\r\n")) +
                                   (v.Names.isEmpty() ? QString() : QStringLiteral("\r\n")));
            continue;
        }
        const bool boolean = v.Type == vaTrue || v.Type == vaFalse;
        const bool b = v.Type == vaTrue;
        if (name == QLatin1String("AutoMinSize") && AsInt(v, n))
            I.SetAutoMinSize(n);
        else if (name == QLatin1String("AutoMaxSize") && AsInt(v, n))
            I.SetAutoMaxSize(n);
        else if (name == QLatin1String("Alignment") && AsEnum(v, kAlignments, n))
            I.SetAlignment(TAlignment(n));
        else if (name == QLatin1String("Borders") && v.Type == vaSet)
            I.SetBorders(AsBorders(v));
        else if (name == QLatin1String("CheckFalse"))
            I.SetCheckFalse(v.Text);
        else if (name == QLatin1String("CheckTrue"))
            I.SetCheckTrue(v.Text);
        else if (name == QLatin1String("Color") && AsColor(v, c))
            I.SetColor(c);
        else if (name == QLatin1String("ColumnPopupType") && AsEnum(v, kPopupTypes, n))
            I.SetColumnPopupType(TColumnPopupType(n));
        else if (name == QLatin1String("DropDownCount") && AsInt(v, n))
            I.SetDropDownCount(n);
        else if (name == QLatin1String("EditLength") && AsInt(v, n))
            I.SetEditLength(n);
        else if (name == QLatin1String("EditMask"))
            I.SetEditMask(v.Text);
        else if (name == QLatin1String("Editor") && AsEnum(v, kEditors, n))
            I.SetEditor(TEditorType(n));
        else if (name == QLatin1String("FilterCaseSensitive") && boolean)
            I.SetFilterCaseSensitive(b);
        else if (name == QLatin1String("Fixed") && boolean)
            I.SetFixed(b);
        else if (name == QLatin1String("FloatFormat"))
            I.SetFloatFormat(v.Text);
        else if (name == QLatin1String("Header"))
            I.SetHeader(v.Text);
        else if (name == QLatin1String("HeaderAlignment") && AsEnum(v, kAlignments, n))
            I.SetHeaderAlignment(TAlignment(n));
        else if (name == QLatin1String("MinSize") && AsInt(v, n))
            I.SetMinSize(n);
        else if (name == QLatin1String("MaxSize") && AsInt(v, n))
            I.SetMaxSize(n);
        else if (name == QLatin1String("Name"))
            I.SetName(v.Text);
        else if (name == QLatin1String("Password") && boolean)
            I.SetPassword(b);
        else if (name == QLatin1String("PrintBorderCustom") && boolean)
            I.SetPrintBorderCustom(b);
        else if (name == QLatin1String("PrintBorders") && v.Type == vaSet)
            I.SetPrintBorders(AsBorders(v));
        else if (name == QLatin1String("PrintColor") && AsColor(v, c))
            I.SetPrintColor(c);
        else if (name == QLatin1String("PrintFontCustom") && boolean)
            I.SetPrintFontCustom(b);
        else if (name == QLatin1String("ReadOnly") && boolean)
            I.SetReadOnly(b);
        else if (name == QLatin1String("ShowBands") && boolean)
            I.SetShowBands(b);
        else if (name == QLatin1String("SortStyle") && AsEnum(v, kSortStyles, n))
            I.SetSortStyle(TSortStyle(n));
        else if (name == QLatin1String("SortPrefix"))
            I.SetSortPrefix(v.Text);
        else if (name == QLatin1String("SortSuffix"))
            I.SetSortSuffix(v.Text);
        else if (name == QLatin1String("SpinMax") && AsInt(v, n))
            I.SetSpinMax(n);
        else if (name == QLatin1String("SpinMin") && AsInt(v, n))
            I.SetSpinMin(n);
        else if (name == QLatin1String("SpinStep") && AsInt(v, n))
            I.SetSpinStep(n);
        else if (name == QLatin1String("Tag") && AsInt(v, n))
            I.SetTag(n);
        else if (name == QLatin1String("Width") && AsInt(v, n) && Index < Grid.AllColCount() &&
                 n >= 0)
            Grid.SetAllColWidths(Index, n);
    }
}

}   // namespace

void TDazColumnGrid::SaveColumnsToStream(QIODevice &Stream)
{
    TWriter w;
    w.Out.append("TPF0");
    w.ShortString(QLatin1String(kStreamClass));
    w.ShortString(QString());
    w.ShortString(QStringLiteral("Items"));
    w.Byte(vaCollection);
    for (int i = 0; i < FColumns->Count(); ++i)
        WriteItem(w, *FColumns->Items(i));
    w.Byte(vaNull);   // end of the collection
    w.Byte(vaNull);   // end of the component's properties
    w.Byte(vaNull);   // no child components
    if (Stream.write(w.Out) != w.Out.size())
        throw EReadError("The column stream could not be written");
}

void TDazColumnGrid::LoadColumnsFromStream(QIODevice &Stream)
{
    const QByteArray data = Stream.readAll();
    TReader r(data);
    r.Signature();
    const QString className = r.ShortString();
    if (className != QLatin1String(kStreamClass))
        TReader::Fail("The stream holds no column definitions");
    r.ShortString();   // the component's name
    const TProps props = r.Properties(0);
    if (r.Byte() != vaNull)   // no child components
        TReader::Fail("Invalid stream format");
    std::vector<TProps> items;
    for (const auto &[name, v] : props)
        if (name == QLatin1String("Items") && v.Type == vaCollection)
            items = v.Items;
    FColumns->BeginNoResize();
    struct Done
    {
        TDazColumnGrid *g;
        ~Done() { g->FColumns->EndNoResize(); }
    } done{this};
    // The grid keeps its number of columns: items beyond it are not read, columns beyond
    // the stream keep their definitions.
    const int n = std::min(int(items.size()), FColumns->Count());
    for (int i = 0; i < n; ++i) {
        TGridColumnItem *item = FColumns->Items(i);
        TGridColumnItem defaults(nullptr);
        defaults.SetColor(Color());
        defaults.Font().SetValue(Font().Value());
        defaults.HeaderFont().SetValue(Font().Value());
        defaults.PrintFont().SetValue(Font().Value());
        ApplyItem(defaults, items[size_t(i)], *this, i);
        item->Assign(&defaults);
    }
    RebuildColumnHeaders();
    Invalidate();
}
