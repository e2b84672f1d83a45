"""The always-loaded common package: the particle pool and every sound of the game's sound
table, each under "/sounds/<name>" as a timeline running as long as the sound with the
sequence that plays it. Effects are synthesised, praise and warnings spoken, music and jingles
sequenced from notes; music and jingles are Ogg Vorbis, the rest WAV.

The game starts a sound's timeline from where it stands (only a plain play rewinds it), so every
sound timeline rewinds when it ends: the next start plays the sound from its beginning. Music
loops for as long as its screen keeps it: the title on the menu and map, a level's music in play,
the pause music while the pause sign rests, which nothing starts again once the sign has come
in."""

import os

TEMPO = 0.18  # seconds per beat of the music loops


def music(tools, name):
    s = tools.sound
    themes = {
        "title": (["C5", "E5", "G5", "E5", "F5", "A5", "G5", None], ["C3", "F3", "G3", "C3"]),
        "beach": (["G4", "B4", "D5", "B4", "C5", "E5", "D5", None], ["G2", "C3", "D3", "G2"]),
        "grass": (["E5", "D5", "C5", "D5", "E5", "E5", "E5", None], ["C3", "G2", "C3", "G2"]),
        "winter": (["A4", "C5", "E5", "C5", "D5", "F5", "E5", None], ["A2", "D3", "E3", "A2"]),
    }
    tune, bass = themes[name]
    lead = s.melody([(n, 1) for n in tune] * 2, TEMPO, "triangle", 0.3)
    low = s.melody([(n, 4) for n in bass], TEMPO, "sine", 0.35)
    return s.normalise(s.mix(lead, low), 0.7)


def jingle(tools, notes, shape="square", hold=3):
    s = tools.sound
    return s.normalise(s.melody([(n, 1) for n in notes] + [(notes[-1], hold)], 0.12, shape, 0.4), 0.8)


# The end signs start their jingle in every step of the last 3.5 units of their arrival (time scale
# 3, so 1.17 s) while it is not playing: a jingle that ended sooner would start a second time.
SIGN_JINGLE_HOLD = 7

# Entries that loop while their screen shows them: the four pieces of music and the pause music.
LOOPING = ("title", "beach", "grass", "winter", "pause")


