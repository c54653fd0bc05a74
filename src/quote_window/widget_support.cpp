#include "quote_window/widget_support.h"

#include "app/program_info.h"
#include "quote_window/layout.h"
#include "shell/document_launcher.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <cmath>

namespace dewmoth::quote_window {

void tellUser(QWidget *owner, const QString &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, app::productName(), text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void openLink(QWidget *owner, const QString &address)
{
    if (!shell::OpenDocument("open", address.toStdString(), std::nullopt, std::nullopt,
                             shell::kShowNormal))
        tellUser(owner, QObject::tr("%1 could not be opened: nothing on this computer opens web "
                                    "addresses.")
                            .arg(address));
}

int toPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

QFont dialogFont(qreal points)
{
    // Only faces the system has: asking for a missing one makes the font matcher work out a
    // whole fallback chain for it, which costs as much as loading the face that is found.
    static const QStringList families = [] {
        // A family that more than one foundry makes is listed as "Family [Foundry]".
        QStringList installed = QFontDatabase::families();
        for (QString &name : installed)
            name = name.section(QStringLiteral(" ["), 0, 0);
        QStringList preferred{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("Arimo"),         QStringLiteral("Arial"),
                              QStringLiteral("Nimbus Sans"),   QStringLiteral("Helvetica")};
        preferred.removeIf(
            [&](const QString &f) { return !installed.contains(f, Qt::CaseInsensitive); });
        return preferred;
    }();
    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QFont linkFont()
{
    QFont font = dialogFont(9.75);
    font.setUnderline(true);
    return font;
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/dewmoth/dewmoth.ico"));
}

QCursor handCursor()
{
    // The fingertip of the drawn hand.
    return QCursor(QPixmap(QStringLiteral(":/dewmoth/hand.ico")), 9, 1);
}

void paintFocusFrame(QWidget *widget, const QRect &rect)
{
    if (!widget->hasFocus())
        return;
    QStylePainter painter(widget);
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.rect = rect;
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

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
    if (className == QLatin1String("dewmoth::quote_window::LinkLabel") && object->isWidgetType())
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
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
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

} // namespace dewmoth::quote_window
