#pragma once

#include <cstdint>
#include <functional>

#include "document/tavrino_doc.h"
#include "tools/command_line.h"
#include "tools/tool.h"

namespace tavrino::tool {

// The begin and end marks a command sets on the document, in ticks.
struct Marks {
    std::int32_t begin = kNoMark;
    std::int32_t end = kNoMark;
};

// Unless the arguments had a problem: loads IN (the first positional) into a
// document, sets its marks, lets `edit` change it, and saves it as OUT (the
// second). `edit` returns an exit status; anything but kExitOk stops there.
int EditFile(const Command& self, const CommandLine& line, const Marks& marks, Io& io,
             const std::function<int(CTavrinoDoc&)>& edit);

}  // namespace tavrino::tool
