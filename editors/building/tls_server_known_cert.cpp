#include "editors/building/tls_server_known_cert.h"

TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert = nullptr;

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(QWidget *parent) : TFPlaceholder(parent, 5100)
{
}
