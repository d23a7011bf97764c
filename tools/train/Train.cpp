// plaxen_train: fits the learned evaluation's weights to self-play games
// by logistic regression: the chance that black wins a position is taken
// as the logistic function of its score, and the weights are those that
// make the games' results likeliest (Adam over the whole data each epoch,
// with a small pull of every positional weight towards zero). Deterministic:
// the same data give the same weights, whatever the machine.
//
//   plaxen_train <weights out> <data file>... [--epochs N] [--lambda L] [--scale K]
//
// One block of every ten (1,000 positions a block, whole games mostly) is
// held out; the weights of the epoch that predicted it best are written,
// scaled so that a man in the middle game is worth exactly 100.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/EvalFeatures.h"
#include "engine/EvalWeights.h"
#include "tools/train/TrainingData.h"

namespace
{
constexpr int kBlock = 1000;

struct Settings
{
    int epochs = 150;
    double lambda = 2e-8; // the pull towards zero
    double scale = 150;   // hundredths of a man per unit of log-odds
    double rate = 2.0;    // Adam's step at the start, in hundredths
};

double Score(const std::vector<double>& w, const CPosition& position)
{
    double sum = 0;
    evalfeatures::ForEach(position,
                          [&](int i, int c) { sum += w[static_cast<std::size_t>(i)] * c; });
    return sum / evalfeatures::kPhaseScale;
}

double Loss(double p, double y)
{
    constexpr double tiny = 1e-12;
    return -(y * std::log(p + tiny) + (1 - y) * std::log(1 - p + tiny));
}

// Adds the loss gradient of `positions` to `gradient`, returns the summed loss.
double Accumulate(const std::vector<double>& w, const std::vector<TrainingPosition>& positions,
                  std::size_t begin, std::size_t end, double scale, std::vector<double>* gradient)
{
    double total = 0;
    for (std::size_t k = begin; k < end; ++k)
    {
        const CPosition position = positions[k].Position();
        const double y = positions[k].result / 2.0;
        const double p = 1 / (1 + std::exp(-Score(w, position) / scale));
        total += Loss(p, y);
        if (gradient)
        {
            const double g = (p - y) / scale / evalfeatures::kPhaseScale;
            evalfeatures::ForEach(position, [&](int i, int c)
                                  { (*gradient)[static_cast<std::size_t>(i)] += g * c; });
        }
    }
    return total;
}

// The mean loss over `positions`, and its gradient when asked, summed over
// two fixed halves so the result never depends on the threads' timing.
double Evaluate(const std::vector<double>& w, const std::vector<TrainingPosition>& positions,
                double scale, std::vector<double>* gradient)
{
    const std::size_t half = positions.size() / 2;
    std::vector<double> second(gradient ? gradient->size() : 0, 0.0);
    double lossSecond = 0;
    std::thread helper(
        [&]
        {
            lossSecond = Accumulate(w, positions, half, positions.size(), scale,
                                    gradient ? &second : nullptr);
        });
    const double lossFirst = Accumulate(w, positions, 0, half, scale, gradient);
    helper.join();
    const double n = static_cast<double>(std::max<std::size_t>(positions.size(), 1));
    if (gradient)
        for (std::size_t i = 0; i < gradient->size(); ++i)
            (*gradient)[i] = ((*gradient)[i] + second[i]) / n;
    return (lossFirst + lossSecond) / n;
}

bool Positional(int i)
{
    return i >= evalfeatures::kMobility;
}
} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    std::string out;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if ((arg == "--epochs" || arg == "--lambda" || arg == "--scale") && i + 1 < argc)
        {
            const double value = std::atof(argv[++i]);
            (arg == "--epochs" ? settings.epochs = static_cast<int>(value)
                               : (arg == "--lambda" ? settings.lambda : settings.scale) = value);
        }
        else if (out.empty())
            out = arg;
        else
            inputs.push_back(arg);
    }
    if (out.empty() || inputs.empty())
    {
        std::fprintf(stderr, "usage: plaxen_train <weights out> <data file>... [--epochs N]"
                             " [--lambda L] [--scale K]\n");
        return 2;
    }

    std::vector<TrainingPosition> train, held;
    for (const std::string& name : inputs)
    {
        std::ifstream in(name, std::ios::binary);
        std::vector<TrainingPosition> positions;
        std::string error;
        if (!ReadTrainingData(in, positions, error))
        {
            std::fprintf(stderr, "plaxen_train: %s: %s\n", name.c_str(), error.c_str());
            return 1;
        }
        for (std::size_t k = 0; k < positions.size(); ++k)
            ((k / kBlock) % 10 == 9 ? held : train).push_back(positions[k]);
    }
    if (held.empty())
        held = train; // too little to hold any out: judge on what was learnt
    std::printf("%zu positions to learn from, %zu held out\n", train.size(), held.size());

    std::vector<double> w(evalfeatures::kCount, 0.0), m(w.size(), 0.0), v(w.size(), 0.0);
    w[evalfeatures::kMan] = w[evalfeatures::kMan + 1] = 100;
    w[evalfeatures::kKing] = w[evalfeatures::kKing + 1] = 130;
    std::vector<double> best = w;
    double bestHeld = Evaluate(w, held, settings.scale, nullptr);
    std::printf("start: held-out loss %.5f\n", bestHeld);
    std::vector<double> gradient(w.size());
    for (int epoch = 1; epoch <= settings.epochs; ++epoch)
    {
        std::fill(gradient.begin(), gradient.end(), 0.0);
        const double loss = Evaluate(w, train, settings.scale, &gradient);
        const double rate =
            settings.rate * (0.05 + 0.95 * 0.5 * (1 + std::cos(M_PI * epoch / settings.epochs)));
        constexpr double b1 = 0.9, b2 = 0.999;
        for (std::size_t i = 0; i < w.size(); ++i)
        {
            const double g =
                gradient[i] + (Positional(static_cast<int>(i)) ? settings.lambda * w[i] : 0);
            if (g == 0 && m[i] == 0)
                continue; // never seen: stays where it is
            m[i] = b1 * m[i] + (1 - b1) * g;
            v[i] = b2 * v[i] + (1 - b2) * g * g;
            const double mHat = m[i] / (1 - std::pow(b1, epoch));
            const double vHat = v[i] / (1 - std::pow(b2, epoch));
            w[i] -= rate * mHat / (std::sqrt(vHat) + 1e-12);
        }
        if (epoch % 10 == 0 || epoch == settings.epochs)
        {
            const double heldLoss = Evaluate(w, held, settings.scale, nullptr);
            std::printf("epoch %d: loss %.5f, held-out %.5f, man %.1f/%.1f, king %.1f/%.1f\n",
                        epoch, loss, heldLoss, w[0], w[1], w[2], w[3]);
            std::fflush(stdout);
            if (heldLoss < bestHeld)
            {
                bestHeld = heldLoss;
                best = w;
            }
        }
    }

    const double toMan = 100 / best[evalfeatures::kMan];
    std::vector<std::int32_t> weights(best.size());
    for (std::size_t i = 0; i < best.size(); ++i)
        weights[i] = static_cast<std::int32_t>(std::lround(best[i] * toMan * kEvalWeightScale));
    std::ofstream file(out, std::ios::binary);
    file << PrintEvalWeights(weights);
    if (!file)
    {
        std::fprintf(stderr, "plaxen_train: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("best held-out loss %.5f; weights scaled by %.3f into %s\n", bestHeld, toMan,
                out.c_str());
    return 0;
}
