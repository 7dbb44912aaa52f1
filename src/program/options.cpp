#include "program/options.h"

#include <cstddef>
#include <optional>

namespace bramble {

namespace {

// What an option word does; an option with an argument takes it in `value`.
enum class OptionId { entropy, gini, automatic, controlled, output, quiet, html, json, names,
                      help, version };

// The long name is held as characters, not a pointer, so that the table is read-only data.
struct OptionSpec {
  char short_name;  // 0: long form only
  char long_name[12];
  OptionId id;
  bool takes_value;
};

constexpr OptionSpec kOptions[] = {
    {'e', "entropy", OptionId::entropy, false},
    {'g', "gini", OptionId::gini, false},
    {'a', "automatic", OptionId::automatic, false},
    {'c', "controlled", OptionId::controlled, false},
    {'o', "output", OptionId::output, true},
    {'q', "quiet", OptionId::quiet, false},
    {0, "html", OptionId::html, false},
    {0, "json", OptionId::json, false},
    {0, "names", OptionId::names, true},
    {'h', "help", OptionId::help, false},
    {0, "version", OptionId::version, false},
};

const OptionSpec* find_short(char name) {
  for (const OptionSpec& entry : kOptions) {
    if (entry.short_name == name) return &entry;
  }
  return nullptr;
}

const OptionSpec* find_long(const std::string& name) {
  for (const OptionSpec& entry : kOptions) {
    if (name == entry.long_name) return &entry;
  }
  return nullptr;
}

// Sets a choice once; a second, different one contradicts it.
template <typename T>
std::string choose(std::optional<T>& slot, T value, const char* what) {
  if (slot && *slot != value) return std::string("contradicting options: two ") + what;
  slot = value;
  return "";
}

std::string apply(Options& options, OptionId id, const std::string& value) {
  RunSettings& settings = options.settings;
  switch (id) {
    case OptionId::entropy: return choose(settings.rule, SplittingRule::entropy, "splitting rules");
    case OptionId::gini: return choose(settings.rule, SplittingRule::gini, "splitting rules");
    case OptionId::automatic: return choose(settings.mode, RunMode::automatic, "modes");
    case OptionId::controlled: return choose(settings.mode, RunMode::controlled, "modes");
    case OptionId::output: settings.output_base = value; break;
    case OptionId::quiet: settings.quiet = true; break;
    case OptionId::html: settings.html = true; break;
    case OptionId::json: settings.json = true; break;
    case OptionId::names: settings.names_file = value; break;
    case OptionId::help: options.action = ProgramAction::help; break;
    case OptionId::version: options.action = ProgramAction::version; break;
  }
  return "";
}

// Walks the words, taking an option's argument from the word itself or the next one.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedOptions run() {
    bool options_ended = false;
    for (next_ = 0; next_ < args_.size() && result_.error.empty();) {
      const std::string& word = args_[next_++];
      if (options_ended || word == "-" || word.empty() || word[0] != '-') {
        take_data_file(word);
      } else if (word == "--") {
        options_ended = true;
      } else if (word.compare(0, 2, "--") == 0) {
        take_long(word.substr(2));
      } else {
        take_short_group(word);
      }
    }
    return result_;
  }

 private:
  void fail(const std::string& message) {
    if (result_.error.empty()) result_.error = message;
  }

  void take_data_file(const std::string& word) {
    std::optional<std::string>& data_file = result_.options.settings.data_file;
    if (data_file) {
      fail("extra argument '" + word + "': only one data file is read");
    } else if (word.empty()) {
      fail("an empty data file name");
    } else {
      data_file = word;
    }
  }

  // The argument of an option: the rest of its word, else the next word.
  bool take_value(const std::string& attached, bool has_attached, const std::string& shown,
                  std::string& value) {
    if (has_attached) {
      value = attached;
    } else if (next_ < args_.size()) {
      value = args_[next_++];
    } else {
      fail("option '" + shown + "' needs an argument");
      return false;
    }
    if (value.empty()) fail("option '" + shown + "' needs a non-empty argument");
    return value.size() > 0;
  }

  void take_long(const std::string& body) {
    const std::size_t equals = body.find('=');
    const std::string name = body.substr(0, equals);
    const OptionSpec* entry = find_long(name);
    if (entry == nullptr) return fail("unknown option '--" + name + "'");
    std::string value;
    if (entry->takes_value) {
      if (!take_value(equals == std::string::npos ? "" : body.substr(equals + 1),
                      equals != std::string::npos, "--" + name, value)) {
        return;
      }
    } else if (equals != std::string::npos) {
      return fail("option '--" + name + "' takes no argument");
    }
    fail(apply(result_.options, entry->id, value));
  }

  void take_short_group(const std::string& word) {
    for (std::size_t i = 1; i < word.size(); ++i) {
      const OptionSpec* entry = find_short(word[i]);
      if (entry == nullptr) return fail(std::string("unknown option '-") + word[i] + "'");
      std::string value;
      if (entry->takes_value) {
        const bool attached = i + 1 < word.size();
        if (!take_value(word.substr(i + 1), attached, std::string("-") + word[i], value)) return;
        i = word.size();
      }
      fail(apply(result_.options, entry->id, value));
      if (!result_.error.empty()) return;
    }
  }

  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
  ParsedOptions result_;
};

}  // namespace

ParsedOptions parse_options(const std::vector<std::string>& args) {
  return Parser(args).run();
}

}  // namespace bramble
