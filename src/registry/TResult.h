#pragma once
// One registry error of the result list: the hit as the search reported it.
#include <windows.h>

#include <string>

namespace kestova::registry {

struct TResult {
  TResult(HKEY rootKey, std::wstring key, std::wstring valueName, std::wstring data, int keyMatchPos,
          int nameMatchPos, int dataMatchPos, int keyMatchLen, int nameMatchLen, int dataMatchLen)
      : RootKey(rootKey),
        Key(std::move(key)),
        ValueName(std::move(valueName)),
        Data(std::move(data)),
        KeyMatchPos(keyMatchPos),
        NameMatchPos(nameMatchPos),
        DataMatchPos(dataMatchPos),
        KeyMatchLen(keyMatchLen),
        NameMatchLen(nameMatchLen),
        DataMatchLen(dataMatchLen) {}

  const HKEY RootKey;
  const std::wstring Key;        // root name in capitals, path in lower case
  const std::wstring ValueName;  // empty: the default value
  const std::wstring Data;       // the data text
  const int KeyMatchPos, NameMatchPos, DataMatchPos;
  const int KeyMatchLen, NameMatchLen, DataMatchLen;
};

}  // namespace kestova::registry
