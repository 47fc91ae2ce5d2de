#include "SynthVoices.h"

#include <cmath>
#include <functional>

#include "Synth.h"

namespace mv::synth {
namespace {

Samples render(double seconds, const std::function<float(double)>& f) {
  Samples s = silence(seconds);
  for (size_t i = 0; i < s.size(); ++i) s[i] = f(timeOf(i));
  return s;
}

// --- weapons ---------------------------------------------------------------------------------------

Samples laserZap() {
  Osc a, b, vib;
  LowPass lp;
  HighPass hp;  // an uneven square leans to one side; the high pass centres it while it sounds
  return render(0.36, [&](double t) {
    const double f = sweep(t, 0.16, 2400, 260);
    const double fm = 1 + 0.08 * vib.sine(55);
    const double v = 0.6 * a.square(f * fm, 0.3) + 0.4 * b.saw(f * 1.503);
    return hp.step(lp.step(static_cast<float>(v), 6000), 120) *
           static_cast<float>(attackDecay(t, 0.004, 0.06));
  });
}

Samples rifleCrack() {
  Noise n(101);
  HighPass hp;
  LowPass body, tail;
  Osc thump;
  Samples s = render(0.85, [&](double t) {
    const float x = n.next();
    const double crack = hp.step(x, 2500) * attackDecay(t, 0.0008, 0.012);
    const double boom = body.step(x, 900) * attackDecay(t, 0.002, 0.08) * 1.6;
    const double low = thump.sine(sweep(t, 0.1, 140, 55)) * attackDecay(t, 0.002, 0.07);
    const double rumble = tail.step(x, 400) * decay(t, 0.13) * 0.8;
    return static_cast<float>(crack + boom + 0.8 * low + rumble);
  });
  addEcho(s, 0.071, 0.25, 2);
  return s;
}

Samples shotgunBlast() {
  Noise n(202);
  LowPass lp, lp2;
  Osc thump;
  Samples s = render(0.95, [&](double t) {
    const float x = n.next();
    const double blast = lp.step(x, sweep(t, 0.3, 5000, 500)) * attackDecay(t, 0.002, 0.11) * 2.2;
    const double low = thump.sine(sweep(t, 0.15, 110, 40)) * attackDecay(t, 0.003, 0.12);
    const double tail = lp2.step(x, 300) * decay(t, 0.17) * 1.5;
    return static_cast<float>(blast + low + tail);
  });
  // The pump: two dry clicks after the blast.
  Noise c(203);
  HighPass chp;
  for (double at : {0.48, 0.58}) {
    Samples click = render(
        0.04, [&](double t) { return chp.step(c.next(), 1800) * static_cast<float>(decay(t, 0.006)); });
    mixInto(s, click, at, 0.5);
  }
  return s;
}

Samples rocketLaunch(double seconds, double lowHz, uint32_t seed) {
  Noise n(seed);
  BandPass bp;
  LowPass lp;
  HighPass hp;
  Osc thump;
  return render(seconds * 1.75, [&](double t) {
    const float x = n.next();
    // The ignition's crack and the rising whoosh carry it through the fight; the roar below is felt more
    // than heard.
    const double crack = hp.step(x, 1800) * attackDecay(t, 0.001, 0.02) * 1.2;
    const double whoosh =
        bp.step(x, sweep(t, seconds, 500, 2200), 1.8) * attackDecay(t, 0.05, seconds * 0.26);
    const double kick = thump.sine(sweep(t, 0.2, lowHz * 2, lowHz)) * attackDecay(t, 0.003, 0.1);
    const double roar = lp.step(x, 250) * attackDecay(t, 0.02, seconds * 0.22);
    return static_cast<float>(crack + 3 * whoosh + 0.6 * kick + roar);
  });
}

Samples flakChunk() {
  Noise n(505);
  LowPass lp;
  Osc thump;
  Samples s = render(0.45, [&](double t) {
    const float x = n.next();
    const double blast = lp.step(x, 2200) * attackDecay(t, 0.001, 0.05) * 1.8;
    const double low = thump.square(sweep(t, 0.08, 180, 60), 0.4) * attackDecay(t, 0.001, 0.04) * 0.5;
    return static_cast<float>(blast + low);
  });
  addRing(s, 0.0, {410, 1130, 1870}, 0.09, 0.35);
  return s;
}

Samples discThwip() {
  Osc a, b;
  Noise n(606);
  HighPass hp;
  return render(0.45, [&](double t) {
    const double f = sweep(t, 0.12, 300, 1500);
    const double tone = (a.sine(f) + 0.3 * b.triangle(f * 2.01)) * attackDecay(t, 0.01, 0.07);
    const double air = hp.step(n.next(), 3000) * attackDecay(t, 0.02, 0.05) * 0.6;
    return static_cast<float>(tone + air);
  });
}

Samples minigunTick() {
  Noise n(707);
  HighPass hp;
  LowPass lp;
  Osc thump;
  return render(0.18, [&](double t) {
    const float x = n.next();
    const double crack = hp.step(x, 1500) * decay(t, 0.008);
    const double body = lp.step(x, 1200) * decay(t, 0.025) * 1.5;
    const double low = thump.sine(sweep(t, 0.05, 160, 80)) * decay(t, 0.02) * 0.7;
    return static_cast<float>(crack + body + low);
  });
}

// --- pick-ups, talk and respawn ---------------------------------------------------------------------

// Bell-like notes: a sine with a quiet octave and a soft attack.
Samples chime(const std::vector<double>& notesHz, double spacing, double tau) {
  Samples s = silence(spacing * notesHz.size() + tau * 4);
  for (size_t k = 0; k < notesHz.size(); ++k) {
    Osc a, b;
    Samples note = render(tau * 4, [&](double t) {
      const double f = notesHz[k];
      return static_cast<float>((a.sine(f) + 0.25 * b.sine(f * 2)) * attackDecay(t, 0.005, tau));
    });
    mixInto(s, note, spacing * k, 1.0);
  }
  return s;
}

Samples armorClank() {
  Noise n(808);
  LowPass lp;
  Osc low;
  Samples s = render(0.75, [&](double t) {
    return static_cast<float>(lp.step(n.next(), 1500) * decay(t, 0.02) * 1.5 +
                              low.sine(sweep(t, 0.2, 220, 110)) * attackDecay(t, 0.005, 0.15) * 0.7);
  });
  addRing(s, 0.0, {523, 1391, 2243, 3305}, 0.12, 0.35);
  addRing(s, 0.09, {587, 1562, 2519}, 0.1, 0.25);
  return s;
}

Samples click(uint32_t seed, double seconds, double hpHz) {
  Noise n(seed);
  HighPass hp;
  return render(seconds,
                [&](double t) { return hp.step(n.next(), hpHz) * static_cast<float>(decay(t, 0.008)); });
}

Samples weaponCock() {
  Samples s = silence(0.55);
  mixInto(s, click(909, 0.06, 1200), 0.0, 1.0);
  mixInto(s, click(910, 0.06, 2000), 0.13, 0.8);
  addRing(s, 0.13, {1800, 2950}, 0.03, 0.2);
  mixInto(s, chime({880}, 0.0, 0.06), 0.2, 0.3);
  return s;
}

Samples ammoClicks() {
  Samples s = silence(0.28);
  mixInto(s, click(1001, 0.05, 1500), 0.0, 1.0);
  mixInto(s, click(1002, 0.05, 2500), 0.07, 0.9);
  addRing(s, 0.07, {2100}, 0.03, 0.15);
  return s;
}

// Two short notes, a fourth apart. Each rises and dies away under an envelope of its own and the two
// overlap, so nothing gates a note off mid-wave (which clicks).
Samples talkChirp() {
  Osc a, b;
  LowPass lp;
  return render(0.34, [&](double t) {
    const double first = a.square(1320, 0.25) * attackDecay(t, 0.004, 0.025);
    const double second = b.square(1760, 0.25) * attackDecay(t - 0.08, 0.004, 0.035);
    return lp.step(static_cast<float>(first + second), 5000);
  });
}

Samples respawnShimmer() {
  Osc a, b, c;
  Noise n(1111);
  BandPass bp;
  Samples s = render(1.15, [&](double t) {
    const double f = sweep(t, 0.5, 300, 1400);
    const double env = attackDecay(t, 0.15, 0.14);
    const double tone = a.sine(f) + 0.5 * b.sine(f * 1.5) + 0.3 * c.triangle(f * 2.0);
    const double air = bp.step(n.next(), f * 2, 4) * 1.2;
    return static_cast<float>((tone + air) * env);
  });
  addEcho(s, 0.09, 0.3, 2);
  return s;
}

// --- hits, ricochets and explosions -----------------------------------------------------------------

// Three ricochets that do not sound alike: the long whine of a bullet tumbling away, the short "tink"
// of a glancing blow on plate, and a whizz that flies past and out of earshot.
Samples ricochetWhine(uint32_t seed) {
  Noise n(seed);
  HighPass hp;
  Osc a, b, vib;
  return render(0.6, [&](double t) {
    const double f = sweep(t, 0.45, 3400, 1250) * (1 + 0.025 * vib.sine(23));
    const double ping = (a.sine(f) + 0.3 * b.sine(f * 2.02)) * attackDecay(t, 0.003, 0.09);
    const double hit = hp.step(n.next(), 2500) * decay(t, 0.005) * 1.5;
    return static_cast<float>(ping + hit);
  });
}

Samples ricochetTink(uint32_t seed) {
  Noise n(seed);
  HighPass hp;
  Samples s = render(
      0.3, [&](double t) { return static_cast<float>(hp.step(n.next(), 4000) * decay(t, 0.003) * 2); });
  addRing(s, 0.0, {2210, 3480, 5130, 6020}, 0.045, 0.6);
  return s;
}

Samples ricochetWhizz(uint32_t seed) {
  Noise n(seed);
  BandPass bp;
  HighPass hp;
  Osc a;
  return render(0.5, [&](double t) {
    const float x = n.next();
    // Rising as it comes off the wall, falling as it flies away.
    const double f = t < 0.06 ? sweep(t, 0.06, 1800, 4200) : sweep(t - 0.06, 0.25, 4200, 2000);
    const double air = bp.step(x, f, 6) * attackDecay(t, 0.03, 0.07) * 3;
    const double whistle = a.triangle(f * 0.5) * attackDecay(t, 0.04, 0.06) * 0.35;
    const double hit = hp.step(x, 3000) * decay(t, 0.004);
    return static_cast<float>(air + whistle + hit);
  });
}

// A wet impact into flesh: a dull low thud, a gurgle of resonant noise that wobbles.
Samples squelch(uint32_t seed, double seconds, double wobbleHz, double thudHz) {
  Noise n(seed);
  BandPass bp;
  LowPass lp;
  Osc wob, thud;
  return render(seconds + 0.14, [&](double t) {
    const float x = n.next();
    const double centre = 380 + 260 * wob.sine(wobbleHz);
    const double wet = bp.step(x, centre, 5) * attackDecay(t, 0.004, seconds * 0.18) * 2.5;
    const double low = thud.sine(sweep(t, 0.08, thudHz, thudHz * 0.5)) * attackDecay(t, 0.002, 0.05);
    const double slap = lp.step(x, 2000) * decay(t, 0.01);
    return static_cast<float>(wet + low + slap);
  });
}

Samples discRico() {
  Noise n(1212);
  HighPass hp;
  Osc a, b;
  Samples s = render(0.55, [&](double t) {
    const double f = sweep(t, 0.3, 2600, 2400);
    const double ping = (a.sine(f) + 0.35 * b.sine(f * 2.76)) * attackDecay(t, 0.002, 0.08);
    const double hit = hp.step(n.next(), 2500) * decay(t, 0.006) * 1.5;
    return static_cast<float>(ping + hit);
  });
  addRing(s, 0.0, {3520, 3561, 5210}, 0.09, 0.4);  // close pair of partials: a shimmering "tang"
  return s;
}

Samples explosion() {
  Noise n(1313);
  LowPass lp, lp2;
  HighPass hp;
  Osc sub;
  Samples s = render(1.9, [&](double t) {
    const float x = n.next();
    const double crack = hp.step(x, 1500) * decay(t, 0.02) * 0.8;
    const double body = lp.step(x, sweep(t, 0.8, 3000, 180)) * attackDecay(t, 0.004, 0.22) * 2.5;
    const double rumble = lp2.step(x, 120) * attackDecay(t, 0.03, 0.34) * 6;
    const double low = sub.sine(sweep(t, 0.5, 90, 32)) * attackDecay(t, 0.005, 0.28);
    return static_cast<float>(crack + body + rumble + low);
  });
  addEcho(s, 0.11, 0.2, 2);
  return s;
}

// A groan: a falling, wavering pitch through three vowel formants.
Samples groan(double fromHz, double toHz, double seconds, std::vector<double> formants, uint32_t seed) {
  Osc voice, vib;
  Noise breath(seed);
  BandPass f1, f2, f3;
  return render(seconds * 1.4, [&](double t) {
    const double pitch = sweep(t, seconds, fromHz, toHz) * (1 + 0.03 * vib.sine(6.5));
    const double src = voice.saw(pitch) + 0.15 * breath.next();
    const double v = f1.step(static_cast<float>(src), formants[0], 6) +
                     0.6 * f2.step(static_cast<float>(src), formants[1], 8) +
                     0.3 * f3.step(static_cast<float>(src), formants[2], 10);
    return static_cast<float>(v * attackDecay(t, 0.03, seconds * 0.24));
  });
}

Samples headCut() {
  Noise n(1414);
  HighPass hp;
  Samples s = render(0.5, [&](double t) {
    const double swish = hp.step(n.next(), sweep(t, 0.15, 6000, 1500)) * attackDecay(t, 0.05, 0.04) * 1.3;
    return static_cast<float>(swish);
  });
  mixInto(s, squelch(1415, 0.35, 23, 120), 0.1, 1.0);
  return s;
}

Samples headSmack() {
  Noise n(1515);
  LowPass lp;
  Osc thud;
  Samples s = render(0.4, [&](double t) {
    const double knock = thud.sine(sweep(t, 0.06, 220, 70)) * attackDecay(t, 0.001, 0.06) * 1.4;
    const double crunch = lp.step(n.next(), 3500) * decay(t, 0.03) * 1.3;
    return static_cast<float>(knock + crunch);
  });
  mixInto(s, squelch(1516, 0.25, 31, 100), 0.03, 0.6);
  return s;
}

// The announcer's stinger: two bold brass hits, the second a fifth higher and held, over a falling boom.
Samples headshotStinger() {
  Samples s = silence(1.6);
  // A note rings on after `seconds` until it has died away.
  auto brass = [](double rootHz, double seconds) {
    Osc o1, o2, o3, o4;
    LowPass lp;
    return render(seconds * 2, [&](double t) {
      const double v =
          o1.saw(rootHz) + o2.saw(rootHz * 1.006) + o3.saw(rootHz * 1.5) + 0.7 * o4.saw(rootHz * 2);
      const double bright = 400 + 3500 * attackDecay(t, 0.02, 0.15);
      return static_cast<float>(lp.step(static_cast<float>(v), bright) * attackDecay(t, 0.01, seconds * 0.3));
    });
  };
  mixInto(s, brass(196, 0.18), 0.0, 1.0);
  mixInto(s, brass(294, 0.6), 0.2, 1.0);
  Osc sub;
  Samples boom = render(1.1, [&](double t) {
    return static_cast<float>(sub.sine(sweep(t, 0.6, 110, 40)) * attackDecay(t, 0.01, 0.2));
  });
  mixInto(s, boom, 0.2, 0.9);
  addEcho(s, 0.13, 0.22, 2);
  return s;
}

Samples smackDown() {
  Noise n(1616);
  LowPass lp;
  Osc sub;
  Samples s = render(1.0, [&](double t) {
    const double boom = sub.sine(sweep(t, 0.3, 120, 38)) * attackDecay(t, 0.003, 0.16) * 1.2;
    const double splat = lp.step(n.next(), sweep(t, 0.2, 5000, 400)) * attackDecay(t, 0.002, 0.08) * 2;
    return static_cast<float>(boom + splat);
  });
  mixInto(s, squelch(1617, 0.6, 17, 90), 0.02, 1.0);
  mixInto(s, squelch(1618, 0.4, 27, 150), 0.15, 0.6);
  return s;
}

// Loudness is set by how a sound is met in a fight (dB of full scale as loudnessDb measures it): the
// blasts that matter most and come seldom are loudest; what repeats many times a second (the minigun,
// the energy gun, ricochets, hits, a rocket's flight) sits lower, so a busy fight does not become a wall
// of noise; pick-ups are clear but below the guns; chat is a small chirp.
Voice voice(const char* name, int32_t maxPlaying, Samples s, double loudness) {
  return Voice{name, false, maxPlaying, finish(std::move(s), loudness)};
}

}  // namespace

std::vector<Voice> gameVoices() {
  std::vector<Voice> v;
  // Rapid-fire weapons need more simultaneous voices than slow ones; the count caps the cut-off of
  // the oldest play (the energy gun fires every 150..190 ms, the minigun down to every 97 ms).
  v.push_back(voice("Weapon0", 4, laserZap(), -17));
  v.push_back(voice("Weapon1", 2, rifleCrack(), -13));
  v.push_back(voice("Weapon2", 2, shotgunBlast(), -12));
  v.push_back(voice("Weapon3", 3, rocketLaunch(0.7, 55, 303), -12));
  v.push_back(voice("Weapon4", 2, rocketLaunch(1.1, 38, 404), -12));
  v.push_back(voice("Weapon5", 3, flakChunk(), -13));
  v.push_back(voice("Weapon6", 3, discThwip(), -16));
  v.push_back(voice("Weapon7", 6, minigunTick(), -19));
  v.push_back(voice("Talk", 1, talkChirp(), -21));
  v.push_back(voice("Respawn", 3, respawnShimmer(), -17));
  v.push_back(voice("Health25", 2, chime({784, 1047}, 0.07, 0.12), -17));
  v.push_back(voice("MegaHealth", 1, chime({523, 659, 784, 1047, 1319}, 0.06, 0.2), -14));
  v.push_back(voice("ArmorGet", 2, armorClank(), -16));
  v.push_back(voice("WeaponGet", 2, weaponCock(), -15));
  v.push_back(voice("AmmoGet", 2, ammoClicks(), -19));
  // Played every 300 ms while a rocket flies, so each one is a little over that and fades at both ends;
  // the quietest of all, a hum under the fight.
  // The hum rises and falls within 310 ms and is silent for the last 50, so the next play, 300 ms on,
  // overlaps it a little and no play is ever cut off.
  v.push_back(voice(
      "RocketFly", 4,
      [] {
        Noise n(1717);
        BandPass bp;
        Osc wob;
        return render(0.36, [&](double t) {
          const double env = t < 0.31 ? std::pow(std::sin(kPi * t / 0.31), 1.5) : 0.0;
          return static_cast<float>(bp.step(n.next(), 900 + 300 * wob.sine(9), 2.5) * env);
        });
      }(),
      -25));
  v.push_back(voice("Ricoshet1", 3, ricochetWhine(1801), -20));
  v.push_back(voice("Ricoshet2", 3, ricochetTink(1802), -20));
  v.push_back(voice("Ricoshet3", 3, ricochetWhizz(1803), -20));
  v.push_back(voice("BulletAttack1", 3, squelch(1901, 0.2, 19, 150), -18));
  v.push_back(voice("BulletAttack2", 3, squelch(1902, 0.18, 29, 120), -18));
  v.push_back(voice("BulletAttack3", 3, squelch(1903, 0.22, 13, 180), -18));
  v.push_back(voice("DiscRico", 3, discRico(), -18));
  v.push_back(voice("Explode", 4, explosion(), -10));
  v.push_back(voice("Death1", 2, groan(180, 90, 0.7, {730, 1090, 2440}, 2001), -14));   // "ah"
  v.push_back(voice("Death2", 2, groan(230, 110, 0.55, {570, 840, 2410}, 2002), -14));  // "aw"
  v.push_back(voice("Death3", 2, groan(150, 70, 0.85, {300, 870, 2240}, 2003), -14));   // "oo"
  v.push_back(voice("HeadCut", 2, headCut(), -14));
  v.push_back(voice("Headsmack", 2, headSmack(), -15));
  v.push_back(voice("Headshot", 1, headshotStinger(), -12));
  v.push_back(voice("SmackDown", 2, smackDown(), -12));
  return v;
}

}  // namespace mv::synth
