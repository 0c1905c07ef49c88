#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

struct ParameterSet;

// A set-up sheet read back: its header and every row under its page and
// group, as the HTML gives them.
struct SheetRow
{
    QString page;
    QString group;
    QString name;
    QString value;
    bool operator==(const SheetRow &o) const
    {
        return page == o.page && group == o.group && name == o.name && value == o.value;
    }
};

struct SheetContent
{
    QStringList header; // "来源: 文件 a.dat", ...
    QVector<SheetRow> rows;
};

SheetContent readSheetHtml(const QString &html);

// What the sheet of p must hold: one row per setting of the table, in its
// order, in the language in effect.
QVector<SheetRow> expectedSheetRows(const ParameterSet &p);

// Every set-up value in its valid range, chosen at random from seed.
ParameterSet randomSetup(unsigned seed);
