// The boxes the program shows at start-up and before the control question.
#pragma once

#include <string>

namespace bramble {

void show_start_notice();
void show_user_notice(const std::string& report_name);
void show_usage(const char* program);

}  // namespace bramble
