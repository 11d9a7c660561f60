#!/usr/bin/env python3
"""An independent transcription of the file cipher's key schedule, to make the known-answer
vectors the unit test checks. Prints one line per password: the password in hex, then the
512-byte key in hex."""

PASSWORDS = [b"a", b"Kelmar", b"secret password", bytes(range(128, 256)) + b"\xff\x80", b"x" * 259,
             b"AAAAAAAAAAAAAAAA", b"\x01"]


def key_of(password):
    key = bytearray(password[k % len(password)] for k in range(512))

    def bit(x, y):
        b = (x % 64) + 64 * (y % 64)
        return (key[b >> 3] >> (b & 7)) & 1

    nxt = bytearray(512)
    for y in range(64):
        for x in range(64):
            n = sum(bit(x + dx, y + dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1) if dx or dy)
            alive = (bit(x, y) and n == 2) or n == 3
            if alive:
                b = x + 64 * y
                nxt[b >> 3] |= 1 << (b & 7)
    for k in range(512):
        key[k] ^= nxt[k]

    seed = sum(c - 256 if c > 127 else c for c in password) & 0xFFFFFFFF
    state = seed
    for k in range(512):
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        key[k] ^= ((state >> 16) & 0x7FFF) & 0xFF
    return bytes(key)


if __name__ == "__main__":
    for p in PASSWORDS:
        print(p.hex(), key_of(p).hex())
