#include "editors/building/dialogparts.h"

#include "app/formparts.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

QVBoxLayout *Create_Dialog_Layout(QDialog *form, const char *name, QLabel *&L_SW_Code, QLabel *&L_SW_Desc,
                                  int spacing)
{
    form->setObjectName(QLatin1String(name));
    form->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(form);
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->addWidget(Create_Title_Panel(form, L_SW_Code, L_SW_Desc));
    return layout;
}

QLabel *New_Label(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, w, 18);
    return l;
}
