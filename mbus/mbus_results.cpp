#include "mbus/mbus_results.h"

#include "app/comon.h"

TSlave_MBus::~TSlave_MBus()
{
    Destry();
}

void TSlave_MBus::Destry()
{
    while (!List_Var.empty())
        List_Var.pop_back();
}

TSlave_wMBus::~TSlave_wMBus()
{
    Cancel_Var();
}

void TSlave_wMBus::Cancel_Var()
{
    while (!List_Var.empty())
        List_Var.pop_back();
}

int Find_Wireless_Slave(const std::vector<std::unique_ptr<TObject>> &list, uint16_t manufacturer,
                        int32_t address, uint8_t version, uint8_t device_type)
{
    for (size_t i = 0; i < list.size(); ++i) {
        const auto *m = dynamic_cast<const TSlave_wMBus *>(list[i].get());
        if (m && m->ALA_Manufacturer == manufacturer && m->ALA_Address == address
            && m->ALA_Version == version && m->ALA_DeviceType == device_type)
            return int(i);
    }
    return -1;
}

int Find_Wireless_Slave(uint16_t manufacturer, int32_t address, uint8_t version,
                        uint8_t device_type)
{
    return Find_Wireless_Slave(wMBus_Slave_List, manufacturer, address, version, device_type);
}
