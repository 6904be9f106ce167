// The sound of a stone put down, and of stones taken off, made on the spot
// with the browser's audio: no files to load. The browser lets a page make
// sound only after the person has done something on it; the sound is off
// until the person turns it on, which is such a thing.

let context = null;

function audio() {
  context ??= new AudioContext();
  if (context.state === "suspended") context.resume();
  return context;
}

// A short knock: a tone that falls quickly in pitch and loudness.
function knock(at, frequency, loudness) {
  const sound = audio();
  const tone = sound.createOscillator();
  const gain = sound.createGain();
  tone.type = "triangle";
  tone.frequency.setValueAtTime(frequency, at);
  tone.frequency.exponentialRampToValueAtTime(frequency / 2, at + 0.08);
  gain.gain.setValueAtTime(loudness, at);
  gain.gain.exponentialRampToValueAtTime(0.001, at + 0.12);
  tone.connect(gain).connect(sound.destination);
  tone.start(at);
  tone.stop(at + 0.13);
}

// "stone" or "capture": a capture knocks, then clicks as the stones go.
export function play(kind) {
  try {
    const now = audio().currentTime;
    knock(now, 220, 0.5);
    if (kind === "capture") {
      knock(now + 0.09, 660, 0.25);
      knock(now + 0.16, 880, 0.2);
    }
  } catch {
    // Without audio the game goes on silently.
  }
}

// Called when the person turns the sound on, so that the browser allows it.
export function allow() {
  try {
    audio();
  } catch {
    // As above.
  }
}
