#!/usr/bin/env python3
"""Removes the preview picture from a .ppt file, in place.

LibreOffice stores an uncompressed 512-pixel-wide bitmap of the first slide in
the SummaryInformation stream of every .ppt it writes; it makes a three-slide
sample twenty times larger than the slides themselves. This rewrites the
compound file with the same streams and directory, minus that one property.

    drop-ppt-thumbnail.py FILE.ppt
"""
import os
import struct
import sys
import tempfile

FREE, END_OF_CHAIN, FAT_SECTOR = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD
SIGNATURE = bytes.fromhex("d0cf11e0a1b11ae1")
PID_THUMBNAIL = 17
SUMMARY_INFORMATION = "\x05SummaryInformation"


class Damaged(Exception):
    pass


def read_compound_file(data):
    """Returns (directory entries as 128-byte records, {entry index: stream bytes})."""
    if data[:8] != SIGNATURE:
        raise Damaged("not a compound file")
    sector_size = 1 << struct.unpack_from("<H", data, 30)[0]
    mini_size = 1 << struct.unpack_from("<H", data, 32)[0]
    (fat_count, first_dir, _, cutoff, first_minifat, minifat_count, first_difat,
     difat_count) = struct.unpack_from("<IIIIIIII", data, 44)

    def sector(n):
        start = (n + 1) * sector_size
        if start + sector_size > len(data):
            raise Damaged("sector %d lies outside the file" % n)
        return data[start:start + sector_size]

    difat = list(struct.unpack_from("<109I", data, 76))
    next_difat = first_difat
    for _ in range(difat_count):
        words = struct.unpack("<%dI" % (sector_size // 4), sector(next_difat))
        difat.extend(words[:-1])
        next_difat = words[-1]
    fat = []
    for n in difat[:fat_count]:
        fat.extend(struct.unpack("<%dI" % (sector_size // 4), sector(n)))

    def chain(first, table, read):
        out, n, seen = bytearray(), first, set()
        while n not in (END_OF_CHAIN, FREE):
            if n in seen or n >= len(table):
                raise Damaged("broken sector chain")
            seen.add(n)
            out += read(n)
            n = table[n]
        return bytes(out)

    directory = chain(first_dir, fat, sector)
    entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]
    root_start = struct.unpack_from("<I", entries[0], 116)[0]
    mini_stream = chain(root_start, fat, sector)
    minifat_bytes = chain(first_minifat, fat, sector) if minifat_count else b""
    minifat = list(struct.unpack("<%dI" % (len(minifat_bytes) // 4), minifat_bytes))

    def mini_sector(n):
        return mini_stream[n * mini_size:(n + 1) * mini_size]

    streams = {}
    for index, entry in enumerate(entries):
        if entry[66] != 2:  # only streams carry data
            continue
        start, size = struct.unpack_from("<II", entry, 116)
        if size < cutoff:
            body = chain(start, minifat, mini_sector) if size else b""
        else:
            body = chain(start, fat, sector)
        if len(body) < size:
            raise Damaged("stream %d is shorter than its directory entry says" % index)
        streams[index] = body[:size]
    return entries, streams


def without_thumbnail(property_set):
    """The property set without PIDSI_THUMBNAIL; unchanged when it has none."""
    if len(property_set) < 48 or struct.unpack_from("<I", property_set, 24)[0] != 1:
        return property_set
    section_at = struct.unpack_from("<I", property_set, 44)[0]
    section = property_set[section_at:]
    size, count = struct.unpack_from("<II", section, 0)
    pairs = [struct.unpack_from("<II", section, 8 + 8 * i) for i in range(count)]
    if PID_THUMBNAIL not in (pid for pid, _ in pairs):
        return property_set
    bounds = sorted(offset for _, offset in pairs) + [size]
    length = {offset: bounds[bounds.index(offset) + 1] - offset for _, offset in pairs}
    kept = [(pid, offset) for pid, offset in pairs if pid != PID_THUMBNAIL]
    body, new_pairs = bytearray(), []
    header_size = 8 + 8 * len(kept)
    for pid, offset in sorted(kept, key=lambda pair: pair[1]):
        new_pairs.append((pid, header_size + len(body)))
        body += section[offset:offset + length[offset]]
    new_section = struct.pack("<II", header_size + len(body), len(kept))
    new_section += b"".join(struct.pack("<II", pid, at) for pid, at in new_pairs)
    return property_set[:section_at] + new_section + bytes(body)


def write_compound_file(entries, streams):
    """A version 3 compound file (512-byte sectors, 64-byte mini sectors)."""
    sector_size, mini_size, cutoff = 512, 64, 4096
    sectors, fat = [], []

    def add_chain(body, unit, table, store):
        first = len(store)
        count = (len(body) + unit - 1) // unit
        for i in range(count):
            store.append(body[i * unit:(i + 1) * unit].ljust(unit, b"\0"))
            table.append(first + i + 1 if i + 1 < count else END_OF_CHAIN)
        return first if count else END_OF_CHAIN

    placed = {}
    mini_sectors, minifat = [], []
    for index, body in streams.items():
        if len(body) >= cutoff:
            placed[index] = add_chain(body, sector_size, fat, sectors)
        else:
            placed[index] = add_chain(body, mini_size, minifat, mini_sectors)
    mini_stream = b"".join(mini_sectors)
    root_start = add_chain(mini_stream, sector_size, fat, sectors)
    minifat_bytes = struct.pack("<%dI" % len(minifat), *minifat)
    first_minifat = add_chain(minifat_bytes, sector_size, fat, sectors)

    directory = bytearray()
    for index, entry in enumerate(entries):
        entry = bytearray(entry)
        if index == 0:
            struct.pack_into("<III", entry, 116, root_start, len(mini_stream), 0)
        elif index in streams:
            struct.pack_into("<III", entry, 116, placed[index], len(streams[index]), 0)
        directory += entry
    first_dir = add_chain(bytes(directory), sector_size, fat, sectors)

    # The FAT also maps its own sectors; grow it until it covers everything.
    fat_count = 1
    while (len(sectors) + fat_count) * 4 > fat_count * sector_size:
        fat_count += 1
    if fat_count > 109:
        raise Damaged("file too large for a header-only sector table")
    fat_sectors = list(range(len(sectors), len(sectors) + fat_count))
    fat.extend([FAT_SECTOR] * fat_count)
    fat.extend([FREE] * (fat_count * sector_size // 4 - len(fat)))
    fat_bytes = struct.pack("<%dI" % len(fat), *fat)

    header = bytearray(sector_size)
    header[0:8] = SIGNATURE
    struct.pack_into("<HHHHH", header, 24, 0x3E, 3, 0xFFFE, 9, 6)
    struct.pack_into("<IIIIIIII", header, 44, fat_count, first_dir, 0, cutoff,
                     first_minifat, (len(minifat_bytes) + sector_size - 1) // sector_size,
                     END_OF_CHAIN, 0)
    difat = fat_sectors + [FREE] * (109 - fat_count)
    struct.pack_into("<109I", header, 76, *difat)
    return bytes(header) + b"".join(sectors) + fat_bytes


def main(path):
    with open(path, "rb") as source:
        data = source.read()
    entries, streams = read_compound_file(data)
    for index, entry in enumerate(entries):
        name_length = struct.unpack_from("<H", entry, 64)[0]
        name = entry[:max(name_length - 2, 0)].decode("utf-16-le")
        if index in streams and name == SUMMARY_INFORMATION:
            streams[index] = without_thumbnail(streams[index])
    rewritten = write_compound_file(entries, streams)
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(dir=folder, prefix=".ppt-")
    try:
        with os.fdopen(handle, "wb") as out:
            out.write(rewritten)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        main(sys.argv[1])
    except (OSError, Damaged, struct.error) as error:
        sys.exit("drop-ppt-thumbnail.py: %s: %s" % (sys.argv[1], error))
