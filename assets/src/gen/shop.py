"""Cauldrons, the HUD and GUI pieces, shop furniture (drawer, artifacts, plant, bucket, harp), effects."""
from svgkit import *
from items import ingredient_symbol, coin

CAULDRON_METALS = ['iron', 'copper', 'plum']
CAULDRON_BREWS = ['leaf', 'teal', 'berry']


def cauldron_body(level, brew):
    metal = CAULDRON_METALS[level]
    b = shadow(70, 122, 52, 6)
    b += path('M30,108 L22,124 M110,108 L118,124', 'none', 4)                    # legs
    b += path(P('M', (14, 52), 'Q', (10, 118), (70, 118), 'Q', (130, 118), (126, 52), 'Z'), B(metal), 3)
    b += flat('path d="%s"' % P('M', (92, 56), 'Q', (122, 62), (118, 90), 'Q', (108, 112), (80, 114), 'Q', (112, 96), (92, 56), 'Z'), S(metal))
    b += glint(34, 74, 5, 13, 20, 0.35)
    b += group('brew', ellipse(70, 52, 54, 12, B(brew), 3), shade_ellipse(80, 55, 36, 6, S(brew), 0.7),
               shade_ellipse(58, 50, 22, 4, L(brew), 0.9))
    b += path(P('M', (12, 50), 'Q', (70, 36), (128, 50), 'Q', (130, 58), (124, 60), 'Q', (70, 48), (16, 60), 'Q', (10, 58), (12, 50), 'Z'),
              L('copper') if level else B('iron'), 3)                            # rim
    if level >= 1:
        b += line([(20, 84), (120, 84)], 3, B('gold'))
    if level == 2:
        b += star(70, 96, 8, B('gold'), 2)
    return b


def bubbles(brew):
    return ''.join(group('bub%d' % i, circle(x, 50, r, L(brew), 2)) for i, (x, r) in enumerate([(48, 5), (74, 7), (96, 4)]))


