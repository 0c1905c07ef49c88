#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include "app/mainwindow.h"
#include "model/parameterset.h"

// Held by a transfer command for its whole run. Only one transfer runs at a
// time: while it does, every transfer button is disabled and a busy cursor
// shows, so the frames of two commands can never interleave on the wire.
class MainWindow::TransferScope
{
public:
    explicit TransferScope(MainWindow *window)
        : m_window(window)
        , m_started(!window->m_transferRunning)
    {
        if (!m_started) {
            // Said, since a key or a click seems to do nothing otherwise.
            m_window->m_statusView.setBusy(StatusTexts::busy);
            m_window->updateTransmitterState();
            return;
        }
        m_window->m_transferRunning = true;
        // Blocks that come late are reported with the command they came in.
        m_window->m_workflow.clearLateBlocks();
        for (QAbstractButton *b : m_window->transferButtons())
            b->setEnabled(false);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~TransferScope() { finish(); }
    TransferScope(const TransferScope &) = delete;
    TransferScope &operator=(const TransferScope &) = delete;

    // False when another transfer was already running: the caller returns.
    bool started() const { return m_started; }

    // Ends the transfer early, e.g. before a message box is shown.
    void finish()
    {
        if (!m_started)
            return;
        m_started = false;
        m_window->m_transferRunning = false;
        m_window->m_tally.end();
        for (QAbstractButton *b : m_window->transferButtons())
            b->setEnabled(true);
        QApplication::restoreOverrideCursor();
        m_window->m_statusView.setBusy({});
        m_window->endProgress();
        if (m_window->m_closeAfterSend) {
            // The send the pilot chose to finish is done: say goodbye, go.
            MainWindow *window = m_window;
            QTimer::singleShot(0, window, [window] {
                window->closePort(true);
                window->m_closeAfterSend = false;
                window->close();
            });
        }
    }

    // The normal cursor while the user answers a dialog in the middle of a
    // transfer (picking a file is not waiting); the busy one comes back when
    // the guard goes.
    class NormalCursor
    {
    public:
        explicit NormalCursor(const TransferScope &transfer)
            : m_busy(transfer.m_started && QApplication::overrideCursor())
        {
            if (m_busy)
                QApplication::restoreOverrideCursor();
        }
        ~NormalCursor()
        {
            if (m_busy)
                QApplication::setOverrideCursor(Qt::BusyCursor);
        }
        NormalCursor(const NormalCursor &) = delete;
        NormalCursor &operator=(const NormalCursor &) = delete;

    private:
        bool m_busy;
    };

private:
    MainWindow *m_window;
    bool m_started;
};
