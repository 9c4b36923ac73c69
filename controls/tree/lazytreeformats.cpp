#include "controls/tree/lazytreeformats.h"

#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreeglobals.h"

#include <QMetaObject>
#include <algorithm>
#include <memory>

namespace {

constexpr uint16_t FirstRegisteredFormat = 0xC000;

struct TRegistry
{
    std::vector<TClipboardFormatListEntry> Entries;
    QStringList Names;   // run-time formats by number - FirstRegisteredFormat
    TLazyTreeFormatNumbers Numbers;
    bool Started = false;
};

TRegistry &Registry()
{
    static TRegistry R;
    return R;
}

void RegisterStartupFormats()
{
    TRegistry &r = Registry();
    if (r.Started)
        return;
    r.Started = true;
    TLazyTreeFormatNumbers &n = r.Numbers;
    const TLazyTreeClass base = &TBaseLazyTree::staticMetaObject;
    const TLazyTreeClass strings = &TCustomLazyStringTree::staticMetaObject;
    n.Reference = RegisterClipboardFormat(QStringLiteral("Lazy Tree Reference"));
    n.TreeData = RegisterTreeClipboardFormat(QStringLiteral("Lazy Tree Data"), base, 50);
    n.HTML = RegisterTreeClipboardFormat(QStringLiteral("HTML Format"), strings, 80);
    n.RTFNoObjects =
        RegisterTreeClipboardFormat(QStringLiteral("Rich Text Format Without Objects"), strings, 84);
    n.RTF = RegisterTreeClipboardFormat(QStringLiteral("Rich Text Format"), strings, 85);
    n.CSV = RegisterTreeClipboardFormat(QStringLiteral("CSV"), strings, 90);
    RegisterStandardClipboardFormat(CF_TEXT, strings, 100);
    RegisterStandardClipboardFormat(CF_UNICODETEXT, strings, 95);
}

// The tree start-up registers the formats before the first tree exists.
[[maybe_unused]] const bool Hooked = (SetLazyTreeFormatRegistration(RegisterStartupFormats), true);

TRegistry &StartedRegistry()
{
    RegisterStartupFormats();
    return Registry();
}

bool UsableBy(const TClipboardFormatListEntry &Entry, TLazyTreeClass TreeClass)
{
    return TreeClass && Entry.TreeClass && TreeClass->inherits(Entry.TreeClass);
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Format numbers

const std::array<TClipboardFormatEntry, 17> &StandardClipboardFormats()
{
    static const std::array<TClipboardFormatEntry, 17> Table = {{
        {1, QStringLiteral("Plain text")},
        {2, QStringLiteral("Windows bitmap")},
        {3, QStringLiteral("Windows metafile")},
        {4, QStringLiteral("Symbolic link")},
        {5, QStringLiteral("Data interchange format")},
        {6, QStringLiteral("Tiff image")},
        {7, QStringLiteral("OEM text")},
        {8, QStringLiteral("DIB image")},
        {9, QStringLiteral("Palette data")},
        {10, QStringLiteral("Pen data")},
        {11, QStringLiteral("Riff audio data")},
        {12, QStringLiteral("Wav audio data")},
        {13, QStringLiteral("Unicode text")},
        {14, QStringLiteral("Enhanced metafile image")},
        {15, QStringLiteral("File name(s)")},
        {16, QStringLiteral("Locale descriptor")},
        {17, QStringLiteral("DIB image V5")},
    }};
    return Table;
}

uint16_t RegisterClipboardFormat(const QString &Name)
{
    QStringList &names = Registry().Names;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(Name, Qt::CaseInsensitive) == 0)
            return uint16_t(FirstRegisteredFormat + i);
    names.append(Name);
    return uint16_t(FirstRegisteredFormat + names.size() - 1);
}

QString ClipboardFormatName(uint16_t Format)
{
    const QStringList &names = Registry().Names;
    const int index = int(Format) - FirstRegisteredFormat;
    return index >= 0 && index < names.size() ? names[index] : QString();
}

QString ClipboardFormatMimeType(uint16_t Format)
{
    switch (Format) {
    case CF_TEXT: return QStringLiteral("text/plain;charset=windows-1252");
    case CF_UNICODETEXT: return QStringLiteral("text/plain");
    default: break;
    }
    const TLazyTreeFormatNumbers &n = LazyTreeFormats();
    if (Format == n.HTML)
        return QStringLiteral("text/html");
    if (Format == n.RTF)
        return QStringLiteral("text/rtf");
    if (Format == n.CSV)
        return QStringLiteral("text/csv");
    if (Format == n.TreeData)
        return QStringLiteral("application/x-lazytree-data");
    if (Format == n.Reference)
        return QStringLiteral("application/x-lazytree-reference");
    if (Format == n.RTFNoObjects)
        return QStringLiteral("application/x-rtf-without-objects");
    return QString();
}

uint16_t RegisterTreeClipboardFormat(const QString &Description, TLazyTreeClass TreeClass,
                                     uint32_t Priority, uint32_t tymed, void *ptd,
                                     uint32_t dwAspect, int32_t lindex)
{
    const uint16_t format = RegisterClipboardFormat(Description);
    TClipboardFormatList::Add(Description, TreeClass, Priority,
                              TFormatEtc{format, ptd, dwAspect, lindex, tymed});
    return format;
}

void RegisterStandardClipboardFormat(uint16_t ID, TLazyTreeClass TreeClass, uint32_t Priority)
{
    QString description;
    if (ID >= 18) {
        description = ClipboardFormatName(ID);
    } else {
        const auto &table = StandardClipboardFormats();
        const auto it = std::find_if(table.begin(), table.end(),
                                     [ID](const TClipboardFormatEntry &e) { return e.ID == ID; });
        if (it == table.end())
            return;
        description = it->Description;
    }
    TClipboardFormatList::Add(description, TreeClass, Priority,
                              TFormatEtc{ID, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

const TLazyTreeFormatNumbers &LazyTreeFormats()
{
    return StartedRegistry().Numbers;
}

// ---------------------------------------------------------------------------------------
// The registry

void TClipboardFormatList::Add(const QString &FormatString, TLazyTreeClass TreeClass,
                               uint32_t Priority, const TFormatEtc &FormatEtc)
{
    auto &entries = Registry().Entries;
    entries.push_back({FormatString, TreeClass, Priority, FormatEtc});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TClipboardFormatListEntry &a, const TClipboardFormatListEntry &b) {
                         return a.Priority < b.Priority;
                     });
}

void TClipboardFormatList::Clear()
{
    Registry().Entries.clear();
}

void TClipboardFormatList::EnumerateFormats(TLazyTreeClass TreeClass,
                                            std::vector<TFormatEtc> &Formats,
                                            const TClipboardFormats *AllowedFormats)
{
    Formats.clear();
    for (const TClipboardFormatListEntry &e : StartedRegistry().Entries)
        if (UsableBy(e, TreeClass) && (!AllowedFormats || AllowedFormats->IndexOf(e.Description) >= 0))
            Formats.push_back(e.FormatEtc);
}

void TClipboardFormatList::EnumerateFormats(TLazyTreeClass TreeClass, QStringList &Formats)
{
    for (const TClipboardFormatListEntry &e : StartedRegistry().Entries)
        if (UsableBy(e, TreeClass))
            Formats.append(e.Description);
}

const TClipboardFormatListEntry *TClipboardFormatList::FindFormat(const QString &FormatString)
{
    const auto &entries = StartedRegistry().Entries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->Description.compare(FormatString, Qt::CaseInsensitive) == 0)
            return &*it;
    return nullptr;
}

TLazyTreeClass TClipboardFormatList::FindFormat(const QString &FormatString, uint16_t &Fmt)
{
    const TClipboardFormatListEntry *entry = FindFormat(FormatString);
    if (!entry)
        return nullptr;
    Fmt = entry->FormatEtc.cfFormat;
    return entry->TreeClass;
}

TLazyTreeClass TClipboardFormatList::FindFormat(uint16_t Fmt, QString &Description)
{
    const auto &entries = StartedRegistry().Entries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->FormatEtc.cfFormat == Fmt) {
            Description = it->Description;
            return it->TreeClass;
        }
    return nullptr;
}

