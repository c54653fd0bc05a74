// frmAbout: the program's name, version, texts and pictures, the maker's web address, and the
// button that starts the system-information tool. Built afresh for every showing.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dewmoth::widgets {
class LinkLabel;
}

namespace dewmoth::about {

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Builds the window, shows it modally over `owner` and destroys it once it is closed.
    static void showModal(QWidget *owner);

    void Form_Load();
    void StartSysInfo();

    static QString unavailableMessage();

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label4_Click();

    QLabel *lblVersion = nullptr;
    widgets::LinkLabel *Label4 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};

} // namespace dewmoth::about
