// The PDN reader fed arbitrary bytes, as Load Game and Paste Game hand it a
// file or the clipboard. Whatever it accepts must write back as PDN that
// reads to the same game: the writer and the reader agree on every game the
// reader can produce.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "record/Pdn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PdnProblem problem;
    const auto game = ReadPdn(text, problem);
    if (!game)
        return 0;
    const std::string written = WritePdn(*game, PdnTags());
    PdnProblem again;
    const auto reread = ReadPdn(written, again);
    if (!reread || reread->Moves() != game->Moves() || !(reread->Start() == game->Start()) ||
        !(reread->Board() == game->Board()))
        std::abort();
    return 0;
}
