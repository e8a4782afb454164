// The framework's file commands around the task's solution files, the usage
// counters in the statistics file, and the certificate kept with the record.
#pragma once

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "framework/IniNameValueTree.h"

// Both count the click, run their dialog (or the file-dialog seam of
// framework/Modal.h), count the confirmation and return a tree on the
// chosen file, which the caller owns. Absent when cancelled or when the
// file cannot be read.
//
// The save tree already holds the task's level (TaskLevelPath); the file's other
// keys stay, and Flush (or destroying the tree) writes it.
std::unique_ptr<TIniNameValueTree> ExecuteSaveDialog();

// What came of the open command.
enum class TOpenOutcome {
  Opened,      // a tree on the chosen file
  Cancelled,   // the player chose nothing
  Unreadable,  // the chosen name is no file that can be read (missing, a folder, no permission)
};
// The open tree only reads: the file the player chose is never written,
// renamed, truncated or created, neither while the tree lives nor when it
// is destroyed. Someone's notes chosen by mistake stay as they were.
std::unique_ptr<TIniNameValueTree> ExecuteOpenDialog(TOpenOutcome* outcome = nullptr);

// Adds one to the counter at `path` in StatisticsTree (in memory; written at
// exit). Nothing when the tree is absent.
void IncStatistic(const std::string& path);

// prefix + "lines" := count; prefix + "line" with index i := lines[i].
// Entries beyond the new count are left as they were.
void WriteLines(TNameValueTree& tree, const std::string& prefix, const std::vector<std::string>& lines);

// The certificate in RecordTree under "/Certificate/", flushed at once.
// Nothing when RecordTree is absent.
void WriteCertificate(const std::vector<std::string>& lines);
void WriteCertificateLine(const std::string& line);

// "T1|*.ext|T2|*.*" (Windows-1251) as Qt name filters: "T1 (*.ext)",
// "T2 (*)". A pattern list "a;b" becomes "a b"; "*.*" means every file.
// Runs of blanks shrink to one, as in QFileDialog.
QStringList FilterToNameFilters(const std::string& filter);
