#include "document/tab_text_track.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "document/song_edits.h"
#include "settings/product.h"

namespace tavrino {

namespace {

struct TimedText {
    std::int32_t time;
    std::string text;
};

// The texts one source track contributes, in its time order.
class TrackTabWriter {
public:
    TrackTabWriter(const MidiSong& song, const TabTrackNotation& notation,
                   std::vector<TimedText>& out)
        : song_(song), notation_(notation), out_(out) {}

    // Adds one note; notes come in time order.
    void AddNote(const MidiEvent& note) {
        if (note.time != groupTime_) {
            Flush();
            groupTime_ = note.time;
        }
        const std::int64_t barsStarted = song_.bars.IndexAt(note.time) + 1;
        if (barsStarted != lastBar_) {
            group_ += '/';
            lastBar_ = barsStarted;
        }
        group_ += notation_.noteText(note.data1);
    }

    // Writes the open group, followed by the blank that separates it from
    // the next one.
    void Flush() {
        if (groupTime_ >= 0) {
            out_.push_back({groupTime_, group_ + ' '});
        }
        group_.clear();
        groupTime_ = -1;
    }

private:
    const MidiSong& song_;
    const TabTrackNotation& notation_;
    std::vector<TimedText>& out_;
    std::int64_t lastBar_ = -1;
    std::int32_t groupTime_ = -1;
    std::string group_;
};

std::unique_ptr<MidiEvent> MakeMeta(std::int32_t time, int type, std::string_view text) {
    // The payload counts its terminator, as the texts the program adds always have.
    std::string terminated(text);
    terminated.push_back('\0');
    return CreateMetaEvent(
        time, type,
        std::span(reinterpret_cast<const std::uint8_t*>(terminated.data()), terminated.size()));
}

}  // namespace

int AppendTabTextTrack(MidiSong& song, const TabTrackNotation& notation, std::int32_t beginMark,
                       std::int32_t endMark) {
    std::vector<TimedText> texts{{0, "@TTablature Created by Tavrino!"},
                                 {0, "@T" + notation.description}};
    std::int32_t endTime = 0;
    for (const auto& source : song.tracks) {
        if (!source->visible()) {
            continue;
        }
        TrackTabWriter writer(song, notation, texts);
        for (const auto& event : source->events) {
            if (event->playable == 0 || !StartsInside(*event, beginMark, endMark)) {
                continue;
            }
            writer.AddNote(*event);
            endTime = std::max(endTime, event->buddy != nullptr ? event->buddy->time : event->time);
        }
        writer.Flush();
    }
    if (IsMarkSet(endMark)) {
        endTime = endMark;
    }
    std::string closing("/");
    closing += ProductWebHost();
    texts.push_back({endTime, std::move(closing)});
    // Several visible tracks each start again from their first note; equal
    // times keep the order in which the texts were made.
    std::stable_sort(texts.begin(), texts.end(),
                     [](const TimedText& a, const TimedText& b) { return a.time < b.time; });

    const int index = static_cast<int>(song.tracks.size());
    auto& track = *song.tracks.emplace_back(std::make_unique<MidiTrack>());
    track.name = kTabTrackName;
    track.Add(MakeMeta(0, 0x03, kTabTrackName));
    std::vector<MidiEvent*> listed;
    listed.reserve(texts.size() + 1);
    for (const TimedText& text : texts) {
        listed.push_back(track.Add(MakeMeta(text.time, 0x01, text.text)));
    }
    track.textCount = static_cast<std::int32_t>(texts.size());
    auto end = std::make_unique<EndOfTrackEvent>();
    end->time = endTime;
    listed.push_back(track.Add(std::move(end)));
    song.messages.InsertInOrder(listed);
    ExtendSongTo(song, endTime);
    return index;
}

}  // namespace tavrino
