#include "bankfile/FileDigest.h"

#include <openssl/evp.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "base/ConversionError.h"

namespace convertor {

struct Sha1::State {
    EVP_MD_CTX* context = nullptr;
};

Sha1::Sha1() : m_state(std::make_unique<State>()) {
    m_state->context = EVP_MD_CTX_new();
    if (m_state->context == nullptr || EVP_DigestInit_ex(m_state->context, EVP_sha1(), nullptr) != 1) {
        throw std::runtime_error("SHA-1 is not available");
    }
}

Sha1::~Sha1() {
    EVP_MD_CTX_free(m_state->context);
}

void Sha1::update(const void* data, std::size_t size) {
    if (size > 0 && EVP_DigestUpdate(m_state->context, data, size) != 1) {
        throw std::runtime_error("SHA-1 update failed");
    }
}

Sha1Digest Sha1::finish() {
    Sha1Digest digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(m_state->context, digest.data(), &length) != 1 || length != digest.size()) {
        throw std::runtime_error("SHA-1 finish failed");
    }
    return digest;
}

std::string digestText(const Sha1Digest& digest) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(40);
    for (auto byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

}  // namespace convertor
