#include "engine/EndgameTable.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>

namespace
{
constexpr char kMagic[8] = {'P', 'L', 'X', 'N', 'E', 'G', 'D', 'B'};
constexpr std::uint32_t kVersion = 1;
// How a slice keeps its values: two-bit results or one-byte codes (in
// files too), or two-byte codes (in memory only, while solving).
enum Form : std::uint8_t
{
    kResults = 0,
    kByteCodes = 1,
    kWordCodes = 2,
};
// A byte holds distances below this; Win and Loss of it stand for "this
// long or longer".
constexpr int kByteMaxPlies = 126;
constexpr std::uint8_t kLastByteCode = endgamecode::Loss(kByteMaxPlies);
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

std::uint8_t ByteCode(endgamecode::Code code)
{
    if (code <= kLastByteCode)
        return static_cast<std::uint8_t>(code);
    return code % 2 ? endgamecode::Win(kByteMaxPlies) : kLastByteCode;
}

EndgameValue DecodeByte(std::uint8_t code)
{
    EndgameValue value = endgamecode::Decode(code);
    if (value.plies >= kByteMaxPlies)
        value.plies = -1;
    return value;
}

constexpr std::uint32_t kChecksumStart = 2166136261u; // FNV-1a

std::uint32_t Checksum(const std::uint8_t* bytes, std::size_t size,
                       std::uint32_t hash = kChecksumStart)
{
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

// Whether any value of a payload is one no solver writes.
bool HasForeignValue(Form form, const std::uint8_t* bytes, std::size_t size, std::uint64_t* at)
{
    for (std::size_t i = 0; i < size; ++i)
    {
        const std::uint8_t byte = bytes[i];
        if (form == kByteCodes ? byte > kLastByteCode
                               : ((byte & 0x55) & (byte >> 1)) != 0) // a two-bit 3
        {
            *at = form == kByteCodes ? i : 4 * i;
            if (form == kResults)
                while (((byte >> (2 * (*at % 4))) & 3) != 3)
                    ++*at;
            return true;
        }
    }
    return false;
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
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    ~Entry()
    {
        if (mapping)
            munmap(mapping, mappingBytes);
    }

    EndgameValue ValueAt(std::uint64_t index, bool distance) const
    {
        if (form == kWordCodes)
            return endgamecode::Decode(words[index]);
        if (form == kByteCodes && (!mapping || distance))
            return DecodeByte(values[index]);
        const std::uint8_t* packed = mapping ? results.data() : values;
        switch ((packed[index / 4] >> (2 * (index % 4))) & 3)
        {
        case kPackedWin:
            return {EndgameValue::Outcome::Win, -1};
        case kPackedLoss:
            return {EndgameValue::Outcome::Loss, -1};
        default:
            return {EndgameValue::Outcome::Draw, 0};
        }
    }

    // The values as a file keeps them in `keep`'s form.
    std::vector<std::uint8_t> Payload(Form keep) const
    {
        const std::uint64_t size = slice.Size();
        if (keep == form)
            return {values, values + (form == kResults ? (size + 3) / 4 : size)};
        std::vector<std::uint8_t> payload(keep == kResults ? (size + 3) / 4 : size, 0);
        for (std::uint64_t i = 0; i < size; ++i)
        {
            const endgamecode::Code code = form == kWordCodes ? words[i] : values[i];
            if (keep == kResults)
                payload[i / 4] |= static_cast<std::uint8_t>(Packed(code) << (2 * (i % 4)));
            else
                payload[i] = ByteCode(code);
        }
        return payload;
    }

    CEndgameSlice slice;
    Form form = kByteCodes;
    const std::uint8_t* values = nullptr; // two-bit results or one-byte codes
    std::vector<std::uint8_t> bytes;      // where `values` points, unless mapped
    std::vector<endgamecode::Code> words; // two-byte codes
    std::vector<std::uint8_t> results;    // of a mapped slice, two bits a position
    void* mapping = nullptr;              // the whole file, when mapped
    std::size_t mappingBytes = 0;
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
                                   [](endgamecode::Code code) { return code <= kLastByteCode; });
    if (!distances || small)
    {
        const Form form = distances ? kByteCodes : kResults;
        entry->bytes = entry->Payload(form);
        entry->values = entry->bytes.data();
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

EndgameValue CEndgameTable::ValueAt(const EndgameMaterial& material, std::uint64_t index,
                                    bool distance) const
{
    const Entry* entry = Find(material);
    return entry && index < entry->slice.Size() ? entry->ValueAt(index, distance) : EndgameValue{};
}

EndgameValue CEndgameTable::Probe(const CPosition& position, bool distance) const
{
    if (!position.m_black || !position.m_red)
        return {};
    const CPosition canonical = Canonical(position);
    const EndgameMaterial material = MaterialOf(canonical);
    const Entry* entry = Find(material);
    if (!entry)
        return {};
    const std::optional<std::uint64_t> index = entry->slice.IndexOf(canonical);
    return index ? entry->ValueAt(*index, distance) : EndgameValue{};
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
            bytes += entry->bytes.size() + 2 * entry->words.size() + entry->results.size();
    return bytes;
}

std::size_t CEndgameTable::MappedBytes() const
{
    std::size_t bytes = 0;
    for (const auto& entry : m_entries)
        if (entry)
            bytes += entry->mappingBytes;
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
    const Form form = distances && entry->form != kResults ? kByteCodes : kResults;
    const std::vector<std::uint8_t> payload = entry->Payload(form);
    out.write(kMagic, sizeof kMagic);
    PutLittle(out, kVersion, 4);
    for (const int count :
         {material.blackMen, material.blackKings, material.redMen, material.redKings})
        PutLittle(out, static_cast<std::uint64_t>(count), 1);
    PutLittle(out, entry->slice.Size(), 8);
    PutLittle(out, form, 4);
    PutLittle(out, Checksum(payload.data(), payload.size()), 4);
    out.write(reinterpret_cast<const char*>(payload.data()),
              static_cast<std::streamsize>(payload.size()));
}

std::unique_ptr<CEndgameTable::Entry> CEndgameTable::ReadHeader(std::istream& in,
                                                                const EndgameMaterial& expected,
                                                                std::uint32_t* checksum,
                                                                std::string* error)
{
    const auto refuse = [error](const std::string& reason)
    {
        Fail(error, reason);
        return std::unique_ptr<Entry>();
    };
    unsigned char header[kHeaderBytes];
    if (!in.read(reinterpret_cast<char*>(header), kHeaderBytes) ||
        !std::equal(kMagic, kMagic + sizeof kMagic, header))
        return refuse("not an endgame database file");
    const std::uint64_t version = GetLittle(header + 8, 4);
    if (version != kVersion)
        return refuse("endgame database format " + std::to_string(version) +
                      ", this program reads format " + std::to_string(kVersion));
    const EndgameMaterial material{header[12], header[13], header[14], header[15]};
    if (!(material == expected))
        return refuse("holds slice " + MaterialText(material) + " instead of " +
                      MaterialText(expected));
    auto entry = std::make_unique<Entry>(material);
    const std::uint64_t positions = GetLittle(header + 16, 8);
    if (positions != entry->slice.Size())
        return refuse("holds " + std::to_string(positions) + " positions, the slice has " +
                      std::to_string(entry->slice.Size()));
    const std::uint64_t form = GetLittle(header + 24, 4);
    if (form != kResults && form != kByteCodes)
        return refuse("unknown value form " + std::to_string(form));
    entry->form = static_cast<Form>(form);
    *checksum = static_cast<std::uint32_t>(GetLittle(header + 28, 4));
    return entry;
}

bool CEndgameTable::Read(std::istream& in, const EndgameMaterial& expected, std::string* error)
{
    std::uint32_t checksum = 0;
    std::unique_ptr<Entry> entry = ReadHeader(in, expected, &checksum, error);
    if (!entry)
        return false;
    const std::uint64_t positions = entry->slice.Size();
    entry->bytes.resize(entry->form == kResults ? (positions + 3) / 4 : positions);
    if (!in.read(reinterpret_cast<char*>(entry->bytes.data()),
                 static_cast<std::streamsize>(entry->bytes.size())))
        return Fail(error, "ends before its last value");
    if (in.peek() != std::istream::traits_type::eof())
        return Fail(error, "goes on past its last value");
    if (Checksum(entry->bytes.data(), entry->bytes.size()) != checksum)
        return Fail(error, "damaged: its checksum does not match its values");
    std::uint64_t at = 0;
    if (HasForeignValue(entry->form, entry->bytes.data(), entry->bytes.size(), &at))
        return Fail(error, "holds a value no solver writes at position " + std::to_string(at));
    entry->values = entry->bytes.data();
    m_entries[SlotOf(entry->slice.Material())] = std::move(entry);
    return true;
}

bool CEndgameTable::Map(const std::filesystem::path& file, const EndgameMaterial& expected,
                        std::string* error)
{
    std::ifstream in(file, std::ios::binary);
    std::uint32_t checksum = 0;
    std::unique_ptr<Entry> entry = ReadHeader(in, expected, &checksum, error);
    if (!entry)
        return false;
    const std::uint64_t positions = entry->slice.Size();
    const std::uint64_t payload = entry->form == kResults ? (positions + 3) / 4 : positions;
    // Checked as read, a piece at a time, so that checking holds no more
    // memory than the piece; the search's probes bring in what they touch.
    // Results need no file behind them: they are all kept.
    const bool keepAll = entry->form == kResults;
    std::vector<std::uint8_t>& kept = keepAll ? entry->bytes : entry->results;
    kept.assign(keepAll ? payload : (positions + 3) / 4, 0);
    std::vector<std::uint8_t> piece(1 << 20);
    std::uint32_t hash = kChecksumStart;
    for (std::uint64_t done = 0; done < payload;)
    {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), payload - done));
        if (!in.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(want)))
            return Fail(error, "ends before its last value");
        hash = Checksum(piece.data(), want, hash);
        std::uint64_t at = 0;
        if (HasForeignValue(entry->form, piece.data(), want, &at))
            return Fail(error, "holds a value no solver writes at position " +
                                   std::to_string((keepAll ? 4 : 1) * done + at));
        if (keepAll)
            std::copy(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(want),
                      kept.begin() + static_cast<std::ptrdiff_t>(done));
        else
            for (std::size_t i = 0; i < want; ++i)
            {
                const std::uint64_t index = done + i;
                kept[index / 4] |= static_cast<std::uint8_t>(Packed(piece[i]) << (2 * (index % 4)));
            }
        done += want;
    }
    if (in.peek() != std::istream::traits_type::eof())
        return Fail(error, "goes on past its last value");
    if (hash != checksum)
        return Fail(error, "damaged: its checksum does not match its values");

    if (keepAll)
    {
        entry->values = entry->bytes.data();
        m_entries[SlotOf(entry->slice.Material())] = std::move(entry);
        return true;
    }
    const std::size_t bytes = static_cast<std::size_t>(kHeaderBytes + payload);
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    void* mapping =
        descriptor < 0 ? MAP_FAILED : mmap(nullptr, bytes, PROT_READ, MAP_SHARED, descriptor, 0);
    if (descriptor >= 0)
        close(descriptor); // the mapping keeps the file
    if (mapping == MAP_FAILED)
        return Fail(error, "cannot be mapped into memory");
    // Probes land anywhere: reading ahead of them would only fill memory.
    madvise(mapping, bytes, MADV_RANDOM);
    entry->mapping = mapping;
    entry->mappingBytes = bytes;
    entry->values = static_cast<const std::uint8_t*>(mapping) + kHeaderBytes;
    m_entries[SlotOf(entry->slice.Material())] = std::move(entry);
    return true;
}

int CEndgameTable::ReadFolder(const std::filesystem::path& folder, int maxPieces,
                              std::vector<std::string>* problems, std::uint64_t mapFrom)
{
    int read = 0;
    for (int pieces = 2; pieces <= std::min(maxPieces, kMaxPieces); ++pieces)
        for (const EndgameMaterial& material : MaterialsOf(pieces))
        {
            if (Has(material))
                continue;
            const std::filesystem::path file = folder / FileName(material);
            std::error_code failed;
            const std::uint64_t size = std::filesystem::file_size(file, failed);
            if (failed)
                continue;
            std::string error;
            std::ifstream in;
            if (size < mapFrom)
                in.open(file, std::ios::binary);
            if (size < mapFrom ? Read(in, material, &error) : Map(file, material, &error))
                ++read;
            else if (problems)
                problems->push_back(file.string() + ": " + error);
        }
    return read;
}
