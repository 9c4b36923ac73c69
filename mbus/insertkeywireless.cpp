#include "mbus/insertkeywireless.h"

#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/dialogs.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TFInsertKeyWireless *FInsertKeyWireless = nullptr;

namespace {

constexpr int Key_Length = 32;

} // namespace

TFInsertKeyWireless::TFInsertKeyWireless(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FInsertKeyWireless"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    Set_Form_Look(this);
    setFixedSize(481, 47);
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(0, 0, 481, 47);
    L_InsKey = new QLabel(this);
    L_InsKey->setObjectName(QStringLiteral("L_InsKey"));
    L_InsKey->setGeometry(8, 15, 110, 16);
    E_Key = new QLineEdit(this);
    E_Key->setObjectName(QStringLiteral("E_Key"));
    E_Key->setGeometry(120, 12, 257, 21);
    E_Key->setMaxLength(Key_Length);
    // Typed letters appear in upper case.
    connect(E_Key, &QLineEdit::textEdited, E_Key, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = E_Key->cursorPosition();
            E_Key->setText(upper);
            E_Key->setCursorPosition(pos);
        }
    });
    Btn_OK = new TLbButton(this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setGeometry(384, 10, 44, 26);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel = new TLbButton(this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setGeometry(432, 10, 44, 26);
    Btn_Cancel->SetModalResult(mrCancel);
    for (TLbButton *b : {Btn_OK, Btn_Cancel})
        Set_Button_Look(b);
    Set_Lang();
}

void TFInsertKeyWireless::Set_Lang()
{
    L_InsKey->setText(Lang_Text(2300));
    Btn_OK->SetCaption(Lang_Text(2301));
    Btn_Cancel->SetCaption(Lang_Text(2302));
}

bool TFInsertKeyWireless::Check_Data(const QString &key)
{
    for (const QChar c : key)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

void TFInsertKeyWireless::Btn_OKClick()
{
    const QString key = E_Key->text();
    if (key.size() != Key_Length) {
        MessageError(Lang_Text(2304), {}, this);
        return;
    }
    if (!Check_Data(key)) {
        MessageError(Lang_Text(2303), {}, this);
        return;
    }
    done(QDialog::Accepted);
}
