#pragma once
// The string grid's colour, image, detail, track-bar and memo cell editors made from the
// drop-down controls of this folder: adapters to the grid's editor interfaces
// (grid/string/griddropdown.h) and their registration.
#include "controls/dropdown/editoradapter.h"
#include "grid/string/griddropdown.h"

// The picker editors hand the adapter a control they made themselves.
template <class I, class C>
class TDropDownAdapter : public TDropDownEditorAdapter<C, I>
{
public:
    explicit TDropDownAdapter(C *Control) : TDropDownEditorAdapter<C, I>(Control) {}
};

// Registers the colour-picker, image-picker, detail, track-bar and memo editor makers.
void InstallPickerDropDownEditors();
