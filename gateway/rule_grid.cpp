#include "gateway/rule_grid.h"

#include "app/formparts.h"
#include "app/language.h"
#include "grid/string/dazcolumngrid.h"

#include <QDialog>
#include <QFrame>
#include <QVBoxLayout>

namespace {
constexpr int Row_Height = 22;
}

void Setup_Rule_Grid(TDazStringGrid &Grid, const TRule_Columns &cols, int RowCount, bool editable)
{
    auto *column_grid = dynamic_cast<TDazColumnGrid *>(&Grid);
    if (column_grid)
        column_grid->SetColCount(int(cols.size()));
    else
        Grid.SetColCount(int(cols.size()));
    Grid.SetRowCount(RowCount);
    Grid.SetFixedCols(1);
    Grid.SetFixedRows(1);
    Grid.SetDefaultRowHeight(Row_Height);
    Grid.SetFixedRowHeight(Row_Height);
    Grid.SetWordWrap(false);   // headers on one line in their 22 pixels
    TGridOptions options{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing};
    if (editable)
        options.Include(goEditing);
    Grid.SetOptions(options);
    // The windows show hints; the rule windows give the header cells theirs (GridHint).
    Grid.SetShowHint(true);
    for (size_t c = 0; c < cols.size(); ++c)
        Grid.SetColWidths(int(c), cols[c].Width);
    if (!column_grid)
        return;
    for (size_t c = 1; c < cols.size(); ++c) {
        const TRule_Column &col = cols[c];
        TGridColumnItem *item = column_grid->Columns().Items(int(c));
        if (col.Color != clNone)
            item->SetColor(col.Color);
        if (col.Check) {
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
        } else if (!col.Combo.isEmpty()) {
            item->SetEditor(edComboEdit);
            TStringList items;
            for (const QString &text : col.Combo)
                items.Add(text);
            item->SetComboItems(items);
        }
    }
}

void Set_Rule_Headers(TDazStringGrid &Grid, const TRule_Columns &cols)
{
    auto *column_grid = dynamic_cast<TDazColumnGrid *>(&Grid);
    for (int c = 0; c < int(cols.size()) && c < Grid.AllColCount(); ++c) {
        const QString text = cols[size_t(c)].Header >= 0 ? Lang_Text(cols[size_t(c)].Header) : QString();
        if (column_grid)
            column_grid->Columns().Items(c)->SetHeader(text);
        else
            Grid.SetCellEx(c, 0, text);
    }
}

void Put_Rows(TDazStringGrid &Grid, const std::vector<QStringList> &rows)
{
    Grid.BeginUpdate();
    const int cols = Grid.AllColCount();
    for (size_t i = 0; i < rows.size() && int(i) + 1 < Grid.RowCount(); ++i)
        for (int c = 0; c < cols; ++c)
            Grid.SetCellEx(c, int(i) + 1, rows[i].value(c));
    Grid.EndUpdate();
}

std::vector<QStringList> Get_Rows(TDazStringGrid &Grid)
{
    std::vector<QStringList> rows;
    const int cols = Grid.AllColCount();
    rows.reserve(size_t(std::max(0, Grid.RowCount() - 1)));
    for (int r = 1; r < Grid.RowCount(); ++r) {
        QStringList row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row.append(Grid.GetCellEx(c, r));
        rows.push_back(std::move(row));
    }
    return rows;
}

QVBoxLayout *Create_Rule_Window(QDialog *form, const char *name, QFrame *&P_Title, QLabel *&L_SW_Code,
                                QLabel *&L_SW_Desc)
{
    form->setObjectName(QLatin1String(name));
    form->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(form);
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    P_Title = Create_Title_Panel(form, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    return layout;
}

void Set_Row_Button_Texts(const std::vector<TLbButton *> &buttons, int caption, int hint)
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->SetCaption(Lang_Text(caption + int(i)));
        buttons[i]->SetHint(Lang_Text(hint + int(i)));
    }
}

QFrame *Create_Button_Band(QWidget *form, const TButton_List &buttons, int width)
{
    auto *band = new QFrame(form);
    band->setObjectName(QStringLiteral("P_Button"));
    band->setFixedHeight(40);
    int left = 0;
    for (const auto &[button, name] : buttons) {
        *button = new TLbButton(band);
        Set_Button_Look(*button);
        (*button)->setObjectName(QLatin1String(name));
        (*button)->setGeometry(left, 6, width, 28);
        left += width;
    }
    return band;
}
