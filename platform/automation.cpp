#include "platform/automation.h"

namespace {
IAutomationServer *g_server = nullptr;
}

QVariant FromObject(const TAutomationRef &Object) { return QVariant::fromValue(Object); }
bool IsObject(const QVariant &Value) { return Value.canConvert<TAutomationRef>() && Value.userType() == qMetaTypeId<TAutomationRef>(); }
bool IsErrorValue(const QVariant &Value) { return Value.userType() == qMetaTypeId<TAutomationErrorValue>(); }

TAutomationRef ToObject(const QVariant &Value)
{
    if (!IsObject(Value) || !Value.value<TAutomationRef>())
        throw EOleError("Variant does not reference an automation object");
    return Value.value<TAutomationRef>();
}

TAutomationRef CreateOleObject(const QString &ProgId)
{
    TAutomationRef o = g_server ? g_server->Create(ProgId) : nullptr;
    if (!o)
        throw EOleError("Invalid class string");
    return o;
}

TAutomationRef GetActiveOleObject(const QString &ProgId)
{
    TAutomationRef o = g_server ? g_server->GetActive(ProgId) : nullptr;
    if (!o)
        throw EOleError("Operation unavailable");
    return o;
}

void SetAutomationServer(IAutomationServer *Server) { g_server = Server; }
