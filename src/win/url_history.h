#pragma once
// The browser's URL-history object.
namespace kestova::win {

// Clears the browser's URL history; false when the object is missing or refuses.
bool clearUrlHistory();

}  // namespace kestova::win
