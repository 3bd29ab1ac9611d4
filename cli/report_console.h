// Standard error during one run of canopex-convert: the run's messages, each
// led by "canopex-convert: REPORT: " so that a batch loop's log says which
// report it is about, and, on a terminal, one progress line that updates in
// place and is erased before anything else is printed.
#pragma once

#include <chrono>
#include <string>

#include "conversion/message_sink.h"
#include "conversion/progress_listener.h"

namespace canopex {

class ReportConsole final : public MessageSink, public ProgressListener {
 public:
  // `show_progress`: standard error is a terminal and progress is wanted.
  ReportConsole(std::string report, bool show_progress);

  // A message of the run; the last one shown is remembered.
  void ShowMessage(const std::string& text) override;
  // A warning: "canopex-convert: REPORT: warning: TEXT".
  void ShowWarning(const std::string& text);
  // Prints `text` as it is, after erasing the progress line.
  void Print(const std::string& text);

  // Draws the progress line once the run has lasted kProgressDelay, then at
  // most every kProgressInterval.
  void Advanced(const RunProgress& progress) override;
  // Erases the progress line, if one is shown.
  void EraseProgress();

  const std::string& last_shown() const { return last_shown_; }

 private:
  static constexpr std::chrono::milliseconds kProgressDelay{1000};
  static constexpr std::chrono::milliseconds kProgressInterval{100};

  std::string prefix_;
  bool show_progress_;
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point last_drawn_;
  std::size_t progress_width_ = 0;  // characters of the line on screen; 0 when none
  std::string last_shown_;
};

}  // namespace canopex
