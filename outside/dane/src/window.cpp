// The fixed order of a window's steps and the run from initialise to kill.
#include "dane/window.h"

#include "dane/error_object.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/library.h"
#include "runtime/text.h"

namespace dane {

Window::Window(std::string procedure_name) : procedure_name_(std::move(procedure_name)) {}

std::string help_file() {
  std::string folder(runtime::trim_right(GLO.LOCALPATH.view()));
  if (folder.empty()) return "qorvis7.chm";
  if (folder.back() != '/') folder += '/';
  return folder + "qorvis7.chm";
}

void Window::open_help() const {
  host().show_help(help_file(), help_topic_);
}

bool Window::accept(std::string_view control) {
  if (closed_) return false;
  return take_accepted(control);
}

bool Window::press_tool(std::string_view name) {
  const ToolButton* button = toolbar_.find(name);
  if (closed_ || !button || !button->enabled) return false;
  return take_accepted(button->name);
}

void Window::post(int event) {
  if (!closed_) take_event(event);
}

void Window::request_close() {
  if (!closed_ && take_close_event()) closed_ = true;
}

void Window::close(Response response) {
  response_ = response;
  closed_ = true;
}

bool Window::take_accepted(std::string_view) {
  return true;
}

void Window::take_event(int) {}

bool Window::take_close_event() {
  if (response_ == Response::None) response_ = Response::Cancelled;
  return true;
}

Response run_window(Window& window) {
  // The window's procedure name is the error context of its thread while it is open.
  ProcedureScope context(error_object(), window.procedure_name());
  window.closed_ = false;
  if (window.initialise()) {
    window.opened();
    host().run_window(window);
    // A host that gives up on a window (no display, script exhausted) must not leave it half open.
    if (!window.closed_) window.close(Response::Cancelled);
  } else {
    window.closed_ = true;
  }
  if (window.response_ == Response::None) window.response_ = Response::Cancelled;
  window.kill();
  return window.response_;
}

}  // namespace dane
