#include "editors/building/profinetfilename.h"

#include "app/comon.h"
#include "editors/building/dialogparts.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFProfinetFileName *FProfinetFileName = nullptr;

namespace {

constexpr int Client_Width = 540;
constexpr int Client_Height = 205;

} // namespace

TFProfinetFileName::TFProfinetFileName(QWidget *parent, const QDate &today) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Dialog_Layout(this, "FProfinetFileName", L_SW_Code, L_SW_Desc);

    auto *body = new QFrame(this);
    body->setObjectName(QStringLiteral("P_Name"));
    body->setFixedHeight(Client_Height - 69 - 41);
    L_Select_Name = New_Label(body, "L_Select_Name", 16, 6, 500);
    QFont bold = L_Select_Name->font();
    bold.setBold(true);
    L_Select_Name->setFont(bold);
    L_FixPart_1 = New_Label(body, "L_FixPart_1", 16, 32, 150);
    L_UsedPart = New_Label(body, "L_UsedPart", 179, 32, 150);
    L_FixPart_2 = New_Label(body, "L_FixPart_2", 447, 32, 90);
    L_XML_Fix1 = New_Label(body, "L_XML_Fix1", 16, 56, 160);
    L_XML_Fix1->setText(QStringLiteral("GSDML-V2.25-Qelvar-"));
    E_XML_User = new QLineEdit(body);
    E_XML_User->setObjectName(QStringLiteral("E_XML_User"));
    E_XML_User->setGeometry(179, 53, 267, 22);
    L_XML_Fix2 = New_Label(body, "L_XML_Fix2", 447, 56, 92);
    L_XML_Fix2->setText(QStringLiteral("-%1.xml").arg(today.toString(QStringLiteral("yyyyMMdd"))));
    layout->addWidget(body);
    layout->addStretch(1);
    layout->addWidget(Create_Button_Panel(this, Btn_OK, Btn_Cancel));
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](QObject *) { Btn_OK_Click(); };

    L_SW_Code->setText(SW_Code);
    setFixedSize(Client_Width, Client_Height);
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    setWindowTitle(Lang_Text(4800));
    L_SW_Desc->setText(Lang_Text(4801));
    L_Select_Name->setText(Lang_Text(4802));
    L_FixPart_1->setText(Lang_Text(4803));
    L_UsedPart->setText(Lang_Text(4804));
    L_FixPart_2->setText(Lang_Text(4805));
    Btn_OK->SetCaption(Lang_Text(4806));
    Btn_Cancel->SetCaption(Lang_Text(4807));
}

QString Bad_File_Name_Part(const QString &user_part)
{
    if (user_part.contains(QStringLiteral("..")))
        return QStringLiteral("..");
    static const QString refused = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : user_part)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            return QString(c);
    return QString();
}

void TFProfinetFileName::Btn_OK_Click()
{
    const QString user = E_XML_User->text();
    const QString bad = Bad_File_Name_Part(user);
    if (!bad.isEmpty()) {
        const QString shown = bad.size() == 1 && bad[0].unicode() < 0x20
                                  ? QStringLiteral("#%1").arg(int(bad[0].unicode()))
                                  : QStringLiteral("\"%1\"").arg(bad);
        MessageError(QStringLiteral("The user part may not hold %1.").arg(shown), {}, this);
        return;
    }
    const QString fixed = L_XML_Fix1->text(), date = L_XML_Fix2->text();
    if (Trim(user).isEmpty())
        Name_File_XML = fixed + date;
    else if (user.startsWith(QLatin1Char('_')))
        Name_File_XML = fixed + user + date;
    else
        Name_File_XML = fixed + QLatin1Char('_') + user + date;
    done(mrOk);
}
