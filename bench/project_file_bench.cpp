// Times the project-format writer and reader on a full rack of 14 cards (7 input and 7
// output cards): the whole write to disk (temporary file, flush, rename) and the whole read,
// and separately the in-memory parts (building the bytes, applying them to the records).
// Prints the median, and the 10th and 90th percentiles, in microseconds per call.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/card_records.h"
#include "store/project_file.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double p10 = 0;
    double median = 0;
    double p90 = 0;
};

// Runs body n times and returns the spread of the single call times.
Figures Time(int n, const std::function<void()>& body) {
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto start = Clock::now();
        body();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) { return micros[static_cast<std::size_t>(q * (n - 1))]; };
    return {at(0.1), at(0.5), at(0.9)};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-34s median %9.1f us   p10 %9.1f us   p90 %9.1f us\n", what, f.median, f.p10,
                f.p90);
}

}  // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const kov::test::TempDir dir;
    std::filesystem::copy_file(std::filesystem::path(KOV_DATA_DIR) / kov::kDefaultsFileName,
                               dir / kov::kDefaultsFileName);

    kov::CardConfiguration config;
    for (int i = 0; i < 7; ++i) {
        config.outputCards.push_back({i + 1, i + 1});
        config.inputCards.push_back({i + 8, kov::kFirstInputCardId + i});
    }
    kov::CardRecords records;
    if (!records.Load(config, dir.Path())) {
        std::fprintf(stderr, "cannot read the shipped defaults\n");
        return 1;
    }
    {
        // Values of different lengths, as after some editing.
        auto lock = records.Lock();
        for (auto& r : records.input.Records())
            r.inputHLocation = -r.cardId * 13;
        for (auto& r : records.output.Records())
            r.spliceHLocation = (r.slot - 1) * 1920;
    }

    const kov::RecordsSnapshot snapshot = records.Snapshot();
    const auto file = dir / "bench.scpx";
    const std::string bytes = kov::ProjectFileBytes(snapshot);
    std::printf("project file of %zu input + %zu output cards: %zu bytes, %d iterations\n",
                snapshot.inputs.size(), snapshot.outputs.size(), bytes.size(), iterations);

    bool ok = true;
    Print("write to disk (WriteProjectFile)",
          Time(iterations, [&] { ok = kov::WriteProjectFile(file, records.Snapshot()) && ok; }));
    Print("read from disk (ReadProjectFile)",
          Time(iterations, [&] { ok = kov::ReadProjectFile(file, records).Clean() && ok; }));
    std::size_t sink = 0;
    Print("build bytes (ProjectFileBytes)",
          Time(iterations, [&] { sink += kov::ProjectFileBytes(snapshot).size(); }));
    Print("apply bytes (ApplyProjectBytes)",
          Time(iterations, [&] { sink += kov::ApplyProjectBytes(bytes, records).appliedKeys; }));
    if (!ok || sink == 0) {
        std::fprintf(stderr, "a write or read failed\n");
        return 1;
    }
    return 0;
}
