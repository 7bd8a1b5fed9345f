#pragma once
// What a fuzz target asks of a decoder's answer: a broken expectation stops the run where it broke, so that the
// fuzzer keeps the input.
#include <cstdlib>

inline void FuzzCheck(bool condition)
{
    if (!condition)
        std::abort();
}
