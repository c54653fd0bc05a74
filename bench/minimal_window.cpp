// The reference for start-up: the smallest Qt Widgets window with one label, reporting its
// first whole frame the same way the program does: when the paint pass that drew it returns.
#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcReference, "dewmoth.quote_window", QtInfoMsg)

namespace {
class Label : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!m_painted) {
            m_painted = true;
            QTimer::singleShot(0, this, [] { qCDebug(lcReference) << "first frame painted"; });
        }
        QLabel::paintEvent(event);
    }

private:
    bool m_painted = false;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Label label(QStringLiteral("Quiet water shows the deepest sky."));
    label.resize(453, 338);
    label.show();
    return app.exec();
}
