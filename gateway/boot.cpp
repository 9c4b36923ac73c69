#include "gateway/boot.h"

#include "app/comon.h"

#include <QLabel>

TFBoot *FBoot = nullptr;

TFBoot::TFBoot(QWidget *parent) : TFPlaceholder(parent, 1000, 0)
{
}

void TFBoot::showEvent(QShowEvent *event)
{
    TFPlaceholder::showEvent(event);
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}
