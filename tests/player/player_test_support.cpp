#include "player/player_test_support.h"

#include "player/position_marker.h"

namespace tavrino::test {

std::vector<Sound> Sounds(const FakeMidiStream& stream) {
    std::vector<Sound> sounds;
    for (const PlayedRecord& played : stream.played) {
        if (RecordType(played.record.event) == kShortMessageType) {
            sounds.push_back({played.tick, played.record.event});
        }
    }
    return sounds;
}

std::vector<std::int64_t> TicksOf(const FakeMidiStream& stream, std::uint32_t message) {
    std::vector<std::int64_t> ticks;
    for (const Sound& sound : Sounds(stream)) {
        if (sound.message == message) {
            ticks.push_back(sound.tick);
        }
    }
    return ticks;
}

std::vector<std::int64_t> TickMarkers(const FakeMidiStream& stream) {
    std::vector<std::int64_t> ticks;
    for (const PlayedRecord& played : stream.played) {
        const std::uint32_t parameter = MarkerParameter(played.record);
        if (IsMarkerType(played.record.event) && PositionMarker::IsTick(parameter)) {
            ticks.push_back(PositionMarker::Value(parameter));
        }
    }
    return ticks;
}

}  // namespace tavrino::test
