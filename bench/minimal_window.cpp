// The reference for start-up: the smallest Qt Widgets window with one label, reporting its
// first paint the same way the program does.
#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>

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
            qCDebug(lcReference) << "first paint";
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
