#pragma once

#include "support/text.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace gleaner {

// A regular expression over code page 936 text, built on PCRE2 in UTF mode.
// Subjects are matched in their UTF-8 form, so a double-byte character counts
// as one character; match and group texts come back as the subject's own
// bytes. "." does not match a line feed. Match and group numbers are 1-based.
//
// Nothing here fails loudly: before a successful `create`, or when a number is
// out of range, the reading operations give the empty text or 0.
class RegexObject final {
public:
    RegexObject();
    ~RegexObject();
    // Copies share the compiled pattern and the last match results.
    RegexObject(const RegexObject&);
    RegexObject& operator=(const RegexObject&);
    RegexObject(RegexObject&&) noexcept;
    RegexObject& operator=(RegexObject&&) noexcept;

    // A second object on the same compiled pattern and the same matches.
    RegexObject copy() const { return *this; }

    // Compiles `pattern`. A flag left out counts as true. Returns 1 on
    // success; 0 when the pattern does not compile, which leaves the object
    // without a pattern.
    std::int32_t create(std::string_view pattern, std::optional<bool> ignoreCase = {},
                        std::optional<bool> multiline = {}, std::optional<bool> global = {});

    Text pattern() const;

    // The text with matches (all, or the first when not global) replaced.
    // The replacement may name groups as $1, $2, ...
    Text replace(std::string_view text, std::string_view replacement) const;

    // Runs the pattern over `text`; keeps the matches for reading.
    std::int32_t execute(std::string_view text);

    std::int32_t matchCount() const;
    Text matchText(std::int32_t match) const;
    Text subMatchText(std::int32_t match, std::int32_t group) const;
    // Number of groups of the first match; 0 when nothing matched.
    std::int32_t subMatchCount() const;

private:
    struct Compiled;
    struct Matches;
    std::shared_ptr<const Compiled> m_compiled;
    std::shared_ptr<const Matches> m_matches;
    std::int32_t m_lastCount = 0;
};

} // namespace gleaner
