#include "app/new_project.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QDir>
#include <QLineEdit>

TFNew_Project *FNew_Project = nullptr;

TFNew_Project::TFNew_Project(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    Build_Dialog_Frame(this, E_New_Proj, false, Frame());
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    // Enter in the name field acts as OK.
    connect(E_New_Proj, &QLineEdit::returnPressed, this, [this] { Btn_OKClick(); });

    setFixedSize(331, 162);
    Set_Lang();
}

TDialog_Frame TFNew_Project::Frame()
{
    return {L_SW_Code, L_SW_Desc, Label1, Btn_OK, Btn_Cancel};
}

void TFNew_Project::Set_Lang()
{
    Set_Dialog_Frame_Texts(this, E_New_Proj, 100, 108, Frame());
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
    const QString path = Project_Folder(name);
    if (path.isEmpty()) {
        MessageError(Lang_Text(105), {}, this);
        return;
    }
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
