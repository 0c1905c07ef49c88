#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include "app/commandhelp.h"
#include "app/edithistory.h"
#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "files/backups.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "ui/accessibility.h"
#include "ui/formtables.h"
#include "ui/mainform.h"
#include "ui/rangehint.h"

struct MainWindow::OwnState
{
    ParameterSet set;
    LiveValues live;
    ParameterFrames frames;
};

MainWindow::MainWindow(QWidget *parent)
    : MainWindow(std::make_unique<OwnState>(), parent)
{
}

MainWindow::MainWindow(std::unique_ptr<OwnState> own, QWidget *parent)
    : MainWindow(own->set, own->live, own->frames, parent)
{
    m_own = std::move(own);
}

MainWindow::MainWindow(ParameterSet &set, LiveValues &live, ParameterFrames &frames, QWidget *parent)
    : QMainWindow(parent)
    , ui(new MainForm)
    , m_conversation(set, live, frames)
    , m_boxes(this, m_statusView, [this] { updateTransmitterState(); })
{
    ui->setupUi(this);
    // The open caption of the language in use from the start.
    showPortState();
    CommandHelp::apply(*ui, Backups::defaultDirectory());
    // The same picture as the desktop entry.
    setWindowIcon(QIcon(QStringLiteral(":/myImage/images/app.png")));

    connect(&port(), &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    connect(&m_conversation, &Conversation::messageDecoded, this, &MainWindow::afterDecoding);
    connect(&m_conversation, &Conversation::written, &m_answer, &AnswerWatch::outbound);
    connect(&m_answer, &AnswerWatch::missing, this, &MainWindow::answerMissing);
    // Queued: the port is closed from this handler, which must not happen
    // inside the port's own read notification.
    connect(&m_conversation, &Conversation::lost, this, &MainWindow::portLost, Qt::QueuedConnection);

    m_binder.bind(*ui);
    m_monitor.bind(*ui);

    setUpPortList();
    ui->tabWidget->setCurrentIndex(0);

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
    refreshTimer->start(100);

    setUpTransmitterState();
    setUpEditHistory();
    setUpLanguageMenu();
    setUpSetupTools();
    RangeHint::watchAll(ui->centralwidget);
    Accessibility::apply(*ui, this);
}

// The port closes with the member's destruction; no goodbye is sent on this
// path.
MainWindow::~MainWindow()
{
    // The edit history tells this window when it empties, which it does as it
    // is destroyed: let it go while the window is still whole.
    delete m_history;
    m_history = nullptr;
    delete ui;
}

QUndoStack *MainWindow::editHistory() const
{
    return m_history->stack();
}

bool MainWindow::portIsOpen() const
{
    // Asked of the port itself: the caption follows it, and changes with
    // the language.
    return m_conversation.isOpen();
}

void MainWindow::showPortMessage(const QString &text)
{
    QMessageBox::about(nullptr, portTexts().title, text);
}

QVector<QAbstractButton *> MainWindow::transferButtons() const
{
    return {ui->toolButton_Read, ui->toolButton_Load, ui->toolButton_Send,
            ui->toolButton_Save, ui->toolButton_Reset, ui->pushButton_Reset2};
}
