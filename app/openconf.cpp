#include "app/openconf.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/rtl.h"

#include <QDir>
#include <QListWidget>
#include <QSignalBlocker>

TFOpenConf *FOpenConf = nullptr;

TFOpenConf::TFOpenConf(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Build_Dialog_Frame(this, ListBox1, true, Frame());
    Btn_OK->SetModalResult(mrOk);
    // Mouse and keyboard both change the choice.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });

    resize(377, 351);
    Set_Lang();
}

TDialog_Frame TFOpenConf::Frame()
{
    return {L_SW_Code, L_SW_Desc, Label1, Btn_OK, Btn_Cancel};
}

void TFOpenConf::Set_Lang()
{
    Set_Dialog_Frame_Texts(this, ListBox1, 200, 205, Frame());
}

void TFOpenConf::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFOpenConf::Load_Existing_Configuration()
{
    // Empty when the folder is missing or unreadable. Sorted without regard to case, as the
    // engineer's file system lists folders; a Linux directory has no order of its own.
    SL = QDir(Projects_Dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                      QDir::Name | QDir::IgnoreCase);
    // A folder made by hand with a name no project may have ("a\b", a control character)
    // could not be opened as itself.
    SL.removeIf([](const QString &name) { return !Is_Safe_Project_Name(name); });
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
