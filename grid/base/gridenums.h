#pragma once
// Enumerations shared by the grid family. Their ordinals are stored in settings and
// streams, so the order of the values never changes.
#include "grid/base/gridtypes.h"

// Horizontal alignment of text and controls.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Vertical placement within a control.
enum TTextLayout { tlTop, tlCenter, tlBottom };

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

enum TCellGradientDirection { GradientVertical, GradientHorizontal };

enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssDateTime,
    ssTime,
    ssAlphaNumeric,
    ssAlphaNumericNoCase
};

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

enum TDazGridButtonStyle { tasButton, tasCheck };

enum TSearchDirection { sdTopBottom, sdLeftRight };

enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

enum TClipboardPasteAction { paReplace, paInsert };

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };

enum TInsertPosition { pInsertBefore, pInsertAfter };

enum TCursorAdvance { caDefault, caSnake, caLoop };

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };

enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };

enum TWheelAction { waMoveSelection, waScroll };

// The in-place editor kind of a cell.
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edDateTimeEdit,
    edValidChars,
    edTrackbarDropDown,
    edMemoDropDown,
    edCalculatorDropDown,
    edTimePickerDropDown,
    edDetailDropDown,
    edGridDropDown,
    edColorPickerDropDown,
    edImagePickerDropDown,
    edDazGridDropDown,
    edPositiveFloat,
    edNumericUnitEditBtn,
    edFloatUnitEditBtn,
    edMaskEditBtn
};

// The look of the selected cells of a base grid.
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };

// Which cells of the row under the mouse take the hover colour.
enum THoverRowCell { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

// The kind of column calculation a cell holds.
enum TColumnCalcType {
    acNONE,
    acSUM,
    acAVG,
    acCOUNT,
    acMIN,
    acMAX,
    acSPREAD,
    acCUSTOM,
    acDISTINCT,
    acSTDDEV
};
