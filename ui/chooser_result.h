// What a toolkit's chooser returns, put into the form the dialog logic
// expects of every platform.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace canopex {

// `path` with "." and `extension` added when its file name has no extension,
// as the Windows file chooser adds its default extension; unchanged when
// the extension is empty or the path names no file.
std::string WithDefaultExtension(std::string path, const std::string& extension);

// Runs a save chooser until the user settles on a path, as the Windows
// chooser does with a default extension. `show` runs the chooser opened on a
// path and returns the chosen one, or nothing for a cancel. A name chosen
// without an extension gets `extension`; when the file so named exists and
// `overwrite_prompt` is set, `confirm_replace` asks the user about it (the
// chooser itself asked only about the name as typed), and a no opens the
// chooser again on that name.
std::optional<std::string> SettleSavePath(
    const std::string& initial_path, const std::string& extension, bool overwrite_prompt,
    const std::function<std::optional<std::string>(const std::string&)>& show,
    const std::function<bool(const std::string&)>& confirm_replace);

// A POSIX folder path without trailing slashes; the root stays "/".
std::string FolderWithoutTrailingSeparator(std::string path);

}  // namespace canopex
