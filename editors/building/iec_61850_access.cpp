#include "editors/building/iec_61850_access.h"

#include "editors/building/building_grid.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace IEC61850Cols;

using namespace UIEC_61850_Access;

TFIEC_61850_Access *FIEC_61850_Access = nullptr;

namespace {


const std::vector<TGrid_Col> &DA_Cols()
{
    static const std::vector<TGrid_Col> cols = {
        {4918, "N", TGrid_Cell::Text, 30, {}},
        {4919, "Index", TGrid_Cell::Text, 40, {}},
        {4920, "bType", TGrid_Cell::Read_Only, 80, {}},
        {4921, "fc", TGrid_Cell::Read_Only, 30, {}},
        {4922, "Reference", TGrid_Cell::Read_Only, 220, {}},
        {4958, "Start Byte", TGrid_Cell::Text, 60, {}},
        {4959, "Num Byte", TGrid_Cell::Text, 60, {}},
        {4923, "IP Address", TGrid_Cell::Text, 100, {}},
        {4924, "Port", TGrid_Cell::Text, 50, {}},
        {4925, "On Change", TGrid_Cell::Check, 60, {}},
        {4926, "On CMD", TGrid_Cell::Check, 60, {}},
        {4927, "On Timer", TGrid_Cell::Check, 60, {}},
        {4928, "Time (ms)", TGrid_Cell::Text, 60, {}},
        {4929, "Position", TGrid_Cell::Text, 60, {}},
        {4930, "Start Bit", TGrid_Cell::Pick, 60, Bit_Items()},
        {4931, "R/W", TGrid_Cell::Pick, 60, {"Read", "Write"}},
        {4932, "Convertion", TGrid_Cell::Pick, 80, {"None", "ItoF/FtoI"}},
        {4933, "Molt Fact", TGrid_Cell::Text, 60, {}},
        {4934, "Mnemonic", TGrid_Cell::Text, 120, {}},
    };
    return cols;
}
const int DA_Hints[] = {4935, 4936, 4937, 4938, 4939, 4960, 4961, 4940, 4941, 4942,
                        4943, 4944, 4945, 4946, 4947, 4948, 4949, 4950, 4951};

const std::vector<TGrid_Col> &DS_Cols()
{
    static const std::vector<TGrid_Col> cols = {
        {-1, "N", TGrid_Cell::Text, 30, {}},           {-1, "Index", TGrid_Cell::Text, 40, {}},
        {-1, "Reference", TGrid_Cell::Read_Only, 220, {}}, {-1, "Goose Name", TGrid_Cell::Read_Only, 100, {}},
        {-1, "En. Goose", TGrid_Cell::Check, 60, {}},  {-1, "IP Address", TGrid_Cell::Text, 100, {}},
        {-1, "Port", TGrid_Cell::Text, 50, {}},        {-1, "Time (ms)", TGrid_Cell::Text, 60, {}},
        {-1, "Mnemonic", TGrid_Cell::Text, 120, {}},
    };
    return cols;
}

const std::vector<TGrid_Col> &DSV_Cols()
{
    static const std::vector<TGrid_Col> cols = {
        {-1, "N", TGrid_Cell::Text, 30, {}},
        {-1, "bType", TGrid_Cell::Read_Only, 80, {}},
        {-1, "Reference", TGrid_Cell::Read_Only, 260, {}},
        {-1, "Position", TGrid_Cell::Text, 60, {}},
        {-1, "Start Bit", TGrid_Cell::Pick, 60, Bit_Items()},
        {-1, "Convertion", TGrid_Cell::Pick, 80, {"None", "ItoF/FtoI"}},
        {-1, "Mult Fact", TGrid_Cell::Text, 60, {}},
        {-1, "Mnemonic", TGrid_Cell::Text, 120, {}},
    };
    return cols;
}

// The images of the six tree levels: a coloured square with the level's letter.
QIcon Level_Icon(QColor color, QChar letter)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(color.darker(150));
    p.setBrush(color);
    p.drawRect(1, 1, 13, 13);
    p.setPen(Qt::white);
    QFont f;
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, QString(letter));
    return QIcon(pm);
}

int Int_Cell(const QString &s)
{
    int v;
    return TryStrToInt(s, v) ? v : -1;
}

} // namespace

QString TFIEC_61850_Access::Catalog_Dir()
{
    return Project_Path + QStringLiteral("/ICD_Catalog/");
}

