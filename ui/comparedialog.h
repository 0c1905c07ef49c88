#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

#include <functional>

#include "model/parameterset.h"
#include "model/settings.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// A set-up the comparison can show.
struct CompareSource
{
    enum Kind { Transmitter, Window, File, Backup };
    Kind kind;
    QString path; // a file's or a backup's
    // "遥控器 ttyUSB0", "备份 2026-12-07 10:42:33 · 出厂设置前", in the
    // language in effect when asked
    std::function<QString()> title;
};

// Two set-ups side by side: the transmitter's, the window's, a file's or a
// backup's. The settings that differ (or all) grouped by page and group,
// each with both values; the pilot ticks some, or all, and takes them into
// the window as unwritten edits.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    // Fills p with a source's set-up; false with error set when it cannot.
    using Loader = std::function<bool(const CompareSource &source, ParameterSet *p, QString *error)>;
    // Takes the settings' values of from into the window; false when the
    // window refuses (a command runs).
    using Take = std::function<bool(const QVector<const Setting *> &settings, const ParameterSet &from,
                                    const QString &fromTitle)>;

    CompareDialog(const QVector<CompareSource> &sources, Loader loader, Take take, QWidget *parent = nullptr);

    // Shows these two sources (indexes into sources()).
    void compare(int left, int right);
    // Shows a file (added as a source unless it is one) as A (0) or B (1).
    void compareFile(int side, const QString &path);
    const QVector<CompareSource> &sources() const { return m_sources; }

    QTreeWidget *tree() const { return m_tree; }
    QCheckBox *onlyDifferences() const { return m_onlyDifferences; }
    QPushButton *takeButton() const { return m_take; }
    QPushButton *selectAllButton() const { return m_selectAll; }
    QComboBox *sourceBox(int side) const { return m_boxes[side]; }
    // The settings ticked now.
    QVector<const Setting *> checkedSettings() const;
    // The side whose values "取入窗口" takes: -1 when neither can.
    int takeSide() const;

public slots:
    // Loads both sides again and shows them.
    void refresh();
    void selectAll();
    void takeChecked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void fillBoxes();
    void sourceChosen(int side);
    void updateTake();
    int addSource(const CompareSource &source);

    QVector<CompareSource> m_sources;
    Loader m_loader;
    Take m_takeInto;
    QComboBox *m_boxes[2] = {nullptr, nullptr};
    QLabel *m_boxLabels[2] = {nullptr, nullptr};
    QCheckBox *m_onlyDifferences = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_selectAll = nullptr;
    QPushButton *m_take = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    int m_chosen[2] = {-1, -1};
    ParameterSet m_sets[2];
    bool m_loaded[2] = {false, false};
    QString m_errors[2];
    bool m_filling = false;
};
