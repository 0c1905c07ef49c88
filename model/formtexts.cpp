#include "model/formtexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include "model/settings.h"

namespace {

// The Chinese words are the source texts; other languages come from the
// translation catalogue under this context.
const char kContext[] = "FormText";

// A text by its source, looked up in the installed translation each time it
// is asked for; number, if nonzero, fills the %1 of a row pattern.
struct Entry
{
    const char *source;
    int number;
};

struct Text
{
    const char *name;
    const char *source;
};

// Texts that stand once.
const Text kTexts[] = {
    // pages
    {"tab", QT_TRANSLATE_NOOP("FormText", "舵量显示")},
    {"tab_2", QT_TRANSLATE_NOOP("FormText", "基础菜单")},
    {"tab_3", QT_TRANSLATE_NOOP("FormText", "高级菜单1")},
    {"tab_4", QT_TRANSLATE_NOOP("FormText", "高级菜单2")},
    {"tab_5", QT_TRANSLATE_NOOP("FormText", "混控设置")},
    {"tab_6", QT_TRANSLATE_NOOP("FormText", "系统设置")},
    // basic menu
    {"groupBox", QT_TRANSLATE_NOOP("FormText", "通道")},
    {"groupBox_2", QT_TRANSLATE_NOOP("FormText", "舵机相位")},
    {"groupBox_3", QT_TRANSLATE_NOOP("FormText", "中点微调")},
    {"groupBox_4", QT_TRANSLATE_NOOP("FormText", "舵机行程量--L---R---")},
    {"groupBox_14", QT_TRANSLATE_NOOP("FormText", "失控保护")},
    {"groupBox_5", QT_TRANSLATE_NOOP("FormText", "舵机延迟")},
    {"groupBox_6", QT_TRANSLATE_NOOP("FormText", "辅助通道")},
    // advanced menu 1
    {"groupBox_8", QT_TRANSLATE_NOOP("FormText", "大小舵设置")},
    {"lineEdit_53", QT_TRANSLATE_NOOP("FormText", "混控:")},
    {"lineEdit_54", QT_TRANSLATE_NOOP("FormText", "通道:")},
    {"lineEdit_55", QT_TRANSLATE_NOOP("FormText", "开关:")},
    {"lineEdit_56", QT_TRANSLATE_NOOP("FormText", "上档:")},
    {"lineEdit_57", QT_TRANSLATE_NOOP("FormText", "下档:")},
    {"groupBox_7", QT_TRANSLATE_NOOP("FormText", "姿态选择")},
    {"lineEdit_45", QT_TRANSLATE_NOOP("FormText", "通道:")},
    {"groupBox_10", QT_TRANSLATE_NOOP("FormText", "升降副翼混控")},
    {"lineEdit_73", QT_TRANSLATE_NOOP("FormText", "混控:")},
    {"lineEdit_74", QT_TRANSLATE_NOOP("FormText", "副翼1:")},
    {"lineEdit_75", QT_TRANSLATE_NOOP("FormText", "副翼2:")},
    {"lineEdit_76", QT_TRANSLATE_NOOP("FormText", "升降2:")},
    {"lineEdit_77", QT_TRANSLATE_NOOP("FormText", "升降1:")},
    {"groupBox_13", QT_TRANSLATE_NOOP("FormText", "V型尾翼混控")},
    {"lineEdit_78", QT_TRANSLATE_NOOP("FormText", "混控:")},
    {"lineEdit_95", QT_TRANSLATE_NOOP("FormText", "升降1:")},
    {"lineEdit_96", QT_TRANSLATE_NOOP("FormText", "升降2:")},
    {"lineEdit_97", QT_TRANSLATE_NOOP("FormText", "尾舵2:")},
    {"lineEdit_98", QT_TRANSLATE_NOOP("FormText", "尾舵1:")},
    // advanced menu 2
    {"groupBox_19", QT_TRANSLATE_NOOP("FormText", "大小舵曲线")},
    {"lineEdit_146", QT_TRANSLATE_NOOP("FormText", "混控:")},
    {"lineEdit_142", QT_TRANSLATE_NOOP("FormText", " 通道:")},
    {"lineEdit_141", QT_TRANSLATE_NOOP("FormText", "开关:")},
    {"lineEdit_143", QT_TRANSLATE_NOOP("FormText", " 位置:")},
    {"lineEdit_144", QT_TRANSLATE_NOOP("FormText", "比率:")},
    {"lineEdit_145", QT_TRANSLATE_NOOP("FormText", "指数:")},
    {"groupBox_18", QT_TRANSLATE_NOOP("FormText", "油门曲线")},
    {"lineEdit_130", QT_TRANSLATE_NOOP("FormText", "混控:")},
    // programmable mixes
    {"groupBox_11", QT_TRANSLATE_NOOP("FormText", "可编程混控一")},
    {"groupBox_12", QT_TRANSLATE_NOOP("FormText", "可编程混控二")},
    {"groupBox_15", QT_TRANSLATE_NOOP("FormText", "可编程混控三")},
    {"groupBox_21", QT_TRANSLATE_NOOP("FormText", "可编程混控四")},
    // system settings
    {"groupBox_17", QT_TRANSLATE_NOOP("FormText", "报警设置")},
    {"lineEdit_63", QT_TRANSLATE_NOOP("FormText", "遥控器电压:")},
    {"lineEdit_68", QT_TRANSLATE_NOOP("FormText", "接收机电压:")},
    {"lineEdit_66", QT_TRANSLATE_NOOP("FormText", "动力电池电压:")},
    {"lineEdit_67", QT_TRANSLATE_NOOP("FormText", "RSSI信号:")},
    {"groupBox_20", QT_TRANSLATE_NOOP("FormText", " 版本 / 模式")},
    {"lineEdit_64", QT_TRANSLATE_NOOP("FormText", "遥控器摇杆模式:")},
    {"lineEdit_65", QT_TRANSLATE_NOOP("FormText", "遥控器固件版本:")},
    {"lineEdit_69", QT_TRANSLATE_NOOP("FormText", "电脑调参APP版本:")},
    {"lineEdit_70", QT_TRANSLATE_NOOP("FormText", "    微调一:")},
    {"lineEdit_71", QT_TRANSLATE_NOOP("FormText", "  微调二:")},
    {"lineEdit_72", QT_TRANSLATE_NOOP("FormText", " 微调三:")},
    {"lineEdit_81", QT_TRANSLATE_NOOP("FormText", " 微调四:")},
    {"groupBox_23", QT_TRANSLATE_NOOP("FormText", "重置数据")},
    // Settings whose editor has no caption of its own in the window, or that
    // have no editor at all: the names the command-line tool gives them.
    {"setting_Elev5", QT_TRANSLATE_NOOP("FormText", "副翼1 第二个值")},
    {"setting_Elev6", QT_TRANSLATE_NOOP("FormText", "副翼2 第二个值")},
    {"setting_ThCureExtra", QT_TRANSLATE_NOOP("FormText", "附加值（不可编辑，照原样传送）")},
};

// Rows that repeat a pattern: the names in row order, numbered from 1.
void addRows(QHash<QString, Entry> &out, const char *pattern, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i)
        out.insert(names.at(i), {pattern, i + 1});
}

