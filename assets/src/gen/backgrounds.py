"""The eight shop backgrounds, their counters (drawn over the floor) and the shop's decorations."""
import math
import random

from svgkit import *

# wall, trim, floor and window light of each shop, and the furniture along its back wall (left to right)
THEMES = [('plum', 'wood', 'wood', 'gold', ['window', 'cabinet', 'shelf', 'window']),
          ('teal', 'copper', 'stone', 'sky', ['drapes', 'fireplace', 'clock']),
          ('wood', 'gold', 'wood', 'flame', ['herbs', 'shelf', 'barrels']),
          ('stone', 'iron', 'stone', 'teal', ['barrels', 'fireplace', 'cabinet']),
          ('sky', 'plum', 'wood', 'gold', ['window', 'starmap', 'window']),
          ('leaf', 'wood', 'stone', 'gold', ['herbs', 'window', 'shelf', 'herbs']),
          ('berry', 'gold', 'wood', 'flame', ['drapes', 'clock', 'shelf', 'drapes']),
          ('iron', 'copper', 'stone', 'plum', ['cabinet', 'starmap', 'barrels'])]

BACK = (70, 730, 360)  # the back wall's left and right edges and its foot
VANISH = (400, 150)    # where the floor's boards meet
BAND = (196, 360)      # the darker band behind the customers' heads and shoulders
# The counter: where the shop screen puts the centre of each shop's counter picture (shops 5 to 8
# share the last), the picture's size, and the line its top follows from the back wall to the front,
# just in front of the four places where the heroine serves, so that the money lies on its top.
TABLE_AT = [(210.9, 408.9), (227.9, 408.9), (227.9, 397.4), (229.4, 401.4), (227.9, 397.4)]
TABLE_SIZE = (400, 380)
COUNTER_LINE = [(130, 286), (135, 301), (161, 378), (214, 453), (297, 502), (322, 509)]
COUNTER_HALF_WIDTH = 28
COUNTER_HEIGHT = 50


def room(wall, floor):
    """Back wall, side walls turning towards the viewer and a floor in perspective: walls in their
    shade values, the sides darker, the floor's boards running to the vanishing point."""
    left, right, foot = BACK
    b = flat('rect x="0" y="0" width="800" height="600"', S(wall))
    b += flat('path d="%s"' % P('M', (0, 0), 'L', (left, 0), 'L', (left, foot), 'L', (0, foot + 70), 'Z'), INK, 0.3)
    b += flat('path d="%s"' % P('M', (800, 0), 'L', (right, 0), 'L', (right, foot), 'L', (800, foot + 70), 'Z'), INK, 0.22)
    b += flat('path d="%s"' % P('M', (left, foot), 'L', (right, foot), 'L', (800, foot + 70), 'L', (800, 600), 'L', (0, 600),
                                'L', (0, foot + 70), 'Z'), B(floor))
    vx, vy = VANISH
    for k in range(13):  # boards
        x = left + (right - left) * k / 12
        t = (600 - vy) / (foot - vy)
        b += line([(x, foot), (vx + (x - vx) * t, 600)], 2, S(floor), 0.7)
    for k in range(1, 7):  # joints, further apart towards the viewer
        y = foot + (600 - foot) * (k / 6.5) ** 1.5
        b += flat('rect x="0" y="%s" width="800" height="3"' % f(y), S(floor), 0.5)
    b += flat('path d="%s"' % P('M', (left, foot), 'L', (right, foot), 'L', (800, foot + 70), 'L', (800, foot + 90),
                                'L', (0, foot + 90), 'L', (0, foot + 70), 'Z'), INK, 0.12)  # the wall's shadow on the floor
    return b


def band(wall, trim):
    """A darker panelled band along the walls at the customers' height, topped by a rail."""
    left, right, foot = BACK
    top, bottom = BAND
    b = flat('path d="%s"' % P('M', (0, top + 20), 'L', (left, top), 'L', (right, top), 'L', (800, top + 20), 'L', (800, foot + 70),
                               'L', (right, foot), 'L', (left, foot), 'L', (0, foot + 70), 'Z'), INK, 0.35)
    for k in range(6):
        x = left + 20 + k * (right - left - 40) / 6
        b += rect(x + 6, top + 18, (right - left - 40) / 6 - 12, bottom - top - 34, 'none', 2, 6).replace(INK, S(wall))
    b += line([(0, top + 20), (left, top), (right, top), (800, top + 20)], 6, S(trim))
    b += line([(0, top + 17), (left, top - 3), (right, top - 3), (800, top + 17)], 2, L(trim))
    return b


