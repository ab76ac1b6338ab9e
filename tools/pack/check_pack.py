#!/usr/bin/env python3
"""Checks a pack folder: the list file, the set of files and the files made here.

  check_pack.py PACK_FOLDER

Prints what it checked and exits 1 on the first list of faults.
"""

import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ENTRIES = ['License.txt', 'hunspell.dll', 'Greek.asc', 'userdicgr.tlx', 'el_GR.dic', 'el_GR.aff', 'Greek.hyph',
           'Greek.thes', 'Logo.bmp', 'LogoSmall.bmp']
EXTRA = ['pack.lst', 'README.md']

faults = []


def fault(why):
    faults.append(why)


def check_list(folder):
    names = []
    line_re = re.compile(r'^(\S+) (\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2})$')
    with open(os.path.join(folder, 'pack.lst'), 'rb') as f:
        raw = f.read()
    if b'\r' in raw:
        fault('pack.lst: has CR characters')
    for number, line in enumerate(raw.decode('ascii').split('\n'), 1):
        if not line or line.startswith('#'):
            continue
        m = line_re.match(line)
        if not m:
            fault('pack.lst:%d: not "<name> <YYYY-MM-DD> <HH:MM:SS>": %r' % (number, line))
            continue
        name = m.group(1)
        y, mo, d, h, mi, s = (int(g) for g in m.groups()[1:])
        if not (1980 <= y <= 2099 and 1 <= mo <= 12 and 1 <= d <= 31 and h <= 23 and mi <= 59 and s <= 59):
            fault('pack.lst:%d: date out of range' % number)
        if s % 2:
            fault('pack.lst:%d: odd seconds' % number)
        names.append(name)
    if names != ENTRIES:
        fault('pack.lst: entries %s, wanted %s' % (names, ENTRIES))
    print('pack.lst: %d entries checked' % len(names))


def check_files(folder):
    present = sorted(os.listdir(folder))
    wanted = sorted(ENTRIES + EXTRA)
    if present != wanted:
        fault('folder holds %s, wanted %s' % (present, wanted))


def check_license(folder):
    data = open(os.path.join(folder, 'License.txt'), 'rb').read()
    if any(b > 126 or (b < 32 and b != 10) for b in data):
        fault('License.txt: not plain ASCII with LF line ends')
    if not 1500 <= len(data) <= 3072:
        fault('License.txt: %d bytes, wanted 1.5 to 3 KB' % len(data))
    if not data.endswith(b'\n'):
        fault('License.txt: no final line end')
    print('License.txt: %d bytes of ASCII' % len(data))


def check_alphabet(folder):
    data = open(os.path.join(folder, 'Greek.asc'), 'rb').read()
    text = data.decode('cp1253')
    lines = text.split('\r\n')
    if lines[-1] != '' or len(lines) != 3 or '\n' in text.replace('\r\n', ''):
        fault('Greek.asc: wanted two lines, each ending in CR LF')
        return
    upper, lower = lines[0], lines[1]
    source = open(os.path.join(HERE, 'greek-alphabet.txt'), encoding='utf-8').read().split('\n')
    if [upper, lower] != source[:2]:
        fault('Greek.asc: does not match tools/pack/greek-alphabet.txt')
    if not all(c.isupper() for c in upper) or not all(c.islower() for c in lower):
        fault('Greek.asc: the first line must be upper case, the second lower case')
    for ch in lower:
        if len(ch.upper()) == 1 and ch.upper() not in upper:
            fault('Greek.asc: U+%04X has no capital in the first line' % ord(ch))
    for ch in upper:
        if ch.lower() not in lower:
            fault('Greek.asc: U+%04X has no small letter in the second line' % ord(ch))
    for ch in '\u03c2\u03ac\u03ad\u03ae\u03af\u03cc\u03cd\u03ce\u0390\u03b0':
        if ch not in lower:
            fault('Greek.asc: lower-case line lacks U+%04X' % ord(ch))
    for ch in '\u0386\u0388\u0389\u038a\u038c\u038e\u038f':
        if ch not in upper:
            fault('Greek.asc: upper-case line lacks U+%04X' % ord(ch))
    print('Greek.asc: %d capitals, %d small letters in CP1253' % (len(upper), len(lower)))


def check_thesaurus(folder):
    data = open(os.path.join(folder, 'Greek.thes'), 'rb').read()
    text = data.decode('cp1253')
    if not text.endswith('\r\n') or '\n' in text.replace('\r\n', ''):
        fault('Greek.thes: lines must end in CR LF')
    heads = set()
    entries = 0
    for number, line in enumerate(text.split('\r\n')[:-1], 1):
        fields = line.split(';')
        if len(fields) < 2 or any(not f or f != f.strip() for f in fields):
            fault('Greek.thes:%d: wanted headword;synonym[;synonym...] with no empty fields' % number)
            continue
        for f in fields:
            for ch in f:
                if ch != ' ' and not ('\u0370' <= ch <= '\u03ff'):
                    fault('Greek.thes:%d: character U+%04X is not a Greek letter' % (number, ord(ch)))
                    break
        if fields[0] in heads:
            fault('Greek.thes:%d: headword repeated' % number)
        if fields[0] in fields[1:]:
            fault('Greek.thes:%d: headword listed as its own synonym' % number)
        if len(set(fields)) != len(fields):
            fault('Greek.thes:%d: a synonym is listed twice' % number)
        heads.add(fields[0])
        entries += 1
    if not 30 <= entries <= 300:
        fault('Greek.thes: %d entries, wanted a few dozen to a couple hundred' % entries)
    print('Greek.thes: %d entries' % entries)


def check_images(folder):
    checker = os.path.join(HERE, '..', 'art', 'check_images.py')
    for name, w, h, bpp in (('Logo.bmp', 120, 260, 4), ('LogoSmall.bmp', 32, 32, 8)):
        r = subprocess.run([sys.executable, checker, 'bmp', os.path.join(folder, name), str(w), str(h), str(bpp)])
        if r.returncode:
            fault('%s: header check failed' % name)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    folder = sys.argv[1]
    check_files(folder)
    check_list(folder)
    check_license(folder)
    if os.path.getsize(os.path.join(folder, 'userdicgr.tlx')) != 0:
        fault('userdicgr.tlx: not empty')
    check_alphabet(folder)
    check_thesaurus(folder)
    check_images(folder)
    for f in faults:
        print('FAULT ' + f, file=sys.stderr)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
