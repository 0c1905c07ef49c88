// The refresh pass and the live monitor's slots: channel values and bars on
// the first page, telemetry in the strip at the top (app/livemonitor.*).
#include "app/mainwindow.h"

#include "app/edithistory.h"
#include "model/parameterset.h"

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
    m_monitor.showChannels(params(), liveValues());
}

void MainWindow::Recieve_Display()
{
    m_monitor.showReceiver(liveValues(), portIsOpen());
}
