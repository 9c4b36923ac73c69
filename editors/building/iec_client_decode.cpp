#include "editors/building/iec_client_decode.h"

#include "platform/files.h"
#include "platform/xml.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <functional>
#include <type_traits>
#include <unordered_map>

namespace {

using Node = TXmlNode;

bool Is(const Node &n, QLatin1String name)
{
    return n.Name() == name;
}

Node First(const Node &parent, QLatin1String name)
{
    return parent.Child(name);
}

QString Attr(const Node &n, QLatin1String name)
{
    return n.AttributeDef(name, QString());
}

// Pre-order search: each entry, then its subtree, then the next entry. The depth of the
// tree is bounded by the decoder's limits.
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
    const std::vector<std::unique_ptr<TIEC_DA>> *l = &list;
    while (!l->empty()) {
        TIEC_DA *first = l->front().get();
        if (first->List_DA.empty())
            return first;
        l = &first->List_DA;
    }
    return nullptr;
}

// Decodes one file. The type definitions are indexed by kind and id once; every element of
// a wanted id contributes, in document order. A type already being resolved further up
// counts as not found, so a type that names itself cannot recurse without end. Data objects
// and attributes are decoded with a stack of their own, so no nesting reaches the machine's
// stack, and the limits stop a model too deep or too large before it fills memory.
class TDecoder
{
public:
    TDecoder(TIEC_Device &device, const TIEC_Limits &limits, const QString &path)
        : device_(device), limits_(limits), path_(path)
    {
    }

    void Run(const TXmlDocument &doc)
    {
        const Node scl = doc.DocumentElement();
        if (!scl || !Is(scl, QLatin1String("SCL")))
            return;
        const Node ied = First(scl, QLatin1String("IED"));
        const Node dtt = First(scl, QLatin1String("DataTypeTemplates"));
        if (!ied || !dtt)
            return;
        Index(dtt);
        device_.fName = Attr(ied, QLatin1String("name"));
        const Node ap = First(ied, QLatin1String("AccessPoint"));
        const Node server = ap ? First(ap, QLatin1String("Server")) : Node();
        if (!server)
            return;
        const std::vector<Node> lds = server.Children(QStringLiteral("LDevice"));
        for (const Node &ld : lds) {
            auto dev = std::make_unique<TIEC_LDevice>();
            Decode_LDevice(ld, *dev, device_.fName, false);
            device_.List_LDevice.push_back(std::move(dev));
        }
        // Data-set members may name any logical device: all exist before the first is resolved.
        for (const auto &ld : device_.List_LDevice)
            if (!ld_by_name_.contains(ld->fName))
                ld_by_name_.insert(ld->fName, ld.get());
        for (size_t k = 0; k < lds.size() && k < device_.List_LDevice.size(); ++k)
            Decode_LDevice(lds[k], *device_.List_LDevice[k], device_.fName, true);
    }

private:
    using Defs = std::vector<Node>;

    // One data object or attribute whose type's children are being decoded.
    struct TFrame
    {
        TIEC_DO *d = nullptr;    // a DO or SDO: its SDO and DA children
        TIEC_DA *da = nullptr;   // else a DA or BDA: its BDA children
        QString reference;       // of the object
        QString type_key;
        const Defs *defs = nullptr;
        size_t def = 0;          // the definition whose children are being walked
        std::vector<Node> children;
        size_t child = 0;
    };

    static QString Key(const QString &kind, const QString &id) { return kind + QChar(0) + id; }

    void Index(const Node &dtt)
    {
        for (const Node &t : dtt.Children())
            if (t.HasAttribute(QStringLiteral("id")))
                types_[Key(t.Name(), Attr(t, QLatin1String("id")))].push_back(t);
    }
    const Defs &Types(const QString &kind, const QString &id) const
    {
        static const Defs none;
        const auto it = types_.constFind(Key(kind, id));
        return it == types_.constEnd() ? none : *it;
    }

