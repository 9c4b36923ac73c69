#include "editors/building/iec_client_decode.h"

#include "platform/files.h"
#include "platform/xml.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <pugixml.hpp>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

using Node = pugi::xml_node;

bool Is(const Node &n, const char *name)
{
    return n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0;
}

Node First(const Node &parent, const char *name)
{
    for (Node c : parent.children())
        if (Is(c, name))
            return c;
    return {};
}

QString Attr(const Node &n, const char *name)
{
    const pugi::xml_attribute a = n.attribute(name);
    return a ? QString::fromUtf8(a.value()) : QString();
}

// Pre-order search: each entry, then its subtree, then the next entry.
template <class T, class Sub>
T *Search(const std::vector<std::unique_ptr<T>> &list, const QString &name, Sub sub)
{
    for (const auto &e : list) {
        if (e->Name() == name)
            return e.get();
        if (T *found = sub(*e))
            return found;
    }
    return nullptr;
}

TIEC_DA *Search_DA(const std::vector<std::unique_ptr<TIEC_DA>> &list, const QString &name)
{
    return Search(list, name, [&name](const TIEC_DA &da) { return Search_DA(da.List_DA, name); });
}

TIEC_DO *Search_DO(const std::vector<std::unique_ptr<TIEC_DO>> &list, const QString &name)
{
    return Search(list, name, [&name](const TIEC_DO &d) { return Search_DO(d.List_DO, name); });
}

TIEC_DA *First_Leaf(const std::vector<std::unique_ptr<TIEC_DA>> &list)
{
    if (list.empty())
        return nullptr;
    TIEC_DA *first = list.front().get();
    return first->List_DA.empty() ? first : First_Leaf(first->List_DA);
}

// Decodes one file. The type definitions are indexed by kind and id once; every element of
// a wanted id contributes, in document order. A type already being resolved further up
// counts as not found, so a type that names itself cannot recurse without end.
class TDecoder
{
public:
    explicit TDecoder(TIEC_Device &device) : device_(device) {}

    void Run(const Node &scl_doc)
    {
        Node scl;
        for (Node c : scl_doc.children())
            if (Is(c, "SCL")) {
                scl = c;
                break;
            }
        if (!scl)
            return;
        const Node ied = First(scl, "IED");
        const Node dtt = First(scl, "DataTypeTemplates");
        if (!ied || !dtt)
            return;
        Index(dtt);
        device_.fName = Attr(ied, "name");
        const Node ap = First(ied, "AccessPoint");
        const Node server = ap ? First(ap, "Server") : Node();
        if (!server)
            return;
        for (Node ld : server.children())
            if (Is(ld, "LDevice")) {
                auto dev = std::make_unique<TIEC_LDevice>();
                Decode_LDevice(ld, *dev, device_.fName, false);
                device_.List_LDevice.push_back(std::move(dev));
            }
        // Data-set members may name any logical device: all exist before the first is resolved.
        size_t k = 0;
        for (Node ld : server.children())
            if (Is(ld, "LDevice") && k < device_.List_LDevice.size())
                Decode_LDevice(ld, *device_.List_LDevice[k++], device_.fName, true);
    }

private:
    using Defs = std::vector<Node>;

    void Index(const Node &dtt)
    {
        for (Node t : dtt.children()) {
            if (t.type() != pugi::node_element)
                continue;
            const pugi::xml_attribute id = t.attribute("id");
            if (id)
                types_[Key(t.name(), id.value())].push_back(t);
        }
    }
    static std::string Key(const char *kind, const char *id)
    {
        std::string k(kind);
        k += '\0';
        k += id;
        return k;
    }
    const Defs &Types(const char *kind, const QString &id) const
    {
        static const Defs none;
        const auto it = types_.find(Key(kind, id.toUtf8().constData()));
        return it == types_.end() ? none : it->second;
    }
    // Marks a type as being resolved; false when it already is.
    bool Enter(const char *kind, const QString &id)
    {
        return active_.insert(Key(kind, id.toUtf8().constData())).second;
    }
    void Leave(const char *kind, const QString &id) { active_.erase(Key(kind, id.toUtf8().constData())); }

