// The layout table that the wx front end builds its windows from must say
// what the resource script says, control for control; otherwise the two
// programs' windows drift apart unnoticed.
#include "ui/dialog_layout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace canopex {
namespace {

std::string ReadSource(const std::string& relative_path) {
  std::ifstream in(std::string(CANOPEX_SOURCE_DIR) + "/" + relative_path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The #define'd numbers of resource.h, plus the two system ids the script
// uses.
std::map<std::string, int> ResourceIds() {
  std::map<std::string, int> ids{{"IDOK", 1}, {"IDCANCEL", 2}, {"-1", -1}};
  std::istringstream lines(ReadSource("resources/resource.h"));
  std::string word, name, value;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    if (fields >> word >> name >> value && word == "#define") {
      ids[name] = static_cast<int>(std::stol(value, nullptr, 0));
    }
  }
  return ids;
}

// A resource statement's fields: the tokens between its commas. A quoted
// text stays one token, with its quotes, and "" inside it stands for ".
using Field = std::vector<std::string>;

struct Statement {
  std::string keyword;
  std::vector<Field> fields;
};

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '"') {
      std::string token = "\"";
      for (++i; i < text.size(); ++i) {
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
          token += '"';
          ++i;
        } else if (text[i] == '"') {
          ++i;
          break;
        } else {
          token += text[i];
        }
      }
      tokens.push_back(token);
    } else if (c == ',' || c == '|') {
      tokens.emplace_back(1, c);
      ++i;
    } else {
      std::size_t end = i;
      while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
             text[end] != ',' && text[end] != '|' && text[end] != '"') {
        ++end;
      }
      tokens.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return tokens;
}

// The statements of the template named `name`, with its caption and size.
struct Template {
  std::string caption;
  int width = 0, height = 0;
  std::vector<Statement> statements;
};

Template ReadTemplate(const std::string& script, const std::string& name) {
  Template result;
  const std::size_t head = script.find("\n" + name + " DIALOGEX");
  if (head == std::string::npos) return result;
  const std::size_t begin = script.find("\nBEGIN", head);
  const std::size_t end = script.find("\nEND", begin);
  if (begin == std::string::npos || end == std::string::npos) return result;

  const std::vector<std::string> header = Tokens(script.substr(head, begin - head));
  // NAME DIALOGEX 0 , 0 , width , height ...
  result.width = std::stoi(header.at(6));
  result.height = std::stoi(header.at(8));
  for (std::size_t i = 0; i + 1 < header.size(); ++i) {
    if (header[i] == "CAPTION") result.caption = header[i + 1].substr(1);
  }

  for (const std::string& token : Tokens(script.substr(begin + 6, end - begin - 6))) {
    if (std::isupper(static_cast<unsigned char>(token[0])) &&
        (token == "EDITTEXT" || token == "PUSHBUTTON" || token == "DEFPUSHBUTTON" ||
         token == "LTEXT" || token == "CONTROL")) {
      result.statements.push_back({token, {{}}});
    } else if (token == ",") {
      result.statements.back().fields.emplace_back();
    } else {
      result.statements.back().fields.back().push_back(token);
    }
  }
  return result;
}

bool Contains(const Field& field, const std::string& token) {
  for (const std::string& t : field) {
    if (t == token) return true;
  }
  return false;
}

// The script's statement as a layout entry; a step label reads as a label,
// as its font is set in code.
DialogControl ControlOf(const Statement& s, const std::map<std::string, int>& ids,
                        std::vector<std::string>& texts) {
  const auto number = [&](std::size_t i) { return std::stoi(s.fields.at(i).at(0)); };
  const auto text = [&](std::size_t i) {
    texts.push_back(s.fields.at(i).at(0).substr(1));
    return texts.back().c_str();
  };
  if (s.keyword == "EDITTEXT") {
    const bool read_only = s.fields.size() > 5 && Contains(s.fields[5], "ES_READONLY");
    return {ids.at(s.fields.at(0).at(0)),
            read_only ? ControlKind::ReadOnlyEdit : ControlKind::Edit,
            "", number(1), number(2), number(3), number(4)};
  }
  if (s.keyword == "CONTROL") {
    const bool icon = Contains(s.fields.at(3), "SS_ICON");
    const bool check_box = Contains(s.fields.at(3), "BS_AUTOCHECKBOX");
    EXPECT_TRUE(icon || check_box) << "unexpected CONTROL " << s.fields.at(1).at(0);
    return {ids.at(s.fields.at(1).at(0)), icon ? ControlKind::Icon : ControlKind::CheckBox,
            icon ? "" : text(0), number(4), number(5), number(6), number(7)};
  }
  const ControlKind kind = s.keyword == "LTEXT"           ? ControlKind::Label
                           : s.keyword == "DEFPUSHBUTTON" ? ControlKind::DefaultButton
                                                          : ControlKind::Button;
  return {ids.at(s.fields.at(1).at(0)), kind, text(0), number(2), number(3), number(4),
          number(5)};
}

std::string Describe(const DialogControl& c) {
  std::ostringstream out;
  out << "id " << c.id << " kind " << static_cast<int>(c.kind) << " \"" << c.text << "\" at "
      << c.x << "," << c.y << " size " << c.width << "x" << c.height;
  return out.str();
}

TEST(DialogLayoutTest, TablesMatchTheResourceScript) {
  const std::string script = ReadSource("resources/canopex.rc");
  ASSERT_FALSE(script.empty()) << "resources/canopex.rc not found";
  const std::map<std::string, int> ids = ResourceIds();

  const struct {
    const char* template_name;
    const DialogLayout& layout;
  } cases[] = {
      {"IDD_CANOPEX_DIALOG", MainDialogLayout()},
      {"IDD_ABOUTBOX", AboutBoxLayout()},
      {"IDD_SELECT_FOLDER", FolderHintLayout()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.template_name);
    const Template parsed = ReadTemplate(script, c.template_name);
    EXPECT_EQ(parsed.caption, c.layout.caption);
    EXPECT_EQ(parsed.width, c.layout.width);
    EXPECT_EQ(parsed.height, c.layout.height);
    ASSERT_EQ(parsed.statements.size(), c.layout.controls.size());
    std::vector<std::string> texts;
    texts.reserve(parsed.statements.size());
    for (std::size_t i = 0; i < parsed.statements.size(); ++i) {
      DialogControl expected = c.layout.controls[i];
      if (expected.kind == ControlKind::StepLabel) expected.kind = ControlKind::Label;
      EXPECT_EQ(Describe(ControlOf(parsed.statements[i], ids, texts)), Describe(expected))
          << "control " << i;
    }
  }
}

TEST(DialogLayoutTest, AboutMenuTextIsTheStringTablesEntry) {
  const std::string script = ReadSource("resources/canopex.rc");
  EXPECT_NE(script.find(std::string("IDS_ABOUTBOX    \"") + kAboutMenuText + "\"\n"),
            std::string::npos);
}

}  // namespace
}  // namespace canopex
