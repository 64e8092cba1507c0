"""Potions, ingredients, charms, money and the plant's fruit."""
from svgkit import *

POTION_LIQUIDS = ['berry', 'teal', 'sky', 'leaf', 'plum', 'lemon', 'flame', 'indigo', 'orchid', 'mint']
POTION_SHAPES = ['round', 'tall', 'heart', 'square', 'cone', 'round', 'tall', 'cone', 'square', 'heart']
POTION_CORKS = ['wood', 'wood', 'gold', 'wood', 'copper', 'gold', 'copper', 'wood', 'gold', 'copper']


def bottle_outline(shape, cx, top, w, h):
    """The glass outline as a path: neck from top, body below."""
    neck = w * 0.28
    nb = top + h * 0.28  # bottom of the neck
    bottom = top + h
    if shape == 'round':
        r = min(w / 2, (bottom - nb) / 2 + 2)
        cy = bottom - r
        return ('M%s,%s L%s,%s A%s,%s 0 1 0 %s,%s L%s,%s Z' % (
            f(cx - neck / 2), f(top), f(cx - neck / 2), f(cy - r * 0.92), f(r), f(r), f(cx + neck / 2),
            f(cy - r * 0.92), f(cx + neck / 2), f(top)))
    if shape == 'tall':
        x1, x2, bl, br = cx - neck / 2, cx + neck / 2, cx - w * 0.36, cx + w * 0.36
        return ('M{x1},{top} L{x1},{nb} Q{bl},{nb2} {bl},{nb8} L{bl},{b5} Q{bl},{bottom} {c1},{bottom} '
                'L{c2},{bottom} Q{br},{bottom} {br},{b5} L{br},{nb8} Q{br},{nb2} {x2},{nb} L{x2},{top} Z').format(
            x1=f(x1), x2=f(x2), bl=f(bl), br=f(br), top=f(top), nb=f(nb), nb2=f(nb + 2), nb8=f(nb + 8), b5=f(bottom - 5),
            bottom=f(bottom), c1=f(cx - w * 0.3), c2=f(cx + w * 0.3))
    x1, x2 = cx - neck / 2, cx + neck / 2
    if shape == 'heart':
        hb, mid = nb + 2, nb + 2 + (bottom - nb - 2) * 0.5
        return P('M', (x1, top), 'L', (x1, hb),
                 'C', (cx - w * 0.3, hb - 6), (cx - w * 0.55, hb + 8), (cx - w * 0.4, mid),
                 'C', (cx - w * 0.25, bottom - 6), (cx - 4, bottom - 1), (cx, bottom),
                 'C', (cx + 4, bottom - 1), (cx + w * 0.25, bottom - 6), (cx + w * 0.4, mid),
                 'C', (cx + w * 0.55, hb + 8), (cx + w * 0.3, hb - 6), (x2, hb), 'L', (x2, top), 'Z')
    if shape == 'square':
        bl, br = cx - w * 0.45, cx + w * 0.45
        return P('M', (x1, top), 'L', (x1, nb), 'Q', (bl, nb), (bl, nb + 8), 'L', (bl, bottom - 3),
                 'Q', (bl, bottom), (bl + 4, bottom), 'L', (br - 4, bottom), 'Q', (br, bottom), (br, bottom - 3),
                 'L', (br, nb + 8), 'Q', (br, nb), (x2, nb), 'L', (x2, top), 'Z')
    # cone
    bl, br = cx - w * 0.48, cx + w * 0.48
    return P('M', (x1, top), 'L', (x1, nb), 'L', (bl + 2, bottom - 4), 'Q', (bl, bottom), (bl + 6, bottom),
             'L', (br - 6, bottom), 'Q', (br, bottom), (br - 2, bottom - 4), 'L', (x2, nb), 'L', (x2, top), 'Z')


