// main() of the wx window tests: wx is started once, without a main loop of
// its own; each test opens its windows and modal dialogs run their own.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace {

class TestApp final : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    fprintf(stderr, "wx could not start (is there a display?)\n");
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
