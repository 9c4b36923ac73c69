#include "editors/fieldbus/defoffset.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

TFDefOffset *FDefOffset = nullptr;

namespace {

constexpr int Image_Bytes = 1440;   // the gateway's data image for DeviceNet
constexpr int Panel1_Height = 162;
constexpr int Splitter_Width = 3;

// The window keeps no table of the frame: its files are read and written below.
const QString No_File;

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FDefOffset";
    d.Client_Width = 482;
    d.Client_Height = 610;
    d.Caption = 3900;
    d.Description = 3901;
    d.Button_Captions = {3902, 3903};
    d.Button_Hints = {3904, 3905};
    d.Row_Buttons = false;
    d.Root = "Define_Offset";
    d.Version = QStringLiteral("1.000");
    return d;
}

// Data rows under the header; none leaves the header row alone.
void Size_Rows(TDazColumnGrid &grid, int rows)
{
    grid.SetRowCount(rows + 1);
    if (rows > 0)
        grid.SetFixedRows(1);
}

// The integer of a count or ID the file holds; out of range is as bad as no number.
int File_Int(const QString &text, int max, const char *what)
{
    int value = 0;
    if (!TryStrToInt(text, value) || value < 0 || value > max)
        throw EXmlError(QStringLiteral("'%1' is not a valid %2.").arg(text, QLatin1String(what)).toStdString());
    return value;
}

QString Required(const TXmlNode &node, const char *name) { return node.Attribute(QLatin1String(name)); }

// An offset of a byte: "None" (or nothing) passes no data, else a position of the image.
bool Offset_Valid(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("None"))
        return true;
    const int offset = Rule_Int(text);
    return offset >= 0 && offset < Image_Bytes;
}

} // namespace

const TRule_Editor_Desc &DefOffset_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

TDazColumnGrid *TFDefOffset::Byte_Grid(QWidget *sheet)
{
    auto *grid = new TDazColumnGrid(sheet);
    auto *box = new QVBoxLayout(sheet);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(grid);
    grid->BeginUpdate();
    grid->SetColCount(3);
    grid->SetRowCount(1);
    grid->SetFixedCols(1);
    grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing});
    const int widths[] = {60, 90, 300};
    for (int c = 0; c < 3; ++c)
        grid->SetColWidths(c, widths[c]);
    grid->Columns().Items(DB_Offset)->SetEditor(edComboList);
    grid->EndUpdate();
    return grid;
}

TFDefOffset::TFDefOffset(QWidget *parent) : TRule_Editor(DefOffset_Desc(), No_File, parent)
{
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, body);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(Splitter_Width);
    layout->addWidget(Splitter1);

    Panel1 = new QWidget(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *top = new QVBoxLayout(Panel1);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    top->addWidget(Label1);
    ACG_DN_Slaves = new TDazColumnGrid(Panel1);
    ACG_DN_Slaves->setObjectName(QStringLiteral("ACG_DN_Slaves"));
    top->addWidget(ACG_DN_Slaves, 1);
    ACG_DN_Slaves->BeginUpdate();
    ACG_DN_Slaves->SetColCount(4);
    ACG_DN_Slaves->SetRowCount(1);
    ACG_DN_Slaves->SetFixedCols(0);
    ACG_DN_Slaves->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect});
    const int widths[] = {100, 100, 100, 160};
    for (int c = 0; c < 4; ++c) {
        ACG_DN_Slaves->SetColWidths(c, widths[c]);
        ACG_DN_Slaves->Columns().Items(c)->SetReadOnly(true);
    }
    ACG_DN_Slaves->EndUpdate();
    ACG_DN_Slaves->OnClickCell = [this](TObject *, int ARow, int) {
        if (ARow > 0)
            ACG_DN_SlavesClick();
    };
    // The arrow and page keys choose a slave as a click does.
    ACG_DN_Slaves->OnRowChanged = [this](TObject *, int, int NewRow) {
        if (!Filling && NewRow > 0 && NewRow - 1 != Slave_Before_Select)
            Choose_Slave(NewRow);   // asked before the current row moves
    };

    Panel3 = new QWidget(Splitter1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto *bottom = new QVBoxLayout(Panel3);
    Label2 = new QLabel(Panel3);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(Panel3);
    Label3->setObjectName(QStringLiteral("Label3"));
    PageControl1 = new QTabWidget(Panel3);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget(PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QString());
    PageControl1->addTab(TabSheet2, QString());
    ACG_ByteIN = Byte_Grid(TabSheet1);
    ACG_ByteIN->setObjectName(QStringLiteral("ACG_ByteIN"));
    ACG_ByteOUT = Byte_Grid(TabSheet2);
    ACG_ByteOUT->setObjectName(QStringLiteral("ACG_ByteOUT"));
    bottom->addWidget(Label2);
    bottom->addWidget(Label3);
    bottom->addWidget(PageControl1, 1);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel3);
    Splitter1->setSizes({Panel1_Height, DefOffset_Desc().Client_Height - Panel1_Height});
    Insert_Body(body);

    FormCreate();
    PageControl1->setCurrentIndex(0);
}

