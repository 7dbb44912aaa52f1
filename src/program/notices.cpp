#include "program/notices.h"

#include <cstdio>
#include <string>

namespace bramble {

namespace {

constexpr int BOX_WIDTH = 75;

void print_rule(FILE* out, char c, int width) {
  std::fprintf(out, "%s\n", std::string(width, c).c_str());
}

// "*", a blank, the text padded with blanks, "*" in the last column.
void print_framed(FILE* out, const char* text) {
  std::fprintf(out, "* %-*s*\n", BOX_WIDTH - 3, text);
}

// One array of characters, not of pointers: nothing of it needs relocating, so it is read-only.
constexpr char METHOD[][BOX_WIDTH] = {
    "Bramble: classification trees by recursive partitioning.",
    "A tree is grown by splitting nodes on the covariate of least entropy or",
    "Gini impurity, and pruned by Pearson chi-square tests of its splits.",
    "References: Breiman, Friedman, Olshen and Stone (1984), Classification",
    "and Regression Trees, Wadsworth; Quinlan (1986), Induction of decision",
    "trees, Machine Learning 1, 81-106.",
    "",
    "This program is a research tool, provided as it is. Users are",
    "responsible for the correctness of their own analyses.",
};

}  // namespace

void show_start_notice(FILE* out) {
  print_rule(out, '=', BOX_WIDTH);
  for (const char* line : METHOD) print_framed(out, line);
  std::fprintf(out, "*%s*\n", std::string(BOX_WIDTH - 2, '-').c_str());
  print_framed(out, "Questions from users cannot be answered, sorry.");
  print_rule(out, '=', BOX_WIDTH);
}

void show_user_notice(FILE* out, const std::string& report_name) {
  std::fprintf(out, "\n     For new users, it is important to read the following ... \n");
  print_rule(out, '=', 64);
  std::fprintf(out, "*The tree is initialized. You will be asked whether you want to*\n");
  std::fprintf(out, "*control the tree construction process. For the first time, I  *\n");
  std::fprintf(out, "*would recommend you not controlling it. Instead, you would let*\n");
  std::fprintf(out, "*the program run automatically. In that case, you should enter *\n");
  std::fprintf(out, "*n as your answer. Both initial and pruned trees will be saved *\n");
  std::fprintf(out, "*in a file:               %s.\n", report_name.c_str());
  std::fprintf(out, "*If you wish, you can print the tree output and use it as a    *\n");
  std::fprintf(out, "*reference to re-run the program at the controlled mode by     *\n");
  std::fprintf(out, "*entering y as your answer.                                    *\n");
  print_rule(out, '=', 64);
  std::fprintf(out, "*WARNING: If you don't want the file %s to be overwritten,\n",
               report_name.c_str());
  std::fprintf(out, "use Ctrl-C to exit immediately.\n");
  std::fprintf(out, "\n!!!!!!!!!!!!!!!!!!!!!!  Now, enjoy  !!!!!!!!!!!!!!!!!!!!!!!!!!\n");
}

void show_usage(FILE* out, const char* program) {
  std::fprintf(
      out,
      "Usage: %s [DATAFILE]\n"
      "       %s --help | --version\n"
      "\n"
      "Grows a binary classification tree on the cases of DATAFILE (entropy or Gini),\n"
      "prunes it by chi-square tests at seven p-values (0.01 down to 0.000001), and\n"
      "offers a controlled mode in which you build the tree node by node.\n"
      "\n"
      "Data file: white-space separated tokens. First one letter per column:\n"
      "  r = response (integer classes, consecutive, at most 10), o = ordinal covariate,\n"
      "  n = nominal covariate (integer category values), d = column to ignore;\n"
      "then one value per column for every case, records may span lines.\n"
      "NA or . marks a missing value.\n"
      "\n"
      "Files written to the current directory, named after the data file up to its\n"
      "first '.': BASE.inf (data summary, tree tables) and BASE.ps (one page per tree).\n"
      "\n"
      "The program asks its questions on standard input; Enter takes the default.\n"
      "  %s data.dat </dev/null          automatic mode with entropy, no questions\n"
      "  printf '2\\n\\n' | %s data.dat   Gini, automatic mode\n"
      "  %s data.dat <answers.txt       controlled mode scripted by a file of answers\n"
      "\n"
      "Exit status: 0 on success, 255 for a data or file error, 1 for an internal error.\n",
      program, program, program, program, program);
}

}  // namespace bramble
