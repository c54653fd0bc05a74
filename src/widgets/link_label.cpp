#include "widgets/link_label.h"

#include "widgets/dialog_style.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dewmoth::widgets {

namespace {

class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return static_cast<LinkLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            emit static_cast<LinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *linkFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("dewmoth::widgets::LinkLabel") && object->isWidgetType())
        return new LinkAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString &address, QWidget *parent) : QWidget(parent), m_text(address)
{
    static const bool installed = [] {
        QAccessible::installFactory(linkFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setCursor(handCursor());
    setFocusPolicy(Qt::TabFocus);
    // No font yet: a window may build its controls while the fonts are still loading.
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(kLinkColour));
    setPalette(linkPalette);
}

void LinkLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

QSize LinkLabel::sizeHint() const
{
    return fontMetrics().size(Qt::TextSingleLine, m_text);
}

void LinkLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        adjustSize();
    QWidget::changeEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
    m_pressed = false;
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
    painter.end();
    paintFocusFrame(this, rect());
}

} // namespace dewmoth::widgets
