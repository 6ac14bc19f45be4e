// Shared by the harnesses: the input as UTF-16LE text, and a check that aborts with a message so
// that the fuzzer keeps the input that broke an invariant.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/Utf16.h"

#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

inline std::wstring FuzzText(const std::uint8_t* data, std::size_t size) { return es::DecodeUtf16Le(data, size); }
