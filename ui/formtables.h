#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

// What the editing pages of the main window hold, as data: pages, group
// boxes, their columns of captions or editors, and every editor's kind,
// range, initial value and item list. The form builder walks these tables.
namespace FormTables {

using Vocabulary = QStringList (*)();

enum class EditorKind { Spin, DoubleSpin, Combo };

struct Editor
{
    QString name;
    EditorKind kind;
    double minimum;
    double maximum;
    double initial;          // value of a spin box; combo boxes start at item 0
    Vocabulary items;        // combo boxes only
};

struct Caption
{
    QString name;
    QString text;
};

// One vertical column of a group box: either captions or editors. The n-th
// caption stands level with the n-th editor of the neighbouring column.
struct Column
{
    QRect geometry;
    QVector<Caption> captions;
    QVector<Editor> editors;
};

// A caption and a value box placed by hand, outside the columns.
struct LooseRow
{
    Caption caption;
    QRect captionGeometry;
    QString valueName;
    QRect valueGeometry;
};

struct Group
{
    QString name;
    QRect geometry;
    QString title;
    int spacing;             // -1: the style's default
    int titlePointSize;
    QVector<Column> columns;
    QVector<LooseRow> looseRows;
};

struct Page
{
    QString name;
    QString title;
    QString frameName;
    QRect frameGeometry;
    QVector<Group> groups;
};

// The six pages in tab order. The live monitor (page 0) has no groups; its
// widgets follow the channel pitch of monitorColumn().
QVector<Page> pages();

// Geometry of the live monitor's widgets for channel 1..8.
struct MonitorColumn
{
    QString valueName;
    QRect valueGeometry;
    QString nameName;
    QRect nameGeometry;
    QString upperBarName;
    QRect upperBarGeometry;
    QString lowerBarName;
    QRect lowerBarGeometry;
};
MonitorColumn monitorColumn(int channel);

// Editors whose text is drawn at 22 px instead of 20 px.
QStringList largeTextEditors();

// Indexes set once the texts are in place.
struct InitialIndex
{
    QString name;
    int index;
};
QVector<InitialIndex> initialIndexes();

} // namespace FormTables
