// Leaks of the libraries under the platform layer that LeakSanitizer would
// otherwise count as ours.

extern "C" const char* __lsan_default_suppressions() {
    // RtMidi's JACK client makes new ring buffers, dropping the old ones,
    // each time it looks for a JACK server that is not running.
    return "leak:jack_ringbuffer_create\n";
}
