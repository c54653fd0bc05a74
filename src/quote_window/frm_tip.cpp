#include "quote_window/frm_tip.h"

#include "core/path_text.h"
#include "core/program_info.h"
#include "core/settings_store.h"
#include "quote_window/quote_panel.h"
#include "quote_window/quote_window_log.h"
#include "quote_window/window_size.h"
#include "quotes/quote_source.h"
#include "shell/document_launcher.h"
#include "shell/startup_switch.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"
#include "widgets/user_message.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

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
const QString kSizeWidthKey = QStringLiteral("size/Width");
const QString kSizeHeightKey = QStringLiteral("size/Height");

QPoint insidePanel(const QFrame *panel, int leftTwips, int topTwips)
{
    return panel->contentsRect().topLeft() + QPoint(toPixels(leftTwips), toPixels(topTwips));
}

// The client size of the design, which every unusable stored size falls back to.
QSize designClientSize()
{
    return {toPixels(6795), toPixels(5070)};
}

QString startupFailureText(bool wanted, const std::string &reason)
{
    const QString why = QString::fromLocal8Bit(reason.c_str());
    return wanted ? frmTip::tr("%1 could not be set to start at logon: %2.")
                        .arg(core::productName(), why)
                  : frmTip::tr("%1 could not be kept from starting at logon: %2.")
                        .arg(core::productName(), why);
}

} // namespace

frmTip::frmTip(Environment environment, QWidget *parent)
    : QDialog(parent), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(core::productName());
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

    // Pictures and controls before the first font: they need none, and are built while the
    // fonts may still be loading. Only measuring text waits for them.
    setWindowIcon(programIcon());
    m_background = QPixmap(QStringLiteral(":/dewmoth/background.jpg"));
    buildControls();
    // A font asked for before the wait would load the font configuration a second time, beside
    // the worker that is loading it.
    // Every control, also those inside the panel.
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

