#include "player/player.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <thread>

namespace tavrino {

namespace {

constexpr int kChannels = 16;

}  // namespace

Player::Player(MidiStream& stream, Settings& settings) : stream_(stream), settings_(settings) {}

Player::~Player() {
    Shutdown();
}

int Player::Init(MidiSong& song, PlayerNotifier& notifier) {
    Close();
    song_ = &song;
    notifier_ = &notifier;
    filler_.Start(0, 0);
    if (stream_.DeviceCount() == 0) {
        return kNoDevice;
    }
    buffers_.reset(new (std::nothrow) StreamBuffer[2]);
    if (!buffers_) {
        return kOutOfMemory;
    }
    inQueue_ = 0;
    outstandingNotifications_ = 0;
    return kOk;
}

void Player::Shutdown() {
    Close();
    buffers_.reset();
}

int Player::Open() {
    int device = settings_.midiDevice;
    if (device != -1 &&
        static_cast<unsigned>(device) >= static_cast<unsigned>(stream_.DeviceCount())) {
        settings_.midiDevice = -1;
        device = -1;
    }
    if (state_ != PlayerState::kClosed) {
        return kAlreadyOpen;
    }
    if (stream_.Open(device, *this) != MidiStream::kOk) {
        return kCannotOpen;
    }
    state_ = PlayerState::kStopped;
    inQueue_ = 0;
    return kOk;
}

void Player::Close() {
    // A stream cannot close under buffers it still plays.
    Stop(false);
    if (state_ != PlayerState::kClosed) {
        stream_.Close();
    }
}

int Player::Play(std::int32_t startTick, bool countIn) {
    if (song_ == nullptr || !buffers_) {
        return kNotOpened;
    }
    const PlayerState state = state_;
    if (state != PlayerState::kClosed && state != PlayerState::kStopped) {
        return kAlreadyPlaying;
    }
    if (state == PlayerState::kClosed) {
        if (Open() != kOk) {
            return kNotOpened;
        }
    } else {
        stream_.Reset();
    }
    const std::int32_t start = std::max(startTick, 0);
    const MessageList& messages = song_->messages;
    lastStreamError_ = 0;
    refillWaiting_[0] = refillWaiting_[1] = false;
    nextRefill_ = 0;
    state_ = PlayerState::kPlaying;

    const std::size_t first = Chase(start);
    filler_.Start(start, first);
    if (first >= messages.size() && !editMode_) {
        Stop(true);
        return kOk;
    }
    tempo_ = song_->TempoAt(start);
    notifier_->Post(WM_PLAYER_TEMPO, 0, tempo_);

    const int division = std::max<int>(division_, 1);
    stream_.SetTimeDivision(division);
    stream_.SetTempo(static_cast<std::uint32_t>(std::max(tempo_.load(), 0)));
    stream_.SetTempoPercent(tempoPercent_);
    const auto last = static_cast<std::int64_t>(messages.size()) - 1;
    position.displayIndex =
        static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(first, last), 0));
    position.current = start;
    position.offset = Position() - start;

    // The stream is idle until Restart: the buffers are filled here without
    // the guard.
    const Meter meter = song_->TimeSignatureAt(start);
    if (countIn) {
        const std::int64_t beat =
            std::max<std::int64_t>(std::int64_t{division} * 4 / meter.denominator, 1);
        const int beats = std::max(meter.numerator, 1);
        position.offset += beat * (beats + 1);
        filler_.FillCountIn(buffers_[0], beat, beats);
        Queue(buffers_[0]);
        filler_.FillSong(buffers_[1], messages, Grid());
        Queue(buffers_[1]);
    } else {
        const bool ended = filler_.FillSong(buffers_[0], messages, Grid());
        Queue(buffers_[0]);
        if (!ended) {
            filler_.FillSong(buffers_[1], messages, Grid());
            Queue(buffers_[1]);
        }
    }
    stream_.Restart();
    return kOk;
}

