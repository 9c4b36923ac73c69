#include "editors/fieldbus/ruleeditor.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {

constexpr int Title_Height = 69;
constexpr int Band_Height = 40;
constexpr int Button_Width = 110;
constexpr int Button_Height = 28;
constexpr int Button_Left = 16;
constexpr int Button_Gap = 8;

// Swallows the tooltip of a control whose hint the layout does not show; its hint text
// stays readable.
class THint_Off : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *e) override { return e->type() == QEvent::ToolTip; }
};

QLabel *Title_Label(QFrame *panel, const char *name, int top, int pixels, bool bold)
{
    auto *label = new QLabel(panel);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: gray"));
    label->setGeometry(16, top, 900, pixels + 2);
    return label;
}

void Set_Panel_Color(QFrame *panel)
{
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, ToQColor(Form_Color));
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
}

} // namespace

namespace {

const TStringList &Cached_Numbers(int count, bool none)
{
    static std::map<std::pair<int, bool>, TStringList> lists;
    auto it = lists.find({count, none});
    if (it == lists.end()) {
        TStringList items;
        if (none)
            items.Add(QStringLiteral("None"));
        for (int i = 0; i < count; ++i)
            items.Add(IntToStr(i));
        it = lists.emplace(std::pair{count, none}, std::move(items)).first;
    }
    return it->second;
}

} // namespace

const TStringList &Rule_Number_Items(int count) { return Cached_Numbers(count, false); }

const TStringList &Rule_None_Number_Items(int count) { return Cached_Numbers(count, true); }

void Rule_Set_Items(TDazColumnGrid &grid, int col, const TStringList &items)
{
    TGridColumnItem *item = grid.ColumnOf(col);
    if (!item)
        return;
    grid.BeginUpdate();
    item->SetComboItems(items);
    grid.EndUpdate();
}

void Rule_Set_Number_Items(TDazColumnGrid &grid, int col, int count)
{
    Rule_Set_Items(grid, col, Rule_Number_Items(count));
}

TRule_Editor::TRule_Editor(const TRule_Editor_Desc &desc, const QString &path, QWidget *parent)
    : QDialog(parent), XML1(std::make_unique<TXmlDocument>()), desc_(desc), path_(&path)
{
    setObjectName(QLatin1String(desc.Form_Name));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    P_Title = new QFrame(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    P_Title->setFixedHeight(Title_Height);
    Set_Panel_Color(P_Title);
    L_SW_Code = Title_Label(P_Title, "L_SW_Code", 8, 32, false);
    L_SW_Desc = Title_Label(P_Title, "L_SW_Desc", 42, 11, true);
    layout->addWidget(P_Title);

    Tables.resize(desc.Tables.size());
    for (const TRule_Table_Desc &table : desc.Tables)
        rows_.push_back(table.Rows);
    if (Tables.size() > 1) {
        PageControl1 = new QTabWidget(this);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        layout->addWidget(PageControl1, 1);
    }
    for (int t = 0; t < Table_Count(); ++t) {
        Build_Grid(t);
        if (!PageControl1)
            layout->addWidget(Tables[size_t(t)].Grid, 1);
    }

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(Band_Height);
    Set_Panel_Color(P_Button);
    // Name and layout caption; a caption without a text number keeps this one.
    struct TButton_Def
    {
        TLbButton **Button;
        const char *Name;
        const char *Caption;
    };
    std::vector<TButton_Def> buttons = {{&Btn_OK, "Btn_OK", "OK"}, {&Btn_Cancel, "Btn_Cancel", "Cancel"}};
    if (desc.Row_Buttons)
        buttons.insert(buttons.end(), {{&Btn_DelRow, "Btn_DelRow", "Delete Row"},
                                       {&Btn_InsRow, "Btn_InsRow", "Insert Row"},
                                       {&Btn_CopyRow, "Btn_CopyRow", "Copy Row"},
                                       {&Btn_PasteRow, "Btn_PasteRow", "Paste Row"}});
    auto *hint_off = desc.Buttons_Show_Hints ? nullptr : new THint_Off(this);
    int left = Button_Left;
    int index = 0;
    for (const auto &[button, name, caption] : buttons) {
        *button = new TLbButton(P_Button);
        (*button)->setObjectName(QLatin1String(name));
        (*button)->SetCaption(QLatin1String(caption));
        (*button)->setGeometry(left, (Band_Height - Button_Height) / 2, Button_Width, Button_Height);
        Set_Button_Look(*button);
        const bool hinted = std::find(desc.Hinted_Buttons.begin(), desc.Hinted_Buttons.end(), index) !=
                            desc.Hinted_Buttons.end();
        if (hint_off && !hinted)
            (*button)->installEventFilter(hint_off);
        left += Button_Width + Button_Gap;
        ++index;
    }
    layout->addWidget(P_Button);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);
    if (desc.Row_Buttons) {
        Btn_DelRow->OnClick = [this](QObject *) { Btn_DelRowClick(); };
        Btn_InsRow->OnClick = [this](QObject *) { Btn_InsRowClick(); };
        Btn_CopyRow->OnClick = [this](QObject *) { Btn_CopyRowClick(); };
        Btn_PasteRow->OnClick = [this](QObject *) { Btn_PasteRowClick(); };
    }
}

