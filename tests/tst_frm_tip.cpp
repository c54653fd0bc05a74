// The quote window as a user meets it: start-up, sayings, keys, the remembered size, the
// layout at other sizes, the link and the start-up box.
#include "core/path_text.h"
#include "quote_window/frm_tip.h"
#include "quote_window/saying_label.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "language.h"
#include "url_catcher.h"

#include <cstdio>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using dewmoth::core::Reason;
using dewmoth::quote_window::frmTip;
using dewmoth::quote_window::SayingLabel;
using dewmoth::shell::StartupState;
using dewmoth::widgets::LinkLabel;

namespace {

const QString kApplication = QStringLiteral("dewmoth-test");

} // namespace

class TestFrmTip : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void designControls_data();
    void designControls();
    void tabOrderAndKeys();
    void missingFileMessage();
    void unreadableFileSaysWhy_data();
    void unreadableFileSaysWhy();
    void showsAndPicksSayings();
    void emptyFileSaysSo();
    void backNextAndCopy();
    void picturesForTheScale();
    void everyPositionReachable();
    void outOfRangePickKeepsText();
    void longSayingsShowWhole();
    void storesSizeAtEveryClose_data();
    void storesSizeAtEveryClose();
    void restoresStoredSize_data();
    void restoresStoredSize();
    void closedBeforeShownStoresNothing();
    void unusableSettingsStore_data();
    void unusableSettingsStore();
    void layoutFollowsResize();
    void paintsTilesAndPanel_data();
    void paintsTilesAndPanel();
    void startupBoxFollowsDisk();
    void linkOpensLabelText();
    void sayingReachesAccessibility();

private:
    frmTip::Environment environment(const QByteArray *quotes = nullptr);
    std::unique_ptr<QSettings> store() const;
    QString m_picked;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_config;
};

frmTip::Environment TestFrmTip::environment(const QByteArray *quotes)
{
    if (quotes) {
        QFile file(m_dir->filePath("TIPOFDAY.TXT"));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the quote file");
        file.write(*quotes);
    }
    frmTip::Environment env;
    env.programFolder = QFile::encodeName(m_dir->path()).toStdString();
    env.settingsApplication = kApplication;
    env.startupTest = [] { return StartupState{}; };
    env.setStartup = [](bool on) { return StartupState{on, {}}; };
    return env;
}

std::unique_ptr<QSettings> TestFrmTip::store() const
{
#ifdef Q_OS_WIN
    // The registry of this test's own Wine prefix.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Dewmoth"), kApplication);
#else
    return std::make_unique<QSettings>(m_config->filePath("Dewmoth/" + kApplication + ".ini"),
                                       QSettings::IniFormat);
#endif
}

void TestFrmTip::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    store()->clear();
}

void TestFrmTip::cleanup()
{
    m_dir.reset();
    m_config.reset();
}

