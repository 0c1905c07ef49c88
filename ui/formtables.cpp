#include "ui/formtables.h"

#include "model/choices.h"
#include "model/formtexts.h"
#include "model/settings.h"

namespace FormTables {
namespace {

namespace V = Choices;

constexpr int kChannels = 8;
constexpr int kDefaultSpacing = -1;
constexpr int kTitlePointSize = 11;
constexpr int kColumnTop = 30;      // below the group box title
constexpr int kColumnGap = 5;

Editor combo(const QString &name, Vocabulary items)
{
    return {name, EditorKind::Combo, 0, 0, 0, items};
}

// The editor of a row of the table of settings: its kind, range, start value
// and items all come from the row.
Editor editorOf(const QString &name)
{
    const Setting *row = rowOfEditor(name);
    Q_ASSERT_X(row, "FormTables", qPrintable(name));
    if (row->choices)
        return combo(name, row->choices);
    const EditorSpan span = editorSpan(*row);
    return {name, row->volts ? EditorKind::DoubleSpin : EditorKind::Spin, span.minimum, span.maximum, span.start,
            nullptr};
}

QVector<Editor> editorsOf(const QStringList &names)
{
    QVector<Editor> out;
    for (const QString &name : names)
        out.append(editorOf(name));
    return out;
}

QStringList numbered(const char *pattern, int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out.append(QString::fromLatin1(pattern).arg(n));
    return out;
}

// A group whose rows are its settings in the table's order: the editors that
// show them.
QStringList editorsOfGroup(const char *group)
{
    QStringList out;
    for (const Setting *s : settingsOfGroup(QString::fromLatin1(group))) {
        if (!s->editor.isEmpty())
            out.append(s->editor);
    }
    return out;
}

// Captions in row order; their texts are the configuration's own words.
QVector<Caption> captions(const QStringList &names)
{
    QVector<Caption> result;
    for (const QString &name : names)
        result.append({name, formText(name)});
    return result;
}

Page page(const char *name, const char *frameName, const QRect &frameGeometry)
{
    const QString objectName = QString::fromLatin1(name);
    return {objectName, formText(objectName), QString::fromLatin1(frameName), frameGeometry, {}};
}

Column captionColumn(const QRect &geometry, const QVector<Caption> &items)
{
    return {geometry, items, {}};
}

Column editorColumn(const QRect &geometry, const QVector<Editor> &items)
{
    return {geometry, {}, items};
}

// ---- Page 1: one column of eight rows per parameter, row n is channel n ----

struct BasicGroup
{
    const char *name;
    int x;
    int width;
    int titlePointSize;
    QVector<const char *> columns; // object names with %1 for the channel
};

const int kBasicTop = 10;
const int kBasicHeight = 470;
const int kBasicSpacing = 5;

// Channels 1 to 4 have no source of their own: their boxes hold the one
// "reserved" item.
Editor channelEditor(const char *pattern, int channel)
{
    const QString name = QString::fromLatin1(pattern).arg(channel);
    return rowOfEditor(name) ? editorOf(name) : combo(name, V::reserved);
}

// Columns share the width of their group box side by side.
QRect sharedColumn(int groupWidth, int groupHeight, int index, int count)
{
    const int width = (groupWidth - 20 - (count - 1) * kColumnGap) / count;
    return {10 + index * (width + kColumnGap), kColumnTop, width, groupHeight - kColumnTop - 10};
}

Page basicMenu()
{
    Page basic = page("tab_2", "frame_2", QRect(10, 10, 1060, 490));

    Group channels{QStringLiteral("groupBox"), QRect(10, kBasicTop, 110, kBasicHeight),
                   formText(QStringLiteral("groupBox")), kBasicSpacing, kTitlePointSize, {}, {}};
    channels.columns.append(captionColumn(
            sharedColumn(110, kBasicHeight, 0, 1),
            captions(settingCaptions(QStringLiteral("groupBox_2"))))); // one row per channel
    basic.groups.append(channels);

    const BasicGroup groups[] = {
        {"groupBox_2", 130, 120, kTitlePointSize, {"comboBox_rev%1"}},
        {"groupBox_3", 265, 120, 12, {"spinBox_sub%1"}},
        {"groupBox_4", 405, 215, kTitlePointSize, {"spinBox_Lepa%1", "spinBox_Repa%1"}},
        {"groupBox_14", 640, 120, kTitlePointSize, {"spinBox_FS%1"}},
        {"groupBox_5", 780, 120, kTitlePointSize, {"spinBox_delay%1"}},
        {"groupBox_6", 915, 140, kTitlePointSize, {"comboBox_AUX%1"}},
    };
    for (const BasicGroup &entry : groups) {
        const QString name = QString::fromLatin1(entry.name);
        Group group{name, QRect(entry.x, kBasicTop, entry.width, kBasicHeight), formText(name),
                    kBasicSpacing, entry.titlePointSize, {}, {}};
        const int count = entry.columns.size();
        for (int c = 0; c < count; ++c) {
            QVector<Editor> editors;
            for (int n = 1; n <= kChannels; ++n)
                editors.append(channelEditor(entry.columns.at(c), n));
            group.columns.append(editorColumn(sharedColumn(entry.width, kBasicHeight, c, count), editors));
        }
        basic.groups.append(group);
    }
    return basic;
}

// ---- Pages with caption/editor pairs ----

// A group box with one caption column and one editor column.
Group pairedGroup(const QString &name, const QRect &geometry, int spacing,
                  const QRect &captionRect, const QVector<Caption> &captionItems,
                  const QRect &editorRect, const QVector<Editor> &editorItems)
{
    return {name, geometry, formText(name), spacing, kTitlePointSize,
            {captionColumn(captionRect, captionItems), editorColumn(editorRect, editorItems)}, {}};
}

// A group whose captions and editors are its settings in table order.
Group tableGroup(const char *name, const QRect &geometry, int spacing, const QRect &captionRect,
                 const QRect &editorRect)
{
    const QString group = QString::fromLatin1(name);
    return pairedGroup(group, geometry, spacing, captionRect, captions(settingCaptions(group)), editorRect,
                       editorsOf(editorsOfGroup(name)));
}

Page advancedMenu1()
{
    Page page = FormTables::page("tab_3", "frame_4", QRect(2, 10, 1060, 490));

    page.groups.append(pairedGroup(
        QStringLiteral("groupBox_8"), QRect(5, 10, 220, 350), 0,
        QRect(10, 30, 100, 310),
        captions(settingCaptions(QStringLiteral("groupBox_8"))),
        QRect(110, 30, 100, 310),
        editorsOf({"comboBox_DR_MIX1", "comboBox_DR_CH1", "comboBox_DR_SW1", "spinBox_DR_UP1",
                   "spinBox_DR_DOWN1"})));

    page.groups.append(tableGroup("groupBox_7", QRect(240, 10, 221, 470), kDefaultSpacing,
                                  QRect(10, 30, 95, 430), QRect(110, 30, 101, 430)));

    Group elevon = pairedGroup(
        QStringLiteral("groupBox_10"), QRect(470, 10, 330, 350), 0,
        QRect(10, 30, 100, 300),
        captions(settingCaptions(QStringLiteral("groupBox_10"))),
        QRect(110, 30, 101, 300),
        editorsOf(QStringList{"comboBox_EleMix"} + numbered("spinBox_Elev0%1", 1, 4)));
    // The second pair of aileron values stands beside the first, without captions.
    elevon.columns.append(editorColumn(QRect(220, 90, 101, 121),
                                       editorsOf(numbered("spinBox_Elev0%1", 5, 6))));
    page.groups.append(elevon);

    page.groups.append(
        tableGroup("groupBox_13", QRect(810, 10, 240, 350), 0, QRect(10, 30, 110, 300), QRect(125, 30, 105, 300)));
    return page;
}

Page advancedMenu2()
{
    Page page = FormTables::page("tab_4", "frame_5", QRect(10, 10, 1060, 490));

    // The curve plots sit to the right of the columns (see the builder).
    page.groups.append(pairedGroup(
        QStringLiteral("groupBox_19"), QRect(10, 10, 510, 471),
        kDefaultSpacing, QRect(10, 30, 100, 431),
        captions({"lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144",
                  "lineEdit_145"}),
        QRect(110, 30, 100, 431),
        editorsOf({"comboBox_DR_MIX2", "comboBox_DR_CH2", "comboBox_DR_SW2", "comboBox_DR_POSI",
                   "spinBox_DR_RATE", "spinBox_DR_EXP"})));

    page.groups.append(tableGroup("groupBox_18", QRect(530, 10, 520, 471), kDefaultSpacing,
                                  QRect(10, 30, 100, 431), QRect(110, 30, 95, 431)));
    return page;
}

// ---- Page 4: four programmable mixes of one shape ----

struct MixSpec
{
    const char *group;
    int x;
    int height;
    int spacing;
};

Page mixSettings()
{
    Page page = FormTables::page("tab_5", "frame_8", QRect(10, 10, 1060, 490));

    const MixSpec mixes[] = {
        {"groupBox_11", 10, 481, 0},
        {"groupBox_12", 270, 477, 0},
        {"groupBox_15", 530, 477, kDefaultSpacing},
        {"groupBox_21", 790, 477, kDefaultSpacing},
    };
    for (const MixSpec &mix : mixes) {
        const int columnHeight = mix.height - kColumnTop - 10;
        page.groups.append(tableGroup(mix.group, QRect(mix.x, 5, 250, mix.height), mix.spacing,
                                      QRect(10, kColumnTop, 110, columnHeight),
                                      QRect(125, kColumnTop, 115, columnHeight)));
    }
    return page;
}

// ---- Page 5: system settings ----

Page systemSettings()
{
    Page page = FormTables::page("tab_6", "frame_7", QRect(10, 10, 1060, 490));

    page.groups.append(tableGroup("groupBox_17", QRect(20, 10, 350, 470), kDefaultSpacing,
                                  QRect(10, 30, 199, 236), QRect(210, 30, 129, 236)));

    Group version = pairedGroup(
        QStringLiteral("groupBox_20"), QRect(380, 10, 350, 470),
        kDefaultSpacing, QRect(10, 30, 199, 176),
        captions({"lineEdit_64", "lineEdit_65", "lineEdit_69"}),
        QRect(210, 30, 129, 176),
        editorsOf({"spinBox_Mode", "spinBox_Vertion"}) << combo("comboBox_PRM02_Master_2", V::programVersion));
    const QStringList trimCaptions = {"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"};
    for (int i = 0; i < 4; ++i) {
        const int y = 220 + 60 * i;
        version.looseRows.append({{trimCaptions.at(i), formText(trimCaptions.at(i))}, QRect(10, y, 199, 56),
                                  QStringLiteral("lineEdit_Trim_%1").arg(i + 1), QRect(210, y, 129, 56)});
    }
    page.groups.append(version);

    // Holds only the second reset button, placed by the builder.
    page.groups.append({QStringLiteral("groupBox_23"), QRect(740, 10, 300, 470),
                        formText(QStringLiteral("groupBox_23")), kDefaultSpacing, kTitlePointSize, {}, {}});
    return page;
}

} // namespace

QVector<Page> pages()
{
    return {
        page("tab", "frame_3", QRect(10, 10, 1060, 490)),
        basicMenu(),
        advancedMenu1(),
        advancedMenu2(),
        mixSettings(),
        systemSettings(),
    };
}

MonitorColumn monitorColumn(int channel)
{
    const int dx = 135 * (channel - 1);
    const QStringList names = {"lineEdit_9", "lineEdit_19", "lineEdit_20", "lineEdit_21",
                               "lineEdit_22", "lineEdit_23", "lineEdit_24", "lineEdit_25"};
    return {channel == 1 ? QStringLiteral("lineEdit") : QStringLiteral("lineEdit_%1").arg(channel),
            QRect(20 + dx, 10, 80, 50),
            names.at(channel - 1),
            QRect(30 + dx, 60, 60, 31),
            QStringLiteral("progressBar_%1").arg(channel) + QLatin1Char('0'),
            QRect(35 + dx, 105, 50, 180),
            QStringLiteral("progressBar_%1").arg(channel) + QLatin1Char('1'),
            QRect(35 + dx, 285, 50, 180)};
}

QStringList largeTextEditors()
{
    return {
        // basic menu: the channel-8 row and one end point
        "comboBox_rev8", "spinBox_sub8", "spinBox_Lepa2", "spinBox_Lepa8", "spinBox_Repa8",
        "spinBox_FS8", "spinBox_delay8", "comboBox_AUX8",
        // elevon mix
        "comboBox_EleMix", "spinBox_Elev01", "spinBox_Elev02",
        // programmable mix 2, all but its switch
        "comboBox_PRM02_Master", "comboBox_PRM02_Slave", "spinBox_PRM02_Data1",
        "spinBox_PRM02_Data2", "spinBox_PRM02_Data3",
        // system settings
        "doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt", "spinBox_Rssi",
        "spinBox_Mode", "spinBox_Vertion", "comboBox_PRM02_Master_2",
    };
}

QVector<InitialIndex> initialIndexes()
{
    QVector<InitialIndex> out{{QStringLiteral("portNameBox"), -1}, {QStringLiteral("tabWidget"), 5}};
    // Every choice opens on its setting's start value.
    for (const Setting &s : settingRows()) {
        if (s.choices && s.start != 0.0 && !s.editor.isEmpty())
            out.append({s.editor, int(s.start)});
    }
    return out;
}

} // namespace FormTables
