#include "registry/result_rows.h"

#include <algorithm>

namespace kestova::registry {

std::vector<std::wstring> ResultListRows::headers() const {
  std::vector<std::wstring> names = {L"No.", L"Key"};
  if (lines_.value || lines_.data) names.push_back(L"Val");
  if (lines_.data) names.push_back(L"Dat");
  return names;
}

int ResultListRows::count() const {
  auto items = static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(list_, LB_GETCOUNT, 0, 0), 0));
  return static_cast<int>(std::min(items, errors_.Results.size()));
}

std::vector<std::wstring> ResultListRows::row(int index) const {
  std::vector<std::wstring> fields(headers().size());
  if (index < 0 || index >= count()) return fields;
  const TResult& result = errors_.Results[static_cast<std::size_t>(index)];
  fields[0] = std::to_wstring(index + 1);
  fields[1] = result.Key;
  if (fields.size() > 2) fields[2] = result.ValueName + kErrorSuffix;
  if (fields.size() > 3) fields[3] = result.Data;
  return fields;
}

std::vector<int> ResultListRows::selected() const {
  LRESULT item = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (item == LB_ERR || item >= count()) return {};
  return {static_cast<int>(item)};
}

}  // namespace kestova::registry
