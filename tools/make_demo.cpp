// Writes the demo song: tavrino-make-demo OUT.mid

#include <cstdio>

#include "song/midi_writer.h"
#include "tools/demo_song.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrino-make-demo OUT.mid\n");
        return 2;
    }
    tavrino::MidiSong song;
    tavrino::BuildDemoSong(song);
    if (tavrino::WriteMidiFile(song, std::string(argv[1])) != tavrino::kWriteOk) {
        std::fprintf(stderr, "tavrino-make-demo: %s: cannot write the file\n", argv[1]);
        return 1;
    }
    return 0;
}
