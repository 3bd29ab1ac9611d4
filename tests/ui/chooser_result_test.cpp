#include "ui/chooser_result.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

#include "support/temp_folder.h"

namespace canopex {
namespace {

TEST(ChooserResultTest, DefaultExtensionOnlyForANameWithoutOne) {
  const struct {
    const char* path;
    const char* extension;
    const char* expected;
  } cases[] = {
      {"/data/all stands", "txt", "/data/all stands.txt"},
      {"/data/all.tsv", "txt", "/data/all.tsv"},
      // A dot in a folder's name is not the file's extension.
      {"/data/run.2/all", "txt", "/data/run.2/all.txt"},
      {"/data/.hidden", "txt", "/data/.hidden"},
      {"/data/all", "", "/data/all"},
      {"/data/", "txt", "/data/"},
      {"", "txt", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithDefaultExtension(c.path, c.extension), c.expected) << c.path;
  }
}

TEST(ChooserResultTest, FolderLosesTrailingSlashesButTheRootStays) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"/data/out", "/data/out"}, {"/data/out/", "/data/out"}, {"/data/out//", "/data/out"},
      {"/", "/"},                 {"//", "/"},                 {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderWithoutTrailingSeparator(c.path), c.expected) << c.path;
  }
}

// The user's answers come in turn: the chooser's results (a chooser opened
// once too often cancels) and the answers to the question, which must be
// about the existing file (asked once too often, it is answered no). A
// chooser opens again on the existing file.
TEST(ChooserResultTest, SettleSavePathAsksAboutAnExistingFileThatGainedTheExtension) {
  testing::TempFolder folder;
  const std::string existing = folder / "stands.txt";
  std::ofstream(existing) << "earlier run\n";
  const std::string fresh = folder / "fresh";
  const struct {
    const char* name;
    std::deque<std::optional<std::string>> choices;
    std::deque<bool> answers;
    bool overwrite_prompt;
    std::optional<std::string> expected;
  } cases[] = {
      {"cancelled", {std::nullopt}, {}, true, std::nullopt},
      {"new name gains the extension", {fresh}, {}, true, fresh + ".txt"},
      // The chooser asked about a name typed with its extension already.
      {"existing name as typed", {existing}, {}, true, existing},
      {"existing once extended, replace", {folder / "stands"}, {true}, true, existing},
      {"existing once extended, no, then another name", {folder / "stands", fresh}, {false}, true,
       fresh + ".txt"},
      {"existing once extended, no, then cancel", {folder / "stands", std::nullopt}, {false}, true,
       std::nullopt},
      {"no prompt wanted", {folder / "stands"}, {}, false, existing},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    int shown = 0;
    const auto show = [&](const std::string& path) {
      EXPECT_EQ(path, shown++ == 0 ? "/start" : existing);
      std::optional<std::string> choice;
      if (!c.choices.empty()) choice = c.choices.front(), c.choices.pop_front();
      return choice;
    };
    const auto confirm = [&](const std::string& path) {
      EXPECT_EQ(path, existing);
      const bool answer = !c.answers.empty() && c.answers.front();
      if (!c.answers.empty()) c.answers.pop_front();
      return answer;
    };
    EXPECT_EQ(SettleSavePath("/start", "txt", c.overwrite_prompt, show, confirm), c.expected);
  }
}

}  // namespace
}  // namespace canopex
