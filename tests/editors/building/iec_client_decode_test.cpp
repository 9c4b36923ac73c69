// The SCL device model on a hand-made SCL file and on damaged or partial ones.
#include "building_fixture.h"
#include "editors/building/iec_client_decode.h"
#include "platform/xml.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Every object of the model, one line each, in tree order.
void Dump_DA(const TIEC_DA &da, QStringList &out)
{
    out << QStringLiteral("DA %1 %2 [%3] %4").arg(da.Name(), da.bType(), da.FC(), da.Reference());
    for (const auto &m : da.List_DA)
        Dump_DA(*m, out);
}

void Dump_DO(const TIEC_DO &d, QStringList &out)
{
    out << QStringLiteral("DO ") + d.Name();
    for (const auto &s : d.List_DO)
        Dump_DO(*s, out);
    for (const auto &a : d.List_DA)
        Dump_DA(*a, out);
}

QStringList Dump(const TIEC_Device &dev)
{
    QStringList out{QStringLiteral("IED ") + dev.Name()};
    for (const auto &ld : dev.List_LDevice) {
        out << QStringLiteral("LD ") + ld->Name();
        for (const auto &ln : ld->List_LN) {
            out << QStringLiteral("LN %1|%2|%3|%4").arg(ln->Prefix(), ln->lnClass(), ln->Inst(), ln->lnType());
            for (const auto &d : ln->List_DO)
                Dump_DO(*d, out);
            for (const auto &ds : ln->List_DataSet) {
                out << QStringLiteral("DS %1 %2 goose=%3").arg(ds->Name(), ds->Reference(), ds->GooseName());
                for (const TIEC_DA *m : ds->List_DA)
                    out << QStringLiteral("  member ") + m->Reference();
            }
        }
    }
    return out;
}

class SclModel : public BuildingTest
{
protected:
    QString Put(const char *name, const QString &xml)
    {
        const QString path = In_Temp(QLatin1String(name));
        Write(path, xml.toUtf8());
        return path;
    }
};

} // namespace

TEST_F(SclModel, ReferencesConstraintsAndTypesOfTheFirstServer)
{
    const TIEC_Device dev(Building_Data("scl/feeder.icd"));
    EXPECT_EQ(dev.Name(), "IED1");
    EXPECT_EQ(dev.FileName(), "feeder.icd");
    ASSERT_EQ(dev.List_LDevice.size(), 2u);   // not the second access point, not IED2
    EXPECT_EQ(dev.List_LDevice[1]->Name(), "MEAS");
    const TIEC_LDevice &ld0 = *dev.List_LDevice[0];
    ASSERT_EQ(ld0.List_LN.size(), 5u);

    const TIEC_LN &lln0 = *ld0.List_LN[0];
    const TIEC_DA *stVal = lln0.Find_DO("Mod")->Find_DA("stVal");
    ASSERT_TRUE(stVal);
    EXPECT_EQ(stVal->Reference(), "IED1LD0/LLN0.Mod.stVal");
    EXPECT_EQ(stVal->FC(), "ST");
    EXPECT_EQ(stVal->bType(), "Enum");
    EXPECT_TRUE(stVal->List_DA.empty());   // an enumeration's type is not followed
    ASSERT_EQ(lln0.List_DataSet.size(), 2u);
    EXPECT_EQ(lln0.List_DataSet[0]->Reference(), "IED1LD0/LLN0.DS1");

    const TIEC_LN &mmxu = *ld0.List_LN[1];
    EXPECT_EQ(mmxu.Prefix() + mmxu.lnClass() + mmxu.Inst(), "Q1MMXU1");
    const TIEC_DA *mag = mmxu.Find_DO("TotW")->Find_DA("mag");
    ASSERT_TRUE(mag);
    ASSERT_EQ(mag->List_DA.size(), 2u);
    EXPECT_EQ(mag->List_DA[0]->Reference(), "IED1LD0/Q1MMXU1.TotW.mag.f");
    EXPECT_EQ(mag->List_DA[0]->FC(), "MX");   // inherited from the top attribute
    const TIEC_DA *units = mmxu.Find_DO("TotW")->Find_DA("units");
    EXPECT_EQ(units->FC(), "");
    EXPECT_EQ(units->List_DA[0]->FC(), "");
    // Sub data objects, and a structure member that is itself a structure.
    const TIEC_DO *phsB = mmxu.Find_DO("phsB");
    ASSERT_TRUE(phsB);
    const TIEC_DA *angF = phsB->Find_DA("ang")->Find_DA("f");
    EXPECT_EQ(angF->Reference(), "IED1LD0/Q1MMXU1.A.phsB.cVal.ang.f");
    // The data set of a prefixed node leaves out its prefix and instance.
    EXPECT_EQ(mmxu.List_DataSet[0]->Reference(), "IED1LD0/MMXU.DSM");
    // A type not found, and a node without lnType.
    EXPECT_TRUE(ld0.List_LN[3]->List_DO.empty());
    EXPECT_TRUE(ld0.List_LN[4]->List_DO.empty());
    EXPECT_EQ(ld0.Find_LN("MMXU"), &mmxu);
}

