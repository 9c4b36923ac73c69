#pragma once
// LoRaWAN regional plans: the RF bands, the data-rate item texts of each band (stored as
// they are in ParGen.xml, blanks and tabs included) and the maximum payload of each pair.
#include <QString>
#include <QStringList>

// "AS923", "AU915", "EU868", "KR920", "IN865", "US915", "US915-Hybrid".
const QStringList &LoRa_RF_Bands();

// The band's data-rate items in ascending order; empty for a text that is no band.
QStringList LoRa_DataRate_Items(const QString &band);

// Maximum payload in bytes; 0 for a pair that is not in the table. Both texts are compared
// exactly, letter case, blanks and tabs included.
int LoRa_Max_Payload(const QString &band, const QString &dataRate);
