"""The bazaar: each add-on for sale drawn where its shop piece stands (the cauldron and harp the shop
shows once it is bought, the shoes, the phoenix egg and the drawer) in its states normal, rolled
over, selected and disabled, the price tag, the description panel and the panel's icons."""
from svgkit import *
from shop import cauldron_body, CAULDRON_BREWS, harp_body, drawer_body
from ui import frame_body

PAD = 12  # room around an add-on for its glow
SHOE_HUES = ['wood', 'plum', 'sky']
KEY_METALS = ['iron', 'copper', 'gold']


def locked(cx, cy):
    """A padlock: the add-on cannot be bought yet."""
    return (path('M%s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s L%s,%s' % (
        f(cx - 7), f(cy), f(cx - 7), f(cy - 6), f(cx - 7), f(cy - 14), f(cx), f(cy - 14), f(cx + 7), f(cy - 14),
        f(cx + 7), f(cy - 6), f(cx + 7), f(cy)), 'none', 5).replace(INK, S('iron'), 1) +
            rect(cx - 12, cy - 2, 24, 20, B('gold'), 2.5, 4) + circle(cx, cy + 6, 3, INK, 0) +
            flat('rect x="%s" y="%s" width="2.5" height="6"' % (f(cx - 1.25), f(cy + 7)), INK))


def addon(name, w, h, body, defs='', states=('normal', 'over', 'selected')):
    """One picture a state; the rolled-over and selected ones glow, the selected one pulses, the
    disabled one is a grey, locked copy."""
    W, H = w + 2 * PAD, h + 2 * PAD
    inner = '<g transform="translate(%d %d)">%s</g>' % (PAD, PAD, body)
    halo_defs = glow_def('over_glow', L('gold'), 0.75) + glow_def('sel_glow', L('gold'), 1.0)
    grey = ('<filter id="grey" color-interpolation-filters="sRGB"><feColorMatrix type="matrix" values="0.25 0.4 0.1 0 0.02  0.25 0.4 0.1 0 0.0  '
            '0.25 0.4 0.1 0 0.04  0 0 0 0.8 0"/></filter>')
    halo = 'ellipse cx="%s" cy="%s" rx="%s" ry="%s"' % (f(W / 2), f(H / 2), f(W / 2 - 2), f(H / 2 - 2))
    for state in states:
        if state == 'normal':
            anim('anim/bazaar/%s_normal' % name, W, H, inner, 1, defs=defs, margin=0)
        elif state == 'over':
            anim('anim/bazaar/%s_over' % name, W, H, flat(halo, 'url(#over_glow)') + inner, 1, defs=defs + halo_defs)
        elif state == 'selected':
            sel = group('halo', flat(halo, 'url(#sel_glow)')) + inner
            sel += group('tw1', sparkle(PAD + 6, PAD + 8, 8, '#ffffff')) + group('tw2', sparkle(W - PAD - 8, H / 2, 7, L('gold')))
            anim('anim/bazaar/%s_selected' % name, W, H, sel, 8, 90, defs=defs + halo_defs, tracks=[
                'halo opacity ' + keys([0.6, 1, 0.6], 8), 'tw1 scale ' + keys([0.3, 1.1, 0.3], 8),
                'tw2 scale ' + keys([1.1, 0.3, 1.1], 8)])
        else:
            dis = '<g filter="url(#grey)">%s</g>' % inner + locked(W / 2, H / 2 + 4)
            anim('anim/bazaar/%s_disabled' % name, W, H, dis, 1, defs=defs + grey)


def boots(hue, wings, scale=1.0):
    """A pair of the heroine's boots in 72 x 56."""
    def boot(x):
        b = path(P('M', (x, 6), 'L', (x + 16, 6), 'L', (x + 17, 34), 'Q', (x + 32, 36), (x + 33, 46), 'L', (x - 1, 46),
                   'Q', (x - 3, 30), (x, 6), 'Z'), B(hue), 2.5)
        b += flat('path d="%s"' % P('M', (x + 11, 8), 'L', (x + 15, 8), 'L', (x + 16, 36), 'L', (x + 12, 36), 'Z'), S(hue))
        b += rect(x - 2, 42, 36, 6, S('wood'), 2, 2) + rect(x - 1, 4, 19, 6, L(hue), 2, 2)
        b += rect(x + 3, 24, 10, 6, B('gold'), 1.5, 1.5)
        if wings:
            for i in range(wings):
                b += path('M%s,%s q-10,-6 -14,-2 q6,2 14,8 Z' % (f(x), f(14 + i * 7)), L('parchment'), 1.5)
        return b
    body = shadow(36, 52, 30, 3) + boot(10) + boot(36)
    return '<g transform="scale(%s)">%s</g>' % (f(scale), body) if scale != 1 else body


