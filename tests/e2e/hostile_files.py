#!/usr/bin/env python3
"""Writes valid data files far larger than any the game ships, for the damaged-data runs.

    hostile_files.py png SIDE OUT        a SIDE by SIDE RGBA picture, black and transparent, about 1 MB for 16384
    hostile_files.py ogg SECONDS OUT     SECONDS of stereo 44100 Hz Ogg Vorbis silence

The picture is written directly (its rows of zeros deflate a thousandfold). Encoding an hour of sound takes a
minute, so the sound is made from a few seconds that sox encodes: the steady long-block packets of their middle are
repeated, in pages of their own with the granule positions and checksums such a stream has, which the Vorbis decoder
plays as one long silence.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png(side, out):
    row = b"\0" * (1 + 4 * side)  # filter byte 0, then transparent black RGBA
    packer = zlib.compressobj(9)
    data = b"".join(packer.compress(row) for _ in range(side)) + packer.flush()
    header = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", data) + png_chunk(b"IEND", b""))


# Ogg's page checksum: CRC-32 with the polynomial 0x04C11DB7, not reflected, starting from 0.
CRC_TABLE = []
for n in range(256):
    r = n << 24
    for _ in range(8):
        r = ((r << 1) ^ 0x04C11DB7) if r & 0x80000000 else r << 1
    CRC_TABLE.append(r & 0xFFFFFFFF)


def ogg_crc(data):
    crc = 0
    for byte in data:
        crc = ((crc << 8) & 0xFFFFFFFF) ^ CRC_TABLE[(crc >> 24) ^ byte]
    return crc


def ogg_page(serial, sequence, granule, flags, packets):
    lacing, body = b"", b""
    for packet in packets:
        lacing += b"\xff" * (len(packet) // 255) + bytes([len(packet) % 255])
        body += packet
    assert len(lacing) <= 255
    header = struct.pack("<4sBBqIIIB", b"OggS", 0, flags, granule, serial, sequence, 0, len(lacing)) + lacing
    crc = ogg_crc(header + body)
    return header[:22] + struct.pack("<I", crc) + header[26:] + body


def read_packets(data):
    """The packets of a one-stream Ogg file, and its serial number."""
    packets, current, at, serial = [], b"", 0, None
    while at < len(data):
        assert data[at:at + 4] == b"OggS", "not an Ogg page"
        serial = struct.unpack("<I", data[at + 14:at + 18])[0]
        count = data[at + 26]
        lacing = data[at + 27:at + 27 + count]
        at += 27 + count
        for size in lacing:
            current += data[at:at + size]
            at += size
            if size < 255:
                packets.append(current)
                current = b""
    return packets, serial


def write_ogg(seconds, out):
    with tempfile.TemporaryDirectory() as work:
        seed = os.path.join(work, "seed.ogg")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-C", "-1", seed, "synth", "5", "sine", "0", "vol", "0"],
                       check=True)
        packets, serial = read_packets(open(seed, "rb").read())
    headers, audio = packets[:3], packets[3:]
    # The middle of a steady silence: long blocks of 4096, each adding 2048 frames once the first has primed the
    # decoder.
    steady = audio[len(audio) // 4:3 * len(audio) // 4]
    frames_wanted = seconds * 44100
    per_packet = 2048
    with open(out, "wb") as f:
        f.write(ogg_page(serial, 0, 0, 2, headers[:1]))
        f.write(ogg_page(serial, 1, 0, 0, headers[1:]))
        sequence, emitted, page = 2, 0, []
        total_packets = frames_wanted // per_packet + 1
        while emitted < total_packets:
            page.append(steady[emitted % len(steady)])
            emitted += 1
            if len(page) == 32 or emitted == total_packets:
                last = emitted == total_packets
                f.write(ogg_page(serial, sequence, (emitted - 1) * per_packet, 4 if last else 0, page))
                sequence += 1
                page = []


def main():
    kind, size, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    if kind == "png":
        write_png(size, out)
    elif kind == "ogg":
        write_ogg(size, out)
    else:
        sys.exit("hostile_files.py: png or ogg")


if __name__ == "__main__":
    main()
