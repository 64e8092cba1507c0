"""Shared drawing parts of the game's pictures: the palette, the outline and light rules of
STYLE.md, and the writers of SVG pictures and animation descriptions. The art scripts beside this
file draw every picture from these parts, so the whole set keeps one look."""
import math
import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), '..'))

INK = '#3a2233'
PAL = {  # name: (light, base, shade)
    'wood': ('#c98a4b', '#9a5b2e', '#6b3a1f'),
    'parchment': ('#fff4d6', '#f3dfae', '#d8b77a'),
    'gold': ('#ffe27a', '#f2b632', '#c27f16'),
    'copper': ('#f0a070', '#c8643a', '#8c3f22'),
    'iron': ('#8a8fa8', '#5b5f78', '#3c3f55'),
    'plum': ('#b27ac9', '#7e4a9e', '#523070'),
    'teal': ('#7fe0d0', '#2fb3a3', '#1d7a70'),
    'leaf': ('#a8e06a', '#5fae3c', '#3a7426'),
    'berry': ('#ff8fa8', '#e0456a', '#9e2748'),
    'sky': ('#9fd3ff', '#4f95e0', '#2f5fa8'),
    'flame': ('#fff3a0', '#ff9a2e', '#e0502a'),
    'stone': ('#d9cfc4', '#a89a8c', '#766a5f'),
    'night': ('#4a3f6b', '#2e2748', '#1c1730'),
    # potion liquids only, so that no two potions share a hue
    'lemon': ('#fff38a', '#f2dc3a', '#b8a01a'),
    'mint': ('#9af0bc', '#3ec878', '#23894f'),
    'indigo': ('#a49cff', '#5a4fe0', '#3a2fa0'),
    'orchid': ('#f59be6', '#d94fc0', '#9a2d86'),
}


def L(name):
    return PAL[name][0]


def B(name):
    return PAL[name][1]


def S(name):
    return PAL[name][2]


def f(v):
    """A number as short SVG text."""
    return ('%.2f' % v).rstrip('0').rstrip('.')


def P(*items):
    """Path data from command letters and (x, y) points: P('M', (0, 0), 'L', (5, 5), 'Z')."""
    return ' '.join(it if isinstance(it, str) else '%s,%s' % (f(it[0]), f(it[1])) for it in items)


def outlined(shape, fill, width=3, extra=''):
    """An SVG shape element ('circle cx=..') filled and with the ink outline."""
    return ('<%s fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round" stroke-linecap="round"%s/>'
            % (shape, fill, INK, f(width), extra))


def flat(shape, fill, opacity=1.0):
    op = '' if opacity >= 1 else ' opacity="%s"' % f(opacity)
    return '<%s fill="%s"%s/>' % (shape, fill, op)


def line(points, width=2, color=INK, opacity=1.0):
    d = 'M' + ' L'.join('%s,%s' % (f(x), f(y)) for x, y in points)
    op = '' if opacity >= 1 else ' opacity="%s"' % f(opacity)
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"%s/>'
            % (d, color, f(width), op))


def path(d, fill, width=3, extra=''):
    return outlined('path d="%s"' % d, fill, width, extra)


def ellipse(cx, cy, rx, ry, fill, width=3, extra=''):
    return outlined('ellipse cx="%s" cy="%s" rx="%s" ry="%s"' % (f(cx), f(cy), f(rx), f(ry)), fill, width, extra)


def circle(cx, cy, r, fill, width=3, extra=''):
    return outlined('circle cx="%s" cy="%s" r="%s"' % (f(cx), f(cy), f(r)), fill, width, extra)


def rect(x, y, w, h, fill, width=3, r=3, extra=''):
    return outlined('rect x="%s" y="%s" width="%s" height="%s" rx="%s"' % (f(x), f(y), f(w), f(h), f(r)), fill, width,
                    extra)


def shadow(cx, cy, rx, ry):
    """The flat floor shadow straight below an object."""
    return '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" opacity="0.25"/>' % (f(cx), f(cy), f(rx), f(ry), INK)


def glint(cx, cy, rx, ry, angle=-35, opacity=0.55):
    """The white highlight streak toward the light (upper left)."""
    return ('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="%s" transform="rotate(%s %s %s)"/>'
            % (f(cx), f(cy), f(rx), f(ry), f(opacity), f(angle), f(cx), f(cy)))


def shade_ellipse(cx, cy, rx, ry, color, opacity=1.0):
    return flat('ellipse cx="%s" cy="%s" rx="%s" ry="%s"' % (f(cx), f(cy), f(rx), f(ry)), color, opacity)


def star_points(cx, cy, r_out, r_in, n=5, rot=-90):
    pts = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return 'M' + ' L'.join('%s,%s' % (f(x), f(y)) for x, y in pts) + ' Z'


def star(cx, cy, r, fill=None, width=2, n=5):
    return path(star_points(cx, cy, r, r * 0.45, n), fill or B('gold'), width)


