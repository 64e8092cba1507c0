"""The menu screens' pictures: the curtain panels of the screen transition, the title card, the
studio's logo before the start panel, the level-select cat, the loader's flask and its water, and the tutorial panel, arrow and mark."""
from svgkit import *


def curtain(hue_light, hue_base, hue_shade):
    """One velvet panel 240 x 600 of the transition; five of them, 170 px apart, close the screen."""
    w, h = 240, 600
    body = flat('rect x="0" y="0" width="%d" height="%d"' % (w, h), hue_base)
    for i, x in enumerate(range(8, w, 46)):
        body += flat('path d="%s"' % P('M', (x, 0), 'Q', (x + 10, h / 2), (x + 4, h), 'L', (x + 20, h),
                                        'Q', (x + 26, h / 2), (x + 18, 0), 'Z'), hue_shade)
        body += flat('path d="%s"' % P('M', (x + 26, 0), 'Q', (x + 32, h / 2), (x + 28, h), 'L', (x + 34, h),
                                        'Q', (x + 38, h / 2), (x + 32, 0), 'Z'), hue_light, 0.7)
    body += flat('rect x="0" y="0" width="%d" height="26"' % w, S('gold'))
    body += flat('rect x="0" y="3" width="%d" height="8"' % w, B('gold'))
    body += flat('rect x="0" y="5" width="%d" height="3"' % w, L('gold'))
    fringe = ''.join(flat('path d="M%s,%s l6,14 l6,-14 Z"' % (f(x), f(h - 16)), B('gold')) for x in range(0, w, 12))
    body += flat('rect x="0" y="%d" width="%d" height="6"' % (h - 22, w), S('gold')) + fringe
    body += circle(w / 2, h / 2, 30, B('gold'), 3) + circle(w / 2, h / 2, 22, hue_shade, 2)
    body += star(w / 2, h / 2, 15, L('gold'), 2) + circle(w / 2 - 12, h / 2 - 14, 3, '#ffffff', 0)
    return body


def transition():
    picture('gui/t1_01', 240, 600, curtain(L('plum'), B('plum'), S('plum')))
    picture('gui/t1_02', 240, 600, curtain(B('plum'), S('plum'), B('night')))


def title_card():
    """The game's name over a big glowing flask; the menu lays its shine and stars over it."""
    w, h = 300, 170
    defs = glow_def('titleglow', L('teal'), 0.7)
    cx = w / 2
    body = flat('ellipse cx="%s" cy="70" rx="92" ry="70"' % f(cx), 'url(#titleglow)')
    flask = P('M', (cx - 14, 8), 'L', (cx - 14, 34), 'C', (cx - 66, 44), (cx - 74, 118), (cx - 30, 132),
              'L', (cx + 30, 132), 'C', (cx + 74, 118), (cx + 66, 44), (cx + 14, 34), 'L', (cx + 14, 8), 'Z')
    defs += '<clipPath id="flask"><path d="%s"/></clipPath>' % flask
    body += flat('path d="%s"' % flask, '#e8f4f4', 0.55)
    body += '<g clip-path="url(#flask)">' + flat('rect x="0" y="66" width="%d" height="80"' % w, B('teal'))
    body += flat('rect x="%s" y="66" width="%d" height="80"' % (f(cx + 14), w), S('teal'))
    body += flat('ellipse cx="%s" cy="66" rx="60" ry="4"' % f(cx), L('teal'))
    body += circle(cx - 20, 104, 5, L('teal'), 1.5) + circle(cx + 12, 88, 3.5, L('teal'), 1.5) + '</g>'
    body += path(flask, 'none', 3) + glint(cx - 36, 78, 6, 18, -15)
    body += rect(cx - 18, 2, 36, 12, B('wood'), 3, 3) + flat('rect x="%s" y="4" width="10" height="5"' % f(cx - 14), L('wood'))
    body += text(cx + 2, 152, 'Alembria', 50, S('gold'), stroke=INK, stroke_width=7)
    body += text(cx, 148, 'Alembria', 50, B('gold'), stroke=INK, stroke_width=0)
    body += ('<text x="%s" y="146" font-family="DejaVu Sans" font-weight="bold" font-size="50" text-anchor="middle" '
             'fill="none" stroke="%s" stroke-width="1.5" opacity="0.8">Alembria</text>' % (f(cx - 1), L('gold')))
    picture('fx/titlecard/potion_st', w, h, body, defs)


