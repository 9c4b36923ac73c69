#include "grid/base/classes.h"

#include "platform/rtl.h"

#include <algorithm>
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

namespace {

template <typename T>
void EraseOne(std::vector<T *> &List, T *Item)
{
    const auto it = std::find(List.begin(), List.end(), Item);
    if (it != List.end())
        List.erase(it);
}

}   // namespace

TFreeNotifyClient::~TFreeNotifyClient()
{
    for (TComponent *c : FWatched)
        EraseOne(c->FClients, this);
}

TComponent::~TComponent()
{
    // A client may drop other registrations while it is told: take the list first.
    const std::vector<TFreeNotifyClient *> clients = std::move(FClients);
    FClients.clear();
    for (TFreeNotifyClient *c : clients)
        EraseOne(c->FWatched, static_cast<TComponent *>(this));
    for (TFreeNotifyClient *c : clients)
        c->Notification(this, opRemove);
}

void TComponent::FreeNotification(TFreeNotifyClient *Client)
{
    if (!Client || std::find(FClients.begin(), FClients.end(), Client) != FClients.end())
        return;
    FClients.push_back(Client);
    Client->FWatched.push_back(this);
}

void TComponent::RemoveFreeNotification(TFreeNotifyClient *Client)
{
    if (!Client)
        return;
    EraseOne(FClients, Client);
    EraseOne(Client->FWatched, static_cast<TComponent *>(this));
}
