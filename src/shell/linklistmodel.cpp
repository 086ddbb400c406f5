#include "shell/linklistmodel.h"

#include "shell/qtext.h"

namespace gleaner {

int LinkListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_links.size());
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return toQString(m_links[static_cast<std::size_t>(index.row())]);
}

void LinkListModel::append(Text link)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_links.push_back(std::move(link));
    endInsertRows();
}

void LinkListModel::clear()
{
    beginResetModel();
    m_links.clear();
    endResetModel();
}

} // namespace gleaner
