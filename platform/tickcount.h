#pragma once
// The system's 32-bit millisecond tick count: monotonic, wraps after about 49.7 days.
#include <cstdint>

uint32_t GetTickCount32();
