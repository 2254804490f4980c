// The process-wide host and the headless host used until a real one is installed.
#include "dane/host.h"

#include "dane/window.h"

#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <string>

extern char** environ;

namespace dane {
namespace {

HeadlessHost& headless() {
  static HeadlessHost h;
  return h;
}

std::atomic<Host*> installed{nullptr};

class NoProgress : public Progress {
 public:
  void set_percent(int) override {}
  void set_text(std::string_view) override {}
  void redraw() override {}
};

}  // namespace

std::vector<std::string> split_bar_list(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto bar = text.find('|', start);
    parts.emplace_back(text.substr(start, bar == std::string_view::npos ? text.npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return parts;
}

std::optional<std::size_t> Host::popup_menu(const std::vector<MenuItem>&) {
  return std::nullopt;
}

std::optional<runtime::DayNumber> Host::choose_date(std::string_view, runtime::DayNumber) {
  return std::nullopt;
}

void Host::set_status_text(std::string_view) {}

Host& host() {
  Host* h = installed.load(std::memory_order_acquire);
  return h ? *h : headless();
}

void install_host(Host* h) {
  installed.store(h, std::memory_order_release);
}

int HeadlessHost::message(const MessageBox& box) {
  return box.default_answer;
}
void HeadlessHost::error_window(std::string_view, std::string_view) {}
std::unique_ptr<Progress> HeadlessHost::open_progress(std::string_view) {
  return std::make_unique<NoProgress>();
}
void HeadlessHost::set_busy(bool) {}
std::optional<std::string> HeadlessHost::choose_file(const FileDialog&) {
  return std::nullopt;
}
void HeadlessHost::set_clipboard(std::string_view text) {
  clipboard_.assign(text);
}
std::string HeadlessHost::clipboard() {
  return clipboard_;
}
bool HeadlessHost::open_with_desktop(std::string_view target) {
  return launch_desktop(target);
}
void HeadlessHost::show_help(std::string_view, std::string_view) {}
void HeadlessHost::run_window(Window& window) {
  window.request_close();
  if (!window.closed()) window.close(Response::Cancelled);
}

bool launch_desktop(std::string_view target) {
  if (target.empty()) return false;
  const bool mail = target.substr(0, 7) == "mailto:";
  std::string program = mail ? "xdg-email" : "xdg-open";
  std::string arg(target);
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  // The opener hands the target to the desktop and exits; reap it so no zombie is left behind.
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace dane
