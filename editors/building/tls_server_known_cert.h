#pragma once
// The TLS known-certificate table (stand-in until its own issue builds it).
#include "app/placeholderform.h"

class TFTLS_Server_Known_Cert : public TFPlaceholder
{
public:
    explicit TFTLS_Server_Known_Cert(QWidget *parent = nullptr);
};

extern TFTLS_Server_Known_Cert *FTLS_Server_Known_Cert;
