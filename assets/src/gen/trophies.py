"""The trophy cabinet: each of the eleven trophies earned (in its colours) and not yet earned (a
dark shape with a question mark), and the four tooltip panels, each with its pointer elsewhere."""
from svgkit import *
from ui import rounded_rect_path

SIZE = 88


def plinth(metal='wood'):
    return shadow(44, 84, 30, 3) + rect(20, 72, 48, 12, B(metal), 3, 3) + flat('rect x="50" y="74" width="16" height="8" rx="2"', S(metal))


def cup(metal, emblem):
    """A trophy cup with two handles and an emblem on its bowl."""
    body = plinth() + rect(36, 58, 16, 14, S(metal), 2.5, 2)
    body += path('M22,26 Q8,26 10,38 Q12,48 26,48', 'none', 4) + path('M66,26 Q80,26 78,38 Q76,48 62,48', 'none', 4)
    body += path('M20,14 L68,14 Q68,50 44,58 Q20,50 20,14 Z', B(metal), 3)
    body += flat('path d="M54,16 L66,16 Q64,46 46,56 Q60,40 54,16 Z"', S(metal)) + glint(28, 28, 3, 9, -10)
    body += ellipse(44, 15, 24, 4, L(metal), 2.5)
    return body + emblem


def potion_emblem(hue):
    return path('M41,24 L47,24 L47,29 Q54,33 52,40 Q50,46 44,46 Q38,46 36,40 Q34,33 41,29 Z', B(hue), 2)


def witch_hat():
    body = plinth('plum') + path('M14,64 Q44,52 74,64 Q44,72 14,64 Z', S('plum'), 3)
    body += path('M24,62 Q34,34 46,18 Q52,8 62,10 Q52,16 54,30 Q58,46 64,62 Z', B('plum'), 3)
    body += flat('path d="M50,22 Q52,40 58,60 L64,60 Q56,44 54,28 Z"', S('plum'))
    body += path('M26,56 Q44,50 62,56 L63,62 Q44,56 25,62 Z', B('gold'), 2) + star(44, 38, 7)
    return body


def feather():
    body = plinth() + line([(30, 72), (56, 14)], 3)
    body += path('M30,66 Q18,40 40,20 Q52,8 60,10 Q64,30 52,48 Q44,60 30,66 Z', B('gold'), 3)
    body += flat('path d="M46,52 Q58,36 58,14 Q64,30 52,48 Z"', S('gold'))
    for y in (24, 34, 44):
        body += line([(56 - (y - 14) * 0.45, y), (60 - (y - 14) * 0.2, y - 6)], 1.5, S('gold'))
    body += path(flame_path(58, 16, 10, 14), B('flame'), 1.5) + glint(36, 36, 2.5, 8, 30)
    return body


def cat_belt():
    body = plinth() + path('M8,44 Q44,30 80,44 L80,56 Q44,42 8,56 Z', B('plum'), 3)
    body += line([(12, 48), (76, 48)], 1.5, L('plum'), 0.7)
    body += rect(30, 32, 28, 26, B('gold'), 3, 6) + path('M36,40 L38,34 L42,38 L46,38 L50,34 L52,40 Q52,50 44,50 Q36,50 36,40 Z', L('gold'), 1.5)
    body += circle(41, 42, 1.3, INK, 0) + circle(47, 42, 1.3, INK, 0)
    return body


def artifact():
    defs_free = flat('circle cx="44" cy="36" r="26"', L('teal'), 0.3)
    body = plinth('copper') + defs_free + path('M30,70 Q44,58 58,70 Z', B('copper'), 3)
    body += circle(44, 38, 20, B('teal'), 3) + shade_ellipse(50, 44, 11, 10, S('teal')) + glint(36, 30, 4, 7)
    body += sparkle(56, 22, 6, '#ffffff')
    return body


def plant():
    body = plinth() + path('M26,50 L62,50 L58,72 L30,72 Z', B('copper'), 3) + rect(22, 44, 44, 9, L('copper'), 2.5, 3)
    for d in ('M44,44 Q26,36 22,18 Q40,22 44,44 Z', 'M44,44 Q62,36 66,18 Q48,22 44,44 Z', 'M44,44 Q38,24 44,8 Q50,24 44,44 Z'):
        body += path(d, B('leaf'), 2.5)
    body += circle(30, 28, 6, B('gold'), 2) + circle(58, 26, 6, B('gold'), 2) + glint(28, 26, 1.5, 2.5)
    return body


