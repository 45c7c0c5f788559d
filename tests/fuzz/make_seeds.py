#!/usr/bin/env python3
# Writes the hand-made fuzz seeds in tests/fuzz/seeds/: edge cases that the game's own data files do not show
# (extreme numbers, odd PNG layouts, Ogg files whose pages announce absurd lengths, rates or channel counts).
# Checksums are recomputed so the readers get past them. Run it again only to change the seeds.
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SEEDS = os.path.join(HERE, "seeds")
DATA = os.path.join(HERE, "..", "..", "data")


def write(target, name, data):
    folder = os.path.join(SEEDS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data.encode("latin-1") if isinstance(data, str) else data)


def text_seeds():
    pads = "1 -1 0 0 0.00000000\r\n1 -1 0 0 0.500000000\r\n1 -1 0 0 0.250000000\r\n1 -1 0 0 0.750000000\r\n" \
           "0 -1 1 0 0.00000000\r\n0 -1 2 0 0.00000000\r\n0 -1 9 0 0.00000000\r\n"
    write("settings", "defaults", "1\r\n2\r\n87\r\n83\r\n68\r\n65\r\n74\r\n73\r\n27\r\n" + pads)
    write("settings", "every_kind", "0\n3\n87\n83\n68\n65\n74\n161\n27\n1 0 0 0 0.25\n2 0 0 1 -1\n"
          "0 1 2 0 0\n2 3 0 10 1\n1 0 0 0 0.75\n0 0 31 0 0\n0 0 9 0 0\n")
    write("settings", "full_screen", "1\r\n2\r\n87\r\n83\r\n68\r\n65\r\n74\r\n73\r\n27\r\n" + pads + "1\r\n0\r\n")
    write("settings", "extremes", "-2147483648\n2147483647\n255\n256\n-1\n$7FFFFFFF\n%1111\n 12x\n\n"
          "0 2147483647 2147483647 0 0\n1 -2147483648 0 0 nan\n2 0 0 -2147483648 -inf\n"
          "2 0 0 2147483647 1e300\n1 0 0 0 -1e-45\n0 -1 -2147483648 0 0\n5 0 0 0 0\n\0\r\r\n")
    write("progress", "levels", "0\r\n1\r\n2\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n3\r\n")
    write("progress", "extremes", "-2147483648\n2147483647\n$FFFFFFFF\n99999999999\n-3\n4\n\n \t\n%11\n1\n2\n")
    with open(os.path.join(DATA, "bin", "tournament.dat"), "rb") as f:
        roster = f.read().decode("latin-1")
    write("roster", "eleven_lines", roster + "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\n")
    write("roster", "extremes", "".join("-2147483648\t2147483647\t0\t-1\t99999999999\t$FF\t%1\t-0\t\t7\n"
                                        for _ in range(10)))
    write("roster", "short_line", roster.replace("\t", " ", 3))
    write("key_captions", "extremes", "65\tA\n-1\tMinus\n256\tPast\n2147483647\tBig\n\tNo code\nNo tab\n"
          "87\t\n83\tS\tS\n$44\tHex D\n")
    write("font_metrics", "extremes", "2147483647 2147483647 -2147483648 99999999999 - -- 5-5\n"
          + " ".join(str(n % 7 * 1000000) for n in range(300)) + "\n")
    write("font_metrics", "negative", " ".join("-40" for _ in range(261)) + "\n")


def replay_seeds():
    head = "morvik replay 1\nversion 1.1\nrules 3f2a9c0d11e47b65\n"
    body = "".join("frames %d %04x %04x\n" % (60 + 7 * i, (i * 0x81) & 0x3FFF, (i * 0x1102) & 0x3FFF) +
                   ("hash %d %016x\n" % (59 + 60 * i, 0x9E3779B97F4A7C15 * (i + 1) % 2**64))
                   for i in range(8))
    write("replay", "online_decided", head + "kind online\nring 7\nside 1\n" + body + "end 590 1\n")
    write("replay", "local_left", head.replace("\n", "\r\n") + "kind local\r\nring 0\r\nside -\r\n"
          "frames 999999 0000 0000\r\nhash 59 0\r\nframes 1 3fff 0000\r\nleft\r\n")


