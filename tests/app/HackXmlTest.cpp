// The hack's description offers only what the program takes: every slider
// passes an option the command line accepts over the slider's whole range.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/CommandLine.h"

namespace warpix {
namespace {

// The value of attribute `name` in `element`, or empty.
std::string attribute(const std::string& element, const std::string& name) {
  const std::string key = " " + name + "=\"";
  const std::size_t at = element.find(key);
  if (at == std::string::npos) return {};
  const std::size_t from = at + key.size();
  return element.substr(from, element.find('"', from) - from);
}

TEST(HackXml, EverySliderPassesAnOptionTheProgramTakesOverItsWholeRange) {
  std::ifstream in(std::string(WARPIX_SOURCE_DATA_DIR) + "/warpix.xml");
  const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(xml.empty());
  int sliders = 0;
  for (std::size_t at = xml.find("<number"); at != std::string::npos; at = xml.find("<number", at + 1)) {
    const std::string element = xml.substr(at, xml.find("/>", at) - at);
    const std::string arg = attribute(element, "arg");
    const std::string option = arg.substr(0, arg.find(' '));
    for (const char* end : {"low", "high", "default"}) {
      const CommandLine cl = CommandLine::parse({option, attribute(element, end)});
      EXPECT_NE(cl.action, CommandLine::Action::Error) << option << " " << end << ": " << cl.error;
    }
    ++sliders;
  }
  EXPECT_GE(sliders, 9);
  EXPECT_NE(xml.find("arg=\"--do-surf %\""), std::string::npos);
}

}  // namespace
}  // namespace warpix
