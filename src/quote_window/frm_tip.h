// frmTip, the quote window: shows one saying of the quote file at a time, keeps its controls
// arranged at any size over a tiled background, and remembers its outer size between runs.
#pragma once

#include "quote_window/layout.h"
#include "quotes/saying_choice.h"
#include "shell/startup_switch.h"

#include <QDialog>
#include <QPixmap>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace dewmoth::widgets {
class LinkLabel;
}

namespace dewmoth::quote_window {

using widgets::LinkLabel;
class QuotePanel;
class SayingLabel;
class SizeKeeper;

class frmTip : public QDialog
{
    Q_OBJECT
public:
    struct Environment
    {
        std::filesystem::path programFolder; // where TIPOFDAY.TXT is looked for
        std::filesystem::path userQuoteFile; // read instead when it exists; empty: none
        std::filesystem::path sayingsFolder; // the user's collections, read with it; empty: none
        std::vector<std::filesystem::path> files; // read instead of all those; empty: none
        QString settingsApplication;              // the store's application name: the base name
        std::filesystem::path startupTarget;      // what the start-up entry starts
        // Position 1..n for a list of n; empty: uniform, from a generator seeded at load.
        std::function<qint32(qint32 n)> pick;
        // The order kept across runs that picks come from; empty: uniform at random.
        std::shared_ptr<quotes::SayingOrder> order;
        std::function<void(QWidget *owner)> showAbout;
        // The start-up switch's platform side (the start-up test, a switch); empty: the real one.
        std::function<shell::StartupState()> startupTest;
        std::function<shell::StartupState(bool on)> setStartup;
        // Called once the window's pictures and controls are built, before its first font: the
        // start waits here for the fonts that load on a worker meanwhile. Empty: nothing to wait
        // for.
        std::function<void()> awaitFonts;
    };

    explicit frmTip(Environment environment, QWidget *parent = nullptr);
    ~frmTip() override;

    // The start-up sequence; call once before the first show.
    void Form_Load();

    bool LoadTips(const std::filesystem::path &sFile);
    bool LoadTips(const quotes::Sources &sources);
    void ShowRandomTip();
    // Back to the saying shown before this one (Alt+Left, and the panel's menu).
    void ShowPreviousTip();
    // The saying shown, whole, to the clipboard (Ctrl+C, and the panel's menu).
    void CopyTip();
    void DisplayCurrentTip();

    const quotes::Collection &tips() const { return m_choice.tips(); }
    qint32 CurrentTipIndex() const { return m_choice.position(); }
    const LayoutDistances &layoutDistances() const { return m_distances; }
    const TileModel &tiles() const { return m_tiles; }

    static QString missingFileMessage();
    QString emptyFileMessage() const;

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void buildSayingActions();
    // `label`: the one to place (one of a kind of its own); else a plain label is made.
    QLabel *makeLabel(const char *name, QWidget *parent, QLabel *label = nullptr);
    void captureLayout();
    void Form_Resize();
    void Form_Unload();
    void runStartupTest();
    void cmdOK_Click();
    void cmdNextTip_Click();
    void cmdFont_Click();
    void lblLink_Click();
    void chkLoadTipsAtStartup_Click();
    Arrangement currentArrangement() const;
    void applyArrangement(const Arrangement &arrangement);
    PanelBorder panelBorder() const;
    qsizetype shownCharLimit() const;
    QSize smallestShownClient() const;
    // The client size of the design, which every unusable stored size falls back to.
    static QSize designClientSize();

    Environment m_env;
    quotes::SayingChoice m_choice;
    SizeKeeper *m_size = nullptr;

    LayoutDistances m_distances;
    bool m_captured = false;
    Arrangement m_arrangement;
    TileModel m_tiles;
    QPixmap m_background;

    QString m_startupFailure; // told once the window is up
    bool m_painted = false;

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdNextTip = nullptr;
    QPushButton *cmdFont = nullptr;
    QCheckBox *chkLoadTipsAtStartup = nullptr;
    QuotePanel *Picture1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    SayingLabel *lblTipText = nullptr;
    QLabel *lblDescription = nullptr;
    LinkLabel *lblLink = nullptr;
    QLabel *lblStartup = nullptr;
};

} // namespace dewmoth::quote_window
