#pragma once

// A JACK server of the test's own with the dummy backend: MIDI and audio
// ports at the real-time rate, no hardware. Its name is unique to this
// process, so that tests running side by side never meet, and every JACK
// client this process opens from then on finds it.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tavrino::test {

class JackServer {
public:
    static constexpr int kRate = 48000;

    // `period` in frames: 256 is 5.3 ms. `options` go to jackd before the
    // backend's, e.g. a server that refuses what clients ask.
    explicit JackServer(int period = 256, std::vector<std::string> options = {});
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    // Starts the server and waits, at most a few seconds, until it takes
    // clients. False, with Problem() saying why, when it cannot start.
    bool Start();
    // Ends it the way a user's session would (SIGTERM), and waits for it.
    void Stop();

    const std::string& Name() const { return name_; }
    const std::string& Problem() const { return problem_; }

private:
    bool TakesClients() const;

    std::string name_;
    int period_;
    std::vector<std::string> options_;
    std::string problem_;
    pid_t pid_ = -1;
};

}  // namespace tavrino::test
