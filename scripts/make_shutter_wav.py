#!/usr/bin/env python3
"""Makes resources/Shutter.wav: a short camera-shutter click of our own.

A burst of filtered noise with a fast decay (the shutter opening), then a
second, softer click 60 ms later (the shutter closing). 44.1 kHz, 16-bit
mono, 0.15 s. Deterministic: the same file every run.
"""
import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 44100
LENGTH = 0.15


def click(t, start, level, decay, tone):
    """One click: noise with a sharp attack and an exponential tail, plus a
    short body tone so that it sounds mechanical rather than like hiss."""
    if t < start:
        return 0.0
    dt = t - start
    envelope = level * math.exp(-dt / decay) * min(1.0, dt / 0.0004)
    return envelope * (0.8 * random.uniform(-1.0, 1.0) + 0.35 * math.sin(2 * math.pi * tone * dt))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "Shutter.wav"
    random.seed(1996)
    frames = bytearray()
    smoothed = 0.0
    count = int(RATE * LENGTH)
    for i in range(count):
        t = i / RATE
        raw = click(t, 0.0, 0.9, 0.008, 2300.0) + click(t, 0.060, 0.45, 0.012, 1500.0)
        # A one-pole low-pass takes the harsh top off the noise.
        smoothed += 0.55 * (raw - smoothed)
        fade = min(1.0, (count - i) / (0.01 * RATE))  # no click at the very end
        sample = max(-1.0, min(1.0, smoothed * fade))
        frames += struct.pack("<h", int(round(sample * 32000)))
    with wave.open(str(out), "wb") as wav:
        wav.setnchannels(1)
        wav.setsampwidth(2)
        wav.setframerate(RATE)
        wav.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
