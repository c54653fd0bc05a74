// The About window: its texts, keys and link, and which system-information tool it starts.
#include "about/frm_about.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "language.h"
#include "url_catcher.h"

using dewmoth::about::frmAbout;

namespace {

// Answers the next message box that opens, recording its title, text and buttons.
struct MessageWatcher
{
    QString title, text;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::Question;
    bool seen = false;

    // Pending polls go with it: none can touch a watcher that is gone.
    QObject context;

    void arm()
    {
        QTimer::singleShot(0, &context, [this] { poll(); });
    }
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, &context, [this] { poll(); });
            return;
        }
        seen = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    }
};

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void captionAndVersion();
    void layoutAndTexts_data();
    void layoutAndTexts();
    void keysClose_data();
    void keysClose();
    void modalOverOwner();
    void linkKeepsWindowOpen();
    void launcher_data();
    void launcher();
    void enterOnSysInfoPressesIt();

private:
    void addTool(const QString &name, const QByteArray &body = {});
    QStringList started() const;
    std::unique_ptr<QTemporaryDir> m_bin;
};

void TestFrmAbout::init()
{
    m_bin = std::make_unique<QTemporaryDir>();
    qputenv("PATH", m_bin->path().toUtf8());
    qputenv("XDG_CURRENT_DESKTOP", "");
}

void TestFrmAbout::addTool(const QString &name, const QByteArray &body)
{
    QFile file(m_bin->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // PATH holds only this folder, so the script names everything by its full path.
    const QByteArray record = "#!/bin/sh\necho \"" + name.toUtf8() + " $*\" >> '" +
                              m_bin->filePath("started").toUtf8() + "'\n";
    file.write(body.isEmpty() ? record : body);
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner));
}

QStringList TestFrmAbout::started() const
{
    QFile file(m_bin->filePath("started"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void TestFrmAbout::captionAndVersion()
{
    for (int showing = 0; showing < 2; ++showing) {
        frmAbout w;
        QCOMPARE(w.findChild<QLabel *>("lblVersion")->text(), QStringLiteral("Version"));
        w.Form_Load();
        QCOMPARE(w.windowTitle(), QStringLiteral("About Dewmoth"));
        QCOMPARE(w.findChild<QLabel *>("lblVersion")->text(), QStringLiteral("Version 1.0.1"));
    }
}

void TestFrmAbout::layoutAndTexts_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : kShippedLanguages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestFrmAbout::layoutAndTexts()
{
#ifdef Q_OS_WIN
    QSKIP(
        "laid out for the Linux build's fonts; Qt's offscreen fonts on Windows measure otherwise");
#endif
    QFETCH(QString, language);
    const Language shown(language);
    QVERIFY(shown.english() == (language == "en"));
    frmAbout w;
    w.Form_Load();
    QCOMPARE(w.size(), QSize(475, 446));
    // Every caption fits its button.
    for (QPushButton *button : w.findChildren<QPushButton *>())
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
    QCOMPARE(w.findChild<QWidget *>("Image2")->geometry(), QRect(48, 8, 372, 57));
    QCOMPARE(w.findChild<QWidget *>("Image1")->geometry(), QRect(16, 88, 440, 306));
    QCOMPARE(w.findChild<QPushButton *>("cmdOK")->geometry(), QRect(363, 295, 84, 23));
    if (shown.english())
        QCOMPARE(w.findChild<QPushButton *>("cmdSysInfo")->text(),
                 QStringLiteral("&System Info..."));
    QCOMPARE(w.findChild<QLabel *>("lblDisclaimer")->text(), QStringLiteral("Dewmoth"));
    QCOMPARE(w.findChild<dewmoth::widgets::LinkLabel *>("Label4")->text().size(), 30);
    // Every text fits its box at its font, and no two texts run into each other.
    QList<QPair<QString, QRect>> texts;
    for (QLabel *label : w.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        // Labels that size themselves hold their text by construction.
        const QRect needed =
            label->wordWrap()
                ? metrics.boundingRect(QRect(0, 0, label->width(), 100000), flags, label->text())
                : label->rect();
        QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(),
                 qPrintable(label->objectName()));
        // A pixel of line spacing may touch the next line box; glyphs do not.
        texts.append({label->objectName(), needed.translated(label->pos()).adjusted(1, 1, -1, -1)});
    }
    auto *link = w.findChild<dewmoth::widgets::LinkLabel *>("Label4");
    QCOMPARE(link->size(), QFontMetrics(link->font()).size(Qt::TextSingleLine, link->text()));
    texts.append({link->objectName(), link->geometry().adjusted(1, 1, -1, -1)});
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            QVERIFY2(!texts[i].second.intersects(texts[j].second),
                     qPrintable(texts[i].first + " overlaps " + texts[j].first));
    }
}

void TestFrmAbout::keysClose_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
}

