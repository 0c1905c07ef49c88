#include "ui/comparedialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/setupcompare.h"

namespace {

constexpr int kSettingRole = Qt::UserRole;
constexpr int kChooseFile = -1;

const Setting *settingOf(const QTreeWidgetItem *item)
{
    return reinterpret_cast<const Setting *>(item->data(0, kSettingRole).value<quintptr>());
}

bool isCheckable(const QTreeWidgetItem *item)
{
    return item->flags() & Qt::ItemIsUserCheckable;
}

// A group's box: all, some or none of its settings ticked.
Qt::CheckState groupCheckState(const QTreeWidgetItem *group)
{
    int on = 0;
    int all = 0;
    for (int i = 0; i < group->childCount(); ++i) {
        if (isCheckable(group->child(i))) {
            ++all;
            on += group->child(i)->checkState(0) == Qt::Checked ? 1 : 0;
        }
    }
    return on == 0 ? Qt::Unchecked : on == all ? Qt::Checked : Qt::PartiallyChecked;
}

} // namespace

CompareDialog::CompareDialog(const QVector<CompareSource> &sources, Loader loader, Take take, QWidget *parent)
    : QDialog(parent)
    , m_sources(sources)
    , m_loader(std::move(loader))
    , m_takeInto(std::move(take))
{
    setObjectName(QStringLiteral("compareDialog"));
    auto *layout = new QVBoxLayout(this);
    auto *choice = new QGridLayout;
    for (int side = 0; side < 2; ++side) {
        m_boxLabels[side] = new QLabel(this);
        m_boxes[side] = new QComboBox(this);
        m_boxes[side]->setObjectName(side == 0 ? QStringLiteral("compareLeft") : QStringLiteral("compareRight"));
        m_boxes[side]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_boxLabels[side]->setBuddy(m_boxes[side]);
        choice->addWidget(m_boxLabels[side], side, 0);
        choice->addWidget(m_boxes[side], side, 1);
        connect(m_boxes[side], QOverload<int>::of(&QComboBox::activated), this, [this, side] { sourceChosen(side); });
    }
    choice->setColumnStretch(2, 1);
    layout->addLayout(choice);

    m_onlyDifferences = new QCheckBox(this);
    m_onlyDifferences->setObjectName(QStringLiteral("compareOnlyDifferences"));
    m_onlyDifferences->setChecked(true);
    connect(m_onlyDifferences, &QCheckBox::toggled, this, &CompareDialog::refresh);
    layout->addWidget(m_onlyDifferences);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("compareTree"));
    m_tree->setColumnCount(3);
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->setMinimumSize(640, 360);
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) {
        if (m_filling)
            return;
        m_filling = true;
        if (!item->parent()) { // a group: all its settings
            for (int i = 0; i < item->childCount(); ++i) {
                if (isCheckable(item->child(i)))
                    item->child(i)->setCheckState(0, item->checkState(0));
            }
        } else if (QTreeWidgetItem *group = item->parent(); isCheckable(group)) {
            group->setCheckState(0, groupCheckState(group));
        }
        m_filling = false;
        updateTake();
    });
    layout->addWidget(m_tree, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("compareSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_summary);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_selectAll = m_buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    m_selectAll->setObjectName(QStringLiteral("compareSelectAll"));
    m_take = m_buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    m_take->setObjectName(QStringLiteral("compareTake"));
    m_take->setAutoDefault(false);
    m_selectAll->setAutoDefault(false);
    connect(m_selectAll, &QPushButton::clicked, this, &CompareDialog::selectAll);
    connect(m_take, &QPushButton::clicked, this, &CompareDialog::takeChecked);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);

    setTabOrder(m_boxes[0], m_boxes[1]);
    setTabOrder(m_boxes[1], m_onlyDifferences);
    setTabOrder(m_onlyDifferences, m_tree);
    setTabOrder(m_tree, m_selectAll);
    setTabOrder(m_selectAll, m_take);
    setTabOrder(m_take, m_buttons->button(QDialogButtonBox::Close));

    retranslate();
    fillBoxes();
}

int CompareDialog::addSource(const CompareSource &source)
{
    m_sources.append(source);
    fillBoxes();
    return m_sources.size() - 1;
}

