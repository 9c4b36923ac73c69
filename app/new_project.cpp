#include "app/new_project.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFNew_Project *FNew_Project = nullptr;

TFNew_Project::TFNew_Project(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(Create_Title_Panel(this, L_SW_Code, L_SW_Desc));
    Label1 = new QLabel(this);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->addWidget(Label1);
    body->addWidget(E_New_Proj);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addWidget(Create_Button_Panel(this, Btn_OK, Btn_Cancel));
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);
    // Enter in the name field acts as OK.
    connect(E_New_Proj, &QLineEdit::returnPressed, this, [this] { Btn_OKClick(); });

    L_SW_Code->setText(SW_Code);
    setFixedSize(331, 162);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(Lang_Text(100));
    L_SW_Desc->setText(Lang_Text(101));
    Label1->setText(Lang_Text(102));
    Btn_OK->SetCaption(Lang_Text(103));
    Btn_Cancel->SetCaption(Lang_Text(104));
    E_New_Proj->setToolTip(Lang_Text(108));
    Btn_OK->SetHint(Lang_Text(109));
    Btn_Cancel->SetHint(Lang_Text(110));
}

void TFNew_Project::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFNew_Project::FormShow()
{
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

bool Is_Safe_Project_Name(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

namespace {

// A project folder of that name in any letter case, as the engineer's file system sees it.
bool Project_Folder_Exists(const QString &name)
{
    for (const QString &dir : List_Dirs(Projects_Dir))
        if (dir.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    if (name.isEmpty()) {
        MessageError(Lang_Text(107), {}, this);
        return;
    }
    if (!Is_Safe_Project_Name(name)) {
        MessageError(Lang_Text(105), {}, this);
        return;
    }
    const QString path = Projects_Dir + QLatin1Char('/') + name;
    if (Dir_Exists(path) || Project_Folder_Exists(name)) {
        MessageError(Lang_Text(106), {}, this);
        return;
    }
    if (!QDir().mkdir(path)) {
        MessageError(Lang_Text(105), {}, this);
        return;
    }
    Force_Dir(path + QStringLiteral("/bin"));   // not reported; the compiler makes it again
    Project_Name = name;
    Project_Path = path;
    Set_Files();
    done(mrOk);
}