TEST_F(SclModel, DataSetMembersAndGooseNames)
{
    const TIEC_Device dev(Building_Data("scl/feeder.icd"));
    const TIEC_LN &lln0 = *dev.List_LDevice[0]->List_LN[0];
    const TIEC_DataSet &ds1 = *lln0.List_DataSet[0];
    QStringList members;
    for (const TIEC_DA *m : ds1.List_DA)
        members << m->Reference();
    // No daName: the first attribute without members; the node is the one of the member's
    // prefix, class and instance (a member without them names no node of the device, an
    // unknown sub data object or a node without types is dropped).
    EXPECT_EQ(members, (QStringList{"IED1LD0/LLN0.Mod.stVal", "IED1LD0/Q1MMXU1.TotW.mag.f",
                                    "IED1MEAS/XCBR1.Pos.q"}));
    EXPECT_EQ(ds1.GooseName(), "GCB_B");   // the later control block wins
    const TIEC_DataSet &ds2 = *lln0.List_DataSet[1];
    EXPECT_EQ(ds2.GooseName(), "");
    ASSERT_EQ(ds2.List_DA.size(), 1u);
    EXPECT_EQ(ds2.List_DA[0]->Reference(), "IED1LD0/Q1MMXU1.TotW.mag.f");
    // The members are the tree's own attributes.
    EXPECT_EQ(ds1.List_DA[0], lln0.Find_DO("Mod")->Find_DA("stVal"));
}

TEST_F(SclModel, CommentsChangeNothing)
{
    const TIEC_Device plain(Building_Data("scl/feeder.icd"));
    const TIEC_Device commented(Building_Data("scl/feeder_comments.icd"));
    EXPECT_EQ(Dump(commented), Dump(plain));
    EXPECT_GT(Dump(plain).size(), 40);
}

TEST_F(SclModel, PartialFilesGiveEmptyDevicesAndDamagedOnesNoDevice)
{
    const QString dtt = "<DataTypeTemplates/>";
    const std::pair<const char *, QString> empty_cases[] = {
        {"no_scl.icd", "<Other><IED name='A'/>" + dtt + "</Other>"},
        {"no_ied.icd", "<SCL>" + dtt + "</SCL>"},
        {"no_dtt.icd", "<SCL><IED name='A'><AccessPoint><Server><LDevice inst='L'/></Server></AccessPoint></IED></SCL>"},
    };
    for (const auto &[name, xml] : empty_cases) {
        const TIEC_Device dev(Put(name, xml));
        EXPECT_TRUE(dev.Name().isEmpty()) << name;
        EXPECT_TRUE(dev.List_LDevice.empty()) << name;
        EXPECT_EQ(dev.FileName(), QLatin1String(name));
    }
    const TIEC_Device missing(In_Temp("none.icd"));
    EXPECT_TRUE(missing.Name().isEmpty());
    const TIEC_Device no_server(Put("ns.icd", "<SCL><IED name='A'><AccessPoint/></IED>" + dtt + "</SCL>"));
    EXPECT_EQ(no_server.Name(), "A");
    EXPECT_TRUE(no_server.List_LDevice.empty());
    EXPECT_THROW(TIEC_Device(Put("bad.icd", "<SCL><IED name='A'></SCL>")), EXmlError);
}

