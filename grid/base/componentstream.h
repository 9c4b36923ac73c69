#pragma once
// Value kinds and editor identifiers of the framework's binary component stream, shared by
// the cell stream and the column grid's column stream.
#include <array>
#include <cstdint>

namespace ComponentStream {

enum TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21
};

// The identifiers of the editor types (TEditorType), in the order of their values.
inline constexpr std::array<const char *, 43> EditorTypeIdents{
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox",
    "edDateEdit", "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric",
    "edPositiveNumeric", "edFloat", "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn",
    "edLowerCase", "edUpperCase", "edFloatSpinEdit", "edTimeSpinEdit", "edDateSpinEdit",
    "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone", "edDateTimeEdit",
    "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
    "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown",
    "edImagePickerDropDown", "edDazGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn",
    "edFloatUnitEditBtn", "edMaskEditBtn"};

}   // namespace ComponentStream