def cauldrons():
    for level in range(3):
        brew = CAULDRON_BREWS[level]
        name = 'anim/cauldron/cauldron_0%d_' % (level + 1)
        body = cauldron_body(level, brew)
        anim(name + 'stand', 140, 130, body + bubbles(brew), 8, 110, tracks=[
            'brew translate 1:0,0 4:0,-1 8:0,0', 'bub0 show 2-4', 'bub1 show 5-7', 'bub2 show 7-8',
            'bub0 scale 2:0.5 4:1.1', 'bub1 scale 5:0.5 7:1.1', 'bub2 scale 7:0.6 8:1'])
        steam = ''.join(group('steam%d' % i, circle(x, 40, 8, '#ffffff', 2, ' opacity="0.8"')) for i, x in enumerate([52, 84]))
        anim(name + 'boil', 140, 130, body + bubbles(brew) + steam, 8, 70, tracks=[
            'brew translate 1:0,0 2:0,-2 3:0,0 4:0,-2 5:0,0 6:0,-2 7:0,0 8:0,-2',
            'bub0 scale 1:0.5 4:1.3 5:0.5 8:1.3', 'bub1 scale 1:1.3 4:0.5 5:1.3 8:0.5', 'bub2 scale 1:0.8 3:1.4 6:0.6 8:1',
            'steam0 translate 1:0,0 8:-6,-30', 'steam0 opacity 1:0.9 8:0', 'steam1 translate 1:0,10 8:6,-24',
            'steam1 opacity 1:0.3 3:0.9 8:0'])
        glow = '<ellipse id="glow" cx="70" cy="52" rx="60" ry="22" fill="url(#g)"/>'
        anim(name + 'request', 140, 130, body + glow + group('ask', sparkle(70, 26, 10, L('gold'))), 6, 100,
             defs=glow_def('g', L('gold'), 0.9),
             tracks=['glow opacity 1:0.2 3:1 6:0.2', 'ask scale 1:0.6 3:1.2 6:0.6', 'ask translate 1:0,0 3:0,-4 6:0,0'])
    # bubbles rising over a cauldron that stands ready
    body = ''.join(group('b%d' % i, circle(x, 52, r, L('teal'), 2), glint(x - r * 0.3, 52 - r * 0.3, r * 0.2, r * 0.3))
                   for i, (x, r) in enumerate([(30, 7), (50, 10), (72, 6)]))
    anim('anim/cauldron/boil_stand', 100, 60, body, 8, 90, tracks=[
        'b0 translate 1:0,0 8:-3,-40', 'b0 opacity 1:1 6:1 8:0', 'b1 translate 1:0,8 8:2,-34', 'b1 opacity 1:0 2:1 7:1 8:0',
        'b2 translate 1:0,4 8:4,-44', 'b2 opacity 1:1 5:1 8:0'], margin=8)
    anim('anim/cauldron/anim_fire_icon', 32, 32, circle(16, 16, 14, B('night'), 2) + flame(16, 26, 14, 20, 'fl'), 6, 90,
         tracks=['fl scale 1:1 3:1.1,0.9 4:0.9,1.1 6:1', 'fl pivot 16,26'])
    combo = group('burst', path(star_points(48, 30, 30, 18, 10), B('gold'), 3)) + group('word', text(48, 36, 'COMBO', 15, L('parchment'), stroke=INK, stroke_width=3))
    anim('anim/cauldron/combo', 96, 60, combo, 8, 70, tracks=[
        'burst rotate 1:0 8:20', 'burst scale 1:0.3 3:1.15 5:1 8:1', 'word scale 1:0.2 3:1.2 4:1 8:1'], margin=10)
    for n in range(1, 12):
        bar('anim/stats/cauldron_bar_%02d' % n, 11, ['teal', 'sky', 'leaf', 'gold', 'flame', 'berry', 'plum', 'teal', 'sky', 'leaf', 'gold'][n - 1], True)
    fire = ''.join(flame(x, 54, w, h, 'f%d' % i) for i, (x, w, h) in enumerate([(30, 24, 34), (60, 34, 50), (90, 24, 38)]))
    logs = rect(12, 50, 96, 8, B('wood'), 3, 4) + line([(20, 54), (100, 54)], 1.5, S('wood'))
    anim('effects/fx_cauldrun_fire', 120, 64, logs + fire, 8, 70, tracks=[
        'f0 scale 1:1 3:0.9,1.15 5:1.05,0.9 8:1', 'f0 pivot 30,54', 'f1 scale 1:1 2:1.08,0.9 4:0.92,1.12 6:1.05,0.95 8:1',
        'f1 pivot 60,54', 'f2 scale 1:0.9,1.1 4:1.05,0.92 8:0.9,1.1', 'f2 pivot 90,54'], margin=4)
    balloon = path(P('M', (12, 6), 'L', (84, 6), 'Q', (94, 6), (94, 16), 'L', (94, 48), 'Q', (94, 58), (84, 58), 'L', (40, 58),
                     'L', (26, 70), 'L', (28, 58), 'L', (12, 58), 'Q', (2, 58), (2, 48), 'L', (2, 16), 'Q', (2, 6), (12, 6), 'Z'),
                   '#ffffff', 3) + flat('path d="M80,10 Q90,10 90,20 L90,46 Q90,54 82,54 L74,54 Q86,40 80,10 Z"', L('parchment'))
    anim('anim/ballon', 96, 72, group('bal', balloon), 4, 60, tracks=['bal scale 1:0.3 3:1.1 4:1', 'bal pivot 26,70'], margin=6)


def warning_color(color, fill):
    """An emptying bar's colour: its own, then amber, then red in its last frames."""
    if fill <= 0.2:
        return 'berry'
    return 'gold' if fill <= 0.4 else color


