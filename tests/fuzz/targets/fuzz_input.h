#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace cr::fuzz {

inline QString textOf(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A promise a target checks itself: abort, so that libFuzzer keeps the input.
inline void require(bool holds)
{
    if (!holds) std::abort();
}

} // namespace cr::fuzz