TFIEC_61850_Access::TFIEC_61850_Access(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FIEC_61850_Access"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);

    auto button = [](TLbButton *&b, QWidget *parent, const char *name) {
        b = new TLbButton(parent);
        b->setObjectName(QLatin1String(name));
        Set_Button_Look(b);
        b->setFixedSize(130, 28);
    };

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    PDevIEC = new QWidget;
    PDevIEC->setObjectName(QStringLiteral("PDevIEC"));
    auto *dev_layout = new QVBoxLayout(PDevIEC);
    dev_layout->setContentsMargins(4, 0, 0, 0);
    Splitter2 = new QSplitter(Qt::Vertical, PDevIEC);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    PDevIECList = new QWidget;
    PDevIECList->setObjectName(QStringLiteral("PDevIECList"));
    auto *list_layout = new QVBoxLayout(PDevIECList);
    list_layout->setContentsMargins(0, 0, 0, 0);
    button(Btn_Add_IEC_Device, PDevIECList, "Btn_Add_IEC_Device");
    LB_IEC_Devices = new QListWidget(PDevIECList);
    LB_IEC_Devices->setObjectName(QStringLiteral("LB_IEC_Devices"));
    button(Btn_Remove_IEC_Device, PDevIECList, "Btn_Remove_IEC_Device");
    list_layout->addWidget(Btn_Add_IEC_Device);
    list_layout->addWidget(LB_IEC_Devices, 1);
    list_layout->addWidget(Btn_Remove_IEC_Device);
    PDevIECTree = new QWidget;
    PDevIECTree->setObjectName(QStringLiteral("PDevIECTree"));
    auto *tree_layout = new QVBoxLayout(PDevIECTree);
    tree_layout->setContentsMargins(0, 0, 0, 0);
    TV_IEC_Device = new QTreeWidget(PDevIECTree);
    TV_IEC_Device->setObjectName(QStringLiteral("TV_IEC_Device"));
    TV_IEC_Device->setHeaderHidden(true);
    TV_IEC_Device->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TV_IEC_Device->setIconSize(QSize(16, 16));
    tree_layout->addWidget(TV_IEC_Device);
    Splitter2->addWidget(PDevIECList);
    Splitter2->addWidget(PDevIECTree);
    Splitter2->setStretchFactor(1, 3);
    dev_layout->addWidget(Splitter2);

    PTable = new QWidget;
    PTable->setObjectName(QStringLiteral("PTable"));
    auto *table_layout = new QVBoxLayout(PTable);
    table_layout->setContentsMargins(0, 0, 4, 0);
    PC_DA_DataSet = new QTabWidget(PTable);
    PC_DA_DataSet->setObjectName(QStringLiteral("PC_DA_DataSet"));
    TS_DA = new QWidget;
    TS_DA->setObjectName(QStringLiteral("TS_DA"));
    auto *da_layout = new QVBoxLayout(TS_DA);
    da_layout->setContentsMargins(0, 0, 0, 0);
    ACG_DA = New_Building_Grid(TS_DA, "ACG_DA", DA_Cols());
    da_layout->addWidget(ACG_DA);
    TS_DataSet = new QWidget;
    TS_DataSet->setObjectName(QStringLiteral("TS_DataSet"));
    auto *ds_layout = new QVBoxLayout(TS_DataSet);
    ds_layout->setContentsMargins(0, 0, 0, 0);
    Splitter3 = new QSplitter(Qt::Vertical, TS_DataSet);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    P_DataSet_List = new QWidget;
    P_DataSet_List->setObjectName(QStringLiteral("P_DataSet_List"));
    (new QVBoxLayout(P_DataSet_List))->setContentsMargins(0, 0, 0, 0);
    ACG_DataSet = New_Building_Grid(P_DataSet_List, "ACG_DataSet", DS_Cols());
    P_DataSet_List->layout()->addWidget(ACG_DataSet);
    P_DataSet_Vars_List = new QWidget;
    P_DataSet_Vars_List->setObjectName(QStringLiteral("P_DataSet_Vars_List"));
    (new QVBoxLayout(P_DataSet_Vars_List))->setContentsMargins(0, 0, 0, 0);
    ACG_DS_Vars = New_Building_Grid(P_DataSet_Vars_List, "ACG_DS_Vars", DSV_Cols());
    P_DataSet_Vars_List->layout()->addWidget(ACG_DS_Vars);
    Splitter3->addWidget(P_DataSet_List);
    Splitter3->addWidget(P_DataSet_Vars_List);
    ds_layout->addWidget(Splitter3);
    PC_DA_DataSet->addTab(TS_DA, QStringLiteral("Variables"));
    PC_DA_DataSet->addTab(TS_DataSet, QStringLiteral("DataSet"));
    table_layout->addWidget(PC_DA_DataSet);
    Splitter1->addWidget(PDevIEC);
    Splitter1->addWidget(PTable);
    Splitter1->setStretchFactor(1, 3);
    Splitter1->setSizes({300, 900});
    layout->addWidget(Splitter1, 1);

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(41);
    auto *buttons = new QHBoxLayout(P_Button);
    buttons->setContentsMargins(8, 4, 8, 6);
    button(Btn_AddVar, P_Button, "Btn_AddVar");
    button(Btn_RemoveVar, P_Button, "Btn_RemoveVar");
    button(Btn_OK, P_Button, "Btn_OK");
    button(Btn_Cancel, P_Button, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);
    buttons->addWidget(Btn_AddVar);
    buttons->addWidget(Btn_RemoveVar);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addWidget(P_Button);

    IL_IEC[0] = Level_Icon(QColor(60, 60, 160), QLatin1Char('I'));
    IL_IEC[1] = Level_Icon(QColor(40, 120, 180), QLatin1Char('L'));
    IL_IEC[2] = Level_Icon(QColor(40, 150, 120), QLatin1Char('N'));
    IL_IEC[3] = Level_Icon(QColor(0, 0, 255), QLatin1Char('O'));
    IL_IEC[4] = Level_Icon(QColor(120, 120, 120), QLatin1Char('A'));
    IL_IEC[5] = Level_Icon(QColor(0, 128, 0), QLatin1Char('S'));

    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_AddVar->OnClick = [this](QObject *) { Btn_AddVarClick(); };
    Btn_RemoveVar->OnClick = [this](QObject *) { Btn_RemoveVarClick(); };
    Btn_Add_IEC_Device->OnClick = [this](QObject *) { Btn_Add_IEC_DeviceClick(); };
    Btn_Remove_IEC_Device->OnClick = [this](QObject *) { Btn_Remove_IEC_DeviceClick(); };
    // The chosen device and node follow the keyboard as well as the mouse.
    connect(LB_IEC_Devices, &QListWidget::currentRowChanged, this, [this] { LB_IEC_DevicesClick(); });
    connect(TV_IEC_Device, &QTreeWidget::currentItemChanged, this, [this] { TV_IEC_DeviceClick(); });
    connect(TV_IEC_Device, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { Expand_DO(item); });
    for (TDazColumnGrid *grid : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) {
        grid->OnClickCell = [this, grid](TObject *, int ARow, int ACol) { ClickCell(grid, ARow, ACol); };
        grid->OnDblClickCell = [grid](TObject *, int ARow, int ACol) { Grid_Auto_Size_Column(*grid, ARow, ACol); };
        grid->OnKeyPress = [grid](TObject *, QChar &Key) { Grid_Enter_Next_Cell(*grid, Key); };
        grid->OnGridHint = [this, grid](TObject *, int ARow, int ACol, QString &hintstr) {
            ACG_DAGridHint(grid, ARow, ACol, hintstr);
        };
    }
    ACG_DA->SetShowHint(true);
    // The grid reports the new row before its current row has moved.
    ACG_DataSet->OnRowChanged = [this](TObject *, int, int NewRow) { Show_DataSet_DAs(NewRow); };
    ACG_DS_Vars->OnSelectCell = [this](TObject *, int ACol, int ARow, bool &) { ACG_DS_VarsSelectCell(ACol, ARow); };
    ACG_DS_Vars->OnEditCellDone = [this](TObject *, int ACol, int ARow) { ACG_DS_VarsEditCellDone(ACol, ARow); };

    // Creation.
    L_SW_Code->setText(SW_Code);
    resize(1200, 550);
    Set_Lang();
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    // The tree's items and the data sets point into the devices.
    TV_IEC_Device->clear();
    List_DataSet.clear();
    List_IEC_Dev.clear();
}

