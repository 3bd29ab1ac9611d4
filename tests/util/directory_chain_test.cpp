#include "util/directory_chain.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace canopex {
namespace {

// Windows folders in memory, with every creation attempt recorded. The walk
// on the native system, up to its limit of ten levels, is a conversion case;
// the Windows walk is pinned here for every build.
class FakeWindowsFolders final : public DirectoryOperations {
 public:
  explicit FakeWindowsFolders(std::set<std::string> existing) : folders_(std::move(existing)) {}

  bool Exists(const std::string& path) override { return folders_.count(path) > 0; }
  // The system splits at either slash; drive roots and names with
  // wildcards cannot be created.
  bool Create(const std::string& path) override {
    attempts.push_back(path);
    const std::size_t last = path.find_last_of("\\/");
    const bool drive = path.size() >= 2 && path[1] == ':';
    const bool parent_there = last == std::string::npos || (drive && last == 2) ||
                              folders_.count(path.substr(0, last)) > 0;
    return !Exists(path) && parent_there && !(drive && path.size() <= 3) &&
           path.find('?') == std::string::npos && folders_.insert(path).second;
  }

  std::vector<std::string> attempts;

 private:
  std::set<std::string> folders_;
};

TEST(CreateDirectoryChain, FollowsTheWindowsWalk) {
  const struct {
    std::set<std::string> existing; std::string path;
    bool succeeds; std::vector<std::string> attempts;
  } cases[] = {
      {{R"(D:\Out)"}, R"(D:\Out\a)", true, {R"(D:\Out\a)"}},
      // An existing folder fails after one retry.
      {{R"(D:\Out)", R"(D:\Out\a)", R"(D:\Out\a\b)"}, R"(D:\Out\a\b)", false,
       {R"(D:\Out\a\b)", R"(D:\Out\a\b)"}},
      {{}, "newfolder?", false, {"newfolder?"}},
      {{}, R"(Q:\)", false, {R"(Q:\)"}},
      {{}, R"(Q:\a\b)", true, {R"(Q:\a\b)", R"(Q:\a)", R"(Q:\a\b)"}},
      {{R"(D:\Out)"}, R"(D:\Out\)" + std::string(253, 'x'), false, {}},  // at the length limit
      // Only the backslash divides levels in the walk.
      {{R"(D:\Out)"}, "D:\\Out\\a/b", false, {"D:\\Out\\a/b", "D:\\Out\\a/b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.substr(0, 20));
    FakeWindowsFolders folders(c.existing);
    EXPECT_EQ(CreateDirectoryChain(c.path, folders, PathStyle::Windows), c.succeeds);
    EXPECT_EQ(folders.attempts, c.attempts);
  }
}

}  // namespace
}  // namespace canopex
