// The scan window's results: the wired tree, the wireless table with the tree of the meter
// picked in it, the key dialog, and saving the ticked meters and records.
#include "mbus/scandecode.h"

#include "app/language.h"
#include "controls/tree/lazystringtree.h"
#include "grid/string/dazcolumngrid.h"
#include "mbus/insertkeywireless.h"
#include "mbus/mbusscandecode.h"
#include "mbus/modbusstartadd_sd.h"
#include "mbus/scanmodbusstart.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <array>
#include <mutex>

using enum TLTMiscOption;
using enum TLTAutoOption;
using enum TLTPaintOption;
using enum TLTSelectionOption;
using enum TLazyNodeState;

namespace {

constexpr int Detail_Rows = 12;
constexpr TColor Cripted_Color = 0xB9BBFF;
constexpr TColor Clear_Color = 0xA8FFA8;
constexpr TColor White = 0xFFFFFF;

struct TColumn
{
    const char *header;
    int width;
};
const TColumn Wireless_Columns[13] = {
    {"N", 40},                  {"Date Time", 65},         {"Message Type", 90},
    {"Manufacturer (LLA)", 120}, {"Address (LLA)", 90},     {"Version (LLA)", 85},
    {"Device Type (LLA)", 110}, {"Manufacturer (ALA)", 120}, {"Address (ALA)", 90},
    {"Version (ALA)", 85},      {"Device Type (ALA)", 110}, {"RSSI", 50},
    {"Cripted", 70}};

bool Modbus_Family(int code)
{
    return code == 0 || code == 1 || code == 9 || code == 13 || code == 14;
}

QString Dec_Hex(int v)
{
    return QString::number(v) + QStringLiteral(" (") + IntToHex(uint32_t(v) & 0xFF, 2) + u')';
}

QString UST(const TVariable_MBus &v)
{
    return QStringLiteral(" (U") + QString::number(v.device) + u'S' + QString::number(v.storage_number)
           + u'T' + QString::number(v.tarif) + u')';
}

QString Record_Caption(const TVariable_MBus &v)
{
    return QStringLiteral("Value = ") + v.ValueStr + QStringLiteral(" - Type = ") + v.Desc_Type_Data
           + UST(v);
}

QString Detail_Caption(const TVariable_MBus &v, uint32_t index)
{
    switch (index) {
    case 0: return QStringLiteral("Storage Number = ") + QString::number(v.storage_number);
    case 1: return QStringLiteral("Tariff = ") + QString::number(v.tarif);
    case 2: return QStringLiteral("Unit = ") + QString::number(v.device);
    case 3: return QStringLiteral("Data Field = ") + v.DataFieldStr;
    case 4: return QStringLiteral("Function Field = ") + v.FunctionFieldStr;
    case 5: return QStringLiteral("Type = ") + v.Desc_Type_Data;
    case 6: return QStringLiteral("Value = ") + v.ValueStr;
    case 7: return QStringLiteral("DIF = ") + v.DIF;
    case 8: return QStringLiteral("VIF = $") + IntToHex(v.VIF, 2);
    case 9: return QStringLiteral("DIFE = ") + v.DIFE;
    case 10: return QStringLiteral("VIFE = ") + v.VIFE;
    case 11: return QStringLiteral("DATA = $") + v.totdati;
    default: return {};
    }
}

// The cells 0..11 of a meter's table row.
QStringList Wireless_Row_Cells(int row, const TSlave_wMBus &m)
{
    return {QString::number(row + 1),
            QLocale().toString(m.DateTime, QLocale::ShortFormat),
            QStringLiteral("0x") + IntToHex(m.Message_Type, 2),
            m.LLA_Manu_str + u'(' + IntToHex(m.LLA_Manufacturer, 4) + u')',
            IntToHex(uint32_t(m.LLA_Address), 8),
            Dec_Hex(m.LLA_Version),
            Dec_Hex(m.LLA_DeviceType),
            m.ALA_Manu_str + u'(' + IntToHex(m.ALA_Manufacturer, 4) + u')',
            IntToHex(uint32_t(m.ALA_Address), 8),
            Dec_Hex(m.ALA_Version),
            Dec_Hex(m.ALA_DeviceType),
            QString::number(m.RSSI)};
}

// Index of a node's ancestor at level 0 and at level 1.
PLazyNode Ancestor(TBaseLazyTree *tree, PLazyNode node, uint32_t level)
{
    while (node && tree->GetNodeLevel(node) > level)
        node = node->Parent;
    return node;
}

void Set_Caption(TBaseLazyTree *tree, PLazyNode node, const QString &caption)
{
    auto *rec = new (tree->GetNodeData(node)) TMyRec;
    rec->Caption = caption;
}

template <class Meter> void Add_Meter_Nodes(TBaseLazyTree *tree, Meter &m)
{
    m.Node = tree->AddChild(nullptr);
    for (auto &v : m.List_Var) {
        v->Node = tree->AddChild(m.Node);
        for (int d = 0; d < Detail_Rows; ++d)
            tree->AddChild(v->Node);
    }
}

int Exec(QDialog *d)
{
    return d->exec();
}

} // namespace

