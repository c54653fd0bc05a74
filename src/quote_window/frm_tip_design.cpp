// frmTip's controls as the design places them, and their arrangement as the layout pass sees it.
#include "quote_window/frm_tip.h"

#include "core/program_info.h"
#include "quote_window/quote_panel.h"
#include "quote_window/saying_label.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace dewmoth::quote_window {

using widgets::toPixels;
using widgets::twipsRect;

namespace {

// The design at a glance, in twips. Creation order is stacking order: the labels first, the
// windowed controls above them. A width of 0 means sized to the text once the font is set.
struct LabelDesign
{
    const char *name;
    const char *text;
    bool inPanel; // positions inside the panel count from its inner edge
    int left, top, width, height;
};
constexpr LabelDesign kLabels[] = {
    {"lblDescription",
     QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip",
                       "Interested in learning more about Orlan Vesty?  Do you want to see the "
                       "complete collection of his readings?  Please visit us at:"),
     false, 120, 3600, 5775, 495},
    {"lblStartup", QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip", "&Show at Startup"), false,
     360, 4680, 0, 0},
    {"Label1", QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip", "Did you know..."), true, 600,
     180, 3735, 255},
    {"lblTipText", "", true, 240, 720, 3735, 1875},
};

struct ButtonDesign
{
    const char *name;
    const char *caption;
    int top; // all at left 5280, 1215 x 375
};
constexpr ButtonDesign kButtons[] = {
    {"cmdOK", QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip", "&OK"), 120},
    {"cmdNextTip", QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip", "&Next Tip"), 600},
    {"cmdFont", QT_TRANSLATE_NOOP("dewmoth::quote_window::frmTip", "&About"), 1080},
};

QPoint insidePanel(const QFrame *panel, int leftTwips, int topTwips)
{
    return panel->contentsRect().topLeft() + QPoint(toPixels(leftTwips), toPixels(topTwips));
}

} // namespace

// The client size of the design, which every unusable stored size falls back to.
QSize frmTip::designClientSize()
{
    return {toPixels(6795), toPixels(5070)};
}

QLabel *frmTip::makeLabel(const char *name, QWidget *parent, QLabel *label)
{
    for (const LabelDesign &design : kLabels) {
        if (qstrcmp(design.name, name) != 0)
            continue;
        if (!label)
            label = new QLabel(parent);
        label->setText(tr(design.text));
        label->setObjectName(QLatin1String(design.name));
        const QSize size(toPixels(design.width), toPixels(design.height));
        const QPoint at = design.inPanel ? insidePanel(Picture1, design.left, design.top)
                                         : QPoint(toPixels(design.left), toPixels(design.top));
        label->move(at);
        if (design.width > 0) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->resize(size);
        }
        return label;
    }
    Q_UNREACHABLE();
}

void frmTip::buildControls()
{
    lblDescription = makeLabel("lblDescription", this);
    // The link sits between the description and the start-up label, on screen and in the order
    // assistive technology reads the controls.
    lblLink = new LinkLabel(core::makerAddress(), this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->move(toPixels(120), toPixels(4080));
    connect(lblLink, &LinkLabel::clicked, this, &frmTip::lblLink_Click);
    lblStartup = makeLabel("lblStartup", this);

    Picture1 = new QuotePanel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 120, 4935, 3315));
    Picture1->setAccessibleName(tr("Did you know..."));
    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(widgets::picture(QStringLiteral("bulb.gif")));
    Image1->setGeometry(QRect(insidePanel(Picture1, 120, 120), QSize(23, 30)));
    Label1 = makeLabel("Label1", Picture1);
    lblTipText = new SayingLabel(Picture1);
    makeLabel("lblTipText", Picture1, lblTipText);
    Picture1->setKeyHandler(
        [this](const QKeyEvent *event) { return lblTipText->scrollKey(event); });

    QPushButton **const members[] = {&cmdOK, &cmdNextTip, &cmdFont};
    void (frmTip::*const clicked[])() = {&frmTip::cmdOK_Click, &frmTip::cmdNextTip_Click,
                                         &frmTip::cmdFont_Click};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        auto *button = new QPushButton(tr(kButtons[i].caption), this);
        *members[i] = button;
        button->setObjectName(QLatin1String(kButtons[i].name));
        button->setGeometry(twipsRect(5280, kButtons[i].top, 1215, 375));
        connect(button, &QPushButton::clicked, this, clicked[i]);
    }
    cmdOK->setDefault(true);

    // Only the box fits its width: its own caption stays hidden behind lblStartup's words.
    chkLoadTipsAtStartup = new QCheckBox(tr("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    chkLoadTipsAtStartup->setGeometry(twipsRect(120, 4620, 200, 250));
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, &frmTip::chkLoadTipsAtStartup_Click);
    lblStartup->setBuddy(chkLoadTipsAtStartup);

    buildSayingActions();
    setTabOrder(cmdOK, cmdNextTip);
    setTabOrder(cmdNextTip, cmdFont);
    setTabOrder(cmdFont, Picture1);
    setTabOrder(Picture1, chkLoadTipsAtStartup);
    setTabOrder(chkLoadTipsAtStartup, lblLink);
    cmdOK->setFocus();
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

void frmTip::buildSayingActions()
{
    // Window-wide keys, and the same commands in the panel's context menu; the design's
    // controls stay as they are.
    struct Command
    {
        const char *text;
        QKeySequence keys;
        void (frmTip::*run)();
    };
    const Command commands[] = {
        {QT_TR_NOOP("&Previous Tip"), QKeySequence(Qt::ALT | Qt::Key_Left),
         &frmTip::ShowPreviousTip},
        {QT_TR_NOOP("&Next Tip"), QKeySequence(Qt::ALT | Qt::Key_Right), &frmTip::ShowRandomTip},
        {QT_TR_NOOP("&Copy"), QKeySequence(QKeySequence::Copy), &frmTip::CopyTip},
    };
    for (const Command &command : commands) {
        auto *action = new QAction(tr(command.text), this);
        action->setShortcut(command.keys);
        connect(action, &QAction::triggered, this, command.run);
        addAction(action);
        Picture1->addAction(action);
    }
    Picture1->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace dewmoth::quote_window
