#include "platform/xml.h"

#include "platform/files.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <pugixml.hpp>

namespace {

// Whitespace-only text of a text-only element is kept, and line ends inside text are not
// normalised, so element text reads back exactly as written. Attribute values are
// normalised as XML requires; the writer escapes tab, CR and LF in them, so they round-trip.
// Comments are kept, so a document read and saved again keeps its trailing comment.
constexpr unsigned kParseFlags =
    (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single | pugi::parse_comments;
constexpr unsigned kFormatFlags = pugi::format_indent | pugi::format_no_declaration;

inline pugi::xml_node N(pugi::xml_node_struct *n) { return pugi::xml_node(n); }

// A value that begins with U+FEFF keeps it: the plain UTF-8 decoder takes it for a
// byte-order mark and drops it.
QString Q(const pugi::char_t *s)
{
    static constexpr char Bom[] = "\xEF\xBB\xBF";
    if (std::strncmp(s, Bom, 3) != 0)
        return QString::fromUtf8(s);
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(s));
}

} // namespace

// Control characters but tab, line feed and carriage return; U+FFFE, U+FFFF; a surrogate
// without its partner.
qsizetype First_Non_Xml_Char(QStringView s)
{
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (c == 0x9 || c == 0xA || c == 0xD || (c >= 0xE000 && c <= 0xFFFD))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

QString Char_Code_Text(QStringView text, qsizetype at)
{
    return QStringLiteral("U+")
           + QString::number(text[at].unicode(), 16).toUpper().rightJustified(4, u'0');
}

namespace {

// The element's path from the document element, "Root/List/row".
QString PathOf(pugi::xml_node n)
{
    QString path;
    for (; n && n.type() == pugi::node_element; n = n.parent())
        path = path.isEmpty() ? Q(n.name()) : Q(n.name()) + u'/' + path;
    return path;
}

// pugixml would cut the value at a NUL and write the other characters into a file no
// reader accepts: refuse the value, naming where it was to go.
template <class Where>
void CheckXmlChars(const QString &value, Where where)
{
    const qsizetype at = First_Non_Xml_Char(value);
    if (at < 0)
        return;
    throw EXmlError(QStringLiteral("%1 holds the character %2 at position %3, which an XML file "
                                   "cannot hold; nothing was written.")
                        .arg(where(), Char_Code_Text(value, at))
                        .arg(at + 1)
                        .toStdString());
}

QByteArray U(const QString &s) { return s.toUtf8(); }

[[noreturn]] void ThrowNull(const char *what)
{
    throw EXmlError(std::string("XML: ") + what + " on a missing element");
}

// Documents that declare a single-byte encoding pugixml does not know are read as
// Windows-1252, the code page such files were written in.
QByteArray ToUtf8IfDeclaredAnsi(const QByteArray &bytes, bool &converted)
{
    converted = false;
    if (!bytes.startsWith("<?xml"))
        return bytes;
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return bytes;
    const QByteArray decl = bytes.left(end).toLower();
    const qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return bytes;
    const qsizetype q = decl.indexOf('"', at) >= 0 ? decl.indexOf('"', at) : decl.indexOf('\'', at);
    if (q < 0)
        return bytes;
    const QByteArray rest = decl.mid(q + 1);
    for (const char *enc : {"windows-1252", "cp1252", "iso-8859-1", "latin1", "iso-8859-15"}) {
        if (rest.startsWith(enc)) {
            converted = true;
            return Decode_Windows1252(bytes).toUtf8();
        }
    }
    return bytes;
}

void LoadBuffer(pugi::xml_document &doc, const QByteArray &bytes, pugi::xml_encoding enc,
                const QString &source)
{
    const pugi::xml_parse_result r = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                     kParseFlags, enc);
    if (r)
        return;
    doc.reset();
    // Line and column of the fault, counted in the parsed buffer.
    const qsizetype off = std::clamp<qsizetype>(qsizetype(r.offset), 0, bytes.size());
    const qsizetype line = bytes.left(off).count('\n') + 1;
    const qsizetype lineStart = bytes.lastIndexOf('\n', off - 1) + 1;
    const qsizetype col = off - lineStart + 1;
    QString msg = QStringLiteral("%1 is not a valid XML document: %2")
                      .arg(source, QString::fromLatin1(r.description()));
    if (r.status != pugi::status_no_document_element)
        msg += QStringLiteral(" (line %1, column %2)").arg(line).arg(col);
    throw EXmlParseError(msg.toStdString(), int(r.status), int(line));
}

[[noreturn]] void Throw_Not_Well_Formed(const QByteArray &text, qsizetype off, const QString &what,
                                        const QString &source)
{
    const qsizetype line = text.left(off).count('\n') + 1;
    const qsizetype col = off - (text.lastIndexOf('\n', off - 1) + 1) + 1;
    throw EXmlParseError(QStringLiteral("%1 is not a valid XML document: %2 (line %3, column %4)")
                             .arg(source, what)
                             .arg(line)
                             .arg(col)
                             .toStdString(),
                         -1, int(line));
}

bool Is_Name_Start(uchar c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; }
bool Is_Name_Char(uchar c) { return Is_Name_Start(c) || std::isdigit(c) || c == '-' || c == '.'; }

// The reference at t[at] == '&': the offset past its ';', or -1 with the fault in what.
qsizetype Reference_End(const QByteArray &t, qsizetype at, bool doctype, QString &what)
{
    const qsizetype n = t.size();
    qsizetype p = at + 1;
    if (p < n && t[p] == '#') {
        const bool hex = p + 1 < n && t[p + 1] == 'x';
        p += hex ? 2 : 1;
        const qsizetype digits = p;
        while (p < n && (hex ? std::isxdigit(uchar(t[p])) : std::isdigit(uchar(t[p]))))
            ++p;
        char32_t value = 0;
        for (qsizetype k = digits; k < p; ++k) {
            const char d = t[k];
            const int digit = d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10;
            value = std::min<char32_t>(0x110000, value * (hex ? 16 : 10) + char32_t(digit));
        }
        if (p == digits || p >= n || t[p] != ';') {
            what = QStringLiteral("a character reference without its digits or \";\"");
            return -1;
        }
        const bool ok = value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value <= 0xD7FF)
                        || (value >= 0xE000 && value <= 0xFFFD) || (value >= 0x10000 && value <= 0x10FFFF);
        if (!ok) {
            what = QStringLiteral("a character reference to a character XML cannot hold");
            return -1;
        }
        return p + 1;
    }
    const qsizetype name = p;
    if (p < n && Is_Name_Start(uchar(t[p])))
        while (p < n && Is_Name_Char(uchar(t[p])))
            ++p;
    if (p == name || p >= n || t[p] != ';') {
        what = QStringLiteral("an \"&\" that starts no reference");
        return -1;
    }
    static const QByteArray predefined[] = {"amp", "lt", "gt", "quot", "apos"};
    const QByteArray entity = t.mid(name, p - name);
    if (!doctype && std::find(std::begin(predefined), std::end(predefined), entity) == std::end(predefined)) {
        what = QStringLiteral("a reference to the undeclared entity \"%1\"").arg(QString::fromUtf8(entity));
        return -1;
    }
    return p + 1;
}