std::function<int(QDialog *)> Scan_Dialog_Exec = Exec;

void TFScanDecode::Init_Tree(TLazyStringTree *tree, bool wireless)
{
    tree->SetNodeDataSize(int(sizeof(TMyRec)));
    TCustomLazyTreeOptions &o = tree->TreeOptions();
    o.SetMiscOptions(TLTMiscOptions{toCheckSupport, toFullRepaintOnResize, toInitOnSave,
                                    toToggleOnDblClick, toWheelPanning});
    o.SetAutoOptions(TLTAutoOptions{toAutoDropExpand, toAutoTristateTracking});
    o.SetPaintOptions(TLTPaintOptions{toShowButtons, toShowRoot, toShowTreeLines, toThemeAware,
                                      toUseBlendedImages});
    o.SetSelectionOptions(TLTSelectionOptions{toMultiSelect, toCenterScrollIntoView});
    o.SetAnimationOptions(TLTAnimationOptions{TLTAnimationOption::toAnimatedToggle});
    tree->SetImages(IL_Tree1.get());
    tree->SetCustomCheckImages(IL_Tree1.get());
    tree->OnGetText = [](TBaseLazyTree *sender, PLazyNode node, TColumnIndex, TLSTTextType,
                         QString &text) { text = sender->GetNodeData<TMyRec>(node)->Caption; };
    tree->OnFreeNode = [](TBaseLazyTree *sender, PLazyNode node) {
        sender->GetNodeData<TMyRec>(node)->~TMyRec();
    };
    tree->OnGetImageIndexEx = [](TBaseLazyTree *sender, PLazyNode node, TLTImageKind kind,
                                 TColumnIndex, bool &, int &index, TLTImageList *&) {
        if (kind == TLTImageKind::ikNormal || kind == TLTImageKind::ikSelected)
            index = int(sender->GetNodeLevel(node));
    };
    if (!wireless) {
        tree->OnInitNode = [this](TBaseLazyTree *sender, PLazyNode, PLazyNode node,
                                  TLazyNodeInitStates &) {
            const uint32_t level = sender->GetNodeLevel(node);
            const TMBus_Object_List &list = *TR_ScanDecode->Wired_List;
            const PLazyNode meter_node = Ancestor(sender, node, 0);
            auto *m = meter_node && meter_node->Index < list.size()
                          ? dynamic_cast<TSlave_MBus *>(list[meter_node->Index].get())
                          : nullptr;
            if (!m)
                return;
            if (level == 0) {
                Set_Caption(sender, node,
                            QStringLiteral("Primary Address = %1 - Secondary Address = %2 - "
                                           "Manufacturer = %3(%4) - Version = %5 - Type = %6")
                                .arg(m->Primary_Addresss).arg(m->Secondary_Addresss, m->descManufacture)
                                .arg(m->Manufacture).arg(m->Version).arg(m->Medium));
            } else {
                const PLazyNode rec_node = Ancestor(sender, node, 1);
                if (rec_node->Index >= m->List_Var.size())
                    return;
                const TVariable_MBus &v = *m->List_Var[rec_node->Index];
                Set_Caption(sender, node, level == 1 ? Record_Caption(v) : Detail_Caption(v, node->Index));
                if (level != 1)
                    return;
            }
            node->CheckType = TCheckType::ctCheckBox;
            node->CheckState = TCheckState::csCheckedNormal;
        };
        return;
    }
    // The wireless tree takes its meter from the one it was built for.
    tree->OnInitNode = [this](TBaseLazyTree *sender, PLazyNode, PLazyNode node,
                              TLazyNodeInitStates &) {
        std::unique_lock<std::mutex> hold(TR_ScanDecode->Results_Lock, std::defer_lock);
        if (!building_wireless_)
            hold.lock();
        const TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
        if (wireless_tree_meter_ < 0 || wireless_tree_meter_ >= int(list.size()))
            return;
        auto *m = dynamic_cast<TSlave_wMBus *>(list[size_t(wireless_tree_meter_)].get());
        if (!m)
            return;
        const uint32_t level = sender->GetNodeLevel(node);
        bool enabled = m->Enable;
        if (level == 0) {
            Set_Caption(sender, node,
                        QStringLiteral("Manufacturer = ") + m->ALA_Manu_str + QStringLiteral(" - Address = ")
                            + IntToHex(uint32_t(m->ALA_Address), 8) + QStringLiteral(" - Version = ")
                            + QString::number(m->ALA_Version) + QStringLiteral(" - Device Type = ")
                            + QString::number(m->ALA_DeviceType) + QStringLiteral(" - ")
                            + (m->Cripted ? QStringLiteral("CRIPTED!!") : QString()));
        } else {
            const PLazyNode rec_node = Ancestor(sender, node, 1);
            if (rec_node->Index >= m->List_Var.size())
                return;
            const TVariable_MBus &v = *m->List_Var[rec_node->Index];
            if (level == 2) {
                Set_Caption(sender, node, Detail_Caption(v, node->Index));
                return;
            }
            Set_Caption(sender, node, v.Real_Wireless_Var ? Record_Caption(v) : QStringLiteral("Idle Filler"));
            enabled = v.Enable;
        }
        node->CheckType = TCheckType::ctCheckBox;
        node->CheckState = enabled ? TCheckState::csCheckedNormal : TCheckState::csUncheckedNormal;
    };
    tree->OnChecking = [](TBaseLazyTree *, PLazyNode, TCheckState &, bool &Allowed) { Allowed = true; };
    tree->OnChecked = [this](TBaseLazyTree *, PLazyNode node) {
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        const TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
        if (wireless_tree_meter_ < 0 || wireless_tree_meter_ >= int(list.size()))
            return;
        auto *m = dynamic_cast<TSlave_wMBus *>(list[size_t(wireless_tree_meter_)].get());
        if (!m)
            return;
        const TCheckState s = node->CheckState;
        if (s != TCheckState::csCheckedNormal && s != TCheckState::csUncheckedNormal)
            return;
        const bool on = s == TCheckState::csCheckedNormal;
        if (m->Node == node) {
            m->Enable = on;
            return;
        }
        for (auto &v : m->List_Var)
            if (v->Node == node) {
                v->Enable = on;
                return;
            }
    };
}

