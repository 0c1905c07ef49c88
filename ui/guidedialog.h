#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// The short guide, in the language in effect: the pages, Read and Write and
// the status line, backups and restoring one, the comparison, the
// connection check and the demo. F1 opens it.
class GuideDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GuideDialog(QWidget *parent = nullptr);
    QTextBrowser *browser() const { return m_browser; }

    // The guide's page for "zh" or "en".
    static QString resource(const QString &language);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showGuide();

    QTextBrowser *m_browser = nullptr;
};

// What the About box says.
struct AboutFacts
{
    QString version;
    QString qtVersion;
    QString buildDate;
    QString backups;  // folder
    QString settings; // file
    QString log;      // where the log goes
};

// The About box's text (rich text), in the language in effect.
QString aboutText(const AboutFacts &facts);
