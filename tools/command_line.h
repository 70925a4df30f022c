#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::tool {

// A command's arguments: positionals, "--name value" options and "--name"
// flags. Anything not declared is a usage error.
class CommandLine {
public:
    struct Option {
        std::string_view name;  // without the leading "--"
        bool takesValue;
    };

    CommandLine(const std::vector<std::string>& args, std::initializer_list<Option> options);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    const std::vector<std::string>& positionals() const { return positionals_; }
    bool has(std::string_view name) const { return values_.contains(std::string(name)); }
    std::optional<std::string> value(std::string_view name) const;
    // The option as an integer; empty when absent, an error when not a number.
    std::optional<long long> integer(std::string_view name);

    // Checks the number of positionals; records a usage error otherwise.
    bool expectPositionals(std::size_t least, std::size_t most);
    // Records a usage error found in the values; the first one stands.
    void fail(const std::string& problem) {
        if (ok()) {
            error_ = problem;
        }
    }

private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::string, std::less<>> values_;
    std::string error_;
};

}  // namespace tavrino::tool
