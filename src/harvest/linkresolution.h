#pragma once

#include "search/harvest_state.h"
#include "support/bytebuffer.h"
#include "support/text.h"

#include <chrono>
#include <string>
#include <vector>

namespace gleaner {

// The target address of a result link by the rule of the engine taken at
// Search: Baidu links are asked of the redirector, google wrapper links are
// unwrapped, the others pass unchanged. The empty text when unresolvable.
Text resolveResultLink(const HarvestState& state, std::string_view link);

// The raw value of the Location header of the response to one GET of `link`,
// redirects not followed. The empty text when the link is empty, is not an
// http or https address, the request fails or times out, or the response has
// no Location header.
Text resolveRedirect(std::string_view link);

// Turns every "%XY" escape into its byte, then reads the bytes as UTF-8 and
// gives them back in code page 936. An escape of 0 adds nothing; a "%" not
// followed by two hexadecimal digits is dropped together with the (up to
// two) bytes after it.
Text percentDecode(std::string_view text);

// UTF-8 bytes to UTF-16 code units (little-endian, two bytes each); invalid
// sequences become U+FFFD.
ByteBuffer utf8ToUtf16(const ByteBuffer& utf8);
// UTF-16 code units to code page 936: base characters and combining marks are
// composed where possible, characters the code page lacks become "?". Ends at
// a zero character.
Text utf16ToGbk(const ByteBuffer& utf16);
Text utf8ToGbk(const ByteBuffer& utf8);

// Limits of the redirect request. Defaults: 10 s to connect, 20 s in all.
struct RedirectSettings {
    std::chrono::milliseconds connectTimeout{10000};
    std::chrono::milliseconds totalTimeout{20000};
    // "HOST:PORT:CONNECT-HOST:CONNECT-PORT" entries, as curl's connect-to
    // option takes them; lets tests send an engine's host to a local server.
    std::vector<std::string> connectTo;
};
RedirectSettings& redirectSettings();

} // namespace gleaner