void TFDefOffset::Set_Lang()
{
    TRule_Editor::Set_Lang();
    Label1->setText(Lang_Text(3908));
    Label2->setText(Lang_Text(3909));
    Label3->setText(Lang_Text(3910));
    PageControl1->setTabText(0, Lang_Text(3906));
    PageControl1->setTabText(1, Lang_Text(3907));
    for (int c = 0; c < 4; ++c)
        ACG_DN_Slaves->SetCellEx(c, 0, Lang_Text(3911 + c));
    for (int c = 0; c < 3; ++c) {
        ACG_ByteIN->SetCellEx(c, 0, Lang_Text(3915 + c));
        ACG_ByteOUT->SetCellEx(c, 0, Lang_Text(3918 + c));
    }
}

void TFDefOffset::Show_Prepare()
{
    List_Slaves_DN.clear();
    MAX_BYTE_IN = Image_Bytes;
    MAX_BYTE_OUT = Image_Bytes;
    Rule_Set_Items(*ACG_ByteIN, DB_Offset, Rule_None_Number_Items(MAX_BYTE_IN));
    Rule_Set_Items(*ACG_ByteOUT, DB_Offset, Rule_None_Number_Items(MAX_BYTE_OUT));
    Slave_Before_Select = -1;
    // The byte tables still hold the last showing: no row change may store them now.
    Filling = true;
    try {
        Load_Slave_DN();
        Load_Offset_Slave_DN();
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
    }
    Filling = false;
    // The slaves read before a fault are shown all the same.
    Select_First();
}

void TFDefOffset::Load_Slave_DN()
{
    Size_Rows(*ACG_DN_Slaves, 0);
    if (!File_Exists(Path_DNETM_Net))
        return;
    XML1->LoadFromFile(Path_DNETM_Net);
    const TXmlNode root = XML1->DocumentElement();
    if (!root)
        return;
    const std::vector<TXmlNode> rows = root.Children();
    Size_Rows(*ACG_DN_Slaves, int(rows.size()));
    for (size_t k = 0; k < rows.size(); ++k) {
        const int r = int(k) + 1;
        const char *const names[] = {"ID", "NB_IN", "NB_OUT", "Mnemonic"};
        for (int c = 0; c < 4; ++c)
            ACG_DN_Slaves->SetCellEx(c, r, Required(rows[k], names[c]));
        auto slave = std::make_unique<TSlave_DN>();
        slave->ID = uint8_t(File_Int(ACG_DN_Slaves->GetCellEx(DS_ID, r), 255, "slave ID"));
        slave->ByteIN = uint16_t(File_Int(ACG_DN_Slaves->GetCellEx(DS_NB_IN, r), 65535, "number of input bytes"));
        slave->ByteOUT = uint16_t(File_Int(ACG_DN_Slaves->GetCellEx(DS_NB_OUT, r), 65535, "number of output bytes"));
        for (int j = 0; j < slave->ByteIN; ++j) {
            slave->SL_ByteIN.append(QStringLiteral("None"));
            slave->SL_ByteIN_M.append(QString());
        }
        for (int j = 0; j < slave->ByteOUT; ++j) {
            slave->SL_ByteOUT.append(QStringLiteral("None"));
            slave->SL_ByteOUT_M.append(QString());
        }
        List_Slaves_DN.push_back(std::move(slave));
    }
}

