#include "app/openconf.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFOpenConf *FOpenConf = nullptr;

TFOpenConf::TFOpenConf(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMaximizeButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(Create_Title_Panel(this, L_SW_Code, L_SW_Desc));
    Label1 = new QLabel(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->addWidget(Label1);
    body->addWidget(ListBox1, 1);
    layout->addLayout(body, 1);
    layout->addWidget(Create_Button_Panel(this, Btn_OK, Btn_Cancel));
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);
    // Mouse and keyboard both change the choice.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });

    L_SW_Code->setText(SW_Code);
    resize(377, 351);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(Lang_Text(200));
    L_SW_Desc->setText(Lang_Text(201));
    Label1->setText(Lang_Text(202));
    Btn_OK->SetCaption(Lang_Text(203));
    Btn_Cancel->SetCaption(Lang_Text(204));
    ListBox1->setToolTip(Lang_Text(205));
    Btn_OK->SetHint(Lang_Text(206));
    Btn_Cancel->SetHint(Lang_Text(207));
}

void TFOpenConf::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL = List_Dirs(Projects_Dir);   // empty when the folder is missing or unreadable
}

int TFOpenConf::Search_Open_Conf(const QString &name) const
{
    const QString upper = UpperCase(name);
    for (int i = 0; i < SL.size(); ++i)
        if (UpperCase(SL.at(i)) == upper)
            return i;
    return -1;
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    // Preselecting is not a choice of the engineer's: it must not run ListBox1Click.
    const QSignalBlocker block(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(SL);
    const QString current = Copy(Project_Path, Projects_Dir.size() + 2, Project_Path.size());
    int index = Search_Open_Conf(current);
    if (index < 0 && !SL.isEmpty())
        index = 0;
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        Name_Conf = SL.at(index);
    }
}

void TFOpenConf::ListBox1Click()
{
    if (QListWidgetItem *item = ListBox1->currentItem())
        Name_Conf = item->text();
}