def studio_logo():
    """The studio's card that covers the screen before the start panel: a gold ring with a star on the
    night sky, the studio's name under it."""
    w, h = 800, 600
    defs = glow_def('logoglow', L('gold'), 0.45)
    body = flat('rect x="0" y="0" width="%d" height="%d"' % (w, h), S('night'))
    for x, y, r in ((90, 80, 3), (210, 150, 2), (660, 90, 3), (730, 220, 2), (120, 470, 2), (690, 500, 3), (560, 40, 2)):
        body += sparkle(x, y, r * 3, L('parchment'), 0.7)
    body += flat('circle cx="400" cy="240" r="190"', 'url(#logoglow)')
    body += circle(400, 240, 118, B('night'), 8).replace(INK, S('gold'), 1)
    body += circle(400, 240, 110, 'none', 4).replace(INK, L('gold'), 1)
    body += star(400, 244, 70, B('gold'), 4) + star(400, 244, 30, L('gold'), 0)
    body += text(400, 440, 'Corvanta', 72, B('gold'), stroke=INK, stroke_width=8)
    body += text(400, 492, 'presents', 30, L('parchment'))
    picture('gui/studio_logo', w, h, body, defs)


def cat_body(eyes_open=True):
    """A plump grey cat sitting on a cushion, facing the player, in a 120 x 120 frame."""
    body = shadow(60, 110, 40, 5)
    body += ellipse(60, 104, 44, 10, B('berry'), 3) + flat('ellipse cx="70" cy="107" rx="30" ry="5"', S('berry'))
    tail = group('tail', path('M84,98 C106,96 110,76 100,62 C96,58 92,62 95,66 C102,78 98,90 82,90 Z', B('iron'), 3))
    body += tail
    body += path('M38,102 C30,84 36,58 60,56 C84,58 90,84 82,102 Z', B('iron'), 3)
    body += flat('path d="M70,62 C84,68 86,88 80,100 L70,100 Z"', S('iron'))
    body += flat('path d="M48,70 C52,64 58,62 62,62 C54,66 50,74 48,82 Z"', L('iron'))
    body += ellipse(48, 101, 9, 5, L('iron'), 2) + ellipse(72, 101, 9, 5, L('iron'), 2)
    head = path('M34,48 L32,18 L48,30 Q60,26 72,30 L88,18 L86,48 Q86,66 60,66 Q34,66 34,48 Z', B('iron'), 3)
    head += path('M37,24 L46,31 L39,36 Z', B('berry'), 1.5) + path('M83,24 L74,31 L81,36 Z', B('berry'), 1.5)
    head += flat('path d="M40,40 Q46,34 54,34 Q46,38 42,46 Z"', L('iron'))
    if eyes_open:
        eyes = (group('eyes', ellipse(49, 44, 7, 8, L('lemon'), 2) + ellipse(71, 44, 7, 8, L('lemon'), 2) +
                      ellipse(49, 45, 2.5, 6, INK, 0) + ellipse(71, 45, 2.5, 6, INK, 0) +
                      circle(47, 41, 1.8, '#ffffff', 0) + circle(69, 41, 1.8, '#ffffff', 0)) +
                group('blink', ellipse(49, 45, 8, 4, L('iron'), 2) + ellipse(71, 45, 8, 4, L('iron'), 2) +
                      line([(42, 46), (49, 48), (56, 46)], 2) + line([(64, 46), (71, 48), (78, 46)], 2),
                      extra=' display="none"'))
    else:
        eyes = line([(42, 44), (49, 48), (56, 44)], 2.5) + line([(64, 44), (71, 48), (78, 44)], 2.5)
    head += eyes
    head += path('M57,52 L63,52 L60,55 Z', B('berry'), 1.5) + line([(60, 55), (56, 58)], 1.5) + line([(60, 55), (64, 58)], 1.5)
    head += line([(30, 52), (44, 54)], 1.2, L('parchment')) + line([(76, 54), (90, 52)], 1.2, L('parchment'))
    body += group('head', head)
    return body