std::size_t Player::Chase(std::int32_t startTick) {
    const MessageList& messages = song_->messages;
    std::size_t index = 0;
    for (; index < messages.size() && messages[index]->time < startTick; ++index) {
        const MidiEvent& event = *messages[index];
        const EventKind kind = event.kind();
        // Notes and bends belong to their moment; the rest stays in force.
        if (IsChannelKind(kind) && kind != EventKind::NoteOn && kind != EventKind::NoteOff &&
            kind != EventKind::PitchWheel) {
            stream_.ShortMsg(ShortMessageWord(event.status, event.data1, event.data2));
        }
    }
    return index;
}

BufferFiller::Grid Player::Grid() const {
    return {step_, std::max<std::int32_t>(division_, 1), editMode_};
}

void Player::Stop(bool notify) {
    PlayerState playing = PlayerState::kPlaying;
    if (!state_.compare_exchange_strong(playing, PlayerState::kStopping)) {
        return;
    }
    // A fill under way would queue its buffer after the stream stopped.
    WaitForFillToEnd();
    stream_.Stop();
    stream_.Reset();
    {
        std::unique_lock lock(stopMutex_);
        buffersBack_.wait_for(lock, stopTimeout_, [this] { return inQueue_ == 0; });
    }
    if (const int left = inQueue_; left > 0) {
        std::array<char, 64> text{};
        std::snprintf(text.data(), text.size(), "Player Stop Timeout! hdrinqueue:%d ", left);
        notifier_->ShowWarning(text.data(), "Tavrino! Warning");
    }
    inQueue_ = 0;
    outstandingNotifications_ = 0;
    state_ = PlayerState::kStopped;
    position.displayIndex = -1;
    if (notify) {
        notifier_->Post(WM_PLAYER_ENDED, 0, 0);
    }
}

void Player::Pause() {
    PlayerState playing = PlayerState::kPlaying;
    if (!state_.compare_exchange_strong(playing, PlayerState::kPaused)) {
        return;
    }
    WaitForFillToEnd();
    const MessageList& messages = song_->messages;
    takenAtPause_ = filler_.TakenAtCursor(messages);
    const std::int32_t shown = position.displayIndex;
    displayedAtPause_ =
        shown >= 0 && static_cast<std::size_t>(shown) < messages.size() ? messages[shown] : nullptr;
}

void Player::Resume() {
    if (state_ != PlayerState::kPaused) {
        return;
    }
    // An event inserted while paused moved the indices of those after it.
    const MessageList& messages = song_->messages;
    filler_.Resume(messages, takenAtPause_);
    const std::int32_t shown = position.displayIndex;
    if (displayedAtPause_ != nullptr && static_cast<std::size_t>(shown) + 1 < messages.size() &&
        messages[shown + 1] == displayedAtPause_) {
        position.displayIndex = shown + 1;
    }
    state_ = PlayerState::kPlaying;
    RefillWaitingBuffers();
}

void Player::Seek(std::int32_t tick) {
    if (tick == -1) {
        return;
    }
    const bool wasPlaying = IsPlaying();
    if (wasPlaying) {
        Stop(false);
    }
    position.current = tick;
    position.lastShown = tick;
    position.displayIndex = -1;
    if (wasPlaying) {
        Play(tick, false);
    }
}

std::int64_t Player::Position() const {
    return IsPlaying() ? stream_.Position() : 0;
}

void Player::SetTempo(std::int32_t microsecondsPerQuarter) {
    tempo_ = microsecondsPerQuarter;
}

int Player::TempoPercent(int percent) {
    if (percent >= 1) {
        tempoPercent_ = percent;
        if (state_ != PlayerState::kClosed) {
            stream_.SetTempoPercent(percent);
        }
    }
    const std::int32_t tempo = tempo_;
    return tempo > 0 ? static_cast<int>(std::int64_t{tempoPercent_} * 600000 / tempo) : 0;
}

void Player::SetDivision(int ticksPerQuarter) {
    division_ = static_cast<std::int16_t>(ticksPerQuarter);
    step_ = std::max(ticksPerQuarter / 8, 1);
    ResetChannels();
}