// The faults of the markup the parser lets through, in text already checked for its
// characters; the structure itself is left to the parser.
void Check_Markup(const QByteArray &t, const QString &source)
{
    const qsizetype n = t.size();
    bool doctype = false;
    QString what;
    const auto skip_to = [&](qsizetype from, const char *end) {
        const qsizetype e = t.indexOf(end, from);
        return e < 0 ? n : e + qsizetype(std::strlen(end));
    };
    for (qsizetype i = 0; i < n;) {
        const char c = t[i];
        if (c == '&') {
            const qsizetype e = Reference_End(t, i, doctype, what);
            if (e < 0)
                Throw_Not_Well_Formed(t, i, what, source);
            i = e;
        } else if (c != '<') {
            ++i;
        } else if (t.mid(i, 4) == "<!--") {
            i = skip_to(i + 4, "-->");
        } else if (t.mid(i, 9) == "<![CDATA[") {
            i = skip_to(i + 9, "]]>");
        } else if (t.mid(i, 2) == "<?") {
            i = skip_to(i + 2, "?>");
        } else if (t.mid(i, 2) == "<!") {
            // A document type declaration, its internal subset included.
            doctype = true;
            char quote = 0;
            int depth = 0;
            for (++i; i < n; ++i) {
                const char d = t[i];
                if (quote) {
                    if (d == quote)
                        quote = 0;
                } else if (d == '<' && t.mid(i, 4) == "<!--") {
                    i = skip_to(i + 4, "-->") - 1;
                } else if (d == '"' || d == '\'') {
                    quote = d;
                } else if (d == '[') {
                    ++depth;
                } else if (d == ']') {
                    --depth;
                } else if (d == '>' && depth <= 0) {
                    break;
                }
            }
            ++i;
        } else {
            // A tag: its attribute values are checked.
            char quote = 0;
            for (++i; i < n; ++i) {
                const char d = t[i];
                if (quote) {
                    if (d == quote) {
                        quote = 0;
                    } else if (d == '<') {
                        Throw_Not_Well_Formed(t, i, QStringLiteral("a \"<\" in an attribute value"), source);
                    } else if (d == '&') {
                        const qsizetype e = Reference_End(t, i, doctype, what);
                        if (e < 0)
                            Throw_Not_Well_Formed(t, i, what, source);
                        i = e - 1;
                    }
                } else if (d == '"' || d == '\'') {
                    quote = d;
                } else if (d == '>') {
                    break;
                }
            }
            ++i;
        }
    }
}