def cat():
    anim('anim/cat/anim_cat_stand', 120, 120, cat_body(), 12, 90, tracks=[
        'tail rotate ' + keys([0, 6, 10, 6, 0, -4, 0], 12), 'tail pivot 86,96',
        'head translate ' + keys(['0,0', '0,-1', '0,-2', '0,-1', '0,0'], 12),
        'eyes show 1-8 11-12', 'blink show 9-10'], origin=(60, 110), margin=2)
    zzz = group('z', text(96, 20, 'z', 16, L('sky'), stroke=INK, stroke_width=3))
    anim('anim/cat/anim_cat_sleep', 120, 120, cat_body(False) + zzz, 12, 110, tracks=[
        'head translate ' + keys(['0,1', '0,3', '0,4', '0,3', '0,1'], 12),
        'z translate ' + keys(['-10,22', '-4,10', '0,0'], 12), 'z opacity ' + keys([0, 1, 1, 0], 12),
        'z scale ' + keys([0.5, 0.8, 1.1], 12)], origin=(60, 110), margin=2)


def loader():
    """The loading screen: a night wall with a round flask-shaped window the rising water shows through."""
    w, h = 800, 600
    flask = P('M', (364, 120), 'L', (364, 200), 'C', (240, 226), (210, 420), (300, 500), 'L', (500, 500),
              'C', (590, 420), (560, 226), (436, 200), 'L', (436, 120), 'Z')
    defs = '<mask id="hole"><rect width="800" height="600" fill="#ffffff"/><path d="%s" fill="#000000"/></mask>' % flask
    defs += glow_def('candle', B('flame'), 0.35)
    wall = flat('rect width="800" height="600"', B('night'))
    for y in range(40, 600, 80):
        wall += line([(0, y), (800, y + 6)], 3, S('night'))
    wall += flat('circle cx="120" cy="160" r="140"', 'url(#candle)') + flat('circle cx="680" cy="160" r="140"', 'url(#candle)')
    for x in (120, 680):
        wall += rect(x - 12, 170, 24, 60, L('parchment'), 3, 4) + flame(x, 168, 18, 34)
        wall += rect(x - 30, 228, 60, 12, B('copper'), 3, 4)
    body = '<g mask="url(#hole)">' + wall + '</g>'
    body += path(flask, 'none', 8).replace(INK, S('wood'), 1) + path(flask, 'none', 3)
    body += glint(300, 320, 12, 60, 15, 0.35)
    body += rect(350, 96, 100, 30, B('wood'), 4, 6) + flat('rect x="356" y="100" width="60" height="8" rx="3"', L('wood'))
    body += text(400, 560, 'Brewing...', 30, L('parchment'), stroke=INK, stroke_width=6)
    picture('anim/loader_background_alpha', w, h, body, defs)
    for n, phase in ((1, 0), (2, 1)):
        wave = 'M0,%s ' % f(24 + 6 * phase)
        for i in range(4):
            x = i * 60
            up = 14 if (i + phase) % 2 == 0 else 34
            wave += 'Q%s,%s %s,%s ' % (f(x + 30), f(up), f(x + 60), f(24 + 6 * phase))
        water = flat('path d="%s L240,320 L0,320 Z"' % wave, B('teal'))
        water += '<path d="%s" fill="none" stroke="%s" stroke-width="5" stroke-linecap="round"/>' % (wave, L('teal'))
        water += ''.join(circle(x, y, r, L('teal'), 1.5) for x, y, r in
                         ((60 + 40 * phase, 120, 6), (140, 200 - 30 * phase, 4), (100, 260, 5)))
        picture('anim/loader_water_%d' % n, 240, 320, water)


