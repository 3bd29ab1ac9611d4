#include "cli/report_console.h"

#include <cstdio>

#include "conversion/progress_text.h"

namespace canopex {

ReportConsole::ReportConsole(std::string report, bool show_progress)
    : prefix_("canopex-convert: " + report + ": "),
      show_progress_(show_progress),
      started_(std::chrono::steady_clock::now()) {}

void ReportConsole::ShowMessage(const std::string& text) {
  Print(prefix_ + text + "\n");
  last_shown_ = text;
}

void ReportConsole::ShowWarning(const std::string& text) {
  Print(prefix_ + "warning: " + text + "\n");
}

void ReportConsole::Print(const std::string& text) {
  EraseProgress();
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

void ReportConsole::Advanced(const RunProgress& progress) {
  if (!show_progress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - started_ < kProgressDelay) return;
  if (progress_width_ > 0 && now - last_drawn_ < kProgressInterval) return;
  const std::string line = prefix_ + ProgressText(progress);
  // A shorter line is padded with blanks over the end of the longer one.
  const int padding = progress_width_ > line.size() ? static_cast<int>(progress_width_ - line.size()) : 0;
  std::fprintf(stderr, "\r%s%*s", line.c_str(), padding, "");
  std::fflush(stderr);
  progress_width_ = line.size() + static_cast<std::size_t>(padding);
  last_drawn_ = now;
}

void ReportConsole::EraseProgress() {
  if (progress_width_ == 0) return;
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(progress_width_), "");
  std::fflush(stderr);
  progress_width_ = 0;
}

}  // namespace canopex