    [[noreturn]] void Refuse(const QString &why) const
    {
        throw EXmlError(QStringLiteral("\"%1\" cannot be read as a device: %2")
                            .arg(QDir::toNativeSeparators(path_), why)
                            .toStdString());
    }
    // Counts one more object at that nesting level (1 for a data object of a logical node).
    void Count(size_t level, const QString &reference)
    {
        if (level > size_t(limits_.Max_Depth))
            Refuse(QStringLiteral("its data types nest deeper than %1 levels (at %2).")
                       .arg(limits_.Max_Depth)
                       .arg(reference.left(200)));
        if (++objects_ > limits_.Max_Objects)
            Refuse(QStringLiteral("it describes more than %1 data objects and attributes.").arg(limits_.Max_Objects));
        reference_chars_ += reference.size();
        if (reference_chars_ > limits_.Max_Reference_Chars)
            Refuse(QStringLiteral("the references of its data objects and attributes exceed %1 characters.")
                       .arg(limits_.Max_Reference_Chars));
    }

    void Decode_LDevice(const Node &e, TIEC_LDevice &ld, const QString &ref, bool DataSetSearch)
    {
        ld.fName = Attr(e, QLatin1String("inst"));
        const QString reference = ref + ld.fName;
        size_t k = 0;
        for (const Node &c : e.Children()) {
            if (!Is(c, QLatin1String("LN0")) && !Is(c, QLatin1String("LN")))
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
        ln.flnClass = Attr(e, QLatin1String("lnClass"));
        ln.flnType = Attr(e, QLatin1String("lnType"));
        ln.fPrefix = Attr(e, QLatin1String("prefix"));
        ln.fInst = Attr(e, QLatin1String("inst"));
        const QString reference = ref + QLatin1Char('/') + ln.fPrefix + ln.flnClass + ln.fInst;
        if (ln.flnType.isEmpty())
            return;
        for (const Node &t : Types(QLatin1String("LNodeType"), ln.flnType))
            for (const Node &c : t.Children(QStringLiteral("DO"))) {
                auto d = std::make_unique<TIEC_DO>();
                TIEC_DO &top = *d;
                ln.List_DO.push_back(std::move(d));
                Decode_DO(c, top, reference);
            }
    }

    // Name and reference of a data object; its frame when its type is to be followed.
    void Open_DO(const Node &e, TIEC_DO &d, const QString &ref, std::vector<TFrame> &stack)
    {
        d.fName = Attr(e, QLatin1String("name"));
        const QString reference = ref + QLatin1Char('.') + d.fName;
        Count(stack.size() + 1, reference);
        const QString type = Attr(e, QLatin1String("type"));
        if (type.isEmpty())
            return;
        Push(stack, QLatin1String("DOType"), type, reference).d = &d;
    }

    void Open_DA(const Node &e, TIEC_DA &da, const QString &ref, const QString &FC_Father, std::vector<TFrame> &stack)
    {
        da.fName = Attr(e, QLatin1String("name"));
        da.fReference = ref + QLatin1Char('.') + da.fName;
        da.fbType = Attr(e, QLatin1String("bType"));
        da.fFC = e.HasAttribute(QStringLiteral("fc")) ? Attr(e, QLatin1String("fc")) : FC_Father;
        Count(stack.size() + 1, da.fReference);
        if (!e.HasAttribute(QStringLiteral("type")) || da.fbType == QLatin1String("Enum"))
            return;
        Push(stack, QLatin1String("DAType"), Attr(e, QLatin1String("type")), da.fReference).da = &da;
    }

    // A frame for the type, or a dummy without definitions when it is being resolved.
    TFrame &Push(std::vector<TFrame> &stack, const QString &kind, const QString &type, const QString &reference)
    {
        TFrame f;
        f.type_key = Key(kind, type);
        f.reference = reference;
        if (!active_.contains(f.type_key)) {
            active_.insert(f.type_key);
            f.defs = &Types(kind, type);
        } else {
            f.type_key.clear();
        }
        stack.push_back(std::move(f));
        return stack.back();
    }

    // The next SDO or DA of a data object's type, or BDA of an attribute's; null at the end.
    static Node Next_Child(TFrame &f)
    {
        while (f.defs && f.def < f.defs->size()) {
            if (f.child == 0 && f.children.empty())
                f.children = (*f.defs)[f.def].Children();
            while (f.child < f.children.size()) {
                const Node &c = f.children[f.child++];
                if (f.d ? Is(c, QLatin1String("SDO")) || Is(c, QLatin1String("DA"))
                        : Is(c, QLatin1String("BDA")))
                    return c;
            }
            ++f.def;
            f.children.clear();
            f.child = 0;
        }
        return {};
    }

    void Decode_DO(const Node &e, TIEC_DO &top, const QString &ref)
    {
        std::vector<TFrame> stack;
        Open_DO(e, top, ref, stack);
        while (!stack.empty()) {
            TFrame &f = stack.back();
            const Node c = Next_Child(f);
            if (!c) {
                if (!f.type_key.isEmpty())
                    active_.remove(f.type_key);
                stack.pop_back();
                continue;
            }
            // f goes stale once a frame is pushed: take what the child needs first.
            const QString reference = f.reference;
            if (f.d && Is(c, QLatin1String("SDO"))) {
                TIEC_DO &parent = *f.d;
                parent.List_DO.push_back(std::make_unique<TIEC_DO>());
                Open_DO(c, *parent.List_DO.back(), reference, stack);
            } else if (f.d) {
                TIEC_DO &parent = *f.d;
                parent.List_DA.push_back(std::make_unique<TIEC_DA>());
                Open_DA(c, *parent.List_DA.back(), reference, QString(), stack);
            } else {
                TIEC_DA &parent = *f.da;
                const QString fc = parent.fFC;
                parent.List_DA.push_back(std::make_unique<TIEC_DA>());
                Open_DA(c, *parent.List_DA.back(), reference, fc, stack);
            }
        }
    }

    void Decode_LN_DataSet(const Node &e, TIEC_LN &ln, const QString &ld_ref)
    {
        ln.flnClass = Attr(e, QLatin1String("lnClass"));
        const QString base = ld_ref + QLatin1Char('/') + ln.flnClass;
        if (Attr(e, QLatin1String("lnType")).isEmpty())
            return;
        for (const Node &c : e.Children(QStringLiteral("DataSet"))) {
            auto ds = std::make_unique<TIEC_DataSet>();
            Decode_DataSet(c, *ds, base);
            ln.List_DataSet.push_back(std::move(ds));
        }
        for (const Node &c : e.Children(QStringLiteral("GSEControl")))
            Decode_LN_Goose(c, ln);
    }

    // The logical node named by all four parts of a member.
    const TIEC_LN *Find_Member_LN(const TIEC_LDevice &ld, const QString &prefix, const QString &lnClass,
                                  const QString &lnInst)
    {
        auto it = ln_index_.find(&ld);
        if (it == ln_index_.end()) {
            QHash<QString, const TIEC_LN *> index;
            for (const auto &ln : ld.List_LN) {
                const QString key = ln->fPrefix + QChar(0) + ln->flnClass + QChar(0) + ln->fInst;
                if (!index.contains(key))
                    index.insert(key, ln.get());
            }
            it = ln_index_.emplace(&ld, std::move(index)).first;
        }
        return it->second.value(prefix + QChar(0) + lnClass + QChar(0) + lnInst);
    }

    // The first of each name in pre-order below a node's data objects, below a data object's
    // sub data objects or attributes, or among an object's direct children.
    template <class T>
    static T *Lookup(std::unordered_map<const void *, QHash<QString, T *>> &cache, const void *owner,
                     const std::function<QHash<QString, T *>()> &build, const QString &name)
    {
        auto it = cache.find(owner);
        if (it == cache.end())
            it = cache.emplace(owner, build()).first;
        return it->second.value(name);
    }
    template <class T>
    static QHash<QString, T *> Pre_Order(const std::vector<std::unique_ptr<T>> &list)
    {
        QHash<QString, T *> first;
        std::vector<std::pair<const std::vector<std::unique_ptr<T>> *, size_t>> stack{{&list, 0}};
        while (!stack.empty()) {
            auto &[l, i] = stack.back();
            if (i == l->size()) {
                stack.pop_back();
                continue;
            }
            T *e = (*l)[i++].get();
            if (!first.contains(e->Name()))
                first.insert(e->Name(), e);
            if constexpr (std::is_same_v<T, TIEC_DO>)
                stack.emplace_back(&e->List_DO, 0);
            else
                stack.emplace_back(&e->List_DA, 0);
        }
        return first;
    }
    template <class T>
    static QHash<QString, T *> Direct(const std::vector<std::unique_ptr<T>> &list)
    {
        QHash<QString, T *> first;
        for (const auto &e : list)
            if (!first.contains(e->Name()))
                first.insert(e->Name(), e.get());
        return first;
    }

    // The member's data object: a dotted name names sub data objects level by level.
    TIEC_DO *Find_Member_DO(const TIEC_LN &ln, const QString &doName)
    {
        const QStringList parts = doName.split(QLatin1Char('.'));
        TIEC_DO *d = Lookup<TIEC_DO>(do_search_, &ln, [&ln] { return Pre_Order(ln.List_DO); }, parts[0]);
        for (qsizetype i = 1; d && i < parts.size(); ++i) {
            const TIEC_DO *parent = d;
            d = Lookup<TIEC_DO>(do_direct_, parent, [parent] { return Direct(parent->List_DO); }, parts[i]);
        }
        return d;
    }

    // The member's attribute: a dotted name names structure members level by level.
    TIEC_DA *Find_Member_DA(const TIEC_DO &d, const QString &daName)
    {
        const QStringList parts = daName.split(QLatin1Char('.'));
        TIEC_DA *da = Lookup<TIEC_DA>(da_search_, &d, [&d] { return Pre_Order(d.List_DA); }, parts[0]);
        for (qsizetype i = 1; da && i < parts.size(); ++i) {
            const TIEC_DA *parent = da;
            da = Lookup<TIEC_DA>(da_direct_, parent, [parent] { return Direct(parent->List_DA); }, parts[i]);
        }
        return da;
    }

    void Decode_DataSet(const Node &e, TIEC_DataSet &ds, const QString &base)
    {
        ds.fName = Attr(e, QLatin1String("name"));
        ds.fReference = base + QLatin1Char('.') + ds.fName;
        for (const Node &c : e.Children(QStringLiteral("FCDA"))) {
            const QString ldInst = Attr(c, QLatin1String("ldInst")), lnClass = Attr(c, QLatin1String("lnClass")),
                          doName = Attr(c, QLatin1String("doName")), daName = Attr(c, QLatin1String("daName"));
            if (ldInst.isEmpty() || lnClass.isEmpty() || doName.isEmpty())
                continue;
            const TIEC_LDevice *ld = ld_by_name_.value(ldInst);
            const TIEC_LN *ln = ld ? Find_Member_LN(*ld, Attr(c, QLatin1String("prefix")), lnClass,
                                                    Attr(c, QLatin1String("lnInst")))
                                   : nullptr;
            const TIEC_DO *d = ln ? Find_Member_DO(*ln, doName) : nullptr;
            TIEC_DA *da = d ? (daName.isEmpty() ? d->Find_First_DA() : Find_Member_DA(*d, daName)) : nullptr;
            if (da)
                ds.List_DA.push_back(da);
        }
    }

    static void Decode_LN_Goose(const Node &e, TIEC_LN &ln)
    {
        const QString name = Attr(e, QLatin1String("name")), datSet = Attr(e, QLatin1String("datSet"));
        if (name.isEmpty() || datSet.isEmpty())
            return;
        for (const auto &ds : ln.List_DataSet)
            if (ds->fName == datSet) {
                ds->fGooseName = name;
                break;
            }
    }

    TIEC_Device &device_;
    const TIEC_Limits limits_;
    const QString path_;
    QHash<QString, Defs> types_;
    QSet<QString> active_;
    qint64 objects_ = 0;
    qint64 reference_chars_ = 0;
    QHash<QString, TIEC_LDevice *> ld_by_name_;
    std::unordered_map<const TIEC_LDevice *, QHash<QString, const TIEC_LN *>> ln_index_;
    std::unordered_map<const void *, QHash<QString, TIEC_DO *>> do_search_, do_direct_;
    std::unordered_map<const void *, QHash<QString, TIEC_DA *>> da_search_, da_direct_;
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

TIEC_Device::TIEC_Device(const QString &FileName_icd) : TIEC_Device(FileName_icd, TIEC_Limits()) {}

TIEC_Device::TIEC_Device(const QString &FileName_icd, const TIEC_Limits &limits)
{
    fFileName = QFileInfo(FileName_icd).fileName();
    if (!File_Exists(FileName_icd))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(FileName_icd, TXmlCheck::Well_Formed);
    TDecoder(*this, limits, FileName_icd).Run(doc);
}

TIEC_Device::~TIEC_Device()
{
    // Data sets only point into the data objects; the owners go last first.
    while (!List_LDevice.empty())
        List_LDevice.pop_back();
}
