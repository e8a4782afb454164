// What a round of the witness search found, as one value: the search loop
// acts on it and reports it, in one place each (SolveFewestLights).
#pragma once

#include <optional>
#include <variant>

// Nothing new: the round's next step may go on.
struct TNothingNew {};
// The lower bound rose.
struct TBoundRose {};
// A full cover of fewer lights is the best; dark is what it leaves dark
// (within the clipper's rounding, square cells).
struct TBetterCover {
  long double dark = 0;
};
// Witnesses or active rows joined, which the next round must take in;
// dark is what the choice that brought them left dark, where one did.
struct TRowsJoined {
  std::optional<long double> dark;
};
// The search ends: the deadline, a failure of the library or a stall (the
// solve's result says which); dark as for TRowsJoined.
struct TSearchEnds {
  std::optional<long double> dark;
};

using TRoundOutcome = std::variant<TNothingNew, TBoundRose, TBetterCover, TRowsJoined, TSearchEnds>;

template <class T>
bool Is(const TRoundOutcome& outcome) {
  return std::holds_alternative<T>(outcome);
}

// The dark area that the round's choice left, where the round chose one.
inline std::optional<long double> DarkOf(const TRoundOutcome& outcome) {
  if (const auto* better = std::get_if<TBetterCover>(&outcome)) return better->dark;
  if (const auto* joined = std::get_if<TRowsJoined>(&outcome)) return joined->dark;
  if (const auto* ends = std::get_if<TSearchEnds>(&outcome)) return ends->dark;
  return std::nullopt;
}
