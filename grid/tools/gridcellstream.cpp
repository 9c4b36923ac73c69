#include "grid/tools/gridcellstream.h"
#include "grid/base/componentstream.h"

#include "grid/base/gridadapters.h"
#include "grid/base/intlist.h"
#include "grid/base/stringlist.h"
#include "grid/base/textroutines.h"
#include "grid/string/bitmap.h"
#include "grid/string/cellgraphic.h"
#include "grid/tools/gridoutput.h"
#include "grid/tools/gridtoolstate.h"
#include "platform/atomicfile.h"
#include "platform/colornames.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QImage>
#include <QWidget>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace GridCellStream {

// ---------------------------------------------------------------------------------------
// 80-bit extended floats
// ---------------------------------------------------------------------------------------

void DoubleToExtended(double Value, unsigned char Out[10])
{
    uint64_t bits;
    std::memcpy(&bits, &Value, 8);
    const unsigned sign = unsigned(bits >> 63);
    const int exp = int((bits >> 52) & 0x7FF);
    uint64_t frac = bits & ((uint64_t(1) << 52) - 1);
    uint64_t mant = 0;
    int e = 0;
    if (exp == 0 && frac == 0) {
        e = 0;
    } else if (exp == 0x7FF) {   // infinity, NaN
        e = 0x7FFF;
        mant = (uint64_t(1) << 63) | (frac << 11);
    } else if (exp == 0) {   // subnormal: normalise, the extended range holds it
        int shift = 0;
        while (!(frac & (uint64_t(1) << 52))) {
            frac <<= 1;
            ++shift;
        }
        e = 1 - 1023 - shift + 16383;
        mant = frac << 11;
    } else {
        e = exp - 1023 + 16383;
        mant = (uint64_t(1) << 63) | (frac << 11);
    }
    qToLittleEndian<quint64>(mant, Out);
    qToLittleEndian<quint16>(quint16((sign << 15) | unsigned(e)), Out + 8);
}

double ExtendedToDouble(const unsigned char In[10])
{
    const uint64_t mant = qFromLittleEndian<quint64>(In);
    const unsigned se = qFromLittleEndian<quint16>(In + 8);
    const bool negative = se & 0x8000;
    const int e = int(se & 0x7FFF);
    double v;
    if (e == 0x7FFF)
        v = (mant << 1) ? std::nan("") : INFINITY;
    else
        v = std::ldexp(double(mant), e - 16383 - 63);   // explicit integer bit: no hidden 1
    return negative ? -v : v;
}

