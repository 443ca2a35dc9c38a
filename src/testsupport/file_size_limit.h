// Lowers the file-size limit of the test process for as long as it lives,
// so writes past it fail part-way, even for root.
#pragma once

#include <cstdint>
#include <limits>

#include "base/platform.h"

using FileSizeLimit = FileSizeLimitForTests;

inline constexpr std::uint64_t kNoFileSizeLimit = std::numeric_limits<std::uint64_t>::max();
