#include "grid/base/graphics.h"

#include <algorithm>
#include <cstdlib>

int TFontObject::Size() const
{
    return FValue.Size > 0 ? FValue.Size : 9;
}

void TFontObject::SetHeight(int Value)
{
    // Height and size describe the same em at 96 pixels per inch, rounded as MulDiv does.
    SetSize(std::max(1, (std::abs(Value) * 72 + 48) / 96));
}
