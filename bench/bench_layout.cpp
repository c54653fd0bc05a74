// One layout pass at a 3840 x 2160 client, and a full resize step of the window (layout and
// paint) against painting the same area with one tiled pixmap and nothing else.
#include "quote_window/frm_tip.h"
#include "quote_window/layout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace dewmoth::quote_window;

namespace {

class TiledOnly : public QWidget
{
public:
    TiledOnly() : m_background(QStringLiteral(":/dewmoth/background.jpg"))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.drawTiledPixmap(event->rect(), m_background, event->rect().topLeft());
    }

private:
    QPixmap m_background;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resizes between two sizes and repaints synchronously; returns ms per step.
double resizeSteps(QWidget &widget, int steps)
{
    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer timer;
        timer.start();
        widget.resize(i % 2 ? QSize(3840, 2160) : QSize(3839, 2159));
        widget.repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    LayoutDistances distances{1515, 1515, 1515, 1860, 1755, 450, 1470, 990, 1140, 1380};
    Arrangement arrangement;
    const int passes = 200000;
    QElapsedTimer timer;
    timer.start();
    qint64 sink = 0;
    for (int i = 0; i < passes; ++i) {
        const float w = 57600.f - float(i % 2) * 15;
        arrangement = layOut(w, 32400.f, distances, {60, 60}, arrangement);
        const TileModel tiles = layTiles(w, 32400.f, 6600, 4590);
        sink += tiles.count();
    }
    std::printf("layout pass at 3840 x 2160: %.3f us (arithmetic and tile model; %lld tiles)\n",
                double(timer.nsecsElapsed()) / 1e3 / passes, qlonglong(sink / passes));

    QTemporaryDir dir;
    frmTip::Environment environment;
    environment.programFolder = dir.path().toStdString();
    environment.settingsApplication = QStringLiteral("bench");
    environment.startupTest = [] { return dewmoth::shell::StartupState{}; };
    environment.setStartup = [](bool on) { return dewmoth::shell::StartupState{on, {}}; };
    frmTip window(environment);
    window.Form_Load();
    window.resize(3840, 2160);
    window.show();
    TiledOnly reference;
    reference.resize(3840, 2160);
    reference.show();
    app.processEvents();

    std::vector<double> ours, theirs;
    for (int round = 0; round < 15; ++round) {
        ours.push_back(resizeSteps(window, 10));
        theirs.push_back(resizeSteps(reference, 10));
    }
    std::printf("resize step at 3840 x 2160: window %.2f ms, one tiled pixmap %.2f ms, "
                "ratio %.2f\n",
                median(ours), median(theirs), median(ours) / median(theirs));
    return 0;
}
