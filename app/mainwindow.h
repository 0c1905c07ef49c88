#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

#include "app/portlistview.h"
#include "app/statusphrases.h"
#include "app/statustexts.h"
#include "link/conversation.h"
#include "link/framecodec.h"
#include "link/portlist.h"
#include "link/portwatch.h"
#include "link/protocol.h"
#include "transfer/replyrules.h"
#include "link/sendtally.h"
#include "link/traffichistory.h"
#include "link/transmitterrecord.h"
#include "ui/settingbinder.h"
#include "ui/statusbanner.h"
#include "ui/statusline.h"

class MainForm;
class QLineEdit;
class QProgressBar;
class QAbstractButton;
class QComboBox;
class QTimer;
class QWidget;
class QAction;
class QMenu;
class QEventLoop;
class QUndoStack;
class QUrl;
class EditorGuard;
struct FileDecodeResult;
struct SettingChange;
struct ConnectionReport;
struct InboundResult;

// The controller of the one window: every user action, timer tick and inbound
// notification arrives here as a slot. Slots stay thin; the logic they glue to
// the widgets and the port lives in model/, link/ and files/.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window on the process-wide set-up, live values and frames.
    explicit MainWindow(QWidget *parent = nullptr);
    // A window on its own: two of them side by side share nothing.
    MainWindow(ParameterSet &set, LiveValues &live, ParameterFrames &frames, QWidget *parent = nullptr);
    ~MainWindow() override;

    // What this window edits, shows and sends; every slot works on these.
    ParameterSet &params() const { return m_conversation.params(); }
    LiveValues &liveValues() const { return m_conversation.live(); }
    ParameterFrames &frames() const { return m_conversation.frames(); }

    // For tests and tools that drive the window by object name.
    MainForm *form() const { return ui; }
    QSerialPort &port() { return m_conversation.port(); }
    bool transferRunning() const { return m_transferRunning; }
    // The pauses of the commands; the real ones unless set.
    void setPacing(const Protocol::Pacing &pacing) { m_conversation.setPacing(pacing); }
    const Protocol::Pacing &pacing() const { return m_conversation.pacing(); }
    // The user's edits, and the status line's menu: undo, redo, revert to the
    // transmitter, open the backup folder.
    QUndoStack *editHistory() const { return m_edits; }
    QMenu *statusMenu() const { return m_statusMenu; }
    // How the window asks the system to open a folder (the backups, a
    // backup's): QDesktopServices unless another is given, as tests do to
    // make it fail. It returns false when nothing opened it; the window then
    // shows where the folder is, to copy.
    using UrlOpener = std::function<bool(const QUrl &url)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // The banner under the tab bar after a cut send or a lost connection.
    const StatusBanner &banner() const { return m_banner; }

    // Switches the whole window to "en" or "zh" at once (form, tooltips,
    // status line, port list, Qt's own dialogs) and remembers the choice
    // for the next start. The status-line menu offers it.
    void switchLanguage(const QString &language);

    // Makes name the chosen port. A name the system does not list is added to
    // the list like an entry of KELVO_EXTRA_PORTS and chosen once it is there.
    // False when it is not in the list now.
    bool choosePort(const QString &name);
    // Makes name the user's choice without adding it to the list: chosen now
    // when it is listed, and again whenever its port returns while the port
    // is closed, until the user chooses another. With the identity of its
    // adapter (portIdentity()), the port that has it is chosen under
    // whatever name it has now. False when it is not listed.
    bool preferPort(const QString &name, const QString &identity = QString());

    // The box that says port cannot be opened ("无法打开串口！"), with the
    // port, the cause the connection check finds and its fix, the steps as
    // details and the diagnostics to copy. why: the system's words for the
    // failure, said when no step finds a cause.
    void showOpenFailure(const QString &port, const QString &why);
    // Set-ups side by side, the backups, the guide and About (app/setupslots.cpp);
    // the status line's menu offers them, Ctrl+D and F1 the first and the guide.
    void openCompare();
    void openBackupList();
    // The set-up sheet of the window's set-up (named after the transmitter
    // when that is what it holds) to path, .pdf or .html; asks for the path
    // when none is given. False when nothing was written.
    bool saveSheet(const QString &path = QString());
    void showGuide();
    void showAbout();
    // A Load of path as if the pilot had chosen it in the file dialog: the
    // change list, the send and the read-back (restoring a backup).
    void loadFile(const QString &path);

    // Whether each send is read back and compared (remembered; on unless
    // switched off in the status line's menu).
    bool verifiesSends() const;
    void setVerifiesSends(bool on);

    // Ends the tool now, as "放弃并关闭" does and as a termination signal
    // asks: nothing more is sent, the port is closed, every wait ends.
    void endNow();

