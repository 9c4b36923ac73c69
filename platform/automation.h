#pragma once
// Late-bound automation of outside programs: objects created or attached by programmatic
// identifier, whose members are read, written and called by name with QVariant arguments.
// An object member's value is a QVariant holding a TAutomationRef; two-dimensional values
// are nested QVariantLists; a value of the error kind holds a TAutomationErrorValue.
// No automation server exists on this system: creating and attaching fail with EOleError
// unless a test installs its own server.
#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>

class EOleError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class IAutomationObject
{
public:
    virtual ~IAutomationObject() = default;
    virtual QVariant Get(const QString &Name, const QVariantList &Args = {}) = 0;
    virtual void Put(const QString &Name, const QVariant &Value) = 0;
    virtual QVariant Call(const QString &Name, const QVariantList &Args = {}) = 0;
};

using TAutomationRef = std::shared_ptr<IAutomationObject>;

// A cell value of the error kind (#N/A, #DIV/0! ...).
struct TAutomationErrorValue {
    int Code = 0;
};

Q_DECLARE_METATYPE(TAutomationRef)
Q_DECLARE_METATYPE(TAutomationErrorValue)

QVariant FromObject(const TAutomationRef &Object);
bool IsObject(const QVariant &Value);
bool IsErrorValue(const QVariant &Value);
// Throws EOleError when Value holds no object.
TAutomationRef ToObject(const QVariant &Value);

class IAutomationServer
{
public:
    virtual ~IAutomationServer() = default;
    // nullptr when the program is unknown or cannot be started / is not running.
    virtual TAutomationRef Create(const QString &ProgId) = 0;
    virtual TAutomationRef GetActive(const QString &ProgId) = 0;
};

// Throw EOleError "Invalid class string" / "Operation unavailable" when there is none.
TAutomationRef CreateOleObject(const QString &ProgId);
TAutomationRef GetActiveOleObject(const QString &ProgId);
// Tests install a scripted server; nullptr restores the system's (which has none).
void SetAutomationServer(IAutomationServer *Server);