QHash<QString, Entry> buildEntries()
{
    QHash<QString, Entry> out;
    for (const Text &t : kTexts)
        out.insert(QString::fromLatin1(t.name), {t.source, 0});

    // The captions beside the settings, from the table: the channel names
    // read the same in every language; the attitude and curve rows follow
    // their group's switch.
    addRows(out, "CH%1:", settingCaptions(QStringLiteral("groupBox_2")));
    addRows(out, QT_TRANSLATE_NOOP("FormText", "姿态%1:"), settingCaptions(QStringLiteral("groupBox_7")).mid(1));
    addRows(out, QT_TRANSLATE_NOOP("FormText", "曲线点%1:"), settingCaptions(QStringLiteral("groupBox_18")).mid(1));

    // The six rows of each programmable mix.
    const char *const mixRows[] = {
        QT_TRANSLATE_NOOP("FormText", "混控:"), QT_TRANSLATE_NOOP("FormText", "主控:"),
        QT_TRANSLATE_NOOP("FormText", "被控:"), QT_TRANSLATE_NOOP("FormText", "偏置:"),
        QT_TRANSLATE_NOOP("FormText", "上边:"), QT_TRANSLATE_NOOP("FormText", "下边:"),
    };
    for (const char *group : {"groupBox_11", "groupBox_12", "groupBox_15", "groupBox_21"}) {
        const QStringList names = settingCaptions(QString::fromLatin1(group));
        for (int row = 0; row < names.size(); ++row)
            out.insert(names.at(row), {mixRows[row], 0});
    }
    return out;
}

} // namespace

QString formText(const QString &objectName)
{
    static const QHash<QString, Entry> entries = buildEntries();
    const auto found = entries.constFind(objectName);
    if (found == entries.constEnd())
        return {};
    const QString text = QCoreApplication::translate(kContext, found->source);
    return found->number ? text.arg(found->number) : text;
}
