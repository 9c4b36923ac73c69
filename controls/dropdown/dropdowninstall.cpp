// A plain list: one registration call per drop-down control that serves a grid editor type.
#include "controls/dropdown/dropdowninstall.h"

#include "controls/dropdown/calcclockinstall.h"
#include "controls/dropdown/multicolumninstall.h"
#include "controls/dropdown/pickerinstall.h"
#include "grid/string/griddropdown.h"

void InstallDropDownEditors()
{
    InstallCalculatorEditor();
    InstallTimePickerEditor();
    InstallPickerDropDownEditors();
    InstallListDropDownEditors();
}
