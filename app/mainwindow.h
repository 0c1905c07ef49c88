#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QVector>

#include <optional>

#include "app/statustexts.h"
#include "link/conversation.h"
#include "link/framecodec.h"
#include "link/portlist.h"
#include "link/portwatch.h"
#include "link/protocol.h"
#include "link/sendcheck.h"
#include "link/sendtally.h"
#include "link/traffichistory.h"
#include "link/transmitterrecord.h"
#include "ui/pagerefresh.h"
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
class EditorGuard;
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
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

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

    // Whether each send is read back and compared (remembered; on unless
    // switched off in the status line's menu).
    bool verifiesSends() const;
    void setVerifiesSends(bool on);

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

    // Page refresh
    void Rev_Display();
    void EPA_Display();
    void SubTrim_Display();
    void FS_Display();
    void Delay_Display();
    void Aux_Display();
    void DR_Display();
    void Parameter_Display();
    void Atti_Display();
    void Elev_Display();
    void Vtype_Display();
    void Prm_Display();
    void DRCure_Display();
    void THcure_Display();
    void ui_Display();

    // Editing: each stores its editor's value into one member
    void on_comboBox_rev1_currentIndexChanged(int value);
    void on_comboBox_rev2_currentIndexChanged(int value);
    void on_comboBox_rev3_currentIndexChanged(int value);
    void on_comboBox_rev4_currentIndexChanged(int value);
    void on_comboBox_rev5_currentIndexChanged(int value);
    void on_comboBox_rev6_currentIndexChanged(int value);
    void on_comboBox_rev7_currentIndexChanged(int value);
    void on_comboBox_rev8_currentIndexChanged(int value);
    void on_spinBox_sub1_valueChanged(int value);
    void on_spinBox_sub2_valueChanged(int value);
    void on_spinBox_sub3_valueChanged(int value);
    void on_spinBox_sub4_valueChanged(int value);
    void on_spinBox_sub5_valueChanged(int value);
    void on_spinBox_sub6_valueChanged(int value);
    void on_spinBox_sub7_valueChanged(int value);
    void on_spinBox_sub8_valueChanged(int value);
    void on_spinBox_Lepa1_valueChanged(int value);
    void on_spinBox_Lepa2_valueChanged(int value);
    void on_spinBox_Lepa3_valueChanged(int value);
    void on_spinBox_Lepa4_valueChanged(int value);
    void on_spinBox_Lepa5_valueChanged(int value);
    void on_spinBox_Lepa6_valueChanged(int value);
    void on_spinBox_Lepa7_valueChanged(int value);
    void on_spinBox_Lepa8_valueChanged(int value);
    void on_spinBox_Repa1_valueChanged(int value);
    void on_spinBox_Repa2_valueChanged(int value);
    void on_spinBox_Repa3_valueChanged(int value);
    void on_spinBox_Repa4_valueChanged(int value);
    void on_spinBox_Repa5_valueChanged(int value);
    void on_spinBox_Repa6_valueChanged(int value);
    void on_spinBox_Repa7_valueChanged(int value);
    void on_spinBox_Repa8_valueChanged(int value);
    void on_spinBox_FS1_valueChanged(int value);
    void on_spinBox_FS2_valueChanged(int value);
    void on_spinBox_FS3_valueChanged(int value);
    void on_spinBox_FS4_valueChanged(int value);
    void on_spinBox_FS5_valueChanged(int value);
    void on_spinBox_FS6_valueChanged(int value);
    void on_spinBox_FS7_valueChanged(int value);
    void on_spinBox_FS8_valueChanged(int value);
    void on_spinBox_delay1_valueChanged(int value);
    void on_spinBox_delay2_valueChanged(int value);
    void on_spinBox_delay3_valueChanged(int value);
    void on_spinBox_delay4_valueChanged(int value);
    void on_spinBox_delay5_valueChanged(int value);
    void on_spinBox_delay6_valueChanged(int value);
    void on_spinBox_delay7_valueChanged(int value);
    void on_spinBox_delay8_valueChanged(int value);
    void on_comboBox_AUX5_currentIndexChanged(int value);
    void on_comboBox_AUX6_currentIndexChanged(int value);
    void on_comboBox_AUX7_currentIndexChanged(int value);
    void on_comboBox_AUX8_currentIndexChanged(int value);
    void on_comboBox_DR_MIX1_currentIndexChanged(int value);
    void on_comboBox_DR_MIX2_currentIndexChanged(int value);
    void on_comboBox_DR_CH2_currentIndexChanged(int value);
    void on_comboBox_DR_SW2_currentIndexChanged(int value);
    void on_comboBox_AttiM_currentIndexChanged(int value);
    void on_spinBox_Atti1_valueChanged(int value);
    void on_spinBox_Atti2_valueChanged(int value);
    void on_spinBox_Atti3_valueChanged(int value);
    void on_spinBox_Atti4_valueChanged(int value);
    void on_spinBox_Atti5_valueChanged(int value);
    void on_spinBox_Atti6_valueChanged(int value);
    void on_comboBox_EleMix_currentIndexChanged(int value);
    void on_spinBox_Elev01_valueChanged(int value);
    void on_spinBox_Elev02_valueChanged(int value);
    void on_spinBox_Elev03_valueChanged(int value);
    void on_spinBox_Elev04_valueChanged(int value);
    void on_spinBox_Elev05_valueChanged(int value);
    void on_spinBox_Elev06_valueChanged(int value);
    void on_comboBox_RuMix_currentIndexChanged(int value);
    void on_spinBox_Ru1_valueChanged(int value);
    void on_spinBox_Ru2_valueChanged(int value);
    void on_spinBox_Ru3_valueChanged(int value);
    void on_spinBox_Ru4_valueChanged(int value);
    void on_comboBox_PRM01_Mix_currentIndexChanged(int value);
    void on_comboBox_PRM02_Mix_currentIndexChanged(int value);
    void on_comboBox_PRM03_Mix_currentIndexChanged(int value);
    void on_comboBox_PRM04_Mix_currentIndexChanged(int value);
    void on_comboBox_PRM01_Master_currentIndexChanged(int value);
    void on_comboBox_PRM02_Master_currentIndexChanged(int value);
    void on_comboBox_PRM03_Master_currentIndexChanged(int value);
    void on_comboBox_PRM04_Master_currentIndexChanged(int value);
    void on_comboBox_PRM01_Slave_currentIndexChanged(int value);
    void on_comboBox_PRM02_Slave_currentIndexChanged(int value);
    void on_comboBox_PRM03_Slave_currentIndexChanged(int value);
    void on_comboBox_PRM04_Slave_currentIndexChanged(int value);
    void on_spinBox_PRM01_Data1_valueChanged(int value);
    void on_spinBox_PRM02_Data1_valueChanged(int value);
    void on_spinBox_PRM03_Data1_valueChanged(int value);
    void on_spinBox_PRM04_Data1_valueChanged(int value);
    void on_spinBox_PRM01_Data2_valueChanged(int value);
    void on_spinBox_PRM02_Data2_valueChanged(int value);
    void on_spinBox_PRM03_Data2_valueChanged(int value);
    void on_spinBox_PRM04_Data2_valueChanged(int value);
    void on_spinBox_PRM01_Data3_valueChanged(int value);
    void on_spinBox_PRM02_Data3_valueChanged(int value);
    void on_spinBox_PRM03_Data3_valueChanged(int value);
    void on_spinBox_PRM04_Data3_valueChanged(int value);
    void on_comboBox_THCURE_MIX_currentIndexChanged(int value);
    void on_spinBox_THCURE_Data01_valueChanged(int value);
    void on_spinBox_THCURE_Data02_valueChanged(int value);
    void on_spinBox_THCURE_Data03_valueChanged(int value);
    void on_spinBox_THCURE_Data04_valueChanged(int value);
    void on_spinBox_THCURE_Data05_valueChanged(int value);
    void on_spinBox_THCURE_Data06_valueChanged(int value);
    void on_spinBox_THCURE_Data07_valueChanged(int value);
    void on_doubleSpinBox_Volt_valueChanged(double value);
    void on_doubleSpinBox_rxVolt_valueChanged(double value);
    void on_doubleSpinBox_extVolt_valueChanged(double value);
    void on_spinBox_Rssi_valueChanged(int value);
    void on_spinBox_Mode_valueChanged(int value);
    void on_spinBox_Vertion_valueChanged(int value);

    // Editing: dual rates, routed by DrCh and DrPosi
    void on_comboBox_DR_CH1_currentIndexChanged(int index);
    void on_comboBox_DR_POSI_currentIndexChanged(int index);
    void on_spinBox_DR_UP1_valueChanged(int value);
    void on_spinBox_DR_DOWN1_valueChanged(int value);
    void on_spinBox_DR_RATE_valueChanged(int value);
    void on_spinBox_DR_EXP_valueChanged(int value);

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
    void StkTrim_Display();

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
    QString chosenPortName() const;
    QString identityOfPort(const QString &name) const;

    void setUpPortList();
    void followPorts();
    void rescanPorts();
    bool portIsOpen() const;
    QString openCaption() const;
    void showPortMessage(const QString &text);
    void closePort(bool sayGoodbye);
    void sendFrame(FrameKind kind);
    void sendFramesAndFinish();
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
    // A sending command begins: the backup, then the progress.
    void beginSending(StatusTexts::Command command);
    // Frame step of 4 is out (5: the closing acknowledgement).
    void showSendStep(int step);
    void endProgress();
    // The send is over: records what the transmitter now holds as far as
    // it is known and says how far the send got ("已写入", "写入中断 2/4").
    QString finishSending(StatusTexts::Command command);
    void setOutcome(const QString &text, const QString &detail = QString(),
                    const QString &details = QString());
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
    QString finishAndCheck(StatusTexts::Command command, QString *details);
    QVector<SettingChange> netEdits() const;
    void resetTransmitter(StatusTexts::Command command);
    // What Load sends: the file's frames over what the transmitter holds.
    bool loadedSettings(const QString &text, ParameterSet *out, QString *lacking);
    bool stopping() const { return m_closing; }

    // The history of the user's edits (app/edithistory.cpp).
    void setUpEditHistory();
    void recordEdit(int editor);
    void applyEdit(const QVector<SettingChange> &changes, bool after);
    void clearEdits();
    void undoEdit();
    void redoEdit();
    void revertToTransmitter();
    void openBackupFolder();
    void updateEditActions();
    void showStatusMenu(const QPoint &pos);

    // The connection check (app/diagnosisslots.cpp): the cause and fix when
    // the port does not open or nothing answers "OK", and on demand.
    void recordTraffic(bool outbound, const QByteArray &bytes);
    QAction *newConnectionCheckAction();
    void showCheckBox(const QString &title, const QString &message, const ConnectionReport &report);
    void showOpenFailure(const QString &message, const QString &why);
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

    PageRefresher m_pages;
    QVector<QLineEdit *> m_channelValues;
    QVector<QProgressBar *> m_upperBars;
    QVector<QProgressBar *> m_lowerBars;
    bool m_transferRunning = false;

    TransmitterRecord m_record;
    StatusLine m_status;
    QTimer *m_replyTimer = nullptr;
    QString m_outcome;        // first line: the last command's outcome with its time
    QString m_outcomeDetail;  // second line when nothing is unwritten
    QString m_outcomeDetails; // tooltip
    QString m_backupNote;     // the backup taken before the last send
    QString m_backupDetail;
    bool m_backupFresh = false; // the backup was taken by the running command
    StatusBanner m_banner;
    Interruption m_interruption = Interruption::None;
    int m_interruptedFrames = 0;
    QElapsedTimer m_sinceLivePacket; // invalid until the first live packet
    QString m_livePacketAt;          // "20:43:12"
    int m_telemetryShown = -1;       // -1 not yet, 0 live, 1 stale
    QString m_telemetryTip;
    QString m_absentPort; // the chosen port, unplugged, kept in the list as such
    QVector<QWidget *> m_trackedEditors;
    QVector<bool> m_marks;    // the mark each tracked editor carries
    StatusTexts::Command m_sending = StatusTexts::Command::Write;
    QString m_progressLine;   // first line while a command runs
    ReadPurpose m_readPurpose = ReadPurpose::Show;
    TransmitterRecord::ReadOutcome m_lastRead;
    QEventLoop *m_readLoop = nullptr; // runs while a command waits for a reply
    QElapsedTimer m_lastInbound;      // the last chunk of any kind
    std::optional<ParameterSet> m_keptSettings; // a backup read's blocks do not replace these
    QString m_busyNote;               // a command refused while another ran
    bool m_closeAfterSend = false;    // the window closes once the send is done
    bool m_closing = false;           // the window is going: commands stop
    bool m_overwriteUnread = false;   // the pilot chose to write without a backup
    QAction *m_verifyAction = nullptr;

    QUndoStack *m_edits = nullptr;
    EditorGuard *m_editorGuard = nullptr;
    QMenu *m_statusMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_revertAction = nullptr;
    QStringList m_editorNames; // the editors whose changes are recorded, by number
    ParameterSet m_editBase;   // the settings as the last edit or refresh left them
    int m_editPause = 0;       // > 0: the program is setting the editors

    TrafficHistory m_traffic;  // the last messages both ways, for diagnostics
    QTimer *m_answerTimer = nullptr; // runs from "OK" until a live packet comes
    bool m_answerHeard = false;
};
