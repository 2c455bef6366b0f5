// The manual page is written by hand; these tests keep it from drifting away
// from what the program accepts and what --help says.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "settings/RegSettings.h"

namespace warpix {
namespace {

// The page as a reader sees it: font changes dropped, "\-" a plain dash.
std::string manPageText() {
  std::ifstream in(std::string(WARPIX_SOURCE_DATA_DIR) + "/warpix.6");
  std::stringstream raw;
  raw << in.rdbuf();
  const std::string source = raw.str();
  std::string text;
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\\' && i + 1 < source.size()) {
      if (source[i + 1] == 'f' && i + 2 < source.size() && std::string_view("BIRP").find(source[i + 2]) != std::string_view::npos) {
        i += 2;
        continue;
      }
      if (source[i + 1] == '-') {
        text += '-';
        ++i;
        continue;
      }
    }
    text += source[i];
  }
  return text;
}

// Every "-x" or "--long-name" that starts a word of `text`.
std::set<std::string> optionsIn(const std::string& text) {
  std::set<std::string> options;
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; };
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '-' || !(at == 0 || isSpace(text[at - 1]) || text[at - 1] == ',' || text[at - 1] == '(')) continue;
    std::size_t name = at + 1;
    if (name < text.size() && text[name] == '-') ++name;
    if (name >= text.size() || text[name] < 'a' || text[name] > 'z') continue;
    std::size_t end = name;
    while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || text[end] == '-')) ++end;
    options.insert(text.substr(at, end - at));
    at = end - 1;
  }
  return options;
}

// Whether `word` stands on its own in `text`, not as part of a longer option.
bool hasWord(const std::string& text, const std::string& word) {
  const auto isNamePart = [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; };
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool startsWord = at == 0 || !isNamePart(text[at - 1]);
    const std::size_t end = at + word.size();
    if (startsWord && (end == text.size() || !isNamePart(text[end]))) return true;
  }
  return false;
}

TEST(ManPage, DescribesEveryOptionOfTheHelp) {
  const std::string page = manPageText();
  ASSERT_FALSE(page.empty()) << "data/warpix.6 is missing";
  const std::set<std::string> options = optionsIn(CommandLine::usage("warpix"));
  // The scan itself must find the switches and both kinds of long option.
  for (const char* known : {"-s", "-root", "--render", "--do-image"}) ASSERT_TRUE(options.count(known)) << known;
  for (const std::string& option : options) EXPECT_TRUE(hasWord(page, option)) << option << " is not in the man page";
}

TEST(ManPage, NamesOnlyOptionsTheProgramKnows) {
  for (const std::string& option : optionsIn(manPageText())) {
    if (option.size() < 3) continue;  // the one-letter switches never fail to parse
    const CommandLine cl = CommandLine::parse({option, "1"});
    EXPECT_EQ(cl.error.rfind("unknown option", 0), std::string::npos) << option;
  }
}

TEST(ManPage, GivesTheRangeAndDefaultOfEverySettingOption) {
  const std::string page = manPageText();
  for (const RegSettings::Field& field : RegSettings::fields()) {
    if (field.option.empty()) continue;
    const std::string option = "--" + std::string(field.option);
    const std::size_t at = page.find(".BI " + option + " ");
    ASSERT_NE(at, std::string::npos) << option;
    const std::string entry = page.substr(at, std::min(page.find("\n.TP", at), page.find("\n.SH", at)) - at);
    const std::string range = std::to_string(field.lo) + " to " + std::to_string(field.hi);
    const std::string fallback = "(default " + std::to_string(field.fallback) + ")";
    EXPECT_NE(entry.find(range), std::string::npos) << option << " should say " << range;
    EXPECT_NE(entry.find(fallback), std::string::npos) << option << " should say " << fallback;
  }
}

}  // namespace
}  // namespace warpix