TEST_F(SclModel, ATypeThatNamesItselfEndsAsNotFound)
{
    const QString xml =
        "<SCL><IED name='I'><AccessPoint><Server><LDevice inst='L'>"
        "<LN0 lnClass='LLN0' lnType='N'/></LDevice></Server></AccessPoint></IED>"
        "<DataTypeTemplates><LNodeType id='N'><DO name='D' type='T'/></LNodeType>"
        "<DOType id='T'><DA name='a' bType='Struct' type='S' fc='ST'/><SDO name='s' type='T'/></DOType>"
        "<DAType id='S'><BDA name='x' bType='Struct' type='U'/></DAType>"
        "<DAType id='U'><BDA name='y' bType='Struct' type='S'/><BDA name='z' bType='INT8'/></DAType>"
        "</DataTypeTemplates></SCL>";
    const TIEC_Device dev(Put("loop.icd", xml));
    const TIEC_DO *d = dev.List_LDevice[0]->List_LN[0]->List_DO[0].get();
    ASSERT_EQ(d->List_DO.size(), 1u);
    EXPECT_TRUE(d->List_DO[0]->List_DA.empty());   // the SDO's own type is being resolved
    const TIEC_DA *y = d->Find_DA("y");
    ASSERT_TRUE(y);
    EXPECT_TRUE(y->List_DA.empty());
    EXPECT_EQ(d->Find_DA("z")->Reference(), "IL/LLN0.D.a.x.z");
    EXPECT_EQ(d->Find_First_DA(), y);
}

namespace {

// An IED with one logical device LD of the given logical nodes and data sets in its LLN0.
QString Scl(const QString &lns, const QString &data_sets, const QString &types)
{
    return "<SCL><IED name='I'><AccessPoint><Server><LDevice inst='LD'><LN0 lnClass='LLN0' lnType='L0'>" + data_sets
           + "</LN0>" + lns + "</LDevice></Server></AccessPoint></IED><DataTypeTemplates>"
             "<LNodeType id='L0'/>" + types + "</DataTypeTemplates></SCL>";
}

QStringList Members(const TIEC_Device &dev)
{
    QStringList out;
    for (const auto &ds : dev.List_LDevice[0]->List_LN[0]->List_DataSet)
        for (const TIEC_DA *m : ds->List_DA)
            out << m->Reference();
    return out;
}

} // namespace

// A member names its node by prefix, class and instance; a dotted doName or daName is
// followed level by level through sub data objects and structure members.
TEST_F(SclModel, DataSetMembersNameTheirNodeAndFollowDottedNames)
{
    QString lns;
    for (int i = 1; i <= 4; ++i)
        lns += QStringLiteral("<LN lnClass='TCTR' inst='%1' lnType='CT'/>").arg(i);
    lns += "<LN prefix='Q1' lnClass='MMXU' inst='1' lnType='MX'/><LN prefix='Q2' lnClass='MMXU' inst='1' lnType='MX'/>";
    const QString types =
        "<LNodeType id='CT'><DO name='AmpSv' type='SAV'/></LNodeType>"
        "<LNodeType id='MX'><DO name='TotW' type='MV'/><DO name='A' type='WYE'/></LNodeType>"
        "<DOType id='SAV'><DA name='instMag' bType='Struct' type='AV' fc='MX'/><DA name='q' bType='Quality' fc='MX'/></DOType>"
        "<DOType id='MV'><DA name='mag' bType='Struct' type='AV' fc='MX'/><DA name='f' bType='INT8' fc='CF'/></DOType>"
        "<DOType id='WYE'><SDO name='phsA' type='CMV'/><SDO name='phsB' type='CMV'/></DOType>"
        "<DOType id='CMV'><DA name='cVal' bType='Struct' type='Vec' fc='MX'/><DA name='q' bType='Quality' fc='MX'/></DOType>"
        "<DAType id='Vec'><BDA name='mag' bType='Struct' type='AV'/><BDA name='ang' bType='Struct' type='AV'/></DAType>"
        "<DAType id='AV'><BDA name='i' bType='INT32'/><BDA name='f' bType='FLOAT32'/></DAType>";
    QString fcda;
    for (int i = 1; i <= 4; ++i)
        fcda += QStringLiteral("<FCDA ldInst='LD' lnClass='TCTR' lnInst='%1' doName='AmpSv' daName='q' fc='MX'/>").arg(i);
    const struct
    {
        const char *attributes;
        const char *reference;   // empty: dropped
    } cases[] = {
        {"prefix='Q2' lnClass='MMXU' lnInst='1' doName='TotW' daName='mag.f'", "ILD/Q2MMXU1.TotW.mag.f"},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='TotW' daName='f'", "ILD/Q1MMXU1.TotW.mag.f"},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='A.phsB' daName='cVal.ang.i'", "ILD/Q1MMXU1.A.phsB.cVal.ang.i"},
        {"prefix='Q2' lnClass='MMXU' lnInst='1' doName='A.phsB'", "ILD/Q2MMXU1.A.phsB.cVal.mag.i"},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='A.phsB' daName='q'", "ILD/Q1MMXU1.A.phsB.q"},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='A.phsC'", ""},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='A.phsB' daName='cVal.x'", ""},
        {"prefix='Q1' lnClass='MMXU' lnInst='1' doName='TotW' daName='mag.f.g'", ""},
        {"prefix='Q3' lnClass='MMXU' lnInst='1' doName='TotW'", ""},
        {"lnClass='MMXU' lnInst='1' doName='TotW'", ""},
        {"lnClass='TCTR' doName='AmpSv'", ""},
        {"lnClass='TCTR' lnInst='5' doName='AmpSv'", ""},
        {"lnClass='LLN0' doName='AmpSv'", ""},
    };
    for (const auto &c : cases)
        fcda += QStringLiteral("<FCDA ldInst='LD' %1/>").arg(QLatin1String(c.attributes));
    const TIEC_Device dev(Put("members.icd", Scl(lns, "<DataSet name='DS'>" + fcda + "</DataSet>", types)));
    QStringList expected;
    for (int i = 1; i <= 4; ++i)
        expected << QStringLiteral("ILD/TCTR%1.AmpSv.q").arg(i);
    for (const auto &c : cases)
        if (*c.reference)
            expected << QLatin1String(c.reference);
    EXPECT_EQ(Members(dev), expected);
    // The members are the tree's own attributes.
    EXPECT_EQ(dev.List_LDevice[0]->List_LN[0]->List_DataSet[0]->List_DA[3],
              dev.List_LDevice[0]->List_LN[4]->Find_DO("AmpSv")->Find_DA("q"));
}

