#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tavrino {

// One opened MIDI output: a port, the synthesizer, a recorder. Safe to call
// from several threads; nothing it does throws.
class MidiOutput {
public:
    virtual ~MidiOutput() = default;

    // One complete channel message, due at `time` on the stream's clock (an
    // offline renderer places it there; live outputs send it now). False when
    // the device no longer takes messages.
    virtual bool Send(std::span<const std::uint8_t> message, std::int64_t time) = 0;
    // How long before its due time the output takes a message and places it
    // in time itself; 0 when it sounds each message as it arrives.
    virtual std::int64_t Lead() const { return 0; }
};

// The output devices present now, numbered from 0; -1 is the default output.
class MidiOutputs {
public:
    virtual ~MidiOutputs() = default;

    virtual int Count() const = 0;
    virtual std::string Name(int device) const = 0;
    // Empty when the device cannot be opened; Problem() then says why.
    virtual std::shared_ptr<MidiOutput> Open(int device) = 0;
    virtual std::string Problem() const = 0;
};

// A list of exactly one output, opened already: a recorder or a renderer.
class SingleOutput final : public MidiOutputs {
public:
    SingleOutput(std::string name, std::shared_ptr<MidiOutput> output)
        : name_(std::move(name)), output_(std::move(output)) {}

    int Count() const override { return 1; }
    std::string Name(int) const override { return name_; }
    std::shared_ptr<MidiOutput> Open(int device) override {
        return device == -1 || device == 0 ? output_ : nullptr;
    }
    std::string Problem() const override { return {}; }

private:
    std::string name_;
    std::shared_ptr<MidiOutput> output_;
};

}  // namespace tavrino
