// The standard descriptors of the process.
#pragma once

namespace bramble {

// Opens /dev/null on every standard descriptor (0, 1, 2) that is closed, so that no file the
// program opens later takes its number: the console would otherwise read from the data file or
// write its prompts into the report.
void keep_standard_streams_open();

}  // namespace bramble