def bar(name, frames, color, upward=False):
    """A status bar emptying (or, upward, filling) over its frames; an emptying one warns as it runs out."""
    w, h = 64, 14
    body = rect(2, 2, w - 4, h - 4, B('night'), 2, 5)
    for k in range(frames):
        fill = (k + 1) / frames if upward else (frames - k) / frames
        shown = color if upward else warning_color(color, fill)
        body += group('lvl%d' % k, rect(4, 4, max(2, (w - 8) * fill), h - 8, B(shown), 0, 3),
                      flat('rect x="5" y="4.5" width="%s" height="2" rx="1"' % f(max(1, (w - 10) * fill)), L(shown)))
    body += rect(2, 2, w - 4, h - 4, 'none', 2, 5)
    anim(name, w, h, body, frames, 100, tracks=['lvl%d show %d' % (k, k + 1) for k in range(frames)])


def gui():
    # score, goal and clock panel in the screen's top-left corner: the clock at (49, 46.5); money and
    # goal in two panes on the right (captions end at 122 and start at 110, numbers end at 179 and
    # 170); the day's number and caption under the clock. The game centres the picture on the
    # screen's corner, so the panel fills the lower right quarter of a picture twice its size.
    board = path(P('M', (-6, -6), 'L', (192, -6), 'L', (192, 72), 'Q', (192, 82), (182, 82), 'L', (104, 82),
                   'Q', (94, 82), (94, 92), 'L', (94, 152), 'Q', (94, 162), (84, 162), 'L', (-6, 162), 'Z'), B('wood'), 4)
    board += flat('path d="%s"' % P('M', (186, -6), 'L', (186, 72), 'Q', (186, 76), (182, 76), 'L', (104, 76),
                                    'Q', (88, 76), (88, 92), 'L', (88, 152), 'Q', (88, 156), (84, 156), 'L', (-6, 156),
                                    'L', (-6, 162), 'L', (84, 162), 'Q', (94, 162), (94, 152), 'L', (94, 92),
                                    'Q', (94, 82), (104, 82), 'L', (182, 82), 'Q', (192, 82), (192, 72), 'L', (192, -6), 'Z'),
                  S('wood'))
    board += rect(80, 8, 106, 38, B('parchment'), 2, 6) + rect(102, 49, 84, 26, B('parchment'), 2, 6)
    board += rect(8, 94, 76, 60, B('parchment'), 2, 6)
    board += flat('rect x="86" y="11" width="96" height="6" rx="3"', L('parchment'))
    board += circle(49, 46.5, 34, B('gold'), 4) + circle(49, 46.5, 30, S('gold'), 0)
    for corner in [(14, 88), (78, 88)]:
        board += circle(corner[0], corner[1], 3, B('gold'), 1.5)
    corner = '<clipPath id="corner"><rect x="198" y="162" width="198" height="162"/></clipPath>'
    picture('gui/gui_score_goal_time', 2 * 198, 2 * 162,
            group(None, group(None, board, extra=' transform="translate(198,162)"'), extra=' clip-path="url(#corner)"'), corner)
    # the clock face whose hand goes once round over the level
    face = circle(32, 32, 28, L('parchment'), 3)
    face += ''.join(line([(32 + 22 * math.cos(math.radians(a)), 32 + 22 * math.sin(math.radians(a))),
                          (32 + 26 * math.cos(math.radians(a)), 32 + 26 * math.sin(math.radians(a)))], 2)
                    for a in range(0, 360, 30))
    hand = group('hand', path('M30,33 L32,8 L34,33 Z', B('berry'), 1.5))
    anim('anim/clock', 64, 64, face + hand + circle(32, 32, 3.5, B('gold'), 1.5), 24, 100, tracks=['hand rotate 1:0 24:345', 'hand pivot 32,32'])
    # HUD digits: '1'..'9', '0', '-', '+'
    glyphs = list('1234567890') + ['\u2212', '+']
    body = ''.join(group('d%d' % i, text(12, 26, g, 26, B('gold'), stroke=INK, stroke_width=4)) for i, g in enumerate(glyphs))
    anim('anim/numbers', 24, 32, body, 12, 100, tracks=['d%d show %d' % (i, i + 1) for i in range(12)])
    # the shop sign under the score panel, its registration point on the board's hook: a blank board
    # that drops in on its chains, and turns from green (open) to red (closed); the game writes the
    # word on it
    def sign(color, ident):
        return group(ident, rect(6, 26, 80, 44, B(color), 4, 8), rect(11, 31, 70, 34, S(color), 0, 6),
                     flat('rect x="14" y="33" width="40" height="5" rx="2.5"', L(color), 0.7))
    chains = line([(22, 0), (22, 26)], 3, S('iron')) + line([(70, 0), (70, 26)], 3, S('iron'))
    anim('gui/open_closed_appears', 92, 80, group('board', chains, sign('leaf', 'open')), 8, 60, origin=(46, 3), tracks=[
        'board translate 1:0,-80 4:0,4 6:0,-3 8:0,0'], bleed='top')
    anim('gui/open_closed_changes', 92, 80, chains + sign('leaf', 'open') + sign('berry', 'closed'), 8, 60, origin=(46, 3), tracks=[
        'open scale 1:1 4:0.05,1', 'open pivot 46,48', 'open show 1-4', 'closed scale 5:0.05,1 8:1', 'closed pivot 46,48', 'closed show 5-8'], bleed='top')
    # the magic book's paper: unrolls
    paper = path('M14,10 L126,10 L120,150 L20,150 Z', B('parchment'), 3) + flat('path d="M100,12 L124,12 L118,148 L96,148 Z"', S('parchment'), 0.6)
    paper += ''.join(line([(30, y), (110, y)], 1.5, S('parchment')) for y in range(40, 140, 16))
    roll = group('roll', rect(8, 2, 124, 14, L('parchment'), 3, 7))
    anim('gui/magicbook/anim_gui_paper', 140, 160, group('sheet', paper) + roll, 6, 60, tracks=[
        'sheet scale 1:1,0.1 4:1,1.05 6:1,1', 'sheet pivot 70,10'], margin=1)
    anim('anim/anim_check', 48, 48, group('chk', circle(24, 24, 20, B('leaf'), 3), line([(14, 24), (21, 32), (34, 15)], 5, '#ffffff')), 6, 60,
         tracks=['chk scale 1:0.2 3:1.1 4:0.95 6:1'], margin=1)
    for name, word, color in [('anim/goal_reached', 'GOAL!', 'leaf'), ('anim/expert_goal_reached', 'EXPERT!', 'plum')]:
        banner = path('M10,22 L310,22 L296,50 L310,78 L10,78 L24,50 Z', B(color), 4)
        banner += flat('path d="M24,60 L296,60 L310,78 L10,78 Z"', S(color), 0.7)
        banner += text(160, 62, word, 34, B('gold'), stroke=INK, stroke_width=5) + star(40, 50, 12) + star(280, 50, 12)
        anim(name, 320, 100, group('ban', banner), 8, 60,
             actions=[('DoAnim', 1, 8), ('startMsg', 1, 8), ('endMsg', 8, 1)],
             tracks=['ban scale 1:0.1 4:1.1 6:0.97 8:1', 'ban opacity 1:0 3:1'], margin=3)
    # cursors: hot spot at the top left
    picture('cursor/cursor_arrow', 32, 32, path('M3,3 L3,25 L9,19 L14,29 L19,27 L14,17 L22,17 Z', B('parchment'), 2) +
            flat('path d="M6,8 L6,19 L10,15 Z"', '#ffffff'))
    picture('cursor/cursor_hand', 32, 32, path(P('M', (9, 3), 'Q', (13, 1), (14, 6), 'L', (14, 13), 'Q', (22, 11), (26, 16), 'L', (26, 24),
                                                'Q', (24, 30), (16, 30), 'Q', (9, 30), (6, 22), 'L', (3, 16), 'Q', (4, 12), (8, 15),
                                                'L', (9, 17), 'L', (9, 6), 'Z'), B('parchment'), 2) +
            line([(18, 14), (18, 20)], 1.5) + line([(22, 15), (22, 21)], 1.5))
    for n in range(1, 11):
        bar('anim/stats/bar_%02d' % n, 10, ['leaf', 'teal', 'sky', 'leaf', 'plum', 'teal', 'plum', 'leaf', 'sky', 'teal'][n - 1])


