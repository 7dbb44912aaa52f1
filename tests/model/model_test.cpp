// The JSON model and the classifier: the JSON reader's edges, hand-picked cases sent where the
// program's splits would, damaged models refused, a model that survives writing and reading
// unchanged, and `bramble classify` end to end.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "interactive/scripted_console.h"
#include "model/classify.h"
#include "model/json.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "program/classify_command.h"
#include "support/hand_model.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

using namespace bramble;

constexpr double NA = MISSING_VALUE;

TEST(Classifier, SendsEachCaseWhereTheSplitsOfTheProgramWould) {
  struct Row { std::size_t tree; double age, stage, grade; int node; };
  const Row rows[] = {
      {0, 45, 1, 1, 4},    {0, 60, 1, 2, 7},  {0, 60, 1, 3, 6},
      {0, 50.5, 1, 2, 4},  // the cut-off itself goes left
      {0, NA, 2, 2, 4},    // a missing ordinal value goes left
      {0, 30, 5, 1, 5},    // 5 was merged into 999, which goes right
      {0, 30, NA, 1, 5},   // a missing value is the missing category -9, which goes right
      {0, 30, 3, 1, 4},    // a label the model never saw goes left; so does a fraction
      {0, 60, 1, 2.5, 6},  {0, 60, 1, NA, 6},  // and a missing value without a missing category
      {1, NA, 1, 1, 3},    // a split on the missing copy sends missing values right
      {1, 45, 1, 1, 2},    {1, 51, 1, 1, 3},
  };
  Model model = hand_model();
  model.trees[0].nodes[2].right_categories = {0, 2};  // no value without a category goes as 0
  for (const Row& row : rows) {
    const double values[] = {row.age, row.stage, row.grade};
    const ModelTree& tree = model.trees[row.tree];
    EXPECT_EQ(tree.nodes[terminal_node(model, tree, values)].number, row.node)
        << "tree " << row.tree << ": " << row.age << " " << row.stage << " " << row.grade;
  }
}

// The JSON layer alone, at the edges of RFC 8259: the text of a string or number read, or a part of
// the refusal.
TEST(Json, ReadsStringsAndNumbersStrictly) {
  const std::string utf8_edges =
      "\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80"  // U+0080 ... U+10000
      "\xf4\x8f\xbf\xbf\xed\x9f\xbf\xee\x80\x80";               // U+10FFFF, U+D7FF, U+E000
  std::string nested = "0";  // 32 levels, objects and arrays in turn
  for (int level = 0; level < 32; level += 2) nested = R"({"": [)" + nested + "]}";
  const struct { std::string json; bool read; std::string text; } rows[] = {
      {R"("\u0080\u07ff\u0800\uffff\ud800\udc00\udbff\udfff\ud7ff\ue000")", true, utf8_edges},
      {'"' + utf8_edges + '"', true, utf8_edges},
      {nested, true, ""}, {"[" + nested + "]", false, "nesting deeper than 32 levels"},
      {" \t\r\n-0.5E-3 \n", true, "-0.5E-3"},
      {R"("\ud800")", false, "line 1, column 8: a high surrogate without a low one"},
      {R"("\udbff\ue000")", false, "a high surrogate without a low one"},
      {R"("\udc00")", false, "a low surrogate without"}, {R"("\udfff")", false, "a low surrogate"},
      {"\"ab", false, "the text ends inside a string"}, {"\"\xe1\x80\"", false, "UTF-8"},
      {"\"\xe0\x9f\xbf\"", false, "column 2: a string that is not valid UTF-8"},
      {"\"\xf0\x8f\xbf\xbf\"", false, "UTF-8"}, {"\"\xf4\x90\x80\x80\"", false, "UTF-8"},
      {"012", false, "column 2: unexpected text after"}, {" ", false, "the text ends where"},
  };
  for (const auto& row : rows) {
    JsonValue value;
    std::string error;
    EXPECT_EQ(parse_json(row.json, value, error), row.read) << row.json << ": " << error;
    EXPECT_TRUE(row.read ? value.text == row.text : error.find(row.text) != std::string::npos)
        << row.json << ": " << error;
  }
}

