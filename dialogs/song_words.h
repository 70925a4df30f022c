#pragma once

#include <QString>
#include <string_view>

namespace tavrino {

// Words stored in a song (track names, texts) as the user reads them. Files
// do not say how their words are encoded: bytes that read as UTF-8 are taken
// as such, anything else as Latin-1, which every byte is.
QString SongWords(std::string_view bytes);

}  // namespace tavrino