void TestFrmAbout::keysClose()
{
    QFETCH(int, key);
    QFETCH(int, result);
    frmAbout w;
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), result);
}

void TestFrmAbout::modalOverOwner()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        QVERIFY(about);
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Dewmoth"));
        checked = true;
        QTest::mouseClick(about->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    });
    frmAbout::showModal(&owner);
    QVERIFY(checked);
    QVERIFY(owner.findChildren<frmAbout *>().isEmpty()); // destroyed once closed
}

void TestFrmAbout::linkKeepsWindowOpen()
{
#ifdef Q_OS_WIN
    QSKIP("the shell opens links here (e2e_windows_app)");
#endif
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    frmAbout w;
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *link = w.findChild<dewmoth::widgets::LinkLabel *>("Label4");
    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(link->text())});
    QVERIFY(w.isVisible());
}

void TestFrmAbout::launcher_data()
{
    QTest::addColumn<QByteArray>("desktop");
    QTest::addColumn<QStringList>("tools");
    QTest::addColumn<QString>("expected"); // empty: the message

    QTest::newRow("the desktop's own tool first")
        << QByteArray("KDE") << QStringList{"kinfocenter", "hardinfo"} << "kinfocenter ";
    QTest::newRow("desktop list, with the panel to open")
        << QByteArray("ubuntu:GNOME") << QStringList{"gnome-control-center", "hardinfo"}
        << "gnome-control-center info-overview";
    QTest::newRow("desktop tool missing: general list in order")
        << QByteArray("KDE") << QStringList{"cpu-x", "hardinfo"} << "hardinfo ";
    QTest::newRow("no desktop") << QByteArray() << QStringList{"xfce4-taskmanager"}
                                << "xfce4-taskmanager ";
    QTest::newRow("nothing found") << QByteArray("KDE") << QStringList{} << QString();
    QTest::newRow("desktop tool fails to start: message, no fallback")
        << QByteArray("KDE") << QStringList{"kinfocenter!", "hardinfo"} << QString();
}

void TestFrmAbout::launcher()
{
#ifdef Q_OS_WIN
    QSKIP("the desktops' tools; Windows' own is checked by e2e_windows_app");
#endif
    QFETCH(QByteArray, desktop);
    QFETCH(QStringList, tools);
    QFETCH(QString, expected);
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    for (QString tool : tools) {
        if (tool.endsWith('!')) // present, but its interpreter is not
            addTool(tool.chopped(1), "#!/nonexistent/interpreter\n");
        else
            addTool(tool);
    }
    frmAbout w;
    w.Form_Load();
    w.show();
    MessageWatcher watcher;
    watcher.arm();
    QTest::mouseClick(w.findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
    if (expected.isEmpty()) {
        QVERIFY(watcher.seen);
        QCOMPARE(watcher.title, QStringLiteral("Dewmoth"));
        QCOMPARE(watcher.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(watcher.icon, QMessageBox::NoIcon);
        QCOMPARE(watcher.buttons, 1);
        QTest::qWait(200);
        QCOMPARE(started(), QStringList{});
    } else {
        QTRY_COMPARE(started(), QStringList{expected});
        QVERIFY(!watcher.seen);
    }
    QVERIFY(w.isVisible());
}

void TestFrmAbout::enterOnSysInfoPressesIt()
{
    frmAbout w;
    w.Form_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *sysInfo = w.findChild<QPushButton *>("cmdSysInfo");
    sysInfo->setFocus();
    MessageWatcher watcher;
    watcher.arm();
    QTest::keyClick(sysInfo, Qt::Key_Return);
    QVERIFY(watcher.seen);
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frm_about.moc"