def phoenix_egg(scale=1.0):
    """A phoenix egg warm in its nest, in 80 x 80."""
    body = shadow(40, 74, 30, 4)
    body += path('M44,10 C62,12 66,44 62,56 C58,66 22,66 18,56 C14,44 24,8 44,10 Z', B('gold'), 3)
    body += flat('path d="M50,16 C62,24 62,48 58,56 C52,62 40,62 36,60 C52,54 56,34 50,16 Z"', S('gold'))
    body += path(flame_path(40, 52, 18, 26), B('flame'), 2) + flat('path d="%s"' % flame_path(40, 50, 10, 14), L('flame'))
    body += glint(30, 26, 3, 8, 20)
    body += path('M10,56 Q40,80 70,56 L68,66 Q40,82 12,66 Z', B('wood'), 3)
    body += line([(16, 62), (30, 66), (44, 62), (58, 66)], 2, L('wood')) + line([(14, 68), (40, 74), (66, 68)], 2, S('wood'))
    return '<g transform="scale(%s)">%s</g>' % (f(scale), body) if scale != 1 else body


def key(metal):
    """The drawer's key in 64 x 64."""
    body = circle(20, 22, 13, B(metal), 3) + circle(20, 22, 5, 'none', 2.5).replace('fill="none"', 'fill="%s"' % S(metal), 1)
    body += path('M30,30 L54,54 L48,58 L44,54 L40,58 L36,54 L40,50 L26,36 Z', B(metal), 3)
    body += glint(14, 16, 2.5, 4.5) + line([(34, 36), (50, 52)], 1.5, L(metal))
    return body


def bought_cauldron(level):
    """The cauldron the shop shows after buying add-on level 1..3: its next grade, the last one gilded."""
    grade = min(level, 2)
    body = cauldron_body(grade, CAULDRON_BREWS[grade])
    if level == 3:
        body = body.replace(L('copper'), L('gold')) + star(40, 96, 6) + star(100, 96, 6)
    return body


def bought_harp(level):
    """The harp the shop shows after buying add-on level 1..3: its next grade, the last one starlit."""
    body = harp_body(min(level, 2))
    if level == 3:
        body += star(84, 74, 7, L('gold')) + star(16, 70, 6, L('gold')) + sparkle(52, 40, 7, L('gold'))
    return body


def addons():
    for level in (1, 2, 3):
        addon('cauldron_0%d' % level, 140, 130, bought_cauldron(level))
        addon('harp%02d' % level, 110, 132, bought_harp(level))
    addon('tessa_shoe', 72, 56, boots('plum', 1))
    addon('fenix', 80, 80, phoenix_egg(), states=('normal', 'over', 'selected', 'disabled'))
    addon('drawer', 136, 46, drawer_body(), states=('normal', 'over', 'selected', 'disabled'))


def icons():
    """The description panel's pictures of what is for sale, 72 x 72."""
    for level in range(3):
        anim('anim/bazaar/gui_cauldron_0%d' % (level + 1), 72, 72,
             '<g transform="translate(2 6) scale(0.48)">%s</g>' % bought_cauldron(level + 1), 1, margin=1)
        anim('anim/bazaar/gui_shoes_0%d' % (level + 1), 72, 72,
             '<g transform="translate(10 10) scale(0.8)">%s</g>' % boots(SHOE_HUES[level], level), 1, margin=2)
        anim('anim/bazaar/gui_key_0%d' % (level + 1), 72, 72, '<g transform="translate(4 4)">%s</g>' % key(KEY_METALS[level]), 1,
             margin=1)
    anim('anim/bazaar/gui_egg', 72, 72, phoenix_egg(0.9), 1, margin=1)


def price_tag():
    """A paper tag on a string; the bazaar writes the price on its right part."""
    body = line([(4, 6), (12, 18)], 2, S('wood'))
    body += path('M14,8 L74,8 Q80,8 80,14 L80,30 Q80,36 74,36 L14,36 L4,22 Z', B('parchment'), 2.5)
    body += flat('path d="M16,11 L72,11 L72,15 L16,15 Z"', L('parchment')) + flat('path d="M16,31 L76,31 L74,34 L15,34 Z"', S('parchment'))
    body += circle(13, 22, 3, S('parchment'), 1.5) + text(25, 28, '$', 15, S('gold'), stroke=INK, stroke_width=2.5)
    anim('anim/bazaar/shop_price', 84, 44, body, 1, margin=1)


def description_panel():
    """The bazaar's description panel: the add-on's name on the plaque, its text below, its picture
    in the well at (172, 168), the price and the buy and cancel buttons along the bottom."""
    w, h = 344, 300
    body = frame_body(w, h, 12, True)
    body += rect(70, 8, 204, 34, B('plum'), 3, 10) + flat('rect x="76" y="12" width="190" height="7" rx="3"', L('plum'))
    body += star(86, 25, 7) + star(258, 25, 7)
    body += circle(172, 168, 42, S('parchment'), 2.5) + circle(172, 168, 36, L('parchment'), 0)
    body += line([(40, 220), (304, 220)], 2, S('parchment'))
    picture('gui/shop_gui', w, h, body)


def build():
    addons()
    icons()
    price_tag()
    description_panel()
