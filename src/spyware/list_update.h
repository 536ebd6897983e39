#pragma once
// Replaces "SPY3.TXT" and "SPY4.TXT" with the server's lists when the version file announces a
// new release. Both are downloaded and checked before either file changes.
namespace kestova::spyware {

enum class ListUpdate { NoUpdate, Updated };

// Throws win::Error on a failed fetch ("Cannot open URL ...", "Download too large: ...") or a
// list that is not one ("Downloaded list is not valid: <address>"); the old files stay then.
ListUpdate updateSpywareLists();

}  // namespace kestova::spyware
