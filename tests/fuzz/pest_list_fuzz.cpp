// libFuzzer target: the pest line grammar, the downloaded-list check and the version line read
// any text without reading past it, and a parsed item keeps the parts of its line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/pest_list.h"
#include "core/text_codec.h"
#include "core/web_links.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text = kestova::fromCp1252(std::string_view(reinterpret_cast<const char*>(data), size));
  kestova::isValidPestList(text);
  kestova::isCurrentVersion(text);
  kestova::linkLabelUrl(text);
  if (auto item = kestova::ParsePestLine(text, 1)) {
    if (item->key.size() > text.size() || item->name.size() > text.size()) std::abort();
    if (text.compare(0, item->key.size(), item->key) != 0) std::abort();
    kestova::pestGridName(*item, kestova::PestPass::WindowOpen);
    kestova::isUsablePestKey(item->key);
  } else if (!text.empty()) {
    std::abort();
  }
  return 0;
}
