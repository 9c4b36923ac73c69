#pragma once
// Root classes of the framework value types: TObject (what cell object slots and event
// senders hold), TPersistent (Assign), and the notification event type.
#include <QString>
#include <functional>
#include <vector>

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

enum TOperation { opInsert, opRemove };

class TComponent;

// Something that keeps pointers to components it does not own: each component it watches
// (TComponent::FreeNotification) tells it of its destruction, and it leaves their lists
// when it goes first.
class TFreeNotifyClient
{
public:
    // AComponent is being destroyed (opRemove): forget every pointer to it.
    virtual void Notification(TComponent *AComponent, TOperation Operation) = 0;

protected:
    TFreeNotifyClient() = default;
    TFreeNotifyClient(const TFreeNotifyClient &) = delete;
    TFreeNotifyClient &operator=(const TFreeNotifyClient &) = delete;
    ~TFreeNotifyClient();

private:
    friend class TComponent;
    std::vector<TComponent *> FWatched;
};

// A persistent object that others may point at without owning it (an image list, a picture
// container, a cell checker): its destruction is announced to every registered client.
class TComponent : public TPersistent
{
public:
    TComponent() = default;
    // A copy is watched by nobody.
    TComponent(const TComponent &) : TPersistent() {}
    TComponent &operator=(const TComponent &) { return *this; }
    ~TComponent() override;

    // Client is told (opRemove) when this component is destroyed; registering twice keeps
    // one entry.
    void FreeNotification(TFreeNotifyClient *Client);
    void RemoveFreeNotification(TFreeNotifyClient *Client);

private:
    friend class TFreeNotifyClient;
    std::vector<TFreeNotifyClient *> FClients;
};

// Moves Client's watch from the component in Field to Value, which Field then holds.
template <typename T>
void Rewatch(TFreeNotifyClient *Client, T *&Field, T *Value)
{
    if (Field == Value)
        return;
    if (Field)
        static_cast<TComponent *>(Field)->RemoveFreeNotification(Client);
    Field = Value;
    if (Value)
        static_cast<TComponent *>(Value)->FreeNotification(Client);
}
