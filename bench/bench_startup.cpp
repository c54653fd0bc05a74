// Start to first painted frame, and peak memory, of the program against a minimal Qt Widgets
// window, interleaved run by run, offscreen and under Xvfb.
// Usage: bench_startup PROGRAM REFERENCE [RUNS]
#include "proc_status.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double ms = -1;
    qint64 peakKiB = -1;
};

Sample runOnce(const QString &program, const QProcessEnvironment &env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.setReadChannel(QProcess::StandardError);
    process.start(program, {});
    Sample sample;
    QByteArray err;
    while (timer.elapsed() < 20000) {
        if (!process.waitForReadyRead(20000))
            break;
        err += process.readAllStandardError();
        if (err.contains("first frame painted")) {
            sample.ms = double(timer.nsecsElapsed()) / 1e6;
            sample.peakKiB = peakResidentKiB(QString::number(process.processId()));
            break;
        }
    }
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished();
    return sample;
}

double quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::size_t(q * double(v.size() - 1) + 0.5)];
}

double median(const std::vector<double> &v)
{
    return quantile(v, 0.5);
}

void compare(const char *where, const QString &program, const QString &reference,
             QProcessEnvironment env, int runs)
{
    env.insert("QT_LOGGING_RULES", "dewmoth.quote_window.debug=true");
    std::vector<double> ours, theirs, oursRss, theirsRss;
    runOnce(program, env); // warm the file cache for both
    runOnce(reference, env);
    for (int i = 0; i < runs; ++i) {
        const Sample a = runOnce(program, env);
        const Sample b = runOnce(reference, env);
        if (a.ms < 0 || b.ms < 0) {
            std::printf("%s: a run did not paint\n", where);
            continue;
        }
        ours.push_back(a.ms);
        theirs.push_back(b.ms);
        oursRss.push_back(double(a.peakKiB));
        theirsRss.push_back(double(b.peakKiB));
    }
    const double t1 = median(ours), t0 = median(theirs);
    const double r1 = median(oursRss), r0 = median(theirsRss);
    std::printf("%-10s first frame: Dewmoth %.1f ms, minimal window %.1f ms, ratio %.2f | "
                "peak RSS %.0f KiB vs %.0f KiB, ratio %.2f (medians of %zu)\n",
                where, t1, t0, t0 > 0 ? t1 / t0 : 0, r1, r0, r0 > 0 ? r1 / r0 : 0, ours.size());
    std::printf(
        "%-10s quartiles: Dewmoth %.1f / %.1f / %.1f ms, minimal window %.1f / %.1f / %.1f ms\n",
        where, quantile(ours, 0.25), t1, quantile(ours, 0.75), quantile(theirs, 0.25), t0,
        quantile(theirs, 0.75));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup PROGRAM REFERENCE [RUNS]\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString reference = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    compare("offscreen", program, reference, env, runs);

    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
        std::printf("Xvfb: not installed, skipped\n");
        return 0;
    }
    int display = 80;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
        ++display;
    QProcess server;
    server.start(xvfb, {QStringLiteral(":%1").arg(display), "-screen", "0", "1280x1024x24",
                        "-nolisten", "tcp"});
    for (int i = 0; i < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display));
         ++i)
        QThread::msleep(50);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", QStringLiteral(":%1").arg(display));
    compare("Xvfb", program, reference, env, runs);
    server.terminate();
    server.waitForFinished();
    return 0;
}