TEST(ModelReader, RefusesDamagedModelsSayingWhatIsWrong) {
  const std::string hand_model_text = read_file(HAND_MODEL_PATH);
  const auto labels = [](int k, int last) {  // , {"label": k, "count": 0} ... up to last
    std::string text;
    for (; k <= last; ++k) text += R"(, {"label": )" + std::to_string(k) + R"(, "count": 0})";
    return text;
  };
  struct Row { std::string find, replacement, fragment; };
  const Row rows[] = {
      {"]}]}\n", "]}]}x", "not JSON: line 29, column 79: unexpected text after"},
      {"[5, 7]", "[5, 7,]", "not JSON: line 8, column 49: expected a JSON value"},
      {"50.5, \"missing\": \"left\"", "50., \"missing\": \"left\"",
       "line 16, column 19: expected a digit after the decimal point"},
      {R"("version": 1,)", R"("version": 1, "version": 1,)", R"(key "version" occurs twice)"},
      {R"("bramble-tree")", R"("shrub")", "not a bramble-tree model"},
      {R"("version": 1)", R"("version": 2)", "version 2 of the format is not supported"},
      {R"("cases": 20,)", "", R"(the field "cases" is missing)"},
      {R"("rule": "gini")", R"("rule": 2)", "rule: expected a string"},
      {R"("cases": 20,)", R"("cases": 99999999999,)", "cases: expected a whole number"},
      {R"("cut_off": 50.5, "missing": "left")", R"("cut_off": 1e999, "missing": "left")",
       "trees[0].nodes[0].split.cut_off: the number 1e999 is out of range"},
      {R"("left": 6, "right": 7)", R"("left": 6, "right": 8)", "node 3: daughter 8 is out of"},
      {R"(9.5, "left": 2)", R"(9.5, "left": 1)", "node 1: daughter 1 does not come after its"},
      {R"("left": 6, "right": 7)", R"("left": 5, "right": 7)", "daughter 5 is reached twice"},
      {R"("left": 6, "right": 7)", R"("left": 0, "right": 7)", "0 is no node number"},
      // An unknown field is passed over: the pruned tree's root is terminal, its daughters lost.
      {R"([12, 8], "split": {"covariate": 4)",
       R"([12, 8], "majority_class": 0, "x": [true, null], "y": {"covariate": 4)",
       "node 2 is not reached from node 1"},
      {R"({"number": 5,)", R"({"number": 6,)", "nodes[4] has number 6, expected 5"},
      {R"({"number": 1, "cases")", R"({"number": 0, "cases")", "nodes[0] has number 0, expected 1"},
      {R"({"number": 1, "name")", R"({"number": 2, "name")", "covariates[0]: number 2, expected 1"},
      {R"("covariate": 3,)", R"("covariate": 9,)", "split covariate 9 is out of range (1 to 4)"},
      {R"([4, 7], "majority_class": 1)", R"([4, 7], "majority_class": 2)", "majority class 2"},
      {R"("right_categories": [2])", R"("right_categories": [3])", "category 3 sent right"},
      {"[-9, 999]", "[999, -9]", "the categories sent right are not in strictly ascending order"},
      {R"("missing": "right", "left": 4)", R"("missing": "left", "left": 4)", "go right in this"},
      {R"("copy_of": 1)", R"("copy_of": 2)", "copy of 2, which is no earlier ordinal covariate"},
      {R"("label": "p=0.01")", R"("label": "p=0.02")", R"(label "p=0.02" names no tree)"},
      {R"({"label": "grown",)", R"({"label": "p=0.01", "p_value": 1, "critical_value": 1,
        "degrees_of_freedom": 1,)", R"(a second tree labelled "p=0.01")"},
      {R"({"label": -9, "count": 1})", R"({"label": -9, "count": 2})", "not the count of its last"},
      {R"("label": 2, "count": 8)", R"("label": 1, "count": 8)", "classes: the label 1 is listed"},
      {R"("count": 8})", R"("count": 8})" + labels(3, 11), "classes: 11 classes, not 1 to 10"},
      {R"("count": 8})", R"("count": 8})" + labels(3, 10), "class counts for 2 classes, expected"},
      {R"("classes": [{"label": 1, "count": 12}, {"label": 2, "count": 8}])", R"("classes": [])",
       "classes: 0 classes, not 1 to 10"},
      {R"("label": 2, "count": 10}])", R"("label": 2, "count": 10})" + labels(3, 11) + "]",
       "covariates[2]: more than 10 categories"},
      {R"("label": 2, "count": 10}], "merged": [])",
       R"("label": 2, "count": 10})" + labels(3, 10) + R"(], "merged": [3, 3])",
       "covariates[2]: the merged labels are not in strictly ascending order"},
      {R"("label": 2, "count": 6})", R"("label": 1, "count": 6})", "the category 1 is listed"},
      {R"("column": 5,)", R"("column": 0,)", "covariates[2]: a covariate of the data file needs a"},
      {R"("covariate": 1, "kind")", R"("covariate": 2, "kind")", "kind differs from that of cov"},
      {"[7, 0]", "[7, 0, 0]", "node 4: class counts for 3 classes, expected 2"},
      {R"("rule": "gini")", R"("rule": "gain")", R"(rule: "gain" is none of "entropy" "gini")"},
  };
  for (const Row& row : rows) {
    std::string text = hand_model_text;
    const std::size_t at = text.find(row.find);
    ASSERT_NE(at, std::string::npos) << row.find;
    text.replace(at, row.find.size(), row.replacement);
    Model model;
    std::string error;
    EXPECT_FALSE(read_model_json(text, model, error)) << row.fragment;
    EXPECT_NE(error.find(row.fragment), std::string::npos) << row.fragment << "\ngot: " << error;
  }
}

