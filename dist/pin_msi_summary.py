#!/usr/bin/env python3
"""Pins what wixl leaves to chance in a package's summary information: the package code
(revision number), which it makes up at random, and the creation and last-saved dates, which it
takes from the clock.

    pin_msi_summary.py Zettly.msi {PACKAGE-CODE} SECONDS_SINCE_1970

The package is a compound file; the summary information is one of its streams. The new values
have the sizes of the old ones, so the stream is rewritten in place, sector by sector."""
import struct
import sys

FREE, END_OF_CHAIN = 0xFFFFFFFF, 0xFFFFFFFE
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 30, 64


class CompoundFile:
    def __init__(self, data):
        if data[:8] != bytes.fromhex("d0cf11e0a1b11ae1"):
            raise ValueError("not a compound file")
        self.data = data
        self.sector_size = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini_size = 1 << struct.unpack_from("<H", data, 0x20)[0]
        (dir_start, _, self.mini_cutoff, minifat_start, _, difat_start,
         difat_count) = struct.unpack_from("<7I", data, 0x30)
        fat_sectors = [s for s in struct.unpack_from("<109I", data, 0x4C) if s < END_OF_CHAIN]
        per_sector = self.sector_size // 4
        while difat_count and difat_start < END_OF_CHAIN:
            entries = struct.unpack_from(f"<{per_sector}I", data, self.offset(difat_start))
            fat_sectors += [s for s in entries[:-1] if s < END_OF_CHAIN]
            difat_start, difat_count = entries[-1], difat_count - 1
        self.fat = []
        for s in fat_sectors:
            self.fat += struct.unpack_from(f"<{per_sector}I", data, self.offset(s))
        self.directory = self.read(dir_start)
        minifat = self.read(minifat_start) if minifat_start < END_OF_CHAIN else b""
        self.minifat = struct.unpack(f"<{len(minifat) // 4}I", minifat)
        # The root entry's stream holds the small streams, in mini sectors.
        self.mini_stream = self.chain(struct.unpack_from("<I", self.directory, 116)[0])

    def offset(self, sector):
        return (sector + 1) * self.sector_size

    def chain(self, sector):
        sectors = []
        while sector < END_OF_CHAIN:
            if len(sectors) > len(self.fat):
                raise ValueError("a sector chain loops")
            sectors.append(sector)
            sector = self.fat[sector]
        return sectors

    def read(self, sector):
        return b"".join(self.data[self.offset(s):self.offset(s) + self.sector_size]
                        for s in self.chain(sector))

    def stream_offsets(self, name):
        """The file offset of every byte of the named stream, in order."""
        for entry in range(len(self.directory) // 128):
            raw = self.directory[entry * 128:(entry + 1) * 128]
            name_length = struct.unpack_from("<H", raw, 64)[0]
            if name_length < 2 or raw[:name_length - 2].decode("utf-16-le") != name:
                continue
            start, size = struct.unpack_from("<II", raw, 116)
            if size >= self.mini_cutoff:
                return [self.offset(s) + i for s in self.chain(start)
                        for i in range(self.sector_size)][:size]
            offsets, sector = [], start
            while sector < END_OF_CHAIN and len(offsets) < size:
                at = sector * self.mini_size
                big = self.mini_stream[at // self.sector_size]
                base = self.offset(big) + at % self.sector_size
                offsets += range(base, base + self.mini_size)
                sector = self.minifat[sector]
            return offsets[:size]
        raise ValueError(f"no stream {name!r}")


def pin(data, package_code, seconds):
    cfb = CompoundFile(data)
    offsets = cfb.stream_offsets("\x05SummaryInformation")
    stream = bytearray(data[o] for o in offsets)
    section = struct.unpack_from("<I", stream, 44)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    # Windows file time: 100-nanosecond steps since 1601.
    filetime = (seconds + 11644473600) * 10_000_000
    pinned = set()
    for i in range(count):
        pid, at = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        at += section
        kind = struct.unpack_from("<I", stream, at)[0]
        if pid == PID_REVNUMBER and kind == VT_LPSTR:
            length = struct.unpack_from("<I", stream, at + 4)[0]
            text = package_code.encode("ascii") + b"\0"
            if len(text) != length:
                raise ValueError(f"package code {package_code} is not as long as the one it replaces")
            stream[at + 8:at + 8 + length] = text
            pinned.add(pid)
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
            struct.pack_into("<Q", stream, at + 4, filetime)
            pinned.add(pid)
    if pinned != {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM}:
        raise ValueError("the summary information lacks the package code or a date")
    for o, byte in zip(offsets, stream):
        data[o] = byte


def main():
    path, package_code, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(path, "rb") as f:
        data = bytearray(f.read())
    try:
        pin(data, package_code, seconds)
    except (ValueError, IndexError, struct.error, UnicodeDecodeError) as e:
        sys.exit(f"{path}: {e}")
    with open(path, "r+b") as f:
        f.write(data)


if __name__ == "__main__":
    main()