def window(x, light, trim, rnd):
    b = path(P('M', (x, 180), 'L', (x, 90), 'Q', (x, 40), (x + 50, 40), 'Q', (x + 100, 40), (x + 100, 90), 'L', (x + 100, 180), 'Z'),
             B('night'), 4)
    b += flat('circle cx="%d" cy="90" r="80"' % (x + 50), 'url(#win)')
    b += flat('circle cx="%d" cy="80" r="12"' % (x + 72), L('parchment'), 0.9)
    for k in range(3):
        b += sparkle(x + rnd.randint(12, 88), rnd.randint(60, 165), 3.5, L('parchment'), 0.8)
    b += line([(x + 50, 44), (x + 50, 180)], 4, B(trim)) + line([(x + 4, 112), (x + 96, 112)], 4, B(trim))
    return b + rect(x - 8, 176, 116, 12, L(trim), 4, 3)


def jars(x0, x1, bases, rnd):
    b = ''
    for k, x in enumerate(range(x0, x1 - 18, 24)):
        base = bases[k % len(bases)]
        kind = rnd.choice(['jar', 'book', 'book', 'jar', 'skull'])
        col = rnd.choice(['berry', 'teal', 'sky', 'leaf', 'plum', 'gold'])
        if kind == 'book':
            h = rnd.randint(22, 32)
            b += rect(x, base - h, 15, h, B(col), 2, 2) + line([(x + 3, base - h + 6), (x + 12, base - h + 6)], 1.5, L(col))
        elif kind == 'jar':
            b += rect(x, base - 22, 18, 22, L(col), 2, 5) + rect(x + 2, base - 26, 14, 6, B('wood'), 2, 2)
        else:
            b += circle(x + 9, base - 10, 9, L('stone'), 2) + circle(x + 5, base - 11, 2.2, INK, 0) + circle(x + 13, base - 11, 2.2, INK, 0)
    return b


def shelf(x, trim, rnd):
    b = rect(x, 70, 190, 150, S(trim), 4, 6) + rect(x + 8, 78, 174, 134, S('night'), 0, 4)
    for y in (120, 170, 214):
        b += rect(x + 4, y - 8, 182, 10, B('wood'), 3, 2)
    return b + jars(x + 14, x + 180, [112, 162], rnd)


def cabinet(x, trim, rnd):
    b = rect(x, 60, 120, 300, B('wood'), 4, 6) + flat('rect x="%d" y="66" width="30" height="288" rx="4"' % (x + 86), S('wood'))
    b += rect(x + 10, 72, 100, 140, B('night'), 3, 4) + rect(x + 10, 226, 100, 120, S('wood'), 3, 4)
    for y in (116, 164):
        b += rect(x + 12, y, 96, 6, B('wood'), 2, 2)
    b += jars(x + 18, x + 104, [114, 162, 208], rnd)
    return b + circle(x + 60, 286, 5, B('gold'), 2) + rect(x - 6, 52, 132, 14, L('wood'), 4, 4)


def fireplace(x, trim, rnd):
    b = rect(x, 150, 200, 210, B('stone'), 4, 6) + rect(x - 10, 140, 220, 18, L('stone'), 4, 4)
    b += path(P('M', (x + 40, 360), 'L', (x + 40, 250), 'Q', (x + 40, 205), (x + 100, 205), 'Q', (x + 160, 205), (x + 160, 250),
                'L', (x + 160, 360), 'Z'), S('night'), 4)
    b += '<circle cx="%d" cy="320" r="80" fill="url(#lamp)"/>' % (x + 100)
    b += rect(x + 62, 336, 76, 12, B('wood'), 3, 4) + flame(x + 84, 340, 26, 40) + flame(x + 114, 340, 20, 30)
    return b + jars(x + 10, x + 200, [140], rnd)


