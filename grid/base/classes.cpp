#include "grid/base/classes.h"

#include "platform/rtl.h"

#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

QString TObject::ClassName() const
{
    const char *mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const int scope = name.lastIndexOf(QLatin1String("::"));
    return scope >= 0 ? name.mid(scope + 2) : name;
}

void TPersistent::Assign(const TPersistent *Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(ClassName()).toStdString());
}

void TPersistent::AssignTo(TPersistent *Dest) const
{
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(ClassName(), Dest ? Dest->ClassName() : QStringLiteral("nil"))
                            .toStdString());
}
