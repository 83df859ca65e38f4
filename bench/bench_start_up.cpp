// The window's start-up against a bare Qt Widgets program showing a
// 1024 x 768 window: from exec to the main window being viewable and its
// first paint on the screen, without a card and with a sample card opened
// from the command line. Both run on an Xvfb of the benchmark's own, so no
// window manager or desktop takes part. Printed: the median of the runs and
// the ratio to the bare window (target: at most 2).
//
// The root window is filled with a key colour first; a window Qt maps shows
// what lies beneath it until the program draws, so the first paint is the
// moment the key colour has left the window's middle row and column.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BenchSpawn.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr double kTarget = 2.0;
constexpr uint32_t kKeyColour = 0x13579B;
// The main windows are 1024 x 768; dialogs and menus are smaller.
constexpr uint16_t kMainWidth = 1000;
constexpr uint16_t kMainHeight = 700;
constexpr int kStartTimeoutMs = 30000;
constexpr int kPollMs = 1;
// Under this share of key-coloured pixels the window counts as drawn.
constexpr double kDrawnShare = 0.01;
constexpr uint32_t kRgbMask = 0xFFFFFF;

struct StartTimes {
  double viewableS = 0.0;
  double paintedS = 0.0;
};

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// An Xvfb of its own; its display number comes back through a pipe.
class OwnXvfb {
 public:
  bool Start() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const std::string fd = std::to_string(fds[1]);
    std::vector<std::string> args = {"Xvfb",         "-displayfd", fd,    "-screen", "0",
                                     "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
      close(fds[0]);
      pid_ = 0;
      return false;
    }
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return false;
    display_ = ":" + number;
    return true;
  }
  ~OwnXvfb() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = 0;
  std::string display_;
};

// Watches the root window for the program's main window.
class Screen {
 public:
  bool Connect(const std::string& display) {
    connection_ = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) return false;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t events[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, events);
    const uint32_t background[] = {kKeyColour};
    xcb_change_window_attributes(connection_, root_, XCB_CW_BACK_PIXEL, background);
    xcb_clear_area(connection_, 0, root_, 0, 0, 0, 0);
    xcb_flush(connection_);
    return true;
  }
  ~Screen() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
  }

  // The next main-sized window mapped on the root; none when `child` ended
  // first or the time ran out.
  std::optional<xcb_window_t> WaitForMainWindow(pid_t child, Clock::time_point start) {
    while (SecondsSince(start) * 1000 < kStartTimeoutMs) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        std::optional<xcb_window_t> mapped;
        if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY) {
          const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
          if (!map->override_redirect && IsMainSized(map->window)) mapped = map->window;
        }
        std::free(event);
        if (mapped) return mapped;
      }
      if (waitpid(child, nullptr, WNOHANG) == child) return std::nullopt;
      WaitForEvents();
    }
    return std::nullopt;
  }

  // Waits until the window no longer shows the key colour.
  bool WaitForPaint(xcb_window_t window, Clock::time_point start) {
    const auto geometry = Geometry(window);
    if (!geometry) return false;
    while (SecondsSince(start) * 1000 < kStartTimeoutMs) {
      const size_t row = KeyPixels(window, 0, static_cast<int16_t>(geometry->height / 2), geometry->width, 1);
      const size_t column = KeyPixels(window, static_cast<int16_t>(geometry->width / 2), 0, 1, geometry->height);
      if (row + column < kDrawnShare * (geometry->width + geometry->height)) return true;
      Drain();
      WaitForEvents();
    }
    return false;
  }

  // Events of the run before (its windows going away) stay out of the next.
  void Drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
  }

 private:
  struct Size {
    uint16_t width;
    uint16_t height;
  };

  std::optional<Size> Geometry(xcb_window_t window) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    if (reply == nullptr) return std::nullopt;
    const Size size{reply->width, reply->height};
    std::free(reply);
    return size;
  }

  bool IsMainSized(xcb_window_t window) {
    const auto size = Geometry(window);
    return size && size->width >= kMainWidth && size->height >= kMainHeight;
  }

  // How many pixels of the rectangle show the key colour; all of them when
  // the window cannot be read.
  size_t KeyPixels(xcb_window_t window, int16_t x, int16_t y, uint16_t width, uint16_t height) {
    const size_t all = static_cast<size_t>(width) * height;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection_, xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, width, height, ~0u), nullptr);
    if (reply == nullptr) return all;
    const int length = xcb_get_image_data_length(reply);
    size_t keyed = 0;
    if (reply->depth < 24 || static_cast<size_t>(length) < all * 4) {
      keyed = all;
    } else {
      const uint8_t* data = xcb_get_image_data(reply);
      for (size_t i = 0; i < all; ++i) {
        uint32_t pixel = 0;
        std::memcpy(&pixel, data + i * 4, sizeof pixel);
        if ((pixel & kRgbMask) == kKeyColour) ++keyed;
      }
    }
    std::free(reply);
    return keyed;
  }

  void WaitForEvents() {
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    poll(&fd, 1, kPollMs);
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
};

