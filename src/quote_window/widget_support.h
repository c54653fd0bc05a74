// Small pieces the program's windows share: twips to pixels, the stand-in for the classic
// dialog font, the program's pictures, and a label that acts as a web link.
#pragma once

#include <QCursor>
#include <QFont>
#include <QRect>
#include <QWidget>

namespace dewmoth::quote_window {

int toPixels(double twips);
QRect twipsRect(int left, int top, int width, int height);

// A regular sans-serif face at `points`, preferring faces with the classic dialog metrics.
QFont dialogFont(qreal points);

QIcon programIcon();
QCursor handCursor();

// Draws the style's focus frame inside `widget` at `rect` when the widget has the focus; for
// widgets that take the focus but whose base class draws none.
void paintFocusFrame(QWidget *widget, const QRect &rect);

// Tells the user of a failure they must act on: a warning box over `owner`, titled with the
// product name, that does not hold up the caller (a test or an event loop goes on meanwhile).
void tellUser(QWidget *owner, const QString &text);

// Opens a link's address with the desktop's handler; tells the user when nothing can open it.
void openLink(QWidget *owner, const QString &address);

// The link's face: the dialog face at 9.75 pt, underlined.
QFont linkFont();

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

} // namespace dewmoth::quote_window