namespace {

// ---------------------------------------------------------------------------------------
// Names of enumerations as the stream writes them
// ---------------------------------------------------------------------------------------

template <size_t N>
using TNames = std::array<const char *, N>;

const TNames<3> kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const TNames<8> kBrushStyles{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                             "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const auto &kEditors = ComponentStream::EditorTypeIdents;
const TNames<2> kGradients{"GradientVertical", "GradientHorizontal"};
const TNames<3> kVAlignments{"vtaTop", "vtaCenter", "vtaBottom"};
const TNames<33> kCellTypes{
    "ctBitmap",      "ctIcon",        "ctNone",           "ctImageList",   "ctCheckBox",
    "ctDataCheckBox", "ctRotated",    "ctDataImage",      "ctNode",        "ctRadio",
    "ctEmpty",       "ctImages",      "ctPicture",        "ctFilePicture", "ctValue",
    "ctProgress",    "ctComment",     "ctButton",         "ctBitButton",   "ctVirtCheckBox",
    "ctRowCheckBox", "ctProgressPie", "ctSummary",        "ctRangeIndicator", "ctXPProgress",
    "ctInterface",   "ctScrollbar",   "ctRadioButton",    "ctBalloon",     "ctShape",
    "ctRating",      "ctTriStateCheckBox", "ctExpand"};
const TNames<6> kCellVAligns{"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
const TNames<6> kCellHAligns{"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
const TNames<3> kCheckStates{"cbUnchecked", "cbChecked", "cbGrayed"};
const TNames<4> kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

using namespace ComponentStream;

[[noreturn]] void ReadFault(const QString &Why)
{
    throw EGridStreamReadError(QStringLiteral("Error reading cell stream: %1").arg(Why).toStdString());
}

template <size_t N>
int EnumIndex(const TNames<N> &Names, const QString &Ident)
{
    for (size_t i = 0; i < N; ++i)
        if (Ident == QLatin1String(Names[i]))
            return int(i);
    ReadFault(QStringLiteral("invalid property value %1").arg(Ident));
}

// ---------------------------------------------------------------------------------------
// Writing records
// ---------------------------------------------------------------------------------------

class TRecordWriter : public TOutBuffer
{
public:
    using TOutBuffer::TOutBuffer;

    void Begin(std::string_view Class)
    {
        Raw("TPF0", 4);
        Short(Class);
        Byte(0);
    }
    void End() { Raw("\0\0", 2); }

    void Int(std::string_view Name, int64_t V)
    {
        Short(Name);
        IntValue(V);
    }
    void Bool(std::string_view Name, bool V)
    {
        Short(Name);
        Byte(V ? vaTrue : vaFalse);
    }
    void Ident(std::string_view Name, const char *Id)
    {
        Short(Name);
        Byte(vaIdent);
        Short(Id);
    }
    void Color(std::string_view Name, TColor V)
    {
        const QString s = ColorToString(V);
        if (s.startsWith(u'$')) {
            Int(Name, int32_t(V));
        } else {
            Short(Name);
            Byte(vaIdent);
            Short(s.toLatin1().toStdString());
        }
    }
    void Text(std::string_view Name, QStringView S)
    {
        if (S.isEmpty())
            return;
        Short(Name);
        TextValue(S);
    }
    void Extended(std::string_view Name, double V)
    {
        if (V == 0)
            return;
        Short(Name);
        Byte(vaExtended);
        unsigned char b[10];
        DoubleToExtended(V, b);
        Raw(reinterpret_cast<const char *>(b), 10);
    }
    void Set(std::string_view Name, TFontStyles V)
    {
        Short(Name);
        Byte(vaSet);
        for (size_t i = 0; i < kFontStyles.size(); ++i)
            if (V & (1u << i))
                Short(kFontStyles[i]);
        Byte(0);
    }
    void Binary(std::string_view Name, const QByteArray &Data)
    {
        if (Data.isEmpty())
            return;
        Short(Name);
        Byte(vaBinary);
        Le32(int32_t(Data.size()));
        Raw(Data.constData(), Data.size());
    }
    void List(std::string_view Name, const QStringList &Items)
    {
        if (Items.isEmpty())
            return;
        Short(Name);
        Byte(vaList);
        for (const QString &s : Items)
            TextValue(s);
        Byte(0);
    }

private:
    void Byte(uint8_t B)
    {
        *Room(1) = char(B);
        ++FLen;
    }
    void Le32(int32_t V)
    {
        qToLittleEndian<qint32>(V, Room(4));
        FLen += 4;
    }
    void Short(std::string_view S)
    {
        const size_t n = std::min<size_t>(S.size(), 255);
        char *p = Room(qsizetype(n) + 1);
        *p = char(uint8_t(n));
        std::memcpy(p + 1, S.data(), n);
        FLen += qsizetype(n) + 1;
    }
    void IntValue(int64_t V)
    {
        if (V >= -128 && V <= 127) {
            Byte(vaInt8);
            Byte(uint8_t(int8_t(V)));
        } else if (V >= -32768 && V <= 32767) {
            Byte(vaInt16);
            qToLittleEndian<qint16>(int16_t(V), Room(2));
            FLen += 2;
        } else {
            Byte(vaInt32);
            Le32(int32_t(V));
        }
    }
    // The smallest of the four text forms the text fits.
    void TextValue(QStringView S)
    {
        const qsizetype n = S.size();
        if (QtPrivate::isAscii(S)) {
            if (n < 256) {
                Byte(vaString);
                Byte(uint8_t(n));
            } else {
                Byte(vaLString);
                Le32(int32_t(n));
            }
            char *p = Room(n);
            const char16_t *u = reinterpret_cast<const char16_t *>(S.data());
            for (qsizetype i = 0; i < n; ++i)
                p[i] = char(u[i]);
            FLen += n;
            return;
        }
        const QByteArray u8 = S.toUtf8();
        if (u8.size() < 2 * n) {
            Byte(vaUTF8String);
            Le32(int32_t(u8.size()));
            Raw(u8.constData(), u8.size());
        } else {
            Byte(vaWString);
            Le32(int32_t(n));
            char *p = Room(2 * n);
            for (qsizetype i = 0; i < n; ++i)
                qToLittleEndian<quint16>(S[i].unicode(), p + 2 * i);
            FLen += 2 * n;
        }
    }
};

// ---------------------------------------------------------------------------------------
// Reading records
// ---------------------------------------------------------------------------------------

struct TValue
{
    uint8_t Type = vaNull;
    int64_t Int = 0;
    double Real = 0;
    QString Text;        // texts and identifiers
    QStringList Items;   // set members, list lines
    QByteArray Data;

    bool AsBool() const
    {
        if (Type != vaFalse && Type != vaTrue)
            ReadFault(QStringLiteral("invalid property value"));
        return Type == vaTrue;
    }
    int64_t AsInt() const
    {
        if (Type != vaInt8 && Type != vaInt16 && Type != vaInt32)
            ReadFault(QStringLiteral("invalid property value"));
        return Int;
    }
    QString AsText() const
    {
        if (Type != vaString && Type != vaLString && Type != vaUTF8String && Type != vaWString)
            ReadFault(QStringLiteral("invalid property value"));
        return Text;
    }
    QString AsIdent() const
    {
        if (Type != vaIdent)
            ReadFault(QStringLiteral("invalid property value"));
        return Text;
    }
    template <size_t N>
    int AsEnum(const TNames<N> &Names) const
    {
        return EnumIndex(Names, AsIdent());
    }
    TColor AsColor() const
    {
        if (Type == vaIdent) {
            TColor c;
            if (!IdentToColor(Text, c))
                ReadFault(QStringLiteral("invalid property value %1").arg(Text));
            return c;
        }
        return TColor(AsInt());
    }
};

class TRecordReader
{
public:
    TRecordReader(const QByteArray &Data) : FData(Data.constData()), FSize(Data.size()) {}

    qsizetype Pos = 0;
    qsizetype Size() const { return FSize; }

    // Reads one whole record; Apply(name, value) returns false for a name the record does
    // not have.
    template <typename F>
    void Record(F &&Apply)
    {
        Need(4);
        if (std::memcmp(FData + Pos, "TPF0", 4) != 0)
            ReadFault(QStringLiteral("invalid stream format"));
        Pos += 4;
        Short();   // class name
        Short();   // component name
        for (;;) {
            const std::string_view name = Short();
            if (name.empty())
                break;
            ReadValue(FValue);
            if (!Apply(name, FValue))
                ReadFault(QStringLiteral("property %1 does not exist")
                              .arg(QLatin1String(name.data(), qsizetype(name.size()))));
        }
        if (Byte() != 0)   // the empty child list
            ReadFault(QStringLiteral("invalid stream format"));
    }

private:
    void Need(qsizetype N) const
    {
        if (N < 0 || FSize - Pos < N)
            ReadFault(QStringLiteral("stream read error"));
    }
    uint8_t Byte()
    {
        Need(1);
        return uint8_t(FData[Pos++]);
    }
    int32_t Le32()
    {
        Need(4);
        const int32_t v = qFromLittleEndian<qint32>(FData + Pos);
        Pos += 4;
        return v;
    }
    std::string_view Short()
    {
        const uint8_t n = Byte();
        Need(n);
        const std::string_view s(FData + Pos, n);
        Pos += n;
        return s;
    }
    QString Text(uint8_t Type)
    {
        switch (Type) {
        case vaString: {
            const std::string_view s = Short();
            return QString::fromLatin1(s.data(), qsizetype(s.size()));
        }
        case vaLString: {
            const int32_t n = Le32();
            Need(n);
            Pos += n;
            return QString::fromLatin1(FData + Pos - n, n);
        }
        case vaUTF8String: {
            const int32_t n = Le32();
            Need(n);
            Pos += n;
            return QString::fromUtf8(FData + Pos - n, n);
        }
        case vaWString: {
            const int32_t n = Le32();
            if (n < 0 || n > (FSize - Pos) / 2)
                ReadFault(QStringLiteral("stream read error"));
            QString s(n, Qt::Uninitialized);
            for (int32_t i = 0; i < n; ++i)
                s[i] = QChar(qFromLittleEndian<quint16>(FData + Pos + 2 * i));
            Pos += 2 * qsizetype(n);
            return s;
        }
        default:
            ReadFault(QStringLiteral("invalid property value"));
        }
    }
    void ReadValue(TValue &V)
    {
        V.Type = Byte();
        switch (V.Type) {
        case vaInt8:
            Need(1);
            V.Int = int8_t(FData[Pos++]);
            break;
        case vaInt16:
            Need(2);
            V.Int = qFromLittleEndian<qint16>(FData + Pos);
            Pos += 2;
            break;
        case vaInt32:
            V.Int = Le32();
            break;
        case vaExtended:
            Need(10);
            V.Real = ExtendedToDouble(reinterpret_cast<const unsigned char *>(FData + Pos));
            Pos += 10;
            break;
        case vaString:
        case vaLString:
        case vaUTF8String:
        case vaWString:
            V.Text = Text(V.Type);
            break;
        case vaIdent: {
            const std::string_view s = Short();
            V.Text = QString::fromLatin1(s.data(), qsizetype(s.size()));
            break;
        }
        case vaFalse:
        case vaTrue:
            break;
        case vaSet:
            V.Items.clear();
            for (;;) {
                const std::string_view s = Short();
                if (s.empty())
                    break;
                V.Items << QString::fromLatin1(s.data(), qsizetype(s.size()));
            }
            break;
        case vaBinary: {
            const int32_t n = Le32();
            Need(n);
            V.Data = QByteArray(FData + Pos, n);
            Pos += n;
            break;
        }
        case vaList:
            V.Items.clear();
            for (;;) {
                const uint8_t t = Byte();
                if (t == vaNull)
                    break;
                V.Items << Text(t);
            }
            break;
        default:
            ReadFault(QStringLiteral("invalid property value"));
        }
    }

    const char *FData;
    qsizetype FSize;
    TValue FValue;
};

// ---------------------------------------------------------------------------------------
// Graphic data
// ---------------------------------------------------------------------------------------

QByteArray ImageFile(const QImage &Image, const char *Format)
{
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    Image.save(&buf, Format);
    return b;
}

// A bitmap's stored form: the BMP file's length and the file.
QByteArray BitmapData(const QImage &Image)
{
    if (Image.isNull())
        return {};
    const QByteArray bmp = ImageFile(Image, "BMP");
    QByteArray out(4, '\0');
    qToLittleEndian<qint32>(int32_t(bmp.size()), out.data());
    return out + bmp;
}

QImage BitmapFromData(const QByteArray &Data)
{
    if (Data.size() < 4)
        return {};
    const int32_t n = qFromLittleEndian<qint32>(Data.constData());
    if (n < 0 || n > Data.size() - 4)
        ReadFault(QStringLiteral("stream read error"));
    return QImage::fromData(reinterpret_cast<const uchar *>(Data.constData() + 4), n);
}

QByteArray PictureData(const QImage &Image)
{
    if (Image.isNull())
        return {};
    return QByteArray("\x07TBitmap", 8) + BitmapData(Image);
}

QImage PictureFromData(const QByteArray &Data)
{
    if (Data.isEmpty())
        return {};
    const int n = uint8_t(Data[0]);
    if (n + 1 > Data.size())
        ReadFault(QStringLiteral("stream read error"));
    const QByteArray cls = Data.mid(1, n);
    const QByteArray rest = Data.mid(1 + n);
    if (cls == "TBitmap")
        return BitmapFromData(rest);
    return QImage::fromData(rest);   // other graphic classes: their own file form
}

bool HasDataRecord(TCellType T)
{
    switch (T) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

template <typename T>
const T *As(const TObject *O)
{
    return dynamic_cast<const T *>(O);
}

int GridStreamID(TDazStringGrid &Grid)
{
    // Stands for the window handle: differs between grids and between processes.
    const quint64 v = quint64(reinterpret_cast<quintptr>(&Grid)) ^
                      (quint64(QCoreApplication::applicationPid()) << 20);
    return int32_t(uint32_t(v ^ (v >> 32)));
}

// The index nearest Expected whose low 16 bits are those of Raw.
int Unwrap16(int Raw, int Expected)
{
    return Expected + int16_t(uint16_t(unsigned(Raw) - unsigned(Expected)));
}

int RoundHalfEven(double V) { return int(std::nearbyint(V)); }

// ---------------------------------------------------------------------------------------
// The writer
// ---------------------------------------------------------------------------------------

void WriteProperties(TRecordWriter &W, const TCellProperties &P, bool HasGraphic)
{
    W.Bool("CellProperties.IsBaseCell", P.IsBaseCell());
    W.Int("CellProperties.CellSpanX", P.CellSpanX());
    W.Int("CellProperties.CellSpanY", P.CellSpanY());
    W.Ident("CellProperties.Alignment", kAlignments[size_t(P.Alignment())]);
    W.Color("CellProperties.BorderColor", P.BorderColor());
    W.Int("CellProperties.BorderWidth", P.BorderWidth());
    W.Color("CellProperties.BrushColor", P.BrushColor());
    W.Color("CellProperties.BrushColorTo", P.BrushColorTo());
    W.Ident("CellProperties.BrushStyle", kBrushStyles[size_t(P.BrushStyle())]);
    W.Int("CellProperties.CellObject", int32_t(uint32_t(P.CellObject())));
    W.Color("CellProperties.FontColor", P.FontColor());
    W.Text("CellProperties.FontName", P.FontName());
    W.Int("CellProperties.FontSize", P.FontSize());
    W.Set("CellProperties.FontStyle", P.FontStyle());
    W.Ident("CellProperties.Editor", kEditors[size_t(P.Editor())]);
    W.Ident("CellProperties.GradientDirection", kGradients[size_t(P.GradientDirection())]);
    W.Bool("CellProperties.ReadOnly", P.ReadOnly());
    W.Ident("CellProperties.VAlignment", kVAlignments[size_t(P.VAlignment())]);
    W.Bool("CellProperties.WordWrap", P.WordWrap());
    W.Int("CellProperties.NodeLevel", P.NodeLevel());
    if (P.Control() && !P.Control()->objectName().isEmpty())
        W.Ident("CellProperties.Control", P.Control()->objectName().toLatin1().constData());
    W.Bool("HasGraphic", HasGraphic);
}

void WriteGraphic(TRecordWriter &W, const TCellGraphic &G)
{
    W.Ident("CellGraphic.CellType", kCellTypes[size_t(G.CellType)]);
    W.Ident("CellGraphic.CellVAlign", kCellVAligns[size_t(G.CellVAlign)]);
    W.Ident("CellGraphic.CellHAlign", kCellHAligns[size_t(G.CellHAlign)]);
    W.Int("CellGraphic.CellIndex", G.CellIndex);
    W.Bool("CellGraphic.CellTransparent", G.CellTransparent);
    W.Bool("CellGraphic.CellCreated", G.CellCreated);
    W.Bool("CellGraphic.CellBoolean", G.CellBoolean);
    W.Ident("CellGraphic.CellCheckBoxState", kCheckStates[size_t(G.CellCheckBoxState)]);
    W.Int("CellGraphic.CellAngle", G.CellAngle);
    W.Extended("CellGraphic.CellValue", G.CellValue);
    W.Int("CellGraphic.CellErrFrom", G.CellErrFrom);
    W.Int("CellGraphic.CellErrLen", G.CellErrLen);
    W.Text("CellGraphic.CellText", G.CellText);
}

void WriteDataRecord(TRecordWriter &W, const TCellGraphic &G)
{
    auto image = [](const TObject *O) {
        const auto *g = As<TGraphic>(O);
        return g ? g->Image() : QImage();
    };
    switch (G.CellType) {
    case ctBitmap:
    case ctBitButton:
        W.Begin("TGridBMPIO");
        W.Binary("Bitmap.Data", BitmapData(image(G.CellBitmap)));
        break;
    case ctIcon:
        W.Begin("TGridIconIO");
        W.Binary("Icon.Data",
                 G.CellIcon && !G.CellIcon->Empty() ? ImageFile(G.CellIcon->Image(), "ICO")
                                                    : QByteArray());
        break;
    case ctRadio: {
        W.Begin("TGridSLIO");
        QStringList lines;
        if (const auto *sl = As<TStringList>(G.CellBitmap))
            for (int i = 0; i < sl->Count(); ++i)
                lines << sl->Strings(i);
        W.List("Strings.Strings", lines);
        break;
    }
    case ctImages: {
        W.Begin("TGridSLIO");
        const auto *il = As<TIntList>(G.CellBitmap);
        W.List("Strings.Strings", il ? QStringList{il->StrValue()} : QStringList());
        break;
    }
    case ctPicture:
        W.Begin("TGridPicIO");
        W.Binary("Picture.Data", PictureData(image(G.CellBitmap)));
        break;
    case ctFilePicture: {
        W.Begin("TGridFilePicIO");
        const auto *fp = As<TFilePicture>(G.CellBitmap);
        W.Text("Picture.Filename", fp ? fp->Filename() : QString());
        break;
    }
    default:
        return;
    }
    W.End();
}

// ---------------------------------------------------------------------------------------
// The reader
// ---------------------------------------------------------------------------------------

bool ReadProperty(TCellProperties &P, std::string_view Name, const TValue &V, bool &HasGraphic)
{
    constexpr std::string_view prefix = "CellProperties.";
    if (Name == "HasGraphic") {
        HasGraphic = V.AsBool();
        return true;
    }
    if (Name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view n = Name.substr(prefix.size());
    if (n == "IsBaseCell") P.SetIsBaseCell(V.AsBool());
    else if (n == "CellSpanX") P.SetCellSpanX(int(V.AsInt()));
    else if (n == "CellSpanY") P.SetCellSpanY(int(V.AsInt()));
    else if (n == "Alignment") P.SetAlignment(TAlignment(V.AsEnum(kAlignments)));
    else if (n == "BorderColor") P.SetBorderColor(V.AsColor());
    else if (n == "BorderWidth") P.SetBorderWidth(int(V.AsInt()));
    else if (n == "BrushColor") P.SetBrushColor(V.AsColor());
    else if (n == "BrushColorTo") P.SetBrushColorTo(V.AsColor());
    else if (n == "BrushStyle") P.SetBrushStyle(TBrushStyle(V.AsEnum(kBrushStyles)));
    else if (n == "CellObject") P.SetCellObject(uintptr_t(uint32_t(int32_t(V.AsInt()))));
    else if (n == "FontColor") P.SetFontColor(V.AsColor());
    else if (n == "FontName") P.SetFontName(V.AsText());
    else if (n == "FontSize") P.SetFontSize(int(V.AsInt()));
    else if (n == "FontStyle") {
        if (V.Type != vaSet)
            ReadFault(QStringLiteral("invalid property value"));
        TFontStyles s = 0;
        for (const QString &m : V.Items)
            s |= 1u << EnumIndex(kFontStyles, m);
        P.SetFontStyle(s);
    } else if (n == "Editor") P.SetEditor(TEditorType(V.AsEnum(kEditors)));
    else if (n == "GradientDirection") P.SetGradientDirection(TCellGradientDirection(V.AsEnum(kGradients)));
    else if (n == "ReadOnly") P.SetReadOnly(V.AsBool());
    else if (n == "VAlignment") P.SetVAlignment(TVAlignment(V.AsEnum(kVAlignments)));
    else if (n == "WordWrap") P.SetWordWrap(V.AsBool());
    else if (n == "NodeLevel") P.SetNodeLevel(int(V.AsInt()));
    else if (n == "Control") V.AsIdent();   // named control: not restored
    else return false;
    return true;
}

bool ReadGraphic(TCellGraphic &G, std::string_view Name, const TValue &V)
{
    constexpr std::string_view prefix = "CellGraphic.";
    if (Name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view n = Name.substr(prefix.size());
    if (n == "CellType") G.CellType = TCellType(V.AsEnum(kCellTypes));
    else if (n == "CellVAlign") G.CellVAlign = TCellVAlign(V.AsEnum(kCellVAligns));
    else if (n == "CellHAlign") G.CellHAlign = TCellHAlign(V.AsEnum(kCellHAligns));
    else if (n == "CellIndex") G.CellIndex = int32_t(V.AsInt());
    else if (n == "CellTransparent") G.CellTransparent = V.AsBool();
    else if (n == "CellCreated") G.CellCreated = V.AsBool();
    else if (n == "CellBoolean") G.CellBoolean = V.AsBool();
    else if (n == "CellCheckBoxState") G.CellCheckBoxState = TCheckBoxState(V.AsEnum(kCheckStates));
    else if (n == "CellAngle") G.CellAngle = int32_t(V.AsInt());
    else if (n == "CellValue") {
        if (V.Type != vaExtended)
            ReadFault(QStringLiteral("invalid property value"));
        G.CellValue = V.Real;
    } else if (n == "CellErrFrom") G.CellErrFrom = int32_t(V.AsInt());
    else if (n == "CellErrLen") G.CellErrLen = int32_t(V.AsInt());
    else if (n == "CellText") G.CellText = V.AsText();
    else return false;
    return true;
}

// Reads the data record of Target's type and hangs the new object on it.
void ReadDataRecord(TRecordReader &R, TCellGraphic &Target, int ACol, int ARow)
{
    QByteArray data;
    QStringList lines;
    QString fileName;
    R.Record([&](std::string_view Name, const TValue &V) {
        if (Name == "Bitmap.Data" || Name == "Icon.Data" || Name == "Picture.Data") {
            if (V.Type != vaBinary)
                ReadFault(QStringLiteral("invalid property value"));
            data = V.Data;
        } else if (Name == "Strings.Strings") {
            if (V.Type != vaList)
                ReadFault(QStringLiteral("invalid property value"));
            lines = V.Items;
        } else if (Name == "Picture.Filename") {
            fileName = V.AsText();
        } else {
            return false;
        }
        return true;
    });
    Target.CellBitmap = nullptr;
    Target.CellIcon = nullptr;
    switch (Target.CellType) {
    case ctBitmap:
    case ctBitButton: {
        auto *b = new TBitmap;
        b->SetImage(BitmapFromData(data));
        Target.CellBitmap = b;
        break;
    }
    case ctIcon: {
        auto *i = new TIcon;
        i->SetImage(data.isEmpty() ? QImage() : QImage::fromData(data, "ICO"));
        Target.CellIcon = i;
        break;
    }
    case ctRadio:
        Target.CellBitmap = new TStringList(lines);
        break;
    case ctImages: {
        auto *il = new TIntList(ACol, ARow);
        il->SetStrValue(lines.join(u','));
        Target.CellBitmap = il;
        break;
    }
    case ctPicture: {
        auto *p = new TPicture;
        p->SetImage(PictureFromData(data));
        Target.CellBitmap = p;
        break;
    }
    case ctFilePicture: {
        auto *f = new TFilePicture;
        Target.CellBitmap = f;   // owned by the graphic before the file is read
        if (!fileName.isEmpty())
            f->SetFilename(fileName);
        break;
    }
    default:
        break;
    }
}

QStringList Extents(int From, int To, const std::function<int(int)> &Extent)
{
    QStringList out;
    for (int i = From; i <= To; ++i)
        out << QString::number(Extent(i));
    return out;
}

struct THeader
{
    int ColCount = 0;
    int RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    int ID = 0;
};

THeader ReadHeader(TRecordReader &rd)
{
    THeader h;
    rd.Record([&](std::string_view Name, const TValue &V) {
        if (Name == "ColCount") h.ColCount = int(V.AsInt());
        else if (Name == "RowCount") h.RowCount = int(V.AsInt());
        else if (Name == "ColWidths") h.ColWidths = V.AsText();
        else if (Name == "RowHeights") h.RowHeights = V.AsText();
        else if (Name == "FullGrid") h.FullGrid = V.AsBool();
        else if (Name == "ID") h.ID = int(V.AsInt());
        else return false;
        return true;
    });
    return h;
}

// The header's sizes as numbers, checked against the grid's limits before anything changes.
void CheckedExtents(const QString &Text, int Count, std::vector<int> &Out, const char *What)
{
    const QStringList parts = Text.isEmpty() ? QStringList() : Text.split(u',');
    if (parts.size() < Count)
        throw EDazGridError(QStringLiteral("Cell stream: %1 holds fewer than %2 entries")
                                .arg(QLatin1String(What)).arg(Count).toStdString());
    Out.resize(size_t(Count));
    for (int i = 0; i < Count; ++i)
        if (!TryStrToInt(parts[i], Out[size_t(i)]))
            throw EDazGridError(QStringLiteral("Cell stream: '%1' in %2 is not a number")
                                    .arg(parts[i], QLatin1String(What)).toStdString());
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Binary cell stream
// ---------------------------------------------------------------------------------------

namespace {

void WriteRect(TDazStringGrid &Grid, const TRect &Rect, TRecordWriter &w)
{
    const int cols = Rect.Right - Rect.Left + 1;
    const int rows = Rect.Bottom - Rect.Top + 1;
    const bool full = Grid.SaveFixedCells()
                          ? cols == Grid.ColCount() && rows == Grid.RowCount()
                          : cols == Grid.ColCount() - Grid.FixedCols() &&
                                rows == Grid.RowCount() - Grid.FixedRows();
    w.Begin("TGridPropIO");
    w.Int("ColCount", cols);
    w.Int("RowCount", rows);
    w.Text("ColWidths", Extents(Rect.Left, Rect.Right, [&](int i) { return Grid.ColWidths(i); }).join(u','));
    w.Text("RowHeights", Extents(Rect.Top, Rect.Bottom, [&](int i) { return Grid.RowHeights(i); }).join(u','));
    w.Bool("FullGrid", full);
    w.Int("ID", GridStreamID(Grid));
    w.End();

    const auto &progress = TGridToolState::Of(Grid).OnFileProgress;
    int lastProgress = -1;
    const qsizetype headerSize = w.Size();
    const bool stored = ShowsStoredTexts(Grid);
    const TGridStore &store = static_cast<const TStringGridBase &>(Grid).Store();
    QString hold;
    Grid.ExportNotification(esExportStart, Rect.Top);
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        // The first rows tell the size of the rest closely enough to allocate once.
        w.ReserveForRows(headerSize, r - Rect.Top, rows);
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            const bool hasProp = Grid.HasCellProperties(c, r);
            w.Begin("TGridCellIO");
            w.Int("Col", uint16_t(c));
            w.Int("Row", uint16_t(r));
            // A cell without a record is no merge, so its stored text is the one shown.
            QStringView text;
            if (stored && !hasProp) {
                text = store.TextView(c, r);
            } else {
                hold = Grid.GetCellEx(c, r);
                text = hold;
            }
            w.Text("Cell", text);
            w.Bool("HasProp", hasProp);
            w.End();
            if (!hasProp)
                continue;
            const TCellType type = Grid.GetCellType(c, r);
            const TCellGraphic *g = Grid.GetCellGraphic(c, r);
            bool hasGraphic = type != ctEmpty && g;
            if (hasGraphic && HasDataRecord(type))
                hasGraphic = g->CellCreated;
            w.Begin("TGridCellPropIO");
            WriteProperties(w, *Grid.GetCellProperties(c, r), hasGraphic);
            w.End();
            if (!hasGraphic)
                continue;
            w.Begin("TGridGraphicIO");
            WriteGraphic(w, *g);
            w.End();
            WriteDataRecord(w, *g);
        }
        if (progress) {
            const int p = RoundHalfEven(double(r) * 100 / std::max(1, Rect.Bottom - Rect.Top));
            if (p != lastProgress)
                progress(&Grid, p);
            lastProgress = p;
        }
    }
    Grid.ExportNotification(esExportDone, -1);
}

TRect SaveRange(TDazStringGrid &Grid)
{
    return TRect(Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow());
}

}   // namespace

void SaveRectToBinStream(TDazStringGrid &Grid, const TRect &Rect, QIODevice &Stream)
{
    TRecordWriter w;
    WriteRect(Grid, Rect, w);
    const QByteArray out = w.Take();
    if (Stream.write(out) != out.size())
        throw EFileError(QStringLiteral("Cannot write cell stream: %1").arg(Stream.errorString()).toStdString());
}

void SaveToBinStream(TDazStringGrid &Grid, QIODevice &Stream)
{
    SaveRectToBinStream(Grid, SaveRange(Grid), Stream);
}

void SaveToBinFile(TDazStringGrid &Grid, const QString &FileName)
{
    TAtomicFile file(FileName);
    TRecordWriter w(file);
    WriteRect(Grid, SaveRange(Grid), w);
    w.Commit();
}

TBinStreamHeader ReadBinStreamHeader(const QByteArray &Data)
{
    TRecordReader rd(Data);
    const THeader h = ReadHeader(rd);
    return {h.ColCount, h.RowCount, h.FullGrid, h.ID};
}

int BinStreamID(TDazStringGrid &Grid) { return GridStreamID(Grid); }

namespace {

void LoadRecords(TDazStringGrid &Grid, TPoint Point, TRecordReader &rd)
{
    const THeader h = ReadHeader(rd);

    int originCol = 0, originRow = 0;
    bool originSet = false;
    if (h.FullGrid) {
        if (h.ColCount < 1 || h.RowCount < 1 || h.ColCount > TGridStore::MaxColumns ||
            h.RowCount > TGridStore::MaxRows)
            throw EDazGridError(QStringLiteral("Cell stream: grid size %1 x %2 out of range")
                                    .arg(h.ColCount).arg(h.RowCount).toStdString());
        std::vector<int> widths, heights;
        CheckedExtents(h.ColWidths, h.ColCount, widths, "ColWidths");
        CheckedExtents(h.RowHeights, h.RowCount, heights, "RowHeights");
        Grid.Clear();
        Grid.SetRowCount(h.RowCount);
        Grid.SetColCount(h.ColCount);
        for (int i = 0; i < h.ColCount; ++i)
            Grid.SetColWidths(i, widths[size_t(i)]);
        for (int i = 0; i < h.RowCount; ++i)
            Grid.SetRowHeights(i, heights[size_t(i)]);
        originSet = true;
    }

    const auto &progress = TGridToolState::Of(Grid).OnFileProgress;
    int lastRow = -1, lastProgress = -1;
    int col = 0, row = 0;
    const int64_t rectCols = std::max(1, h.ColCount);
    int64_t index = 0;   // of the cell record in the rectangle
    QString text;
    bool hasProp = false;
    TCellGraphic graphic;
    TCellProperties scratch(nullptr, 0, 0);   // takes the properties of a dropped cell
    while (rd.Pos < rd.Size() - 1) {
        text.clear();
        hasProp = false;
        rd.Record([&](std::string_view Name, const TValue &V) {
            if (Name == "Col") col = int(V.AsInt());
            else if (Name == "Row") row = int(V.AsInt());
            else if (Name == "Cell") text = V.AsText();
            else if (Name == "HasProp") hasProp = V.AsBool();
            else return false;
            return true;
        });
        if (!originSet) {
            originCol = col;
            originRow = row;
            originSet = true;
        }
        // Records hold 16-bit indexes; the record's place in the rectangle gives back the
        // bits above them, so rows and columns past 65535 do not wrap onto earlier ones.
        const int srcCol = Unwrap16(col, originCol + int(index % rectCols));
        const int srcRow = Unwrap16(row, originRow + int(index / rectCols));
        ++index;
        const int tc = srcCol - originCol + Point.X;
        const int tr = srcRow - originRow + Point.Y;
        // Cells that fall outside the grid are read and dropped.
        const bool inside = tc >= 0 && tr >= 0 && tc < Grid.AllColCount() && tr < Grid.RowCount();
        if (inside)
            Grid.SetCellEx(tc, tr, text);
        if (progress && tr != lastRow) {
            const int p = int16_t(RoundHalfEven(double(tr) * 100 / std::max(1, Grid.RowCount())));
            if (p != lastProgress)
                progress(&Grid, p);
            lastProgress = p;
        }
        lastRow = tr;
        if (!hasProp)
            continue;

        bool hasGraphic = false;
        TCellProperties &props = inside ? *Grid.GetCellProperties(tc, tr) : scratch;
        rd.Record([&](std::string_view Name, const TValue &V) {
            return ReadProperty(props, Name, V, hasGraphic);
        });
        if (!hasGraphic)
            continue;
        graphic.CellText.clear();
        graphic.CellValue = 0;
        rd.Record([&](std::string_view Name, const TValue &V) { return ReadGraphic(graphic, Name, V); });
        TCellGraphic spare;
        TCellGraphic *target = inside ? Grid.CreateCellGraphic(tc, tr) : &spare;
        target->Assign(&graphic);
        if (HasDataRecord(graphic.CellType)) {
            ReadDataRecord(rd, *target, tc, tr);
            target->CellCreated = true;   // the object was made here, so the graphic owns it
        }
    }
}

void CountNodes(TDazStringGrid &Grid)
{
    int nodes = 0;
    for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
        if (Grid.GetCellType(0, r) == ctNode)
            ++nodes;
    TGridFileAccess::SetNodeCount(Grid, nodes);
    if (nodes > 0)
        Grid.RepaintCol(0);
}

}   // namespace

void LoadAtPointFromBinStream(TDazStringGrid &Grid, TPoint Point, QIODevice &Stream)
{
    const qint64 start = Stream.pos();
    const QByteArray data = Stream.readAll();
    TRecordReader rd(data);
    struct TSeekBack {
        QIODevice &S;
        qint64 Start;
        const TRecordReader &R;
        ~TSeekBack() { S.seek(Start + R.Pos); }
    } seekBack{Stream, start, rd};
    LoadRecords(Grid, Point, rd);
}

void LoadFromBinStream(TDazStringGrid &Grid, QIODevice &Stream)
{
    LoadAtPointFromBinStream(Grid, TPoint(0, 0), Stream);
    CountNodes(Grid);
}

void LoadFromBinFile(TDazStringGrid &Grid, const QString &FileName)
{
    // Read straight from the file's bytes: a stream over them would copy them once more.
    const QByteArray data = Read_File(FileName);
    TRecordReader rd(data);
    LoadRecords(Grid, TPoint(0, 0), rd);
    CountNodes(Grid);
}

// ---------------------------------------------------------------------------------------
// Grid text file and stream
// ---------------------------------------------------------------------------------------

namespace {

// The run-time's lenient integer: blanks, a sign, decimal digits or a hexadecimal number
// after "$", "x" or "0x"; reading stops at the first other character.
int LenientInt(QStringView S)
{
    qsizetype i = 0;
    const qsizetype n = S.size();
    while (i < n && S[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (S[i] == u'-' || S[i] == u'+'))
        negative = S[i++] == u'-';
    int base = 10;
    if (i < n && (S[i] == u'$' || S[i] == u'x' || S[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    int64_t v = 0;
    for (; i < n; ++i) {
        const char16_t ch = S[i].unicode();
        int d = ch >= u'0' && ch <= u'9' ? ch - u'0' : -1;
        if (base == 16 && d < 0)
            d = ch >= u'a' && ch <= u'f' ? ch - u'a' + 10 : ch >= u'A' && ch <= u'F' ? ch - u'A' + 10 : -1;
        if (d < 0)
            break;
        v = v * base + d;
        if (v > INT32_MAX)
            v = int64_t(INT32_MAX) + 1;   // saturates; the caller's range checks reject it
    }
    return int(std::clamp<int64_t>(negative ? -v : v, INT32_MIN, INT32_MAX));
}

int StrictInt(const QString &S) { return StrToInt(S); }

[[noreturn]] void TooLarge(int Cols, int Rows)
{
    throw EDazGridError(QStringLiteral("Grid size %1 x %2 exceeds the grid's limits")
                            .arg(Cols).arg(Rows).toStdString());
}

bool FitsStore(int64_t Cols, int64_t Rows)
{
    return Cols >= 0 && Rows >= 0 && Cols <= TGridStore::MaxColumns && Rows <= TGridStore::MaxRows;
}

// Lets the application breathe during long loads, at most every 50 ms, without user input
// reaching the grid.
class TLoadPump
{
public:
    TLoadPump() { FTimer.start(); }
    void Tick()
    {
        if (!QCoreApplication::instance() || FTimer.elapsed() < 50)
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        FTimer.restart();
    }

private:
    QElapsedTimer FTimer;
};

void CellLine(TTextOut &Out, int Col, int Row, QStringView Text)
{
    Out.Number(Col);
    Out.Ascii(QLatin1StringView(","));
    Out.Number(Row);
    Out.Ascii(QLatin1StringView(","));
    if (Text.contains(u'\r'))
        Out.Text(EncodeCellLineBreaks(Text.toString()));
    else
        Out.Text(Text);
    Out.EndLine();
}

void FinishLoad(TDazStringGrid &Grid)
{
    Grid.CellsChanged(TRect(0, 0, Grid.ColCount(), Grid.RowCount()));
    Grid.UpdateFooter();
}

}   // namespace

void SaveToFile(TDazStringGrid &Grid, const QString &FileName, bool Unicode)
{
    const int h = Grid.SaveHiddenCells() ? Grid.NumHiddenColumns() : 0;
    const int startCol = Grid.SaveStartCol(), endCol = Grid.SaveEndCol() + h;
    const int startRow = Grid.SaveStartRow(), endRow = Grid.SaveEndRow();
    TAtomicFile file(FileName);
    TTextOut out(Unicode ? TTextEncoding::Utf16LE : TTextEncoding::Ansi, file);
    if (Unicode)
        out.Bytes("\xFF\xFE", 2);
    out.Line(QStringLiteral("%1,%2").arg(h + Grid.SaveColCount()).arg(Grid.SaveRowCount()));
    for (int i = startCol; i <= endCol; ++i)
        out.Line(QStringLiteral("cw %1,%2").arg(i).arg(Grid.AllColWidths(i)));

    const auto &progress = TGridToolState::Of(Grid).OnFileProgress;
    int lastProgress = -1;
    TSavedCellTexts texts(Grid);
    Grid.ExportNotification(esExportStart, startRow);
    for (int r = startRow; r <= endRow; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = startCol; c <= endCol; ++c) {
            const QStringView t = texts.Text(c, r);
            if (!t.isEmpty())
                CellLine(out, c, r, t);
        }
        if (progress) {
            const int p = RoundHalfEven(double(r) * 100 / std::max(1, Grid.SaveRowCount() - 1));
            if (p != lastProgress)
                progress(&Grid, p);
            lastProgress = p;
        }
    }
    Grid.ExportNotification(esExportDone, -1);
    out.Commit();
}

void LoadFromFile(TDazStringGrid &Grid, const QString &FileName)
{
    TTextLines lines(FileName);
    QStringView first;
    const bool any = lines.Next(first);
    const int a = Grid.SaveFixedCells() || Grid.SaveFixedCols() ? 0 : Grid.FixedCols();
    const int b = Grid.SaveFixedCells() || Grid.SaveFixedRows() ? 0 : Grid.FixedRows();
    int cols = Grid.ColCount(), rows = Grid.RowCount();
    if (any && !first.isEmpty()) {
        const qsizetype comma = first.indexOf(u',');
        const int64_t c = comma < 0 ? 0 : LenientInt(first.left(comma));
        const int64_t r = LenientInt(comma < 0 ? first : first.mid(comma + 1));
        if (!FitsStore(a + c, b + r))
            TooLarge(int(a + c), int(b + r));
        cols = int(a + c);
        rows = int(b + r);
        Grid.SetColCount(cols);
        Grid.SetRowCount(rows);
    }
    // The grid keeps the counts it was given before the check.
    if (cols == 0 || rows == 0)
        throw EDazGridError(("File contains no data or corrupt file " + FileName).toStdString());

    const auto &progress = TGridToolState::Of(Grid).OnFileProgress;
    const bool multi = Grid.Multilinecells();
    int lastProgress = -1;
    TLoadPump pump;
    QStringView line;
    QString text;   // one string for every cell: its memory is reused
    while (lines.Next(line)) {
        const qsizetype c1 = line.indexOf(u',');
        if (line.startsWith(u"cw")) {
            const QStringView rest = line.size() > 3 ? line.mid(3) : QStringView();
            const qsizetype comma = rest.indexOf(u',');
            const int index = LenientInt(comma < 0 ? rest : rest.left(comma));
            const int width = comma < 0 ? 0 : LenientInt(rest.mid(comma + 1));
            if (index >= 0 && index < Grid.ColCount())
                Grid.SetColWidths(index, width);
            continue;
        }
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        const int col = LenientInt(c1 < 0 ? line : line.left(c1));
        const int row = c1 < 0 ? 0 : LenientInt(c2 < 0 ? line.mid(c1 + 1) : line.mid(c1 + 1, c2 - c1 - 1));
        if (col < 0 || col >= Grid.ColCount() || row < 0 || row >= Grid.RowCount())
            continue;
        const QStringView cell = c2 < 0 ? QStringView() : line.mid(c2 + 1);
        text.resize(cell.size());
        std::copy(cell.begin(), cell.end(), text.data());
        Grid.LoadCellText(col, row, DecodeCellLineBreaks(text, multi));
        if (progress) {
            const int p = RoundHalfEven(double(row) * 100 / std::max(1, Grid.RowCount() - 1));
            if (p != lastProgress)
                progress(&Grid, p);
            lastProgress = p;
        }
        pump.Tick();
    }
    FinishLoad(Grid);
}

void SaveToStream(TDazStringGrid &Grid, QIODevice &Stream)
{
    const int startCol = Grid.SaveStartCol(), endCol = Grid.SaveEndCol();
    const int startRow = Grid.SaveStartRow(), endRow = Grid.SaveEndRow();
    TTextOut out(TTextEncoding::Utf16LE);
    out.Line(QStringLiteral("%1,%2").arg(Grid.SaveColCount()).arg(Grid.SaveRowCount()));
    for (int i = 0; i < Grid.ColCount(); ++i)
        out.Line(QStringLiteral("cw %1,%2").arg(i).arg(Grid.ColWidths(i)));
    const qsizetype headerSize = out.Size();
    TSavedCellTexts texts(Grid);
    Grid.ExportNotification(esExportStart, startRow);
    for (int r = startRow; r <= endRow; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        out.ReserveForRows(headerSize, r - startRow, endRow - startRow + 1);
        for (int c = startCol; c <= endCol; ++c) {
            const QStringView t = texts.Text(Grid.RealColIndex(c), r);
            if (!t.isEmpty())
                CellLine(out, c - startCol, r - startRow, t);
        }
    }
    Grid.ExportNotification(esExportDone, -1);
    const QByteArray bytes = out.Take();
    if (Stream.write(bytes) != bytes.size())
        throw EFileError(QStringLiteral("Cannot write grid stream: %1").arg(Stream.errorString()).toStdString());
}

void LoadFromStream(TDazStringGrid &Grid, QIODevice &Stream)
{
    const qint64 start = Stream.pos();
    const QByteArray data = Stream.readAll();
    const qsizetype units = data.size() / 2;
    qsizetype pos = 0;   // in 16-bit units
    auto atEnd = [&] { return 2 * pos >= data.size(); };
    // A line: units up to a CR, then one unit (the LF) dropped.
    auto readLine = [&] {
        QString line;
        while (pos < units) {
            const char16_t u = qFromLittleEndian<quint16>(data.constData() + 2 * pos);
            ++pos;
            if (u == u'\r')
                break;
            line += QChar(u);
        }
        ++pos;
        return line;
    };
    struct TSeek {
        QIODevice &S;
        qint64 Start;
        const qsizetype &Pos;
        qsizetype Size;
        ~TSeek() { S.seek(Start + std::min<qsizetype>(2 * Pos, Size)); }
    } seek{Stream, start, pos, data.size()};

    if (!atEnd()) {
        const QString first = readLine();
        if (!first.isEmpty()) {
            const qsizetype comma = first.indexOf(u',');
            const int64_t c = int64_t(StrictInt(first.left(comma))) + Grid.SaveStartCol();
            const int64_t r = int64_t(StrictInt(first.mid(comma + 1))) + Grid.SaveStartRow();
            if (!FitsStore(c, r))
                TooLarge(int(c), int(r));
            Grid.SetColCount(int(c));
            Grid.SetRowCount(int(r));
        }
    }
    const bool multi = Grid.Multilinecells();
    while (!atEnd()) {
        const qsizetype mark = pos;
        const QString line = readLine();
        if (line.startsWith(u"cw")) {
            const QString rest = line.mid(3);
            const qsizetype comma = rest.indexOf(u',');
            const int index = StrictInt(rest.left(comma));
            const int width = StrictInt(rest.mid(comma + 1));
            if (index < 0 || index >= Grid.ColCount())
                throw EDazGridError(QStringLiteral("Column width index %1 out of range").arg(index).toStdString());
            Grid.SetColWidths(index, width);
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 <= 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c1 <= 0 || c2 <= c1 + 1) {
            pos = mark;
            break;
        }
        const int col = StrictInt(line.left(c1)) + Grid.SaveStartCol();
        const int row = StrictInt(line.mid(c1 + 1, c2 - c1 - 1)) + Grid.SaveStartRow();
        if (col < 0 || col >= Grid.ColCount() || row < 0 || row >= Grid.RowCount())
            continue;
        Grid.LoadCellText(col, row, DecodeCellLineBreaks(line.mid(c2 + 1), multi));
    }
    FinishLoad(Grid);
}

double CellToReal(TDazStringGrid &Grid, int ACol, int ARow)
{
    const QString raw = Grid.GetCellEx(ACol, ARow);
    if (raw.isEmpty())
        return 0;
    const QString s = NormalizeNumberText(raw);
    double v = 0;
    int code = 0;
    Val(s, v, code);
    if (code != 0)
        throw EDazGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].")
                                .arg(code).arg(ACol).arg(ARow).toStdString());
    return v;
}

}   // namespace GridCellStream
