// The refresh pass and the live monitor: channel values and bars on the
// first page, telemetry in the strip at the top.
#include "app/mainwindow.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>
#include <QTime>

#include "app/edithistory.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "ui/mainform.h"
#include "model/monitortext.h"
#include "model/telemetryglance.h"
#include "model/translations.h"

namespace {
// Setting an unchanged text still costs a relayout; the monitor runs ten
// times a second, so skip it.
void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit && edit->text() != text)
        edit->setText(text);
}

// A bar repaints itself, and the page beneath it, at once whenever its value
// changes: sixteen bars ten times a second. Drawn with the next frame
// instead, all of them cost one pass. A bar ignores values outside its range
// and keeps the last one.
void setBarValue(QProgressBar *bar, int value)
{
    if (bar->value() == value || value < bar->minimum() || value > bar->maximum())
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true); // schedules an ordinary update
}
} // namespace

void MainWindow::ui_Display()
{
    // The program sets the editors here: nothing of it is the user's edit,
    // and nothing of it is stored. A dual-rate channel or switch position
    // that changed since the last pass (a selector of the curve page, a
    // reset) first selects the values the boxes show, as choosing it does.
    const std::pair<int, int> selection{params().DrCh, params().DrPosi};
    if (selection != m_shownDualRate) {
        m_shownDualRate = selection;
        Dr_DataSelet();
    }
    m_history->beginShowing();
    Servo_Display();
    Recieve_Display();
    m_binder.show(params());
    m_history->endShowing();
}

void MainWindow::Servo_Display()
{
    for (int ch = 0; ch < 8; ++ch) {
        const int v = channelOutput(ch).of(params());
        setTextIfChanged(m_channelValues.at(ch), QString::number(v));
        const BarLevels levels = barLevels(v);
        setBarValue(m_upperBars.at(ch), levels.upper);
        setBarValue(m_lowerBars.at(ch), levels.lower);
    }
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_TX")), txVoltText(liveValues().LiveTxVolt));
}

void MainWindow::Recieve_Display()
{
    const LiveValues &live = liveValues();
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_RSSI")), rssiText(live.LiveRssi));
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_EXT")), tenthsVoltText(live.LiveExtVolt));
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_RX")), tenthsVoltText(live.LiveRxVolt));
    showTelemetryAge();
}

void MainWindow::noteLivePacket()
{
    // Fifty packets a second: the clock time is worked out only once a
    // tooltip needs it (the time zone look-up behind it is dear).
    m_sinceLivePacket.start();
    m_livePacketAt.clear();
}

// The values keep what the monitor shows; while no live packet came for a
// second they are dimmed, and their tooltip says how old they are and why.
// A field is touched only when its look or its tooltip changes.
void MainWindow::showTelemetryAge()
{
    const qint64 since = m_sinceLivePacket.isValid() ? m_sinceLivePacket.elapsed() : -1;
    const bool stale = telemetryStale(since);
    const bool aged = telemetryNeedsAge(since);
    if (aged && since >= 0 && m_livePacketAt.isEmpty())
        m_livePacketAt = QTime::currentTime().addMSecs(-since).toString(QStringLiteral("HH:mm:ss"));
    const QStringList names = telemetryValueNames();
    // The looks and tooltips follow from these alone, which ten times a
    // second mostly stand still: the tooltips are worked out again only
    // when one of them changed.
    QStringList inputs{stale ? QStringLiteral("stale") : QString(), aged ? QStringLiteral("aged") : QString(),
                       m_livePacketAt, portIsOpen() ? QStringLiteral("open") : QString(), currentLanguage()};
    if (aged) {
        for (const QString &name : names) {
            const auto *field = ui->find<QLineEdit>(name);
            inputs.append(field ? field->text() : QString());
        }
    }
    if (inputs == m_telemetryAgeInputs)
        return;
    m_telemetryAgeInputs = inputs;
    const QStringList captions{QStringLiteral("lineEdit_26"), QStringLiteral("lineEdit_27"),
                               QStringLiteral("lineEdit_30"), QStringLiteral("lineEdit_37")};
    for (int i = 0; i < names.size(); ++i) {
        auto *field = ui->find<QLineEdit>(names.at(i));
        const auto *caption = ui->find<QLineEdit>(captions.at(i));
        if (!field)
            continue;
        const QString tip = aged && caption
                ? staleTelemetryToolTip(caption->text(), field->text(), m_livePacketAt, portIsOpen())
                : QString();
        if (field->toolTip() != tip)
            field->setToolTip(tip);
        if (field->property("stale").toBool() != stale) {
            field->setProperty("stale", stale);
            field->style()->unpolish(field);
            field->style()->polish(field);
            field->update();
        }
    }
}
