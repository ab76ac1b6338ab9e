#!/usr/bin/env python3
"""Checks the headers of the setup's pictures; prints one line per file and exits 1 on any fault.

  check_images.py bmp FILE WIDTH HEIGHT BPP [BPP...]   an uncompressed BITMAPINFOHEADER BMP
  check_images.py ico FILE                             the four-image 32-bit application icon
"""

import struct
import sys

faults = []


def fault(name, why):
    faults.append('%s: %s' % (name, why))


def check_bmp(name, width, height, bpps):
    data = open(name, 'rb').read()
    if len(data) < 54 or data[:2] != b'BM':
        return fault(name, 'not a BMP file')
    _, size, _, _, offset = struct.unpack_from('<2sIHHI', data, 0)
    hsize, w, h, planes, bpp, comp, img_size, _, _, used, _ = struct.unpack_from('<IiiHHIIiiII', data, 14)
    if size != len(data):
        fault(name, 'file size field %d, file has %d bytes' % (size, len(data)))
    if hsize != 40:
        fault(name, 'header size %d, not a BITMAPINFOHEADER' % hsize)
    if (w, h) != (width, height):
        fault(name, 'size %d x %d, wanted %d x %d' % (w, h, width, height))
    if planes != 1 or comp != 0:
        fault(name, 'planes %d, compression %d (wanted 1 and 0)' % (planes, comp))
    if bpp not in bpps:
        fault(name, '%d bits per pixel, wanted %s' % (bpp, ' or '.join(map(str, bpps))))
    colours = (used or (1 << bpp)) if bpp <= 8 else 0
    if offset != 14 + 40 + 4 * colours:
        fault(name, 'pixel data at %d, after %d palette entries it should be at %d'
              % (offset, colours, 14 + 40 + 4 * colours))
    stride = ((w * bpp + 31) // 32) * 4
    if len(data) - offset != stride * abs(h):
        fault(name, 'pixel data is %d bytes, %d rows of %d expected' % (len(data) - offset, abs(h), stride))
    if img_size not in (0, stride * abs(h)):
        fault(name, 'image size field %d' % img_size)
    print('%s: %d x %d, %d bpp, %d palette entries, %d bytes' % (name, w, h, bpp, colours, len(data)))


def check_ico(name):
    data = open(name, 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind != 1:
        return fault(name, 'not an icon file')
    if count != 4:
        fault(name, '%d images, wanted 4' % count)
    seen = []
    for i in range(count):
        bw, bh, colours, res, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        w, h = bw or 256, bh or 256
        seen.append(w)
        blob = data[offset:offset + size]
        if len(blob) != size:
            fault(name, 'image %d runs past the end of the file' % i)
            continue
        if w != h:
            fault(name, 'image %d is %d x %d, not square' % (i, w, h))
        if bits != 32 or planes != 1 or colours != 0:
            fault(name, 'image %d: directory says %d bpp, %d planes, %d colours' % (i, bits, planes, colours))
        if w == 256:
            if blob[:8] != b'\x89PNG\r\n\x1a\n':
                fault(name, 'the 256 x 256 image is not stored as PNG')
                continue
            pw, ph, depth, ctype = struct.unpack_from('>IIBB', blob, 16)
            if (pw, ph, depth, ctype) != (256, 256, 8, 6):
                fault(name, 'PNG is %d x %d, depth %d, colour type %d (wanted 256 x 256 RGBA 8)'
                      % (pw, ph, depth, ctype))
            kind = 'PNG'
        else:
            hsize, dw, dh, dplanes, dbits, comp = struct.unpack_from('<IiiHHI', blob, 0)
            if hsize != 40 or dw != w or dh != 2 * h or dbits != 32 or comp != 0:
                fault(name, 'image %d DIB header: size %d, %d x %d, %d bpp, compression %d'
                      % (i, hsize, dw, dh, dbits, comp))
            mask_stride = ((w + 31) // 32) * 4
            if size != 40 + w * h * 4 + mask_stride * h:
                fault(name, 'image %d is %d bytes, colour plus AND mask need %d'
                      % (i, size, 40 + w * h * 4 + mask_stride * h))
            kind = 'DIB'
        print('%s: image %d, %d x %d, %d bpp, %s, %d bytes' % (name, i, w, h, bits, kind, size))
    if seen != [256, 48, 32, 16]:
        fault(name, 'image sizes %s, wanted 256, 48, 32, 16' % seen)


def main(argv):
    if len(argv) >= 6 and argv[1] == 'bmp':
        check_bmp(argv[2], int(argv[3]), int(argv[4]), [int(b) for b in argv[5:]])
    elif len(argv) == 3 and argv[1] == 'ico':
        check_ico(argv[2])
    else:
        sys.stderr.write(__doc__)
        return 2
    for f in faults:
        print('FAULT ' + f, file=sys.stderr)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
