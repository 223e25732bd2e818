// The CRC-32 of the ZIP format (reflected polynomial 0xEDB88320, preset and result complemented).
#pragma once

#include <cstddef>
#include <cstdint>

// Continues crc over length bytes of data: UpdateCrc32(0, block, n) is the CRC of the block, and
// UpdateCrc32(UpdateCrc32(0, a, n), b, m) is the CRC of a followed by b. No data leaves crc unchanged.
uint32_t UpdateCrc32(uint32_t crc, const void *data, std::size_t length);