void TFIEC_61850_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(4900));
    L_SW_Desc->setText(Lang_Text(4901));
    const std::pair<TLbButton *, int> buttons[] = {{Btn_OK, 4902},     {Btn_Cancel, 4903},
                                                   {Btn_AddVar, 4904}, {Btn_RemoveVar, 4905},
                                                   {Btn_Add_IEC_Device, 4908}, {Btn_Remove_IEC_Device, 4909}};
    for (const auto &[b, text] : buttons) {
        b->SetCaption(Lang_Text(text));
        b->SetHint(Lang_Text(text + 8));
    }
    Hint.clear();
    for (int c = 0; c < DA_Col_Count; ++c) {
        ACG_DA->SetCellEx(c, 0, Lang_Text(DA_Cols()[size_t(c)].Header));
        Hint << Lang_Text(DA_Hints[c]);
    }
}

int TFIEC_61850_Access::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFIEC_61850_Access::reject()
{
    done(mrCancel);
}

// ---------------------------------------------------------------------------------------
// Catalog

void TFIEC_61850_Access::Show_IEC_Devices()
{
    LB_IEC_Devices->clear();
    for (const auto &dev : List_IEC_Dev)
        LB_IEC_Devices->addItem(dev->Name());
    LB_IEC_Devices->setCurrentRow(-1);
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick()
{
    const QString chosen = Dialogs().OpenFile(
        Lang_Text(4908), QString(),
        QStringLiteral("SCL Files (*.scd *.ssd *.sed *.icd *.iid *.cid);;Any File (*)"), this);
    if (chosen.isEmpty())
        return;
    const QString dir = Catalog_Dir();
    Force_Dir(dir);
    const QString target = dir + QFileInfo(chosen).fileName();
    bool copy = true;
    if (File_Exists(target)) {
        const TMsgResult answer = MessageYesNoCancel(
            QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?"), {}, this);
        if (answer == TMsgResult::Cancel)
            return;
        copy = answer == TMsgResult::Yes;
    }
    if (copy && QFileInfo(chosen).absoluteFilePath() != QFileInfo(target).absoluteFilePath()) {
        try {
            Write_File_Atomic(target, Read_File(chosen));
        } catch (const std::exception &e) {
            // Nothing is added from whatever the catalog holds under that name.
            MessageError(QString::fromUtf8(e.what()), {}, this);
            return;
        }
    }
    std::unique_ptr<TIEC_Device> dev;
    try {
        dev = std::make_unique<TIEC_Device>(target);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    List_IEC_Dev.push_back(std::move(dev));
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick()
{
    const int k = LB_IEC_Devices->currentRow();
    if (k < 0 || k >= int(List_IEC_Dev.size()))
        return;
    const std::pair<TDazColumnGrid *, int> grids[] = {{ACG_DA, DA_Index}, {ACG_DataSet, DS_Index}};
    for (const auto &[grid, col] : grids)
        for (int r = 1; r < grid->RowCount(); ++r)
            if (Int_Cell(grid->GetCellEx(col, r)) == k)
                return;
    // The tree may show the device: its items go with it.
    if (NODE_ORIG && List_IEC_Dev[size_t(k)]->TreeNode == NODE_ORIG) {
        TV_IEC_Device->clear();
        Pending_DO.clear();
        NODE_ORIG = nullptr;
    }
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    {
        // No device is chosen afterwards; the list would otherwise move to a neighbour while
        // the removed device is still in List_IEC_Dev.
        const QSignalBlocker quiet(LB_IEC_Devices);
        delete LB_IEC_Devices->takeItem(k);
        LB_IEC_Devices->setCurrentRow(-1);
    }
    List_IEC_Dev.erase(List_IEC_Dev.begin() + k);
    for (const auto &[grid, col] : grids)
        for (int r = 1; r < grid->RowCount(); ++r) {
            const int index = Int_Cell(grid->GetCellEx(col, r));
            if (index > k)
                grid->SetCellEx(col, r, QString::number(index - 1));
        }
}

int TFIEC_61850_Access::Chosen_Device() const
{
    const int k = LB_IEC_Devices->currentRow();
    return k >= 0 && k < int(List_IEC_Dev.size()) ? k : -1;
}

void TFIEC_61850_Access::LB_IEC_DevicesClick()
{
    const int k = Chosen_Device();
    if (k < 0)
        return;
    TV_IEC_Device->clear();
    Pending_DO.clear();
    NODE_ORIG = nullptr;
    for (const auto &dev : List_IEC_Dev)
        dev->TreeNode = nullptr;
    Show_Tree_IEC_Device(*List_IEC_Dev[size_t(k)]);
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

// ---------------------------------------------------------------------------------------
// Tree

void TFIEC_61850_Access::Show_Tree_Level(TIEC_DA &da, QTreeWidgetItem *parent)
{
    auto *item = new QTreeWidgetItem(parent, {da.Name()});
    item->setIcon(0, IL_IEC[4]);
    da.TreeNode = item;
    for (const auto &m : da.List_DA)
        Show_Tree_Level(*m, item);
}

void TFIEC_61850_Access::Show_Tree_Level(TIEC_DO &d, QTreeWidgetItem *parent)
{
    auto *item = new QTreeWidgetItem(parent, {d.Name()});
    item->setIcon(0, IL_IEC[3]);
    item->setForeground(0, QColor(0, 0, 255));
    d.TreeNode = item;
    // Data objects start collapsed: their children are made when first expanded, so a large
    // device shows at once.
    if (!d.List_DO.empty() || !d.List_DA.empty()) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        Pending_DO.insert(item, &d);
    }
}

void TFIEC_61850_Access::Expand_DO(QTreeWidgetItem *item)
{
    const auto it = Pending_DO.find(item);
    if (it == Pending_DO.end())
        return;
    TIEC_DO &d = **it;
    Pending_DO.erase(it);
    for (const auto &s : d.List_DO)
        Show_Tree_Level(*s, item);
    for (const auto &a : d.List_DA)
        Show_Tree_Level(*a, item);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

namespace {

// Forgets the items of an earlier tree, so a freed item's address never matches a new one.
void Forget_Nodes(TIEC_DA &da)
{
    da.TreeNode = nullptr;
    for (const auto &m : da.List_DA)
        Forget_Nodes(*m);
}

void Forget_Nodes(TIEC_DO &d)
{
    d.TreeNode = nullptr;
    for (const auto &s : d.List_DO)
        Forget_Nodes(*s);
    for (const auto &a : d.List_DA)
        Forget_Nodes(*a);
}

} // namespace

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device &dev)
{
    Pending_DO.clear();
    for (const auto &ld : dev.List_LDevice)
        for (const auto &ln : ld->List_LN)
            for (const auto &d : ln->List_DO)
                Forget_Nodes(*d);
    NODE_ORIG = new QTreeWidgetItem(TV_IEC_Device, {dev.Name()});
    NODE_ORIG->setIcon(0, IL_IEC[0]);
    dev.TreeNode = NODE_ORIG;
    for (const auto &ld : dev.List_LDevice) {
        auto *ld_item = new QTreeWidgetItem(NODE_ORIG, {ld->Name()});
        ld_item->setIcon(0, IL_IEC[1]);
        ld->TreeNode = ld_item;
        for (const auto &ln : ld->List_LN) {
            auto *ln_item = new QTreeWidgetItem(ld_item, {ln->Prefix() + ln->lnClass() + ln->Inst()});
            ln_item->setIcon(0, IL_IEC[2]);
            ln->TreeNode = ln_item;
            for (const auto &d : ln->List_DO)
                Show_Tree_Level(*d, ln_item);
            for (const auto &ds : ln->List_DataSet) {
                auto *ds_item = new QTreeWidgetItem(ln_item, {ds->Name()});
                ds_item->setIcon(0, IL_IEC[5]);
                ds_item->setForeground(0, QColor(0, 128, 0));
                ds->TreeNode = ds_item;
            }
            ln_item->setExpanded(true);
        }
        ld_item->setExpanded(true);
    }
    NODE_ORIG->setExpanded(true);
}

namespace {

TIEC_DA *Search_Node_DA(const std::vector<std::unique_ptr<TIEC_DA>> &list, const QTreeWidgetItem *node)
{
    for (const auto &da : list) {
        if (da->TreeNode == node)
            return da->List_DA.empty() ? da.get() : nullptr;
        if (TIEC_DA *found = Search_Node_DA(da->List_DA, node))
            return found;
    }
    return nullptr;
}

TIEC_DA *Search_Node_DO(const std::vector<std::unique_ptr<TIEC_DO>> &list, const QTreeWidgetItem *node)
{
    for (const auto &d : list) {
        if (TIEC_DA *found = Search_Node_DO(d->List_DO, node))
            return found;
        if (TIEC_DA *found = Search_Node_DA(d->List_DA, node))
            return found;
    }
    return nullptr;
}

} // namespace

void TFIEC_61850_Access::TV_IEC_DeviceClick()
{
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
    const int k = Chosen_Device();
    const QTreeWidgetItem *node = TV_IEC_Device->currentItem();
    if (k < 0 || !node || node == NODE_ORIG)
        return;
    const TIEC_Device &dev = *List_IEC_Dev[size_t(k)];
    for (const auto &ld : dev.List_LDevice)
        for (const auto &ln : ld->List_LN)
            if (TIEC_DA *da = Search_Node_DO(ln->List_DO, node)) {
                Selected_IEC_DA = da;
                return;
            }
    for (const auto &ld : dev.List_LDevice)
        for (const auto &ln : ld->List_LN)
            for (const auto &ds : ln->List_DataSet)
                if (ds->TreeNode == node) {
                    Selected_IEC_DS = ds.get();
                    return;
                }
}

// ---------------------------------------------------------------------------------------
// Tables

bool TFIEC_61850_Access::Has_Rows(TDazColumnGrid &grid)
{
    return grid.RowCount() > 2 || !grid.GetCellEx(1, 1).isEmpty();
}

int TFIEC_61850_Access::New_Row(TDazColumnGrid &grid)
{
    if (!Has_Rows(grid))
        return 1;
    const int row = grid.RowCount();
    grid.SetRowCount(row + 1);
    grid.SetCellEx(0, row, QString::number(row));
    return row;
}

void TFIEC_61850_Access::Remove_Row(TDazColumnGrid &grid, int row, int cols)
{
    if (row < 1 || row >= grid.RowCount())
        return;
    if (grid.RowCount() == 2) {
        for (int c = 1; c < cols; ++c)
            grid.SetCellEx(c, 1, QString());
        return;
    }
    for (int r = row; r < grid.RowCount() - 1; ++r)
        for (int c = 1; c < cols; ++c)
            grid.SetCellEx(c, r, grid.GetCellEx(c, r + 1));
    grid.SetRowCount(grid.RowCount() - 1);
    for (int r = 1; r < grid.RowCount(); ++r)
        grid.SetCellEx(0, r, QString::number(r));
}

void TFIEC_61850_Access::Btn_AddVarClick()
{
    const int k = Chosen_Device();
    if (Selected_IEC_DA) {
        PC_DA_DataSet->setCurrentWidget(TS_DA);
        const int r = New_Row(*ACG_DA);
        const TIEC_DA &da = *Selected_IEC_DA;
        const QString cells[DA_Col_Count] = {QString::number(r), QString::number(k), da.bType(), da.FC(),
                                             da.Reference(), {}, {}, {}, {}, "N", "N", "N"};
        for (int c = 0; c < DA_Col_Count; ++c)
            ACG_DA->SetCellEx(c, r, cells[c]);
        Set_Start_Num_Byte();
    } else if (Selected_IEC_DS) {
        PC_DA_DataSet->setCurrentWidget(TS_DataSet);
        const int r = New_Row(*ACG_DataSet);
        const TIEC_DataSet &ds = *Selected_IEC_DS;
        const QString cells[DS_Col_Count] = {QString::number(r), QString::number(k), ds.Reference(), ds.GooseName(),
                                             ds.GooseName().isEmpty() ? "N" : "Y"};
        for (int c = 0; c < DS_Col_Count; ++c)
            ACG_DataSet->SetCellEx(c, r, cells[c]);
        auto set = std::make_unique<TDataSet>();
        set->Select_DataSet = Selected_IEC_DS;
        for (TIEC_DA *m : ds.List_DA) {
            set->List_DAs.push_back(std::make_unique<TDataSet_DA>());
            set->List_DAs.back()->Select_DA = m;
        }
        // A reused empty row has no data set yet.
        if (size_t(r) <= List_DataSet.size())
            List_DataSet[size_t(r) - 1] = std::move(set);
        else
            List_DataSet.push_back(std::move(set));
    }
}

void TFIEC_61850_Access::Btn_RemoveVarClick()
{
    if (PC_DA_DataSet->currentWidget() == TS_DA) {
        Remove_Row(*ACG_DA, ACG_DA->Row(), DA_Col_Count);
        Set_Start_Num_Byte();
        return;
    }
    const int r = ACG_DataSet->Row();
    if (r < 1 || r >= ACG_DataSet->RowCount())
        return;
    if (size_t(r) <= List_DataSet.size())
        List_DataSet.erase(List_DataSet.begin() + (r - 1));
    Remove_Row(*ACG_DataSet, r, DS_Col_Count);
    // The member grid and its edits follow the data set now current, never the one removed.
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
    struct TSize { const char *Type; const char *Bytes; };
    static const TSize sizes[] = {{"FLOAT32", "4"}, {"INT32U", "4"}, {"INT32", "4"}, {"QUALITY", "4"},
                                  {"FLOAT64", "8"}, {"INT64", "8"},  {"INT8U", "1"}, {"INT8", "1"},
                                  {"BOOLEAN", "1"}, {"TIMESTAMP", "1"}, {"ENUM", "1"}, {"INT16U", "2"},
                                  {"INT16", "2"}};
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        const QString type = UpperCase(ACG_DA->GetCellEx(DA_bType, r));
        const TSize *fixed = nullptr;
        for (const TSize &s : sizes)
            if (type == QLatin1String(s.Type))
                fixed = &s;
        if (fixed) {
            ACG_DA->SetCellEx(DA_StartByte, r, QStringLiteral("0"));
            ACG_DA->SetCellEx(DA_NumByte, r, QLatin1String(fixed->Bytes));
        }
        ACG_DA->SetReadOnly(DA_StartByte, r, fixed != nullptr);
        ACG_DA->SetReadOnly(DA_NumByte, r, fixed != nullptr);
    }
}

void TFIEC_61850_Access::ClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    if (ACol == 0 && ARow > 0)
        Sender->SelectRows(ARow, 1);
    if (Sender == ACG_DataSet)
        Show_DataSet_DAs();
}

void TFIEC_61850_Access::Show_DataSet_DAs(int Row)
{
    const int r = Row < 0 ? ACG_DataSet->Row() : Row;
    const TDataSet *set = r >= 1 && size_t(r) <= List_DataSet.size() ? List_DataSet[size_t(r) - 1].get() : nullptr;
    ACG_DS_Vars->BeginUpdate();
    if (!set || set->List_DAs.empty()) {
        ACG_DS_Vars->SetRowCount(2);
        for (int c = 1; c < DSV_Col_Count; ++c)
            ACG_DS_Vars->SetCellEx(c, 1, QString());
        ACG_DS_Vars->SetCellEx(0, 1, QStringLiteral("1"));
    } else {
        ACG_DS_Vars->SetRowCount(int(set->List_DAs.size()) + 1);
        for (int i = 0; i < int(set->List_DAs.size()); ++i) {
            const TDataSet_DA &m = *set->List_DAs[size_t(i)];
            const QString cells[DSV_Col_Count] = {QString::number(i + 1), m.Select_DA->bType(), m.Select_DA->Reference(),
                                                  m.Position, m.bitAddress, m.conversion, m.multFactor, m.Mnemonic};
            for (int c = 0; c < DSV_Col_Count; ++c)
                ACG_DS_Vars->SetCellEx(c, i + 1, cells[c]);
        }
    }
    ACG_DS_Vars->EndUpdate();
    if (DataSet_Row_Select != 0)
        DataSet_Row_Select = set ? r : 0;
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell(int, int)
{
    DataSet_Row_Select = ACG_DataSet->Row();
}

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(int ACol, int ARow)
{
    if (DataSet_Row_Select <= 0 || size_t(DataSet_Row_Select) > List_DataSet.size())
        return;
    TDataSet &set = *List_DataSet[size_t(DataSet_Row_Select) - 1];
    if (ARow < 1 || size_t(ARow) > set.List_DAs.size())
        return;
    TDataSet_DA &m = *set.List_DAs[size_t(ARow) - 1];
    const QString text = ACG_DS_Vars->GetCellEx(ACol, ARow);
    switch (ACol) {
    case DSV_Position: m.Position = text; break;
    case DSV_StartBit: m.bitAddress = text; break;
    case DSV_Convertion: m.conversion = text; break;
    case DSV_MultFact: m.multFactor = text; break;
    case DSV_Mnemonic: m.Mnemonic = text; break;
    default: break;
    }
}

void TFIEC_61850_Access::ACG_DAGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
{
    if (Sender == ACG_DA && ARow == 0 && ACol > 0)
        hintstr = Hint.value(Sender->RealColIndex(ACol));
    else
        hintstr.clear();
}
