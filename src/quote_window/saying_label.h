// The label that shows the saying: its line breaks kept, an attribution on its own line to the
// right, and a saying taller than the label scrolled inside it, with a scroll bar only then.
// A saying that fits is a plain word-wrapped label, as the design draws it.
#pragma once

#include <QLabel>

class QKeyEvent;
class QScrollBar;

namespace dewmoth::quote_window {

// Where a saying's attribution begins: its last line, when that starts with blanks or tabs
// followed by "--" or an em dash, and is not its only line; -1 when there is none.
qsizetype attributionStart(const QString &saying);

// The saying as the label shows it: plain text, or, with an attribution, markup in which the
// saying's own characters are all escaped.
QString sayingMarkup(const QString &saying, qsizetype attribution);

class SayingLabel : public QLabel
{
public:
    explicit SayingLabel(QWidget *parent);

    void showSaying(const QString &saying);
    // Up, Down, Page Up, Page Down, Home and End move the saying when it scrolls; whether the
    // key was taken.
    bool scrollKey(const QKeyEvent *event);
    // How far the saying is scrolled, in pixels, and how far it can be.
    int scrolled() const;
    int scrollRange() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void fit();

    QScrollBar *m_bar;
};

} // namespace dewmoth::quote_window
