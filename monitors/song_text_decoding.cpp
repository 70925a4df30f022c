#include "monitors/song_text_decoding.h"

#include <QStringDecoder>
#include <array>

#include "song/text_encoding.h"

namespace tavrino {

namespace {

constexpr std::array<OfferedEncoding, 11> kOffered = {{
    {"Western (Windows-1252)", "windows-1252"},
    {"Central European (Windows-1250)", "windows-1250"},
    {"Cyrillic (Windows-1251)", "windows-1251"},
    {"Cyrillic (KOI8-R)", "KOI8-R"},
    {"Greek (Windows-1253)", "windows-1253"},
    {"Turkish (Windows-1254)", "windows-1254"},
    {"Japanese (Shift-JIS)", "Shift_JIS"},
    {"Japanese (EUC-JP)", "EUC-JP"},
    {"Chinese Simplified (GB18030)", "GB18030"},
    {"Chinese Traditional (Big5)", "Big5"},
    {"Korean (EUC-KR)", "EUC-KR"},
}};

}  // namespace

std::span<const OfferedEncoding> OfferedEncodings() {
    return kOffered;
}

std::optional<TextDecoder> MakeTextDecoder(std::string_view name) {
    const std::string terminated(name);
    // Stateless: every text is decoded on its own, so a damaged one cannot
    // garble the next, and each may start with a byte-order mark.
    if (!QStringDecoder(terminated.c_str(), QStringConverter::Flag::Stateless).isValid()) {
        return std::nullopt;
    }
    return [terminated](std::string_view bytes) {
        QStringDecoder decoder(terminated.c_str(), QStringConverter::Flag::Stateless);
        const QString text = decoder(QByteArrayView(bytes.data(), std::ssize(bytes)));
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<std::size_t>(text.size()));
    };
}

SongEncoding ChooseSongEncoding(const MidiSong& song, std::string_view fallback) {
    if (SongTextIsUtf8(song)) {
        return {std::string(kUtf8Encoding), true};
    }
    return {std::string(fallback), false};
}

EncodingChoices& EncodingChoices::Session() {
    static EncodingChoices choices;
    return choices;
}

std::string EncodingChoices::For(const std::string& path) const {
    const auto found = choices_.find(path);
    return found == choices_.end() ? std::string(kDefaultEncoding) : found->second;
}

void EncodingChoices::Remember(const std::string& path, std::string_view name) {
    choices_[path] = name;
}

}  // namespace tavrino