void TestFrmTip::designControls_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : kShippedLanguages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestFrmTip::designControls()
{
#ifdef Q_OS_WIN
    QSKIP(
        "laid out for the Linux build's fonts; Qt's offscreen fonts on Windows measure otherwise");
#endif
    QFETCH(QString, language);
    const Language shown(language);
    QVERIFY(shown.english() == (language == "en"));
    frmTip w(environment());
    QCOMPARE(w.windowTitle(), QStringLiteral("Dewmoth"));
    QCOMPARE(w.size(), QSize(453, 338));
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));

    struct Expected
    {
        const char *name;
        QRect geometry;
        const char *text;
    };
    const Expected controls[] = {
        {"cmdOK", {352, 8, 81, 25}, "&OK"},
        {"cmdNextTip", {352, 40, 81, 25}, "&Next Tip"},
        {"cmdFont", {352, 72, 81, 25}, "&About"},
        {"chkLoadTipsAtStartup", {8, 308, 13, 17}, "&Show Tips at Startup"},
        {"Picture1", {8, 8, 329, 221}, nullptr},
        {"lblDescription",
         {8, 240, 385, 33},
         "Interested in learning more about Orlan Vesty?  Do you want to see the complete "
         "collection of his readings?  Please visit us at:"},
        {"lblTipText", {18, 50, 249, 125}, ""},
        {"Label1", {42, 14, 249, 17}, "Did you know..."},
        {"Image1", {10, 10, 23, 30}, nullptr},
    };
    for (const Expected &c : controls) {
        auto *widget = w.findChild<QWidget *>(QLatin1String(c.name));
        QVERIFY2(widget, c.name);
        QCOMPARE(widget->geometry(), c.geometry);
        // In every language the texts fit their boxes at the design size.
        if (auto *button = qobject_cast<QPushButton *>(widget))
            QVERIFY2(button->sizeHint().width() <= button->width(), c.name);
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), c.name);
        if (!c.text || !shown.english())
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), QString::fromUtf8(c.text));
        else
            QCOMPARE(qobject_cast<QLabel *>(widget)->text(), QString::fromUtf8(c.text));
    }
    auto *link = w.findChild<LinkLabel *>("lblLink");
    QCOMPARE(link->text().size(), 30);
    QCOMPARE(link->pos(), QPoint(8, 272));
    // Sized to its text in its own face, which it gets after it is built.
    QCOMPARE(link->size(), QFontMetrics(link->font()).size(Qt::TextSingleLine, link->text()));
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(link->font().underline());
    QCOMPARE(link->font().pointSizeF(), 9.75);
    QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
    auto *startup = w.findChild<QLabel *>("lblStartup");
    QCOMPARE(startup->pos(), QPoint(24, 312));
    QVERIFY(startup->geometry().right() < w.width());
    if (shown.english())
        QCOMPARE(startup->text(), QStringLiteral("&Show at Startup"));
    QCOMPARE(startup->buddy(), w.findChild<QWidget *>("chkLoadTipsAtStartup"));
    QCOMPARE(w.font().pointSizeF(), 8.25);
    // The stand-in face the build installs, not whatever the matcher falls back to.
    QCOMPARE(QFontInfo(w.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(link->font()).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(!w.findChild<QCheckBox *>("chkLoadTipsAtStartup")->isChecked());
}

void TestFrmTip::tabOrderAndKeys()
{
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList order;
    QWidget *current = w.focusWidget();
    for (int i = 0; i < 6; ++i) {
        order << current->objectName();
        current = current->nextInFocusChain();
        while (!(current->focusPolicy() & Qt::TabFocus) || !current->isVisibleTo(&w))
            current = current->nextInFocusChain();
    }
    QCOMPARE(order, (QStringList{"cmdOK", "cmdNextTip", "cmdFont", "Picture1",
                                 "chkLoadTipsAtStartup", "lblLink"}));
    QVERIFY(w.findChild<QPushButton *>("cmdOK")->isDefault());
}

void TestFrmTip::missingFileMessage()
{
    frmTip w(environment());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no quote file at .*TIPOFDAY.TXT"));
    w.Form_Load();
    auto *label = w.findChild<QLabel *>("lblTipText");
    const QString expected = QString::fromLatin1(
        "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named "
        "TIPOFDAY.TXT using NotePad with 1 tip per line. Then place it in the same directory "
        "as the application. ");
    QCOMPARE(label->text(), expected);
    QTest::mouseClick(w.findChild<QPushButton *>("cmdNextTip"), Qt::LeftButton);
    QCOMPARE(label->text(), expected);
    QCOMPARE(w.tips().count(), 0);

    auto named = environment();
    const QString gone = m_dir->filePath("gone");
    named.files = {dewmoth::core::textPath(gone)};
    frmTip n(named);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no quote file at .*gone"));
    n.Form_Load();
    QCOMPARE(n.findChild<QLabel *>("lblTipText")->text(),
             "There is no quote file at " + QDir::toNativeSeparators(gone) + ".");
}

void TestFrmTip::unreadableFileSaysWhy_data()
{
    // What lies beside the program and in the user's own data folder: "-" nothing, "unreadable"
    // a file that is found and opens but whose every read fails, else the file's bytes.
    QTest::addColumn<QByteArray>("beside");
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<QString>("shown");     // "unreadable": the label says why
    QTest::addColumn<QByteArray>("folder"); // a collection in the sayings folder, "-" none
#ifndef Q_OS_WIN                            // a file whose every read fails: /proc/self/mem
    QTest::newRow("unreadable beside the program")
        << QByteArray("unreadable") << QByteArray("-") << "unreadable" << QByteArray("-");
#endif
    QTest::newRow("the user's own file first")
        << QByteArray("Beside\r\n") << QByteArray("Mine\r\n") << "Mine" << QByteArray("-");
    QTest::newRow("without one, the file beside the program")
        << QByteArray("Beside\r\n") << QByteArray("-") << "Beside" << QByteArray("-");
#ifndef Q_OS_WIN
    QTest::newRow("an unreadable own file is said, not passed over")
        << QByteArray("Beside\r\n") << QByteArray("unreadable") << "unreadable" << QByteArray("-");
    QTest::newRow("an unreadable own file beside a collection: the collection serves")
        << QByteArray("Beside\r\n") << QByteArray("unreadable") << "Only"
        << QByteArray("Only\n%\n");
#endif
    QTest::newRow("a collection in the sayings folder")
        << QByteArray("Beside\r\n") << QByteArray("-") << "Two\nlines"
        << QByteArray("Two\nlines\n%");
    QTest::newRow("an empty own file: the file beside the program")
        << QByteArray("Beside\r\n") << QByteArray("\r\n") << "Beside" << QByteArray("-");
    QTest::newRow("an empty collection: the file beside the program")
        << QByteArray("Beside\r\n") << QByteArray("-") << "Beside" << QByteArray("%\n%%\n%\n");
}

void TestFrmTip::unreadableFileSaysWhy()
{
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, own);
    QFETCH(QString, shown);
    QFETCH(QByteArray, folder);
    QTemporaryDir data;
    const auto place = [](const QString &path, const QByteArray &content) {
        if (content == "unreadable") {
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
        } else if (content != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
    };
    place(m_dir->filePath("TIPOFDAY.TXT"), beside);
    place(data.filePath("TIPOFDAY.TXT"), own);
    QVERIFY(QDir(data.path()).mkpath("sayings"));
    place(data.filePath("sayings/collection"), folder);
    auto env = environment();
    env.userQuoteFile = QFile::encodeName(data.filePath("TIPOFDAY.TXT")).toStdString();
    env.sayingsFolder = QFile::encodeName(data.filePath("sayings")).toStdString();
    frmTip w(env);
    if (shown == "unreadable")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read quote file"));
    w.Form_Load();
    const QString text = w.findChild<QLabel *>("lblTipText")->text();
    if (shown == "unreadable") {
        QVERIFY2(text.startsWith("The quote file ") && text.contains("could not be read: "),
                 qPrintable(text));
        QCOMPARE(w.tips().count(), 0);
    } else {
        QCOMPARE(text, shown);
    }
}

void TestFrmTip::showsAndPicksSayings()
{
    const QByteArray quotes("First\r\nSecond\r\nThird\r\n");
    auto env = environment(&quotes);
    QList<qint32> picks{2, 3, 3, 1};
    QList<qint32> asked;
    env.pick = [&](qint32 n) {
        asked << n;
        return picks.takeFirst();
    };
    frmTip w(env);
    w.Form_Load();
    auto *label = w.findChild<QLabel *>("lblTipText");
    QCOMPARE(label->text(), QStringLiteral("Second"));
    QCOMPARE(w.CurrentTipIndex(), 2);
    auto *next = w.findChild<QPushButton *>("cmdNextTip");
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral("Third"));
    QTest::mouseClick(next, Qt::LeftButton); // the same saying twice in a row is allowed
    QCOMPARE(label->text(), QStringLiteral("Third"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral("First"));
    QCOMPARE(asked, (QList<qint32>{3, 3, 3, 3}));
}

void TestFrmTip::emptyFileSaysSo()
{
    const QByteArray quotes("\r\n\r\n");
    frmTip w(environment(&quotes));
    w.Form_Load();
    auto *label = w.findChild<QLabel *>("lblTipText");
    const QString told =
        QStringLiteral("The quote file %1 holds no sayings. Write one saying on each line of it.")
            .arg(QDir::toNativeSeparators(m_dir->filePath("TIPOFDAY.TXT")));
    QCOMPARE(label->text(), told);
    QCOMPARE(w.CurrentTipIndex(), 1);
    QTest::mouseClick(w.findChild<QPushButton *>("cmdNextTip"), Qt::LeftButton);
    QCOMPARE(label->text(), told);
}

// Back goes through the sayings shown, Next after Back forward through the same ones before it
// draws new ones; the keys and the panel's menu do it, and Ctrl+C copies the saying whole.
// Run at scale 1 and again with QT_SCALE_FACTOR=2 (tst_frm_tip_scaled): at 2 the bulb, the
// tiles and the hand are drawings made for that scale, of the same logical size, and what the
// screen shows of the bulb is not the small bulb's pixels doubled.
void TestFrmTip::picturesForTheScale()
{
    const QByteArray quotes("A saying\r\n");
    frmTip w(environment(&quotes));
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const qreal scale = w.devicePixelRatio();
    const qreal drawn = scale > 1 ? 2 : 1;
    auto *bulb = w.findChild<QLabel *>("Image1");
    QCOMPARE(bulb->pixmap().devicePixelRatio(), drawn);
    QCOMPARE(bulb->pixmap().deviceIndependentSize(), QSizeF(23, 30));
    QCOMPARE(bulb->size(), QSize(23, 30));
    // In twips: the layout does not change.
    QCOMPARE(QSizeF(w.tiles().tileWidth, w.tiles().tileHeight), QSizeF(440, 306) * 15);
    const QCursor hand = w.findChild<LinkLabel *>()->cursor();
    QCOMPARE(hand.pixmap().devicePixelRatio(), drawn);
    QCOMPARE(hand.hotSpot(), QPoint(9, 1));
    if (scale == 1)
        return;
    const QImage shown = bulb->grab().toImage();
    const QImage doubled = QPixmap(":/dewmoth/bulb.gif")
                               .toImage()
                               .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               .convertToFormat(shown.format());
    QVERIFY2(shown != doubled, "the bulb is the small one enlarged");
}

void TestFrmTip::backNextAndCopy()
{
    QByteArray quotes;
    for (int i = 1; i <= 9; ++i)
        quotes += "Saying " + QByteArray::number(i) + "\r\n";
    quotes += "Long " + QByteArray("x").repeated(300000) + "\r\n";
    auto env = environment(&quotes);
    int drawn = 0;
    env.pick = [&drawn](qint32) { return 1 + drawn++ % 10; };
    frmTip w(env);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *label = w.findChild<QLabel *>("lblTipText");
    const auto press = [&w](QKeyCombination keys) {
        QTest::keyClick(&w, keys.key(), keys.keyboardModifiers());
    };
    for (int i = 0; i < 3; ++i)
        press(Qt::ALT | Qt::Key_Right);
    QCOMPARE(label->text(), QStringLiteral("Saying 4"));
    press(Qt::ALT | Qt::Key_Left);
    press(Qt::ALT | Qt::Key_Left);
    QCOMPARE(label->text(), QStringLiteral("Saying 2"));
    QTest::mouseClick(w.findChild<QPushButton *>("cmdNextTip"), Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral("Saying 3")); // forward again, nothing drawn
    QCOMPARE(drawn, 4);
    press(Qt::CTRL | Qt::Key_C);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Saying 3"));

    auto *panel = w.findChild<QWidget *>("Picture1");
    QCOMPARE(panel->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList menu;
    for (const QAction *action : panel->actions())
        menu << action->text();
    QCOMPARE(menu, QStringList({"&Previous Tip", "&Next Tip", "&Copy"}));
    for (int i = 0; i < 7; ++i)
        panel->actions().at(1)->trigger();
    QVERIFY(label->text().size() < 300000); // the panel shows what fits the screen...
    panel->actions().at(2)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text().size(), 300005); // ...Copy the whole saying
    QCOMPARE(panel->accessibleDescription(), label->text());
}

void TestFrmTip::everyPositionReachable()
{
    const QByteArray quotes("1\r\n2\r\n3\r\n4\r\n5");
    frmTip w(environment(&quotes));
    w.Form_Load();
    QSet<qint32> seen;
    for (int i = 0; i < 400; ++i) {
        const qint32 before = w.CurrentTipIndex();
        QTest::mouseClick(w.findChild<QPushButton *>("cmdNextTip"), Qt::LeftButton);
        QVERIFY(w.CurrentTipIndex() >= 1 && w.CurrentTipIndex() <= 5);
        QVERIFY(w.CurrentTipIndex() != before); // "Next Tip" always shows another saying
        seen << w.CurrentTipIndex();
    }
    QCOMPARE(seen.size(), 5);

    const QByteArray one("only one\r\n");
    frmTip single(environment(&one));
    single.Form_Load();
    for (int i = 0; i < 20; ++i) {
        single.ShowRandomTip();
        QCOMPARE(single.CurrentTipIndex(), 1);
    }
}

void TestFrmTip::outOfRangePickKeepsText()
{
    const QByteArray quotes("A\r\nB");
    auto env = environment(&quotes);
    qint32 next = 1;
    env.pick = [&](qint32) { return next; };
    frmTip w(env);
    w.Form_Load();
    next = 7;
    w.ShowRandomTip();
    QCOMPARE(w.findChild<QLabel *>("lblTipText")->text(), QStringLiteral("A"));
}

void TestFrmTip::longSayingsShowWhole()
{
    const QByteArray quotes = QByteArray("word ").repeated(2 << 20) + "\r\nshort";
    auto env = environment(&quotes);
    env.pick = [](qint32) { return 1; };
    frmTip w(env);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Larger than is indexed at once: shown as soon as the worker has found where it ends.
    QTRY_VERIFY(w.findChild<QLabel *>("lblTipText")->text().startsWith("word word"));
    const QString shown = w.findChild<QLabel *>("lblTipText")->text();
    QVERIFY2(shown.size() < 200000, qPrintable(QString::number(shown.size())));
    QVERIFY(shown.endsWith(u'\u2026')); // cut, and said to be

    // A poem of twelve lines and its attribution, from a fortune file: its lines kept, the
    // attribution to the right, the panel scrolled with the keyboard; then a one-line saying,
    // plain as the design shows it.
    QByteArray poem;
    for (int i = 1; i <= 12; ++i)
        poem += "Line " + QByteArray::number(i) + " of <the> poem & more\n";
    poem += "\t\t-- <Poet>\n%\nOne line.\n";
    QFile file(m_dir->filePath("poems"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(poem) == poem.size());
    file.close();
    auto poems = environment();
    poems.files = {dewmoth::core::textPath(file.fileName())};
    qint32 pick = 1;
    poems.pick = [&pick](qint32) { return pick; };
    frmTip p(poems);
    p.Form_Load();
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    auto *label = dynamic_cast<SayingLabel *>(p.findChild<QLabel *>("lblTipText"));
    QVERIFY(label);
    QCOMPARE(label->textFormat(), Qt::RichText);
    QVERIFY(label->text().startsWith(
        "<div style=\"white-space:pre-wrap\">Line 1 of &lt;the&gt; poem &amp; more\nLine 2"));
    QVERIFY(label->text().endsWith("<div align=\"right\" style=\"white-space:pre-wrap\">-- "
                                   "&lt;Poet&gt;</div>"));
    QVERIFY(label->accessibleName().startsWith("Line 1 of <the> poem & more\nLine 2"));
    QVERIFY(label->scrollRange() > 0);
    auto *panel = p.findChild<QWidget *>("Picture1");
    panel->setFocus();
    QTest::keyClick(panel, Qt::Key_End);
    QCOMPARE(label->scrolled(), label->scrollRange());
    QTest::keyClick(panel, Qt::Key_Home);
    QCOMPARE(label->scrolled(), 0);
    QTest::keyClick(panel, Qt::Key_Down);
    QVERIFY(label->scrolled() > 0);
    p.resize(1000, 900); // room for the whole poem: no bar
    QTRY_COMPARE(label->scrollRange(), 0);
    p.resize(453, 338);
    QTRY_VERIFY(label->scrollRange() > 0);
    pick = 2;
    p.ShowRandomTip();
    QCOMPARE(label->text(), QStringLiteral("One line."));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->scrollRange(), 0);
    QCOMPARE(label->contentsMargins(), QMargins());
}

void TestFrmTip::storesSizeAtEveryClose_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "ok";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("close button") << "close";
}