TRule_Editor::~TRule_Editor() = default;

void TRule_Editor::Build_Grid(int t)
{
    const TRule_Table_Desc &table = desc_.Tables[size_t(t)];
    TTable_State &state = Tables[size_t(t)];
    QWidget *owner = this;
    if (PageControl1) {
        state.Sheet = new QWidget(PageControl1);
        state.Sheet->setObjectName(QLatin1String(table.Sheet_Name));
        auto *box = new QVBoxLayout(state.Sheet);
        box->setContentsMargins(0, 0, 0, 0);
        PageControl1->addTab(state.Sheet, QString());
        owner = state.Sheet;
    }
    auto *grid = new TDazColumnGrid(owner);
    grid->setObjectName(QLatin1String(table.Grid_Name));
    if (state.Sheet)
        state.Sheet->layout()->addWidget(grid);
    state.Grid = grid;

    grid->BeginUpdate();
    grid->SetColCount(table.Col_Count());
    grid->SetRowCount(table.Rows + 1);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    TGridOptions options = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    if (table.Col_Sizing)
        options.Include(goColSizing);
    if (table.Row_Sizing)
        options.Include(goRowSizing);
    if (table.Draw_Focus_Selected)
        options.Include(goDrawFocusSelected);
    if (table.In_Place_Edit)
        options.Include(goEditing);
    grid->SetOptions(options);
    grid->SetShowHint(table.Show_Hints);
    for (int c = 0; c < table.Col_Count(); ++c) {
        const TRule_Column_Desc &col = table.Columns[size_t(c)];
        grid->SetColWidths(c, col.Width);
        if (c == 0)
            continue;
        TGridColumnItem *item = grid->Columns().Items(c);
        switch (col.Cell) {
        case TRule_Cell::Text:
            break;
        case TRule_Cell::Check:
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
            break;
        case TRule_Cell::Pick:
        case TRule_Cell::Pick_Edit:
            item->SetEditor(col.Cell == TRule_Cell::Pick ? edComboList : edComboEdit);
            item->SetComboItems(TStringList(col.Items));
            break;
        }
    }
    grid->EndUpdate();
    Connect_Grid(grid);
}

void TRule_Editor::Connect_Grid(TDazColumnGrid *grid)
{
    grid->OnClickCell = [this, grid](TObject *, int ARow, int ACol) { ClickCell(grid, ARow, ACol); };
    grid->OnDblClickCell = [this, grid](TObject *, int ARow, int ACol) { DblClickCell(grid, ARow, ACol); };
    grid->OnKeyPress = [this, grid](TObject *, QChar &Key) { KeyPress(grid, Key); };
    grid->OnGridHint = [this, grid](TObject *, int ARow, int ACol, QString &hintstr) {
        GridHint(grid, ARow, ACol, hintstr);
    };
    grid->OnComboChange = [this, grid](TObject *, int ACol, int ARow, int AItemIndex, const QString &) {
        ComboChange(grid, ACol, ARow, AItemIndex);
    };
}

