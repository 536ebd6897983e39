#include "dupes/Tfdupg.h"

#include <commctrl.h>

#include <algorithm>

#include "dupes/dupes_texts.h"
#include "shell/help.h"

namespace kestova::dupes {
namespace {

using ui::Kind;

constexpr const wchar_t* kSortingLine = L"                    Sorting Files";

const ui::ControlSpec kControls[] = {
    {L"Memo1", Kind::Memo, 8, 8, 392, 104, L"", L"", false},
    {L"Edit1", Kind::ReadOnlyEdit, 8, 48, 392, 22, kSortingLine},
    {L"pb1", Kind::ProgressBar, 8, 124, 292, 22},
    {L"BitBtnWithColor1", Kind::ColorButton, 312, 120, 88, 30, L"&Stop", L"", true, true, RGB(255, 208, 208)},
};

ui::FormSpec windowSpec() {
  ui::FormSpec layout{L"Tfdupg", L"Find Duplicates ", 408, 158};
  layout.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  return layout;
}

}  // namespace

Tfdupg::Tfdupg() : Form(windowSpec()) {}

void Tfdupg::build() {
  addControls(kControls);
  SendMessageW(control(L"pb1"), PBM_SETSTEP, 1, 0);
  on(L"BitBtnWithColor1", ui::Event::Click, [this] { BitBtnWithColor1Click(); });
}

void Tfdupg::FormActivate() { ui::applyTranslation(*this, kDupgTexts, ui::currentLanguage()); }

bool Tfdupg::FormKeyDown(WORD key) {
  if (key != VK_F1) return false;
  shell::openHelpFile(hwnd());
  return true;
}

// Closing the window asks the search to stop; the window stays for the next search.
LRESULT Tfdupg::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
    stop_ = true;
    return 0;
  }
  return Form::handleMessage(msg, wp, lp);
}

void Tfdupg::begin() {
  stop_ = false;
  shift_ = 0;
  range_ = 0;
  ui::applyTranslation(*this, kDupgTexts, ui::currentLanguage());
  setVisible(L"Memo1", false);
  setVisible(L"Edit1", false);
  SendMessageW(control(L"pb1"), PBM_SETRANGE32, 0, 0);
  SendMessageW(control(L"pb1"), PBM_SETPOS, 0, 0);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  show();
  UpdateWindow(hwnd());
}

void Tfdupg::sorting() {
  if (!exists()) return;
  setText(L"Edit1", kSortingLine);
  setVisible(L"Edit1", true);
  UpdateWindow(hwnd());
}

void Tfdupg::comparing() {
  if (!exists()) return;
  setVisible(L"Edit1", false);
  setVisible(L"Memo1", true);
}

void Tfdupg::setProgress(std::uint64_t done, std::uint64_t total) {
  int shift = 0;
  while ((total >> shift) > 0x7FFFFFFFull) ++shift;
  HWND bar = control(L"pb1");
  if (shift != shift_ || range_ != total >> shift) {
    shift_ = shift;
    range_ = total >> shift;
    SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(range_));
  }
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(std::min(done, total) >> shift), 0);
}

void Tfdupg::finish() {
  if (exists()) ShowWindow(hwnd(), SW_HIDE);
}

}  // namespace kestova::dupes
