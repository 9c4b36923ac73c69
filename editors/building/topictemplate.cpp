#include "editors/building/topictemplate.h"

#include "app/comon.h"
#include "editors/building/dialogparts.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazstringgrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TFTopicTemplate *FTopicTemplate = nullptr;

namespace {

constexpr int Client_Width = 635;
constexpr int Client_Height = 396;

} // namespace

TFTopicTemplate::TFTopicTemplate(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Dialog_Layout(this, "FTopicTemplate", L_SW_Code, L_SW_Desc, 4);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    RE_TopicTemplate = new QPlainTextEdit(this);
    RE_TopicTemplate->setObjectName(QStringLiteral("RE_TopicTemplate"));
    body->addWidget(RE_TopicTemplate, 1);
    auto *legend = new QVBoxLayout;
    L_List_Keywords = new QLabel(this);
    L_List_Keywords->setObjectName(QStringLiteral("L_List_Keywords"));
    legend->addWidget(L_List_Keywords);
    RUD_Keywords = new TDazStringGrid(this);
    RUD_Keywords->setObjectName(QStringLiteral("RUD_Keywords"));
    RUD_Keywords->BeginUpdate();
    RUD_Keywords->SetColCount(2);
    RUD_Keywords->SetRowCount(2);
    RUD_Keywords->SetFixedCols(0);
    RUD_Keywords->SetFixedRows(1);
    RUD_Keywords->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goColSizing});
    RUD_Keywords->SetColWidths(0, 90);
    RUD_Keywords->SetColWidths(1, 160);
    RUD_Keywords->EndUpdate();
    legend->addWidget(RUD_Keywords, 1);
    body->addLayout(legend);
    layout->addLayout(body, 1);
    layout->addWidget(Create_Button_Panel(this, Btn_OK, Btn_Cancel));
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);

    L_SW_Code->setText(SW_Code);
    resize(Client_Width, Client_Height);
    Set_Lang();
}

int TFTopicTemplate::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFTopicTemplate::Set_Lang()
{
    setWindowTitle(Lang_Text(5300));
    L_SW_Desc->setText(Lang_Text(5302));
    L_List_Keywords->setText(Lang_Text(5304));
    RUD_Keywords->SetCellEx(0, 0, Lang_Text(5305));
    RUD_Keywords->SetCellEx(1, 0, Lang_Text(5306));
    Btn_OK->SetCaption(Lang_Text(5307));
    Btn_Cancel->SetCaption(Lang_Text(5308));
}

void TFTopicTemplate::FormShow()
{
    const bool templ = TopicTemplate != 0;
    setWindowTitle(Lang_Text(templ ? 5301 : 5300));
    L_SW_Desc->setText(Lang_Text(templ ? 5303 : 5302));
    Laod_Keywords();
    RE_TopicTemplate->setFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    // This gateway's templates know no keywords beyond the "$VALUE$" the tables offer.
    const QStringList keywords, descriptions;
    const int rows = std::max<int>(1, int(keywords.size()));
    RUD_Keywords->BeginUpdate();
    RUD_Keywords->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        RUD_Keywords->SetCellEx(0, r, keywords.value(r - 1));
        RUD_Keywords->SetCellEx(1, r, descriptions.value(r - 1));
        RUD_Keywords->SetReadOnly(0, r, false);
        RUD_Keywords->SetReadOnly(1, r, true);
    }
    RUD_Keywords->EndUpdate();
}
