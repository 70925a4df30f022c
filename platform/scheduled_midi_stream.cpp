#include "platform/scheduled_midi_stream.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <utility>

namespace tavrino {

namespace {

// The length of a channel message from its status byte; 0 for anything else.
std::size_t MessageLength(std::uint8_t status) {
    if (status < 0x80 || status >= 0xF0) {
        return 0;
    }
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

}  // namespace

ScheduledMidiStream::ScheduledMidiStream(MidiOutputs& outputs, StreamClock& clock)
    : outputs_(outputs), clock_(clock) {}

ScheduledMidiStream::~ScheduledMidiStream() {
    Close();
}

int ScheduledMidiStream::Open(int deviceId, MidiStreamClient& client) {
    if (thread_.joinable()) {
        return kCannotOpen;
    }
    output_ = outputs_.Open(deviceId);
    if (!output_) {
        return kCannotOpen;
    }
    lead_ = output_->Lead();
    client_ = &client;
    queueSize_ = 0;
    nextRecord_ = 0;
    running_ = false;
    closing_ = false;
    failed_ = false;
    timeline_ = StreamTimeline();
    try {
        thread_ = std::thread(&ScheduledMidiStream::Run, this);
    } catch (const std::system_error&) {
        output_.reset();
        return kCannotOpen;
    }
    threadId_ = thread_.get_id();
    return kOk;
}

void ScheduledMidiStream::Close() {
    if (!thread_.joinable()) {
        return;
    }
    Stop();
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    thread_.join();
    output_.reset();
    std::exchange(client_, nullptr)->OnClose();
}

int ScheduledMidiStream::Out(StreamBuffer& buffer) {
    {
        const std::lock_guard lock(mutex_);
        if (!output_) {
            return kNotOpen;
        }
        if (failed_ || queueSize_ == kQueueCapacity) {
            return kDeviceFailed;
        }
        queue_[(queueHead_ + queueSize_++) % kQueueCapacity] = &buffer;
    }
    wake_.notify_all();
    return kOk;
}

void ScheduledMidiStream::Restart() {
    {
        const std::lock_guard lock(mutex_);
        running_ = true;
        lastTick_ = 0;
        timeline_.Start(clock_.Now());
    }
    wake_.notify_all();
}

void ScheduledMidiStream::Stop() {
    std::unique_lock lock(mutex_);
    if (!thread_.joinable()) {
        return;
    }
    const std::uint64_t ticket = ++stopsAsked_;
    if (std::this_thread::get_id() == threadId_) {
        // From the client's own callback: no one else can hand them back.
        HandBack(lock);
        return;
    }
    wake_.notify_all();
    handedBack_.wait(lock, [this, ticket] { return stopsDone_ >= ticket; });
}

void ScheduledMidiStream::HandBack(std::unique_lock<std::mutex>& lock) {
    const std::uint64_t answered = stopsAsked_;
    running_ = false;
    nextRecord_ = 0;
    while (queueSize_ > 0) {
        StreamBuffer* buffer = queue_[queueHead_];
        queueHead_ = (queueHead_ + 1) % kQueueCapacity;
        --queueSize_;
        lock.unlock();
        client_->OnBufferDone(*buffer);
        lock.lock();
    }
    stopsDone_ = std::max(stopsDone_, answered);
    handedBack_.notify_all();
}

void ScheduledMidiStream::Run() {
    clock_.PrepareWaitingThread();
    std::unique_lock lock(mutex_);
    while (!closing_) {
        if (stopsDone_ < stopsAsked_) {
            HandBack(lock);
        } else if (running_ && queueSize_ > 0) {
            PlayNext(lock);
        } else {
            wake_.wait(lock);
        }
    }
}

void ScheduledMidiStream::PlayNext(std::unique_lock<std::mutex>& lock) {
    StreamBuffer& buffer = *queue_[queueHead_];
    if (nextRecord_ == buffer.recordCount) {
        queueHead_ = (queueHead_ + 1) % kQueueCapacity;
        --queueSize_;
        nextRecord_ = 0;
        lock.unlock();
        client_->OnBufferDone(buffer);
        lock.lock();
        return;
    }
    const StreamRecord record = buffer.records[nextRecord_];
    const std::int64_t tick = lastTick_ + record.deltaTicks;
    const std::int64_t due = timeline_.TimeAt(tick);
    if (const std::int64_t handOver = due - lead_; clock_.Now() < handOver) {
        // Whatever wakes the thread early (a stop, a new tempo) is looked at
        // before the record is. An output that places messages itself needs
        // them in time, not on time.
        clock_.WaitUntil(handOver, wake_, lock, lead_ == 0);
        return;
    }
    ++nextRecord_;
    lastTick_ = tick;
    const std::uint32_t type = RecordType(record.event);
    if ((type & ~kCallbackFlag) == kTempoType) {
        timeline_.Rebase(tick);
        timeline_.SetTempo(RecordParameter(record.event));
    } else if (type == kShortMessageType) {
        lock.unlock();
        Send(record.event, due);
        lock.lock();
    }
    if ((type & kCallbackFlag) != 0) {
        lock.unlock();
        client_->OnMarker(record);
        lock.lock();
    }
}

template <typename Change>
void ScheduledMidiStream::ChangeRate(Change change) {
    {
        const std::lock_guard lock(mutex_);
        if (running_) {
            timeline_.Rebase(std::max(lastTick_, timeline_.TickAt(clock_.Now())));
        }
        change(timeline_);
    }
    wake_.notify_all();
}

void ScheduledMidiStream::SetTimeDivision(int ticksPerQuarter) {
    ChangeRate(
        [ticksPerQuarter](StreamTimeline& timeline) { timeline.SetDivision(ticksPerQuarter); });
}

void ScheduledMidiStream::SetTempo(std::uint32_t microsecondsPerQuarter) {
    ChangeRate([microsecondsPerQuarter](StreamTimeline& timeline) {
        timeline.SetTempo(microsecondsPerQuarter);
    });
}

void ScheduledMidiStream::SetTempoPercent(int percent) {
    ChangeRate([percent](StreamTimeline& timeline) { timeline.SetPercent(percent); });
}

std::int64_t ScheduledMidiStream::Position() const {
    const std::lock_guard lock(mutex_);
    return running_ ? timeline_.TickAt(clock_.Now()) : 0;
}

void ScheduledMidiStream::Reset() {
    for (int note = 0; note < kChannels * kKeys; ++note) {
        if (sounding_[note].exchange(false)) {
            ShortMsg(ShortMessageWord(0x80 | note / kKeys, note % kKeys, 0));
        }
    }
    for (int channel = 0; channel < kChannels; ++channel) {
        ShortMsg(ShortMessageWord(0xB0 | channel, 64, 0));   // sustain off
        ShortMsg(ShortMessageWord(0xB0 | channel, 123, 0));  // all notes off
    }
}

void ScheduledMidiStream::ShortMsg(std::uint32_t message) {
    if (output_) {
        Send(message, clock_.Now());
    }
}

void ScheduledMidiStream::Send(std::uint32_t message, std::int64_t time) {
    const std::array<std::uint8_t, 3> bytes = {static_cast<std::uint8_t>(message),
                                               static_cast<std::uint8_t>(message >> 8),
                                               static_cast<std::uint8_t>(message >> 16)};
    const std::size_t length = MessageLength(bytes[0]);
    if (length == 0) {
        return;
    }
    Follow(std::span(bytes).first(length));
    if (!output_->Send(std::span(bytes).first(length), time)) {
        const std::lock_guard lock(mutex_);
        failed_ = true;
    }
}

void ScheduledMidiStream::Follow(std::span<const std::uint8_t> message) {
    const int kind = message[0] & 0xF0;
    if ((kind == 0x80 || kind == 0x90) && message.size() == 3) {
        sounding_[(message[0] & 0x0F) * kKeys + (message[1] & 0x7F)] =
            kind == 0x90 && message[2] != 0;
    }
}

void ScheduledMidiStream::ErrorText(int code, std::span<char> text) const {
    const char* meaning = "unknown MIDI output error";
    switch (code) {
        case kCannotOpen:
            meaning = "the MIDI output device cannot be opened";
            break;
        case kNotOpen:
            meaning = "the MIDI output device is not open";
            break;
        case kDeviceFailed:
            meaning = "the MIDI output device stopped taking messages";
            break;
        default:
            break;
    }
    std::snprintf(text.data(), text.size(), "%s", meaning);
}

}  // namespace tavrino
