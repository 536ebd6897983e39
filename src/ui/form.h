#pragma once
// The base of every window: it owns the HWND, creates the controls and the menu from
// declarative tables, finds them by name and dispatches their events to member handlers.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/handles.h"
#include "win/jpeg_image.h"

namespace kestova::ui {

class Chart;
class Grid;
class ResultMenu;
class ResultRows;
class TURLLabel;

enum class Kind {
  Button, ColorButton, Label, LinkLabel, Edit, ReadOnlyEdit, Memo, CheckBox, RadioButton,
  ComboBox, ListBox, GroupBox, Grid, ProgressBar, Panel,
  OwnerDrawList,  // a list box whose items have their own heights and are drawn by the form
  StatusBar,      // one simple panel along the bottom
  TabControl,     // tabs named by the caption, separated by '|'
  Chart,          // a bar chart of one series
  URLLabel        // a TURLLabel: opens its URL when clicked
};

struct ControlSpec {
  const wchar_t* name;
  Kind kind;
  int x, y, width, height;
  const wchar_t* caption = L"";
  const wchar_t* hint = L"";
  bool visible = true;
  bool enabled = true;
  COLORREF color = CLR_INVALID;  // face of a colour button
  const wchar_t* parent = nullptr;  // a panel or group box of the form; bounds are relative to it
};

// A menu entry; depth 0 is the menu bar. A caption of "-" is a separator.
struct MenuSpec {
  const wchar_t* name;
  const wchar_t* caption;
  int depth;
  bool checked = false;
};

enum class Event { Click, Change, DblClick };

struct FormSpec {
  const wchar_t* className;
  std::wstring caption;
  int clientWidth;
  int clientHeight;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const wchar_t* fontFace = L"Arial";
  int fontPoints = 8;
  bool bold = false;
  COLORREF background = RGB(255, 255, 255);
  bool keyPreview = true;
  int minTrackWidth = 0;   // the smallest window size the user can drag to; 0 = no limit
  int minTrackHeight = 0;
  // A window that lives for the run: every close (its box, Alt+F4, a WM_CLOSE from anywhere)
  // hides it, once any action it runs has ended.
  bool hideOnClose = false;
};

class Form {
 public:
  explicit Form(FormSpec layout);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window (hidden), its menu and controls, then runs FormCreate.
  void create(HWND owner = nullptr);
  HWND hwnd() const { return hwnd_; }
  bool exists() const { return hwnd_ != nullptr; }
  static Form* fromHwnd(HWND hwnd);

  void show();
  // Shows the window modally over `owner` and returns when it closes; the window is destroyed.
  void showModal(HWND owner);
  void close();

  // Controls and menu items by name; throws std::logic_error for an unknown name.
  HWND control(std::wstring_view name) const;
  bool hasControl(std::wstring_view name) const;
  bool hasMenu(std::wstring_view name) const { return findMenu(name) != nullptr; }
  // A long action (ui::Action) is running.
  bool busy() const { return actions_ > 0; }
  static bool anyBusy();
  // The window whose close ends the program; its close waits for the actions of every window.
  static void setMainWindow(const Form* form);
  // A close of this window, or of a window that owns it, waits for an action to end.
  bool closeWaiting() const;
  Grid& grid(std::wstring_view name) const;
  Chart& chart(std::wstring_view name) const;
  TURLLabel& urlLabel(std::wstring_view name) const;
  UINT menuId(std::wstring_view name) const;
  std::wstring text(std::wstring_view name) const;
  void setText(std::wstring_view name, const std::wstring& text);
  bool checked(std::wstring_view name) const;
  void setChecked(std::wstring_view name, bool on);
  bool enabled(std::wstring_view name) const;
  void setEnabled(std::wstring_view name, bool on);
  bool visible(std::wstring_view name) const;
  void setVisible(std::wstring_view name, bool on);
  void setTextColor(std::wstring_view name, COLORREF color);
  // A label drawn on its own colour instead of the form's background.
  void setBackColor(std::wstring_view name, COLORREF color);
  void setFont(std::wstring_view name, int points, bool bold);
  void focus(std::wstring_view name);
  // Replaces the tooltip of a control.
  void setHint(std::wstring_view name, const std::wstring& text);
  // Runs the handler of the event as the user's action would.
  void fire(std::wstring_view name, Event event = Event::Click);

  // Dispatches one message; window procedures of all forms end here.
  LRESULT dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // The form sees a key message (down, system down or up) before the control: the copy and menu
  // keys of a result list, then a key down goes to FormKeyDown with key preview on. True when
  // it handled the key.
  bool previewKey(UINT message, WORD key);
  // True when a background picture was decoded and is drawn.
  bool hasBackgroundPicture() const { return static_cast<bool>(backdrop_); }
  // The dots per inch the window is laid out at; the tables' pixels are for 96.
  int dpi() const { return dpi_; }
  // Pixels of the 96-DPI layout at the window's DPI.
  int scaled(int pixels) const;
  // Every control by name with the rectangle its table gives it: 96-DPI pixels in its parent.
  std::vector<std::pair<std::wstring, RECT>> layout() const;

