#include "ui/chooser_result.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <vector>

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
      {"/data/all.txt", "txt", "/data/all.txt"},
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

TEST(ChooserResultTest, SettleSavePathAsksAboutAnExistingFileThatGainedTheExtension) {
  testing::TempFolder folder;
  const std::string existing = folder / "stands.txt";
  std::ofstream(existing) << "earlier run\n";
  const std::string fresh = folder / "fresh";

  const struct {
    const char* name;
    std::deque<std::optional<std::string>> choices;  // what the chooser returns, in turn
    std::deque<bool> answers;                        // the user's answers to the question
    bool overwrite_prompt;
    std::optional<std::string> expected;
    std::vector<std::string> opened_on;  // where each chooser opened
    std::vector<std::string> asked_about;
  } cases[] = {
      {"cancelled", {std::nullopt}, {}, true, std::nullopt, {"/start"}, {}},
      {"new name gains the extension", {fresh}, {}, true, fresh + ".txt", {"/start"}, {}},
      // The chooser asked about a name typed with its extension already.
      {"existing name as typed", {existing}, {}, true, existing, {"/start"}, {}},
      {"existing once extended, replace", {folder / "stands"}, {true}, true, existing,
       {"/start"}, {existing}},
      {"existing once extended, no, then another name",
       {folder / "stands", fresh},
       {false},
       true,
       fresh + ".txt",
       {"/start", existing},
       {existing}},
      {"existing once extended, no, then cancel", {folder / "stands", std::nullopt}, {false},
       true, std::nullopt, {"/start", existing}, {existing}},
      {"no prompt wanted", {folder / "stands"}, {}, false, existing, {"/start"}, {}},
  };
  // The chooser and the question answer in turn; a chooser opened once too
  // often cancels, a question asked once too often is answered no, and the
  // lists of where it opened and what it asked show either.
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> opened_on, asked_about;
    const auto show = [&](const std::string& path) {
      opened_on.push_back(path);
      std::optional<std::string> choice;
      if (!c.choices.empty()) choice = c.choices.front(), c.choices.pop_front();
      return choice;
    };
    const auto confirm = [&](const std::string& path) {
      asked_about.push_back(path);
      const bool answer = !c.answers.empty() && c.answers.front();
      if (!c.answers.empty()) c.answers.pop_front();
      return answer;
    };
    EXPECT_EQ(SettleSavePath("/start", "txt", c.overwrite_prompt, show, confirm), c.expected);
    EXPECT_EQ(opened_on, c.opened_on);
    EXPECT_EQ(asked_about, c.asked_about);
  }
}

}  // namespace
}  // namespace canopex
