#pragma once

#include <QStandardItemModel>

// Item model of a combo box that offers one choice only: any row asked for
// maps to that item, so selecting another index keeps the box on its item
// instead of leaving it with no selection.
class FixedChoiceModel : public QStandardItemModel
{
    Q_OBJECT
public:
    using QStandardItemModel::QStandardItemModel;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
};
