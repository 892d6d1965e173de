#include "line_editor.h"

#include <csignal>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/select.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

#ifdef RADIXCALC_HAVE_READLINE
#include <readline/history.h>
#include <readline/readline.h>
#endif

namespace radixcalc {
namespace {

volatile std::sig_atomic_t g_line_interrupted = 0;

// A prompt on standard output and a line from standard input.
class PlainEditor : public LineEditor {
 public:
  bool ReadLine(std::string_view prompt, std::string& line) override {
    std::cout << prompt << std::flush;
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  void AddHistory(std::string_view) override {}
};

#ifdef RADIXCALC_HAVE_READLINE

// readline's alternate interface: a select loop around rl_callback_read_char,
// so that Ctrl+C (which only sets a flag) interrupts the wait, and the line
// being typed can be dropped outside the signal handler.
class ReadlineEditor : public LineEditor {
 public:
  ReadlineEditor() {
    rl_catch_signals = 0;  // SIGINT is radixcalc's
    rl_readline_name = "radixcalc";
  }

  bool ReadLine(std::string_view prompt, std::string& line) override {
    const std::string text(prompt);
    g_line_interrupted = 0;
    done_ = false;
    eof_ = false;
    current_ = this;
    rl_callback_handler_install(text.c_str(), &ReadlineEditor::OnLine);
    while (!done_) {
      fd_set fds;
      FD_ZERO(&fds);
      FD_SET(fileno(rl_instream), &fds);
      const int ready = select(fileno(rl_instream) + 1, &fds, nullptr, nullptr, nullptr);
      if (ready < 0) {
        if (errno != EINTR) {
          eof_ = true;
          break;
        }
        if (g_line_interrupted) {  // Ctrl+C: a fresh prompt
          g_line_interrupted = 0;
          rl_free_line_state();
          rl_crlf();
          rl_replace_line("", 0);
          rl_on_new_line();
          rl_redisplay();
        }
        continue;
      }
      rl_callback_read_char();
    }
    if (!done_) rl_callback_handler_remove();
    current_ = nullptr;
    if (eof_) return false;
    line = std::move(line_);
    return true;
  }

  void AddHistory(std::string_view line) override {
    const std::string text(line);
    add_history(text.c_str());
  }

 private:
  static void OnLine(char* line) {
    ReadlineEditor* self = current_;
    // Removed here, so that readline does not show the prompt again before
    // the line has run.
    rl_callback_handler_remove();
    if (self == nullptr) {
      std::free(line);
      return;
    }
    self->done_ = true;
    if (line == nullptr) {
      self->eof_ = true;
    } else {
      self->line_ = line;
      std::free(line);
    }
  }

  static inline ReadlineEditor* current_ = nullptr;
  bool done_ = false;
  bool eof_ = false;
  std::string line_;
};

#endif

}  // namespace

std::unique_ptr<LineEditor> MakeTerminalEditor() {
#ifdef RADIXCALC_HAVE_READLINE
  return std::make_unique<ReadlineEditor>();
#else
  return std::make_unique<PlainEditor>();
#endif
}

bool IsInteractiveTerminal() {
#ifdef _WIN32
  return _isatty(0) && _isatty(1);
#else
  return isatty(0) && isatty(1);
#endif
}

bool StdoutIsTerminal() {
#ifdef _WIN32
  return _isatty(1);
#else
  return isatty(1);
#endif
}

void InterruptLineEditor() { g_line_interrupted = 1; }

}  // namespace radixcalc
