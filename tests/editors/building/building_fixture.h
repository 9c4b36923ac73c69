#pragma once
// A program state with an open project "P" whose ParGen.xml the test writes, and the golden
// files of tests/data/building.
#include "app/shell_fixture.h"

#include <QFile>

inline QString Building_Data(const QString &name)
{
    QString data = QString::fromLocal8Bit(qgetenv("CF_TEST_DATA"));
    if (data.isEmpty())
        data = QStringLiteral(CF_TEST_DATA_DIR);
    return data + QStringLiteral("/building/") + name;
}

inline QByteArray Read_Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class BuildingTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Project_Name = QStringLiteral("P");
        Project_Path = Projects_Dir + QStringLiteral("/P");
        ASSERT_TRUE(Force_Dir(Project_Path));
        Set_Files();
    }
    // ParGen.xml with the given elements (name, text) under its root.
    void Write_ParGen(const std::vector<std::pair<QString, QString>> &keys)
    {
        QString xml = QStringLiteral("<Par_Gen>");
        for (const auto &[k, v] : keys)
            xml += QStringLiteral("<%1>%2</%1>").arg(k, v);
        xml += QStringLiteral("</Par_Gen>");
        Write(Path_ParGen, xml.toUtf8());
    }
};