// The children's environment: the own display, and home, settings and
// caches in a scratch folder so that no run sees the user's or another's.
std::vector<std::string> ChildEnvironment(const std::string& display, const fs::path& home) {
  const std::vector<std::pair<std::string, std::string>> own = {{"DISPLAY", display},
                                                                {"HOME", home.string()},
                                                                {"XDG_CONFIG_HOME", (home / "config").string()},
                                                                {"XDG_DATA_HOME", (home / "data").string()},
                                                                {"XDG_CACHE_HOME", (home / "cache").string()},
                                                                {"XDG_RUNTIME_DIR", (home / "runtime").string()},
                                                                {"QT_QPA_PLATFORM", "xcb"}};
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (std::none_of(own.begin(), own.end(), [&](const auto& pair) { return pair.first == name; }))
      environment.push_back(text);
  }
  for (const auto& [name, value] : own) environment.push_back(name + "=" + value);
  return environment;
}

std::optional<StartTimes> TimeStart(Screen& screen, const std::vector<std::string>& args,
                                    std::vector<std::string> environment) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  screen.Drain();
  pid_t pid = 0;
  const Clock::time_point start = Clock::now();
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return std::nullopt;
  std::optional<StartTimes> times;
  if (const auto window = screen.WaitForMainWindow(pid, start)) {
    const double viewable = SecondsSince(start);
    if (screen.WaitForPaint(*window, start)) times = StartTimes{viewable, SecondsSince(start)};
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Subject {
  const char* name;
  std::vector<std::string> args;
  std::vector<double> viewable;
  std::vector<double> painted;
};

}  // namespace

int main() {
  if (!OnPath("Xvfb")) {
    std::fprintf(stderr, "Xvfb is not installed (scripts/install-deps.sh installs it)\n");
    return 1;
  }
  char folder[] = "/tmp/korvane-bench-start-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const fs::path scratch = folder;
  const fs::path home = scratch / "home";
  for (const char* sub : {"config", "data", "cache", "runtime"}) fs::create_directories(home / sub);
  fs::permissions(home / "runtime", fs::perms::owner_all);
  const fs::path card = scratch / "card";
  if (!RunQuietly({KORVANE_CLI_PROGRAM, "make-sample-card", card.string()})) {
    std::fprintf(stderr, "korvane-cli make-sample-card failed\n");
    return 1;
  }

  OwnXvfb xvfb;
  Screen screen;
  if (!xvfb.Start() || !screen.Connect(xvfb.Display())) {
    std::fprintf(stderr, "cannot start an Xvfb\n");
    return 1;
  }
  const std::vector<std::string> environment = ChildEnvironment(xvfb.Display(), home);
  std::vector<Subject> subjects = {{"bare Qt window", {BARE_WINDOW_PROGRAM}, {}, {}},
                                   {"korvane, no card", {KORVANE_PROGRAM}, {}, {}},
                                   {"korvane, sample card", {KORVANE_PROGRAM, card.string()}, {}, {}}};
  // One round unmeasured, so every program starts from a warm page cache.
  for (int run = -1; run < kRuns; ++run) {
    for (Subject& subject : subjects) {
      const auto times = TimeStart(screen, subject.args, environment);
      if (!times) {
        std::fprintf(stderr, "%s: no window painted\n", subject.name);
        return 1;
      }
      if (run < 0) continue;
      subject.viewable.push_back(times->viewableS);
      subject.painted.push_back(times->paintedS);
    }
  }

  const double peer = Median(subjects.front().painted);
  std::printf("exec to the main window viewable / first painted, median of %d runs:\n", kRuns);
  for (const Subject& subject : subjects) {
    const double painted = Median(subject.painted);
    std::printf("  %-22s %.3f s / %.3f s: %.2fx the bare window (target <= %.0fx)\n", subject.name,
                Median(subject.viewable), painted, painted / peer, kTarget);
  }
  std::error_code ignored;
  fs::remove_all(scratch, ignored);
  return 0;
}