void TFScanDecode::Colomns_Width_Init()
{
    for (int c = 0; c < 13; ++c) {
        RUD_Wireless->SetColWidths(c, Wireless_Columns[c].width);
        RUD_Wireless->SetCells(c, 0, QString::fromLatin1(Wireless_Columns[c].header));
    }
}

void TFScanDecode::Show_Slave_in_Tree()
{
    const TMBus_Object_List &list = *TR_ScanDecode->Wired_List;
    L_Num_Slave->setText(QString::number(list.size()));
    for (size_t i = 0; i < list.size(); ++i) {
        Index_Dev_MBus = int(i);
        if (auto *m = dynamic_cast<TSlave_MBus *>(list[i].get()))
            Add_Meter_Nodes(LST, *m);
    }
}

void TFScanDecode::Show_Slave_in_Tree_Wireless(int index)
{
    // The receive thread rewrites a meter's records under the lock: the tree is built under
    // it, and the node initialisations it causes run with it held.
    const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
    const TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
    TSlave_wMBus *m = index >= 0 && index < int(list.size())
                          ? dynamic_cast<TSlave_wMBus *>(list[size_t(index)].get())
                          : nullptr;
    if (!m)
        return;
    wireless_tree_meter_ = index;
    building_wireless_ = true;
    try {
        Add_Meter_Nodes(LST_Wireless, *m);
    } catch (...) {
        building_wireless_ = false;
        throw;
    }
    building_wireless_ = false;
}

