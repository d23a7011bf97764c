#include "tools/train/TrainingData.h"

#include <cstring>
#include <istream>
#include <ostream>

namespace
{
constexpr char kMagic[8] = {'P', 'L', 'X', 'T', 'R', 'N', '0', '1'};
constexpr std::size_t kRecord = 16;

void Put(unsigned char* at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t Get(const unsigned char* at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}
} // namespace

CPosition TrainingPosition::Position() const
{
    CPosition position;
    position.m_black = black;
    position.m_red = red & ~black;
    position.m_kings = kings & (position.m_black | position.m_red);
    position.m_side = side == CPosition::Red ? CPosition::Red : CPosition::Black;
    return position;
}

bool WriteTrainingData(std::ostream& out, const std::vector<TrainingPosition>& positions)
{
    out.write(kMagic, sizeof kMagic);
    unsigned char count[8] = {};
    Put(count, static_cast<std::uint32_t>(positions.size()), 4);
    out.write(reinterpret_cast<const char*>(count), sizeof count);
    for (const TrainingPosition& p : positions)
    {
        unsigned char record[kRecord];
        Put(record, p.black, 4);
        Put(record + 4, p.red, 4);
        Put(record + 8, p.kings, 4);
        record[12] = p.side;
        record[13] = p.result;
        Put(record + 14, p.ply, 2);
        out.write(reinterpret_cast<const char*>(record), kRecord);
    }
    return static_cast<bool>(out);
}

bool ReadTrainingData(std::istream& in, std::vector<TrainingPosition>& positions,
                      std::string& error)
{
    char magic[sizeof kMagic];
    unsigned char count[8];
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0 ||
        !in.read(reinterpret_cast<char*>(count), sizeof count))
    {
        error = "not a Plaxen training file";
        return false;
    }
    const std::uint32_t n = Get(count, 4);
    positions.clear();
    positions.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i)
    {
        unsigned char record[kRecord];
        if (!in.read(reinterpret_cast<char*>(record), kRecord))
        {
            error = "the file ends after " + std::to_string(i) + " of " + std::to_string(n) +
                    " positions";
            return false;
        }
        TrainingPosition p;
        p.black = Get(record, 4);
        p.red = Get(record + 4, 4);
        p.kings = Get(record + 8, 4);
        p.side = record[12];
        p.result = record[13];
        p.ply = static_cast<std::uint16_t>(Get(record + 14, 2));
        if (p.side > 1 || p.result > 2 || (p.black & p.red))
        {
            error = "position " + std::to_string(i + 1) + " is not a position";
            return false;
        }
        positions.push_back(p);
    }
    return true;
}
