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
      "Usage: %s [OPTION]... [DATAFILE]\n"
      "       %s classify MODEL.json DATAFILE [--tree LABEL] [-o OUT]\n"
      "\n"
      "Grows a binary classification tree on the cases of DATAFILE (entropy or Gini),\n"
      "prunes it by chi-square tests at seven p-values (0.01 down to 0.000001), and\n"
      "offers a controlled mode in which you build the tree node by node.\n"
      "\n"
      "Options (without them, every choice is asked on standard input):\n"
      "  -e, --entropy      split by entropy (the rule question is not asked)\n"
      "  -g, --gini         split by Gini impurity\n"
      "  -a, --automatic    automatic mode (the control question is not asked)\n"
      "  -c, --controlled   controlled mode; its answers still come from standard input\n"
      "  -o, --output=BASE  write BASE.inf, BASE.ps, ... (BASE may hold a folder and dots)\n"
      "  -q, --quiet        no start-up notice and no notice for new users\n"
      "      --html         also write BASE.html, a page with every tree drawn\n"
      "      --json         also write BASE.json, every tree for 'classify'\n"
      "      --names=FILE   names of the data file's columns, for the page and the model\n"
      "  -h, --help         this text\n"
      "      --version      the version\n"
      "\n"
      "Data file: white-space separated tokens. First one letter per column:\n"
      "  r = response (integer classes, consecutive, at most 10), o = ordinal covariate,\n"
      "  n = nominal covariate (integer category values), d = column to ignore;\n"
      "then one value per column for every case, records may span lines.\n"
      "NA or . marks a missing value.\n"
      "\n"
      "Without -o, files are written to the current directory, named after the data\n"
      "file up to its first '.': BASE.inf (data summary, tree tables) and BASE.ps (one\n"
      "page per tree).\n"
      "\n"
      "  %s -g -a -o out/iris iris.dat    Gini, automatic mode, out/iris.inf and .ps\n"
      "  %s -c data.dat <answers.txt      controlled mode scripted by a file of answers\n"
      "  printf '2\\n\\n' | %s data.dat    Gini, automatic mode, answered by a pipe\n"
      "\n"
      "Exit status: 0 on success, 2 for a usage error, 255 for a data or file error,\n"
      "1 for an internal error.\n",
      program, program, program, program, program);
}

}  // namespace bramble
