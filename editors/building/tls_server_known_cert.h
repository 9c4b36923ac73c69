#pragma once
// "Definition the list of Known Certificates": up to ten TLS server certificates the gateway
// trusts, each with an enable box and a description, in TLS_Known_Cert.xml. Nothing in the
// list is checked.
#include "editors/fieldbus/ruleeditor.h"

// Column enumerators are scoped: other editors name their columns alike.
namespace TLSCertCols {
enum TTLS_Cert_Col
{
    TC_N, TC_Enable, TC_Certificate, TC_Mnemonic, TC_Col_Count
};
}   // namespace TLSCertCols
using TLSCertCols::TTLS_Cert_Col;

const TRule_Editor_Desc &TLS_Server_Known_Cert_Desc();

class TFTLS_Server_Known_Cert : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFTLS_Server_Known_Cert(QWidget *parent = nullptr);

    void Init_Table();

    TRule_Data Grid_Data() const override;
    QString Check_Row(int, int, const QStringList &) override { return {}; }
    QString Cell_From_File(int table, int row, int col, const QString &value) override;

    TDazColumnGrid *RUD;
    QStringList &Hint_List;
    bool &Do_Copy;

protected:
    void Show_Loaded() override;
};

extern TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert;