void TRule_Editor::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    if (desc_.Client_Height > 0)
        resize(desc_.Client_Width, desc_.Client_Height);
    else
        resize(desc_.Client_Width, height());
    for (TTable_State &state : Tables)
        state.Hints.clear();
    Set_Lang();
}

int TRule_Editor::exec()
{
    FormShow();
    Centre_On_Screen(this);
    return QDialog::exec();
}

void TRule_Editor::Insert_Body(QWidget *body)
{
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, body, 1);
}

void TRule_Editor::Set_Table_Rows(int table, int rows)
{
    rows_[size_t(table)] = rows;
    Tables[size_t(table)].Grid->SetRowCount(rows + 1);
}

void TRule_Editor::reject() { done(mrCancel); }

void TRule_Editor::FormShow()
{
    Show_Setup();
    TRule_Data data = Rule_Reset_Data(desc_, rows_);
    Show_Prepare();
    if (PageControl1)
        PageControl1->setCurrentIndex(0);
    const QString error = Rule_Load(desc_, Path(), data, *this, *XML1);
    Put_Data(data);
    Show_Loaded();
    // Cleared on a failed load too: a copy of an earlier showing must never be pasted.
    for (TTable_State &state : Tables)
        state.Do_Copy = false;
    if (desc_.Focus_On_Show && !Tables.empty())
        Tables.front().Grid->setFocus();
    if (!error.isEmpty())
        MessageError(error, {}, this);
}

TRule_Data TRule_Editor::Grid_Data() const
{
    TRule_Data data;
    data.reserve(Tables.size());
    for (const TTable_State &state : Tables) {
        TDazColumnGrid &grid = *state.Grid;
        const int cols = grid.AllColCount();
        TRule_Rows rows;
        rows.reserve(size_t(std::max(0, grid.RowCount() - 1)));
        for (int r = 1; r < grid.RowCount(); ++r) {
            QStringList cells;
            cells.reserve(cols);
            for (int c = 0; c < cols; ++c)
                cells.append(grid.GetCellEx(c, r));
            rows.push_back(std::move(cells));
        }
        data.push_back(std::move(rows));
    }
    return data;
}

void TRule_Editor::Put_Data(const TRule_Data &data)
{
    for (size_t t = 0; t < Tables.size() && t < data.size(); ++t) {
        TDazColumnGrid &grid = *Tables[t].Grid;
        const int cols = grid.AllColCount();
        grid.BeginUpdate();
        const TRule_Rows &rows = data[t];
        for (size_t i = 0; i < rows.size() && int(i) + 1 < grid.RowCount(); ++i)
            for (int c = 0; c < cols; ++c)
                grid.SetCellEx(c, int(i) + 1, rows[i].value(c));
        grid.EndUpdate();
    }
}

bool TRule_Editor::Controllo_dati()
{
    Check_Begin();
    const QString error = Rule_Validate(desc_, Grid_Data(), *this);
    if (error.isEmpty())
        return true;
    MessageError(error, {}, this);
    return false;
}

void TRule_Editor::Btn_OKClick()
{
    const TRule_Data data = Grid_Data();
    Check_Begin();
    const QString error = Rule_Validate(desc_, data, *this);
    if (!error.isEmpty()) {
        MessageError(error, {}, this);
        return;
    }
    try {
        Rule_Save(desc_, data, *this, Path(), *XML1);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}

int TRule_Editor::Active_Table() const
{
    return PageControl1 ? std::max(0, PageControl1->currentIndex()) : 0;
}

int TRule_Editor::Table_Of(const TDazStringGrid *grid) const
{
    for (size_t t = 0; t < Tables.size(); ++t)
        if (Tables[t].Grid == grid)
            return int(t);
    return -1;
}

void TRule_Editor::Btn_DelRowClick()
{
    if (Tables.empty())
        return;
    TDazColumnGrid *grid = Active_Grid();
    const int row = grid->Row();
    if (row < 1 || row >= grid->RowCount())
        return;
    if (!MessageYesNo(Lang_Text(desc_.Delete_Question) + IntToStr(row), {}, this))
        return;
    if (desc_.Check_Routines)
        Grid_Delete_Row_Check(row, *grid, desc_.Tables[size_t(Active_Table())].Insert_Enable);
    else
        Grid_Delete_Row(row, *grid);
}

void TRule_Editor::Btn_InsRowClick()
{
    TDazColumnGrid *grid = Active_Grid();
    const bool enable = desc_.Tables[size_t(Active_Table())].Insert_Enable;
    if (desc_.Check_Routines)
        Grid_Insert_Row_Check(grid->Row(), *grid, enable);
    else
        Grid_Insert_Row(grid->Row(), *grid, enable);
}

void TRule_Editor::Btn_CopyRowClick()
{
    const int active = Active_Table();
    TDazColumnGrid *grid = Grid(active);
    if (desc_.Check_Routines)
        Grid_Copy_Row_Check(*grid, grid->Row());
    else
        Grid_Copy_Row(*grid, grid->Row());
    for (int t = 0; t < Table_Count(); ++t)
        Tables[size_t(t)].Do_Copy = t == active;
}

void TRule_Editor::Btn_PasteRowClick()
{
    const int active = Active_Table();
    TDazColumnGrid *grid = Grid(active);
    const bool copied = Tables[size_t(active)].Do_Copy;
    if (desc_.Check_Routines)
        Grid_Paste_Row_Check(*grid, grid->Row(), copied);
    else
        Grid_Paste_Row(*grid, grid->Row(), copied);
}

void TRule_Editor::ClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    if (ACol == 0 && ARow > 0)
        Sender->SelectRows(ARow, 1);
}