namespace {

// A chain of n types, each holding one member of the next: nesting n levels deep.
QString Deep_Chain(int n, bool sub_objects)
{
    QString types = sub_objects ? "<LNodeType id='N'><DO name='d' type='T0'/></LNodeType>"
                                : "<LNodeType id='N'><DO name='d' type='D'/></LNodeType>"
                                  "<DOType id='D'><DA name='a' bType='Struct' type='T0' fc='ST'/></DOType>";
    for (int i = 0; i < n; ++i)
        types += sub_objects ? QStringLiteral("<DOType id='T%1'><SDO name='s' type='T%2'/></DOType>").arg(i).arg(i + 1)
                             : QStringLiteral("<DAType id='T%1'><BDA name='b' bType='Struct' type='T%2'/></DAType>")
                                   .arg(i)
                                   .arg(i + 1);
    return Scl("<LN lnClass='X' inst='1' lnType='N'/>", "", types);
}

// Types that fan out: each of `levels` types holds `width` members of the next.
QString Fan_Out(int width, int levels)
{
    QString types = "<LNodeType id='N'><DO name='d' type='D'/></LNodeType>"
                    "<DOType id='D'><DA name='a' bType='Struct' type='T0' fc='ST'/></DOType>";
    for (int l = 0; l < levels; ++l) {
        types += QStringLiteral("<DAType id='T%1'>").arg(l);
        for (int k = 0; k < width; ++k)
            types += l + 1 < levels ? QStringLiteral("<BDA name='m%1' bType='Struct' type='T%2'/>").arg(k).arg(l + 1)
                                    : QStringLiteral("<BDA name='m%1' bType='INT8'/>").arg(k);
        types += "</DAType>";
    }
    return Scl("<LN lnClass='X' inst='1' lnType='N'/>", "", types);
}

} // namespace