// The well-formed check of LoadFromFile. buf is the file's bytes, or its UTF-8 form when
// converted; a file in UTF-16 or UTF-32 is turned into UTF-8 here. Returns whether buf is
// UTF-8 now. A file that declares another encoding is read as the parser reads it, and only
// its markup is checked.
bool Check_Well_Formed(QByteArray &buf, bool converted, const QString &source)
{
    std::optional<QStringConverter::Encoding> enc = QStringConverter::Utf8;
    if (!converted) {
        enc = QStringConverter::encodingForData(buf, u'<');
        if (!enc) {
            enc = QStringConverter::Utf8;
            if (buf.startsWith("<?xml")) {
                const QByteArray decl = buf.left(buf.indexOf("?>")).toLower();
                const qsizetype at = decl.indexOf("encoding");
                if (at >= 0) {
                    const QByteArray value = decl.mid(at + 8).trimmed().mid(1).trimmed().mid(1);
                    if (!value.startsWith("utf-8") && !value.startsWith("utf8"))
                        enc.reset();
                }
            }
        }
    }
    if (!enc) {
        Check_Markup(buf, source);
        return false;
    }
    QStringDecoder decode(*enc, QStringDecoder::Flag::Stateless);
    const QString text = decode(buf);
    if (decode.hasError()) {
        // The line of the first broken sequence.
        qsizetype line = 1;
        for (qsizetype start = 0; start < buf.size(); ++line) {
            qsizetype end = *enc == QStringConverter::Utf8 ? buf.indexOf('\n', start) : -1;
            if (end < 0)
                end = buf.size();
            QStringDecoder part(*enc, QStringDecoder::Flag::Stateless);
            const QString decoded = part(QByteArrayView(buf).sliced(start, end - start));
            if (part.hasError())
                break;
            start = end + 1;
        }
        throw EXmlParseError(QStringLiteral("%1 is not a valid XML document: invalid %2 byte sequence (line %3)")
                                 .arg(source,
                                      QLatin1String(QStringConverter::nameForEncoding(*enc)))
                                 .arg(line)
                                 .toStdString(),
                             -1, int(line));
    }
    if (*enc != QStringConverter::Utf8)
        buf = text.toUtf8();
    const qsizetype bad = First_Non_Xml_Char(text);
    if (bad >= 0) {
        const QByteArray utf8 = text.left(bad).toUtf8();
        Throw_Not_Well_Formed(buf, utf8.size() + (buf.startsWith("\xEF\xBB\xBF") ? 3 : 0),
                              QStringLiteral("the character %1, which XML cannot hold").arg(Char_Code_Text(text, bad)),
                              source);
    }
    Check_Markup(buf, source);
    return true;
}

