"""An independent reader of Caskit project files (.csk) for the tests:
the record field by field, little-endian, exactly as the format says."""
import struct

FIELDS = [
    ("reserved", "i32"), ("projectVersion", "i32"), ("exeName", "str"), ("exeFolder", "str"),
    ("userDefinedVm", "bool"), ("vmLibraryPath", "str"), ("mainClass", "str"), ("arguments", "str"),
    ("classPath", "list"), ("properties", "list"), ("environment", "list"),
    ("classPathMode", "i32"), ("verifyOption", "i32"),
    ("asyncGcEnabled", "bool"), ("classGcEnabled", "bool"), ("jitEnabled", "bool"),
    ("consoleWindow", "bool"), ("routeConsole", "bool"),
    ("minHeap", "u32"), ("maxHeap", "u32"), ("maxNativeStack", "u32"), ("maxJavaStack", "u32"),
    ("versionInfoEnabled", "bool"), ("fileVersion", "ver"), ("productVersion", "ver"),
    ("companyName", "str"), ("legalCopyright", "str"), ("legalTrademarks", "str"), ("comments", "str"),
    ("largeIconPath", "str"), ("smallIconPath", "str"),
]

# The extension after the last field: "CSKX", the length of the rest, then
# (tag, length, bytes) records in ascending tag order.
EXTENSION = {
    1: ("jvmOptions", "list"), 2: ("javaMinVersion", "str"), 3: ("javaMaxVersion", "str"),
    4: ("downloadUrl", "str"), 5: ("consoleProgram", "bool"), 6: ("manifestPath", "str"),
    7: ("embeddedJar", "str"), 8: ("startupCache", "bool"), 9: ("workingFolder", "u32"),
    10: ("fileDescription", "str"), 11: ("productName", "str"), 12: ("codePage", "u32"),
    13: ("runtimeHeap", "u32"), 15: ("restartExitCode", "u32"), 16: ("singleInstance", "bool"),
    17: ("instanceId", "str"), 18: ("instanceHandler", "str"),
}


def read_project(data):
    """Returns a dict of every field, the extension's settings under
    "extension"; raises ValueError on a short file or malformed extension."""
    pos = 0

    def take(n):
        nonlocal pos
        if pos + n > len(data):
            raise ValueError("record ends early at %d" % pos)
        chunk = data[pos:pos + n]
        pos += n
        return chunk

    def text():
        (n,) = struct.unpack("<I", take(4))
        return take(n).decode("latin-1")

    out = {}
    for name, kind in FIELDS:
        if kind == "i32":
            out[name] = struct.unpack("<i", take(4))[0]
        elif kind == "u32":
            out[name] = struct.unpack("<I", take(4))[0]
        elif kind == "bool":
            b = take(1)[0]
            if b not in (0, 1):
                raise ValueError("boolean %s is %d" % (name, b))
            out[name] = bool(b)
        elif kind == "str":
            out[name] = text()
        elif kind == "list":
            (count,) = struct.unpack("<I", take(4))
            out[name] = [text() for _ in range(count)]
        elif kind == "ver":
            out[name] = list(struct.unpack("<4h", take(8)))
    out["extension"] = {}
    if pos == len(data):
        return out
    if take(4) != b"CSKX":
        raise ValueError("bytes after the record are no extension")
    (size,) = struct.unpack("<I", take(4))
    if size != len(data) - pos:
        raise ValueError("extension of %d bytes in %d" % (size, len(data) - pos))
    last = 0
    while pos < len(data):
        tag, n = struct.unpack("<II", take(8))
        if tag <= last:
            raise ValueError("extension tag %d after %d" % (tag, last))
        last = tag
        value = take(n)
        name, kind = EXTENSION.get(tag, ("tag%d" % tag, "bytes"))
        if kind == "str":
            value = value.decode("latin-1")
        elif kind == "bool":
            value = {b"\x00": False, b"\x01": True}[value]
        elif kind == "u32":
            (value,) = struct.unpack("<I", value)
        elif kind == "list":
            (count,) = struct.unpack("<I", value[:4])
            entries, at = [], 4
            for _ in range(count):
                (length,) = struct.unpack("<I", value[at:at + 4])
                entries.append(value[at + 4:at + 4 + length].decode("latin-1"))
                at += 4 + length
            if at != len(value):
                raise ValueError("list %s does not fill its record" % name)
            value = entries
        out["extension"][name] = value
    return out
