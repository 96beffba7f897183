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


def read_project(data):
    """Returns a dict of every field; raises ValueError on a short file or
    when bytes are left over."""
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
    if pos != len(data):
        raise ValueError("%d bytes after the record" % (len(data) - pos))
    return out
