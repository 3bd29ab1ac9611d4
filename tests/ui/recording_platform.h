// A DialogPlatform without a window: it keeps each control's text, enabled,
// checked and shown state, answers choosers from a queue and writes every
// call that has an effect into one event log, so tests can check order.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog_platform.h"

namespace canopex::testing {

class RecordingPlatform final : public DialogPlatform {
 public:
  void SetControlText(Control control, const std::string& text) override {
    texts[control] = text;
  }
  std::string ControlText(Control control) override { return texts[control]; }
  void EnableControl(Control control, bool enabled) override { this->enabled[control] = enabled; }
  void SetChecked(Control control, bool checked) override { this->checked[control] = checked; }
  bool IsChecked(Control control) override { return checked[control]; }
  void ShowControl(Control control, bool shown) override { this->shown[control] = shown; }

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    events.push_back(wait_cursors > 0 ? "message (waiting)" : "message");
  }
  void BeginWaitCursor() override {
    ++wait_cursors;
    events.push_back("wait cursor on");
  }
  void EndWaitCursor() override {
    --wait_cursors;
    events.push_back("wait cursor off");
  }

  void PaintDuringRun() override { events.push_back("paint"); }
  void DiscardQueuedInput() override { events.push_back("discard input"); }

  std::optional<std::string> Choose(const ChooserRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ChangeCurrentDirectory(const std::string& path) override {
    directory_changes.push_back(path);
  }

  std::map<Control, std::string> texts;
  std::map<Control, bool> enabled;
  std::map<Control, bool> checked;
  std::map<Control, bool> shown;
  std::vector<std::string> messages;
  std::vector<std::string> events;
  int wait_cursors = 0;
  // What the next choosers return: a path, or nothing for a cancel.
  std::deque<std::optional<std::string>> answers;
  std::vector<ChooserRequest> requests;
  std::vector<std::string> directory_changes;
};

}  // namespace canopex::testing