    void Decode_LDevice(const Node &e, TIEC_LDevice &ld, const QString &ref, bool DataSetSearch)
    {
        ld.fName = Attr(e, "inst");
        const QString reference = ref + ld.fName;
        size_t k = 0;
        for (Node c : e.children()) {
            if (!Is(c, "LN0") && !Is(c, "LN"))
                continue;
            if (!DataSetSearch) {
                auto ln = std::make_unique<TIEC_LN>();
                Decode_LN(c, *ln, reference);
                ld.List_LN.push_back(std::move(ln));
            } else if (k < ld.List_LN.size()) {
                Decode_LN_DataSet(c, *ld.List_LN[k++], reference);
            }
        }
    }

    void Decode_LN(const Node &e, TIEC_LN &ln, const QString &ref)
    {
        ln.flnClass = Attr(e, "lnClass");
        ln.flnType = Attr(e, "lnType");
        ln.fPrefix = Attr(e, "prefix");
        ln.fInst = Attr(e, "inst");
        const QString reference = ref + QLatin1Char('/') + ln.fPrefix + ln.flnClass + ln.fInst;
        if (ln.flnType.isEmpty())
            return;
        for (const Node &t : Types("LNodeType", ln.flnType))
            for (Node c : t.children())
                if (Is(c, "DO")) {
                    auto d = std::make_unique<TIEC_DO>();
                    Decode_DO(c, *d, reference);
                    ln.List_DO.push_back(std::move(d));
                }
    }

    void Decode_DO(const Node &e, TIEC_DO &d, const QString &ref)
    {
        d.fName = Attr(e, "name");
        const QString reference = ref + QLatin1Char('.') + d.fName;
        const QString type = Attr(e, "type");
        if (type.isEmpty() || !Enter("DOType", type))
            return;
        for (const Node &t : Types("DOType", type))
            for (Node c : t.children()) {
                if (Is(c, "SDO")) {
                    auto sub = std::make_unique<TIEC_DO>();
                    Decode_DO(c, *sub, reference);
                    d.List_DO.push_back(std::move(sub));
                } else if (Is(c, "DA")) {
                    auto da = std::make_unique<TIEC_DA>();
                    Decode_DA(c, *da, reference, QString());
                    d.List_DA.push_back(std::move(da));
                }
            }
        Leave("DOType", type);
    }

    void Decode_DA(const Node &e, TIEC_DA &da, const QString &ref, const QString &FC_Father)
    {
        da.fName = Attr(e, "name");
        da.fReference = ref + QLatin1Char('.') + da.fName;
        da.fbType = Attr(e, "bType");
        da.fFC = e.attribute("fc") ? Attr(e, "fc") : FC_Father;
        if (!e.attribute("type") || da.fbType == QLatin1String("Enum"))
            return;
        const QString type = Attr(e, "type");
        if (!Enter("DAType", type))
            return;
        for (const Node &t : Types("DAType", type))
            for (Node c : t.children())
                if (Is(c, "BDA")) {
                    auto member = std::make_unique<TIEC_DA>();
                    Decode_DA(c, *member, da.fReference, da.fFC);
                    da.List_DA.push_back(std::move(member));
                }
        Leave("DAType", type);
    }

    void Decode_LN_DataSet(const Node &e, TIEC_LN &ln, const QString &ld_ref)
    {
        ln.flnClass = Attr(e, "lnClass");
        const QString base = ld_ref + QLatin1Char('/') + ln.flnClass;
        if (Attr(e, "lnType").isEmpty())
            return;
        for (Node c : e.children())
            if (Is(c, "DataSet")) {
                auto ds = std::make_unique<TIEC_DataSet>();
                Decode_DataSet(c, *ds, base);
                ln.List_DataSet.push_back(std::move(ds));
            }
        for (Node c : e.children())
            if (Is(c, "GSEControl"))
                Decode_LN_Goose(c, ln);
    }

