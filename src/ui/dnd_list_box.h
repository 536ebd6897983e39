#pragma once
// TDnDListBox: a list box that accepts files and folders dropped from the shell. It takes over
// a list box the form created (by subclassing it) and registers it as a drop target.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace kestova::ui {

class TDnDListBox {
 public:
  using TFileDropped = std::function<void(TDnDListBox& sender, const std::wstring& fileName, bool& accept)>;
  using TNotifyEvent = std::function<void(TDnDListBox& sender)>;

  TDnDListBox() = default;
  TDnDListBox(const TDnDListBox&) = delete;
  TDnDListBox& operator=(const TDnDListBox&) = delete;
  ~TDnDListBox();

  void attach(HWND listBox);
  HWND hwnd() const { return hwnd_; }

  bool AutoAdd = true;
  TFileDropped OnFileDropped;
  TNotifyEvent OnAddString;
  TNotifyEvent OnInsertString;
  TNotifyEvent OnDeleteString;

  int count() const;
  std::wstring item(int index) const;
  void add(const std::wstring& text);
  void setItem(int index, const std::wstring& text);
  void clear();
  bool selected(int index) const;

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void drop(HDROP files);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
};

}  // namespace kestova::ui