protected:
    // Rescans the port list as the user goes to open its popup.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Closing while a send runs asks whether to finish it first.
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Port connection
    void on_openButton_clicked();

    // Inbound stream and Read
    void serialPort_readyRead();
    int byteArrayToInt(QByteArray b, int a);
    void on_toolButton_Read_clicked();

    // Files and commands
    void on_toolButton_Load_clicked();
    void on_toolButton_Send_clicked();
    void on_toolButton_Save_clicked();
    void on_toolButton_Reset_clicked();

    // Live monitor
    void Servo_Display();
    void Recieve_Display();

    // The refresh pass: every 100 ms the editors show the ParameterSet and
    // the monitor the live values, whichever page is current.
    void ui_Display();

    // Defaults, frames, dual-rate view, sanitizer
    void RestData();
    void RestData2();
    void SendData1();
    void SendData2();
    void SendData3();
    void SendData4();
    void Dr_DataSelet();
    void FalseSaveData();

    void on_pushButton_Reset2_clicked();

    // A device that vanishes while open closes the port.
    void portLost();

private:
    class TransferScope;

    // What the banner reports; kept so that it can be said again in
    // another language.
    enum class Interruption { None, SendCut, ConnectionLost };
    void showInterruption(Interruption what, int frames = 0);
    void dismissInterruption();
    void showBanner();

    // The telemetry of the strip: a live packet arrived; how old it is.
    void noteLivePacket();
    void showTelemetryAge();

    // The language entries of the status-line menu; every text again.
    void setUpLanguageMenu();
    void retranslateWindow();
    void showPortList(const PortListUpdate &update);
    void showPortToolTip();
    QString chosenPortName() const;
    QString identityOfPort(const QString &name) const;

    void setUpPortList();
    void followPorts();
    void rescanPorts();
    bool portIsOpen() const;
    void showPortState();
    void showPortMessage(const QString &text);
    void closePort(bool sayGoodbye);
    void sendFrame(FrameKind kind);
    void sendFrames(bool closing);
    bool debounceAndCheckPort(TransferScope &transfer);
    QVector<QAbstractButton *> transferButtons() const;

    // What the transmitter holds: read completeness, unwritten edits,
    // confirmation after a read, backups before a send.
    void setUpTransmitterState();
    void forgetTransmitter();
    void startReadRecord();
    void recordInbound(const QByteArray &chunk);
    // One message put together from the inbound chunks: recorded before it
    // is decoded, noted and shown after.
    void beforeDecoding(const QByteArray &message);
    void afterDecoding(const QByteArray &message, const InboundResult &result);
    void finishReadRecord();
    bool backUpBeforeSending(StatusTexts::Command command);
    // A sending command begins: the progress.
    void beginSending(StatusTexts::Command command);
    // Frame step of 4 is out (5: the closing acknowledgement).
    void showSendStep(int step);
    void endProgress();
    // The send is over: records what the transmitter now holds as far as
    // it is known and says how far the send got ("已写入", "写入中断 2/4").
    void finishSending();
    void setOutcome(Phrase text, Phrase detail = {}, Phrase details = {});
    void updateTransmitterState();

    // Safe writes (app/safewrites.cpp): what the transmitter held is read
    // and backed up before a command replaces it, what will change is shown
    // first, and what arrived is read back after.
    enum class ReadPurpose { Show, Backup, Verify };
    bool transmitterPresent() const;
    bool heardRecently() const;
    bool knowBefore(StatusTexts::Command command, bool adoptRead);
    TransmitterRecord::ReadOutcome readTransmitter(ReadPurpose purpose);
    void waitForReadEnd();
    bool confirmChanges(StatusTexts::Command command, const ParameterSet &to, const QString &subject);
    SendCheck proveAfter();
    void noteCheck(const SendCheck &check);
    // What the send and its read-back came to, and (details) what differs.
    Phrase finishAndCheck(StatusTexts::Command command, Phrase *details);
    QVector<SettingChange> netEdits() const;
    // The window's set-up over what the transmitter is now known to hold:
    // what the pilot set (edits, a file loaded unsent) stays, the rest is
    // known's.
    ParameterSet windowOver(const ParameterSet &known) const;
    // The pilot's work the transmitter may not hold, in a sentence, or empty.
    QString unwrittenWork() const;
    // Asked before a Read or a close would drop that work; true: go on.
    bool mayDropUnwritten();
    enum class CloseAnswer { Close, SaveFirst, Stay };
    CloseAnswer askBeforeClosing();
    bool saveWindowToFile();
    // A backup that could not be written: true when the pilot writes anyway.
    bool writeWithoutBackup(const QString &error);
    void resetTransmitter(StatusTexts::Command command);
    // What Load sends: the file's frames over what the transmitter holds;
    // found: the frames in place.
    bool loadedSettings(const QString &text, ParameterSet *out, FileDecodeResult *found);

    void setUpSetupTools();
    void chooseSheet();

    // The history of the user's edits (app/edithistory.cpp).
    void setUpEditHistory();
    // The one edit path: an editor took value for the setting key.
    void settingEdited(const QString &key, double value);
    void applyEdit(const QVector<SettingChange> &changes, bool after);
    void revealEdit(const QVector<SettingChange> &changes);
    void clearEdits();
    void undoEdit();
    void redoEdit();
    void revertToTransmitter();
    void openBackupFolder();
    bool openUrl(const QUrl &url) const;
    void updateEditActions();
    void showStatusMenu(const QPoint &pos);

    // The connection check (app/diagnosisslots.cpp): the cause and fix when
    // the port does not open or nothing answers "OK", and on demand.
    void recordTraffic(bool outbound, const QByteArray &bytes);
    QAction *newConnectionCheckAction();
    void showCheckBox(const QString &title, const QString &message, const ConnectionReport &report);
    void watchForAnswer();
    void noteInbound(const QByteArray &chunk, const InboundResult &result);
    void answerMissing();
    void checkConnectionNow();

    MainForm *ui;
    // How much of the running send went out. Before the port: the port
    // closes as it goes and tells the tally.
    SendTally m_tally;
    Conversation m_conversation;
    QTimer *refreshTimer = nullptr;
    // While the port is closed the list follows what is plugged in.
    QTimer *m_portScanTimer = nullptr;
    QStringList m_extraPorts;
    QVector<PortEntry> m_shownPorts;
    PortWatch m_portWatch;
    QString m_wantedPort; // the user's own choice, restored when it returns
    QString m_wantedIdentity; // its adapter's identity: found again under a new name
    QString loadPath;
    QString m_givenLoadPath; // loadFile(): Load takes it instead of asking

    SettingBinder m_binder;
    QVector<QLineEdit *> m_channelValues;
    QVector<QProgressBar *> m_upperBars;
    QVector<QProgressBar *> m_lowerBars;
    bool m_transferRunning = false;

    TransmitterRecord m_record;
    StatusLine m_status;
    QTimer *m_replyTimer = nullptr;
    StatusPhrases m_said; // the outcome, the step, the backup: words of the status line
    bool m_backupFresh = false; // the backup was taken by the running command
    StatusBanner m_banner;
    Interruption m_interruption = Interruption::None;
    int m_interruptedFrames = 0;
    QElapsedTimer m_sinceLivePacket; // invalid until the first live packet
    QString m_livePacketAt;          // "20:43:12"
    QStringList m_telemetryAgeInputs; // what the telemetry's looks were last worked out from
    QString m_absentPort; // the chosen port, unplugged, kept in the list as such
    QVector<PortListView::Item> m_shownPortItems; // the entries of the port list
    StatusTexts::Command m_sending = StatusTexts::Command::Write;
    ReadPurpose m_readPurpose = ReadPurpose::Show;
    TransmitterRecord::ReadOutcome m_lastRead;
    QEventLoop *m_readLoop = nullptr; // runs while a command waits for a reply
    QElapsedTimer m_lastInbound;      // the last chunk of any kind
    std::optional<ParameterSet> m_keptSettings; // a backup read's blocks do not replace these
    bool m_closeAfterSend = false;    // the window closes once the send is done
    bool m_closing = false;           // the window is going: commands stop
    bool m_overwriteUnread = false;   // the pilot chose to write without a backup
    bool m_fileIntended = false;      // a file loaded unsent is the pilot's set-up
    int m_lateBlocks = 0;             // blocks that came after their Read ended
    QAction *m_verifyAction = nullptr;

    QUndoStack *m_edits = nullptr;
    EditorGuard *m_editorGuard = nullptr;
    QMenu *m_statusMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_revertAction = nullptr;
    ParameterSet m_editBase;   // the settings as the last edit or refresh left them
    int m_editPause = 0;       // > 0: the program is setting the editors
    std::pair<int, int> m_shownDualRate{0, 0}; // DrCh and DrPosi as the last pass showed them

    UrlOpener m_openUrl;       // empty: QDesktopServices
    TrafficHistory m_traffic;  // the last messages both ways, for diagnostics
    QTimer *m_answerTimer = nullptr; // runs from "OK" until a live packet comes
    bool m_answerHeard = false;
};
