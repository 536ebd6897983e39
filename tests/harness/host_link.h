#pragma once
// Symbolic links made on the host: Wine's CreateSymbolicLinkW creates nothing, so the test runs
// the host's /bin/ln (Wine starts a unix program given by its \\?\unix\ path).
#include <string>

namespace kestova::test {

// Makes `link` a symbolic link to `target` (both Windows paths); true when the link exists.
bool makeHostLink(const std::wstring& target, const std::wstring& link);

}  // namespace kestova::test
