#pragma once
// The DeviceNet offset window: for every input and output byte of every slave of
// DNETM_Net.xml the position in the gateway's 1440-byte data image ("None" for a byte not
// passed on), kept per slave in memory while the engineer moves between slaves and written
// to DNETM_DefOff.xml on OK after a check that no output position is used twice.
#include "editors/fieldbus/ruleeditor.h"

#include <array>
#include <cstdint>
#include <memory>

class QSplitter;

// One slave of the network file and the offsets and mnemonics of its bytes.
class TSlave_DN
{
public:
    uint8_t ID = 0;
    uint16_t ByteIN = 0;
    uint16_t ByteOUT = 0;
    QStringList SL_ByteIN;      // per input byte: "None" or the offset
    QStringList SL_ByteOUT;
    QStringList SL_ByteIN_M;    // per input byte: the mnemonic
    QStringList SL_ByteOUT_M;
};

// Columns of the slave list and of the byte tables.
enum TDN_Slave_Col { DS_ID, DS_NB_IN, DS_NB_OUT, DS_Mnemonic };
enum TDN_Byte_Col { DB_Byte, DB_Offset, DB_Mnemonic };

const TRule_Editor_Desc &DefOffset_Desc();

class TFDefOffset : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFDefOffset(QWidget *parent = nullptr);

    void Set_Lang() override;
    void bitbtn1Click() { Btn_OKClick(); }
    // Stores the shown slave's tables, checks the output offsets and writes the file.
    void Btn_OKClick() override;
    void ACG_DN_SlavesClick();

    // Each throws EXmlError (a missing attribute or list, a count that is no integer) and
    // keeps what was read before the fault.
    void Load_Slave_DN();
    void Load_Offset_Slave_DN();
    void Select_First();
    void Update_Slave_DN();
    bool Save_Data_ByteIN_ByteOUT();
    void Reset_Array_Check();
    // No output offset used twice, and every offset "None" or 0..1439; the first fault is
    // shown and gives false.
    bool Check_Data();
    void Save_Offset_Slave_DN();

    QString Check_Row(int, int, const QStringList &) override { return {}; }

    QWidget *Panel1;
    QLabel *Label1;
    TDazColumnGrid *ACG_DN_Slaves;
    QSplitter *Splitter1;
    QWidget *Panel3;
    QLabel *Label2;
    QLabel *Label3;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    TDazColumnGrid *ACG_ByteIN;
    TDazColumnGrid *ACG_ByteOUT;

    std::vector<std::unique_ptr<TSlave_DN>> List_Slaves_DN;
    int Slave_Before_Select = -1;
    bool Filling = false;   // the slave list is being read
    int MAX_BYTE_IN = 0;
    int MAX_BYTE_OUT = 0;
    struct TByte_Owner
    {
        int ID = -1;
        int Byte = -1;
    };
    std::array<TByte_Owner, 1440> Check_Byte_Offset;

protected:
    void Show_Prepare() override;

private:
    TDazColumnGrid *Byte_Grid(QWidget *sheet);
    // Stores the shown slave's bytes and shows those of the slave of the row.
    void Choose_Slave(int row);
    // The byte tables of the slave at index (cut to their headers for none).
    void Show_Slave(int index);
};

extern TFDefOffset *FDefOffset;