void TRule_Editor::DblClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    Grid_Auto_Size_Column(*Sender, ARow, ACol);
}

void TRule_Editor::KeyPress(TDazStringGrid *Sender, QChar &Key)
{
    const int t = Table_Of(Sender);
    if (t >= 0 && desc_.Tables[size_t(t)].Key_Press)
        Grid_Enter_Next_Cell(*Sender, Key);
}

void TRule_Editor::GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
{
    const int t = Table_Of(Sender);
    if (t < 0)
        return;
    const TRule_Table_Desc &table = desc_.Tables[size_t(t)];
    if (table.Hint == TRule_Hint::None)
        return;
    if (ARow == 0 && ACol > 0) {
        const int col = table.Hint == TRule_Hint::Real ? Sender->RealColIndex(ACol) : ACol;
        hintstr = Tables[size_t(t)].Hints.value(col - 1);
    } else if (table.Clear_Other_Hints) {
        hintstr.clear();
    }
}

void TRule_Editor::ComboChange(TDazStringGrid *, int, int, int) {}

void TRule_Editor::Set_Lang()
{
    setWindowTitle(Lang_Text(desc_.Caption));
    L_SW_Desc->setText(Lang_Text(desc_.Description));
    TLbButton *const order[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (size_t i = 0; i < std::size(order); ++i) {
        if (!order[i])
            continue;
        if (i < desc_.Button_Captions.size() && desc_.Button_Captions[i] >= 0)
            order[i]->SetCaption(Lang_Text(desc_.Button_Captions[i]));
        if (i < desc_.Button_Hints.size() && desc_.Button_Hints[i] >= 0)
            order[i]->SetHint(Lang_Text(desc_.Button_Hints[i]));
    }
    for (int t = 0; t < Table_Count(); ++t) {
        const TRule_Table_Desc &table = desc_.Tables[size_t(t)];
        const TTable_State &state = Tables[size_t(t)];
        if (PageControl1)
            PageControl1->setTabText(t, Lang_Text(table.Tab_Caption));
        for (int c = 0; c < table.Col_Count(); ++c) {
            const int header = table.Columns[size_t(c)].Header;
            const QString text = header >= 0 ? Lang_Text(header) : QString();
            if (desc_.Headers_In_Cells)
                state.Grid->SetCellEx(c, 0, text);
            else
                state.Grid->Columns().Items(c)->SetHeader(text);
        }
        Refill_Hints(t);
    }
}

void TRule_Editor::Refill_Hints(int t)
{
    const TRule_Table_Desc &table = desc_.Tables[size_t(t)];
    QStringList &hints = Tables[size_t(t)].Hints;
    hints.clear();
    for (int c = 1; c < table.Col_Count(); ++c) {
        const int hint = table.Columns[size_t(c)].Hint;
        hints.append(hint >= 0 ? Lang_Text(hint) : QString());
    }
}
