// The report page of hand-made models read back as XML: conditions, majorities and rates in words,
// no two boxes or labels overlap, and hostile names stay text.
#include <gtest/gtest.h>

#include "html/page.h"
#include "html/page_summary.h"
#include "model/model_reader.h"
#include "model/names.h"
#include "support/hand_model.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

constexpr auto npos = std::string::npos;

// A controlled run in three classes labelled 1 to 3 (html/three_classes.json); colour has rare
// categories merged into 999.
bramble::Model three_class_run() {
  bramble::Model m = model_of_file(source_dir() + "/tests/html/three_classes.json");
  const auto ordinal = bramble::CovariateKind::ordinal, nominal = bramble::CovariateKind::nominal;
  m.judged = {{1, 1, ordinal, 2.45, {}, false, 0.6667, 2.5, 1.8, 3.4, false, 0, 0, 0, true},
              {3, 3, ordinal, 1.75, {}, false, 0.99, 1.1, 0.8, 1.5, false, 0, 0, 0, false},
              {3, 2, nominal, 0, {2, 999}, false, 0.98, 1.2, 0.9, 1.6, false, 0, 0, 0, true}};
  return m;
}

std::string page_summary(const std::string& page) {
  const std::string path = make_scratch_dir() + "/page.html";
  write_file(path, page);
  return page_summary_of_file(path);
}

// No overlap, nothing fetched; conditions, majorities and rates in words. (That every node shows
// with its counts is checked on whole runs, against the report.)
TEST(HtmlPage, ShowsEveryNodeAndSaysConditionsMajoritiesAndRatesInWords) {
  const struct {
    bramble::Model model;
    std::vector<std::string> fragments;  // in the summary or in the page
  } runs[] = {
      {hand_model(),
       {"edge 1 2 age \u2264 50.5 or missing", "edge 1 3 age > 50.5\n",
        "edge 2 4 stage in {1, 2}", "edge 2 5 stage in {merged, missing}",
        "text 4 node 4 | n = 7 | 7 / 0 | class 1", "text 5 node 5 | n = 3 | 1 / 2 | class 2",
        "<h2>Grown tree</h2>", "Misclassification rate 0.1000: 2 of 20 cases",
        "<h2>Pruned tree, p = 0.01</h2>", "Critical value 6.6348 with 1 degree of freedom",
        "Misclassification rate 0.2500: 5 of 20", "edge 1 3 age > 50.5 or missing",
        "<td>missing copy of age</td>",
        "<td>1 (5), 2 (6), merged (8), missing (1)</td><td>1</td><td>merged: 5, 7 (999 in",
        "<td>2: age \u2264 50.5 or missing</td><td>3: age &gt; 50.5</td><td>9.5000</td>"}},
      {three_class_run(),
       {"edge 3 5 colour in {2, merged}", "edge 3 4 colour in {1, 3, 4, 5, 6, 7, 8}",
        "text 4 node 4 | n = 54 | 0 / 30 / 24 | class 2", "<h2>Your tree</h2>",
        "Misclassification rate 0.2933: 44 of 150",
        "<td>merged: 9, 10, 11 (999 in the report)</td>",
        "<td>colour in {2, merged}</td><td>0.9800</td><td>1.2000</td><td>0.9000 to 1.6000</td>"
        "<td>not computed</td><td></td><td>yes</td>",
        "<td>petal.width</td><td>petal.width &gt; 1.75</td>",
        "<td>not computed</td><td></td><td>no</td>"}},
  };
  for (const auto& run : runs) {
    const std::string page = bramble::html_page(run.model);
    const std::string summary = page_summary(page);
    EXPECT_EQ(summary.find("overlap"), npos) << summary;
    EXPECT_EQ(summary.find("below 9 px"), npos);
    for (const char* fetching : {"<script", "src=", "href=", "url(", "@import"}) {
      EXPECT_EQ(page.find(fetching), npos) << fetching;
    }
    for (const std::string& fragment : run.fragments) {
      EXPECT_NE((summary + page).find(fragment), npos) << fragment;
    }
  }
}

TEST(HtmlPage, HostileNamesStayText) {
  bramble::Model model = hand_model();
  model.data_file = "r&d \"x\".dat";
  model.covariates[0].name = "a<b&c\"d'e";
  model.covariates[1].name = "</svg><x>";
  model.covariates[2].name = "\xff\x01z";  // not UTF-8, and a control character
  const std::string page = bramble::html_page(model);
  const std::string summary = page_summary(page);
  for (const char* fragment : {"name a<b&c\"d'e\n", "name </svg><x>\n", "name \uFFFD\uFFFDz\n",
                               "edge 2 5 </svg><x> in {merged, missing}",
                               "edge 1 3 a<b&c\"d'e > 50.5"}) {
    EXPECT_NE(summary.find(fragment), npos) << fragment;
  }
  EXPECT_NE(page.find("<title>Trees of r&amp;d &quot;x&quot;.dat</title>"), npos);
  EXPECT_EQ(page.find("a<b"), npos);
}

TEST(NamesFile, OneNamePerColumnOrARefusalThatSaysWhy) {
  const struct {
    std::string content;
    std::size_t columns;
    std::vector<std::string> names;
    std::string error;  // a part of the message
  } rows[] = {
      {"outcome age\tstage\r\nid\n", 4, {"outcome", "age", "stage", "id"}, ""},
      {"\xEF\xBB\xBFy x1", 2, {"y", "x1"}, ""},
      {"y age", 3, {}, "holds 2 names, but the data file has 3 columns"},
      {"y age stage grade", 3, {}, "holds 4 names, but the data file has 3 columns"},
      {"", 2, {}, "holds 0 names"},
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
