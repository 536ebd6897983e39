#pragma once
// Keeps a form's controls in proportion when the form is resized: the first call records each
// control's bounds as fractions of its container (the form, a panel or a group box), every later
// call puts them back at those fractions of the container's new size.
#include <windows.h>

#include <vector>

namespace kestova::ui {

class TResizer {
 public:
  void ResizeAll(HWND control);
  bool initialised() const { return initialised_; }

 private:
  struct Node {
    HWND control;
    double left, top, width, height;
    std::vector<Node> children;
  };
  static void record(HWND container, double width, double height, std::vector<Node>& nodes);
  static void apply(const std::vector<Node>& nodes, double width, double height);

  bool initialised_ = false;
  std::vector<Node> tree_;
};

}  // namespace kestova::ui
