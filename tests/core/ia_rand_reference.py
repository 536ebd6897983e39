#!/usr/bin/env python3
"""An independent transcription of the shredder's IA generator, used to derive the expected
values in ia_rand_test.cpp. Run it to print them."""
M = 0xFFFFFFFF


def mix(s):
    a, b, c, d, e, f, g, h = s
    a ^= (b << 11) & M; d = (d + a) & M; b = (b + c) & M
    b ^= c >> 2; e = (e + b) & M; c = (c + d) & M
    c ^= (d << 8) & M; f = (f + c) & M; d = (d + e) & M
    d ^= e >> 16; g = (g + d) & M; e = (e + f) & M
    e ^= (f << 10) & M; h = (h + e) & M; f = (f + g) & M
    f ^= g >> 4; a = (a + f) & M; g = (g + h) & M
    g ^= (h << 8) & M; b = (b + g) & M; h = (h + a) & M
    h ^= a >> 9; c = (c + h) & M; a = (a + b) & M
    return [a, b, c, d, e, f, g, h]


class IA:
    def __init__(self, snapshot):
        seed = bytearray(1024)
        pos = 0
        for byte in snapshot:
            if pos >= 1024:
                pos = 0
            seed[pos] = (seed[pos] + byte) & 0xFF
            pos += 1
        self.r = [int.from_bytes(seed[4 * i:4 * i + 4], 'little') for i in range(256)]
        self.m = [0] * 256
        self.last = 0
        s = [0x9E3779B9] * 8
        for _ in range(4):
            s = mix(s)
        for src in (self.r, self.m):
            for i in range(0, 256, 8):
                s = mix([(s[k] + src[i + k]) & M for k in range(8)])
                self.m[i:i + 8] = s
        self.generate()
        self.count = 256

    def generate(self):
        b = self.last
        for i in range(256):
            x = self.m[i]
            y = (self.m[x & 255] + b) & M
            self.m[i] = y
            b = (self.m[(y >> 8) & 255] + x) & M
            self.r[i] = b
        self.last = b

    def next(self):
        if self.count == 0:
            self.generate()
            self.count = 255
        else:
            self.count -= 1
        return self.r[self.count]

    def batch_bytes(self):
        return b''.join(w.to_bytes(4, 'little') for w in self.r)


snapshot = bytes((i * 7 + 3) & 0xFF for i in range(400))
g = IA(snapshot)
print('first three:', [hex(g.next()) for _ in range(3)])
g = IA(snapshot)
outs = [g.next() for _ in range(257)]
print('call 256:', hex(outs[255]), 'call 257:', hex(outs[256]))
g = IA(snapshot)
g.generate()
print('fill 8 bytes:', g.batch_bytes()[:8].hex())
g = IA(b'')
print('empty snapshot first:', hex(g.next()))
