#pragma once
// The program's windows by form variable name ("FParGen"), in the order they were created.
// The program block registers each window right after creating it; the main window reaches
// the windows of other subsystems only through here.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

class TForm_Registry
{
public:
    void Register(const QString &name, QWidget *form, std::function<void()> set_lang);
    void Clear();

    QWidget *Form(const QString &name) const;   // nullptr when not registered
    // Calls the window's Set_Lang; false when it is not registered.
    bool Set_Lang(const QString &name) const;
    // Shows a dialog modally and returns its result; -1 when it is not registered.
    int Show_Modal(const QString &name) const;
    QStringList Names() const;

    // Called with the name after each Set_Lang that goes through the registry (tests).
    std::function<void(const QString &)> On_Set_Lang;

private:
    struct TEntry
    {
        QString Name;
        QWidget *Form;
        std::function<void()> Set_Lang;
    };
    const TEntry *Find(const QString &name) const;
    std::vector<TEntry> entries_;
};

TForm_Registry &Forms();