def effect(tools, name, variant):
    s = tools.sound
    v = variant
    table = {
        "click": lambda: s.tone(1200, 0.05, "square", 0.5, slide=800),
        "bigtranq": lambda: s.mix(s.tone(300, 0.3, "saw", 0.5, slide=80), s.noise(0.2, 0.3, seed=2, lowpass=0.6)),
        "tranq": lambda: s.tone(500, 0.2, "saw", 0.5, slide=150),
        "bee": lambda: s.tone(180, 0.6, "saw", 0.4, vibrato=0.08),
        "carrot": lambda: s.tone(700, 0.12, "triangle", 0.6, slide=1100),
        "donk": lambda: s.tone(220, 0.15, "sine", 0.8, slide=160),
        "donk3": lambda: s.tone(330, 0.15, "sine", 0.8, slide=240),
        "beehit": lambda: s.mix(s.tone(260, 0.15, "saw", 0.4), s.noise(0.1, 0.3, seed=3)),
        "rockhit": lambda: s.noise(0.18, 0.7, seed=4, lowpass=0.8),
        "explosion": lambda: s.noise(0.5 + 0.05 * v, 0.8, seed=10 + v, lowpass=0.85 - 0.02 * v),
        "expl_blue": lambda: s.mix(s.noise(0.5, 0.7, seed=20, lowpass=0.8), s.tone(900, 0.4, "sine", 0.3, slide=300)),
        "expl_red": lambda: s.mix(s.noise(0.5, 0.8, seed=21, lowpass=0.9), s.tone(120, 0.4, "sine", 0.4, slide=50)),
        "descent": lambda: s.tone(600, 0.7, "triangle", 0.5, slide=120),
        "pop": lambda: s.tone(400, 0.07, "sine", 0.8, slide=900),
        "pop2": lambda: s.tone(500 + 120 * v, 0.07, "sine", 0.8, slide=1000 + 150 * v),
        "ramp": lambda: s.tone(200 + 40 * v, 0.18, "triangle", 0.6, slide=700 + 60 * v),
        "removeanimals": lambda: s.concat(*[s.tone(440 * 2 ** ((k * 2 + v) / 12), 0.06, "square", 0.35)
                                           for k in range(3 + v // 3)]),
        "rhino": lambda: s.tone(90, 0.4, "saw", 0.6, slide=60),
        "sign": lambda: s.noise(0.3, 0.4, seed=30, lowpass=0.5, attack=0.1),
        "whistle": lambda: s.tone(1500, 0.4, "sine", 0.5, slide=2200, vibrato=0.02),
        "flute": lambda: s.tone(660 + 110 * v, 0.3, "sine", 0.5, vibrato=0.01),
        "icebreak": lambda: s.mix(s.noise(0.25, 0.5, seed=40), s.tone(2400, 0.2, "triangle", 0.3, slide=1800)),
        "swirl": lambda: s.tone(300, 0.5, "sine", 0.5, slide=1200, vibrato=0.05),
        "bounce": lambda: s.tone(250, 0.15, "sine", 0.7, slide=500),
        "bounce2": lambda: s.tone(350, 0.12, "sine", 0.7, slide=700),
        "scratch": lambda: s.noise(0.12, 0.4, seed=50 + v, lowpass=0.3),
        "rattle": lambda: s.concat(*[s.noise(0.04, 0.5, seed=60 + k) + s.silence(0.03) for k in range(5)]),
        "airstrike": lambda: s.tone(1400, 0.8, "sine", 0.4, slide=300),
    }
    return s.normalise(table[name](), 0.8)


def voice(tools, words, pitch):
    return tools.sound.speak(words, pitch=pitch, speed=165)


# (node name, maker) in the order of the sound table.
def sound_table(tools):
    s = tools.sound
    rows = [(n, "ogg", lambda n=n: music(tools, n)) for n in ("title", "beach", "grass", "winter")]
    rows += [
        ("win", "ogg", lambda: jingle(tools, ["C5", "E5", "G5", "C6"], hold=SIGN_JINGLE_HOLD)),
        ("loser", "ogg", lambda: jingle(tools, ["G4", "F4", "E4", "C4"], "triangle", hold=SIGN_JINGLE_HOLD)),
        ("pause", "ogg", lambda: music(tools, "title")),
        ("fanfare", "ogg", lambda: jingle(tools, ["G4", "C5", "E5", "G5", "E5", "G5", "C6"])),
        ("click", "wav", lambda: effect(tools, "click", 0)),
    ]
    animals = {"ape1": ("oo oo", 30), "ape2": ("ah ah", 35), "frog1": ("ribbit", 20), "frog2": ("croak", 15),
               "lion1": ("roar", 10), "panda": ("mmm", 40), "rabbit": ("hip", 90), "snake1": ("sss", 60)}
    rows += [(n, "wav", lambda w=w, p=p: voice(tools, w, p)) for n, (w, p) in animals.items()]
    rows += [(n, "wav", lambda n=n: effect(tools, n, 0)) for n in ("bigtranq", "bee", "carrot", "donk3", "beehit",
                                                                  "rockhit")]
    rows += [(f"explosion{k}", "wav", lambda k=k: effect(tools, "explosion", k)) for k in range(1, 6)]
    rows += [(n, "wav", lambda n=n: effect(tools, n, 0)) for n in ("expl_blue", "expl_red", "descent", "pop")]
    rows += [(f"pop2_{k}", "wav", lambda k=k: effect(tools, "pop2", k)) for k in range(1, 5)]
    rows += [(f"ramp{k}", "wav", lambda k=k: effect(tools, "ramp", k)) for k in range(1, 5)]
    rows += [("removeanimals", "wav", lambda: effect(tools, "removeanimals", 0))]
    rows += [(f"removeanimals{k}", "wav", lambda k=k: effect(tools, "removeanimals", k)) for k in range(1, 11)]
    rows += [(n, "wav", lambda n=n: effect(tools, n, 0)) for n in ("rhino", "sign", "tranq", "whistle")]
    rows += [("jingle1", "ogg", lambda: jingle(tools, ["E5", "G5", "C6"])),
             ("jingle2", "ogg", lambda: jingle(tools, ["C5", "G5", "E6"])),
             ("jingle7", "wav", lambda: jingle(tools, ["A5", "E6"], "triangle"))]
    rows += [("flute1", "wav", lambda: effect(tools, "flute", 0)), ("flute2", "wav", lambda: effect(tools, "flute", 1)),
             ("flute_combo", "wav", lambda: effect(tools, "flute", 2))]
    rows += [(n, "wav", lambda n=n: effect(tools, n, 0)) for n in ("icebreak", "swirl", "bounce", "bounce2")]
    rows += [("scratch", "wav", lambda: effect(tools, "scratch", 0)),
             ("scratch2", "wav", lambda: effect(tools, "scratch", 1)),
             ("scratch3", "wav", lambda: effect(tools, "scratch", 2))]
    rows += [(n, "wav", lambda n=n: effect(tools, n, 0)) for n in ("rattle", "airstrike", "donk")]
    spoken = {"excellent": "excellent!", "yourock": "you rock!", "yourule": "you rule!", "zesty": "zesty!",
              "great": "great!", "wow": "wow!", "yihaa": "yee haa!", "ohnoes": "oh noes!", "uhoh": "uh oh!",
              "dontgiveup": "don't give up!", "toobad": "too bad!", "welcomeback": "welcome back!",
              "nice": "nice!", "hurryup": "hurry up!", "watchout": "watch out!"}
    rows += [(n, "wav", lambda w=w: voice(tools, w, 55)) for n, w in spoken.items()]
    assert len(rows) == 86, len(rows)
    return rows


def generate(out, source, tools):
    s = tools.sound
    resources, sounds = [], []
    for serial, (name, kind, make) in enumerate(sound_table(tools), 1):
        samples = make()
        file_name = f"snd_{name}.{kind}"
        if kind == "ogg":
            s.write_ogg(os.path.join(out, file_name), samples, serial=serial)
        else:
            s.write_wav(os.path.join(out, file_name), samples)
        resources.append(f'  <Resource id="snd_{name}" fileName="{file_name}"/>')
        # The timeline runs a little longer than the sound so that it is never cut.
        length = s.duration(samples) + 0.05
        loops = ' numberOfLoops="-1"' if name in LOOPING else ""
        sounds.append(f'    <Namespace id="{name}">\n'
                      f'      <Timeline id="timeline" startTime="0" endTime="{length:.3f}"{loops} autoRewind="true">\n'
                      f'        <Sound id="sound" soundResourceId="app_common:snd_{name}"/>\n'
                      f'        <AudioSequence id="sequence" soundIds="sound"/>\n'
                      f'      </Timeline>\n'
                      f'    </Namespace>')
    with open(os.path.join(out, "graph_sounds.xml"), "w", encoding="utf-8") as graph:
        graph.write('<Graph>\n  <Namespace id="sounds">\n' + "\n".join(sounds) + "\n  </Namespace>\n</Graph>\n")
    with open(os.path.join(out, "package.xml"), "w", encoding="utf-8") as description:
        description.write('<Package id="app_common">\n' + "\n".join(resources) + "\n"
                          '  <Resource id="graph_sounds" fileName="graph_sounds.xml"/>\n'
                          '  <Resource id="graph_particle" fileName="graph_particle.xml"/>\n'
                          '  <Resource id="graph_particles" fileName="graph_particles.xml"/>\n'
                          '  <Instance graphResourceId="graph_sounds" parentNodeId="root"/>\n'
                          '  <Instance graphResourceId="graph_particles" parentNodeId="root"/>\n'
                          '</Package>\n')
