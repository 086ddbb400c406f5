#pragma once

#include "support/text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace gleaner {

// An insertion-ordered set of links with exact byte comparison of keys.
// Each entry also carries a value text, which the program leaves empty.
// Inserting and looking up cost O(1) on average.
class LinkSet final {
public:
    LinkSet() = default;
    LinkSet(const LinkSet& other) { copyFrom(other); }
    LinkSet& operator=(const LinkSet& other);
    LinkSet(LinkSet&&) noexcept = default;
    LinkSet& operator=(LinkSet&&) noexcept = default;

    // 1 when the key was new and was appended, 0 when an equal key is there
    // already (nothing changes) or the key is empty.
    std::int32_t insert(std::string_view key, std::string_view value = {});

    // Makes this set hold copies of the source's entries in the source's order.
    void copyFrom(const LinkSet& source);

    bool contains(std::string_view key) const;
    std::size_t size() const { return m_order.size(); }
    bool empty() const { return m_order.empty(); }
    void clear();

    // Keys in insertion order.
    std::vector<std::string_view> keys() const;
    // The value stored with `key`, empty when absent.
    Text value(std::string_view key) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    using Keys = std::unordered_set<std::string, Hash, std::equal_to<>>;

    Keys m_keys;
    // Node-based set: element addresses stay valid across rehashing.
    std::vector<const std::string*> m_order;
    // Values are almost always empty; only the others are stored.
    std::unordered_map<const std::string*, std::string> m_values;
};

} // namespace gleaner
