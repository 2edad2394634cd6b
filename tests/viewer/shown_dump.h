// What both windows' tests expect their display to hold.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "display_text.h"
#include "dump.h"

namespace quorvex::test {

// The display text of bytes' dump, its rows ended by CR LF as the shared layer hands it
// to both windows; nothing for no bytes. The rows themselves are checked against written
// out texts in the engine's and the shared layer's tests; the windows' tests check that
// a window shows what they give, in any container of bytes.
template <typename Bytes>
std::u16string ShownDump(const Bytes& bytes) {
  if (std::size(bytes) == 0) return {};
  return DisplayText(DumpText(ByteBuffer(std::vector<std::uint8_t>(std::begin(bytes), std::end(bytes)))));
}

}  // namespace quorvex::test
