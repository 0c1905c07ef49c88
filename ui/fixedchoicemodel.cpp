#include "ui/fixedchoicemodel.h"

QModelIndex FixedChoiceModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!parent.isValid() && rowCount() == 1)
        row = 0;
    return QStandardItemModel::index(row, column, parent);
}
