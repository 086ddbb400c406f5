#pragma once

// The engines' web-search hosts and the google base addresses, defined once.

#include <array>
#include <string_view>

namespace gleaner::engines {

inline constexpr std::string_view kBaiduHost = "www.baidu.com";
inline constexpr std::string_view kBingHost = "cn.bing.com";
inline constexpr std::string_view kSosoHost = "www.soso.com";
inline constexpr std::string_view kSougouHost = "www.sogou.com";

// The domain the Soso engine serves its result pages from: its host without
// the first label. Links under it are the engine's own, never results.
inline constexpr std::string_view kSosoDomainSuffix = ".soso.com";

// Items of the google base-address list: scheme and host, no trailing "/".
inline constexpr std::array<std::string_view, 3> kGoogleBases = {
    "http://142.250.66.100",
    "https://www.google.com.hk",
    "https://www.google.co.jp",
};

} // namespace gleaner::engines
