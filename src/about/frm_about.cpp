#include "about/frm_about.h"

#include "about/sys_info.h"
#include "core/program_info.h"
#include "shell/document_launcher.h"
#include "widgets/dialog_style.h"
#include "widgets/link_label.h"
#include "widgets/twips.h"
#include "widgets/user_message.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace dewmoth::about {

using widgets::dialogFont;
using widgets::twipsRect;

namespace {

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, QRect box, bool black)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(dialogFont(8.25));
    if (black) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(pal);
    }
    label->setGeometry(box);
    return label;
}

// The design at a glance, in twips, in stacking order. Black texts keep their colour on any
// palette; a fit lets a text grow to its own size from there.
enum class Fit { None, Downwards, OneLine };
struct LabelDesign
{
    const char *name;
    const char *text; // nullptr: the product name
    int left, top, width, height;
    bool black;
    Fit fit;
};
constexpr LabelDesign kAbove[] = {
    {"lblDescription1",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "Orlan Vesty Readings gathers short sayings for readers who like to start the day "
         "with a thought to carry along, and sends a new selection every season."),
     360, 1005, 6405, 690, true, Fit::None},
    {"lblDescription2",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "This program was written to bring one of those sayings to your desktop each day. "
         "Its companion, a collection of the complete readings, is in the making."),
     360, 1560, 6405, 690, true, Fit::None},
    {"lblDescription3",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "We hope that these few words, passed from one screen to the next, help to spread "
         "Orlan Vesty's message of patience and quiet courage to all who need it."),
     360, 2040, 6405, 570, true, Fit::None},
    {"lblDescription4",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "The companion collection is being prepared with the generous help of the Friends "
         "of the Vesty Readings, a circle of volunteers devoted to keeping his notes and "
         "archive alive."),
     360, 2520, 6405, 570, true, Fit::None},
    {"lblDescription5",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "Interested in learning more about Orlan Vesty?  Do you want to see the complete "
         "collection of his readings?  Please visit us at:"),
     360, 3240, 6375, 495, false, Fit::None},
};
constexpr LabelDesign kBelow[] = {
    {"lblDisclaimer", nullptr, 360, 4425, 3510, 390, true, Fit::Downwards},
    {"lblVersion", QT_TRANSLATE_NOOP("dewmoth::about::frmAbout", "Version"), 360, 4620, 1605, 225,
     false, Fit::None},
    {"Label1",
     QT_TRANSLATE_NOOP("dewmoth::about::frmAbout", "Copyright © 2026 Orlan Vesty Readings Circle"),
     360, 4800, 3240, 195, false, Fit::OneLine},
    {"Label2",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "The background picture of this program appears with the kind permission of the "
         "Friends of the Vesty Readings, who hold all rights to it. It may be shown as part "
         "of this program but may not be copied, changed or used on its own in any other "
         "work or product without their written consent. Please ask them before you reuse "
         "it anywhere else."),
     360, 5160, 5055, 975, false, Fit::None},
    {"Label3",
     QT_TRANSLATE_NOOP(
         "dewmoth::about::frmAbout",
         "Orlan Vesty's sayings are protected by copyright and are shown here for personal "
         "reading. Please name him when you share them."),
     360, 6240, 5175, 495, false, Fit::None},
};

struct ButtonDesign
{
    const char *name;
    const char *caption;
    int left, top, width, height;
};
constexpr ButtonDesign kButtons[] = {
    {"cmdOK", QT_TRANSLATE_NOOP("dewmoth::about::frmAbout", "OK"), 5445, 4425, 1260, 345},
    {"cmdSysInfo", QT_TRANSLATE_NOOP("dewmoth::about::frmAbout", "&System Info..."), 5460, 4875,
     1245, 345},
};

// A label that sizes itself: grows sideways to hold one line, or keeps its width and grows
// downwards when it wraps.
void fitToText(QLabel *label, bool keepWidth)
{
    if (keepWidth) {
        label->resize(label->width(), qMax(label->height(), label->heightForWidth(label->width())));
    } else {
        label->setWordWrap(false);
        label->adjustSize();
    }
}

template <std::size_t N> void addLabels(frmAbout *window, const LabelDesign (&designs)[N])
{
    for (const LabelDesign &d : designs) {
        const QString text = d.text ? frmAbout::tr(d.text) : core::productName();
        QLabel *label =
            addLabel(window, d.name, text, twipsRect(d.left, d.top, d.width, d.height), d.black);
        if (d.fit != Fit::None)
            fitToText(label, d.fit == Fit::Downwards);
    }
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(widgets::programIcon());
    setFont(dialogFont(9.75));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFixedSize(widgets::toPixels(7125), widgets::toPixels(6690));

    // The background picture lies behind every text, so it is made first.
    auto *Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(widgets::picture(QStringLiteral("background.jpg")));
    Image1->move(widgets::toPixels(240), widgets::toPixels(1320));
    Image1->adjustSize();

    auto *Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(widgets::picture(QStringLiteral("banner.gif")));
    Image2->setScaledContents(true);
    Image2->setGeometry(twipsRect(720, 120, 5580, 855));
    Image2->setAccessibleName(core::productName());

    addLabels(this, kAbove);
    Label4 = new widgets::LinkLabel(core::makerAddress(), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(widgets::linkFont());
    Label4->move(widgets::toPixels(360), widgets::toPixels(3720));
    connect(Label4, &widgets::LinkLabel::clicked, this, &frmAbout::Label4_Click);

    auto *Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Frame1->setGeometry(twipsRect(240, 4200, 6615, 30));

    addLabels(this, kBelow);
    lblVersion = findChild<QLabel *>(QStringLiteral("lblVersion"));

    QPushButton **const members[] = {&cmdOK, &cmdSysInfo};
    void (frmAbout::*const clicked[])() = {&frmAbout::cmdOK_Click, &frmAbout::cmdSysInfo_Click};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonDesign &d = kButtons[i];
        auto *button = new QPushButton(tr(d.caption), this);
        *members[i] = button;
        button->setObjectName(QLatin1String(d.name));
        button->setFont(dialogFont(8.25));
        button->setGeometry(twipsRect(d.left, d.top, d.width, d.height));
        connect(button, &QPushButton::clicked, this, clicked[i]);
    }
    cmdOK->setDefault(true);

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Label4);
    cmdOK->setFocus();
}

void frmAbout::showModal(QWidget *owner)
{
    frmAbout window(owner);
    window.Form_Load();
    if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.exec();
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About %1").arg(core::productName()));
    lblVersion->setText(tr("Version %1").arg(core::versionText()));
}

QString frmAbout::unavailableMessage()
{
    return tr("System Information Is Unavailable At This Time");
}

void frmAbout::StartSysInfo()
{
    if (LaunchSysInfo())
        return;
    QMessageBox box(QMessageBox::NoIcon, core::productName(), unavailableMessage(), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("sysInfoUnavailable"));
    box.exec();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::Label4_Click()
{
    if (!shell::OpenDocument("open", Label4->text().toStdString(), std::nullopt, std::nullopt,
                             shell::kShowNormal))
        widgets::tellUser(this, widgets::linkNotOpenedText(Label4->text()));
}

} // namespace dewmoth::about
