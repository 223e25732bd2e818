// Joining whole raw deflate streams (RFC 1951) into one, for engines that can only finish what they compress.
#pragma once

#include <cstdint>
#include <vector>

// Turns a complete raw deflate stream into the leading part of a longer one: its final block loses the final flag,
// and an empty stored block takes the end to a byte boundary, where the next stream's first block can follow. The
// result inflates to the same bytes and no longer ends. Throws Exception when stream is not exactly one complete
// deflate stream.
void OpenDeflateEnd(std::vector<uint8_t> &stream);
