#pragma once
// The string grid's list editors: the multi-column drop-down as the cell editor of
// edGridDropDown and the grid drop-down as that of edDazGridDropDown. InstallListDropDownEditors registers the makers once (the composition
// root calls it); MultiColumnDropDownOf gives the control a grid edits with, made on first
// use, so that an application can fill its columns and items.
class TDazStringGrid;
class TDazMultiColumnDropDown;
class TCustomDazGridDropDown;

void InstallListDropDownEditors();
// nullptr while no maker is installed.
TDazMultiColumnDropDown *MultiColumnDropDownOf(TDazStringGrid &Grid);
TCustomDazGridDropDown *GridDropDownOf(TDazStringGrid &Grid);
