// Writes the game's art into a folder: the board mesh "board.obj" and the
// four textures "board.bmp", "wood02.bmp", "red-chip.bmp", "black-chip.bmp".
//
//   plaxen_makeart <folder>
//
// The output is the same byte for byte on every run and every machine: the
// noise comes from our own generator, and the only floating-point operations
// are +, -, *, / and sqrt, which IEEE arithmetic rounds the same everywhere
// (the build turns off contraction into fused multiply-add).

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

// Sine from a fixed polynomial, so no library version can change a pixel.
double Sine(double x)
{
    x -= kTwoPi * std::floor(x / kTwoPi + 0.5);
    if (x > kPi / 2)
        x = kPi - x;
    else if (x < -kPi / 2)
        x = -kPi - x;
    const double x2 = x * x;
    return x *
           (1 + x2 * (-1.0 / 6 +
                      x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 - x2 / 39916800)))));
}

double Clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
double Mix(double a, double b, double t)
{
    return a + (b - a) * t;
}
double SmoothStep(double e0, double e1, double x)
{
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// xorshift32: tiny, fast and fixed for ever.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed ? seed : 1) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double Unit() { return Next() / 4294967296.0; } // [0, 1)

private:
    std::uint32_t m_state;
};

// Value noise on a square lattice that repeats every `period` cells in both
// directions, so a texture built from it wraps without a seam.
class Noise
{
public:
    Noise(int period, std::uint32_t seed) : m_period(period), m_values(period * period)
    {
        Random random(seed);
        for (double& v : m_values)
            v = random.Unit() * 2 - 1;
    }

    // Smoothly interpolated value in [-1, 1].
    double At(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const double tx = SmoothStep(0, 1, x - fx);
        const double ty = SmoothStep(0, 1, y - fy);
        const int ix = Wrap(static_cast<long>(fx));
        const int iy = Wrap(static_cast<long>(fy));
        const int jx = (ix + 1) % m_period;
        const int jy = (iy + 1) % m_period;
        return Mix(Mix(Cell(ix, iy), Cell(jx, iy), tx), Mix(Cell(ix, jy), Cell(jx, jy), tx), ty);
    }

    // Two octaves more of the same lattice for finer detail.
    double Fractal(double x, double y) const
    {
        return At(x, y) * 0.57 + At(x * 2 + 17.3, y * 2 + 5.1) * 0.29 +
               At(x * 4 + 3.7, y * 4 + 29.9) * 0.14;
    }

private:
    int Wrap(long i) const { return static_cast<int>(((i % m_period) + m_period) % m_period); }
    double Cell(int x, int y) const { return m_values[y * m_period + x]; }

    int m_period;
    std::vector<double> m_values;
};

struct Colour
{
    double r, g, b;
};

Colour Scale(Colour c, double k)
{
    return {c.r * k, c.g * k, c.b * k};
}
Colour Blend(Colour a, Colour b, double t)
{
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)};
}

// An image with row 0 at the bottom, as BMP files and OpenGL count rows, so
// that pixel (x, y) sits at texture coordinate ((x + 0.5) / w, (y + 0.5) / h).
class Image
{
public:
    Image(int width, int height) : m_width(width), m_height(height), m_pixels(width * height) {}

    // Fills every pixel with the average of 4 x 4 samples of `shade(s, t)`,
    // s and t being texture coordinates; the supersampling keeps thin rings
    // and seams free of stair steps.
    template <class Shade> void Paint(Shade shade)
    {
        constexpr int kSub = 4;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
            {
                Colour sum{0, 0, 0};
                for (int j = 0; j < kSub; ++j)
                    for (int i = 0; i < kSub; ++i)
                    {
                        const Colour c = shade((x + (i + 0.5) / kSub) / m_width,
                                               (y + (j + 0.5) / kSub) / m_height);
                        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    }
                m_pixels[y * m_width + x] = Scale(sum, 1.0 / (kSub * kSub));
            }
    }

