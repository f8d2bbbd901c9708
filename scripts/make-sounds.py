#!/usr/bin/env python3
"""Writes resources/snd1.wav ... snd4.wav: four short, clearly different cues.

1  rising two-note chirp      (done, switched on)
2  falling two-note chirp     (done the other way, switched off)
3  short soft tick            (small actions)
4  three-note start chime     (program start)
"""
import math
import os
import struct
import wave

RATE = 22050


def tone(freq_from, freq_to, seconds, volume=0.45, harmonics=(1.0, 0.3)):
    """A glide from one pitch to another with a short attack and release."""
    n = int(RATE * seconds)
    attack = int(RATE * 0.006)
    release = int(RATE * 0.04)
    out = []
    phase = 0.0
    for i in range(n):
        f = freq_from + (freq_to - freq_from) * i / max(1, n - 1)
        phase += 2 * math.pi * f / RATE
        v = sum(a * math.sin(k * phase) for k, a in enumerate(harmonics, start=1))
        env = 1.0
        if i < attack:
            env = i / attack
        elif i > n - release:
            env = max(0.0, (n - i) / release)
        out.append(v * env * volume / sum(harmonics))
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767))
                               for s in samples))


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    sounds = {
        "snd1.wav": tone(660, 660, 0.07) + silence(0.015) + tone(990, 990, 0.09),
        "snd2.wav": tone(880, 880, 0.07) + silence(0.015) + tone(587, 587, 0.09),
        "snd3.wav": tone(1400, 1100, 0.05, volume=0.35, harmonics=(1.0,)) + silence(0.05),
        "snd4.wav": (tone(523, 523, 0.08) + tone(659, 659, 0.08) + tone(784, 784, 0.14)),
    }
    for name, samples in sounds.items():
        write(os.path.join(res, name), samples)
        print(f"{name}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
