// Data the reader refuses: each refusal prints its message and the prompt, ends with status -1
// and leaves the report empty.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "data/read_text.h"
#include "data/reader.h"
#include "numeric/fatal.h"
#include "numeric/limits.h"
#include "support/run_binary.h"

namespace bramble_test {
namespace {

using namespace std::string_literals;

void expect_refusal(const std::string& file_text, const std::string& message) {
  const ReadOutcome read = read_text(file_text);
  ASSERT_TRUE(read.stopped) << "accepted: " << file_text;
  EXPECT_EQ(read.status, bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(read.console, message + "Press Enter to end this program!");
  EXPECT_EQ(read.report, "");
}

TEST(ReaderRefusal, HeaderWithoutExactlyOneResponse) {
  expect_refusal("o o\n1 2\n",
                 "The header must name exactly one response column (letter r); it names 0.\n");
  expect_refusal("r o r\n1 2 1\n",
                 "The header must name exactly one response column (letter r); it names 2.\n");
  expect_refusal("r d\n1 x\n", "ERROR: No covariate!");
}

TEST(ReaderRefusal, FileEndingAfterTheHeader) { expect_refusal("r o n\n", "No data in the file"); }

TEST(ReaderRefusal, ResponsesOutsideTheClassModel) {
  expect_refusal("r o\n1 1\nNA 2\n",
                 "Record 2: the response is missing; every record needs a response value.\n");
  expect_refusal("r o\n1 1\n3 2\n1 2\n",
                 "The response values must be consecutive integers; the file holds: 1 3\n");
  std::string eleven = "r o\n";
  for (int value = 0; value <= 10; ++value) eleven += std::to_string(value) + " 1\n";
  expect_refusal(eleven,
                 "Record 11: the response value 10 makes more than 10 classes; at most 10 are "
                 "allowed.\n");
  expect_refusal("o r\n1 0\n2 99999999999\n",
                 "Record 2, column 2: the value \"99999999999\" is out of range for a response (a "
                 "class number).\n");
}

TEST(ReaderRefusal, TokensWithoutAUsableNumber) {
  expect_refusal("r o\n1 ?\n", "Record 1, column 2: the value \"?\" is not a number.\n");
  expect_refusal("r o\n1 2\nabc 3\n", "Record 2, column 1: the value \"abc\" is not a number.\n");
  expect_refusal("r o\n1 -\n", "Record 1, column 2: the value \"-\" is not a number.\n");
  expect_refusal("r o\n1 inf\n", "Record 1, column 2: the value \"inf\" is not a number.\n");
  expect_refusal("r o\n1 nan\n", "Record 1, column 2: the value \"nan\" is not a number.\n");
  expect_refusal("r o\n1 1e999\n",
                 "Record 1, column 2: the value \"1e999\" is not a finite number.\n");
  expect_refusal("r o\n1 9007199254740992\n",
                 "Record 1, column 2: the value \"9007199254740992\" is too large (the limit is "
                 "2^53 in magnitude).\n");
  expect_refusal("r n\n1 3000000000\n",
                 "Record 1, column 2: the value \"3000000000\" is out of range for a nominal "
                 "covariate.\n");
}

TEST(ReaderRefusal, MessagesShowTokensSafely) {
  expect_refusal(
      "r o\n1 \x01\x7f"s + std::string(60, 'x') + "\n",
      "Record 1, column 2: the value \"??" + std::string(38, 'x') + "...\" is not a number.\n");
}

TEST(ReaderRefusal, CovariateWithOnlyMissingValues) {
  expect_refusal("r o d n\n1 1 x NA\n0 2 y .\n",
                 "Covariate 2 (column 4) has only missing values; mark its column d to leave it "
                 "out.\n");
}

TEST(ReaderRefusal, DataFileThatIsADirectory) {
  const std::string dir = make_scratch_dir();
  FILE* directory = std::fopen(dir.c_str(), "r");
  if (directory == nullptr) GTEST_SKIP() << "this system does not open directories as files";
  FILE* report = std::tmpfile();
  testing::internal::CaptureStdout();
  int status = 0;
  try {
    bramble::read_data(directory, report);
  } catch (const bramble::ProgramExit& exit) {
    status = exit.status;
  }
  const std::string console = testing::internal::GetCapturedStdout();
  std::fclose(directory);
  std::fclose(report);
  EXPECT_EQ(status, bramble::STATUS_DATA_ERROR);
  EXPECT_EQ(console,
            "The data file cannot be read (Is a directory).\nPress Enter to end this program!");
}

}  // namespace
}  // namespace bramble_test
