#pragma once
// Root classes of the framework value types: TObject (what cell object slots and event
// senders hold), TPersistent (Assign), and the notification event type.
#include <QString>
#include <functional>

class TObject
{
public:
    TObject() = default;
    TObject(const TObject &) = default;
    TObject &operator=(const TObject &) = default;
    virtual ~TObject() = default;
    // The name of the most derived class ("TCellGraphic"), without namespaces.
    virtual QString ClassName() const;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;

// An object whose state can be copied from another one with Assign.
class TPersistent : public TObject
{
public:
    // Copies Source's state; Source's AssignTo is asked when this class does not know it.
    // Throws EConvertError ("Cannot assign a X to a Y") when neither side knows the other.
    virtual void Assign(const TPersistent *Source);

protected:
    virtual void AssignTo(TPersistent *Dest) const;
};
