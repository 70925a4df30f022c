#pragma once

namespace tavrino {

// The product's web page: the About box opens it, saved lyrics and the
// tablature text track name it.
inline constexpr const char* kProductWebPage = "https://tavrino.example/";

}  // namespace tavrino
