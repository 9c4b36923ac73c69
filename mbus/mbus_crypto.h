#pragma once
// AES-128 for wireless telegrams, through OpenSSL's EVP interface.
#include <cstddef>
#include <cstdint>

// Decrypts len bytes (a multiple of 16) in place with AES-128-CBC, no padding. False when
// the length is no whole number of blocks or the library fails; data is then untouched.
bool AES128_CBC_Decrypt(const uint8_t key[16], const uint8_t iv[16], uint8_t *data, size_t len);
// AES-CMAC (RFC 4493) of len bytes with a 128-bit key into mac[16].
bool AES128_CMAC(const uint8_t key[16], const uint8_t *data, size_t len, uint8_t mac[16]);