TEST(ModelWriter, WritesWhatReadsBackTheSame) {
  Model model = hand_model();
  // Every field the classifier does not need, given values that are easy to lose on the way.
  model.data_file = "dir/\xc3\xa9t\xc3\xa9 \"1\"\\\t.dat";
  model.rule = SplittingRule::entropy;
  model.n_cases = 2147483647;
  model.class_counts = {-2147483647 - 1, 0};
  ModelCovariate& age = model.covariates[0];
  age.name = "\x01\x7f \xf0\x9f\x8c\xb3\xe0\xa0\x80\xf4\x8f\xbf\xbf\xdf\xbf";  // UTF-8 edges
  std::tie(age.column, age.min, age.max) = std::make_tuple(7, 0.1 + 0.2, 1.7976931348623157e308);
  model.covariates[3].min = -4.9406564584124654e-324;
  model.covariates[1].category_counts[0] = 3;
  ModelTree& pruned = model.trees[1];
  std::tie(pruned.p_value, pruned.critical_value, pruned.degrees_of_freedom) =
      std::make_tuple(1e-5, 1.0 / 3, 9);
  ModelNode& root = model.trees[0].nodes[0];
  std::tie(root.cases, root.class_counts, root.cut_off, root.chisq) =
      std::make_tuple(21, std::vector<int>{13, 8}, -123456789.12345679, 2.0 / 3 * 1e-10);

  // The text holds every value, and what the reader makes of it writes the same text again.
  const std::string text = model_json(model);
  for (const char* value : {R"("dir/été \"1\"\\\u0009.dat")", R"("entropy")", R"("\u0001)",
                            "2147483647", "\"count\": -2147483648}", "0.30000000000000004",
                            "1.7976931348623157e+308", "-5e-324", "1e-05", "0.3333333333333333",
                            ": 9", "-123456789.12345679", "6.666666666666667e-11", "[13, 8]"}) {
    EXPECT_NE(text.find(value), std::string::npos) << value << " in\n" << text;
  }
  Model read;
  std::string error;
  ASSERT_TRUE(read_model_json(text, read, error)) << error;
  EXPECT_EQ(model_json(read), text);
  // Escapes read as their characters, hexadecimal digits in either case.
  const std::string escaped =
      std::string(text).replace(text.find("dir/"), 4, "\\u00FA\\u0039\\u20ac\\ud83c\\udf33/");
  ASSERT_TRUE(read_model_json(escaped, read, error)) << error;
  EXPECT_EQ(read.data_file.substr(0, 11), "\xc3\xba" "9\xe2\x82\xac\xf0\x9f\x8c\xb3/");
}

struct CommandRun { int status; std::string out, err; };

CommandRun classify(const std::vector<std::string>& arguments) {
  ScriptedConsole streams("");
  const int status = classify_command(arguments, streams.out_stream, streams.err_stream);
  return {status, streams.out(), streams.err()};
}

