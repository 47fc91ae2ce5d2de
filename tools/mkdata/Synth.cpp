#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace mv::synth {

Samples silence(double seconds) {
  return Samples(static_cast<size_t>(seconds * kRate), 0.0f);
}

float Noise::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ / 2147483647.5 - 1.0);
}

double Osc::advance(double hz) {
  const double p = phase_;
  phase_ += hz / kRate;
  phase_ -= std::floor(phase_);
  return p;
}

float Osc::sine(double hz) {
  return static_cast<float>(std::sin(2 * kPi * advance(hz)));
}
float Osc::saw(double hz) {
  return static_cast<float>(2 * advance(hz) - 1);
}
float Osc::square(double hz, double duty) {
  return advance(hz) < duty ? 1.0f : -1.0f;
}
float Osc::triangle(double hz) {
  const double p = advance(hz);
  return static_cast<float>(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
}

float LowPass::step(float x, double cutoffHz) {
  const double a = 1 - std::exp(-2 * kPi * std::min(cutoffHz, kRate * 0.45) / kRate);
  y_ += static_cast<float>(a * (x - y_));
  return y_;
}

float HighPass::step(float x, double cutoffHz) {
  const double rc = 1 / (2 * kPi * cutoffHz);
  const double a = rc / (rc + 1.0 / kRate);
  y_ = static_cast<float>(a * (y_ + x - lastX_));
  lastX_ = x;
  return y_;
}

float BandPass::step(float x, double centreHz, double q) {
  const double w = 2 * kPi * std::min(centreHz, kRate * 0.45) / kRate;
  const double alpha = std::sin(w) / (2 * q);
  const double a0 = 1 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
  const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

double decay(double t, double tau) {
  return t < 0 ? 0 : std::exp(-t / tau);
}

double attackDecay(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

double sweep(double t, double duration, double from, double to) {
  const double k = std::clamp(t / duration, 0.0, 1.0);
  return from * std::pow(to / from, k);
}

void addRing(Samples& out, double start, const std::vector<double>& partialsHz, double tau, double gain) {
  const size_t first = static_cast<size_t>(start * kRate);
  for (size_t n = 0; n < partialsHz.size(); ++n) {
    // Higher partials die sooner, as they do in a struck bar.
    const double partialTau = tau / (1 + 0.6 * n);
    const double amp = gain / (1 + 0.5 * n);
    Osc osc;
    for (size_t i = first; i < out.size(); ++i) {
      const double t = timeOf(i - first);
      out[i] += static_cast<float>(amp * decay(t, partialTau) * osc.sine(partialsHz[n]));
    }
  }
}

void addEcho(Samples& out, double delaySeconds, double feedback, int taps) {
  const size_t delay = static_cast<size_t>(delaySeconds * kRate);
  if (delay == 0) return;
  for (int tap = 0; tap < taps; ++tap) {
    for (size_t i = out.size(); i-- > delay;) out[i] += static_cast<float>(feedback * out[i - delay]);
  }
}

void mixInto(Samples& out, const Samples& in, double start, double gain) {
  const size_t first = static_cast<size_t>(start * kRate);
  if (out.size() < first + in.size()) out.resize(first + in.size(), 0.0f);
  for (size_t i = 0; i < in.size(); ++i) out[first + i] += static_cast<float>(gain * in[i]);
}

double loudnessDb(const Samples& s) {
  const double a = 1 / (1 + 2 * kPi * 150 / kRate);
  double x1 = 0, y1 = 0, z1 = 0, y2 = 0;
  std::vector<double> weighted(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    y1 = a * (y1 + s[i] - x1);
    x1 = s[i];
    y2 = a * (y2 + y1 - z1);
    z1 = y1;
    weighted[i] = y2;
  }
  const size_t window = kRate / 20, hop = kRate / 200;
  double best = 0;
  for (size_t start = 0;; start += hop) {
    const size_t end = std::min(weighted.size(), start + window);
    double energy = 0;
    for (size_t i = start; i < end; ++i) energy += weighted[i] * weighted[i];
    best = std::max(best, energy / window);
    if (end == weighted.size()) break;
  }
  return best > 0 ? 10 * std::log10(best) : -200;
}

namespace {

// The highest a finished sample may reach: -2.2 dB, so one sound at full volume stays under the knee
// of the mixer's limiter and is played exactly as made.
constexpr double kCeiling = 0.78;
// Soft saturation may lift a sound by at most this much over its clean ceiling.
constexpr double kMaxDrive = 2.0;

Samples withoutOffset(Samples s) {
  // A DC blocker (a high pass near 8 Hz), then whatever mean is left.
  const double r = 1 - 2 * kPi * 8 / kRate;
  double x1 = 0, y1 = 0, sum = 0;
  for (float& v : s) {
    const double y = v - x1 + r * y1;
    x1 = v;
    y1 = y;
    v = static_cast<float>(y);
    sum += y;
  }
  const float mean = s.empty() ? 0.0f : static_cast<float>(sum / s.size());
  for (float& v : s) v -= mean;
  return s;
}

Samples driven(const Samples& s, double gain) {
  Samples out(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<float>(kCeiling * std::tanh(gain * s[i] / kCeiling));
  return out;
}

}  // namespace

std::vector<int16_t> finish(Samples s, double targetDb, double fadeInSeconds, double fadeOutSeconds) {
  s = withoutOffset(std::move(s));
  float top = 0;
  for (float v : s) top = std::max(top, std::fabs(v));
  if (top > 0) {
    const double gain = std::pow(10.0, (targetDb - loudnessDb(s)) / 20);
    if (gain * top <= kCeiling) {
      for (float& v : s) v = static_cast<float>(v * gain);
    } else {
      // Too quiet for its peaks: drive it into a soft curve, as hard as the target needs and no harder.
      double lo = kCeiling / top * 0.5, hi = kCeiling / top * kMaxDrive;
      for (int step = 0; step < 24; ++step) {
        const double mid = (lo + hi) / 2;
        (loudnessDb(driven(s, mid)) < targetDb ? lo : hi) = mid;
      }
      s = driven(s, lo);
    }
  }
  // Raised-cosine fades, then the offset the fades made is taken out under the same envelope, so the
  // ends stay at zero.
  const size_t n = s.size();
  const size_t in = std::min(n / 2, static_cast<size_t>(fadeInSeconds * kRate));
  const size_t out = std::min(n / 2, static_cast<size_t>(fadeOutSeconds * kRate));
  std::vector<double> envelope(n, 1.0);
  for (size_t i = 0; i < in; ++i) envelope[i] = 0.5 - 0.5 * std::cos(kPi * i / in);
  for (size_t i = 0; i < out; ++i)
    envelope[n - 1 - i] = std::min(envelope[n - 1 - i], 0.5 - 0.5 * std::cos(kPi * i / out));
  double sum = 0, weight = 0;
  for (size_t i = 0; i < n; ++i) {
    sum += s[i] * envelope[i];
    weight += envelope[i];
  }
  const double mean = n ? sum / n : 0;
  std::vector<int16_t> pcm(n);
  for (size_t i = 0; i < n; ++i) {
    const double v = s[i] * envelope[i] - (weight > 0 ? mean * n / weight : 0) * envelope[i];
    pcm[i] = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
  }
  return pcm;
}

}  // namespace mv::synth
