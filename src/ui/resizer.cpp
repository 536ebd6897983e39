#include "ui/resizer.h"

#include <algorithm>

#include "core/rounding.h"

namespace kestova::ui {
namespace {

bool isContainer(HWND hwnd) {
  if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) return true;  // a form
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (lstrcmpiW(cls, L"TPanel") == 0) return true;
  return lstrcmpiW(cls, L"Button") == 0 && (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A form's client size, a panel's or group box's outer size; nothing for other controls.
SIZE referenceSize(HWND hwnd) {
  if (!isContainer(hwnd)) return {0, 0};
  RECT r;
  if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) {
    GetClientRect(hwnd, &r);
  } else {
    GetWindowRect(hwnd, &r);
  }
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

void TResizer::ResizeAll(HWND control) {
  SIZE size = referenceSize(control);
  if (!initialised_) {
    tree_.clear();
    record(control, size.cx, size.cy, tree_);
    initialised_ = !tree_.empty();
    return;
  }
  apply(tree_, size.cx, size.cy);
}

void TResizer::record(HWND container, double width, double height, std::vector<Node>& nodes) {
  if (!isContainer(container) || width <= 0 || height <= 0) return;
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    Node node{child, r.left / width, r.top / height, (r.right - r.left) / width, (r.bottom - r.top) / height, {}};
    SIZE own = referenceSize(child);
    record(child, own.cx, own.cy, node.children);
    nodes.push_back(std::move(node));
  }
  // The list runs from the last child to the first.
  std::reverse(nodes.begin(), nodes.end());
}

void TResizer::apply(const std::vector<Node>& nodes, double width, double height) {
  for (const Node& node : nodes) {
    int left = static_cast<int>(roundHalfEven(width * node.left));
    int top = static_cast<int>(roundHalfEven(height * node.top));
    int w = static_cast<int>(roundHalfEven(width * node.width));
    int h = static_cast<int>(roundHalfEven(height * node.height));
    SetWindowPos(node.control, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!node.children.empty()) {
      SIZE own = referenceSize(node.control);
      apply(node.children, own.cx, own.cy);
    }
  }
}

}  // namespace kestova::ui