TEST(ClassifyCommand, WritesTheTableAndTheConfusionOfTheActualClasses) {
  const std::string dir = make_scratch_dir() + "/";
  const std::string model = HAND_MODEL_PATH;
  // Records over lines; case 4 has a class the model does not know.
  write_file(dir + "new.dat", "d r o n d n\n a 1 45 1 x 1  b 2 NA 5 y 2\n c 2 60 1 z\n 2\n"
                              " d 3 70 1 w 1\n e 1 20 . v 2\n");
  const CommandRun run = classify({model, "--tree", "grown", dir + "new.dat"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "case\tnode\tpredicted\tactual\n1\t4\t1\t1\n2\t5\t2\t2\n3\t7\t2\t2\n"
                     "4\t6\t1\t3\n5\t5\t2\t1\n");
  EXPECT_EQ(run.err, "Tree used: grown\n"
                     "Confusion table (rows: actual class, columns: predicted class):\n"
                     "   class        1        2\n"
                     "       1        1        1\n"
                     "       2        0        2\n"
                     "       3        1        0\n"
                     "Misclassification rate: 0.400000 (2 of 5 cases)\n");
  write_file(dir + "kinds.dat", "r o o n\n1 2 3 4\n");
  write_file(dir + "word.dat", "o n n\n45 1 zwei\n");
  write_file(dir + "two.dat", "r o r\n1 2 1\n");
  write_file(dir + "short.dat", "r o n n\n1 45 1 1\n2 45 1\n");
  write_file(dir + "na.dat", "r o n n\n. 45 1 1\n"); write_file(dir + "empty.dat", "r o n n\n");
  write_file(dir + "fewer.dat", "r o n\n1 45 1\n");
  write_file(dir + "bare.dat", "o n n\n45 1 1\n60 2 2\n");  // no response: no confusion table
  const CommandRun bare = classify({model, dir + "bare.dat"}), help = classify({"-o", "x", "-h"});
  EXPECT_TRUE(help.status == 0 && help.out.rfind("Usage: bramble classify MODEL.json", 0) == 0);
  EXPECT_EQ(bare.out + bare.err, "case\tnode\tpredicted\n1\t2\t1\n2\t3\t2\nTree used: p=0.01\n");
  write_file(dir + "most.json", std::string(MAX_MODEL_BYTES, ' '));
  write_file(dir + "over.json", std::string(MAX_MODEL_BYTES + 1, ' '));
  struct Row { std::vector<std::string> arguments; int status; std::string fragment; };
  const Row rows[] = {
      {{model}, 2, "bramble classify: no data file given\nTry 'bramble classify --help'"},
      {{model, "--tree"}, 2, "the option --tree needs a value"},
      {{"-x", "a", "b"}, 2, "unknown option -x"},
      {{model, dir + "word.dat", "--tree=p=0.5"}, -1, "no tree p=0.5; its trees: grown p=0.01"},
      {{model, dir + "kinds.dat"}, -1, "covariate 2 (stage) is nominal in the model, but column 3"},
      {{model, dir + "word.dat"}, -1, "record 1, column 3: the value \"zwei\" is not a number"},
      {{model, dir + "two.dat"}, -1, "two.dat: the header names more than one response column"},
      {{model, dir + "short.dat"}, -1, "record 2 is incomplete: the file ends after 3 of its 4"},
      {{model, dir + "na.dat"}, -1, "record 1: the response is missing"},
      {{model, dir + "fewer.dat"}, -1, "has 2 covariate columns (o and n), the model 3 covariates"},
      {{model, "-"}, -1, "-: cannot be read"}, {{model, "--", "-x"}, -1, "-x: cannot be read"},
      {{model, "--tree", "grown", "--tree=grown"}, 2, "the option --tree is given twice"},
      {{model, dir + "new.dat", "--output=" + dir + "no/t.tsv"}, -1, "no/t.tsv: cannot be written"},
      {{model, dir + "none.dat"}, -1, "none.dat: cannot be read"},
      {{model, dir}, -1, "/: is a directory"}, {{model, dir + "empty.dat"}, -1, "holds no records"},
      {{dir + "new.dat", dir + "word.dat"}, -1, "new.dat: not JSON"},
      {{dir + "most.json", dir + "new.dat"}, -1, "most.json: not JSON: line 1, column 16777217"},
      {{dir + "over.json", dir + "new.dat"}, -1, "over.json: larger than any model (16 MiB"},
      {{model, dir + "new.dat", "x.dat"}, 2, "one model file and one data file only; x.dat is one"},
  };
  for (const Row& row : rows) {
    const CommandRun refused = classify(row.arguments);
    EXPECT_EQ(refused.status, row.status) << row.fragment;
    EXPECT_NE(refused.err.find(row.fragment), std::string::npos) << row.fragment << refused.err;
  }
  FILE* full = std::fopen("/dev/full", "w");
  ScriptedConsole streams("");
  EXPECT_EQ(classify_command({model, dir + "new.dat"}, full, streams.err_stream), -1);
  EXPECT_NE(streams.err().find("standard output: not written completely"), std::string::npos);
  std::fclose(full);
}

}  // namespace
}  // namespace bramble_test
