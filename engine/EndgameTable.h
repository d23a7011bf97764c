#pragma once
// The solved endgame slices in memory, their files, and the one question
// the search asks: what is this position worth with perfect play.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "engine/EndgameSlice.h"

struct EndgameValue
{
    enum class Outcome : std::uint8_t
    {
        Unknown, // not in the database
        Draw,    // neither side can force the end of the game
        Win,     // for the side to move
        Loss,
    };
    Outcome outcome = Outcome::Unknown;
    // Plies to the end of the game with the winner hurrying and the loser
    // holding out; -1 where the slice keeps results only; 0 for a draw.
    int plies = -1;

    bool operator==(const EndgameValue&) const = default;
};

// A result as one number, while solving and in slices kept with their
// distances: 0 a draw, 1 + 2d a win in d plies, 2 + 2d a loss in d plies.
namespace endgamecode
{
using Code = std::uint16_t;
constexpr int kMaxPlies = 32000;
constexpr Code kDraw = 0;
constexpr Code Win(int plies)
{
    return static_cast<Code>(1 + 2 * plies);
}
constexpr Code Loss(int plies)
{
    return static_cast<Code>(2 + 2 * plies);
}
EndgameValue Decode(Code code);
} // namespace endgamecode

class CEndgameTable
{
public:
    // Slices of up to this many pieces can be held.
    static constexpr int kMaxPieces = 8;

    CEndgameTable();
    ~CEndgameTable();
    CEndgameTable(CEndgameTable&&) noexcept;
    CEndgameTable& operator=(CEndgameTable&&) noexcept;

    // Keeps a solved slice, one code a position (endgamecode), replacing
    // one of the same material: in a byte a position when every code fits,
    // else in two. With `distances` false only win, loss or draw is kept,
    // in two bits a position.
    void Add(const EndgameMaterial& material, const std::vector<endgamecode::Code>& codes,
             bool distances = true);
    bool Has(const EndgameMaterial& material) const;
    // The slice's numbering, or nullptr when the slice is not held.
    const CEndgameSlice* Slice(const EndgameMaterial& material) const;
    EndgameValue ValueAt(const EndgameMaterial& material, std::uint64_t index,
                         bool distance = false) const;

    // The value of `position` for its side to move: Unknown when its slice
    // is not held, when the game is over (a side without pieces), or for
    // what no slice numbers (dead squares, a man on its far row). A mapped
    // slice answers from the results it holds in memory, without distances,
    // unless `distance` asks for them from its file (which then takes
    // memory for the part read). Depends on nothing but the position and
    // the slices held.
    EndgameValue Probe(const CPosition& position, bool distance = false) const;

    // Whether any slice of exactly `pieces` pieces is held.
    bool HoldsAny(int pieces) const;
    // The largest n such that every slice of up to n pieces is held (0 when
    // not even the two-piece ones are).
    int CompletePieces() const;
    // Bytes held in memory for the slices' values, and bytes of files mapped.
    std::size_t Bytes() const;
    std::size_t MappedBytes() const;

    // One slice as a file: a header (name, format version, material, the
    // number of positions, how the values are kept, a checksum of the
    // values) and the values: two bits a position (`distances` false, or a
    // slice that keeps none), else a code a byte, whose longest distance
    // stands for that many plies or more.
    void Write(const EndgameMaterial& material, std::ostream& out, bool distances = true) const;
    // Takes a slice's file; checks every part of it against the slice
    // `expected` and refuses it with a reason in `error` otherwise, keeping
    // what it held before. Read copies the values into memory; Map checks
    // them as it reads them through, keeping their results in two bits a
    // position, then maps the file for the distances, so that memory holds
    // only the parts of it that probes asking for distances have touched.
    bool Read(std::istream& in, const EndgameMaterial& expected, std::string* error);
    bool Map(const std::filesystem::path& file, const EndgameMaterial& expected,
             std::string* error);
    // "slice-2011.egdb" for two black men, one red man and one red king.
    static std::string FileName(const EndgameMaterial& material);
    // Takes every slice file of up to `maxPieces` pieces found in `folder`
    // whose slice is not held yet, mapping those of `mapFrom` bytes or more;
    // a missing file is skipped, a damaged one is skipped and named in
    // `problems`. Returns the number of slices taken.
    static constexpr std::uint64_t kMapFromBytes = 1 << 20;
    int ReadFolder(const std::filesystem::path& folder, int maxPieces,
                   std::vector<std::string>* problems = nullptr,
                   std::uint64_t mapFrom = kMapFromBytes);

private:
    struct Entry;
    const Entry* Find(const EndgameMaterial& material) const;
    static std::unique_ptr<Entry> ReadHeader(std::istream& in, const EndgameMaterial& expected,
                                             std::uint32_t* checksum, std::string* error);

    std::vector<std::unique_ptr<Entry>> m_entries; // by material
};
