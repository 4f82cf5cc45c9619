#pragma once
#include <chrono>
#include <cstdio>
#include <cstdlib>
inline void PhaseMark(const char* what) {
  static const bool on = std::getenv("QPHASE") != nullptr;
  if (!on) return;
  using C = std::chrono::steady_clock;
  static C::time_point last = C::now();
  const auto now = C::now();
  std::fprintf(stderr, "%-30s %7.2f ms\n", what, std::chrono::duration<double, std::milli>(now - last).count());
  last = now;
}
