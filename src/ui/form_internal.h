#pragma once
// What the files of the form layer share and no user of a form needs.
#include <string_view>

namespace kestova::ui::detail {

// A form's own windows carry this property; any other window (a message box, a common dialog, a
// window of another class that keeps a handle in its user data) is not a form.
inline constexpr const wchar_t* kFormProperty = L"Kestova.Form";

// A control, grid, chart or menu item asked for by a name the form does not have.
[[noreturn]] void unknown(std::wstring_view what, std::wstring_view name);

}  // namespace kestova::ui::detail