int TClipboardFormatList::Count()
{
    return int(StartedRegistry().Entries.size());
}

const TClipboardFormatListEntry &TClipboardFormatList::Entry(int Index)
{
    return StartedRegistry().Entries.at(size_t(Index));
}

// ---------------------------------------------------------------------------------------
// A tree's own list

bool TClipboardFormats::Acceptable(const QString &S) const
{
    uint16_t format = 0;
    const TLazyTreeClass treeClass = TClipboardFormatList::FindFormat(S, format);
    return treeClass && FOwner && FOwner->metaObject()->inherits(treeClass);
}

int TClipboardFormats::IndexOf(const QString &S) const
{
    for (int i = 0; i < FItems.size(); ++i)
        if (FItems[i].compare(S, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TClipboardFormats::Add(const QString &S)
{
    if (!Acceptable(S))
        return -1;
    const int existing = IndexOf(S);
    if (existing >= 0)
        return existing;
    const auto at = std::lower_bound(FItems.begin(), FItems.end(), S, [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const int index = int(at - FItems.begin());
    FItems.insert(index, S);
    return index;
}

void TClipboardFormats::Insert(int, const QString &S)
{
    // The list is sorted: the name goes to its place.
    Add(S);
}

TClipboardFormats &TBaseLazyTree::ClipboardFormats() const
{
    if (!FClipboardFormats)
        FClipboardFormats = std::make_shared<TClipboardFormats>(const_cast<TBaseLazyTree *>(this));
    return *FClipboardFormats;
}

void TBaseLazyTree::SetClipboardFormats(const QStringList &Value)
{
    TClipboardFormats &formats = ClipboardFormats();
    formats.Clear();
    for (const QString &name : Value)
        formats.Add(name);
}
