#include "quote_window/frm_tip.h"

#include "core/failure_text.h"
#include "core/path_text.h"
#include "core/program_info.h"
#include "core/settings_store.h"
#include "quote_window/quote_panel.h"
#include "quote_window/quote_window_log.h"
#include "quote_window/saying_label.h"
#include "quote_window/size_keeper.h"
#include "quotes/quote_source.h"
#include "shell/document_launcher.h"
#include "shell/startup_switch.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"
#include "widgets/user_message.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace dewmoth::quote_window {

using widgets::dialogFont;
using widgets::linkFont;
using widgets::LinkLabel;
using widgets::paintFocusFrame;
using widgets::programIcon;
using widgets::tellUser;
using widgets::toPixels;
using widgets::twipsRect;

namespace {

const QString kQuoteFileName = QString::fromLatin1(core::kQuoteFileName);

QString startupFailureText(bool wanted, core::Reason reason)
{
    const QString why =
        core::reasonText(reason == core::Reason::None ? core::Reason::NotTaken : reason);
    return wanted ? frmTip::tr("%1 could not be set to start at logon: %2.")
                        .arg(core::productName(), why)
                  : frmTip::tr("%1 could not be kept from starting at logon: %2.")
                        .arg(core::productName(), why);
}

} // namespace

frmTip::frmTip(Environment environment, QWidget *parent)
    : QDialog(parent), m_env(std::move(environment)), m_choice(m_env.pick)
{
    m_choice.setOrder(m_env.order);
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(core::productName());
    // A large file is indexed on a worker; its index is taken here, on the window's thread.
    m_choice.setOnIndexed([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_choice.adopt())
                    DisplayCurrentTip();
            },
            Qt::QueuedConnection);
    });
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setSizeGripEnabled(false);
    // The tiles cover every pixel; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    resize(designClientSize());
    m_size = new SizeKeeper(
        this, m_env.settingsApplication, [this] { return smallestShownClient(); },
        designClientSize());

    // Pictures and controls before the first font: they need none, and are built while the
    // fonts may still be loading. Only measuring text waits for them.
    setWindowIcon(programIcon());
    m_background = widgets::picture(QStringLiteral("background.jpg"));
    buildControls();
    // A font asked for before the wait would load the font configuration a second time, beside
    // the worker that is loading it. Every control, also those inside the panel.
    Q_ASSERT_X(
        std::ranges::none_of(findChildren<QWidget *>(),
                             [](const QWidget *w) { return w->testAttribute(Qt::WA_SetFont); }),
        "frmTip", "a control was given a font before the fonts were loaded");
    if (m_env.awaitFonts)
        m_env.awaitFonts();
    lblLink->setFont(linkFont());
    setFont(dialogFont(8.25));
    lblStartup->adjustSize();
}

frmTip::~frmTip() = default;

QString frmTip::missingFileMessage()
{
    // Two paragraphs; the blanks that end the pieces belong to the text.
    return tr("That the %1 file was not found? ").arg(kQuoteFileName) + QStringLiteral("\r\n\r\n") +
           tr("Create a text file named %1 using NotePad with 1 tip per line. ")
               .arg(kQuoteFileName) +
           tr("Then place it in the same directory as the application. ");
}

void frmTip::Form_Load()
{
    captureLayout();
    m_size->restore();
    runStartupTest();
    if (!LoadTips(quotes::runSources(m_env.programFolder, m_env.userQuoteFile, m_env.sayingsFolder,
                                     m_env.files))) {
        const QString shown = QDir::toNativeSeparators(core::pathText(m_choice.failedPath()));
        const core::Failure &failure = m_choice.loadFailure();
        if (!failure.failed())
            qCWarning(lcQuoteWindow) << "no quote file at" << shown;
        // A file named with --file is not the one the missing-file message tells how to make.
        const QString missing =
            m_env.files.empty()
                ? missingFileMessage()
                : QCoreApplication::translate("dewmoth", "There is no quote file at %1.")
                      .arg(shown);
        lblTipText->showSaying(!failure.failed()
                                   ? missing
                                   : tr("The quote file %1 could not be read: %2.")
                                         .arg(shown, core::reasonText(failure.reason)));
    }
}

QString frmTip::emptyFileMessage() const
{
    return tr("The quote file %1 holds no sayings. Write one saying on each line of it.")
        .arg(QDir::toNativeSeparators(core::pathText(m_choice.tips().path())));
}

bool frmTip::LoadTips(const std::filesystem::path &sFile)
{
    return LoadTips(quotes::singleFile(sFile));
}

bool frmTip::LoadTips(const quotes::Sources &sources)
{
    if (m_choice.load(sources) != quotes::LoadStatus::Loaded)
        return false;
    // An empty panel where "Next Tip" does nothing would tell the user nothing.
    if (m_choice.tips().count() == 0 && !m_choice.indexing())
        lblTipText->showSaying(emptyFileMessage());
    DisplayCurrentTip();
    return true;
}

void frmTip::ShowRandomTip()
{
    m_choice.next();
    DisplayCurrentTip();
}

void frmTip::ShowPreviousTip()
{
    if (m_choice.back())
        DisplayCurrentTip();
}

void frmTip::CopyTip()
{
    // Whole, not cut to the screen; bounded as --print is, for a file of one enormous line.
    if (const std::optional<QString> text = m_choice.current(quotes::kPrintLimit))
        QGuiApplication::clipboard()->setText(*text);
}

