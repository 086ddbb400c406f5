#pragma once

#include "support/bytebuffer.h"
#include "support/text.h"

#include <array>
#include <cstdint>
#include <functional>

namespace gleaner {

// RC4 over byte buffers and texts. The key schedule of the last key is kept;
// every call starts the keystream afresh from it, so encrypting and
// decrypting are the same operation. Progress is reported as a percentage,
// once per byte, to an optional handler.
class StreamCipher final {
public:
    using ProgressHandler = std::function<void(std::int32_t percent)>;

    StreamCipher() = default;

    // A cipher with the same handler and its own copy of key and schedule.
    StreamCipher copy() const { return *this; }

    void setProgressHandler(ProgressHandler handler) { m_progressHandler = std::move(handler); }

    // Runs the key schedule unless `key` equals the last key byte for byte.
    void setKey(std::string_view key);

    // data XOR the keystream of `key`; an empty key uses the schedule in place
    // (all zeros, so the data unchanged, before any key was set).
    ByteBuffer encryptBytes(const ByteBuffer& data, std::string_view key);
    ByteBuffer decryptBytes(const ByteBuffer& data, std::string_view key) { return encryptBytes(data, key); }
    // The enciphered bytes up to the first zero byte among them.
    Text encryptText(std::string_view text, std::string_view key);
    Text decryptText(std::string_view text, std::string_view key);

    const Text& key() const { return m_key; }
    const std::array<std::int32_t, 256>& state() const { return m_state; }

private:
    ProgressHandler m_progressHandler;
    Text m_key;
    std::array<std::int32_t, 256> m_state{};
};

// Deciphers with the given cipher; when `showProgress` is given it becomes the
// cipher's progress handler first.
ByteBuffer decryptWithProgress(StreamCipher& cipher, const ByteBuffer& data, std::string_view key,
                               StreamCipher::ProgressHandler showProgress);

} // namespace gleaner
