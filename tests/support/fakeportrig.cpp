#include "support/fakeportrig.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "model/translations.h"
#include "support/appstate.h"
#include "ui/mainform.h"

bool FakePortRig::start(const QString &language)
{
    installLanguage(language);
    tx = std::make_unique<FakeTransmitter>();
    if (!tx->isOpen()) {
        error = tx->errorString();
        return false;
    }
    qputenv("KELVO_EXTRA_PORTS", tx->devicePath().toLocal8Bit());
    w = std::make_unique<MainWindow>();
    w->setPacing(quickPacing());
    qunsetenv("KELVO_EXTRA_PORTS");
    if (w->form()->portNameBox->currentText() != tx->devicePath()) {
        error = QStringLiteral("the transmitter is not first in the port list");
        return false;
    }
    return true;
}

void FakePortRig::stop()
{
    w.reset();
    tx.reset();
}

bool FakePortRig::openPort()
{
    w->form()->openButton->click();
    return tx->waitForMessage(QStringLiteral("OK"), 5000);
}

bool waitForStream(MainWindow &w, int timeoutMs)
{
    w.liveValues().LiveTxVolt = -1;
    return QTest::qWaitFor([&w] { return w.liveValues().LiveTxVolt != -1; }, timeoutMs);
}
