#include "platform/tickcount.h"

#include <chrono>

uint32_t GetTickCount32()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
