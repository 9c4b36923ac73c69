#include "app/forms.h"

#include <QDialog>

void TForm_Registry::Register(const QString &name, QWidget *form, std::function<void()> set_lang)
{
    entries_.push_back({name, form, std::move(set_lang)});
}

void TForm_Registry::Clear()
{
    entries_.clear();
}

const TForm_Registry::TEntry *TForm_Registry::Find(const QString &name) const
{
    for (const TEntry &e : entries_)
        if (e.Name == name)
            return &e;
    return nullptr;
}

QWidget *TForm_Registry::Form(const QString &name) const
{
    const TEntry *e = Find(name);
    return e ? e->Form : nullptr;
}

bool TForm_Registry::Set_Lang(const QString &name) const
{
    const TEntry *e = Find(name);
    if (!e)
        return false;
    if (e->Set_Lang)
        e->Set_Lang();
    if (On_Set_Lang)
        On_Set_Lang(name);
    return true;
}

int TForm_Registry::Show_Modal(const QString &name) const
{
    auto *dialog = qobject_cast<QDialog *>(Form(name));
    return dialog ? dialog->exec() : -1;
}

QStringList TForm_Registry::Names() const
{
    QStringList names;
    for (const TEntry &e : entries_)
        names.append(e.Name);
    return names;
}

TForm_Registry &Forms()
{
    static TForm_Registry registry;
    return registry;
}
