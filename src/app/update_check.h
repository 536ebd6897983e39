#pragma once
// The hub's update check and its support and web-site links.
#include <windows.h>

namespace kestova::ui {
class Form;
}

namespace kestova::app {

// Fetches the version file; announces a newer version, opens its instructions page and closes
// `hub`, which ends the program. Fetch errors reach the general error handler.
void AutoUpdate1Click(ui::Form& hub);
void Support1Click();
void Website1Click();

}  // namespace kestova::app