def drawer_body():
    drawer = rect(3, 3, 130, 40, B('wood'), 3, 4) + flat('rect x="90" y="6" width="40" height="34" rx="3"', S('wood'))
    return drawer + line([(8, 10), (126, 10)], 1.5, L('wood')) + ellipse(68, 24, 10, 5, B('gold'), 2) + glint(64, 22, 2, 1.2, 0)


def furniture():
    anim('anim/drawer_01', 136, 46, group('d', drawer_body()), 6, 60, tracks=['d translate 1:0,0 2:0,-2 3:0,1 4:0,0'], margin=1.5)
    gems = ['teal', 'berry', 'sky', 'leaf', 'plum', 'gold', 'flame', 'copper', 'sky']
    for n in range(1, 10):
        gem = gems[n - 1]
        for off in (False, True):
            col = 'stone' if off else gem
            body = shadow(28, 52, 18, 3) + rect(10, 40, 36, 12, B('wood') if not off else B('stone'), 3, 3)
            if n % 3 == 1:
                body += circle(28, 24, 16, B(col), 3) + glint(22, 18, 3, 6)
            elif n % 3 == 2:
                body += path('M28,4 L44,24 L28,42 L12,24 Z', B(col), 3) + flat('path d="M28,4 L12,24 L28,24 Z"', L(col))
            else:
                body += path(star_points(28, 24, 19, 9, 6), B(col), 3) + circle(28, 24, 5, L(col), 2)
            body += text(28, 50, str(n), 9, L('parchment'))
            name = 'anim/artifacts/artifact_%d' % n + ('_off' if off else '')
            if off:
                anim(name, 56, 56, body, 1)
            else:
                anim(name, 56, 56, body + group('tw', sparkle(40, 12, 6)), 6, 100, tracks=['tw scale 1:0.2 3:1 6:0.2', 'tw opacity 1:0 3:1 6:0'])
    # the hourglass that runs down while an artifact recharges
    body = rect(10, 4, 44, 7, B('wood'), 3, 3) + rect(10, 57, 44, 7, B('wood'), 3, 3)
    body += path('M16,11 L48,11 Q48,26 34,34 Q48,42 48,57 L16,57 Q16,42 30,34 Q16,26 16,11 Z', '#e8f4f4', 3)
    body += ''.join(group('top%d' % k, path('M%s,%s L%s,%s L32,32 Z' % (f(20 + k * 1.4), f(14 + k * 1.8), f(44 - k * 1.4), f(14 + k * 1.8)), B('gold'), 0))
                    for k in range(10))
    body += ''.join(group('bot%d' % k, path('M%s,55 L%s,55 L32,%s Z' % (f(24 - k * 0.8), f(40 + k * 0.8), f(55 - k * 1.8)), B('gold'), 0))
                    for k in range(10))
    body = group('glass', body)
    tracks = ['top%d show %d' % (k, k + 1) for k in range(10)] + ['bot%d show %d 11-14' % (k, k + 1) if k == 9 else 'bot%d show %d' % (k, k + 1) for k in range(10)]
    tracks += ['glass opacity 10:1 14:0', 'glass scale 10:1 12:1.08 14:0.4']
    anim('anim/artifacts/artifact_time', 64, 68, body, 14, 100, actions=[('DoAnim', 1, 10), ('disappear', 10, 14)], tracks=tracks, margin=1)
    anim('fx/artifact/fx_artifact', 72, 72, '<circle id="halo" cx="36" cy="36" r="34" fill="url(#h)"/>' +
         group('st', sparkle(18, 20, 6), sparkle(54, 28, 5), sparkle(34, 58, 6)), 8, 80, defs=glow_def('h', L('gold'), 0.85),
         tracks=['halo opacity 1:0.4 4:1 8:0.4', 'halo scale 1:0.9 4:1.05 8:0.9', 'st rotate 1:0 8:40'])
    plant()
    bucket()
    harp()