def clock(x, trim, rnd):
    b = rect(x, 90, 80, 270, B('wood'), 4, 10) + flat('rect x="%d" y="96" width="22" height="258" rx="6"' % (x + 54), S('wood'))
    b += circle(x + 40, 140, 30, L('parchment'), 4) + line([(x + 40, 140), (x + 40, 118)], 3) + line([(x + 40, 140), (x + 56, 146)], 3)
    b += rect(x + 16, 190, 48, 140, S('night'), 3, 6) + line([(x + 40, 196), (x + 40, 290)], 2, B('gold'))
    return b + circle(x + 40, 296, 10, B('gold'), 2) + path('M%d,92 Q%d,60 %d,92 Z' % (x, x + 40, x + 80), B(trim), 4)


def barrels(x, trim, rnd):
    b = ''
    for k, (dx, dy) in enumerate([(0, 0), (84, 0), (42, -86)]):
        bx, by = x + dx, 360 + dy
        b += path(P('M', (bx + 6, by), 'Q', (bx - 4, by - 40), (bx + 6, by - 80), 'L', (bx + 74, by - 80), 'Q', (bx + 84, by - 40),
                    (bx + 74, by), 'Z'), B('wood'), 4)
        b += flat('path d="%s"' % P('M', (bx + 52, by - 78), 'Q', (bx + 80, by - 40), (bx + 52, by - 2), 'L', (bx + 72, by - 2), 'Q',
                                    (bx + 82, by - 40), (bx + 72, by - 78), 'Z'), S('wood'))
        for hy in (by - 66, by - 14):
            b += line([(bx + 2, hy), (bx + 78, hy)], 5, B('iron'))
    return b


def herbs(x, trim, rnd):
    b = line([(x - 10, 40), (x + 130, 40)], 6, B('wood'))
    for k in range(5):
        hx = x + k * 28
        length = rnd.randint(50, 90)
        b += line([(hx, 40), (hx, 40 + length * 0.4)], 2)
        b += path(P('M', (hx, 40 + length * 0.3), 'Q', (hx - 14, 40 + length * 0.7), (hx, 40 + length), 'Q', (hx + 14, 40 + length * 0.7),
                    (hx, 40 + length * 0.3), 'Z'), B(rnd.choice(['leaf', 'leaf', 'gold', 'plum'])), 3)
    # a planter of herbs below them
    for k, dx in enumerate((24, 60, 96)):
        b += ''.join(ellipse(x + dx + ox, 262 - h, 8, 22, B('leaf'), 3, ' transform="rotate(%d %s %s)"' % (a, f(x + dx + ox), f(262 - h)))
                     for ox, h, a in [(-10, 16, -28), (10, 16, 28), (0, 30, 0)])
    b += rect(x, 270, 120, 90, B('copper'), 4, 8) + flat('rect x="%d" y="276" width="30" height="78" rx="4"' % (x + 84), S('copper'))
    return b + rect(x - 6, 262, 132, 16, L('copper'), 4, 5)


def drapes(x, trim, rnd):
    b = rect(x - 10, 30, 160, 14, B(trim), 4, 5)
    for side in (0, 1):
        dx = x + side * 90
        b += path(P('M', (dx, 40), 'L', (dx + 50, 40), 'Q', (dx + 40 - side * 30, 200), (dx + 60 - side * 70, 340), 'L',
                    (dx - 10 + side * 40, 340), 'Q', (dx + 10, 200), (dx, 40), 'Z'), B('berry'), 4)
        b += flat('path d="M%d,46 L%d,46 L%d,330 Z"' % (dx + 30, dx + 44, dx + 20), S('berry'), 0.7)
    return b


def starmap(x, trim, rnd):
    b = circle(x + 100, 120, 90, S('night'), 5) + circle(x + 100, 120, 70, 'none', 2).replace(INK, L(trim))
    for k in range(9):
        b += sparkle(x + 100 + rnd.randint(-60, 60), 120 + rnd.randint(-60, 60), rnd.randint(3, 6), L('gold'), 0.9)
    b += line([(x + 40, 80), (x + 90, 110), (x + 130, 90), (x + 160, 140)], 2, L('sky'), 0.8)
    return b + rect(x + 60, 210, 80, 150, S('wood'), 4, 6) + rect(x + 50, 202, 100, 14, L('wood'), 4, 4)