void frmTip::buildControls()
{
    // The design at a glance, in twips. Creation order is stacking order: the labels first, the
    // windowed controls above them. A width of 0 means sized to the text once the font is set.
    struct LabelDesign
    {
        QLabel *frmTip::*member;
        const char *name;
        QString text;
        bool inPanel; // positions inside the panel count from its inner edge
        int left, top, width, height;
    };
    const LabelDesign labels[] = {
        {&frmTip::lblDescription, "lblDescription",
         tr("Interested in learning more about Orlan Vesty?  Do you want to see the complete "
            "collection of his readings?  Please visit us at:"),
         false, 120, 3600, 5775, 495},
        {&frmTip::lblStartup, "lblStartup", tr("&Show at Startup"), false, 360, 4680, 0, 0},
        {&frmTip::Label1, "Label1", tr("Did you know..."), true, 600, 180, 3735, 255},
        {&frmTip::lblTipText, "lblTipText", QString(), true, 240, 720, 3735, 1875},
    };
    struct ButtonDesign
    {
        QPushButton *frmTip::*member;
        const char *name;
        QString caption;
        int top; // all at left 5280, 1215 x 375
        void (frmTip::*clicked)();
    };
    const ButtonDesign buttons[] = {
        {&frmTip::cmdOK, "cmdOK", tr("&OK"), 120, &frmTip::cmdOK_Click},
        {&frmTip::cmdNextTip, "cmdNextTip", tr("&Next Tip"), 600, &frmTip::cmdNextTip_Click},
        {&frmTip::cmdFont, "cmdFont", tr("&About"), 1080, &frmTip::cmdFont_Click},
    };

    for (const LabelDesign &design : labels) {
        if (design.inPanel)
            continue; // made after the panel, inside it
        auto *label = new QLabel(design.text, this);
        this->*design.member = label;
        label->setObjectName(QLatin1String(design.name));
        label->move(toPixels(design.left), toPixels(design.top));
        if (design.width > 0) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->resize(toPixels(design.width), toPixels(design.height));
        }
        // The link sits between the description and the start-up label, on screen and in the
        // order assistive technology reads the controls.
        if (design.member == &frmTip::lblDescription) {
            lblLink = new LinkLabel(core::makerAddress(), this);
            lblLink->setObjectName(QStringLiteral("lblLink"));
            lblLink->move(toPixels(120), toPixels(4080));
            connect(lblLink, &LinkLabel::clicked, this, &frmTip::lblLink_Click);
        }
    }

    Picture1 = new QuotePanel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 120, 4935, 3315));
    Picture1->setAccessibleName(tr("Did you know..."));
    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/dewmoth/bulb.gif")));
    Image1->setGeometry(QRect(insidePanel(Picture1, 120, 120), QSize(23, 30)));
    for (const LabelDesign &design : labels) {
        if (!design.inPanel)
            continue;
        auto *label = new QLabel(design.text, Picture1);
        this->*design.member = label;
        label->setObjectName(QLatin1String(design.name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(QRect(insidePanel(Picture1, design.left, design.top),
                                 QSize(toPixels(design.width), toPixels(design.height))));
    }
    lblTipText->setTextFormat(Qt::PlainText); // sayings are text, never markup

    for (const ButtonDesign &design : buttons) {
        auto *button = new QPushButton(design.caption, this);
        this->*design.member = button;
        button->setObjectName(QLatin1String(design.name));
        button->setGeometry(twipsRect(5280, design.top, 1215, 375));
        connect(button, &QPushButton::clicked, this, design.clicked);
    }
    cmdOK->setDefault(true);

    // Only the box fits its width: its own caption stays hidden behind lblStartup's words.
    chkLoadTipsAtStartup = new QCheckBox(tr("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    chkLoadTipsAtStartup->setGeometry(twipsRect(120, 4620, 200, 250));
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, &frmTip::chkLoadTipsAtStartup_Click);
    lblStartup->setBuddy(chkLoadTipsAtStartup);

    setTabOrder(cmdOK, cmdNextTip);
    setTabOrder(cmdNextTip, cmdFont);
    setTabOrder(cmdFont, Picture1);
    setTabOrder(Picture1, chkLoadTipsAtStartup);
    setTabOrder(chkLoadTipsAtStartup, lblLink);
    cmdOK->setFocus();
}

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
    restoreSize();
    runStartupTest();
    m_random = quotes::clockSeededRandom();
    const std::filesystem::path path =
        quotes::quoteFilePath(m_env.programFolder, m_env.userQuoteFile);
    if (!LoadTips(path)) {
        const QString shown = QDir::toNativeSeparators(core::pathText(path));
        if (m_loadError.isEmpty())
            qCWarning(lcQuoteWindow) << "no quote file at" << shown;
        lblTipText->setText(
            m_loadError.isEmpty()
                ? missingFileMessage()
                : tr("The quote file %1 could not be read: %2.").arg(shown, m_loadError));
    }
}

bool frmTip::LoadTips(const std::filesystem::path &sFile)
{
    m_loadError.clear();
    quotes::QuoteFileResult result = quotes::readQuoteFile(sFile);
    if (result.status == quotes::LoadStatus::Unreadable) {
        qCWarning(lcQuoteWindow) << "cannot read quote file"
                                 << QString::fromStdString(sFile.string()) << result.error;
        m_loadError = result.error;
    }
    if (result.status != quotes::LoadStatus::Loaded)
        return false;
    m_tipList = std::move(result.tips);
    ShowRandomTip();
    return true;
}

void frmTip::ShowRandomTip()
{
    followQuoteFile(false);
    const qint32 n = m_tipList.count();
    if (n < 1)
        m_currentTipIndex = 1;
    else if (m_env.pick)
        m_currentTipIndex = m_env.pick(n);
    else
        m_currentTipIndex = quotes::pickNextPosition(n, m_currentTipIndex, m_random);
    DisplayCurrentTip();
}

bool frmTip::followQuoteFile(bool evenIfSame)
{
    const quotes::FileCheck check = quotes::followQuoteFile(m_tipList, evenIfSame);
    switch (check.change) {
    case quotes::FileChange::None:
        return false;
    case quotes::FileChange::Reindexed:
        m_followWarning.clear();
        qCInfo(lcQuoteWindow) << "the quote file changed; it now holds" << m_tipList.count()
                              << "sayings";
        if (m_tipList.count() == 0) {
            lblTipText->clear();
            Picture1->setAccessibleDescription(QString());
        }
        return true;
    case quotes::FileChange::Vanished:
    case quotes::FileChange::Unreadable:
        if (check.why != m_followWarning) // once, not at every "Next Tip"
            qCWarning(lcQuoteWindow) << "keeping the sayings read before:" << check.why;
        m_followWarning = check.why;
        return false;
    }
    return false;
}

void frmTip::DisplayCurrentTip()
{
    if (m_currentTipIndex < 1 || m_currentTipIndex > m_tipList.count())
        return;
    std::optional<QString> text = m_tipList.read(m_currentTipIndex, shownCharLimit());
    if (!text) {
        // Shortened between the look at the file and the read: index it as it is now.
        if (!followQuoteFile(true) || m_currentTipIndex > m_tipList.count())
            return;
        text = m_tipList.read(m_currentTipIndex, shownCharLimit());
        if (!text)
            return;
    }
    // The end-to-end scripts wait for these words (tests/e2e/hostile_paths.sh).
    qCDebug(lcQuoteWindow) << "showing saying" << m_currentTipIndex << "of" << m_tipList.count();
    lblTipText->setText(*text);
    Picture1->setAccessibleDescription(*text);
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

void frmTip::captureLayout()
{
    m_arrangement = currentArrangement();
    m_distances = captureDistances(float(width() * kTwipsPerPixel),
                                   float(height() * kTwipsPerPixel), m_arrangement, panelBorder());
    m_captured = true;
}

PanelBorder frmTip::panelBorder() const
{
    const QRect inner = Picture1->contentsRect();
    return {float((Picture1->width() - inner.width()) * kTwipsPerPixel),
            float((Picture1->height() - inner.height()) * kTwipsPerPixel)};
}

Arrangement frmTip::currentArrangement() const
{
    const auto t = [](int px) { return float(px * kTwipsPerPixel); };
    Arrangement a;
    a.okLeft = t(cmdOK->x());
    a.nextTipLeft = t(cmdNextTip->x());
    a.aboutLeft = t(cmdFont->x());
    a.panelWidth = t(Picture1->width());
    a.panelHeight = t(Picture1->height());
    a.startupTop = t(chkLoadTipsAtStartup->y());
    a.startupLabelTop = t(lblStartup->y());
    a.descriptionTop = t(lblDescription->y());
    a.linkTop = t(lblLink->y());
    a.tipTextWidth = t(lblTipText->width());
    a.tipTextHeight = t(lblTipText->height());
    return a;
}

void frmTip::applyArrangement(const Arrangement &a)
{
    cmdOK->move(toPixels(a.okLeft), cmdOK->y());
    cmdNextTip->move(toPixels(a.nextTipLeft), cmdNextTip->y());
    cmdFont->move(toPixels(a.aboutLeft), cmdFont->y());
    Picture1->resize(toPixels(a.panelWidth), toPixels(a.panelHeight));
    chkLoadTipsAtStartup->move(chkLoadTipsAtStartup->x(), toPixels(a.startupTop));
    lblDescription->move(lblDescription->x(), toPixels(a.descriptionTop));
    lblLink->move(lblLink->x(), toPixels(a.linkTop));
    lblStartup->move(lblStartup->x(), toPixels(a.startupLabelTop));
    lblTipText->resize(toPixels(a.tipTextWidth), toPixels(a.tipTextHeight));
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

void frmTip::restoreSize()
{
    const core::StoredSettings stored =
        core::readSettings(m_env.settingsApplication, {kSizeWidthKey, kSizeHeightKey});
    if (!stored.error.isEmpty())
        qCWarning(lcQuoteWindow) << "cannot read stored window size from"
                                 << core::settingsLocation(m_env.settingsApplication)
                                 << stored.error;
    const QScreen *s = screen();
    const QSize available = s ? s->availableGeometry().size() : QSize();
    const QSize smallest = smallestShownClient();
    const auto restore = [&](const QString &key, int current, int availablePx, int smallestPx) {
        const auto found = stored.values.constFind(key);
        if (found == stored.values.constEnd())
            return std::optional<int>();
        const std::optional<double> twips = parseStoredTwips(*found);
        // An outer size below the smallest client is smaller still inside its frame.
        if (!twips || toPixels(*twips) < smallestPx) {
            // As if nothing were stored: the design size stays.
            qCWarning(lcQuoteWindow) << "ignoring stored" << key << *found;
            return std::optional<int>();
        }
        return std::optional<int>(
            toPixels(restoreTwips(*found, current * kTwipsPerPixel, availablePx * kTwipsPerPixel)));
    };
    const std::optional<int> w =
        restore(kSizeWidthKey, width(), available.width(), smallest.width());
    const std::optional<int> h =
        restore(kSizeHeightKey, height(), available.height(), smallest.height());
    if (!w && !h)
        return;
    // The frame is unknown until the window is first exposed; the outer size is set on the
    // client now and corrected by the frame then.
    m_pendingOuter = QSize(w.value_or(-1), h.value_or(-1));
    resize(w.value_or(width()), h.value_or(height()));
}

void frmTip::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_startupFailure.isEmpty()) {
        QTimer::singleShot(
            0, this, [this, text = std::exchange(m_startupFailure, {})] { tellUser(this, text); });
    }
    if (QWindow *window = windowHandle(); window && !m_watchingWindow) {
        window->installEventFilter(this);
        m_watchingWindow = true;
    }
}

bool frmTip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && !m_exposed &&
        windowHandle()->isExposed()) {
        m_exposed = true;
        const QMargins frame = windowHandle()->frameMargins();
        // The end-to-end scripts wait for these words (tests/e2e/*.sh).
        qCDebug(lcQuoteWindow) << "first expose, frame" << frame;
        applyOuterSize(frame);
    }
    return QDialog::eventFilter(watched, event);
}

