// The boxes the program shows at start-up and before the control question.
#pragma once

#include <cstdio>
#include <string>

namespace bramble {

void show_start_notice(FILE* out);
void show_user_notice(FILE* out, const std::string& report_name);
void show_usage(FILE* out, const char* program);

}  // namespace bramble
