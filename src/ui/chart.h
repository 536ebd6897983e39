#pragma once
// A bar chart drawn with GDI: one series of points with values and labels, a caption and a
// scale. It answers the calls a chart control is given: a set of values is opened with its
// number of points, filled by index and closed; an index outside the set is ignored. Its window
// text is its caption.
#include <windows.h>

#include <string>
#include <vector>

namespace kestova::ui {

class Chart {
 public:
  Chart() = default;
  Chart(const Chart&) = delete;
  Chart& operator=(const Chart&) = delete;

  // Margins are 96-DPI pixels drawn at `dpi`; the text follows the font the chart is given.
  HWND create(HWND parent, UINT id, RECT bounds, bool visible, int dpi);
  void setDpi(int dpi);
  HWND hwnd() const { return hwnd_; }

  // Begins a set of `points` values (type and series count as the control takes them); every
  // point starts at 0 with an empty label. Returns 0.
  long openData(short type, long series, long points);
  // Ends the set and draws it.
  void closeData(short type);
  void setThisSerie(short serie) { serie_ = serie; }
  short thisSerie() const { return serie_; }

  // Index 0 is the caption.
  void setTitle(short index, const std::wstring& text);
  std::wstring title(short index) const;
  void setValue(short index, double value);
  double value(short index) const;
  void setLegend(short index, const std::wstring& text);
  std::wstring legend(short index) const;
  // Index 2 is the top of the value axis; 0 lets the largest value set it.
  void setScale(short index, double value);
  double scale(short index) const;

  int pointCount() const { return static_cast<int>(values_.size()); }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void paint(HDC dc, const RECT& area) const;
  bool inSet(short index) const { return index >= 0 && index < pointCount(); }

  int px(int pixels) const;

  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  short serie_ = 0;
  std::wstring caption_;
  std::vector<double> values_;
  std::vector<std::wstring> labels_;
  double scale_[4] = {};
};

}  // namespace kestova::ui