    // 24-bit uncompressed BMP, bottom row first, rows padded to 4 bytes.
    bool WriteBmp(const std::string& path) const
    {
        const std::uint32_t stride = (3 * m_width + 3) / 4 * 4;
        const std::uint32_t imageSize = stride * m_height;
        std::string bytes;
        auto u16 = [&bytes](std::uint32_t v)
        {
            bytes += static_cast<char>(v & 0xFF);
            bytes += static_cast<char>(v >> 8 & 0xFF);
        };
        auto u32 = [&u16](std::uint32_t v)
        {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        bytes += "BM";
        u32(54 + imageSize);
        u32(0);
        u32(54);
        u32(40);
        u32(m_width);
        u32(m_height);
        u16(1);
        u16(24);
        u32(0);
        u32(imageSize);
        u32(2835); // 72 dots per inch
        u32(2835);
        u32(0);
        u32(0);
        for (int y = 0; y < m_height; ++y)
        {
            for (int x = 0; x < m_width; ++x)
            {
                const Colour& c = m_pixels[y * m_width + x];
                bytes += Byte(c.b);
                bytes += Byte(c.g);
                bytes += Byte(c.r);
            }
            bytes.append(stride - 3 * m_width, '\0');
        }
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }

private:
    static char Byte(double v)
    {
        return static_cast<char>(static_cast<int>(Clamp01(v) * 255 + 0.5));
    }

    int m_width;
    int m_height;
    std::vector<Colour> m_pixels;
};

// ---------------------------------------------------------------------------
// The board: an 8 x 8 grid of squares in the board node's x-z plane, one unit
// each, texture coordinates (x / 8, z / 8). Square (row r, column c) lies at
// x in [c, c + 1], z in [7 - r, 8 - r] and is dark when r - c is even, that
// is when column + floor(z) is odd.

constexpr int kSquares = 8;

bool WriteBoardMesh(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "# Plaxen board: the playing surface, 8 x 8 squares of one unit at y = 0.\n"
                       "# Texture coordinates (x / 8, z / 8) match board.bmp. Triangles run\n"
                       "# counter-clockwise seen from above; each corner names the same index\n"
                       "# for its vertex, texture coordinate and normal.\n"
                       "o board\n");
    for (int z = 0; z <= kSquares; ++z)
        for (int x = 0; x <= kSquares; ++x)
            std::fprintf(file, "v %d 0 %d\n", x, z);
    for (int z = 0; z <= kSquares; ++z)
        for (int x = 0; x <= kSquares; ++x)
            std::fprintf(file, "vt %g %g\n", x / 8.0, z / 8.0);
    for (int i = 0; i < (kSquares + 1) * (kSquares + 1); ++i)
        std::fprintf(file, "vn 0 1 0\n");
    for (int z = 0; z < kSquares; ++z)
        for (int x = 0; x < kSquares; ++x)
        {
            const int a = z * (kSquares + 1) + x + 1; // (x, z), 1-based
            const int b = a + 1;                      // (x + 1, z)
            const int c = a + kSquares + 1;           // (x, z + 1)
            const int d = c + 1;                      // (x + 1, z + 1)
            std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c, c, c, d, d, d);
            std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, d, d, d, b, b, b);
        }
    return std::fclose(file) == 0;
}

// Plain-sawn grain: growth lines across `across` (`lines` per unit), each a
// slow rise of early wood ending in a thin dark band of late wood, wavering
// gently along `along`, with fine fibres on top. Returns 0 (light) to 1.
double Grain(const Noise& noise, double along, double across, double lines, double offset)
{
    const double warp = noise.Fractal(along * 0.6 + offset, across * 2.2 + offset) * 0.8;
    const double phase = across * lines + warp;
    const double f = phase - std::floor(phase);
    const double late = SmoothStep(0.55, 0.9, f) * (1 - SmoothStep(0.9, 1.0, f));
    const double fibres = noise.At(along * 5 + offset, across * 140 + offset) * 0.5 + 0.5;
    return Clamp01(late * 0.75 + fibres * 0.3);
}

Image MakeBoardTexture()
{
    const Colour maple{0.90, 0.80, 0.60};
    const Colour mapleLate{0.80, 0.66, 0.45};
    const Colour green{0.10, 0.34, 0.20};
    const Colour greenLate{0.075, 0.27, 0.155};
    const Colour walnut{0.27, 0.16, 0.09};
    const Noise noise(64, 0x5EED0001);
    const Noise mottle(16, 0x5EED0002);

    Image image(512, 512);
    image.Paint(
        [&](double s, double t)
        {
            const double x = s * kSquares;
            const double z = t * kSquares;
            const int column = static_cast<int>(x);
            const int zRow = static_cast<int>(z);
            const double fx = x - column;
            const double fz = z - zRow;
            const bool dark = (column + zRow) % 2 == 1;
            // Each square is its own piece of veneer: the grain turns by a
            // quarter from one square to the next, and the pieces differ.
            const double offset = 7.31 * (zRow * kSquares + column);
            const double along = dark ? fz : fx;
            const double across = dark ? fx : fz;
            const double g = Grain(noise, along, across, dark ? 9 : 7, offset);
            Colour c = dark ? Blend(green, greenLate, g) : Blend(maple, mapleLate, g * 0.8);
            c = Scale(c, 1 + 0.05 * mottle.Fractal(x * 0.9, z * 0.9));

            // A fine dark joint between squares.
            const double edge = std::fmin(std::fmin(fx, 1 - fx), std::fmin(fz, 1 - fz));
            c = Scale(c, 0.72 + 0.28 * SmoothStep(0.0, 0.022, edge));

            // A thin walnut frame round the whole field; it is the same colour
            // on opposite edges, so the wrap-around filtering shows no seam.
            const double rim = std::fmin(std::fmin(x, kSquares - x), std::fmin(z, kSquares - z));
            const double frame = 1 - SmoothStep(0.045, 0.06, rim);
            const Colour wood =
                Blend(walnut, Scale(walnut, 0.7),
                      Grain(noise, rim < std::fmin(x, kSquares - x) ? x : z, rim * 8, 3, 91.7));
            return Blend(c, wood, frame);
        });
    return image;
}

