// Where the converter's messages to the user go: a message box in the window,
// standard error on the command line, a list in tests. The converter waits
// for ShowMessage to return and then goes on.
#pragma once

#include <string>

namespace canopex {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace canopex