void TFDefOffset::Load_Offset_Slave_DN()
{
    if (!File_Exists(Path_DNETM_DefOff))
        return;
    XML1->LoadFromFile(Path_DNETM_DefOff);
    const TXmlNode root = XML1->DocumentElement();
    if (!root)
        return;
    const std::vector<TXmlNode> nodes = root.Children();
    for (size_t k = 0; k < nodes.size() && k < List_Slaves_DN.size(); ++k) {
        TSlave_DN &slave = *List_Slaves_DN[k];
        const struct
        {
            const char *list;
            int count;
            QStringList &offsets, &mnemonics;
        } sides[] = {{"ByteIN", slave.ByteIN, slave.SL_ByteIN, slave.SL_ByteIN_M},
                     {"ByteOUT", slave.ByteOUT, slave.SL_ByteOUT, slave.SL_ByteOUT_M}};
        for (const auto &side : sides) {
            const std::vector<TXmlNode> rows = nodes[k].ChildRequired(QLatin1String(side.list)).Children();
            for (size_t j = 0; j < rows.size() && int(j) < side.count; ++j) {
                side.offsets[qsizetype(j)] = Required(rows[j], "Offset");
                side.mnemonics[qsizetype(j)] = Required(rows[j], "Mnemonic");
            }
        }
    }
}

void TFDefOffset::Select_First()
{
    if (ACG_DN_Slaves->RowCount() <= 1) {
        Update_Slave_DN();
        return;
    }
    ACG_DN_Slaves->SetRow(1);
    ACG_DN_SlavesClick();
}

void TFDefOffset::ACG_DN_SlavesClick()
{
    Choose_Slave(ACG_DN_Slaves->Row());
}

void TFDefOffset::Choose_Slave(int row)
{
    if (Slave_Before_Select != -1)
        Save_Data_ByteIN_ByteOUT();
    ACG_DN_Slaves->SelectRows(row, 1);
    Slave_Before_Select = row - 1;
    Show_Slave(row - 1);
}

void TFDefOffset::Update_Slave_DN()
{
    Show_Slave(ACG_DN_Slaves->Row() - 1);
}

void TFDefOffset::Show_Slave(int index)
{
    if (ACG_DN_Slaves->RowCount() <= 1 || index < 0 || index >= int(List_Slaves_DN.size())) {
        Size_Rows(*ACG_ByteIN, 0);
        Size_Rows(*ACG_ByteOUT, 0);
        return;
    }
    const TSlave_DN &slave = *List_Slaves_DN[size_t(index)];
    const struct
    {
        TDazColumnGrid *grid;
        int count;
        const QStringList &offsets, &mnemonics;
    } sides[] = {{ACG_ByteIN, slave.ByteIN, slave.SL_ByteIN, slave.SL_ByteIN_M},
                 {ACG_ByteOUT, slave.ByteOUT, slave.SL_ByteOUT, slave.SL_ByteOUT_M}};
    for (const auto &side : sides) {
        side.grid->BeginUpdate();
        Size_Rows(*side.grid, side.count);
        for (int j = 0; j < side.count; ++j) {
            side.grid->SetCellEx(DB_Byte, j + 1, IntToStr(j));
            side.grid->SetCellEx(DB_Offset, j + 1, side.offsets.value(j));
            side.grid->SetCellEx(DB_Mnemonic, j + 1, side.mnemonics.value(j));
        }
        side.grid->EndUpdate();
    }
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    if (Slave_Before_Select < 0 || Slave_Before_Select >= int(List_Slaves_DN.size()))
        return true;
    TSlave_DN &slave = *List_Slaves_DN[size_t(Slave_Before_Select)];
    const struct
    {
        TDazColumnGrid *grid;
        QStringList &offsets, &mnemonics;
    } sides[] = {{ACG_ByteIN, slave.SL_ByteIN, slave.SL_ByteIN_M},
                 {ACG_ByteOUT, slave.SL_ByteOUT, slave.SL_ByteOUT_M}};
    for (const auto &side : sides)
        for (int r = 1; r < side.grid->RowCount() && r <= side.offsets.size(); ++r) {
            side.offsets[r - 1] = side.grid->GetCellEx(DB_Offset, r);
            side.mnemonics[r - 1] = side.grid->GetCellEx(DB_Mnemonic, r);
        }
    return true;
}