// Warm, mid-brown wood whose growth lines run along s: the side strips and
// end walls stretch the image along s, so the lines follow their length.
Image MakeWoodTexture()
{
    const Colour earlyWood{0.70, 0.44, 0.23};
    const Colour lateWood{0.45, 0.25, 0.11};
    const Noise flow(8, 0x400D0001);
    const Noise fibre(128, 0x400D0002);

    Image image(256, 256);
    image.Paint(
        [&](double s, double t)
        {
            const double warp = flow.Fractal(s * 2, t * 3) * 0.9 + flow.At(s * 8, t * 8) * 0.08;
            const double phase = t * 22 + warp;
            const double f = phase - std::floor(phase);
            const double late = SmoothStep(0.5, 0.88, f) * (1 - SmoothStep(0.88, 1.0, f));
            const double streak = fibre.At(s * 6, t * 128) * 0.6 + fibre.At(s * 16, t * 64) * 0.4;
            const double pores = fibre.At(s * 64, t * 128);
            const Colour c = Blend(earlyWood, lateWood, late * 0.8);
            return Scale(c, 1 + 0.08 * streak + 0.03 * pores);
        });
    return image;
}

// A chip face for the cylinder caps: they use the model x, y as texture
// coordinates with repeat, so the chip's centre is the image's corner and
// its rim is the circle of radius 0.35 image widths about it. Outside the
// rim lies the colour of the chip's side; the side strips squeeze the whole
// image across each narrow strip, so it is kept close to the face's tone.
Image MakeChipTexture(Colour base, double highlight, std::uint32_t seed)
{
    const Noise speckle(64, seed);
    Image image(256, 256);
    image.Paint(
        [&](double s, double t)
        {
            const double dx = s < 0.5 ? s : s - 1;
            const double dy = t < 0.5 ? t : t - 1;
            const double r = std::sqrt(dx * dx + dy * dy);
            double shade;
            if (r < 0.35)
            {
                // Moulded face: a smooth centre, a groove, four low
                // concentric ridges, a deeper groove and a raised rim.
                const double ridges = 0.5 - 0.5 * Sine(kTwoPi * (r - 0.125) / 0.04 + kPi / 2);
                const double inRidges =
                    SmoothStep(0.118, 0.128, r) * (1 - SmoothStep(0.282, 0.29, r));
                const double groove1 = 1 - SmoothStep(0.0, 0.008, std::fabs(r - 0.112));
                const double groove2 = 1 - SmoothStep(0.0, 0.009, std::fabs(r - 0.296));
                const double rimBump =
                    SmoothStep(0.303, 0.318, r) * (1 - SmoothStep(0.33, 0.35, r));
                const double lip = SmoothStep(0.338, 0.35, r);
                shade = 1.0 + 0.05 * (1 - SmoothStep(0.0, 0.1, r)) + 0.16 * ridges * inRidges -
                        0.22 * groove1 - 0.3 * groove2 + highlight * rimBump - 0.18 * lip;
            }
            else
            {
                // The edge: a lighter middle band between two darker bevels.
                const double band = 0.5 - 0.5 * Sine(kTwoPi * t + kPi / 2);
                shade = 0.86 + 0.18 * band;
            }
            shade *= 1 + 0.025 * speckle.Fractal(s * 64, t * 64);
            return Scale(base, shade);
        });
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok =
        WriteBoardMesh(folder + "/board.obj") &&
        MakeBoardTexture().WriteBmp(folder + "/board.bmp") &&
        MakeWoodTexture().WriteBmp(folder + "/wood02.bmp") &&
        MakeChipTexture({0.72, 0.08, 0.09}, 0.18, 0xC4100001).WriteBmp(folder + "/red-chip.bmp") &&
        MakeChipTexture({0.25, 0.25, 0.27}, 0.35, 0xB1AC0001).WriteBmp(folder + "/black-chip.bmp");
    if (!ok)
    {
        std::fprintf(stderr, "%s: cannot write the art into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
