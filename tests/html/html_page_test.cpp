// What whole runs seldom meet: hostile names and a damaged tree on the page of a hand-made model,
// and the names file. (Whole runs' pages are checked against their reports.)
#include <gtest/gtest.h>

#include "html/page.h"
#include "html/page_summary.h"
#include "html/xml_text.h"
#include "model/model_reader.h"
#include "model/names.h"
#include "support/hand_model.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

constexpr auto npos = std::string::npos;

TEST(HtmlPage, HostileNamesStayText) {
  bramble::Model model = hand_model();
  model.data_file = "r&d \"x\".dat";
  model.covariates[0].name = "a<b&c\"d'e";
  model.covariates[1].name = "</svg><x>";
  // Not UTF-8 (a continuation byte first), a control character, U+0800, U+10FFFF, a surrogate and
  // an overlong 0 (bytewise).
  model.covariates[2].name =
      "\x84\x8f\xbf\xbf\x01z\xe0\xa0\x80\xf4\x8f\xbf\xbf\xed\xa0\x80\xe0\x80\x80";
  // Damage too: node 6's daughters past the table and below 1, a covariate the model lacks.
  model.trees[0].nodes[5].left = 99;
  model.trees[0].nodes[2].covariate = 9;
  const std::string page = bramble::html_page(model);
  const std::string path = make_scratch_dir() + "/page.html";
  write_file(path, page);
  const std::string summary = page_summary_of_file(path);
  for (const char* fragment : {"name a<b&c\"d'e\n", "name </svg><x>\n",
                               "name \uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz\u0800\U0010FFFF"
                               "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\n",
                               "edge 2 5 </svg><x> in {merged, missing}",
                               "edge 1 3 a<b&c\"d'e > 50.5\n",
                               "edge 1 3 a<b&c\"d'e > 50.5 or missing\n",  // the missing copy's
                               "edge 3 6 x9 in {}\nedge 3 7 x9 in {2}\n",
                               "text 6 node 6 | n = 5 | 4 / 1\nnode 7",
                               "edge 1 2 a<b&c\"d'e \u2264 50.5 or missing"}) {
    EXPECT_NE(summary.find(fragment), npos) << fragment;
  }
  EXPECT_NE(page.find("<title>Trees of r&amp;d &quot;x&quot;.dat</title>"), npos);
  EXPECT_EQ(page.find("a<b"), npos);
  // Two cells for a wide character: Hangul's leading consonants and everything from U+2E80.
  EXPECT_EQ(bramble::display_columns("\u1100\u115f\u2e80 \u10ff\u1160\u2e7f"), 10);
}

TEST(NamesFile, OneNamePerColumnOrARefusalThatSaysWhy) {
  const struct {  // error: a part of the message
    std::string content; std::size_t columns; std::vector<std::string> names; std::string error;
  } rows[] = {
      {"outcome age\tstage\r\nid\n", 4, {"outcome", "age", "stage", "id"}, ""},
      {"\xEF\xBB\xBFy x1", 2, {"y", "x1"}, ""},
      {"y age", 3, {}, "holds 2 names, but the data file has 3 columns"},
      {"y age stage grade", 3, {}, "holds 4 names, but the data file has 3 columns"},
  };
  const std::string dir = make_scratch_dir();
  for (const auto& row : rows) {
    write_file(dir + "/names", row.content);
    const bramble::NamesReading reading = bramble::read_names(dir + "/names", row.columns);
    EXPECT_EQ(reading.names, row.names) << row.content;
    EXPECT_NE(reading.error.find(row.error), npos) << reading.error;
    EXPECT_EQ(reading.ok(), row.error.empty());
  }
  for (const std::string& unreadable : {dir + "/absent", dir}) {
    EXPECT_NE(bramble::read_names(unreadable, 2).error.find("Cannot read the names file"), npos);
  }
}

}  // namespace
}  // namespace bramble_test
