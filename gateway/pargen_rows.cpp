#include "gateway/pargen_rows.h"

#include "app/language.h"
#include "gateway/categorypanel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>

using namespace ParGen_Grid;

QLabel *TPanel_Builder::Label(const QString &name, int row, int caption)
{
    auto *label = new QLabel(content_);
    label->setObjectName(name);
    label->setGeometry(Label_Left, Label_Top(row), Input_Left - Label_Left - 4, Label_Height);
    texts_.push_back({label, caption, -1});
    return label;
}

QLineEdit *TPanel_Builder::Edit(const QString &name, int row, int hint, int max_length)
{
    auto *edit = new QLineEdit(content_);
    edit->setObjectName(name);
    edit->setGeometry(Input_Left, Input_Top(row), Input_Width, Input_Height);
    if (max_length > 0)
        edit->setMaxLength(max_length);
    texts_.push_back({edit, -1, hint});
    return edit;
}

namespace {

class TItem_Delegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        return Shown_Item_Text(QStyledItemDelegate::displayText(value, locale));
    }
};

class TList_Combo : public QComboBox
{
public:
    explicit TList_Combo(QWidget *parent) : QComboBox(parent) { setItemDelegate(new TItem_Delegate(this)); }

    void showPopup() override
    {
        view()->setMinimumWidth(List_Width(this));
        QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText = Shown_Item_Text(opt.currentText);
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        p.drawControl(QStyle::CE_ComboBoxLabel, opt);
    }
};

} // namespace

QString Shown_Item_Text(const QString &item)
{
    QString shown = item;
    shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return shown;
}

QComboBox *New_List_Combo(QWidget *parent)
{
    return new TList_Combo(parent);
}

int List_Width(const QComboBox *combo)
{
    const QFontMetrics metrics(combo->view()->font());
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(Shown_Item_Text(combo->itemText(i))));
    // The item's own margins, the list's frame and a scroll bar when the list scrolls.
    const QStyle *style = combo->view()->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, combo->view()) + 1) + 8;
    const int frame = 2 * combo->view()->frameWidth();
    const int scroll = combo->count() > combo->maxVisibleItems()
                           ? style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo->view())
                           : 0;
    return std::max(combo->width(), widest + margins + frame + scroll);
}

QComboBox *TPanel_Builder::Combo(const QString &name, int row, int hint, const QStringList &items)
{
    auto *combo = New_List_Combo(content_);
    combo->setObjectName(name);
    combo->setGeometry(Input_Left, Input_Top(row), Input_Width, Input_Height);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    texts_.push_back({combo, -1, hint});
    return combo;
}

QCheckBox *TPanel_Builder::Check(const QString &name, int row, int caption, int hint, bool wide)
{
    auto *box = new QCheckBox(content_);
    box->setObjectName(name);
    box->setGeometry(Label_Left, Label_Top(row),
                     (wide ? Input_Left + Input_Width : Input_Left - 4) - Label_Left, Check_Height);
    texts_.push_back({box, caption, hint});
    return box;
}

TOctets TPanel_Builder::Octets(const QString &prefix, int row, int first_hint)
{
    TOctets octets;
    for (int i = 0; i < 4; ++i) {
        auto *edit = new QLineEdit(content_);
        edit->setObjectName(prefix + QString::number(i + 1));
        edit->setGeometry(Input_Left + i * 61, Input_Top(row), Octet_Width, Input_Height);
        edit->setAlignment(Qt::AlignCenter);
        texts_.push_back({edit, -1, first_hint + i});
        octets[i] = edit;
        if (i < 3) {
            auto *dot = new QLabel(QStringLiteral("."), content_);
            dot->setObjectName(prefix + QStringLiteral("_Dot") + QString::number(i + 1));
            dot->setGeometry(Input_Left + 56 + i * 61, Label_Top(row), 4, Label_Height);
        }
    }
    return octets;
}

int Flow_Rows(const std::vector<std::pair<TPanel_Row, bool>> &rows, int y)
{
    for (const auto &[row, shown] : rows) {
        if (row.Label) {
            row.Label->setVisible(shown);
            if (shown)
                row.Label->move(row.Label->x(), y);
        }
        for (QWidget *input : row.Inputs) {
            input->setVisible(shown);
            if (shown)
                input->move(input->x(), y - 3);
        }
        if (shown)
            y += Row_Pitch;
    }
    return y;
}

int Panel_Height(const QWidget *anchor)
{
    return anchor->y() + anchor->height() + TCategoryPanelGroup::Header_Height + 12;
}

void Apply_Texts(const std::vector<TText_Binding> &texts)
{
    for (const TText_Binding &t : texts) {
        if (t.Caption >= 0) {
            if (auto *label = qobject_cast<QLabel *>(t.Control))
                label->setText(Lang_Text(t.Caption));
            else if (auto *box = qobject_cast<QCheckBox *>(t.Control))
                box->setText(Lang_Text(t.Caption));
        }
        if (t.Hint >= 0)
            t.Control->setToolTip(Lang_Text(t.Hint));
    }
}
