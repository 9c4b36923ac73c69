#include "app/lbbutton.h"

#include <QDialog>

TLbButton::TLbButton(QWidget *parent) : QPushButton(parent)
{
    // Enter in a dialog must not click whichever button happens to be first.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TLbButton::SetCaption(const QString &caption)
{
    setText(caption);
    update();
}

void TLbButton::Click()
{
    if (OnClick)
        OnClick(this);
    if (modal_result_ != mrNone)
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->done(modal_result_);
}