def plant():
    """Four stages: sprout, bush, bud, ripe; each event plays the growth to the next stage."""
    pot = shadow(50, 136, 30, 4) + path('M24,100 L76,100 L70,134 L30,134 Z', B('copper'), 3) + rect(20, 94, 60, 10, L('copper'), 3, 3)
    stem = group('stem', path('M48,96 Q44,60 52,30 L56,30 Q50,60 54,96 Z', B('leaf'), 2))
    leaves = group('leaves', ellipse(36, 66, 16, 7, B('leaf'), 2, ' transform="rotate(-25 36 66)"'),
                   ellipse(66, 58, 16, 7, B('leaf'), 2, ' transform="rotate(25 66 58)"'),
                   ellipse(40, 44, 13, 6, L('leaf'), 2, ' transform="rotate(-35 40 44)"'))
    bud = group('bud', ellipse(54, 26, 9, 12, B('berry'), 2), path('M45,30 Q54,20 63,30 Q54,36 45,30 Z', B('leaf'), 2))
    fruits = group('fruits', circle(34, 56, 9, B('berry'), 2), circle(70, 50, 9, B('berry'), 2), glint(31, 53, 1.6, 3), glint(67, 47, 1.6, 3))
    body = pot + stem + leaves + bud + fruits
    anim('anim/plant/plant', 100, 140, body, 13, 90,
         actions=[('DoAnim', 1, 1), ('Anim12', 1, 4), ('Anim23', 4, 7), ('Anim34', 7, 10), ('Anim41', 10, 13)],
         tracks=['stem scale 1:0.4 4:0.8 7:1 10:1 13:0.4', 'stem pivot 51,96', 'leaves show 3-12', 'leaves scale 3:0.3 5:1 10:1 12:0.4',
                 'bud show 6-9', 'bud scale 6:0.2 8:1', 'fruits show 9-12', 'fruits scale 9:0.2 10:1.1 11:1 12:0.3'], margin=1)


