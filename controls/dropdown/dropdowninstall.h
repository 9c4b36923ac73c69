#pragma once
// Registers the drop-down controls of this folder as the string grid's drop-down cell
// editors (grid/string/griddropdown.h). The composition root calls it once at start-up.

void InstallDropDownEditors();
