#pragma once
// The small synthesiser the game's sounds are made with: oscillators, seeded noise, filters and
// envelopes working on float samples at one fixed rate. Everything is deterministic, so the generated
// sound archive has the same bytes on every build.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mv::synth {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<float>;

Samples silence(double seconds);
inline double timeOf(std::size_t i) {
  return static_cast<double>(i) / kRate;
}

// White noise from a fixed seed (xorshift), -1 .. 1.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  float next();

 private:
  uint32_t state_;
};

// A phase accumulator; frequency may change every sample, so sweeps stay continuous.
class Osc {
 public:
  float sine(double hz);
  float saw(double hz);
  float square(double hz, double duty = 0.5);
  float triangle(double hz);

 private:
  double advance(double hz);
  double phase_ = 0;
};

class LowPass {
 public:
  float step(float x, double cutoffHz);

 private:
  float y_ = 0;
};

class HighPass {
 public:
  float step(float x, double cutoffHz);

 private:
  float lastX_ = 0, y_ = 0;
};

// A resonant band-pass (constant peak gain), for formants and ringing metal.
class BandPass {
 public:
  float step(float x, double centreHz, double q);

 private:
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Envelopes, t in seconds from the start of the sound.
double decay(double t, double tau);                               // exp(-t / tau)
double attackDecay(double t, double attack, double tau);          // linear rise, then exponential fall
double sweep(double t, double duration, double from, double to);  // exponential glide

// A sum of inharmonic decaying partials: the ring of struck metal.
void addRing(Samples& out, double start, const std::vector<double>& partialsHz, double tau, double gain);

// A crude room: a few feedback delays mixed back in, so dry hits do not end abruptly.
void addEcho(Samples& out, double delaySeconds, double feedback, int taps);

void mixInto(Samples& out, const Samples& in, double start, double gain);

// How loud a sound seems: the loudest 50 ms, with the low end weighted down as the ear hears it (two
// first-order high passes at 150 Hz), in dB of full scale.
double loudnessDb(const Samples& s);

// Makes a sound ready for the archive: removes any offset from zero, brings it to the loudness asked
// for (saturating softly when the peak would pass the ceiling), fades it in and out so it starts and
// stops at rest, and converts it to 16 bits.
std::vector<int16_t> finish(Samples s, double targetDb, double fadeInSeconds = 0.003,
                            double fadeOutSeconds = 0.012);

}  // namespace mv::synth
