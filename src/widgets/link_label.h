// A label that shows a web address as a link.
#pragma once

#include <QColor>
#include <QWidget>

namespace dewmoth::widgets {

// The colour of a link in the design.
inline constexpr QRgb kLinkColour = 0xff0000ff;

// A label that shows a web address as a link (blue, the hand cursor, sized to its text in the
// font it is given, normally linkFont()) and reports clicks and Enter/Space. Assistive technology
// sees a link whose name is its text. It paints its one line itself: a label that takes the
// keyboard focus builds a whole rich-text document behind it, the costliest step of the window's
// start.
class LinkLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit LinkLabel(const QString &address, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_text;
    bool m_pressed = false;
};

} // namespace dewmoth::widgets
