#pragma once
// A large tree for the tests of long walks: `folders` folders below `root`, each holding
// `filesPerFolder` files of `bytes` bytes (sparse), named f0, f1, ... in each.
#include <cstdint>
#include <string>

namespace kestova::test {

// `root` with a trailing backslash; the folders are named d0, d1, ...
void fillTree(const std::wstring& root, int folders, int filesPerFolder, std::uint64_t bytes = 0);

}  // namespace kestova::test
