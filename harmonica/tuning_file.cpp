#include "harmonica/tuning_file.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <span>

#include "harmonica/note_naming.h"
#include "song/system_path.h"

namespace tavrino {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr std::string_view kBlanks = " \t\v\f";  // white space within a line
constexpr std::string_view kLineEnds = "\r\n";
constexpr std::string_view kNameSuffix = " ...";

struct RowKeyword {
    std::string_view keyword;
    int column;
};

constexpr RowKeyword kDiatonicRows[] = {{"BLOW", 0}, {"DRAW", 1}};
constexpr RowKeyword kChromaticRows[] = {
    {"BLOW_SLIDE_OUT", 0}, {"BLOW_SLIDE_IN", 1}, {"DRAW_SLIDE_OUT", 2}, {"DRAW_SLIDE_IN", 3}};

struct ParsedTuning {
    std::string_view name;
    std::array<HoleNotes, kChromaticKindCount> columns{};  // the most any kind of file has
    int holes = 0;
};

// The position just after the first whole word equal to the keyword at or
// after `from`; none when the text has no such word.
std::optional<std::size_t> FindKeyword(std::string_view text, std::string_view keyword,
                                       std::size_t from) {
    std::size_t start = text.find_first_not_of(kWhiteSpace, from);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kWhiteSpace, start), text.size());
        if (text.substr(start, end - start) == keyword) {
            return end;
        }
        start = text.find_first_not_of(kWhiteSpace, end);
    }
    return std::nullopt;
}

std::string_view RestOfLine(std::string_view text, std::size_t from) {
    const std::size_t end = std::min(text.find_first_of(kLineEnds, from), text.size());
    return text.substr(from, end - from);
}

// The position after the end of the line that holds `from`.
std::size_t NextLine(std::string_view text, std::size_t from) {
    const std::size_t newline = text.find('\n', from);
    return newline == std::string_view::npos ? text.size() : newline + 1;
}

// Reads the note words of a row into the column; returns how many notes.
int ReadRow(std::string_view line, HoleNotes& column) {
    int count = 0;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos && count < kMaxHoles) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        int note = ParseNoteName(line.substr(start, end - start));
        if (note >= 0) {
            if (count > 0) {
                // Each note may lie up to two semitones below the previous one;
                // lower than that it belongs to the next octave up.
                const int previous = column[count - 1];
                while (note <= previous - 3) {
                    note += 12;
                }
            }
            column[count++] = static_cast<std::int16_t>(note);
        }
        start = line.find_first_not_of(kBlanks, end);
    }
    return count;
}

std::optional<ParsedTuning> Parse(std::string_view text, std::string_view kindKeyword,
                                  std::span<const RowKeyword> rows) {
    const auto afterKind = FindKeyword(text, kindKeyword, 0);
    if (!afterKind) {
        return std::nullopt;
    }
    const auto afterName = FindKeyword(text, "NAME", *afterKind);
    if (!afterName) {
        return std::nullopt;
    }
    ParsedTuning tuning;
    const std::string_view nameLine = RestOfLine(text, *afterName);
    tuning.name = nameLine.substr(std::min(nameLine.find_first_not_of(kBlanks), nameLine.size()));

    const std::size_t rowsStart = NextLine(text, *afterName);
    for (const RowKeyword& row : rows) {
        const auto afterKeyword = FindKeyword(text, row.keyword, rowsStart);
        if (!afterKeyword) {
            return std::nullopt;
        }
        tuning.holes = std::max(
            tuning.holes, ReadRow(RestOfLine(text, *afterKeyword), tuning.columns[row.column]));
    }
    // A tuning without a single note would be an instrument with no holes.
    if (tuning.holes == 0) {
        return std::nullopt;
    }
    return tuning;
}

template <std::size_t Size>
void AssignName(FixedName<Size>& field, std::string_view fileName) {
    std::string name(Utf8Prefix(fileName, FixedName<Size>::kLimit - kNameSuffix.size()));
    field.assign(name.append(kNameSuffix));
}

// Parses the text and, only when it is a whole tuning, replaces the record
// with a fresh one: a failed load must not disturb a record in use, and a
// short row must not inherit notes from an earlier file.
template <class Record, class FillNotes>
int Load(std::string_view text, std::string_view kindKeyword, std::span<const RowKeyword> rows,
         Record& record, FillNotes fillNotes) {
    const auto parsed = Parse(text, kindKeyword, rows);
    if (!parsed) {
        return -1;
    }
    Record tuning;
    AssignName(tuning.name, parsed->name);
    tuning.holes = static_cast<std::int16_t>(parsed->holes);
    fillNotes(*parsed, tuning);
    record = tuning;
    return 0;
}

std::optional<std::string> ReadLimitedFile(const std::string& path) {
    std::ifstream in(SystemPath(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // One byte more than allowed tells a file at the limit from a larger one.
    std::string text(kMaxTuningFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || static_cast<std::size_t>(in.gcount()) > kMaxTuningFileBytes) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

template <class Record>
int ReadFile(const std::string& path, Record& record) {
    const auto text = ReadLimitedFile(path);
    return text ? ParseTuningText(*text, record) : -1;
}

}  // namespace

int ParseTuningText(std::string_view text, DiatonicTuning& record) {
    return Load(text, "DIATONIC", kDiatonicRows, record,
                [](const ParsedTuning& parsed, DiatonicTuning& tuning) {
                    tuning.blow = parsed.columns[0];
                    tuning.draw = parsed.columns[1];
                });
}

int ParseTuningText(std::string_view text, ChromaticTuning& record) {
    return Load(text, "CHROMATIC", kChromaticRows, record,
                [](const ParsedTuning& parsed, ChromaticTuning& tuning) {
                    for (int hole = 0; hole < kMaxHoles; ++hole) {
                        for (int kind = 0; kind < kChromaticKindCount; ++kind) {
                            tuning.notes[hole][kind] = parsed.columns[kind][hole];
                        }
                    }
                });
}

int ReadTuningFile(const std::string& path, DiatonicTuning& record) {
    return ReadFile(path, record);
}

int ReadTuningFile(const std::string& path, ChromaticTuning& record) {
    return ReadFile(path, record);
}

}  // namespace tavrino