void TFDefOffset::Reset_Array_Check()
{
    Check_Byte_Offset.fill(TByte_Owner{});
}

bool TFDefOffset::Check_Data()
{
    // An offset the pick list cannot offer (a hand-made file) is refused before it could
    // index the clash table.
    for (const auto &slave : List_Slaves_DN)
        for (const auto *offsets : {&slave->SL_ByteIN, &slave->SL_ByteOUT})
            for (qsizetype j = 0; j < offsets->size(); ++j)
                if (!Offset_Valid((*offsets)[j])) {
                    MessageError(QStringLiteral("Error in %1! The offset \"%2\" is not None or between 0 and %3. "
                                                "( ID = %4 Byte = %5)")
                                     .arg(offsets == &slave->SL_ByteIN ? QStringLiteral("ByteIN")
                                                                       : QStringLiteral("ByteOUT"),
                                          (*offsets)[j])
                                     .arg(Image_Bytes - 1)
                                     .arg(slave->ID)
                                     .arg(j),
                                 {}, this);
                    return false;
                }
    Reset_Array_Check();
    for (const auto &slave : List_Slaves_DN)
        for (qsizetype j = 0; j < slave->SL_ByteOUT.size(); ++j) {
            const int offset = Rule_Int(slave->SL_ByteOUT[j]);
            if (offset < 0)
                continue;
            TByte_Owner &owner = Check_Byte_Offset[size_t(offset)];
            if (owner.ID != -1) {
                MessageError(Lang_Text(3921) + QStringLiteral("\n\r( ") + Lang_Text(3922) + IntToStr(owner.ID) +
                                 Lang_Text(3923) + IntToStr(owner.Byte) + Lang_Text(3924) + IntToStr(slave->ID) +
                                 Lang_Text(3925) + IntToStr(int(j)) + QStringLiteral(")"),
                             {}, this);
                return false;
            }
            owner = {slave->ID, int(j)};
        }
    return true;
}

void TFDefOffset::Save_Offset_Slave_DN()
{
    TXmlNode root = XML1->CreateRoot(QStringLiteral("Define_Offset"));
    XML1->AddComment(QStringLiteral("SW_VERSION = 1.000"));
    for (const auto &slave : List_Slaves_DN) {
        TXmlNode node = root.AddChild(QStringLiteral("Nodo_DNET"));
        const struct
        {
            const char *list;
            const QStringList &offsets, &mnemonics;
        } sides[] = {{"ByteIN", slave->SL_ByteIN, slave->SL_ByteIN_M},
                     {"ByteOUT", slave->SL_ByteOUT, slave->SL_ByteOUT_M}};
        for (const auto &side : sides) {
            TXmlNode list = node.AddChild(QLatin1String(side.list));
            for (qsizetype j = 0; j < side.offsets.size(); ++j) {
                TXmlNode row = list.AddChild(QStringLiteral("row"));
                row.SetAttribute(QStringLiteral("Offset"), side.offsets[j]);
                row.SetAttribute(QStringLiteral("Mnemonic"), side.mnemonics.value(j));
            }
        }
    }
    XML1->SaveToFile(Path_DNETM_DefOff);
}

void TFDefOffset::Btn_OKClick()
{
    Save_Data_ByteIN_ByteOUT();
    if (!Check_Data())
        return;
    try {
        Save_Offset_Slave_DN();
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}