// Types nested 20,000 deep, or fanning out to a million leaves from a few kilobytes, are
// refused with a message naming the file; within the limits the same shapes decode.
TEST_F(SclModel, ModelsPastTheLimitsAreRefused)
{
    const QString deep = Put("deep.icd", Deep_Chain(20000, false));
    const QString deep_sdo = Put("deep_sdo.icd", Deep_Chain(20000, true));
    const QString fan = Put("fan.icd", Fan_Out(10, 6));
    EXPECT_LT(Read_Bytes(fan).size(), 4000);
    struct Case
    {
        QString path;
        TIEC_Limits limits;
        const char *why;
    };
    const Case cases[] = {
        {deep, {}, "nest deeper than 64 levels"},
        {deep_sdo, {}, "nest deeper than 64 levels"},
        {deep, {10, 250000, 1 << 25}, "nest deeper than 10 levels"},
        {fan, {}, "more than 250000 data objects and attributes"},
        {fan, {64, 1000, 1 << 25}, "more than 1000 data objects and attributes"},
        {fan, {64, 250000, 5000}, "exceed 5000 characters"},
    };
    for (const Case &c : cases) {
        try {
            const TIEC_Device dev(c.path, c.limits);
            ADD_FAILURE() << c.why;
        } catch (const EXmlError &e) {
            const QString what = QString::fromUtf8(e.what());
            EXPECT_TRUE(what.startsWith("\"" + QDir::toNativeSeparators(c.path) + "\" cannot be read as a device: "))
                << e.what();
            EXPECT_TRUE(what.contains(QLatin1String(c.why))) << e.what();
        }
    }
    // Just inside the limits: 62 nested members below the data object and its attribute;
    // 10 x 10 x 10 leaves.
    const TIEC_Device chain(Put("chain.icd", Deep_Chain(62, false)));
    const TIEC_DA *leaf = chain.List_LDevice[0]->List_LN[1]->List_DO[0]->Find_First_DA();
    ASSERT_TRUE(leaf);
    EXPECT_EQ(leaf->Reference().count(".b"), 62);
    const TIEC_Device fanned(Put("fan3.icd", Fan_Out(10, 3)), TIEC_Limits{64, 1112, 1 << 25});
    const TIEC_DA *top = fanned.List_LDevice[0]->List_LN[1]->List_DO[0]->List_DA[0].get();
    EXPECT_EQ(top->List_DA.size(), 10u);
    EXPECT_EQ(top->List_DA[9]->List_DA[9]->List_DA[9]->Reference(), "ILD/X1.d.a.m9.m9.m9");
}

// The file goes through the project's XML layer: a declared single-byte encoding is read as
// Windows-1252, and a file that is not well-formed, UTF-8 included, gives the parse error.
TEST_F(SclModel, EncodingsAndFilesThatAreNotWellFormed)
{
    const QByteArray body = "<SCL><IED name='Z\xE4hler'/><DataTypeTemplates/></SCL>";
    const QString ansi = In_Temp("ansi.icd");
    Write(ansi, "<?xml version='1.0' encoding='windows-1252'?>" + body);
    EXPECT_EQ(TIEC_Device(ansi).Name(), QString::fromUtf8("Z\u00E4hler"));
    const QString utf8 = In_Temp("utf8.icd");
    Write(utf8, "\xEF\xBB\xBF<SCL><IED name='Z\xC3\xA4hler'/><DataTypeTemplates/></SCL>");
    EXPECT_EQ(TIEC_Device(utf8).Name(), QString::fromUtf8("Z\u00E4hler"));

    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *fault;
    } cases[] = {
        {"latin.icd", "<SCL>\n<IED name='A'/>\n" + body + "</SCL>", "invalid UTF-8 byte sequence (line 3)"},
        {"declared.icd", "<?xml version='1.0' encoding='UTF-8'?>" + body, "invalid UTF-8 byte sequence (line 1)"},
        {"bom.icd", "\xEF\xBB\xBF" + body, "invalid UTF-8 byte sequence (line 1)"},
        {"amp.icd", "<SCL>\n<IED name='A & B'/><DataTypeTemplates/></SCL>", "starts no reference (line 2, column 14)"},
        {"lt.icd", "<SCL><IED name='A<B'/><DataTypeTemplates/></SCL>", "a \"<\" in an attribute value (line 1, column 18)"},
    };
    for (const auto &c : cases) {
        const QString path = In_Temp(QLatin1String(c.name));
        Write(path, c.bytes);
        try {
            const TIEC_Device dev(path);
            ADD_FAILURE() << c.name;
        } catch (const EXmlParseError &e) {
            const QString what = QString::fromUtf8(e.what());
            EXPECT_TRUE(what.startsWith("\"" + QDir::toNativeSeparators(path) + "\" is not a valid XML document: "))
                << e.what();
            EXPECT_TRUE(what.contains(QLatin1String(c.fault))) << e.what();
        }
    }
}
