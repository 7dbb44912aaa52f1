#include "program/options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bramble {
namespace {

// The settings a command line gives, in one comparable line.
std::string describe(const Options& options) {
  const RunSettings& o = options.settings;
  std::ostringstream text;
  text << (options.action == ProgramAction::help      ? "help"
           : options.action == ProgramAction::version ? "version" : "run");
  if (o.rule) text << (*o.rule == SplittingRule::gini ? " gini" : " entropy");
  if (o.mode) text << (*o.mode == RunMode::controlled ? " controlled" : " automatic");
  if (!o.output_base.empty()) text << " out=" << o.output_base;
  if (o.quiet) text << " quiet";
  if (o.html) text << " html";
  if (o.json) text << " json";
  if (!o.names_file.empty()) text << " names=" << o.names_file;
  if (o.data_file) text << " data=" << *o.data_file;
  return text.str();
}

// expected: the settings, or "error: " and a fragment of the message.
struct Row { std::vector<std::string> args; const char* expected; };

TEST(Options, ParseTable) {
  const Row rows[] = {
      {{}, "run"}, {{"d.dat"}, "run data=d.dat"}, {{"--", "-g"}, "run data=-g"},
      {{"-"}, "run data=-"}, {{"-h"}, "help"}, {{"d", "--help"}, "help data=d"},
      {{"-g", "-a", "-o", "out/iris", "d.dat"}, "run gini automatic out=out/iris data=d.dat"},
      {{"d.dat", "--gini", "--controlled"}, "run gini controlled data=d.dat"},
      {{"-ga", "-ok", "d.dat"}, "run gini automatic out=k data=d.dat"},
      {{"--output=r/x.y", "--entropy", "d"}, "run entropy out=r/x.y data=d"},
      {{"--output", "r", "-q", "d"}, "run out=r quiet data=d"},
      {{"--html", "--json", "--names", "n.txt", "d"}, "run html json names=n.txt data=d"},
      {{"--version"}, "version"},
      {{"--gin"}, "error: unknown option '--gin'"},
      {{"-x", "d"}, "error: unknown option '-x'"},
      {{"-e", "-g"}, "error: contradicting options: two splitting rules"},
      {{"-a", "--controlled"}, "error: contradicting options: two modes"},
      {{"a.dat", "b.dat"}, "error: extra argument 'b.dat'"},
      {{"d", "-o"}, "error: option '-o' needs an argument"},
      {{"--output"}, "error: option '--output' needs an argument"},
      {{"--output="}, "error: option '--output' needs a non-empty argument"},
      {{"--gini=yes"}, "error: option '--gini' takes no argument"},
      {{""}, "error: an empty data file name"},
  };
  for (const Row& row : rows) {
    const ParsedOptions parsed = parse_options(row.args);
    std::string args;
    for (const std::string& arg : row.args) args += " [" + arg + "]";
    const std::string expected = row.expected;
    if (expected.compare(0, 7, "error: ") == 0) {
      EXPECT_NE(parsed.error.find(expected.substr(7)), std::string::npos)
          << args << " gave error '" << parsed.error << "'";
    } else {
      EXPECT_EQ(parsed.error, "") << args;
      EXPECT_EQ(describe(parsed.options), expected) << args;
    }
  }
}

}  // namespace
}  // namespace bramble
