#include "engine/EndgameTable.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>

namespace
{
constexpr char kMagic[8] = {'P', 'L', 'X', 'N', 'E', 'G', 'D', 'B'};
constexpr std::uint32_t kVersion = 1;
// How a file keeps its values: two-bit results, or codes of one or two bytes.
enum Form : std::uint8_t
{
    kResults = 0,
    kByteCodes = 1,
    kWordCodes = 2,
};
constexpr int kHeaderBytes = 32;
constexpr int kSlots = CEndgameTable::kMaxPieces + 1;

// In two-bit slices: 0 a draw, 1 a win, 2 a loss; 3 is never written.
constexpr std::uint8_t kPackedWin = 1;
constexpr std::uint8_t kPackedLoss = 2;

std::uint8_t Packed(endgamecode::Code code)
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

EndgameValue endgamecode::Decode(Code code)
{
    if (code == kDraw)
        return {EndgameValue::Outcome::Draw, 0};
    const int plies = (code - 1) / 2;
    return {code % 2 ? EndgameValue::Outcome::Win : EndgameValue::Outcome::Loss, plies};
}

struct CEndgameTable::Entry
{
    explicit Entry(const EndgameMaterial& material) : slice(material) {}

    endgamecode::Code CodeAt(std::uint64_t index) const
    {
        return form == kByteCodes ? bytes[index] : words[index];
    }
    // The values as a file keeps them in `keep`'s form.
    std::vector<std::uint8_t> Payload(Form keep) const
    {
        if (keep == form && form != kWordCodes)
            return bytes;
        std::vector<std::uint8_t> payload;
        if (keep == kResults)
        {
            payload.assign((slice.Size() + 3) / 4, 0);
            for (std::uint64_t i = 0; i < slice.Size(); ++i)
                payload[i / 4] |= static_cast<std::uint8_t>(Packed(CodeAt(i)) << (2 * (i % 4)));
        }
        else
            for (std::uint64_t i = 0; i < slice.Size(); ++i)
            {
                const endgamecode::Code code = CodeAt(i);
                payload.push_back(static_cast<std::uint8_t>(code & 0xFF));
                if (keep == kWordCodes)
                    payload.push_back(static_cast<std::uint8_t>(code >> 8));
            }
        return payload;
    }

    CEndgameSlice slice;
    Form form = kByteCodes;
    std::vector<std::uint8_t> bytes;      // two-bit results or one-byte codes
    std::vector<endgamecode::Code> words; // two-byte codes
};

CEndgameTable::CEndgameTable() : m_entries(kSlots * kSlots * kSlots * kSlots) {}
CEndgameTable::~CEndgameTable() = default;
CEndgameTable::CEndgameTable(CEndgameTable&&) noexcept = default;
CEndgameTable& CEndgameTable::operator=(CEndgameTable&&) noexcept = default;

void CEndgameTable::Add(const EndgameMaterial& material,
                        const std::vector<endgamecode::Code>& codes, bool distances)
{
    auto entry = std::make_unique<Entry>(material);
    entry->form = kWordCodes;
    entry->words = codes;
    const bool small = std::all_of(codes.begin(), codes.end(),
                                   [](endgamecode::Code code) { return code <= 0xFF; });
    if (!distances || small)
    {
        const Form form = distances ? kByteCodes : kResults;
        entry->bytes = entry->Payload(form);
        entry->form = form;
        entry->words = {};
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
    if (entry->form != kResults)
        return endgamecode::Decode(entry->CodeAt(index));
    switch ((entry->bytes[index / 4] >> (2 * (index % 4))) & 3)
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

bool CEndgameTable::HoldsAny(int pieces) const
{
    for (const EndgameMaterial& material : MaterialsOf(pieces))
        if (Has(material))
            return true;
    return false;
}

int CEndgameTable::CompletePieces() const
{
    for (int pieces = 2; pieces <= kMaxPieces; ++pieces)
        for (const EndgameMaterial& material : MaterialsOf(pieces))
            if (!Has(material))
                return pieces > 2 ? pieces - 1 : 0;
    return kMaxPieces;
}

std::size_t CEndgameTable::Bytes() const
{
    std::size_t bytes = 0;
    for (const auto& entry : m_entries)
        if (entry)
            bytes += entry->bytes.size() + 2 * entry->words.size();
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
    const Form form = distances ? entry->form : kResults;
    const std::vector<std::uint8_t> payload = entry->Payload(form);
    out.write(kMagic, sizeof kMagic);
    PutLittle(out, kVersion, 4);
    for (const int count :
         {material.blackMen, material.blackKings, material.redMen, material.redKings})
        PutLittle(out, static_cast<std::uint64_t>(count), 1);
    PutLittle(out, entry->slice.Size(), 8);
    PutLittle(out, form, 4);
    PutLittle(out, Checksum(payload), 4);
    out.write(reinterpret_cast<const char*>(payload.data()),
              static_cast<std::streamsize>(payload.size()));
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
    auto entry = std::make_unique<Entry>(material);
    const std::uint64_t positions = GetLittle(header + 16, 8);
    if (positions != entry->slice.Size())
        return Fail(error, "holds " + std::to_string(positions) + " positions, the slice has " +
                               std::to_string(entry->slice.Size()));
    const std::uint64_t form = GetLittle(header + 24, 4);
    if (form != kResults && form != kByteCodes && form != kWordCodes)
        return Fail(error, "unknown value form " + std::to_string(form));

    std::vector<std::uint8_t> payload(form == kResults     ? (positions + 3) / 4
                                      : form == kByteCodes ? positions
                                                           : 2 * positions);
    if (!in.read(reinterpret_cast<char*>(payload.data()),
                 static_cast<std::streamsize>(payload.size())))
        return Fail(error, "ends before its last value");
    if (in.peek() != std::istream::traits_type::eof())
        return Fail(error, "goes on past its last value");
    if (Checksum(payload) != GetLittle(header + 28, 4))
        return Fail(error, "damaged: its checksum does not match its values");
    entry->form = static_cast<Form>(form);
    if (form == kWordCodes)
    {
        entry->words.resize(positions);
        for (std::uint64_t i = 0; i < positions; ++i)
            entry->words[i] =
                static_cast<endgamecode::Code>(payload[2 * i] | payload[2 * i + 1] << 8);
    }
    else
        entry->bytes = std::move(payload);
    for (std::uint64_t i = 0; i < positions; ++i)
    {
        const bool bad = form == kResults
                             ? ((entry->bytes[i / 4] >> (2 * (i % 4))) & 3) == 3
                             : entry->CodeAt(i) > endgamecode::Loss(endgamecode::kMaxPlies);
        if (bad)
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
        for (const EndgameMaterial& material : MaterialsOf(pieces))
        {
            if (Has(material))
                continue;
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
