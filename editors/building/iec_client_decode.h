#pragma once
// The SCL device model: one IEC 61850 SCL file (ICD, CID, IID, SCD, SSD, SED) read into a tree
// of plain objects, the IED's logical devices, logical nodes, data objects, data attributes
// with their structure members, and data sets with the GOOSE control block that publishes
// each. Types are resolved through the file's DataTypeTemplates while the tree is built, so
// every attribute carries its full object reference, functional constraint and basic type.
// Only the first IED and the first server of its first access point are read.
//
// Cost: the templates are indexed once per file (element kind and id), and data-set members
// are looked up through indexes built once, so decoding is linear in the size of the tree it
// builds; the tree is bounded by TIEC_Limits, and no nesting of the file reaches the
// machine's stack.
#include "grid/base/classes.h"

#include <QString>
#include <memory>
#include <vector>

class QTreeWidgetItem;

// One data attribute (DA of a DOType) or structure member (BDA of a DAType).
class TIEC_DA : public TObject
{
public:
    QString fReference;
    QString fFC;                  // own fc, else that of the enclosing attribute
    QString fbType;
    QString fName;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;   // members of a structure
    QTreeWidgetItem *TreeNode = nullptr;             // set by the editor, not owned

    const QString &Reference() const { return fReference; }
    const QString &FC() const { return fFC; }
    const QString &bType() const { return fbType; }
    const QString &Name() const { return fName; }
    // Depth-first, pre-order through the members (the attribute itself is not compared).
    TIEC_DA *Find_DA(const QString &DA_Name) const;
    // The first attribute without members along the chain of first members; none when the
    // attribute has no members.
    TIEC_DA *Find_First_DA() const;
};

// One data object (DO of an LNodeType) or sub data object (SDO of a DOType).
class TIEC_DO : public TObject
{
public:
    QString fName;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    QTreeWidgetItem *TreeNode = nullptr;

    const QString &Name() const { return fName; }
    TIEC_DO *Find_DO(const QString &DO_Name) const;   // through the sub data objects
    TIEC_DA *Find_DA(const QString &DA_Name) const;   // through the attributes and members
    TIEC_DA *Find_First_DA() const;
};

class TIEC_DataSet : public TObject
{
public:
    QString fName;
    QString fReference;
    QString fGooseName;
    std::vector<TIEC_DA *> List_DA;   // resolved members, owned by the data objects
    QTreeWidgetItem *TreeNode = nullptr;

    const QString &Name() const { return fName; }
    const QString &Reference() const { return fReference; }
    const QString &GooseName() const { return fGooseName; }
};

// One logical node (LN0 or LN).
class TIEC_LN : public TObject
{
public:
    QString flnClass;
    QString flnType;
    QString fPrefix;
    QString fInst;
    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    QTreeWidgetItem *TreeNode = nullptr;

    const QString &lnClass() const { return flnClass; }
    const QString &lnType() const { return flnType; }
    const QString &Prefix() const { return fPrefix; }
    const QString &Inst() const { return fInst; }
    TIEC_DO *Find_DO(const QString &DO_Name) const;
};

class TIEC_LDevice : public TObject
{
public:
    QString fName;   // inst
    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    QTreeWidgetItem *TreeNode = nullptr;

    const QString &Name() const { return fName; }
    // The first node of that class, whatever its prefix and instance. (Data-set members
    // match prefix, class and instance.)
    TIEC_LN *Find_LN(const QString &LN_Class) const;
};

// What a device model may hold: a file past these is refused (a few hostile kilobytes can
// describe millions of attributes through shared types).
struct TIEC_Limits
{
    int Max_Depth = 64;                    // nested data objects and attributes below a node
    qint64 Max_Objects = 250000;           // data objects and attributes of the device
    qint64 Max_Reference_Chars = 1 << 25;  // the references of them all together
};

class TIEC_Device : public TObject
{
public:
    // Decodes the file. A missing file, or one without SCL, IED or DataTypeTemplates, gives
    // an empty device; a file that is not well-formed XML (or not valid UTF-8 when read as
    // UTF-8) throws EXmlParseError, and one past the limits EXmlError naming the file.
    explicit TIEC_Device(const QString &FileName_icd);
    TIEC_Device(const QString &FileName_icd, const TIEC_Limits &limits);
    ~TIEC_Device() override;

    QString fName;
    QString fFileName;   // without its folder
    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    QTreeWidgetItem *TreeNode = nullptr;

    const QString &Name() const { return fName; }
    const QString &FileName() const { return fFileName; }
    TIEC_LDevice *Find_LDevice(const QString &LD_Name) const;
};
