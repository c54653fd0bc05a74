// Loading quote files of 1 MB, 100 MB and 1 GB against `wc -l` over the same file, interleaved,
// plus peak memory above a small file's and the cost of showing one saying.
// Usage: bench_load_tips DATADIR [--no-gigabyte] [ROUNDS]
#include "core/path_text.h"
#include "quotes/collection.h"
#include "quotes/tip_list.h"

#include "proc_status.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace dewmoth::quotes;

namespace {

struct Kind
{
    const char *name;
    QByteArray line;
    bool fortunes = false; // a file of a collection in the fortune format
};

const Kind kKinds[] = {
    {"crlf", "The tide comes back for those who wait on the shore.\r\n"},
    {"lf", "The tide comes back for those who wait on the shore.\n"},
    {"cp1252", "Caf\xE9 cr\xE8me \x93quiet\x94 water shows the deepest sky \x96 na\xEFve.\r\n"},
    {"utf8dense",
     "\xD0\xA2\xD0\xB8\xD1\x85\xD0\xB0\xD1\x8F \xD0\xB2\xD0\xBE\xD0\xB4\xD0\xB0 "
     "\xD0\xBF\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7\xD1\x8B\xD0\xB2\xD0\xB0\xD0\xB5\xD1\x82 "
     "\xD0\xBD\xD0\xB5\xD0\xB1\xD0\xBE \xE8\x9B\xBE\xE8\x9B\xBE\r\n"},
    {"fortune", "The tide comes back\n\tfor those who wait\non the shore.\n\t\t-- Orlan Vesty\n%\n",
     true},
};

QString ensureFile(const QString &dir, const Kind &kind, qint64 size)
{
    const QString path = QStringLiteral("%1/%2-%3.txt").arg(dir, kind.name).arg(size);
    if (QFileInfo(path).size() >= size)
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QByteArray block = kind.line.repeated(int((1 << 20) / kind.line.size()) + 1);
    for (qint64 written = 0; written < size; written += block.size())
        file.write(block);
    return path;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeWc(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess wc;
    wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), path});
    wc.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

double timeLoad(const QString &path, qint32 *count, bool fortunes = false)
{
    ReadLimits rules;
    rules.fortunes = fortunes;
    QElapsedTimer timer;
    timer.start();
    const QuoteFileResult result = readQuoteFile(dewmoth::core::textPath(path), rules);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    *count = result.tips.count();
    return ms;
}

qint64 childPeak(const QString &self, const QString &path, bool fortunes = false)
{
    QProcess child;
    QStringList args{QStringLiteral("--rss"), path};
    if (fortunes)
        args << QStringLiteral("fortunes");
    child.start(self, args);
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().toLongLong();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == "--rss") {
        ReadLimits rules;
        rules.fortunes = args.size() > 3;
        const QuoteFileResult result = readQuoteFile(dewmoth::core::textPath(args[2]), rules);
        std::printf("%lld\n", peakResidentKiB());
        return result.status == LoadStatus::Loaded ? 0 : 1;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_load_tips DATADIR [--no-gigabyte] [ROUNDS]\n");
        return 2;
    }
    const QString dir = args[1];
    QDir().mkpath(dir);
    const bool gigabyte = !args.contains("--no-gigabyte");
    const int rounds = args.size() > 2 && args.last().toInt() > 0 ? args.last().toInt() : 7;

    std::vector<qint64> sizes{1 << 20, 10 << 20, 100 << 20};
    if (gigabyte)
        sizes.push_back(qint64(1) << 30);
    const Kind tiny{"tiny", "A small quote file for the baseline.\r\n"};
    const qint64 baseline = childPeak(app.applicationFilePath(), ensureFile(dir, tiny, 10 << 10));
    std::printf("baseline peak RSS with a 10 kB file: %lld KiB\n\n", baseline);
    std::printf("%-10s %8s %10s %10s %7s %12s %9s\n", "file", "MiB", "load ms", "wc -l ms", "ratio",
                "RSS-base MiB", "RSS/size");

    for (const Kind &kind : kKinds) {
        for (const qint64 size : sizes) {
            const QString path = ensureFile(dir, kind, size);
            qint32 count = 0;
            timeWc(path);
            timeLoad(path, &count, kind.fortunes); // both from a warm cache
            std::vector<double> ours, wc;
            const int n = size >= (qint64(1) << 30) ? std::max(3, rounds / 2) : rounds;
            for (int i = 0; i < n; ++i) {
                wc.push_back(timeWc(path));
                ours.push_back(timeLoad(path, &count, kind.fortunes));
            }
            const double peakMiB =
                double(childPeak(app.applicationFilePath(), path, kind.fortunes) - baseline) /
                1024.0;
            std::printf("%-10s %8.0f %10.1f %10.1f %7.2f %12.1f %9.2f\n", kind.name,
                        double(size) / (1 << 20), median(ours), median(wc),
                        median(ours) / median(wc), peakMiB, peakMiB * (1 << 20) / double(size));
        }
    }

    // Every collection of Debian's fortune packages installed here, as a folder of collections,
    // against `wc -l` over the same files.
    const QString debian = QStringLiteral("/usr/share/games/fortunes");
    if (QFileInfo(debian).isDir()) {
        CollectionPlan plan;
        addFolder(plan, dewmoth::core::textPath(debian));
        QStringList files;
        for (const CollectionFile &file : plan.files)
            files << dewmoth::core::pathText(file.path);
        std::vector<double> ours, wc;
        qint32 count = 0;
        for (int i = 0; i < rounds + 1; ++i) {
            QElapsedTimer timer;
            timer.start();
            QProcess lines;
            lines.start(QStringLiteral("wc"), QStringList{QStringLiteral("-l")} + files);
            lines.waitForFinished(-1);
            const double wcMs = double(timer.nsecsElapsed()) / 1e6;
            timer.restart();
            count = readCollection(plan).collection.count();
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (i > 0) { // the first warms the cache
                wc.push_back(wcMs);
                ours.push_back(ms);
            }
        }
        std::printf("\n%s: %lld files, %d sayings: %.2f ms, wc -l %.2f ms, ratio %.2f\n",
                    qPrintable(debian), qlonglong(plan.files.size()), count, median(ours),
                    median(wc), median(ours) / median(wc));
    }

    // Showing one saying as the window does: the look whether the file changed, the read of the
    // line and its decoding, at random positions of the biggest dense file.
    QuoteFileResult big = readQuoteFile(ensureFile(dir, kKinds[3], 100 << 20));
    std::mt19937 random(1);
    std::uniform_int_distribution<qint32> pick(1, big.tips.count());
    std::vector<double> shows;
    qsizetype total = 0;
    for (int i = 0; i < 100000; ++i) {
        QElapsedTimer timer;
        timer.start();
        followQuoteFile(big.tips);
        total += big.tips.at(pick(random), 30000).size();
        shows.push_back(double(timer.nsecsElapsed()) / 1e3);
    }
    std::printf("\nshowing one saying: median %.2f us (%lld characters decoded)\n", median(shows),
                qlonglong(total));
    return 0;
}