 protected:
  void addControls(std::span<const ControlSpec> specs);
  void addMenu(std::span<const MenuSpec> specs);
  // Gives a result grid or list its context menu, with the items "Copy1" and "Export1" (see
  // ui/result_menu.h); `locked` are the controls an export holds off, as the window's actions do.
  void addResultMenu(std::wstring_view control, std::unique_ptr<ResultRows> rows,
                     std::span<const wchar_t* const> locked);
  void on(std::wstring_view name, Event event, std::function<void()> handler);
  void startTimer(UINT_PTR id, UINT milliseconds, std::function<void()> handler);
  void stopTimer(UINT_PTR id);
  void setBackgroundPicture(const win::Picture& picture);

  // Called while the window is created: add the tables, bind the handlers.
  virtual void build() = 0;
  virtual void FormCreate() {}
  virtual void FormActivate() {}
  virtual void FormClose() {}
  virtual bool FormKeyDown(WORD /*key*/) { return false; }
  // Window placement before the first show; centred on the screen unless overridden.
  virtual void place();
  // The pointer entered a control: its hint's part after '|', or the whole hint without one;
  // empty over the form or a control without a hint.
  virtual void applicationHint(const std::wstring& /*text*/) {}
  // Owner-drawn list boxes.
  virtual void drawItem(const std::wstring& /*control*/, DRAWITEMSTRUCT& /*item*/) {}
  virtual void measureItem(const std::wstring& /*control*/, MEASUREITEMSTRUCT& /*item*/) {}
  // The window was laid out again at a new DPI; what a window places by code it places again.
  virtual void dpiChanged() {}
  // Messages the base does not handle.
  virtual LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);

  HFONT font() const { return font_.get(); }

  // A close asked for while this window or a window it owns runs an action is held back: true
  // when it is, and the close is carried out by closeAfterAction once the actions end.
  bool holdClose();
  virtual void closeAfterAction() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

 private:
  friend class Action;
  struct Control {
    std::wstring name;
    HWND hwnd = nullptr;
    Kind kind = Kind::Label;
    COLORREF face = CLR_INVALID;
    COLORREF textColor = CLR_INVALID;
    COLORREF backColor = CLR_INVALID;
    win::Brush backBrush;
    bool hover = false;
    std::wstring longHint;  // the part of the hint after '|'
    RECT table = {};  // the table's rectangle, 96-DPI pixels in the parent
    std::pair<int, bool> fontKey{0, false};  // points and weight given by setFont; 0 for the form's font
    WNDPROC originalProc = nullptr;
    std::unique_ptr<Grid> grid;
    std::unique_ptr<Chart> chart;
    std::unique_ptr<TURLLabel> urlLabel;
  };
  struct MenuItem {
    HMENU parent = nullptr;
    UINT id = 0;
    HMENU submenu = nullptr;
  };

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK linkLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK containerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void registerClass() const;
  void beginAction();
  void endAction() noexcept;
  bool closeBlocked() const;
  void createControl(const ControlSpec& layout);
  Control* findControl(std::wstring_view name) const;
  const MenuItem* findMenu(std::wstring_view name) const;
  UINT newMenuId(const wchar_t* name) const;
  void onCommand(UINT id, UINT code, HWND from);
  LRESULT onCtlColor(HDC dc, HWND from, bool isStatic);
  void drawColorButton(const DRAWITEMSTRUCT& item);
  void paintBackground(HDC dc);
  // Paints the form's background behind `child` in the child's own coordinates.
  void paintBackgroundBehind(HWND child, HDC dc);
  void setHover(Control& control, bool on);
  RECT scaled(const RECT& table) const;
  void makeFonts();
  HFONT fontFor(std::pair<int, bool> key);
  void onDpiChanged(int dpi, const RECT& suggested);
  void stretchBackdrop();

  FormSpec spec_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  HWND tooltip_ = nullptr;
  HWND hintSource_ = nullptr;  // the window whose hint was last told
  HMENU menuBar_ = nullptr;
  bool closing_ = false;
  int actions_ = 0;
  bool closePending_ = false;  // a close asked for while an action ran
  win::Font font_;
  win::Font underlined_;
  std::map<std::pair<int, bool>, win::Font> fonts_;
  win::Brush backgroundBrush_;
  win::Bitmap backdrop_;       // the picture at the client's size
  win::Brush backdropBrush_;   // paints the backdrop behind see-through controls
  std::map<std::wstring, std::unique_ptr<Control>, std::less<>> controls_;
  std::map<UINT, Control*> controlsById_;
  std::map<std::wstring, MenuItem, std::less<>> menus_;
  std::map<UINT, std::wstring> menusById_;
  std::map<std::pair<std::wstring, Event>, std::function<void()>, std::less<>> handlers_;
  std::map<UINT_PTR, std::function<void()>> timers_;
  std::unique_ptr<ResultMenu> resultMenu_;
};

}  // namespace kestova::ui