def sparkle(cx, cy, r, color='#ffffff', opacity=1.0):
    """A four-pointed glint."""
    d = 'M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z' % (
        f(cx), f(cy - r), f(cx + r * 0.15), f(cy - r * 0.15), f(cx + r), f(cy),
        f(cx + r * 0.15), f(cy + r * 0.15), f(cx), f(cy + r),
        f(cx - r * 0.15), f(cy + r * 0.15), f(cx - r), f(cy),
        f(cx - r * 0.15), f(cy - r * 0.15), f(cx), f(cy - r))
    op = '' if opacity >= 1 else ' opacity="%s"' % f(opacity)
    return '<path d="%s" fill="%s"%s/>' % (d, color, op)


def flame_path(cx, base, w, h):
    """A candle-like flame standing on (cx, base)."""
    return ('M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s Z' % (
        f(cx), f(base),
        f(cx - w * 0.6), f(base), f(cx - w * 0.55), f(base - h * 0.45), f(cx - w * 0.1), f(base - h * 0.7),
        f(cx - w * 0.05), f(base - h * 0.85), f(cx + w * 0.05), f(base - h * 0.9), f(cx), f(base - h),
        f(cx + w * 0.7), f(base - h * 0.5), f(cx + w * 0.6), f(base), f(cx), f(base)))


def flame(cx, base, w, h, ident=None):
    gid = ' id="%s"' % ident if ident else ''
    return ('<g%s>' % gid + path(flame_path(cx, base, w, h), B('flame'), 2) +
            flat('path d="%s"' % flame_path(cx, base - 1, w * 0.55, h * 0.6), L('flame')) + '</g>')


def text(x, y, content, size, fill=INK, anchor='middle', weight='bold', stroke=None, stroke_width=0, extra=''):
    st = ''
    if stroke:
        st = ' stroke="%s" stroke-width="%s" paint-order="stroke" stroke-linejoin="round"' % (stroke, f(stroke_width))
    return ('<text x="%s" y="%s" font-family="DejaVu Sans" font-weight="%s" font-size="%s" text-anchor="%s" '
            'fill="%s"%s%s>%s</text>' % (f(x), f(y), weight, f(size), anchor, fill, st, extra, content))


def glow_def(ident, color, opacity=0.8):
    return ('<radialGradient id="%s"><stop offset="0" stop-color="%s" stop-opacity="%s"/>'
            '<stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient>' % (ident, color, f(opacity), color))


def group(ident, *parts, extra=''):
    gid = ' id="%s"' % ident if ident else ''
    return '<g%s%s>%s</g>' % (gid, extra, ''.join(parts))


HEADER = '<!-- Drawn by assets/src/gen/%s; edit that script and rerun it, or delete this line and edit by hand. -->\n'


def svg_text(w, h, body, defs='', script='art.py', margin=0):
    """margin: room kept around the drawing, in user units; the drawing shrinks to keep it."""
    box = '%s %s %s %s' % (f(-margin), f(-margin), f(w + 2 * margin), f(h + 2 * margin))
    return (HEADER % script +
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%s">\n' % (w, h, box) +
            ('<defs>%s</defs>\n' % defs if defs else '') + body + '\n</svg>\n')


def write(relpath, content):
    """Writes the file only when its content changes, so the asset build redoes only what changed."""
    full = os.path.join(ROOT, relpath)
    if os.path.exists(full):
        with open(full) as old:
            if old.read() == content:
                return
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'w') as out:
        out.write(content)


def picture(name, w, h, body, defs=''):
    """assets/src/pictures/<name>.svg"""
    write('pictures/%s.svg' % name, svg_text(w, h, body, defs))


def anim(name, w, h, body, frames, frametime=80, actions=None, tracks=(), defs='', origin=None, margin=0, bleed=None):
    """assets/src/anims/<name>.svg and its description <name>.anim; tracks are lines after "track".
    margin keeps every frame clear of the frame's border (see svg_text); bleed names the sides
    ('top', ...) the drawing is meant to run off."""
    stem = os.path.basename(name)
    write('anims/%s.svg' % name, svg_text(w, h, body, defs, margin=margin))
    lines = ['# Drawn by assets/src/gen/art.py', 'svg %s.svg' % stem, 'size %d %d' % (w, h),
             'frametime %d' % frametime, 'frames %d' % frames]
    if origin:
        lines.append('origin %d %d' % origin)
    if bleed:
        lines.append('bleed ' + bleed)
    for a in (actions or [('DoAnim', 1, frames)]):
        lines.append('action ' + ' '.join(str(x) for x in a))
    for t in tracks:
        lines.append('track ' + t)
    write('anims/%s.anim' % name, '\n'.join(lines) + '\n')


def keys(values, frames=None):
    """'1:v1 2:v2 ...' for a list of values, one per frame (or spread over frames)."""
    if frames is None:
        return ' '.join('%d:%s' % (i + 1, v) for i, v in enumerate(values))
    n = len(values)
    return ' '.join('%d:%s' % (round(1 + i * (frames - 1) / (n - 1)), v) for i, v in enumerate(values))
