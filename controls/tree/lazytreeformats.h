#pragma once
// The clipboard formats of the lazy trees: one process-wide registry of the formats a tree
// class can render, in order of preference, and each tree's own list of the format names
// it may offer (ClipboardFormats). Format numbers are the registry's own: the 17 standard
// formats keep 1 to 17, names registered at run time get numbers from 0xC000 on, and every
// format has a MIME type under which the tree's data object carries it.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

struct QMetaObject;
class TBaseLazyTree;
class TClipboardFormats;

// A tree class as the registry knows it; a class can render what its ancestors can.
using TLazyTreeClass = const QMetaObject *;

constexpr uint16_t CF_TEXT = 1, CF_UNICODETEXT = 13;
constexpr uint32_t TYMED_HGLOBAL = 1, TYMED_ISTREAM = 4;
constexpr uint32_t DVASPECT_CONTENT = 1;

struct TFormatEtc
{
    uint16_t cfFormat = 0;
    void *ptd = nullptr;
    uint32_t dwAspect = DVASPECT_CONTENT;
    int32_t lindex = -1;
    uint32_t tymed = TYMED_HGLOBAL;
    friend bool operator==(const TFormatEtc &, const TFormatEtc &) = default;
};

struct TClipboardFormatListEntry
{
    QString Description;
    TLazyTreeClass TreeClass = nullptr;
    uint32_t Priority = 0;   // smaller is offered first
    TFormatEtc FormatEtc;
};

struct TClipboardFormatEntry
{
    uint16_t ID;
    QString Description;
};

// The registry; filled at start-up in a fixed order and read-only afterwards (GUI thread).
class TClipboardFormatList
{
public:
    static void Add(const QString &FormatString, TLazyTreeClass TreeClass, uint32_t Priority,
                    const TFormatEtc &FormatEtc);
    static void Clear();
    // The formats usable by TreeClass, in priority order, restricted to AllowedFormats
    // when given.
    static void EnumerateFormats(TLazyTreeClass TreeClass, std::vector<TFormatEtc> &Formats,
                                 const TClipboardFormats *AllowedFormats = nullptr);
    static void EnumerateFormats(TLazyTreeClass TreeClass, QStringList &Formats);
    // Lookups ignore case; nil or nullptr when there is none.
    static const TClipboardFormatListEntry *FindFormat(const QString &FormatString);
    static TLazyTreeClass FindFormat(const QString &FormatString, uint16_t &Fmt);
    static TLazyTreeClass FindFormat(uint16_t Fmt, QString &Description);
    static int Count();
    static const TClipboardFormatListEntry &Entry(int Index);
};

// The descriptions of the predefined formats 1 to 17.
const std::array<TClipboardFormatEntry, 17> &StandardClipboardFormats();

// The process's format numbering: the same name (ignoring case) always gets the same number.
uint16_t RegisterClipboardFormat(const QString &Name);
// The name of a format registered at run time; empty for an unknown number.
QString ClipboardFormatName(uint16_t Format);
// The MIME type a format travels under in a data object.
QString ClipboardFormatMimeType(uint16_t Format);

uint16_t RegisterTreeClipboardFormat(const QString &Description, TLazyTreeClass TreeClass,
                                     uint32_t Priority, uint32_t tymed = TYMED_HGLOBAL,
                                     void *ptd = nullptr, uint32_t dwAspect = DVASPECT_CONTENT,
                                     int32_t lindex = -1);
void RegisterStandardClipboardFormat(uint16_t ID, TLazyTreeClass TreeClass, uint32_t Priority);

// The numbers of the tree's own formats (registered at start-up).
struct TLazyTreeFormatNumbers
{
    uint16_t Reference = 0;   // "Lazy Tree Reference", not in the registry
    uint16_t TreeData = 0;    // "Lazy Tree Data"
    uint16_t HTML = 0, RTF = 0, RTFNoObjects = 0, CSV = 0;
};
const TLazyTreeFormatNumbers &LazyTreeFormats();

// The format names one tree may offer: sorted, without duplicates (both ignoring case);
// a name is taken only when the registry knows it for the owner's class.
class TClipboardFormats
{
public:
    explicit TClipboardFormats(TBaseLazyTree *AOwner) : FOwner(AOwner) {}
    TBaseLazyTree *Owner() const { return FOwner; }
    // The index of the name, or -1 when it is refused.
    int Add(const QString &S);
    void Insert(int Index, const QString &S);
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    QString Strings(int Index) const { return FItems.at(Index); }
    int IndexOf(const QString &S) const;
    const QStringList &Items() const { return FItems; }

private:
    bool Acceptable(const QString &S) const;
    TBaseLazyTree *FOwner;
    QStringList FItems;
};