def book():
    body = plinth() + path('M16,22 L68,16 L72,64 L20,70 Z', B('plum'), 3)
    body += path('M22,68 L72,62 L72,66 L22,72 Z', L('parchment'), 2) + line([(26, 22), (30, 68)], 2, S('plum'))
    body += star(48, 42, 11) + glint(24, 30, 2, 6, -5)
    return body


def medal(metal, symbol, rays):
    body = plinth() + path('M32,10 L40,40 L48,40 L40,10 Z', B('berry'), 2.5) + path('M56,10 L48,40 L40,40 L48,10 Z', B('sky'), 2.5)
    if rays:
        body += path(star_points(44, 50, 24, 17, 12), L(metal), 2.5)
    body += circle(44, 50, 17, B(metal), 3) + circle(44, 50, 12, S(metal), 1.5) + symbol + glint(37, 43, 2.5, 4)
    return body


def moon():
    return path('M48,42 Q36,44 38,54 Q42,62 52,58 Q42,58 42,50 Q42,44 48,42 Z', L('parchment'), 1.5)


def sun():
    return circle(44, 50, 6, L('flame'), 1.5) + ''.join(
        line([(44 + 8 * c, 50 + 8 * s), (44 + 10 * c, 50 + 10 * s)], 2, L('flame')) for c, s in
        ((1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7)))


def upgrade():
    body = plinth() + path('M18,16 L70,16 L70,44 Q70,62 44,72 Q18,62 18,44 Z', B('sky'), 3)
    body += flat('path d="M56,18 L68,18 L68,44 Q68,58 50,68 Q62,52 56,18 Z"', S('sky'))
    body += path('M44,22 L60,40 L51,40 L51,58 L37,58 L37,40 L28,40 Z', B('gold'), 2.5) + glint(24, 26, 2, 6, -5)
    return body


TROPHIES = {
    'GrandWitch': witch_hat, 'PotionMaster': lambda: cup('copper', potion_emblem('teal')),
    'PotionMasterGold': lambda: cup('gold', potion_emblem('berry') + star(44, 64, 5)),
    'GoldenPhoenixFeather': feather, 'MagicCatBelt': cat_belt, 'Artifact': artifact, 'Plant': plant,
    'PotionPedia': book, 'ShopMonth': lambda: medal('copper', moon(), False),
    'ShopYear': lambda: medal('gold', sun(), True), 'UpgradeFreak': upgrade,
}


def trophies():
    dark = ('<filter id="unearned" color-interpolation-filters="sRGB"><feColorMatrix type="matrix" values="0 0 0 0 %s  0 0 0 0 %s  0 0 0 0 %s  0 0 0 0.85 0"/>'
            '</filter>' % tuple(f(int(B('night')[i:i + 2], 16) / 255) for i in (1, 3, 5)))
    for name, draw in TROPHIES.items():
        body = draw()
        picture('gui/trophies/%s_n' % name, SIZE, SIZE, body)
        unearned = '<g filter="url(#unearned)">%s</g>' % body
        unearned += text(44, 54, '?', 30, L('parchment'), stroke=INK, stroke_width=4)
        picture('gui/trophies/%s_i' % name, SIZE, SIZE, unearned, dark)


def tooltips():
    """Parchment panels for a trophy's name and tip, the pointer on the side toward the trophy:
    1 below left, 2 below right, 3 above left, 4 above right."""
    w, h = 240, 120
    for n, (px, down) in enumerate(((40, True), (200, True), (40, False), (200, False)), 1):
        top, bottom = (6, h - 22) if down else (22, h - 6)
        box = rounded_rect_path(6, top, w - 14, bottom - top, 12)
        tip_y = h - 4 if down else 4
        base_y = bottom - 2 if down else top + 2
        pointer = P('M', (px - 12, base_y), 'L', (px, tip_y), 'L', (px + 12, base_y), 'Z')
        body = path(pointer, B('wood'), 2.5) + path(box, B('wood'), 2.5)
        body += rect(12, top + 6, w - 26, bottom - top - 12, B('parchment'), 2, 8)
        body += flat('rect x="18" y="%d" width="%d" height="6" rx="3"' % (top + 9, w - 38), L('parchment'))
        body += flat('path d="%s"' % P('M', (px - 7, base_y - 4), 'L', (px, tip_y + (-6 if down else 6)), 'L', (px + 7, base_y - 4), 'Z'), B('wood'))
        body += star(24, top + 14, 6)
        picture('gui/trophies/tooltip_%02d' % n, w, h, body)


def build():
    trophies()
    tooltips()
