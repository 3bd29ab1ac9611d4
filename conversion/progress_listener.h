// Told by the converter as a run goes on. The window converts on its own
// thread, so this is where it gets to repaint itself during a long run.
#pragma once

namespace canopex {

class ProgressListener {
 public:
  virtual ~ProgressListener() = default;
  // A cut list has been written (or has failed); the next one is still to
  // be read.
  virtual void CutListEnded() = 0;
};

}  // namespace canopex