void TestFrmTip::storesSizeAtEveryClose()
{
    QFETCH(QString, how);
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(500, 400);
    const QMargins frame = w.windowHandle()->frameMargins();
    const QSize outer(500 + frame.left() + frame.right(), 400 + frame.top() + frame.bottom());
    QTRY_COMPARE(w.windowHandle()->frameGeometry().size(), outer);
    if (how == "ok")
        QTest::mouseClick(w.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(&w, Qt::Key_Escape);
    else if (how == "enter")
        QTest::keyClick(w.findChild<QWidget *>("chkLoadTipsAtStartup"), Qt::Key_Return);
    else
        w.windowHandle()->close();
    QTRY_VERIFY(!w.isVisible());
    const auto settings = store();
    QCOMPARE(settings->value("size/Width").toString(), QString::number(outer.width() * 15));
    QCOMPARE(settings->value("size/Height").toString(), QString::number(outer.height() * 15));
}

void TestFrmTip::restoresStoredSize_data()
{
    QTest::addColumn<QVariant>("width");
    QTest::addColumn<QVariant>("height");
    QTest::addColumn<QSize>("outer"); // -1: the design client size plus the frame
    QTest::newRow("both") << QVariant("8115") << QVariant("6000") << QSize(541, 400);
    QTest::newRow("width only") << QVariant("8115") << QVariant() << QSize(541, -1);
    QTest::newRow("garbage falls back") << QVariant("abc") << QVariant("-5") << QSize(-1, -1);
    QTest::newRow("larger than the screen")
        << QVariant("9999999") << QVariant("6000") << QSize(800, 400);
    // The smallest client that shows the whole OK button is 101 x 33, inside a 2-pixel frame.
    QTest::newRow("1 twip: never shown") << QVariant("1") << QVariant("1") << QSize(-1, -1);
    QTest::newRow("sliver") << QVariant("7") << QVariant("6000") << QSize(-1, 400);
    QTest::newRow("OK button just whole") << QVariant("1575") << QVariant("555") << QSize(105, 37);
    QTest::newRow("OK button cut off inside the frame")
        << QVariant("1560") << QVariant("540") << QSize(-1, -1);
}

void TestFrmTip::restoresStoredSize()
{
    QFETCH(QVariant, width);
    QFETCH(QVariant, height);
    QFETCH(QSize, outer);
    {
        const auto settings = store();
        if (width.isValid())
            settings->setValue("size/Width", width);
        if (height.isValid())
            settings->setValue("size/Height", height);
    }
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QMargins frame = w.windowHandle()->frameMargins();
    if (outer.width() < 0)
        outer.setWidth(453 + frame.left() + frame.right());
    if (outer.height() < 0)
        outer.setHeight(338 + frame.top() + frame.bottom());
    QTRY_COMPARE(w.windowHandle()->frameGeometry().size(), outer);
    QCOMPARE(w.minimumSize(), QSize(0, 0)); // the user may still make it as small as they like
    w.close();
    // What was restored is stored again unchanged: no creep from one run to the next.
    const auto settings = store();
    QCOMPARE(settings->value("size/Width").toString(), QString::number(outer.width() * 15));
    QCOMPARE(settings->value("size/Height").toString(), QString::number(outer.height() * 15));
}

void TestFrmTip::closedBeforeShownStoresNothing()
{
    frmTip w(environment());
    w.Form_Load();
    w.close();
    QVERIFY(!store()->contains("size/Width"));
}

void TestFrmTip::unusableSettingsStore_data()
{
    QTest::addColumn<QString>("kind"); // what stands where the store's file goes
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("a folder in its place") << "folder";
    QTest::newRow("a FIFO in its place: no hang") << "fifo";
}

void TestFrmTip::unusableSettingsStore()
{
    QFETCH(QString, kind);
#ifdef Q_OS_WIN
    QSKIP("the registry holds the size here; nothing can stand in its place");
#endif
    const QString path = store()->fileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "fifo") {
#ifndef Q_OS_WIN
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x00\xff[size\nWidth=\x01\x02\n=\n[[[\n", 19));
    }
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(453, 338));
    if (kind != "garbage")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot store window size"));
    w.close();
    QCOMPARE(QFileInfo(path).isDir(), kind == "folder");
    QCOMPARE(QFileInfo(path).isFile(), kind == "garbage");
}

void TestFrmTip::layoutFollowsResize()
{
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.tiles().count(), 4); // 2 x 2 at the design size
    QCOMPARE(w.findChild<QLabel *>("lblStartup")->y(), 308);

    auto *ok = w.findChild<QWidget *>("cmdOK");
    auto *panel = w.findChild<QWidget *>("Picture1");
    auto *tip = w.findChild<QWidget *>("lblTipText");
    auto *check = w.findChild<QWidget *>("chkLoadTipsAtStartup");
    w.resize(453 + 200, 338 + 40);
    QTRY_COMPARE(ok->geometry(), QRect(552, 8, 81, 25));
    QCOMPARE(panel->size(), QSize(529, 261));
    QCOMPARE(tip->size(), QSize(449, 165));
    QCOMPARE(check->pos(), QPoint(8, 348));
    QCOMPARE(w.tiles().count(), 2 * 2);

    w.resize(1600, 1200);
    QTRY_COMPARE(w.tiles().count(), 4 * 4);

    // Far smaller than the panel: the panel keeps its size, the buttons move out of view.
    w.resize(40, 30);
    QTRY_COMPARE(ok->x(), 40 - 101);
    QCOMPARE(panel->size(), QSize(1600 - 124, 1200 - 117));
    QCOMPARE(w.tiles().count(), 1);

    w.resize(453, 338);
    QTRY_COMPARE(ok->geometry(), QRect(352, 8, 81, 25));
    QCOMPARE(panel->geometry(), QRect(8, 8, 329, 221));
    QCOMPARE(tip->size(), QSize(249, 125));
    QCOMPARE(w.layoutDistances().PanelWidthSlack, 1860);
    QCOMPARE(w.layoutDistances().TipTextWidthSlack, 1140);
}

void TestFrmTip::paintsTilesAndPanel_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design") << QSize(453, 338);
    QTest::newRow("large") << QSize(1600, 1200);
    QTest::newRow("below the slacks") << QSize(200, 150);
}

// Every pixel the controls leave free shows the background's tile pattern, and the panel shows
// its face and its sunken edge, whatever bands and strips they are painted in.
void TestFrmTip::paintsTilesAndPanel()
{
    QFETCH(QSize, size);
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(size);
    QTRY_COMPARE(w.size(), size);
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage tile = QImage(":/dewmoth/background.jpg").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), size);

    QRegion controls;
    for (QWidget *child : w.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        controls += child->geometry();
    int tilePixels = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = y % 3; x < shot.width(); x += 3) {
            if (controls.contains(QPoint(x, y)))
                continue;
            ++tilePixels;
            if (shot.pixel(x, y) != tile.pixel(x % tile.width(), y % tile.height()))
                QFAIL(qPrintable(QStringLiteral("tile pixel at %1, %2").arg(x).arg(y)));
        }
    }
    QVERIFY(tilePixels > 0);

    auto *panel = w.findChild<QWidget *>("Picture1");
    const QRect outer = panel->geometry();
    QRegion face = QRegion(outer.adjusted(2, 2, -2, -2)) & shot.rect();
    for (QWidget *child : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        face -= child->geometry().translated(outer.topLeft());
    for (const QRect &r : face) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left() + y % 3; x <= r.right(); x += 3) {
                if (shot.pixel(x, y) != qRgb(192, 192, 192))
                    QFAIL(qPrintable(QStringLiteral("panel face at %1, %2").arg(x).arg(y)));
            }
        }
    }
    const int midX = outer.left() + qMin(outer.width(), size.width() - outer.left()) / 2;
    const int midY = outer.top() + qMin(outer.height(), size.height() - outer.top()) / 2;
    QCOMPARE(shot.pixel(midX, outer.top()), qRgb(128, 128, 128));
    QCOMPARE(shot.pixel(midX, outer.top() + 1), qRgb(0, 0, 0));
    QCOMPARE(shot.pixel(outer.left(), midY), qRgb(128, 128, 128));
    QCOMPARE(shot.pixel(outer.left() + 1, midY), qRgb(0, 0, 0));
    if (shot.rect().contains(outer.bottomRight())) {
        QCOMPARE(shot.pixel(midX, outer.bottom()), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(midX, outer.bottom() - 1), qRgb(223, 223, 223));
        QCOMPARE(shot.pixel(outer.right(), midY), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(outer.right() - 1, midY), qRgb(223, 223, 223));
    }
}