FURNITURE = {'window': None, 'shelf': shelf, 'cabinet': cabinet, 'fireplace': fireplace, 'clock': clock, 'barrels': barrels,
             'herbs': herbs, 'drapes': drapes, 'starmap': starmap}
WIDTHS = {'window': 100, 'shelf': 190, 'cabinet': 120, 'fireplace': 200, 'clock': 80, 'barrels': 164, 'herbs': 120, 'drapes': 140,
          'starmap': 200}


def background(n):
    wall, trim, floor, light, pieces = THEMES[n - 1]
    rnd = random.Random(n)
    defs = glow_def('lamp', L('flame'), 0.55) + glow_def('win', L(light), 0.6)
    b = room(wall, floor) + band(wall, trim)
    # the furniture spread evenly along the back wall
    left, right, _ = BACK
    gap = (right - left - sum(WIDTHS[p] for p in pieces)) / (len(pieces) + 1)
    x = left + gap
    for piece in pieces:
        b += window(int(x), light, trim, rnd) if piece == 'window' else FURNITURE[piece](int(x), trim, rnd)
        x += WIDTHS[piece] + gap
    # hanging lamps and their light
    for lx in (250, 560):
        b += line([(lx, 0), (lx, 30)], 3) + '<circle cx="%d" cy="60" r="90" fill="url(#lamp)"/>' % lx
        b += path('M%d,30 L%d,30 L%d,58 L%d,58 Z' % (lx - 12, lx + 12, lx + 20, lx - 20), B('copper'), 3)
        b += flame(lx, 72, 14, 18)
    # a rug in perspective where the customers stand
    b += ellipse(400, 530, 330, 52, B(light), 4) + ellipse(400, 530, 296, 40, S(light), 0) + ellipse(400, 528, 260, 30, L(light), 0)
    # the shop's name plate
    b += rect(300, 2, 200, 36, B(trim), 4, 8) + text(400, 28, 'ALEMBRIA', 20, L('parchment'), stroke=INK, stroke_width=3)
    picture('backgrounds/shop_%d/bg_shop_0%d' % (n, n), 800, 600, b, defs)

    picture('backgrounds/shop_%d/bg_table_0%d' % (n, n), TABLE_SIZE[0], TABLE_SIZE[1], counter(n, trim))


def counter(n, trim):
    """The counter the customers are served over: it curves from the back wall to the front between
    the customers and the heroine (the money lies on its top), its front faces the customers.
    Drawn in screen pixels and moved so that the picture's centre is where the shop places it."""
    cx, cy = TABLE_AT[min(n, len(TABLE_AT)) - 1]
    dx, dy = TABLE_SIZE[0] / 2 - cx, TABLE_SIZE[1] / 2 - cy
    centre = spline(COUNTER_LINE, 10)
    back_edge, front_edge = [], []
    for i, (x, y) in enumerate(centre):
        ax, ay = centre[max(i - 1, 0)]
        bx, by = centre[min(i + 1, len(centre) - 1)]
        length = math.hypot(bx - ax, by - ay)
        nx, ny = (by - ay) / length, -(bx - ax) / length  # towards the back of the shop
        back_edge.append((x + nx * COUNTER_HALF_WIDTH, y + ny * COUNTER_HALF_WIDTH))
        front_edge.append((x - nx * COUNTER_HALF_WIDTH, y - ny * COUNTER_HALF_WIDTH))
    foot = [(x, y + COUNTER_HEIGHT) for x, y in front_edge]
    end_x, end_y = back_edge[-1]
    wood = trim if trim not in ('iron', 'gold', 'plum') else 'wood'
    face = front_edge + [(end_x, end_y), (end_x, end_y + COUNTER_HEIGHT)] + foot[::-1]
    c = path(P('M', face[0], *sum((['L', p] for p in face[1:]), []), 'Z'), B(wood), 4)
    for k in range(3, len(front_edge) - 1, 4):  # the front's boards
        (x, y) = front_edge[k]
        c += line([(x, y + 8), (x, y + COUNTER_HEIGHT - 6)], 2, INK, 0.35)
    c += line([(x, y + COUNTER_HEIGHT - 8) for x, y in front_edge], 8, S(wood), 0.8)
    top = back_edge + front_edge[::-1]
    c += path(P('M', top[0], *sum((['L', p] for p in top[1:]), []), 'Z'), L(wood), 4)
    c += line([((x + bx) / 2, (y + by) / 2) for (x, y), (bx, by) in zip(centre, back_edge)], 3, B(wood), 0.5)
    c += line(front_edge, 3, L('gold'), 0.9)
    return '<g transform="translate(%s,%s)">%s</g>' % (f(dx), f(dy), c)


