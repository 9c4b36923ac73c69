// A stand-in for the outside browse library: fixed records of each identifier kind and
// access level, texts Windows-1252.
#include "app/valuechecks.h"

#include <cstring>

namespace {

const char *const Names[] = {"Temp\xB0", "Flow", "Guid var", "Bytes", "Hidden"};
const uint8_t Raw[] = "raw\xE9";

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t opcua_client_begin(opcua_server_to_discover server)
{
    // The address decides the answer: "none" finds nothing, "big" more than can be listed.
    if (server.server_address && std::strcmp(server.server_address, "none") == 0)
        return 0;
    if (server.server_address && std::strcmp(server.server_address, "big") == 0)
        return 200000;
    return 5;
}

__attribute__((visibility("default"))) int32_t opcua_return_variable(opcua_structure *r, int32_t index)
{
    *r = opcua_structure();
    r->nameSpaceIndex = uint16_t(index + 1);
    r->displayName = Names[index % 5];
    r->dataType = index + 9;
    r->accessLevel = uint8_t(index);   // 0, 1, 2, 3, 4
    switch (index) {
    case 0: r->identifierType = 0; r->numeric = 1001; break;
    case 1: r->identifierType = 3; r->stringname = "ns=2;s=Flow"; break;
    case 2:
        r->identifierType = 4;
        r->guide1 = 0xA1B2C3D4;
        r->guide2 = 0xE5F6;
        r->guide3 = 0x0708;
        for (int i = 0; i < 8; ++i)
            r->guide4[i] = uint8_t(0x10 * i + 0xA);
        break;
    case 3: r->identifierType = 5; r->byteString = Raw; break;
    default: r->identifierType = 0; r->displayName = nullptr; break;
    }
    return 0;
}
}
