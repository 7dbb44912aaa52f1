#include "program/entry.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "data/reader.h"
#include "io/fatal.h"
#include "io/output_file.h"
#include "io/text_buffer.h"
#include "program/classify_command.h"
#include "program/notices.h"
#include "program/options.h"
#include "program/run_driver.h"
#include "tree/node_table.h"

namespace bramble {

namespace {

// The name typed at the prompt: one word, then the end of its line is consumed.
std::string ask_data_file_name(Console& console) {
  console.print("\n\n\nPlease input datafile name: ");
  std::string name;
  if (!console.read_word(name)) {
    stop_without_wait("\nNo data file name was given (end of input).\n", STATUS_DATA_ERROR);
  }
  console.wait_for_key();
  return name;
}

// The report is only checked here, by opening it for appending, which creates a missing one and
// leaves an existing one as it is: an old report stays whole until the run commits, after the
// control question. Until then the data summary waits in summary.
Dataset load_data(const Run& run, std::string& summary) {
  const std::string report_name = run.settings.report_name();
  const FileHandle data_file(std::fopen(run.settings.data_file->c_str(), "r"));
  if (!data_file) stop_with_message(" Data file does not exist!\n", STATUS_DATA_ERROR, true);
  close_output(open_output(report_name, "a"), report_name);
  TextBuffer summary_buffer;
  Dataset data = read_data(data_file.get(), summary_buffer.stream(), run.console.out());
  summary = summary_buffer.text();
  return data;
}

SplittingRule ask_rule(Console& console) {
  console.print("Choose splitting rule [enter 1 for entropy(default) or 2 for gini]: ");
  const Choice choice =
      console.read_choice(Choice::first, "enter 1 for entropy and 2 for gini", false);
  return choice == Choice::first ? SplittingRule::entropy : SplittingRule::gini;
}

void run_steps(Run& run, const char* program) {
  Console& console = run.console;
  if (!run.settings.quiet) show_start_notice(console.out());
  if (run.settings.data_file) {
    console.print("\n\n");
    console.print("\nProgram: %s\nData file: %s\n", program, run.settings.data_file->c_str());
  } else {
    run.settings.data_file = ask_data_file_name(console);
  }

  std::string summary;
  Dataset data = load_data(run, summary);
  NodeTable table(data.n_cases, data.n_classes);
  if (!run.settings.rule) run.settings.rule = ask_rule(console);
  run_tree(run, data, table, summary);
}

}  // namespace

int run_with_settings(Run& run, const char* program) {
  try {
    run_steps(run, program);
    std::fflush(run.console.out());
    return STATUS_OK;
  } catch (const ProgramExit& exit) {
    return run.console.finish(exit);
  } catch (const std::bad_alloc&) {
    // An allocation outside the array family (a growing collection) ran out of memory.
    return run.console.finish(runtime_exit("allocation failure"));
  }
}

int run_program(int argc, char** argv, FILE* in, FILE* out, FILE* err) {
  if (argc > 1 && std::strcmp(argv[1], "classify") == 0) {
    return classify_command(std::vector<std::string>(argv + 2, argv + argc), out, err);
  }
  const char* program = argc > 0 ? argv[0] : "bramble";
  ParsedOptions parsed = parse_options(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(err, "%s: %s (see '%s --help')\n", program, parsed.error.c_str(), program);
    return STATUS_USAGE_ERROR;
  }
  switch (parsed.options.action) {
    case ProgramAction::help:
      show_usage(out, program);
      return STATUS_OK;
    case ProgramAction::version:
      std::fprintf(out, "bramble %s\n", BRAMBLE_VERSION);
      return STATUS_OK;
    case ProgramAction::run:
      break;
  }
  Run run(in, out, err, std::move(parsed.options.settings));
  return run_with_settings(run, program);
}

}  // namespace bramble
