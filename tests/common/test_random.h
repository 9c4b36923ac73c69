#pragma once
// A small repeatable pseudo-random sequence for tests that walk wild inputs.
#include <cstdint>

class TTestRandom
{
public:
    explicit TTestRandom(uint32_t Start) : FState(Start) {}
    // The next 24-bit value of the sequence.
    uint32_t Next()
    {
        FState = FState * 1103515245u + 12345u;
        return FState >> 8;
    }
    int Next16() { return int(Next() & 0xFFFF); }

private:
    uint32_t FState;
};
