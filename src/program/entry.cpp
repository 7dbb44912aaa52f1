#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/reader.h"
#include "numeric/fatal.h"
#include "numeric/limits.h"
#include "numeric/output_file.h"
#include "program/classify_command.h"
#include "program/console.h"
#include "program/notices.h"
#include "program/run.h"
#include "tree/node_table.h"

namespace bramble {

std::string derive_base_name(const std::string& file_name) {
  const std::size_t separator = file_name.find_last_of("/\\");
  const std::string component =
      separator == std::string::npos ? file_name : file_name.substr(separator + 1);
  return component.substr(0, component.find('.'));
}

namespace {

// The name typed at the prompt: one word, then the end of its line is consumed.
std::string ask_data_file_name() {
  std::printf("\n\n\nPlease input datafile name: ");
  std::string name;
  if (!read_word(name)) {
    std::printf("\nNo data file name was given (end of input).\n");
    end_program(STATUS_DATA_ERROR, false);
  }
  wait_for_key();
  return name;
}

// Text written to a stream, kept in memory.
class TextBuffer {
 public:
  TextBuffer() : stream_(open_memstream(&data_, &size_)) {
    if (stream_ == nullptr) fatal_error("allocation failure");
  }
  ~TextBuffer() {
    std::fclose(stream_);
    std::free(data_);
  }
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  FILE* stream() { return stream_; }
  std::string text() {
    if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) fatal_error("allocation failure");
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  FILE* stream_;
};

// The report is only checked here, by opening it for appending, which creates a missing one and
// leaves an existing one as it is: an old report stays whole until the run commits, after the
// control question. Until then the data summary waits in summary.
Dataset load_data(const std::string& data_name, const std::string& report_name,
                  std::string& summary) {
  const FileHandle data_file(std::fopen(data_name.c_str(), "r"));
  if (!data_file) stop_with_message(" Data file does not exist!\n", STATUS_DATA_ERROR, true);
  close_output(open_output(report_name, "a"), report_name);
  TextBuffer summary_buffer;
  Dataset data = read_data(data_file.get(), summary_buffer.stream());
  summary = summary_buffer.text();
  return data;
}

}  // namespace

int run_program(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "classify") == 0) {
    return classify_command(std::vector<std::string>(argv + 2, argv + argc), stdout, stderr);
  }
  const char* program = argc > 0 ? argv[0] : "bramble";
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    show_usage(program);
    return STATUS_OK;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("bramble %s\n", BRAMBLE_VERSION);
    return STATUS_OK;
  }

  show_start_notice();
  std::string data_name;
  if (argc > 1) {
    std::printf("\n\n");
    std::printf("\nProgram: %s\nData file: %s\n", program, argv[1]);
    data_name = argv[1];
  } else {
    data_name = ask_data_file_name();
  }

  const std::string base_name = derive_base_name(data_name);
  std::string summary;
  Dataset data = load_data(data_name, base_name + ".inf", summary);
  NodeTable table(data.n_cases, data.n_classes);

  std::printf("Choose splitting rule [enter 1 for entropy(default) or 2 for gini]: ");
  const int rule = read_choice(RULE_ENTROPY, "enter 1 for entropy and 2 for gini", false);
  run_tree(data, table, rule, base_name, summary);
  return STATUS_OK;
}

}  // namespace bramble