void TFScanDecode::Clear_Wireless_Tree()
{
    {
        // The objects no longer point at nodes that are about to go.
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        const TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
        if (wireless_tree_meter_ >= 0 && wireless_tree_meter_ < int(list.size()))
            if (auto *m = dynamic_cast<TSlave_wMBus *>(list[size_t(wireless_tree_meter_)].get())) {
                m->Node = nullptr;
                for (auto &v : m->List_Var)
                    v->Node = nullptr;
            }
    }
    wireless_tree_meter_ = -1;
    LST_Wireless->Clear();
}

void TFScanDecode::Cancel_Device_List()
{
    TMBus_Object_List &list = *TR_ScanDecode->Wired_List;
    while (!list.empty())
        list.pop_back();
    LST->Clear();
}

void TFScanDecode::Cancel_Device_List_Wireless()
{
    Clear_Wireless_Tree();
    {
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
        while (!list.empty())
            list.pop_back();
    }
    Cancel_Grid_Wireless();
}

void TFScanDecode::Cancel_Grid_Wireless()
{
    RUD_Wireless->SetRowCount(2);
    RUD_Wireless->SetCells(0, 1, QString());
    for (int c = 1; c < 13; ++c) {
        RUD_Wireless->SetCells(c, 1, QString());
        RUD_Wireless->SetColors(c, 1, White);
    }
    RUD_Wireless->RemoveImageIdx(12, 1);
}

void TFScanDecode::Show_Wireless_Slave_Row(int ARow, TSlave_wMBus *Slave)
{
    if (!Slave || ARow < 0)
        return;
    // Read on the calling thread (the receive thread decodes and calls back in turn), shown on
    // the GUI thread in call order.
    const QStringList cells = Wireless_Row_Cells(ARow, *Slave);
    const bool cripted = Slave->Cripted;
    QMetaObject::invokeMethod(this, [this, ARow, cells, cripted] {
        Apply_Wireless_Row(ARow, cells, cripted);
    }, Qt::QueuedConnection);
}

void TFScanDecode::Apply_Wireless_Row(int ARow, const QStringList &cells, bool cripted)
{
    const int row = ARow + 1;
    if (RUD_Wireless->RowCount() < ARow + 2)
        RUD_Wireless->SetRowCount(ARow + 2);
    for (int c = 0; c < cells.size(); ++c)
        RUD_Wireless->SetCells(c, row, cells[c]);
    RUD_Wireless->SetCells(12, row, QString());
    for (int c = 1; c < 13; ++c)
        RUD_Wireless->SetColors(c, row, cripted ? Cripted_Color : Clear_Color);
    RUD_Wireless->RemoveImageIdx(12, row);
    RUD_Wireless->AddImageIdx(12, row, cripted ? 0 : 1, haCenter, vaCenter);
    // A meter decoded again has new records: the tree that shows it is built anew.
    if (ARow == wireless_tree_meter_) {
        Clear_Wireless_Tree();
        Show_Slave_in_Tree_Wireless(ARow);
    }
}

