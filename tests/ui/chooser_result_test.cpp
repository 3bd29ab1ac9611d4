#include "ui/chooser_result.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace canopex
