// The SCL device model on a hand-made SCL file and on damaged or partial ones.
#include "building_fixture.h"
#include "editors/building/iec_client_decode.h"
#include "platform/xml.h"

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
    // No daName: the first attribute without members; a prefixed node: the first of its
    // class; a dotted name or an unresolved level drops the member.
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
