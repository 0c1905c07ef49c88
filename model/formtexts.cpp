#include "model/formtexts.h"

#include <QHash>
#include <QStringList>

namespace {

struct Text
{
    const char *name;
    const char *text;
};

// Texts that stand once.
const Text kTexts[] = {
    // pages
    {"tab", "舵量显示"}, {"tab_2", "基础菜单"}, {"tab_3", "高级菜单1"},
    {"tab_4", "高级菜单2"}, {"tab_5", "混控设置"}, {"tab_6", "系统设置"},
    // basic menu
    {"groupBox", "通道"}, {"groupBox_2", "舵机相位"}, {"groupBox_3", "中点微调"},
    {"groupBox_4", "舵机行程量--L---R---"}, {"groupBox_14", "失控保护"},
    {"groupBox_5", "舵机延迟"}, {"groupBox_6", "辅助通道"},
    // advanced menu 1
    {"groupBox_8", "大小舵设置"},
    {"lineEdit_53", "混控:"}, {"lineEdit_54", "通道:"}, {"lineEdit_55", "开关:"},
    {"lineEdit_56", "上档:"}, {"lineEdit_57", "下档:"},
    {"groupBox_7", "姿态选择"}, {"lineEdit_45", "通道:"},
    {"groupBox_10", "升降副翼混控"},
    {"lineEdit_73", "混控:"}, {"lineEdit_74", "副翼1:"}, {"lineEdit_75", "副翼2:"},
    {"lineEdit_76", "升降2:"}, {"lineEdit_77", "升降1:"},
    {"groupBox_13", "V型尾翼混控"},
    {"lineEdit_78", "混控:"}, {"lineEdit_95", "升降1:"}, {"lineEdit_96", "升降2:"},
    {"lineEdit_97", "尾舵2:"}, {"lineEdit_98", "尾舵1:"},
    // advanced menu 2
    {"groupBox_19", "大小舵曲线"},
    {"lineEdit_146", "混控:"}, {"lineEdit_142", " 通道:"}, {"lineEdit_141", "开关:"},
    {"lineEdit_143", " 位置:"}, {"lineEdit_144", "比率:"}, {"lineEdit_145", "指数:"},
    {"groupBox_18", "油门曲线"}, {"lineEdit_130", "混控:"},
    // programmable mixes
    {"groupBox_11", "可编程混控一"}, {"groupBox_12", "可编程混控二"},
    {"groupBox_15", "可编程混控三"}, {"groupBox_21", "可编程混控四"},
    // system settings
    {"groupBox_17", "报警设置"},
    {"lineEdit_63", "遥控器电压:"}, {"lineEdit_68", "接收机电压:"},
    {"lineEdit_66", "动力电池电压:"}, {"lineEdit_67", "RSSI信号:"},
    {"groupBox_20", " 版本 / 模式"},
    {"lineEdit_64", "遥控器摇杆模式:"}, {"lineEdit_65", "遥控器固件版本:"},
    {"lineEdit_69", "电脑调参APP版本:"},
    {"lineEdit_70", "    微调一:"}, {"lineEdit_71", "  微调二:"}, {"lineEdit_72", " 微调三:"},
    {"lineEdit_81", " 微调四:"},
    {"groupBox_23", "重置数据"},
};

// Rows that repeat a pattern: the names in row order and the text of each.
void addRows(QHash<QString, QString> &out, const QStringList &names, const QStringList &texts)
{
    for (int i = 0; i < names.size(); ++i)
        out.insert(names.at(i), texts.at(i));
}

QHash<QString, QString> buildTexts()
{
    QHash<QString, QString> out;
    for (const Text &t : kTexts)
        out.insert(QString::fromLatin1(t.name), QString::fromUtf8(t.text));

    QStringList channels;
    for (int n = 1; n <= 8; ++n)
        channels << QStringLiteral("CH%1:").arg(n);
    addRows(out, {"lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32", "lineEdit_33",
                  "lineEdit_34", "lineEdit_35", "lineEdit_36"},
            channels);

    QStringList attitudes;
    for (int n = 1; n <= 6; ++n)
        attitudes << QStringLiteral("姿态%1:").arg(n);
    addRows(out, {"lineEdit_46", "lineEdit_47", "lineEdit_48", "lineEdit_49", "lineEdit_50", "lineEdit_51"},
            attitudes);

    QStringList points;
    for (int n = 1; n <= 7; ++n)
        points << QStringLiteral("曲线点%1:").arg(n);
    addRows(out, {"lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128", "lineEdit_129",
                  "lineEdit_131", "lineEdit_132"},
            points);

    const QStringList mixRows = {QStringLiteral("混控:"), QStringLiteral("主控:"), QStringLiteral("被控:"),
                                 QStringLiteral("偏置:"), QStringLiteral("上边:"), QStringLiteral("下边:")};
    addRows(out, {"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"}, mixRows);
    addRows(out, {"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"}, mixRows);
    addRows(out, {"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104", "lineEdit_105"}, mixRows);
    addRows(out, {"lineEdit_119", "lineEdit_120", "lineEdit_121", "lineEdit_122", "lineEdit_123", "lineEdit_124"}, mixRows);
    return out;
}

} // namespace

QString formText(const QString &objectName)
{
    static const QHash<QString, QString> texts = buildTexts();
    return texts.value(objectName);
}
