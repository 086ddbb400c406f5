#pragma once

#include "support/text.h"

#include <QAbstractListModel>

#include <vector>

namespace gleaner {

// The harvest list's items as code page 936 texts; rows are converted for
// display only when the view asks for them, so the list stays light with
// hundreds of thousands of links.
class LinkListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void append(Text link);
    void clear();
    std::int32_t count() const { return static_cast<std::int32_t>(m_links.size()); }
    const Text& text(std::int32_t row) const { return m_links.at(static_cast<std::size_t>(row)); }

private:
    std::vector<Text> m_links;
};

} // namespace gleaner