void CompareDialog::fillBoxes()
{
    for (int side = 0; side < 2; ++side) {
        QComboBox *box = m_boxes[side];
        const QSignalBlocker quiet(box);
        box->clear();
        for (int i = 0; i < m_sources.size(); ++i)
            box->addItem(m_sources.at(i).title(), i);
        box->addItem(tr("文件…"), kChooseFile);
        box->setCurrentIndex(box->findData(m_chosen[side]));
    }
}

void CompareDialog::compare(int left, int right)
{
    m_chosen[0] = left;
    m_chosen[1] = right;
    for (int side = 0; side < 2; ++side) {
        const QSignalBlocker quiet(m_boxes[side]);
        m_boxes[side]->setCurrentIndex(m_boxes[side]->findData(m_chosen[side]));
    }
    refresh();
}

void CompareDialog::compareFile(int side, const QString &path)
{
    int index = -1;
    for (int i = 0; i < m_sources.size() && index < 0; ++i)
        index = m_sources.at(i).path == path ? i : -1;
    if (index < 0) {
        index = addSource({CompareSource::File, path,
                           [path] { return tr("文件 %1").arg(QFileInfo(path).fileName()); }});
    }
    m_chosen[side] = index;
    compare(m_chosen[0], m_chosen[1]);
}

void CompareDialog::sourceChosen(int side)
{
    const int chosen = m_boxes[side]->currentData().toInt();
    if (chosen != kChooseFile) {
        m_chosen[side] = chosen;
        refresh();
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, tr("选择参数文件"), QString(),
                                                      tr("参数文件 (*.dat *.txt);;所有文件 (*)"));
    if (path.isEmpty()) {
        const QSignalBlocker quiet(m_boxes[side]);
        m_boxes[side]->setCurrentIndex(m_boxes[side]->findData(m_chosen[side]));
        return;
    }
    compareFile(side, path);
}

void CompareDialog::refresh()
{
    for (int side = 0; side < 2; ++side) {
        m_errors[side].clear();
        m_loaded[side] = m_chosen[side] >= 0
                && m_loader(m_sources.at(m_chosen[side]), &m_sets[side], &m_errors[side]);
    }
    // Ticks stay on the settings they were on while the lists change.
    const QVector<const Setting *> ticked = checkedSettings();
    m_filling = true;
    m_tree->clear();
    QStringList headers{tr("设定")};
    for (int side = 0; side < 2; ++side) {
        headers.append(QLatin1String(side == 0 ? "A" : "B")
                       + (m_chosen[side] >= 0 ? QStringLiteral(" · ") + m_sources.at(m_chosen[side]).title() : QString()));
    }
    m_tree->setHeaderLabels(headers);

    QStringList summary;
    if (m_loaded[0] && m_loaded[1]) {
        const bool only = m_onlyDifferences->isChecked();
        for (const CompareGroup &group : compareSetups(m_sets[0], m_sets[1], only)) {
            auto *groupItem = new QTreeWidgetItem(m_tree, {group.page + QStringLiteral(" · ") + group.group});
            groupItem->setFirstColumnSpanned(true);
            groupItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            bool anyCheckable = false;
            for (const CompareRow &row : group.rows) {
                const QString name = settingPlace(*row.setting).name;
                auto *item = new QTreeWidgetItem(groupItem, {name, row.left, row.right});
                item->setData(0, kSettingRole, QVariant::fromValue(quintptr(row.setting)));
                Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                if (row.differs && row.takeable) {
                    flags |= Qt::ItemIsUserCheckable;
                    anyCheckable = true;
                }
                item->setFlags(flags);
                if (flags & Qt::ItemIsUserCheckable)
                    item->setCheckState(0, ticked.contains(row.setting) ? Qt::Checked : Qt::Unchecked);
                const QString said = row.differs
                        ? tr("%1：%2 → %3").arg(name, row.left, row.right)
                        : tr("%1：两边都是 %2").arg(name, row.left);
                QString tip = settingLabel(*row.setting, QStringLiteral(" · ")) + QLatin1Char('\n') + said;
                if (row.differs && !row.takeable)
                    tip += QLatin1Char('\n') + tr("不能在窗口中修改，不能取入");
                for (int column = 0; column < 3; ++column) {
                    item->setToolTip(column, tip);
                    if (row.differs) {
                        QFont bold = item->font(column);
                        bold.setBold(true);
                        item->setFont(column, bold);
                    }
                }
                item->setData(0, Qt::AccessibleTextRole, said);
            }
            if (anyCheckable) {
                groupItem->setFlags(groupItem->flags() | Qt::ItemIsUserCheckable);
                groupItem->setCheckState(0, groupCheckState(groupItem));
            }
        }
        m_tree->expandAll();
        const int differing = countDifferences(m_sets[0], m_sets[1]);
        summary.append(differing == 0 ? tr("两边的设定相同。") : tr("%1 项设定不同。").arg(differing));
    }
    for (int side = 0; side < 2; ++side) {
        if (!m_errors[side].isEmpty())
            summary.append(m_sources.at(m_chosen[side]).title() + QStringLiteral("：") + m_errors[side]);
    }
    const int from = takeSide();
    if (from >= 0)
        summary.append(tr("“取入窗口”取 %1 的值（%2）").arg(QLatin1String(from == 0 ? "A" : "B"),
                                                             m_sources.at(m_chosen[from]).title()));
    m_summary->setText(summary.join(QLatin1Char('\n')));
    m_filling = false;
    updateTake();
}