def png_chunk(kind, payload):
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))


def png(width, height, depth, color, rows, extra=b"", interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, color, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra +
            png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def png_seeds():
    def rows(height, row_bytes, fill=0x5A):
        return b"".join(b"\0" + bytes([fill]) * row_bytes for _ in range(height))
    write("png", "rgb16.png", png(4, 3, 16, 2, rows(3, 4 * 6)))
    write("png", "palette_trns.png", png(4, 4, 2, 3, rows(4, 1, 0x1B),
                                         png_chunk(b"PLTE", bytes(range(12))) + png_chunk(b"tRNS", b"\0\x80")))
    write("png", "grey_alpha.png", png(3, 3, 8, 4, rows(3, 6)))
    write("png", "grey1_trns.png", png(9, 2, 1, 0, rows(2, 2), png_chunk(b"tRNS", b"\0\1")))
    write("png", "interlaced_rgba.png", png(7, 7, 8, 6, rows(15, 28), interlace=1))
    write("png", "mask_colour_rgb.png", png(3, 2, 8, 2, b"\0" + bytes(9) + b"\0" + b"\1\2\3" * 3))
    # A few bytes declaring the largest picture the loader allows, and one past it.
    write("png", "huge_declared.png", png(16384, 16384, 8, 6, rows(2, 64)))
    write("png", "too_wide.png", png(16385, 1, 8, 0, rows(1, 16385)))
    write("png", "zero_height.png", png(5, 0, 8, 2, b""))


OGG_CRC = []
for i in range(256):
    r = i << 24
    for _ in range(8):
        r = ((r << 1) ^ 0x04C11DB7) if r & 0x80000000 else (r << 1)
    OGG_CRC.append(r & 0xFFFFFFFF)


def ogg_crc(data):
    crc = 0
    for b in data:
        crc = ((crc << 8) & 0xFFFFFFFF) ^ OGG_CRC[((crc >> 24) ^ b) & 0xFF]
    return crc


def ogg_pages(data):
    pages, at = [], 0
    while at < len(data):
        segments = data[at + 26]
        body = sum(data[at + 27:at + 27 + segments])
        end = at + 27 + segments + body
        pages.append(bytearray(data[at:end]))
        at = end
    return pages


def seal(page):
    page[22:26] = b"\0\0\0\0"
    page[22:26] = struct.pack("<I", ogg_crc(bytes(page)))
    return bytes(page)


def ogg_seeds():
    with open(os.path.join(DATA, "sfx", "sfx7.ogg"), "rb") as f:  # several pages of sound
        pages = ogg_pages(f.read())

    def variant(name, change):
        copy = [bytearray(p) for p in pages]
        change(copy)
        write("ogg", name, b"".join(seal(p) for p in copy))

    def last_granule(value):
        return lambda p: p[-1].__setitem__(slice(6, 14), struct.pack("<q", value))
    # The last page's granule position is the length the loader allocates for.
    variant("length_512m_frames.ogg", last_granule(1 << 29))
    variant("length_mono_limit.ogg", last_granule((1 << 30) - 1))
    variant("length_int32_max.ogg", last_granule(0x7FFFFFFF))
    variant("length_negative.ogg", last_granule(-5))
    # The identification header: channels at byte 11 of the packet, the rate at 12 to 15.
    first = 27 + pages[0][26]
    variant("three_channels.ogg", lambda p: p[0].__setitem__(first + 11, 3))
    variant("rate_one.ogg", lambda p: p[0].__setitem__(slice(first + 12, first + 16), struct.pack("<I", 1)))
    variant("rate_huge.ogg", lambda p: p[0].__setitem__(slice(first + 12, first + 16), struct.pack("<I", 0xFFFFFFFF)))
    variant("headers_only.ogg", lambda p: p.__delitem__(slice(2, None)))


text_seeds()
replay_seeds()
png_seeds()
ogg_seeds()