def bucket():
    pail = shadow(40, 76, 30, 4) + path('M12,34 L68,34 L62,74 L18,74 Z', B('iron'), 3)
    pail += flat('path d="M50,36 L66,36 L60,72 L46,72 Z"', S('iron')) + line([(15, 50), (65, 50)], 2) + line([(17, 64), (63, 64)], 2)
    pail += path('M12,34 Q40,-4 68,34', 'none', 3)
    water = ellipse(40, 34, 28, 6, B('sky'), 3)
    fish = group('fish', path('M22,40 Q40,10 58,40 Z', B('leaf'), 3), circle(34, 26, 4, '#ffffff', 1.5), circle(35, 26, 1.6, INK, 0),
                 path('M30,36 L34,32 L38,36 L42,32 L46,36 Z', '#ffffff', 1.5))
    anim('anim/bucket/bucket_stand', 80, 80, pail + water + fish, 6, 120, tracks=['fish translate 1:0,12 3:0,10 6:0,12'], margin=1)
    anim('anim/bucket/bucket_eat', 80, 80, pail + water + fish, 10, 60, tracks=[
        'fish translate 1:0,12 3:0,-8 5:0,-10 7:0,6 10:0,12', 'fish scale 3:1 4:1.2,0.8 5:1 6:1.15,0.85 7:1', 'fish pivot 40,40'], margin=1)


HARP_COLOURS = [('wood', 'teal'), ('copper', 'gold'), ('gold', 'sky')]