int CompareDialog::takeSide() const
{
    if (!m_loaded[0] || !m_loaded[1])
        return -1;
    const bool window[2] = {m_sources.at(m_chosen[0]).kind == CompareSource::Window,
                            m_sources.at(m_chosen[1]).kind == CompareSource::Window};
    if (window[0] && window[1])
        return -1;
    return window[1] ? 0 : 1;
}

QVector<const Setting *> CompareDialog::checkedSettings() const
{
    QVector<const Setting *> out;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = m_tree->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            const QTreeWidgetItem *item = group->child(i);
            if (isCheckable(item) && item->checkState(0) == Qt::Checked)
                out.append(settingOf(item));
        }
    }
    return out;
}

void CompareDialog::selectAll()
{
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = m_tree->topLevelItem(g);
        if (isCheckable(group))
            group->setCheckState(0, Qt::Checked);
    }
}

void CompareDialog::takeChecked()
{
    const int from = takeSide();
    const QVector<const Setting *> chosen = checkedSettings();
    if (from < 0 || chosen.isEmpty())
        return;
    if (m_takeInto(chosen, m_sets[from], m_sources.at(m_chosen[from]).title()))
        refresh();
    else
        m_summary->setText(m_summary->text() + QLatin1Char('\n') + tr("另一命令进行中，未取入"));
}

void CompareDialog::updateTake()
{
    bool any = false;
    bool checkable = false;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = m_tree->topLevelItem(g);
        checkable = checkable || isCheckable(group);
        any = any || (isCheckable(group) && group->checkState(0) != Qt::Unchecked);
    }
    m_take->setEnabled(takeSide() >= 0 && any);
    m_selectAll->setEnabled(takeSide() >= 0 && checkable);
}

void CompareDialog::retranslate()
{
    setWindowTitle(tr("比较设定"));
    m_boxLabels[0]->setText(tr("设定 &A："));
    m_boxLabels[1]->setText(tr("设定 &B："));
    m_boxes[0]->setAccessibleName(tr("比较的第一个设定"));
    m_boxes[1]->setAccessibleName(tr("比较的第二个设定"));
    m_onlyDifferences->setText(tr("只显示不同的设定(&D)"));
    m_tree->setAccessibleName(tr("设定比较"));
    m_tree->setAccessibleDescription(tr("空格键勾选一项设定；勾选一组即勾选其中所有设定"));
    m_selectAll->setText(tr("全选(&S)"));
    m_take->setText(tr("取入窗口"));
    m_take->setToolTip(tr("所勾选的设定成为窗口中未写入的修改（一步撤销），下次写入时发送"));
    m_buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
}

void CompareDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        fillBoxes();
        refresh();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Back from the window: a Read or a Load may have changed a side.
        refresh();
    }
    QDialog::changeEvent(event);
}