def bottle(index, cx, top, w, h, width=2, bubbles=True, clip_id='glass'):
    """A potion bottle: glass, liquid (clipped to the glass), cork, highlight. Returns (defs, body)."""
    shape, liquid, cork = POTION_SHAPES[index], POTION_LIQUIDS[index], POTION_CORKS[index]
    outline = bottle_outline(shape, cx, top + h * 0.1, w, h * 0.9)
    level = top + h * 0.42
    defs = '<clipPath id="%s"><path d="%s"/></clipPath>' % (clip_id, outline)
    body = flat('path d="%s"' % outline, '#e8f4f4', 0.55)
    body += '<g clip-path="url(#%s)">' % clip_id
    body += flat('rect x="%s" y="%s" width="%s" height="%s"' % (f(cx - w), f(level), f(2 * w), f(h)), B(liquid))
    body += flat('rect x="%s" y="%s" width="%s" height="%s"' % (f(cx + w * 0.12), f(level), f(w), f(h)), S(liquid))
    body += flat('ellipse cx="%s" cy="%s" rx="%s" ry="%s"' % (f(cx), f(level), f(w * 0.6), f(2.2)), L(liquid))
    if bubbles:
        body += group('bubbles', circle(cx - w * 0.12, top + h * 0.8, 2.2, L(liquid), 1),
                      circle(cx + w * 0.1, top + h * 0.7, 1.6, L(liquid), 1))
    body += '</g>'
    body += path(outline, 'none', width)
    body += glint(cx - w * 0.22, top + h * 0.62, w * 0.06, h * 0.14, -10)
    ct = top + h * 0.02
    body += rect(cx - w * 0.17, ct, w * 0.34, h * 0.12, B(cork), width, 2)
    body += flat('rect x="%s" y="%s" width="%s" height="%s"' % (f(cx - w * 0.12), f(ct + 1.5), f(w * 0.1), f(h * 0.07)),
                 L(cork))
    return defs, body


def potions():
    for i in range(10):
        defs, body = bottle(i, 20, 2, 36, 52)
        anim('anim/potions/potion%d' % (i + 1), 40, 56, shadow(20, 54, 13, 2) + body, 6, 90,
             tracks=['bubbles translate 1:0,0 6:0,-14', 'bubbles opacity 1:1 4:1 6:0'], defs=defs, margin=1)
        defs, body = bottle(i, 16, 1, 26, 30, width=1.6, bubbles=False)
        anim('anim/potions/icons/potion%d' % (i + 1), 32, 32, body, 1, defs=defs, margin=1.5)


