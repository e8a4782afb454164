// The solve of the level as it stands, beside the window: glowmere-solve in
// a child process, as a chess program runs its engine. The level goes to
// the child's standard input (--map -), its progress comes back one line a
// round (--machine), and nothing else is shared: the window draws while the
// child searches, and a crash of the child is a failed solve, never a
// failed editor.
//
// A new request stops the solve under way (SIGTERM, which ends it within a
// fraction of a second with what it knows; SIGKILL if it does not) and then
// starts the new one warm: from the last best cover (--start) and from the
// witnesses the stopped solve knew, less those near the changed cells
// (--witnesses). A child dies with the editor (PR_SET_PDEATHSIG).
#pragma once

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/CellRect.h"
#include "editor/SolveProtocol.h"

class TBackgroundSolve : public QObject {
  Q_OBJECT
 public:
  // program: the solver's path; empty: none, and nothing is ever solved.
  explicit TBackgroundSolve(const std::string& program, QObject* parent = nullptr);
  ~TBackgroundSolve() override;

  bool Available() const { return !program_.empty(); }
  // Solves mapText, the level at `revision` (the edit session's count),
  // starting from startLights; changed: the cells changed since the solve
  // before, whose nearby witnesses are dropped.
  void Solve(int64_t revision, const std::string& mapText, const std::vector<TGridPoint>& startLights,
             const TCellRect& changed);
  // Stops the solve under way; nothing more is reported of it.
  void Stop();
  bool Running() const { return child_ != nullptr; }

  // A progress line of the solve of `revision`.
  std::function<void(int64_t revision, const TSolveProgressLine& line)> OnProgress;
  // The solve of `revision` ended by itself: its result line (none when it
  // gave none), and whether it failed (a crash, an exit status other than 0).
  std::function<void(int64_t revision, const std::optional<TSolveFigures>& result, bool failed)> OnFinished;

  // How long a stopped child has to end before it is killed.
  static constexpr int StopGraceMs = 250;

 private:
  struct TRequest {
    int64_t revision = 0;
    std::string mapText;
    std::vector<TGridPoint> startLights;
    TCellRect changed;
  };

  void Launch(TRequest request);
  void ReadLines();
  void TakeLine(const QByteArray& line);
  void ChildFinished(int exitCode, QProcess::ExitStatus status);

  std::string program_;
  std::unique_ptr<QTemporaryDir> folder_;  // the files handed to and from the children
  int launched_ = 0;
  QProcess* child_ = nullptr;  // the solve under way, or being stopped
  int64_t childRevision_ = 0;
  bool stopping_ = false;         // child_ was asked to stop: its lines are no news
  QString witnessesOut_;          // where child_ writes every witness it knew at its end
  std::optional<TSolveFigures> result_;  // child_'s result line, once it came
  std::optional<TRequest> next_;  // to start once child_ has ended
  std::vector<gpc_vertex> witnesses_;  // the last solve's, for the next warm start
  QTimer killTimer_;
};
