#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>

class MainForm;
class QLineEdit;
class QProgressBar;
struct LiveValues;
struct ParameterSet;

// The live monitor: the eight channel values and their bars on the first
// page, the transmitter's voltage, and the telemetry in the strip at the top,
// dimmed with its age in the tooltip while no live packet comes.
class LiveMonitor
{
public:
    // The monitor's widgets of form.
    void bind(const MainForm &form);

    // The channel outputs of p and the transmitter's voltage.
    void showChannels(const ParameterSet &p, const LiveValues &live);
    // The receiver's values, and how old they are.
    void showReceiver(const LiveValues &live, bool portOpen);

    // A live packet arrived now.
    void notePacket();
    // A live packet came within ms.
    bool heardWithin(qint64 ms) const;
    // The telemetry's looks and tooltips for its age; a field is touched
    // only when its look or its tooltip changes.
    void showAge(bool portOpen);

private:
    const MainForm *m_form = nullptr;
    QVector<QLineEdit *> m_channelValues;
    QVector<QProgressBar *> m_upperBars;
    QVector<QProgressBar *> m_lowerBars;
    QElapsedTimer m_sincePacket;  // invalid until the first live packet
    QString m_packetAt;           // "20:43:12"
    QStringList m_ageInputs;      // what the looks were last worked out from
};
