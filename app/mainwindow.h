#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

#include "app/livemonitor.h"
#include "app/statuspresenter.h"
#include "app/statustexts.h"
#include "link/conversation.h"
#include "link/framecodec.h"
#include "link/protocol.h"
#include "transfer/replyrules.h"
#include "link/sendtally.h"
#include "link/answerwatch.h"
#include "link/transmitterrecord.h"
#include "transfer/transferworkflow.h"
#include "app/transferboxes.h"
#include "ui/settingbinder.h"

class MainForm;
class PortChooser;
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
class EditHistory;
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
    // The window on a set-up, live values and frames of its own, kept as long
    // as it lives: two of them side by side share nothing.
    explicit MainWindow(QWidget *parent = nullptr);
    // The window on a set, live values and frames its caller keeps.
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
    QUndoStack *editHistory() const;
    QMenu *statusMenu() const { return m_statusMenu; }
    // How the window asks the system to open a folder (the backups, a
    // backup's): QDesktopServices unless another is given, as tests do to
    // make it fail. It returns false when nothing opened it; the window then
    // shows where the folder is, to copy.
    using UrlOpener = std::function<bool(const QUrl &url)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // The banner under the tab bar after a cut send or a lost connection.
    const StatusBanner &banner() const { return m_statusView.banner(); }

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

    // The text of the last parameter file Load sent (bounded to the prefix
    // that matters), kept until the next Load.
    const QString &loadedFileText() const { return m_loadedText; }

    // Whether each send is read back and compared (remembered; on unless
    // switched off in the status line's menu).
    bool verifiesSends() const;
    void setVerifiesSends(bool on);

    // Ends the tool now, as "放弃并关闭" does and as a termination signal
    // asks: nothing more is sent, the port is closed, every wait ends.
    void endNow();

protected:
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

    // The language entries of the status-line menu; every text again.
    void setUpLanguageMenu();
    void retranslateWindow();

    void setUpPortList();
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
    void showReadStep(TransferWorkflow::ReadPurpose purpose, int received);
    void showReadOutcome(TransferWorkflow::ReadPurpose purpose, const TransmitterRecord::ReadOutcome &outcome);
    // One message put together from the inbound chunks, decoded: noted and
    // shown.
    void afterDecoding(const QByteArray &message, const InboundResult &result);
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
    bool transmitterPresent() const;
    bool knowBefore(StatusTexts::Command command, bool adoptRead);
    bool confirmChanges(StatusTexts::Command command, const ParameterSet &to, const QString &subject);
    // What the send and its read-back came to, and (details) what differs.
    Phrase finishAndCheck(StatusTexts::Command command, Phrase *details);
    // The window's set-up into a file (the close box's "save first"); false:
    // nothing was written.
    bool saveWindowToFile();
    void resetTransmitter(StatusTexts::Command command);
    // What Load sends: the file's frames over what the transmitter holds;
    // found: the frames in place.
    bool loadedSettings(const QString &text, ParameterSet *out, FileDecodeResult *found);

    void setUpSetupTools();
    void chooseSheet();

    // The history of the user's edits (app/edithistory.cpp).
    void setUpEditHistory();
    void openBackupFolder();
    bool openUrl(const QUrl &url) const;
    void showStatusMenu(const QPoint &pos);

    // The connection check (app/diagnosisslots.cpp): the cause and fix when
    // the port does not open or nothing answers "OK", and on demand.
    QAction *newConnectionCheckAction();
    void showCheckBox(const QString &title, const QString &message, const ConnectionReport &report);
    void answerMissing();
    void checkConnectionNow();

    // What a window built without them holds itself: the set-up, live values
    // and frames the conversation works on. Before the conversation, so that
    // it outlives it.
    struct OwnState;
    MainWindow(std::unique_ptr<OwnState> own, QWidget *parent);
    std::unique_ptr<OwnState> m_own;

    MainForm *ui;
    // How much of the running send went out. Before the port: the port
    // closes as it goes and tells the tally.
    SendTally m_tally;
    Conversation m_conversation;
    QTimer *refreshTimer = nullptr;
    PortChooser *m_ports = nullptr;
    QString loadPath;
    QString m_givenLoadPath; // loadFile(): Load takes it instead of asking
    QString m_loadedText;

    SettingBinder m_binder;
    bool m_transferRunning = false;

    // What the transmitter holds, and every command's sequence around the
    // frames: reads, the read-first, backups, read-backs; stopped once the
    // window is going.
    TransferWorkflow m_workflow{m_conversation};
    StatusPresenter m_statusView;
    TransferBoxes m_boxes;
    LiveMonitor m_monitor;
    StatusTexts::Command m_sending = StatusTexts::Command::Write;
    bool m_closeAfterSend = false;    // the window closes once the send is done
    QAction *m_verifyAction = nullptr;

    EditHistory *m_history = nullptr;
    QMenu *m_statusMenu = nullptr;
    std::pair<int, int> m_shownDualRate{0, 0}; // DrCh and DrPosi as the last pass showed them

    UrlOpener m_openUrl;       // empty: QDesktopServices
    AnswerWatch m_answer;      // "OK" answered, and the last messages both ways
};