void Player::ResetChannels() {
    for (int channel = 0; channel < kChannels; ++channel) {
        const int control = 0xB0 | channel;
        const std::array<std::uint32_t, 14> reset = {
            ShortMessageWord(0xC0 | channel, 0, 0),
            ShortMessageWord(control, 7, 127),  // volume
            ShortMessageWord(control, 10, 64),  // pan
            ShortMessageWord(control, 120, 0),  // all sound off
            ShortMessageWord(control, 121, 0),  // reset all controllers
            ShortMessageWord(0xE0 | channel, 0x00, 0x40),
            // Pitch-bend range 2 semitones, coarse tuning centred, then no
            // parameter selected, so that later data entries change nothing.
            ShortMessageWord(control, 101, 0),
            ShortMessageWord(control, 100, 0),
            ShortMessageWord(control, 6, 2),
            ShortMessageWord(control, 101, 0),
            ShortMessageWord(control, 100, 2),
            ShortMessageWord(control, 6, 64),
            ShortMessageWord(control, 101, 127),
            ShortMessageWord(control, 100, 127),
        };
        for (const std::uint32_t message : reset) {
            stream_.ShortMsg(message);
        }
    }
}

void Player::ShortMsg(int status, int channel, int data1, int data2) {
    stream_.ShortMsg(ShortMessageWord((status & 0xF0) | (channel & 0x0F), data1, data2));
}

bool Player::TakeNotification() {
    int count = outstandingNotifications_;
    while (count > 0) {
        if (outstandingNotifications_.compare_exchange_weak(count, count - 1)) {
            return true;
        }
    }
    return false;
}

// --- The stream's thread -----------------------------------------------------

void Player::OnBufferDone(StreamBuffer& buffer) {
    if (--inQueue_ == 0 && state_ == PlayerState::kStopping) {
        // Held only while Stop is not inside its wait: never long.
        const std::lock_guard lock(stopMutex_);
        buffersBack_.notify_all();
    }
    refillWaiting_[&buffer - buffers_.get()] = true;
    RefillWaitingBuffers();
}

void Player::RefillWaitingBuffers() {
    bool over = false;
    while (!fillGuard_.exchange(true)) {
        for (int n = 0; n < 2 && state_ == PlayerState::kPlaying; ++n) {
            const int index = (nextRefill_ + n) % 2;
            if (refillWaiting_[index].exchange(false)) {
                StreamBuffer& buffer = buffers_[index];
                nextRefill_ = 1 - index;
                if ((buffer.user & StreamBuffer::kSongEnded) != 0 && !editMode_) {
                    over = true;
                    continue;
                }
                filler_.FillSong(buffer, song_->messages, Grid());
                over = !Queue(buffer) || over;
            }
        }
        fillGuard_ = false;
        // A buffer may have come back while the guard was held.
        if (state_ != PlayerState::kPlaying || !(refillWaiting_[0] || refillWaiting_[1])) {
            break;
        }
    }
    // Past the song's end, or with a buffer the stream refused, play cannot
    // go on once the stream's queue is empty.
    if (over && inQueue_ == 0) {
        Stop(true);
    }
}

bool Player::Queue(StreamBuffer& buffer) {
    ++inQueue_;
    const int result = stream_.Out(buffer);
    if (result == MidiStream::kOk) {
        return true;
    }
    --inQueue_;
    lastStreamError_ = result;
    std::array<char, 256> text{};
    stream_.ErrorText(result, text);
    notifier_->DebugOutput(text.data());
    return false;
}

void Player::WaitForFillToEnd() const {
    while (fillGuard_) {
        std::this_thread::yield();
    }
}

void Player::OnMarker(const StreamRecord& record) {
    if (state_ != PlayerState::kPlaying || !IsMarkerType(record.event)) {
        return;
    }
    ++outstandingNotifications_;
    notifier_->Post(WM_PLAYER_POSITION, MOM_POSITIONCB,
                    static_cast<std::intptr_t>(MarkerParameter(record)));
}

void Player::OnClose() {
    state_ = PlayerState::kClosed;
}

}  // namespace tavrino
