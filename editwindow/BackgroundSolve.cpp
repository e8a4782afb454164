#include "editwindow/BackgroundSolve.h"

#include <sys/prctl.h>

#include <csignal>

#include "framework/QtText.h"
#include "framework/WholeFile.h"
#include "solver/SolutionFile.h"

TBackgroundSolve::TBackgroundSolve(const std::string& program, QObject* parent) : QObject(parent), program_(program) {
  killTimer_.setSingleShot(true);
  connect(&killTimer_, &QTimer::timeout, this, [this] {
    if (child_) child_->kill();
  });
}

TBackgroundSolve::~TBackgroundSolve() {
  if (!child_) return;
  // The editor is going: the child goes now, and is waited for, so that no
  // solver is left searching for a window that is gone.
  child_->disconnect(this);
  child_->kill();
  child_->waitForFinished(1000);
  delete child_;
}

void TBackgroundSolve::Solve(int64_t revision, const std::string& mapText, const std::vector<TGridPoint>& startLights,
                             const TCellRect& changed) {
  if (!Available()) return;
  TRequest request{revision, mapText, startLights, changed};
  if (next_) request.changed = request.changed.United(next_->changed);
  if (!child_) {
    Launch(std::move(request));
    return;
  }
  next_ = std::move(request);
  if (!stopping_) {
    stopping_ = true;
    child_->terminate();
    killTimer_.start(StopGraceMs);
  }
}

void TBackgroundSolve::Stop() {
  next_.reset();
  if (!child_ || stopping_) return;
  stopping_ = true;
  child_->terminate();
  killTimer_.start(StopGraceMs);
}

void TBackgroundSolve::Launch(TRequest request) {
  if (!folder_) folder_ = std::make_unique<QTemporaryDir>();
  const std::string stem = QStringToPath(folder_->path()) + "/solve-" + std::to_string(++launched_);
  QStringList arguments{QStringLiteral("--map"), QStringLiteral("-"), QStringLiteral("--machine")};
  if (!request.startLights.empty() && WriteSolutionFile(stem + "-start.tuv-Glowmere", request.startLights))
    arguments << QStringLiteral("--start") << PathToQString(stem + "-start.tuv-Glowmere");
  const std::vector<gpc_vertex> kept = WitnessesAwayFrom(witnesses_, request.changed);
  if (!kept.empty() && WriteFileAtomically(stem + "-witnesses.txt", WitnessText(kept), TDurability::Renamed))
    arguments << QStringLiteral("--witnesses") << PathToQString(stem + "-witnesses.txt");
  witnessesOut_ = PathToQString(stem + "-witnesses-out.txt");
  arguments << QStringLiteral("--witnesses-out") << witnessesOut_;

  child_ = new QProcess(this);
  childRevision_ = request.revision;
  stopping_ = false;
  result_.reset();
  child_->setStandardErrorFile(QProcess::nullDevice());
  // Ends with the editor, however the editor ends.
  child_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  connect(child_, &QProcess::readyReadStandardOutput, this, &TBackgroundSolve::ReadLines);
  connect(child_, &QProcess::finished, this, &TBackgroundSolve::ChildFinished);
  // A program that cannot be started never finishes: it fails at once.
  connect(child_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) ChildFinished(-1, QProcess::CrashExit);
  });
  child_->start(PathToQString(program_), arguments);
  child_->write(request.mapText.data(), qint64(request.mapText.size()));
  child_->closeWriteChannel();
}

void TBackgroundSolve::ReadLines() {
  while (child_ && child_->canReadLine()) TakeLine(child_->readLine());
}

void TBackgroundSolve::TakeLine(const QByteArray& raw) {
  if (stopping_) return;
  const QByteArray line = raw.trimmed();
  const std::string_view text(line.constData(), size_t(line.size()));
  if (const std::optional<TSolveProgressLine> progress = ParseProgressLine(text)) {
    witnesses_ = progress->independent;
    if (OnProgress) OnProgress(childRevision_, *progress);
  } else if (const std::optional<TSolveFigures> figures = ParseResultLine(text)) {
    result_ = figures;
  }
}

void TBackgroundSolve::ChildFinished(int exitCode, QProcess::ExitStatus status) {
  killTimer_.stop();
  QProcess* child = child_;
  // The last lines, a result line without its end among them.
  for (const QByteArray& line : child->readAllStandardOutput().split('\n')) TakeLine(line);
  const std::optional<TSolveFigures> result = result_;
  // Every witness the child knew, also when it was stopped.
  std::string known, error;
  if (ReadWholeFile(QStringToPath(witnessesOut_), known, error) == TReadResult::Read) {
    std::optional<std::vector<gpc_vertex>> all = ReadWitnessText(known, error);
    if (all && !all->empty()) witnesses_ = std::move(*all);
  }
  const bool stopped = stopping_;
  const int64_t revision = childRevision_;
  child_ = nullptr;
  stopping_ = false;
  child->deleteLater();
  if (!stopped && OnFinished) OnFinished(revision, result, status != QProcess::NormalExit || exitCode != 0);
  if (next_) {
    TRequest request = std::move(*next_);
    next_.reset();
    Launch(std::move(request));
  }
}
