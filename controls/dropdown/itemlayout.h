#pragma once
// Where a caption stands relative to its image, in keypad buttons and selector cells.
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
