#include "tools/command_line.h"

#include <algorithm>
#include <charconv>

namespace tavrino::tool {

CommandLine::CommandLine(const std::vector<std::string>& args,
                         std::initializer_list<Option> options) {
    for (std::size_t i = 0; i < args.size() && ok(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            positionals_.push_back(arg);
            continue;
        }
        const std::string_view name = std::string_view(arg).substr(2);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [name](const Option& o) { return o.name == name; });
        if (option == options.end()) {
            error_ = "unknown option " + arg;
        } else if (!option->takesValue) {
            values_[std::string(name)] = "";
        } else if (i + 1 < args.size()) {
            values_[std::string(name)] = args[++i];
        } else {
            error_ = "option " + arg + " needs a value";
        }
    }
}

std::optional<std::string> CommandLine::value(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<long long> CommandLine::integer(std::string_view name) {
    const auto text = value(name);
    if (!text) {
        return std::nullopt;
    }
    long long number = 0;
    const auto [end, problem] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (problem != std::errc() || end != text->data() + text->size()) {
        fail("--" + std::string(name) + " needs a whole number, not \"" + *text + "\"");
        return std::nullopt;
    }
    return number;
}

bool CommandLine::expectPositionals(std::size_t least, std::size_t most) {
    if (!ok()) {
        return false;
    }
    if (positionals_.size() < least) {
        error_ = "missing arguments";
    } else if (positionals_.size() > most) {
        error_ = "unexpected argument " + positionals_[most];
    }
    return ok();
}

}  // namespace tavrino::tool
