"""Sounds: short effects synthesised from envelopes over tones and noise, words spoken with
espeak-ng, music loops sequenced from notes. Written as 16-bit mono WAV, or as Ogg Vorbis
through oggenc with a fixed stream serial so that the bytes repeat from build to build."""

import math
import os
import random
import struct
import subprocess
import tempfile

RATE = 22050


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def envelope(n, attack=0.005, release=0.05, hold=None):
    """Linear attack, then hold, then exponential-looking release over n samples."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    out = []
    for i in range(n):
        if i < a:
            out.append(i / a)
        elif i >= n - r:
            out.append(max(0.0, (n - i) / r) ** 2)
        else:
            out.append(1.0)
    return out


def tone(freq, seconds, shape="sine", volume=0.6, slide=None, vibrato=0.0, attack=0.005, release=None):
    """A tone; slide gives the end frequency of a linear glide."""
    n = int(seconds * RATE)
    env = envelope(n, attack, release if release is not None else seconds * 0.6)
    out, phase = [], 0.0
    for i in range(n):
        t = i / n
        f = freq + ((slide - freq) * t if slide is not None else 0.0)
        f *= 1.0 + vibrato * math.sin(2 * math.pi * 6 * i / RATE)
        phase += f / RATE
        p = phase % 1.0
        if shape == "sine":
            v = math.sin(2 * math.pi * p)
        elif shape == "square":
            v = 1.0 if p < 0.5 else -1.0
            v *= 0.5
        elif shape == "triangle":
            v = 4 * abs(p - 0.5) - 1
        else:  # saw
            v = (2 * p - 1) * 0.6
        out.append(v * env[i] * volume)
    return out


def noise(seconds, volume=0.5, seed=1, lowpass=0.0, attack=0.002, release=None):
    """White noise; lowpass in 0..1 smooths it (1-pole filter) towards a rumble."""
    rng = random.Random(seed)
    n = int(seconds * RATE)
    env = envelope(n, attack, release if release is not None else seconds * 0.9)
    out, last = [], 0.0
    for i in range(n):
        v = rng.uniform(-1, 1)
        last = last * lowpass + v * (1 - lowpass)
        out.append(last * env[i] * volume * (1 + 2 * lowpass))
    return out


def mix(*tracks, offsets=None):
    offsets = offsets or [0.0] * len(tracks)
    length = max(int(o * RATE) + len(t) for t, o in zip(tracks, offsets))
    out = [0.0] * length
    for track, offset in zip(tracks, offsets):
        start = int(offset * RATE)
        for i, v in enumerate(track):
            out[start + i] += v
    return out


def concat(*tracks):
    out = []
    for t in tracks:
        out.extend(t)
    return out


def note_frequency(name):
    """'A4', 'C#5', 'Eb3' -> Hz."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]]
    rest = name[1:]
    if rest and rest[0] in "#b":
        semis += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 440.0 * 2 ** ((semis + (int(rest) - 4) * 12) / 12)


def melody(notes, beat, shape="triangle", volume=0.35):
    """notes: (name or None for a rest, beats) pairs."""
    out = []
    for name, beats in notes:
        seconds = beats * beat
        if name is None:
            out.extend(silence(seconds))
        else:
            out.extend(tone(note_frequency(name), seconds, shape, volume, attack=0.01, release=seconds * 0.5))
    return out


def normalise(samples, peak=0.85):
    top = max((abs(v) for v in samples), default=0.0)
    if top == 0:
        return samples
    return [v * peak / top for v in samples]


def wav_bytes(samples):
    pcm = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(pcm)) + pcm
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_wav(path, samples):
    with open(path, "wb") as out:
        out.write(wav_bytes(samples))


def write_ogg(path, samples, quality=1, serial=1):
    """Ogg Vorbis through oggenc; the fixed serial keeps the file byte-identical."""
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "in.wav")
        write_wav(source, samples)
        subprocess.run(["oggenc", "-Q", "-q", str(quality), "-s", str(serial), "--discard-comments", "-o", path,
                        source], check=True)


def speak(text, pitch=60, speed=150, voice="en", volume=0.9):
    """Samples of the words spoken by espeak-ng, resampled to RATE with sox."""
    with tempfile.TemporaryDirectory() as folder:
        spoken = os.path.join(folder, "spoken.wav")
        resampled = os.path.join(folder, "out.raw")
        subprocess.run(["espeak-ng", "-v", voice, "-p", str(pitch), "-s", str(speed), "-w", spoken, text], check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["sox", spoken, "-r", str(RATE), "-c", "1", "-b", "16", "-e", "signed-integer", "-t", "raw",
                        resampled, "silence", "1", "0.01", "0.5%", "reverse", "silence", "1", "0.01", "0.5%",
                        "reverse"], check=True)
        with open(resampled, "rb") as raw:
            data = raw.read()
    samples = [v / 32768 for (v,) in struct.iter_unpack("<h", data[: len(data) // 2 * 2])]
    return normalise(samples, volume)


def duration(samples):
    return len(samples) / RATE
