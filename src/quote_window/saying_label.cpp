#include "quote_window/saying_label.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <utility>

namespace dewmoth::quote_window {

qsizetype attributionStart(const QString &saying)
{
    const qsizetype lineStart = saying.lastIndexOf(QLatin1Char('\n')) + 1;
    if (lineStart == 0)
        return -1;
    qsizetype at = lineStart;
    while (at < saying.size() && (saying.at(at) == u' ' || saying.at(at) == u'\t'))
        ++at;
    if (at == lineStart)
        return -1;
    const QStringView rest = QStringView(saying).mid(at);
    return rest.startsWith(u"--") || rest.startsWith(u'\u2014') ? lineStart : -1;
}

QString sayingMarkup(const QString &saying, qsizetype attribution)
{
    const QString body = saying.left(attribution - 1);
    const QString by = saying.mid(attribution).trimmed();
    return QStringLiteral("<div style=\"white-space:pre-wrap\">") + body.toHtmlEscaped() +
           QStringLiteral("</div><div align=\"right\" style=\"white-space:pre-wrap\">") +
           by.toHtmlEscaped() + QStringLiteral("</div>");
}

SayingLabel::SayingLabel(QWidget *parent)
    : QLabel(parent), m_bar(new QScrollBar(Qt::Vertical, this))
{
    setTextFormat(Qt::PlainText); // sayings are text; markup is only what showSaying() makes
    m_bar->hide();
    m_bar->setFocusPolicy(Qt::NoFocus);
    connect(m_bar, &QScrollBar::valueChanged, this, [this](int value) {
        QMargins margins = contentsMargins();
        margins.setTop(-value);
        margins.setBottom(value); // the text keeps its height: what it lays out stays the same
        setContentsMargins(margins);
    });
}

void SayingLabel::showSaying(const QString &saying)
{
    const qsizetype attribution = attributionStart(saying);
    setTextFormat(attribution < 0 ? Qt::PlainText : Qt::RichText);
    setText(attribution < 0 ? saying : sayingMarkup(saying, attribution));
    setAccessibleName(attribution < 0 ? QString() : saying);
    m_bar->setValue(0);
    fit();
}

int SayingLabel::scrolled() const
{
    return m_bar->isVisible() ? m_bar->value() : 0;
}

int SayingLabel::scrollRange() const
{
    return m_bar->isVisible() ? m_bar->maximum() : 0;
}

void SayingLabel::fit()
{
    // The height the text needs at the width it would have without a bar, then with one.
    setContentsMargins(0, 0, 0, 0);
    if (text().isEmpty() || height() <= 0 || heightForWidth(width()) <= height()) {
        m_bar->hide();
        m_bar->setValue(0);
        return;
    }
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_bar);
    setContentsMargins(0, 0, barWidth, 0);
    const int needed = heightForWidth(width());
    m_bar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_bar->setRange(0, qMax(0, needed - height()));
    m_bar->setPageStep(height());
    m_bar->setSingleStep(qMax(1, fontMetrics().lineSpacing()));
    m_bar->show();
    const int value = m_bar->value();
    setContentsMargins(0, -value, barWidth, value);
}

bool SayingLabel::scrollKey(const QKeyEvent *event)
{
    if (!m_bar->isVisible())
        return false;
    using Action = QAbstractSlider::SliderAction;
    static constexpr std::pair<int, Action> kKeys[] = {
        {Qt::Key_Up, Action::SliderSingleStepSub},   {Qt::Key_Down, Action::SliderSingleStepAdd},
        {Qt::Key_PageUp, Action::SliderPageStepSub}, {Qt::Key_PageDown, Action::SliderPageStepAdd},
        {Qt::Key_Home, Action::SliderToMinimum},     {Qt::Key_End, Action::SliderToMaximum}};
    for (const auto &[key, action] : kKeys) {
        if (event->key() == key) {
            m_bar->triggerAction(action);
            return true;
        }
    }
    return false;
}

void SayingLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    // A change of margins sends a resize event of the same size: only a new size refits.
    if (event->size() != event->oldSize())
        fit();
}

void SayingLabel::wheelEvent(QWheelEvent *event)
{
    if (!m_bar->isVisible()) {
        QLabel::wheelEvent(event);
        return;
    }
    QCoreApplication::sendEvent(m_bar, event);
}

} // namespace dewmoth::quote_window