void frmTip::DisplayCurrentTip()
{
    const qsizetype limit = shownCharLimit();
    std::optional<QString> text = m_choice.current(limit + 1);
    if (!text && !m_choice.emptied())
        return;
    if (text && text->size() > limit) {
        // More than any screen shows: cut, and said to be.
        text->truncate(text->at(limit - 1).isHighSurrogate() ? limit - 1 : limit);
        text->append(u'\u2026');
    }
    if (text) {
        // The end-to-end scripts wait for these words (tests/e2e/hostile_paths.sh).
        qCDebug(lcQuoteWindow) << "showing saying" << m_choice.position() << "of"
                               << m_choice.tips().count();
    }
    const QString shown = text ? *text : emptyFileMessage();
    lblTipText->showSaying(shown);
    // Sent to assistive technology as a change of the panel: a screen reader reads it out.
    Picture1->setAccessibleDescription(shown);
}

qsizetype frmTip::shownCharLimit() const
{
    // No window can show more of a saying than fits the screen at this font; laying out the rest
    // of a multi-megabyte line would only freeze the window.
    const QScreen *s = screen();
    const QSize area = s ? s->availableGeometry().size() : QSize(3840, 2160);
    const QFontMetrics metrics(lblTipText->font());
    const qsizetype perLine = area.width() / qMax(1, metrics.averageCharWidth() / 2) + 1;
    const qsizetype lines = area.height() / qMax(1, metrics.lineSpacing()) + 1;
    return perLine * lines;
}

void frmTip::Form_Resize()
{
    if (!m_captured)
        return;
    const float clientWidth = float(width() * kTwipsPerPixel);
    const float clientHeight = float(height() * kTwipsPerPixel);
    m_arrangement = layOut(clientWidth, clientHeight, m_distances, panelBorder(), m_arrangement);
    applyArrangement(m_arrangement);
    const QSizeF tile = m_background.deviceIndependentSize() * kTwipsPerPixel;
    m_tiles = layTiles(clientWidth, clientHeight, tile.width(), tile.height());
    update();
}

void frmTip::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmTip::paintEvent(QPaintEvent *event)
{
    if (!m_painted) {
        m_painted = true;
        // Children paint after this in the same pass; the frame is whole once the pass returns.
        // bench/bench_startup.cpp and tests/e2e/hostile_paths.sh wait for these words.
        QTimer::singleShot(0, this, [] { qCDebug(lcQuoteWindow) << "first frame painted"; });
    }
    QPainter painter(this);
    const double scale = 1.0 / kTwipsPerPixel;
    const QRectF tiled = m_tiles.covered();
    const QRectF covered(0, 0, tiled.width() * scale, tiled.height() * scale);
    // The region, not its bounding box: Qt leaves out the opaque panel, which covers most of a
    // large window.
    tileRegion(painter, event->region() & covered.toAlignedRect(), m_background);
}

QSize frmTip::smallestShownClient() const
{
    // The OK button keeps its distance from the right edge and its place from the top: below
    // this it is cut off, and at 0 pixels the window is never shown at all.
    return {toPixels(m_distances.OKRightDistance), cmdOK->y() + cmdOK->height()};
}

void frmTip::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_startupFailure.isEmpty()) {
        QTimer::singleShot(
            0, this, [this, text = std::exchange(m_startupFailure, {})] { tellUser(this, text); });
    }
    m_size->watch();
}

void frmTip::Form_Unload()
{
    m_size->store();
}

void frmTip::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmTip::reject()
{
    cmdOK->click();
}

void frmTip::cmdOK_Click()
{
    close();
}

void frmTip::cmdNextTip_Click()
{
    ShowRandomTip();
}

void frmTip::cmdFont_Click()
{
    if (m_env.showAbout)
        m_env.showAbout(this);
}

void frmTip::lblLink_Click()
{
    if (!shell::OpenDocument("open", lblLink->text().toStdString(), std::nullopt, std::nullopt,
                             shell::kShowNormal))
        tellUser(this, widgets::linkNotOpenedText(lblLink->text()));
}

void frmTip::runStartupTest()
{
    const shell::StartupState state =
        m_env.startupTest
            ? m_env.startupTest()
            : shell::RefreshStartupEntry(core::productName().toStdString(), m_env.startupTarget);
    // The test has already pointed the entry at this program where that was needed; the box
    // only shows the result.
    const QSignalBlocker blocker(chkLoadTipsAtStartup);
    chkLoadTipsAtStartup->setChecked(state.enabled);
    if (state.failure.failed()) {
        qCWarning(lcQuoteWindow) << "start at logon could not be renewed"
                                 << QString::fromLocal8Bit(state.failure.detail.c_str());
        m_startupFailure = startupFailureText(true, state.failure.reason);
    }
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    const bool wanted = chkLoadTipsAtStartup->isChecked();
    const shell::StartupState state =
        m_env.setStartup ? m_env.setStartup(wanted)
                         : shell::SetStartupEnabled(wanted, core::productName().toStdString(),
                                                    m_env.startupTarget);
    if (state.enabled == wanted && !state.failure.failed())
        return;
    qCWarning(lcQuoteWindow) << "start at logon could not be switched" << (wanted ? "on" : "off")
                             << QString::fromLocal8Bit(state.failure.detail.c_str());
    {
        const QSignalBlocker blocker(chkLoadTipsAtStartup);
        chkLoadTipsAtStartup->setChecked(state.enabled);
    }
    tellUser(this, startupFailureText(wanted, state.failure.reason));
}

} // namespace dewmoth::quote_window