def tutorial():
    """The wizard's message panel (opens and closes), the pointing arrow and the pulsing mark."""
    w, h = 380, 180
    panel = rect(8, 8, w - 16, h - 24, B('parchment'), 3, 14)
    panel += flat('rect x="16" y="14" width="%d" height="10" rx="4"' % (w - 40), L('parchment'))
    panel += flat('rect x="16" y="%d" width="%d" height="8" rx="4"' % (h - 34, w - 40), S('parchment'))
    panel += rect(4, 4, 26, h - 16, B('plum'), 3, 8) + rect(w - 30, 4, 26, h - 16, B('plum'), 3, 8)
    panel += flat('rect x="9" y="10" width="6" height="%d" rx="3"' % (h - 30), L('plum'))
    panel += flat('rect x="%d" y="10" width="6" height="%d" rx="3"' % (w - 14, h - 30), S('plum'))
    panel += star(17, 20, 7) + star(w - 17, 20, 7)
    anim('gui/panel_tutorial', w, h, group('panel', panel), 10, 60,
         actions=[('open', 1, 5), ('close', 6, 10)],
         tracks=['panel scale ' + keys(['0.05,1', '0.5,1', '0.9,1.02', '1,0.98', '1,1',
                                        '1,1', '0.95,1', '0.6,1', '0.2,1', '0.05,1']),
                 'panel pivot %d,%d' % (w // 2, h // 2),
                 'panel opacity ' + keys([0, 0.7, 1, 1, 1, 1, 1, 0.7, 0.3, 0])], margin=1)
    # The tutorials place the arrow by a point 145 px above and 21 px right of its tip, and the mark
    # by its top left corner.
    arrow = group('arrow', path('M-12,-110 L12,-110 L12,-8 L26,-8 L0,24 L-26,-8 L-12,-8 Z', B('gold'), 3) +
                  flat('path d="M-8,-106 L-2,-106 L-2,-6 L-16,-6 L-20,-8 L-8,-8 Z"', L('gold')) +
                  flat('path d="M6,-106 L10,-106 L10,-6 L20,-6 L2,16 Z"', S('gold')), extra=' transform="translate(40,144)"')
    anim('anim/tutorial_arrow', 80, 176, group('bob', arrow), 10, 60, actions=[('appear', 1, 10)], origin=(61, 23),
         tracks=['arrow scale ' + keys([0.2, 0.7, 1.1, 0.95, 1, 1, 1, 1, 1, 1]), 'arrow pivot 40,168',
                 'bob translate ' + keys(['0,0', '0,0', '0,0', '0,0', '0,0', '0,-4', '0,-8', '0,-10', '0,-6', '0,0'])],
         margin=4)
    ring = group('ring', circle(60, 60, 44, 'none', 7).replace(INK, B('gold'), 1) +
                 circle(60, 60, 44, 'none', 2).replace(INK, L('gold'), 1))
    anim('anim/tutorial_mark', 120, 120, ring + group('glint', sparkle(60, 16, 9)), 10, 70, origin=(0, 0),
         tracks=['ring scale ' + keys([0.85, 0.92, 1, 1.05, 1, 0.92, 0.85], 10), 'ring opacity ' + keys([0.6, 1, 0.6], 10),
                 'glint rotate ' + keys([0, 324], 10), 'glint pivot 60,60', 'glint opacity ' + keys([0.6, 1, 0.6], 10)],
         margin=3)


def build():
    transition()
    title_card()
    studio_logo()
    cat()
    loader()
    tutorial()
