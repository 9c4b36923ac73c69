#pragma once
// XML documents over pugixml with the behaviour the program's file readers and writers
// expect: the document element is the root, a missing element or attribute is reported
// so the reader can take the field's default, text is kept byte for byte (a leading
// U+FEFF included), output has no declaration and a comment may follow the root at
// document level. A text, attribute value or comment holding a character XML 1.0 cannot
// hold (U+0000 and the other control characters but tab, LF and CR, U+FFFE, U+FFFF, a lone
// surrogate) is refused with EXmlError naming the element and attribute, so a document
// that would be cut or unreadable is never saved.
#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pugi { class xml_document; struct xml_node_struct; }

// The index of the first UTF-16 unit of a character XML 1.0 cannot hold, or -1; readers of
// other formats check with it what they take in for a project file.
qsizetype First_Non_Xml_Char(QStringView text);
// "U+0000": the character at that index, for messages.
QString Char_Code_Text(QStringView text, qsizetype at);

// A file that is missing, unreadable or not well-formed, or a failed save.
class EXmlError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A document that is not well-formed: the parser's status and the line of the fault.
class EXmlParseError : public EXmlError
{
public:
    EXmlParseError(const std::string &what, int code, int line)
        : EXmlError(what), Code(code), Line(line) {}
    int Code;
    int Line;
};

// A missing element or attribute asked for with a throwing accessor.
class EXmlMissing : public EXmlError
{
public:
    using EXmlError::EXmlError;
};

// A handle to an element of a TXmlDocument; cheap to copy, valid while the document lives.
class TXmlNode
{
public:
    TXmlNode();
    bool IsNull() const;
    explicit operator bool() const { return !IsNull(); }

    QString Name() const;
    QString Text() const;                               // child text, exactly as stored
    void SetText(const QString &text);

    TXmlNode Child(const QString &name) const;          // first element of that name, or null
    TXmlNode ChildRequired(const QString &name) const;  // throws EXmlMissing
    std::vector<TXmlNode> Children() const;             // child elements in order
    std::vector<TXmlNode> Children(const QString &name) const;
    int ChildCount() const;                             // child elements
    TXmlNode AddChild(const QString &name);             // appended last
    TXmlNode AddTextChild(const QString &name, const QString &text);

    // Every child node, elements, texts and comments alike, in order.
    std::vector<TXmlNode> ChildNodes() const;
    bool IsElement() const;
    // The texts of every descendant joined, as a DOM's text content.
    QString TextContent() const;

    bool HasAttribute(const QString &name) const;
    QString Attribute(const QString &name) const;       // throws EXmlMissing
    QString AttributeDef(const QString &name, const QString &def) const;
    // Replaces the value in place, or appends the attribute after those written before.
    void SetAttribute(const QString &name, const QString &value);
    std::vector<std::pair<QString, QString>> Attributes() const;

private:
    friend class TXmlDocument;
    explicit TXmlNode(pugi::xml_node_struct *node) : node_(node) {}
    pugi::xml_node_struct *node_ = nullptr;
};

// How much of XML 1.0 a load checks. Parser: what the parser refuses. Well_Formed also
// refuses what it lets through: an "&" that starts no reference, a reference to an entity no
// document type declares, a "<" in an attribute value, a character XML cannot hold (raw or
// as a reference), and bytes that are not UTF-8 (or UTF-16/32) in a file read as such.
enum class TXmlCheck { Parser, Well_Formed };

class TXmlDocument
{
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument &) = delete;
    TXmlDocument &operator=(const TXmlDocument &) = delete;

    // Throws EXmlError naming the file and the fault (EXmlParseError for a document that is
    // not well-formed).
    void LoadFromFile(const QString &path, TXmlCheck check = TXmlCheck::Parser);
    void LoadFromString(const QString &xml);    // throws EXmlError
    void Clear();
    bool IsEmpty() const;

    TXmlNode DocumentElement() const;           // first element at document level, or null
    TXmlNode CreateRoot(const QString &name);   // empties the document first
    // A comment at document level after the root element ("SW_VERSION = 1.000").
    void AddComment(const QString &text);

    void SaveToFile(const QString &path) const; // UTF-8, no declaration, atomic; throws EXmlError
    QString SaveToString() const;
    QByteArray SaveToBytes() const;             // the UTF-8 bytes SaveToFile writes

private:
    std::unique_ptr<pugi::xml_document> doc_;
};
