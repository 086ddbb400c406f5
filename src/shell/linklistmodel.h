#pragma once

#include "support/text.h"

#include <QAbstractListModel>

#include <vector>

namespace gleaner {

// The harvest list's items as code page 936 texts; rows are converted for
// display only when the view asks for them, so the list stays light with
// hundreds of thousands of links.
//
// New rows are announced to the view at most every kAnnounceMs. A list view
// lays out all its rows again after every insertion it is told of, and
// Collect lets events through after each link, so announcing each link at
// once would make harvesting slow down as the list grows. The commands read
// count() and text(), which include the rows not announced yet.
class LinkListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static constexpr int kAnnounceMs = 100;

    void append(Text link);
    void clear();
    // Tells the view of the rows appended since the last announcement.
    void announceRows();
    std::int32_t count() const { return static_cast<std::int32_t>(m_links.size()); }
    const Text& text(std::int32_t row) const { return m_links.at(static_cast<std::size_t>(row)); }

private:
    std::vector<Text> m_links;
    int m_announced = 0;          // rows the view knows of
    bool m_announcePending = false;
};

} // namespace gleaner
