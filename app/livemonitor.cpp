#include "app/livemonitor.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>
#include <QTime>

#include "link/livevalues.h"
#include "model/monitortext.h"
#include "model/parameterset.h"
#include "model/telemetryglance.h"
#include "model/translations.h"
#include "ui/formtables.h"
#include "ui/mainform.h"

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

void LiveMonitor::bind(const MainForm &form)
{
    m_form = &form;
    for (int n = 1; n <= 8; ++n) {
        const FormTables::MonitorColumn column = FormTables::monitorColumn(n);
        m_channelValues.append(form.find<QLineEdit>(column.valueName));
        m_upperBars.append(form.find<QProgressBar>(column.upperBarName));
        m_lowerBars.append(form.find<QProgressBar>(column.lowerBarName));
    }
}

void LiveMonitor::showChannels(const ParameterSet &p, const LiveValues &live)
{
    for (int ch = 0; ch < 8; ++ch) {
        const int v = channelOutput(ch).of(p);
        setTextIfChanged(m_channelValues.at(ch), QString::number(v));
        const BarLevels levels = barLevels(v);
        setBarValue(m_upperBars.at(ch), levels.upper);
        setBarValue(m_lowerBars.at(ch), levels.lower);
    }
    setTextIfChanged(m_form->find<QLineEdit>(QStringLiteral("lineEdit_TX")), txVoltText(live.LiveTxVolt));
}

void LiveMonitor::showReceiver(const LiveValues &live, bool portOpen)
{
    setTextIfChanged(m_form->find<QLineEdit>(QStringLiteral("lineEdit_RSSI")), rssiText(live.LiveRssi));
    setTextIfChanged(m_form->find<QLineEdit>(QStringLiteral("lineEdit_EXT")), tenthsVoltText(live.LiveExtVolt));
    setTextIfChanged(m_form->find<QLineEdit>(QStringLiteral("lineEdit_RX")), tenthsVoltText(live.LiveRxVolt));
    showAge(portOpen);
}

void LiveMonitor::notePacket()
{
    // Fifty packets a second: the clock time is worked out only once a
    // tooltip needs it (the time zone look-up behind it is dear).
    m_sincePacket.start();
    m_packetAt.clear();
}

bool LiveMonitor::heardWithin(qint64 ms) const
{
    return m_sincePacket.isValid() && m_sincePacket.elapsed() <= ms;
}

// The values keep what the monitor shows; while no live packet came for a
// second they are dimmed, and their tooltip says how old they are and why.
void LiveMonitor::showAge(bool portOpen)
{
    const qint64 since = m_sincePacket.isValid() ? m_sincePacket.elapsed() : -1;
    const bool stale = telemetryStale(since);
    const bool aged = telemetryNeedsAge(since);
    if (aged && since >= 0 && m_packetAt.isEmpty())
        m_packetAt = QTime::currentTime().addMSecs(-since).toString(QStringLiteral("HH:mm:ss"));
    const QStringList names = telemetryValueNames();
    // The looks and tooltips follow from these alone, which ten times a
    // second mostly stand still: the tooltips are worked out again only
    // when one of them changed.
    QStringList inputs{stale ? QStringLiteral("stale") : QString(), aged ? QStringLiteral("aged") : QString(),
                       m_packetAt, portOpen ? QStringLiteral("open") : QString(), currentLanguage()};
    if (aged) {
        for (const QString &name : names) {
            const auto *field = m_form->find<QLineEdit>(name);
            inputs.append(field ? field->text() : QString());
        }
    }
    if (inputs == m_ageInputs)
        return;
    m_ageInputs = inputs;
    const QStringList captions{QStringLiteral("lineEdit_26"), QStringLiteral("lineEdit_27"),
                               QStringLiteral("lineEdit_30"), QStringLiteral("lineEdit_37")};
    for (int i = 0; i < names.size(); ++i) {
        auto *field = m_form->find<QLineEdit>(names.at(i));
        const auto *caption = m_form->find<QLineEdit>(captions.at(i));
        if (!field)
            continue;
        const QString tip = aged && caption
                ? staleTelemetryToolTip(caption->text(), field->text(), m_packetAt, portOpen)
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
