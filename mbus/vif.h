#pragma once
// Meaning of a data record's VIF and VIFEs: the value, the quantity and unit in words, the
// type codes the network file stores, and the date and time texts. Tables follow the
// EN 13757-3 VIF, 0xFD, 0xFB and combinable-VIFE tables; texts and codes are our own.
#include <QString>
#include <array>
#include <cstdint>

class TVariable_MBus;

// The record's data bytes and VIFEs as the walk hands them over, zero-filled after them.
struct TVIF_Scratch
{
    std::array<uint8_t, 256> App_Data_Val{};
    std::array<uint8_t, 10> App_Vife_Val{};
};

// Fills type_data, Type_Data_Vife, Desc_Type_Data and ValueStr of the record. nbyte is the
// data length, lvar the LVAR byte of a variable-length record, data_field DIF AND 0x0F.
void Decode_VIF(const TVIF_Scratch &s, uint8_t vif, uint8_t first_vife, TVariable_MBus &rec,
                int nbyte, uint8_t lvar, uint8_t data_field);

// The first n bytes (at most 9) of data as packed BCD, least significant byte first; a top
// byte of 0xF0 or more carries a minus sign in its high nibble.
int64_t BCD_To_Int64(const uint8_t *data, int n);
int64_t Power_Of_Ten(int k);        // k = 0..18
QString Two_Digits(int v);          // "05", "12"
