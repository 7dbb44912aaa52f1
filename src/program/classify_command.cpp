#include "program/classify_command.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "io/fatal.h"
#include "io/output_file.h"
#include "model/case_file.h"
#include "model/classification_output.h"
#include "model/json_format.h"
#include "model/model_reader.h"

namespace bramble {

namespace {

constexpr const char* USAGE =
    "Usage: bramble classify MODEL.json DATAFILE [--tree LABEL] [-o OUT]\n"
    "Classifies the cases of DATAFILE with one tree of MODEL.json, the model a run saved.\n"
    "  --tree LABEL       the tree: grown, p=0.01 ... p=0.000001 or controlled\n"
    "                     (default: p=0.01, or the tree of a controlled run)\n"
    "  -o, --output OUT   write the table to OUT instead of standard output\n"
    "The table is tab-separated: case, terminal node, predicted class and, when DATAFILE has\n"
    "an r column, actual class; the confusion table and the misclassification rate then\n"
    "follow on standard error.\n";

struct ClassifyOptions {
  std::string model_file;
  std::string data_file;
  std::string tree_label;
  std::string output_file;
  bool help = false;
};

// Takes the value of an option given as "--name=VALUE" or as the next argument. Returns the
// problem of a usage error, or an empty text.
std::string take_value(const std::vector<std::string>& arguments, std::size_t& i,
                       const std::string& name, std::string& value) {
  const std::string& argument = arguments[i];
  const std::size_t equals = argument.find('=');
  std::string taken;
  if (equals != std::string::npos) {
    taken = argument.substr(equals + 1);
  } else if (i + 1 < arguments.size()) {
    taken = arguments[++i];
  }
  if (taken.empty()) return "the option " + name + " needs a value";
  if (!value.empty()) return "the option " + name + " is given twice";
  value = taken;
  return {};
}

bool is_option(const std::string& argument, const char* name) {
  return argument == name || argument.rfind(std::string(name) + "=", 0) == 0;
}

// Returns the problem of a usage error, or an empty text.
std::string parse_arguments(const std::vector<std::string>& arguments, ClassifyOptions& options) {
  std::vector<std::string> files;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string problem;
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      files.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "-h" || argument == "--help") {
      options.help = true;
    } else if (is_option(argument, "--tree")) {
      problem = take_value(arguments, i, "--tree", options.tree_label);
    } else if (argument == "-o" || is_option(argument, "--output")) {
      problem = take_value(arguments, i, "--output", options.output_file);
    } else {
      problem = "unknown option " + argument;
    }
    if (!problem.empty()) return problem;
  }
  if (options.help) return {};
  if (files.size() < 2) {
    return files.empty() ? "no model file and no data file given" : "no data file given";
  }
  if (files.size() > 2) {
    return "one model file and one data file only; " + files[2] + " is one more";
  }
  options.model_file = files[0];
  options.data_file = files[1];
  return {};
}

// Opens a file to read; a directory is refused here, as reading it fails on some systems only.
FileHandle open_input(const std::string& name, std::string& error) {
  FileHandle file(std::fopen(name.c_str(), "rb"));
  struct stat info;
  if (!file) {
    error = name + ": cannot be read (" + std::strerror(errno) + ")";
  } else if (fstat(fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = name + ": is a directory";
    file.reset();
  }
  return file;
}

bool read_model_file(const std::string& name, Model& model, std::string& error) {
  const FileHandle file = open_input(name, error);
  if (!file) return false;
  std::string text;
  char block[1 << 16];
  for (std::size_t got = 1; got > 0 && text.size() <= MAX_MODEL_BYTES;) {
    got = std::fread(block, 1, sizeof block, file.get());
    text.append(block, got);
  }
  if (std::ferror(file.get())) {
    error = name + ": cannot be read (" + std::strerror(errno) + ")";
  } else if (text.size() > MAX_MODEL_BYTES) {
    error = name + ": larger than any model (" + std::to_string(MAX_MODEL_BYTES >> 20) +
            " MiB at most)";
  } else if (!read_model_json(text, model, error)) {
    error = name + ": " + error;
  } else {
    return true;
  }
  return false;
}

const ModelTree* find_tree(const Model& model, const std::string& label, std::string& error) {
  for (const ModelTree& tree : model.trees) {
    if (tree.label == label) return &tree;
  }
  error = "the model has no tree " + label + "; its trees:";
  for (const ModelTree& tree : model.trees) error += " " + tree.label;
  return nullptr;
}

// Writes the table to the output file named, or to out when none is; false when that failed.
bool write_table(const std::string& output_file, FILE* out, const Model& model,
                 const ModelTree& tree, const CaseTable& cases,
                 const std::vector<std::size_t>& terminal_nodes, std::string& error) {
  FileHandle file(output_file.empty() ? nullptr : std::fopen(output_file.c_str(), "w"));
  if (!output_file.empty() && !file) {
    error = output_file + ": cannot be written (" + std::strerror(errno) + ")";
    return false;
  }
  FILE* target = file ? file.get() : out;
  write_classifications(target, model, tree, cases, terminal_nodes);
  const bool written = std::fflush(target) == 0 && !std::ferror(target);
  const bool closed = !file || std::fclose(file.release()) == 0;
  if (!written || !closed) {
    error = (output_file.empty() ? "standard output" : output_file) + ": not written completely";
  }
  return written && closed;
}

int classify(const ClassifyOptions& options, FILE* out, FILE* err, std::string& error) {
  Model model;
  if (!read_model_file(options.model_file, model, error)) return STATUS_DATA_ERROR;
  const std::string label = !options.tree_label.empty() ? options.tree_label
                            : model.mode == RunMode::controlled
                                ? std::string(CONTROLLED_TREE_LABEL)
                                : std::string(DEFAULT_AUTOMATIC_TREE_LABEL);
  const ModelTree* tree = find_tree(model, label, error);
  if (tree == nullptr) {
    error = options.model_file + ": " + error;
    return STATUS_DATA_ERROR;
  }
  std::fprintf(err, "Tree used: %s\n", tree->label.c_str());
  CaseTable cases;
  const FileHandle data = open_input(options.data_file, error);
  if (!data) return STATUS_DATA_ERROR;
  if (!read_case_file(data.get(), model, cases, error)) {
    error = options.data_file + ": " + error;
    return STATUS_DATA_ERROR;
  }
  const std::vector<std::size_t> terminal_nodes = classify_cases(model, *tree, cases);
  if (!write_table(options.output_file, out, model, *tree, cases, terminal_nodes, error)) {
    return STATUS_DATA_ERROR;
  }
  if (cases.has_response) write_confusion_table(err, model, *tree, cases, terminal_nodes);
  return STATUS_OK;
}

}  // namespace

int classify_command(const std::vector<std::string>& arguments, FILE* out, FILE* err) {
  ClassifyOptions options;
  const std::string problem = parse_arguments(arguments, options);
  if (!problem.empty()) {
    std::fprintf(err, "bramble classify: %s\nTry 'bramble classify --help' for more information.\n",
                 problem.c_str());
    return STATUS_USAGE_ERROR;
  }
  if (options.help) {
    std::fputs(USAGE, out);
    return STATUS_OK;
  }
  std::string error;
  const int status = classify(options, out, err, error);
  if (status != STATUS_OK) std::fprintf(err, "%s\n", error.c_str());
  return status;
}

}  // namespace bramble
