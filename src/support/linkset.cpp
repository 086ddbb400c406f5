#include "support/linkset.h"

namespace gleaner {

LinkSet& LinkSet::operator=(const LinkSet& other)
{
    if (this != &other)
        copyFrom(other);
    return *this;
}

std::int32_t LinkSet::insert(std::string_view key, std::string_view value)
{
    if (key.empty())
        return 0;
    auto [it, inserted] = m_entries.try_emplace(std::string(key), value);
    if (!inserted)
        return 0;
    m_order.push_back(&*it);
    return 1;
}

void LinkSet::copyFrom(const LinkSet& source)
{
    if (this == &source)
        return;
    clear();
    m_entries.reserve(source.size());
    m_order.reserve(source.size());
    for (const Map::value_type* entry : source.m_order)
        insert(entry->first, entry->second);
}

bool LinkSet::contains(std::string_view key) const { return m_entries.find(key) != m_entries.end(); }

void LinkSet::clear()
{
    m_order.clear();
    m_entries.clear();
}

std::vector<std::string_view> LinkSet::keys() const
{
    std::vector<std::string_view> out;
    out.reserve(m_order.size());
    for (const Map::value_type* entry : m_order)
        out.emplace_back(entry->first);
    return out;
}

Text LinkSet::value(std::string_view key) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? Text() : it->second;
}

} // namespace gleaner
