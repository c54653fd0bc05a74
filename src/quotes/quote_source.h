// Where the sayings come from and how one is picked, for the window and for the command line
// alike: the user's own quote file when there is one, else the one beside the program.
#pragma once

#include "core/failure.h"
#include "quotes/collection.h"

#include <QString>

#include <filesystem>
#include <random>
#include <vector>

namespace dewmoth::quotes {

// `userFile` when anything stands at that name (one that cannot be read is then reported, not
// passed over), else TIPOFDAY.TXT in `programFolder`.
std::filesystem::path quoteFilePath(const std::filesystem::path &programFolder,
                                    const std::filesystem::path &userFile);

// Where a run's sayings come from.
struct Sources
{
    CollectionPlan plan;            // read first
    std::filesystem::path fallback; // read alone when the plan yields no saying; empty: none
    // The plan starts with the user's own TIPOFDAY.TXT: when nothing else serves and it cannot
    // be read, that is what the user is told, rather than falling back.
    bool ownFileFirst = false;
};

// Exactly the files and folders `named` on the command line when there are any. Else the user's
// own collection, their TIPOFDAY.TXT (`userFile`, when anything stands at that name) and the
// files of `sayingsFolder`, with TIPOFDAY.TXT in `programFolder` to fall back on.
Sources runSources(const std::filesystem::path &programFolder,
                   const std::filesystem::path &userFile,
                   const std::filesystem::path &sayingsFolder,
                   const std::vector<std::filesystem::path> &named = {});

// One file alone, by the line rules of TIPOFDAY.TXT.
Sources singleFile(const std::filesystem::path &file);

// Reads the sources by the rules above. With `logFiles`, what is passed over and what cannot be
// read is named in the log, each once.
CollectionRead readSources(const Sources &sources, const ReadLimits &limits = {},
                           bool logFiles = false);

// A generator seeded once from the time of day.
std::mt19937 clockSeededRandom();

// A position 1..n, uniform; n must be at least 1.
qint32 pickPosition(qint32 n, std::mt19937 &random);

// The next position after `previous`: uniform over the other positions when there are any, so
// that "Next Tip" never shows the same saying again; uniform over all when `previous` is none
// of 1..n (the first pick) or n is 1.
qint32 pickNextPosition(qint32 n, qint32 previous, std::mt19937 &random);

// The most of one saying the command line writes, in UTF-16 units: a line of a file that is
// larger than memory must not take the program down.
inline constexpr qsizetype kPrintLimit = qsizetype(1) << 20;

// One saying of the sources, picked as the window picks its first, for the command line: at
// most kPrintLimit units of it.
struct SayingToPrint
{
    enum class Status { Picked, NotFound, Unreadable, Empty };
    Status status = Status::NotFound;
    QString saying;
    bool cut = false;            // the saying is longer than kPrintLimit
    core::Failure failure;       // for Unreadable: why
    std::filesystem::path where; // the file that is missing, unreadable or empty
};
// With `order`, the saying is the next of the order kept across runs.
SayingToPrint pickSayingToPrint(const Sources &sources, SayingOrder *order = nullptr);

} // namespace dewmoth::quotes