void frmTip::applyOuterSize(const QMargins &frame)
{
    QSize client = size();
    if (m_pendingOuter) {
        if (m_pendingOuter->width() >= 0)
            client.setWidth(m_pendingOuter->width() - frame.left() - frame.right());
        if (m_pendingOuter->height() >= 0)
            client.setHeight(m_pendingOuter->height() - frame.top() - frame.bottom());
        m_pendingOuter.reset();
    }
    // Inside a real frame a stored size can still leave the OK button cut off.
    const QSize smallest = smallestShownClient();
    if (client.width() < smallest.width() || client.height() < smallest.height()) {
        qCWarning(lcQuoteWindow) << "stored size leaves" << client << "inside the frame;"
                                 << "using the design size";
        if (client.width() < smallest.width())
            client.setWidth(designClientSize().width());
        if (client.height() < smallest.height())
            client.setHeight(designClientSize().height());
    }
    // The whole window on its screen, also where the screen is smaller than the design.
    const QRect area = screen() ? screen()->availableGeometry() : QRect();
    if (area.isValid())
        client = client.boundedTo(area.size().shrunkBy(frame)).expandedTo(smallest);
    if (client != size())
        resize(client);
    // Centred with the real frame: the toolkit placed the window with a guess of it.
    if (area.isValid()) {
        QRect outer = frameGeometry();
        outer.moveCenter(area.center());
        outer.moveTopLeft(QPoint(qMax(area.left(), outer.left()), qMax(area.top(), outer.top())));
        if (outer.topLeft() != frameGeometry().topLeft())
            move(outer.topLeft());
    }
}

