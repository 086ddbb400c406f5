#include "shell/linklistmodel.h"

#include "shell/qtext.h"

#include <QTimer>

namespace gleaner {

int LinkListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return toQString(m_links[static_cast<std::size_t>(index.row())]);
}

void LinkListModel::append(Text link)
{
    m_links.push_back(std::move(link));
    if (!m_announcePending) {
        m_announcePending = true;
        QTimer::singleShot(kAnnounceMs, this, &LinkListModel::announceRows);
    }
}

void LinkListModel::announceRows()
{
    m_announcePending = false;
    const int total = static_cast<int>(m_links.size());
    if (total <= m_announced)
        return;
    beginInsertRows({}, m_announced, total - 1);
    m_announced = total;
    endInsertRows();
}

void LinkListModel::clear()
{
    beginResetModel();
    m_links.clear();
    m_announced = 0;
    endResetModel();
}

} // namespace gleaner
