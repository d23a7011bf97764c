#include "engine/EndgameTable.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>

namespace
{
constexpr char kMagic[8] = {'P', 'L', 'X', 'N', 'E', 'G', 'D', 'B'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint8_t kFlagDistances = 1;
constexpr int kHeaderBytes = 32;
constexpr int kSlots = CEndgameTable::kMaxPieces + 1;

// In two-bit slices: 0 a draw, 1 a win, 2 a loss; 3 is never written.
constexpr std::uint8_t kPackedWin = 1;
constexpr std::uint8_t kPackedLoss = 2;

std::uint8_t Packed(std::uint8_t code)
{
    return code == endgamecode::kDraw ? 0 : code % 2 ? kPackedWin : kPackedLoss;
}

std::size_t SlotOf(const EndgameMaterial& m)
{
    return static_cast<std::size_t>(
        ((m.blackMen * kSlots + m.blackKings) * kSlots + m.redMen) * kSlots + m.redKings);
}

bool Fits(const EndgameMaterial& m)
{
    return m.blackMen >= 0 && m.blackKings >= 0 && m.redMen >= 0 && m.redKings >= 0 &&
           m.Pieces() <= CEndgameTable::kMaxPieces;
}

std::uint32_t Checksum(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 16777619u;
    return hash;
}

void PutLittle(std::ostream& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetLittle(const unsigned char* at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

std::string MaterialText(const EndgameMaterial& m)
{
    return std::to_string(m.blackMen) + std::to_string(m.blackKings) + std::to_string(m.redMen) +
           std::to_string(m.redKings);
}

bool Fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}
} // namespace

EndgameValue endgamecode::Decode(std::uint8_t code)
{
    if (code == kDraw)
        return {EndgameValue::Outcome::Draw, 0};
    const int plies = (code - 1) / 2;
    return {code % 2 ? EndgameValue::Outcome::Win : EndgameValue::Outcome::Loss, plies};
}

struct CEndgameTable::Entry
{
    explicit Entry(const EndgameMaterial& material) : slice(material) {}
    CEndgameSlice slice;
    bool distances = true;
    std::vector<std::uint8_t> values; // a code a position, or four two-bit results a byte
};

CEndgameTable::CEndgameTable() : m_entries(kSlots * kSlots * kSlots * kSlots) {}
CEndgameTable::~CEndgameTable() = default;
CEndgameTable::CEndgameTable(CEndgameTable&&) noexcept = default;
CEndgameTable& CEndgameTable::operator=(CEndgameTable&&) noexcept = default;

void CEndgameTable::Add(const EndgameMaterial& material, const std::vector<std::uint8_t>& codes,
                        bool distances)
{
    auto entry = std::make_unique<Entry>(material);
    entry->distances = distances;
    if (distances)
        entry->values = codes;
    else
    {
        entry->values.assign((codes.size() + 3) / 4, 0);
        for (std::size_t i = 0; i < codes.size(); ++i)
        {
            entry->values[i / 4] |= static_cast<std::uint8_t>(Packed(codes[i]) << (2 * (i % 4)));
        }
    }
    m_entries[SlotOf(material)] = std::move(entry);
}

const CEndgameTable::Entry* CEndgameTable::Find(const EndgameMaterial& material) const
{
    return Fits(material) ? m_entries[SlotOf(material)].get() : nullptr;
}

bool CEndgameTable::Has(const EndgameMaterial& material) const
{
    return Find(material) != nullptr;
}

const CEndgameSlice* CEndgameTable::Slice(const EndgameMaterial& material) const
{
    const Entry* entry = Find(material);
    return entry ? &entry->slice : nullptr;
}

EndgameValue CEndgameTable::ValueAt(const EndgameMaterial& material, std::uint64_t index) const
{
    const Entry* entry = Find(material);
    if (!entry || index >= entry->slice.Size())
        return {};
    if (entry->distances)
        return endgamecode::Decode(entry->values[index]);
    switch ((entry->values[index / 4] >> (2 * (index % 4))) & 3)
    {
    case kPackedWin:
        return {EndgameValue::Outcome::Win, -1};
    case kPackedLoss:
        return {EndgameValue::Outcome::Loss, -1};
    default:
        return {EndgameValue::Outcome::Draw, 0};
    }
}

EndgameValue CEndgameTable::Probe(const CPosition& position) const
{
    if (!position.m_black || !position.m_red)
        return {};
    const CPosition canonical = Canonical(position);
    const EndgameMaterial material = MaterialOf(canonical);
    const Entry* entry = Find(material);
    if (!entry)
        return {};
    const std::optional<std::uint64_t> index = entry->slice.IndexOf(canonical);
    return index ? ValueAt(material, *index) : EndgameValue{};
}

int CEndgameTable::CompletePieces() const
{
    for (int pieces = 2; pieces <= kMaxPieces; ++pieces)
        for (int black = 1; black < pieces; ++black)
            for (int bm = 0; bm <= black; ++bm)
                for (int rm = 0; rm <= pieces - black; ++rm)
                    if (!Has({bm, black - bm, rm, pieces - black - rm}))
                        return pieces - 1;
    return kMaxPieces;
}

std::size_t CEndgameTable::Bytes() const
{
    std::size_t bytes = 0;
    for (const auto& entry : m_entries)
        if (entry)
            bytes += entry->values.size();
    return bytes;
}

std::string CEndgameTable::FileName(const EndgameMaterial& material)
{
    return "slice-" + MaterialText(material) + ".egdb";
}

void CEndgameTable::Write(const EndgameMaterial& material, std::ostream& out, bool distances) const
{
    const Entry* entry = Find(material);
    if (!entry)
        return;
    distances = distances && entry->distances;
    std::vector<std::uint8_t> packed;
    if (entry->distances && !distances)
    {
        packed.assign((entry->values.size() + 3) / 4, 0);
        for (std::size_t i = 0; i < entry->values.size(); ++i)
            packed[i / 4] |= static_cast<std::uint8_t>(Packed(entry->values[i]) << (2 * (i % 4)));
    }
    const std::vector<std::uint8_t>& values =
        distances || !entry->distances ? entry->values : packed;
    out.write(kMagic, sizeof kMagic);
    PutLittle(out, kVersion, 4);
    for (const int count :
         {material.blackMen, material.blackKings, material.redMen, material.redKings})
        PutLittle(out, static_cast<std::uint64_t>(count), 1);
    PutLittle(out, entry->slice.Size(), 8);
    PutLittle(out, distances ? kFlagDistances : 0, 4);
    PutLittle(out, Checksum(values), 4);
    out.write(reinterpret_cast<const char*>(values.data()),
              static_cast<std::streamsize>(values.size()));
}

bool CEndgameTable::Read(std::istream& in, const EndgameMaterial& expected, std::string* error)
{
    unsigned char header[kHeaderBytes];
    if (!in.read(reinterpret_cast<char*>(header), kHeaderBytes) ||
        !std::equal(kMagic, kMagic + sizeof kMagic, header))
        return Fail(error, "not an endgame database file");
    const std::uint64_t version = GetLittle(header + 8, 4);
    if (version != kVersion)
        return Fail(error, "endgame database format " + std::to_string(version) +
                               ", this program reads format " + std::to_string(kVersion));
    const EndgameMaterial material{header[12], header[13], header[14], header[15]};
    if (!(material == expected))
        return Fail(error, "holds slice " + MaterialText(material) + " instead of " +
                               MaterialText(expected));
    const CEndgameSlice slice(material);
    const std::uint64_t positions = GetLittle(header + 16, 8);
    if (positions != slice.Size())
        return Fail(error, "holds " + std::to_string(positions) + " positions, the slice has " +
                               std::to_string(slice.Size()));
    const std::uint64_t flags = GetLittle(header + 24, 4);
    if (flags & ~std::uint64_t{kFlagDistances})
        return Fail(error, "unknown flags " + std::to_string(flags));
    const bool distances = flags & kFlagDistances;

    auto entry = std::make_unique<Entry>(material);
    entry->distances = distances;
    entry->values.resize(distances ? positions : (positions + 3) / 4);
    if (!in.read(reinterpret_cast<char*>(entry->values.data()),
                 static_cast<std::streamsize>(entry->values.size())))
        return Fail(error, "ends before its last value");
    if (in.peek() != std::istream::traits_type::eof())
        return Fail(error, "goes on past its last value");
    if (Checksum(entry->values) != GetLittle(header + 28, 4))
        return Fail(error, "damaged: its checksum does not match its values");
    for (std::uint64_t i = 0; i < positions; ++i)
    {
        const int value =
            distances ? entry->values[i] : (entry->values[i / 4] >> (2 * (i % 4))) & 3;
        if (distances ? value > endgamecode::Loss(endgamecode::kMaxPlies) : value == 3)
            return Fail(error, "holds a value no solver writes at position " + std::to_string(i));
    }
    m_entries[SlotOf(material)] = std::move(entry);
    return true;
}

int CEndgameTable::ReadFolder(const std::filesystem::path& folder, int maxPieces,
                              std::vector<std::string>* problems)
{
    int read = 0;
    for (int pieces = 2; pieces <= std::min(maxPieces, kMaxPieces); ++pieces)
        for (int black = 1; black < pieces; ++black)
            for (int bm = 0; bm <= black; ++bm)
                for (int rm = 0; rm <= pieces - black; ++rm)
                {
                    const EndgameMaterial material{bm, black - bm, rm, pieces - black - rm};
                    const std::filesystem::path file = folder / FileName(material);
                    std::ifstream in(file, std::ios::binary);
                    if (!in)
                        continue;
                    std::string error;
                    if (Read(in, material, &error))
                        ++read;
                    else if (problems)
                        problems->push_back(file.string() + ": " + error);
                }
    return read;
}
