// The live monitor: channel values and bars on the first page, telemetry in
// the strip at the top.
#include "app/mainwindow.h"

#include <QLineEdit>
#include <QProgressBar>

#include "link/livevalues.h"
#include "model/parameterset.h"
#include "ui/mainform.h"
#include "model/monitortext.h"

namespace {
// Setting an unchanged text still costs a relayout; the monitor runs ten
// times a second, so skip it.
void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit && edit->text() != text)
        edit->setText(text);
}
} // namespace

void MainWindow::Servo_Display()
{
    for (int ch = 0; ch < 8; ++ch) {
        const int v = channelOutput(ch).of(params());
        setTextIfChanged(m_channelValues.at(ch), QString::number(v));
        const BarLevels levels = barLevels(v);
        // A bar ignores values outside its range and keeps the last one.
        m_upperBars.at(ch)->setValue(levels.upper);
        m_lowerBars.at(ch)->setValue(levels.lower);
    }
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_TX")), txVoltText(liveValues().LiveTxVolt));
}

void MainWindow::Recieve_Display()
{
    const LiveValues &live = liveValues();
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_RSSI")), rssiText(live.LiveRssi));
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_EXT")), tenthsVoltText(live.LiveExtVolt));
    setTextIfChanged(ui->find<QLineEdit>(QStringLiteral("lineEdit_RX")), tenthsVoltText(live.LiveRxVolt));
}
