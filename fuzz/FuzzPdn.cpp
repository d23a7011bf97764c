// The PDN reader fed arbitrary bytes, as Load Game and Paste Game hand it a
// file or the clipboard. Whatever it accepts must write back as PDN that
// reads to the same game (moves, notes, comments, end) and the same tags:
// the writer and the reader agree on every game the reader can produce.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "record/Pdn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PdnProblem problem;
    PdnTags tags;
    const auto game = ReadPdn(text, problem, tags);
    if (!game)
        return 0;
    const std::string written = WritePdn(*game, tags);
    PdnProblem again;
    PdnTags retagged;
    const auto reread = ReadPdn(written, again, retagged);
    if (!reread || !(*reread == *game) || retagged.event != tags.event ||
        retagged.date != tags.date || retagged.black != tags.black ||
        retagged.white != tags.white || retagged.timeControl != tags.timeControl)
        std::abort();
    return 0;
}