void TFScanDecode::RUD_WirelessClickCell(int ARow, int)
{
    int meters = 0;
    {
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        meters = int(TR_ScanDecode->Wireless_List->size());
    }
    if (ARow <= 0 || ARow - 1 >= meters)
        return;
    Clear_Wireless_Tree();
    Show_Slave_in_Tree_Wireless(ARow - 1);
}

QPoint Key_Dialog_Place(QPoint cursor, QSize dialog, QSize client)
{
    QPoint p = cursor;
    if (p.x() + dialog.width() > client.width())
        p.rx() -= p.x() + dialog.width() - client.width();
    if (p.y() + dialog.height() > client.height())
        p.ry() -= p.y() + dialog.height() - client.height();
    return p;
}

void TFScanDecode::RUD_WirelessDblClickCell(int ARow, int)
{
    bool cripted = false;
    {
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        const TMBus_Object_List &list = *TR_ScanDecode->Wireless_List;
        if (ARow <= 0 || ARow - 1 >= int(list.size()))
            return;
        if (auto *m = dynamic_cast<TSlave_wMBus *>(list[size_t(ARow - 1)].get()))
            cripted = m->Cripted;
    }
    if (!cripted)
        return;
    if (!FInsertKeyWireless)
        FInsertKeyWireless = new TFInsertKeyWireless;
    TFInsertKeyWireless &dlg = *FInsertKeyWireless;
    const QPoint at = Key_Dialog_Place(mapFromGlobal(QCursor::pos()), dlg.size(), size());
    dlg.move(mapToGlobal(at));
    if (Scan_Dialog_Exec(&dlg) != QDialog::Accepted)
        return;
    const QString text = dlg.E_Key->text();
    std::array<uint8_t, 16> key{};
    for (int i = 0; i < 16; ++i) {
        bool ok = false;
        const uint v = text.mid(2 * i, 2).toUInt(&ok, 16);
        key[size_t(i)] = ok ? uint8_t(v) : 0;
    }
    TR_ScanDecode->Insert_Wireless_Key(ARow - 1, key);
}

void TFScanDecode::Carica_Dati_Modbus_Start_Add(bool wireless)
{
    if (!FModbusStartAdd_SD)
        FModbusStartAdd_SD = new TFModbusStartAdd_SD;
    TDazColumnGrid &sga = *FModbusStartAdd_SD->sga;
    std::vector<QString> ids;
    if (wireless) {
        const std::lock_guard<std::mutex> hold(TR_ScanDecode->Results_Lock);
        for (const auto &o : *TR_ScanDecode->Wireless_List)
            if (auto *m = dynamic_cast<TSlave_wMBus *>(o.get()))
                ids.push_back(QString::number(m->ALA_Address));
    } else {
        for (const auto &o : *TR_ScanDecode->Wired_List)
            if (auto *s = dynamic_cast<TSlave_MBus *>(o.get()))
                ids.push_back(QString::number(s->Primary_Addresss) + QStringLiteral(" - ")
                              + s->Secondary_Addresss);
    }
    sga.SetRowCount(int(ids.size()) + 1);
    for (size_t i = 0; i < ids.size(); ++i) {
        sga.SetCells(0, int(i) + 1, ids[i]);
        sga.SetCells(1, int(i) + 1, QStringLiteral("1"));
    }
}

