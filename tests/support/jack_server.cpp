#include "support/jack_server.h"

#include <jack/jack.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "support/child_process.h"

namespace tavrino::test {

namespace {

using namespace std::chrono_literals;

std::string UniqueName() {
    static std::atomic<int> made{0};
    return "tavrino-test-" + std::to_string(getpid()) + "-" + std::to_string(made++);
}

// Waits for the child to end, at most `limit`; true when it did.
bool Reap(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return true;
        }
        std::this_thread::sleep_for(5ms);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

}  // namespace

JackServer::JackServer(int period, std::vector<std::string> options)
    : name_(UniqueName()), period_(period), options_(std::move(options)) {}

JackServer::~JackServer() {
    Stop();
}

bool JackServer::Start() {
    setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    const std::string rate = std::to_string(kRate);
    const std::string period = std::to_string(period_);
    // No real-time scheduling: a test machine seldom grants it, and the
    // dummy backend keeps time without it.
    std::vector<std::string> command = {"jackd", "--no-realtime", "-n", name_};
    command.insert(command.end(), options_.begin(), options_.end());
    command.insert(command.end(), {"-d", "dummy", "-r", rate, "-p", period});
    pid_ = StartProgram(command);
    if (pid_ <= 0) {
        pid_ = -1;
        problem_ = "jackd cannot be run (is jackd2 installed? scripts/setup installs it)";
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < end) {
        if (TakesClients()) {
            return true;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            problem_ = "jackd with the dummy backend exited at once (status " +
                       std::to_string(status) + ")";
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    Stop();
    problem_ = "jackd with the dummy backend took no client within 10 s";
    return false;
}

bool JackServer::TakesClients() const {
    // Each refused try would print its complaint.
    jack_set_error_function([](const char*) {});
    jack_status_t status{};
    jack_client_t* probe =
        jack_client_open("probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName),
                         &status, name_.c_str());
    if (probe == nullptr) {
        return false;
    }
    jack_client_close(probe);
    return true;
}

void JackServer::Stop() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!Reap(pid_, 5s)) {
        kill(pid_, SIGKILL);
        Reap(pid_, 5s);
    }
    pid_ = -1;
}

}  // namespace tavrino::test
