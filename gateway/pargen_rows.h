#pragma once
// The design grid of the communication settings panels and the controls placed on it:
// labels at the left, inputs from x 191, rows 28 pixels apart, an address as four octet
// edits with dots between them. Also the list of texts Set_Lang puts into the controls.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace ParGen_Grid {
constexpr int Label_Left = 14;
constexpr int Input_Left = 191;
constexpr int Input_Width = 238;
constexpr int Row_Pitch = 28;
constexpr int Octet_Width = 55;
constexpr int Input_Height = 21;
constexpr int Label_Height = 16;
constexpr int Check_Height = 17;
constexpr int Label_Top(int row) { return 12 + row * Row_Pitch; }   // row 0 is the first
constexpr int Input_Top(int row) { return 9 + row * Row_Pitch; }
} // namespace ParGen_Grid

using TOctets = std::array<QLineEdit *, 4>;

// The text of a list item as the panels show it: a tab is one blank, as the original
// platform's lists draw it (they set no tab stops). The item text itself keeps its tab.
QString Shown_Item_Text(const QString &item);

// The panels' drop-down list: items shown with Shown_Item_Text, and a list at least as wide
// as its widest item, so long items (the data rates) show whole.
QComboBox *New_List_Combo(QWidget *parent);
// The width the list of combo needs to show every item whole.
int List_Width(const QComboBox *combo);

// A caption and a hint of a control, by UI text number (-1: none).
struct TText_Binding
{
    QWidget *Control;
    int Caption;
    int Hint;
};

// One row of a panel: its label, or its check box, and the inputs beside it.
struct TPanel_Row
{
    QWidget *Label = nullptr;
    std::vector<QWidget *> Inputs;
};

// Builds the controls of one panel and remembers their texts.
class TPanel_Builder
{
public:
    TPanel_Builder(QWidget *content, std::vector<TText_Binding> &texts) : content_(content), texts_(texts) {}

    QLabel *Label(const QString &name, int row, int caption);
    QLineEdit *Edit(const QString &name, int row, int hint, int max_length = 0);
    QComboBox *Combo(const QString &name, int row, int hint, const QStringList &items = {});
    // A wide box spans the row; a narrow one leaves the input column to octets.
    QCheckBox *Check(const QString &name, int row, int caption, int hint, bool wide = true);
    // Four octet edits named prefix1 to prefix4 with hints first_hint to first_hint + 3.
    TOctets Octets(const QString &prefix, int row, int first_hint);

private:
    QWidget *content_;
    std::vector<TText_Binding> &texts_;
};

// Shows the rows from y down, 28 apart (label at y, input 3 above it, a check box at y),
// and hides the others; returns the y after the last shown row.
int Flow_Rows(const std::vector<std::pair<TPanel_Row, bool>> &rows, int y);

// Bottom edge of the control plus the header and a 12-pixel margin: the panel's height.
int Panel_Height(const QWidget *anchor);

void Apply_Texts(const std::vector<TText_Binding> &texts);