    void Decode_DataSet(const Node &e, TIEC_DataSet &ds, const QString &base)
    {
        ds.fName = Attr(e, "name");
        ds.fReference = base + QLatin1Char('.') + ds.fName;
        for (Node c : e.children()) {
            if (!Is(c, "FCDA"))
                continue;
            const QString ldInst = Attr(c, "ldInst"), lnClass = Attr(c, "lnClass"),
                          doName = Attr(c, "doName"), daName = Attr(c, "daName");
            if (ldInst.isEmpty() || lnClass.isEmpty() || doName.isEmpty())
                continue;
            const TIEC_LDevice *ld = device_.Find_LDevice(ldInst);
            const TIEC_LN *ln = ld ? ld->Find_LN(lnClass) : nullptr;
            const TIEC_DO *d = ln ? ln->Find_DO(doName) : nullptr;
            TIEC_DA *da = d ? (daName.isEmpty() ? d->Find_First_DA() : d->Find_DA(daName)) : nullptr;
            if (da)
                ds.List_DA.push_back(da);
        }
    }

    static void Decode_LN_Goose(const Node &e, TIEC_LN &ln)
    {
        const QString name = Attr(e, "name"), datSet = Attr(e, "datSet");
        if (name.isEmpty() || datSet.isEmpty())
            return;
        for (const auto &ds : ln.List_DataSet)
            if (ds->fName == datSet) {
                ds->fGooseName = name;
                break;
            }
    }

    TIEC_Device &device_;
    std::unordered_map<std::string, Defs> types_;
    std::unordered_set<std::string> active_;
};

} // namespace

TIEC_DA *TIEC_DA::Find_DA(const QString &DA_Name) const
{
    return Search_DA(List_DA, DA_Name);
}

TIEC_DA *TIEC_DA::Find_First_DA() const
{
    return First_Leaf(List_DA);
}

TIEC_DO *TIEC_DO::Find_DO(const QString &DO_Name) const
{
    return Search_DO(List_DO, DO_Name);
}

TIEC_DA *TIEC_DO::Find_DA(const QString &DA_Name) const
{
    return Search_DA(List_DA, DA_Name);
}

TIEC_DA *TIEC_DO::Find_First_DA() const
{
    return First_Leaf(List_DA);
}

TIEC_DO *TIEC_LN::Find_DO(const QString &DO_Name) const
{
    return Search_DO(List_DO, DO_Name);
}

TIEC_LN *TIEC_LDevice::Find_LN(const QString &LN_Class) const
{
    for (const auto &ln : List_LN)
        if (ln->flnClass == LN_Class)
            return ln.get();
    return nullptr;
}

TIEC_LDevice *TIEC_Device::Find_LDevice(const QString &LD_Name) const
{
    for (const auto &ld : List_LDevice)
        if (ld->fName == LD_Name)
            return ld.get();
    return nullptr;
}

TIEC_Device::TIEC_Device(const QString &FileName_icd)
{
    fFileName = QFileInfo(FileName_icd).fileName();
    if (!File_Exists(FileName_icd))
        return;
    QFile file(FileName_icd);
    if (!file.open(QIODevice::ReadOnly))
        throw EXmlError(QStringLiteral("Cannot open file %1").arg(FileName_icd).toStdString());
    const QByteArray bytes = file.readAll();
    pugi::xml_document doc;
    const pugi::xml_parse_result r = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                     pugi::parse_default | pugi::parse_comments);
    if (!r)
        throw EXmlError(QStringLiteral("%1: %2 at offset %3")
                            .arg(fFileName, QString::fromUtf8(r.description()))
                            .arg(r.offset)
                            .toStdString());
    TDecoder(*this).Run(doc);
}

TIEC_Device::~TIEC_Device()
{
    // Data sets only point into the data objects; the owners go last first.
    while (!List_LDevice.empty())
        List_LDevice.pop_back();
}
