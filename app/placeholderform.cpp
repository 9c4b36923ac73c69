#include "app/placeholderform.h"

#include "app/comon.h"
#include "app/language.h"

#include <QLabel>

TFPlaceholder::TFPlaceholder(QWidget *parent, int caption_text, int creation,
                             const QString &fixed_caption)
    : QDialog(parent), caption_text_(caption_text)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(480, 200);
    L_SW_Code = new QLabel(this);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Code->setGeometry(16, 8, 300, 40);
    QFont font = L_SW_Code->font();
    font.setPointSize(24);
    L_SW_Code->setFont(font);
    L_SW_Code->setStyleSheet(QStringLiteral("color: gray"));
    if (!fixed_caption.isEmpty())
        setWindowTitle(fixed_caption);
    if (creation & Copy_SW_Code)
        L_SW_Code->setText(SW_Code);
    if (creation & Lang_On_Create)
        Set_Lang();
}

void TFPlaceholder::Set_Lang()
{
    if (caption_text_ >= 0)
        setWindowTitle(Lang_Text(caption_text_));
}
