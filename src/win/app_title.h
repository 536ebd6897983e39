#pragma once

namespace kestova::win {

// The application title: message box caption and the name of the single-instance mutex.
inline constexpr const wchar_t* kAppTitle = L"Kestova";

}  // namespace kestova::win
