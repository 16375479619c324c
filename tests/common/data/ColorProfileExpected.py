#!/usr/bin/env python3
# Writes ColorProfileExpected.h: what lcms2's transicc (relative colorimetric, no black-point
# compensation, no precalculation, float in and out) makes of a 5x5x5 grid of device colours
# through each test profile into sRGB, Display P3 and Adobe RGB (1998), rounded and clamped
# to 0..255. Run once from this folder when the profiles or the grid change; the tests
# themselves never need transicc.
#
# The sRGB and P3 targets are the packaged profiles. colord's Adobe RGB profile carries a
# matrix some 1e-4 off the space's primaries, which its pure power curve turns into up to 5
# steps near black, so the Adobe target is a profile written here from the primaries, the D65
# white and Bradford's adaptation to D50, rounded to 1/65536 as any profile stores it.
import struct
import subprocess
import tempfile
from fractions import Fraction as F

ARGYLL = '/usr/share/color/argyll/ref/'
COLORD = '/usr/share/color/icc/colord/'
DEVICES = [COLORD + n for n in ('sRGB.icc', 'AdobeRGB1998.icc', 'WideGamutRGB.icc',
                                'ProPhotoRGB.icc', 'SwappedRedAndGreen.icc')] + \
          [ARGYLL + n for n in ('DisplayP3.icm', 'ClayRGB1998.icm')]
GRID = [0, 64, 128, 192, 255]


def mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def inv(m):
    det = sum(m[0][j] * (m[1][(j + 1) % 3] * m[2][(j + 2) % 3] - m[1][(j + 2) % 3] * m[2][(j + 1) % 3])
              for j in range(3))
    return [[(m[(j + 1) % 3][(i + 1) % 3] * m[(j + 2) % 3][(i + 2) % 3] -
              m[(j + 1) % 3][(i + 2) % 3] * m[(j + 2) % 3][(i + 1) % 3]) / det
             for j in range(3)] for i in range(3)]


def apply(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def adobe_profile(path):
    xy = [(F('0.64'), F('0.33')), (F('0.21'), F('0.71')), (F('0.15'), F('0.06'))]
    wx, wy = F('0.3127'), F('0.3290')
    white = [wx / wy, 1, (1 - wx - wy) / wy]
    d50 = [F('0.9642'), 1, F('0.8249')]
    bradford = [[F(x) for x in row] for row in (('0.8951', '0.2664', '-0.1614'),
                                                ('-0.7502', '1.7135', '0.0367'),
                                                ('0.0389', '-0.0685', '1.0296'))]
    f, t = apply(bradford, white), apply(bradford, d50)
    scale = [[t[i] / f[i] if i == j else 0 for j in range(3)] for i in range(3)]
    adapt = mul(inv(bradford), mul(scale, bradford))
    prim = [[x / y for x, y in xy], [1, 1, 1], [(1 - x - y) / y for x, y in xy]]
    s = apply(inv(prim), white)
    m = mul(adapt, [[prim[i][j] * s[j] for j in range(3)] for i in range(3)])

    def fixed(v):
        return struct.pack('>i', round(v * 65536))

    def xyz(v):
        return b'XYZ \0\0\0\0' + b''.join(fixed(c) for c in v)

    trc = b'para\0\0\0\0' + struct.pack('>HH', 0, 0) + fixed(F(563, 256)) + b'\0\0\0\0'
    tags = [(b'wtpt', xyz(d50))] + [(name, xyz([m[i][c] for i in range(3)]))
                                    for c, name in enumerate((b'rXYZ', b'gXYZ', b'bXYZ'))] + \
           [(b'rTRC', trc), (b'gTRC', trc), (b'bTRC', trc)]
    start = 132 + 12 * len(tags)
    table, body = b'', b''
    for sig, data in tags:
        table += sig + struct.pack('>II', start + len(body), len(data))
        body += data
    header = bytearray(128)
    header[0:4] = struct.pack('>I', start + len(body))
    header[8:12] = bytes([2, 0x40, 0, 0])
    header[12:24] = b'mntrRGB XYZ '
    header[36:40] = b'acsp'
    header[68:80] = fixed(d50[0]) + fixed(1) + fixed(d50[2])
    with open(path, 'wb') as out:
        out.write(bytes(header) + struct.pack('>I', len(tags)) + table + body)


def main():
    with tempfile.TemporaryDirectory() as tmp:
        adobe = tmp + '/AdobeRGB.icc'
        adobe_profile(adobe)
        targets = [('Srgb', COLORD + 'sRGB.icc'), ('P3', ARGYLL + 'DisplayP3.icm'),
                   ('AdobeRgb', adobe)]
        colours = ''.join(f'{r} {g} {b}\n' for r in GRID for g in GRID for b in GRID)
        rows = []
        for device in DEVICES:
            for space, target in targets:
                out = subprocess.run(['transicc', '-t1', '-c0', '-n', '-i', device, '-o', target],
                                     input=colours, capture_output=True, text=True,
                                     check=True).stdout.split()
                values = [max(0, min(255, round(float(v)))) for v in out]
                assert len(values) == 3 * len(GRID) ** 3, (device, target)
                hexes = ''.join('%02x' % v for v in values)
                rows.append(f'    {{"{device}", ColorProfile::TSpace::{space},\n     "{hexes}"}},')
    with open('ColorProfileExpected.h', 'w') as out:
        out.write('// Written by ColorProfileExpected.py: transicc\'s results for the grid 0, 64, 128,\n'
                  '// 192, 255 per channel, red slowest, each colour as six hex digits RRGGBB.\n'
                  '#pragma once\n\n'
                  'struct TExpectedConversion {\n'
                  '    const char* Profile;\n'
                  '    ColorProfile::TSpace Target;\n'
                  '    const char* Colors;\n'
                  '};\n\n'
                  'const TExpectedConversion kExpectedConversions[] = {\n' + '\n'.join(rows) +
                  '\n};\n')


main()
