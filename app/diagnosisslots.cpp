// The connection check in the window: the cause and fix under the box that
// says the port cannot be opened, a note on the status line when nothing
// answers "OK", the check on demand from the status line's menu, and the
// diagnostics a pilot copies into a report.
#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <memory>

#include "app/messagetexts.h"
#include "app/portchooser.h"
#include "link/connectioncheck.h"
#include "link/diagnosticreport.h"
#include "link/inboundparser.h"
#include "link/systemprobe.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "ui/formlanguage.h"
#include "ui/mainform.h"

namespace {

QString checkText(const char *source)
{
    return QCoreApplication::translate("ConnectionCheckWindow", source);
}

QString toolName()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
}

// The report's steps as the box's details; its text says the cause.
QString detailsOf(const ConnectionReport &report)
{
    return ConnectionCheck::lines(report).join(QLatin1Char('\n'));
}

// How long the copy button says it has copied.
constexpr int kCopiedMs = 2000;

} // namespace

QAction *MainWindow::newConnectionCheckAction()
{
    auto *action = new QAction(this);
    setTranslatedText(action, "ConnectionCheckWindow", QT_TRANSLATE_NOOP("ConnectionCheckWindow", "检查连接"));
    action->setObjectName(QStringLiteral("connectionCheckAction"));
    connect(action, &QAction::triggered, this, &MainWindow::checkConnectionNow);
    return action;
}

// A box like QMessageBox::about (no parent, the window's icon, one OK),
// with the cause and fix as its details and a button that copies them with
// everything else worth knowing.
void MainWindow::showCheckBox(const QString &title, const QString &message, const ConnectionReport &report)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(message);
    const QIcon icon = box.windowIcon();
    box.setIconPixmap(icon.pixmap(icon.actualSize(QSize(64, 64))));
    box.addButton(QMessageBox::Ok);
    box.setDetailedText(detailsOf(report));
    const QString label = checkText(QT_TRANSLATE_NOOP("ConnectionCheckWindow", "复制诊断信息"));
    QPushButton *copy = box.addButton(label, QMessageBox::ActionRole);
    // Copying leaves the box open, and says for a moment that it copied,
    // the button keeping its width.
    copy->disconnect();
    copy->setMinimumWidth(copy->sizeHint().width());
    const QString diagnostics = diagnosticReport(toolName(), report, m_answer.trafficLines());
    connect(copy, &QPushButton::clicked, &box, [copy, label, diagnostics] {
        QGuiApplication::clipboard()->setText(diagnostics);
        copy->setText(checkText(QT_TRANSLATE_NOOP("ConnectionCheckWindow", "已复制")));
        QTimer::singleShot(kCopiedMs, copy, [copy, label] { copy->setText(label); });
    });
    box.exec();
}

// The box keeps its first line, and names the port, the cause and the fix
// under it; when no step finds why, the system's own words (why) are the
// last step's, never "all checks passed".
void MainWindow::showOpenFailure(const QString &port, const QString &why)
{
    const ConnectionReport report = ConnectionCheck::run(liveSystemProbe(), port, [why] {
        return ListenResult{ListenResult::OpenFailed, why};
    });
    const PortTexts texts = portTexts();
    QString message = texts.cannotOpen + QStringLiteral("\n\n");
    if (!port.isEmpty())
        message += checkText(QT_TRANSLATE_NOOP("ConnectionCheckWindow", "串口：%1")).arg(port) + QLatin1Char('\n');
    showCheckBox(texts.title, message + ConnectionCheck::summary(report), report);
}

// Nothing answered "OK": the status line names the cause, unless a command
// has something of its own to say.
void MainWindow::answerMissing()
{
    if (!portIsOpen() || m_transferRunning || m_statusView.hasOutcome())
        return;
    // The check's findings are in the words of the language it ran in: after
    // a language switch it runs again for them, keeping the first findings
    // should the cause have gone meanwhile.
    struct Findings
    {
        QString language;
        ConnectionReport report;
    };
    const auto findings = std::make_shared<Findings>();
    const QString port = m_ports->chosen();
    const auto check = [findings, port]() -> const ConnectionReport & {
        if (findings->language != currentLanguage()) {
            const ConnectionReport report = ConnectionCheck::run(
                    liveSystemProbe(), port, [] { return ListenResult{ListenResult::Silent, QString()}; }, true);
            if (findings->language.isEmpty() || report.cause())
                findings->report = report;
            findings->language = currentLanguage();
        }
        return findings->report;
    };
    const CheckResult *cause = check().cause();
    if (!cause)
        return;
    setOutcome([check] { return ConnectionCheck::headline(check().cause()->id); },
               [check] { return check().cause()->fix; },
               [check] { return ConnectionCheck::lines(check()).join(QLatin1Char('\n')); });
}

void MainWindow::checkConnectionNow()
{
    const QString port = m_ports->chosen();
    ConnectionReport report;
    if (portIsOpen()) {
        // The port is this window's: what it heard since "OK" is the answer,
        // unknown while the wait for it runs.
        const ListenResult::Answer answer = m_answer.answer();
        report = ConnectionCheck::run(liveSystemProbe(), port, [answer] { return ListenResult{answer, QString()}; },
                                      true);
    } else {
        report = ConnectionCheck::run(liveSystemProbe(), port, [port] { return ConnectionCheck::listen(port); });
    }
    showCheckBox(checkText(QT_TRANSLATE_NOOP("ConnectionCheckWindow", "连接检查")), ConnectionCheck::summary(report), report);
}
