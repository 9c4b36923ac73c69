#pragma once
// The scanner's output files: the chosen wired slaves or wireless meters of a scan written
// into the M-Bus network file with their Modbus registers, and the scan dump files.
#include "mbus/mbus_results.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

using TMBus_Result_List = std::vector<std::unique_ptr<TObject>>;

// Whether the scan window's tree node is checked. Without this hook, or for an object
// without a node, the object counts as ticked (the writers also work without the window).
using TMBus_Node_Checked = std::function<bool(PLazyNode)>;

// Write DataIn.File_Name (new, or appended to with Append 1). False, touching no file, when
// the list is empty. Throws EXmlError when the file to append to cannot be read or the file
// cannot be written.
bool Save_XML_Conf_Wired(const TMBus_Result_List &slaves, const TSaveConfXML &DataIn,
                         bool Check_BCD, const TMBus_Node_Checked &checked = {});
bool Save_XML_Conf_Wireless(const TMBus_Result_List &meters, const TSaveConfXML &DataIn,
                            bool Check_BCD, const TMBus_Node_Checked &checked = {});

// Scan dumps (roots SCAN_M-Bus_Wired and SCAN_M-Bus_Wireless).
void Save_XML_File_DLL(const TMBus_Result_List &slaves, const QString &path);
void Save_Wireless_XML_File_DLL(const TMBus_Result_List &meters, const QString &path);
