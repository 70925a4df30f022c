#pragma once

// A MIDI stream that plays only when told to, on the test's own thread, and
// keeps everything it was asked: the records it played with their stream
// ticks, the messages sent at once, and the division, tempo and percent.

#include <deque>
#include <vector>

#include "player/midi_stream.h"
#include "player/player_notifier.h"

namespace tavrino::test {

struct PlayedRecord {
    std::int64_t tick = 0;  // stream ticks since Restart
    StreamRecord record;
};

class FakeMidiStream : public MidiStream {
public:
    int DeviceCount() const override { return devices; }
    int Open(int deviceId, MidiStreamClient& client) override {
        if (!opens) {
            return kCannotOpen;
        }
        openedDevice = deviceId;
        client_ = &client;
        return kOk;
    }
    void Close() override {
        client_->OnClose();
        client_ = nullptr;
    }
    int Out(StreamBuffer& buffer) override {
        if (failQueue) {
            return kDeviceFailed;
        }
        queue_.push_back(&buffer);
        return kOk;
    }
    void Restart() override {
        running = true;
        tick_ = 0;
    }
    void Stop() override {
        running = false;
        while (!queue_.empty()) {
            StreamBuffer* buffer = queue_.front();
            queue_.pop_front();
            client_->OnBufferDone(*buffer);
        }
    }
    void Reset() override { ++resets; }
    std::int64_t Position() const override { return running ? tick_ : 0; }
    void SetTimeDivision(int ticksPerQuarter) override { division = ticksPerQuarter; }
    void SetTempo(std::uint32_t microsecondsPerQuarter) override { tempo = microsecondsPerQuarter; }
    void SetTempoPercent(int value) override { percent = value; }
    void ShortMsg(std::uint32_t message) override { sent.push_back(message); }
    void ErrorText(int code, std::span<char> text) const override {
        text[0] = code == kDeviceFailed ? 'F' : '?';
        text[1] = 0;
    }

    std::size_t queued() const { return queue_.size(); }

    // Plays the buffer at the head of the queue to its end; false when none.
    bool PlayBuffer() {
        if (!running || queue_.empty()) {
            return false;
        }
        StreamBuffer* buffer = queue_.front();
        for (std::uint32_t i = 0; i < buffer->recordCount; ++i) {
            const StreamRecord& record = buffer->records[i];
            tick_ += record.deltaTicks;
            played.push_back({tick_, record});
            if ((RecordType(record.event) & kCallbackFlag) != 0) {
                client_->OnMarker(record);
            }
        }
        queue_.pop_front();
        client_->OnBufferDone(*buffer);
        return true;
    }
    // Plays until the queue runs dry or `most` buffers were played.
    void PlayAll(int most = 100000) {
        while (most-- > 0 && PlayBuffer()) {
        }
    }

    int devices = 2;
    bool opens = true;
    bool failQueue = false;
    int openedDevice = -2;
    bool running = false;
    int resets = 0;
    int division = 0;
    std::uint32_t tempo = 0;
    int percent = 0;
    std::vector<std::uint32_t> sent;
    std::vector<PlayedRecord> played;

private:
    MidiStreamClient* client_ = nullptr;
    std::deque<StreamBuffer*> queue_;
    std::int64_t tick_ = 0;
};

struct PostedMessage {
    int message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class FakeNotifier : public PlayerNotifier {
public:
    void Post(int message, std::uintptr_t wParam, std::intptr_t lParam) override {
        posted.push_back({message, wParam, lParam});
    }
    void ShowWarning(std::string_view text, std::string_view caption) override {
        warnings.push_back(std::string(caption) + ": " + std::string(text));
    }
    void DebugOutput(std::string_view text) override { debug.emplace_back(text); }

    int Count(int message) const {
        int count = 0;
        for (const PostedMessage& post : posted) {
            count += post.message == message ? 1 : 0;
        }
        return count;
    }

    std::vector<PostedMessage> posted;
    std::vector<std::string> warnings;
    std::vector<std::string> debug;
};

}  // namespace tavrino::test
