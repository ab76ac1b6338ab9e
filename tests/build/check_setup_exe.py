#!/usr/bin/env python3
"""Checks the shipped setup.exe as a file: a PE32 GUI program for Intel 386 with no link time
stamp, importing system DLLs only, carrying its manifest, icon, form description, list pictures
and the FILES archive. Prints one line per check and exits non-zero on any failure."""
import struct
import sys
import xml.etree.ElementTree as ET

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "ole32.dll",
               "msvcrt.dll", "shell32.dll", "comdlg32.dll", "mpr.dll", "shlwapi.dll", "version.dll"}
RT_BITMAP, RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_MANIFEST = 2, 3, 10, 14, 24

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


class PE:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0"
        self.machine, nsect, self.timestamp = struct.unpack_from("<HHI", data, pe + 4)
        opt_size = struct.unpack_from("<H", data, pe + 20)[0]
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(nsect):
            s = opt + opt_size + 40 * i
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def off(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("rva outside sections")

    def cstr(self, rva):
        o = self.off(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("latin-1")

    def imports(self):
        rva = self.dirs[1][0]
        names = []
        while True:
            desc = struct.unpack_from("<IIIII", self.data, self.off(rva))
            if desc[3] == 0:
                return names
            names.append(self.cstr(desc[3]))
            rva += 20

    def resources(self):
        """{(type, name): {lang: bytes}}, with names as ints or strings."""
        base_rva = self.dirs[2][0]
        base = self.off(base_rva)

        def entries(o):
            named, ids = struct.unpack_from("<HH", self.data, o + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, o + 16 + 8 * i)
                if key & 0x80000000:
                    so = base + (key & 0x7FFFFFFF)
                    n = struct.unpack_from("<H", self.data, so)[0]
                    key = self.data[so + 2:so + 2 + 2 * n].decode("utf-16-le")
                yield key, target

        out = {}
        for rtype, t1 in entries(base):
            for name, t2 in entries(base + (t1 & 0x7FFFFFFF)):
                for lang, t3 in entries(base + (t2 & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + t3)
                    o = self.off(rva)
                    out.setdefault((rtype, name), {})[lang] = self.data[o:o + size]
        return out


def main(path):
    pe = PE(open(path, "rb").read())
    check(pe.machine == 0x14C and pe.magic == 0x10B, "PE32 for Intel 386")
    check(pe.subsystem == 2, "Windows GUI subsystem")
    check(pe.timestamp == 0, "no link time stamp")
    imports = [n.lower() for n in pe.imports()]
    check(set(imports) <= SYSTEM_DLLS, "imports system DLLs only: " + ", ".join(imports))

    res = pe.resources()
    manifest = res.get((RT_MANIFEST, 1), {})
    check(1033 in manifest, "manifest 1 present (language 1033)")
    if manifest:
        ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3"}
        root = ET.fromstring(next(iter(manifest.values())))
        ident = root.find("v1:assemblyIdentity", ns).attrib
        check(ident == {"type": "win32", "name": "Setup", "version": "5.1.0.0", "processorArchitecture": "x86"},
              "manifest identity " + str(ident))
        check(root.findtext("v1:description", namespaces=ns) == "Windows Shell", "manifest description")
        dep = root.find("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity", ns).attrib
        check(dep == {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
                      "processorArchitecture": "x86", "publicKeyToken": "6595b64144ccf1df", "language": "*"},
              "common controls 6 dependency")
        level = root.find(".//v3:requestedExecutionLevel", ns).attrib
        check(level == {"level": "highestAvailable"}, "execution level highestAvailable without uiAccess")

    group = res.get((RT_GROUP_ICON, 1), {}).get(1033)
    check(group is not None, "icon group 1 (language 1033)")
    if group:
        count = struct.unpack_from("<H", group, 4)[0]
        images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
        sizes = sorted((w or 256) for w, *_ in images)
        check(sizes == [16, 32, 48, 256], "icon sizes " + str(sizes))
        check(all(img[5] == 32 for img in images), "icon images all 32-bit")
        for img in images:
            if img[0] == 0:
                data = next(iter(res[(RT_ICON, img[7])].values()))
                check(data[:8] == b"\x89PNG\r\n\x1a\n", "256 x 256 image stored as PNG")

    files = res.get(("FILES", "FILES"), {})
    check(len(files) == 1 and next(iter(files.values()))[:2] == b"\x78\xDA", "FILES archive, zlib level 9 (78 DA)")
    check(("TMAINDLGFORM" in [n for (t, n) in res if t == RT_RCDATA]), "form description TMAINDLGFORM")
    bitmaps = {n for (t, n) in res if t == RT_BITMAP}
    check({"CLOSEDFOLDER", "OPENFOLDER", "FIXEDDRIVE", "REMOVABLEDRIVE"} <= bitmaps, "list bitmaps")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