void TestFrmTip::startupBoxFollowsDisk()
{
    bool onDisk = true;
    int startupTests = 0;
    QList<bool> requests;
    auto env = environment();
    env.startupTest = [&] {
        ++startupTests;
        return StartupState{onDisk, {}};
    };
    env.setStartup = [&](bool on) {
        requests << on;
        // every change is refused
        return StartupState{onDisk, {Reason::NoSpace, "No space left on device"}};
    };
    frmTip w(env);
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *box = w.findChild<QCheckBox *>("chkLoadTipsAtStartup");
    QVERIFY(box->isChecked());
    // The start-up test renews the entry itself; the box's handler does not run at start.
    QCOMPARE(startupTests, 1);
    QVERIFY(requests.isEmpty());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be switched off"));
    box->click();
    QCOMPARE(requests, QList<bool>{false});
    QVERIFY(box->isChecked()); // back to what is really on disk
    QMessageBox *told = nullptr;
    QTRY_VERIFY((told = w.findChild<QMessageBox *>()) && told->isVisible());
    QCOMPARE(told->windowTitle(), QStringLiteral("Dewmoth"));
    QCOMPARE(told->text(),
             QStringLiteral("Dewmoth could not be kept from starting at logon: the disk is full."));
    told->accept();

    // A start-up test that could not renew the entry says so once the window is up.
    env.startupTest = [] { return StartupState{true, {Reason::NoAccess, "Permission denied"}}; };
    env.setStartup = [&](bool on) { return StartupState{onDisk = on, {}}; };
    frmTip second(env);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be renewed"));
    second.Form_Load();
    QVERIFY(!second.findChild<QMessageBox *>());
    second.show();
    QTRY_VERIFY((told = second.findChild<QMessageBox *>()) && told->isVisible());
    QCOMPARE(told->text(),
             QStringLiteral("Dewmoth could not be set to start at logon: permission denied."));
    told->accept();
    auto *box2 = second.findChild<QCheckBox *>("chkLoadTipsAtStartup");
    box2->click();
    QVERIFY(!box2->isChecked());
    QVERIFY(!onDisk);
}

