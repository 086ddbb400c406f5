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
    auto [it, inserted] = m_keys.emplace(key);
    if (!inserted)
        return 0;
    m_order.push_back(&*it);
    if (!value.empty())
        m_values.emplace(&*it, value);
    return 1;
}

void LinkSet::copyFrom(const LinkSet& source)
{
    if (this == &source)
        return;
    clear();
    m_keys.reserve(source.size());
    m_order.reserve(source.size());
    for (const std::string* key : source.m_order)
        insert(*key, source.value(*key));
}

bool LinkSet::contains(std::string_view key) const { return m_keys.find(key) != m_keys.end(); }

void LinkSet::clear()
{
    m_order.clear();
    m_values.clear();
    m_keys.clear();
}

std::vector<std::string_view> LinkSet::keys() const
{
    std::vector<std::string_view> out;
    out.reserve(m_order.size());
    for (const std::string* key : m_order)
        out.emplace_back(*key);
    return out;
}

Text LinkSet::value(std::string_view key) const
{
    const auto k = m_keys.find(key);
    if (k == m_keys.end())
        return {};
    const auto v = m_values.find(&*k);
    return v == m_values.end() ? Text() : v->second;
}

} // namespace gleaner