# Ingredient symbols drawn in a 32 x 32 box centred on (0, 0).
def ingredient_symbol(letter):
    if letter == 'a':  # mushroom
        return (rect(-4, -2, 8, 12, L('parchment'), 2, 3) +
                path('M-13,0 Q-13,-13 0,-13 Q13,-13 13,0 Z', B('berry'), 2) +
                circle(-5, -6, 2.2, '#ffffff', 0) + circle(4, -8, 1.6, '#ffffff', 0) + circle(6, -3, 1.4, '#ffffff', 0))
    if letter == 'b':  # eye
        return (ellipse(0, 0, 13, 10, '#ffffff', 2) + circle(0, 0, 6, B('sky'), 2) + circle(0, 0, 2.8, INK, 0) +
                circle(-2, -2.5, 1.3, '#ffffff', 0) + line([(-9, 6), (-11, 11)], 1.5, B('berry')) +
                line([(8, 7), (10, 11)], 1.5, B('berry')))
    if letter == 'c':  # feather
        return (path('M-10,12 C-12,-2 -2,-12 11,-13 C8,-2 2,8 -10,12 Z', L('sky'), 2) +
                line([(-10, 12), (8, -10)], 1.5) + line([(-3, 3), (-7, -1)], 1) + line([(1, -2), (-2, -7)], 1))
    if letter == 'd':  # crystal
        return (path('M0,-14 L9,-4 L5,12 L-5,12 L-9,-4 Z', B('plum'), 2) +
                flat('path d="M0,-14 L-9,-4 L-5,12 L0,12 Z"', L('plum')) + line([(0, -14), (0, 12)], 1))
    if letter == 'e':  # leaf
        return (path('M-11,11 C-13,-4 -2,-12 12,-12 C12,2 4,12 -11,11 Z', B('leaf'), 2) +
                line([(-11, 11), (6, -6)], 1.5, S('leaf')) + flat('path d="M-8,4 C-8,-4 0,-9 8,-10 C0,-6 -4,-2 -8,4 Z"', L('leaf')))
    if letter == 'f':  # bone
        return ('<g transform="rotate(-35)">' + rect(-9, -3, 18, 6, L('parchment'), 2, 2) +
                circle(-10, -3.5, 3.5, L('parchment'), 2) + circle(-10, 3.5, 3.5, L('parchment'), 2) +
                circle(10, -3.5, 3.5, L('parchment'), 2) + circle(10, 3.5, 3.5, L('parchment'), 2) +
                rect(-9, -2, 18, 4, L('parchment'), 0, 1) + '</g>')
    if letter == 'g':  # star dust
        return star(0, 0, 13, B('gold'), 2) + sparkle(-9, -9, 4) + sparkle(10, 8, 3)
    if letter == 'h':  # flower
        petals = ''.join(ellipse(7 * math.cos(math.radians(a)), 7 * math.sin(math.radians(a)), 5.5, 4, L('berry'), 1.5,
                                 ' transform="rotate(%d %s %s)"' % (a, f(7 * math.cos(math.radians(a))),
                                                                   f(7 * math.sin(math.radians(a)))))
                         for a in range(0, 360, 72))
        return petals + circle(0, 0, 4.5, B('gold'), 1.5)
    if letter == 'i':  # frog leg / slime drop
        return (path('M0,-13 C6,-4 11,2 11,6 C11,12 6,14 0,14 C-6,14 -11,12 -11,6 C-11,2 -6,-4 0,-13 Z', B('leaf'), 2) +
                glint(-4, 3, 2.2, 4.5, 20))
    if letter == 'j':  # dragon scale
        return (path('M0,-13 C9,-9 12,0 0,13 C-12,0 -9,-9 0,-13 Z', B('copper'), 2) +
                path('M0,-6 C5,-3 6,2 0,8 C-6,2 -5,-3 0,-6 Z', L('copper'), 1.2))
    # k: phoenix feather
    return (path('M-9,13 C-14,-2 -3,-13 12,-14 C9,-3 3,8 -9,13 Z', B('flame'), 2) +
            flat('path d="M-6,6 C-8,-2 -1,-8 8,-10 C4,-3 0,2 -6,6 Z"', L('flame')) + line([(-9, 13), (8, -11)], 1.5, S('flame')))


LETTERS = 'abcdefghijk'
BOX_WOODS = ['wood', 'copper', 'wood', 'plum', 'wood', 'iron', 'wood', 'plum', 'copper', 'iron', 'gold']


def ingredients():
    for i, letter in enumerate(LETTERS):
        mat = BOX_WOODS[i]
        body = shadow(36, 61, 30, 3)
        body += rect(6, 18, 60, 42, B(mat), 3, 4)                      # crate
        body += flat('rect x="40" y="21" width="23" height="36" rx="3"', S(mat))
        body += line([(9, 30), (63, 30)], 2) + line([(9, 46), (63, 46)], 2)
        body += rect(3, 12, 66, 10, L(mat), 3, 3)                       # rim
        body += group('contents', '<g transform="translate(36 16) scale(0.85)">%s</g>' % ingredient_symbol(letter))
        # the letter stands high on the front: boxes are stacked closer than their height, and the lower part
        # of each lies under the next box's contents
        body += rect(23, 27, 26, 14, B('parchment'), 2, 2) + text(36, 38.5, letter.upper(), 11)
        anim('anim/ingredients/ingredient_box_%s' % letter, 72, 64, body, 6, 90,
             tracks=['contents translate 1:0,0 3:0,-3 6:0,0', 'contents scale 1:1 3:1.06 6:1'], margin=1.5)
        # the scroll: the ingredient as it is shown in a customer's or cauldron's request
        body = path('M8,10 Q8,4 14,4 L40,4 Q44,4 44,10 L44,40 Q44,46 38,46 L10,46 Q4,46 4,40 Z', B('parchment'), 2)
        body += flat('path d="M30,6 L40,6 Q42,6 42,10 L42,40 Q42,44 38,44 L30,44 Z"', S('parchment'), 0.6)
        body += '<g transform="translate(24 25) scale(0.95)">%s</g>' % ingredient_symbol(letter)
        body += rect(2, 2, 10, 8, L('parchment'), 2, 4)
        anim('anim/ingredients/ingredient_scroll_%s' % letter, 48, 48, body, 1)
    sparkle_fx('anim/ingredients/fx_takeitem', 'gold')


