// The banner under the tab bar: a send cut short or a lost connection stays
// in sight until a complete Read or until the pilot closes it.
#include "app/mainwindow.h"

#include "app/statustexts.h"

void MainWindow::showInterruption(Interruption what, int frames)
{
    // A cut send says more than the lost connection that cut it.
    if (what == Interruption::ConnectionLost && m_interruption == Interruption::SendCut && m_banner.isShown())
        return;
    m_interruption = what;
    m_interruptedFrames = frames;
    showBanner();
}

void MainWindow::dismissInterruption()
{
    m_interruption = Interruption::None;
    m_banner.hide();
}

void MainWindow::showBanner()
{
    switch (m_interruption) {
    case Interruption::None:
        m_banner.hide();
        break;
    case Interruption::SendCut:
        m_banner.show(StatusTexts::sendCutBanner(m_interruptedFrames));
        break;
    case Interruption::ConnectionLost:
        m_banner.show(StatusTexts::connectionLost());
        break;
    }
}
