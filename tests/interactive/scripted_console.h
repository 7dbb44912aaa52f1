// A console for tests: its input reads the given text, and what it writes on its output and error
// streams is kept for reading back. A run may make its own console of the streams instead.
#pragma once

#include <cstdio>
#include <string>

#include "io/console.h"
#include "support/scratch_stream.h"

namespace bramble_test {

struct ScriptedConsole {
  explicit ScriptedConsole(const std::string& input)
      : in(stream_holding(input)), out_stream(std::tmpfile()), err_stream(std::tmpfile()),
        console(in, out_stream, err_stream) {}
  ~ScriptedConsole() {
    for (FILE* stream : {in, out_stream, err_stream}) std::fclose(stream);
  }
  ScriptedConsole(const ScriptedConsole&) = delete;
  ScriptedConsole& operator=(const ScriptedConsole&) = delete;

  // What was written to each stream so far.
  std::string out() const { return stream_text(out_stream); }
  std::string err() const { return stream_text(err_stream); }

  FILE *in, *out_stream, *err_stream;
  bramble::Console console;
};

}  // namespace bramble_test
