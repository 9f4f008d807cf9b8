#!/usr/bin/env python3
"""Sets the two compile dates of a help file made by chmcmd to a given time, so that the same
sources give the same bytes: the date in the file header and the one in the #SYSTEM file.

    pin_chm_date.py help.chm SECONDS_SINCE_1970

Both live outside the compressed section, so they are changed in place."""
import struct
import sys


def encint(data, pos):
    """Reads a variable-length number of the directory: 7 bits a byte, high bit set on all but
    the last byte, most significant first."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def directory_entries(data):
    """Yields (name, section, offset, length) of every file listed in the directory's leaf chunks."""
    dir_offset, dir_length = struct.unpack_from("<QQ", data, 0x48)
    if data[dir_offset:dir_offset + 4] != b"ITSP":
        raise ValueError("no directory header")
    header_length = struct.unpack_from("<I", data, dir_offset + 8)[0]
    chunk_size = struct.unpack_from("<I", data, dir_offset + 0x10)[0]
    chunks = dir_offset + header_length
    while chunks + chunk_size <= dir_offset + dir_length:
        chunk = data[chunks:chunks + chunk_size]
        if chunk[:4] == b"PMGL":
            free = struct.unpack_from("<I", chunk, 4)[0]
            pos, end = 0x14, chunk_size - free
            while pos < end:
                name_length, pos = encint(chunk, pos)
                name = bytes(chunk[pos:pos + name_length]).decode("utf-8")
                pos += name_length
                section, pos = encint(chunk, pos)
                offset, pos = encint(chunk, pos)
                length, pos = encint(chunk, pos)
                yield name, section, offset, length
        chunks += chunk_size


def pin(data, seconds):
    if data[:4] != b"ITSF":
        raise ValueError("not a compiled help file")
    version = struct.unpack_from("<I", data, 4)[0]
    # The header's date is stored most significant byte first.
    struct.pack_into(">I", data, 0x10, seconds)
    if version >= 3:
        content = struct.unpack_from("<Q", data, 0x58)[0]
    else:
        dir_offset, dir_length = struct.unpack_from("<QQ", data, 0x48)
        content = dir_offset + dir_length
    system = next(((offset, length) for name, section, offset, length in directory_entries(data)
                   if name == "/#SYSTEM" and section == 0), None)
    if system is None:
        raise ValueError("no uncompressed #SYSTEM file")
    # #SYSTEM: a version, then records of a 16-bit code, a 16-bit length and the data; the date
    # is record 10.
    pos, end = content + system[0] + 4, content + system[0] + system[1]
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == 10 and length >= 4:
            struct.pack_into("<I", data, pos + 4, seconds)
            return
        pos += 4 + length
    raise ValueError("#SYSTEM has no date")


def main():
    path, seconds = sys.argv[1], int(sys.argv[2]) & 0xFFFFFFFF
    with open(path, "rb") as f:
        data = bytearray(f.read())
    try:
        pin(data, seconds)
    except (ValueError, IndexError, struct.error) as e:
        sys.exit(f"{path}: {e}")
    with open(path, "r+b") as f:
        f.write(data)


if __name__ == "__main__":
    main()
