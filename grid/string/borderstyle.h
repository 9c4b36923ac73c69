#pragma once
// Whether a control draws its single-line border.
enum TBorderStyle { bsNone, bsSingle };