struct TStringWriter : pugi::xml_writer {
    QByteArray out;
    void write(const void *data, size_t size) override
    {
        out.append(static_cast<const char *>(data), qsizetype(size));
    }
};

} // namespace

// ---- TXmlNode ---------------------------------------------------------------------------

TXmlNode::TXmlNode() = default;

bool TXmlNode::IsNull() const { return node_ == nullptr; }

QString TXmlNode::Name() const { return node_ ? Q(N(node_).name()) : QString(); }

std::vector<TXmlNode> TXmlNode::ChildNodes() const
{
    std::vector<TXmlNode> out;
    if (node_)
        for (pugi::xml_node c = N(node_).first_child(); c; c = c.next_sibling())
            out.push_back(TXmlNode(c.internal_object()));
    return out;
}

bool TXmlNode::IsElement() const { return node_ && N(node_).type() == pugi::node_element; }

QString TXmlNode::TextContent() const
{
    if (!node_)
        return QString();
    const pugi::xml_node n = N(node_);
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
        return Q(n.value());
    QString out;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() != pugi::node_comment && c.type() != pugi::node_pi)
            out += TXmlNode(c.internal_object()).TextContent();
    return out;
}

QString TXmlNode::Text() const
{
    if (!node_)
        return {};
    // Text children only; comments and child elements between them are skipped.
    QString out;
    for (pugi::xml_node c = N(node_).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += Q(c.value());
    return out;
}

void TXmlNode::SetText(const QString &text)
{
    if (!node_)
        ThrowNull("SetText");
    pugi::xml_node n = N(node_);
    CheckXmlChars(text, [&] { return QStringLiteral("The text of the element <%1>").arg(PathOf(n)); });
    // One text child holds the whole text.
    for (pugi::xml_node c = n.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            n.remove_child(c);
        c = next;
    }
    if (!text.isEmpty())
        n.prepend_child(pugi::node_pcdata).set_value(U(text).constData());
}

TXmlNode TXmlNode::Child(const QString &name) const
{
    if (!node_)
        return {};
    return TXmlNode(N(node_).child(U(name).constData()).internal_object());
}

TXmlNode TXmlNode::ChildRequired(const QString &name) const
{
    TXmlNode c = Child(name);
    if (c.IsNull())
        throw EXmlMissing(QStringLiteral("Element <%1> not found in <%2>")
                              .arg(name, Name())
                              .toStdString());
    return c;
}

std::vector<TXmlNode> TXmlNode::Children() const
{
    std::vector<TXmlNode> out;
    if (!node_)
        return out;
    for (pugi::xml_node c = N(node_).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            out.push_back(TXmlNode(c.internal_object()));
    return out;
}

std::vector<TXmlNode> TXmlNode::Children(const QString &name) const
{
    std::vector<TXmlNode> out;
    if (!node_)
        return out;
    const QByteArray n = U(name);
    for (pugi::xml_node c = N(node_).child(n.constData()); c; c = c.next_sibling(n.constData()))
        out.push_back(TXmlNode(c.internal_object()));
    return out;
}

int TXmlNode::ChildCount() const
{
    int count = 0;
    if (node_)
        for (pugi::xml_node c = N(node_).first_child(); c; c = c.next_sibling())
            count += c.type() == pugi::node_element;
    return count;
}

TXmlNode TXmlNode::AddChild(const QString &name)
{
    if (!node_)
        ThrowNull("AddChild");
    if (name.isEmpty())
        throw EXmlError("XML: an element needs a name");
    return TXmlNode(N(node_).append_child(U(name).constData()).internal_object());
}

TXmlNode TXmlNode::AddTextChild(const QString &name, const QString &text)
{
    TXmlNode c = AddChild(name);
    c.SetText(text);
    return c;
}

bool TXmlNode::HasAttribute(const QString &name) const
{
    return node_ && N(node_).attribute(U(name).constData());
}

QString TXmlNode::Attribute(const QString &name) const
{
    if (node_)
        if (pugi::xml_attribute a = N(node_).attribute(U(name).constData()))
            return Q(a.value());
    throw EXmlMissing(QStringLiteral("Attribute \"%1\" not found in <%2>")
                          .arg(name, Name())
                          .toStdString());
}

QString TXmlNode::AttributeDef(const QString &name, const QString &def) const
{
    if (node_)
        if (pugi::xml_attribute a = N(node_).attribute(U(name).constData()))
            return Q(a.value());
    return def;
}

void TXmlNode::SetAttribute(const QString &name, const QString &value)
{
    if (!node_)
        ThrowNull("SetAttribute");
    if (name.isEmpty())
        throw EXmlError("XML: an attribute needs a name");
    CheckXmlChars(value, [&] {
        return QStringLiteral("The attribute \"%1\" of the element <%2>").arg(name, PathOf(N(node_)));
    });
    const QByteArray n = U(name);
    pugi::xml_attribute a = N(node_).attribute(n.constData());
    if (!a)
        a = N(node_).append_attribute(n.constData());
    a.set_value(U(value).constData());
}

std::vector<std::pair<QString, QString>> TXmlNode::Attributes() const
{
    std::vector<std::pair<QString, QString>> out;
    if (node_)
        for (pugi::xml_attribute a : N(node_).attributes())
            out.emplace_back(Q(a.name()), Q(a.value()));
    return out;
}

// ---- TXmlDocument -----------------------------------------------------------------------

TXmlDocument::TXmlDocument() : doc_(std::make_unique<pugi::xml_document>()) {}
TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::LoadFromFile(const QString &path, TXmlCheck check)
{
    QByteArray bytes;
    try {
        bytes = Read_File(path);
    } catch (const EFileError &e) {
        doc_->reset();
        throw EXmlError(e.what());
    }
    bool converted = false;
    QByteArray buf = ToUtf8IfDeclaredAnsi(bytes, converted);
    const QString source = QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
    if (check == TXmlCheck::Well_Formed) {
        try {
            converted = Check_Well_Formed(buf, converted, source);
        } catch (...) {
            doc_->reset();
            throw;
        }
    }
    LoadBuffer(*doc_, buf, converted ? pugi::encoding_utf8 : pugi::encoding_auto, source);
}

void TXmlDocument::LoadFromString(const QString &xml)
{
    LoadBuffer(*doc_, U(xml), pugi::encoding_utf8, QStringLiteral("The text"));
}

void TXmlDocument::Clear() { doc_->reset(); }

bool TXmlDocument::IsEmpty() const { return !doc_->first_child(); }

TXmlNode TXmlDocument::DocumentElement() const
{
    return TXmlNode(doc_->document_element().internal_object());
}

TXmlNode TXmlDocument::CreateRoot(const QString &name)
{
    if (name.isEmpty())
        throw EXmlError("XML: an element needs a name");
    doc_->reset();
    return TXmlNode(doc_->append_child(U(name).constData()).internal_object());
}

void TXmlDocument::AddComment(const QString &text)
{
    CheckXmlChars(text, [] { return QStringLiteral("The comment after the root element"); });
    // "--" cannot appear inside a comment; a blank keeps the file well-formed.
    QString t = text;
    while (t.contains(QLatin1String("--")))
        t.replace(QLatin1String("--"), QLatin1String("- -"));
    if (t.endsWith(u'-'))
        t += u' ';
    doc_->append_child(pugi::node_comment).set_value(U(t).constData());
}

QString TXmlDocument::SaveToString() const
{
    return QString::fromUtf8(SaveToBytes());
}

QByteArray TXmlDocument::SaveToBytes() const
{
    TStringWriter w;
    doc_->save(w, "  ", kFormatFlags, pugi::encoding_utf8);
    return w.out;
}

void TXmlDocument::SaveToFile(const QString &path) const
{
    try {
        Write_File_Atomic(path, SaveToBytes());
    } catch (const EFileError &e) {
        throw EXmlError(e.what());
    }
}