void TestFrmTip::linkOpensLabelText()
{
#ifdef Q_OS_WIN
    QSKIP("the shell opens links here (e2e_windows_app)");
#endif
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    frmTip w(environment());
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *link = w.findChild<LinkLabel *>("lblLink");
    link->setText("https://www.orlanvesty.example/other");
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::keyClick(link, Qt::Key_Space);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls.size(), 3);
    QCOMPARE(catcher.urls.first(), QUrl("https://www.orlanvesty.example/other"));

    // With nothing that opens web addresses, the user hears of it.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("did not open"));
    QTest::keyClick(link, Qt::Key_Return);
    qputenv("PATH", path);
    QMessageBox *told = nullptr;
    QTRY_VERIFY((told = w.findChild<QMessageBox *>()) && told->isVisible());
    QCOMPARE(told->text(), QStringLiteral("https://www.orlanvesty.example/other could not be "
                                          "opened: nothing on this computer opens web addresses."));
}

void TestFrmTip::sayingReachesAccessibility()
{
#ifdef Q_OS_WIN
    QSKIP("checked through AT-SPI on Linux");
#endif
    const QByteArray quotes("Clouds pass. Let them.\r\n");
    frmTip w(environment(&quotes));
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto name = [&](const char *object) {
        QAccessibleInterface *iface =
            QAccessible::queryAccessibleInterface(w.findChild<QWidget *>(object));
        return iface ? iface->text(QAccessible::Name) : QString();
    };
    QCOMPARE(name("lblTipText"), QStringLiteral("Clouds pass. Let them."));
    QCOMPARE(name("cmdNextTip"), QStringLiteral("Next Tip"));
    QCOMPARE(name("chkLoadTipsAtStartup"), QStringLiteral("Show Tips at Startup"));
    QCOMPARE(name("lblLink"), QStringLiteral("https://www.orlanvesty.example"));
    QAccessibleInterface *link =
        QAccessible::queryAccessibleInterface(w.findChild<QWidget *>("lblLink"));
    QCOMPARE(link->role(), QAccessible::Link);
    // A screen reader presses the link as a user clicks it: the address is opened.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    QAccessibleActionInterface *actions = link->actionInterface();
    QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl("https://www.orlanvesty.example")});
}

QTEST_MAIN(TestFrmTip)
#include "tst_frm_tip.moc"
