#pragma once
// A label that opens its URL through the shell when clicked. With Highlight on it shows the link
// style only while the mouse is over it; with Highlight off it always looks like a link.
#include <windows.h>

#include <functional>
#include <string>

#include "core/web_links.h"

namespace kestova::ui {

class TURLLabel {
 public:
  TURLLabel() = default;
  TURLLabel(const TURLLabel&) = delete;
  TURLLabel& operator=(const TURLLabel&) = delete;
  ~TURLLabel();

  // Takes over the messages of a static control; the fonts belong to the form.
  void attach(HWND label, HFONT plain, HFONT underlined);
  HWND hwnd() const { return hwnd_; }
  // The form's fonts at a new scale.
  void setFonts(HFONT plain, HFONT underlined);

  const std::wstring& URL() const { return url_; }
  void SetURL(const std::wstring& value);
  bool Highlight() const { return highlight_; }
  void SetHighlight(bool on);
  bool linked() const { return isLinkedUrl(url_); }
  LinkStyle style() const { return style_; }
  COLORREF textColor() const;

  // Opens the URL when the label is linked, then runs the ordinary click event.
  void Click();
  std::function<void()> onClick;
  // The label's hint follows its URL.
  std::function<void(const std::wstring&)> onHint;

 private:
  static LRESULT CALLBACK labelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void apply(LinkStyle style);
  void detach();

  HWND hwnd_ = nullptr;
  WNDPROC originalProc_ = nullptr;
  HFONT plain_ = nullptr;
  HFONT underlined_ = nullptr;
  std::wstring url_;
  bool highlight_ = false;
  bool inside_ = false;
  LinkStyle style_ = LinkStyle::Plain;
};

}  // namespace kestova::ui
