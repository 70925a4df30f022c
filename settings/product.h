#pragma once

#include <string_view>

namespace tavrino {

// The product's web page: the About box opens it, saved lyrics and the
// tablature text track name it.
inline constexpr const char* kProductWebPage = "https://tavrino.example/";

// The page's address without its scheme and final slash, for karaoke texts,
// in which every "/" breaks the line.
constexpr std::string_view ProductWebHost() {
    std::string_view host = kProductWebPage;
    host.remove_prefix(host.find("//") + 2);
    if (host.ends_with('/')) {
        host.remove_suffix(1);
    }
    return host;
}

}  // namespace tavrino