def spline(points, steps):
    """Points along a Catmull-Rom curve through the given points, steps per piece."""
    out = []
    for i in range(len(points) - 1):
        p0, p1, p2, p3 = points[max(i - 1, 0)], points[i], points[i + 1], points[min(i + 2, len(points) - 1)]
        for k in range(steps):
            t = k / steps
            out.append(tuple(0.5 * (2 * p1[j] + (p2[j] - p0[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t * t +
                                    (3 * p1[j] - p0[j] - 3 * p2[j] + p3[j]) * t ** 3) for j in range(2)))
    out.append(points[-1])
    return out


def decorations():
    o = 'backgrounds/objects/'
    picture(o + 'mask', 80, 100, shadow(40, 96, 20, 3) + path('M10,14 Q40,-4 70,14 Q74,60 40,92 Q6,60 10,14 Z', B('gold'), 3) +
            ellipse(26, 40, 9, 6, INK, 0) + ellipse(54, 40, 9, 6, INK, 0) + path('M28,66 Q40,74 52,66', 'none', 3) +
            line([(40, 46), (36, 58), (42, 58)], 2) + glint(22, 22, 4, 8))
    for k, (n, col) in enumerate([(1, 'plum'), (2, 'teal'), (6, 'berry')]):
        body = shadow(60, 112, 50, 5) + rect(10, 40, 100, 16, B('wood'), 3, 4)
        for t in range(4):
            x = 20 + t * 26
            body += path('M%d,56 Q%d,84 %d,104 Q%d,110 %d,100' % (x, x - 8, x + 4, x + 14, x + 12), 'none', 7)
            body += '<path d="M%d,56 Q%d,84 %d,104 Q%d,110 %d,100" fill="none" stroke="%s" stroke-width="4" stroke-linecap="round"/>' % (
                x, x - 8, x + 4, x + 14, x + 12, B(col))
        body += ellipse(60, 30, 28, 20, B(col), 3) + circle(50, 28, 5, '#ffffff', 2) + circle(70, 28, 5, '#ffffff', 2) + circle(51, 29, 2, INK, 0) + circle(71, 29, 2, INK, 0)
        # drawn a little smaller: the shop puts it close to the screen's right edge
        picture(o + 'octopus_table_%d' % n, 120, 116, group(None, body, extra=' transform="matrix(0.85,0,0,0.85,9,17.4)"'))
    picture(o + 'tiki_plant', 80, 120, shadow(40, 116, 26, 4) + path('M22,80 L58,80 L54,114 L26,114 Z', B('copper'), 3) +
            ''.join(ellipse(40 + dx, 50 + dy, 9, 26, B('leaf'), 3, ' transform="rotate(%d %d %d)"' % (a, 40 + dx, 50 + dy))
                    for dx, dy, a in [(-14, 4, -30), (14, 4, 30), (0, -6, 0)]))
    picture(o + 'tiki', 70, 130, shadow(35, 126, 24, 4) + rect(12, 10, 46, 114, B('wood'), 3, 8) + rect(18, 26, 14, 10, L('parchment'), 2, 3) +
            rect(38, 26, 14, 10, L('parchment'), 2, 3) + rect(20, 56, 30, 14, S('wood'), 2, 4) + line([(22, 63), (48, 63)], 2) + rect(8, 90, 54, 8, L('wood'), 3, 3))
    picture(o + 'box2', 80, 70, shadow(40, 66, 34, 4) + rect(6, 16, 68, 48, B('wood'), 3, 4) + line([(8, 40), (72, 40)], 2) +
            rect(2, 10, 76, 10, L('wood'), 3, 3) + star(40, 40, 8, B('gold'), 2))
    picture(o + 'red_monster', 90, 90, shadow(45, 86, 30, 4) + ellipse(45, 52, 34, 32, B('berry'), 3) + circle(45, 42, 12, '#ffffff', 2) +
            circle(47, 44, 5, INK, 0) + path('M26,66 Q45,78 64,66 Z', '#ffffff', 2) + path('M18,26 L12,8 L28,22 Z', L('berry'), 2) + path('M72,26 L78,8 L62,22 Z', L('berry'), 2))
    picture(o + 'monster_eye', 60, 60, circle(30, 30, 26, '#ffffff', 3) + circle(34, 32, 12, B('leaf'), 2) + circle(35, 33, 5, INK, 0) + glint(22, 20, 3, 6) +
            ''.join(line([(30 + 26 * math.cos(a), 30 + 26 * math.sin(a)), (30 + 30 * math.cos(a), 30 + 30 * math.sin(a))], 1.5, B('berry')) for a in (2.3, 2.8, 0.5)))
    picture(o + 'goat_head', 100, 90, path('M30,20 Q10,2 4,30 Q16,18 28,30 Z', L('stone'), 3) + path('M70,20 Q90,2 96,30 Q84,18 72,30 Z', L('stone'), 3) +
            path('M30,22 Q50,10 70,22 Q74,60 50,86 Q26,60 30,22 Z', B('stone'), 3) + circle(40, 40, 4, INK, 0) + circle(60, 40, 4, INK, 0) + ellipse(50, 70, 8, 5, S('stone'), 2))
    for n, col in [(1, 'berry'), (2, 'teal')]:
        picture(o + 'book_%d' % n, 80, 60, shadow(40, 56, 34, 3) + rect(6, 30, 68, 22, B(col), 3, 3) + rect(10, 34, 60, 8, L('parchment'), 2, 2) +
                rect(10, 12, 60, 20, S(col), 3, 3) + star(40, 22, 6, B('gold'), 1.5))
    picture(o + 'brooms', 90, 140, ''.join(line([(30 + k * 14, 10), (26 + k * 18, 96)], 5, B('wood')) +
                                            path('M%d,92 L%d,92 L%d,134 L%d,134 Z' % (18 + k * 18, 34 + k * 18, 40 + k * 18, 12 + k * 18), B('gold'), 3)
                                            for k in range(3)))
    picture(o + 'shop_07_brooms', 90, 140, ''.join(line([(20 + k * 24, 8), (24 + k * 20, 96)], 5, S('wood')) +
                                                    path('M%d,92 L%d,92 L%d,134 L%d,134 Z' % (14 + k * 20, 34 + k * 20, 40 + k * 20, 8 + k * 20), L('gold'), 3)
                                                    for k in range(3)))
    # animated decorations: each replays DoAnim now and then
    eyes = group('lids', ellipse(20, 20, 12, 9, '#ffffff', 2), ellipse(52, 20, 12, 9, '#ffffff', 2), circle(22, 21, 4, INK, 0), circle(54, 21, 4, INK, 0))
    anim(o + 'ojos', 72, 40, flat('rect x="0" y="0" width="72" height="40" rx="18"', INK, 0.5) + eyes, 8, 80,
         tracks=['lids scale 1:1 3:1,0.1 4:1 6:1,0.1 7:1', 'lids pivot 36,20'], margin=1)
    box = group('lid', rect(4, 20, 82, 14, L('plum'), 3, 4)) + rect(8, 32, 74, 46, B('plum'), 3, 4) + group('peek', circle(34, 40, 5, '#ffffff', 2), circle(56, 40, 5, '#ffffff', 2), circle(35, 41, 2, INK, 0), circle(57, 41, 2, INK, 0))
    anim(o + 'monsterbox', 90, 84, shadow(45, 80, 36, 4) + box, 10, 80, tracks=[
        'lid translate 1:0,0 3:0,-16 7:0,-16 9:0,0', 'lid rotate 1:0 3:-12 7:-12 9:0', 'peek show 3-8', 'peek translate 3:0,8 5:0,-6 8:0,8'], margin=8)
    anim(o + 'book_holog', 90, 100, rect(10, 70, 70, 20, B('sky'), 3, 3) + '<ellipse id="holo" cx="45" cy="40" rx="34" ry="32" fill="url(#hg)"/>' +
         group('rune', star(45, 40, 14, L('sky'), 2, 6)), 10, 80, defs=glow_def('hg', L('sky'), 0.8),
         tracks=['holo opacity 1:0.4 5:1 10:0.4', 'rune rotate 1:0 10:54', 'rune translate 1:0,0 5:0,-6 10:0,0'])
    club = group('club', line([(20, 110), (56, 30)], 8, B('wood')), line([(20, 110), (56, 30)], 4, L('wood')), circle(58, 28, 16, B('stone'), 3),
                 circle(52, 24, 4, INK, 0), circle(64, 24, 4, INK, 0))
    anim(o + 'cabeza_clava', 90, 120, club, 8, 90, tracks=['club rotate 1:0 3:8 5:-6 7:3 8:0', 'club pivot 20,110'])
    pumpkin = group('pk', ellipse(40, 50, 34, 26, B('flame'), 3), ellipse(40, 50, 14, 26, S('flame'), 2), path('M38,24 L40,12 L46,14 L44,26 Z', B('leaf'), 2),
                    path('M22,44 L30,38 L32,48 Z', L('flame'), 2), path('M58,44 L50,38 L48,48 Z', L('flame'), 2), path('M26,60 Q40,70 54,60 Z', L('flame'), 2))
    anim(o + 'calabza', 80, 80, shadow(40, 76, 30, 3) + pumpkin, 8, 100, tracks=['pk scale 1:1 4:1.06,0.94 8:1', 'pk pivot 40,76'])
    hippo = group('hip', ellipse(50, 60, 42, 28, B('plum'), 3), ellipse(50, 70, 30, 14, L('plum'), 2), circle(30, 40, 6, '#ffffff', 2), circle(70, 40, 6, '#ffffff', 2),
                  circle(31, 41, 2.5, INK, 0), circle(71, 41, 2.5, INK, 0))
    jaw = group('jaw', path('M26,72 Q50,96 74,72 Z', S('plum'), 3))
    anim(o + 'hipo', 100, 100, shadow(50, 96, 40, 4) + jaw + hippo, 8, 90, tracks=['jaw translate 1:0,0 3:0,12 6:0,12 8:0,0', 'hip translate 1:0,0 3:0,-3 6:0,-3 8:0,0'], margin=4)
    mummy = group('mum', rect(20, 14, 50, 100, L('parchment'), 3, 20) + ''.join(line([(22, y), (68, y + 6)], 2, S('parchment')) for y in range(26, 110, 12)) +
                  circle(36, 34, 4, INK, 0) + circle(54, 34, 4, INK, 0))
    sign = rect(40, 70, 56, 26, B('parchment'), 2, 3) + text(68, 88, 'LUNCH', 10)
    anim(o + 'mummy_outforlunch', 100, 120, shadow(46, 116, 30, 3) + mummy + group('sign', sign), 10, 100,
         tracks=['mum rotate 1:0 3:4 6:-4 9:2 10:0', 'mum pivot 45,114', 'sign rotate 1:0 5:8 10:0', 'sign pivot 68,70'])
    urn = path('M30,40 Q10,70 26,104 L64,104 Q80,70 60,40 Z', B('stone'), 3) + rect(26, 30, 38, 12, L('stone'), 3, 3)
    ghost = group('ghost', path('M30,36 Q30,2 45,2 Q60,2 60,36 L56,32 L52,36 L48,32 L44,36 L40,32 L36,36 Z', '#ffffff', 2, ' opacity="0.85"'),
                  circle(40, 16, 3, INK, 0), circle(50, 16, 3, INK, 0))
    anim(o + 'urna_ghost', 90, 110, ghost + urn, 10, 90, tracks=['ghost translate 1:0,30 4:0,-4 7:0,-4 10:0,30', 'ghost opacity 1:0 4:1 7:1 10:0'], margin=4)


def build():
    for n in range(1, 9):
        background(n)
    decorations()