void frmTip::Form_Unload()
{
    if (!m_exposed) {
        // Frames are unknown until then; storing now would record the wrong outer size.
        qCDebug(lcQuoteWindow) << "closed before it was shown; size not stored";
        return;
    }
    const QSize outer = windowHandle()->frameGeometry().size();
    const QString failure =
        core::storeSettings(m_env.settingsApplication,
                            {{kSizeWidthKey, formatTwips(outer.width() * kTwipsPerPixel)},
                             {kSizeHeightKey, formatTwips(outer.height() * kTwipsPerPixel)}});
    if (!failure.isEmpty())
        qCWarning(lcQuoteWindow) << "cannot store window size in"
                                 << core::settingsLocation(m_env.settingsApplication) << failure;
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
    if (!state.failure.empty()) {
        qCWarning(lcQuoteWindow) << "start at logon could not be renewed"
                                 << QString::fromLocal8Bit(state.failure.c_str());
        m_startupFailure = startupFailureText(true, state.failure);
    }
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    const bool wanted = chkLoadTipsAtStartup->isChecked();
    const shell::StartupState state =
        m_env.setStartup ? m_env.setStartup(wanted)
                         : shell::SetStartupEnabled(wanted, core::productName().toStdString(),
                                                    m_env.startupTarget);
    if (state.enabled == wanted && state.failure.empty())
        return;
    qCWarning(lcQuoteWindow) << "start at logon could not be switched" << (wanted ? "on" : "off")
                             << QString::fromLocal8Bit(state.failure.c_str());
    {
        const QSignalBlocker blocker(chkLoadTipsAtStartup);
        chkLoadTipsAtStartup->setChecked(state.enabled);
    }
    tellUser(this, startupFailureText(wanted, state.failure.empty() ? "the desktop did not take it"
                                                                    : state.failure));
}

} // namespace dewmoth::quote_window