def sparkle_fx(name, color, size=64, frames=8):
    c = size / 2
    ring = '<circle cx="%s" cy="%s" r="%s" fill="none" stroke="%s" stroke-width="3"/>' % (f(c), f(c), f(c * 0.35), L(color))
    body = (group('ring', ring) + group('s1', sparkle(c - c * 0.5, c - c * 0.4, 7, L(color))) +
            group('s2', sparkle(c + c * 0.55, c - c * 0.2, 6, '#ffffff')) +
            group('s3', sparkle(c + c * 0.1, c + c * 0.55, 8, L(color))) + group('s4', sparkle(c - c * 0.3, c + c * 0.3, 5, '#ffffff')))
    anim(name, size, size, body, frames, 60, tracks=[
        'ring scale 1:0.4 %d:1.6' % frames, 'ring opacity 1:1 %d:0' % frames,
        's1 show 1-%d' % (frames - 2), 's2 show 2-%d' % (frames - 1), 's3 show 3-%d' % frames, 's4 show 1-3 6-%d' % frames,
        's1 scale 1:0.3 4:1.2 %d:0.5' % frames, 's3 scale 3:0.3 6:1.3 %d:0.6' % frames,
        's2 translate 2:0,0 %d:4,-8' % frames])


def coin(cx, cy, r, width=2):
    return (ellipse(cx, cy, r, r * 0.92, B('gold'), width) + ellipse(cx + 1, cy + 1, r * 0.62, r * 0.56, S('gold'), 1.2) +
            text(cx + 1, cy + r * 0.38, '$', r * 1.05, L('gold')) + glint(cx - r * 0.45, cy - r * 0.4, r * 0.18, r * 0.35))


def money():
    body = shadow(20, 29, 17, 3)
    for k in range(4):
        body += ellipse(14, 25 - k * 4, 10, 4, B('gold'), 2) + flat('rect x="5" y="%d" width="18" height="2"' % (24 - k * 4), S('gold'))
    body += coin(27, 18, 10)
    picture('items/item_money', 40, 32, body)


CHARMS = {1: ('teal', 'gold'), 4: ('berry', 'copper'), 5: ('plum', 'gold')}


def charms():
    for n, (gem, metal) in CHARMS.items():
        body = line([(24, 2), (12, 14)], 2, S(metal)) + line([(24, 2), (36, 14)], 2, S(metal))
        body += circle(24, 28, 16, B(metal), 3) + circle(24, 28, 11, S(metal), 0)
        if n == 1:
            body += path(star_points(24, 28, 10, 4.5, 6), B(gem), 2)
        elif n == 4:
            body += path('M24,37 C14,30 14,21 20,21 C22,21 24,23 24,25 C24,23 26,21 28,21 C34,21 34,30 24,37 Z', B(gem), 2)
        else:
            body += path('M24,17 L33,28 L24,39 L15,28 Z', B(gem), 2) + flat('path d="M24,17 L15,28 L24,28 Z"', L(gem))
        body += glint(18, 20, 2.5, 5) + circle(24, 4, 3, B(metal), 2)
        picture('items/charms/charm%d' % n, 48, 48, body)


def plant_fruit():
    body = (shadow(20, 37, 12, 2) + circle(20, 23, 13, B('berry'), 2) +
            shade_ellipse(25, 27, 7, 8, S('berry'), 0.8) + glint(14, 18, 3, 5) +
            path('M20,10 Q22,4 27,3', 'none', 2) + path('M21,9 Q28,4 33,9 Q27,12 21,9 Z', B('leaf'), 2))
    anim('anim/plant/plant_fruit', 40, 40, group('fruit', body), 4, 120,
         tracks=['fruit scale 1:1 2:1.05,0.96 3:1 4:1', 'fruit pivot 20,36'])
    sparkle_fx('fx/fruit/fx_fruit', 'berry', 48, 8)


def build():
    potions()
    ingredients()
    money()
    charms()
    plant_fruit()
