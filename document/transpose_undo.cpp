#include "document/transpose_undo.h"

namespace tavrino {

namespace {

// The song's key name moved like its key signatures; a name that is not a
// key ("?") stays.
std::string TransposedKeyText(const std::string& keyText, int semitones) {
    for (int sharpsFlats = -7; sharpsFlats <= 7; ++sharpsFlats) {
        for (const bool minor : {false, true}) {
            if (KeyName(sharpsFlats, minor) == keyText) {
                return KeyName(TransposedSharpsFlats(sharpsFlats, semitones), minor);
            }
        }
    }
    return keyText;
}

}  // namespace

bool TransposeUndoRecord::Continues(std::int32_t beginMark, std::int32_t endMark,
                                    const std::vector<bool>& transposedTracks,
                                    bool movesKeySignatures) const {
    // A different track count means tracks were added or deleted since: the
    // saved indexes no longer name the same tracks.
    return CanRevert() && undoBegin == beginMark && undoEnd == endMark &&
           trackFlags == transposedTracks && movesKeys == movesKeySignatures;
}

void TransposeUndoRecord::StartGroup(const MidiSong& song, std::int32_t beginMark,
                                     std::int32_t endMark, std::vector<bool> transposedTracks,
                                     bool movesKeySignatures) {
    trackFlags = std::move(transposedTracks);
    undoBegin = beginMark;
    undoEnd = endMark;
    amount = 0;
    ++groups;
    movesKeys = movesKeySignatures;
    originalKeys.clear();
    originalSignatures.clear();
    originalKeyText = song.keyText;
    if (!movesKeys) {
        return;
    }
    for (const auto& track : song.tracks) {
        for (const auto& event : track->events) {
            if (event->kind() == EventKind::KeySignature) {
                auto* signature = static_cast<KeySignatureEvent*>(event.get());
                originalSignatures.emplace_back(signature, signature->sharpsFlats());
            }
        }
    }
}

bool TransposeUndoRecord::Add(MidiSong& song, int semitones,
                              const std::vector<MidiEvent*>& unmoved) {
    // Until now the note moved with every transposition of the group.
    for (MidiEvent* note : unmoved) {
        for (MidiEvent* half : {note, note->buddy}) {
            if (half != nullptr) {
                originalKeys.try_emplace(half, static_cast<std::int16_t>(half->data1 - amount));
            }
        }
    }
    amount += semitones;
    // Signatures follow the group's whole amount from their own spelling, so
    // that they return to it exactly when the notes do.
    for (const auto& [signature, sharpsFlats] : originalSignatures) {
        signature->setSharpsFlats(TransposedSharpsFlats(sharpsFlats, amount));
    }
    if (!originalSignatures.empty()) {
        song.keyText = TransposedKeyText(originalKeyText, amount);
    }
    if (!CanRevert() && groups == 1) {
        groups = 0;
        return false;
    }
    return true;
}

bool TransposeUndoRecord::RevertLastGroup(MidiSong& song) {
    if (amount != 0) {
        for (std::size_t track = 0; track < trackFlags.size(); ++track) {
            if (trackFlags[track]) {
                TransposeSong(song, -amount, static_cast<int>(track), undoBegin, undoEnd);
            }
        }
    }
    for (const auto& [note, key] : originalKeys) {
        note->data1 = key;
    }
    for (const auto& [signature, sharpsFlats] : originalSignatures) {
        signature->setSharpsFlats(sharpsFlats);
    }
    if (!originalSignatures.empty()) {
        song.keyText = originalKeyText;
    }
    amount = 0;
    originalKeys.clear();
    originalSignatures.clear();
    return --groups == 0;
}

}  // namespace tavrino