void TFScanDecode::Select_SaveXML(int Type_SaveXML)
{
    bool append = false;
    if (File_Exists(FileName_MBus)) {
        // Yes appends, No replaces, Cancel (Escape, the close box) saves nothing.
        const TMsgResult r = Dialogs().Message(TMsgKind::ConfirmationCancel, Lang_Text(2137),
                                               windowTitle(), this);
        if (r == TMsgResult::Cancel)
            return;
        append = r == TMsgResult::Yes;
    }
    const bool wireless = Wireless_Chosen();
    int start = 1;
    if (Type_SaveXML == 1) {
        // The per-node table always describes the meters of this scan.
        Carica_Dati_Modbus_Start_Add(wireless);
        if (Modbus_Family(XML_Code_Dev) && Scan_Dialog_Exec(FModbusStartAdd_SD) != QDialog::Accepted)
            return;
    } else if (append && Modbus_Family(XML_Code_Dev)) {
        if (!FScanModbusStart)
            FScanModbusStart = new TFScanModbusStart;
        if (Scan_Dialog_Exec(FScanModbusStart) != QDialog::Accepted)
            return;
        start = FScanModbusStart->StartModAdd;
    }
    if (wireless)
        SaveXMLWireless(append, start, Type_SaveXML);
    else
        SaveXML(append, start, Type_SaveXML);
}

TSaveConfXML TFScanDecode::Save_Record(bool Append, int Start_Modbus, int Start_Modbus_node,
                                       bool wireless) const
{
    if (!FModbusStartAdd_SD)
        FModbusStartAdd_SD = new TFModbusStartAdd_SD;
    TSaveConfXML d;
    d.Append = Append ? 1 : 0;
    d.XML_Code_Dev = XML_Code_Dev;
    d.Mod_Start = Start_Modbus;
    d.Index_Baud = wireless ? 0 : CB_MBus_Baud->currentIndex();
    d.Index_Par = wireless ? 0 : CB_MBus_Parity->currentIndex();
    d.Node_ID_Type = CB_ScanBy->currentIndex();
    d.SND_NKE = !wireless && CB_Opt_SND_NKE->isChecked() ? 1 : 0;
    d.Reset_App = !wireless && CB_Opt_App_Reset->isChecked() ? 1 : 0;
    d.Cut_After = wireless ? 3 : StrToIntDef(E_Opt_Cut_After->text(), 3);
    d.StartModnode = Start_Modbus_node;
    TDazColumnGrid &sga = *FModbusStartAdd_SD->sga;
    for (int row = 1; row < sga.RowCount(); ++row)
        d.SMN_Array.push_back(StrToIntDef(sga.Cells(1, row), 1));
    d.En_NodeState = FModbusStartAdd_SD->CB_En_NodeState->isChecked();
    d.En_IdeNum = FModbusStartAdd_SD->CB_En_IndNum->isChecked();
    d.File_Name = FileName_MBus;
    return d;
}

namespace {

// A node not yet initialised would be checked by its initialisation.
bool Node_Checked(PLazyNode node)
{
    return !node->Has(vsInitialized) || node->CheckState == TCheckState::csCheckedNormal;
}

} // namespace

void TFScanDecode::Save(bool Append, int Start_Modbus, int Start_Modbus_node, bool wireless)
{
    const TSaveConfXML d = Save_Record(Append, Start_Modbus, Start_Modbus_node, wireless);
    const bool bcd = CB_Opt_Check_BCD_to_Int->isChecked();
    try {
        TMBusScanDecode &t = *TR_ScanDecode;
        if (wireless ? t.Save_XML_Conf_Wireless(d, bcd, Node_Checked)
                     : t.Save_XML_Conf_Wired(d, bcd, Node_Checked))
            MessageInfo(Lang_Text(2130), {}, this);
    } catch (const std::exception &e) {
        MessageError(QString::fromStdString(e.what()), {}, this);
    }
}

void TFScanDecode::SaveXML(bool Append, int Start_Modbus, int Start_Modbus_node)
{
    Save(Append, Start_Modbus, Start_Modbus_node, false);
}

void TFScanDecode::SaveXMLWireless(bool Append, int Start_Modbus, int Start_Modbus_node)
{
    Save(Append, Start_Modbus, Start_Modbus_node, true);
}
