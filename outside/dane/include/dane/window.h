// The window manager: a window is a controller whose steps the framework runs in a fixed order
// (initialise, open, accepted control, event, close event, kill). Hosts show it and feed it the user's
// actions; the logic never touches a widget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dane/toolbar.h"

namespace dane {

// Request modes of the call protocol between windows, and responses.
enum class Request : std::uint8_t { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4, View = 6 };
enum class Response : std::uint8_t { None = 0, Completed = 1, Cancelled = 2 };

class Window {
 public:
  enum class Kind { Plain, Browse, Form };

  explicit Window(std::string procedure_name);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  virtual Kind kind() const { return Kind::Plain; }

  // The procedure name: error context while open and the key of its geometry in the settings file.
  const std::string& procedure_name() const { return procedure_name_; }
  const std::string& title() const { return title_; }
  void set_title(std::string_view title) { title_.assign(title); }
  const std::string& help_topic() const { return help_topic_; }
  void set_help_topic(std::string_view topic) { help_topic_.assign(topic); }
  // F1: opens the window's help topic in the system's help file through the host.
  void open_help() const;

  Request request() const { return request_; }
  void set_request(Request r) { request_ = r; }
  Response response() const { return response_; }
  void set_response(Response r) { response_ = r; }

  // The control that has the focus (a validation that fails sends it back to its field).
  const std::string& focus() const { return focus_; }
  void set_focus(std::string_view control) { focus_.assign(control); }

  // The window's toolbar and the tooltips of its controls, set up before it is run; hosts show them.
  Toolbar& toolbar() { return toolbar_; }
  const Toolbar& toolbar() const { return toolbar_; }
  Tooltips& tooltips() { return tooltips_; }
  const Tooltips& tooltips() const { return tooltips_; }
  // A toolbar button pressed: the accepted control of the button's name. False for a button the toolbar
  // does not have or has disabled (nothing runs).
  bool press_tool(std::string_view name);

  // What the user does, as the host reports it. Each runs the matching step.
  // `accept` runs take_accepted for the control; false means the control refused (the focus stays).
  bool accept(std::string_view control);
  void post(int event);
  // The user asks to close; take_close_event may keep the window open.
  void request_close();
  // Closes without asking (the window's own decision, e.g. a completed form).
  void close(Response response);
  bool closed() const { return closed_; }

 protected:
  // The steps, in the order the framework runs them. initialise returning false closes the window before
  // it is shown (for instance a refused permission); kill runs in every case.
  virtual bool initialise() { return true; }
  virtual void opened() {}
  virtual bool take_accepted(std::string_view control);
  virtual void take_event(int event);
  virtual bool take_close_event();
  virtual void kill() {}

 private:
  friend Response run_window(Window& window);

  std::string procedure_name_;
  std::string title_;
  std::string help_topic_;
  std::string focus_;
  Toolbar toolbar_;
  Tooltips tooltips_;
  Request request_ = Request::None;
  Response response_ = Response::None;
  bool closed_ = false;
};

// The system's help file: "qorvis7.chm" in the program's local folder (GLO.LOCALPATH, trailing blanks cut;
// the bare name when the folder is not set).
std::string help_file();

// Runs a window from initialise to kill: sets the error context, lets the installed host show it until it
// closes, clears the context, and gives the response the window left.
Response run_window(Window& window);

}  // namespace dane
