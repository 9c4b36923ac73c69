#pragma once
// A count of the steps taken by the routines that read text from outside (cell mark-up,
// filter conditions): their tests hold the count to the size of the input instead of
// timing them. One increment per step; per thread, so parallel work does not mix.
#include <cstdint>

class TWorkCount
{
public:
    static uint64_t Steps() { return FSteps; }
    static void Add(uint64_t N = 1) { FSteps += N; }

private:
    static inline thread_local uint64_t FSteps = 0;
};