def harp_body(level):
    frame_col, string_col = HARP_COLOURS[level]
    body = shadow(46, 128, 34, 4) + path('M20,124 L20,20 Q20,6 34,8 Q70,16 82,70 L84,124 Z', 'none', 0)
    body += path('M18,126 L18,18 Q18,4 34,6 Q72,14 86,72 L86,126 Z', B(frame_col), 4)
    body += path('M28,116 L28,26 Q30,18 38,20 Q66,28 76,74 L76,116 Z', B('night'), 3)
    strings = ''.join(line([(x, 116), (x, 24 + (x - 30) * 0.9)], 1.5, L(string_col)) for x in range(34, 76, 7))
    return body + group('strings', strings) + rect(12, 116, 80, 10, L(frame_col), 3, 3) + star(30, 16, 7, B('gold'), 2)


def harp():
    for n, (frame_col, string_col) in enumerate(HARP_COLOURS, 1):
        body = harp_body(n - 1)
        notes = group('notes', text(70, 30, '\u266A', 20, L(string_col), stroke=INK, stroke_width=2),
                      text(94, 54, '\u266B', 16, L(string_col), stroke=INK, stroke_width=2))
        anim('anim/harp/harp_stand%02d' % n, 110, 132, body, 1, margin=1)
        anim('anim/harp/harp_dance%02d' % n, 110, 132, body + notes, 8, 80, tracks=[
            'strings translate 1:0,0 2:1,0 3:-1,0 4:1,0 5:0,0 6:-1,0 7:1,0 8:0,0', 'notes translate 1:0,10 8:8,-14',
            'notes opacity 1:0 3:1 7:1 8:0'], margin=1)


def effects():
    anim('effects/stars_stand', 72, 48, ''.join(group('s%d' % i, star(x, y, r)) for i, (x, y, r) in enumerate([(16, 28, 10), (36, 18, 13), (56, 28, 10)])),
         8, 80, tracks=['s0 scale 1:1 3:1.2 5:1 8:1', 's1 scale 1:1 5:1.2 8:1', 's2 scale 1:1 7:1.2 8:1', 's1 rotate 1:0 8:72'])
    anim('effects/money_stand', 48, 48, group('c', coin(24, 24, 16)) + group('tw', sparkle(38, 10, 7)), 8, 80,
         tracks=['c scale 1:1,1 3:0.2,1 5:1,1 8:1,1', 'tw opacity 1:0 4:1 8:0', 'tw scale 1:0.3 4:1.1 8:0.3'])
    anim('effects/fx_fire', 64, 80, '<circle id="glow" cx="32" cy="50" r="30" fill="url(#fg)"/>' + flame(32, 74, 40, 64, 'big') + flame(32, 74, 22, 34, 'small'),
         8, 70, defs=glow_def('fg', L('flame')), tracks=[
             'big scale 1:1 3:0.92,1.1 5:1.06,0.9 7:0.95,1.05 8:1', 'big pivot 32,74', 'small scale 1:1 2:1.1,0.9 4:0.9,1.15 6:1 8:1',
             'small pivot 32,74', 'glow opacity 1:0.6 4:1 8:0.6'])
    puff = ''.join(group('p%d' % i, circle(x, y, r, L('plum'), 2)) for i, (x, y, r) in enumerate([(32, 32, 14), (18, 26, 9), (46, 24, 10), (26, 44, 8), (44, 42, 9)]))
    anim('effects/fx_ingredient', 64, 64, group('puff', puff) + group('st', sparkle(32, 16, 7), sparkle(12, 44, 5), sparkle(52, 50, 6)), 8, 60,
         tracks=['puff scale 1:0.3 4:1.1 8:1.4', 'puff opacity 1:1 5:1 8:0', 'st rotate 1:0 8:60', 'st opacity 1:0 3:1 8:0'], margin=3)
    from items import sparkle_fx
    sparkle_fx('effects/fx_takeitem', 'teal')


def build():
    cauldrons()
    gui()
    furniture()
    effects()
