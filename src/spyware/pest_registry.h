#pragma once
// The browser's kill flags of ActiveX controls and its per-site cookie decisions: the protected
// test, block and unblock of one item, and the three roots they live under.
#include <windows.h>

#include <string>

#include "core/pest_list.h"

namespace kestova::spyware {

class BlockRecord;

struct RegistryPlace {
  HKEY hive;
  std::wstring path;  // relative to the hive, no leading or trailing "\"
};

// The machine and user P3P history roots and the ActiveX compatibility root.
struct BlockRoots {
  RegistryPlace machineP3P;
  RegistryPlace userP3P;
  RegistryPlace activeX;
};
const BlockRoots& defaultBlockRoots();

inline constexpr DWORD kKillFlag = 1024;
inline constexpr DWORD kAlwaysBlock = 5;

// Judged in the machine-wide keys only, opened for reading: "Compatibility Flags" exactly 1024,
// or the site's default value exactly 5, in every registry view of the machine (64-bit Windows
// has two, one per browser). A missing key, a value of another type, or a key that may not be
// touched reads as not protected.
bool IsPestProtected(PestKind kind, const std::wstring& key, const BlockRoots& roots = defaultBlockRoots());

// Writes the item's value, creating its key below an existing root; a machine-wide key in every
// registry view, and false unless every view took it. A cookie is written in both hives; its
// outcome is the user's. False for a key that may not be touched. Throws win::Error
// "Failed to create key ..." when the system refuses to create the item key.
// With `record`, what Block found is recorded there before each change, and a value that already
// blocks is left as it is.
bool BlockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots = defaultBlockRoots(),
               BlockRecord* record = nullptr);
// Deletes the value Block writes, then the item key when nothing else is left in it; true when
// the value was there and is gone (the user's hive decides for a cookie).
// With `record`, a recorded value gets back exactly the state Block found (and a value Block left
// as it found it is not touched); an unrecorded one is removed as by older versions.
bool UnblockPest(PestKind kind, const std::wstring& key, const BlockRoots& roots = defaultBlockRoots(),
                 BlockRecord* record = nullptr);

// Makes the three roots exist; if one had to be created, writes the blocked root values into
// every root that opens. A root that can be neither opened nor created is left alone.
void PrepareBlockRoots(const BlockRoots& roots = defaultBlockRoots());
// Writes the unblocked root values into the ActiveX root (`activeX`) and the two P3P roots
// (`cookies`), where they open.
void ResetBlockRoots(const BlockRoots& roots, bool activeX, bool cookies);

// True when the machine-wide places (the ActiveX root and the machine P3P root, in every view) can
// be written: each opens for writing, or, missing, can be created (and is removed again at once).
// A standard user of Vista and later without elevation cannot.
bool canWriteMachineKeys(const BlockRoots& roots = defaultBlockRoots());

// True when the machine P3P root opens (the browser knows per-site cookie decisions).
bool cookieStageAvailable(const BlockRoots& roots = defaultBlockRoots());

}  // namespace kestova::spyware
