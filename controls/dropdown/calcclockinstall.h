#pragma once
// Registration of the calculator and the time picker as the string grid's calculator and
// time cell editors. Free of drop-down headers, so grid-side code can include it.

void InstallCalculatorEditor();
void InstallTimePickerEditor();
